#include "canvas/Rasteriser.h"

#include "canvas/ExactTrig.h"
#include "canvas/SpanUnion.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

// Far beyond any picture, and small enough that products of two coordinates in 1/256 pixel stay
// exact in 64-bit integers.
constexpr double Reach = 1 << 20;

// Rounded to 1/256 of a pixel, so that a pixel centre's offset from it is exact in double.
double snap(double value) {
    return std::round(std::clamp(value, -Reach, Reach) * 256.0) / 256.0;
}

// Floor and ceiling of values well within 64 bits, without a call into the C library.
std::int64_t floorOf(double value) {
    const auto truncated = static_cast<std::int64_t>(value);
    return truncated - (value < static_cast<double>(truncated));
}

std::int64_t ceilOf(double value) {
    const auto truncated = static_cast<std::int64_t>(value);
    return truncated + (value > static_cast<double>(truncated));
}

std::int64_t pixelOf(double coordinate) {
    return floorOf(coordinate);
}

std::int64_t floorDiv(std::int64_t numerator, std::int64_t denominator) {
    const std::int64_t quotient = numerator / denominator;
    return quotient * denominator > numerator ? quotient - 1 : quotient;
}

// The pixels of one row a shape covers, from..to inclusive; empty when from > to.
struct Span {
    std::int64_t from = 1;
    std::int64_t to = 0;

    bool isEmpty() const { return from > to; }
    Span within(Span other) const { return {std::max(from, other.from), std::min(to, other.to)}; }
};

// The columns whose centre lies strictly within `halfWidth` of x.
Span centresWithin(double x, double halfWidth) {
    if (!(halfWidth > 0))
        return {};
    const auto inside = [x, halfWidth](std::int64_t i) {
        return std::abs(i + 0.5 - x) < halfWidth;
    };
    Span span{floorOf(x - 0.5 - halfWidth) + 1, ceilOf(x - 0.5 + halfWidth) - 1};
    while (inside(span.from - 1))
        --span.from;
    while (inside(span.to + 1))
        ++span.to;
    while (span.from <= span.to && !inside(span.from))
        ++span.from;
    while (span.to >= span.from && !inside(span.to))
        --span.to;
    return span;
}

// An axis-aligned ellipse, row by row.
struct Ellipse {
    double x, y, a, b;
    // Whether the row and column holding the centre always count, so that it never vanishes.
    bool solid;

    std::int64_t top() const { return pixelOf(y - b) - 1; }
    std::int64_t bottom() const { return pixelOf(y + b) + 1; }

    Span row(std::int64_t j) const {
        const double dy = j + 0.5 - y;
        Span span;
        if (b > 0 && std::abs(dy) < b) {
            const double t = dy / b;
            span = centresWithin(x, a * std::sqrt(1.0 - t * t));
        } else if (!solid || j != pixelOf(y)) {
            return {};
        }
        if (solid) {
            const std::int64_t centre = pixelOf(x);
            span = span.isEmpty() ? Span{centre, centre}
                                  : Span{std::min(span.from, centre), std::max(span.to, centre)};
        }
        return span;
    }
};

double cross(double ax, double ay, double bx, double by) {
    return ax * by - ay * bx;
}

// Which pixel centres lie in an arc's angle range, seen from its centre.
class AngleRange {
  public:
    AngleRange(double x, double y, double start, double end)
        : x_(x), y_(y), start_(start), end_(end) {
        constexpr double TwoPi = 2 * 3.141592653589793;
        double span = end - start;
        // Below a whole turn only the two directions count, however many turns back the end is.
        if (span < 0)
            span -= std::floor(span / TwoPi) * TwoPi;
        whole_ = span >= TwoPi;
        wide_ = span > TwoPi / 2;
        empty_ = span == 0;
    }

    bool isEmpty() const { return empty_; }

    bool holds(std::int64_t i, std::int64_t j) const {
        if (whole_)
            return true;
        const double vx = i + 0.5 - x_;
        const double vy = y_ - (j + 0.5);
        const bool afterStart = cross(start_.x, start_.y, vx, vy) >= 0;
        const bool beforeEnd = cross(vx, vy, end_.x, end_.y) >= 0;
        return wide_ ? afterStart || beforeEnd : afterStart && beforeEnd;
    }

