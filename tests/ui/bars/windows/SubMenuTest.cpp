// The menu window in real windows: its natural size, placement in a small work area, scrolling by
// timer ticks, keys, a right click in a context menu, painting and closing.
#include <gtest/gtest.h>

#include "tests/support/WindowTestSupport.h"
#include "tests/ui/bars/BarTestWindow.h"
#include "ui/bars/BarHints.h"
#include "ui/bars/BarItemControls.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/SubMenuControl.h"

using namespace bar_testing;
using window_testing::DibSection;

namespace {

// A menu whose work area the test chooses.
class TTestMenu : public TdxBarSubMenuControl {
 public:
  using TdxBarSubMenuControl::TdxBarSubMenuControl;
  TRect Work{};
  TRect WorkAreaFor(const TPoint& P) override { return Work.IsEmpty() ? TdxBarSubMenuControl::WorkAreaFor(P) : Work; }
};

class SubMenuWindow : public BarWindowFixture {
 protected:
  void TearDown() override {
    for (TTestMenu* menu : menus) {
      if (IsLiveBarControl(menu)) {
        menu->CloseUpHandler = nullptr;
        menu->Free();
      }
    }
    BarWindowFixture::TearDown();
  }

  // A menu over Count buttons "b0", "b1", ... (not yet open).
  TTestMenu* NewMenu(int Count, TRect Work = {}) {
    TTestLinksOwner* owner = NewOwner(pkMenu);
    owners.push_back(owner);
    for (int i = 0; i < Count; ++i) {
      TdxBarButton* item = NewItem(L"m" + IntToStr(int(menus.size())) + L"b" + IntToStr(i));
      item->OnClick = [this, i](TObject*) { clicks.push_back(i); };
      owner->Links()->AddItemLink(item);
    }
    auto* menu = new TTestMenu(manager);
    menu->AssignItemLinks(owner->Links());
    menu->Work = Work;
    menus.push_back(menu);
    return menu;
  }
  static void Open(TTestMenu* Menu, int X, int Y) {
    Menu->SetBounds(X, Y, 0, 0);
    Menu->ShowSubMenuWindow();
  }
  static TRect Arrow(TTestMenu* Menu, int Index) {
    TRect r;
    Menu->Painter()->ScrollButtonRect(Menu, Index, r);
    return r;
  }
  static TPoint Centre(const TRect& R) { return TPoint{(R.left + R.right) / 2, (R.top + R.bottom) / 2}; }
  static int RowHeight(TTestMenu* Menu) { return Menu->ItemLinks()->LinkAt(0)->ItemControl()->MeasureHeight(); }

