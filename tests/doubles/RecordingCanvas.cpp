#include "RecordingCanvas.h"

RecordingCanvas::RecordingCanvas(float scaleWidth, float scaleHeight)
    : width_(scaleWidth), height_(scaleHeight) {}

void RecordingCanvas::line(float x1, float y1, float x2, float y2, Color colour) {
    primitives_.emplace_back(LineCall{x1, y1, x2, y2, colour});
}

void RecordingCanvas::drawShape(const CircleShape& shape) {
    primitives_.emplace_back(CircleCall{shape, fill_});
}

void RecordingCanvas::setFillColor(Color colour) {
    fill_ = colour;
    ++fillSets_;
}

Color RecordingCanvas::background() const {
    ++backReads_;
    return Palette::Background;
}

void RecordingCanvas::resize(float scaleWidth, float scaleHeight) {
    width_ = scaleWidth;
    height_ = scaleHeight;
}

std::vector<RecordingCanvas::LineCall> RecordingCanvas::lines() const {
    return only<LineCall>();
}

std::vector<RecordingCanvas::CircleCall> RecordingCanvas::circles() const {
    return only<CircleCall>();
}

void RecordingCanvas::forget() {
    primitives_.clear();
    clearCount_ = fillSets_ = backReads_ = 0;
}
