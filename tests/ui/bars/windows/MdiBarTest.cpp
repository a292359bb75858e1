// The bars of an MDI frame: the active child and its maximized state reported as changes, the
// child's main menu merged into the frame's while the child is maximized, and the merge events.

#include <gtest/gtest.h>

#include "tests/support/WindowTestSupport.h"
#include "tests/ui/bars/BarTestPainter.h"
#include "ui/bars/BarControl.h"
#include "tests/ui/bars/BarTestWindow.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/Bars.h"

using namespace bar_testing;
using window_testing::DibSection;
using window_testing::ProcessMessages;

namespace {

class MdiBarTest : public BarWindowFixture {
 protected:
  void SetUp() override {
    BarWindowFixture::SetUp();
    form->SetFormStyle(fsMDIForm);
    form->SetBounds(60, 60, 640, 420);
    menu = MainMenu(form, manager, L"Frame");
    form->Show();
    ProcessMessages();
    manager->MDIStateChangedHandlers()->AddHandler(TcxEventHandler(this, &MdiBarTest::Changed));
  }
  void TearDown() override {
    manager->MDIStateChangedHandlers()->RemoveHandler(TcxEventHandler(this, &MdiBarTest::Changed));
    BarWindowFixture::TearDown();
  }

  // A main menu of two items owned by Owner, docked on top.
  static TdxBar* MainMenu(TForm* Owner, TdxBarManager* Manager, const String& Prefix) {
    TdxBar* bar = Manager->Bars()->Add();
    bar->SetCaption(Prefix + L" Menu");
    for (int i = 0; i < 2; ++i) {
      auto* item = new TdxBarButton(Owner);
      item->SetName(Prefix + L"Item" + std::to_wstring(i));
      item->SetCaption(Prefix + std::to_wstring(i));
      bar->ItemLinks()->AddItemLink(item);
    }
    bar->SetIsMainMenu(true);
    bar->SetDockingStyle(dsTop);
    bar->SetVisible(true);
    return bar;
  }

  struct Child {
    TForm* Form;
    TdxBarManager* Manager;
    TdxBar* Menu;
  };
  Child NewChild(const String& Name) {
    auto* child = new TForm(form, 0);
    child->SetName(Name);
    child->SetFormStyle(fsMDIChild);
    child->SetBounds(10, 10, 300, 200);
    auto* childManager = new TdxBarManager(child);
    childManager->SetName(Name + L"Bars");
    TdxBar* childMenu = MainMenu(child, childManager, Name);
    child->Show();
    ProcessMessages();
    return Child{child, childManager, childMenu};
  }

  void Changed(TObject*, const void* Args) {
    const auto* data = static_cast<const TdxBarMDIStateChangeEventData*>(Args);
    changes.push_back({data->Change, data->Child});
  }

