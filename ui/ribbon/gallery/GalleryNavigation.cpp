#include "ui/ribbon/gallery/GalleryNavigation.h"

#include <algorithm>

int TdxRibbonGalleryNavigationGrid::Columns(int Group) const { return std::max(groups_[size_t(Group)].Columns, 1); }

int TdxRibbonGalleryNavigationGrid::ItemLeft(int Group, int Index) const {
  const TdxRibbonGalleryNavigationGroup& g = groups_[size_t(Group)];
  return g.Left + (Index % Columns(Group)) * (g.Spacing + g.ItemWidth);
}

TdxRibbonGalleryNavigationResult TdxRibbonGalleryNavigationGrid::First() const {
  if (groups_.empty()) return {};
  return Found(0, 0);
}

TdxRibbonGalleryNavigationResult TdxRibbonGalleryNavigationGrid::Last() const {
  if (groups_.empty()) return {};
  const int last = int(groups_.size()) - 1;
  return Found(last, groups_.back().ItemCount - 1);
}

TdxRibbonGalleryNavigationResult TdxRibbonGalleryNavigationGrid::Navigate(TdxRibbonGalleryNavigationItem Current,
                                                                          TdxRibbonGalleryDirection Direction) const {
  if (groups_.empty()) return {};
  if (Current.Group < 0 || Current.Group >= int(groups_.size())) return First();
  const int group = Current.Group;
  const int columns = Columns(group);
  const int count = groups_[size_t(group)].ItemCount;
  const int row = Current.Index / columns;
  const int column = Current.Index % columns;
  const int rowStart = row * columns;
  const int rowEnd = std::min(rowStart + columns, count) - 1;
  switch (Direction) {
    case gdLeft:
      return Found(group, column > 0 ? Current.Index - 1 : rowEnd);
    case gdRight:
      return Found(group, Current.Index < rowEnd ? Current.Index + 1 : rowStart);
    case gdUp:
    case gdDown: {
      const bool down = Direction == gdDown;
      if (!down && row > 0) return Found(group, Current.Index - columns);
      if (down && Current.Index + columns < count) return Found(group, Current.Index + columns);
      const int left = ItemLeft(group, Current.Index);
      return ToNeighbour(group, left, left + groups_[size_t(group)].ItemWidth, down);
    }
  }
  return {};
}

int TdxRibbonGalleryNavigationGrid::FindInGroup(int Group, int SpanLeft, int SpanRight, bool Down) const {
  const int columns = Columns(Group);
  const int count = groups_[size_t(Group)].ItemCount;
  const int rows = (count + columns - 1) / columns;
  const int width = groups_[size_t(Group)].ItemWidth;
  for (int r = 0; r < rows; ++r) {
    const int row = Down ? r : rows - 1 - r;
    const int first = row * columns;
    const int last = std::min(first + columns, count) - 1;
    for (int k = 0; k <= last - first; ++k) {
      const int index = Down ? first + k : last - k;
      const int left = ItemLeft(Group, index);
      // Spans overlap when they share a point; equal spans count.
      if (left <= SpanRight && SpanLeft <= left + width) return index;
    }
  }
  return -1;
}

TdxRibbonGalleryNavigationResult TdxRibbonGalleryNavigationGrid::ToNeighbour(int Group, int SpanLeft, int SpanRight,
                                                                             bool Down) const {
  const int count = int(groups_.size());
  int group = Group;
  // Every group is tried once at most, the starting one last (after a wrap).
  for (int tried = 0; tried < count; ++tried) {
    group += Down ? 1 : -1;
    if (group >= count || group < 0) {
      if (hasOtherLinks_) return {Down ? gntNextLink : gntPreviousLink, {}};
      group = Down ? 0 : count - 1;
    }
    const int index = FindInGroup(group, SpanLeft, SpanRight, Down);
    if (index >= 0) return Found(group, index);
  }
  return {};
}

TdxRibbonGalleryNavigationResult TdxRibbonGalleryNavigationGrid::TabMove(TdxRibbonGalleryNavigationItem Current,
                                                                         bool Shift) const {
  if (groups_.empty()) return {};
  if (Current.Group < 0 || Current.Group >= int(groups_.size())) Current = First().Item;
  const int count = int(groups_.size());
  if (!Shift) {
    if (Current.Index + 1 < groups_[size_t(Current.Group)].ItemCount) return Found(Current.Group, Current.Index + 1);
    if (Current.Group + 1 < count) return Found(Current.Group + 1, 0);
    return hasOtherLinks_ ? TdxRibbonGalleryNavigationResult{gntNextLink, {}} : First();
  }
  if (Current.Index > 0) return Found(Current.Group, Current.Index - 1);
  if (Current.Group > 0) return Found(Current.Group - 1, groups_[size_t(Current.Group - 1)].ItemCount - 1);
  return hasOtherLinks_ ? TdxRibbonGalleryNavigationResult{gntPreviousLink, {}} : Last();
}

TdxRibbonGalleryPageMove GalleryPageMove(const std::vector<TdxRibbonGalleryPageRow>& Rows, int StartRow, int StartTop,
                                         int StartBottom, int VisibleHeight, bool Down) {
  if (Rows.empty()) return {};
  const int count = int(Rows.size());
  StartRow = std::clamp(StartRow, 0, count - 1);
  if (Down) {
    TdxRibbonGalleryNavigationItem accepted = Rows[size_t(StartRow)].Last;
    for (int r = StartRow; r < count; ++r) {
      if (Rows[size_t(r)].Bottom - StartBottom >= VisibleHeight) return {accepted, false};
      accepted = Rows[size_t(r)].Last;
    }
    return {Rows.back().Last, false};
  }
  TdxRibbonGalleryNavigationItem accepted = Rows[size_t(StartRow)].First;
  for (int r = StartRow; r >= 0; --r) {
    if (StartTop - Rows[size_t(r)].Top >= VisibleHeight) return {accepted, true};
    accepted = Rows[size_t(r)].First;
  }
  return {Rows.front().First, false};
}
