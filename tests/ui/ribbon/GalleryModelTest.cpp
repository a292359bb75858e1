// The gallery's data and item: inherited sizes, spacings and pull highlighting, the column clamps,
// selection modes and click order, the locks, the filter text and the streamed category groups.
#include <functional>
#include <gtest/gtest.h>

#include "platform/framework/classes/Filer.h"
#include "platform/framework/windows/Forms.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/Bars.h"
#include "ui/ribbon/gallery/GalleryFilterMenu.h"
#include "ui/ribbon/gallery/GalleryItem.h"

namespace {

class GalleryModel : public testing::Test {
 protected:
  void SetUp() override {
    form = new TForm(nullptr, 0);
    manager = new TdxBarManager(form);
    gallery = new TdxRibbonGalleryItem(form);
    gallery->SetCategory(0);
    gallery->OnGroupItemClick = [this](TdxRibbonGalleryItem*, TdxRibbonGalleryGroupItem* Item) {
      heard.push_back(L"group " + (Item ? Item->Caption() : String(L"-")));
    };
  }
  void TearDown() override { FreeAndNil(form); }

  // A group with the given item captions; each item's OnClick is recorded.
  TdxRibbonGalleryGroup* AddGroup(const String& Header, std::initializer_list<const wchar_t*> Captions) {
    TdxRibbonGalleryGroup* group = gallery->GalleryGroups()->Add();
    group->Header()->SetCaption(Header);
    for (const wchar_t* caption : Captions) {
      TdxRibbonGalleryGroupItem* item = group->Items()->Add();
      item->SetCaption(caption);
      item->OnClick = [this, item](TObject*) { heard.push_back(L"click " + item->Caption()); };
    }
    return group;
  }
  TdxRibbonGalleryGroupItem* ItemOf(int Group, int Index) {
    return gallery->GalleryGroups()->GroupAt(Group)->Items()->ItemAt(Index);
  }
  // A click on the group item through a link of the gallery.
  void ClickItem(TdxRibbonGalleryGroupItem* Item) {
    if (!link) {
      auto* menu = new TdxBarSubItem(form);
      menu->SetCategory(0);
      link = menu->ItemLinks()->AddItemLink(gallery);
    }
    gallery->ClickedLink = link;
    gallery->ClickedGroupItem = Item;
    gallery->Click();
    gallery->ClickedLink = nullptr;
  }
  std::vector<String> SelectedCaptions() {
    std::vector<String> result;
    for (int g = 0; g < gallery->GalleryGroups()->Count(); ++g)
      for (int i = 0; i < gallery->GalleryGroups()->GroupAt(g)->Items()->Count(); ++i)
        if (ItemOf(g, i)->Selected()) result.push_back(ItemOf(g, i)->Caption());
    return result;
  }

