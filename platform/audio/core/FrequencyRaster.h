#pragma once
// The spectrum view: per column a short-time spectrum of the frames around it (Hann window), one
// lane per visible channel, 0 Hz at the lane's bottom and half the rate at its top; levels from
// -100 dB to 0 dB (a full-scale sine) take colours along Low -> Mid -> High.

#include <complex>
#include <cstdint>
#include <vector>

#include "platform/audio/core/BlockList.h"
#include "platform/audio/core/WaveformRaster.h"

struct SpectrumStyle {
  std::uint32_t Low = 0xFF000000u;
  std::uint32_t Mid = 0xFFFF0000u;
  std::uint32_t High = 0xFFFFFFFFu;
  bool ChannelVisible[2] = {true, true};
};

constexpr int kSpectrumWindow = 512;

struct SpectrumScratch {
  std::vector<float> Samples, Window, Levels;
  std::vector<std::complex<float>> Bins, Twiddles;
};

// Level in dB of each bin 0..kSpectrumWindow/2 of `frames` samples of one channel (zero-padded).
void SpectrumLevels(const float* interleaved, int channels, int channel, SpectrumScratch& scratch);

void RasterizeSpectrum(const BlockList& audio, std::int64_t viewStart, std::int64_t viewEnd, const PixelBuffer& target,
                       const SpectrumStyle& style, SpectrumScratch& scratch);
