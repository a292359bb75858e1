#pragma once
// Controls: TControl (bounds, visibility, mouse, alignment, message dispatch), TWinControl (a
// window handle, children, focus and keyboard), TGraphicControl (drawn on its parent) and
// TCustomControl (a window with a canvas and Paint).
//
// Messages reach a control through one static window procedure that finds the control by a window
// property and calls its WindowProc chain: the hooks installed with InstallWindowProcHook (most
// recent first), then WindowProc, which defaults to WndProc. WndProc calls Dispatch, which each class
// extends with a handler table (MESSAGE_MAP); a handler passes a message on with Inherited::Dispatch,
// and the end of the chain is DefaultHandler.

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(WINDOWS);

#include <functional>
#include <memory>
#include <vector>

#include "platform/framework/windows/AllocateHWnd.h"
#include "platform/framework/classes/Component.h"
#include "platform/framework/classes/Events.h"
#include "platform/framework/graphics/Graphics.h"
#include "platform/framework/windows/Messages.h"
#include "platform/framework/rtl/Seams.h"

class TControl;
class TWinControl;
class TCustomForm;
class TPopupMenu;
class TDragObject;
class TDragImageList;
class TBasicAction;
class TControlActionLink;

// ---- Handler tables ------------------------------------------------------------------------------

// In a class body: the messages this class handles itself. Every other message, and every message
// a handler passes on with Inherited::Dispatch, goes to the base class's table.
#define MESSAGE_MAP_BEGIN                   \
 public:                                    \
  void Dispatch(TMessage& Message) override { \
    switch (Message.Msg) {
#define MESSAGE_HANDLER(Msg, Method) \
  case Msg:                          \
    Method(Message);                 \
    return;
#define MESSAGE_MAP_END          \
  default:                       \
    break;                       \
    }                            \
    Inherited::Dispatch(Message); \
  }                              \
                                 \
 private:

// ---- Value types ---------------------------------------------------------------------------------

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;

enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;
enum TMouseButton { mbLeft, mbRight, mbMiddle };

enum TControlStyleItem {
  csAcceptsControls,
  csCaptureMouse,
  csDesignInteractive,
  csClickEvents,
  csFramed,
  csSetCaption,
  csOpaque,
  csDoubleClicks,
  csFixedWidth,
  csFixedHeight,
  csNoDesignVisible,
  csReplicatable,
  csNoStdEvents,
  csDisplayDragImage,
  csReflector,
  csActionClient,
  csMenuEvents,
  csNeedsBorderPaint,
  csParentBackground,
};
using TControlStyle = TSet<TControlStyleItem>;

enum TControlStateItem {
  csLButtonDown,
  csClicked,
  csPalette,
  csReadingState,
  csAlignmentNeeded,
  csFocusing,
  csCreating,
  csPaintCopy,
  csCustomPaint,
  csDestroyingHandle,
  csDocking,
  csRecreating,
  csAligning,
  csPrintClient,
};
using TControlState = TSet<TControlStateItem>;

// The reading order of a control's text and layout.
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
enum TDragMode { dmManual, dmAutomatic };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };

using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSize = -22;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

// ---- Events --------------------------------------------------------------------------------------

using TMouseEvent = TEvent<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = TEvent<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = TEvent<void(TObject* Sender, Word& Key, TShiftState Shift)>;
using TKeyPressEvent = TEvent<void(TObject* Sender, wchar_t& Key)>;
using TMouseWheelEvent =
    TEvent<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent = TEvent<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
using TContextPopupEvent = TEvent<void(TObject* Sender, TPoint MousePos, bool& Handled)>;
using TDragOverEvent =
    TEvent<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDragDropEvent = TEvent<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TStartDragEvent = TEvent<void(TObject* Sender, TDragObject*& DragObject)>;
using TEndDragEvent = TEvent<void(TObject* Sender, TObject* Target, int X, int Y)>;
using TCanResizeEvent = TEvent<void(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize)>;
using TAlignPositionEvent = TEvent<void(TWinControl* Sender, TControl* Control, int& NewLeft, int& NewTop,
                                        int& NewWidth, int& NewHeight, TRect& AlignRect)>;

