#include "ui/skins/windows/SubclassTable.h"

#include <algorithm>
#include <cwctype>

#include "platform/framework/windows/Controls.h"
#include "ui/skins/windows/EditWnd.h"
#include "ui/skins/windows/GridWnd.h"
#include "ui/skins/windows/PanelWnd.h"
#include "ui/skins/windows/StdCtrlWnd.h"

namespace {

template <class T>
TacMainWnd* Make(HWND window, TsCommonData* skinData, TsSkinManager* manager, const String& section) {
  return MakeSubclass<T>(true, window, skinData, manager, section).release();
}

template <class T>
TacSubclassChoice Choice(const wchar_t* section) {
  return TacSubclassChoice{&T::ClassInfo(), section, &Make<T>};
}

// The data-aware combo box takes its framework control.
TacMainWnd* MakeWWCombo(HWND window, TsCommonData* skinData, TsSkinManager* manager, const String& section) {
  auto* control = dynamic_cast<TWinControl*>(FindControl(window));
  if (!control) return nullptr;
  std::unique_ptr<TacWWComboBoxWnd, TFreeDeleter> made(new TacWWComboBoxWnd(control, skinData, manager, section));
  made->Attach(true);
  return made.release();
}

String Lower(String text) {
  std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
  return text;
}

}  // namespace

TacSubclassChoice AdapterSubclassChoice(int list) {
  switch (list) {
    case 0: return Choice<TacEditWnd>(L"EDIT");
    case 1: return Choice<TacBtnWnd>(L"BUTTON");
    case 2: return Choice<TacBitBtnWnd>(L"BUTTON");
    case 3: return Choice<TacCheckBoxWnd>(L"CHECKBOX");
    case 4: return Choice<TacComboBoxWnd>(L"EDIT");
    case 5: return Choice<TacGridWnd>(L"EDIT");
    case 6: return Choice<TacGroupBoxWnd>(L"GROUPBOX");
    case 7: return Choice<TacListViewWnd>(L"EDIT");
    case 8: return Choice<TacPanelWnd>(L"PANEL");  // the panel's bevels choose again
    case 9: return Choice<TacTreeViewWnd>(L"EDIT");
    case 10: return TacSubclassChoice{&TacWWComboBoxWnd::ClassInfo(), L"EDIT", &MakeWWCombo};
    case 11: return Choice<TacGridEhWnd>(L"EDIT");
    case 12: return Choice<TacVirtualTreeViewWnd>(L"EDIT");
    default: return {};
  }
}

TacSubclassChoice DialogSubclassChoice(const String& windowClass, DWORD style) {
  const String name = Lower(windowClass);
  if (name == L"edit" || name == L"listbox") return Choice<TacEditWnd>(L"EDIT");
  if (name == L"combolbox") return Choice<TacEditWnd>(L"COMBOBOX");
  if (name == L"combobox" || name == L"comboboxex32") return Choice<TacComboBoxWnd>(L"COMBOBOX");
  if (name == L"syslistview32") return Choice<TacListViewWnd>(L"EDIT");
  if (name == L"systreeview32") return Choice<TacTreeViewWnd>(L"EDIT");
  if (name == L"button") {
    switch (style & BS_TYPEMASK) {
      case BS_PUSHBUTTON:
      case BS_DEFPUSHBUTTON:
        return Choice<TacBtnWnd>(L"BUTTON");
      case BS_CHECKBOX:
      case BS_AUTOCHECKBOX:
      case BS_3STATE:
      case BS_AUTO3STATE:
      case BS_RADIOBUTTON:
      case BS_AUTORADIOBUTTON:
        return Choice<TacCheckBoxWnd>(L"CHECKBOX");
      case BS_GROUPBOX:
        return Choice<TacGroupBoxWnd>(L"GROUPBOX");
      default:
        return {};  // owner-drawn and user buttons paint themselves
    }
  }
  if (name == L"static") {
    switch (style & SS_TYPEMASK) {
      case SS_ICON:
        return Choice<TacIconWnd>(L"CHECKBOX");
      case SS_LEFT:
      case SS_CENTER:
      case SS_RIGHT:
      case SS_SIMPLE:
      case SS_LEFTNOWORDWRAP:
        return Choice<TacStaticWnd>(L"CHECKBOX");
      default:
        return {};  // pictures, frames and owner-drawn statics keep their look
    }
  }
  if (name == L"link window" || name == L"syslink") return Choice<TacLinkWnd>(L"CHECKBOX");
  if (name == L"#32770") return Choice<TacTransPanelWnd>(L"CHECKBOX");
  if (name == L"tpanel" || name == L"tsilentpaintpanel") return Choice<TacDlgPanelWnd>(L"PANEL");
  if (name == L"scrollbar")
    return (style & (SBS_SIZEGRIP | SBS_SIZEBOX)) ? Choice<TacSizerWnd>(L"CHECKBOX") : TacSubclassChoice{};
  if (name == L"msctls_updown32") return Choice<TacSpinWnd>(L"SPEEDBUTTON_SMALL");
  if (name == L"toolbarwindow32") return Choice<TacToolBarWnd>((style & 0x200) ? L"BAR" : L"CHECKBOX");
  return {};
}

TacMainWnd* MakeAdapterSubclass(int list, TWinControl* control, TsCommonData* skinData, TsSkinManager* manager) {
  if (!control) return nullptr;
  const TacSubclassChoice choice = AdapterSubclassChoice(list);
  if (!choice.Make) return nullptr;
  return choice.Make(control->Handle(), skinData, manager, choice.Section);
}

TacMainWnd* MakeDialogSubclass(HWND window, TsSkinManager* manager) {
  wchar_t name[64] = {};
  if (!window || !GetClassNameW(window, name, 64)) return nullptr;
  const TacSubclassChoice choice = DialogSubclassChoice(name, static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)));
  if (!choice.Make) return nullptr;
  const bool saved = SubclassDialogMode;
  SubclassDialogMode = true;
  struct TRestore {
    bool Saved;
    ~TRestore() { SubclassDialogMode = Saved; }
  } restore{saved};
  TacMainWnd* made = choice.Make(window, nullptr, manager, choice.Section);
  // The scrolling windows take the dialog's plain colours too.
  if (made) made->DialogMode = true;
  return made;
}
