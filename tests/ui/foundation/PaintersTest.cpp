// The Standard, Flat, UltraFlat and Office11 painters: (operation, state) -> probed pixels of borders,
// button frames and scroll-bar parts; hot tracking; the UltraFlat faces following a colour change;
// the Office11 scroll bar drawn through the WinXP or the Standard painter, and its dotted size grip.

#include <functional>

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
using theme_testing::ThemeCall;

namespace {

using Painter = TcxCustomLookAndFeelPainterClass;
Painter Standard() { return &TcxStandardLookAndFeelPainter::ClassInfo(); }
Painter Flat() { return &TcxFlatLookAndFeelPainter::ClassInfo(); }
Painter UltraFlat() { return &TcxUltraFlatLookAndFeelPainter::ClassInfo(); }
Painter Office11() { return &TcxOffice11LookAndFeelPainter::ClassInfo(); }

class PainterPixels : public testing::Test {
 protected:
  void SetUp() override {
    StartUnits();
    fake.Active = false;
    AnnounceThemeChange();  // themes off; the palette from the pinned colours
  }
  void TearDown() override {
    fake.Active = false;
    AnnounceThemeChange();
  }
  PinnedSystem pinned;
  FakeThemeApi fake;
};

constexpr TColor kBack = rgb(1, 2, 3);
const TRect kBox{0, 0, 10, 10};

struct Probe {
  int X, Y;
  TColor Color;  // system colours are resolved when probed
};

struct Row {
  const char* Name;
  std::function<void(TcxCanvas*)> Draw;
  std::vector<Probe> Probes;
};

void Check(const std::vector<Row>& rows) {
  for (const Row& row : rows) {
    Surface s(20, 20, kBack);
    row.Draw(s.canvas());
    for (const Probe& p : row.Probes)
      EXPECT_EQ(s.At(p.X, p.Y), Resolved(p.Color)) << row.Name << " at " << p.X << "," << p.Y;
  }
}

auto Border(Painter P) {
  return [P](TcxCanvas* c) { P->PaintBorder(c, kBox); };
}
auto Frame(Painter P, TcxPaintButtonState State) {
  return [P, State](TcxCanvas* c) { P->PaintButtonFrame(c, kBox, State); };
}
auto Part(Painter P, TcxScrollBarPaintPart Part, TcxPaintButtonState State, TRect R = kBox) {
  return [P, Part, State, R](TcxCanvas* c) { P->PaintScrollBarPart(c, false, R, Part, State); };
}

// The apex of the arrow a line-down button draws into Box.
TPoint ArrowApex(const TRect& Box) {
  return TcxLookAndFeelPainterMetaClass::ComputeArrowTriangle(Box, 0, true, padDown)[1];
}

TEST_F(PainterPixels, Standard) {
  Check({
      {"border", Border(Standard()),
       {{0, 0, clBtnShadow}, {9, 0, clBtnHighlight}, {9, 9, clBtnHighlight}, {1, 1, cl3DDkShadow}, {8, 8, cl3DLight},
        {5, 5, kBack}}},
      {"frame normal", Frame(Standard(), pbsNormal),
       {{0, 0, clBtnHighlight}, {9, 9, cl3DDkShadow}, {1, 1, cl3DLight}, {8, 8, clBtnShadow}, {2, 2, kBack}}},
      {"frame default", Frame(Standard(), pbsDefault),
       {{0, 0, clBlack}, {9, 9, clBlack}, {1, 1, clBtnHighlight}, {8, 8, cl3DDkShadow}, {2, 2, cl3DLight}}},
      {"frame pressed", Frame(Standard(), pbsPressed),
       {{0, 0, clBlack}, {1, 1, clBtnShadow}, {8, 8, clBtnShadow}, {2, 2, kBack}}},
      {"thumb", Part(Standard(), sppThumb, pbsNormal),
       {{0, 0, clBtnFace}, {9, 9, cl3DDkShadow}, {1, 1, clBtnHighlight}, {8, 8, clBtnShadow}, {5, 5, clBtnFace}}},
      {"disabled thumb", Part(Standard(), sppThumb, pbsDisabled), {{0, 0, kBack}, {5, 5, kBack}}},
      {"page", Part(Standard(), sppPageUp, pbsNormal), {{0, 0, clBtnFace}, {1, 0, clBtnHighlight}}},
      {"pressed page", Part(Standard(), sppPageDown, pbsPressed), {{0, 0, clBlack}, {1, 0, cl3DDkShadow}}},
      {"line button", Part(Standard(), sppLineDown, pbsNormal),
       {{0, 0, clBtnFace}, {9, 9, cl3DDkShadow}, {1, 1, clBtnHighlight}, {8, 8, clBtnShadow}}},
      {"pressed line button", Part(Standard(), sppLineDown, pbsPressed),
       {{0, 0, clBtnShadow}, {9, 9, clBtnShadow}, {1, 1, clBtnFace}, {8, 8, clBtnFace}}},
      {"expand button", [](TcxCanvas* c) { Standard()->PaintExpandButton(c, {0, 0, 11, 11}, clDefault, false); },
       {{0, 0, clBtnHighlight}, {10, 10, clBtnShadow}, {1, 1, clBtnFace}, {5, 3, clBtnText}}},
      {"check frame", [](TcxCanvas* c) { Standard()->PaintCheckFrame(c, kBox, pbsNormal); },
       {{0, 0, clBtnShadow}, {9, 9, clBtnHighlight}, {1, 1, cl3DDkShadow}, {8, 8, cl3DLight}}},
  });
}

TEST_F(PainterPixels, Flat) {
  const TRect arrowBox{0, 0, 16, 16};
  const TPoint pressedApex = ArrowApex(OffsetRectBy(InflateRectBy(arrowBox, -1, -1), 1, 1));
  const TPoint apex = ArrowApex(InflateRectBy(arrowBox, -1, -1));
  Check({
      {"border", Border(Flat()), {{0, 0, clBtnShadow}, {9, 9, clBtnHighlight}, {1, 1, kBack}}},
      {"frame normal", Frame(Flat(), pbsNormal), {{0, 0, clBtnHighlight}, {9, 9, clBtnShadow}, {1, 1, kBack}}},
      {"frame default", Frame(Flat(), pbsDefault), {{0, 0, clBlack}, {1, 1, clBtnHighlight}, {8, 8, clBtnShadow}}},
      {"frame pressed", Frame(Flat(), pbsPressed), {{0, 0, clBtnShadow}, {9, 9, clBtnHighlight}}},
      {"thumb", Part(Flat(), sppThumb, pbsHot), {{0, 0, clBtnHighlight}, {9, 9, clBtnShadow}, {5, 5, clBtnFace}}},
      {"line button", Part(Flat(), sppLineDown, pbsNormal, arrowBox),
       {{0, 0, clBtnHighlight}, {apex.x, apex.y, clBtnText}}},
      {"pressed line button", Part(Flat(), sppLineDown, pbsPressed, arrowBox),
       {{0, 0, clBtnShadow}, {15, 15, clBtnHighlight}, {pressedApex.x, pressedApex.y, clBtnText}}},
      {"check frame", [](TcxCanvas* c) { Flat()->PaintCheckFrame(c, kBox, pbsNormal); },
       {{0, 0, cl3DDkShadow}, {9, 9, cl3DLight}, {1, 1, clWindow}, {2, 2, kBack}}},
  });
  EXPECT_EQ(pressedApex.x, apex.x + 1);  // the pressed arrow moves one pixel right and down
}

TEST_F(PainterPixels, UltraFlat) {
  const TRect arrowBox{0, 0, 16, 16};
  const TPoint apex = ArrowApex(arrowBox);
  Check({
      {"border", Border(UltraFlat()), {{0, 0, clBtnShadow}, {9, 9, clBtnShadow}, {1, 1, kBack}}},
      {"frame normal", Frame(UltraFlat(), pbsNormal), {{0, 0, clBtnText}, {1, 1, kBack}}},
      {"frame hot", Frame(UltraFlat(), pbsHot), {{0, 0, clHighlight}}},
      {"frame pressed", Frame(UltraFlat(), pbsPressed), {{9, 9, clHighlight}}},
      {"frame disabled", Frame(UltraFlat(), pbsDisabled), {{0, 0, clBtnShadow}}},
      {"frame default", Frame(UltraFlat(), pbsDefault), {{0, 0, clWindowFrame}, {1, 1, clWindowFrame}, {2, 2, kBack}}},
      {"hot thumb", Part(UltraFlat(), sppThumb, pbsHot), {{0, 0, clHighlight}, {5, 5, HotTintColor()}}},
      {"pressed thumb", Part(UltraFlat(), sppThumb, pbsPressed), {{5, 5, SelectionTintColor()}}},
      {"disabled thumb", Part(UltraFlat(), sppThumb, pbsDisabled), {{5, 5, kBack}}},
      {"pressed line button", Part(UltraFlat(), sppLineDown, pbsPressed, arrowBox),
       {{0, 0, clHighlight}, {apex.x, apex.y, clHighlightText}}},
      {"grouped button", [](TcxCanvas* c) { UltraFlat()->PaintGroupedButton(c, kBox, clRed, 0, 3, pbsNormal); },
       {{0, 0, kBack}, {1, 1, clRed}, {9, 1, clRed}, {2, 2, clBtnFace}}},
  });
}

TEST_F(PainterPixels, HotLooksNormalOnlyWhereThePainterDoesNotHotTrack) {
  for (Painter p : {Standard(), Flat(), UltraFlat()}) {
    Surface hot(10, 10), normal(10, 10);
    p->PaintScrollBarPart(hot.canvas(), false, kBox, sppThumb, pbsHot);
    p->PaintScrollBarPart(normal.canvas(), false, kBox, sppThumb, pbsNormal);
    bool same = true;
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x) same &= hot.At(x, y) == normal.At(x, y);
    EXPECT_EQ(same, !p->HotTracksButtons()) << p->Name();
  }
}

