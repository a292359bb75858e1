#pragma once
// The Standard painter (kind lfStandard): the classic raised and sunken 3-D look in system colours,
// two-pixel borders, push buttons and scroll bars with the system's frame-control arrows. The WinXP
// painter falls back to it, and the Office11 painter draws its scroll bars through it without themes.

#include "ui/foundation/LookAndFeelPainters.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-parameter"

class TcxStandardPainterMetaClass : public TcxLookAndFeelPainterMetaClass {
 public:
  using TcxLookAndFeelPainterMetaClass::TcxLookAndFeelPainterMetaClass;

  int StyleCode() const override { return 1; }
  TColor SchedulerViewContentColor() const override { return clWindow; }
  int BorderThickness() const override { return 2; }
  void PaintBorder(TcxCanvas* Canvas, const TRect& R) const override;
  int ButtonFrameWidth(TcxPaintButtonState State) const override { return State == pbsDefault ? 3 : 2; }
  int ButtonTextOffset() const override { return 1; }
  int ButtonTextShift() const override { return 1; }
  void PaintButtonFrame(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State) const override;
  void PaintExpandButton(TcxCanvas* Canvas, const TRect& R, TColor Color, bool Expanded) const override;
  // The base routine run as the Flat painter (its frame and metrics).
  void PaintGroupExpandButton(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State,
                              bool Expanded) const override;
  int ExpandButtonExtent() const override { return 12; }
  bool HotTracksButtons() const override { return false; }
  void PaintCheckFrame(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State) const override;
  void PaintHeaderFrame(TcxCanvas* Canvas, const TRect& R, TcxNeighbors Neighbors, TcxBorders Borders) const override;
  void PaintHeaderSectionFrame(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State,
                               TcxBorders Borders) const override;
  void PaintSortMark(TcxCanvas* Canvas, const TRect& R, bool Ascending) const override;
  int HeaderFrameWidth() const override { return 1; }
  int HeaderSectionFrameWidth(TcxPaintButtonState State) const override { return State == pbsPressed ? 1 : 2; }
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
  void PaintCalendarHeader(TcxCanvas* Canvas, const TRect& R, const String& Text, const TcxViewParamSet& ViewParams,
                           int Arrows, TcxNeighbors Neighbors,
                           const TcxCustomDrawBackgroundEvent& OnDrawBackground) const override;
  void PaintSchedulerSplitterFrame(TcxCanvas* Canvas, const TRect& R, bool Horizontal,
                                   const TcxViewParamSet& ViewParams) const override;

 protected:
  // The two-pixel frame of a scroll-bar thumb or arrow button (flat for a pressed arrow).
  static void PaintScrollFrame(TcxCanvas* Canvas, const TRect& R, TcxScrollBarPaintPart Part,
                               TcxPaintButtonState State);
};

#pragma GCC diagnostic pop

class TcxStandardLookAndFeelPainter : public TcxCustomLookAndFeelPainter {
 public:
  using MetaClass = TcxStandardPainterMetaClass;
  DECLARE_CLASS(TcxStandardLookAndFeelPainter, TcxCustomLookAndFeelPainter)
};
