#pragma once
// The bar manager: the non-visual component that owns a window's bar model (items and their
// categories, groups, popup-menu links, image lists, fonts, colours and the painter), the image
// options, the category list and the process-wide list of managers.

#include <memory>
#include <vector>

#include "platform/framework/classes/Component.h"
#include "platform/framework/classes/Strings.h"
#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/graphics/Graphics.h"
#include "platform/framework/graphics/ImageList.h"
#include "platform/framework/windows/Controls.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/BarSupport.h"
#include "ui/bars/BarTypes.h"
#include "ui/foundation/Classes.h"
#include "ui/foundation/Controls.h"
#include "ui/foundation/LookAndFeel.h"
#include "ui/foundation/Themes.h"

class TdxBarManager;
class TdxBarItemLinks;
class TCustomIniFile;
class TMemIniFile;
class TStream;
class TdxBars;
class TdxDockControl;
class TdxBarDockControl;

// ---- image options ------------------------------------------------------------------------------

// The five image lists, in the order a freed list is compared.
enum TdxBarImageListKind { ilkDisabledLarge, ilkDisabled, ilkHot, ilkImages, ilkLarge };

class TdxBarImageOptions : public TdxBarPersistent {
  DECLARE_CLASS(TdxBarImageOptions, TdxBarPersistent)
 public:
  explicit TdxBarImageOptions(TdxBarManager* ABarManager);
  ~TdxBarImageOptions() override;
  // Every property through its setter, except SmoothGlyphs and StretchGlyphs, copied directly.
  void Assign(TPersistent* Source) override;

  TCustomImageList* ImageList(TdxBarImageListKind Kind) const { return lists_[Kind].List; }
  void SetImageList(TdxBarImageListKind Kind, TCustomImageList* Value);
  TCustomImageList* DisabledImages() const { return ImageList(ilkDisabled); }
  void SetDisabledImages(TCustomImageList* Value) { SetImageList(ilkDisabled, Value); }
  TCustomImageList* DisabledLargeImages() const { return ImageList(ilkDisabledLarge); }
  void SetDisabledLargeImages(TCustomImageList* Value) { SetImageList(ilkDisabledLarge, Value); }
  TCustomImageList* HotImages() const { return ImageList(ilkHot); }
  void SetHotImages(TCustomImageList* Value) { SetImageList(ilkHot, Value); }
  TCustomImageList* Images() const { return ImageList(ilkImages); }
  void SetImages(TCustomImageList* Value) { SetImageList(ilkImages, Value); }
  TCustomImageList* LargeImages() const { return ImageList(ilkLarge); }
  void SetLargeImages(TCustomImageList* Value) { SetImageList(ilkLarge, Value); }

  TColor ImageListBkColor() const { return imageListBkColor_; }
  void SetImageListBkColor(TColor Value);
  bool LargeIcons() const { return largeIcons_; }
  void SetLargeIcons(bool Value);
  bool MakeDisabledImagesFaded() const { return makeDisabledImagesFaded_; }
  void SetMakeDisabledImagesFaded(bool Value);
  bool UseLargeImagesForLargeIcons() const { return useLargeImagesForLargeIcons_; }
  void SetUseLargeImagesForLargeIcons(bool Value);
  bool UseLeftBottomPixelAsTransparent() const { return useLeftBottomPixelAsTransparent_; }
  void SetUseLeftBottomPixelAsTransparent(bool Value);
  bool CacheGlyphs = true;
  bool SmoothGlyphs = false;
  bool StretchGlyphs = true;

  // 16 without LargeIcons; else the width of LargeImages when they are used for large icons, else 32.
  // Worked out when asked, so it follows every change of the options and of the large list.
  int GlyphSize() const;
  // True while one of the five image lists is being loaded.
  bool IsLoading() const;

  // The manager's hooks: an image list reported a change; an option changed; the large icons did.
  TEvent<void(TdxBarImageListKind Kind)> OnImageListChanged;
  TNotifyEvent OnChanged;
  TNotifyEvent OnLargeIconsChanged;

 private:
  struct ListSlot {
    TCustomImageList* List = nullptr;
    ObjectPtr<TChangeLink> Link;
  };
  void ListFreed(TObject* Component);
  void Changed();
  void LargeIconsChanged();

  ListSlot lists_[5];
  ObjectPtr<TcxFreeNotificator> freeNotificator_;
  TColor imageListBkColor_ = clFuchsia;
  bool largeIcons_ = false;
  bool makeDisabledImagesFaded_ = false;
  bool useLargeImagesForLargeIcons_ = false;
  bool useLeftBottomPixelAsTransparent_ = true;
};

// ---- categories ---------------------------------------------------------------------------------

class TdxBarCategoryData : public TObject {
  DECLARE_CLASS(TdxBarCategoryData, TObject)
 public:
  TdxBarItemVisible ItemsVisible = ivAlways;
  TdxBarItemVisible LoadedItemsVisible = ivAlways;
  bool Visible = true;
};

