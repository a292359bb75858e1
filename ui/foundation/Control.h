#pragma once
// TcxControl: the windowed base of the library's custom-drawn controls. It adds to TCustomControl a
// wrapping TcxCanvas, an owned look and feel whose painter draws the optional border, its own pair of
// painted scroll bars with a size grip, content scrolling by wheel and by middle-button dragging, a
// drag-and-drop engine with a start threshold, focus-on-click rules, the keys it asks the dialog
// manager for, mouse enter and leave events, font listeners, popup menus that may be the bar
// library's, and a window procedure that survives the control being freed while a message is handled.
//
// Descendants customise it through the virtual operations below rather than by handling messages.

#include <vector>

#include "platform/framework/controls/Menus.h"
#include "platform/framework/graphics/ImageList.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/Classes.h"
#include "ui/foundation/Controls.h"
#include "ui/foundation/ScrollBar.h"

class TcxControl;

enum TcxControlBorderStyle : Byte { cxcbsNone = 0, cxcbsDefault = 1 };
enum TcxDragAndDropState : Byte { ddNone = 0, ddStarting = 1, ddDragging = 2 };
enum TcxWantedKey { wkAllKeys, wkArrows, wkChars, wkTab };
using TcxWantedKeys = TSet<TcxWantedKey>;
// Content-scrolling directions.
enum TcxDirection : Byte { dirNone = 0, dirLeft = 1, dirRight = 2, dirUp = 3, dirDown = 4 };

// An object that owns a look and feel others may follow.
class IcxLookAndFeelOwner : public virtual IInterface {
 public:
  virtual TcxLookAndFeel* GetLookAndFeel() = 0;
};

// A popup menu of another library (the bar library's) that a control can show.
class IcxPopupMenu : public virtual IInterface {
 public:
  virtual bool IsShortCutKey(TMessage& Message) = 0;
  virtual void Popup(int X, int Y) = 0;
};

// An object that holds a control's mouse capture and hears when it loses it.
class IcxMouseCaptureObject : public virtual IInterface {
 public:
  virtual void DoCancelMode() = 0;
};

// Told after every font change of a control.
class IcxFontListener : public virtual IInterface {
 public:
  virtual void Changed(TObject* Sender, TFont* AFont) = 0;
};

// ---- drag and drop --------------------------------------------------------------------------------

// The object a control's own drag-and-drop moves with the mouse.
class TcxDragAndDropObject : public TObject {
  DECLARE_CLASS(TcxDragAndDropObject, TObject)
 public:
  explicit TcxDragAndDropObject(TcxControl* AControl);
  virtual void DirtyChanged() {}
  virtual TCursor DragCursor(bool Accepted) { return Accepted ? crDrag : crNoDrop; }
  virtual bool StartsImmediately() { return false; }
  virtual void EndDragAndDrop(bool Accepted) { (void)Accepted; }
  virtual void BeginDragAndDrop() { DirtyChanged(); }
  virtual void DragAndDrop(const TPoint& P, bool& Accepted);
  virtual void BeforeEndDragAndDrop(bool Accepted) {
    (void)Accepted;
    SetDirty(true);
  }

  void Begin();
  void Move(const TPoint& P);
  void Finish(bool Accepted);
  TcxControl* Control() const { return control_; }
  TcxCanvas* Canvas() const { return canvas_; }
  bool Dirty() const { return dirty_; }
  void SetDirty(bool Value);
  TPoint CurMousePos{-1, -1};
  TPoint PrevMousePos{-1, -1};

 private:
  TcxCanvas* canvas_;
  TcxControl* control_;
  bool dirty_ = false;
};
// Makes the drag-and-drop object of a control.
using TcxDragAndDropObjectClass = TcxDragAndDropObject* (*)(TcxControl* AControl);
template <class T>
TcxDragAndDropObject* cxDragAndDropObjectOf(TcxControl* AControl) {
  return new T(AControl);
}

