#pragma once

#include "game/Failure.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include <cstdint>
#include <optional>

class QIODevice;

// Writes an animation as the pictures of a recording arrive. Running out of memory on the way
// (a picture Qt could not make, an allocation that threw) fails the animation, not the program.
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
    // Why the first call that failed did, naming no file: the device's owner knows it.
    const std::optional<Failure>& failure() const { return failure_; }
    // The same in words; empty while nothing has failed.
    QString errorString() const;

  protected:
    // What each format does for open(), addFrame() and finish(); a picture given to addPicture()
    // is in Format_RGB32, of the screen's size.
    virtual bool openAnimation(QIODevice& out) = 0;
    virtual bool addPicture(const QImage& frame, std::int64_t startNs) = 0;
    virtual bool finishAnimation(std::int64_t endNs) = 0;

    QSize screen() const { return screen_; }
    void countFrame() { ++written_; }
    bool hasFailed() const { return failure_.has_value(); }
    // Keeps the first failure, since later ones follow from it, and returns false.
    bool fail(Failure failure);
    bool fail(const QString& why) { return fail(Failure::cannotWrite({}, why.toStdString())); }

  private:
    template <typename Step> bool guarded(Step step);

    QSize screen_;
    int written_ = 0;
    std::optional<Failure> failure_;
};

// The smallest rectangle outside which two pictures of the same size agree; empty if they agree
// everywhere. Each writer stores no more than that of a new picture.
QRect changedRect(const QImage& before, const QImage& after);
