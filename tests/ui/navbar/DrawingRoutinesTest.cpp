// The navigation bar's drawing routines, shared resources, style-sheet parser and element painters.

#include <gtest/gtest.h>

#include "tests/ui/foundation/PainterTestSupport.h"
#include "tests/ui/navbar/GdiPlusTestSupport.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/navbar/NavBarBasePainters.h"
#include "ui/navbar/NavBarGraphics.h"

using namespace painter_testing;

namespace {

struct Drawing : gdiplus_testing::GdiPlusFixture {
  void SetUp() override {
    GdiPlusFixture::SetUp();
    fake.Active = false;
    AnnounceThemeChange();
  }
  void TearDown() override {
    fake.Active = false;
    AnnounceThemeChange();
    GdiPlusFixture::TearDown();
  }
  // Forces the Office11 scheme through the foundation: visual styles on with the scheme's colour name.
  void UseScheme(int scheme) {
    static const wchar_t* const names[] = {L"", L"NormalColor", L"HomeStead", L"Metallic"};
    fake.Active = scheme != 0;
    fake.ThemeFile = L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles";
    fake.ColorName = names[scheme];
    pinned.Major = 5;
    AnnounceThemeChange();
    ASSERT_EQ(int(CurrentOffice11Scheme()), scheme);
  }
  PinnedSystem pinned;
  theme_testing::FakeThemeApi fake;
};

}  // namespace

TEST_F(Drawing, ColourSetsFollowTheOffice11Scheme) {
  struct Case {
    int scheme;
    TColor background1, linkText, taskPane1, taskPaneLink;
  } cases[] = {
      {1, 0xE7A27B, 0xC65D21, 0xFADAC4, 0xB23D00},
      {2, 0xADD9CC, 0x2D6656, 0xE7F2F3, 0x5E8674},
      {3, 0xD4C8C4, 0x3D3D3F, 0xF4EEEE, 0x99797A},
  };
  for (const Case& c : cases) {
    UseScheme(c.scheme);
    RefreshExplorerBarColors();
    RefreshTaskPaneColors();
    EXPECT_EQ(ExplorerBarColors().Background1, c.background1) << c.scheme;
    EXPECT_EQ(ExplorerBarColors().CaptionText, c.linkText) << c.scheme;
    EXPECT_EQ(ExplorerBarColors().SpecialCaptionText, 0xFFFFFF);
    EXPECT_EQ(ExplorerBarColors().SpecialCaptionSignHot, ExplorerBarColors().LinkTextHot);
    EXPECT_EQ(TaskPaneColors().TaskPaneBackground1, c.taskPane1) << c.scheme;
    EXPECT_EQ(TaskPaneColors().TaskPaneLinkText, c.taskPaneLink) << c.scheme;
  }
  UseScheme(0);
  RefreshExplorerBarColors();
  RefreshTaskPaneColors();
  const TColor highlight = Resolved(clHighlight);
  EXPECT_EQ(ExplorerBarColors().Background1, Resolved(clActiveCaption));
  EXPECT_EQ(ExplorerBarColors().LinkText, DarkenColorPercent(highlight, 60));
  EXPECT_EQ(ExplorerBarColors().LinkTextHot, LightenColorPercent(DarkenColorPercent(highlight, 60), 80));
  EXPECT_EQ(ExplorerBarColors().SpecialCaption1, highlight);
  EXPECT_EQ(TaskPaneColors().TaskPaneBackground1, BlendColorsPercent(clBtnFace, clWindow, 50));
  EXPECT_EQ(TaskPaneColors().TaskPaneCaptionText, 0);
  EXPECT_EQ(TaskPaneColors().TaskPaneLinkText, 0xFF0000);
}

