#include "ui/extras/frames/FrameDrawing.h"

#include <iterator>

#include "ui/extras/frames/FrameColors.h"

namespace {

struct TSideColors {
  TColor UL, LR;
};

// The one-line colours of each style.
constexpr TSideColors kStyleColors[] = {
    {clWindow, clWindow},          // fsNone
    {cl3DDkShadow, cl3DDkShadow},  // fsFlat
    {clBtnShadow, clBtnHighlight}, // fsGroove
    {clBtnHighlight, clBtnShadow}, // fsBump
    {clBtnShadow, clBtnHighlight}, // fsLowered
    {clNone, clNone},              // fsButtonDown
    {cl3DDkShadow, clBtnFace},     // fsRaised
    {clNone, clNone},              // fsButtonUp
    {clBtnShadow, clBtnHighlight}, // fsStatus
    {clBtnHighlight, clBtnShadow}, // fsPopup
    {clBtnShadow, clBtnShadow},    // fsFlatBold
    {clWindow, cl3DLight},         // fsFlatRounded
};
static_assert(std::size(kStyleColors) == fsFlatRounded + 1);

// Outer and inner lines of the two-line styles.
struct TBevelColors {
  TSideColors Outer, Inner;
};
constexpr TBevelColors kRaisedBevel{{cl3DLight, cl3DDkShadow}, {clBtnHighlight, clBtnShadow}};
constexpr TBevelColors kLoweredBevel{{clBtnShadow, clBtnHighlight}, {cl3DDkShadow, cl3DLight}};
constexpr TBevelColors kButtonUpBevel{{clBtnHighlight, cl3DDkShadow}, {cl3DLight, clBtnShadow}};
constexpr TBevelColors kButtonDownBevel{{clBtnText, clBtnText}, {clBtnShadow, clBtnShadow}};

TRect Inset(const TRect& r, TSides sides, int by) {
  TRect result = r;
  if (sides.Contains(sdLeft)) result.left += by;
  if (sides.Contains(sdTop)) result.top += by;
  if (sides.Contains(sdRight)) result.right -= by;
  if (sides.Contains(sdBottom)) result.bottom -= by;
  return result;
}

void Line(TCanvas* canvas, int x1, int y1, int x2, int y2) {
  canvas->MoveTo(x1, y1);
  canvas->LineTo(x2, y2);
}

TRect DrawBevel(TCanvas* canvas, const TRect& bounds, const TBevelColors& colors, TSides sides) {
  const TRect inner = DrawFrameSides(canvas, bounds, colors.Outer.UL, colors.Outer.LR, sides);
  return DrawFrameSides(canvas, inner, colors.Inner.UL, colors.Inner.LR, sides);
}

// Two lines offset by a pixel, with the corners where sides meet or end set to match.
TRect DrawEtched(TCanvas* canvas, const TRect& b, TColor ul, TColor lr, TSides sides) {
  const bool left = sides.Contains(sdLeft), top = sides.Contains(sdTop);
  const bool right = sides.Contains(sdRight), bottom = sides.Contains(sdBottom);
  if (right) canvas->SetPixels(b.right - 1, b.top, lr);
  else if (top) canvas->SetPixels(b.right - 1, b.top, ul);
  if (bottom) canvas->SetPixels(b.left, b.bottom - 1, lr);
  else if (left) canvas->SetPixels(b.left, b.bottom - 1, ul);
  if (top && !left) canvas->SetPixels(b.left, b.top + 1, lr);
  if (left && !top) canvas->SetPixels(b.left + 1, b.top, lr);
  if (bottom && !right) canvas->SetPixels(b.right - 1, b.bottom - 2, ul);
  if (right && !bottom) canvas->SetPixels(b.right - 2, b.bottom - 1, ul);
  DrawFrameSides(canvas, TRect(b.left + 1, b.top + 1, b.right, b.bottom), lr, lr, sides);
  DrawFrameSides(canvas, TRect(b.left, b.top, b.right - 1, b.bottom - 1), ul, ul, sides);
  return Inset(b, sides, 2);
}

}  // namespace

TRect DrawFrameSides(TCanvas* Canvas, const TRect& Bounds, TColor UL, TColor LR, TSides Sides) {
  const TRect& b = Bounds;
  if (UL != clNone) {
    Canvas->Pen()->SetColor(UL);
    if (Sides.Contains(sdLeft)) Line(Canvas, b.left, b.top, b.left, b.bottom);
    if (Sides.Contains(sdTop)) Line(Canvas, b.left, b.top, b.right, b.top);
  }
  if (LR != clNone) {
    Canvas->Pen()->SetColor(LR);
    if (Sides.Contains(sdRight)) Line(Canvas, b.right - 1, b.top, b.right - 1, b.bottom);
    if (Sides.Contains(sdBottom)) Line(Canvas, b.left, b.bottom - 1, b.right, b.bottom - 1);
  }
  return Inset(b, Sides, 1);
}

