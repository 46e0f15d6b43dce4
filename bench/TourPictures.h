#pragma once

#include "canvas/Canvas.h"

#include <QString>

#include <cstdint>
#include <string>
#include <tuple>
#include <variant>
#include <vector>

// The default tour's pictures as the primitives each paints, to be painted again on any canvas.

struct LineCall {
    float x1, y1, x2, y2;
    Color colour;
    auto operator<=>(const LineCall&) const = default;
};
struct ShapeCall {
    CircleShape shape;
    Color fill; // the fill colour when it was drawn

    // Calls that paint the same pixels in the same colours are equal: an arc is never filled.
    auto fields() const {
        return std::tuple(shape.x, shape.y, shape.radius, shape.colour, shape.aspect, shape.outline,
                          shape.start, shape.end, shape.outline == Outline::Arc ? Color{} : fill);
    }
    auto operator<=>(const ShapeCall& other) const { return fields() <=> other.fields(); }
    bool operator==(const ShapeCall& other) const { return fields() == other.fields(); }
};
using Primitive = std::variant<LineCall, ShapeCall>;

using Picture = std::vector<Primitive>;

struct NamedPicture {
    std::string name;
    Picture primitives;
};

void replay(const Picture& picture, Canvas& target);
// Each picture the default tour paints with the seed, named as a player would call it.
std::vector<NamedPicture> playTour(std::uint64_t seed);
// Each picture's name with the primitives it is the first to paint: the lair's floor and hoard
// come back in every picture, and count once.
std::vector<NamedPicture> distinctByPicture(const std::vector<NamedPicture>& pictures);
// Enough digits to paint the primitive again exactly.
QString describe(const Primitive& primitive);