TEST_F(PainterPixels, UltraFlatFacesFollowAColourChange) {
  Surface before(10, 10);
  UltraFlat()->PaintScrollBarPart(before.canvas(), false, kBox, sppThumb, pbsHot);
  pinned.Colors[COLOR_HIGHLIGHT] = rgb(200, 40, 40);
  Surface after(10, 10);
  UltraFlat()->PaintScrollBarPart(after.canvas(), false, kBox, sppThumb, pbsHot);
  EXPECT_NE(after.At(5, 5), before.At(5, 5));
  EXPECT_EQ(after.At(5, 5), Resolved(HotTintColor()));
  EXPECT_EQ(after.At(0, 0), rgb(200, 40, 40));
  Surface pressed(10, 10);
  UltraFlat()->PaintScrollBarPart(pressed.canvas(), false, kBox, sppThumb, pbsPressed);
  EXPECT_EQ(pressed.At(5, 5), Resolved(SelectionTintColor()));
}

TEST_F(PainterPixels, Office11) {
  Check({
      {"border", Border(Office11()), {{0, 0, Office11Color(Office11BorderColor)}, {1, 1, kBack}}},
      {"frame normal", Frame(Office11(), pbsNormal), {{0, 0, clBtnText}}},
      {"frame hot", Frame(Office11(), pbsHot), {{0, 0, Office11Color(Office11SelectionBorderColor)}}},
      {"frame disabled", Frame(Office11(), pbsDisabled), {{0, 0, Office11Color(Office11DisabledTextColor)}}},
      {"hot button",
       [](TcxCanvas* c) { Office11()->PaintButton(c, kBox, false, clDefault, clDefault, true, pbsHot, L""); },
       {{0, 0, Office11Color(Office11SelectionBorderColor)}, {5, 5, Office11Color(Office11HotColor)}}},
      {"pressed button",
       [](TcxCanvas* c) { Office11()->PaintButton(c, kBox, false, clDefault, clDefault, true, pbsPressed, L""); },
       {{5, 5, Office11Color(Office11PressedColor)}}},
      {"size grip", [](TcxCanvas* c) { Office11()->PaintSizeGrip(c, {0, 0, 20, 20}, clRed); },
       {{0, 0, clRed}, {8, 17, Office11Color(Office11GripDarkColor)}, {10, 19, Office11Color(Office11GripLightColor)},
        {16, 9, Office11Color(Office11GripDarkColor)}}},
  });
}