// The category names; each object an optional TdxBarCategoryData (none counts as ivAlways and
// visible). Insert, Delete, Exchange and Move keep the items' category indexes in step; every change
// marks the manager designer-modified. Streams "ItemsVisibles" and "Visibles".
class TdxBarManagerCategories : public TStringList {
  DECLARE_CLASS(TdxBarManagerCategories, TStringList)
 public:
  explicit TdxBarManagerCategories(TdxBarManager* ABarManager) : barManager_(ABarManager) {}
  ~TdxBarManagerCategories() override;

  void Clear() override;
  // Moves the items of categories Index.. one index up first.
  void Insert(int Index, const String& Text) override;
  // Frees the category's items; later categories' items move one down; an emptied list gets the
  // "Default" category back.
  void Delete(int Index) override;
  void Exchange(int Index1, int Index2) override;
  void Move(int CurIndex, int NewIndex) override;

  TdxBarCategoryData* Data(int Index) const;
  // The data object, made (ivAlways, visible) when missing.
  TdxBarCategoryData* EnsureData(int Index);
  // The defined properties "ItemsVisibles" and "Visibles", named Prefix + name.
  void DefineCategoryProperties(TFiler& Filer, const String& Prefix);

 protected:
  void Changed() override;

 private:
  void ReadItemsVisibles(TReader& Reader);
  void WriteItemsVisibles(TWriter& Writer);
  void ReadVisibles(TReader& Reader);
  void WriteVisibles(TWriter& Writer);
  void ShiftCategory(int From, int To);

  TdxBarManager* barManager_;
  bool renumbering_ = false;
};

// ---- events -------------------------------------------------------------------------------------

using TdxBarEvent = TEvent<void(TdxBarManager* Sender, TdxBar* ABar)>;
using TdxBarVisibleChangeEvent = TEvent<void(TdxBarManager* Sender, TdxBar* ABar)>;
using TdxBarItemLinkEvent = TEvent<void(TdxBarManager* Sender, TdxBarItemLink* AItemLink)>;
using TdxBarMergeItemLinkEvent =
    TEvent<void(TdxBarManager* Sender, TdxBarItemLinks* ADstItemLinks, TdxBarItemLinks* ASrcItemLinks,
                TdxBarItemLink* ASrcItemLink, TdxBarItemMergeKind& AMergeKind, int& AMergeIndex)>;
using TdxBarCanDockingEvent =
    TEvent<void(TdxBar* Sender, TdxBarDockingStyle Style, TdxBarDockControl* DockControl, bool& CanDocking)>;
using TdxBarMergeEvent = TEvent<void(TdxBarManager* Sender, TdxBarManager* ChildBarManager, bool AddItems)>;
// What the MDIStateChanged handlers receive: Change 0 a child activated, 1 deactivated, 2 its
// maximized state changed; the child form (null when none).
struct TdxBarMDIStateChangeEventData {
  int Change = 0;
  TCustomForm* Child = nullptr;
};
using TdxBarShowPopupEvent = TEvent<void(TdxBarManager* Sender, TdxBarItemLinks* PopupItemLinks)>;
using TdxBarClickItemEvent = TEvent<void(TdxBarManager* Sender, TdxBarItem* ClickedItem)>;

// The data the ReadIniFile and WriteIniFile handlers receive.
struct TdxBarIniFileEventData {
  TCustomIniFile* IniFile = nullptr;
  int IsRegistry = 0;
  String BaseSection;
  String Separator;
};

// ---- the manager --------------------------------------------------------------------------------

class TdxBarManager : public TComponent {
  DECLARE_CLASS(TdxBarManager, TComponent)
 public:
  // A null AOwner stands for the application's main form. The owner must be a TWinControl that no
  // other manager sits on; else the constructor raises and nothing is registered.
  explicit TdxBarManager(TComponent* AOwner);
  ~TdxBarManager() override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void ReadState(TReader& Reader) override;
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;
  TComponent* GetChildOwner() override { return Owner(); }
  void SetChildOrder(TComponent* Child, int Order) override;

