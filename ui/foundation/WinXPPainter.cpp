#include "ui/foundation/WinXPPainter.h"

#include <algorithm>

#include "platform/framework/rtl/Seams.h"
#include "ui/foundation/FlatPainter.h"
#include "ui/foundation/Graphics.h"
#include "ui/foundation/Office11Colors.h"

DEFINE_CLASS_WITH(TcxWinXPLookAndFeelPainter, TcxWinXPPainterMetaClass)

#pragma GCC diagnostic ignored "-Wunused-parameter"

namespace {

// Parts of the themed classes.
constexpr int kButtonPush = 1, kButtonRadio = 2, kButtonCheck = 3;
constexpr int kScrollArrow = 1, kScrollSizeBox = 10;
constexpr int kListViewBorder = 5;
constexpr int kTreeGlyph = 2;
constexpr int kHeaderItem = 1, kHeaderItemRight = 3, kHeaderSortArrow = 4;
constexpr int kTabItem = 1, kTabPane = 9;
constexpr int kWindowSmallClose = 19;
// Colour properties.
constexpr int kFillColor = 204, kBorderColor = 3801, kTextColor = 3803;
// Size kinds of GetThemePartSize.
constexpr int kMinimumSize = 0, kTrueSize = 1;
const TRect kMeasure{0, 0, 100, 100};

void DrawPart(TcxCanvas* Canvas, TdxTheme Theme, int Part, int State, const TRect& R) {
  if (auto draw = Bound().DrawThemeBackground.Get()) draw(Theme, Canvas->DCHandle(), Part, State, &R, nullptr);
}

bool ContentRect(TdxTheme Theme, int Part, int State, const TRect& R, TRect& Content) {
  auto query = Bound().GetThemeBackgroundContentRect.Get();
  RECT content{};
  if (!query || FAILED(query(Theme, nullptr, Part, State, &R, &content))) return false;
  Content = content;
  return true;
}

bool PartSize(TdxTheme Theme, int Part, int State, int Kind, TSize& Size) {
  auto query = Bound().GetThemePartSize.Get();
  SIZE size{};
  if (!query || FAILED(query(Theme, nullptr, Part, State, nullptr, Kind, &size))) return false;
  Size = size;
  return true;
}

bool ThemeColor(TdxTheme Theme, int Part, int State, int Property, TColor& Color) {
  auto query = Bound().GetThemeColor.Get();
  COLORREF color = 0;
  if (!query || FAILED(query(Theme, Part, State, Property, &color))) return false;
  Color = TColor(color);
  return true;
}

bool PartlyTransparent(TdxTheme Theme, int Part, int State) {
  auto query = Bound().IsThemeBackgroundPartiallyTransparent.Get();
  return query && query(Theme, Part, State);
}

}  // namespace

// ---- the state tables -------------------------------------------------------------------------

int TcxWinXPPainterMetaClass::PushButtonState(TcxPaintButtonState State) {
  static const int states[] = {5, 1, 2, 3, 4};
  return states[State];
}

int TcxWinXPPainterMetaClass::CheckBoxState(bool Checked, TcxPaintButtonState State) {
  static const int states[] = {1, 1, 2, 3, 4, 5, 5, 6, 7, 8};
  return states[int(Checked) * 5 + State];
}

int TcxWinXPPainterMetaClass::HeaderItemState(TcxPaintButtonState State) {
  static const int states[] = {1, 1, 2, 3, 1};
  return states[State];
}

int TcxWinXPPainterMetaClass::ItemState(TcxPaintButtonState State) {
  static const int states[] = {1, 1, 2, 3, 4};
  return states[State];
}

int TcxWinXPPainterMetaClass::ToolBarButtonState(TcxPaintButtonState State) {
  static const int states[] = {2, 2, 5, 3, 4};
  return states[State];
}

int TcxWinXPPainterMetaClass::ScrollArrowState(TcxPaintArrowDirection Direction, TcxPaintButtonState State) {
  static const int states[] = {1, 1, 2, 3, 4};
  return states[State] + 4 * int(Direction);
}

int TcxWinXPPainterMetaClass::ScrollThumbState(TcxPaintButtonState State) {
  static const int states[] = {1, 1, 2, 3, 4};
  return states[State];
}

// ---- borders and buttons ----------------------------------------------------------------------

