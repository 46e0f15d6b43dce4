#include "tour/Rehearsal.h"

#include "canvas/Palette.h"
#include "canvas/Twips.h"
#include "game/NoControls.h"
#include "game/Session.h"

#include <exception>
#include <new>
#include <string>

namespace {

// A surface that keeps nothing but its size: the painters still charge every primitive to the
// timeline and still check their arithmetic.
class BlankCanvas : public Canvas {
  public:
    explicit BlankCanvas(PixelSize size) : size_(size) {}
    void resize(PixelSize size) { size_ = size; }

    void line(float, float, float, float, Color) override {}
    void drawShape(const CircleShape&) override {}
    void setFillColor(Color colour) override { fill_ = colour; }
    Color fillColor() const override { return fill_; }
    Color background() const override { return Palette::Background; }
    float width() const override { return static_cast<float>(size_.width) * TwipsPerPixel; }
    float height() const override { return static_cast<float>(size_.height) * TwipsPerPixel; }
    void clear() override {}

  private:
    PixelSize size_;
    Color fill_ = 0;
};

std::string dimensions(PixelSize size) {
    return std::to_string(size.width) + "x" + std::to_string(size.height);
}

// The window cannot be made smaller, so a recording could not be made at that size.
std::string tooSmall(PixelSize size) {
    if (size.width >= MinimumSize.width && size.height >= MinimumSize.height)
        return {};
    return "the window is at least " + dimensions(MinimumSize) + ", not " + dimensions(size);
}

} // namespace

Rehearsal rehearse(const std::vector<TourStep>& steps, PixelSize start,
                   std::optional<std::uint64_t> seed, ViewMode view, Pointer pointer) {
    // What the painters see: in actual size the panel, where the controls need one, takes its
    // share of the window.
    const auto clientOf = [&](PixelSize window) {
        return Layout(window, view, 1.0, pointer).client();
    };
    BlankCanvas blank(clientOf(start));
    NoControls controls;
    Session session(blank, controls, seed);

    Rehearsal result;
    const auto refuse = [&result](std::size_t number, std::string step, std::string reason) {
        result.failure = Failure::refusedStep(number, std::move(step), std::move(reason));
        return result;
    };
    if (const std::string error = tooSmall(start); !error.empty())
        return refuse(0, {}, error);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const TourStep& step = steps[i];
        if (const auto* size = std::get_if<PixelSize>(&step)) {
            if (const std::string error = tooSmall(*size); !error.empty())
                return refuse(i + 1, stepName(step), error);
            blank.resize(clientOf(*size));
            result.nominalNs.push_back(0);
            continue;
        }
        const Action action = std::get<Action>(step);
        if (!session.offers(action))
            return refuse(i + 1, stepName(step),
                          "the " + buttonName(action) + " button is not on screen at that point");
        try {
            session.perform(action).finish();
        } catch (const std::bad_alloc&) {
            result.failure = Failure::outOfMemory();
            return result;
        } catch (const std::exception& error) {
            return refuse(i + 1, stepName(step),
                          std::string("it stops the game with a run-time error: ") + error.what());
        }
        result.nominalNs.push_back(session.timeline().nominalNs());
    }
    return result;
}
