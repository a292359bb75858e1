// Colours, fonts, pens, brushes and the canvas, probed on 32-bit DIB sections.

#include <gtest/gtest.h>

#include <functional>

#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/graphics/Graphics.h"
#include "platform/framework/rtl/Seams.h"

namespace {

constexpr TColor Rgb(TColor c) { return c & 0xFFFFFF; }

// A 32-bit bitmap filled with one colour, to draw on and probe.
struct Surface {
  TBitmap bitmap;
  Surface(int w, int h, TColor fill) : bitmap(w, h, pf32bit) {
    bitmap.Canvas()->Brush()->SetColor(fill);
    bitmap.Canvas()->FillRect(Rect(0, 0, w, h));
  }
  TCanvas* Canvas() { return bitmap.Canvas(); }
  TColor At(int x, int y) { return Rgb(bitmap.Canvas()->Pixels(x, y)); }
};

TEST(ColorToRGBTest, ResolvesSystemColoursOnly) {
  EXPECT_EQ(ColorToRGB(clBtnFace), TColor(GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(ColorToRGB(clMenuBar), TColor(GetSysColor(COLOR_MENUBAR)));
  EXPECT_EQ(ColorToRGB(clSkyBlue), 0xF0CAA6);
  EXPECT_EQ(ColorToRGB(clNone), clNone);
}

DWORD WINAPI PinnedSysColor(int index) { return index == COLOR_BTNFACE ? 0x123456 : 0; }

TEST(ColorToRGBTest, AsksTheSystemThroughTheBoundTable) {
  Bound().GetSysColor = &PinnedSysColor;
  const TColor face = ColorToRGB(clBtnFace);
  ResetBoundFunctions();
  EXPECT_EQ(face, 0x123456);
  EXPECT_EQ(ColorToRGB(clDefault), clDefault);
}

TEST(PenTest, ModesCombinePenAndTargetInTheirOrder) {
  const TColor pen = 0x3C5A0F, dest = 0x96C3A5;
  const auto n = [](TColor c) { return ~c & 0xFFFFFF; };
  struct Case {
    TPenMode mode;
    TColor expected;
  };
  const Case cases[] = {
      {pmBlack, 0},
      {pmWhite, 0xFFFFFF},
      {pmNop, dest},
      {pmNot, n(dest)},
      {pmCopy, pen},
      {pmNotCopy, n(pen)},
      {pmMergePenNot, pen | n(dest)},
      {pmMaskPenNot, pen & n(dest)},
      {pmMergeNotPen, n(pen) | dest},
      {pmMaskNotPen, n(pen) & dest},
      {pmMerge, pen | dest},
      {pmNotMerge, n(pen | dest)},
      {pmMask, pen & dest},
      {pmNotMask, n(pen & dest)},
      {pmXor, pen ^ dest},
      {pmNotXor, n(pen ^ dest)},
  };
  for (const Case& c : cases) {
    Surface s(6, 3, dest);
    s.Canvas()->Pen()->SetColor(pen);
    s.Canvas()->Pen()->SetMode(c.mode);
    s.Canvas()->MoveTo(0, 1);
    s.Canvas()->LineTo(6, 1);
    EXPECT_EQ(s.At(2, 1), c.expected) << "mode " << c.mode;
    EXPECT_EQ(s.At(2, 0), dest) << "mode " << c.mode;
  }
}

TEST(BrushTest, HatchesDrawTheirLinesAndLeaveTheBackground) {
  const TColor background = clLime;
  // Which pixels of a 16 x 16 fill are in the hatch colour.
  auto hatch = [&](TBrushStyle style) {
    Surface s(16, 16, background);
    s.Canvas()->Brush()->SetColor(clNavy);
    s.Canvas()->Brush()->SetStyle(style);
    s.Canvas()->FillRect(Rect(0, 0, 16, 16));
    std::vector<std::vector<bool>> on(16, std::vector<bool>(16));
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        TColor c = s.At(x, y);
        EXPECT_TRUE(c == clNavy || c == background) << "style " << style << " at " << x << "," << y;
        on[y][x] = c == clNavy;
      }
    return on;
  };
  // True when the test holds for some pixel.
  auto any = [](const std::function<bool(int, int)>& test) {
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x)
        if (test(x, y)) return true;
    return false;
  };

  auto solid = hatch(bsSolid);
  EXPECT_FALSE(any([&](int x, int y) { return !solid[y][x]; }));
  auto clear = hatch(bsClear);
  EXPECT_FALSE(any([&](int x, int y) { return clear[y][x]; }));

  auto horizontal = hatch(bsHorizontal);
  EXPECT_TRUE(any([&](int x, int y) { return horizontal[y][x]; }));
  EXPECT_FALSE(any([&](int x, int y) { return horizontal[y][x] != horizontal[y][0]; }));
  auto vertical = hatch(bsVertical);
  EXPECT_TRUE(any([&](int x, int y) { return vertical[y][x]; }));
  EXPECT_FALSE(any([&](int x, int y) { return vertical[y][x] != vertical[0][x]; }));
  // "\" runs down to the right, "/" up to the right.
  auto forward = hatch(bsFDiagonal);
  EXPECT_TRUE(any([&](int x, int y) { return forward[y][x]; }));
  EXPECT_FALSE(any([&](int x, int y) { return x < 15 && y < 15 && forward[y][x] != forward[y + 1][x + 1]; }));
  auto backward = hatch(bsBDiagonal);
  EXPECT_TRUE(any([&](int x, int y) { return backward[y][x]; }));
  EXPECT_FALSE(any([&](int x, int y) { return x < 15 && y > 0 && backward[y][x] != backward[y - 1][x + 1]; }));
  auto cross = hatch(bsCross);
  EXPECT_TRUE(any([&](int, int y) { return cross[y] == std::vector<bool>(16, true); }));
  EXPECT_TRUE(any([&](int x, int) {
    for (int y = 0; y < 16; ++y)
      if (!cross[y][x]) return false;
    return true;
  }));
  auto diagonalCross = hatch(bsDiagCross);
  EXPECT_TRUE(any([&](int x, int y) { return x < 15 && y < 15 && diagonalCross[y][x] && diagonalCross[y + 1][x + 1]; }));
  EXPECT_TRUE(any([&](int x, int y) { return x < 15 && y > 0 && diagonalCross[y][x] && diagonalCross[y - 1][x + 1]; }));
  EXPECT_FALSE(any([&](int, int y) { return diagonalCross[y] == std::vector<bool>(16, true); }));
}

TEST(BrushTest, PatternBitmapTilesTheFill) {
  TBitmap pattern(8, 8, pf32bit);
  pattern.Canvas()->Brush()->SetColor(clRed);
  pattern.Canvas()->FillRect(Rect(0, 0, 8, 8));
  pattern.Canvas()->SetPixels(0, 0, clBlue);
  Surface s(16, 16, clWhite);
  s.Canvas()->Brush()->SetBitmap(&pattern);
  s.Canvas()->FillRect(Rect(0, 0, 16, 16));
  EXPECT_EQ(s.At(0, 0), clBlue);
  EXPECT_EQ(s.At(8, 8), clBlue);
  EXPECT_EQ(s.At(3, 5), clRed);
}

TEST(FontTest, SizeAndHeightFollowPixelsPerInch) {
  TFont font;
  EXPECT_EQ(font.Name(), L"Tahoma");
  EXPECT_EQ(font.Size(), 8);
  font.SetPixelsPerInch(96);
  font.SetSize(12);
  EXPECT_EQ(font.Height(), -16);
  font.SetHeight(-20);
  EXPECT_EQ(font.Size(), 15);
}

TEST(FontTest, AdoptedHandleGivesItsProperties) {
  LOGFONTW lf{};
  lf.lfHeight = -21;
  lf.lfWeight = FW_BOLD;
  lf.lfItalic = TRUE;
  lf.lfEscapement = lf.lfOrientation = 900;
  lf.lfCharSet = DEFAULT_CHARSET;
  wcscpy(lf.lfFaceName, L"Arial");
  HFONT rotated = CreateFontIndirectW(&lf);
  TFont font;
  font.SetHandle(rotated);
  EXPECT_EQ(font.Handle(), rotated);
  EXPECT_EQ(font.Name(), L"Arial");
  EXPECT_EQ(font.Height(), -21);
  EXPECT_EQ(font.Orientation(), 900);
  EXPECT_EQ(font.Style(), (TFontStyles{fsBold, fsItalic}));
  // A change makes a new handle from the adopted properties.
  font.SetStyle({fsBold});
  EXPECT_NE(font.Handle(), rotated);
  EXPECT_EQ(font.LogFont().lfEscapement, 900);
}

TEST(FontTest, AssignSharesTheHandleAndColourKeepsIt) {
  TFont a;
  a.SetName(L"Arial");
  HFONT handle = a.Handle();
  TFont b;
  b.Assign(&a);
  EXPECT_EQ(b.Handle(), handle);
  b.SetColor(clRed);
  EXPECT_EQ(b.Handle(), handle);
  b.SetSize(20);
  EXPECT_NE(b.Handle(), handle);
  EXPECT_EQ(a.Handle(), handle);
}

TEST(CanvasTest, SelectsObjectsOnlyWhenAnOperationNeedsThem) {
  Surface s(40, 20, clWhite);
  TCanvas* canvas = s.Canvas();
  HDC dc = canvas->Handle();
  canvas->TextOut(0, 0, L"A");
  HGDIOBJ first = GetCurrentObject(dc, OBJ_FONT);
  EXPECT_EQ(first, canvas->Font()->Handle());
  // A property change alone touches no DC; the next text operation selects the new font.
  canvas->Font()->SetSize(20);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), first);
  canvas->TextOut(0, 0, L"A");
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), canvas->Font()->Handle());
  // Painting again with unchanged objects makes no new handles.
  HGDIOBJ font = canvas->Font()->Handle(), brush = canvas->Brush()->Handle(), pen = canvas->Pen()->Handle();
  for (int i = 0; i < 3; ++i) {
    canvas->Rectangle(0, 0, 10, 10);
    canvas->TextOut(0, 0, L"A");
  }
  EXPECT_EQ(canvas->Font()->Handle(), font);
  EXPECT_EQ(canvas->Brush()->Handle(), brush);
  EXPECT_EQ(canvas->Pen()->Handle(), pen);
}