  // ---- state queries
  bool IsDesigning() const { return ComponentState().Contains(csDesigning); }
  bool BeingDestroyed() const { return ComponentState().Contains(csDestroying); }
  bool IsLoading() const { return ComponentState().Contains(csLoading); }
  bool InLoadingPhase() const { return IsLoading() || insideLoaded_; }
  bool IsCustomizing() const { return customizing_; }
  bool InDesignOrCustomizing() const { return IsCustomizing() || IsDesigning(); }
  bool IsUpdateLocked() const { return barsUpdateLock_ > 0; }
  TComponent* OwnerComponent() const { return Owner(); }
  TCustomForm* MainFormOf() { return BarManagerForm(this, bfkMain); }
  TCustomForm* MDIChildOrTopForm() { return BarManagerForm(this, bfkMDIChildOrTop); }
  TCustomForm* NearestOwnerForm() { return BarManagerForm(this, bfkAny); }
  // False only when the Owner is designing and inline (never at run time).
  bool OwnerAllowsEditing() const;
  // The manager of the window around the Owner's window; null while the Owner has no window.
  TdxBarManager* ParentManager() const;
  int ItemCount() const;
  // The item and group lists; the customizing dialog chains their change events.
  TdxBarComponentList* ItemList() const { return items_.get(); }
  TdxBarComponentList* GroupList() const { return groups_.get(); }
  // The manager is handling its owner form's activation change.
  bool InsideActivation() const { return insideActivation_; }
  TdxBarItem* ItemAt(int Index) const;
  int GroupCount() const;
  TdxBarGroup* GroupAt(int Index) const;
  // The drag state of links (the customizing code's): until it exists nothing is ever dragged.
  bool IsDragging() const { return false; }
  TdxBarItem* DraggingItem() const { return draggingItem_; }
  TdxBarItemLink* DraggingItemLink() const { return draggingItemLink_; }
  // The item and link a pressed link in customizing mode will drag.
  void SetDraggingItem(TdxBarItem* Item, TdxBarItemLink* Link) {
    draggingItem_ = Item;
    draggingItemLink_ = Link;
  }
  bool IsFlatStyle() const { return style_ == bmsFlat; }
  int GlyphSize() const { return imageOptions_->GlyphSize(); }
  bool UsesLargeImagesForLargeIcons() const;
  int RecentItemsUseCountThreshold() const { return recentItemsUseCountThreshold_; }
  // The customizing dialog while customizing (none yet); else the application's window when
  // visible; else the Owner's window.
  HWND MessageBoxParentHandle() const;
  bool CanResetBars() const { return readStateCount_ > 0 && AllowReset; }

  // ---- lookups
  // Case-insensitive on the items' names.
  TdxBarItem* ItemByName(const String& Name) const;
  // Clears List, adds every item of the category; the count.
  int AllItemsOfCategory(int Index, TList& List) const;
  // At run time only items that are showable, host no control and are not hidden from run-time
  // command lists.
  int ItemsOfCategory(int Index, TList& List) const;
  // The index of the n-th visible category (n itself at design time); -1 when none.
  int CategoryIndexOfVisible(int N) const;
  // The category that entry i of a category list stands for (hidden categories skipped at run time).
  int CategoryIndexOfListIndex(int I) const { return CategoryIndexOfVisible(I); }

  // ---- categories
  TdxBarManagerCategories* Categories() const { return categories_.get(); }
  void SetCategories(TStrings* Value);
  TdxBarItemVisible CategoryItemsVisible(int Index) const;
  bool CategoryVisible(int Index) const;
  void SetCategoryItemsVisible(int Index, TdxBarItemVisible Value);
  void SetCategoryVisible(int Index, bool Value);

  // ---- registration calls of items and groups
  void AddGroup(TdxBarGroup* Group);
  TdxBarGroup* CreateGroup();
  // An item of the class, in the category named "Default" (category 0 when there is none).
  TdxBarItem* CreateItem(TComponentClass ItemClass);
  void MoveItem(int CurIndex, int NewIndex);
  // An item the design controller keeps for its menus leaves the item list (it keeps its manager).
  void TakeOutInternalItem(TdxBarItem* Item);
  TdxBarItemControl* SelectedItemControl() const { return selectedItemControl_; }
  // Stores only.
  void SetSelectedItemControl(TdxBarItemControl* Control) { selectedItemControl_ = Control; }
  // In customizing or design mode the old control's window drops its hot control when Control is
  // null or lies in another window; then Control is stored.
  void SelectItemControl(TdxBarItemControl* Control);
  // The toolbar window that has the keyboard (set and cleared by the toolbar windows).
  TCustomdxBarControl* KeyboardFocusedBar() const { return keyboardFocusedBar_; }
  void SetKeyboardFocusedBar(TCustomdxBarControl* Value) { keyboardFocusedBar_ = Value; }

  // ---- mouse tracking of bar windows: the previously tracked window gets its leave
  void StartMouseTracking(TCustomdxBarControl* BarControl);
  void EndMouseTracking(TCustomdxBarControl* BarControl);
  bool IsMouseTrackingBarControl(TCustomdxBarControl* BarControl) const { return mouseTrackedBar_ == BarControl; }
  TCustomdxBarControl* MouseTrackedBar() const { return mouseTrackedBar_; }

  // ---- item hints
  // Nothing in customizing mode, at design time or without ShowHint. A show request for a selected
  // control of an inactive window, a text or a hint object shows at once while a hint is visible or
  // within 400 ms of the last one, else after the hint window's pause; the hint hides after the
  // window's hide pause.
  void ShowItemHint(bool Show, const String& Text = String(), TObject* HintObject = nullptr);
  void HideItemHint() { ShowItemHint(false); }
  // The object is going: a hint requested for it is dropped.
  void ForgetHintObject(TObject* Object);
  TObject* HintObject() const { return hintObject_; }
  // The timers of the item hints: the show pause, the hide pause, the 400 ms quick re-show.
  enum THintTimer { htShow, htHide, htQuick };
  TcxTimer* HintTimer(THintTimer Kind) const { return hintTimers_[Kind].get(); }
  bool QuickHint() const { return quickHint_; }
  // At run time the class name without its first letter, followed by 1, 2, ... until no item has
  // that name.
  String UniqueItemName(TClass ItemClass) const;

