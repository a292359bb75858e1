#include "ui/ribbon/GroupLayout.h"

#include <algorithm>

DEFINE_CLASS(TdxRibbonGroupLayoutCalculator)

namespace {

constexpr int kSeparatorWidth = 8;
constexpr int kSeparatorTop = 5;
constexpr int kSeparatorBottomGap = 6;
constexpr int kMinGroupWidth = 30;

bool IsMultiColumnItem(IdxBarItemControlViewInfo* Item, bool CheckCollapsed) {
  IdxRibbonMultiColumnItem* multi = nullptr;
  return Item->IsMultiColumn(CheckCollapsed, multi);
}

bool IsLargeOnlyItem(IdxBarItemControlViewInfo* Item) {
  return IsMultiColumnItem(Item, true) || Item->GetAllowedViewLevels() == TdxBarItemViewLevels{ivlLargeIconWithText};
}

// A code that starts a button group, or none: items with it may begin rows and columns.
bool StartsOrNoButtonGroup(int Code) { return Code == 0 || Code == 1 || Code == 4; }

// The largest allowed level (the lowest value); ivlLargeIconWithText when none is allowed.
TdxBarItemViewLevel FirstAllowedLevel(TdxBarItemViewLevels Levels, TdxBarItemViewLevel From) {
  for (int level = From; level <= ivlControlOnly; ++level)
    if (Levels.Contains(TdxBarItemViewLevel(level))) return TdxBarItemViewLevel(level);
  return ivlDefault;
}

// A full-height item made small: the first allowed level after ivlLargeIconWithText. An item that
// allows none stays as it is.
void MakeSmall(IdxBarItemControlViewInfo* Item) {
  const TdxBarItemViewLevel level = FirstAllowedLevel(Item->GetAllowedViewLevels(), ivlSmallIconWithText);
  if (level != ivlDefault) Item->SetViewLevel(level);
}

}  // namespace

void CalcButtonGroupPositions(const std::vector<IdxBarItemControlViewInfo*>& Items) {
  const int count = int(Items.size());
  auto kind = [&](int i) { return IsLargeOnlyItem(Items[i]) ? bgpNone : Items[i]->GetPositionInButtonGroup(); };
  auto memberNext = [&](int i) {
    return i + 1 < count && kind(i + 1) == bgpMember && !Items[i + 1]->GetBeginGroup();
  };
  for (int i = 0; i < count; ++i) {
    int code = 0;
    switch (kind(i)) {
      case bgpStart:
        code = memberNext(i) ? 1 : 4;
        break;
      case bgpMember:
        if (Items[i]->GetBeginGroup() || i == 0) break;
        if (const int previous = Items[i - 1]->GetButtonGroupPosition(); previous == 1 || previous == 2)
          code = memberNext(i) ? 2 : 3;
        break;
      default:
        break;
    }
    Items[i]->SetButtonGroupPosition(code);
  }
}

TdxRibbonGroupLayoutCalculator::TdxRibbonGroupLayoutCalculator(int AGroupRowHeight, int AGroupRowCount)
    : groupRowCount_(AGroupRowCount), groupRowHeight_(AGroupRowHeight) {}

void TdxRibbonGroupLayoutCalculator::Enter(IdxRibbonGroupContent* Group) {
  group_ = Group;
  const int count = Group->ItemControlTotal();
  items_.assign(count, nullptr);
  for (int i = 0; i < count; ++i) Group->ItemControlLayoutAt(i, items_[i]);
}

// ---- predicates ---------------------------------------------------------------------------------

bool TdxRibbonGroupLayoutCalculator::IsLargeOnly(int Index) const { return IsLargeOnlyItem(Item(Index)); }

bool TdxRibbonGroupLayoutCalculator::IsFullHeight(int Index) const {
  return IsMultiColumnItem(Item(Index), true) || Item(Index)->GetViewLevel() == ivlLargeIconWithText;
}

bool TdxRibbonGroupLayoutCalculator::StartsNewColumn(int Index) const {
  IdxBarItemControlViewInfo* item = Item(Index);
  return item->GetBeginGroup() ||
         (item->GetPosition() == ipBeginsNewColumn && StartsOrNoButtonGroup(item->GetButtonGroupPosition()));
}

bool TdxRibbonGroupLayoutCalculator::IsInMultiItemRow(int Index) const {
  const int code = Item(Index)->GetButtonGroupPosition();
  if (code >= 1 && code <= 3) return true;
  if (Index + 1 < Count() && !StartsNewColumn(Index + 1) && Item(Index + 1)->GetPosition() == ipContinuesRow)
    return true;
  return Item(Index)->GetPosition() == ipContinuesRow && Index > 0 && !StartsNewColumn(Index);
}

