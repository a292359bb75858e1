#pragma once
// Item links and their collections. A link places one item at one position of one collection (a
// toolbar, a menu, a popup menu, a sub-item's drop-down); the collection keeps its links in order,
// the derived lists the bar windows draw from (usable, showable, shown), the recent list of
// personalised menus, the inherited menu item options, and the operations that add, move, merge,
// read and write links.

#include <memory>
#include <vector>

#include "platform/framework/classes/Collection.h"
#include "platform/framework/classes/IniFiles.h"
#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/windows/ShortCuts.h"
#include "ui/bars/BarSupport.h"
#include "ui/bars/BarTypes.h"

// ---- the links owner ----------------------------------------------------------------------------

// What owns a link collection: a toolbar, a popup menu, a sub-item, an internal menu of the library.
class IdxBarLinksOwner : public virtual IInterface {
 public:
  // May the item be placed in the owner's links? ErrorText says why not.
  virtual bool CanAddItem(TdxBarItem* Item, String& ErrorText) = 0;
  // A new bar window for the owner's links.
  virtual TCustomdxBarControl* CreateBarControl() = 0;
  // The component that owns the links (a toolbar answers itself).
  virtual TComponent* OwnerComponent() = 0;
  virtual TdxBarItemLinks* OwnedItemLinks() = 0;

 protected:
  ~IdxBarLinksOwner() override = default;
};

// The rule of the menus' links owners (popup menus, sub-items): the item must be placeable on a
// menu, and an item owning links must not lead back to Owner (a menu inside itself).
bool CanAddMenuItem(IdxBarLinksOwner* Owner, TdxBarItem* Item, String& ErrorText);

// The links of an object that owns links, else null.
TdxBarItemLinks* OwnedLinksOf(TObject* Object);

// The toolbar whose links are being merged into another collection while a merge runs (set by the
// toolbar merge around MergeFrom); null otherwise. Links made by Assign during a merge are marked
// with it.
TdxBar* MergingToolbar();
void SetMergingToolbar(TdxBar* Toolbar);

// ---- item options -------------------------------------------------------------------------------

class TdxBarItemOptions : public TPersistent {
  DECLARE_CLASS(TdxBarItemOptions, TPersistent)
 public:
  explicit TdxBarItemOptions(TdxBarItemLinks* ALinks) : links_(ALinks) {}
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override;

  TdxBarItemOptionValues AssignedValues() const { return assignedValues_; }
  void SetAssignedValues(TdxBarItemOptionValues Value) { assignedValues_ = Value; }
  bool ShowDescriptions() const { return showDescriptions_; }
  void SetShowDescriptions(bool Value);
  bool ShowShortCuts() const { return showShortCuts_; }
  void SetShowShortCuts(bool Value);
  TdxBarMenuItemSize Size() const { return size_; }
  void SetSize(TdxBarMenuItemSize Value);
  // The option's value as an integer (Boolean 0/1, misNormal/misLarge).
  int Value(TdxBarItemOptionValue Option) const;
  void InitValue(TdxBarItemOptionValue Option, int Value);

 private:
  TdxBarItemLinks* links_;
  TdxBarItemOptionValues assignedValues_;
  bool showDescriptions_ = false;
  bool showShortCuts_ = true;
  TdxBarMenuItemSize size_ = misNormal;
};

// ---- the link -----------------------------------------------------------------------------------

class TdxBarItemLink : public TCollectionItem, public IdxBarSelectableItem {
  DECLARE_CLASS(TdxBarItemLink, TCollectionItem)
 public:
  explicit TdxBarItemLink(TCollection* Collection);
  ~TdxBarItemLink() override;
  void BeforeDestruction() override;
  void Assign(TPersistent* Source) override;
  // Moves the link to another links collection.
  virtual void SetLinksCollection(TCollection* Collection) { SetCollection(Collection); }
  // The item control hears that the user glyph changed.
  virtual void UserGlyphChanged();

