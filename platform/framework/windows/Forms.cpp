#include "platform/framework/windows/Forms.h"

#include <algorithm>

#include "platform/framework/windows/ActnList.h"
#include "platform/framework/windows/HintWindow.h"
#include "platform/framework/rtl/Seams.h"
#include "platform/framework/rtl/SysUtils.h"

DEFINE_CLASS(TCustomForm)
DEFINE_CLASS(TForm)

namespace {

// Windows of this thread that a modal form disables while it runs.
struct DisabledWindows {
  HWND modal;
  std::vector<HWND> windows;
};

BOOL CALLBACK DisableOne(HWND window, LPARAM data) {
  auto* state = reinterpret_cast<DisabledWindows*>(data);
  if (window != state->modal && IsWindowVisible(window) && IsWindowEnabled(window)) {
    state->windows.push_back(window);
    EnableWindow(window, FALSE);
  }
  return TRUE;
}

void CenterIn(TCustomForm& form, const TRect& area) {
  form.SetBounds(area.left + (area.Width() - form.Width()) / 2, area.top + (area.Height() - form.Height()) / 2,
                 form.Width(), form.Height());
}

}  // namespace

// ---- Construction --------------------------------------------------------------------------------

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) { Init(); }

TCustomForm::TCustomForm(TComponent* AOwner, int) : TWinControl(AOwner) { Init(); }

void TCustomForm::Init() {
  ControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  SetColor(clBtnFace);
  UpdateBoundsRect(Bounds(0, 0, 320, 240));
  TControl::SetVisible(false);
  canvas_ = std::make_unique<TControlCanvas>(this);
  if (Screen) Screen->AddForm(this);
}

void TCustomForm::Loaded() {
  TWinControl::Loaded();
  DoCreate();
}

void TCustomForm::DoCreate() {
  if (created_) return;
  created_ = true;
  if (OnCreate) OnCreate(this);
}

void TCustomForm::BeforeDestruction() {
  TComponent::BeforeDestruction();
  if (OnDestroy) {
    Guarded([&] { OnDestroy(this); });
  }
  TWinControl::BeforeDestruction();
  if (Screen) Screen->RemoveForm(this);
}

TCustomForm::~TCustomForm() {
  if (Screen) Screen->RemoveForm(this);
}

// ---- MDI -----------------------------------------------------------------------------------------

