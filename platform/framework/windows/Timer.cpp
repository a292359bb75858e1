#include "platform/framework/windows/Timer.h"

#include <unordered_map>

#include "platform/framework/windows/AllocateHWnd.h"
#include "platform/framework/windows/Messages.h"

DEFINE_CLASS(TTimer)

// The hidden window every timer runs on, and the table of live ids.
class TTimerHost {
 public:
  static TTimerHost& Instance() {
    // Never destroyed: timers freed during shutdown still find it.
    static TTimerHost* host = new TTimerHost;
    return *host;
  }

  HWND Window() {
    if (!window_) window_ = AllocateHWnd(TWndMethod(this, &TTimerHost::WndProc));
    return window_;
  }

  UINT_PTR Arm(UINT interval, TTimerCallback callback) {
    const UINT_PTR id = ++lastId_;
    if (!SetTimer(Window(), id, interval, nullptr)) return 0;
    live_[id] = std::move(callback);
    return id;
  }

  bool Armed(UINT_PTR id) const { return live_.count(id) != 0; }

  void Disarm(UINT_PTR id) {
    if (!id) return;
    live_.erase(id);
    if (window_) KillTimer(window_, id);
  }

 private:
  void WndProc(TMessage& Message) {
    if (Message.Msg != WM_TIMER) {
      DefaultWindowMessage(window_, Message);
      return;
    }
    const auto it = live_.find(Message.WParam);
    if (it == live_.end()) {
      // A tick of a timer that is gone or was re-armed.
      KillTimer(window_, Message.WParam);
      return;
    }
    // A copy: the callback may disarm (and so destroy) its own entry.
    const TTimerCallback callback = it->second;
    callback();
  }

  HWND window_ = nullptr;
  UINT_PTR lastId_ = 0;
  std::unordered_map<UINT_PTR, TTimerCallback> live_;
};

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {}

TTimer::~TTimer() { Disarm(); }

UINT_PTR ArmSharedTimer(UINT Interval, TTimerCallback Callback) {
  return TTimerHost::Instance().Arm(Interval, std::move(Callback));
}
void DisarmSharedTimer(UINT_PTR Id) { TTimerHost::Instance().Disarm(Id); }
bool SharedTimerArmed(UINT_PTR Id) { return Id && TTimerHost::Instance().Armed(Id); }
HWND SharedTimerWindow() { return TTimerHost::Instance().Window(); }

void TTimer::SetEnabled(bool Value) {
  if (enabled_ == Value) return;
  enabled_ = Value;
  UpdateTimer();
}

void TTimer::SetInterval(Cardinal Value) {
  if (interval_ == Value) return;
  interval_ = Value;
  UpdateTimer();
}

void TTimer::SetOnTimer(const TNotifyEvent& Value) {
  onTimer_ = Value;
  UpdateTimer();
}

void TTimer::Disarm() {
  DisarmSharedTimer(id_);
  id_ = 0;
}

void TTimer::UpdateTimer() {
  Disarm();
  if (enabled_ && interval_ > 0 && onTimer_) id_ = ArmSharedTimer(interval_, [this] { Timer(); });
}

void TTimer::Timer() {
  if (onTimer_) onTimer_(this);
}
