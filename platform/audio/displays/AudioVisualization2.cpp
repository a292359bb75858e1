#include "platform/audio/displays/AudioVisualization2.h"

#include <algorithm>
#include <cmath>
#include <cwchar>

#include "platform/audio/core/AudioError.h"
#include "platform/audio/devices/AudioCallLog.h"
#include "platform/framework/classes/Reflection.h"

DEFINE_CLASS(TAudioVisualization2)

namespace {

constexpr wchar_t kClass[] = L"TAudioVisualization2";
constexpr float kBottomDb = -100.0f;
constexpr std::uint32_t kBackground = 0x000000;
constexpr std::uint32_t kGrid = 0x303030;
constexpr std::uint32_t kLabel = 0x909090;
constexpr std::uint32_t kWave = 0x00FF40;
constexpr std::uint32_t kLine = 0x40FF40;

std::uint32_t Mix(std::uint32_t a, std::uint32_t b, double t) {
  std::uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const double x = ((a >> shift) & 0xFF) * (1 - t) + ((b >> shift) & 0xFF) * t;
    out |= static_cast<std::uint32_t>(std::lround(x)) << shift;
  }
  return out;
}

// A colour along stops spread evenly over t = 0 (bottom) .. 1 (top).
template <std::size_t N>
std::uint32_t Gradient(const std::uint32_t (&stops)[N], double t) {
  const double at = std::clamp(t, 0.0, 1.0) * (N - 1);
  const std::size_t i = std::min(static_cast<std::size_t>(at), N - 2);
  return Mix(stops[i], stops[i + 1], at - i);
}

// The bar colour of a view at height fraction t.
std::uint32_t BarColour(int visType, double t) {
  static const std::uint32_t normal[] = {0x008000, 0x00E000, 0xE0E000};
  static const std::uint32_t fire[] = {0x400000, 0xC00000, 0xFF6000, 0xFFC000, 0xFFFFC0};
  static const std::uint32_t glass[] = {0x001040, 0x0040C0, 0x00C0FF, 0xC0F0FF};
  static const std::uint32_t kryptonite[] = {0x003010, 0x00A030, 0x40FF60, 0xD0FFD0};
  switch (visType) {
    case 3: return Gradient(fire, t);
    case 4: return Gradient(glass, t);
    case 5: return Gradient(kryptonite, t);
    default: return Gradient(normal, t);
  }
}

SpectrumWindow WindowOf(int windowFFTType) {
  switch (windowFFTType) {
    case 1: return SpectrumWindow::Hamming;
    case 2: return SpectrumWindow::Blackman;
    case 3: return SpectrumWindow::Rectangular;
    default: return SpectrumWindow::Hann;
  }
}

}  // namespace

namespace {

void RegisterPublishedProperties() {
  using C = TAudioVisualization2;
  RegisterProperties(&C::ClassInfo(), {
                                          OrdinalProperty(L"VisType", &C::VisType, &C::SetVisType),
                                          OrdinalProperty(L"WindowFFTType", &C::WindowFFTType, &C::SetWindowFFTType),
                                          OrdinalProperty(L"WindowArraySize", &C::WindowArraySize, &C::SetWindowArraySize),
                                          ObjectProperty(L"Font", &TControl::Font, &TControl::SetFont),
                                      });
}

}  // namespace

TAudioVisualization2::TAudioVisualization2(TComponent* AOwner) : TCustomControl(AOwner) {
  static const bool registered = (RegisterPublishedProperties(), true);
  (void)registered;
  ControlStyle.Include(csOpaque);
  SetBounds(0, 0, 300, 150);
}

TAudioVisualization2::~TAudioVisualization2() = default;

void TAudioVisualization2::SetVisType(int Value) {
  AudioCallLog::Add(kClass, L"SetVisType", Value);
  if (Value < 0 || Value > 5) throw EAudioError(L"The view type must be between 0 and 5.");
  visType_ = Value;
  columnsStale_ = true;
  Invalidate();
}

