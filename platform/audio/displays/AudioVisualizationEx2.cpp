#include "platform/audio/displays/AudioVisualizationEx2.h"

#include <algorithm>
#include <cmath>

#include "platform/audio/core/AudioError.h"
#include "platform/audio/devices/AudioCallLog.h"
#include "platform/framework/classes/Reflection.h"
#include "platform/framework/rtl/DateUtils.h"

DEFINE_CLASS(TAudioVisualizationEx2)

namespace {

constexpr wchar_t kClass[] = L"TAudioVisualizationEx2";
constexpr float kBottomDb = -100.0f;
constexpr int kLargestTransform = 4096;
constexpr int kSmallestTransform = 16;

SpectrumWindow WindowOf(int fftWindowType) {
  switch (fftWindowType) {
    case 0: return SpectrumWindow::Rectangular;
    case 1: return SpectrumWindow::Hamming;
    case 2: return SpectrumWindow::Blackman;
    default: return SpectrumWindow::Hann;
  }
}

// Fraction 0..1 of the plot's height a level reaches.
double HeightOf(float db) { return std::clamp((static_cast<double>(db) - kBottomDb) / -kBottomDb, 0.0, 1.0); }

}  // namespace

namespace {

void RegisterPublishedProperties() {
  using C = TAudioVisualizationEx2;
  RegisterProperties(&C::ClassInfo(), {
      OrdinalProperty(L"BackColor", &C::BackColor, &C::SetBackColor),
      OrdinalProperty(L"BorderColor", &C::BorderColor, &C::SetBorderColor),
      OrdinalProperty(L"BackLineLowColor", &C::BackLineLowColor, &C::SetBackLineLowColor),
      OrdinalProperty(L"BackLineMidColor", &C::BackLineMidColor, &C::SetBackLineMidColor),
      OrdinalProperty(L"BackLineHighColor", &C::BackLineHighColor, &C::SetBackLineHighColor),
      OrdinalProperty(L"LineLowColor", &C::LineLowColor, &C::SetLineLowColor),
      OrdinalProperty(L"LineMidColor", &C::LineMidColor, &C::SetLineMidColor),
      OrdinalProperty(L"LineHighColor", &C::LineHighColor, &C::SetLineHighColor),
      OrdinalProperty(L"LineCount", &C::LineCount, &C::SetLineCount),
      OrdinalProperty(L"LineInterval", &C::LineInterval, &C::SetLineInterval),
      OrdinalProperty(L"MidPoint", &C::MidPoint, &C::SetMidPoint),
      OrdinalProperty(L"HighPoint", &C::HighPoint, &C::SetHighPoint),
      OrdinalProperty(L"SpotHeight", &C::SpotHeight, &C::SetSpotHeight),
      OrdinalProperty(L"SpotInterval", &C::SpotInterval, &C::SetSpotInterval),
      OrdinalProperty(L"TickDelayTime", &C::TickDelayTime, &C::SetTickDelayTime),
      OrdinalProperty(L"TickReleaseTime", &C::TickReleaseTime, &C::SetTickReleaseTime),
      OrdinalProperty(L"BorderStyle", &C::BorderStyle, &C::SetBorderStyle),
      OrdinalProperty(L"LineType", &C::LineType, &C::SetLineType),
      OrdinalProperty(L"XPos", &C::XPos, &C::SetXPos),
      OrdinalProperty(L"YPos", &C::YPos, &C::SetYPos),
      OrdinalProperty(L"FFTWindowType", &C::FFTWindowType, &C::SetFFTWindowType),
      OrdinalProperty(L"FFTViewType", &C::FFTViewType, &C::SetFFTViewType),
  });
}

}  // namespace

TAudioVisualizationEx2::TAudioVisualizationEx2(TComponent* AOwner) : TCustomControl(AOwner) {
  static const bool registered = (RegisterPublishedProperties(), true);
  (void)registered;
  ControlStyle.Include(csOpaque);
  SetBounds(0, 0, 198, 125);
}

TAudioVisualizationEx2::~TAudioVisualizationEx2() = default;

void TAudioVisualizationEx2::SetColour(TColor& field, TColor value, const wchar_t* name) {
  AudioCallLog::Add(kClass, name, value);
  field = value;
  rowsStale_ = true;
  Invalidate();
}

void TAudioVisualizationEx2::SetNumber(int& field, int value, const wchar_t* name, int lo, int hi) {
  AudioCallLog::Add(kClass, name, value);
  if (value < lo || value > hi)
    throw EAudioError(String(name + 3) + L" must be between " + std::to_wstring(lo) + L" and " + std::to_wstring(hi) + L".");
  field = value;
  rowsStale_ = true;
  Invalidate();
}

