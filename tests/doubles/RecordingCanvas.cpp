#include "RecordingCanvas.h"

RecordingCanvas::RecordingCanvas(float scaleWidth, float scaleHeight)
    : width_(scaleWidth), height_(scaleHeight) {}

void RecordingCanvas::Line(float x1, float y1, float x2, float y2, Color colour) {
    primitives_.emplace_back(LineCall{x1, y1, x2, y2, colour});
}

void RecordingCanvas::DrawCircle(const CircleShape& shape) {
    primitives_.emplace_back(CircleCall{shape, fill_});
}

void RecordingCanvas::FillColor(Color colour) {
    fill_ = colour;
    ++fillSets_;
}

Color RecordingCanvas::BackColor() const {
    ++backReads_;
    return Background;
}

float RecordingCanvas::ScaleWidth() const {
    ++sizeReads_;
    return width_;
}

float RecordingCanvas::ScaleHeight() const {
    ++sizeReads_;
    return height_;
}

void RecordingCanvas::Resize(float scaleWidth, float scaleHeight) {
    width_ = scaleWidth;
    height_ = scaleHeight;
}

std::vector<RecordingCanvas::LineCall> RecordingCanvas::Lines() const {
    std::vector<LineCall> lines;
    for (const auto& primitive : primitives_)
        if (const auto* line = std::get_if<LineCall>(&primitive))
            lines.push_back(*line);
    return lines;
}

std::vector<RecordingCanvas::CircleCall> RecordingCanvas::Circles() const {
    std::vector<CircleCall> circles;
    for (const auto& primitive : primitives_)
        if (const auto* circle = std::get_if<CircleCall>(&primitive))
            circles.push_back(*circle);
    return circles;
}

void RecordingCanvas::Forget() {
    primitives_.clear();
    clsCount_ = fillSets_ = backReads_ = sizeReads_ = 0;
}
