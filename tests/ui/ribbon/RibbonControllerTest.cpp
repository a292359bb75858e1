// The ribbon's controller: scroll repeat, clicks and double clicks, the wheel and its hook rule, the
// context popup's entries and where the minimised ribbon's groups open.

#include <gtest/gtest.h>

#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/windows/Forms.h"
#include "tests/ui/ribbon/RibbonTestSupport.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/Bars.h"
#include "ui/ribbon/RibbonController.h"
#include "ui/ribbon/RibbonGroups.h"

namespace {

// A controller whose hit test answers what the test puts under the pointer, recording the tab
// strip's scroll steps.
class TTestController : public TdxRibbonController {
 public:
  using TdxRibbonController::TdxRibbonController;
  TdxRibbonHitInfo Under;
  std::vector<int> TabStripSteps;
  TdxRibbonHitInfo HitTest(const TPoint&) override { return Under; }

 protected:
  void ScrollTabStrip(int Delta) override { TabStripSteps.push_back(Delta); }
};

class RibbonControllerTest : public ribbon_testing::RibbonFormFixture {
 protected:
  void SetUp() override {
    RibbonFormFixture::SetUp();
    MakeForm(L"ControllerForm", 900);
    for (const wchar_t* caption : {L"Home", L"Edit", L"View"}) {
      TdxRibbonTab* tab = ribbon->Tabs()->Add();
      tab->SetCaption(caption);
      tabs.push_back(tab);
    }
    form->Show();
    controller.reset(new TTestController(ribbon));
  }
  void TearDown() override {
    controller.reset();
    RibbonFormFixture::TearDown();
  }
  void Under(int Kind, TdxRibbonTab* Tab = nullptr) { controller->Under = TdxRibbonHitInfo{Kind, Tab}; }
  void Tick() {
    TTimer* timer = controller->ScrollTimer();
    ASSERT_TRUE(timer->Enabled());
    SendMessageW(TTimer::TimerWindow(), WM_TIMER, timer->TimerId(), 0);
  }

  std::vector<TdxRibbonTab*> tabs;
  ObjectPtr<TTestController> controller;
};

TEST_F(RibbonControllerTest, AScrollButtonStepsAtOnceThenRepeatsWhileThePointerStaysOnIt) {
  Under(rhtTabScrollRight);
  controller->MouseDown(mbLeft, {}, 0, 0);
  EXPECT_EQ(controller->TabStripSteps, std::vector<int>{14});
  EXPECT_EQ(controller->ScrollTimer()->Interval(), 400u);
  struct Step {
    const wchar_t* name;
    int under;
    std::vector<int> steps;
  } steps[] = {
      {L"first repeat", rhtTabScrollRight, {14, 3}},
      {L"off the button: paused", rhtNone, {14, 3}},
      {L"back on it", rhtTabScrollRight, {14, 3, 3}},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.name);
    Under(s.under);
    Tick();
    EXPECT_EQ(controller->TabStripSteps, s.steps);
    EXPECT_EQ(controller->ScrollTimer()->Interval(), 20u);
  }
  controller->MouseUp(mbLeft, {}, 0, 0);
  EXPECT_FALSE(controller->ScrollTimer()->Enabled());
  EXPECT_EQ(controller->ScrollKind(), rhtNone);

  Under(rhtTabScrollLeft);
  controller->MouseDown(mbLeft, {}, 0, 0);
  controller->MouseUp(mbLeft, {}, 0, 0);
  EXPECT_EQ(controller->TabStripSteps.back(), -14) << "the left button scrolls back";
}

TEST_F(RibbonControllerTest, TheHelpButtonClicksOnlyWhenPressAndReleaseAreOnIt) {
  int clicks = 0;
  ribbon->OnHelpButtonClick = [&](TdxCustomRibbon*) { ++clicks; };
  struct Case {
    int press, release;
    int clicks;
  } cases[] = {
      {rhtHelpButton, rhtHelpButton, 1},
      {rhtHelpButton, rhtNone, 0},
      {rhtNone, rhtHelpButton, 0},
      {rhtTab, rhtHelpButton, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.press << " then " << c.release);
    clicks = 0;
    Under(c.press);
    controller->MouseDown(mbLeft, {}, 0, 0);
    Under(c.release);
    controller->MouseUp(mbLeft, {}, 0, 0);
    EXPECT_EQ(clicks, c.clicks);
    EXPECT_EQ(controller->PressedKind(), rhtNone);
  }
}