void TAudioVisualizationEx2::SetBackColor(TColor Value) { SetColour(backColor_, Value, L"SetBackColor"); }
void TAudioVisualizationEx2::SetBorderColor(TColor Value) { SetColour(borderColor_, Value, L"SetBorderColor"); }
void TAudioVisualizationEx2::SetBackLineLowColor(TColor Value) { SetColour(backLine_[0], Value, L"SetBackLineLowColor"); }
void TAudioVisualizationEx2::SetBackLineMidColor(TColor Value) { SetColour(backLine_[1], Value, L"SetBackLineMidColor"); }
void TAudioVisualizationEx2::SetBackLineHighColor(TColor Value) { SetColour(backLine_[2], Value, L"SetBackLineHighColor"); }
void TAudioVisualizationEx2::SetLineLowColor(TColor Value) { SetColour(line_[0], Value, L"SetLineLowColor"); }
void TAudioVisualizationEx2::SetLineMidColor(TColor Value) { SetColour(line_[1], Value, L"SetLineMidColor"); }
void TAudioVisualizationEx2::SetLineHighColor(TColor Value) { SetColour(line_[2], Value, L"SetLineHighColor"); }

void TAudioVisualizationEx2::SetLineCount(int Value) {
  SetNumber(lineCount_, Value, L"SetLineCount", 1, 4096);
  spots_.assign(lineCount_, Spot{});
  ComputeBars();
}
void TAudioVisualizationEx2::SetLineInterval(int Value) { SetNumber(lineInterval_, Value, L"SetLineInterval", 0, 100); }
void TAudioVisualizationEx2::SetMidPoint(int Value) { SetNumber(midPoint_, Value, L"SetMidPoint", 0, 100); }
void TAudioVisualizationEx2::SetHighPoint(int Value) { SetNumber(highPoint_, Value, L"SetHighPoint", 0, 100); }
void TAudioVisualizationEx2::SetSpotHeight(int Value) { SetNumber(spotHeight_, Value, L"SetSpotHeight", 0, 100); }
void TAudioVisualizationEx2::SetSpotInterval(int Value) { SetNumber(spotInterval_, Value, L"SetSpotInterval", 0, 100); }
void TAudioVisualizationEx2::SetTickDelayTime(int Value) { SetNumber(tickDelayTime_, Value, L"SetTickDelayTime", 0, 60000); }
void TAudioVisualizationEx2::SetTickReleaseTime(int Value) {
  SetNumber(tickReleaseTime_, Value, L"SetTickReleaseTime", 0, 60000);
}
void TAudioVisualizationEx2::SetBorderStyle(int Value) { SetNumber(borderStyle_, Value, L"SetBorderStyle", 0, 1); }
void TAudioVisualizationEx2::SetLineType(int Value) { SetNumber(lineType_, Value, L"SetLineType", 0, 1); }
void TAudioVisualizationEx2::SetXPos(int Value) { SetNumber(xPos_, Value, L"SetXPos", 0, 1000); }
void TAudioVisualizationEx2::SetYPos(int Value) { SetNumber(yPos_, Value, L"SetYPos", 0, 1000); }
void TAudioVisualizationEx2::SetFFTWindowType(int Value) { SetNumber(fftWindowType_, Value, L"SetFFTWindowType", 0, 3); }
void TAudioVisualizationEx2::SetFFTViewType(int Value) {
  SetNumber(fftViewType_, Value, L"SetFFTViewType", 0, 1);
  spans_.clear();
  ComputeBars();
}

void TAudioVisualizationEx2::SetAutoSize(bool Value) {
  AudioCallLog::Add(kClass, L"SetAutoSize", Value);
  TCustomControl::SetAutoSize(Value);
}

void TAudioVisualizationEx2::ShowSamples(const SampleBuffer* Samples) {
  AudioCallLog::Add(kClass, L"ShowSamples", Samples ? Samples->Frames() : -1);
  const std::int64_t frames = Samples ? Samples->Frames() : 0;
  if (frames < kSmallestTransform) {
    // Nothing to analyse: bars and spots go, so a cleared meter is dark at once.
    levels_.clear();
    bars_.assign(lineCount_, kBottomDb);
    spots_.assign(lineCount_, Spot{});
    Invalidate();
    return;
  }
  int size = kSmallestTransform;
  while (size * 2 <= std::min<std::int64_t>(frames, kLargestTransform)) size *= 2;
  analyzer_.Configure(size, WindowOf(fftWindowType_));
  mono_.resize(size);
  MixToMono(Samples->Data(), size, Samples->Channels(), mono_.data());
  if (static_cast<int>(levels_.size()) != analyzer_.Bins()) spans_.clear();
  levels_.resize(analyzer_.Bins());
  analyzer_.Levels(mono_.data(), levels_.data());
  ComputeBars();
  const std::uint64_t now = TickCount();
  spots_.resize(lineCount_);
  for (int i = 0; i < lineCount_; ++i) {
    if (bars_[i] >= SpotAt(spots_[i], now)) spots_[i] = {bars_[i], now};
  }
  Invalidate();
}

