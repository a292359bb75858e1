#pragma once
// Sub-items (items that own a link collection and show it as a drop-down menu), their controls,
// and the container items whose entries are generated when a menu shows them: list items (one
// button per string) and the application menu's extra-pane list item (a header label above them).

#include <vector>

#include "platform/framework/classes/Strings.h"
#include "ui/bars/BarItemControls.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/SubMenuControl.h"

using TdxBarPaintSubMenuBarEvent = TEvent<void(TObject* Sender, TCanvas* Canvas, const TRect& R)>;

class TCustomdxBarSubItem : public TdxBarItem, public IdxBarLinksOwner, public IdxBarSubMenuOwner {
  DECLARE_CLASS(TCustomdxBarSubItem, TdxBarItem)
 public:
  explicit TCustomdxBarSubItem(TComponent* AOwner);
  ~TCustomdxBarSubItem() override;

  int _AddRef() override { return -1; }
  int _Release() override { return -1; }

  TdxBarItemLinks* ItemLinks() const { return itemLinks_; }
  void SetItemLinks(TdxBarItemLinks* Value) { itemLinks_->Assign(Value); }
  TdxBarItemOptions* ItemOptions() const { return itemLinks_->ItemOptions(); }
  void SetItemOptions(TdxBarItemOptions* Value) { itemLinks_->SetItemOptions(Value); }
  int BarSize() override { return barSize_; }
  void SetBarSize(int Value) { barSize_ = std::max(Value, 0); }
  bool Detachable = false;
  bool ShowCaption = true;
  // The index in the manager's toolbars of the toolbar a torn-off menu becomes; -1 for none. Values
  // outside the toolbars become -1.
  int DetachingBar() const;
  void SetDetachingBar(int Value);
  bool InternalItemLinks() const { return itemLinks_->Internal; }
  void SetInternalItemLinks(bool Value) { itemLinks_->Internal = Value; }

  TNotifyEvent OnDetaching;
  TNotifyEvent OnPopup;
  TNotifyEvent OnCloseUp;
  TdxBarPaintSubMenuBarEvent OnPaintBar;

  // The opening, closing and tearing-off notices.
  virtual void Popup();
  virtual void CloseUp();
  virtual void Detaching();

  // ---- IdxBarLinksOwner and IdxBarSubMenuOwner
  bool CanAddItem(TdxBarItem* Item, String& ErrorText) override;
  TCustomdxBarControl* CreateBarControl() override;
  TComponent* OwnerComponent() override { return this; }
  TdxBarItemLinks* OwnedItemLinks() override { return itemLinks_; }
  void PaintBar(TCanvas* Canvas, const TRect& R) override;

  // ---- the item's operations
  void BarManagerAssigned() override;
  bool CanClick() const override { return false; }
  TdxBarItemLinks* GetItemLinks() const override { return itemLinks_; }
  String GetDefaultCaption() const override { return L"New SubItem"; }
  bool CaptionSetsHint() const override { return false; }
  void BarNotification(TOperation Operation, TdxBar* Bar) override;
  // The sections Base + "SubItem_" + Name.
  void LoadLayout(TCustomIniFile& Store, const String& Base, int Flag) override;
  void SaveLayout(TCustomIniFile& Store, const String& Base, int Flag) override;
  void ResetUsageFromLayout(TCustomIniFile& Store, const String& Base) override;
  void RestoreFromLayout(TCustomIniFile& Store, const String& Base) override;
  String LayoutSection(const String& Base) const { return Base + L"SubItem_" + Name(); }

 private:
  TdxBarItemLinks* itemLinks_ = nullptr;
  int barSize_ = 0;
  TdxBar* detachingBar_ = nullptr;
};

class TdxBarSubItem : public TCustomdxBarSubItem {
  DECLARE_CLASS(TdxBarSubItem, TCustomdxBarSubItem)
 public:
  explicit TdxBarSubItem(TComponent* AOwner) : TCustomdxBarSubItem(AOwner) {}
  bool AllowCustomizing = true;
  bool CanMergeWith(TdxBarItem* Item) const override { return Is<TdxBarSubItem>(Item); }
};

// ---- container items ----------------------------------------------------------------------------

class TCustomdxBarContainerItem : public TCustomdxBarSubItem {
  DECLARE_CLASS(TCustomdxBarContainerItem, TCustomdxBarSubItem)
 public:
  explicit TCustomdxBarContainerItem(TComponent* AOwner) : TCustomdxBarSubItem(AOwner) {}
  ~TCustomdxBarContainerItem() override;

