#include "web/PagePresenter.h"

#include "canvas/RasterCanvas.h"

#include <emscripten.h>

namespace {

// clang-format off
EM_JS(void, pagePresent, (const std::uint8_t* rgba, int x, int y, int width, int height,
                          int deviceWidth, int deviceHeight), {
    Module.page.present(HEAPU8, rgba, x, y, width, height, deviceWidth, deviceHeight);
});
// clang-format on

} // namespace

void PagePresenter::present(const RasterCanvas& canvas, PixelRect rect) {
    if (rect.isEmpty())
        return;
    const PixelSize device = canvas.deviceSize();
    // The buffer holds 0xffRRGGBB words; the page wants R, G, B, A bytes.
    rgba_.resize(static_cast<std::size_t>(rect.width) * static_cast<std::size_t>(rect.height) * 4);
    std::uint8_t* out = rgba_.data();
    const PixelBuffer& pixels = canvas.pixels();
    for (int y = rect.y; y < rect.y + rect.height; ++y) {
        const Pixel* row = pixels.row(y) + rect.x;
        for (int x = 0; x < rect.width; ++x) {
            const Pixel pixel = row[x];
            *out++ = static_cast<std::uint8_t>(pixel >> 16);
            *out++ = static_cast<std::uint8_t>(pixel >> 8);
            *out++ = static_cast<std::uint8_t>(pixel);
            *out++ = 255;
        }
    }
    pagePresent(rgba_.data(), rect.x, rect.y, rect.width, rect.height, device.width, device.height);
}
