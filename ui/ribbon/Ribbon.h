#pragma once
// The ribbon control: its construction checks, tabs and their groups (each group shows one toolbar
// of the bar manager, docked into the groups dock control of the active tab), the font set, the
// update lock with the coalesced relayout, the colour scheme chosen by name and the ribbon's entries
// in the bar manager's layout store.

#include <memory>
#include <vector>

#include "platform/framework/classes/Collection.h"
#include "platform/framework/graphics/Graphics.h"
#include "ui/bars/DockControl.h"
#include "ui/bars/painters/SkinnedPainter.h"
#include "ui/foundation/Classes.h"
#include "ui/foundation/Control.h"

class TdxBar;
class TdxBarManager;
class TdxCustomRibbon;
class TdxCustomRibbonSkin;
class TdxFader;
class TdxRibbonApplicationButton;
class TdxRibbonBarPainter;
class TdxRibbonPainter;
class TdxRibbonViewInfo;
class TdxRibbonTab;
class TdxRibbonTabGroup;
class TdxRibbonGroupsDockControlSite;
class TdxRibbonController;
class TdxRibbonTabGroupsPopupWindow;
class TdxBarButton;
class TCustomIniFile;

// The ribbon's own errors.
class EdxRibbonException : public Exception {
 public:
  using Exception::Exception;
};

// ---- module routines ----------------------------------------------------------------------------

// Moves a toolbar into a dock control, hiding it for the move (unless it is loading) and giving it
// its former visibility back afterwards, also when the move fails.
void MoveBarToDockControl(TdxBar* Bar, TdxBarDockControl* DockControl);
// Takes a toolbar out of every dock control, keeping its visibility.
void UndockBarCompletely(TdxBar* Bar);

// ---- groups dock control ------------------------------------------------------------------------

// The dock control of one tab: its groups' toolbars dock here while the tab is active. It is made
// invisible and without alignment; the ribbon places it.
class TdxRibbonGroupsDockControlViewInfo;

class TdxRibbonGroupsDockControl : public TdxBarDockControl {
  DECLARE_CLASS(TdxRibbonGroupsDockControl, TdxBarDockControl)
 public:
  TdxRibbonGroupsDockControl(TdxRibbonTab* ATab);
  ~TdxRibbonGroupsDockControl() override;
  TdxRibbonTab* Tab() const { return tab_; }
  TdxCustomRibbon* Ribbon() const;
  // The dock's own layout, in RibbonGroups.cpp: the view info fits the groups, SetBounds leaves room
  // for the scroll buttons and places the group bars.
  TdxRibbonGroupsDockControlViewInfo* ViewInfo() const { return viewInfo_; }
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  // One deferred batch moves every group bar to its place, side by side from FirstGroupLeft.
  void PlaceGroupBars();
  // Scrolls the groups by the least amount that shows R (dock client coordinates).
  void MakeRectVisible(const TRect& R);
  // Fits the groups into Bounds (the groups site's client area less the margins) and places the dock.
  void Recalculate(const TRect& Bounds);
  bool Calculating() const { return calculating_ > 0; }
  TdxBarControl* CreateBarControlFor(TdxBar* Bar) override;
  void FitRowsToLength() override;
  void AdjustSize() override {}
  // The groups area behind the dock, at the dock's place in the groups site.
  void FillBackground(HDC DC, const TRect& R, HBRUSH Brush, TColor Color) override;

 private:
  TdxRibbonTab* tab_;
  TdxRibbonGroupsDockControlViewInfo* viewInfo_ = nullptr;
  int calculating_ = 0;
};

// ---- tab groups ---------------------------------------------------------------------------------

class TdxRibbonTabGroups;

class TdxRibbonTabGroup : public TCollectionItem {
  DECLARE_CLASS(TdxRibbonTabGroup, TCollectionItem)
 public:
  explicit TdxRibbonTabGroup(TCollection* Collection);
  ~TdxRibbonTabGroup() override;

