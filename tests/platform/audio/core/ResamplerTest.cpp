#include "platform/audio/core/Resampler.h"

#include <gtest/gtest.h>

#include <cmath>

#include "AudioTestUtil.h"

namespace {

using audio_test::kPi;

// Amplitude of a sine of `frequency` in the middle of the converted output (phase-free fit).
double ConvertedAmplitude(int from, int to, double frequency, std::int64_t* outFrames = nullptr) {
  const std::int64_t frames = from;  // one second
  std::vector<float> in(static_cast<std::size_t>(frames));
  for (std::int64_t i = 0; i < frames; ++i) in[i] = static_cast<float>(std::sin(2 * kPi * frequency * i / from));
  Resampler resampler(1, from, to);
  std::vector<float> out;
  // Uneven pieces, as a stream would bring them.
  for (std::int64_t at = 0; at < frames;) {
    const std::int64_t n = std::min<std::int64_t>(frames - at, 1000 + at % 777);
    resampler.Process(in.data() + at, n, out);
    at += n;
  }
  resampler.Finish(out);
  if (outFrames) *outFrames = static_cast<std::int64_t>(out.size());
  // Correlate with sine and cosine at the output rate over the middle half.
  double s = 0, c = 0;
  const std::int64_t a = out.size() / 4, b = 3 * out.size() / 4;
  for (std::int64_t i = a; i < b; ++i) {
    s += out[i] * std::sin(2 * kPi * frequency * i / to);
    c += out[i] * std::cos(2 * kPi * frequency * i / to);
  }
  return 2.0 * std::sqrt(s * s + c * c) / static_cast<double>(b - a);
}

double Db(double amplitude) { return 20.0 * std::log10(std::max(amplitude, 1e-12)); }

TEST(Resampler, PassbandIsFlatWithinATenthOfADecibel) {
  struct Case {
    int from, to;
  } cases[] = {{44100, 48000}, {48000, 44100}, {22050, 44100}, {44100, 8000}, {96000, 44100}};
  for (const Case& c : cases) {
    const double lower = std::min(c.from, c.to);
    for (double f : {0.05 * lower, 0.25 * lower, 0.45 * lower}) {
      std::int64_t frames = 0;
      EXPECT_NEAR(Db(ConvertedAmplitude(c.from, c.to, f, &frames)), 0.0, 0.1) << c.from << "->" << c.to << " at " << f;
      EXPECT_EQ(frames, c.to);
    }
  }
}

TEST(Resampler, AliasesAreEightyDecibelsDown) {
  // Tones above half the lower rate must not fold back into the output band.
  struct Case {
    int from, to;
    double frequency, alias;
  } cases[] = {{48000, 44100, 23000, 44100 - 23000}, {44100, 8000, 5000, 3000}, {96000, 44100, 30000, 14100}};
  for (const Case& c : cases) {
    const std::int64_t frames = c.from;
    std::vector<float> in(static_cast<std::size_t>(frames));
    for (std::int64_t i = 0; i < frames; ++i) in[i] = static_cast<float>(std::sin(2 * kPi * c.frequency * i / c.from));
    Resampler resampler(1, c.from, c.to);
    std::vector<float> out;
    resampler.Process(in.data(), frames, out);
    resampler.Finish(out);
    double s = 0, co = 0;
    const std::size_t a = out.size() / 4, b = 3 * out.size() / 4;
    for (std::size_t i = a; i < b; ++i) {
      s += out[i] * std::sin(2 * kPi * c.alias * i / c.to);
      co += out[i] * std::cos(2 * kPi * c.alias * i / c.to);
    }
    EXPECT_LT(Db(2.0 * std::sqrt(s * s + co * co) / static_cast<double>(b - a)), -80.0) << c.from << "->" << c.to;
  }
}

TEST(Resampler, ImagesOfUpsamplingAreEightyDecibelsDown) {
  // 10 kHz at 22050 Hz up to 44100 Hz leaves an image at 12050 Hz.
  const std::int64_t frames = 22050;
  std::vector<float> in(frames);
  for (std::int64_t i = 0; i < frames; ++i) in[i] = static_cast<float>(std::sin(2 * kPi * 10000.0 * i / 22050));
  Resampler resampler(1, 22050, 44100);
  std::vector<float> out;
  resampler.Process(in.data(), frames, out);
  resampler.Finish(out);
  double s = 0, c = 0;
  for (std::size_t i = out.size() / 4; i < 3 * out.size() / 4; ++i) {
    s += out[i] * std::sin(2 * kPi * 12050.0 * i / 44100);
    c += out[i] * std::cos(2 * kPi * 12050.0 * i / 44100);
  }
  EXPECT_LT(Db(2.0 * std::sqrt(s * s + c * c) / (out.size() / 2.0)), -80.0);
}

}  // namespace
