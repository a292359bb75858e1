#pragma once
// Groups, items and links of a navigation bar. An item is a command (caption, hint, images, enabled
// state, an optional action, OnClick); a group is a titled section whose client lists links to items
// or hosts a child panel, the group control. Groups, items and style items are components owned by
// the form and children of the bar.

#include "platform/framework/classes/Collection.h"
#include "platform/framework/controls/ExtCtrls.h"
#include "platform/framework/windows/ActnList.h"
#include "ui/navbar/NavBarStyles.h"

class TdxNavBarGroup;
class TdxNavBarItem;
class TdxNavBarItemLink;
class TdxNavBarGroupControl;
class TdxNavBarPainter;
class TdxNavBarLinkViewInfo;
class TdxNavBarCustomAccessibilityHelper;
class IdxNavBarAccessibilityHelper;
class TdxNavBarAccessibilityHelperMetaClass;
using TdxNavBarAccessibilityHelperClass = const TdxNavBarAccessibilityHelperMetaClass*;
class TdxNavBarCustomGroupItemCalculatorMetaClass;
using TdxNavBarItemCalculatorClass = const TdxNavBarCustomGroupItemCalculatorMetaClass*;

// ---- common base of groups and items ----------------------------------------------------------

class TdxNavBarCustomItem : public TdxNavBarComponentCollectionItem {
  DECLARE_CLASS(TdxNavBarCustomItem, TdxNavBarComponentCollectionItem)
 public:
  explicit TdxNavBarCustomItem(TComponent* AOwner) : TdxNavBarComponentCollectionItem(AOwner) {}
  // Copies the image indexes, Visible, Caption and Hint.
  void Assign(TPersistent* Source) override;
  // An item whose Name equals its Caption keeps the Caption equal to the new Name.
  void SetName(const String& NewName) override;

  const String& Caption() const { return caption_; }
  void SetCaption(const String& Value);
  const String& Hint() const { return hint_; }
  void SetHint(const String& Value) { hint_ = Value; }
  int LargeImageIndex() const { return largeImageIndex_; }
  void SetLargeImageIndex(int Value);
  int SmallImageIndex() const { return smallImageIndex_; }
  void SetSmallImageIndex(int Value);
  bool Visible() const { return visible_; }
  void SetVisible(bool Value);

  TNotifyEvent OnClick;

 protected:
  virtual void ApplyVisible(bool Value);
  void StoreVisible(bool Value) { visible_ = Value; }
  bool IsLoading() const { return ComponentState().Contains(csLoading); }

 private:
  String caption_;
  String hint_;
  int largeImageIndex_ = -1;
  int smallImageIndex_ = -1;
  bool visible_ = true;
};

// ---- links --------------------------------------------------------------------------------------

class TdxNavBarItemLink : public TCollectionItem {
  DECLARE_CLASS(TdxNavBarItemLink, TCollectionItem)
 public:
  explicit TdxNavBarItemLink(TCollection* ACollection);
  ~TdxNavBarItemLink() override;
  // Releases the accessibility object, deselects the link, drops its item, leaves the group and
  // tells the groups.
  void BeforeDestruction() override;
  // Copies Item and Data.
  void Assign(TPersistent* Source) override;

  TdxNavBarItem* Item() const { return item_; }
  void SetItem(TdxNavBarItem* Value);
  // Free for the application's use.
  void* Data = nullptr;
  // The owner group; null outside a group's links.
  TdxNavBarGroup* Group() const;
  bool IsSelected() const;
  void Select(bool AValue);
  // It has an item and the item is enabled.
  bool CanSelect() const;
  void UpdateActionLink();
  // Made on first use; null outside a bar.
  IdxNavBarAccessibilityHelper* AccessibilityObject();

 protected:
  // "Item": the name of the linked item.
  void DefineProperties(TFiler& Filer) override;

 private:
  friend class TdxNavBarGroup;
  TdxNavBarItem* item_ = nullptr;
  InterfacePtr<IdxNavBarAccessibilityHelper> accessibilityObject_;
};

