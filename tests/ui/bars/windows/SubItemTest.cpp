// Sub-items and container items in real windows: nested menus opened by the keyboard and closed by
// Escape and Left, the sub-item's click on every opening, a list item's generated menu.
#include <gtest/gtest.h>

#include <functional>

#include "tests/support/WindowTestSupport.h"
#include "tests/ui/bars/BarTestWindow.h"
#include "ui/bars/SubItems.h"

using namespace bar_testing;

namespace {

class SubItemWindow : public BarWindowFixture {
 protected:
  void TearDown() override {
    for (TdxBarSubMenuControl* menu : menus) {
      if (IsLiveBarControl(menu)) menu->Free();
    }
    BarWindowFixture::TearDown();
  }
  // A top menu: "a", the sub-item "sub" (holding "x", "y") and "c".
  TdxBarSubMenuControl* OpenTopMenu() {
    TTestLinksOwner* owner = NewOwner(pkMenu);
    owners.push_back(owner);
    sub = NewItem<TdxBarSubItem>(L"sub");
    sub->OnClick = [this](TObject*) { ++subClicks; };
    sub->ItemLinks()->AddItemLink(NewItem(L"x"));
    sub->ItemLinks()->AddItemLink(NewItem(L"y"));
    owner->Links()->AddItemLink(NewItem(L"a"));
    owner->Links()->AddItemLink(sub);
    owner->Links()->AddItemLink(NewItem(L"c"));
    auto* menu = new TdxBarSubMenuControl(manager);
    menu->AssignItemLinks(owner->Links());
    menus.push_back(menu);
    menu->SetBounds(100, 100, 0, 0);
    menu->ShowSubMenuWindow();
    return menu;
  }
  TdxBarSubMenuControl* SubMenu() const { return dynamic_cast<TdxBarSubMenuControl*>(sub->ItemLinks()->BarControl()); }