TEST_F(Drawing, SharedBitmapsLiveFromTheFirstAcquireToTheLastRelease) {
  RefreshNavPaneBitmaps();
  RefreshExplorerBarColors();
  EXPECT_EQ(NavPaneBitmap(npbOverflow), nullptr);
  EXPECT_EQ(ExplorerBarSignBitmap(true), nullptr);
  AcquireNavPaneBitmaps();
  AcquireNavPaneBitmaps();
  AcquireExplorerBarColors();
  ASSERT_NE(NavPaneBitmap(npbOverflow), nullptr);
  EXPECT_EQ(NavPaneBitmap(npbOverflow)->Width(), 13);
  EXPECT_EQ(NavPaneBitmap(npbSplitter)->Width(), 37);
  EXPECT_TRUE(NavPaneBitmap(npbDefaultLarge)->Transparent());
  EXPECT_EQ(ExplorerBarSignBitmap(true)->Height(), 22);
  ReleaseNavPaneBitmaps();
  EXPECT_NE(NavPaneBitmap(npbArrowUp), nullptr);
  ReleaseNavPaneBitmaps();
  ReleaseExplorerBarColors();
  EXPECT_EQ(NavPaneBitmap(npbArrowUp), nullptr);
  EXPECT_EQ(ExplorerBarSignBitmap(false), nullptr);
  EXPECT_EQ(NavPaneBitmapsCount(), 0);
  // Without a shell style module (Wine has none) the set is empty but the fonts are made.
  AcquireShellStyle();
  EXPECT_EQ(ShellStyleBitmap(112), nullptr);
  EXPECT_NE(ShellStyleFont(ssfCaptionHot), nullptr);
  EXPECT_EQ(ShellStyleBorderColor(), clNone);
  ReleaseShellStyle();
  EXPECT_EQ(ShellStyleFont(ssfCaptionHot), nullptr);
}

TEST_F(Drawing, StyleSheetLinesValuesAndFonts) {
  TdxStyleSheetParser parser(
      L"  BODY {font-size: 8pt; color: #000000}\n"
      L"A:HOVER {text-decoration: underline; color: #FF8000}\n"
      L"A {font-weight: bold; color: #2040C0 ; text-decoration : none}\n"
      L".Plain {font-weight: normal}\n"
      L".Short {color: #12}\n"
      L".Bad {color: #GG0000}\n"
      L".LearnAboutBox {border: 1px solid '#102030'}\n"
      L".Named {color: red}\n");
  EXPECT_EQ(parser.StyleLine(L"A "), L"A {font-weight: bold; color: #2040C0 ; text-decoration : none}");
  EXPECT_EQ(parser.StyleLine(L"a:hover "), L"A:HOVER {text-decoration: underline; color: #FF8000}");
  EXPECT_EQ(parser.StyleLine(L".Missing"), L"");
  EXPECT_EQ(parser.StyleValue(L"x{COLOR:red;y}", L"color:"), L"red");
  EXPECT_EQ(parser.StyleValue(L"x{font-size:9pt}", L"FONT-SIZE:"), L"9pt");
  EXPECT_EQ(parser.StyleValue(L"x{}", L"COLOR:"), L"");

  TFont font;
  font.SetColor(0x0000FF);
  font.SetStyle({fsUnderline});
  parser.ParseFont(&font, L"BODY ");
  EXPECT_EQ(font.Size(), 8);
  EXPECT_EQ(font.Color(), 0x0000FF);  // black leaves the colour alone
  parser.ParseFont(&font, L"A ");
  EXPECT_TRUE(font.Style().Contains(fsBold));
  EXPECT_FALSE(font.Style().Contains(fsUnderline));
  EXPECT_EQ(font.Color(), TColor(RGB(0x20, 0x40, 0xC0)));
  parser.ParseFont(&font, L"A:HOVER ");
  EXPECT_TRUE(font.Style().Contains(fsUnderline));
  parser.ParseFont(&font, L".Plain");
  EXPECT_FALSE(font.Style().Contains(fsBold));
  // Malformed colours are not applied, and nothing is raised.
  for (const wchar_t* style : {L".Short", L".Bad"}) {
    font.SetColor(0x123456);
    EXPECT_NO_THROW(parser.ParseFont(&font, style));
    EXPECT_EQ(font.Color(), 0x123456);
  }
  parser.ParseFont(&font, L".Named");
  EXPECT_EQ(font.Color(), 0x0000FF);
  TColor border = clNone;
  parser.ParseBorderColor(border, L".LEARNABOUTBOX");
  EXPECT_EQ(border, TColor(RGB(0x10, 0x20, 0x30)));
  border = clNone;
  parser.ParseBorderColor(border, L".Short");
  EXPECT_EQ(border, clNone);
}

