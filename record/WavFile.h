#pragma once

#include <QByteArray>

#include <cstdint>
#include <span>

// A soundtrack as a WAV file: a RIFF header for 16-bit PCM, mono, at the mixer's 48 kHz, then
// the samples, every field little-endian whatever the machine's order.
namespace WavFile {

inline constexpr int HeaderBytes = 44;

QByteArray encode(std::span<const std::int16_t> samples);

} // namespace WavFile