int TdxRibbonGroupLayoutCalculator::CurrentWidth(int Index) const {
  return Item(Index)->GetWidth(Item(Index)->GetViewLevel());
}

// ---- layout pass --------------------------------------------------------------------------------

void TdxRibbonGroupLayoutCalculator::InitLayoutPass(IdxRibbonGroupContent* Group) {
  Enter(Group);
  CalcButtonGroupPositions(items_);
  for (IdxBarItemControlViewInfo* item : items_) {
    item->SetBounds(TRect{});
    if (item->GetButtonGroupPosition() != 0) {
      item->SetViewLevel(item->GetButtonGroupViewLevel());
    } else {
      const TdxBarItemViewLevel first = FirstAllowedLevel(item->GetAllowedViewLevels(), ivlLargeIconWithText);
      if (first != ivlDefault) item->SetViewLevel(first);
    }
    IdxRibbonMultiColumnItem* multi = nullptr;
    if (item->IsMultiColumn(false, multi)) {
      multi->SetCollapsed(false);
      multi->SetColumnCount(multi->MaxColumnCount());
    }
  }
}

void TdxRibbonGroupLayoutCalculator::ArrangeItemControls(IdxRibbonGroupContent* Group) {
  Enter(Group);
  Arrange();
}

void TdxRibbonGroupLayoutCalculator::Arrange() {
  const int count = Count();
  group_->RemoveSeparators();
  columnCount_ = -1;
  x_ = 0;
  // -1: not placed yet in this pass, so no walk over a column meets it.
  itemControlColumns_.assign(count, -1);
  itemControlSeparators_.assign(count, -1);
  group_->GetOffsets(offsets_);

  int i = 0;
  while (i < count) {
    int j = i;
    while (j < count && !IsFullHeight(j) && !(j > i && StartsNewColumn(j))) ++j;
    if (j > i) {
      NewColumn(i - 1);
      PlaceSmallItems(i, j - 1);
    }
    i = j;
    while (i < count && IsFullHeight(i)) {
      NewColumn(i - 1);
      PlaceLargeItem(i);
      ++i;
    }
  }
  AlignColumn(count - 1);

  for (int k = 0; k < count; ++k) MoveItem(k, offsets_.ContentLeft);
  x_ += offsets_.ContentLeft + offsets_.ContentRight;

  const int minWidth = std::max(group_->MinimalWidth(), kMinGroupWidth);
  if (x_ < minWidth) {
    if (x_ > 0)
      for (int k = 0; k < count; ++k) MoveItem(k, (minWidth - x_) / 2);
    x_ = minWidth;
  }
  group_->SetContentSize(TSize{x_, GroupHeight()});
  for (IdxBarItemControlViewInfo* item : items_) item->FinishLayout();
}

void TdxRibbonGroupLayoutCalculator::MoveItem(int Index, int DX) {
  if (DX == 0) return;
  TRect r = Item(Index)->GetBounds();
  Item(Index)->SetBounds(TRect{r.left + DX, r.top, r.right + DX, r.bottom});
  if (const int separator = itemControlSeparators_[Index]; separator >= 0) {
    TdxBarSeparatorInfo info;
    group_->GetSeparatorInfo(separator, info);
    info.Bounds = TRect{info.Bounds.left + DX, info.Bounds.top, info.Bounds.right + DX, info.Bounds.bottom};
    group_->SetSeparatorInfo(separator, info);
  }
}

void TdxRibbonGroupLayoutCalculator::NewColumn(int PrevLast) {
  AlignColumn(PrevLast);
  ++columnCount_;
}

void TdxRibbonGroupLayoutCalculator::AddSeparatorAt(int Index) {
  TdxBarSeparatorInfo info;
  info.Bounds = TRect{x_, kSeparatorTop, x_ + kSeparatorWidth, GroupHeight() - kSeparatorBottomGap};
  info.Kind = 1;
  group_->AddSeparator(info);
  x_ += kSeparatorWidth;
  itemControlSeparators_[Index] = group_->GetSeparatorCount() - 1;
}

