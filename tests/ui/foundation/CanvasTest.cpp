// The canvas wrapper on bitmaps: clip stacks read back from the DC, borders, tiled fills, text
// output and the text routines.

#include <algorithm>
#include <cstdint>

#include <gtest/gtest.h>

#include "ui/foundation/Canvas.h"

namespace {

// The pixel as stored, whatever the canvas's window origin.
TColor At(TBitmap& bitmap, int x, int y) {
  GdiFlush();
  const std::uint32_t p = static_cast<const std::uint32_t*>(bitmap.ScanLine(y))[x];
  return RGBColor(Byte(p >> 16), Byte(p >> 8), Byte(p));
}

struct CanvasFixture : testing::Test {
  TBitmap bitmap{40, 40, pf32bit};
  TcxCanvas canvas{bitmap.Canvas()};
  HDC DC() { return canvas.DCHandle(); }
  // The DC's clip box, or nothing when it has no clip region.
  bool ClipBox(TRect& box) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const bool has = GetClipRgn(DC(), region) == 1;
    GetRgnBox(region, &box);
    DeleteObject(region);
    return has;
  }
};

TEST_F(CanvasFixture, ClipStackRestoresNoClipAsNoClip) {
  TRect box;
  ASSERT_FALSE(ClipBox(box));
  TcxRegion* copy = canvas.CopyClipRegion();
  EXPECT_EQ(copy->BoundsRect(), TRect(0, 0, 30000, 30000));
  copy->Free();

  canvas.PushClipRegion();
  canvas.ClipToRect({5, 5, 20, 20});
  canvas.PushClipRegion();
  canvas.SubtractFromClip({5, 5, 10, 20});
  ASSERT_TRUE(ClipBox(box));
  EXPECT_EQ(box, TRect(10, 5, 20, 20));
  canvas.PopClipRegion();
  ASSERT_TRUE(ClipBox(box));
  EXPECT_EQ(box, TRect(5, 5, 20, 20));
  canvas.PopClipRegion();
  EXPECT_FALSE(ClipBox(box));  // no clip region again, not an explicit 30000 square
  canvas.PopClipRegion();      // empty stack: nothing
  canvas.PopDCState();
  canvas.PopState();
}

TEST_F(CanvasFixture, ClipArithmeticHonoursTheWindowOrigin) {
  canvas.ApplyWindowOrigin({10, 0});
  canvas.ApplyClipRegion(new TcxRegion(10, 0, 20, 10), roSet);
  TRect box;
  ASSERT_TRUE(ClipBox(box));
  EXPECT_EQ(box, TRect(0, 0, 10, 10));  // device coordinates
  canvas.ApplyClipRegion(new TcxRegion(10, 0, 15, 10), roSubtract);
  ASSERT_TRUE(ClipBox(box));
  EXPECT_EQ(box, TRect(5, 0, 10, 10));
  TcxRegion* logical = canvas.CopyClipRegion(true);
  EXPECT_EQ(logical->BoundsRect(), TRect(15, 0, 20, 10));
  logical->Free();
}

TEST_F(CanvasFixture, StateStackRestoresObjects) {
  canvas.CurrentFont()->SetColor(clRed);
  canvas.CurrentBrush()->SetColor(clBlue);
  canvas.PushState();
  canvas.CurrentFont()->SetColor(clLime);
  canvas.CurrentBrush()->SetColor(clYellow);
  canvas.CurrentPen()->SetWidth(3);
  canvas.ClipToRect({0, 0, 1, 1});
  canvas.PopState();
  EXPECT_EQ(canvas.CurrentFont()->Color(), clRed);
  EXPECT_EQ(canvas.CurrentBrush()->Color(), clBlue);
  EXPECT_EQ(canvas.CurrentPen()->Width(), 1);
  TRect box;
  EXPECT_FALSE(ClipBox(box));
  canvas.FillAreaWithColor({0, 0, 4, 4}, clDefault);
  EXPECT_EQ(At(bitmap, 3, 3), clBlue);
}

TEST_F(CanvasFixture, TwoColorBorderCorners) {
  canvas.FillAreaWithColor({0, 0, 40, 40}, clWhite);
  canvas.DrawTwoColorBorders({0, 0, 10, 10}, clRed, clBlue, cxBordersAll, 1);
  EXPECT_EQ(At(bitmap, 0, 0), clRed);
  EXPECT_EQ(At(bitmap, 9, 0), clBlue);
  EXPECT_EQ(At(bitmap, 0, 9), clBlue);
  EXPECT_EQ(At(bitmap, 9, 9), clBlue);
  EXPECT_EQ(At(bitmap, 5, 0), clRed);
  EXPECT_EQ(At(bitmap, 5, 9), clBlue);
  EXPECT_EQ(At(bitmap, 5, 5), clWhite);
  canvas.FillAreaWithColor({0, 0, 40, 40}, clNone);  // draws nothing
  EXPECT_EQ(At(bitmap, 0, 0), clRed);
}