namespace {

// Like the system: the wide call fails for any size but the wide structure's own.
BOOL WINAPI WideMetricsOnly(UINT action, UINT size, PVOID data, UINT) {
  if (action != SPI_GETNONCLIENTMETRICS || size != sizeof(NONCLIENTMETRICSW)) return FALSE;
  auto* metrics = static_cast<NONCLIENTMETRICSW*>(data);
  if (metrics->cbSize != sizeof(NONCLIENTMETRICSW)) return FALSE;
  *metrics = {};
  metrics->cbSize = sizeof(NONCLIENTMETRICSW);
  wcscpy(metrics->lfMessageFont.lfFaceName, L"Courier New");
  metrics->lfMessageFont.lfHeight = -19;
  return TRUE;
}

}  // namespace

TEST_F(Drawing, MessageFontAsksWithTheWideStructure) {
  Bound().SystemParametersInfoW = &WideMetricsOnly;
  TFont font;
  MessageFont(&font);
  EXPECT_EQ(font.Name(), L"Courier New");
  EXPECT_EQ(font.Height(), -19);
  Bound().SystemParametersInfoW = &::SystemParametersInfoW;
}

TEST_F(Drawing, DrawFrameSkipsSidesWithoutColour) {
  Surface surface(10, 10, rgb(9, 9, 9));
  DrawFrame(surface.canvas(), TRect(1, 1, 9, 9), clNone, clNone, clNone, clNone);
  for (int x = 0; x < 10; ++x) EXPECT_EQ(surface.At(x, 1), rgb(9, 9, 9));
  DrawFrame(surface.canvas(), TRect(1, 1, 9, 9), rgb(255, 0, 0), rgb(0, 0, 255), clNone, clNone);
  EXPECT_EQ(surface.At(1, 4), rgb(255, 0, 0));
  EXPECT_EQ(surface.At(4, 1), rgb(255, 0, 0));
  EXPECT_EQ(surface.At(8, 4), rgb(0, 0, 255));
  EXPECT_EQ(surface.At(4, 8), rgb(0, 0, 255));
  EXPECT_EQ(surface.At(2, 2), rgb(9, 9, 9));  // no inner frame
  DrawFrame(surface.canvas(), TRect(1, 1, 9, 9), clNone, clNone, rgb(0, 255, 0), clNone);
  EXPECT_EQ(surface.At(2, 4), rgb(0, 255, 0));
  EXPECT_EQ(surface.At(7, 4), rgb(9, 9, 9));
}

TEST_F(Drawing, SoftwareGradientCells) {
  struct Case {
    int w, h, mode;
    int x, y;
    TColor expected;
  } cases[] = {
      // Three columns: a, a + (b - a) / 2, b.
      {3, 2, 0, 0, 1, rgb(0, 0, 0)},
      {3, 2, 0, 1, 0, rgb(100, 50, 0)},
      {3, 2, 0, 2, 1, rgb(200, 100, 0)},
      // 512 pixels: 256 columns of 2, column c at a + MulDiv(c, d, 255).
      {512, 1, 0, 2 * 51, 0, rgb(40, 20, 0)},
      {512, 1, 0, 511, 0, rgb(200, 100, 0)},
      // One row vertically: colour 1 throughout.
      {40, 1, 1, 39, 0, rgb(0, 0, 0)},
      // Forward diagonal: the mean of both ramps, halved toward zero.
      {3, 3, 2, 1, 2, rgb(150, 75, 0)},
      {3, 3, 3, 0, 0, rgb(100, 50, 0)},
  };
  for (const Case& c : cases) {
    Surface surface(c.w, c.h);
    FillSoftwareGradient(surface.dc(), TRect(0, 0, c.w, c.h), rgb(0, 0, 0), rgb(200, 100, 0), c.mode);
    EXPECT_EQ(surface.At(c.x, c.y), c.expected) << c.w << "x" << c.h << " mode " << c.mode << " at " << c.x;
  }
}

