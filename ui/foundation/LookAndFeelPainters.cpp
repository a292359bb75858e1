#include "ui/foundation/LookAndFeelPainters.h"

#include <algorithm>
#include <cmath>

#include "platform/framework/rtl/Seams.h"
#include "ui/foundation/Graphics.h"
#include "ui/foundation/LookAndFeel.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/foundation/Office11Painter.h"

DEFINE_CLASS_WITH(TcxCustomLookAndFeelPainter, TcxLookAndFeelPainterMetaClass)
DEFINE_CLASS(TcxRadioButtonImageList)

#pragma GCC diagnostic ignored "-Wunused-parameter"

namespace {

void SetPenAndBrush(TcxCanvas* Canvas, TColor Color) {
  Canvas->CurrentBrush()->SetStyle(bsSolid);
  Canvas->ApplyBrushColor(Color);
  Canvas->CurrentPen()->SetColor(Color);
}

void DrawTriangle(TcxCanvas* Canvas, const TcxArrowPoints& P) { Canvas->DrawPolygon(P.data(), 3); }

TcxArrowPoints OffsetPoints(TcxArrowPoints P, int DX, int DY) {
  for (TPoint& point : P) point.x += DX, point.y += DY;
  return P;
}

// The text of a cell in its colour, over a clear brush.
void DrawCellText(TcxCanvas* Canvas, const TRect& R, const TcxCellText& Cell, TColor Color, bool Enabled) {
  if (Cell.Text.empty()) return;
  Canvas->CurrentBrush()->SetStyle(bsClear);
  if (Cell.Font) Canvas->UseFont(Cell.Font);
  if (Color != clDefault) Canvas->CurrentFont()->SetColor(Color);
  Canvas->DrawTextWithEnabledState(Cell.Text, R, CellTextFlags(Cell), Enabled);
  Canvas->CurrentBrush()->SetStyle(bsSolid);
}

// ---- shared resources -------------------------------------------------------------------------

TSize checkBoxSize{};
bool checkBoxSizeKnown = false;
TcxImageList* indicatorImages = nullptr;
TBitmap* trackPatterns[2] = {};
TcxRadioButtonImageList* radioImages = nullptr;
TcxSystemPaletteChangedNotifier* paletteNotifier = nullptr;

void PaintTrackPattern(TBitmap* Pattern, TColor Even, TColor Odd) {
  const TColor even = ColorToRGB(Even), odd = ColorToRGB(Odd);
  TCanvas* canvas = Pattern->Canvas();
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) canvas->SetPixels(x, y, (x % 2) == (y % 2) ? even : odd);
}

}  // namespace

int CellTextFlags(const TcxCellText& Cell) {
  static const int horz[] = {ctfLeft, ctfRight, ctfHCenter};
  static const int vert[] = {ctfTop, ctfBottom, ctfVCenter};
  return horz[Cell.AlignHorz] | vert[int(Cell.AlignVert)] | (Cell.MultiLine ? ctfWordBreak : ctfSingleLine) |
         (Cell.ShowEndEllipsis ? ctfEndEllipsis : 0);
}

TcxLookAndFeelKind StyleCodeToKind(int Code) {
  switch (Code) {
    case 0: return lfFlat;
    case 2: return lfUltraFlat;
    case 4: return lfOffice11;
    default: return lfStandard;
  }
}

// ---- arrows -------------------------------------------------------------------------------------

TcxArrowPoints TcxLookAndFeelPainterMetaClass::ComputeArrowTriangle(const TRect& R, int Size, bool Proportional,
                                                                    TcxPaintArrowDirection Direction) {
  int L = R.left, T = R.top, Rt = R.right, B = R.bottom;
  if (Proportional) {
    // Square about the centre: the longer sides lose half the difference each.
    const int d = (Rt - L) - (B - T);
    if (d > 0) {
      L += d / 2;
      Rt -= d / 2;
    } else {
      T += -d / 2;
      B -= -d / 2;
    }
  }
  const bool vertical = Direction == padUp || Direction == padDown;
  const int S = Size != 0 ? Size : (vertical ? (Rt - L - 1) / 4 + 1 : (B - T - 1) / 4 + 1);
  const int W = vertical ? 2 * S - 1 : S, H = vertical ? S : 2 * S - 1;
  const int xc = (L + Rt - 1) / 2, yc = (T + B) / 2, x0 = (L + Rt - W) / 2, y0 = MulDiv(T + B - H, 1, 2);
  switch (Direction) {
    case padUp: return {{{x0, y0 + H - 1}, {xc, y0}, {x0 + W - 1, y0 + H - 1}}};
    case padDown: return {{{x0 + W - 1, y0}, {xc, y0 + H - 1}, {x0, y0}}};
    case padLeft: return {{{x0 + W - 1, y0 + H - 1}, {x0, yc}, {x0 + W - 1, y0}}};
    default: return {{{x0, y0}, {x0 + W - 1, yc}, {x0, y0 + H - 1}}};
  }
}

TcxPaintArrowDirection TcxLookAndFeelPainterMetaClass::ScrollArrowDirection(bool Horizontal,
                                                                            TcxScrollBarPaintPart Part) {
  if (Horizontal) return Part == sppLineUp ? padLeft : padRight;
  return Part == sppLineUp ? padUp : padDown;
}

void TcxLookAndFeelPainterMetaClass::FillArrowTriangle(TcxCanvas* Canvas, const TRect& R, TColor Color,
                                                       TcxPaintArrowDirection Direction) const {
  const TcxArrowPoints points = ComputeArrowTriangle(R, 0, true, Direction);
  SetPenAndBrush(Canvas, Color);
  DrawTriangle(Canvas, points);
}

void TcxLookAndFeelPainterMetaClass::PaintScrollArrow(TcxCanvas* Canvas, const TRect& R, bool WithBorder,
                                                      TcxPaintArrowDirection Direction,
                                                      TcxPaintButtonState State) const {
  const TcxArrowPoints points = ComputeArrowTriangle(R, 0, false, Direction);
  Canvas->CurrentBrush()->SetStyle(bsSolid);
  if (WithBorder)
    PaintArrowFrame(Canvas, R, State);
  else
    Canvas->FillAreaWithColor(R, ButtonFaceColor(State));
  SetPenAndBrush(Canvas, ButtonGlyphColor(State, clDefault));
  DrawTriangle(Canvas, points);
}

void TcxLookAndFeelPainterMetaClass::PaintArrowFrame(TcxCanvas* Canvas, const TRect& R,
                                                     TcxPaintButtonState State) const {
  Canvas->CurrentBrush()->SetStyle(bsSolid);
  Canvas->FillAreaWithColor(R, ButtonFaceColor(State));
  PaintButtonFrame(Canvas, R, State);
}

void TcxLookAndFeelPainterMetaClass::PaintButtonArrow(TcxCanvas* Canvas, const TRect& R,
                                                      TcxPaintArrowDirection Direction,
                                                      TcxPaintButtonState State) const {
  TRect box = R;
  if (State == pbsPressed) box = OffsetRectBy(box, ButtonTextShift(), ButtonTextShift());
  const TcxArrowPoints points = ComputeArrowTriangle(box, 0, true, Direction);
  if (State == pbsDisabled) {
    SetPenAndBrush(Canvas, clBtnHighlight);
    DrawTriangle(Canvas, OffsetPoints(points, 1, 1));
    SetPenAndBrush(Canvas, clBtnShadow);
    DrawTriangle(Canvas, points);
  } else {
    SetPenAndBrush(Canvas, ButtonGlyphColor(State, clDefault));
    DrawTriangle(Canvas, points);
  }
}

