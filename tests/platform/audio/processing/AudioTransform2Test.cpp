#include "platform/audio/processing/AudioTransform2.h"

#include <functional>

#include <gtest/gtest.h>

#include "platform/audio/core/AudioEngine.h"
#include "platform/audio/core/AudioError.h"
#include "platform/audio/core/Biquad.h"
#include "tests/platform/audio/processing/ProcessingTestUtil.h"

using namespace processing_test;

namespace {

constexpr int kRate = 44100;
using Operation = std::function<void(TAudioTransform2&, SampleBuffer&)>;

struct NamedOperation {
  const char* Name;
  Operation Apply;
};

const std::vector<float> kBandGains = {0.3f, -0.6f, 0.9f, 0, 0.2f, -0.9f, 0.5f, 0, 0, 0.4f, -0.3f, 0.6f};
const std::vector<float> kBandFrequencies = {31.25f, 62.5f, 125, 250, 500, 1000, 2000, 4000, 6000, 9000, 12000, 16000};

const NamedOperation kStatefulOperations[] = {
    {"LowPass", [](TAudioTransform2& t, SampleBuffer& b) { t.LowPass(b, 1000, 100); }},
    {"HighPass", [](TAudioTransform2& t, SampleBuffer& b) { t.HighPass(b, 300, 100); }},
    {"BandPass", [](TAudioTransform2& t, SampleBuffer& b) { t.BandPass(b, 800, 50); }},
    {"Notch", [](TAudioTransform2& t, SampleBuffer& b) { t.Notch(b, 800, 80); }},
    {"PeakEQ", [](TAudioTransform2& t, SampleBuffer& b) { t.PeakEQ(b, 9, 2000, 40); }},
    {"LowShelf", [](TAudioTransform2& t, SampleBuffer& b) { t.LowShelf(b, -12, 300, 60); }},
    {"HighShelf", [](TAudioTransform2& t, SampleBuffer& b) { t.HighShelf(b, 6, 5000, 30); }},
    {"Equalizer", [](TAudioTransform2& t, SampleBuffer& b) { t.Equalizer(b, kBandGains, kBandFrequencies); }},
    {"Echo", [](TAudioTransform2& t, SampleBuffer& b) { t.Echo(b, 700, 50, 40); }},
    {"Reverb", [](TAudioTransform2& t, SampleBuffer& b) { t.Reverb(b, 60, 40, 70, 100, 4000, 4); }},
    {"CompressDynamics", [](TAudioTransform2& t, SampleBuffer& b) { t.CompressDynamics(b, -20, 50, 100); }},
    {"NoiseReduction", [](TAudioTransform2& t, SampleBuffer& b) { t.NoiseReduction(b, -20, 50, 20); }},
    {"Phaser", [](TAudioTransform2& t, SampleBuffer& b) { t.Phaser(b, 1500, 50, 30); }},
    {"Flanger", [](TAudioTransform2& t, SampleBuffer& b) { t.Flanger(b, 30, 60, 30, 50, 20, 90); }},
    {"Chorus", [](TAudioTransform2& t, SampleBuffer& b) { t.Chorus(b, 30, 60, 20, 40, 30, 90); }},
    {"Vibrato", [](TAudioTransform2& t, SampleBuffer& b) { t.Vibrato(b, 50, 5, 90); }},
};

// The buffer processed in one-second chunks between SetChunkMode(-1) and SetChunkMode(0), `perChunk`
// applying the chunk's calls.
SampleBuffer InChunks(TAudioTransform2& transform, const SampleBuffer& whole,
                      const std::function<void(SampleBuffer&)>& perChunk) {
  SampleBuffer result(whole.Channels(), whole.SampleRate(), 0);
  for (std::int64_t at = 0; at < whole.Frames(); at += whole.SampleRate()) {
    SampleBuffer chunk = Slice(whole, at, whole.SampleRate());
    transform.SetChunkMode(-1);
    perChunk(chunk);
    transform.SetChunkMode(0);
    Append(result, chunk);
  }
  return result;
}

}  // namespace

TEST(AudioTransform2Chunks, ChunksSoundAsTheWholeBuffer) {
  const SampleBuffer input = Noise(0.5, 4 * kRate + 1234, kRate, 2);
  for (const NamedOperation& operation : kStatefulOperations) {
    SCOPED_TRACE(operation.Name);
    TAudioTransform2 whole(nullptr), chunked(nullptr);
    SampleBuffer expected = Copy(input);
    operation.Apply(whole, expected);
    chunked.SetSampleRate(kRate);
    const SampleBuffer actual =
        InChunks(chunked, input, [&](SampleBuffer& chunk) { operation.Apply(chunked, chunk); });
    EXPECT_LT(MaxDifference(expected, actual), 1e-5);
  }
}

