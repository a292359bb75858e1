#include "net/IcsWndControl.h"

#include <atomic>
#include <mutex>
#include <set>

#include "net/IcsTimer.h"
#include "platform/framework/windows/Forms.h"
#include "platform/framework/rtl/SysUtils.h"

DEFINE_CLASS(TIcsWndHandler)
DEFINE_CLASS(TIcsWndHandlerList)
DEFINE_CLASS(TIcsWndHandlerPool)
DEFINE_CLASS(TIcsWndControl)

namespace {

const wchar_t kWindowClass[] = L"IcsWndControlWindowClass";

// Guards the class registration and the window count.
TCriticalSection& WindowClassLock() {
  static TCriticalSection lock;
  return lock;
}
int windowCount = 0;
bool classRegistered = false;

// Handler objects alive now; the window procedure uses nothing else.
std::mutex registryLock;
std::set<const TIcsWndHandler*>& LiveHandlers() {
  static std::set<const TIcsWndHandler*> handlers;
  return handlers;
}

bool IsLiveHandler(const TIcsWndHandler* handler, HWND window) {
  std::lock_guard<std::mutex> guard(registryLock);
  return LiveHandlers().count(handler) != 0 && handler->Handle() == window;
}

std::atomic<LPARAM> lastGeneration{0};

LPARAM NextGeneration() {
  LPARAM generation;
  do {
    generation = ++lastGeneration;
  } while (generation == 0);
  return generation;
}

HINSTANCE ModuleInstance() { return GetModuleHandleW(nullptr); }

LRESULT CALLBACK HandlerWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  return Guarded<LRESULT>(0, [&]() -> LRESULT {
    auto* handler = reinterpret_cast<TIcsWndHandler*>(GetWindowLongPtrW(window, 0));
    if (!handler || !IsLiveHandler(handler, window)) return DefWindowProcW(window, msg, wParam, lParam);
    TIcsMessage message{msg, wParam, lParam, 0};
    handler->RouteMessage(message);
    return message.Result;
  });
}

[[noreturn]] void RaiseWindowError(const String& text) {
  throw EIcsException(text + IntToStr(static_cast<Int64>(GetLastError())) + L".");
}

}  // namespace

TIcsWndHandlerPool& HandlerPool() {
  static TIcsWndHandlerPool pool;
  return pool;
}

int HandlerWindowCount() {
  WindowClassLock().Acquire();
  int count = windowCount;
  WindowClassLock().Release();
  return count;
}

bool IcsWindowClassRegistered() {
  WNDCLASSW info;
  return GetClassInfoW(ModuleInstance(), kWindowClass, &info) != 0;
}

// ---- TIcsWndHandler --------------------------------------------------------------------------

TIcsWndHandler::TIcsWndHandler(TIcsWndHandlerList* AList) : List(AList) {
  std::lock_guard<std::mutex> guard(registryLock);
  LiveHandlers().insert(this);
}

TIcsWndHandler::~TIcsWndHandler() {
  {
    std::lock_guard<std::mutex> guard(registryLock);
    LiveHandlers().erase(this);
  }
  DestroyHandlerWindow();
}

UINT TIcsWndHandler::AllocateMessageNumber(TIcsWndControl* Control) {
  if (MsgLow < WM_USER) throw EIcsException(L"MsgLow not defined");
  if (MsgCount >= kMessageCount) throw EIcsException(L"No more free message");
  int index = 0;
  while (MsgMap[index]) ++index;
  if (!Handle_) CreateHandlerWindow();
  MsgMap[index] = Control;
  ++MsgCount;
  return MsgLow + static_cast<UINT>(index);
}

void TIcsWndHandler::ReleaseMessageNumber(UINT& Msg) {
  if (Msg == 0) return;
  if (MsgLow < WM_USER) throw EIcsException(L"MsgLow not defined");
  if (Msg < MsgLow || Msg >= MsgLow + kMessageCount) throw EIcsException(L"Msg value out of bound");
  UINT index = Msg - MsgLow;
  if (!MsgMap[index]) throw EIcsException(L"Msg not registered");
  MsgMap[index] = nullptr;
  --MsgCount;
  Msg = 0;
  if (MsgCount == 0) DestroyHandlerWindow();
}

