// Groups, items and links: selection and scrolling indexes, items following their actions, the
// favourites' rebuild, copies of items, the links in form data, the group control's checks and the
// order of the bar's children.

#include <gtest/gtest.h>

#include "NavBarTestSupport.h"
#include "platform/framework/classes/Filer.h"
#include "tests/support/TestSupport.h"

using namespace navbar_testing;

namespace {

using NavBarItems = NavBarFixture;

TEST_F(NavBarItems, SelectedLinkIndexIsClampedAndNeedsSelectableLinks) {
  TdxNavBarGroup* group = AddGroup(L"A", 3);
  group->SetSelectedLinkIndex(5);
  EXPECT_EQ(group->SelectedLinkIndex(), -1);
  bar->OptionsBehavior()->SideBar()->SetAllowSelectLinks(true);
  int changed = 0;
  group->OnSelectedLinkChanged = [&](TObject*) { ++changed; };
  group->SetSelectedLinkIndex(5);
  EXPECT_EQ(group->SelectedLinkIndex(), 2);
  EXPECT_TRUE(group->LinkAt(2)->IsSelected());
  group->SetSelectedLinkIndex(2);
  group->SetSelectedLinkIndex(-7);
  EXPECT_EQ(group->SelectedLinkIndex(), -1);
  EXPECT_EQ(changed, 2);
  group->SetSelectedLinkIndex(1);
  bar->OptionsBehavior()->SideBar()->SetAllowSelectLinks(false);  // turning off deselects
  EXPECT_EQ(group->SelectedLinkIndex(), -1);
}

TEST_F(NavBarItems, OneSelectionAcrossGroupsUnlessEachGroupHasOne) {
  bar->OptionsBehavior()->SideBar()->SetAllowSelectLinks(true);
  TdxNavBarGroup* a = AddGroup(L"A", 2);
  TdxNavBarGroup* b = AddGroup(L"B", 2);
  a->SetSelectedLinkIndex(0);
  b->SetSelectedLinkIndex(1);
  EXPECT_EQ(a->SelectedLinkIndex(), -1);
  EXPECT_EQ(b->SelectedLinkIndex(), 1);
  bar->OptionsBehavior()->SideBar()->SetEachGroupHasSelectedLink(true);
  a->SetSelectedLinkIndex(0);
  EXPECT_EQ(a->SelectedLinkIndex(), 0);
  EXPECT_EQ(b->SelectedLinkIndex(), 1);
  b->RemoveLinkAt(1);  // a deleted link deselects itself
  EXPECT_EQ(b->SelectedLinkIndex(), -1);
}

TEST_F(NavBarItems, TopVisibleLinkIndexStaysOnALink) {
  TdxNavBarGroup* group = AddGroup(L"A", 4);
  group->SetTopVisibleLinkIndex(3);
  ASSERT_EQ(group->TopVisibleLinkIndex(), 3);
  group->RemoveLinkAt(3);
  EXPECT_EQ(group->TopVisibleLinkIndex(), 2);
  group->ClearLinks();
  EXPECT_EQ(group->TopVisibleLinkIndex(), 0);
  group->SetTopVisibleLinkIndex(9);
  EXPECT_EQ(group->TopVisibleLinkIndex(), 0);
}

TEST_F(NavBarItems, ItemFollowsItsAction) {
  TAction action(root);
  action.SetCaption(L"Amplify");
  action.SetHint(L"Amplify|Changes the volume");
  action.SetImageIndex(4);
  TdxNavBarItem* item = bar->Items()->AddNewItem();
  item->SetCaption(L"Mine");
  item->SetAction(&action);  // at run time: the action's values, caption included
  EXPECT_EQ(item->Caption(), L"Amplify");
  EXPECT_EQ(item->Hint(), L"Amplify|Changes the volume");
  EXPECT_EQ(item->LargeImageIndex(), 4);
  EXPECT_EQ(item->SmallImageIndex(), 4);
  // Linked values follow the action; an unlinked one (the item's own caption) stays.
  action.SetEnabled(false);
  EXPECT_FALSE(item->Enabled());
  item->SetCaption(L"Own");
  action.SetCaption(L"Louder");
  EXPECT_EQ(item->Caption(), L"Own");
  item->SetSmallImageIndex(1);
  action.SetImageIndex(6);
  EXPECT_EQ(item->LargeImageIndex(), 4);
  // The idle pass reaches items through the bar's links.
  TdxNavBarGroup* group = AddGroup(L"Edit");
  group->AddLinkForItem(item);
  action.OnUpdate = [](TObject* sender) { static_cast<TAction*>(sender)->SetEnabled(true); };
  bar->InitiateAction();
  EXPECT_TRUE(item->Enabled());
  // Without the action the pushed values stay.
  item->SetAction(nullptr);
  EXPECT_EQ(item->Action(), nullptr);
  EXPECT_EQ(item->Hint(), L"Amplify|Changes the volume");
}

TEST_F(NavBarItems, LoadedItemKeepsItsOwnCaption) {
  TAction action(root);
  action.SetCaption(L"Amplify");
  action.SetImageIndex(4);
  TdxNavBarItem* item = bar->Items()->AddNewItem();
  {
    TLoadingBracket loading(*root);
    loading.Add(&action);
    loading.Add(item);
    item->SetCaption(L"Mine");
    item->SetAction(&action);
    loading.End();
  }
  EXPECT_EQ(item->Caption(), L"Mine");
  EXPECT_EQ(item->LargeImageIndex(), 4);
  EXPECT_EQ(item->SmallImageIndex(), 4);
}

TEST_F(NavBarItems, FreedActionLeavesTheItem) {
  auto* action = new TAction(root);
  TdxNavBarItem* item = bar->Items()->AddNewItem();
  item->SetAction(action);
  action->Free();
  EXPECT_EQ(item->Action(), nullptr);
  EXPECT_EQ(item->ActionLink(), nullptr);
}

// The favourites' rebuild: every item freed (their links with them), new items linked, and a click
// on a link reaching OnLinkClick with the link.
TEST_F(NavBarItems, FavouritesRebuildAndLinkClick) {
  TdxNavBarGroup* group = AddGroup(L"Favorites", 3);
  ASSERT_EQ(bar->Items()->Count(), 3);
  bar->Items()->FreeAllItems();
  EXPECT_EQ(bar->Items()->Count(), 0);
  EXPECT_EQ(group->LinkCount(), 0);
  for (const wchar_t* caption : {L"Half Volume (Ctrl+H)", L"Echo"}) {
    TdxNavBarItem* item = bar->Items()->AddNewItem();
    item->SetCaption(caption);
    item->SetHint(String(caption) + L"  [Effect: 50]");
    group->AddLinkForItem(item);
  }
  int clicked = -1;
  bar->OnLinkClick = [&](TObject* sender, TdxNavBarItemLink* link) {
    EXPECT_EQ(sender, bar);
    clicked = link->Index();
  };
  bar->DoLinkMouseUp(group->LinkAt(1));
  EXPECT_EQ(clicked, 1);
  EXPECT_EQ(group->LinkAt(1)->Item()->Name(), L"dxNavBar1Item2");  // names are free again
}

// The collapsed pane's popup mirrors the items: a copy keeps caption, hint and disabled state, so
// its link shows the text and its click reaches no handler.
TEST_F(NavBarItems, ItemsAssignCopiesCaptionHintAndEnabled) {
  TdxNavBarItem* master = bar->Items()->AddNewItem();
  master->SetCaption(L"Normalize");
  master->SetHint(L"Normalize the level");
  master->SetEnabled(false);
  master->SetSmallImageIndex(3);
  int clicks = 0;
  master->OnClick = [&](TObject*) { ++clicks; };
  auto* popup = new TdxNavBar(root);
  popup->Items()->Assign(bar->Items());
  ASSERT_EQ(popup->Items()->Count(), 1);
  TdxNavBarItem* copy = popup->Items()->ItemAt(0);
  EXPECT_EQ(copy->Caption(), L"Normalize");
  EXPECT_EQ(copy->Hint(), L"Normalize the level");
  EXPECT_FALSE(copy->Enabled());
  EXPECT_EQ(copy->SmallImageIndex(), 3);
  EXPECT_FALSE(copy->OnClick);
  TdxNavBarGroup* group = popup->Groups()->Add();
  TdxNavBarItemLink* link = group->AddLinkForItem(copy);
  EXPECT_FALSE(link->CanSelect());
  popup->DoLinkMouseUp(link);
  EXPECT_EQ(clicks, 0);
}

TEST_F(NavBarItems, LinksTravelThroughFormData) {
  TdxNavBarGroup* source = AddGroup(L"A", 2);
  TMemoryStream stream;
  {
    TWriter writer(stream);
    writer.WriteComponentData(*source);
  }
  TdxNavBarGroup* target = AddGroup(L"B", 1);
  stream.SetPosition(0);
  {
    TReader reader(stream);
    reader.SetOwner(root);
    reader.ReadComponentData(*target);
  }
  ASSERT_EQ(target->LinkCount(), 2);
  EXPECT_EQ(target->LinkAt(0)->Item(), source->LinkAt(0)->Item());
  EXPECT_EQ(target->LinkAt(1)->Item(), source->LinkAt(1)->Item());
  // A link to an item the form lacks: the read error, and the links stay as they were.
  source->LinkAt(1)->Item()->SetName(L"Gone");
  TMemoryStream damaged;
  {
    TWriter writer(damaged);
    writer.WriteComponentData(*source);
  }
  source->LinkAt(1)->Item()->Free();  // also leaves the target's second link
  ASSERT_EQ(target->LinkCount(), 1);
  TdxNavBarItem* kept = target->LinkAt(0)->Item();
  target->AddLinkForItem(kept);
  damaged.SetPosition(0);
  TReader reader(damaged);
  reader.SetOwner(root);
  EXPECT_THROW(reader.ReadComponentData(*target), EReadError);
  ASSERT_EQ(target->LinkCount(), 2);
  EXPECT_EQ(target->LinkAt(1)->Item(), kept);
}

TEST_F(NavBarItems, GroupControlCheckedOnParentAndFormData) {
  const String message = L"Invalid the TdxNavBarGroupControl parent or group.";
  TdxNavBarGroup* a = AddGroup(L"A");
  AddGroup(L"B");
  auto* loose = new TdxNavBarGroupControl(root);
  EXPECT_EQ(testing_support::MessageOf<Exception>([&] { loose->SetParent(bar); }), message);
  // UseControl makes the group's control, parented by the bar and named after the group.
  a->SetName(L"GroupA");
  a->OptionsGroupControl()->SetUseControl(true);
  ASSERT_NE(a->Control(), nullptr);
  EXPECT_EQ(a->Control()->Parent(), bar);
  EXPECT_EQ(a->Control()->Name(), L"GroupAControl");
  EXPECT_TRUE(a->ShowControl());
  // Form data: a group index outside the groups, or a group holding another control.
  struct Case {
    int index;
  };
  for (int index : {7, 0, -1}) {
    auto* control = new TdxNavBarGroupControl(root);
    TLoadingBracket loading(*root);
    loading.Add(control);
    control->SetParent(bar);  // a bar while loading is accepted
    loading.WriteData(control, [&](TWriter& w) {
      w.WritePropName(L"GroupIndex");
      w.WriteInteger(index);
    });
    EXPECT_EQ(testing_support::MessageOf<Exception>([&] { loading.End(); }), message) << index;
    EXPECT_EQ(control->Group(), nullptr) << index;
    EXPECT_EQ(a->Control()->Group(), a);
  }
  // A good index links both ways and turns the group's control options on.
  auto* control = new TdxNavBarGroupControl(root);
  TdxNavBarGroup* b = bar->Groups()->GroupAt(1);
  TLoadingBracket loading(*root);
  loading.Add(control);
  control->SetParent(bar);
  loading.WriteData(control, [](TWriter& w) {
    w.WritePropName(L"GroupIndex");
    w.WriteInteger(1);
  });
  loading.End();
  EXPECT_EQ(b->Control(), control);
  EXPECT_TRUE(b->UseControl());
  EXPECT_TRUE(b->ShowControl());
  control->Free();  // the group lets go of it
  EXPECT_EQ(b->Control(), nullptr);
  EXPECT_FALSE(b->UseControl());
}

TEST_F(NavBarItems, ChildrenInFourRuns) {
  TdxNavBarGroup* g1 = AddGroup(L"G1");
  TdxNavBarGroup* g2 = AddGroup(L"G2");
  TdxNavBarItem* i1 = bar->Items()->AddNewItem();
  TdxNavBarStyleItem* s1 = bar->OptionsStyle()->CustomStyleRepository()->Add();
  g2->OptionsGroupControl()->SetUseControl(true);
  std::vector<TComponent*> children;
  bar->GetChildren([&](TComponent* child) { children.push_back(child); }, root);
  EXPECT_EQ(children, (std::vector<TComponent*>{g1, g2, i1, s1, g2->Control()}));
  bar->SetChildOrder(g2, 0);
  EXPECT_EQ(bar->Groups()->GroupAt(0), g2);
  TdxNavBarItem* i2 = bar->Items()->AddNewItem();
  bar->SetChildOrder(i2, 2);  // position 0 of the item run
  EXPECT_EQ(bar->Items()->ItemAt(0), i2);
  EXPECT_EQ(s1->Name(), L"dxNavBar1StyleItem1");
}

}  // namespace
