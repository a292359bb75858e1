#pragma once
// The ribbon's input side: the controller that turns the ribbon window's mouse events into hot
// tracking, presses, clicks, tab switching and scrolling; the thread mouse hook that lets the wheel
// switch tabs wherever the cursor is over a ribbon; the ribbon's context popup; and the popup
// window that shows the groups of a minimised ribbon.

#include "platform/framework/windows/Timer.h"
#include "ui/bars/BarControl.h"
#include "ui/foundation/Classes.h"
#include "ui/foundation/PopupWindow.h"
#include "ui/ribbon/Ribbon.h"
#include "ui/ribbon/RibbonViewInfo.h"

class TdxBarButton;
class TdxBarItemLinks;

class TdxRibbonController : public TcxIUnknownObject {
  DECLARE_CLASS(TdxRibbonController, TcxIUnknownObject)
 public:
  explicit TdxRibbonController(TdxCustomRibbon* ARibbon);
  ~TdxRibbonController() override;

  TdxCustomRibbon* Ribbon() const { return ribbon_; }
  int HotKind() const { return hotKind_; }
  int PressedKind() const { return pressedKind_; }
  int ScrollKind() const { return scrollKind_; }
  TTimer* ScrollTimer() const { return scrollTimer_.get(); }

  virtual void CancelMode();
  virtual void HideHint();
  virtual void KeyDown(Word Key, TShiftState Shift);
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseLeave();
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  // One tab on (Down) or back; true when the wheel was taken.
  virtual bool MouseWheelDown(TShiftState Shift, const TPoint& Pos);
  virtual bool MouseWheelUp(TShiftState Shift, const TPoint& Pos);
  virtual bool HotTrackingSuppressed();
  // What lies under a ribbon client point: the ribbon view info's answer.
  virtual TdxRibbonHitInfo HitTest(const TPoint& P);
  // The ribbon is shown with its groups, the minimised popup is closed and no menu is open.
  bool CanScrollTabsByWheel();

  // One scroll step of kind 3 to 6 (the first step moves the tab strip 14 pixels, a repeat 3; the
  // groups move one step of their view info).
  void ScrollStep(bool Repeat);
  void StopScrolling();

 protected:
  // The tab strip's scroll offset moves by Delta (the tabs view info clamps it).
  virtual void ScrollTabStrip(int Delta);
  virtual void TabMouseDown(TdxRibbonTab* Tab, TMouseButton Button, TShiftState Shift);
  void StartScrolling(int Kind);
  void ClickAt(int X, int Y);
  void SetHotKind(int Kind);
  void SetPressedKind(int Kind);

 private:
  void ScrollTimerTick(TObject* Sender);
  void InvalidateKind(int Kind);
  TPoint CursorInRibbon();

  TdxCustomRibbon* ribbon_;
  int hotKind_ = rhtNone;
  int pressedKind_ = rhtNone;
  int scrollKind_ = rhtNone;
  ObjectPtr<TTimer> scrollTimer_;
};

// ---- the wheel hook -----------------------------------------------------------------------------

// The ribbon of a window: with LookInForm and a form window, the form's first ribbon; otherwise the
// first ribbon met climbing from the window's control through its child-window parents. Only a
// ribbon that is not hidden and shows tab headers or tab groups is answered.
TdxCustomRibbon* FindRibbon(HWND Window, bool LookInForm);
// The hook's rule: True when it took the message (a wheel over an open bar window that takes the
// wheel, or over an enabled ribbon while no bar window is active). WheelMode is the bar manager's
// wheel state (ActiveBarControlWheelMode).
bool RibbonMouseHookStep(int Code, WPARAM Message, const MOUSEHOOKSTRUCTEX& Data, int WheelMode);
// Installed once per process by the first ribbon window; removed by the library's unit end.
void InstallRibbonMouseHook();
void RemoveRibbonMouseHook();
bool RibbonMouseHookInstalled();

// ---- the context popup --------------------------------------------------------------------------

// Commands of the ribbon's context popup, kept in a button's Tag.
enum TdxRibbonPopupCommand { rpcMoreCommands = 1, rpcQATPosition = 2, rpcQATAddRemove = 3, rpcMinimizeRibbon = 4 };

// Fills Links with the ribbon's popup entries of Items (the ribbon's earlier popup buttons are freed
// first; without rpmiItems Links is cleared). Each entry is a button of the bar manager kept in the
// ribbon's popup buttons, its command in Tag and BarControl in Data.
void BuildRibbonPopup(TdxCustomRibbon* Ribbon, TdxBarItemLinks* Links, TdxRibbonPopupMenuItems Items,
                      TCustomdxBarControl* BarControl);
// Runs the command of a popup button.
void RibbonPopupCommand(TdxCustomRibbon* Ribbon, TdxBarButton* Button);

// ---- the minimised ribbon's popup ---------------------------------------------------------------

// Where the groups of a minimised ribbon open: the ribbon's width from the tab strip's bottom less 1
// (screen coordinates), GroupsHeight high, kept inside WorkArea; above the tab strip when it does not
// fit below.
TRect RibbonTabGroupsPopupBounds(const TRect& RibbonScreenRect, int TabsBottom, int TabsTop, int GroupsHeight,
                                 const TRect& WorkArea);

class TdxRibbonTabGroupsPopupWindow : public TcxCustomPopupWindow {
  DECLARE_CLASS(TdxRibbonTabGroupsPopupWindow, TcxCustomPopupWindow)
 public:
  explicit TdxRibbonTabGroupsPopupWindow(TdxCustomRibbon* ARibbon);
  ~TdxRibbonTabGroupsPopupWindow() override;
  TdxCustomRibbon* Ribbon() const { return ribbon_; }
  TdxBarShadow* Shadow() const { return shadow_.get(); }
  // The bounds it opens at (screen coordinates).
  TRect PopupBounds();
  bool HandlesHookedMessage(HWND Window, UINT Msg, const TPoint& Pt, TShiftState Shift) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void FireShowing() override;
  void FireShowed() override;
  void FireClosed() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void WMSize(TMessage& Message);
  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(WM_SIZE, WMSize)
  MESSAGE_MAP_END

 private:
  TdxCustomRibbon* ribbon_;
  ObjectPtr<TdxBarShadow> shadow_;
};
