// brumox-pixels: the core's pictures as files, for the browser tests to compare the page with
// and for the web build's icons. No Qt: the same sources build it everywhere.
//
//   brumox-pixels icon SIZE OUT.pam
//   brumox-pixels page-tables
//   brumox-pixels tour [--size WxH] [--view fit|actual] [--ratio R] [--seed N] [--play STEPS]
//                 OUTDIR
//
// The tour plays at once on a canvas built as the desktop window builds it, and after the opening
// picture and after each step writes its device pixels as raw RGBA to OUTDIR/step-NN.rgba, with
// one JSON line on standard output for each: the file, its size, the caption and buttons shown,
// and how long the step's picture takes at the designed pace (nominalNs).
//
// page-tables writes, as one JSON object on standard output, what the web page's markup and
// script take from the core at build time: the game's name, the views' names, the saved
// pictures' name pattern, the buttons' look and the key table, each key as plain data.

#include "canvas/RasterCanvas.h"
#include "game/ButtonLook.h"
#include "game/Controls.h"
#include "game/IconPicture.h"
#include "game/KeyTable.h"
#include "game/Layout.h"
#include "game/PictureName.h"
#include "game/Seed.h"
#include "game/Session.h"
#include "tour/ExitStatus.h"
#include "tour/FailureText.h"
#include "tour/Json.h"
#include "tour/Rehearsal.h"
#include "tour/TourScript.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr double LeastRatio = 0.5, MostRatio = 8;

// A command line the tool cannot use; whatever else it throws is a failure while it runs.
class BadUsage : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// What the page shows besides the canvas: the caption while the label is shown, and the buttons
// in stacking order.
class ShownControls : public Controls {
  public:
    void setCaption(const std::string& text) override { caption_ = text; }
    void setLabelVisible(bool visible) override { labelVisible_ = visible; }
    void setButtonVisible(Action button, bool visible) override {
        shown_[static_cast<std::size_t>(button)] = visible;
    }
    std::string caption() const { return labelVisible_ ? caption_ : std::string(); }
    std::vector<std::string_view> buttons() const {
        std::vector<std::string_view> captions;
        for (const Action action : Layout::StackingOrder)
            if (shown_[static_cast<std::size_t>(action)])
                captions.push_back(nameOf(action).caption);
        return captions;
    }

  private:
    std::string caption_;
    bool labelVisible_ = true; // as a new window shows its empty label
    std::array<bool, ActionNames.size()> shown_{};
};

