#include "ui/foundation/UltraFlatPainter.h"

#include "ui/foundation/Graphics.h"

DEFINE_CLASS_WITH(TcxUltraFlatLookAndFeelPainter, TcxUltraFlatPainterMetaClass)

#pragma GCC diagnostic ignored "-Wunused-parameter"

void TcxUltraFlatPainterMetaClass::PaintBorder(TcxCanvas* Canvas, const TRect& R) const {
  Canvas->DrawFrameBorders(R, clBtnShadow, 1);
}

TColor TcxUltraFlatPainterMetaClass::ButtonFaceColor(TcxPaintButtonState State) const {
  if (State == pbsHot) return HotTintColor();
  if (State == pbsPressed) return SelectionTintColor();
  return clBtnFace;
}

TRect TcxUltraFlatPainterMetaClass::ButtonFocusBounds(TcxCanvas* Canvas, const TRect& R) const {
  const TRect inner = InflateRectBy(R, -3, -3);
  return RectHasNoArea(inner) ? R : inner;
}

TRect TcxUltraFlatPainterMetaClass::ButtonGroupFrameWidths(int ButtonCount, int ButtonIndex) const {
  TRect widths{1, 2, 1, 2};
  if (ButtonIndex == 0)
    widths.left = 2;
  else if (ButtonIndex == ButtonCount - 1)
    widths.right = 2;
  return widths;
}

TColor TcxUltraFlatPainterMetaClass::ButtonGlyphColor(TcxPaintButtonState State, TColor DefaultColor) const {
  if (State == pbsPressed) return clHighlightText;
  return TcxLookAndFeelPainterMetaClass::ButtonGlyphColor(State, DefaultColor);
}

void TcxUltraFlatPainterMetaClass::PaintGroupedButton(TcxCanvas* Canvas, const TRect& R, TColor Color,
                                                      int ButtonIndex, int ButtonCount,
                                                      TcxPaintButtonState State) const {
  const bool first = ButtonIndex == 0, last = ButtonIndex == ButtonCount - 1;
  TRect face = InflateRectSides(R, first ? -1 : 0, -1, last ? -1 : 0, -1);
  if (State == pbsNormal || State == pbsDisabled) {
    Canvas->DrawFrameBorders(face, Color, 1);
    face = InflateRectBy(face, -1, -1);
  } else {
    TcxBorders separators;
    if (!first) separators.Include(bLeft);
    if (!last) separators.Include(bRight);
    Canvas->DrawFrameBorders(face, BorderHighlightColor(), 1, separators);
    if (!first) ++face.left;
    if (!last) --face.right;
  }
  Canvas->FillAreaWithColor(face, ButtonFaceColor(State));
}

void TcxUltraFlatPainterMetaClass::PaintButtonFrame(TcxCanvas* Canvas, const TRect& R,
                                                    TcxPaintButtonState State) const {
  switch (State) {
    case pbsDefault:
      Canvas->DrawFrameBorders(R, clWindowFrame, 1);
      Canvas->DrawFrameBorders(InflateRectBy(R, -1, -1), clWindowFrame, 1);
      break;
    case pbsNormal: Canvas->DrawFrameBorders(R, clBtnText, 1); break;
    case pbsDisabled: Canvas->DrawFrameBorders(R, clBtnShadow, 1); break;
    default: Canvas->DrawFrameBorders(R, clHighlight, 1); break;
  }
}

void TcxUltraFlatPainterMetaClass::PaintGroupedButtonFrame(TcxCanvas* Canvas, const TRect& R, bool Hot,
                                                           bool Pressed) const {
  Canvas->DrawFrameBorders(R, Pressed ? clBtnText : Hot ? BorderHighlightColor() : clBtnShadow, 1);
}

void TcxUltraFlatPainterMetaClass::PaintExpandButton(TcxCanvas* Canvas, const TRect& R, TColor Color,
                                                     bool Expanded) const {
  Canvas->DrawFrameBorders(R, clBtnShadow, 1);
  Canvas->FillAreaWithColor(InflateRectBy(R, -1, -1), Color == clDefault ? clBtnFace : Color);
  PaintExpandCross(Canvas, R, clBtnText, Expanded);
  Canvas->SubtractFromClip(R);
}

void TcxUltraFlatPainterMetaClass::PaintCheckFrame(TcxCanvas* Canvas, const TRect& R,
                                                   TcxPaintButtonState State) const {
  Canvas->DrawFrameBorders(R, clBtnText, 1);
  Canvas->DrawFrameBorders(InflateRectBy(R, -1, -1), CheckFaceColor(State), 1);
}

void TcxUltraFlatPainterMetaClass::PaintHeaderCellEx(TcxCanvas* Canvas, const TRect& R, const TRect& TextR,
                                                     TcxNeighbors Neighbors, TcxBorders Borders,
                                                     TcxPaintButtonState State, const TcxCellText& Cell,
                                                     const TcxCustomDrawBackgroundEvent& OnDrawBackground,
                                                     bool IsLast) const {
  PaintCellContent(Canvas, R, TextR, Cell, OnDrawBackground, State, false);
  PaintHeaderFrame(Canvas, R, Neighbors, Borders);
}

void TcxUltraFlatPainterMetaClass::PaintHeaderFrame(TcxCanvas* Canvas, const TRect& R, TcxNeighbors Neighbors,
                                                    TcxBorders Borders) const {
  TcxBorders sides{bRight, bBottom};
  if (Borders.Contains(bLeft)) sides.Include(bLeft);
  if (Borders.Contains(bTop)) sides.Include(bTop);
  Canvas->DrawFrameBorders(R, clBtnText, 1, sides);
}

