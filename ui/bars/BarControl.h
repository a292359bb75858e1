#pragma once
// The common bar window: the one window class behind every toolbar, menu and popup of the library.
// It shows the links of one link collection, owns an item control per shown link, lays them out
// through its view info, has them painted by its manager's painter and turns mouse and keys into hot
// tracking, selection, hints and item clicks. Also here: the window's view info, the drop-down list
// of combo items, and the shadow bar windows cast.

#include <memory>
#include <vector>

#include "platform/framework/controls/StdCtrls.h"
#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/windows/Controls.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/BarTypes.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/Classes.h"
#include "ui/foundation/Controls.h"

class TdxBarAccessibilityHelper;
class TdxBarAccessibilityHelperMetaClass;
class TCustomdxBarControl;
class TdxBarItemControlViewInfo;
class TdxBarCustomHintViewInfo;
class TdxBarScreenTip;
class TdxBarShadow;

// ---- the window's view info ---------------------------------------------------------------------

// A separator's rectangle and kind (toolbars: 0 a horizontal line, 1 a vertical one).
struct TdxBarSeparatorInfo {
  TRect Bounds;
  Byte Kind = 0;
};

// The layout record of one bar window: the view infos of the item controls the last layout placed
// (and that are therefore visible and painted), and the separator records, each tied to the control
// whose link begins the group.
class TCustomdxBarControlViewInfo : public TObject {
  DECLARE_CLASS(TCustomdxBarControlViewInfo, TObject)
 public:
  explicit TCustomdxBarControlViewInfo(TCustomdxBarControl* ABarControl) : barControl_(ABarControl) {}

  virtual void ClearLayout();
  // Clears the layout; descendants then refill both lists from the window's links.
  virtual void ComputeLayout() { ClearLayout(); }

  TCustomdxBarControl* BarControl() const { return barControl_; }
  void AddItemInfo(TdxBarItemControlViewInfo* Info) { itemInfos_.push_back(Info); }
  // The first occurrence goes; nothing when absent.
  void RemoveItemInfo(TdxBarItemControlViewInfo* Info);
  int ItemInfoCount() const { return int(itemInfos_.size()); }
  TdxBarItemControlViewInfo* ItemInfoAt(int Index) const { return itemInfos_.at(Index); }
  // The position of the control's view info; -1 when it is not laid out.
  int ItemControlIndex(TdxBarItemControl* Control) const;
  bool ShowsItemControl(TdxBarItemControl* Control) const { return ItemControlIndex(Control) != -1; }

  void AppendSeparator(const TRect& R, Byte Kind, TdxBarItemControl* Control);
  void ClearSeparators() { separators_.clear(); }
  int SeparatorCount() const { return int(separators_.size()); }
  // The first record of the control; Index untouched when none.
  bool FindSeparatorFor(TdxBarItemControl* Control, int& Index) const;
  // Index is not checked: 0..SeparatorCount()-1.
  void GetSeparatorInfo(int Index, TdxBarSeparatorInfo& Info) const;
  // The record keeps its control.
  void SetSeparatorInfo(int Index, const TdxBarSeparatorInfo& Info);
  TdxBarItemControl* SeparatorControl(int Index) const { return separators_[Index].Control; }
  // A destroyed control's records go with it, so no painter walking the separators meets it.
  void RemoveSeparatorsOf(TdxBarItemControl* Control);

 protected:
  // Gives every laid-out shown link's control its item rectangle and lists it; a link that begins
  // a group then gets its separators from AddGroupSeparator.
  void PlaceShownLinks();
  virtual void AddGroupSeparator(int /*ShownIndex*/, TdxBarItemLink* /*Link*/, TdxBarItemControl* /*Control*/,
                                 const TRect& /*R*/) {}

 private:
  struct Separator {
    TdxBarItemControl* Control;
    TRect Bounds;
    Byte Kind;
  };
  std::vector<TdxBarItemControlViewInfo*> itemInfos_;
  std::vector<Separator> separators_;
  TCustomdxBarControl* barControl_;
};

// ---- the shadow ---------------------------------------------------------------------------------

class TdxBarShadowPart;

// Up to five strip windows beside a bar window (and the item that opened it): semi-transparent
// gradients with layered windows on a screen deeper than 8 bits, else solid strips in the
// button-shadow colour.
class TdxBarShadow : public TObject {
  DECLARE_CLASS(TdxBarShadow, TObject)
 public:
  explicit TdxBarShadow(TWinControl* AOwner) : owner_(AOwner) {}
  ~TdxBarShadow() override;

  // Both in screen coordinates; OwnerRect is empty when no item opened the window. The rectangles are
  // exchanged when the window lies above or to the left of the item.
  void SetRects(const TRect& OwnerRect, const TRect& WindowRect);
  void ChangeVisibility(bool Value);
  // Destroys the parts and creates them again.
  void Refresh();

  // 4 when transparent, else 2.
  static int ShadowSize();
  // UpdateLayeredWindow exists and the screen has more than 8 bits per pixel.
  static bool IsTransparent();

  TWinControl* Owner() const { return owner_; }
  bool Visible() const { return visible_; }
  bool Horizontal() const { return horizontal_; }
  const TRect& OwnerRect() const { return ownerRect_; }
  const TRect& WindowRect() const { return windowRect_; }
  int PartCount() const;
  // Slot 0..4, null when the slot is free.
  TdxBarShadowPart* Part(int Index) const { return parts_[Index]; }

 private:
  void CreateParts();
  void DestroyParts();
  void AddPart(int Kind, TSet<int> Corners, const TRect& R);

  TWinControl* owner_;
  bool visible_ = false;
  TdxBarShadowPart* parts_[5] = {};
  bool horizontal_ = true;
  TRect ownerRect_{};
  TRect windowRect_{};
};

// Kind 0 is a strip along a bottom edge (its thickness its height), 1 one along a right edge.
// Corners: 1 fades the left end, 2 the right end (kind 0); 4 the top end (kind 1).
class TdxBarShadowPart : public TCustomControl {
  DECLARE_CLASS(TdxBarShadowPart, TCustomControl)
 public:
  TdxBarShadowPart(TdxBarShadow* AShadow, int AKind, TSet<int> ACorners);
  ~TdxBarShadowPart() override;

