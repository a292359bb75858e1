#include "ui/bars/BarRoutines.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cwctype>

#include "ui/bars/BarControl.h"
#include "ui/bars/BarItemControls.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarSupport.h"
#include "platform/framework/rtl/Seams.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/Controls.h"
#include "ui/foundation/Geometry.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/foundation/PopupWindow.h"
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

// ---- managers, forms and windows ----------------------------------------------------------------

namespace {

bool g_applicationActive = true;
bool g_activatingOtherProcess = false;
HBRUSH g_checkerBrush = nullptr;
int g_screenColorDepth = 0;

BOOL DefaultSoundPlayer(const wchar_t* Alias, HMODULE Module, DWORD Flags) { return PlaySoundW(Alias, Module, Flags); }
TdxBarSoundPlayer g_soundPlayer = &DefaultSoundPlayer;

}  // namespace

TdxBarManager* BarManagerOfWindow(HWND Window) { return FindBarManagerOwnedBy(FindControl(Window)); }

TCustomForm* ComponentForm(TComponent* Component) { return ControlFormOfKind(WinControlOwnerOf(Component), bfkAny); }

bool IsBarManagerOwnerWindow(TdxBarManager* Manager, HWND Window) {
  auto* owner = Manager ? dynamic_cast<TWinControl*>(Manager->Owner()) : nullptr;
  if (!owner || !owner->HandleAllocated()) return false;
  for (HWND w = Window; w; w = IsChildWindow(w) ? GetParent(w) : nullptr) {
    if (w == owner->Handle()) return true;
  }
  return false;
}

TFormStyle FormStyleOf(TCustomForm* Form) { return Form ? Form->FormStyle() : fsNormal; }

bool IsRunTimeMDIChild(TCustomForm* Form) {
  return Form && FormStyleOf(Form) == fsMDIChild && !Form->ComponentState().Contains(csDesigning);
}

bool IsRunTimeMDIForm(TCustomForm* Form) {
  return Form && FormStyleOf(Form) == fsMDIForm && !Form->ComponentState().Contains(csDesigning);
}

bool IsActiveWindowHandle(HWND Window) { return Window && GetActiveWindow() == Window; }

bool IsWindowControlActive(TWinControl* Control) {
  if (!Control || !Control->HandleAllocated()) return false;
  if (IsActiveWindowHandle(Control->Handle())) return true;
  auto* form = dynamic_cast<TCustomForm*>(Control);
  if (form && IsRunTimeMDIChild(form)) {
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    return main && main->ActiveMDIChild() == form && IsActiveWindowHandle(main->Handle());
  }
  return IsActiveWindowHandle(GetAncestor(Control->Handle(), GA_ROOT));
}

TCustomForm* ActiveFormOrMDIChild() {
  HWND active = GetActiveWindow();
  auto* form = dynamic_cast<TCustomForm*>(FindControl(active));
  if (!form || !IsWindowEnabledDeep(active)) return nullptr;
  if (IsRunTimeMDIForm(form) && form->ActiveMDIChild()) return form->ActiveMDIChild();
  return form;
}

bool IsWindowEnabledDeep(HWND Window) {
  for (HWND w = Window; w; w = IsChildWindow(w) ? GetParent(w) : nullptr) {
    if (!IsWindowEnabled(w)) return false;
  }
  return Window != nullptr;
}

bool IsVisibleWinControl(TWinControl* Control) {
  return Control && Control->HandleAllocated() && IsWindowVisible(Control->Handle());
}

bool WindowOrParentHasFocus(HWND Window) {
  HWND focus = GetFocus();
  for (HWND w = Window; w; w = IsChildWindow(w) ? GetParent(w) : nullptr) {
    if (w == focus) return true;
  }
  return false;
}

bool IsDescendantWindow(HWND Window, HWND Parent) { return HasAncestorWindow(Parent, Window); }

TWinControl* FindControlUpwards(HWND Window) {
  for (HWND w = Window; w; w = GetParent(w)) {
    if (TWinControl* control = FindControl(w)) return control;
  }
  return nullptr;
}

