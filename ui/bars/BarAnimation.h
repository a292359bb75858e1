#pragma once
// The worker that unfolds or slides a menu window open. The menu is painted once into a memory
// bitmap on the GUI thread; the worker then grows the window step by step from the side that opened
// it, moving what is already on screen and copying only the newly uncovered strips. The last step
// (the final bounds, a normal repaint) runs on the GUI thread.

#include <windows.h>

#include "platform/framework/classes/Thread.h"
#include "platform/framework/graphics/Graphics.h"
#include "ui/bars/BarTypes.h"

class TdxBarSubMenuControl;

// What the menu hands the worker when it opens animated.
struct TdxBarAnimationRecord {
  TdxBarSubMenuControl* Menu = nullptr;
  int FinalLeft = 0, FinalTop = 0;
  int FinalClientWidth = 0, FinalClientHeight = 0;
  // Window size minus client size.
  int FrameWidth = 0, FrameHeight = 0;
  // The right (bottom) edge stays fixed and the left (top) edge moves.
  bool GrowsLeftwards = false, GrowsUpwards = false;
  TdxBarMenuAnimations Kind = maUnfold;
  // The client rectangle drawn by the previous step.
  TRect PreviousClientRect{};
  // Unfold: client height − client width; slide: 0.
  int StartOffset = 0;
  // The whole growth and the growth per step.
  int Distance = 0;
  int StepSize = 0;
};

// The record of a menu placed at (Left, Top) with the client size and frame size, opened with the
// preferred directions and flips: unfold grows both sides 8 pixels a step keeping their difference,
// slide grows the height 17 pixels a step.
TdxBarAnimationRecord MakeAnimationRecord(TdxBarMenuAnimations Kind, int Left, int Top, int ClientWidth,
                                          int ClientHeight, int FrameWidth, int FrameHeight, int HorzDirection,
                                          int VertDirection, bool FlippedX, bool FlippedY);
// The whole steps the worker draws (the rest of the distance is settled by the finishing step).
inline int AnimationStepCount(const TdxBarAnimationRecord& R) { return R.StepSize > 0 ? R.Distance / R.StepSize : 0; }
// The client size at step Index (1-based); CurrentClientWidth is the slide's full width.
TSize AnimationStepSize(const TdxBarAnimationRecord& R, int Index, int CurrentClientWidth);

class TdxBarAnimationThread : public TThread {
  DECLARE_CLASS(TdxBarAnimationThread, TThread)
 public:
  // On the GUI thread: suspended, freeing itself when it ends on its own, with the menu painted into
  // its memory bitmap.
  explicit TdxBarAnimationThread(const TdxBarAnimationRecord& Record);
  ~TdxBarAnimationThread() override;

  const TdxBarAnimationRecord& Record() const { return record_; }
  // The steps drawn so far.
  int StepsDrawn() const { return stepsDrawn_; }

 protected:
  void Execute() override;
  // The termination notification and then the finishing step, together on the GUI thread, so the
  // menu cannot go away between the two.
  void DoTerminate() override;

 private:
  void DrawStep(int Index);
  void Finish();

  TdxBarAnimationRecord record_;
  // Read on the GUI thread at construction, so the worker never asks the menu object.
  HWND window_ = nullptr;
  HPALETTE palette_ = nullptr;
  HDC memoryDC_ = nullptr;
  HGDIOBJ savedBitmap_ = nullptr;
  std::atomic<int> stepsDrawn_{0};
  // The image point the client's top-left showed at the previous step.
  int previousSourceX_ = 0, previousSourceY_ = 0;
  bool hasPreviousSource_ = false;
};

// On the GUI thread: stops the worker at once (it shows the menu at its final bounds unless the menu
// is being destroyed) and frees it, also when waiting fails.
void StopAnimationWorker(TdxBarAnimationThread* Worker);
