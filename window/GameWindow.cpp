#include "window/GameWindow.h"

#include "canvas/Palette.h"
#include "canvas/Twips.h"
#include "window/CanvasView.h"
#include "window/CommandButton.h"
#include "window/InputGate.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// Where the window description puts a control, in twips.
struct Placement {
    int left, top, width, height;
    QRect pixels() const {
        const auto px = [](int twips) { return static_cast<int>(twips / TwipsPerPixel); };
        return QRect(px(left), px(top), px(width), px(height));
    }
};

struct ButtonPlacement {
    Action action;
    Placement at;
    int fontPixels; // 9.75 pt and 12 pt at 96 dpi
};

// In the description's order, which is also the stacking order: each is drawn above the last.
constexpr ButtonPlacement ButtonPlacements[] = {
    {Action::StartOver, {9840, 3960, 2535, 615}, 13},
    {Action::TryAnotherChoice, {9840, 3240, 2535, 615}, 13},
    {Action::EatHim, {12000, 4440, 2175, 1095}, 16},
    {Action::FireBall, {7920, 4440, 1935, 1095}, 16},
    {Action::FlameBreath, {9960, 4440, 1935, 1095}, 16},
};
constexpr Action TabOrder[] = {Action::FlameBreath, Action::FireBall, Action::EatHim,
                               Action::TryAnotherChoice, Action::StartOver};

constexpr Placement LabelPlacement{7920, 1560, 5535, 3495};
constexpr int LabelFontPixels = 29; // 21.75 pt at 96 dpi

// A placement zoomed, with the picture's top-left corner at `at`.
QRect zoomed(const Placement& placement, qreal zoom, QPoint at) {
    const QRect pixels = placement.pixels();
    const auto scaled = [zoom](int value) { return static_cast<int>(std::lround(value * zoom)); };
    return QRect(at.x() + scaled(pixels.x()), at.y() + scaled(pixels.y()), scaled(pixels.width()),
                 scaled(pixels.height()));
}

void setFontPixels(QWidget* widget, int pixels, qreal zoom) {
    QFont font = widget->font();
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels * zoom))));
    widget->setFont(font);
}

// The frame a window manager adds, roughly: room to leave when sizing to the screen.
constexpr QSize FrameAllowance{16, 48};

QString objectNameFor(Action action) {
    return QString::fromLatin1(nameOf(action).step.data(),
                               static_cast<qsizetype>(nameOf(action).step.size())) +
           QStringLiteral("Button");
}

} // namespace

GameWindow::GameWindow(const GameOptions& options, QWidget* parent)
    : QWidget(parent), view_(new CanvasView(DefaultClientSize, this)), pacer_(*view_),
      session_(view_->canvas(), *this, options.seed), timeline_(session_.timeline()),
      gate_(new InputGate(this)) {
    setObjectName(QStringLiteral("gameWindow"));
    setWindowTitle(QStringLiteral("Click to continue"));
    QPalette background = palette();
    background.setColor(QPalette::Window, toQColor(Palette::Background));
    setPalette(background);
    resize(DefaultClientSize);

    pacer_.setSpeed(options.speed);
    viewMode_ = options.view.value_or(ViewMode::Actual);
    const qreal ratio = screen() ? screen()->devicePixelRatio() : 1.0;
    setMaximumSize(QSize(MaxDeviceSide, MaxDeviceSide) / ratio);
    timeline_.setSync(&pacer_);

    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("storyLabel"));
    QFont labelFont(QStringLiteral("Arial"));
    labelFont.setBold(true);
    labelFont.setPixelSize(LabelFontPixels);
    label_->setFont(labelFont);
    label_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label_->setWordWrap(true);
    label_->setAutoFillBackground(true);
    QPalette labelColours = label_->palette();
    labelColours.setColor(QPalette::Window, toQColor(Palette::Background));
    labelColours.setColor(QPalette::WindowText, Qt::white);
    label_->setPalette(labelColours);
    // The label has no click handler: a click on it must not fall through to the window.
    label_->setAttribute(Qt::WA_NoMousePropagation);

    // Created after the label, so that they are drawn above it.
    for (const ButtonPlacement& placement : ButtonPlacements) {
        const Action action = placement.action;
        const std::string_view caption = nameOf(action).caption;
        auto* button = new CommandButton(
            QString::fromLatin1(caption.data(), static_cast<qsizetype>(caption.size())),
            placement.fontPixels, this);
        button->setObjectName(objectNameFor(action));
        button->hide();
        connect(button, &QAbstractButton::clicked, this, [this, action] { run(action); });
        buttons_[static_cast<std::size_t>(action)] = button;
    }
    for (std::size_t i = 1; i < std::size(TabOrder); ++i)
        setTabOrder(button(TabOrder[i - 1]), button(TabOrder[i]));
    layoutPicture();
}

