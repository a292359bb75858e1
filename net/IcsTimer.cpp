#include "net/IcsTimer.h"

#include <mutex>
#include <set>

DEFINE_CLASS(TIcsTimer)

namespace {

std::mutex timersLock;
std::set<UINT_PTR>& LiveTimers() {
  static std::set<UINT_PTR> timers;
  return timers;
}

UINT_PTR TimerId(const TIcsTimer* timer) { return reinterpret_cast<UINT_PTR>(timer); }

TIcsWndControl* RequireControl(TComponent* owner) {
  if (!owner) throw EIcsException(L"IcsTimer: Owner not assigned");
  auto* control = dynamic_cast<TIcsWndControl*>(owner);
  if (!control) throw EIcsException(L"IcsTimer: Owner not assigned");
  return control;
}

}  // namespace

bool IsLiveIcsTimer(UINT_PTR Id) {
  std::lock_guard<std::mutex> guard(timersLock);
  return LiveTimers().count(Id) != 0;
}

TIcsTimer::TIcsTimer(TComponent* AOwner) : TComponent(AOwner), control_(RequireControl(AOwner)) {
  std::lock_guard<std::mutex> guard(timersLock);
  LiveTimers().insert(TimerId(this));
}

TIcsTimer::~TIcsTimer() {
  {
    std::lock_guard<std::mutex> guard(timersLock);
    LiveTimers().erase(TimerId(this));
  }
  if (control_ && control_->WindowHandle()) KillTimer(control_->WindowHandle(), TimerId(this));
}

void TIcsTimer::SetEnabled(bool Value) {
  if (Value == enabled_) return;
  CheckWindow();
  enabled_ = Value;
  RearmTimer();
}

void TIcsTimer::SetInterval(Cardinal Value) {
  if (Value == interval_) return;
  CheckWindow();
  interval_ = Value;
  RearmTimer();
}

void TIcsTimer::SetOnTimer(const TNotifyEvent& Value) {
  CheckWindow();
  onTimer_ = Value;
  RearmTimer();
}

void TIcsTimer::CheckWindow() {
  if (control_->OwnerThreadId() == 0) throw EIcsException(L"IcsTimer: No window available");
}

void TIcsTimer::RearmTimer() {
  HWND window = control_->Handle();
  KillTimer(window, TimerId(this));
  armed_ = false;
  if (interval_ != 0 && enabled_ && onTimer_) {
    if (!SetTimer(window, TimerId(this), interval_, nullptr)) {
      enabled_ = false;
      throw EIcsException(L"No more timers");
    }
    armed_ = true;
  }
}

void TIcsTimer::Tick() {
  if (onTimer_) onTimer_(this);
}
