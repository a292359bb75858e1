// Scroll-bar geometry as a table: a 134 x 17 horizontal bar with 17-pixel arrows leaves a 100-pixel
// track from x = 17 to x = 117.

#include <gtest/gtest.h>

#include "ui/foundation/ScrollBarGeometry.h"

namespace {

constexpr int kNoPageThumb = 17;
constexpr int kMinThumb = 8;

TcxScrollBarLayout Laid(const TcxScrollBarRange& range, int width = 134, bool enabled = true) {
  TcxScrollBarLayout layout;
  cxLayoutScrollBarArrows(true, width, 17, 17, layout);
  cxPlaceScrollBarThumb(true, enabled, range, kNoPageThumb, kMinThumb, layout);
  return layout;
}

}  // namespace

TEST(ScrollBarGeometry, ThumbPlacementTable) {
  struct Case {
    const char* name;
    TcxScrollBarRange range;
    int width;
    bool enabled;
    TRect thumb;  // empty = no thumb
  } cases[] = {
      {"page 10 of 100 at the start", {0, 99, 10, 0}, 134, true, {17, 0, 27, 17}},
      {"page 10 of 100 at the end", {0, 99, 10, 90}, 134, true, {107, 0, 117, 17}},
      {"no page size: system thumb", {0, 100, 0, 50}, 134, true, {59, 0, 76, 17}},
      {"no page size, empty range", {5, 5, 0, 5}, 134, true, {17, 0, 34, 17}},
      {"page size, Max = Min", {5, 5, 1, 5}, 134, true, {}},
      {"negative Min", {-50, 10, 30, -20}, 134, true, {66, 0, 115, 17}},
      {"page covers the range (D = 0)", {10, 99, 90, 10}, 134, true, {17, 0, 117, 17}},
      {"tiny page rises to the painter's minimum", {0, 999, 1, 0}, 134, true, {17, 0, 25, 17}},
      {"track shorter than the minimum", {0, 99, 10, 0}, 40, true, {}},
      {"track shorter than the system thumb", {0, 100, 0, 0}, 50, true, {}},
      {"disabled", {0, 99, 10, 0}, 134, false, {}},
  };
  for (const Case& c : cases) {
    const TcxScrollBarLayout layout = Laid(c.range, c.width, c.enabled);
    EXPECT_EQ(layout.Thumb, c.thumb) << c.name;
    if (!c.thumb.IsEmpty()) {
      EXPECT_EQ(layout.PageBefore, TRect(17, 0, c.thumb.left, 17)) << c.name;
      EXPECT_EQ(layout.PageAfter, TRect(c.thumb.right, 0, c.width - 17, 17)) << c.name;
    }
  }
}

TEST(ScrollBarGeometry, ShortBarsShareTheLengthBetweenTheArrows) {
  TcxScrollBarLayout layout;
  cxLayoutScrollBarArrows(false, 17, 25, 17, layout);
  EXPECT_EQ(layout.FirstArrow, TRect(0, 0, 17, 12));
  EXPECT_EQ(layout.SecondArrow, TRect(0, 13, 17, 25));
}

TEST(ScrollBarGeometry, PositionFromTheThumbStaysInsideTheReachableRange) {
  struct Case {
    const char* name;
    TcxScrollBarRange range;
    int thumbOffset;  // from the track start, applied to the laid-out thumb
    int position;
  } cases[] = {
      {"halfway", {0, 99, 10, 0}, 45, 45},
      {"at the end", {0, 99, 10, 0}, 90, 90},
      {"beyond the end", {0, 99, 10, 0}, 95, 90},
      {"before the start", {0, 99, 10, 0}, -3, 0},
      {"no page size at the end", {0, 100, 0, 0}, 83, 100},
      {"negative Min", {-50, 10, 30, -50}, 51, -19},
      // The thumb fills the track: nothing to move, the position is Min (not Min - 1).
      {"page covers the range", {10, 99, 90, 10}, 0, 10},
  };
  for (const Case& c : cases) {
    TcxScrollBarLayout layout = Laid(c.range);
    ASSERT_FALSE(layout.Thumb.IsEmpty()) << c.name;
    const int length = layout.Thumb.Width();
    layout.Thumb.left = 17 + c.thumbOffset;
    layout.Thumb.right = layout.Thumb.left + length;
    EXPECT_EQ(cxScrollBarPositionFromThumb(true, c.range, layout), c.position) << c.name;
  }
}

TEST(ScrollBarGeometry, HitTestFindsEachPart) {
  const TcxScrollBarLayout layout = Laid({0, 99, 10, 40});  // thumb 57..67
  struct Case {
    TPoint p;
    TcxScrollBarPart part;
  } cases[] = {{{5, 5}, sbpLineUp},      {{120, 5}, sbpLineDown}, {{60, 5}, sbpThumbnail},
               {{20, 5}, sbpPageUp},     {{100, 5}, sbpPageDown}, {{-1, 5}, sbpNone},
               {{134, 5}, sbpNone}};
  for (const Case& c : cases) EXPECT_EQ(cxScrollBarHitTest(layout, 134, 17, c.p), c.part) << c.p.x;
  // Without a thumb only the arrows answer.
  const TcxScrollBarLayout bare = Laid({5, 5, 1, 5});
  EXPECT_EQ(cxScrollBarHitTest(bare, 134, 17, {60, 5}), sbpNone);
  EXPECT_EQ(cxScrollBarHitTest(bare, 134, 17, {5, 5}), sbpLineUp);
}