// The framework drag object of a TcxControl: the copy cursor while Ctrl is held; it frees itself
// when the drag ends (the drag manager never touches it afterwards).
class TcxDragControlObject : public TDragControlObject {
  DECLARE_CLASS(TcxDragControlObject, TDragControlObject)
 public:
  using TDragControlObject::TDragControlObject;
  TCursor GetDragCursor(bool Accepted, int X, int Y) override;
  void Finished(TObject* Target, int X, int Y, bool Accepted) override;
};
using TcxDragControlObjectClass = TDragControlObject* (*)(TControl* AControl);

class TcxDragImageList : public TDragImageList {
  DECLARE_CLASS(TcxDragImageList, TDragImageList)
 public:
  using TDragImageList::TDragImageList;
};

// A component that streams as a child of a TcxControl.
class TcxControlChildComponent : public TcxComponent {
  DECLARE_CLASS(TcxControlChildComponent, TcxComponent)
 public:
  explicit TcxControlChildComponent(TComponent* AOwner);
  // Owned by the control's owner when TakeOwner is set, else by nobody.
  TcxControlChildComponent(TcxControl* AControl, bool TakeOwner);
  ~TcxControlChildComponent() override;
  virtual bool IsDestroying() { return ComponentState().Contains(csDestroying); }
  virtual void InitChild() {}
  virtual void SetControl(TcxControl* Value) { control_ = Value; }
  TcxControl* Control() const { return control_; }
  bool HasParent() const override { return control_ != nullptr; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;

 private:
  TcxControl* control_ = nullptr;
};

// ---- scroll bars ----------------------------------------------------------------------------------

// The values SetScrollBarInfo writes and ApplyPendingData applies.
struct TcxScrollBarData {
  int Min = 0;
  int Max = 100;
  int Position = 0;
  int PageSize = 0;
  Word SmallChange = 1;
  Word LargeChange = 1;
  bool Enabled = true;
  bool Visible = false;
  bool AllowShow = true;
  bool AllowHide = true;
};

class TcxControlScrollBar : public TcxScrollBar {
  DECLARE_CLASS(TcxControlScrollBar, TcxScrollBar)
 public:
  explicit TcxControlScrollBar(TComponent* AOwner);
  ~TcxControlScrollBar() override;
  void ApplyPendingData();
  TcxScrollBarData Data;

 protected:
  void WndProc(TMessage& Message) override;
  virtual void FocusParentOnClick();
  void CMDesignHitTest(TMessage& Message) { Message.Result = 1; }
  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(CM_DESIGNHITTEST, CMDesignHitTest)
  MESSAGE_MAP_END
};

// The corner between the two bars.
class TcxSizeGrip : public TCustomControl {
  DECLARE_CLASS(TcxSizeGrip, TCustomControl)
 public:
  explicit TcxSizeGrip(TComponent* AOwner);
  ~TcxSizeGrip() override;
  TcxLookAndFeel* LookAndFeel() const { return lookAndFeel_; }

 protected:
  void Paint() override;
  void WMEraseBkgnd(TMessage& Message) { Message.Result = 1; }
  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd)
  MESSAGE_MAP_END

 private:
  TcxLookAndFeel* lookAndFeel_;
};

// ---- TcxControl -----------------------------------------------------------------------------------

