// The group layout calculator over fake items and a fake group: columns and rows, button groups,
// separators, minimum width, alignment, the reduction steps and the button-group codes.

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "ui/ribbon/GroupLayout.h"

namespace {

constexpr int kRowHeight = 22;
constexpr int kHeight = 3 * kRowHeight;

struct FakeGallery : IdxRibbonMultiColumnItem {
  int _AddRef() override { return -1; }
  int _Release() override { return -1; }
  bool CanCollapse() override { return canCollapse; }
  bool Collapsed() override { return collapsed; }
  int ColumnCount() override { return columns; }
  int MaxColumnCount() override { return maxColumns; }
  int MinColumnCount() override { return minColumns; }
  int GetWidth(int AColumnCount) override { return columnWidth * AColumnCount; }
  void SetCollapsed(bool Value) override { collapsed = Value; }
  void SetColumnCount(int Value) override { columns = Value; }
  bool canCollapse = true, collapsed = false;
  int columns = 1, maxColumns = 5, minColumns = 2, columnWidth = 30;
};

struct FakeItem : IdxBarItemControlViewInfo {
  int _AddRef() override { return -1; }
  int _Release() override { return -1; }
  TdxBarItemAlign GetAlign() override { return align; }
  TdxBarItemViewLevels GetAllowedViewLevels() override { return allowed; }
  TRect GetBounds() override { return bounds; }
  void SetBounds(const TRect& R) override { bounds = R; }
  void SetColumnRowCount(int Value) override { columnRowCount = Value; }
  TdxBarItemPosition GetPosition() override { return position; }
  TdxBarButtonGroupPosition GetPositionInButtonGroup() override { return buttonGroup; }
  int GetButtonGroupPosition() override { return code; }
  void SetButtonGroupPosition(int Value) override { code = Value; }
  int GetRow() override { return row; }
  void SetRow(int Value) override { row = Value; }
  TdxBarItemViewLevel GetViewLevel() override { return level; }
  void SetViewLevel(TdxBarItemViewLevel Value) override { level = Value; }
  TdxBarItemViewLevel GetButtonGroupViewLevel() override { return buttonGroupLevel; }
  int GetWidth(TdxBarItemViewLevel Level) override {
    // As the bar manager's view infos do: a level outside the allowed set is a caller's fault.
    if (Level > ivlControlOnly || !allowed.Contains(Level)) throw std::logic_error("Testing! The level is not allowed");
    if (gallery && !gallery->collapsed) return gallery->GetWidth(gallery->columns);
    return widths[Level];
  }
  bool GetBeginGroup() override { return beginGroup; }
  bool IsMultiColumn(bool CheckCollapsed, IdxRibbonMultiColumnItem*& Item) override {
    Item = gallery.get();
    return gallery && !(CheckCollapsed && gallery->collapsed);
  }
  void FinishLayout() override { ++finished; }

  TdxBarItemAlign align = iaLeft;
  TdxBarItemViewLevels allowed;
  int widths[4] = {};
  TRect bounds{};
  TdxBarItemPosition position = ipBeginsNewRow;
  TdxBarButtonGroupPosition buttonGroup = bgpNone;
  TdxBarItemViewLevel buttonGroupLevel = ivlSmallIcon;
  bool beginGroup = false;
  int code = -1, row = -1, columnRowCount = -1, finished = 0;
  TdxBarItemViewLevel level = ivlDefault;
  std::unique_ptr<FakeGallery> gallery;
};

struct FakeGroup : IdxRibbonGroupContent {
  int _AddRef() override { return -1; }
  int _Release() override { return -1; }
  void AddSeparator(const TdxBarSeparatorInfo& Info) override { separators.push_back(Info); }
  void RemoveSeparators() override { separators.clear(); }
  void GetContentSize(TSize& Size) override { Size = size; }
  int ItemControlTotal() override { return int(items.size()); }
  void ItemControlLayoutAt(int Index, IdxBarItemControlViewInfo*& Item) override { Item = items[Index].get(); }
  int MinimalWidth() override { return minimalWidth; }
  void GetOffsets(TdxRibbonGroupOffsets& Offsets) override { Offsets = {3, 2, 2}; }
  int GetSeparatorCount() override { return int(separators.size()); }
  void GetSeparatorInfo(int Index, TdxBarSeparatorInfo& Info) override { Info = separators[Index]; }
  void SetContentSize(const TSize& Size) override { size = Size; }
  void SetSeparatorInfo(int Index, const TdxBarSeparatorInfo& Info) override { separators[Index] = Info; }

