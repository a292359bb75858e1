// The recorder on the scripted input, with the test clock driving the capture and the message loop
// bringing the blocks and levels.

#include <gtest/gtest.h>

#include <cmath>

#include "platform/audio/core/AudioError.h"
#include "platform/audio/devices/AudioCallLog.h"
#include "platform/audio/devices/ScriptedDevices.h"
#include "platform/audio/transport/AudioRecord2.h"
#include "platform/framework/rtl/DateUtils.h"
#include "tests/support/TestSupport.h"

using testing_support::PumpFor;
using testing_support::PumpUntil;

namespace {

class AudioRecord2Test : public testing::Test {
 protected:
  AudioRecord2Test() {
    script->Lines = {{L"Microphone", false, true, 0}, {L"Line In", true, true, 32768}, {L"CD", false, false, 0}};
    recorder->SetOption(1);
    recorder->SetRecordingFormat(1000, 1);
    recorder->OnEndArrayRecord = [this](TObject*, int number) {
      numbers.push_back(number);
      SampleBuffer block = recorder->GetRecordedBlock();
      blocks.emplace_back(block.Data(), block.Data() + block.Values());
    };
    recorder->OnTimer = [this](TObject*, std::int64_t current, int left, int right) {
      lastCurrent = current;
      levels = {left, right};
      ++ticks;
    };
  }
  ~AudioRecord2Test() override { delete recorder; }

  // Frames delivered in blocks so far, in order.
  std::vector<float> Delivered() const {
    std::vector<float> all;
    for (const auto& block : blocks) all.insert(all.end(), block.begin(), block.end());
    return all;
  }

  // Moves the clock by `ms` and pumps until the recorder has caught up with it.
  void RecordFor(UInt64 ms) {
    clock.Advance(ms);
    const std::int64_t target = script->DeliveredFrames;
    ASSERT_TRUE(PumpUntil([&] { return script->DeliveredFrames > target && ticks > ticksSeen; }));
    ticksSeen = ticks;
  }

