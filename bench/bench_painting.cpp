// How fast the real canvas paints each picture of the game, against the pace the timeline asks
// for. The headroom column is how many times faster than needed the machine draws: below 1 the
// pictures would lag behind their nominal pace.

#include "canvas/RasterCanvas.h"
#include "game/NoControls.h"
#include "game/Session.h"
#include "game/Story.h"
#include "pacing/PacedCanvas.h"
#include "stage/Stage.h"

#include <QGuiApplication>

#include <chrono>
#include <cstdio>

namespace {

// Counts primitives on their way to the raster canvas.
class CountingCanvas : public Canvas {
  public:
    explicit CountingCanvas(Canvas& surface) : surface_(surface) {}
    void line(float x1, float y1, float x2, float y2, Color colour) override {
        ++primitives;
        surface_.line(x1, y1, x2, y2, colour);
    }
    void drawShape(const CircleShape& shape) override {
        ++primitives;
        surface_.drawShape(shape);
    }
    void setFillColor(Color colour) override { surface_.setFillColor(colour); }
    Color fillColor() const override { return surface_.fillColor(); }
    Color backColor() const override { return surface_.backColor(); }
    float scaleWidth() const override { return surface_.scaleWidth(); }
    float scaleHeight() const override { return surface_.scaleHeight(); }
    void clear() override { surface_.clear(); }

    long primitives = 0;

  private:
    Canvas& surface_;
};

// The game without its window: the story's handlers painting on the raster canvas.
class Game {
  public:
    explicit Game(qreal ratio) : raster_(QSize(1024, 720), ratio) {}

    void measure(const char* name, Action action) {
        canvas_.primitives = 0;
        const auto start = std::chrono::steady_clock::now();
        session_.perform(action);
        const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
        const double nominal = session_.timeline().nominalNs() * 1e-9;
        std::printf("%-24s %4.2g %9ld %10.3f %10.1f %9.1f %8.1f\n", name, raster_.scale(),
                    canvas_.primitives, nominal, spent.count() * 1e3,
                    spent.count() * 1e9 / canvas_.primitives, nominal / spent.count());
    }
    void click(int times) {
        for (int i = 0; i < times; ++i)
            session_.perform(Action::Advance);
    }

  private:
    RasterCanvas raster_;
    CountingCanvas canvas_{raster_};
    NoControls controls_;
    Session session_{canvas_, controls_, 1};
};

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::printf("%-24s %4s %9s %10s %10s %9s %8s\n", "picture", "dpr", "prims", "nominal s",
                "raster ms", "ns/prim", "headroom");
    for (qreal ratio : {1.0, 2.0}) {
        Game game(ratio);
        game.click(1);
        game.measure("story screen 2 (lair)", Action::Advance);
        game.click(3);
        game.measure("story screen 6 (goblin)", Action::Advance);
        game.click(1);
        game.measure("fire ball", Action::FireBall);
        game.measure("try another choice", Action::TryAnotherChoice);
        game.measure("flame breath", Action::FlameBreath);
        game.click(1);
        game.measure("try another choice", Action::TryAnotherChoice);
        game.measure("eat him", Action::EatHim);
    }
    return 0;
}
