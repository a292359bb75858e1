#include "ui/ribbon/RibbonController.h"

#include <algorithm>

#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/windows/Forms.h"
#include "ui/bars/BarHints.h"
#include "ui/bars/BarHooks.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/Bars.h"
#include "ui/bars/customize/DesignController.h"
#include "ui/ribbon/RibbonGroups.h"

DEFINE_CLASS(TdxRibbonController)
DEFINE_CLASS(TdxRibbonTabGroupsPopupWindow)

namespace {

constexpr UINT kFirstScrollDelay = 400;
constexpr UINT kScrollRepeatInterval = 20;
constexpr int kFirstTabScroll = 14;
constexpr int kRepeatTabScroll = 3;

bool IsScrollKind(int Kind) { return Kind >= rhtTabScrollLeft && Kind <= rhtGroupsScrollRight; }

}  // namespace

// ---- controller ---------------------------------------------------------------------------------

TdxRibbonController::TdxRibbonController(TdxCustomRibbon* ARibbon) : ribbon_(ARibbon) {
  scrollTimer_.reset(new TTimer(nullptr));
  scrollTimer_->SetEnabled(false);
  scrollTimer_->SetOnTimer(TNotifyEvent(this, &TdxRibbonController::ScrollTimerTick));
}

TdxRibbonController::~TdxRibbonController() = default;

TdxRibbonHitInfo TdxRibbonController::HitTest(const TPoint& P) { return ribbon_->ViewInfo()->HitTest(P.x, P.y); }

void TdxRibbonController::ScrollTabStrip(int Delta) { ribbon_->ViewInfo()->Tabs()->ScrollBy(Delta); }

TPoint TdxRibbonController::CursorInRibbon() {
  POINT p{};
  GetCursorPos(&p);
  if (ribbon_->HandleAllocated()) ScreenToClient(ribbon_->Handle(), &p);
  return TPoint{p.x, p.y};
}

void TdxRibbonController::HideHint() {
  if (ribbon_->BarManagerUsable())
    if (TdxBarHintWindow* hint = BarHintWindow()) hint->HideHint();
}

void TdxRibbonController::CancelMode() {
  SetHotKind(rhtNone);
  StopScrolling();
  HideHint();
}

void TdxRibbonController::KeyDown(Word, TShiftState) { HideHint(); }

void TdxRibbonController::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  HideHint();
  const TdxRibbonHitInfo hit = HitTest(TPoint{X, Y});
  const bool designing = ribbon_->ComponentState().Contains(csDesigning);
  switch (hit.Kind) {
    case rhtTab:
      if (!designing && Shift.Contains(ssDouble) && hit.Tab == ribbon_->ActiveTab())
        ribbon_->SetShowTabGroups(!ribbon_->ShowTabGroups());
      else
        TabMouseDown(hit.Tab, Button, Shift);
      break;
    case rhtApplicationButton:
      if (Button == mbLeft && Shift.Contains(ssDouble)) {
        if (auto* form = dynamic_cast<TCustomForm*>(ribbon_->Owner())) form->Close();
        return;
      }
      break;
    default:
      if (IsScrollKind(hit.Kind) && Button == mbLeft) StartScrolling(hit.Kind);
      break;
  }
  if (Button == mbLeft) SetPressedKind(hit.Kind);
}

void TdxRibbonController::TabMouseDown(TdxRibbonTab* Tab, TMouseButton Button, TShiftState Shift) {
  if (!Tab || ribbon_->ComponentState().Contains(csDesigning)) return;
  if (Button != mbLeft) return;
  ribbon_->SetActiveTab(Tab);
  if (!ribbon_->ShowTabGroups() && !Shift.Contains(ssDouble) && !ribbon_->TabGroupsPopupShowing())
    ribbon_->ShowTabGroupsPopup();
}

bool TdxRibbonController::HotTrackingSuppressed() {
  if (!ribbon_->BarManagerUsable() || ribbon_->ComponentState().Contains(csDesigning) || scrollKind_ != rhtNone)
    return true;
  HWND active = GetActiveWindow();
  auto* form = ribbon_->BarManager()->MainFormOf();
  const bool formActive = form && form->HandleAllocated() && active == form->Handle();
  TdxRibbonTabGroupsPopupWindow* popup = ribbon_->TabGroupsPopup();
  const bool popupActive = popup && popup->HandleAllocated() && active == popup->Handle();
  return !(formActive || popupActive) || ActiveBarControl() != nullptr;
}