// A WindowProc hook: handles the message or passes it on through Next.
class TWindowProcChain;
using TWindowProcHook = TEvent<void(TMessage& Message, TWindowProcChain& Next)>;

class TWindowProcChain {
 public:
  TWindowProcChain(TControl* control, std::size_t remaining) : control_(control), remaining_(remaining) {}
  // Passes the message to the next hook, or to WindowProc after the last one.
  void operator()(TMessage& Message);

 private:
  TControl* control_;
  std::size_t remaining_;
};

// Minimum and maximum sizes; 0 = no limit.
class TSizeConstraints : public TPersistent {
  DECLARE_CLASS(TSizeConstraints, TPersistent)
 public:
  explicit TSizeConstraints(TControl* control) : control_(control) {}
  int MinWidth() const { return minWidth_; }
  int MinHeight() const { return minHeight_; }
  int MaxWidth() const { return maxWidth_; }
  int MaxHeight() const { return maxHeight_; }
  void SetMinWidth(int value) { Set(minWidth_, value); }
  void SetMinHeight(int value) { Set(minHeight_, value); }
  void SetMaxWidth(int value) { Set(maxWidth_, value); }
  void SetMaxHeight(int value) { Set(maxHeight_, value); }
  void Apply(int& width, int& height) const;
  void Assign(TPersistent* Source) override;

 private:
  void Set(int& field, int value);
  TControl* control_;
  int minWidth_ = 0, minHeight_ = 0, maxWidth_ = 0, maxHeight_ = 0;
};

// ---- TControl ------------------------------------------------------------------------------------

class TControl : public TComponent {
  DECLARE_CLASS(TControl, TComponent)
 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;
  void BeforeDestruction() override;

  // Messages.
  LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
  // Runs the message through the hooks and WindowProc.
  void DispatchWindowProc(TMessage& Message);
  virtual void WndProc(TMessage& Message);
  virtual void Dispatch(TMessage& Message);
  virtual void DefaultHandler(TMessage& Message);
  // The replaceable entry of every message; defaults to WndProc.
  TWndMethod WindowProc;
  // Hooks run before WindowProc, most recent first; removal is by identity, in any order.
  void InstallWindowProcHook(const TWindowProcHook& Hook);
  void RemoveWindowProcHook(const TWindowProcHook& Hook);
  // Lives as long as the control; tells code that may outlive it whether it is still there.
  std::weak_ptr<void> LifeToken() const { return life_; }

