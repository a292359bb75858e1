#pragma once
// Helpers of the navigation bar's tests: a test painter and view info registered under view IDs no
// real view uses, a painter that records its drawing steps, and a fixture with a form-like root
// owning one bar.

#include <gtest/gtest.h>

#include <vector>

#include "platform/framework/rtl/SysUtils.h"
#include "ui/navbar/NavBar.h"
#include "ui/navbar/NavBarController.h"
#include "ui/navbar/NavBarItems.h"
#include "ui/navbar/NavBarPainter.h"

namespace navbar_testing {

// The two test views, registered for the whole run by the test environment.
constexpr int kTestView = 1000;
constexpr int kOtherTestView = 1001;

// A view info whose view answers tests set through its painter's Metrics.
struct TestMetrics {
  bool CanCollapse = false;
  int CollapsedWidth = 40;
  int MinExpandedWidth = 80;
  bool ShowsActiveGroup = true;
  bool LinkHitWholeRow = false;
  bool FitActiveGroup = false;
  bool AllGroupsShowLinks = false;
};

class TTestViewInfo : public TdxNavBarViewInfo {
  DECLARE_CLASS(TTestViewInfo, TdxNavBarViewInfo)
 public:
  TTestViewInfo(TdxNavBarPainter* APainter, TestMetrics& AMetrics) : TdxNavBarViewInfo(APainter), metrics_(AMetrics) {}
  bool CanCollapse() override { return metrics_.CanCollapse; }
  int CollapsedWidth() override { return metrics_.CollapsedWidth; }
  int MinExpandedWidth() override { return metrics_.MinExpandedWidth; }
  bool ShowsActiveGroup() override { return metrics_.ShowsActiveGroup; }
  bool LinkHitWholeRow() override { return metrics_.LinkHitWholeRow; }
  bool GroupShowsLinks(TdxNavBarGroup* AGroup) override {
    return metrics_.AllGroupsShowLinks || TdxNavBarViewInfo::GroupShowsLinks(AGroup);
  }
  // The base view's fitting: the active group takes what the client has left (its links scrolled),
  // the groups below it move, then the scroll buttons are placed.
  void FitGroups() override;
  // A click on a group caption activates the group (as the base view does).
  void OpenGroup(TdxNavBarGroup* AGroup) override { NavBar()->SetActiveGroup(AGroup); }

 private:
  TestMetrics& metrics_;
};

// Records the drawing steps it is asked for, then draws as the base does.
class TTestPainter : public TdxNavBarPainter {
  DECLARE_CLASS(TTestPainter, TdxNavBarPainter)
 public:
  explicit TTestPainter(TdxCustomNavBar* ANavBar) : TdxNavBarPainter(ANavBar) {}
  ~TTestPainter() override { ++Destroyed; }
  // Test painters destroyed so far.
  static inline int Destroyed = 0;
  TdxNavBarViewInfo* CreateViewInfo() override { return new TTestViewInfo(this, Metrics); }
  TestMetrics Metrics;
  std::vector<String> Calls;

  void DrawBackground() override;
  void DrawGroupBackground(TdxNavBarGroupViewInfo* AGroup) override;
  void DrawGroupCaption(TdxNavBarGroupViewInfo* AGroup) override;
  void DrawGroupItems(TdxNavBarGroupViewInfo* AGroup) override;
  void DrawGroupFocusRect(TdxNavBarGroupViewInfo* AGroup) override;
  void DrawLink(TdxNavBarLinkViewInfo* ALink) override;
  void DrawLinkSelection(TdxNavBarLinkViewInfo* ALink) override;
  void DrawLinkImage(TdxNavBarLinkViewInfo* ALink) override;
  void DrawLinkCaption(TdxNavBarLinkViewInfo* ALink) override;
  void DrawLinkFocusRect(TdxNavBarLinkViewInfo* ALink) override;
  void DrawScrollButtons() override;
  void DrawDropTargetGroupSelection() override;
  void DrawDropTargetLinkSelection() override;
};

// The same painter under a second class (the second test view).
class TOtherTestPainter : public TTestPainter {
  DECLARE_CLASS(TOtherTestPainter, TTestPainter)
 public:
  using TTestPainter::TTestPainter;
};

// Adds a group to the bar with n links to new items "<caption>1".."<caption>n".
inline TdxNavBarGroup* AddGroupWithLinks(TdxCustomNavBar* bar, const String& caption, int links) {
  TdxNavBarGroup* group = bar->Groups()->Add();
  group->SetCaption(caption);
  for (int i = 1; i <= links; ++i) {
    TdxNavBarItem* item = bar->Items()->AddNewItem();
    item->SetCaption(caption + IntToStr(i));
    group->AddLinkForItem(item);
  }
  return group;
}

// A root component (as a form would be) owning one bar named "dxNavBar1" of the first test view.
class NavBarFixture : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  TTestPainter* Painter() { return static_cast<TTestPainter*>(bar->Painter()); }
  TdxNavBarGroup* AddGroup(const String& caption, int links = 0) { return AddGroupWithLinks(bar, caption, links); }
  // Recreates and lays out the view infos as a paint would.
  void Layout();

  TComponent* root = nullptr;
  TdxNavBar* bar = nullptr;
};

}  // namespace navbar_testing
