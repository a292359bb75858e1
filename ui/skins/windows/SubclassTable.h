#pragma once
// Which subclass object each creator makes: the child control adapter by the manager's class-name
// lists (ThirdEdits .. ThirdVirtualTrees), the dialog provider by a system window's class and style.

#include "ui/skins/windows/SubclassWnd.h"

class TWinControl;

// Makes an attached object for the window with the skin data (none: its own) and section.
using TacSubclassMaker = TacMainWnd* (*)(HWND window, TsCommonData* skinData, TsSkinManager* manager,
                                        const String& section);

struct TacSubclassChoice {
  TClass Class = nullptr;  // null: the creator makes none
  String Section;
  TacSubclassMaker Make = nullptr;
};

// The adapter's choice for a control named in the list of that index (0 ThirdEdits .. 12 ThirdVirtualTrees).
TacSubclassChoice AdapterSubclassChoice(int list);
// The dialog provider's choice for a window of that class (any case) and style.
TacSubclassChoice DialogSubclassChoice(const String& windowClass, DWORD style);

// The adapter's object for the control, or null. The caller frees it.
TacMainWnd* MakeAdapterSubclass(int list, TWinControl* control, TsCommonData* skinData, TsSkinManager* manager);
// The dialog provider's object for a child window of a system dialog (in dialog mode), or null.
TacMainWnd* MakeDialogSubclass(HWND window, TsSkinManager* manager);
