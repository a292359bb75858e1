#include "ui/foundation/Office11Painter.h"

#include "ui/foundation/Graphics.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/foundation/Themes.h"
#include "ui/foundation/WinXPPainter.h"

DEFINE_CLASS_WITH(TcxOffice11LookAndFeelPainter, TcxOffice11PainterMetaClass)

#pragma GCC diagnostic ignored "-Wunused-parameter"

namespace {

TColor PaletteColor(TOffice11ColorSlot Slot) { return Office11Color(Slot); }

}  // namespace

TColor TcxOffice11PainterMetaClass::FilterBoxColor() const { return PaletteColor(Office11FilterBoxColor); }
TColor TcxOffice11PainterMetaClass::FilterBoxTextColor() const { return PaletteColor(Office11FilterBoxTextColor); }
TColor TcxOffice11PainterMetaClass::FooterColor() const { return PaletteColor(Office11FaceColor); }
TColor TcxOffice11PainterMetaClass::GridLineColor() const { return PaletteColor(Office11GridLineColor); }
TColor TcxOffice11PainterMetaClass::GroupColor() const { return PaletteColor(Office11PaleGroupColor); }
TColor TcxOffice11PainterMetaClass::DetailsSiteColor() const { return PaletteColor(Office11DetailsSiteColor); }
TColor TcxOffice11PainterMetaClass::CalendarHeaderColor() const { return PaletteColor(Office11FaceColor); }
TColor TcxOffice11PainterMetaClass::CalendarSelectionColor() const { return PaletteColor(Office11CalendarSelectionColor); }
TColor TcxOffice11PainterMetaClass::SchedulerBorderColor() const { return PaletteColor(Office11SchedulerBorderColor); }
TColor TcxOffice11PainterMetaClass::SchedulerControlColor() const { return PaletteColor(Office11SchedulerControlColor); }
TColor TcxOffice11PainterMetaClass::SchedulerDayHeaderColor() const { return PaletteColor(Office11LightFaceColor); }
TColor TcxOffice11PainterMetaClass::SchedulerGroupSeparatorColor() const { return PaletteColor(Office11FaceColor); }
TColor TcxOffice11PainterMetaClass::BorderHighlightColor() const { return PaletteColor(Office11SelectionBorderColor); }
TColor TcxOffice11PainterMetaClass::HeaderLightColor() const { return PaletteColor(Office11PaleFaceColor); }
TColor TcxOffice11PainterMetaClass::HeaderShadowColor() const { return PaletteColor(Office11HeaderShadowTone); }
TColor TcxOffice11PainterMetaClass::HeaderHighlightColor() const { return PaletteColor(Office11HeaderLightTone); }

TColor TcxOffice11PainterMetaClass::GroupBandGradientColor() const {
  return BlendColorsPercent(PaletteColor(Office11PaleGroupColor), PaletteColor(Office11PaleFaceColor), 50);
}

TColor TcxOffice11PainterMetaClass::FilterButtonFrameColor(TcxPaintButtonState State) const {
  return State == pbsNormal ? HeaderShadowColor() : PaletteColor(Office11SelectionBorderColor);
}

void TcxOffice11PainterMetaClass::PaintBorder(TcxCanvas* Canvas, const TRect& R) const {
  Canvas->DrawFrameBorders(R, PaletteColor(Office11BorderColor), 1);
}

TColor TcxOffice11PainterMetaClass::ButtonFaceColor(TcxPaintButtonState State) const {
  switch (State) {
    case pbsHot: return PaletteColor(Office11HotColor);
    case pbsPressed: return PaletteColor(Office11PressedColor);
    case pbsDisabled: return clBtnFace;
    default: return PaletteColor(Office11FaceColor);
  }
}

TColor TcxOffice11PainterMetaClass::ButtonGlyphColor(TcxPaintButtonState State, TColor DefaultColor) const {
  if (State == pbsPressed && !Office11UsesSchemeColors()) return clHighlightText;
  return State == pbsDisabled ? PaletteColor(Office11DisabledTextColor) : PaletteColor(Office11TextColor);
}

