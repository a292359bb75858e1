// Fitting a tab's groups over fake groups: stage order, right to left, stopping once they fit,
// collapsed groups and their changes, finishing on an error; the scroll state; the launcher square.

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/ribbon/GroupsFitting.h"

namespace {

constexpr int kSpacing = 2;

// A group that narrows by fixed amounts: Columns gallery-column steps, one gallery collapse and
// Reductions[s - 1] steps of each item stage s, Step pixels each; collapsed it is 40 wide.
struct FakeGroup : IdxRibbonFittedGroup {
  FakeGroup(std::string AName, int ABase, std::vector<std::string>* ALog) : name(std::move(AName)), base(ABase), log(ALog) {}

  void PrepareCalculation() override {
    collapsed = false;
    taken = 0;
    columns = gallery = 0;
    for (int& r : reduced) r = 0;
    ++prepared;
  }
  void ComputeLayout() override { ++computed; }
  void InitReductionPass() override { ++reductionPasses; }
  bool DecreaseMultiColumnItemColumnCount() override { return Step(columns, maxColumns, "columns"); }
  bool CollapseMultiColumnItem() override { return Step(gallery, hasGallery ? 1 : 0, "gallery"); }
  bool ReduceItemControlsViewLevel(int Stage) override {
    if (Stage == failingStage) throw std::runtime_error("step failed");
    return Step(reduced[Stage - 1], reductions[Stage - 1], "stage " + std::to_string(Stage));
  }
  void Collapse() override {
    collapsed = true;
    log->push_back(name + " collapsed");
  }
  void FinishCalculation() override { ++finished; }
  bool Collapsed() const override { return collapsed; }
  bool CanCollapse() const override { return canCollapse; }
  int Width() const override { return collapsed ? 40 : base - taken * 10; }

  bool Step(int& done, int available, const std::string& what) {
    if (done >= available) return false;
    ++done;
    ++taken;
    log->push_back(name + " " + what);
    return true;
  }

  std::string name;
  int base;
  std::vector<std::string>* log;
  int maxColumns = 0;
  bool hasGallery = false;
  int reductions[3] = {};
  bool canCollapse = true;
  int failingStage = 0;
  bool collapsed = false;
  int taken = 0, columns = 0, gallery = 0, reduced[3] = {};
  int prepared = 0, computed = 0, reductionPasses = 0, finished = 0;
};

struct Groups {
  std::vector<std::string> log;
  std::vector<std::unique_ptr<FakeGroup>> owned;
  std::vector<IdxRibbonFittedGroup*> list;
  FakeGroup* Add(const std::string& name, int width) {
    owned.push_back(std::make_unique<FakeGroup>(name, width, &log));
    list.push_back(owned.back().get());
    return owned.back().get();
  }
  std::vector<TdxRibbonGroupCollapseChange> Fit(int width) {
    log.clear();
    return FitRibbonGroups(list, width, kSpacing);
  }
};

using Log = std::vector<std::string>;

TEST(GroupsFitting, GroupsThatFitAreOnlyLaidOut) {
  Groups g;
  g.Add("A", 100)->maxColumns = 3;
  g.Add("B", 100);
  EXPECT_TRUE(g.Fit(202).empty());
  EXPECT_TRUE(g.log.empty());
  for (auto& group : g.owned) {
    EXPECT_EQ(group->prepared, 1);
    EXPECT_EQ(group->computed, 1);
    EXPECT_EQ(group->reductionPasses, 0);
    EXPECT_EQ(group->finished, 1);
  }
  EXPECT_EQ(RibbonGroupsTotalWidth(g.list, kSpacing), 202);
  EXPECT_TRUE(RibbonGroupsFitIn(g.list, 202, kSpacing));
  EXPECT_FALSE(RibbonGroupsFitIn(g.list, 201, kSpacing));
}

TEST(GroupsFitting, StagesRunInOrderFromTheRightmostGroupUntilTheGroupsFit) {
  struct Case {
    int width;
    Log steps;
  };
  const Case cases[] = {
      {192, {"B columns"}},
      {185, {"B columns", "A columns"}},
      {165, {"B columns", "A columns", "B gallery", "A gallery"}},
      {150, {"B columns", "A columns", "B gallery", "A gallery", "B stage 1", "B stage 1"}},
      // Stage 1 in every group before stage 2 in any.
      {105, {"B columns", "A columns", "B gallery", "A gallery", "B stage 1", "B stage 1", "A stage 1", "B stage 2",
             "A stage 2", "B stage 3"}},
  };
  for (const Case& c : cases) {
    Groups g;
    for (const char* name : {"A", "B"}) {
      FakeGroup* group = g.Add(name, 100);
      group->maxColumns = 1;
      group->hasGallery = true;
      group->reductions[0] = name == std::string("A") ? 1 : 2;
      group->reductions[1] = 1;
      group->reductions[2] = 1;
    }
    EXPECT_TRUE(g.Fit(c.width).empty()) << c.width;
    EXPECT_EQ(g.log, c.steps) << c.width;
    EXPECT_TRUE(RibbonGroupsFitIn(g.list, c.width, kSpacing)) << c.width;
    EXPECT_EQ(g.owned[0]->reductionPasses, 1);
  }
}

TEST(GroupsFitting, GroupsCollapseFromTheRightOnceEachAndReportTheirChanges) {
  Groups g;
  g.Add("A", 100);
  g.Add("B", 100)->canCollapse = false;
  g.Add("C", 100);
  // 302 wide: C collapses (242), then A (182); B may not.
  auto changes = g.Fit(190);
  EXPECT_EQ(g.log, (Log{"C collapsed", "A collapsed"}));
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[0].Index, 0);
  EXPECT_TRUE(changes[0].Collapsed);
  EXPECT_EQ(changes[1].Index, 2);