void TdxRibbonController::MouseMove(TShiftState, int X, int Y) {
  const TdxRibbonHitInfo hit = HitTest(TPoint{X, Y});
  if (HotTrackingSuppressed()) return;
  SetHotKind(hit.Kind);
  ribbon_->SetHotObject(hit.Tab);
}

void TdxRibbonController::MouseLeave() {
  HideHint();
  SetHotKind(rhtNone);
  ribbon_->SetHotObject(nullptr);
}

void TdxRibbonController::MouseUp(TMouseButton Button, TShiftState, int X, int Y) {
  StopScrolling();
  if (Button != mbLeft) return;
  if (ribbon_->HandleAllocated() && GetCapture() == ribbon_->Handle()) ReleaseCapture();
  ClickAt(X, Y);
  SetPressedKind(rhtNone);
}

void TdxRibbonController::ClickAt(int X, int Y) {
  const int kind = HitTest(TPoint{X, Y}).Kind;
  if (kind != pressedKind_) return;
  if (kind == rhtHelpButton) {
    ribbon_->HelpButtonClick();
    return;
  }
  if (kind < rhtMDIMinimizeButton || kind > rhtMDICloseButton) return;
  // The buttons stand for the maximised child of the ribbon's own (main) form.
  auto* form = dynamic_cast<TCustomForm*>(ribbon_->Owner());
  HWND client = form ? form->ClientHandle() : nullptr;
  if (!client) return;
  HWND child = reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, 0));
  if (!child) return;
  static const WPARAM commands[] = {SC_MINIMIZE, SC_RESTORE, SC_CLOSE};
  SendMessageW(child, WM_SYSCOMMAND, commands[kind - rhtMDIMinimizeButton], 0);
}

void TdxRibbonController::SetHotKind(int Kind) {
  if (hotKind_ == Kind) return;
  const int old = hotKind_;
  hotKind_ = Kind;
  InvalidateKind(old);
  InvalidateKind(Kind);
}

void TdxRibbonController::SetPressedKind(int Kind) {
  if (pressedKind_ == Kind) return;
  const int old = pressedKind_;
  pressedKind_ = Kind;
  if (Kind > rhtApplicationButton && ribbon_->HandleAllocated()) SetCapture(ribbon_->Handle());
  InvalidateKind(old);
  InvalidateKind(Kind);
}

void TdxRibbonController::InvalidateKind(int Kind) {
  if (Kind == rhtGroupsScrollLeft || Kind == rhtGroupsScrollRight) {
    TdxRibbonGroupsDockControlSite* site = ribbon_->GroupsDockControlSite();
    if (site && site->HandleAllocated()) site->Invalidate();
  } else if (Kind != rhtNone && ribbon_->HandleAllocated()) {
    ribbon_->Invalidate();
  }
}

// ---- scrolling ----------------------------------------------------------------------------------

void TdxRibbonController::StartScrolling(int Kind) {
  scrollKind_ = Kind;
  scrollTimer_->SetInterval(kFirstScrollDelay);
  ScrollStep(false);
  scrollTimer_->SetEnabled(true);
}

void TdxRibbonController::ScrollTimerTick(TObject*) {
  scrollTimer_->SetInterval(kScrollRepeatInterval);
  if (HitTest(CursorInRibbon()).Kind == scrollKind_) ScrollStep(true);
}

void TdxRibbonController::ScrollStep(bool Repeat) {
  HideHint();
  switch (scrollKind_) {
    case rhtTabScrollLeft:
    case rhtTabScrollRight: {
      const int step = Repeat ? kRepeatTabScroll : kFirstTabScroll;
      ScrollTabStrip(scrollKind_ == rhtTabScrollLeft ? -step : step);
      break;
    }
    case rhtGroupsScrollLeft:
    case rhtGroupsScrollRight: {
      TdxRibbonTab* tab = ribbon_->ActiveTab();
      if (!tab || !tab->GroupsDockControl()) break;
      tab->GroupsDockControl()->ViewInfo()->ScrollStep(scrollKind_ == rhtGroupsScrollRight,
                                                       tab->GetDockControlBounds().Width());
      break;
    }
    default:
      break;
  }
}

