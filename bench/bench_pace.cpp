// How the desktop keeps the pace while a player watches: the default tour played in a real game
// window at speed 1, each picture's real length from the input that starts it to its last frame
// on screen against its nominal length, and the CPU the whole program used per second of wall
// time meanwhile. Runs offscreen unless a platform is chosen. --sound plays the cues on the default
// audio device as the game does, --mute opens it muted; each picture then comes after a second
// of quiet, left out of the CPU and wall time, and its first frame is printed on the monotonic
// clock, to hold against a recording of what the device played.

#include "tour/TourScript.h"
#include "window/GameWindow.h"
#include "window/SoundOutput.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>

#include <cmath>
#include <cstdio>
#include <ctime>
#include <optional>

namespace {

double clockSeconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double processCpuSeconds() {
    return clockSeconds(CLOCK_PROCESS_CPUTIME_ID);
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    GameOptions options;
    options.seed = 3;
    GameWindow window(options);
    window.resize(1024, 720);
    window.show();
    QApplication::processEvents();
    std::optional<SoundOutput> sound;
    if (app.arguments().contains(QStringLiteral("--sound")) ||
        app.arguments().contains(QStringLiteral("--mute"))) {
        window.setMuted(app.arguments().contains(QStringLiteral("--mute")));
        sound.emplace(window);
    }

    const ParsedTour tour = parseTour(DefaultTour);
    std::printf("%-8s %10s %10s %8s\n", "step", "nominal s", "real s", "off");
    QElapsedTimer wall;
    wall.start();
    const double cpuStart = processCpuSeconds();
    double worst = 0;
    double pausedWall = 0;
    double pausedCpu = 0;
    for (const TourStep& step : tour.steps) {
        const Action action = std::get<Action>(step);
        if (sound) {
            const double wallBefore = clockSeconds(CLOCK_MONOTONIC);
            const double cpuBefore = processCpuSeconds();
            QElapsedTimer quiet;
            quiet.start();
            while (quiet.elapsed() < 1000)
                QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
            pausedWall += clockSeconds(CLOCK_MONOTONIC) - wallBefore;
            pausedCpu += processCpuSeconds() - cpuBefore;
        }
        QElapsedTimer picture;
        picture.start();
        window.runner().play(action);
        std::optional<double> shown;
        while (window.runner().busy()) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
            if (!shown && window.runner().timeline().nominalNs() > 0)
                shown = clockSeconds(CLOCK_MONOTONIC);
        }
        if (sound && shown)
            std::printf("%-8s first frame at %.4f\n", std::string(nameOf(action).step).c_str(),
                        *shown);
        const double nominal = static_cast<double>(window.runner().timeline().nominalNs()) * 1e-9;
        const double real = static_cast<double>(picture.nsecsElapsed()) * 1e-9;
        // Only pictures of half a second or more are held to a share of their length.
        const double off = nominal >= 0.5 ? (real - nominal) / nominal : 0;
        worst = std::max(worst, std::abs(off));
        std::printf("%-8s %10.3f %10.3f %+7.1f%%\n", std::string(nameOf(action).step).c_str(),
                    nominal, real, off * 100);
    }
    const double seconds = static_cast<double>(wall.nsecsElapsed()) * 1e-9 - pausedWall;
    std::printf("worst %.1f%% off nominal; CPU %.3f s per wall-clock second over %.1f s\n",
                worst * 100, (processCpuSeconds() - cpuStart - pausedCpu) / seconds, seconds);
    return 0;
}