TRect DrawFrameBevel(TCanvas* Canvas, const TRect& Bounds, TColor UL, TColor LR, int Width, TSides Sides) {
  Canvas->Pen()->SetWidth(1);
  TRect r = Bounds;
  for (int i = 0; i < Width; ++i) r = DrawFrameSides(Canvas, r, UL, LR, Sides);
  return r;
}

TRect DrawStyleSides(TCanvas* Canvas, const TRect& Bounds, TFrameStyleEx Style, TSides Sides) {
  const TSideColors& c = kStyleColors[Style];
  switch (Style) {
    case fsNone: return Bounds;
    case fsLowered: return DrawBevel(Canvas, Bounds, kLoweredBevel, Sides);
    case fsRaised: return DrawBevel(Canvas, Bounds, kRaisedBevel, Sides);
    case fsButtonDown: return DrawBevel(Canvas, Bounds, kButtonDownBevel, Sides);
    case fsButtonUp: return DrawBevel(Canvas, Bounds, kButtonUpBevel, Sides);
    case fsFlatBold: return DrawFrameBevel(Canvas, Bounds, c.UL, c.LR, 2, Sides);
    case fsGroove:
    case fsBump:
    case fsFlatRounded: return DrawEtched(Canvas, Bounds, c.UL, c.LR, Sides);
    default: return DrawFrameSides(Canvas, Bounds, c.UL, c.LR, Sides);  // fsFlat, fsStatus, fsPopup
  }
}

TRect DrawTintedStyleSides(TCanvas* Canvas, const TRect& Bounds, TColor FaceColor, TSides Sides, TFrameStyleEx Style) {
  auto D = [FaceColor](int n) { return DarkenColor(FaceColor, n); };
  auto Li = [FaceColor](int n) { return LightenColor(FaceColor, n); };
  switch (Style) {
    case fsNone: return Bounds;
    case fsFlat: return DrawFrameSides(Canvas, Bounds, D(50), D(50), Sides);
    case fsStatus: return DrawFrameSides(Canvas, Bounds, D(50), Li(100), Sides);
    case fsPopup: return DrawFrameSides(Canvas, Bounds, Li(100), D(50), Sides);
    case fsFlatBold: return DrawFrameBevel(Canvas, Bounds, D(50), D(50), 2, Sides);
    case fsLowered: return DrawBevel(Canvas, Bounds, {{D(50), Li(100)}, {D(100), Li(50)}}, Sides);
    case fsRaised: return DrawBevel(Canvas, Bounds, {{Li(50), D(100)}, {Li(100), D(50)}}, Sides);
    case fsButtonDown:
    case fsButtonUp: return DrawTintedButtonSides(Canvas, Bounds, FaceColor, Sides, Style == fsButtonDown);
    case fsGroove: return DrawEtched(Canvas, Bounds, D(50), Li(100), Sides);
    default: return DrawEtched(Canvas, Bounds, Li(100), D(50), Sides);  // fsBump, fsFlatRounded
  }
}

TRect DrawTintedButtonSides(TCanvas* Canvas, const TRect& Bounds, TColor FaceColor, TSides Sides, bool Down) {
  auto D = [FaceColor](int n) { return DarkenColor(FaceColor, n); };
  auto Li = [FaceColor](int n) { return LightenColor(FaceColor, n); };
  const TBevelColors colors = Down ? TBevelColors{{D(100), D(100)}, {D(50), D(50)}}
                                   : TBevelColors{{Li(100), D(100)}, {Li(40), D(50)}};
  return DrawBevel(Canvas, Bounds, colors, Sides);
}

TRect DrawControlFrame(TCanvas* Canvas, int Width, int Height, TFrameStyleEx Style, TColor FaceColor,
                       TColor FrameColor, TSides Sides, bool KeepBorder) {
  const TRect bounds(0, 0, Width, Height);
  if (!KeepBorder) DrawFrameBevel(Canvas, bounds, FaceColor, FaceColor, 2, AllSides);
  switch (Style) {
    case fsFlat: return DrawFrameSides(Canvas, bounds, FrameColor, FrameColor, Sides);
    case fsFlatBold: return DrawFrameBevel(Canvas, bounds, FrameColor, FrameColor, 2, Sides);
    default:
      if (FaceColor == clWindow) return DrawStyleSides(Canvas, bounds, Style, Sides);
      return DrawTintedStyleSides(Canvas, bounds, FaceColor, Sides, Style);
  }
}

void InvalidateNonClientFrame(HWND Window, const TRect& Rect) {
  HDC dc = GetDC(Window);
  if (!dc) return;
  RECT clip;
  const int region = GetClipBox(dc, &clip);
  ReleaseDC(Window, dc);
  if (region == NULLREGION || region == ERROR) return;
  RedrawWindow(Window, &Rect, nullptr, RDW_FRAME | RDW_INVALIDATE);
}