  std::vector<TTestMenu*> menus;
  std::vector<int> clicks;
};

TEST_F(SubMenuWindow, EmptyMenuIsOneTextLineHighAndAHundredWide) {
  TTestMenu* menu = NewMenu(0);
  Open(menu, 100, 100);
  ASSERT_TRUE(menu->HandleAllocated());
  EXPECT_TRUE(IsWindowVisible(menu->Handle()));
  // Content margins 1 on each side, frame 2.
  EXPECT_EQ(menu->ClientWidth(), 102);
  EXPECT_EQ(menu->ClientHeight(), TTestBarPainter::TextHeight + 2);
  EXPECT_EQ(menu->Width(), 106);
  EXPECT_EQ(menu->Left(), 100);
  EXPECT_EQ(menu->Top(), 100);
}

TEST_F(SubMenuWindow, TheBandsExtraWidthIsTheItemHeightWhenThePainterDrawsABand) {
  TTestMenu* menu = NewMenu(2);
  Open(menu, 100, 100);
  EXPECT_EQ(menu->BandExtraWidth(), 0);
  TTestBarPainter::MenuBand = true;
  EXPECT_EQ(menu->BandExtraWidth(), menu->TextSize());
  EXPECT_GT(menu->BandExtraWidth(), 0);
}

TEST_F(SubMenuWindow, NaturalSizeHoldsItsLinksAndSeparators) {
  TTestMenu* menu = NewMenu(3);
  menu->ItemLinks()->LinkAt(2)->SetBeginGroup(true);
  Open(menu, 100, 100);
  const int row = RowHeight(menu);
  int widest = 0;
  for (int i = 0; i < 3; ++i) widest = std::max(widest, menu->ItemLinks()->LinkAt(i)->ItemControl()->MeasureWidth());
  EXPECT_EQ(menu->ClientHeight(), 3 * row + 6 + 2);
  EXPECT_EQ(menu->ClientWidth(), widest + 2);
  EXPECT_FALSE(menu->CanScrollUp());
  EXPECT_FALSE(menu->CanScrollDown());
  // The separator lies in the gap before the third link; frame, items and separator as painted.
  DibSection client(menu->ClientWidth(), menu->ClientHeight());
  menu->Perform(WM_PAINT, reinterpret_cast<WPARAM>(client.DC()), 0);
  const TRect third = menu->ItemLinks()->LinkAt(2)->ItemControl()->BoundsInBar();
  EXPECT_EQ(third.top, 1 + 2 * row + 6);
  EXPECT_EQ(client.Pixel(5, third.top - 3), kTestMenuSeparator);
  EXPECT_EQ(client.Pixel(Centre(third).x, Centre(third).y), TestColor(teButton, tsNormal));
  DibSection frame(menu->Width(), menu->Height());
  menu->Perform(WM_PRINT, reinterpret_cast<WPARAM>(frame.DC()), PRF_NONCLIENT);
  EXPECT_EQ(frame.Pixel(0, 0), kTestMenuFrame);
  EXPECT_EQ(frame.Pixel(menu->Width() - 1, menu->Height() / 2), kTestMenuFrame);
}

TEST_F(SubMenuWindow, LongMenuInAShortWorkAreaScrollsByTimerTicks) {
  TTestMenu* menu = NewMenu(40, TRect{0, 0, 800, 200});
  Open(menu, 50, 20);
  // Taller than the work area: moved to its top and cut to its height.
  EXPECT_EQ(menu->Top(), 0);
  EXPECT_EQ(menu->Height(), 200);
  EXPECT_EQ(menu->ScrollInterval(), 80);
  EXPECT_FALSE(menu->CanScrollUp());
  ASSERT_TRUE(menu->CanScrollDown());
  {
    DibSection client(menu->ClientWidth(), menu->ClientHeight());
    menu->Perform(WM_PAINT, reinterpret_cast<WPARAM>(client.DC()), 0);
    EXPECT_EQ(client.Pixel(Centre(Arrow(menu, 1)).x, Centre(Arrow(menu, 1)).y), kTestScrollArrow);
    EXPECT_NE(client.Pixel(Centre(Arrow(menu, 0)).x, Centre(Arrow(menu, 0)).y), kTestScrollArrow);
  }

  // Over the lower arrow the timer starts; each tick moves one link.
  MoveTo(menu, Centre(Arrow(menu, 1)).x, Centre(Arrow(menu, 1)).y);
  EXPECT_EQ(menu->ScrollTimer, 1u);
  EXPECT_EQ(menu->SelectedItemControl(), nullptr);
  SendMessageW(menu->Handle(), WM_TIMER, 1, 0);
  SendMessageW(menu->Handle(), WM_TIMER, 1, 0);
  EXPECT_EQ(menu->ScrollIndex(), 2);
  EXPECT_TRUE(menu->CanScrollUp());
  {
    DibSection client(menu->ClientWidth(), menu->ClientHeight());
    menu->Perform(WM_PAINT, reinterpret_cast<WPARAM>(client.DC()), 0);
    EXPECT_EQ(client.Pixel(Centre(Arrow(menu, 0)).x, Centre(Arrow(menu, 0)).y), kTestScrollArrow);
    // The first drawn link is the one after the scroll index (the arrow covers the other).
    const TRect first = menu->ItemLinks()->ShownLinkAt(3)->ItemControl()->BoundsInBar();
    EXPECT_EQ(client.Pixel(Centre(first).x, Centre(first).y), TestColor(teButton, tsNormal));
  }
  // Ticks stop at the end: the last link then ends inside the items area.
  for (int i = 0; i < 60; ++i) SendMessageW(menu->Handle(), WM_TIMER, 1, 0);
  EXPECT_FALSE(menu->CanScrollDown());
  EXPECT_EQ(menu->LastVisibleIndex(), 39);
  EXPECT_EQ(menu->ScrollTimer, 0u);

  // Back up over the upper arrow.
  const int end = menu->ScrollIndex();
  MoveTo(menu, Centre(Arrow(menu, 0)).x, Centre(Arrow(menu, 0)).y);
  EXPECT_EQ(menu->ScrollTimer, 1u);
  SendMessageW(menu->Handle(), WM_TIMER, 1, 0);
  EXPECT_EQ(menu->ScrollIndex(), end - 1);
  // Off the arrows the timer stops.
  MoveTo(menu, 20, menu->ClientHeight() / 2);
  EXPECT_EQ(menu->ScrollTimer, 0u);
}

TEST_F(SubMenuWindow, SeparateArrowAreasScrollSlowerAndKeepTheRowsFree) {
  TTestBarPainter::SeparateArrows = true;
  TTestMenu* menu = NewMenu(40, TRect{0, 0, 800, 200});
  Open(menu, 50, 20);
  EXPECT_EQ(menu->ScrollInterval(), 200);
  EXPECT_EQ(menu->VisibleItemsRect.bottom, menu->ItemsRect.bottom - 12);
  menu->SetScrollIndex(3);
  EXPECT_EQ(menu->FirstVisibleIndex(), 3);
  EXPECT_EQ(menu->ItemLinks()->ShownLinkAt(3)->ItemRect().top, menu->ItemsRect.top + 12);
}

TEST_F(SubMenuWindow, KeyboardSelectionScrollsTheSelectedLinkIntoView) {
  TTestMenu* menu = NewMenu(40, TRect{0, 0, 800, 200});
  Open(menu, 50, 20);
  KeyDown(menu, VK_END);
  ASSERT_NE(menu->SelectedLink(), nullptr);
  EXPECT_EQ(menu->SelectedLink(), menu->ItemLinks()->LinkAt(39));
  EXPECT_GE(menu->LastVisibleIndex(), 39);
  KeyDown(menu, VK_HOME);
  EXPECT_EQ(menu->SelectedLink(), menu->ItemLinks()->LinkAt(0));
  EXPECT_EQ(menu->ScrollIndex(), 0);
}

TEST_F(SubMenuWindow, LinksRemovedFromAScrolledMenuLeaveNoEmptySpace) {
  TTestMenu* menu = NewMenu(40, TRect{0, 0, 800, 200});
  Open(menu, 50, 20);
  while (menu->CanScrollDown()) menu->SetScrollIndex(menu->ScrollIndex() + 1);
  ASSERT_GT(menu->ScrollIndex(), 20);
  TdxBarItemLinks* links = menu->ItemLinks();
  links->BeginUpdate();
  for (int i = 39; i >= 25; --i) links->LinkAt(i)->Free();
  links->EndUpdate();
  ASSERT_EQ(links->ShownLinkCount(), 25);
  EXPECT_TRUE(menu->CanScrollUp());
  const TRect last = links->ShownLinkAt(24)->ItemRect();
  ASSERT_FALSE(last.IsEmpty());
  EXPECT_LT(menu->ItemsRect.bottom - last.bottom, RowHeight(menu));
  EXPECT_EQ(menu->LastVisibleIndex(), 24);
}

TEST_F(SubMenuWindow, EscapeClosesAndFreesAMenuWithoutParent) {
  TTestMenu* menu = NewMenu(3);
  int closeUps = 0;
  menu->CloseUpHandler = [&](TObject*) { ++closeUps; };
  Open(menu, 100, 100);
  EXPECT_EQ(ActiveBarControl(), menu);
  KeyDown(menu, VK_ESCAPE);
  EXPECT_FALSE(IsLiveBarControl(menu));
  EXPECT_EQ(closeUps, 1);
  EXPECT_NE(ActiveBarControl(), static_cast<TCustomdxBarControl*>(menu));
}

TEST_F(SubMenuWindow, EscapeInANestedMenuClosesOnlyThatMenu) {
  TTestMenu* parent = NewMenu(3);
  Open(parent, 100, 100);
  TTestMenu* child = NewMenu(2);
  child->SetParentBar(parent);
  parent->SetChildBar(child);
  child->AnchorWidth = 50;
  Open(child, 200, 120);
  EXPECT_EQ(ActiveBarControl(), child);
  KeyDown(child, VK_ESCAPE);
  EXPECT_FALSE(IsLiveBarControl(child));
  ASSERT_TRUE(IsLiveBarControl(parent));
  EXPECT_EQ(parent->ChildBar(), nullptr);
  EXPECT_TRUE(parent->HandleAllocated());
  EXPECT_TRUE(IsWindowVisible(parent->Handle()));
}

TEST_F(SubMenuWindow, LeftAndRightGoToTheToolbarThatOpenedTheMenu) {
  TTestBarControl* toolbar = NewWindow(0, pkToolbar);
  TdxBarItemLinks* links = toolbar->ItemLinks();
  for (int i = 0; i < 3; ++i) links->AddItemLink(NewItem(L"t" + IntToStr(i)));
  toolbar->ShowAt(10, 10, 300, 30);
  toolbar->SelectAndActivate(links->LinkAt(1)->ItemControl());
  TTestMenu* menu = NewMenu(2);
  menu->SetParentBar(toolbar);
  toolbar->SetChildBar(menu);
  menu->AnchorHeight = 20;
  Open(menu, 60, 40);
  KeyDown(menu, VK_RIGHT);
  EXPECT_EQ(toolbar->SelectedLink(), links->LinkAt(2));
  KeyDown(menu, VK_LEFT);
  EXPECT_EQ(toolbar->SelectedLink(), links->LinkAt(1));
}

TEST_F(SubMenuWindow, RightClickActsAsLeftClickInAContextMenuOnly) {
  struct Case {
    const char* Name;
    int AnchorHeight;
    bool Clicks;
  };
  for (const Case& c : {Case{"context menu", 0, true}, Case{"drop-down", 20, false}}) {
    SCOPED_TRACE(c.Name);
    clicks.clear();
    TTestMenu* menu = NewMenu(3);
    menu->AnchorHeight = c.AnchorHeight;
    Open(menu, 100, 100);
    EXPECT_EQ(menu->RightButtonSelects(), c.Clicks);
    const TPoint p = CentreOf(menu->ItemLinks()->LinkAt(1)->ItemControl());
    MoveTo(menu, p.x, p.y);
    Press(menu, p.x, p.y, WM_RBUTTONDOWN);
    Release(menu, p.x, p.y, WM_RBUTTONUP);
    EXPECT_EQ(clicks, c.Clicks ? std::vector<int>{1} : std::vector<int>{});
    if (IsLiveBarControl(menu)) menu->Free();
  }
}

TEST_F(SubMenuWindow, EnterClicksTheSelectedItem) {
  TTestMenu* menu = NewMenu(3);
  Open(menu, 100, 100);
  KeyDown(menu, VK_DOWN);
  KeyDown(menu, VK_DOWN);
  ASSERT_EQ(menu->SelectedLink(), menu->ItemLinks()->LinkAt(1));
  KeyDown(menu, VK_RETURN);
  EXPECT_EQ(clicks, std::vector<int>{1});
}

}  // namespace

