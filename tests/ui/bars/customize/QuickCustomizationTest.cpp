// The quick-customization bar a toolbar's mark opens, in real windows: its content, the check list
// of "Add or Remove Buttons", toggling buttons, the leave timer and its frame.
#include <gtest/gtest.h>

#include <vector>

#include "tests/support/WindowTestSupport.h"
#include "tests/ui/bars/BarTestSupport.h"
#include "ui/bars/BarControl.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/Bars.h"
#include "ui/bars/customize/DesignController.h"
#include "ui/bars/customize/QuickCustomization.h"

using namespace bar_testing;
using window_testing::ProcessMessages;

namespace {

class QuickCustomization : public BarFixture {
 protected:
  void SetUp() override {
    BarFixture::SetUp();
    form->SetBounds(100, 100, 500, 300);
    form->Show();
    manager->SetStyle(bmsFlat);
    bar = manager->Bars()->Add();
    bar->SetCaption(L"Bar");
    for (const wchar_t* name : {L"One", L"Two", L"Three"}) links.push_back(bar->ItemLinks()->AddItemLink(NewItem(name)));
    bar->SetDockingStyle(dsTop);
    bar->SetVisible(true);
    ProcessMessages();
    controller = DesignControllerInstance();
  }
  void TearDown() override {
    if (bar && bar->Control()) bar->Control()->SetMarkState(0);
    ProcessMessages();
    BarFixture::TearDown();
  }
  TdxBarQuickControl* OpenQuick() {
    bar->Control()->SetMarkState(2);
    return dynamic_cast<TdxBarQuickControl*>(controller->QuickCustomizationBar());
  }
  // The add-or-remove list of the quick bar, opened as its menu with its entry controls. Another
  // test process taking the activation closes bar menus, so the bar and its menu open again until
  // the menu stands (generous limit).
  TdxBarItemLinks* OpenList(TdxBarQuickControl*& Quick) {
    for (int attempt = 0; attempt < 10; ++attempt) {
      if (!IsLiveBarControl(Quick) || controller->QuickCustomizationBar() != Quick) {
        bar->Control()->SetMarkState(0);
        Quick = OpenQuick();
        if (!Quick) return nullptr;
      }
      TdxBarItemLinks* content = Quick->ItemLinks();
      TdxBarItemLink* entry = content->LinkAt(content->Count() - 1);
      auto* item = dynamic_cast<TdxBarQuickAccessItem*>(entry->Item());
      auto* control = dynamic_cast<TdxBarSubItemControl*>(entry->ItemControl());
      if (!item || !control) return nullptr;
      if (!item->ItemLinks()->BarControl()) control->DropDownMenu(false);
      ProcessMessages();
      TdxBarItemLinks* list = item->ItemLinks();
      if (IsLiveBarControl(Quick) && list->BarControl() && list->Count() > 0 && list->LinkAt(0)->ItemControl())
        return list;
    }
    return nullptr;
  }
  TdxBar* bar = nullptr;
  std::vector<TdxBarItemLink*> links;
  TdxBarDesignController* controller = nullptr;
};

// Clicks the control by the messages its window receives.
void ClickControl(TdxBarItemControl* Control) {
  HWND window = Control->BarControl()->Handle();
  const TRect r = Control->Link()->ItemRect();
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  SendMessageW(window, WM_MOUSEMOVE, 0, at);
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(window, WM_LBUTTONUP, 0, at);
}

}  // namespace

TEST_F(QuickCustomization, TheMarkOpensABarWithTheAddOrRemoveEntryBelowIt) {
  TdxBarQuickControl* quick = OpenQuick();
  ASSERT_NE(quick, nullptr);
  EXPECT_EQ(quick->BarKind(), 1);
  EXPECT_EQ(quick->ParentBar(), bar->Control());
  EXPECT_TRUE(IsWindowVisible(quick->Handle()));
  // Every button fits the toolbar, so only the entry is there.
  ASSERT_EQ(quick->ItemLinks()->Count(), 1);
  EXPECT_EQ(quick->ItemLinks()->LinkAt(0)->Item()->Caption(), dxBarString(dxbsAddRemoveButtons));
  // Right-aligned under the mark.
  TRect mark;
  bar->Control()->MarkRect(mark);
  MapWindowPoints(bar->Control()->Handle(), nullptr, reinterpret_cast<POINT*>(&mark), 2);
  RECT w{};
  GetWindowRect(quick->Handle(), &w);
  EXPECT_EQ(w.top, mark.bottom);
  EXPECT_EQ(w.right, mark.right);
  // The mark going back to normal frees it.
  bar->Control()->SetMarkState(0);
  EXPECT_EQ(controller->QuickCustomizationBar(), nullptr);
}

TEST_F(QuickCustomization, TheListHasOneCheckedEntryPerButtonThenCustomize) {
  TdxBarQuickControl* quick = OpenQuick();
  ASSERT_NE(quick, nullptr);
  links[1]->SetVisible(false);
  TdxBarItemLinks* list = OpenList(quick);
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->Count(), 4);
  for (int i = 0; i < 3; ++i) {
    TdxBarItemLink* entry = list->LinkAt(i);
    EXPECT_EQ(reinterpret_cast<TdxBarItemLink*>(entry->Data), links[i]) << i;
    auto* control = dynamic_cast<TdxBarQuickCustItemControl*>(entry->ItemControl());
    ASSERT_NE(control, nullptr) << i;
    EXPECT_EQ(control->Caption(), links[i]->Item()->Caption()) << i;
    EXPECT_EQ(control->IsChecked(), i != 1) << i;
  }
  // Without an initial layout there is no reset entry, so "Customize..." begins the group.
  TdxBarItemLink* customize = list->LinkAt(3);
  EXPECT_EQ(customize->Item()->Caption(), dxBarString(dxbsCustomize));
  EXPECT_TRUE(Is<TdxBarQuickCustExtButton>(customize->Item()));
  EXPECT_TRUE(customize->BeginGroup());
}

