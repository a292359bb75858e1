#pragma once
// Devices for tests: they run on the framework clock like the null devices (install a TManualClock
// and advance it), and share a script with the test, which keeps it while the control under test
// owns the device the factory made.
//
//   auto output = std::make_shared<ScriptedOutputScript>();
//   ScriptedDevicesScope devices(output);            // installs the factory, restores it after
//   ... clock.Advance(100); pump ... output->Played  // what the control made the card play
//
// Output: every frame pulled is kept in Played (interleaved, in the started format); a non-zero
// FailStartWith makes every Start fail with that code. Input: Material (interleaved, in the started
// format's channels) is delivered as the clock advances, silence after it; Lines are the mixer's.

#include <memory>
#include <vector>

#include "platform/audio/devices/ClockedDevices.h"

struct ScriptedOutputScript {
  int FailStartWith = 0;
  // Filled by the devices.
  int DevicesMade = 0;
  std::vector<DeviceFormat> Starts;
  int Stops = 0;
  int Pauses = 0;
  std::vector<float> Played;

  std::int64_t PlayedFrames() const {
    return Starts.empty() ? 0 : static_cast<std::int64_t>(Played.size()) / Starts.back().Channels;
  }
};

struct ScriptedInputScript {
  int FailStartWith = 0;
  std::vector<InputLine> Lines;
  std::vector<float> Material;
  // Filled by the devices.
  int DevicesMade = 0;
  std::vector<DeviceFormat> Starts;
  int Stops = 0;
  std::int64_t DeliveredFrames = 0;

  // Appends `frames` frames of a constant value on every channel.
  void AppendLevel(std::int64_t frames, int channels, float value);
};

class ScriptedAudioOutput : public ClockedAudioOutput {
 public:
  explicit ScriptedAudioOutput(std::shared_ptr<ScriptedOutputScript> script);
  static AudioDevices::OutputFactory Factory(std::shared_ptr<ScriptedOutputScript> script);

  void Pause() override;

 protected:
  int StartFailure() override { return script_->FailStartWith; }
  void Started(const DeviceFormat& format) override { script_->Starts.push_back(format); }
  void Stopped() override { ++script_->Stops; }
  void Heard(const float* samples, std::int64_t frames, const DeviceFormat& format) override;

 private:
  std::shared_ptr<ScriptedOutputScript> script_;
};

class ScriptedAudioInput : public ClockedAudioInput {
 public:
  explicit ScriptedAudioInput(std::shared_ptr<ScriptedInputScript> script);
  static AudioDevices::InputFactory Factory(std::shared_ptr<ScriptedInputScript> script);

  std::vector<InputLine> Lines() const override { return script_->Lines; }
  void SelectLine(int index) override;
  void SetLineVolume(int index, int volume) override;

 protected:
  int StartFailure() override { return script_->FailStartWith; }
  void Started(const DeviceFormat& format) override { script_->Starts.push_back(format); }
  void Stopped() override { ++script_->Stops; }
  void Capture(float* out, std::int64_t position, std::int64_t frames, const DeviceFormat& format) override;

 private:
  std::shared_ptr<ScriptedInputScript> script_;
};

// Installs scripted device factories for its lifetime (either script may be null: that side keeps
// its factory) and puts the previous factories back afterwards.
class ScriptedDevicesScope {
 public:
  explicit ScriptedDevicesScope(std::shared_ptr<ScriptedOutputScript> output,
                                std::shared_ptr<ScriptedInputScript> input = nullptr);
  explicit ScriptedDevicesScope(std::shared_ptr<ScriptedInputScript> input)
      : ScriptedDevicesScope(nullptr, std::move(input)) {}
  ~ScriptedDevicesScope();
  ScriptedDevicesScope(const ScriptedDevicesScope&) = delete;
  ScriptedDevicesScope& operator=(const ScriptedDevicesScope&) = delete;

 private:
  bool ownsOutput_, ownsInput_;
  AudioDevices::OutputFactory previousOutput_;
  AudioDevices::InputFactory previousInput_;
};
