#pragma once
// The navigation bar: a vertical strip of groups whose clients list links to items or host a
// group control. The bar owns its groups, items, styles, option objects, cursors, an off-screen
// bitmap, a scroll-bar wrapper, two timers and one painter; the painter, chosen by the integer View
// through the view registry, owns the layout (view info) and the input controller.

#include "platform/framework/graphics/ImageList.h"
#include "ui/foundation/Control.h"
#include "ui/foundation/Controls.h"
#include "ui/foundation/Themes.h"
#include "ui/navbar/NavBarItems.h"
#include "ui/navbar/NavBarViews.h"

class TdxNavBarPainter;
class TdxNavBarViewInfo;
class TdxNavBarGroupViewInfo;
class TdxNavBarLinkViewInfo;
class TdxNavBarController;
class TdxNavBarScrollBar;
class TCustomIniFile;

// The cursors the bar loads into the screen's table at start-up.
constexpr TCursor dxcrDrag = -1120;
constexpr TCursor dxcrDragCopy = -1119;
constexpr TCursor dxcrLinks = -1118;

// Resource strings of the navigation bar (resources/navbar/NavBar.rc), through the foundation's
// override table.
constexpr int sdxNavBarInvalidGroupControl = 64960;  // "Invalid the TdxNavBarGroupControl parent or group."
constexpr int sdxNavBarViewExists = 64961;           // "ID of view = %d is already exists."
constexpr int sdxNavBarScrollBarOutOfRange = 64962;  // "Scrollbar property out of range"
String dxNavBarResourceString(int AId);

// The control class the bar is built on.
using TdxNavBarControlBase = TcxControl;

// ---- events -----------------------------------------------------------------------------------

using TdxNavBarGroupChangingEvent = TEvent<void(TObject* Sender, TdxNavBarGroup* ANewGroup, bool& AAllowChange)>;
using TdxNavBarCalcGroupClientHeightEvent =
    TEvent<void(TObject* Sender, TdxNavBarGroupViewInfo* AViewInfo, int& AHeight)>;
using TdxNavBarCalcGroupHintRectEvent =
    TEvent<void(TObject* Sender, TdxNavBarGroup* AGroup, TdxNavBarViewInfo* AViewInfo, TRect& R)>;
using TdxNavBarCalcLinkHintRectEvent =
    TEvent<void(TObject* Sender, TdxNavBarItemLink* ALink, TdxNavBarViewInfo* AViewInfo, TRect& R)>;
using TdxNavBarGetGroupHintEvent = TEvent<void(TObject* Sender, TdxNavBarGroup* AGroup, String& AHint)>;
using TdxNavBarGetLinkHintEvent = TEvent<void(TObject* Sender, TdxNavBarItemLink* ALink, String& AHint)>;
using TdxNavBarGroupEvent = TEvent<void(TObject* Sender, TdxNavBarGroup* AGroup)>;
using TdxNavBarLinkEvent = TEvent<void(TObject* Sender, TdxNavBarItemLink* ALink)>;

using TdxNavBarCustomDrawEvent =
    TEvent<void(TObject* Sender, TCanvas* ACanvas, TdxNavBarViewInfo* AViewInfo, bool& AHandled)>;
using TdxNavBarCustomDrawGroupEvent =
    TEvent<void(TObject* Sender, TCanvas* ACanvas, TdxNavBarGroupViewInfo* AViewInfo, bool& AHandled)>;
using TdxNavBarCustomDrawLinkEvent =
    TEvent<void(TObject* Sender, TCanvas* ACanvas, TdxNavBarLinkViewInfo* AViewInfo, bool& AHandled)>;
using TdxNavBarCustomDrawGroupHintEvent = TEvent<void(TObject* Sender, TCanvas* ACanvas, TdxNavBarGroup* AGroup,
                                                      const String& AHint, const TRect& R, bool& AHandled)>;
