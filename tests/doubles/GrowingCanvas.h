#pragma once

#include "RecordingCanvas.h"

// Grows a twip each way after every primitive, like a window dragged larger mid-picture.
class GrowingCanvas : public RecordingCanvas {
  public:
    using RecordingCanvas::RecordingCanvas;
    void line(float x1, float y1, float x2, float y2, Color colour) override {
        RecordingCanvas::line(x1, y1, x2, y2, colour);
        grow();
    }
    void drawShape(const CircleShape& shape) override {
        RecordingCanvas::drawShape(shape);
        grow();
    }

  private:
    void grow() { resize(RecordingCanvas::width() + 1, RecordingCanvas::height() + 1); }
};
