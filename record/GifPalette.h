#pragma once

#include <QRgb>

#include <array>
#include <cstdint>
#include <unordered_map>

// A fixed 256-colour palette: every colour the game paints or its controls show exactly, then
// ramps for gold, fire, flames and antialiased text, then an even spread for anything else. The
// last entry is no colour: frames use it for the pixels that keep what was there.
class GifPalette {
  public:
    static constexpr std::uint8_t Transparent = 255;

    GifPalette();

    static const std::array<QRgb, 256>& Colours();
    // The nearest entry (plain RGB distance, lowest index on a tie), never Transparent;
    // remembered per colour.
    std::uint8_t Nearest(QRgb colour);

  private:
    std::unordered_map<QRgb, std::uint8_t> cache_;
};
