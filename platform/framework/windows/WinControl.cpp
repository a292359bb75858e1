#include <algorithm>
#include <mutex>
#include <unordered_map>

#include "platform/framework/windows/Controls.h"
#include "platform/framework/windows/Forms.h"
#include "platform/framework/rtl/Seams.h"
#include "platform/framework/rtl/SysUtils.h"

DEFINE_CLASS(TWinControl)

namespace {

// The control of each window this process's controls handle. Every message the framework's window
// procedure receives starts with this lookup; a window property would serve as well, but reading one
// is a request to the window server under Wine (tens of microseconds, paid per message). Left alive
// at exit, as windows may still be destroyed after static destruction.
class TWindowTable {
 public:
  static TWindowTable& Instance() {
    static auto* table = new TWindowTable;
    return *table;
  }
  void Bind(HWND window, TWinControl* control) {
    std::lock_guard lock(mutex_);
    controls_[window] = control;
  }
  // Only the control a window is bound to can unbind it.
  void Unbind(HWND window, const TWinControl* control) {
    std::lock_guard lock(mutex_);
    if (auto it = controls_.find(window); it != controls_.end() && it->second == control) controls_.erase(it);
  }
  TWinControl* Find(HWND window) {
    std::lock_guard lock(mutex_);
    auto it = controls_.find(window);
    return it == controls_.end() ? nullptr : it->second;
  }

 private:
  std::mutex mutex_;
  std::unordered_map<HWND, TWinControl*> controls_;
};

// The control whose window is being created: its first messages arrive before the window is bound.
thread_local TWinControl* t_creatingControl = nullptr;

bool IsMouseMessage(UINT msg) {
  return msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST && msg != WM_MOUSEWHEEL && msg != WM_MOUSEHWHEEL;
}

// Registers (or re-registers, when the class style changed) the window class of a control.
void RegisterControlClass(const TCreateParams& params, WNDPROC proc) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(instance, params.WinClassName.c_str(), &existing)) {
    if (existing.style == params.WindowClassStyle && existing.lpfnWndProc == proc) return;
    // Fails while windows of the class exist; their new siblings then get the style below.
    UnregisterClassW(params.WinClassName.c_str(), instance);
  }
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = params.WindowClassStyle;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = params.Background;
  wc.lpszClassName = params.WinClassName.c_str();
  RegisterClassExW(&wc);
}

// Registers (or re-registers, when the style changed) WinClassName as a copy of the system class
// with WindowClassStyle added to its style.
void RegisterSystemClassCopy(const TCreateParams& params) {
  WNDCLASSEXW system{};
  system.cbSize = sizeof system;
  if (!GetClassInfoExW(nullptr, params.SystemClass.c_str(), &system))
    throw EOSError(Format(L"Unknown window class %s", {params.SystemClass}), GetLastError());
  HINSTANCE instance = GetModuleHandleW(nullptr);
  const UINT style = system.style | params.WindowClassStyle;
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(instance, params.WinClassName.c_str(), &existing)) {
    if (existing.style == style && existing.lpfnWndProc == system.lpfnWndProc) return;
    UnregisterClassW(params.WinClassName.c_str(), instance);
  }
  WNDCLASSEXW wc = system;
  wc.style = style;
  wc.hInstance = instance;
  wc.lpszClassName = params.WinClassName.c_str();
  RegisterClassExW(&wc);
}

}  // namespace

TWinControl* FindControl(HWND Window) { return Window ? TWindowTable::Instance().Find(Window) : nullptr; }

LRESULT CALLBACK FrameworkWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWinControl* control = TWindowTable::Instance().Find(window);
  if (!control && t_creatingControl) {
    control = std::exchange(t_creatingControl, nullptr);
    control->AttachHandle(window);
  }
  if (!control) return DefWindowProcW(window, msg, wParam, lParam);
  // The result lives here, so a control freed by its own handler is not touched afterwards.
  TMessage message{msg, wParam, lParam, 0};
  return Guarded(LRESULT{0}, [&] {
    control->DispatchWindowProc(message);
    return message.Result;
  });
}

// ---- Construction and destruction ----------------------------------------------------------------

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

void TWinControl::BeforeDestruction() {
  TControl::BeforeDestruction();
  // The window goes while every override and every owned component is still in place, so
  // WM_DESTROY passes the hooks with the components alive.
  DestroyHandle();
}

TWinControl::~TWinControl() {
  if (TCustomForm* form = GetParentForm(this)) form->ControlRemoving(this);
  DestroyHandle();
  while (!controls_.empty()) {
    TControl* child = controls_.back();
    ListRemove(child);
    child->Free();
  }
  FreeBuffer();
  if (backgroundBrush_) DeleteObject(backgroundBrush_);
}

// ---- Handle --------------------------------------------------------------------------------------

HWND TWinControl::Handle() {
  HandleNeeded();
  return handle_;
}

void TWinControl::HandleNeeded() {
  if (handle_) return;
  if (Parent()) Parent()->HandleNeeded();
  if (!handle_) CreateHandle();
}

