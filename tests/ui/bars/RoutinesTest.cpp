// The shared routines of the bar library: accelerator characters, keys with their shift state, the
// view-level sets, the nearest object in a direction, arrows, focus frames, the checker brush,
// tiled bitmaps and the menu sounds.

#include <gtest/gtest.h>

#include "platform/framework/base/Utf8.h"
#include "tests/support/WindowTestSupport.h"
#include "ui/bars/BarRoutines.h"

using window_testing::DibSection;
using window_testing::HeldKeys;

namespace {

DWORD Rgb(TColor Color) {
  const COLORREF c = ColorToRGB(Color);
  return (DWORD(GetRValue(c)) << 16) | (DWORD(GetGValue(c)) << 8) | GetBValue(c);
}

void FillWhite(DibSection& Dib, int W, int H) {
  const RECT r{0, 0, W, H};
  FillRect(Dib.DC(), &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

TEST(BarRoutines, AcceleratorCharIndex) {
  struct Case {
    const wchar_t* caption;
    int plain, removed;
    const wchar_t* afterRemoval;
  };
  const Case cases[] = {
      {L"&&File", 0, 0, L"&File"},  // the doubled '&' is a literal one
      {L"ab&cd", 4, 3, L"abcd"},
      {L"abc&", 0, 0, L"abc&"},  // a trailing '&' is never examined
      {L"a&b&c", 5, 3, L"abc"},  // the last one found wins
      {L"&Save &&As", 2, 1, L"Save &As"},
      {L"", 0, 0, L""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AcceleratorCharIndex(String(c.caption)), c.plain) << Utf8Encode(c.caption);
    String caption = c.caption;
    EXPECT_EQ(AcceleratorCharIndex(caption, true), c.removed) << Utf8Encode(c.caption);
    EXPECT_EQ(caption, c.afterRemoval);
  }
}

TEST(BarRoutines, KeyWithShiftState) {
  const LPARAM altDown = LPARAM{1} << 29;
  {
    HeldKeys keys({VK_SHIFT, VK_CONTROL});
    EXPECT_EQ(KeyWithShiftState(0, altDown), 0);
    EXPECT_EQ(KeyWithShiftState('A', 0), 'A' + 0x2000 + 0x4000);
    EXPECT_EQ(KeyWithShiftState('A', altDown), 'A' + 0x2000 + 0x4000 + 0x8000);
  }
  HeldKeys none({});
  EXPECT_EQ(KeyWithShiftState(VK_F5, 0), VK_F5);
  EXPECT_EQ(KeyWithShiftState(VK_F5, altDown), VK_F5 + 0x8000);
}

TEST(BarRoutines, ViewLevelSets) {
  EXPECT_EQ(FirstViewLevelIn({}), 4);
  EXPECT_EQ(LastViewLevelIn({}), 255);
  EXPECT_EQ(NextViewLevelIn({ivlLargeIconWithText, ivlControlOnly}, 3), 4);
  EXPECT_EQ(FirstViewLevelIn({ivlSmallIcon, ivlControlOnly}), 2);
  EXPECT_EQ(LastViewLevelIn({ivlLargeIconWithText, ivlSmallIcon}), 2);
  EXPECT_EQ(NextViewLevelIn({ivlLargeIconWithText, ivlSmallIcon}, 0), 2);
  EXPECT_EQ(NextViewLevelIn({ivlSmallIconWithText}, 0), 1);
}

TEST(BarRoutines, NearestHelperInDirection) {
  const TRect from{100, 100, 120, 120};
  // Right: the nearest edge wins over the better angle.
  const std::vector<TRect> right = {{140, 100, 160, 120}, {125, 150, 145, 170}, {60, 100, 80, 120}};
  EXPECT_EQ(NearestHelperInDirection(from, right, 2, false), 1);
  EXPECT_EQ(NearestHelperInDirection(from, right, 0, false), 2);
  // Equal distances: the smaller deviation from the direction.
  const std::vector<TRect> ties = {{130, 160, 150, 180}, {130, 100, 150, 120}};
  EXPECT_EQ(NearestHelperInDirection(from, ties, 2, false), 1);
  // Nothing to the left: the search wraps round and takes the farthest on the right.
  const std::vector<TRect> onlyRight = {{130, 100, 150, 120}, {200, 100, 220, 120}};
  EXPECT_EQ(NearestHelperInDirection(from, onlyRight, 0, false), -1);
  EXPECT_EQ(NearestHelperInDirection(from, onlyRight, 0, true), 1);
  const std::vector<TRect> onlyLeft = {{10, 100, 30, 120}, {60, 100, 80, 120}};
  EXPECT_EQ(NearestHelperInDirection(from, onlyLeft, 2, true), 0);
  // Up and down do not wrap; no candidates and directions 4, 5 give none.
  EXPECT_EQ(NearestHelperInDirection(from, onlyRight, 1, true), -1);
  EXPECT_EQ(NearestHelperInDirection(from, {}, 0, true), -1);
  EXPECT_EQ(NearestHelperInDirection(from, right, 4, false), -1);
}

TEST(BarRoutines, ArrowSizesFromTheRectangle) {
  struct Case {
    TRect r;
    bool down;
    int size;
  };
  const Case cases[] = {
      {{0, 0, 20, 10}, false, 3},  // f = 4 gives 1, raised to 3
      {{0, 0, 20, 13}, false, 4},  // f = 7 (odd): 1 + 3
      {{0, 0, 20, 20}, false, 6},  // f = 14 (even): 13 / 2
      {{0, 0, 16, 10}, true, 3},
      {{0, 0, 20, 10}, true, 5},
  };
  for (const Case& c : cases) EXPECT_EQ(ItemArrowSizeFor(c.r, c.down), c.size) << c.r.Width() << "x" << c.r.Height();
}

TEST(BarRoutines, PaintItemArrowPixels) {
  DibSection dib(40, 20);
  FillWhite(dib, 40, 20);
  // A 3-pixel right arrow in (0, 0, 20, 10): x0 = 8, y0 = 2; the triangle (8,2) (8,6) (10,4).
  DrawItemArrowInRect(dib.DC(), TRect{0, 0, 20, 10}, false, true, false, false, TColor(RGB(255, 0, 0)));
  EXPECT_EQ(dib.Pixel(8, 2), 0xFF0000u);
  EXPECT_EQ(dib.Pixel(8, 6), 0xFF0000u);
  EXPECT_EQ(dib.Pixel(10, 4), 0xFF0000u);
  EXPECT_EQ(dib.Pixel(11, 4), 0xFFFFFFu);
  EXPECT_EQ(dib.Pixel(7, 4), 0xFFFFFFu);
  EXPECT_EQ(dib.Pixel(8, 1), 0xFFFFFFu);
  // A down arrow of size 3 in (20, 0, 40, 20): x0 = (60 - 5) / 2 = 27, y0 = (20 - 3) / 2 = 8.
  PaintItemArrow(dib.DC(), TRect{20, 0, 40, 20}, true, 3, false, true, false, TColor(RGB(0, 0, 255)));
  EXPECT_EQ(dib.Pixel(27, 8), 0x0000FFu);
  EXPECT_EQ(dib.Pixel(31, 8), 0x0000FFu);
  EXPECT_EQ(dib.Pixel(29, 10), 0x0000FFu);
  EXPECT_EQ(dib.Pixel(29, 11), 0xFFFFFFu);
  // The default colour: clBtnText enabled, clBtnShadow disabled (with the highlight emboss).
  DibSection states(20, 20);
  FillWhite(states, 20, 20);
  PaintItemArrow(states.DC(), TRect{0, 0, 20, 20}, true, 3, false, false, false, clDefault);
  EXPECT_EQ(states.Pixel(8, 8), Rgb(clBtnShadow));
  EXPECT_EQ(states.Pixel(12, 9), Rgb(clBtnHighlight));
}

TEST(BarRoutines, FocusRectTwiceDotsEvenPixels) {
  DibSection dib(12, 12);
  FillWhite(dib, 12, 12);
  FocusRectTwice(dib.DC(), TRect{0, 0, 10, 10});
  const DWORD text = Rgb(clBtnText);
  EXPECT_EQ(dib.Pixel(0, 0), text);
  EXPECT_EQ(dib.Pixel(1, 0), 0xFFFFFFu);
  EXPECT_EQ(dib.Pixel(9, 9), text);
  EXPECT_EQ(dib.Pixel(0, 9), 0xFFFFFFu);
  EXPECT_EQ(dib.Pixel(1, 1), text);  // the inner frame
  EXPECT_EQ(dib.Pixel(2, 1), 0xFFFFFFu);
  EXPECT_EQ(dib.Pixel(4, 4), 0xFFFFFFu);  // inside both frames
}

TEST(BarRoutines, CheckerBrushAlternatesFaceAndHighlight) {
  RebuildCheckerBrush();
  DibSection dib(8, 8);
  const RECT r{0, 0, 8, 8};
  FillRect(dib.DC(), &r, CheckerBrush());
  EXPECT_EQ(dib.Pixel(0, 0), Rgb(clBtnFace));
  EXPECT_EQ(dib.Pixel(1, 0), Rgb(clBtnHighlight));
  EXPECT_EQ(dib.Pixel(1, 1), Rgb(clBtnFace));
  EXPECT_EQ(dib.Pixel(6, 3), Rgb(clBtnHighlight));
}

TEST(BarRoutines, TileBitmapInRectPlacesTilesFromTheOrigin) {
  // A 4 x 4 tile whose columns have their own colours.
  TBitmap tile(4, 4);
  const COLORREF columns[4] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0)};
  for (int x = 0; x < 4; ++x) {
    for (int y = 0; y < 4; ++y) SetPixel(tile.Canvas()->Handle(), x, y, columns[x]);
  }
  DibSection dib(40, 40);
  FillWhite(dib, 40, 40);
  TileBitmapInRect(dib.DC(), TRect{10, 10, 30, 30}, TRect{2, 0, 10, 4}, &tile);
  EXPECT_EQ(dib.Pixel(10, 10), 0x0000FFu);  // tile column 2 at the rectangle's left
  EXPECT_EQ(dib.Pixel(11, 10), 0xFFFF00u);
  EXPECT_EQ(dib.Pixel(12, 10), 0xFF0000u);  // the next tile begins
  EXPECT_EQ(dib.Pixel(9, 10), 0xFFFFFFu);   // clipped to the rectangle
  EXPECT_EQ(dib.Pixel(12, 13), 0xFF0000u);
  EXPECT_EQ(dib.Pixel(12, 14), 0xFFFFFFu);  // rows end at (origin.bottom - 1) / h
  EXPECT_EQ(dib.Pixel(19, 10), 0xFFFF00u);
  EXPECT_EQ(dib.Pixel(20, 10), 0xFFFFFFu);  // columns end at (origin.right - 1) / w
  // An empty origin or bitmap draws nothing.
  FillWhite(dib, 40, 40);
  TileBitmapInRect(dib.DC(), TRect{10, 10, 30, 30}, TRect{}, &tile);
  EXPECT_EQ(dib.Pixel(12, 12), 0xFFFFFFu);
}

std::vector<std::pair<String, DWORD>> g_sounds;
BOOL RecordSound(const wchar_t* Alias, HMODULE, DWORD Flags) {
  g_sounds.emplace_back(Alias ? Alias : L"(none)", Flags);
  return TRUE;
}

TEST(BarRoutines, MenuSoundsPlayTheirAliases) {
  g_sounds.clear();
  TdxBarSoundPlayer previous = SetMenuSoundPlayer(&RecordSound);
  PlayMenuSound(0);
  PlayMenuSound(1);
  StopMenuSound();
  SetMenuSoundPlayer(previous);
  ASSERT_EQ(g_sounds.size(), 3u);
  EXPECT_EQ(g_sounds[0].first, L"MenuPopup");
  EXPECT_EQ(g_sounds[1].first, L"MenuCommand");
  EXPECT_EQ(g_sounds[2].first, L"(none)");
  EXPECT_EQ(g_sounds[0].second, DWORD(SND_ALIAS | SND_NOWAIT | SND_NODEFAULT | SND_ASYNC));
}

}  // namespace
