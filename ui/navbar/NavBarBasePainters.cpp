#include "ui/navbar/NavBarBasePainters.h"

#include "ui/foundation/Office11Colors.h"
#include "ui/navbar/NavBarGraphics.h"

void TdxNavBarBaseSelectionPainter::GetSelectionColors(int State, TColor BackColor, TColor& FillColor,
                                                       TColor& TopLeftOuter, TColor& BottomRightOuter,
                                                       TColor& TopLeftInner, TColor& BottomRightInner) const {
  const bool sunken = IsSunken(State);
  TopLeftOuter = sunken ? ShadeDark20(BackColor) : ShadeLight20(BackColor);
  BottomRightOuter = sunken ? ShadeLight20(BackColor) : ShadeDark20(BackColor);
  FillColor = TopLeftInner = BottomRightInner = clNone;
}

void TdxNavBarBaseButtonPainter::FrameColors(int State, TColor C, TColor (&Colors)[4]) const {
  if (State & nbisPressed) {
    Colors[0] = Colors[1] = ShadeDark20(C);
    Colors[2] = Colors[3] = ShadeDark70(C);
  } else {
    Colors[0] = ShadeLight20(C);
    Colors[1] = ShadeDark20(C);
    Colors[2] = ShadeLight70(C);
    Colors[3] = ShadeDark70(C);
  }
}

void TdxNavBarFlatButtonPainter::FrameColors(int State, TColor C, TColor (&Colors)[4]) const {
  if (State & nbisPressed) {
    Colors[0] = ShadeDark20(C);
    Colors[1] = ShadeLight20(C);
    Colors[2] = ShadeDark70(C);
    Colors[3] = clNone;
  } else if (State & nbisHot) {
    Colors[0] = ShadeLight20(C);
    Colors[1] = ShadeDark20(C);
    Colors[2] = clNone;
    Colors[3] = ShadeDark70(C);
  } else {
    Colors[0] = ShadeLight20(C);
    Colors[1] = ShadeDark70(C);
    Colors[2] = Colors[3] = clNone;
  }
}

void TdxNavBarBaseButtonPainter::DrawButton(TcxCanvas* Canvas, const TRect& R, TPicture* Picture, TColor Color1,
                                            TColor Color2, Byte Alpha1, Byte Alpha2, int GradientMode,
                                            TColor BorderColor, int State) const {
  TdxNavBarCustomButtonPainter::DrawButton(Canvas, R, Picture, Color1, Color2, Alpha1, Alpha2, GradientMode,
                                           BorderColor, State);
  TColor colors[4];
  FrameColors(State, Color1, colors);
  DrawFrame(Canvas, R, colors[0], colors[1], colors[2], colors[3]);
  if (State & nbisActive) Canvas->FillAreaWithColor(TRect(R.left, R.bottom - 1, R.right, R.bottom), clBlack);
}

void TdxNavBarBaseScrollButtonsPainter::ArrowPoints(const TRect& R, bool Down, TPoint (&Points)[3]) {
  const int h = R.Height(), s = h / 4, w = 2 * s - 1, x = R.left + R.Width() / 2 - 1;
  const int tipY = Down ? R.top + h / 2 + s / 2 - 1 : R.top + h / 2 - s / 2 - 1;
  const int baseY = Down ? tipY - s + 1 : tipY + s - 1;
  const int baseLeft = x - w / 2;
  Points[0] = TPoint(x, tipY);
  Points[1] = TPoint(baseLeft, baseY);
  Points[2] = TPoint(baseLeft + w - 1, baseY);
}

namespace {

void DrawArrowButton(TcxCanvas* Canvas, const TRect& R, bool Down, TdxNavBarButtonPainterClass ButtonPainter,
                     TColor Color1, TColor Color2, Byte Alpha1, Byte Alpha2, int GradientMode, TColor BorderColor,
                     int State) {
  if (ButtonPainter)
    ButtonPainter->DrawButton(Canvas, R, nullptr, Color1, Color2, Alpha1, Alpha2, GradientMode, BorderColor, State);
  TPoint points[3];
  TdxNavBarBaseScrollButtonsPainter::ArrowPoints(R, Down, points);
  const POINT polygon[3] = {points[0], points[1], points[2]};
  FillPolygonSolid(Canvas->DCHandle(), polygon, 3, (State & nbisDisabled) ? clGrayText : clBlack);
}

}  // namespace

void TdxNavBarBaseScrollButtonsPainter::DrawBottomButton(TcxCanvas* Canvas, const TRect& R,
                                                         TdxNavBarButtonPainterClass ButtonPainter, TColor Color1,
                                                         TColor Color2, Byte Alpha1, Byte Alpha2, int GradientMode,
                                                         TColor BorderColor, int State) const {
  DrawArrowButton(Canvas, R, true, ButtonPainter, Color1, Color2, Alpha1, Alpha2, GradientMode, BorderColor, State);
}

void TdxNavBarBaseScrollButtonsPainter::DrawTopButton(TcxCanvas* Canvas, const TRect& R,
                                                      TdxNavBarButtonPainterClass ButtonPainter, TColor Color1,
                                                      TColor Color2, Byte Alpha1, Byte Alpha2, int GradientMode,
                                                      TColor BorderColor, int State) const {
  DrawArrowButton(Canvas, R, false, ButtonPainter, Color1, Color2, Alpha1, Alpha2, GradientMode, BorderColor, State);
}
