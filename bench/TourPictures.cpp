#include "bench/TourPictures.h"

#include "canvas/ClientAreaCanvas.h"
#include "game/Layout.h"
#include "game/NoControls.h"
#include "game/Session.h"
#include "tour/TourScript.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <utility>

namespace {

// The game's surface at the design size: keeps what was painted since the last clear.
class RecordingCanvas : public ClientAreaCanvas {
  public:
    RecordingCanvas() : ClientAreaCanvas(DesignSize) {}

    void line(float x1, float y1, float x2, float y2, Color colour) override {
        picture_.push_back(LineCall{x1, y1, x2, y2, colour});
        painted_ = true;
    }
    void drawShape(const CircleShape& shape) override {
        picture_.push_back(ShapeCall{shape, fillColor()});
        painted_ = true;
    }
    void clear() override {
        picture_.clear();
        painted_ = true;
    }

    const Picture& picture() const { return picture_; }
    // Whether anything was painted or cleared since the last call.
    bool takePainted() { return std::exchange(painted_, false); }

  private:
    Picture picture_;
    bool painted_ = false;
};

// What the step shows: a button by its plain name, a click by the scene it paints.
std::string pictureName(Action action, const Session& session) {
    if (hasButton(action)) {
        std::string name(nameOf(action).spoken);
        name.front() = static_cast<char>(std::tolower(static_cast<unsigned char>(name.front())));
        return name;
    }
    switch (session.story().scene()) {
    case Scene::Lair:
        return "lair";
    case Scene::Goblin:
        return "goblin";
    default:
        return "step " + std::to_string(session.story().storyStep());
    }
}

QString hex(Color colour) {
    return QString::asprintf("#%02x%02x%02x", redOf(colour), greenOf(colour), blueOf(colour));
}

} // namespace

void replay(const Picture& picture, Canvas& target) {
    for (const Primitive& primitive : picture) {
        if (const auto* line = std::get_if<LineCall>(&primitive)) {
            target.line(line->x1, line->y1, line->x2, line->y2, line->colour);
            continue;
        }
        const auto& shape = std::get<ShapeCall>(primitive);
        if (target.fillColor() != shape.fill)
            target.setFillColor(shape.fill);
        target.drawShape(shape.shape);
    }
}

std::vector<NamedPicture> playTour(std::uint64_t seed) {
    RecordingCanvas canvas;
    NoControls controls;
    Session session(canvas, controls, seed);
    std::vector<NamedPicture> pictures;
    // The default tour only acts: it never resizes the window.
    for (const TourStep& step : parseTour(DefaultTour).steps) {
        const Action action = std::get<Action>(step);
        session.perform(action).finish();
        if (canvas.takePainted())
            pictures.push_back({pictureName(action, session), canvas.picture()});
    }
    return pictures;
}

// Each picture's name with the primitives it is the first to paint: the lair's floor and hoard
// come back in every picture, and count once.
std::vector<NamedPicture> distinctByPicture(const std::vector<NamedPicture>& pictures) {
    std::set<Primitive> seen;
    std::vector<NamedPicture> kinds;
    for (const NamedPicture& picture : pictures) {
        auto kind = std::ranges::find(kinds, picture.name, &NamedPicture::name);
        if (kind == kinds.end())
            kind = kinds.insert(kinds.end(), {picture.name, {}});
        for (const Primitive& primitive : picture.primitives) {
            if (seen.insert(primitive).second)
                kind->primitives.push_back(primitive);
        }
    }
    return kinds;
}

// Enough digits to paint the primitive again exactly.
QString describe(const Primitive& primitive) {
    if (const auto* line = std::get_if<LineCall>(&primitive))
        return QString::asprintf("line (%.9g, %.9g) to (%.9g, %.9g) ", line->x1, line->y1, line->x2,
                                 line->y2) +
               hex(line->colour);
    const auto& [shape, fill] = std::get<ShapeCall>(primitive);
    const char* kind = shape.outline == Outline::Arc ? "arc"
                       : shape.aspect == 1.0f        ? "circle"
                                                     : "ellipse";
    QString text = QString::asprintf("%s at (%.9g, %.9g) radius %.9g aspect %.9g ", kind, shape.x,
                                     shape.y, shape.radius, shape.aspect) +
                   hex(shape.colour);
    if (shape.outline == Outline::Arc)
        return text + QString::asprintf(" from %.9g to %.9g", shape.start, shape.end);
    return text + " fill " + hex(fill);
}
