#pragma once
// The drop-down window of a control and the three thread hooks that close it.
//
// TcxCustomPopupWindow opens beside its owner control, optionally takes the focus and runs its own
// message loop until it closes, keeps the owner form's caption active while open, and closes when
// the user clicks elsewhere in the owner's form, when the owner is hidden, moved out of view or
// closed, when the application loses activation, or when its own window is closed. The rules live
// in three thread hooks (call-window, get-message, mouse) installed by the unit start for the whole
// run; each hook procedure is a thin adapter over a rule function below, which tests call with
// fabricated input.

#include <vector>

#include "ui/foundation/ContainerStyles.h"
#include "ui/foundation/Controls.h"

class TcxCustomPopupWindow : public TcxPopupWindow {
  DECLARE_CLASS(TcxCustomPopupWindow, TcxPopupWindow)
 public:
  // CreateForOwnerControl: hidden, normal style, captures the focus, key preview, own loop.
  explicit TcxCustomPopupWindow(TControl* AOwnerControl);
  ~TcxCustomPopupWindow() override;
  void BeforeDestruction() override;

  virtual void ShowPopup(TWinControl* AFocusedControl);
  void ClosePopup() override;
  void ChangeFocusCapturing(bool Value);
  // Returns and clears the flag set when a press on the owner control closed the popup, so the
  // owner does not open it again for that press.
  bool ConsumeClosedByOwnerClick();

  TControl* OwnerControl() const { return ownerControl_; }
  bool CapturesFocus() const { return capturesFocus_; }
  bool RunsOwnLoop = true;
  // Above 0 while a close or re-open is driven by a hook or a private message.
  int HookClosingCount = 0;
  // Cleared when the form deactivates; descendants set and read it.
  bool DeactivationFlag = false;
  TWinControl* FocusedControlAtShow() const { return focusedControl_; }

  virtual bool AcceptsSysKey(Word Key);
  virtual bool HandlesHookedMessage(HWND Window, UINT Msg, const TPoint& Pt, TShiftState Shift);
  virtual bool KeepsInsideWorkArea() { return false; }
  virtual void FitBoundsToWorkArea(TRect& R);
  void OwnerScreenBounds(TRect& R) override;
  void TakeOwnerFont() override {}
  bool Focused() override;
  bool CanFocus() override { return Visible(); }
  bool SetFocusedControl(TWinControl* Control) override;
  bool IsShortCut(TMessage& Message) override;

  // Made on first use by NewContainerStyle and NewViewInfo (so a descendant's classes are used).
  TcxContainerStyle* Style();
  TcxContainerViewInfo* ViewInfo();

  TNotifyEvent OnShowing;
  TNotifyEvent OnShowed;
  TNotifyEvent OnClosing;
  TNotifyEvent OnClosed;

 protected:
  void CreateHandle() override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Deactivate() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  virtual void FireClosed();
  virtual void FireClosing();
  virtual void FireShowed();
  virtual void FireShowing();
  virtual bool ErasesBackground() { return false; }
  virtual void CloseOnModalResult() { ClosePopup(); }
  virtual void PopupMouseEntered(TControl* AControl) { (void)AControl; }
  virtual void PopupMouseLeft(TControl* AControl) { (void)AControl; }
  virtual void ContainerStyleChanged() {}
  // The classes of the style and the view info, as factories.
  virtual TcxContainerStyle* NewContainerStyle() { return new TcxContainerStyle(this, false); }
  virtual TcxContainerViewInfo* NewViewInfo() { return new TcxContainerViewInfo(); }
  void AdjustClientRect(TRect& Rect) override;
  void Paint() override;

  void WMEraseBkgnd(TMessage& Message);
  void WMActivateApp(TMessage& Message) { DefaultHandler(Message); }
  void WMShowWindow(TMessage& Message);
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void CXMClosePopup(TMessage& Message);
  void CXMShowPopup(TMessage& Message);
  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd)
  MESSAGE_HANDLER(WM_ACTIVATEAPP, WMActivateApp)
  MESSAGE_HANDLER(WM_SHOWWINDOW, WMShowWindow)
  MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter)
  MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave)
  MESSAGE_HANDLER(CXM_CLOSEPOPUP, CXMClosePopup)
  MESSAGE_HANDLER(CXM_SHOWPOPUP, CXMShowPopup)
  MESSAGE_MAP_END

 private:
  void RunOwnLoop();
  bool capturesFocus_ = true;
  TControl* ownerControl_;
  TWinControl* focusedControl_ = nullptr;
  bool closedByOwnerClick_ = false;
  TcxContainerStyle* style_ = nullptr;
  TcxContainerViewInfo* viewInfo_ = nullptr;
  friend bool cxPopupMouseRule(HWND, UINT, const TPoint&);
};

// The form is one of the open popups.
bool IsPopupOpen(TCustomForm* Form);
// The open popups, first opened first.
const std::vector<TcxCustomPopupWindow*>& OpenPopups();

// The window itself or its nearest ancestor without WS_CHILD; 0 for none.
HWND OwningTopLevelWindow(HWND Window);
TRect ControlSizeRect(TControl* Control);
TPoint ReadCursorPos();
TShiftState CurrentShiftState();
// Removes queued messages First..Last of the window (all of them, or one); a WM_QUIT met on the way
// is posted again and stops the removal. True when anything was removed.
bool RemovePendingMessages(HWND Window, UINT First, UINT Last, bool All);
void DisableWindowAndRemember(std::vector<HWND>& List, HWND Window);
void ReenableWindows(const std::vector<HWND>& List);

// The window belongs to the control: it is its window or, with Deep, lies inside it (a child window,
// a window of its windowed children, or of an open popup whose owner is on it or is it).
bool WindowBelongsTo(TControl* Control, HWND Window, bool Deep);

// ---- hook rules ---------------------------------------------------------------------------------
// The call-window rule: true when the message on its way must be swallowed (the caller locks it).
bool cxPopupCallWndProcRule(const CWPSTRUCT& Message);
// The get-message rule for a removed message: true when it was turned into a null message.
bool cxPopupGetMessageRule(MSG& Message);
// The mouse rule for a press under the pointer: false when the press is swallowed.
bool cxPopupMouseRule(HWND Window, UINT Msg, const TPoint& Pt);
// Swallows exactly the next message of the window: a one-shot window-procedure hook on a framework
// window, a one-shot subclass that restores itself on any other.
void LockMessage(HWND Window);

// The hook procedures themselves (installed by the unit start; tests call them with fabricated
// input and code HC_ACTION).
LRESULT CALLBACK cxPopupCallWndProcHook(int Code, WPARAM WParam, LPARAM LParam);
LRESULT CALLBACK cxPopupGetMessageHook(int Code, WPARAM WParam, LPARAM LParam);
LRESULT CALLBACK cxPopupMouseHook(int Code, WPARAM WParam, LPARAM LParam);
// True while the thread hooks are installed.
bool PopupHooksInstalled();
