#include "sound/Voice.h"

#include "sound/Waveform.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double Dt = 1.0 / Voice::SampleRate;
constexpr double TwoPi = 6.283185307179586;
// 5 ms in, 50 ms out after a stop, 10 ms out at a one-shot's end: short enough to keep the
// cue's own attack, long enough never to click.
constexpr std::int64_t FadeIn = 240;
constexpr std::int64_t Release = 2400;
constexpr std::int64_t FadeOut = 480;

// Each cue's own noise, the same on every play.
std::uint32_t seedFor(Cue cue) {
    return 0x9e3779b9u * (static_cast<std::uint32_t>(cue) + 1);
}

// The multiplier that lets an envelope fall by e in about `seconds`.
double fall(double seconds) {
    return 1.0 - Dt / seconds;
}

// How far through its design length a continuous cue is, 0 to 1.
double through(double progress, Cue cue) {
    return std::min(progress * Voice::SampleRate / Voice::designSamples(cue), 1.0);
}

// A window rising from 0 to 1 and back over [start, start + length), 0 outside it.
double hump(double t, double start, double length) {
    if (t < start || t >= start + length)
        return 0;
    return Waveform::sine((t - start) / (2 * length));
}

} // namespace

Voice::Voice(Cue cue, double rate)
    : cue_(cue), rate_(continuous(cue) ? rate : 1.0), noise_(seedFor(cue)) {}

std::int64_t Voice::designSamples(Cue cue) {
    // In ms: the continuous cues' phases at speed 1, the one-shots' lengths.
    static constexpr std::int64_t Ms[CueCount] = {1100, 200, 1220, 3940, 2240, 360,
                                                  500,  150, 1300, 340,  420};
    return Ms[static_cast<int>(cue)] * SampleRate / 1000;
}

void Voice::setRate(double rate) {
    if (continuous(cue_))
        rate_ = rate;
}

void Voice::release() {
    if (continuous(cue_) && releasedAt_ < 0)
        releasedAt_ = samples_;
}

bool Voice::done() const {
    if (continuous(cue_))
        return releasedAt_ >= 0 && samples_ - releasedAt_ >= Release;
    return samples_ >= designSamples(cue_);
}

double Voice::next() {
    if (done())
        return 0;
    double gain = std::min(1.0, static_cast<double>(samples_) / FadeIn);
    if (releasedAt_ >= 0)
        gain *= 1.0 - static_cast<double>(samples_ - releasedAt_) / Release;
    if (!continuous(cue_))
        gain *= std::min(1.0, static_cast<double>(designSamples(cue_) - samples_) / FadeOut);
    const double sample = gain * synthesise();
    ++samples_;
    progress_ += rate_ * Dt;
    return sample;
}

double Voice::synthesise() {
    switch (cue_) {
    case Cue::Rumble:
        return rumble();
    case Cue::Chink:
        return chink();
    case Cue::Growl:
        return growl();
    case Cue::Whoosh:
        return whoosh();
    case Cue::Roar:
        return roar();
    case Cue::Slurp:
        return slurp();
    case Cue::ReelIn:
        return reelIn();
    case Cue::Pop:
        return pop();
    case Cue::Boom:
        return boom();
    case Cue::Chew:
        return chew();
    case Cue::Gulp:
        return gulp();
    }
    return 0;
}

double Voice::tone(int i, double hz) {
    double& phase = phases_[i];
    const double value = Waveform::sine(phase);
    phase += hz * Dt;
    phase -= std::floor(phase);
    return value;
}

double Voice::lowPass(int i, double in, double hz) {
    const double w = TwoPi * hz * Dt;
    lows_[i] += w / (1 + w) * (in - lows_[i]);
    return lows_[i];
}

double Voice::bandPass(int i, double in, double hz, double damping) {
    // Chamberlin's state-variable filter; stable while hz stays well below a sixth of the rate.
    const double f = 2 * Waveform::sine(hz * Dt / 2);
    svfLow_[i] += f * svfBand_[i];
    const double high = in - svfLow_[i] - damping * svfBand_[i];
    svfBand_[i] += f * high;
    return svfBand_[i];
}

// A low, wobbling motor that climbs a little as the body swells.
double Voice::rumble() {
    const double g = through(progress_, cue_);
    const double hz = 40 + 30 * g + 3 * Waveform::sine(5.5 * progress_);
    const double body = tone(0, hz) + 0.5 * tone(1, 2 * hz) + 0.3 * tone(2, 3 * hz);
    const double grit = 3 * lowPass(0, noise_.next(), 180);
    const double tremolo = 0.75 + 0.25 * Waveform::sine(7 * progress_);
    return (0.12 + 0.1 * g) * (body + grit) * tremolo;
}

// Coins landing: bright pings at random pitches, one every 11 ms or so of the picture, never
// closer than 4 ms of real time, so that a fast hoard chinks rather than buzzes.
double Voice::chink() {
    if (progress_ >= nextPing_ && samples_ - lastPing_ >= SampleRate / 250) {
        Ping& ping = pings_[pingSlot_];
        pingSlot_ = (pingSlot_ + 1) % static_cast<int>(pings_.size());
        ping = {0, 1900 + 1300 * (noise_.next() + 1) / 2, 0.6 + 0.4 * noise_.next()};
        nextPing_ = progress_ + 0.011 + 0.004 * noise_.next();
        lastPing_ = samples_;
    }
    double sum = 0;
    for (Ping& ping : pings_) {
        // The partial at 2.76 times the pitch is what makes it metal; it dies first.
        sum += ping.level *
               (Waveform::sine(ping.phase) + 0.3 * ping.level * Waveform::sine(2.76 * ping.phase));
        ping.phase += ping.hz * Dt;
        ping.level *= fall(0.026);
    }
    return 0.16 * sum;
}