TcxCustomPopupWindow* OwningPopupWindow(TWinControl* Control, bool FollowBars) {
  if (!Control || !Control->HandleAllocated() || Control->ComponentState().Contains(csDestroying)) return nullptr;
  const HWND start = Control->Handle();
  HWND window = start;
  // A chain of opened bar windows is short; the bound keeps a faulty owner cycle from looping.
  for (int step = 0; step < 256; ++step) {
    if (IsChildWindow(window)) {
      HWND parent = GetParent(window);
      if (!parent) break;
      window = parent;
      continue;
    }
    if (!FollowBars) break;
    auto* bar = dynamic_cast<TCustomdxBarControl*>(FindControl(window));
    TdxBarItemControl* opener = bar ? bar->OwnerControl() : nullptr;
    TCustomdxBarControl* openerWindow = opener ? opener->BarControl() : nullptr;
    if (!openerWindow || !openerWindow->HandleAllocated() || openerWindow->Handle() == window) break;
    window = openerWindow->Handle();
  }
  if (window == start) return nullptr;
  return dynamic_cast<TcxCustomPopupWindow*>(FindControl(window));
}

HWND DeepestWindowFromPoint(const TPoint& ScreenPoint) {
  return DeepestChildAtPoint(WindowFromPoint(POINT{ScreenPoint.x, ScreenPoint.y}), ScreenPoint);
}

HWND DeepestChildAtPoint(HWND Window, const TPoint& ScreenPoint) {
  HWND window = Window;
  while (window) {
    POINT p{ScreenPoint.x, ScreenPoint.y};
    ScreenToClient(window, &p);
    HWND child = ChildWindowFromPointEx(window, p, CWP_SKIPINVISIBLE);
    if (!child || child == window) break;
    window = child;
  }
  return window;
}

bool IsOtherProcessWindow(HWND Window) {
  if (!Window) return true;
  DWORD process = 0;
  GetWindowThreadProcessId(Window, &process);
  return process != GetCurrentProcessId();
}

void CancelActiveFormModes() {
  if (auto* form = dynamic_cast<TCustomForm*>(FindControl(GetActiveWindow()))) form->SendCancelMode(nullptr);
}

void ActivateTopLevelOf(HWND Window) {
  if (Window) SetActiveWindow(GetAncestor(Window, GA_ROOT));
}

void SetWindowZOrder(HWND Window, HWND InsertAfter, bool Activate, UINT ExtraFlags) {
  UINT flags = SWP_NOSIZE | SWP_NOMOVE | ExtraFlags;
  if (!Activate) flags |= SWP_NOACTIVATE;
  SetWindowPos(Window, InsertAfter, 0, 0, 0, 0, flags);
}

