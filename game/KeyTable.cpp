#include "game/KeyTable.h"

#include <stdexcept>

namespace {

const KeyBinding& find(std::variant<Action, WindowCommand> does) {
    for (const KeyBinding& binding : KeyTable)
        if (binding.does == does)
            return binding;
    throw std::logic_error("a key binding is missing from the table");
}

} // namespace

const KeyBinding& bindingFor(Action action) {
    return find(action);
}

const KeyBinding& bindingFor(WindowCommand command) {
    return find(command);
}
