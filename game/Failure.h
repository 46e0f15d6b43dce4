#pragma once

#include <exception>
#include <string>
#include <string_view>

// What stopped the game, in the core's terms; each front end words it in its own.
struct Failure {
    // The step it happened in: an action's step name ("fire", say), or "view" for a repaint.
    std::string step;
    // The error's own text; empty when memory ran out, which the front end names itself.
    std::string reason;
    bool outOfMemory = false;

    static Failure of(std::string_view step, const std::exception& error);
};