  // ---- locking and notification
  void BeginBarsUpdate();
  void EndBarsUpdate(bool Changed = true);
  int BarsUpdateLockCount() const { return barsUpdateLock_; }
  void NotifyDesignerModified();
  void LockDesignerModified(bool Lock, bool NotifyOnUnlock = true);
  void LockDesignerNotifications(bool Lock, bool NotifyOnUnlock = true) { LockDesignerModified(Lock, NotifyOnUnlock); }
  bool Modified() const { return modified_; }
  // Proc for every item inside one bars update; nothing while loading or being destroyed.
  void ForEachItem(const TEvent<void(TdxBarItem* Item)>& Proc);

  // ---- customizing mode (the flag; the windows' part comes with them)
  void SetCustomizingMode(bool Value);

  // ---- style and painter
  // Style, or for bmsUseLookAndFeel the style the look and feel stands for.
  TdxBarManagerStyle EffectiveStyle() const;
  // The effective style is not bmsStandard and MenusShowRecentItemsFirst.
  bool ShowsRecentItemsFirst() const { return EffectiveStyle() != bmsStandard && menusShowRecentItemsFirst_; }
  // Style, NotDocking, the look and feel, the theme or the bar background changed.
  void StyleChanged();
  // The theme flag again (visual styles active for the bars' nine themed kinds); the old painter goes
  // and a new one of PainterClass comes.
  void UpdatePainter();
  // The resolved painter style (0 standard ... 5 skinned) of Style, the look and feel and the theme.
  int ResolvePainterStyle() const;
  // The painter class of the resolved style, from the table of painter classes.
  virtual TdxBarPainterClass PainterClass() const;
  // The manager's painter; null while no painter class is registered.
  TdxBarPainter* Painter() const { return painter_.get(); }
  TdxBarPainterClass DefaultPainterClass() const { return painter_ ? painter_->PainterClass() : nullptr; }
  bool ThemeAvailable() const { return themeAvailable_; }
  TcxLookAndFeel* LookAndFeel() const { return lookAndFeel_.get(); }
  void SetLookAndFeel(TcxLookAndFeel* Value) { lookAndFeel_->Assign(Value); }
  // The toolbar theme's brush while themes are available, else null.
  HBRUSH ThemeToolbarBrush() const { return themeToolbarBrush_; }

  // ---- layout bookkeeping shared with the links
  // The names of the items a stored layout did not know, while a layout is being read; else null.
  TStrings* NewItemNames() const { return newItemNames_; }
  void SetNewItemNames(TStrings* Names) { newItemNames_ = Names; }
  // Set while the designed layout is written into the saved initial layout.
  bool WritingInitialLayout() const { return writingInitialLayout_; }
  void SetWritingInitialLayout(bool Value) { writingInitialLayout_ = Value; }


  // ---- toolbars and dock sites
  // The toolbar collection (with the four default dock sites).
  TdxBars* Bars() const { return bars_.get(); }
  // The registered dock sites, in registration order (the default ones first).
  int DockControlCount() const { return int(dockControls_.size()); }
  TdxDockControl* DockControlAt(int Index) const { return dockControls_.at(Index); }
  void AddDockControl(TdxDockControl* Site);
  void RemoveDockControl(TdxDockControl* Site);
  TdxBar* MainMenuBar() const { return mainMenuBar_; }
  void SetMainMenuBar(TdxBar* Bar) { mainMenuBar_ = Bar; }
  // Not in the toolbar's NotDocking; a user site's own answer, else not in the manager's
  // NotDocking; then OnDocking may change it.
  bool CanDock(TdxBar* Bar, TdxBarDockingStyle Style, TdxDockControl* Site);
  virtual void DoBarDockingStyleChange(TdxBar* Bar);
  // The hidden window the move loop captures the mouse to (made on first use).
  HWND MessageWindow();
  // Toolbars are being placed at the end of loading, or a stored layout is being read.
  bool PlacingBars() const { return placingBars_; }
  bool RestoringLayout() const { return restoringLayout_; }
  bool ResettingBar() const { return resettingBar_; }
  void SetResettingBar(bool Value) { resettingBar_ = Value; }

  // ---- the restoring list: toolbars to show once their dock site has a window
  void CreateRestoringList() { hasRestoringList_ = true; }
  void FreeRestoringList();
  bool HasRestoringList() const { return hasRestoringList_; }
  void AddRestoringBar(TdxBar* Bar);
  void RemoveRestoringBar(TdxBar* Bar);
  int RestoringBarIndex(TdxBar* Bar) const;
  int RestoringBarCount() const { return int(restoringBars_.size()); }
  // Shows the waiting toolbars of the site (null: those whose site has a window or that have none).
  void ShowRestoredBars(TdxDockControl* Site);