// The mouth opens: a rough throat growl rising under a breath drawn in.
double Voice::growl() {
    const double g = through(progress_, cue_);
    const double hz = 75 + 25 * g;
    const double throat = tone(0, hz) + 0.5 * tone(1, 2 * hz) + 0.33 * tone(2, 3 * hz);
    const double rough = 0.6 + 0.4 * Waveform::sine(23 * progress_);
    const double breath = bandPass(0, noise_.next(), 500 + 900 * g, 0.5);
    return (0.5 + 0.5 * g) * (0.17 * throat * rough + 0.3 * breath);
}

// The fire ball swelling: air rushing, its band climbing and growing louder to the end.
double Voice::whoosh() {
    const double g = through(progress_, cue_);
    const double air = bandPass(0, noise_.next(), 220 + 1500 * g * g, 0.35);
    const double body = 2 * lowPass(0, noise_.next(), 250);
    return (0.3 + 0.7 * g) * (0.33 * air + 0.3 * body);
}

// The flames: a dark, fluttering roar of filtered noise over a low hum.
double Voice::roar() {
    const double in = noise_.next();
    const double dark = 3 * lowPass(1, lowPass(0, in, 900), 900);
    const double throat = bandPass(0, in, 320, 0.8);
    const double flutter =
        0.7 + 0.18 * Waveform::sine(9.3 * progress_) + 0.12 * Waveform::sine(13.7 * progress_);
    const double swell = std::min(1.0, progress_ / 0.08);
    return swell * flutter * (0.33 * dark + 0.22 * throat + 0.1 * tone(0, 52));
}

// The tongue shooting out: a wet, bubbling glide upwards.
double Voice::slurp() {
    const double g = through(progress_, cue_);
    const double hz = (220 + 580 * g * g) * (1 + 0.18 * Waveform::sine(31 * progress_));
    const double wet = bandPass(0, noise_.next(), 2 * hz, 0.3);
    return (0.6 + 0.4 * g) * (0.3 * tone(0, hz) + 0.12 * wet);
}

// Reeling in: a falling whine over a ratchet's ticks, 32 to the picture's second.
double Voice::reelIn() {
    const double g = through(progress_, cue_);
    const double hz = 700 - 450 * g;
    const double whine = tone(0, hz) + 0.3 * tone(1, 2 * hz);
    const double sinceTick = 1 - (32 * progress_ - std::floor(32 * progress_));
    const double tick = sinceTick * sinceTick * sinceTick * sinceTick;
    const double click = bandPass(0, noise_.next(), 2200, 0.4) * tick;
    return 0.13 * whine * (0.7 + 0.3 * Waveform::sine(32 * progress_)) + 0.35 * click;
}

// The goblin's cheeky pop: a bloop that shoots up an octave and a half, with a puff of air.
double Voice::pop() {
    const double t = progress_;
    const double rise = t < 0.06 ? (1 - t / 0.06) * (1 - t / 0.06) : 0;
    const double hz = 1200 - 900 * rise;
    const double puff = lowPass(0, noise_.next(), 1500) * decays_[1];
    const double sample = 0.5 * decays_[0] * tone(0, hz) + 0.6 * puff;
    decays_[0] *= fall(0.04);
    decays_[1] *= fall(0.008);
    return sample;
}

// The fire ball lands: a deep thump whose pitch drops, and a rumble of dark noise after it.
double Voice::boom() {
    const double hz = 36 + 70 * decays_[2];
    const double thump = decays_[0] * (tone(0, hz) + 0.3 * tone(1, 2 * hz));
    const double dust =
        4 * decays_[1] * lowPass(1, lowPass(0, noise_.next(), 90 + 600 * decays_[2]), 200);
    decays_[0] *= fall(0.4);
    decays_[1] *= fall(0.25);
    decays_[2] *= fall(0.12);
    return 0.42 * thump + 0.5 * dust;
}

// A chew: three bites of crackling noise, each with a soft thud under it.
double Voice::chew() {
    static constexpr int Bites[] = {0, 4080, 8160}; // 0, 85 and 170 ms
    for (const int bite : Bites)
        if (samples_ == bite)
            decays_[0] = 1;
    const double grain = noise_.next();
    const double crackle = noise_.next() > 0.2 ? grain : 0.15 * grain;
    const double crunch = bandPass(0, crackle, 1300, 0.6) + lowPass(0, crackle, 500);
    const double thud = tone(0, 95 + 60 * decays_[0]);
    const double sample = decays_[0] * (0.8 * crunch + 0.15 * thud);
    decays_[0] *= fall(0.022);
    return sample;
}

// A gulp: a throaty "gul" falling in pitch, then a quick bubble rising out of it.
double Voice::gulp() {
    const double t = progress_;
    const double gul = hump(t, 0, 0.18);
    const double bubble = hump(t, 0.2, 0.12);
    const double hz = t < 0.19 ? 260 - 140 * t / 0.19 : 160 + 260 * std::min(1.0, (t - 0.2) / 0.12);
    const double voice = tone(0, hz) + 0.35 * tone(1, 2 * hz);
    const double wet = 2 * lowPass(0, noise_.next(), 400);
    return (gul + bubble) * (0.3 * voice + 0.1 * wet);
}
