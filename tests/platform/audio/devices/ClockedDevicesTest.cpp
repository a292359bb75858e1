// The devices without a sound card: the null and scripted devices keep time on the test clock.

#include <gtest/gtest.h>

#include <numeric>

#include "platform/audio/devices/NullDevices.h"
#include "platform/audio/devices/ScriptedDevices.h"
#include "platform/framework/rtl/DateUtils.h"

namespace {

// A pull over a ramp of `frames` frames (value = frame index) that counts what it gave.
struct RampSource {
  std::int64_t frames;
  int channels;
  std::int64_t given = 0;

  AudioPull Pull() {
    return [this](float* out, std::int64_t asked) {
      const std::int64_t n = std::min(asked, frames - given);
      for (std::int64_t f = 0; f < n; ++f)
        for (int c = 0; c < channels; ++c) out[f * channels + c] = static_cast<float>(given + f);
      given += n;
      return n;
    };
  }
};

class ClockedDevicesTest : public testing::Test {
 protected:
  TManualClock clock{0, 1000};
  TClockScope clockScope{clock};
};

TEST_F(ClockedDevicesTest, NullOutputPlaysToTheEndOnTheClock) {
  NullAudioOutput output;
  RampSource source{44100, 2};
  ASSERT_EQ(0, output.Start({44100, 2}, source.Pull()));
  output.Service();
  EXPECT_EQ(0, output.PlayedFrames());

  clock.Advance(500);
  output.Service();
  EXPECT_EQ(22050, output.PlayedFrames());
  EXPECT_FALSE(output.Finished());

  output.Pause();
  clock.Advance(10000);  // paused time plays nothing
  output.Service();
  EXPECT_EQ(22050, output.PlayedFrames());
  output.Resume();

  clock.Advance(499);
  output.Service();
  EXPECT_FALSE(output.Finished());
  clock.Advance(100);
  output.Service();
  EXPECT_TRUE(output.Finished());
  EXPECT_EQ(44100, output.PlayedFrames());
}

TEST_F(ClockedDevicesTest, PacingDoesNotDriftOverManySmallSteps) {
  const struct {
    int rate;
    int stepMs;
    int steps;
  } cases[] = {{44100, 7, 1000}, {22050, 3, 3333}, {8000, 1, 999}, {48000, 50, 200}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rate);
    NullAudioOutput output;
    RampSource source{INT64_MAX / 4, 1};
    ASSERT_EQ(0, output.Start({c.rate, 1}, source.Pull()));
    for (int i = 0; i < c.steps; ++i) {
      clock.Advance(c.stepMs);
      output.Service();
    }
    EXPECT_EQ(static_cast<std::int64_t>(c.stepMs) * c.steps * c.rate / 1000, output.PlayedFrames());
  }
}

TEST_F(ClockedDevicesTest, ScriptedOutputKeepsEveryPulledFrameInOrder) {
  auto script = std::make_shared<ScriptedOutputScript>();
  ScriptedAudioOutput output(script);
  RampSource source{1000, 2};
  ASSERT_EQ(0, output.Start({8000, 2}, source.Pull()));
  clock.Advance(30000);  // one long jump is served in pieces
  output.Service();
  ASSERT_EQ(2000u, script->Played.size());
  for (std::size_t i = 0; i < script->Played.size(); ++i) ASSERT_EQ(static_cast<float>(i / 2), script->Played[i]);
  EXPECT_TRUE(output.Finished());
  output.Stop();
  EXPECT_EQ(1, script->Stops);
}

TEST_F(ClockedDevicesTest, StopEndsPullingAtOnce) {
  auto script = std::make_shared<ScriptedOutputScript>();
  ScriptedAudioOutput output(script);
  RampSource source{100000, 1};
  ASSERT_EQ(0, output.Start({1000, 1}, source.Pull()));
  clock.Advance(10);
  output.Service();
  output.Stop();
  clock.Advance(1000);
  output.Service();
  EXPECT_EQ(10, source.given);
  EXPECT_FALSE(output.Finished());
}