  private:
    double x_, y_;
    Direction start_, end_;
    bool whole_ = false, wide_ = false, empty_ = false;
};

// A half-plane k * x + m >= 0 (or > 0, where the edge does not count) as a side of a wide line,
// with m changing along y as m1 * y + m0, and the pixels whose centre it holds on a row.
class Side {
  public:
    Side() = default;
    Side(double k, double m1, double m0, bool inclusive)
        : k_(k), m1_(m1), m0_(m0), inclusive_(inclusive) {
        // Where the row y crosses the side, less the half pixel to a centre: b1 * y + b0.
        if (k != 0) {
            b1_ = -m1 / k;
            b0_ = -m0 / k - 0.5;
        }
    }

    // Narrows the columns first..last to those whose centre (i + 1/2, y) the side holds.
    void narrow(double y, std::int64_t& first, std::int64_t& last) const {
        if (k_ == 0) {
            const double m = m1_ * y + m0_;
            if (!(inclusive_ ? m >= 0 : m > 0))
                last = first - 1;
            return;
        }
        // Within a std::int64_t: coordinates are within Reach and slopes within 256 * Reach.
        const double at = b1_ * y + b0_;
        if (k_ > 0)
            first = std::max(first, inclusive_ ? ceilOf(at) : floorOf(at) + 1);
        else
            last = std::min(last, inclusive_ ? floorOf(at) : ceilOf(at) - 1);
    }

  private:
    double k_ = 0, m1_ = 0, m0_ = 0, b1_ = 0, b0_ = 0;
    bool inclusive_ = false;
};

// Whether an edge whose inside lies along (nx, ny) is a right edge (the inside to its left) or a
// bottom one (horizontal, the inside above it).
bool bottomOrRight(double nx, double ny) {
    return nx < 0 || (nx == 0 && ny < 0);
}

PixelRect rectOf(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom) {
    if (left > right || top > bottom)
        return {};
    return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left + 1),
            static_cast<int>(bottom - top + 1)};
}

} // namespace

Rasteriser::Rasteriser(PixelBuffer& target, int lineWidth)
    : target_(target), lineWidth_(std::max(1, lineWidth)) {}

void Rasteriser::paintSpan(std::int64_t y, std::int64_t from, std::int64_t to, Pixel colour) {
    if (y < 0 || y >= target_.height())
        return;
    from = std::max<std::int64_t>(from, 0);
    to = std::min(to, static_cast<std::int64_t>(target_.width()) - 1);
    if (from > to)
        return;
    if (collector_) {
        collector_->add(static_cast<int>(y), static_cast<int>(from), static_cast<int>(to));
        return;
    }
    Pixel* row = target_.row(static_cast<int>(y));
    std::fill(row + from, row + to + 1, colour);
}

PixelRect Rasteriser::line(double x1, double y1, double x2, double y2, Pixel colour) {
    if (std::isnan(x1) || std::isnan(y1) || std::isnan(x2) || std::isnan(y2))
        return {};
    x1 = snap(x1), y1 = snap(y1), x2 = snap(x2), y2 = snap(y2);
    // Taken from its left end, or its top end if vertical, so that both directions round alike.
    if (x2 < x1 || (x2 == x1 && y2 < y1)) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    const PixelRect painted =
        lineWidth_ == 1 ? thinLine(x1, y1, x2, y2, colour) : wideLine(x1, y1, x2, y2, colour);
    return painted.isEmpty() ? PixelRect{}
                             : rectOf(std::max(painted.x, 0), std::max(painted.y, 0),
                                      std::min(painted.x + painted.width, target_.width()) - 1,
                                      std::min(painted.y + painted.height, target_.height()) - 1);
}