void TdxRibbonGroupLayoutCalculator::PlaceLargeItem(int Index) {
  if (Item(Index)->GetBeginGroup()) AddSeparatorAt(Index);
  const int width = CurrentWidth(Index);
  Item(Index)->SetBounds(TRect{x_, 0, x_ + width, GroupHeight()});
  itemControlColumns_[Index] = columnCount_;
  Item(Index)->SetRow(0);
  x_ += width;
}

void TdxRibbonGroupLayoutCalculator::PlaceSmallItems(int First, int Last) {
  if (Item(First)->GetBeginGroup()) AddSeparatorAt(First);
  int row = 0;
  int rowX = x_;
  int colRight = x_;
  int colFirst = First;
  for (int i = First; i <= Last; ++i) {
    IdxBarItemControlViewInfo* item = Item(i);
    const int code = item->GetButtonGroupPosition();
    if (i > First && item->GetPosition() == ipBeginsNewRow && StartsOrNoButtonGroup(code)) {
      ++row;
      if (row < groupRowCount_) {
        rowX = x_;
      } else {
        AlignRowsInColumn(colFirst, colRight - x_);
        colFirst = i;
        row = 0;
        x_ = colRight;
        NewColumn(i - 1);
        rowX = x_;
        colRight = x_;
      }
    }
    const int width = CurrentWidth(i);
    itemControlColumns_[i] = columnCount_;
    item->SetRow(row);
    if (StartsOrNoButtonGroup(code) && i > First && itemControlColumns_[i - 1] == columnCount_ &&
        Item(i - 1)->GetRow() == row) {
      const int previous = Item(i - 1)->GetButtonGroupPosition();
      if (code == 1 || code == 4) rowX += offsets_.ButtonGroupSpacing;
      if (code == 0 && (previous == 3 || previous == 4)) rowX += offsets_.ButtonGroupSpacing;
    }
    item->SetBounds(TRect{rowX, groupRowHeight_ * row, rowX + width, groupRowHeight_ * (row + 1)});
    rowX += width;
    colRight = std::max(colRight, rowX);
  }
  AlignRowsInColumn(colFirst, colRight - x_);
  x_ = colRight;
  DistributeRows(First, Last);
}

void TdxRibbonGroupLayoutCalculator::AlignRowsInColumn(int First, int ColumnWidth) {
  const int column = itemControlColumns_[First];
  int i = First;
  while (i < Count() && itemControlColumns_[i] == column) {
    const int row = Item(i)->GetRow();
    int end = i + 1;
    while (end < Count() && itemControlColumns_[end] == column && Item(end)->GetRow() == row) ++end;
    if (end - i == 1) {
      IdxBarItemControlViewInfo* item = Item(i);
      TRect r = item->GetBounds();
      const int width = r.right - r.left;
      switch (item->GetAlign()) {
        case iaCenter:
          r = TRect{r.left + (ColumnWidth - width) / 2, r.top, r.right + (ColumnWidth - width) / 2, r.bottom};
          break;
        case iaRight:
          r = TRect{r.left + ColumnWidth - width, r.top, r.right + ColumnWidth - width, r.bottom};
          break;
        case iaClient:
          r.right = r.left + ColumnWidth;
          break;
        default:
          break;
      }
      item->SetBounds(r);
    }
    i = end;
  }
}

void TdxRibbonGroupLayoutCalculator::DistributeRows(int First, int Last) {
  const int height = GroupHeight();
  int i = First;
  while (i <= Last) {
    const int column = itemControlColumns_[i];
    int end = i;
    while (end + 1 <= Last && itemControlColumns_[end + 1] == column) ++end;
    const int n = Item(end)->GetRow() + 1;
    for (int k = i; k <= end; ++k) {
      IdxBarItemControlViewInfo* item = Item(k);
      if (n < groupRowCount_) {
        const int gap = (height - groupRowHeight_ * n) / (n + 1);
        const TRect r = item->GetBounds();
        const int top = height - (n - item->GetRow()) * (gap + groupRowHeight_);
        item->SetBounds(TRect{r.left, top, r.right, top + groupRowHeight_});
      }
      item->SetColumnRowCount(n);
    }
    i = end + 1;
  }
}

