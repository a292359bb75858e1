// The sub-item that mirrors an MDI child's system menu: entries, separators as group starts, the
// tab split into caption and shortcut, checked and disabled entries, and the command an entry sends.

#include <gtest/gtest.h>

#include "tests/support/WindowTestSupport.h"
#include "tests/ui/bars/BarTestWindow.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/BarUnit.h"
#include "ui/bars/Bars.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/customize/DesignController.h"
#include "ui/foundation/Classes.h"

using namespace bar_testing;
using window_testing::ProcessMessages;

namespace {

class SystemMenuItemTest : public BarWindowFixture {
 protected:
  void SetUp() override {
    BarWindowFixture::SetUp();
    form->SetFormStyle(fsMDIForm);
    form->SetBounds(60, 60, 640, 420);
    form->Show();
    child = new TForm(form, 0);
    child->SetName(L"Child");
    child->SetFormStyle(fsMDIChild);
    child->SetBounds(10, 10, 300, 200);
    child->Show();
    ProcessMessages();
    item = new TSystemMenuSubItem(form);
    item->ChildWindow = child->Handle();
  }
  TdxBarItemLink* LinkCaptioned(TdxBarItemLinks* Links, const String& Caption) {
    for (int i = 0; i < Links->Count(); ++i) {
      if (Links->LinkAt(i)->Item()->Caption() == Caption) return Links->LinkAt(i);
    }
    return nullptr;
  }
  TForm* child = nullptr;
  TSystemMenuSubItem* item = nullptr;
};

TEST(SystemMenuTextTest, ATabSplitsCaptionAndShortcut) {
  struct Case {
    const wchar_t *text, *caption, *shortCut;
  } cases[] = {{L"&Close\tCtrl+F4", L"&Close", L"Ctrl+F4"}, {L"&Move", L"&Move", L""}, {L"\tF1", L"", L"F1"}};
  for (const Case& c : cases) {
    String caption, shortCut;
    SplitMenuText(c.text, caption, shortCut);
    EXPECT_EQ(caption, c.caption);
    EXPECT_EQ(shortCut, c.shortCut);
  }
}

TEST_F(SystemMenuItemTest, TheChildsSystemMenuBecomesLinksWithGroupsShortcutsAndStates) {
  HMENU menu = GetSystemMenu(child->Handle(), FALSE);
  ASSERT_NE(menu, nullptr);
  // An entry of our own: checked, after a separator, and a disabled one.
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING | MF_CHECKED, 0x0110, L"Pinned\tCtrl+P");
  AppendMenuW(menu, MF_STRING | MF_GRAYED, 0x0120, L"Unused");
  item->RebuildLinks();
  TdxBarItemLinks* links = item->ItemLinks();
  ASSERT_EQ(links->Count(), GetMenuItemCount(menu) - 3);  // the three separators make no links
  TdxBarItemLink* close = LinkCaptioned(links, L"&Close");
  ASSERT_NE(close, nullptr);
  EXPECT_EQ(close->Item()->ShortCut(), TextToShortCut(L"Ctrl+F4"));
  EXPECT_TRUE(close->BeginGroup());
  TdxBarItemLink* pinned = LinkCaptioned(links, L"Pinned");
  ASSERT_NE(pinned, nullptr);
  EXPECT_TRUE(pinned->BeginGroup());
  auto* button = static_cast<TdxBarButton*>(pinned->Item());
  EXPECT_EQ(button->ButtonStyle(), bsChecked);
  EXPECT_TRUE(button->Down());
  EXPECT_EQ(button->Tag, 0x0110);
  EXPECT_EQ(button->ShortCut(), TextToShortCut(L"Ctrl+P"));
  EXPECT_FALSE(LinkCaptioned(links, L"Unused")->Item()->Enabled());
  EXPECT_FALSE(links->LinkAt(0)->BeginGroup());

  // The entries are the design controller's internal items, outside the manager's item list; a
  // rebuild frees the ones it made before.
  TdxBarItem* closeItem = close->Item();
  for (int i = 0; i < manager->ItemCount(); ++i) EXPECT_NE(manager->ItemAt(i), closeItem);
  TcxObjectLink* watch = AcquireObjectLink(closeItem);
  const int internal = DesignControllerInstance()->InternalItemCount();
  item->RebuildLinks();
  EXPECT_EQ(watch->Ref, nullptr);
  ReleaseObjectLink(watch);
  EXPECT_EQ(DesignControllerInstance()->InternalItemCount(), internal);
  EXPECT_EQ(item->ItemLinks()->Count(), links->Count());

  // An entry's click sends its command to the child.
  TdxBarItem* minimize = nullptr;
  for (int i = 0; i < item->ItemLinks()->Count(); ++i) {
    if (item->ItemLinks()->LinkAt(i)->Item()->Tag == SC_MINIMIZE) minimize = item->ItemLinks()->LinkAt(i)->Item();
  }
  ASSERT_NE(minimize, nullptr);
  minimize->Click();
  ProcessMessages();
  EXPECT_TRUE(IsIconic(child->Handle()));
}

TEST_F(SystemMenuItemTest, AMaximizedChildPutsItsSystemMenuItemFirstOnTheMainMenuUntilItIsRestored) {
  TdxBar* menu = manager->Bars()->Add();
  menu->ItemLinks()->AddItemLink(NewItem(L"FileItem", L"&File"));
  menu->SetIsMainMenu(true);
  menu->SetDockingStyle(dsTop);
  menu->SetVisible(true);
  ProcessMessages();
  ShowWindow(child->Handle(), SW_MAXIMIZE);
  manager->CheckMDIState();
  ASSERT_EQ(manager->HiddenItemCount(), 1);
  auto* first = dynamic_cast<TSystemMenuSubItem*>(menu->ItemLinks()->LinkAt(0)->Item());
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->ChildWindow, child->Handle());
  ShowWindow(child->Handle(), SW_RESTORE);
  manager->CheckMDIState();
  EXPECT_EQ(manager->HiddenItemCount(), 0);
  EXPECT_EQ(menu->ItemLinks()->Count(), 1);
}