  // Sets the bounds, builds the image and shows the part when the shadow is visible.
  void SetPartBounds(const TRect& R);
  // Only a part large enough: without corners always; with corners when both sides reach the size.
  void ShowPart();
  void HidePart();
  bool LargeEnough() const;

  int Kind() const { return kind_; }
  TSet<int> Corners() const { return corners_; }
  // The 32-bit image, alpha in every pixel (colour channels 0).
  TBitmap* Image() const { return image_.get(); }
  // The alpha of pixel (x, y) as the image holds it.
  Byte AlphaAt(int X, int Y) const;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void WMNCHitTest(TMessage& Message) { Message.Result = HTTRANSPARENT; }
  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(WM_NCHITTEST, WMNCHitTest)
  MESSAGE_MAP_END

 private:
  void BuildImage();
  TdxBarShadow* shadow_;
  int kind_;
  TSet<int> corners_;
  ObjectPtr<TBitmap> image_;
};

// The rectangles of a shadow's parts (kind, corners, rectangle), in the order they are made, for
// the window rectangle W and the owner rectangle O (empty when none), with shadow size S.
struct TdxBarShadowPartPlan {
  int Kind;
  TSet<int> Corners;
  TRect Bounds;
};
std::vector<TdxBarShadowPartPlan> PlanShadowParts(bool Horizontal, const TRect& O, const TRect& W, int S);

// ---- the common bar window ----------------------------------------------------------------------

// State bits of a bar window.
enum TdxBarControlStateBit {
  bcsCreatingControls = 1,
  bcsDestroyingControls = 2,
  bcsClosing = 8,
  bcsPaintingControl = 16,
  bcsRecalculating = 32,
  bcsApplyingFont = 64,
};

// Bits of FeatureFlags.
enum TdxBarFeatureBit {
  bfDetachCaption = 1,
  bfResumeAfterEdit = 2,
  bfHintsInMenus = 4,
  bfPressNeedsKeyboardFocus = 32,
  bfSelectClearsDowned = 64,
  // The same bit: a closing editor leaves the focus where it is instead of handing it back.
  bfNoFocusReturnAfterEdit = 64,
  bfSystemHitCodes = 128,
  bfContextMenuOnRelease = 256,
};

// The view states of SetViewState.
enum TdxBarViewState { bvsNormal = 0, bvsHot = 1 };

class TCustomdxBarControl : public TCustomControl, public IcxMouseTrackingCaller {
  DECLARE_CLASS(TCustomdxBarControl, TCustomControl)
 public:
  // The manager owns the window; a manager without painter cannot have windows.
  explicit TCustomdxBarControl(TdxBarManager* AOwner);
  ~TCustomdxBarControl() override;
  void BeforeDestruction() override;

  // ---- owner, canvas, painter
  TdxBarManager* OwningBarManager() const { return barManager_; }
  // The window's canvas while it has a handle; before that a temporary screen canvas.
  TcxCanvas* CurrentCanvas();
  TCustomdxBarControlViewInfo* ViewInfo();
  TdxBarShadow* Shadow() const { return shadow_.get(); }
  // The fader of the window's item controls: the ribbon's for its bar windows, none elsewhere.
  virtual TdxFader* Fader() { return nullptr; }
  TBitmap* BackgroundCache() const { return backgroundCache_.get(); }
  // The window's own painter when set, else its parent's, its dock site's (toolbars), its manager's.
  virtual TdxBarPainter* Painter();
  void SetOwnPainter(TdxBarPainter* Value) { ownPainter_ = Value; }

  // ---- accessibility
  // The class of the window's accessibility object, made on first use and kept while the window lives.
  virtual const TdxBarAccessibilityHelperMetaClass* AccessibilityHelperClass();
  TdxBarAccessibilityHelper* AccessibilityHelper();

  // ---- links and selection
  TdxBarItemLinks* ItemLinks() const { return itemLinks_; }
  virtual void AssignItemLinks(TdxBarItemLinks* Links);
  TdxBarItemLink* SelectedLink() const { return selectedLink_; }
  TdxBarItemControl* SelectedItemControl() const;
  TdxBarItemLink* TrackedLink() const { return trackedLink_; }
  TdxBarItemControl* ClickedControl() const { return clickedControl_; }
  // The link is going: the window forgets it as selected and tracked link.
  void ForgetLink(TdxBarItemLink* Link);
  // The control is going: the window forgets it as clicked control.
  void ForgetControl(TdxBarItemControl* Control);
  TdxBarItemControl* DesignSelectedControlHere();

  // ---- state
  int State() const { return state_; }
  bool HasState(int Bit) const { return (state_ & Bit) != 0; }
  bool IsActive() const { return active_; }
  bool IsDestroying() const { return ComponentState().Contains(csDestroying); }
  bool IgnoreNextClick = false;
  bool ClosedByEscape = false;
  bool Downed = false;
  // Set when the window clicks an item or a control asks to drop down by key; cleared when the
  // selection changes.
  bool ItemActivation = false;
  int ViewState() const { return viewState_; }
  void SetViewState(int Value);
  const TPoint& LastMousePos() const { return lastMousePos_; }
  // Forgets the last recorded pointer position, so the next move is handled as new.
  void ResetLastMousePos() { lastMousePos_ = TPoint{-1, -1}; }
  const String& HintText() const { return hintText_; }
  HBRUSH ItemBrush() const { return itemBrush_; }
  TdxBarItemControl* OwnerControl() const { return ownerControl_; }
  void SetOwnerControl(TdxBarItemControl* Value) { ownerControl_ = Value; }
  // The screen rectangle of the item or area that opened the window; empty when opened at a point.
  const TRect& OwnerBounds() const { return ownerBounds_; }
  void SetOwnerBounds(const TRect& Value) { ownerBounds_ = Value; }
  TCustomdxBarControl* ParentBar() const { return parentBar_; }
  TCustomdxBarControl* ChildBar() const { return childBar_; }
  void SetChildBar(TCustomdxBarControl* Value);
  void SetParentBar(TCustomdxBarControl* Value);
  TWinControl* DockControl() const { return dockControl_; }
  void SetDockControl(TWinControl* Value);
  TdxBarDockingStyle DockingStyle() const { return dockingStyle_; }
  int MarkSize = 0;
  TNotifyEvent DestroyCallback;
  // Set while a control of a personalised menu that is not recently used paints (menus).
  bool PaintingNonRecent = false;
  // The window closes the menus it opened (they do not close it in turn).
  void CloseChildMenus();