void TWinControl::CreateHandle() {
  if (handle_) return;
  CreateWnd();
  for (TControl* child : controls_) {
    if (auto* win = dynamic_cast<TWinControl*>(child); win && !win->handle_) win->CreateHandle();
  }
  AlignChildren();
}

void TWinControl::CreateParams(TCreateParams& Params) {
  Params.Caption = text_;
  Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (ControlStyle.Contains(csAcceptsControls)) Params.Style |= WS_CLIPCHILDREN;
  if (Visible()) Params.Style |= WS_VISIBLE;
  if (!Enabled()) Params.Style |= WS_DISABLED;
  if (tabStop_) Params.Style |= WS_TABSTOP;
  Params.X = Left();
  Params.Y = Top();
  Params.Width = Width();
  Params.Height = Height();
  if (Parent()) Params.WndParent = Parent()->Handle();
  else Params.WndParent = parentWindow_;
  Params.WinClassName = ClassName();
  Params.WindowClassStyle = CS_DBLCLKS;
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  if ((params.Style & WS_CHILD) && !params.WndParent)
    throw EInvalidOperation(Format(L"Control '%s' has no parent window", {Name()}));
  if (params.SystemClass.empty()) {
    RegisterControlClass(params, &FrameworkWindowProc);
    defWndProc_ = &DefWindowProcW;
  } else if (params.CopySystemClass) {
    RegisterSystemClassCopy(params);
  }
  ControlState.Include(csCreating);
  try {
    CreateWindowHandle(params);
  } catch (...) {
    ControlState.Exclude(csCreating);
    throw;
  }
  ControlState.Exclude(csCreating);
  if (!handle_) throw EOSError(Format(L"Error creating window of class %s", {params.WinClassName}), GetLastError());
  if (params.SystemClass.empty() &&
      static_cast<UINT>(GetClassLongPtrW(handle_, GCL_STYLE)) != params.WindowClassStyle) {
    SetClassLongPtrW(handle_, GCL_STYLE, params.WindowClassStyle);
  }
  TMessage setFont{WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), FALSE, 0};
  DefaultHandler(setFont);
  InitializeHandle();
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params) {
  const wchar_t* className = Params.SystemClass.empty() || Params.CopySystemClass ? Params.WinClassName.c_str()
                                                                                  : Params.SystemClass.c_str();
  if (Params.SystemClass.empty()) t_creatingControl = this;
  HWND window = CreateWindowExW(Params.ExStyle, className, Params.Caption.c_str(), Params.Style, Params.X,
                                Params.Y, Params.Width, Params.Height, Params.WndParent, nullptr,
                                GetModuleHandleW(nullptr), Params.Param);
  t_creatingControl = nullptr;
  if (window && !handle_) AttachHandle(window);
}

void TWinControl::AttachHandle(HWND Window) {
  handle_ = Window;
  TWindowTable::Instance().Bind(Window, this);
  const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(Window, GWLP_WNDPROC));
  if (current != &FrameworkWindowProc) {
    defWndProc_ = current;
    SetWindowLongPtrW(Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FrameworkWindowProc));
  } else if (!defWndProc_) {
    defWndProc_ = &DefWindowProcW;
  }
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  for (TControl* child : controls_) {
    if (auto* win = dynamic_cast<TWinControl*>(child)) win->DestroyHandle();
  }
  DestroyWnd();
}

void TWinControl::DestroyWnd() {
  // What the window held goes back to the fields, so a new window starts from it.
  text_ = GetText();
  FreeBuffer();
  DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle() {
  ControlState.Include(csDestroyingHandle);
  HWND window = handle_;
  if (window) DestroyWindow(window);
  if (handle_ == window && window) {
    TWindowTable::Instance().Unbind(window, this);
    handle_ = nullptr;
  }
  ControlState.Exclude(csDestroyingHandle);
}

void TWinControl::RecreateWnd() {
  if (!handle_) return;
  const bool hadFocus = Focused();
  ControlState.Include(csRecreating);
  DestroyHandle();
  try {
    CreateHandle();
  } catch (...) {
    ControlState.Exclude(csRecreating);
    throw;
  }
  ControlState.Exclude(csRecreating);
  if (hadFocus && CanFocus()) ::SetFocus(handle_);
}

void TWinControl::CMRecreateWnd(TMessage&) { RecreateWnd(); }

HWND TWinControl::ReleaseHandle() {
  HWND window = handle_;
  if (!window) return nullptr;
  TWindowTable::Instance().Unbind(window, this);
  if (defWndProc_ && defWndProc_ != &DefWindowProcW) {
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(defWndProc_));
  }
  text_ = [&] {
    const int n = GetWindowTextLengthW(window);
    String s(n + 1, L'\0');
    s.resize(GetWindowTextW(window, s.data(), n + 1));
    return s;
  }();
  handle_ = nullptr;
  return window;
}

