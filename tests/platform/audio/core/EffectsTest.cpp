#include "platform/audio/core/Effects.h"

#include <gtest/gtest.h>

#include "AudioTestUtil.h"

namespace {

using namespace audio_test;

// Stereo frames (left, right); the selection is frames 1..4 of 6.
const std::vector<float> kInput = {0.1f, -0.1f, 0.2f, -0.4f, 0.4f, 0.1f, -0.5f, 0.25f, 0.25f, 0.0f, 0.3f, 0.3f};

struct TransformCase {
  const char* name;
  std::function<void(AudioEngine&)> apply;
  std::vector<float> expected;
};

class Transforms : public testing::TestWithParam<TransformCase> {};

TEST_P(Transforms, ChangeOnlyTheSelectionAsSpecified) {
  const TransformCase& c = GetParam();
  AudioEngine engine;
  Load(engine, kInput, 2);
  engine.SetSelection(1, 5);
  c.apply(engine);
  const std::vector<float> got = All(engine);
  ASSERT_EQ(got.size(), c.expected.size());
  for (std::size_t i = 0; i < got.size(); ++i) EXPECT_FLOAT_EQ(got[i], c.expected[i]) << c.name << " value " << i;
  EXPECT_EQ(engine.SelectionStart(), 1);
  EXPECT_EQ(engine.SelectionEnd(), 5);
  engine.Undo();
  EXPECT_EQ(All(engine), kInput);
}

INSTANTIATE_TEST_SUITE_P(
    Exact, Transforms,
    testing::Values(
        TransformCase{"Amplify", [](AudioEngine& e) { e.Amplify(300); },
                      {0.1f, -0.1f, 0.6f, -1.2f, 1.2f, 0.3f, -1.5f, 0.75f, 0.75f, 0.0f, 0.3f, 0.3f}},
        // Peak 0.5 over both channels: one gain of 1.6 for 80 %.
        TransformCase{"NormalizeTogether", [](AudioEngine& e) { e.Normalize(80, -1); },
                      {0.1f, -0.1f, 0.32f, -0.64f, 0.64f, 0.16f, -0.8f, 0.4f, 0.4f, 0.0f, 0.3f, 0.3f}},
        // Left peak 0.5 -> gain 2, right peak 0.4 -> gain 2.5.
        TransformCase{"NormalizePerChannel", [](AudioEngine& e) { e.Normalize(100, 0); },
                      {0.1f, -0.1f, 0.4f, -1.0f, 0.8f, 0.25f, -1.0f, 0.625f, 0.5f, 0.0f, 0.3f, 0.3f}},
        // Linear from 100 % at the first selected frame to 40 % at the last.
        TransformCase{"Fade", [](AudioEngine& e) { e.Fade(100, 40); },
                      {0.1f, -0.1f, 0.2f, -0.4f, 0.32f, 0.08f, -0.3f, 0.15f, 0.1f, 0.0f, 0.3f, 0.3f}},
        // Three points spread over four frames: 1 at 0, 0 at 1.5, 2 at 3.
        TransformCase{"Envelope", [](AudioEngine& e) { e.Envelope({1.0f, 0.0f, 2.0f}); },
                      {0.1f, -0.1f, 0.2f, -0.4f, 0.4f / 3, 0.1f / 3, -1.0f / 3, 0.5f / 3, 0.5f, 0.0f, 0.3f, 0.3f}},
        TransformCase{"MixStereo", [](AudioEngine& e) { e.MixStereo(50, 50, 0, 100); },
                      {0.1f, -0.1f, -0.1f, -0.4f, 0.25f, 0.1f, -0.125f, 0.25f, 0.125f, 0.0f, 0.3f, 0.3f}},
        TransformCase{"Invert", [](AudioEngine& e) { e.Invert(); },
                      {0.1f, -0.1f, -0.2f, 0.4f, -0.4f, -0.1f, 0.5f, -0.25f, -0.25f, 0.0f, 0.3f, 0.3f}},
        TransformCase{"Reverse", [](AudioEngine& e) { e.Reverse(); },
                      {0.1f, -0.1f, 0.25f, 0.0f, -0.5f, 0.25f, 0.4f, 0.1f, 0.2f, -0.4f, 0.3f, 0.3f}},
        TransformCase{"Silence", [](AudioEngine& e) { e.SilenceSelection(); },
                      {0.1f, -0.1f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.3f, 0.3f}}),
    [](const testing::TestParamInfo<TransformCase>& info) { return std::string(info.param.name); });

TEST(EffectHost, ReverseSpanningManyBlocksMatchesTheReversedSamples) {
  AudioEngine engine;
  const std::int64_t frames = kBlockFrames * 2 + 333;
  const std::vector<float> samples = Signal(frames, 1, Ramp);
  Load(engine, samples, 1);
  engine.SetSelection(7, frames - 5);
  engine.Reverse();
  std::vector<float> expected = samples;
  std::reverse(expected.begin() + 7, expected.end() - 5);
  EXPECT_EQ(All(engine), expected);
}

// An effect that doubles the length, as the time-stretching effects may change it.
class Stutter : public AudioEffect {
 public:
  void Process(const float* samples, std::int64_t frames, EffectOutput& out) override {
    for (std::int64_t i = 0; i < frames; ++i) {
      out.Write(samples + i, 1);
      out.Write(samples + i, 1);
    }
  }
};

TEST(EffectHost, AnEffectMayChangeTheLength) {
  AudioEngine engine;
  Load(engine, {1, 2, 3, 4, 5}, 1);
  engine.AddMarker(4, 0, L"after", L"Bookmark");
  engine.SetSelection(1, 3);
  Stutter stutter;
  engine.ApplyEffect(L"Stutter", stutter);
  EXPECT_EQ(All(engine), (std::vector<float>{1, 2, 2, 3, 3, 4, 5}));
  EXPECT_EQ(engine.SelectionEnd(), 5);
  engine.SelectMarker(1);
  EXPECT_EQ(engine.SelectedMarker().Position, 6);
}

}  // namespace
