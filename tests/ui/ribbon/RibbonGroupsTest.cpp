// The groups of the active tab on screen: the group bar windows side by side in the groups site,
// fitting and collapsing as the ribbon narrows, scrolling when they cannot collapse, the dialog
// launchers' places and the key-tip base lines.

#include <gtest/gtest.h>

#include <map>

#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/windows/Forms.h"
#include "tests/ui/ribbon/RibbonTestSupport.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/Bars.h"
#include "ui/ribbon/RibbonController.h"
#include "ui/ribbon/RibbonGroups.h"
#include "ui/ribbon/RibbonViewInfo.h"
#include "ui/ribbon/RibbonSkins.h"

namespace {

class RibbonGroupsTest : public ribbon_testing::RibbonFormFixture {
 protected:
  void SetUp() override {
    RibbonFormFixture::SetUp();
    MakeForm(L"GroupsForm", 1000);
    ribbon->OnTabGroupCollapsed = [this](TdxCustomRibbon*, TdxRibbonTab*, TdxRibbonTabGroup* Group) {
      events.push_back(L"-" + Group->ToolBar()->Caption());
    };
    ribbon->OnTabGroupExpanded = [this](TdxCustomRibbon*, TdxRibbonTab*, TdxRibbonTabGroup* Group) {
      events.push_back(L"+" + Group->ToolBar()->Caption());
    };
    tab = ribbon->Tabs()->Add();
    tab->SetCaption(L"Home");
  }
  // A group of Buttons small buttons (named after the caption) on a new toolbar.
  TdxRibbonTabGroup* AddGroup(const String& Caption, int Buttons) {
    TdxBar* bar = manager->Bars()->Add();
    bar->SetName(L"Bar" + Caption);
    bar->SetCaption(Caption);
    for (int i = 0; i < Buttons; ++i) {
      auto* button = new TdxBarButton(form);
      button->SetName(Caption + IntToStr(i));
      button->SetCaption(Caption + L" command " + IntToStr(i));
      bar->ItemLinks()->AddItemLink(button);
    }
    bar->SetVisible(true);
    TdxRibbonTabGroup* group = tab->Groups()->Add();
    group->SetToolBar(bar);
    return group;
  }
  void Show() {
    form->Show();
    ribbon->Changed();
  }
  // The ribbon at a width, laid out again.
  void ResizeTo(int Width) {
    form->SetClientWidth(Width);
    ribbon->Changed();
  }
  static TdxRibbonGroupBarControl* BarOf(TdxRibbonTabGroup* Group) {
    return dynamic_cast<TdxRibbonGroupBarControl*>(Group->ToolBar()->Control());
  }
  TdxRibbonGroupsDockControl* Dock() const { return tab->GroupsDockControl(); }
  TdxRibbonGroupsDockControlViewInfo* DockInfo() const { return Dock()->ViewInfo(); }