TEST(CanvasTest, TextBackgroundFollowsTheBrushStyle) {
  Surface opaque(30, 20, clWhite);
  opaque.Canvas()->Brush()->SetColor(clYellow);
  opaque.Canvas()->TextOut(0, 0, L"i");
  EXPECT_EQ(opaque.At(0, 0), clYellow);

  Surface clear(30, 20, clWhite);
  clear.Canvas()->Brush()->SetStyle(bsClear);
  clear.Canvas()->TextOut(0, 0, L"i");
  EXPECT_EQ(clear.At(0, 0), clWhite);
}

TEST(CanvasTest, ShapesUsePenOutlineAndBrushFill) {
  Surface s(20, 20, clWhite);
  s.Canvas()->Pen()->SetColor(clRed);
  s.Canvas()->Brush()->SetColor(clBlue);
  s.Canvas()->Rectangle(2, 2, 12, 12);
  EXPECT_EQ(s.At(2, 2), clRed);
  EXPECT_EQ(s.At(11, 7), clRed);
  EXPECT_EQ(s.At(6, 6), clBlue);
  EXPECT_EQ(s.At(12, 12), clWhite);
  s.Canvas()->Brush()->SetColor(clLime);
  s.Canvas()->FrameRect(Rect(14, 14, 18, 18));
  EXPECT_EQ(s.At(14, 16), clLime);
  EXPECT_EQ(s.At(15, 15), clWhite);
}

