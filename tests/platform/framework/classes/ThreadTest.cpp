#include "platform/framework/classes/Thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>

#include "platform/framework/base/Win32.h"

namespace {

// A thread whose Execute is a function given by the test.
class TTestThread : public TThread {
 public:
  using Body = std::function<void(TTestThread&)>;
  explicit TTestThread(Body body, std::atomic<int>* destructions = nullptr)
      : TThread(true), body_(std::move(body)), destructions_(destructions) {}
  // Made running: starts once fully built.
  TTestThread(bool suspended, Body body) : TThread(suspended), body_(std::move(body)) {}
  ~TTestThread() override {
    if (destructions_) ++*destructions_;
  }
  using TThread::SetReturnValue;

 protected:
  void Execute() override { body_(*this); }

 private:
  Body body_;
  std::atomic<int>* destructions_ = nullptr;
};

// Swaps in a sink that counts what reaches it, from any thread.
class SinkCounter {
 public:
  SinkCounter() : previous_(SetExceptionSink(&Count)) { count = 0; }
  ~SinkCounter() { SetExceptionSink(previous_); }
  static inline std::atomic<int> count{0};

 private:
  static void Count(const std::exception_ptr&) { ++count; }
  ExceptionSink previous_;
};

TEST(ThreadTest, ExecuteRunsAfterStartAndWaitForReturnsItsResult) {
  std::atomic<bool> ran{false};
  TTestThread thread([&](TTestThread& self) {
    ran = true;
    self.SetReturnValue(42);
  });
  Sleep(20);
  EXPECT_FALSE(ran);  // created suspended
  thread.Start();
  EXPECT_EQ(thread.WaitFor(), 42);
  EXPECT_TRUE(ran);
  EXPECT_TRUE(thread.Finished());
  EXPECT_THROW(thread.Start(), EThread);
}

TEST(ThreadTest, ThreadMadeRunningStartsOnceBuiltAndStopsWhenTerminated) {
  std::atomic<bool> running{false};
  ObjectPtr<TTestThread> thread(NewObject<TTestThread>(false, [&running](TTestThread& self) {
    running = true;
    for (DWORD start = GetTickCount(); !self.Terminated();) {
      if (GetTickCount() - start > 10000) return self.SetReturnValue(-1);  // never stopped
      Sleep(1);
    }
    self.SetReturnValue(1);
  }));
  for (DWORD start = GetTickCount(); !running && GetTickCount() - start < 5000;) Sleep(1);
  ASSERT_TRUE(running);  // nobody called Start
  thread->Terminate();
  EXPECT_EQ(thread->WaitFor(), 1);
}

TEST(ThreadTest, ExecuteErrorIsKeptAndOnTerminateRunsOnTheMainThread) {
  DWORD terminateThread = 0;
  TObject* terminateSender = nullptr;
  TTestThread thread([](TTestThread&) { throw EThread(L"worker failed"); });
  thread.OnTerminate = [&](TObject* sender) {
    terminateThread = GetCurrentThreadId();
    terminateSender = sender;
  };
  thread.Start();
  thread.WaitFor();
  EXPECT_EQ(terminateThread, GetCurrentThreadId());
  EXPECT_EQ(terminateSender, &thread);
  ASSERT_TRUE(thread.FatalException());
  EXPECT_EQ(DescribeException(thread.FatalException()).Message, L"worker failed");
}

TEST(ThreadTest, SynchronizeRunsOnTheMainThreadAndRethrowsInTheWorker) {
  DWORD ranOn = 0;
  String caught;
  TTestThread thread([&](TTestThread& self) {
    self.Synchronize([&] { ranOn = GetCurrentThreadId(); });
    try {
      self.Synchronize([] { throw EConvertError(L"bad value"); });
    } catch (const EConvertError& error) {
      caught = error.Message();
    }
  });
  thread.Start();
  thread.WaitFor();
  EXPECT_EQ(ranOn, GetCurrentThreadId());
  EXPECT_EQ(caught, L"bad value");
  EXPECT_FALSE(thread.FatalException());
}

LRESULT CALLBACK CountingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_APP) return static_cast<LRESULT>(GetCurrentThreadId());
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST(ThreadTest, WaitForServesMessagesSentByTheWorker) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = &CountingWindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"ThreadTestTarget";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, L"ThreadTestTarget", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                windowClass.hInstance, nullptr);
  ASSERT_NE(window, nullptr);

  std::atomic<LRESULT> sendResult{0};
  DWORD_PTR answer = 0;
  TTestThread thread([&](TTestThread&) {
    // Time-boxed: a main thread that does not serve sent messages fails this instead of hanging.
    sendResult = SendMessageTimeoutW(window, WM_APP, 0, 0, SMTO_NORMAL, 5000, &answer);
  });
  thread.Start();
  thread.WaitFor();
  EXPECT_NE(sendResult.load(), 0);
  EXPECT_EQ(answer, GetCurrentThreadId());
  DestroyWindow(window);
  UnregisterClassW(L"ThreadTestTarget", windowClass.hInstance);
}

