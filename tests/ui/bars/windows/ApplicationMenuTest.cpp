// The application menu: its extra pane's width and items, the button strip, buttons that follow
// their items, and menus opened from it covering the pane.
#include <gtest/gtest.h>

#include "tests/support/WindowTestSupport.h"
#include "tests/ui/bars/BarTestWindow.h"
#include "ui/bars/ApplicationMenu.h"
#include "ui/bars/Bars.h"
#include "ui/bars/ExtraPane.h"

using namespace bar_testing;

namespace {

TEST(ApplicationMenuButtons, RightAlignedSixApartAndTheOnesThatDoNotFitDropped) {
  const TRect strip{10, 100, 210, 124};
  struct Case {
    const char* Name;
    std::vector<int> Widths;
    std::vector<TRect> Expected;
  };
  const Case cases[] = {
      {"two buttons", {50, 60}, {TRect{94, 100, 144, 124}, TRect{150, 100, 210, 124}}},
      {"the third does not fit", {90, 90, 90}, {TRect{24, 100, 114, 124}, TRect{120, 100, 210, 124}}},
      {"exactly the strip", {200}, {TRect{10, 100, 210, 124}}},
      {"none fits", {250}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::vector<TRect> placed = ArrangeApplicationMenuButtons(c.Widths, strip);
    ASSERT_EQ(placed.size(), c.Expected.size());
    for (size_t i = 0; i < placed.size(); ++i) EXPECT_TRUE(placed[i] == c.Expected[i]) << i;
  }
}

class ApplicationMenuWindow : public BarWindowFixture {
 protected:
  void SetUp() override {
    BarWindowFixture::SetUp();
    menu = new TdxBarApplicationMenu(form);
    for (int i = 0; i < 3; ++i) menu->ItemLinks()->AddItemLink(NewItem(L"m" + IntToStr(i), L"Command " + IntToStr(i)));
    menu->RunsOwnLoop = false;
  }
  void TearDown() override {
    if (TdxBarSubMenuControl* window = menu->MenuWindow()) window->Free();
    BarWindowFixture::TearDown();
  }
  TdxBarApplicationMenuControl* Open() {
    menu->PopupAt(100, 100);
    return dynamic_cast<TdxBarApplicationMenuControl*>(menu->MenuWindow());
  }
  TdxBarApplicationMenu* menu = nullptr;
};

TEST_F(ApplicationMenuWindow, ThePaneIsTheRatioOfTheItemColumnOrItsSizeScaled) {
  EXPECT_EQ(menu->ExtraPaneHeader(), L"Recent Documents");
  EXPECT_DOUBLE_EQ(menu->ExtraPaneWidthRatio(), 2.5);
  menu->SetExtraPaneWidthRatio(2.0);
  TdxBarApplicationMenuControl* window = Open();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->CalcExtraPaneWidth(150), 300);
  const int column = window->ItemsRect.Width();
  EXPECT_EQ(window->ExtraPaneWidth, 2 * column);
  EXPECT_EQ(window->ExtraPaneRect.Width(), 2 * column);
  EXPECT_EQ(window->ExtraPaneRect.left, window->ItemsRect.right);
  // A fixed size is given at the reference text size (13) and scales with the text size (16).
  menu->SetExtraPaneSize(200);
  EXPECT_EQ(window->CalcExtraPaneWidth(150), MulDiv(200, 16, 13));
  // Menus opened from it cover the pane exactly.
  TRect bounds;
  ASSERT_TRUE(window->ChildMenuBounds(bounds));
  EXPECT_EQ(bounds.left, window->ClientToScreen(window->ExtraPaneRect.TopLeft()).x);
  EXPECT_EQ(bounds.Width(), window->ExtraPaneRect.Width());
  EXPECT_EQ(bounds.Height(), window->ExtraPaneRect.Height());
  EXPECT_EQ(window->FeatureFlags(), 158);
}

TEST_F(ApplicationMenuWindow, TheStripShowsTheButtonsRightAligned) {
  TdxBarButton* options = NewItem(L"Options", L"Options");
  TdxBarButton* exitItem = NewItem(L"ExitApp", L"Exit");
  int exits = 0;
  exitItem->OnClick = [&](TObject*) { ++exits; };
  menu->Buttons()->AddButton()->SetItem(options);
  menu->Buttons()->AddButton()->SetItem(exitItem);
  TdxBarApplicationMenuControl* window = Open();
  ASSERT_NE(window, nullptr);
  TdxBarItemLinks* buttons = window->ButtonLinks();
  ASSERT_EQ(buttons->Count(), 2);
  const TRect first = buttons->LinkAt(0)->ItemRect(), second = buttons->LinkAt(1)->ItemRect();
  ASSERT_FALSE(first.IsEmpty());
  ASSERT_FALSE(second.IsEmpty());
  EXPECT_EQ(second.right, window->ButtonsRect.right);
  EXPECT_EQ(second.left - first.right, 6);
  EXPECT_EQ(buttons->LinkAt(1)->Item()->Caption(), L"Exit");
  EXPECT_GE(first.top, window->ItemsRect.bottom + 4);
  // A click on the strip's button clicks the item it stands for.
  buttons->LinkAt(1)->Item()->Click();
  EXPECT_EQ(exits, 1);
}

TEST_F(ApplicationMenuWindow, AButtonWhoseItemGoesDisappears) {
  TdxBarButton* options = NewItem(L"Options", L"Options");
  TdxBarApplicationMenuButton* button = menu->Buttons()->AddButton();
  button->SetItem(options);
  EXPECT_EQ(button->InternalItem()->Caption(), L"Options");
  EXPECT_EQ(button->InternalItem()->Visible(), ivAlways);
  // The button's own item belongs to the manager but is not listed for customization.
  EXPECT_EQ(button->InternalItem()->BarManager(), manager);
  bool listed = false;
  for (int i = 0; i < manager->ItemCount(); ++i) listed = listed || manager->ItemAt(i) == button->InternalItem();
  EXPECT_FALSE(listed);
  EXPECT_GE(options->ItemIndexInManager(), 0);
  options->SetCaption(L"Settings");
  EXPECT_EQ(button->InternalItem()->Caption(), L"Settings");
  delete options;
  EXPECT_EQ(button->Item(), nullptr);
  EXPECT_EQ(button->InternalItem()->Visible(), ivNever);
  EXPECT_TRUE(button->InternalItem()->Caption().empty());
}

TEST_F(ApplicationMenuWindow, PaneItemsAreFoundByTheirExactTextAndFillTheListAtEveryShowing) {
  TdxBarExtraPaneItems* items = menu->ExtraPaneItems();
  items->InsertAt(0)->SetText(L"C:\\a.wav");
  items->InsertAt(0)->SetText(L"C:\\B.wav");
  EXPECT_EQ(items->ItemAt(0)->Text(), L"C:\\B.wav");
  EXPECT_EQ(items->IndexOfText(L"C:\\a.wav"), 1);
  EXPECT_EQ(items->IndexOfText(L"C:\\A.wav"), -1);
  EXPECT_EQ(items->IndexOfText(L"C:\\b.wav"), -1);
  int clicked = -1;
  menu->ExtraPane()->OnItemClick = [&](TObject*, int Index) { clicked = Index; };
  ASSERT_NE(Open(), nullptr);
  TStringList* entries = menu->ExtraPane()->ListItem()->Items();
  ASSERT_EQ(entries->Count(), 2);
  EXPECT_EQ(entries->Strings(1), L"C:\\a.wav");
  // An entry's click reports its index.
  TTestLinksOwner* pane = NewOwner(pkMenu);
  owners.push_back(pane);
  menu->ExtraPane()->ListItem()->AddListedItemLinks(pane->Links(), 0, nullptr, false);
  ASSERT_EQ(pane->Links()->Count(), 3);
  EXPECT_EQ(pane->Links()->LinkAt(0)->Item()->Caption(), L"Recent Documents");
  EXPECT_EQ(pane->Links()->LinkAt(2)->Item()->Caption(), L"&2 a");
  pane->Links()->LinkAt(2)->Item()->Click();
  EXPECT_EQ(clicked, 1);
}

TEST_F(ApplicationMenuWindow, ThePaneIsAHiddenToolbarWithTheHeaderAndOneEntryPerItemInAColumn) {
  TdxBarExtraPaneItems* items = menu->ExtraPaneItems();
  items->AddItem()->SetText(L"C:\\music\\b.wav");
  items->AddItem()->SetText(L"C:\\c.mp3");
  // An item column tall enough for the header and both entries.
  for (int i = 3; i < 8; ++i) menu->ItemLinks()->AddItemLink(NewItem(L"m" + IntToStr(i), L"Command " + IntToStr(i)));
  int clicked = -1;
  menu->ExtraPane()->OnItemClick = [&](TObject*, int Index) { clicked = Index; };
  const int barsBefore = manager->Bars()->Count();
  TdxBarApplicationMenuControl* window = Open();
  ASSERT_NE(window, nullptr);
  TdxBar* bar = window->ExtraPaneBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(bar->Hidden());
  auto* pane = dynamic_cast<TdxBarExtraPaneControl*>(bar->Control());
  ASSERT_NE(pane, nullptr);
  ASSERT_TRUE(pane->HandleAllocated());
  EXPECT_TRUE(IsWindowVisible(pane->Handle()));
  // The pane's window covers the pane's rectangle of the menu, without a frame.
  RECT r{};
  GetWindowRect(pane->Handle(), &r);
  const TPoint topLeft = window->ClientToScreen(window->ExtraPaneRect.TopLeft());
  EXPECT_EQ(r.left, topLeft.x);
  EXPECT_EQ(r.top, topLeft.y);
  EXPECT_EQ(r.right - r.left, window->ExtraPaneRect.Width());
  EXPECT_EQ(r.bottom - r.top, window->ExtraPaneRect.Height());
  EXPECT_EQ(pane->ClientWidth(), window->ExtraPaneRect.Width());
  EXPECT_EQ(pane->FeatureFlags(), 158);
  // The header and the entries (bare file names), one under the other.
  TdxBarItemLinks* links = bar->ItemLinks();
  ASSERT_EQ(links->ShownLinkCount(), 3);
  const wchar_t* captions[] = {L"Recent Documents", L"&1 b", L"&2 c"};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    TdxBarItemLink* link = links->ShownLinkAt(i);
    EXPECT_EQ(link->Item()->Caption(), captions[i]);
    EXPECT_EQ(link->ItemRect().left, 2);
    if (i > 0) {
      EXPECT_GE(link->ItemRect().top, links->ShownLinkAt(i - 1)->ItemRect().bottom);
    }
  }
  // A click on an entry reports its index and closes the menu; the pane's toolbar goes with it.
  links->ShownLinkAt(2)->ItemControl()->ControlClick(false, 0);
  EXPECT_EQ(clicked, 1);
  EXPECT_EQ(menu->MenuWindow(), nullptr);
  EXPECT_EQ(manager->Bars()->Count(), barsBefore);
}

}  // namespace