  // ---- metrics
  int TextSize() const { return textSize_; }
  double Ratio() const { return ratio_; }
  int MenuArrowHeight() const { return menuArrowHeight_; }
  int IconAreaSizeValue() const { return iconAreaSize_; }
  int EditTextSize() const { return editTextSize_; }
  int ComboArrowWidth() const { return comboArrowWidth_; }
  TRect ItemsRect;
  TRect VisibleItemsRect;

  // ---- geometry
  void ItemControlRect(TdxBarItemControl* Control, TRect& R);
  TRect ItemControlScreenRect(TdxBarItemControl* Control);
  TRect ScreenWindowRect();
  TRect WindowRectAtOrigin();
  TRect ClientRectInWindowCoords();
  TPoint ClientOriginInWindow();
  TPoint AddClientOffset(const TPoint& P);
  // The items rectangle on the screen.
  TRect ItemsScreenRect();
  // The one-pixel strip of the window's edge that touches the opening item (window coordinates,
  // moved by the window's position with Shifted); empty without owner bounds or not adjacent.
  void OwnerJoinRect(bool Shifted, TRect& R);
  HBRUSH OwnerAreaBrush();
  bool CursorOverThisWindow();

  // ---- layout
  void Recalculate(bool Rebuild);
  TdxBarItemControl* ItemControlAt(const TPoint& P);
  TdxBarItemControl* ItemControlUnderCursor();
  void PostMouseRefresh();
  // The drop position of a dragged link at a client point (customizing).
  virtual void DropTargetAt(const TPoint& P, TdxBarItemLink*& Link, bool& OnSeparator, bool& Before, bool& Vertical);
  // Container items show their entries in the links (menus, outside customizing): a container
  // that expands in place gives its link's place to them, any other (the in-place sub-item) keeps
  // its link and shows them after it. The collapse puts everything back.
  void ExpandContainerLinks();
  void CollapseContainerLinks();

  // ---- painting
  void RepaintWithFrame();
  void RepaintFrameRect(const TRect& R);
  void DrawDesignSelection(HDC DC, TdxBarItemControl* Control, const TRect& R);
  // True when the window paints on glass and the control does not paint glass itself (its in-place
  // editor then paints through a buffer): never here.
  virtual bool ItemNeedsGlassBuffer(TdxBarItemControl*) const { return false; }

  // ---- hints
  void ShowHint(bool Show, const String& Text, TObject* Object);
  TdxBarCustomHintViewInfo* MakeHintViewInfo(const String& Text, const String& ShortCutText, TdxBarScreenTip* ScreenTip);
  void HintPositionFor(const TRect& ItemRect, const TPoint& CursorPos, int Extra, TPoint& Position);

  // ---- activation, closing, keyboard focus
  void RequestActive(bool Active);
  bool IsKeyboardFocusedBar();
  void ReleaseKeyboardFocus();
  bool WantsEditMessages(TdxBarItemControl* Control);
  void ShowWithoutActivation();
  // A mouse press outside the window (the mouse hook calls it before closing menus); empty here.
  virtual void MouseDownOutside(const TPoint&) {}

  // ---- input (mouse and keys)
  void TrackLink(TdxBarItemLink* Link, const TPoint& P, TShiftState Shift);
  bool LinkDragCheck(const TPoint& P);
  void DoubleClickStep(TdxBarItemControl* Control);
  int SelectionOperationFor(TMouseButton Button, TShiftState Shift, TObject* Object);
  bool SelectedControlTakesKey(Word Key);
  void CycleToolbars(bool Forward);
  bool PointBelongsToBar(const TPoint& P);
  bool ContainsWindow(HWND Window);
  bool PointOnMark(const TPoint& P);
  bool CursorOnMark();
  // The window's mouse-leave event: also when the pointer leaves, the window closes or another bar
  // window takes the keyboard.
  void MouseLeaveEvent();
  // The manager's mouse tracking reports that the pointer left the window.
  void MouseLeave() override { MouseLeaveEvent(); }