void TcxOffice11PainterMetaClass::PaintButtonFrame(TcxCanvas* Canvas, const TRect& R,
                                                   TcxPaintButtonState State) const {
  switch (State) {
    case pbsDefault: TcxUltraFlatPainterMetaClass::PaintButtonFrame(Canvas, R, State); break;
    case pbsNormal: Canvas->DrawFrameBorders(R, clBtnText, 1); break;
    case pbsDisabled: Canvas->DrawFrameBorders(R, PaletteColor(Office11DisabledTextColor), 1); break;
    default: Canvas->DrawFrameBorders(R, PaletteColor(Office11SelectionBorderColor), 1); break;
  }
}

// The palette's glyph bitmap at R's top-left, its corners first blended a quarter of the way from
// what lies under them toward the scheme's corner colours.
void TcxOffice11PainterMetaClass::PaintExpandButton(TcxCanvas* Canvas, const TRect& R, TColor Color,
                                                    bool Expanded) const {
  const bool held = Office11ExpandButtonBitmap(Expanded) != nullptr;
  if (!held) AcquireOffice11Colors();
  TBitmap* glyph = Office11ExpandButtonBitmap(Expanded);
  TCanvas* canvas = Canvas->Canvas();
  const TColor topLeft = canvas->Pixels(R.left, R.top), bottomRight = canvas->Pixels(R.right - 1, R.bottom - 1);
  TCanvas* target = glyph->Canvas();
  const int last = glyph->Width() - 1;
  target->SetPixels(0, 0, BlendColorsPercent(PaletteColor(Office11ExpandCornerColor1), topLeft, 25));
  const TColor corner = BlendColorsPercent(PaletteColor(Office11ExpandCornerColor2), bottomRight, 25);
  target->SetPixels(last, last, corner);
  target->SetPixels(0, last, corner);
  target->SetPixels(last, 0, corner);
  canvas->Draw(R.left, R.top, glyph);
  if (!held) UnacquireOffice11Colors();
}

void TcxOffice11PainterMetaClass::PaintSmallExpandButton(TcxCanvas* Canvas, const TRect& R, TColor Color,
                                                         TColor BorderColor, bool Expanded) const {
  PaintExpandButton(Canvas, R, Color, Expanded);
}

TColor TcxOffice11PainterMetaClass::CheckFaceColor(TcxPaintButtonState State) const {
  if (State == pbsHot || State == pbsPressed || State == pbsDisabled) return ButtonFaceColor(State);
  return TcxUltraFlatPainterMetaClass::CheckFaceColor(State);
}

// The band behind a cell: its colour down to three rows above the bottom, then a four-row gradient
// into the header's light colour; a hot cell is underlined with the hot gradient.
void TcxOffice11PainterMetaClass::PaintCellContent(TcxCanvas* Canvas, const TRect& R, const TRect& TextR,
                                                   const TcxCellText& Cell,
                                                   const TcxCustomDrawBackgroundEvent& OnDrawBackground,
                                                   TcxPaintButtonState State, bool Solid) const {
  const bool hot = State == pbsHot;
  if (!(OnDrawBackground && OnDrawBackground(Canvas, R))) {
    const TColor c1 = hot ? PaletteColor(Office11PaleGroupColor) : GroupBandGradientColor();
    const TColor c2 = hot ? PaletteColor(Office11PaleGroupColor) : HeaderLightColor();
    HDC dc = Canvas->DCHandle();
    if (Solid) {
      FillRectSolid(dc, R, c1);
    } else {
      FillRectSolid(dc, {R.left, R.top, R.right, R.bottom - 3}, c1);
      PaintGradientRect(dc, {R.left, R.bottom - 4, R.right, R.bottom}, c1, c2, false);
    }
  }
  // The text as the base routine draws it, over the band painted here.
  const TcxCustomDrawBackgroundEvent bandPainted = [](TcxCanvas*, const TRect&) { return true; };
  TcxLookAndFeelPainterMetaClass::PaintCellContent(Canvas, R, TextR, Cell, bandPainted, State, Solid);
  if (hot)
    PaintGradientRect(Canvas->DCHandle(), {R.left - 1, R.bottom - 2, R.right, R.bottom + 1}, PaletteColor(Office11HotColor),
                      PaletteColor(Office11HotColor2), false);
}

