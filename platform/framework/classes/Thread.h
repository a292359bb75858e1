#pragma once
// Worker threads, the main-thread call queue (Synchronize / CheckSynchronize) and a critical section.
//
// A worker runs Execute on its own thread; Synchronize runs a call on the main (GUI) thread and
// waits for it. The main thread serves those calls in CheckSynchronize, which the application's
// message loop calls when the wake-up hook tells it to; TThread::WaitFor on the main thread serves
// them too, together with messages sent from other threads, so a worker that synchronises or sends
// to a window while the main thread waits for it cannot deadlock.

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(CLASSES);

#include <atomic>
#include <exception>
#include <functional>

#include "platform/framework/classes/Events.h"
#include "platform/framework/classes/Object.h"

class TThread : public TObject {
  DECLARE_CLASS(TThread, TObject)
 public:
  // The thread exists at once and runs Execute after Start. With CreateSuspended false it starts
  // by itself once fully built, which needs NewObject<T>(...) (AfterConstruction): a thread can
  // never start inside its constructor, where Execute is not in place yet.
  explicit TThread(bool CreateSuspended);
  void AfterConstruction() override;
  // Terminates and waits for a running thread (from another thread than its own).
  ~TThread() override;
  // Terminates and waits while every override is still in place (Free runs it).
  void BeforeDestruction() override;

  // Lets a suspended thread run; EThread when it was started already.
  void Start();
  // Asks Execute to stop: sets Terminated, which Execute polls.
  void Terminate() { terminated_ = true; }
  bool Terminated() const { return terminated_; }
  bool Finished() const { return finished_; }
  // Waits until the thread has ended and returns ReturnValue. On the main thread it keeps serving
  // synchronised calls and sent messages. Not for FreeOnTerminate threads (EThread).
  int WaitFor();

  // The object frees itself when the thread ends. Read after OnTerminate has run, so a main thread
  // that clears it before serving OnTerminate keeps the object to free it itself.
  std::atomic<bool> FreeOnTerminate{false};
  // Called on the main thread after Execute returns (or throws).
  TNotifyEvent OnTerminate;
  // What Execute threw, or null.
  std::exception_ptr FatalException() const { return fatalException_; }
  int ReturnValue() const { return returnValue_; }
  unsigned long ThreadID() const { return threadId_; }
  void* Handle() const { return handle_; }

  // Runs method on the main thread and waits for it; directly when called on the main thread.
  // What it throws is thrown again here.
  void Synchronize(const std::function<void()>& Method) { Synchronize(this, Method); }
  static void Synchronize(TThread* Thread, const std::function<void()>& Method);

 protected:
  virtual void Execute() = 0;
  // Runs OnTerminate through Synchronize.
  virtual void DoTerminate();
  void SetReturnValue(int Value) { returnValue_ = Value; }

 private:
  static unsigned __stdcall ThreadProc(void* parameter);
  void Run();
  void WaitUntilEnded();

  void* handle_ = nullptr;
  unsigned long threadId_ = 0;
  bool started_ = false;
  bool startWhenBuilt_ = false;
  std::atomic<bool> terminated_{false};
  std::atomic<bool> finished_{false};
  int returnValue_ = 0;
  std::exception_ptr fatalException_;
};

// Runs the calls other threads queued through Synchronize. Call on the main thread; waits up to
// timeoutMs for a call to arrive when none is queued. True when it ran any.
bool CheckSynchronize(unsigned long timeoutMs = 0);

// The hook Synchronize calls (on the worker thread) after queuing a call, so that the main
// thread's message loop wakes up and calls CheckSynchronize (e.g. by posting to a hidden window).
using TWakeMainThread = void (*)();
// Installs the hook and returns the previous one; null for none.
TWakeMainThread SetWakeMainThread(TWakeMainThread hook);

// The main thread: the one that started the process.
unsigned long MainThreadID();

class TCriticalSection : public TObject {
  DECLARE_CLASS(TCriticalSection, TObject)
 public:
  TCriticalSection();
  ~TCriticalSection() override;
  void Acquire();
  void Release();
  bool TryEnter();
  void Enter() { Acquire(); }
  void Leave() { Release(); }
  // For std::lock_guard / std::unique_lock.
  void lock() { Acquire(); }
  void unlock() { Release(); }

 private:
  alignas(void*) unsigned char section_[64];  // the CRITICAL_SECTION, kept out of this header
};
