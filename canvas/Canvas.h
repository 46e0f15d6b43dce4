#pragma once

#include "canvas/Color.h"

// One Circle call as the painter made it. The radius is the horizontal radius when the aspect
// is below 1 and the vertical one when it is above 1; an arc runs counter-clockwise on screen
// from start to end (radians, 0 pointing right) and is never filled.
struct CircleShape {
    float x = 0;
    float y = 0;
    float radius = 0;
    Color colour = 0;
    float aspect = 1.0f;
    bool arc = false;
    float start = 0;
    float end = 0;

    float HorizontalRadius() const { return aspect > 1.0f ? radius / aspect : radius; }
    float VerticalRadius() const { return aspect > 1.0f ? radius : radius * aspect; }
};

// The drawing surface every picture is painted on. Coordinates are twips (15 to a logical
// pixel), origin top-left, y downwards; anything outside the client area is clipped.
class Canvas {
  public:
    virtual ~Canvas() = default;

    // A straight segment, both end points included.
    virtual void Line(float x1, float y1, float x2, float y2, Color colour) = 0;

    // A full circle: filled with FillColor, then outlined in the colour.
    void Circle(float x, float y, float radius, Color colour) {
        DrawCircle(CircleShape{x, y, radius, colour});
    }
    // A full ellipse with the given vertical-to-horizontal ratio.
    void Circle(float x, float y, float radius, Color colour, float aspect) {
        DrawCircle(CircleShape{x, y, radius, colour, aspect});
    }
    // An arc of a circle, outline only.
    void Circle(float x, float y, float radius, Color colour, float start, float end) {
        DrawCircle(CircleShape{x, y, radius, colour, 1.0f, true, start, end});
    }

    virtual void FillColor(Color colour) = 0;
    virtual Color FillColor() const = 0;
    virtual Color BackColor() const = 0;
    // The client area in twips; it follows the window as it is resized.
    virtual float ScaleWidth() const = 0;
    virtual float ScaleHeight() const = 0;
    // Clears the whole client area to BackColor.
    virtual void Cls() = 0;

    virtual void DrawCircle(const CircleShape& shape) = 0;

    static constexpr float TwipsPerPixel = 15.0f;
};
