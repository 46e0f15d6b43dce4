#include "record/FrameSampler.h"

#include "record/AnimationWriter.h"
#include "window/GameWindow.h"
#include "window/Look.h"

FrameSampler::FrameSampler(GameWindow& window, AnimationWriter* writer, QSize screen, int fps)
    : window_(window), writer_(writer), frame_(screen, QImage::Format_RGB32), fps_(fps) {
    window_.runner().setTimelineSync(this);
}

FrameSampler::~FrameSampler() {
    window_.runner().setTimelineSync(nullptr);
}

void FrameSampler::begin() {
    if (!writer_)
        return;
    grab();
    writer_->addFrame(frame_, 0);
}

void FrameSampler::sample(std::int64_t ns, bool pauseBegins) {
    if (!writer_ || ns < boundary(nextFrame_))
        return;
    // The frame whose interval holds this time; those before it passed without a pause, and all
    // show the window as it is now (identical pictures only lengthen the one before).
    std::int64_t current = ns * fps_ / 1'000'000'000;
    while (boundary(current + 1) <= ns)
        ++current;
    while (boundary(current) > ns)
        --current;
    if (current > nextFrame_) {
        take(nextFrame_);
        nextFrame_ = current;
    }
    if (pauseBegins)
        take(nextFrame_++);
}

void FrameSampler::take(std::int64_t frame) {
    grab();
    writer_->addFrame(frame_, boundary(frame));
}

void FrameSampler::grab() {
    // A frame the memory could not hold stays null, and the writer says so.
    if (frame_.isNull())
        return;
    if (window_.size() != frame_.size())
        frame_.fill(RecordingMargin);
    window_.render(&frame_);
}
