#include "window/GameWindow.h"

#include "window/CommandButton.h"
#include "window/InputGate.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

#include <cstdio>

namespace {

// Positions are stored in twips, 15 to a logical pixel.
QRect fromTwips(int left, int top, int width, int height) {
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

RandomSource makeRandom(const GameOptions& options) {
    if (options.seed)
        return RandomSource(*options.seed, [] { return std::uint64_t{0}; });
    return RandomSource();
}

} // namespace

frmBrumox::frmBrumox(const GameOptions& options, QWidget* parent)
    : QWidget(parent), canvas_(DefaultClientSize), paced_(canvas_, timeline_),
      random_(makeRandom(options)), stage_{paced_, random_, timeline_, *this}, story_(stage_),
      pacer_(*this), gate_(new InputGate(this)) {
    setObjectName(QStringLiteral("frmBrumox"));
    setWindowTitle(QStringLiteral("Click to continue"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    QPalette background = palette();
    background.setColor(QPalette::Window, RasterCanvas::ToQColor(RasterCanvas::Background));
    setPalette(background);
    resize(DefaultClientSize);

    pacer_.SetSpeed(options.speed);
    timeline_.SetSync(&pacer_);

    lbl = new QLabel(this);
    lbl->setObjectName(QStringLiteral("lbl"));
    lbl->setGeometry(fromTwips(7920, 1560, 5535, 3495));
    QFont labelFont(QStringLiteral("Arial"));
    labelFont.setBold(true);
    labelFont.setPixelSize(29); // 21.75 pt at 96 dpi
    lbl->setFont(labelFont);
    lbl->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lbl->setWordWrap(true);
    lbl->setAutoFillBackground(true);
    QPalette labelColours = lbl->palette();
    labelColours.setColor(QPalette::Window, RasterCanvas::ToQColor(RasterCanvas::Background));
    labelColours.setColor(QPalette::WindowText, Qt::white);
    lbl->setPalette(labelColours);
    // The label has no click handler: a click on it must not fall through to the window.
    lbl->setAttribute(Qt::WA_NoMousePropagation);

    // Created after the label, so that they are drawn above it. 9.75 pt and 12 pt at 96 dpi.
    cmdRestart = new CommandButton(QStringLiteral("Start Over"), 13, this);
    cmdRestart->setGeometry(fromTwips(9840, 3960, 2535, 615));
    cmdTryAgain = new CommandButton(QStringLiteral("Try Another Choice"), 13, this);
    cmdTryAgain->setGeometry(fromTwips(9840, 3240, 2535, 615));
    cmdEat = new CommandButton(QStringLiteral("EAT HIM!!!!"), 16, this);
    cmdEat->setGeometry(fromTwips(12000, 4440, 2175, 1095));
    cmdFireBall = new CommandButton(QStringLiteral("FIRE BALL!!!!!!!"), 16, this);
    cmdFireBall->setGeometry(fromTwips(7920, 4440, 1935, 1095));
    cmdFlame = new CommandButton(QStringLiteral("FLAME BREATH!!!!!  "), 16, this);
    cmdFlame->setGeometry(fromTwips(9960, 4440, 1935, 1095));

    const std::pair<CommandButton*, const char*> names[] = {{cmdRestart, "cmdRestart"},
                                                            {cmdTryAgain, "cmdTryAgain"},
                                                            {cmdEat, "cmdEat"},
                                                            {cmdFireBall, "cmdFireBall"},
                                                            {cmdFlame, "cmdFlame"}};
    for (const auto& [control, name] : names) {
        control->setObjectName(QString::fromLatin1(name));
        control->hide();
    }
    setTabOrder(cmdFlame, cmdFireBall);
    setTabOrder(cmdFireBall, cmdEat);
    setTabOrder(cmdEat, cmdTryAgain);
    setTabOrder(cmdTryAgain, cmdRestart);

    connect(cmdFireBall, &QPushButton::clicked, this,
            [this] { run(&Story::cmdFireBall_Click, "cmdFireBall_Click"); });
    connect(cmdEat, &QPushButton::clicked, this,
            [this] { run(&Story::cmdEat_Click, "cmdEat_Click"); });
    connect(cmdFlame, &QPushButton::clicked, this,
            [this] { run(&Story::cmdFlame_Click, "cmdFlame_Click"); });
    connect(cmdRestart, &QPushButton::clicked, this,
            [this] { run(&Story::cmdRestart_Click, "cmdRestart_Click"); });
    connect(cmdTryAgain, &QPushButton::clicked, this,
            [this] { run(&Story::cmdTryAgain_Click, "cmdTryAgain_Click"); });

    story_.Form_Load();
}

frmBrumox::~frmBrumox() {
    timeline_.SetSync(nullptr);
}

void frmBrumox::ShowAtPreferredSize() {
    resize(DefaultClientSize);
    if (QScreen* screen = this->screen()) {
        if (screen->refreshRate() > 0)
            pacer_.SetFrameInterval(static_cast<std::int64_t>(1e9 / screen->refreshRate()));
        const QSize room = screen->availableGeometry().size();
        if (room.width() < DefaultClientSize.width() ||
            room.height() < DefaultClientSize.height() + 40) {
            showMaximized();
            return;
        }
    }
    show();
}

bool frmBrumox::Busy() const {
    return gate_->Busy();
}

void frmBrumox::SetCaption(const std::string& text) {
    lbl->setText(QString::fromStdString(text));
}

void frmBrumox::SetLabelVisible(bool visible) {
    lbl->setVisible(visible);
}

void frmBrumox::SetButtonVisible(Button which, bool visible) {
    button(which)->setVisible(visible);
}

CommandButton* frmBrumox::button(Button which) const {
    switch (which) {
    case Button::Restart:
        return cmdRestart;
    case Button::TryAgain:
        return cmdTryAgain;
    case Button::Eat:
        return cmdEat;
    case Button::FireBall:
        return cmdFireBall;
    case Button::Flame:
        return cmdFlame;
    }
    return nullptr;
}

void frmBrumox::run(void (Story::*handler)(), const char* name) {
    if (gate_->Busy() || pacer_.Stopped())
        return;
    gate_->SetBusy(true);
    timeline_.Restart();
    pacer_.Start();
    // Input is let through again before anything else happens: an error box must be usable.
    try {
        (story_.*handler)();
        pacer_.Finish();
        gate_->SetBusy(false);
    } catch (const PaintingStopped&) {
        // The window was closed mid-picture.
        gate_->SetBusy(false);
        QCoreApplication::quit();
    } catch (const std::exception& error) {
        gate_->SetBusy(false);
        fail(name, error.what());
    }
}

void frmBrumox::fail(const char* handler, const char* what) {
    pacer_.Stop();
    std::fprintf(stderr, "brumox: run-time error in %s: %s\n", handler, what);
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        QMessageBox::critical(this, QStringLiteral("BRUMOX SIMULATOR"),
                              QStringLiteral("Run-time error in %1:\n%2")
                                  .arg(QLatin1String(handler), QString::fromLocal8Bit(what)));
    QCoreApplication::exit(1);
}

bool frmBrumox::HasDirty() const {
    return canvas_.HasDirty();
}

void frmBrumox::Present() {
    const QRect dirty = canvas_.TakeDirty();
    if (!dirty.isEmpty() && isVisible())
        repaint(dirty);
}

void frmBrumox::paintEvent(QPaintEvent* event) {
    if (devicePixelRatioF() != canvas_.Image().devicePixelRatio())
        canvas_.Resize(size(), devicePixelRatioF());
    QPainter painter(this);
    const QImage& image = canvas_.Image();
    const qreal ratio = image.devicePixelRatio();
    for (const QRect& rect : event->region())
        painter.drawImage(rect, image,
                          QRectF(rect.x() * ratio, rect.y() * ratio, rect.width() * ratio,
                                 rect.height() * ratio));
}

void frmBrumox::resizeEvent(QResizeEvent* event) {
    canvas_.Resize(size(), devicePixelRatioF());
    QWidget::resizeEvent(event);
}

void frmBrumox::closeEvent(QCloseEvent* event) {
    // Closing mid-picture stops the painting at its next primitive or wait.
    if (gate_->Busy())
        pacer_.Stop();
    event->accept();
}

void frmBrumox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        clickArmed_ = true;
}

void frmBrumox::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double-click is no click of its own.
    if (event->button() == Qt::LeftButton)
        clickArmed_ = false;
}

void frmBrumox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !clickArmed_)
        return;
    clickArmed_ = false;
    if (rect().contains(event->position().toPoint()))
        run(&Story::Form_Click, "Form_Click");
}