TEST_F(CanvasFixture, FrameBordersClampAndExclude) {
  canvas.FillAreaWithColor({0, 0, 40, 40}, clWhite);
  canvas.DrawFrameBorders({10, 10, 14, 30}, clRed, 3, {bLeft, bRight}, true);
  EXPECT_EQ(At(bitmap, 10, 20), clRed);
  EXPECT_EQ(At(bitmap, 13, 20), clRed);
  EXPECT_EQ(At(bitmap, 14, 20), clWhite);
  canvas.FillAreaWithColor({0, 0, 40, 40}, clBlue);  // the frame was taken out of the clip
  EXPECT_EQ(At(bitmap, 12, 20), clRed);
  EXPECT_EQ(At(bitmap, 20, 20), clBlue);
}

TEST_F(CanvasFixture, TiledFillLinesUpAcrossCalls) {
  TBitmap tile(4, 4, pf32bit);
  tile.Canvas()->Brush()->SetColor(clWhite);
  tile.Canvas()->FillRect({0, 0, 4, 4});
  tile.Canvas()->SetPixels(0, 0, clRed);
  canvas.FillWithTileBitmap({1, 1, 10, 10}, &tile);
  canvas.FillWithTileBitmap({10, 1, 30, 10}, &tile);
  for (int x : {4, 8, 12, 16, 24}) EXPECT_EQ(At(bitmap, x, 4), clRed) << x;
  EXPECT_EQ(At(bitmap, 9, 4), clWhite);
  EXPECT_EQ(At(bitmap, 4, 0), clBlack);  // outside the rectangles
  // A window origin moves the grid with the logical coordinates.
  canvas.ApplyWindowOrigin({-2, 0});
  canvas.FillWithTileBitmap({-2, 20, 20, 30}, &tile);
  EXPECT_EQ(At(bitmap, 0, 20), clWhite);
  EXPECT_EQ(At(bitmap, 2, 20), clRed);  // logical 0, 20
}

TEST_F(CanvasFixture, DisabledTextIsEmbossed) {
  canvas.FillAreaWithColor({0, 0, 40, 40}, clYellow);
  canvas.CurrentFont()->SetHeight(-30);
  canvas.DrawTextWithEnabledState(L"|", {0, 0, 40, 40}, ctfLeft | ctfTop | ctfSingleLine, false);
  // The highlight copy lies one pixel right of and below the shadow copy drawn over it.
  const TColor shadow = ColorToRGB(clBtnShadow) & 0xFFFFFF;
  const TColor highlight = ColorToRGB(clBtnHighlight) & 0xFFFFFF;
  int shadowBottom = -1, highlightBottom = -1;
  for (int x = 0; x < 40; ++x)
    for (int y = 0; y < 40; ++y) {
      if (At(bitmap, x, y) == shadow) shadowBottom = std::max(shadowBottom, y);
      if (At(bitmap, x, y) == highlight) highlightBottom = std::max(highlightBottom, y);
    }
  ASSERT_GE(shadowBottom, 0);
  EXPECT_EQ(highlightBottom, shadowBottom + 1);
  EXPECT_EQ(canvas.CurrentFont()->Color(), clWindowText);
  EXPECT_EQ(canvas.CurrentBrush()->Style(), bsSolid);
}

TEST_F(CanvasFixture, RightAlignedDisabledTextEndsOnePixelFurtherLeft) {
  auto rightmostInk = [&](bool enabled) {
    canvas.FillAreaWithColor({0, 0, 40, 40}, clWhite);
    canvas.CurrentFont()->SetHeight(-20);
    canvas.CurrentFont()->SetColor(clBlack);
    canvas.DrawTextWithEnabledState(L"l", {0, 0, 30, 30}, ctfRight | ctfTop | ctfSingleLine, enabled);
    const TColor ink = enabled ? clBlack : ColorToRGB(clBtnShadow) & 0xFFFFFF;
    int right = -1;
    for (int x = 0; x < 40; ++x)
      for (int y = 0; y < 40; ++y)
        if (At(bitmap, x, y) == ink) right = x;
    return right;
  };
  EXPECT_EQ(rightmostInk(false), rightmostInk(true) - 1);
}

TEST_F(CanvasFixture, CalcTextBoundsPlacesTheTextInTheBox) {
  TRect r{0, 0, 200, 100};
  canvas.CalcTextBounds(L"Wg", r, ctfHCenter | ctfVCenter | ctfSingleLine);
  const TSize size = canvas.MeasureText(L"Wg");
  EXPECT_EQ(r, RectFromBounds((200 - size.cx) / 2, (100 - size.cy) / 2, size.cx, size.cy));
  TRect bottom{0, 0, 200, 100};
  canvas.CalcTextBounds(L"Wg", bottom, ctfRight | ctfBottom | ctfSingleLine);
  EXPECT_EQ(bottom.right, 200);
  EXPECT_EQ(bottom.bottom, 100);
}

