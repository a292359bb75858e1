#pragma once
// TAudioVisualization2: the frequency-analysis display. ShowSamples takes 2n frames (n =
// WindowArraySize), mixes the channels and draws, by VisType, the waveform of the 2n frames (0,
// "Analog") or the spectrum averaged over three half-overlapping n-point windows: as a line (1),
// as bars (2), or as bars in the fire (3), glass (4) and kryptonite (5) palettes. The spectrum runs
// from 0 Hz at the left edge to half the rate at the right edge and from -100 dB at the bottom to
// 0 dB at the top. OnMouseMove reports the frequency in Hz (the frame index in the waveform) and the
// level in dB under the mouse.

#include <vector>

#include "platform/audio/core/SampleBuffer.h"
#include "platform/audio/displays/DisplaySurface.h"
#include "platform/audio/displays/FrequencyAnalyzer.h"
#include "platform/framework/windows/Controls.h"

// X and Y in pixels, XValue in Hz (frames in the waveform view), YValue in dB, both rounded.
using TVisualizationMouseMoveEvent = TEvent<void(TObject* Sender, int X, int Y, int XValue, int YValue)>;

class TAudioVisualization2 : public TCustomControl {
  DECLARE_CLASS(TAudioVisualization2, TCustomControl)
 public:
  explicit TAudioVisualization2(TComponent* AOwner);
  ~TAudioVisualization2() override;

  // 0 waveform, 1 spectrum line, 2 bars, 3 fire, 4 glass, 5 kryptonite; other values raise.
  int VisType() const { return visType_; }
  void SetVisType(int Value);
  // 0 Hann, 1 Hamming, 2 Blackman, 3 rectangular; other values raise.
  int WindowFFTType() const { return windowFFTType_; }
  void SetWindowFFTType(int Value);
  // The transform size n: a power of two from 16 to 65536; other values raise.
  int WindowArraySize() const { return windowArraySize_; }
  void SetWindowArraySize(int Value);

  // Draws 2n frames of the buffer (fewer are padded with silence); null clears the display.
  void ShowSamples(const SampleBuffer* Samples);

  // The readout of the point under the mouse; replaces the control's plain mouse-move event.
  TVisualizationMouseMoveEvent OnMouseMove;

  // The values OnMouseMove reports for a client point.
  int XValueAt(int X);
  int YValueAt(int Y);

 protected:
  void Paint() override;
  void MouseMove(TShiftState Shift, int X, int Y) override;

 private:
  bool SpectrumView() const { return visType_ != 0; }
  void Analyse();
  void PrepareColumns(int width, int height);
  void DrawGrid(int width, int height);
  void DrawWaveform(int width, int height);
  void DrawSpectrumLine(int width, int height);
  void DrawSpectrumBars(int width, int height);
  void DrawLabels(int width, int height);
  int RowOfLevel(float db, int height) const;

  int visType_ = 0;
  int windowFFTType_ = 0;
  int windowArraySize_ = 1024;
  int sampleRate_ = 44100;
  bool hasData_ = false;
  FrequencyAnalyzer analyzer_;
  std::vector<float> frames_;   // 2n mixed frames
  std::vector<float> power_;    // mean power per bin
  std::vector<float> levels_;   // dB per bin
  // Paint-time tables, remade only when the size, view or data change.
  DisplaySurface surface_;
  std::vector<BinSpan> spans_;
  std::vector<float> columnLevels_;
  std::vector<std::uint32_t> rowColours_;
  int columnsWidth_ = -1, columnsHeight_ = -1, columnsType_ = -1;
  bool columnsStale_ = true;
};