void TdxRibbonController::StopScrolling() {
  if (scrollKind_ == rhtNone && !scrollTimer_->Enabled()) return;
  const int old = scrollKind_;
  scrollKind_ = rhtNone;
  scrollTimer_->SetEnabled(false);
  InvalidateKind(old);
}

// ---- the wheel ----------------------------------------------------------------------------------

bool TdxRibbonController::CanScrollTabsByWheel() {
  if (ribbon_->Hidden() || !ribbon_->ShowTabGroups() || ribbon_->TabGroupsPopupShowing()) return false;
  return ActiveBarControl() == nullptr;
}

static TdxRibbonTab* NeighbourTab(TdxCustomRibbon* Ribbon, bool Forward) {
  std::vector<TdxRibbonTab*> visible;
  for (int i = 0; i < Ribbon->Tabs()->ItemCount(); ++i)
    if (Ribbon->Tabs()->TabAt(i)->Visible()) visible.push_back(Ribbon->Tabs()->TabAt(i));
  if (visible.empty()) return nullptr;
  auto it = std::find(visible.begin(), visible.end(), Ribbon->ActiveTab());
  if (it == visible.end()) return Forward ? visible.front() : visible.back();
  if (Forward) return it + 1 == visible.end() ? nullptr : *(it + 1);
  return it == visible.begin() ? nullptr : *(it - 1);
}

bool TdxRibbonController::MouseWheelDown(TShiftState, const TPoint&) {
  if (!CanScrollTabsByWheel()) return false;
  if (TdxRibbonTab* tab = NeighbourTab(ribbon_, true)) ribbon_->SetActiveTab(tab);
  return true;
}

bool TdxRibbonController::MouseWheelUp(TShiftState, const TPoint&) {
  if (!CanScrollTabsByWheel()) return false;
  if (TdxRibbonTab* tab = NeighbourTab(ribbon_, false)) ribbon_->SetActiveTab(tab);
  return true;
}

// ---- the wheel hook -----------------------------------------------------------------------------

static bool ShowsRibbon(TdxCustomRibbon* Ribbon) {
  return Ribbon && !Ribbon->Hidden() && (Ribbon->ShowTabHeaders() || Ribbon->ShowTabGroups());
}

TdxCustomRibbon* FindRibbon(HWND Window, bool LookInForm) {
  TWinControl* control = FindControl(Window);
  if (LookInForm) {
    if (auto* form = dynamic_cast<TCustomForm*>(control)) {
      for (int i = 0; i < form->ComponentCount(); ++i)
        if (auto* ribbon = dynamic_cast<TdxCustomRibbon*>(form->Components(i))) return ShowsRibbon(ribbon) ? ribbon : nullptr;
      return nullptr;
    }
  }
  while (Window) {
    if (auto* ribbon = dynamic_cast<TdxCustomRibbon*>(FindControl(Window))) return ShowsRibbon(ribbon) ? ribbon : nullptr;
    if (!(GetWindowLongPtrW(Window, GWL_STYLE) & WS_CHILD)) break;
    Window = GetParent(Window);
  }
  return nullptr;
}

bool RibbonMouseHookStep(int Code, WPARAM Message, const MOUSEHOOKSTRUCTEX& Data, int WheelMode) {
  if (Code < 0 || Message != WM_MOUSEWHEEL || !GetSystemMetrics(SM_MOUSEWHEELPRESENT)) return false;
  const short delta = short(HIWORD(Data.mouseData));
  if (WheelMode == 1) {
    TCustomdxBarControl* active = ActiveBarControl();
    if (!active || !active->HandleAllocated()) return false;
    WORD state = 0;
    if (GetKeyState(VK_SHIFT) < 0) state |= MK_SHIFT;
    if (GetKeyState(VK_CONTROL) < 0) state |= MK_CONTROL;
    const WPARAM keys = MAKEWPARAM(state, WORD(delta));
    SendMessageW(active->Handle(), WM_MOUSEWHEEL, keys, MAKELPARAM(Data.pt.x, Data.pt.y));
    return true;
  }
  if (WheelMode != 3) return false;
  TdxCustomRibbon* ribbon = FindRibbon(WindowFromPoint(Data.pt), false);
  if (!ribbon || !ribbon->Enabled()) return false;
  ribbon->DoMouseWheel(KeyboardStateToShiftState(), delta, TPoint{-1, -1});
  return true;
}