  // ---- the virtual operations, in slot order
  virtual void FitPopupAbove(TPoint& P, int Height);
  virtual void ResumeAfterEdit(TdxBarItemControl* Control);
  virtual void TrackMouseMove(TShiftState Shift, int X, int Y);
  virtual bool SelectionKeepsKeys() { return false; }
  virtual void NotifyPointerAt(const TPoint&) {}
  virtual void PositionChanged(const WINDOWPOS& WindowPos);
  virtual bool ChildMenuBounds(TRect&) { return false; }
  virtual void CalcLayout() { CalcItemsRect(); }
  virtual void CalcMetrics();
  virtual void CalcItemsRect() { ItemsRect = ClientRect(); }
  virtual void StackLinksFrom(int FirstIndex, int& Bottom);
  virtual void ArrangeLinks() {}
  // Kind 1 stacks the links (menus), 0 and 2 arrange them (toolbars; 2 rotated).
  virtual void LayoutLinks(int Kind, int FirstIndex);
  virtual void CalcViewInfo() { ViewInfo()->ComputeLayout(); }
  virtual void CreateItemControls();
  virtual void DestroyItemControls();
  virtual void LinkShownNotice() {}
  virtual bool CanActivate();
  virtual bool AllowsItemAlign(TdxBarItemControl*) { return false; }
  virtual bool NotFlatFloating() { return true; }
  virtual bool CanPaintControl(TdxBarItemControl* Control);
  virtual bool AllowsCustomizing();
  virtual bool CanCloseFor(TdxBarManager* Manager, HWND Window);
  virtual bool ShowsPartialLast() { return false; }
  virtual bool InActiveChain();
  virtual bool ContextMenuOnPress(bool Down);
  virtual bool ItemHintsAllowed() { return !IsActive(); }
  virtual bool UpdatesLocked();
  virtual bool AttachesDropDowns();
  virtual void BeforeLayout() {}
  virtual void AfterLayout() {}
  virtual void BeginLinkDrag(const TPoint& P, bool Unchanged);
  virtual void SelectAndActivate(TdxBarItemControl* Control);
  virtual void DeselectAndDeactivate();
  virtual void MouseEnterStep(TShiftState Shift, const TPoint& P, TdxBarItemControl* Control);
  virtual void MouseDownStep(TMouseButton Button, TShiftState Shift, const TPoint& P, TdxBarItemControl* Control,
                             bool InClient);
  virtual void MouseLeaveStep();
  virtual void MouseMoveStep(TShiftState Shift, const TPoint& P, TdxBarItemControl* Control);
  virtual void MouseUpStep(TMouseButton Button, TShiftState Shift, const TPoint& P, TdxBarItemControl* Control,
                           bool InClient);
  virtual void CreateControlsForLinks();
  virtual void FireDestroyCallback();
  virtual void DestroyControlsForLinks();
  virtual void Close();
  virtual void PaintItemControl(TdxBarItemControl* Control, TcxCanvas* Canvas, const TRect& R);
  virtual void RebuildControls(bool Rebuild);
  virtual void SetActive(bool Value);
  virtual void PaintItemControls();
  virtual void DragOverAt(int, int, bool&) {}
  virtual TdxBarItemLink* FindLinkByKey(Word Key, TShiftState Shift, TdxBarItemLink* After);
  virtual TdxBarItemLink* FindEnabledLinkByKey(Word Key, TShiftState Shift, TdxBarItemLink* After, bool& Ambiguous);
  virtual void ClickItemStep(TdxBarItemControl* Control);
  virtual TBitmap* BackgroundBitmap() = 0;
  virtual int SeparatorSize() = 0;
  virtual int FeatureFlags();
  virtual int TextSizeFor(TdxBarItemControl* Control);
  virtual TBitmap* AlternateBitmap() { return nullptr; }
  virtual TFont* ItemFont();
  virtual bool GlyphColumnOption() { return false; }
  virtual void ItemRectOf(TdxBarItemControl* Control, TRect& R) { ItemControlRect(Control, R); }
  virtual bool IsCustomizing();
  virtual bool IsMainMenu() = 0;
  virtual bool ShadowVisible();
  virtual bool IsStatusBar() = 0;
  virtual TdxBarItemViewLevel ViewLevelFor(TdxBarItemControl*) { return ivlDefault; }
  virtual int GapBefore(TdxBarItemLink* Link);
  virtual void ItemRectForRegion(TdxBarItemControl* Control, bool Flag, TRect& R);
  virtual HRGN ItemRegion(TdxBarItemControl* Control);
  virtual int MarkState() { return markState_; }
  virtual int MarkExtent() { return ShowsMark() ? MarkSize : 0; }
  virtual int BaseTextSize();
  virtual TdxBarItemControl* OwnerControlIfOpened() { return ownerBounds_.IsEmpty() ? nullptr : ownerControl_; }
  virtual int ItemPaintKind() { return RotatesText() ? 2 : 0; }
  virtual TObject* SelectableObject() { return nullptr; }
  virtual HBRUSH BackgroundBrush();
  virtual HBRUSH PatternBrush();
  virtual HBRUSH ToolbarBrush();
  virtual HBRUSH HighlightBrush();
  virtual TCustomdxBarControlViewInfo* CreateViewInfo() = 0;
  virtual void WindowedControlClicked(TdxBarItemControl*) {}
  virtual HDC GetNonClientDC(HRGN) { return GetWindowDC(Handle()); }
  virtual void ReleaseNonClientDC(HDC DC) { ReleaseDC(Handle(), DC); }
  virtual int PainterFrameQuery();
  virtual int IconAreaSize();
  virtual int TextHeight();
  virtual void BoundsForFocus(TRect& R) { R = BoundsRect(); }
  virtual bool PainterHasShadow();
  virtual void CloseByEscape();
  virtual bool IsTransient() { return false; }
  virtual bool IsAncestorOf(TCustomdxBarControl* Window);
  virtual bool HasLinkControl(TdxBarItemControl* Control);
  virtual bool OwnerAdjacent();
  virtual bool OwnsWindow(HWND) { return false; }
  virtual bool IsPopupBar() { return false; }
  virtual bool IsVerticalForKeys() { return IsVertical(); }
  virtual bool WindowIsEnabled();
  virtual void SelectionChanged(TdxBarItemControl*) {}
  virtual bool ShowsMark() { return false; }
  virtual void MarkRect(TRect& R) { R = TRect{}; }
  virtual void SetMarkState(int State) = 0;
  virtual bool IsQuickCustomization() { return false; }
  virtual bool MouseIgnored(bool CheckUnmoved);
  virtual void PaintOneControl(TcxCanvas* Canvas, TdxBarItemControl* Control);
  virtual void SetDockingStyle(TdxBarDockingStyle Style);
  virtual void ApplyFont() = 0;
  virtual void AfterHandleCreated() {}
  virtual void DesignClick(TdxBarItemControl* Control, TMouseButton Button, TShiftState Shift);
  virtual void ActivateByKey(TdxBarItemControl* Control, bool NoEnter);
  virtual void SetSelected(TdxBarItemControl* Control);
  virtual void HotTrack(TdxBarItemControl* Control);
  virtual void SetSelectedCore(TdxBarItemControl* Control);
  virtual void InvalidateControl(TdxBarItemControl* Control) = 0;
  virtual void ViewStateChanged(int) {}
  virtual void DesignPopupRequest(TdxBarItemLinks*) {}
  virtual void ShowDesignPopup(TdxBarItemControl* Control);
  virtual bool PaintsOwnFrame() { return true; }
  virtual void PaintNonClient(HDC DC, const TRect& R, HBRUSH Brush, TColor Color, bool Offset) = 0;
  virtual void PaintNonClientRegion(HDC DC, HRGN Region, HBRUSH Brush, bool Offset);
  virtual bool InPopupChain() { return false; }
  virtual bool DockHasBackground() { return false; }
  virtual bool NeedsDoubleBuffer() { return false; }
  virtual void ClientOffset(TPoint& P) { P = TPoint{0, 0}; }
  virtual void PaintFrame(HDC) {}
  virtual void DropBackgroundCache();
  virtual bool UpdateDoubleBuffered();
  virtual void HideWindowStep() = 0;
  virtual void GuardedClose();
  virtual bool KeepsEditFocus() { return false; }
  virtual bool IsVertical() { return false; }
  virtual bool RotatesText() { return false; }
  // 0 toolbar, 1 quick-customization bar, 2 menu.
  virtual int BarKind() = 0;
  virtual void SettingsChanged() { Recalculate(true); }
  // Whether the window's links belong to a popup menu that passes its hints to the application
  // (the menu windows answer; nothing else does).
  virtual bool PassesHintsToApplication() { return false; }
  // The width of a drop-down arrow of the window's buttons in menus (the menu windows keep their own).
  virtual int MenuArrowWidth();

