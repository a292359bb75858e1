#include "ui/foundation/PopupWindow.h"

#include <algorithm>

#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/rtl/Seams.h"
#include "ui/foundation/Classes.h"

DEFINE_CLASS(TcxCustomPopupWindow)

namespace {

std::vector<TcxCustomPopupWindow*> g_openPopups;
// Above 0 while any popup closes or moves its focus.
int g_closingCount = 0;
// Set while a popup is being shown or while the mouse hook closes one.
bool g_showing = false;
HHOOK g_callWndHook = nullptr;
HHOOK g_getMessageHook = nullptr;
HHOOK g_mouseHook = nullptr;

struct CountUp {
  int& counter;
  explicit CountUp(int& c) : counter(c) { ++counter; }
  ~CountUp() { --counter; }
};

struct FlagSet {
  bool& flag;
  bool saved;
  explicit FlagSet(bool& f) : flag(f), saved(f) { flag = true; }
  ~FlagSet() { flag = saved; }
};

bool IsListed(TcxCustomPopupWindow* popup) {
  return std::find(g_openPopups.begin(), g_openPopups.end(), popup) != g_openPopups.end();
}

void Unlist(TcxCustomPopupWindow* popup) {
  g_openPopups.erase(std::remove(g_openPopups.begin(), g_openPopups.end(), popup), g_openPopups.end());
}

bool IsBeingDestroyed(TComponent* component) {
  return component && component->ComponentState().Contains(csDestroying);
}

HWND WindowOf(TControl* control) {
  if (auto* win = dynamic_cast<TWinControl*>(control); win && win->HandleAllocated()) return win->Handle();
  return nullptr;
}

// The owner control's parent form, or null.
TCustomForm* OwnerForm(TcxCustomPopupWindow* popup) {
  return popup->OwnerControl() ? GetParentForm(popup->OwnerControl()) : nullptr;
}

HWND OwnerFormWindow(TcxCustomPopupWindow* popup) {
  TCustomForm* form = OwnerForm(popup);
  return form && form->HandleAllocated() ? form->Handle() : nullptr;
}

// The window lies in the owner's form (deep), or in the foreign window a form is embedded in.
bool LiesInOwnersForm(TcxCustomPopupWindow* popup, HWND window) {
  TCustomForm* form = OwnerForm(popup);
  if (!form) return false;
  if (WindowBelongsTo(form, window, true)) return true;
  if (form->ParentWindow() && form->HandleAllocated()) {
    HWND top = GetAncestor(form->Handle(), GA_ROOT);
    return window == top || IsChild(top, window);
  }
  return false;
}

bool IsLeftPress(UINT msg) {
  return msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK || msg == WM_NCLBUTTONDOWN || msg == WM_NCLBUTTONDBLCLK;
}

// Closes the popup with its hook-closing counter raised; the popup may be freed meanwhile.
void CloseFromHook(TcxCustomPopupWindow* popup) {
  const std::weak_ptr<void> alive = popup->LifeToken();
  ++popup->HookClosingCount;
  popup->ClosePopup();
  if (!alive.expired()) --popup->HookClosingCount;
}

// Closes the popup the way the mouse hook does.
void CloseFromMouseHook(TcxCustomPopupWindow* popup) {
  FlagSet showing(g_showing);
  CloseFromHook(popup);
}

// ---- LockMessage -----------------------------------------------------------------------------

const wchar_t kLockedProcProperty[] = L"cxLockedWindowProc";
// Spent one-shot hooks stay alive until the next lock, as a hook may not free itself while it runs.
std::vector<TWindowProcHook> g_spentLocks;
// The locks waiting for their message; each hook finds itself here to remove itself by identity.
std::vector<std::shared_ptr<TWindowProcHook>> g_pendingLocks;

LRESULT CALLBACK LockedWindowProc(HWND window, UINT, WPARAM, LPARAM) {
  auto previous = reinterpret_cast<WNDPROC>(RemovePropW(window, kLockedProcProperty));
  if (previous) SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
  return 1;
}

void StartUnit() {
  const DWORD thread = GetCurrentThreadId();
  if (!g_callWndHook) g_callWndHook = SetWindowsHookExW(WH_CALLWNDPROC, &cxPopupCallWndProcHook, nullptr, thread);
  if (!g_getMessageHook)
    g_getMessageHook = SetWindowsHookExW(WH_GETMESSAGE, &cxPopupGetMessageHook, nullptr, thread);
  if (!g_mouseHook) g_mouseHook = SetWindowsHookExW(WH_MOUSE, &cxPopupMouseHook, nullptr, thread);
}

void EndUnit() {
  for (HHOOK* hook : {&g_mouseHook, &g_getMessageHook, &g_callWndHook}) {
    if (*hook) UnhookWindowsHookEx(*hook);
    *hook = nullptr;
  }
  g_openPopups.clear();
  g_spentLocks.clear();
  g_pendingLocks.clear();
}

const TUnitRegistration unit(StartUnit, EndUnit);

}  // namespace