void TcxUltraFlatPainterMetaClass::PaintHeaderSectionFrame(TcxCanvas* Canvas, const TRect& R,
                                                           TcxPaintButtonState State, TcxBorders Borders) const {
  const TColor c = State == pbsDisabled ? clBtnShadow : clBlack;
  Canvas->DrawTwoColorBorders(R, c, c, Borders);
}

void TcxUltraFlatPainterMetaClass::PaintHeaderSectionContent(TcxCanvas* Canvas, const TRect& R, const TRect& TextR,
                                                             TcxPaintButtonState State,
                                                             const TcxCellText& Cell) const {
  Canvas->FillAreaWithColor(R, State == pbsDefault || State == pbsNormal ? Cell.BkColor : ButtonFaceColor(State));
  PaintHeaderSectionText(Canvas, TextR, State, Cell);
}

void TcxUltraFlatPainterMetaClass::PaintSortMark(TcxCanvas* Canvas, const TRect& R, bool Ascending) const {
  PaintSortArrow(Canvas, R, Ascending, clBtnShadow, clBtnShadow);
}

TcxBorders TcxUltraFlatPainterMetaClass::HeaderBordersFor(TcxNeighbors Neighbors) const {
  TcxBorders borders = cxBordersAll;
  if (Neighbors.Contains(nLeft)) borders.Exclude(bLeft);
  if (Neighbors.Contains(nTop)) borders.Exclude(bTop);
  return borders;
}

void TcxUltraFlatPainterMetaClass::PaintFooterFrame(TcxCanvas* Canvas, const TRect& R) const {
  Canvas->DrawFrameBorders(R, FooterSeparatorLineColor(), 1, {bRight, bBottom});
}

void TcxUltraFlatPainterMetaClass::PaintFooterCellFrame(TcxCanvas* Canvas, const TRect& R) const {
  Canvas->DrawFrameBorders(R, FooterSeparatorLineColor(), 1);
}

void TcxUltraFlatPainterMetaClass::PaintFilterDropDownButton(TcxCanvas* Canvas, const TRect& R,
                                                             TcxPaintButtonState State, bool IsFilterActive) const {
  Canvas->DrawFrameBorders(R, FilterButtonFrameColor(State), 1);
  const TRect inner = InflateRectBy(R, -1, -1);
  Canvas->FillAreaWithColor(inner, ButtonFaceColor(State));
  PaintDropDownGlyph(Canvas, inner, IsFilterActive ? clBlue : ButtonGlyphColor(State, clDefault));
}

void TcxUltraFlatPainterMetaClass::PaintTabFrame(TcxCanvas* Canvas, const TRect& R, bool Vertical, TcxBorders Borders,
                                                 TcxBorder Border) const {
  const int w = TabFrameWidth(Vertical);
  TRect strip = BorderStrip(R, Border, w);
  const bool dark = Vertical ? Border == bBottom : Border == bRight;
  if (dark && !Vertical) strip.bottom -= w;
  Canvas->FillAreaWithColor(strip, dark ? TabFrameDarkColor() : TabFrameColor());
}

void TcxUltraFlatPainterMetaClass::PaintTabsArea(TcxCanvas* Canvas, const TRect& R, bool Vertical,
                                                 TcxBorders Borders) const {
  Canvas->DrawTwoColorBorders(R, TabFrameColor(), TabFrameColor(), Borders, TabFrameWidth(Vertical));
}

void TcxUltraFlatPainterMetaClass::PaintNavigationButtonFace(TcxCanvas* Canvas, const TRect& R,
                                                             TcxPaintButtonState State, bool IsNext) const {
  PaintPlainNavigationButton(Canvas, R, clBtnFace, State == pbsHot ? TabFrameColor() : TabFrameDarkColor(), State,
                             IsNext);
}

void TcxUltraFlatPainterMetaClass::PaintScrollBarPart(TcxCanvas* Canvas, bool Horizontal, const TRect& R,
                                                      TcxScrollBarPaintPart Part, TcxPaintButtonState State) const {
  if (RectHasNoArea(R) || (Part == sppThumb && State == pbsDisabled)) return;
  switch (Part) {
    case sppLineUp:
    case sppLineDown:
    case sppThumb:
      PaintButton(Canvas, R, false, clDefault, clDefault, true, State, L"");
      if (Part != sppThumb) PaintButtonArrow(Canvas, R, ScrollArrowDirection(Horizontal, Part), State);
      break;
    case sppPageUp:
    case sppPageDown: FillTrackPattern(Canvas, R, State == pbsPressed); break;
    default: break;
  }
}

void TcxUltraFlatPainterMetaClass::PaintSchedulerNavigatorButton(TcxCanvas* Canvas, const TRect& R,
                                                                 TcxPaintButtonState State) const {
  PaintButton(Canvas, R, false, clDefault, clDefault, State == pbsHot || State == pbsPressed, State, L"");
}

void TcxUltraFlatPainterMetaClass::PaintSchedulerSplitterFrame(TcxCanvas* Canvas, const TRect& R, bool Horizontal,
                                                               const TcxViewParamSet& ViewParams) const {
  const TcxBorders sides = Horizontal ? TcxBorders{bTop, bBottom} : TcxBorders{bLeft, bRight};
  Canvas->DrawFrameBorders(R, SchedulerBorderColor(), 1, sides);
  Canvas->ApplyBrushColor(ViewParams.Color);
  Canvas->FillWithTileBitmap(Horizontal ? InflateRectBy(R, 0, -1) : InflateRectBy(R, -1, 0), ViewParams.Bitmap);
}

TColor TcxUltraFlatPainterMetaClass::FilterButtonFrameColor(TcxPaintButtonState State) const {
  return State == pbsNormal ? clBtnShadow : clHighlight;
}
