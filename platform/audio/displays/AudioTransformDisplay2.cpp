#include "platform/audio/displays/AudioTransformDisplay2.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cwchar>

#include "platform/audio/core/AudioError.h"
#include "platform/audio/devices/AudioCallLog.h"
#include "platform/framework/classes/Reflection.h"

DEFINE_CLASS(TAudioTransformDisplay2)

namespace {

constexpr wchar_t kClass[] = L"TAudioTransformDisplay2";
// Pixels around a point that still grab it.
constexpr int kGrabRadius = 4;
// Half the side of a drawn point.
constexpr int kPointHalf = 2;
// Closest two points may come, as a share of the axis.
constexpr double kMinimumGap = 1e-6;

// A grid step of 1, 2 or 5 times a power of ten giving at most eight divisions of `range`.
double GridStep(double range) {
  double step = std::pow(10.0, std::floor(std::log10(range / 8)));
  for (double factor : {1.0, 2.0, 5.0, 10.0}) {
    if (range / (step * factor) <= 8.0) return step * factor;
  }
  return step * 10;
}

}  // namespace

namespace {

// The horizontal and vertical bounds are single-precision values and are set through their setters.
void RegisterPublishedProperties() {
  using C = TAudioTransformDisplay2;
  RegisterProperties(&C::ClassInfo(), {
      OrdinalProperty(L"BorderColor", &C::BorderColor, &C::SetBorderColor),
      OrdinalProperty(L"BackColor", &C::BackColor, &C::SetBackColor),
      OrdinalProperty(L"GridColor", &C::GridColor, &C::SetGridColor),
      OrdinalProperty(L"ScaleColor", &C::ScaleColor, &C::SetScaleColor),
      OrdinalProperty(L"TextColor", &C::TextColor, &C::SetTextColor),
      OrdinalProperty(L"PointColor", &C::PointColor, &C::SetPointColor),
      OrdinalProperty(L"GridVisible", &C::GridVisible, &C::SetGridVisible),
      OrdinalProperty(L"ScaleXVisible", &C::ScaleXVisible, &C::SetScaleXVisible),
      OrdinalProperty(L"ScaleYVisible", &C::ScaleYVisible, &C::SetScaleYVisible),
      OrdinalProperty(L"LineArraySize", &C::LineArraySize, &C::SetLineArraySize),
      OrdinalProperty(L"SplineType", &C::SplineType, &C::SetSplineType),
      OrdinalProperty(L"SplineSteepnes", &C::SplineSteepnes, &C::SetSplineSteepnes),
      OrdinalProperty(L"LogScale", &C::LogScale, &C::SetLogScale),
      StringProperty(L"ScaleXCaption", &C::ScaleXCaption, &C::SetScaleXCaption),
      StringProperty(L"ScaleYCaption", &C::ScaleYCaption, &C::SetScaleYCaption),
  });
}

}  // namespace

TAudioTransformDisplay2::TAudioTransformDisplay2(TComponent* AOwner) : TCustomControl(AOwner) {
  static const bool registered = (RegisterPublishedProperties(), true);
  (void)registered;
  ControlStyle.Include(csOpaque);
  ControlStyle.Include(csCaptureMouse);
  SetColor(RGBColor(64, 255, 64));
  points_ = {{0.0, 0.0}, {1.0, 0.0}};
  SetBounds(0, 0, 545, 200);
}

TAudioTransformDisplay2::~TAudioTransformDisplay2() = default;

void TAudioTransformDisplay2::Changed() { Invalidate(); }

void TAudioTransformDisplay2::SetColour(TColor& field, TColor value, const wchar_t* name) {
  AudioCallLog::Add(kClass, name, value);
  field = value;
  Changed();
}

void TAudioTransformDisplay2::SetFlag(bool& field, bool value, const wchar_t* name) {
  AudioCallLog::Add(kClass, name, value);
  field = value;
  Changed();
}