  // ---- where the link is
  TdxBarItemLinks* OwnerLinks() const;
  TCustomdxBarControl* OwnerBarControl() const;
  TdxBarManager* BarManager() const;
  TdxBarItemControl* ItemControl() const { return itemControl_; }
  int ShownIndex() const;
  int ShowableIndex() const;
  const TRect& ItemRect() const { return itemRect_; }
  // Stores the rectangle and tells the item control.
  void StoreItemRect(const TRect& Rect);
  // A screen point in the bar window's client coordinates, less the item rectangle's top-left.
  TPoint ScreenToItemPoint(const TPoint& ScreenPoint) const;
  // The control of the class the item registered for the window's kind, when the link has an item and
  // an open window that is not being destroyed.
  void CreateItemControl();
  void DestroyItemControl();
  // Nothing while the manager's updates are locked.
  void RecreateItemControl();

  // ---- the item
  TdxBarItem* Item() const;
  // Null frees the link; an item the collection refuses raises the collection's text and leaves
  // the link without an item.
  void SetItem(TdxBarItem* Value);
  const String& PendingItemName() const { return pendingItemName_; }
  void SetPendingItemName(const String& Name) { pendingItemName_ = Name; }
  // The item of the pending name (case-insensitive), then the name is forgotten.
  void ResolveLoadedItemName();

  // ---- properties of the place
  // Computed: the stored flag on a shown link after the first, or a group start passed on by the
  // hidden links just before it.
  bool BeginGroup() const;
  bool BeginGroupFlag() const { return beginGroup_; }
  void SetBeginGroup(bool Value);
  TdxBarButtonGroupPosition ButtonGroup() const { return buttonGroup_; }
  void SetButtonGroup(TdxBarButtonGroupPosition Value);
  TdxBarItemPosition Position() const { return position_; }
  void SetPosition(TdxBarItemPosition Value);
  TdxBarItemViewLevels ViewLevels() const { return viewLevels_; }
  void SetViewLevels(TdxBarItemViewLevels Value);
  bool Visible() const { return visible_; }
  void SetVisible(bool Value);
  bool LoadedVisible() const { return loadedVisible_; }
  bool MostRecentlyUsed() const { return mostRecentlyUsed_; }
  void SetMostRecentlyUsed(bool Value);
  int UseCount() const { return useCount_; }
  void SetUseCount(int Value) { useCount_ = Value; }
  NativeInt Data = 0;
  bool MarkedForDeletion = false;
  int RowHeight = 0;
  TdxBar* MergedFromToolbar() const { return mergedFrom_; }
  void SetMergedFromToolbar(TdxBar* Bar) { mergedFrom_ = Bar; }
  const String& PreviousItemName() const { return previousItemName_; }

  // ---- user overrides
  TdxBarUserDefines UserDefine() const { return userDefine_; }
  void SetUserDefine(TdxBarUserDefines Value);
  const String& UserCaption() const { return userCaption_; }
  void SetUserCaption(const String& Value);
  TBitmap* UserGlyph() const { return userGlyph_.get(); }
  void SetUserGlyph(TBitmap* Value);
  TdxBarPaintStyle UserPaintStyle() const { return userPaintStyle_; }
  void SetUserPaintStyle(TdxBarPaintStyle Value);
  int UserWidth() const { return userWidth_; }
  void SetUserWidth(int Value);

  // ---- what is shown
  String DisplayCaption() const;
  TBitmap* DisplayGlyph() const;
  TdxBarPaintStyle PaintStyle() const;
  bool SupportsPaintStyle() const;
  int Width() const;
  bool CanBeShown() const;
  TdxBarItemLink* OriginLink() { return originLink_ ? originLink_ : this; }
  void SetOriginLink(TdxBarItemLink* Link) { originLink_ = Link; }
  // The next shown link after this one (wrapping), null when that is this link.
  TdxBarItemLink* FollowingShownLink() const;
  int RecentIndex() const;
  // Key and Shift of a key press against the caption's accelerator character; ssShift is taken out
  // of Shift when the character is an upper-case one.
  bool MatchesAccelerator(Word Key, TShiftState& Shift) const;
  // Does the item lead (through the links it owns, at any depth) to Owner?
  bool LeadsToOwner(IdxBarLinksOwner* Owner) const;
  bool IsSelectedInDesigner() const;
  void UpdateItemAction();
  // The design operations the item supports.
  int SupportedOperations() const;