// ---- routines ------------------------------------------------------------------------------------

const std::vector<TcxCustomPopupWindow*>& OpenPopups() { return g_openPopups; }

bool IsPopupOpen(TCustomForm* Form) {
  return std::find(g_openPopups.begin(), g_openPopups.end(), Form) != g_openPopups.end();
}

bool PopupHooksInstalled() { return g_callWndHook && g_getMessageHook && g_mouseHook; }

HWND OwningTopLevelWindow(HWND Window) {
  while (Window && (GetWindowLongPtrW(Window, GWL_STYLE) & WS_CHILD)) Window = GetParent(Window);
  return Window;
}

TRect ControlSizeRect(TControl* Control) { return {0, 0, Control->Width(), Control->Height()}; }

TPoint ReadCursorPos() { return SafeCursorPos(); }

TShiftState CurrentShiftState() {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  TShiftState shift;
  if (keys[VK_SHIFT] & 0x80) shift.Include(ssShift);
  if (keys[VK_CONTROL] & 0x80) shift.Include(ssCtrl);
  if (keys[VK_MENU] & 0x80) shift.Include(ssAlt);
  if (keys[VK_LBUTTON] & 0x80) shift.Include(ssLeft);
  if (keys[VK_RBUTTON] & 0x80) shift.Include(ssRight);
  if (keys[VK_MBUTTON] & 0x80) shift.Include(ssMiddle);
  return shift;
}

