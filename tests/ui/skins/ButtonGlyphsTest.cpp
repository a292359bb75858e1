// Button glyphs and face layout: glyph and caption placement (the layout routine and the speed
// button's glyph and caption rectangles), the frame a glyph sheet shows, blended and grayed glyphs,
// the two-frame glyph made from an image list, and the built-in glyph sheets.

#include <gtest/gtest.h>

#include <memory>

#include "ui/skins/controls/SkinSpeedButton.h"
#include "ui/skins/paint/ButtonGlyphs.h"
#include "ui/skins/paint/DrawingRoutines.h"
#include "tests/ui/skins/SkinTestSupport.h"

using namespace skin_testing;

namespace {

std::vector<int> Box(const TRect& r) { return {int(r.left), int(r.top), int(r.right), int(r.bottom)}; }

TEST(ButtonLayout, GlyphAndCaptionInAClientRectangle) {
  struct Case {
    TButtonLayout Layout;
    TAlignment Alignment;
    int Margin, Spacing;
    UINT BiDi;
    int GlyphX, GlyphY, TextX, TextY;
  };
  // Client 100 x 30 at (5, 2), glyph 16 x 16, text 40 x 13.
  const Case cases[] = {
      {blGlyphLeft, taLeftJustify, -1, -1, 0, 14, 7, 44, 9},    // margin = spacing = (100 - 56) div 3
      {blGlyphLeft, taLeftJustify, 4, 2, 0, 4, 7, 22, 9},
      {blGlyphLeft, taRightJustify, 4, 2, 0, 38, 7, 56, 9},
      {blGlyphLeft, taCenter, 4, 2, 0, 21, 7, 39, 9},           // (100 - 40 - 2 - 16) div 2
      {blGlyphLeft, taCenter, 4, -1, 0, 12, 7, 48, 9},          // spacing (100 - 20 - 40) div 2 = 20
      {blGlyphRight, taLeftJustify, 4, 2, 0, 46, 7, 4, 9},
      {blGlyphRight, taRightJustify, 4, 2, 0, 80, 7, 38, 9},
      {blGlyphRight, taCenter, 4, 2, 0, 63, 7, 21, 9},
      {blGlyphLeft, taLeftJustify, 4, 2, DT_RIGHT, 46, 7, 4, 9},  // right-to-left swaps the sides
      {blGlyphTop, taCenter, -1, 1, 0, 42, 0, 30, 17},          // (30 - 16 - 1 - 13) div 2 = 0
      {blGlyphBottom, taCenter, -1, 1, 0, 42, 14, 30, 0},       // e = 0: glyph at 30 - 16
      {blGlyphTop, taLeftJustify, 7, 1, 0, 42, 0, 30, 17},      // margin does not move it
  };
  for (const Case& c : cases) {
    TRect text;
    TPoint glyph;
    CalcButtonLayout(TRect(5, 2, 105, 32), TPoint(16, 16), TPoint(40, 13), c.BiDi, text, glyph, c.Margin, c.Spacing,
                     c.Alignment, c.Layout);
    std::vector<int> got{int(glyph.x), int(glyph.y), int(text.left), int(text.top), int(text.right - text.left)};
    std::vector<int> want{c.GlyphX + 5, c.GlyphY + 2, c.TextX + 5, c.TextY + 2, 40};
    EXPECT_EQ(got, want) << "layout " << c.Layout << " alignment " << c.Alignment << " margin " << c.Margin
                         << " spacing " << c.Spacing;
  }
}

TEST(ButtonLayout, SpeedButtonGlyphAndCaptionRectangles) {
  // 100 x 30, glyph 16 x 16, caption 40 x 13, Margin 0 (glyph margin 3), spacing 4.
  TacButtonFaceLayout base;
  base.Width = 100;
  base.Height = 30;
  base.GlyphWidth = 16;
  base.GlyphHeight = 16;
  base.Margin = 0;
  base.GlyphMargin = 3;
  base.Spacing = 4;
  base.Text = TSize(40, 13);
  base.CaptionEmpty = false;
  struct Case {
    TButtonLayout Layout;
    TAlignment Alignment;
    int DropZone, State;
    std::vector<int> Glyph, Caption;
  };
  // FreeW = (100 - AW - 16 - 4 - 40) div 2 - 3: 17 without the zone, 9 with it; FreeH = -3 div 2 - 3 = -4.
  const Case cases[] = {
      {blGlyphLeft, taLeftJustify, 0, 0, {3, 7, 19, 23}, {19, 8, 65, 22}},
      {blGlyphLeft, taCenter, 0, 0, {20, 7, 36, 23}, {39, 8, 82, 22}},
      {blGlyphLeft, taRightJustify, 0, 0, {37, 7, 53, 23}, {56, 8, 99, 22}},
      {blGlyphRight, taLeftJustify, 0, 0, {43, 7, 59, 23}, {2, 8, 45, 22}},
      {blGlyphRight, taCenter, 0, 0, {64, 7, 80, 23}, {19, 8, 62, 22}},
      {blGlyphRight, taRightJustify, 0, 0, {81, 7, 97, 23}, {36, 8, 79, 22}},
      {blGlyphTop, taCenter, 0, 0, {43, -1, 59, 15}, {29, 19, 72, 31}},
      {blGlyphBottom, taCenter, 0, 0, {43, 15, 59, 31}, {29, -1, 72, 11}},
      {blGlyphLeft, taCenter, 16, 0, {12, 7, 28, 23}, {31, 8, 74, 22}},
      {blGlyphLeft, taCenter, 0, 2, {21, 8, 37, 24}, {40, 9, 83, 23}},  // pressed: one pixel right and down
  };
  for (const Case& c : cases) {
    TacButtonFaceLayout f = base;
    f.Layout = c.Layout;
    f.Alignment = c.Alignment;
    f.DropZone = c.DropZone;
    f.FaceState = c.State;
    EXPECT_EQ(Box(FaceGlyphBounds(f)), c.Glyph) << "layout " << c.Layout << " alignment " << c.Alignment << " zone "
                                                << c.DropZone << " state " << c.State;
    EXPECT_EQ(Box(FaceCaptionBounds(f)), c.Caption) << "layout " << c.Layout << " alignment " << c.Alignment
                                                    << " zone " << c.DropZone << " state " << c.State;
  }
}

TEST(ButtonGlyph, ASheetShowsTheFrameOfTheState) {
  struct Case {
    int Frames;
    bool Enabled;
    int State;
    bool Down;
    int Frame;
  };
  const Case cases[] = {
      {4, true, 2, false, 2}, {4, true, 2, true, 3}, {4, true, 1, false, 0}, {5, true, 1, false, 4},
      {4, false, 0, false, 1}, {2, true, 2, false, 0}, {3, true, 2, true, 2},
  };
  for (const Case& c : cases)
    EXPECT_EQ(GlyphFrameIndex(c.Frames, c.Enabled, c.State, c.Down), c.Frame)
        << c.Frames << " frames, enabled " << c.Enabled << " state " << c.State << " down " << c.Down;
  // A four-frame sheet of 4 x 4 frames: frame k is filled with ink[k]; the bottom-left pixel of each
  // frame is fuchsia but frame 1's, which is dark: an enabled frame's key is its own bottom-left
  // pixel, the disabled frame's key the sheet's.
  const TColor ink[4] = {0x0000C0, 0x00C000, 0xC00000, 0xC0C000}, dark = 0x111111;
  BitmapPtr sheet = FilledBmp24(16, 4, 0);
  for (int k = 0; k < 4; ++k) {
    FillDC(sheet->Canvas()->Handle(), TRect(4 * k, 0, 4 * k + 4, 4), ink[k]);
    FillDC(sheet->Canvas()->Handle(), TRect(4 * k, 3, 4 * k + 1, 4), k == 1 ? dark : clFuchsia);
  }
  GdiFlush();
  struct Draw {
    bool Enabled;
    int State;
    TColor Middle, Key;
  };
  const TColor face = 0x808080;
  for (const Draw& d : {Draw{true, 2, ink[2], face}, Draw{true, 1, ink[0], face}, Draw{false, 0, ink[1], dark}}) {
    BitmapPtr dst = FilledBmp24(8, 8, face);
    DrawBtnGlyph(sheet.get(), dst.get(), TRect(2, 2, 6, 6), 4, d.Enabled, false, {dgBlended}, d.State, 0, false);
    EXPECT_EQ(Pixel24(dst.get(), 3, 3), d.Middle) << "enabled " << d.Enabled << " state " << d.State;
    EXPECT_EQ(Pixel24(dst.get(), 2, 5), d.Key) << "bottom-left pixel, enabled " << d.Enabled << " state " << d.State;
  }
}

TEST(ButtonGlyph, BlendKeepsThatShareOfTheFaceInTheNormalStateOnly) {
  BitmapPtr glyph = FilledBmp24(4, 4, 0x000000);
  FillDC(glyph->Canvas()->Handle(), TRect(0, 3, 1, 4), clFuchsia);
  GdiFlush();
  const TColor face = 0xC8C8C8;  // 200
  for (int state : {0, 1}) {
    BitmapPtr dst = FilledBmp24(6, 6, face);
    DrawBtnGlyph(glyph.get(), dst.get(), TRect(1, 1, 5, 5), 1, true, false, {dgBlended}, state, 40, false);
    int expected = state == 0 ? 80 : 0;  // 200 x 0.4 + 0 x 0.6
    EXPECT_EQ(int(Pixel24(dst.get(), 2, 2) & 0xFF), expected) << "state " << state;
    EXPECT_EQ(Pixel24(dst.get(), 1, 4), face) << "the key pixel keeps the face, state " << state;
  }
}

TEST(ButtonGlyph, ImageListGlyphGetsAGrayedDisabledFrame) {
  TCustomImageList images(nullptr, 4, 4);
  images.SetBkColor(clFuchsia);
  BitmapPtr image = FilledBmp24(4, 4, 0x0000FF);  // red, the bottom-left pixel transparent
  FillDC(image->Canvas()->Handle(), TRect(0, 3, 1, 4), clFuchsia);
  GdiFlush();
  images.Add(image.get(), nullptr);
  BitmapPtr glyph(new TBitmap());
  int count = 1;
  MakeGlyphFromImages(nullptr, nullptr, 0, count, {dgGrayed}, glyph.get(), &images);
  EXPECT_EQ(count, 2);
  ASSERT_EQ(glyph->Width(), 8);
  EXPECT_TRUE(glyph->Transparent());
  glyph->SetPixelFormat(pf24bit);
  EXPECT_EQ(Pixel24(glyph.get(), 1, 1), 0x0000FF) << "first frame: the image";
  EXPECT_EQ(Pixel24(glyph.get(), 5, 1), 0x555555) << "second frame: (255 + 0 + 0) div 3 in every channel";
  EXPECT_EQ(Pixel24(glyph.get(), 4, 3), clFuchsia) << "second frame's bottom-left pixel";
}

TEST(ButtonGlyph, TheFiveSheetsLoadAtTheirSizes) {
  ASSERT_EQ(LoadGlyphSheets(GetModuleHandleW(nullptr)), kGlyphSheetCount);
  const int widths[kGlyphSheetCount] = {60, 60, 48, 54, 57};
  for (int i = 0; i < kGlyphSheetCount; ++i) {
    TBitmap* sheet = GlyphSheetBitmap(TacGlyphSheet(i));
    ASSERT_NE(sheet, nullptr) << GlyphSheetName(TacGlyphSheet(i));
    EXPECT_EQ(sheet->Width(), widths[i]) << GlyphSheetName(TacGlyphSheet(i));
    EXPECT_EQ(sheet->Height(), 34) << GlyphSheetName(TacGlyphSheet(i));
  }
  // A module without them loads none and leaves nothing behind.
  EXPECT_EQ(LoadGlyphSheets(GetModuleHandleW(L"kernel32.dll")), 0);
  EXPECT_EQ(GlyphSheetBitmap(gsFolderArrow), nullptr);
  FreeGlyphSheets();
}

}  // namespace