  // ---- recent list
  void MarkRecentlyUsed(bool IncrementUse);
  void ResetUsage();
  void MoveToRecentTop(bool IncrementUse);
  void MoveToRecentEnd();
  void SetRecentIndex(int Index);
  void SaveRecentIndex();
  void RestoreRecentIndex();
  void CopyRecentUsage(TdxBarItemLink* Source);
  int LoadedRecentIndex() const { return loadedRecentIndex_; }
  int LoadedUseCount() const { return loadedUseCount_; }

  // ---- layout (Kind 0 an INI store, 1 the registry)
  static String LayoutSectionName(const String& Base, int Kind, int N);
  // False when the link was freed (its stored item does not exist).
  bool ReadLayout(TCustomIniFile& Store, const String& Base, int N, int Kind);
  void WriteLayout(TCustomIniFile& Store, const String& Base, int N, int Kind);
  void ReadMostRecentlyUsed(TCustomIniFile& Store, const String& Base, int N);

  // ---- design support
  // Before the link leaves its place: its group start goes to the next showable link.
  void PassGroupStartOn();

  int _AddRef() override { return ++refCount_; }
  int _Release() override { return --refCount_; }
  bool AllowsDelete(bool) override { return true; }
  void DeleteSelected(IdxBarSelectableItem*& Reference, bool DeleteComponent) override;
  // Commands: 0 user defines cleared; 4 the item's caption; 5 paint style; 6 position; 7 view
  // levels; 8 button group; 9 group start; 10 visibility; 11 recent use; 1-3 nothing.
  void ApplyCustomizingCommand(TdxBarItemLink* Model, int Command) override;
  TdxBarManager* SelectionBarManager() override { return BarManager(); }
  TObject* SelectableInstance() override { return this; }
  void AddSelectionComponents(TList& List) override;
  void NextSelectable(IdxBarSelectableItem*& Reference) override;
  TPersistent* SelectionParent() override;
  int SelectionStatus() override;
  int DesignMenuFlags() override;
  void InvalidateSelection() override {}
  bool IsComplexSelection() override { return false; }
  bool IsSelected() override { return IsSelectedInDesigner(); }
  void Select(int Mode) override;
  bool SelectParent() override;
  void SelectionChanged() override;

 protected:
  void DefineProperties(TFiler& Filer) override;

 private:
  friend class TdxBarItemLinks;
  friend class TdxBarItem;
  friend class TdxBarItemControl;
  void ApplyUserDefineChange(TdxBarUserDefines Value);
  void LeaveItem();

  bool beginGroup_ = false;
  TdxBarButtonGroupPosition buttonGroup_ = bgpNone;
  TdxBarItemControl* itemControl_ = nullptr;
  TdxBar* mergedFrom_ = nullptr;
  TdxBarItem* item_ = nullptr;
  TRect itemRect_{};
  String pendingItemName_;
  int loadedRecentIndex_ = -1;
  int loadedUseCount_ = 0;
  bool loadedVisible_ = true;
  bool mostRecentlyUsed_ = true;
  TdxBarItemLink* originLink_ = nullptr;
  TdxBarItemPosition position_ = ipBeginsNewRow;
  String previousItemName_;
  int savedRecentIndex_ = -1;
  int refCount_ = 0;
  int useCount_ = 0;
  String userCaption_;
  TdxBarUserDefines userDefine_;
  ObjectPtr<TBitmap> userGlyph_;
  TdxBarPaintStyle userPaintStyle_ = psStandard;
  int userWidth_ = 0;
  TdxBarItemViewLevels viewLevels_ = dxBarDefaultViewLevels;
  bool visible_ = true;
  bool detached_ = false;
};

// ---- the collection -----------------------------------------------------------------------------

class TdxBarItemLinks : public TCollection {
  DECLARE_CLASS(TdxBarItemLinks, TCollection)
 public:
  TdxBarItemLinks(TdxBarManager* ABarManager, IdxBarLinksOwner* AOwner);
  ~TdxBarItemLinks() override;
  void BeforeDestruction() override;
  // Copies the links (their visibility through the loaded field); a system-menu item in front stays.
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override;