void TWinControl::AdoptHandle(HWND Window) {
  if (handle_ == Window) return;
  if (handle_) DestroyHandle();
  if (FindControl(Window)) FindControl(Window)->ReleaseHandle();
  defWndProc_ = nullptr;
  AttachHandle(Window);
  RECT r;
  GetWindowRect(Window, &r);
  if (HWND parent = GetParent(Window); parent && (GetWindowLongPtrW(Window, GWL_STYLE) & WS_CHILD)) {
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  }
  UpdateBoundsRect(r);
}

void TWinControl::SetParentWindow(HWND Value) {
  if (Parent() || parentWindow_ == Value) return;
  if (parentWindow_ && Value && handle_) {
    parentWindow_ = Value;
    ::SetParent(handle_, Value);
    return;
  }
  DestroyHandle();
  parentWindow_ = Value;
  if (Value) HandleNeeded();
}

void TWinControl::WMNCDestroy(TMessage& Message) {
  DefaultHandler(Message);
  if (handle_) TWindowTable::Instance().Unbind(handle_, this);
  handle_ = nullptr;
}

void TWinControl::DefaultHandler(TMessage& Message) {
  if (!handle_) {
    TControl::DefaultHandler(Message);
    return;
  }
  Message.Result = CallWindowProcW(defWndProc_ ? defWndProc_ : &DefWindowProcW, handle_, Message.Msg,
                                   Message.WParam, Message.LParam);
}

void TWinControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETFOCUS:
      if (TCustomForm* form = GetParentForm(this);
          form && !form->ComponentState().Contains(csDestroying) && !form->SetFocusedControl(this)) {
        return;
      }
      break;
    case WM_KILLFOCUS:
      if (ControlState.Contains(csFocusing)) return;
      break;
    default:
      if (IsMouseMessage(Message.Msg)) {
        if (Application) Application->NoteMouseMessage(this, Message);
        if (IsControlMouseMsg(Message)) return;
        Dispatch(Message);
        return;
      }
      break;
  }
  TControl::WndProc(Message);
}

bool TWinControl::IsControlMouseMsg(TMessage& Message) {
  TControl* target = nullptr;
  TControl* capture = GetCaptureControl();
  if (capture) {
    if (capture->Parent() == this && !dynamic_cast<TWinControl*>(capture)) target = capture;
  } else {
    target = ControlAtPos(TPoint(Message.XPos(), Message.YPos()), false);
  }
  if (!target) return false;
  const LPARAM local = MAKELPARAM(Message.XPos() - target->Left(), Message.YPos() - target->Top());
  Message.Result = target->Perform(Message.Msg, Message.WParam, local);
  return true;
}

// ---- Text ----------------------------------------------------------------------------------------

String TWinControl::GetText() {
  if (!handle_) return text_;
  return TControl::GetText();
}

void TWinControl::SetText(const String& Value) {
  if (!handle_) {
    if (text_ == Value) return;
    text_ = Value;
    Perform(CM_TEXTCHANGED);
    return;
  }
  TControl::SetText(Value);
}

// ---- Children ------------------------------------------------------------------------------------

void TWinControl::ListInsert(TControl* AControl) {
  controls_.push_back(AControl);
  if (auto* win = dynamic_cast<TWinControl*>(AControl)) tabList_.push_back(win);
  AControl->SetParentFields(this);
}

void TWinControl::ListRemove(TControl* AControl) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), AControl), controls_.end());
  tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), AControl), tabList_.end());
  AControl->SetParentFields(nullptr);
}

void TWinControl::InsertControl(TControl* AControl) {
  ListInsert(AControl);
  AControl->Perform(CM_PARENTCOLORCHANGED);
  AControl->Perform(CM_PARENTFONTCHANGED);
  AControl->Perform(CM_PARENTSHOWHINTCHANGED);
  AControl->Perform(CM_PARENTBIDIMODECHANGED);
  if (auto* win = dynamic_cast<TWinControl*>(AControl)) {
    if (win->handle_) {
      ::SetParent(win->handle_, Handle());
    } else if (handle_) {
      win->CreateHandle();
    }
  } else {
    AControl->Invalidate();
  }
  AControl->RecordAnchors();
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), TRUE);
  AlignControl(AControl);
}

void TWinControl::RemoveControl(TControl* AControl) {
  if (TCustomForm* form = GetParentForm(this)) form->ControlRemoving(AControl);
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), FALSE);
  if (auto* win = dynamic_cast<TWinControl*>(AControl)) {
    if (!win->ControlState.Contains(csRecreating) && !ComponentState().Contains(csDestroying) &&
        !win->reparenting_) {
      win->DestroyHandle();
    }
  } else {
    AControl->Invalidate();
  }
  ListRemove(AControl);
  Realign();
}

void TWinControl::SetParent(TWinControl* AParent) {
  if (AParent == Parent()) return;
  if (handle_ && AParent && Parent()) {
    // Re-parenting a live control keeps its window.
    reparenting_ = true;
    try {
      TControl::SetParent(AParent);
    } catch (...) {
      reparenting_ = false;
      throw;
    }
    reparenting_ = false;
    return;
  }
  TControl::SetParent(AParent);
}

