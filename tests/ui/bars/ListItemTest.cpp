// List items and the extra pane's list item: the generated entries, their numbers and groups, the
// selected entry, and the links a menu gets and gives back.
#include <gtest/gtest.h>

#include "tests/ui/bars/BarTestSupport.h"
#include "ui/bars/SubItems.h"

using namespace bar_testing;

namespace {

class ListItem : public BarFixture {
 protected:
  TdxBarListItem* NewList(std::initializer_list<const wchar_t*> Strings) {
    auto* list = NewItem<TdxBarListItem>(L"list" + IntToStr(++made));
    for (const wchar_t* s : Strings) list->Items()->Add(s);
    return list;
  }
  int made = 0;
  static std::vector<String> Captions(TdxBarItemLinks* Links) {
    std::vector<String> captions;
    for (int i = 0; i < Links->Count(); ++i) captions.push_back(Links->LinkAt(i)->Item()->Caption());
    return captions;
  }
};

TEST_F(ListItem, EntriesAreNumberedAndADashBeginsAGroup) {
  TdxBarListItem* list = NewList({L"a", L"-", L"b"});
  TTestLinksOwner* menu = NewOwner(pkMenu);
  menu->Links()->AddItemLink(NewItem(L"before"));
  list->AddListedItemLinks(menu->Links(), 1, nullptr, true);
  EXPECT_EQ(Captions(menu->Links()), (std::vector<String>{L"before", L"&1 a", L"&2 b"}));
  EXPECT_TRUE(menu->Links()->LinkAt(1)->BeginGroup());
  EXPECT_TRUE(menu->Links()->LinkAt(2)->BeginGroup());
  EXPECT_EQ(list->ItemListCount(), 2);
  // Giving them back frees as many links as there are entries.
  list->DeleteListedItemLinks(menu->Links(), 1);
  EXPECT_EQ(Captions(menu->Links()), (std::vector<String>{L"before"}));
}

TEST_F(ListItem, TheTenthEntryIsLetteredAndNumbersCanBeOff) {
  EXPECT_EQ(TdxBarListItem::EntryNumber(0), L"&1 ");
  EXPECT_EQ(TdxBarListItem::EntryNumber(8), L"&9 ");
  EXPECT_EQ(TdxBarListItem::EntryNumber(9), L"&A ");
  EXPECT_EQ(TdxBarListItem::EntryNumber(10), L"&B ");
  TdxBarListItem* list = NewList({L"1", L"2", L"3", L"4", L"5", L"6", L"7", L"8", L"9", L"ten"});
  TTestLinksOwner* menu = NewOwner(pkMenu);
  list->AddListedItemLinks(menu->Links(), 0, nullptr, false);
  EXPECT_EQ(menu->Links()->LinkAt(9)->Item()->Caption(), L"&A ten");
  auto* plain = NewItem<TdxBarListItem>(L"plain");
  plain->Items()->Add(L"x");
  plain->ShowNumbers = false;
  TTestLinksOwner* other = NewOwner(pkMenu);
  plain->AddListedItemLinks(other->Links(), 0, nullptr, false);
  EXPECT_EQ(other->Links()->LinkAt(0)->Item()->Caption(), L"x");
}

TEST_F(ListItem, DataIndexCountsEntriesOnlyAndAnUnknownOneSelectsNothing) {
  TdxBarListItem* list = NewList({L"a", L"-", L"b", L"c"});
  struct Case {
    int ItemIndex;
    int DataIndex;
  };
  for (const Case& c : {Case{0, 0}, Case{2, 1}, Case{3, 2}, Case{-1, -1}, Case{7, -1}}) {
    list->ItemIndex = c.ItemIndex;
    EXPECT_EQ(list->DataIndex(), c.DataIndex) << "ItemIndex " << c.ItemIndex;
  }
  list->SetDataIndex(2);
  EXPECT_EQ(list->ItemIndex, 3);
  list->SetDataIndex(1);
  EXPECT_EQ(list->ItemIndex, 2);
  // No entry has position 5: nothing is selected (not "c", the string at the entry count).
  list->SetDataIndex(5);
  EXPECT_EQ(list->ItemIndex, -1);
  TdxBarListItem* empty = NewList({});
  empty->SetDataIndex(0);
  EXPECT_EQ(empty->ItemIndex, -1);
}

TEST_F(ListItem, ShowCheckChecksTheSelectedEntryAndAClickSelectsItsString) {
  TdxBarListItem* list = NewList({L"a", L"-", L"b"});
  list->ShowCheck = true;
  list->ItemIndex = 2;
  int clicks = 0;
  list->OnClick = [&](TObject*) { ++clicks; };
  TTestLinksOwner* menu = NewOwner(pkMenu);
  list->AddListedItemLinks(menu->Links(), 0, nullptr, true);
  auto* first = static_cast<TdxBarButton*>(menu->Links()->LinkAt(0)->Item());
  auto* second = static_cast<TdxBarButton*>(menu->Links()->LinkAt(1)->Item());
  EXPECT_FALSE(first->Down());
  EXPECT_TRUE(second->Down());
  EXPECT_EQ(second->ButtonStyle(), bsChecked);
  first->Click();
  EXPECT_EQ(list->ItemIndex, 0);
  EXPECT_EQ(clicks, 1);
}

TEST_F(ListItem, AStaleItemListIsClearedAtTheNextFillOnceNoLongerLinked) {
  TdxBarListItem* list = NewList({L"a", L"b"});
  TTestLinksOwner* menu = NewOwner(pkMenu);
  list->AddListedItemLinks(menu->Links(), 0, nullptr, true);
  TdxBarItem* firstMade = list->ItemListAt(0);
  list->DeleteListedItemLinks(menu->Links(), 0);
  list->MarkItemListStale();
  list->Items()->SetStrings(0, L"changed");
  list->AddListedItemLinks(menu->Links(), 0, nullptr, true);
  EXPECT_EQ(list->ItemListCount(), 2);
  EXPECT_NE(list->ItemListAt(0), firstMade);
  EXPECT_EQ(menu->Links()->LinkAt(0)->Item()->Caption(), L"&1 changed");
  // Without the stale mark the buttons of the earlier fill are linked again.
  TdxBarItem* again = list->ItemListAt(0);
  list->DeleteListedItemLinks(menu->Links(), 0);
  list->AddListedItemLinks(menu->Links(), 0, nullptr, true);
  EXPECT_EQ(menu->Links()->LinkAt(0)->Item(), again);
}

TEST_F(ListItem, TheExtraPaneListHasAHeaderAndGivesBackEveryLinkItAdded) {
  auto* list = NewItem<TdxBarExtraPaneListItem>(L"pane", L"Recent Files");
  list->Items()->Add(L"C:\\music\\take one.wav");
  list->Items()->Add(L"D:\\b.mp3");
  list->EntryDisplayText = [](int Index) { return Index == 1 ? String(L"Bee") : String(); };
  TTestLinksOwner* menu = NewOwner(pkMenu);
  menu->Links()->AddItemLink(NewItem(L"after"));
  list->AddListedItemLinks(menu->Links(), 0, nullptr, true);
  // The header above the entries; an empty display text shows the bare file name.
  EXPECT_EQ(Captions(menu->Links()), (std::vector<String>{L"Recent Files", L"&1 take one", L"&2 Bee", L"after"}));
  EXPECT_EQ(menu->Links()->LinkAt(1)->Item()->Hint(), L"C:\\music\\take one.wav");
  // Entries + header: nothing of the list stays behind.
  list->DeleteListedItemLinks(menu->Links(), 0);
  EXPECT_EQ(Captions(menu->Links()), (std::vector<String>{L"after"}));
}

}  // namespace