PixelRect Rasteriser::thinLine(double x1, double y1, double x2, double y2, Pixel colour) {
    // In 1/256 pixel, exact: the coordinates were snapped to that.
    std::int64_t fromX = std::lround(x1 * 256), fromY = std::lround(y1 * 256);
    std::int64_t toX = std::lround(x2 * 256), toY = std::lround(y2 * 256);
    const bool steep = std::abs(toY - fromY) > std::abs(toX - fromX);
    if (steep) {
        std::swap(fromX, fromY);
        std::swap(toX, toY);
    }
    if (toX < fromX) {
        std::swap(fromX, toX);
        std::swap(fromY, toY);
    }
    const std::int64_t firstMajor = floorDiv(fromX, 256), lastMajor = floorDiv(toX, 256);
    const std::int64_t limit = steep ? target_.height() - 1 : target_.width() - 1;
    const std::int64_t first = std::max<std::int64_t>(firstMajor, 0),
                       last = std::min(lastMajor, limit);
    const std::int64_t dx = toX - fromX, dy = toY - fromY;
    const auto paint = [&](std::int64_t major, std::int64_t minor) {
        steep ? paintSpan(major, minor, minor, colour) : paintSpan(minor, major, major, colour);
    };
    std::int64_t minorFrom = floorDiv(fromY, 256), minorTo = floorDiv(toY, 256);
    if (dx == 0) {
        paint(firstMajor, minorFrom);
    } else {
        // The minor pixel at the centre of major pixel m: floor((fromY * dx + (256 m + 128 -
        // fromX) * dy) / (256 dx)), kept as a quotient and a remainder from one pixel to the next.
        const std::int64_t denominator = 256 * dx;
        const auto numeratorAt = [&](std::int64_t major) {
            return fromY * dx + (256 * major + 128 - fromX) * dy;
        };
        minorFrom = floorDiv(numeratorAt(firstMajor), denominator);
        minorTo = floorDiv(numeratorAt(lastMajor), denominator);
        if (first <= last) {
            const std::int64_t start = numeratorAt(first);
            std::int64_t minor = floorDiv(start, denominator);
            std::int64_t remainder = start - minor * denominator;
            for (std::int64_t major = first; major <= last; ++major) {
                paint(major, minor);
                remainder += 256 * dy;
                if (remainder >= denominator)
                    remainder -= denominator, ++minor;
                else if (remainder < 0)
                    remainder += denominator, --minor;
            }
        }
    }
    const std::int64_t top = std::min(minorFrom, minorTo), bottom = std::max(minorFrom, minorTo);
    return steep ? rectOf(top, firstMajor, bottom, lastMajor)
                 : rectOf(firstMajor, top, lastMajor, bottom);
}

PixelRect Rasteriser::wideLine(double x1, double y1, double x2, double y2, Pixel colour) {
    const double half = lineWidth_ / 2.0;
    const double dx = x2 - x1, dy = y2 - y1;
    const double lengthSquared = dx * dx + dy * dy;
    const double length = std::sqrt(lengthSquared);
    const std::int64_t top = pixelOf(std::min(y1, y2) - half) - 1;
    const std::int64_t bottom = pixelOf(std::max(y1, y2) + half) + 1;
    const std::int64_t left = pixelOf(std::min(x1, x2) - half) - 1;
    const std::int64_t right = pixelOf(std::max(x1, x2) + half) + 1;
    // Across the segment u = dx * (y - y1) - dy * (x - x1), along it
    // t = dx * (x - x1) + dy * (y - y1), both scaled by its length; a line of no length is a
    // square.
    Side sides[4];
    if (length == 0) {
        sides[0] = {1, 0, half - x1, false};
        sides[1] = {-1, 0, x1 + half, true};
        sides[2] = {0, 1, half - y1, false};
        sides[3] = {0, -1, y1 + half, true};
    } else {
        const double reach = half * length;
        const double across = dy * x1 - dx * y1;
        const double along = -dy * y1 - dx * x1;
        sides[0] = {-dy, dx, across + reach, bottomOrRight(-dy, dx)};
        sides[1] = {dy, -dx, reach - across, bottomOrRight(dy, -dx)};
        sides[2] = {dx, dy, along + reach, bottomOrRight(dx, dy)};
        sides[3] = {-dx, -dy, lengthSquared + reach - along, bottomOrRight(-dx, -dy)};
    }
    const std::int64_t firstRow = std::max<std::int64_t>(top, 0),
                       lastRow = std::min<std::int64_t>(bottom, target_.height() - 1);
    for (std::int64_t j = firstRow; j <= lastRow; ++j) {
        const double y = j + 0.5;
        std::int64_t first = left, last = right;
        for (const Side& side : sides)
            side.narrow(y, first, last);
        if (first <= last)
            paintSpan(j, first, last, colour);
    }
    return rectOf(left, top, right, bottom);
}