void TAudioTransformDisplay2::SetBorderColor(TColor Value) { SetColour(borderColor_, Value, L"SetBorderColor"); }
void TAudioTransformDisplay2::SetBackColor(TColor Value) { SetColour(backColor_, Value, L"SetBackColor"); }
void TAudioTransformDisplay2::SetGridColor(TColor Value) { SetColour(gridColor_, Value, L"SetGridColor"); }
void TAudioTransformDisplay2::SetScaleColor(TColor Value) { SetColour(scaleColor_, Value, L"SetScaleColor"); }
void TAudioTransformDisplay2::SetTextColor(TColor Value) { SetColour(textColor_, Value, L"SetTextColor"); }
void TAudioTransformDisplay2::SetPointColor(TColor Value) { SetColour(pointColor_, Value, L"SetPointColor"); }
void TAudioTransformDisplay2::SetGridVisible(bool Value) { SetFlag(gridVisible_, Value, L"SetGridVisible"); }
void TAudioTransformDisplay2::SetScaleXVisible(bool Value) { SetFlag(scaleXVisible_, Value, L"SetScaleXVisible"); }
void TAudioTransformDisplay2::SetScaleYVisible(bool Value) { SetFlag(scaleYVisible_, Value, L"SetScaleYVisible"); }
void TAudioTransformDisplay2::SetLogScale(bool Value) { SetFlag(logScale_, Value, L"SetLogScale"); }

void TAudioTransformDisplay2::SetLineArraySize(int Value) {
  AudioCallLog::Add(kClass, L"SetLineArraySize", Value);
  if (Value < 1) throw EAudioError(L"The point array must hold at least one value.");
  lineArraySize_ = Value;
}

void TAudioTransformDisplay2::SetSplineType(int Value) {
  AudioCallLog::Add(kClass, L"SetSplineType", Value);
  if (Value != 0 && Value != 1) throw EAudioError(L"The spline type must be 0 or 1.");
  splineType_ = Value;
  Changed();
}

void TAudioTransformDisplay2::SetSplineSteepnes(int Value) {
  AudioCallLog::Add(kClass, L"SetSplineSteepnes", Value);
  if (Value < 0 || Value > 100) throw EAudioError(L"The spline steepness must be between 0 and 100.");
  splineSteepnes_ = Value;
  Changed();
}

void TAudioTransformDisplay2::SetScaleXMin(float Value) {
  AudioCallLog::Add(kClass, L"SetScaleXMin", Value);
  if (!std::isfinite(Value)) throw EAudioError(L"The scale bound must be a number.");
  scaleXMin_ = Value;
  Changed();
}

void TAudioTransformDisplay2::SetScaleXMax(float Value) {
  AudioCallLog::Add(kClass, L"SetScaleXMax", Value);
  if (!std::isfinite(Value)) throw EAudioError(L"The scale bound must be a number.");
  scaleXMax_ = Value;
  Changed();
}

void TAudioTransformDisplay2::SetScaleYMin(float Value) {
  AudioCallLog::Add(kClass, L"SetScaleYMin", Value);
  if (!std::isfinite(Value) || !(Value < scaleYMax_))
    throw EAudioError(L"The lower bound of the vertical scale must be below its upper bound.");
  scaleYMin_ = Value;
  Changed();
}

void TAudioTransformDisplay2::SetScaleYMax(float Value) {
  AudioCallLog::Add(kClass, L"SetScaleYMax", Value);
  if (!std::isfinite(Value) || !(Value > scaleYMin_))
    throw EAudioError(L"The upper bound of the vertical scale must be above its lower bound.");
  scaleYMax_ = Value;
  Changed();
}

void TAudioTransformDisplay2::SetScaleXCaption(const String& Value) {
  AudioCallLog::Add(kClass, L"SetScaleXCaption", Value);
  scaleXCaption_ = Value;
  Changed();
}

void TAudioTransformDisplay2::SetScaleYCaption(const String& Value) {
  AudioCallLog::Add(kClass, L"SetScaleYCaption", Value);
  scaleYCaption_ = Value;
  Changed();
}

// ---- the curve ----

double TAudioTransformDisplay2::Span() const {
  // An empty selection gives equal bounds: one frame keeps every mapping finite.
  return std::max(static_cast<double>(scaleXMax_) - scaleXMin_, 1.0);
}