  TdxRibbonTab* tab = nullptr;
  std::vector<String> events;
};

TEST_F(RibbonGroupsTest, GroupBarsStandSideBySideInTabGroupOrderInsideTheGroupsSite) {
  TdxRibbonTabGroup* clipboard = AddGroup(L"Clipboard", 3);
  TdxRibbonTabGroup* edit = AddGroup(L"Edit", 5);
  TdxRibbonTabGroup* view = AddGroup(L"View", 2);
  Show();
  TdxRibbonGroupBarControl* bars[] = {BarOf(clipboard), BarOf(edit), BarOf(view)};
  TdxRibbonGroupsDockControlSite* site = ribbon->GroupsDockControlSite();
  ASSERT_TRUE(site->HandleAllocated());
  EXPECT_TRUE(IsWindowVisible(site->Handle()));
  EXPECT_EQ(Dock()->Parent(), site);
  EXPECT_EQ(Dock()->BoundsRect(), site->DockControlBounds());
  EXPECT_EQ(site->Height(), ribbon->GroupHeight() + 7);
  int x = 0;
  for (TdxRibbonGroupBarControl* bar : bars) {
    ASSERT_NE(bar, nullptr) << "a toolbar docked in a tab shows in a group bar";
    EXPECT_EQ(GetParent(bar->Handle()), Dock()->Handle());
    EXPECT_EQ(bar->Left(), x);
    EXPECT_EQ(bar->Top(), 0);
    EXPECT_EQ(bar->Width(), bar->GroupViewInfo()->Width());
    EXPECT_FALSE(bar->Collapsed());
    x = bar->Left() + bar->Width() + 2;
    // Every button has its place inside the bar's client area.
    TdxBarItemLinks* links = bar->ItemLinks();
    for (int i = 0; i < links->ShowableLinkCount(); ++i) {
      const TRect r = links->ShowableLinkAt(i)->ItemRect();
      EXPECT_FALSE(r.IsEmpty());
      EXPECT_TRUE(r.left >= 0 && r.right <= bar->ClientWidth() && r.bottom <= bar->ClientHeight()) << i;
    }
  }
  EXPECT_TRUE(DockInfo()->ScrollButtons().Empty());
  EXPECT_EQ(DockInfo()->ScrollPosition(), 0);
  EXPECT_TRUE(events.empty());
}

TEST_F(RibbonGroupsTest, NarrowingCollapsesGroupsFromTheRightAndWideningExpandsThemWithOneEventEach) {
  TdxRibbonTabGroup* groups[] = {AddGroup(L"A", 6), AddGroup(L"B", 6), AddGroup(L"C", 6)};
  Show();
  auto collapsedSet = [&] {
    String s;
    for (TdxRibbonTabGroup* group : groups) s += BarOf(group)->Collapsed() ? L"x" : L".";
    return s;
  };
  const int full = DockInfo()->TotalWidth();
  const int margins = ribbon->ViewInfo()->GetGroupsDockMargins().left + ribbon->ViewInfo()->GetGroupsDockMargins().right;
  struct Step {
    const wchar_t* name;
    int clientWidth;
    const wchar_t* collapsed;
    std::vector<String> events;
  } steps[] = {
      {L"everything fits", full + margins + 20, L"...", {}},
      {L"one group too wide", full + margins - 10, L"..x", {L"-C"}},
      {L"only the first fits", BarOf(groups[0])->Width() + 2 * 60 + margins, L".xx", {L"-B"}},
      {L"wide again", full + margins + 40, L"...", {L"+B", L"+C"}},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.name);
    events.clear();
    ResizeTo(s.clientWidth);
    EXPECT_EQ(collapsedSet(), s.collapsed);
    EXPECT_EQ(events, s.events);
    EXPECT_TRUE(DockInfo()->FitsIn(Dock()->ClientWidth())) << "what collapses fits";
    for (TdxRibbonTabGroup* group : groups) {
      TdxRibbonGroupBarControl* bar = BarOf(group);
      EXPECT_EQ(bar->Width(), bar->GroupViewInfo()->Width()) << "the window follows its view info";
      if (!bar->Collapsed()) continue;
      // A collapsed group is one button: no item keeps a place, and the whole bar is its client.
      TdxBarItemLinks* links = bar->ItemLinks();
      for (int i = 0; i < links->ShowableLinkCount(); ++i) EXPECT_TRUE(links->ShowableLinkAt(i)->ItemRect().IsEmpty());
      RECT w{};
      GetWindowRect(bar->Handle(), &w);
      EXPECT_EQ(SendMessageW(bar->Handle(), WM_NCHITTEST, 0, MAKELPARAM(w.left, w.top)), HTCLIENT);
    }
  }
}

