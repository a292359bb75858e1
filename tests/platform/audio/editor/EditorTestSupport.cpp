#include "EditorTestSupport.h"

#include <cmath>

namespace editor_testing {

constexpr double kTwoPi = 6.283185307179586;

SampleBuffer Sine(int sampleRate, int channels, std::int64_t frames, double hz, double amplitude) {
  SampleBuffer buffer(channels, sampleRate, frames);
  for (std::int64_t i = 0; i < frames; ++i)
    for (int c = 0; c < channels; ++c)
      buffer.Frame(i)[c] = static_cast<float>(amplitude * std::sin(kTwoPi * hz * static_cast<double>(i) / sampleRate));
  return buffer;
}

SampleBuffer Square(int sampleRate, int channels, std::int64_t frames, std::int64_t period) {
  SampleBuffer buffer(channels, sampleRate, frames);
  for (std::int64_t i = 0; i < frames; ++i)
    for (int c = 0; c < channels; ++c) buffer.Frame(i)[c] = (i % period) < period / 2 ? 1.0f : -1.0f;
  return buffer;
}

SampleBuffer Ramp(int sampleRate, int channels, std::int64_t frames) {
  SampleBuffer buffer(channels, sampleRate, frames);
  for (std::int64_t i = 0; i < frames; ++i)
    for (int c = 0; c < channels; ++c) buffer.Frame(i)[c] = static_cast<float>(i) / static_cast<float>(frames);
  return buffer;
}

void Pump() {
  for (int round = 0; round < 3; ++round) {
    Application->ProcessMessages();
    Sleep(1);
  }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeoutMs) return false;
    Application->ProcessMessages();
    Sleep(2);
  }
  return true;
}

void EditorFixture::SetUp() {
  form = new TForm(nullptr, 0);
  form->SetBounds(50, 50, 600, 340);
  editor = new TAudioEditor2(form);
  editor->SetBounds(0, 0, 560, 260);
  editor->SetParent(form);
  form->Show();
  SetForegroundWindow(form->Handle());
  Pump();
  wave = editor->WaveRect();
}

void EditorFixture::TearDown() {
  form->Free();
  Pump();
}

void EditorFixture::Load(const SampleBuffer& samples) {
  editor->NewDocument(samples.SampleRate(), samples.Channels());
  editor->InsertSamples(samples);
  editor->Position()->SetCursorPosition(0);
  editor->ZoomFull();
}

void EditorFixture::PaintNow() { RedrawWindow(editor->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }

std::uint32_t EditorFixture::Pixel(int x, int y) const {
  const EditorPainter& painter = editor->Painter();
  EXPECT_TRUE(x >= 0 && y >= 0 && x < painter.Width() && y < painter.Height()) << x << ", " << y;
  return painter.Pixels()[static_cast<std::ptrdiff_t>(y) * painter.Stride() + x] & 0xFFFFFFu;
}

void EditorFixture::Mouse(UINT msg, int x, int y, WPARAM keys) {
  SendMessageW(editor->Handle(), msg, keys, MAKELPARAM(x, y));
}

int EditorFixture::XOfFrame(std::int64_t frame) {
  const std::int64_t start = editor->Position()->GetViewStart(), end = editor->Position()->GetViewEnd();
  return wave.left + static_cast<int>(std::floor(static_cast<double>(frame - start) * wave.Width() /
                                                 static_cast<double>(end - start)));
}

std::uint32_t Rgb(TColor color) {
  const std::uint32_t bgr = static_cast<std::uint32_t>(color);
  return ((bgr & 0xFFu) << 16) | (bgr & 0xFF00u) | ((bgr >> 16) & 0xFFu);
}

}  // namespace editor_testing