double TAudioTransformDisplay2::AxisShare(double x) const {
  if (LogAxis()) return std::log(x / scaleXMin_) / std::log((scaleXMin_ + Span()) / scaleXMin_);
  return (x - scaleXMin_) / Span();
}

double TAudioTransformDisplay2::ScaleValue(double share) const {
  if (LogAxis()) return scaleXMin_ * std::pow((scaleXMin_ + Span()) / scaleXMin_, share);
  return scaleXMin_ + share * Span();
}

double TAudioTransformDisplay2::Slope(std::size_t i) const {
  const std::size_t last = points_.size() - 1;
  const EnvelopePoint& a = points_[i == 0 ? 0 : i - 1];
  const EnvelopePoint& b = points_[i == last ? last : i + 1];
  const double width = b.Position - a.Position;
  return width > 0 ? splineSteepnes_ / 32.0 * (b.Db - a.Db) / width : 0.0;
}

double TAudioTransformDisplay2::SegmentValue(std::size_t i, double position) const {
  const EnvelopePoint& a = points_[i];
  const EnvelopePoint& b = points_[i + 1];
  const double h = b.Position - a.Position;
  if (h <= 0) return b.Db;
  const double t = std::clamp((position - a.Position) / h, 0.0, 1.0);
  if (splineType_ == 0) return a.Db + (b.Db - a.Db) * t;
  // Cubic Hermite through both points with the neighbours' slopes as tangents.
  const double t2 = t * t, t3 = t2 * t;
  return (2 * t3 - 3 * t2 + 1) * a.Db + (t3 - 2 * t2 + t) * h * Slope(i) + (-2 * t3 + 3 * t2) * b.Db +
         (t3 - t2) * h * Slope(i + 1);
}

double TAudioTransformDisplay2::CurveAt(double Position) const {
  const auto after = std::upper_bound(points_.begin() + 1, points_.end() - 1, Position,
                                      [](double p, const EnvelopePoint& point) { return p < point.Position; });
  const std::size_t segment = static_cast<std::size_t>(after - points_.begin()) - 1;
  return std::clamp(SegmentValue(segment, Position), static_cast<double>(scaleYMin_), static_cast<double>(scaleYMax_));
}

std::vector<float> TAudioTransformDisplay2::GetPoints() {
  AudioCallLog::Add(kClass, L"GetPoints");
  const int n = lineArraySize_;
  std::vector<float> values(n);
  for (int i = 0; i < n; ++i) {
    const double x = n > 1 ? scaleXMin_ + Span() * i / (n - 1) : scaleXMin_;
    values[i] = static_cast<float>(CurveAt(AxisShare(x)));
  }
  return values;
}

// ---- layout and mouse ----

TRect TAudioTransformDisplay2::PlotRect() {
  const TRect client = GetClientRect();
  surface_.Prepare(client.Width(), client.Height());
  HFONT font = Font()->Handle();
  const int textHeight = surface_.TextSize(L"0", font).cy;
  wchar_t widest[32];
  std::swprintf(widest, 32, L"%.0f", static_cast<double>(std::fabs(scaleYMin_) > std::fabs(scaleYMax_) ? scaleYMin_ : scaleYMax_));
  const int labelWidth = std::max(surface_.TextSize(widest, font).cx, surface_.TextSize(scaleYCaption_.c_str(), font).cx);
  const int left = scaleYVisible_ ? labelWidth + 6 : 0;
  const int top = scaleYVisible_ ? textHeight / 2 + 1 : 0;
  const int bottom = client.Height() - (scaleXVisible_ ? textHeight + 4 : 0);
  const int right = client.Width() - (scaleXVisible_ ? surface_.TextSize(L"00000", font).cx / 2 : 0);
  return TRect(left, top, std::max(right, left + 2), std::max(bottom, top + 2));
}

EnvelopePoint TAudioTransformDisplay2::PointOfPixel(const TRect& plot, int X, int Y) const {
  const double share = std::clamp(static_cast<double>(X - plot.left) / (plot.Width() - 1), 0.0, 1.0);
  const double down = std::clamp(static_cast<double>(Y - plot.top) / (plot.Height() - 1), 0.0, 1.0);
  return {share, scaleYMax_ - down * (static_cast<double>(scaleYMax_) - scaleYMin_)};
}