TEST_F(Drawing, BackgroundTilesItsPictureAndCoversItWithAnOpaqueColour) {
  ObjectPtr<TPicture> picture(new TPicture());
  ObjectPtr<TBitmap> tile(gdiplus_testing::MakeBitmap(
      16, 16, [](int x, int y) { return gdiplus_testing::Pixel{Byte(x * 10), Byte(y * 10), 7, 255}; }, pf24bit));
  picture->SetBitmap(tile.get());
  Surface surface(40, 20);
  const auto* painter = TdxNavBarCustomBackgroundPainter::Instance();
  painter->DrawBackground(surface.canvas(), TRect(0, 0, 40, 20), picture.get(), true, rgb(1, 1, 1), clNone, clNone,
                          255, 255, 0);
  EXPECT_EQ(surface.At(3, 2), rgb(30, 20, 7));
  EXPECT_EQ(surface.At(35, 18), rgb(30, 20, 7));  // third column, second row (8 x 4 tile)
  EXPECT_EQ(surface.At(39, 19), rgb(70, 30, 7));
  EXPECT_EQ(surface.At(16, 16), rgb(0, 0, 7));
  painter->DrawBackground(surface.canvas(), TRect(0, 0, 40, 20), picture.get(), true, rgb(1, 1, 1), rgb(9, 8, 7),
                          rgb(9, 8, 7), 255, 255, 0);
  EXPECT_EQ(surface.At(35, 18), rgb(9, 8, 7));
  // Without GDI+ and both alphas 0 only the erase fill is drawn.
  TGdiPlusUnavailableScope unavailable;
  painter->DrawBackground(surface.canvas(), TRect(0, 0, 40, 20), nullptr, true, rgb(5, 5, 5), rgb(255, 0, 0),
                          rgb(0, 0, 255), 0, 0, 0);
  EXPECT_EQ(surface.At(20, 10), rgb(5, 5, 5));
}

TEST_F(Drawing, SelectionIsDrawnOnlyForHotPressedOrSelected) {
  Surface surface(10, 10, rgb(9, 9, 9));
  const auto* ultraFlat = TdxNavBarUltraFlatSelectionPainter::Instance();
  for (int state : {0, int(nbisActive), int(nbisDisabled | nbisFocused)}) {
    ultraFlat->DrawSelection(surface.canvas(), TRect(0, 0, 10, 10), rgb(50, 50, 50), state);
    EXPECT_EQ(surface.At(0, 0), rgb(9, 9, 9)) << state;
    EXPECT_EQ(surface.At(5, 5), rgb(9, 9, 9)) << state;
  }
  ultraFlat->DrawSelection(surface.canvas(), TRect(0, 0, 10, 10), rgb(50, 50, 50), nbisHot);
  EXPECT_EQ(surface.At(0, 0), Resolved(clHighlight));
  EXPECT_EQ(surface.At(5, 5), HotTintColor());
  EXPECT_TRUE(ultraFlat->IsSunken(nbisPressed));
  EXPECT_FALSE(ultraFlat->IsSunken(nbisPressed | nbisSelected));
  EXPECT_TRUE(TdxNavBarCustomSelectionPainter::Instance()->IsSunken(nbisSelected));
}

TEST_F(Drawing, DropTargetGroupWithoutGdiPlusIsATwoPixelFrame) {
  Surface surface(20, 20, rgb(9, 9, 9));
  TGdiPlusUnavailableScope unavailable;
  TdxNavBarCustomDropTargetGroupPainter::Instance()->DrawDropTargetGroup(surface.canvas(), TRect(2, 2, 18, 18),
                                                                         rgb(255, 0, 0), rgb(0, 0, 255), 255, 255, 0);
  EXPECT_EQ(surface.At(2, 10), rgb(255, 0, 0));
  EXPECT_EQ(surface.At(3, 10), rgb(255, 0, 0));
  EXPECT_EQ(surface.At(4, 10), rgb(9, 9, 9));
  EXPECT_EQ(surface.At(17, 17), rgb(255, 0, 0));
}

