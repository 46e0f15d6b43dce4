#include "tour/PageLink.h"

#include "game/Seed.h"
#include "game/SpeedSteps.h"
#include "tour/PageText.h"
#include "tour/Rehearsal.h"

#include <algorithm>
#include <variant>

namespace {

// A value longer than this is cut short in a notice, and so is a reason.
constexpr std::size_t LongestQuoted = 40;
constexpr std::size_t LongestReason = 100;
// A link's steps are all painted before the page takes its first click: no more of them than
// the page paints well within a second. The fire ball, the costliest picture, paints 5.2 s of
// its own time; this allows the whole story and each attack once, not three fire balls.
constexpr std::int64_t MostLinkPaintingNs = 17'000'000'000;
constexpr std::size_t MostLinkSteps = 100;
// More notices than this are summed up in one line.
constexpr std::size_t MostNotices = 3;

struct Parameter {
    std::string name;
    std::string value;
    bool decoded = true; // false when a '%' is not followed by two hex digits
};

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Form encoding: '+' is a space and "%2C" a comma.
bool percentDecode(std::string_view text, std::string& out) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '+') {
            out += ' ';
        } else if (text[i] != '%') {
            out += text[i];
        } else {
            const int high = i + 2 < text.size() ? hexDigit(text[i + 1]) : -1;
            const int low = high >= 0 ? hexDigit(text[i + 2]) : -1;
            if (low < 0)
                return false;
            out += static_cast<char>(high * 16 + low);
            i += 2;
        }
    }
    return true;
}

std::vector<Parameter> splitQuery(std::string_view query) {
    if (query.starts_with('?'))
        query.remove_prefix(1);
    std::vector<Parameter> parameters;
    while (!query.empty()) {
        const std::size_t amp = std::min(query.find('&'), query.size());
        const std::string_view pair = query.substr(0, amp);
        query.remove_prefix(std::min(amp + 1, query.size()));
        if (pair.empty())
            continue;
        const std::size_t equals = std::min(pair.find('='), pair.size());
        Parameter parameter;
        parameter.decoded =
            percentDecode(pair.substr(0, equals), parameter.name) &&
            percentDecode(pair.substr(std::min(equals + 1, pair.size())), parameter.value);
        parameters.push_back(std::move(parameter));
    }
    return parameters;
}

// As written, but not too much of it, cut between characters, and with no control characters:
// the page shows it as text on one line.
std::string quoted(std::string_view text, std::size_t longest = LongestQuoted) {
    std::size_t length = std::min(text.size(), longest);
    while (length < text.size() && length > 0 && (text[length] & 0xC0) == 0x80)
        --length; // not inside a character's UTF-8 bytes
    std::string shown;
    for (const char c : text.substr(0, length))
        shown += (c >= 0 && c < ' ') || c == 0x7F ? '?' : c;
    return length < text.size() ? shown + "..." : shown;
}

// In the link's own terms: "?speed=9000 is ignored: wants 0 or 1/64 to 64", short enough for
// one line however long the reason quotes the link.
std::string ignored(const Parameter& parameter, const std::string& why) {
    std::string notice = "?";
    notice += quoted(parameter.name) + "=" + quoted(parameter.value);
    return notice + " is ignored: " + quoted(why, LongestReason);
}

// The tour's steps, or why it cannot be played.
std::variant<std::vector<TourStep>, std::string> playableTour(const std::string& text,
                                                              PixelSize page, ViewMode view,
                                                              Pointer pointer,
                                                              std::optional<std::uint64_t> seed) {
    ParsedTour tour = parseTour(text);
    if (!tour.reason.empty())
        return tour.reason;
    // Counted before it is rehearsed, which takes a moment for each picture.
    if (tour.steps.size() > MostLinkSteps)
        return "more than " + std::to_string(MostLinkSteps) + " steps";
    for (const TourStep& step : tour.steps)
        if (std::holds_alternative<PixelSize>(step))
            return "the page's size follows the browser, not " + stepName(step);
    const Rehearsal rehearsal = rehearse(tour.steps, page, seed, view, pointer);
    if (rehearsal.failure)
        return pageText(*rehearsal.failure);
    std::int64_t painting = 0;
    for (const std::int64_t ns : rehearsal.nominalNs)
        painting += ns;
    if (painting > MostLinkPaintingNs)
        return "more pictures than a link may paint before the first click";
    return std::move(tour.steps);
}

} // namespace

PageLink parsePageLink(std::string_view query, PixelSize page, ViewMode pageView, Pointer pointer) {
    PageLink link;
    const Parameter* play = nullptr;
    std::vector<std::string> seen;
    std::vector<Parameter> parameters = splitQuery(query);
    for (const Parameter& parameter : parameters) {
        const std::string& name = parameter.name;
        const std::string& value = parameter.value;
        const bool known =
            name == "seed" || name == "speed" || name == "view" || name == "mute" || name == "play";
        if (!parameter.decoded) {
            link.notices.push_back(ignored(parameter, "a '%' wants two hex digits after it"));
        } else if (!known) {
            link.notices.push_back(ignored(parameter, "not a setting of the game"));
        } else if (std::find(seen.begin(), seen.end(), name) != seen.end()) {
            link.notices.push_back(ignored(parameter, name + " is given earlier"));
        } else if (name == "seed") {
            link.seed = parseSeed(value);
            if (!link.seed)
                link.notices.push_back(
                    ignored(parameter, "wants a whole number from 0 to 18446744073709551615"));
        } else if (name == "speed") {
            link.speed = parseSpeed(value);
            if (!link.speed)
                link.notices.push_back(ignored(parameter, "wants 0 or 1/64 to 64"));
        } else if (name == "view") {
            link.view = viewNamed(value);
            if (!link.view)
                link.notices.push_back(ignored(parameter, "wants fit or actual"));
        } else if (name == "mute") {
            if (value == "1" || value == "0")
                link.mute = value == "1";
            else
                link.notices.push_back(ignored(parameter, "wants 1 or 0"));
        } else {
            // Rehearsed once the seed and the view are known, wherever they stand.
            play = &parameter;
        }
        if (parameter.decoded && known)
            seen.push_back(name);
    }
    if (play) {
        auto tour =
            playableTour(play->value, page, link.view.value_or(pageView), pointer, link.seed);
        if (auto* steps = std::get_if<std::vector<TourStep>>(&tour))
            link.tour = std::move(*steps);
        else
            link.notices.push_back(ignored(*play, std::get<std::string>(tour)));
    }
    if (link.notices.size() > MostNotices) {
        const std::size_t more = link.notices.size() - (MostNotices - 1);
        link.notices.resize(MostNotices - 1);
        link.notices.push_back("and " + std::to_string(more) + " more parameters are ignored");
    }
    return link;
}
