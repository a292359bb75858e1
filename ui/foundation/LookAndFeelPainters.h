#pragma once
// The look-and-feel painters: the drawing of borders, buttons, arrows, check boxes, radio buttons,
// headers, footers, tabs, scroll-bar parts, size grips and the parts of grid, calendar, scheduler,
// chart, progress, group-box, panel, track-bar and splitter views, with the colours and metrics that
// go with them.
//
// A painter is a class that is never instantiated. Its operations are virtual class operations: they
// live in the painter family's metaclass, one immutable object per painter class, and a caller holds
// the class reference (TcxCustomLookAndFeelPainterClass, from a look-and-feel's ActivePainter or a
// class named directly) and calls through it:
//
//   TcxCustomLookAndFeelPainterClass painter = LookAndFeel->ActivePainter();
//   painter->PaintButton(Canvas, R, false, clDefault, clDefault, true, pbsHot, L"OK");
//
// An operation that uses another calls it through the same class reference, so a painter that
// overrides one small operation (a colour, a width, a frame) changes every routine built on it.
// The metaclass of each painter is its ClassInfo(): TcxStandardLookAndFeelPainter::ClassInfo().
//
// The unit also keeps the painters' shared resources: the system check-box size, the radio-button
// image cache, the six row-indicator images and the two scroll-track patterns.

#include <array>
#include <map>
#include <vector>

#include "platform/framework/controls/StdCtrls.h"
#include "platform/framework/rtl/DateUtils.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/ImageList.h"

// ---- shared value types -------------------------------------------------------------------------

enum TcxPaintButtonState { pbsDefault, pbsNormal, pbsHot, pbsPressed, pbsDisabled };
enum TcxPaintArrowDirection { padUp, padDown, padLeft, padRight };
enum TcxScrollBarPaintPart { sppNone, sppLineUp, sppLineDown, sppThumb, sppPageUp, sppPageDown };
enum TcxLookAndFeelKind { lfFlat, lfStandard, lfUltraFlat, lfOffice11 };
// Check box codes of PaintCheckBoxGrayed.
enum TcxCheckBoxState { cbsUnchecked, cbsChecked, cbsGrayed };
enum TcxNeighbor { nLeft, nTop, nRight, nBottom };
using TcxNeighbors = TSet<TcxNeighbor>;
// Scoped: the navigation bar's style alignment uses the same names.
enum class TcxAlignmentVert { vaTop, vaBottom, vaCenter };
// Row indicator kinds: 0 draws nothing, 1..6 the indicator images.
enum TcxIndicatorKind { ikNone, ikArrow, ikEdit, ikInsert, ikMultiDot, ikMultiArrow, ikFilter };
enum TcxGroupBoxCaptionPosition { cxgpTop, cxgpBottom, cxgpLeft, cxgpRight, cxgpCenter };
// The month header's arrows: bit 1 the left one, bit 2 the right one.
enum TcxCalendarArrows { cxcaNone = 0, cxcaLeft = 1, cxcaRight = 2, cxcaBoth = 3 };

using TcxArrowPoints = std::array<TPoint, 3>;
// Paints a cell's background itself; true when it did.
using TcxCustomDrawBackgroundEvent = TEvent<bool(TcxCanvas* Canvas, const TRect& Bounds)>;

// The text of a cell, header or footer and how it is laid out.
struct TcxCellText {
  String Text;
  TFont* Font = nullptr;
  TColor TextColor = clDefault;
  TColor BkColor = clDefault;
  TAlignment AlignHorz = taLeftJustify;
  TcxAlignmentVert AlignVert = TcxAlignmentVert::vaCenter;
  bool MultiLine = false;
  bool ShowEndEllipsis = false;
};

// The library's text flags of a cell (the alignment tables, multi-line and end ellipsis).
int CellTextFlags(const TcxCellText& Cell);
// 0 flat, 1 standard, 2 ultra-flat, 3 native, 4 Office11: 0 lfFlat, 2 lfUltraFlat, 4 lfOffice11,
// any other code lfStandard.
TcxLookAndFeelKind StyleCodeToKind(int Code);