  // Parent and position.
  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* AParent);
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int Value) { SetBounds(Value, top_, width_, height_); }
  void SetTop(int Value) { SetBounds(left_, Value, width_, height_); }
  void SetWidth(int Value) { SetBounds(left_, top_, Value, height_); }
  void SetHeight(int Value) { SetBounds(left_, top_, width_, Value); }
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
  void SetBoundsRect(const TRect& R) { SetBounds(R.left, R.top, R.Width(), R.Height()); }
  TRect ClientRect() { return GetClientRect(); }
  virtual TRect GetClientRect();
  int ClientWidth() { return ClientRect().Width(); }
  int ClientHeight() { return ClientRect().Height(); }
  void SetClientWidth(int Value) { SetClientSize(Value, ClientHeight()); }
  void SetClientHeight(int Value) { SetClientSize(ClientWidth(), Value); }
  virtual void SetClientSize(int AWidth, int AHeight);
  // The screen position of the client origin; EInvalidOperation without a parent window.
  virtual TPoint ClientOrigin();
  TPoint ClientToScreen(const TPoint& Point);
  TPoint ScreenToClient(const TPoint& Point);
  // Converts between this control's client coordinates and those of AParent, one of its parents.
  TPoint ClientToParent(const TPoint& Point, TWinControl* AParent = nullptr);
  TPoint ParentToClient(const TPoint& Point, TWinControl* AParent = nullptr);

  // Layout.
  TAlign Align() const { return align_; }
  void SetAlign(TAlign Value);
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors Value);
  TSizeConstraints* Constraints() { return &constraints_; }
  bool AutoSize() const { return autoSize_; }
  virtual void SetAutoSize(bool Value);
  virtual bool CanResize(int& NewWidth, int& NewHeight);
  virtual bool CanAutoSize(int& NewWidth, int& NewHeight);
  virtual void AdjustSize();
  void RequestAlign();
  virtual void Resize();

  // Appearance.
  bool Visible() const { return visible_; }
  virtual void SetVisible(bool Value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible and every parent showing.
  virtual bool Showing() const;
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool Value);
  TColor Color() const { return color_; }
  void SetColor(TColor Value);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool Value);
  TFont* Font() { return font_.get(); }
  void SetFont(TFont* Value) { font_->Assign(Value); }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool Value);
  String Caption() { return GetText(); }
  void SetCaption(const String& Value) { SetText(Value); }
  String Text() { return GetText(); }
  virtual String GetText();
  virtual void SetText(const String& Value);
  const String& Hint() const { return hint_; }
  void SetHint(const String& Value) { hint_ = Value; }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool Value);
  bool ParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool Value);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor Value);
  TPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* Value);
  virtual TPopupMenu* GetPopupMenu() { return popupMenu_; }
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool Value);
  bool ParentCtl3D() const { return parentCtl3D_; }
  void SetParentCtl3D(bool Value) { parentCtl3D_ = Value; }
  // The reading order; with ParentBiDiMode (the default) the parent's. Setting it clears
  // ParentBiDiMode; controls do not mirror themselves, painters ask (UseRightToLeftAlignment).
  TBiDiMode BiDiMode() const { return biDiMode_; }
  void SetBiDiMode(TBiDiMode Value);
  bool ParentBiDiMode() const { return parentBiDiMode_; }
  void SetParentBiDiMode(bool Value);
  // Right-to-left alignment applies: a BiDiMode other than left-to-right on a Middle-East system.
  bool UseRightToLeftAlignment() const;
  int HelpContext = 0;
  TControlStyle ControlStyle;
  TControlState ControlState;
  virtual void Invalidate();
  virtual void Update();
  virtual void Repaint();
  void Refresh() { Repaint(); }
  void BringToFront();
  void SendToBack();

  // Mouse.
  virtual void Click();
  virtual void DblClick();
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
  virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
  virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
  virtual void DoContextPopup(TPoint MousePos, bool& Handled);

  // Drag and drop.
  TDragMode DragMode() const { return dragMode_; }
  void SetDragMode(TDragMode Value) { dragMode_ = Value; }
  TCursor DragCursor = crDrag;
  void BeginDrag(bool Immediate, int Threshold = -1);
  void EndDrag(bool Drop);
  bool Dragging() const;
  virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
  virtual void DragDrop(TObject* Source, int X, int Y);
  virtual void DoStartDrag(TDragObject*& DragObject);
  virtual void DoEndDrag(TObject* Target, int X, int Y);
  // The images shown under the cursor while this control is dragged (with csDisplayDragImage).
  virtual TDragImageList* GetDragImages() { return nullptr; }

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnResize;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TMouseWheelEvent OnMouseWheel;
  TMouseWheelUpDownEvent OnMouseWheelDown;
  TMouseWheelUpDownEvent OnMouseWheelUp;
  TContextPopupEvent OnContextPopup;
  TDragOverEvent OnDragOver;
  TDragDropEvent OnDragDrop;
  TStartDragEvent OnStartDrag;
  TEndDragEvent OnEndDrag;
  TCanResizeEvent OnCanResize;
  TNotifyEvent OnConstrainedResize;

  // Actions (ActnList.cpp): the control follows its action through an action link.
  TBasicAction* Action() const;
  void SetAction(TBasicAction* Value);
  // Lets the action link refresh the control from its action (the idle pass calls it).
  virtual void InitiateAction();

 protected:
  // Takes the action's caption, enabled state, hint, visibility, help context and click; with
  // CheckDefaults only where the control still has its default.
  virtual void ActionChange(TObject* Sender, bool CheckDefaults);
  // The link a control of this class follows its action with.
  virtual TControlActionLink* CreateActionLink();
  TControlActionLink* ActionLink() const;
  // Runs the action for a click unless OnClick is a handler of the control's own; true when it ran.
  bool ClickAction();
  virtual void UpdateBoundsRect(const TRect& R);
  virtual void ConstrainedResize() {}
  virtual void DoMouseDownMessage(TMessage& Message, TMouseButton Button, TShiftState Shift);
  virtual void VisibleChanging() {}
  virtual void FontChanged();
  void SetZOrder(bool TopMost);
  virtual void SetZOrderPosition(int Position);
  void SendCancelMode(TControl* Sender);
  // The parent's client rectangle as of the last alignment, for anchors.
  TPoint anchorOrigin_;
  // Distances kept by anchors: from the right and bottom edges of the parent's client area.
  int anchorRight_ = 0, anchorBottom_ = 0;
  bool anchorsSet_ = false;

  void WMLButtonDown(TMessage& Message);
  void WMRButtonDown(TMessage& Message);
  void WMMButtonDown(TMessage& Message);
  void WMLButtonDblClk(TMessage& Message);
  void WMRButtonDblClk(TMessage& Message);
  void WMLButtonUp(TMessage& Message);
  void WMRButtonUp(TMessage& Message);
  void WMMButtonUp(TMessage& Message);
  void WMMouseMove(TMessage& Message);
  void WMMouseWheel(TMessage& Message);
  void WMCancelMode(TMessage& Message);
  void WMContextMenu(TMessage& Message);
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void CMMouseWheel(TMessage& Message);
  void CMHitTest(TMessage& Message) { Message.Result = HTCLIENT; }
  void CMParentColorChanged(TMessage& Message);
  void CMParentFontChanged(TMessage& Message);
  void CMParentShowHintChanged(TMessage& Message);
  void CMParentBiDiModeChanged(TMessage& Message);
  void CMSysColorChange(TMessage& Message);
  void CMThemeChanged(TMessage&) { Invalidate(); }


 private:
  friend class TWinControl;
  friend class TWindowProcChain;
  void SetParentFields(TWinControl* AParent) { parent_ = AParent; }
  void RecordAnchors();

  std::shared_ptr<int> life_ = std::make_shared<int>(0);
  std::vector<TWindowProcHook> hooks_;
  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TAlign align_ = alNone;
  TAnchors anchors_{akLeft, akTop};
  TSizeConstraints constraints_{this};
  bool autoSize_ = false;
  bool visible_ = true;
  bool enabled_ = true;
  TColor color_ = clWindow;
  bool parentColor_ = false;
  std::unique_ptr<TFont> font_;
  bool parentFont_ = true;
  String text_;
  String hint_;
  bool showHint_ = false;
  bool parentShowHint_ = true;
  TBiDiMode biDiMode_ = bdLeftToRight;
  bool parentBiDiMode_ = true;
  TCursor cursor_ = crDefault;
  TPopupMenu* popupMenu_ = nullptr;
  bool ctl3D_ = true;
  bool parentCtl3D_ = true;
  TDragMode dragMode_ = dmManual;
  std::unique_ptr<TObject> actionLink_;
};

