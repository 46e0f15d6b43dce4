#include "canvas/Palette.h"
#include "canvas/PixelBuffer.h"
#include "canvas/RasterCanvas.h"
#include "canvas/Rasteriser.h"
#include "canvas/SpanUnion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <vector>

// What must hold for any primitive, over thousands of random ones.

namespace {

constexpr Pixel Paper = 0xff000000, Ink = 0xffffffff, Rim = 0xffff0000, Inside = 0xff00ff00;
constexpr double Pi = 3.141592653589793;
constexpr int Side = 64;
constexpr int Trials = 3000;

class Dice {
  public:
    explicit Dice(unsigned seed) : engine_(seed) {}

    // Half on a 1/16 grid, where centres fall on edges and the tie rules matter, half anywhere.
    double real(double from, double to) {
        const double value = std::uniform_real_distribution<double>(from, to)(engine_);
        return engine_() % 2 ? value : std::round(value * 16) / 16;
    }
    int whole(int from, int to) { return std::uniform_int_distribution<int>(from, to)(engine_); }

  private:
    std::mt19937 engine_;
};

// Any primitive: a line, a filled ellipse or an arc, in a box of pixels.
struct Primitive {
    int kind;
    double x1, y1, x2, y2, start, end;

    static Primitive random(Dice& dice, double from, double to) {
        return {dice.whole(0, 2), dice.real(from, to), dice.real(from, to), dice.real(0, 20),
                dice.real(0, 20), dice.real(-10, 10),  dice.real(-10, 10)};
    }
    // Lines run from (x1, y1) to (x2, y2); shapes are centred on (x1, y1) with radii x2 and y2.
    PixelRect paint(Rasteriser& rasteriser, double dx = 0, double dy = 0) const {
        switch (kind) {
        case 0:
            return rasteriser.line(x1 + dx, y1 + dy, x1 + x2 - 10 + dx, y1 + y2 - 10 + dy, Ink);
        case 1:
            return rasteriser.ellipse(x1 + dx, y1 + dy, x2, y2, Rim, Inside);
        default:
            return rasteriser.arc(x1 + dx, y1 + dy, x2, start, end, Ink);
        }
    }
};

std::vector<PixelPoint> pixelsOf(const PixelBuffer& buffer, Pixel colour) {
    std::vector<PixelPoint> found;
    for (int y = 0; y < buffer.height(); ++y) {
        for (int x = 0; x < buffer.width(); ++x) {
            if (buffer.pixel(x, y) == colour)
                found.push_back({x, y});
        }
    }
    return found;
}

bool holds(const PixelBuffer& buffer, int x, int y, Pixel colour) {
    return x >= 0 && y >= 0 && x < buffer.width() && y < buffer.height() &&
           buffer.pixel(x, y) == colour;
}

// Whether the pixels of the colour are one piece, diagonal steps allowed.
bool eightConnected(const PixelBuffer& buffer, Pixel colour) {
    const std::vector<PixelPoint> all = pixelsOf(buffer, colour);
    if (all.empty())
        return true;
    std::vector<bool> seen(static_cast<std::size_t>(buffer.width() * buffer.height()));
    std::vector<PixelPoint> todo{all.front()};
    seen[static_cast<std::size_t>(all.front().y * buffer.width() + all.front().x)] = true;
    std::size_t reached = 0;
    while (!todo.empty()) {
        const PixelPoint at = todo.back();
        todo.pop_back();
        ++reached;
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                const int x = at.x + dx, y = at.y + dy;
                if (!holds(buffer, x, y, colour))
                    continue;
                const auto index = static_cast<std::size_t>(y * buffer.width() + x);
                if (!seen[index])
                    seen[index] = true, todo.push_back({x, y});
            }
        }
    }
    return reached == all.size();
}

bool samePixels(const PixelBuffer& a, const PixelBuffer& b) {
    return a.size() == b.size() &&
           std::equal(a.data(), a.data() + a.width() * a.height(), b.data());
}

PixelBuffer mirrored(const PixelBuffer& buffer, bool across) {
    PixelBuffer result(buffer.size(), Paper);
    for (int y = 0; y < buffer.height(); ++y) {
        for (int x = 0; x < buffer.width(); ++x) {
            result.row(y)[x] = across ? buffer.pixel(buffer.width() - 1 - x, y)
                                      : buffer.pixel(x, buffer.height() - 1 - y);
        }
    }
    return result;
}

} // namespace