class TcxLookAndFeelPainterMetaClass;
using TcxCustomLookAndFeelPainterClass = const TcxLookAndFeelPainterMetaClass*;

// ---- the painter family's metaclass: the operations in slot order with the base behaviour -------

// Operations whose base does nothing keep their parameters' names for the reader.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-parameter"

class TcxLookAndFeelPainterMetaClass : public TMetaClass {
 public:
  using TMetaClass::TMetaClass;

  // 0-5
  virtual void PaintBackground(TcxCanvas* Canvas, const TRect& R, TBitmap* Bitmap, TColor Color, bool Transparent) const;
  virtual void PaintDropDownGlyph(TcxCanvas* Canvas, const TRect& R, TColor Color) const;
  virtual void PaintCellContent(TcxCanvas* Canvas, const TRect& R, const TRect& TextR, const TcxCellText& Cell,
                                const TcxCustomDrawBackgroundEvent& OnDrawBackground, TcxPaintButtonState State,
                                bool Solid) const;
  virtual void PaintNavigationButtonFace(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State,
                                         bool IsNext) const;
  virtual TRect FooterCellContentBounds(const TRect& R) const;
  virtual TRect FooterCellTextBounds(const TRect& R) const;
  // 6-68: the style code and the colours.
  virtual int StyleCode() const { return 1; }
  virtual TColor ContentColor() const { return clWindow; }
  virtual TColor ContentEvenColor() const { return ContentColor(); }
  virtual TColor ContentOddColor() const { return ContentColor(); }
  virtual TColor ContentTextColor() const { return clWindowText; }
  virtual TColor EditorBackgroundColor(bool Disabled) const;
  virtual TColor EditorTextColor(bool Disabled) const;
  virtual TColor FilterBoxColor() const { return clBtnShadow; }
  virtual TColor FilterBoxTextColor() const { return clBtnHighlight; }
  virtual TColor FixedSeparatorColor() const { return clBtnText; }
  virtual TColor FooterColor() const { return clBtnFace; }
  virtual TColor FooterTextColor() const { return clBtnText; }
  virtual TColor FooterSeparatorColor() const { return clBtnShadow; }
  virtual TColor GridLineColor() const { return clBtnShadow; }
  virtual TColor GroupColor() const { return clBtnFace; }
  virtual TColor DetailsSiteColor() const { return clBtnFace; }
  virtual TColor GroupPanelTextColor() const { return clBtnText; }
  virtual TColor GroupByBoxColor() const { return clBtnShadow; }
  virtual TColor GroupByBoxTextColor() const { return clBtnFace; }
  virtual TColor GroupBandColor() const { return clBtnFace; }
  virtual TColor GroupTextColor() const { return clBtnText; }
  virtual TColor HyperlinkColor() const { return clBlue; }
  virtual TColor HeaderColor() const { return clBtnFace; }
  virtual TColor HeaderTextColor() const { return clBtnText; }
  virtual TColor HeaderLinkColor() const { return clBlue; }
  virtual TColor InactiveFrameColor() const { return FooterSeparatorColor(); }
  virtual TColor SizeGripAreaColor() const { return clBtnFace; }
  virtual TColor BandBackgroundColor() const { return GroupBandColor(); }
  virtual TColor PreviewTextColor() const { return clDefault; }
  virtual TColor SelectionFrameColor() const { return 0; }
  virtual TColor FocusFrameColor() const { return SelectionFrameColor(); }
  virtual TColor CalendarHeaderColor() const { return clBtnFace; }
  virtual TColor CalendarSelectionColor() const { return clHighlight; }
  virtual TColor CalendarSelectionTextColor() const { return clHighlightText; }
  virtual TColor SchedulerBackColor() const { return clWindow; }
  virtual TColor SchedulerTextColor() const { return clWindowText; }
  virtual TColor SchedulerBorderColor() const { return 0x9D9DA1; }
  virtual TColor SchedulerControlColor() const { return clBtnFace; }
  virtual TColor SchedulerNavigatorColor() const { return clBtnFace; }
  virtual TColor SchedulerViewContentColor() const { return 0xD5FFFF; }
  virtual TColor SchedulerSelectedTextColor() const { return SchedulerSelectionTextColor(); }
  virtual TColor SchedulerDayTextColor() const { return clWindowText; }
  virtual TColor SchedulerSelectionColor() const { return clHighlight; }
  virtual TColor SchedulerSelectionTextColor() const { return clHighlightText; }
  virtual TColor SchedulerHeaderColor() const { return clBtnFace; }
  virtual TColor SchedulerDayHeaderColor() const { return clBtnFace; }
  virtual TColor SchedulerHeaderTextColor() const { return clBtnText; }
  virtual TColor SchedulerResourceHeaderColor() const { return clBtnFace; }
  virtual TColor SchedulerTimeRulerColor() const { return clWhite; }
  virtual TColor SchedulerTimeLineColor() const { return 0; }
  virtual TColor SchedulerGroupSeparatorColor() const { return clBtnFace; }
  virtual TColor SchedulerGroupTextColor() const { return clBtnText; }
  virtual TColor SchedulerAllDayColor() const { return clWhite; }
  virtual TColor SchedulerEventBorderColor() const { return 0; }
  virtual TColor SchedulerEventTimeColor() const { return 0; }
  virtual TColor SchedulerEventTextColor() const { return 0; }
  virtual TColor ChartFrameColor() const { return 0xCFCFCF; }
  virtual TColor ChartBackColor() const { return clWhite; }
  virtual TColor ChartLevelInfoBorderColor() const { return clBtnShadow; }
  virtual TColor ChartLegendColor() const { return clSkyBlue; }
  virtual TColor ChartTitleColor() const { return clNavy; }
  virtual TColor ChartAxisColor() const { return clBtnShadow; }
  virtual TColor ChartGridColor() const { return clBtnShadow; }
  // 69-72: arrows.
  virtual void FillArrowTriangle(TcxCanvas* Canvas, const TRect& R, TColor Color,
                                 TcxPaintArrowDirection Direction) const;
  virtual void PaintScrollArrow(TcxCanvas* Canvas, const TRect& R, bool WithBorder, TcxPaintArrowDirection Direction,
                                TcxPaintButtonState State) const;
  virtual void PaintArrowFrame(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State) const;
  virtual void PaintButtonArrow(TcxCanvas* Canvas, const TRect& R, TcxPaintArrowDirection Direction,
                                TcxPaintButtonState State) const;
  // 73-74: borders.
  virtual int BorderThickness() const { return 0; }
  virtual void PaintBorder(TcxCanvas* Canvas, const TRect& R) const {}
  // 75-96: buttons.
  virtual TRect GroupButtonDisplayBounds(const TRect& R, int ButtonCount, int ButtonIndex) const { return R; }
  virtual int ButtonFrameWidth(TcxPaintButtonState State) const { return 0; }
  virtual TColor ButtonFaceColor(TcxPaintButtonState State) const { return clBtnFace; }
  virtual TRect ButtonFocusBounds(TcxCanvas* Canvas, const TRect& R) const;
  virtual TRect ButtonGroupFrameWidths(int ButtonCount, int ButtonIndex) const;
  virtual int ButtonTextOffset() const { return 0; }
  virtual int ButtonTextShift() const { return 0; }
  virtual TColor ButtonGlyphColor(TcxPaintButtonState State, TColor DefaultColor) const;
  virtual TcxPaintButtonState ButtonGlyphState(TcxPaintButtonState State) const { return State; }
  virtual void PaintButton(TcxCanvas* Canvas, const TRect& R, bool WordWrap, TColor TextColor, TColor FaceColor,
                           bool WithFrame, TcxPaintButtonState State, const String& Caption) const;
  virtual void PaintGroupedButton(TcxCanvas* Canvas, const TRect& R, TColor Color, int ButtonIndex, int ButtonCount,
                                  TcxPaintButtonState State) const;
  virtual void PaintButtonFrame(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State) const {}
  virtual void PaintGroupedButtonFrame(TcxCanvas* Canvas, const TRect& R, bool Hot, bool Pressed) const {}
  virtual void PaintExpandButton(TcxCanvas* Canvas, const TRect& R, TColor Color, bool Expanded) const {}
  virtual bool PaintsExpandButtonFirst() const { return true; }
  virtual void PaintGroupExpandButton(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State,
                                      bool Expanded) const;
  virtual void PaintSmallExpandButton(TcxCanvas* Canvas, const TRect& R, TColor Color, TColor BorderColor,
                                      bool Expanded) const;
  virtual int ExpandButtonExtent() const { return 0; }
  virtual int GroupExpandButtonExtent() const { return 15; }
  virtual bool HotTracksButtons() const { return false; }
  virtual bool IsPointOverGroupExpandButton(const TRect& R, const TPoint& P) const;
  virtual int SmallExpandButtonExtent() const { return 9; }
  // 97-105: check boxes and radio buttons.
  virtual int CheckFrameWidth() const { return 2; }
  virtual TColor CheckFaceColor(TcxPaintButtonState State) const;
  virtual TSize CheckBoxExtent() const;
  virtual void PaintCheckMark(TcxCanvas* Canvas, const TRect& R, TColor Color, bool Checked,
                              TcxPaintButtonState State) const;
  virtual void PaintCheckFrame(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State) const {}
  virtual void PaintCheckBox(TcxCanvas* Canvas, const TRect& R, bool Checked, TcxPaintButtonState State) const;
  virtual void PaintCheckBoxGrayed(TcxCanvas* Canvas, const TRect& R, TcxCheckBoxState Code,
                                   TcxPaintButtonState State) const;
  virtual void PaintRadioButton(TcxCanvas* Canvas, int X, int Y, TcxPaintButtonState State, bool Checked, bool Focused,
                                TColor BackColor, bool IsDesigning) const;
  virtual TSize RadioButtonExtent() const;
  // 106-128: headers.
  virtual void PaintHeaderCell(TcxCanvas* Canvas, const TRect& R, const TRect& TextR, TcxNeighbors Neighbors,
                               TcxBorders Borders, TcxPaintButtonState State, const TcxCellText& Cell,
                               const TcxCustomDrawBackgroundEvent& OnDrawBackground, bool IsLast) const;
  virtual void PaintHeaderCellEx(TcxCanvas* Canvas, const TRect& R, const TRect& TextR, TcxNeighbors Neighbors,
                                 TcxBorders Borders, TcxPaintButtonState State, const TcxCellText& Cell,
                                 const TcxCustomDrawBackgroundEvent& OnDrawBackground, bool IsLast) const;
  virtual void PaintHeaderFrame(TcxCanvas* Canvas, const TRect& R, TcxNeighbors Neighbors, TcxBorders Borders) const {}
  virtual void PaintHeaderPressed(TcxCanvas* Canvas, const TRect& R) const;
  virtual void PaintHeaderSection(TcxCanvas* Canvas, const TRect& R, const TRect& TextR, TcxPaintButtonState State,
                                  TcxBorders Borders, const TcxCellText& Cell) const;
  virtual void PaintHeaderSectionFrame(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State,
                                       TcxBorders Borders) const {}
  // R is filled, the text goes into TextR.
  virtual void PaintHeaderSectionContent(TcxCanvas* Canvas, const TRect& R, const TRect& TextR,
                                         TcxPaintButtonState State, const TcxCellText& Cell) const;
  virtual void PaintHeaderSectionText(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State,
                                      const TcxCellText& Cell) const;
  virtual void PaintHeaderSeparator(TcxCanvas* Canvas, const TRect& R, const TcxViewParamSet& ViewParams, TColor Color,
                                    int IndentSize) const;
  virtual void PaintSortMark(TcxCanvas* Canvas, const TRect& R, bool Ascending) const {}
  virtual TcxBorders HeaderBordersFor(TcxNeighbors Neighbors) const { return cxBordersAll; }
  virtual int HeaderFrameWidth() const { return 0; }
  virtual TRect HeaderContentBounds(const TRect& R, TcxNeighbors Neighbors, TcxBorders Borders) const;
  virtual TRect HeaderInnerBounds(const TRect& R, TcxBorders Borders) const;
  virtual bool HeaderHasFlatTop() const { return true; }
  virtual int HeaderHeightFor(int FontHeight) const { return 2 * HeaderFrameWidth() + FontHeight + 4; }
  virtual int HeaderSectionFrameWidth(TcxPaintButtonState State) const { return 1; }
  virtual TRect HeaderSectionTextBounds(const TRect& R, TcxPaintButtonState State) const;
  virtual TRect HeaderSectionContentBounds(const TRect& R, TcxPaintButtonState State) const;
  virtual int HeaderWidthFor(TcxCanvas* Canvas, TcxBorders Borders, TFont* Font, const String& Text) const;
  virtual bool HotTracksHeaders() const { return false; }
  virtual TPoint SortMarkAreaSize() const { return {16, SortMarkSize().y}; }
  virtual TPoint SortMarkSize() const { return {0, 0}; }
  // 129-141: footers.
  virtual void PaintFooterPanel(TcxCanvas* Canvas, const TRect& R, TBitmap* Bitmap, TColor Color,
                                bool Transparent) const;
  virtual TcxBorders FooterBordersFor() const { return cxBordersAll; }
  virtual int FooterFrameWidth() const { return 0; }
  virtual int FooterCellBorderWidth() const { return 0; }
  virtual int FooterCellSpacing() const { return 0; }
  virtual bool PaintsFooterCellsFirst() const { return true; }
  virtual TColor FooterSeparatorLineColor() const { return clBtnShadow; }
  virtual int FooterSeparatorWidth() const { return 1; }
  virtual void PaintFooterCell(TcxCanvas* Canvas, const TRect& R, const TcxCellText& Cell,
                               const TcxCustomDrawBackgroundEvent& OnDrawBackground) const;
  virtual void PaintFooterFrame(TcxCanvas* Canvas, const TRect& R) const {}
  virtual void PaintFooterCellFrame(TcxCanvas* Canvas, const TRect& R) const {}
  virtual void PaintFooterContent(TcxCanvas* Canvas, const TRect& R, const TcxViewParamSet& ViewParams) const;
  virtual void PaintFooterSeparator(TcxCanvas* Canvas, const TRect& R) const;
  // 142-148: the filter box.
  virtual void PaintFilterCheckBox(TcxCanvas* Canvas, const TRect& R, bool Checked, TcxPaintButtonState State) const;
  virtual void PaintFilterCloseButton(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State) const;
  virtual void PaintFilterDropDownButton(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State,
                                         bool IsFilterActive) const {}
  virtual void PaintFilterPanel(TcxCanvas* Canvas, const TRect& R, TBitmap* Bitmap, TColor Color,
                                bool Transparent) const;
  virtual TPoint FilterActivateButtonSize() const { return {13, 13}; }
  virtual TPoint FilterCloseButtonSize() const { return {16, 14}; }
  virtual TPoint FilterDropDownButtonSize() const { return {15, 0}; }
  // 149-156: windows and tabs.
  virtual void PaintWindowContent(TcxCanvas* Canvas, const TRect& R) const;
  virtual int PopupFrameStyle() const { return 1; }
  virtual void PaintTab(TcxCanvas* Canvas, const TRect& R, bool ShowPrefix, TColor BkColor, TColor TextColor,
                        TFont* Font, bool Vertical, TcxPaintButtonState State, const String& Text,
                        TcxBorders Borders) const {}
  virtual void PaintTabFrame(TcxCanvas* Canvas, const TRect& R, bool Vertical, TcxBorders Borders,
                             TcxBorder Border) const {}
  virtual void PaintTabsArea(TcxCanvas* Canvas, const TRect& R, bool Vertical, TcxBorders Borders) const {}
  virtual bool PaintsTabItself(TcxPaintButtonState TabState) const { return false; }
  virtual bool HotTracksTab(TcxPaintButtonState TabState) const { return false; }
  virtual int TabFrameWidth(bool Vertical) const { return 0; }
  // 157-161: row indicators.
  virtual void PaintIndicatorCustomizationMark(TcxCanvas* Canvas, const TRect& R, TColor Color) const;
  virtual void PaintIndicatorImage(TcxCanvas* Canvas, const TRect& R, TcxIndicatorKind Kind) const;
  virtual void PaintIndicatorCell(TcxCanvas* Canvas, const TRect& R, TcxNeighbors Neighbors, TColor BkColor,
                                  TcxIndicatorKind Kind) const;
  virtual void PaintIndicatorCellEx(TcxCanvas* Canvas, const TRect& R, TcxNeighbors Neighbors, TColor BkColor,
                                    TcxIndicatorKind Kind) const;
  virtual bool PaintsIndicatorItemsFirst() const { return true; }
  // 162-165: scroll bars and size grips.
  virtual int MinScrollThumbLength(bool Vertical) const { return 8; }
  virtual void PaintScrollBarPart(TcxCanvas* Canvas, bool Horizontal, const TRect& R, TcxScrollBarPaintPart Part,
                                  TcxPaintButtonState State) const {}
  virtual TSize SizeGripExtent() const;
  virtual void PaintSizeGrip(TcxCanvas* Canvas, const TRect& R, TColor BackColor) const;
  // 166-177: calendar, scheduler and chart views.
  virtual void CalendarHeaderLayout(const TRect& R, int Arrows, TRect& LeftArrow, TRect& TextR,
                                    TRect& RightArrow) const;
  virtual void PaintCalendarHeader(TcxCanvas* Canvas, const TRect& R, const String& Text,
                                   const TcxViewParamSet& ViewParams, int Arrows, TcxNeighbors Neighbors,
                                   const TcxCustomDrawBackgroundEvent& OnDrawBackground) const;
  virtual void PaintSchedulerBorder(TcxCanvas* Canvas, const TRect& R) const { PaintBorder(Canvas, R); }
  virtual void PaintSchedulerEventProgress(TcxCanvas* Canvas, const TRect& Bounds, bool Transparent,
                                           const TcxViewParamSet& ViewParams, const TRect& ProgressR) const;
  // Rotation 0, 90, 180 or 270 degrees clockwise; 0 paints the face directly.
  virtual void PaintRotatedNavigationButton(TcxCanvas* Canvas, const TRect& R, int Rotation,
                                            TcxPaintButtonState State, bool IsNext) const;
  virtual void PaintNavigationButtonArrow(TcxCanvas* Canvas, const TRect& R, TColor Color, bool IsNext) const;
  virtual void PaintSchedulerNavigatorButton(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State) const;
  virtual void PaintSchedulerSplitterFrame(TcxCanvas* Canvas, const TRect& R, bool Horizontal,
                                           const TcxViewParamSet& ViewParams) const {}
  virtual TRect SchedulerEventProgressInsets() const { return {2, 2, 2, 2}; }
  virtual void NavigationButtonMetrics(bool IsNext, TRect& Borders, TSize& ArrowSize) const;
  virtual int ChartLevelInfoFrameWidth() const { return 1; }
  virtual void PaintClock(TcxCanvas* Canvas, const TRect& R, TDateTime Time) const;
  // 178-184: editors and navigators.
  virtual void PaintEditButton(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State) const {}
  virtual int EditButtonTextOffset() const { return 0; }
  virtual TSize EditButtonSize() const { return {0, 0}; }
  virtual TColor EditButtonTextColor() const { return clDefault; }
  virtual TColor ContainerFrameColor(bool Highlighted) const { return clDefault; }
  virtual void PaintNavigatorGlyph(TcxCanvas* Canvas, TCustomImageList* ImageList, int ImageIndex, const TRect& R,
                                   bool Enabled) const;
  virtual TSize NavigatorGlyphSize() const { return {0, 0}; }
  // 185-207: progress bars, group boxes, panels, track bars and splitters.
  virtual void PaintProgressFrame(TcxCanvas* Canvas, const TRect& R, bool Vertical) const {}
  virtual void PaintProgressChunk(TcxCanvas* Canvas, const TRect& R, bool Vertical) const {}
  virtual TRect ProgressFrameWidths(bool Vertical) const { return {0, 0, 0, 0}; }
  virtual TColor ProgressTextColor() const { return clDefault; }
  virtual void PaintGroupBoxBackground(TcxCanvas* Canvas, const TRect& R, const TRect& ContentR) const {}
  virtual void PaintGroupBoxCaption(TcxCanvas* Canvas, const TRect& R, TcxGroupBoxCaptionPosition Position) const {}
  virtual void PaintGroupBoxContent(TcxCanvas* Canvas, const TRect& R, TcxGroupBoxCaptionPosition Position) const {}
  virtual TRect GroupBoxFrameWidths(bool HasCaption, TcxGroupBoxCaptionPosition Position) const { return {0, 0, 0, 0}; }
  virtual TColor GroupBoxTextColor() const { return clDefault; }
  virtual bool IsGroupBoxTransparent(bool IsCaption, TcxGroupBoxCaptionPosition Position) const { return false; }
  virtual void PaintPanelBackground(TcxCanvas* Canvas, TWinControl* Control, const TRect& R, TColor ColorFrom,
                                    TColor ColorTo) const;
  virtual void PaintPanelFrame(TcxCanvas* Canvas, const TRect& R) const {}
  virtual void PaintPanelCaption(TcxCanvas* Canvas, const TRect& R, TcxGroupBoxCaptionPosition Position) const;
  virtual void PaintPanelContent(TcxCanvas* Canvas, const TRect& R) const {}
  virtual TRect PanelFrameWidths() const { return {0, 0, 0, 0}; }
  virtual TColor PanelTextColor() const { return clDefault; }
  virtual void PaintTrackBarTrack(TcxCanvas* Canvas, const TRect& R, const TRect& SelectionR, bool Horizontal) const {}
  virtual void PaintTrackBarThumb(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State,
                                  bool Horizontal) const {}
  virtual TSize TrackBarThumbSize(bool Horizontal) const { return {0, 0}; }
  virtual TColor TrackBarTicksColor(bool Highlighted) const { return clDefault; }
  virtual int TrackBarTrackWidth() const { return 0; }
  virtual void PaintSplitter(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State, bool Horizontal,
                             bool Highlighted) const {}
  virtual TSize SplitterSize(bool Horizontal) const { return {0, 0}; }

