#include "record/GifPalette.h"

#include "canvas/Palette.h"

#include <algorithm>
#include <vector>

namespace {

std::array<QRgb, 256> buildPalette() {
    const auto game = [](Color colour) {
        return qRgb(redOf(colour), greenOf(colour), blueOf(colour));
    };
    std::vector<QRgb> colours = {
        // Every colour the game paints, in the palette's order.
        game(Palette::Background), game(Palette::Red), game(Palette::DarkRed),
        game(Palette::Maroon), game(Palette::Black), game(Palette::White),
        game(Palette::FloorBrown), game(Palette::GoblinGreen), game(Palette::WedgeGrey),
        // The buttons' bevel shades: light, midlight, mid and dark of their red face.
        qRgb(255, 127, 127), qRgb(255, 63, 63), qRgb(170, 0, 0), qRgb(127, 0, 0)};
    auto add = [&](int r, int g, int b) { colours.push_back(qRgb(r, g, b)); };
    // Antialiased text: white on the background, black on the buttons' red.
    for (int i = 1; i < 15; ++i)
        add(64 + i * 191 / 15, 64 + i * 191 / 15, 64 + i * 191 / 15);
    for (int i = 1; i < 15; ++i)
        add(i * 17, 0, 0);
    // Gold coins: red and green each 200 to 254.
    for (int r = 0; r < 4; ++r)
        for (int g = 0; g < 4; ++g)
            add(200 + r * 18, 200 + g * 18, 0);
    // Fire balls: green 0 to 254; flames the same with a touch of blue.
    for (int g = 0; g < 16; ++g)
        add(255, 8 + g * 16, 0);
    for (int blue : {20, 30, 40, 50})
        for (int g = 0; g < 8; ++g)
            add(255, 16 + g * 32, blue);
    // Anything else.
    for (int r = 0; r < 5; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 5; ++b)
                add(std::min(255, r * 64), g * 51, std::min(255, b * 64));

    std::array<QRgb, 256> palette{};
    std::size_t used = 0;
    for (QRgb colour : colours)
        if (used < GifPalette::Transparent &&
            std::find(palette.begin(), palette.begin() + used, colour) == palette.begin() + used)
            palette[used++] = colour;
    // Whatever is left over repeats black, which the nearest search never picks.
    std::fill(palette.begin() + used, palette.end(), qRgb(0, 0, 0));
    return palette;
}

int distance(QRgb a, QRgb b) {
    const int r = qRed(a) - qRed(b), g = qGreen(a) - qGreen(b), bl = qBlue(a) - qBlue(b);
    return r * r + g * g + bl * bl;
}

} // namespace

GifPalette::GifPalette() = default;

const std::array<QRgb, 256>& GifPalette::Colours() {
    static const std::array<QRgb, 256> palette = buildPalette();
    return palette;
}

std::uint8_t GifPalette::Nearest(QRgb colour) {
    colour |= 0xff000000u;
    const auto known = cache_.find(colour);
    if (known != cache_.end())
        return known->second;
    const auto& palette = Colours();
    std::size_t best = 0;
    for (std::size_t i = 1; i < Transparent; ++i)
        if (distance(colour, palette[i]) < distance(colour, palette[best]))
            best = i;
    cache_.emplace(colour, static_cast<std::uint8_t>(best));
    return static_cast<std::uint8_t>(best);
}
