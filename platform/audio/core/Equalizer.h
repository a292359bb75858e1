#pragma once
// The graphic equalizer: one octave-wide peaking section per band.

#include <vector>

#include "platform/audio/core/Biquad.h"

class EqualizerEffect : public InPlaceEffect {
 public:
  // gains[i] is band i's gain in dB divided by 10 (the callers' tenths of a dB divided by 100);
  // freqs[i] its centre in Hz. Bands at or above 0.45 of the rate, and flat bands, are left out.
  EqualizerEffect(std::vector<float> gains, std::vector<float> freqs)
      : gains_(std::move(gains)), freqs_(std::move(freqs)) {}
  void Begin(const EffectContext& context) override;
  void Apply(float* samples, std::int64_t frames, int channels, std::int64_t position) override;

 private:
  std::vector<float> gains_, freqs_;
  BiquadCascade cascade_;
};
