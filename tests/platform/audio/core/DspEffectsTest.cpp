#include <gtest/gtest.h>

#include "DspTestUtil.h"
#include "platform/audio/core/Delays.h"
#include "platform/audio/core/Dynamics.h"
#include "platform/audio/core/Modulation.h"

namespace {

using namespace dsp_test;

// ---- Dynamics

struct CompressorCase {
  float inputDb, threshold, rate, output;
  double expectedDb;
};

TEST(DspDynamics, CompressorSettlesOnItsCurve) {
  const CompressorCase cases[] = {
      {-6, -20, 50, 100, -13.0},   // T + (L - T)(1 - rate)
      {-6, -20, 100, 100, -20.0},  // a limiter
      {-6, -20, 0, 100, -6.0},     // rate 0 leaves the level
      {-30, -20, 80, 100, -30.0},  // below the threshold nothing changes
      {-6, -20, 50, 200, -13.0 + Db(2.0)},  // make-up gain
  };
  for (const CompressorCase& c : cases) {
    const SampleBuffer in = Sine(1000, std::pow(10.0, c.inputDb / 20.0), 1.0, 44100, 2);
    const SampleBuffer out = Processed(std::make_unique<CompressorEffect>(c.threshold, c.rate, c.output), in);
    for (int channel = 0; channel < 2; ++channel)
      EXPECT_NEAR(Db(Peak(Channel(out, channel, 22050))), c.expectedDb, 0.5)
          << c.inputDb << " dB in, T " << c.threshold << ", rate " << c.rate << ", output " << c.output;
  }
}

TEST(DspDynamics, CompressorAttacksWithinMillisecondsAndReleasesSlowly) {
  // A loud burst after quiet: the gain is down within 25 ms of its start, and back up 100 ms after
  // its end only partly, fully after 600 ms.
  SampleBuffer in = Sine(1000, 0.05, 1.2, 44100);
  for (std::int64_t i = 4410; i < 22050; ++i) in.Frame(i)[0] *= 16.0f;  // -26 dBFS, then -2 dBFS
  const SampleBuffer out = Processed(std::make_unique<CompressorEffect>(-20.0f, 100.0f, 100.0f), in);
  EXPECT_LT(Db(Peak(Channel(out, 0, 4410 + 1100, 4410 + 2200))), -18.0);
  const double after100 = Db(Peak(Channel(out, 0, 22050 + 4410, 22050 + 5000)));
  EXPECT_LT(after100, -30.0);
  EXPECT_NEAR(Db(Peak(Channel(out, 0, 22050 + 26460, 22050 + 27000))), -26.0, 0.5);
}

TEST(DspDynamics, NoiseReductionPassesLoudAndTakesQuietDown) {
  for (float rmsMs : {0.0f, 30.0f}) {
    const auto make = [rmsMs] { return std::make_unique<NoiseReductionEffect>(-30.0f, 100.0f, rmsMs); };
    const SampleBuffer loud = Sine(1000, std::pow(10.0, -10.0 / 20.0), 1.0, 44100, 2);
    const SampleBuffer quiet = Sine(1000, std::pow(10.0, -60.0 / 20.0), 1.0, 44100, 2);
    const SampleBuffer loudOut = Processed(make(), loud), quietOut = Processed(make(), quiet);
    EXPECT_NEAR(Rms(Channel(loudOut, 1, 4410)), Rms(Channel(loud, 1, 4410)), 1e-6) << rmsMs;
    EXPECT_LE(Db(Peak(Channel(quietOut, 0, 22050))), -120.0) << rmsMs;
  }
  // A gentle rate: a sine of RMS L = -43 dB with T -30 and rate 10 loses 13 x 0.9 dB.
  const SampleBuffer in = Sine(1000, 0.01, 1.0, 44100);
  const SampleBuffer out = Processed(std::make_unique<NoiseReductionEffect>(-30.0f, 10.0f, 50.0f), in);
  const double level = Db(0.01 / std::sqrt(2.0));
  EXPECT_NEAR(Db(Rms(Channel(out, 0, 22050)) / Rms(Channel(in, 0, 22050))), (level + 30.0) * 0.9, 0.5);
}

// ---- Echo and reverb

struct EchoCase {
  float delayMs, mix, feedback;
  int rate;
  std::int64_t delayFrames;
  float tap, loop;  // expected m and f: the taps at D, 2D, 3D... are m, m f, m f^2...
};

TEST(DspDelays, EchoTapsSitAtTheDelayWithMixAndFeedback) {
  const EchoCase cases[] = {
      {10, 50, 40, 48000, 480, 0.5f, 0.4f},
      {200, 70, 0, 44100, 8820, 0.7f, 0.0f},
      {0, 100, 50, 44100, 1, 1.0f, 0.5f},      // no delay still delays a frame
      {5, 100, 100, 8000, 40, 1.0f, 0.98f},    // the feedback stops short of unity
  };
  for (const EchoCase& c : cases) {
    const SampleBuffer out = Processed(std::make_unique<EchoEffect>(c.delayMs, c.mix, c.feedback),
                                       Impulse(3 * c.delayFrames + 10, c.rate, 2));
    for (int channel = 0; channel < 2; ++channel) {
      std::vector<float> expected(static_cast<std::size_t>(out.Frames()), 0.0f);
      expected[0] = 1.0f;
      float tap = c.tap;
      for (std::size_t at = c.delayFrames; at < expected.size(); at += c.delayFrames, tap *= c.loop) expected[at] = tap;
      const std::vector<float> got = Channel(out, channel);
      for (std::size_t i = 0; i < got.size(); ++i)
        ASSERT_NEAR(got[i], expected[i], 1e-6) << "frame " << i << ", delay " << c.delayMs << " ms";
    }
  }
}

double Energy(const std::vector<float>& v) { return Rms(v) * Rms(v) * v.size(); }

// The share of energy above a few kHz, from the first difference.
double Brightness(const std::vector<float>& v) {
  std::vector<float> d;
  for (std::size_t i = 1; i < v.size(); ++i) d.push_back(v[i] - v[i - 1]);
  return Energy(d) / std::max(Energy(v), 1e-30);
}

TEST(DspDelays, ReverbArrivesAtTheDelayAndDecays) {
  const int rate = 48000;
  for (int taps : {0, 1, 4, 10}) {
    const SampleBuffer out =
        Processed(std::make_unique<ReverbEffect>(30.0f, 60.0f, 60.0f, 100.0f, 11025.0f, taps), Impulse(rate, rate));
    const std::vector<float> y = Channel(out);
    EXPECT_NEAR(y[0], 0.4f, 1e-6) << "dry part (1 - mix)";
    std::size_t first = 1;
    while (first < y.size() && std::fabs(y[first]) < 1e-9f) ++first;
    EXPECT_EQ(first, 1440u) << taps << " taps";
    EXPECT_GT(Energy(Channel(out, 0, 1440, 12000)), 100 * Energy(Channel(out, 0, 36000, 48000))) << taps << " taps";
  }
}

TEST(DspDelays, NoTapsActAsOne) {
  const SampleBuffer noise = Noise(0.3, 44100, 2);
  const SampleBuffer zero = Processed(std::make_unique<ReverbEffect>(20.0f, 50.0f, 50.0f, 80.0f, 5000.0f, 0), noise);
  const SampleBuffer one = Processed(std::make_unique<ReverbEffect>(20.0f, 50.0f, 50.0f, 80.0f, 5000.0f, 1), noise);
  EXPECT_EQ(Channel(zero, 1), Channel(one, 1));
}

TEST(DspDelays, ReverbTailLosesItsHighsAtALowFrequency) {
  const auto tail = [](float hz) {
    const SampleBuffer out =
        Processed(std::make_unique<ReverbEffect>(10.0f, 100.0f, 90.0f, 100.0f, hz, 4), Impulse(48000, 48000));
    return Brightness(Channel(out, 0, 12000, 36000));
  };
  // Above 0.45 x rate the frequency is clamped: 99999 Hz is the brightest loop there is.
  EXPECT_LT(tail(500.0f), 0.2 * tail(99999.0f));
}

TEST(DspDelays, CombLengthsAreMutuallyPrimeFromDelayTo25Times) {
  for (int taps : {1, 2, 8, 10})
    for (std::size_t delay : {1u, 96u, 1440u}) {
      const std::vector<std::size_t> lengths = ReverbEffect::CombLengths(delay, taps);
      ASSERT_EQ(lengths.size(), static_cast<std::size_t>(taps));
      EXPECT_EQ(lengths.front(), delay);
      for (std::size_t i = 0; i < lengths.size(); ++i) {
        EXPECT_LE(lengths[i], delay * 5 / 2 + 20);
        for (std::size_t j = 0; j < i; ++j) EXPECT_EQ(std::gcd(lengths[i], lengths[j]), 1u) << lengths[i];
      }
    }
}

// ---- Modulation

TEST(DspModulation, PhaserAtMixZeroIsTheIdentity) {
  const SampleBuffer noise = Noise(0.3, 44100, 2);
  const SampleBuffer out = Processed(std::make_unique<PhaserEffect>(300.0f, 0.0f, 90.0f), noise);
  EXPECT_EQ(Channel(out, 0), Channel(noise, 0));
  EXPECT_EQ(Channel(out, 1), Channel(noise, 1));
}

TEST(DspModulation, PhaserWithoutPeriodHasAFixedNotchAt630Hz) {
  // Six all-passes at 630 Hz turn it by three half turns: the sum with the input cancels there.
  EXPECT_LE(GainDb([] { return std::make_unique<PhaserEffect>(0.0f, 100.0f, 0.0f); }, 630.0), -40.0);
  // A sweeping notch passes most of a 630 Hz tone over a period.
  EXPECT_GT(GainDb([] { return std::make_unique<PhaserEffect>(400.0f, 100.0f, 0.0f); }, 630.0), -12.0);
}

struct SweepCase {
  SweepKind kind;
  float delayRate;
  std::int64_t baseFrames;  // at 48000 Hz
};

TEST(DspModulation, FlangerAndChorusShowTheirBaseDelay) {
  const SweepCase cases[] = {
      {SweepKind::Flanger, 100, 480},  // 10 ms
      {SweepKind::Flanger, 0, 5},      // 0.1 ms = 4.8 frames, shared between frames 4 and 5
      {SweepKind::Chorus, 0, 240},     // 5 ms
      {SweepKind::Chorus, 100, 2400},  // 50 ms
  };
  for (const SweepCase& c : cases) {
    const auto run = [&](float feedback) {
      return Channel(Processed(std::make_unique<SweepDelayEffect>(c.kind, c.delayRate, 80.0f, feedback, 0.0f, 50.0f, 0.0f),
                               Impulse(3 * c.baseFrames + 10, 48000)));
    };
    const std::vector<float> y = run(0.0f);
    EXPECT_FLOAT_EQ(y[0], 1.0f);
    double sum = 0, moment = 0;
    for (std::size_t i = 1; i < y.size(); ++i) sum += y[i], moment += i * double(y[i]);
    EXPECT_NEAR(sum, 0.8, 1e-5);
    EXPECT_NEAR(moment / sum, SweepDelayEffect::BaseDelayMs(c.kind, c.delayRate) * 48.0, 1e-3);
    if (c.baseFrames >= 240) {
      EXPECT_NEAR(run(50.0f)[2 * c.baseFrames], 0.8 * 0.5, 1e-6) << "fed back once";
    }
  }
}

TEST(DspModulation, SweepPhaseSeparatesTheChannels) {
  const SampleBuffer noise = Noise(0.5, 44100, 1);
  SampleBuffer stereo(2, 44100, noise.Frames());
  for (std::int64_t i = 0; i < noise.Frames(); ++i) stereo.Frame(i)[0] = stereo.Frame(i)[1] = noise.Frame(i)[0];
  for (SweepKind kind : {SweepKind::Flanger, SweepKind::Chorus}) {
    const SampleBuffer same = Processed(std::make_unique<SweepDelayEffect>(kind, 50.0f, 50.0f, 30.0f, 80.0f, 30.0f, 0.0f), stereo);
    const SampleBuffer apart = Processed(std::make_unique<SweepDelayEffect>(kind, 50.0f, 50.0f, 30.0f, 80.0f, 30.0f, 90.0f), stereo);
    EXPECT_EQ(Channel(same, 0), Channel(same, 1));
    EXPECT_EQ(Channel(apart, 0), Channel(same, 0)) << "the left channel does not lag";
    EXPECT_NE(Channel(apart, 1), Channel(same, 1));
  }
}

// Instantaneous frequency per period of a tone, from its zero crossings.
std::vector<double> PeriodFrequencies(const std::vector<float>& v, int rate) {
  const std::vector<double> t = UpwardCrossings(v);
  std::vector<double> f;
  for (std::size_t i = 1; i < t.size(); ++i) f.push_back(rate / (t[i] - t[i - 1]));
  return f;
}

TEST(DspModulation, VibratoSwingsThePitchAtItsRateAndDepth) {
  const int rate = 48000;
  const SampleBuffer in = Sine(1000, 0.5, 2.0, rate, 2);
  const SampleBuffer out = Processed(std::make_unique<VibratoEffect>(100.0f, 5.0f, 180.0f), in);
  const std::vector<double> left = PeriodFrequencies(Channel(out, 0, rate / 2), rate);
  const std::vector<double> right = PeriodFrequencies(Channel(out, 1, rate / 2), rate);
  const double semitone = std::pow(2.0, 1.0 / 12.0) - 1.0;
  EXPECT_NEAR(*std::max_element(left.begin(), left.end()), 1000 * (1 + semitone), 3.0);
  EXPECT_NEAR(*std::min_element(left.begin(), left.end()), 1000 * (1 - semitone), 3.0);
  // The swing repeats every 200 ms (200 periods of the tone), the right channel half a swing behind.
  std::vector<std::size_t> rises;
  for (std::size_t i = 1; i < left.size(); ++i)
    if (left[i - 1] < 1000 && left[i] >= 1000) rises.push_back(i);
  ASSERT_GE(rises.size(), 5u);
  for (std::size_t i = 1; i < rises.size(); ++i) EXPECT_NEAR(double(rises[i] - rises[i - 1]), 200.0, 2.0);
  const std::size_t top = rises[1] + 50;  // a quarter swing after a rise through 1 kHz: the top
  EXPECT_GT(left[top], 1050.0);
  EXPECT_LT(right[top], 950.0);
}

TEST(DspModulation, VibratoAtZeroHertzIsTheIdentity) {
  const SampleBuffer noise = Noise(0.2, 44100, 2);
  EXPECT_EQ(Channel(Processed(std::make_unique<VibratoEffect>(100.0f, 0.0f, 90.0f), noise), 1), Channel(noise, 1));
}

}  // namespace