// For ellipses well inside: the outline closes around the fill, and the fill never touches
// anything but fill and outline.
TEST(RasteriserProperties, OutlinesAreClosedAndHoldTheFill) {
    Dice dice(1);
    for (int trial = 0; trial < Trials; ++trial) {
        const int width = dice.whole(1, 4);
        const double x = dice.real(26, 38), y = dice.real(26, 38);
        const double a = dice.real(0, 20), b = dice.real(0, 20);
        PixelBuffer buffer({Side, Side}, Paper);
        Rasteriser(buffer, width).ellipse(x, y, a, b, Rim, Inside);
        SCOPED_TRACE(::testing::Message()
                     << "w " << width << " at " << x << "," << y << " radii " << a << "," << b);
        ASSERT_TRUE(eightConnected(buffer, Rim));
        for (const PixelPoint p : pixelsOf(buffer, Inside)) {
            for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
                ASSERT_FALSE(holds(buffer, p.x + dx, p.y + dy, Paper)) << p.x << "," << p.y;
        }
        // One pixel wide, every outline pixel is one the shape ends at.
        for (const PixelPoint p : width == 1 ? pixelsOf(buffer, Rim) : std::vector<PixelPoint>{}) {
            ASSERT_TRUE(holds(buffer, p.x + 1, p.y, Paper) || holds(buffer, p.x - 1, p.y, Paper) ||
                        holds(buffer, p.x, p.y + 1, Paper) || holds(buffer, p.x, p.y - 1, Paper))
                << p.x << "," << p.y;
        }
    }
}

TEST(RasteriserProperties, ShapesCentredOnAPixelCentreAreSymmetric) {
    Dice dice(2);
    for (int trial = 0; trial < Trials; ++trial) {
        const int width = dice.whole(1, 4);
        const double a = dice.real(0, 28), b = trial % 2 ? a : dice.real(0, 28);
        PixelBuffer buffer({Side - 1, Side - 1}, Paper);
        Rasteriser(buffer, width).ellipse(31.5, 31.5, a, b, Rim, Inside);
        SCOPED_TRACE(::testing::Message() << "w " << width << " radii " << a << "," << b);
        ASSERT_TRUE(samePixels(buffer, mirrored(buffer, true)));
        ASSERT_TRUE(samePixels(buffer, mirrored(buffer, false)));
    }
}

// Checked against atan2, leaving out the centres within a hair of either end direction.
TEST(RasteriserProperties, ArcsCoverTheirCirclesOutlineWithinTheirAngles) {
    Dice dice(3);
    constexpr double Hair = 1e-6;
    for (int trial = 0; trial < Trials; ++trial) {
        const int width = dice.whole(1, 4);
        const double x = dice.real(20, 44), y = dice.real(20, 44), radius = dice.real(0, 18);
        const double start = dice.real(-10, 10);
        const double end = trial % 4 ? dice.real(-10, 10) : start + dice.real(-0.5, 0.5);
        PixelBuffer arc({Side, Side}, Paper), circle({Side, Side}, Paper);
        Rasteriser(arc, width).arc(x, y, radius, start, end, Ink);
        Rasteriser(circle, width).ellipse(x, y, radius, radius, Rim, Paper);
        SCOPED_TRACE(::testing::Message() << "w " << width << " at " << x << "," << y << " r "
                                          << radius << " from " << start << " to " << end);
        // The centre as the rasteriser takes it, to 1/256 pixel.
        const double cx = std::round(x * 256) / 256, cy = std::round(y * 256) / 256;
        const double span = end - start >= 2 * Pi ? 2 * Pi : std::fmod(end - start, 2 * Pi);
        const double turn = span < 0 ? span + 2 * Pi : span;
        for (int j = 0; j < Side; ++j) {
            for (int i = 0; i < Side; ++i) {
                const bool painted = arc.pixel(i, j) == Ink;
                if (circle.pixel(i, j) != Rim) {
                    ASSERT_FALSE(painted) << i << "," << j;
                    continue;
                }
                // A centre on the arc's own lies in no direction in particular.
                if (i + 0.5 == cx && j + 0.5 == cy)
                    continue;
                const double angle = std::atan2(cy - (j + 0.5), i + 0.5 - cx);
                const double past = std::fmod(std::fmod(angle - start, 2 * Pi) + 2 * Pi, 2 * Pi);
                if (end == start || std::abs(past - turn) < Hair || past < Hair ||
                    2 * Pi - past < Hair)
                    continue;
                ASSERT_EQ(painted, span == 2 * Pi || past < turn) << i << "," << j;
            }
        }
    }
}

