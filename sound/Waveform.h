#pragma once

// The sine every oscillator reads, from a table filled by the exact sine and read with linear
// interpolation: the same samples on every platform, at a fraction of the series' cost.
namespace Waveform {

// sin(2 pi turns), for any number of turns.
double sine(double turns);

} // namespace Waveform
