#pragma once
// The common ground of the devices without a sound card (null and scripted): they keep time on the
// framework clock and move sound in Service(), on the owner's (GUI) thread.
//
// Output: every Service pulls the frames that became due since the last one and counts them heard
// at once; the pull running dry ends play. Input: every Service pushes the frames that became due,
// taken from Capture().

#include <cstdint>
#include <vector>

#include "platform/audio/devices/AudioDevices.h"
#include "platform/audio/devices/ClockPacer.h"

class ClockedAudioOutput : public AudioOutput {
 public:
  int Start(DeviceFormat format, AudioPull pull) override;
  void Pause() override;
  void Resume() override;
  void Stop() override;
  void Service() override;
  std::int64_t PlayedFrames() const override { return played_; }
  bool Finished() const override { return finished_; }

 protected:
  bool Running() const { return static_cast<bool>(pull_); }
  // A non-zero code makes Start fail with it.
  virtual int StartFailure() { return 0; }
  virtual void Started(const DeviceFormat&) {}
  virtual void Stopped() {}
  // The frames just pulled, as they are heard.
  virtual void Heard(const float* /*samples*/, std::int64_t /*frames*/, const DeviceFormat&) {}

 private:
  DeviceFormat format_;
  AudioPull pull_;
  ClockPacer pacer_;
  std::vector<float> scratch_;
  std::int64_t played_ = 0;
  bool finished_ = false;
};

class ClockedAudioInput : public AudioInput {
 public:
  int Start(DeviceFormat format, AudioPush push) override;
  void Stop() override;
  void Service() override;

 protected:
  virtual int StartFailure() { return 0; }
  virtual void Started(const DeviceFormat&) {}
  virtual void Stopped() {}
  // Fills `frames` captured frames that begin `position` frames after Start.
  virtual void Capture(float* out, std::int64_t position, std::int64_t frames, const DeviceFormat& format) = 0;

 private:
  DeviceFormat format_;
  AudioPush push_;
  ClockPacer pacer_;
  std::vector<float> scratch_;
  std::int64_t captured_ = 0;
};
