// How fast the real canvas paints each picture of the game, against the pace the timeline asks
// for. The headroom column is how many times faster than needed the machine draws: below 1 the
// pictures would lag behind their nominal pace.

#include "canvas/RasterCanvas.h"
#include "game/Story.h"
#include "pacing/PacedCanvas.h"
#include "stage/Stage.h"
#include "window/SilentView.h"

#include <QGuiApplication>

#include <chrono>
#include <cstdio>

namespace {

// Counts primitives on their way to the raster canvas.
class CountingCanvas : public PacedCanvas {
  public:
    using PacedCanvas::PacedCanvas;
    void Line(float x1, float y1, float x2, float y2, Color colour) override {
        ++primitives;
        PacedCanvas::Line(x1, y1, x2, y2, colour);
    }
    void DrawCircle(const CircleShape& shape) override {
        ++primitives;
        PacedCanvas::DrawCircle(shape);
    }
    long primitives = 0;
};

// The game without its window: the story's handlers painting on the raster canvas.
class Game {
  public:
    explicit Game(qreal ratio) : raster_(QSize(1024, 720), ratio) { story_.Form_Load(); }

    void measure(const char* name, void (Story::*handler)()) {
        timeline_.Restart();
        canvas_.primitives = 0;
        const auto start = std::chrono::steady_clock::now();
        (story_.*handler)();
        const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
        const double nominal = timeline_.NominalNs() * 1e-9;
        std::printf("%-24s %4.2g %9ld %10.3f %10.1f %9.1f %8.1f\n", name,
                    raster_.Image().devicePixelRatio(), canvas_.primitives, nominal,
                    spent.count() * 1e3, spent.count() * 1e9 / canvas_.primitives,
                    nominal / spent.count());
    }
    void click(int times) {
        for (int i = 0; i < times; ++i)
            story_.Form_Click();
    }

  private:
    RasterCanvas raster_;
    Timeline timeline_;
    CountingCanvas canvas_{raster_, timeline_};
    RandomSource random_{1, [] { return std::uint64_t{0}; }};
    SilentView view_;
    Stage stage_{canvas_, random_, timeline_, view_};
    Story story_{stage_};
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
        game.measure("story screen 2 (lair)", &Story::Form_Click);
        game.click(3);
        game.measure("story screen 6 (goblin)", &Story::Form_Click);
        game.click(1);
        game.measure("fire ball", &Story::cmdFireBall_Click);
        game.measure("try another choice", &Story::cmdTryAgain_Click);
        game.measure("flame breath", &Story::cmdFlame_Click);
        game.click(1);
        game.measure("try another choice", &Story::cmdTryAgain_Click);
        game.measure("eat him", &Story::cmdEat_Click);
    }
    return 0;
}
