#include "web/PageDescription.h"

#include "game/KeyTable.h"
#include "game/SceneDescription.h"
#include "game/SpeedSteps.h"
#include "tour/Json.h"

#include <cstdio>

namespace {

std::string rect(const PixelRect& r) {
    return "[" + std::to_string(r.x) + "," + std::to_string(r.y) + "," + std::to_string(r.width) +
           "," + std::to_string(r.height) + "]";
}

std::string caption(const Layout::Caption& c) {
    return "{\"box\":[" + std::to_string(c.box.width) + "," + std::to_string(c.box.height) +
           "],\"font\":" + std::to_string(c.fontPixels) + ",\"scale\":" + jsonNumber(c.scale) + "}";
}

std::string colour(Color c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", redOf(c), greenOf(c), blueOf(c));
    return jsonString(text);
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

template <typename List, typename Each> std::string list(const List& items, Each each) {
    std::string out = "[";
    for (const auto& item : items)
        out += (out.size() > 1 ? "," : "") + each(item);
    return out + "]";
}

} // namespace

std::string describeLayout(const Layout& layout) {
    std::string out =
        "{\"area\":" + rect(layout.area()) + ",\"client\":[" +
        std::to_string(layout.client().width) + "," + std::to_string(layout.client().height) +
        "],\"zoom\":" + jsonNumber(layout.zoom()) + ",\"origin\":[" +
        std::to_string(layout.origin().x) + "," + std::to_string(layout.origin().y) + "]";
    out += ",\"label\":{\"rect\":" + rect(layout.label()) +
           ",\"caption\":" + caption(layout.labelCaption()) + "}";
    out += ",\"panel\":" + std::string(layout.panel() ? "true" : "false");
    out += ",\"menu\":" + rect(layout.menuButton());
    out += ",\"hint\":{\"rect\":" + rect(layout.continueHint()) +
           ",\"font\":" + std::to_string(layout.hintFontPixels()) +
           ",\"text\":" + jsonString(layout.continueText()) + "}";
    out += ",\"buttons\":" + list(Layout::TabOrder, [&](Action action) {
               return "{\"action\":" + std::to_string(static_cast<int>(action)) +
                      ",\"rect\":" + rect(layout.button(action)) +
                      ",\"caption\":" + caption(layout.buttonCaption(action)) + "}";
           });
    return out + "}";
}

std::string describeTables() {
    std::string out = "{\"actions\":" + list(ActionNames, [](const ActionName& name) {
                          return "{\"step\":" + jsonString(name.step) +
                                 ",\"caption\":" + jsonString(name.caption) +
                                 ",\"spoken\":" + jsonString(name.spoken) + "}";
                      });
    out += ",\"stacking\":" + list(Layout::StackingOrder, [](Action action) {
               return std::to_string(static_cast<int>(action));
           });
    out += ",\"keys\":" + list(KeyTable, [](const KeyBinding& binding) {
               const std::string does =
                   std::holds_alternative<Action>(binding.does)
                       ? std::string(nameOf(std::get<Action>(binding.does)).step)
                       : std::string(commandName(std::get<WindowCommand>(binding.does)));
               return "{\"does\":" + jsonString(does) + ",\"keys\":" + jsonString(binding.keys) +
                      ",\"names\":" + jsonString(binding.names()) +
                      ",\"help\":" + jsonString(binding.help) + "}";
           });
    out += ",\"scenes\":" + list(SceneDescriptions, [](const SceneDescription& description) {
               return jsonString(description.text);
           });
    out += ",\"speeds\":" + list(SpeedSteps, [](double speed) { return jsonNumber(speed); });
    out += ",\"continueText\":" + jsonString(ContinueText);
    out += ",\"name\":" + jsonString(GameName);
    out += ",\"colours\":{\"bar\":" + colour(BarColour) +
           ",\"labelBackground\":" + colour(LabelBackground) +
           ",\"labelText\":" + colour(LabelText) + ",\"buttonFace\":" + colour(ButtonFace) +
           ",\"hint\":" + colour(HintText) + "}";
    return out + "}";
}
