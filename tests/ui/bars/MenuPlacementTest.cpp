// Where a menu window opens: flips to the other side of its anchor or point, pushes into the work
// area, cuts a menu taller than the work area.
#include <gtest/gtest.h>

#include "ui/bars/SubMenuControl.h"

namespace {

struct PlacementCase {
  const char* Name;
  TdxMenuPlacementInput In;
  TdxMenuPlacement Expected;
};

TdxMenuPlacementInput At(int Left, int Top, int W, int H, int AnchorW, int AnchorH, TRect Work = {0, 0, 1000, 800},
                         bool Clip = false) {
  TdxMenuPlacementInput in;
  in.Left = Left;
  in.Top = Top;
  in.Width = W;
  in.Height = H;
  in.AnchorWidth = AnchorW;
  in.AnchorHeight = AnchorH;
  in.WorkArea = Work;
  in.ClipWidth = Clip;
  return in;
}

const PlacementCase kCases[] = {
    {"fits where it is", At(100, 100, 200, 300, 0, 0), {100, 100, 200, 300, false, false}},
    {"point near the right edge opens to the left", At(900, 100, 200, 300, 0, 0), {700, 100, 200, 300, true, false}},
    {"point with no room on either side ends at the right edge", At(150, 100, 200, 300, 0, 0, {0, 0, 300, 800}),
     {100, 100, 200, 300, false, false}},
    {"drop-down near the right edge is pushed left", At(900, 100, 200, 300, 0, 20), {800, 100, 200, 300, false, false}},
    {"sub-menu without room on the right opens left of its item", At(850, 100, 200, 300, 150, 0),
     {500, 100, 200, 300, true, false}},
    {"sub-menu with equal room keeps its side and covers the parent", At(550, 100, 500, 300, 100, 0),
     {500, 100, 500, 300, false, false}},
    {"sub-menu leftwards flips right when that side has more room",
     [] {
       TdxMenuPlacementInput in = At(-150, 100, 200, 300, 100, 0);
       in.HorzDirection = 0;
       return in;
     }(),
     {150, 100, 200, 300, true, false}},
    {"drop-down near the bottom opens above its item", At(100, 700, 200, 300, 0, 20), {100, 380, 200, 300, false, true}},
    {"drop-down with less room above stays below and is cut", At(100, 700, 200, 300, 0, 20, {0, 600, 1000, 800}),
     {100, 700, 200, 100, false, false}},
    {"drop-down flipped above the work area's top is cut there", At(100, 700, 200, 300, 0, 20, {0, 500, 1000, 800}),
     {100, 500, 200, 180, false, true}},
    {"point near the bottom opens upwards", At(100, 700, 200, 200, 0, 0), {100, 500, 200, 200, false, true}},
    {"point without room above ends at the bottom", At(100, 100, 200, 750, 0, 0), {100, 50, 200, 750, false, false}},
    {"sub-menu near the bottom moves up to end there", At(100, 700, 200, 200, 100, 0), {100, 600, 200, 200, false, false}},
    {"menu taller than the work area is cut to it", At(100, 100, 200, 1000, 0, 0), {100, 0, 200, 800, false, false}},
    {"wider than the work area: cut when the menu clips its width", At(900, 100, 1200, 300, 0, 20, {0, 0, 1000, 800}, true),
     {0, 100, 1000, 300, false, false}},
    {"wider than the work area: kept at the left edge otherwise", At(900, 100, 1200, 300, 0, 20),
     {0, 100, 1200, 300, false, false}},
};

TEST(MenuPlacement, TableOfOpenings) {
  for (const PlacementCase& c : kCases) {
    SCOPED_TRACE(c.Name);
    const TdxMenuPlacement p = PlaceMenu(c.In);
    EXPECT_EQ(p.Left, c.Expected.Left);
    EXPECT_EQ(p.Top, c.Expected.Top);
    EXPECT_EQ(p.Width, c.Expected.Width);
    EXPECT_EQ(p.Height, c.Expected.Height);
    EXPECT_EQ(p.FlippedX, c.Expected.FlippedX);
    EXPECT_EQ(p.FlippedY, c.Expected.FlippedY);
  }
}

TEST(MenuPlacement, RandomAnimationFollowsTheDrawnNumber) {
  // Fade never runs the worker; unfold and slide do; 33 / 33 / 34 per hundred.
  RandSeed = 1;
  int counts[5] = {};
  for (int i = 0; i < 3000; ++i) ++counts[ResolveMenuAnimation(maRandom)];
  EXPECT_EQ(counts[maNone] + counts[maRandom], 0);
  EXPECT_NEAR(counts[maUnfold], 990, 120);
  EXPECT_NEAR(counts[maSlide], 990, 120);
  EXPECT_NEAR(counts[maFade], 1020, 120);
  EXPECT_EQ(ResolveMenuAnimation(maFade), maFade);
  EXPECT_EQ(ResolveMenuAnimation(maNone), maNone);
}

}  // namespace