int TcxWinXPPainterMetaClass::BorderThickness() const {
  return ThemeHandleFor(totListView) ? 1 : TcxStandardPainterMetaClass::BorderThickness();
}

// Only the one-pixel rim of the themed frame: the inside is left alone.
void TcxWinXPPainterMetaClass::PaintBorder(TcxCanvas* Canvas, const TRect& R) const {
  TdxTheme theme = ThemeHandleFor(totListView);
  if (!theme) return TcxStandardPainterMetaClass::PaintBorder(Canvas, R);
  HDC dc = Canvas->DCHandle();
  const int saved = SaveDC(dc);
  ExcludeClipRect(dc, R.left + 1, R.top + 1, R.right - 1, R.bottom - 1);
  DrawPart(Canvas, theme, kListViewBorder, 0, R);
  RestoreDC(dc, saved);
}

TRect TcxWinXPPainterMetaClass::GroupButtonDisplayBounds(const TRect& R, int ButtonCount, int ButtonIndex) const {
  const TRect bounds = TcxStandardPainterMetaClass::GroupButtonDisplayBounds(R, ButtonCount, ButtonIndex);
  TdxTheme theme = ThemeHandleFor(totButton);
  return theme && PartlyTransparent(theme, kButtonPush, 1) ? InflateRectBy(bounds, 1, 1) : bounds;
}

int TcxWinXPPainterMetaClass::ButtonFrameWidth(TcxPaintButtonState State) const {
  TRect content;
  TdxTheme theme = ThemeHandleFor(totButton);
  if (theme && ContentRect(theme, kButtonPush, PushButtonState(State), kMeasure, content)) return content.left;
  // Without the theme, the Standard width of the state, so that the Standard frame drawn then
  // keeps its inner ring.
  return TcxStandardPainterMetaClass::ButtonFrameWidth(State);
}

TColor TcxWinXPPainterMetaClass::ButtonFaceColor(TcxPaintButtonState State) const {
  TColor color;
  TdxTheme theme = ThemeHandleFor(totButton);
  if (theme && ThemeColor(theme, kButtonPush, PushButtonState(State), kFillColor, color)) return color;
  return TcxStandardPainterMetaClass::ButtonFaceColor(State);
}

TRect TcxWinXPPainterMetaClass::ButtonFocusBounds(TcxCanvas* Canvas, const TRect& R) const {
  TRect content;
  TdxTheme theme = ThemeHandleFor(totButton);
  if (theme && ContentRect(theme, kButtonPush, 1, R, content)) return content;
  return TcxStandardPainterMetaClass::ButtonFocusBounds(Canvas, R);
}

TRect TcxWinXPPainterMetaClass::ButtonGroupFrameWidths(int ButtonCount, int ButtonIndex) const {
  TRect content;
  TdxTheme theme = ThemeHandleFor(totButton);
  if (!theme || !ContentRect(theme, kButtonPush, 1, kMeasure, content))
    return TcxStandardPainterMetaClass::ButtonGroupFrameWidths(ButtonCount, ButtonIndex);
  TRect widths{content.left, content.top, kMeasure.right - content.right, kMeasure.bottom - content.bottom};
  if (PartlyTransparent(theme, kButtonPush, 1)) widths = InflateRectSides(widths, 1, 1, -1, -1);
  return widths;
}

int TcxWinXPPainterMetaClass::ButtonTextOffset() const {
  return ThemeHandleFor(totButton) ? 2 : TcxStandardPainterMetaClass::ButtonTextOffset();
}

int TcxWinXPPainterMetaClass::ButtonTextShift() const {
  return ThemeHandleFor(totButton) ? 0 : TcxStandardPainterMetaClass::ButtonTextShift();
}

TColor TcxWinXPPainterMetaClass::ButtonGlyphColor(TcxPaintButtonState State, TColor DefaultColor) const {
  TColor color;
  TdxTheme theme = ThemeHandleFor(totButton);
  if (theme && ThemeColor(theme, kButtonPush, PushButtonState(State), kTextColor, color)) return color;
  return TcxStandardPainterMetaClass::ButtonGlyphColor(State, DefaultColor);
}