std::vector<TCustomForm*> TCustomForm::MDIChildList() const {
  std::vector<TCustomForm*> children;
  if (!clientHandle_) return children;
  for (HWND child = GetWindow(clientHandle_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    // The client also holds the title windows of minimized children, which are no forms.
    if (auto* form = dynamic_cast<TCustomForm*>(FindControl(child)); form && form->FormStyle() == fsMDIChild)
      children.push_back(form);
  }
  return children;
}

int TCustomForm::MDIChildCount() const { return static_cast<int>(MDIChildList().size()); }

TCustomForm* TCustomForm::MDIChildren(int Index) const {
  const std::vector<TCustomForm*> children = MDIChildList();
  if (Index < 0 || Index >= static_cast<int>(children.size())) RaiseListIndexError(Index);
  return children[Index];
}

TCustomForm* TCustomForm::ActiveMDIChild() const {
  if (!clientHandle_) return nullptr;
  auto active = reinterpret_cast<HWND>(SendMessageW(clientHandle_, WM_MDIGETACTIVE, 0, 0));
  return dynamic_cast<TCustomForm*>(FindControl(active));
}

HWND TCustomForm::MDIParentClient() {
  auto clientOf = [](TCustomForm* form) -> HWND {
    if (!form || form->FormStyle() != fsMDIForm) return nullptr;
    form->HandleNeeded();
    return form->ClientHandle();
  };
  HWND client = clientOf(dynamic_cast<TCustomForm*>(Owner()));
  if (!client && Application && Application->MainForm() != this) client = clientOf(Application->MainForm());
  if (!client) throw EInvalidOperation(L"Cannot create form. No MDI forms are currently active");
  return client;
}

void TCustomForm::DefaultHandler(TMessage& Message) {
  if (formStyle_ == fsMDIForm && clientHandle_ && HandleAllocated()) {
    Message.Result = DefFrameProcW(Handle(), clientHandle_, Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  if (formStyle_ == fsMDIChild && !Parent() && HandleAllocated()) {
    Message.Result = DefMDIChildProcW(Handle(), Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  TWinControl::DefaultHandler(Message);
}

void TCustomForm::AlignControls(TControl* AControl, TRect& Rect) {
  TWinControl::AlignControls(AControl, Rect);
  // The client window takes what the aligned controls leave.
  if (clientHandle_) {
    SetWindowPos(clientHandle_, HWND_BOTTOM, Rect.left, Rect.top, Rect.Width(), Rect.Height(), SWP_NOACTIVATE);
  }
}

// The client focuses an MDI child's window when it activates it: the focus goes on to its control.
void TCustomForm::WndProc(TMessage& Message) {
  if (Message.Msg == WM_SETFOCUS && formStyle_ == fsMDIChild && !Parent() && activeControl_ &&
      activeControl_ != this && activeControl_->HandleAllocated() && activeControl_->CanFocus()) {
    ::SetFocus(activeControl_->Handle());
    return;
  }
  TWinControl::WndProc(Message);
}

void TCustomForm::WMMDIActivate(TMessage& Message) {
  DefaultHandler(Message);
  if (reinterpret_cast<HWND>(Message.LParam) == Handle()) SetWindowFocus();
}

// ---- Window --------------------------------------------------------------------------------------

HWND TCustomForm::OwnerWindow() {
  if (!Application) return nullptr;
  if (Application->MainForm() == this) return nullptr;
  if (auto* ownerForm = dynamic_cast<TCustomForm*>(Owner()); ownerForm && ownerForm->HandleAllocated())
    return ownerForm->Handle();
  if (TCustomForm* main = Application->MainForm(); main && main != this && main->HandleAllocated())
    return main->Handle();
  return Application->Handle();
}

void TCustomForm::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.ExStyle = 0;
  if (Parent()) return;
  if (formStyle_ == fsMDIChild) {
    // A window of the frame's client; it shows through Show like any other form.
    Params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION | WS_THICKFRAME;
    if (borderIcons_.Contains(biSystemMenu)) Params.Style |= WS_SYSMENU;
    if (borderIcons_.Contains(biMinimize)) Params.Style |= WS_MINIMIZEBOX;
    if (borderIcons_.Contains(biMaximize)) Params.Style |= WS_MAXIMIZEBOX;
    Params.ExStyle = WS_EX_MDICHILD;
    Params.WndParent = MDIParentClient();
    return;
  }
  // A top-level form shows through Show, which runs OnShow and places it first.
  Params.Style &= ~(WS_VISIBLE | WS_TABSTOP | WS_CHILD);
  Params.Style |= WS_CLIPCHILDREN;
  switch (borderStyle_) {
    case bsNone: Params.Style |= WS_POPUP; break;
    case bsSingle: Params.Style |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable: Params.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
      Params.Style |= WS_POPUP | WS_CAPTION;
      Params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      break;
    case bsToolWindow:
      Params.Style |= WS_CAPTION;
      Params.ExStyle |= WS_EX_TOOLWINDOW;
      break;
    case bsSizeToolWin:
      Params.Style |= WS_CAPTION | WS_THICKFRAME;
      Params.ExStyle |= WS_EX_TOOLWINDOW;
      break;
  }
  if (borderStyle_ != bsNone && borderIcons_.Contains(biSystemMenu)) {
    Params.Style |= WS_SYSMENU;
    const bool plainFrame = borderStyle_ == bsSingle || borderStyle_ == bsSizeable;
    if (plainFrame && borderIcons_.Contains(biMinimize)) Params.Style |= WS_MINIMIZEBOX;
    if (plainFrame && borderIcons_.Contains(biMaximize)) Params.Style |= WS_MAXIMIZEBOX;
    if (borderStyle_ == bsDialog && borderIcons_.Contains(biHelp)) Params.ExStyle |= WS_EX_CONTEXTHELP;
  }
  if (formStyle_ == fsStayOnTop) Params.ExStyle |= WS_EX_TOPMOST;
  if (alphaBlend_) Params.ExStyle |= WS_EX_LAYERED;
  Params.WndParent = OwnerWindow();
  if (!Params.WndParent) Params.ExStyle |= WS_EX_APPWINDOW;
}

TRect TCustomForm::GetClientRect() {
  if (HandleAllocated() || Parent() || ParentWindow()) return TWinControl::GetClientRect();
  TCreateParams params;
  CreateParams(params);
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, params.Style, menu_ != nullptr, params.ExStyle);
  return TRect(0, 0, std::max(0, Width() - static_cast<int>(frame.right - frame.left)),
               std::max(0, Height() - static_cast<int>(frame.bottom - frame.top)));
}

void TCustomForm::CreateWnd() {
  TWinControl::CreateWnd();
  if (formStyle_ == fsMDIForm && !Parent() && !clientHandle_) {
    CLIENTCREATESTRUCT ccs{};
    ccs.idFirstChild = 0xFF00;
    clientHandle_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                    WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VSCROLL |
                                        WS_HSCROLL,
                                    0, 0, 0, 0, Handle(), nullptr, GetModuleHandleW(nullptr), &ccs);
    if (!clientHandle_) throw EOSError(L"Error creating the MDI client window", GetLastError());
    AlignChildren();
  }
  if (icon_) SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  if (alphaBlend_) SetAlphaBlendValue(alphaBlendValue_);
}

void TCustomForm::DestroyWindowHandle() {
  // The client window goes with the frame; an MDI child is destroyed by its client.
  clientHandle_ = nullptr;
  if (formStyle_ == fsMDIChild && !Parent() && HandleAllocated()) {
    if (HWND client = GetParent(Handle())) SendMessageW(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(Handle()), 0);
  }
  TWinControl::DestroyWindowHandle();
}

void TCustomForm::ApplyWindowStyles() {
  if (!HandleAllocated()) return;
  TCreateParams params;
  CreateParams(params);
  constexpr DWORD kFrameStyles = WS_POPUP | WS_CAPTION | WS_BORDER | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX |
                                 WS_MAXIMIZEBOX | WS_DLGFRAME;
  constexpr DWORD kFrameExStyles = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_TOOLWINDOW | WS_EX_CONTEXTHELP |
                                   WS_EX_APPWINDOW | WS_EX_LAYERED;
  HWND window = Handle();
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
  SetWindowLongPtrW(window, GWL_STYLE, (style & ~kFrameStyles) | (params.Style & kFrameStyles));
  SetWindowLongPtrW(window, GWL_EXSTYLE, (exStyle & ~kFrameExStyles) | (params.ExStyle & kFrameExStyles));
  SetWindowPos(window, formStyle_ == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  AlignChildren();
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
  if (borderStyle_ == Value) return;
  borderStyle_ = Value;
  ApplyWindowStyles();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value) {
  if (borderIcons_ == Value) return;
  borderIcons_ = Value;
  ApplyWindowStyles();
}

void TCustomForm::SetFormStyle(TFormStyle Value) {
  if (formStyle_ == Value) return;
  const bool mdiChanged = formStyle_ == fsMDIForm || formStyle_ == fsMDIChild || Value == fsMDIForm ||
                          Value == fsMDIChild;
  formStyle_ = Value;
  // A frame's client window and a child's parent are made with the window.
  if (mdiChanged) RecreateWnd();
  else ApplyWindowStyles();
}

void TCustomForm::SetIcon(HICON Value) {
  icon_ = Value;
  if (HandleAllocated()) SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Value));
}

void TCustomForm::SetAlphaBlend(bool Value) {
  if (alphaBlend_ == Value) return;
  alphaBlend_ = Value;
  ApplyWindowStyles();
  if (Value) SetAlphaBlendValue(alphaBlendValue_);
}

void TCustomForm::SetAlphaBlendValue(Byte Value) {
  alphaBlendValue_ = Value;
  if (alphaBlend_ && HandleAllocated()) {
    if (auto set = Bound().SetLayeredWindowAttributes.Get()) set(Handle(), 0, Value, LWA_ALPHA);
  }
}

TWindowState TCustomForm::WindowState() {
  if (HandleAllocated()) {
    if (IsIconic(Handle())) return wsMinimized;
    if (IsZoomed(Handle())) return wsMaximized;
    if (IsWindowVisible(Handle())) return wsNormal;
  }
  return windowState_;
}

void TCustomForm::SetWindowState(TWindowState Value) {
  windowState_ = Value;
  if (!HandleAllocated() || !Visible()) return;
  static constexpr int kShow[] = {SW_RESTORE, SW_MINIMIZE, SW_SHOWMAXIMIZED};
  ShowWindow(Handle(), kShow[Value]);
}

TRect TCustomForm::NormalBounds() {
  if (!HandleAllocated()) return BoundsRect();
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(Handle(), &placement);
  if (!IsIconic(Handle()) && !IsZoomed(Handle())) return BoundsRect();
  return placement.rcNormalPosition;
}

void TCustomForm::Paint() {
  if (OnPaint) OnPaint(this);
}

void TCustomForm::PaintWindow(HDC DC) {
  if (!OnPaint) return;
  TCanvasPaintScope scope(*canvas_, DC, Font());
  Paint();
}

// ---- Showing and closing -------------------------------------------------------------------------

void TCustomForm::PlaceForShowing() {
  switch (position_) {
    case poScreenCenter:
    case poDesktopCenter:
      CenterIn(*this, Screen->WorkAreaRect());
      break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
      TCustomForm* over = position_ == poOwnerFormCenter ? dynamic_cast<TCustomForm*>(Owner()) : nullptr;
      if (!over && Application) over = Application->MainForm();
      if (over && over != this && over->Visible()) CenterIn(*this, over->BoundsRect());
      else CenterIn(*this, Screen->WorkAreaRect());
      break;
    }
    default:
      break;
  }
}

