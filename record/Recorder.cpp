#include "record/Recorder.h"

#include "record/GifWriter.h"
#include "window/GameWindow.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QWindow>

namespace {

using Action = TourStep::Action;

// Where the animation's screen reaches past a smaller window.
constexpr QRgb Outside = qRgb(0, 0, 0);

QSize toQSize(ClientSize size) {
    return {size.width, size.height};
}

// The animation's screen holds every client area the tour passes through.
QSize screenFor(const RecordOptions& options) {
    QSize screen = toQSize(options.size);
    for (const TourStep& step : options.tour)
        if (step.action == Action::Resize)
            screen = screen.expandedTo(toQSize(step.size));
    return screen;
}

const char* buttonFor(Action action) {
    switch (action) {
    case Action::FireBall:
        return "cmdFireBall";
    case Action::Flame:
        return "cmdFlame";
    case Action::Eat:
        return "cmdEat";
    case Action::TryAgain:
        return "cmdTryAgain";
    case Action::Restart:
        return "cmdRestart";
    case Action::Click:
    case Action::Resize:
        break;
    }
    return "";
}

// A press and a release sent to the window, which hands them to the control under the point
// as for a player's click. Sent one by one, two clicks never make a double-click.
void clickAt(QWidget& window, QPoint at) {
    QWindow* handle = window.windowHandle();
    const QPointF local(at);
    const QPointF global(window.mapToGlobal(at));
    QMouseEvent press(QEvent::MouseButtonPress, local, local, global, Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(handle, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, local, global, Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(handle, &release);
}

// A point of the bare client area: outside the label (shown or not) and every control.
QPoint bareSpot(const QWidget& window) {
    const QRect label = window.findChild<QLabel*>(QStringLiteral("lbl"))->geometry();
    const int width = window.width(), height = window.height();
    for (const QPoint at : {QPoint(width / 10, height * 5 / 6), QPoint(0, height - 1)})
        if (!label.contains(at) && !window.childAt(at))
            return at;
    return QPoint(0, 0);
}

// Does what the step says through the window, as a player would; what prevents it otherwise.
QString perform(frmBrumox& window, const TourStep& step) {
    if (step.action == Action::Resize) {
        window.resize(toQSize(step.size));
        QCoreApplication::processEvents();
        if (window.size() != toQSize(step.size))
            return QStringLiteral("the window cannot be made that size here");
        return {};
    }
    if (step.action == Action::Click) {
        clickAt(window, bareSpot(window));
        return {};
    }
    auto* button = window.findChild<QAbstractButton*>(QLatin1String(buttonFor(step.action)));
    const QString caption = button->text().remove(QLatin1Char('!')).trimmed();
    // The story was rehearsed, but the real window has the last word.
    if (!button->isVisible())
        return QStringLiteral("the %1 button is not on screen at that point").arg(caption);
    // A player cannot reach a button that lies outside a small window either.
    const QRect reachable = button->geometry() & window.rect();
    if (reachable.isEmpty())
        return QStringLiteral("the %1 button lies outside the %2x%3 window")
            .arg(caption)
            .arg(window.width())
            .arg(window.height());
    clickAt(window, reachable.center());
    return {};
}

// Turns the nominal timeline into frames: whenever the time passes the next frame boundary,
// the window as it is then becomes the frame that starts at that boundary.
class FrameSampler : public Timeline::Sync {
  public:
    FrameSampler(frmBrumox& window, GifWriter* gif, QSize screen, int fps)
        : window_(window), gif_(gif), frame_(screen, QImage::Format_RGB32), fps_(fps) {
        window_.SetTimelineSync(this);
    }
    ~FrameSampler() override { window_.SetTimelineSync(nullptr); }
    FrameSampler(const FrameSampler&) = delete;
    FrameSampler& operator=(const FrameSampler&) = delete;

    // The first frame: the window as it opens.
    void Begin() {
        if (!gif_)
            return;
        grab();
        gif_->AddFrame(frame_, 0);
    }
    // The handler about to run starts at this time of the recording.
    void SetOffset(std::int64_t ns) { offsetNs_ = ns; }
    void AdvanceTo(std::int64_t ns) {
        if (!gif_ || ns < boundary(nextFrame_))
            return;
        grab();
        gif_->AddFrame(frame_, boundary(nextFrame_));
        nextFrame_ = ns * fps_ / 1'000'000'000 + 1;
        while (boundary(nextFrame_) <= ns)
            ++nextFrame_;
    }
    void Reached(std::int64_t nominalNs) override { AdvanceTo(offsetNs_ + nominalNs); }

  private:
    std::int64_t boundary(std::int64_t frame) const { return frame * 1'000'000'000 / fps_; }
    void grab() {
        if (window_.size() != frame_.size())
            frame_.fill(Outside);
        window_.render(&frame_);
    }

    frmBrumox& window_;
    GifWriter* gif_;
    QImage frame_;
    std::int64_t fps_;
    std::int64_t offsetNs_ = 0;
    std::int64_t nextFrame_ = 1;
};

} // namespace

TourRecorder::TourRecorder(const QString& path, const RecordOptions& options)
    : path_(path), options_(options) {}

bool TourRecorder::fail(const QString& message) {
    error_ = message;
    out_.cancelWriting();
    return false;
}

bool TourRecorder::Open() {
    out_.setFileName(path_);
    if (QFileInfo(path_).isDir())
        return fail(QStringLiteral("cannot write '%1': it is a folder").arg(path_));
    if (!out_.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("cannot write '%1': %2").arg(path_, out_.errorString()));
    return true;
}

bool TourRecorder::Play() {
    const bool animated = path_.endsWith(QLatin1String(".gif"), Qt::CaseInsensitive);
    frmBrumox window(options_.game);
    window.resize(toQSize(options_.size));
    window.show();
    QCoreApplication::processEvents();
    if (window.size() != toQSize(options_.size))
        return fail(QStringLiteral("the window cannot be made %1x%2 here")
                        .arg(options_.size.width)
                        .arg(options_.size.height));

    GifWriter gif;
    if (animated && !gif.Open(out_, screenFor(options_)))
        return fail(QStringLiteral("cannot write '%1': %2").arg(path_, gif.ErrorString()));
    FrameSampler sampler(window, animated ? &gif : nullptr, screenFor(options_), options_.fps);
    sampler.Begin();
    // A hold runs up to the next step, which may change the picture right at its end.
    std::int64_t now = OpeningHoldNs;
    sampler.AdvanceTo(now - 1);

    for (std::size_t i = 0; i < options_.tour.size(); ++i) {
        const TourStep& step = options_.tour[i];
        sampler.SetOffset(now);
        const QString problem = perform(window, step);
        if (!problem.isEmpty())
            return fail(QStringLiteral("--play step %1 '%2': %3")
                            .arg(i + 1)
                            .arg(QString::fromStdString(StepName(step)), problem));
        QCoreApplication::processEvents();
        if (window.Halted())
            return fail(QString()); // the window has reported the run-time error

        const bool resize = step.action == Action::Resize;
        const bool last = i + 1 == options_.tour.size();
        now += resize ? 0 : window.timeline().NominalNs();
        now += last ? ClosingHoldNs : resize ? 0 : StepHoldNs;
        sampler.AdvanceTo(now - 1);
    }

    if (animated) {
        if (!gif.Finish(now))
            return fail(QStringLiteral("cannot write '%1': %2").arg(path_, gif.ErrorString()));
    } else {
        QImage still(window.size(), QImage::Format_RGB32);
        window.render(&still);
        if (!still.save(&out_, "PNG"))
            return fail(QStringLiteral("cannot write '%1': %2").arg(path_, out_.errorString()));
    }
    if (!out_.commit())
        return fail(QStringLiteral("cannot write '%1': %2").arg(path_, out_.errorString()));
    return true;
}
