#pragma once
// A timer that ticks on the hidden window of its owner control. Its address is the system timer's
// id; the window only routes WM_TIMER ids of timers alive now.

#include "net/IcsWndControl.h"

// Ticks on its owner's window. The owner must be a TIcsWndControl.
class TIcsTimer : public TComponent {
  DECLARE_CLASS(TIcsTimer, TComponent)
 public:
  explicit TIcsTimer(TComponent* AOwner);
  ~TIcsTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool Value);
  Cardinal Interval() const { return interval_; }
  void SetInterval(Cardinal Value);
  const TNotifyEvent& OnTimer() const { return onTimer_; }
  void SetOnTimer(const TNotifyEvent& Value);

  // Whether a system timer is set now.
  bool Armed() const { return armed_; }
  TIcsWndControl* Control() const { return control_; }

  void Tick();

 private:
  void CheckWindow();
  void RearmTimer();

  TIcsWndControl* control_;
  bool enabled_ = true;
  Cardinal interval_ = 1000;
  TNotifyEvent onTimer_;
  bool armed_ = false;
};

// True for a timer object alive now (WM_TIMER ids are checked against this).
bool IsLiveIcsTimer(UINT_PTR Id);