  TdxBar* menu = nullptr;
  std::vector<std::pair<int, TCustomForm*>> changes;
};

TEST_F(MdiBarTest, ActivationAndMaximizingAreReportedAndTheMaximizedChildsMenuMerges) {
  Child a = NewChild(L"Alpha");
  manager->CheckMDIState();
  ASSERT_EQ(form->ActiveMDIChild(), a.Form);
  EXPECT_EQ(changes, (std::vector<std::pair<int, TCustomForm*>>{{1, nullptr}, {0, a.Form}}));
  EXPECT_EQ(a.Menu->MergeData()->MergedWith, nullptr) << "a child that is not maximized keeps its menu";
  EXPECT_TRUE(a.Menu->Visible());

  changes.clear();
  ShowWindow(a.Form->Handle(), SW_MAXIMIZE);
  ProcessMessages();
  manager->CheckMDIState();
  EXPECT_EQ(changes, (std::vector<std::pair<int, TCustomForm*>>{{2, a.Form}}));
  EXPECT_TRUE(manager->MDIChildMaximized());
  EXPECT_EQ(a.Menu->MergeData()->MergedWith, menu);
  EXPECT_FALSE(a.Menu->Visible());
  // The child's links join the frame's menu, after the child's system-menu item at the front.
  EXPECT_EQ(menu->ItemLinks()->Count(), 5);

  // Nothing changed: nothing reported.
  changes.clear();
  manager->CheckMDIState();
  EXPECT_TRUE(changes.empty());

  // Restored: unmerged, the child's menu visible again.
  ShowWindow(a.Form->Handle(), SW_RESTORE);
  ProcessMessages();
  manager->CheckMDIState();
  EXPECT_EQ(changes, (std::vector<std::pair<int, TCustomForm*>>{{2, a.Form}}));
  EXPECT_EQ(a.Menu->MergeData()->MergedWith, nullptr);
  EXPECT_TRUE(a.Menu->Visible());
  EXPECT_EQ(menu->ItemLinks()->Count(), 2);
}

TEST_F(MdiBarTest, AnotherChildActivatedUnmergesThePreviousOneAndTheEventsTakeOverTheMenuMerge) {
  Child a = NewChild(L"Alpha");
  manager->AlwaysMerge = true;
  std::vector<std::pair<TdxBarManager*, bool>> menuMerges, merges;
  manager->OnMenuMerge = [&](TdxBarManager*, TdxBarManager* Child, bool Add) { menuMerges.push_back({Child, Add}); };
  manager->OnMerge = [&](TdxBarManager*, TdxBarManager* Child, bool Add) { merges.push_back({Child, Add}); };
  manager->CheckMDIState();
  // With the menu-merge event the links stay where they are; the child's menu is only hidden.
  EXPECT_EQ(menuMerges, (std::vector<std::pair<TdxBarManager*, bool>>{{a.Manager, true}}));
  EXPECT_EQ(merges, (std::vector<std::pair<TdxBarManager*, bool>>{{a.Manager, true}}));
  EXPECT_EQ(a.Menu->MergeData()->MergedWith, menu);
  EXPECT_FALSE(a.Menu->Visible());
  EXPECT_EQ(menu->ItemLinks()->Count(), 2);

  menuMerges.clear();
  merges.clear();
  Child b = NewChild(L"Beta");
  manager->CheckMDIState();
  ASSERT_EQ(form->ActiveMDIChild(), b.Form);
  EXPECT_EQ(menuMerges,
            (std::vector<std::pair<TdxBarManager*, bool>>{{a.Manager, false}, {b.Manager, true}}));
  EXPECT_EQ(a.Menu->MergeData()->MergedWith, nullptr);
  EXPECT_TRUE(a.Menu->Visible()) << "the deactivated child gets its menu back";
  EXPECT_EQ(b.Menu->MergeData()->MergedWith, menu);
  manager->OnMenuMerge = nullptr;
  manager->OnMerge = nullptr;
}

TEST_F(MdiBarTest, TheMainMenuShowsTheMaximizedChildsButtonsAndTheyActOnTheChild) {
  Child a = NewChild(L"Alpha");
  manager->CheckMDIState();
  TdxBarControl* window = menu->Control();
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(window->ShowsMDIButtons());
  EXPECT_FALSE(window->HasCaptionButtonsArea());

  ShowWindow(a.Form->Handle(), SW_MAXIMIZE);
  ProcessMessages();
  manager->CheckMDIState();
  ProcessMessages();
  ASSERT_TRUE(window->ShowsMDIButtons());
  // The minimize command greyed in the child's system menu: its button is disabled.
  EnableMenuItem(GetSystemMenu(a.Form->Handle(), FALSE), SC_MINIMIZE, MF_BYCOMMAND | MF_GRAYED);
  EXPECT_FALSE(window->MDIButtonEnabled(0, MF_GRAYED | MF_DISABLED));
  EXPECT_TRUE(window->MDIButtonEnabled(1, MF_GRAYED | MF_DISABLED));
  const TRect r0 = window->MDIButtonRect(0), r1 = window->MDIButtonRect(1), r2 = window->MDIButtonRect(2);
  EXPECT_EQ(r1.left, r0.right);
  EXPECT_EQ(r2.left, r1.right + 2);
  EXPECT_LE(r2.right, window->ClientWidth());
  // Every link sits before the buttons.
  for (int i = 0; i < menu->ItemLinks()->ShownLinkCount(); ++i)
    EXPECT_LE(menu->ItemLinks()->ShownLinkAt(i)->ItemRect().right, r0.left);
  DibSection client(window->ClientWidth(), window->ClientHeight());
  window->Perform(WM_PAINT, reinterpret_cast<WPARAM>(client.DC()), 0);
  auto centre = [](const TRect& R) { return TPoint{(R.left + R.right) / 2, (R.top + R.bottom) / 2}; };
  EXPECT_EQ(client.Pixel(centre(r0).x, centre(r0).y), MDIButtonColor(0, 1));
  EXPECT_EQ(client.Pixel(centre(r2).x, centre(r2).y), MDIButtonColor(2, 0));

  // A disabled button ignores the press; a release off the pressed button sends nothing.
  SendMessageW(window->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre(r0).x, centre(r0).y));
  EXPECT_EQ(TdxBarControl::PressedMDIButton(), -1);
  SendMessageW(window->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre(r1).x, centre(r1).y));
  EXPECT_EQ(TdxBarControl::PressedMDIButton(), 1);
  SendMessageW(window->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageW(window->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(TdxBarControl::PressedMDIButton(), -1);
  EXPECT_TRUE(IsZoomed(a.Form->Handle()));
  // Pressed and released on restore: the child is restored.
  SendMessageW(window->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre(r1).x, centre(r1).y));
  SendMessageW(window->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(centre(r1).x, centre(r1).y));
  ProcessMessages();
  EXPECT_FALSE(IsZoomed(a.Form->Handle()));
  EXPECT_EQ(GetCapture(), nullptr);
  manager->CheckMDIState();
  EXPECT_FALSE(window->ShowsMDIButtons());
}

TEST_F(MdiBarTest, WithoutAMaximizedChildTheMainMenuShowsThePlainCloseButton) {
  manager->SetShowCloseButton(true);
  TdxBarControl* window = menu->Control();
  window->SettingsChanged();
  ProcessMessages();
  ASSERT_TRUE(window->HasCaptionButtonsArea());
  EXPECT_FALSE(window->ShowsMDIButtons());
  int clicks = 0;
  manager->OnCloseButtonClick = [&](TObject*) { ++clicks; };
  const TRect close = window->MDIButtonRect(2);
  EXPECT_EQ(close.right, window->ClientWidth());
  const TPoint at{(close.left + close.right) / 2, (close.top + close.bottom) / 2};
  SendMessageW(window->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  SendMessageW(window->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  EXPECT_EQ(clicks, 1);
  manager->OnCloseButtonClick = nullptr;
}

}  // namespace
