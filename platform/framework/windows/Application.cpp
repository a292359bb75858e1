#include <algorithm>

#include "platform/framework/windows/ActnList.h"
#include "platform/framework/windows/AppEvnts.h"
#include "platform/framework/windows/CursorResources.h"
#include "platform/framework/rtl/DateUtils.h"
#include "platform/framework/windows/Forms.h"
#include "platform/framework/windows/HintWindow.h"
#include "platform/framework/rtl/Seams.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/classes/Thread.h"
#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/base/Utf8.h"

DEFINE_CLASS(TApplication)
DEFINE_CLASS(TScreen)

TApplication* Application = nullptr;
TScreen* Screen = nullptr;

TControlsLayerServices& ControlsLayerServices() {
  static TControlsLayerServices services;
  return services;
}
TMouse* Mouse = nullptr;

namespace {

const wchar_t kApplicationClass[] = L"TApplication";
constexpr UINT_PTR kHintTimer = 1;
// How often the pending hint deadline is compared with the clock. The system timer only wakes the
// check; the clock decides, so a replaced clock moves hints exactly.
constexpr UINT kHintPollInterval = 20;

UINT WakeMessage() {
  static const UINT message = RegisterWindowMessageW(L"FrameworkWakeMainThread");
  return message;
}

void WakeMainThread() {
  if (Application && Application->Handle()) PostMessageW(Application->Handle(), WakeMessage(), 0, 0);
}

void ApplicationExceptionSink(const std::exception_ptr& error) {
  if (Application) Application->HandleException(nullptr, error);
}

String ModuleTitle() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  String title = path;
  if (auto slash = title.find_last_of(L"\\/"); slash != String::npos) title.erase(0, slash + 1);
  if (auto dot = title.find_last_of(L'.'); dot != String::npos) title.erase(dot);
  return title;
}

// The application, screen and mouse exist from start-up, as every form relies on them.
struct FormsGlobals {
  FormsGlobals() {
    Mouse = new TMouse;
    Screen = new TScreen(nullptr);
    Application = new TApplication(nullptr);
  }
} g_formsGlobals;

}  // namespace

void DoneApplication() {
  if (!Application) return;
  Application->Destroying();
  Application->DestroyComponents();
  FinalizeUnits();
}

// ---- TApplication --------------------------------------------------------------------------------

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner), title_(ModuleTitle()) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &AppWindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kApplicationClass;
  RegisterClassExW(&wc);
  handle_ = CreateWindowExW(WS_EX_TOOLWINDOW, kApplicationClass, title_.c_str(),
                            WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0,
                            nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  HintWindowClass = &THintWindow::ClassInfo();
  SetExceptionSink(&ApplicationExceptionSink);
  SetWakeMainThread(&WakeMainThread);
}

TApplication::~TApplication() {
  CancelHint();
  DestroyComponents();
  if (handle_) {
    SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
    DestroyWindow(handle_);
  }
  if (Application == this) Application = nullptr;
}

LRESULT CALLBACK TApplication::AppWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* app = reinterpret_cast<TApplication*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!app) return DefWindowProcW(window, msg, wParam, lParam);
  TMessage message{msg, wParam, lParam, 0};
  return Guarded(LRESULT{0}, [&] {
    app->WndProc(message);
    return message.Result;
  });
}

void TApplication::WndProc(TMessage& Message) {
  for (std::size_t i = windowHooks_.size(); i-- > 0;) {
    if (i < windowHooks_.size() && windowHooks_[i](Message)) return;
  }
  if (Message.Msg == WakeMessage()) {
    CheckSynchronize();
    return;
  }
  switch (Message.Msg) {
    case CM_RELEASE:
      if (auto* form = reinterpret_cast<TCustomForm*>(Message.LParam)) form->Free();
      return;
    case WM_TIMER:
      if (Message.WParam == kHintTimer) {
        CheckHintTimer();
        return;
      }
      break;
    case WM_ACTIVATEAPP:
      active_ = Message.WParam != 0;
      if (active_ && OnActivate) OnActivate(this);
      if (!active_) {
        CancelHint();
        if (OnDeactivate) OnDeactivate(this);
      }
      break;
    case WM_SETTINGCHANGE:
      if (Screen) Screen->UpdateSystemFonts();
      break;
    case WM_CLOSE:
      if (mainForm_) mainForm_->Close();
      return;
    default:
      break;
  }
  Message.Result = DefWindowProcW(handle_, Message.Msg, Message.WParam, Message.LParam);
}

void TApplication::HookMainWindow(const TWindowHook& Hook) { windowHooks_.push_back(Hook); }

