// Plays the default tour once and paints each of its pictures again with our rasteriser and with
// QPainter, the way the game painted before, at the zooms of a 1024 x 720 window, a 1920 x 1080
// fullscreen (1.5) and a 3840 x 2160 one (3.75). For each it counts the pixels where the two
// differ, and among those the ones that break the one-pixel rule: a pixel is fine when its new
// colour lies within one pixel of it in the old picture and its old colour within one pixel of
// it in the new one; anything else is a visible change of shape. It also times both painting the
// same primitives (CPU time, the best of a few runs); the ratio is QPainter's time over ours, above
// 1 where ours is faster.
//
// In whole pictures most breaking pixels come from stacking: where thousands of primitives of
// many colours overlap, moving one edge by a pixel changes which colour ends up on top. So a
// second table paints every distinct primitive alone, on the background, with both painters, and
// counts per picture (each primitive under the first picture that paints it) the primitives that
// differ at all, their differing and breaking pixels, and how far an edge moved: for each
// differing pixel, "grew" is the distance to the nearest pixel of its new colour in the old
// picture, and "shrank" the distance to the nearest pixel of its old colour in the new one (the
// largest, in pixels, counting diagonal steps as one, so that 1 is within the rule). A colour
// that one painter paints and the other does not paint at all has no distance; "unmatched"
// counts the primitives where that happens. The primitives that break the rule most follow,
// in twips as the game hands them over, so that they can be studied one by one.
//
//   bench_compare [--dump DIR]   DIR gets old.png, new.png and diff.png for each picture and zoom

#include "bench/PictureDifference.h"
#include "bench/QPainterCanvas.h"
#include "bench/TourPictures.h"
#include "canvas/RasterCanvas.h"
#include "canvas/Rasteriser.h"
#include "game/Layout.h"
#include "game/NoControls.h"
#include "game/Session.h"
#include "tour/TourScript.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QString>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <limits>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <variant>
#include <vector>