void TcxLookAndFeelPainterMetaClass::PaintDropDownGlyph(TcxCanvas* Canvas, const TRect& R, TColor Color) const {
  int X = RectWidthOf(R) / 2;
  if (X % 2 == 0) ++X;
  const int Y = X / 2 + 1, top = MulDiv(R.top + R.bottom - Y, 1, 2), x0 = (R.left + R.right - X) / 2;
  SetPenAndBrush(Canvas, Color);
  DrawTriangle(Canvas, {{{x0, top}, {x0 + X - 1, top}, {x0 + X / 2, top + Y - 1}}});
}

// ---- backgrounds and cells ----------------------------------------------------------------------

void TcxLookAndFeelPainterMetaClass::PaintBackground(TcxCanvas* Canvas, const TRect& R, TBitmap* Bitmap, TColor Color,
                                                     bool Transparent) const {
  if (!Transparent) {
    Canvas->ApplyBrushColor(Color);
    Canvas->Canvas()->FillRect(R);
  } else if (Bitmap && !Bitmap->Empty()) {
    Canvas->FillWithTileBitmap(R, Bitmap);
  }
}

void TcxLookAndFeelPainterMetaClass::PaintCellContent(TcxCanvas* Canvas, const TRect& R, const TRect& TextR,
                                                      const TcxCellText& Cell,
                                                      const TcxCustomDrawBackgroundEvent& OnDrawBackground,
                                                      TcxPaintButtonState State, bool Solid) const {
  if (!(OnDrawBackground && OnDrawBackground(Canvas, R))) {
    Canvas->ApplyBrushColor(Cell.BkColor);
    Canvas->Canvas()->FillRect(R);
  }
  DrawCellText(Canvas, TextR, Cell, Cell.TextColor, true);
}

TRect TcxLookAndFeelPainterMetaClass::FooterCellContentBounds(const TRect& R) const {
  return InflateRectBy(R, -FooterCellBorderWidth(), -FooterCellBorderWidth());
}

TRect TcxLookAndFeelPainterMetaClass::FooterCellTextBounds(const TRect& R) const {
  return InflateRectBy(FooterCellContentBounds(R), -2, -2);
}

TColor TcxLookAndFeelPainterMetaClass::EditorBackgroundColor(bool Disabled) const { return clDefault; }

TColor TcxLookAndFeelPainterMetaClass::EditorTextColor(bool Disabled) const { return clDefault; }

// ---- buttons ----------------------------------------------------------------------------------

TRect TcxLookAndFeelPainterMetaClass::ButtonFocusBounds(TcxCanvas* Canvas, const TRect& R) const {
  const TRect inner = InflateRectBy(R, -4, -4);
  return RectHasNoArea(inner) ? R : inner;
}

TRect TcxLookAndFeelPainterMetaClass::ButtonGroupFrameWidths(int ButtonCount, int ButtonIndex) const {
  const int w = ButtonFrameWidth(pbsNormal);
  return {w, w, w, w};
}

TColor TcxLookAndFeelPainterMetaClass::ButtonGlyphColor(TcxPaintButtonState State, TColor DefaultColor) const {
  if (State == pbsDisabled) return clBtnShadow;
  return DefaultColor == clDefault ? clBtnText : DefaultColor;
}

void TcxLookAndFeelPainterMetaClass::PaintButton(TcxCanvas* Canvas, const TRect& R, bool WordWrap, TColor TextColor,
                                                 TColor FaceColor, bool WithFrame, TcxPaintButtonState State,
                                                 const String& Caption) const {
  TRect face = R;
  if (WithFrame) {
    PaintButtonFrame(Canvas, R, State);
    const int width = ButtonFrameWidth(State);
    face = InflateRectBy(face, -width, -width);
  }
  Canvas->CurrentBrush()->SetStyle(bsSolid);
  Canvas->FillAreaWithColor(face, FaceColor == clDefault ? ButtonFaceColor(State) : FaceColor);
  Canvas->CurrentFont()->SetColor(TextColor == clDefault ? ButtonGlyphColor(State, clDefault) : TextColor);
  Canvas->CurrentBrush()->SetStyle(bsClear);
  // An even height; a face lower than 18 pixels lifts its caption by one.
  if (RectHeightOf(face) % 2 != 0) --face.bottom;
  if (RectHeightOf(face) < 18) --face.top;
  if (State == pbsPressed) face = OffsetRectBy(face, ButtonTextShift(), ButtonTextShift());
  if (!Caption.empty())
    Canvas->DrawTextWithEnabledState(Caption, face, WordWrap ? 0x624 : 0x264, State != pbsDisabled);
  Canvas->CurrentBrush()->SetStyle(bsSolid);
}

void TcxLookAndFeelPainterMetaClass::PaintGroupedButton(TcxCanvas* Canvas, const TRect& R, TColor Color,
                                                        int ButtonIndex, int ButtonCount,
                                                        TcxPaintButtonState State) const {
  PaintButton(Canvas, R, false, clDefault, clDefault, true, State, L"");
}

void TcxLookAndFeelPainterMetaClass::PaintGroupExpandButton(TcxCanvas* Canvas, const TRect& R,
                                                            TcxPaintButtonState State, bool Expanded) const {
  PaintButton(Canvas, R, false, clDefault, clDefault, true, State, L"");
  PaintGroupExpandChevron(Canvas, R, State, Expanded);
}

void TcxLookAndFeelPainterMetaClass::PaintSmallExpandButton(TcxCanvas* Canvas, const TRect& R, TColor Color,
                                                            TColor BorderColor, bool Expanded) const {
  Canvas->DrawFrameBorders(R, BorderColor, 1);
  if (Color != clDefault) Canvas->FillAreaWithColor(InflateRectBy(R, -1, -1), Color);
  PaintExpandCross(Canvas, R, clBtnText, Expanded);
}

bool TcxLookAndFeelPainterMetaClass::IsPointOverGroupExpandButton(const TRect& R, const TPoint& P) const {
  return RectContainsPoint(R, P);
}

void TcxLookAndFeelPainterMetaClass::PaintExpandCross(TcxCanvas* Canvas, const TRect& R, TColor Color, bool Expanded) {
  const int cx = RangeCenter(R.left, R.right), cy = RangeCenter(R.top, R.bottom);
  const int half = (RectWidthOf(R) - 4) / 2;
  Canvas->FillAreaWithColor({cx - half, cy, cx + half + 1, cy + 1}, Color);
  if (!Expanded) Canvas->FillAreaWithColor({cx, cy - half, cx + 1, cy + half + 1}, Color);
}