// Painted at an offset onto a picture three times the size, the middle is the same picture;
// and what each call reports covers every pixel it changed, within the buffer.
TEST(RasteriserProperties, ClippingIsCropping) {
    Dice dice(4);
    for (int trial = 0; trial < Trials; ++trial) {
        const int width = dice.whole(1, 4);
        const Primitive primitive = Primitive::random(dice, -20, Side + 20);
        PixelBuffer small({Side, Side}, Paper), large({3 * Side, 3 * Side}, Paper);
        Rasteriser smallPainter(small, width), largePainter(large, width);
        const PixelRect reported = primitive.paint(smallPainter);
        primitive.paint(largePainter, Side, Side);
        SCOPED_TRACE(::testing::Message() << "w " << width << " kind " << primitive.kind << " at "
                                          << primitive.x1 << "," << primitive.y1);
        EXPECT_TRUE(reported.isEmpty() ||
                    (reported.x >= 0 && reported.y >= 0 && reported.x + reported.width <= Side &&
                     reported.y + reported.height <= Side));
        for (int y = 0; y < Side; ++y) {
            for (int x = 0; x < Side; ++x) {
                ASSERT_EQ(small.pixel(x, y), large.pixel(x + Side, y + Side)) << x << "," << y;
                const bool within = x >= reported.x && x < reported.x + reported.width &&
                                    y >= reported.y && y < reported.y + reported.height;
                ASSERT_TRUE(within || small.pixel(x, y) == Paper) << x << "," << y;
            }
        }
    }
}

TEST(RasteriserProperties, LinesAreTheSameEitherWay) {
    Dice dice(5);
    for (int trial = 0; trial < Trials; ++trial) {
        const int width = dice.whole(1, 4);
        const double x1 = dice.real(-8, Side + 8), y1 = dice.real(-8, Side + 8);
        const double x2 = trial % 3 ? dice.real(-8, Side + 8) : x1;
        const double y2 = trial % 5 ? dice.real(-8, Side + 8) : y1;
        PixelBuffer forwards({Side, Side}, Paper), backwards({Side, Side}, Paper);
        Rasteriser(forwards, width).line(x1, y1, x2, y2, Ink);
        Rasteriser(backwards, width).line(x2, y2, x1, y1, Ink);
        ASSERT_TRUE(samePixels(forwards, backwards))
            << "w " << width << " " << x1 << "," << y1 << " to " << x2 << "," << y2;
    }
}

// As the canvas draws them at each zoom: max(1, round(scale)) device pixels across, along the
// whole length.
TEST(RasteriserProperties, StraightLinesAreTheirWidthAcross) {
    Dice dice(6);
    const Pixel background = toPixel(Palette::Background), ink = toPixel(Palette::White);
    for (const auto& [scale, width] :
         {std::pair{1.0, 1}, {1.25, 1}, {1.5, 2}, {2.0, 2}, {3.75, 4}}) {
        for (int trial = 0; trial < Trials / 10; ++trial) {
            RasterCanvas canvas({Side, Side}, scale);
            const float across = static_cast<float>(dice.real(60, 900));
            const float from = static_cast<float>(dice.real(60, 900));
            const float to = static_cast<float>(dice.real(60, 900));
            const bool vertical = trial % 2;
            if (vertical)
                canvas.line(across, from, across, to, Palette::White);
            else
                canvas.line(from, across, to, across, Palette::White);
            const PixelBuffer& picture = canvas.pixels();
            SCOPED_TRACE(::testing::Message() << "scale " << scale << (vertical ? " x " : " y ")
                                              << across << " from " << from << " to " << to);
            // Counted along each row (column) of the picture turned so that the line lies across.
            const auto at = [&](int along, int over) {
                return vertical ? picture.pixel(over, along) : picture.pixel(along, over);
            };
            int first = -1, last = -1;
            for (int along = 0; along < picture.width(); ++along) {
                int count = 0, lowest = -1;
                for (int over = 0; over < picture.height(); ++over) {
                    if (at(along, over) == ink)
                        count += 1, lowest = lowest < 0 ? over : lowest;
                    else
                        ASSERT_EQ(at(along, over), background);
                }
                if (count == 0)
                    continue;
                ASSERT_EQ(count, width) << along;
                ASSERT_EQ(at(along, lowest + width - 1), ink) << along;
                ASSERT_TRUE(first < 0 || last == along - 1) << along;
                first = first < 0 ? along : first, last = along;
            }
            // The pixels holding both end points are in it, each point rounded to 1/256 pixel.
            const auto device = [scale](float twips) {
                return static_cast<int>(std::floor(std::round(twips / 15.0f * scale * 256) / 256));
            };
            ASSERT_GE(first, 0);
            EXPECT_LE(first, device(std::min(from, to)));
            EXPECT_GE(last, device(std::max(from, to)));
        }
    }
}