void TcxWinXPPainterMetaClass::PaintButton(TcxCanvas* Canvas, const TRect& R, bool WordWrap, TColor TextColor,
                                           TColor FaceColor, bool WithFrame, TcxPaintButtonState State,
                                           const String& Caption) const {
  TdxTheme theme = ThemeHandleFor(totButton);
  if (!theme)
    return TcxStandardPainterMetaClass::PaintButton(Canvas, R, WordWrap, TextColor, FaceColor, WithFrame, State,
                                                    Caption);
  const int state = PushButtonState(State);
  DrawPart(Canvas, theme, kButtonPush, state, R);
  if (Caption.empty()) return;
  Canvas->MeasureText(L"");  // selects the canvas font
  if (auto text = Bound().DrawThemeText.Get())
    text(theme, Canvas->DCHandle(), kButtonPush, state, Caption.c_str(), -1, DT_CENTER | DT_VCENTER | DT_SINGLELINE,
         0, &R);
}

void TcxWinXPPainterMetaClass::PaintArrowFrame(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State) const {
  TdxTheme theme = ThemeHandleFor(totButton);
  if (!theme) return TcxStandardPainterMetaClass::PaintArrowFrame(Canvas, R, State);
  DrawPart(Canvas, theme, kButtonPush, PushButtonState(State), R);
}

void TcxWinXPPainterMetaClass::PaintScrollArrow(TcxCanvas* Canvas, const TRect& R, bool WithBorder,
                                                TcxPaintArrowDirection Direction, TcxPaintButtonState State) const {
  TdxTheme theme = ThemeHandleFor(totScrollBar);
  if (!theme) return TcxStandardPainterMetaClass::PaintScrollArrow(Canvas, R, WithBorder, Direction, State);
  DrawPart(Canvas, theme, kScrollArrow, ScrollArrowState(Direction, State), R);
}

// ---- expand buttons ---------------------------------------------------------------------------

void TcxWinXPPainterMetaClass::PaintExpandButton(TcxCanvas* Canvas, const TRect& R, TColor Color,
                                                 bool Expanded) const {
  TdxTheme theme = ThemeHandleFor(totTreeView);
  if (!theme) return TcxStandardPainterMetaClass::PaintExpandButton(Canvas, R, Color, Expanded);
  DrawPart(Canvas, theme, kTreeGlyph, Expanded ? 2 : 1, R);
  Canvas->SubtractFromClip(R);
}

bool TcxWinXPPainterMetaClass::PaintsExpandButtonFirst() const {
  return ThemeHandleFor(totTreeView) ? false : TcxStandardPainterMetaClass::PaintsExpandButtonFirst();
}

void TcxWinXPPainterMetaClass::PaintGroupExpandButton(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State,
                                                      bool Expanded) const {
  TdxTheme theme = ThemeHandleFor(totExplorerBar);
  if (!theme) return TcxStandardPainterMetaClass::PaintGroupExpandButton(Canvas, R, State, Expanded);
  const int state = State == pbsHot ? 2 : State == pbsPressed ? 3 : 1;
  DrawPart(Canvas, theme, Expanded ? 6 : 7, state, R);
}

void TcxWinXPPainterMetaClass::PaintSmallExpandButton(TcxCanvas* Canvas, const TRect& R, TColor Color,
                                                      TColor BorderColor, bool Expanded) const {
  if (ThemeHandleFor(totTreeView)) return PaintExpandButton(Canvas, R, Color, Expanded);
  TcxStandardPainterMetaClass::PaintSmallExpandButton(Canvas, R, Color, BorderColor, Expanded);
}

int TcxWinXPPainterMetaClass::ExpandButtonExtent() const {
  TSize size;
  TdxTheme theme = ThemeHandleFor(totTreeView);
  if (theme && PartSize(theme, kTreeGlyph, 1, kTrueSize, size)) return size.cx;
  return TcxStandardPainterMetaClass::ExpandButtonExtent();
}

int TcxWinXPPainterMetaClass::GroupExpandButtonExtent() const {
  TSize size;
  TdxTheme theme = ThemeHandleFor(totExplorerBar);
  if (theme && PartSize(theme, 7, 1, kTrueSize, size)) return size.cx;
  return TcxStandardPainterMetaClass::GroupExpandButtonExtent();
}

