#pragma once

#include "canvas/Canvas.h"

// How many logical pixels a primitive covers once clipped to a client area of the given size
// (logical pixels): the pixel share of its cost on the pacing timeline.
double linePixels(float x1, float y1, float x2, float y2, double width, double height);
double circlePixels(const CircleShape& shape, double width, double height);
