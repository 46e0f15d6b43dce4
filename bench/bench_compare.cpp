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

#include "bench/QPainterCanvas.h"
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

// In the diff image: what differs within the rule, what breaks it; everything else is the new
// picture, dimmed.
constexpr QRgb Differing = qRgb(255, 255, 0);
constexpr QRgb Breaking = qRgb(255, 0, 255);

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

// The primitives since the last clear, in order.
using Picture = std::vector<Primitive>;

void replay(const Picture& picture, Canvas& target) {
    for (const Primitive& primitive : picture) {
        if (const auto* line = std::get_if<LineCall>(&primitive)) {
            target.line(line->x1, line->y1, line->x2, line->y2, line->colour);
            continue;
        }
        const auto& shape = std::get<ShapeCall>(primitive);
        if (target.fillColor() != shape.fill)
            target.setFillColor(shape.fill);
        target.drawShape(shape.shape);
    }
}

// The game's surface at the design size: keeps what was painted since the last clear.
class RecordingCanvas : public Canvas {
  public:
    void line(float x1, float y1, float x2, float y2, Color colour) override {
        picture_.push_back(LineCall{x1, y1, x2, y2, colour});
        painted_ = true;
    }
    void drawShape(const CircleShape& shape) override {
        picture_.push_back(ShapeCall{shape, fill_});
        painted_ = true;
    }
    void setFillColor(Color colour) override { fill_ = colour; }
    Color fillColor() const override { return fill_; }
    Color background() const override { return Palette::Background; }
    float width() const override { return static_cast<float>(DesignSize.width) * TwipsPerPixel; }
    float height() const override { return static_cast<float>(DesignSize.height) * TwipsPerPixel; }
    void clear() override {
        picture_.clear();
        painted_ = true;
    }

    const Picture& picture() const { return picture_; }
    // Whether anything was painted or cleared since the last call.
    bool takePainted() { return std::exchange(painted_, false); }

  private:
    Picture picture_;
    Color fill_ = rgb(0, 0, 0);
    bool painted_ = false;
};

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

constexpr int Absent = -1;
// Pixels compared at once before looking at them one by one.
constexpr int CompareRun = 64;

// The distance from (x, y) to the nearest pixel of the colour in the image, counting a diagonal
// step as one; Absent when the image holds none. `absent` keeps the colours found missing, so
// that each costs one search of the whole image.
int distanceTo(const QImage& image, int x, int y, QRgb colour, std::vector<QRgb>& absent) {
    if (std::ranges::find(absent, colour) != absent.end())
        return Absent;
    const int width = image.width();
    const int height = image.height();
    const int farthest = std::max({x, y, width - 1 - x, height - 1 - y});
    for (int distance = 1; distance <= farthest; ++distance) {
        const int top = y - distance;
        const int bottom = y + distance;
        const int left = std::max(x - distance, 0);
        const int right = std::min(x + distance, width - 1);
        for (int j = std::max(top, 0); j <= std::min(bottom, height - 1); ++j) {
            const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(j));
            // The whole row at the top and bottom of the ring, its two ends in between.
            const int step = j == top || j == bottom ? 1 : std::max(right - left, 1);
            for (int i = left; i <= right; i += step) {
                if (row[i] == colour && std::max(std::abs(i - x), std::abs(j - y)) == distance)
                    return distance;
            }
        }
    }
    absent.push_back(colour);
    return Absent;
}

struct Difference {
    long differing = 0;
    long breaking = 0;
    // The largest distances of the differing pixels' new colours in the old picture and their
    // old colours in the new one; 1 is within the rule.
    int grew = 0;
    int shrank = 0;
    // Whether a differing pixel has a colour that the other picture holds nowhere.
    bool unmatched = false;
};

// Marks the differences in `marked` when given: the new picture dimmed, differing pixels in
// Differing or Breaking.
Difference compare(const QImage& before, const QImage& after, QImage* marked = nullptr) {
    Difference result;
    std::vector<QRgb> absentBefore;
    std::vector<QRgb> absentAfter;
    if (marked)
        *marked = QImage(after.size(), QImage::Format_RGB32);
    // QImage's accessors are calls into the library: too slow for every pixel.
    const int width = after.width();
    const int height = after.height();
    for (int y = 0; y < height; ++y) {
        const auto* old = reinterpret_cast<const QRgb*>(before.constScanLine(y));
        const auto* now = reinterpret_cast<const QRgb*>(after.constScanLine(y));
        auto* marks = marked ? reinterpret_cast<QRgb*>(marked->scanLine(y)) : nullptr;
        for (int start = 0; start < width; start += CompareRun) {
            const int end = std::min(start + CompareRun, width);
            // Most of a picture agrees, and memcmp tells that much sooner than a pixel at a time.
            const bool same =
                std::memcmp(old + start, now + start,
                            static_cast<std::size_t>(end - start) * sizeof(QRgb)) == 0;
            if (same && !marks)
                continue;
            for (int x = start; x < end; ++x) {
                if (old[x] == now[x]) {
                    if (marks)
                        marks[x] = qRgb(qRed(now[x]) / 4, qGreen(now[x]) / 4, qBlue(now[x]) / 4);
                    continue;
                }
                ++result.differing;
                const int grew = distanceTo(before, x, y, now[x], absentBefore);
                const int shrank = distanceTo(after, x, y, old[x], absentAfter);
                result.grew = std::max(result.grew, grew);
                result.shrank = std::max(result.shrank, shrank);
                result.unmatched = result.unmatched || grew == Absent || shrank == Absent;
                // The pixel itself holds neither colour in the other picture, so within one pixel
                // means one pixel away.
                const bool breaks = grew != 1 || shrank != 1;
                result.breaking += breaks;
                if (marks)
                    marks[x] = breaks ? Breaking : Differing;
            }
        }
    }
    return result;
}