  // Still too narrow: nothing more to do (the groups scroll instead).
  changes = g.Fit(100);
  EXPECT_EQ(g.log, (Log{"C collapsed", "A collapsed"}));
  EXPECT_TRUE(changes.empty());

  // Wider again: only the group that expanded is reported.
  changes = g.Fit(250);
  EXPECT_EQ(g.log, (Log{"C collapsed"}));
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].Index, 0);
  EXPECT_FALSE(changes[0].Collapsed);
}

TEST(GroupsFitting, AFailingStepStillFinishesEveryGroup) {
  Groups g;
  g.Add("A", 100);
  g.Add("B", 100)->failingStage = 1;
  EXPECT_THROW(g.Fit(100), std::runtime_error);
  for (auto& group : g.owned) EXPECT_EQ(group->finished, 1);
}

TEST(GroupsFitting, ScrollButtonsFollowTheWidthAndTheScrollPosition) {
  using B = TdxRibbonGroupsScrollButtons;
  const B none{}, left{rgsbLeft}, right{rgsbRight}, both{rgsbLeft, rgsbRight};
  struct Case {
    B before;
    int position, width, total;
    B after;
    int afterPosition;
  };
  const Case updates[] = {
      {both, -30, 300, 300, none, 0},    // everything fits
      {none, 0, 200, 300, right, 0},     // too wide: the right button appears
      {right, 0, 200, 300, right, 0},
      {left, -100, 250, 300, left, -50}, // scrolled to the end and widened: stays at the end
      {both, -30, 280, 300, left, -20},  // the end came into view
      {both, -30, 200, 300, both, -30},
  };
  for (const Case& c : updates) {
    TdxRibbonGroupsScrollInfo info{c.before, c.position};
    info.UpdateScrollButtons(c.width, c.total);
    EXPECT_EQ(info.ScrollButtons, c.after) << c.position << " " << c.width;
    EXPECT_EQ(info.ScrollPosition, c.afterPosition) << c.position << " " << c.width;
  }

  struct ScrollCase {
    int position, delta, width, total;
    int afterPosition;
    B after;
  };
  const ScrollCase scrolls[] = {
      {0, -10, 200, 300, -10, both},
      {-95, -10, 200, 300, -100, left},  // never past the last group
      {-5, 10, 200, 300, 0, right},      // never right of the first
      {0, -10, 300, 250, 0, none},       // everything fits: stays at the start
  };
  for (const ScrollCase& c : scrolls) {
    TdxRibbonGroupsScrollInfo info{right, c.position};
    info.Scroll(c.delta, c.width, c.total);
    EXPECT_EQ(info.ScrollPosition, c.afterPosition) << c.position << " " << c.delta;
    EXPECT_EQ(info.ScrollButtons, c.after) << c.position << " " << c.delta;
  }
  TdxRibbonGroupsScrollInfo info{right, 0};
  info.ScrollStep(true, 200, 300);
  EXPECT_EQ(info.ScrollPosition, -10);
  info.ScrollStep(false, 200, 300);
  EXPECT_EQ(info.ScrollPosition, 0);
}

TEST(GroupsFitting, LauncherGlyphSquareRoundsHalvesToEven) {
  const std::pair<int, int> cases[] = {{10, 12}, {16, 12}, {22, 22}, {34, 22}, {40, 33}, {46, 44}, {58, 44}, {64, 55}};
  for (auto [caption, side] : cases) EXPECT_EQ(RibbonLauncherGlyphSide(caption), side) << caption;
}

}  // namespace
