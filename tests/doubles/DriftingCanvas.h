#pragma once

#include "RecordingCanvas.h"

#include <string>

// Logs size reads and lines in order; each height read is one twip more than the last, so a
// painter that reuses or reorders its reads draws at a different y.
class DriftingCanvas : public RecordingCanvas {
  public:
    float width() const override { return log += 'W', RecordingCanvas::width(); }
    float height() const override {
        return log += 'H', RecordingCanvas::height() + static_cast<float>(drift++);
    }
    void line(float x1, float y1, float x2, float y2, Color colour) override {
        log += 'L';
        RecordingCanvas::line(x1, y1, x2, y2, colour);
    }
    mutable std::string log;
    mutable int drift = 0;
};