TEST_F(RibbonGroupsTest, GroupsThatMayNotCollapseScrollWithButtonsThatFollowThePosition) {
  TdxRibbonTabGroup* groups[] = {AddGroup(L"A", 6), AddGroup(L"B", 6), AddGroup(L"C", 6)};
  for (TdxRibbonTabGroup* group : groups) group->SetCanCollapse(false);
  Show();
  const int total = DockInfo()->TotalWidth();
  // A form narrower than 300 pixels hides the ribbon.
  ResizeTo(std::max(total / 2, 320));
  TdxRibbonGroupsDockControlSite* site = ribbon->GroupsDockControlSite();
  const int width = site->DockControlBounds().Width();
  const int button = ribbon->ViewInfo()->TabScrollButtonWidth();
  ASSERT_LT(width, total);
  EXPECT_TRUE(events.empty()) << "no group collapses";
  using Buttons = TdxRibbonGroupsScrollButtons;
  struct Step {
    const wchar_t* name;
    int steps;  // positive: to the right
    int position;
    Buttons buttons;
  } steps[] = {
      {L"laid out", 0, 0, Buttons{rgsbRight}},
      {L"one step right", 1, -10, Buttons{rgsbLeft, rgsbRight}},
      {L"to the end", 1000, width - total, Buttons{rgsbLeft}},
      {L"back to the start", -1000, 0, Buttons{rgsbRight}},
  };
  const TRect area = site->ClientRect();
  for (const Step& s : steps) {
    SCOPED_TRACE(s.name);
    for (int i = 0; i < std::abs(s.steps); ++i) DockInfo()->ScrollStep(s.steps > 0, width);
    EXPECT_EQ(DockInfo()->ScrollPosition(), s.position);
    EXPECT_EQ(DockInfo()->ScrollButtons(), s.buttons);
    // The dock leaves room for the buttons; the first group stays where the scroll puts it.
    EXPECT_EQ(Dock()->Left(), s.buttons.Contains(rgsbLeft) ? button : ribbon->ViewInfo()->GetGroupsDockMargins().left);
    EXPECT_EQ(Dock()->Left() + Dock()->Width(),
              s.buttons.Contains(rgsbRight) ? area.right - button : area.right - ribbon->ViewInfo()->GetGroupsDockMargins().right);
    EXPECT_EQ(BarOf(groups[0])->Left() + Dock()->Left(), ribbon->ViewInfo()->GetGroupsDockMargins().left + s.position);
    EXPECT_EQ(site->ViewInfo()->HitTest(TPoint{site->Left() + 1, site->Top() + 5}), s.buttons.Contains(rgsbLeft) ? 5 : 0);
    EXPECT_EQ(site->ViewInfo()->HitTest(TPoint{site->Left() + area.right - 1, site->Top() + 5}),
              s.buttons.Contains(rgsbRight) ? 6 : 0);
  }
  // A press on the site's right button goes to the ribbon's controller, which scrolls one step.
  const TPoint right{area.right - 2, area.bottom / 2};
  site->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(right.x, right.y));
  EXPECT_EQ(ribbon->Controller()->ScrollKind(), 6);
  site->Perform(WM_LBUTTONUP, 0, MAKELPARAM(right.x, right.y));
  EXPECT_EQ(DockInfo()->ScrollPosition(), -10);
  EXPECT_EQ(ribbon->Controller()->ScrollKind(), 0);
  EXPECT_FALSE(ribbon->Controller()->ScrollTimer()->Enabled());
  DockInfo()->Scroll(10, width);

  // An item of the last group, out of view at the start, is scrolled into view.
  TdxRibbonGroupBarControl* last = BarOf(groups[2]);
  TdxBarItemControl* control = last->ItemLinks()->ShowableLinkAt(last->ItemLinks()->ShowableLinkCount() - 1)->ItemControl();
  auto itemInDock = [&] {
    RECT item = control->BoundsInBar();
    MapWindowPoints(last->Handle(), Dock()->Handle(), reinterpret_cast<POINT*>(&item), 2);
    return item;
  };
  ASSERT_GT(itemInDock().right, Dock()->ClientWidth());
  last->MakeItemVisible(control);
  EXPECT_LT(DockInfo()->ScrollPosition(), 0);
  EXPECT_GE(itemInDock().left, 0);
  EXPECT_LE(itemInDock().right, Dock()->ClientWidth());
}

