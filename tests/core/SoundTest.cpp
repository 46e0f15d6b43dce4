#include "sound/Mixer.h"
#include "sound/Voice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

using Kind = Mixer::Event::Kind;

// -1 dBFS in int16 steps.
constexpr int CeilingSteps = 29204;

Cue cueAt(int i) {
    return static_cast<Cue>(i);
}

// The cue alone from sample 0, a continuous one stopped after `samples` (its phase at speed 1
// unless told).
std::vector<std::int16_t> alone(Cue cue, std::int64_t samples = 0) {
    if (!Voice::continuous(cue))
        return Mixer::soundtrack({{.atSample = 0, .kind = Kind::Play, .cue = cue}});
    const std::int64_t length = samples ? samples : Voice::designSamples(cue);
    return Mixer::soundtrack({{.atSample = 0, .kind = Kind::Start, .cue = cue},
                              {.atSample = length, .kind = Kind::Stop, .cue = cue}});
}

std::uint32_t fnv1a(const std::vector<std::int16_t>& samples) {
    std::uint32_t hash = 2166136261u;
    for (const std::int16_t sample : samples)
        for (const int byte : {sample & 0xff, (sample >> 8) & 0xff})
            hash = (hash ^ static_cast<std::uint32_t>(byte)) * 16777619u;
    return hash;
}

int peakOf(const std::vector<std::int16_t>& samples, std::size_t from = 0,
           std::size_t to = SIZE_MAX) {
    int peak = 0;
    for (std::size_t i = from; i < std::min(to, samples.size()); ++i)
        peak = std::max(peak, std::abs(int{samples[i]}));
    return peak;
}

double rmsOf(const std::vector<std::int16_t>& samples, std::size_t from, std::size_t to) {
    double sum = 0;
    for (std::size_t i = from; i < to; ++i)
        sum += static_cast<double>(samples[i]) * samples[i];
    return std::sqrt(sum / static_cast<double>(to - from));
}

} // namespace

// The synthesiser uses exact arithmetic only, so these hold on every compiler and platform (and
// in the page's WebAssembly): a change here is a change to how a cue sounds.
TEST(Cues, EachCueHasTheSameSamplesEverywhere) {
    const std::uint32_t expected[CueCount] = {1682304102u, 2366276364u, 716781622u,  1987869053u,
                                              40850333u,   715786775u,  1288028329u, 316159316u,
                                              1132922125u, 3991112809u, 1637961467u};
    for (int i = 0; i < CueCount; ++i)
        EXPECT_EQ(fnv1a(alone(cueAt(i))), expected[i]) << "cue " << i;
}

// A one-shot plays its own length whenever it ends; a continuous cue fades for 50 ms after its
// stop, wherever that falls.
TEST(Cues, OneShotsKeepTheirLengthAndContinuousCuesFadeAfterTheirStop) {
    for (int i = 0; i < CueCount; ++i) {
        const Cue cue = cueAt(i);
        const std::int64_t stop = Voice::designSamples(cue) * 2 / 5 + 17;
        const std::size_t length = alone(cue, stop).size();
        if (Voice::continuous(cue))
            EXPECT_EQ(length, static_cast<std::size_t>(stop + 2400)) << "cue " << i;
        else
            EXPECT_EQ(length, static_cast<std::size_t>(Voice::designSamples(cue))) << "cue " << i;
    }
}

// Each cue starts from silence and ends in it, over a few milliseconds, also when a continuous
// one is stopped at an odd moment: no step a speaker would click on.
TEST(Cues, NoneClicksAtItsStartOrEnd) {
    for (int i = 0; i < CueCount; ++i) {
        const Cue cue = cueAt(i);
        for (const std::int64_t stop : {std::int64_t{0}, Voice::designSamples(cue) / 3 + 101}) {
            const std::vector<std::int16_t> samples = alone(cue, stop);
            const int peak = peakOf(samples);
            const std::size_t halfMs = 24, size = samples.size();
            EXPECT_GT(peak, 3000) << "cue " << i << " is too quiet to judge";
            EXPECT_EQ(samples.front(), 0) << "cue " << i;
            EXPECT_LT(std::abs(int{samples.back()}), peak / 100) << "cue " << i;
            EXPECT_LT(peakOf(samples, 0, halfMs), peak / 8) << "cue " << i << " starts";
            EXPECT_LT(peakOf(samples, size - halfMs), peak / 8) << "cue " << i << " ends";
        }
    }
}

