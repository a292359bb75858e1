#pragma once
// The in-place sub-item: inside a menu it does not open a sub-menu but shows its links below itself
// (expanded) or hides them again (collapsed); on toolbars it is a container that opens its menu.

#include "ui/bars/SubItems.h"

class TdxBarInPlaceSubItem;
using TdxBarInPlaceSubItemEvent = TEvent<void(TdxBarInPlaceSubItem* Sender, TdxBarItemLink* Link)>;

class TdxBarInPlaceSubItem : public TdxBarContainerItem {
  DECLARE_CLASS(TdxBarInPlaceSubItem, TdxBarContainerItem)
 public:
  explicit TdxBarInPlaceSubItem(TComponent* AOwner) : TdxBarContainerItem(AOwner) {}

  bool Expanded() const { return expanded_; }
  // Every menu window that shows a link of the item rebuilds with the links shown or hidden.
  void SetExpanded(bool Value);
  bool KeepBeginGroupWhileExpanded = false;
  TdxBarInPlaceSubItemEvent OnAfterExpand;
  TdxBarInPlaceSubItemEvent OnBeforeCollapse;
  // Set while the item changes its expanded state and its menus rebuild.
  bool Changing() const { return changing_; }

  // The links go into a menu only while expanded, and come out only where they stand: made from
  // the item's link just before them (a menu that could not rebuild while the state changed keeps
  // what it shows until its next rebuild, and nothing else is freed).
  void AddListedItemLinks(TdxBarItemLinks* Links, int Index, TdxBarItemLink* OriginLink, bool CallGetData) override;
  void DeleteListedItemLinks(TdxBarItemLinks* Links, int Index) override;
  // Its link stays in a menu, with the links shown under it.
  bool ExpandsInPlace() const override { return false; }
  bool CanMergeWith(TdxBarItem* Item) const override { return Is<TdxBarInPlaceSubItem>(Item); }

  virtual void DoAfterExpand(TdxBarItemLink* Link);
  virtual void DoBeforeCollapse(TdxBarItemLink* Link);
  // The link after the expanded content begins a group (Value) or not, while KeepBeginGroupWhileExpanded.
  void KeepBeginGroup(TdxBarItemLink* Link, bool Value);

 private:
  // The distinct menu windows that show a link of the item.
  std::vector<TCustomdxBarControl*> MenusShowingLinks() const;
  bool expanded_ = false;
  bool changing_ = false;
};

class TdxBarInPlaceSubItemControlDrawParams : public TdxBarButtonLikeControlDrawParams {
  DECLARE_CLASS(TdxBarInPlaceSubItemControlDrawParams, TdxBarButtonLikeControlDrawParams)
 public:
  using TdxBarButtonLikeControlDrawParams::TdxBarButtonLikeControlDrawParams;
  bool Expanded = false;
  // The menu's arrow area (the painter's StaticTextSize), in a menu only.
  int TextSize = 0;
};

class TdxBarInPlaceSubItemControl : public TdxBarContainerItemControl {
  DECLARE_CLASS(TdxBarInPlaceSubItemControl, TdxBarContainerItemControl)
 public:
  using TdxBarContainerItemControl::TdxBarContainerItemControl;
  TdxBarInPlaceSubItem* InPlaceItem() const { return dynamic_cast<TdxBarInPlaceSubItem*>(LinkedItem()); }
  bool InSubMenu() const;

  TdxBarItemControlDrawParams* CreateDrawParams() override { return new TdxBarInPlaceSubItemControlDrawParams(this); }
  void CalcDrawParams(bool Full) override;
  void DrawContent(const TRect& R, int PaintType) override;
  // In a menu a click toggles the item and keeps the selection on the toggled entry.
  void BeforeClick(bool ByMouse, Word Key) override;
  // In a menu Right expands, Left collapses and Enter toggles, each through the click.
  bool ProcessKey(Word Key) override;
  void KeyDown(Word Key) override;
  bool HasDropDown() const override;
  bool CanDropDown() override;
  bool FollowsSelection() override { return !InSubMenu(); }
  int Height() override;
  int Width() override;

 private:
  // The item's click, then Expanded toggles.
  void Toggle();
};
