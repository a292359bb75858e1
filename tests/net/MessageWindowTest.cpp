// The shared hidden windows: message numbers per window, window and class life, timers, stale
// self-posted messages and foreign timer messages, and the exception routes.

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

#include "net/IcsTimer.h"
#include "net/IcsWndControl.h"
#include "platform/framework/classes/Object.h"
#include "platform/framework/base/Utf8.h"
#include "tests/support/TestSupport.h"

using testing_support::PumpFor;
using testing_support::PumpUntil;

namespace {

class TProbeControl : public TIcsWndControl {
 public:
  explicit TProbeControl(TComponent* AOwner, int needed = 1, bool* destroyed = nullptr)
      : TIcsWndControl(AOwner), needed_(needed), destroyed_(destroyed) {}
  ~TProbeControl() override {
    if (destroyed_) *destroyed_ = true;
  }
  int MessageCountNeeded() const override { return needed_; }
  void AllocateMessages() override {
    TIcsWndControl::AllocateMessages();
    for (int i = 1; i < needed_; ++i) TakeMessageNumber();
  }

 private:
  int needed_;
  bool* destroyed_;
};

using TProbe = ObjectPtr<TProbeControl>;

TProbe NewProbe(int needed = 1, bool* destroyed = nullptr) {
  TProbe probe(NewObject<TProbeControl>(nullptr, needed, destroyed));
  probe->Handle();
  return probe;
}

std::vector<TProbe> NewProbes(int count) {
  std::vector<TProbe> probes;
  for (int i = 0; i < count; ++i) probes.push_back(NewProbe());
  return probes;
}

template <class Body>
String RaisedMessage(Body body) {
  try {
    body();
  } catch (EIcsException& e) {
    return e.Message();
  }
  return L"(nothing raised)";
}

// Collects what reaches the process exception sink while alive.
struct TSinkCapture {
  static inline std::vector<std::string> seen;
  ExceptionSink previous;
  TSinkCapture() {
    seen.clear();
    previous = SetExceptionSink([](const std::exception_ptr& error) {
      seen.push_back(Utf8Encode(DescribeException(error).Message));
    });
  }
  ~TSinkCapture() { SetExceptionSink(previous); }
};

}  // namespace

TEST(MessageWindows, TheHundredAndFirstNumberGoesToASecondWindowThatAlsoStartsAt1025) {
  ASSERT_EQ(HandlerWindowCount(), 0) << "a control of an earlier test is still alive";
  auto probes = NewProbes(101);
  EXPECT_EQ(probes[99]->WndHandler(), probes[0]->WndHandler());
  EXPECT_NE(probes[100]->WndHandler(), probes[0]->WndHandler());
  EXPECT_EQ(probes[0]->ReleaseMessage(), 1025u);
  EXPECT_EQ(probes[99]->ReleaseMessage(), 1124u);
  EXPECT_EQ(probes[100]->ReleaseMessage(), 1025u);
  EXPECT_EQ(HandlerWindowCount(), 2);
}

TEST(MessageWindows, AControlNeedingSevenNumbersSkipsAWindowWithSixFree) {
  auto probes = NewProbes(94);
  TProbe seven = NewProbe(7);
  EXPECT_NE(seven->WndHandler(), probes[0]->WndHandler());
  EXPECT_EQ(seven->ReleaseMessage(), 1025u);
  TProbe one = NewProbe();
  EXPECT_EQ(one->WndHandler(), probes[0]->WndHandler()) << "the first window with room is taken";
}

TEST(MessageWindows, TheLastNumberTakesItsWindowAndTheLastWindowTakesTheClass) {
  auto probes = NewProbes(101);
  ASSERT_TRUE(IcsWindowClassRegistered());
  probes.pop_back();
  EXPECT_EQ(HandlerWindowCount(), 1);
  EXPECT_TRUE(IcsWindowClassRegistered());
  probes.clear();
  EXPECT_EQ(HandlerWindowCount(), 0);
  EXPECT_FALSE(IcsWindowClassRegistered());
  EXPECT_EQ(HandlerPool().ListCount(), 0);
}

TEST(MessageWindows, ReleasingNumbers) {
  TProbe probe = NewProbe();
  TIcsWndHandler* handler = probe->WndHandler();
  UINT number = handler->AllocateMessageNumber(probe.get());
  const UINT taken = number;
  UINT zero = 0;
  handler->ReleaseMessageNumber(zero);
  handler->ReleaseMessageNumber(number);
  EXPECT_EQ(number, 0u);
  handler->ReleaseMessageNumber(number);  // 0 again: nothing
  UINT stale = taken;
  EXPECT_EQ(RaisedMessage([&] { handler->ReleaseMessageNumber(stale); }), L"Msg not registered");
  UINT outside = 1025 + 100;
  EXPECT_EQ(RaisedMessage([&] { handler->ReleaseMessageNumber(outside); }), L"Msg value out of bound");
}

