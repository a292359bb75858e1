#include "ui/foundation/ScrollBarGeometry.h"

#include <algorithm>
#include <cstdint>

namespace {

// a * b / c rounded to the nearest, halves away from zero; c must not be 0.
int MulDivRound(int a, int b, int c) {
  const std::int64_t product = std::int64_t{a} * b;
  const std::int64_t half = (c < 0 ? -std::int64_t{c} : std::int64_t{c}) / 2;
  const bool negative = (product < 0) != (c < 0);
  const std::int64_t magnitude = ((product < 0 ? -product : product) + half) / (c < 0 ? -std::int64_t{c} : c);
  return static_cast<int>(negative ? -magnitude : magnitude);
}

int TrackStart(bool horizontal, const TcxScrollBarLayout& l) {
  return horizontal ? l.FirstArrow.right : l.FirstArrow.bottom;
}
int TrackEnd(bool horizontal, const TcxScrollBarLayout& l) {
  return horizontal ? l.SecondArrow.left : l.SecondArrow.top;
}

}  // namespace

void cxLayoutScrollBarArrows(bool Horizontal, int Width, int Height, int ArrowSize, TcxScrollBarLayout& Layout) {
  if (Horizontal) {
    const int a = std::min(ArrowSize, Width / 2);
    Layout.FirstArrow = {0, 0, a, Height};
    Layout.SecondArrow = {Width - a, 0, Width, Height};
  } else {
    const int a = std::min(ArrowSize, Height / 2);
    Layout.FirstArrow = {0, 0, Width, a};
    Layout.SecondArrow = {0, Height - a, Width, Height};
  }
}

void cxPlaceScrollBarThumb(bool Horizontal, bool Enabled, const TcxScrollBarRange& Range, int NoPageThumbLength,
                           int MinThumbLength, TcxScrollBarLayout& Layout) {
  Layout.Thumb = Layout.PageBefore = Layout.PageAfter = TRect();
  if (!Enabled) return;
  const int start = TrackStart(Horizontal, Layout);
  const int track = TrackEnd(Horizontal, Layout) - start;
  const int span = Range.Max - Range.Min;
  int length = 0, offset = 0;
  if (Range.PageSize != 0) {
    length = span + 1 > 0 ? std::min(track, MulDivRound(Range.PageSize, track, span + 1)) : track;
    if (track < MinThumbLength || Range.Max == Range.Min) return;
    length = std::max(length, MinThumbLength);
    // No room to move (the page covers the range) leaves the thumb at the start.
    const int d = span - Range.PageSize + 1;
    offset = d <= 0 ? 0 : MulDivRound(track - length, std::min(Range.Position - Range.Min, d), d);
  } else {
    length = NoPageThumbLength;
    if (track < length) return;
    offset = track - length <= 0 || span == 0 ? 0 : MulDivRound(track - length, Range.Position - Range.Min, span);
  }
  offset = std::clamp(offset, 0, std::max(track - length, 0));
  const TRect bar = Horizontal ? TRect(start, Layout.FirstArrow.top, start + track, Layout.FirstArrow.bottom)
                               : TRect(Layout.FirstArrow.left, start, Layout.FirstArrow.right, start + track);
  if (Horizontal) {
    Layout.Thumb = {start + offset, bar.top, start + offset + length, bar.bottom};
    Layout.PageBefore = {start, bar.top, Layout.Thumb.left, bar.bottom};
    Layout.PageAfter = {Layout.Thumb.right, bar.top, bar.right, bar.bottom};
  } else {
    Layout.Thumb = {bar.left, start + offset, bar.right, start + offset + length};
    Layout.PageBefore = {bar.left, start, bar.right, Layout.Thumb.top};
    Layout.PageAfter = {bar.left, Layout.Thumb.bottom, bar.right, bar.bottom};
  }
}

int cxScrollBarPositionFromThumb(bool Horizontal, const TcxScrollBarRange& Range, const TcxScrollBarLayout& Layout) {
  if (Layout.Thumb.IsEmpty()) return Range.Min;
  const int start = TrackStart(Horizontal, Layout);
  const int track = TrackEnd(Horizontal, Layout) - start;
  const int length = Horizontal ? Layout.Thumb.Width() : Layout.Thumb.Height();
  const int moved = (Horizontal ? Layout.Thumb.left : Layout.Thumb.top) - start;
  if (track - length <= 0) return Range.Min;
  const int steps = Range.Max - Range.Min + (Range.PageSize > 0 ? 1 - Range.PageSize : 0);
  const int position = Range.Min + MulDivRound(steps, moved, track - length);
  const int upper = Range.PageSize > 0 ? Range.Max - Range.PageSize + 1 : Range.Max;
  return std::clamp(position, Range.Min, std::max(upper, Range.Min));
}

TcxScrollBarPart cxScrollBarHitTest(const TcxScrollBarLayout& Layout, int Width, int Height, const TPoint& P) {
  if (!TRect(0, 0, Width, Height).Contains(P)) return sbpNone;
  if (Layout.FirstArrow.Contains(P)) return sbpLineUp;
  if (Layout.SecondArrow.Contains(P)) return sbpLineDown;
  if (Layout.Thumb.IsEmpty()) return sbpNone;
  if (Layout.Thumb.Contains(P)) return sbpThumbnail;
  if (Layout.PageBefore.Contains(P)) return sbpPageUp;
  if (Layout.PageAfter.Contains(P)) return sbpPageDown;
  return sbpNone;
}