void TCustomForm::SetVisible(bool Value) {
  if (Parent()) {
    TWinControl::SetVisible(Value);
    return;
  }
  if (Value == Visible() && (!Value || (HandleAllocated() && IsWindowVisible(Handle())))) return;
  const std::weak_ptr<void> alive = LifeToken();
  if (Value) {
    DoShow();
    if (alive.expired()) return;
    HandleNeeded();
    PlaceForShowing();
    TControl::SetVisible(true);
    formState_.Include(fsVisible);
    static constexpr int kShow[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    ShowWindow(Handle(), kShow[windowState_]);
  } else {
    DoHide();
    if (alive.expired()) return;
    TControl::SetVisible(false);
    formState_.Exclude(fsVisible);
    if (HandleAllocated()) {
      SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      if (GetActiveWindow() == Handle() || IsChild(Handle(), GetFocus())) {
        if (TCustomForm* main = Application ? Application->MainForm() : nullptr;
            main && main != this && main->HandleAllocated() && IsWindowVisible(main->Handle())) {
          SetActiveWindow(main->Handle());
        }
      }
    }
  }
}

void TCustomForm::Show() {
  SetVisible(true);
  if (formStyle_ == fsMDIChild && !Parent() && HandleAllocated()) {
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SendMessageW(GetParent(Handle()), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(Handle()), 0);
    return;
  }
  if (HandleAllocated()) {
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(Handle());
  }
}

void TCustomForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
  if (OnHide) OnHide(this);
}

