#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include <cstdint>

class QIODevice;

// Writes an animation as the pictures of a recording arrive. Running out of memory on the way
// (a picture Qt could not make, an allocation that threw) fails the animation with
// "out of memory" rather than the program.
class AnimationWriter {
  public:
    AnimationWriter() = default;
    virtual ~AnimationWriter() = default;
    AnimationWriter(const AnimationWriter&) = delete;
    AnimationWriter& operator=(const AnimationWriter&) = delete;

    // Every picture must then have the screen's size.
    bool open(QIODevice& out, QSize screen);
    // The picture shown from startNs on; startNs only grows. An identical picture only
    // lengthens the one before.
    bool addFrame(const QImage& picture, std::int64_t startNs);
    // The last picture lasts until endNs. Closes the animation.
    bool finish(std::int64_t endNs);

    // Frames in the animation so far.
    int framesWritten() const { return written_; }
    // Why the first call that failed did; empty while none has.
    const QString& errorString() const { return error_; }

  protected:
    // What each format does for open(), addFrame() and finish(); a picture given to addPicture()
    // is never null.
    virtual bool openAnimation(QIODevice& out, QSize screen) = 0;
    virtual bool addPicture(const QImage& picture, std::int64_t startNs) = 0;
    virtual bool finishAnimation(std::int64_t endNs) = 0;

    void countFrame() { ++written_; }
    bool hasFailed() const { return !error_.isEmpty(); }
    // Keeps the first failure's message, since later ones follow from it, and returns false.
    bool fail(const QString& message);
    bool failOutOfMemory();

  private:
    template <typename Step> bool guarded(Step step);

    int written_ = 0;
    QString error_;
};

// The smallest rectangle outside which two pictures of the same size agree; empty if they agree
// everywhere. Each writer stores no more than that of a new picture.
QRect changedRect(const QImage& before, const QImage& after);