// The control that gets the mouse messages while set (graphic controls through their parent).
TControl* GetCaptureControl();
void SetCaptureControl(TControl* Control);
// The framework control of a window, or null.
TWinControl* FindControl(HWND Window);
// The control under a screen point: the deepest window control, then a graphic child of it.
TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled);
// The form a control is placed on (the outermost form when forms are nested), or null.
TCustomForm* GetParentForm(TControl* Control, bool TopForm = true);
// True when the "&" accelerator of Text is the key.
bool IsAccel(Word VK, const String& Text);
// The short hint (before "|") and the long hint (after it, or all of it when there is no "|").
String GetShortHint(const String& Hint);
String GetLongHint(const String& Hint);
// The shift state of key messages and of mouse messages' key flags.
TShiftState KeyboardStateToShiftState();
TShiftState KeyDataToShiftState(LPARAM KeyData);
TShiftState MouseKeysToShiftState(WPARAM Keys);

// ---- TWinControl ---------------------------------------------------------------------------------

struct TCreateParams {
  String Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  void* Param = nullptr;
  // The window class: registered under WinClassName with WindowClassStyle, unless SystemClass names
  // a system class, which is created and subclassed instead.
  String WinClassName;
  UINT WindowClassStyle = CS_DBLCLKS;
  String SystemClass;
  // With SystemClass: the window is made of a copy of the system class registered under
  // WinClassName, whose class style is the system class's plus WindowClassStyle (the system class
  // itself stays as it is).
  bool CopySystemClass = false;
  HBRUSH Background = nullptr;
};

