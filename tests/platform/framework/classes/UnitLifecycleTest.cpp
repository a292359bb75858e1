#include "platform/framework/classes/UnitLifecycle.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/framework/base/Exceptions.h"

namespace {

std::string trace;
int sinkCalls = 0;

void CountSink(const std::exception_ptr&) { ++sinkCalls; }

// Each unit appends its letter: upper case on start, lower case on end.
void StartA() { trace += "A"; }
void EndA() { trace += "a"; }
void StartB() {
  trace += "B";
  throw Exception(L"B failed to start");
}
void EndB() {
  trace += "b";
  throw Exception(L"B failed to end");
}
void StartC() { trace += "C"; }
void EndC() { trace += "c"; }
void StartLate() { trace += "L"; }
void EndLate() { trace += "l"; }

TUnitLifecycle* registeringLifecycle = nullptr;
void StartRegistersAnother() {
  trace += "R";
  registeringLifecycle->Register(&StartLate, &EndLate);
}

class UnitLifecycleTest : public testing::Test {
 protected:
  void SetUp() override {
    trace.clear();
    sinkCalls = 0;
    previous_ = SetExceptionSink(&CountSink);
  }
  void TearDown() override { SetExceptionSink(previous_); }

 private:
  ExceptionSink previous_ = nullptr;
};

TEST_F(UnitLifecycleTest, EndsRunInReverseStartOrderDespiteErrors) {
  TUnitLifecycle units;
  units.Register(&StartA, &EndA);
  units.Register(&StartB, &EndB);
  units.Register(&StartC, &EndC);
  units.Register(nullptr, nullptr);
  EXPECT_EQ(trace, "");  // nothing runs at registration
  units.Initialize();
  EXPECT_EQ(trace, "ABC");
  units.Finalize();
  EXPECT_EQ(trace, "ABCcba");
  EXPECT_EQ(sinkCalls, 2);
  units.Finalize();  // each end runs once
  EXPECT_EQ(trace, "ABCcba");
  EXPECT_TRUE(units.Finalized());
}

TEST_F(UnitLifecycleTest, UnitsRegisteredLateStartAtOnce) {
  TUnitLifecycle units;
  registeringLifecycle = &units;
  units.Register(&StartRegistersAnother, nullptr);
  units.Register(&StartA, &EndA);
  units.Initialize();
  EXPECT_EQ(trace, "RAL");  // a unit registered by a start runs after those registered before it
  units.Register(&StartC, &EndC);
  EXPECT_EQ(trace, "RALC");
  units.Finalize();
  EXPECT_EQ(trace, "RALCcla");
  units.Register(&StartB, &EndB);  // after the end nothing starts
  EXPECT_EQ(trace, "RALCcla");
}

TEST_F(UnitLifecycleTest, EndsOnlyForStartedUnits) {
  TUnitLifecycle units;
  units.Register(&StartA, &EndA);
  units.Finalize();
  EXPECT_EQ(trace, "");
}

void ExitX() { trace += "x"; }
void ExitY() {
  trace += "y";
  throw Exception(L"Y failed");
}

// A unit whose end still uses a service (started by an earlier unit, say) finds it open: the
// service closes in an exit step, after every end.
TEST_F(UnitLifecycleTest, ExitStepsRunAfterEveryUnitEndLastAddedFirst) {
  TUnitLifecycle units;
  units.Register(&StartA, &EndA);
  units.AddExitStep(&ExitX);
  units.Register(&StartC, &EndC);
  units.AddExitStep(&ExitY);
  units.Initialize();
  units.Finalize();
  EXPECT_EQ(trace, "ACcayx");
  EXPECT_EQ(sinkCalls, 1);
  units.AddExitStep(&ExitX);  // too late: never runs
  units.Finalize();
  EXPECT_EQ(trace, "ACcayx");
}

TEST_F(UnitLifecycleTest, InitProcsRunInChainOrderOnce) {
  AddInitProc(&StartA);
  AddInitProc(&StartC);
  RunInitProcs();
  RunInitProcs();
  EXPECT_EQ(trace, "AC");
}

}  // namespace
