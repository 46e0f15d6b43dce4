#include "web/PagePresenter.h"

#include "canvas/RasterCanvas.h"

#include <emscripten.h>

namespace {

// clang-format off
EM_JS(bool, pageCanPresent, (), { return Module.page.canPresent(); });
EM_JS(void, pagePresent, (const std::uint8_t* rgba, int x, int y, int width, int height,
                          int deviceWidth, int deviceHeight), {
    Module.page.present(HEAPU8, rgba, x, y, width, height, deviceWidth, deviceHeight);
});
// clang-format on

} // namespace

bool PagePresenter::hasDirty() const {
    return canvas_.hasDirty() || !pending_.isEmpty();
}

void PagePresenter::presentAll() {
    const PixelSize device = canvas_.deviceSize();
    canvas_.takeDirty();
    pending_ = {0, 0, device.width, device.height};
    present();
}

void PagePresenter::present() {
    pending_ = pending_.united(canvas_.takeDirty());
    if (pending_.isEmpty() || !pageCanPresent())
        return;
    const PixelSize device = canvas_.deviceSize();
    const PixelRect rect = pending_;
    pending_ = {};
    // The buffer holds 0xffRRGGBB words; the page wants R, G, B, A bytes.
    rgba_.resize(static_cast<std::size_t>(rect.width) * static_cast<std::size_t>(rect.height) * 4);
    std::uint8_t* out = rgba_.data();
    const PixelBuffer& pixels = canvas_.pixels();
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