bool RemovePendingMessages(HWND Window, UINT First, UINT Last, bool All) {
  bool removed = false;
  MSG msg;
  while (PeekMessageW(&msg, Window, First, Last, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    removed = true;
    if (!All) break;
  }
  return removed;
}

void DisableWindowAndRemember(std::vector<HWND>& List, HWND Window) {
  if (Window && IsWindowEnabled(Window)) {
    EnableWindow(Window, FALSE);
    List.push_back(Window);
  }
}

void ReenableWindows(const std::vector<HWND>& List) {
  for (HWND window : List) {
    if (IsWindow(window)) EnableWindow(window, TRUE);
  }
}

bool WindowBelongsTo(TControl* Control, HWND Window, bool Deep) {
  if (!Control || !Window) return false;
  HWND own = WindowOf(Control);
  if (own && own == Window) return true;
  if (!Deep) return false;
  if (own && IsChild(own, Window)) return true;
  if (auto* win = dynamic_cast<TWinControl*>(Control)) {
    for (int i = 0; i < win->ControlCount(); ++i) {
      if (dynamic_cast<TWinControl*>(win->Controls(i)) && WindowBelongsTo(win->Controls(i), Window, true))
        return true;
    }
  }
  if (auto* popup = dynamic_cast<TcxCustomPopupWindow*>(Control)) {
    for (TcxCustomPopupWindow* other : g_openPopups) {
      if (other == popup) continue;
      TControl* owner = other->OwnerControl();
      const bool ownerOnPopup = owner && (owner == popup || GetParentForm(owner, false) == popup);
      if (ownerOnPopup && WindowBelongsTo(other, Window, true)) return true;
    }
  }
  return false;
}

void LockMessage(HWND Window) {
  g_spentLocks.clear();
  if (TWinControl* control = FindControl(Window)) {
    auto hook = std::make_shared<TWindowProcHook>();
    std::weak_ptr<TWindowProcHook> self = hook;
    *hook = TWindowProcHook([control, self](TMessage& Message, TWindowProcChain&) {
      Message.Result = 1;
      if (auto me = self.lock()) {
        g_spentLocks.push_back(*me);
        control->RemoveWindowProcHook(*me);
        g_pendingLocks.erase(std::remove(g_pendingLocks.begin(), g_pendingLocks.end(), me), g_pendingLocks.end());
      }
    });
    control->InstallWindowProcHook(*hook);
    g_pendingLocks.push_back(hook);
    return;
  }
  if (GetPropW(Window, kLockedProcProperty)) return;
  auto previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LockedWindowProc)));
  SetPropW(Window, kLockedProcProperty, reinterpret_cast<HANDLE>(previous));
}

// ---- hook rules ----------------------------------------------------------------------------------

bool cxPopupCallWndProcRule(const CWPSTRUCT& Message) {
  if ((Message.message == CM_ACTIVATE || Message.message == CM_DEACTIVATE) && g_closingCount > 0) return true;
  if (g_openPopups.empty()) return false;
  switch (Message.message) {
    case WM_NCACTIVATE:
      if (Message.wParam) return false;
      if (g_showing) return true;
      for (TcxCustomPopupWindow* popup : g_openPopups) {
        if (OwnerFormWindow(popup) == Message.hwnd) return true;
      }
      return false;
    case WM_ACTIVATEAPP: {
      if (Message.wParam) return false;
      bool rescan = true;
      while (rescan) {
        rescan = false;
        for (TcxCustomPopupWindow* popup : std::vector<TcxCustomPopupWindow*>(g_openPopups)) {
          if (!IsListed(popup)) continue;
          if (HWND form = OwnerFormWindow(popup)) PostMessageW(form, WM_NCACTIVATE, FALSE, 0);
          const bool holdsActiveForm = popup->CapturesFocus() && Screen && Screen->ActiveForm() == popup;
          if (!holdsActiveForm && popup->HandleAllocated() && IsWindowEnabled(popup->Handle())) {
            popup->ClosePopup();
            rescan = true;
            break;
          }
        }
      }
      return false;
    }
    case WM_DESTROY:
      for (TcxCustomPopupWindow* popup : std::vector<TcxCustomPopupWindow*>(g_openPopups)) {
        if (IsBeingDestroyed(popup) || !popup->HandleAllocated() || popup->Handle() != Message.hwnd) continue;
        popup->Close();
        break;
      }
      return false;
    case WM_CLOSE:
      for (TcxCustomPopupWindow* popup : std::vector<TcxCustomPopupWindow*>(g_openPopups)) {
        if (!IsListed(popup) || IsBeingDestroyed(popup)) continue;
        TControl* owner = popup->OwnerControl();
        if (popup->HandleAllocated() && popup->Handle() == Message.hwnd) {
          if (popup->CloseQuery()) {
            const std::weak_ptr<void> alive = popup->LifeToken();
            popup->ClosePopup();
            if (!alive.expired() && !IsPopupOpen(popup) && popup->CapturesFocus() && !IsBeingDestroyed(owner)) {
              if (HWND top = OwningTopLevelWindow(WindowOf(owner) ? WindowOf(owner) : OwnerFormWindow(popup)))
                SendMessageW(top, WM_CLOSE, 0, 0);
            }
          }
          break;
        }
        if (!popup->CapturesFocus() && !IsBeingDestroyed(owner)) {
          TCustomForm* form = OwnerForm(popup);
          if (!form || !form->HandleAllocated() || form->Handle() == Message.hwnd) popup->ClosePopup();
          break;
        }
      }
      return false;
    case WM_SHOWWINDOW: {
      if (Message.wParam) return false;
      for (std::size_t i = g_openPopups.size(); i-- > 0;) {
        TControl* owner = g_openPopups[i]->OwnerControl();
        if (IsBeingDestroyed(owner) || WindowOf(owner) != Message.hwnd) continue;
        // That popup and every popup opened after it, the last first.
        for (std::size_t j = g_openPopups.size(); j-- > i;) {
          if (j < g_openPopups.size()) g_openPopups[j]->ClosePopup();
        }
        break;
      }
      return false;
    }
    case WM_WINDOWPOSCHANGED: {
      bool rescan = true;
      while (rescan) {
        rescan = false;
        for (TcxCustomPopupWindow* popup : g_openPopups) {
          HWND owner = WindowOf(popup->OwnerControl());
          if (owner && owner == Message.hwnd && !IsWindowVisible(owner)) {
            popup->ClosePopup();
            rescan = true;
            break;
          }
        }
      }
      return false;
    }
    default:
      return false;
  }
}