bool TWinControl::ContainsControl(TControl* Control) const {
  for (TControl* c = Control; c; c = c->Parent()) {
    if (c == this) return true;
  }
  return false;
}

TControl* TWinControl::ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls) {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (!AllowWinControls && dynamic_cast<TWinControl*>(c)) continue;
    if (!c->Visible() || (!c->Enabled() && !AllowDisabled)) continue;
    if (!c->BoundsRect().Contains(Pos)) continue;
    if (c->Perform(CM_HITTEST, 0, MAKELPARAM(Pos.x - c->Left(), Pos.y - c->Top())) == 0) continue;
    return c;
  }
  return nullptr;
}

void TWinControl::Broadcast(TMessage& Message) {
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    controls_[i]->DispatchWindowProc(Message);
    if (Message.Result != 0) return;
  }
}

void TWinControl::ScrollBy(int DeltaX, int DeltaY) {
  if (!DeltaX && !DeltaY) return;
  for (TControl* control : controls_) {
    const TRect r = control->BoundsRect();
    auto* win = dynamic_cast<TWinControl*>(control);
    if (win && win->HandleAllocated())
      // The move comes back through WM_WINDOWPOSCHANGED, which updates the bounds without aligning.
      SetWindowPos(win->Handle(), nullptr, r.left + DeltaX, r.top + DeltaY, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    else
      control->UpdateBoundsRect(Bounds(r.left + DeltaX, r.top + DeltaY, r.Width(), r.Height()));
  }
  Invalidate();
}

void TWinControl::NotifyControls(UINT Msg) {
  TMessage message{Msg, 0, 0, 0};
  for (std::size_t i = 0; i < controls_.size(); ++i) controls_[i]->DispatchWindowProc(message);
}

// ---- Tab order and focus -------------------------------------------------------------------------

int TWinControl::TabOrder() const {
  if (!Parent()) return -1;
  const auto& list = Parent()->tabList_;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int Value) {
  if (!Parent()) return;
  auto& list = Parent()->tabList_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  Value = std::clamp(Value, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + Value, this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) {
  for (TWinControl* c : tabList_) {
    List.push_back(c);
    c->GetTabOrderList(List);
  }
}

bool TWinControl::CanFocus() {
  TCustomForm* form = GetParentForm(this);
  for (TControl* c = this; c; c = c->Parent()) {
    if (!c->Visible() || !c->Enabled()) return false;
    if (c == form) break;
  }
  return true;
}

bool TWinControl::Focused() { return handle_ && GetFocus() == handle_; }

void TWinControl::SetFocus() {
  if (TCustomForm* form = GetParentForm(this)) {
    form->FocusControl(this);
  } else if (parentWindow_ || !Parent()) {
    ::SetFocus(Handle());
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  const int count = static_cast<int>(list.size());
  int start = static_cast<int>(std::find(list.begin(), list.end(), CurControl) - list.begin());
  if (start == count) start = GoForward ? count - 1 : 0;
  int i = start;
  for (int step = 0; step < count; ++step) {
    i = GoForward ? (i + 1) % count : (i + count - 1) % count;
    TWinControl* c = list[i];
    if (c == CurControl) break;
    if ((!CheckTabStop || c->TabStop()) && (!CheckParent || c->Parent() == this) && c->CanFocus()) return c;
  }
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
  TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop);
  if (next) next->SetFocus();
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

void TWinControl::WMSetFocus(TMessage& Message) { DefaultHandler(Message); }

void TWinControl::WMKillFocus(TMessage& Message) { DefaultHandler(Message); }

// ---- Keyboard ------------------------------------------------------------------------------------

void TWinControl::KeyDown(Word& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(Word& Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(wchar_t& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
}

bool TWinControl::DoKeyDown(TMessage& Message) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview() && form->DoKeyDown(Message)) return true;
  if (ControlStyle.Contains(csNoStdEvents)) return false;
  Word key = static_cast<Word>(Message.WParam);
  KeyDown(key, KeyDataToShiftState(Message.LParam));
  Message.WParam = key;
  return key == 0;
}

bool TWinControl::DoKeyUp(TMessage& Message) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview() && form->DoKeyUp(Message)) return true;
  if (ControlStyle.Contains(csNoStdEvents)) return false;
  Word key = static_cast<Word>(Message.WParam);
  KeyUp(key, KeyDataToShiftState(Message.LParam));
  Message.WParam = key;
  return key == 0;
}

bool TWinControl::DoKeyPress(TMessage& Message) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview() && form->DoKeyPress(Message)) return true;
  if (ControlStyle.Contains(csNoStdEvents)) return false;
  wchar_t key = static_cast<wchar_t>(Message.WParam);
  KeyPress(key);
  Message.WParam = key;
  return key == 0;
}

void TWinControl::WMKeyDown(TMessage& Message) {
  const std::weak_ptr<void> alive = LifeToken();
  if (!DoKeyDown(Message) && !alive.expired()) DefaultHandler(Message);
}