 protected:
  void CreateWnd() override;
  void CreateWindowHandle(const TCreateParams& Params) override;
  void DestroyWindowHandle() override;
  void Paint() override;
  void WndProc(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void NotifyControlsHandleGone();
  void UpdateControlStyle();
  void UpdateCanvasFont();
  // The message a toolbar records before dispatching it (the press step rewrites a double click to
  // a plain press there).
  TMessage currentMessage_{};
  void SetState(int Bit, bool Value) { state_ = Value ? (state_ | Bit) : (state_ & ~Bit); }

  void WMEraseBkgnd(TMessage& Message) { Message.Result = 1; }
  void WMPaint(TMessage& Message);
  void WMNCPaint(TMessage& Message);
  void WMWindowPosChanged(TMessage& Message);
  void WMSize(TMessage& Message);
  void WMSetCursor(TMessage& Message);
  void WMMouseActivate(TMessage& Message);
  void WMDestroy(TMessage& Message);
  void WMSetFocus(TMessage& Message);
  void WMKillFocus(TMessage& Message);
  void WMNCActivate(TMessage& Message);
  void WMCommand(TMessage& Message);
  void WMLButtonDown(TMessage& Message);
  void WMLButtonUp(TMessage& Message);
  void WMMouseMove(TMessage& Message);
  void WMKeyDown(TMessage& Message);
  void WMCaptureChanged(TMessage& Message);
  // The in-place editors of the window's edit controls take the painter's edit colours.
  void WMCtlColorEdit(TMessage& Message);
  void CMSettingsChanged(TMessage&) { SettingsChanged(); }
  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd)
  MESSAGE_HANDLER(WM_PAINT, WMPaint)
  MESSAGE_HANDLER(WM_NCPAINT, WMNCPaint)
  MESSAGE_HANDLER(WM_WINDOWPOSCHANGED, WMWindowPosChanged)
  MESSAGE_HANDLER(WM_SIZE, WMSize)
  MESSAGE_HANDLER(WM_SETCURSOR, WMSetCursor)
  MESSAGE_HANDLER(WM_MOUSEACTIVATE, WMMouseActivate)
  MESSAGE_HANDLER(WM_DESTROY, WMDestroy)
  MESSAGE_HANDLER(WM_SETFOCUS, WMSetFocus)
  MESSAGE_HANDLER(WM_KILLFOCUS, WMKillFocus)
  MESSAGE_HANDLER(WM_NCACTIVATE, WMNCActivate)
  MESSAGE_HANDLER(WM_COMMAND, WMCommand)
  MESSAGE_HANDLER(WM_LBUTTONDOWN, WMLButtonDown)
  MESSAGE_HANDLER(WM_LBUTTONDBLCLK, WMLButtonDown)
  MESSAGE_HANDLER(WM_LBUTTONUP, WMLButtonUp)
  MESSAGE_HANDLER(WM_MOUSEMOVE, WMMouseMove)
  MESSAGE_HANDLER(WM_KEYDOWN, WMKeyDown)
  MESSAGE_HANDLER(WM_CAPTURECHANGED, WMCaptureChanged)
  MESSAGE_HANDLER(WM_CTLCOLOREDIT, WMCtlColorEdit)
  MESSAGE_HANDLER(WM_CTLCOLORSTATIC, WMCtlColorEdit)
  MESSAGE_HANDLER(0x8065, CMSettingsChanged)
  MESSAGE_MAP_END

 private:
  void DetachFromManager();
  TdxBarAccessibilityHelper* accessibilityHelper_ = nullptr;
  void ClearTemporaryCanvas();
  bool ObjectIsSelected(TObject* Object);

  TdxBarManager* barManager_;
  ObjectPtr<TcxCanvas> canvas_;
  ObjectPtr<TcxScreenCanvas> temporaryCanvas_;
  ObjectPtr<TCustomdxBarControlViewInfo> viewInfo_;
  ObjectPtr<TdxBarShadow> shadow_;
  ObjectPtr<TBitmap> backgroundCache_;
  TdxBarItemLinks* itemLinks_ = nullptr;
  TdxBarItemLink* selectedLink_ = nullptr;
  TdxBarItemLink* trackedLink_ = nullptr;
  TdxBarItemControl* clickedControl_ = nullptr;
  bool dragPending_ = false;
  TPoint dragStart_{};
  bool active_ = false;
  TCustomdxBarControl* previousActive_ = nullptr;
  TCustomdxBarControl* parentBar_ = nullptr;
  TCustomdxBarControl* childBar_ = nullptr;
  TWinControl* dockControl_ = nullptr;
  TdxBarDockingStyle dockingStyle_ = dsNone;
  TdxBarPainter* ownPainter_ = nullptr;
  TRect ownerBounds_{};
  TdxBarItemControl* ownerControl_ = nullptr;
  int markState_ = 0;
  int textSize_ = 0;
  double ratio_ = 1.0;
  int menuArrowHeight_ = 4;
  int iconAreaSize_ = 0;
  int editTextSize_ = 0;
  int comboArrowWidth_ = 0;
  int state_ = 0;
  int viewState_ = bvsNormal;
  String hintText_;
  HBRUSH itemBrush_ = nullptr;
  // A container's link whose entries the links hold while the window shows them: its collection
  // index, whether the entries took its place (it is out of the collection until the collapse),
  // and its place in the recent order to give back.
  struct ExpandedLink {
    TdxBarItemLink* Link = nullptr;
    TcxObjectLink* Alive = nullptr;
    int Index = 0;
    bool Replaced = false;
    int RecentIndex = -1;
  };
  std::vector<ExpandedLink> expandedLinks_;
  bool hasExpandedLinks_ = false;
  TPoint lastMousePos_{-1, -1};
};

// ---- the live windows and the active chain -------------------------------------------------------

