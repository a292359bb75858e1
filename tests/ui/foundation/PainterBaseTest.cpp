// The painter interface and the base drawing routines: metrics and colours of every painter, a
// painter overriding one metric, the arrow triangle, the button caption's lift, the expand cross,
// the embossed disabled arrow, the shared resources (track patterns, radio images, indicators) and
// one row for each of the view families no control of this program draws.

#include <set>

#include "tests/ui/foundation/PainterTestSupport.h"
#include "ui/foundation/FlatPainter.h"
#include "ui/foundation/LookAndFeel.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/foundation/Office11Painter.h"
#include "ui/foundation/StandardPainter.h"
#include "ui/foundation/UltraFlatPainter.h"
#include "ui/foundation/WinXPPainter.h"

using namespace painter_testing;
using theme_testing::FakeThemeApi;

namespace {

using Painter = TcxCustomLookAndFeelPainterClass;
Painter Base() { return &TcxCustomLookAndFeelPainter::ClassInfo(); }
Painter Standard() { return &TcxStandardLookAndFeelPainter::ClassInfo(); }
Painter Flat() { return &TcxFlatLookAndFeelPainter::ClassInfo(); }
Painter UltraFlat() { return &TcxUltraFlatLookAndFeelPainter::ClassInfo(); }
Painter Office11() { return &TcxOffice11LookAndFeelPainter::ClassInfo(); }
Painter WinXP() { return &TcxWinXPLookAndFeelPainter::ClassInfo(); }

// Visual styles off, system colours pinned, the libraries started.
class Painters : public testing::Test {
 protected:
  void SetUp() override {
    StartUnits();
    fake.Active = false;
    AnnounceThemeChange();
  }
  PinnedSystem pinned;
  FakeThemeApi fake;
};

TEST_F(Painters, MetricsOfEveryPainter) {
  struct Row {
    Painter P;
    int StyleCode, Border, FrameNormal, FrameDefault, TextOffset, TextShift;
    bool HotTracks;
    int Expand, HeaderFrame, SortMarkX, CellSpacing;
  };
  const Row rows[] = {
      {Base(), 1, 0, 0, 0, 0, 0, false, 0, 0, 0, 0},      {Standard(), 1, 2, 2, 3, 1, 1, false, 12, 1, 8, 1},
      {Flat(), 0, 1, 1, 2, 1, 1, false, 11, 1, 8, 1},      {UltraFlat(), 2, 1, 1, 2, 2, 0, true, 11, 1, 7, 2},
      {Office11(), 4, 1, 1, 2, 2, 0, true, 11, 1, 7, 2},   {WinXP(), 3, 2, 2, 3, 1, 1, true, 12, 1, 8, 1},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.P->Name());
    EXPECT_EQ(r.P->StyleCode(), r.StyleCode);
    EXPECT_EQ(r.P->BorderThickness(), r.Border);
    EXPECT_EQ(r.P->ButtonFrameWidth(pbsNormal), r.FrameNormal);
    EXPECT_EQ(r.P->ButtonFrameWidth(pbsDefault), r.FrameDefault);
    EXPECT_EQ(r.P->ButtonTextOffset(), r.TextOffset);
    EXPECT_EQ(r.P->ButtonTextShift(), r.TextShift);
    EXPECT_EQ(r.P->HotTracksButtons(), r.HotTracks);
    EXPECT_EQ(r.P->ExpandButtonExtent(), r.Expand);
    EXPECT_EQ(r.P->HeaderFrameWidth(), r.HeaderFrame);
    EXPECT_EQ(r.P->SortMarkSize().x, r.SortMarkX);
    EXPECT_EQ(r.P->FooterCellSpacing(), r.CellSpacing);
    EXPECT_EQ(r.P->MinScrollThumbLength(true), 8);
  }
}

