#pragma once
// TTimer: OnTimer every Interval milliseconds while Enabled, Interval > 0 and OnTimer is assigned.
//
// Every timer of the process runs on one hidden window. Each arming takes a fresh id from a
// run-wide counter and ids are never reused, so a WM_TIMER still queued for a freed, disabled or
// re-armed timer finds no live entry and is dropped. A timer may free, disable or re-arm itself in
// its own OnTimer.

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(WINDOWS);

#include "platform/framework/classes/Component.h"
#include "platform/framework/base/Win32.h"

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
  static HWND TimerWindow();
  UINT_PTR TimerId() const { return id_; }

 protected:
  // One tick: calls OnTimer.
  virtual void Timer();

 private:
  friend class TTimerHost;
  void UpdateTimer();
  void Disarm();

  bool enabled_ = true;
  Cardinal interval_ = 1000;
  TNotifyEvent onTimer_;
  UINT_PTR id_ = 0;
};
