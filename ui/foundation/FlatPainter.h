#pragma once
// The Flat painter (kind lfFlat): one-pixel 3-D frames in clBtnHighlight and clBtnShadow, buttons
// through the base button routine, scroll bars of flat buttons with painted arrows; nothing is
// highlighted under the mouse.

#include "ui/foundation/LookAndFeelPainters.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-parameter"

class TcxFlatPainterMetaClass : public TcxLookAndFeelPainterMetaClass {
 public:
  using TcxLookAndFeelPainterMetaClass::TcxLookAndFeelPainterMetaClass;

  int StyleCode() const override { return 0; }
  int BorderThickness() const override { return 1; }
  void PaintBorder(TcxCanvas* Canvas, const TRect& R) const override;
  int ButtonFrameWidth(TcxPaintButtonState State) const override { return State == pbsDefault ? 2 : 1; }
  int ButtonTextOffset() const override { return 1; }
  int ButtonTextShift() const override { return 1; }
  void PaintButtonFrame(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State) const override;
  void PaintExpandButton(TcxCanvas* Canvas, const TRect& R, TColor Color, bool Expanded) const override;
  int ExpandButtonExtent() const override { return 11; }
  bool HotTracksButtons() const override { return false; }
  void PaintCheckFrame(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State) const override;
  void PaintHeaderFrame(TcxCanvas* Canvas, const TRect& R, TcxNeighbors Neighbors, TcxBorders Borders) const override;
  void PaintHeaderSectionFrame(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State,
                               TcxBorders Borders) const override;
  void PaintSortMark(TcxCanvas* Canvas, const TRect& R, bool Ascending) const override;
  int HeaderFrameWidth() const override { return 1; }
  TPoint SortMarkSize() const override { return {8, 7}; }
  int FooterFrameWidth() const override { return 1; }
  int FooterCellBorderWidth() const override { return 1; }
  int FooterCellSpacing() const override { return 1; }
  void PaintFooterFrame(TcxCanvas* Canvas, const TRect& R) const override;
  void PaintFooterCellFrame(TcxCanvas* Canvas, const TRect& R) const override;
  void PaintFilterDropDownButton(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State,
                                 bool IsFilterActive) const override;
  void PaintTabFrame(TcxCanvas* Canvas, const TRect& R, bool Vertical, TcxBorders Borders,
                     TcxBorder Border) const override;
  void PaintTabsArea(TcxCanvas* Canvas, const TRect& R, bool Vertical, TcxBorders Borders) const override;
  int TabFrameWidth(bool Vertical) const override { return 1; }
  void PaintScrollBarPart(TcxCanvas* Canvas, bool Horizontal, const TRect& R, TcxScrollBarPaintPart Part,
                          TcxPaintButtonState State) const override;
  void PaintSchedulerSplitterFrame(TcxCanvas* Canvas, const TRect& R, bool Horizontal,
                                   const TcxViewParamSet& ViewParams) const override;
};

#pragma GCC diagnostic pop

class TcxFlatLookAndFeelPainter : public TcxCustomLookAndFeelPainter {
 public:
  using MetaClass = TcxFlatPainterMetaClass;
  DECLARE_CLASS(TcxFlatLookAndFeelPainter, TcxCustomLookAndFeelPainter)
};
