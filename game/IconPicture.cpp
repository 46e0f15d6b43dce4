#include "game/IconPicture.h"

#include "canvas/Palette.h"
#include "canvas/RasterCanvas.h"
#include "canvas/Twips.h"
#include "game/NoControls.h"
#include "pacing/Timeline.h"
#include "scene/Beast.h"
#include "stage/RandomSource.h"
#include "stage/Silence.h"
#include "stage/Stage.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

// Below this size the eye is painted larger, so that the icon still reads as a face.
constexpr int SmallIcon = 48;

} // namespace

PixelBuffer paintIconSquare(int size) {
    // The beast's head as the game paints it (the body at full size, the eye and the brow),
    // without the spikes and the tail, which run far off any square around it. Nothing in it is
    // drawn at random, paced or captioned.
    RasterCanvas canvas(PixelSize{560, 480});
    RandomSource random;
    Timeline timeline;
    NoControls label;
    Stage stage{canvas, random, timeline, label, Silence::shared()};
    drawBody(stage, BodyRadius).finish();
    // A small icon gets an eye twice the size, with the brow raised to clear it.
    const bool small = size < SmallIcon;
    const std::int16_t eyeRadius = small ? 2 * EyeRadius : EyeRadius;
    const std::int16_t browLift = eyeRadius - EyeRadius;
    drawEye(stage, EyeX, EyeY, eyeRadius).finish();
    drawBrow(stage, BrowX1, static_cast<std::int16_t>(BrowY1 - browLift), BrowX2,
             static_cast<std::int16_t>(BrowY2 - browLift))
        .finish();

    // A square about the body's centre, the body's width and a margin across.
    const int margin = small ? 8 : 20;
    const int side = static_cast<int>(std::lround(2 * BodyRadius / TwipsPerPixel)) + 2 * margin;
    const int left = static_cast<int>(BodyX / TwipsPerPixel) - side / 2;
    const int top = static_cast<int>(BodyY / TwipsPerPixel) - side / 2;
    const Pixel background = toPixel(Palette::Background);
    PixelBuffer square(PixelSize{side, side}, 0);
    for (int y = 0; y < side; ++y) {
        const Pixel* from = canvas.pixels().row(top + y) + left;
        Pixel* to = square.row(y);
        for (int x = 0; x < side; ++x)
            to[x] = from[x] == background ? 0 : from[x];
    }
    return square;
}

namespace {

// For each of `to` cells across, the `from` cells it covers and how much of each.
struct Cover {
    int first = 0;
    std::vector<double> weights;
};

std::vector<Cover> covers(int from, int to) {
    std::vector<Cover> result(static_cast<std::size_t>(to));
    const double step = static_cast<double>(from) / to;
    for (int i = 0; i < to; ++i) {
        const double start = i * step, end = (i + 1) * step;
        Cover& cover = result[static_cast<std::size_t>(i)];
        cover.first = static_cast<int>(std::floor(start));
        for (int j = cover.first; j < end && j < from; ++j)
            cover.weights.push_back((std::min<double>(j + 1, end) - std::max<double>(j, start)) /
                                    step);
    }
    return result;
}

// Alpha and premultiplied red, green and blue, from 0 to 1.
using Premultiplied = std::array<double, 4>;

Premultiplied premultiplied(Pixel pixel) {
    const double alpha = (pixel >> 24) / 255.0;
    return {alpha, alpha * ((pixel >> 16) & 0xff) / 255.0, alpha * ((pixel >> 8) & 0xff) / 255.0,
            alpha * (pixel & 0xff) / 255.0};
}

Pixel straight(const Premultiplied& value) {
    if (value[0] <= 0)
        return 0;
    const auto channel = [&value](std::size_t i, int shift) {
        const double level = i == 0 ? value[0] : value[i] / value[0];
        return static_cast<Pixel>(std::lround(std::clamp(level, 0.0, 1.0) * 255)) << shift;
    };
    return channel(0, 24) | channel(1, 16) | channel(2, 8) | channel(3, 0);
}

} // namespace

PixelBuffer paintIcon(int size) {
    const PixelBuffer square = paintIconSquare(size);
    const int side = square.width();
    const std::vector<Cover> across = covers(side, size);
    // Across first, every source row, then down.
    std::vector<Premultiplied> rows(static_cast<std::size_t>(side) * size);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < size; ++x) {
            const Cover& cover = across[static_cast<std::size_t>(x)];
            Premultiplied sum{};
            for (std::size_t k = 0; k < cover.weights.size(); ++k) {
                const Premultiplied value =
                    premultiplied(square.pixel(cover.first + static_cast<int>(k), y));
                for (std::size_t c = 0; c < sum.size(); ++c)
                    sum[c] += cover.weights[k] * value[c];
            }
            rows[static_cast<std::size_t>(y) * size + x] = sum;
        }
    PixelBuffer icon(PixelSize{size, size}, 0);
    for (int y = 0; y < size; ++y) {
        const Cover& cover = across[static_cast<std::size_t>(y)];
        for (int x = 0; x < size; ++x) {
            Premultiplied sum{};
            for (std::size_t k = 0; k < cover.weights.size(); ++k) {
                const auto from = static_cast<std::size_t>(cover.first + static_cast<int>(k));
                for (std::size_t c = 0; c < sum.size(); ++c)
                    sum[c] += cover.weights[k] * rows[from * size + x][c];
            }
            icon.row(y)[x] = straight(sum);
        }
    }
    return icon;
}