void SetWindowAlphaLevel(HWND Window, Byte Alpha) {
  auto setAttributes = Bound().SetLayeredWindowAttributes.Get();
  if (!setAttributes) return;
  const LONG_PTR exStyle = GetWindowLongPtrW(Window, GWL_EXSTYLE);
  if (Alpha < 255) {
    if (!(exStyle & WS_EX_LAYERED)) SetWindowLongPtrW(Window, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    setAttributes(Window, 0, Alpha, LWA_ALPHA);
  } else if (exStyle & WS_EX_LAYERED) {
    SetWindowLongPtrW(Window, GWL_EXSTYLE, exStyle & ~LONG_PTR(WS_EX_LAYERED));
    RedrawWindow(Window, nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE);
  }
}

void ClearWindowHandle(HWND& Window, bool Destroy) {
  if (!Window) return;
  if (Destroy) DestroyWindow(Window);
  Window = nullptr;
}

bool KillTimerAndClear(HWND Window, UINT_PTR& TimerId) {
  if (TimerId == 0 || !KillTimer(Window, TimerId)) return false;
  TimerId = 0;
  return true;
}

TRect WorkAreaAt(const TPoint& ScreenPoint) { return WorkAreaAtPoint(ScreenPoint); }

bool ApplicationHasActiveWindow() {
  return g_applicationActive && !g_activatingOtherProcess && GetActiveWindow() != nullptr;
}

void SetApplicationActivity(bool Active, bool ActivatingOtherProcess) {
  g_applicationActive = Active;
  g_activatingOtherProcess = ActivatingOtherProcess;
}

// ---- links, selectable objects, view levels -------------------------------------------------------

TObject* SelectableItemInstance(IdxBarSelectableItem* Item) { return Item ? Item->SelectableInstance() : nullptr; }

bool SupportsSelectableItem(TObject* Object, IdxBarSelectableItem*& Item) {
  Item = SelectableItemOf(Object);
  return Item != nullptr;
}

bool IsSelectableObject(TObject* Object) { return SelectableItemOf(Object) != nullptr; }

void RemoveUnselectableObjects(TList& List) {
  for (int i = List.Count() - 1; i >= 0; --i) {
    if (!IsSelectableObject(static_cast<TObject*>(List.Items(i)))) List.Delete(i);
  }
}

int FirstViewLevelIn(TdxBarItemViewLevels Levels) {
  for (int level = ivlLargeIconWithText; level <= ivlControlOnly; ++level) {
    if (Levels.Contains(TdxBarItemViewLevel(level))) return level;
  }
  return ivlDefault;
}

int LastViewLevelIn(TdxBarItemViewLevels Levels) {
  for (int level = ivlControlOnly; level >= ivlLargeIconWithText; --level) {
    if (Levels.Contains(TdxBarItemViewLevel(level))) return level;
  }
  return 255;
}

int NextViewLevelIn(TdxBarItemViewLevels Levels, int Level) {
  for (int level = Level + 1; level <= ivlControlOnly; ++level) {
    if (Levels.Contains(TdxBarItemViewLevel(level))) return level;
  }
  return ivlDefault;
}

std::vector<String> EnumNamesToStringArray(const wchar_t* const* Names, int MinValue, int MaxValue) {
  std::vector<String> result;
  for (int i = MinValue; i <= MaxValue; ++i) result.push_back(Names[i - MinValue]);
  return result;
}

void ReleaseAndClearObjectLink(TcxObjectLink*& Link) {
  TcxObjectLink* link = Link;
  Link = nullptr;
  if (link) ReleaseObjectLink(link);
}

// ---- keys, captions and messages ------------------------------------------------------------------

String StripHotkeyPrefix(const String& Caption) { return StripAcceleratorPrefix(Caption, false); }

String ShortcutSuffix(TShortCut ShortCut) {
  const String text = ShortCutToText(ShortCut);
  return text.empty() ? String() : L" (" + text + L")";
}

TShortCut KeyWithShiftState(Word Key, LPARAM KeyData) {
  if (Key == 0) return 0;
  TShortCut result = Key;
  if (Bound().GetKeyState(VK_SHIFT) < 0) result += scShift;
  if (Bound().GetKeyState(VK_CONTROL) < 0) result += scCtrl;
  if (KeyData & (LPARAM{1} << 29)) result += scAlt;
  return result;
}

bool IsCharacterKey(Word Key) {
  const UINT c = MapVirtualKeyW(Key, MAPVK_VK_TO_CHAR) & 0x7FFFFFFF;
  return c != 0 && c < 0x10000 && c != L' ' && !iswcntrl(wint_t(c));
}

bool IsButtonPressMessage(UINT Msg) {
  switch (Msg) {
    case WM_NCLBUTTONDOWN: case WM_NCLBUTTONDBLCLK: case WM_NCRBUTTONDOWN: case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN: case WM_NCMBUTTONDBLCLK: case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK: case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK:
      return true;
  }
  return false;
}

void DropPendingCharMessages(HWND Window) {
  MSG msg;
  while (PeekMessageW(&msg, Window, WM_CHAR, WM_CHAR, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(int(msg.wParam));
      break;
    }
  }
}

namespace {

// Takes and dispatches the queued messages of a range; a WM_QUIT is posted again and ends the loop.
void DispatchPending(UINT First, UINT Last) {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, First, Last, PM_NOREMOVE)) {
    const BOOL got = GetMessageW(&msg, nullptr, First, Last);
    if (got == -1) break;
    if (got == 0 || msg.message == WM_QUIT) {
      PostQuitMessage(int(msg.wParam));
      break;
    }
    DispatchMessageW(&msg);
  }
}

}  // namespace