void TIcsWndHandler::CreateHandlerWindow() {
  if (Handle_) return;
  WindowClassLock().Acquire();
  try {
    WNDCLASSW info;
    if (!GetClassInfoW(ModuleInstance(), kWindowClass, &info)) {
      WNDCLASSW cls{};
      cls.lpfnWndProc = HandlerWindowProc;
      cls.cbWndExtra = sizeof(LONG_PTR);
      cls.hInstance = ModuleInstance();
      cls.lpszClassName = kWindowClass;
      if (!RegisterClassW(&cls))
        RaiseWindowError(L"Unable to register TIcsWndControl hidden window class. Error #");
      classRegistered = true;
    }
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, kWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  ModuleInstance(), nullptr);
    if (!window) RaiseWindowError(L"Unable to create TIcsWndControl hidden window.  Error #");
    SetWindowLongPtrW(window, 0, reinterpret_cast<LONG_PTR>(this));
    Handle_ = window;
    ++windowCount;
  } catch (...) {
    WindowClassLock().Release();
    throw;
  }
  WindowClassLock().Release();
}

void TIcsWndHandler::DestroyHandlerWindow() {
  if (!Handle_) return;
  for (TIcsWndControl*& entry : MsgMap) entry = nullptr;
  MsgCount = 0;
  HWND window = Handle_;
  SetWindowLongPtrW(window, 0, 0);
  Handle_ = nullptr;
  DestroyWindow(window);
  WindowClassLock().Acquire();
  if (--windowCount <= 0) {
    windowCount = 0;
    UnregisterClassW(kWindowClass, ModuleInstance());
    classRegistered = false;
  }
  WindowClassLock().Release();
}

void TIcsWndHandler::RouteMessage(TIcsMessage& Msg) {
  const HWND window = Handle_;
  try {
    if (Msg.Msg >= MsgLow && Msg.Msg < MsgLow + kMessageCount && MsgMap[Msg.Msg - MsgLow]) {
      MsgMap[Msg.Msg - MsgLow]->HandlePrivateMessage(Msg);
      return;
    }
    if (Msg.Msg == WM_TIMER && IsLiveIcsTimer(Msg.WParam)) {
      TIcsWndControl* control = reinterpret_cast<TIcsTimer*>(Msg.WParam)->Control();
      if (control && control->WindowHandle() == window) {
        control->HandlePrivateMessage(Msg);
        return;
      }
    }
    Msg.Result = DefWindowProcW(window, Msg.Msg, Msg.WParam, Msg.LParam);
  } catch (Exception&) {
    // Dropped: a framework exception that escaped a control's own handling.
  }
}

// ---- TIcsWndHandlerPool ----------------------------------------------------------------------

TIcsWndHandlerPool::~TIcsWndHandlerPool() {
  for (TIcsWndHandlerList* list : lists_) {
    for (int i = 0; i < list->Count(); ++i) delete list->Handlers(i);
    delete list;
  }
}

TIcsWndHandler* TIcsWndHandlerPool::HandlerFor(int Count, DWORD ThreadId) {
  TIcsWndHandlerList* list = nullptr;
  for (auto it = lists_.rbegin(); it != lists_.rend(); ++it)
    if ((*it)->ThreadId == ThreadId) {
      list = *it;
      break;
    }
  if (!list) {
    list = new TIcsWndHandlerList(ThreadId);
    lists_.push_back(list);
  }
  for (int i = 0; i < list->Count(); ++i)
    if (list->Handlers(i)->FreeCount() >= Count) return list->Handlers(i);
  auto* handler = new TIcsWndHandler(list);
  list->Add(handler);
  return handler;
}

void TIcsWndHandlerPool::ReleaseHandler(TIcsWndHandler*& Handler) {
  TIcsWndHandlerList* list = Handler->List;
  if (list && list->Remove(Handler) >= 0 && list->Count() == 0) {
    for (auto it = lists_.begin(); it != lists_.end(); ++it)
      if (*it == list) {
        lists_.erase(it);
        break;
      }
    delete list;
  }
  delete Handler;
  Handler = nullptr;
}

// ---- TIcsWndControl --------------------------------------------------------------------------

TIcsWndControl::TIcsWndControl(TComponent* AOwner) : TComponent(AOwner) {}

TIcsWndControl::~TIcsWndControl() {
  // Owned timers go first, while the window they tick on still exists.
  DestroyComponents();
  DisposeWindow(true);
}

HWND TIcsWndControl::Handle() {
  if (!WindowHandle_) AllocateWindow();
  return WindowHandle_;
}

void TIcsWndControl::AllocateWindow() {
  if (WindowHandle_) return;
  OwnerThreadId_ = GetCurrentThreadId();
  TIcsWndHandlerPool& pool = HandlerPool();
  pool.Lock();
  try {
    if (!handler_) handler_ = pool.HandlerFor(MessageCountNeeded(), OwnerThreadId_);
    handler_->CreateHandlerWindow();
    WindowHandle_ = handler_->Handle();
    generation_ = NextGeneration();
    AllocateMessages();
  } catch (...) {
    pool.Unlock();
    throw;
  }
  pool.Unlock();
}