class TcxControl : public TCustomControl, public IcxLookAndFeelOwner {
  DECLARE_CLASS(TcxControl, TCustomControl)
 public:
  int _AddRef() override { return -1; }
  int _Release() override { return -1; }
  TcxLookAndFeel* GetLookAndFeel() override { return LookAndFeelOf(); }
  explicit TcxControl(TComponent* AOwner);
  ~TcxControl() override;
  void BeforeDestruction() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // Its own canvas once the window exists, else a screen canvas kept until then.
  TcxCanvas* CurrentCanvas();
  TcxCanvas* cxCanvas() const { return canvas_; }
  TcxLookAndFeel* LookAndFeel() const { return lookAndFeel_; }
  void SetLookAndFeel(TcxLookAndFeel* Value) { lookAndFeel_->Assign(Value); }
  bool IsBeingDestroyed() const { return ComponentState().Contains(csDestroying); }
  bool IsLoading() const { return ComponentState().Contains(csLoading); }
  void AssignWantedKeys(TcxWantedKeys Value) { wantedKeys_ = Value; }
  TcxWantedKeys WantedKeys() const { return wantedKeys_; }
  // None, a TPopupMenu, or a component offering IcxPopupMenu; anything else is stored as none.
  TComponent* PopupMenuComponent() const { return popupMenu_; }
  void SetPopupMenuComponent(TComponent* Value);
  TPopupMenu* GetPopupMenu() override { return dynamic_cast<TPopupMenu*>(popupMenu_); }
  TObject* MouseCaptureObject() const { return mouseCaptureObject_; }
  void SetMouseCaptureObject(TObject* Value);
  void RedrawWithChildren();
  TcxControlBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TcxControlBorderStyle Value);
  bool FocusOnClick = true;
  TRect LayoutBounds;
  // True only while WM_RBUTTONUP is handled.
  bool RightButtonReleasing() const { return rightButtonReleasing_; }
  bool MouseButtonPressed() const { return mouseButtonPressed_; }
  TPoint MouseDownPos() const { return mouseDownPos_; }
  void AddFontListener(IcxFontListener* Listener);
  void RemoveFontListener(IcxFontListener* Listener);

  TNotifyEvent OnFocusChanged;

  // Scroll bars.
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle Value);
  TcxControlScrollBar* HScrollBar() const { return hScrollBar_; }
  TcxControlScrollBar* VScrollBar() const { return vScrollBar_; }
  TcxSizeGrip* SizeGrip() const { return sizeGrip_; }
  void SetScrollBarInfo(TScrollBarKind Kind, int AMin, int AMax, int AStep, int APage, int APos, bool AAllowShow,
                        bool AAllowHide);
  bool IsHScrollBarVisible();
  bool IsVScrollBarVisible();
  void ScrollContentBy(TcxDirection Direction);
  // Above 0, RecalcScrollBars only marks that an update is needed.
  int ScrollBarsLockCount = 0;
  bool ScrollBarsUpdateNeeded = false;
  bool IsScrollingContent() const { return scrollingContent_; }

  // Drag and drop.
  TcxDragAndDropObject* DragAndDropObject();
  TcxDragAndDropObjectClass DragAndDropObjectClassValue = nullptr;
  TcxDragAndDropState DragAndDropState() const { return dragAndDropState_; }
  void SetDragAndDropState(TcxDragAndDropState Value);
  void FinishDragAndDropOnce(bool Accepted);
  bool IsInDragThreshold(int X, int Y);
  // The captured loop that decides whether a press becomes a drag: 0 released, 1 moved out of the
  // drag rectangle, 2 cancelled (Escape, capture lost, loop ended).
  static int DragDetectLoop(HWND Window);
  TDragImageList* GetDragImages() override;

  // Overrides of the framework's operations.
  void DoContextPopup(TPoint MousePos, bool& Handled) override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Resize() override;
  void DoStartDrag(TDragObject*& DragObject) override;
  void DoEndDrag(TObject* Target, int X, int Y) override;
  void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;

  // The control's own virtual operations.
  virtual bool ShowPopupMenuAt(TComponent* AMenu, int X, int Y);
  virtual void NotifyDesignerModified();
  virtual void ParentBackgroundChanged() {}
  virtual void StartMouseAction(TMouseButton Button, int X, int Y);
  virtual bool AllowDragAndDropAt(int X, int Y, TShiftState Shift);
  virtual void BeforeMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void BringScrollBarsToFront();
  virtual void EndMouseOperation();
  virtual bool CanFocusOnClick();
  virtual bool CanFocusOnClickAt(int X, int Y);
  virtual bool CanFocusOnScrollBarClick() { return CanFocusOnClick(); }
  virtual int BorderThickness();
  virtual void BoundsForLayout(TRect& R);
  virtual void ContentBounds(TRect& R);
  virtual TCursor CursorAt(int X, int Y);
  virtual bool IsDesigning() { return ComponentState().Contains(csDesigning); }
  virtual bool IsFocusedNow() { return Focused(); }
  // 0: the wheel is not handled; 2: up and down; other values: left and right.
  virtual Byte MouseWheelScrollKind();
  // Adds a wheel delta to the control's remainder (a change of direction starts afresh) and takes
  // the whole notches out of it: positive away from the user.
  int WheelNotches(int WheelDelta);
  virtual bool NeedsEraseBackground() { return false; }
  virtual void AttachScrollBars() { AttachScrollBarsToSelf(); }
  virtual bool IsOwnScrollPart(TControl* AControl);
  virtual TcxLookAndFeel* LookAndFeelOf() { return lookAndFeel_; }
  virtual TcxCustomLookAndFeelPainterClass LookAndFeelPainter() { return lookAndFeel_->ActivePainter(); }
  virtual void LookAndFeelUpdated() {}
  virtual bool CanScrollWithoutScrollBars(TcxDirection Direction);
  virtual void HScrollBarBounds(TRect& R);
  virtual void SizeGripBounds(TRect& R);
  virtual void VScrollBarBounds(TRect& R);
  virtual void InitScrollBarsParameters() {}
  virtual bool CanHideScrollBar(TScrollBarKind Kind);
  virtual bool HasScrollBars() { return true; }
  virtual bool KeepsScrollBarsOnTop() { return true; }
  virtual void ScrollContent(TScrollBarKind Kind, TScrollCode Code, int& APosition);
  virtual void PlaceScrollBars();
  virtual void RefreshScrollBars();
  virtual void RecalcScrollBars();
  virtual TcxDragAndDropObjectClass DragAndDropObjectClass();
  virtual void DrawDragImage(TcxCanvas* ACanvas, const TRect& R) { (void)ACanvas; (void)R; }
  virtual TCustomImageList* NewDragImageList();
  virtual TSize DragImageSize() { return {0, 0}; }
  virtual bool IsCopyDragAndDrop();
  virtual bool UsesDragImages() { return false; }
  virtual void InitDragImages(TDragImageList* AImages);
  virtual bool CanFocusWithForm();
  virtual bool IsWithinDragThreshold(int X, int Y);

  // Dynamic hooks.
  virtual void ColorChanged() {}
  virtual void VisibilityChanged() {}
  virtual void AddChildComponent(TcxControlChildComponent* AComponent);
  virtual void RemoveChildComponent(TcxControlChildComponent* AComponent);
  virtual bool ProcessesClickWithoutFocus() { return false; }
  virtual void BoundsChanged() { RecalcScrollBars(); }
  virtual bool AllowsAutoDrag() { return dragAndDropState_ == ddNone; }
  virtual void SyncDefaultCursor() { defaultCursor_ = Cursor(); }
  virtual void CancelMouseCapture();
  virtual void FocusChanged();
  virtual void NotifyFontListeners();
  virtual bool IsDesignHitAt(int X, int Y, TShiftState Shift);
  virtual TcxDragControlObjectClass DragControlObjectClass();
  virtual bool AllowsFocus() { return true; }
  virtual void FireMouseEnter(TControl* AControl);
  virtual void FireMouseLeave(TControl* AControl);
  virtual void TextChanged() {}
  virtual void MoveDragAndDrop(const TPoint& P, bool& Accepted);
  virtual void FinishDragAndDrop(bool Accepted);
  virtual bool CanStartDragAndDrop(const TPoint& P) { (void)P; return false; }
  virtual void StartDragAndDrop(const TPoint& P);
  virtual bool AcceptsFrameworkDrag(TDragObject* DragObject) { (void)DragObject; return true; }

  void AttachScrollBarsToSelf();
  void CreateScrollBars();
  void DestroyScrollBars();
  void UpdateScrollBarsPresence();

 protected:
  void WndProc(TMessage& Message) override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWindowHandle() override;
  void Paint() override;

  void WMSetCursor(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message);
  void WMCancelMode(TMessage& Message);
  void WMNCCalcSize(TMessage& Message);
  void WMPaint(TMessage& Message);
  void WMGetDlgCode(TMessage& Message);
  void WMContextMenu(TMessage& Message);
  void CNKeyDown(TMessage& Message);
  void CNSysKeyDown(TMessage& Message);
  void CMColorChanged(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void CMCursorChanged(TMessage& Message);
  void CMTextChanged(TMessage& Message);
  void CMVisibleChanged(TMessage& Message);
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void CMDesignHitTest(TMessage& Message);
  void CXMSettingsChanged(TMessage& Message);
  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(WM_SETCURSOR, WMSetCursor)
  MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd)
  MESSAGE_HANDLER(WM_CANCELMODE, WMCancelMode)
  MESSAGE_HANDLER(WM_NCCALCSIZE, WMNCCalcSize)
  MESSAGE_HANDLER(WM_PAINT, WMPaint)
  MESSAGE_HANDLER(WM_GETDLGCODE, WMGetDlgCode)
  MESSAGE_HANDLER(WM_CONTEXTMENU, WMContextMenu)
  MESSAGE_HANDLER(CN_KEYDOWN, CNKeyDown)
  MESSAGE_HANDLER(CN_SYSKEYDOWN, CNSysKeyDown)
  MESSAGE_HANDLER(CM_COLORCHANGED, CMColorChanged)
  MESSAGE_HANDLER(CM_FONTCHANGED, CMFontChanged)
  MESSAGE_HANDLER(CM_CURSORCHANGED, CMCursorChanged)
  MESSAGE_HANDLER(CM_TEXTCHANGED, CMTextChanged)
  MESSAGE_HANDLER(CM_VISIBLECHANGED, CMVisibleChanged)
  MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter)
  MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave)
  MESSAGE_HANDLER(CM_DESIGNHITTEST, CMDesignHitTest)
  MESSAGE_HANDLER(CXM_SETTINGSCHANGED, CXMSettingsChanged)
  MESSAGE_MAP_END

 private:
  void HandleScrollBarScroll(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos);
  void LookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues);
  void CalcScrollBarsParams();
  void HideMutuallyDependentBars();
  bool IsPopupMenuShortCut(TMessage& Message);
  void ScrollByMiddleButton();

  TcxScreenCanvas* screenCanvas_ = nullptr;
  TcxControlBorderStyle borderStyle_ = cxcbsNone;
  bool calculatingScrollBarsParams_ = false;
  TcxCanvas* canvas_;
  TcxLookAndFeel* lookAndFeel_;
  bool creatingWindow_ = false;
  TCursor defaultCursor_ = crDefault;
  TcxDragAndDropObject* dragAndDropObject_ = nullptr;
  TCursor dragAndDropPrevCursor_ = crDefault;
  TcxDragAndDropState dragAndDropState_ = ddNone;
  TDragImageList* dragImages_ = nullptr;
  bool finishingDragAndDrop_ = false;
  std::vector<IcxFontListener*> fontListeners_;
  TcxControlScrollBar* hScrollBar_ = nullptr;
  bool initialHScrollBarVisible_ = false;
  bool initialVScrollBarVisible_ = false;
  bool initialScrollBarsParamsApplied_ = false;
  TcxWantedKeys wantedKeys_;
  bool mouseButtonPressed_ = false;
  TObject* mouseCaptureObject_ = nullptr;
  TPoint mouseDownPos_;
  bool rightButtonReleasing_ = false;
  TComponent* popupMenu_ = nullptr;
  TScrollStyle scrollBars_ = ssBoth;
  TcxSizeGrip* sizeGrip_ = nullptr;
  bool updatingScrollBars_ = false;
  TcxControlScrollBar* vScrollBar_ = nullptr;
  bool scrollingContent_ = false;
  bool lastParentBackground_ = true;
  bool settingCursor_ = false;
  bool cancelFrameworkDrag_ = false;
  // The wheel's delta not yet turned into lines (a notch is 120).
  int wheelRemainder_ = 0;
};

// Invalidates a rectangle of the control's window when it has one.
void InvalidateControlRect(TWinControl* AControl, const TRect& R, bool EraseBackground);