TEST_F(Painters, BaseColours) {
  const Painter p = Base();
  struct Row {
    TColor Actual, Expected;
  };
  const Row rows[] = {
      {p->ContentColor(), clWindow},
      {p->ContentOddColor(), clWindow},
      {p->FilterBoxTextColor(), clBtnHighlight},
      {p->HyperlinkColor(), 0xFF0000},
      {p->InactiveFrameColor(), clBtnShadow},
      {p->SizeGripAreaColor(), clBtnFace},
      {p->FocusFrameColor(), 0},
      {p->SchedulerBorderColor(), 0x9D9DA1},
      {p->SchedulerViewContentColor(), 0xD5FFFF},
      {p->SchedulerSelectedTextColor(), clHighlightText},
      {p->ChartLegendColor(), 0xF0CAA6},
      {p->ChartTitleColor(), 0x800000},
      {p->EditorBackgroundColor(true), clDefault},
      {p->CheckFaceColor(pbsHot), clWindow},
      {p->CheckFaceColor(pbsPressed), clBtnFace},
      {p->ButtonGlyphColor(pbsDisabled, clRed), clBtnShadow},
      {p->ButtonGlyphColor(pbsNormal, clDefault), clBtnText},
      {p->ButtonGlyphColor(pbsHot, clRed), clRed},
      {Standard()->SchedulerViewContentColor(), clWindow},
      {UltraFlat()->SchedulerBorderColor(), clBtnShadow},
  };
  int i = 0;
  for (const Row& r : rows) EXPECT_EQ(r.Actual, r.Expected) << "row " << i++;
  EXPECT_EQ(p->ScrollArrowDirection(false, sppLineUp), padUp);
  EXPECT_EQ(p->ScrollArrowDirection(false, sppLineDown), padDown);
  EXPECT_EQ(p->ScrollArrowDirection(true, sppLineUp), padLeft);
  EXPECT_EQ(p->ScrollArrowDirection(true, sppLineDown), padRight);
}

// A painter that changes nothing but the frame width of the Flat painter's buttons.
class TWideFramePainterMetaClass : public TcxFlatPainterMetaClass {
 public:
  using TcxFlatPainterMetaClass::TcxFlatPainterMetaClass;
  int ButtonFrameWidth(TcxPaintButtonState) const override { return 3; }
};
const TWideFramePainterMetaClass wideFrame(L"TWideFramePainter", &TcxFlatLookAndFeelPainter::ClassInfo());

TEST_F(Painters, OneOverriddenMetricChangesEveryRoutineBuiltOnIt) {
  const TColor face = Resolved(clBtnFace), back = rgb(1, 2, 3);
  using Draw = void (*)(Painter, TcxCanvas*);
  const Draw draws[] = {
      [](Painter p, TcxCanvas* c) { p->PaintButton(c, {0, 0, 12, 12}, false, clDefault, clDefault, true, pbsNormal, L""); },
      [](Painter p, TcxCanvas* c) { p->PaintFilterCloseButton(c, {0, 0, 12, 12}, pbsNormal); },
      [](Painter p, TcxCanvas* c) { p->PaintScrollBarPart(c, false, {0, 0, 12, 12}, sppThumb, pbsNormal); },
  };
  int i = 0;
  for (Draw draw : draws) {
    Surface flat(12, 12), wide(12, 12);
    draw(Flat(), flat.canvas());
    draw(&wideFrame, wide.canvas());
    EXPECT_EQ(flat.At(1, 1), face) << i;
    EXPECT_EQ(wide.At(2, 2), back) << i;  // inside the one-pixel frame, outside the face
    EXPECT_EQ(wide.At(3, 3), face) << i;
    ++i;
  }
  EXPECT_EQ(wideFrame.ButtonGroupFrameWidths(3, 1), (TRect{3, 3, 3, 3}));
}

