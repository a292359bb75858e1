// The in-place sub-item in a real menu: expanding shows its links under it with the group starts,
// collapsing takes both away, Right and Left toggle it with the selection kept on its entry, and a
// menu opened while it is expanded shows its links until the menu closes.
#include <gtest/gtest.h>

#include "tests/support/WindowTestSupport.h"
#include "tests/ui/bars/BarTestWindow.h"
#include "ui/bars/SubMenuControl.h"
#include "ui/bars/items/InPlaceSubItem.h"

using namespace bar_testing;

namespace {

using Names = std::vector<String>;

class InPlaceSubItemMenu : public BarWindowFixture {
 protected:
  void SetUp() override {
    BarWindowFixture::SetUp();
    owner = NewOwner(pkMenu);
    owners.push_back(owner);
    place = NewItem<TdxBarInPlaceSubItem>(L"place");
    place->KeepBeginGroupWhileExpanded = true;
    place->ItemLinks()->AddItemLink(NewItem(L"x"));
    place->ItemLinks()->AddItemLink(NewItem(L"y"));
    place->OnAfterExpand = [this](TdxBarInPlaceSubItem*, TdxBarItemLink* Link) { events.push_back({L"expand", Link}); };
    place->OnBeforeCollapse = [this](TdxBarInPlaceSubItem*, TdxBarItemLink* Link) {
      events.push_back({L"collapse", Link});
    };
    owner->Links()->AddItemLink(NewItem(L"a"));
    owner->Links()->AddItemLink(place);
    owner->Links()->AddItemLink(NewItem(L"c"));
  }
  void TearDown() override {
    if (IsLiveBarControl(menu)) menu->Free();
    BarWindowFixture::TearDown();
  }
  TdxBarSubMenuControl* Open() {
    menu = new TdxBarSubMenuControl(manager);
    menu->AssignItemLinks(owner->Links());
    menu->SetBounds(100, 100, 0, 0);
    menu->ShowSubMenuWindow();
    return menu;
  }
  TdxBarItemLink* Shown(const String& Name) const {
    TdxBarItemLinks* links = owner->Links();
    for (int i = 0; i < links->ShownLinkCount(); ++i)
      if (links->ShownLinkAt(i)->Item()->Name() == Name) return links->ShownLinkAt(i);
    return nullptr;
  }

  struct Event {
    String kind;
    TdxBarItemLink* link;
  };
  TTestLinksOwner* owner = nullptr;
  TdxBarInPlaceSubItem* place = nullptr;
  TdxBarSubMenuControl* menu = nullptr;
  std::vector<Event> events;
};

TEST_F(InPlaceSubItemMenu, ExpandingShowsTheLinksUnderItAndCollapsingTakesThemAway) {
  Open();
  TdxBarItemLink* placeLink = owner->Links()->LinkAt(1);
  EXPECT_EQ(ShownNames(owner->Links()), (Names{L"a", L"place", L"c"}));
  place->SetExpanded(true);
  EXPECT_EQ(ShownNames(owner->Links()), (Names{L"a", L"place", L"x", L"y", L"c"}));
  EXPECT_FALSE(Shown(L"x")->BeginGroup()) << "the entries follow the kept link without a group start";
  EXPECT_TRUE(Shown(L"c")->BeginGroup()) << "the entry after the expanded links starts a group";
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].kind, L"expand");
  EXPECT_EQ(events[0].link, placeLink);
  // The window shows a control for every link, laid out one under the other.
  ASSERT_NE(Shown(L"y")->ItemControl(), nullptr);
  EXPECT_GT(Shown(L"c")->ItemRect().top, Shown(L"y")->ItemRect().top);

  place->SetExpanded(false);
  EXPECT_EQ(ShownNames(owner->Links()), (Names{L"a", L"place", L"c"}));
  EXPECT_FALSE(Shown(L"c")->BeginGroup());
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[1].kind, L"collapse");
  EXPECT_EQ(place->ItemLinks()->Count(), 2) << "the item's own links stay";
}

TEST_F(InPlaceSubItemMenu, AMenuThatCouldNotRebuildLosesNoLinkOfItsOwn) {
  Open();
  // With the bar updates locked the menu does not rebuild while the item expands: its entries never
  // went in, so the collapse must not free the links that follow the item.
  manager->BeginBarsUpdate();
  place->SetExpanded(true);
  manager->EndBarsUpdate();
  menu->Recalculate(true);
  EXPECT_EQ(ShownNames(owner->Links()), (Names{L"a", L"place", L"x", L"y", L"c"}));
  place->SetExpanded(false);
  EXPECT_EQ(ShownNames(owner->Links()), (Names{L"a", L"place", L"c"}));
}

TEST_F(InPlaceSubItemMenu, RightAndLeftToggleItAndTheSelectionStaysOnIt) {
  Open();
  KeyDown(menu, VK_DOWN);
  KeyDown(menu, VK_DOWN);
  ASSERT_EQ(menu->SelectedLink(), owner->Links()->LinkAt(1));
  struct Step {
    Word key;
    bool expanded;
    int count;
  } steps[] = {{VK_RIGHT, true, 5}, {VK_RIGHT, true, 5}, {VK_LEFT, false, 3}, {VK_RETURN, true, 5}};
  for (const Step& s : steps) {
    KeyDown(menu, s.key);
    ASSERT_TRUE(IsLiveBarControl(menu));
    EXPECT_EQ(place->Expanded(), s.expanded) << s.key;
    EXPECT_EQ(owner->Links()->Count(), s.count) << s.key;
    EXPECT_EQ(menu->SelectedLink(), owner->Links()->LinkAt(1)) << s.key;
  }
  EXPECT_TRUE(IsWindowVisible(menu->Handle()));
}

TEST_F(InPlaceSubItemMenu, AMenuOpenedExpandedShowsTheLinksUntilItCloses) {
  place->SetExpanded(true);
  EXPECT_EQ(owner->Links()->Count(), 3) << "no menu shows it yet";
  Open();
  EXPECT_EQ(ShownNames(owner->Links()), (Names{L"a", L"place", L"x", L"y", L"c"}));
  menu->Free();
  menu = nullptr;
  EXPECT_EQ(owner->Links()->Count(), 3);
  EXPECT_TRUE(place->Expanded());
}

}  // namespace
