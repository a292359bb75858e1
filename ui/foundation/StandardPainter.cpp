#include "ui/foundation/StandardPainter.h"

#include "ui/foundation/FlatPainter.h"

DEFINE_CLASS_WITH(TcxStandardLookAndFeelPainter, TcxStandardPainterMetaClass)

#pragma GCC diagnostic ignored "-Wunused-parameter"

// A two-pixel sunken frame.
void TcxStandardPainterMetaClass::PaintBorder(TcxCanvas* Canvas, const TRect& R) const {
  Canvas->DrawTwoColorBorders(R, clBtnShadow, clBtnHighlight);
  Canvas->DrawTwoColorBorders(InflateRectBy(R, -1, -1), cl3DDkShadow, cl3DLight);
}

// Normal: a raised two-pixel frame; default: a black outline around it; pressed: a black outline
// and a flat shadow line.
void TcxStandardPainterMetaClass::PaintButtonFrame(TcxCanvas* Canvas, const TRect& R,
                                                   TcxPaintButtonState State) const {
  TRect frame = R;
  if (State == pbsPressed || State == pbsDefault) {
    Canvas->DrawFrameBorders(frame, clBlack, 1);
    frame = InflateRectBy(frame, -1, -1);
  }
  if (State == pbsPressed) return Canvas->DrawFrameBorders(frame, clBtnShadow, 1);
  Canvas->DrawTwoColorBorders(frame, clBtnHighlight, cl3DDkShadow);
  Canvas->DrawTwoColorBorders(InflateRectBy(frame, -1, -1), cl3DLight, clBtnShadow);
}

void TcxStandardPainterMetaClass::PaintExpandButton(TcxCanvas* Canvas, const TRect& R, TColor Color,
                                                    bool Expanded) const {
  Canvas->DrawTwoColorBorders(R, clBtnHighlight, clBtnShadow);
  Canvas->FillAreaWithColor(InflateRectBy(R, -1, -1), Color == clDefault ? clBtnFace : Color);
  PaintExpandCross(Canvas, R, clBtnText, Expanded);
  Canvas->SubtractFromClip(R);
}

void TcxStandardPainterMetaClass::PaintGroupExpandButton(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State,
                                                         bool Expanded) const {
  const TcxFlatPainterMetaClass& flat = TcxFlatLookAndFeelPainter::ClassInfo();
  flat.TcxLookAndFeelPainterMetaClass::PaintGroupExpandButton(Canvas, R, State, Expanded);
}

void TcxStandardPainterMetaClass::PaintCheckFrame(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State) const {
  Canvas->DrawEdgeBorders(R, true, true);
  Canvas->DrawEdgeBorders(InflateRectBy(R, -1, -1), true, false);
}

void TcxStandardPainterMetaClass::PaintHeaderFrame(TcxCanvas* Canvas, const TRect& R, TcxNeighbors Neighbors,
                                                   TcxBorders Borders) const {
  Canvas->DrawEdgeBorders(R, false, true);
  // Where a neighbour joins, the frame's corners blend into it.
  if (Neighbors.Contains(nLeft)) {
    Canvas->SetPixelColor(R.left, R.top + 1, clBtnFace);
    Canvas->SetPixelColor(R.left, R.bottom - 2, clBtnFace);
  }
  if (Neighbors.Contains(nRight)) {
    Canvas->SetPixelColor(R.right - 1, R.top, clBtnHighlight);
    Canvas->SetPixelColor(R.right - 1, R.top + 1, clBtnFace);
    Canvas->SetPixelColor(R.right - 1, R.bottom - 2, clBtnFace);
  }
}

void TcxStandardPainterMetaClass::PaintHeaderSectionFrame(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State,
                                                          TcxBorders Borders) const {
  if (State == pbsPressed) return Canvas->DrawTwoColorBorders(R, clBtnShadow, clBtnShadow, Borders);
  Canvas->DrawTwoColorBorders(R, clBtnHighlight, cl3DDkShadow, Borders);
  Canvas->DrawTwoColorBorders(InflateRectBy(R, -1, -1), cl3DLight, clBtnShadow, Borders);
}

void TcxStandardPainterMetaClass::PaintSortMark(TcxCanvas* Canvas, const TRect& R, bool Ascending) const {
  PaintSortArrow(Canvas, R, Ascending, clBtnHighlight, clBtnShadow);
}

void TcxStandardPainterMetaClass::PaintFooterFrame(TcxCanvas* Canvas, const TRect& R) const {
  Canvas->DrawEdgeBorders(R, false, true);
}

void TcxStandardPainterMetaClass::PaintFooterCellFrame(TcxCanvas* Canvas, const TRect& R) const {
  Canvas->DrawEdgeBorders(R, true, false);
}

void TcxStandardPainterMetaClass::PaintFilterDropDownButton(TcxCanvas* Canvas, const TRect& R,
                                                            TcxPaintButtonState State, bool IsFilterActive) const {
  if (State == pbsPressed)
    Canvas->DrawEdgeBorders(R, true, false);
  else
    Canvas->DrawEdgeBorders(R, false, true);
  const TRect inner = InflateRectBy(R, -1, -1);
  Canvas->FillAreaWithColor(inner, clBtnFace);
  PaintDropDownGlyph(Canvas, inner, IsFilterActive ? clBlue : clBtnText);
}

