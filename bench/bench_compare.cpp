// Plays the default tour once and paints each of its pictures again with our rasteriser and with
// QPainter, the way the game painted before, at the zooms of a 1024 x 720 window, a 1920 x 1080
// fullscreen (1.5) and a 3840 x 2160 one (3.75). For each it counts the pixels where the two
// differ, and among those the ones that break the one-pixel rule: a pixel is fine when its new
// colour lies within one pixel of it in the old picture and its old colour within one pixel of
// it in the new one; anything else is a visible change of shape. It also times both painting the
// same primitives (CPU time, the best of a few runs); the ratio is QPainter's time over ours, above
// 1 where ours is faster.
//
//   bench_compare [--dump DIR]   DIR gets old.png, new.png and diff.png for each picture and zoom

#include "bench/QPainterCanvas.h"
#include "canvas/RasterCanvas.h"
#include "game/Layout.h"
#include "game/NoControls.h"
#include "game/Session.h"
#include "tour/TourScript.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <limits>
#include <memory>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace {

constexpr std::uint64_t Seed = 1;
constexpr double Zooms[] = {1.0, 1.5, 3.75};
constexpr int Runs = 3;

// In the diff image: what differs within the rule, what breaks it; everything else is the new
// picture, dimmed.
constexpr QRgb Differing = qRgb(255, 255, 0);
constexpr QRgb Breaking = qRgb(255, 0, 255);

struct LineCall {
    float x1, y1, x2, y2;
    Color colour;
};
struct ShapeCall {
    CircleShape shape;
    Color fill; // the fill colour when it was drawn
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

// Whether the colour lies on the pixel or one of its eight neighbours within the image.
bool near(const QImage& image, int x, int y, QRgb colour) {
    for (int j = std::max(y - 1, 0); j <= std::min(y + 1, image.height() - 1); ++j) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(j));
        for (int i = std::max(x - 1, 0); i <= std::min(x + 1, image.width() - 1); ++i) {
            if (row[i] == colour)
                return true;
        }
    }
    return false;
}

struct Difference {
    long differing = 0;
    long breaking = 0;
    QImage diff; // the new picture dimmed, differing pixels marked
};

Difference compare(const QImage& before, const QImage& after) {
    Difference result;
    result.diff = QImage(after.size(), QImage::Format_RGB32);
    for (int y = 0; y < after.height(); ++y) {
        const auto* old = reinterpret_cast<const QRgb*>(before.constScanLine(y));
        const auto* now = reinterpret_cast<const QRgb*>(after.constScanLine(y));
        auto* marked = reinterpret_cast<QRgb*>(result.diff.scanLine(y));
        for (int x = 0; x < after.width(); ++x) {
            if (old[x] == now[x]) {
                marked[x] = qRgb(qRed(now[x]) / 4, qGreen(now[x]) / 4, qBlue(now[x]) / 4);
                continue;
            }
            ++result.differing;
            const bool breaks = !near(before, x, y, now[x]) || !near(after, x, y, old[x]);
            result.breaking += breaks;
            marked[x] = breaks ? Breaking : Differing;
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
        session.perform(action);
        if (canvas.takePainted())
            pictures.push_back({pictureName(action, session), canvas.picture()});
    }
    return pictures;
}

void save(const QImage& image, const QString& path) {
    if (!image.save(path))
        std::fprintf(stderr, "bench_compare: cannot write %s\n", qPrintable(path));
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
            const Difference difference = compare(painter->image(), after);
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
            save(difference.diff, folder + "/diff.png");
        }
    }
    std::printf("%-20s %5s %7ld %9ld %8ld %10.2f %10.2f %7.2f\n", "total", "", primitives,
                differing, breaking, rasterMs, qpainterMs, qpainterMs / rasterMs);
    return 0;
}