namespace {

// Menus whose first two of four links are recent: the rest waits behind the expand mark.
class PersonalisedMenu : public SubMenuWindow {
 protected:
  void SetUp() override {
    SubMenuWindow::SetUp();
    SetCursorPos(2, 2);
    manager->SetStyle(bmsOffice11);
    manager->SetMenusShowRecentItemsFirst(true);
  }
  TTestMenu* NewPersonalMenu(std::initializer_list<int> UseCounts) {
    TTestMenu* menu = NewMenu(int(UseCounts.size()));
    int i = 0;
    for (int count : UseCounts) {
      menu->ItemLinks()->LinkAt(i)->SetUseCount(count);
      menu->ItemLinks()->LinkAt(i)->SetRecentIndex(i);
      ++i;
    }
    return menu;
  }
  static bool NonRecent(TTestMenu* Menu, int Index) {
    return Menu->ItemLinks()->LinkAt(Index)->ItemControl()->NonRecent;
  }
};

TEST_F(PersonalisedMenu, CtrlDownExpandsAndLaterMenusOfTheChainShowEverything) {
  TTestMenu* menu = NewPersonalMenu({100, 50, 0, 0});
  Open(menu, 100, 100);
  ASSERT_TRUE(menu->HasHiddenItems());
  EXPECT_EQ(menu->ItemLinks()->ShownLinkCount(), 2);
  const int shortHeight = menu->ClientHeight();
  EXPECT_EQ(shortHeight, 2 * RowHeight(menu) + menu->MarkSize + 2);
  {
    window_testing::HeldKeys ctrl{VK_CONTROL};
    KeyDown(menu, VK_DOWN);
  }
  ASSERT_TRUE(IsLiveBarControl(menu));
  ASSERT_TRUE(menu->HandleAllocated());
  EXPECT_TRUE(IsWindowVisible(menu->Handle()));
  EXPECT_FALSE(menu->HasHiddenItems());
  EXPECT_EQ(menu->ItemLinks()->ShownLinkCount(), 4);
  EXPECT_EQ(menu->ClientHeight(), 4 * RowHeight(menu) + 2);
  EXPECT_TRUE(menu->IsActive());
  // The items that were hidden are drawn as non-recent ones.
  EXPECT_FALSE(NonRecent(menu, 1));
  EXPECT_TRUE(NonRecent(menu, 2));
  EXPECT_TRUE(NonRecent(menu, 3));
  // Another menu opened before the chain ends shows all its links.
  TTestMenu* second = NewPersonalMenu({100, 50, 0, 0});
  Open(second, 300, 100);
  EXPECT_FALSE(second->HasHiddenItems());
  EXPECT_EQ(second->ItemLinks()->ShownLinkCount(), 4);
}

TEST_F(PersonalisedMenu, DownOnTheLastShownLinkExpandsAndMovesOn) {
  TTestMenu* menu = NewPersonalMenu({100, 50, 0, 0});
  Open(menu, 100, 100);
  ASSERT_TRUE(menu->HasHiddenItems());
  menu->SetSelected(menu->ItemLinks()->LinkAt(1)->ItemControl());
  KeyDown(menu, VK_DOWN);
  ASSERT_TRUE(IsLiveBarControl(menu));
  EXPECT_EQ(menu->ItemLinks()->ShownLinkCount(), 4);
  ASSERT_NE(menu->SelectedItemControl(), nullptr);
  EXPECT_EQ(menu->SelectedItemControl()->Link(), menu->ItemLinks()->LinkAt(2));
}

TEST_F(PersonalisedMenu, TheExpandTimersMarkAndExpand) {
  TTestMenu* menu = NewPersonalMenu({100, 50, 0, 0});
  Open(menu, 100, 100);
  ASSERT_TRUE(menu->HasHiddenItems());
  // Opened active with delayed expansion: timer 3 runs.
  EXPECT_EQ(menu->ExpandTimer, 3u);
  // A selection change restarts it as timer 2, whose expiry only marks.
  menu->SetSelected(menu->ItemLinks()->LinkAt(0)->ItemControl());
  EXPECT_EQ(menu->ExpandTimer, 2u);
  menu->Perform(WM_TIMER, 2, 0);
  EXPECT_EQ(menu->MarkState(), 1);
  EXPECT_TRUE(menu->HasHiddenItems());
  menu->Perform(WM_TIMER, 3, 0);
  ASSERT_TRUE(IsLiveBarControl(menu));
  EXPECT_FALSE(menu->HasHiddenItems());
  EXPECT_EQ(menu->ItemLinks()->ShownLinkCount(), 4);
}

TEST_F(PersonalisedMenu, WithoutTheDelayTheHotMarkShowsTheExpandHintAndStartsNoTimer) {
  manager->SetShowFullMenusAfterDelay(false);
  TTestMenu* menu = NewPersonalMenu({100, 50, 0, 0});
  Open(menu, 100, 100);
  ASSERT_TRUE(menu->HasHiddenItems());
  EXPECT_EQ(menu->ExpandTimer, 0u);
  menu->SetMarkState(1);
  ASSERT_NE(BarHintWindow(), nullptr);
  EXPECT_TRUE(BarHintWindow()->HintShown());
  EXPECT_EQ(menu->ExpandTimer, 0u);
  menu->SetMarkState(0);
  EXPECT_FALSE(BarHintWindow()->HintShown());
  EXPECT_TRUE(menu->HasHiddenItems());
}

TEST_F(PersonalisedMenu, AnAcceleratorOfAHiddenLinkExpandsTheMenuAndSelectsIt) {
  TTestMenu* menu = NewPersonalMenu({100, 50, 0, 0});
  // Two links answer Z, so the key only selects the first of them.
  menu->ItemLinks()->LinkAt(2)->Item()->SetCaption(L"&Zeta");
  menu->ItemLinks()->LinkAt(3)->Item()->SetCaption(L"&Zulu");
  Open(menu, 100, 100);
  ASSERT_TRUE(menu->HasHiddenItems());
  KeyDown(menu, 'Z');
  ASSERT_TRUE(IsLiveBarControl(menu));
  EXPECT_FALSE(menu->HasHiddenItems());
  TdxBarItemLink* zeta = menu->ItemLinks()->LinkAt(2);
  EXPECT_EQ(menu->SelectedLink(), zeta);
  EXPECT_FALSE(zeta->ItemRect().IsEmpty());
  EXPECT_TRUE(clicks.empty());
}

TEST_F(PersonalisedMenu, AMenuOfRecentLinksHasNoMarkAndAnExpansionRecreatesNothing) {
  TTestMenu* menu = NewPersonalMenu({1, 1, 1});
  Open(menu, 100, 100);
  EXPECT_FALSE(menu->HasHiddenItems());
  EXPECT_EQ(menu->ClientHeight(), 3 * RowHeight(menu) + 2);
  const HWND before = menu->Handle();
  menu->SetMarkState(2);
  EXPECT_EQ(menu->MarkState(), 2);
  EXPECT_EQ(menu->Handle(), before);
}

}  // namespace
