// Timers: when they run, ids never reused, stale ticks dropped, and timers changed in their own tick.

#include <gtest/gtest.h>

#include "platform/framework/windows/Timer.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTestSupport.h"

using namespace window_testing;

namespace {

// Delivers a tick for the given id as the system would.
void Tick(UINT_PTR id) {
  PostMessageW(TTimer::TimerWindow(), WM_TIMER, id, 0);
  ProcessMessages();
}

}  // namespace

TEST(Timer, RunsOnlyWhileEnabledWithIntervalAndHandler) {
  struct Case {
    bool Enabled;
    Cardinal Interval;
    bool Handler;
    bool Runs;
  } cases[] = {
      {true, 1000, true, true}, {false, 1000, true, false}, {true, 0, true, false}, {true, 1000, false, false},
  };
  for (const Case& c : cases) {
    TTimer timer(nullptr);
    timer.SetInterval(c.Interval);
    timer.SetEnabled(c.Enabled);
    if (c.Handler) timer.SetOnTimer([](TObject*) {});
    EXPECT_EQ(timer.TimerId() != 0, c.Runs) << c.Enabled << c.Interval << c.Handler;
  }
}

TEST(Timer, StaleTickOfAReArmedOrFreedTimerIsDropped) {
  int ticks = 0;
  auto* timer = new TTimer(nullptr);
  timer->SetOnTimer([&](TObject*) { ++ticks; });
  const UINT_PTR first = timer->TimerId();
  timer->SetInterval(500);
  const UINT_PTR second = timer->TimerId();
  EXPECT_NE(first, second);
  Tick(first);
  EXPECT_EQ(ticks, 0);
  Tick(second);
  EXPECT_EQ(ticks, 1);

  timer->Free();
  auto* successor = new TTimer(nullptr);
  int successorTicks = 0;
  successor->SetOnTimer([&](TObject*) { ++successorTicks; });
  EXPECT_NE(successor->TimerId(), second);
  Tick(second);
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(successorTicks, 0);
  successor->Free();
}

TEST(Timer, MayFreeOrDisableItselfInItsOwnTick) {
  int ticks = 0;
  auto* freed = new TTimer(nullptr);
  freed->SetOnTimer([&](TObject*) {
    ++ticks;
    freed->Free();
  });
  const UINT_PTR id = freed->TimerId();
  Tick(id);
  Tick(id);
  EXPECT_EQ(ticks, 1);

  TTimer oneShot(nullptr);
  int shots = 0;
  oneShot.SetOnTimer([&](TObject*) {
    ++shots;
    oneShot.SetEnabled(false);
  });
  const UINT_PTR shotId = oneShot.TimerId();
  Tick(shotId);
  Tick(shotId);
  EXPECT_EQ(shots, 1);
  EXPECT_EQ(oneShot.TimerId(), 0u);
}

TEST(Timer, RealTicksArrive) {
  TTimer timer(nullptr);
  int ticks = 0;
  timer.SetInterval(10);
  timer.SetOnTimer([&](TObject*) { ++ticks; });
  EXPECT_TRUE(testing_support::PumpUntil([&] { return ticks >= 2; }, 3000));
}

// The service behind TTimer serves other timer classes on the same window and the same id counter.
TEST(Timer, SharedServiceRunsCallbacksBesideTimers) {
  TTimer timer(nullptr);
  timer.SetOnTimer([](TObject*) {});
  int calls = 0;
  UINT_PTR id = 0;
  id = ArmSharedTimer(100000, [&] {
    ++calls;
    DisarmSharedTimer(id);  // removes its own entry while it runs
  });
  ASSERT_NE(id, 0u);
  EXPECT_GT(id, timer.TimerId());
  EXPECT_EQ(SharedTimerWindow(), TTimer::TimerWindow());
  EXPECT_TRUE(SharedTimerArmed(id));
  Tick(id);
  Tick(id);
  EXPECT_EQ(calls, 1);
  EXPECT_FALSE(SharedTimerArmed(id));
}