TEST_F(RibbonGroupsTest, LaunchersSitInTheCaptionFromTheRightAndKeyTipLinesFollowTheBar) {
  TdxRibbonTabGroup* group = AddGroup(L"Font", 4);
  TdxBar* toolbar = group->ToolBar();
  toolbar->CaptionButtons()->Add();
  toolbar->CaptionButtons()->Add();
  Show();
  TdxRibbonGroupBarControl* bar = BarOf(group);
  bar->CalcCaptionButtonRects();
  const TRect caption = bar->CaptionBounds();
  EXPECT_EQ(caption.Height(), ribbon->GroupCaptionHeight());
  EXPECT_EQ(caption.bottom, bar->Height() - 3);
  const int side = caption.Height();
  const TRect first = toolbar->CaptionButtons()->ButtonAt(0)->Bounds;
  const TRect second = toolbar->CaptionButtons()->ButtonAt(1)->Bounds;
  EXPECT_EQ(first, (TRect{caption.right - 1 - side, caption.top, caption.right - 1, caption.bottom}));
  EXPECT_EQ(second, (TRect{first.left - 1 - side, caption.top, first.left - 1, caption.bottom}));
  EXPECT_GE(bar->GroupViewInfo()->ContentSize().cx + 2 + 3, side * 2 + 2) << "the caption with its buttons fits";

  TdxRibbonGroupBarControlViewInfo* info = bar->GroupViewInfo();
  RECT window{};
  GetWindowRect(bar->Handle(), &window);
  const int row0 = bar->ClientOriginInWindow().y, row2 = caption.top;
  struct Line {
    int index;
    int expected;
  } lines[] = {{0, row0}, {1, (row0 + row2) / 2}, {2, row2}};
  for (const Line& l : lines) EXPECT_EQ(info->RowKeyTipBaseLine(l.index), window.top + l.expected) << l.index;
  EXPECT_EQ(info->BottomKeyTipBaseLine(), window.bottom - 2);
  for (int bad : {-1, 3}) EXPECT_THROW(info->RowKeyTipBaseLine(bad), Exception) << bad;
  ShowWindow(bar->Handle(), SW_HIDE);
  info->FinishCalculation();
  EXPECT_THROW(info->CalculateKeyTipsBaseLines(), Exception) << "a bar without a visible window has no key tips";
}

}  // namespace

namespace {

TEST_F(RibbonGroupsTest, TheGroupsAreaShowsEachSchemesBodyAndTheDockContinuesIt) {
  AddGroup(L"Clipboard", 3);
  Show();
  TdxRibbonGroupsDockControlSite* site = ribbon->GroupsDockControlSite();
  const int w = site->Width(), h = site->Height();
  for (const wchar_t* scheme : {L"Blue", L"Black", L"Silver"}) {
    SCOPED_TRACE(testing::Message() << "scheme " << scheme);
    ribbon->SetColorSchemeName(scheme);
    ASSERT_EQ(ribbon->ColorSchemeName(), scheme);
    ribbon_testing::DibSection painted(w, h);
    site->Perform(WM_PAINT, reinterpret_cast<WPARAM>(painted.DC()), 0);
    const TColor body = ribbon->ColorScheme()->PartColorOf(10065, 0);
    EXPECT_TRUE(ribbon_testing::NearPixel(painted.Pixel(w - 40, h / 2), body)) << "right of the groups";
    // The dock's background is the site's at the dock's place, down to its lighter top rows.
    ribbon_testing::DibSection dock(Dock()->Width(), Dock()->Height());
    Dock()->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dock.DC()), 0);
    for (int y : {0, 1, Dock()->Height() / 2}) {
      const int x = Dock()->Width() - 30;
      EXPECT_EQ(dock.Pixel(x, y), painted.Pixel(Dock()->Left() + x, Dock()->Top() + y)) << y;
    }
  }
}

}  // namespace
