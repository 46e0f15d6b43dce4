#include "game/Failure.h"

#include <new>

Failure Failure::of(std::string_view step, const std::exception& error) {
    if (dynamic_cast<const std::bad_alloc*>(&error))
        return {std::string(step), {}, true};
    return {std::string(step), error.what(), false};
}