  TdxRibbonTab* Tab() const;
  TdxCustomRibbon* Ribbon() const;
  bool CanCollapse() const { return canCollapse_; }
  void SetCanCollapse(bool Value);
  // The bound toolbar; while the tab is loading, the bar manager's toolbar of the stored name.
  TdxBar* ToolBar() const;
  // Binds the group to a toolbar of the ribbon's bar manager; nil frees the group. A toolbar that
  // is the quick-access toolbar's, or that another group of this tab shows, is refused with
  // EdxRibbonException before anything changes.
  void SetToolBar(TdxBar* Value);
  void Assign(TPersistent* Source) override;
  virtual void DockToolbar(TdxBar* Bar);

  // The stored "ToolbarName", kept until the tab is loaded.
  String LoadedToolbarName;
  void ResolveLoadedToolbar();

 private:
  friend class TdxRibbonTab;
  friend class TdxCustomRibbon;
  void ReleaseToolbar(TdxBar* Bar);
  bool canCollapse_ = true;
  TdxBar* toolbar_ = nullptr;
};

class TdxRibbonTabGroups : public TCollection {
  DECLARE_CLASS(TdxRibbonTabGroups, TCollection)
 public:
  explicit TdxRibbonTabGroups(TdxRibbonTab* ATab);
  TdxRibbonTab* Tab() const { return tab_; }
  TdxRibbonTabGroup* Add() { return static_cast<TdxRibbonTabGroup*>(TCollection::Add()); }
  TdxRibbonTabGroup* GroupAt(int Index) const { return static_cast<TdxRibbonTabGroup*>(Items(Index)); }
  TPersistent* GetOwner() override;

 private:
  TdxRibbonTab* tab_;
};

// ---- tabs ---------------------------------------------------------------------------------------

class TdxRibbonTab : public TcxComponentCollectionItem {
  DECLARE_CLASS(TdxRibbonTab, TcxComponentCollectionItem)
 public:
  explicit TdxRibbonTab(TComponent* AOwner);
  ~TdxRibbonTab() override;
  void BeforeDestruction() override;

  TdxCustomRibbon* Ribbon() const { return ribbon_; }
  bool Active() const;
  void SetActive(bool Value);
  const String& Caption() const { return caption_; }
  void SetCaption(const String& Value);
  const String& KeyTip() const { return keyTip_; }
  void SetKeyTip(const String& Value) { keyTip_ = Value; }
  bool Visible() const { return visible_; }
  void SetVisible(bool Value);
  // The position among the visible tabs; -1 for an invisible tab.
  int VisibleIndex() const;
  int LastIndex() const { return lastIndex_; }
  TdxRibbonTabGroups* Groups() const { return groups_.get(); }
  TdxRibbonGroupsDockControl* GroupsDockControl() const { return groupsDockControl_; }

  void SetName(const String& NewName) override;
  String GetDisplayName() const;
  void Assign(TPersistent* Source) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  virtual void Activate();
  virtual void Deactivate();
  virtual TCollectionItemClass GroupClass() const;
  virtual void UpdateGroupsLayout();
  // The groups site's client area less the groups-area margins: where the dock control's groups go.
  virtual TRect GetDockControlBounds();
  void UpdateDockControl();
  // Docks every group's toolbar into this tab's dock control.
  void DockToolbars();

 protected:
  TcxComponentCollection* CollectionOfParent(TComponent* AParent) override;

 private:
  friend class TdxRibbonTabCollection;
  friend class TdxRibbonTabGroup;
  friend class TdxCustomRibbon;
  void Changed();
  TdxCustomRibbon* ribbon_ = nullptr;
  String caption_;
  String keyTip_;
  bool visible_ = true;
  int lastIndex_ = -1;
  TdxRibbonGroupsDockControl* groupsDockControl_ = nullptr;
  ObjectPtr<TdxRibbonTabGroups> groups_;
};

class TdxRibbonTabCollection : public TcxComponentCollection {
  DECLARE_CLASS(TdxRibbonTabCollection, TcxComponentCollection)
 public:
  explicit TdxRibbonTabCollection(TdxCustomRibbon* ARibbon);
  TdxCustomRibbon* Ribbon() const { return ribbon_; }
  TdxRibbonTab* Add() { return static_cast<TdxRibbonTab*>(CreateItem()); }
  TdxRibbonTab* TabAt(int Index) const { return static_cast<TdxRibbonTab*>(ItemAt(Index)); }