TEST_F(QuickCustomization, AClickTogglesTheButtonAtOnceAndTheListStaysOpen) {
  TdxBarQuickControl* quick = OpenQuick();
  ASSERT_NE(quick, nullptr);
  TdxBarItemLinks* list = OpenList(quick);
  ASSERT_NE(list, nullptr);
  TCustomdxBarControl* menu = list->BarControl();
  ASSERT_NE(menu, nullptr);
  auto* control = dynamic_cast<TdxBarQuickCustItemControl*>(list->LinkAt(0)->ItemControl());
  ASSERT_NE(control, nullptr);
  struct Case {
    bool visibleAfter;
  } cases[] = {{false}, {true}};
  for (const Case& c : cases) {
    ClickControl(control);
    EXPECT_EQ(links[0]->Visible(), c.visibleAfter);
    EXPECT_EQ(control->IsChecked(), c.visibleAfter);
    ASSERT_TRUE(IsLiveBarControl(menu));
    EXPECT_TRUE(IsWindowVisible(menu->Handle()));
    EXPECT_EQ(controller->QuickCustomizationBar(), quick);
  }
}

TEST_F(QuickCustomization, LinksCutOffTheToolbarAreCopiedIntoTheBar) {
  bar->SetDockingStyle(dsNone);
  bar->SetFloatClientWidth(10);
  bar->SetDockingStyle(dsTop);
  form->SetBounds(100, 100, 60, 300);
  ProcessMessages();
  TdxBarQuickControl* quick = OpenQuick();
  ASSERT_NE(quick, nullptr);
  TdxBarItemLinks* content = quick->ItemLinks();
  ASSERT_GE(content->Count(), 2);
  for (int i = 0; i + 1 < content->Count(); ++i) {
    TdxBarItemLink* copy = content->LinkAt(i);
    EXPECT_NE(copy->OriginLink(), copy);
    EXPECT_TRUE(copy->OriginLink()->ItemRect().IsEmpty() || !copy->OriginLink()->ItemControl()) << i;
    EXPECT_EQ(copy->Item(), copy->OriginLink()->Item());
  }
}

TEST_F(QuickCustomization, TheLeaveTimerClosesItOnlyForASelectionInAnotherBar) {
  TdxBarQuickControl* quick = OpenQuick();
  ASSERT_NE(quick, nullptr);
  EXPECT_FALSE(quick->LeaveTimer()->Enabled());
  EXPECT_EQ(quick->LeaveTimer()->Interval(), 200u);
  // No selection: the tick leaves it open.
  manager->SetSelectedItemControl(nullptr);
  quick->LeaveTimerTick();
  ASSERT_EQ(controller->QuickCustomizationBar(), quick);
  // The selection moves to the toolbar: the timer starts, and its tick closes the bar.
  bar->Control()->SetSelected(links[0]->ItemControl());
  EXPECT_TRUE(quick->LeaveTimer()->Enabled());
  manager->SetSelectedItemControl(links[0]->ItemControl());
  quick->LeaveTimerTick();
  EXPECT_EQ(controller->QuickCustomizationBar(), nullptr);
  EXPECT_EQ(bar->Control()->MarkState(), 0);
}

TEST_F(QuickCustomization, ItHasNoCaptionAndCannotBeMovedOrSized) {
  TdxBarQuickControl* quick = OpenQuick();
  ASSERT_NE(quick, nullptr);
  RECT w{}, c{};
  GetWindowRect(quick->Handle(), &w);
  GetClientRect(quick->Handle(), &c);
  MapWindowPoints(quick->Handle(), nullptr, reinterpret_cast<POINT*>(&c), 2);
  // The frame is the painter's plain border on every side, with no caption on top.
  TdxBarPainter* painter = quick->Painter();
  EXPECT_EQ(c.top - w.top, painter->FrameHeight());
  EXPECT_EQ(c.left - w.left, painter->FrameWidth());
  struct Case {
    int x, y;
    LRESULT hit;
  } cases[] = {
      {w.left, w.top, HTBORDER},          {w.right - 1, w.bottom - 1, HTBORDER},
      {(w.left + w.right) / 2, w.top, HTBORDER}, {w.left, (w.top + w.bottom) / 2, HTBORDER},
      {(c.left + c.right) / 2, (c.top + c.bottom) / 2, HTCLIENT},
  };
  for (const Case& k : cases) {
    EXPECT_EQ(SendMessageW(quick->Handle(), WM_NCHITTEST, 0, MAKELPARAM(k.x, k.y)), k.hit) << k.x << "," << k.y;
  }
}

TEST_F(QuickCustomization, TheBarWindowsOfTheListAnswerAsQuickCustomization) {
  TdxBarQuickControl* quick = OpenQuick();
  ASSERT_NE(quick, nullptr);
  TdxBarItemLinks* list = OpenList(quick);
  ASSERT_NE(list, nullptr);
  auto* menu = dynamic_cast<TdxBarQuickAccessSubControl*>(list->BarControl());
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(menu->IsQuickCustomization());
  EXPECT_TRUE(quick->IsQuickCustomization());
  // The entry is wider than its button by the check square.
  auto* control = dynamic_cast<TdxBarQuickCustItemControl*>(list->LinkAt(0)->ItemControl());
  ASSERT_NE(control, nullptr);
  const TRect r = list->LinkAt(0)->ItemRect();
  EXPECT_GE(r.Width(), control->Height() + control->TextWidth(control->Caption()));
}