  TManualClock clock{0, 1000};
  TClockScope clockScope{clock};
  std::shared_ptr<ScriptedInputScript> script = std::make_shared<ScriptedInputScript>();
  ScriptedDevicesScope devices{script};
  TAudioRecord2* recorder = new TAudioRecord2(nullptr);
  std::vector<int> numbers;
  std::vector<std::vector<float>> blocks;
  std::int64_t lastCurrent = 0;
  std::pair<int, int> levels{-1, -1};
  int ticks = 0, ticksSeen = 0;
};

TEST_F(AudioRecord2Test, DeliversBlocksOfExactlyTheBufferSizeInOrder) {
  for (int i = 0; i < 1000; ++i) script->Material.push_back(static_cast<float>(i) / 1000.0f);
  const int frames = recorder->SamplesForMilliseconds(200);
  ASSERT_EQ(200, frames);
  recorder->SetBufferSize(frames);
  recorder->StartRecording();
  ASSERT_EQ(0, recorder->GetLastError());

  RecordFor(450);
  ASSERT_EQ(2u, blocks.size());
  EXPECT_EQ((std::vector<int>{1, 2}), numbers);
  RecordFor(400);
  ASSERT_EQ(4u, blocks.size());
  for (const auto& block : blocks) EXPECT_EQ(200u, block.size());
  const std::vector<float> all = Delivered();
  for (std::size_t i = 0; i < all.size(); ++i) ASSERT_EQ(static_cast<float>(i) / 1000.0f, all[i]) << i;
  EXPECT_EQ(850, lastCurrent);
  EXPECT_EQ(0, recorder->GetRecordedBlock().Frames());  // nothing waits: every block was fetched
}

TEST_F(AudioRecord2Test, SettingsMadeWhileRecordingApplyFromTheNextStart) {
  EXPECT_EQ(1, recorder->GetDisplaySamples(16).Channels());
  script->AppendLevel(2000, 1, 0.25f);
  recorder->SetBufferSize(100);
  recorder->StartRecording();
  RecordFor(150);
  recorder->SetRecordingFormat(2000, 2);
  recorder->SetBufferSize(30);
  RecordFor(150);
  EXPECT_EQ(1, recorder->GetDisplaySamples(16).Channels());
  ASSERT_EQ(3u, blocks.size());
  for (const auto& block : blocks) EXPECT_EQ(100u, block.size());

  recorder->StartRecording();
  EXPECT_EQ(2, script->Starts.back().Channels);
  EXPECT_EQ(2000, script->Starts.back().SampleRate);
  blocks.clear();
  RecordFor(50);
  ASSERT_FALSE(blocks.empty());
  EXPECT_EQ(60u, blocks[0].size());
}

TEST_F(AudioRecord2Test, LevelsAreOnTheMeterScalePerSide) {
  recorder->SetRecordingFormat(8000, 2);
  // A 1 kHz sine, full scale on the left, -25 dBFS on the right; the cosine phase hits its peaks.
  const float quieter = std::pow(10.0f, -25.0f / 20.0f);
  for (int i = 0; i < 8000; ++i) {
    const auto value = static_cast<float>(std::cos(2 * 3.14159265358979 * 1000 * i / 8000.0));
    script->Material.push_back(value);
    script->Material.push_back(quieter * value);
  }

  recorder->StartRecording();
  RecordFor(100);
  EXPECT_EQ(92, levels.first);
  EXPECT_EQ(67, levels.second);
  clock.Advance(1500);  // past the material: silence
  ASSERT_TRUE(PumpUntil([&] { return levels.first == 0 && levels.second == 0; }));
}

TEST_F(AudioRecord2Test, DisplaySamplesAreTheLatestFramesAfterSilence) {
  for (int i = 1; i <= 300; ++i) script->Material.push_back(static_cast<float>(i));
  recorder->StartRecording();
  RecordFor(300);
  const SampleBuffer samples = recorder->GetDisplaySamples(1024);
  ASSERT_EQ(1024, samples.Frames());
  EXPECT_EQ(0.0f, samples.Data()[723]);
  EXPECT_EQ(1.0f, samples.Data()[724]);
  EXPECT_EQ(300.0f, samples.Data()[1023]);
}

struct Segment {
  float value;
  int ms;  // at 1000 Hz: frames
};

TEST_F(AudioRecord2Test, SilenceSkippingKeepsTheReleaseAndTheAttack) {
  // Attack above -30 dB for 50 ms, release below -40 dB for 200 ms; loud 0.5 (-6 dB), quiet 0.001
  // (-60 dB). Values tell the segments apart.
  const float q = 0.001f;
  const struct {
    const char* name;
    bool detection;
    std::vector<Segment> input;
    std::vector<Segment> kept;
  } cases[] = {
      {"off keeps everything", false, {{0.5f, 100}, {q, 500}, {0.4f, 100}}, {{0.5f, 100}, {q, 500}, {0.4f, 100}}},
      {"short pause is kept", true, {{0.5f, 100}, {q, 150}, {0.4f, 100}}, {{0.5f, 100}, {q, 150}, {0.4f, 100}}},
      {"long pause cut after the release time", true,
       {{0.5f, 100}, {q, 500}, {0.4f, 100}}, {{0.5f, 100}, {q, 200}, {0.4f, 100}}},
      {"blip shorter than the attack is dropped", true,
       {{0.5f, 100}, {q, 300}, {0.3f, 30}, {q, 200}, {0.4f, 100}}, {{0.5f, 100}, {q, 200}, {0.4f, 100}}},
      {"quiet level between the thresholds neither attacks nor releases", true,
       {{0.5f, 100}, {q, 300}, {0.02f, 200}, {0.4f, 60}}, {{0.5f, 100}, {q, 200}, {0.4f, 60}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    script->Material.clear();
    for (const Segment& s : c.input) script->Material.insert(script->Material.end(), s.ms, s.value);
    blocks.clear();
    recorder->SetSilenceDetection(c.detection);
    recorder->SetAttackLevel(-30);
    recorder->SetAttackTime(50);
    recorder->SetReleaseLevel(-40);
    recorder->SetReleaseTime(200);
    recorder->SetBufferSize(10);
    recorder->StartRecording();
    RecordFor(static_cast<UInt64>(script->Material.size()));
    recorder->StopRecording();

    std::vector<float> expected;
    for (const Segment& s : c.kept) expected.insert(expected.end(), s.ms, s.value);
    EXPECT_EQ(expected, Delivered());
  }
}

TEST_F(AudioRecord2Test, AFailingStartSetsGetLastErrorAndDeliversNothing) {
  script->FailStartWith = 5;
  EXPECT_NO_THROW(recorder->StartRecording());
  EXPECT_EQ(5, recorder->GetLastError());
  EXPECT_FALSE(recorder->Recording());
  clock.Advance(1000);
  PumpFor(150);
  EXPECT_EQ(0, ticks);

  script->FailStartWith = 0;
  recorder->StartRecording();
  EXPECT_EQ(0, recorder->GetLastError());
}

TEST_F(AudioRecord2Test, NoLineAtAllFailsTheStartAndLineZeroSelectsNothing) {
  script->Lines.clear();
  ASSERT_EQ(0, recorder->GetLineCount());
  EXPECT_NO_THROW(recorder->SelectLine(0));
  EXPECT_EQ(L"", recorder->GetLineName());
  EXPECT_FALSE(recorder->LineHasVolume());
  EXPECT_EQ(0, recorder->GetLineVolume());
  EXPECT_FALSE(recorder->IsLineSelected());
  recorder->SetLineSelected(true);
  recorder->SetLineVolume(100);
  recorder->StartRecording();
  EXPECT_NE(0, recorder->GetLastError());
  EXPECT_TRUE(script->Starts.empty());
}

TEST_F(AudioRecord2Test, LinesAreOneBasedAndActOnTheCurrentLine) {
  ASSERT_EQ(3, recorder->GetLineCount());
  recorder->SelectLine(2);
  EXPECT_EQ(L"Line In", recorder->GetLineName());
  EXPECT_TRUE(recorder->IsLineSelected());
  EXPECT_EQ(32768, recorder->GetLineVolume());

  recorder->SelectLine(1);
  recorder->SetLineSelected(true);
  recorder->SetLineVolume(65535);
  EXPECT_TRUE(script->Lines[0].Selected);
  EXPECT_FALSE(script->Lines[1].Selected);
  EXPECT_EQ(65535, recorder->GetLineVolume());

  recorder->SelectLine(3);
  EXPECT_FALSE(recorder->LineHasVolume());
  recorder->SetLineVolume(1000);
  EXPECT_EQ(0, script->Lines[2].Volume);

  EXPECT_THROW(recorder->SelectLine(4), EAudioError);
  EXPECT_THROW(recorder->SelectLine(-1), EAudioError);
}

TEST_F(AudioRecord2Test, NothingArrivesAfterStopOrDestruction) {
  script->AppendLevel(5000, 1, 0.5f);
  recorder->SetBufferSize(100);
  recorder->StartRecording();
  RecordFor(250);
  recorder->StopRecording();
  const std::size_t blocksAtStop = blocks.size();
  const int ticksAtStop = ticks;
  clock.Advance(1000);
  PumpFor(200);
  EXPECT_EQ(blocksAtStop, blocks.size());
  EXPECT_EQ(ticksAtStop, ticks);

  recorder->StartRecording();
  clock.Advance(1000);
  delete recorder;
  recorder = nullptr;
  PumpFor(200);
  EXPECT_EQ(blocksAtStop, blocks.size());
  EXPECT_EQ(ticksAtStop, ticks);
}

TEST_F(AudioRecord2Test, AHandlerMayStopTheRecorderBetweenBlocks) {
  script->AppendLevel(5000, 1, 0.5f);
  recorder->SetBufferSize(100);
  recorder->OnEndArrayRecord = [this](TObject*, int number) {
    numbers.push_back(number);
    recorder->StopRecording();
  };
  recorder->StartRecording();
  clock.Advance(1000);  // ten blocks become full in one tick
  ASSERT_TRUE(PumpUntil([&] { return !numbers.empty(); }));
  PumpFor(150);
  EXPECT_EQ(std::vector<int>{1}, numbers);
  EXPECT_EQ(0, ticks);
}

TEST_F(AudioRecord2Test, EveryCallIsLogged) {
  AudioCallLog::Clear();
  AudioCallLog::Enable(true);
  recorder->SetOption(1);
  recorder->SelectLine(2);
  recorder->SetLineSelected(true);
  recorder->SetSilenceDetection(true);
  recorder->SetAttackLevel(-30.5f);
  recorder->SetReleaseTime(2000);
  recorder->SamplesForMilliseconds(200);
  recorder->StartRecording();
  recorder->GetRecordedBlock();
  recorder->StopRecording();
  AudioCallLog::Enable(false);
  const std::vector<String> expected = {
      L"TAudioRecord2.SetOption(1)",          L"TAudioRecord2.SelectLine(2)",
      L"TAudioRecord2.SetLineSelected(true)", L"TAudioRecord2.SetSilenceDetection(true)",
      L"TAudioRecord2.SetAttackLevel(-30.5)", L"TAudioRecord2.SetReleaseTime(2000)",
      L"TAudioRecord2.SamplesForMilliseconds(200)", L"TAudioRecord2.StartRecording()",
      L"TAudioRecord2.GetRecordedBlock()",    L"TAudioRecord2.StopRecording()"};
  EXPECT_EQ(expected, AudioCallLog::Lines());
}

}  // namespace
