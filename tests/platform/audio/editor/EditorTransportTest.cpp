#include <gtest/gtest.h>

#include <cmath>

#include "EditorTestSupport.h"
#include "platform/audio/devices/ScriptedDevices.h"
#include "platform/framework/rtl/DateUtils.h"

using namespace editor_testing;

namespace {

constexpr int kRate = 44100;
constexpr std::int64_t kLength = 44100;

class EditorTransportTest : public EditorFixture {
 protected:
  void SetUp() override {
    EditorFixture::SetUp();
    Load(Ramp(kRate, 1, kLength));
    editor->OnChangePosition = [this](TObject*) { ++positionEvents; };
    editor->OnMeter = [this](TObject*, int left, int right) {
      if (left || right) lastLeft = left, lastRight = right;
    };
  }
  // Advances the clock and lets the transport's timer run until it has seen the time pass.
  void PlayFor(UInt64 ms) {
    const std::int64_t before = script->PlayedFrames();
    clock.Advance(ms);
    PumpUntil([&] { return script->PlayedFrames() > before || editor->TransportState() == 0; }, 2000);
  }
  bool WaitForStop() {
    return PumpUntil([&] { return editor->TransportState() == 0; }, 3000);
  }
  // The played frames are the document's frames from `from` on, wrapping at `to` when looping.
  void ExpectPlayed(std::int64_t from, std::int64_t to, std::int64_t count) {
    ASSERT_EQ(script->PlayedFrames(), count);
    for (std::int64_t k = 0; k < count; ++k) {
      const std::int64_t frame = from + k % (to - from);
      ASSERT_FLOAT_EQ(script->Played[static_cast<std::size_t>(k)], static_cast<float>(frame) / kLength) << k;
    }
  }