TEST(ArrowTriangle, CornersByDirectionSizeAndProportion) {
  struct Case {
    TRect R;
    int Size;
    bool Proportional;
    TcxPaintArrowDirection Direction;
    TcxArrowPoints Expected;
  };
  const TRect square{0, 0, 16, 16}, wide{0, 0, 20, 10};
  const Case cases[] = {
      {square, 0, false, padDown, {{{10, 6}, {7, 9}, {4, 6}}}},
      {square, 0, true, padDown, {{{10, 6}, {7, 9}, {4, 6}}}},
      {square, 0, false, padUp, {{{4, 9}, {7, 6}, {10, 9}}}},
      {square, 0, false, padLeft, {{{9, 11}, {6, 8}, {9, 5}}}},
      {square, 0, false, padRight, {{{6, 5}, {9, 8}, {6, 11}}}},
      {square, 2, false, padDown, {{{8, 7}, {7, 8}, {6, 7}}}},  // a given size wins
      {wide, 0, false, padDown, {{{13, 3}, {9, 7}, {5, 3}}}},
      // Made square (10 x 10 in the middle) before the size is taken.
      {wide, 0, true, padDown, {{{11, 4}, {9, 6}, {7, 4}}}},
      {{0, 0, 10, 20}, 0, true, padRight, {{{3, 8}, {5, 10}, {3, 12}}}},
  };
  int i = 0;
  for (const Case& c : cases) {
    const TcxArrowPoints p = TcxLookAndFeelPainterMetaClass::ComputeArrowTriangle(c.R, c.Size, c.Proportional, c.Direction);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(p[size_t(k)], c.Expected[size_t(k)]) << "case " << i << " point " << k;
    ++i;
  }
}

// The topmost row holding a pixel of the colour, or -1.
int TopRowOf(Surface& s, TColor Color) {
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x)
      if (s.At(x, y) == Color) return y;
  return -1;
}

TEST_F(Painters, ButtonCaptionLiftedBelowEighteenPixels) {
  for (int height : {17, 18}) {
    Surface button(40, height), plain(40, height);
    Base()->PaintButton(button.canvas(), {0, 0, 40, height}, false, clRed, clWhite, false, pbsNormal, L"Xg");
    plain.canvas()->FillAreaWithColor({0, 0, 40, height}, clWhite);
    plain.canvas()->CurrentBrush()->SetStyle(bsClear);
    plain.canvas()->CurrentFont()->SetColor(clRed);
    plain.canvas()->DrawTextWithEnabledState(L"Xg", {0, 0, 40, height}, 0x264);
    const int lift = TopRowOf(plain, Resolved(clRed)) - TopRowOf(button, Resolved(clRed));
    // 17 rows: the face loses its odd bottom row and then moves up one; 18 rows stay.
    EXPECT_EQ(lift, height == 17 ? 1 : 0) << height;
  }
}

TEST_F(Painters, ExpandCrossOnNineByNine) {
  for (bool expanded : {false, true}) {
    Surface s(9, 9);
    TcxLookAndFeelPainterMetaClass::PaintExpandCross(s.canvas(), {0, 0, 9, 9}, clBlack, expanded);
    for (int x = 0; x < 9; ++x) EXPECT_EQ(s.At(x, 4) == clBlack, x >= 2 && x <= 6) << x;  // half 2: 5 pixels
    for (int y : {2, 3, 5, 6}) EXPECT_EQ(s.At(4, y) == clBlack, !expanded) << y;
  }
}

TEST_F(Painters, DisabledArrowIsEmbossedWhateverTheGlyphColour) {
  for (Painter p : {Base(), UltraFlat(), Office11()}) {
    Surface s(16, 16);
    p->PaintButtonArrow(s.canvas(), {0, 0, 16, 16}, padDown, pbsDisabled);
    const TcxArrowPoints t = TcxLookAndFeelPainterMetaClass::ComputeArrowTriangle({0, 0, 16, 16}, 0, true, padDown);
    EXPECT_EQ(s.At(t[1].x, t[1].y), Resolved(clBtnShadow)) << p->Name();
    EXPECT_EQ(s.At(t[1].x + 1, t[1].y + 1), Resolved(clBtnHighlight)) << p->Name();
  }
}

