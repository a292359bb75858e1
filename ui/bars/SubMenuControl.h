#pragma once
// The menu window: the popup window that shows a list of item links one under the other. Every
// drop-down menu of a sub-item or button, every popup menu and the application menu is one of these
// (or a descendant). It adds to the common bar window where it opens relative to its opener and the
// work area, its natural size, scrolling with arrow areas and a timer, its keys and mouse buttons,
// its painting, and its closing and nesting.

#include "ui/bars/BarControl.h"

class TdxBarSubMenuControl;
class TdxBarAnimationThread;

// ---- placement ----------------------------------------------------------------------------------

// What the placement reads: the opener's position (screen), the requested size, the anchor (the
// item or rectangle that opened the menu: AnchorWidth > 0 beside it, AnchorHeight > 0 under it, both
// 0 at a point), the preferred directions (1 right/down, 0 left/up), whether the width is cut at the
// work area's right edge instead of the menu being moved, and the work area.
struct TdxMenuPlacementInput {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  int AnchorWidth = 0, AnchorHeight = 0;
  int HorzDirection = 1, VertDirection = 1;
  bool ClipWidth = false;
  TRect WorkArea{};
};

struct TdxMenuPlacement {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  bool FlippedX = false, FlippedY = false;
};

// Where a menu of the size opens: it flips to the other side of its anchor (or point) when that side
// has strictly more room, is pushed into the work area otherwise, and a menu that cannot fit
// vertically is cut to the work area (and scrolls).
TdxMenuPlacement PlaceMenu(const TdxMenuPlacementInput& In);

// The menus' animations, in the manager's MenuAnimations order.
// maRandom resolved with the framework's Random: 0..32 unfold, 33..65 slide, 66..99 fade.
TdxBarMenuAnimations ResolveMenuAnimation(TdxBarMenuAnimations Kind);

// ---- the owner of a menu's links ---------------------------------------------------------------

// Implemented by popup menus and sub-items: the side bar beside their menus.
class IdxBarSubMenuOwner {
 public:
  virtual ~IdxBarSubMenuOwner() = default;
  // The width of the side bar (0 for none).
  virtual int BarSize() = 0;
  // Paints the side bar (the owner fires its OnPaintBar).
  virtual void PaintBar(TCanvas* Canvas, const TRect& R) = 0;
};

// ---- the view info ------------------------------------------------------------------------------

// The item controls and separators of the visible part of a menu: the links from the first to the
// last visible index, each with its rectangle cut to the visible-items rectangle, and a separator
// before a link that begins a group (except the first drawn one).
class TdxBarSubMenuControlViewInfo : public TCustomdxBarControlViewInfo {
  DECLARE_CLASS(TdxBarSubMenuControlViewInfo, TCustomdxBarControlViewInfo)
 public:
  using TCustomdxBarControlViewInfo::TCustomdxBarControlViewInfo;
  void ComputeLayout() override;
};

// ---- the menu window ----------------------------------------------------------------------------

using TdxBarMenuHandler = TNotifyEvent;

class TdxBarSubMenuControl : public TCustomdxBarControl {
  DECLARE_CLASS(TdxBarSubMenuControl, TCustomdxBarControl)
 public:
  explicit TdxBarSubMenuControl(TdxBarManager* AOwner);
  ~TdxBarSubMenuControl() override;

  // ---- fields the openers set before ShowSubMenuWindow
  int AnchorWidth = 0;
  int AnchorHeight = 0;
  Byte HorzDirection = 1;
  Byte VertDirection = 1;
  bool Animate = false;
  HWND ParentWindowHandle = nullptr;
  TdxBarItemControl* DropDownOpener = nullptr;
  TdxBarItemControl* SubItemControl = nullptr;
  TdxBarMenuHandler CloseUpHandler;
  TdxBarMenuHandler PopupHandler;

  // ---- state
  // The worker unfolding or sliding the window open, or null; cleared when it ends.
  TdxBarAnimationThread* AnimationWorker = nullptr;
  bool TearOffHot = false;
  bool Expanding = false;
  UINT ExpandTimer = 0;
  HBRUSH NonRecentBrush() const { return nonRecentBrush_; }
  HPALETTE NonRecentPalette() const { return nonRecentPalette_; }
  bool PlacementLocked = false;
  TdxBarMenuAnimations ShowAnimationKind = maNone;
  int OpenLeft = 0, OpenTop = 0;
  UINT ScrollTimer = 0;
  int ScrollIndex() const { return scrollIndex_; }
  void SetScrollIndex(int Value);