class TWinControl : public TControl {
  DECLARE_CLASS(TWinControl, TControl)
 public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;
  void BeforeDestruction() override;

  // Creates a control parented to a foreign window.
  static void CreateParented(TWinControl* Control, HWND ParentWindow) { Control->SetParentWindow(ParentWindow); }

  HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded();
  void DestroyHandle();
  void RecreateWnd();
  // Gives up the window without destroying it: the window keeps running its original procedure.
  HWND ReleaseHandle();
  // Takes over an existing window as this control's handle.
  void AdoptHandle(HWND Window);
  HWND ParentWindow() const { return parentWindow_; }
  void SetParentWindow(HWND Value);
  // The procedure messages go to when no handler takes them: DefWindowProc, or the system class's.
  WNDPROC DefWndProc() const { return defWndProc_; }

  // Children in z-order (bottom first).
  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int Index) const { return controls_.at(Index); }
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);
  bool ContainsControl(TControl* Control) const;
  TControl* ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls = false);
  void Broadcast(TMessage& Message);
  void NotifyControls(UINT Msg);
  // Moves the contents by the delta: every child control keeps its size and moves, the window's
  // face is repainted; nothing is realigned (a later realignment places aligned children again).
  void ScrollBy(int DeltaX, int DeltaY);

  // Focus and keyboard.
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool Value) { tabStop_ = Value; }
  int TabOrder() const;
  void SetTabOrder(int Value);
  void GetTabOrderList(std::vector<TWinControl*>& List);
  virtual bool CanFocus();
  virtual bool Focused();
  virtual void SetFocus();
  TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent);
  void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
  virtual void KeyDown(Word& Key, TShiftState Shift);
  virtual void KeyUp(Word& Key, TShiftState Shift);
  virtual void KeyPress(wchar_t& Key);
  // Key messages: the form first when it previews keys, then KeyDown/KeyUp/KeyPress; true when the
  // key was consumed (set to 0).
  virtual bool DoKeyDown(TMessage& Message);
  virtual bool DoKeyUp(TMessage& Message);
  virtual bool DoKeyPress(TMessage& Message);

  // Layout.
  void DisableAlign();
  void EnableAlign();
  void Realign();
  bool AlignDisabled() const { return alignLevel_ > 0; }
  virtual void AdjustClientRect(TRect& Rect);
  TRect GetClientRect() override;

  // Painting.
  void PaintTo(HDC DC, int X, int Y);
  bool DoubleBuffered = false;
  bool ParentBackground() const { return parentBackground_; }
  void SetParentBackground(bool Value);
  void Invalidate() override;
  void Update() override;
  void Repaint() override;

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void SetParent(TWinControl* AParent) override;
  TPoint ClientOrigin() override;
  bool Showing() const override { return handle_ && IsWindowVisible(handle_); }
  String GetText() override;
  void SetText(const String& Value) override;

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;
  TAlignPositionEvent OnAlignPosition;

  void DefaultHandler(TMessage& Message) override;
  void WndProc(TMessage& Message) override;

 protected:
  virtual void CreateParams(TCreateParams& Params);
  virtual void CreateWnd();
  virtual void CreateWindowHandle(const TCreateParams& Params);
  virtual void DestroyWnd();
  virtual void DestroyWindowHandle();
  virtual void CreateHandle();
  virtual void InitializeHandle() {}
  virtual void AlignControls(TControl* AControl, TRect& Rect);
  virtual void AlignPosition(TControl* AControl, int& NewLeft, int& NewTop, int& NewWidth, int& NewHeight,
                             TRect& AlignRect);
  virtual void DoEnter();
  virtual void DoExit();
  virtual void PaintWindow(HDC DC);
  void PaintHandler(HDC DC);
  void PaintControls(HDC DC, TControl* First);
  virtual void UpdateShowing();
  void UpdateControlState();
  void UpdateBoundsRect(const TRect& R) override;
  void SetZOrderPosition(int Position) override;
  void FontChanged() override;
  void AlignControl(TControl* AControl);
  // Aligns the children now, or marks the alignment as needed while it is disabled.
  void AlignChildren();
  bool IsControlMouseMsg(TMessage& Message);
  void ApplyParentBackgroundFill(HDC DC);

  void WMPaint(TMessage& Message);
  void WMPrintClient(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message);
  void WMSize(TMessage& Message);
  void WMMove(TMessage& Message);
  void WMWindowPosChanged(TMessage& Message);
  void WMSetFocus(TMessage& Message);
  void WMKillFocus(TMessage& Message);
  void WMKeyDown(TMessage& Message);
  void WMKeyUp(TMessage& Message);
  void WMChar(TMessage& Message);
  void WMSysKeyDown(TMessage& Message);
  void WMCommand(TMessage& Message);
  void WMNotify(TMessage& Message);
  void WMReflected(TMessage& Message);
  void WMCtlColor(TMessage& Message);
  void WMSetCursor(TMessage& Message);
  void WMNCDestroy(TMessage& Message);
  void WMSysColorChange(TMessage& Message);
  void WMThemeChanged(TMessage& Message);
  void CNKeyDown(TMessage& Message);
  void CNKeyUp(TMessage& Message);
  void CNChar(TMessage& Message);
  void CMDialogKey(TMessage& Message) { Broadcast(Message); }
  void CMDialogChar(TMessage& Message) { Broadcast(Message); }
  void CMEnter(TMessage&) { DoEnter(); }
  void CMExit(TMessage&) { DoExit(); }
  void CMFocusChanged(TMessage& Message) { Broadcast(Message); }
  void CMEnabledChanged(TMessage& Message);
  void CMShowingChanged(TMessage& Message);
  void CMVisibleChanged(TMessage& Message);
  void CMColorChanged(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void CMShowHintChanged(TMessage& Message);
  void CMBiDiModeChanged(TMessage& Message);
  void CMSysColorChange(TMessage& Message);
  void CMThemeChanged(TMessage& Message);
  void CMRecreateWnd(TMessage& Message);

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(WM_PAINT, WMPaint)
  MESSAGE_HANDLER(WM_PRINTCLIENT, WMPrintClient)
  MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd)
  MESSAGE_HANDLER(WM_SIZE, WMSize)
  MESSAGE_HANDLER(WM_MOVE, WMMove)
  MESSAGE_HANDLER(WM_WINDOWPOSCHANGED, WMWindowPosChanged)
  MESSAGE_HANDLER(WM_SETFOCUS, WMSetFocus)
  MESSAGE_HANDLER(WM_KILLFOCUS, WMKillFocus)
  MESSAGE_HANDLER(WM_KEYDOWN, WMKeyDown)
  MESSAGE_HANDLER(WM_SYSKEYDOWN, WMSysKeyDown)
  MESSAGE_HANDLER(WM_KEYUP, WMKeyUp)
  MESSAGE_HANDLER(WM_SYSKEYUP, WMKeyUp)
  MESSAGE_HANDLER(WM_CHAR, WMChar)
  MESSAGE_HANDLER(WM_COMMAND, WMCommand)
  MESSAGE_HANDLER(WM_NOTIFY, WMNotify)
  MESSAGE_HANDLER(WM_DRAWITEM, WMReflected)
  MESSAGE_HANDLER(WM_MEASUREITEM, WMReflected)
  MESSAGE_HANDLER(WM_DELETEITEM, WMReflected)
  MESSAGE_HANDLER(WM_COMPAREITEM, WMReflected)
  MESSAGE_HANDLER(WM_HSCROLL, WMReflected)
  MESSAGE_HANDLER(WM_VSCROLL, WMReflected)
  MESSAGE_HANDLER(WM_CTLCOLORBTN, WMCtlColor)
  MESSAGE_HANDLER(WM_CTLCOLOREDIT, WMCtlColor)
  MESSAGE_HANDLER(WM_CTLCOLORLISTBOX, WMCtlColor)
  MESSAGE_HANDLER(WM_CTLCOLORSCROLLBAR, WMCtlColor)
  MESSAGE_HANDLER(WM_CTLCOLORSTATIC, WMCtlColor)
  MESSAGE_HANDLER(WM_CTLCOLORDLG, WMCtlColor)
  MESSAGE_HANDLER(WM_SETCURSOR, WMSetCursor)
  MESSAGE_HANDLER(WM_NCDESTROY, WMNCDestroy)
  MESSAGE_HANDLER(WM_SYSCOLORCHANGE, WMSysColorChange)
  MESSAGE_HANDLER(WM_THEMECHANGED, WMThemeChanged)
  MESSAGE_HANDLER(CN_KEYDOWN, CNKeyDown)
  MESSAGE_HANDLER(CN_SYSKEYDOWN, CNKeyDown)
  MESSAGE_HANDLER(CN_KEYUP, CNKeyUp)
  MESSAGE_HANDLER(CN_CHAR, CNChar)
  MESSAGE_HANDLER(CN_SYSCHAR, CNChar)
  MESSAGE_HANDLER(CM_DIALOGKEY, CMDialogKey)
  MESSAGE_HANDLER(CM_DIALOGCHAR, CMDialogChar)
  MESSAGE_HANDLER(CM_ENTER, CMEnter)
  MESSAGE_HANDLER(CM_EXIT, CMExit)
  MESSAGE_HANDLER(CM_FOCUSCHANGED, CMFocusChanged)
  MESSAGE_HANDLER(CM_ENABLEDCHANGED, CMEnabledChanged)
  MESSAGE_HANDLER(CM_SHOWINGCHANGED, CMShowingChanged)
  MESSAGE_HANDLER(CM_VISIBLECHANGED, CMVisibleChanged)
  MESSAGE_HANDLER(CM_COLORCHANGED, CMColorChanged)
  MESSAGE_HANDLER(CM_FONTCHANGED, CMFontChanged)
  MESSAGE_HANDLER(CM_SHOWHINTCHANGED, CMShowHintChanged)
  MESSAGE_HANDLER(CM_BIDIMODECHANGED, CMBiDiModeChanged)
  MESSAGE_HANDLER(CM_SYSCOLORCHANGE, CMSysColorChange)
  MESSAGE_HANDLER(CM_THEMECHANGED, CMThemeChanged)
  MESSAGE_HANDLER(CM_RECREATEWND, CMRecreateWnd)
  MESSAGE_MAP_END

 private:
  friend class TControl;
  friend LRESULT CALLBACK FrameworkWindowProc(HWND, UINT, WPARAM, LPARAM);
  void AttachHandle(HWND Window);
  void ScreenToClientWindow(POINT& p);
  void ListInsert(TControl* AControl);
  void ListRemove(TControl* AControl);
  void ResetBackgroundBrush();
  HDC BufferDC(int width, int height);
  void FreeBuffer();

  HWND handle_ = nullptr;
  HWND parentWindow_ = nullptr;
  WNDPROC defWndProc_ = nullptr;
  std::vector<TControl*> controls_;
  std::vector<TWinControl*> tabList_;
  bool tabStop_ = false;
  bool reparenting_ = false;
  bool parentBackground_ = false;
  int alignLevel_ = 0;
  HBRUSH backgroundBrush_ = nullptr;
  TColor backgroundBrushColor_ = clNone;
  // The double-buffering bitmap, kept and grown only when the client grows.
  HDC bufferDC_ = nullptr;
  HBITMAP bufferBitmap_ = nullptr;
  HGDIOBJ bufferOldBitmap_ = nullptr;
  int bufferWidth_ = 0, bufferHeight_ = 0;
};