using TdxNavBarCustomDrawLinkHintEvent = TEvent<void(TObject* Sender, TCanvas* ACanvas, TdxNavBarItemLink* ALink,
                                                     const String& AHint, const TRect& R, bool& AHandled)>;

// ---- cursors, custom-draw events and options --------------------------------------------------

class TdxNavBarCursors : public TdxNavBarPersistent {
  DECLARE_CLASS(TdxNavBarCursors, TdxNavBarPersistent)
 public:
  using TdxNavBarPersistent::TdxNavBarPersistent;
  void Assign(TPersistent* Source) override;
  // The bar's own Cursor and DragCursor.
  TCursor Cursor() const;
  void SetCursor(TCursor Value);
  TCursor DragCursor() const;
  void SetDragCursor(TCursor Value);
  TCursor DragCopyCursor = dxcrDragCopy;
  TCursor HotTrackedGroupCursor = crDefault;
  TCursor HotTrackedLinkCursor = dxcrLinks;
};

class TdxNavBarCustomDrawEvents : public TdxNavBarPersistent {
  DECLARE_CLASS(TdxNavBarCustomDrawEvents, TdxNavBarPersistent)
 public:
  using TdxNavBarPersistent::TdxNavBarPersistent;
  void Assign(TPersistent* Source) override;
  TdxNavBarCustomDrawEvent Background;
  TdxNavBarCustomDrawGroupEvent GroupCaption;
  TdxNavBarCustomDrawGroupEvent GroupClientBackground;
  TdxNavBarCustomDrawGroupEvent GroupClientForeground;
  TdxNavBarCustomDrawGroupHintEvent GroupHint;
  TdxNavBarCustomDrawLinkEvent Link;
  TdxNavBarCustomDrawLinkHintEvent LinkHint;
  TdxNavBarCustomDrawEvent BottomScrollButton;
  TdxNavBarCustomDrawEvent TopScrollButton;
  TdxNavBarCustomDrawEvent NavigationPaneHeader;
  TdxNavBarCustomDrawEvent NavigationPaneSplitter;
  TdxNavBarCustomDrawEvent NavigationPaneOverflowPanel;
  TdxNavBarCustomDrawGroupHintEvent NavigationPaneOverflowPanelHint;
};

enum TdxNavBarDragDropFlag { fAllowDragLink, fAllowDropLink, fAllowDragGroup, fAllowDropGroup };
using TdxNavBarDragDropFlags = TSet<TdxNavBarDragDropFlag>;

class TdxNavBarCommonBehaviorOptions : public TdxNavBarPersistent {
  DECLARE_CLASS(TdxNavBarCommonBehaviorOptions, TdxNavBarPersistent)
 public:
  using TdxNavBarPersistent::TdxNavBarPersistent;
  void Assign(TPersistent* Source) override;
  TdxNavBarDragDropFlags DragDropFlags{fAllowDragLink, fAllowDropLink, fAllowDragGroup, fAllowDropGroup};
  bool ShowGroupsHint = false;
  bool ShowLinksHint = false;
};

class TdxNavBarNavigationPaneBehaviorOptions : public TdxNavBarPersistent {
  DECLARE_CLASS(TdxNavBarNavigationPaneBehaviorOptions, TdxNavBarPersistent)
 public:
  using TdxNavBarPersistent::TdxNavBarPersistent;
  void Assign(TPersistent* Source) override;
  bool AdjustWidthByPopup = false;
  bool AllowCustomizing = true;
  bool ShowOverflowPanelHints = true;
  bool Collapsible() const { return collapsible_; }
  void SetCollapsible(bool Value);
  bool Collapsed() const { return collapsed_; }
  void SetCollapsed(bool Value);

 private:
  bool collapsible_ = false;
  bool collapsed_ = false;
};