  // ---- opening and closing
  // Shows the window: the opener has set its links, Left/Top, the anchor, Animate, the parent and
  // child relation and, optionally, the owner control, owner bounds, parent window and handlers.
  void ShowSubMenuWindow();
  // Unless already being freed: destroys the window and frees the object.
  void CloseAndFree();
  // Closes the menu visually: timers killed, child menu destroyed, deactivation requested, window
  // destroyed, close-up handler fired.
  void DestroyWnd() override;

  // ---- the virtual operations the menu adds, in slot order
  virtual void DrawFrame(HDC DC, const TRect& R);
  virtual bool AdjustSizeToPlacement(TSize& Size) {
    Size = TSize{0, 0};
    return false;
  }
  virtual bool RightButtonSelects();
  virtual void CalcItemsSize(TSize& Size);
  virtual bool ClipWidthToWorkArea() { return false; }
  virtual bool SelectFirstOnKeyboardOpen() { return true; }
  virtual int ScrollInterval();
  virtual void CalcNaturalSize(TSize& Size) { CalcItemsSize(Size); }
  virtual void ShowMenuWindow();
  virtual void PaintContent();
  virtual void DrawBackgroundPart(TcxCanvas* Canvas, const TRect& R);
  virtual void FrameMargins(bool IncludeDetachCaption, TRect& R);
  virtual void ContentMargins(TRect& R);

  // ---- queries
  int ImageColumnWidth();
  // The extra width of the band painters draw beside the items: the menu's item height as the
  // painter adjusts it, or 0 when the painter has no band.
  int BandExtraWidth();
  IdxBarSubMenuOwner* SubMenuOwner() const;
  int OwnerBarSize();
  TRect OwnerBarRect();
  int DetachStripHeight();
  int DetachAreaHeight();
  TRect DetachStripRect();
  bool ShowsDetachCaption();
  HBRUSH MenuBackgroundBrush();
  TdxBarItemControl* LastVisibleItemControl();
  TdxBarItemControl* FirstVisibleItemControl();
  int LeftColumnsWidth();
  int ExpandArrowSize();
  int ExtraColumnOffset();
  bool MouseOverUpArrow();
  bool MouseOverDownArrow();
  TdxBarItemControl* OpenerControl() const { return DropDownOpener ? DropDownOpener : SubItemControl; }
  bool CanScrollUp() const { return scrollIndex_ > 0; }
  bool CanScrollDown();
  bool HasHiddenItems();
  // Recent items first: the manager shows them so and the links use recent items.
  bool PersonalisedMenusActive();
  // Shows all links: the window is created again (full menus for the rest of the chain). Nothing
  // when no link is hidden.
  void Expand();
  // True while DestroyWnd runs.
  bool DestroyingWindow() const { return destroyingWindow_; }
  // The natural window size (frame and margins included).
  TSize NaturalSize();
  // Places the window with the size ((0, 0): the natural size); the flags report the flips.
  void Place(TSize Size, bool& FlippedX, bool& FlippedY);
  // The visible link indexes of the last layout (into the shown links).
  int FirstVisibleIndex() const { return firstVisible_; }
  int LastVisibleIndex() const { return lastVisible_; }
  // The menu's arrow width from the painter's sub-menu metrics.
  int MenuArrowWidth() override { return menuArrowWidth_; }
  // The work area of the monitor at the point; tests may place menus in a smaller one.
  virtual TRect WorkAreaFor(const TPoint& P);