void TCustomForm::DoClose(TCloseAction& Action) {
  if (OnClose) OnClose(this, Action);
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::Close() {
  if (formState_.Contains(fsModal)) {
    ModalResult = mrCancel;
    return;
  }
  const std::weak_ptr<void> alive = LifeToken();
  if (!CloseQuery() || alive.expired()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (alive.expired() || action == caNone) return;
  if (Application && Application->MainForm() == this) {
    Application->Terminate();
    if (action != caFree) return;
  }
  switch (action) {
    case caHide: Hide(); break;
    case caMinimize: SetWindowState(wsMinimized); break;
    case caFree: Release(); break;
    default: break;
  }
}

bool TCustomForm::CloseModal() {
  const std::weak_ptr<void> alive = LifeToken();
  TCloseAction action = caNone;
  if (CloseQuery()) {
    action = caHide;
    if (alive.expired()) return true;
    DoClose(action);
  }
  if (alive.expired()) return true;
  if (action == caNone) ModalResult = mrNone;
  if (action == caFree) Release();
  return ModalResult != mrNone;
}

void TCustomForm::Release() {
  if (HandleAllocated()) PostMessageW(Handle(), CM_RELEASE, 0, 0);
  else PostMessageW(Application->Handle(), CM_RELEASE, 0, reinterpret_cast<LPARAM>(this));
}

void TCustomForm::CMRelease(TMessage&) { Free(); }

TModalResult TCustomForm::ShowModal() {
  // A result chosen before the form could show (e.g. by OnCreate) ends the dialog unshown.
  if (ModalResult != mrNone) return ModalResult;
  if (Visible() || !Enabled() || formState_.Contains(fsModal))
    throw EInvalidOperation(L"Cannot make a visible window modal");
  if (GetCapture()) SendMessageW(GetCapture(), WM_CANCELMODE, 0, 0);
  ReleaseCapture();
  const std::weak_ptr<void> alive = LifeToken();
  HWND previousActive = GetActiveWindow();
  formState_.Include(fsModal);
  DisabledWindows disabled{Handle(), {}};
  EnumThreadWindows(GetCurrentThreadId(), &DisableOne, reinterpret_cast<LPARAM>(&disabled));
  auto restore = [&] {
    for (HWND window : disabled.windows) {
      if (IsWindow(window)) EnableWindow(window, TRUE);
    }
    if (previousActive && IsWindow(previousActive)) SetActiveWindow(previousActive);
  };
  try {
    Show();
    TModalLoop loop{L"form", Handle(), [this] { ModalResult = mrCancel; }};
    ModalLoopStarted(loop);
    const DWORD started = GetTickCount();
    while (!alive.expired()) {
      if (ModalResult == mrNone && Application->Terminated()) ModalResult = mrCancel;
      if (ModalResult != mrNone && CloseModal()) break;
      if (alive.expired()) break;
      MSG msg;
      if (!Application->ProcessMessage(msg)) {
        Application->Idle(msg);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
      }
      if (ModalResult == mrNone && ModalLoopOverran(loop, started)) ModalResult = mrCancel;
    }
  } catch (...) {
    restore();
    if (!alive.expired()) formState_.Exclude(fsModal);
    throw;
  }
  if (alive.expired()) {
    restore();
    return mrCancel;
  }
  // The owner comes back before the dialog hides, so activation does not go to another program.
  for (HWND window : disabled.windows) {
    if (IsWindow(window)) EnableWindow(window, TRUE);
  }
  Hide();
  formState_.Exclude(fsModal);
  if (previousActive && IsWindow(previousActive)) SetActiveWindow(previousActive);
  return ModalResult;
}

// ---- Activation and focus ------------------------------------------------------------------------

void TCustomForm::WMActivate(TMessage& Message) {
  const bool activating = LOWORD(Message.WParam) != WA_INACTIVE;
  active_ = activating;
  if (activating) {
    if (HIWORD(Message.WParam)) return;  // minimized
    if (!activeControl_) activeControl_ = FindNextControl(nullptr, true, true, false);
    SetWindowFocus();
    if (Application && !Application->Active()) {
      if (Application->OnActivate) Application->OnActivate(Application);
    }
    return;
  }
  // Activation goes to a window outside the framework's forms: this form is no longer focused.
  HWND other = reinterpret_cast<HWND>(Message.LParam);
  if (!dynamic_cast<TCustomForm*>(FindControl(other)) && Screen && Screen->focusedForm_ == this) {
    Screen->focusedForm_ = nullptr;
    SendMessageW(Handle(), CM_DEACTIVATE, 0, 0);
  }
}

void TCustomForm::SetWindowFocus() {
  TWinControl* target = activeControl_ ? activeControl_ : this;
  if (!target->HandleAllocated() && target != this) return;
  ::SetFocus(target->Handle());
}

void TCustomForm::SetFocus() {
  if (!active_) {
    if (!Visible() || !Enabled()) throw EInvalidOperation(L"Cannot focus a disabled or invisible window");
    SetWindowFocus();
    return;
  }
  TWinControl::SetFocus();
}

void TCustomForm::SetActiveControl(TWinControl* Control) {
  if (activeControl_ == Control) return;
  if (Control && (Control == this || GetParentForm(Control) != this ||
                  (!ComponentState().Contains(csLoading) && !Control->CanFocus()))) {
    throw EInvalidOperation(L"Cannot focus a disabled or invisible window");
  }
  activeControl_ = Control;
  if (!ComponentState().Contains(csLoading) && active_) SetWindowFocus();
}

void TCustomForm::FocusControl(TWinControl* Control) {
  const bool wasActive = active_;
  SetActiveControl(Control);
  if (!wasActive) SetFocus();
}

bool TCustomForm::SetFocusedControl(TWinControl* Control) {
  TScreen& screen = *Screen;
  ++screen.focusCount_;
  if (Control != this) activeControl_ = Control;
  else activeControl_ = nullptr;
  screen.activeControl_ = Control;
  screen.activeForm_ = this;
  if (Control->ControlState.Contains(csFocusing)) return false;
  const std::weak_ptr<void> alive = Control->LifeToken();
  Control->ControlState.Include(csFocusing);
  struct Unmark {
    TWinControl* control;
    std::weak_ptr<void> alive;
    ~Unmark() {
      if (!alive.expired()) control->ControlState.Exclude(csFocusing);
    }
  } unmark{Control, alive};
  // Each message may run handlers that move the focus again; a new count means they did.
  auto send = [&screen](TWinControl* target, UINT msg) {
    const int count = screen.focusCount_;
    // Activation notices go through the window, so the thread's window hooks see them.
    if ((msg == CM_ACTIVATE || msg == CM_DEACTIVATE) && target->HandleAllocated())
      SendMessageW(target->Handle(), msg, 0, 0);
    else
      target->Perform(msg);
    return screen.focusCount_ == count;
  };
  if (screen.focusedForm_ != this) {
    if (TCustomForm* previous = screen.focusedForm_) {
      screen.focusedForm_ = nullptr;
      if (!send(previous, CM_DEACTIVATE)) return false;
    }
    screen.focusedForm_ = this;
    if (!send(this, CM_ACTIVATE)) return false;
  }
  if (!focusedControl_) focusedControl_ = this;
  if (focusedControl_ != Control) {
    while (focusedControl_ && !focusedControl_->ContainsControl(Control)) {
      TWinControl* leaving = focusedControl_;
      focusedControl_ = leaving->Parent();
      if (!send(leaving, CM_EXIT)) return false;
    }
    while (focusedControl_ != Control) {
      TWinControl* entering = Control;
      while (entering->Parent() != focusedControl_) entering = entering->Parent();
      focusedControl_ = entering;
      if (!send(entering, CM_ENTER)) return false;
    }
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(Control));
  }
  if (screen.OnActiveControlChange) screen.OnActiveControlChange(&screen);
  return true;
}

void TCustomForm::ControlRemoving(TControl* Control) {
  auto inside = [Control](TWinControl* c) {
    for (TControl* p = c; p; p = p->Parent()) {
      if (p == Control) return true;
    }
    return false;
  };
  if (activeControl_ && inside(activeControl_)) activeControl_ = nullptr;
  if (focusedControl_ && inside(focusedControl_)) focusedControl_ = Control->Parent();
  if (Screen && Screen->activeControl_ && inside(Screen->activeControl_)) Screen->activeControl_ = nullptr;
}

void TCustomForm::CMActivate(TMessage&) {
  formState_.Include(fsActivated);
  Activate();
}

void TCustomForm::CMDeactivate(TMessage&) { Deactivate(); }

void TCustomForm::Activate() {
  if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate() {
  if (OnDeactivate) OnDeactivate(this);
}

void TCustomForm::SendCancelMode(TControl* Sender) {
  if (active_ && activeControl_) activeControl_->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(Sender));
  if (TControl* capture = GetCaptureControl(); capture && capture != Sender) {
    capture->Perform(WM_CANCELMODE);
  }
}

bool TCustomForm::IsShortCut(TMessage& Message) {
  // A disabled form takes no input: a key queued before it was disabled (a command's progress
  // pumps messages while the form is disabled) runs no command in the middle of another.
  if (HandleAllocated() && !IsWindowEnabled(Handle())) return false;
  bool handled = false;
  if (OnShortCut) OnShortCut(Message, handled);
  if (handled) return true;
  // With menus linked, they dispatch the key in full (menu, action lists, popup menu).
  if (auto dispatch = ControlsLayerServices().DispatchFormShortCut) return dispatch(this, Message);
  return ActionListsShortCut(this, ShortCutFromMessage(Message));
}

// ---- Keys and system commands --------------------------------------------------------------------

void TCustomForm::CMDialogKey(TMessage& Message) {
  if (Bound().GetKeyState(VK_MENU) >= 0) {
    switch (Message.WParam) {
      case VK_TAB:
        if (Bound().GetKeyState(VK_CONTROL) >= 0) {
          SelectNext(activeControl_, Bound().GetKeyState(VK_SHIFT) >= 0, true);
          Message.Result = 1;
          return;
        }
        break;
      case VK_LEFT:
      case VK_RIGHT:
      case VK_UP:
      case VK_DOWN:
        if (activeControl_ && activeControl_->Parent()) {
          activeControl_->Parent()->SelectNext(activeControl_, Message.WParam == VK_RIGHT || Message.WParam == VK_DOWN,
                                               false);
          Message.Result = 1;
        }
        return;
      default:
        break;
    }
  }
  Inherited::Dispatch(Message);
}

void TCustomForm::WMClose(TMessage&) { Close(); }

void TCustomForm::WMSysCommand(TMessage& Message) {
  if ((Message.WParam & 0xFFF0) == SC_MINIMIZE && Application && Application->MainForm() == this) {
    DefaultHandler(Message);
    if (Application->OnMinimize) Application->OnMinimize(Application);
    return;
  }
  DefaultHandler(Message);
}

void TCustomForm::WMGetMinMaxInfo(TMessage& Message) {
  DefaultHandler(Message);
  auto* info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
  TSizeConstraints& c = *Constraints();
  if (c.MinWidth() > 0) info->ptMinTrackSize.x = c.MinWidth();
  if (c.MinHeight() > 0) info->ptMinTrackSize.y = c.MinHeight();
  if (c.MaxWidth() > 0) info->ptMaxTrackSize.x = c.MaxWidth();
  if (c.MaxHeight() > 0) info->ptMaxTrackSize.y = c.MaxHeight();
}
