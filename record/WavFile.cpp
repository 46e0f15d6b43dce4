#include "record/WavFile.h"

#include "sound/Mixer.h"

namespace {

void append16(QByteArray& out, std::uint16_t value) {
    out.append(static_cast<char>(value & 0xff));
    out.append(static_cast<char>(value >> 8));
}

void append32(QByteArray& out, std::uint32_t value) {
    append16(out, static_cast<std::uint16_t>(value & 0xffff));
    append16(out, static_cast<std::uint16_t>(value >> 16));
}

} // namespace

QByteArray WavFile::encode(std::span<const std::int16_t> samples) {
    constexpr std::uint16_t Channels = 1, BitsPerSample = 16;
    constexpr std::uint16_t BlockAlign = Channels * BitsPerSample / 8;
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * BlockAlign);

    QByteArray out;
    out.reserve(HeaderBytes + static_cast<qsizetype>(dataBytes));
    out.append("RIFF");
    append32(out, HeaderBytes - 8 + dataBytes);
    out.append("WAVE");
    out.append("fmt ");
    append32(out, 16); // the PCM format chunk's size
    append16(out, 1);  // PCM
    append16(out, Channels);
    append32(out, Mixer::SampleRate);
    append32(out, Mixer::SampleRate * BlockAlign); // bytes per second
    append16(out, BlockAlign);
    append16(out, BitsPerSample);
    out.append("data");
    append32(out, dataBytes);
    for (const std::int16_t sample : samples)
        append16(out, static_cast<std::uint16_t>(sample));
    return out;
}
