#pragma once
// What part of the document the editor shows: the visible frame range, the vertical zoom, the shown
// channels, and the mapping between frames and pixel columns. Free of any window.

#include <cstdint>

// The shortest span the view zooms in to.
constexpr std::int64_t kMinViewSpan = 8;
// Vertical zoom limits in percent of full scale.
constexpr int kMinVerticalZoom = 5;
constexpr int kMaxVerticalZoom = 1000;

class EditorView {
 public:
  std::int64_t Start() const { return start_; }
  std::int64_t End() const { return end_; }
  std::int64_t Span() const { return end_ - start_; }

  // Shows the whole document.
  void ZoomFull(std::int64_t length);
  // Shows [from, to), widened to the minimum span and kept inside the document.
  void ZoomToRange(std::int64_t from, std::int64_t to, std::int64_t length);
  // Doubles the span around its centre.
  void ZoomOut(std::int64_t length);
  // Halves (factor 0.5) or doubles (2) the span keeping `anchor` at the same place on screen.
  void ZoomAround(std::int64_t anchor, double factor, std::int64_t length);
  void SetStart(std::int64_t position, std::int64_t length);
  void SetEnd(std::int64_t position, std::int64_t length);
  // Moves the view by `frames`, keeping its span, inside the document.
  void ScrollBy(std::int64_t frames, std::int64_t length);
  // After an edit: a view that showed the whole document keeps doing so, any other is kept inside it.
  void FollowLength(std::int64_t oldLength, std::int64_t newLength);

  int VerticalZoom() const { return verticalZoom_; }
  // Clamped to kMinVerticalZoom..kMaxVerticalZoom.
  void SetVerticalZoom(int percent);

  // Frame under pixel column x of a `width`-pixel area (x may lie outside it).
  std::int64_t FrameAt(int x, int width) const;
  // Pixel column of a frame; may lie outside 0..width-1.
  int ColumnOf(std::int64_t frame, int width) const;

 private:
  void Place(std::int64_t start, std::int64_t span, std::int64_t length);

  std::int64_t start_ = 0;
  std::int64_t end_ = 0;
  int verticalZoom_ = 100;
};
