// Colour routines, the working bitmap, the software blend against the system's, rotation, the
// hatched marker and the glyph painter, probed at known pixels.

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/framework/rtl/Seams.h"
#include "ui/foundation/Graphics.h"
#include "ui/foundation/ImageList.h"

using namespace cxpixels;

namespace {

Pixel PixelAt(TBitmap& bitmap, int x, int y) {
  GdiFlush();
  return static_cast<const Pixel*>(bitmap.ScanLine(y))[x];
}
TColor RgbAt(TBitmap& bitmap, int x, int y) {
  const Pixel p = PixelAt(bitmap, x, y);
  return RGBColor(Byte(Red(p)), Byte(Green(p)), Byte(Blue(p)));
}

struct PinnedSystemColors {
  static DWORD WINAPI Colors(int index) {
    switch (index) {
      case COLOR_BTNFACE: return face;
      case COLOR_HIGHLIGHT: return RGB(0, 0, 200);
      case COLOR_WINDOW: return RGB(255, 255, 255);
      case COLOR_BTNSHADOW: return RGB(128, 128, 128);
      case COLOR_BTNHIGHLIGHT: return RGB(255, 255, 255);
      default: return RGB(1, 2, 3);
    }
  }
  static inline DWORD face = RGB(200, 200, 200);
  PinnedSystemColors() { Bound().GetSysColor = &Colors; }
  ~PinnedSystemColors() { ResetBoundFunctions(); }
};

TEST(Colors, MixSystemColors) {
  PinnedSystemColors pinned;
  // 200 × 14% + 0 × 44% + 255 × 40% = 28 + 0 + 102; blue: 28 + 88 + 102
  EXPECT_EQ(MixSystemColors(14, 44, 40), RGBColor(130, 130, 218));
  EXPECT_EQ(MixedSystemColor(-2, 30, 72), RGBColor(180, 180, 240));  // 200 × -2% = -4, clamped per sum
  for (DWORD face : {RGB(0, 0, 0), RGB(255, 255, 255)}) {
    PinnedSystemColors::face = face;
    EXPECT_EQ(MixSystemColors(14, 44, 40), clHighlight);
  }
  PinnedSystemColors::face = RGB(200, 200, 200);
  EXPECT_EQ(DarkenColorPercent(clBtnShadow, 50), RGBColor(64, 64, 64));
  EXPECT_EQ(ColorToPixel(clBtnFace, 7), MakePixel(200, 200, 200, 7));
}

TEST(Colors, WebColorByName) {
  TColor color = 0;
  EXPECT_TRUE(WebColorByName(L"MediumPurple", color));
  EXPECT_EQ(color, RGBColor(0x93, 0x70, 0xDB));
  EXPECT_TRUE(WebColorByName(L"lightgrey", color));
  EXPECT_FALSE(WebColorByName(L"lightgray", color));
  EXPECT_TRUE(WebColorByName(L"threedhighlight", color));
  EXPECT_EQ(color, clHighlightText);
  EXPECT_TRUE(WebColorByName(L"INFOBACKGROUND", color));
  EXPECT_EQ(color, clInfoBk);
}

TEST(WorkingBitmap, KeyColourClearAndPixelOperations) {
  TcxBitmap bitmap(3, 2);
  EXPECT_EQ(PixelAt(bitmap, 0, 0), 0u);
  bitmap.KeyColor = 0xFF00FF00;
  bitmap.ClearToBlack();
  EXPECT_EQ(PixelAt(bitmap, 2, 1), 0xFF00FF00u);
  bitmap.Canvas()->SetPixels(1, 0, clRed);
  bitmap.ApplyPixelOperation(poMask);
  EXPECT_EQ(PixelAt(bitmap, 0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(PixelAt(bitmap, 1, 0), 0u);
  EXPECT_FALSE([&] {
    TcxBitmap black(2, 2);
    return black.HasAlpha();
  }());
}

TEST(WorkingBitmap, RotationSwapsTheSides) {
  TcxBitmap bitmap(3, 2);
  bitmap.Canvas()->SetPixels(2, 0, clRed);  // top-right
  bitmap.RotateAndFlip(1, false);
  EXPECT_EQ(bitmap.Width(), 2);
  EXPECT_EQ(bitmap.Height(), 3);
  EXPECT_EQ(RgbAt(bitmap, 0, 0), clRed);
}

// The software path of the blend gives what the system's AlphaBlend gives, within one level.
TEST(Blending, SoftwarePathMatchesAlphaBlend) {
  TcxBitmap source(16, 16);
  std::vector<Pixel>& pixels = source.GetPixels();
  for (size_t i = 0; i < pixels.size(); ++i) {
    const int a = int(i * 16) % 256;
    pixels[i] = MakePixel(a * 200 / 255, a / 2, (a * 90) / 255, a);  // premultiplied
  }
  source.SetPixels(pixels);
  auto blendOnto = [&](bool software) {
    TcxBitmap target(16, 16);
    target.Canvas()->Brush()->SetColor(RGBColor(30, 140, 250));
    target.Canvas()->FillRect({0, 0, 16, 16});
    if (software) Bound().AlphaBlend.Set(nullptr);
    AlphaBlendBitmapTo(target.Canvas()->Handle(), &source, {0, 0, 16, 16}, {0, 0, 16, 16}, false, 200);
    ResetBoundFunctions();
    return target.GetPixels();
  };
  const std::vector<Pixel> system = blendOnto(false), software = blendOnto(true);
  for (size_t i = 0; i < system.size(); ++i)
    for (int shift : {0, 8, 16})
      ASSERT_LE(std::abs(int((system[i] >> shift) & 0xFF) - int((software[i] >> shift) & 0xFF)), 1) << i;
}

TEST(Blending, StretchThroughTheResampler) {
  TcxBitmap source(2, 2);
  source.Canvas()->Brush()->SetColor(clBlue);
  source.Canvas()->FillRect({0, 0, 2, 2});
  source.MakeOpaque();
  TcxBitmap target(8, 8);
  AlphaBlendBitmapTo(target.Canvas()->Handle(), &source, {0, 0, 8, 8}, {0, 0, 2, 2}, true, 255);
  for (TPoint p : {TPoint(4, 4), TPoint(0, 7)}) {
    const TColor c = RgbAt(target, p.x, p.y);
    EXPECT_GE(GetBValue(c), 240);
    EXPECT_LE(GetRValue(c) + GetGValue(c), 10);
  }
}

// A marker by the left edge is hatched down to its bottom, not only along its top.
TEST(HatchedMarker, HatchesTheWholeRectangleAndClipsItOut) {
  TcxBitmap bitmap(30, 60);
  TcxCanvas* canvas = bitmap.cxCanvas();
  DrawHatchedMarker(canvas, {}, 0);
  TcxRegion* clip = canvas->CopyClipRegion();
  EXPECT_EQ(clip->BoundsRect(), TRect(0, 0, 30000, 30000));
  clip->Free();
  DrawHatchedMarker(canvas, {0, 0, 20, 50}, 0);
  const TColor line = DarkenColorPercent(0x00A0FFA0, 75) & 0xFFFFFF;
  int linesInBottomHalf = 0;
  for (int y = 30; y < 48; ++y)
    for (int x = 1; x < 19; ++x) linesInBottomHalf += RgbAt(bitmap, x, y) == line;
  EXPECT_GT(linesInBottomHalf, 10);
  EXPECT_EQ(RgbAt(bitmap, 0, 0), DarkenColorPercent(0x00A0FFA0, 50) & 0xFFFFFF);
  canvas->FillAreaWithColor({0, 0, 30, 60}, clWhite);  // the marker and its shadow are clipped out
  EXPECT_NE(RgbAt(bitmap, 5, 5), clWhite);
  EXPECT_NE(RgbAt(bitmap, 20, 50), clWhite);
  EXPECT_EQ(RgbAt(bitmap, 25, 5), clWhite);
}

// ---- the glyph painter --------------------------------------------------------------------------

struct GlyphFixture : testing::Test {
  PinnedSystemColors pinned;
  TcxBitmap target{20, 20};
  TBitmap glyph{4, 4, pf24bit};
  GlyphFixture() {
    target.Canvas()->Brush()->SetColor(clWhite);
    target.Canvas()->FillRect({0, 0, 20, 20});
    glyph.Canvas()->Brush()->SetColor(clFuchsia);  // the transparent colour (bottom-left pixel)
    glyph.Canvas()->FillRect({0, 0, 4, 4});
    glyph.Canvas()->Brush()->SetColor(clRed);
    glyph.Canvas()->FillRect({1, 1, 3, 3});
  }
  void Paint(TcxGlyphPaintMode mode) {
    PaintImageOrGlyph(target.Canvas()->Handle(), {8, 8, 12, 12}, {4, 4, 16, 16}, &glyph, nullptr, -1, mode);
  }
};

TEST_F(GlyphFixture, NormalDisabledAndShadowed) {
  Paint(gpmNormal);
  EXPECT_EQ(RgbAt(target, 9, 9), clRed);
  EXPECT_EQ(RgbAt(target, 8, 8), clWhite);  // transparent corner
  EXPECT_EQ(RgbAt(target, 2, 2), clWhite);  // outside the destination

  Paint(gpmDisabled);  // grey (76) tinted with the shadow at 0xC0 × 238/255
  const TColor disabled = RgbAt(target, 9, 9);
  EXPECT_EQ(GetRValue(disabled), GetGValue(disabled));
  EXPECT_NE(disabled, clRed);
  EXPECT_NE(disabled, clWhite);

  target.Canvas()->FillRect({0, 0, 20, 20});
  target.Canvas()->Brush()->SetColor(clWhite);
  target.Canvas()->FillRect({0, 0, 20, 20});
  Paint(gpmShadowed);
  EXPECT_EQ(RgbAt(target, 8, 8), clRed);                    // moved up and left by one
  EXPECT_EQ(RgbAt(target, 10, 10), RGBColor(128, 128, 128));  // the shadow two pixels down and right
}

TEST_F(GlyphFixture, NothingWithoutAnImage) {
  PaintImageOrGlyph(target.Canvas()->Handle(), {8, 8, 12, 12}, {4, 4, 16, 16}, nullptr, nullptr, 0, gpmNormal);
  EXPECT_EQ(RgbAt(target, 9, 9), clWhite);
}

TEST_F(GlyphFixture, PaletteDisplaysStillCopyTheResult) {
  Bound().ScreenColorDepth = [] { return 8; };
  Paint(gpmNormal);
  ResetBoundFunctions();
  EXPECT_EQ(RgbAt(target, 9, 9), clRed);
}

int WINAPI LargeSizeBox(int index) { return index == SM_CYHSCROLL ? 17 : 25; }
int WINAPI SmallSizeBox(int index) { return index == SM_CYHSCROLL ? 17 : 18; }

TEST(SmallRoutines, CornersAndGrips) {
  struct Case {
    TRect Owner, DropDown;
    int Corner, HitTest;
  } cases[] = {
      {{0, 0, 10, 10}, {0, 10, 20, 30}, 3, HTBOTTOMRIGHT},
      {{0, 50, 10, 60}, {0, 10, 20, 50}, 1, HTTOPRIGHT},
      {{100, 0, 110, 10}, {50, 10, 90, 30}, 2, HTBOTTOMLEFT},
      {{100, 50, 110, 60}, {50, 10, 90, 50}, 0, HTTOPLEFT},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SizeGripCornerFor(c.Owner, c.DropDown), c.Corner);
    EXPECT_EQ(HitTestCodeForCorner(c.Corner), c.HitTest);
  }
  Bound().GetSystemMetrics = &LargeSizeBox;
  EXPECT_EQ(SizeGripBandHeight(), 26);
  Bound().GetSystemMetrics = &SmallSizeBox;
  EXPECT_EQ(SizeGripBandHeight(), 20);
  ResetBoundFunctions();
}

TEST(SmallRoutines, SwapImageListLinkMovesTheLinkAndFiresOnce) {
  TComponent owner(nullptr);
  TcxImageList first(nullptr), second(nullptr);
  TChangeLink link;
  int changes = 0;
  link.OnChange = [&](TObject*) { ++changes; };
  TCustomImageList* field = nullptr;
  SwapImageListLink(&first, field, &link, &owner);
  EXPECT_EQ(field, &first);
  EXPECT_EQ(changes, 1);
  SwapImageListLink(&first, field, &link, &owner);  // unchanged: nothing
  EXPECT_EQ(changes, 1);
  SwapImageListLink(&second, field, &link, &owner);
  EXPECT_EQ(changes, 2);
  TBitmap picture(16, 16, pf24bit);
  first.AddImage(&picture, nullptr);  // the old list no longer reaches the link
  EXPECT_EQ(changes, 2);
  second.AddImage(&picture, nullptr);
  EXPECT_EQ(changes, 3);
  SwapImageListLink(nullptr, field, &link, &owner);
  EXPECT_EQ(changes, 4);
  EXPECT_TRUE(ImageIndexValid(&second, 0));
  EXPECT_FALSE(ImageIndexValid(&second, 1));
  EXPECT_FALSE(ImageIndexValid(nullptr, 0));
}

TEST(SmallRoutines, AlphaGlyphClearsTheTransparentColour) {
  TBitmap source(4, 4, pf24bit);
  source.Canvas()->Brush()->SetColor(clFuchsia);
  source.Canvas()->FillRect({0, 0, 4, 4});
  source.Canvas()->SetPixels(1, 1, clBlue);
  TBitmap glyph;
  MakeAlphaGlyph(&source, &glyph);
  ASSERT_EQ(glyph.PixelFormat(), pf32bit);
  EXPECT_EQ(PixelAt(glyph, 0, 0), 0u);
  EXPECT_EQ(PixelAt(glyph, 1, 1), MakePixel(0, 0, 255, 255));
}

TEST(SmallRoutines, FadeFrameInSoftware) {
  TcxBitmap from(2, 1), to(2, 1), target(2, 1);
  from.Canvas()->SetPixels(0, 0, RGBColor(0, 0, 0));
  to.Canvas()->SetPixels(0, 0, RGBColor(255, 255, 255));
  Bound().AlphaBlend.Set(nullptr);
  BlendFadeFrame(&target, &from, &to, 51);
  ResetBoundFunctions();
  EXPECT_EQ(RgbAt(target, 0, 0), RGBColor(51, 51, 51));
}

}  // namespace