void TcxOffice11PainterMetaClass::PaintNavigationButtonFace(TcxCanvas* Canvas, const TRect& R,
                                                            TcxPaintButtonState State, bool IsNext) const {
  const TColor face = State == pbsHot       ? PaletteColor(Office11HotColor)
                      : State == pbsPressed ? PaletteColor(Office11PressedColor)
                                            : PaletteColor(Office11FaceColor);
  PaintPlainNavigationButton(Canvas, R, face, PaletteColor(Office11SchedulerBorderColor), State, IsNext);
}

// The base cell; the neighbours, which the Office11 frame does not look at, are left out.
void TcxOffice11PainterMetaClass::PaintHeaderCell(TcxCanvas* Canvas, const TRect& R, const TRect& TextR,
                                                  TcxNeighbors Neighbors, TcxBorders Borders,
                                                  TcxPaintButtonState State, const TcxCellText& Cell,
                                                  const TcxCustomDrawBackgroundEvent& OnDrawBackground,
                                                  bool IsLast) const {
  TcxUltraFlatPainterMetaClass::PaintHeaderCell(Canvas, R, TextR, {}, Borders, State, Cell, OnDrawBackground, IsLast);
}

void TcxOffice11PainterMetaClass::PaintHeaderFrame(TcxCanvas* Canvas, const TRect& R, TcxNeighbors Neighbors,
                                                   TcxBorders Borders) const {
  const TColor a = GroupBandGradientColor(), b = HeaderLightColor(), s = HeaderShadowColor(),
               h = HeaderHighlightColor();
  const TColor quarter = BlendColorsPercent(a, b, 25);
  auto pixel = [Canvas](int x, int y, TColor c) { Canvas->SetPixelColor(x, y, c); };
  auto column = [Canvas](int x, int y1, int y2, TColor c) { Canvas->FillAreaWithColor({x, y1, x + 1, y2 + 1}, c); };
  const int L = R.left, T = R.top, Rt = R.right, B = R.bottom;
  if (Borders.Contains(bTop)) Canvas->FillAreaWithColor({L, T, Rt, T + 1}, a);
  if (Borders.Contains(bBottom)) Canvas->FillAreaWithColor({L, B - 1, Rt, B}, s);
  if (Borders.Contains(bLeft)) {
    pixel(L, T + 1, a);
    if (Neighbors.Contains(nLeft)) {
      pixel(L, T + 2, a);
      pixel(L, B - 3, quarter);
      pixel(L, B - 2, b);
      column(L, T + 2, B - 3, h);
    } else {
      pixel(L, B - 2, b);
      column(L, T + 1, B - 2, h);
    }
  }
  if (Borders.Contains(bRight)) {
    if (Neighbors.Contains(nRight)) {
      pixel(Rt - 1, T + 1, a);
      pixel(Rt - 1, T + 2, a);
      pixel(Rt - 1, B - 3, quarter);
      pixel(Rt - 1, B - 2, b);
      column(Rt - 1, T + 2, B - 3, s);
    } else {
      pixel(Rt - 1, T, BlendColorsPercent(a, s, 50));
      pixel(Rt - 1, B - 2, BlendColorsPercent(b, s, 50));
      column(Rt - 1, T + 1, B - 2, s);
    }
  }
}