template <typename Paint>
PixelRect Rasteriser::paintEllipse(double x, double y, double a, double b, bool outlined,
                                   Paint&& paint) {
    const double half = lineWidth_ / 2.0;
    const Ellipse outer{x, y, a + half, b + half, true};
    const Ellipse inner{x, y, a - half, b - half, false};
    const bool wide = lineWidth_ > 1;
    const std::int64_t top = outer.top(), bottom = outer.bottom();
    const std::int64_t firstRow = std::max<std::int64_t>(top, 0),
                       lastRow = std::min<std::int64_t>(bottom, target_.height() - 1);
    if (firstRow > lastRow)
        return {};
    Span above = outer.row(firstRow - 1), here = outer.row(firstRow);
    std::int64_t left = here.isEmpty() ? 0 : here.from, right = here.isEmpty() ? -1 : here.to;
    for (std::int64_t j = firstRow; j <= lastRow; ++j) {
        const Span below = outer.row(j + 1);
        if (!here.isEmpty()) {
            Span filled;
            if (outlined) {
                filled = here.within({here.from + 1, here.to - 1}).within(above).within(below);
                if (wide)
                    filled = filled.within(inner.row(j));
            }
            paint(j, here, filled);
            left = std::min(left, here.from);
            right = std::max(right, here.to);
        }
        above = here;
        here = below;
    }
    return rectOf(std::max<std::int64_t>(left, 0), firstRow,
                  std::min<std::int64_t>(right, target_.width() - 1), lastRow);
}

PixelRect Rasteriser::ellipse(double x, double y, double a, double b, Pixel outline, Pixel fill) {
    if (std::isnan(x) || std::isnan(y) || std::isnan(a) || std::isnan(b))
        return {};
    // In one colour there is no telling the outline from the fill.
    return paintEllipse(snap(x), snap(y), snap(std::abs(a)), snap(std::abs(b)), outline != fill,
                        [&](std::int64_t j, Span covered, Span filled) {
                            if (filled.isEmpty()) {
                                paintSpan(j, covered.from, covered.to, outline);
                                return;
                            }
                            paintSpan(j, covered.from, filled.from - 1, outline);
                            paintSpan(j, filled.from, filled.to, fill);
                            paintSpan(j, filled.to + 1, covered.to, outline);
                        });
}

PixelRect Rasteriser::arc(double x, double y, double radius, double start, double end,
                          Pixel colour) {
    if (std::isnan(x) || std::isnan(y) || std::isnan(radius) || std::isnan(start) ||
        std::isnan(end))
        return {};
    x = snap(x), y = snap(y), radius = snap(std::abs(radius));
    const AngleRange range(x, y, start, end);
    if (range.isEmpty())
        return {};
    const auto paintHeld = [&](std::int64_t j, std::int64_t from, std::int64_t to) {
        for (std::int64_t i = std::max<std::int64_t>(from, 0);
             i <= std::min<std::int64_t>(to, target_.width() - 1); ++i) {
            if (range.holds(i, j))
                paintSpan(j, i, i, colour);
        }
    };
    return paintEllipse(x, y, radius, radius, true, [&](std::int64_t j, Span covered, Span filled) {
        if (filled.isEmpty()) {
            paintHeld(j, covered.from, covered.to);
        } else {
            paintHeld(j, covered.from, filled.from - 1);
            paintHeld(j, filled.to + 1, covered.to);
        }
    });
}
