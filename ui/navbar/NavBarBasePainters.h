#pragma once
// The element painters of the base and flat views: raised and sunken button frames with the
// active button's black bottom line, the selection frame, and scroll buttons with their arrows.

#include "ui/navbar/NavBarElementPainters.h"

class TdxNavBarBaseSelectionPainter : public TdxNavBarCustomSelectionPainter {
  DX_NAVBAR_PAINTER_CLASS(TdxNavBarBaseSelectionPainter)
  // Sunken: outer top-left ShadeDark20, bottom-right ShadeLight20 of the back colour; raised the
  // other way round; no inner frame, no fill.
  void GetSelectionColors(int State, TColor BackColor, TColor& FillColor, TColor& TopLeftOuter,
                          TColor& BottomRightOuter, TColor& TopLeftInner, TColor& BottomRightInner) const override;
};

class TdxNavBarBaseButtonPainter : public TdxNavBarCustomButtonPainter {
  DX_NAVBAR_PAINTER_CLASS(TdxNavBarBaseButtonPainter)
  void DrawButton(TcxCanvas* Canvas, const TRect& R, TPicture* Picture, TColor Color1, TColor Color2, Byte Alpha1,
                  Byte Alpha2, int GradientMode, TColor BorderColor, int State) const override;
  // The frame colours of a state (outer top-left, outer bottom-right, inner top-left, inner
  // bottom-right) for the button colour C.
  virtual void FrameColors(int State, TColor C, TColor (&Colors)[4]) const;
};

class TdxNavBarFlatButtonPainter : public TdxNavBarBaseButtonPainter {
  DX_NAVBAR_PAINTER_CLASS(TdxNavBarFlatButtonPainter)
  void FrameColors(int State, TColor C, TColor (&Colors)[4]) const override;
};

class TdxNavBarBaseScrollButtonsPainter : public TdxNavBarCustomScrollButtonsPainter {
  DX_NAVBAR_PAINTER_CLASS(TdxNavBarBaseScrollButtonsPainter)
  void DrawBottomButton(TcxCanvas* Canvas, const TRect& R, TdxNavBarButtonPainterClass ButtonPainter, TColor Color1,
                        TColor Color2, Byte Alpha1, Byte Alpha2, int GradientMode, TColor BorderColor,
                        int State) const override;
  void DrawTopButton(TcxCanvas* Canvas, const TRect& R, TdxNavBarButtonPainterClass ButtonPainter, TColor Color1,
                     TColor Color2, Byte Alpha1, Byte Alpha2, int GradientMode, TColor BorderColor,
                     int State) const override;
  // The arrow's triangle (tip, base left, base right) for a button rectangle.
  static void ArrowPoints(const TRect& R, bool Down, TPoint (&Points)[3]);
};