TEST_F(RibbonControllerTest, DoubleClicksCloseTheFormOrToggleTheMinimisedRibbon) {
  ASSERT_EQ(ribbon->ActiveTab(), tabs[0]);
  Under(rhtTab, tabs[0]);
  controller->MouseDown(mbLeft, {ssDouble}, 0, 0);
  EXPECT_FALSE(ribbon->ShowTabGroups()) << "the active tab's header minimises";
  controller->MouseDown(mbLeft, {ssDouble}, 0, 0);
  EXPECT_TRUE(ribbon->ShowTabGroups()) << "and restores";
  Under(rhtTab, tabs[1]);
  controller->MouseDown(mbLeft, {ssDouble}, 0, 0);
  EXPECT_EQ(ribbon->ActiveTab(), tabs[1]) << "another tab's header activates it";
  EXPECT_TRUE(ribbon->ShowTabGroups());
  Under(rhtTab, tabs[2]);
  controller->MouseDown(mbRight, {}, 0, 0);
  EXPECT_EQ(ribbon->ActiveTab(), tabs[1]) << "the right button does not change tabs";

  bool closed = false;
  form->OnClose = [&](TObject*, TCloseAction& Action) {
    closed = true;
    Action = caNone;
  };
  Under(rhtApplicationButton);
  controller->MouseDown(mbLeft, {}, 0, 0);
  controller->MouseUp(mbLeft, {}, 0, 0);
  EXPECT_FALSE(closed);
  controller->MouseDown(mbLeft, {ssDouble}, 0, 0);
  EXPECT_TRUE(closed) << "a double click on the application button closes the form";
}

TEST_F(RibbonControllerTest, TheWheelStepsThroughTheVisibleTabsAndStopsAtTheEnds) {
  tabs[1]->SetVisible(false);
  struct Step {
    bool down;
    TdxRibbonTab* active;
  } steps[] = {{true, tabs[2]}, {true, tabs[2]}, {false, tabs[0]}, {false, tabs[0]}};
  for (const Step& s : steps) {
    EXPECT_TRUE(s.down ? ribbon->Controller()->MouseWheelDown({}, TPoint{-1, -1})
                       : ribbon->Controller()->MouseWheelUp({}, TPoint{-1, -1}));
    EXPECT_EQ(ribbon->ActiveTab(), s.active);
  }
  ribbon->SetShowTabGroups(false);
  EXPECT_FALSE(ribbon->Controller()->MouseWheelDown({}, TPoint{-1, -1})) << "a minimised ribbon lets the wheel go";
  EXPECT_EQ(ribbon->ActiveTab(), tabs[0]);
}

TEST_F(RibbonControllerTest, TheHookTakesTheWheelOverARibbonOnlyWhenNoBarWindowIsActive) {
  EXPECT_TRUE(RibbonMouseHookInstalled()) << "the first ribbon window installs the hook";
  RECT r{};
  GetWindowRect(ribbon->Handle(), &r);
  MOUSEHOOKSTRUCTEX over{};
  over.pt = POINT{r.left + 200, r.top + 10};
  over.hwnd = ribbon->Handle();
  MOUSEHOOKSTRUCTEX outside = over;
  outside.pt = POINT{r.left + 200, r.bottom + 100};
  // Two notches down at once.
  over.mouseData = outside.mouseData = DWORD(MAKELONG(0, WORD(short(-240))));
  struct Case {
    const wchar_t* name;
    int code;
    WPARAM message;
    const MOUSEHOOKSTRUCTEX* data;
    int wheelMode;
    bool taken;
    TdxRibbonTab* active;
  } cases[] = {
      {L"negative code", -1, WM_MOUSEWHEEL, &over, 3, false, tabs[0]},
      {L"not the wheel", HC_ACTION, WM_MOUSEMOVE, &over, 3, false, tabs[0]},
      {L"a menu swallows it", HC_ACTION, WM_MOUSEWHEEL, &over, 0, false, tabs[0]},
      {L"an edit is editing", HC_ACTION, WM_MOUSEWHEEL, &over, 2, false, tabs[0]},
      {L"outside every ribbon", HC_ACTION, WM_MOUSEWHEEL, &outside, 3, false, tabs[0]},
      {L"over the ribbon", HC_ACTION, WM_MOUSEWHEEL, &over, 3, true, tabs[1]},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ribbon->SetActiveTab(tabs[0]);
    EXPECT_EQ(RibbonMouseHookStep(c.code, c.message, *c.data, c.wheelMode), c.taken);
    EXPECT_EQ(ribbon->ActiveTab(), c.active);
  }
  EXPECT_EQ(FindRibbon(ribbon->GroupsDockControlSite()->Handle(), false), ribbon) << "found from a child window";
  EXPECT_EQ(FindRibbon(form->Handle(), true), ribbon) << "found among the form's components";
  ribbon->SetShowTabHeaders(false);
  ribbon->SetShowTabGroups(false);
  EXPECT_EQ(FindRibbon(ribbon->Handle(), false), nullptr) << "a ribbon that shows nothing is not found";
}