void TAudioVisualizationEx2::ComputeBars() {
  bars_.assign(lineCount_, kBottomDb);
  if (levels_.empty()) return;
  if (static_cast<int>(spans_.size()) != lineCount_) {
    if (fftViewType_ == 1) LogBinSpans(static_cast<int>(levels_.size()), lineCount_, spans_);
    else LinearBinSpans(static_cast<int>(levels_.size()), lineCount_, spans_);
  }
  SpanMaxima(levels_.data(), spans_, bars_.data());
}

float TAudioVisualizationEx2::SpotAt(const Spot& spot, std::uint64_t now) const {
  const std::uint64_t held = spot.Since + static_cast<std::uint64_t>(tickDelayTime_);
  if (now <= held) return spot.Db;
  if (tickReleaseTime_ == 0) return -1000.0f;
  return spot.Db - static_cast<float>(now - held) / static_cast<float>(tickReleaseTime_);
}

float TAudioVisualizationEx2::BarLevel(int Index) const {
  return Index >= 0 && Index < static_cast<int>(bars_.size()) ? bars_[Index] : kBottomDb;
}

float TAudioVisualizationEx2::SpotLevel(int Index) const {
  return Index >= 0 && Index < static_cast<int>(spots_.size()) ? SpotAt(spots_[Index], TickCount()) : -1000.0f;
}

int TAudioVisualizationEx2::Zone(double percentOfHeight) const {
  if (percentOfHeight < midPoint_) return 0;
  return percentOfHeight < highPoint_ ? 1 : 2;
}

void TAudioVisualizationEx2::PrepareRows(int plotHeight) {
  if (!rowsStale_ && plotHeight == rowsHeight_) return;
  rowsStale_ = false;
  rowsHeight_ = plotHeight;
  rowZone_.resize(plotHeight);
  rowLit_.resize(plotHeight);
  rowUnlit_.resize(plotHeight);
  for (int r = 0; r < plotHeight; ++r) {
    // Row r (from the top) covers heights from plotHeight - r - 1 to plotHeight - r; its middle decides.
    const int zone = Zone(100.0 * (plotHeight - r - 0.5) / plotHeight);
    rowZone_[r] = static_cast<std::uint8_t>(zone);
    rowLit_[r] = DisplaySurface::PixelOf(line_[zone]);
    rowUnlit_[r] = DisplaySurface::PixelOf(backLine_[zone]);
  }
}

void TAudioVisualizationEx2::DrawBar(int left, int right, int plotTop, int plotHeight, float barDb, float spotDb) {
  const int lit = static_cast<int>(std::lround(HeightOf(barDb) * plotHeight));
  const int firstLit = plotHeight - lit;
  const std::uint32_t wholeBar = lit > 0 ? rowLit_[firstLit] : 0;
  for (int r = 0; r < plotHeight; ++r) {
    const std::uint32_t colour = r < firstLit ? rowUnlit_[r] : (lineType_ == 1 ? rowLit_[r] : wholeBar);
    std::fill(surface_.Row(plotTop + r) + left, surface_.Row(plotTop + r) + right, colour);
  }
  if (spotDb <= kBottomDb || spotHeight_ == 0) return;
  const int spotBottom = plotHeight - static_cast<int>(std::lround(HeightOf(spotDb) * plotHeight)) - spotInterval_;
  for (int r = std::max(spotBottom - spotHeight_, 0); r < spotBottom && r < plotHeight; ++r)
    std::fill(surface_.Row(plotTop + r) + left, surface_.Row(plotTop + r) + right, rowLit_[r]);
}

void TAudioVisualizationEx2::Paint() {
  const TRect client = GetClientRect();
  const int width = client.Width(), height = client.Height();
  if (width <= 0 || height <= 0 || !surface_.Prepare(width, height)) return;
  surface_.Fill(DisplaySurface::PixelOf(backColor_));
  const int plotLeft = xPos_, plotTop = yPos_;
  const int plotWidth = width - 2 * xPos_, plotHeight = height - 2 * yPos_;
  if (plotWidth > 0 && plotHeight > 0) {
    PrepareRows(plotHeight);
    if (static_cast<int>(bars_.size()) != lineCount_) bars_.assign(lineCount_, kBottomDb);
    if (static_cast<int>(spots_.size()) != lineCount_) spots_.assign(lineCount_, Spot{});
    const std::uint64_t now = TickCount();
    for (int i = 0; i < lineCount_; ++i) {
      const int left = plotLeft + static_cast<int>(static_cast<std::int64_t>(i) * plotWidth / lineCount_);
      const int next = plotLeft + static_cast<int>(static_cast<std::int64_t>(i + 1) * plotWidth / lineCount_);
      const int right = std::max(left + 1, next - lineInterval_);
      if (left >= plotLeft + plotWidth) break;
      DrawBar(left, std::min(right, plotLeft + plotWidth), plotTop, plotHeight, bars_[i], SpotAt(spots_[i], now));
    }
  }
  if (borderStyle_ == 1) surface_.Frame(0, 0, width, height, DisplaySurface::PixelOf(borderColor_));
  surface_.CopyTo(Canvas()->Handle(), width, height);
}