void TApplication::UnhookMainWindow(const TWindowHook& Hook) {
  auto it = std::find(windowHooks_.rbegin(), windowHooks_.rend(), Hook);
  if (it != windowHooks_.rend()) windowHooks_.erase(std::next(it).base());
}

void TApplication::Initialize() {
  InitializeUnits();
  RunInitProcs();
}

void TApplication::FormCreated(TCustomForm* Form) {
  if (!mainForm_) mainForm_ = Form;
  Form->DoCreate();
}

void TApplication::CreateForm(TFormClass FormClass, TCustomForm*& Reference) {
  auto* form = dynamic_cast<TCustomForm*>(FormClass->Create(this));
  if (!form) throw EInvalidCast(L"Invalid class typecast");
  Reference = form;
  FormCreated(form);
}

void TApplication::Run() {
  running_ = true;
  if (mainForm_ && ShowMainForm) mainForm_->Show();
  while (!terminated_) HandleMessage();
  running_ = false;
}

void TApplication::Terminate() { PostQuitMessage(0); }

void TApplication::SetTitle(const String& Value) {
  title_ = Value;
  SetWindowTextW(handle_, Value.c_str());
}

void TApplication::SetIcon(HICON Value) {
  icon_ = Value;
  SendMessageW(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Value));
}

void TApplication::Minimize() {
  if (mainForm_ && mainForm_->HandleAllocated()) ShowWindow(mainForm_->Handle(), SW_MINIMIZE);
  if (OnMinimize) OnMinimize(this);
}

void TApplication::Restore() {
  if (mainForm_ && mainForm_->HandleAllocated()) ShowWindow(mainForm_->Handle(), SW_RESTORE);
  if (OnRestore) OnRestore(this);
}

void TApplication::BringToFront() {
  if (mainForm_ && mainForm_->HandleAllocated()) SetForegroundWindow(mainForm_->Handle());
}

// ---- Message loop --------------------------------------------------------------------------------

