#include "ui/bars/BarHooks.h"

#include <algorithm>

#include "platform/framework/base/Exceptions.h"
#include "platform/framework/rtl/Seams.h"
#include "platform/framework/windows/Forms.h"
#include "ui/bars/BarAccessibility.h"
#include "ui/bars/BarControl.h"
#include "ui/bars/BarItemControls.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarNavigation.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/Bars.h"
#include "ui/bars/PopupMenus.h"
#include "ui/bars/customize/DesignController.h"

namespace {

TdxBarHookFlags g_flags;
HHOOK g_hooks[3] = {};  // keyboard, mouse, call-window
bool g_insideCancelMode = false;

enum { kKeyboard = 0, kMouse = 1, kCallWnd = 2 };

bool IsOwnProcessWindow(HWND Window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(Window, &pid);
  return pid == GetCurrentProcessId();
}

HWND OwnerWindowOf(TdxBarManager* Manager) {
  auto* owner = Manager ? dynamic_cast<TWinControl*>(Manager->Owner()) : nullptr;
  return owner && owner->HandleAllocated() ? owner->Handle() : nullptr;
}

HWND FormWindow(TCustomForm* Form) { return Form && Form->HandleAllocated() ? Form->Handle() : nullptr; }

TCustomForm* MainForm() { return Application ? Application->MainForm() : nullptr; }

// Every toolbar window of the manager that floats with a window.
template <class F>
void ForEachFloatingWindow(TdxBarManager* Manager, F&& Body) {
  TdxBars* bars = Manager->Bars();
  for (int i = 0; bars && i < bars->Count(); ++i) {
    TdxBar* bar = bars->BarAt(i);
    if (!bar->IsFloatingWithWindow()) continue;
    TdxBarControl* window = bar->Control();
    if (window && window->HandleAllocated()) Body(bar, window);
  }
}

void HideFloatingWindow(TdxBarControl* Window) {
  if (!IsWindowVisible(Window->Handle())) return;
  Window->HideWindowStep();
  if (IsLiveBarControl(Window) && Window->HandleAllocated()) ShowWindow(Window->Handle(), SW_HIDE);
}

void ShowFloatingWindow(TdxBar* Bar, TdxBarControl* Window) {
  if (!Bar->Visible() || IsWindowVisible(Window->Handle())) return;
  ShowWindow(Window->Handle(), SW_SHOWNA);
  Window->Invalidate();
}

void RefreshFloatingWindow(TdxBarControl* Window) {
  SetWindowPos(Window->Handle(), nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  Window->Invalidate();
}

bool AnyToolbarMoving() {
  TdxBarManagerList* list = BarManagerList();
  for (int i = 0; list && i < list->Count(); ++i) {
    TdxBars* bars = list->ManagerAt(i)->Bars();
    if (bars && bars->IsMoving()) return true;
  }
  return false;
}

bool IsRoutedMessage(UINT Msg) {
  switch (Msg) {
    case WM_ACTIVATE: case WM_SYSCOLORCHANGE: case WM_SETTINGCHANGE: case WM_ACTIVATEAPP:
    case WM_CHILDACTIVATE: case WM_WINDOWPOSCHANGING: case WM_WINDOWPOSCHANGED: case WM_SYSCOMMAND:
    case WM_MDIACTIVATE:
      return true;
    default:
      return false;
  }
}

// ---- owner messages --------------------------------------------------------------------------------

void StoreLayout(TdxBarManager* Manager) {
  if (Manager->IsDesigning()) return;
  if (Manager->StoreInRegistry) Manager->WriteLayoutToRegistry(Manager->RegistryPath());
  if (Manager->StoreInIniFile) Manager->WriteLayoutToIni(Manager->IniFileName);
}

void ActivationMessage(TdxBarManager* Manager, HWND Window, UINT Msg, WPARAM wParam, LPARAM lParam) {
  switch (Msg) {
    case WM_ACTIVATE:
      Manager->OwnerActivate(LOWORD(wParam), HIWORD(wParam) != 0, reinterpret_cast<HWND>(lParam), Window);
      break;
    case WM_SYSCOLORCHANGE:
      RebuildCheckerBrush();
      Manager->RefreshColors();
      ForEachFloatingWindow(Manager, [](TdxBar*, TdxBarControl* w) { RefreshFloatingWindow(w); });
      break;
    case WM_SETTINGCHANGE:
      if (wParam == SPI_SETNONCLIENTMETRICS) Manager->ApplySystemFont();
      if (wParam == SPI_SETWORKAREA) Manager->KeepFloatingBarsInWorkArea();
      break;
    case WM_ACTIVATEAPP:
      Manager->AppActivate(wParam != 0);
      break;
    case WM_WINDOWPOSCHANGING: {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
      if (pos && (pos->flags & SWP_HIDEWINDOW)) Manager->SetMainFormActive(false, true, nullptr);
      break;
    }
    case WM_WINDOWPOSCHANGED: {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
      if (pos && (pos->flags & SWP_SHOWWINDOW)) Manager->SetMainFormActive(true, false, nullptr);
      break;
    }
    case WM_CHILDACTIVATE:
      Manager->SetMainFormActive(true, false, nullptr);
      break;
    case WM_SYSCOMMAND: {
      const UINT command = UINT(wParam & 0xFFF0);
      if (Manager->IsDesigning() && command == SC_KEYMENU) {
        TCustomdxBarControl* active = ActiveBarControl();
        if (active && active->OwningBarManager() == Manager) active->GuardedClose();
      }
      if (command == SC_MINIMIZE || command == SC_KEYMENU) {
        ForEachFloatingWindow(Manager, [](TdxBar*, TdxBarControl* w) { HideFloatingWindow(w); });
      } else if (command == SC_MAXIMIZE || command == SC_RESTORE) {
        ForEachFloatingWindow(Manager, [](TdxBar* bar, TdxBarControl* w) {
          ShowFloatingWindow(bar, w);
          if (IsWindowVisible(w->Handle())) RefreshFloatingWindow(w);
        });
      }
      break;
    }
    case WM_MDIACTIVATE:
      Manager->SetMainFormActive(reinterpret_cast<HWND>(lParam) == Window, false, nullptr);
      break;
    default:
      break;
  }
}

// The help context of an item control (its item's), 0 without one.
int ControlHelpContext(TdxBarItemControl* Control) {
  TdxBarItem* item = Control ? Control->LinkedItem() : nullptr;
  return item ? item->HelpContext() : 0;
}

void ShowHelpContext(TdxBarManager* Manager, int Context, const TPoint* At) {
  if (Context == 0 || !Application) return;
  TCustomForm* form = Manager->NearestOwnerForm();
  if (form && form->BorderIcons().Contains(biHelp)) {
    if (At) Application->HelpCommand(HELP_SETPOPUP_POS, NativeInt(MAKELONG(At->x, At->y)));
    Application->HelpCommand(HELP_CONTEXTPOPUP, Context);
  } else {
    Application->HelpContext(Context);
  }
}

void HelpMessage(TdxBarManager* Manager, LPARAM lParam) {
  const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
  if (Manager->IsDesigning() || !info || info->iContextType != HELPINFO_WINDOW) return;
  if (TCustomdxBarControl* active = ActiveBarControl()) {
    int context = ControlHelpContext(active->SelectedItemControl());
    for (TCustomdxBarControl* w = active; !context && w; w = w->ParentBar()) {
      context = ControlHelpContext(w->SelectedItemControl());
      if (!context && !w->ParentBar()) context = w->HelpContext;
    }
    CloseActiveBarMenus();
    ShowHelpContext(Manager, context, nullptr);
    return;
  }
  auto* window = dynamic_cast<TCustomdxBarControl*>(FindControl(static_cast<HWND>(info->hItemHandle)));
  if (!IsLiveBarControl(window)) return;
  const TPoint p = window->ScreenToClient(TPoint{info->MousePos.x, info->MousePos.y});
  TdxBarItemControl* control = window->ItemControlAt(p);
  const int context = ControlHelpContext(control);
  if (!context) return;
  const TRect r = control->ViewInfo()->GetBounds();
  const TPoint at = window->ClientToScreen(TPoint{(r.left + r.right) / 2, r.bottom});
  ShowHelpContext(Manager, context, &at);
}

void OtherMessage(TdxBarManager* Manager, UINT Msg, LPARAM lParam) {
  switch (Msg) {
    case WM_CREATE:
      if (Manager->HasRestoringList()) Manager->ShowRestoredBars(nullptr);
      break;
    case WM_CANCELMODE: {
      TdxBarFlagScope cancel(g_insideCancelMode);
      TCustomdxBarControl* active = ActiveBarControl();
      if (!AnyToolbarMoving() && active && active->OwningBarManager() == Manager && active->IsTransient())
        active->GuardedClose();
      break;
    }
    case WM_HELP:
      HelpMessage(Manager, lParam);
      break;
    case WM_DISPLAYCHANGE:
      RefreshScreenColorDepth();
      Manager->KeepFloatingBarsInWorkArea();
      break;
    default:
      break;
  }
}

// ---- the call-window hook's dispatch ----------------------------------------------------------------

TdxBarManager* ManagerOfWindowLookedUp(HWND Window) {
  TdxBarFlagScope looking(g_flags.LookingUpManager);
  return BarManagerOfWindow(Window);
}

void DispatchToManagers(const CWPSTRUCT& R) {
  if (R.message == WM_ACTIVATE) {
    const HWND other = reinterpret_cast<HWND>(R.lParam);
    if (other && IsOwnProcessWindow(other) && (GetParent(R.hwnd) == other || GetParent(other) == R.hwnd)) return;
  }
  HWND target = R.hwnd;
  if (R.message == WM_HELP) {
    if (TdxBarManager* activeManager = ActiveBarManager()) {
      TCustomForm* form = ControlFormOfKind(dynamic_cast<TWinControl*>(FindControl(R.hwnd)), bfkAny);
      if (!form || FindBarManagerOwnedBy(form) != activeManager) {
        if (HWND own = FormWindow(activeManager->NearestOwnerForm())) target = own;
      }
    }
  }
  TdxBarManager* manager = ManagerOfWindowLookedUp(target);
  if (!manager && R.message == WM_ACTIVATE) {
    HWND parent = GetParent(target);
    if (parent && IsWindowVisible(parent)) manager = ManagerOfWindowLookedUp(parent);
  }
  if (manager) HandleOwnerMessage(manager, R.hwnd, R.message, R.wParam, R.lParam);
  BroadcastOwnerMessage(target, R.message, R.wParam, R.lParam);
}

bool IsMDIClient(HWND Window) {
  wchar_t name[32] = {};
  return Window && GetClassNameW(Window, name, 32) && lstrcmpiW(name, L"MDICLIENT") == 0;
}

// ---- keys --------------------------------------------------------------------------------------------

bool IsAltAlone(Word Key) { return Key == VK_MENU && !BarKeyDown(VK_CONTROL); }
bool IsPlainF10(TdxBarManager* Manager, Word Key) {
  return Key == VK_F10 && Manager->UseF10ForMenu && !BarKeyDown(VK_SHIFT) && !BarKeyDown(VK_CONTROL) &&
         !BarKeyDown(VK_MENU);
}

bool ConsumedKeyStillDown(Word Key) { return BarKeyDown(Key); }

// Runs an accelerator found on a toolbar window; True when one was usable.
bool RunAccelerator(TCustomdxBarControl* Window, Word Key, TShiftState Shift) {
  if (!Window || !Window->HandleAllocated() || !IsWindowVisible(Window->Handle())) return false;
  bool ambiguous = false;
  TdxBarItemLink* link = Window->FindEnabledLinkByKey(Key, Shift, nullptr, ambiguous);
  if (!link) return false;
  TdxBarItemControl* control = link->ItemControl();
  if (!control) return false;
  if (!control->ClosesMenusOnClick() || ambiguous) Window->SelectAndActivate(control);
  if (!ambiguous) {
    if (control->ActsAsButton() || control->HasDropDown()) Window->Downed = true;
    control->ControlClick(false, 0);
  }
  return true;
}

// The toolbars of a manager in shortcut order: its main menu, then the other visible toolbars.
std::vector<TdxBar*> ShortCutBars(TdxBarManager* Manager) {
  std::vector<TdxBar*> result;
  TdxBars* bars = Manager->Bars();
  if (!bars) return result;
  if (TdxBar* main = Manager->MainMenuBar()) result.push_back(main);
  for (int i = 0; i < bars->Count(); ++i) {
    TdxBar* bar = bars->BarAt(i);
    if (bar != Manager->MainMenuBar() && bar->Visible()) result.push_back(bar);
  }
  return result;
}

// The managers of the shortcut walk: from the manager's owner window up through child windows,
// then the rest of its NextManager cycle.
std::vector<TdxBarManager*> ShortCutManagers(TdxBarManager* Manager) {
  std::vector<TdxBarManager*> result;
  auto add = [&](TdxBarManager* m) {
    if (m && std::find(result.begin(), result.end(), m) == result.end()) result.push_back(m);
  };
  for (HWND w = OwnerWindowOf(Manager); w; w = (GetWindowLongPtrW(w, GWL_STYLE) & WS_CHILD) ? GetParent(w) : nullptr)
    add(ManagerOfWindowLookedUp(w));
  add(Manager);
  for (TdxBarManager* m = NextManager(Manager, true); m && m != Manager; m = NextManager(m, true)) {
    if (std::find(result.begin(), result.end(), m) != result.end()) break;
    add(m);
  }
  return result;
}

bool ManagerHasKeyboardFocusedBar(TdxBarManager* Manager) {
  TdxBars* bars = Manager->Bars();
  for (int i = 0; bars && i < bars->Count(); ++i) {
    TdxBarControl* w = bars->BarAt(i)->Control();
    if (w && IsLiveBarControl(w) && w->IsKeyboardFocusedBar()) return true;
  }
  return false;
}

// ---- the hook procedures' adapters -------------------------------------------------------------

}  // namespace

TdxBarHookFlags& BarHookFlags() { return g_flags; }

bool BarKeyDown(int VirtualKey) { return Bound().GetKeyState(VirtualKey) < 0; }

void InstallBarHooks() {
  const DWORD thread = GetCurrentThreadId();
  if (!g_hooks[kKeyboard]) g_hooks[kKeyboard] = SetWindowsHookExW(WH_KEYBOARD, &BarKeyboardHookProc, nullptr, thread);
  if (!g_hooks[kMouse]) g_hooks[kMouse] = SetWindowsHookExW(WH_MOUSE, &BarMouseHookProc, nullptr, thread);
  if (!g_hooks[kCallWnd]) g_hooks[kCallWnd] = SetWindowsHookExW(WH_CALLWNDPROC, &BarCallWndHookProc, nullptr, thread);
}

void RemoveBarHooks() {
  for (int kind : {kCallWnd, kMouse, kKeyboard}) {
    if (g_hooks[kind]) UnhookWindowsHookEx(g_hooks[kind]);
    g_hooks[kind] = nullptr;
  }
}

HHOOK BarHookHandle(int Kind) { return Kind >= 0 && Kind < 3 ? g_hooks[Kind] : nullptr; }

LRESULT CALLBACK BarKeyboardHookProc(int Code, WPARAM wParam, LPARAM lParam) {
  const bool direct = g_flags.DirectCall;
  const LRESULT result = Guarded(LRESULT(0), [&] { return BarKeyboardHookStep(Code, wParam, lParam); });
  if (direct) return result;
  const LRESULT next = CallNextHookEx(g_hooks[kKeyboard], Code, wParam, lParam);
  return result ? result : next;
}

LRESULT CALLBACK BarMouseHookProc(int Code, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (lParam) {
    MOUSEHOOKSTRUCT& record = *reinterpret_cast<MOUSEHOOKSTRUCT*>(lParam);
    result = Guarded(LRESULT(0), [&] { return BarMouseHookStep(Code, wParam, record); });
  }
  const LRESULT next = CallNextHookEx(g_hooks[kMouse], Code, wParam, lParam);
  return result ? result : next;
}

LRESULT CALLBACK BarCallWndHookProc(int Code, WPARAM wParam, LPARAM lParam) {
  const auto* record = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (Code >= 0 && record) Guarded([&] { BarCallWndHookStep(*record); });
  const LRESULT next = CallNextHookEx(g_hooks[kCallWnd], Code, wParam, lParam);
  if (Code >= 0 && record) Guarded([&] { BarCallWndHookAfterNext(*record); });
  return next;
}

int BarKeyboardDirectCall(WPARAM Key, LPARAM KeyFlags) {
  TdxBarFlagScope direct(g_flags.DirectCall);
  return BarKeyboardHookProc(0, Key, KeyFlags) != 0 ? 1 : 0;
}

// ---- the work of the procedures ---------------------------------------------------------------------

LRESULT BarKeyboardHookStep(int Code, WPARAM Key, LPARAM KeyFlags) {
  // A negative code is never looked at, not even while a toolbar is dragged.
  if (Code < 0 || Code == HC_NOREMOVE) return 0;
  if (g_flags.ToolbarDragging || AnyToolbarMoving()) return 1;
  if (Key == VK_PROCESSKEY) return 0;
  if (HandleBarKey(Word(Key), KeyFlags)) return 1;
  if (!GetCapture() && HandleMenuKey(Word(Key), KeyFlags)) return 1;
  return 0;
}

HWND CustomizingChildOwnerUnder(HWND Window, const TPoint& ScreenPoint) {
  TdxBarManagerList* list = BarManagerList();
  TdxBarManager* customizing = list ? list->CustomizingManager() : nullptr;
  HWND owner = customizing ? OwnerWindowOf(customizing) : nullptr;
  if (!owner || !Window || !(GetWindowLongPtrW(owner, GWL_STYLE) & WS_CHILD)) return nullptr;
  // The descent passes the owner when the owner holds the deepest window and lies within Window.
  HWND deepest = DeepestChildAtPoint(Window, ScreenPoint);
  const bool passes = (deepest == owner || IsChild(owner, deepest)) && (Window == owner || IsChild(Window, owner));
  return passes ? owner : nullptr;
}

void CloseQuickCustomizationBarOnPress(HWND Window, UINT Msg) {
  TdxBarDesignController* controller = DesignControllerInstance();
  TCustomdxBarControl* bar = controller ? controller->QuickCustomizationBar() : nullptr;
  if (!IsLiveBarControl(bar) || bar->IsActive() || bar->IsCustomizing() || !bar->HandleAllocated()) return;
  TCustomdxBarControl* opener = bar->ParentBar();
  // Its own menus (the add-or-remove list) keep it open.
  for (TCustomdxBarControl* w = bar; w; w = w->ChildBar()) {
    if (w->HandleAllocated() && (Window == w->Handle() || IsChild(w->Handle(), Window))) return;
  }
  if (Msg != WM_RBUTTONDOWN && IsLiveBarControl(opener) && opener->CursorOnMark()) return;
  controller->ResetQuickCustomizationBar();
}

bool HandleBarKey(Word Key, LPARAM KeyFlags) {
  const bool up = IsKeyUpFlags(KeyFlags);
  if (g_flags.KeyConsumed && g_flags.ConsumedKey == Key && up) {
    g_flags.KeyConsumed = false;
    return true;
  }
  TdxBarNavigationController* nav = BarNavigationController();
  if (nav && nav->WantsNavigationKey(Key)) {
    if (!up) {
      g_flags.KeyConsumed = true;
      g_flags.ConsumedKey = Key;
      nav->HandleKey(Key, nullptr, nullptr);
      if (nav->CurrentSelectedParent() || !ConsumedKeyStillDown(Key)) g_flags.KeyConsumed = false;
    }
    return true;
  }
  TCustomdxBarControl* active = ActiveBarControl();
  if (active && active->HandleAllocated() && ActiveBarWindowEnabled() && !active->IsCustomizing()) {
    TdxBarItemControl* selected = active->SelectedItemControl();
    if (selected && selected->IsEditing()) return false;
    if (!up) {
      g_flags.KeyConsumed = true;
      g_flags.ConsumedKey = Key;
    }
    SendMessageW(active->Handle(), up ? WM_KEYUP : WM_KEYDOWN, Key, KeyFlags);
    if (ActiveBarControl() || !ConsumedKeyStillDown(Key)) g_flags.KeyConsumed = false;
    return true;
  }
  return DesignSelectionKey(Key, up, active);
}

bool DesignSelectionKey(Word Key, bool Up, TCustomdxBarControl* Active) {
  if (Key == VK_ESCAPE) {
    if (Active && Active->HandleAllocated() && GetCapture() == Active->Handle()) {
      ReleaseCapture();
      return true;
    }
    TdxBarDesignController* controller = DesignControllerInstance();
    return !Up && controller && controller->HandleEscapeOnSelection();
  }
  if (Key == VK_DELETE && !Up) {
    // Del deletes the selected links, Ctrl+Del their items; what deletes nothing lets the key pass.
    TdxBarDesignController* controller = DesignControllerInstance();
    return controller && controller->DeleteSelectedObjects(BarKeyDown(VK_CONTROL), true);
  }
  return false;
}

TdxBarManager* FindKeyboardManager(bool MenuKeyMode) {
  TdxBarManagerList* list = BarManagerList();
  if (!list || list->Count() == 0) return nullptr;
  TdxBarManager* found = nullptr;
  auto managerOf = [&](HWND w) -> TdxBarManager* {
    if (MenuKeyMode) {
      TdxBarManager* m = ManagerOfWindowLookedUp(w);
      return m && RootAccessibilityHelperOf(m) ? m : nullptr;
    }
    return ManagerOfWindowLookedUp(w);
  };
  for (HWND w = GetFocus(); w && !found; w = (GetWindowLongPtrW(w, GWL_STYLE) & WS_CHILD) ? GetParent(w) : nullptr)
    found = managerOf(w);
  if (!found && Screen) {
    if (TCustomForm* active = Screen->ActiveForm()) found = managerOf(FormWindow(active));
  }
  if (!found) {
    TCustomForm* main = MainForm();
    HWND mainWindow = FormWindow(main);
    if (mainWindow && IsWindowEnabled(mainWindow)) {
      TdxBarManager* m = managerOf(mainWindow);
      if (m && m->AllowCallFromAnotherForm) found = m;
    }
  }
  if (!found && !MenuKeyMode) {
    HWND activeWindow = GetActiveWindow();
    auto* form = dynamic_cast<TCustomForm*>(FindControl(activeWindow));
    for (int i = 0; form && !found && i < list->Count(); ++i) {
      if (list->ManagerAt(i)->MainFormOf() == form) found = list->ManagerAt(i);
    }
  }
  if (!found || found->IsCustomizing() || found->IsDesigning()) return nullptr;
  TdxBarManager* m = found;
  do {
    if (ManagerHasKeyboardFocusedBar(m)) return nullptr;
    m = NextManager(m, true);
  } while (m && m != found);
  return found;
}

bool HandleMenuKey(Word Key, LPARAM KeyFlags) {
  const bool menuKey = Key == VK_MENU || Key == VK_F10;
  TdxBarManager* manager = FindKeyboardManager(menuKey);
  if (!manager) return false;
  TdxBarNavigationController* nav = BarNavigationController();
  IdxBarAccessibilityHelper* root = RootAccessibilityHelperOf(manager);
  const bool up = IsKeyUpFlags(KeyFlags);
  const bool menuAlone = IsAltAlone(Key) || IsPlainF10(manager, Key);
  if (!up) {
    if (!menuAlone || (g_flags.KeyConsumed && g_flags.ConsumedKey == Key)) {
      if (nav) nav->EndKeyTipsWaiting(false);
      return ProcessBarShortCut(manager, Key, KeyFlags);
    }
    manager->HideItemHint();
    g_flags.MenuKeyPressed = true;
    if (nav && root && root->KeyTipsSupported()) {
      // A wait for another root ends before this one starts.
      if (nav->IsKeyTipsWaiting()) nav->EndKeyTipsWaiting(false);
      g_flags.MenuKeyPressed = true;
      nav->StartKeyTipsWaiting(root);
    }
    return false;
  }
  if ((Key == VK_MENU && g_flags.MenuKeyPressed) || (Key == VK_F10 && manager->UseF10ForMenu && IsPlainF10(manager, Key))) {
    g_flags.MenuKeyPressed = false;
    if (nav && root) {
      const bool tips = root->KeyTipsSupported() != nullptr;
      nav->EndKeyTipsWaiting(false);
      nav->SelectDefaultObject(root);
      if (tips) nav->SetKeyTipsContainer(root, String());
    }
    return true;
  }
  if (nav) nav->EndKeyTipsWaiting(false);
  return false;
}

TdxBarItemLink* FindLinkByShortCut(TdxBarManager* Manager, TShortCut ShortCut) {
  for (TdxBar* bar : ShortCutBars(Manager)) {
    TdxBarItemLinks* links = bar->ItemLinks();
    for (int i = 0; links && i < links->Count(); ++i) {
      TdxBarItemLink* link = links->LinkAt(i);
      if (link->Item() && link->Item()->ShortCut() == ShortCut) return link;
    }
  }
  return nullptr;
}

bool IsBarShortCut(TdxBarManager* Manager, TShortCut ShortCut) {
  return ShortCut != scNone && FindLinkByShortCut(Manager, ShortCut) != nullptr;
}

bool ProcessBarShortCut(TdxBarManager* Manager, Word Key, LPARAM KeyFlags) {
  const TShortCut shortCut = KeyWithShiftState(Key, KeyFlags);
  if (shortCut == scNone) return false;
  // The focused control's popup menus first.
  if (TControl* focused = FindControl(GetFocus())) {
    if (TdxBarManager* own = BarManagerForComponent(focused)) {
      if (own->PopupMenuLinks()->IsShortCut(focused, shortCut)) return true;
    }
  }
  const std::vector<TdxBarManager*> managers = ShortCutManagers(Manager);
  for (TdxBarManager* m : managers) {
    for (TdxBar* bar : ShortCutBars(m)) {
      TdxBarControl* window = bar->Control();
      const bool takes = bar == m->MainMenuBar() || (window && window->HandleAllocated());
      if (takes && bar->ItemLinks() && bar->ItemLinks()->HandleShortCut(shortCut)) return true;
    }
    for (int i = 0; i < m->PopupMenuCount(); ++i) {
      if (m->PopupMenuAt(i)->ShortCutPressed(Key, KeyFlags)) return true;
    }
  }
  if (!(KeyFlags & (LPARAM{1} << 29))) return false;
  TShiftState shift;
  if (BarKeyDown(VK_SHIFT)) shift.Include(ssShift);
  if (BarKeyDown(VK_CONTROL)) shift.Include(ssCtrl);
  for (TdxBarManager* m : managers) {
    for (TdxBar* bar : ShortCutBars(m)) {
      if (RunAccelerator(bar->Control(), Key, shift)) return true;
    }
  }
  return false;
}

TdxBarManager* NextManager(TdxBarManager* Manager, bool Forward) {
  TdxBarManagerList* list = BarManagerList();
  if (!list || !Manager) return Manager;
  const int n = list->Count();
  const int start = list->IndexOf(Manager);
  if (start < 0 || n < 2) return Manager;
  TCustomForm* main = Manager->MainFormOf();
  HWND mainWindow = FormWindow(main);
  for (int step = 1; step < n; ++step) {
    const int i = Forward ? (start + step) % n : (start - step + n) % n;
    TdxBarManager* m = list->ManagerAt(i);
    HWND owner = OwnerWindowOf(m);
    if (!owner || !mainWindow) continue;
    const bool inside = owner == mainWindow || IsChild(mainWindow, owner) || GetAncestor(owner, GA_ROOTOWNER) == mainWindow;
    if (!inside) continue;
    TCustomForm* form = m->MDIChildOrTopForm();
    if (IsRunTimeMDIChild(form)) {
      TCustomForm* frame = MainForm();
      if (!frame || frame->ActiveMDIChild() != form) continue;
    }
    return m;
  }
  return Manager;
}

void HandleOwnerMessage(TdxBarManager* Manager, HWND Window, UINT Msg, WPARAM wParam, LPARAM lParam) {
  auto* owner = dynamic_cast<TWinControl*>(Manager->Owner());
  const bool ownerGoing = !owner || owner->ComponentState().Contains(csDestroying) || Manager->BeingDestroyed();
  if (ownerGoing) {
    if (Msg == WM_DESTROY && owner && Window == OwnerWindowOf(Manager)) StoreLayout(Manager);
    return;
  }
  if (!Manager->Bars()) return;
  if (IsRoutedMessage(Msg))
    ActivationMessage(Manager, Window, Msg, wParam, lParam);
  else
    OtherMessage(Manager, Msg, lParam);
}

void BroadcastOwnerMessage(HWND Window, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (!IsRoutedMessage(Msg)) return;
  TdxBarManagerList* list = BarManagerList();
  if (!list) return;
  // A manager freed by a handler leaves the list: the walk copies it first.
  std::vector<TdxBarManager*> managers;
  for (int i = 0; i < list->Count(); ++i) managers.push_back(list->ManagerAt(i));
  for (TdxBarManager* m : managers) {
    if (list->IndexOf(m) < 0) continue;
    HWND owner = OwnerWindowOf(m);
    if (!owner || owner == Window || !IsChild(Window, owner) || !IsBarManagerOwnerWindow(m, owner)) continue;
    HandleOwnerMessage(m, Window, Msg, wParam, lParam);
  }
}

void BarCallWndHookStep(const CWPSTRUCT& R) {
  if (R.message == WM_ACTIVATE && LOWORD(R.wParam) == 0) {
    const HWND other = reinterpret_cast<HWND>(R.lParam);
    if (other && !IsOwnProcessWindow(other)) g_flags.AnotherAppActivated = true;
  } else if (R.message == WM_ACTIVATEAPP) {
    g_flags.AnotherAppActivated = false;
  }
  if (g_flags.LookingUpManager || !BarManagerList()) return;
  DispatchToManagers(R);
  TCustomForm* main = MainForm();
  if (main && main->FormStyle() == fsMDIForm && main->HandleAllocated() && R.hwnd == main->Handle() &&
      R.message == WM_ACTIVATE && !AnyBarPopupMenuOpen()) {
    TCustomForm* child = main->ActiveMDIChild();
    TdxBarManagerList* list = BarManagerList();
    for (int i = 0; child && list && i < list->Count(); ++i) {
      TdxBarManager* m = list->ManagerAt(i);
      if (m->MDIChildOrTopForm() != child) continue;
      auto* bar = dynamic_cast<TCustomdxBarControl*>(FindControl(reinterpret_cast<HWND>(R.lParam)));
      if (IsLiveBarControl(bar) && IsRunTimeMDIChild(bar->OwningBarManager()->MDIChildOrTopForm())) continue;
      m->UpdateFloatingBarsVisibility(LOWORD(R.wParam) != 0, false, reinterpret_cast<HWND>(R.lParam));
    }
  }
}

void BarCallWndHookAfterNext(const CWPSTRUCT& R) {
  if (R.message != WM_DESTROY && R.message != WM_CHILDACTIVATE && R.message != WM_MDIACTIVATE) return;
  if (!IsMDIClient(GetParent(R.hwnd))) return;
  TCustomForm* main = MainForm();
  if (!main || !main->HandleAllocated() || main->ComponentState().Contains(csDestroying)) return;
  if (TdxBarManager* manager = FindBarManagerOwnedBy(main)) manager->CheckMDIState();
}

LRESULT BarMouseHookStep(int Code, WPARAM Msg, MOUSEHOOKSTRUCT& R) {
  TdxBarNavigationController* nav = BarNavigationController();
  UINT msg = UINT(Msg);
  const bool press = IsButtonPressMessage(msg);
  if (Code == 0 && press && nav) nav->ResetNavigationMode();
  if (msg == WM_MOUSEWHEEL && Code >= 0 && ActiveBarControlWheelMode() == 0) return 1;
  if (GetCapture() == R.hwnd && msg != WM_RBUTTONUP) return 0;

  // (a) while customizing, a click inside an owner that is a child window counts as a click on the
  // owner's frame, which (b) hands to the toolbar under the pointer.
  if (HWND owner = CustomizingChildOwnerUnder(R.hwnd, TPoint{R.pt.x, R.pt.y})) {
    if (msg >= WM_MOUSEMOVE && msg <= WM_MBUTTONDBLCLK) msg -= WM_MOUSEMOVE - WM_NCMOUSEMOVE;
    R.hwnd = owner;
    R.wHitTestCode = UINT(HTERROR);
  }

  // (b) while customizing, a click on a disabled owner reaches the toolbar under the pointer.
  TdxBarControl* redirect = nullptr;
  if (R.wHitTestCode == UINT(HTERROR) && IsOwnProcessWindow(R.hwnd)) {
    TdxBarManagerList* list = BarManagerList();
    TdxBarManager* customizing = list ? list->CustomizingManager() : nullptr;
    HWND owner = customizing ? OwnerWindowOf(customizing) : nullptr;
    HWND active = GetActiveWindow();
    if (customizing && owner && (active == owner || IsChild(owner, active))) {
      TdxBars* bars = customizing->Bars();
      for (int i = 0; bars && i < bars->Count() && !redirect; ++i) {
        TdxBarControl* w = bars->BarAt(i)->Control();
        if (w && w->HandleAllocated() && w->CursorOverThisWindow()) redirect = w;
      }
      if (redirect) {
        R.hwnd = redirect->Handle();
        R.wHitTestCode = UINT(SendMessageW(R.hwnd, WM_NCHITTEST, 0, MAKELPARAM(R.pt.x, R.pt.y)));
        SendMessageW(R.hwnd, WM_SETCURSOR, WPARAM(R.hwnd), MAKELONG(R.wHitTestCode, msg));
      }
    }
  }

  // (c) a click elsewhere closes the menus.
  if (Code >= 0 && !g_flags.MouseHookBusy && ActiveBarControl()) {
    TdxBarFlagScope busy(g_flags.MouseHookBusy);
    auto accepts = [&](TCustomdxBarControl* head, bool& byOwning) {
      byOwning = false;
      TdxBarManager* m = head->OwningBarManager();
      if (!head->WindowIsEnabled() && m && !m->IsDesigning() && !m->IsCustomizing()) return true;
      for (TCustomdxBarControl* w = head; w; w = w->ParentBar()) {
        if (w->ContainsWindow(R.hwnd)) return true;
      }
      if (head->OwnsWindow(R.hwnd)) return byOwning = true;
      return false;
    };
    TCustomdxBarControl* head = ActiveBarControl();
    bool byOwning = false;
    const bool accepted = accepts(head, byOwning);
    if ((msg == WM_RBUTTONUP || msg == WM_NCRBUTTONUP || msg == WM_MBUTTONUP || msg == WM_NCMBUTTONUP) && !accepted) {
      auto* bar = dynamic_cast<TCustomdxBarControl*>(FindControl(R.hwnd));
      TdxBarItemControl* under = IsLiveBarControl(bar) ? bar->SelectedItemControl() : nullptr;
      if (!under) return 1;
    }
    if (press && !AnyToolbarMoving()) {
      if (accepted) {
        if (byOwning) head->NotifyPointerAt(TPoint{R.pt.x, R.pt.y});
      } else {
        while ((head = ActiveBarControl()) != nullptr) {
          if (accepts(head, byOwning)) break;
          head->MouseDownOutside(TPoint{R.pt.x, R.pt.y});
          head->GuardedClose();
          if (!IsWindowVisible(R.hwnd)) return 1;
          if (ActiveBarControl() == head) break;  // it would not close
        }
      }
    }
  }

  // (d) a press elsewhere closes the quick-customization bar (on its toolbar's mark only a right press).
  if (press) CloseQuickCustomizationBarOnPress(R.hwnd, msg);

  // (e) a press ends keyboard navigation and key tips.
  if (press && nav && (nav->StoredSelected() || nav->IsKeyTipsWaiting() || nav->KeyTipsShowing()))
    nav->StopKeyboardHandling();

  // (f) the redirected message goes to the toolbar in client coordinates.
  if (redirect) {
    UINT client = msg;
    if (msg >= WM_NCMOUSEMOVE && msg <= WM_NCMBUTTONDBLCLK) client = msg + (WM_MOUSEMOVE - WM_NCMOUSEMOVE);
    WPARAM keys = 0;
    if (BarKeyDown(VK_CONTROL)) keys |= MK_CONTROL;
    if (BarKeyDown(VK_LBUTTON)) keys |= MK_LBUTTON;
    if (BarKeyDown(VK_MBUTTON)) keys |= MK_MBUTTON;
    if (BarKeyDown(VK_RBUTTON)) keys |= MK_RBUTTON;
    if (BarKeyDown(VK_SHIFT)) keys |= MK_SHIFT;
    const TPoint p = redirect->ScreenToClient(TPoint{R.pt.x, R.pt.y});
    SendMessageW(redirect->Handle(), client, keys, MAKELPARAM(p.x, p.y));
    return 1;
  }
  return 0;
}

int ActiveBarControlWheelMode() {
  TCustomdxBarControl* active = ActiveBarControl();
  if (!active) return 3;
  TdxBarItemControl* selected = active->SelectedItemControl();
  if (selected && selected->IsEditing()) return 2;
  if (active->SelectionKeepsKeys()) return 1;
  return 0;
}

// ---- the manager's owner-window operations ------------------------------------------------------

void TdxBarManager::OwnerActivate(int State, bool Minimized, HWND OtherWindow, HWND Window) {
  TdxBarFlagScope inside(insideActivation_);
  TCustomForm* form = MDIChildOrTopForm();
  if (IsRunTimeMDIChild(form)) {
    TCustomForm* main = MainForm();
    if (!main || main->ActiveMDIChild() != form) return;
  }
  auto* otherBar = dynamic_cast<TCustomdxBarControl*>(FindControl(OtherWindow));
  const bool otherIsBar = IsLiveBarControl(otherBar);
  HWND formWindow = FormWindow(form);
  if (State != 0 || !otherIsBar || otherBar->OwningBarManager()->MDIChildOrTopForm() != form) {
    TCustomdxBarControl* active = ActiveBarControl();
    TdxBarItemControl* selected = active ? active->SelectedItemControl() : nullptr;
    if (selected && OtherWindow && selected->OwnsWindow(OtherWindow)) return;
    const bool disabled = formWindow && !IsWindowEnabled(formWindow);
    const bool active2 = State != 0 || (OtherWindow && OtherWindow == formWindow) ||
                         (mainFormActive_ && disabled && !IsDesigning());
    SetMainFormActive(active2, false, OtherWindow);
  }
  (void)Minimized;
  if (State == 0 && OtherWindow != formWindow && mouseTrackedBar_) {
    TCustomdxBarControl* tracked = mouseTrackedBar_;
    EndMouseTracking(tracked);
    tracked->MouseLeaveEvent();
  }
  (void)Window;
}

void TdxBarManager::AppActivate(bool Active) {
  if (g_insideCancelMode) return;
  HWND formWindow = FormWindow(MDIChildOrTopForm());
  if (!Active) {
    if (mainFormActive_ && formWindow && !IsWindowEnabled(formWindow)) inactiveWhileDisabled_ = true;
    SetMainFormActive(false, false, nullptr);
    TCustomdxBarControl* active = ActiveBarControl();
    if (active && active->OwningBarManager() == this) active->GuardedClose();
    if (selectedItemControl_ && selectedItemControl_->BarControl() && selectedItemControl_->BarControl()->HandleAllocated())
      SendMessageW(selectedItemControl_->BarControl()->Handle(), WM_MOUSELEAVE, 0, 0);
  } else if (inactiveWhileDisabled_) {
    inactiveWhileDisabled_ = false;
    SetMainFormActive(true, false, nullptr);
  }
}

void TdxBarManager::SetMainFormActive(bool Active, bool Force, HWND Window) {
  if (Active == mainFormActive_) return;
  mainFormActive_ = Active;
  UpdateFloatingBarsVisibility(Active, Force, Window);
}

void TdxBarManager::UpdateFloatingBarsVisibility(bool Active, bool Force, HWND Window) {
  if (insideFloatingPass_ || !bars_) return;
  TdxBarFlagScope inside(insideFloatingPass_);
  const bool hiding = HideFloatingBarsWhenInactive() || Force;
  if (!hiding) ForEachFloatingWindow(this, [](TdxBar*, TdxBarControl* w) { w->Invalidate(); });
  if (!Active) {
    HWND mainWindow = FormWindow(MainFormOf());
    if (Window && mainWindow && GetParent(Window) == mainWindow) return;
    TCustomdxBarControl* active = ActiveBarControl();
    if (active && active->CanCloseFor(this, Window)) active->GuardedClose();
    if (TdxBarNavigationController* nav = BarNavigationController()) nav->StopKeyboardHandling();
    if (!hiding) return;
    const bool formWindow = dynamic_cast<TCustomForm*>(FindControl(Window)) != nullptr;
    const bool leaves = !Window || formWindow || !IsOwnProcessWindow(Window) ||
                        (Application && Window == Application->Handle());
    if (!leaves) return;
    ForEachFloatingWindow(this, [](TdxBar*, TdxBarControl* w) { HideFloatingWindow(w); });
    if (HWND nearest = FormWindow(NearestOwnerForm())) SendMessageW(nearest, WM_NCACTIVATE, FALSE, 0);
    return;
  }
  HWND owner = OwnerWindowOf(this);
  if (!owner || !IsWindowVisible(owner)) return;
  for (HWND w = owner; w; w = GetParent(w)) {
    if (IsIconic(w)) return;
    if (!(GetWindowLongPtrW(w, GWL_STYLE) & WS_CHILD)) break;
  }
  ForEachFloatingWindow(this, [](TdxBar* bar, TdxBarControl* w) { ShowFloatingWindow(bar, w); });
}

void TdxBarManager::KeepFloatingBarsInWorkArea() {
  HWND owner = OwnerWindowOf(this);
  if (!owner || !bars_) return;
  RECT ownerRect{};
  GetWindowRect(owner, &ownerRect);
  const POINT centre{(ownerRect.left + ownerRect.right) / 2, (ownerRect.top + ownerRect.bottom) / 2};
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!GetMonitorInfoW(MonitorFromPoint(centre, MONITOR_DEFAULTTONEAREST), &info)) return;
  const RECT& work = info.rcWork;
  for (int i = 0; i < bars_->Count(); ++i) {
    TdxBar* bar = bars_->BarAt(i);
    if (bar->DockingStyle() != dsNone) continue;
    TdxBarControl* window = bar->Control();
    const bool withWindow = window && window->HandleAllocated();
    RECT r{};
    if (withWindow) {
      GetWindowRect(window->Handle(), &r);
    } else {
      // The frame of a floating window that does not exist yet: the frame of a small tool window.
      RECT frame{0, 0, bar->FloatClientWidth(), bar->FloatClientHeight()};
      AdjustWindowRectEx(&frame, WS_POPUP | WS_CAPTION, FALSE, WS_EX_TOOLWINDOW);
      r = RECT{bar->FloatLeft(), bar->FloatTop(), bar->FloatLeft() + (frame.right - frame.left),
               bar->FloatTop() + (frame.bottom - frame.top)};
    }
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (r.bottom > work.bottom) { r.top = work.bottom - h; r.bottom = work.bottom; }
    if (r.top < work.top) { r.top = work.top; r.bottom = work.top + h; }
    if (r.right > work.right) { r.left = work.right - w; r.right = work.right; }
    if (r.left < work.left) { r.left = work.left; r.right = work.left + w; }
    if (withWindow) {
      SetWindowPos(window->Handle(), nullptr, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
      bar->SetFloatLeft(r.left);
      bar->SetFloatTop(r.top);
    }
  }
}