void RegisterBarControl(TCustomdxBarControl* Control);
void UnregisterBarControl(TCustomdxBarControl* Control);
// False for null.
bool IsLiveBarControl(TObject* Object);
int LiveBarControlCount();
// The most recently activated bar window (the head of the active chain), or null.
TCustomdxBarControl* ActiveBarControl();
void SetActiveBarControl(TCustomdxBarControl* Control);
TdxBarManager* ActiveBarManager();
// The head exists, has a window and the window is enabled with its parents.
bool ActiveBarWindowEnabled();
// The customizing state of the first window of the chain when the chain began; also the menus'
// full-menus state (one process flag).
bool ChainBeganCustomizing();
void SetChainBeganCustomizing(bool Value);
// From a bar window along its parents while they are not being destroyed; stops at a window in a
// popup chain whose parent is not; the last window reached.
TCustomdxBarControl* TopBarOfChain(TCustomdxBarControl* Control);
// TopBarOfChain, or null when that is a menu window.
TCustomdxBarControl* TopToolbarOfChain(TCustomdxBarControl* Control);
TCustomdxBarControl* ItemControlChainRoot(TdxBarItemControl* Control);
TCustomdxBarControl* ParentToolbarOfControl(TdxBarItemControl* Control);
// Another bar window (the chain head) has a parent bar, or its selected control is dropped down
// (with MouseOutsideOnly only while the cursor is outside that control).
bool AnotherBarControlActive(TCustomdxBarControl* Control, bool MouseOutsideOnly);
// Closes the active bar window and its parent chain.
void CloseActiveBarMenus();
// Another manager of the process than Own is in customizing mode (its windows draw shaded then).
bool AnotherBarManagerCustomizing(TdxBarManager* Own);

// ---- the drop-down list of combo items ---------------------------------------------------------

// A borderless, top-most tool window under a combo's control: an owner-drawn list of entries whose
// selection follows the mouse and which takes a press-drag-release that began on the combo's button.
class TdxBarDropDownListBox : public TCustomListBox {
  DECLARE_CLASS(TdxBarDropDownListBox, TCustomListBox)
 public:
  explicit TdxBarDropDownListBox(TComponent* AOwner);
  // The bar window the list drops from (its painter draws the frame); set before the drop-down.
  TCustomdxBarControl* ParentBarControl() const { return parentBar_; }
  void SetParentBarControl(TCustomdxBarControl* Value) { parentBar_ = Value; }
  TdxBarPainter* Painter() const;
  // True while the list holds the capture it took because the button was still down.
  bool CapturedOnDropDown = false;

 protected:
  // The combo's part of a release that closes the list (Index -1 when nothing is selected) and of a
  // click on an entry while the list stays open; the combo items give them their behaviour.
  virtual void ReleaseChoosesEntry(int) {}
  virtual void EntryClicked(int) {}
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void Click() override;
  void WMNCCalcSize(TMessage& Message);
  void WMNCPaint(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message) { Message.Result = 1; }
  void WMCaptureChanged(TMessage& Message);
  void WMLButtonUp(TMessage& Message);
  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(WM_NCCALCSIZE, WMNCCalcSize)
  MESSAGE_HANDLER(WM_NCPAINT, WMNCPaint)
  MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd)
  MESSAGE_HANDLER(WM_CAPTURECHANGED, WMCaptureChanged)
  MESSAGE_HANDLER(WM_LBUTTONUP, WMLButtonUp)
  MESSAGE_MAP_END

 private:
  TCustomdxBarControl* parentBar_ = nullptr;
};

// ---- the toolbar window -------------------------------------------------------------------------

class TdxBar;
class TdxBars;
class TdxDockControl;
class TdxDockCol;

// One link's control as the toolbar layout sees it: main-axis size s, cross size c, group start; the
// layout's results.
struct TdxToolbarLayoutItem {
  int Along = 0;
  int Across = 0;
  bool BeginGroup = false;
  bool LineBreakBefore = false;
  bool LastInRow = false;
  TRect Rect{};
  int RowHeight = 0;
  // The control's effective alignment and minimum length along the main axis; Aligned is set by
  // the arrangement for any alignment but iaLeft.
  TdxBarItemAlign Align = iaLeft;
  int MinAlong = 0;
  bool Aligned = false;
};

// Wrapping of a multi-line toolbar to the length L along its main axis: decides the line breaks (a
// group that does not fit moves to the next row as a whole, unless it began the row; once a row
// had to break inside a group every later group starts a row) and grows Size (main, cross) to hold
// them. Returns the main-axis and cross sizes in Size.
void WrapToolbarItems(std::vector<TdxToolbarLayoutItem>& Items, int Length, int Separator, TSize& Size);
// Arrangement of the items in a window: Wrap for multi-line windows (rows start at the line breaks;
// a vertical one fills columns from the right edge, Width being its client width), else one row of
// thickness Thickness that ends at the first item after the first one that does not fit into
// Available. An aligned item (centre, right, client) moves or stretches within Available and takes
// the rest of its row. Returns the number of items placed.
int ArrangeToolbarItems(std::vector<TdxToolbarLayoutItem>& Items, bool Wrap, bool Vertical, int Available,
                        int Thickness, int Width, int Separator);

// Where a popup of the given size opens from a toolbar window's item: below (or, on a vertical
// toolbar, beside) the item rectangle, turned to the other side when it would leave the work area,
// and kept inside the work area. All rectangles in screen coordinates.
TPoint ToolbarPopupPosition(const TRect& ItemRect, const TSize& PopupSize, bool Vertical, const TRect& WorkArea);

// The window of a toolbar: a child window of its dock site while docked, a tool window owned by the
// manager's form while floating. It lays its links out in rows, answers the measures the dock site's
// row fitting asks for, and paints its frame (the docked margins with the drag handle, or the
// floating border) through the painter.
class TdxBarControl : public TCustomdxBarControl {
  DECLARE_CLASS(TdxBarControl, TCustomdxBarControl)
 public:
  TdxBarControl(TdxBarManager* AOwner, TdxBar* ABar);
  ~TdxBarControl() override;
  // Outside customizing and design the toolbars popup; inside, the link context menu.
  void ShowDesignPopup(TdxBarItemControl* Control) override;

