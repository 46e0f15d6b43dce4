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

std::string_view keyName(NamedKey named) {
    switch (named) {
    case NamedKey::None:
        break;
    case NamedKey::Space:
        return "Space";
    case NamedKey::Enter:
        return "Enter";
    case NamedKey::Right:
        return "Right";
    case NamedKey::PageDown:
        return "Page Down";
    case NamedKey::Escape:
        return "Esc";
    case NamedKey::F1:
        return "F1";
    case NamedKey::F11:
        return "F11";
    }
    return "";
}

std::string keyName(const Key& key) {
    std::string name = key.ctrl ? "Ctrl+" : "";
    if (key.named != NamedKey::None)
        return name.append(keyName(key.named));
    return name + key.character;
}

std::string KeyBinding::names() const {
    std::string text;
    for (const Key& key : keys)
        if (!key.keypad)
            text += (text.empty() ? "" : ", ") + keyName(key);
    return text;
}

const KeyBinding& bindingFor(Action action) {
    return find(action);
}

const KeyBinding& bindingFor(WindowCommand command) {
    return find(command);
}

std::string_view commandName(WindowCommand command) {
    switch (command) {
    case WindowCommand::ToggleFullScreen:
        return "fullscreen";
    case WindowCommand::LeaveFullScreen:
        return "leave-fullscreen";
    case WindowCommand::ToggleView:
        return "view";
    case WindowCommand::Faster:
        return "faster";
    case WindowCommand::Slower:
        return "slower";
    case WindowCommand::ToggleSound:
        return "sound";
    case WindowCommand::SavePicture:
        return "save";
    case WindowCommand::RecordClip:
        return "record";
    case WindowCommand::About:
        return "about";
    case WindowCommand::Quit:
        return "quit";
    }
    return "";
}
