#include "game/Failure.h"

#include <new>

Failure Failure::of(std::string_view step, const std::exception& error) {
    if (dynamic_cast<const std::bad_alloc*>(&error))
        return {Kind::OutOfMemory, std::string(step), 0, {}, {}};
    return {Kind::PictureError, std::string(step), 0, {}, error.what()};
}