  TdxBar* Bar() const { return bar_; }
  const TdxBarAccessibilityHelperMetaClass* AccessibilityHelperClass() override;
  // The accessibility object of the toolbar's mark.
  TdxBarAccessibilityHelper* MarkAccessibilityHelper();
  TdxBarDockingStyle DockingStyle() const { return dockingStyle_; }
  TdxDockControl* DockControl() const { return dockControl_; }
  bool IsDocked() const { return dockingStyle_ != dsNone; }
  bool IsDockedVertically() const { return dockingStyle_ == dsLeft || dockingStyle_ == dsRight; }
  bool IsMultiLine() const;
  // Takes the docking style and site: the window is re-parented (the same handle) and re-laid.
  void ChangeDockingState(TdxBarDockingStyle Style, TdxDockControl* Site);
  // The placement bracket: the window is being placed by its toolbar's properties.
  void BeginStateChange() { ++stateChanging_; }
  void EndStateChange() { --stateChanging_; }
  bool PlacedByProperties() const { return stateChanging_ > 0; }
  bool Repositioning() const { return repositioning_ > 0; }
  void SetBoundsIfChanged(const TRect& R);
  // The dock site is going: the window forgets it.
  void ForgetDockControl() {
    dockControl_ = nullptr;
    Column = nullptr;
  }
  // Moves the window's handle to a new parent without re-creating it.
  void MoveHandleTo(HWND NewParent, bool Popup);

  // ---- measures (sizes of the client, frame excluded unless named)
  int FrameWidth();
  int FrameHeight();
  TRect FrameMargins();
  int NaturalWidth(TdxBarDockingStyle Style);
  int NaturalHeight(TdxBarDockingStyle Style);
  int OneRowWidth(TdxBarDockingStyle Style);
  int OneRowHeight(TdxBarDockingStyle Style);
  TSize SizeForWidth(TdxBarDockingStyle Style, int Width);
  TSize SizeForHeight(TdxBarDockingStyle Style, int Height);
  // The window size (frame included) for a style.
  TSize SizeForStyle(TdxBarDockingStyle Style);
  // The one-item-per-line and one-row lengths along the site for the style (frame excluded).
  int MinimalLength(TdxBarDockingStyle Style);
  int FullLength(TdxBarDockingStyle Style);

  // Paints the frame (the whole window less the client area) into DC, at the window's origin.
  void PaintNonClientArea(HDC DC);
  // The frame as WM_NCPAINT draws it: shaded while another manager customizes.
  void PaintFrame(HDC DC);

  // ---- the close button: the user's close
  bool AllowsClosing();
  // Floating and closable by the user.
  bool ShowsCloseButton();
  // Hides the toolbar and tells the manager once; the toolbar is not registered for restoring.
  void CloseByUser();
  // The rectangles of the floating caption and its close button, in window coordinates; the close
  // button is the caption button size centred in the caption's right button area.
  TRect CaptionRect();
  TRect CloseButtonRect();
  // 0 normal, 1 hot, 2 pressed; a change repaints the button at once.
  int CloseButtonState() const { return closeButtonState_; }
  void SetCloseButtonState(int State);
  // Gives the caption buttons their rectangles (window coordinates), left of the close button.
  void LayoutCaptionButtons();
  // What lies under a window point of the caption: -2 the close button, a caption button's index,
  // or -1.
  int CaptionTargetAt(const TPoint& WindowPoint);
  // The close button and the caption buttons follow a window point (hot or normal).
  void TrackCaptionHot(const TPoint& WindowPoint);
  // The press of a caption target (-2 close, or a caption button): shows it pressed and runs a
  // modal loop while the window holds the capture; a release over the same target clicks it (the
  // close button closes the toolbar). True when clicked.
  bool PressCaptionTarget(int Target);
  // Runs caption button Index's click.
  void CaptionButtonClicked(int Index);
  // The flat close button applies: a floating main menu, or a shown close button while the manager
  // shows its close button.
  bool AllowsFlatCloseButton();
  // The window's size across its rows for a style: the largest item (vertical or whole-row bars) or
  // the first shown item (the empty-button size without links), the floating caption and the frame.
  int RowExtent(TdxBarDockingStyle Style);
  // The bar shows a size grip (a status bar); refreshed at every frame calculation.
  bool ShowsSizeGrip() const { return showsSizeGrip_; }
  // Recalculates the frame when the bar's size-grip answer changed.
  void RefreshSizeGrip();
  void PositionChanged(const WINDOWPOS& WindowPos) override;
  // The size grip's rectangle in window coordinates (empty without one).
  TRect SizeGripRect();

  // ---- MDI buttons of a main menu (0 minimize, 1 restore, 2 close) while an MDI child is maximized
  // The main menu, a maximized MDI child of the manager's frame, and that child has a system menu.
  bool ShowsMDIButtons();
  // The MDI buttons or, on a main menu with the manager's ShowCloseButton, a plain close button.
  bool HasCaptionButtonsArea();
  int MDIButtonsWidth();
  int MDIButtonsHeight();
  // Button Index's rectangle in client coordinates, at the far end of the bar.
  TRect MDIButtonRect(int Index);
  // The button's command is enabled in the child's system menu (Mask 3: neither grayed nor
  // disabled; 1: not grayed); restore and the plain close button always are.
  bool MDIButtonEnabled(int Index, UINT Mask);
  // The MDI button pressed or hot (process-wide: one toolbar presses at a time), -1 for none.
  static int PressedMDIButton();
  static int HotMDIButton();

  // ---- the mark (at the far end of a docked toolbar)
  bool ShowsMark() override;
  bool HasMark();
  void MarkRect(TRect& R) override;
  int MarkState() override { return markStateValue_; }
  void SetMarkState(int State) override;
  void PaintMark(HDC DC);
  String MarkHintText();
  // Set by the arrangement when an aligned link is followed by further links.
  bool MoreLinks = false;
  // ---- the quick-customization bar the open mark shows
  // A floating window shows its caption (the quick-customization bar shows none).
  virtual bool HasFloatingCaption() { return true; }
  // Copies of the links cut off the window, then "&Add or Remove Buttons" when the toolbar allows
  // quick customizing.
  virtual void FillQuickCustomizeLinks(TdxBarItemLinks* Links);
  virtual void AddQuickCustomizeEntry(TdxBarItemLinks* Links);
  // One check entry per link that may be customized, "&Reset Toolbar" when the toolbar can be
  // reset, "&Customize...".
  virtual void FillAddRemoveList(TdxBarItemLinks* Links);
  // Double click on the caption or the drag handle: floats a docked toolbar, docks a floating one.
  void ToggleDocking();
  // The grab point the move loop keeps under the cursor for a style.
  TPoint DragSizeFor(TdxBarDockingStyle Style);
  // Where the window can be grabbed to move it (window coordinates): the drag handle of a docked
  // window with a border, the caption of a floating one; empty when it cannot move.
  TRect GripRect();