bool cxPopupGetMessageRule(MSG& Message) {
  if (g_openPopups.empty() || Message.message != WM_SYSKEYDOWN) return false;
  TcxCustomPopupWindow* last = g_openPopups.back();
  if (last->AcceptsSysKey(static_cast<Word>(Message.wParam))) return false;
  if (last->CapturesFocus() && last->RunsOwnLoop) return false;
  Message.message = WM_NULL;
  return true;
}

bool cxPopupMouseRule(HWND Window, UINT Msg, const TPoint& Pt) {
  bool result = true;
  const TShiftState shift = CurrentShiftState();
  bool rescan = true;
  while (rescan) {
    rescan = false;
    for (TcxCustomPopupWindow* popup : g_openPopups) {
      if (popup->CapturesFocus() && Screen && Screen->ActiveForm() != popup) continue;
      if (WindowBelongsTo(popup, Window, true)) continue;
      TControl* owner = popup->OwnerControl();
      TCustomForm* ownerForm = OwnerForm(popup);
      auto* ownerPopup = dynamic_cast<TcxCustomPopupWindow*>(ownerForm);
      if (LiesInOwnersForm(popup, Window) || (ownerPopup && !IsPopupOpen(ownerPopup))) {
        TRect ownerBounds;
        popup->OwnerScreenBounds(ownerBounds);
        const bool ownerClick = IsLeftPress(Msg) && WindowBelongsTo(owner, Window, true) && ownerBounds.Contains(Pt);
        if (ownerClick) {
          if (popup->HandlesHookedMessage(Window, Msg, Pt, shift)) popup->closedByOwnerClick_ = true;
        } else {
          result = !popup->HandlesHookedMessage(Window, Msg, Pt, shift);
        }
        CloseFromMouseHook(popup);
        if (ownerClick && (IsBeingDestroyed(owner) || !owner->Visible())) result = false;
        rescan = true;
        break;
      }
      if (ownerForm && ownerForm->FormStyle() == fsMDIChild) {
        TCustomForm* frame = nullptr;
        if (ownerForm->HandleAllocated()) {
          HWND client = GetParent(ownerForm->Handle());
          frame = dynamic_cast<TCustomForm*>(FindControl(GetParent(client)));
        }
        if (frame && frame->ClientHandle()) {
          bool inFrame = Window == frame->ClientHandle() || WindowBelongsTo(frame, Window, true);
          for (int i = 0; !inFrame && i < frame->MDIChildCount(); ++i) {
            if (frame->MDIChildren(i) != ownerForm) inFrame = WindowBelongsTo(frame->MDIChildren(i), Window, true);
          }
          if (inFrame) {
            if (popup->HandlesHookedMessage(Window, Msg, Pt, shift)) result = false;
            CloseFromMouseHook(popup);
            rescan = true;
            break;
          }
        }
      }
    }
  }
  return result;
}

