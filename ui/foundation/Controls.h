#pragma once
// Window, monitor and mouse routines, the settings controller, mouse-leave tracking, and the small
// windows of the custom controls: a hidden message window, a timer on the shared timer service, the
// hint window, the popup window with its placement, the drag image and the size frame.

#include <vector>

#include "platform/framework/windows/AllocateHWnd.h"
#include "platform/framework/windows/Forms.h"
#include "platform/framework/windows/HintWindow.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/Messages.h"

// ---- window, monitor and mouse routines -------------------------------------------------------

// True when the control has, or can get, a window handle.
bool CanAllocateWindowHandle(TWinControl* Control);
TRect WorkAreaAtPoint(const TPoint& P);
TRect MonitorWorkArea(HMONITOR Monitor);
// The cursor position; (-1, -1) when it cannot be read.
TPoint SafeCursorPos();
bool HasChildStyle(HWND Window);
bool IsSameOrChildWindow(HWND Parent, HWND Window);
bool IsCtrlPressed();
bool HasAncestorWindow(HWND Owner, HWND Window);
inline bool IsAboveControlChar(wchar_t C) { return C > 31; }
void TranslatePointToWindow(HWND From, HWND To, TPoint& P);
void TranslateRectToWindow(HWND From, HWND To, TRect& R);
// The text without its "&" marks ("&&" gives "&"); a lone trailing mark is dropped, or with
// TrailingMark becomes "_".
String StripAcceleratorPrefix(const String& Text, bool TrailingMark = false);
UINT MouseKeyFlagsFromShift(TShiftState Shift);
// Tells the component's form designer that the form changed; there is no designer at run time.
void NotifyFormDesignerOf(TComponent* Component);
// A cursor made from a .cur file embedded as raw data (RCDATA) under Name; null when it is missing
// or damaged.
HCURSOR CursorFromResource(HINSTANCE Module, const wchar_t* Name);

// ---- message window and timer -----------------------------------------------------------------

// Owns a hidden utility window whose messages go to ProcessWindowMessage.
class TcxMessageWindow : public TObject {
  DECLARE_CLASS(TcxMessageWindow, TObject)
 public:
  TcxMessageWindow();
  ~TcxMessageWindow() override;
  HWND Handle() const { return handle_; }

 protected:
  virtual void ProcessWindowMessage(TMessage& Message);

 private:
  void WindowProc(TMessage& Message);
  HWND handle_;
};

// One hidden utility window for the whole process.
TcxMessageWindow* SharedMessageWindow();

// OnTimer every Interval milliseconds while Enabled and OnTimer is set, on the shared timer service:
// a tick queued before the timer stopped or was freed reaches nobody.
class TcxTimer : public TComponent {
  DECLARE_CLASS(TcxTimer, TComponent)
 public:
  explicit TcxTimer(TComponent* AOwner) : TComponent(AOwner) {}
  ~TcxTimer() override;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool Value);
  UINT Interval() const { return interval_; }
  // 0 or the same value changes nothing.
  void SetInterval(UINT Value);
  TNotifyEvent OnTimer() const { return onTimer_; }
  void SetOnTimer(const TNotifyEvent& Value);
  bool TimerOn() const { return id_ != 0; }
  UINT_PTR TimerId() const { return id_; }

 protected:
  virtual void FireTimer();

 private:
  void Start();
  void Stop();
  bool enabled_ = true;
  UINT interval_ = 1000;
  TNotifyEvent onTimer_;
  UINT_PTR id_ = 0;
};

// ---- settings controller and mouse-leave tracking ---------------------------------------------

// Sends CXM_SETTINGSCHANGED to every registered control when the non-client metrics change.
class TcxSettingsController : public TObject {
  DECLARE_CLASS(TcxSettingsController, TObject)
 public:
  ~TcxSettingsController() override;
  void AddControl(TWinControl* Control);
  void RemoveControl(TWinControl* Control);
  HWND Window() const { return window_; }

 protected:
  virtual void ProcessWindowMessage(TMessage& Message);

 private:
  std::vector<TWinControl*> controls_;
  HWND window_ = nullptr;
};
TcxSettingsController* SettingsController();

class IcxMouseTrackingCaller {
 public:
  virtual void MouseLeave() = 0;

 protected:
  virtual ~IcxMouseTrackingCaller() = default;
};

// A caller that decides itself whether a point (in the control's client coordinates) is inside.
class IcxMouseTrackingCaller2 : public IcxMouseTrackingCaller {
 public:
  virtual bool PtInCaller(const TPoint& P) = 0;
};

// Polls every 10 ms whether the pointer left Bounds (client coordinates of Control, or the screen
// without one) and then reports it once to the caller.
void WatchMouseLeave(TWinControl* Control, const TRect& Bounds, IcxMouseTrackingCaller* Caller);
void UnwatchMouseLeave(IcxMouseTrackingCaller* Caller);
bool IsMouseTracking(IcxMouseTrackingCaller* Caller);

// ---- hint window ------------------------------------------------------------------------------

