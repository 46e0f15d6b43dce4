#include "canvas/RasterCanvas.h"
#include "game/Layout.h"
#include "game/NoControls.h"
#include "game/Session.h"
#include "tour/TourScript.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// 64-bit FNV-1a over the picture's size and its pixel words, each word low byte first.
std::uint64_t checksum(const PixelBuffer& picture) {
    std::uint64_t hash = 0xcbf29ce484222325ull;
    const auto mix = [&hash](std::uint32_t word) {
        for (int shift = 0; shift < 32; shift += 8)
            hash = (hash ^ ((word >> shift) & 0xffu)) * 0x100000001b3ull;
    };
    mix(static_cast<std::uint32_t>(picture.width()));
    mix(static_cast<std::uint32_t>(picture.height()));
    for (int i = 0; i < picture.width() * picture.height(); ++i)
        mix(picture.data()[i]);
    return hash;
}

struct TourSums {
    std::vector<std::uint64_t> played;  // the picture after each step
    std::vector<std::uint64_t> rebuilt; // the same picture rebuilt at the other scale
};

// The default tour, seed 1, in a window of the design's size.
TourSums playTheTour(double scale, double otherScale) {
    RasterCanvas canvas(DesignSize, scale);
    NoControls controls;
    Session session(canvas, controls, 1);
    TourSums sums;
    for (const TourStep& step : parseTour(DefaultTour).steps) {
        session.perform(std::get<Action>(step)).finish();
        sums.played.push_back(checksum(canvas.pixels()));
        RasterCanvas rebuilt = canvas;
        rebuilt.resize(DesignSize, otherScale);
        sums.rebuilt.push_back(checksum(rebuilt.pixels()));
    }
    return sums;
}

// The table as it is written below, to paste there when the pixels change on purpose.
std::string asTable(const std::vector<std::uint64_t>& sums) {
    std::string table;
    for (const std::uint64_t sum : sums) {
        char entry[32];
        std::snprintf(entry, sizeof entry, "0x%016llxull,\n", static_cast<unsigned long long>(sum));
        table += entry;
    }
    return table;
}

} // namespace

// Today's pixels of every picture of the tour, at actual size and at 1.5 times; and the picture
// rebuilt at the other scale is the one played there. A deliberate change to the rasteriser or to
// a painter changes the sums: paste the tables the failure prints.
TEST(TourPictures, PixelsOfEveryStepAreAsBefore) {
    const std::vector<std::uint64_t> atOne = {
        0x5ba6a8c5f907de53ull, 0x3508cc3c1969c0abull, 0x3508cc3c1969c0abull, 0x3508cc3c1969c0abull,
        0x3508cc3c1969c0abull, 0xafb15ae97b9aa3e9ull, 0xafb15ae97b9aa3e9ull, 0x654ea530fde7a124ull,
        0xa21d309f0f1698b6ull, 0xfb79199f7673a7adull, 0x5f8863a4cc692bb5ull, 0x803184c59be39225ull,
    };
    const std::vector<std::uint64_t> atOneAndAHalf = {
        0x77294b0acc024ca7ull, 0x2f358f0423d201d9ull, 0x2f358f0423d201d9ull, 0x2f358f0423d201d9ull,
        0x2f358f0423d201d9ull, 0x4efcdb4b364c4e51ull, 0x4efcdb4b364c4e51ull, 0x6c6eeb9115d48c40ull,
        0x27e3ae04e1b1805aull, 0x811d7505d25ae41bull, 0xf93a34b4d4dfc70bull, 0xad2e56f3c7f369afull,
    };
    const TourSums one = playTheTour(1.0, 1.5), oneAndAHalf = playTheTour(1.5, 1.0);
    EXPECT_EQ(one.played, atOne) << "at 1:\n" << asTable(one.played);
    EXPECT_EQ(oneAndAHalf.played, atOneAndAHalf) << "at 1.5:\n" << asTable(oneAndAHalf.played);
    EXPECT_EQ(one.rebuilt, oneAndAHalf.played);
    EXPECT_EQ(oneAndAHalf.rebuilt, one.played);
}