void TAudioVisualization2::SetWindowFFTType(int Value) {
  AudioCallLog::Add(kClass, L"SetWindowFFTType", Value);
  if (Value < 0 || Value > 3) throw EAudioError(L"The FFT window type must be between 0 and 3.");
  windowFFTType_ = Value;
  if (hasData_) Analyse();
}

void TAudioVisualization2::SetWindowArraySize(int Value) {
  AudioCallLog::Add(kClass, L"SetWindowArraySize", Value);
  if (!FrequencyAnalyzer::IsPowerOfTwo(Value) || Value < 16 || Value > 65536)
    throw EAudioError(L"The FFT size must be a power of two from 16 to 65536.");
  if (Value == windowArraySize_) return;
  windowArraySize_ = Value;
  // The frames shown belong to the old size; the next ShowSamples brings the new ones.
  hasData_ = false;
  columnsStale_ = true;
  Invalidate();
}

void TAudioVisualization2::ShowSamples(const SampleBuffer* Samples) {
  AudioCallLog::Add(kClass, L"ShowSamples", Samples ? Samples->Frames() : -1);
  if (!Samples) {
    hasData_ = false;
    columnsStale_ = true;
    Invalidate();
    return;
  }
  const std::int64_t wanted = 2LL * windowArraySize_;
  const std::int64_t available = std::min<std::int64_t>(Samples->Frames(), wanted);
  frames_.assign(static_cast<std::size_t>(wanted), 0.0f);
  if (available > 0) MixToMono(Samples->Data(), available, Samples->Channels(), frames_.data());
  if (Samples->SampleRate() > 0) sampleRate_ = Samples->SampleRate();
  hasData_ = true;
  Analyse();
}

void TAudioVisualization2::Analyse() {
  const int n = windowArraySize_;
  analyzer_.Configure(n, WindowOf(windowFFTType_));
  power_.assign(analyzer_.Bins(), 0.0f);
  // Three windows of n frames starting at 0, n/2 and n cover the 2n frames, each half over the next.
  for (int start = 0; start <= n; start += n / 2) analyzer_.AccumulatePower(frames_.data() + start, power_.data());
  levels_.resize(power_.size());
  for (std::size_t k = 0; k < power_.size(); ++k) levels_[k] = FrequencyAnalyzer::PowerToDb(power_[k] / 3.0f);
  columnsStale_ = true;
  Invalidate();
}

int TAudioVisualization2::RowOfLevel(float db, int height) const {
  const double t = std::clamp(static_cast<double>(db) / kBottomDb, 0.0, 1.0);
  return static_cast<int>(std::lround(t * (height - 1)));
}

void TAudioVisualization2::PrepareColumns(int width, int height) {
  if (!columnsStale_ && width == columnsWidth_ && height == columnsHeight_ && visType_ == columnsType_) return;
  columnsWidth_ = width;
  columnsHeight_ = height;
  columnsType_ = visType_;
  columnsStale_ = false;
  rowColours_.resize(height);
  for (int y = 0; y < height; ++y)
    rowColours_[y] = BarColour(visType_, height > 1 ? 1.0 - static_cast<double>(y) / (height - 1) : 1.0);
  if (!hasData_ || !SpectrumView()) return;
  LinearBinSpans(static_cast<int>(levels_.size()), width, spans_);
  columnLevels_.resize(width);
  SpanMaxima(levels_.data(), spans_, columnLevels_.data());
}

void TAudioVisualization2::Paint() {
  const TRect client = GetClientRect();
  const int width = client.Width(), height = client.Height();
  if (width <= 0 || height <= 0 || !surface_.Prepare(width, height)) return;
  PrepareColumns(width, height);
  surface_.Fill(kBackground);
  DrawGrid(width, height);
  if (hasData_) {
    if (!SpectrumView()) DrawWaveform(width, height);
    else if (visType_ == 1) DrawSpectrumLine(width, height);
    else DrawSpectrumBars(width, height);
  }
  DrawLabels(width, height);
  surface_.CopyTo(Canvas()->Handle(), width, height);
}

