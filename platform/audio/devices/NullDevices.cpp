#include "platform/audio/devices/NullDevices.h"

#include <algorithm>

std::vector<InputLine> NullAudioInput::Lines() const {
  InputLine line;
  line.Name = kLineName;
  line.Selected = true;
  line.HasVolume = false;
  return {line};
}

void NullAudioInput::Capture(float* out, std::int64_t, std::int64_t frames, const DeviceFormat& format) {
  std::fill_n(out, frames * format.Channels, 0.0f);
}
