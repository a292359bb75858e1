#pragma once
// Signals and pixel probes shared by the display tests.

#include <cmath>
#include <cstdint>
#include <memory>

#include "platform/audio/core/SampleBuffer.h"
#include "tests/support/WindowTestSupport.h"

namespace display_testing {

// A sine of `hz` at `amplitude` in the channels marked in `channelMask` (bit 0 left, bit 1 right).
inline SampleBuffer Sine(int rate, int channels, std::int64_t frames, double hz, double amplitude, int channelMask = 3) {
  SampleBuffer buffer(channels, rate, frames);
  for (std::int64_t f = 0; f < frames; ++f) {
    const float v = static_cast<float>(amplitude * std::sin(2 * 3.14159265358979323846 * hz * f / rate));
    for (int c = 0; c < channels; ++c)
      if (channelMask & (1 << c)) buffer.Frame(f)[c] = v;
  }
  return buffer;
}

// Paints the control into a fresh DIB section of its client size.
template <class Control>
std::unique_ptr<window_testing::DibSection> Snapshot(Control* control) {
  auto dib = std::make_unique<window_testing::DibSection>(control->ClientWidth(), control->ClientHeight());
  control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dib->DC()), 0);
  return dib;
}

// A coloured pixel: not black, grey or white, so neither background, grid nor label text.
inline bool Coloured(DWORD pixel) {
  const int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
  return !(r == g && g == b);
}

}  // namespace display_testing