class TcxBaseHintWindow : public THintWindow {
  DECLARE_CLASS(TcxBaseHintWindow, THintWindow)
 public:
  explicit TcxBaseHintWindow(TComponent* AOwner) : THintWindow(AOwner) {}
  void ActivateHint(const TRect& Rect, const String& AHint) override;
  // Kept inside the work area of the monitor at (ALeft, ATop).
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  // 0-7 fixed styles (see HintAnimationFlags), 8 automatic, 9 none.
  Byte AnimationStyle = 8;
  DWORD AnimationDelay = 100;
  Byte BorderStyle = 0;
  bool EraseBackground = false;
  bool StandardHint = false;

 protected:
  void CreateParams(TCreateParams& Params) override;
  virtual void ResetWindowRegion() { SetWindowRgn(Handle(), nullptr, TRUE); }
  virtual void ShowingHook() {}
  virtual void ShowWithoutActivation() { ShowWindow(Handle(), SW_SHOWNOACTIVATE); }
  void WMEraseBkgnd(TMessage& Message);
  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd)
  MESSAGE_MAP_END

 private:
  void Animate();
};

// Systems of version 5.1 and later except 6.0 (both parts compared on their own).
bool HintVersionFlag(TOSVersion Version);
// The style the hint uses: 9 (none) when asked or when the system's tooltip animation is off;
// automatic becomes 7 (fade) or 2 (slide down) by the system's fade setting.
int EffectiveHintAnimation(int Style);
DWORD HintAnimationFlags(int Style);

// ---- popup window -----------------------------------------------------------------------------

enum TcxPopupDirection { pdHorizontal, pdVertical };

// The popup's position: beside (horizontal) or above/below (vertical) the owner rectangle, flipped
// when it does not fit and there is more room on the other side, and pulled into the work area
// across the direction.
TPoint CalculatePopupPosition(const TRect& Owner, TcxPopupDirection Direction, int HorzAlign, int VertAlign,
                              const TSize& Size, const TRect& WorkArea);

class TcxPopupWindow : public TCustomForm {
  DECLARE_CLASS(TcxPopupWindow, TCustomForm)
 public:
  explicit TcxPopupWindow(TComponent* AOwner = nullptr);
  ~TcxPopupWindow() override;

  virtual void CalculatePosition(TPoint& P);
  virtual void AdjustSize();
  virtual int BorderWidthAt(int Side) { (void)Side; return FrameWidth() + BorderSpace; }
  virtual void ContentRect(TRect& R);
  virtual int FrameWidth();
  virtual void OwnerScreenBounds(TRect& R);
  virtual void TakeOwnerFont();
  virtual void DrawFrame();
  virtual void ClosePopup() { Hide(); }
  virtual void Popup();

  bool Adjustable = true;
  Byte AlignHorz = 0;  // 0 left, 1 centre, 2 right
  Byte AlignVert = 2;  // 0 top, 1 centre, 2 bottom
  int BorderSpace = 0;
  Byte FrameStyle = 0;  // 0 none, 1 single, 2 raised, 3 double 3-D
  TcxPopupDirection Direction = pdVertical;
  TColor FrameColor = clWindowText;
  TRect OwnerBounds;
  TControl* OwnerParent = nullptr;
  TcxCanvas* cxCanvas() const { return cxCanvas_; }

 protected:
  void Paint() override;
  void Deactivate() override;
  void WMActivate(TMessage& Message);
  void WMActivateApp(TMessage& Message);
  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(WM_ACTIVATE, WMActivate)
  MESSAGE_HANDLER(WM_ACTIVATEAPP, WMActivateApp)
  MESSAGE_MAP_END

 private:
  TcxCanvas* cxCanvas_;
  HWND previousActive_ = nullptr;
  TPoint childOffset_;  // how far the children were moved already
};

class TcxCustomDragImage : public TcxPopupWindow {
  DECLARE_CLASS(TcxCustomDragImage, TcxPopupWindow)
 public:
  explicit TcxCustomDragImage(TComponent* AOwner = nullptr);
  void ShowNoActivate();

 protected:
  void CreateParams(TCreateParams& Params) override;
  void WMEraseBkgnd(TMessage& Message) { Message.Result = 1; }
  void WMNCHitTest(TMessage& Message) { Message.Result = HTTRANSPARENT; }
  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd)
  MESSAGE_HANDLER(WM_NCHITTEST, WMNCHitTest)
  MESSAGE_MAP_END
};

// A drag image shaped as a frame (a ring of FrameWidth), filled with the one-pixel checker.
class TcxSizeFrame : public TcxCustomDragImage {
  DECLARE_CLASS(TcxSizeFrame, TcxCustomDragImage)
 public:
  explicit TcxSizeFrame(int AFrameWidth, TComponent* AOwner = nullptr);
  ~TcxSizeFrame() override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void MoveToRect(const TRect& R);
  bool FillSelection = false;
  int FrameWidthValue() const { return frameWidth_; }

 protected:
  void Paint() override;

 private:
  int frameWidth_;
  TcxRegion* baseRegion_;
};

class TcxDesignController : public TObject {
  DECLARE_CLASS(TcxDesignController, TObject)
 public:
  void NotifyFormDesigner(TCustomForm* Form);
  void LockDesignerNotify() { ++lockCount_; }
  void UnlockDesignerNotify() {
    if (lockCount_ > 0) --lockCount_;
  }
  bool IsDesignerNotifyLocked() const { return lockCount_ > 0; }

 private:
  bool running_ = false;
  int lockCount_ = 0;
};
