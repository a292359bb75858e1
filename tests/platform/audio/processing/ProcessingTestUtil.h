#pragma once
// Signals and measurements shared by the processing tests.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/audio/core/SampleBuffer.h"

namespace processing_test {

constexpr double kPi = 3.14159265358979323846;

inline SampleBuffer Sine(double hz, double amplitude, std::int64_t frames, int rate, int channels) {
  SampleBuffer b(channels, rate, frames);
  for (std::int64_t i = 0; i < frames; ++i)
    for (int c = 0; c < channels; ++c)
      b.Frame(i)[c] = static_cast<float>(amplitude * std::sin(2 * kPi * hz * static_cast<double>(i) / rate + c));
  return b;
}

// Deterministic noise in [-amplitude, amplitude], different in each channel.
inline SampleBuffer Noise(double amplitude, std::int64_t frames, int rate, int channels, std::uint32_t seed = 7) {
  SampleBuffer b(channels, rate, frames);
  for (std::int64_t i = 0; i < b.Values(); ++i) {
    seed = seed * 1664525u + 1013904223u;
    b.Data()[i] = static_cast<float>(amplitude * (static_cast<double>(seed >> 8) / (1 << 23) - 1.0));
  }
  return b;
}

inline SampleBuffer Copy(const SampleBuffer& b) {
  SampleBuffer copy(b.Channels(), b.SampleRate(), b.Frames());
  std::copy(b.Data(), b.Data() + b.Values(), copy.Data());
  return copy;
}

// Frames [from, from + count) of a buffer as a new buffer.
inline SampleBuffer Slice(const SampleBuffer& b, std::int64_t from, std::int64_t count) {
  count = std::max<std::int64_t>(0, std::min(count, b.Frames() - from));
  SampleBuffer part(b.Channels(), b.SampleRate(), count);
  std::copy(b.Frame(from), b.Frame(from) + count * b.Channels(), part.Data());
  return part;
}

inline void Append(SampleBuffer& to, const SampleBuffer& more) {
  const std::int64_t at = to.Frames();
  to.Resize(at + more.Frames());
  std::copy(more.Data(), more.Data() + more.Values(), to.Frame(at));
}

inline double MaxDifference(const SampleBuffer& a, const SampleBuffer& b) {
  if (a.Values() != b.Values()) return 1e9;
  double worst = 0;
  for (std::int64_t i = 0; i < a.Values(); ++i) worst = std::max(worst, std::fabs(double(a.Data()[i]) - b.Data()[i]));
  return worst;
}

// The frequency of channel `c` from its zero crossings over frames [from, to).
inline double ZeroCrossingHz(const SampleBuffer& b, int c, std::int64_t from, std::int64_t to) {
  std::int64_t first = -1, last = -1, count = 0;
  for (std::int64_t i = from + 1; i < to; ++i) {
    if (b.Frame(i - 1)[c] < 0 && b.Frame(i)[c] >= 0) {
      if (first < 0) first = i;
      last = i;
      ++count;
    }
  }
  if (count < 2) return 0;
  return static_cast<double>(count - 1) * b.SampleRate() / static_cast<double>(last - first);
}

inline double RmsDb(const SampleBuffer& b, int c, std::int64_t from, std::int64_t to) {
  double sum = 0;
  for (std::int64_t i = from; i < to; ++i) sum += double(b.Frame(i)[c]) * b.Frame(i)[c];
  return 10 * std::log10(std::max(sum / double(to - from), 1e-30));
}

}  // namespace processing_test
