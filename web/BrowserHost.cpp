#include "web/BrowserHost.h"

#include <emscripten.h>

namespace {

// clang-format off
EM_JS(double, pageNow, (), { return Module.page.now(); });
EM_ASYNC_JS(void, pageSleep, (int ms), { await Module.page.sleep(ms); });
EM_JS(void, pageWake, (), { Module.page.wake(); });
EM_ASYNC_JS(void, pageRunPending, (), { await Module.page.runPending(); });
// clang-format on

} // namespace

std::int64_t BrowserHost::nowNs() const {
    return static_cast<std::int64_t>(pageNow() * 1e6);
}

void BrowserHost::sleep(int ms) {
    pageSleep(ms);
}

void BrowserHost::wake() {
    pageWake();
}

void BrowserHost::runPending() {
    pageRunPending();
}
