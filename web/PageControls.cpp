#include "web/PageControls.h"

#include <emscripten.h>

namespace {

// clang-format off
EM_JS(void, pageSetCaption, (const char* text), { Module.page.setCaption(UTF8ToString(text)); });
EM_JS(void, pageSetLabelVisible, (bool visible), { Module.page.setLabelVisible(visible); });
EM_JS(void, pageSetButtonVisible, (int action, bool visible), {
    Module.page.setButtonVisible(action, visible);
});
// clang-format on

} // namespace

void PageControls::setCaption(const std::string& text) {
    pageSetCaption(text.c_str());
}

void PageControls::setLabelVisible(bool visible) {
    pageSetLabelVisible(visible);
}

void PageControls::setButtonVisible(Action button, bool visible) {
    pageSetButtonVisible(static_cast<int>(button), visible);
}