TEST(MessageWindows, AttachAndDetachChecks) {
  TProbe probe = NewProbe();
  EXPECT_EQ(RaisedMessage([&] { probe->AttachToThread(); }), L"Cannot attach when not detached");
  String fromOtherThread;
  std::thread([&] { fromOtherThread = RaisedMessage([&] { probe->DetachFromThread(); }); }).join();
  EXPECT_EQ(fromOtherThread, L"Cannot detach from another thread");
}

TEST(MessageWindows, AStaleReleaseMessageDoesNotFreeTheNextOwnerOfItsNumber) {
  bool firstDestroyed = false, secondDestroyed = false;
  TProbe first = NewProbe(1, &firstDestroyed);
  const UINT number = first->ReleaseMessage();
  TProbe keep = NewProbe();  // keeps the window alive, so the posted message stays queued
  first->ReleaseLater();
  first.reset();
  ASSERT_TRUE(firstDestroyed);
  TProbe second = NewProbe(1, &secondDestroyed);
  ASSERT_EQ(second->ReleaseMessage(), number);
  PumpFor(50);
  EXPECT_FALSE(secondDestroyed);

  second->ReleaseLater();
  ASSERT_TRUE(PumpUntil([&] { return secondDestroyed; }));
  second.release();  // freed by its own release message
}

TEST(IcsTimer, SettingsWithoutAWindow) {
  EXPECT_EQ(RaisedMessage([] { NewObject<TIcsTimer>(nullptr); }), L"IcsTimer: Owner not assigned");
  ObjectPtr<TProbeControl> windowless(NewObject<TProbeControl>(nullptr));
  auto* timer = new TIcsTimer(windowless.get());
  timer->SetEnabled(true);  // unchanged: nothing to check
  EXPECT_EQ(RaisedMessage([&] { timer->SetEnabled(false); }), L"IcsTimer: No window available");
  EXPECT_EQ(RaisedMessage([&] { timer->SetInterval(5); }), L"IcsTimer: No window available");
}

TEST(IcsTimer, ArmedOnlyWithIntervalEnabledAndHandler) {
  TProbe probe = NewProbe();
  auto* timer = new TIcsTimer(probe.get());
  int ticks = 0;
  timer->SetInterval(10);
  EXPECT_FALSE(timer->Armed()) << "no OnTimer";
  timer->SetOnTimer([&](TObject* sender) {
    EXPECT_EQ(sender, timer);
    ++ticks;
  });
  EXPECT_TRUE(timer->Armed());
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 2; }));
  timer->SetInterval(0);
  EXPECT_FALSE(timer->Armed());
  timer->SetInterval(10);
  timer->SetEnabled(false);
  EXPECT_FALSE(timer->Armed());
  const int stopped = ticks;
  PumpFor(60);
  EXPECT_EQ(ticks, stopped);
}

TEST(IcsTimer, AnExceptionInOnTimerReachesTheOwnersEventExceptionHandling) {
  TProbe probe = NewProbe();
  std::vector<String> caught;
  probe->OnBgException = [&](TObject*, Exception& e, bool&) { caught.push_back(e.Message()); };
  auto* timer = new TIcsTimer(probe.get());
  timer->SetInterval(10);
  timer->SetOnTimer([&](TObject*) {
    timer->SetEnabled(false);
    throw EIcsException(L"tick failed");
  });
  ASSERT_TRUE(PumpUntil([&] { return !caught.empty(); }));
  EXPECT_EQ(caught[0], L"tick failed");
}

TEST(IcsTimer, ForeignAndStaleTimerIdsGetDefaultProcessing) {
  TProbe probe = NewProbe();
  int ticks = 0;
  auto* live = new TIcsTimer(probe.get());
  auto* doomed = new TIcsTimer(probe.get());
  const UINT_PTR staleId = reinterpret_cast<UINT_PTR>(doomed);
  doomed->Free();
  live->SetInterval(100000);
  live->SetOnTimer([&](TObject*) { ++ticks; });
  PostMessageW(probe->Handle(), WM_TIMER, staleId, 0);
  PostMessageW(probe->Handle(), WM_TIMER, 0x5A5A5A50, 0);
  PumpFor(30);
  EXPECT_EQ(ticks, 0);
  PostMessageW(probe->Handle(), WM_TIMER, reinterpret_cast<UINT_PTR>(live), 0);
  EXPECT_TRUE(PumpUntil([&] { return ticks == 1; }));
}

TEST(MessageWindows, AnythingButAFrameworkExceptionReachesTheSinkAndTheLoopGoesOn) {
  TSinkCapture sink;
  TProbe probe = NewProbe();
  auto* timer = new TIcsTimer(probe.get());
  int ticks = 0;
  timer->SetInterval(10);
  timer->SetOnTimer([&](TObject*) {
    if (++ticks == 1) throw std::runtime_error("not a framework exception");
  });
  ASSERT_TRUE(PumpUntil([&] { return ticks >= 2; }));
  ASSERT_EQ(TSinkCapture::seen.size(), 1u);
  EXPECT_EQ(TSinkCapture::seen[0], "not a framework exception");
}