bool TApplication::ProcessMessage(MSG& Msg) {
  if (!PeekMessageW(&Msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (Msg.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  bool handled = false;
  if (OnMessage) OnMessage(Msg, handled);
  if (!handled) handled = DispatchApplicationEventsMessage(Msg);
  if (!handled && !IsHintMsg(Msg) && !IsMDIMsg(Msg) && !IsKeyMsg(Msg)) {
    TranslateMessage(&Msg);
    DispatchMessageW(&Msg);
  }
  return true;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (ProcessMessage(msg)) {
  }
}

void TApplication::HandleMessage() {
  MSG msg;
  if (!ProcessMessage(msg)) {
    Idle(msg);
    if (!terminated_) WaitMessage();
  }
}

void TApplication::Idle(const MSG&) {
  DoMouseIdle();
  Guarded([] { UpdateActionsAtIdle(); });
  bool done = true;
  if (OnIdle) Guarded([&] { OnIdle(this, done); });
  CheckSynchronize();
}

bool TApplication::IsMDIMsg(MSG& Msg) {
  if (Msg.message != WM_KEYDOWN && Msg.message != WM_SYSKEYDOWN) return false;
  HWND top = Msg.hwnd ? GetAncestor(Msg.hwnd, GA_ROOT) : nullptr;
  auto* frame = dynamic_cast<TCustomForm*>(FindControl(top));
  if (!frame || frame->FormStyle() != fsMDIForm || !frame->ClientHandle()) return false;
  // Ctrl+F4, Ctrl+F6 and the child's system-menu keys go to the active child as system commands.
  return TranslateMDISysAccel(frame->ClientHandle(), &Msg) != FALSE;
}

bool TApplication::IsKeyMsg(MSG& Msg) {
  if (Msg.message < WM_KEYFIRST || Msg.message > WM_KEYLAST) return false;
  if (Msg.message == WM_KEYDOWN && Msg.wParam == VK_ESCAPE && CurrentDragObject()) {
    CancelDrag();
    return true;
  }
  HWND window = GetCapture();
  if (!window) window = Msg.hwnd;
  TWinControl* control = nullptr;
  for (HWND h = window; h && !control; h = GetParent(h)) control = FindControl(h);
  if (!control || !control->HandleAllocated()) return false;
  return SendMessageW(control->Handle(), CN_BASE + Msg.message, Msg.wParam, Msg.lParam) != 0;
}

// ---- Exceptions and boxes ------------------------------------------------------------------------

void TApplication::HandleException(TObject* Sender) {
  HandleException(Sender, std::current_exception());
}

void TApplication::HandleException(TObject* Sender, const std::exception_ptr& Error) {
  if (!Error) return;
  if (HWND capture = GetCapture()) SendMessageW(capture, WM_CANCELMODE, 0, 0);
  const ExceptionInfo info = DescribeException(Error);
  if (info.IsAbort) return;
  try {
    std::rethrow_exception(Error);
  } catch (const Exception& e) {
    if (OnException) OnException(Sender, e);
    else ShowException(e);
  } catch (...) {
    struct Described : Exception {
      Described(String message, String className) : Exception(std::move(message)), name(std::move(className)) {}
      const wchar_t* ClassName() const override { return name.c_str(); }
      String name;
    } wrapped(info.Message, info.ClassName);
    if (OnException) OnException(Sender, wrapped);
    else ShowException(wrapped);
  }
}

void TApplication::ShowException(const Exception& E) {
  const String text = E.Message().empty() ? String(E.ClassName()) : E.Message();
  MessageBox(text, title_, MB_OK | MB_ICONERROR);
}

int TApplication::MessageBox(const String& Text, const String& Caption, UINT Flags) {
  HWND owner = GetActiveWindow();
  if (!owner && mainForm_ && mainForm_->HandleAllocated()) owner = mainForm_->Handle();
  return ShowSystemMessageBox(owner, Text, Caption, Flags);
}

bool TApplication::HelpCommand(Word Command, NativeInt Data) {
  bool callHelp = true;
  if (OnHelp) return OnHelp(Command, Data, callHelp);
  return false;
}

bool TApplication::HelpContext(int Context) { return HelpCommand(HELP_CONTEXT, Context); }

// ---- Mouse tracking and hints --------------------------------------------------------------------

void TApplication::NoteMouseMessage(TControl* Control, const TMessage& Message) {
  if (Message.Msg == WM_MOUSEMOVE) {
    TControl* target = Control;
    if (auto* win = dynamic_cast<TWinControl*>(Control)) {
      if (TControl* child = win->ControlAtPos(TPoint(Message.XPos(), Message.YPos()), true)) target = child;
    }
    SetMouseControl(target);
    return;
  }
  if (Message.Msg != WM_MOUSEMOVE) CancelHint();
}

void TApplication::DoMouseIdle() {
  POINT pos;
  if (!GetCursorPos(&pos)) return;
  TControl* target = FindDragTarget(pos, true);
  if (target || mouseControl_) SetMouseControl(target);
}

void TApplication::SetMouseControl(TControl* Control) {
  if (Control == mouseControl_) return;
  TControl* old = mouseControl_;
  mouseControl_ = Control;
  if (old) old->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(old));
  if (mouseControl_ != Control) return;
  if (Control) Control->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(Control));
  if (mouseControl_ != Control) return;
  SetHint(Control ? GetLongHint(Control->Hint()) : String());
  const bool wasShowing = hintActive_;
  HideHint();
  StopHintTimer();
  if (Control && showHint_ && Control->ShowHint() && !GetShortHint(Control->Hint()).empty()) {
    StartHintTimer(wasShowing ? HintShortPause : HintPause);
  }
}

void TApplication::SetHint(const String& Value) {
  if (hint_ == Value) return;
  hint_ = Value;
  if (OnHint) OnHint(this);
  else Guarded([this] { ExecuteHintAction(hint_); });
}

void TApplication::SetShowHint(bool Value) {
  showHint_ = Value;
  if (!Value) CancelHint();
}

void TApplication::ControlDestroyed(TControl* Control) {
  if (mouseControl_ == Control) mouseControl_ = nullptr;
  if (hintControl_ == Control) CancelHint();
  if (mainForm_ == Control) mainForm_ = nullptr;
  if (hintWindow_ == Control) hintWindow_ = nullptr;
}

void TApplication::StartHintTimer(int Delay) {
  hintDeadline_ = TickCount() + static_cast<UInt64>(std::max(Delay, 0));
  hintWaiting_ = true;
  hintTimer_ = SetTimer(handle_, kHintTimer, kHintPollInterval, nullptr);
}

void TApplication::StopHintTimer() {
  if (hintTimer_) KillTimer(handle_, kHintTimer);
  hintTimer_ = 0;
  hintWaiting_ = false;
}

void TApplication::CheckHintTimer() {
  if (hintWaiting_ && TickCount() >= hintDeadline_) HintTimerExpired();
}

void TApplication::HintTimerExpired() {
  StopHintTimer();
  if (hintActive_) {
    HideHint();
    return;
  }
  POINT pos;
  GetCursorPos(&pos);
  ActivateHint(pos);
}

void TApplication::ActivateHint(const TPoint& CursorPos) {
  TControl* control = mouseControl_;
  while (control && GetShortHint(control->Hint()).empty()) control = control->Parent();
  if (!control || !control->ShowHint()) return;
  THintInfo info;
  info.HintControl = control;
  info.HintWindowClass = HintWindowClass;
  info.HintPos = {CursorPos.x, CursorPos.y + GetSystemMetrics(SM_CYCURSOR) / 2 + 4};
  info.HintMaxWidth = Screen->Width();
  info.HintColor = HintColor;
  info.CursorRect = control->ClientRect();
  try {
    info.CursorPos = control->ScreenToClient(CursorPos);
  } catch (const EInvalidOperation&) {
    info.CursorPos = CursorPos;
  }
  info.HideTimeout = HintHidePause;
  info.HintStr = GetShortHint(control->Hint());
  const std::weak_ptr<void> alive = control->LifeToken();
  bool canShow = control->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) == 0;
  if (alive.expired()) return;
  if (canShow && OnShowHint) OnShowHint(info.HintStr, canShow, info);
  if (!canShow || info.HintStr.empty()) return;
  if (hintWindow_ && hintWindow_->ClassType() != info.HintWindowClass) {
    hintWindow_->Free();
    hintWindow_ = nullptr;
  }
  if (!hintWindow_) {
    THintWindowClass cls = info.HintWindowClass ? info.HintWindowClass : &THintWindow::ClassInfo();
    hintWindow_ = dynamic_cast<THintWindow*>(cls->Create(this));
    if (!hintWindow_) return;
  }
  hintWindow_->SetColor(info.HintColor);
  TRect rect = hintWindow_->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
  rect = Bounds(info.HintPos.x, info.HintPos.y, rect.Width(), rect.Height());
  hintWindow_->ActivateHintData(rect, info.HintStr, info.HintData);
  hintControl_ = control;
  hintActive_ = true;
  if (info.HideTimeout > 0) StartHintTimer(info.HideTimeout);
}

