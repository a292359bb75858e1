#include "ui/foundation/Themes.h"

#include <algorithm>

#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/rtl/Seams.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/windows/ThemeState.h"

DEFINE_CLASS(TdxThemeChangedNotificator)

namespace {

const wchar_t* const kDefaultClassLists[kThemedObjectKindCount] = {
    L"Button",   L"Clock",    L"ComboBox", L"Edit",       L"ExplorerBar", L"Header",  L"ListBox",
    L"ListView", L"Menu",     L"Page",     L"Progress",   L"Rebar",       L"ScrollBar", L"Spin",
    L"StartPanel", L"Status", L"Tab",      L"TaskBand",   L"TaskBar",     L"ToolBar", L"ToolTip",
    L"TrackBar", L"TrayNotify", L"TreeView", L"Window"};

struct TdxThemeData {
  TdxTheme Handle = nullptr;
  String ClassList;
};

TdxThemeData themes[kThemedObjectKindCount];
bool themesActive = false;

std::vector<TdxThemeChangedNotificator*>& Notificators() {
  static std::vector<TdxThemeChangedNotificator*> list;
  return list;
}

void ThemeChanged(TObject*) {
  CloseAllThemes();
  auto isActive = Bound().IsThemeActive.Get();
  themesActive = isActive && isActive();
  const std::vector<TdxThemeChangedNotificator*> snapshot = Notificators();
  for (TdxThemeChangedNotificator* notificator : snapshot) {
    const auto& list = Notificators();
    if (std::find(list.begin(), list.end(), notificator) == list.end()) continue;
    if (notificator->OnThemeChanged) notificator->OnThemeChanged();
  }
}

void StartUnit() {
  if (!ThemeLibraryLoaded()) return;
  auto isActive = Bound().IsThemeActive.Get();
  themesActive = isActive && isActive();
  ThemeState().AddListener(TNotifyEvent(&ThemeChanged));
}

void EndUnit() {
  ThemeState().RemoveListener(TNotifyEvent(&ThemeChanged));
  themesActive = false;
  CloseAllThemes();
  Notificators().clear();
}

const TUnitRegistration unit(StartUnit, EndUnit);

}  // namespace

const wchar_t* DefaultThemeClassList(TdxThemedObjectKind Kind) { return kDefaultClassLists[Kind]; }

bool ThemesActive() { return themesActive; }

bool ThemeLibraryLoaded() { return Bound().OpenThemeData.Get() != nullptr; }

TdxTheme ThemeHandleFor(TdxThemedObjectKind Kind, const wchar_t* ClassList) {
  if (!themesActive || !ThemeLibraryLoaded()) return nullptr;
  TdxThemeData& data = themes[Kind];
  if (data.Handle) {
    if (!ClassList || AnsiUpperCase(ClassList) == AnsiUpperCase(data.ClassList)) return data.Handle;
    CloseThemeFor(Kind);
  }
  String list = ClassList ? String(ClassList) : data.ClassList;
  if (list.empty()) list = kDefaultClassLists[Kind];
  data.Handle = Bound().OpenThemeData.Get()(nullptr, list.c_str());
  data.ClassList = data.Handle ? list : String();
  return data.Handle;
}

HRESULT CloseThemeFor(TdxThemedObjectKind Kind) {
  auto close = Bound().CloseThemeData.Get();
  if (!themesActive || !ThemeLibraryLoaded() || !close) return 1;
  TdxThemeData& data = themes[Kind];
  if (!data.Handle) return 0;
  const HRESULT result = close(data.Handle);
  data.Handle = nullptr;
  data.ClassList.clear();
  return result;
}

void CloseAllThemes() {
  auto close = Bound().CloseThemeData.Get();
  for (TdxThemeData& data : themes) {
    if (data.Handle && close) close(data.Handle);
    data.Handle = nullptr;
  }
}

bool VisualStylesAvailable(TdxThemedObjectKind Kind) {
  return themesActive && ThemeLibraryLoaded() && ThemeHandleFor(Kind) != nullptr;
}

bool VisualStylesActiveFor(TdxThemedObjectKinds Kinds) {
  if (!themesActive || !ThemeLibraryLoaded()) return false;
  for (int kind = 0; kind < kThemedObjectKindCount; ++kind)
    if (Kinds.Contains(TdxThemedObjectKind(kind)) && !ThemeHandleFor(TdxThemedObjectKind(kind))) return false;
  return true;
}

TdxThemeChangedNotificator::TdxThemeChangedNotificator() {
  if (!ThemeLibraryLoaded()) return;
  Notificators().push_back(this);
  registered_ = true;
}

TdxThemeChangedNotificator::~TdxThemeChangedNotificator() {
  if (!registered_) return;
  auto& list = Notificators();
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
}