namespace {

HHOOK ribbonMouseHook = nullptr;

LRESULT CALLBACK RibbonMouseHookProc(int Code, WPARAM wParam, LPARAM lParam) {
  bool taken = false;
  try {
    if (Code >= 0 && lParam)
      taken = RibbonMouseHookStep(Code, wParam, *reinterpret_cast<const MOUSEHOOKSTRUCTEX*>(lParam),
                                  ActiveBarControlWheelMode());
  } catch (...) {
    if (Application) Application->HandleException(nullptr);
  }
  const LRESULT next = CallNextHookEx(ribbonMouseHook, Code, wParam, lParam);
  return taken ? 1 : next;
}

}  // namespace

void InstallRibbonMouseHook() {
  if (ribbonMouseHook) return;
  ribbonMouseHook = SetWindowsHookExW(WH_MOUSE, RibbonMouseHookProc, nullptr, GetCurrentThreadId());
}

void RemoveRibbonMouseHook() {
  if (!ribbonMouseHook) return;
  UnhookWindowsHookEx(ribbonMouseHook);
  ribbonMouseHook = nullptr;
}

bool RibbonMouseHookInstalled() { return ribbonMouseHook != nullptr; }

namespace {
void StartRibbonControllerUnit() {}
const TUnitRegistration ribbonControllerUnit(&StartRibbonControllerUnit, &RemoveRibbonMouseHook);
}  // namespace

// ---- the context popup --------------------------------------------------------------------------

static TdxBarButton* AddPopupButton(TdxCustomRibbon* Ribbon, TdxBarItemLinks* Links, const String& Caption,
                                    int Command, bool BeginGroup, TCustomdxBarControl* BarControl) {
  TdxBarManager* manager = Ribbon->BarManager();
  auto* button = new TdxBarButton(manager->Owner());
  button->SetCaption(Caption);
  button->Tag = Command;
  button->Data = reinterpret_cast<NativeInt>(BarControl);
  button->OnClick = [Ribbon, button](TObject*) { RibbonPopupCommand(Ribbon, button); };
  if (TdxBarDesignController* designer = DesignControllerInstance()) designer->AddInternalItem(button);
  Ribbon->PopupButtons().push_back(button);
  Links->AddItemLink(button)->SetBeginGroup(BeginGroup);
  return button;
}

static bool LinkIsInQuickAccessToolbar(TdxCustomRibbon* Ribbon, TdxBarItemLink* Link) {
  TdxBar* toolbar = Ribbon->QuickAccessToolbar()->Toolbar();
  return Link && toolbar && Link->OwnerLinks() == toolbar->ItemLinks();
}

static bool QuickAccessToolbarShowsItem(TdxCustomRibbon* Ribbon, TdxBarItem* Item) {
  TdxBar* toolbar = Ribbon->QuickAccessToolbar()->Toolbar();
  if (!toolbar || !toolbar->ItemLinks()) return false;
  for (int i = 0; i < toolbar->ItemLinks()->Count(); ++i)
    if (toolbar->ItemLinks()->LinkAt(i)->Item() == Item) return true;
  return false;
}