// ---- TControlCanvas, TGraphicControl, TCustomControl ---------------------------------------------

// A canvas on a control's device context, fetched on first use and released with FreeHandle.
class TControlCanvas : public TCanvas {
 public:
  explicit TControlCanvas(TControl* control) : control_(control) {}
  ~TControlCanvas() override;
  void FreeHandle();
  // Sets a DC painted into from outside (WM_PAINT); the canvas does not release it.
  void SetPaintHandle(HDC DC);

 protected:
  void CreateHandle() override;

 private:
  TControl* control_;
  HDC ownDC_ = nullptr;
  HWND dcWindow_ = nullptr;
};

// Points a control canvas at a paint DC, with the control's font, for the length of one paint
// call; the canvas lets go of the DC however the paint ends.
class TCanvasPaintScope {
 public:
  TCanvasPaintScope(TControlCanvas& canvas, HDC DC, TFont* font);
  ~TCanvasPaintScope();
  TCanvasPaintScope(const TCanvasPaintScope&) = delete;
  TCanvasPaintScope& operator=(const TCanvasPaintScope&) = delete;

 private:
  void Release();
  TControlCanvas& canvas_;
};

class TGraphicControl : public TControl {
  DECLARE_CLASS(TGraphicControl, TControl)
 public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  TCanvas* Canvas() { return canvas_.get(); }