void TcxLookAndFeelPainterMetaClass::PaintGroupExpandChevron(TcxCanvas* Canvas, const TRect& R,
                                                             TcxPaintButtonState State, bool Expanded) const {
  constexpr int kMark = 3;
  Canvas->CurrentPen()->SetColor(ButtonGlyphColor(State, clDefault));
  const int cx = RangeCenter(R.left, R.right);
  const int height = 2 * kMark + 3;  // two chevrons of kMark rows, two rows apart
  int y = RangeCenter(R.top, R.bottom) - height / 2;
  for (int chevron = 0; chevron < 2; ++chevron) {
    for (int line = 0; line < 2; ++line) {
      const int tip = Expanded ? y + line : y + kMark + line, arms = Expanded ? y + kMark + line : y + line;
      // The far end one pixel past the arm: a polyline leaves its last point out.
      const TPoint points[3] = {{cx - kMark, arms}, {cx, tip}, {cx + kMark + 1, Expanded ? arms + 1 : arms - 1}};
      Canvas->DrawPolyline(points, 3);
    }
    y += kMark + 2;
  }
}

void TcxLookAndFeelPainterMetaClass::PaintCloseCross(TcxCanvas* Canvas, const TRect& R, TcxPaintButtonState State,
                                                     TColor Color) {
  int size = RectWidthOf(R) / 2;
  if (size % 2 == 0) --size;
  int x = (R.left + R.right - size) / 2, y = (R.top + R.bottom - size) / 2;
  if (State == pbsPressed) ++x, ++y;
  Canvas->CurrentPen()->SetColor(Color);
  for (int line = 0; line < 2; ++line) {
    Canvas->MovePenTo(x + line, y);
    Canvas->LineToPoint(x + size + line, y + size);
    Canvas->MovePenTo(x + size - 1 + line, y);
    Canvas->LineToPoint(x - 1 + line, y + size);
  }
}

// ---- check boxes and radio buttons ------------------------------------------------------------

TColor TcxLookAndFeelPainterMetaClass::CheckFaceColor(TcxPaintButtonState State) const {
  return State == pbsPressed || State == pbsDisabled ? clBtnFace : clWindow;
}

TSize TcxLookAndFeelPainterMetaClass::CheckBoxExtent() const { return CheckBoxSize(); }

void TcxLookAndFeelPainterMetaClass::PaintCheckMark(TcxCanvas* Canvas, const TRect& R, TColor Color, bool Checked,
                                                    TcxPaintButtonState State) const {
  if (Canvas->CurrentBrush()->Style() == bsSolid) Canvas->FillAreaWithColor(R, CheckFaceColor(State));
  if (!Checked) return;
  // A tick three pixels thick: a short stroke down to the vertex, a longer one up to the right.
  const int w = RectWidthOf(R) - 2, h = RectHeightOf(R) - 4;
  const int left = R.left + 1, vertexX = left + w / 3, right = left + w - 1;
  const int vertexY = R.top + 2 + h / 2 + (h > 4 ? 1 : 0);
  Canvas->CurrentPen()->SetColor(Color);
  for (int stroke = 0; stroke < 3; ++stroke) {
    const int y = vertexY - 2 + stroke;
    Canvas->MovePenTo(left, y - (vertexX - left));
    Canvas->LineToPoint(vertexX, y);
    Canvas->LineToPoint(right + 1, y - (right + 1 - vertexX));
  }
}

void TcxLookAndFeelPainterMetaClass::PaintCheckBox(TcxCanvas* Canvas, const TRect& R, bool Checked,
                                                   TcxPaintButtonState State) const {
  PaintCheckBoxGrayed(Canvas, R, Checked ? cbsChecked : cbsUnchecked, State);
}

void TcxLookAndFeelPainterMetaClass::PaintCheckBoxGrayed(TcxCanvas* Canvas, const TRect& R, TcxCheckBoxState Code,
                                                         TcxPaintButtonState State) const {
  PaintCheckFrame(Canvas, R, State);
  const TRect inner = InflateRectBy(R, -CheckFrameWidth(), -CheckFrameWidth());
  const TColor color = State == pbsDisabled || Code == cbsGrayed ? clGrayText : clBtnText;
  PaintCheckMark(Canvas, inner, color, Code == cbsChecked, State);
}

void TcxLookAndFeelPainterMetaClass::PaintRadioButton(TcxCanvas* Canvas, int X, int Y, TcxPaintButtonState State,
                                                      bool Checked, bool Focused, TColor BackColor,
                                                      bool IsDesigning) const {
  RadioButtonImages()->PaintRadioImage(Canvas, X, Y, State, Checked, Focused, IsDesigning, RadioImageKind(),
                                       BackColor);
}

TSize TcxLookAndFeelPainterMetaClass::RadioButtonExtent() const { return RadioButtonImages()->GlyphSize(); }

// ---- headers ----------------------------------------------------------------------------------

void TcxLookAndFeelPainterMetaClass::PaintHeaderCell(TcxCanvas* Canvas, const TRect& R, const TRect& TextR,
                                                     TcxNeighbors Neighbors, TcxBorders Borders,
                                                     TcxPaintButtonState State, const TcxCellText& Cell,
                                                     const TcxCustomDrawBackgroundEvent& OnDrawBackground,
                                                     bool IsLast) const {
  PaintHeaderFrame(Canvas, R, Neighbors, Borders);
  PaintCellContent(Canvas, HeaderInnerBounds(R, Borders), TextR, Cell, OnDrawBackground, State, false);
}

void TcxLookAndFeelPainterMetaClass::PaintHeaderCellEx(TcxCanvas* Canvas, const TRect& R, const TRect& TextR,
                                                       TcxNeighbors Neighbors, TcxBorders Borders,
                                                       TcxPaintButtonState State, const TcxCellText& Cell,
                                                       const TcxCustomDrawBackgroundEvent& OnDrawBackground,
                                                       bool IsLast) const {
  PaintHeaderCell(Canvas, R, TextR, Neighbors, Borders, State, Cell, OnDrawBackground, IsLast);
}

void TcxLookAndFeelPainterMetaClass::PaintHeaderPressed(TcxCanvas* Canvas, const TRect& R) const {
  Canvas->InvertArea(R);
}

void TcxLookAndFeelPainterMetaClass::PaintHeaderSection(TcxCanvas* Canvas, const TRect& R, const TRect& TextR,
                                                        TcxPaintButtonState State, TcxBorders Borders,
                                                        const TcxCellText& Cell) const {
  PaintHeaderSectionFrame(Canvas, R, State, Borders);
  PaintHeaderSectionContent(Canvas, HeaderSectionContentBounds(R, State), HeaderSectionTextBounds(TextR, State),
                            State, Cell);
}

void TcxLookAndFeelPainterMetaClass::PaintHeaderSectionContent(TcxCanvas* Canvas, const TRect& R, const TRect& TextR,
                                                               TcxPaintButtonState State,
                                                               const TcxCellText& Cell) const {
  Canvas->FillAreaWithColor(R, Cell.BkColor);
  PaintHeaderSectionText(Canvas, TextR, State, Cell);
}

void TcxLookAndFeelPainterMetaClass::PaintHeaderSectionText(TcxCanvas* Canvas, const TRect& R,
                                                            TcxPaintButtonState State, const TcxCellText& Cell) const {
  if (State != pbsDisabled) return DrawCellText(Canvas, R, Cell, Cell.TextColor, true);
  DrawCellText(Canvas, OffsetRectBy(R, 1, 1), Cell, clBtnHighlight, true);
  DrawCellText(Canvas, R, Cell, clBtnShadow, true);
}