// ---- hook procedures -----------------------------------------------------------------------------

LRESULT CALLBACK cxPopupCallWndProcHook(int Code, WPARAM WParam, LPARAM LParam) {
  if (Code == HC_ACTION && LParam) {
    Guarded([&] {
      const auto& message = *reinterpret_cast<const CWPSTRUCT*>(LParam);
      if (cxPopupCallWndProcRule(message)) LockMessage(message.hwnd);
    });
  }
  return CallNextHookEx(g_callWndHook, Code, WParam, LParam);
}

LRESULT CALLBACK cxPopupGetMessageHook(int Code, WPARAM WParam, LPARAM LParam) {
  if (Code == HC_ACTION && WParam == PM_REMOVE && LParam) {
    Guarded([&] { cxPopupGetMessageRule(*reinterpret_cast<MSG*>(LParam)); });
  }
  return CallNextHookEx(g_getMessageHook, Code, WParam, LParam);
}

LRESULT CALLBACK cxPopupMouseHook(int Code, WPARAM WParam, LPARAM LParam) {
  bool pass = true;
  if (Code == HC_ACTION && LParam && !g_openPopups.empty()) {
    switch (WParam) {
      case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK:
      case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK: case WM_NCLBUTTONDOWN: case WM_NCLBUTTONDBLCLK:
      case WM_NCRBUTTONDOWN: case WM_NCRBUTTONDBLCLK: case WM_NCMBUTTONDOWN: case WM_NCMBUTTONDBLCLK: {
        const auto& info = *reinterpret_cast<const MOUSEHOOKSTRUCT*>(LParam);
        pass = Guarded(true, [&] { return cxPopupMouseRule(info.hwnd, static_cast<UINT>(WParam), info.pt); });
        break;
      }
      default:
        break;
    }
  }
  const LRESULT next = CallNextHookEx(g_mouseHook, Code, WParam, LParam);
  return pass ? next : 1;
}

// ---- TcxCustomPopupWindow ------------------------------------------------------------------------

TcxCustomPopupWindow::TcxCustomPopupWindow(TControl* AOwnerControl)
    : TcxPopupWindow(AOwnerControl), ownerControl_(AOwnerControl) {
  SetFormStyle(fsNormal);
  SetVisible(false);
  SetKeyPreview(true);
  if (AOwnerControl) OwnerParent = AOwnerControl->Parent();
}

TcxContainerStyle* TcxCustomPopupWindow::Style() {
  if (!style_) {
    style_ = NewContainerStyle();
    style_->OnChanged = [this](TObject*) { ContainerStyleChanged(); };
  }
  return style_;
}

TcxContainerViewInfo* TcxCustomPopupWindow::ViewInfo() {
  if (!viewInfo_) viewInfo_ = NewViewInfo();
  return viewInfo_;
}

void TcxCustomPopupWindow::BeforeDestruction() {
  InvalidateObjectLinks(this);
  Unlist(this);
  TcxPopupWindow::BeforeDestruction();
}

TcxCustomPopupWindow::~TcxCustomPopupWindow() {
  Unlist(this);
  if (viewInfo_) viewInfo_->Free();
  if (style_) style_->Free();
}

void TcxCustomPopupWindow::AdjustClientRect(TRect& Rect) {
  // The view info's client rectangle once a descendant has filled it.
  if (!ViewInfo()->ClientRect.IsEmpty()) Rect = ViewInfo()->ClientRect;
}