  // Fired before the entries are generated.
  TNotifyEvent OnGetData;
  bool InOnGetData() const { return inOnGetData_; }
  bool NeedClearItemList() const { return needClearItemList_; }
  // A window that showed generated links went: the generated items are cleared at the next fill.
  void MarkItemListStale() { needClearItemList_ = true; }

  // Adds the entries' links to Links at Index (their origin OriginLink), firing OnGetData first
  // when asked.
  virtual void AddListedItemLinks(TdxBarItemLinks* Links, int Index, TdxBarItemLink* OriginLink, bool CallGetData);
  // Frees the links AddListedItemLinks added at Index.
  virtual void DeleteListedItemLinks(TdxBarItemLinks*, int) {}
  virtual void ClearItemList() { needClearItemList_ = false; }
  // In a menu the container's entries take the place of its link, the first of them starting a
  // group; without it (the in-place sub-item) the link stays and its entries follow it.
  virtual bool ExpandsInPlace() const { return true; }
  virtual void ItemsChanged();
  bool HasContent() const override { return bool(OnGetData); }

 private:
  bool inOnGetData_ = false;
  bool needClearItemList_ = false;
};

// One button per string of Items ("-" begins a group instead), numbered "&1 " to "&9 ", then "&A ",
// "&B ", ...; a click on a button sets ItemIndex to its string and clicks the list item.
class TdxBarListItem : public TCustomdxBarContainerItem {
  DECLARE_CLASS(TdxBarListItem, TCustomdxBarContainerItem)
 public:
  explicit TdxBarListItem(TComponent* AOwner);
  ~TdxBarListItem() override;

  TStringList* Items() const { return items_.get(); }
  void SetItems(TStrings* Value) { items_->Assign(Value); }
  int ItemIndex = -1;
  bool ShowCheck = false;
  bool ShowNumbers = true;
  // The position of the selected entry among the entries other than "-"; -1 without one.
  int DataIndex() const;
  // ItemIndex := the string of the entry with that position; -1 when no entry has it.
  void SetDataIndex(int Value);
  // The items the list made (buttons, and the extra-pane header label).
  int ItemListCount() const { return int(itemList_.size()); }
  TdxBarItem* ItemListAt(int Index) const { return itemList_.at(size_t(Index)); }

  virtual String GetEntryHint(const String&) { return String(); }
  virtual String GetEntryDisplayText(const String& EntryText) { return EntryText; }
  virtual String GetEntryCaption(int Index) { return GetEntryDisplayText(items_->Strings(Index)); }
  // The number prefix of the k-th entry (from 0): "&1 " .. "&9 ", then "&A ", "&B ", ...
  static String EntryNumber(int K);

  void AddListedItemLinks(TdxBarItemLinks* Links, int Index, TdxBarItemLink* OriginLink, bool CallGetData) override;
  void DeleteListedItemLinks(TdxBarItemLinks* Links, int Index) override;
  void ClearItemList() override;
  bool HasContent() const override { return bool(OnGetData) || items_->Count() > 0; }
  // The item's click only while none of its links is active.
  virtual void EntryClick(TObject* Sender);

 protected:
  // The list hears when one of its items is freed by someone else (their owner form).
  void AddToItemList(TdxBarItem* Item) {
    itemList_.push_back(Item);
    Item->FreeNotification(this);
  }
  void Notification(TComponent* AComponent, TOperation Operation) override;
  int EntryCount() const;

 private:
  ObjectPtr<TStringList> items_;
  std::vector<TdxBarItem*> itemList_;
};

// The recent-files list of the application menu's extra pane: entries show the extra-pane items'
// display texts (or the bare file name), under a header label with the list item's caption.
class TdxBarExtraPaneListItem : public TdxBarListItem {
  DECLARE_CLASS(TdxBarExtraPaneListItem, TdxBarListItem)
 public:
  explicit TdxBarExtraPaneListItem(TComponent* AOwner) : TdxBarListItem(AOwner) {}
  using TdxBarEntryDisplayTextEvent = TEvent<void(TObject* Sender, int Index, String& Text)>;
  TdxBarEntryDisplayTextEvent OnGetEntryDisplayText;
  // The display text and image of an entry (the application menu's extra-pane items); by default the
  // string itself and no image.
  std::function<String(int Index)> EntryDisplayText;
  std::function<int(int Index)> EntryImageIndex;

