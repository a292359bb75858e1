#include "platform/framework/classes/Thread.h"

#include <process.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>

#include "platform/framework/base/Win32.h"
#include "platform/framework/rtl/SysUtils.h"

namespace {

// Taken while the module's static objects are built, which happens on the thread that starts it.
const DWORD mainThreadId = GetCurrentThreadId();

struct SyncCall {
  const std::function<void()>* method;
  std::exception_ptr error;
  bool done = false;
};

struct SyncQueue {
  std::mutex mutex;
  std::condition_variable finished;
  std::deque<SyncCall*> calls;
  // Set while calls are queued; the main thread's waits include it.
  HANDLE pending = CreateEventW(nullptr, TRUE, FALSE, nullptr);
};

SyncQueue& Queue() {
  static SyncQueue queue;
  return queue;
}

std::atomic<TWakeMainThread> wakeMainThread{nullptr};

}  // namespace

unsigned long MainThreadID() { return mainThreadId; }

TWakeMainThread SetWakeMainThread(TWakeMainThread hook) { return wakeMainThread.exchange(hook); }

bool CheckSynchronize(unsigned long timeoutMs) {
  if (GetCurrentThreadId() != mainThreadId) {
    throw EThread(L"CheckSynchronize called from a thread other than the main thread");
  }
  SyncQueue& queue = Queue();
  if (timeoutMs > 0) WaitForSingleObject(queue.pending, timeoutMs);
  std::deque<SyncCall*> calls;
  {
    std::lock_guard lock(queue.mutex);
    calls.swap(queue.calls);
    ResetEvent(queue.pending);
  }
  for (SyncCall* call : calls) {
    try {
      (*call->method)();
    } catch (...) {
      call->error = std::current_exception();
    }
    std::lock_guard lock(queue.mutex);
    call->done = true;
  }
  if (!calls.empty()) queue.finished.notify_all();
  return !calls.empty();
}

// ---- TThread ----------------------------------------------------------------------------------

DEFINE_CLASS(TThread)

TThread::TThread(bool CreateSuspended) {
  unsigned id = 0;
  handle_ = reinterpret_cast<void*>(_beginthreadex(nullptr, 0, &ThreadProc, this, CREATE_SUSPENDED, &id));
  if (!handle_) throw EThread(Format(L"Thread creation error: %s", {SysErrorMessage(GetLastError())}));
  threadId_ = id;
  startWhenBuilt_ = !CreateSuspended;
}

void TThread::AfterConstruction() {
  if (startWhenBuilt_ && !started_) Start();
}

TThread::~TThread() {
  WaitUntilEnded();
  if (handle_) CloseHandle(static_cast<HANDLE>(handle_));
}

void TThread::BeforeDestruction() { WaitUntilEnded(); }

void TThread::WaitUntilEnded() {
  if (finished_ || GetCurrentThreadId() == threadId_ || !handle_) return;
  Terminate();
  if (!started_) {
    FreeOnTerminate = false;  // freed by whoever destroys it
    Start();
  }  // an unstarted thread ends at once: Execute is skipped
  WaitFor();
}

void TThread::Start() {
  if (started_) throw EThread(L"Cannot call Start on a running or suspended thread");
  started_ = true;
  ResumeThread(static_cast<HANDLE>(handle_));
}

unsigned __stdcall TThread::ThreadProc(void* parameter) {
  auto* thread = static_cast<TThread*>(parameter);
  Guarded([thread] { thread->Run(); });
  return 0;
}

void TThread::Run() {
  try {
    if (!terminated_) Execute();
  } catch (...) {
    fatalException_ = std::current_exception();
  }
  // OnTerminate may throw; the flag and the self-free still happen, the error goes to the sink.
  Guarded([this] { DoTerminate(); });
  bool freeThread = FreeOnTerminate;
  finished_ = true;
  if (freeThread) delete this;
}

void TThread::DoTerminate() {
  if (OnTerminate) Synchronize([this] { OnTerminate(this); });
}

int TThread::WaitFor() {
  if (FreeOnTerminate) throw EThread(L"Cannot call WaitFor on a thread that frees itself");
  if (GetCurrentThreadId() == threadId_) throw EThread(L"A thread cannot wait for itself");
  HANDLE thread = static_cast<HANDLE>(handle_);
  if (GetCurrentThreadId() != mainThreadId) {
    WaitForSingleObject(thread, INFINITE);
    return returnValue_;
  }
  HANDLE handles[2] = {thread, Queue().pending};
  for (;;) {
    DWORD result = MsgWaitForMultipleObjectsEx(2, handles, INFINITE, QS_SENDMESSAGE, MWMO_INPUTAVAILABLE);
    if (result == WAIT_OBJECT_0) break;
    if (result == WAIT_OBJECT_0 + 1) {
      CheckSynchronize();
    } else if (result == WAIT_OBJECT_0 + 2) {
      // Peeking delivers the messages other threads sent to this thread's windows.
      MSG msg;
      PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    } else {
      throw EThread(Format(L"Waiting for the thread failed: %s", {SysErrorMessage(GetLastError())}));
    }
  }
  return returnValue_;
}

void TThread::Synchronize(TThread*, const std::function<void()>& Method) {
  if (GetCurrentThreadId() == mainThreadId) {
    Method();
    return;
  }
  SyncQueue& queue = Queue();
  SyncCall call{&Method, nullptr, false};
  {
    std::lock_guard lock(queue.mutex);
    queue.calls.push_back(&call);
    SetEvent(queue.pending);
  }
  if (TWakeMainThread wake = wakeMainThread.load()) wake();
  std::unique_lock lock(queue.mutex);
  queue.finished.wait(lock, [&call] { return call.done; });
  if (call.error) std::rethrow_exception(call.error);
}

// ---- TCriticalSection -------------------------------------------------------------------------

DEFINE_CLASS(TCriticalSection)

static_assert(sizeof(CRITICAL_SECTION) <= 64, "CRITICAL_SECTION does not fit its storage");

TCriticalSection::TCriticalSection() { InitializeCriticalSection(reinterpret_cast<CRITICAL_SECTION*>(section_)); }
TCriticalSection::~TCriticalSection() { DeleteCriticalSection(reinterpret_cast<CRITICAL_SECTION*>(section_)); }
void TCriticalSection::Acquire() { EnterCriticalSection(reinterpret_cast<CRITICAL_SECTION*>(section_)); }
void TCriticalSection::Release() { LeaveCriticalSection(reinterpret_cast<CRITICAL_SECTION*>(section_)); }
bool TCriticalSection::TryEnter() { return TryEnterCriticalSection(reinterpret_cast<CRITICAL_SECTION*>(section_)) != 0; }