class TdxNavBarSideBarBehaviorOptions : public TdxNavBarPersistent {
  DECLARE_CLASS(TdxNavBarSideBarBehaviorOptions, TdxNavBarPersistent)
 public:
  using TdxNavBarPersistent::TdxNavBarPersistent;
  void Assign(TPersistent* Source) override;
  bool AllowSelectLinks() const { return allowSelectLinks_; }
  void SetAllowSelectLinks(bool Value);
  bool EachGroupHasSelectedLink() const { return eachGroupHasSelectedLink_; }
  void SetEachGroupHasSelectedLink(bool Value);

 private:
  bool allowSelectLinks_ = false;
  bool eachGroupHasSelectedLink_ = false;
};

class TdxNavBarBehaviorOptions : public TdxNavBarPersistent {
  DECLARE_CLASS(TdxNavBarBehaviorOptions, TdxNavBarPersistent)
 public:
  explicit TdxNavBarBehaviorOptions(TdxCustomNavBar* ANavBar);
  ~TdxNavBarBehaviorOptions() override;
  void Assign(TPersistent* Source) override;
  TdxNavBarCommonBehaviorOptions* Common() const { return common_; }
  TdxNavBarNavigationPaneBehaviorOptions* NavigationPane() const { return navigationPane_; }
  TdxNavBarSideBarBehaviorOptions* SideBar() const { return sideBar_; }

 private:
  TdxNavBarCommonBehaviorOptions* common_;
  TdxNavBarNavigationPaneBehaviorOptions* navigationPane_;
  TdxNavBarSideBarBehaviorOptions* sideBar_;
};

class TdxNavBarCommonViewOptions : public TdxNavBarPersistent {
  DECLARE_CLASS(TdxNavBarCommonViewOptions, TdxNavBarPersistent)
 public:
  using TdxNavBarPersistent::TdxNavBarPersistent;
  void Assign(TPersistent* Source) override;
  bool ShowGroupCaptions() const { return showGroupCaptions_; }
  void SetShowGroupCaptions(bool Value);

 private:
  bool showGroupCaptions_ = true;
};

class TdxNavBarExplorerBarViewOptions : public TdxNavBarPersistent {
  DECLARE_CLASS(TdxNavBarExplorerBarViewOptions, TdxNavBarPersistent)
 public:
  using TdxNavBarPersistent::TdxNavBarPersistent;
  void Assign(TPersistent* Source) override;
  bool ShowSpecialGroup() const { return showSpecialGroup_; }
  void SetShowSpecialGroup(bool Value);
  // Negative values are stored as 0.
  int SpaceBetweenGroups() const { return spaceBetweenGroups_; }
  void SetSpaceBetweenGroups(int Value);

 private:
  bool showSpecialGroup_ = false;
  int spaceBetweenGroups_ = 0;
};

class TdxNavBarNavigationPaneViewOptions : public TdxNavBarPersistent {
  DECLARE_CLASS(TdxNavBarNavigationPaneViewOptions, TdxNavBarPersistent)
 public:
  using TdxNavBarPersistent::TdxNavBarPersistent;
  void Assign(TPersistent* Source) override;
  // -1 shows all groups; values below -1 are stored as -1.
  int MaxVisibleGroups() const { return maxVisibleGroups_; }
  void SetMaxVisibleGroups(int Value);
  bool OverflowPanelUseSmallImages() const { return overflowPanelUseSmallImages_; }
  void SetOverflowPanelUseSmallImages(bool Value);
  bool ShowHeader() const { return showHeader_; }
  void SetShowHeader(bool Value);
  bool ShowOverflowPanel() const { return showOverflowPanel_; }
  void SetShowOverflowPanel(bool Value);

 private:
  void Set(bool& Field, bool Value);
  int maxVisibleGroups_ = -1;
  bool overflowPanelUseSmallImages_ = true;
  bool showHeader_ = true;
  bool showOverflowPanel_ = true;
};

