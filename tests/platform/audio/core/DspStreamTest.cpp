#include <gtest/gtest.h>

#include "AudioTestUtil.h"
#include "DspTestUtil.h"
#include "platform/audio/core/AudioError.h"
#include "platform/audio/core/Biquad.h"
#include "platform/audio/core/Delays.h"
#include "platform/audio/core/Dynamics.h"
#include "platform/audio/core/Equalizer.h"
#include "platform/audio/core/Modulation.h"
#include "platform/audio/core/Normalizer.h"
#include "platform/audio/core/TimePitch.h"

namespace {

using namespace dsp_test;

using Factory = std::function<std::unique_ptr<AudioEffect>()>;

// The buffer cut into chunks of `chunkFrames`, each run through one stream in turn, joined again.
SampleBuffer Chunked(const Factory& make, const SampleBuffer& in, std::int64_t chunkFrames) {
  EffectStream stream(make());
  std::vector<float> joined;
  for (std::int64_t at = 0; at < in.Frames(); at += chunkFrames) {
    const std::int64_t n = std::min(chunkFrames, in.Frames() - at);
    SampleBuffer chunk(in.Channels(), in.SampleRate(), n);
    std::copy(in.Frame(at), in.Frame(at + n), chunk.Data());
    stream.ProcessChunk(chunk);
    joined.insert(joined.end(), chunk.Data(), chunk.Data() + chunk.Values());
  }
  return audio_test::Buffer(joined, in.Channels(), in.SampleRate());
}

double MaxDifference(const SampleBuffer& a, const SampleBuffer& b, std::int64_t values) {
  double worst = 0;
  for (std::int64_t i = 0; i < values; ++i) worst = std::max(worst, double(std::fabs(a.Data()[i] - b.Data()[i])));
  return worst;
}

struct StreamCase {
  const char* name;
  Factory make;
};

const StreamCase kLengthKeeping[] = {
    {"LowPass", [] { return std::make_unique<FilterEffect>(FilterType::LowPass, 800.0f, 100.0f); }},
    {"HighPass", [] { return std::make_unique<FilterEffect>(FilterType::HighPass, 40.0f, 100.0f); }},
    {"Notch", [] { return std::make_unique<FilterEffect>(FilterType::Notch, 1000.0f, 50.0f); }},
    {"LowShelf", [] { return std::make_unique<FilterEffect>(FilterType::LowShelf, 200.0f, 50.0f, 9.0f); }},
    {"Equalizer",
     [] {
       return std::make_unique<EqualizerEffect>(std::vector<float>{1.2f, 0, 0, -0.5f, 0, 0, 0.3f, 0, 0, 0, 0, 1.8f},
                                                std::vector<float>{31.25f, 62.5f, 125, 250, 500, 1000, 2000, 4000,
                                                                   6000, 9000, 12000, 16000});
     }},
    {"Echo", [] { return std::make_unique<EchoEffect>(700.0f, 50.0f, 60.0f); }},
    {"Reverb", [] { return std::make_unique<ReverbEffect>(30.0f, 60.0f, 60.0f, 30.0f, 11025.0f, 8); }},
    {"Compressor", [] { return std::make_unique<CompressorEffect>(-20.0f, 60.0f, 100.0f); }},
    {"NoiseReduction", [] { return std::make_unique<NoiseReductionEffect>(-13.0f, 99.0f, 55.0f); }},
    {"Phaser", [] { return std::make_unique<PhaserEffect>(300.0f, 30.0f, 45.0f); }},
    {"Flanger", [] { return std::make_unique<SweepDelayEffect>(SweepKind::Flanger, 14, 50, 30, 99, 18, 40); }},
    {"Chorus", [] { return std::make_unique<SweepDelayEffect>(SweepKind::Chorus, 31, 45, 60, 90, 25, 90); }},
    {"Vibrato", [] { return std::make_unique<VibratoEffect>(40.0f, 15.0f, 95.0f); }},
};

class ChunkMode : public testing::TestWithParam<StreamCase> {};

// One-second chunks, each continuing the state of the one before, sound as the whole file does.
TEST_P(ChunkMode, ChunksEqualTheWholeBuffer) {
  const SampleBuffer in = Noise(3.5, 44100, 2);
  const SampleBuffer whole = Processed(GetParam().make(), in);
  const SampleBuffer chunked = Chunked(GetParam().make, in, 44100);
  ASSERT_EQ(chunked.Frames(), in.Frames());
  EXPECT_LE(MaxDifference(whole, chunked, in.Values()), 1e-5);
  EXPECT_GT(MaxDifference(whole, in, in.Values()), 1e-3) << "the effect does something";
}

INSTANTIATE_TEST_SUITE_P(Dsp, ChunkMode, testing::ValuesIn(kLengthKeeping),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DspTimePitch, SpeedChangeScalesLengthAndPitch) {
  const int rate = 44100;
  const SampleBuffer in = Sine(1000, 0.5, 1.0, rate, 2);
  for (float percent : {200.0f, 50.0f, 1000.0f, 10.0f, 137.5f}) {
    const SampleBuffer out = Processed(std::make_unique<SpeedChangeEffect>(percent), in);
    EXPECT_EQ(out.Frames(), std::llround(rate * 100.0 / percent)) << percent;
    const std::int64_t edge = out.Frames() / 10;
    EXPECT_NEAR(Frequency(Channel(out, 1, edge, out.Frames() - edge), rate), 10.0 * percent, 0.001 * 10.0 * percent)
        << percent;
  }
}

TEST(DspTimePitch, PitchChangeKeepsTheLength) {
  const int rate = 44100;
  const SampleBuffer in = Sine(1000, 0.5, 1.0, rate, 2);
  for (float percent : {150.0f, 80.0f, 200.0f, 60.0f, 170.0f}) {
    const SampleBuffer out = Processed(std::make_unique<PitchChangeEffect>(percent), in);
    ASSERT_EQ(out.Frames(), in.Frames()) << percent;
    const std::int64_t edge = rate / 10;
    for (int c = 0; c < 2; ++c) {
      const std::vector<float> middle = Channel(out, c, edge, out.Frames() - edge);
      EXPECT_NEAR(Frequency(middle, rate), 10.0 * percent, 0.005 * 10.0 * percent) << percent;
      EXPECT_NEAR(Db(Rms(middle) / Rms(Channel(in, c, edge, in.Frames() - edge))), 0.0, 1.0) << percent;
    }
  }
}

TEST(DspTimePitch, PercentagesOutside10To1000Raise) {
  for (float percent : {9.99f, 0.0f, -100.0f, 1000.5f, std::nanf(""), INFINITY}) {
    try {
      SpeedChangeEffect speed(percent);
      ADD_FAILURE() << "speed " << percent;
    } catch (const EAudioError& e) {
      EXPECT_EQ(e.Message(), L"Speed change must be between 10 % and 1000 %.");
    }
    try {
      PitchChangeEffect pitch(percent);
      ADD_FAILURE() << "pitch " << percent;
    } catch (const EAudioError& e) {
      EXPECT_EQ(e.Message(), L"Pitch change must be between 10 % and 1000 %.");
    }
  }
  EXPECT_NO_THROW(SpeedChangeEffect(10.0f));
  EXPECT_NO_THROW(PitchChangeEffect(1000.0f));
}

// In chunk mode the output of speed and pitch runs behind the input by the filters' length; what
// has come out equals the whole buffer's output.
TEST(DspTimePitch, ChunksFollowTheWholeBuffer) {
  const int rate = 44100;
  const SampleBuffer in = Sine(1000, 0.5, 3.5, rate, 2);
  const Factory speed = [] { return std::make_unique<SpeedChangeEffect>(200.0f); };
  const Factory pitch = [] { return std::make_unique<PitchChangeEffect>(150.0f); };
  for (const auto& [make, expectedHz, lag] : {std::tuple{speed, 2000.0, rate / 100}, std::tuple{pitch, 1500.0, rate / 10}}) {
    const SampleBuffer whole = Processed(make(), in);
    const SampleBuffer chunked = Chunked(make, in, rate);
    EXPECT_LE(chunked.Frames(), whole.Frames());
    EXPECT_GE(chunked.Frames(), whole.Frames() - lag);
    EXPECT_LE(MaxDifference(whole, chunked, chunked.Values()), 1e-5);
    EXPECT_NEAR(Frequency(Channel(chunked, 0, rate / 10), rate), expectedHz, 0.005 * expectedHz);
  }
}

TEST(DspStream, EmptyAndShortBuffersKeepTheirLength) {
  for (const StreamCase& c : kLengthKeeping) {
    SampleBuffer empty(2, 44100);
    EffectStream(c.make()).ProcessWhole(empty);
    EXPECT_TRUE(empty.Empty()) << c.name;
  }
  for (std::int64_t frames : {0, 1, 7, 3000}) {
    SampleBuffer pitched = Noise(frames / 44100.0 + 1e-9, 44100, 1), sped = Copy(pitched);
    EffectStream(std::make_unique<PitchChangeEffect>(60.0f)).ProcessWhole(pitched);
    EffectStream(std::make_unique<SpeedChangeEffect>(300.0f)).ProcessWhole(sped);
    EXPECT_EQ(pitched.Frames(), frames);
    EXPECT_EQ(sped.Frames(), (frames + 1) / 3) << frames;
  }
}

SampleBuffer Stereo(std::int64_t frames, float left, float right) {
  SampleBuffer b(2, 44100, frames);
  for (std::int64_t i = 0; i < frames; ++i) b.Frame(i)[0] = (i % 2 ? left : -left), b.Frame(i)[1] = right * (i % 3) / 2;
  return b;
}

TEST(DspStream, ChunkStatesContinueTheCallOfTheSameIndexOperationAndParameters) {
  const int rate = 8000;
  constexpr int kEcho = 32, kPeak = 41;
  const Factory echo = [] { return std::make_unique<EchoEffect>(100.0f, 100.0f, 0.0f); };  // 800 frames
  const Factory peak = [] { return std::make_unique<FilterEffect>(FilterType::PeakEQ, 1000.0f, 50.0f, 6.0f); };
  ChunkEffectStates states;
  const auto call = [&](int operation, const Factory& make, SampleBuffer buffer, std::vector<float> parameters = {}) {
    states.Next(operation, parameters, [&] { return std::make_unique<EffectStream>(make()); }).ProcessChunk(buffer);
    return buffer;
  };
  // First chunk: an impulse through the echo (call 0), silence through the filter (call 1).
  states.BeginChunk();
  call(kEcho, echo, Impulse(500, rate));
  call(kPeak, peak, SampleBuffer(1, rate, 500));
  // The echo of chunk 1 comes out of call 0 of chunk 2, 300 frames in.
  states.BeginChunk();
  EXPECT_FLOAT_EQ(call(kEcho, echo, SampleBuffer(1, rate, 500)).Frame(300)[0], 1.0f);
  EXPECT_EQ(Peak(Channel(call(kPeak, peak, SampleBuffer(1, rate, 500)))), 0.0) << "call 1 keeps its own state";
  // Another operation at index 0 starts afresh, so do other parameters, and so does everything after Clear.
  states.BeginChunk();
  call(kEcho, echo, Impulse(500, rate));
  states.BeginChunk();
  EXPECT_EQ(Peak(Channel(call(kPeak, peak, SampleBuffer(1, rate, 500)))), 0.0);
  states.BeginChunk();
  call(kEcho, echo, Impulse(500, rate), {100.0f});
  states.BeginChunk();
  EXPECT_EQ(Peak(Channel(call(kEcho, echo, SampleBuffer(1, rate, 500), {90.0f}))), 0.0);
  states.BeginChunk();
  call(kEcho, echo, Impulse(500, rate));
  states.Clear();
  states.BeginChunk();
  EXPECT_EQ(Peak(Channel(call(kEcho, echo, SampleBuffer(1, rate, 500)))), 0.0);
}

// Buffers run in 65536-frame pieces with progress after each; a whole-buffer stream runs them in one,
// so a gain taken from the buffer's peak sees all of it.
TEST(DspStream, PiecesReportProgressUnlessTheBufferIsWhole) {
  constexpr std::int64_t kFrames = 150000, kLoudFrom = 100000;
  struct Case {
    bool wholeBuffer;
    std::vector<std::int64_t> reports;
    float quietPeak;  // the quiet part before kLoudFrom after normalizing to 75 %
  };
  const Case cases[] = {
      {false, {0, 65536, 131072, kFrames}, 0.75f},
      {true, {0, kFrames}, 0.375f},
  };
  for (const Case& c : cases) {
    SampleBuffer buffer = Stereo(kFrames, 0.25f, 0.0f);
    for (std::int64_t i = kLoudFrom; i < kFrames; ++i) buffer.Frame(i)[0] = 0.5f;
    std::vector<std::int64_t> reports;
    EffectStream(std::make_unique<NormalizeEffect>(75.0f, -1), c.wholeBuffer)
        .ProcessWhole(buffer, [&](std::int64_t done, std::int64_t total) {
          EXPECT_EQ(total, kFrames);
          reports.push_back(done);
        });
    EXPECT_EQ(reports, c.reports) << c.wholeBuffer;
    EXPECT_FLOAT_EQ(Peak(Channel(buffer, 0, 0, 65536)), c.quietPeak) << c.wholeBuffer;
    EXPECT_LE(Peak(Channel(buffer, 0)), 0.75 + 1e-6) << c.wholeBuffer;
  }
}

// The exact transforms run over buffers through the same streams.
TEST(DspStream, ExactTransformsOverBuffers) {
  const SampleBuffer ramp = audio_test::Buffer(audio_test::Signal(1000, 2, audio_test::Ramp), 2);
  // Longer than one piece: the reversal spans the whole buffer.
  const SampleBuffer longRamp = audio_test::Buffer(audio_test::Signal(70001, 2, audio_test::Ramp), 2);
  const SampleBuffer reversed = Processed(std::make_unique<ReverseEffect>(), longRamp);
  ASSERT_EQ(reversed.Frames(), 70001);
  for (int c = 0; c < 2; ++c) {
    std::vector<float> expected = Channel(longRamp, c);
    std::reverse(expected.begin(), expected.end());
    EXPECT_EQ(Channel(reversed, c), expected) << c;
  }
  const SampleBuffer faded = Processed(std::make_unique<EnvelopeEffect>(std::vector<float>{0.0f, 1.0f}), ramp);
  EXPECT_EQ(faded.Frame(0)[0], 0.0f);
  EXPECT_FLOAT_EQ(faded.Frame(999)[1], ramp.Frame(999)[1]);
  const SampleBuffer mixed = Processed(std::make_unique<MixStereoEffect>(0.0f, 100.0f, 100.0f, 0.0f), ramp);
  EXPECT_EQ(mixed.Frame(10)[0], ramp.Frame(10)[1]);
  EXPECT_EQ(mixed.Frame(10)[1], ramp.Frame(10)[0]);
}

TEST(DspNormalize, OneGainOrAGainPerChannel) {
  const SampleBuffer in = Stereo(100, 0.25f, 0.1f);
  const SampleBuffer linked = Processed(std::make_unique<NormalizeEffect>(75.0f, -1), in);
  EXPECT_FLOAT_EQ(Peak(Channel(linked, 0)), 0.75f);
  EXPECT_FLOAT_EQ(Peak(Channel(linked, 1)), 0.3f) << "one gain keeps the balance";
  const SampleBuffer apart = Processed(std::make_unique<NormalizeEffect>(75.0f, 0), in);
  EXPECT_FLOAT_EQ(Peak(Channel(apart, 0)), 0.75f);
  EXPECT_FLOAT_EQ(Peak(Channel(apart, 1)), 0.75f);
}

TEST(DspNormalize, ChunksKeepTheFirstGainAndOnlyLowerIt) {
  EffectStream stream(std::make_unique<NormalizeEffect>(75.0f, -1));
  const auto chunk = [&](SampleBuffer b) {
    stream.ProcessChunk(b);
    return b;
  };
  SampleBuffer silent(2, 44100, 100);
  EXPECT_EQ(Peak(Channel(chunk(std::move(silent)), 0)), 0.0);
  EXPECT_FLOAT_EQ(Peak(Channel(chunk(Stereo(100, 0.25f, 0.0f)), 0)), 0.75f);   // gain 3
  EXPECT_FLOAT_EQ(Peak(Channel(chunk(Stereo(100, 0.2f, 0.0f)), 0)), 0.6f);     // not raised again
  // A louder chunk: 0.5 from frame 60 on. The gain falls from 3 to 1.5 by then, and nothing passes 0.75.
  SampleBuffer loud = Stereo(100, 0.2f, 0.0f);
  for (std::int64_t i = 60; i < 100; ++i) loud.Frame(i)[0] = i % 2 ? 0.5f : -0.5f;
  const std::vector<float> out = Channel(chunk(std::move(loud)), 0);
  EXPECT_LE(Peak(out), 0.75 + 1e-6);
  EXPECT_FLOAT_EQ(std::fabs(out[0]), 0.6f);
  EXPECT_LT(std::fabs(out[59]), 0.31f) << "ramped down before the loud part";
  for (std::size_t i = 1; i < 60; ++i) EXPECT_LE(std::fabs(out[i]), std::fabs(out[i - 1]) + 1e-6) << i;
  EXPECT_FLOAT_EQ(Peak(Channel(chunk(Stereo(100, 0.4f, 0.0f)), 0)), 0.6f) << "the lowered gain holds";
}

// Through the document's effect host: a pitch change of the middle second keeps the document's length.
TEST(DspStream, HostRunsPitchAndSpeedOverASelection) {
  const int rate = 44100;
  const SampleBuffer sine = Sine(1000, 0.5, 3.0, rate, 2);
  const std::vector<float> samples(sine.Data(), sine.Data() + sine.Values());
  AudioEngine engine;
  audio_test::Load(engine, samples, 2, rate);
  engine.SetSelectionStart(rate);
  engine.SetSelectionEnd(2 * rate);
  PitchChangeEffect pitch(150.0f);
  engine.ApplyEffect(L"Pitch Change", pitch);
  ASSERT_EQ(engine.Length(), 3 * rate);
  const SampleBuffer after = audio_test::Buffer(audio_test::All(engine), 2, rate);
  EXPECT_NEAR(Frequency(Channel(after, 0, rate + rate / 10, 2 * rate - rate / 10), rate), 1500.0, 7.5);
  EXPECT_EQ(Channel(after, 1, 0, rate), Channel(sine, 1, 0, rate));

  engine.SetSelectionStart(0);
  engine.SetSelectionEnd(rate);
  SpeedChangeEffect speed(200.0f);
  engine.ApplyEffect(L"Speed Change", speed);
  EXPECT_EQ(engine.Length(), 3 * rate - rate / 2);
}

}  // namespace