TEST(CanvasTest, CopyRectStretchesWithTheCopyMode) {
  Surface source(2, 2, clRed);
  source.Canvas()->SetPixels(1, 1, clBlue);
  Surface target(8, 8, clWhite);
  target.Canvas()->CopyRect(Rect(0, 0, 4, 4), source.Canvas(), Rect(0, 0, 2, 2));
  EXPECT_EQ(target.At(0, 0), clRed);
  EXPECT_EQ(target.At(3, 3), clBlue);
  EXPECT_EQ(target.At(5, 5), clWhite);
  target.Canvas()->CopyMode = cmDstInvert;
  target.Canvas()->CopyRect(Rect(4, 4, 8, 8), source.Canvas(), Rect(0, 0, 2, 2));
  EXPECT_EQ(target.At(5, 5), clBlack);
}

TEST(CanvasTest, CanvasWithoutADeviceContextRefusesToDraw) {
  TCanvas canvas;
  EXPECT_THROW(canvas.FillRect(Rect(0, 0, 1, 1)), EInvalidOperation);
}

TEST(CanvasTest, ChangeEventsBracketEveryDrawing) {
  Surface s(4, 4, clWhite);
  std::vector<String> events;
  s.Canvas()->OnChanging = [&](TObject*) { events.push_back(L"changing"); };
  s.Canvas()->OnChange = [&](TObject*) { events.push_back(L"change"); };
  s.Canvas()->LineTo(3, 3);
  EXPECT_EQ(events, (std::vector<String>{L"changing", L"change"}));
}

}  // namespace