void TApplication::HideHint() {
  if (hintWindow_) hintWindow_->Hide();
  hintActive_ = false;
}

void TApplication::CancelHint() {
  StopHintTimer();
  HideHint();
  hintControl_ = nullptr;
}

bool TApplication::IsHintMsg(const MSG& Msg) {
  if (!hintActive_) return false;
  switch (Msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_ACTIVATE:
      CancelHint();
      break;
    default:
      break;
  }
  return false;
}

// ---- TScreen -------------------------------------------------------------------------------------

TScreen::TScreen(TComponent* AOwner)
    : TComponent(AOwner),
      hintFont_(std::make_unique<TFont>()),
      menuFont_(std::make_unique<TFont>()),
      iconFont_(std::make_unique<TFont>()) {
  UpdateSystemFonts();
}

TScreen::~TScreen() = default;

void TScreen::UpdateSystemFonts() {
  const NONCLIENTMETRICSW metrics = GetNonClientMetrics();
  auto adopt = [](TFont& font, const LOGFONTW& logFont) {
    if (logFont.lfFaceName[0] == 0) return;
    if (HFONT handle = CreateFontIndirectW(&logFont)) font.SetHandle(handle);
  };
  adopt(*hintFont_, metrics.lfStatusFont);
  adopt(*menuFont_, metrics.lfMenuFont);
  LOGFONTW iconFont{};
  if (Bound().SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof iconFont, &iconFont, 0)) adopt(*iconFont_, iconFont);
}

int TScreen::Width() const { return Bound().GetSystemMetrics(SM_CXSCREEN); }
int TScreen::Height() const { return Bound().GetSystemMetrics(SM_CYSCREEN); }