  // ---- the layout
  void ReadLayout(TCustomIniFile& Store, const String& Base, bool IsRegistry);
  void WriteLayout(TCustomIniFile& Store, const String& Base, bool IsRegistry);
  void ReadLayoutFromRegistry(const String& Path);
  void WriteLayoutToRegistry(const String& Path);
  void ReadLayoutFromIni(const String& FileName);
  void WriteLayoutToIni(const String& FileName);
  // The INI base: the Owner chain's names up to the first form, then the manager's, each with a dot.
  String IniBase() const;
  // The designed layout, written at the end of loading.
  TMemIniFile* SavedLayout() const { return savedLayout_.get(); }
  // The first saved toolbar with the caption; -1 when none.
  int SavedBarIndexByCaption(const String& Caption) const;
  // The user dock site a stored path names (null when none).
  TdxBarDockControl* FindDockControl(const String& Path) const;
  // When attached, the INI layout is read from and written to it instead of the file.
  TStream* LayoutStream = nullptr;

  // ---- the customizing operations
  // Prefix + 1, 2, ... until no toolbar has that caption.
  String UniqueBarCaption(const String& Prefix) const;
  // With AskName the name dialog comes first; Cancel gives null and changes nothing.
  TdxBar* AddNewToolbar(bool IsMainMenu, bool AskName = false);
  // The name dialog with the toolbar's caption; OK sets the new caption.
  void RenameBar(TdxBar* Bar);
  void ResetBar(TdxBar* Bar);
  void ResetUsageData();
  // Asks (Yes/No warning); Yes resets. True when reset.
  bool AskResetUsageData();
  void DisableFloatingBars();
  void EnableFloatingBars();
  void UnmergeBars(TdxBarManager* Other, bool All);
  void RemergeBars();
  // ---- MDI: the owner is an MDI frame
  // Compares the frame's active child and its maximized state with the remembered ones and reports
  // the changes (deactivated, activated, maximized state) through MDIStateChanged.
  void CheckMDIState();
  // Merges the child's main menu into this one (maximized child, or AlwaysMerge) or unmerges it,
  // fires OnMenuMerge and OnMerge and calls the MDIStateChanged handlers.
  void MDIStateChanged(int Kind, TCustomForm* Child);
  // A maximized child with a system menu gets a sub-item mirroring that menu at the front of the
  // main menu bar, kept in the hidden items (BarUnit.cpp); the second frees every hidden item.
  void AddSystemMenuItem(TCustomForm* Child);
  void RemoveHiddenItems();
  int HiddenItemCount() const;
  TCustomForm* RememberedMDIChild() const;
  bool MDIChildMaximized() const { return mdiMaximized_; }
  // Every toolbar window disabled while a modal dialog of the bars runs, and back.
  void DisableBarWindows();
  void ReenableBarWindows();

  // ---- designer wrappers: they answer as with no designer while none is attached
  // The attached designer (the form designer at design time, the customizing form's selection
  // controller at run time), held counted; null detaches.
  IdxBarDesigner* Designer() const { return designer_.get(); }
  void SetDesigner(IdxBarDesigner* Value) { designer_ = Value; }
  bool CanDeleteComponent(TComponent* Component) const;
  void GetDesignSelection(TList& List) const;
  void GetFilteredSelection(TList& List) const;
  int SelectionStatusOf(TObject* Object) const;
  bool IsSelectedInDesigner(TObject* Object) const { return SelectionStatusOf(Object) == 1; }
  void SelectInDesigner(TObject* Object, int Operation);
  void SetDesignSelection(int) {}
  void ShowDefaultEventHandler(TdxBarItem* Item);
  void DesignerUniqueName(const String& BaseName, String& Name) const;

  // ---- colours computed from the system colours
  TColor FlatShadowColor() const;
  TColor FlatToolbarColor() const;
  TColor FlatDownColor() const;
  TColor FlatDownSelectedColor() const;
  TColor FlatLightColor() const;
  // The system colours changed: the brushes again.
  void RefreshColors();
  HBRUSH FlatBrush(int Index) const { return flatBrushes_[Index]; }

  // ---- fonts
  TFont* Font() const { return font_.get(); }
  void SetFont(TFont* Value) { font_->Assign(Value); }
  TFont* EditFont() const { return editFont_.get(); }
  TFont* BarCaptionFont() const { return barCaptionFont_.get(); }
  bool UseSystemFont() const { return useSystemFont_; }
  void SetUseSystemFont(bool Value);
  bool Scaled() const { return scaled_; }
  void SetScaled(bool Value);
  void ApplySystemFont();

  // ---- published properties with setters
  bool AutoAlignBars() const { return autoAlignBars_; }
  void SetAutoAlignBars(bool Value);
  bool AutoDockColor() const { return autoDockColor_; }
  void SetAutoDockColor(bool Value);
  bool AutoHideEmptyBars() const { return autoHideEmptyBars_; }
  void SetAutoHideEmptyBars(bool Value);
  TdxBarBackgrounds* Backgrounds() const { return backgrounds_.get(); }
  void SetBackgrounds(TdxBarBackgrounds* Value) { backgrounds_->Assign(Value); }
  int ButtonArrowWidth() const { return buttonArrowWidth_; }
  void SetButtonArrowWidth(int Value);
  int LargeButtonArrowWidth() const { return largeButtonArrowWidth_; }
  void SetLargeButtonArrowWidth(int Value);
  // The Owner's colour while AutoDockColor; writing switches AutoDockColor off.
  TColor DockColor() const;
  void SetDockColor(TColor Value);
  bool IsDockColorStored() const { return !autoDockColor_; }
  bool FlatCloseButton() const { return flatCloseButton_; }
  void SetFlatCloseButton(bool Value);
  TBitmap* HelpButtonGlyph() const { return helpButtonGlyph_.get(); }
  void SetHelpButtonGlyph(TBitmap* Value) { helpButtonGlyph_->Assign(Value); }
  bool HideFloatingBarsWhenInactive() const { return hideFloatingBarsWhenInactive_; }
  void SetHideFloatingBarsWhenInactive(bool Value);

