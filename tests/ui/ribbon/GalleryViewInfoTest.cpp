// The laid-out gallery groups and items: the grid placed across a visible band, hit testing, and
// what an item and a header paint through the skin, checked by pixel probes on a DIB section.
#include <gtest/gtest.h>

#include "platform/framework/windows/Forms.h"
#include "tests/support/WindowTestSupport.h"
#include "ui/bars/BarManager.h"
#include "ui/ribbon/gallery/GalleryControlViewInfo.h"
#include "ui/ribbon/gallery/GalleryInRibbonViewInfo.h"
#include "ui/ribbon/gallery/GalleryScrollBar.h"
#include "ui/ribbon/gallery/GalleryViewInfo.h"

namespace {

using window_testing::DibSection;

// Fills each drawn part with a colour made of its part and state.
class ColorSkin : public TObject, public IdxSkin {
 public:
  static TColor ColorOf(int Part, int State) { return TColor(RGB(Part & 0xFF, 30 * State, 0x40)); }
  int _AddRef() override { return 1; }
  int _Release() override { return 1; }
  void DrawBackground(HDC DC, const TRect& R, int Part, int State) override {
    HBRUSH brush = CreateSolidBrush(ColorOf(Part, State));
    RECT r = R;
    FillRect(DC, &r, brush);
    DeleteObject(brush);
  }
  void DrawCaption(HDC, const String&, const TRect&, int, int) override {}
  TRect CaptionBoundsOf(const TRect& R, int) override { return R; }
  TRect ContentMarginsOf(int) override { return {}; }
  String GetSkinName() override { return L""; }
  TColor PartColorOf(int, int) override { return TColor(RGB(0, 0, 0xFF)); }
  int GetPartOffset(int) override { return 0; }
};

// A DIB pixel (0x00RRGGBB) of an RGB colour.
DWORD PixelOf(TColor C) { return (DWORD(GetRValue(C)) << 16) | (DWORD(GetGValue(C)) << 8) | GetBValue(C); }

constexpr TColor kBackground = TColor(RGB(0x10, 0x80, 0x10));

// A form with a bar manager and one gallery; freed after each test.
class GalleryFixture : public testing::Test {
 protected:
  void SetUp() override {
    form = new TForm(nullptr, 0);
    manager = new TdxBarManager(form);
    gallery = new TdxRibbonGalleryItem(form);
  }
  void TearDown() override { FreeAndNil(form); }

  TForm* form = nullptr;
  TdxBarManager* manager = nullptr;
  TdxRibbonGalleryItem* gallery = nullptr;
};

class GalleryViewInfo : public GalleryFixture {
 protected:
  void SetUp() override {
    GalleryFixture::SetUp();
    group = gallery->GalleryGroups()->Add();
    group->Header()->SetCaption(L"Shapes");
    group->Header()->SetVisible(true);
    for (int i = 0; i < 7; ++i) group->Items()->Add()->SetCaption(L"");
    group->Options()->ItemSize()->SetWidth(20);
    group->Options()->ItemSize()->SetHeight(10);
    group->Options()->SetSpaceBetweenItems(2);
    context.Skin = &skin;
    context.PaintBackground = [](HDC DC, const TRect& R) {
      HBRUSH brush = CreateSolidBrush(kBackground);
      RECT r = R;
      FillRect(DC, &r, brush);
      DeleteObject(brush);
    };
  }
  std::unique_ptr<TdxRibbonGalleryGroupViewInfo> Layout(bool ShowHeader, const TRect& Visible, int Top = 0) {
    auto info = std::make_unique<TdxRibbonGalleryGroupViewInfo>(
        group, dib.DC(), TdxRibbonGalleryGroupMetrics{{}, 0, 0, false, ShowHeader});
    info->CalculateBand(dib.DC(), Top, Top + info->GroupHeight(RectWidthOf(Visible)), Visible);
    return info;
  }
  TdxRibbonGalleryGroupItem* ItemAt(int Index) { return group->Items()->ItemAt(Index); }

