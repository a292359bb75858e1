#include "dialogs/SliderGeometry.h"

#include <gtest/gtest.h>

namespace {

// The default pictures' sizes.
TSliderGeometry Horizontal(int width, int height, int min = 0, int max = 2, int increment = 1) {
  TSliderGeometry g;
  g.Slider = Rect(0, 0, width, height);
  g.ClientHeight = height;
  g.HRuler = {10, 8};
  g.VRuler = {8, 10};
  g.HThumb = {40, 13};
  g.VThumb = {26, 20};
  g.MinValue = min, g.MaxValue = max, g.Increment = increment;
  g.Layout();
  return g;
}

TSliderGeometry Vertical(int width, int height, int min, int max) {
  TSliderGeometry g = Horizontal(width, height, min, max);
  g.Orientation = soVertical;
  g.Layout();
  return g;
}

TEST(SliderGeometry, WorkedExampleOfTheThreeValueSlider) {
  const TSliderGeometry g = Horizontal(217, 40);
  const auto pieces = RulerPieces(205, 10, 2);
  ASSERT_EQ(pieces.size(), 34u);
  EXPECT_EQ(pieces.front(), (TRulerPiece{0, 8, 0}));
  EXPECT_EQ(pieces[1], (TRulerPiece{8, 6, 2}));
  EXPECT_EQ(pieces[32], (TRulerPiece{194, 6, 2}));
  EXPECT_EQ(pieces.back(), (TRulerPiece{200, 5, 5}));
  EXPECT_EQ(g.Ruler, TSize(205, 8));
  EXPECT_EQ(g.ThumbRect, Bounds(6, 6, 20, 13));
  EXPECT_EQ(g.RulerOrigin, TPoint(6, 8));
  EXPECT_EQ(g.TickArea, Rect(6, 20, 211, 39));
  EXPECT_EQ(g.TravelLength(), 185);
  EXPECT_EQ(g.ValueToPixel(1), 98);  // 6 + Round(92.5), halves to even
  EXPECT_EQ(g.Ticks(1, 3, 5), (std::vector<TSliderTick>{{16, 5}, {108, 3}, {201, 5}}));
}

TEST(SliderGeometry, VerticalSliderHasItsMinimumAtTheBottom) {
  const TSliderGeometry g = Vertical(25, 145, -180, 180);
  EXPECT_EQ(g.Ruler, TSize(8, 133));
  EXPECT_EQ(g.ThumbRect, Bounds(6, 6, 13, 20));  // thumb wider than the ruler
  EXPECT_EQ(g.RulerOrigin, TPoint(8, 6));
  EXPECT_EQ(g.TravelLength(), 113);
  EXPECT_EQ(g.ValueToPixel(-180), 6 + 113);
  EXPECT_EQ(g.ValueToPixel(180), 6);
  EXPECT_EQ(g.PixelToValue(6 + 113), -180);
  EXPECT_EQ(g.PixelToValue(6), 180);
  TSliderGeometry moved = g;
  moved.PlaceThumb(60);
  EXPECT_EQ(moved.HitDirection(10, 30), tdIncrease);
  EXPECT_EQ(moved.HitDirection(10, 90), tdDecrease);
  EXPECT_EQ(moved.HitDirection(10, 70), tdNone);
}

TEST(SliderGeometry, KeysStepOnAGridFromZeroWhileDraggingSnapsToAGridFromTheMinimum) {
  TSliderGeometry g = Horizontal(217, 40, 5, 100, 10);
  g.Smooth = false;
  // Drag grid: 5, 15, 25, ... along the travel.
  for (int pixel = g.Start(); pixel <= g.Start() + g.TravelLength(); pixel += 7) {
    const int value = g.PixelToValue(pixel);
    EXPECT_TRUE(value == 100 || (value - 5) % 10 == 0) << value;
  }
  // Key grid: Round(5 / 10) = 0 -> 10, then 20; decrease from 5 gives -10, clamped to 5.
  EXPECT_EQ(g.StepValue(5, tdIncrease), 10);
  EXPECT_EQ(g.StepValue(10, tdIncrease), 20);
  EXPECT_EQ(g.StepValue(5, tdDecrease), 5);
  EXPECT_EQ(g.StepValue(97, tdIncrease), 100);
  EXPECT_EQ(g.StepValue(50, tdToMinimum), 5);
  EXPECT_EQ(g.StepValue(50, tdToMaximum), 100);
}

TEST(SliderGeometry, ZeroTravelAndZeroRangeNeverDivide) {
  struct Case {
    const char* what;
    TSliderGeometry geometry;
  } cases[] = {
      {"zero travel", Horizontal(32, 40, 0, 10)},       // ruler 20 = the thumb's width
      {"no ruler", Horizontal(12, 40, 0, 10)},          // 12 px: empty ruler, negative travel
      {"zero range", Horizontal(217, 40, 7, 7)},
      {"vertical zero travel", Vertical(25, 32, 0, 10)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const TSliderGeometry& g = c.geometry;
    EXPECT_EQ(g.PixelToValue(g.Start() + 50), g.MinValue);
    EXPECT_GE(g.ValueToPixel(g.MaxValue), g.Start());
    EXPECT_EQ(g.SnapThumbPosition(500), g.ValueToPixel(g.MinValue));
    EXPECT_LE(g.Ticks(1, 3, 5).size(), 2u);
  }
  EXPECT_EQ(Horizontal(32, 40, 0, 10).ValueToPixel(10), 6);
  EXPECT_EQ(Horizontal(12, 40).Ruler.cx, 0);
}

TEST(SliderGeometry, RulerPiecesCoverTheLengthEndingWithTheFarEnd) {
  for (int length : {8, 9, 14, 15, 50, 133, 205}) {
    const auto pieces = RulerPieces(length, 10, 2);
    ASSERT_FALSE(pieces.empty());
    const TRulerPiece& last = pieces.back();
    if (pieces.size() > 1) {
      EXPECT_EQ(last.Dest + last.Length, length) << length;
      EXPECT_EQ(last.Source + last.Length, 10) << length;
    }
  }
  EXPECT_TRUE(RulerPieces(0, 10, 2).empty());
}

}  // namespace
