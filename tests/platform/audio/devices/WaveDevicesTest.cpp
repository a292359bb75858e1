// The system's devices, as far as a machine without a sound card lets them be checked: the rate
// fallback, failures reported as codes, and the factory's choice.

#include <gtest/gtest.h>

#include <set>
#include <thread>

#include "platform/audio/devices/DeviceRate.h"
#include "platform/audio/devices/NullDevices.h"
#include "platform/audio/devices/WaveBuffers.h"
#include "platform/audio/devices/WaveInDevice.h"
#include "platform/audio/devices/WaveOutDevice.h"
#include "platform/audio/devices/WorkerFailure.h"
#include "platform/framework/base/Exceptions.h"

namespace {

TEST(DeviceRateTest, TakesTheWantedRateElseFallsBackTo48000) {
  const struct {
    int wanted;
    std::set<int> accepted;
    int expected;
  } cases[] = {
      {44100, {44100, 48000}, 44100},
      {11025, {44100, 48000}, 48000},
      {48000, {44100}, 0},
      {22050, {44100}, 0},
      {48000, {48000}, 48000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.wanted);
    std::vector<int> asked;
    const int rate = ChooseDeviceRate(c.wanted, [&](int r) {
      asked.push_back(r);
      return c.accepted.count(r) > 0;
    });
    EXPECT_EQ(c.expected, rate);
    EXPECT_EQ(c.wanted, asked.front());  // the wanted rate is always tried first
  }
}

constexpr UINT kMissingDevice = 1000;

TEST(WaveDevicesTest, AMissingOutputFailsToStartWithItsCodeAndNeverPulls) {
  WaveOutDevice output(kMissingDevice);
  bool pulled = false;
  EXPECT_NE(0, output.Start({44100, 2}, [&](float*, std::int64_t) {
    pulled = true;
    return std::int64_t{0};
  }));
  output.Service();
  EXPECT_EQ(0, output.PlayedFrames());
  EXPECT_FALSE(output.Finished());
  output.Stop();
  EXPECT_FALSE(pulled);
}

TEST(WaveDevicesTest, AMissingInputFailsToStartAndHasNoLines) {
  WaveInDevice input(kMissingDevice);
  EXPECT_NE(0, input.Start({44100, 2}, [](const float*, std::int64_t) {}));
  input.Service();
  input.Stop();
  EXPECT_TRUE(input.Lines().empty());
  input.SelectLine(0);
  input.SetLineVolume(0, 1000);
}

template <class Calls>
class WaveCardTest : public testing::Test {};
using WaveCallSets = testing::Types<WaveInCalls, WaveOutCalls>;
TYPED_TEST_SUITE(WaveCardTest, WaveCallSets);

// Both directions open through one card; a card that cannot open leaves nothing open behind it.
TYPED_TEST(WaveCardTest, AMissingCardFailsWithItsCodeAndLeavesNothingOpen) {
  WaveCard<TypeParam> card;
  for (int attempt = 0; attempt < 2; ++attempt) {
    EXPECT_NE(0, card.Open(kMissingDevice, {44100, 2})) << attempt;
    EXPECT_FALSE(card.IsOpen());
    EXPECT_EQ(nullptr, card.Event());
  }
  card.Close();
}

TEST(WaveDevicesTest, TheFactoryGivesTheSystemsDeviceOrTheNullOne) {
  const bool outputCard = waveOutGetNumDevs() > 0;
  const bool inputCard = waveInGetNumDevs() > 0;
  std::unique_ptr<AudioOutput> output = AudioDevices::CreateOutput();
  std::unique_ptr<AudioInput> input = AudioDevices::CreateInput();
  EXPECT_EQ(outputCard, dynamic_cast<WaveOutDevice*>(output.get()) != nullptr);
  EXPECT_EQ(!outputCard, dynamic_cast<NullAudioOutput*>(output.get()) != nullptr);
  EXPECT_EQ(inputCard, dynamic_cast<WaveInDevice*>(input.get()) != nullptr);
  EXPECT_EQ(!inputCard, dynamic_cast<NullAudioInput*>(input.get()) != nullptr);
  if (!inputCard) {
    EXPECT_EQ(L"No recording device (silence)", input->Lines().at(0).Name);
  }
}

std::vector<String> sunk;
void KeepMessage(const std::exception_ptr& error) { sunk.push_back(DescribeException(error).Message); }

TEST(WaveDevicesTest, AWorkerFailureReachesTheSinkOnceOnTheServicingThread) {
  WorkerFailure failure;
  std::thread worker([&] {
    try {
      throw EOSError(L"card gone", 6);
    } catch (...) {
      failure.Keep(std::current_exception());
    }
  });
  worker.join();
  sunk.clear();
  const ExceptionSink previous = SetExceptionSink(&KeepMessage);
  failure.Report();
  failure.Report();
  SetExceptionSink(previous);
  EXPECT_EQ(std::vector<String>{L"card gone"}, sunk);
}

}  // namespace
