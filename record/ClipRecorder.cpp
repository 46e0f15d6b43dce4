#include "record/ClipRecorder.h"

#include "tour/FailureText.h"
#include "window/GameWindow.h"
#include "window/Look.h"
#include "window/Notice.h"
#include "window/PictureGrab.h"

#include <QEvent>
#include <QPainter>

#include <algorithm>

namespace {

const QString RecordingMark = QStringLiteral("● REC ");

// The window's logical size, scaled down to the widest clip.
QSize clipSize(QSize window) {
    if (window.width() <= ClipRecorder::WidestClip)
        return window;
    return QSize(ClipRecorder::WidestClip,
                 std::max(1, window.height() * ClipRecorder::WidestClip / window.width()));
}

} // namespace

ClipRecorder::ClipRecorder(GameWindow& window) : window_(window) {
    timer_.setInterval(FrameMs);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (!takeFrame())
            showFailure(
                window_,
                QStringLiteral("cannot record to %1: %2").arg(file_->path(), errorString()));
    });
}

ClipRecorder::~ClipRecorder() {
    stop();
}

bool ClipRecorder::start(const QString& path) {
    if (recording()) {
        failure_ = Failure::noWindow("a clip is being recorded already");
        return false;
    }
    failure_.reset();
    title_ = window_.windowTitle();
    file_.emplace(path);
    if (!file_->open(QIODevice::WriteOnly))
        return fail(*file_->failure());
    size_ = clipSize(window_.pictureArea().size());
    gif_.emplace();
    if (!gif_->open(*file_, size_))
        return fail(*gif_->failure());
    clock_.start();
    if (!takeFrame())
        return false;
    timer_.start();
    window_.setWindowTitle(RecordingMark + title_);
    // Closing the window, by any means, finishes the clip first.
    window_.installEventFilter(this);
    return true;
}

bool ClipRecorder::stop() {
    if (!recording())
        return true;
    if (!takeFrame())
        return false;
    if (!gif_->finish(clock_.nsecsElapsed()))
        return fail(*gif_->failure());
    end();
    if (!file_->commit())
        return fail(*file_->failure());
    return true;
}

bool ClipRecorder::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::Close && recording() && !stop())
        showFailure(window_,
                    QStringLiteral("cannot save %1: %2").arg(file_->path(), errorString()));
    return false;
}

bool ClipRecorder::takeFrame() {
    return gif_->addFrame(fitted(grabPicture(window_)), clock_.nsecsElapsed()) ||
           fail(*gif_->failure());
}

QImage ClipRecorder::fitted(QImage shown) const {
    // A picture Qt had no memory for is null, and goes on to the writer, which says so.
    if (shown.isNull() || shown.size() == size_)
        return shown;
    // Another size, or a high-DPI window's device pixels: scaled as a plain image.
    shown.setDevicePixelRatio(1);
    QImage frame(size_, QImage::Format_RGB32);
    const QImage scaled = shown.scaled(size_, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (frame.isNull() || scaled.isNull())
        return {};
    frame.fill(RecordingMargin);
    QPainter painter(&frame);
    painter.drawImage((size_.width() - scaled.width()) / 2, (size_.height() - scaled.height()) / 2,
                      scaled);
    return frame;
}

QString ClipRecorder::errorString() const {
    return failure_ ? QString::fromStdString(failureText(*failure_)) : QString();
}

bool ClipRecorder::fail(Failure failure) {
    if (recording())
        end();
    file_->discard(std::move(failure));
    failure_ = file_->failure();
    return false;
}

void ClipRecorder::end() {
    timer_.stop();
    window_.removeEventFilter(this);
    window_.setWindowTitle(title_);
    gif_.reset();
}
