// The method-bound subclass of a foreign window: chain order, removal in any order, the exception
// boundary, the window going first, and an object freed inside its own message.

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "platform/framework/base/Exceptions.h"
#include "platform/framework/windows/WindowSubclass.h"
#include "tests/support/WindowTestSupport.h"

namespace {

constexpr UINT kProbe = WM_APP + 21;

// A system EDIT stands for the foreign window; its own answer to the probe is 0, so each subclass
// adds its mark to the answer of the rest of the chain.
struct TMarking {
  TWindowSubclass Subclass;
  std::string Name;
  std::string* Trace;
  void Method(TMessage& Message) {
    if (Message.Msg != kProbe) return Subclass.CallPrevious(Message);
    *Trace += Name;
    Subclass.CallPrevious(Message);
    Message.Result = Message.Result * 10 + LRESULT(Name[0] - 'a' + 1);
  }
  void Attach(HWND Window) { ASSERT_TRUE(Subclass.Attach(Window, TWndMethod(this, &TMarking::Method))); }
};

HWND MakeEdit() {
  return CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, GetModuleHandleW(nullptr),
                         nullptr);
}

std::exception_ptr lastError;
void RecordError(const std::exception_ptr& error) { lastError = error; }

}  // namespace

TEST(WindowSubclass, ChainRunsNewestFirstAndSurvivesRemovalInAnyOrder) {
  struct Case {
    const char* removed;  // the subclasses taken off, in this order, before the second probe
    const char* traceAfter;  // newest first
    LRESULT resultAfter;
  };
  const Case cases[] = {
      {"a", "cb", 23},  // the oldest goes: the chain closes over it
      {"b", "ca", 13},  // the middle one goes
      {"c", "ba", 12},  // the newest goes
      {"ca", "b", 2},
      {"abc", "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.removed);
    HWND edit = MakeEdit();
    std::string trace;
    TMarking a{{}, "a", &trace}, b{{}, "b", &trace}, m{{}, "c", &trace};
    a.Attach(edit);
    b.Attach(edit);
    m.Attach(edit);
    EXPECT_EQ(SendMessageW(edit, kProbe, 0, 0), 123);
    EXPECT_EQ(trace, "cba");
    for (const char* r = c.removed; *r; ++r) (*r == 'a' ? a : *r == 'b' ? b : m).Subclass.Detach();
    trace.clear();
    EXPECT_EQ(SendMessageW(edit, kProbe, 0, 0), c.resultAfter);
    EXPECT_EQ(trace, c.traceAfter);
    // The window's own procedure still answers under whatever is left.
    SetWindowTextW(edit, L"still an edit");
    EXPECT_EQ(GetWindowTextLengthW(edit), 13);
    DestroyWindow(edit);
  }
}

TEST(WindowSubclass, RaisingMethodReachesTheSinkAndTheWindowGoesOn) {
  const ExceptionSink saved = SetExceptionSink(&RecordError);
  lastError = nullptr;
  HWND edit = MakeEdit();
  TWindowSubclass subclass;
  int calls = 0;
  subclass.Attach(edit, TWndMethod([&](TMessage& Message) {
    if (Message.Msg == kProbe) {
      ++calls;
      throw std::runtime_error("probe failed");
    }
    subclass.CallPrevious(Message);
  }));
  EXPECT_EQ(SendMessageW(edit, kProbe, 0, 0), 0);
  ASSERT_TRUE(lastError);
  EXPECT_EQ(DescribeException(lastError).Message, L"probe failed");
  SetWindowTextW(edit, L"abc");
  EXPECT_EQ(GetWindowTextLengthW(edit), 3);
  SendMessageW(edit, kProbe, 0, 0);
  EXPECT_EQ(calls, 2);
  DestroyWindow(edit);
  SetExceptionSink(saved);
}

TEST(WindowSubclass, WindowDestroyedFirstLeavesTheObjectDetached) {
  HWND edit = MakeEdit();
  bool sawNcDestroy = false;
  TWindowSubclass subclass;
  subclass.Attach(edit, TWndMethod([&](TMessage& Message) {
    if (Message.Msg == WM_NCDESTROY) sawNcDestroy = true;
    subclass.CallPrevious(Message);
  }));
  ASSERT_TRUE(subclass.Attached());
  DestroyWindow(edit);
  EXPECT_TRUE(sawNcDestroy);
  EXPECT_FALSE(subclass.Attached());
  EXPECT_FALSE(subclass.Attach(edit, TWndMethod([](TMessage&) {})));
}

TEST(WindowSubclass, ObjectFreedInsideItsOwnMessage) {
  HWND edit = MakeEdit();
  auto subclass = std::make_unique<TWindowSubclass>();
  TWindowSubclass* raw = subclass.get();
  subclass->Attach(edit, TWndMethod([&](TMessage& Message) {
    if (Message.Msg == kProbe) {
      raw->CallPrevious(Message);
      subclass.reset();
      Message.Result = 7;
      return;
    }
    raw->CallPrevious(Message);
  }));
  EXPECT_EQ(SendMessageW(edit, kProbe, 0, 0), 7);
  EXPECT_FALSE(subclass);
  // The freed object left the chain: the edit answers by itself.
  EXPECT_EQ(SendMessageW(edit, kProbe, 0, 0), 0);
  SetWindowTextW(edit, L"ok");
  EXPECT_EQ(GetWindowTextLengthW(edit), 2);
  DestroyWindow(edit);
}
