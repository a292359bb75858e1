#include "ui/bars/BarUnit.h"

#include <algorithm>
#include <cstddef>

#include "platform/framework/base/Win32.h"
#include "platform/framework/windows/ShortCuts.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarControl.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/Bars.h"
#include "ui/bars/customize/DesignController.h"
#include "ui/foundation/Canvas.h"
#include "platform/framework/rtl/Seams.h"

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

TSystemMenuSubItem::~TSystemMenuSubItem() {
  if (TdxBarDesignController* controller = DesignControllerInstance()) controller->FreeLinkedItems(ItemLinks());
}

void TSystemMenuSubItem::Popup() {
  RebuildLinks();
  TCustomdxBarSubItem::Popup();
}

void TSystemMenuSubItem::RebuildLinks() {
  TdxBarDesignController* controller = DesignControllerInstance();
  if (!controller) return;
  controller->FreeLinkedItems(ItemLinks());
  HMENU menu = ChildWindow && IsWindow(ChildWindow) ? GetSystemMenu(ChildWindow, FALSE) : nullptr;
  if (menu) FillLinks(ItemLinks(), menu);
}

const wchar_t* SystemMenuBitmapResource(HBITMAP Bitmap) {
  if (Bitmap == HBMMENU_POPUP_CLOSE) return L"DXBARCLOSE";
  if (Bitmap == HBMMENU_POPUP_RESTORE) return L"DXBARRESTORE";
  if (Bitmap == HBMMENU_POPUP_MAXIMIZE) return L"DXBARMAXIMIZE";
  if (Bitmap == HBMMENU_POPUP_MINIMIZE) return L"DXBARMINIMIZE";
  return nullptr;
}

