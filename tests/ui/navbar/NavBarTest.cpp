// The bar: the active group with hidden groups, the view fallback and the option clamps, showing
// more and fewer groups, the changing veto, values kept while loading, the update lock, the
// painter property and collapsing.

#include <gtest/gtest.h>

#include "NavBarTestSupport.h"
#include "platform/framework/classes/Filer.h"
#include "tests/support/TestSupport.h"

using namespace navbar_testing;

namespace {

using NavBar = NavBarFixture;

TEST_F(NavBar, ActiveGroupFollowsVisibleGroups) {
  EXPECT_EQ(bar->ActiveGroupIndex(), -1);
  EXPECT_EQ(bar->EffectiveActiveGroup(), nullptr);
  TdxNavBarGroup* a = AddGroup(L"A");
  TdxNavBarGroup* b = AddGroup(L"B");
  TdxNavBarGroup* c = AddGroup(L"C");
  bar->SetActiveGroupIndex(2);
  EXPECT_EQ(bar->EffectiveActiveGroup(), c);
  // A veto keeps the hidden group stored: the first visible group shows as active meanwhile.
  bar->OnActiveGroupChanging = [](TObject*, TdxNavBarGroup* group, bool& allow) { allow = group != nullptr; };
  c->SetVisible(false);
  EXPECT_EQ(bar->ActiveGroup(), c);
  EXPECT_EQ(bar->ActiveGroupIndex(), 0);
  c->SetVisible(true);
  EXPECT_EQ(bar->ActiveGroupIndex(), 2);
  bar->OnActiveGroupChanging = nullptr;
  // Without a veto hiding the active group makes the first visible group active; showing a group
  // while none is visible makes it active.
  c->SetVisible(false);
  EXPECT_EQ(bar->ActiveGroupIndex(), 0);
  EXPECT_EQ(bar->ActiveGroup(), a);
  a->SetVisible(false);
  b->SetVisible(false);
  EXPECT_EQ(bar->ActiveGroupIndex(), -1);
  c->SetVisible(true);
  EXPECT_EQ(bar->ActiveGroup(), c);
  bar->SetActiveGroupIndex(7);  // out of range: ignored
  EXPECT_EQ(bar->ActiveGroup(), c);
}

TEST_F(NavBar, ChangingVetoKeepsTheGroupAndRaisesNoChanged) {
  AddGroup(L"A");
  TdxNavBarGroup* b = AddGroup(L"B");
  bar->SetActiveGroupIndex(0);
  int changed = 0;
  bar->OnActiveGroupChanged = [&](TObject*) { ++changed; };
  TdxNavBarGroup* asked = nullptr;
  bar->OnActiveGroupChanging = [&](TObject*, TdxNavBarGroup* group, bool& allow) {
    asked = group;
    allow = false;
  };
  bar->SetActiveGroupIndex(1);
  EXPECT_EQ(asked, b);
  EXPECT_EQ(bar->ActiveGroupIndex(), 0);
  EXPECT_EQ(changed, 0);
  bar->OnActiveGroupChanging = nullptr;
  bar->SetActiveGroupIndex(1);
  EXPECT_EQ(changed, 1);
}

TEST_F(NavBar, UnregisteredViewTakesTheHighestAndOptionsClamp) {
  bar->SetView(14);
  EXPECT_EQ(bar->View(), kOtherTestView);
  EXPECT_EQ(bar->Painter()->ClassType(), &TOtherTestPainter::ClassInfo());
  bar->OptionsView()->NavigationPane()->SetMaxVisibleGroups(-5);
  EXPECT_EQ(bar->OptionsView()->NavigationPane()->MaxVisibleGroups(), -1);
  bar->OptionsView()->ExplorerBar()->SetSpaceBetweenGroups(-3);
  EXPECT_EQ(bar->OptionsView()->ExplorerBar()->SpaceBetweenGroups(), 0);
}

TEST_F(NavBar, ShowMoreAndFewerGroups) {
  for (const wchar_t* caption : {L"A", L"B", L"C"}) AddGroup(caption);
  TdxNavBarNavigationPaneViewOptions* pane = bar->OptionsView()->NavigationPane();
  struct Case {
    int max;
    bool more;
    int expected;
  };
  const Case cases[] = {
      {-1, false, 2}, {2, false, 1}, {1, false, 0},
      {0, false, 0},  // never below 0: -1 would show all groups
      {0, true, 1},   {1, true, 2},  {2, true, -1},
  };
  for (const Case& c : cases) {
    pane->SetMaxVisibleGroups(c.max);
    if (c.more)
      bar->ShowMoreGroups();
    else
      bar->ShowFewerGroups();
    EXPECT_EQ(pane->MaxVisibleGroups(), c.expected) << c.max << (c.more ? " more" : " fewer");
  }
  pane->SetMaxVisibleGroups(1);
  EXPECT_EQ(bar->HiddenGroupCount(), 2);
  EXPECT_TRUE(bar->CanShowMoreGroups());
  EXPECT_TRUE(bar->CanShowFewerGroups());
  pane->SetMaxVisibleGroups(0);
  EXPECT_FALSE(bar->CanShowFewerGroups());
}

TEST_F(NavBar, ValuesSetWhileLoadingApplyInLoaded) {
  TLoadingBracket loading(*root);
  loading.Add(bar);
  bar->SetActiveGroupIndex(1);  // before the groups exist
  EXPECT_EQ(bar->ActiveGroupIndex(), -1);
  AddGroup(L"A");
  AddGroup(L"B");
  int changed = 0;
  bar->OnActiveGroupChanged = [&](TObject*) { ++changed; };
  loading.End();
  EXPECT_EQ(bar->ActiveGroupIndex(), 1);
  EXPECT_EQ(changed, 0);  // applied without events
}

TEST_F(NavBar, NestedUpdatesRebuildOnceAtTheLast) {
  Layout();
  TdxNavBarPainter* painter = bar->Painter();
  ASSERT_FALSE(painter->RecreatePending());
  bar->BeginUpdate();
  bar->BeginUpdate();
  AddGroup(L"A", 2);
  EXPECT_TRUE(painter->RecreatePending());
  painter->PrepareToPaint();  // locked: prepares nothing, forgets the flags
  EXPECT_EQ(bar->ViewInfo()->GroupCount(), 0);
  EXPECT_FALSE(painter->RecreatePending());
  bar->EndUpdate();
  EXPECT_FALSE(painter->RecreatePending());
  bar->EndUpdate();
  EXPECT_TRUE(painter->RecreatePending());
  painter->PrepareToPaint();
  EXPECT_EQ(bar->ViewInfo()->GroupCount(), 1);
}

TEST_F(NavBar, ViewStyleRefusesForeignPaintersAndKeepsItsOwn) {
  TdxNavBarPainter* own = bar->Painter();
  const int destroyed = TTestPainter::Destroyed;
  bar->SetViewStyle(own);  // the same painter: nothing changes, it stays alive
  EXPECT_EQ(bar->Painter(), own);
  EXPECT_EQ(TTestPainter::Destroyed, destroyed);
  bar->SetViewStyle(nullptr);
  EXPECT_EQ(bar->Painter(), own);
  auto* other = new TdxNavBar(root);
  TdxNavBarPainter* foreign = other->Painter();
  EXPECT_THROW(bar->SetViewStyle(foreign), EInvalidOperation);
  EXPECT_EQ(bar->Painter(), own);
  EXPECT_EQ(other->Painter(), foreign);
  EXPECT_EQ(TTestPainter::Destroyed, destroyed);
}

// Collapsing with a view that collapses to 40 and expands to at least 80.
class NavBarCollapse : public NavBarFixture {
 protected:
  void SetUp() override {
    NavBarFixture::SetUp();
    Painter()->Metrics.CanCollapse = true;
    bar->OnNavigationPaneCollapsed = [this](TObject*) { events.push_back(L"collapsed"); };
    bar->OnNavigationPaneExpanded = [this](TObject*) { events.push_back(L"expanded"); };
  }
  TdxNavBarNavigationPaneBehaviorOptions* Pane() { return bar->OptionsBehavior()->NavigationPane(); }
  std::vector<String> events;
};

TEST_F(NavBarCollapse, CollapsesToTheViewWidthAndExpandsBack) {
  Pane()->SetCollapsed(true);  // not collapsible: ignored
  EXPECT_FALSE(Pane()->Collapsed());
  Pane()->SetCollapsible(true);
  Pane()->SetCollapsed(true);
  bar->CheckCollapseState();
  EXPECT_EQ(bar->Width(), 40);
  Pane()->SetCollapsed(false);
  bar->CheckCollapseState();
  EXPECT_EQ(bar->Width(), 150);
  EXPECT_EQ(events, (std::vector<String>{L"collapsed", L"expanded"}));
}

TEST_F(NavBarCollapse, StoredCollapsedWithoutWidthExpandsToTheMinimum) {
  {
    TLoadingBracket loading(*root);
    loading.Add(bar);
    Pane()->SetCollapsible(true);
    Pane()->SetCollapsed(true);
    loading.End();
  }
  ASSERT_EQ(bar->OriginalWidth(), 0);
  bar->CheckCollapseState();
  ASSERT_EQ(bar->Width(), 40);
  Pane()->SetCollapsed(false);
  bar->CheckCollapseState();
  EXPECT_EQ(bar->Width(), 80);  // not 0, which the pane would collapse again at once
}

TEST_F(NavBarCollapse, MinimumThatGrewWhileCollapsedHolds) {
  Pane()->SetCollapsible(true);
  Pane()->SetCollapsed(true);
  bar->CheckCollapseState();
  Painter()->Metrics.MinExpandedWidth = 200;
  Pane()->SetCollapsed(false);
  bar->CheckCollapseState();
  EXPECT_EQ(bar->Width(), 200);
}

TEST_F(NavBarCollapse, OriginalWidthComesFromFormData) {
  {
    TLoadingBracket loading(*root);
    loading.Add(bar);
    loading.WriteData(bar, [](TWriter& w) {
      w.WritePropName(L"OriginalWidth");
      w.WriteInteger(120);
    });
    Pane()->SetCollapsible(true);
    Pane()->SetCollapsed(true);
    loading.End();
  }
  bar->CheckCollapseState();
  Pane()->SetCollapsed(false);
  bar->CheckCollapseState();
  EXPECT_EQ(bar->Width(), 120);
}

}  // namespace