// Same-coloured shapes collected into one union paint what they paint one by one.
TEST(RasteriserProperties, AUnionPaintsWhatItsShapesPaint) {
    Dice dice(7);
    for (int trial = 0; trial < Trials / 10; ++trial) {
        const int width = dice.whole(1, 4);
        PixelBuffer oneByOne({Side, Side}, Paper), united({Side, Side}, Paper);
        Rasteriser direct(oneByOne, width), collector(united, width);
        SpanUnion spans(Side);
        collector.collectInto(&spans);
        const int count = dice.whole(1, 40);
        for (int shape = 0; shape < count; ++shape) {
            const Primitive primitive = Primitive::random(dice, -10, Side + 10);
            const double radius = dice.real(0, 12);
            if (primitive.kind == 1) {
                direct.ellipse(primitive.x1, primitive.y1, radius, radius, Ink, Ink);
                collector.ellipse(primitive.x1, primitive.y1, radius, radius, Ink, Ink);
            } else {
                primitive.paint(direct);
                primitive.paint(collector);
            }
        }
        EXPECT_TRUE(pixelsOf(united, Ink).empty());
        spans.paint(united, Ink);
        ASSERT_TRUE(samePixels(oneByOne, united)) << "trial " << trial;
    }
}

// A picture rebuilt at a new scale is the picture painted at that scale from the start, whatever
// the rebuild leaves out or unites: discs inside later larger ones of the same centre, runs of
// one colour, primitives drawn again exactly.
TEST(RasterCanvasRebuild, EqualsPaintingAtTheNewScale) {
    Dice dice(8);
    const Color colours[] = {Palette::Red, Palette::Black, Palette::White, Palette::Background};
    for (int trial = 0; trial < 40; ++trial) {
        std::vector<std::function<void(Canvas&)>> drawing;
        for (int step = 0; step < 60; ++step) {
            const float x = static_cast<float>(dice.real(-100, 1100));
            const float y = static_cast<float>(dice.real(-100, 1100));
            const float radius = static_cast<float>(dice.real(0, 300));
            const Color colour = colours[dice.whole(0, 3)];
            const float aspect = static_cast<float>(dice.real(0.2, 3));
            switch (dice.whole(0, 4)) {
            case 0: // a body growing or shrinking in colours that change
                for (int ring = 0; ring < 6; ++ring) {
                    const float r = radius * static_cast<float>(step % 2 ? 6 - ring : ring) / 6;
                    drawing.push_back([=](Canvas& canvas) {
                        canvas.setFillColor(colours[ring % 4]);
                        canvas.ellipse(x, y, r, colour, aspect);
                    });
                }
                break;
            case 1: // a sweep of erasers
                for (int disc = 0; disc < 8; ++disc) {
                    drawing.push_back([=](Canvas& canvas) {
                        canvas.setFillColor(colour);
                        canvas.circle(x + 20.0f * disc, y + 7.5f * disc, radius / 4, colour);
                    });
                }
                break;
            case 2:
                drawing.push_back(
                    [=](Canvas& canvas) { canvas.line(x, y, radius * 4, aspect * 300, colour); });
                break;
            case 3:
                drawing.push_back(
                    [=](Canvas& canvas) { canvas.arc(x, y, radius, colour, aspect, aspect * 3); });
                break;
            default: // something drawn before, drawn again exactly
                if (!drawing.empty())
                    drawing.push_back(drawing[static_cast<std::size_t>(
                        dice.whole(0, static_cast<int>(drawing.size()) - 1))]);
                break;
            }
        }
        const double scale = trial % 2 ? 1.5 : 2.25;
        RasterCanvas rebuilt({Side, Side}, 1.0), fresh({Side, Side}, scale);
        for (const auto& draw : drawing) {
            draw(rebuilt);
            draw(fresh);
        }
        rebuilt.resize({Side, Side}, scale);
        ASSERT_TRUE(samePixels(rebuilt.pixels(), fresh.pixels())) << "trial " << trial;
    }
}