TEST(TextFlags, ToDrawTextFlags) {
  struct Case {
    int Flags;
    UINT Expected;
  } cases[] = {
      {ctfLeft, DT_NOPREFIX},
      {ctfRight | ctfBottom | ctfSingleLine, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX},
      {ctfHCenter | ctfVCenter | ctfShowPrefix, DT_CENTER | DT_VCENTER},
      {ctfWordBreak, DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX},
      {ctfWordBreak | ctfNoCharBreak, DT_WORDBREAK | DT_NOPREFIX},
      {ctfNoClip | ctfExpandTabs | ctfEndEllipsis | ctfCalcOnly | ctfPathEllipsis,
       DT_NOCLIP | DT_EXPANDTABS | DT_END_ELLIPSIS | DT_CALCRECT | DT_PATH_ELLIPSIS | DT_NOPREFIX},
  };
  for (const Case& c : cases) EXPECT_EQ(TextFlagsToDrawTextFlags(c.Flags), c.Expected) << std::hex << c.Flags;
}

TEST(TextRoutines, EllipsisOfAVeryLongText) {
  const String text(10000, L'm');
  const String shortened = EllipsizeTextToWidth(nullptr, nullptr, text, 60);
  ASSERT_FALSE(shortened.empty());
  EXPECT_LT(shortened.size(), 60u);
  EXPECT_EQ(shortened.substr(shortened.size() - 3), L"...");
  EXPECT_EQ(EllipsizeTextToWidth(nullptr, nullptr, L"abc", 0), L"");
  EXPECT_EQ(EllipsizeTextToWidth(nullptr, nullptr, L"", 50), L"");
  EXPECT_EQ(EllipsizeTextToWidth(nullptr, nullptr, L"ab", 500), L"ab");
}

TEST(TextRoutines, RowsAndWrapping) {
  HDC dc = ScreenCanvas()->DCHandle();
  TRect r{1, 1, 1, 1};
  CalcTextRectForRows(dc, L"word", 0, false, r);
  EXPECT_EQ(r, TRect());
  const TSize one = SingleLineTextSize(dc, L"word");
  CalcTextRectForRows(dc, L"word", 2, false, r);
  EXPECT_EQ(RectWidthOf(r), one.cx);
  TRect two;
  CalcTextRectForRows(dc, L"alpha beta gamma delta", 2, true, two);
  EXPECT_LT(RectWidthOf(two), SingleLineTextSize(dc, L"alpha beta gamma delta").cx);
  TSize wg;
  TextExtentOf(dc, L"Wg", wg);
  EXPECT_EQ(two.bottom, 2 * wg.cy);

  TStringList lines;
  const int width = SingleLineTextSize(dc, L"aa bb").cx;
  WrapTextToLines(L"aa bb cc", ScreenCanvas(), {0, 0, width, 100}, &lines);
  ASSERT_EQ(lines.Count(), 2);
  EXPECT_EQ(lines.Strings(0), L"aa bb");
  EXPECT_EQ(lines.Strings(1), L"cc");
  TStringList wide;
  WrapTextToLines(L"enormous x", ScreenCanvas(), {0, 0, 5, 100}, &wide);
  ASSERT_GE(wide.Count(), 2);
  EXPECT_EQ(wide.Strings(0), L"");  // a first word wider than the box
}

TEST(TextRoutines, FarEastOrArabicText) {
  struct Case {
    int Charset;
    String Text;
    bool Expected;
  } cases[] = {
      {GB2312_CHARSET, L"", false},  // an empty text has no first character
      {GB2312_CHARSET, L"\x4E2D", true},
      {CHINESEBIG5_CHARSET, L"\x4E2D", true},
      {ARABIC_CHARSET, L"\x0627", true},
      {ARABIC_CHARSET, L"a\x0627", false},
      {ANSI_CHARSET, L"\x4E2D", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsFarEastOrArabicText(c.Charset, c.Text), c.Expected) << c.Charset;
}

TEST(TextRoutines, AdoptObjectsFromAForeignDC) {
  TBitmap source(4, 4, pf32bit);
  HDC dc = source.Canvas()->Handle();
  HBRUSH hatch = CreateHatchBrush(HS_CROSS, RGB(1, 2, 3));
  HPEN pen = CreatePen(PS_DOT, 1, RGB(4, 5, 6));
  HGDIOBJ oldBrush = SelectObject(dc, hatch), oldPen = SelectObject(dc, pen);
  SetROP2(dc, R2_XORPEN);
  SetTextColor(dc, RGB(7, 8, 9));
  TBitmap target(4, 4, pf32bit);
  TcxCanvas canvas(target.Canvas());
  canvas.AdoptObjectsFromDC(dc);
  EXPECT_EQ(canvas.CurrentBrush()->Style(), bsCross);
  EXPECT_EQ(canvas.CurrentBrush()->Color(), TColor(RGB(1, 2, 3)));
  EXPECT_EQ(canvas.CurrentPen()->Style(), psDot);
  EXPECT_EQ(canvas.CurrentPen()->Mode(), pmXor);
  EXPECT_EQ(canvas.CurrentFont()->Color(), TColor(RGB(7, 8, 9)));
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(hatch);
  DeleteObject(pen);
}

}  // namespace
