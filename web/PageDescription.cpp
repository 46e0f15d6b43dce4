#include "web/PageDescription.h"

#include "game/SceneDescription.h"
#include "game/SpeedSteps.h"
#include "tour/Json.h"

#include <cstdio>

namespace {

// Sizes and points as [width, height] and [x, y], rectangles as [x, y, width, height].
void pair(JsonWriter& json, int first, int second) {
    json.beginArray().integer(first).integer(second).endArray();
}

void rect(JsonWriter& json, const PixelRect& r) {
    json.beginArray().integer(r.x).integer(r.y).integer(r.width).integer(r.height).endArray();
}

void caption(JsonWriter& json, const Layout::Caption& c) {
    json.beginObject().key("box");
    pair(json, c.box.width, c.box.height);
    json.key("font").integer(c.fontPixels).key("scale").number(c.scale).endObject();
}

std::string colour(Color c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", redOf(c), greenOf(c), blueOf(c));
    return text;
}

} // namespace

std::string describeLayout(const Layout& layout) {
    JsonWriter json;
    json.beginObject().key("area");
    rect(json, layout.area());
    json.key("client");
    pair(json, layout.client().width, layout.client().height);
    json.key("zoom").number(layout.zoom()).key("origin");
    pair(json, layout.origin().x, layout.origin().y);
    json.key("label").beginObject().key("rect");
    rect(json, layout.label());
    json.key("caption");
    caption(json, layout.labelCaption());
    json.endObject().key("panel").boolean(layout.panel()).key("menu");
    rect(json, layout.menuButton());
    json.key("hint").beginObject().key("rect");
    rect(json, layout.continueHint());
    json.key("font").integer(layout.hintFontPixels()).key("text").string(layout.continueText());
    json.endObject().key("buttons").beginArray();
    for (const Action action : Layout::TabOrder) {
        json.beginObject().key("action").integer(static_cast<int>(action)).key("rect");
        rect(json, layout.button(action));
        json.key("caption");
        caption(json, layout.buttonCaption(action));
        json.endObject();
    }
    return json.endArray().endObject().text();
}

std::string describeTables() {
    JsonWriter json;
    json.beginObject().key("actions").beginArray();
    for (const ActionName& name : ActionNames) {
        json.beginObject().key("step").string(name.step).key("caption").string(name.caption);
        json.key("spoken").string(name.spoken).endObject();
    }
    json.endArray().key("stacking").beginArray();
    for (const Action action : Layout::StackingOrder)
        json.integer(static_cast<int>(action));
    json.endArray().key("scenes").beginArray();
    for (const SceneDescription& description : SceneDescriptions)
        json.string(description.text);
    json.endArray().key("speeds").beginArray();
    for (const double speed : SpeedSteps)
        json.number(speed);
    json.endArray().key("continueText").string(ContinueText);
    json.key("colours").beginObject().key("bar").string(colour(BarColour));
    json.key("labelBackground").string(colour(LabelBackground));
    json.key("labelText").string(colour(LabelText)).key("buttonFace").string(colour(ButtonFace));
    json.key("hint").string(colour(HintText)).endObject();
    return json.endObject().text();
}

std::string describeLink(const PageLink& link) {
    JsonWriter json;
    json.beginObject().key("seed");
    link.seed ? json.string(std::to_string(*link.seed)) : json.null();
    json.key("speed");
    link.speed ? json.number(*link.speed) : json.null();
    json.key("view");
    link.view ? json.string(viewName(*link.view)) : json.null();
    json.key("mute");
    link.mute ? json.boolean(*link.mute) : json.null();
    json.key("steps").beginArray();
    for (const TourStep& step : link.tour)
        json.integer(static_cast<int>(std::get<Action>(step)));
    json.endArray().key("notices").beginArray();
    for (const std::string& notice : link.notices)
        json.string(notice);
    return json.endArray().endObject().text();
}
