#include "canvas/PrimitiveCost.h"

#include "canvas/Twips.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Share of the box [x0, x1] x [y0, y1] that lies inside the client area.
double insideShare(double x0, double y0, double x1, double y1, double width, double height) {
    const double w = std::max(x1 - x0, 1.0);
    const double h = std::max(y1 - y0, 1.0);
    const double cw = std::clamp(std::min(x1, width) - std::max(x0, 0.0), 0.0, w);
    const double ch = std::clamp(std::min(y1, height) - std::max(y0, 0.0), 0.0, h);
    return (cw / w) * (ch / h);
}

} // namespace

double linePixels(float x1, float y1, float x2, float y2, double width, double height) {
    // Liang-Barsky: keep the parameter range [t0, t1] of the segment inside the client area.
    const double ax = toPixelsPrecise(x1), ay = toPixelsPrecise(y1);
    const double dx = toPixelsPrecise(x2) - ax, dy = toPixelsPrecise(y2) - ay;
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {ax, width - ax, ay, height - ay};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return 0;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return 0;
    }
    return std::max(std::abs(dx), std::abs(dy)) * (t1 - t0) + 1;
}

double circlePixels(const CircleShape& shape, double width, double height) {
    const double cx = toPixelsPrecise(shape.x), cy = toPixelsPrecise(shape.y);
    const double rx = toPixelsPrecise(std::abs(shape.horizontalRadius()));
    const double ry = toPixelsPrecise(std::abs(shape.verticalRadius()));
    const double share = insideShare(cx - rx, cy - ry, cx + rx, cy + ry, width, height);
    if (shape.outline == Outline::Arc) {
        double span = shape.end - shape.start;
        if (span < 0)
            span += 2 * std::numbers::pi;
        return span * (rx + ry) / 2 * share + 1;
    }
    return std::numbers::pi * rx * ry * share + 1;
}
