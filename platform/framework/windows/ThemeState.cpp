#include "platform/framework/windows/ThemeState.h"

#include <algorithm>

#include "platform/framework/windows/AllocateHWnd.h"
#include "platform/framework/windows/Forms.h"
#include "platform/framework/rtl/Seams.h"

TThemeState& TThemeState::Instance() {
  // Never destroyed: controls freed late may still ask.
  static TThemeState* state = new TThemeState;
  return *state;
}

TThemeState::TThemeState() : enabled_(Query()) {
  window_ = AllocateHWnd(TWndMethod(this, &TThemeState::WndProc));
}

bool TThemeState::Query() {
  auto active = Bound().IsThemeActive.Get();
  auto themed = Bound().IsAppThemed.Get();
  return active && themed && active() && themed();
}

bool TThemeState::Enabled() { return enabled_; }

void TThemeState::AddListener(const TNotifyEvent& Listener) {
  if (Listener && std::find(listeners_.begin(), listeners_.end(), Listener) == listeners_.end())
    listeners_.push_back(Listener);
}

void TThemeState::RemoveListener(const TNotifyEvent& Listener) {
  auto found = std::find(listeners_.begin(), listeners_.end(), Listener);
  if (found != listeners_.end()) listeners_.erase(found);
}

void TThemeState::Refresh() {
  enabled_ = Query();
  const std::vector<TNotifyEvent> listeners = listeners_;
  for (const TNotifyEvent& listener : listeners)
    if (std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end()) listener(nullptr);
  if (Screen) {
    for (int i = 0; i < Screen->FormCount(); ++i) Screen->Forms(i)->Perform(CM_THEMECHANGED);
  }
  if (OnChange) OnChange(nullptr);
}

void TThemeState::WndProc(TMessage& Message) {
  if (Message.Msg == WM_THEMECHANGED) {
    Refresh();
    Message.Result = 0;
    return;
  }
  DefaultWindowMessage(window_, Message);
}
