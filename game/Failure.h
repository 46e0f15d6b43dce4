#pragma once

#include <cstddef>
#include <exception>
#include <string>
#include <string_view>

// What went wrong, in the core's terms. Each front end words it in its own (the command line as
// one line and an exit status, the page as a notice, the window as a dialog), and none has to
// take a message apart again to tell one kind from another.
struct Failure {
    enum class Kind {
        OutOfMemory,  // whatever ran out: nothing the player can do about that one file or step
        CannotWrite,  // `path` cannot be written, for `reason`
        RefusedStep,  // a tour's step cannot be played at that point, for `reason`
        PictureError, // a picture stopped the game with a run-time error, `reason`
        NoWindow,     // the window cannot be had as asked, for `reason`
    };

    Kind kind = Kind::PictureError;
    // The step it happened in, if any, as a tour writes it ("fire", "size:600x400"), or "view" for
    // a repaint; a refused step also by its place in the tour, from 1 (0 is the size it starts at).
    std::string step;
    std::size_t stepNumber = 0;
    std::string path;
    std::string reason; // empty when memory ran out

    // Running out of memory is told by the exception's type; either way the step is kept.
    static Failure of(std::string_view step, const std::exception& error);
    static Failure outOfMemory() { return {Kind::OutOfMemory, {}, 0, {}, {}}; }
    // A writer knows no path: whoever gave it the file adds it.
    static Failure cannotWrite(std::string path, std::string reason) {
        return {Kind::CannotWrite, {}, 0, std::move(path), std::move(reason)};
    }
    static Failure refusedStep(std::size_t number, std::string step, std::string reason) {
        return {Kind::RefusedStep, std::move(step), number, {}, std::move(reason)};
    }
    static Failure noWindow(std::string reason) {
        return {Kind::NoWindow, {}, 0, {}, std::move(reason)};
    }
};