void DispatchPendingMouseMessages() { DispatchPending(WM_MOUSEFIRST, 0x20A); }
void DispatchPendingPaintMessages() { DispatchPending(WM_PAINT, WM_PAINT); }

String LayoutPathSeparator(bool Registry) { return Registry ? L"\\" : L"."; }

int ShowAppTitledMessage(const String& Text, UINT Flags) {
  return Application ? Application->MessageBox(Text, Application->Title(), Flags) : 0;
}

void PlayMenuSound(int Kind) {
  static const wchar_t* const aliases[] = {L"MenuPopup", L"MenuCommand", nullptr};
  if (Kind < 0 || Kind > 2) return;
  g_soundPlayer(aliases[Kind], nullptr, SND_ALIAS | SND_NOWAIT | SND_NODEFAULT | SND_ASYNC);
}

TdxBarSoundPlayer SetMenuSoundPlayer(TdxBarSoundPlayer Player) {
  TdxBarSoundPlayer previous = g_soundPlayer;
  g_soundPlayer = Player ? Player : &DefaultSoundPlayer;
  return previous;
}

// ---- mouse state ----------------------------------------------------------------------------------

bool MouseButtonDown(int Button, int SwappedButton) {
  const int key = Bound().GetSystemMetrics(SM_SWAPBUTTON) ? SwappedButton : Button;
  return Bound().GetAsyncKeyState(key) < 0;
}

bool IsLeftMouseButtonDown() { return MouseButtonDown(VK_LBUTTON, VK_RBUTTON); }
bool IsRightMouseButtonDown() { return MouseButtonDown(VK_RBUTTON, VK_LBUTTON); }

// ---- GDI, clipping and regions --------------------------------------------------------------------

void SelectBackAndDeleteGDIObject(HDC DC, HGDIOBJ Previous) { DeleteObject(SelectObject(DC, Previous)); }

void FillPolygonWithColors(HDC DC, const POINT* Points, int LastIndex, TColor PenColor, TColor FillColor) {
  HGDIOBJ oldPen = SelectObject(DC, CreatePen(PS_SOLID, 1, ColorToRGB(PenColor)));
  HGDIOBJ oldBrush = SelectObject(DC, CreateSolidBrush(ColorToRGB(FillColor)));
  Polygon(DC, Points, LastIndex + 1);
  SelectBackAndDeleteGDIObject(DC, oldBrush);
  SelectBackAndDeleteGDIObject(DC, oldPen);
}

void ClipToFrameBand(TcxCanvas* Canvas, const TRect& Frame, const TRect& Content) {
  auto* band = new TcxRegion(Frame);
  band->CombineWith(new TcxRegion(Content), roSubtract);
  Canvas->ApplyClipRegion(band, roSet, true);
}

void SaveCurrentClipRgn(HDC DC, HRGN& Region, bool& Existed) {
  Region = CreateRectRgn(0, 0, 0, 0);
  Existed = GetClipRgn(DC, Region) == 1;
}

void RestoreSavedClipRgn(HDC DC, HRGN Region, bool Existed) {
  SelectClipRgn(DC, Existed ? Region : nullptr);
  DeleteObject(Region);
}

void UniteClipWithRect(HDC DC, const TRect& R) {
  HRGN region = CreateRectRgn(R.left, R.top, R.right, R.bottom);
  ExtSelectClipRgn(DC, region, RGN_OR);
  DeleteObject(region);
}

void FillRectColorOrBitmap(HDC DC, const TRect& R, const TRect& Origin, HBRUSH Brush, TColor Color, TBitmap* Bitmap) {
  if (Bitmap && !Bitmap->Empty()) return TileBitmapInRect(DC, R, Origin, Bitmap);
  const RECT r = R;
  if (Brush) {
    FillRect(DC, &r, Brush);
    return;
  }
  HBRUSH brush = CreateSolidBrush(ColorToRGB(Color));
  FillRect(DC, &r, brush);
  DeleteObject(brush);
}

