// Colour shades and the frame styles, probed on 32-bit surfaces.

#include <gtest/gtest.h>

#include "PaintSurface.h"
#include "ui/extras/frames/FrameColors.h"
#include "ui/extras/frames/FrameDrawing.h"
#include "ui/extras/frames/FrameEnvironment.h"

using extras_test::PaintSurface;

namespace {

constexpr TColor kBackground = RGBColor(1, 2, 3);

TColor Rgb(TColor color) { return ColorToRGB(color); }

}  // namespace

TEST(FrameColors, ShadesOnTheHueSaturationLightnessScale) {
  struct Case {
    const char* name;
    TColor actual, expected;
  } cases[] = {
      {"black darkened stays black", DarkenColor(clBlack, 50), clBlack},
      {"white lightened stays white", LightenColor(clWhite, 100), clWhite},
      {"white darkened", DarkenColor(clWhite, 50), RGBColor(202, 202, 202)},
      {"black lightened", LightenColor(clBlack, 100), RGBColor(106, 106, 106)},
      {"red composed back", ComposeColor(0, 240, 120), clRed},
      {"hue over 239, not 240", ComposeColor(160, 240, 120), RGBColor(4, 0, 255)},
      {"hue 239 wraps to the first sextant", ComposeColor(239, 240, 120), clRed},
      {"no lightness is black", ComposeColor(80, 240, 0), clBlack},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.actual, c.expected);
  }
  const THslColor blue = DecomposeColor(clBlue);
  EXPECT_EQ(blue.Hue, 160);
  EXPECT_EQ(blue.Saturation, 240);
  EXPECT_EQ(blue.Lightness, 120);
  const THslColor window = DecomposeColor(clWindow);
  EXPECT_EQ(window.Lightness, DecomposeColor(Rgb(clWindow)).Lightness);
}

TEST(FrameDrawing, SidesWithoutUpperLeftColourStillShrinkEverySide) {
  PaintSurface surface(10, 10, kBackground);
  const TRect inner = DrawFrameSides(surface.Canvas(), Rect(0, 0, 10, 10), clNone, clRed, AllSides);
  EXPECT_EQ(inner, Rect(1, 1, 9, 9));
  EXPECT_EQ(surface.At(0, 4), kBackground);
  EXPECT_EQ(surface.At(4, 0), kBackground);
  EXPECT_EQ(surface.At(9, 4), clRed);
  EXPECT_EQ(surface.At(4, 9), clRed);
  EXPECT_EQ(surface.At(0, 9), clRed);  // the bottom line runs from the left edge
}

TEST(FrameDrawing, EachStyleInSystemColours) {
  // Probes across the middle row of a 10 x 10 frame: x = 0, 1 (left) and 9, 8 (right).
  struct Case {
    TFrameStyleEx style;
    TColor outerLeft, innerLeft, outerRight, innerRight;
    int inset;
  } cases[] = {
      {fsNone, kBackground, kBackground, kBackground, kBackground, 0},
      {fsFlat, cl3DDkShadow, kBackground, cl3DDkShadow, kBackground, 1},
      {fsStatus, clBtnShadow, kBackground, clBtnHighlight, kBackground, 1},
      {fsPopup, clBtnHighlight, kBackground, clBtnShadow, kBackground, 1},
      {fsFlatBold, clBtnShadow, clBtnShadow, clBtnShadow, clBtnShadow, 2},
      {fsLowered, clBtnShadow, cl3DDkShadow, clBtnHighlight, cl3DLight, 2},
      {fsRaised, cl3DLight, clBtnHighlight, cl3DDkShadow, clBtnShadow, 2},
      {fsButtonUp, clBtnHighlight, cl3DLight, cl3DDkShadow, clBtnShadow, 2},
      {fsButtonDown, clBtnText, clBtnShadow, clBtnText, clBtnShadow, 2},
      {fsGroove, clBtnShadow, clBtnHighlight, clBtnHighlight, clBtnShadow, 2},
      {fsBump, clBtnHighlight, clBtnShadow, clBtnShadow, clBtnHighlight, 2},
      {fsFlatRounded, clWindow, cl3DLight, cl3DLight, clWindow, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.style);
    PaintSurface surface(10, 10, kBackground);
    const TRect inner = DrawStyleSides(surface.Canvas(), Rect(0, 0, 10, 10), c.style, AllSides);
    EXPECT_EQ(inner, Rect(c.inset, c.inset, 10 - c.inset, 10 - c.inset));
    EXPECT_EQ(surface.At(0, 5), Rgb(c.outerLeft));
    EXPECT_EQ(surface.At(1, 5), Rgb(c.innerLeft));
    EXPECT_EQ(surface.At(9, 5), Rgb(c.outerRight));
    EXPECT_EQ(surface.At(8, 5), Rgb(c.innerRight));
  }
}

