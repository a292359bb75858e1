#pragma once
// The two interfaces through which an owner of bar windows takes part in their look: IdxSkin hands
// out numbered bar parts (drawn in an element state 0..8) to the skinned bar painter, and
// IdxFadingObject lets the fader cross-fade an element between its normal and its hot picture.
// Both are abstract classes queried with Supports; the ribbon implements them.

#include "platform/framework/classes/Object.h"
#include "platform/framework/graphics/Bitmap.h"
#include "ui/foundation/Graphics.h"

// The skin of the skinned bar painter. Part numbers and states: see SkinnedPainter.h.
class IdxSkin : public virtual IInterface {
 public:
  // Draws bar part Part in state State over R.
  virtual void DrawBackground(HDC DC, const TRect& R, int Part, int State) = 0;
  // Draws the caption text of a part inside R.
  virtual void DrawCaption(HDC DC, const String& Text, const TRect& R, int Part, int State) = 0;
  // The caption rectangle of a part placed in R.
  virtual TRect CaptionBoundsOf(const TRect& R, int Part) = 0;
  // The four widths (left, top, right, bottom) between a part's edge and its content.
  virtual TRect ContentMarginsOf(int Part) = 0;
  // The look-and-feel skin the embedded editors use; empty for none.
  virtual String GetSkinName() = 0;
  virtual TColor PartColorOf(int Part, int State) = 0;
  virtual int GetPartOffset(int Part) = 0;

 protected:
  ~IdxSkin() override = default;
};

// An element that the fader may cross-fade.
class IdxFadingObject : public virtual IInterface {
 public:
  // Whether the element may be faded now.
  virtual bool CanFade() = 0;
  // Draws Image at the element's place on the element's own canvas.
  virtual void DrawFadeImage(TBitmap* Image) = 0;
  // Creates both pictures (the element's size; ownership passes to the caller; either may be left
  // null) and sets whichever of the four numbers it wants (frames: steps; intervals: milliseconds).
  virtual void GetFadingParams(TBitmap*& NormalImage, TBitmap*& HotImage, int& FadeInFrames, int& FadeInInterval,
                               int& FadeOutFrames, int& FadeOutInterval) = 0;

 protected:
  ~IdxFadingObject() override = default;
};