void TcxStandardPainterMetaClass::PaintTabFrame(TcxCanvas* Canvas, const TRect& R, bool Vertical, TcxBorders Borders,
                                                TcxBorder Border) const {
  // The strip of the border, cut back by a pixel where a neighbouring border turns the corner, whose
  // end pixel is lit instead: a tab with rounded corners.
  TRect strip = BorderStrip(R, Border, TabFrameWidth(Vertical));
  const bool across = Border == bLeft || Border == bRight;
  const TcxBorder before = across ? bTop : bLeft, after = across ? bBottom : bRight;
  if (Borders.Contains(before)) {
    across ? ++strip.top : ++strip.left;
    Canvas->SetPixelColor(across ? strip.left : strip.left - 1, across ? strip.top - 1 : strip.top, clBtnHighlight);
  }
  if (Borders.Contains(after)) across ? --strip.bottom : --strip.right;
  const bool shaded = Vertical ? Border == bRight : Border == bBottom;
  Canvas->FillAreaWithColor(strip, shaded ? clBtnShadow : clBtnHighlight);
}

void TcxStandardPainterMetaClass::PaintTabsArea(TcxCanvas* Canvas, const TRect& R, bool Vertical,
                                                TcxBorders Borders) const {
  Canvas->DrawEdgeBorders(R, false, true, Borders);
}

void TcxStandardPainterMetaClass::PaintScrollFrame(TcxCanvas* Canvas, const TRect& R, TcxScrollBarPaintPart Part,
                                                   TcxPaintButtonState State) {
  if (Part != sppThumb && State == pbsPressed) {
    Canvas->DrawFrameBorders(R, clBtnShadow, 1);
    Canvas->DrawFrameBorders(InflateRectBy(R, -1, -1), clBtnFace, 1);
    return;
  }
  Canvas->DrawTwoColorBorders(R, clBtnFace, cl3DDkShadow);
  Canvas->DrawTwoColorBorders(InflateRectBy(R, -1, -1), clBtnHighlight, clBtnShadow);
}

void TcxStandardPainterMetaClass::PaintScrollBarPart(TcxCanvas* Canvas, bool Horizontal, const TRect& R,
                                                     TcxScrollBarPaintPart Part, TcxPaintButtonState State) const {
  if (RectHasNoArea(R) || (Part == sppThumb && State == pbsDisabled)) return;
  if (State == pbsHot) State = pbsNormal;  // no hot tracking
  switch (Part) {
    case sppPageUp:
    case sppPageDown: FillTrackPattern(Canvas, R, State == pbsPressed); break;
    case sppThumb: {
      PaintScrollFrame(Canvas, R, Part, State);
      const int w = ButtonFrameWidth(pbsNormal);
      Canvas->FillAreaWithColor(InflateRectBy(R, -w, -w), clBtnFace);
      break;
    }
    case sppLineUp:
    case sppLineDown: {
      RECT arrow = State == pbsPressed ? OffsetRectBy(R, 1, 1) : R;
      UINT style = Horizontal ? (Part == sppLineUp ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT)
                              : (Part == sppLineUp ? DFCS_SCROLLUP : DFCS_SCROLLDOWN);
      if (State == pbsDisabled) style |= DFCS_INACTIVE;
      if (State == pbsPressed) style |= DFCS_FLAT;
      DrawFrameControl(Canvas->DCHandle(), &arrow, DFC_SCROLL, style);
      PaintScrollFrame(Canvas, R, Part, State);
      break;
    }
    default: break;
  }
}

void TcxStandardPainterMetaClass::PaintCalendarHeader(TcxCanvas* Canvas, const TRect& R, const String& Text,
                                                      const TcxViewParamSet& ViewParams, int Arrows,
                                                      TcxNeighbors Neighbors,
                                                      const TcxCustomDrawBackgroundEvent& OnDrawBackground) const {
  // A black line on each side that has no neighbour, the header cell inside it.
  TcxBorders sides = cxBordersAll;
  if (Neighbors.Contains(nLeft)) sides.Exclude(bLeft);
  if (Neighbors.Contains(nTop)) sides.Exclude(bTop);
  if (Neighbors.Contains(nRight)) sides.Exclude(bRight);
  if (Neighbors.Contains(nBottom)) sides.Exclude(bBottom);
  Canvas->DrawFrameBorders(R, clBlack, 1, sides);
  const TRect inner = HeaderInnerBounds(R, sides);
  PaintHeaderCell(Canvas, inner, inner, Neighbors, HeaderBordersFor(Neighbors), pbsNormal,
                  ViewParamsCell(Text, ViewParams), OnDrawBackground, false);
  PaintCalendarHeaderArrows(Canvas, inner, clWindowText, Arrows);
}

void TcxStandardPainterMetaClass::PaintSchedulerSplitterFrame(TcxCanvas* Canvas, const TRect& R, bool Horizontal,
                                                              const TcxViewParamSet& ViewParams) const {
  const TcxBorders sides = Horizontal ? TcxBorders{bTop, bBottom} : TcxBorders{bLeft, bRight};
  Canvas->DrawTwoColorBorders(R, clBtnFace, cl3DDkShadow, sides);
  const TRect inside = Horizontal ? InflateRectBy(R, 0, -1) : InflateRectBy(R, -1, 0);
  Canvas->DrawTwoColorBorders(inside, clBtnHighlight, clBtnShadow, sides);
  const TRect rest = Horizontal ? InflateRectBy(R, 0, -2) : InflateRectBy(R, -2, 0);
  Canvas->ApplyBrushColor(ViewParams.Color);
  Canvas->FillWithTileBitmap(rest, ViewParams.Bitmap);
}
