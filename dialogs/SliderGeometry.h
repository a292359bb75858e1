#pragma once
// The geometry of the image slider as plain code over sizes, range, options, orientation and bevel:
// the ruler's pieces, the laid-out rectangles, the value <-> pixel mappings, snapping, key and ruler
// steps, the side of a ruler click and the tick positions. TImageCustomSlider keeps one of these
// and paints from it; tests use it without a window.
//
// "Round" is std::nearbyint in the default rounding mode (halves to the even neighbour); "div" is
// C++ integer division (toward zero).

#include <vector>

#include "platform/framework/graphics/Graphics.h"

enum TSliderOrientation { soHorizontal, soVertical };
enum TSliderOption { soShowFocus, soShowPoints, soSmooth, soRulerOpaque, soThumbOpaque };
using TSliderOptions = TSet<TSliderOption>;
enum TTrackDirection { tdNone, tdToMinimum, tdToMaximum, tdIncrease, tdDecrease };

// One copy of the ruler image along the axis: from source offset Source, Length pixels, to Dest.
struct TRulerPiece {
  int Dest;
  int Length;
  int Source;
  friend bool operator==(const TRulerPiece&, const TRulerPiece&) = default;
};

// A tick mark: its centre across the axis' travel and its length.
struct TSliderTick {
  int Position;
  int Length;
  friend bool operator==(const TSliderTick&, const TSliderTick&) = default;
};

// The ruler's length for a slider rectangle extent: 12 pixels of margin, never below 0.
int RulerLength(int sliderExtent);
// The pieces that stretch a ruler image of sourceLength (edge pixels at each end never repeated)
// to newLength by repeating its middle.
std::vector<TRulerPiece> RulerPieces(int newLength, int sourceLength, int edge);

struct TSliderGeometry {
  // Inputs.
  TSliderOrientation Orientation = soHorizontal;
  TRect Slider;           // the slider rectangle (client rectangle less the bevel)
  int ClientHeight = 0;   // the control's client height (vertical pixel mapping)
  TSize HRuler, VRuler;   // sizes of the two ruler images
  TSize HThumb, VThumb;   // sizes of the two thumb images (all pictures side by side)
  int NumThumbStates = 2;
  int MinValue = 0, MaxValue = 100, Increment = 10;
  bool Smooth = true;

  // Results of Layout (ThumbRect also moves with the value).
  TSize Ruler;            // the built ruler's size
  TRect ThumbRect;
  TPoint RulerOrigin;
  TRect TickArea;

  bool Vertical() const { return Orientation == soVertical; }
  TSize RulerImage() const { return Vertical() ? VRuler : HRuler; }
  TSize ThumbImage() const { return Vertical() ? VThumb : HThumb; }
  // The size of one thumb picture.
  TSize ThumbSize() const;
  // The ruler's size for the current slider rectangle.
  TSize RulerSize() const;
  // Sets Ruler, ThumbRect (at the start), RulerOrigin and TickArea.
  void Layout();

  // Pixels the thumb's leading edge moves over.
  int TravelLength() const;
  // Where the travel starts: the slider rectangle's left (or top) plus the margin.
  int Start() const;
  // Zero travel or zero range give the place of MinValue and MinValue; nothing divides by zero.
  int ValueToPixel(int value) const;
  int PixelToValue(int pixel) const;
  int SnapThumbPosition(int pixel) const;
  // Moves ThumbRect's leading edge to the pixel (same size).
  void PlaceThumb(int pixel);
  int StepValue(int value, TTrackDirection direction) const;
  TTrackDirection HitDirection(int x, int y) const;
  // The ruler's rectangle widened by 3 pixels on both sides across the axis.
  TRect RulerHitArea() const;
  std::vector<TSliderTick> Ticks(int step, int length, int extremeLength) const;
};
