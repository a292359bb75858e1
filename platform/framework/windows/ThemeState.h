#pragma once
// Whether visual styles are in use, kept current by a hidden top-level window of its own that hears
// WM_THEMECHANGED (the application window does not pass it on). A change reaches every control of
// every form as CM_THEMECHANGED and then OnChange.

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(WINDOWS);

#include "platform/framework/classes/Events.h"
#include "platform/framework/windows/Messages.h"
#include "platform/framework/base/Win32.h"

class TThemeState {
 public:
  static TThemeState& Instance();

  // Themes are active for this program (system themes on and the program themed).
  bool Enabled();
  // Re-reads the state and tells every form (a new theme may keep the state but change the looks).
  void Refresh();
  HWND Window() const { return window_; }

  TNotifyEvent OnChange;

 private:
  TThemeState();
  void WndProc(TMessage& Message);
  static bool Query();

  HWND window_ = nullptr;
  bool enabled_ = false;
};

inline TThemeState& ThemeState() { return TThemeState::Instance(); }
