#include "window/GameWindow.h"

#include "canvas/Palette.h"
#include "game/Layout.h"
#include "game/Story.h"
#include "qt/CoreToQt.h"
#include "window/CanvasView.h"
#include "window/CommandButton.h"
#include "window/Keys.h"
#include "window/Look.h"
#include "window/TabOrder.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

#include <algorithm>

namespace {

// The frame a window manager adds, roughly: room to leave when sizing to the screen.
constexpr QSize FrameAllowance{16, 48};

// A label on a background of its own, in the game's colours.
void paintLabel(QLabel& label, Color background, Color text) {
    label.setAutoFillBackground(true);
    QPalette colours = label.palette();
    colours.setColor(QPalette::Window, toQColor(background));
    colours.setColor(QPalette::WindowText, toQColor(text));
    label.setPalette(colours);
}

} // namespace

GameWindow::GameWindow(const GameOptions& options, QWidget* parent)
    : QWidget(parent), frames_(*this, *this, options.seed), view_(&frames_.view()) {
    setObjectName(QStringLiteral("gameWindow"));
    setWindowTitle(toQString(ContinueText));
    QPalette background = palette();
    background.setColor(QPalette::Window, toQColor(Palette::Background));
    setPalette(background);
    resize(toQSize(DesignSize));

    runner().setSpeed(options.speed);
    viewMode_ = options.view.value_or(ViewMode::Actual);
    // Only a hint to the window manager: the layout keeps the cap whatever size comes.
    const qreal ratio = screen() ? screen()->devicePixelRatio() : 1.0;
    setMaximumSize(QSize(MaxDeviceSide, MaxDeviceSide) / ratio);
    setMinimumSize(toQSize(MinimumSize));

    label_ = new CaptionLabel(this);
    label_->setObjectName(QStringLiteral("storyLabel"));
    paintLabel(*label_, LabelBackground, LabelText);
    // The label has no click handler: a click on it must not fall through to the window.
    label_->setAttribute(Qt::WA_NoMousePropagation);

    // Created after the label, so that they are drawn above it.
    for (const Action action : Layout::StackingOrder) {
        auto* button = new CommandButton(action, this);
        button->setObjectName(toQString(nameOf(action).step) + QStringLiteral("Button"));
        button->hide();
        connect(button, &QAbstractButton::clicked, this, [this, action] { runner().play(action); });
        buttons_[static_cast<std::size_t>(action)] = button;
    }

    continueHint_ = new QLabel(toQString(ContinueText), this);
    continueHint_->setObjectName(QStringLiteral("continueHint"));
    continueHint_->setLayoutDirection(Qt::LeftToRight);
    paintLabel(*continueHint_, BarColour, HintText);
    // A click on it is a click on the window.
    continueHint_->setAttribute(Qt::WA_TransparentForMouseEvents);
    continueHint_->hide();
    connect(&frames_, &FrameLoop::played, this, &GameWindow::showContinueHint);
    layoutPicture();
}

void GameWindow::showAtPreferredSize(std::optional<ViewMode> chosen) {
    QSize client = toQSize(DesignSize);
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

Layout GameWindow::currentLayout() const {
    return Layout(toPixelSize(size()), viewMode_, devicePixelRatioF());
}

QRect GameWindow::pictureArea() const {
    return toQRect(currentLayout().area());
}

void GameWindow::layoutPicture() {
    view_->setGeometry(rect());
    const Layout layout = currentLayout();
    view_->showPicture(toQSize(layout.client()), layout.zoom(), toQPoint(layout.origin()));

    label_->setGeometry(toQRect(layout.label()));
    label_->setCaption(layout.labelCaption());
    for (const Action action : Layout::StackingOrder) {
        CommandButton* control = buttons_[static_cast<std::size_t>(action)];
        control->setGeometry(toQRect(layout.button(action)));
        control->setCaption(layout.buttonCaption(action));
    }
    continueHint_->setGeometry(toQRect(layout.continueHint()));
    continueHint_->setFont(captionFont(layout.hintFontPixels()));
    continueHint_->setAlignment((layout.panel() ? Qt::AlignHCenter : Qt::AlignLeft) |
                                Qt::AlignVCenter);
    showContinueHint();
}

void GameWindow::showContinueHint() {
    continueHint_->setVisible(isFullScreen() && runner().story().scene() == Scene::Blank);
}

void GameWindow::setViewMode(ViewMode mode) {
    const bool changed = mode != viewMode_;
    viewMode_ = mode;
    layoutPicture();
    // The painters see another client now: the scene is painted again for it.
    if (changed)
        view_->markSceneStale();
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

QAbstractButton* GameWindow::button(Action action) const {
    return buttons_[static_cast<std::size_t>(action)];
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

void GameWindow::showEvent(QShowEvent* event) {
    // However the window was shown (restored, fitted, fullscreen), frames follow its screen.
    if (QScreen* screen = this->screen(); screen && screen->refreshRate() > 0)
        frames_.setFrameInterval(static_cast<std::int64_t>(1e9 / screen->refreshRate()));
    QWidget::showEvent(event);
}

void GameWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange)
        showContinueHint();
    QWidget::changeEvent(event);
}

bool GameWindow::focusNextPrevChild(bool next) {
    focusNextShownButton([this](Action action) { return button(action); }, focusWidget(), next);
    return true;
}

void GameWindow::resizeEvent(QResizeEvent* event) {
    layoutPicture();
    QWidget::resizeEvent(event);
}

void GameWindow::closeEvent(QCloseEvent* event) {
    // Closing mid-picture just ends the game where it stands.
    runner().stop();
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
        runner().play(Action::Advance);
}

QWidget* GameWindow::pictureView() const {
    return view_;
}

// The keys that go on with the story, as a click on the window does, while no button has the
// focus: a focused button takes Space and Enter itself, and passes on keys it does not use.
void GameWindow::keyPressEvent(QKeyEvent* event) {
    // Whatever the modifiers, as keypad Enter comes with its own.
    static const QList<QKeySequence> storyKeys = keySequences(bindingFor(Action::Advance));
    const bool storyKey = std::any_of(storyKeys.begin(), storyKeys.end(), [event](const auto& key) {
        return key[0].key() == event->key();
    });
    if (!storyKey) {
        QWidget::keyPressEvent(event);
        return;
    }
    const bool fromButton = focusWidget() != nullptr && focusWidget() != this;
    // Holding a key down must not queue up the rest of the story.
    if (!fromButton && !event->isAutoRepeat())
        runner().play(Action::Advance);
}
