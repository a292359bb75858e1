#include "ui/foundation/FlatPainter.h"

#include "ui/foundation/StandardPainter.h"

DEFINE_CLASS_WITH(TcxFlatLookAndFeelPainter, TcxFlatPainterMetaClass)

#pragma GCC diagnostic ignored "-Wunused-parameter"

namespace {

const TcxStandardPainterMetaClass& Standard() { return TcxStandardLookAndFeelPainter::ClassInfo(); }

}  // namespace

// A one-pixel sunken frame: clBtnShadow left and top, clBtnHighlight right and bottom.
void TcxFlatPainterMetaClass::PaintBorder(TcxCanvas* Canvas, const TRect& R) const {
  Canvas->DrawEdgeBorders(R, true, true);
}

void TcxFlatPainterMetaClass::PaintButtonFrame(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State) const {
  if (State == pbsPressed) return Canvas->DrawTwoColorBorders(R, clBtnShadow, clBtnHighlight);
  TRect frame = R;
  if (State == pbsDefault) {
    Canvas->DrawFrameBorders(frame, clBlack, 1);
    frame = InflateRectBy(frame, -1, -1);
  }
  Canvas->DrawTwoColorBorders(frame, clBtnHighlight, clBtnShadow);
}

void TcxFlatPainterMetaClass::PaintExpandButton(TcxCanvas* Canvas, const TRect& R, TColor Color, bool Expanded) const {
  PaintButton(Canvas, R, false, clDefault, Color, true, pbsNormal, L"");
  PaintExpandCross(Canvas, InflateRectBy(R, -1, -1), clBtnText, Expanded);
  Canvas->SubtractFromClip(R);
}

void TcxFlatPainterMetaClass::PaintCheckFrame(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State) const {
  Canvas->DrawEdgeBorders(R, true, false);
  Canvas->DrawFrameBorders(InflateRectBy(R, -1, -1), CheckFaceColor(State), 1);
}

void TcxFlatPainterMetaClass::PaintHeaderFrame(TcxCanvas* Canvas, const TRect& R, TcxNeighbors Neighbors,
                                               TcxBorders Borders) const {
  Standard().PaintHeaderFrame(Canvas, R, Neighbors, Borders);
}

void TcxFlatPainterMetaClass::PaintHeaderSectionFrame(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State,
                                                      TcxBorders Borders) const {
  if (State == pbsPressed)
    Canvas->DrawTwoColorBorders(R, clBtnShadow, clBtnHighlight, Borders);
  else
    Canvas->DrawTwoColorBorders(R, clBtnHighlight, clBtnShadow, Borders);
}

void TcxFlatPainterMetaClass::PaintSortMark(TcxCanvas* Canvas, const TRect& R, bool Ascending) const {
  PaintSortArrow(Canvas, R, Ascending, clBtnHighlight, clBtnShadow);
}

void TcxFlatPainterMetaClass::PaintFooterFrame(TcxCanvas* Canvas, const TRect& R) const {
  Canvas->DrawEdgeBorders(R, false, true);
}

void TcxFlatPainterMetaClass::PaintFooterCellFrame(TcxCanvas* Canvas, const TRect& R) const {
  Canvas->DrawEdgeBorders(R, true, false);
}

void TcxFlatPainterMetaClass::PaintFilterDropDownButton(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State,
                                                        bool IsFilterActive) const {
  Standard().PaintFilterDropDownButton(Canvas, R, State, IsFilterActive);
}

void TcxFlatPainterMetaClass::PaintTabFrame(TcxCanvas* Canvas, const TRect& R, bool Vertical, TcxBorders Borders,
                                            TcxBorder Border) const {
  Standard().PaintTabFrame(Canvas, R, Vertical, Borders, Border);
}

void TcxFlatPainterMetaClass::PaintTabsArea(TcxCanvas* Canvas, const TRect& R, bool Vertical,
                                            TcxBorders Borders) const {
  Canvas->DrawEdgeBorders(R, false, true, Borders);
}

void TcxFlatPainterMetaClass::PaintScrollBarPart(TcxCanvas* Canvas, bool Horizontal, const TRect& R,
                                                 TcxScrollBarPaintPart Part, TcxPaintButtonState State) const {
  if (RectHasNoArea(R) || (Part == sppThumb && State == pbsDisabled)) return;
  if (State == pbsHot) State = pbsNormal;
  switch (Part) {
    case sppLineUp:
    case sppLineDown:
    case sppThumb: {
      PaintButton(Canvas, R, false, clDefault, clDefault, true, State, L"");
      const int w = ButtonFrameWidth(pbsNormal);
      if (Part != sppThumb)
        PaintButtonArrow(Canvas, InflateRectBy(R, -w, -w), ScrollArrowDirection(Horizontal, Part), State);
      break;
    }
    case sppPageUp:
    case sppPageDown: FillTrackPattern(Canvas, R, State == pbsPressed); break;
    default: break;
  }
}

void TcxFlatPainterMetaClass::PaintSchedulerSplitterFrame(TcxCanvas* Canvas, const TRect& R, bool Horizontal,
                                                          const TcxViewParamSet& ViewParams) const {
  // The long sides get a light and a shadow line; the rest is the view's background.
  const TcxBorders sides = Horizontal ? TcxBorders{bTop, bBottom} : TcxBorders{bLeft, bRight};
  Canvas->DrawTwoColorBorders(R, clBtnHighlight, clBtnShadow, sides);
  const TRect inner = Horizontal ? InflateRectBy(R, 0, -1) : InflateRectBy(R, -1, 0);
  Canvas->ApplyBrushColor(ViewParams.Color);
  Canvas->FillWithTileBitmap(inner, ViewParams.Bitmap);
}