  // ---- overridable answers
  // True unless the owner is a toolbar.
  virtual bool AllShownFit() const;
  // The next link after Start that answers Key (the menu or toolbar rule); null when none.
  virtual TdxBarItemLink* FindAcceleratedLinkFrom(Word Key, TShiftState Shift, TdxBarItemLink* Start) = 0;
  virtual int DefaultOptionValue(TdxBarItemOptionValue Option) const;
  // The own value when assigned or without parent links, else the parent links' value.
  virtual int OptionValue(TdxBarItemOptionValue Option, TdxBarItemLinks* Requester) const;
  virtual bool CanAcceptItem(TdxBarItem* Item, String& ErrorText);
  // Keyboard walking stops only at links whose item control can be selected; a link without an
  // item control cannot.
  virtual bool IsSelectableLink(TdxBarItemLink* Link) const;
  // The links of a toolbar: only they store button groups, positions, view levels and visibility.
  virtual bool OwnerIsToolbar() const { return false; }
  // The bar window shows the links on the screen.
  virtual bool BarControlShowing() const;
  // A new bar window from the owner, showing the links.
  TCustomdxBarControl* CreateBarControl();
  void FreeBarControl();

  // ---- lookups
  TdxBarManager* BarManager() const { return barManager_; }
  // The owner moved to another manager (popup menus).
  void SetBarManager(TdxBarManager* Value) { barManager_ = Value; }
  // A window that shows these links besides its own (the application menu's button strip).
  void SetBarControl(TCustomdxBarControl* Value) { barControl_ = Value; }
  IdxBarLinksOwner* LinksOwner() const { return owner_; }
  TdxBarItemLink* LinkAt(int Index) const { return static_cast<TdxBarItemLink*>(Items(Index)); }
  int UsableLinkCount() const { return int(usable_.size()); }
  TdxBarItemLink* UsableLinkAt(int Index) const { return usable_.at(Index); }
  int ShowableLinkCount() const { return int(showable_.size()); }
  TdxBarItemLink* ShowableLinkAt(int Index) const { return showable_.at(Index); }
  int ShowableIndexOf(const TdxBarItemLink* Link) const;
  int ShownLinkCount() const { return int(shown_.size()); }
  TdxBarItemLink* ShownLinkAt(int Index) const { return shown_.at(Index); }
  int ShownIndexOf(const TdxBarItemLink* Link) const;
  int IndexOfLink(const TdxBarItemLink* Link) const;
  // Case-sensitive on the items' names; links without item are skipped.
  int IndexOfItemName(const String& Name) const;
  bool HasItemControl(TdxBarItemControl* Control) const;
  TComponent* LinksOwnerComponent() const;
  TCustomdxBarControl* BarControl() const { return barControl_; }
  // The links of the window that opened this collection's window; null without one.
  TdxBarItemLinks* ParentLinks() const;
  bool UsesRecentItems() const;
  bool ShowDescriptions() const { return OptionValue(ioShowDescriptions, const_cast<TdxBarItemLinks*>(this)) != 0; }
  bool ShowShortCuts() const { return OptionValue(ioShowShortCuts, const_cast<TdxBarItemLinks*>(this)) != 0; }
  TdxBarMenuItemSize ItemSizeOption() const {
    return TdxBarMenuItemSize(OptionValue(ioSize, const_cast<TdxBarItemLinks*>(this)));
  }
  TdxBarItemOptions* ItemOptions() const { return itemOptions_.get(); }
  void SetItemOptions(TdxBarItemOptions* Options) { itemOptions_->Assign(Options); }
  bool IsUpdating() const { return UpdateCount() > 0; }
  bool IsAssigning() const { return assigning_; }
  int FittingShownCount() const;
  TdxBarItemLink* FirstSelectableShown() const;
  TdxBarItemLink* LastSelectableShown() const;
  TdxBarItemLink* NextShownLink(TdxBarItemLink* Link, bool AnyKind) const;
  TdxBarItemLink* PriorShownLink(TdxBarItemLink* Link, bool AnyKind) const;
  // The number of recent links a personalised menu shows; -1 for all.
  int RecentShownCount() const;
  bool LeadsToOwner(IdxBarLinksOwner* Owner) const;
  int RecentLinkCount() const { return int(recent_.size()); }
  TdxBarItemLink* RecentLinkAt(int Index) const { return recent_.at(Index); }
  int IndexOfRecent(const TdxBarItemLink* Link) const;
  int ShownLimit() const { return shownLimit_; }

