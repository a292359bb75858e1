// The preview player on the scripted output, with the test clock driving the sound and the message
// loop bringing the end.

#include <gtest/gtest.h>

#include "platform/audio/core/AudioError.h"
#include "platform/audio/devices/AudioCallLog.h"
#include "platform/audio/devices/NullDevices.h"
#include "platform/audio/devices/ScriptedDevices.h"
#include "platform/audio/transport/AudioPlayer2.h"
#include "platform/framework/rtl/DateUtils.h"
#include "tests/support/TestSupport.h"

using testing_support::PumpFor;
using testing_support::PumpUntil;

namespace {

// `frames` mono frames counting up from `first`.
SampleBuffer Ramp(std::int64_t frames, float first, int channels = 1) {
  SampleBuffer buffer(channels, 8000, frames);
  for (std::int64_t i = 0; i < buffer.Values(); ++i) buffer.Data()[i] = first + static_cast<float>(i / channels);
  return buffer;
}

class AudioPlayer2Test : public testing::Test {
 protected:
  AudioPlayer2Test() {
    player->SetPlaybackFormat(8000, 1);
    player->OnEndPlay = [this](TObject*) { ++ends; };
  }
  ~AudioPlayer2Test() override { delete player; }

  // Moves the clock and lets the player's timer serve the device until `frames` have played.
  void PlayUntil(std::int64_t frames, UInt64 advanceMs) {
    clock.Advance(advanceMs);
    ASSERT_TRUE(PumpUntil([&] { return script->PlayedFrames() >= frames; }));
  }

