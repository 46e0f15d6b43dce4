#include "record/Recorder.h"

#include "qt/CoreToQt.h"
#include "record/FrameSampler.h"
#include "record/GifWriter.h"
#include "record/Soundtrack.h"
#include "record/WavFile.h"
#include "record/WebpWriter.h"
#include "tour/Rehearsal.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QWindow>

#include <memory>

namespace {

// The animation's screen holds every client area the tour passes through.
QSize screenFor(const RecordOptions& options) {
    QSize screen = toQSize(options.size);
    for (const TourStep& step : options.tour)
        if (const auto* size = std::get_if<PixelSize>(&step))
            screen = screen.expandedTo(toQSize(*size));
    return screen;
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
QPoint bareSpot(const GameWindow& window) {
    const QRect label = window.label()->geometry();
    const int width = window.width(), height = window.height();
    for (const QPoint at : {QPoint(width / 10, height * 5 / 6), QPoint(0, height - 1)})
        if (!label.contains(at) && !window.childAt(at))
            return at;
    return QPoint(0, 0);
}

// Does what the step says through the window, as a player would; what prevents it otherwise.
QString perform(GameWindow& window, const TourStep& step) {
    if (const auto* size = std::get_if<PixelSize>(&step)) {
        window.resize(toQSize(*size));
        QCoreApplication::processEvents();
        if (window.size() != toQSize(*size))
            return QStringLiteral("the window cannot be made that size here");
        return {};
    }
    const Action action = std::get<Action>(step);
    if (!hasButton(action)) {
        clickAt(window, bareSpot(window));
        return {};
    }
    const QAbstractButton* button = window.button(action);
    const QString name = QString::fromStdString(buttonName(action));
    // The story was rehearsed, but the real window has the last word.
    if (!button->isVisible())
        return QStringLiteral("the %1 button is not on screen at that point").arg(name);
    clickAt(window, button->geometry().center());
    return {};
}

} // namespace

TourRecorder::TourRecorder(const QString& path, const RecordOptions& options)
    : path_(path), options_(options), out_(path) {}

bool TourRecorder::fail(Failure failure) {
    const bool writing =
        failure.kind == Failure::Kind::CannotWrite || failure.kind == Failure::Kind::OutOfMemory;
    out_.discard(failure);
    failure_ = writing ? *out_.failure() : std::move(failure);
    return false;
}

bool TourRecorder::rehearse() {
    failure_ = ::rehearse(options_.tour, options_.size, options_.game.seed,
                          options_.game.view.value_or(ViewMode::Actual))
                   .failure;
    return !failure_;
}

bool TourRecorder::open() {
    if (out_.open(QIODevice::WriteOnly))
        return true;
    failure_ = out_.failure();
    return false;
}

bool TourRecorder::play() {
    std::unique_ptr<AnimationWriter> writer;
    if (path_.endsWith(QLatin1String(".gif"), Qt::CaseInsensitive))
        writer = std::make_unique<GifWriter>();
    else if (path_.endsWith(QLatin1String(".webp"), Qt::CaseInsensitive))
        writer = std::make_unique<WebpWriter>();
    // Only a soundtrack hears the cues; the pictures' recordings do no sound work at all.
    std::optional<Soundtrack> soundtrack;
    if (path_.endsWith(QLatin1String(".wav"), Qt::CaseInsensitive))
        soundtrack.emplace();
    // The recording's clock is nominal time whatever the speed. At speed 1 the runner also lets
    // a picture's first cues through as its input starts it, which instant speed keeps quiet.
    GameOptions game = options_.game;
    game.speed = 1;
    GameWindow window(game);
    // Every frame at the zoom it is meant for: the same arguments give the same bytes.
    window.setSettleDelay(0);
    window.resize(toQSize(options_.size));
    window.show();
    QCoreApplication::processEvents();
    if (window.size() != toQSize(options_.size))
        return fail(Failure::noWindow("the window cannot be made " +
                                      std::to_string(options_.size.width) + "x" +
                                      std::to_string(options_.size.height) + " here"));

    if (writer && !writer->open(out_, screenFor(options_)))
        return fail(*writer->failure());
    FrameSampler sampler(window, writer.get(), screenFor(options_), options_.fps);
    if (soundtrack)
        window.runner().setSpeaker(&*soundtrack);
    sampler.begin();
    // A hold runs up to the next step: the frames that end by then show the picture before it.
    std::int64_t now = OpeningHoldNs;
    sampler.advanceTo(now);

    for (std::size_t i = 0; i < options_.tour.size(); ++i) {
        const TourStep& step = options_.tour[i];
        sampler.setOffset(now);
        if (soundtrack)
            soundtrack->setOffset(now);
        const QString problem = perform(window, step);
        if (!problem.isEmpty())
            return fail(Failure::refusedStep(i + 1, stepName(step), problem.toStdString()));
        // The sampler asks for no stops: the picture plays through in one go, sampled as it
        // reaches each frame's time.
        window.runner().finish();
        QCoreApplication::processEvents();
        if (window.runner().halted()) {
            out_.close();
            return false;
        }
        if (writer && writer->failure())
            return fail(*writer->failure());

        const bool resize = std::holds_alternative<PixelSize>(step);
        const bool last = i + 1 == options_.tour.size();
        now += resize ? 0 : window.runner().timeline().nominalNs();
        now += last ? ClosingHoldNs : resize ? 0 : StepHoldNs;
        sampler.advanceTo(now);
    }

    if (writer) {
        if (!writer->finish(now))
            return fail(*writer->failure());
    } else if (soundtrack) {
        const QByteArray wav = WavFile::encode(soundtrack->mix(now));
        if (out_.write(wav) != wav.size())
            return fail(*out_.failure());
    } else {
        QImage still(window.size(), QImage::Format_RGB32);
        // A null picture is one memory could not hold, and writing it says so.
        if (!still.isNull())
            window.render(&still);
        if (!out_.writeImage(still))
            return fail(*out_.failure());
    }
    if (!out_.commit())
        return fail(*out_.failure());
    return true;
}
