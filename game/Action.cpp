#include "game/Action.h"

std::optional<Action> actionForStep(std::string_view step) {
    for (const ActionName& entry : ActionNames)
        if (entry.step == step)
            return entry.action;
    return std::nullopt;
}

namespace {

constexpr bool tableFollowsTheEnum() {
    for (std::size_t i = 0; i < ActionNames.size(); ++i)
        if (static_cast<std::size_t>(ActionNames[i].action) != i)
            return false;
    return true;
}
static_assert(tableFollowsTheEnum(), "nameOf() indexes the table by the enum");

} // namespace
