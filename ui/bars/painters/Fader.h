#pragma once
// The fader: cross-fades an element (an IdxFadingObject) between its normal and its hot picture in
// a few timed steps when the mouse enters or leaves it. One fader serves a ribbon; at most six fades
// run at once, each with its own timer.

#include <memory>

#include "platform/framework/classes/Lists.h"
#include "ui/bars/painters/SkinInterfaces.h"
#include "ui/foundation/Controls.h"

class TdxFadingList;

// The defaults every element starts from before its own parameters.
constexpr int dxFadeDefaultFrames = 12;
constexpr int dxFadeDefaultInterval = 20;
constexpr int dxFadeMaxFrames = 32;
constexpr int dxFadeMinInterval = 10;
constexpr int dxFadeMaxInterval = 300;

// One running fade. Direction 0 fades in (toward the hot picture), 1 fades out.
class TdxFadingElement : public TObject {
  DECLARE_CLASS(TdxFadingElement, TObject)
 public:
  TdxFadingElement(TdxFadingList* List, int Direction, TObject* Target);
  ~TdxFadingElement() override;

  // Draws the end picture of the current direction, then frees the element.
  void Finish();
  // Turns the fade around so that the picture continues from where it is.
  void SetDirection(int NewDirection);
  // 0 shows the normal picture, 255 the hot one.
  int CurrentAlpha() const;
  // Both pictures are there and of one size.
  bool HasPictures() const;

  TObject* Target() const { return target_; }
  TcxTimer* Timer() const { return timer_.get(); }
  TBitmap* NormalImage() const { return normalImage_.get(); }
  TBitmap* HotImage() const { return hotImage_.get(); }
  int Step() const { return step_; }
  int Direction() const { return direction_; }
  int FadeInFrames() const { return fadeInFrames_; }
  int FadeInInterval() const { return fadeInInterval_; }
  int FadeOutFrames() const { return fadeOutFrames_; }
  int FadeOutInterval() const { return fadeOutInterval_; }

  // One timer tick (public so that a caller may drive the fade step by step).
  void TimerTick(TObject* Sender);

 private:
  void LoadParams();
  void CreateTimer();
  void DrawStep(int Alpha);
  int FramesOf(int Direction) const { return Direction == 0 ? fadeInFrames_ : fadeOutFrames_; }
  int IntervalOf(int Direction) const { return Direction == 0 ? fadeInInterval_ : fadeOutInterval_; }

  std::unique_ptr<TcxTimer> timer_;
  std::unique_ptr<TBitmap> normalImage_;
  std::unique_ptr<TBitmap> hotImage_;
  IdxFadingObject* fadingObject_ = nullptr;
  TObject* target_ = nullptr;
  TdxFadingList* list_ = nullptr;
  int step_ = 0;
  int fadeInFrames_ = dxFadeDefaultFrames;
  int fadeInInterval_ = dxFadeDefaultInterval;
  int fadeOutFrames_ = dxFadeDefaultFrames;
  int fadeOutInterval_ = dxFadeDefaultInterval;
  int direction_ = 0;
};

// The running fades, oldest first.
class TdxFadingList : public TList {
  DECLARE_CLASS(TdxFadingList, TList)
 public:
  ~TdxFadingList() override;
  TdxFadingElement* Element(int Index) const { return static_cast<TdxFadingElement*>(Items(Index)); }
  // Frees every element without drawing, then empties the list.
  void Clear();
  bool Clearing() const { return clearing_; }

 private:
  bool clearing_ = false;
};

class TdxFader : public TObject {
  DECLARE_CLASS(TdxFader, TObject)
 public:
  TdxFader();
  // Draws the end picture of every running fade first.
  ~TdxFader() override;

  void FadeIn(TObject* Obj) { FadeObject(Obj, 0); }
  void FadeOut(TObject* Obj) { FadeObject(Obj, 1); }
  void FadeObject(TObject* Obj, int Direction);
  TdxFadingElement* ElementOf(TObject* Obj) const;
  // Discard: free the fade without drawing; else draw its end picture first.
  void StopObjectFading(TObject* Obj, bool Discard);
  void CompleteAll();
  void TrimToMaxCount();

  TdxFadingList* List() const { return list_.get(); }
  int MaxFadingCount() const { return maxFadingCount_; }

 private:
  std::unique_ptr<TdxFadingList> list_;
  int maxFadingCount_ = 6;
};
