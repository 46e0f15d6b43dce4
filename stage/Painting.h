#pragma once

#include "stage/Coroutine.h"

#include <exception>
#include <vector>

// What a painter returns: its picture as a coroutine that a runner steps through. The painter
// co_awaits after every primitive and pause, where the runner may stop it to show the picture,
// and co_awaits the painters it calls, which run to their end first as calls would.
//
// Only the outermost painting is stepped, by resume(). It keeps the paintings under way in a
// stack of its own, so that a long chain of calls and returns never deepens the machine's stack
// (WebAssembly has no tail calls to lean on). Destroying a painting stops it where it stands.
class [[nodiscard]] Painting {
  public:
    struct promise_type;
    using Handle = coro::coroutine_handle<promise_type>;

    struct promise_type {
        Painting get_return_object() { return Painting(Handle::from_promise(*this)); }
        coro::suspend_always initial_suspend() noexcept { return {}; }
        coro::suspend_always final_suspend() noexcept { return {}; }
        void return_void() {}
        void unhandled_exception() { error = std::current_exception(); }

        std::exception_ptr error;
        // The outermost painting's promise, which holds the stack.
        promise_type* root = this;
        std::vector<Handle> stack;
    };

    // Awaiting a painting runs it to its end, then goes on; what it threw is thrown here. An
    // empty painting (an action that paints nothing) is done at once.
    class Call {
      public:
        explicit Call(Handle callee) : callee_(callee) {}
        bool await_ready() const noexcept { return !callee_; }
        void await_suspend(Handle caller);
        void await_resume() const;

      private:
        Handle callee_;
    };

    Painting() = default;
    Painting(Painting&& other) noexcept;
    Painting& operator=(Painting&& other) noexcept;
    ~Painting();

    // Runs the painting from where it stopped to its next stop. False once it has ended; what a
    // painter threw and did not catch is thrown from here, after which the painting has ended.
    bool resume();
    // Runs it to its end at once, whoever watches the timeline.
    void finish();
    bool done() const { return !handle_ || handle_.done(); }

    Call operator co_await() const& noexcept { return Call(handle_); }

  private:
    explicit Painting(Handle handle) : handle_(handle) {}

    Handle handle_;
};
