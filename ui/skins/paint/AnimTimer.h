#pragma once
// Fading: TsAnimTimer cross-fades a skinned control from its old face to its freshly built one, one
// blended frame a tick, and EventAnimates decides whether a mouse event fades.

#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/windows/Timer.h"
#include "ui/skins/core/SkinCommon.h"

class TsCommonData;

class TsAnimTimer : public TTimer {
  DECLARE_CLASS(TsAnimTimer, TTimer)
 public:
  explicit TsAnimTimer(TComponent* owner);
  ~TsAnimTimer() override;

  void BindTo(TsCommonData* skinData);
  bool Finished();
  // One fade frame: the old face blended with the control's new cache by the current level.
  void Step();
  void ShowStep();
  void Timer() override;

  bool InProgress = false;
  TBitmap* SourceBmp;  // the old face (owned)
  TBitmap* TmpBmp;     // the frame shown during the fade (owned)
  TsCommonData* OwnerData = nullptr;
  int Iterations = 0;
  int FadeLevel = 0;
};

// The weight of the old face at a level: 255 at level 0, 0 at the last one.
int FadeWeight(int level, int iterations);
// Event (0..7) is in events, or the global default is and the event is in AnimatedEvents.
bool EventAnimates(int event, TacAnimatEvents events);