  // ---- class routines that are not overridden -------------------------------------------------
  // The three corners of a filled arrow in R: with Proportional R is first made square about its
  // centre; Size 0 takes the size from R.
  static TcxArrowPoints ComputeArrowTriangle(const TRect& R, int Size, bool Proportional,
                                             TcxPaintArrowDirection Direction);
  static TcxPaintArrowDirection ScrollArrowDirection(bool Horizontal, TcxScrollBarPaintPart Part);
  // The minus (Expanded) or plus of expand buttons.
  static void PaintExpandCross(TcxCanvas* Canvas, const TRect& R, TColor Color, bool Expanded);
  void PaintGroupExpandChevron(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State, bool Expanded) const;
  void PaintSortArrow(TcxCanvas* Canvas, const TRect& R, bool Ascending, TColor LightColor, TColor DarkColor) const;
  static void PaintCloseCross(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State, TColor Color);
  void PaintCalendarHeaderArrows(TcxCanvas* Canvas, const TRect& R, TColor Color, int Arrows) const;
  // The radio image kind of this painter (its style code's kind).
  TcxLookAndFeelKind RadioImageKind() const { return StyleCodeToKind(StyleCode()); }

  // Helpers of the painters: the Width-wide strip of R along one border; the centred cell text of a
  // header drawn in view params; a navigation button filled with Face, framed in Frame on the sides
  // of its kind, with its arrow inside.
  static TRect BorderStrip(const TRect& R, TcxBorder Border, int Width);
  static TcxCellText ViewParamsCell(const String& Text, const TcxViewParamSet& ViewParams);
  void PaintPlainNavigationButton(TcxCanvas* Canvas, const TRect& R, TColor Face, TColor Frame,
                                  TcxPaintButtonState State, bool IsNext) const;
};
#pragma GCC diagnostic pop