  TdxBarSubItem* sub = nullptr;
  int subClicks = 0;
  std::vector<TdxBarSubMenuControl*> menus;
};

TEST_F(SubItemWindow, RightOpensTheSubMenuBesideItsItemAndSelectsItsFirstEntry) {
  TdxBarSubMenuControl* top = OpenTopMenu();
  KeyDown(top, VK_DOWN);
  KeyDown(top, VK_DOWN);
  ASSERT_EQ(top->SelectedLink(), top->ItemLinks()->LinkAt(1));
  KeyDown(top, VK_RIGHT);
  TdxBarSubMenuControl* child = SubMenu();
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(child->ParentBar(), top);
  EXPECT_EQ(top->ChildBar(), child);
  EXPECT_EQ(ActiveBarControl(), child);
  EXPECT_EQ(subClicks, 1);
  EXPECT_EQ(child->SelectedLink(), sub->ItemLinks()->LinkAt(0));
  // Beside the item: its left edge at the item's right edge, its anchor the item's width.
  auto* control = top->ItemLinks()->LinkAt(1)->ItemControl();
  const TRect item = top->ItemControlScreenRect(control);
  EXPECT_EQ(child->Left(), item.right);
  EXPECT_EQ(child->AnchorWidth, item.Width());
  EXPECT_TRUE(control->IsDroppedDown());

  // Left closes only the sub-menu; Enter opens it again, and the sub-item's click fires again.
  KeyDown(child, VK_LEFT);
  EXPECT_EQ(SubMenu(), nullptr);
  ASSERT_TRUE(IsLiveBarControl(top));
  EXPECT_TRUE(IsWindowVisible(top->Handle()));
  EXPECT_FALSE(control->IsDroppedDown());
  KeyDown(top, VK_RETURN);
  ASSERT_NE(SubMenu(), nullptr);
  EXPECT_EQ(subClicks, 2);

  // Escape closes the sub-menu and leaves the top menu open; a second Escape closes that.
  KeyDown(SubMenu(), VK_ESCAPE);
  EXPECT_EQ(SubMenu(), nullptr);
  ASSERT_TRUE(IsLiveBarControl(top));
  KeyDown(top, VK_ESCAPE);
  EXPECT_FALSE(IsLiveBarControl(top));
}

TEST_F(SubItemWindow, AClickInTheSubMenuClosesTheWholeChain) {
  TdxBarSubMenuControl* top = OpenTopMenu();
  int clicked = 0;
  static_cast<TdxBarButton*>(sub->ItemLinks()->LinkAt(1)->Item())->OnClick = [&](TObject*) { ++clicked; };
  KeyDown(top, VK_DOWN);
  KeyDown(top, VK_DOWN);
  KeyDown(top, VK_RIGHT);
  TdxBarSubMenuControl* child = SubMenu();
  ASSERT_NE(child, nullptr);
  KeyDown(child, VK_DOWN);
  KeyDown(child, VK_RETURN);
  EXPECT_EQ(clicked, 1);
  EXPECT_FALSE(IsLiveBarControl(child));
  EXPECT_FALSE(IsLiveBarControl(top));
}

TEST_F(SubItemWindow, AContainerInAMenuStandsAsItsEntriesWhileTheMenuIsOpen) {
  struct Case {
    const char* Name;
    std::function<TdxBarItem*()> Make;
    std::vector<String> Captions;
  };
  const Case cases[] = {
      {"list item",
       [this]() -> TdxBarItem* {
         auto* list = NewItem<TdxBarListItem>(L"list");
         list->Items()->Add(L"one");
         list->Items()->Add(L"-");
         list->Items()->Add(L"two");
         return list;
       },
       {L"a", L"&1 one", L"&2 two", L"c"}},
      {"container item",
       [this]() -> TdxBarItem* {
         auto* container = NewItem<TdxBarContainerItem>(L"box");
         container->ItemLinks()->AddItemLink(NewItem(L"p", L"p"));
         container->ItemLinks()->AddItemLink(NewItem(L"q", L"q"));
         return container;
       },
       {L"a", L"p", L"q", L"c"}},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    ++n;
    TTestLinksOwner* owner = NewOwner(pkMenu);
    owners.push_back(owner);
    owner->Links()->AddItemLink(NewItem(L"a" + IntToStr(n), L"a"));
    TdxBarItemLink* containerLink = owner->Links()->AddItemLink(c.Make());
    owner->Links()->AddItemLink(NewItem(L"c" + IntToStr(n), L"c"));
    auto* menu = new TdxBarSubMenuControl(manager);
    menu->AssignItemLinks(owner->Links());
    menus.push_back(menu);
    menu->SetBounds(100, 100, 0, 0);
    menu->ShowSubMenuWindow();
    std::vector<String> shown;
    for (int i = 0; i < owner->Links()->ShownLinkCount(); ++i)
      shown.push_back(owner->Links()->ShownLinkAt(i)->Item()->Caption());
    EXPECT_EQ(shown, c.Captions);
    // The entries begin a group of their own; the container's link is out of the menu.
    EXPECT_TRUE(owner->Links()->ShownLinkAt(1)->BeginGroup());
    EXPECT_LT(owner->Links()->IndexOfLink(containerLink), 0);
    // Closed, the links are as designed again.
    menu->CloseAndFree();
    ASSERT_EQ(owner->Links()->Count(), 3);
    EXPECT_EQ(owner->Links()->LinkAt(1), containerLink);
  }
}

TEST_F(SubItemWindow, AListItemOnAToolbarOpensItsEntriesAndClosingRemovesThem) {
  TTestBarControl* toolbar = NewWindow(0, pkToolbar);
  auto* list = NewItem<TdxBarListItem>(L"recent");
  list->Items()->Add(L"a");
  list->Items()->Add(L"-");
  list->Items()->Add(L"b");
  int listClicks = 0;
  list->OnClick = [&](TObject*) { ++listClicks; };
  toolbar->ItemLinks()->AddItemLink(list);
  toolbar->ShowAt(40, 40, 300, 30);
  auto* control = dynamic_cast<TdxBarContainerItemControl*>(toolbar->ItemLinks()->LinkAt(0)->ItemControl());
  ASSERT_NE(control, nullptr);
  control->DropDownMenu(false);
  auto* menu = dynamic_cast<TContainerItemSubMenuControl*>(list->ItemLinks()->BarControl());
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(list->ItemLinks()->Count(), 2);
  EXPECT_EQ(list->ItemLinks()->LinkAt(0)->Item()->Caption(), L"&1 a");
  EXPECT_EQ(list->ItemLinks()->LinkAt(1)->Item()->Caption(), L"&2 b");
  EXPECT_TRUE(list->ItemLinks()->LinkAt(1)->BeginGroup());
  // Under the toolbar item.
  EXPECT_EQ(menu->Top(), toolbar->ItemControlScreenRect(control).bottom);

  // A click on the second entry selects its string and clicks the list item; the menus close and
  // the generated links go with them.
  // The list item's click fired when its menu opened.
  EXPECT_EQ(listClicks, 1);
  listClicks = 0;
  list->ItemLinks()->LinkAt(1)->ItemControl()->ControlClick(false, 0);
  EXPECT_EQ(list->ItemIndex, 2);
  EXPECT_EQ(listClicks, 1);
  EXPECT_EQ(list->ItemLinks()->BarControl(), nullptr);
  EXPECT_EQ(list->ItemLinks()->Count(), 0);
  EXPECT_TRUE(list->NeedClearItemList());
}

}  // namespace
