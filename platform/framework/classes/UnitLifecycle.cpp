#include "platform/framework/classes/UnitLifecycle.h"

#include "platform/framework/base/Exceptions.h"

namespace {

void Run(TUnitProc proc) {
  if (proc) Guarded([proc] { proc(); });
}

std::vector<TUnitProc>& InitProcs() {
  static std::vector<TUnitProc> procs;
  return procs;
}

}  // namespace

void TUnitLifecycle::Register(TUnitProc start, TUnitProc end) {
  registered_.push_back({start, end});
  if (initialized_ && !starting_ && !finalized_) Initialize();
}

void TUnitLifecycle::Initialize() {
  initialized_ = true;
  starting_ = true;
  while (startedUpTo_ < registered_.size()) {
    Unit unit = registered_[startedUpTo_++];
    Run(unit.start);
    ends_.push_back(unit.end);
  }
  starting_ = false;
}

void TUnitLifecycle::AddExitStep(TUnitProc step) {
  if (step && !finalized_) exitSteps_.push_back(step);
}

void TUnitLifecycle::Finalize() {
  finalized_ = true;
  for (std::vector<TUnitProc>* procs : {&ends_, &exitSteps_}) {
    while (!procs->empty()) {
      TUnitProc proc = procs->back();
      procs->pop_back();
      Run(proc);
    }
  }
}

TUnitLifecycle& Units() {
  static TUnitLifecycle units;
  return units;
}

void AddInitProc(TUnitProc proc) {
  if (proc) InitProcs().push_back(proc);
}

void RunInitProcs() {
  std::vector<TUnitProc> procs;
  procs.swap(InitProcs());
  for (TUnitProc proc : procs) Run(proc);
}