void TWinControl::WMSysKeyDown(TMessage& Message) {
  const std::weak_ptr<void> alive = LifeToken();
  if (!DoKeyDown(Message) && !alive.expired()) DefaultHandler(Message);
}

void TWinControl::WMKeyUp(TMessage& Message) {
  const std::weak_ptr<void> alive = LifeToken();
  if (!DoKeyUp(Message) && !alive.expired()) DefaultHandler(Message);
}

void TWinControl::WMChar(TMessage& Message) {
  const std::weak_ptr<void> alive = LifeToken();
  if (!DoKeyPress(Message) && !alive.expired()) DefaultHandler(Message);
}

void TWinControl::CNKeyDown(TMessage& Message) {
  Message.Result = 1;
  const Word key = static_cast<Word>(Message.WParam);
  TCustomForm* form = GetParentForm(this);
  if (form && form->IsShortCut(Message)) return;
  UINT mask = 0;
  switch (key) {
    case VK_TAB: mask = DLGC_WANTTAB; break;
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: mask = DLGC_WANTARROWS; break;
    case VK_RETURN: case VK_EXECUTE: case VK_ESCAPE: case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
    default: break;
  }
  if (mask && form && Perform(CM_WANTSPECIALKEY, key) == 0) {
    MSG msg{handle_, Message.Msg - CN_BASE, Message.WParam, Message.LParam, 0, {}};
    const UINT code = static_cast<UINT>(Perform(WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(&msg)));
    if ((code & mask) == 0 && form->Perform(CM_DIALOGKEY, key, Message.LParam) != 0) return;
  }
  Message.Result = 0;
}

void TWinControl::CNKeyUp(TMessage& Message) { Message.Result = 0; }

void TWinControl::CNChar(TMessage& Message) {
  Message.Result = 1;
  TCustomForm* form = GetParentForm(this);
  const bool sysChar = Message.Msg == CN_SYSCHAR;
  if (form && (sysChar || (Perform(WM_GETDLGCODE) & DLGC_WANTCHARS) == 0) &&
      form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam) != 0) {
    return;
  }
  Message.Result = 0;
}

// ---- Reflection ----------------------------------------------------------------------------------

void TWinControl::WMCommand(TMessage& Message) {
  if (TWinControl* child = FindControl(reinterpret_cast<HWND>(Message.LParam)); child && child != this) {
    Message.Result = child->Perform(CN_COMMAND, Message.WParam, Message.LParam);
    return;
  }
  DefaultHandler(Message);
}

void TWinControl::WMNotify(TMessage& Message) {
  const auto* header = reinterpret_cast<const NMHDR*>(Message.LParam);
  if (TWinControl* child = header ? FindControl(header->hwndFrom) : nullptr; child && child != this) {
    Message.Result = child->Perform(CN_NOTIFY, Message.WParam, Message.LParam);
    return;
  }
  DefaultHandler(Message);
}

void TWinControl::WMReflected(TMessage& Message) {
  HWND source = nullptr;
  switch (Message.Msg) {
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam);
      if (item->CtlType != ODT_MENU) source = item->hwndItem;
      break;
    }
    case WM_MEASUREITEM: {
      const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(Message.LParam);
      if (item->CtlType != ODT_MENU && handle_) source = GetDlgItem(handle_, static_cast<int>(item->CtlID));
      break;
    }
    case WM_DELETEITEM: source = reinterpret_cast<const DELETEITEMSTRUCT*>(Message.LParam)->hwndItem; break;
    case WM_COMPAREITEM: source = reinterpret_cast<const COMPAREITEMSTRUCT*>(Message.LParam)->hwndItem; break;
    default: source = reinterpret_cast<HWND>(Message.LParam); break;
  }
  if (TWinControl* child = FindControl(source); child && child != this) {
    Message.Result = child->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  DefaultHandler(Message);
}

void TWinControl::WMCtlColor(TMessage& Message) {
  if (TWinControl* child = FindControl(reinterpret_cast<HWND>(Message.LParam)); child && child != this) {
    Message.Result = child->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
    if (Message.Result) return;
  }
  DefaultHandler(Message);
}

// ---- Cursor --------------------------------------------------------------------------------------

void TWinControl::WMSetCursor(TMessage& Message) {
  if (reinterpret_cast<HWND>(Message.WParam) == handle_ && LOWORD(Message.LParam) == HTCLIENT) {
    TCursor cursor = Screen ? Screen->Cursor() : crDefault;
    if (cursor == crDefault) {
      POINT p;
      GetCursorPos(&p);
      ScreenToClientWindow(p);
      TControl* child = ControlAtPos(p, false);
      cursor = child ? child->Cursor() : Cursor();
    }
    if (cursor != crDefault && Screen) {
      ::SetCursor(Screen->Cursors(cursor));
      Message.Result = TRUE;
      return;
    }
  }
  DefaultHandler(Message);
}

void TWinControl::ScreenToClientWindow(POINT& p) {
  if (handle_) ::ScreenToClient(handle_, &p);
}

