#pragma once
// The Office11 painter (kind lfOffice11, the main window's bar manager's): the UltraFlat painter's
// single-pixel hot-tracking look in the colours of the Office11 palette. Its scroll bars are the
// WinXP painter's while the scroll-bar theme opens and the Standard painter's otherwise; its size grip
// is the dotted one.

#include "ui/foundation/UltraFlatPainter.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-parameter"

class TcxOffice11PainterMetaClass : public TcxUltraFlatPainterMetaClass {
 public:
  using TcxUltraFlatPainterMetaClass::TcxUltraFlatPainterMetaClass;

  void PaintCellContent(TcxCanvas* Canvas, const TRect& R, const TRect& TextR, const TcxCellText& Cell,
                        const TcxCustomDrawBackgroundEvent& OnDrawBackground, TcxPaintButtonState State,
                        bool Solid) const override;
  void PaintNavigationButtonFace(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State,
                                 bool IsNext) const override;
  int StyleCode() const override { return 4; }
  TColor FilterBoxColor() const override;
  TColor FilterBoxTextColor() const override;
  TColor FooterColor() const override;
  TColor FooterTextColor() const override { return GroupTextColor(); }
  TColor GridLineColor() const override;
  TColor GroupColor() const override;
  TColor DetailsSiteColor() const override;
  TColor GroupByBoxColor() const override { return GridLineColor(); }
  TColor GroupBandColor() const override { return GroupBandGradientColor(); }
  TColor CalendarHeaderColor() const override;
  TColor CalendarSelectionColor() const override;
  TColor CalendarSelectionTextColor() const override { return clWindowText; }
  TColor SchedulerBorderColor() const override;
  TColor SchedulerControlColor() const override;
  TColor SchedulerDayHeaderColor() const override;
  TColor SchedulerResourceHeaderColor() const override { return SchedulerDayHeaderColor(); }
  TColor SchedulerGroupSeparatorColor() const override;
  TColor SchedulerAllDayColor() const override { return SchedulerControlColor(); }
  void PaintBorder(TcxCanvas* Canvas, const TRect& R) const override;
  TColor ButtonFaceColor(TcxPaintButtonState State) const override;
  TColor ButtonGlyphColor(TcxPaintButtonState State, TColor DefaultColor) const override;
  void PaintButtonFrame(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State) const override;
  void PaintExpandButton(TcxCanvas* Canvas, const TRect& R, TColor Color, bool Expanded) const override;
  bool PaintsExpandButtonFirst() const override { return false; }
  void PaintSmallExpandButton(TcxCanvas* Canvas, const TRect& R, TColor Color, TColor BorderColor,
                              bool Expanded) const override;
  int ExpandButtonExtent() const override { return 11; }
  int SmallExpandButtonExtent() const override { return 11; }
  TColor CheckFaceColor(TcxPaintButtonState State) const override;
  void PaintHeaderCell(TcxCanvas* Canvas, const TRect& R, const TRect& TextR, TcxNeighbors Neighbors,
                       TcxBorders Borders, TcxPaintButtonState State, const TcxCellText& Cell,
                       const TcxCustomDrawBackgroundEvent& OnDrawBackground, bool IsLast) const override;
  void PaintHeaderFrame(TcxCanvas* Canvas, const TRect& R, TcxNeighbors Neighbors, TcxBorders Borders) const override;
  void PaintHeaderSection(TcxCanvas* Canvas, const TRect& R, const TRect& TextR, TcxPaintButtonState State,
                          TcxBorders Borders, const TcxCellText& Cell) const override;
  void PaintSortMark(TcxCanvas* Canvas, const TRect& R, bool Ascending) const override;
  TcxBorders HeaderBordersFor(TcxNeighbors Neighbors) const override { return cxBordersAll; }
  int HeaderFrameWidth() const override { return 1; }
  bool HotTracksHeaders() const override { return true; }
  TColor FooterSeparatorLineColor() const override { return HeaderShadowColor(); }
  void PaintScrollBarPart(TcxCanvas* Canvas, bool Horizontal, const TRect& R, TcxScrollBarPaintPart Part,
                          TcxPaintButtonState State) const override;
  void PaintSizeGrip(TcxCanvas* Canvas, const TRect& R, TColor BackColor) const override;
  void PaintCalendarHeader(TcxCanvas* Canvas, const TRect& R, const String& Text, const TcxViewParamSet& ViewParams,
                           int Arrows, TcxNeighbors Neighbors,
                           const TcxCustomDrawBackgroundEvent& OnDrawBackground) const override;
  void PaintSchedulerBorder(TcxCanvas* Canvas, const TRect& R) const override;
  void PaintSchedulerNavigatorButton(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State) const override;
  void PaintPanelBackground(TcxCanvas* Canvas, TWinControl* Control, const TRect& R, TColor ColorFrom,
                            TColor ColorTo) const override;
  TColor FilterButtonFrameColor(TcxPaintButtonState State) const override;
  TColor TabFrameColor() const override { return HeaderShadowColor(); }
  TColor TabFrameDarkColor() const override { return clBtnText; }
  TColor BorderHighlightColor() const override;

  // Added by this painter.
  virtual TColor HeaderLightColor() const;
  virtual TColor HeaderShadowColor() const;
  virtual TColor HeaderHighlightColor() const;
  virtual TColor GroupBandGradientColor() const;
};

#pragma GCC diagnostic pop

class TcxOffice11LookAndFeelPainter : public TcxUltraFlatLookAndFeelPainter {
 public:
  using MetaClass = TcxOffice11PainterMetaClass;
  DECLARE_CLASS(TcxOffice11LookAndFeelPainter, TcxUltraFlatLookAndFeelPainter)
};
