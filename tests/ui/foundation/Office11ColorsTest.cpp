// The Office11 palette in both branches (pinned system colours; a fake blue scheme), scheme detection
// from the theme's full path, gradients with and without GradientFill, the two-phase gradient, arrow
// sizes, grip dots, the size grip, the sub-menu bitmap's recolouring and reference counting.

#include <set>

#include "tests/ui/foundation/PainterTestSupport.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/foundation/Themes.h"

using namespace painter_testing;
using theme_testing::FakeThemeApi;

namespace {

class Office11Palette : public testing::Test {
 protected:
  void SetUp() override {
    StartUnits();
    fake.AddClass(L"Button");
    fake.Active = false;
    AnnounceThemeChange();
  }
  void TearDown() override {
    fake.Active = false;
    AnnounceThemeChange();
  }
  // Switches visual styles on with the given theme file, colour name and system version.
  void UseTheme(const String& File, const String& ColorName, DWORD Major) {
    fake.Active = true;
    fake.ThemeFile = File;
    fake.ColorName = ColorName;
    pinned.Major = Major;
    AnnounceThemeChange();  // the cache re-reads, then the palette is recomputed
  }
  PinnedSystem pinned;
  FakeThemeApi fake;
};

const String kLuna = L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles";

TEST_F(Office11Palette, SlotsWithoutAndWithTheBlueScheme) {
  struct Row {
    TOffice11ColorSlot Slot;
    TColor System, Blue;
  };
  // System colours pinned by PinnedSystem; the blue column is the scheme's table and its blends.
  const Row rows[] = {
      {Office11FaceColor, 0xC8D0D4, 0xF5BE9E},          {Office11LightFaceColor, 0xF0F2F2, 0xF9DAC3},
      {Office11PaleGroupColor, 0xEFF1F2, 0xFEECDD},     {Office11PaleFaceColor, 0xCAD2D6, 0xE2A981},
      {Office11BarLight0, 0xA0A0A0, 0xF1A675},          {Office11BarLight1, 0xF2D7C5, 0xD3F8FF},
      {Office11BarLight2, 0xE0D9D4, 0x5295FE},          {Office11BarDark0, 0x808080, 0x913500},
      {Office11BarDark2, 0xE0D9D4, 0x98DDFF},           {Office11Color10, 0xD0D7DA, 0x9C613B},
      {Office11BarLightMid0, 0xBDBDBD, 0xF2AD7F},       {Office11BarLightMid1, 0xF6E9E0, 0xD7F7FC},
      {Office11BarDarkMid0, 0xA4A8AA, 0xB96D3E},        {Office11BarDarkMid2, 0xD4D5D4, 0xBCC1BE},
      {Office11GripDarkColor, 0x9D9D9D, 0x764127},      {Office11GripLightColor, 0xFAFAFA, 0xFFFFFF},
      {Office11HeaderShadowTone, 0xA5A5A5, 0xCB8C6A},   {Office11HeaderLightTone, 0xFFFFFF, 0xFFF9F1},
      {Office11Color22, 0x000000, 0x000000},            {Office11FilterBoxColor, 0x808080, 0xC9662A},
      {Office11Color25, 0xCAD2D6, 0xF9DBC4},            {Office11FilterBoxTextColor, 0xFFFFFF, 0xFFFFFF},
      {Office11Color31, 0xFAFAFA, 0xF6F6F6},            {Office11Color36, 0xDCDEDF, 0xEAD9CB},
      {Office11Color37, 0xBAC1C5, 0xD09B77},            {Office11ShadowColor, 0x808080, 0x962D00},
      {Office11HighlightTint, 0xEBD0BF, 0xC2EEFF},      {Office11SelectionBorderColor, 0xC56A31, 0x800000},
      {Office11HotColor, 0xEBD0BF, 0xCCF4FF},           {Office11PressedColor, 0xD7B098, 0x8ED3FF},
      {Office11Color47, 0xE0D9D4, 0x6FC0FF},            {Office11Color48, 0xD7B098, 0x3E80FE},
      {Office11TextColor, 0x000000, 0x000000},          {Office11DisabledTextColor, 0x6D6D6D, 0x8D8D8D},
      {Office11GridLineColor, 0xA4A8AA, 0xB96D3E},      {Office11DetailsSiteColor, 0xC8D0D4, 0xFBDABE},
      {Office11CalendarSelectionColor, 0xE0D9D4, 0x94E6FB}, {Office11SchedulerBorderColor, 0x808080, 0x962D00},
      {Office11Color62, 0xC8D0D4, 0xC9EEFD},            {Office11Color63, 0x808080, 0xB96837},
      {Office11Color64, 0x808080, 0xE0A47B},            {Office11NavPaneColor0, 0x808080, 0x962D00},
      {Office11NavPaneColor1, 0xE3E7E9, 0xFBE5D3},      {Office11NavPaneColor2, 0xC9D1D5, 0xE4AE88},
      {Office11NavPaneColor3, 0xEBD0BF, 0xDCFFFF},      {Office11NavPaneColor5, 0xE0D9D4, 0x94E6FB},
      {Office11NavPaneColor7, 0xD7B098, 0x087FE8},      {Office11NavPaneColor9, 0x808080, 0xD68759},
      {Office11NavPaneColor11, 0xFDFDFD, 0xFFFFFF},     {Office11NavPaneColor12, 0xC8D0D4, 0xD68759},
      {Office11NavPaneColor13, 0x808080, 0x933803},     {Office11ExpandCornerColor1, 0xBFAE9E, 0xBFAE9E},
      {Office11ExpandCornerColor2, 0x5F462E, 0x5F462E},
  };
  RefreshOffice11Palette();
  EXPECT_EQ(CurrentOffice11Scheme(), o11sNone);
  EXPECT_FALSE(Office11UsesSchemeColors());
  EXPECT_EQ(Office11GradientMiddlePercent(), 75);
  for (const Row& row : rows) EXPECT_EQ(Office11Color(row.Slot), row.System) << "slot " << row.Slot;
  UseTheme(kLuna, L"NormalColor", 5);
  EXPECT_EQ(CurrentOffice11Scheme(), o11sBlue);
  EXPECT_TRUE(Office11UsesSchemeColors());
  EXPECT_EQ(Office11GradientMiddlePercent(), 41);
  for (const Row& row : rows) EXPECT_EQ(Office11Color(row.Slot), row.Blue) << "slot " << row.Slot;
  const TOffice11NavPaneColors nav = Office11NavPaneColors();
  EXPECT_EQ(nav.Border, 0x962D00);   // column 37
  EXPECT_EQ(nav.HeaderText, 0xFFFFFF);  // column 48
  EXPECT_EQ(nav.Splitter1, nav.Header1);
  EXPECT_EQ(nav.Splitter2, nav.Header2);
}

TEST_F(Office11Palette, SchemeFromTheThemesFullPath) {
  struct Case {
    const wchar_t* File;
    const wchar_t* Color;
    DWORD Major;
    TOffice11Scheme Expected;
    TColor Face;  // slot 0
  };
  const Case cases[] = {
      {L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", L"NormalColor", 5, o11sBlue, 0xF5BE9E},
      {L"C:\\WINDOWS\\Resources\\Themes\\Luna\\luna.msstyles", L"HomeStead", 5, o11sOlive, 0xA7D9D9},
      {L"D:\\Themes\\LUNA.MSSTYLES", L"metallic", 5, o11sSilver, 0xE5D7D7},
      {L"C:\\WINDOWS\\Resources\\Themes\\Royale\\Royale.msstyles", L"NormalColor", 5, o11sNone, 0xC8D0D4},
      {L"C:\\Windows\\Resources\\Themes\\Aero\\Aero.msstyles", L"NormalColor", 6, o11sBlue, 0xF5BE9E},
      {L"C:\\Windows\\Resources\\Themes\\Aero\\Aero.msstyles", L"Glass", 6, o11sNone, 0xC8D0D4},
      {L"", L"NormalColor", 6, o11sNone, 0xC8D0D4},  // GetCurrentThemeName fails
  };
  for (const Case& c : cases) {
    UseTheme(c.File, c.Color, c.Major);
    EXPECT_EQ(DetectOffice11Scheme(), c.Expected) << c.File << " " << c.Color;
    EXPECT_EQ(CurrentOffice11Scheme(), c.Expected) << c.File << " " << c.Color;
    EXPECT_EQ(Office11Color(Office11FaceColor), c.Face) << c.File << " " << c.Color;
  }
  fake.Active = false;
  AnnounceThemeChange();
  EXPECT_EQ(DetectOffice11Scheme(), o11sNone);
}

TEST_F(Office11Palette, LastReleaseFreesTheBrushesAndAcquiringRecomputes) {
  int held = 0;
  while (Office11ColorsReferenceCount() > 0) {
    UnacquireOffice11Colors();
    ++held;
  }
  EXPECT_EQ(Office11Brush(Office11GripDarkColor), nullptr);
  EXPECT_EQ(Office11SubMenuExpandBitmap(), nullptr);
  pinned.Colors[COLOR_BTNFACE] = rgb(200, 200, 200);
  AcquireOffice11Colors();
  AcquireOffice11Colors();
  EXPECT_EQ(Office11Color(Office11FaceColor), rgb(200, 200, 200));
  for (TOffice11ColorSlot slot : {Office11GripDarkColor, Office11GripLightColor, Office11SelectionBorderColor,
                                  Office11GridLineColor, Office11ShadowColor})
    EXPECT_NE(Office11Brush(slot), nullptr) << slot;
  EXPECT_EQ(Office11Brush(Office11FaceColor), nullptr);  // no brush of its own
  ASSERT_NE(Office11ExpandButtonBitmap(true), nullptr);
  EXPECT_EQ(Office11ExpandButtonBitmap(true)->Width(), 11);
  UnacquireOffice11Colors();
  EXPECT_NE(Office11Brush(Office11GripDarkColor), nullptr);
  UnacquireOffice11Colors();
  EXPECT_EQ(Office11Brush(Office11GripDarkColor), nullptr);
  EXPECT_EQ(Office11Color(Office11FaceColor), rgb(200, 200, 200));  // the colours stay
  for (int i = 0; i < held; ++i) AcquireOffice11Colors();
}

// The sub-menu bitmap's button keeps the background and the black chevrons and runs from pale face
// (darkest red) to pale group (lightest red); a button of one red value is all pale group.
TEST_F(Office11Palette, SubMenuBitmapRecolouredByRedValue) {
  AcquireOffice11Colors();
  TBitmap* bitmap = Office11SubMenuExpandBitmap();
  ASSERT_NE(bitmap, nullptr);
  TCanvas* canvas = bitmap->Canvas();
  const TColor background = canvas->Pixels(0, 0);
  std::set<TColor> colors;
  for (int y = 0; y < bitmap->Height(); ++y)
    for (int x = 0; x < bitmap->Width(); ++x) colors.insert(canvas->Pixels(x, y));
  EXPECT_TRUE(colors.count(background));
  EXPECT_TRUE(colors.count(clBlack));
  EXPECT_TRUE(colors.count(Office11Color(Office11PaleGroupColor)));
  EXPECT_TRUE(colors.count(Office11Color(Office11PaleFaceColor)));
  UnacquireOffice11Colors();
}

// ---- drawing ------------------------------------------------------------------------------------

struct GradientCall {
  int Count = 0;
  TRIVERTEX Vertices[2] = {};
  ULONG Mode = 0;
};
GradientCall gradientCall;
BOOL WINAPI RecordGradient(HDC, TRIVERTEX* Vertices, ULONG Count, void*, ULONG, ULONG Mode) {
  ++gradientCall.Count;
  if (Count == 2) gradientCall.Vertices[0] = Vertices[0], gradientCall.Vertices[1] = Vertices[1];
  gradientCall.Mode = Mode;
  return TRUE;
}

TEST(Office11Gradients, BoundGradientFillGetsTheTwoVerticesAndEqualColoursOneFill) {
  Surface surface(40, 10);
  gradientCall = {};
  Bound().GradientFill.Set(&RecordGradient);
  PaintGradientRect(surface.dc(), {2, 1, 30, 9}, rgb(10, 20, 30), rgb(200, 100, 50), false);
  EXPECT_EQ(gradientCall.Count, 1);
  EXPECT_EQ(gradientCall.Mode, ULONG(GRADIENT_FILL_RECT_V));
  EXPECT_EQ(gradientCall.Vertices[0].x, 2);
  EXPECT_EQ(gradientCall.Vertices[0].Red, 10 << 8);
  EXPECT_EQ(gradientCall.Vertices[1].y, 9);
  EXPECT_EQ(gradientCall.Vertices[1].Blue, 50 << 8);
  PaintGradientRect(surface.dc(), {0, 0, 40, 10}, clBtnFace, Resolved(clBtnFace), true);
  EXPECT_EQ(gradientCall.Count, 1);  // equal colours: a solid fill, no gradient call
  EXPECT_EQ(surface.At(39, 9), Resolved(clBtnFace));
  Bound().GradientFill.Reset();
}

TEST(Office11Gradients, SoftwareStripsFirstAndLastLineAndThe256Cap) {
  Bound().GradientFill.Set(nullptr);
  Surface wide(600, 2);
  PaintGradientRect(wide.dc(), {0, 0, 600, 2}, rgb(0, 0, 0), rgb(255, 255, 255), true);
  std::set<TColor> strips;
  for (int x = 0; x < 600; ++x) strips.insert(wide.At(x, 1));
  EXPECT_EQ(strips.size(), 256u);
  EXPECT_EQ(wide.At(0, 0), rgb(0, 0, 0));
  EXPECT_EQ(wide.At(2, 0), rgb(1, 1, 1));  // strip 0 ends at 600 / 256 = 2
  EXPECT_EQ(wide.At(599, 0), rgb(255, 255, 255));
  EXPECT_EQ(GradientColorAt({0, 0, 600, 2}, 0, rgb(0, 0, 0), rgb(255, 255, 255), true), rgb(0, 0, 0));
  EXPECT_EQ(GradientColorAt({0, 0, 600, 2}, 300, rgb(0, 0, 0), rgb(255, 255, 255), true), rgb(127, 127, 127));
  EXPECT_EQ(GradientColorAt({0, 0, 600, 2}, 599, rgb(0, 0, 0), rgb(255, 255, 255), true), rgb(255, 255, 255));
  Surface tall(4, 10);
  PaintGradientRect(tall.dc(), {0, 0, 4, 10}, rgb(0, 90, 0), rgb(90, 0, 0), false);
  EXPECT_EQ(tall.At(0, 0), rgb(0, 90, 0));
  EXPECT_EQ(tall.At(3, 9), rgb(90, 0, 0));
  EXPECT_EQ(tall.At(0, 5), rgb(50, 40, 0));  // strip 5 of 10: 5 x 90 / 9
  Surface narrow(3, 3);
  PaintGradientRect(narrow.dc(), {1, 0, 2, 3}, rgb(7, 8, 9), rgb(200, 200, 200), true);
  EXPECT_EQ(narrow.At(1, 2), rgb(7, 8, 9));  // one strip: Color1
  Bound().GradientFill.Reset();
}

TEST(Office11Gradients, TwoPhaseLinesStayInRange) {
  PinnedSystem pinned;
  RefreshOffice11Palette();
  ASSERT_EQ(Office11GradientMiddlePercent(), 75);
  Surface surface(2, 26);
  // The middle line is 75 / 200 of the way; the ends are the colours themselves.
  PaintTwoPhaseGradient(surface.dc(), {0, 0, 2, 26}, rgb(255, 0, 255), rgb(0, 255, 0), false);
  EXPECT_EQ(surface.At(0, 0), rgb(255, 0, 255));
  EXPECT_EQ(surface.At(0, 13), rgb(159, 96, 159));  // 255 - MulDiv(255, 75, 200)
  EXPECT_EQ(surface.At(1, 25), rgb(0, 255, 0));
  for (int y = 1; y < 25; ++y) {
    const TColor c = surface.At(0, y);
    // Monotone from end to end: a value taken modulo 256 would jump to the other extreme.
    EXPECT_LE(int(c & 0xFF), int(surface.At(0, y - 1) & 0xFF)) << y;
    EXPECT_GE(int((c >> 8) & 0xFF), int((surface.At(0, y - 1) >> 8) & 0xFF)) << y;
  }
  Surface solid(3, 3);
  PaintTwoPhaseGradient(solid.dc(), {0, 0, 3, 3}, rgb(5, 6, 7), rgb(5, 6, 7), true);
  EXPECT_EQ(solid.At(2, 2), rgb(5, 6, 7));
}

TEST(Office11Drawing, ArrowSizesFromTheRectangle) {
  PinnedSystem pinned;
  RefreshOffice11Palette();
  struct Case {
    int Width;
    int Size;
  };
  for (const Case c : {Case{16, 3}, Case{19, 6}, Case{10, 3}}) {
    Surface surface(c.Width, 20, clWhite);
    DrawOffice11ArrowInRect(surface.dc(), {0, 0, c.Width, 20}, true, true, false);
    // The widest row is 2 x size - 1 pixels of the text colour, the arrow size rows tall.
    int widest = 0, rows = 0;
    for (int y = 0; y < 20; ++y) {
      int n = 0;
      for (int x = 0; x < c.Width; ++x) n += surface.At(x, y) == Office11Color(Office11TextColor);
      widest = std::max(widest, n);
      rows += n > 0;
    }
    EXPECT_EQ(widest, 2 * c.Size - 1) << c.Width;
    EXPECT_EQ(rows, c.Size) << c.Width;
  }
  Surface disabled(16, 16, clWhite);
  DrawOffice11ArrowInRect(disabled.dc(), {0, 0, 16, 16}, true, false, false);
  EXPECT_EQ(disabled.At(7, 7), Office11Color(Office11DisabledTextColor));
}

TEST(Office11Drawing, GripDotsAndTheDottedSizeGrip) {
  PinnedSystem pinned;
  RefreshOffice11Palette();
  const TColor dark = Office11Color(Office11GripDarkColor), light = Office11Color(Office11GripLightColor);
  const TColor back = rgb(1, 2, 3);
  Surface column(4, 14);
  DrawOffice11GripDots(column.dc(), {0, 0, 4, 14}, true);
  // 14 rows leave 2 over: the run starts one row down; cells at rows 1, 5 and 9.
  EXPECT_EQ(column.At(0, 0), back);
  for (int y : {1, 5, 9}) {
    EXPECT_EQ(column.At(0, y), dark) << y;
    EXPECT_EQ(column.At(1, y + 1), dark) << y;
    EXPECT_EQ(column.At(2, y + 2), light) << y;
    EXPECT_EQ(column.At(3, y + 3), back) << y;
  }
  EXPECT_EQ(column.At(0, 13), back);
  Surface grip(20, 20);
  DrawOffice11SizeGripDots(grip.dc(), {0, 0, 20, 20});
  for (auto [x, y] : {std::pair{8, 17}, std::pair{12, 17}, std::pair{16, 17}, std::pair{12, 13}, std::pair{16, 13},
                      std::pair{16, 9}})
    EXPECT_EQ(grip.At(x, y), dark) << x << "," << y;
  EXPECT_EQ(grip.At(10, 19), light);
  EXPECT_EQ(grip.At(8, 13), back);  // the rows shorten: 3, 2, 1
  EXPECT_EQ(grip.At(12, 9), back);
  Surface custom(20, 20);
  DrawOffice11SizeGripDots(custom.dc(), {0, 0, 20, 20}, rgb(200, 0, 0), clNone);
  EXPECT_EQ(custom.At(8, 17), rgb(200, 0, 0));
  EXPECT_EQ(custom.At(10, 19), back);  // the light tone left out
}

TEST(Office11Drawing, BlendClampsEveryChannel) {
  // Negative weights would go below 0 per channel; each channel is kept within 0..255.
  EXPECT_EQ(BlendColorsPercent(rgb(200, 10, 0), rgb(0, 250, 255), -20), rgb(0, 255, 255));
  EXPECT_EQ(BlendColorsPercent(rgb(200, 10, 0), rgb(0, 250, 255), 150), rgb(255, 0, 0));
  EXPECT_EQ(BlendColorsPercent(rgb(100, 100, 100), rgb(0, 0, 200), 50), rgb(50, 50, 150));
  EXPECT_EQ(LightenColorPercent(rgb(0, 100, 255), 50), rgb(127, 177, 255));
}

TEST(Office11Drawing, GlyphRecolouredByRedValue) {
  struct Case {
    Byte Reds[3];
    TColor Expected[3];
  };
  const TColor a = rgb(0, 40, 200), z = rgb(250, 90, 0);
  const Case cases[] = {
      {{100, 150, 200}, {z, rgb(125, 65, 100), a}},
      {{120, 120, 120}, {a, a, a}},  // one red value: all colour A
  };
  for (const Case& c : cases) {
    TBitmap glyph(5, 1, pf32bit);
    TCanvas* canvas = glyph.Canvas();
    canvas->SetPixels(0, 0, rgb(255, 0, 255));  // the background
    canvas->SetPixels(1, 0, clBlack);
    for (int i = 0; i < 3; ++i) canvas->SetPixels(2 + i, 0, rgb(c.Reds[i], 7, 9));
    RecolorOffice11Glyph(&glyph, a, z);
    EXPECT_EQ(canvas->Pixels(0, 0), rgb(255, 0, 255));
    EXPECT_EQ(canvas->Pixels(1, 0), clBlack);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(canvas->Pixels(2 + i, 0), c.Expected[i]) << int(c.Reds[0]) << " " << i;
  }
}

}  // namespace