  TManualClock clock{0, 1000};
  TClockScope clockScope{clock};
  std::shared_ptr<ScriptedOutputScript> script = std::make_shared<ScriptedOutputScript>();
  ScriptedDevicesScope devices{script};
  TAudioPlayer2* player = new TAudioPlayer2(nullptr);
  int ends = 0;
};

TEST_F(AudioPlayer2Test, EndsOnceThroughTheMessageLoopAfterExactlyTheQueuedFrames) {
  player->Start();
  ASSERT_EQ(0, player->GetLastError());
  SampleBuffer first = Ramp(800, 0), second = Ramp(400, 800);
  player->QueueBuffer(first);
  player->QueueBuffer(second);
  EXPECT_TRUE(first.Empty());  // the player took the storage
  EXPECT_EQ(0, ends);

  PlayUntil(800, 100);
  EXPECT_EQ(0, ends);
  clock.Advance(1000);
  ASSERT_TRUE(PumpUntil([&] { return ends > 0; }));
  PumpFor(200);
  EXPECT_EQ(1, ends);
  EXPECT_FALSE(player->Playing());

  const std::vector<float> expected = [] {
    SampleBuffer all = Ramp(1200, 0);
    return std::vector<float>(all.Data(), all.Data() + all.Values());
  }();
  EXPECT_EQ(expected, script->Played);
}

TEST_F(AudioPlayer2Test, ADeviceStartedBeforeTheSoundIsQueuedWaitsForIt) {
  player->Start();
  PlayUntil(400, 50);  // silence while the preview is being computed
  PumpFor(150);
  EXPECT_EQ(0, ends);
  SampleBuffer sound = Ramp(80, 1);
  player->QueueBuffer(sound);
  clock.Advance(1000);
  ASSERT_TRUE(PumpUntil([&] { return ends > 0; }));
  EXPECT_EQ(480, script->PlayedFrames());
  EXPECT_EQ(1.0f, script->Played[400]);
  EXPECT_EQ(80.0f, script->Played.back());
}

// The player has no "more is coming" call: a queue that runs dry is the end of the play, and a
// buffer meant to follow comes too late.
TEST_F(AudioPlayer2Test, AQueueThatRunsDryEndsThePlayAndRefusesALaterBuffer) {
  player->Start();
  SampleBuffer first = Ramp(80, 0);
  player->QueueBuffer(first);
  clock.Advance(1000);
  ASSERT_TRUE(PumpUntil([&] { return ends > 0; }));
  EXPECT_FALSE(player->Playing());
  SampleBuffer late = Ramp(80, 80);
  EXPECT_THROW(player->QueueBuffer(late), EAudioError);
  clock.Advance(1000);
  PumpFor(150);
  EXPECT_EQ(1, ends);
  EXPECT_EQ(80, script->PlayedFrames());
}

TEST_F(AudioPlayer2Test, StopDropsTheQueueAndNoEndFollows) {
  player->Start();
  SampleBuffer sound = Ramp(8000, 0);
  player->QueueBuffer(sound);
  PlayUntil(800, 100);
  player->Stop();
  const std::int64_t played = script->PlayedFrames();
  clock.Advance(5000);
  PumpFor(300);
  EXPECT_EQ(0, ends);
  EXPECT_EQ(played, script->PlayedFrames());
  EXPECT_EQ(1, script->Stops);
  player->Stop();  // stopping a stopped player is harmless
}

TEST_F(AudioPlayer2Test, AFailingStartSetsGetLastErrorAndRaisesNothing) {
  script->FailStartWith = 4;
  EXPECT_NO_THROW(player->Start());
  EXPECT_EQ(4, player->GetLastError());
  EXPECT_FALSE(player->Playing());
  SampleBuffer sound = Ramp(10, 0);
  EXPECT_THROW(player->QueueBuffer(sound), EAudioError);

  script->FailStartWith = 0;
  player->Start();
  EXPECT_EQ(0, player->GetLastError());
}

TEST_F(AudioPlayer2Test, RefusesABufferOfAnotherChannelCountThanThePlaysOwn) {
  player->Start();
  SampleBuffer stereo = Ramp(10, 0, 2);
  EXPECT_THROW(player->QueueBuffer(stereo), EAudioError);
  EXPECT_THROW(player->SetPlaybackFormat(8000, 3), EAudioError);
  player->SetPlaybackFormat(8000, 2);  // for the next start: this play stays mono
  EXPECT_THROW(player->QueueBuffer(stereo), EAudioError);
  player->Start();
  EXPECT_NO_THROW(player->QueueBuffer(stereo));
}

TEST_F(AudioPlayer2Test, AHandlerMayFreeThePlayer) {
  player->OnEndPlay = [this](TObject*) {
    ++ends;
    delete player;
    player = nullptr;
  };
  player->Start();
  SampleBuffer sound = Ramp(8, 0);
  player->QueueBuffer(sound);
  clock.Advance(100);
  ASSERT_TRUE(PumpUntil([&] { return ends > 0; }));
  PumpFor(100);
  EXPECT_EQ(1, ends);
}

TEST_F(AudioPlayer2Test, TheNullOutputPlaysToTheEndOnTheClock) {
  const auto previous = AudioDevices::SetOutputFactory([] { return std::make_unique<NullAudioOutput>(); });
  player->Start();
  SampleBuffer sound = Ramp(4000, 0);
  player->QueueBuffer(sound);
  clock.Advance(400);
  PumpFor(150);
  EXPECT_EQ(0, ends);
  clock.Advance(200);
  ASSERT_TRUE(PumpUntil([&] { return ends > 0; }));
  AudioDevices::SetOutputFactory(previous);
}

TEST_F(AudioPlayer2Test, EveryCallIsLogged) {
  AudioCallLog::Clear();
  AudioCallLog::Enable(true);
  player->SetPlaybackFormat(22050, 2);
  player->Start();
  player->GetLastError();
  SampleBuffer sound(2, 22050, 5);
  player->QueueBuffer(sound);
  player->Stop();
  AudioCallLog::Enable(false);
  const std::vector<String> expected = {
      L"TAudioPlayer2.SetPlaybackFormat(22050, 2)", L"TAudioPlayer2.Start()", L"TAudioPlayer2.GetLastError()",
      L"TAudioPlayer2.QueueBuffer(10)", L"TAudioPlayer2.Stop()"};
  EXPECT_EQ(expected, AudioCallLog::Lines());
}

}  // namespace