GameWindow::~GameWindow() {
    timeline_.setSync(nullptr);
}

void GameWindow::showAtPreferredSize(std::optional<ViewMode> chosen) {
    QSize client = DefaultClientSize;
    ViewMode view = chosen.value_or(ViewMode::Actual);
    if (QScreen* screen = this->screen()) {
        // Without a window manager the available area is the whole screen.
        const QSize room = screen->availableGeometry().size() - FrameAllowance;
        if (client.width() > room.width() || client.height() > room.height()) {
            // No larger than the screen, and fitted so that every button stays in reach.
            client = client.scaled(room, Qt::KeepAspectRatio);
            view = chosen.value_or(ViewMode::Fit);
        }
    }
    resize(client);
    setViewMode(view);
    show();
}

void GameWindow::setSettleDelay(int ms) {
    view_->setSettleDelay(ms);
}

namespace {

// What the painters see, and where and how large the view shows it.
struct PictureLayout {
    QSize client;
    qreal zoom = 1.0;
    QPoint at;
};

PictureLayout layoutFor(QSize window, ViewMode view) {
    if (view == ViewMode::Actual)
        return {window, 1.0, QPoint()};
    const QSize client = GameWindow::DefaultClientSize;
    const qreal zoom = std::max(0.05, std::min(window.width() / qreal(client.width()),
                                               window.height() / qreal(client.height())));
    const QSize shown(static_cast<int>(std::lround(client.width() * zoom)),
                      static_cast<int>(std::lround(client.height() * zoom)));
    return {client, zoom,
            QPoint((window.width() - shown.width()) / 2, (window.height() - shown.height()) / 2)};
}

} // namespace

QRect GameWindow::buttonGeometry(Action action, QSize windowSize, ViewMode view) {
    const PictureLayout layout = layoutFor(windowSize, view);
    for (const ButtonPlacement& placement : ButtonPlacements)
        if (placement.action == action)
            return zoomed(placement.at, layout.zoom, layout.at);
    return {};
}

void GameWindow::layoutPicture() {
    view_->setGeometry(rect());
    const PictureLayout layout = layoutFor(size(), viewMode_);
    view_->showPicture(layout.client, layout.zoom, layout.at);

    label_->setGeometry(zoomed(LabelPlacement, layout.zoom, layout.at));
    setFontPixels(label_, LabelFontPixels, layout.zoom);
    for (const ButtonPlacement& placement : ButtonPlacements) {
        QAbstractButton* control = button(placement.action);
        control->setGeometry(zoomed(placement.at, layout.zoom, layout.at));
        setFontPixels(control, placement.fontPixels, layout.zoom);
    }
}

void GameWindow::setViewMode(ViewMode mode) {
    viewMode_ = mode;
    layoutPicture();
}

void GameWindow::toggleViewMode() {
    setViewMode(viewMode_ == ViewMode::Fit ? ViewMode::Actual : ViewMode::Fit);
}