void TcxLookAndFeelPainterMetaClass::PaintHeaderSeparator(TcxCanvas* Canvas, const TRect& R,
                                                          const TcxViewParamSet& ViewParams, TColor Color,
                                                          int IndentSize) const {
  const TRect left = RectWithWidth(R, IndentSize), right = RectWithRightAt(R, R.right, IndentSize);
  for (const TRect& indent : {left, right}) {
    Canvas->ApplyBrushColor(ViewParams.Color);
    Canvas->FillWithTileBitmap(indent, ViewParams.Bitmap);
  }
  Canvas->FillAreaWithColor({R.left + IndentSize, R.top, R.right - IndentSize, R.bottom}, Color);
}

TRect TcxLookAndFeelPainterMetaClass::HeaderContentBounds(const TRect& R, TcxNeighbors Neighbors,
                                                          TcxBorders Borders) const {
  const TcxBorders drawn = HeaderBordersFor(Neighbors);
  const int w = HeaderFrameWidth();
  TRect result = R;
  if (Borders.Contains(bLeft) && !drawn.Contains(bLeft)) result.left -= w;
  if (Borders.Contains(bTop) && !drawn.Contains(bTop)) result.top -= w;
  if (Borders.Contains(bRight) && !drawn.Contains(bRight)) result.right += w;
  if (Borders.Contains(bBottom) && !drawn.Contains(bBottom)) result.bottom += w;
  return result;
}

TRect TcxLookAndFeelPainterMetaClass::HeaderInnerBounds(const TRect& R, TcxBorders Borders) const {
  const int w = HeaderFrameWidth();
  TRect result = R;
  if (Borders.Contains(bLeft)) result.left += w;
  if (Borders.Contains(bTop)) result.top += w;
  if (Borders.Contains(bRight)) result.right -= w;
  if (Borders.Contains(bBottom)) result.bottom -= w;
  return result;
}

TRect TcxLookAndFeelPainterMetaClass::HeaderSectionTextBounds(const TRect& R, TcxPaintButtonState State) const {
  return State == pbsPressed ? OffsetRectBy(R, 1, 1) : R;
}

TRect TcxLookAndFeelPainterMetaClass::HeaderSectionContentBounds(const TRect& R, TcxPaintButtonState State) const {
  const int w = HeaderSectionFrameWidth(State);
  return InflateRectBy(R, -w, -w);
}

int TcxLookAndFeelPainterMetaClass::HeaderWidthFor(TcxCanvas* Canvas, TcxBorders Borders, TFont* Font,
                                                   const String& Text) const {
  if (Font) Canvas->UseFont(Font);
  int width = Canvas->TextPixelWidth(Text) + 4;
  if (Borders.Contains(bLeft)) width += HeaderFrameWidth();
  if (Borders.Contains(bRight)) width -= HeaderFrameWidth();
  return width;
}

void TcxLookAndFeelPainterMetaClass::PaintSortArrow(TcxCanvas* Canvas, const TRect& R, bool Ascending,
                                                    TColor LightColor, TColor DarkColor) const {
  const TPoint size = SortMarkSize();
  const int w = std::max(int(size.x), 3), h = std::max(int(size.y), 3);
  const int left = (R.left + R.right - w) / 2, top = (R.top + R.bottom - h) / 2;
  const int right = left + w - 1, bottom = top + h - 1, mid = left + (w - 1) / 2;
  auto line = [Canvas](TColor c, int x1, int y1, int x2, int y2) {
    Canvas->CurrentPen()->SetColor(c);
    Canvas->MovePenTo(x1, y1);
    Canvas->LineToPoint(x2, y2);
    Canvas->SetPixelColor(x2, y2, c);
  };
  if (Ascending) {
    line(DarkColor, mid, top, left, bottom);  // the shaded left edge
    line(LightColor, mid, top, right, bottom);
    line(LightColor, left, bottom, right, bottom);
  } else {
    line(DarkColor, left, top, right, top);
    line(DarkColor, left, top, mid, bottom);
    line(LightColor, right, top, mid, bottom);
  }
}

// ---- footers and the filter box ---------------------------------------------------------------

void TcxLookAndFeelPainterMetaClass::PaintFooterPanel(TcxCanvas* Canvas, const TRect& R, TBitmap* Bitmap,
                                                      TColor Color, bool Transparent) const {
  PaintBackground(Canvas, R, Bitmap, Color, Transparent);
}

void TcxLookAndFeelPainterMetaClass::PaintFooterCell(TcxCanvas* Canvas, const TRect& R, const TcxCellText& Cell,
                                                     const TcxCustomDrawBackgroundEvent& OnDrawBackground) const {
  PaintFooterCellFrame(Canvas, R);
  PaintCellContent(Canvas, FooterCellContentBounds(R), FooterCellTextBounds(R), Cell, OnDrawBackground, pbsNormal,
                   false);
}

void TcxLookAndFeelPainterMetaClass::PaintFooterContent(TcxCanvas* Canvas, const TRect& R,
                                                        const TcxViewParamSet& ViewParams) const {
  if (RectHasNoArea(R)) return;
  Canvas->ApplyBrushColor(ViewParams.Color);
  Canvas->FillWithTileBitmap(R, ViewParams.Bitmap);
}

void TcxLookAndFeelPainterMetaClass::PaintFooterSeparator(TcxCanvas* Canvas, const TRect& R) const {
  Canvas->FillAreaWithColor(R, FooterSeparatorLineColor());
}

void TcxLookAndFeelPainterMetaClass::PaintFilterCheckBox(TcxCanvas* Canvas, const TRect& R, bool Checked,
                                                         TcxPaintButtonState State) const {
  PaintCheckBox(Canvas, R, Checked, State);
}

void TcxLookAndFeelPainterMetaClass::PaintFilterCloseButton(TcxCanvas* Canvas, const TRect& R,
                                                            TcxPaintButtonState State) const {
  PaintButtonFrame(Canvas, R, State);
  const int w = ButtonFrameWidth(pbsNormal);
  const TRect inner = InflateRectBy(R, -w, -w);
  Canvas->FillAreaWithColor(inner, ButtonFaceColor(State));
  PaintCloseCross(Canvas, inner, State, ButtonGlyphColor(State, clDefault));
}

void TcxLookAndFeelPainterMetaClass::PaintFilterPanel(TcxCanvas* Canvas, const TRect& R, TBitmap* Bitmap, TColor Color,
                                                      bool Transparent) const {
  PaintBackground(Canvas, R, Bitmap, Color, Transparent);
}

void TcxLookAndFeelPainterMetaClass::PaintWindowContent(TcxCanvas* Canvas, const TRect& R) const {
  Canvas->FillAreaWithColor(R, clBtnFace);
}

// ---- row indicators ---------------------------------------------------------------------------

void TcxLookAndFeelPainterMetaClass::PaintIndicatorCustomizationMark(TcxCanvas* Canvas, const TRect& R,
                                                                     TColor Color) const {
  Canvas->CurrentPen()->SetColor(Color);
  const int top = (R.top + R.bottom - 9) / 2;
  for (int line = 0; line < 5; ++line) {
    const int y = top + 2 * line;
    Canvas->MovePenTo(R.left + 5, y);
    Canvas->LineToPoint(R.left + RectWidthOf(R) - 3, y);
    if (line % 2 == 0) Canvas->SetPixelColor(R.left + 3, y, Color);
  }
}