// The batch converter's way: each chunk split into halves, every effect applied to the left and
// then to the right half, the halves joined again.
TEST(AudioTransform2Chunks, HalvesOfEachChunkKeepTheirOwnStates) {
  const SampleBuffer input = Noise(0.5, 3 * kRate + 99, kRate, 2);
  TAudioTransform2 whole(nullptr), batch(nullptr);
  SampleBuffer expected = Copy(input);
  whole.HighPass(expected, 300, 100);
  whole.Echo(expected, 250, 50, 50);
  batch.SetSampleRate(kRate);
  const SampleBuffer actual = InChunks(batch, input, [&](SampleBuffer& chunk) {
    SampleBuffer left = batch.LeftChannelOf(chunk), right = batch.RightChannelOf(chunk);
    batch.HighPass(left, 300, 100);
    batch.HighPass(right, 300, 100);
    batch.Echo(left, 250, 50, 50);
    batch.Echo(right, 250, 50, 50);
    chunk = batch.JoinChannels(left, right);
  });
  EXPECT_LT(MaxDifference(expected, actual), 1e-5);
}

TEST(AudioTransform2Chunks, SpeedAndPitchKeepTotalLengthAndFrequency) {
  struct Case {
    const char* Name;
    std::function<void(TAudioTransform2&, SampleBuffer&)> Apply;
    double LengthFactor, Hz;
  };
  const Case cases[] = {
      {"speed 200 %", [](TAudioTransform2& t, SampleBuffer& b) { t.SpeedChange(b, 200); }, 0.5, 2000},
      {"pitch 150 %", [](TAudioTransform2& t, SampleBuffer& b) { t.PitchChange(b, 150); }, 1.0, 1500},
  };
  const SampleBuffer input = Sine(1000, 0.5, 4 * kRate, kRate, 2);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TAudioTransform2 transform(nullptr);
    transform.SetSampleRate(kRate);
    const SampleBuffer output = InChunks(transform, input, [&](SampleBuffer& chunk) { c.Apply(transform, chunk); });
    const double expectedFrames = input.Frames() * c.LengthFactor;
    EXPECT_NEAR(static_cast<double>(output.Frames()), expectedFrames, 4096);
    const std::int64_t middle = output.Frames() / 2;
    EXPECT_NEAR(ZeroCrossingHz(output, 0, middle - kRate / 2, middle + kRate / 2), c.Hz, c.Hz * 0.005);
  }
}

TEST(AudioTransform2Chunks, SetSampleRateStartsAfresh) {
  const SampleBuffer input = Noise(0.5, kRate, kRate, 2);
  TAudioTransform2 fresh(nullptr), reused(nullptr);
  SampleBuffer expected = Copy(input);
  fresh.Echo(expected, 100, 50, 50);
  SampleBuffer earlier = Copy(input);
  reused.SetChunkMode(-1);
  reused.Echo(earlier, 100, 50, 50);
  reused.SetChunkMode(0);
  reused.SetSampleRate(kRate);  // a new file: the echo's line starts empty again
  SampleBuffer actual = Copy(input);
  reused.SetChunkMode(-1);
  reused.Echo(actual, 100, 50, 50);
  reused.SetChunkMode(0);
  EXPECT_LT(MaxDifference(expected, actual), 1e-6);
}

TEST(AudioTransform2Chunks, NormalizeKeepsTheFirstChunksGainAndNeverPassesTheTarget) {
  SampleBuffer input = Sine(440, 0.25, 3 * kRate, kRate, 2);
  for (std::int64_t i = 2 * kRate; i < 3 * kRate; ++i) input.Frame(i)[0] *= 3.0f;  // a louder last second
  TAudioTransform2 transform(nullptr);
  const SampleBuffer output = InChunks(transform, input, [&](SampleBuffer& chunk) { transform.Normalize(chunk, 80, -1); });
  double peakFirst = 0, peakAll = 0;
  for (std::int64_t i = 0; i < output.Frames(); ++i)
    for (int c = 0; c < 2; ++c) {
      const double v = std::fabs(output.Frame(i)[c]);
      peakAll = std::max(peakAll, v);
      if (i < 2 * kRate) peakFirst = std::max(peakFirst, v);
    }
  EXPECT_NEAR(peakFirst, 0.8, 1e-3);  // one gain for both channels, the first chunk's
  EXPECT_LE(peakAll, 0.8 + 1e-5);
}

// The buffer calls take the gain first; the editor's shelves take the frequency first. Both run the
// same filters.
TEST(AudioTransform2, GainFirstFiltersEqualTheEditors) {
  struct Case {
    FilterType Type;
    float Gain, Frequency, Steepness;
    std::function<void(TAudioTransform2&, SampleBuffer&, float, float, float)> Buffer;
  };
  const Case cases[] = {
      {FilterType::PeakEQ, 9, 2000, 40, [](TAudioTransform2& t, SampleBuffer& b, float g, float f, float s) { t.PeakEQ(b, g, f, s); }},
      {FilterType::LowShelf, -12, 300, 60, [](TAudioTransform2& t, SampleBuffer& b, float g, float f, float s) { t.LowShelf(b, g, f, s); }},
      {FilterType::HighShelf, 6, 5000, 30, [](TAudioTransform2& t, SampleBuffer& b, float g, float f, float s) { t.HighShelf(b, g, f, s); }},
  };
  const SampleBuffer input = Noise(0.5, kRate / 2, kRate, 2);
  for (const Case& c : cases) {
    AudioEngine engine;
    engine.NewDocument(kRate, 2);
    engine.InsertSamples(input);
    engine.SetSelection(0, input.Frames());
    FilterEffect effect(c.Type, c.Frequency, c.Steepness, c.Gain);
    engine.ApplyEffect(L"Filter", effect);
    engine.SetSelection(0, input.Frames());
    const SampleBuffer edited = engine.ReadSamples(input.Frames());

    TAudioTransform2 transform(nullptr);
    SampleBuffer buffer = Copy(input);
    c.Buffer(transform, buffer, c.Gain, c.Frequency, c.Steepness);
    EXPECT_LT(MaxDifference(edited, buffer), 1e-6) << static_cast<int>(c.Type);
  }
}