void TcxOffice11PainterMetaClass::PaintHeaderSection(TcxCanvas* Canvas, const TRect& R, const TRect& TextR,
                                                     TcxPaintButtonState State, TcxBorders Borders,
                                                     const TcxCellText& Cell) const {
  PaintHeaderCell(Canvas, R, TextR, {}, Borders, State, Cell, nullptr, false);
  if (State == pbsPressed) PaintHeaderPressed(Canvas, R);
}

void TcxOffice11PainterMetaClass::PaintSortMark(TcxCanvas* Canvas, const TRect& R, bool Ascending) const {
  PaintSortArrow(Canvas, R, Ascending, HeaderHighlightColor(), HeaderShadowColor());
}

void TcxOffice11PainterMetaClass::PaintScrollBarPart(TcxCanvas* Canvas, bool Horizontal, const TRect& R,
                                                     TcxScrollBarPaintPart Part, TcxPaintButtonState State) const {
  if (VisualStylesAvailable(totScrollBar))
    TcxWinXPLookAndFeelPainter::ClassInfo().PaintScrollBarPart(Canvas, Horizontal, R, Part, State);
  else
    TcxStandardLookAndFeelPainter::ClassInfo().PaintScrollBarPart(Canvas, Horizontal, R, Part, State);
}

void TcxOffice11PainterMetaClass::PaintSizeGrip(TcxCanvas* Canvas, const TRect& R, TColor BackColor) const {
  Canvas->FillAreaWithColor(R, BackColor);
  DrawOffice11SizeGripDots(Canvas->DCHandle(), R, clDefault, clDefault);
}

void TcxOffice11PainterMetaClass::PaintCalendarHeader(TcxCanvas* Canvas, const TRect& R, const String& Text,
                                                      const TcxViewParamSet& ViewParams, int Arrows,
                                                      TcxNeighbors Neighbors,
                                                      const TcxCustomDrawBackgroundEvent& OnDrawBackground) const {
  const TRect inner = InflateRectBy(R, -1, -1);
  if (!(OnDrawBackground && OnDrawBackground(Canvas, inner))) {
    Canvas->ApplyBrushColor(ViewParams.Color);
    Canvas->FillWithTileBitmap(inner, ViewParams.Bitmap);
  }
  if (!Text.empty()) {
    Canvas->CurrentBrush()->SetStyle(bsClear);
    if (ViewParams.Font) Canvas->UseFont(ViewParams.Font);
    if (ViewParams.TextColor != clDefault) Canvas->CurrentFont()->SetColor(ViewParams.TextColor);
    Canvas->DrawTextWithEnabledState(Text, inner, ctfHCenter | ctfVCenter | ctfSingleLine);
    Canvas->CurrentBrush()->SetStyle(bsSolid);
  }
  PaintCalendarHeaderArrows(Canvas, R, clWindowText, Arrows);
}

void TcxOffice11PainterMetaClass::PaintSchedulerBorder(TcxCanvas* Canvas, const TRect& R) const {
  Canvas->DrawFrameBorders(R, SchedulerBorderColor(), 1);
}

void TcxOffice11PainterMetaClass::PaintSchedulerNavigatorButton(TcxCanvas* Canvas, const TRect& R,
                                                                TcxPaintButtonState State) const {
  TcxWinXPLookAndFeelPainter::ClassInfo().PaintSchedulerNavigatorButton(Canvas, R, State);
}

void TcxOffice11PainterMetaClass::PaintPanelBackground(TcxCanvas* Canvas, TWinControl* Control, const TRect& R,
                                                       TColor ColorFrom, TColor ColorTo) const {
  if (ColorFrom == clDefault) {
    if (Control) DrawControlParentBackground(Control, Canvas, R, false);
  } else if (ColorTo == clDefault) {
    Canvas->FillAreaWithColor(R, ColorFrom);
  } else {
    PaintGradientRect(Canvas->DCHandle(), R, ColorFrom, ColorTo, false);
  }
}