TEST(FrameDrawing, EtchedTopAloneTurnsItsEnds) {
  PaintSurface surface(10, 10, kBackground);
  const TRect inner = DrawStyleSides(surface.Canvas(), Rect(0, 0, 10, 10), fsGroove, {sdTop});
  EXPECT_EQ(inner, Rect(0, 2, 10, 10));
  EXPECT_EQ(surface.At(5, 0), Rgb(clBtnShadow));
  EXPECT_EQ(surface.At(5, 1), Rgb(clBtnHighlight));
  EXPECT_EQ(surface.At(0, 1), Rgb(clBtnHighlight));  // left end: no left side
  EXPECT_EQ(surface.At(0, 5), kBackground);
}

TEST(FrameDrawing, ControlFrameOverItsFaceColouredBorder) {
  const TColor frame = RGBColor(0, 0, 200);
  {  // flat: one frame-coloured line over the 2-pixel yellow border
    PaintSurface surface(20, 20, kBackground);
    DrawControlFrame(surface.Canvas(), 20, 20, fsFlat, clYellow, frame, AllSides);
    EXPECT_EQ(surface.At(0, 7), frame);
    EXPECT_EQ(surface.At(1, 7), clYellow);
    EXPECT_EQ(surface.At(2, 7), kBackground);
    EXPECT_EQ(surface.At(19, 7), frame);
    EXPECT_EQ(surface.At(18, 7), clYellow);
    EXPECT_EQ(surface.At(7, 19), frame);
  }
  {  // lowered on the window colour: the system-colour bevel
    PaintSurface surface(20, 20, kBackground);
    DrawControlFrame(surface.Canvas(), 20, 20, fsLowered, clWindow, frame, AllSides);
    EXPECT_EQ(surface.At(0, 7), Rgb(clBtnShadow));
    EXPECT_EQ(surface.At(1, 7), Rgb(cl3DDkShadow));
    EXPECT_EQ(surface.At(19, 7), Rgb(clBtnHighlight));
    EXPECT_EQ(surface.At(18, 7), Rgb(cl3DLight));
  }
  {  // lowered on any other face: shades of the face
    PaintSurface surface(20, 20, kBackground);
    const TColor face = RGBColor(40, 160, 90);
    DrawControlFrame(surface.Canvas(), 20, 20, fsLowered, face, frame, AllSides);
    EXPECT_EQ(surface.At(0, 7), DarkenColor(face, 50));
    EXPECT_EQ(surface.At(1, 7), DarkenColor(face, 100));
    EXPECT_EQ(surface.At(19, 7), LightenColor(face, 100));
    EXPECT_EQ(surface.At(18, 7), LightenColor(face, 50));
    EXPECT_NE(DarkenColor(face, 50), Rgb(clBtnShadow));
  }
  {  // a frame on some sides leaves the face-coloured border on the others
    PaintSurface surface(20, 20, kBackground);
    DrawControlFrame(surface.Canvas(), 20, 20, fsFlatBold, clYellow, frame, {sdLeft});
    EXPECT_EQ(surface.At(1, 7), frame);
    EXPECT_EQ(surface.At(19, 7), clYellow);
    EXPECT_EQ(surface.At(7, 0), clYellow);
  }
}

TEST(FrameEnvironment, ColourSchemeOfTheThemeManager) {
  struct Case {
    const wchar_t* name;
    int scheme;
  } cases[] = {{L"HomeStead", 1}, {L"METALLIC", 2}, {L"NormalColor", 0}, {L"", 0}};
  for (const Case& c : cases) EXPECT_EQ(XpColorSchemeOfName(c.name), c.scheme);

  const wchar_t* key = L"Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager";
  HKEY handle = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr),
            ERROR_SUCCESS);
  const wchar_t value[] = L"metallic";
  RegSetValueExW(handle, L"ColorName", 0, REG_SZ, reinterpret_cast<const BYTE*>(value), sizeof value);
  EXPECT_EQ(DetectXpColorScheme(), 2);
  const DWORD notText = 1;
  RegSetValueExW(handle, L"ColorName", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&notText), sizeof notText);
  EXPECT_EQ(DetectXpColorScheme(), 0);
  RegDeleteValueW(handle, L"ColorName");
  EXPECT_EQ(DetectXpColorScheme(), 0);
  RegCloseKey(handle);
  EXPECT_EQ(DisplayHasFullColor(), ReadDisplayHasFullColor());
}
