// The exception boundary: whatever a callback throws reaches the process sink, and the callback's
// caller (user32, the hook chain, the thread start) goes on.

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "platform/framework/base/Exceptions.h"
#include "platform/framework/base/Win32.h"
#include "tests/support/TestSupport.h"

namespace {

std::vector<ExceptionInfo>* g_caught = nullptr;

void RecordingSink(const std::exception_ptr& error) { g_caught->push_back(DescribeException(error)); }

// Routes the sink to a list for the duration of a test.
class SinkCapture {
 public:
  SinkCapture() : previous_(SetExceptionSink(&RecordingSink)) { g_caught = &caught; }
  ~SinkCapture() {
    SetExceptionSink(previous_);
    g_caught = nullptr;
  }
  std::vector<ExceptionInfo> caught;

 private:
  ExceptionSink previous_;
};

LRESULT CALLBACK ThrowingWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_USER) {
    return Guarded(LRESULT(-1), [&]() -> LRESULT { throw EConvertError(L"bad value"); });
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void CALLBACK ThrowingTimerProc(HWND, UINT, UINT_PTR, DWORD) {
  Guarded([] { throw std::runtime_error("timer failed"); });
}

HHOOK g_hook = nullptr;
int g_nextHookCalls = 0;

LRESULT CALLBACK ThrowingHook(int code, WPARAM wParam, LPARAM lParam) {
  Guarded([] { throw 42; });
  ++g_nextHookCalls;
  return CallNextHookEx(g_hook, code, wParam, lParam);
}

DWORD WINAPI ThrowingThread(LPVOID) {
  return Guarded(DWORD(7), []() -> DWORD { throw EThread(L"worker failed"); });
}

HWND CreateTestWindow() {
  static const wchar_t* const kClass = L"BoundaryTestWindow";
  WNDCLASSW wc{};
  wc.lpfnWndProc = &ThrowingWindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kClass;
  RegisterClassW(&wc);
  return CreateWindowExW(0, kClass, L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

TEST(ExceptionBoundary, WindowProcedureReportsAndReturnsFallback) {
  SinkCapture capture;
  HWND hwnd = CreateTestWindow();
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(SendMessageW(hwnd, WM_USER, 0, 0), -1);
  DestroyWindow(hwnd);
  ASSERT_EQ(capture.caught.size(), 1u);
  EXPECT_EQ(capture.caught[0].ClassName, L"EConvertError");
  EXPECT_EQ(capture.caught[0].Message, L"bad value");
}

TEST(ExceptionBoundary, TimerCallbackReportsStdException) {
  SinkCapture capture;
  const UINT_PTR id = SetTimer(nullptr, 0, 1, &ThrowingTimerProc);
  ASSERT_NE(id, 0u);
  EXPECT_TRUE(testing_support::PumpUntil([&] { return !capture.caught.empty(); }, 5000));
  KillTimer(nullptr, id);
  ASSERT_FALSE(capture.caught.empty());
  EXPECT_EQ(capture.caught[0].Message, L"timer failed");
}

TEST(ExceptionBoundary, HookStillCallsTheNextHook) {
  SinkCapture capture;
  g_nextHookCalls = 0;
  g_hook = SetWindowsHookExW(WH_CALLWNDPROC, &ThrowingHook, nullptr, GetCurrentThreadId());
  ASSERT_NE(g_hook, nullptr);
  HWND hwnd = CreateTestWindow();
  SendMessageW(hwnd, WM_NULL, 0, 0);
  UnhookWindowsHookEx(g_hook);
  DestroyWindow(hwnd);
  EXPECT_GT(g_nextHookCalls, 0);
  ASSERT_FALSE(capture.caught.empty());
  EXPECT_EQ(capture.caught[0].Message, L"Unknown exception");
}

TEST(ExceptionBoundary, ThreadEntryEndsWithFallbackCode) {
  SinkCapture capture;
  HANDLE thread = CreateThread(nullptr, 0, &ThrowingThread, nullptr, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  ASSERT_EQ(WaitForSingleObject(thread, 5000), WAIT_OBJECT_0);
  DWORD code = 0;
  GetExitCodeThread(thread, &code);
  CloseHandle(thread);
  EXPECT_EQ(code, 7u);
  ASSERT_EQ(capture.caught.size(), 1u);
  EXPECT_EQ(capture.caught[0].ClassName, L"EThread");
}

TEST(ExceptionBoundary, AbortIsMarkedSilent) {
  const ExceptionInfo info = DescribeException(std::make_exception_ptr(EAbort(L"")));
  EXPECT_TRUE(info.IsAbort);
}
