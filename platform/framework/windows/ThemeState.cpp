#include "platform/framework/windows/ThemeState.h"

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

void TThemeState::Refresh() {
  enabled_ = Query();
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