// The rasteriser's pixels as an image, without a copy: they are laid out as RGB32.
QImage imageOf(const PixelBuffer& pixels) {
    return QImage(reinterpret_cast<const uchar*>(pixels.data()), pixels.width(), pixels.height(),
                  pixels.stride(), QImage::Format_RGB32);
}

// What the step shows: a button by its plain name, a click by the scene it paints.
std::string pictureName(Action action, const Session& session) {
    if (hasButton(action)) {
        std::string name(nameOf(action).spoken);
        name.front() = static_cast<char>(std::tolower(static_cast<unsigned char>(name.front())));
        return name;
    }
    switch (session.story().scene()) {
    case Scene::Lair:
        return "lair";
    case Scene::Goblin:
        return "goblin";
    default:
        return "step " + std::to_string(session.story().storyStep());
    }
}

struct NamedPicture {
    std::string name;
    Picture primitives;
};

std::vector<NamedPicture> playTour() {
    RecordingCanvas canvas;
    NoControls controls;
    Session session(canvas, controls, Seed);
    std::vector<NamedPicture> pictures;
    // The default tour only acts: it never resizes the window.
    for (const TourStep& step : parseTour(DefaultTour).steps) {
        const Action action = std::get<Action>(step);
        session.perform(action).finish();
        if (canvas.takePainted())
            pictures.push_back({pictureName(action, session), canvas.picture()});
    }
    return pictures;
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

// Each picture's name with the primitives it is the first to paint: the lair's floor and hoard
// come back in every picture, and count once.
std::vector<NamedPicture> distinctByPicture(const std::vector<NamedPicture>& pictures) {
    std::set<Primitive> seen;
    std::vector<NamedPicture> kinds;
    for (const NamedPicture& picture : pictures) {
        auto kind = std::ranges::find(kinds, picture.name, &NamedPicture::name);
        if (kind == kinds.end())
            kind = kinds.insert(kinds.end(), {picture.name, {}});
        for (const Primitive& primitive : picture.primitives) {
            if (seen.insert(primitive).second)
                kind->primitives.push_back(primitive);
        }
    }
    return kinds;
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

struct AloneCount {
    long primitives = 0;
    long differingPrimitives = 0;
    long differing = 0;
    long breaking = 0;
    int grew = 0;
    int shrank = 0;
    long unmatched = 0;
};

void add(AloneCount& count, const Difference& difference) {
    ++count.primitives;
    count.differingPrimitives += difference.differing > 0;
    count.differing += difference.differing;
    count.breaking += difference.breaking;
    count.grew = std::max(count.grew, difference.grew);
    count.shrank = std::max(count.shrank, difference.shrank);
    count.unmatched += difference.unmatched;
}

void add(AloneCount& count, const AloneCount& more) {
    count.primitives += more.primitives;
    count.differingPrimitives += more.differingPrimitives;
    count.differing += more.differing;
    count.breaking += more.breaking;
    count.grew = std::max(count.grew, more.grew);
    count.shrank = std::max(count.shrank, more.shrank);
    count.unmatched += more.unmatched;
}

void printRow(const std::string& name, double zoom, const AloneCount& count) {
    std::printf("%-20s %5.2f %7ld %7ld %9ld %8ld %5d %6d %9ld\n", name.c_str(), zoom,
                count.primitives, count.differingPrimitives, count.differing, count.breaking,
                count.grew, count.shrank, count.unmatched);
}

struct Breaker {
    const std::string* picture;
    double zoom;
    Primitive primitive;
    Difference difference;
};

QString hex(Color colour) {
    return QString::asprintf("#%02x%02x%02x", redOf(colour), greenOf(colour), blueOf(colour));
}

// Enough digits to paint the primitive again exactly.
QString describe(const Primitive& primitive) {
    if (const auto* line = std::get_if<LineCall>(&primitive))
        return QString::asprintf("line (%.9g, %.9g) to (%.9g, %.9g) ", line->x1, line->y1, line->x2,
                                 line->y2) +
               hex(line->colour);
    const auto& [shape, fill] = std::get<ShapeCall>(primitive);
    const char* kind = shape.outline == Outline::Arc ? "arc"
                       : shape.aspect == 1.0f        ? "circle"
                                                     : "ellipse";
    QString text = QString::asprintf("%s at (%.9g, %.9g) radius %.9g aspect %.9g ", kind, shape.x,
                                     shape.y, shape.radius, shape.aspect) +
                   hex(shape.colour);
    if (shape.outline == Outline::Arc)
        return text + QString::asprintf(" from %.9g to %.9g", shape.start, shape.end);
    return text + " fill " + hex(fill);
}

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
                add(count, difference);
                if (difference.breaking > 0)
                    breakers.push_back({&kind.name, zoom, primitive, difference});
            }
            printRow(kind.name, zoom, count);
            add(total, count);
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

    const std::vector<NamedPicture> pictures = playTour();
    compareWholePictures(pictures, dumpFolder);
    compareAlone(pictures);
    return 0;
}