class TdxNavBarItemLinks : public TOwnedCollection {
  DECLARE_CLASS(TdxNavBarItemLinks, TOwnedCollection)
 public:
  // AGroup may be null (a scratch collection read from form data).
  explicit TdxNavBarItemLinks(TdxNavBarGroup* AGroup);
  TdxNavBarGroup* Group() const { return group_; }
  TdxNavBarItemLink* Items(int Index) const { return static_cast<TdxNavBarItemLink*>(TCollection::Items(Index)); }
  TdxNavBarItemLink* Add() { return static_cast<TdxNavBarItemLink*>(TCollection::Add()); }

 protected:
  void Update(TCollectionItem* Item) override;
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override;

 private:
  TdxNavBarGroup* group_;
};

// ---- groups -----------------------------------------------------------------------------------

class TdxNavBarGroupExpansionOptions : public TcxOwnedPersistent {
  DECLARE_CLASS(TdxNavBarGroupExpansionOptions, TcxOwnedPersistent)
 public:
  explicit TdxNavBarGroupExpansionOptions(TdxNavBarGroup* AGroup);
  void Assign(TPersistent* Source) override;
  bool Expandable() const { return expandable_; }
  void SetExpandable(bool Value) { expandable_ = Value; }
  bool Expanded() const { return expanded_; }
  void SetExpanded(bool Value);
  bool ShowExpandButton() const { return showExpandButton_; }
  void SetShowExpandButton(bool Value);

 private:
  TdxNavBarGroup* group_;
  bool expandable_ = true;
  bool expanded_ = true;
  bool showExpandButton_ = true;
};

class TdxNavBarGroupControlOptions : public TcxOwnedPersistent {
  DECLARE_CLASS(TdxNavBarGroupControlOptions, TcxOwnedPersistent)
 public:
  explicit TdxNavBarGroupControlOptions(TdxNavBarGroup* AGroup);
  void Assign(TPersistent* Source) override;
  bool AllowControlResizing() const { return allowControlResizing_; }
  void SetAllowControlResizing(bool Value);
  bool ShowControl() const { return showControl_; }
  void SetShowControl(bool Value);
  bool UseControl() const { return useControl_; }
  void SetUseControl(bool Value);

 private:
  friend class TdxNavBarGroup;
  friend class TdxNavBarGroupControl;
  TdxNavBarGroup* group_;
  bool allowControlResizing_ = false;
  bool showControl_ = false;
  bool useControl_ = false;
};

class TdxNavBarGroup : public TdxNavBarCustomItem {
  DECLARE_CLASS(TdxNavBarGroup, TdxNavBarCustomItem)
 public:
  explicit TdxNavBarGroup(TComponent* AOwner);
  ~TdxNavBarGroup() override;
  // Releases the accessibility objects, the custom styles, the control and the links.
  void BeforeDestruction() override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void SetName(const String& NewName) override;
  // Updates the action links of the items of its links.
  void UpdateActionLinks() override;

  TdxBarStyleVAlignment Align() const { return align_; }
  void SetAlign(TdxBarStyleVAlignment Value);
  bool LinksUseSmallImages() const { return linksUseSmallImages_; }
  void SetLinksUseSmallImages(bool Value);
  // Clamped to -1..LinkCount-1; always -1 while the bar does not allow selected links.
  int SelectedLinkIndex() const;
  void SetSelectedLinkIndex(int Value);
  bool ShowAsIconView() const { return showAsIconView_; }
  void SetShowAsIconView(bool Value);
  bool ShowCaption() const { return showCaption_; }
  void SetShowCaption(bool Value);
  // Clamped to 0..LinkCount-1 (0 without links).
  int TopVisibleLinkIndex() const { return topVisibleLinkIndex_; }
  void SetTopVisibleLinkIndex(int Value);
  bool UseSmallImages() const { return useSmallImages_; }
  void SetUseSmallImages(bool Value);
  bool VisibleForCustomization() const { return visibleForCustomization_; }
  void SetVisibleForCustomization(bool Value) { visibleForCustomization_ = Value; }

