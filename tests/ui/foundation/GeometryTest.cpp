// Rectangle routines by family, and the rectangle and size persistents.

#include <gtest/gtest.h>

#include "ui/foundation/Geometry.h"

namespace {

::testing::AssertionResult Same(const TRect& a, const TRect& b) {
  if (a == b) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << a.left << "," << a.top << "," << a.right << "," << a.bottom << " != " << b.left
                                       << "," << b.top << "," << b.right << "," << b.bottom;
}

TEST(Geometry, IntersectionAndUnion) {
  struct Case {
    TRect A, B;
    bool Overlaps;
    TRect Overlap, Union;
  } cases[] = {
      {{0, 0, 10, 10}, {5, 5, 20, 20}, true, {5, 5, 10, 10}, {0, 0, 20, 20}},
      {{0, 0, 10, 10}, {10, 0, 20, 10}, false, {0, 0, 0, 0}, {0, 0, 20, 10}},  // touching edges
      {{5, 5, 8, 8}, {0, 0, 0, 0}, false, {0, 0, 0, 0}, {5, 5, 8, 8}},        // empty B: A
      {{0, 0, 0, 0}, {5, 5, 8, 8}, false, {0, 0, 0, 0}, {5, 5, 8, 8}},        // empty A: B, not the origin
      {{3, 3, 3, 9}, {0, 0, 0, 0}, false, {0, 0, 0, 0}, {3, 3, 3, 9}},        // both empty: A unchanged
  };
  for (const Case& c : cases) {
    TRect overlap{1, 1, 1, 1};
    EXPECT_EQ(IntersectRectsOf(c.A, c.B, overlap), c.Overlaps);
    EXPECT_TRUE(Same(overlap, c.Overlap));
    EXPECT_TRUE(Same(UnionRectsOf(c.A, c.B), c.Union));
  }
}

TEST(Geometry, DerivedRectangles) {
  const TRect r{10, 20, 40, 60};
  struct Case {
    const char* Name;
    TRect Got, Expected;
  } cases[] = {
      {"InflateRectBy", InflateRectBy(r, 2, -3), {8, 23, 42, 57}},
      {"InflateRectSides", InflateRectSides(r, 1, 2, 3, 4), {9, 18, 43, 64}},
      {"DeflateRectByMargins", DeflateRectByMargins(r, {1, 2, 3, 4}), {11, 22, 37, 56}},
      {"OffsetRectBy", OffsetRectBy(r, -10, 5), {0, 25, 30, 65}},
      {"OffsetRectByPoint", OffsetRectByPoint(r, {1, 1}), {11, 21, 41, 61}},
      {"ShiftRectX", ShiftRectX(r, 5), {15, 20, 45, 60}},
      {"NegateRect", NegateRect(r), {-10, -20, -40, -60}},
      {"TransposeRect", TransposeRect(r), {20, 10, 60, 40}},
      {"RectWithWidth", RectWithWidth(r, 5), {10, 20, 15, 60}},
      {"RectWithHeight", RectWithHeight(r, 5), {10, 20, 40, 25}},
      {"RectWithLeftAt", RectWithLeftAt(r, 0, 7), {0, 20, 7, 60}},
      {"RectSpanAt", RectSpanAt(r, 0, 7), {0, 20, 7, 60}},
      {"MoveRectToX", MoveRectToX(r, 100), {100, 20, 130, 60}},
      {"RectWithRightAt", RectWithRightAt(r, 100, 7), {93, 20, 100, 60}},
      {"RectWithTopAt", RectWithTopAt(r, 0, 7), {10, 0, 40, 7}},
      {"RectWithBottomAt", RectWithBottomAt(r, 0, 7), {10, -7, 40, 0}},
      {"RectFromBounds", RectFromBounds(1, 2, 3, 4), {1, 2, 4, 6}},
      {"CenterWHInRect", CenterWHInRect({0, 0, 10, 10}, 5, 5), {2, 2, 7, 7}},
      {"CenterWHInRect wider", CenterWHInRect({0, 0, 10, 10}, 13, 3), {-1, 3, 12, 6}},
      {"CenterSizeInRect", CenterSizeInRect({0, 0, 10, 10}, {4, 4}), {3, 3, 7, 7}},
  };
  for (const Case& c : cases) EXPECT_TRUE(Same(c.Got, c.Expected)) << c.Name;
}

TEST(Geometry, TestsAndPoints) {
  const TRect r{0, 0, 10, 5};
  EXPECT_TRUE(RectContainsXY(r, 0, 0));
  EXPECT_FALSE(RectContainsXY(r, 10, 0));
  EXPECT_FALSE(RectContainsPoint(r, {0, 5}));
  EXPECT_TRUE(RectEncloses(r, {0, 0, 10, 5}));
  EXPECT_FALSE(RectEncloses(r, {0, 0, 11, 5}));
  EXPECT_TRUE(RectHasNoArea({5, 0, 5, 9}));
  EXPECT_FALSE(RectHasNoArea(r));
  EXPECT_TRUE(RectIsAllZero({}));
  EXPECT_TRUE(RectsSameSize(r, {7, 7, 17, 12}));
  EXPECT_EQ(RectCenterPoint({-3, -3, 0, 0}), TPoint(-1, -1));
  EXPECT_EQ(BottomLeftOf(r), TPoint(0, 5));
  EXPECT_EQ(TopRightOf(r), TPoint(10, 0));
  EXPECT_EQ(RectSizeOf(r), TSize(10, 5));
  EXPECT_EQ(OffsetPointByPoint({1, 2}, {3, 4}), TPoint(4, 6));
  EXPECT_EQ(NegatePoint({1, -2}), TPoint(-1, 2));
}

TEST(CxRect, SidesAndChanges) {
  TcxRect rect;
  int changes = 0;
  rect.OnChange = [&](TObject*) { ++changes; };
  rect.SetRight(10);
  rect.SetRight(10);
  rect.WriteSide(4, 99);  // no such side
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(rect.ReadSide(7), rect.Bottom());
  TcxRect other;
  other.ChangeRect({1, 2, 3, 4});
  rect.Assign(&other);
  EXPECT_TRUE(rect.EqualsCxRect(other));
  TcxSize foreign;
  rect.Assign(&foreign);  // ignored, no error
  EXPECT_TRUE(rect.EqualsRect({1, 2, 3, 4}));
  EXPECT_EQ(changes, 2);
}

TEST(CxSize, ClampsAndReportsRealChanges) {
  TcxSize size;
  int changes = 0;
  size.OnChange = [&](TObject*) { ++changes; };
  size.ChangeSize(-5, 3);
  EXPECT_EQ(size.Width(), 0);
  EXPECT_EQ(size.Height(), 3);
  size.ChangeSize(0, 3);
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(size.DimensionIsNonZero(1));
  EXPECT_TRUE(size.DimensionIsNonZero(0));
  size.SetWidth(8);
  EXPECT_EQ(SizeFromCxSize(size), TSize(8, 3));
  TcxSize copy;
  copy.Assign(&size);
  EXPECT_TRUE(copy.EqualsCxSize(size));
}

}  // namespace