 protected:
  void ItemNotification(TcxComponentCollectionItem* AItem, TcxCollectionChangeKind AAction) override;
  void AssignItemName(TcxComponentCollectionItem* AItem) override;

 private:
  TdxCustomRibbon* ribbon_;
};

// ---- fonts --------------------------------------------------------------------------------------

enum TdxRibbonAssignedFont { afTabHeader, afGroup, afGroupHeader };
using TdxRibbonAssignedFonts = TSet<TdxRibbonAssignedFont>;

class TdxRibbonFonts : public TPersistent {
  DECLARE_CLASS(TdxRibbonFonts, TPersistent)
 public:
  explicit TdxRibbonFonts(TdxCustomRibbon* ARibbon);
  ~TdxRibbonFonts() override;

  TdxRibbonAssignedFonts AssignedFonts() const { return assignedFonts_; }
  void SetAssignedFonts(TdxRibbonAssignedFonts Value);
  TColor DocumentNameColor() const { return documentNameColor_; }
  void SetDocumentNameColor(TColor Value);
  TFont* CaptionFont() const { return captionFont_.get(); }
  TFont* Font(TdxRibbonAssignedFont Index) const { return fonts_[Index].get(); }
  void SetFont(TdxRibbonAssignedFont Index, TFont* Value) { fonts_[Index]->Assign(Value); }
  void Assign(TPersistent* Source) override;

  // Takes the caption font from the system's non-client metrics and refreshes the fonts that are not
  // assigned from the ribbon's and the bar manager's fonts and the skin's colours.
  void UpdateFonts();
  // Each answers the one scratch font, filled anew by every call.
  virtual TFont* GetFormCaptionFont(bool IsActive);
  virtual TFont* GetGroupFont();
  virtual TFont* GetGroupHeaderFont();
  virtual TFont* GetTabHeaderFont(int State);

 private:
  void FontChanged(TObject* Sender);
  TdxRibbonAssignedFonts assignedFonts_;
  TColor documentNameColor_ = clDefault;
  ObjectPtr<TFont> captionFont_;
  ObjectPtr<TFont> resultFont_;
  ObjectPtr<TFont> fonts_[3];
  bool locked_ = false;
  TdxCustomRibbon* ribbon_;
};

// ---- quick-access toolbar settings --------------------------------------------------------------

enum TdxQuickAccessToolbarPosition { qtpAboveRibbon, qtpBelowRibbon };

// The settings of the quick-access toolbar that the ribbon keeps: where it stands, whether it shows
// and which toolbar it shows.
class TdxRibbonQuickAccessToolbar : public TPersistent {
  DECLARE_CLASS(TdxRibbonQuickAccessToolbar, TPersistent)
 public:
  explicit TdxRibbonQuickAccessToolbar(TdxCustomRibbon* ARibbon) : ribbon_(ARibbon) {}
  TdxCustomRibbon* Ribbon() const { return ribbon_; }
  TdxQuickAccessToolbarPosition Position() const { return position_; }
  void SetPosition(TdxQuickAccessToolbarPosition Value);
  bool Visible() const { return visible_; }
  void SetVisible(bool Value);
  TdxBar* Toolbar() const { return toolbar_; }
  // The groups of the ribbon that show the new toolbar disappear.
  void SetToolbar(TdxBar* Value);
  void Assign(TPersistent* Source) override;

 private:
  friend class TdxCustomRibbon;
  TdxCustomRibbon* ribbon_;
  TdxQuickAccessToolbarPosition position_ = qtpAboveRibbon;
  bool visible_ = true;
  TdxBar* toolbar_ = nullptr;
};

// ---- the ribbon ---------------------------------------------------------------------------------

enum TdxRibbonPopupMenuItem { rpmiItems, rpmiMoreCommands, rpmiQATPosition, rpmiQATAddRemoveItem, rpmiMinimizeRibbon };
using TdxRibbonPopupMenuItems = TSet<TdxRibbonPopupMenuItem>;

