// The ribbon's layout with measured text widths of 6 pixels a character: the tab strip's optimal,
// compressed and scrolled widths, the hidden ribbon, the quick-access toolbar above and below, the
// ribbon's height and the hit-test order.

#include <gtest/gtest.h>

#include "platform/framework/windows/Forms.h"
#include "tests/support/WindowTestSupport.h"
#include "tests/ui/ribbon/RibbonTestSupport.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/Bars.h"
#include "ui/ribbon/Ribbon.h"
#include "ui/ribbon/RibbonViewInfo.h"

namespace {

constexpr int kCharWidth = 6;

class TMeasuredViewInfo : public TdxRibbonViewInfo {
 public:
  using TdxRibbonViewInfo::TdxRibbonViewInfo;
  int TextWidth(TFont*, const String& Text) override { return kCharWidth * int(Text.size()); }
};

class TMeasuredRibbon : public TdxRibbon {
 public:
  explicit TMeasuredRibbon(TComponent* AOwner) : TdxRibbon(AOwner) {}
  TSize QuickAccessSize{100, 22};
  TSize QuickAccessBarSize(int) override { return QuickAccessSize; }

 protected:
  TdxRibbonViewInfo* CreateViewInfo() override { return new TMeasuredViewInfo(this); }
};

class RibbonViewInfo : public ribbon_testing::RibbonFixture {
 protected:
  void SetUp() override {
    RibbonFixture::SetUp();
    form = new TForm(nullptr, 0);
    form->SetBounds(0, 0, 800, 500);
    manager = new TdxBarManager(form);
    ribbon = new TMeasuredRibbon(form);
    ribbon->SetParent(form);
    ribbon->SetBarManager(manager);
    // Tab headers 2 x 11 + 2 = 24 pixels high.
    TFont font;
    font.SetName(L"Tahoma");
    font.SetHeight(-11);
    ribbon->Fonts()->SetFont(afTabHeader, &font);
    info = ribbon->ViewInfo();
  }
  void TearDown() override {
    ribbon->OnHelpButtonClick = nullptr;
    FreeAndNil(form);
    RibbonFixture::TearDown();
  }
  void AddTabs(int Count) {
    for (int i = 0; i < Count; ++i) ribbon->Tabs()->Add()->SetCaption(L"Tab" + std::to_wstring(i + 1));
  }
  // The tab strip runs from 8 to the right edge less 6 without an application button or buttons.
  void LayOutStrip(int StripWidth) { info->ComputeLayout(TRect{0, 0, StripWidth + 14, 200}); }
  std::vector<int> TabWidths() const {
    std::vector<int> widths;
    for (int i = 0; i < info->Tabs()->Count(); ++i) widths.push_back(info->Tabs()->Item(i)->Bounds.Width());
    return widths;
  }
  void ShowQuickAccessToolbar() {
    TdxBar* bar = manager->Bars()->Add();
    bar->SetVisible(true);
    ribbon->QuickAccessToolbar()->SetToolbar(bar);
  }

