#pragma once
// Whether visual styles are in use, kept current by a hidden top-level window of its own that hears
// WM_THEMECHANGED (the application window does not pass it on). A change reaches the listeners first,
// in the order they were added (caches of theme handles and the colours derived from the theme), then
// every control of every form as CM_THEMECHANGED, and then OnChange.

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(WINDOWS);

#include <vector>

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

  // Listeners hear a change (Sender null) before any form; each is listed once. A listener may add
  // or remove listeners while it is called: one removed before its turn is not called, one added is
  // called from the next change on.
  void AddListener(const TNotifyEvent& Listener);
  void RemoveListener(const TNotifyEvent& Listener);

  TNotifyEvent OnChange;

 private:
  TThemeState();
  void WndProc(TMessage& Message);
  static bool Query();

  HWND window_ = nullptr;
  bool enabled_ = false;
  std::vector<TNotifyEvent> listeners_;
};

inline TThemeState& ThemeState() { return TThemeState::Instance(); }
