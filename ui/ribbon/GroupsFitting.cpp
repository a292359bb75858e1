#include "ui/ribbon/GroupsFitting.h"

#include <algorithm>

int RibbonGroupsTotalWidth(const std::vector<IdxRibbonFittedGroup*>& Groups, int Spacing) {
  int total = 0;
  for (IdxRibbonFittedGroup* group : Groups) total += group->Width();
  return Groups.empty() ? 0 : total + Spacing * (int(Groups.size()) - 1);
}

bool RibbonGroupsFitIn(const std::vector<IdxRibbonFittedGroup*>& Groups, int Width, int Spacing) {
  int x = 0;
  for (IdxRibbonFittedGroup* group : Groups) {
    x += group->Width();
    if (x > Width) return false;
    x += Spacing;
  }
  return true;
}

namespace {

// One stage: the groups from the rightmost, each repeating Step while it succeeds and the groups
// still do not fit. Answers whether they fit.
template <class StepFn>
bool RunStage(const std::vector<IdxRibbonFittedGroup*>& Groups, int Width, int Spacing, StepFn Step) {
  for (int i = int(Groups.size()) - 1; i >= 0; --i) {
    while (!RibbonGroupsFitIn(Groups, Width, Spacing)) {
      if (!Step(Groups[i])) break;
    }
    if (RibbonGroupsFitIn(Groups, Width, Spacing)) return true;
  }
  return RibbonGroupsFitIn(Groups, Width, Spacing);
}

void Reduce(const std::vector<IdxRibbonFittedGroup*>& Groups, int Width, int Spacing) {
  for (IdxRibbonFittedGroup* group : Groups) group->ComputeLayout();
  if (RibbonGroupsFitIn(Groups, Width, Spacing)) return;
  for (IdxRibbonFittedGroup* group : Groups) group->InitReductionPass();
  if (RunStage(Groups, Width, Spacing, [](IdxRibbonFittedGroup* g) { return g->DecreaseMultiColumnItemColumnCount(); }))
    return;
  if (RunStage(Groups, Width, Spacing, [](IdxRibbonFittedGroup* g) { return g->CollapseMultiColumnItem(); })) return;
  for (int stage = 1; stage <= 3; ++stage)
    if (RunStage(Groups, Width, Spacing, [stage](IdxRibbonFittedGroup* g) { return g->ReduceItemControlsViewLevel(stage); }))
      return;
  // Whole groups, once each: collapsing is not repeated.
  RunStage(Groups, Width, Spacing, [](IdxRibbonFittedGroup* g) {
    if (g->CanCollapse() && !g->Collapsed()) g->Collapse();
    return false;
  });
}

}  // namespace

std::vector<TdxRibbonGroupCollapseChange> FitRibbonGroups(const std::vector<IdxRibbonFittedGroup*>& Groups, int Width,
                                                          int Spacing) {
  std::vector<bool> previous;
  previous.reserve(Groups.size());
  for (IdxRibbonFittedGroup* group : Groups) previous.push_back(group->Collapsed());
  for (IdxRibbonFittedGroup* group : Groups) group->PrepareCalculation();
  try {
    Reduce(Groups, Width, Spacing);
  } catch (...) {
    for (IdxRibbonFittedGroup* group : Groups) group->FinishCalculation();
    throw;
  }
  for (IdxRibbonFittedGroup* group : Groups) group->FinishCalculation();

  std::vector<TdxRibbonGroupCollapseChange> changes;
  for (int i = 0; i < int(Groups.size()); ++i)
    if (Groups[i]->Collapsed() != previous[i]) changes.push_back({i, Groups[i]->Collapsed()});
  return changes;
}

void TdxRibbonGroupsScrollInfo::UpdateScrollButtons(int Width, int TotalWidth) {
  const TdxRibbonGroupsScrollButtons left{rgsbLeft}, right{rgsbRight}, both{rgsbLeft, rgsbRight};
  if (Width >= TotalWidth) {
    ScrollButtons = {};
    ScrollPosition = 0;
  } else if (ScrollButtons == TdxRibbonGroupsScrollButtons{}) {
    ScrollButtons = right;
  } else if (ScrollButtons == left) {
    ScrollPosition = Width - TotalWidth;
  } else if (ScrollButtons == both && Width >= TotalWidth + ScrollPosition) {
    ScrollButtons = left;
    ScrollPosition = Width - TotalWidth;
  }
}

void TdxRibbonGroupsScrollInfo::Scroll(int Delta, int Width, int TotalWidth) {
  // Never past the last group, and never right of the first one (also when everything fits).
  ScrollPosition = std::min(0, std::max(ScrollPosition + Delta, Width - TotalWidth));
  ScrollButtons = {};
  if (ScrollPosition < 0) ScrollButtons.Include(rgsbLeft);
  if (Width < TotalWidth + ScrollPosition) ScrollButtons.Include(rgsbRight);
}

int RibbonLauncherGlyphSide(int CaptionHeight) {
  // (CaptionHeight - 4) / 12 at least 1, rounded to the nearest whole number and halves to the even
  // neighbour (a 34-pixel caption: 2.5 -> 2), in integers so no rounding mode is involved.
  const int units = CaptionHeight - 4;
  int n = 1;
  if (units > 12) {
    n = units / 12;
    const int twice = 2 * (units % 12);
    if (twice > 12 || (twice == 12 && n % 2 == 1)) ++n;
  }
  return n < 2 ? 12 * n : 11 * n;
}
