#pragma once

#include "game/Layout.h"
#include "tour/TourScript.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What a link to the game's web page asks for:
// "?seed=N&speed=F&view=fit|actual&mute=1|0&play=STEPS", in any order. A parameter that cannot be
// used is ignored whole, with a notice for the player; the others still count.
struct PageLink {
    std::optional<std::uint64_t> seed; // the full 64 bits, which a JavaScript number cannot hold
    std::optional<double> speed;
    std::optional<ViewMode> view;
    // Sound off (or on) for this visit only, whatever the player chose last time.
    std::optional<bool> mute;
    std::vector<TourStep> tour; // empty when none is asked for or it cannot be played
    // One short line for each parameter ignored, "?speed=9000 is ignored: wants 0 or 1/64 to
    // 64", and a few at the most: past them one line counts the rest.
    std::vector<std::string> notices;
};

// Reads the query string (with or without its '?'), percent-decoded, '+' for a space. The tour
// is rehearsed at the page's size in the link's view (or `pageView`) with its seed, and refused
// unless it plays to its end, and unless it is short enough to paint at once; it cannot resize
// the page, which follows the browser.
PageLink parsePageLink(std::string_view query, PixelSize page, ViewMode pageView = ViewMode::Actual,
                       Pointer pointer = Pointer::Fine);
