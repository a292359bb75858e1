#pragma once
// The three thread hooks of the bar library (call-window, keyboard, mouse), installed with the
// first bar manager and removed with the last, and the routing of each manager's owner-window
// messages. Each hook procedure is a thin adapter: its work is a plain function that takes the
// hook's input and answers a decision, so the rules can be called directly.

#include "platform/framework/base/Types.h"
#include "platform/framework/base/Win32.h"
#include "platform/framework/graphics/Graphics.h"
#include "platform/framework/windows/ShortCuts.h"

class TdxBarManager;
class TdxBarItemLink;
class TCustomdxBarControl;

// The process-wide flags of the hooks (one GUI thread).
struct TdxBarHookFlags {
  // A toolbar window moves or sizes a toolbar: every key is swallowed.
  bool ToolbarDragging = false;
  // A bar edit control runs the keyboard procedure itself.
  bool DirectCall = false;
  // The key whose key-down was consumed, so that its key-up is swallowed too.
  bool KeyConsumed = false;
  Word ConsumedKey = 0;
  // Alt or F10 was pressed alone.
  bool MenuKeyPressed = false;
  bool AnotherAppActivated = false;
  // Set while the manager of a window is looked up: the call-window hook does no work.
  bool LookingUpManager = false;
  bool MouseHookBusy = false;
};
TdxBarHookFlags& BarHookFlags();

// Sets a flag for a scope and restores its value at the end, also when the scope raises.
class TdxBarFlagScope {
 public:
  explicit TdxBarFlagScope(bool& Flag) : flag_(Flag), old_(Flag) { Flag = true; }
  ~TdxBarFlagScope() { flag_ = old_; }
  TdxBarFlagScope(const TdxBarFlagScope&) = delete;
  TdxBarFlagScope& operator=(const TdxBarFlagScope&) = delete;

 private:
  bool& flag_;
  bool old_;
};

// ---- the hooks
void InstallBarHooks();
void RemoveBarHooks();
// 0 keyboard, 1 mouse, 2 call-window; null when not installed.
HHOOK BarHookHandle(int Kind);

// The keyboard procedure's work (no next hook): 0 passes the key on, 1 swallows it.
LRESULT BarKeyboardHookStep(int Code, WPARAM Key, LPARAM KeyFlags);
// The mouse procedure's work (no next hook): 0 passes, 1 swallows. The record may be changed.
LRESULT BarMouseHookStep(int Code, WPARAM Msg, MOUSEHOOKSTRUCT& Record);
// The call-window procedure's work before the next hook, and its MDI check after it.
void BarCallWndHookStep(const CWPSTRUCT& Record);
void BarCallWndHookAfterNext(const CWPSTRUCT& Record);
// The procedures themselves: each runs its work inside the exception boundary and then calls the
// next hook (the keyboard procedure not for a direct call).
LRESULT CALLBACK BarKeyboardHookProc(int Code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK BarMouseHookProc(int Code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK BarCallWndHookProc(int Code, WPARAM wParam, LPARAM lParam);
// A bar edit control passes a key through the keyboard procedure: 1 when the key handling
// swallowed it (the edit then drops the key), 0 otherwise. No other hook is called.
int BarKeyboardDirectCall(WPARAM Key, LPARAM KeyFlags);

// ---- the rules
// Key flags of a keyboard hook: bit 31 set on key-up.
inline bool IsKeyUpFlags(LPARAM KeyFlags) { return (KeyFlags & LPARAM(0x80000000)) != 0; }
bool HandleBarKey(Word Key, LPARAM KeyFlags);
// Esc and Del for the design selection (the last step of HandleBarKey): Esc releases the active bar
// window's capture or lets the selection handle it; Del deletes the selected links, Ctrl+Del their
// items. True when the key was used.
bool DesignSelectionKey(Word Key, bool Up, TCustomdxBarControl* Active);
// The customizing manager's owner when it is a child window that the pointer's descent from Window
// reaches; else null.
HWND CustomizingChildOwnerUnder(HWND Window, const TPoint& ScreenPoint);
// A press outside the design controller's quick-customization bar closes it, except a left or
// middle press on the mark of the toolbar that opened it.
void CloseQuickCustomizationBarOnPress(HWND Window, UINT Msg);
bool HandleMenuKey(Word Key, LPARAM KeyFlags);
// The manager the keyboard works with (menu-key mode for Alt and F10); null when none.
TdxBarManager* FindKeyboardManager(bool MenuKeyMode);
// The next manager of the same main window (MDI children: only the active child's), wrapping;
// Manager itself when there is no other.
TdxBarManager* NextManager(TdxBarManager* Manager, bool Forward);
void HandleOwnerMessage(TdxBarManager* Manager, HWND Window, UINT Msg, WPARAM wParam, LPARAM lParam);
void BroadcastOwnerMessage(HWND Window, UINT Msg, WPARAM wParam, LPARAM lParam);
// 3 no bar window active; 2 the active window's selected edit is editing; 1 the active window keeps
// the keys while something is selected; else 0 (the wheel is swallowed).
int ActiveBarControlWheelMode();
// Shortcuts of one manager: its main menu, the other visible toolbars that take shortcuts, its
// popup menus; the link of a toolbar with the shortcut.
TdxBarItemLink* FindLinkByShortCut(TdxBarManager* Manager, TShortCut ShortCut);
bool IsBarShortCut(TdxBarManager* Manager, TShortCut ShortCut);
// Runs the shortcut through the managers' order (the focused control's popup links first); then,
// with Alt down, the accelerators. True when the key was taken.
bool ProcessBarShortCut(TdxBarManager* Manager, Word Key, LPARAM KeyFlags);
// The key is down (through the bound GetKeyState, which tests replace).
bool BarKeyDown(int VirtualKey);