 protected:
  virtual void Paint() {}
  void WMPaint(TMessage& Message);

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(WM_PAINT, WMPaint)
  MESSAGE_MAP_END

 private:
  std::unique_ptr<TControlCanvas> canvas_;
};

class TCustomControl : public TWinControl {
  DECLARE_CLASS(TCustomControl, TWinControl)
 public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;
  TCanvas* Canvas() { return canvas_.get(); }
  TNotifyEvent OnPaint;

 protected:
  virtual void Paint();
  void PaintWindow(HDC DC) override;

 private:
  std::unique_ptr<TControlCanvas> canvas_;
};

// ---- Drag and drop -------------------------------------------------------------------------------

class TDragObject : public TObject {
  DECLARE_CLASS(TDragObject, TObject)
 public:
  // Cursor over a target: DragCursor of the source when accepted, else crNoDrop.
  virtual TCursor GetDragCursor(bool Accepted, int X, int Y);
  // The drag has ended; the object may free itself here, the manager does not touch it after.
  virtual void Finished(TObject* /*Target*/, int /*X*/, int /*Y*/, bool /*Accepted*/) {}
  virtual TControl* DragTarget() const { return dragTarget_; }
  // The images shown under the cursor during the drag, or null.
  virtual TDragImageList* GetDragImages() { return nullptr; }
  TPoint DragPos;
  bool Cancelling = false;

 private:
  friend class TDragManager;
  TControl* dragTarget_ = nullptr;
};

class TDragControlObject : public TDragObject {
  DECLARE_CLASS(TDragControlObject, TDragObject)
 public:
  explicit TDragControlObject(TControl* AControl) : control_(AControl) {}
  TControl* Control() const { return control_; }
  TCursor GetDragCursor(bool Accepted, int X, int Y) override;
  TDragImageList* GetDragImages() override;
  void Finished(TObject* Target, int X, int Y, bool Accepted) override;

 private:
  TControl* control_;
};

// The running drag of the process, or null.
TDragObject* CurrentDragObject();
TControl* CurrentDragControl();
// Cancels a running drag as with Escape.
void CancelDrag();