TEST(AudioTransform2, StereoIsProcessedAsStereo) {
  SampleBuffer buffer = Sine(440, 0.5, 1000, kRate, 2);
  for (std::int64_t i = 0; i < buffer.Frames(); ++i) buffer.Frame(i)[1] = 0.25f;
  TAudioTransform2 transform(nullptr);
  transform.MixStereo(buffer, 0, 100, 100, 0);  // swap
  EXPECT_FLOAT_EQ(buffer.Frame(10)[0], 0.25f);
  transform.Normalize(buffer, 100, -1);
  EXPECT_NEAR(buffer.Frame(10)[0], 0.5f, 1e-4);  // one gain: the right's peak 0.5 reaches 1.0
}

TEST(AudioTransform2, ChannelOperations) {
  TAudioTransform2 transform(nullptr);
  const SampleBuffer stereo = Noise(0.5, 100, kRate, 2);
  const SampleBuffer left = transform.LeftChannelOf(stereo), right = transform.RightChannelOf(stereo);
  ASSERT_EQ(left.Channels(), 1);
  EXPECT_EQ(left.Frame(7)[0], stereo.Frame(7)[0]);
  EXPECT_EQ(right.Frame(7)[0], stereo.Frame(7)[1]);
  EXPECT_EQ(MaxDifference(transform.JoinChannels(left, right), stereo), 0.0);

  const SampleBuffer doubled = transform.MonoToStereo(left);
  ASSERT_EQ(doubled.Channels(), 2);
  EXPECT_EQ(doubled.Frame(9)[1], left.Frame(9)[0]);

  EXPECT_THROW(transform.JoinChannels(left, Slice(right, 0, 99)), EAudioError);
  EXPECT_THROW(transform.JoinChannels(stereo, stereo), EAudioError);
}

TEST(AudioTransform2, EmptyBuffersAndBadArguments) {
  TAudioTransform2 transform(nullptr);
  for (const NamedOperation& operation : kStatefulOperations) {
    SampleBuffer empty(2, kRate, 0);
    operation.Apply(transform, empty);
    EXPECT_TRUE(empty.Empty()) << operation.Name;
  }
  SampleBuffer buffer = Sine(440, 0.5, 1000, kRate, 2);
  const SampleBuffer before = Copy(buffer);
  EXPECT_THROW(transform.SpeedChange(buffer, 0), EAudioError);
  EXPECT_THROW(transform.PitchChange(buffer, 1001), EAudioError);
  EXPECT_THROW(transform.Equalizer(buffer, kBandGains, {1000.0f}), EAudioError);
  EXPECT_EQ(MaxDifference(buffer, before), 0.0);
  // Out-of-range filter frequencies are clamped, never unstable.
  transform.LowPass(buffer, 99999, 100);
  transform.HighShelf(buffer, 6, 0, 100);
  for (std::int64_t i = 0; i < buffer.Values(); ++i) ASSERT_TRUE(std::isfinite(buffer.Data()[i]));
}

TEST(AudioTransform2, ProgressAboveTheThresholdThenOneEnd) {
  TAudioTransform2 transform(nullptr);
  transform.SetProgressThreshold(1000);
  std::vector<int> percents;
  int ends = 0;
  transform.OnTransformBlock = [&](TObject* sender, int percent) {
    EXPECT_EQ(sender, &transform);
    percents.push_back(percent);
  };
  transform.OnEndTransform = [&](TObject*) { ++ends; };

  SampleBuffer small = Noise(0.5, 1000, kRate, 2);
  transform.Amplify(small, 50);
  EXPECT_TRUE(percents.empty());
  EXPECT_EQ(ends, 0);

  SampleBuffer large = Noise(0.5, 300000, kRate, 2);
  transform.LowPass(large, 1000, 50);
  ASSERT_GE(percents.size(), 3u);
  EXPECT_EQ(percents.front(), 0);
  EXPECT_EQ(percents.back(), 100);
  EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
  EXPECT_EQ(ends, 1);

  // A failure inside the operation still ends it, once.
  transform.OnTransformBlock = [&](TObject*, int percent) {
    if (percent > 0) throw EAudioError(L"stop");
  };
  EXPECT_THROW(transform.Echo(large, 10, 50, 50), EAudioError);
  EXPECT_EQ(ends, 2);
}