  std::vector<std::unique_ptr<FakeItem>> items;
  std::vector<TdxBarSeparatorInfo> separators;
  TSize size{};
  int minimalWidth = 0;
};

// A small item: icon with text (width W), icon only (Icon when given).
FakeItem* Small(FakeGroup& g, int W, int Icon = 0) {
  auto item = std::make_unique<FakeItem>();
  item->allowed = Icon ? TdxBarItemViewLevels{ivlSmallIconWithText, ivlSmallIcon} : TdxBarItemViewLevels{ivlSmallIconWithText};
  item->widths[ivlSmallIconWithText] = W;
  item->widths[ivlSmallIcon] = Icon;
  g.items.push_back(std::move(item));
  return g.items.back().get();
}

// A large item that may become small (width W large, Small small).
FakeItem* Large(FakeGroup& g, int W, int SmallWidth = 0) {
  auto item = std::make_unique<FakeItem>();
  item->allowed = SmallWidth ? TdxBarItemViewLevels{ivlLargeIconWithText, ivlSmallIconWithText}
                             : TdxBarItemViewLevels{ivlLargeIconWithText};
  item->widths[ivlLargeIconWithText] = W;
  item->widths[ivlSmallIconWithText] = SmallWidth;
  g.items.push_back(std::move(item));
  return g.items.back().get();
}

// A button-group button: Kind, shown as an icon of width W.
FakeItem* Button(FakeGroup& g, TdxBarButtonGroupPosition Kind, int W) {
  FakeItem* item = Small(g, W * 2, W);
  item->buttonGroup = Kind;
  item->position = ipContinuesRow;
  return item;
}

TRect R(int L, int T, int Rt, int B) { return TRect{L, T, Rt, B}; }

InterfacePtr<TdxRibbonGroupLayoutCalculator> Layout(FakeGroup& g) {
  InterfacePtr<TdxRibbonGroupLayoutCalculator> calc(new TdxRibbonGroupLayoutCalculator(kRowHeight, 3));
  calc->InitLayoutPass(&g);
  calc->ArrangeItemControls(&g);
  return calc;
}

void ExpectBounds(const FakeGroup& g, const std::vector<TRect>& expected) {
  ASSERT_EQ(g.items.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    const TRect r = g.items[i]->bounds;
    EXPECT_EQ(r, expected[i]) << "item " << i << ": (" << r.left << ", " << r.top << ", " << r.right << ", "
                              << r.bottom << ")";
  }
}

// ---- arranging ------------------------------------------------------------------------------------

TEST(GroupLayout, ThreeSmallItemsStackInOneColumnAndAFourthIsCentredInTheNext) {
  FakeGroup g;
  for (int w : {40, 30, 20}) Small(g, w);
  Layout(g);
  ExpectBounds(g, {R(2, 0, 42, 22), R(2, 22, 32, 44), R(2, 44, 22, 66)});
  EXPECT_EQ(g.size, (TSize{44, kHeight}));
  EXPECT_EQ(g.items[2]->columnRowCount, 3);

  Small(g, 25);
  auto calc = Layout(g);
  ExpectBounds(g, {R(2, 0, 42, 22), R(2, 22, 32, 44), R(2, 44, 22, 66), R(42, 22, 67, 44)});
  EXPECT_EQ(g.items[3]->columnRowCount, 1);
  EXPECT_EQ(calc->ItemControlColumns(), (std::vector<int>{0, 0, 0, 1}));
  EXPECT_EQ(g.size.cx, 69);
  for (auto& item : g.items) EXPECT_GE(item->finished, 1);
}

TEST(GroupLayout, TwoRowsOfAColumnAreSpreadWithGapsOfAThirdOfARow) {
  FakeGroup g;
  Small(g, 40);
  Small(g, 40);
  Layout(g);
  // (66 - 44) div 3 = 7: tops 66 - 2 x 29 and 66 - 29.
  ExpectBounds(g, {R(2, 8, 42, 30), R(2, 37, 42, 59)});
}

TEST(GroupLayout, ContinuingItemsShareARowAndNewColumnsAndLargeItemsStartColumns) {
  FakeGroup g;
  Small(g, 30);
  Small(g, 20)->position = ipContinuesRow;
  Small(g, 10);
  Small(g, 15)->position = ipBeginsNewColumn;
  Large(g, 50);
  Small(g, 12);
  Layout(g);
  ExpectBounds(g, {R(2, 8, 32, 30), R(32, 8, 52, 30), R(2, 37, 12, 59), R(52, 22, 67, 44), R(67, 0, 117, 66),
                   R(117, 22, 129, 44)});
  EXPECT_EQ(g.size.cx, 131);
}

TEST(GroupLayout, ButtonGroupMembersTouchWithSpacingBeforeAndAfterTheGroup) {
  FakeGroup g;
  Small(g, 20);
  Button(g, bgpStart, 16);
  Button(g, bgpMember, 16);
  Button(g, bgpMember, 16);
  Small(g, 20)->position = ipContinuesRow;
  Layout(g);
  EXPECT_EQ(g.items[1]->level, ivlSmallIcon);  // a button group starts at its own level
  ExpectBounds(g, {R(2, 22, 22, 44), R(25, 22, 41, 44), R(41, 22, 57, 44), R(57, 22, 73, 44), R(76, 22, 96, 44)});
}

TEST(GroupLayout, AColumnAfterAButtonGroupKeepsTheSpacingFromIt) {
  FakeGroup g;
  Button(g, bgpStart, 20)->position = ipBeginsNewRow;
  Button(g, bgpMember, 20);
  Small(g, 30);
  Small(g, 30);
  Small(g, 10);
  Layout(g);
  // The first column ends with the group at x 40; the next column moves 3 pixels right of it.
  EXPECT_EQ(g.items[4]->bounds, R(45, 22, 55, 44));
  EXPECT_EQ(g.size.cx, 57);
}

TEST(GroupLayout, ABeginGroupLinkPutsASeparatorBeforeIt) {
  FakeGroup g;
  Large(g, 50);
  Large(g, 40)->beginGroup = true;
  Small(g, 20)->beginGroup = true;
  auto calc = Layout(g);
  ASSERT_EQ(g.separators.size(), 2u);
  EXPECT_EQ(g.separators[0].Bounds, R(52, 5, 60, 60));
  EXPECT_EQ(g.separators[0].Kind, 1);
  EXPECT_EQ(g.separators[1].Bounds, R(100, 5, 108, 60));
  ExpectBounds(g, {R(2, 0, 52, 66), R(60, 0, 100, 66), R(108, 22, 128, 44)});
  EXPECT_EQ(calc->ItemControlSeparators(), (std::vector<int>{-1, 0, 1}));
  // Arranged again, the separators are made anew.
  calc->ArrangeItemControls(&g);
  EXPECT_EQ(g.separators.size(), 2u);
}

TEST(GroupLayout, ANarrowGroupIsWidenedToItsMinimumAndItsItemsCentred) {
  struct Case {
    int minimal;
    std::vector<int> widths;
    int width, firstLeft;
  };
  const Case cases[] = {
      {0, {10}, 30, 2 + 8},    // 14 wide: (30 - 14) div 2
      {50, {10}, 50, 2 + 18},  // the caption is wider than 30
      {0, {}, 30, 0},          // no items
      {20, {40}, 44, 2},       // already wide enough
  };
  for (const Case& c : cases) {
    FakeGroup g;
    g.minimalWidth = c.minimal;
    for (int w : c.widths) Small(g, w);
    Layout(g);
    EXPECT_EQ(g.size, (TSize{c.width, kHeight})) << c.minimal;
    if (!g.items.empty()) {
      EXPECT_EQ(g.items[0]->bounds.left, c.firstLeft) << c.minimal;
    }
  }
}

TEST(GroupLayout, ItemsAloneInTheirRowAreAlignedInTheColumn) {
  FakeGroup g;
  Small(g, 40);
  Small(g, 21)->align = iaCenter;
  Small(g, 20)->align = iaRight;
  Layout(g);
  EXPECT_EQ(g.items[1]->bounds, R(11, 22, 32, 44));  // (40 - 21) div 2 = 9
  EXPECT_EQ(g.items[2]->bounds, R(22, 44, 42, 66));

  FakeGroup h;
  Small(h, 40);
  Small(h, 10)->align = iaClient;
  Small(h, 10)->align = iaClient;
  Small(h, 10)->position = ipContinuesRow;  // a shared row keeps its widths
  h.items[3]->align = iaClient;
  Layout(h);
  EXPECT_EQ(h.items[1]->bounds, R(2, 22, 42, 44));
  EXPECT_EQ(h.items[2]->bounds, R(2, 44, 12, 66));
  EXPECT_EQ(h.items[3]->bounds, R(12, 44, 22, 66));
}

TEST(GroupLayout, ButtonGroupCodes) {
  struct Case {
    std::vector<TdxBarButtonGroupPosition> kinds;
    std::vector<bool> beginGroups;  // empty: none
    std::vector<int> codes;
  };
  const Case cases[] = {
      {{bgpStart, bgpMember, bgpMember}, {}, {1, 2, 3}},
      {{bgpStart}, {}, {4}},
      {{bgpStart, bgpStart, bgpMember}, {}, {4, 1, 3}},
      {{bgpMember, bgpMember}, {}, {0, 0}},
      {{bgpNone, bgpMember}, {}, {0, 0}},
      {{bgpStart, bgpMember, bgpMember}, {false, false, true}, {1, 3, 0}},
      {{bgpStart, bgpMember, bgpStart, bgpMember}, {}, {1, 3, 1, 3}},
      {{bgpNone, bgpStart, bgpNone}, {}, {0, 4, 0}},
  };
  for (const Case& c : cases) {
    FakeGroup g;
    std::vector<IdxBarItemControlViewInfo*> list;
    for (size_t i = 0; i < c.kinds.size(); ++i) {
      FakeItem* item = Button(g, c.kinds[i], 10);
      item->beginGroup = !c.beginGroups.empty() && c.beginGroups[i];
      list.push_back(item);
    }
    CalcButtonGroupPositions(list);
    std::vector<int> codes;
    for (auto& item : g.items) codes.push_back(item->code);
    EXPECT_EQ(codes, c.codes);
  }
  // A large-only item is never in a button group.
  FakeGroup g;
  Large(g, 40)->buttonGroup = bgpStart;
  Button(g, bgpMember, 10);
  CalcButtonGroupPositions({g.items[0].get(), g.items[1].get()});
  EXPECT_EQ(g.items[0]->code, 0);
  EXPECT_EQ(g.items[1]->code, 0);
}

// ---- reduction ------------------------------------------------------------------------------------

TEST(GroupLayout, FitsWhenTheColumnsOnBothSidesHaveRoomForOneMoreRow) {
  struct Case {
    int before, after;
    bool fits;
  };
  const Case cases[] = {{0, 0, false}, {1, 0, true}, {0, 1, true}, {1, 1, true}, {2, 0, true},
                        {3, 0, false}, {0, 3, false}, {2, 2, true}, {3, 3, false}, {4, 0, true}};
  TdxRibbonGroupLayoutCalculator calc(kRowHeight, 3);
  for (const Case& c : cases)
    EXPECT_EQ(calc.Fits({nullptr, c.before, c.after}), c.fits) << c.before << ", " << c.after;
}

std::vector<TdxBarItemViewLevel> Levels(const FakeGroup& g) {
  std::vector<TdxBarItemViewLevel> levels;
  for (auto& item : g.items) levels.push_back(item->level);
  return levels;
}

constexpr TdxBarItemViewLevel L = ivlLargeIconWithText;
constexpr TdxBarItemViewLevel S = ivlSmallIconWithText;

TEST(GroupLayout, WholeGroupHeightReductionTurnsTheLastLargeItemsSmallWhileTheyFit) {
  struct Case {
    int large;                                   // large items in a row
    std::vector<TdxBarItemViewLevel> firstStep;  // the levels after the first step
    int steps;                                   // steps until nothing is reduced
  };
  const Case cases[] = {
      {2, {S, S}, 1},
      {3, {S, S, S}, 1},
      {4, {L, S, S, S}, 1},     // the first stays large: a fourth small item would need a column of its own
      {5, {L, L, S, S, S}, 2},  // the second step takes the rest of the sequence without a fit test
  };
  for (const Case& c : cases) {
    FakeGroup g;
    for (int i = 0; i < c.large; ++i) Large(g, 50, 30);
    auto calc = Layout(g);
    calc->InitReductionPass(&g);
    ASSERT_TRUE(calc->ReduceItemControlsViewLevel(&g, 1));
    EXPECT_EQ(Levels(g), c.firstStep) << c.large;
    int steps = 1;
    while (calc->ReduceItemControlsViewLevel(&g, 1)) ++steps;
    EXPECT_EQ(steps, c.steps) << c.large;
  }
}

TEST(GroupLayout, WholeGroupHeightReductionCountsTheSmallItemsAroundALargeOne) {
  FakeGroup g;
  Small(g, 20);
  Large(g, 50, 30);
  Large(g, 50, 30);
  auto calc = Layout(g);
  calc->InitReductionPass(&g);
  ASSERT_EQ(calc->Sequences().size(), 1u);
  EXPECT_EQ(calc->Sequences()[0][0].Before, 1);
  ASSERT_TRUE(calc->ReduceItemControlsViewLevel(&g, 1));
  EXPECT_EQ(Levels(g), (std::vector<TdxBarItemViewLevel>{S, S, S}));
  ExpectBounds(g, {R(2, 0, 22, 22), R(2, 22, 32, 44), R(2, 44, 32, 66)});
  EXPECT_EQ(g.size.cx, 34);

  // Three small items before a large one fill their column: it has no room.
  FakeGroup h;
  for (int i = 0; i < 3; ++i) Small(h, 20);
  Large(h, 50, 30);
  calc = Layout(h);
  calc->InitReductionPass(&h);
  EXPECT_FALSE(calc->ReduceItemControlsViewLevel(&h, 1));
  EXPECT_EQ(h.items[3]->level, L);
}

TEST(GroupLayout, OneRowReductionShrinksOnlyTheItemsThatMakeAColumnWide) {
  FakeGroup g;
  Small(g, 60, 20);
  Small(g, 40);  // no icon-only level
  Small(g, 30, 16);
  auto calc = Layout(g);
  calc->InitReductionPass(&g);
  ASSERT_TRUE(calc->ReduceItemControlsViewLevel(&g, 2));
  EXPECT_EQ(Levels(g), (std::vector<TdxBarItemViewLevel>{ivlSmallIcon, S, S}));
  EXPECT_EQ(g.size.cx, 44);
  // Nothing more narrows the column; the next stage starts again from the right.
  EXPECT_FALSE(calc->ReduceItemControlsViewLevel(&g, 2));
}

TEST(GroupLayout, OneRowReductionKeepsSharedRowsAndWalksColumnsRightToLeft) {
  FakeGroup g;
  Small(g, 60, 20);  // column 0
  Small(g, 30, 16)->position = ipBeginsNewColumn;
  Small(g, 30, 16)->position = ipContinuesRow;  // column 1: a shared row of 60
  Small(g, 50, 20);
  auto calc = Layout(g);
  calc->InitReductionPass(&g);
  ASSERT_TRUE(calc->ReduceItemControlsViewLevel(&g, 2));
  // Column 1's only candidate (50) is not wider than its shared row; column 0 shrinks.
  EXPECT_EQ(Levels(g), (std::vector<TdxBarItemViewLevel>{ivlSmallIcon, S, S, S}));
  EXPECT_FALSE(calc->ReduceItemControlsViewLevel(&g, 2));
}

TEST(GroupLayout, GalleriesLoseColumnsThenCollapse) {
  FakeGroup g;
  Small(g, 20);
  FakeItem* gallery = Large(g, 0);
  gallery->gallery = std::make_unique<FakeGallery>();
  auto calc = Layout(g);
  EXPECT_EQ(gallery->gallery->columns, 5);
  EXPECT_EQ(gallery->bounds, R(22, 0, 172, 66));
  calc->InitReductionPass(&g);
  int decreases = 0;
  while (calc->DecreaseMultiColumnItemColumnCount(&g)) ++decreases;
  EXPECT_EQ(decreases, 3);
  EXPECT_EQ(gallery->bounds, R(22, 0, 82, 66));

  gallery->gallery->canCollapse = false;
  EXPECT_FALSE(calc->CollapseMultiColumnItem(&g));
  gallery->gallery->canCollapse = true;
  EXPECT_TRUE(calc->CollapseMultiColumnItem(&g));
  EXPECT_TRUE(gallery->gallery->collapsed);
  EXPECT_FALSE(calc->CollapseMultiColumnItem(&g));
  EXPECT_FALSE(calc->DecreaseMultiColumnItemColumnCount(&g));

  // A new pass expands it with all its columns.
  calc->InitLayoutPass(&g);
  EXPECT_FALSE(gallery->gallery->collapsed);
  EXPECT_EQ(gallery->gallery->columns, 5);
}

TEST(GroupLayout, AnEmptyGroupHasNothingToReduce) {
  FakeGroup g;
  auto calc = Layout(g);
  calc->InitReductionPass(&g);
  for (int stage : {1, 2, 3}) EXPECT_FALSE(calc->ReduceItemControlsViewLevel(&g, stage));
  EXPECT_FALSE(calc->CollapseMultiColumnItem(&g));
}

}  // namespace