class TdxNavBarViewOptions : public TdxNavBarPersistent {
  DECLARE_CLASS(TdxNavBarViewOptions, TdxNavBarPersistent)
 public:
  explicit TdxNavBarViewOptions(TdxCustomNavBar* ANavBar);
  ~TdxNavBarViewOptions() override;
  void Assign(TPersistent* Source) override;
  TdxNavBarCommonViewOptions* Common() const { return common_; }
  TdxNavBarExplorerBarViewOptions* ExplorerBar() const { return explorerBar_; }
  TdxNavBarNavigationPaneViewOptions* NavigationPane() const { return navigationPane_; }

 private:
  TdxNavBarCommonViewOptions* common_;
  TdxNavBarExplorerBarViewOptions* explorerBar_;
  TdxNavBarNavigationPaneViewOptions* navigationPane_;
};

// The six image lists; a freed list leaves every property that named it.
class TdxNavBarImageOptions : public TdxNavBarNexusPersistent {
  DECLARE_CLASS(TdxNavBarImageOptions, TdxNavBarNexusPersistent)
 public:
  enum TImageKind { ikLarge, ikSmall, ikHotLarge, ikHotSmall, ikDisabledLarge, ikDisabledSmall, ikCount };
  explicit TdxNavBarImageOptions(TdxCustomNavBar* ANavBar);
  ~TdxNavBarImageOptions() override;
  void Assign(TPersistent* Source) override;
  TCustomImageList* Images(TImageKind AKind) const { return lists_[AKind]; }
  void SetImages(TImageKind AKind, TCustomImageList* Value);
  TCustomImageList* LargeImages() const { return lists_[ikLarge]; }
  void SetLargeImages(TCustomImageList* Value) { SetImages(ikLarge, Value); }
  TCustomImageList* SmallImages() const { return lists_[ikSmall]; }
  void SetSmallImages(TCustomImageList* Value) { SetImages(ikSmall, Value); }
  TCustomImageList* HotLargeImages() const { return lists_[ikHotLarge]; }
  TCustomImageList* HotSmallImages() const { return lists_[ikHotSmall]; }
  TCustomImageList* DisabledLargeImages() const { return lists_[ikDisabledLarge]; }
  TCustomImageList* DisabledSmallImages() const { return lists_[ikDisabledSmall]; }

  // Any list change (one of the lists changed, or a property was set).
  TNotifyEvent OnChange;

 protected:
  void FreeNotification(TComponent* AComponent) override;

 private:
  void ImageListChanged(TObject* Sender);
  TCustomImageList* lists_[ikCount] = {};
  TChangeLink* links_[ikCount] = {};
};

// ---- the bar -----------------------------------------------------------------------------------

class TdxCustomNavBar : public TdxNavBarControlBase {
  DECLARE_CLASS(TdxCustomNavBar, TdxNavBarControlBase)
 public:
  // The view registry must hold a view: with an empty registry EInvalidOperation is raised.
  explicit TdxCustomNavBar(TComponent* AOwner);
  ~TdxCustomNavBar() override;
  void BeforeDestruction() override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // At design time the groups, items and style items named after the bar follow its new name.
  void SetName(const String& NewName) override;
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;
  void SetChildOrder(TComponent* Child, int Order) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  TRect GetClientRect() override;
  void InitiateAction() override;
  void Invalidate() override;
  bool CanFocus() override;
  // The bar's scroll bar when it is shown and the cursor lies in the bar: offered first to another
  // control under the cursor that scrolls vertically, else one line (with Ctrl one page) per notch.
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;

  // ---- accessibility and keyboard focus
  // The root of the bar's accessibility tree, made on first use.
  IdxNavBarAccessibilityHelper* AccessibilityHelper();
  // The element holding the keyboard focus, or null.
  IdxNavBarAccessibilityHelper* FocusedObject() const { return focusedObject_.get(); }
  // A different element: stored, then the old and the new one hear FocusStateChanged(True).
  void SetFocusedObject(IdxNavBarAccessibilityHelper* AObject);
  // Forgets the focused element when it is this one.
  virtual void FocusedObjectDestroyed(IdxNavBarAccessibilityHelper* AObject);
  virtual TdxNavBarAccessibilityHelperClass AccessibilityHelperClass();