// ---- Bounds and alignment ------------------------------------------------------------------------

TRect TWinControl::GetClientRect() {
  if (!handle_) return TControl::GetClientRect();
  RECT r;
  ::GetClientRect(handle_, &r);
  return r;
}

TPoint TWinControl::ClientOrigin() {
  if (!Parent() && !handle_) throw EInvalidOperation(Format(L"Control '%s' has no parent window", {Name()}));
  POINT p{0, 0};
  ::ClientToScreen(Handle(), &p);
  return p;
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (!CanResize(AWidth, AHeight)) {
    AWidth = Width();
    AHeight = Height();
  }
  if (ALeft == Left() && ATop == Top() && AWidth == Width() && AHeight == Height()) return;
  if (handle_ && !IsIconic(handle_)) {
    SetWindowPos(handle_, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  const bool resized = AWidth != Width() || AHeight != Height();
  if (ALeft != Left() || ATop != Top() || resized) {
    UpdateBoundsRect(Bounds(ALeft, ATop, AWidth, AHeight));
    if (resized) {
      AlignChildren();
      Resize();
    }
  }
  RecordAnchors();
  RequestAlign();
}

void TWinControl::UpdateBoundsRect(const TRect& R) { TControl::UpdateBoundsRect(R); }

void TWinControl::WMWindowPosChanged(TMessage& Message) {
  const auto* pos = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
  if (!IsIconic(handle_)) {
    TRect r = BoundsRect();
    if (!(pos->flags & SWP_NOMOVE)) r = Bounds(pos->x, pos->y, r.Width(), r.Height());
    if (!(pos->flags & SWP_NOSIZE)) r = Bounds(r.left, r.top, pos->cx, pos->cy);
    UpdateBoundsRect(r);
  }
  DefaultHandler(Message);
}

void TWinControl::WMSize(TMessage& Message) {
  DefaultHandler(Message);
  if (Message.WParam == SIZE_MINIMIZED) return;
  AlignChildren();
  Resize();
}

void TWinControl::WMMove(TMessage& Message) { DefaultHandler(Message); }

void TWinControl::AlignControl(TControl* AControl) {
  (void)AControl;
  AlignChildren();
}

void TWinControl::AlignChildren() {
  if (alignLevel_ > 0 || ControlState.Contains(csAligning) || ComponentState().Contains(csLoading) ||
      ComponentState().Contains(csDestroying)) {
    ControlState.Include(csAlignmentNeeded);
    return;
  }
  ControlState.Include(csAligning);
  try {
    TRect rect = GetClientRect();
    AlignControls(nullptr, rect);
  } catch (...) {
    ControlState.Exclude(csAligning);
    throw;
  }
  ControlState.Exclude(csAligning);
  ControlState.Exclude(csAlignmentNeeded);
}

void TWinControl::DisableAlign() { ++alignLevel_; }

void TWinControl::EnableAlign() {
  if (--alignLevel_ == 0 && ControlState.Contains(csAlignmentNeeded)) Realign();
}

void TWinControl::Realign() { AlignChildren(); }

void TWinControl::AdjustClientRect(TRect&) {}

void TWinControl::AlignPosition(TControl* AControl, int& NewLeft, int& NewTop, int& NewWidth, int& NewHeight,
                                TRect& AlignRect) {
  if (OnAlignPosition) OnAlignPosition(this, AControl, NewLeft, NewTop, NewWidth, NewHeight, AlignRect);
}

void TWinControl::AlignControls(TControl*, TRect& Rect) {
  const TRect client = GetClientRect();
  AdjustClientRect(Rect);
  static constexpr TAlign kOrder[] = {alTop, alBottom, alLeft, alRight, alClient, alCustom};
  std::vector<TControl*> group;
  for (TAlign align : kOrder) {
    group.clear();
    for (TControl* c : controls_) {
      if (c->Align() == align && c->Visible()) group.push_back(c);
    }
    // Controls of one side are stacked in the order of their positions.
    auto key = [align](TControl* c) {
      switch (align) {
        case alTop: return c->Top();
        case alBottom: return -(c->Top() + c->Height());
        case alLeft: return c->Left();
        case alRight: return -(c->Left() + c->Width());
        default: return 0;
      }
    };
    std::stable_sort(group.begin(), group.end(), [&](TControl* a, TControl* b) { return key(a) < key(b); });
    for (TControl* c : group) {
      int l = c->Left(), t = c->Top(), w = c->Width(), h = c->Height();
      switch (align) {
        case alTop: l = Rect.left; t = Rect.top; w = Rect.Width(); Rect.top += h; break;
        case alBottom: l = Rect.left; t = Rect.bottom - h; w = Rect.Width(); Rect.bottom -= h; break;
        case alLeft: l = Rect.left; t = Rect.top; h = Rect.Height(); Rect.left += w; break;
        case alRight: l = Rect.right - w; t = Rect.top; h = Rect.Height(); Rect.right -= w; break;
        case alClient: l = Rect.left; t = Rect.top; w = Rect.Width(); h = Rect.Height(); break;
        case alCustom: AlignPosition(c, l, t, w, h, Rect); break;
        default: break;
      }
      c->SetBounds(l, t, std::max(0, w), std::max(0, h));
      // A constrained size still takes only its own space.
      if (align == alTop) Rect.top += c->Height() - h;
      if (align == alBottom) Rect.bottom -= c->Height() - h;
      if (align == alLeft) Rect.left += c->Width() - w;
      if (align == alRight) Rect.right -= c->Width() - w;
    }
  }
  for (TControl* c : controls_) {
    if (c->Align() != alNone || !c->anchorsSet_) continue;
    const TAnchors anchors = c->Anchors();
    int l = c->Left(), t = c->Top(), w = c->Width(), h = c->Height();
    if (anchors.Contains(akRight)) {
      if (anchors.Contains(akLeft)) w = client.Width() - l - c->anchorRight_;
      else l = client.Width() - w - c->anchorRight_;
    }
    if (anchors.Contains(akBottom)) {
      if (anchors.Contains(akTop)) h = client.Height() - t - c->anchorBottom_;
      else t = client.Height() - h - c->anchorBottom_;
    }
    c->SetBounds(l, t, std::max(0, w), std::max(0, h));
  }
}

// ---- Visibility and state messages ---------------------------------------------------------------

void TWinControl::CMVisibleChanged(TMessage&) {
  if (!handle_) return;
  SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                   (Visible() ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TWinControl::CMShowingChanged(TMessage& Message) { CMVisibleChanged(Message); }

void TWinControl::UpdateShowing() {}

void TWinControl::UpdateControlState() {}

void TWinControl::CMEnabledChanged(TMessage&) {
  if (!Enabled() && handle_ && Focused()) {
    if (TCustomForm* form = GetParentForm(this)) form->SelectNext(this, true, true);
  }
  if (handle_) EnableWindow(handle_, Enabled());
}

void TWinControl::CMColorChanged(TMessage&) {
  ResetBackgroundBrush();
  NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMFontChanged(TMessage&) {
  if (handle_) {
    TMessage setFont{WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), FALSE, 0};
    DefaultHandler(setFont);
  }
  NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::FontChanged() { TControl::FontChanged(); }

void TWinControl::CMShowHintChanged(TMessage&) { NotifyControls(CM_PARENTSHOWHINTCHANGED); }

void TWinControl::CMBiDiModeChanged(TMessage&) { NotifyControls(CM_PARENTBIDIMODECHANGED); }

void TWinControl::CMSysColorChange(TMessage& Message) {
  ResetBackgroundBrush();
  Invalidate();
  Broadcast(Message);
  Message.Result = 0;
}

void TWinControl::CMThemeChanged(TMessage& Message) {
  Invalidate();
  Broadcast(Message);
  Message.Result = 0;
}

void TWinControl::WMSysColorChange(TMessage& Message) {
  DefaultHandler(Message);
  Perform(CM_SYSCOLORCHANGE);
}

void TWinControl::WMThemeChanged(TMessage& Message) {
  // Controls hear of the change from the theme state (CM_THEMECHANGED), once it is up to date.
  DefaultHandler(Message);
}

void TWinControl::SetParentBackground(bool Value) {
  if (parentBackground_ == Value) return;
  parentBackground_ = Value;
  if (Value) ControlStyle.Include(csParentBackground);
  else ControlStyle.Exclude(csParentBackground);
  ResetBackgroundBrush();
  Invalidate();
}

void TWinControl::SetZOrderPosition(int Position) {
  TControl::SetZOrderPosition(Position);
  if (!handle_) return;
  // Window controls keep the same order among the windows of the parent.
  const auto& list = Parent() ? Parent()->controls_ : controls_;
  HWND after = HWND_TOP;
  for (auto it = list.rbegin(); it != list.rend(); ++it) {
    if (*it == this) break;
    if (auto* win = dynamic_cast<TWinControl*>(*it); win && win->handle_) after = win->handle_;
  }
  SetWindowPos(handle_, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// ---- Painting ------------------------------------------------------------------------------------

void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, !ControlStyle.Contains(csOpaque));
}

void TWinControl::Update() {
  if (handle_) UpdateWindow(handle_);
}

void TWinControl::Repaint() {
  Invalidate();
  Update();
}

void TWinControl::ResetBackgroundBrush() {
  if (backgroundBrush_) DeleteObject(backgroundBrush_);
  backgroundBrush_ = nullptr;
}

void TWinControl::ApplyParentBackgroundFill(HDC DC) {
  const TColor color = parentBackground_ && Parent() ? Parent()->Color() : Color();
  if (!backgroundBrush_ || backgroundBrushColor_ != color) {
    ResetBackgroundBrush();
    backgroundBrush_ = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(color)));
    backgroundBrushColor_ = color;
  }
  const RECT client = GetClientRect();
  FillRect(DC, &client, backgroundBrush_);
}

void TWinControl::WMEraseBkgnd(TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  const bool fromBuffer = Message.LParam == static_cast<LPARAM>(Message.WParam);
  if (ControlStyle.Contains(csOpaque) || (DoubleBuffered && !fromBuffer) || !dc) {
    Message.Result = 1;
    return;
  }
  if (!defWndProc_ || defWndProc_ == &DefWindowProcW) {
    ApplyParentBackgroundFill(dc);
    Message.Result = 1;
    return;
  }
  DefaultHandler(Message);
}

HDC TWinControl::BufferDC(int width, int height) {
  if (!bufferDC_ || width > bufferWidth_ || height > bufferHeight_) {
    FreeBuffer();
    HDC screen = GetDC(nullptr);
    bufferDC_ = CreateCompatibleDC(screen);
    bufferWidth_ = std::max(width, 1);
    bufferHeight_ = std::max(height, 1);
    bufferBitmap_ = CreateCompatibleBitmap(screen, bufferWidth_, bufferHeight_);
    ReleaseDC(nullptr, screen);
    bufferOldBitmap_ = SelectObject(bufferDC_, bufferBitmap_);
  }
  return bufferDC_;
}

void TWinControl::FreeBuffer() {
  if (!bufferDC_) return;
  SelectObject(bufferDC_, bufferOldBitmap_);
  DeleteObject(bufferBitmap_);
  DeleteDC(bufferDC_);
  bufferDC_ = nullptr;
  bufferBitmap_ = nullptr;
  bufferWidth_ = bufferHeight_ = 0;
}

void TWinControl::WMPaint(TMessage& Message) {
  HDC given = reinterpret_cast<HDC>(Message.WParam);
  if (given) {
    PaintHandler(given);
    return;
  }
  bool graphicChildren = false;
  for (TControl* c : controls_) graphicChildren |= !dynamic_cast<TWinControl*>(c) && c->Visible();
  if (!DoubleBuffered && !graphicChildren && !ControlState.Contains(csCustomPaint)) {
    DefaultHandler(Message);
    return;
  }
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(handle_, &ps);
  if (DoubleBuffered) {
    const TRect client = GetClientRect();
    HDC buffer = BufferDC(client.Width(), client.Height());
    const int saved = SaveDC(buffer);
    IntersectClipRect(buffer, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right, ps.rcPaint.bottom);
    Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(buffer), reinterpret_cast<LPARAM>(buffer));
    PaintHandler(buffer);
    RestoreDC(buffer, saved);
    BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
           ps.rcPaint.bottom - ps.rcPaint.top, buffer, ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
  } else {
    PaintHandler(dc);
  }
  EndPaint(handle_, &ps);
}

void TWinControl::WMPrintClient(TMessage& Message) {
  ControlState.Include(csPrintClient);
  try {
    Perform(WM_ERASEBKGND, Message.WParam, Message.WParam);
    PaintHandler(reinterpret_cast<HDC>(Message.WParam));
  } catch (...) {
    ControlState.Exclude(csPrintClient);
    throw;
  }
  ControlState.Exclude(csPrintClient);
}

void TWinControl::PaintHandler(HDC DC) {
  const int saved = SaveDC(DC);
  PaintWindow(DC);
  RestoreDC(DC, saved);
  PaintControls(DC, nullptr);
}

void TWinControl::PaintWindow(HDC DC) {
  if (!defWndProc_ || defWndProc_ == &DefWindowProcW) return;
  TMessage paint{WM_PAINT, reinterpret_cast<WPARAM>(DC), 0, 0};
  DefaultHandler(paint);
}

void TWinControl::PaintControls(HDC DC, TControl* First) {
  auto it = First ? std::find(controls_.begin(), controls_.end(), First) : controls_.begin();
  POINT origin;
  GetViewportOrgEx(DC, &origin);
  for (; it != controls_.end(); ++it) {
    TControl* c = *it;
    if (dynamic_cast<TWinControl*>(c) || !c->Visible()) continue;
    const RECT r = c->BoundsRect();
    if (!RectVisible(DC, &r)) continue;
    const int saved = SaveDC(DC);
    SetViewportOrgEx(DC, origin.x + c->Left(), origin.y + c->Top(), nullptr);
    IntersectClipRect(DC, 0, 0, c->Width(), c->Height());
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    RestoreDC(DC, saved);
  }
}

void TWinControl::PaintTo(HDC DC, int X, int Y) {
  const int saved = SaveDC(DC);
  POINT origin;
  GetViewportOrgEx(DC, &origin);
  SetViewportOrgEx(DC, origin.x + X, origin.y + Y, nullptr);
  IntersectClipRect(DC, 0, 0, Width(), Height());
  Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), reinterpret_cast<LPARAM>(DC));
  PaintHandler(DC);
  for (TControl* c : controls_) {
    if (auto* win = dynamic_cast<TWinControl*>(c); win && win->Visible()) win->PaintTo(DC, win->Left(), win->Top());
  }
  RestoreDC(DC, saved);
}