void GameWindow::toggleFullScreen() {
    if (isFullScreen()) {
        leaveFullScreen();
        return;
    }
    viewBeforeFullScreen_ = viewMode_;
    setViewMode(ViewMode::Fit);
    showFullScreen();
}

void GameWindow::leaveFullScreen() {
    if (!isFullScreen())
        return;
    showNormal();
    setViewMode(viewBeforeFullScreen_);
}

void GameWindow::setSpeed(double speed) {
    pacer_.setSpeed(speed);
}

const RasterCanvas& GameWindow::canvas() const {
    return view_->canvas();
}

QAbstractButton* GameWindow::button(Action action) const {
    return buttons_[static_cast<std::size_t>(action)];
}

bool GameWindow::busy() const {
    return gate_->busy();
}

void GameWindow::setCaption(const std::string& text) {
    label_->setText(QString::fromStdString(text));
}

void GameWindow::setLabelVisible(bool visible) {
    label_->setVisible(visible);
}

void GameWindow::setButtonVisible(Action action, bool visible) {
    button(action)->setVisible(visible);
    // A hidden button would keep the focus, and Space would still press it: the keys go to the
    // window instead.
    if (!visible && button(action)->hasFocus())
        setFocus();
}

// Errors are decided here: a painting stopped by a close ends the program quietly, and a
// run-time error from the game is reported once and ends it with status 1.
void GameWindow::run(Action action) {
    if (gate_->busy() || pacer_.stopped())
        return;
    gate_->setBusy(true);
    pacer_.start();
    // Input is let through again before anything else happens: an error box must be usable.
    try {
        session_.perform(action);
        pacer_.finish();
        gate_->setBusy(false);
        emit played();
    } catch (const PaintingStopped&) {
        gate_->setBusy(false);
        QCoreApplication::quit();
    } catch (const std::exception& error) {
        gate_->setBusy(false);
        fail(action, error.what());
    }
}

void GameWindow::fail(Action action, const char* what) {
    pacer_.stop();
    const std::string_view step = nameOf(action).step;
    std::fprintf(stderr, "brumox: run-time error in '%.*s': %s\n", static_cast<int>(step.size()),
                 step.data(), what);
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        QMessageBox::critical(
            this, QStringLiteral("BRUMOX SIMULATOR"),
            QStringLiteral("Run-time error:\n%1").arg(QString::fromLocal8Bit(what)));
    QCoreApplication::exit(1);
}

void GameWindow::showEvent(QShowEvent* event) {
    // However the window was shown (restored, fitted, fullscreen), frames follow its screen.
    if (QScreen* screen = this->screen(); screen && screen->refreshRate() > 0)
        pacer_.setFrameInterval(static_cast<std::int64_t>(1e9 / screen->refreshRate()));
    QWidget::showEvent(event);
}

void GameWindow::resizeEvent(QResizeEvent* event) {
    layoutPicture();
    QWidget::resizeEvent(event);
}

void GameWindow::closeEvent(QCloseEvent* event) {
    // Closing mid-picture stops the painting at its next primitive or wait.
    if (gate_->busy())
        pacer_.stop();
    event->accept();
}

void GameWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        clickArmed_ = true;
}

void GameWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double-click is no click of its own.
    if (event->button() == Qt::LeftButton)
        clickArmed_ = false;
}

void GameWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !clickArmed_)
        return;
    clickArmed_ = false;
    if (rect().contains(event->position().toPoint()))
        run(Action::Advance);
}

QWidget* GameWindow::pictureView() const {
    return view_;
}

// The keys that go on with the story, as a click on the window does, while no button has the
// focus: a focused button takes Space and Enter itself, and passes on keys it does not use.
void GameWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Right:
    case Qt::Key_PageDown: {
        const bool fromButton = focusWidget() != nullptr && focusWidget() != this;
        // Holding a key down must not queue up the rest of the story.
        if (!fromButton && !event->isAutoRepeat())
            run(Action::Advance);
        break;
    }
    default:
        QWidget::keyPressEvent(event);
    }
}
