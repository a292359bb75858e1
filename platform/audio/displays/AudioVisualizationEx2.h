#pragma once
// TAudioVisualizationEx2: the recording console's spectrum meter. Each ShowSamples buffer is mixed to
// mono and transformed (FFTWindowType: 0 rectangular, 1 Hamming, 2 Blackman, 3 Hann); LineCount
// bars show the loudest bin of their share of 0 Hz .. half the rate (FFTViewType 0 linear, 1
// logarithmic), from -100 dB at the bottom of the plot to 0 dB at its top. Rows below MidPoint % of
// the plot's height take the low colours, rows below HighPoint % the mid colours, the rest the high
// ones; LineType 1 colours each lit row by its own zone, 0 a whole bar by the zone its top reaches;
// unlit rows take the BackLine colours. Above every bar a peak spot of SpotHeight rows, SpotInterval
// rows clear of the level it marks, holds for TickDelayTime ms and then falls 1 dB every
// TickReleaseTime ms, on the framework clock. The plot is inset XPos and YPos pixels; BorderStyle 1
// frames the control in BorderColor. ShowSamples(null) clears bars and spots.

#include <cstdint>
#include <vector>

#include "platform/audio/core/SampleBuffer.h"
#include "platform/audio/displays/DisplaySurface.h"
#include "platform/audio/displays/FrequencyAnalyzer.h"
#include "platform/framework/windows/Controls.h"

class TAudioVisualizationEx2 : public TCustomControl {
  DECLARE_CLASS(TAudioVisualizationEx2, TCustomControl)
 public:
  explicit TAudioVisualizationEx2(TComponent* AOwner);
  ~TAudioVisualizationEx2() override;

  void ShowSamples(const SampleBuffer* Samples);

  TColor BackColor() const { return backColor_; }
  void SetBackColor(TColor Value);
  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor Value);
  TColor BackLineLowColor() const { return backLine_[0]; }
  void SetBackLineLowColor(TColor Value);
  TColor BackLineMidColor() const { return backLine_[1]; }
  void SetBackLineMidColor(TColor Value);
  TColor BackLineHighColor() const { return backLine_[2]; }
  void SetBackLineHighColor(TColor Value);
  TColor LineLowColor() const { return line_[0]; }
  void SetLineLowColor(TColor Value);
  TColor LineMidColor() const { return line_[1]; }
  void SetLineMidColor(TColor Value);
  TColor LineHighColor() const { return line_[2]; }
  void SetLineHighColor(TColor Value);

  // 1..4096 bars.
  int LineCount() const { return lineCount_; }
  void SetLineCount(int Value);
  // Pixels between bars, 0..100.
  int LineInterval() const { return lineInterval_; }
  void SetLineInterval(int Value);
  // Zone bounds in percent of the plot's height, 0..100.
  int MidPoint() const { return midPoint_; }
  void SetMidPoint(int Value);
  int HighPoint() const { return highPoint_; }
  void SetHighPoint(int Value);
  // Peak spots: rows, gap in rows, hold and fall times in ms.
  int SpotHeight() const { return spotHeight_; }
  void SetSpotHeight(int Value);
  int SpotInterval() const { return spotInterval_; }
  void SetSpotInterval(int Value);
  int TickDelayTime() const { return tickDelayTime_; }
  void SetTickDelayTime(int Value);
  int TickReleaseTime() const { return tickReleaseTime_; }
  void SetTickReleaseTime(int Value);
  // 0 none, 1 single line.
  int BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(int Value);
  // 0 whole bars, 1 rows by zone.
  int LineType() const { return lineType_; }
  void SetLineType(int Value);
  int XPos() const { return xPos_; }
  void SetXPos(int Value);
  int YPos() const { return yPos_; }
  void SetYPos(int Value);
  int FFTWindowType() const { return fftWindowType_; }
  void SetFFTWindowType(int Value);
  int FFTViewType() const { return fftViewType_; }
  void SetFFTViewType(int Value);
  void SetAutoSize(bool Value) override;

  // Level in dB of bar i and of its peak spot now (-100 or below: nothing shown).
  float BarLevel(int Index) const;
  float SpotLevel(int Index) const;

 protected:
  void Paint() override;

 private:
  struct Spot {
    float Db = -1000.0f;
    std::uint64_t Since = 0;  // tick it was raised
  };
  void SetColour(TColor& field, TColor value, const wchar_t* name);
  void SetNumber(int& field, int value, const wchar_t* name, int lo, int hi);
  float SpotAt(const Spot& spot, std::uint64_t now) const;
  void ComputeBars();
  int Zone(double percentOfHeight) const;
  void PrepareRows(int plotHeight);
  void DrawBar(int left, int right, int plotTop, int plotHeight, float barDb, float spotDb);

  TColor backColor_ = clBlack, borderColor_ = clBlack;
  TColor backLine_[3] = {clBlack, clBlack, clBlack};
  TColor line_[3] = {clLime, clYellow, clRed};
  int lineCount_ = 32, lineInterval_ = 1, midPoint_ = 50, highPoint_ = 80;
  int spotHeight_ = 1, spotInterval_ = 0, tickDelayTime_ = 200, tickReleaseTime_ = 10;
  int borderStyle_ = 0, lineType_ = 1, xPos_ = 0, yPos_ = 0, fftWindowType_ = 3, fftViewType_ = 0;

  FrequencyAnalyzer analyzer_;
  std::vector<float> mono_, levels_, bars_;
  std::vector<BinSpan> spans_;
  std::vector<Spot> spots_;
  // Per plot row (top first): zone and the lit and unlit colours, remade when the height changes.
  DisplaySurface surface_;
  std::vector<std::uint8_t> rowZone_;
  std::vector<std::uint32_t> rowLit_, rowUnlit_;
  int rowsHeight_ = -1;
  bool rowsStale_ = true;
};