  TdxRibbonGalleryGroup* group = nullptr;
  ColorSkin skin;
  TdxRibbonGalleryPaintContext context;
  DibSection dib{200, 120};
};

TEST(GalleryItemBackground, StatesByPressedHotAndSelected) {
  struct Case {
    bool pressed, hot, selected;
    int state;
  } cases[] = {
      {true, true, true, 4}, {true, false, false, 4}, {false, true, true, 7},
      {false, true, false, 3}, {false, false, true, 6}, {false, false, false, -1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(GalleryItemBackgroundState(c.pressed, c.hot, c.selected), c.state)
        << c.pressed << c.hot << c.selected;
}

// 7 items of 20 x 10 with 2 pixels between them in 108 pixels: 5 columns, the second row holds 2.
TEST_F(GalleryViewInfo, ItemsFillRowsAndOnlyRowsMeetingTheBandAreLaidOut) {
  auto info = Layout(false, {0, 0, 108, 100});
  EXPECT_EQ(info->GroupHeight(108), 2 * 12 - 2);
  struct Case {
    int index;
    TRect bounds;
  } cases[] = {{0, {0, 0, 20, 10}}, {4, {88, 0, 108, 10}}, {5, {0, 12, 20, 22}}, {6, {22, 12, 42, 22}}};
  for (const Case& c : cases) {
    TdxRibbonGalleryGroupItemViewInfo* item = info->ViewInfoOf(ItemAt(c.index));
    ASSERT_NE(item, nullptr) << c.index;
    EXPECT_EQ(item->Bounds(), c.bounds) << c.index;
  }

  auto secondRowOnly = Layout(false, {0, 12, 108, 100});
  EXPECT_EQ(secondRowOnly->ViewInfoOf(ItemAt(4)), nullptr);
  EXPECT_NE(secondRowOnly->ViewInfoOf(ItemAt(5)), nullptr);
}

TEST_F(GalleryViewInfo, PointsHitItemsButNotTheGapsBetweenThem) {
  std::vector<std::unique_ptr<TdxRibbonGalleryGroupViewInfo>> groups;
  groups.push_back(Layout(false, {0, 0, 108, 100}));
  struct Case {
    TPoint p;
    int index;  // -1: none
  } cases[] = {{{5, 5}, 0}, {{21, 5}, -1}, {{23, 15}, 6}, {{50, 15}, -1}, {{107, 9}, 4}, {{5, 10}, -1}};
  for (const Case& c : cases) {
    TdxRibbonGalleryGroupItemViewInfo* hit = GalleryItemAtPoint(groups, c.p);
    EXPECT_EQ(hit ? hit->Item() : nullptr, c.index < 0 ? nullptr : ItemAt(c.index)) << c.p.x << "," << c.p.y;
  }
}

TEST_F(GalleryViewInfo, HeaderTakesItsStripOnlyWhenVisible) {
  auto shown = Layout(true, {0, 0, 108, 100});
  const int header = shown->HeaderBounds().bottom;
  EXPECT_GT(header, 0);
  EXPECT_EQ(shown->ViewInfoOf(ItemAt(0))->Bounds().top, header);

  group->Header()->SetVisible(false);
  group->Options()->SetSpaceAfterGroupHeader(5);
  auto hidden = Layout(true, {0, 0, 108, 100});
  EXPECT_EQ(hidden->HeaderBounds().bottom, 0);
  EXPECT_EQ(hidden->ViewInfoOf(ItemAt(0))->Bounds().top, 0);
}

TEST_F(GalleryViewInfo, ItemsAndHeaderPaintTheirSkinPartsByState) {
  auto info = Layout(true, {0, 0, 108, 100}, 0);
  gallery->SetSelectedItem(ItemAt(1));
  context.HotItem = ItemAt(2);
  context.PressedItem = ItemAt(3);
  info->Paint(dib.DC(), context);
  const int top = info->HeaderBounds().bottom;
  struct Case {
    const char* what;
    TPoint p;
    TColor color;
  } cases[] = {
      {"plain item", {10, top + 5}, kBackground},
      {"selected item", {32, top + 5}, ColorSkin::ColorOf(3, 6)},
      {"hot item", {54, top + 5}, ColorSkin::ColorOf(3, 3)},
      {"pressed item", {76, top + 5}, ColorSkin::ColorOf(3, 4)},
      {"header strip", {2, 1}, ColorSkin::ColorOf(63, 0)},
  };
  for (const Case& c : cases) EXPECT_EQ(dib.Pixel(c.p.x, c.p.y), PixelOf(c.color)) << c.what;

  context.HotItem = ItemAt(1);
  context.PressedItem = nullptr;
  info->Paint(dib.DC(), context);
  EXPECT_EQ(dib.Pixel(32, top + 5), PixelOf(ColorSkin::ColorOf(3, 7))) << "hot and selected";
  EXPECT_EQ(dib.Pixel(76, top + 5), PixelOf(kBackground)) << "released";
}

TEST_F(GalleryViewInfo, HeaderCaptionIsDrawnInTheSkinTextColourInsideItsIndent) {
  auto info = Layout(true, {0, 0, 200, 100});
  info->Paint(dib.DC(), context);
  const TRect h = info->HeaderBounds();
  bool textInside = false, textInIndent = false;
  for (int y = h.top; y < h.bottom; ++y)
    for (int x = h.left; x < h.right; ++x) {
      if (dib.Pixel(x, y) == PixelOf(ColorSkin::ColorOf(63, 0))) continue;
      (x < GalleryHeaderTextIndent ? textInIndent : textInside) = true;
    }
  EXPECT_TRUE(textInside);
  EXPECT_FALSE(textInIndent);
}

}  // namespace

namespace {

TEST(GalleryScrollBarPainting, EachThirdShowsItsSkinPartInItsState) {
  ColorSkin skin;
  DibSection dib(40, 80);
  TdxInRibbonGalleryScrollBarState state;
  state.CanScrollUp = false;
  state.CanScrollDown = true;
  state.DownPartState = 3;
  state.DropDownHot = true;
  PaintInRibbonGalleryScrollBar(dib.DC(), &skin, {10, 5, 25, 65}, state);
  struct Case {
    const char* what;
    TPoint p;
    TColor color;
  } cases[] = {
      {"up arrow disabled", {17, 10}, ColorSkin::ColorOf(53, 1)},
      {"down arrow pressed", {17, 30}, ColorSkin::ColorOf(54, 4)},
      {"drop-down hot", {17, 60}, ColorSkin::ColorOf(55, 2)},
      {"left of the bar untouched", {5, 30}, TColor(RGB(0, 0, 0))},
  };
  for (const Case& c : cases) EXPECT_EQ(dib.Pixel(c.p.x, c.p.y), PixelOf(c.color)) << c.what;
}

}  // namespace

namespace {

// Two groups in a menu 108 pixels wide: 7 items of 20 x 10 and 3 items of 30 x 14, 2 pixels
// between items, 4 between groups, no headers and no border space.
class GalleryControlViewInfoTest : public GalleryFixture {
 protected:
  void SetUp() override {
    GalleryFixture::SetUp();
    TdxRibbonGalleryOptions* options = gallery->GalleryOptions();
    options->SetSpaceBetweenGroups(4);
    options->SetSpaceBetweenItemsAndBorder(0);
    options->SetSpaceBetweenItems(2);
    AddGroup(7, {20, 10});
    AddGroup(3, {30, 14});
    gallery->OnHotTrackedItemChanged = [this](TdxRibbonGalleryGroupItem* Prev, TdxRibbonGalleryGroupItem* New) {
      hotChanges.push_back({Prev, New});
    };
    info = std::make_unique<TdxRibbonGalleryControlViewInfo>(gallery);
    info->Bounds = {0, 0, 108, 30};
    info->Invalidate = [this](const TRect& R) { invalidated.push_back(R); };
  }
  void TearDown() override {
    info.reset();
    GalleryFixture::TearDown();
  }
  void AddGroup(int Items, TSize Size) {
    TdxRibbonGalleryGroup* group = gallery->GalleryGroups()->Add();
    for (int i = 0; i < Items; ++i) group->Items()->Add();
    group->Options()->ItemSize()->SetWidth(Size.cx);
    group->Options()->ItemSize()->SetHeight(Size.cy);
  }
  TdxRibbonGalleryGroupItem* ItemOf(int Group, int Index) {
    return gallery->GalleryGroups()->GroupAt(Group)->Items()->ItemAt(Index);
  }

  std::unique_ptr<TdxRibbonGalleryControlViewInfo> info;
  std::vector<std::pair<TdxRibbonGalleryGroupItem*, TdxRibbonGalleryGroupItem*>> hotChanges;
  std::vector<TRect> invalidated;
  DibSection dib{120, 40};
};

TEST_F(GalleryControlViewInfoTest, GroupsShareTheLargestItemSizeOnlyWhenAsked) {
  struct Case {
    bool equal;
    TSize firstGroupItem;
    int total;
  } cases[] = {
      {true, {30, 14}, (3 * 16 - 2) + 4 + 14 + 4},  // 3 columns: 3 rows, then 1 row
      {false, {20, 10}, (2 * 12 - 2) + 4 + 14 + 4},  // 5 columns: 2 rows, then 1 row
  };
  for (const Case& c : cases) {
    gallery->GalleryOptions()->SetEqualItemSizeInAllGroups(c.equal);
    info->Calculate(dib.DC(), 0);
    EXPECT_EQ(info->Groups().front()->ItemSize(), c.firstGroupItem) << c.equal;
    EXPECT_EQ(info->TotalContentHeight(), c.total) << c.equal;
  }
}

TEST_F(GalleryControlViewInfoTest, OffsetsMoveTheItemsAndSetTheScrollLimits) {
  // Equal sizes: 68 pixels of content in a 30-pixel window.
  struct Case {
    int offset;
    bool up, down;
    int firstGroupShown;
  } cases[] = {{0, false, true, 0}, {10, true, true, 0}, {34, true, false, 0}, {48, true, false, 1}};
  for (const Case& c : cases) {
    info->Calculate(dib.DC(), c.offset);
    EXPECT_EQ(info->CanScrollUp(), c.up) << c.offset;
    EXPECT_EQ(info->CanScrollDown(), c.down) << c.offset;
    EXPECT_EQ(info->Groups().front()->Group()->Index(), c.firstGroupShown) << c.offset;
  }
  info->Calculate(dib.DC(), 10);
  TdxRibbonGalleryGroupItemViewInfo* hit = info->ItemAtPoint({5, 0});
  ASSERT_NE(hit, nullptr);
  EXPECT_EQ(hit->Item(), ItemOf(0, 0));
  EXPECT_EQ(hit->Bounds().top, -10);
}

TEST_F(GalleryControlViewInfoTest, HotAndPressedItemsRepaintAndReport) {
  info->Calculate(dib.DC(), 0);
  info->SetHotItem(ItemOf(0, 0));
  info->SetPressedItem(ItemOf(0, 1));
  using Change = std::pair<TdxRibbonGalleryGroupItem*, TdxRibbonGalleryGroupItem*>;
  EXPECT_EQ(hotChanges, (std::vector<Change>{{nullptr, ItemOf(0, 0)}, {ItemOf(0, 0), ItemOf(0, 1)}}));
  EXPECT_EQ(info->HotItem(), ItemOf(0, 1)) << "a pressed item becomes hot";
  EXPECT_EQ(invalidated, (std::vector<TRect>{{0, 0, 30, 14}, {32, 0, 62, 14}, {0, 0, 30, 14}, {32, 0, 62, 14}}));

  TdxRibbonGalleryPaintContext context;
  ColorSkin skin;
  context.Skin = &skin;
  info->Paint(dib.DC(), context);
  EXPECT_EQ(dib.Pixel(40, 5), PixelOf(ColorSkin::ColorOf(3, 4)));

  info->ForgetItem(ItemOf(0, 1));
  EXPECT_EQ(info->HotItem(), nullptr);
  EXPECT_EQ(info->PressedItem(), nullptr);
}

}  // namespace

namespace {

TEST(GalleryPlaceholder, RedFrameAndDiagonalsOnWhite) {
  DibSection dib(60, 40);
  DrawGalleryPlaceholder(dib.DC(), {0, 0, 60, 40}, L"");
  const DWORD red = 0xFF0000, white = 0xFFFFFF;
  struct Case {
    const char* what;
    TPoint p;
    DWORD pixel;
  } cases[] = {
      {"frame", {30, 0}, red},     {"frame", {0, 20}, red},         {"frame", {59, 39}, red},
      {"inside", {30, 5}, white},  {"inside", {5, 30}, white},      {"diagonal ends", {1, 1}, red},
      {"diagonal ends", {58, 1}, red},
  };
  for (const Case& c : cases) EXPECT_EQ(dib.Pixel(c.p.x, c.p.y), c.pixel) << c.what << " " << c.p.x << "," << c.p.y;
}

}  // namespace

namespace {

// 7 + 5 items without texts or images (6 pixels wide with their margins), 2 pixels between items,
// in a ribbon content 40 x 26: two rows of 11-pixel items, 5 columns after the 1-pixel indent.
class InRibbonGalleryViewInfoTest : public GalleryFixture {
 protected:
  void SetUp() override {
    GalleryFixture::SetUp();
    gallery->GalleryOptions()->SetSpaceBetweenItemsAndBorder(0);
    gallery->GalleryOptions()->SetSpaceBetweenItems(2);
    for (int count : {7, 5}) {
      TdxRibbonGalleryGroup* group = gallery->GalleryGroups()->Add();
      for (int i = 0; i < count; ++i) group->Items()->Add();
      group->Options()->ItemSize()->SetWidth(20);
      group->Options()->ItemSize()->SetHeight(10);
    }
    info = std::make_unique<TdxInRibbonGalleryControlViewInfo>(gallery);
    info->Bounds = {0, 0, 40, 26};
    info->Scroller().WaitFrame = [] {};
  }
  void TearDown() override {
    info.reset();
    GalleryFixture::TearDown();
  }
  TdxRibbonGalleryGroupItem* ItemOf(int Group, int Index) {
    return gallery->GalleryGroups()->GroupAt(Group)->Items()->ItemAt(Index);
  }
  // The bounds of an item's view info, or an empty rectangle when it is not laid out.
  TRect BoundsOf(TdxRibbonGalleryGroupItem* Item) {
    for (const auto& group : info->Groups())
      if (TdxRibbonGalleryGroupItemViewInfo* view = group->ViewInfoOf(Item)) return view->Bounds();
    return {};
  }

  std::unique_ptr<TdxInRibbonGalleryControlViewInfo> info;
  DibSection dib{60, 40};
};

TEST_F(InRibbonGalleryViewInfoTest, ItemsFlowAcrossGroupsAndScrollByRows) {
  info->Calculate(dib.DC(), 0);
  EXPECT_EQ(info->CommonItemSize(), (TSize{6, 11}));
  EXPECT_EQ(info->Columns(), 5);
  EXPECT_EQ(info->VisibleRows(), 2);
  struct Case {
    int group, index;
    TRect before, after;  // empty: not laid out
  } cases[] = {
      {0, 0, {1, 1, 7, 12}, {}},
      {0, 5, {1, 14, 7, 25}, {1, 1, 7, 12}},
      {1, 0, {17, 14, 23, 25}, {17, 1, 23, 12}},  // the 8th item: third column of the second row
      {1, 4, {}, {9, 14, 15, 25}},
  };
  for (const Case& c : cases) EXPECT_EQ(BoundsOf(ItemOf(c.group, c.index)), c.before) << c.group << "/" << c.index;
  EXPECT_FALSE(info->Scroller().CanScrollUp());
  EXPECT_TRUE(info->Scroller().CanScrollDown());

  info->Calculate(dib.DC(), +1);
  for (const Case& c : cases) EXPECT_EQ(BoundsOf(ItemOf(c.group, c.index)), c.after) << c.group << "/" << c.index;
  EXPECT_TRUE(info->Scroller().CanScrollUp());
  EXPECT_FALSE(info->Scroller().CanScrollDown());
}

TEST_F(InRibbonGalleryViewInfoTest, WithoutShownItemsNothingIsLaidOut) {
  for (int i = 0; i < gallery->GalleryGroups()->Count(); ++i) gallery->GalleryGroups()->GroupAt(i)->SetVisible(false);
  info->Calculate(dib.DC(), +1);
  EXPECT_TRUE(info->Groups().empty());
  EXPECT_FALSE(info->Scroller().CanScrollDown());
}

}  // namespace