TEST_F(Painters, TrackPatternParity) {
  pinned.Colors[COLOR_BTNFACE] = rgb(200, 201, 202);
  UpdateTrackPatterns();  // the patterns take the colours of now
  Surface normal(8, 4), pressed(8, 4);
  FillTrackPattern(normal.canvas(), {0, 0, 8, 4}, false);
  FillTrackPattern(pressed.canvas(), {0, 0, 8, 4}, true);
  for (auto [x, y] : {std::pair{0, 0}, std::pair{1, 0}, std::pair{3, 1}, std::pair{2, 3}}) {
    const bool same = x % 2 == y % 2;
    EXPECT_EQ(normal.At(x, y), same ? rgb(200, 201, 202) : Resolved(clBtnHighlight)) << x << "," << y;
    EXPECT_EQ(pressed.At(x, y), same ? clBlack : Resolved(cl3DDkShadow)) << x << "," << y;
  }
  pinned.Colors.erase(COLOR_BTNFACE);
  UpdateTrackPatterns();
}

TEST_F(Painters, RadioImagesMadeAgainAfterResetImages) {
  TcxRadioButtonImageList* images = RadioButtonImages();
  images->ResetImages();  // made with the pinned colours
  const TSize glyph = images->GlyphSize();
  ASSERT_GT(glyph.cx, 4);
  const int x = glyph.cx / 2 - 3, y = glyph.cy / 2;
  auto body = [&](TcxLookAndFeelKind kind, TcxPaintButtonState state, bool checked) {
    Surface s(glyph.cx, glyph.cy, clWhite);
    images->PaintRadioImage(s.canvas(), 0, 0, state, checked, false, false, kind, clDefault);
    return s.At(x, y);
  };
  EXPECT_EQ(body(lfStandard, pbsNormal, false), Resolved(clWindow));
  EXPECT_EQ(body(lfStandard, pbsPressed, false), Resolved(clBtnFace));
  EXPECT_EQ(body(lfUltraFlat, pbsHot, false), Resolved(HotTintColor()));
  EXPECT_EQ(body(lfOffice11, pbsPressed, false), Office11Color(Office11PressedColor));
  const TColor window = Resolved(clWindow);
  pinned.Colors[COLOR_WINDOW] = rgb(230, 240, 250);
  EXPECT_EQ(body(lfStandard, pbsNormal, false), window);  // cached
  images->ResetImages();
  EXPECT_EQ(images->ImageCount(), 128);
  EXPECT_EQ(body(lfStandard, pbsNormal, false), rgb(230, 240, 250));
  // The dot is the window text colour when checked; the masked corner keeps the background.
  Surface checked(glyph.cx, glyph.cy, clWhite);
  images->PaintRadioImage(checked.canvas(), 0, 0, pbsNormal, true, false, false, lfFlat, clDefault);
  EXPECT_EQ(checked.At(glyph.cx / 2, glyph.cy / 2), Resolved(clWindowText));
  EXPECT_EQ(checked.At(0, 0), clWhite);
  Surface backed(glyph.cx, glyph.cy, clWhite);
  images->PaintRadioImage(backed.canvas(), 0, 0, pbsNormal, false, false, false, lfFlat, rgb(9, 99, 199));
  EXPECT_EQ(backed.At(0, 0), rgb(9, 99, 199));
  EXPECT_EQ(TcxRadioButtonImageList::ImageKey(lfOffice11, pbsDisabled, true, true, true), 127);
  EXPECT_EQ(TcxRadioButtonImageList::ImageKey(lfFlat, pbsNormal, false, false, false), 0);
}

