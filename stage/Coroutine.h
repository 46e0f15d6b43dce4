#pragma once

// The coroutine support library under one name. GCC's library has the standard header; the
// libc++ of Debian's emscripten only the experimental one (whose compiler warns at every
// coroutine that it is deprecated; the browser build turns that warning off).
#if __has_include(<coroutine>)
#include <coroutine>
namespace coro = std;
#else
#include <experimental/coroutine>
namespace coro = std::experimental;
#endif
