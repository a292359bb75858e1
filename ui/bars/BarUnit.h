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
// opens. Until the design controller keeps such temporary items, the sub-item owns the items it
// made and frees them before each rebuild and when it goes.
class TSystemMenuSubItem : public TCustomdxBarSubItem {
  DECLARE_CLASS(TSystemMenuSubItem, TCustomdxBarSubItem)
 public:
  explicit TSystemMenuSubItem(TComponent* AOwner) : TCustomdxBarSubItem(AOwner) {}
  ~TSystemMenuSubItem() override;
  HWND ChildWindow = nullptr;
  void Popup() override;
  // Reads the child's system menu into the links again (the previous temporary items go first).
  void RebuildLinks();
  int TemporaryItemCount() const { return int(temporary_.size()); }
  // A temporary item freed by someone else (its owner going) is forgotten.
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void FreeTemporaryItems();
  void FillLinks(TdxBarItemLinks* Links, HMENU Menu);
  void EntryClicked(TObject* Sender);
  std::vector<TdxBarItem*> temporary_;
};

// Splits a menu text at its tab into the caption and the shortcut text.
void SplitMenuText(const String& Text, String& Caption, String& ShortCutText);
