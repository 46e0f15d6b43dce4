#pragma once

#include <optional>
#include <string_view>

// How the picture fills the window: one logical pixel per 15 twips with the goblin following
// the lower-right corner, or the design size scaled to fit and centred.
enum class ViewMode { Actual, Fit };

// The views by the names the command line, the settings, links and the page use.
constexpr std::string_view viewName(ViewMode view) {
    return view == ViewMode::Fit ? "fit" : "actual";
}

constexpr std::optional<ViewMode> viewNamed(std::string_view name) {
    for (const ViewMode view : {ViewMode::Fit, ViewMode::Actual})
        if (name == viewName(view))
            return view;
    return std::nullopt;
}