void TileBitmapInRect(HDC DC, const TRect& R, const TRect& Origin, TBitmap* Bitmap) {
  const int w = Bitmap ? Bitmap->Width() : 0, h = Bitmap ? Bitmap->Height() : 0;
  if (w <= 0 || h <= 0 || Origin.IsEmpty()) return;
  HRGN saved = nullptr;
  bool existed = false;
  SaveCurrentClipRgn(DC, saved, existed);
  IntersectClipRect(DC, R.left, R.top, R.right, R.bottom);
  HDC source = Bitmap->Canvas()->Handle();
  for (int i = Origin.left / w; i <= (Origin.right - 1) / w; ++i) {
    for (int j = Origin.top / h; j <= (Origin.bottom - 1) / h; ++j)
      BitBlt(DC, w * i + R.left - Origin.left, h * j + R.top - Origin.top, w, h, source, 0, 0, SRCCOPY);
  }
  RestoreSavedClipRgn(DC, saved, existed);
}

void ShiftOriginForParentBackground(TWinControl* Form, TWinControl* Control, HDC DC, TRect& R, TPoint& PreviousOrigin,
                                    TPoint& Offset) {
  Offset = TPoint{0, 0};
  if (Form && Control && Form->HandleAllocated() && Control->HandleAllocated()) {
    POINT p{0, 0};
    MapWindowPoints(Form->Handle(), Control->Handle(), &p, 1);
    Offset = TPoint{p.x, p.y};
  }
  POINT previous{};
  OffsetWindowOrgEx(DC, Offset.x, Offset.y, &previous);
  PreviousOrigin = TPoint{previous.x, previous.y};
  R = OffsetRectBy(R, Offset.x, Offset.y);
}

void RestoreWindowOrigin(HDC DC, const TPoint& PreviousOrigin) {
  SetWindowOrgEx(DC, PreviousOrigin.x, PreviousOrigin.y, nullptr);
}

void ShadeRect(HDC DC, const TRect& R) { ProcessDCRectThroughBitmap(DC, R, clBtnFace, TColor(0), 2, 170, 20); }

void RebuildCheckerBrush() {
  if (g_finalizing) return;
  TBitmap pattern(8, 8);
  HDC dc = pattern.Canvas()->Handle();
  const COLORREF highlight = ColorToRGB(clBtnHighlight), face = ColorToRGB(clBtnFace);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) SetPixel(dc, x, y, (x % 2) == (y % 2) ? face : highlight);
  }
  DeleteAndClearGDIObject(g_checkerBrush);
  g_checkerBrush = CreatePatternBrush(pattern.Handle());
}

HBRUSH CheckerBrush() {
  if (!g_checkerBrush) RebuildCheckerBrush();
  return g_checkerBrush;
}

void FreeCheckerBrush() { DeleteAndClearGDIObject(g_checkerBrush); }

void RefreshScreenColorDepth() { g_screenColorDepth = ScreenColorDepth(); }

int BarScreenColorDepth() {
  if (g_screenColorDepth == 0) RefreshScreenColorDepth();
  return g_screenColorDepth;
}

TBitmap* NewBitmapWithChangeHandler(const TNotifyEvent& Handler) {
  auto* bitmap = new TBitmap;
  bitmap->OnChange = Handler;
  return bitmap;
}

// ---- frames, arrows, glyphs -----------------------------------------------------------------------

