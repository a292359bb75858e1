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

  // A rebuild frees the items it made before.
  const int made = item->TemporaryItemCount();
  item->RebuildLinks();
  EXPECT_EQ(item->TemporaryItemCount(), made);
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

}  // namespace
