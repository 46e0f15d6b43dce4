#pragma once

#include "canvas/Color.h"

// A whole circle or ellipse, filled and then outlined, or an open arc of a circle.
enum class Outline { Closed, Arc };

// One circle, ellipse or arc as a painter asked for it. The radius is the horizontal radius
// when the aspect is below 1 and the vertical one when it is above 1; an arc runs
// counter-clockwise on screen from start to end (radians, 0 pointing right) and is never filled.
struct CircleShape {
    float x = 0;
    float y = 0;
    float radius = 0;
    Color colour = 0;
    float aspect = 1.0f;
    Outline outline = Outline::Closed;
    float start = 0;
    float end = 0;

    float horizontalRadius() const { return aspect > 1.0f ? radius / aspect : radius; }
    float verticalRadius() const { return aspect > 1.0f ? radius : radius * aspect; }
};

// The drawing surface every picture is painted on. Coordinates are twips, origin top-left,
// y downwards; anything outside the client area is clipped.
class Canvas {
  public:
    virtual ~Canvas() = default;

    // A straight segment, both end points included.
    virtual void line(float x1, float y1, float x2, float y2, Color colour) = 0;

    // A full circle: filled with fillColor(), then outlined in the colour.
    void circle(float x, float y, float radius, Color colour) {
        drawShape(CircleShape{x, y, radius, colour});
    }
    // A full ellipse with the given vertical-to-horizontal ratio, filled like a circle.
    void ellipse(float x, float y, float radius, Color colour, float aspect) {
        drawShape(CircleShape{x, y, radius, colour, aspect});
    }
    // Part of a circle's outline, never filled.
    void arc(float x, float y, float radius, Color colour, float start, float end) {
        drawShape(CircleShape{x, y, radius, colour, 1.0f, Outline::Arc, start, end});
    }
    virtual void drawShape(const CircleShape& shape) = 0;

    // Shared by every painter that fills: each sets it before drawing, and it keeps the last
    // value set by anyone.
    virtual void setFillColor(Color colour) = 0;
    virtual Color fillColor() const = 0;
    // Painters erase by painting in it.
    virtual Color background() const = 0;
    // The client area in twips; it follows the window as it is resized.
    virtual float width() const = 0;
    virtual float height() const = 0;
    // Paints the whole client area in background().
    virtual void clear() = 0;
};