void BuildRibbonPopup(TdxCustomRibbon* Ribbon, TdxBarItemLinks* Links, TdxRibbonPopupMenuItems Items,
                      TCustomdxBarControl* BarControl) {
  Ribbon->ClearPopupButtons();
  if (!Ribbon->BarManagerUsable()) return;
  if (!Items.Contains(rpmiItems)) Links->Clear();
  const bool hadLinks = Links->Count() > 0;
  bool added = false;
  if (Items.Contains(rpmiQATAddRemoveItem)) {
    TdxBarDesignController* designer = DesignControllerInstance();
    TdxBarItemLink* link = designer ? designer->CustomizedLink() : nullptr;
    if (LinkIsInQuickAccessToolbar(Ribbon, link)) {
      AddPopupButton(Ribbon, Links, L"&Remove from Quick Access Toolbar", rpcQATAddRemove, false, BarControl);
    } else {
      TdxBarItem* item = link ? link->Item() : nullptr;
      const String caption = item && !item->Caption().empty()
                                 ? Format(L"&Add %s to Quick Access Toolbar", {item->Caption()})
                                 : String(L"&Add to Quick Access Toolbar");
      TdxBarButton* button = AddPopupButton(Ribbon, Links, caption, rpcQATAddRemove, false, BarControl);
      const bool usable = Ribbon->IsQuickAccessToolbarUsable();
      button->SetEnabled(link ? usable && !QuickAccessToolbarShowsItem(Ribbon, item) : usable);
    }
    added = true;
  }
  if (Items.Contains(rpmiMoreCommands)) {
    AddPopupButton(Ribbon, Links, L"&More Commands...", rpcMoreCommands, hadLinks, BarControl);
    added = true;
  }
  if (Items.Contains(rpmiQATPosition)) {
    const bool below = Ribbon->QuickAccessToolbar()->Position() == qtpBelowRibbon;
    AddPopupButton(Ribbon, Links,
                   below ? L"&Show Quick Access Toolbar Above the Ribbon" : L"&Show Quick Access Toolbar Below the Ribbon",
                   rpcQATPosition, !added && hadLinks, BarControl);
  }
  if (Items.Contains(rpmiMinimizeRibbon)) {
    TdxBarButton* button = AddPopupButton(Ribbon, Links, L"Mi&nimize the Ribbon", rpcMinimizeRibbon, true, BarControl);
    button->SetButtonStyle(bsChecked);
    button->SetDown(!Ribbon->ShowTabGroups());
    button->SetEnabled(Ribbon->ShowTabHeaders() && Ribbon->VisibleTabCount() > 0);
  }
}

void RibbonPopupCommand(TdxCustomRibbon* Ribbon, TdxBarButton* Button) {
  switch (Button->Tag) {
    case rpcMoreCommands:
      Ribbon->MoreCommandsExecute();
      break;
    case rpcQATPosition: {
      TdxRibbonQuickAccessToolbar* qat = Ribbon->QuickAccessToolbar();
      qat->SetPosition(qat->Position() == qtpAboveRibbon ? qtpBelowRibbon : qtpAboveRibbon);
      break;
    }
    case rpcQATAddRemove: {
      TdxBarDesignController* designer = DesignControllerInstance();
      TdxBarItemLink* link = designer ? designer->CustomizedLink() : nullptr;
      TdxBar* toolbar = Ribbon->QuickAccessToolbar()->Toolbar();
      if (!link || !toolbar) break;
      if (LinkIsInQuickAccessToolbar(Ribbon, link))
        link->Free();
      else if (link->Item())
        toolbar->ItemLinks()->AddItemLink(link->Item());
      break;
    }
    case rpcMinimizeRibbon:
      Ribbon->SetShowTabGroups(!Ribbon->ShowTabGroups());
      break;
    default:
      break;
  }
}

// ---- the minimised ribbon's popup ---------------------------------------------------------------

TRect RibbonTabGroupsPopupBounds(const TRect& RibbonScreenRect, int TabsBottom, int TabsTop, int GroupsHeight,
                                 const TRect& WorkArea) {
  TRect r{RibbonScreenRect.left, RibbonScreenRect.top + TabsBottom - 1, RibbonScreenRect.right,
          RibbonScreenRect.top + TabsBottom - 1 + GroupsHeight};
  r.left = std::max(r.left, WorkArea.left);
  r.right = std::min(r.right, WorkArea.right);
  if (r.bottom > WorkArea.bottom) {
    const int bottom = RibbonScreenRect.top + TabsTop;
    r.top = bottom - GroupsHeight;
    r.bottom = bottom;
  }
  return r;
}

