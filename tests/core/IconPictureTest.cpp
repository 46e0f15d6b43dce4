#include "game/IconPicture.h"

#include "canvas/Palette.h"

#include <gtest/gtest.h>

namespace {

int alphaOf(Pixel pixel) {
    return static_cast<int>(pixel >> 24);
}

} // namespace

TEST(IconPicture, TheHeadStandsOnATransparentSquareAtEverySize) {
    for (const int size : {16, 47, 48, 256, 1024}) {
        const PixelBuffer icon = paintIcon(size);
        ASSERT_EQ(icon.size(), (PixelSize{size, size}));
        EXPECT_EQ(icon.pixel(0, 0), 0u) << size;
        EXPECT_EQ(icon.pixel(size - 1, size - 1), 0u) << size;
        // The body's left edge, half way down: solid red.
        EXPECT_EQ(icon.pixel(size / 4, size / 2), 0xff000000u | toPixel(Palette::Red)) << size;
    }
}

TEST(IconPicture, EdgesFadeOutWithoutTheBackgroundColourBleedingIn) {
    const PixelBuffer icon = paintIcon(64);
    int partial = 0;
    for (int x = 0; x < icon.width() / 2; ++x) {
        // Left of the body, along the middle row, only red and nothing meet.
        const Pixel pixel = icon.pixel(x, icon.height() / 2);
        if (alphaOf(pixel) == 0 || alphaOf(pixel) == 255)
            continue;
        ++partial;
        EXPECT_EQ(pixel & 0xffffffu, toPixel(Palette::Red) & 0xffffffu) << x;
    }
    EXPECT_GT(partial, 0);
}

TEST(IconPicture, ASmallIconHasALargerEye) {
    const auto eyePixels = [](int size) {
        const PixelBuffer square = paintIconSquare(size);
        int black = 0;
        for (int y = 0; y < square.height(); ++y)
            for (int x = 0; x < square.width(); ++x)
                black += square.pixel(x, y) == toPixel(Palette::Black);
        return black;
    };
    EXPECT_GT(eyePixels(47), eyePixels(48));
}
