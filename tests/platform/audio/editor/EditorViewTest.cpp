#include <gtest/gtest.h>

#include "platform/audio/editor/EditorView.h"

namespace {

struct ZoomCase {
  const char* name;
  std::int64_t start, end;  // the view before
  void (*zoom)(EditorView&);
  std::int64_t expectedStart, expectedEnd;
};

constexpr std::int64_t kLength = 100000;

TEST(EditorView, ZoomsStayInsideTheDocumentAndAboveTheMinimumSpan) {
  const ZoomCase cases[] = {
      {"zoom out doubles around the centre", 40000, 50000, [](EditorView& v) { v.ZoomOut(kLength); }, 35000, 55000},
      {"zoom out at the start keeps the start", 0, 10000, [](EditorView& v) { v.ZoomOut(kLength); }, 0, 20000},
      {"zoom out past the whole shows the whole", 10000, 90000, [](EditorView& v) { v.ZoomOut(kLength); }, 0, kLength},
      {"a range below 8 frames widens around its centre", 0, kLength,
       [](EditorView& v) { v.ZoomToRange(500, 502, kLength); }, 497, 505},
      {"a range past the end is moved inside", 0, kLength, [](EditorView& v) { v.ZoomToRange(99990, 100020, kLength); },
       99970, kLength},
      {"zoom in around a frame keeps it at its place", 0, 1000, [](EditorView& v) { v.ZoomAround(250, 0.5, kLength); },
       125, 625},
      {"scrolling stops at the end", 80000, 90000, [](EditorView& v) { v.ScrollBy(50000, kLength); }, 90000, kLength},
      {"a whole view follows an edit's new length", 0, kLength, [](EditorView& v) { v.FollowLength(kLength, 50000); },
       0, 50000},
      {"a partial view is kept inside a shorter document", 60000, 70000,
       [](EditorView& v) { v.FollowLength(kLength, 65000); }, 55000, 65000},
  };
  for (const ZoomCase& c : cases) {
    EditorView view;
    view.ZoomToRange(c.start, c.end, kLength);
    c.zoom(view);
    EXPECT_EQ(view.Start(), c.expectedStart) << c.name;
    EXPECT_EQ(view.End(), c.expectedEnd) << c.name;
  }
}

TEST(EditorView, VerticalZoomIsHeldBetween5And1000Percent) {
  const int cases[][2] = {{100, 100}, {80, 80}, {5, 5}, {0, 5}, {-100, 5}, {1000, 1000}, {1020, 1000}};
  for (const auto& c : cases) {
    EditorView view;
    view.SetVerticalZoom(c[0]);
    EXPECT_EQ(view.VerticalZoom(), c[1]) << c[0];
  }
}

}  // namespace
