#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include <cstdint>

class QIODevice;

// Writes an animation as the pictures of a recording arrive.
class AnimationWriter {
  public:
    virtual ~AnimationWriter() = default;

    // Every picture must then have the screen's size.
    virtual bool open(QIODevice& out, QSize screen) = 0;
    // The picture shown from startNs on; startNs only grows. An identical picture only
    // lengthens the one before.
    virtual bool addFrame(const QImage& picture, std::int64_t startNs) = 0;
    // The last picture lasts until endNs. Closes the animation.
    virtual bool finish(std::int64_t endNs) = 0;

    virtual int framesWritten() const = 0;
    virtual const QString& errorString() const = 0;
};

// The smallest rectangle outside which two pictures of the same size agree; empty if they agree
// everywhere. Each writer stores no more than that of a new picture.
QRect changedRect(const QImage& before, const QImage& after);