bool TcxWinXPPainterMetaClass::IsPointOverGroupExpandButton(const TRect& R, const TPoint& P) const {
  TdxTheme theme = ThemeHandleFor(totExplorerBar);
  auto query = Bound().GetThemeBackgroundRegion.Get();
  HRGN region = nullptr;
  if (!theme || !query || FAILED(query(theme, nullptr, 7, 1, &R, &region)) || !region)
    return TcxStandardPainterMetaClass::IsPointOverGroupExpandButton(R, P);
  const bool inside = PtInRegion(region, P.x, P.y);
  DeleteObject(region);
  return inside;
}

// ---- check boxes and radio buttons ------------------------------------------------------------

int TcxWinXPPainterMetaClass::CheckFrameWidth() const {
  return ThemeHandleFor(totButton) ? 0 : TcxStandardPainterMetaClass::CheckFrameWidth();
}

TSize TcxWinXPPainterMetaClass::CheckBoxExtent() const {
  TSize size;
  TdxTheme theme = ThemeHandleFor(totButton);
  if (theme && PartSize(theme, kButtonCheck, 5, kTrueSize, size)) return size;
  return TcxStandardPainterMetaClass::CheckBoxExtent();
}

void TcxWinXPPainterMetaClass::PaintCheckMark(TcxCanvas* Canvas, const TRect& R, TColor Color, bool Checked,
                                              TcxPaintButtonState State) const {
  TdxTheme theme = ThemeHandleFor(totButton);
  if (!theme) return TcxStandardPainterMetaClass::PaintCheckMark(Canvas, R, Color, Checked, State);
  DrawPart(Canvas, theme, kButtonCheck, CheckBoxState(Checked, State), R);
}

void TcxWinXPPainterMetaClass::PaintCheckFrame(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State) const {
  if (!ThemeHandleFor(totButton)) TcxStandardPainterMetaClass::PaintCheckFrame(Canvas, R, State);
}

void TcxWinXPPainterMetaClass::PaintRadioButton(TcxCanvas* Canvas, int X, int Y, TcxPaintButtonState State,
                                                bool Checked, bool Focused, TColor BackColor,
                                                bool IsDesigning) const {
  TdxTheme theme = ThemeHandleFor(totButton);
  if (!theme)
    return TcxStandardPainterMetaClass::PaintRadioButton(Canvas, X, Y, State, Checked, Focused, BackColor,
                                                         IsDesigning);
  const TSize size = RadioButtonExtent();
  DrawPart(Canvas, theme, kButtonRadio, CheckBoxState(Checked, State), RectFromBounds(X, Y, size.cx, size.cy));
}

TSize TcxWinXPPainterMetaClass::RadioButtonExtent() const {
  TSize size;
  TdxTheme theme = ThemeHandleFor(totButton);
  if (theme && PartSize(theme, kButtonRadio, 1, kTrueSize, size)) return size;
  return TcxStandardPainterMetaClass::RadioButtonExtent();
}

// ---- headers ----------------------------------------------------------------------------------

void TcxWinXPPainterMetaClass::PaintHeaderCell(TcxCanvas* Canvas, const TRect& R, const TRect& TextR,
                                               TcxNeighbors Neighbors, TcxBorders Borders, TcxPaintButtonState State,
                                               const TcxCellText& Cell,
                                               const TcxCustomDrawBackgroundEvent& OnDrawBackground,
                                               bool IsLast) const {
  TdxTheme theme = ThemeHandleFor(totHeader);
  if (!theme)
    return TcxStandardPainterMetaClass::PaintHeaderCell(Canvas, R, TextR, Neighbors, Borders, State, Cell,
                                                        OnDrawBackground, IsLast);
  const int state = HeaderItemState(State);
  const TOffice11Scheme scheme = CurrentOffice11Scheme();
  const int part = IsLast && state == 1 && (scheme == o11sBlue || scheme == o11sOlive) ? kHeaderItemRight : kHeaderItem;
  DrawPart(Canvas, theme, part, state, R);
  PaintThemedText(Canvas, theme, part, state, State == pbsPressed ? OffsetRectBy(TextR, 1, 1) : TextR, Cell);
}

void TcxWinXPPainterMetaClass::PaintHeaderPressed(TcxCanvas* Canvas, const TRect& R) const {
  if (!ThemeHandleFor(totHeader)) TcxStandardPainterMetaClass::PaintHeaderPressed(Canvas, R);
}