using TdxRibbonEvent = TEvent<void(TdxCustomRibbon* Sender)>;
using TdxRibbonTabChangingEvent = TEvent<void(TdxCustomRibbon* Sender, TdxRibbonTab* ANewTab, bool& Allow)>;
using TdxRibbonHideMinimizedByClickEvent =
    TEvent<void(TdxCustomRibbon* Sender, HWND AWnd, TShiftState AShift, const TPoint& APos, bool& AAllowProcessing)>;
using TdxRibbonTabGroupNotifyEvent =
    TEvent<void(TdxCustomRibbon* Sender, TdxRibbonTab* ATab, TdxRibbonTabGroup* AGroup)>;

// The ribbon's list of the status bars bound to it (the form draws its frame around the first shown).
class IdxRibbonStatusBarRegistry {
 public:
  virtual ~IdxRibbonStatusBarRegistry() = default;
  // Adding an object already listed adds nothing.
  virtual void AddStatusBar(TObject* AStatusBar) = 0;
  virtual void RemoveStatusBar(TObject* AStatusBar) = 0;
};

// The ribbon is the skin owner of the bars shown in it: it answers IdxSkin (only while it has a
// colour skin) by forwarding each numbered bar part to its colour skin.
class TdxCustomRibbon : public TcxControl, public IdxSkin, public IdxSkinAvailability,
                        public IdxRibbonStatusBarRegistry {
  DECLARE_CLASS(TdxCustomRibbon, TcxControl)
 public:
  // Refuses, before anything is made, a missing GDI+, an owner that is not a form and a second
  // ribbon of the class on the form (ARibbonClass names the class in the messages).
  TdxCustomRibbon(TComponent* AOwner, TClass ARibbonClass);
  ~TdxCustomRibbon() override;
  void BeforeDestruction() override;

  // The owner the ribbon is made with: the application's main form for nil. Raises Exception with
  // the class name when GDI+ is missing, the owner is not a form or already has such a ribbon.
  static TComponent* CheckOwner(TComponent* AOwner, TClass ARibbonClass);

  TdxRibbonTab* ActiveTab() const { return activeTab_; }
  void SetActiveTab(TdxRibbonTab* Value);
  TdxBarManager* BarManager() const { return barManager_; }
  void SetBarManager(TdxBarManager* Value);
  bool BarManagerUsable() const;
  TdxCustomRibbonSkin* ColorScheme() const { return colorScheme_; }
  String ColorSchemeName() const;
  void SetColorSchemeName(const String& Value);
  TcxEventHandlerCollection* ColorSchemeHandlers() const { return colorSchemeHandlers_.get(); }
  const String& DocumentName() const { return documentName_; }
  void SetDocumentName(const String& Value);
  TdxRibbonFonts* Fonts() const { return fonts_.get(); }
  TdxRibbonTabCollection* Tabs() const { return tabs_.get(); }
  TdxRibbonQuickAccessToolbar* QuickAccessToolbar() const { return quickAccessToolbar_.get(); }
  // The child window below the tab headers that hosts the active tab's groups dock control.
  TdxRibbonGroupsDockControlSite* GroupsDockControlSite() const { return groupsDockControlSite_; }
  bool ShowTabGroups() const { return showTabGroups_; }
  void SetShowTabGroups(bool Value);
  bool ShowTabHeaders() const { return showTabHeaders_; }
  void SetShowTabHeaders(bool Value);
  TdxRibbonPopupMenuItems PopupMenuItems() const { return popupMenuItems_; }
  void SetPopupMenuItems(TdxRibbonPopupMenuItems Value);
  bool Hidden() const { return hidden_; }
  bool FadingEnabled() const { return false; }
  bool SuppressDesignerNotify() const { return suppressDesignerNotify_; }

  // The update lock: relayouts asked for inside it are coalesced into one at the outermost end.
  void BeginUpdate();
  void EndUpdate();
  int LockCount() const { return lockCount_; }
  // Locked, or without a window, not showing, loading or being destroyed.
  bool IsLocked() const;
  // Asks for a relayout; dropped while IsLocked.
  void Changed();

  // The ribbon's section in a layout store: its name, preceded by its named owners' names and "_",
  // preceded by the store's base section.
  String GetRibbonIniSection(const String& BaseSection) const;
  void LoadRibbonLayout(TCustomIniFile& Store, const String& BaseSection);
  void SaveRibbonLayout(TCustomIniFile& Store, const String& BaseSection);

  void AddStatusBar(TObject* AStatusBar) override;
  void RemoveStatusBar(TObject* AStatusBar) override;
  const std::vector<TObject*>& StatusBars() const { return statusBars_; }

  // Ctrl+F1 toggles ShowTabGroups and consumes the key.
  void FormKeyDown(Word& Key, TShiftState Shift);

  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Loaded() override;
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;

  TdxRibbonEvent OnTabChanged;
  TdxRibbonTabChangingEvent OnTabChanging;
  TdxRibbonTabGroupNotifyEvent OnTabGroupCollapsed;
  TdxRibbonTabGroupNotifyEvent OnTabGroupExpanded;
  TdxRibbonEvent OnHelpButtonClick;
  TdxRibbonEvent OnMoreCommandsExecute;
  TdxRibbonHideMinimizedByClickEvent OnHideMinimizedByClick;

  // ---- input (RibbonController.cpp)
  TdxRibbonController* Controller() const { return controller_.get(); }
  // The quick-access settings are visible and name a toolbar.
  bool IsQuickAccessToolbarUsable() const;
  int VisibleTabCount() const;
  // The temporary buttons of the last context popup; ClearPopupButtons frees them.
  std::vector<TdxBarButton*>& PopupButtons() { return popupButtons_; }
  void ClearPopupButtons();
  // The popup that shows the groups of a minimised ribbon (made on first use).
  TdxRibbonTabGroupsPopupWindow* TabGroupsPopup() const { return tabGroupsPopup_; }
  bool TabGroupsPopupShowing() const;
  void ShowTabGroupsPopup();
  void CloseTabGroupsPopup();
  // Fires OnHelpButtonClick.
  virtual void HelpButtonClick();
  // OnMoreCommandsExecute, or else the bar manager's customizing.
  virtual void MoreCommandsExecute();
  // OnHideMinimizedByClick's answer (True when unassigned).
  virtual bool CanHideMinimized(HWND Wnd, TShiftState Shift, const TPoint& Pos);
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  void FireMouseLeave(TControl* AControl) override;

  // Fire OnTabGroupCollapsed and OnTabGroupExpanded.
  virtual void TabGroupCollapsed(TdxRibbonTab* ATab, TdxRibbonTabGroup* AGroup);
  virtual void TabGroupExpanded(TdxRibbonTab* ATab, TdxRibbonTabGroup* AGroup);

  // ---- IdxSkin: the bar parts, forwarded to the colour skin
  using TcxControl::_AddRef;
  using TcxControl::_Release;
  bool SkinAvailable() override { return colorScheme_ != nullptr; }
  void DrawBackground(HDC DC, const TRect& R, int Part, int State) override;
  void DrawCaption(HDC DC, const String& Text, const TRect& R, int Part, int State) override;
  TRect CaptionBoundsOf(const TRect& R, int Part) override;
  TRect ContentMarginsOf(int Part) override;
  String GetSkinName() override;
  TColor PartColorOf(int Part, int State) override;
  int GetPartOffset(int Part) override;

  // ---- layout and painting
  // The one fader of the ribbon's bar windows and tabs.
  TdxFader* Fader() const { return fader_.get(); }
  TdxRibbonViewInfo* ViewInfo();
  TdxRibbonPainter* Painter();
  // The bar painter of the group toolbars, the ribbon's popup menus and its application menu.
  TdxRibbonBarPainter* GroupsPainter();
  TdxRibbonApplicationButton* ApplicationButton() const { return applicationButton_.get(); }
  // 0 normal, 1 hot, 2 pressed; a change repaints the button.
  Byte ApplicationButtonState() const { return applicationButtonState_; }
  void SetApplicationButtonState(Byte Value);
  // The element under the mouse (a tab, or another element of the view info); set by the controller.
  TObject* HotObject() const { return hotObject_; }
  void SetHotObject(TObject* Value);
  // The group metrics, from the fonts and the groups painter.
  int GroupCaptionHeight();
  int ItemRowHeight();
  int GroupContentHeight() { return 3 * ItemRowHeight(); }
  int GroupHeight();
  // The size the quick-access bar control asks for within MaxWidth: the height of an item row and
  // no width until that control is there to answer.
  virtual TSize QuickAccessBarSize(int MaxWidth);
  // The form's caption text area as the caption helper measures it (empty while the ribbon does
  // not paint the form's frame).
  virtual TRect CaptionHelperTextArea() { return TRect{}; }
  bool CanResize(int& NewWidth, int& NewHeight) override;

 protected:
  virtual TdxRibbonPainter* CreateRibbonPainter();
  virtual TdxRibbonBarPainter* CreateGroupsPainter();
  virtual TdxRibbonViewInfo* CreateViewInfo();
  void Paint() override;
  void Resize() override;
  // The relayout itself: the fonts refreshed and the ribbon repainted.
  virtual void Calculate();
  virtual bool CanChangeTab(TdxRibbonTab* ATab);
  virtual void TabChanged();
  virtual TComponentClass TabClass() const;
  virtual void ColorSchemeChanged();
  void CreateWindowHandle(const TCreateParams& Params) override;

 private:
  friend class TdxRibbonTab;
  friend class TdxRibbonTabCollection;
  friend class TdxRibbonTabGroup;
  friend class TdxRibbonFonts;
  friend class TdxRibbonQuickAccessToolbar;
  friend class TdxRibbonViewInfo;
  // Paints the application button over an application menu's top at the button's screen place.
  void DrawApplicationButtonOverMenu(HDC DC, int State);
  void ActivateNearestVisibleTab(TdxRibbonTab* ATab);
  void TabAdded(TdxRibbonTab* ATab);
  void TabRemoved(TdxRibbonTab* ATab);
  void LayoutRead(TObject* Sender, const void* Args);
  void LayoutWritten(TObject* Sender, const void* Args);
  void SystemFontChanged(TObject* Sender, const void* Args);
  void RegisterLayoutHandlers(bool Register);
  void RedrawForm();
  // Gives the groups site the groups area (the ribbon's view info takes this over).

  TdxRibbonTab* activeTab_ = nullptr;
  TdxRibbonGroupsDockControlSite* groupsDockControlSite_ = nullptr;
  ObjectPtr<TdxRibbonController> controller_;
  TdxRibbonTabGroupsPopupWindow* tabGroupsPopup_ = nullptr;
  std::vector<TdxBarButton*> popupButtons_;
  std::vector<TObject*> statusBars_;
  TdxBarManager* barManager_ = nullptr;
  TdxCustomRibbonSkin* colorScheme_ = nullptr;
  String documentName_;
  bool showTabGroups_ = true;
  bool showTabHeaders_ = true;
  bool hidden_ = false;
  bool suppressDesignerNotify_ = false;
  bool changePending_ = false;
  int lockCount_ = 0;
  TdxRibbonPopupMenuItems popupMenuItems_{rpmiItems, rpmiMoreCommands, rpmiQATPosition, rpmiQATAddRemoveItem,
                                          rpmiMinimizeRibbon};
  ObjectPtr<TcxEventHandlerCollection> colorSchemeHandlers_;
  ObjectPtr<TdxRibbonFonts> fonts_;
  ObjectPtr<TdxRibbonQuickAccessToolbar> quickAccessToolbar_;
  ObjectPtr<TdxRibbonTabCollection> tabs_;
  std::unique_ptr<TdxFader> fader_;
  std::unique_ptr<TdxRibbonApplicationButton> applicationButton_;
  std::unique_ptr<TdxRibbonViewInfo> viewInfo_;
  std::unique_ptr<TdxRibbonPainter> painter_;
  std::unique_ptr<TdxRibbonBarPainter> groupsPainter_;
  TObject* hotObject_ = nullptr;
  Byte applicationButtonState_ = 0;
  bool calculating_ = false;
};

class TdxRibbon : public TdxCustomRibbon {
  DECLARE_CLASS(TdxRibbon, TdxCustomRibbon)
 public:
  explicit TdxRibbon(TComponent* AOwner) : TdxCustomRibbon(AOwner, &TdxRibbon::ClassInfo()) {}
 protected:
  TdxRibbon(TComponent* AOwner, TClass ARibbonClass) : TdxCustomRibbon(AOwner, ARibbonClass) {}
};
