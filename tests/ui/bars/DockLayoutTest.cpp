// Dock-row fitting, drop zones, toolbar wrapping and arrangement, and popup placement, on measures
// given by the tests.

#include <gtest/gtest.h>

#include "ui/bars/BarControl.h"
#include "ui/bars/DockControl.h"

namespace {

struct Column {
  int Min, Full, Pos;
};
struct Placed {
  int Along, Length;
  bool Truncated;
};

std::vector<TdxDockFitColumn> Columns(std::initializer_list<Column> List) {
  std::vector<TdxDockFitColumn> columns;
  for (const Column& c : List) {
    TdxDockFitColumn column;
    column.MinLength = c.Min;
    column.FullLength = c.Full;
    column.Pos = c.Pos;
    column.OneRowThickness = 22;
    column.ThicknessFor = [](int) { return 22; };
    columns.push_back(column);
  }
  return columns;
}

std::vector<Placed> Results(const std::vector<TdxDockFitColumn>& Columns) {
  std::vector<Placed> placed;
  for (const auto& c : Columns) placed.push_back({c.Along, c.Length, c.Truncated});
  return placed;
}

bool operator==(const Placed& A, const Placed& B) {
  return A.Along == B.Along && A.Length == B.Length && A.Truncated == B.Truncated;
}
std::ostream& operator<<(std::ostream& Out, const Placed& P) {
  return Out << "{" << P.Along << ", " << P.Length << (P.Truncated ? ", truncated}" : "}");
}

TEST(DockRowFit, ThreeToolbarsKeepTheirPlacesWhenTheyFitAndShrinkFromTheEndWhenNot) {
  struct Case {
    const char* Name;
    std::vector<Column> Input;
    int Length;
    std::vector<Placed> Expected;
  };
  const std::vector<Case> cases = {
      {"fits: places kept", {{30, 100, 0}, {30, 80, 120}, {30, 60, 230}}, 300, {{0, 100, false}, {120, 80, false}, {230, 60, false}}},
      {"fits: pushed left only as far as needed",
       {{30, 100, 0}, {30, 80, 120}, {30, 60, 250}},
       300,
       {{0, 100, false}, {120, 80, false}, {240, 60, false}}},
      {"fits: a place inside the one before is pushed behind it",
       {{30, 100, 0}, {30, 80, 50}, {30, 60, 100}},
       300,
       {{0, 100, false}, {100, 80, false}, {180, 60, false}}},
      {"too long: the last ones shortened, the last reaching the end",
       {{30, 100, 0}, {30, 80, 120}, {30, 60, 250}},
       200,
       {{0, 100, false}, {100, 70, true}, {170, 30, true}}},
      {"too long: never below the minimal lengths",
       {{50, 100, 0}, {50, 80, 120}, {50, 60, 250}},
       200,
       {{0, 100, false}, {100, 50, true}, {150, 50, true}}},
      {"too long: the first toolbar takes what remains",
       {{30, 100, 0}, {30, 80, 0}, {30, 60, 0}},
       200,
       {{0, 60, true}, {60, 80, false}, {140, 60, false}}},
  };
  for (const Case& c : cases) {
    std::vector<TdxDockFitColumn> columns = Columns({c.Input[0], c.Input[1], c.Input[2]});
    EXPECT_EQ(FitDockRow(columns, c.Length, 5, false, -1), 22) << c.Name;
    EXPECT_EQ(Results(columns), c.Expected) << c.Name;
    for (const auto& column : columns) {
      EXPECT_EQ(column.Across, 5) << c.Name;
      EXPECT_GE(column.Length, column.MinLength) << c.Name;
    }
  }
}

TEST(DockRowFit, AutoAlignPacksTheRowAndRestSpaceFillsUpToTheNextToolbar) {
  std::vector<TdxDockFitColumn> packed = Columns({{30, 100, 0}, {30, 80, 120}, {30, 60, 250}});
  FitDockRow(packed, 300, 0, true, -1);
  EXPECT_EQ(Results(packed), (std::vector<Placed>{{0, 100, false}, {100, 80, false}, {180, 60, false}}));

  std::vector<TdxDockFitColumn> rest = Columns({{30, 100, 0}, {30, 80, 120}, {30, 60, 250}});
  rest[1].UseRestSpace = true;
  FitDockRow(rest, 300, 0, false, -1);
  // The middle one starts behind the first and reaches the last one's place.
  EXPECT_EQ(Results(rest), (std::vector<Placed>{{0, 100, false}, {100, 140, false}, {240, 60, false}}));
}

TEST(DockRowFit, AWholeRowToolbarTakesTheRowAndWrapsToItsThickness) {
  std::vector<TdxDockFitColumn> columns = Columns({{40, 500, 30}});
  columns[0].WholeRow = true;
  columns[0].CanWrap = true;
  columns[0].FrameAcross = 4;
  columns[0].ThicknessFor = [](int Length) { return Length >= 500 ? 22 : 44; };
  EXPECT_EQ(FitDockRow(columns, 300, 0, false, -1), 48);
  EXPECT_EQ(Results(columns), (std::vector<Placed>{{0, 300, false}}));

  std::vector<TdxDockFitColumn> single = Columns({{40, 500, 30}});
  single[0].WholeRow = true;
  FitDockRow(single, 300, 0, false, -1);
  EXPECT_TRUE(single[0].Truncated) << "a toolbar that cannot wrap is cut";
}

TEST(DockRowGeometry, ThePointsAcrossATopSiteAskForRowsAndNewRows) {
  TdxDockRowGeometry top;
  top.Rows = {{0, 26}};
  top.ClientExtent = 26;
  struct Case {
    int Y, Row;
    bool NewRow;
  };
  // Z = 23, S = 9: before the first row [-23, 0) with the strip [-14, -9); row 0 [0, 26) with the
  // strip [9, 14); after it [26, 49).
  for (const Case& c : std::vector<Case>{{10, 1, true},
                                         {3, 0, false},
                                         {20, 1, true},
                                         {30, 1, true},
                                         {-12, 0, true},
                                         {-5, 0, false},
                                         {-20, 0, true},
                                         {80, 1, true}}) {
    bool newRow = false;
    EXPECT_EQ(top.RowIndexAt(c.Y, newRow), c.Row) << "y = " << c.Y;
    EXPECT_EQ(newRow, c.NewRow) << "y = " << c.Y;
  }
  TdxDockRowGeometry empty;
  bool newRow = false;
  EXPECT_EQ(empty.RowIndexAt(50, newRow), 0);
  EXPECT_TRUE(newRow);
}

TEST(DockRowGeometry, AFarSiteCountsItsStripsFromTheFarEdge) {
  TdxDockRowGeometry bottom;
  bottom.FarSide = true;
  bottom.Rows = {{4, 30}};
  bottom.ClientExtent = 30;
  int lo, hi;
  bottom.RowBand(0, 1, lo, hi);
  EXPECT_EQ(lo, 16);
  EXPECT_EQ(hi, 21);
  bottom.RowBand(-1, 0, lo, hi);
  EXPECT_EQ(lo, -19);
  bool newRow = false;
  EXPECT_EQ(bottom.RowIndexAt(18, newRow), 1);
  EXPECT_TRUE(newRow);
  EXPECT_EQ(bottom.RowIndexAt(0, newRow), 0);
  EXPECT_FALSE(newRow);
}

std::vector<TdxToolbarLayoutItem> Items(std::initializer_list<std::tuple<int, int, bool>> List) {
  std::vector<TdxToolbarLayoutItem> items;
  for (const auto& [along, across, group] : List) {
    TdxToolbarLayoutItem item;
    item.Along = along;
    item.Across = across;
    item.BeginGroup = group;
    items.push_back(item);
  }
  return items;
}

TEST(ToolbarWrapping, AGroupThatDoesNotFitMovesToTheNextRowAsAWhole) {
  auto items = Items({{30, 20, false}, {30, 20, false}, {30, 20, true}, {30, 20, false}, {30, 20, true}});
  TSize size{0, 0};
  WrapToolbarItems(items, 100, 6, size);
  std::vector<bool> breaks;
  for (const auto& item : items) breaks.push_back(item.LineBreakBefore);
  EXPECT_EQ(breaks, (std::vector<bool>{false, false, true, false, false}));
  EXPECT_EQ(size.cx, 96);
  EXPECT_EQ(size.cy, 46);

  ArrangeToolbarItems(items, true, false, 100, 0, 100, 6);
  const std::vector<TRect> expected = {{0, 0, 30, 20}, {30, 0, 60, 20}, {0, 26, 30, 46}, {30, 26, 60, 46},
                                       {66, 26, 96, 46}};
  for (size_t i = 0; i < items.size(); ++i) EXPECT_EQ(items[i].Rect, expected[i]) << "item " << i;
  EXPECT_TRUE(items[1].LastInRow);
  EXPECT_TRUE(items[4].LastInRow);
}

TEST(ToolbarWrapping, AGroupThatBeginsTheRowStaysAndARowWithoutGroupsBreaksAtTheItem) {
  // The group of b and c moves to the second row as a whole; d, in no group, breaks by itself.
  auto items = Items({{40, 20, false}, {40, 20, true}, {40, 20, false}, {40, 20, false}});
  TSize size{0, 0};
  WrapToolbarItems(items, 90, 6, size);
  std::vector<bool> breaks;
  for (const auto& item : items) breaks.push_back(item.LineBreakBefore);
  EXPECT_EQ(breaks, (std::vector<bool>{false, true, false, true}));
  EXPECT_EQ(size.cy, 20 + 6 + 20 + 20);
}

TEST(ToolbarArrangement, OneRowEndsBeforeTheFirstItemThatDoesNotFitAndCentresAcross) {
  auto items = Items({{30, 20, false}, {30, 16, false}, {30, 20, false}});
  EXPECT_EQ(ArrangeToolbarItems(items, false, false, 70, 24, 70, 6), 2);
  EXPECT_EQ(items[0].Rect, (TRect{0, 2, 30, 22}));
  EXPECT_EQ(items[1].Rect, (TRect{30, 4, 60, 20}));
  EXPECT_TRUE(items[1].LastInRow);

  auto longFirst = Items({{30, 20, false}});
  EXPECT_EQ(ArrangeToolbarItems(longFirst, false, false, 10, 20, 10, 6), 1) << "the first item is always placed";

  auto vertical = Items({{20, 30, false}, {20, 24, true}});
  EXPECT_EQ(ArrangeToolbarItems(vertical, false, true, 100, 30, 30, 6), 2);
  EXPECT_EQ(vertical[0].Rect, (TRect{0, 0, 30, 20}));
  EXPECT_EQ(vertical[1].Rect, (TRect{3, 26, 27, 46}));
}

TEST(ToolbarArrangement, AnAlignedLastItemMovesOrStretchesWithinTheAvailableLength) {
  struct Case {
    TdxBarItemAlign Align;
    int MinAlong;
    bool Vertical;
    TRect Expected;
  };
  // Two items of 30 in 100 (thickness 20): the second one aligned.
  const Case cases[] = {
      {iaLeft, 0, false, {30, 0, 60, 20}},   {iaCenter, 0, false, {50, 0, 80, 20}},
      {iaRight, 0, false, {70, 0, 100, 20}}, {iaClient, 0, false, {30, 0, 100, 20}},
      {iaClient, 90, false, {30, 0, 120, 20}}, {iaRight, 0, true, {0, 70, 20, 100}},
  };
  for (const Case& c : cases) {
    auto items = Items({{30, 20, false}, {30, 20, false}});
    items[1].Align = c.Align;
    items[1].MinAlong = c.MinAlong;
    EXPECT_EQ(ArrangeToolbarItems(items, false, c.Vertical, 100, 20, 20, 6), 2);
    EXPECT_EQ(items[1].Rect, c.Expected) << "align " << c.Align << " min " << c.MinAlong;
    EXPECT_EQ(items[1].Aligned, c.Align != iaLeft);
  }
  // An aligned item takes the rest of its row: the next item does not fit after it.
  auto three = Items({{30, 20, false}, {30, 20, false}, {10, 20, false}});
  three[1].Align = iaCenter;
  EXPECT_EQ(ArrangeToolbarItems(three, false, false, 100, 20, 100, 6), 2);
}

TEST(ToolbarArrangement, AVerticalMultiLineBarFillsColumnsFromTheRightEdge) {
  auto items = Items({{20, 30, false}, {20, 30, false}, {20, 30, false}});
  TSize size{0, 0};
  WrapToolbarItems(items, 45, 6, size);
  ArrangeToolbarItems(items, true, true, 45, 0, 70, 6);
  EXPECT_EQ(items[0].Rect, (TRect{40, 0, 70, 20}));
  EXPECT_EQ(items[1].Rect, (TRect{40, 20, 70, 40}));
  EXPECT_EQ(items[2].Rect, (TRect{10, 0, 40, 20}));
}

TEST(ToolbarPopupPlacement, OpensBelowOrBesideAndTurnsAtTheWorkAreaEdges) {
  const TRect work{0, 0, 800, 600};
  const TSize size{80, 60};
  struct Case {
    const char* Name;
    TRect Owner;
    bool Vertical;
    TPoint Expected;
  };
  for (const Case& c : std::vector<Case>{
           {"below", {100, 100, 150, 120}, false, {100, 120}},
           {"above near the bottom", {100, 560, 150, 580}, false, {100, 500}},
           {"pushed left near the right edge", {760, 100, 790, 120}, false, {720, 120}},
           {"pushed right at the left edge", {-30, 100, 20, 120}, false, {0, 120}},
           {"beside a vertical bar", {100, 100, 130, 150}, true, {130, 100}},
           {"to the left near the right edge", {760, 100, 790, 150}, true, {680, 100}},
           {"kept above the bottom", {100, 570, 130, 590}, true, {130, 540}},
       }) {
    EXPECT_EQ(ToolbarPopupPosition(c.Owner, size, c.Vertical, work), c.Expected) << c.Name;
  }
}

}  // namespace
