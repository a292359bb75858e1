#pragma once
// TTimer: OnTimer every Interval milliseconds while Enabled, Interval > 0 and OnTimer is assigned.
//
// Every timer of the process runs on one hidden window. Each arming takes a fresh id from a
// run-wide counter and ids are never reused, so a WM_TIMER still queued for a freed, disabled or
// re-armed timer finds no live entry and is dropped. A timer may free, disable or re-arm itself in
// its own OnTimer.

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(WINDOWS);

#include <functional>

#include "platform/framework/classes/Component.h"
#include "platform/framework/base/Win32.h"

// The timer service every timer component shares: one hidden window, ids from a run-wide counter.
// Arming returns the new id (0 when the system refuses); a tick calls the callback while the id is
// armed. Disarming an id that is gone does nothing.
using TTimerCallback = std::function<void()>;
UINT_PTR ArmSharedTimer(UINT Interval, TTimerCallback Callback);
void DisarmSharedTimer(UINT_PTR Id);
bool SharedTimerArmed(UINT_PTR Id);
HWND SharedTimerWindow();

class TTimer : public TComponent {
  DECLARE_CLASS(TTimer, TComponent)
 public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool Value);
  Cardinal Interval() const { return interval_; }
  void SetInterval(Cardinal Value);
  TNotifyEvent OnTimer() const { return onTimer_; }
  void SetOnTimer(const TNotifyEvent& Value);

  // The window and id of the current arming (0 when not running), for tests that post ticks.
  static HWND TimerWindow() { return SharedTimerWindow(); }
  UINT_PTR TimerId() const { return id_; }

 protected:
  // One tick: calls OnTimer.
  virtual void Timer();

 private:
  void UpdateTimer();
  void Disarm();

  bool enabled_ = true;
  Cardinal interval_ = 1000;
  TNotifyEvent onTimer_;
  UINT_PTR id_ = 0;
};
