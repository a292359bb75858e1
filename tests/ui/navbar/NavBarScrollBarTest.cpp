// The scroll-bar wrapper: its control, its range rules and clamped position, and the scroll codes.

#include <gtest/gtest.h>

#include "NavBarTestSupport.h"
#include "ui/navbar/NavBarScrollBar.h"

using namespace navbar_testing;

namespace {

using NavBarScrollBar = NavBarFixture;

TEST_F(NavBarScrollBar, ControlFromThePainterHiddenOnTheBar) {
  TdxNavBarScrollBar* wrapper = bar->ScrollBar();
  ASSERT_NE(wrapper->Control(), nullptr);
  EXPECT_EQ(wrapper->Control()->ClassType(), &TcxControlScrollBar::ClassInfo());
  EXPECT_EQ(wrapper->Control()->Parent(), bar);
  EXPECT_EQ(wrapper->Control()->Kind(), sbVertical);
  EXPECT_FALSE(wrapper->Control()->Visible());
  EXPECT_EQ(wrapper->ScrollParams().cbSize, 28u);
  EXPECT_EQ(wrapper->ScrollParams().fMask, 23u);
  EXPECT_EQ(wrapper->Max(), 100);
  // Shown, it takes its width from the bar's client; a new painter hides it.
  const int width = bar->ClientWidth();
  wrapper->SetVisible(true);
  EXPECT_TRUE(wrapper->Control()->Visible());
  EXPECT_EQ(bar->ClientWidth(), width - GetSystemMetrics(SM_CXVSCROLL));
  bar->SetView(kOtherTestView);
  EXPECT_FALSE(wrapper->Visible());
  EXPECT_FALSE(wrapper->Control()->Visible());
}

TEST_F(NavBarScrollBar, RangeRulesAndClampedPosition) {
  TdxNavBarScrollBar* wrapper = bar->ScrollBar();
  wrapper->SetScrollParams(0, 50, true, 10, 5);
  for (auto [min, max, page] : {std::tuple{0, 10, 20}, std::tuple{10, 5, 0}}) {
    try {
      wrapper->SetScrollParams(min, max, true, page, 0);
      ADD_FAILURE() << "no error for " << min << ".." << max << " page " << page;
    } catch (const EInvalidOperation& e) {
      EXPECT_EQ(e.Message(), L"Scrollbar property out of range");
    }
    EXPECT_EQ(wrapper->Max(), 50);
    EXPECT_EQ(wrapper->Page(), 10);
    EXPECT_EQ(wrapper->Position(), 5);
  }
  wrapper->SetScrollParams(0, 100, true, 10, 95);
  EXPECT_EQ(wrapper->Position(), 90);
  EXPECT_EQ(wrapper->PageStep(), 10);
  EXPECT_EQ(wrapper->Control()->Position(), 90);
  EXPECT_EQ(wrapper->Control()->PageSize(), 10);
  wrapper->SetPosition(-4);
  EXPECT_EQ(wrapper->Position(), 0);
}

TEST_F(NavBarScrollBar, ScrollCodesStepAndReport) {
  TdxNavBarScrollBar wrapper(bar, sbVertical);  // without a control
  std::vector<std::pair<TScrollCode, int>> reports;
  wrapper.OnScroll = [&](TObject*, TScrollCode code, int& position) { reports.emplace_back(code, position); };
  wrapper.SetScrollParams(0, 100, true, 20, 40);
  int position = 0;
  wrapper.Scroll(nullptr, scLineDown, position);  // line step 0: no move, still reported
  EXPECT_EQ(position, 40);
  ASSERT_EQ(reports.size(), 1u);
  wrapper.SetLineStep(5);
  struct Case {
    TScrollCode Code;
    int Given, Position;
  };
  for (const Case& c : {Case{scLineDown, 0, 45}, Case{scLineUp, 0, 40}, Case{scPageDown, 0, 60},
                        Case{scPageDown, 0, 80}, Case{scPageDown, 0, 80}, Case{scPageUp, 0, 60}, Case{scTop, 0, 0},
                        Case{scBottom, 0, 80}, Case{scTrack, 33, 33}, Case{scPosition, 120, 80}}) {
    position = c.Given;
    wrapper.Scroll(nullptr, c.Code, position);
    EXPECT_EQ(wrapper.Position(), c.Position) << c.Code;
    EXPECT_EQ(position, c.Position) << c.Code;
  }
  EXPECT_EQ(reports.size(), 11u);
}

}  // namespace