void TAudioVisualization2::DrawGrid(int width, int height) {
  if (!SpectrumView()) {
    surface_.HorizontalLine(0, width, (height - 1) / 2, kGrid);
    return;
  }
  for (int db = -20; db > kBottomDb; db -= 20) surface_.HorizontalLine(0, width, RowOfLevel(static_cast<float>(db), height), kGrid);
  for (int i = 1; i < 5; ++i) surface_.VerticalLine((width - 1) * i / 5, 0, height, kGrid);
}

void TAudioVisualization2::DrawWaveform(int width, int height) {
  const std::int64_t frames = static_cast<std::int64_t>(frames_.size());
  const double middle = (height - 1) / 2.0;
  for (int x = 0; x < width; ++x) {
    // Column x shows the frames from its own start to the next column's start (at least one).
    const std::int64_t from = x * frames / width;
    const std::int64_t to = std::max(from + 1, (x + 1) * frames / width);
    const auto [lo, hi] = std::minmax_element(frames_.begin() + from, frames_.begin() + to);
    const int top = static_cast<int>(std::lround(middle - std::clamp(*hi, -1.0f, 1.0f) * middle));
    const int bottom = static_cast<int>(std::lround(middle - std::clamp(*lo, -1.0f, 1.0f) * middle));
    surface_.VerticalLine(x, top, bottom + 1, kWave);
  }
}

void TAudioVisualization2::DrawSpectrumLine(int width, int height) {
  int previous = RowOfLevel(columnLevels_[0], height);
  for (int x = 0; x < width; ++x) {
    const int row = RowOfLevel(columnLevels_[x], height);
    surface_.VerticalLine(x, std::min(row, previous), std::max(row, previous) + 1, kLine);
    previous = row;
  }
}

void TAudioVisualization2::DrawSpectrumBars(int width, int height) {
  for (int x = 0; x < width; ++x) {
    if (columnLevels_[x] <= kBottomDb) continue;
    for (int y = RowOfLevel(columnLevels_[x], height); y < height; ++y) surface_.Row(y)[x] = rowColours_[y];
  }
}

void TAudioVisualization2::DrawLabels(int width, int height) {
  HFONT font = Font()->Handle();
  if (!SpectrumView()) return;
  wchar_t text[32];
  for (int db = -20; db > kBottomDb; db -= 20) {
    std::swprintf(text, 32, L"%d dB", db);
    surface_.Text(2, RowOfLevel(static_cast<float>(db), height) + 1, text, font, kLabel);
  }
  const int lineHeight = surface_.TextSize(L"0", font).cy;
  for (int i = 1; i < 5; ++i) {
    const int hz = static_cast<int>(std::lround(sampleRate_ / 2.0 * i / 5));
    std::swprintf(text, 32, L"%d Hz", hz);
    surface_.Text((width - 1) * i / 5 + 2, height - lineHeight - 1, text, font, kLabel);
  }
}

int TAudioVisualization2::XValueAt(int X) {
  const int width = std::max(ClientWidth(), 2);
  const double t = std::clamp(static_cast<double>(X) / (width - 1), 0.0, 1.0);
  if (!SpectrumView()) return static_cast<int>(std::lround(t * (2.0 * windowArraySize_ - 1)));
  return static_cast<int>(std::lround(t * sampleRate_ / 2.0));
}

int TAudioVisualization2::YValueAt(int Y) {
  const int height = std::max(ClientHeight(), 2);
  const double t = std::clamp(static_cast<double>(Y) / (height - 1), 0.0, 1.0);
  if (SpectrumView()) return static_cast<int>(std::lround(t * kBottomDb));
  const double amplitude = std::fabs(1.0 - 2.0 * t);
  const double db = amplitude > 0 ? 20.0 * std::log10(amplitude) : kBottomDb;
  return static_cast<int>(std::lround(std::max(db, static_cast<double>(kBottomDb))));
}

void TAudioVisualization2::MouseMove(TShiftState, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, X, Y, XValueAt(X), YValueAt(Y));
}
