#pragma once
// A control's frame in one of twelve styles, drawn on chosen sides from system colours or tinted
// from a face colour. Every routine returns the rectangle inside what it drew.

#include "platform/framework/graphics/Graphics.h"
#include "platform/framework/classes/Object.h"

enum TFrameStyleEx {
  fsNone,
  fsFlat,
  fsGroove,
  fsBump,
  fsLowered,
  fsButtonDown,
  fsRaised,
  fsButtonUp,
  fsStatus,
  fsPopup,
  fsFlatBold,
  fsFlatRounded
};
// The styles a control's frame may take: fsNone .. fsFlatBold.
using TFrameStyle = TFrameStyleEx;
inline constexpr TFrameStyleEx LastFrameStyle = fsFlatBold;

enum TSide { sdLeft, sdTop, sdRight, sdBottom };
using TSides = TSet<TSide>;
inline constexpr TSides AllSides{sdLeft, sdTop, sdRight, sdBottom};

// A line in UL on the left and top sides and in LR on the right and bottom sides (clNone: not
// drawn). Each side in Sides moves inward by one pixel, drawn or not.
TRect DrawFrameSides(TCanvas* Canvas, const TRect& Bounds, TColor UL, TColor LR, TSides Sides);
// Width nested one-pixel frames of DrawFrameSides.
TRect DrawFrameBevel(TCanvas* Canvas, const TRect& Bounds, TColor UL, TColor LR, int Width, TSides Sides);
// The style in system colours.
TRect DrawStyleSides(TCanvas* Canvas, const TRect& Bounds, TFrameStyleEx Style, TSides Sides);
// The style in shades of the face colour.
TRect DrawTintedStyleSides(TCanvas* Canvas, const TRect& Bounds, TColor FaceColor, TSides Sides, TFrameStyleEx Style);
TRect DrawTintedButtonSides(TCanvas* Canvas, const TRect& Bounds, TColor FaceColor, TSides Sides, bool Down);
// The frame of a whole Width x Height control: unless KeepBorder, its 2-pixel border is first
// painted in the face colour; then the style, flat ones in FrameColor, the others in system
// colours on a window-coloured face and tinted from any other face.
TRect DrawControlFrame(TCanvas* Canvas, int Width, int Height, TFrameStyleEx Style, TColor FaceColor,
                       TColor FrameColor, TSides Sides, bool KeepBorder = false);

// Asks the window to redraw its non-client frame over Rect, unless nothing of it is visible.
void InvalidateNonClientFrame(HWND Window, const TRect& Rect);