  // ---- the common window's operations
  int BarKind() override { return 2; }
  int ItemPaintKind() override { return 1; }
  bool IsTransient() override { return true; }
  bool CanActivate() override { return true; }
  int FeatureFlags() override;
  bool ItemHintsAllowed() override { return (FeatureFlags() & bfHintsInMenus) != 0; }
  bool ShadowVisible() override { return TCustomdxBarControl::ShadowVisible() && !Animate; }
  int SeparatorSize() override;
  TBitmap* BackgroundBitmap() override;
  bool IsMainMenu() override { return false; }
  bool IsStatusBar() override { return false; }
  bool ShowsMark() override { return HasHiddenItems(); }
  void MarkRect(TRect& R) override;
  void SetMarkState(int State) override;
  int MarkState() override { return markState_; }
  TCustomdxBarControlViewInfo* CreateViewInfo() override { return new TdxBarSubMenuControlViewInfo(this); }
  void InvalidateControl(TdxBarItemControl* Control) override;
  void ApplyFont() override;
  void PaintNonClient(HDC DC, const TRect& R, HBRUSH Brush, TColor Color, bool Offset) override;
  void HideWindowStep() override;
  void RebuildControls(bool Rebuild) override;
  void CalcMetrics() override;
  void CalcItemsRect() override;
  void CalcLayout() override;
  int GapBefore(TdxBarItemLink* Link) override;
  int PainterFrameQuery() override;
  int TextHeight() override;
  int IconAreaSize() override { return ImageColumnWidth(); }
  HBRUSH BackgroundBrush() override { return MenuBackgroundBrush(); }
  void Close() override;
  void WindowedControlClicked(TdxBarItemControl* Control) override;
  void SetSelectedCore(TdxBarItemControl* Control) override;
  void TrackMouseMove(TShiftState Shift, int X, int Y) override;
  void PaintItemControl(TdxBarItemControl* Control, TcxCanvas* Canvas, const TRect& R) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  // Outside customizing, the in-place containers' entries join the menu's links while it has a window.
  void CreateWindowHandle(const TCreateParams& Params) override;
  void DestroyWindowHandle() override;
  void CreateWnd() override;
  void Paint() override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void WMGetDlgCode(TMessage& Message) { Message.Result = DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS; }
  void WMKeyDownMenu(TMessage& Message);
  void WMLButtonDownMenu(TMessage& Message);
  void WMRButton(TMessage& Message);
  void WMNCCalcSizeMenu(TMessage& Message);
  void WMNCHitTestMenu(TMessage& Message);
  void WMNCPaintMenu(TMessage& Message);
  void WMPrintMenu(TMessage& Message);
  void WMPrintClientMenu(TMessage& Message);
  void WMTimerMenu(TMessage& Message);
  void CMFontChangedMenu(TMessage& Message);
  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(WM_GETDLGCODE, WMGetDlgCode)
  MESSAGE_HANDLER(WM_KEYDOWN, WMKeyDownMenu)
  MESSAGE_HANDLER(WM_LBUTTONDOWN, WMLButtonDownMenu)
  MESSAGE_HANDLER(WM_RBUTTONDOWN, WMRButton)
  MESSAGE_HANDLER(WM_RBUTTONUP, WMRButton)
  MESSAGE_HANDLER(WM_NCCALCSIZE, WMNCCalcSizeMenu)
  MESSAGE_HANDLER(WM_NCHITTEST, WMNCHitTestMenu)
  MESSAGE_HANDLER(WM_NCPAINT, WMNCPaintMenu)
  MESSAGE_HANDLER(WM_PRINT, WMPrintMenu)
  MESSAGE_HANDLER(WM_PRINTCLIENT, WMPrintClientMenu)
  MESSAGE_HANDLER(WM_TIMER, WMTimerMenu)
  MESSAGE_HANDLER(CM_FONTCHANGED, CMFontChangedMenu)
  MESSAGE_MAP_END

  void StartScrollTimer();
  bool KillScrollTimer();
  void KillExpandTimer();
  void StartExpandTimer(UINT Id, UINT Interval);
  // The recent-items limit of the links (all links once full menus are on).
  void ApplyRecentLimit();
  // Each shown control's non-recent flag.
  void UpdateRecentFlags();
  // Delayed expansion applies: after a delay, personalised, not yet full, active.
  bool ExpandsAfterDelay();
  // Starts the worker with the placement's flips (creation, when Animate).
  void StartAnimation(bool FlippedX, bool FlippedY);
  // Stops a running worker: the window jumps to its final bounds (unless being destroyed).
  void StopAnimation();
  // Scrolls until the control's link is visible, laying out after each step.
  void MakeVisible(TdxBarItemControl* Control);
  void LayoutNow();

 private:
  void CreateNonRecentBrush();
  void DeleteNonRecentBrush();
  void PaintArrowsAndMark();

  HBRUSH nonRecentBrush_ = nullptr;
  HPALETTE nonRecentPalette_ = nullptr;
  int scrollIndex_ = 0;
  int markState_ = 0;
  int menuArrowWidth_ = 0;
  int firstVisible_ = 0;
  int lastVisible_ = -1;
  bool destroyingWindow_ = false;
  bool freeing_ = false;
};

// A menu that owns its link collection (the library's own menus): it never enters customizing
// mode.
class TdxBarInternalSubMenuControl : public TdxBarSubMenuControl {
  DECLARE_CLASS(TdxBarInternalSubMenuControl, TdxBarSubMenuControl)
 public:
  explicit TdxBarInternalSubMenuControl(TdxBarManager* AOwner);
  ~TdxBarInternalSubMenuControl() override;
  TdxBarItemLinks* OwnLinks() const { return ownLinks_; }
  bool IsCustomizing() override { return false; }

 private:
  TdxBarItemLinks* ownLinks_ = nullptr;
};
