#pragma once
// The layout of one ribbon group: where each item control of the group's toolbar goes in three
// item rows (large items a full-height column each, small items stacked up to three per column,
// button groups side by side in one row, separators where a link begins a group), and the steps
// that make a group narrower when the groups of a tab do not fit: fewer gallery columns, collapsed
// galleries, smaller item view levels. The calculator sees the group and its items only through
// interfaces, so any group window that provides them can use it.

#include <vector>

#include "ui/bars/BarControl.h"
#include "ui/bars/BarItemControls.h"

// The spacing a group's layout keeps: around a button group, and inside the group's left and right.
struct TdxRibbonGroupOffsets {
  int ButtonGroupSpacing = 0;
  int ContentLeft = 0;
  int ContentRight = 0;
};

// A group as its layout sees it: its items, its separators and its content size.
class IdxRibbonGroupContent : public virtual IInterface {
 public:
  virtual void AddSeparator(const TdxBarSeparatorInfo& Info) = 0;
  virtual void RemoveSeparators() = 0;
  virtual void GetContentSize(TSize& Size) = 0;
  virtual int ItemControlTotal() = 0;
  virtual void ItemControlLayoutAt(int Index, IdxBarItemControlViewInfo*& Item) = 0;
  // The narrowest the group may be (its caption).
  virtual int MinimalWidth() = 0;
  virtual void GetOffsets(TdxRibbonGroupOffsets& Offsets) = 0;
  virtual int GetSeparatorCount() = 0;
  virtual void GetSeparatorInfo(int Index, TdxBarSeparatorInfo& Info) = 0;
  virtual void SetContentSize(const TSize& Size) = 0;
  virtual void SetSeparatorInfo(int Index, const TdxBarSeparatorInfo& Info) = 0;

 protected:
  ~IdxRibbonGroupContent() override = default;
};

// The steps of a group's layout, in the order a group window calls them: InitLayoutPass and
// ArrangeItemControls for every full calculation; when the groups do not fit, InitReductionPass and
// then any number of reductions, each of which arranges the items again when it changed something
// and answers whether it did.
class IdxRibbonGroupLayoutCalculator : public virtual IInterface {
 public:
  virtual void InitLayoutPass(IdxRibbonGroupContent* Group) = 0;
  virtual void ArrangeItemControls(IdxRibbonGroupContent* Group) = 0;
  virtual bool CollapseMultiColumnItem(IdxRibbonGroupContent* Group) = 0;
  virtual bool DecreaseMultiColumnItemColumnCount(IdxRibbonGroupContent* Group) = 0;
  // Stage 1 turns full-height items into small ones; stages 2 and 3 shrink the widest small items
  // of a column to ivlSmallIcon and ivlControlOnly.
  virtual bool ReduceItemControlsViewLevel(IdxRibbonGroupContent* Group, int Stage) = 0;
  virtual void InitReductionPass(IdxRibbonGroupContent* Group) = 0;

 protected:
  ~IdxRibbonGroupLayoutCalculator() override = default;
};

// One full-height item of a run the whole-group-height reduction may turn into small ones, with the
// row units of small items before it (since the previous element or the run's start) and after it.
struct TSequenceForWholeGroupHeightReducingItem {
  IdxBarItemControlViewInfo* Item = nullptr;
  int Before = 0;
  int After = 0;
};
using TSequenceForWholeGroupHeightReducing = std::vector<TSequenceForWholeGroupHeightReducingItem>;
using TSequencesForWholeGroupHeightReducing = std::vector<TSequenceForWholeGroupHeightReducing>;

// Lives for one layout pass of its group.
class TdxRibbonGroupLayoutCalculator : public TInterfacedObject, public IdxRibbonGroupLayoutCalculator {
  DECLARE_CLASS(TdxRibbonGroupLayoutCalculator, TInterfacedObject)
 public:
  TdxRibbonGroupLayoutCalculator(int AGroupRowHeight, int AGroupRowCount);

  void InitLayoutPass(IdxRibbonGroupContent* Group) override;
  void ArrangeItemControls(IdxRibbonGroupContent* Group) override;
  bool CollapseMultiColumnItem(IdxRibbonGroupContent* Group) override;
  bool DecreaseMultiColumnItemColumnCount(IdxRibbonGroupContent* Group) override;
  bool ReduceItemControlsViewLevel(IdxRibbonGroupContent* Group, int Stage) override;
  void InitReductionPass(IdxRibbonGroupContent* Group) override;

  int GroupRowCount() const { return groupRowCount_; }
  int GroupRowHeight() const { return groupRowHeight_; }
  int GroupHeight() const { return groupRowHeight_ * groupRowCount_; }
  // The column of each item and the separator placed before it (-1 when none), as last arranged.
  const std::vector<int>& ItemControlColumns() const { return itemControlColumns_; }
  const std::vector<int>& ItemControlSeparators() const { return itemControlSeparators_; }
  const TSequencesForWholeGroupHeightReducing& Sequences() const { return sequences_; }
  // Whether a sequence element may become a small item: the columns on both sides have room for it.
  bool Fits(const TSequenceForWholeGroupHeightReducingItem& Element) const;

 private:
  // The items of the group being worked on.
  int Count() const { return int(items_.size()); }
  IdxBarItemControlViewInfo* Item(int Index) const { return items_[Index]; }
  void Enter(IdxRibbonGroupContent* Group);
  bool IsLargeOnly(int Index) const;
  bool IsFullHeight(int Index) const;
  bool StartsNewColumn(int Index) const;
  bool IsInMultiItemRow(int Index) const;
  int CurrentWidth(int Index) const;

  void Arrange();
  void NewColumn(int PrevLast);
  void PlaceLargeItem(int Index);
  void PlaceSmallItems(int First, int Last);
  void AddSeparatorAt(int Index);
  void AlignRowsInColumn(int First, int ColumnWidth);
  void DistributeRows(int First, int Last);
  void AlignColumn(int Last);
  void MoveItem(int Index, int DX);

  void SkipSmall(int& Index, int& Units) const;
  bool SkipRow(int& Index, bool& HasFullHeight) const;
  void BuildSequence(int& Index, TSequenceForWholeGroupHeightReducing& Seq) const;
  bool ReduceWholeGroupHeight();
  bool ReduceSequence(int Index);
  bool ReduceOneRowHeight(TdxBarItemViewLevel Level);

  int groupRowCount_;
  int groupRowHeight_;
  int columnCount_ = -1;
  int x_ = 0;
  std::vector<int> itemControlColumns_;
  std::vector<int> itemControlSeparators_;
  TSequencesForWholeGroupHeightReducing sequences_;
  int lastSequence_ = -1;
  int itemIndexForOneRowHeightReducing_ = -1;

  IdxRibbonGroupContent* group_ = nullptr;
  TdxRibbonGroupOffsets offsets_;
  std::vector<IdxBarItemControlViewInfo*> items_;
};

// The button-group codes (IdxBarItemControlViewInfo::GetButtonGroupPosition) of a row of items, in
// list order, by the rules of a group's layout; the quick-access toolbar lays out its one row with it.
void CalcButtonGroupPositions(const std::vector<IdxBarItemControlViewInfo*>& Items);