TEST_F(RibbonControllerTest, TheContextPopupOffersTheEntriesOfTheSettingsAndTheRibbonState) {
  TdxBar* qat = manager->Bars()->Add();
  qat->SetName(L"QuickAccess");
  TdxBar* target = manager->Bars()->Add();
  target->SetName(L"PopupLinks");
  struct Entry {
    String caption;
    bool enabled, down, beginGroup;
    bool operator==(const Entry&) const = default;
  };
  using Items = TdxRibbonPopupMenuItems;
  struct Case {
    const wchar_t* name;
    Items items;
    bool quickAccess;
    bool below;
    bool minimised;
    std::vector<Entry> entries;
  } cases[] = {
      {L"all, no quick-access toolbar", Items{rpmiMoreCommands, rpmiQATPosition, rpmiQATAddRemoveItem, rpmiMinimizeRibbon},
       false, false, false,
       {{L"&Add to Quick Access Toolbar", false, false, false},
        {L"&More Commands...", true, false, false},
        {L"&Show Quick Access Toolbar Below the Ribbon", true, false, false},
        {L"Mi&nimize the Ribbon", true, false, true}}},
      {L"toolbar below, minimised", Items{rpmiQATAddRemoveItem, rpmiQATPosition, rpmiMinimizeRibbon}, true, true, true,
       {{L"&Add to Quick Access Toolbar", true, false, false},
        {L"&Show Quick Access Toolbar Above the Ribbon", true, false, false},
        {L"Mi&nimize the Ribbon", true, true, true}}},
      {L"tab strip: no add entry", Items{rpmiMoreCommands, rpmiQATPosition, rpmiMinimizeRibbon}, true, false, false,
       {{L"&More Commands...", true, false, false},
        {L"&Show Quick Access Toolbar Below the Ribbon", true, false, false},
        {L"Mi&nimize the Ribbon", true, false, true}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ribbon->QuickAccessToolbar()->SetToolbar(c.quickAccess ? qat : nullptr);
    ribbon->QuickAccessToolbar()->SetPosition(c.below ? qtpBelowRibbon : qtpAboveRibbon);
    ribbon->SetShowTabGroups(!c.minimised);
    BuildRibbonPopup(ribbon, target->ItemLinks(), c.items, nullptr);
    std::vector<Entry> entries;
    for (int i = 0; i < target->ItemLinks()->Count(); ++i) {
      TdxBarItemLink* link = target->ItemLinks()->LinkAt(i);
      auto* button = static_cast<TdxBarButton*>(link->Item());
      entries.push_back({button->Caption(), button->Enabled(), button->Down(), link->BeginGroup()});
    }
    EXPECT_EQ(entries.size(), c.entries.size());
    for (size_t i = 0; i < std::min(entries.size(), c.entries.size()); ++i) {
      EXPECT_EQ(entries[i].caption, c.entries[i].caption) << i;
      EXPECT_TRUE(entries[i] == c.entries[i]) << i;
    }
  }
  // The commands do what they say.
  ribbon->QuickAccessToolbar()->SetPosition(qtpAboveRibbon);
  ribbon->SetShowTabGroups(true);
  BuildRibbonPopup(ribbon, target->ItemLinks(), Items{rpmiQATPosition, rpmiMinimizeRibbon}, nullptr);
  for (int i = 0; i < target->ItemLinks()->Count(); ++i)
    RibbonPopupCommand(ribbon, static_cast<TdxBarButton*>(target->ItemLinks()->LinkAt(i)->Item()));
  EXPECT_EQ(ribbon->QuickAccessToolbar()->Position(), qtpBelowRibbon);
  EXPECT_FALSE(ribbon->ShowTabGroups());
  ribbon->ClearPopupButtons();
  EXPECT_EQ(target->ItemLinks()->Count(), 0) << "freed buttons take their links along";
}

TEST_F(RibbonControllerTest, TheMinimisedRibbonsGroupsOpenBelowTheTabsOrAboveWhenTheWorkAreaEnds) {
  const TRect ribbonRect{100, 50, 900, 250};
  struct Case {
    const wchar_t* name;
    TRect workArea;
    TRect expected;
  } cases[] = {
      {L"below", TRect{0, 0, 1280, 1024}, TRect{100, 50 + 24, 900, 50 + 24 + 100}},
      {L"clipped at the sides", TRect{150, 0, 800, 1024}, TRect{150, 74, 800, 174}},
      {L"above: the work area ends first", TRect{0, 0, 1280, 150}, TRect{100, 50 - 100, 900, 50}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(RibbonTabGroupsPopupBounds(ribbonRect, 25, 0, 100, c.workArea), c.expected);
  }
}

TEST_F(RibbonControllerTest, AMinimisedRibbonShowsItsGroupsInAPopupAndTakesTheSiteBack) {
  TdxBar* bar = manager->Bars()->Add();
  bar->SetName(L"Clipboard");
  bar->SetCaption(L"Clipboard");
  auto* button = new TdxBarButton(form);
  button->SetCaption(L"Paste");
  bar->ItemLinks()->AddItemLink(button);
  bar->SetVisible(true);
  tabs[0]->Groups()->Add()->SetToolBar(bar);
  ribbon->SetShowTabGroups(false);
  TdxRibbonGroupsDockControlSite* site = ribbon->GroupsDockControlSite();
  Under(rhtTab, tabs[0]);
  controller->MouseDown(mbLeft, {}, 0, 0);
  controller->MouseUp(mbLeft, {}, 0, 0);
  ASSERT_TRUE(ribbon->TabGroupsPopupShowing());
  TdxRibbonTabGroupsPopupWindow* popup = ribbon->TabGroupsPopup();
  EXPECT_EQ(site->Parent(), popup);
  EXPECT_EQ(site->BoundsRect(), popup->ClientRect());
  EXPECT_TRUE(tabs[0]->GroupsDockControl()->Visible());
  EXPECT_TRUE(popup->Shadow()->Visible());
  auto* groupBar = dynamic_cast<TdxRibbonGroupBarControl*>(bar->Control());
  ASSERT_NE(groupBar, nullptr);
  EXPECT_FALSE(groupBar->ItemLinks()->ShowableLinkAt(0)->ItemRect().IsEmpty()) << "the groups are laid out";
  controller->MouseDown(mbLeft, {}, 0, 0);
  EXPECT_TRUE(ribbon->TabGroupsPopupShowing()) << "a second click on the tab leaves the popup open";
  popup->ClosePopup();
  EXPECT_FALSE(ribbon->TabGroupsPopupShowing());
  EXPECT_EQ(site->Parent(), ribbon) << "the site goes back";
  EXPECT_FALSE(popup->Shadow()->Visible());
}

}  // namespace

namespace {

TEST_F(RibbonControllerTest, TheMDIButtonsCommandTheFormsActiveChildAndDoNothingWithoutOne) {
  Under(rhtMDICloseButton);
  controller->MouseDown(mbLeft, {}, 0, 0);
  controller->MouseUp(mbLeft, {}, 0, 0);  // no MDI client: nothing happens

  auto* frame = new TForm(nullptr, 0);
  frame->SetName(L"Frame");
  frame->SetFormStyle(fsMDIForm);
  frame->SetBounds(40, 40, 700, 500);
  auto* frameRibbon = new TdxRibbon(frame);
  frameRibbon->SetParent(frame);
  frameRibbon->Tabs()->Add();
  frame->Show();
  ObjectPtr<TTestController> frameController(new TTestController(frameRibbon));
  auto* child = new TForm(frame, 0);
  child->SetFormStyle(fsMDIChild);
  child->SetBounds(10, 10, 300, 200);
  child->Show();
  struct Case {
    int kind;
    bool iconic, zoomed;
  } cases[] = {{rhtMDIMinimizeButton, true, false}, {rhtMDIRestoreButton, false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    ShowWindow(child->Handle(), SW_MAXIMIZE);
    frameController->Under = TdxRibbonHitInfo{c.kind, nullptr};
    frameController->MouseDown(mbLeft, {}, 0, 0);
    frameController->MouseUp(mbLeft, {}, 0, 0);
    EXPECT_EQ(bool(IsIconic(child->Handle())), c.iconic);
    EXPECT_EQ(bool(IsZoomed(child->Handle())), c.zoomed);
  }
  bool closing = false;
  child->OnClose = [&](TObject*, TCloseAction& Action) {
    closing = true;
    Action = caNone;
  };
  frameController->Under = TdxRibbonHitInfo{rhtMDICloseButton, nullptr};
  frameController->MouseDown(mbLeft, {}, 0, 0);
  frameController->MouseUp(mbLeft, {}, 0, 0);
  EXPECT_TRUE(closing);
  frameController.reset();
  FreeAndNil(frame);
}

}  // namespace
