#include "dialogs/SliderGeometry.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMargin = 6;

int Round(double value) { return static_cast<int>(std::nearbyint(value)); }

}  // namespace

int RulerLength(int sliderExtent) { return std::max(0, sliderExtent - 2 * kMargin); }

std::vector<TRulerPiece> RulerPieces(int newLength, int sourceLength, int edge) {
  std::vector<TRulerPiece> pieces;
  const int middle = sourceLength - 2 * edge;
  if (newLength <= 0 || middle <= 0) return pieces;
  const int available = newLength - 2 * edge;
  const int count = available / middle;
  const int rest = available % middle;
  pieces.push_back({0, sourceLength - edge, 0});
  for (int i = 1; i < count; ++i) pieces.push_back({edge + i * middle, middle, edge});
  if (count > 0) pieces.push_back({edge + count * middle, edge + rest, sourceLength - edge - rest});
  return pieces;
}

TSize TSliderGeometry::ThumbSize() const {
  const TSize image = ThumbImage();
  return {NumThumbStates > 0 ? image.cx / NumThumbStates : image.cx, image.cy};
}

TSize TSliderGeometry::RulerSize() const {
  const TSize image = RulerImage();
  if (Vertical()) return {image.cx, RulerLength(Slider.Height())};
  return {RulerLength(Slider.Width()), image.cy};
}

void TSliderGeometry::Layout() {
  Ruler = RulerSize();
  const TSize thumb = ThumbSize();
  const int left = Slider.left + kMargin, top = Slider.top + kMargin;
  if (!Vertical()) {
    const bool thumbTaller = thumb.cy > Ruler.cy;
    ThumbRect = Bounds(left, thumbTaller ? top : top + (Ruler.cy - thumb.cy) / 2, thumb.cx, thumb.cy);
    RulerOrigin = {left, thumbTaller ? top + (thumb.cy - Ruler.cy) / 2 : top};
    TickArea = Rect(RulerOrigin.x, top + std::max<int>(thumb.cy, Ruler.cy) + 1, RulerOrigin.x + Ruler.cx,
                    Slider.bottom - Slider.top - 1);
  } else {
    const bool thumbWider = thumb.cx > Ruler.cx;
    ThumbRect = Bounds(thumbWider ? left : left + (Ruler.cx - thumb.cx) / 2, top, thumb.cx, thumb.cy);
    RulerOrigin = {thumbWider ? left + (thumb.cx - Ruler.cx) / 2 : left, top};
    TickArea = Rect(left + std::max<int>(thumb.cx, Ruler.cx) + 1, RulerOrigin.y, Slider.right - Slider.left - 1,
                    RulerOrigin.y + Ruler.cy);
  }
}

int TSliderGeometry::TravelLength() const {
  return Vertical() ? Ruler.cy - VThumb.cy : Ruler.cx - ThumbSize().cx;
}

int TSliderGeometry::Start() const { return (Vertical() ? Slider.top : Slider.left) + kMargin; }

int TSliderGeometry::ValueToPixel(int value) const {
  const int start = Start(), travel = TravelLength();
  const double range = double(MaxValue) - MinValue;
  const int offset = travel > 0 && range > 0 ? Round(travel * ((double(value) - MinValue) / range)) : 0;
  const int pixel = Vertical() ? Slider.top + Slider.bottom - (start + offset) - VThumb.cy : start + offset;
  return std::max(pixel, start);
}

int TSliderGeometry::PixelToValue(int pixel) const {
  const int travel = TravelLength();
  const double range = double(MaxValue) - MinValue;
  if (travel <= 0 || range <= 0) return MinValue;
  if (Vertical()) pixel = ClientHeight - pixel - VThumb.cy;
  int value = Round((double(pixel) - Slider.left - kMargin) * range / travel);
  if (!Smooth && Increment > 0) value = Round(double(value) / Increment) * Increment;
  return int(std::min<double>(double(std::max(value, 0)) + MinValue, MaxValue));
}

int TSliderGeometry::SnapThumbPosition(int pixel) const {
  const int start = Start(), travel = std::max(TravelLength(), 0);
  pixel = std::min(std::max(pixel, start), start + travel);
  return std::min(ValueToPixel(PixelToValue(pixel)), start + travel);
}

void TSliderGeometry::PlaceThumb(int pixel) {
  const int width = ThumbRect.Width(), height = ThumbRect.Height();
  ThumbRect = Vertical() ? Bounds(ThumbRect.left, pixel, width, height) : Bounds(pixel, ThumbRect.top, width, height);
}

int TSliderGeometry::StepValue(int value, TTrackDirection direction) const {
  const int step = std::max(Increment, 1);
  double result = value;
  switch (direction) {
    case tdToMinimum: result = MinValue; break;
    case tdToMaximum: result = MaxValue; break;
    case tdIncrease: result = double(step) * Round(double(value) / step) + step; break;
    case tdDecrease: result = double(step) * Round(double(value) / step) - step; break;
    case tdNone: return value;
  }
  return result >= MaxValue ? MaxValue : int(std::max<double>(result, MinValue));
}

TTrackDirection TSliderGeometry::HitDirection(int x, int y) const {
  if (!Vertical()) {
    if (x < ThumbRect.left) return tdDecrease;
    if (x > ThumbRect.right) return tdIncrease;
  } else {
    if (y < ThumbRect.top) return tdIncrease;
    if (y > ThumbRect.bottom) return tdDecrease;
  }
  return tdNone;
}

TRect TSliderGeometry::RulerHitArea() const {
  TRect area = Bounds(RulerOrigin.x, RulerOrigin.y, Ruler.cx, Ruler.cy);
  if (Vertical()) area.left -= 3, area.right += 3;
  else area.top -= 3, area.bottom += 3;
  return area;
}

std::vector<TSliderTick> TSliderGeometry::Ticks(int step, int length, int extremeLength) const {
  std::vector<TSliderTick> ticks;
  const int travel = TravelLength();
  const double range = double(MaxValue) - MinValue;
  // Without travel every tick would sit on the same pixel under the thumb.
  if (step <= 0 || range <= 0 || travel <= 0) return ticks;
  int k = 0, count = 1;
  for (;;) {
    ++k;
    const int g = Round(range / (double(step) * k));
    count = g + 1;
    const int spacing = count > 1 ? travel / g : travel;
    if (spacing >= 4 || spacing >= travel) break;
  }
  const int half = Vertical() ? VThumb.cy / 2 : ThumbSize().cx / 2;
  for (int i = 1; i <= count; ++i) {
    const int value = i == count ? MaxValue : int(MinValue + double(i - 1) * step * k);
    const bool extreme = value == MinValue || value == MaxValue;
    ticks.push_back({ValueToPixel(value) + half, extreme ? extremeLength : length});
  }
  return ticks;
}