void TIcsWndControl::DeallocateWindow() {
  if (!WindowHandle_) return;
  TIcsWndHandlerPool& pool = HandlerPool();
  pool.Lock();
  try {
    for (int i = 0; i < ComponentCount(); ++i)
      if (auto* timer = dynamic_cast<TIcsTimer*>(Components(i))) KillTimer(WindowHandle_, reinterpret_cast<UINT_PTR>(timer));
    FreeMessages();
    if (handler_ && handler_->MsgCount == 0) pool.ReleaseHandler(handler_);
  } catch (...) {
    pool.Unlock();
    throw;
  }
  WindowHandle_ = nullptr;
  handler_ = nullptr;
  OwnerThreadId_ = 0;
  generation_ = 0;
  pool.Unlock();
}

UINT TIcsWndControl::TakeMessageNumber() {
  UINT number = handler_->AllocateMessageNumber(this);
  numbers_.push_back(number);
  return number;
}

void TIcsWndControl::AllocateMessages() { releaseMsg_ = TakeMessageNumber(); }

void TIcsWndControl::FreeMessages() {
  if (handler_) {
    // The handler may destroy its window with the last number; every number goes back first.
    for (UINT& number : numbers_) handler_->ReleaseMessageNumber(number);
  }
  numbers_.clear();
  releaseMsg_ = 0;
}

void TIcsWndControl::DisposeWindow(bool) {
  if (windowReleased_) return;
  DeallocateWindow();
  windowReleased_ = true;
}

bool TIcsWndControl::PostSelfMessage(UINT Msg, WPARAM WParam) {
  return PostMessageW(Handle(), Msg, WParam, generation_) != 0;
}

bool TIcsWndControl::IsCurrentGeneration(const TIcsMessage& Msg) const {
  return generation_ != 0 && Msg.LParam == generation_;
}

void TIcsWndControl::ReleaseLater() {
  Handle();
  PostSelfMessage(releaseMsg_);
}

void TIcsWndControl::AttachToThread() {
  if (WindowHandle_) throw EIcsException(L"Cannot attach when not detached");
  AllocateWindow();
}

void TIcsWndControl::DetachFromThread() {
  if (GetCurrentThreadId() != OwnerThreadId_) throw EIcsException(L"Cannot detach from another thread");
  DeallocateWindow();
}

int TIcsWndControl::RunMessageLoop() {
  MSG msg;
  BOOL result;
  while ((result = GetMessageW(&msg, nullptr, 0, 0)) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (result == 0) QuitSeen_ = true;
  return result;
}

bool TIcsWndControl::ProcessOneMessage() {
  MSG msg;
  if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    QuitSeen_ = true;
  } else {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return true;
}

void TIcsWndControl::ProcessPendingMessages() {
  while (ProcessOneMessage()) {
  }
}

void TIcsWndControl::PumpMessages() {
  if (Application && GetCurrentThreadId() == MainThreadID()) Application->ProcessMessages();
  else ProcessPendingMessages();
}

void TIcsWndControl::HandlePrivateMessage(TIcsMessage& Msg) {
  try {
    if (releaseMsg_ != 0 && Msg.Msg == releaseMsg_) {
      if (IsCurrentGeneration(Msg)) HandleReleaseMessage();
    } else if (Msg.Msg == WM_TIMER) {
      HandleTimerMessage(Msg);
    } else {
      Msg.Result = DefWindowProcW(Handle(), Msg.Msg, Msg.WParam, Msg.LParam);
    }
  } catch (Exception& E) {
    HandleEventException(E);
  }
}

void TIcsWndControl::HandleTimerMessage(TIcsMessage& Msg) {
  if (IsLiveIcsTimer(Msg.WParam)) reinterpret_cast<TIcsTimer*>(Msg.WParam)->Tick();
}

void TIcsWndControl::HandleReleaseMessage() { Free(); }

void TIcsWndControl::HandleEventException(Exception& E) {
  bool canClose = true;
  if (OnBgException) {
    try {
      FireBgException(E, canClose);
    } catch (Exception&) {
    }
  }
  if (canClose) {
    try {
      AbortAfterException();
    } catch (Exception&) {
    }
  }
}

void TIcsWndControl::FireBgException(Exception& E, bool& CanClose) {
  if (OnBgException) OnBgException(this, E, CanClose);
}