TEST_F(ClockedDevicesTest, FailingStartPlaysNothing) {
  auto script = std::make_shared<ScriptedOutputScript>();
  script->FailStartWith = 4;  // the system's "device already allocated"
  ScriptedAudioOutput output(script);
  RampSource source{100, 1};
  EXPECT_EQ(4, output.Start({44100, 1}, source.Pull()));
  clock.Advance(1000);
  output.Service();
  EXPECT_EQ(0, source.given);
  EXPECT_TRUE(script->Starts.empty());
}

TEST_F(ClockedDevicesTest, NullInputRecordsSilenceInRealTimeUnderItsOneLine) {
  NullAudioInput input;
  const std::vector<InputLine> lines = input.Lines();
  ASSERT_EQ(1u, lines.size());
  EXPECT_EQ(L"No recording device (silence)", lines[0].Name);
  EXPECT_TRUE(lines[0].Selected);

  std::int64_t frames = 0;
  bool allSilent = true;
  ASSERT_EQ(0, input.Start({11025, 2}, [&](const float* samples, std::int64_t n) {
    for (std::int64_t i = 0; i < n * 2; ++i) allSilent = allSilent && samples[i] == 0.0f;
    frames += n;
  }));
  clock.Advance(2000);
  input.Service();
  EXPECT_EQ(22050, frames);
  EXPECT_TRUE(allSilent);
}

TEST_F(ClockedDevicesTest, ScriptedInputDeliversItsMaterialThenSilenceAndNothingAfterStop) {
  auto script = std::make_shared<ScriptedInputScript>();
  script->Material.resize(3000);
  std::iota(script->Material.begin(), script->Material.end(), 1.0f);
  ScriptedAudioInput input(script);

  std::vector<float> got;
  ASSERT_EQ(0, input.Start({1000, 1}, [&](const float* samples, std::int64_t n) { got.insert(got.end(), samples, samples + n); }));
  clock.Advance(1000);
  input.Service();
  ASSERT_EQ(1000u, got.size());
  EXPECT_EQ(1.0f, got.front());
  EXPECT_EQ(1000.0f, got.back());
  clock.Advance(2500);
  input.Service();
  ASSERT_EQ(3500u, got.size());
  EXPECT_EQ(3000.0f, got[2999]);
  EXPECT_EQ(0.0f, got[3000]);

  input.Stop();
  clock.Advance(1000);
  input.Service();
  EXPECT_EQ(3500u, got.size());
}

TEST_F(ClockedDevicesTest, ScriptedInputLinesFollowSelectionAndVolume) {
  auto script = std::make_shared<ScriptedInputScript>();
  script->Lines = {{L"Microphone", true, true, 100}, {L"Line In", false, true, 200}};
  ScriptedAudioInput input(script);
  input.SelectLine(1);
  input.SetLineVolume(1, 70000);
  const auto lines = input.Lines();
  EXPECT_FALSE(lines[0].Selected);
  EXPECT_TRUE(lines[1].Selected);
  EXPECT_EQ(65535, lines[1].Volume);
}

TEST_F(ClockedDevicesTest, ScopeInstallsTheScriptedFactoriesAndPutsThePreviousBack) {
  auto output = std::make_shared<ScriptedOutputScript>();
  auto input = std::make_shared<ScriptedInputScript>();
  {
    ScriptedDevicesScope scope(output, input);
    EXPECT_NE(nullptr, dynamic_cast<ScriptedAudioOutput*>(AudioDevices::CreateOutput().get()));
    EXPECT_NE(nullptr, dynamic_cast<ScriptedAudioInput*>(AudioDevices::CreateInput().get()));
  }
  EXPECT_EQ(1, output->DevicesMade);
  EXPECT_EQ(1, input->DevicesMade);
  EXPECT_EQ(nullptr, dynamic_cast<ScriptedAudioOutput*>(AudioDevices::CreateOutput().get()));
  EXPECT_EQ(nullptr, dynamic_cast<ScriptedAudioInput*>(AudioDevices::CreateInput().get()));
}

}  // namespace