  TdxNavBarGroupExpansionOptions* OptionsExpansion() const { return optionsExpansion_; }
  void SetOptionsExpansion(TdxNavBarGroupExpansionOptions* Value) { optionsExpansion_->Assign(Value); }
  TdxNavBarGroupControlOptions* OptionsGroupControl() const { return optionsGroupControl_; }
  void SetOptionsGroupControl(TdxNavBarGroupControlOptions* Value) { optionsGroupControl_->Assign(Value); }
  TdxNavBarGroupCustomStyles* CustomStyles() const { return customStyles_; }
  void SetCustomStyles(TdxNavBarGroupCustomStyles* Value) { customStyles_->Assign(Value); }
  bool Expanded() const { return optionsExpansion_->Expanded(); }
  void SetExpanded(bool Value) { optionsExpansion_->SetExpanded(Value); }
  bool Expandable() const { return optionsExpansion_->Expandable(); }
  bool ShowControl() const { return optionsGroupControl_->ShowControl(); }
  bool UseControl() const { return optionsGroupControl_->UseControl(); }

  TdxNavBarItemLinks* Links() const { return links_; }
  int LinkCount() const { return links_->Count(); }
  TdxNavBarItemLink* LinkAt(int Index) const { return links_->Items(Index); }
  TdxNavBarItemLink* AddLinkForItem(TdxNavBarItem* AItem);
  void RemoveLinkAt(int Index) { links_->Delete(Index); }
  void RemoveLinksOfItem(TdxNavBarItem* AItem);
  void ClearLinks() { links_->Clear(); }
  // The group's panel, or null.
  TdxNavBarGroupControl* Control() const { return control_; }
  // The group's three accessibility objects, made on first use; null outside a bar.
  IdxNavBarAccessibilityHelper* AccessibilityObject();
  IdxNavBarAccessibilityHelper* CaptionPanelAccessibilityObject();
  IdxNavBarAccessibilityHelper* LinkContainerAccessibilityObject();

  virtual TdxNavBarAccessibilityHelperClass AccessibilityHelperClass();
  virtual TdxNavBarAccessibilityHelperClass CaptionPanelAccessibilityHelperClass();
  virtual TdxNavBarAccessibilityHelperClass LinkContainerAccessibilityHelperClass();

  virtual void CreateControl();
  virtual void DestroyControl();
  // Links both ways when the group lies in a collection and the control's parent is its bar.
  virtual void AttachControl(TdxNavBarGroupControl* AControl);
  virtual void DetachControl();

  TNotifyEvent OnCollapsed;
  TNotifyEvent OnExpanded;
  TNotifyEvent OnSelectedLinkChanged;
  TNotifyEvent OnTopVisibleLinkChanged;

 protected:
  void ApplyVisible(bool Value) override;
  // "Links": the group's links, always written.
  void DefineProperties(TFiler& Filer) override;
  TcxComponentCollection* CollectionOfParent(TComponent* AParent) override;
  virtual void DoCollapsed();
  virtual void DoExpanded();
  virtual void DoSelectedLinkChanged();
  virtual void DoTopVisibleLinkChanged();

 private:
  friend class TdxNavBarItemLink;
  friend class TdxNavBarItemLinks;
  friend class TdxNavBarGroupExpansionOptions;
  friend class TdxNavBarGroupControlOptions;
  friend class TdxNavBarGroupControl;
  void LinkAdded(TdxNavBarItemLink* ALink);
  void LinkRemoved(TdxNavBarItemLink* ALink);
  void LinksChanged(TdxNavBarItemLink* ALink);
  void CustomStylesChanged(TObject* Sender);
  void ReadLinks(TReader& Reader);
  void WriteLinks(TWriter& Writer);
  void LinkControl(TdxNavBarGroupControl* AControl);

  TdxBarStyleVAlignment align_ = vaTop;
  bool linksUseSmallImages_ = true;
  bool showAsIconView_ = false;
  bool showCaption_ = true;
  int topVisibleLinkIndex_ = 0;
  bool useSmallImages_ = true;
  bool visibleForCustomization_ = true;
  TdxNavBarGroupExpansionOptions* optionsExpansion_;
  TdxNavBarGroupControlOptions* optionsGroupControl_;
  TdxNavBarGroupCustomStyles* customStyles_;
  TdxNavBarItemLinks* links_;
  TdxNavBarItemLink* selectedLink_ = nullptr;
  int loadedSelectedLinkIndex_ = -1;
  TdxNavBarGroupControl* control_ = nullptr;
  InterfacePtr<IdxNavBarAccessibilityHelper> accessibilityObject_;
  InterfacePtr<IdxNavBarAccessibilityHelper> captionPanelAccessibilityObject_;
  InterfacePtr<IdxNavBarAccessibilityHelper> linkContainerAccessibilityObject_;
};

