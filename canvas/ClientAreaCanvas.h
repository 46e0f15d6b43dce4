#pragma once

#include "canvas/Canvas.h"
#include "canvas/Palette.h"
#include "canvas/Pixels.h"
#include "canvas/Twips.h"

// What every canvas over a client area of whole logical pixels shares: its size in twips, the
// game's background and the fill colour the painters last set.
class ClientAreaCanvas : public Canvas {
  public:
    void setFillColor(Color colour) override { fill_ = colour; }
    Color fillColor() const override { return fill_; }
    Color background() const override { return Palette::Background; }
    float width() const override { return static_cast<float>(clientSize_.width) * TwipsPerPixel; }
    float height() const override { return static_cast<float>(clientSize_.height) * TwipsPerPixel; }

    PixelSize clientSize() const { return clientSize_; }

  protected:
    explicit ClientAreaCanvas(PixelSize clientSize) : clientSize_(clientSize) {}
    void setClientSize(PixelSize clientSize) { clientSize_ = clientSize; }

  private:
    PixelSize clientSize_;
    Color fill_ = rgb(0, 0, 0);
};
