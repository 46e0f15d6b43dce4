#include "stage/Painting.h"

#include <utility>

Painting::Painting(Painting&& other) noexcept : handle_(std::exchange(other.handle_, {})) {}

Painting& Painting::operator=(Painting&& other) noexcept {
    if (this != &other) {
        if (handle_)
            handle_.destroy();
        handle_ = std::exchange(other.handle_, {});
    }
    return *this;
}

Painting::~Painting() {
    // A painting stopped half-way destroys its callees with it: each is a temporary of the
    // co_await under way in its caller's frame.
    if (handle_)
        handle_.destroy();
}

void Painting::Call::await_suspend(Handle caller) {
    promise_type& root = *caller.promise().root;
    callee_.promise().root = &root;
    root.stack.push_back(callee_);
}

void Painting::Call::await_resume() const {
    if (callee_ && callee_.promise().error)
        std::rethrow_exception(callee_.promise().error);
}

bool Painting::resume() {
    if (done())
        return false;
    std::vector<Handle>& stack = handle_.promise().stack;
    if (stack.empty())
        stack.push_back(handle_);
    while (!stack.empty()) {
        // Not const: the experimental header's resume() is not.
        Handle top = stack.back();
        const std::size_t depth = stack.size();
        top.resume();
        if (stack.size() > depth)
            continue; // it called a painter: that one runs first
        if (!top.done())
            return true; // it stopped for the picture to be shown
        // Its caller goes on, and rethrows what it threw.
        stack.pop_back();
    }
    if (handle_.promise().error)
        std::rethrow_exception(std::exchange(handle_.promise().error, {}));
    return false;
}

void Painting::finish() {
    while (resume()) {
    }
}