int TAudioTransformDisplay2::PointAt(int X, int Y) {
  const TRect plot = PlotRect();
  int found = -1, best = kGrabRadius + 1;
  for (std::size_t i = 0; i < points_.size(); ++i) {
    const int px = plot.left + static_cast<int>(std::lround(points_[i].Position * (plot.Width() - 1)));
    const double down = (scaleYMax_ - std::clamp(points_[i].Db, static_cast<double>(scaleYMin_), static_cast<double>(scaleYMax_))) /
                        (static_cast<double>(scaleYMax_) - scaleYMin_);
    const int py = plot.top + static_cast<int>(std::lround(down * (plot.Height() - 1)));
    const int distance = std::max(std::abs(px - X), std::abs(py - Y));
    if (distance < best) {
      best = distance;
      found = static_cast<int>(i);
    }
  }
  return found;
}

void TAudioTransformDisplay2::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  const int hit = PointAt(X, Y);
  if (Shift.Contains(ssDouble)) {
    dragged_ = -1;
    if (hit > 0 && hit < static_cast<int>(points_.size()) - 1) {
      points_.erase(points_.begin() + hit);
      Changed();
    }
    return;
  }
  pressX_ = X;
  pressY_ = Y;
  if (hit >= 0) {
    dragged_ = hit;
    return;
  }
  const TRect plot = PlotRect();
  if (!plot.Contains(TPoint(X, Y))) return;
  const EnvelopePoint point = PointOfPixel(plot, X, Y);
  const auto after = std::upper_bound(points_.begin(), points_.end(), point.Position,
                                      [](double p, const EnvelopePoint& e) { return p < e.Position; });
  if (after == points_.begin() || after == points_.end()) return;
  if (point.Position - (after - 1)->Position < kMinimumGap || after->Position - point.Position < kMinimumGap) return;
  // The insertion may move the points: their start is read only after it.
  const auto inserted = points_.insert(after, point);
  dragged_ = static_cast<int>(inserted - points_.begin());
  Changed();
}

void TAudioTransformDisplay2::MoveDragged(int X, int Y) {
  // A press on a point that has not moved leaves the point where it was, not on the pixel grid.
  if (X == pressX_ && Y == pressY_) return;
  pressX_ = pressY_ = INT_MIN;
  const EnvelopePoint wanted = PointOfPixel(PlotRect(), X, Y);
  EnvelopePoint& point = points_[dragged_];
  point.Db = wanted.Db;
  const int last = static_cast<int>(points_.size()) - 1;
  if (dragged_ > 0 && dragged_ < last)
    point.Position = std::clamp(wanted.Position, points_[dragged_ - 1].Position + kMinimumGap,
                                points_[dragged_ + 1].Position - kMinimumGap);
  Changed();
}

void TAudioTransformDisplay2::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  if (dragged_ >= 0) MoveDragged(X, Y);
}

void TAudioTransformDisplay2::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && dragged_ >= 0) {
    MoveDragged(X, Y);
    dragged_ = -1;
    Changed();
  }
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

// ---- painting ----

void TAudioTransformDisplay2::Paint() {
  const TRect client = GetClientRect();
  if (client.IsEmpty()) return;
  const TRect plot = PlotRect();
  surface_.Fill(DisplaySurface::PixelOf(scaleColor_));
  surface_.FillRect(plot.left, plot.top, plot.right, plot.bottom, DisplaySurface::PixelOf(backColor_));
  if (gridVisible_) DrawGrid(plot);
  surface_.Frame(plot.left, plot.top, plot.right, plot.bottom, DisplaySurface::PixelOf(borderColor_));
  DrawCurve(plot);
  DrawPoints(plot);
  DrawScales(plot);
  DrawReadout(plot);
  surface_.CopyTo(Canvas()->Handle(), client.Width(), client.Height());
}