// ---- items --------------------------------------------------------------------------------------

// Carries an action's caption, enabled state, hint, image index (into both indexes) and visibility
// to an item, each only while the item's value still equals the action's.
class TdxNavBarItemActionLink : public TActionLink {
  DECLARE_CLASS(TdxNavBarItemActionLink, TActionLink)
 public:
  explicit TdxNavBarItemActionLink(TdxNavBarItem* AClient);
  bool IsCaptionLinked() override;
  bool IsEnabledLinked() override;
  bool IsHintLinked() override;
  bool IsImageIndexLinked() override;
  bool IsVisibleLinked() override;
  bool IsCheckedLinked() override { return false; }
  bool IsShortCutLinked() override { return false; }
  bool IsHelpContextLinked() override { return false; }
  void SetCaption(const String& Value) override;
  void SetEnabled(bool Value) override;
  void SetHint(const String& Value) override;
  void SetImageIndex(int Value) override;
  void SetVisible(bool Value) override;

 private:
  TdxNavBarItem* item_;
};

class TdxNavBarItem : public TdxNavBarCustomItem {
  DECLARE_CLASS(TdxNavBarItem, TdxNavBarCustomItem)
 public:
  explicit TdxNavBarItem(TComponent* AOwner);
  ~TdxNavBarItem() override;
  // Also copies Enabled (not Action or OnClick).
  void Assign(TPersistent* Source) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TBasicAction* Action() const { return actionLink_ ? actionLink_->Action() : nullptr; }
  void SetAction(TBasicAction* Value);
  TdxNavBarItemActionLink* ActionLink() const { return actionLink_; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool Value);
  TdxNavBarItemCustomStyles* CustomStyles() const { return customStyles_; }
  void SetCustomStyles(TdxNavBarItemCustomStyles* Value) { customStyles_->Assign(Value); }
  void UpdateActionLinks() override;

  // What a form writer would store: values that the action link supplies are not.
  bool IsCaptionStored() const { return !(actionLink_ && actionLink_->IsCaptionLinked()); }
  bool IsHintStored() const { return !(actionLink_ && actionLink_->IsHintLinked()); }
  bool IsImageIndexStored() const { return !(actionLink_ && actionLink_->IsImageIndexLinked()); }
  bool IsVisibleStored() const { return !(actionLink_ && actionLink_->IsVisibleLinked()); }
  bool IsEnabledStored() const { return !enabled_ && !(actionLink_ && actionLink_->IsEnabledLinked()); }

  virtual bool IsEnabled() const { return enabled_; }
  virtual TdxNavBarItemCalculatorClass CalculatorClass();
  virtual void PaintLink(TdxNavBarPainter* APainter, TdxNavBarLinkViewInfo* ALinkViewInfo);

 protected:
  // Takes the custom action's values; with CheckDefaults only where the item still has its default.
  virtual void ActionChange(TObject* Sender, bool CheckDefaults);
  TcxComponentCollection* CollectionOfParent(TComponent* AParent) override;

 private:
  void CustomStylesChanged(TObject* Sender);
  TdxNavBarItemActionLink* actionLink_ = nullptr;
  bool enabled_ = true;
  TdxNavBarItemCustomStyles* customStyles_;
};

// ---- collections ------------------------------------------------------------------------------

class TdxNavBarCustomItems : public TdxNavBarComponentCollection {
  DECLARE_CLASS(TdxNavBarCustomItems, TdxNavBarComponentCollection)
 public:
  using TdxNavBarComponentCollection::TdxNavBarComponentCollection;
  // The first item of that caption (case-sensitive), or null.
  TdxNavBarCustomItem* FindByCaption(const String& ACaption) const;
  TdxNavBarCustomItem* ItemAt(int Index) const {
    return static_cast<TdxNavBarCustomItem*>(TdxNavBarComponentCollection::ItemAt(Index));
  }
};

