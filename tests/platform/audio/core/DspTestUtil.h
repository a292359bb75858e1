#pragma once
// Signals and measurements for the effect tests: sines, impulses, noise, levels, frequencies.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <vector>

#include "platform/audio/core/EffectStream.h"

namespace dsp_test {

constexpr double kPi = 3.14159265358979323846;

inline SampleBuffer Sine(double hz, double amplitude, double seconds, int rate, int channels = 1) {
  const auto frames = static_cast<std::int64_t>(seconds * rate);
  SampleBuffer b(channels, rate, frames);
  for (std::int64_t i = 0; i < frames; ++i)
    for (int c = 0; c < channels; ++c) b.Frame(i)[c] = static_cast<float>(amplitude * std::sin(2 * kPi * hz * i / rate));
  return b;
}

inline SampleBuffer Impulse(std::int64_t frames, int rate, int channels = 1) {
  SampleBuffer b(channels, rate, frames);
  for (int c = 0; c < channels; ++c) b.Frame(0)[c] = 1.0f;
  return b;
}

inline SampleBuffer Noise(double seconds, int rate, int channels, unsigned seed = 1) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<float> uniform(-0.5f, 0.5f);
  SampleBuffer b(channels, rate, static_cast<std::int64_t>(seconds * rate));
  for (std::int64_t i = 0; i < b.Values(); ++i) b.Data()[i] = uniform(random);
  return b;
}

inline SampleBuffer Copy(const SampleBuffer& b) {
  SampleBuffer copy(b.Channels(), b.SampleRate(), b.Frames());
  std::copy(b.Data(), b.Data() + b.Values(), copy.Data());
  return copy;
}

// The buffer with the effect run over it alone.
inline SampleBuffer Processed(std::unique_ptr<AudioEffect> effect, const SampleBuffer& in) {
  SampleBuffer out = Copy(in);
  EffectStream(std::move(effect)).ProcessWhole(out);
  return out;
}

// Channel `c` of frames [from, to) (to < 0: the end).
inline std::vector<float> Channel(const SampleBuffer& b, int c = 0, std::int64_t from = 0, std::int64_t to = -1) {
  if (to < 0 || to > b.Frames()) to = b.Frames();
  std::vector<float> v;
  for (std::int64_t i = from; i < to; ++i) v.push_back(b.Frame(i)[c]);
  return v;
}

inline double Rms(const std::vector<float>& v) {
  double sum = 0;
  for (float x : v) sum += double(x) * x;
  return v.empty() ? 0.0 : std::sqrt(sum / v.size());
}

inline double Peak(const std::vector<float>& v) {
  double peak = 0;
  for (float x : v) peak = std::max(peak, double(std::fabs(x)));
  return peak;
}

inline double Db(double ratio) { return 20.0 * std::log10(std::max(ratio, 1e-30)); }

// Gain in dB of a sine at `hz` through the effect, measured over the second half (after settling).
inline double GainDb(const std::function<std::unique_ptr<AudioEffect>()>& make, double hz, int rate = 48000) {
  const SampleBuffer in = Sine(hz, 0.5, 1.0, rate);
  const SampleBuffer out = Processed(make(), in);
  const std::int64_t half = in.Frames() / 2;
  return Db(Rms(Channel(out, 0, half)) / Rms(Channel(in, 0, half)));
}

// Times (in frames, interpolated) where the signal crosses zero upwards.
inline std::vector<double> UpwardCrossings(const std::vector<float>& v) {
  std::vector<double> times;
  for (std::size_t i = 1; i < v.size(); ++i)
    if (v[i - 1] < 0.0f && v[i] >= 0.0f) times.push_back(i - 1 + v[i - 1] / (v[i - 1] - v[i]));
  return times;
}

// Mean frequency over the signal from its upward zero crossings.
inline double Frequency(const std::vector<float>& v, int rate) {
  const std::vector<double> t = UpwardCrossings(v);
  if (t.size() < 2) return 0.0;
  return (t.size() - 1) * rate / (t.back() - t.front());
}

}  // namespace dsp_test