void TcxWinXPPainterMetaClass::PaintHeaderSection(TcxCanvas* Canvas, const TRect& R, const TRect& TextR,
                                                  TcxPaintButtonState State, TcxBorders Borders,
                                                  const TcxCellText& Cell) const {
  if (!ThemeHandleFor(totHeader))
    return TcxStandardPainterMetaClass::PaintHeaderSection(Canvas, R, TextR, State, Borders, Cell);
  Canvas->FillAreaWithColor(R, clBtnFace);
  PaintHeaderCell(Canvas, R, TextR, {}, Borders, State, Cell, nullptr, false);
}

void TcxWinXPPainterMetaClass::PaintSortMark(TcxCanvas* Canvas, const TRect& R, bool Ascending) const {
  if (!ThemeHandleFor(totHeader)) return TcxStandardPainterMetaClass::PaintSortMark(Canvas, R, Ascending);
  PaintSortArrow(Canvas, R, Ascending, clBtnShadow, clBtnShadow);
}

int TcxWinXPPainterMetaClass::HeaderFrameWidth() const {
  TRect content;
  TdxTheme theme = ThemeHandleFor(totHeader);
  if (theme && ContentRect(theme, kHeaderItem, 1, kMeasure, content)) return content.left / 2;
  return TcxStandardPainterMetaClass::HeaderFrameWidth();
}

int TcxWinXPPainterMetaClass::HeaderSectionFrameWidth(TcxPaintButtonState State) const {
  TRect content;
  TdxTheme theme = ThemeHandleFor(totHeader);
  if (theme && ContentRect(theme, kHeaderItem, HeaderItemState(State), kMeasure, content)) return content.left;
  return TcxStandardPainterMetaClass::HeaderSectionFrameWidth(State);
}

TRect TcxWinXPPainterMetaClass::HeaderSectionContentBounds(const TRect& R, TcxPaintButtonState State) const {
  TRect content;
  TdxTheme theme = ThemeHandleFor(totHeader);
  if (theme && ContentRect(theme, kHeaderItem, HeaderItemState(State), R, content)) return content;
  return TcxStandardPainterMetaClass::HeaderSectionContentBounds(R, State);
}

TPoint TcxWinXPPainterMetaClass::SortMarkSize() const {
  TSize size;
  TdxTheme theme = ThemeHandleFor(totHeader);
  if (theme && PartSize(theme, kHeaderSortArrow, 1, kTrueSize, size)) return {size.cx, size.cy};
  return TcxStandardPainterMetaClass::SortMarkSize();
}

// ---- footers, the filter box and tabs ---------------------------------------------------------

bool TcxWinXPPainterMetaClass::PaintsFooterCellsFirst() const {
  return ThemeHandleFor(totTrackBar) ? false : TcxStandardPainterMetaClass::PaintsFooterCellsFirst();
}

void TcxWinXPPainterMetaClass::PaintFooterCell(TcxCanvas* Canvas, const TRect& R, const TcxCellText& Cell,
                                               const TcxCustomDrawBackgroundEvent& OnDrawBackground) const {
  TdxTheme theme = ThemeHandleFor(totTrackBar);
  if (!theme) return TcxStandardPainterMetaClass::PaintFooterCell(Canvas, R, Cell, OnDrawBackground);
  DrawPart(Canvas, theme, 1, 1, R);
  if (Cell.Text.empty()) return;
  Canvas->CurrentBrush()->SetStyle(bsClear);
  if (Cell.Font) Canvas->UseFont(Cell.Font);
  if (Cell.TextColor != clDefault) Canvas->CurrentFont()->SetColor(Cell.TextColor);
  Canvas->DrawTextWithEnabledState(Cell.Text, FooterCellTextBounds(R), CellTextFlags(Cell));
  Canvas->CurrentBrush()->SetStyle(bsSolid);
}

void TcxWinXPPainterMetaClass::PaintFooterFrame(TcxCanvas* Canvas, const TRect& R) const {
  TdxTheme theme = ThemeHandleFor(totEdit);
  auto edge = Bound().DrawThemeEdge.Get();
  if (!theme || !edge) return TcxStandardPainterMetaClass::PaintFooterFrame(Canvas, R);
  edge(theme, Canvas->DCHandle(), 1, 1, &R, BDR_SUNKENOUTER, BF_RECT, nullptr);
}