TEST_F(PainterPixels, Office11ExpandGlyphCornersBlendIntoTheBackground) {
  for (bool expanded : {false, true}) {
    Surface s(20, 20, clWhite);
    Office11()->PaintExpandButton(s.canvas(), {2, 2, 13, 13}, clDefault, expanded);
    EXPECT_EQ(s.At(2, 2), BlendColorsPercent(Office11Color(Office11ExpandCornerColor1), clWhite, 25));
    const TColor corner = BlendColorsPercent(Office11Color(Office11ExpandCornerColor2), clWhite, 25);
    EXPECT_EQ(s.At(12, 12), corner);
    EXPECT_EQ(s.At(2, 12), corner);
    EXPECT_EQ(s.At(7, 7), clBlack);
    EXPECT_EQ(s.At(7, 5) == clBlack, !expanded);  // the plus has its upright
  }
}

TEST_F(PainterPixels, Office11ScrollBarThroughWinXPOrStandard) {
  Surface classic(10, 10), standard(10, 10);
  Office11()->PaintScrollBarPart(classic.canvas(), false, kBox, sppThumb, pbsNormal);
  Standard()->PaintScrollBarPart(standard.canvas(), false, kBox, sppThumb, pbsNormal);
  for (auto [x, y] : {std::pair{0, 0}, std::pair{1, 1}, std::pair{9, 9}, std::pair{5, 5}})
    EXPECT_EQ(classic.At(x, y), standard.At(x, y)) << x << "," << y;
  EXPECT_TRUE(fake.Calls.empty());
  fake.AddClass(L"ScrollBar");
  fake.ThemeFile = L"C:\\Themes\\Plain.msstyles";  // a style of no Office11 scheme
  fake.Active = true;
  AnnounceThemeChange();
  Surface themed(10, 10);
  Office11()->PaintScrollBarPart(themed.canvas(), false, kBox, sppThumb, pbsHot);
  const std::vector<ThemeCall> expected = {{L"background", L"SCROLLBAR", 3, 2, {0, 0, 10, 10}, L""},
                                           {L"background", L"SCROLLBAR", 9, 0, {0, 0, 10, 10}, L""}};
  EXPECT_EQ(fake.Calls, expected);
  EXPECT_EQ(themed.At(5, 5), FakeThemeApi::DrawColor(9, 0));
  // Its own colours never come from the scheme for the scroll bar; its glyph is the highlight text
  // colour while pressed only without a scheme.
  EXPECT_EQ(Office11()->ButtonGlyphColor(pbsPressed, clDefault), clHighlightText);
  fake.ThemeFile = L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles";
  AnnounceThemeChange();
  ASSERT_TRUE(Office11UsesSchemeColors());
  EXPECT_EQ(Office11()->ButtonGlyphColor(pbsPressed, clDefault), Office11Color(Office11TextColor));
}

}  // namespace
