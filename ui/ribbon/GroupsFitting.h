#pragma once
// Making the groups of a tab fit the ribbon's width: each group is laid out in full, and while the
// groups do not fit they are made narrower step by step (gallery columns, collapsed galleries,
// smaller items, whole groups collapsed); what still does not fit scrolls. The groups dock's view
// info runs this over its group bars' view infos; tests run it over fakes.

#include <vector>

#include "platform/framework/classes/Object.h"

// A group bar's view info as the fitting of a tab's groups sees it.
class IdxRibbonFittedGroup {
 public:
  // Starts a layout pass: expanded, its items at their largest.
  virtual void PrepareCalculation() = 0;
  virtual void ComputeLayout() = 0;
  virtual void InitReductionPass() = 0;
  virtual bool DecreaseMultiColumnItemColumnCount() = 0;
  virtual bool CollapseMultiColumnItem() = 0;
  virtual bool ReduceItemControlsViewLevel(int Stage) = 0;
  // Shown as a single button from now on, and laid out again.
  virtual void Collapse() = 0;
  virtual void FinishCalculation() = 0;
  virtual bool Collapsed() const = 0;
  // Whether its tab group lets it collapse.
  virtual bool CanCollapse() const = 0;
  virtual int Width() const = 0;

 protected:
  ~IdxRibbonFittedGroup() = default;
};

// The groups side by side with Spacing between them.
int RibbonGroupsTotalWidth(const std::vector<IdxRibbonFittedGroup*>& Groups, int Spacing);
// Every group's right edge, with Spacing after each, is at most Width.
bool RibbonGroupsFitIn(const std::vector<IdxRibbonFittedGroup*>& Groups, int Width, int Spacing);

// A group whose collapsed state a fitting changed.
struct TdxRibbonGroupCollapseChange {
  int Index = 0;
  bool Collapsed = false;
};

// Lays the groups out to fit Width: every group prepared and computed; when they do not fit, every
// reduction pass begun and the stages run in order (gallery columns, galleries collapsed, items made
// smaller by stages 1, 2 and 3, groups that may collapse collapsed), each taking the groups from the
// rightmost, a group repeating its step while it succeeds and the groups still do not fit, stopping
// as soon as they fit. Every group's calculation is finished, also when a step raises (the error
// then passes on). Answers the groups whose collapsed state changed, in order.
std::vector<TdxRibbonGroupCollapseChange> FitRibbonGroups(const std::vector<IdxRibbonFittedGroup*>& Groups, int Width,
                                                          int Spacing);

enum TdxRibbonGroupsScrollButton { rgsbLeft, rgsbRight };
using TdxRibbonGroupsScrollButtons = TSet<TdxRibbonGroupsScrollButton>;

// The groups' scroll buttons and how far the groups are scrolled left (0 or negative).
struct TdxRibbonGroupsScrollInfo {
  TdxRibbonGroupsScrollButtons ScrollButtons;
  int ScrollPosition = 0;

  // After a relayout: Width of the dock against the groups' TotalWidth.
  void UpdateScrollButtons(int Width, int TotalWidth);
  // Moves by Delta (positive scrolls toward the first group), kept between Width - TotalWidth and 0.
  void Scroll(int Delta, int Width, int TotalWidth);
  // One press of a scroll button: 10 pixels.
  void ScrollStep(bool ToRight, int Width, int TotalWidth) { Scroll(ToRight ? -10 : 10, Width, TotalWidth); }
};

// The side of the square a dialog launcher's glyph is centred in on a caption of CaptionHeight:
// 12 x n for n < 2, else 11 x n, where n = (CaptionHeight - 4) / 12 (at least 1) rounded half to even.
int RibbonLauncherGlyphSide(int CaptionHeight);
