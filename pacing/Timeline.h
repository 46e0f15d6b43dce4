#pragma once

#include <cstdint>
#include <exception>

// What a Sync throws to stop the painting at the next primitive or pause (the window is closing,
// say): the handler unwinds through the painters, which hold nothing that needs undoing.
class PaintingStopped : public std::exception {
  public:
    const char* what() const noexcept override { return "painting stopped"; }
};

// What drawing costs on the emulated reference machine the pictures were paced for.
struct Tempo {
    double primitiveNs = 40000; // fixed cost of one Line or Circle
    double pixelNs = 13;        // cost of each logical pixel a primitive covers, after clipping
    double pauseUnitNs = 20000; // one unit of Pause
};

// The nominal time of one handler: every primitive and every pause unit advances it by its cost.
// A Sync, when set, hears of each advance and decides whether real time must catch up, and hears
// when a pause begins: the painter holding still is the moment to look at the picture. Either
// may throw PaintingStopped, which then leaves chargePrimitive() or chargePause().
class Timeline {
  public:
    class Sync {
      public:
        virtual ~Sync() = default;
        virtual void reached(std::int64_t nominalNs) = 0;
        virtual void pausing(std::int64_t nominalNs) { static_cast<void>(nominalNs); }
    };

    explicit Timeline(Tempo tempo = Tempo());

    // Back to zero, for the next handler.
    void restart();
    void chargePrimitive(double pixels);
    void chargePause(int units);

    std::int64_t nominalNs() const { return static_cast<std::int64_t>(nominalNs_); }
    void setSync(Sync* sync) { sync_ = sync; }

  private:
    void advance(double ns);

    Tempo tempo_;
    double nominalNs_ = 0;
    Sync* sync_ = nullptr;
};
