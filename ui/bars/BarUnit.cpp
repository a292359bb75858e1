#include "ui/bars/BarUnit.h"

#include <algorithm>
#include <cstddef>

#include "platform/framework/base/Win32.h"
#include "platform/framework/windows/ShortCuts.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/Bars.h"

// The menu-item structure with and without its last member (the item bitmap): 48 and 44 bytes in a
// 32-bit program.
static_assert(sizeof(void*) != 4 || (sizeof(MENUITEMINFOW) == 48 && offsetof(MENUITEMINFOW, hbmpItem) == 44),
              "the 32-bit menu-item structure");

namespace {
TdxBarOSFlags g_flags;
}

TdxBarOSFlags BarOSFlagsFor(DWORD PlatformId, DWORD Major, DWORD Minor) {
  TdxBarOSFlags flags;
  flags.Windows9x = PlatformId == VER_PLATFORM_WIN32_WINDOWS;
  flags.Windows95 = flags.Windows9x && Minor == 0;
  // Every NT release from 5 on has the larger structure, not only release 5 itself.
  flags.NewMenuStructure = (flags.Windows9x && Minor != 0) || (PlatformId == VER_PLATFORM_WIN32_NT && Major >= 5);
  return flags;
}

const TdxBarOSFlags& BarOSFlags() { return g_flags; }

void ReadBarOSFlags() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExW(&info)) return;
#pragma GCC diagnostic pop
  g_flags = BarOSFlagsFor(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
}

UINT BarMenuItemInfoSize() {
  return BarOSFlags().NewMenuStructure ? UINT(sizeof(MENUITEMINFOW)) : UINT(offsetof(MENUITEMINFOW, hbmpItem));
}

// ---- the system-menu sub-item ----------------------------------------------------------------------

DEFINE_CLASS(TSystemMenuSubItem)

void SplitMenuText(const String& Text, String& Caption, String& ShortCutText) {
  const size_t tab = Text.find(L'\t');
  Caption = Text.substr(0, tab);
  ShortCutText = tab == String::npos ? String() : Text.substr(tab + 1);
}

TSystemMenuSubItem::~TSystemMenuSubItem() { FreeTemporaryItems(); }

void TSystemMenuSubItem::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomdxBarSubItem::Notification(AComponent, Operation);
  if (Operation == opRemove)
    temporary_.erase(std::remove(temporary_.begin(), temporary_.end(), AComponent), temporary_.end());
}

void TSystemMenuSubItem::Popup() {
  RebuildLinks();
  TCustomdxBarSubItem::Popup();
}

void TSystemMenuSubItem::FreeTemporaryItems() {
  // Each free reports back through Notification and leaves the list.
  while (!temporary_.empty()) {
    TdxBarItem* last = temporary_.back();
    temporary_.pop_back();
    last->RemoveFreeNotification(this);
    last->Free();
  }
}

void TSystemMenuSubItem::RebuildLinks() {
  FreeTemporaryItems();
  ItemLinks()->Clear();
  HMENU menu = ChildWindow && IsWindow(ChildWindow) ? GetSystemMenu(ChildWindow, FALSE) : nullptr;
  if (menu) FillLinks(ItemLinks(), menu);
}

void TSystemMenuSubItem::FillLinks(TdxBarItemLinks* Links, HMENU Menu) {
  bool beginGroup = false;
  const int count = GetMenuItemCount(Menu);
  for (int i = 0; i < count; ++i) {
    wchar_t text[1024] = {};
    MENUITEMINFOW info{};
    info.cbSize = BarMenuItemInfoSize();
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_TYPE;
    info.dwTypeData = text;
    info.cch = 1023;
    if (!GetMenuItemInfoW(Menu, UINT(i), TRUE, &info)) continue;
    if (info.fType & MFT_SEPARATOR) {
      beginGroup = true;
      continue;
    }
    if (info.fType & MFT_BITMAP) GetMenuStringW(Menu, UINT(i), text, 1023, MF_BYPOSITION);
    String caption, shortCutText;
    SplitMenuText(text, caption, shortCutText);
    TdxBarItem* item = nullptr;
    if (info.hSubMenu) {
      auto* sub = new TdxBarSubItem(Owner());
      temporary_.push_back(sub);
      sub->FreeNotification(this);
      FillLinks(sub->ItemLinks(), info.hSubMenu);
      item = sub;
    } else {
      auto* button = new TdxBarButton(Owner());
      temporary_.push_back(button);
      button->FreeNotification(this);
      button->Tag = NativeInt(info.wID);
      button->OnClick = TNotifyEvent(this, &TSystemMenuSubItem::EntryClicked);
      if (info.fState & MFS_CHECKED) {
        button->SetButtonStyle(bsChecked);
        button->SetDown(true);
      }
      item = button;
    }
    item->SetCaption(caption);
    item->SetEnabled(!(info.fState & (MFS_GRAYED | MFS_DISABLED)));
    if (!shortCutText.empty()) item->SetShortCut(TextToShortCut(shortCutText));
    TdxBarItemLink* link = Links->AddItemLink(item);
    if (link && beginGroup) link->SetBeginGroup(true);
    beginGroup = false;
  }
}

void TSystemMenuSubItem::EntryClicked(TObject* Sender) {
  auto* button = dynamic_cast<TdxBarButton*>(Sender);
  if (button && ChildWindow && IsWindow(ChildWindow))
    SendMessageW(ChildWindow, WM_SYSCOMMAND, WPARAM(button->Tag), 0);
}

// ---- the manager's system-menu item --------------------------------------------------------------

void TdxBarManager::AddSystemMenuItem(TCustomForm* Child) {
  if (!mainMenuBar_ || !Child || !Child->HandleAllocated() || !GetSystemMenu(Child->Handle(), FALSE)) return;
  // One item at a time: the previous child's goes first.
  RemoveHiddenItems();
  auto* item = new TSystemMenuSubItem(Owner());
  item->ChildWindow = Child->Handle();
  hiddenItems_->Add(item);
  TdxBarItemLinks* links = mainMenuBar_->ItemLinks();
  if (TdxBarItemLink* link = links->AddItemLink(item)) links->MoveLink(link->Index(), 0);
}

void TdxBarManager::RemoveHiddenItems() {
  while (hiddenItems_ && hiddenItems_->Count() > 0) {
    TComponent* last = hiddenItems_->Items(hiddenItems_->Count() - 1);
    hiddenItems_->Extract(last);
    last->Free();
  }
}

int TdxBarManager::HiddenItemCount() const { return hiddenItems_ ? hiddenItems_->Count() : 0; }