HBITMAP SystemMenuEntryGlyph(const MENUITEMINFOW& Info) {
  // A window bitmap stands in the item bitmap (the larger structure) or, for a bitmap entry, in the
  // type data.
  HBITMAP windowBitmap = BarMenuItemInfoSize() == sizeof(MENUITEMINFOW) ? Info.hbmpItem : nullptr;
  if (!SystemMenuBitmapResource(windowBitmap) && (Info.fType & MFT_BITMAP))
    windowBitmap = reinterpret_cast<HBITMAP>(Info.dwTypeData);
  if (const wchar_t* name = SystemMenuBitmapResource(windowBitmap))
    return HBITMAP(LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
  HBITMAP check = (Info.fState & MFS_CHECKED) ? Info.hbmpChecked : Info.hbmpUnchecked;
  if (check) return HBITMAP(CopyImage(check, IMAGE_BITMAP, 0, 0, 0));
  if ((Info.fType & MFT_BITMAP) && Info.dwTypeData)
    return HBITMAP(CopyImage(reinterpret_cast<HBITMAP>(Info.dwTypeData), IMAGE_BITMAP, 0, 0, 0));
  return nullptr;
}

void TSystemMenuSubItem::FillLinks(TdxBarItemLinks* Links, HMENU Menu) {
  TdxBarDesignController* controller = DesignControllerInstance();
  bool beginGroup = false;
  const int count = GetMenuItemCount(Menu);
  for (int i = 0; controller && i < count; ++i) {
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
    // A bitmap entry's type data is its bitmap: the text comes separately.
    String entryText;
    if (info.fType & MFT_BITMAP) {
      wchar_t bitmapText[1024] = {};
      GetMenuStringW(Menu, UINT(i), bitmapText, 1023, MF_BYPOSITION);
      entryText = bitmapText;
    } else {
      entryText = text;
    }
    String caption, shortCutText;
    SplitMenuText(entryText, caption, shortCutText);
    TComponentClass itemClass = info.hSubMenu ? &TdxBarSubItem::ClassInfo() : &TdxBarButton::ClassInfo();
    TNotifyEvent onClick;
    if (!info.hSubMenu) onClick = TNotifyEvent(this, &TSystemMenuSubItem::EntryClicked);
    TdxBarItemLink* link =
        controller->AddInternalItemLink(Links, itemClass, beginGroup, NativeInt(info.wID), onClick, caption);
    beginGroup = false;
    TdxBarItem* item = link ? link->Item() : nullptr;
    if (!item) continue;
    if (auto* sub = dynamic_cast<TdxBarSubItem*>(item)) {
      FillLinks(sub->ItemLinks(), info.hSubMenu);
    } else if (auto* button = dynamic_cast<TdxBarButton*>(item); button && (info.fState & MFS_CHECKED)) {
      button->SetButtonStyle(bsChecked);
      button->SetDown(true);
    }
    item->SetEnabled(!(info.fState & (MFS_GRAYED | MFS_DISABLED)));
    if (!shortCutText.empty()) item->SetShortCut(TextToShortCut(shortCutText));
    if (HBITMAP glyph = SystemMenuEntryGlyph(info)) item->Glyph()->SetHandle(glyph);
  }
}

void TSystemMenuSubItem::EntryClicked(TObject* Sender) {
  auto* button = dynamic_cast<TdxBarButton*>(Sender);
  if (button && ChildWindow && IsWindow(ChildWindow))
    SendMessageW(ChildWindow, WM_SYSCOMMAND, WPARAM(button->Tag), 0);
}

// ---- its control ----------------------------------------------------------------------------------

DEFINE_CLASS(TSystemMenuSubItemControl)

HWND TSystemMenuSubItemControl::ChildWindow() const {
  auto* item = dynamic_cast<TSystemMenuSubItem*>(LinkedItem());
  return item && item->ChildWindow && IsWindow(item->ChildWindow) ? item->ChildWindow : nullptr;
}

bool TSystemMenuSubItemControl::CanSelect() const {
  TdxBarManager* manager = LinkedBarManager();
  return !(manager && manager->InDesignOrCustomizing());
}

int TSystemMenuSubItemControl::Width() { return Bound().GetSystemMetrics(SM_CXSMICON); }
int TSystemMenuSubItemControl::Height() { return Bound().GetSystemMetrics(SM_CYSMICON); }

void TSystemMenuSubItemControl::DrawContent(const TRect& R, int) {
  TdxBarItemControlDrawParams* params = DrawParams();
  TdxBarPainter* painter = Painter();
  if (!params || !painter || !params->Canvas) return;
  // The face alone: neither caption nor image.
  params->Caption.clear();
  params->ContentParts = TdxBarContentParts{};
  painter->DrawButtonControl(params, R);
  HWND child = ChildWindow();
  if (!child) return;
  HICON icon = HICON(SendMessageW(child, WM_GETICON, ICON_SMALL, 0));
  if (!icon) icon = HICON(SendMessageW(child, WM_GETICON, ICON_BIG, 0));
  if (!icon) return;
  HICON small = HICON(CopyImage(icon, IMAGE_ICON, 16, 16, 0));
  if (!small) return;
  const int x = R.left + (R.Width() - 16) / 2, y = R.top + (R.Height() - 16) / 2;
  DrawIconEx(params->Canvas->DCHandle(), x, y, small, 16, 16, 0, nullptr, DI_NORMAL);
  DestroyIcon(small);
}

void TSystemMenuSubItemControl::DoubleClick() {
  HWND child = ChildWindow();
  CloseActiveBarMenus();
  if (!child || !IsWindow(child)) return;
  HMENU menu = GetSystemMenu(child, FALSE);
  const UINT command = menu ? GetMenuDefaultItem(menu, FALSE, 0) : UINT(-1);
  if (command != UINT(-1)) SendMessageW(child, WM_SYSCOMMAND, command, 0);
}

// ---- the manager's system-menu item --------------------------------------------------------------

void TdxBarManager::AddSystemMenuItem(TCustomForm* Child) {
  if (!mainMenuBar_ || !Child || !Child->HandleAllocated() || !GetSystemMenu(Child->Handle(), FALSE)) return;
  // One item at a time: the previous child's goes first.
  RemoveHiddenItems();
  auto* item = new TSystemMenuSubItem(Owner());
  item->ChildWindow = Child->Handle();
  hiddenItems_->Add(item);
  if (TdxBarDesignController* controller = DesignControllerInstance()) controller->AddInternalItem(item);
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