// The base painter class: the operations above in their base behaviour.
class TcxCustomLookAndFeelPainter : public TObject {
 public:
  using MetaClass = TcxLookAndFeelPainterMetaClass;
  DECLARE_CLASS(TcxCustomLookAndFeelPainter, TObject)
};

// ---- the painters' shared resources --------------------------------------------------------------

// Width and height of one cell of the system check-box bitmap.
TSize CheckBoxSize();

// The row-indicator images "CX_ARROWBITMAP" .. "CX_FILTERBITMAP" (8 x 9, masked with white).
TcxImageList* IndicatorImages();

// The two 8 x 8 scroll-track patterns (normal, pressed); made on first use. UpdateTrackPatterns
// paints them again with the current system colours.
TBitmap* TrackPatternBitmap(bool Pressed);
void UpdateTrackPatterns();
// Fills R with the normal or pressed track pattern through the canvas brush.
void FillTrackPattern(TcxCanvas* Canvas, const TRect& R, bool Pressed);

// The cache of generated radio-button images, one per (kind, state, checked, focused, designing).
class TcxRadioButtonImageList : public TObject {
  DECLARE_CLASS(TcxRadioButtonImageList, TObject)
 public:
  TcxRadioButtonImageList();
  ~TcxRadioButtonImageList() override;
  TSize GlyphSize() const { return glyphSize_; }
  // The image drawn masked at (X, Y), or on a BackColor square when BackColor is not clDefault.
  void PaintRadioImage(TcxCanvas* Canvas, int X, int Y, TcxPaintButtonState State, bool Checked, bool Focused,
                       bool IsDesigning, TcxLookAndFeelKind Kind, TColor BackColor);
  // Makes every image again with the current colours.
  void ResetImages();
  // How many images are made.
  int ImageCount() const { return int(images_.size()); }
  // The key's position: state + 8 x kind + 4 x checked + 32 x focused + 64 x designing - 1.
  static int ImageKey(TcxLookAndFeelKind Kind, TcxPaintButtonState State, bool Checked, bool Focused,
                      bool IsDesigning);

 private:
  void Prepare();
  void ClearImages();
  void MeasureGlyph();
  void ClassifyPixels();

  TSize glyphSize_{};
  TRect dotRect_{};
  std::vector<Byte> pixelClasses_;  // one per glyph pixel, row by row
  TBitmap* mask_ = nullptr;
  std::vector<TBitmap*> images_;
  std::map<int, int> index_;  // key -> position in images_
};

// The cache, made and prepared on first call.
TcxRadioButtonImageList* RadioButtonImages();

// The painter unit's start and end (the look-and-feel unit runs them around its own).
void StartPainterUnit();
void EndPainterUnit();
