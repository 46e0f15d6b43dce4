// How fast the real canvas paints each picture of the game, against the pace the timeline asks
// for, at the zooms of a 1024 x 720 window, a 1920 x 1080 fullscreen (1.5) and a 3840 x 2160 one
// (3.75). The headroom column is how many times faster than needed the machine draws: below 1
// the pictures would lag behind their nominal pace; 1 / headroom is the share of one core the
// drawing takes while the picture plays. After each attack, the time to rebuild the picture so
// far at another zoom, as a resize or fullscreen asks for, and to paint the scene again from its
// log at that zoom, as a switch of view does.

#include "canvas/PassThroughCanvas.h"
#include "canvas/RasterCanvas.h"
#include "game/Layout.h"
#include "game/NoControls.h"
#include "game/Session.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

// CPU time rather than wall time: steadier on a machine that is busy with something else.
double cpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Counts primitives on their way to the raster canvas.
class CountingCanvas : public PassThroughCanvas {
  public:
    using PassThroughCanvas::PassThroughCanvas;
    void line(float x1, float y1, float x2, float y2, Color colour) override {
        ++primitives;
        PassThroughCanvas::line(x1, y1, x2, y2, colour);
    }
    void drawShape(const CircleShape& shape) override {
        ++primitives;
        PassThroughCanvas::drawShape(shape);
    }

    long primitives = 0;
};

// The game without its window: the story's handlers painting on the raster canvas.
class Game {
  public:
    explicit Game(double scale) : raster_(DesignSize, scale) {}

    void measure(const char* name, Action action) {
        canvas_.primitives = 0;
        const double start = cpuSeconds();
        session_.perform(action).finish();
        const double spent = cpuSeconds() - start;
        const double nominal = session_.timeline().nominalNs() * 1e-9;
        std::printf("%-24s %4.2g %9ld %10.3f %10.1f %9.1f %8.1f\n", name, raster_.scale(),
                    canvas_.primitives, nominal, spent * 1e3, spent * 1e9 / canvas_.primitives,
                    nominal / spent);
    }
    // Rebuilds the picture at another scale and back, and reports the first; at its own scale
    // there is nothing to rebuild.
    void rebuild(const char* after, double scale) {
        const double was = raster_.scale();
        if (scale == was)
            return;
        // The best of a few: the first also pays for memory that later ones reuse.
        double spent = 1e9;
        for (int run = 0; run < 3; ++run) {
            const double start = cpuSeconds();
            raster_.resize(raster_.clientSize(), scale);
            spent = std::min(spent, cpuSeconds() - start);
            raster_.resize(raster_.clientSize(), was);
        }
        std::printf("  rebuild after %-18s at %4.2g: %7.1f ms of CPU, %zu primitives kept\n", after,
                    scale, spent * 1e3, raster_.keptPrimitives());
    }
    void replay(const char* after, double scale) {
        RasterCanvas fresh(raster_.clientSize(), scale);
        const double start = cpuSeconds();
        fresh.paintBatch([this](Canvas& canvas) { session_.replayScene(canvas); });
        const double spent = cpuSeconds() - start;
        std::printf("  replay after %-19s at %4.2g: %7.1f ms of CPU\n", after, scale, spent * 1e3);
    }
    void click(int times) {
        for (int i = 0; i < times; ++i)
            session_.perform(Action::Advance).finish();
    }

  private:
    RasterCanvas raster_;
    CountingCanvas canvas_{raster_};
    NoControls controls_;
    Session session_{canvas_, controls_, 1};
};

} // namespace

int main() {
    std::printf("%-24s %4s %9s %10s %10s %9s %8s\n", "picture", "zoom", "prims", "nominal s",
                "CPU ms", "ns/prim", "headroom");
    for (double zoom : {1.0, 1.5, 3.75}) {
        Game game(zoom);
        game.click(1);
        game.measure("story screen 2 (lair)", Action::Advance);
        game.click(3);
        game.measure("story screen 6 (goblin)", Action::Advance);
        game.click(1);
        game.measure("fire ball", Action::FireBall);
        game.rebuild("the fire ball", 1.5);
        game.replay("the fire ball", 1.5);
        game.measure("try another choice", Action::TryAnotherChoice);
        game.measure("flame breath", Action::FlameBreath);
        game.rebuild("the flame breath", 1.5);
        game.replay("the flame breath", 1.5);
        game.click(1);
        game.measure("try another choice", Action::TryAnotherChoice);
        game.measure("eat him", Action::EatHim);
        game.rebuild("eating him", 1.5);
        game.replay("eating him", 1.5);
    }
    return 0;
}