void TAudioTransformDisplay2::DrawGrid(const TRect& plot) {
  const std::uint32_t grid = DisplaySurface::PixelOf(gridColor_);
  const double range = static_cast<double>(scaleYMax_) - scaleYMin_, step = GridStep(range);
  for (double db = std::ceil(scaleYMin_ / step) * step; db <= scaleYMax_; db += step) {
    const int y = plot.top + static_cast<int>(std::lround((scaleYMax_ - db) / range * (plot.Height() - 1)));
    surface_.HorizontalLine(plot.left, plot.right, y, grid);
  }
  for (int i = 1; i < 10; ++i) surface_.VerticalLine(plot.left + (plot.Width() - 1) * i / 10, plot.top, plot.bottom, grid);
}

void TAudioTransformDisplay2::DrawScales(const TRect& plot) {
  HFONT font = Font()->Handle();
  const std::uint32_t text = DisplaySurface::PixelOf(textColor_);
  const int textHeight = surface_.TextSize(L"0", font).cy;
  wchar_t label[48];
  if (scaleYVisible_) {
    const double range = static_cast<double>(scaleYMax_) - scaleYMin_, step = GridStep(range);
    for (double db = std::ceil(scaleYMin_ / step) * step; db <= scaleYMax_; db += step * 2) {
      const int y = plot.top + static_cast<int>(std::lround((scaleYMax_ - db) / range * (plot.Height() - 1)));
      std::swprintf(label, 48, L"%.0f", db + 0.0);
      surface_.Text(plot.left - 3 - surface_.TextSize(label, font).cx, y - textHeight / 2, label, font, text);
    }
    surface_.Text(2, plot.bottom - textHeight, scaleYCaption_.c_str(), font, text);
  }
  if (scaleXVisible_) {
    for (int i = 0; i < 4; ++i) {
      std::swprintf(label, 48, L"%.0f", ScaleValue(i / 4.0));
      surface_.Text(plot.left + (plot.Width() - 1) * i / 4, plot.bottom + 2, label, font, text);
    }
    const int captionWidth = surface_.TextSize(scaleXCaption_.c_str(), font).cx;
    surface_.Text(plot.right - captionWidth, plot.bottom + 2, scaleXCaption_.c_str(), font, text);
  }
}

void TAudioTransformDisplay2::DrawCurve(const TRect& plot) {
  const std::uint32_t colour = DisplaySurface::PixelOf(Color());
  const double range = static_cast<double>(scaleYMax_) - scaleYMin_;
  const int width = plot.Width(), height = plot.Height();
  int previous = -1;
  for (int x = 0; x < width; ++x) {
    const double db = CurveAt(AxisShare(ScaleValue(static_cast<double>(x) / (width - 1))));
    const int row = plot.top + static_cast<int>(std::lround((scaleYMax_ - db) / range * (height - 1)));
    if (previous < 0) previous = row;
    surface_.VerticalLine(plot.left + x, std::min(row, previous), std::max(row, previous) + 1, colour);
    previous = row;
  }
}

void TAudioTransformDisplay2::DrawPoints(const TRect& plot) {
  const std::uint32_t colour = DisplaySurface::PixelOf(pointColor_);
  const double range = static_cast<double>(scaleYMax_) - scaleYMin_;
  for (const EnvelopePoint& point : points_) {
    const int x = plot.left + static_cast<int>(std::lround(point.Position * (plot.Width() - 1)));
    const double db = std::clamp(point.Db, static_cast<double>(scaleYMin_), static_cast<double>(scaleYMax_));
    const int y = plot.top + static_cast<int>(std::lround((scaleYMax_ - db) / range * (plot.Height() - 1)));
    surface_.FillRect(x - kPointHalf, y - kPointHalf, x + kPointHalf + 1, y + kPointHalf + 1, colour);
  }
}

void TAudioTransformDisplay2::DrawReadout(const TRect& plot) {
  if (dragged_ < 0) return;
  const EnvelopePoint& point = points_[dragged_];
  wchar_t readout[96];
  std::swprintf(readout, 96, L"%.0f %ls, %.1f %ls", ScaleValue(point.Position), scaleXCaption_.c_str(), point.Db,
                scaleYCaption_.c_str());
  surface_.Text(plot.left + 4, plot.top + 2, readout, Font()->Handle(), DisplaySurface::PixelOf(Font()->Color()));
}
