#pragma once

#include <cstdint>
#include <utility>

// What drawing costs on the emulated reference machine the pictures were paced for.
struct Tempo {
    double primitiveNs = 40000; // fixed cost of one Line or Circle
    double pixelNs = 13;        // cost of each logical pixel a primitive covers, after clipping
    double pauseUnitNs = 20000; // one unit of Pause
};

// The nominal time of one picture: every primitive and every pause unit advances it by its cost.
// A Sync, when set, hears of each advance, and hears when a pause begins: the painter holding
// still is the moment to look at the picture. It may ask the painter to stop there, for the
// picture to be shown or for real time to catch up.
class Timeline {
  public:
    class Sync {
      public:
        virtual ~Sync() = default;
        virtual void reached(std::int64_t nominalNs) = 0;
        virtual void pausing(std::int64_t nominalNs) { static_cast<void>(nominalNs); }
    };

    explicit Timeline(Tempo tempo = Tempo());

    // Back to zero, for the next picture.
    void restart();
    void chargePrimitive(double pixels);
    void chargePause(int units);

    std::int64_t nominalNs() const { return static_cast<std::int64_t>(nominalNs_); }
    void setSync(Sync* sync) { sync_ = sync; }
    Sync* sync() const { return sync_; }

    // Asks the painter to stop after what it is drawing, once; the painter asks takeStop().
    void requestStop() { stopWanted_ = true; }
    bool takeStop() { return std::exchange(stopWanted_, false); }

  private:
    void advance(double ns);

    Tempo tempo_;
    double nominalNs_ = 0;
    Sync* sync_ = nullptr;
    bool stopWanted_ = false;
};
