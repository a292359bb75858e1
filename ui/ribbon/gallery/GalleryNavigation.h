#pragma once
// Keyboard moves over a gallery's grid: arrows (wrapping within a row, crossing into the
// neighbouring group by the horizontal span of the current item), Tab and Shift+Tab, first and
// last. The grid lists only the groups that are shown and hold items; a move past either end asks
// the bar window to select its next or previous link when it has one.

#include <vector>

// One shown group with items, as laid out at the current content width.
struct TdxRibbonGalleryNavigationGroup {
  int ItemCount = 0;
  int Columns = 1;    // at least 1 is used
  int Left = 0;       // x of column 0
  int ItemWidth = 0;
  int Spacing = 0;
};

struct TdxRibbonGalleryNavigationItem {
  int Group = -1;  // position in the grid's list; -1 for none
  int Index = -1;
  bool operator==(const TdxRibbonGalleryNavigationItem&) const = default;
};

enum TdxRibbonGalleryNavigationTarget { gntNone, gntItem, gntNextLink, gntPreviousLink };

struct TdxRibbonGalleryNavigationResult {
  TdxRibbonGalleryNavigationTarget Target = gntNone;
  TdxRibbonGalleryNavigationItem Item;
};

enum TdxRibbonGalleryDirection { gdLeft = 0, gdUp = 1, gdRight = 2, gdDown = 3 };

class TdxRibbonGalleryNavigationGrid {
 public:
  TdxRibbonGalleryNavigationGrid(std::vector<TdxRibbonGalleryNavigationGroup> Groups, bool HasOtherLinks)
      : groups_(std::move(Groups)), hasOtherLinks_(HasOtherLinks) {}

  // From Current (Group -1: none yet, the first item is taken).
  TdxRibbonGalleryNavigationResult Navigate(TdxRibbonGalleryNavigationItem Current, TdxRibbonGalleryDirection Direction) const;
  TdxRibbonGalleryNavigationResult TabMove(TdxRibbonGalleryNavigationItem Current, bool Shift) const;
  TdxRibbonGalleryNavigationResult First() const;
  TdxRibbonGalleryNavigationResult Last() const;

 private:
  int Columns(int Group) const;
  int ItemLeft(int Group, int Index) const;
  TdxRibbonGalleryNavigationResult Found(int Group, int Index) const { return {gntItem, {Group, Index}}; }
  TdxRibbonGalleryNavigationResult ToNeighbour(int Group, int SpanLeft, int SpanRight, bool Down) const;
  // In the group, the first row (down) or last row (up) holding an item that overlaps the span.
  int FindInGroup(int Group, int SpanLeft, int SpanRight, bool Down) const;

  std::vector<TdxRibbonGalleryNavigationGroup> groups_;
  bool hasOtherLinks_;
};

// One row of a menu's scrolled layout, in order across the shown groups.
struct TdxRibbonGalleryPageRow {
  int Top = 0;
  int Bottom = 0;
  TdxRibbonGalleryNavigationItem First;
  TdxRibbonGalleryNavigationItem Last;
};

struct TdxRibbonGalleryPageMove {
  TdxRibbonGalleryNavigationItem Item;
  // Scrolling to it keeps the group header out of view (an upward page that stopped short).
  bool KeepHeaderHidden = false;
};

// A page down (or up) from the start item, in StartRow of Rows, with the visible content height:
// the farthest row whose last (first) item lies less than a page from the start item.
TdxRibbonGalleryPageMove GalleryPageMove(const std::vector<TdxRibbonGalleryPageRow>& Rows, int StartRow, int StartTop,
                                         int StartBottom, int VisibleHeight, bool Down);

