#pragma once
// Start and end procedures of the libraries ("units").
//
// A library registers its procedures during static initialisation (a TUnitRegistration object in
// its .cpp). InitializeUnits runs the starts in registration order when the application starts;
// FinalizeUnits runs the ends in reverse order of the starts after the message loop has ended,
// before static destruction, so no library's end runs after something it uses has been torn down.
// A procedure that throws hands the exception to the process sink and the others still run; an end
// runs only for a unit whose start ran.
//
// Unit starts follow registration order, which is not dependency order, so a service that every
// unit may still use in its end (a graphics library session) is closed by an exit step instead:
// exit steps run after the last unit end, last added first.

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(CLASSES);

#include <cstddef>
#include <vector>

using TUnitProc = void (*)();

// The bookkeeping behind the process-wide functions below.
class TUnitLifecycle {
 public:
  // A unit registered after Initialize starts at once. Either procedure may be null.
  void Register(TUnitProc start, TUnitProc end);
  // Runs the starts not yet run, in registration order (including units those starts register).
  void Initialize();
  // Adds a step that Finalize runs after every unit end. Added after Finalize, it never runs.
  void AddExitStep(TUnitProc step);
  // Runs the ends of the started units, last started first, each at most once; then the exit
  // steps, last added first, each at most once.
  void Finalize();
  bool Finalized() const { return finalized_; }

 private:
  struct Unit {
    TUnitProc start;
    TUnitProc end;
  };
  std::vector<Unit> registered_;
  std::size_t startedUpTo_ = 0;       // units before this index have been started
  std::vector<TUnitProc> ends_;  // ends of the started units, in start order
  std::vector<TUnitProc> exitSteps_;
  bool initialized_ = false;
  bool starting_ = false;
  bool finalized_ = false;
};

// The process's units.
TUnitLifecycle& Units();

inline void RegisterUnit(TUnitProc start, TUnitProc end) { Units().Register(start, end); }
inline void InitializeUnits() { Units().Initialize(); }
inline void FinalizeUnits() { Units().Finalize(); }
inline void AddExitStep(TUnitProc step) { Units().AddExitStep(step); }
// True once FinalizeUnits has begun: late callers (timers, hooks) can tell the libraries are gone.
inline bool UnitsFinalized() { return Units().Finalized(); }

struct TUnitRegistration {
  TUnitRegistration(TUnitProc start, TUnitProc end) { RegisterUnit(start, end); }
};

// The chain of initialisation procedures the application runs when it initialises: each procedure
// added runs after the ones added before it, once.
void AddInitProc(TUnitProc proc);
void RunInitProcs();