// The colour of a bitmap's pixel as 0x00RRGGBB.
DWORD BitmapPixel(HBITMAP Bitmap, int X, int Y) {
  window_testing::DibSection target(16, 16);
  HDC source = CreateCompatibleDC(target.DC());
  HGDIOBJ old = SelectObject(source, Bitmap);
  BitBlt(target.DC(), 0, 0, 16, 16, source, 0, 0, SRCCOPY);
  SelectObject(source, old);
  DeleteDC(source);
  return target.Pixel(X, Y);
}

TEST(SystemMenuGlyphTest, WindowBitmapsComeFromTheLibraryAndCheckMarksAreCopied) {
  HBITMAP own = CreateBitmap(5, 5, 1, 32, nullptr);
  struct Case {
    const char* name;
    HBITMAP item;
    UINT state;
    HBITMAP checked;
    // A pixel expected black and one expected white (10 x 10 glyphs), or no glyph at all.
    TPoint black, white;
    bool none;
  } cases[] = {
      {"close is a cross", HBMMENU_POPUP_CLOSE, 0, nullptr, {1, 1}, {0, 0}, false},
      {"minimize is a bar at the bottom", HBMMENU_POPUP_MINIMIZE, 0, nullptr, {1, 7}, {1, 1}, false},
      {"maximize is a box", HBMMENU_POPUP_MAXIMIZE, 0, nullptr, {1, 4}, {4, 4}, false},
      {"restore is two windows", HBMMENU_POPUP_RESTORE, 0, nullptr, {3, 0}, {0, 0}, false},
      {"an unchecked entry without its bitmap has none", nullptr, 0, own, {}, {}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.hbmpItem = c.item;
    info.fState = c.state;
    info.hbmpChecked = c.checked;
    HBITMAP glyph = SystemMenuEntryGlyph(info);
    if (c.none) {
      EXPECT_EQ(glyph, nullptr);
      continue;
    }
    ASSERT_NE(glyph, nullptr);
    EXPECT_EQ(BitmapPixel(glyph, c.black.x, c.black.y), 0x000000u);
    EXPECT_EQ(BitmapPixel(glyph, c.white.x, c.white.y), 0xFFFFFFu);
    DeleteObject(glyph);
  }
  // A checked entry gets a copy of its check-mark bitmap (the entry keeps its own).
  MENUITEMINFOW checked{};
  checked.cbSize = sizeof(checked);
  checked.fState = MFS_CHECKED;
  checked.hbmpChecked = own;
  HBITMAP copy = SystemMenuEntryGlyph(checked);
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy, own);
  BITMAP size{};
  GetObjectW(copy, sizeof(size), &size);
  EXPECT_EQ(size.bmWidth, 5);
  DeleteObject(copy);
  DeleteObject(own);
}

TEST_F(SystemMenuItemTest, TheControlShowsTheChildsIconAndADoubleClickRunsTheDefaultCommand) {
  TdxBar* menu = manager->Bars()->Add();
  menu->ItemLinks()->AddItemLink(NewItem(L"FileItem", L"&File"));
  menu->SetIsMainMenu(true);
  menu->SetDockingStyle(dsTop);
  menu->SetVisible(true);
  // A red small icon.
  BYTE mask[16 * 16 / 8] = {};
  HDC screen = GetDC(nullptr);
  HBITMAP colour = CreateCompatibleBitmap(screen, 16, 16);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, colour);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  RECT all{0, 0, 16, 16};
  FillRect(dc, &all, red);
  SelectObject(dc, old);
  DeleteObject(red);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  ICONINFO iconInfo{TRUE, 0, 0, CreateBitmap(16, 16, 1, 1, mask), colour};
  HICON icon = CreateIconIndirect(&iconInfo);
  DeleteObject(iconInfo.hbmMask);
  DeleteObject(colour);
  SendMessageW(child->Handle(), WM_SETICON, ICON_SMALL, LPARAM(icon));
  ShowWindow(child->Handle(), SW_MAXIMIZE);
  manager->CheckMDIState();
  ProcessMessages();

  TdxBarItemControl* control = menu->ItemLinks()->LinkAt(0)->ItemControl();
  auto* systemControl = dynamic_cast<TSystemMenuSubItemControl*>(control);
  ASSERT_NE(systemControl, nullptr);
  EXPECT_EQ(control->Width(), GetSystemMetrics(SM_CXSMICON));
  EXPECT_EQ(control->Height(), GetSystemMetrics(SM_CYSMICON));
  EXPECT_TRUE(control->CanSelect());
  TdxBarControl* window = menu->Control();
  window_testing::DibSection client(window->ClientWidth(), window->ClientHeight());
  window->Perform(WM_PAINT, reinterpret_cast<WPARAM>(client.DC()), 0);
  const TRect r = control->BoundsInBar();
  EXPECT_EQ(client.Pixel((r.left + r.right) / 2, (r.top + r.bottom) / 2), 0xFF0000u);

  // The default entry of the child's system menu runs on a double click.
  ASSERT_TRUE(control->AcceptsDoubleClick());
  EXPECT_FALSE(control->DoubleClickExpandsMenu());
  SetMenuDefaultItem(GetSystemMenu(child->Handle(), FALSE), SC_MINIMIZE, FALSE);
  control->DoubleClick();
  ProcessMessages();
  EXPECT_TRUE(IsIconic(child->Handle()));
  DestroyIcon(icon);
}

}  // namespace
