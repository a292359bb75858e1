#pragma once
// The element painters every navigation-bar view draws with: image, selection frame, background,
// group background and border, expand sign, hint, button, scroll buttons and drop-target marks.
// Each class is one stateless object (Instance()) whose virtual operations are the class
// operations, so a view changes the look of one element by naming another class. A painter "class"
// is a pointer to that object.

#include "platform/framework/graphics/Graphic.h"
#include "platform/framework/graphics/ImageList.h"
#include "ui/foundation/Canvas.h"

#define DX_NAVBAR_PAINTER_CLASS(Self) \
 public:                              \
  static const Self* Instance() {     \
    static const Self instance;       \
    return &instance;                 \
  }

class TdxNavBarCustomImagePainter {
  DX_NAVBAR_PAINTER_CLASS(TdxNavBarCustomImagePainter)
  virtual ~TdxNavBarCustomImagePainter() = default;
  // Only when the list holds the index: the image at R's top-left with the list's own drawing.
  virtual void DrawImage(TcxCanvas* Canvas, TCustomImageList* ImageList, int ImageIndex, const TRect& R,
                         bool Enabled) const;
};
using TdxNavBarImagePainterClass = const TdxNavBarCustomImagePainter*;

class TdxNavBarCustomSelectionPainter {
  DX_NAVBAR_PAINTER_CLASS(TdxNavBarCustomSelectionPainter)
  virtual ~TdxNavBarCustomSelectionPainter() = default;
  // clNone for all five here.
  virtual void GetSelectionColors(int State, TColor BackColor, TColor& FillColor, TColor& TopLeftOuter,
                                  TColor& BottomRightOuter, TColor& TopLeftInner, TColor& BottomRightInner) const;
  // Nothing unless hot, pressed or selected: the two frames, then the fill inside them.
  virtual void DrawSelection(TcxCanvas* Canvas, const TRect& R, TColor BackColor, int State) const;
  // Pressed or selected.
  virtual bool IsSunken(int State) const;
};
using TdxNavBarSelectionPainterClass = const TdxNavBarCustomSelectionPainter*;

class TdxNavBarUltraFlatSelectionPainter : public TdxNavBarCustomSelectionPainter {
  DX_NAVBAR_PAINTER_CLASS(TdxNavBarUltraFlatSelectionPainter)
  void GetSelectionColors(int State, TColor BackColor, TColor& FillColor, TColor& TopLeftOuter,
                          TColor& BottomRightOuter, TColor& TopLeftInner, TColor& BottomRightInner) const override;
  // Pressed and not selected.
  bool IsSunken(int State) const override;
};

class TdxNavBarCustomBackgroundPainter {
  DX_NAVBAR_PAINTER_CLASS(TdxNavBarCustomBackgroundPainter)
  virtual ~TdxNavBarCustomBackgroundPainter() = default;
  // The picture tiled (or, with Erase, the erase colour), then the colours: one solid fill when
  // equal and opaque, else the alpha gradient (GDI+), or without GDI+ an opaque software gradient
  // unless both alphas are 0.
  virtual void DrawBackground(TcxCanvas* Canvas, const TRect& R, TPicture* Picture, bool Erase, TColor EraseColor,
                              TColor Color1, TColor Color2, Byte Alpha1, Byte Alpha2, int GradientMode) const;
};
using TdxNavBarBackgroundPainterClass = const TdxNavBarCustomBackgroundPainter*;

class TdxNavBarCustomGroupBackgroundPainter {
  DX_NAVBAR_PAINTER_CLASS(TdxNavBarCustomGroupBackgroundPainter)
  virtual ~TdxNavBarCustomGroupBackgroundPainter() = default;
  virtual void DrawGroupBackground(TcxCanvas* Canvas, const TRect& R, TPicture* Picture, TColor Color1, TColor Color2,
                                   Byte Alpha1, Byte Alpha2, int GradientMode) const;
};
using TdxNavBarGroupBackgroundPainterClass = const TdxNavBarCustomGroupBackgroundPainter*;

class TdxNavBarCustomGroupBorderPainter {
  DX_NAVBAR_PAINTER_CLASS(TdxNavBarCustomGroupBorderPainter)
  virtual ~TdxNavBarCustomGroupBorderPainter() = default;
  virtual void DrawGroupBorder(TcxCanvas*, const TRect&, TColor, bool) const {}
};
using TdxNavBarGroupBorderPainterClass = const TdxNavBarCustomGroupBorderPainter*;

