#include "record/TourSteps.h"

#include "game/Story.h"
#include "pacing/PacedCanvas.h"
#include "stage/Controls.h"
#include "stage/RandomSource.h"
#include "stage/Stage.h"

#include <array>
#include <charconv>
#include <exception>

namespace {

using Action = TourStep::Action;
using Button = GameView::Button;

// A whole number with nothing around it (no sign, no spaces).
std::optional<int> parseCount(std::string_view text) {
    int value = 0;
    const char* end = text.data() + text.size();
    if (text.empty() || text.front() < '0' || text.front() > '9')
        return std::nullopt;
    const auto [stop, problem] = std::from_chars(text.data(), end, value);
    if (problem != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

struct Named {
    std::string_view name;
    Action action;
};
constexpr std::array<Named, 6> names = {{{"click", Action::Click},
                                         {"fire", Action::FireBall},
                                         {"flame", Action::Flame},
                                         {"eat", Action::Eat},
                                         {"again", Action::TryAgain},
                                         {"restart", Action::Restart}}};

std::optional<Action> actionNamed(std::string_view name) {
    for (const Named& entry : names)
        if (entry.name == name)
            return entry.action;
    return std::nullopt;
}

// A surface that keeps nothing but its size: the painters still charge every primitive to the
// timeline and still check their arithmetic.
class BlankCanvas : public Canvas {
  public:
    explicit BlankCanvas(ClientSize size) : size_(size) {}
    void Resize(ClientSize size) { size_ = size; }

    void Line(float, float, float, float, Color) override {}
    void DrawCircle(const CircleShape&) override {}
    void FillColor(Color colour) override { fill_ = colour; }
    Color FillColor() const override { return fill_; }
    Color BackColor() const override { return RGB(64, 64, 64); }
    float ScaleWidth() const override { return static_cast<float>(size_.width) * TwipsPerPixel; }
    float ScaleHeight() const override { return static_cast<float>(size_.height) * TwipsPerPixel; }
    void Cls() override {}

  private:
    ClientSize size_;
    Color fill_ = 0;
};

class ButtonBoard : public GameView {
  public:
    void SetCaption(const std::string&) override {}
    void SetLabelVisible(bool) override {}
    void SetButtonVisible(Button button, bool visible) override {
        shown_[static_cast<std::size_t>(button)] = visible;
    }
    bool Shown(Button button) const { return shown_[static_cast<std::size_t>(button)]; }

  private:
    std::array<bool, 5> shown_{};
};

struct Press {
    Button button;
    const char* caption;
    void (Story::*handler)();
};

std::optional<Press> pressFor(Action action) {
    switch (action) {
    case Action::FireBall:
        return Press{Button::FireBall, "FIRE BALL", &Story::cmdFireBall_Click};
    case Action::Flame:
        return Press{Button::Flame, "FLAME BREATH", &Story::cmdFlame_Click};
    case Action::Eat:
        return Press{Button::Eat, "EAT HIM", &Story::cmdEat_Click};
    case Action::TryAgain:
        return Press{Button::TryAgain, "Try Another Choice", &Story::cmdTryAgain_Click};
    case Action::Restart:
        return Press{Button::Restart, "Start Over", &Story::cmdRestart_Click};
    case Action::Click:
    case Action::Resize:
        break;
    }
    return std::nullopt;
}

} // namespace

std::optional<ClientSize> ParseClientSize(std::string_view text) {
    const auto cross = text.find('x');
    if (cross == std::string_view::npos)
        return std::nullopt;
    const auto width = parseCount(text.substr(0, cross));
    const auto height = parseCount(text.substr(cross + 1));
    if (!width || !height || *width < 1 || *height < 1 || *width > LargestSide ||
        *height > LargestSide)
        return std::nullopt;
    return ClientSize{*width, *height};
}

ParsedTour ParseTour(std::string_view text) {
    ParsedTour result;
    auto fail = [&](std::string message) {
        result.steps.clear();
        result.error = std::move(message);
        return result;
    };
    std::size_t from = 0;
    for (;;) {
        const auto comma = text.find(',', from);
        const std::string_view item =
            trimmed(text.substr(from, comma == std::string_view::npos ? comma : comma - from));
        const std::string quoted = "'" + std::string(item) + "'";
        if (item.empty())
            return fail("--play has an empty step; separate the steps with single commas");
        if (item.starts_with("size:")) {
            const auto size = ParseClientSize(item.substr(5));
            if (!size)
                return fail("--play step " + quoted + " wants size:WIDTHxHEIGHT, each from 1 to " +
                            std::to_string(LargestSide));
            result.steps.push_back({Action::Resize, *size});
        } else {
            const auto star = item.find('*');
            const auto action = actionNamed(item.substr(0, star));
            if (!action)
                return fail("--play has an unknown step " + quoted +
                            " (steps: click, click*N, fire, flame, eat, again, restart, size:WxH)");
            int times = 1;
            if (star != std::string_view::npos) {
                const auto count = parseCount(item.substr(star + 1));
                if (!count || *count < 1 || *count > MostRepeats)
                    return fail("--play step " + quoted + " wants a count from 1 to " +
                                std::to_string(MostRepeats) + " after the '*'");
                times = *count;
            }
            result.steps.insert(result.steps.end(), static_cast<std::size_t>(times),
                                TourStep{*action, {}});
        }
        if (comma == std::string_view::npos)
            return result;
        from = comma + 1;
    }
}

std::string StepName(const TourStep& step) {
    if (step.action == Action::Resize)
        return "size:" + std::to_string(step.size.width) + "x" + std::to_string(step.size.height);
    for (const Named& entry : names)
        if (entry.action == step.action)
            return std::string(entry.name);
    return "?";
}

Rehearsal RehearseTour(const std::vector<TourStep>& steps, ClientSize start,
                       std::optional<std::uint64_t> seed) {
    BlankCanvas blank(start);
    Timeline timeline;
    PacedCanvas paced(blank, timeline);
    RandomSource random =
        seed ? RandomSource(*seed, [] { return std::uint64_t{0}; }) : RandomSource();
    ButtonBoard board;
    Stage stage{paced, random, timeline, board};
    Story story(stage);
    story.Form_Load();

    Rehearsal result;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const TourStep& step = steps[i];
        const std::string where =
            "--play step " + std::to_string(i + 1) + " '" + StepName(step) + "'";
        timeline.Restart();
        try {
            if (step.action == Action::Resize) {
                blank.Resize(step.size);
            } else if (step.action == Action::Click) {
                story.Form_Click();
            } else {
                const Press press = *pressFor(step.action);
                if (!board.Shown(press.button)) {
                    result.error =
                        where + ": the " + press.caption + " button is not on screen at that point";
                    return result;
                }
                (story.*press.handler)();
            }
        } catch (const std::exception& error) {
            result.error = where + " stops the game with a run-time error: " + error.what();
            return result;
        }
        result.nominalNs.push_back(timeline.NominalNs());
    }
    return result;
}