constexpr UINT WM_WAKE = WM_APP + 7;

void PostWakeToMainThread() { PostThreadMessageW(MainThreadID(), WM_WAKE, 0, 0); }

TEST(ThreadTest, WakeHookLetsTheMessageLoopServeSynchronize) {
  TWakeMainThread previous = SetWakeMainThread(&PostWakeToMainThread);
  std::atomic<bool> done{false};
  bool served = false;
  TTestThread thread([&](TTestThread& self) {
    self.Synchronize([&] { served = true; });
    done = true;
  });
  thread.Start();
  // A message loop like the application's: a wake-up message makes it call CheckSynchronize.
  for (DWORD start = GetTickCount(); !done && GetTickCount() - start < 5000;) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_POSTMESSAGE);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_WAKE) CheckSynchronize();
    }
  }
  SetWakeMainThread(previous);
  EXPECT_TRUE(served);
  thread.WaitFor();
  EXPECT_FALSE(CheckSynchronize());  // nothing left queued
}

TEST(ThreadTest, FreeOnTerminateThreadFreesItself) {
  HANDLE gone = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::atomic<int> destructions{0};
  auto* thread = new TTestThread([](TTestThread&) {}, &destructions);
  thread->FreeOnTerminate = true;
  thread->OnTerminate = [gone](TObject*) { SetEvent(gone); };
  thread->Start();
  // OnTerminate is synchronised: serve it, then give the thread a moment to free itself.
  for (DWORD start = GetTickCount(); WaitForSingleObject(gone, 0) != WAIT_OBJECT_0 && GetTickCount() - start < 5000;) {
    CheckSynchronize(50);
  }
  for (DWORD start = GetTickCount(); destructions == 0 && GetTickCount() - start < 5000;) Sleep(5);
  EXPECT_EQ(destructions.load(), 1);
  CloseHandle(gone);
}

TEST(ThreadTest, MainThreadCanTakeBackASelfFreeingThreadBeforeOnTerminate) {
  std::atomic<int> destructions{0};
  std::atomic<bool> executed{false};
  auto* thread = new TTestThread([&](TTestThread&) { executed = true; }, &destructions);
  thread->FreeOnTerminate = true;
  thread->OnTerminate = [](TObject*) {};
  thread->Start();
  for (DWORD start = GetTickCount(); !executed && GetTickCount() - start < 5000;) Sleep(1);
  Sleep(50);  // the worker now waits for OnTerminate to be served
  // What a menu does to stop its animation worker: take it back, wait, free it.
  thread->FreeOnTerminate = false;
  thread->Terminate();
  thread->WaitFor();
  thread->Free();
  Sleep(50);
  EXPECT_EQ(destructions.load(), 1);
}

TEST(ThreadTest, FreeingAnUnstartedThreadSkipsExecute) {
  std::atomic<bool> ran{false};
  auto* thread = new TTestThread([&](TTestThread&) { ran = true; });
  thread->Free();
  EXPECT_FALSE(ran);
}

TEST(ThreadTest, ErrorInOnTerminateGoesToTheSink) {
  SinkCounter sink;
  TTestThread thread([](TTestThread&) {});
  thread.OnTerminate = [](TObject*) { throw EThread(L"from OnTerminate"); };
  thread.Start();
  thread.WaitFor();
  EXPECT_TRUE(thread.Finished());
  EXPECT_EQ(SinkCounter::count.load(), 1);
}

TEST(ThreadTest, CriticalSectionExcludesOtherThreads) {
  TCriticalSection section;
  long counter = 0;
  auto work = [&](TTestThread&) {
    for (int i = 0; i < 100000; ++i) {
      std::lock_guard lock(section);
      counter = counter + 1;
    }
  };
  TTestThread a(work), b(work);
  a.Start();
  b.Start();
  a.WaitFor();
  b.WaitFor();
  EXPECT_EQ(counter, 200000);

  section.Enter();
  std::atomic<bool> entered{true};
  TTestThread probe([&](TTestThread&) { entered = section.TryEnter(); });
  probe.Start();
  probe.WaitFor();
  section.Leave();
  EXPECT_FALSE(entered);
}

}  // namespace