TEST(Mixer, EveryCueOverlappingEveryOtherStaysBelowMinusOneDecibel) {
    std::vector<Mixer::Event> events;
    for (int i = 0; i < CueCount; ++i) {
        const Cue cue = cueAt(i);
        // All at once, and then each one-shot again every 50 ms over the continuous cues.
        if (Voice::continuous(cue)) {
            events.push_back({.atSample = 0, .kind = Kind::Start, .cue = cue});
            events.push_back({.atSample = 96000, .kind = Kind::Stop, .cue = cue});
        } else {
            for (std::int64_t at = 0; at < 96000; at += 2400)
                events.push_back({.atSample = at + i, .kind = Kind::Play, .cue = cue});
        }
    }
    const std::vector<std::int16_t> samples = Mixer::soundtrack(events);
    const int peak = peakOf(samples);
    EXPECT_LE(peak, CeilingSteps);
    // The mix did reach the limiter, or this proves nothing.
    EXPECT_GT(peak, 28000);
}

// A front end pulls blocks of whatever size its device asks for: the samples do not depend on
// them, and match the soundtrack rendered at once.
TEST(Mixer, BlocksOfAnySizeGiveTheSoundtrack) {
    const std::vector<Mixer::Event> events = {
        {.atSample = 100, .kind = Kind::Start, .cue = Cue::Growl},
        {.atSample = 5000, .kind = Kind::Play, .cue = Cue::Pop},
        {.atSample = 9000, .kind = Kind::Rate, .rate = 4},
        {.atSample = 12000, .kind = Kind::Stop, .cue = Cue::Growl}};
    const std::vector<std::int16_t> whole = Mixer::soundtrack(events);
    for (const std::size_t blockSize : {std::size_t{1}, std::size_t{137}, std::size_t{4800}}) {
        Mixer mixer;
        for (const Mixer::Event& event : events)
            mixer.schedule(event);
        std::vector<std::int16_t> pulled;
        std::vector<std::int16_t> block(blockSize);
        while (pulled.size() < whole.size()) {
            mixer.render(block);
            pulled.insert(pulled.end(), block.begin(), block.end());
        }
        pulled.resize(whole.size());
        EXPECT_EQ(pulled, whole) << "blocks of " << blockSize;
        EXPECT_TRUE(mixer.quiet());
    }
}

// The speed runs a continuous cue's progress (its sweeps and swells) faster from the sample it
// changes on; one-shots keep their own length and pitch.
TEST(Mixer, ContinuousCuesFollowTheSpeedAndOneShotsDoNot) {
    Voice voice(Cue::Whoosh);
    for (int n = 0; n < 12000; ++n)
        voice.next();
    voice.setRate(4);
    for (int n = 0; n < 12000; ++n)
        voice.next();
    EXPECT_NEAR(voice.progress(), 1.25, 1e-9);

    const std::vector<std::int16_t> steady = alone(Cue::Whoosh);
    const std::vector<std::int16_t> retimed =
        Mixer::soundtrack({{.atSample = 0, .kind = Kind::Start, .cue = Cue::Whoosh},
                           {.atSample = 48000, .kind = Kind::Rate, .rate = 2},
                           {.atSample = 48000 + (Voice::designSamples(Cue::Whoosh) - 48000) / 2,
                            .kind = Kind::Stop,
                            .cue = Cue::Whoosh}});
    EXPECT_TRUE(std::equal(retimed.begin(), retimed.begin() + 48000, steady.begin()));
    EXPECT_FALSE(
        std::equal(retimed.begin() + 48000, retimed.begin() + 49000, steady.begin() + 48000));
    // Twice as fast, it reaches its full swell in the time left at that speed.
    const double fullSwell = rmsOf(steady, steady.size() - 7200, steady.size() - 2400);
    const double retimedSwell = rmsOf(retimed, retimed.size() - 7200, retimed.size() - 2400);
    EXPECT_NEAR(retimedSwell / fullSwell, 1.0, 0.2);

    for (int i = 0; i < CueCount; ++i) {
        const Cue cue = cueAt(i);
        if (Voice::continuous(cue))
            continue;
        EXPECT_EQ(Mixer::soundtrack({{.atSample = 0, .kind = Kind::Rate, .rate = 8},
                                     {.atSample = 0, .kind = Kind::Play, .cue = cue}}),
                  alone(cue))
            << "cue " << i;
    }
}