void TcxLookAndFeelPainterMetaClass::PaintIndicatorImage(TcxCanvas* Canvas, const TRect& R,
                                                         TcxIndicatorKind Kind) const {
  if (Kind == ikNone) return;
  TcxImageList* images = IndicatorImages();
  const int x = (R.left + R.right - images->Width()) / 2, y = (R.top + R.bottom - images->Height()) / 2;
  images->Draw(Canvas->Canvas(), x, y, int(Kind) - 1, true);
}

void TcxLookAndFeelPainterMetaClass::PaintIndicatorCell(TcxCanvas* Canvas, const TRect& R, TcxNeighbors Neighbors,
                                                        TColor BkColor, TcxIndicatorKind Kind) const {
  TcxCellText cell;
  cell.BkColor = BkColor;
  PaintHeaderCell(Canvas, R, R, Neighbors, HeaderBordersFor(Neighbors), pbsNormal, cell, nullptr, false);
  PaintIndicatorImage(Canvas, R, Kind);
}

void TcxLookAndFeelPainterMetaClass::PaintIndicatorCellEx(TcxCanvas* Canvas, const TRect& R, TcxNeighbors Neighbors,
                                                          TColor BkColor, TcxIndicatorKind Kind) const {
  TcxCellText cell;
  cell.BkColor = BkColor;
  PaintHeaderCellEx(Canvas, R, R, Neighbors, HeaderBordersFor(Neighbors), pbsNormal, cell, nullptr, false);
  PaintIndicatorImage(Canvas, R, Kind);
}

// ---- size grips -------------------------------------------------------------------------------

TSize TcxLookAndFeelPainterMetaClass::SizeGripExtent() const {
  return {Bound().GetSystemMetrics(SM_CXVSCROLL), Bound().GetSystemMetrics(SM_CYHSCROLL)};
}