using TdxNavBarLinksChangeEvent = TEvent<void(TObject* Sender, TdxNavBarItemLink* ALink)>;

class TdxNavBarGroups : public TdxNavBarCustomItems {
  DECLARE_CLASS(TdxNavBarGroups, TdxNavBarCustomItems)
 public:
  using TdxNavBarCustomItems::TdxNavBarCustomItems;
  TdxNavBarGroup* Add() { return static_cast<TdxNavBarGroup*>(TdxNavBarCustomItems::Add()); }
  TdxNavBarGroup* GroupAt(int Index) const { return static_cast<TdxNavBarGroup*>(ItemAt(Index)); }
  int Count() const { return ItemCount(); }
  // A link joined or left a group; not raised inside an update bracket.
  TdxNavBarLinksChangeEvent OnLinksChange;

 protected:
  // A group leaving the collection is forgotten by the bar (active, hot, pressed, clicked).
  void ItemNotification(TcxComponentCollectionItem* AItem, TcxCollectionChangeKind AAction) override;

 private:
  friend class TdxNavBarGroup;
  void LinksChanged(TdxNavBarItemLink* ALink) {
    if (UpdateCount() == 0 && OnLinksChange) OnLinksChange(this, ALink);
  }
};

class TdxNavBarItems : public TdxNavBarCustomItems {
  DECLARE_CLASS(TdxNavBarItems, TdxNavBarCustomItems)
 public:
  using TdxNavBarCustomItems::TdxNavBarCustomItems;
  TdxNavBarItem* AddNewItem() { return static_cast<TdxNavBarItem*>(Add()); }
  TdxNavBarItem* ItemAt(int Index) const { return static_cast<TdxNavBarItem*>(TdxNavBarCustomItems::ItemAt(Index)); }
  int Count() const { return ItemCount(); }
  // Clears, then makes an item of each source item's class and assigns it, in one update.
  void Assign(TPersistent* Source) override;

 protected:
  // An item leaving the collection loses its links in every group of the bar.
  void ItemNotification(TcxComponentCollectionItem* AItem, TcxCollectionChangeKind AAction) override;
};

// ---- group control ----------------------------------------------------------------------------

// The panel a group shows as its client instead of links.
class TdxNavBarGroupControl : public TCustomPanel {
  DECLARE_CLASS(TdxNavBarGroupControl, TCustomPanel)
 public:
  explicit TdxNavBarGroupControl(TComponent* AOwner);
  ~TdxNavBarGroupControl() override;
  // Refuses a parent other than its group's bar ("Invalid the TdxNavBarGroupControl parent or
  // group."); a bar parent is accepted while loading.
  void SetParent(TWinControl* AParent) override;
  // From outside: the height becomes the original height the bar gives the group.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  // Checks the parent and the group index read from form data, then links control and group.
  void ReadState(TReader& Reader) override;

  TdxNavBarGroup* Group() const { return ownerGroup_; }
  bool UseStyle() const { return useStyle_; }
  void SetUseStyle(bool Value);
  int OriginalHeight() const { return originalHeight_; }
  // Called by the bar's layout.
  virtual void AdjustBounds(const TRect& ARect, bool AVisible);

 protected:
  // "GroupIndex" (the group's index in the bar's groups) and "OriginalHeight".
  void DefineProperties(TFiler& Filer) override;
  void Paint() override;
  void CMVisibleChanged(TMessage& Message);

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(CM_VISIBLECHANGED, CMVisibleChanged)
  MESSAGE_MAP_END

 private:
  friend class TdxNavBarGroup;
  TdxNavBarGroup* ownerGroup_ = nullptr;
  int loadedGroupIndex_ = -1;
  int originalHeight_ = 0;
  int boundsLock_ = 0;
  bool useStyle_ = false;
};

// "Invalid the TdxNavBarGroupControl parent or group."
[[noreturn]] void RaiseInvalidGroupControl();