template <typename Number> std::optional<Number> number(std::string_view text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

void writeFile(const std::filesystem::path& path, const std::string& header,
               const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << header;
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

// Non-premultiplied RGBA, as a PAM's RGB_ALPHA wants it.
void writeIcon(int size, const std::filesystem::path& path) {
    const PixelBuffer icon = paintIcon(size);
    std::vector<unsigned char> bytes;
    for (int y = 0; y < icon.height(); ++y)
        for (int x = 0; x < icon.width(); ++x) {
            const Pixel pixel = icon.pixel(x, y);
            bytes.insert(bytes.end(),
                         {static_cast<unsigned char>(pixel >> 16),
                          static_cast<unsigned char>(pixel >> 8), static_cast<unsigned char>(pixel),
                          static_cast<unsigned char>(pixel >> 24)});
        }
    const std::string side = std::to_string(size);
    writeFile(path,
              "P7\nWIDTH " + side + "\nHEIGHT " + side +
                  "\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n",
              bytes);
}

struct TourOptions {
    PixelSize size = DesignSize;
    ViewMode view = ViewMode::Actual;
    double ratio = 1;
    Pointer pointer = Pointer::Fine;
    int menu = 0; // the page's menu button, a side
    std::optional<std::uint64_t> seed;
    std::vector<TourStep> steps;
    std::filesystem::path folder;
};

TourOptions tourOptions(const std::vector<std::string_view>& arguments) {
    TourOptions options;
    std::string_view play = DefaultTour;
    std::optional<std::string_view> folder;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (!argument.starts_with("--")) {
            if (folder)
                throw BadUsage("one OUTDIR only, not also '" + std::string(argument) + "'");
            folder = argument;
            continue;
        }
        if (i + 1 == arguments.size())
            throw BadUsage(std::string(argument) + " wants a value");
        const std::string_view value = arguments[++i];
        const auto bad = [&](const std::string& wants) {
            return BadUsage(std::string(argument) + " wants " + wants + ", not '" +
                            std::string(value) + "'");
        };
        if (argument == "--size") {
            const auto size = parseClientSize(value);
            if (!size)
                throw bad("WIDTHxHEIGHT");
            options.size = *size;
        } else if (argument == "--view") {
            const std::optional<ViewMode> view = viewNamed(value);
            if (!view)
                throw bad("fit or actual");
            options.view = *view;
        } else if (argument == "--ratio") {
            const auto ratio = number<double>(value);
            if (!ratio || !(*ratio >= LeastRatio && *ratio <= MostRatio))
                throw bad("a number from 0.5 to 8");
            options.ratio = *ratio;
        } else if (argument == "--pointer") {
            if (value != "fine" && value != "coarse")
                throw bad("fine or coarse");
            options.pointer = value == "coarse" ? Pointer::Coarse : Pointer::Fine;
        } else if (argument == "--menu") {
            const auto menu = number<int>(value);
            if (!menu || *menu < 0 || *menu > 200)
                throw bad("a whole number from 0 to 200");
            options.menu = *menu;
        } else if (argument == "--seed") {
            options.seed = parseSeed(value);
            if (!options.seed)
                throw bad("a whole number of 0 or more");
        } else if (argument == "--play") {
            play = value;
        } else {
            throw BadUsage("unknown option " + std::string(argument));
        }
    }
    if (!folder)
        throw BadUsage("tour wants an OUTDIR");
    options.folder = *folder;
    ParsedTour tour = parseTour(play);
    if (!tour.reason.empty())
        throw BadUsage("--play " + tour.reason);
    for (const TourStep& step : tour.steps)
        if (std::holds_alternative<PixelSize>(step))
            throw BadUsage("--play: the window keeps its --size, so no " + stepName(step));
    const Rehearsal rehearsal =
        rehearse(tour.steps, options.size, options.seed, options.view, options.pointer);
    if (const std::optional<Failure>& failure = rehearsal.failure) {
        if (failure->kind == Failure::Kind::RefusedStep)
            throw BadUsage(commandLineText(*failure));
        throw std::runtime_error(commandLineText(*failure));
    }
    options.steps = std::move(tour.steps);
    return options;
}

// The client area's device pixels as R, G, B, 255, rows top down, and the line that says so.
void writeStep(std::size_t index, const RasterCanvas& canvas, const ShownControls& controls,
               std::int64_t nominalNs, const std::filesystem::path& folder) {
    char name[32];
    std::snprintf(name, sizeof name, "step-%02zu.rgba", index);
    const PixelSize size = canvas.deviceSize();
    std::vector<unsigned char> bytes;
    bytes.reserve(static_cast<std::size_t>(size.width) * static_cast<std::size_t>(size.height) * 4);
    for (int y = 0; y < size.height; ++y) {
        const Pixel* row = canvas.pixels().row(y);
        for (int x = 0; x < size.width; ++x)
            bytes.insert(bytes.end(), {static_cast<unsigned char>(row[x] >> 16),
                                       static_cast<unsigned char>(row[x] >> 8),
                                       static_cast<unsigned char>(row[x]), 255});
    }
    writeFile(folder / name, {}, bytes);
    JsonWriter json;
    json.beginObject().key("file").string(name);
    json.key("width").integer(size.width).key("height").integer(size.height);
    json.key("caption").string(controls.caption()).key("buttons").beginArray();
    for (const std::string_view caption : controls.buttons())
        json.string(caption);
    json.endArray().key("nominalNs").integer(nominalNs).endObject();
    std::cout << json.text() << '\n';
}

void playTour(const TourOptions& options) {
    std::error_code error;
    std::filesystem::create_directories(options.folder, error);
    if (error)
        throw std::runtime_error("cannot make " + options.folder.string() + ": " + error.message());
    const Layout layout(options.size, options.view, options.ratio, options.pointer,
                        {options.menu, options.menu});
    RasterCanvas canvas(layout.client(), layout.zoom() * options.ratio);
    ShownControls controls;
    Session session(canvas, controls, options.seed);
    writeStep(0, canvas, controls, 0, options.folder);
    for (std::size_t i = 0; i < options.steps.size(); ++i) {
        session.perform(std::get<Action>(options.steps[i])).finish();
        writeStep(i + 1, canvas, controls, session.timeline().nominalNs(), options.folder);
    }
}

// A key as the page's script matches it against a browser's key event.
void writeKey(JsonWriter& json, const Key& key) {
    json.beginObject();
    if (key.named == NamedKey::None)
        json.key("character").string(std::string(1, key.character));
    else
        json.key("named").string(keyName(key.named));
    if (key.ctrl)
        json.key("ctrl").boolean(true);
    if (key.keypad)
        json.key("keypad").boolean(true);
    json.endObject();
}

void writePageTables() {
    JsonWriter json;
    json.beginObject().key("name").string(GameName);
    json.key("views").beginArray();
    json.string(viewName(ViewMode::Fit)).string(viewName(ViewMode::Actual)).endArray();
    json.key("pictureName").string(PictureNamePattern);
    json.key("button").beginObject().key("padding").beginArray();
    json.integer(CaptionPaddingX).integer(CaptionPaddingY).endArray();
    json.key("ring").beginObject().key("inset").integer(FocusRingInset);
    json.key("least").integer(FocusRingLeast).key("per").integer(FocusRingPer);
    json.endObject().endObject().key("keys").beginArray();
    for (const KeyBinding& binding : KeyTable) {
        const std::string_view does = std::holds_alternative<Action>(binding.does)
                                          ? nameOf(std::get<Action>(binding.does)).step
                                          : commandName(std::get<WindowCommand>(binding.does));
        json.beginObject().key("does").string(does).key("keys").beginArray();
        for (const Key& key : binding.keys)
            writeKey(json, key);
        json.endArray().key("names").string(binding.names()).key("help").string(binding.help);
        json.endObject();
    }
    std::cout << json.endArray().endObject().text() << '\n';
}

void run(const std::vector<std::string_view>& arguments) {
    if (arguments.empty())
        throw BadUsage("usage: brumox-pixels icon SIZE OUT.pam | brumox-pixels page-tables | "
                       "brumox-pixels tour "
                       "[--size WxH] [--view fit|actual] [--ratio R] [--pointer fine|coarse] "
                       "[--menu N] [--seed N] [--play STEPS] OUTDIR");
    const std::string_view command = arguments[0];
    if (command == "icon") {
        if (arguments.size() != 3)
            throw BadUsage("icon wants SIZE and OUT.pam");
        const auto size = number<int>(arguments[1]);
        if (!size || *size < 1 || *size > LargestIcon)
            throw BadUsage("icon SIZE wants a whole number from 1 to " +
                           std::to_string(LargestIcon) + ", not '" + std::string(arguments[1]) +
                           "'");
        writeIcon(*size, arguments[2]);
    } else if (command == "page-tables") {
        if (arguments.size() != 1)
            throw BadUsage("page-tables wants nothing more");
        writePageTables();
    } else if (command == "tour") {
        playTour(tourOptions({arguments.begin() + 1, arguments.end()}));
    } else {
        throw BadUsage("no command '" + std::string(command) + "': icon, page-tables or tour");
    }
}

} // namespace

int main(int argc, char** argv) {
    try {
        run({argv + 1, argv + argc});
    } catch (const BadUsage& error) {
        std::cerr << "brumox-pixels: " << error.what() << '\n';
        return UsageError;
    } catch (const std::exception& error) {
        std::cerr << "brumox-pixels: " << commandLineText(Failure::of({}, error)) << '\n';
        return RunFailure;
    }
    return 0;
}