TEST_F(Drawing, ScrollButtonArrowsAndButtonFrames) {
  // A 16-pixel button: a 7-pixel-wide, 4-pixel-high arrow.
  TPoint down[3], up[3];
  TdxNavBarBaseScrollButtonsPainter::ArrowPoints(TRect(0, 0, 20, 16), true, down);
  EXPECT_EQ(down[0], TPoint(9, 9));
  EXPECT_EQ(down[1], TPoint(6, 6));
  EXPECT_EQ(down[2], TPoint(12, 6));
  TdxNavBarBaseScrollButtonsPainter::ArrowPoints(TRect(0, 0, 20, 16), false, up);
  EXPECT_EQ(up[0], TPoint(9, 5));
  EXPECT_EQ(up[1].y, 8);

  const auto* scroll = TdxNavBarBaseScrollButtonsPainter::Instance();
  const auto* base = TdxNavBarBaseButtonPainter::Instance();
  const TColor face = rgb(200, 160, 120);
  for (int state : {0, int(nbisDisabled)}) {
    Surface surface(20, 16);
    scroll->DrawBottomButton(surface.canvas(), TRect(0, 0, 20, 16), base, face, face, 255, 255, 0, clNone, state);
    const TColor ink = state ? Resolved(clGrayText) : rgb(0, 0, 0);
    EXPECT_EQ(surface.At(9, 9), ink) << state;   // tip
    EXPECT_EQ(surface.At(6, 6), ink) << state;   // base, left end
    EXPECT_EQ(surface.At(12, 6), ink) << state;  // base, right end
    EXPECT_EQ(surface.At(9, 11), face) << state;
    EXPECT_EQ(surface.At(5, 6), face) << state;
    // The raised frame of the base button.
    EXPECT_EQ(surface.At(0, 8), LightenColorPercent(face, 20));
    EXPECT_EQ(surface.At(19, 8), DarkenColorPercent(face, 20));
    EXPECT_EQ(surface.At(1, 8), LightenColorPercent(face, 70));
  }
  // The active button's black bottom line; the flat button's plain frame.
  for (TdxNavBarButtonPainterClass painter :
       {TdxNavBarButtonPainterClass(base), TdxNavBarButtonPainterClass(TdxNavBarFlatButtonPainter::Instance())}) {
    Surface surface(20, 16);
    painter->DrawButton(surface.canvas(), TRect(0, 0, 20, 16), nullptr, face, face, 255, 255, 0, clNone, nbisActive);
    EXPECT_EQ(surface.At(10, 15), rgb(0, 0, 0));
    EXPECT_EQ(surface.At(10, 14), painter == base ? DarkenColorPercent(face, 70) : face);
  }
  Surface pressed(20, 16);
  TdxNavBarFlatButtonPainter::Instance()->DrawButton(pressed.canvas(), TRect(0, 0, 20, 16), nullptr, face, face, 255,
                                                     255, 0, clNone, nbisPressed);
  EXPECT_EQ(pressed.At(0, 8), DarkenColorPercent(face, 20));
  EXPECT_EQ(pressed.At(19, 8), LightenColorPercent(face, 20));
  EXPECT_EQ(pressed.At(1, 8), DarkenColorPercent(face, 70));
  EXPECT_EQ(pressed.At(18, 8), face);
}

TEST_F(Drawing, BaseSelectionFramesRaisedOrSunken) {
  const TColor back = rgb(100, 150, 200);
  for (int state : {int(nbisHot), int(nbisPressed), int(nbisSelected)}) {
    Surface surface(10, 10, rgb(9, 9, 9));
    TdxNavBarBaseSelectionPainter::Instance()->DrawSelection(surface.canvas(), TRect(0, 0, 10, 10), back, state);
    const bool sunken = state != nbisHot;
    EXPECT_EQ(surface.At(0, 5), sunken ? DarkenColorPercent(back, 20) : LightenColorPercent(back, 20)) << state;
    EXPECT_EQ(surface.At(9, 5), sunken ? LightenColorPercent(back, 20) : DarkenColorPercent(back, 20)) << state;
    EXPECT_EQ(surface.At(5, 5), rgb(9, 9, 9)) << state;
  }
}
