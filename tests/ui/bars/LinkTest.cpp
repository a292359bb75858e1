// Links and their collections: computed group starts, user overrides, accelerators, recursion,
// usage and the recent rule, separator collapse, merging, keyboard walking, streaming and the stored
// layout.

#include <gtest/gtest.h>

#include "platform/framework/base/Utf8.h"
#include "platform/framework/classes/Filer.h"
#include "platform/framework/classes/IniFiles.h"
#include "platform/framework/classes/Stream.h"
#include "tests/support/TestSupport.h"
#include "tests/ui/bars/BarTestSupport.h"

using namespace bar_testing;
using testing_support::MessageOf;

namespace {

class LinkTest : public BarFixture {
 protected:
  // A menu-kind collection with a link to a new button of each name.
  TdxBarItemLinks* MenuWith(std::initializer_list<const wchar_t*> Names, TdxBarItemPlaceKind Kind = pkMenu) {
    TdxBarItemLinks* links = NewOwner(Kind)->Links();
    for (const wchar_t* name : Names) {
      TdxBarItem* item = manager->ItemByName(name);
      if (!item && String(name).rfind(L"sep", 0) == 0) item = NewItem<TdxBarSeparator>(name);
      if (!item) item = NewItem(name);
      links->AddItemLink(item);
    }
    return links;
  }
};

TEST_F(LinkTest, AHiddenLinkPassesItsGroupStartOn) {
  TdxBarItemLinks* links = MenuWith({L"A", L"B", L"C"});
  TdxBarItemLink *a = links->LinkAt(0), *b = links->LinkAt(1), *c = links->LinkAt(2);
  b->SetBeginGroup(true);
  b->SetVisible(false);
  EXPECT_TRUE(c->BeginGroup());
  EXPECT_FALSE(c->BeginGroupFlag());
  b->SetVisible(true);
  EXPECT_FALSE(c->BeginGroup());
  EXPECT_TRUE(b->BeginGroup());
  a->SetBeginGroup(true);
  EXPECT_FALSE(a->BeginGroup());  // the first shown link never starts a group

  // Before B leaves, C takes its group start over; the first link hands its own away.
  b->PassGroupStartOn();
  EXPECT_TRUE(c->BeginGroupFlag());
  a->PassGroupStartOn();
  EXPECT_FALSE(b->BeginGroupFlag());
}

TEST_F(LinkTest, UserValuesTurnTheirFlagsOnAndResetWhenCleared) {
  TdxBarItemLinks* links = MenuWith({L"Open"});
  TdxBarItemLink* link = links->LinkAt(0);
  link->SetUserCaption(L"Load");
  EXPECT_EQ(link->UserDefine(), TdxBarUserDefines{udCaption});
  EXPECT_EQ(link->DisplayCaption(), L"Load");
  link->SetUserPaintStyle(psCaptionGlyph);
  EXPECT_EQ(link->PaintStyle(), psCaptionGlyph);
  link->SetUserWidth(0);  // the width it already has: nothing
  EXPECT_FALSE(link->UserDefine().Contains(udWidth));
  link->SetUserDefine({});
  EXPECT_EQ(link->UserCaption(), L"");
  EXPECT_EQ(link->UserPaintStyle(), psStandard);
  EXPECT_EQ(link->DisplayCaption(), L"Open");
}

TEST_F(LinkTest, Accelerators) {
  struct Case {
    const wchar_t* caption;
    Word key;
    TShiftState shift;
    bool matches;
  };
  const Case cases[] = {
      {L"&1 Recent", '1', {}, true},
      {L"&1 Recent", '1', {ssShift}, false},
      {L"&File", 'F', {}, true},
      {L"&File", 'F', {ssShift}, true},
      {L"&file", 'F', {}, true},
      {L"&file", 'F', {ssShift}, false},
      {L"Save &as", 'A', {ssAlt}, true},
      {L"Fish && Chips", 'C', {}, false},
      {L"Save", 'S', {}, false},
  };
  TdxBarItemLinks* links = MenuWith({L"Item"});
  for (const Case& c : cases) {
    links->LinkAt(0)->Item()->SetCaption(c.caption);
    TShiftState shift = c.shift;
    EXPECT_EQ(links->LinkAt(0)->MatchesAccelerator(c.key, shift), c.matches) << Utf8Encode(c.caption);
  }
}

TEST_F(LinkTest, RecursiveMenusAreRefused) {
  TTestLinksOwner* menu = NewOwner();
  auto* file = NewItem<TTestLinksItem>(L"File");
  auto* recent = NewItem<TTestLinksItem>(L"Recent");
  menu->Links()->AddItemLink(file);
  file->GetItemLinks()->AddItemLink(recent);
  EXPECT_EQ(MessageOf<EdxBarException>([&] { recent->GetItemLinks()->AddItemLink(file); }),
            L"You cannot create recursive menus");
  EXPECT_EQ(recent->GetItemLinks()->Count(), 0);
  EXPECT_EQ(MessageOf<EdxBarException>([&] { file->GetItemLinks()->AddItemLink(file); }),
            L"You cannot create recursive menus");

  // A link that exists already stays, without an item.
  TdxBarItemLink* empty = recent->GetItemLinks()->AddLink();
  EXPECT_THROW(empty->SetItem(file), EdxBarException);
  EXPECT_EQ(empty->Item(), nullptr);
  EXPECT_EQ(recent->GetItemLinks()->Count(), 1);
  EXPECT_TRUE(file->GetItemLinks()->LeadsToOwner(recent));
  EXPECT_FALSE(recent->GetItemLinks()->LeadsToOwner(file));

  // An empty Item frees the link.
  empty->SetItem(NewItem(L"Open"));
  empty->SetItem(nullptr);
  EXPECT_EQ(recent->GetItemLinks()->Count(), 0);
}

TEST_F(LinkTest, UsageStartsAtTheThresholdOrAtZero) {
  TdxBarItemLinks* links = MenuWith({L"A", L"B"});
  EXPECT_EQ(links->LinkAt(0)->UseCount(), 20);
  EXPECT_EQ(links->LinkAt(1)->RecentIndex(), 0);  // the newest link on top
  links->LinkAt(1)->SetMostRecentlyUsed(false);
  EXPECT_EQ(links->LinkAt(1)->UseCount(), 0);
  EXPECT_EQ(links->LinkAt(1)->RecentIndex(), 1);
  manager->SetMostRecentItemsPercents(90);
  EXPECT_EQ(MenuWith({L"C"})->LinkAt(0)->UseCount(), 10);
}

TEST_F(LinkTest, SeparatorsCollapseOutsideCustomizing) {
  TdxBarItemLinks* links = MenuWith({L"A", L"sep1", L"sep2", L"B", L"sep3"});
  EXPECT_EQ(ShownNames(links), (std::vector<String>{L"A", L"sep2", L"B"}));
  EXPECT_EQ(links->UsableLinkCount(), 5);
  manager->SetCustomizingMode(true);
  links->RefreshLinkLists();
  EXPECT_EQ(links->ShownLinkCount(), 5);
}

TEST_F(LinkTest, TheRecentRuleOfPersonalisedMenus) {
  struct Case {
    std::vector<int> useCounts;  // in recent order
    int expected;
  };
  const Case cases[] = {{{100, 50, 0}, 2}, {{1, 1, 1}, -1}, {{200, 0, 0}, 1}};
  for (const Case& c : cases) {
    TdxBarItemLinks* links = MenuWith({L"A", L"B", L"C"});
    for (int i = 0; i < 3; ++i) {
      links->LinkAt(i)->SetUseCount(c.useCounts[size_t(i)]);
      links->LinkAt(i)->SetRecentIndex(i);
    }
    EXPECT_EQ(links->RecentShownCount(), c.expected) << c.useCounts[0];
  }
  manager->SetStyle(bmsStandard);
  EXPECT_EQ(MenuWith({L"A"})->RecentShownCount(), -1);
}

TEST_F(LinkTest, TheShownLimitShowsTheMostRecentInCollectionOrder) {
  TdxBarItemLinks* links = MenuWith({L"A", L"B", L"C", L"D"});
  links->LinkAt(3)->SetRecentIndex(0);
  links->LinkAt(0)->SetRecentIndex(1);
  links->SetShownLimit(2);
  EXPECT_EQ(ShownNames(links), (std::vector<String>{L"A", L"D"}));
  links->RestoreShownLimit();
  EXPECT_EQ(links->ShownLinkCount(), 4);
  manager->SetStyle(bmsStandard);
  links->SetShownLimit(3);
  EXPECT_EQ(links->ShownLimit(), -1);
  EXPECT_EQ(links->ShownLinkCount(), 4);
}

TEST_F(LinkTest, MergingAddsByOrderAndMergesSubMenusByCaption) {
  TdxBarItemLinks* target = MenuWith({L"X", L"Y"});
  manager->ItemByName(L"Y")->SetMergeOrder(5);
  auto* file = NewItem<TTestLinksItem>(L"File");
  file->MergeKind = mkMergeByCaption;
  file->SetMergeOrder(6);
  file->GetItemLinks()->AddItemLink(NewItem(L"Open"));
  target->AddItemLink(file);

  TdxBarItemLinks* source = NewOwner()->Links();
  for (auto [name, order] : {std::pair{L"Z", 3}, {L"W", 9}, {L"V", 0}}) {
    TdxBarButton* item = NewItem(name);
    item->SetMergeOrder(order);
    source->AddItemLink(item);
  }
  manager->ItemByName(L"V")->MergeKind = mkNone;
  auto* childFile = NewItem<TTestLinksItem>(L"ChildFile", L"File");
  childFile->MergeKind = mkMergeByCaption;
  childFile->GetItemLinks()->AddItemLink(NewItem(L"Print"));
  source->AddItemLink(childFile);

  std::vector<String> reported;
  manager->OnMergeItemLink = [&](TdxBarManager*, TdxBarItemLinks*, TdxBarItemLinks*, TdxBarItemLink* Link,
                                 TdxBarItemMergeKind& Kind, int& Index) {
    reported.push_back(Link->Item()->Name() + L":" + std::to_wstring(Kind) + L"@" + std::to_wstring(Index));
  };
  int token = 0;
  SetMergingToolbar(reinterpret_cast<TdxBar*>(&token));
  target->MergeFrom(source);
  SetMergingToolbar(nullptr);

  EXPECT_EQ(NamesOf(target, &TdxBarItemLinks::Count, &TdxBarItemLinks::LinkAt),
            (std::vector<String>{L"X", L"Z", L"Y", L"File", L"W"}));
  EXPECT_EQ(NamesOf(file->GetItemLinks(), &TdxBarItemLinks::Count, &TdxBarItemLinks::LinkAt),
            (std::vector<String>{L"Open", L"Print"}));
  EXPECT_EQ(reported, (std::vector<String>{L"Z:0@1", L"W:0@4", L"V:2@-1", L"ChildFile:1@3", L"Print:0@1"}));

  target->RemoveMergedLinks(nullptr);
  EXPECT_EQ(NamesOf(target, &TdxBarItemLinks::Count, &TdxBarItemLinks::LinkAt),
            (std::vector<String>{L"X", L"Y", L"File"}));
  EXPECT_EQ(file->GetItemLinks()->Count(), 1);
}

// Links whose enabled items count as selectable, as their item controls will say.
class TEnabledSelectableLinks : public TdxBarSubMenuControlItemLinks {
 public:
  using TdxBarSubMenuControlItemLinks::TdxBarSubMenuControlItemLinks;
  bool IsSelectableLink(TdxBarItemLink* Link) const override { return Link->Item()->Enabled(); }
};

TEST_F(LinkTest, KeyboardWalkingAndTheMenuAcceleratorSearch) {
  TTestLinksOwner* owner = NewOwner();
  ObjectPtr<TEnabledSelectableLinks> links(new TEnabledSelectableLinks(manager, owner));
  for (const wchar_t* name : {L"Open", L"Save", L"Print", L"Options"})
    links->AddItemLink(NewItem(name, String(L"&") + name));
  manager->ItemByName(L"Save")->SetEnabled(false);
  TdxBarItemLink *open = links->LinkAt(0), *print = links->LinkAt(2), *options = links->LinkAt(3);
  EXPECT_EQ(links->FirstSelectableShown(), open);
  EXPECT_EQ(links->NextShownLink(open, false), print);
  EXPECT_EQ(links->NextShownLink(open, true), links->LinkAt(1));
  EXPECT_EQ(links->NextShownLink(options, false), open);
  EXPECT_EQ(links->PriorShownLink(open, false), options);
  EXPECT_EQ(links->PriorShownLink(nullptr, false), options);

  // "o": from Open the search goes on to Options, then wraps back to Open. A link the recent limit
  // hides is still found.
  EXPECT_EQ(links->FindAcceleratedLink('O', {ssAlt}, open), options);
  EXPECT_EQ(links->FindAcceleratedLink('O', {}, options), open);
  options->SetRecentIndex(3);
  links->SetShownLimit(2);
  EXPECT_EQ(links->ShownIndexOf(options), -1);
  EXPECT_EQ(links->FindAcceleratedLink('O', {}, open), options);
  EXPECT_EQ(links->FindAcceleratedLink('S', {}, nullptr), nullptr);  // disabled
  // A toolbar without a shown window answers no accelerator.
  TdxBarItemLinks* toolbar = NewOwner(pkToolbar)->Links();
  toolbar->AddItemLink(NewItem(L"Tools", L"&Tools"))->SetUserPaintStyle(psCaption);
  EXPECT_EQ(toolbar->FindAcceleratedLink('T', {}, nullptr), nullptr);
}

TEST_F(LinkTest, StreamedItemNamesAreResolvedWhenLoaded) {
  TdxBarItemLinks* links = MenuWith({L"Open", L"Save"});
  TMemoryStream stream;
  TWriter writer(stream);
  writer.WriteCollection(*links);
  stream.SetPosition(0);

  TTestLinksOwner* copy = NewOwner();
  TReader reader(stream);
  reader.ReadCollection(*copy->Links());
  ASSERT_EQ(copy->Links()->Count(), 2);
  EXPECT_EQ(copy->Links()->LinkAt(0)->Item(), nullptr);
  EXPECT_EQ(copy->Links()->LinkAt(1)->PendingItemName(), L"Save");
  manager->ItemByName(L"Save")->SetName(L"SAVE");  // the lookup ignores case
  copy->Links()->Loaded();
  EXPECT_EQ(ShownNames(copy->Links()), (std::vector<String>{L"Open", L"SAVE"}));
}

TEST_F(LinkTest, AssignCopiesTheLinksWithTheirVisibility) {
  TdxBarItemLinks* source = MenuWith({L"Open", L"Save"});
  source->LinkAt(1)->SetVisible(false);
  source->LinkAt(1)->SetUserCaption(L"Store");
  TdxBarItemLinks* target = MenuWith({L"Print"});
  target->Assign(source);
  ASSERT_EQ(target->Count(), 2);
  EXPECT_EQ(target->LinkAt(0)->Item()->Name(), L"Open");
  EXPECT_FALSE(target->LinkAt(1)->Visible());
  EXPECT_EQ(target->LinkAt(1)->DisplayCaption(), L"Store");
  EXPECT_EQ(target->LinkAt(1)->MergedFromToolbar(), nullptr);

  // A copy of a link without an item keeps the link (and drops its item).
  TdxBarItemLink* empty = source->AddLink();
  target->LinkAt(0)->Assign(empty);
  ASSERT_EQ(target->Count(), 2);
  EXPECT_EQ(target->LinkAt(0)->Item(), nullptr);
  EXPECT_EQ(manager->ItemByName(L"Open")->LinkCount(), 1);
}

// ---- the stored layout --------------------------------------------------------------------------

const wchar_t* const kSection = L"TestForm.BarManager.Bar0";

String IniText(TMemIniFile& Store) {
  TStringList lines;
  Store.GetStrings(lines);
  return lines.Text();
}

TEST_F(LinkTest, LayoutIsWrittenAndReadBackWithTheStoreKeys) {
  TdxBarItemLinks* links = MenuWith({L"Open", L"Save"}, pkToolbar);
  links->AddItemLink(new TdxBarButton(form));  // an item without a name is not stored
  TdxBarItemLink* save = links->LinkAt(1);
  save->SetBeginGroup(true);
  save->SetUserCaption(L"Store");
  save->SetButtonGroup(bgpStart);
  save->SetPosition(ipContinuesRow);
  save->SetViewLevels({ivlSmallIcon});
  save->SetVisible(false);

  TMemIniFile store(L"");
  links->WriteLayout(store, kSection, 0);
  EXPECT_EQ(IniText(store),
            L"[TestForm.BarManager.Bar0.ItemLink0]\r\nItemName=Open\r\nBeginGroup=0\r\nUserDefine=00\r\n"
            L"ButtonGroup=0\r\nPosition=0\r\nViewLevels=0F\r\nVisible=1\r\nUseCount=20\r\nRecentIndex=1\r\n\r\n"
            L"[TestForm.BarManager.Bar0.ItemLink1]\r\nItemName=Save\r\nBeginGroup=1\r\nUserDefine=01\r\n"
            L"UserCaption=Store\r\nButtonGroup=1\r\nPosition=2\r\nViewLevels=04\r\nVisible=0\r\nUseCount=20\r\n"
            L"RecentIndex=2\r\n\r\n[TestForm.BarManager.Bar0]\r\nItemLinkCount=2\r\n");

  TdxBarItemLinks* copy = MenuWith({L"Open"}, pkToolbar);
  copy->ReadLayout(store, kSection, 0);
  ASSERT_EQ(copy->Count(), 2);
  TdxBarItemLink* read = copy->LinkAt(1);
  EXPECT_EQ(read->Item()->Name(), L"Save");
  EXPECT_TRUE(read->BeginGroupFlag());
  EXPECT_EQ(read->UserDefine(), TdxBarUserDefines{udCaption});
  EXPECT_EQ(read->UserCaption(), L"Store");
  EXPECT_EQ(read->ButtonGroup(), bgpStart);
  EXPECT_EQ(read->Position(), ipContinuesRow);
  EXPECT_EQ(read->ViewLevels(), TdxBarItemViewLevels{ivlSmallIcon});
  EXPECT_FALSE(read->Visible());

  // A one-character UserDefine is its decimal value (8: udWidth, width default 100); an item name
  // nobody has drops its link. Written again, the byte has two digits.
  store.WriteString(L"TestForm.BarManager.Bar0.ItemLink0", L"UserDefine", L"8");
  store.WriteString(L"TestForm.BarManager.Bar0.ItemLink1", L"ItemName", L"Missing");
  copy->ReadLayout(store, kSection, 0);
  ASSERT_EQ(copy->Count(), 1);
  EXPECT_EQ(copy->LinkAt(0)->UserDefine(), TdxBarUserDefines{udWidth});
  EXPECT_EQ(copy->LinkAt(0)->UserWidth(), 100);
  TMemIniFile again(L"");
  copy->WriteLayout(again, kSection, 0);
  EXPECT_EQ(again.ReadString(L"TestForm.BarManager.Bar0.ItemLink0", L"UserDefine", L""), L"08");

  // A stored link the collection refuses (a separator on a toolbar) goes like an unknown one.
  NewItem<TdxBarSeparator>(L"Divider");
  store.WriteString(L"TestForm.BarManager.Bar0.ItemLink1", L"ItemName", L"Divider");
  copy->ReadLayout(store, kSection, 0);
  EXPECT_EQ(copy->Count(), 1);

  // Under bmsStandard the recent keys are neither written nor read.
  manager->SetStyle(bmsStandard);
  TMemIniFile standard(L"");
  copy->WriteLayout(standard, kSection, 0);
  EXPECT_FALSE(standard.ValueExists(L"TestForm.BarManager.Bar0.ItemLink0", L"UseCount"));
}

TEST_F(LinkTest, LinksOfItemsTheStoredLayoutDidNotKnowKeepTheirPlace) {
  TMemIniFile store(L"");
  MenuWith({L"Save", L"Open"}, pkToolbar)->WriteLayout(store, kSection, 0);
  TdxBarItemLinks* designed = MenuWith({L"Fresh0", L"Open", L"Fresh", L"Save", L"Fresh2"}, pkToolbar);
  TStringList newNames;
  newNames.SetText(L"Fresh0\nFresh\nFresh2\n");
  manager->SetNewItemNames(&newNames);
  designed->ReadLayout(store, kSection, 0);
  manager->SetNewItemNames(nullptr);
  EXPECT_EQ(NamesOf(designed, &TdxBarItemLinks::Count, &TdxBarItemLinks::LinkAt),
            (std::vector<String>{L"Fresh0", L"Save", L"Fresh2", L"Open", L"Fresh"}));

  // Without the list of new items the stored links replace the designed ones.
  designed->ReadLayout(store, kSection, 0);
  EXPECT_EQ(NamesOf(designed, &TdxBarItemLinks::Count, &TdxBarItemLinks::LinkAt),
            (std::vector<String>{L"Save", L"Open"}));
}

}  // namespace