void TdxRibbonGroupLayoutCalculator::AlignColumn(int Last) {
  if (columnCount_ <= 0 || Last < 0) return;
  const int column = itemControlColumns_[Last];
  if (column < 0) return;
  int first = Last;
  while (first > 0 && itemControlColumns_[first - 1] == column) --first;
  if (Item(first)->GetBeginGroup()) return;

  int prevRight = 0;
  int prevGroupRight = -1;
  for (int k = first - 1; k >= 0 && itemControlColumns_[k] == column - 1; --k) {
    const TRect r = Item(k)->GetBounds();
    prevRight = std::max(prevRight, int(r.right));
    const int code = Item(k)->GetButtonGroupPosition();
    if (code == 3 || code == 4) prevGroupRight = std::max(prevGroupRight, int(r.right));
  }
  const int thisLeft = Item(first)->GetBounds().left;
  bool hasGroupLeft = false;
  int thisGroupLeft = 0;
  for (int k = first; k <= Last; ++k) {
    const int code = Item(k)->GetButtonGroupPosition();
    if (code != 1 && code != 4) continue;
    const int left = Item(k)->GetBounds().left;
    thisGroupLeft = hasGroupLeft ? std::min(thisGroupLeft, left) : left;
    hasGroupLeft = true;
  }
  const int s = offsets_.ButtonGroupSpacing;
  const int c = prevGroupRight != -1 && thisLeft - prevGroupRight < s ? s - (thisLeft - prevGroupRight) : 0;
  const int d = hasGroupLeft && thisGroupLeft - prevRight < s ? s - (thisGroupLeft - prevRight) : 0;
  const int shift = std::max(c, d);
  if (shift <= 0) return;
  for (int k = first; k <= Last; ++k) MoveItem(k, shift);
  x_ += shift;
}

// ---- reduction ----------------------------------------------------------------------------------

void TdxRibbonGroupLayoutCalculator::InitReductionPass(IdxRibbonGroupContent* Group) {
  Enter(Group);
  sequences_.clear();
  int index = 0;
  for (;;) {
    TSequenceForWholeGroupHeightReducing seq;
    BuildSequence(index, seq);
    if (seq.empty()) break;
    sequences_.push_back(std::move(seq));
  }
  lastSequence_ = int(sequences_.size()) - 1;
  itemIndexForOneRowHeightReducing_ = Count() - 1;
}

void TdxRibbonGroupLayoutCalculator::SkipSmall(int& Index, int& Units) const {
  Units = 0;
  while (Index < Count()) {
    if (IsLargeOnly(Index)) {
      ++Index;
      continue;
    }
    if (!IsInMultiItemRow(Index)) {
      if (!IsFullHeight(Index)) {
        ++Units;
        ++Index;
      }
      return;
    }
    bool hasFullHeight = false;
    SkipRow(Index, hasFullHeight);
    if (!hasFullHeight) {
      ++Units;
      return;
    }
  }
}

bool TdxRibbonGroupLayoutCalculator::SkipRow(int& Index, bool& HasFullHeight) const {
  HasFullHeight = false;
  if (!IsInMultiItemRow(Index)) return false;
  while (Index < Count() && IsInMultiItemRow(Index)) {
    HasFullHeight = HasFullHeight || IsFullHeight(Index);
    ++Index;
  }
  return true;
}

void TdxRibbonGroupLayoutCalculator::BuildSequence(int& Index, TSequenceForWholeGroupHeightReducing& Seq) const {
  // Each round either finds a sequence or moves Index on; a round that does neither ends the search.
  for (;;) {
    const int start = Index;
    Seq.clear();
    int units = 0;
    if (Index < Count()) SkipSmall(Index, units);
    if (Index < Count() && IsFullHeight(Index)) {
      Seq.push_back({Item(Index), units, 0});
      units = 0;
      ++Index;
    }
    while (Index < Count() && !IsLargeOnly(Index) && !StartsNewColumn(Index)) {
      bool hasFullHeight = false;
      if (SkipRow(Index, hasFullHeight)) {
        if (hasFullHeight) break;
        ++units;
      } else if (!IsFullHeight(Index)) {
        ++Index;
        ++units;
      } else {
        if (!Seq.empty()) Seq.back().After = units;
        Seq.push_back({Item(Index), units, 0});
        units = 0;
        ++Index;
      }
    }
    if (!Seq.empty() && units > 0) Seq.back().After = units;
    if (!Seq.empty() || Index >= Count() || Index == start) return;
  }
}

bool TdxRibbonGroupLayoutCalculator::Fits(const TSequenceForWholeGroupHeightReducingItem& Element) const {
  const int r = groupRowCount_;
  auto free = [r](int n) { return (r - n % r) % r; };
  return free(Element.Before) + free(Element.After) >= free(Element.Before + Element.After + 1);
}