void FrameRectInHighlight(HDC DC, const TRect& R) {
  const RECT r = R;
  FrameRect(DC, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
}

void FrameRectTwice(HDC DC, const TRect& R, int SysColor) {
  RECT r = R;
  FrameRect(DC, &r, GetSysColorBrush(SysColor));
  InflateRect(&r, -1, -1);
  FrameRect(DC, &r, GetSysColorBrush(SysColor));
}

void FocusRectTwice(HDC DC, const TRect& R) {
  const COLORREF color = ColorToRGB(clBtnText);
  auto dotted = [&](const TRect& F) {
    if (F.IsEmpty()) return;
    for (int x = F.left; x < F.right; ++x) {
      for (int y : {int(F.top), int(F.bottom) - 1}) {
        if ((x + y) % 2 == 0) SetPixel(DC, x, y, color);
      }
    }
    for (int y = F.top; y < F.bottom; ++y) {
      for (int x : {int(F.left), int(F.right) - 1}) {
        if ((x + y) % 2 == 0) SetPixel(DC, x, y, color);
      }
    }
  };
  dotted(R);
  dotted(InflateRectBy(R, -1, -1));
}

int ItemArrowSizeFor(const TRect& R, bool Down) {
  const int f = Down ? R.Width() - 8 : R.Height() - 6;
  const int o = (f % 2 != 0) ? 1 : 0;
  return std::max(o + (f - 1) / 2, 3);
}

void DrawCenteredItemArrow(HDC DC, const TRect& R, int Orientation, bool Enabled, bool Selected, bool Flat,
                           TColor Color) {
  DrawItemArrowInRect(DC, R, Orientation == 1, Enabled, Selected, Flat, Color);
}

void DrawItemArrowInRect(HDC DC, const TRect& R, bool Down, bool Enabled, bool Selected, bool Flat, TColor Color) {
  PaintItemArrow(DC, R, Down, ItemArrowSizeFor(R, Down), Selected, Enabled, Flat, Color);
}

void DrawItemArrowOfSize(HDC DC, const TRect& R, int Orientation, int Size, bool Selected, bool Enabled, bool Flat,
                         TColor Color) {
  PaintItemArrow(DC, R, Orientation == 1, Size, Selected, Enabled, Flat, Color);
}

void PaintItemArrow(HDC DC, const TRect& R, bool Down, int Size, bool Selected, bool Enabled, bool Flat, TColor Color) {
  const int s = Size;
  if (Color == clDefault) {
    if (!Enabled)
      Color = clBtnShadow;
    else if (!Selected)
      Color = clBtnText;
    else
      Color = ButtonFaceIsWhite() ? clBtnFace : clHighlightText;
  }
  int x0, y0;
  POINT points[3];
  if (Down) {
    x0 = (R.left + R.right - (2 * s - 1)) / 2;
    y0 = (R.top + R.bottom - s) / 2;
    points[0] = {x0, y0};
    points[1] = {x0 + 2 * s - 2, y0};
    points[2] = {x0 + s - 1, y0 + s - 1};
  } else {
    x0 = (R.left + R.right - s) / 2;
    y0 = (R.top + R.bottom - (2 * s - 1)) / 2;
    points[0] = {x0, y0};
    points[1] = {x0, y0 + 2 * s - 2};
    points[2] = {x0 + s - 1, y0 + s - 1};
  }
  FillPolygonWithColors(DC, points, 2, Color, Color);
  if (Enabled || Flat) return;
  HGDIOBJ oldPen = SelectObject(DC, CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT)));
  auto line = [&](int x1, int y1, int x2, int y2) {
    MoveToEx(DC, x1, y1, nullptr);
    LineTo(DC, x2, y2);
  };
  if (Down) {
    line(x0 + s, y0 + s - 1, x0 + 2 * s - 1, y0);
    line(x0 + s, y0 + s, x0 + 2 * s, y0);
  } else {
    line(x0 + s - 1, y0 + s, x0, y0 + 2 * s - 1);
    line(x0 + s, y0 + s, x0, y0 + 2 * s);
  }
  SelectBackAndDeleteGDIObject(DC, oldPen);
}

void DrawBitmapGlyphByState(HDC DC, const TRect& R, TBitmap* Bitmap, bool Enabled) {
  PaintImageOrGlyph(DC, R, R, Bitmap, nullptr, -1, Enabled ? gpmNormal : gpmDisabled, false, nullptr, clNone);
}

TcxGlyphPaintMode GlyphDrawMode(bool F1, bool F2, bool F3, bool F4, bool F5, bool F6, bool F7, bool F8) {
  if (!F1 && !F8) return gpmDisabled;
  if (!F1) return gpmFaded;
  if (F2) return gpmGray;
  if (!F3) return gpmNormal;
  if (!F4 && !F5 && BarScreenColorDepth() > 8) return gpmLight;
  if (F7 && F4 && !F6) return gpmShadowed;
  return gpmNormal;
}