  // ---- changes
  // Nothing while loading or being destroyed; else raises the painter's flags and invalidates.
  void InvalidateAll(TdxNavBarInvalidation AKind);
  void BeginUpdate() { ++updateLock_; }
  // The last one rebuilds.
  void EndUpdate();
  int UpdateLock() const { return updateLock_; }
  bool IsLoading() const { return ComponentState().Contains(csLoading); }
  bool IsDestroying() const { return ComponentState().Contains(csDestroying); }
  bool IsDesigning() const { return ComponentState().Contains(csDesigning); }

  // ---- painter
  // The ViewStyle object, made by CreatePainter when there is none.
  TdxNavBarPainter* Painter();
  TdxNavBarViewInfo* ViewInfo();
  TdxNavBarController* Controller();
  int View() const { return view_; }
  // An ID the registry does not hold becomes the highest registered ID.
  void SetView(int Value);
  TdxNavBarPainter* ViewStyle() { return Painter(); }
  // Null is ignored, the bar's own painter changes nothing, a painter made for another bar raises
  // EInvalidOperation. Frees the old painter and takes the new one; the scroll bar is hidden.
  void SetViewStyle(TdxNavBarPainter* Value);
  TBitmap* CanvasBitmap() const { return canvasBitmap_; }
  TdxNavBarScrollBar* ScrollBar() const { return scrollBar_; }

  // ---- groups and items
  TdxNavBarGroups* Groups() const { return groups_; }
  TdxNavBarItems* Items() const { return items_; }
  TdxNavBarGroup* ActiveGroup() const { return activeGroup_; }
  // The stored active group when it is visible, else the first visible group (also stored when
  // none was); null without groups.
  TdxNavBarGroup* EffectiveActiveGroup();
  void SetActiveGroup(TdxNavBarGroup* AGroup);
  int ActiveGroupIndex();
  void SetActiveGroupIndex(int Value);
  int VisibleGroupCount() const;
  int HiddenGroupCount() const;
  bool CanShowMoreGroups() const;
  bool CanShowFewerGroups() const;
  void ShowMoreGroups();
  // Never below 0.
  void ShowFewerGroups();
  void DeselectAllLinks();
  bool IsCollapsed();
  void CheckCollapseState();
  int OriginalWidth() const { return originalWidth_; }
  // The remembered expanded width (a pane's controller and popup set it).
  void SetOriginalWidth(int Value) { originalWidth_ = Value; }
  void ResetDefaultStyles();