void TcxWinXPPainterMetaClass::PaintFilterCloseButton(TcxCanvas* Canvas, const TRect& R,
                                                      TcxPaintButtonState State) const {
  TdxTheme theme = ThemeHandleFor(totWindow);
  if (!theme) return TcxStandardPainterMetaClass::PaintFilterCloseButton(Canvas, R, State);
  DrawPart(Canvas, theme, kWindowSmallClose, ItemState(State), R);
}

void TcxWinXPPainterMetaClass::PaintFilterDropDownButton(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State,
                                                         bool IsFilterActive) const {
  TdxTheme theme = ThemeHandleFor(totComboBox);
  if (!theme) return TcxStandardPainterMetaClass::PaintFilterDropDownButton(Canvas, R, State, IsFilterActive);
  DrawPart(Canvas, theme, 1, ItemState(State), R);
}

TPoint TcxWinXPPainterMetaClass::FilterActivateButtonSize() const {
  TSize size;
  TdxTheme theme = ThemeHandleFor(totButton);
  if (theme && PartSize(theme, kButtonCheck, 1, kTrueSize, size)) return {size.cx, size.cy};
  return TcxStandardPainterMetaClass::FilterActivateButtonSize();
}

TPoint TcxWinXPPainterMetaClass::FilterCloseButtonSize() const {
  TSize size;
  TdxTheme theme = ThemeHandleFor(totWindow);
  if (theme && PartSize(theme, kWindowSmallClose, 1, kTrueSize, size)) return {size.cx, size.cy};
  return TcxStandardPainterMetaClass::FilterCloseButtonSize();
}

void TcxWinXPPainterMetaClass::PaintTab(TcxCanvas* Canvas, const TRect& R, bool ShowPrefix, TColor BkColor,
                                        TColor TextColor, TFont* Font, bool Vertical, TcxPaintButtonState State,
                                        const String& Text, TcxBorders Borders) const {
  TdxTheme theme = ThemeHandleFor(totTab);
  if (!theme)
    return TcxStandardPainterMetaClass::PaintTab(Canvas, R, ShowPrefix, BkColor, TextColor, Font, Vertical, State,
                                                 Text, Borders);
  DrawPart(Canvas, theme, kTabItem, ItemState(State), R);
  TcxCellText cell;
  cell.Text = Text;
  cell.Font = Font;
  cell.TextColor = TextColor;
  cell.AlignHorz = taCenter;
  PaintThemedText(Canvas, theme, kTabItem, ItemState(State), R, cell);
}

void TcxWinXPPainterMetaClass::PaintTabFrame(TcxCanvas* Canvas, const TRect& R, bool Vertical, TcxBorders Borders,
                                             TcxBorder Border) const {
  // A themed tab draws its own frame.
  if (!ThemeHandleFor(totTab)) TcxStandardPainterMetaClass::PaintTabFrame(Canvas, R, Vertical, Borders, Border);
}

void TcxWinXPPainterMetaClass::PaintTabsArea(TcxCanvas* Canvas, const TRect& R, bool Vertical,
                                             TcxBorders Borders) const {
  TdxTheme theme = ThemeHandleFor(totTab);
  if (!theme) return TcxStandardPainterMetaClass::PaintTabsArea(Canvas, R, Vertical, Borders);
  DrawPart(Canvas, theme, kTabPane, 1, R);
}

bool TcxWinXPPainterMetaClass::PaintsTabItself(TcxPaintButtonState TabState) const {
  return ThemeHandleFor(totTab) != nullptr;
}

bool TcxWinXPPainterMetaClass::HotTracksTab(TcxPaintButtonState TabState) const {
  return ThemeHandleFor(totTab) != nullptr;
}

void TcxWinXPPainterMetaClass::PaintIndicatorCell(TcxCanvas* Canvas, const TRect& R, TcxNeighbors Neighbors,
                                                  TColor BkColor, TcxIndicatorKind Kind) const {
  const TcxFlatPainterMetaClass& flat = TcxFlatLookAndFeelPainter::ClassInfo();
  flat.TcxLookAndFeelPainterMetaClass::PaintIndicatorCell(Canvas, R, Neighbors, BkColor, Kind);
}

// ---- scroll bars and size grips ---------------------------------------------------------------

