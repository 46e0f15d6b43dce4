#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <cstdint>

class QIODevice;
struct WebPAnimEncoder;

// Writes a looping, lossless animated WebP: every frame is exactly the picture given, in full
// colour. An identical picture only lengthens the one before. Frame times are whole
// milliseconds, rounded from the start so that the durations add up to the whole. libwebp keeps
// the animation until finish() writes it out.
class WebpWriter {
  public:
    WebpWriter() = default;
    ~WebpWriter();
    WebpWriter(const WebpWriter&) = delete;
    WebpWriter& operator=(const WebpWriter&) = delete;

    // Every picture must then have the screen's size.
    bool open(QIODevice& out, QSize screen);
    // The picture shown from startNs on; startNs only grows.
    bool addFrame(const QImage& picture, std::int64_t startNs);
    // The last picture lasts until endNs. Writes the whole animation.
    bool finish(std::int64_t endNs);

    int framesWritten() const { return written_; }
    const QString& errorString() const { return error_; }

  private:
    bool givePending();
    bool failed(const QString& message);

    QIODevice* out_ = nullptr;
    WebPAnimEncoder* encoder_ = nullptr;
    QSize screen_;
    // Two pictures of our own, kept from one frame to the next: fresh memory for each picture
    // costs more than copying it.
    QImage given_;   // the last picture libwebp has
    QImage pending_; // the latest picture, held until it is known to last a millisecond
    bool hasGiven_ = false;
    bool hasPending_ = false;
    std::int64_t pendingMs_ = 0;
    int written_ = 0;
    QString error_;
};
