#pragma once

#include "game/Layout.h"
#include "tour/TourScript.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct Rehearsal {
    std::vector<std::int64_t> nominalNs; // each step's nominal duration
    // The first step that cannot be played, as the command line says it ("--play step 2
    // 'fire': the FIRE BALL button is not on screen at that point"); then that step, counted
    // from 1 (0 for the start size), and just what is wrong with it.
    std::string error;
    std::size_t failedStep = 0;
    std::string reason;
};

// Plays the steps through the game on a canvas that keeps nothing, which takes milliseconds: a
// step whose button is hidden at that point, a size below the window's minimum, or a run-time
// error, is found before anything is painted for real. With a seed the durations are exactly
// those of the real playthrough. Fitted, the painters see the design size whatever the window's.
Rehearsal rehearse(const std::vector<TourStep>& steps, PixelSize start,
                   std::optional<std::uint64_t> seed, ViewMode view = ViewMode::Actual,
                   Pointer pointer = Pointer::Fine);
