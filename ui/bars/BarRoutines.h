#pragma once
// Free routines of the bar library: finding the manager and form of a component or window, control
// containment, accelerator characters, the menu fonts and the shared bar canvas.

#include "platform/framework/graphics/Graphics.h"
#include "platform/framework/windows/Forms.h"
#include "ui/bars/BarTypes.h"

class TdxBarCanvas;

// ---- managers, forms and windows ----------------------------------------------------------------

// Maps a form that owns no components to a manager (installed by other libraries; none by default).
using TdxBarFormToManagerHook = TdxBarManager* (*)(TComponent* Form);
TdxBarFormToManagerHook SetFormToManagerHook(TdxBarFormToManagerHook Hook);

// The component itself when it is a manager; else (a form without components asks the hook first)
// the first registered manager whose Owner is the component; null when there is none.
TdxBarManager* FindBarManagerOwnedBy(TComponent* Component);
inline TdxBarManager* LookupBarManagerByOwner(TComponent* Component) { return FindBarManagerOwnedBy(Component); }
// Follows Owner until a TWinControl.
TWinControl* WinControlOwnerOf(TComponent* Component);
// Climbs child-style windows until one has a framework control.
TWinControl* ChildWindowControlParent(HWND Window);
// From WinControlOwnerOf (null unless its handle exists): its manager, else the manager of each
// child-style parent window's control in turn.
TdxBarManager* BarManagerForComponent(TComponent* Component);
// Kinds of ControlFormOfKind: 0 the top form, 1 a run-time MDI child (none: the framework has no
// MDI), 2 any form.
enum TdxBarFormKind { bfkMain = 0, bfkMDIChildOrTop = 1, bfkAny = 2 };
// Walks from the control's window up through its parents, remembering every form, and stops at a
// window without WS_CHILD or at a form of the kind; the last form remembered. Null when the control
// cannot get a window.
TCustomForm* ControlFormOfKind(TControl* Control, TdxBarFormKind Kind);
TCustomForm* BarManagerForm(TdxBarManager* Manager, TdxBarFormKind Kind);
// The control when windowed, else its parent.
TWinControl* AsWinControl(TControl* Control);
// With both windows present the window hierarchy; else the parent chain of AsWinControl(Control).
bool ControlContains(TControl* Container, TControl* Control);
bool ManagerOwnerContains(TdxBarManager* Manager, TControl* Control);
// Loading as part of an inherited ancestor stream: loading and ancestor, not reading.
bool IsAncestorStreamLoading(TComponent* Component);

// ---- captions -----------------------------------------------------------------------------------

// The 1-based position of the caption's accelerator character (the one after a single "&"; "&&" is a
// literal ampersand, the last "&" is never examined); the last one found wins; 0 when none. With
// Remove the prefix characters are deleted from Caption.
int AcceleratorCharIndex(String& Caption, bool Remove);
int AcceleratorCharIndex(const String& Caption);

// ---- fonts --------------------------------------------------------------------------------------

// The system's non-client metrics (menu, caption, status and message fonts).
NONCLIENTMETRICSW ReadNonClientMetrics();
// A font handle from the system menu font; unless UseSystemFont with the face name of Font and a
// height of at least 11 pixels.
HFONT CreateMenuFontHandle(TFont* Font, bool UseSystemFont);
// Target takes Font, with the icon-title font's height (at least 11 pixels) when UseSystemHeight.
void CopyFontWithSystemHeight(TFont* Font, TFont* Target, bool UseSystemHeight);

// The toolbar theme's fill colour (property 3802 of part 0, state 0), else the system button face.
TColor ToolbarThemeColor();

// ---- singletons ---------------------------------------------------------------------------------

// The canvas all bar painting shares, made on first use; null once the library is finalizing.
TdxBarCanvas* SharedBarCanvas();
// True once the bar library's unit end has begun.
bool BarUnitFinalizing();
