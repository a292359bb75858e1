#pragma once
// The devices of a machine without a sound card. The output plays in real time on the clock and
// discards the sound, so transports still run to their end; the input records silence in real time
// under one line whose name tells the user why.

#include "platform/audio/devices/ClockedDevices.h"

class NullAudioOutput : public ClockedAudioOutput {};

class NullAudioInput : public ClockedAudioInput {
 public:
  static constexpr const wchar_t* kLineName = L"No recording device (silence)";

  std::vector<InputLine> Lines() const override;
  void SelectLine(int) override {}
  void SetLineVolume(int, int) override {}

 protected:
  void Capture(float* out, std::int64_t position, std::int64_t frames, const DeviceFormat& format) override;
};
