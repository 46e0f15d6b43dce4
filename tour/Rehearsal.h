#pragma once

#include "game/Failure.h"
#include "game/Layout.h"
#include "tour/TourScript.h"

#include <cstdint>
#include <optional>
#include <vector>

struct Rehearsal {
    std::vector<std::int64_t> nominalNs; // each step's nominal duration
    // The first step that cannot be played (a refused step: step 0 is the start size), or
    // memory that ran out on the way; none when the whole tour plays.
    std::optional<Failure> failure;
};

// Plays the steps through the game on a canvas that keeps nothing, which takes milliseconds: a
// step whose button is hidden at that point, a size below the window's minimum, or a run-time
// error, is found before anything is painted for real. With a seed the durations are exactly
// those of the real playthrough. Fitted, the painters see the design size whatever the window's.
Rehearsal rehearse(const std::vector<TourStep>& steps, PixelSize start,
                   std::optional<std::uint64_t> seed, ViewMode view = ViewMode::Actual,
                   Pointer pointer = Pointer::Fine);
