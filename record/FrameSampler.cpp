#include "record/FrameSampler.h"

#include "record/GifWriter.h"
#include "window/GameWindow.h"

namespace {

// Where the animation's screen reaches past a smaller window.
constexpr QRgb Outside = qRgb(0, 0, 0);

} // namespace

FrameSampler::FrameSampler(GameWindow& window, GifWriter* writer, QSize screen, int fps)
    : window_(window), writer_(writer), frame_(screen, QImage::Format_RGB32), fps_(fps) {
    window_.setTimelineSync(this);
}

FrameSampler::~FrameSampler() {
    window_.setTimelineSync(nullptr);
}

void FrameSampler::begin() {
    if (!writer_)
        return;
    grab();
    writer_->AddFrame(frame_, 0);
}

void FrameSampler::advanceTo(std::int64_t ns) {
    if (!writer_ || ns < boundary(nextFrame_))
        return;
    grab();
    writer_->AddFrame(frame_, boundary(nextFrame_));
    nextFrame_ = ns * fps_ / 1'000'000'000 + 1;
    while (boundary(nextFrame_) <= ns)
        ++nextFrame_;
}

void FrameSampler::grab() {
    if (window_.size() != frame_.size())
        frame_.fill(Outside);
    window_.render(&frame_);
}