bool TdxRibbonGroupLayoutCalculator::ReduceSequence(int Index) {
  TSequenceForWholeGroupHeightReducing& seq = sequences_[Index];
  if (seq.empty()) return false;
  if (seq.size() == 1) {
    if (!Fits(seq.front())) return false;
    MakeSmall(seq.front().Item);
    seq.clear();
    return true;
  }
  // Removes the last element, its item made small and its After merged into the element before it;
  // answers the After that element had.
  auto removeLast = [&seq]() {
    const TSequenceForWholeGroupHeightReducingItem last = seq.back();
    MakeSmall(last.Item);
    seq.pop_back();
    if (seq.empty()) return 0;
    const int after = seq.back().After;
    seq.back().After += last.After + 1;
    return after;
  };
  int after = removeLast();
  while (!seq.empty()) {
    if (after != 0 || !Fits(seq.back())) break;
    after = removeLast();
  }
  return true;
}

bool TdxRibbonGroupLayoutCalculator::ReduceWholeGroupHeight() {
  while (lastSequence_ >= 0) {
    if (ReduceSequence(lastSequence_)) {
      Arrange();
      return true;
    }
    sequences_.pop_back();
    --lastSequence_;
  }
  return false;
}

bool TdxRibbonGroupLayoutCalculator::ReduceOneRowHeight(TdxBarItemViewLevel Level) {
  for (;;) {
    int idx = itemIndexForOneRowHeightReducing_;
    while (idx >= 0 && IsFullHeight(idx)) --idx;
    itemIndexForOneRowHeightReducing_ = idx;
    if (idx < 0) return false;

    const int column = itemControlColumns_[idx];
    int widest = 0;
    int widestAfter = 0;
    std::vector<int> candidates;
    while (idx >= 0 && itemControlColumns_[idx] == column) {
      int width = 0;
      int after = 0;
      if (IsInMultiItemRow(idx)) {
        const int row = Item(idx)->GetRow();
        while (idx >= 0 && itemControlColumns_[idx] == column && Item(idx)->GetRow() == row) {
          width += CurrentWidth(idx);
          --idx;
        }
        after = width;
      } else {
        IdxBarItemControlViewInfo* item = Item(idx);
        width = CurrentWidth(idx);
        if (item->GetViewLevel() < Level && item->GetAllowedViewLevels().Contains(Level)) {
          after = item->GetWidth(Level);
          candidates.push_back(idx);
        } else {
          after = width;
        }
        --idx;
      }
      widest = std::max(widest, width);
      widestAfter = std::max(widestAfter, after);
    }
    itemIndexForOneRowHeightReducing_ = idx;

    bool changed = false;
    for (int candidate : candidates) {
      IdxBarItemControlViewInfo* item = Item(candidate);
      if (item->GetWidth(Level) < widest && CurrentWidth(candidate) > widestAfter) {
        item->SetViewLevel(Level);
        changed = true;
      }
    }
    if (changed) {
      Arrange();
      return true;
    }
  }
}

bool TdxRibbonGroupLayoutCalculator::ReduceItemControlsViewLevel(IdxRibbonGroupContent* Group, int Stage) {
  Enter(Group);
  if (Count() == 0) return false;
  if (Stage == 1) return ReduceWholeGroupHeight();
  if (Stage != 2 && Stage != 3) return false;
  const bool reduced = ReduceOneRowHeight(TdxBarItemViewLevel(Stage));
  if (!reduced) itemIndexForOneRowHeightReducing_ = Count() - 1;
  return reduced;
}

bool TdxRibbonGroupLayoutCalculator::CollapseMultiColumnItem(IdxRibbonGroupContent* Group) {
  Enter(Group);
  for (int i = Count() - 1; i >= 0; --i) {
    IdxRibbonMultiColumnItem* multi = nullptr;
    if (Item(i)->IsMultiColumn(false, multi) && !multi->Collapsed() && multi->CanCollapse()) {
      multi->SetCollapsed(true);
      Arrange();
      return true;
    }
  }
  return false;
}

bool TdxRibbonGroupLayoutCalculator::DecreaseMultiColumnItemColumnCount(IdxRibbonGroupContent* Group) {
  Enter(Group);
  for (int i = Count() - 1; i >= 0; --i) {
    IdxRibbonMultiColumnItem* multi = nullptr;
    if (Item(i)->IsMultiColumn(false, multi) && !multi->Collapsed() && multi->ColumnCount() > multi->MinColumnCount()) {
      multi->SetColumnCount(multi->ColumnCount() - 1);
      Arrange();
      return true;
    }
  }
  return false;
}