TEST_F(Painters, IndicatorImagesAndCheckBoxSize) {
  EXPECT_GT(CheckBoxSize().cx, 0);
  EXPECT_EQ(Base()->CheckBoxExtent(), CheckBoxSize());
  ASSERT_EQ(IndicatorImages()->Count(), 6);
  EXPECT_EQ(IndicatorImages()->Width(), 8);
  EXPECT_EQ(IndicatorImages()->Height(), 9);
  for (TcxIndicatorKind kind : {ikArrow, ikFilter}) {
    Surface s(16, 16, clWhite);
    Base()->PaintIndicatorImage(s.canvas(), {0, 0, 16, 16}, kind);
    int black = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) black += s.At(x, y) == clBlack;
    EXPECT_GT(black, 4) << kind;
  }
  Surface none(16, 16, clWhite);
  Base()->PaintIndicatorImage(none.canvas(), {0, 0, 16, 16}, ikNone);
  EXPECT_EQ(none.At(8, 8), clWhite);
}

// One row for each family of views that no control of this program draws.
TEST_F(Painters, ViewFamiliesOneRowEach) {
  struct Row {
    const char* Family;
    void (*Draw)(TcxCanvas*);
    TPoint Probe;
    TColor Expected;
  };
  const Row rows[] = {
      {"grid header", [](TcxCanvas* c) {
         TcxCellText cell;
         cell.BkColor = clRed;
         Standard()->PaintHeaderCell(c, {0, 0, 30, 20}, {2, 2, 28, 18}, {}, cxBordersAll, pbsNormal, cell, nullptr, false);
       }, {0, 0}, Resolved(cl3DLight)},
      {"grid header content", [](TcxCanvas* c) {
         TcxCellText cell;
         cell.BkColor = clRed;
         Standard()->PaintHeaderCell(c, {0, 0, 30, 20}, {2, 2, 28, 18}, {}, cxBordersAll, pbsNormal, cell, nullptr, false);
       }, {15, 10}, Resolved(clRed)},
      {"grid footer", [](TcxCanvas* c) { UltraFlat()->PaintFooterFrame(c, {0, 0, 30, 20}); }, {29, 19},
       Resolved(clBtnShadow)},
      {"calendar", [](TcxCanvas* c) { Base()->PaintCalendarHeaderArrows(c, {0, 0, 40, 20}, clBlue, cxcaLeft); }, {10, 10},
       clBlue},
      {"scheduler", [](TcxCanvas* c) {
         Base()->PaintSchedulerEventProgress(c, {0, 0, 30, 10}, true, {}, {2, 2, 12, 8});
       }, {5, 5}, clNavy},
      {"clock", [](TcxCanvas* c) { Base()->PaintClock(c, {0, 0, 40, 40}, 0.25); }, {19, 19}, 0x808000},
      {"chart", [](TcxCanvas* c) { c->FillAreaWithColor({0, 0, 4, 4}, Base()->ChartLegendColor()); }, {1, 1},
       0xF0CAA6},
      {"panel", [](TcxCanvas* c) { Office11()->PaintPanelBackground(c, nullptr, {0, 0, 20, 20}, clRed, clBlue); },
       {10, 0}, clRed},
      {"group box", [](TcxCanvas* c) {
         c->FillAreaWithColor({0, 0, 2, 2}, Base()->GroupBoxFrameWidths(true, cxgpTop) == TRect{} ? clLime : clRed);
       }, {0, 0}, clLime},
      {"track bar", [](TcxCanvas* c) {
         c->FillAreaWithColor({0, 0, 2, 2}, Base()->TrackBarThumbSize(true) == TSize{} ? clLime : clRed);
       }, {0, 0}, clLime},
      {"splitter", [](TcxCanvas* c) {
         Flat()->PaintSchedulerSplitterFrame(c, {0, 0, 20, 10}, true, {nullptr, clLime, nullptr, clDefault});
       }, {10, 5}, clLime},
      {"progress", [](TcxCanvas* c) {
         c->FillAreaWithColor({0, 0, 2, 2}, Base()->ProgressFrameWidths(false) == TRect{} ? clLime : clRed);
       }, {0, 0}, clLime},
  };
  for (const Row& r : rows) {
    Surface s(40, 40);
    r.Draw(s.canvas());
    EXPECT_EQ(s.At(r.Probe.x, r.Probe.y), r.Expected) << r.Family;
  }
}

}  // namespace
