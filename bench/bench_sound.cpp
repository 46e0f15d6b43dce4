// How much CPU the synthesiser takes for each cue, against the cue's own length: a continuous
// cue over its phase at speed 1, a one-shot over its length. The share column should stay far
// below 5%, so that a front end can mix on its audio thread without a care. With a file name,
// also writes every cue in turn, a third of a second apart, as a mono 16-bit WAV to listen to.

#include "sound/Mixer.h"
#include "sound/Voice.h"

#include <cstdio>
#include <ctime>
#include <vector>

namespace {

const char* const Names[CueCount] = {"rumble",  "chink", "growl", "whoosh", "roar", "slurp",
                                     "reel-in", "pop",   "boom",  "chew",   "gulp"};

double cpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Every cue in turn, the continuous ones stopped after their phase at speed 1.
std::vector<Mixer::Event> everyCue() {
    std::vector<Mixer::Event> events;
    std::int64_t at = Mixer::SampleRate / 10;
    for (int i = 0; i < CueCount; ++i) {
        const auto cue = static_cast<Cue>(i);
        const std::int64_t length = Voice::designSamples(cue);
        if (Voice::continuous(cue)) {
            events.push_back({.atSample = at, .kind = Mixer::Event::Kind::Start, .cue = cue});
            events.push_back(
                {.atSample = at + length, .kind = Mixer::Event::Kind::Stop, .cue = cue});
        } else {
            events.push_back({.atSample = at, .kind = Mixer::Event::Kind::Play, .cue = cue});
        }
        at += length + Mixer::SampleRate / 3;
    }
    return events;
}

void put(std::FILE* file, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        std::fputc(static_cast<int>((value >> (8 * i)) & 0xff), file);
}

bool writeWav(const char* path, const std::vector<std::int16_t>& samples) {
    std::FILE* file = std::fopen(path, "wb");
    if (!file)
        return false;
    const auto data = static_cast<std::uint32_t>(samples.size() * 2);
    std::fputs("RIFF", file);
    put(file, 36 + data, 4);
    std::fputs("WAVEfmt ", file);
    put(file, 16, 4);
    put(file, 1, 2); // PCM
    put(file, 1, 2); // mono
    put(file, Mixer::SampleRate, 4);
    put(file, Mixer::SampleRate * 2, 4);
    put(file, 2, 2);
    put(file, 16, 2);
    std::fputs("data", file);
    put(file, data, 4);
    for (const std::int16_t sample : samples)
        put(file, static_cast<std::uint16_t>(sample), 2);
    return std::fclose(file) == 0;
}

} // namespace

int main(int argc, char** argv) {
    constexpr int Rounds = 20;
    std::printf("%-8s %9s %10s %8s\n", "cue", "length s", "cpu ms", "share %");
    double totalCpu = 0, totalLength = 0;
    for (int i = 0; i < CueCount; ++i) {
        const auto cue = static_cast<Cue>(i);
        const std::int64_t length = Voice::designSamples(cue);
        double sink = 0;
        const double start = cpuSeconds();
        for (int round = 0; round < Rounds; ++round) {
            Voice voice(cue);
            for (std::int64_t n = 0; n < length; ++n)
                sink += voice.next();
        }
        const double cpu = (cpuSeconds() - start) / Rounds;
        const double seconds = static_cast<double>(length) / Mixer::SampleRate;
        totalCpu += cpu;
        totalLength += seconds;
        // The sum keeps the work from being optimised away.
        std::printf("%-8s %9.2f %10.3f %8.3f%s\n", Names[i], seconds, cpu * 1e3,
                    100 * cpu / seconds, sink == 1e300 ? "!" : "");
    }
    std::printf("%-8s %9.2f %10.3f %8.3f\n", "all", totalLength, totalCpu * 1e3,
                100 * totalCpu / totalLength);

    if (argc > 1) {
        const std::vector<std::int16_t> samples = Mixer::soundtrack(everyCue());
        if (!writeWav(argv[1], samples)) {
            std::fprintf(stderr, "bench_sound: cannot write %s\n", argv[1]);
            return 1;
        }
        std::printf("wrote %s: %.2f s\n", argv[1],
                    static_cast<double>(samples.size()) / Mixer::SampleRate);
    }
    return 0;
}