// The length the bar's own gripper needs: the gripper of a vertical bar (part 9) is measured along
// its height, the gripper of a horizontal bar (part 8) along its width.
int TcxWinXPPainterMetaClass::MinScrollThumbLength(bool Vertical) const {
  TdxTheme theme = ThemeHandleFor(totScrollBar);
  const int part = Vertical ? 9 : 8;
  TSize minimum, trueSize;
  if (!theme || !PartSize(theme, part, 1, kMinimumSize, minimum)) return 8;
  auto along = [Vertical](const TSize& size) { return Vertical ? size.cy : size.cx; };
  const int length = PartSize(theme, part, 1, kTrueSize, trueSize) ? std::max(along(minimum), along(trueSize) + 4)
                                                                    : along(minimum);
  return std::max(length, 8);
}

void TcxWinXPPainterMetaClass::PaintScrollBarPart(TcxCanvas* Canvas, bool Horizontal, const TRect& R,
                                                  TcxScrollBarPaintPart Part, TcxPaintButtonState State) const {
  if (RectHasNoArea(R)) return;
  TdxTheme theme = ThemeHandleFor(totScrollBar);
  if (!theme) return TcxStandardPainterMetaClass::PaintScrollBarPart(Canvas, Horizontal, R, Part, State);
  switch (Part) {
    case sppLineUp:
    case sppLineDown: PaintScrollArrow(Canvas, R, true, ScrollArrowDirection(Horizontal, Part), State); break;
    case sppThumb:
      DrawPart(Canvas, theme, Horizontal ? 2 : 3, ScrollThumbState(State), R);
      DrawPart(Canvas, theme, Horizontal ? 8 : 9, 0, R);
      break;
    case sppPageUp: DrawPart(Canvas, theme, Horizontal ? 4 : 6, ScrollThumbState(State), R); break;
    case sppPageDown: DrawPart(Canvas, theme, Horizontal ? 5 : 7, ScrollThumbState(State), R); break;
    default: break;
  }
}

void TcxWinXPPainterMetaClass::PaintSizeGrip(TcxCanvas* Canvas, const TRect& R, TColor BackColor) const {
  TdxTheme theme = ThemeHandleFor(totScrollBar);
  if (!theme) return TcxStandardPainterMetaClass::PaintSizeGrip(Canvas, R, BackColor);
  Canvas->FillAreaWithColor(R, BackColor);
  DrawPart(Canvas, theme, kScrollSizeBox, 1, R);
}

// ---- calendar, scheduler and panels -----------------------------------------------------------

void TcxWinXPPainterMetaClass::PaintCalendarHeader(TcxCanvas* Canvas, const TRect& R, const String& Text,
                                                   const TcxViewParamSet& ViewParams, int Arrows,
                                                   TcxNeighbors Neighbors,
                                                   const TcxCustomDrawBackgroundEvent& OnDrawBackground) const {
  if (!ThemeHandleFor(totHeader))
    return TcxStandardPainterMetaClass::PaintCalendarHeader(Canvas, R, Text, ViewParams, Arrows, Neighbors,
                                                            OnDrawBackground);
  TcxCellText cell = ViewParamsCell(Text, ViewParams);
  cell.BkColor = clDefault;
  PaintHeaderCell(Canvas, R, R, Neighbors, cxBordersAll, pbsNormal, cell, OnDrawBackground, false);
  PaintCalendarHeaderArrows(Canvas, R, clWindowText, Arrows);
}

void TcxWinXPPainterMetaClass::PaintSchedulerEventProgress(TcxCanvas* Canvas, const TRect& Bounds, bool Transparent,
                                                           const TcxViewParamSet& ViewParams,
                                                           const TRect& ProgressR) const {
  TdxTheme theme = ThemeHandleFor(totProgress);
  if (!theme)
    return TcxStandardPainterMetaClass::PaintSchedulerEventProgress(Canvas, Bounds, Transparent, ViewParams,
                                                                    ProgressR);
  DrawPart(Canvas, theme, 1, 1, Bounds);
  DrawPart(Canvas, theme, 3, 1, ProgressR);
}

TRect TcxWinXPPainterMetaClass::SchedulerEventProgressInsets() const {
  return ThemeHandleFor(totProgress) ? TRect{3, 3, 3, 3} : TcxStandardPainterMetaClass::SchedulerEventProgressInsets();
}

