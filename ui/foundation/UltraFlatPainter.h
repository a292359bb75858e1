#pragma once
// The UltraFlat painter (kind lfUltraFlat, every look-and-feel's kind until another is assigned):
// single-pixel frames, hot tracking, and hot and pressed faces in light tints of the system colours
// (computed at each request, so a colour change shows at the next paint). The Office11 painter
// derives from it.

#include "ui/foundation/LookAndFeelPainters.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-parameter"

class TcxUltraFlatPainterMetaClass : public TcxLookAndFeelPainterMetaClass {
 public:
  using TcxLookAndFeelPainterMetaClass::TcxLookAndFeelPainterMetaClass;

  void PaintNavigationButtonFace(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State,
                                 bool IsNext) const override;
  int StyleCode() const override { return 2; }
  TColor SchedulerBorderColor() const override { return clBtnShadow; }
  int BorderThickness() const override { return 1; }
  void PaintBorder(TcxCanvas* Canvas, const TRect& R) const override;
  int ButtonFrameWidth(TcxPaintButtonState State) const override { return State == pbsDefault ? 2 : 1; }
  TColor ButtonFaceColor(TcxPaintButtonState State) const override;
  TRect ButtonFocusBounds(TcxCanvas* Canvas, const TRect& R) const override;
  TRect ButtonGroupFrameWidths(int ButtonCount, int ButtonIndex) const override;
  int ButtonTextOffset() const override { return 2; }
  int ButtonTextShift() const override { return 0; }
  TColor ButtonGlyphColor(TcxPaintButtonState State, TColor DefaultColor) const override;
  TcxPaintButtonState ButtonGlyphState(TcxPaintButtonState State) const override { return pbsNormal; }
  void PaintGroupedButton(TcxCanvas* Canvas, const TRect& R, TColor Color, int ButtonIndex, int ButtonCount,
                          TcxPaintButtonState State) const override;
  void PaintButtonFrame(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State) const override;
  void PaintGroupedButtonFrame(TcxCanvas* Canvas, const TRect& R, bool Hot, bool Pressed) const override;
  void PaintExpandButton(TcxCanvas* Canvas, const TRect& R, TColor Color, bool Expanded) const override;
  int ExpandButtonExtent() const override { return 11; }
  bool HotTracksButtons() const override { return true; }
  void PaintCheckFrame(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State) const override;
  void PaintHeaderCellEx(TcxCanvas* Canvas, const TRect& R, const TRect& TextR, TcxNeighbors Neighbors,
                         TcxBorders Borders, TcxPaintButtonState State, const TcxCellText& Cell,
                         const TcxCustomDrawBackgroundEvent& OnDrawBackground, bool IsLast) const override;
  void PaintHeaderFrame(TcxCanvas* Canvas, const TRect& R, TcxNeighbors Neighbors, TcxBorders Borders) const override;
  void PaintHeaderSectionFrame(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State,
                               TcxBorders Borders) const override;
  void PaintHeaderSectionContent(TcxCanvas* Canvas, const TRect& R, const TRect& TextR, TcxPaintButtonState State,
                                 const TcxCellText& Cell) const override;
  void PaintSortMark(TcxCanvas* Canvas, const TRect& R, bool Ascending) const override;
  TcxBorders HeaderBordersFor(TcxNeighbors Neighbors) const override;
  int HeaderFrameWidth() const override { return 1; }
  TPoint SortMarkSize() const override { return {7, 8}; }
  TcxBorders FooterBordersFor() const override { return {bRight, bBottom}; }
  int FooterFrameWidth() const override { return 1; }
  int FooterCellBorderWidth() const override { return 1; }
  int FooterCellSpacing() const override { return 2; }
  void PaintFooterFrame(TcxCanvas* Canvas, const TRect& R) const override;
  void PaintFooterCellFrame(TcxCanvas* Canvas, const TRect& R) const override;
  void PaintFilterDropDownButton(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State,
                                 bool IsFilterActive) const override;
  TPoint FilterCloseButtonSize() const override { return {16, 15}; }
  void PaintTabFrame(TcxCanvas* Canvas, const TRect& R, bool Vertical, TcxBorders Borders,
                     TcxBorder Border) const override;
  void PaintTabsArea(TcxCanvas* Canvas, const TRect& R, bool Vertical, TcxBorders Borders) const override;
  int TabFrameWidth(bool Vertical) const override { return 1; }
  void PaintScrollBarPart(TcxCanvas* Canvas, bool Horizontal, const TRect& R, TcxScrollBarPaintPart Part,
                          TcxPaintButtonState State) const override;
  void PaintSchedulerNavigatorButton(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State) const override;
  void PaintSchedulerSplitterFrame(TcxCanvas* Canvas, const TRect& R, bool Horizontal,
                                   const TcxViewParamSet& ViewParams) const override;

  // Added by this painter.
  virtual TColor FilterButtonFrameColor(TcxPaintButtonState State) const;
  virtual TColor TabFrameColor() const { return clBtnShadow; }
  virtual TColor TabFrameDarkColor() const { return clBtnText; }
  virtual TColor BorderHighlightColor() const { return clHighlight; }
};

#pragma GCC diagnostic pop

class TcxUltraFlatLookAndFeelPainter : public TcxCustomLookAndFeelPainter {
 public:
  using MetaClass = TcxUltraFlatPainterMetaClass;
  DECLARE_CLASS(TcxUltraFlatLookAndFeelPainter, TcxCustomLookAndFeelPainter)
};
