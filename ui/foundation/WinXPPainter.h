#pragma once
// The WinXP painter: elements drawn through the visual styles of the running system. Every operation
// first asks the theme cache for the theme of its themed object kind; without one (visual styles
// off, or the class missing from the theme) it does exactly what the Standard painter does.

#include "ui/foundation/StandardPainter.h"
#include "ui/foundation/Themes.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-parameter"

class TcxWinXPPainterMetaClass : public TcxStandardPainterMetaClass {
 public:
  using TcxStandardPainterMetaClass::TcxStandardPainterMetaClass;

  void PaintNavigationButtonFace(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State,
                                 bool IsNext) const override;
  int StyleCode() const override { return 3; }
  TColor SchedulerBorderColor() const override;
  TColor SchedulerViewContentColor() const override { return 0xD5FFFF; }
  void PaintScrollArrow(TcxCanvas* Canvas, const TRect& R, bool WithBorder, TcxPaintArrowDirection Direction,
                        TcxPaintButtonState State) const override;
  void PaintArrowFrame(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State) const override;
  int BorderThickness() const override;
  void PaintBorder(TcxCanvas* Canvas, const TRect& R) const override;
  TRect GroupButtonDisplayBounds(const TRect& R, int ButtonCount, int ButtonIndex) const override;
  int ButtonFrameWidth(TcxPaintButtonState State) const override;
  TColor ButtonFaceColor(TcxPaintButtonState State) const override;
  TRect ButtonFocusBounds(TcxCanvas* Canvas, const TRect& R) const override;
  TRect ButtonGroupFrameWidths(int ButtonCount, int ButtonIndex) const override;
  int ButtonTextOffset() const override;
  int ButtonTextShift() const override;
  TColor ButtonGlyphColor(TcxPaintButtonState State, TColor DefaultColor) const override;
  void PaintButton(TcxCanvas* Canvas, const TRect& R, bool WordWrap, TColor TextColor, TColor FaceColor, bool WithFrame,
                   TcxPaintButtonState State, const String& Caption) const override;
  void PaintExpandButton(TcxCanvas* Canvas, const TRect& R, TColor Color, bool Expanded) const override;
  bool PaintsExpandButtonFirst() const override;
  void PaintGroupExpandButton(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State,
                              bool Expanded) const override;
  void PaintSmallExpandButton(TcxCanvas* Canvas, const TRect& R, TColor Color, TColor BorderColor,
                              bool Expanded) const override;
  int ExpandButtonExtent() const override;
  int GroupExpandButtonExtent() const override;
  bool HotTracksButtons() const override { return true; }
  bool IsPointOverGroupExpandButton(const TRect& R, const TPoint& P) const override;
  int SmallExpandButtonExtent() const override { return ExpandButtonExtent(); }
  int CheckFrameWidth() const override;
  TSize CheckBoxExtent() const override;
  void PaintCheckMark(TcxCanvas* Canvas, const TRect& R, TColor Color, bool Checked,
                      TcxPaintButtonState State) const override;
  void PaintCheckFrame(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State) const override;
  void PaintRadioButton(TcxCanvas* Canvas, int X, int Y, TcxPaintButtonState State, bool Checked, bool Focused,
                        TColor BackColor, bool IsDesigning) const override;
  TSize RadioButtonExtent() const override;
  void PaintHeaderCell(TcxCanvas* Canvas, const TRect& R, const TRect& TextR, TcxNeighbors Neighbors,
                       TcxBorders Borders, TcxPaintButtonState State, const TcxCellText& Cell,
                       const TcxCustomDrawBackgroundEvent& OnDrawBackground, bool IsLast) const override;
  void PaintHeaderPressed(TcxCanvas* Canvas, const TRect& R) const override;
  void PaintHeaderSection(TcxCanvas* Canvas, const TRect& R, const TRect& TextR, TcxPaintButtonState State,
                          TcxBorders Borders, const TcxCellText& Cell) const override;
  void PaintSortMark(TcxCanvas* Canvas, const TRect& R, bool Ascending) const override;
  int HeaderFrameWidth() const override;
  int HeaderSectionFrameWidth(TcxPaintButtonState State) const override;
  TRect HeaderSectionContentBounds(const TRect& R, TcxPaintButtonState State) const override;
  bool HotTracksHeaders() const override { return true; }
  TPoint SortMarkSize() const override;
  bool PaintsFooterCellsFirst() const override;
  void PaintFooterCell(TcxCanvas* Canvas, const TRect& R, const TcxCellText& Cell,
                       const TcxCustomDrawBackgroundEvent& OnDrawBackground) const override;
  void PaintFooterFrame(TcxCanvas* Canvas, const TRect& R) const override;
  void PaintFilterCloseButton(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State) const override;
  void PaintFilterDropDownButton(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State,
                                 bool IsFilterActive) const override;
  TPoint FilterActivateButtonSize() const override;
  TPoint FilterCloseButtonSize() const override;
  void PaintTab(TcxCanvas* Canvas, const TRect& R, bool ShowPrefix, TColor BkColor, TColor TextColor, TFont* Font,
                bool Vertical, TcxPaintButtonState State, const String& Text, TcxBorders Borders) const override;
  void PaintTabFrame(TcxCanvas* Canvas, const TRect& R, bool Vertical, TcxBorders Borders,
                     TcxBorder Border) const override;
  void PaintTabsArea(TcxCanvas* Canvas, const TRect& R, bool Vertical, TcxBorders Borders) const override;
  bool PaintsTabItself(TcxPaintButtonState TabState) const override;
  bool HotTracksTab(TcxPaintButtonState TabState) const override;
  int TabFrameWidth(bool Vertical) const override { return 1; }
  // The base routine run as the Flat painter (not themed).
  void PaintIndicatorCell(TcxCanvas* Canvas, const TRect& R, TcxNeighbors Neighbors, TColor BkColor,
                          TcxIndicatorKind Kind) const override;
  int MinScrollThumbLength(bool Vertical) const override;
  void PaintScrollBarPart(TcxCanvas* Canvas, bool Horizontal, const TRect& R, TcxScrollBarPaintPart Part,
                          TcxPaintButtonState State) const override;
  void PaintSizeGrip(TcxCanvas* Canvas, const TRect& R, TColor BackColor) const override;
  void PaintCalendarHeader(TcxCanvas* Canvas, const TRect& R, const String& Text, const TcxViewParamSet& ViewParams,
                           int Arrows, TcxNeighbors Neighbors,
                           const TcxCustomDrawBackgroundEvent& OnDrawBackground) const override;
  void PaintSchedulerEventProgress(TcxCanvas* Canvas, const TRect& Bounds, bool Transparent,
                                   const TcxViewParamSet& ViewParams, const TRect& ProgressR) const override;
  void PaintSchedulerNavigatorButton(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State) const override;
  void PaintSchedulerSplitterFrame(TcxCanvas* Canvas, const TRect& R, bool Horizontal,
                                   const TcxViewParamSet& ViewParams) const override;
  TRect SchedulerEventProgressInsets() const override;
  void PaintPanelBackground(TcxCanvas* Canvas, TWinControl* Control, const TRect& R, TColor ColorFrom,
                            TColor ColorTo) const override;

  // Added by this painter: text through the theme, aligned as the cell says.
  virtual void PaintThemedText(TcxCanvas* Canvas, TdxTheme Theme, int Part, int State, const TRect& R,
                               const TcxCellText& Cell) const;

  // The theme states of the mapping tables.
  static int PushButtonState(TcxPaintButtonState State);
  static int CheckBoxState(bool Checked, TcxPaintButtonState State);
  static int HeaderItemState(TcxPaintButtonState State);
  // Small close button, combo-box drop-down button and tab item.
  static int ItemState(TcxPaintButtonState State);
  static int ToolBarButtonState(TcxPaintButtonState State);
  static int ScrollArrowState(TcxPaintArrowDirection Direction, TcxPaintButtonState State);
  static int ScrollThumbState(TcxPaintButtonState State);
};

#pragma GCC diagnostic pop

class TcxWinXPLookAndFeelPainter : public TcxStandardLookAndFeelPainter {
 public:
  using MetaClass = TcxWinXPPainterMetaClass;
  DECLARE_CLASS(TcxWinXPLookAndFeelPainter, TcxStandardLookAndFeelPainter)
};
