// How fast the real canvas paints each picture of the game, against the pace the timeline asks
// for. The headroom column is how many times faster than needed the machine draws: below 1 the
// pictures would lag behind their nominal pace.

#include "attacks/Chewing.h"
#include "attacks/Devour.h"
#include "attacks/FireBall.h"
#include "attacks/FlameBreath.h"
#include "canvas/PacedCanvas.h"
#include "canvas/RasterCanvas.h"
#include "scene/Beast.h"
#include "scene/FloorAndHoard.h"
#include "scene/Goblin.h"
#include "scene/Stage.h"

#include <QGuiApplication>

#include <chrono>
#include <cstdio>
#include <functional>

namespace {

class SilentView : public GameView {
  public:
    void SetCaption(const std::string&) override {}
    void SetLabelVisible(bool) override {}
    void SetButtonVisible(Button, bool) override {}
};

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

struct World {
    explicit World(qreal ratio) : raster(QSize(1024, 720), ratio) {}
    RasterCanvas raster;
    Timeline timeline;
    CountingCanvas canvas{raster, timeline};
    RandomSource random{1, [] { return std::uint64_t{0}; }};
    SilentView view;
    Stage stage{canvas, random, timeline, view};

    void lair() {
        RedrawBeast(stage);
        DrawFloor(stage, 120, 50, 0);
        DrawGoldHoard(stage, 50);
        DrawGoblin(stage, 600, 700);
    }
};

void measure(const char* name, qreal ratio, const std::function<void(Stage&)>& paint) {
    World world(ratio);
    world.lair();
    world.timeline.Restart();
    world.canvas.primitives = 0;
    const auto start = std::chrono::steady_clock::now();
    paint(world.stage);
    const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
    const double nominal = world.timeline.NominalNs() * 1e-9;
    std::printf("%-26s %4.2g %9ld %10.3f %10.1f %9.1f %8.2f\n", name, ratio,
                world.canvas.primitives, nominal, spent.count() * 1e3,
                spent.count() * 1e9 / world.canvas.primitives, nominal / spent.count());
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::printf("%-26s %4s %9s %10s %10s %9s %8s\n", "picture", "dpr", "prims", "nominal s",
                "raster ms", "ns/prim", "headroom");
    for (qreal ratio : {1.0, 2.0}) {
        measure("story screen 2 (lair)", ratio, [](Stage& s) {
            std::int16_t radius = 1;
            DrawBody(s, radius);
            DrawEye(s, 5500, 3000, 500);
            DrawBrow(s, 5450, 2400, 6500, 3200);
            DrawTail(s, 0, 4500, 2000, 2500);
            DrawSpikes(s, 5500, 2000, 4000, 500);
            DrawFloor(s, 120, 50, 0);
            DrawGoldHoard(s, 50);
        });
        measure("try another choice", ratio, [](Stage& s) {
            s.canvas.Cls();
            RedrawBeast(s);
            DrawFloor(s, 120, 50, 0);
            DrawGoldHoard(s, 50);
            DrawGoblin(s, 600, 700);
        });
        measure("fire ball", ratio, [](Stage& s) {
            double radius = 5.0;
            ShootFireBall(s, radius);
        });
        measure("flame breath", ratio, [](Stage& s) {
            BreatheFlame(s, 4300, 4200);
            DrawCharredGoblin(s, 600, 700);
        });
        measure("eat him (devour + chew)", ratio, [](Stage& s) {
            DevourGoblin(s, 4000, 4000);
            ChewGoblin(s);
        });
    }
    return 0;
}