void TcxLookAndFeelPainterMetaClass::PaintSizeGrip(TcxCanvas* Canvas, const TRect& R, TColor BackColor) const {
  Canvas->FillAreaWithColor(R, BackColor);
  RECT rect = R;
  DrawFrameControl(Canvas->DCHandle(), &rect, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
}

// ---- calendar, scheduler and chart ------------------------------------------------------------

void TcxLookAndFeelPainterMetaClass::CalendarHeaderLayout(const TRect& R, int Arrows, TRect& LeftArrow, TRect& TextR,
                                                          TRect& RightArrow) const {
  const int side = RectHeightOf(R);
  LeftArrow = (Arrows & cxcaLeft) ? RectWithWidth(R, side) : TRect{R.left, R.top, R.left, R.bottom};
  RightArrow = (Arrows & cxcaRight) ? RectWithRightAt(R, R.right, side) : TRect{R.right, R.top, R.right, R.bottom};
  TextR = {LeftArrow.right, R.top, RightArrow.left, R.bottom};
}

TRect TcxLookAndFeelPainterMetaClass::BorderStrip(const TRect& R, TcxBorder Border, int Width) {
  switch (Border) {
    case bLeft: return RectWithWidth(R, Width);
    case bTop: return RectWithHeight(R, Width);
    case bRight: return RectWithRightAt(R, R.right, Width);
    default: return RectWithBottomAt(R, R.bottom, Width);
  }
}

TcxCellText TcxLookAndFeelPainterMetaClass::ViewParamsCell(const String& Text, const TcxViewParamSet& ViewParams) {
  TcxCellText cell;
  cell.Text = Text;
  cell.Font = ViewParams.Font;
  cell.TextColor = ViewParams.TextColor;
  cell.BkColor = ViewParams.Color;
  cell.AlignHorz = taCenter;
  return cell;
}

void TcxLookAndFeelPainterMetaClass::PaintPlainNavigationButton(TcxCanvas* Canvas, const TRect& R, TColor Face,
                                                                TColor Frame, TcxPaintButtonState State,
                                                                bool IsNext) const {
  Canvas->FillAreaWithColor(R, Face);
  TRect borders;
  TSize arrow;
  NavigationButtonMetrics(IsNext, borders, arrow);
  TcxBorders sides;
  if (borders.left) sides.Include(bLeft);
  if (borders.top) sides.Include(bTop);
  if (borders.right) sides.Include(bRight);
  if (borders.bottom) sides.Include(bBottom);
  Canvas->DrawFrameBorders(R, Frame, 1, sides);
  PaintNavigationButtonArrow(Canvas, DeflateRectByMargins(R, borders), ButtonGlyphColor(State, clDefault), IsNext);
}

void TcxLookAndFeelPainterMetaClass::PaintCalendarHeader(TcxCanvas* Canvas, const TRect& R, const String& Text,
                                                         const TcxViewParamSet& ViewParams, int Arrows,
                                                         TcxNeighbors Neighbors,
                                                         const TcxCustomDrawBackgroundEvent& OnDrawBackground) const {
  PaintHeaderCell(Canvas, R, R, Neighbors, HeaderBordersFor(Neighbors), pbsNormal, ViewParamsCell(Text, ViewParams),
                  OnDrawBackground, false);
  PaintCalendarHeaderArrows(Canvas, R, ViewParams.TextColor == clDefault ? clWindowText : ViewParams.TextColor,
                            Arrows);
}

void TcxLookAndFeelPainterMetaClass::PaintCalendarHeaderArrows(TcxCanvas* Canvas, const TRect& R, TColor Color,
                                                               int Arrows) const {
  TRect box = R;
  box.top += BorderThickness() + 1;
  box.bottom -= 1;
  int height = RectHeightOf(box) / 2;
  if (height % 2 == 0) --height;
  if (height < 1) return;
  const int half = height / 2, cy = RangeCenter(box.top, box.bottom), inset = RectHeightOf(box) / 2;
  SetPenAndBrush(Canvas, Color);
  if (Arrows & cxcaLeft) {
    const int x = box.left + inset;
    DrawTriangle(Canvas, {{{x, cy}, {x + half, cy - half}, {x + half, cy + half}}});
  }
  if (Arrows & cxcaRight) {
    const int x = box.right - 1 - inset;
    DrawTriangle(Canvas, {{{x, cy}, {x - half, cy - half}, {x - half, cy + half}}});
  }
}

void TcxLookAndFeelPainterMetaClass::PaintSchedulerEventProgress(TcxCanvas* Canvas, const TRect& Bounds,
                                                                 bool Transparent, const TcxViewParamSet& ViewParams,
                                                                 const TRect& ProgressR) const {
  if (Transparent)
    Canvas->DrawFrameBorders(Bounds, 0x808080, 1);
  else
    Canvas->DrawFramedArea(Bounds, ViewParams, cxBordersAll, 0x808080, 1);
  Canvas->FillAreaWithColor(ProgressR, clNavy);
}

void TcxLookAndFeelPainterMetaClass::PaintNavigationButtonFace(TcxCanvas* Canvas, const TRect& R,
                                                               TcxPaintButtonState State, bool IsNext) const {
  PaintButton(Canvas, R, false, clDefault, clDefault, true, State, L"");
  const int w = ButtonFrameWidth(State);
  PaintNavigationButtonArrow(Canvas, InflateRectBy(R, -w, -w), ButtonGlyphColor(State, clDefault), IsNext);
}

void TcxLookAndFeelPainterMetaClass::PaintRotatedNavigationButton(TcxCanvas* Canvas, const TRect& R, int Rotation,
                                                                  TcxPaintButtonState State, bool IsNext) const {
  if (Rotation % 360 == 0) return PaintNavigationButtonFace(Canvas, R, State, IsNext);
  const bool sideways = Rotation % 180 != 0;
  const int w = RectWidthOf(R), h = RectHeightOf(R);
  TcxBitmap bitmap(sideways ? h : w, sideways ? w : h);
  PaintNavigationButtonFace(bitmap.cxCanvas(), bitmap.FullRect(), State, IsNext);
  // Degrees clockwise to the bitmap routine's codes: 90 -> 2, 180 -> 3, 270 -> 1.
  static const int codes[4] = {0, 2, 3, 1};
  bitmap.RotateAndFlip(codes[(Rotation / 90 % 4 + 4) % 4], false);
  Canvas->CopyAreaFrom(R, bitmap.Canvas(), bitmap.FullRect());
}

void TcxLookAndFeelPainterMetaClass::PaintNavigationButtonArrow(TcxCanvas* Canvas, const TRect& R, TColor Color,
                                                                bool IsNext) const {
  const int rows = (RectHeightOf(R) + 1) / 2, cy = RangeCenter(R.top, R.bottom);
  const int start = (R.left + R.right) / 2 - rows / 2 - 1;
  // A triangle of two-pixel columns: the tallest at the far side, narrowing toward the tip.
  for (int i = 0; i < rows / 2 + 1; ++i) {
    const int x = IsNext ? start + 2 * i : start + 2 * (rows / 2 - i);
    const int reach = rows / 2 - i;
    Canvas->FillAreaWithColor({x, cy - reach, x + 2, cy + reach + 1}, Color);
  }
}

void TcxLookAndFeelPainterMetaClass::PaintSchedulerNavigatorButton(TcxCanvas* Canvas, const TRect& R,
                                                                   TcxPaintButtonState State) const {
  PaintButton(Canvas, R, false, clDefault, clDefault, true, State, L"");
}

void TcxLookAndFeelPainterMetaClass::NavigationButtonMetrics(bool IsNext, TRect& Borders, TSize& ArrowSize) const {
  static const TRect borders[2] = {{1, 1, 0, 1}, {0, 1, 1, 1}};
  Borders = borders[IsNext ? 1 : 0];
  ArrowSize = {7, 7};
}

void TcxLookAndFeelPainterMetaClass::PaintClock(TcxCanvas* Canvas, const TRect& R, TDateTime Time) const {
  constexpr TColor kFace = 0x808000, kHighlight = 0xFFFF00;
  constexpr double kPi = 3.14159265358979323846;
  const double cx = (R.left + R.right - 1) / 2.0, cy = (R.top + R.bottom - 1) / 2.0;
  const double radius = std::min(RectWidthOf(R), RectHeightOf(R)) / 2.0 - 2;
  auto at = [&](double angle, double length) {
    return TPoint{int(std::lround(cx + length * std::sin(angle))), int(std::lround(cy - length * std::cos(angle)))};
  };
  for (int i = 0; i < 60; ++i) {
    const TPoint p = at(i * 2 * kPi / 60, radius);
    if (i % 5 == 0) {
      Canvas->FillAreaWithColor({p.x - 1, p.y - 1, p.x + 2, p.y + 2}, kFace);
      Canvas->SetPixelColor(p.x - 1, p.y - 1, kHighlight);
    } else {
      Canvas->SetPixelColor(p.x, p.y, kFace);
    }
  }
  const double dayFraction = Time - std::floor(Time);
  const int minutes = int(std::lround(dayFraction * 24 * 60)) % (24 * 60);
  const double minuteAngle = (minutes % 60) * 2 * kPi / 60, hourAngle = ((minutes / 60) % 12 + (minutes % 60) / 60.0) * 2 * kPi / 12;
  SetPenAndBrush(Canvas, kFace);
  for (auto [angle, length] : {std::pair{hourAngle, radius * 0.55}, std::pair{minuteAngle, radius * 0.85}}) {
    const TPoint tip = at(angle, length), left = at(angle - kPi / 2, 1.5), right = at(angle + kPi / 2, 1.5);
    const TPoint hand[3] = {left, tip, right};
    Canvas->DrawPolygon(hand, 3);
  }
  const int x = int(std::lround(cx)), y = int(std::lround(cy));
  Canvas->FillAreaWithColor({x - 1, y - 1, x + 2, y + 2}, kFace);
}

void TcxLookAndFeelPainterMetaClass::PaintNavigatorGlyph(TcxCanvas* Canvas, TCustomImageList* ImageList,
                                                         int ImageIndex, const TRect& R, bool Enabled) const {
  if (!ImageList) return;
  const int x = (R.left + R.right - ImageList->Width()) / 2, y = (R.top + R.bottom - ImageList->Height()) / 2;
  ImageList->Draw(Canvas->Canvas(), x, y, ImageIndex, Enabled);
}

void TcxLookAndFeelPainterMetaClass::PaintPanelBackground(TcxCanvas* Canvas, TWinControl* Control, const TRect& R,
                                                          TColor ColorFrom, TColor ColorTo) const {
  PaintGroupBoxBackground(Canvas, R, R);
}

void TcxLookAndFeelPainterMetaClass::PaintPanelCaption(TcxCanvas* Canvas, const TRect& R,
                                                       TcxGroupBoxCaptionPosition Position) const {
  PaintGroupBoxCaption(Canvas, R, Position);
}

// ---- shared resources -------------------------------------------------------------------------

TSize CheckBoxSize() {
  if (!checkBoxSizeKnown) {
    // OBM_CHECKBOXES: a 4 x 3 grid of check-box glyphs.
    if (HBITMAP bitmap = LoadBitmapW(nullptr, MAKEINTRESOURCEW(32759))) {
      BITMAP info{};
      if (GetObjectW(bitmap, sizeof info, &info)) checkBoxSize = {info.bmWidth / 4, info.bmHeight / 3};
      DeleteObject(bitmap);
    }
    if (checkBoxSize.cx <= 0 || checkBoxSize.cy <= 0) checkBoxSize = {13, 13};
    checkBoxSizeKnown = true;
  }
  return checkBoxSize;
}

TcxImageList* IndicatorImages() {
  if (indicatorImages) return indicatorImages;
  static const wchar_t* const names[] = {L"CX_ARROWBITMAP",    L"CX_EDITBITMAP",       L"CX_INSERTBITMAP",
                                         L"CX_MULTIDOTBITMAP", L"CX_MULTIARROWBITMAP", L"CX_FILTERBITMAP"};
  std::vector<ObjectPtr<TBitmap>> bitmaps;
  for (const wchar_t* name : names) {
    bitmaps.emplace_back(new TBitmap);
    bitmaps.back()->LoadFromResourceName(GetModuleHandleW(nullptr), name);
  }
  ObjectPtr<TcxImageList> list(new TcxImageList(nullptr, bitmaps[0]->Width(), bitmaps[0]->Height()));
  for (auto& bitmap : bitmaps) list->AddMaskedImage(bitmap.get(), clWhite);
  return indicatorImages = list.release();
}

TBitmap* TrackPatternBitmap(bool Pressed) {
  if (!trackPatterns[0]) UpdateTrackPatterns();
  return trackPatterns[Pressed ? 1 : 0];
}

void UpdateTrackPatterns() {
  for (TBitmap*& pattern : trackPatterns)
    if (!pattern) pattern = NewBitmapSized(8, 8, pf24bit);
  PaintTrackPattern(trackPatterns[0], clBtnFace, clBtnHighlight);
  PaintTrackPattern(trackPatterns[1], clBlack, cl3DDkShadow);
}

void FillTrackPattern(TcxCanvas* Canvas, const TRect& R, bool Pressed) {
  TBrush* brush = Canvas->CurrentBrush();
  brush->SetBitmap(TrackPatternBitmap(Pressed));
  Canvas->Canvas()->FillRect(R);
  brush->SetBitmap(nullptr);
  brush->SetStyle(bsSolid);
}

TcxRadioButtonImageList* RadioButtonImages() {
  if (!radioImages) radioImages = new TcxRadioButtonImageList;
  return radioImages;
}

void StartPainterUnit() {
  IndicatorImages();
  UpdateTrackPatterns();
  if (!paletteNotifier) {
    paletteNotifier = new TcxSystemPaletteChangedNotifier(true);
    paletteNotifier->OnSystemPaletteChanged = [] {
      if (radioImages) radioImages->ResetImages();
    };
  }
  CheckBoxSize();
}

void EndPainterUnit() {
  FreeAndNil(paletteNotifier);
  for (TBitmap*& pattern : trackPatterns) FreeAndNil(pattern);
  FreeAndNil(indicatorImages);
  FreeAndNil(radioImages);
  checkBoxSizeKnown = false;
}

// ---- the radio-button image cache -------------------------------------------------------------

namespace {

// Pixel classes of the radio glyph.
enum : Byte { kTransparent, kOuterLight, kOuterDark, kInnerLight, kInnerDark, kBody, kDot };

struct RadioColors {
  TColor Classes[7];
};

bool RingHighlighted(TcxPaintButtonState State, bool Focused, bool IsDesigning) {
  return IsDesigning || State == pbsHot || State == pbsPressed || (Focused && State != pbsDisabled);
}

RadioColors ColorsFor(TcxLookAndFeelKind Kind, TcxPaintButtonState State, bool Checked, bool Focused,
                      bool IsDesigning) {
  TColor body;
  if (Kind == lfOffice11)
    body = State == pbsNormal ? clWindow : TcxOffice11LookAndFeelPainter::ClassInfo().ButtonFaceColor(State);
  else if (State == pbsDisabled)
    body = clBtnFace;
  else if (Kind == lfUltraFlat)
    body = State == pbsHot ? HotTintColor() : State == pbsPressed ? SelectionTintColor() : clWindow;
  else
    body = State == pbsPressed ? clBtnFace : clWindow;
  TColor outerLight, outerDark, innerLight = body, innerDark = body;
  const bool highlighted = RingHighlighted(State, Focused, IsDesigning);
  switch (Kind) {
    case lfFlat:
      outerLight = clBtnShadow, outerDark = clBtnHighlight, innerLight = innerDark = cl3DLight;
      break;
    case lfStandard:
      outerLight = clBtnShadow, outerDark = clBtnHighlight, innerLight = cl3DDkShadow, innerDark = cl3DLight;
      break;
    case lfUltraFlat:
      outerLight = outerDark = highlighted ? clHighlight : clBtnShadow;
      break;
    default:
      outerLight = outerDark = State == pbsDisabled ? Office11Color(Office11DisabledTextColor)
                               : highlighted        ? Office11Color(Office11SelectionBorderColor)
                                                    : clBtnText;
      break;
  }
  TColor dot = body;
  if (Checked) {
    dot = clWindowText;
    if (State == pbsDisabled) dot = Kind == lfOffice11 ? Office11Color(Office11DisabledTextColor) : clBtnShadow;
  }
  return {{clBlack, outerLight, outerDark, innerLight, innerDark, body, dot}};
}

}  // namespace

TcxRadioButtonImageList::TcxRadioButtonImageList() {
  MeasureGlyph();
  ClassifyPixels();
}

TcxRadioButtonImageList::~TcxRadioButtonImageList() {
  ClearImages();
  FreeAndNil(mask_);
}

int TcxRadioButtonImageList::ImageKey(TcxLookAndFeelKind Kind, TcxPaintButtonState State, bool Checked, bool Focused,
                                      bool IsDesigning) {
  const int state = State == pbsDefault ? pbsNormal : State;
  return state + 8 * Kind + 4 * int(Checked) + 32 * int(Focused) + 64 * int(IsDesigning) - 1;
}

void TcxRadioButtonImageList::MeasureGlyph() {
  const TSize cell = CheckBoxSize();
  TcxBitmap scratch(cell.cx, cell.cy);
  HDC dc = scratch.Canvas()->Handle();
  RECT rect{0, 0, cell.cx, cell.cy};
  FillRect(dc, &rect, HBRUSH(GetStockObject(BLACK_BRUSH)));
  DrawFrameControl(dc, &rect, DFC_BUTTON, DFCS_BUTTONRADIOMASK | DFCS_FLAT);
  // The glyph covers the columns and rows that hold a black pixel of the mask.
  int left = cell.cx, top = cell.cy, right = -1, bottom = -1;
  for (int y = 0; y < cell.cy; ++y)
    for (int x = 0; x < cell.cx; ++x)
      if ((GetPixel(dc, x, y) & 0xFFFFFF) == 0) {
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
      }
  if (right < left) left = top = 0, right = cell.cx - 1, bottom = cell.cy - 1;
  glyphSize_ = {right - left + 1, bottom - top + 1};
  // The dot: from just above and left of the centre, the run of the window-text colour the system
  // draws its checked button's dot in (the system's own colour, not a pinned one).
  FillRect(dc, &rect, HBRUSH(GetStockObject(BLACK_BRUSH)));
  DrawFrameControl(dc, &rect, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED | DFCS_FLAT);
  const COLORREF dotColor = GetSysColor(COLOR_WINDOWTEXT);
  const int cx = left + glyphSize_.cx / 2 - 1, cy = top + glyphSize_.cy / 2 - 1;
  auto isDot = [&](int x, int y) {
    return x >= left && x <= right && y >= top && y <= bottom && (GetPixel(dc, x, y) & 0xFFFFFF) == dotColor;
  };
  TRect dot{};
  if (isDot(cx, cy)) {
    int y0 = cy, y1 = cy, x0 = cx, x1 = cx;
    while (isDot(cx, y0 - 1)) --y0;
    while (isDot(cx, y1 + 1)) ++y1;
    while (isDot(x0 - 1, cy)) --x0;
    while (isDot(x1 + 1, cy)) ++x1;
    dot = {x0 - left, y0 - top, x1 - left + 1, y1 - top + 1};
  }
  // A run that fills the glyph is no dot (the system drew nothing there): take a centred one.
  if (RectHasNoArea(dot) || RectWidthOf(dot) >= glyphSize_.cx - 2 || RectHeightOf(dot) >= glyphSize_.cy - 2) {
    const int side = std::max(2, int(glyphSize_.cx) / 3);
    dot = CenterWHInRect({0, 0, glyphSize_.cx, glyphSize_.cy}, side, side);
  }
  dotRect_ = dot;
}

void TcxRadioButtonImageList::ClassifyPixels() {
  const int w = glyphSize_.cx, h = glyphSize_.cy;
  pixelClasses_.assign(size_t(w) * size_t(h), kTransparent);
  auto at = [&](int x, int y) -> Byte& { return pixelClasses_[size_t(y) * size_t(w) + size_t(x)]; };
  auto lowerRight = [&](int i, int j) { return (h - 1) * (w - j - 1) < i * (w - 1); };
  auto onDiagonal = [&](int i, int j) { return (h - 1) * (w - j - 1) == i * (w - 1); };
  TcxBitmap outline(w, h);
  TCanvas* canvas = outline.Canvas();
  HDC dc = canvas->Handle();
  RECT all{0, 0, w, h};
  FillRect(dc, &all, HBRUSH(GetStockObject(WHITE_BRUSH)));
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN)), oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  RoundRect(dc, 0, 0, w, h, w - 1, h - 1);
  for (int i = 0; i < h; ++i)
    for (int j = 0; j < w; ++j)
      if ((GetPixel(dc, j, i) & 0xFFFFFF) == 0) at(j, i) = lowerRight(i, j) ? kOuterDark : kOuterLight;
  const int middle = w / 2;
  auto isOutline = [&](int j, int i) { return at(j, i) == kOuterLight || at(j, i) == kOuterDark; };
  for (int i = 1; i <= h - 2; ++i) {
    if (isOutline(middle, i)) continue;
    for (int j = middle; j >= 0 && !isOutline(j, i); --j) at(j, i) = kBody;
    for (int j = middle + 1; j < w && !isOutline(j, i); ++j) at(j, i) = kBody;
  }
  // Body pixels beside the outline form the inner ring.
  std::vector<Byte> ring = pixelClasses_;
  for (int i = 0; i < h; ++i)
    for (int j = 0; j < w; ++j) {
      if (at(j, i) != kBody) continue;
      bool beside = false;
      for (auto [dx, dy] : {std::pair{-1, 0}, std::pair{1, 0}, std::pair{0, -1}, std::pair{0, 1}}) {
        const int x = j + dx, y = i + dy;
        beside |= x < 0 || y < 0 || x >= w || y >= h || isOutline(x, y);
      }
      if (!beside) continue;
      const bool dark = onDiagonal(i, j) ? j > middle : lowerRight(i, j);
      ring[size_t(i) * size_t(w) + size_t(j)] = dark ? kInnerDark : kInnerLight;
    }
  pixelClasses_ = ring;
  // The dot: a filled ellipse in its rectangle.
  FillRect(dc, &all, HBRUSH(GetStockObject(WHITE_BRUSH)));
  SelectObject(dc, GetStockObject(BLACK_BRUSH));
  Ellipse(dc, dotRect_.left, dotRect_.top, dotRect_.right, dotRect_.bottom);
  for (int i = 0; i < h; ++i)
    for (int j = 0; j < w; ++j)
      if ((GetPixel(dc, j, i) & 0xFFFFFF) == 0 && at(j, i) != kTransparent) at(j, i) = kDot;
  // The mask: white with the glyph's ellipse in black.
  FreeAndNil(mask_);
  mask_ = NewBitmapSized(w, h, pfDevice);
  mask_->SetMonochrome(true);
  HDC maskDC = mask_->Canvas()->Handle();
  FillRect(maskDC, &all, HBRUSH(GetStockObject(WHITE_BRUSH)));
  HGDIOBJ maskPen = SelectObject(maskDC, GetStockObject(BLACK_PEN)), maskBrush = SelectObject(maskDC, GetStockObject(BLACK_BRUSH));
  RoundRect(maskDC, 0, 0, w, h, w - 1, h - 1);
  SelectObject(maskDC, maskPen);
  SelectObject(maskDC, maskBrush);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
}

