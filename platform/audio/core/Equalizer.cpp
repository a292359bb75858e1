#include "platform/audio/core/Equalizer.h"

#include <algorithm>

void EqualizerEffect::Begin(const EffectContext& context) {
  InPlaceEffect::Begin(context);
  const int rate = context.SampleRate;
  std::vector<BiquadCoefficients> sections;
  const std::size_t bands = std::min(gains_.size(), freqs_.size());
  for (std::size_t i = 0; i < bands; ++i) {
    const double gainDb = dsp::ClampGainDb(10.0 * gains_[i]);
    const double hz = freqs_[i];
    if (!(hz < 0.45 * rate) || gainDb == 0.0) continue;
    sections.push_back(biquad::Peaking(dsp::ClampFrequency(hz, rate), gainDb, 1.0, rate));
  }
  cascade_.SetSections(std::move(sections));
}

void EqualizerEffect::Apply(float* samples, std::int64_t frames, int channels, std::int64_t) {
  cascade_.Process(samples, frames, channels);
}