  // ---- options
  TdxNavBarCursors* Cursors() const { return cursors_; }
  void SetCursors(TdxNavBarCursors* Value) { cursors_->Assign(Value); }
  TdxNavBarBehaviorOptions* OptionsBehavior() const { return optionsBehavior_; }
  TdxNavBarImageOptions* OptionsImage() const { return optionsImage_; }
  TdxNavBarStyleOptions* OptionsStyle() const { return optionsStyle_; }
  TdxNavBarViewOptions* OptionsView() const { return optionsView_; }
  TdxNavBarCustomDrawEvents* OnCustomDraw() const { return customDrawEvents_; }
  TdxNavBarDefaultStyles* DefaultStyles() const { return optionsStyle_->DefaultStyles(); }
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle Value);
  bool ShowGroupCaptions() const { return optionsView_->Common()->ShowGroupCaptions(); }
  bool AllowSelectLinks() const { return optionsBehavior_->SideBar()->AllowSelectLinks(); }
  bool EachGroupHasSelectedLink() const { return optionsBehavior_->SideBar()->EachGroupHasSelectedLink(); }
  bool CanDragLink() const { return optionsBehavior_->Common()->DragDropFlags.Contains(fAllowDragLink); }
  bool CanDropLink() const { return optionsBehavior_->Common()->DragDropFlags.Contains(fAllowDropLink); }
  bool CanDragGroup() const { return optionsBehavior_->Common()->DragDropFlags.Contains(fAllowDragGroup); }
  bool CanDropGroup() const { return optionsBehavior_->Common()->DragDropFlags.Contains(fAllowDropGroup); }

  // ---- hit tests (forwards to the view info)
  TdxNavBarGroup* GroupAtPos(const TPoint& P);
  TdxNavBarItemLink* LinkAtPos(const TPoint& P);
  TdxNavBarItemLink* LinkHitAtPos(const TPoint& P);
  bool IsGroupDesignMark(const TPoint& P);
  bool IsLinkDesignMark(const TPoint& P);
  bool IsTopScrollButtonAt(const TPoint& P);
  bool IsBottomScrollButtonAt(const TPoint& P);
  bool TopScrollButtonShown();
  bool BottomScrollButtonShown();

  // ---- input state read by the layout, the painter and the controller
  TdxNavBarGroup* HotGroup() const { return hotGroup_; }
  TdxNavBarItemLink* HotLink() const { return hotLink_; }
  TdxNavBarGroup* PressedGroup() const { return pressedGroup_; }
  TdxNavBarItemLink* PressedLink() const { return pressedLink_; }
  TdxNavBarGroup* ClickGroup() const { return clickGroup_; }
  TdxNavBarItemLink* ClickLink() const { return clickLink_; }
  const TPoint& MousePos() const { return mousePos_; }
  const TPoint& MouseButtonPos() const { return mouseButtonPos_; }
  TShiftState MouseDownShift() const { return mouseDownShift_; }
  bool TopScrollButtonPressed() const { return topButtonPressed_; }
  bool BottomScrollButtonPressed() const { return bottomButtonPressed_; }
  TcxTimer* ScrollTimer() const { return scrollTimer_; }
  TcxTimer* GroupActivateTimer() const { return groupActivateTimer_; }
  TdxNavBarGroup* DragTargetGroup() const { return dragTargetGroup_; }
  // While a drag runs: the drag's source group and link; otherwise the waiting click group and link.
  TdxNavBarGroup* DragGroup();
  TdxNavBarItemLink* DragLink();
  // The item a running drag copies (Ctrl held over a link, or an item dragged in), or null.
  TdxNavBarItem* DragItem();
  bool IsDragging();

  // ---- reactions of the controller (virtual; they keep the hot, pressed and click state)
  virtual void DoActiveGroupChanged();
  virtual void DoGroupDragDrop(TdxNavBarGroup* AGroup);
  virtual void DoGroupDragOver(TdxNavBarGroup* AGroup, bool& AAccept);
  virtual void DoGroupHotTrack(TdxNavBarGroup* AGroup);
  virtual void DoGroupMouseDown(TdxNavBarGroup* AGroup);
  virtual void DoGroupMouseUp(TdxNavBarGroup* AGroup);
  virtual void DoLinkDragDrop(TdxNavBarItemLink* ALink);
  virtual void DoLinkDragOver(TdxNavBarItemLink* ALink, bool& AAccept);
  virtual void DoLinkHotTrack(TdxNavBarItemLink* ALink);
  virtual void DoLinkMouseDown(TdxNavBarItemLink* ALink);
  virtual void DoLinkMouseUp(TdxNavBarItemLink* ALink);
  virtual void DoItemDragDrop(TdxNavBarItem* AItem);
  virtual void DoItemDragOver(TdxNavBarItem* AItem, bool& AAccept);
  virtual void DoBottomScrollButtonDown();
  virtual void DoBottomScrollButtonUp();
  virtual void DoTopScrollButtonDown();
  virtual void DoTopScrollButtonUp();
  virtual void UpdateScrollBarLookAndFeel();
  // An instance of the registry's painter class for View, made for this bar.
  virtual TdxNavBarPainter* CreatePainter();
  virtual TComponentClass GroupClass();
  virtual TComponentClass ItemClass();
  virtual bool IsPopupNavBar() { return false; }

  // ---- layout in INI form (NavBarLayout.cpp): view, groups, items, links, selection and, with
  // styles, the style repository and the style references
  virtual void SaveToIniFile(TCustomIniFile* AIniFile, bool ASaveStyles);
  virtual void LoadFromIniFile(TCustomIniFile* AIniFile, bool ALoadStyles);

  // ---- events
  TdxNavBarGroupChangingEvent OnActiveGroupChanging;
  TNotifyEvent OnActiveGroupChanged;
  TdxNavBarCalcGroupClientHeightEvent OnCalcGroupClientHeight;
  TdxNavBarCalcGroupHintRectEvent OnCalcGroupHintRect;
  TdxNavBarCalcGroupHintRectEvent OnCalcNavigationPaneOverflowPanelHintRect;
  TdxNavBarCalcLinkHintRectEvent OnCalcLinkHintRect;
  TdxNavBarGetGroupHintEvent OnGetGroupHint;
  TdxNavBarGetLinkHintEvent OnGetLinkHint;
  TdxNavBarGroupEvent OnGroupClick;
  TdxNavBarGroupEvent OnGroupHotTrack;
  TdxNavBarGroupEvent OnGroupPress;
  TdxNavBarLinkEvent OnLinkClick;
  TdxNavBarLinkEvent OnLinkHotTrack;
  TdxNavBarLinkEvent OnLinkPress;
  TNotifyEvent OnNavigationPaneCollapsed;
  TNotifyEvent OnNavigationPaneExpanded;
  // Raised before OnNavigationPaneCollapsed and OnNavigationPaneExpanded (set by a pane's popup).
  TNotifyEvent CollapseStateNotify;

 protected:
  friend class TdxNavBarNavigationPaneBehaviorOptions;
  friend class TdxNavBarSideBarBehaviorOptions;
  friend class TdxNavBarController;
  // "OriginalWidth", written only while collapsed.
  void DefineProperties(TFiler& Filer) override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandle(const TCreateParams& Params) override;
  void Paint() override;
  // The bar's own scroll-bar wrapper replaces the control base's bars.
  bool HasScrollBars() override { return false; }
  bool CanFocusOnClickAt(int X, int Y) override;
  void FireMouseEnter(TControl* AControl) override;
  void FireMouseLeave(TControl* AControl) override;
  bool IsDesignHitAt(int X, int Y, TShiftState Shift) override;
  void FocusChanged() override;
  void DoEnter() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(wchar_t& Key) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void DoStartDrag(TDragObject*& DragObject) override;
  void DoEndDrag(TObject* Target, int X, int Y) override;
  TcxDragControlObjectClass DragControlObjectClass() override;
  void WMCreate(TMessage& Message);
  void WMGetDlgCode(TMessage& Message);
  void WMVScroll(TMessage& Message);
  void CMSysColorChange(TMessage& Message);
  void CMCtl3DChanged(TMessage& Message);

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(WM_CREATE, WMCreate)
  MESSAGE_HANDLER(WM_GETDLGCODE, WMGetDlgCode)
  MESSAGE_HANDLER(WM_VSCROLL, WMVScroll)
  MESSAGE_HANDLER(CM_SYSCOLORCHANGE, CMSysColorChange)
  MESSAGE_HANDLER(CM_CTL3DCHANGED, CMCtl3DChanged)
  MESSAGE_HANDLER(CM_DIALOGCHAR, CMDialogChar)
  MESSAGE_HANDLER(CM_HINTSHOW, CMHintShow)
  MESSAGE_HANDLER(WM_SETCURSOR, WMSetCursor)
  MESSAGE_MAP_END

  // The system theme changed: a new painter when its class asks for one, else fresh colours.
  void ThemeChanged();
  void CMDialogChar(TMessage& Message);
  void CMHintShow(TMessage& Message);
  void WMSetCursor(TMessage& Message);
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
  void DragDrop(TObject* Source, int X, int Y) override;

 private:
  void GroupsChanged(TObject* Sender, TcxComponentCollectionItem* AItem, TcxCollectionChangeKind AAction);
  void ItemsChanged(TObject* Sender, TcxComponentCollectionItem* AItem, TcxCollectionChangeKind AAction);
  void LinksChanged(TObject* Sender, TdxNavBarItemLink* ALink);
  void OptionsChanged(TObject* Sender);
  void ScrollTimerTick(TObject* Sender);
  void GroupActivateTimerTick(TObject* Sender);
  int EffectiveViewID(int AView) const;
  void ReadOriginalWidth(TReader& Reader);
  void WriteOriginalWidth(TWriter& Writer);
  void ForgetGroup(TdxNavBarGroup* AGroup);
  void ForgetLink(TdxNavBarItemLink* ALink);
  // Starts a link or group drag once the mouse moved more than 3 pixels from the press.
  bool CheckDragStart(const TPoint& P);
  void EndDragging();
  void ClearPressed();
  // A drag over a scroll button scrolls (true); over a group caption it (re)starts the group's
  // opening timer.
  bool DragOverScrollButtonOrGroup();
  void ScrollBarScrolled(TObject* Sender, TScrollCode ACode, int& APosition);

  TdxNavBarGroup* activeGroup_ = nullptr;
  int loadedActiveGroupIndex_ = -1;
  TBorderStyle borderStyle_ = bsNone;
  TBitmap* canvasBitmap_ = nullptr;
  TdxNavBarCursors* cursors_ = nullptr;
  TdxNavBarGroups* groups_ = nullptr;
  TdxNavBarItems* items_ = nullptr;
  Byte internalFlags_ = 0;
  TdxNavBarPainter* viewPainter_ = nullptr;
  TdxNavBarScrollBar* scrollBar_ = nullptr;
  int updateLock_ = 0;
  int view_ = 0;
  TdxNavBarBehaviorOptions* optionsBehavior_ = nullptr;
  TdxNavBarImageOptions* optionsImage_ = nullptr;
  TdxNavBarStyleOptions* optionsStyle_ = nullptr;
  TdxNavBarViewOptions* optionsView_ = nullptr;
  TdxNavBarCustomDrawEvents* customDrawEvents_ = nullptr;
  TdxThemeChangedNotificator* themeNotificator_ = nullptr;
  TcxTimer* groupActivateTimer_ = nullptr;
  TcxTimer* scrollTimer_ = nullptr;
  TdxNavBarGroup* dragTargetGroup_ = nullptr;
  TPoint mouseButtonPos_;
  TShiftState mouseDownShift_;
  TdxNavBarGroup* clickGroup_ = nullptr;
  TdxNavBarItemLink* clickLink_ = nullptr;
  TPoint mousePos_{-1, -1};
  TdxNavBarGroup* hotGroup_ = nullptr;
  TdxNavBarItemLink* hotLink_ = nullptr;
  int originalWidth_ = 0;
  TdxNavBarGroup* pressedGroup_ = nullptr;
  TdxNavBarItemLink* pressedLink_ = nullptr;
  bool bottomButtonPressed_ = false;
  bool topButtonPressed_ = false;
  InterfacePtr<IdxNavBarAccessibilityHelper> accessibilityHelper_;
  InterfacePtr<IdxNavBarAccessibilityHelper> focusedObject_;
};

// Bits of the bar's internal flags.
constexpr Byte nbifKeyWentDown = 1;
constexpr Byte nbifDragStarted = 2;
constexpr Byte nbifCollapsedWidthApplied = 4;

// The class placed on forms; it adds the stored CustomDrawEvents field.
class TdxNavBar : public TdxCustomNavBar {
  DECLARE_CLASS(TdxNavBar, TdxCustomNavBar)
 public:
  explicit TdxNavBar(TComponent* AOwner) : TdxCustomNavBar(AOwner) {}
  // Streamed, never raised.
  TNotifyEvent CustomDrawEvents;
};
