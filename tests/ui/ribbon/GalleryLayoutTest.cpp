// The gallery's geometry: header heights, group grids, item content, the in-ribbon item size, rows in
// a menu, scrolling an item into view, and the in-ribbon row scrolling with its slide and queue.
#include <gtest/gtest.h>

#include "ui/ribbon/gallery/GalleryLayout.h"
#include "ui/ribbon/gallery/GalleryScrollBar.h"

namespace {

TEST(GalleryLayout, HeaderHeightIsHalfAgainItsTextAtAnyResolution) {
  struct Case {
    bool visible;
    int width, text, space;
    bool withSpace;
    int height;
  };
  const Case cases[] = {
      {true, 100, 28, 0, false, 42},  // a 28-pixel text (192 dpi) gets 42, not 21
      {true, 100, 14, 0, false, 21},
      {true, 100, 13, 4, true, 24},  // 19.5 rounds to 20
      {true, 100, 13, 4, false, 20},
      {false, 100, 13, 4, true, 0},  // a hidden header takes no height, even with space after it
      {true, 0, 13, 4, true, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(GalleryHeaderHeight(c.visible, c.width, c.text, c.space, c.withSpace), c.height)
        << c.text << " " << c.space;
}

TEST(GalleryLayout, GroupGridRowsAndHeights) {
  TdxRibbonGalleryGroupGrid grid;
  grid.ItemCount = 7;
  grid.ItemSize = {20, 16};
  grid.Spacing = 2;
  grid.LeftIndent = 0;
  grid.RightIndent = 1;
  grid.HeaderHeight = 10;
  const int width = 5 * 22 - 2 + 1;  // exactly 5 columns
  EXPECT_EQ(grid.GroupColumnCount(width), 5);
  EXPECT_EQ(grid.GroupColumnCount(width - 1), 4);
  EXPECT_EQ(grid.GroupRowCount(width), 2);
  EXPECT_EQ(grid.ItemsInRow(0, width), 5);
  EXPECT_EQ(grid.ItemsInRow(1, width), 2);
  EXPECT_EQ(grid.GroupHeight(width), 10 + 2 * 18 - 2);
  EXPECT_EQ(grid.ItemLeft(3, 100), 100 + 3 * 22);
  EXPECT_EQ(grid.RowTop(1, 50), 50 + 10 + 18);
  // Narrower than one item: still one column, never a division by zero.
  EXPECT_EQ(grid.GroupColumnCount(5), 1);
  EXPECT_EQ(grid.GroupRowCount(5), 7);
  grid.ItemSize = {0, 16};
  grid.Spacing = 0;
  EXPECT_EQ(grid.GroupColumnCount(width), 0);
  EXPECT_EQ(grid.GroupRowCount(width), 0);
  EXPECT_EQ(grid.GroupHeight(width), 10);
}

TdxRibbonGalleryItemContent Content(TdxRibbonGalleryImagePosition Position, bool Caption, bool Description,
                                    TSize Image) {
  TdxRibbonGalleryItemContent c;
  c.ImagePosition = Position;
  c.CaptionShown = Caption;
  c.DescriptionShown = Description;
  c.CaptionWidth = Caption ? 40 : 0;
  c.CaptionHeight = Caption ? 12 : 0;
  c.DescriptionWidth = Description ? 30 : 0;
  c.DescriptionHeight = Description ? 24 : 0;
  c.NaturalImageSize = Image;
  return c;
}

TEST(GalleryLayout, ItemNeedsRoomForItsImageAndTexts) {
  struct Case {
    const char* name;
    TdxRibbonGalleryItemContent content;
    TSize needed;
  };
  const Case cases[] = {
      {"image left of a caption", Content(gipLeft, true, false, {16, 16}), {40 + 3 + 6 + 16, 16 + 6}},
      {"image right, caption and description", Content(gipRight, true, true, {32, 32}), {40 + 3 + 6 + 32, 12 + 24 + 3 + 6}},
      {"image on top", Content(gipTop, true, false, {16, 16}), {40 + 6, 12 + 3 + 6 + 16}},
      {"image alone", Content(gipBottom, false, false, {16, 16}), {16 + 6, 6 + 16}},
      {"caption alone", Content(gipLeft, true, false, {0, 0}), {40 + 6, 12 + 6}},
  };
  for (const Case& c : cases) EXPECT_EQ(c.content.NeededSize(), c.needed) << c.name;
  // A maximal height lowers the image proportionally, margins taken off.
  TdxRibbonGalleryItemContent limited = Content(gipLeft, false, false, {32, 16});
  limited.MaxImageHeight = 14;
  EXPECT_EQ(limited.ScaledImageSize(), (TSize{16, 8}));
}

TEST(GalleryLayout, ItemRectanglesByImagePosition) {
  const TRect b{0, 0, 100, 40};
  struct Case {
    const char* name;
    TdxRibbonGalleryItemContent content;
    TRect caption, image;
  };
  const Case cases[] = {
      {"left", Content(gipLeft, true, false, {16, 16}), {3 + 16 + 3 + 3, 3, 97, 15}, {3, 12, 19, 28}},
      {"right", Content(gipRight, true, false, {16, 16}), {3, 3, 97 - 22, 15}, {81, 12, 97, 28}},
      {"top", Content(gipTop, true, false, {16, 8}), {3, 3 + 8 + 3 + 3, 97, 29}, {42, 3, 58, 11}},
      {"bottom", Content(gipBottom, true, false, {16, 8}), {3, 3, 97, 15}, {42, 29, 58, 37}},
      {"no caption: the image centred", Content(gipLeft, false, false, {16, 16}), {}, {42, 12, 58, 28}},
      {"no image: the caption centred", Content(gipLeft, true, false, {0, 0}), {3, 14, 97, 26}, {}},
  };
  for (const Case& c : cases) {
    const TdxRibbonGalleryItemRects rects = GalleryItemLayout(c.content, b);
    EXPECT_EQ(rects.Caption, c.caption) << c.name;
    EXPECT_EQ(rects.Image, c.image) << c.name;
  }
  // A description that does not fit the bounds is not shown; an image too large shrinks to the room.
  TdxRibbonGalleryItemContent tall = Content(gipLeft, true, true, {64, 64});
  const TdxRibbonGalleryItemRects rects = GalleryItemLayout(tall, {0, 0, 100, 30});
  EXPECT_EQ(rects.Description, TRect());
  EXPECT_EQ(RectSizeOf(rects.Image), (TSize{24, 24}));
}

TEST(GalleryLayout, InRibbonItemsShareTheRowsOfTheContentHeight) {
  const auto widthAt = [](int Height) { return Height * 2; };
  // 60 pixels, spacing 2, border 1: (60 - 4) div 18 = 3 rows of (60 - 4 - 4) div 3 = 17.
  TdxInRibbonGalleryItemSize size = InRibbonGalleryItemSize({30, 16}, 60, 0, 2, 1, widthAt);
  EXPECT_EQ(size.RowCount, 3);
  EXPECT_EQ(size.Size, (TSize{34, 17}));
  // No content height yet: the base height stands in; an item taller than it still gets one row.
  size = InRibbonGalleryItemSize({30, 80}, 0, 60, 2, 1, widthAt);
  EXPECT_EQ(size.RowCount, 1);
  EXPECT_EQ(size.Size.cy, 56);
}

TEST(GalleryLayout, RowsHeightCountsRowsAcrossGroups) {
  TdxRibbonGalleryGroupGrid a;
  a.ItemCount = 3;
  a.ItemSize = {20, 20};
  a.Spacing = 2;
  a.HeaderHeight = 10;
  TdxRibbonGalleryGroupGrid b = a;
  b.ItemCount = 6;
  const int width = 2 * 22;  // 2 columns
  EXPECT_EQ(GalleryRowsHeight({a, b}, width, 2, 5), 10 + 2 * 22 - 2);
  EXPECT_EQ(GalleryRowsHeight({a, b}, width, 3, 5), (10 + 42) + 5 + (10 + 20));
  EXPECT_EQ(GalleryRowsHeight({a, b}, width, 9, 5), (10 + 42) + 5 + (10 + 3 * 22 - 2));
}

TEST(GalleryLayout, ScrollingAnItemIntoView) {
  struct Case {
    const char* name;
    TdxRibbonGalleryVisibleItem item;
    int offset;
    bool keepHeaderHidden;
    int result;
  };
  const Case cases[] = {
      {"above: its row at the top", {100, 120, 0}, 150, true, 100},
      {"below: its bottom at the content bottom", {300, 320, 0}, 0, true, 220},
      {"inside: unchanged", {30, 50, 0}, 20, true, 20},
      {"above, the header fits: the group's top", {100, 120, 60}, 150, false, 60},
      {"above, the header does not fit", {300, 320, 60}, 350, false, 300},
      {"inside, the header rule", {130, 150, 110}, 120, false, 110},
  };
  for (const Case& c : cases) EXPECT_EQ(GalleryOffsetShowingItem(c.item, c.offset, 100, c.keepHeaderHidden), c.result) << c.name;
}

TEST(GalleryLayout, FilterBandLeavesRoomForItsArrow) {
  const TdxRibbonGalleryFilterBandLayout band = GalleryFilterBandLayout({0, 0, 200, 300}, 13, {2, 3, 2, 4}, 4);
  EXPECT_EQ(band.Band, (TRect{0, 0, 200, 20}));
  EXPECT_EQ(band.Content, (TRect{2, 3, 198, 16}));
  EXPECT_EQ(band.Text, (TRect{13, 3, 198 - 11 - 12, 16}));
  EXPECT_EQ(band.Arrow, (TRect{175 + 5, 7, 175 + 5 + 7, 11}));
  // The arrow stays inside the content, right of the text.
  EXPECT_LE(band.Arrow.right, band.Content.right);
  EXPECT_GT(band.Arrow.left, band.Text.right);
}

// Records the rows laid out at rest (offset top indent + 1) and the frames of the slide.
class FakeSlideHost : public IdxInRibbonGallerySlideHost {
 public:
  void LayoutRows(int FirstRow, int RowCount, int Offset) override {
    if (Offset == 1) shown.push_back(FirstRow);
    else ++frames;
    lastCount = RowCount;
  }
  void ClearLayout() override { cleared = true; }
  void RepaintContent() override {}
  std::vector<int> shown;
  int frames = 0;
  int lastCount = 0;
  bool cleared = false;
};

TEST(GalleryLayout, RowScrollingWithTheSlideAndItsQueue) {
  struct Case {
    const char* name;
    int items;
    int delta;
    std::vector<int> injected;  // requests made from the first frame's wait
    std::vector<int> shown;     // first rows laid out at rest, in order
    bool canScrollDown;
  };
  const Case cases[] = {
      {"at rest: the first two rows", 12, 0, {}, {0}, true},
      {"one step down shows rows 2 and 3", 12, +1, {}, {1}, false},
      {"past the end: nothing moves", 12, +2, {}, {1}, false},
      {"two requests during a step: three rows", 30, +1, {+1, +1}, {1, 2, 3}, true},
      {"an opposite request drops the rest", 30, +2, {-1}, {1, 0}, true},
  };
  for (const Case& c : cases) {
    FakeSlideHost host;
    TdxInRibbonGalleryScroller scroller(&host);
    scroller.SetGrid(c.items, 5, 2, 18, 0);
    std::vector<int> pending = c.injected;
    scroller.WaitFrame = [&] {
      for (int d : pending) scroller.Scroll(d);
      pending.clear();
    };
    scroller.Scroll(c.delta);
    EXPECT_EQ(host.shown, c.shown) << c.name;
    EXPECT_EQ(scroller.CanScrollDown(), c.canScrollDown) << c.name;
    EXPECT_FALSE(scroller.Scrolling()) << c.name;
  }
}

TEST(GalleryLayout, TheSlideMovesThreePixelsAFrameOverOneExtraRow) {
  struct Frame {
    int first, count, offset;
  };
  class Recorder : public IdxInRibbonGallerySlideHost {
   public:
    void LayoutRows(int FirstRow, int RowCount, int Offset) override { frames.push_back({FirstRow, RowCount, Offset}); }
    void ClearLayout() override {}
    void RepaintContent() override {}
    std::vector<Frame> frames;
  } host;
  TdxInRibbonGalleryScroller scroller(&host);
  scroller.SetGrid(20, 5, 2, 9, 2);  // k = 3: four frames
  int waits = 0;
  scroller.WaitFrame = [&] { ++waits; };
  scroller.Scroll(+1);
  std::vector<int> offsets;
  for (const Frame& f : host.frames) offsets.push_back(f.offset);
  EXPECT_EQ(offsets, (std::vector<int>{2, -1, -4, -7, 3}));
  EXPECT_EQ(host.frames[0].count, 3);
  EXPECT_EQ(host.frames.back().first, 1);
  EXPECT_EQ(waits, 4);
  host.frames.clear();
  scroller.Scroll(-1);
  offsets.clear();
  for (const Frame& f : host.frames) offsets.push_back(f.offset);
  EXPECT_EQ(offsets, (std::vector<int>{-7, -4, -1, 2, 3}));
}

TEST(GalleryLayout, ScrollingWithoutItemsClearsTheLayout) {
  FakeSlideHost host;
  TdxInRibbonGalleryScroller scroller(&host);
  scroller.SetGrid(0, 0, 2, 18, 0);
  scroller.Scroll(+1);
  EXPECT_TRUE(host.cleared);
  EXPECT_TRUE(host.shown.empty());
  EXPECT_FALSE(scroller.CanScrollDown());
  // Zero columns count as one: 3 items make 3 rows.
  scroller.SetGrid(3, 0, 2, 18, 0);
  scroller.Scroll(+1);
  EXPECT_EQ(host.shown, (std::vector<int>{1}));
}

TEST(GalleryLayout, AnItemMadeVisibleEndsTheVisibleRows) {
  FakeSlideHost host;
  TdxInRibbonGalleryScroller scroller(&host);
  scroller.SetGrid(30, 5, 2, 18, 0);
  for (auto [item, first] : std::vector<std::pair<int, int>>{{3, 0}, {7, 0}, {12, 1}, {29, 4}}) {
    scroller.MakeItemVisible(item);
    EXPECT_EQ(scroller.FirstRow(), first) << item;
  }
}

}  // namespace

namespace {

TEST(GalleryScrollBar, PartStatesMapToSkinCodesAndNeverFail) {
  const std::pair<int, int> cases[] = {{1, 0}, {2, 2}, {3, 4}, {4, 1}, {0, 0}, {5, 0}, {-1, 0}};
  for (auto [state, code] : cases) EXPECT_EQ(GalleryScrollButtonSkinState(state), code) << state;
}

TEST(GalleryScrollBar, ThreePartsInThirdsWithTheirStates) {
  struct Case {
    const char* name;
    TdxInRibbonGalleryScrollBarState state;
    int up, down, dropDown;
  };
  TdxInRibbonGalleryScrollBarState atTop;
  atTop.CanScrollDown = true;
  TdxInRibbonGalleryScrollBarState hotDown = atTop;
  hotDown.DownPartState = 2;
  hotDown.KeyboardSelected = true;
  TdxInRibbonGalleryScrollBarState pressedMiddle = hotDown;
  pressedMiddle.CanScrollUp = true;
  pressedMiddle.UpPartState = 3;
  pressedMiddle.Designing = true;
  TdxInRibbonGalleryScrollBarState disabled = pressedMiddle;
  disabled.Enabled = false;
  const Case cases[] = {
      {"at the top: up disabled", atTop, 1, 0, 0},
      {"hot down arrow, keyboard on the gallery", hotDown, 1, 2, 2},
      {"pressed up arrow while designing", pressedMiddle, 4, 2, 0},
      {"a disabled bar", disabled, 1, 1, 1},
  };
  for (const Case& c : cases) {
    const auto parts = InRibbonGalleryScrollBarParts(15, 64, c.state);
    EXPECT_EQ(parts[0].SkinState, c.up) << c.name;
    EXPECT_EQ(parts[1].SkinState, c.down) << c.name;
    EXPECT_EQ(parts[2].SkinState, c.dropDown) << c.name;
  }
  const auto parts = InRibbonGalleryScrollBarParts(15, 64, atTop);
  EXPECT_EQ(parts[0].Bounds, (TRect{0, 0, 15, 21}));
  EXPECT_EQ(parts[1].Bounds, (TRect{0, 21, 15, 42}));
  EXPECT_EQ(parts[2].Bounds, (TRect{0, 42, 15, 64}));
  EXPECT_EQ(parts[2].Kind, 2);
}

}  // namespace