  String GetEntryCaption(int Index) override;
  String GetEntryHint(const String& EntryText) override { return EntryText; }
  void AddListedItemLinks(TdxBarItemLinks* Links, int Index, TdxBarItemLink* OriginLink, bool CallGetData) override;
  // The entries' links and the header's.
  void DeleteListedItemLinks(TdxBarItemLinks* Links, int Index) override;
  bool HasContent() const override { return TdxBarListItem::HasContent() || !Caption().empty(); }
};

// Copies the links of its own collection into the menus that show it.
class TdxBarContainerItem : public TCustomdxBarContainerItem {
  DECLARE_CLASS(TdxBarContainerItem, TCustomdxBarContainerItem)
 public:
  explicit TdxBarContainerItem(TComponent* AOwner);
  bool HasShowableLinks() const;
  bool HasContent() const override { return bool(OnGetData) || HasShowableLinks(); }
  bool CanMergeWith(TdxBarItem* Item) const override { return Is<TdxBarContainerItem>(Item); }
  void AddListedItemLinks(TdxBarItemLinks* Links, int Index, TdxBarItemLink* OriginLink, bool CallGetData) override;
  void DeleteListedItemLinks(TdxBarItemLinks* Links, int Index) override;
};

// ---- the controls -------------------------------------------------------------------------------

class TdxBarSubItemControl : public TdxBarButtonLikeControl {
  DECLARE_CLASS(TdxBarSubItemControl, TdxBarButtonLikeControl)
 public:
  using TdxBarButtonLikeControl::TdxBarButtonLikeControl;
  const TdxBarAccessibilityHelperMetaClass* AccessibilityHelperClass() override;
  void BeforeDestruction() override;
  TCustomdxBarSubItem* SubItem() const { return dynamic_cast<TCustomdxBarSubItem*>(LinkedItem()); }

  bool FiresItemClick() const override { return false; }
  bool ClosesMenusOnClick() const override { return false; }
  bool HasDropDown() const override { return true; }
  bool DoubleClickExpandsMenu() const override { return true; }
  bool IsDroppedDown() const override;
  bool CanDropDown() override;
  void DropDownByKey(bool Value) override;
  TCustomdxBarControl* DropDownWindow() const override;
  TCustomdxBarControl* SubMenuWindow() const override { return DropDownWindow(); }
  void BeforeClick(bool ByMouse, Word Key) override;
  bool ProcessKey(Word Key) override;
  TdxBarContentParts ContentPartsByPaintStyle() const override;
  void OpenDropDown(bool ByMouse) override { DropDownMenu(ByMouse); }
  void CloseUp(bool WasOpen) override;
  bool SplitEdgeHot() override;

  // ---- added virtual operations, in slot order
  virtual TdxBarSubMenuControl* CreateMenuWindow();
  // Where the menu opens (screen): beside the control in menus and on vertical bars, else under it.
  virtual void MenuPlacement(TPoint& P, int& AnchorWidth, int& AnchorHeight);
  virtual bool FollowsSelection() { return true; }
  // Selecting by keyboard applies only when the control follows the selection.
  void EnterSelected(bool ByKey);

  // The sub-item's Popup and click, then the menu window is made, placed and shown.
  void DropDownMenu(bool ByMouse);
};

class TContainerItemSubMenuControl;

class TdxBarContainerItemControl : public TdxBarSubItemControl {
  DECLARE_CLASS(TdxBarContainerItemControl, TdxBarSubItemControl)
 public:
  using TdxBarSubItemControl::TdxBarSubItemControl;
  TCustomdxBarContainerItem* ContainerItem() const { return dynamic_cast<TCustomdxBarContainerItem*>(LinkedItem()); }
  bool IsDrawnSelected() const override;
  bool DoubleClickExpandsMenu() const override;
  String Caption() const override;
  void DrawContent(const TRect& R, int PaintType) override;
  TdxBarSubMenuControl* CreateMenuWindow() override;
  // In customizing mode a container in a menu is its placeholder entry, not its entries.
  bool TakesContainerBehaviour() const;
};

// The menu a container control opens: it shows the container's collection filled with the
// generated entries, and removes them when it closes.
class TContainerItemSubMenuControl : public TdxBarSubMenuControl {
  DECLARE_CLASS(TContainerItemSubMenuControl, TdxBarSubMenuControl)
 public:
  TContainerItemSubMenuControl(TdxBarManager* AOwner, TCustomdxBarContainerItem* AContainer);
  ~TContainerItemSubMenuControl() override;
  TCustomdxBarContainerItem* ContainerItem() const { return container_; }
  bool IsCustomizing() override { return false; }
  void DestroyWnd() override;

 private:
  TCustomdxBarContainerItem* container_;
};