void TcxCustomPopupWindow::Paint() { ViewInfo()->Paint(cxCanvas()); }

bool TcxCustomPopupWindow::ConsumeClosedByOwnerClick() { return std::exchange(closedByOwnerClick_, false); }

bool TcxCustomPopupWindow::AcceptsSysKey(Word Key) { return (Key >= VK_PRIOR && Key <= VK_DOWN) || Key == VK_F4; }

bool TcxCustomPopupWindow::HandlesHookedMessage(HWND, UINT, const TPoint&, TShiftState) { return false; }

void TcxCustomPopupWindow::FireClosed() {
  if (OnClosed) OnClosed(this);
}
void TcxCustomPopupWindow::FireClosing() {
  if (OnClosing) OnClosing(this);
}
void TcxCustomPopupWindow::FireShowed() {
  if (OnShowed) OnShowed(this);
}
void TcxCustomPopupWindow::FireShowing() {
  if (OnShowing) OnShowing(this);
}

void TcxCustomPopupWindow::OwnerScreenBounds(TRect& R) {
  HWND owner = WindowOf(ownerControl_);
  if (owner && HasChildStyle(owner)) {
    TcxPopupWindow::OwnerScreenBounds(R);
    return;
  }
  R = OwnerBounds;
}

void TcxCustomPopupWindow::FitBoundsToWorkArea(TRect& R) {
  if (!KeepsInsideWorkArea()) return;
  const TRect area = WorkAreaAtPoint(R.TopLeft());
  const int askedHeight = R.Height();
  if (R.left < area.left) R.left = area.left;  // the right edge stays: the size shrinks
  if (R.top < area.top) R.top = area.top;
  R.right = std::min(R.right, area.right);
  R.bottom = std::min(R.bottom, area.bottom);
  const int height = R.Height();
  if (height != askedHeight && R.top == area.top) {
    R.top += askedHeight - height;
    R.bottom += askedHeight - height;
  }
}

void TcxCustomPopupWindow::CreateHandle() {
  const bool added = !IsListed(this);
  if (added) g_openPopups.push_back(this);
  try {
    TcxPopupWindow::CreateHandle();
  } catch (...) {
    if (added) Unlist(this);
    throw;
  }
  if (added) Unlist(this);
}

void TcxCustomPopupWindow::CreateParams(TCreateParams& Params) {
  TcxPopupWindow::CreateParams(Params);
  TCustomForm* ownerForm = ownerControl_ ? GetParentForm(ownerControl_) : nullptr;
  if (capturesFocus_) {
    Params.Style = (Params.Style & ~WS_CHILD) | WS_POPUP;
    if (ownerForm && ownerForm != this) Params.WndParent = ownerForm->Handle();
  } else {
    Params.Style = WS_CHILD;
    Params.ExStyle = WS_EX_TOOLWINDOW;
    if (!Params.WndParent) Params.WndParent = SharedMessageWindow()->Handle();
  }
  Params.Style |= WS_CLIPCHILDREN;
}

void TcxCustomPopupWindow::CreateWnd() {
  TcxPopupWindow::CreateWnd();
  // A top-level window that never takes the activation.
  if (!capturesFocus_) ::SetParent(Handle(), nullptr);
}