void TcxRadioButtonImageList::Prepare() {
  const int w = glyphSize_.cx, h = glyphSize_.cy;
  for (int designing = 0; designing < 2; ++designing)
    for (int focused = 0; focused < 2; ++focused)
      for (int kind = lfFlat; kind <= lfOffice11; ++kind)
        for (int checked = 0; checked < 2; ++checked)
          for (int state = pbsNormal; state <= pbsDisabled; ++state) {
            const RadioColors colors = ColorsFor(TcxLookAndFeelKind(kind), TcxPaintButtonState(state), checked,
                                                 focused, designing);
            COLORREF rgb[7];
            for (int c = 0; c < 7; ++c) rgb[c] = COLORREF(ColorToRGB(colors.Classes[c]));
            TBitmap* image = NewBitmapSized(w, h, pf32bit);
            for (int y = 0; y < h; ++y) {
              auto* row = static_cast<Byte*>(image->ScanLine(y));
              for (int x = 0; x < w; ++x) {
                const COLORREF c = rgb[pixelClasses_[size_t(y) * size_t(w) + size_t(x)]];
                row[4 * x] = GetBValue(c), row[4 * x + 1] = GetGValue(c), row[4 * x + 2] = GetRValue(c);
                row[4 * x + 3] = 0;
              }
            }
            index_[ImageKey(TcxLookAndFeelKind(kind), TcxPaintButtonState(state), checked, focused, designing)] =
                int(images_.size());
            images_.push_back(image);
          }
}

