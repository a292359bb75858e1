#include "platform/audio/editor/EditorView.h"

#include <algorithm>
#include <cmath>

void EditorView::Place(std::int64_t start, std::int64_t span, std::int64_t length) {
  span = std::max(span, std::min(kMinViewSpan, length));
  span = std::min(span, length);
  start_ = std::clamp<std::int64_t>(start, 0, length - span);
  end_ = start_ + span;
}

void EditorView::ZoomFull(std::int64_t length) {
  start_ = 0;
  end_ = std::max<std::int64_t>(length, 0);
}

void EditorView::ZoomToRange(std::int64_t from, std::int64_t to, std::int64_t length) {
  if (to < from) std::swap(from, to);
  const std::int64_t span = std::max(to - from, kMinViewSpan);
  // A range widened to the minimum span grows around its centre.
  Place(from - (span - (to - from)) / 2, span, length);
}

void EditorView::ZoomOut(std::int64_t length) {
  const std::int64_t span = Span();
  Place(start_ - span / 2, span * 2, length);
}

void EditorView::ZoomAround(std::int64_t anchor, double factor, std::int64_t length) {
  const std::int64_t span = Span();
  if (span <= 0) return;
  const double share = static_cast<double>(anchor - start_) / static_cast<double>(span);
  const auto newSpan = std::max<std::int64_t>(kMinViewSpan, std::llround(static_cast<double>(span) * factor));
  Place(anchor - std::llround(share * static_cast<double>(newSpan)), newSpan, length);
}

void EditorView::SetStart(std::int64_t position, std::int64_t length) {
  start_ = std::clamp<std::int64_t>(position, 0, length);
  end_ = std::max(end_, start_);
}

void EditorView::SetEnd(std::int64_t position, std::int64_t length) {
  end_ = std::clamp<std::int64_t>(position, 0, length);
  start_ = std::min(start_, end_);
}

void EditorView::ScrollBy(std::int64_t frames, std::int64_t length) { Place(start_ + frames, Span(), length); }

void EditorView::FollowLength(std::int64_t oldLength, std::int64_t newLength) {
  if ((start_ == 0 && end_ == oldLength) || Span() == 0) {
    ZoomFull(newLength);
    return;
  }
  Place(start_, Span(), newLength);
}

void EditorView::SetVerticalZoom(int percent) {
  verticalZoom_ = std::clamp(percent, kMinVerticalZoom, kMaxVerticalZoom);
}

std::int64_t EditorView::FrameAt(int x, int width) const {
  if (width <= 0) return start_;
  return start_ + static_cast<std::int64_t>(std::floor(static_cast<double>(Span()) * x / width));
}

int EditorView::ColumnOf(std::int64_t frame, int width) const {
  if (Span() <= 0) return 0;
  const double x = static_cast<double>(frame - start_) * width / static_cast<double>(Span());
  return static_cast<int>(std::floor(std::clamp(x, -1e6, 1e6)));
}
