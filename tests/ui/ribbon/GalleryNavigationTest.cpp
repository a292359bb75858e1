// Keyboard moves over a gallery's grid: arrows within a row and a group, into the neighbouring
// group by span overlap, past either end to the bar window's links or round, and Tab moves.
#include <gtest/gtest.h>

#include "ui/ribbon/gallery/GalleryNavigation.h"

namespace {

// Group 0: 7 items in 5 columns 20 wide (lefts 0, 22, 44, 66, 88); group 1: 3 items 30 wide (0, 32, 64).
TdxRibbonGalleryNavigationGrid Grid(bool HasOtherLinks) {
  return TdxRibbonGalleryNavigationGrid({{7, 5, 0, 20, 2}, {3, 3, 0, 30, 2}}, HasOtherLinks);
}

TEST(GalleryNavigation, ArrowsWrapInTheirRowAndCrossGroupsBySpan) {
  struct Case {
    const char* name;
    TdxRibbonGalleryNavigationItem from;
    TdxRibbonGalleryDirection direction;
    bool otherLinks;
    TdxRibbonGalleryNavigationTarget target;
    TdxRibbonGalleryNavigationItem to;
  };
  const Case cases[] = {
      {"no keyboard item: the first", {}, gdDown, false, gntItem, {0, 0}},
      {"left wraps in its row", {0, 5}, gdLeft, false, gntItem, {0, 6}},
      {"left from the first column of row 0", {0, 0}, gdLeft, false, gntItem, {0, 4}},
      {"right wraps in a short row", {0, 6}, gdRight, false, gntItem, {0, 5}},
      {"right from a full row's end", {0, 4}, gdRight, false, gntItem, {0, 0}},
      {"up within the group", {0, 6}, gdUp, false, gntItem, {0, 1}},
      {"down within the group", {0, 1}, gdDown, false, gntItem, {0, 6}},
      {"down into the next group by overlap", {0, 2}, gdDown, false, gntItem, {1, 1}},
      {"down from the far right", {0, 4}, gdDown, false, gntItem, {1, 2}},
      {"up into the last row, its last overlapping item", {1, 0}, gdUp, false, gntItem, {0, 6}},
      {"past the last group to the next link", {1, 1}, gdDown, true, gntNextLink, {}},
      {"past the last group round to the first", {1, 1}, gdDown, false, gntItem, {0, 1}},
      {"before the first group to the previous link", {0, 1}, gdUp, true, gntPreviousLink, {}},
      {"before the first group round to the last", {0, 1}, gdUp, false, gntItem, {1, 1}},
  };
  for (const Case& c : cases) {
    const TdxRibbonGalleryNavigationResult r = Grid(c.otherLinks).Navigate(c.from, c.direction);
    EXPECT_EQ(r.Target, c.target) << c.name;
    if (c.target == gntItem) {
      EXPECT_EQ(r.Item, c.to) << c.name;
    }
  }
}

TEST(GalleryNavigation, TouchingSpansOverlapAndZeroColumnsCountAsOne) {
  // Group 1's only item starts where the current item ends.
  TdxRibbonGalleryNavigationGrid touching({{1, 1, 0, 20, 0}, {1, 1, 20, 20, 0}}, false);
  EXPECT_EQ(touching.Navigate({0, 0}, gdDown).Item, (TdxRibbonGalleryNavigationItem{1, 0}));
  TdxRibbonGalleryNavigationGrid noColumns({{3, 0, 0, 0, 0}}, false);
  EXPECT_EQ(noColumns.Navigate({0, 0}, gdDown).Item, (TdxRibbonGalleryNavigationItem{0, 1}));
  EXPECT_EQ(noColumns.Navigate({0, 2}, gdDown).Item, (TdxRibbonGalleryNavigationItem{0, 0}));
  // No shown group with items: nothing happens.
  TdxRibbonGalleryNavigationGrid empty({}, true);
  EXPECT_EQ(empty.Navigate({}, gdDown).Target, gntNone);
  EXPECT_EQ(empty.TabMove({}, false).Target, gntNone);
}

TEST(GalleryNavigation, TabMovesThroughItemsThenGroupsThenLinks) {
  struct Case {
    TdxRibbonGalleryNavigationItem from;
    bool shift, otherLinks;
    TdxRibbonGalleryNavigationTarget target;
    TdxRibbonGalleryNavigationItem to;
  };
  const Case cases[] = {
      {{0, 2}, false, false, gntItem, {0, 3}},
      {{0, 6}, false, false, gntItem, {1, 0}},
      {{1, 2}, false, true, gntNextLink, {}},
      {{1, 2}, false, false, gntItem, {0, 0}},
      {{1, 0}, true, false, gntItem, {0, 6}},
      {{0, 0}, true, true, gntPreviousLink, {}},
      {{0, 0}, true, false, gntItem, {1, 2}},
      {{}, false, false, gntItem, {0, 1}},  // from the first item
  };
  for (const Case& c : cases) {
    const TdxRibbonGalleryNavigationResult r = Grid(c.otherLinks).TabMove(c.from, c.shift);
    EXPECT_EQ(r.Target, c.target) << c.from.Group << "," << c.from.Index << " shift " << c.shift;
    if (c.target == gntItem) {
      EXPECT_EQ(r.Item, c.to) << c.from.Group << "," << c.from.Index;
    }
  }
  EXPECT_EQ(Grid(false).Last().Item, (TdxRibbonGalleryNavigationItem{1, 2}));
}

TEST(GalleryNavigation, PagesMoveLessThanTheVisibleHeight) {
  // Eight rows of 20 pixels, 5 items each, in one group; 50 pixels visible.
  std::vector<TdxRibbonGalleryPageRow> rows;
  for (int r = 0; r < 8; ++r) rows.push_back({r * 20, r * 20 + 18, {0, r * 5}, {0, r * 5 + 4}});
  struct Case {
    const char* name;
    int startRow;
    bool down;
    TdxRibbonGalleryNavigationItem to;
    bool keepHeaderHidden;
  };
  const Case cases[] = {
      {"down: two rows on", 1, true, {0, 3 * 5 + 4}, false},
      {"down near the end: the last item", 6, true, {0, 39}, false},
      {"up: two rows back, header kept hidden", 5, false, {0, 3 * 5}, true},
      {"up near the start: the first item", 1, false, {0, 0}, false},
  };
  for (const Case& c : cases) {
    const TdxRibbonGalleryPageRow& start = rows[size_t(c.startRow)];
    const TdxRibbonGalleryPageMove move = GalleryPageMove(rows, c.startRow, start.Top, start.Bottom, 50, c.down);
    EXPECT_EQ(move.Item, c.to) << c.name;
    EXPECT_EQ(move.KeepHeaderHidden, c.keepHeaderHidden) << c.name;
  }
}

}  // namespace