void DrawTransparentSizeGrip(HDC DC, const TRect& R) {
  const int w = R.Width(), h = R.Height();
  if (w <= 0 || h <= 0) return;
  TBitmap copy(w, h), grip(w, h), mask;
  HDC copyDC = copy.Canvas()->Handle(), gripDC = grip.Canvas()->Handle();
  BitBlt(copyDC, 0, 0, w, h, DC, R.left, R.top, SRCCOPY);
  RECT r{0, 0, w, h};
  DrawFrameControl(gripDC, &r, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
  mask.SetMonochrome(true);
  mask.SetSize(w, h);
  HDC maskDC = mask.Canvas()->Handle();
  SetBkColor(gripDC, ColorToRGB(clBtnFace));
  BitBlt(maskDC, 0, 0, w, h, gripDC, 0, 0, SRCCOPY);
  SetBkColor(copyDC, RGB(255, 255, 255));
  SetTextColor(copyDC, RGB(0, 0, 0));
  BitBlt(copyDC, 0, 0, w, h, maskDC, 0, 0, MERGEPAINT);
  SetBkColor(gripDC, RGB(255, 255, 255));
  SetTextColor(gripDC, RGB(0, 0, 0));
  BitBlt(gripDC, 0, 0, w, h, maskDC, 0, 0, SRCPAINT);
  BitBlt(copyDC, 0, 0, w, h, gripDC, 0, 0, SRCAND);
  BitBlt(DC, R.left, R.top, w, h, copyDC, 0, 0, SRCCOPY);
}

// ---- navigation ---------------------------------------------------------------------------------

int NearestHelperInDirection(const TRect& From, const std::vector<TRect>& Candidates, int Direction, bool Wrap) {
  if (Direction < 0 || Direction > 3) return -1;
  auto search = [&](const TRect& r) {
    const double rx = (r.left + r.right) / 2.0, ry = (r.top + r.bottom) / 2.0;
    int best = -1;
    double bestDistance = 0, bestDeviation = 0;
    for (int i = 0; i < int(Candidates.size()); ++i) {
      const TRect& c = Candidates[i];
      const double cx = (c.left + c.right) / 2.0, cy = (c.top + c.bottom) / 2.0;
      double angle = std::atan2(cy - ry, cx - rx) * 180.0 / 3.14159265358979323846;
      if (angle < 0) angle += 360;
      static const double centres[] = {180, 270, 0, 90};
      const double d = angle - centres[Direction];
      const double deviation = std::min(std::abs(d), std::min(std::abs(d - 360), std::abs(d + 360)));
      double distance = 0;
      switch (Direction) {
        case 0: distance = double(r.left) - c.right; break;
        case 1: distance = double(r.top) - c.bottom; break;
        case 2: distance = double(c.left) - r.right; break;
        case 3: distance = double(c.top) - r.bottom; break;
      }
      if (distance < 0) continue;
      if (best < 0 || distance < bestDistance || (distance == bestDistance && deviation < bestDeviation)) {
        best = i;
        bestDistance = distance;
        bestDeviation = deviation;
      }
    }
    return best;
  };
  int found = search(From);
  if (found < 0 && Wrap && (Direction == 0 || Direction == 2)) {
    constexpr int farShift = 1073741823;
    TRect r = From;
    const int width = r.Width();
    if (Direction == 0) {
      r.right = 0;
      r.left = -width;
      r = OffsetRectBy(r, farShift, 0);
    } else {
      r.left = 0;
      r.right = width;
      r = OffsetRectBy(r, -farShift, 0);
    }
    found = search(r);
  }
  return found;
}

// ---- fonts and themes -----------------------------------------------------------------------------

HFONT CopyFontHandle(HFONT Font) {
  LOGFONTW logFont{};
  GetObjectW(Font, sizeof(logFont), &logFont);
  return CreateFontIndirectW(&logFont);
}

int ScaleToScreenPPI(int Value, int BasePPI) {
  const int ppi = Screen ? Screen->PixelsPerInch() : 96;
  return int(std::nearbyint(double(Value) * ppi / BasePPI));
}

TColor EditBackColorFromTheme(int State) {
  COLORREF color = 0;
  auto query = Bound().GetThemeColor.Get();
  const TdxTheme theme = ThemeHandleFor(totEdit);
  if (State == 4 && theme && query && SUCCEEDED(query(theme, 1, State, 3802, &color))) return TColor(color);
  return TColor(GetSysColor(COLOR_WINDOW));
}

TColor EditTextColorFromTheme(int State) {
  COLORREF color = 0;
  auto query = Bound().GetThemeColor.Get();
  const TdxTheme theme = ThemeHandleFor(totEdit);
  if (theme && query && SUCCEEDED(query(theme, 1, State, 3803, &color))) return TColor(color);
  return TColor(GetSysColor(State == 4 ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
}

namespace {

TSize ThemePartTrueSize(TdxThemedObjectKind Kind, int Part, int State) {
  SIZE size{};
  auto query = Bound().GetThemePartSize.Get();
  const TdxTheme theme = ThemeHandleFor(Kind);
  if (theme && query) query(theme, nullptr, Part, State, nullptr, 1, &size);
  return TSize{size.cx, size.cy};
}

void DrawThemePart(TdxThemedObjectKind Kind, HDC DC, int Part, int State, const TRect& R) {
  auto draw = Bound().DrawThemeBackground.Get();
  const TdxTheme theme = ThemeHandleFor(Kind);
  const RECT r = R;
  if (theme && draw) draw(theme, DC, Part, State, &r, nullptr);
}

}  // namespace

TSize SmallCloseButtonPartSize() { return ThemePartTrueSize(totWindow, 19, 1); }

void DrawThemedSmallCloseButton(HDC DC, const TRect& R, bool Hot, bool Pressed, int Corner) {
  const TSize size = SmallCloseButtonPartSize();
  const int offset = size.cy < R.Height() ? (R.Height() - size.cy) / 2 : 0;
  TRect r;
  r.top = R.top + offset;
  r.bottom = r.top + size.cy;
  if (Corner == 1 || Corner == 3) {
    r.left = R.left + offset;
    r.right = r.left + size.cx;
  } else {
    r.right = R.right - offset;
    r.left = r.right - size.cx;
  }
  const RECT fill = R;
  FillRect(DC, &fill, GetSysColorBrush(COLOR_BTNFACE));
  DrawThemePart(totWindow, DC, 19, Pressed ? 3 : (Hot ? 2 : 1), r);
}

TSize ThemedSizeBoxExtent() {
  const TSize size = ThemePartTrueSize(totScrollBar, 10, 1);
  return TSize{size.cx + 2, size.cy + 2};
}

void DrawThemedSizeBox(HDC DC, TRect& R, int Corner) {
  const TSize size = ThemedSizeBoxExtent();
  if (Corner == 1 || Corner == 3)
    R.left = R.right - size.cx - 1;
  else
    R.right = R.left + size.cx + 1;
  if (Corner == 2 || Corner == 3)
    R.top = R.bottom - size.cy;
  else
    R.bottom = R.top + size.cy;
  const RECT fill = R;
  FillRect(DC, &fill, GetSysColorBrush(COLOR_BTNFACE));
  const int w = R.Width(), h = R.Height();
  if (w <= 0 || h <= 0) return;
  TBitmap box(w, h);
  HDC boxDC = box.Canvas()->Handle();
  RECT all{0, 0, w, h};
  FillRect(boxDC, &all, GetSysColorBrush(COLOR_BTNFACE));
  DrawThemePart(totScrollBar, boxDC, 10, 1, TRect{2, 2, w + 2, h + 2});
  const bool mirrorX = Corner == 0 || Corner == 2, mirrorY = Corner == 0 || Corner == 1;
  StretchBlt(DC, mirrorX ? R.right - 1 : R.left, mirrorY ? R.bottom - 1 : R.top, mirrorX ? -w : w, mirrorY ? -h : h,
             boxDC, 0, 0, w, h, SRCCOPY);
}