  TManualClock clock{0, 1000};
  TClockScope clockScope{clock};
  std::shared_ptr<ScriptedOutputScript> script = std::make_shared<ScriptedOutputScript>();
  ScriptedDevicesScope devices{script};
  int positionEvents = 0;
  int lastLeft = -1, lastRight = -1;
};

TEST_F(EditorTransportTest, PlayModesPlayExactlyTheirFrames) {
  struct Case {
    int mode;
    std::int64_t start, end;        // the selection
    std::int64_t playFrom, playTo;  // what the mode plays
  } cases[] = {{1, 1000, 3000, 1000, 3000}, {1, 40000, 40000, 40000, kLength}, {2, 1000, 3000, 1000, kLength}};
  for (const Case& c : cases) {
    script->Played.clear();
    editor->Position()->SetSelectionStart(c.start);
    editor->Position()->SetSelectionEnd(c.end);
    editor->Play(c.mode);
    clock.Advance(2000);
    ASSERT_TRUE(WaitForStop()) << c.mode;
    ExpectPlayed(c.playFrom, c.playTo, c.playTo - c.playFrom);
  }
}

TEST_F(EditorTransportTest, LoopPlayWrapsAtTheSelectionEndUntilStopped) {
  editor->Position()->SetSelectionStart(1000);
  editor->Position()->SetSelectionEnd(1500);
  editor->Play(3);
  PlayFor(100);  // 4410 frames: nearly nine rounds of 500
  EXPECT_EQ(editor->TransportState(), 1);
  editor->StopTransport();
  ASSERT_GT(script->PlayedFrames(), 1500);
  ExpectPlayed(1000, 1500, script->PlayedFrames());
}

TEST_F(EditorTransportTest, StatesRunStoppedPlayingPausedPlayingStoppedAndTheCursorComesBack) {
  editor->Position()->SetCursorPosition(2000);
  positionEvents = 0;
  EXPECT_EQ(editor->TransportState(), 0);
  editor->Play(1);
  EXPECT_EQ(editor->TransportState(), 1);
  PlayFor(100);
  const std::int64_t heard = editor->Position()->GetCursorPosition();
  EXPECT_GT(heard, 2000);  // the cursor follows playback
  editor->PauseTransport();
  EXPECT_EQ(editor->TransportState(), 5);
  clock.Advance(100);
  Pump();
  EXPECT_EQ(editor->Position()->GetCursorPosition(), heard);  // paused: nothing more is heard
  editor->ResumeTransport();
  EXPECT_EQ(editor->TransportState(), 1);
  PlayFor(100);
  EXPECT_GT(editor->Position()->GetCursorPosition(), heard);
  EXPECT_EQ(positionEvents, 0);  // while playing only OnChangePlayPosition fires
  editor->StopTransport();
  EXPECT_EQ(editor->TransportState(), 0);
  EXPECT_EQ(editor->Position()->GetCursorPosition(), 2000);
  EXPECT_EQ(positionEvents, 1);
}

TEST_F(EditorTransportTest, TheEndOfPlayArrivesOnlyThroughTheMessageLoop) {
  editor->Position()->SetSelectionStart(0);
  editor->Position()->SetSelectionEnd(100);
  int playEvents = 0;
  editor->OnChangePlayPosition = [&](TObject*) { ++playEvents; };
  positionEvents = 0;
  editor->Play(1);
  clock.Advance(1000);
  EXPECT_EQ(editor->TransportState(), 1);  // nothing ends inside Play or without the loop
  EXPECT_EQ(positionEvents, 0);
  ASSERT_TRUE(WaitForStop());
  EXPECT_EQ(positionEvents, 1);
  EXPECT_EQ(editor->Position()->GetCursorPosition(), 0);
}

TEST_F(EditorTransportTest, MetersReadTheLevelsBeingHeard) {
  struct Case {
    double amplitude;
    int level;
  } cases[] = {{1.0, 92}, {std::pow(10.0, -25.0 / 20.0), 67}};
  for (const Case& c : cases) {
    Load(Sine(kRate, 2, kLength, 1000.0, c.amplitude));
    lastLeft = lastRight = -1;
    editor->Play(2);
    PlayFor(200);
    PumpUntil([&] { return lastLeft >= 0; }, 2000);
    editor->StopTransport();
    EXPECT_EQ(lastLeft, c.level) << c.amplitude;
    EXPECT_EQ(lastRight, c.level) << c.amplitude;
  }
}

// An output whose worker has failed: it reports the failure at every service call.
class FailingOutput : public AudioOutput {
 public:
  int Start(DeviceFormat, AudioPull) override { return 0; }
  void Pause() override {}
  void Resume() override {}
  void Stop() override {}
  void Service() override { throw EAudioError(L"device lost"); }
  std::int64_t PlayedFrames() const override { return 0; }
  bool Finished() const override { return false; }
};

int sinkCalls = 0;
void CountingSink(const std::exception_ptr&) { ++sinkCalls; }

TEST_F(EditorTransportTest, ADeviceFailureWhilePlayingStopsOnceAndReachesTheHandler) {
  const AudioDevices::OutputFactory previous =
      AudioDevices::SetOutputFactory([] { return std::make_unique<FailingOutput>(); });
  const ExceptionSink previousSink = SetExceptionSink(&CountingSink);
  sinkCalls = 0;
  positionEvents = 0;
  editor->Play(1);
  PumpUntil([&] { return editor->TransportState() == 0; }, 2000);
  Pump();
  SetExceptionSink(previousSink);
  AudioDevices::SetOutputFactory(previous);
  EXPECT_EQ(editor->TransportState(), 0);
  EXPECT_EQ(sinkCalls, 1);
  EXPECT_EQ(positionEvents, 1);
}

TEST_F(EditorTransportTest, ReplacingTheDocumentStopsPlayingTheOldOne) {
  editor->Play(2);
  PlayFor(50);
  const int stopsBefore = script->Stops;
  editor->CloseFile();
  EXPECT_EQ(editor->TransportState(), 0);
  EXPECT_EQ(script->Stops, stopsBefore + 1);
  EXPECT_EQ(editor->Position()->GetCursorPosition(), 0);
}

TEST_F(EditorTransportTest, ADeviceThatCannotStartRaisesAndStaysStopped) {
  script->FailStartWith = 4;
  EXPECT_THROW(editor->Play(1), EAudioError);
  EXPECT_EQ(editor->TransportState(), 0);
}

}  // namespace