void TcxCustomPopupWindow::ShowPopup(TWinControl* AFocusedControl) {
  if (IsPopupOpen(this) || !ownerControl_) return;
  if (auto* win = dynamic_cast<TWinControl*>(ownerControl_)) {
    if (!win->HandleAllocated() || !IsWindowVisible(win->Handle())) return;
  } else if (!ownerControl_->Visible() || !ownerControl_->Parent() || !ownerControl_->Parent()->Showing()) {
    return;
  }
  const std::weak_ptr<void> alive = LifeToken();
  TakeOwnerFont();
  AdjustSize();
  TPoint position;
  CalculatePosition(position);
  TRect bounds = Bounds(position.x, position.y, Width(), Height());
  FitBoundsToWorkArea(bounds);
  {
    FlagSet showing(g_showing);
    g_openPopups.push_back(this);
    FireShowing();
    if (alive.expired()) return;
    SetBounds(bounds.left, bounds.top, bounds.Width(), bounds.Height());
    Show();
    if (alive.expired()) return;
    TWinControl* target = nullptr;
    if (capturesFocus_) {
      if (AFocusedControl && AFocusedControl->CanFocus() && AFocusedControl->TabStop()) target = AFocusedControl;
      else target = FindNextControl(nullptr, true, true, false);
    } else {
      target = AFocusedControl;
    }
    if (!target) target = this;
    focusedControl_ = target;
    if (target->HandleAllocated() || target == this) ::SetFocus(target->Handle());
    if (alive.expired()) return;
    TCustomForm* ownerForm = GetParentForm(ownerControl_);
    const bool topmost = !capturesFocus_ || !ownerForm ||
                         (ownerForm->HandleAllocated() &&
                          (GetWindowLongPtrW(ownerForm->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST));
    SetWindowPos(Handle(), topmost ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    ModalResult = mrNone;
    FireShowed();
  }
  if (alive.expired()) return;
  if (capturesFocus_ && RunsOwnLoop) RunOwnLoop();
}

void TcxCustomPopupWindow::RunOwnLoop() {
  const std::weak_ptr<void> alive = LifeToken();
  TModalLoop loop{L"popup", Handle(), [this, alive] {
                    if (!alive.expired()) ModalResult = mrCancel;
                  }};
  ModalLoopStarted(loop);
  const DWORD started = GetTickCount();
  while (!alive.expired() && HandleAllocated() && IsWindowVisible(Handle()) && Application &&
         !Application->Terminated()) {
    MSG queued;
    if (PeekMessageW(&queued, nullptr, WM_SYSKEYDOWN, WM_SYSKEYDOWN, PM_NOREMOVE) &&
        (queued.wParam == VK_RETURN || queued.wParam == VK_MENU || queued.wParam == VK_SPACE)) {
      PeekMessageW(&queued, queued.hwnd, WM_SYSKEYDOWN, WM_SYSKEYDOWN, PM_REMOVE);
    }
    if (ModalResult != mrNone) {
      if (CloseQuery()) {
        if (alive.expired()) break;
        CloseOnModalResult();
        break;
      }
      if (alive.expired()) break;
      ModalResult = mrNone;
    }
    MSG msg;
    if (!Application->ProcessMessage(msg)) {
      Application->Idle(msg);
      if (alive.expired()) break;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    if (!alive.expired() && ModalResult == mrNone && ModalLoopOverran(loop, started)) ModalResult = mrCancel;
  }
}

void TcxCustomPopupWindow::ClosePopup() {
  if (!IsPopupOpen(this)) return;
  const std::weak_ptr<void> alive = LifeToken();
  {
    CountUp closing(g_closingCount);
    Unlist(this);
    FireClosing();
    if (alive.expired()) return;
    if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
    Hide();
    if (alive.expired()) return;
    FireClosed();
    if (alive.expired()) return;
    if (HandleAllocated()) {
      if (HWND capture = GetCapture(); capture && WindowBelongsTo(this, capture, true)) SetCaptureControl(nullptr);
    }
    if (Screen && Screen->ActiveForm() == this) {
      if (TWinControl* focused = FindControl(GetFocus())) {
        TCustomForm* form = GetParentForm(focused);
        if (form && form != this) form->SetFocusedControl(focused);
      }
    }
  }
  if (g_openPopups.empty() && ownerControl_) {
    TCustomForm* form = GetParentForm(ownerControl_);
    if (form && form->HandleAllocated() && !form->Active()) SendMessageW(form->Handle(), WM_NCACTIVATE, FALSE, 0);
  }
}

void TcxCustomPopupWindow::ChangeFocusCapturing(bool Value) {
  if (capturesFocus_ == Value) return;
  capturesFocus_ = Value;
  const bool open = IsPopupOpen(this);
  TWinControl* focused = focusedControl_;
  if (open) ClosePopup();
  if (HandleAllocated()) RecreateWnd();
  if (open) ShowPopup(focused);
}

bool TcxCustomPopupWindow::SetFocusedControl(TWinControl* Control) {
  CountUp closing(g_closingCount);
  return TcxPopupWindow::SetFocusedControl(Control);
}

void TcxCustomPopupWindow::Deactivate() {
  DeactivationFlag = false;
  if (HookClosingCount > 0) return;
  if (g_openPopups.empty()) return;
  HWND active = GetActiveWindow();
  for (std::size_t i = g_openPopups.size(); i-- > 0;) {
    if (i >= g_openPopups.size()) continue;
    TcxCustomPopupWindow* popup = g_openPopups[i];
    if (popup->HandleAllocated() && popup->Handle() == active) break;
    if (popup->HandleAllocated() && IsWindowEnabled(popup->Handle()) && popup->HookClosingCount == 0)
      popup->ClosePopup();
  }
  if (!g_openPopups.empty()) ClosePopup();
}

void TcxCustomPopupWindow::KeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_ESCAPE && IsPopupOpen(this) && HandleAllocated() && GetCapture() &&
      WindowBelongsTo(this, GetCapture(), true)) {
    SetCaptureControl(nullptr);
    if (GetCapture() && WindowBelongsTo(this, GetCapture(), true)) ReleaseCapture();
    Key = 0;
    return;
  }
  TcxPopupWindow::KeyDown(Key, Shift);
}

bool TcxCustomPopupWindow::IsShortCut(TMessage& Message) {
  if (TcxPopupWindow::IsShortCut(Message)) return true;
  TCustomForm* form = ownerControl_ ? GetParentForm(ownerControl_) : nullptr;
  return form && form != this && form->IsShortCut(Message);
}

bool TcxCustomPopupWindow::Focused() {
  return IsPopupOpen(this) && capturesFocus_ && WindowBelongsTo(this, GetFocus(), true);
}

void TcxCustomPopupWindow::WMEraseBkgnd(TMessage& Message) {
  if (ErasesBackground()) Inherited::Dispatch(Message);
  else Message.Result = 1;
}

void TcxCustomPopupWindow::WMShowWindow(TMessage& Message) {
  Inherited::Dispatch(Message);
  if (Message.WParam || !capturesFocus_ || !ownerControl_) return;
  TCustomForm* form = GetParentForm(ownerControl_);
  auto* owner = dynamic_cast<TWinControl*>(ownerControl_);
  if (form && owner && form->HandleAllocated() && GetFocus() == form->Handle() && owner->CanFocus() &&
      !form->ComponentState().Contains(csDesigning)) {
    owner->SetFocus();
  }
}

void TcxCustomPopupWindow::CMMouseEnter(TMessage& Message) {
  Inherited::Dispatch(Message);
  auto* control = reinterpret_cast<TControl*>(Message.LParam);
  PopupMouseEntered(control ? control : this);
}

void TcxCustomPopupWindow::CMMouseLeave(TMessage& Message) {
  Inherited::Dispatch(Message);
  auto* control = reinterpret_cast<TControl*>(Message.LParam);
  PopupMouseLeft(control ? control : this);
}

void TcxCustomPopupWindow::CXMClosePopup(TMessage&) {
  const std::weak_ptr<void> alive = LifeToken();
  CloseFromHook(this);
  if (alive.expired()) return;
  if (HWND owner = WindowOf(ownerControl_)) SendMessageW(owner, WM_SETFOCUS, 0, 0);
}

void TcxCustomPopupWindow::CXMShowPopup(TMessage&) { ShowPopup(focusedControl_); }