class TdxNavBarCustomSignPainter {
  DX_NAVBAR_PAINTER_CLASS(TdxNavBarCustomSignPainter)
  virtual ~TdxNavBarCustomSignPainter() = default;
  virtual void DrawSign(TcxCanvas*, const TRect&, TColor, TColor, TColor, int) const {}
};
using TdxNavBarSignPainterClass = const TdxNavBarCustomSignPainter*;

class TdxNavBarCustomHintPainter {
  DX_NAVBAR_PAINTER_CLASS(TdxNavBarCustomHintPainter)
  virtual ~TdxNavBarCustomHintPainter() = default;
  virtual void DrawHint(TcxCanvas* Canvas, const TRect& R, const String& Hint, TPicture* Picture, TColor Color1,
                        TColor Color2, Byte Alpha1, Byte Alpha2, int GradientMode, TFont* Font) const;
};
using TdxNavBarHintPainterClass = const TdxNavBarCustomHintPainter*;

class TdxNavBarCustomButtonPainter {
  DX_NAVBAR_PAINTER_CLASS(TdxNavBarCustomButtonPainter)
  virtual ~TdxNavBarCustomButtonPainter() = default;
  // The background (erase colour clBtnFace, no erase); border colour and state are the views'.
  virtual void DrawButton(TcxCanvas* Canvas, const TRect& R, TPicture* Picture, TColor Color1, TColor Color2,
                          Byte Alpha1, Byte Alpha2, int GradientMode, TColor BorderColor, int State) const;
};
using TdxNavBarButtonPainterClass = const TdxNavBarCustomButtonPainter*;

class TdxNavBarCustomScrollButtonsPainter {
  DX_NAVBAR_PAINTER_CLASS(TdxNavBarCustomScrollButtonsPainter)
  virtual ~TdxNavBarCustomScrollButtonsPainter() = default;
  virtual void DrawBottomButton(TcxCanvas*, const TRect&, TdxNavBarButtonPainterClass, TColor, TColor, Byte, Byte, int,
                                TColor, int) const {}
  virtual void DrawTopButton(TcxCanvas*, const TRect&, TdxNavBarButtonPainterClass, TColor, TColor, Byte, Byte, int,
                             TColor, int) const {}
};
using TdxNavBarScrollButtonsPainterClass = const TdxNavBarCustomScrollButtonsPainter*;

class TdxNavBarCustomDropTargetLinkPainter {
  DX_NAVBAR_PAINTER_CLASS(TdxNavBarCustomDropTargetLinkPainter)
  virtual ~TdxNavBarCustomDropTargetLinkPainter() = default;
  // The filled polygon P0, P1, P2, P0, P3, P4, P5 in the colour.
  virtual void DrawDropTargetLink(TcxCanvas* Canvas, const TPoint (&Points)[6], TColor Color) const;
};
using TdxNavBarDropTargetLinkPainterClass = const TdxNavBarCustomDropTargetLinkPainter*;

class TdxNavBarCustomDropTargetGroupPainter {
  DX_NAVBAR_PAINTER_CLASS(TdxNavBarCustomDropTargetGroupPainter)
  virtual ~TdxNavBarCustomDropTargetGroupPainter() = default;
  // With GDI+ the gradient; without, a 2-pixel frame of Color1.
  virtual void DrawDropTargetGroup(TcxCanvas* Canvas, const TRect& R, TColor Color1, TColor Color2, Byte Alpha1,
                                   Byte Alpha2, int GradientMode) const;
};
using TdxNavBarDropTargetGroupPainterClass = const TdxNavBarCustomDropTargetGroupPainter*;

// ---- the pieces they are built from ----------------------------------------------------------

// The opaque software gradient: min(W, 256) columns by min(H, 256) rows of solid cells, each
// channel interpolated by mode (0 horizontal, 1 vertical, 2 forward, 3 backward diagonal).
void FillSoftwareGradient(HDC DC, const TRect& R, TColor Color1, TColor Color2, int GradientMode);
// The picture's graphic tiled over R from its top-left (a non-bitmap graphic drawn into a 24-bit
// bitmap first), the last tile of each row and column cut to R.
void TilePicture(HDC DC, const TRect& R, TPicture* Picture);
// The alpha gradient of the backgrounds: GDI+ when available, else the software gradient when
// either alpha is non-zero.
void FillAlphaGradient(HDC DC, const TRect& R, TColor Color1, TColor Color2, Byte Alpha1, Byte Alpha2, int GradientMode);