  TForm* form = nullptr;
  TdxBarManager* manager = nullptr;
  TMeasuredRibbon* ribbon = nullptr;
  TdxRibbonViewInfo* info = nullptr;
};

TEST_F(RibbonViewInfo, TabsTakeTheirOptimalCompressedOrLevelledWidths) {
  // Eight captions of four characters: text 24, optimal 51, least 28; 408 in all, 224 at least.
  AddTabs(8);
  struct Case {
    int strip;
    std::vector<int> widths;
    int alpha;
    int scrollButtons;
  } cases[] = {
      {408, {51, 51, 51, 51, 51, 51, 51, 51}, 0, 0},
      {500, {51, 51, 51, 51, 51, 51, 51, 51}, 0, 0},
      // 5 over: the last five tabs give a pixel, the separators show at 5 x 255 / 136.
      {403, {51, 51, 51, 50, 50, 50, 50, 50}, 9, 0},
      {272, {34, 34, 34, 34, 34, 34, 34, 34}, 255, 0},
      // Past the padding the widest tabs give a pixel a round.
      {250, {31, 31, 31, 31, 31, 31, 32, 32}, 255, 0},
      // Below the least widths the strip scrolls, the right button first.
      {200, {29, 29, 29, 29, 29, 29, 29, 28}, 255, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "strip " << c.strip);
    LayOutStrip(c.strip);
    EXPECT_EQ(info->Tabs()->Bounds.Width(), c.strip);
    EXPECT_EQ(TabWidths(), c.widths);
    EXPECT_EQ(info->Tabs()->SeparatorAlpha, c.alpha);
    EXPECT_EQ(info->Tabs()->ScrollButtons, c.scrollButtons);
    const TdxRibbonTabViewInfo* first = info->Tabs()->Item(0);
    EXPECT_EQ(first->SeparatorBounds.IsEmpty(), c.alpha == 0) << "separators only while compressed";
    EXPECT_EQ(first->TextBounds, (TRect{first->Bounds.left + 5, first->Bounds.top + 4, first->Bounds.right - 5,
                                        first->Bounds.bottom - 4}));
  }
  EXPECT_TRUE(info->Tabs()->Item(7)->SeparatorBounds.IsEmpty()) << "the last tab has none without buttons after it";
}

TEST_F(RibbonViewInfo, AScrolledStripKeepsItsOffsetAcrossRelayoutsAndClampsIt) {
  AddTabs(8);
  LayOutStrip(200);
  TdxRibbonTabsViewInfo* tabs = info->Tabs();
  ASSERT_EQ(tabs->MaxScrollOffset, 231 - 200);
  tabs->ScrollBy(1000);
  LayOutStrip(200);
  EXPECT_EQ(tabs->ScrollOffset, 31);
  EXPECT_EQ(tabs->ScrollButtons, 1) << "at the end only the left button";
  EXPECT_EQ(tabs->Item(0)->Bounds.left, 8 - 31);
  tabs->ScrollBy(-10);
  LayOutStrip(200);
  EXPECT_EQ(tabs->ScrollOffset, 21);
  EXPECT_EQ(tabs->ScrollButtons, 3);
  LayOutStrip(220);
  EXPECT_EQ(tabs->ScrollOffset, 11) << "clamped to the new end";
  EXPECT_EQ(tabs->ScrollButtons, 1);
  tabs->ScrollBy(-5);
  LayOutStrip(220);
  ASSERT_EQ(tabs->ScrollButtons, 3);
  // The buttons are half the strip's height plus one wide; the tab under a button is not hit.
  const int w = info->TabScrollButtonWidth();
  ASSERT_EQ(w, 13);
  struct Hit {
    int x;
    TdxRibbonHitTest kind;
  } hits[] = {{8, rhtTabScrollLeft}, {8 + w - 1, rhtTabScrollLeft}, {8 + w, rhtTab},
              {8 + 220 - 1, rhtTabScrollRight}, {8 + 220 - w, rhtTabScrollRight}, {8 + 220 - w - 1, rhtTab}};
  for (const Hit& h : hits) EXPECT_EQ(info->HitTest(h.x, 10).Kind, h.kind) << "x " << h.x;
  tabs->MakeTabVisible(ribbon->Tabs()->TabAt(0));
  EXPECT_EQ(tabs->ScrollOffset, 0) << "the first tab scrolls fully into view";
}

TEST_F(RibbonViewInfo, ASmallFormHidesTheRibbonAndALargeEnoughOneShowsIt) {
  AddTabs(2);
  struct Case {
    int width, height;
    bool hidden;
  } cases[] = {{299, 600, true}, {300, 250, false}, {600, 249, true}, {800, 500, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
    form->SetBounds(0, 0, c.width, c.height);
    info->ComputeLayout(TRect{0, 0, c.width, 200});
    EXPECT_EQ(ribbon->Hidden(), c.hidden);
    EXPECT_EQ(info->RibbonHeight() == 0, c.hidden) << "only the caption area, empty on a plain form, stays";
    EXPECT_EQ(info->AreGroupsShown(), !c.hidden);
  }
}

TEST_F(RibbonViewInfo, TheQuickAccessToolbarSitsAboveBesideTheButtonOrBelowTheGroups) {
  AddTabs(1);
  ShowQuickAccessToolbar();
  const int groupsHeight = ribbon->GroupHeight() + 7;
  info->ComputeLayout(TRect{0, 0, 700, 300});
  ASSERT_TRUE(info->IsApplicationButtonVisible());
  const int area = ScaleToScreenPPI(42) + 2 * ScaleToScreenPPI(4);
  EXPECT_EQ(info->ApplicationButtonArea(), (TRect{0, 0, area, ScaleToScreenPPI(42) + ScaleToScreenPPI(10)}));
  // Above: 14 of overlap + 1 on the left, room for the customize mark ((22 + 2) / 2 | 1) + 12 on the right.
  EXPECT_EQ(info->GetQuickAccessMargins(), (TRect{15, 0, 25, 0}));
  EXPECT_EQ(info->QuickAccessBounds(), (TRect{area - 14, 0, area - 14 + 140, 22}));
  EXPECT_EQ(info->GetQuickAccessToolbarBounds(), (TRect{area + 1, 0, area + 101, 22}));
  EXPECT_EQ(info->Tabs()->Bounds, (TRect{area, 22, 694, 46}));
  EXPECT_EQ(info->GroupsAreaBounds(), (TRect{0, 45, 700, 45 + groupsHeight}));
  EXPECT_EQ(info->GroupsDockBounds(), (TRect{4, 3, 696, groupsHeight - 4}));
  EXPECT_EQ(info->RibbonHeight(), 45 + groupsHeight);

  ribbon->QuickAccessToolbar()->SetPosition(qtpBelowRibbon);
  info->ComputeLayout(TRect{0, 0, 700, 300});
  EXPECT_FALSE(info->IsApplicationButtonVisible()) << "below, and without the form's frame, no button";
  EXPECT_EQ(info->GetQuickAccessMargins(), (TRect{2, 2, 2, 2}));
  const int top = 24 + groupsHeight - 1;
  EXPECT_EQ(info->QuickAccessBounds(), (TRect{0, top, 700, top + 26}));
  EXPECT_EQ(info->Tabs()->Bounds, (TRect{8, 0, 694, 24}));
  EXPECT_EQ(info->RibbonHeight(), top + 26);

  ribbon->SetPopupMenuItems({});
  ribbon->QuickAccessToolbar()->SetPosition(qtpAboveRibbon);
  info->ComputeLayout(TRect{0, 0, 700, 300});
  EXPECT_EQ(info->GetQuickAccessMargins(), (TRect{15, 0, 0, 0})) << "no customize menu, no mark";
}

TEST_F(RibbonViewInfo, WithoutABarManagerTheToolbarAndTheGroupsGo) {
  AddTabs(1);
  ShowQuickAccessToolbar();
  ribbon->SetBarManager(nullptr);
  info->ComputeLayout(TRect{0, 0, 700, 300});
  EXPECT_FALSE(info->IsQuickAccessVisible());
  EXPECT_FALSE(info->AreGroupsShown());
  EXPECT_TRUE(info->GroupsAreaBounds().IsEmpty());
  EXPECT_EQ(info->RibbonHeight(), 24 + 0 + 1) << "the tab headers and a line";
}

TEST_F(RibbonViewInfo, HitTestsFindTheButtonsBeforeTheTabsAndTheApplicationButtonLast) {
  AddTabs(3);
  ShowQuickAccessToolbar();
  ribbon->OnHelpButtonClick = [](TdxCustomRibbon*) {};
  info->ComputeLayout(TRect{0, 0, 700, 300});
  ASSERT_TRUE(info->IsHelpButtonVisible());
  // The help button is the square at the right end of the tab row (the tab height less 2).
  EXPECT_EQ(info->HelpButtonBounds(), (TRect{678, 22, 700, 44}));
  EXPECT_EQ(info->Tabs()->Bounds.right, 677);
  const TRect button = info->ApplicationButtonBounds();
  const TRect firstTab = info->Tabs()->Item(0)->Bounds;
  struct Case {
    TPoint p;
    TdxRibbonHitTest kind;
    TdxRibbonTab* tab;
  } cases[] = {
      {{689, 30}, rhtHelpButton, nullptr},
      {{firstTab.left + 2, 30}, rhtTab, ribbon->Tabs()->TabAt(0)},
      {{info->Tabs()->Item(2)->Bounds.left + 1, 40}, rhtTab, ribbon->Tabs()->TabAt(2)},
      {{button.left + 5, button.top + 5}, rhtApplicationButton, nullptr},
      {{350, 100}, rhtNone, nullptr},
  };
  for (const Case& c : cases) {
    const TdxRibbonHitInfo hit = info->HitTest(c.p.x, c.p.y);
    EXPECT_EQ(hit.Kind, c.kind) << c.p.x << ", " << c.p.y;
    EXPECT_EQ(hit.Tab, c.tab) << c.p.x << ", " << c.p.y;
  }
}

TEST_F(RibbonViewInfo, AMaximisedMDIChildGetsItsButtonsAtTheRightOfTheTabRow) {
  AddTabs(1);
  ShowQuickAccessToolbar();
  ribbon->OnHelpButtonClick = [](TdxCustomRibbon*) {};
  form->SetFormStyle(fsMDIForm);
  form->Show();
  auto* child = new TForm(form, 0);
  child->SetFormStyle(fsMDIChild);
  child->SetBounds(10, 10, 300, 200);
  child->Show();
  child->SetWindowState(wsMaximized);
  window_testing::ProcessMessages();
  manager->CheckMDIState();
  ASSERT_TRUE(manager->MDIChildMaximized());
  // The ribbon has its window: it lays itself out in its client rectangle.
  const int w = ribbon->ClientWidth();
  info->ComputeLayout(ribbon->ClientRect());
  ASSERT_TRUE(info->AreMDIButtonsVisible());
  // Close at the right end of the row (22 high at the tabs' top, 22), restore and minimise before it,
  // the help button before them and the tab strip ending a pixel before that.
  EXPECT_EQ(info->MDIButtonBounds()[2], (TRect{w - 22, 22, w, 44}));
  EXPECT_EQ(info->MDIButtonBounds()[1], (TRect{w - 44, 22, w - 22, 44}));
  EXPECT_EQ(info->MDIButtonBounds()[0], (TRect{w - 66, 22, w - 44, 44}));
  EXPECT_EQ(info->HelpButtonBounds(), (TRect{w - 88, 22, w - 66, 44}));
  EXPECT_EQ(info->Tabs()->Bounds.right, w - 89);
  EXPECT_TRUE(info->Tabs()->HasButtonsAfter);
  const TdxRibbonHitTest kinds[3] = {rhtMDIMinimizeButton, rhtMDIRestoreButton, rhtMDICloseButton};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(info->HitTest(info->MDIButtonBounds()[i].left + 3, 30).Kind, kinds[i]);
  // A command the child's system menu disables shows its button disabled; restore never is.
  EXPECT_EQ(info->MDIButtonState(2), 0);
  HMENU menu = GetSystemMenu(child->Handle(), FALSE);
  EnableMenuItem(menu, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
  EnableMenuItem(menu, SC_RESTORE, MF_BYCOMMAND | MF_GRAYED);
  EXPECT_EQ(info->MDIButtonState(2), 3);
  EXPECT_EQ(info->MDIButtonState(1), 0);
}

}  // namespace