  // ---- owner-window messages (the hooks route them; BarHooks.cpp)
  // WM_ACTIVATE of the owner: State and Minimized from its WParam, OtherWindow its LParam.
  void OwnerActivate(int State, bool Minimized, HWND OtherWindow, HWND Window);
  void AppActivate(bool Active);
  // Stores the flag and, when it changed, updates the floating toolbars.
  void SetMainFormActive(bool Active, bool Force, HWND Window);
  // Hides the floating toolbars when the owner is left (HideFloatingBarsWhenInactive or Force), or
  // shows them again; refreshes them otherwise.
  void UpdateFloatingBarsVisibility(bool Active, bool Force, HWND Window);
  // Moves every floating toolbar into the work area of the Owner's monitor.
  void KeepFloatingBarsInWorkArea();
  bool MainFormActive() const { return mainFormActive_; }
  TdxBarImageOptions* ImageOptions() const { return imageOptions_.get(); }
  void SetImageOptions(TdxBarImageOptions* Value) { imageOptions_->Assign(Value); }
  TdxBarMenuAnimations MenuAnimations() const { return menuAnimations_; }
  void SetMenuAnimations(TdxBarMenuAnimations Value);
  bool MenusShowRecentItemsFirst() const { return menusShowRecentItemsFirst_; }
  void SetMenusShowRecentItemsFirst(bool Value);
  int MostRecentItemsPercents() const { return mostRecentItemsPercents_; }
  // Above 100 becomes 100; the recent-use threshold follows.
  void SetMostRecentItemsPercents(Byte Value);
  TdxBarDockingStyles NotDocking() const { return notDocking_; }
  void SetNotDocking(TdxBarDockingStyles Value);
  TdxBarPopupMenuLinks* PopupMenuLinks() const { return popupMenuLinks_.get(); }
  // The popup menus of the manager, in the order they joined it.
  int PopupMenuCount() const { return int(popupMenus_.size()); }
  TdxBarCustomPopupMenu* PopupMenuAt(int Index) const { return popupMenus_.at(size_t(Index)); }
  void AddPopupMenu(TdxBarCustomPopupMenu* Menu);
  void RemovePopupMenu(TdxBarCustomPopupMenu* Menu);
  void SetPopupMenuLinks(TdxBarPopupMenuLinks* Value) { popupMenuLinks_->Assign(Value); }
  const String& RegistryPath() const { return registryPath_; }
  // Stores the path normalised: empty stays empty; a backslash in front and at the end.
  void SetRegistryPath(const String& Value);
  bool ShowCloseButton() const { return showCloseButton_; }
  void SetShowCloseButton(bool Value);
  bool ShowFullMenusAfterDelay() const { return showFullMenusAfterDelay_; }
  void SetShowFullMenusAfterDelay(bool Value);
  bool ShowHelpButton() const { return showHelpButton_; }
  void SetShowHelpButton(bool Value);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool Value);
  bool ShowShortCutInHint() const { return showShortCutInHint_; }
  void SetShowShortCutInHint(bool Value);
  TdxBarManagerStyle Style() const { return style_; }
  void SetStyle(TdxBarManagerStyle Value);
  bool SunkenBorder() const { return sunkenBorder_; }
  void SetSunkenBorder(bool Value);
  int WaitForDockingTime() const { return waitForDockingTime_; }
  // Negative values are ignored.
  void SetWaitForDockingTime(int Value);

  // Stored only.
  bool AllowCallFromAnotherForm = false;
  bool AllowReset = true;
  bool AlwaysMerge = false;
  bool AlwaysSaveText = false;
  bool CanCustomize = true;
  int HelpContext = 0;
  String IniFileName;
  bool ShowHintForDisabledItems = true;
  bool StoreInIniFile = false;
  bool StoreInRegistry = false;
  bool UseF10ForMenu = true;
  bool UseFullReset = false;

  // The ImageOptions properties under the manager's own names.
  TCustomImageList* DisabledImages() const { return imageOptions_->DisabledImages(); }
  void SetDisabledImages(TCustomImageList* Value) { imageOptions_->SetDisabledImages(Value); }
  TCustomImageList* DisabledLargeImages() const { return imageOptions_->DisabledLargeImages(); }
  void SetDisabledLargeImages(TCustomImageList* Value) { imageOptions_->SetDisabledLargeImages(Value); }
  TCustomImageList* HotImages() const { return imageOptions_->HotImages(); }
  void SetHotImages(TCustomImageList* Value) { imageOptions_->SetHotImages(Value); }
  TCustomImageList* Images() const { return imageOptions_->Images(); }
  void SetImages(TCustomImageList* Value) { imageOptions_->SetImages(Value); }
  TCustomImageList* LargeImages() const { return imageOptions_->LargeImages(); }
  void SetLargeImages(TCustomImageList* Value) { imageOptions_->SetLargeImages(Value); }
  TColor ImageListBkColor() const { return imageOptions_->ImageListBkColor(); }
  void SetImageListBkColor(TColor Value) { imageOptions_->SetImageListBkColor(Value); }
  bool LargeIcons() const { return imageOptions_->LargeIcons(); }
  void SetLargeIcons(bool Value) { imageOptions_->SetLargeIcons(Value); }
  bool MakeDisabledImagesFaded() const { return imageOptions_->MakeDisabledImagesFaded(); }
  void SetMakeDisabledImagesFaded(bool Value) { imageOptions_->SetMakeDisabledImagesFaded(Value); }
  bool StretchGlyphs() const { return imageOptions_->StretchGlyphs; }
  void SetStretchGlyphs(bool Value) { imageOptions_->StretchGlyphs = Value; }
  bool UseLargeImagesForLargeIcons() const { return imageOptions_->UseLargeImagesForLargeIcons(); }
  void SetUseLargeImagesForLargeIcons(bool Value) { imageOptions_->SetUseLargeImagesForLargeIcons(Value); }

  // The four dock-site sizes of "DockControlHeights": left width, right width, top height, bottom
  // height.
  int DockControlHeight(int Index) const { return dockControlHeights_[Index]; }

  // ---- multicast handlers
  TcxEventHandlerCollection* ReadIniFileHandlers() const { return readIniFileHandlers_.get(); }
  TcxEventHandlerCollection* WriteIniFileHandlers() const { return writeIniFileHandlers_.get(); }
  TcxEventHandlerCollection* MDIStateChangedHandlers() const { return mdiStateChangedHandlers_.get(); }
  TcxEventHandlerCollection* SystemFontChangedHandlers() const { return systemFontChangedHandlers_.get(); }

  // ---- overridable notifications
  virtual void DoClickItem(TdxBarItem* Item);
  virtual void DoBarAfterReset(TdxBar* Bar);
  virtual void DoBarBeforeReset(TdxBar* Bar);
  virtual void DoBarClose(TdxBar* Bar);
  virtual void DoCloseButtonClick();
  virtual void DoHelpButtonClick();
  virtual void DoShowCustomizingPopup(TdxBarItemLinks* Popup);
  virtual void DoShowToolbarsPopup(TdxBarItemLinks* Popup);
  // Only when not loading.
  virtual void DoItemLinkChange(TdxBarItemLink* Link);
  virtual void DoMergeItemLink(TdxBarItemLinks* Dst, TdxBarItemLinks* Src, TdxBarItemLink* SrcLink,
                               TdxBarItemMergeKind& Kind, int& Index);

  // ---- events
  TdxBarEvent OnBarAdd, OnBarAfterReset, OnBarBeforeReset, OnBarClose, OnBarDelete, OnBarDockingStyleChange;
  TdxBarVisibleChangeEvent OnBarVisibleChange;
  TdxBarItemLinkEvent OnItemLinkAdd, OnItemLinkChange, OnItemLinkDelete;
  TdxBarMergeItemLinkEvent OnMergeItemLink;
  TNotifyEvent OnCloseButtonClick, OnHelpButtonClick, OnHideCustomizingForm, OnShowCustomizingForm;
  TdxBarCanDockingEvent OnDocking;
  TdxBarMergeEvent OnMenuMerge, OnMerge;
  TdxBarShowPopupEvent OnShowCustomizingPopup, OnShowToolbarsPopup;
  TdxBarClickItemEvent OnClickItem;

 protected:
  void DefineProperties(TFiler& Filer) override;

 private:
  friend class TdxBarItem;
  friend class TdxBarGroup;
  friend class TdxBarManagerCategories;

  void FontChanged(TObject* Sender);
  void UpdateRecentItemsThreshold();
  void CreateColors();
  void ReleaseColors();
  void CreateBrushes();
  void DeleteBrushes();
  void ImageListChanged(TdxBarImageListKind Kind);
  void ImageOptionsChanged(TObject* Sender);
  void LargeIconsChanged(TObject* Sender);
  void ReadDockControlHeights(TReader& Reader);
  void WriteDockControlHeights(TWriter& Writer);
  void ApplyCategoryItemsVisible(int Index, TdxBarItemVisible OldValue, TdxBarItemVisible Value);

  bool insideLoaded_ = false;
  // Loaded ran while the bars-update lock was held: its remaining steps wait for the last unlock.
  bool loadedPending_ = false;
  void FinishLoaded();
  void RedrawPass();
  bool placingBars_ = false;
  bool restoringLayout_ = false;
  bool resettingBar_ = false;
  bool hasRestoringList_ = false;
  std::vector<TdxBar*> restoringBars_;
  std::vector<TdxDockControl*> dockControls_;
  TdxBar* mainMenuBar_ = nullptr;
  TcxObjectLink* mdiChild_ = nullptr;
  bool mdiMaximized_ = false;
  HWND messageWindow_ = nullptr;
  std::unique_ptr<TMemIniFile> savedLayout_;
  std::vector<TCustomdxBarControl*> disabledFloating_;
  std::vector<TCustomdxBarControl*> disabledWindows_;
  ObjectPtr<TdxBars> bars_;
  bool styleChanging_ = false;
  bool writingInitialLayout_ = false;
  TStrings* newItemNames_ = nullptr;
  bool customizing_ = false;
  bool internalFontChange_ = false;
  int barsUpdateLock_ = 0;
  int designerLock_ = 0;
  bool designerNotifyPending_ = false;
  bool modified_ = false;
  int readStateCount_ = 0;
  int recentItemsUseCountThreshold_ = 20;

  ObjectPtr<TdxBarBackgrounds> backgrounds_;
  ObjectPtr<TdxBarComponentList> hiddenItems_;
  ObjectPtr<TdxBarComponentList> items_;
  ObjectPtr<TdxBarManagerCategories> categories_;
  ObjectPtr<TdxBarComponentList> groups_;
  ObjectPtr<TcxEventHandlerCollection> readIniFileHandlers_;
  ObjectPtr<TcxEventHandlerCollection> writeIniFileHandlers_;
  ObjectPtr<TcxEventHandlerCollection> mdiStateChangedHandlers_;
  ObjectPtr<TcxEventHandlerCollection> systemFontChangedHandlers_;
  ObjectPtr<TFont> barCaptionFont_;
  ObjectPtr<TFont> editFont_;
  ObjectPtr<TFont> font_;
  ObjectPtr<TBitmap> helpButtonGlyph_;
  ObjectPtr<TdxBarPopupMenuLinks> popupMenuLinks_;
  std::vector<TdxBarCustomPopupMenu*> popupMenus_;
  ObjectPtr<TdxBarImageOptions> imageOptions_;
  ObjectPtr<TcxLookAndFeel> lookAndFeel_;
  ObjectPtr<TdxThemeChangedNotificator> themeNotificator_;
  ObjectPtr<TdxBarPainter> painter_;
  InterfacePtr<IdxBarDesigner> designer_;
  bool themeAvailable_ = false;
  bool office11Acquired_ = false;
  HBRUSH flatBrushes_[5] = {};
  HBRUSH themeToolbarBrush_ = nullptr;
  TdxBarItemControl* selectedItemControl_ = nullptr;
  TCustomdxBarControl* keyboardFocusedBar_ = nullptr;
  TCustomdxBarControl* mouseTrackedBar_ = nullptr;
  TdxBarItem* draggingItem_ = nullptr;
  TdxBarItemLink* draggingItemLink_ = nullptr;
  void HintUpdate(bool Show, const String& Text, TObject* HintObject);
  void HintHideStep(bool PartOfShowRequest);
  void ShowHintNow();
  void HintTimerFired(THintTimer Kind);
  void StopHint();
  bool hintRequested_ = false;
  bool hintShown_ = false;
  bool quickHint_ = false;
  String hintText_;
  TObject* hintObject_ = nullptr;
  ObjectPtr<TcxTimer> hintTimers_[3];

  bool autoAlignBars_ = false;
  bool autoDockColor_ = true;
  bool autoHideEmptyBars_ = false;
  bool scaled_ = true;
  bool useSystemFont_ = false;
  int buttonArrowWidth_ = 11;
  int largeButtonArrowWidth_ = 13;
  TColor dockColor_ = clBtnFace;
  bool flatCloseButton_ = false;
  bool hideFloatingBarsWhenInactive_ = true;
  bool mainFormActive_ = false;
  bool insideActivation_ = false;
  bool insideFloatingPass_ = false;
  bool inactiveWhileDisabled_ = false;
  TdxBarMenuAnimations menuAnimations_ = maNone;
  bool menusShowRecentItemsFirst_ = true;
  int mostRecentItemsPercents_ = 95;
  TdxBarDockingStyles notDocking_;
  String registryPath_;
  bool showCloseButton_ = false;
  bool showFullMenusAfterDelay_ = true;
  bool showHelpButton_ = false;
  bool showHint_ = true;
  bool showShortCutInHint_ = false;
  TdxBarManagerStyle style_ = bmsEnhanced;
  bool sunkenBorder_ = false;
  int waitForDockingTime_ = 21;
  int dockControlHeights_[4] = {};
};

// The recent-use threshold for a percentage: 0 for 100; else the smallest n >= 1 with
// n * (100 - p) / 100 > 0 (integer division).
int RecentItemsThresholdFor(int Percents);

// ---- the process-wide list of managers ----------------------------------------------------------

class TdxBarManagerList : public TdxObjectList {
  DECLARE_CLASS(TdxBarManagerList, TdxObjectList)
 public:
  TdxBarManager* ManagerAt(int Index) const { return static_cast<TdxBarManager*>(ObjectAt(Index)); }
  // The first manager in customizing mode, or null.
  TdxBarManager* CustomizingManager() const;
};

// The live managers in registration order; null before the library starts and after it ends.
TdxBarManagerList* BarManagerList();
void RegisterBarManager(TdxBarManager* Manager);
void UnregisterBarManager(TdxBarManager* Manager);
