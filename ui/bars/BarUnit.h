#pragma once
// What the bar library learns about the system when it starts.

#include <vector>

#include "platform/framework/base/Win32.h"
#include "ui/bars/SubItems.h"

struct TdxBarOSFlags {
  bool Windows9x = false;
  bool Windows95 = false;
  // The menus answer the larger menu-item structure (48 bytes instead of 44).
  bool NewMenuStructure = false;
};

// The flags for a platform id (1 the 9x line, 2 the NT line) and a version.
TdxBarOSFlags BarOSFlagsFor(DWORD PlatformId, DWORD Major, DWORD Minor);
// The flags of this system, read when the library starts.
const TdxBarOSFlags& BarOSFlags();
void ReadBarOSFlags();
// The size of the menu-item structure the system menus are read with: the whole structure with the
// new menu structure, else the structure without its item bitmap.
UINT BarMenuItemInfoSize();

// ---- the MDI child's system menu on the main menu bar

// Mirrors the system menu of an MDI child window: its links are rebuilt from that menu each time it
// opens. The entries are internal items of the design controller, freed before each rebuild.
class TSystemMenuSubItem : public TCustomdxBarSubItem {
  DECLARE_CLASS(TSystemMenuSubItem, TCustomdxBarSubItem)
 public:
  explicit TSystemMenuSubItem(TComponent* AOwner) : TCustomdxBarSubItem(AOwner) {}
  ~TSystemMenuSubItem() override;
  HWND ChildWindow = nullptr;
  void Popup() override;
  // Reads the child's system menu into the links again (the previous entries go first).
  void RebuildLinks();

 private:
  void FillLinks(TdxBarItemLinks* Links, HMENU Menu);
  void EntryClicked(TObject* Sender);
};

// The system-menu item on the main menu bar: the child's small icon over the button face; a double
// click runs the default entry of the child's system menu.
class TSystemMenuSubItemControl : public TdxBarSubItemControl {
  DECLARE_CLASS(TSystemMenuSubItemControl, TdxBarSubItemControl)
 public:
  using TdxBarSubItemControl::TdxBarSubItemControl;
  HWND ChildWindow() const;
  bool IsOwnManagerItem() const override { return false; }
  bool CanSelect() const override;
  void DrawContent(const TRect& R, int PaintType) override;
  int Width() override;
  int Height() override;
  bool DoubleClickExpandsMenu() const override { return false; }
  bool AcceptsDoubleClick() const override { return true; }
  void DoubleClick() override;
};

// The glyph of a system-menu entry: the bar library's bitmap for the four window bitmaps, else a
// copy of the entry's check-mark bitmap for its state, else (a bitmap entry) the entry's own bitmap.
// Null when there is none; the caller owns it.
HBITMAP SystemMenuEntryGlyph(const MENUITEMINFOW& Info);
// The resource name of a window bitmap of a menu entry (HBMMENU_POPUP_CLOSE .. _MINIMIZE); null for
// any other.
const wchar_t* SystemMenuBitmapResource(HBITMAP Bitmap);

// Splits a menu text at its tab into the caption and the shortcut text.
void SplitMenuText(const String& Text, String& Caption, String& ShortCutText);
