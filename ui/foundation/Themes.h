#pragma once
// The cache of visual-style handles: one open theme per themed object kind, opened on first request
// with the kind's class list (or the one asked for) and kept until the theme changes, and the
// listeners told after a theme change. The visual-styles entry points come from the table of bound
// functions; "the theme library is loaded" means OpenThemeData is bound.

#include <vector>

#include "platform/framework/base/Win32.h"
#include "platform/framework/classes/Events.h"
#include "platform/framework/classes/Object.h"

enum TdxThemedObjectKind {
  totButton,
  totClock,
  totComboBox,
  totEdit,
  totExplorerBar,
  totHeader,
  totListBox,
  totListView,
  totMenu,
  totPage,
  totProgress,
  totRebar,
  totScrollBar,
  totSpin,
  totStartPanel,
  totStatus,
  totTab,
  totTaskBand,
  totTaskBar,
  totToolBar,
  totToolTip,
  totTrackBar,
  totTrayNotify,
  totTreeView,
  totWindow,
};
constexpr int kThemedObjectKindCount = 25;
using TdxThemedObjectKinds = TSet<TdxThemedObjectKind>;
using TdxTheme = HANDLE;

// The class list a kind opens when no other was asked for ("Button", "Clock", ...).
const wchar_t* DefaultThemeClassList(TdxThemedObjectKind Kind);

// The last answer of IsThemeActive (read at the unit start and after every theme change).
bool ThemesActive();
// Whether the visual-styles library is there at all.
bool ThemeLibraryLoaded();

// The open theme of the kind, opening it when needed; 0 with themes off or when the theme has no
// such class. A class list other than the remembered one (compared upper-cased) reopens the kind.
TdxTheme ThemeHandleFor(TdxThemedObjectKind Kind, const wchar_t* ClassList = nullptr);
// 1 without visual styles (themes off or no library), 0 when the kind has no open handle, else CloseThemeData's result; the
// remembered class list is cleared.
HRESULT CloseThemeFor(TdxThemedObjectKind Kind);
// Closes every open handle; the remembered class lists stay, so a kind reopens with its own.
void CloseAllThemes();
// Themes active, the library loaded, and the kind's theme opens.
bool VisualStylesAvailable(TdxThemedObjectKind Kind);
// Themes active and the library loaded, and every kind of a non-empty set opens.
bool VisualStylesActiveFor(TdxThemedObjectKinds Kinds = {});

// A listener of theme changes: OnThemeChanged is called after the handles were closed and
// ThemesActive re-read, in registration order. Joins the list on construction and leaves it on
// destruction, both only when the theme library is loaded.
class TdxThemeChangedNotificator : public TObject {
  DECLARE_CLASS(TdxThemeChangedNotificator, TObject)
 public:
  TdxThemeChangedNotificator();
  ~TdxThemeChangedNotificator() override;
  TEvent<void()> OnThemeChanged;

 private:
  bool registered_ = false;
};