  // ---- changing the content
  TdxBarItemLink* AddLink() { return static_cast<TdxBarItemLink*>(Add()); }
  TdxBarItemLink* InsertLink(int Index) { return static_cast<TdxBarItemLink*>(Insert(Index)); }
  // A link to Item at the end; when the item is refused the new link goes again and the error is
  // raised.
  TdxBarItemLink* AddItemLink(TdxBarItem* Item);
  TdxBarItemLink* AppendNewItem(TComponentClass ItemClass);
  TdxBarItemLink* AddLinkToNewItem(TComponentClass ItemClass, TdxBarManager* Manager = nullptr);
  void MoveLink(int CurIndex, int NewIndex);
  void SetShownLimit(int Limit);
  void RestoreShownLimit();
  void ClearItemRects();
  void UpdateActions();
  bool HandleShortCut(TShortCut ShortCut);
  // FindAcceleratedLinkFrom without ssAlt.
  TdxBarItemLink* FindAcceleratedLink(Word Key, TShiftState Shift, TdxBarItemLink* Start);
  void NotifyModified();
  void RefreshLinkLists();

  // ---- merging
  void MergeFrom(TdxBarItemLinks* Source);
  // Frees the links merged from Toolbar (any toolbar for null), also inside owned links.
  void RemoveMergedLinks(TdxBar* Toolbar);

  // ---- layout
  void ReadLayout(TCustomIniFile& Store, const String& Section, int Kind);
  void WriteLayout(TCustomIniFile& Store, const String& Section, int Kind);
  void ReadMostRecentlyUsedFlags(TCustomIniFile& Store, const String& Section);
  void RestoreItemStates(TCustomIniFile& Store, const String& Section);

  // After streaming: pending item names resolved, then the loaded state applied.
  void Loaded();
  void ApplyLoadedState(bool WithVisibility);

  // Set by owners whose links are internal to the library: no designer-modified notification.
  bool Internal = false;
  // The owner's UseRecentItems.
  bool UseRecentItems = true;
  // Called after every change of the whole collection.
  TNotifyEvent OnChange;

 protected:
  void Update(TCollectionItem* Item) override;
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override;

 private:
  friend class TdxBarItemLink;
  void RemoveFromLists(TdxBarItemLink* Link);
  void MoveInRecent(TdxBarItemLink* Link, int Index);
  static bool AnswersAccelerator(TdxBarItemLink* Link, Word Key, TShiftState Shift);
  friend class TdxBarControlItemLinks;
  friend class TdxBarSubMenuControlItemLinks;
  friend class TCustomdxBarControl;

  TdxBarManager* barManager_;
  IdxBarLinksOwner* owner_;
  bool assigning_ = false;
  std::vector<TdxBarItemLink*> usable_;
  std::vector<TdxBarItemLink*> showable_;
  std::vector<TdxBarItemLink*> shown_;
  std::vector<TdxBarItemLink*> recent_;
  TCustomdxBarControl* barControl_ = nullptr;
  ObjectPtr<TdxBarItemOptions> itemOptions_;
  int previousShownLimit_ = -1;
  int shownLimit_ = -1;
};

// The links of toolbars: accelerators only among the shown links of a visible window.
class TdxBarControlItemLinks : public TdxBarItemLinks {
  DECLARE_CLASS(TdxBarControlItemLinks, TdxBarItemLinks)
 public:
  using TdxBarItemLinks::TdxBarItemLinks;
  bool OwnerIsToolbar() const override { return true; }
  TdxBarItemLink* FindAcceleratedLinkFrom(Word Key, TShiftState Shift, TdxBarItemLink* Start) override;
};

// The links of menus: accelerators among all showable links, also those the recent limit hides.
class TdxBarSubMenuControlItemLinks : public TdxBarItemLinks {
  DECLARE_CLASS(TdxBarSubMenuControlItemLinks, TdxBarItemLinks)
 public:
  using TdxBarItemLinks::TdxBarItemLinks;
  bool AllShownFit() const override { return true; }
  TdxBarItemLink* FindAcceleratedLinkFrom(Word Key, TShiftState Shift, TdxBarItemLink* Start) override;
};
