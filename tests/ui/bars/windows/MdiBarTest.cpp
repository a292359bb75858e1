// The bars of an MDI frame: the active child and its maximized state reported as changes, the
// child's main menu merged into the frame's while the child is maximized, and the merge events.

#include <gtest/gtest.h>

#include "tests/support/WindowTestSupport.h"
#include "tests/ui/bars/BarTestWindow.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/Bars.h"

using namespace bar_testing;
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
  EXPECT_EQ(menu->ItemLinks()->Count(), 4) << "the child's links join the frame's menu";

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

}  // namespace