TdxRibbonTabGroupsPopupWindow::TdxRibbonTabGroupsPopupWindow(TdxCustomRibbon* ARibbon)
    : TcxCustomPopupWindow(ARibbon), ribbon_(ARibbon) {
  RunsOwnLoop = false;
  Adjustable = false;
  shadow_.reset(new TdxBarShadow(this));
}

TdxRibbonTabGroupsPopupWindow::~TdxRibbonTabGroupsPopupWindow() = default;

void TdxRibbonTabGroupsPopupWindow::CreateParams(TCreateParams& Params) {
  TcxCustomPopupWindow::CreateParams(Params);
  Params.WindowClassStyle |= CS_SAVEBITS;
}

TRect TdxRibbonTabGroupsPopupWindow::PopupBounds() {
  RECT client{};
  ::GetClientRect(ribbon_->Handle(), &client);
  MapWindowPoints(ribbon_->Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
  const TRect area = ribbon_->ViewInfo()->GetGroupsAreaBounds(true);
  const int tabsHeight = ribbon_->ViewInfo()->GetTabsHeight();
  POINT cursor{};
  GetCursorPos(&cursor);
  return RibbonTabGroupsPopupBounds(TRect{client.left, client.top, client.right, client.bottom}, area.top + 1,
                                    area.top + 1 - tabsHeight, area.Height(),
                                    WorkAreaAt(TPoint{cursor.x, cursor.y}));
}

void TdxRibbonTabGroupsPopupWindow::FireShowing() {
  const TRect r = PopupBounds();
  SetBounds(r.left, r.top, r.Width(), r.Height());
  TcxCustomPopupWindow::FireShowing();
}

void TdxRibbonTabGroupsPopupWindow::FireShowed() {
  TdxRibbonGroupsDockControlSite* site = ribbon_->GroupsDockControlSite();
  site->SetParent(this);
  site->SetBoundsRect(ClientRect());
  site->SetVisible(true);
  if (TdxRibbonTab* tab = ribbon_->ActiveTab()) {
    TdxRibbonGroupsDockControl* dock = tab->GroupsDockControl();
    dock->Recalculate(tab->GetDockControlBounds());
    dock->SetVisible(true);
  }
  TcxCustomPopupWindow::FireShowed();
  shadow_->SetRects(TRect{}, BoundsRect());
  shadow_->ChangeVisibility(true);
}

void TdxRibbonTabGroupsPopupWindow::FireClosed() {
  shadow_->ChangeVisibility(false);
  TdxRibbonGroupsDockControlSite* site = ribbon_->GroupsDockControlSite();
  if (TdxRibbonTab* tab = ribbon_->ActiveTab()) tab->GroupsDockControl()->SetVisible(false);
  site->SetBounds(0, 0, 0, 0);
  site->SetParent(ribbon_);
  ribbon_->Invalidate();
  TcxCustomPopupWindow::FireClosed();
}

void TdxRibbonTabGroupsPopupWindow::KeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_ESCAPE) {
    ClosePopup();
    Key = 0;
    return;
  }
  TcxCustomPopupWindow::KeyDown(Key, Shift);
}

void TdxRibbonTabGroupsPopupWindow::WMSize(TMessage& Message) {
  Inherited::Dispatch(Message);
  if (!HandleAllocated()) return;
  HRGN region = CreateRoundRectRgn(0, 0, Width() + 1, Height() + 1, 4, 4);
  SetWindowRgn(Handle(), region, TRUE);
}