void TcxRadioButtonImageList::ClearImages() {
  for (TBitmap*& image : images_) FreeAndNil(image);
  images_.clear();
  index_.clear();
}

void TcxRadioButtonImageList::ResetImages() {
  ClearImages();
  Prepare();
}

void TcxRadioButtonImageList::PaintRadioImage(TcxCanvas* Canvas, int X, int Y, TcxPaintButtonState State,
                                              bool Checked, bool Focused, bool IsDesigning, TcxLookAndFeelKind Kind,
                                              TColor BackColor) {
  if (images_.empty()) Prepare();
  TBitmap* image = images_[size_t(index_.at(ImageKey(Kind, State, Checked, Focused, IsDesigning)))];
  const int w = glyphSize_.cx, h = glyphSize_.cy;
  auto drawMasked = [&](HDC dc, int x, int y) {
    const COLORREF text = SetTextColor(dc, RGB(0, 0, 0)), back = SetBkColor(dc, RGB(255, 255, 255));
    BitBlt(dc, x, y, w, h, mask_->Canvas()->Handle(), 0, 0, SRCAND);
    BitBlt(dc, x, y, w, h, image->Canvas()->Handle(), 0, 0, SRCPAINT);
    SetTextColor(dc, text);
    SetBkColor(dc, back);
  };
  if (BackColor == clDefault) return drawMasked(Canvas->DCHandle(), X, Y);
  TcxBitmap square(w, h);
  FillRectSolid(square.Canvas()->Handle(), square.FullRect(), BackColor);
  drawMasked(square.Canvas()->Handle(), 0, 0);
  BitBlt(Canvas->DCHandle(), X, Y, w, h, square.Canvas()->Handle(), 0, 0, SRCCOPY);
}