TColor TcxWinXPPainterMetaClass::SchedulerBorderColor() const {
  TColor color;
  TdxTheme theme = ThemeHandleFor(totComboBox);
  if (theme && ThemeColor(theme, 1, 1, kBorderColor, color)) return color;
  return TcxStandardPainterMetaClass::SchedulerBorderColor();
}

void TcxWinXPPainterMetaClass::PaintSchedulerNavigatorButton(TcxCanvas* Canvas, const TRect& R,
                                                             TcxPaintButtonState State) const {
  TdxTheme theme = ThemeHandleFor(totToolBar);
  if (!theme) return TcxStandardPainterMetaClass::PaintSchedulerNavigatorButton(Canvas, R, State);
  DrawPart(Canvas, theme, 1, ToolBarButtonState(State), R);
}

void TcxWinXPPainterMetaClass::PaintSchedulerSplitterFrame(TcxCanvas* Canvas, const TRect& R, bool Horizontal,
                                                           const TcxViewParamSet& ViewParams) const {
  TColor border;
  TdxTheme combo = ThemeHandleFor(totComboBox);
  if (!ThemeHandleFor(totListView) || !combo || !ThemeColor(combo, 1, 1, kBorderColor, border))
    return TcxStandardPainterMetaClass::PaintSchedulerSplitterFrame(Canvas, R, Horizontal, ViewParams);
  const TcxBorders sides = Horizontal ? TcxBorders{bTop, bBottom} : TcxBorders{bLeft, bRight};
  Canvas->DrawFrameBorders(R, border, 1, sides);
  Canvas->ApplyBrushColor(ViewParams.Color);
  Canvas->FillWithTileBitmap(Horizontal ? InflateRectBy(R, 0, -1) : InflateRectBy(R, -1, 0), ViewParams.Bitmap);
}

void TcxWinXPPainterMetaClass::PaintNavigationButtonFace(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State,
                                                         bool IsNext) const {
  TdxTheme theme = ThemeHandleFor(totTab);
  if (!theme) return TcxStandardPainterMetaClass::PaintNavigationButtonFace(Canvas, R, State, IsNext);
  // A tab turned toward the button's side: drawn upright into a turned copy of R, turned back.
  TcxBitmap bitmap(RectWidthOf(R), RectHeightOf(R));
  bitmap.Canvas()->CopyRect(bitmap.FullRect(), Canvas->Canvas(), R);
  bitmap.RotateAndFlip(IsNext ? 2 : 1, false);
  DrawPart(bitmap.cxCanvas(), theme, kTabItem, ItemState(State), bitmap.FullRect());
  bitmap.RotateAndFlip(IsNext ? 1 : 2, false);
  Canvas->CopyAreaFrom(R, bitmap.Canvas(), bitmap.FullRect());
  PaintNavigationButtonArrow(Canvas, R, ButtonGlyphColor(State, clDefault), IsNext);
}

void TcxWinXPPainterMetaClass::PaintPanelBackground(TcxCanvas* Canvas, TWinControl* Control, const TRect& R,
                                                    TColor ColorFrom, TColor ColorTo) const {
  if (ColorFrom == clDefault) {
    if (Control) DrawControlParentBackground(Control, Canvas, R, false);
    return;
  }
  Canvas->FillAreaWithColor(R, ColorFrom);
}

void TcxWinXPPainterMetaClass::PaintThemedText(TcxCanvas* Canvas, TdxTheme Theme, int Part, int State, const TRect& R,
                                               const TcxCellText& Cell) const {
  if (Cell.Text.empty()) return;
  if (Cell.Font) Canvas->UseFont(Cell.Font);
  if (Cell.TextColor != clDefault) Canvas->CurrentFont()->SetColor(Cell.TextColor);
  TRect box = R;
  const int flags = CellTextFlags(Cell);
  if (Cell.MultiLine && Cell.AlignVert != TcxAlignmentVert::vaTop)
    Canvas->AlignMultilineTextTop(box, Cell.Text, Cell.AlignVert == TcxAlignmentVert::vaBottom ? 1 : 2, true, false, true, false);
  Canvas->MeasureText(L"");  // selects the canvas font
  if (auto text = Bound().DrawThemeText.Get())
    text(Theme, Canvas->DCHandle(), Part, State, Cell.Text.c_str(), -1, TextFlagsToDrawTextFlags(flags) | 0x2000, 0,
         &box);
}