TRect TScreen::DesktopRect() const {
  const int x = Bound().GetSystemMetrics(SM_XVIRTUALSCREEN), y = Bound().GetSystemMetrics(SM_YVIRTUALSCREEN);
  return Bounds(x, y, Bound().GetSystemMetrics(SM_CXVIRTUALSCREEN), Bound().GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

TRect TScreen::WorkAreaRect() const { return GetWorkArea(); }

TRect TScreen::WorkAreaRectAt(const TPoint& Point) const {
  auto fromPoint = Bound().MonitorFromPoint.Get();
  auto info = Bound().GetMonitorInfoW.Get();
  if (!fromPoint || !info) return WorkAreaRect();
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  if (!info(fromPoint(Point, MONITOR_DEFAULTTONEAREST), &mi)) return WorkAreaRect();
  return mi.rcWork;
}

TRect TScreen::WorkAreaRectOf(HWND Window) const {
  auto fromWindow = Bound().MonitorFromWindow.Get();
  auto info = Bound().GetMonitorInfoW.Get();
  if (!fromWindow || !info) return WorkAreaRect();
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  if (!info(fromWindow(Window, MONITOR_DEFAULTTONEAREST), &mi)) return WorkAreaRect();
  return mi.rcWork;
}

int TScreen::PixelsPerInch() const { return ScreenPixelsPerInch(); }

namespace {

int CALLBACK AddFontFamily(const LOGFONTW* logFont, const TEXTMETRICW*, DWORD, LPARAM data) {
  return Guarded(0, [&] {
    auto* list = reinterpret_cast<TStringList*>(data);
    // Vertical variants ("@Name") are not families of their own.
    if (logFont->lfFaceName[0] != L'@') list->Add(logFont->lfFaceName);
    return 1;
  });
}

}  // namespace

TStrings* TScreen::Fonts() {
  if (!fonts_) {
    fonts_ = std::make_unique<TStringList>();
    fonts_->SetSorted(true);
    fonts_->SetDuplicates(dupIgnore);
    HDC dc = GetDC(nullptr);
    LOGFONTW filter{};
    filter.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(dc, &filter, &AddFontFamily, reinterpret_cast<LPARAM>(fonts_.get()), 0);
    ReleaseDC(nullptr, dc);
  }
  return fonts_.get();
}

HCURSOR TScreen::Cursors(TCursor Index) const {
  for (const auto& [id, handle] : cursors_) {
    if (id == Index) return handle;
  }
  auto own = [](int id, const wchar_t* fallback) {
    HCURSOR cursor = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id));
    return cursor ? cursor : LoadCursorW(nullptr, fallback);
  };
  const wchar_t* system = IDC_ARROW;
  switch (Index) {
    case crNone: return nullptr;
    case crDrag: case crMultiDrag: return own(FRAMEWORK_CURSOR_DRAG, IDC_ARROW);
    case crNoDrop: return own(FRAMEWORK_CURSOR_NODROP, IDC_NO);
    case crCross: system = IDC_CROSS; break;
    case crIBeam: system = IDC_IBEAM; break;
    case crSizeNESW: system = IDC_SIZENESW; break;
    case crSizeNS: case crVSplit: system = IDC_SIZENS; break;
    case crSizeNWSE: system = IDC_SIZENWSE; break;
    case crSizeWE: case crHSplit: system = IDC_SIZEWE; break;
    case crUpArrow: system = IDC_UPARROW; break;
    case crHourGlass: case crSQLWait: system = IDC_WAIT; break;
    case crNo: system = IDC_NO; break;
    case crAppStart: system = IDC_APPSTARTING; break;
    case crHelp: system = IDC_HELP; break;
    case crHandPoint: system = IDC_HAND; break;
    case crSizeAll: system = IDC_SIZEALL; break;
    default: break;
  }
  return LoadCursorW(nullptr, system);
}

void TScreen::SetCursors(TCursor Index, HCURSOR Handle) {
  for (auto& entry : cursors_) {
    if (entry.first == Index) {
      entry.second = Handle;
      return;
    }
  }
  cursors_.emplace_back(Index, Handle);
}

void TScreen::SetCursor(TCursor Value) {
  if (cursor_ == Value) return;
  cursor_ = Value;
  if (Value != crDefault) {
    ::SetCursor(Cursors(Value));
    return;
  }
  // Back to the control's own cursor: ask the window under the mouse.
  POINT pos;
  GetCursorPos(&pos);
  if (HWND window = WindowFromPoint(pos)) {
    SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                 MAKELPARAM(SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(pos.x, pos.y)), WM_MOUSEMOVE));
  }
}

void TScreen::AddForm(TCustomForm* Form) { forms_.push_back(Form); }

void TScreen::RemoveForm(TCustomForm* Form) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), Form), forms_.end());
  if (activeForm_ == Form) activeForm_ = nullptr;
  if (focusedForm_ == Form) focusedForm_ = nullptr;
  if (activeControl_ && GetParentForm(activeControl_) == Form) activeControl_ = nullptr;
}

// ---- TMouse --------------------------------------------------------------------------------------

TPoint TMouse::CursorPos() const {
  POINT p{};
  GetCursorPos(&p);
  return p;
}

void TMouse::SetCursorPos(const TPoint& Value) { ::SetCursorPos(Value.x, Value.y); }

void TMouse::SetCapture(HWND Value) {
  if (Value) ::SetCapture(Value);
  else ReleaseCapture();
}

int TMouse::WheelScrollLines() const {
  UINT lines = 3;
  Bound().SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  return static_cast<int>(lines);
}
