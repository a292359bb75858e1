#pragma once
// Signals, encode/decode round trips and measurements shared by the codec tests.

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/audio/core/AudioFormat.h"
#include "platform/audio/core/ByteStream.h"

namespace codec_test {

constexpr double kPi = 3.14159265358979323846;

inline std::vector<float> Sine(double frequency, double amplitude, int rate, int channels, std::int64_t frames) {
  std::vector<float> samples(static_cast<std::size_t>(frames * channels));
  for (std::int64_t i = 0; i < frames; ++i)
    for (int c = 0; c < channels; ++c)
      samples[static_cast<std::size_t>(i * channels + c)] =
          static_cast<float>(amplitude * std::sin(2 * kPi * frequency * static_cast<double>(i) / rate));
  return samples;
}

// Deterministic uniform noise in [-amplitude, amplitude].
inline std::vector<float> Noise(double amplitude, int channels, std::int64_t frames) {
  std::vector<float> samples(static_cast<std::size_t>(frames * channels));
  std::uint32_t state = 12345;
  for (float& s : samples) {
    state = state * 1664525u + 1013904223u;
    s = static_cast<float>(amplitude * (static_cast<double>(state >> 8) / (1 << 23) - 1.0));
  }
  return samples;
}

// Writes `samples` through `encoder` in uneven pieces and returns the committed bytes.
template <typename MakeEncoder>
AnsiString Encode(const std::vector<float>& samples, int channels, MakeEncoder make) {
  auto sink = std::make_unique<MemorySink>();
  MemorySink* bytes = sink.get();
  std::unique_ptr<AudioEncoder> encoder = make(std::move(sink));
  const std::int64_t frames = static_cast<std::int64_t>(samples.size()) / channels;
  std::int64_t at = 0;
  for (std::int64_t piece = 1000; at < frames; piece += 777) {
    const std::int64_t n = std::min(piece, frames - at);
    encoder->Write(samples.data() + at * channels, n);
    at += n;
  }
  encoder->Finish();
  return bytes->Committed();
}

inline std::vector<float> ReadAll(AudioDecoder& decoder) {
  const AudioFileInfo& info = decoder.Info();
  std::vector<float> samples(static_cast<std::size_t>(info.Frames * info.Channels));
  std::int64_t at = 0;
  while (at < info.Frames) {
    const std::int64_t got = decoder.Read(samples.data() + at * info.Channels, std::min<std::int64_t>(4096, info.Frames - at));
    if (got == 0) break;
    at += got;
  }
  samples.resize(static_cast<std::size_t>(at * info.Channels));
  return samples;
}

// One channel of the middle half of an interleaved signal.
inline std::vector<double> MiddleOf(const std::vector<float>& samples, int channels, int channel) {
  const std::size_t frames = samples.size() / static_cast<std::size_t>(channels);
  std::vector<double> out;
  for (std::size_t i = frames / 4; i < frames * 3 / 4; ++i) out.push_back(samples[i * channels + channel]);
  return out;
}

inline double RmsDb(const std::vector<double>& x) {
  double sum = 0;
  for (double v : x) sum += v * v;
  return 10 * std::log10(sum / static_cast<double>(x.size()));
}

// Frequency from the interpolated positions of the first and last upward zero crossings.
inline double FrequencyOf(const std::vector<double>& x, int rate) {
  double first = -1, last = -1;
  int crossings = 0;
  for (std::size_t i = 1; i < x.size(); ++i) {
    if (x[i - 1] < 0 && x[i] >= 0) {
      const double at = static_cast<double>(i - 1) + x[i - 1] / (x[i - 1] - x[i]);
      if (first < 0) first = at;
      last = at;
      ++crossings;
    }
  }
  return crossings < 2 ? 0 : (crossings - 1) * rate / (last - first);
}

}  // namespace codec_test
