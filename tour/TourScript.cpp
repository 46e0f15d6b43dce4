#include "tour/TourScript.h"

#include <algorithm>
#include <charconv>

namespace {

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

} // namespace

std::optional<PixelSize> parseClientSize(std::string_view text) {
    const auto cross = text.find('x');
    if (cross == std::string_view::npos)
        return std::nullopt;
    const auto width = parseCount(text.substr(0, cross));
    const auto height = parseCount(text.substr(cross + 1));
    if (!width || !height || *width < 1 || *height < 1 || *width > LargestSide ||
        *height > LargestSide)
        return std::nullopt;
    return PixelSize{*width, *height};
}

ParsedTour parseTour(std::string_view text) {
    ParsedTour result;
    auto fail = [&](std::string message) {
        result.steps.clear();
        result.reason = std::move(message);
        return result;
    };
    std::size_t from = 0;
    for (;;) {
        const auto comma = text.find(',', from);
        const std::string_view item =
            trimmed(text.substr(from, comma == std::string_view::npos ? comma : comma - from));
        const std::string quoted = "'" + std::string(item) + "'";
        if (item.empty())
            return fail("has an empty step; separate the steps with single commas");
        if (item.starts_with("size:")) {
            const auto size = parseClientSize(item.substr(5));
            if (!size)
                return fail("step " + quoted + " wants size:WIDTHxHEIGHT, each from 1 to " +
                            std::to_string(LargestSide));
            result.steps.push_back(*size);
        } else {
            const auto star = item.find('*');
            const auto action = actionForStep(item.substr(0, star));
            if (!action)
                return fail("has an unknown step " + quoted + " (steps: " + stepList() + ")");
            int times = 1;
            if (star != std::string_view::npos) {
                const auto count = parseCount(item.substr(star + 1));
                if (!count || *count < 1 || *count > MostRepeats)
                    return fail("step " + quoted + " wants a count from 1 to " +
                                std::to_string(MostRepeats) + " after the '*'");
                times = *count;
            }
            result.steps.insert(result.steps.end(), static_cast<std::size_t>(times),
                                TourStep{*action});
        }
        if (comma == std::string_view::npos)
            return result;
        from = comma + 1;
    }
}

std::string stepList() {
    std::string list;
    for (const ActionName& entry : ActionNames) {
        list += std::string(entry.step) + ", ";
        if (entry.action == Action::Advance)
            list += std::string(entry.step) + "*N, ";
    }
    return list + "size:WxH";
}

std::string stepName(const TourStep& step) {
    if (const auto* size = std::get_if<PixelSize>(&step))
        return "size:" + std::to_string(size->width) + "x" + std::to_string(size->height);
    return std::string(nameOf(std::get<Action>(step)).step);
}

std::string buttonName(Action action) {
    std::string name(nameOf(action).caption);
    std::erase(name, '!');
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    return name;
}