  TdxDockCol* Column = nullptr;
  // The results of the last row fit.
  int FitMinLength = 0, FitFullLength = 0;
  bool FitTruncated = false;

  // ---- the common window's abstract operations
  int BarKind() override { return 0; }
  bool IsVertical() override { return IsDockedVertically(); }
  int SeparatorSize() override;
  TBitmap* BackgroundBitmap() override;
  bool IsMainMenu() override;
  bool IsStatusBar() override;
  TCustomdxBarControlViewInfo* CreateViewInfo() override;
  void CalcMetrics() override;
  void MouseDownStep(TMouseButton Button, TShiftState Shift, const TPoint& P, TdxBarItemControl* Control,
                     bool InClient) override;
  void MouseMoveStep(TShiftState Shift, const TPoint& P, TdxBarItemControl* Control) override;
  void MouseLeaveStep() override;
  void MouseUpStep(TMouseButton Button, TShiftState Shift, const TPoint& P, TdxBarItemControl* Control,
                   bool InClient) override;
  // The separator line: between rows (Horizontal) or between items of a row.
  void PaintSeparator(HDC DC, const TRect& R, bool Horizontal);
  void InvalidateControl(TdxBarItemControl* Control) override;
  void ApplyFont() override;
  void PaintNonClient(HDC DC, const TRect& R, HBRUSH Brush, TColor Color, bool Offset) override;
  void HideWindowStep() override;
  void RebuildControls(bool Rebuild) override;
  void ArrangeLinks() override;
  void CalcItemsRect() override;
  bool InPopupChain() override { return false; }
  // Alignment is for the last showable link of a bar that uses its rest space.
  bool AllowsItemAlign(TdxBarItemControl* Control) override;
  // The control's rectangle stretched across its row.
  void ItemRectOf(TdxBarItemControl* Control, TRect& R) override;
  // Lays the links out again and repaints.
  void Relayout();

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  // The client's painting: the controls, separators, MDI buttons, mark, then the background.
  void PaintClientArea(TcxCanvas* Canvas);
  void WMNCCalcSize(TMessage& Message);
  void WMNCPaint(TMessage& Message);
  void WMNCHitTest(TMessage& Message);
  void WMNCLButtonDown(TMessage& Message);
  void WMNCLButtonDblClk(TMessage& Message);
  void WMDestroyBar(TMessage& Message);
  void WMEraseBkgndBar(TMessage& Message) { Message.Result = 1; }
  void WMMouseActivateBar(TMessage& Message) { Message.Result = MA_NOACTIVATE; }
  void WMTimerBar(TMessage& Message);
  void WMSizing(TMessage& Message);
  void WMNCMouseMove(TMessage& Message);
  void WMNCMouseLeave(TMessage& Message);
  void WMGetMinMaxInfoBar(TMessage& Message);
  void WMSetCursorBar(TMessage& Message);
  void CMFontChangedBar(TMessage& Message);
  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(WM_GETMINMAXINFO, WMGetMinMaxInfoBar)
  MESSAGE_HANDLER(WM_SETCURSOR, WMSetCursorBar)
  MESSAGE_HANDLER(CM_FONTCHANGED, CMFontChangedBar)
  MESSAGE_HANDLER(WM_TIMER, WMTimerBar)
  MESSAGE_HANDLER(WM_SIZING, WMSizing)
  MESSAGE_HANDLER(WM_NCMOUSEMOVE, WMNCMouseMove)
  MESSAGE_HANDLER(WM_NCMOUSELEAVE, WMNCMouseLeave)
  MESSAGE_HANDLER(WM_NCCALCSIZE, WMNCCalcSize)
  MESSAGE_HANDLER(WM_NCPAINT, WMNCPaint)
  MESSAGE_HANDLER(WM_NCHITTEST, WMNCHitTest)
  MESSAGE_HANDLER(WM_NCLBUTTONDOWN, WMNCLButtonDown)
  MESSAGE_HANDLER(WM_NCLBUTTONDBLCLK, WMNCLButtonDblClk)
  MESSAGE_HANDLER(WM_DESTROY, WMDestroyBar)
  MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgndBar)
  MESSAGE_HANDLER(WM_MOUSEACTIVATE, WMMouseActivateBar)
  MESSAGE_MAP_END

 private:
  std::vector<TdxToolbarLayoutItem> MeasureItems(bool Vertical);
  TdxBarAccessibilityHelper* markAccessibilityHelper_ = nullptr;
  TRect ClientOf(const TRect& WindowRect);

  TdxBar* bar_;
  TdxBarDockingStyle dockingStyle_ = dsNone;
  TdxDockControl* dockControl_ = nullptr;
  int stateChanging_ = 0;
  int repositioning_ = 0;
  int markStateValue_ = 0;
  int closeButtonState_ = 0;
  bool showsSizeGrip_ = false;
  TSize mdiButtonSize_{};
  // The MDI buttons of the mask drawn in their states; with Exclude they leave the canvas clip.
  void PaintMDIButtons(TcxCanvas* Canvas, bool All, bool Exclude);
  void RepaintMDIButtons();
  // The enabled MDI button (Mask) under a client point, -1 for none.
  int MDIButtonAt(const TPoint& P, UINT Mask);
  // The MDI child the buttons act on.
  HWND MDIChildWindow();
  bool markTimer_ = false;
  bool trackingNonClient_ = false;
  void StartMarkTimer();
  void KillMarkTimer();
  // The caption slot Index counted from the right (0 the rightmost).
  TRect CaptionSlot(int Index);
  void PaintCloseButton();
  // A client point in window coordinates.
  TPoint ClientToWindowPoint(const TPoint& P) {
    const TPoint o = ClientOriginInWindow();
    return TPoint{P.x + o.x, P.y + o.y};
  }
};