namespace {

constexpr std::uint64_t Seed = 1;
constexpr double Zooms[] = {1.0, 1.5, 3.75};
constexpr int Runs = 3;
// How many of the primitives that break the rule alone are described, at each zoom.
constexpr int WorstShown = 5;

// CPU time rather than wall time: steadier on a machine that is busy with something else.
double cpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Paints the picture on a fresh canvas `Runs` times; the best time in milliseconds, and the last
// canvas.
template <typename Surface>
double bestOf(const Picture& picture, double zoom, std::unique_ptr<Surface>& canvas) {
    double best = std::numeric_limits<double>::infinity();
    for (int run = 0; run < Runs; ++run) {
        canvas = std::make_unique<Surface>(DesignSize, zoom);
        const double start = cpuSeconds();
        replay(picture, *canvas);
        best = std::min(best, cpuSeconds() - start);
    }
    return best * 1e3;
}

void save(const QImage& image, const QString& path) {
    if (!image.save(path))
        std::fprintf(stderr, "bench_compare: cannot write %s\n", qPrintable(path));
}

// Paints each picture with both painters at each zoom, printing a row for each; dumps the images
// into `dumpFolder` unless it is empty.
void compareWholePictures(const std::vector<NamedPicture>& pictures, const QString& dumpFolder) {
    std::printf("%-20s %5s %7s %9s %8s %10s %10s %7s\n", "picture", "zoom", "prims", "differing",
                "breaking", "raster ms", "QPainter ms", "ratio");
    long primitives = 0, differing = 0, breaking = 0;
    double rasterMs = 0, qpainterMs = 0;
    for (std::size_t index = 0; index < pictures.size(); ++index) {
        const NamedPicture& picture = pictures[index];
        for (double zoom : Zooms) {
            std::unique_ptr<RasterCanvas> raster;
            std::unique_ptr<QPainterCanvas> painter;
            const double rasterTime = bestOf(picture.primitives, zoom, raster);
            const double painterTime = bestOf(picture.primitives, zoom, painter);
            const QImage after = imageOf(raster->pixels());
            QImage marked;
            const Difference difference =
                compare(painter->image(), after, dumpFolder.isEmpty() ? nullptr : &marked);
            const long count = static_cast<long>(picture.primitives.size());
            std::printf("%-20s %5.2f %7ld %9ld %8ld %10.2f %10.2f %7.2f\n", picture.name.c_str(),
                        zoom, count, difference.differing, difference.breaking, rasterTime,
                        painterTime, painterTime / rasterTime);
            primitives += count;
            differing += difference.differing;
            breaking += difference.breaking;
            rasterMs += rasterTime;
            qpainterMs += painterTime;

            if (dumpFolder.isEmpty())
                continue;
            const QString folder = QString("%1/%2-%3-%4")
                                       .arg(dumpFolder)
                                       .arg(index + 1, 2, 10, QChar('0'))
                                       .arg(QString::fromStdString(picture.name).replace(' ', '-'))
                                       .arg(zoom);
            if (!QDir().mkpath(folder)) {
                std::fprintf(stderr, "bench_compare: cannot make %s\n", qPrintable(folder));
                continue;
            }
            save(painter->image(), folder + "/old.png");
            save(after, folder + "/new.png");
            save(marked, folder + "/diff.png");
        }
    }
    std::printf("%-20s %5s %7ld %9ld %8ld %10.2f %10.2f %7.2f\n", "total", "", primitives,
                differing, breaking, rasterMs, qpainterMs, qpainterMs / rasterMs);
}

// A primitive alone is painted on a part of the picture only: its bounds with room for the widest
// outline, on a grid of 4 logical pixels so that the part's edges fall on whole device pixels at
// every zoom (6 at 1.5, 15 at 3.75), and within the design area, where the game clips it. Our
// rasteriser paints a part exactly as it paints the whole picture; QPainter does too, except
// for a few wide lines that leave the picture, which it clips a little differently in a
// smaller image.
constexpr int GridPixels = 4;
constexpr float MarginTwips = 8 * TwipsPerPixel;

// The part of the picture at the design size that the primitive may paint, in logical pixels.
PixelRect partFor(const Primitive& primitive) {
    float left, top, right, bottom;
    if (const auto* line = std::get_if<LineCall>(&primitive)) {
        std::tie(left, right) = std::minmax(line->x1, line->x2);
        std::tie(top, bottom) = std::minmax(line->y1, line->y2);
    } else {
        const CircleShape& shape = std::get<ShapeCall>(primitive).shape;
        const float a = std::abs(shape.horizontalRadius());
        const float b = std::abs(shape.verticalRadius());
        left = shape.x - a;
        right = shape.x + a;
        top = shape.y - b;
        bottom = shape.y + b;
    }
    const auto snap = [](float twips, auto round, int designPixels) {
        const double cells = round(toPixelsPrecise(twips) / GridPixels);
        return static_cast<int>(
            std::clamp(cells * GridPixels, 0.0, static_cast<double>(designPixels)));
    };
    const auto down = [](double value) { return std::floor(value); };
    const auto up = [](double value) { return std::ceil(value); };
    const int x = snap(left - MarginTwips, down, DesignSize.width);
    const int y = snap(top - MarginTwips, down, DesignSize.height);
    return {x, y, snap(right + MarginTwips, up, DesignSize.width) - x,
            snap(bottom + MarginTwips, up, DesignSize.height) - y};
}

PixelRect deviceRect(const PixelRect& logical, double zoom) {
    const auto device = [zoom](int pixels) { return static_cast<int>(std::lround(pixels * zoom)); };
    return {device(logical.x), device(logical.y), device(logical.width), device(logical.height)};
}

// Our side of a primitive alone: the rasteriser driven as RasterCanvas drives it, into a buffer
// that holds only the part. Moving the device coordinates by the part's corner, a whole number
// of pixels, is exact in double and changes no decision of the rasteriser, which a move in twips
// would not promise: twips become pixels in single precision.
PixelBuffer rasterise(const Primitive& primitive, const PixelRect& part, double zoom) {
    PixelBuffer pixels({part.width, part.height}, toPixel(Palette::Background));
    Rasteriser rasteriser(pixels, RasterCanvas::lineWidth(zoom));
    const auto x = [&](float twips) { return double{toPixels(twips)} * zoom - part.x; };
    const auto y = [&](float twips) { return double{toPixels(twips)} * zoom - part.y; };
    const auto length = [&](float twips) { return double{toPixels(twips)} * zoom; };
    if (const auto* line = std::get_if<LineCall>(&primitive)) {
        rasteriser.line(x(line->x1), y(line->y1), x(line->x2), y(line->y2), toPixel(line->colour));
        return pixels;
    }
    const auto& [shape, fill] = std::get<ShapeCall>(primitive);
    if (shape.outline == Outline::Arc)
        rasteriser.arc(x(shape.x), y(shape.y), length(shape.radius), shape.start, shape.end,
                       toPixel(shape.colour));
    else
        rasteriser.ellipse(x(shape.x), y(shape.y), length(shape.horizontalRadius()),
                           length(shape.verticalRadius()), toPixel(shape.colour), toPixel(fill));
    return pixels;
}

Difference compareAlone(const Primitive& primitive, double zoom) {
    const PixelRect part = deviceRect(partFor(primitive), zoom);
    if (part.isEmpty())
        return {};
    QPainterCanvas painter(DesignSize, zoom, part);
    replay({primitive}, painter);
    const PixelBuffer pixels = rasterise(primitive, part, zoom);
    return compare(painter.image(), imageOf(pixels));
}

// Primitives painted alone, and their pixels: the differing and breaking ones summed, how far an
// edge moved at most.
struct AloneCount {
    long primitives = 0;
    long differingPrimitives = 0;
    long unmatchedPrimitives = 0;
    Difference pixels;