  TForm* form = nullptr;
  TdxBarManager* manager = nullptr;
  TdxRibbonGalleryItem* gallery = nullptr;
  TdxBarItemLink* link = nullptr;
  std::vector<String> heard;
};

TEST_F(GalleryModel, AGroupsItemSizeReadsTheGallerysUntilItSetsItsOwn) {
  TdxRibbonGalleryGroupOptions* options = AddGroup(L"g", {})->Options();
  TdxRibbonGalleryOptions* all = gallery->GalleryOptions();
  all->ItemSize()->ChangeSize(40, 30);
  EXPECT_EQ(SizeFromCxSize(*options->ItemSize()), (TSize{40, 30}));
  all->ItemSize()->SetWidth(50);
  EXPECT_EQ(SizeFromCxSize(*options->ItemSize()), (TSize{50, 30}));
  EXPECT_FALSE(options->IsAssigned(avItemSize));
  // Setting the value already read still makes it the group's own.
  options->ItemSize()->ChangeSize(50, 30);
  EXPECT_TRUE(options->IsAssigned(avItemSize));
  all->ItemSize()->SetWidth(60);
  EXPECT_EQ(options->ItemSize()->Width(), 50);
  // Clearing the flag returns the own size to 0 x 0 and the group to the gallery's.
  options->SetAssignedValues({});
  EXPECT_EQ(options->ItemSize()->StoredSize(), (TSize{0, 0}));
  EXPECT_EQ(SizeFromCxSize(*options->ItemSize()), (TSize{60, 30}));
  EXPECT_FALSE(options->ItemSize()->IsWidthStored());
}

TEST_F(GalleryModel, PullHighlightingAndSpacingsInheritLikeSizes) {
  TdxRibbonGalleryGroupOptions* options = AddGroup(L"g", {})->Options();
  TdxRibbonGalleryOptions* all = gallery->GalleryOptions();
  all->ItemPullHighlighting()->SetActive(true);
  all->ItemPullHighlighting()->SetDirection(gphdFinishToStart);
  all->SetSpaceBetweenItems(4);
  all->SetItemTextKind(itkCaptionAndDescription);
  EXPECT_TRUE(options->ItemPullHighlighting()->Active());
  EXPECT_EQ(options->ItemPullHighlighting()->Direction(), gphdFinishToStart);
  EXPECT_EQ(options->SpaceBetweenItems(), 4);
  EXPECT_EQ(options->ItemTextKind(), itkCaptionAndDescription);
  EXPECT_TRUE(options->AssignedValues().Empty());

  options->ItemPullHighlighting()->SetActive(false);
  options->SetSpaceBetweenItems(-3);
  options->SetItemTextKind(itkNone);
  EXPECT_FALSE(options->ItemPullHighlighting()->Active());
  EXPECT_EQ(options->SpaceBetweenItems(), 0);  // negatives become 0
  EXPECT_EQ(options->ItemTextKind(), itkNone);
  EXPECT_EQ(options->AssignedValues(),
            (TdxRibbonGalleryGroupOptionsAssignedValues{avItemPullHighlighting, avSpaceBetweenItems, avItemTextKind}));
  // Clearing copies the gallery's pull highlighting as it is now.
  options->SetAssignedValues({avItemTextKind});
  EXPECT_TRUE(options->ItemPullHighlighting()->Active());
  EXPECT_EQ(options->SpaceBetweenItems(), 4);
  EXPECT_EQ(options->ItemTextKind(), itkNone);
}

TEST_F(GalleryModel, ColumnCountsClampEachOther) {
  struct Case {
    const char* name;
    std::function<void(TdxRibbonGalleryOptions*)> set;
    int columns, minColumns;
  };
  const Case cases[] = {
      {"zero columns store one", [](auto* o) { o->SetColumnCount(0); }, 1, 1},
      {"a larger minimum raises the columns", [](auto* o) { o->SetMinColumnCount(7); }, 7, 7},
      {"one column lowers the minimum", [](auto* o) { o->SetColumnCount(1); }, 1, 1},
      {"a minimum of zero stores one", [](auto* o) { o->SetMinColumnCount(0); }, 5, 1},
      {"more columns keep the minimum", [](auto* o) { o->SetColumnCount(9); }, 9, 2},
  };
  for (const Case& c : cases) {
    TdxRibbonGalleryOptions options(nullptr);
    EXPECT_EQ(options.ColumnCount(), 5);
    EXPECT_EQ(options.MinColumnCount(), 2);
    c.set(&options);
    EXPECT_EQ(options.ColumnCount(), c.columns) << c.name;
    EXPECT_EQ(options.MinColumnCount(), c.minColumns) << c.name;
  }
}

TEST_F(GalleryModel, ClicksSelectAndFireInTheirOrder) {
  struct Case {
    const char* name;
    TdxRibbonGalleryItemSelectionMode mode;
    bool allowDeselect;
    bool pull;
    std::vector<int> clicks;  // indexes of the items clicked in turn
    std::vector<String> selected;
    std::vector<String> heard;  // after the last click
  };
  const Case cases[] = {
      {"single: another item", gsmSingle, false, false, {0, 1}, {L"B"}, {L"click A", L"click B", L"group B"}},
      {"single: the selected item stays", gsmSingle, false, false, {0, 0}, {L"A"}, {}},
      {"single: the selected item may deselect", gsmSingle, true, false, {0, 0}, {}, {L"click A", L"group -"}},
      {"pull highlighting never selects", gsmSingle, false, true, {0, 1}, {}, {L"click B", L"group B"}},
      {"none: a click only clicks", gsmNone, false, false, {1}, {}, {L"click B", L"group B"}},
      {"multiple toggles", gsmMultiple, false, false, {0, 1, 0}, {L"B"}, {L"click A", L"group A"}},
  };
  for (const Case& c : cases) {
    gallery->GalleryGroups()->Clear();
    gallery->GalleryOptions()->SetItemSelectionMode(c.mode);
    gallery->GalleryOptions()->ItemAllowDeselect = c.allowDeselect;
    TdxRibbonGalleryGroup* group = AddGroup(L"g", {L"A", L"B", L"C"});
    group->Options()->ItemPullHighlighting()->SetActive(c.pull);
    for (int index : c.clicks) {
      heard.clear();
      ClickItem(ItemOf(0, index));
    }
    EXPECT_EQ(SelectedCaptions(), c.selected) << c.name;
    EXPECT_EQ(heard, c.heard) << c.name;
  }
}

TEST_F(GalleryModel, LeavingMultipleSelectionDeselectsWithoutEvents) {
  gallery->GalleryOptions()->SetItemSelectionMode(gsmMultiple);
  AddGroup(L"g", {L"A", L"B"});
  AddGroup(L"h", {L"C"});
  ItemOf(0, 1)->SetSelected(true);
  ItemOf(1, 0)->SetSelected(true);
  heard.clear();
  gallery->GalleryOptions()->SetItemSelectionMode(gsmSingle);
  EXPECT_TRUE(SelectedCaptions().empty());
  EXPECT_TRUE(heard.empty());
  // Back to multiple: the single selection goes, again silently.
  ItemOf(0, 0)->SetSelected(true);
  heard.clear();
  gallery->GalleryOptions()->SetItemSelectionMode(gsmMultiple);
  EXPECT_EQ(gallery->SelectedItem(), nullptr);
  EXPECT_TRUE(heard.empty());
}

TEST_F(GalleryModel, AFreedItemStopsBeingSelected) {
  AddGroup(L"g", {L"A", L"B"});
  ItemOf(0, 1)->SetSelected(true);
  ItemOf(0, 1)->Free();
  EXPECT_EQ(gallery->SelectedItem(), nullptr);
}

TEST_F(GalleryModel, UnbalancedLockReleasesRaise) {
  EXPECT_THROW(gallery->LockEvents(false), Exception);
  EXPECT_THROW(gallery->LockRefresh(false), Exception);
  {
    TdxRibbonGalleryEventLock events(gallery);
    TdxRibbonGalleryRefreshLock refresh(gallery);
    EXPECT_TRUE(gallery->EventsLocked());
  }
  EXPECT_FALSE(gallery->EventsLocked());
  EXPECT_THROW(gallery->LockEvents(false), Exception);
}

TEST_F(GalleryModel, TheFilterTextFollowsCaptionCategoriesOrGroups) {
  struct Case {
    const char* name;
    String caption;
    int categories;  // "first", "second"
    int active;
    String text;
  };
  const Case cases[] = {
      {"the caption wins", L"Shapes", 2, 0, L"Shapes"},
      {"the active category", L"", 2, 1, L"second"},
      {"no active category", L"", 2, -1, L"<empty>"},
      {"the passing groups' headers", L"", 0, -1, L"Lines,Arrows"},
  };
  AddGroup(L"Lines", {L"a"});
  AddGroup(L"Arrows", {L"b"});
  AddGroup(L"Empty", {});
  TdxRibbonGalleryFilter* filter = gallery->GalleryFilter();
  for (const Case& c : cases) {
    filter->Categories()->Clear();
    const wchar_t* names[] = {L"first", L"second"};
    for (int i = 0; i < c.categories; ++i) filter->Categories()->Add()->Caption = names[i];
    filter->SetCaption(c.caption);
    filter->SetActiveCategoryIndex(c.active);
    EXPECT_EQ(gallery->FilterCaptionText(), c.text) << c.name;
  }
  // A hidden group leaves the joined text.
  gallery->GalleryGroups()->GroupAt(0)->SetVisible(false);
  EXPECT_EQ(gallery->FilterCaptionText(), L"Arrows");
}

TEST_F(GalleryModel, ActiveCategoryAndGroupFilter) {
  AddGroup(L"a", {L"1"});
  AddGroup(L"b", {L"2"});
  TdxRibbonGalleryFilter* filter = gallery->GalleryFilter();
  TdxRibbonGalleryFilterCategory* category = filter->Categories()->Add();
  category->Groups()->Add(gallery->GalleryGroups()->GroupAt(1));
  filter->SetActiveCategoryIndex(5);  // beyond the categories: ignored
  EXPECT_EQ(filter->ActiveCategoryIndex(), -1);
  filter->SetActiveCategoryIndex(0);
  EXPECT_FALSE(gallery->GroupPassesFilter(0));
  EXPECT_TRUE(gallery->GroupPassesFilter(1));
  filter->SetActiveCategoryIndex(-7);
  EXPECT_EQ(filter->ActiveCategoryIndex(), -1);
  filter->SetActiveCategoryIndex(0);
  filter->Categories()->Clear();
  EXPECT_EQ(filter->ActiveCategoryIndex(), -1);
}

TEST_F(GalleryModel, CategoryGroupsStreamAsIndexesSkippingBadAndRepeatedOnes) {
  for (const wchar_t* name : {L"a", L"b", L"c"}) AddGroup(name, {L"x"});
  TdxRibbonGalleryFilterCategory* category = gallery->GalleryFilter()->Categories()->Add();
  TMemoryStream stream;
  {
    TWriter writer(stream);
    writer.WritePropName(L"CategoryGroups");
    writer.WriteListBegin();
    for (int index : {2, 7, 2, -1, 0}) writer.WriteInteger(index);
    writer.WriteListEnd();
    writer.WriteListEnd();
  }
  stream.SetPosition(0);
  TReader(stream).ReadProperties(*category);
  TdxRibbonGalleryGroups* groups = gallery->GalleryGroups();
  ASSERT_EQ(category->Groups()->Count(), 2);
  EXPECT_EQ(category->Groups()->At(0), groups->GroupAt(2));
  EXPECT_EQ(category->Groups()->At(1), groups->GroupAt(0));

  // Written back and read into another category: the same groups.
  TMemoryStream out;
  {
    TWriter writer(out);
    writer.WriteProperties(*category);
    writer.WriteListEnd();
  }
  out.SetPosition(0);
  TdxRibbonGalleryFilterCategory* copy = gallery->GalleryFilter()->Categories()->Add();
  TReader(out).ReadProperties(*copy);
  ASSERT_EQ(copy->Groups()->Count(), 2);
  EXPECT_EQ(copy->Groups()->At(0), groups->GroupAt(2));
  EXPECT_EQ(copy->Groups()->At(1), groups->GroupAt(0));
}

TEST_F(GalleryModel, ADeletedGroupLeavesEveryCategory) {
  AddGroup(L"a", {});
  AddGroup(L"b", {});
  TdxRibbonGalleryGroups* groups = gallery->GalleryGroups();
  TdxRibbonGalleryFilterCategories* categories = gallery->GalleryFilter()->Categories();
  for (int i = 0; i < 2; ++i) {
    TdxRibbonGalleryFilterCategory* category = categories->Add();
    category->Groups()->Add(groups->GroupAt(0));
    category->Groups()->Add(groups->GroupAt(1));
    EXPECT_FALSE(category->Groups()->Add(groups->GroupAt(1)));  // listed already
  }
  TdxRibbonGalleryGroup* kept = groups->GroupAt(1);
  groups->Delete(0);
  for (int i = 0; i < 2; ++i) {
    ASSERT_EQ(categories->CategoryAt(i)->Groups()->Count(), 1);
    EXPECT_EQ(categories->CategoryAt(i)->Groups()->At(0), kept);
  }
}

TEST_F(GalleryModel, CategoriesCopyOnlyBetweenGalleriesOfEqualGroupCounts) {
  AddGroup(L"a", {});
  AddGroup(L"b", {});
  TdxRibbonGalleryFilterCategory* source = gallery->GalleryFilter()->Categories()->Add();
  source->Caption = L"pick";
  source->Groups()->Add(gallery->GalleryGroups()->GroupAt(1));

  auto* other = new TdxRibbonGalleryItem(form);
  other->GalleryGroups()->Add();
  TdxRibbonGalleryFilterCategory* target = other->GalleryFilter()->Categories()->Add();
  EXPECT_THROW(target->Assign(source), Exception);
  other->GalleryGroups()->Add();
  target->Assign(source);
  EXPECT_EQ(target->Caption, L"pick");
  ASSERT_EQ(target->Groups()->Count(), 1);
  EXPECT_EQ(target->Groups()->At(0), other->GalleryGroups()->GroupAt(1));
  // A group of another gallery is never listed.
  EXPECT_FALSE(target->Groups()->Add(gallery->GalleryGroups()->GroupAt(0)));
}

TEST_F(GalleryModel, TheGalleryGoesOnlyIntoMenusAndRibbonGroups) {
  String error;
  EXPECT_TRUE(gallery->CanBePlacedOn(pkMenu, nullptr, error));
  TdxBar* bar = manager->Bars()->Add();
  EXPECT_FALSE(gallery->CanBePlacedOn(pkToolbar, bar, error));
  EXPECT_EQ(error, L"You can place TdxRibbonGalleryItem only on the Ribbon");
  EXPECT_FALSE(TdxBarItem::CanMerge(gallery, new TdxRibbonGalleryItem(form)));
  EXPECT_EQ(gallery->GetDefaultCaption(), L"New Gallery");
}

TEST_F(GalleryModel, TheInternalCopySelectsNothingAndCopiesTheData) {
  gallery->GalleryOptions()->SetColumnCount(8);
  AddGroup(L"a", {L"1", L"2"});
  gallery->GalleryFilter()->SetCaption(L"filter");
  ItemOf(0, 1)->SetSelected(true);
  TdxRibbonGalleryItem* copy = gallery->CreateInternalCopy();
  EXPECT_TRUE(copy->IsInternalCopy());
  EXPECT_EQ(copy->BarManager(), manager);
  EXPECT_EQ(copy->GalleryOptions()->ItemSelectionMode(), gsmNone);
  EXPECT_EQ(copy->GalleryOptions()->ColumnCount(), 8);
  ASSERT_EQ(copy->GalleryGroups()->Count(), 1);
  EXPECT_EQ(copy->GalleryGroups()->GroupAt(0)->Items()->ItemAt(1)->Caption(), L"2");
  EXPECT_EQ(copy->GalleryFilter()->Caption(), L"filter");
}

TEST_F(GalleryModel, TheFilterMenuTogglesGroupsAndStaysOpen) {
  AddGroup(L"a", {L"1"});
  AddGroup(L"b", {L"2"})->SetVisible(false);
  AddGroup(L"c", {});  // no items, no header: never offered
  int filterChanges = 0;
  gallery->OnFilterChanged = [&](TdxRibbonGalleryItem*) { ++filterChanges; };
  using Entry = TdxRibbonGalleryFilterMenuEntry;
  std::vector<Entry> entries = GalleryFilterMenuEntries(gallery);
  EXPECT_EQ(entries, (std::vector<Entry>{{L"a", true, true, 0, false},
                                         {L"b", true, false, 1, false},
                                         {L"Show all groups", false, false, -1, true},
                                         {L"Hide all groups", false, false, -2, false}}));
  TdxRibbonGalleryGroups* groups = gallery->GalleryGroups();
  entries[1].Down = true;  // the check entry toggles itself
  EXPECT_FALSE(GalleryFilterMenuClick(gallery, entries, 1));
  EXPECT_TRUE(groups->GroupAt(1)->Visible());
  EXPECT_EQ(filterChanges, 1);
  EXPECT_FALSE(GalleryFilterMenuClick(gallery, entries, 3));
  EXPECT_FALSE(groups->GroupAt(0)->Visible());
  EXPECT_FALSE(groups->GroupAt(1)->Visible());
  EXPECT_FALSE(entries[0].Down || entries[1].Down);
  EXPECT_EQ(filterChanges, 2);
  // Hiding what is hidden changes nothing.
  GalleryFilterMenuClick(gallery, entries, 3);
  EXPECT_EQ(filterChanges, 2);
}

TEST_F(GalleryModel, TheFilterMenuChoosesACategoryAndCloses) {
  AddGroup(L"a", {L"1"});
  TdxRibbonGalleryFilter* filter = gallery->GalleryFilter();
  filter->Categories()->Add()->Caption = L"first";
  filter->Categories()->Add()->Caption = L"second";
  int filterChanges = 0;
  gallery->OnFilterChanged = [&](TdxRibbonGalleryItem*) { ++filterChanges; };
  using Entry = TdxRibbonGalleryFilterMenuEntry;
  std::vector<Entry> entries = GalleryFilterMenuEntries(gallery);
  EXPECT_EQ(entries, (std::vector<Entry>{{L"first", true, false, 0, false},
                                         {L"second", true, false, 1, false},
                                         {L"Clear filter", false, false, -1, true}}));
  struct Step {
    int clicked, active, changes;
    bool firstDown, secondDown;
  };
  const Step steps[] = {{1, 1, 1, false, true}, {1, 1, 1, false, true}, {0, 0, 2, true, false}, {2, -1, 3, false, false}};
  for (const Step& s : steps) {
    EXPECT_TRUE(GalleryFilterMenuClick(gallery, entries, s.clicked));
    EXPECT_EQ(filter->ActiveCategoryIndex(), s.active) << s.clicked;
    EXPECT_EQ(filterChanges, s.changes) << s.clicked;
    EXPECT_EQ(entries[0].Down, s.firstDown) << s.clicked;
    EXPECT_EQ(entries[1].Down, s.secondDown) << s.clicked;
  }
}

TEST_F(GalleryModel, PullHighlightingLightsItemsUpToTheHotOneWithinItsZone) {
  gallery->GalleryOptions()->ItemPullHighlighting()->SetActive(true);
  AddGroup(L"a", {L"a0", L"a1", L"a2"});
  AddGroup(L"b", {L"b0", L"b1"});
  TdxRibbonGalleryGroup* own = AddGroup(L"c", {L"c0", L"c1", L"c2"});
  own->Options()->ItemPullHighlighting()->SetActive(true);
  own->Options()->ItemPullHighlighting()->SetDirection(gphdFinishToStart);
  EXPECT_EQ(gallery->PullZone(ItemOf(1, 0)), -1);
  EXPECT_EQ(gallery->PullZone(ItemOf(2, 0)), 2);
  struct Case {
    const char* name;
    bool galleryActive;
    std::pair<int, int> hot;
    bool inRibbon;
    std::vector<String> lit;
  };
  const Case cases[] = {
      {"start to finish across the shared zone", true, {1, 0}, false, {L"a0", L"a1", L"a2", L"b0"}},
      {"a differing group beside an active gallery: the hot item", true, {2, 1}, false, {L"c1"}},
      {"a group of its own lights towards its end", false, {2, 1}, false, {L"c1", L"c2"}},
      {"groups without pull highlighting: the hot item", false, {1, 0}, false, {L"b0"}},
      {"in a ribbon only the hot item", true, {1, 0}, true, {L"b0"}},
  };
  for (const Case& c : cases) {
    gallery->GalleryOptions()->ItemPullHighlighting()->SetActive(c.galleryActive);
    TdxRibbonGalleryGroupItem* hot = ItemOf(c.hot.first, c.hot.second);
    std::vector<String> lit;
    for (int g = 0; g < 3; ++g)
      for (int i = 0; i < gallery->GalleryGroups()->GroupAt(g)->Items()->Count(); ++i)
        if (gallery->IsItemHot(ItemOf(g, i), hot, c.inRibbon)) lit.push_back(ItemOf(g, i)->Caption());
    EXPECT_EQ(lit, c.lit) << c.name;
  }
  // A group without pull highlighting shows just the hot item.
  own->Options()->ItemPullHighlighting()->SetActive(false);
  EXPECT_TRUE(gallery->IsItemHot(ItemOf(2, 1), ItemOf(2, 1), false));
  EXPECT_FALSE(gallery->IsItemHot(ItemOf(2, 0), ItemOf(2, 1), false));
}

}  // namespace
