#pragma once
// The level scale shared by the editor's meter and the recorder: round(92 + 20 log10(peak)),
// clamped to 0..92, so 0 dBFS reads 92 and -25 dBFS reads 67.

#include <cstdint>

constexpr int kMeterMax = 92;

int MeterLevel(float peak);
// Peak levels of each channel of interleaved frames (the second is the first's for mono).
void MeterLevels(const float* samples, std::int64_t frames, int channels, int levels[2]);
