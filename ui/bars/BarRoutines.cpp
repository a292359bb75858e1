#include "ui/bars/BarRoutines.h"

#include <cstddef>

#include "ui/bars/BarManager.h"
#include "ui/bars/BarSupport.h"
#include "platform/framework/rtl/Seams.h"
#include "ui/foundation/Controls.h"
#include "ui/foundation/Themes.h"

namespace {

TdxBarFormToManagerHook g_formToManager = nullptr;
TdxBarCanvas* g_sharedCanvas = nullptr;
bool g_finalizing = false;

bool IsChildWindow(HWND Window) { return (GetWindowLongPtrW(Window, GWL_STYLE) & WS_CHILD) != 0; }

}  // namespace

// The unit end of the bar library (BarManager.cpp) marks the library as finalizing and frees the
// shared canvas through these two.
void SetBarUnitFinalizing(bool Value) { g_finalizing = Value; }
void FreeSharedBarCanvas() { FreeAndNil(g_sharedCanvas); }

TdxBarFormToManagerHook SetFormToManagerHook(TdxBarFormToManagerHook Hook) {
  TdxBarFormToManagerHook previous = g_formToManager;
  g_formToManager = Hook;
  return previous;
}

TdxBarManager* FindBarManagerOwnedBy(TComponent* Component) {
  if (!Component) return nullptr;
  if (auto* manager = dynamic_cast<TdxBarManager*>(Component)) return manager;
  if (g_formToManager && dynamic_cast<TCustomForm*>(Component) && Component->ComponentCount() == 0) {
    if (TdxBarManager* manager = g_formToManager(Component)) return manager;
  }
  TdxBarManagerList* list = BarManagerList();
  if (!list) return nullptr;
  for (int i = 0; i < list->Count(); ++i) {
    if (list->ManagerAt(i)->Owner() == Component) return list->ManagerAt(i);
  }
  return nullptr;
}

TWinControl* WinControlOwnerOf(TComponent* Component) {
  for (TComponent* c = Component; c; c = c->Owner()) {
    if (auto* control = dynamic_cast<TWinControl*>(c)) return control;
  }
  return nullptr;
}

TWinControl* ChildWindowControlParent(HWND Window) {
  HWND window = Window;
  while (window && IsChildWindow(window)) {
    window = GetParent(window);
    if (TWinControl* control = window ? FindControl(window) : nullptr) return control;
  }
  return nullptr;
}

TdxBarManager* BarManagerForComponent(TComponent* Component) {
  TWinControl* control = WinControlOwnerOf(Component);
  if (!control || !control->HandleAllocated()) return nullptr;
  if (TdxBarManager* manager = FindBarManagerOwnedBy(control)) return manager;
  HWND window = control->Handle();
  while (window && IsChildWindow(window)) {
    window = GetParent(window);
    if (TWinControl* parent = window ? FindControl(window) : nullptr) {
      if (TdxBarManager* manager = FindBarManagerOwnedBy(parent)) return manager;
    }
  }
  return nullptr;
}

TCustomForm* ControlFormOfKind(TControl* Control, TdxBarFormKind Kind) {
  TWinControl* control = AsWinControl(Control);
  if (!control) return nullptr;
  HWND window = nullptr;
  try {
    window = control->Handle();
  } catch (const Exception&) {
    return nullptr;
  }
  TCustomForm* result = nullptr;
  while (window) {
    if (auto* form = dynamic_cast<TCustomForm*>(FindControl(window))) {
      result = form;
      // The framework has no MDI: no form is a run-time MDI child, so kind 1 walks to the top.
      if (Kind == bfkAny) break;
    }
    if (!IsChildWindow(window)) break;
    window = GetParent(window);
  }
  return result;
}

TCustomForm* BarManagerForm(TdxBarManager* Manager, TdxBarFormKind Kind) {
  if (!Manager) return nullptr;
  return ControlFormOfKind(dynamic_cast<TControl*>(Manager->Owner()), Kind);
}

TWinControl* AsWinControl(TControl* Control) {
  if (!Control) return nullptr;
  if (auto* windowed = dynamic_cast<TWinControl*>(Control)) return windowed;
  return Control->Parent();
}

bool ControlContains(TControl* Container, TControl* Control) {
  if (!Container || !Control) return false;
  TWinControl* windowed = AsWinControl(Control);
  auto* container = dynamic_cast<TWinControl*>(Container);
  if (container && windowed && container->HandleAllocated() && windowed->HandleAllocated())
    return IsSameOrChildWindow(container->Handle(), windowed->Handle());
  for (TControl* c = windowed; c; c = c->Parent()) {
    if (c == Container) return true;
  }
  return Control == Container;
}

bool ManagerOwnerContains(TdxBarManager* Manager, TControl* Control) {
  return Manager && ControlContains(dynamic_cast<TControl*>(Manager->Owner()), Control);
}

bool IsAncestorStreamLoading(TComponent* Component) {
  const TComponentState state = Component->ComponentState();
  return state.Contains(csLoading) && state.Contains(csAncestor) && !state.Contains(csReading);
}

int AcceleratorCharIndex(String& Caption, bool Remove) {
  int result = 0;
  std::size_t i = 0;
  while (i + 1 < Caption.size()) {
    if (Caption[i] != L'&') {
      ++i;
      continue;
    }
    if (Remove) {
      Caption.erase(i, 1);
      if (Caption[i] != L'&') result = int(i) + 1;
      ++i;
    } else {
      if (Caption[i + 1] != L'&') result = int(i) + 2;
      i += 2;
    }
  }
  return result;
}

int AcceleratorCharIndex(const String& Caption) {
  String copy = Caption;
  return AcceleratorCharIndex(copy, false);
}

NONCLIENTMETRICSW ReadNonClientMetrics() {
  NONCLIENTMETRICSW metrics{};
  // The size without the padded border width, which every system version accepts.
  metrics.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
  return metrics;
}

HFONT CreateMenuFontHandle(TFont* Font, bool UseSystemFont) {
  LOGFONTW logFont = ReadNonClientMetrics().lfMenuFont;
  if (!UseSystemFont) {
    if (logFont.lfHeight >= -10) logFont.lfHeight = -11;
    const String& name = Font->Name();
    lstrcpynW(logFont.lfFaceName, name.c_str(), LF_FACESIZE);
  }
  return CreateFontIndirectW(&logFont);
}

void CopyFontWithSystemHeight(TFont* Font, TFont* Target, bool UseSystemHeight) {
  LOGFONTW logFont = Font->LogFont();
  if (UseSystemHeight) {
    LOGFONTW iconTitle{};
    SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(iconTitle), &iconTitle, 0);
    logFont.lfHeight = iconTitle.lfHeight >= -10 ? -11 : iconTitle.lfHeight;
  }
  Target->SetHandle(CreateFontIndirectW(&logFont));
}

TColor ToolbarThemeColor() {
  COLORREF color = 0;
  const TdxTheme theme = ThemeHandleFor(totToolBar);
  auto query = Bound().GetThemeColor.Get();
  if (theme && query && SUCCEEDED(query(theme, 0, 0, 3802, &color))) return TColor(color);
  return TColor(GetSysColor(COLOR_BTNFACE));
}

TdxBarCanvas* SharedBarCanvas() {
  if (!g_sharedCanvas && !g_finalizing) g_sharedCanvas = new TdxBarCanvas;
  return g_sharedCanvas;
}

bool BarUnitFinalizing() { return g_finalizing; }
