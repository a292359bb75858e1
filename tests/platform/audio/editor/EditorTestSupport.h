#pragma once
// Helpers of the editor control's tests: a shown form holding one editor, generated signals, mouse
// messages and probes of the editor's last painted picture.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

#include "platform/audio/core/AudioError.h"
#include "platform/audio/editor/AudioEditor.h"
#include "platform/framework/windows/Forms.h"

namespace editor_testing {

// A sine of `amplitude` (full scale 1) at `hz`, the same on every channel.
SampleBuffer Sine(int sampleRate, int channels, std::int64_t frames, double hz, double amplitude);
// +1 for the first half of each period, -1 for the second.
SampleBuffer Square(int sampleRate, int channels, std::int64_t frames, std::int64_t period);
// Frame i holds i / frames on every channel, so played frames can be told apart.
SampleBuffer Ramp(int sampleRate, int channels, std::int64_t frames);

// Pumps the thread's messages until `done` holds; false on time-out.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);
void Pump();

class EditorFixture : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A new document holding `samples`, shown whole, with the cursor at 0.
  void Load(const SampleBuffer& samples);
  // Paints the editor now.
  void PaintNow();
  // The painted pixel as 0x00RRGGBB.
  std::uint32_t Pixel(int x, int y) const;
  // A mouse message at client point (x, y).
  void Mouse(UINT msg, int x, int y, WPARAM keys = 0);
  // Client x of the left edge of the column showing `frame`.
  int XOfFrame(std::int64_t frame);

  TForm* form = nullptr;
  TAudioEditor2* editor = nullptr;
  TRect wave;
};

// The RGB value of a colour as the probes read it.
std::uint32_t Rgb(TColor color);

}  // namespace editor_testing