bool TdxRibbonTabGroupsPopupWindow::HandlesHookedMessage(HWND Window, UINT Msg, const TPoint& Pt, TShiftState Shift) {
  const bool press = Msg == WM_LBUTTONDOWN || Msg == WM_RBUTTONDOWN || Msg == WM_MBUTTONDOWN ||
                     Msg == WM_NCLBUTTONDOWN || Msg == WM_NCRBUTTONDOWN || Msg == WM_NCMBUTTONDOWN;
  if (press && ribbon_->HandleAllocated() && Window == ribbon_->Handle()) {
    // A single press on the active tab's header keeps the popup open.
    POINT p = Pt;
    ::ScreenToClient(Window, &p);
    const TdxRibbonHitInfo hit = ribbon_->Controller()->HitTest(TPoint{p.x, p.y});
    if (Msg == WM_LBUTTONDOWN && hit.Kind == rhtTab && hit.Tab == ribbon_->ActiveTab()) return true;
  }
  const bool inRibbon = ribbon_->HandleAllocated() && (Window == ribbon_->Handle() || IsChild(ribbon_->Handle(), Window));
  if (press && !inRibbon) {
    auto* form = dynamic_cast<TCustomForm*>(ribbon_->Owner());
    const bool parentForm = form && form->HandleAllocated() && Window == form->Handle();
    if (!parentForm && !ribbon_->CanHideMinimized(Window, Shift, Pt)) return true;
  }
  return TcxCustomPopupWindow::HandlesHookedMessage(Window, Msg, Pt, Shift);
}

// ---- the ribbon's input side --------------------------------------------------------------------

bool TdxCustomRibbon::IsQuickAccessToolbarUsable() const {
  return quickAccessToolbar_->Visible() && quickAccessToolbar_->Toolbar() != nullptr;
}

int TdxCustomRibbon::VisibleTabCount() const {
  int count = 0;
  for (int i = 0; i < tabs_->ItemCount(); ++i)
    if (tabs_->TabAt(i)->Visible()) ++count;
  return count;
}

void TdxCustomRibbon::ClearPopupButtons() {
  std::vector<TdxBarButton*> buttons;
  buttons.swap(popupButtons_);
  for (TdxBarButton* button : buttons) button->Free();
}

bool TdxCustomRibbon::TabGroupsPopupShowing() const {
  return tabGroupsPopup_ && tabGroupsPopup_->HandleAllocated() && IsWindowVisible(tabGroupsPopup_->Handle());
}

void TdxCustomRibbon::ShowTabGroupsPopup() {
  if (showTabGroups_ || !activeTab_ || TabGroupsPopupShowing()) return;
  if (!tabGroupsPopup_) tabGroupsPopup_ = new TdxRibbonTabGroupsPopupWindow(this);
  tabGroupsPopup_->ShowPopup(nullptr);
}

void TdxCustomRibbon::CloseTabGroupsPopup() {
  if (TabGroupsPopupShowing()) tabGroupsPopup_->ClosePopup();
}

void TdxCustomRibbon::HelpButtonClick() {
  if (OnHelpButtonClick) OnHelpButtonClick(this);
}

void TdxCustomRibbon::MoreCommandsExecute() {
  if (OnMoreCommandsExecute)
    OnMoreCommandsExecute(this);
  else if (BarManagerUsable())
    barManager_->SetCustomizingMode(true);
}

bool TdxCustomRibbon::CanHideMinimized(HWND Wnd, TShiftState Shift, const TPoint& Pos) {
  bool allow = true;
  if (OnHideMinimizedByClick) OnHideMinimizedByClick(this, Wnd, Shift, Pos, allow);
  return allow;
}

void TdxCustomRibbon::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TcxControl::MouseDown(Button, Shift, X, Y);
  if (controller_) controller_->MouseDown(Button, Shift, X, Y);
}

void TdxCustomRibbon::MouseMove(TShiftState Shift, int X, int Y) {
  TcxControl::MouseMove(Shift, X, Y);
  if (controller_) controller_->MouseMove(Shift, X, Y);
}

void TdxCustomRibbon::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TcxControl::MouseUp(Button, Shift, X, Y);
  if (controller_) controller_->MouseUp(Button, Shift, X, Y);
}

void TdxCustomRibbon::FireMouseLeave(TControl* AControl) {
  TcxControl::FireMouseLeave(AControl);
  if (controller_) controller_->MouseLeave();
}

bool TdxCustomRibbon::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  if (TcxControl::DoMouseWheelDown(Shift, MousePos)) return true;
  return controller_ && controller_->MouseWheelDown(Shift, MousePos);
}

bool TdxCustomRibbon::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  if (TcxControl::DoMouseWheelUp(Shift, MousePos)) return true;
  return controller_ && controller_->MouseWheelUp(Shift, MousePos);
}