    static AloneCount of(const Difference& difference) {
        return {1, difference.differing > 0, difference.unmatched, difference};
    }

    void add(const AloneCount& more) {
        primitives += more.primitives;
        differingPrimitives += more.differingPrimitives;
        unmatchedPrimitives += more.unmatchedPrimitives;
        pixels.differing += more.pixels.differing;
        pixels.breaking += more.pixels.breaking;
        pixels.grew = std::max(pixels.grew, more.pixels.grew);
        pixels.shrank = std::max(pixels.shrank, more.pixels.shrank);
    }
};

void printRow(const std::string& name, double zoom, const AloneCount& count) {
    std::printf("%-20s %5.2f %7ld %7ld %9ld %8ld %5d %6d %9ld\n", name.c_str(), zoom,
                count.primitives, count.differingPrimitives, count.pixels.differing,
                count.pixels.breaking, count.pixels.grew, count.pixels.shrank,
                count.unmatchedPrimitives);
}

struct Breaker {
    const std::string* picture;
    double zoom;
    Primitive primitive;
    Difference difference;
};

// The second table, then the primitives that break the rule most at each zoom.
void compareAlone(const std::vector<NamedPicture>& pictures) {
    const std::vector<NamedPicture> kinds = distinctByPicture(pictures);
    std::printf("\n%-20s %5s %7s %7s %9s %8s %5s %6s %9s\n", "alone", "zoom", "prims", "differ",
                "differing", "breaking", "grew", "shrank", "unmatched");
    std::vector<Breaker> breakers;
    for (double zoom : Zooms) {
        AloneCount total;
        for (const NamedPicture& kind : kinds) {
            AloneCount count;
            for (const Primitive& primitive : kind.primitives) {
                const Difference difference = compareAlone(primitive, zoom);
                count.add(AloneCount::of(difference));
                if (difference.breaking > 0)
                    breakers.push_back({&kind.name, zoom, primitive, difference});
            }
            printRow(kind.name, zoom, count);
            total.add(count);
        }
        printRow("all", zoom, total);
    }

    std::ranges::stable_sort(breakers, std::ranges::greater{}, [](const Breaker& breaker) {
        return std::pair(breaker.difference.breaking, breaker.difference.differing);
    });
    for (double zoom : Zooms) {
        std::printf("\nbreaking most alone at zoom %.2f (twips):\n", zoom);
        int shown = 0;
        for (const Breaker& breaker : breakers) {
            if (breaker.zoom != zoom)
                continue;
            const Difference& difference = breaker.difference;
            // No distance at all when every differing pixel's colour is missing from the other
            // picture.
            const auto distance = [](int pixels) {
                return pixels > 0 ? std::to_string(pixels) : std::string("-");
            };
            std::printf("  %s: %s: %ld of %ld differing pixels break, grew %s, shrank %s%s\n",
                        breaker.picture->c_str(), qPrintable(describe(breaker.primitive)),
                        difference.breaking, difference.differing,
                        distance(difference.grew).c_str(), distance(difference.shrank).c_str(),
                        difference.unmatched ? ", a colour unmatched" : "");
            if (++shown == WorstShown)
                break;
        }
    }
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    QString dumpFolder;
    if (arguments.size() == 3 && arguments[1] == "--dump") {
        dumpFolder = arguments[2];
    } else if (arguments.size() != 1) {
        std::fprintf(stderr, "usage: bench_compare [--dump DIR]\n");
        return 2;
    }

    const std::vector<NamedPicture> pictures = playTour(Seed);
    compareWholePictures(pictures, dumpFolder);
    compareAlone(pictures);
    return 0;
}
