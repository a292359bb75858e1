// The ribbon's painters by pixel probes on 32-bit DIB sections: the application button's glyph,
// the tab scroll buttons' arrows and, for each colour scheme, the painted ribbon's groups area and
// active tab.

#include <gtest/gtest.h>

#include "platform/framework/rtl/Seams.h"
#include "platform/framework/windows/Forms.h"
#include "platform/framework/windows/ThemeState.h"
#include "tests/support/FakeThemeApi.h"
#include "tests/ui/ribbon/RibbonTestSupport.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/Bars.h"
#include "ui/ribbon/ApplicationButton.h"
#include "ui/ribbon/Ribbon.h"
#include "ui/ribbon/RibbonPainters.h"
#include "ui/ribbon/RibbonSkins.h"
#include "ui/ribbon/RibbonViewInfo.h"

// After the framework's Windows headers.
#include <uxtheme.h>

using ribbon_testing::DibSection;
using ribbon_testing::FillDib;
using ribbon_testing::NearPixel;

namespace {

constexpr TColor kMarker = 0x00FF00;  // green, in no skin picture

// A canvas over a DIB section for the length of a test step.
class DibCanvas {
 public:
  explicit DibCanvas(const DibSection& Dib) : cx_(&canvas_) { canvas_.SetHandle(Dib.DC()); }
  ~DibCanvas() { canvas_.SetHandle(nullptr); }
  TcxCanvas* operator->() { return &cx_; }
  TcxCanvas* Get() { return &cx_; }

 private:
  TCanvas canvas_;
  TcxCanvas cx_;
};

// A bitmap of one colour (alpha 255 when 32-bit), with a square of another colour in the middle.
TBitmap* NewGlyph(int Side, TPixelFormat Format, TColor Fill, TColor Middle, int MiddleSide) {
  auto* glyph = new TBitmap(Side, Side, Format);
  HDC dc = glyph->Canvas()->Handle();
  HBRUSH fill = CreateSolidBrush(ColorToRGB(Fill)), middle = CreateSolidBrush(ColorToRGB(Middle));
  const RECT all{0, 0, Side, Side};
  const int m = (Side - MiddleSide) / 2;
  const RECT centre{m, m, m + MiddleSide, m + MiddleSide};
  FillRect(dc, &all, fill);
  FillRect(dc, &centre, middle);
  DeleteObject(fill);
  DeleteObject(middle);
  if (Format == pf32bit) {
    // GDI leaves the alpha bytes at 0: make the glyph opaque.
    BITMAP info{};
    GetObjectW(glyph->Handle(), sizeof(info), &info);
    auto* bits = static_cast<DWORD*>(info.bmBits);
    for (int i = 0; bits && i < Side * Side; ++i) bits[i] |= 0xFF000000u;
  }
  return glyph;
}

class RibbonPainters : public ribbon_testing::RibbonFixture {
 protected:
  void SetUp() override {
    RibbonFixture::SetUp();
    form = new TForm(nullptr, 0);
    form->SetBounds(0, 0, 800, 500);
    manager = new TdxBarManager(form);
    ribbon = new TdxRibbon(form);
    ribbon->SetParent(form);
    ribbon->SetBarManager(manager);
    ribbon->SetColorSchemeName(L"Blue");
  }
  void TearDown() override {
    FreeAndNil(form);
    RibbonFixture::TearDown();
  }
  TForm* form = nullptr;
  TdxBarManager* manager = nullptr;
  TdxRibbon* ribbon = nullptr;
};

TEST_F(RibbonPainters, AStretchedGlyphFillsTheButtonNinePixelsInAndACentredOneKeepsItsSize) {
  const TRect button{0, 0, 42, 42};
  struct Case {
    bool stretch;
    int first, last;  // the glyph's first and last columns (and rows), moved up and left by one
  } cases[] = {{true, 8, 31}, {false, 10, 29}};
  std::unique_ptr<TBitmap> glyph(NewGlyph(20, pf32bit, clRed, clRed, 0));
  ribbon->ApplicationButton()->SetGlyph(glyph.get());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stretch ? "stretched" : "centred");
    ribbon->ApplicationButton()->SetStretchGlyph(c.stretch);
    DibSection dib(42, 42);
    FillDib(dib, 42, 42, kMarker);
    DibCanvas canvas(dib);
    ribbon->Painter()->DrawApplicationButton(canvas.Get(), button, 0);
    EXPECT_TRUE(NearPixel(dib.Pixel(c.first, c.first), clRed, 0));
    EXPECT_TRUE(NearPixel(dib.Pixel(c.last, c.last), clRed, 0));
    EXPECT_FALSE(NearPixel(dib.Pixel(c.first - 1, 20), clRed, 40));
    EXPECT_FALSE(NearPixel(dib.Pixel(c.last + 1, 20), clRed, 40));
  }
}

TEST_F(RibbonPainters, AGlyphOfAnotherDepthLeavesItsTransparentColourOut) {
  // Fuchsia all round (the bottom-left pixel, the transparent colour) and blue in the middle.
  std::unique_ptr<TBitmap> glyph(NewGlyph(10, pf24bit, clFuchsia, clBlue, 4));
  ribbon->ApplicationButton()->SetGlyph(glyph.get());
  EXPECT_EQ(ribbon->ApplicationButton()->Glyph()->PixelFormat(), pf32bit);
  ribbon->ApplicationButton()->SetStretchGlyph(false);
  DibSection dib(42, 42), plain(42, 42);
  DibCanvas canvas(dib), plainCanvas(plain);
  ribbon->Painter()->DrawApplicationButton(canvas.Get(), TRect{0, 0, 42, 42}, 0);
  ribbon->ColorScheme()->DrawApplicationButton(plain.DC(), TRect{0, 0, 42, 42}, 0);
  // The glyph stands at 15..24: its middle is blue, its corners show the button beneath.
  EXPECT_TRUE(NearPixel(dib.Pixel(20, 20), clBlue, 0));
  EXPECT_EQ(dib.Pixel(15, 15), plain.Pixel(15, 15));
  EXPECT_EQ(dib.Pixel(24, 24), plain.Pixel(24, 24));
}

TEST_F(RibbonPainters, WithoutAGlyphTheFormsIconStandsNinePixelsInside) {
  DibSection dib(42, 42), plain(42, 42);
  DibCanvas canvas(dib);
  ribbon->Painter()->DrawApplicationButton(canvas.Get(), TRect{0, 0, 42, 42}, 1);
  ribbon->ColorScheme()->DrawApplicationButton(plain.DC(), TRect{0, 0, 42, 42}, 1);
  bool changedInside = false;
  for (int y = 0; y < 42; ++y)
    for (int x = 0; x < 42; ++x) {
      const bool inside = x >= 9 && x < 33 && y >= 9 && y < 33;
      if (inside)
        changedInside |= dib.Pixel(x, y) != plain.Pixel(x, y);
      else
        ASSERT_EQ(dib.Pixel(x, y), plain.Pixel(x, y)) << x << ", " << y;
    }
  EXPECT_TRUE(changedInside) << "the icon is drawn";
}

TEST_F(RibbonPainters, TabScrollButtonsAlwaysShowAnArrowPointingOutward) {
  for (int side : {0, 1}) {
    SCOPED_TRACE(side == 0 ? "right-hand button" : "left-hand button");
    DibSection dib(13, 24);
    FillDib(dib, 13, 24, kMarker);
    DibCanvas canvas(dib);
    ribbon->Painter()->DrawTabScrollButton(canvas.Get(), TRect{0, 0, 13, 24}, false, false, side);
    const TColor arrow = ribbon->ColorScheme()->PartColorOf(10132, 0);
    // The arrow is centred in the button less 2 at the sides and 4 at the bottom; its broad end
    // faces inward, its point outward.
    int left = 0, right = 0;
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 13; ++x)
        if (NearPixel(dib.Pixel(x, y), arrow, 8)) (x < 6 ? left : right) += 1;
    EXPECT_GT(left + right, 3);
    if (side == 0)
      EXPECT_GT(left, right);
    else
      EXPECT_GT(right, left);
  }
}

TEST_F(RibbonPainters, EachSchemePaintsItsBodyInTheGroupsAreaAndTheActiveTabJoinsIt) {
  TdxRibbonTab* home = ribbon->Tabs()->Add();
  home->SetCaption(L"Home");
  ribbon->Tabs()->Add()->SetCaption(L"Edit");
  for (const wchar_t* scheme : {L"Blue", L"Black", L"Silver"}) {
    SCOPED_TRACE(testing::Message() << "scheme " << scheme);
    ribbon->SetColorSchemeName(scheme);
    TdxRibbonViewInfo* info = ribbon->ViewInfo();
    info->ComputeLayout(TRect{0, 0, 700, 200});
    ASSERT_TRUE(info->AreGroupsShown());
    DibSection dib(700, 200);
    FillDib(dib, 700, 200, kMarker);
    DibCanvas canvas(dib);
    info->Paint(canvas.Get());
    const TColor body = ribbon->ColorScheme()->PartColorOf(10065, 0);
    const TRect groups = info->GroupsAreaBounds();
    EXPECT_TRUE(NearPixel(dib.Pixel(groups.left + groups.Width() / 2, groups.top + groups.Height() / 2), body));
    const TRect tab = info->Tabs()->Find(home)->Bounds;
    EXPECT_TRUE(NearPixel(dib.Pixel(tab.left + tab.Width() / 2, tab.bottom - 1), body)) << "the active tab opens";
    EXPECT_TRUE(NearPixel(dib.Pixel(tab.left + tab.Width() / 2, tab.bottom - 3), body));
  }
}

TEST_F(RibbonPainters, GlowTextGoesThroughTheThemeTextRoutineAndIsPlainTextWithoutIt) {
  TFont font;
  font.SetName(L"Tahoma");
  font.SetHeight(-13);
  const TRect r{10, 5, 70, 25};
  const UINT flags = DT_SINGLELINE | DT_VCENTER | DT_CENTER;
  auto redOutside = [&](const DibSection& dib) {
    int count = 0;
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 80; ++x)
        if (!r.Contains(TPoint{x, y}) && dib.Pixel(x, y) == 0xFF0000u) ++count;
    return count;
  };
  {
    theme_testing::FakeThemeApi fake;
    fake.AddClass(L"Window");
    SendMessageW(ThemeState().Window(), WM_THEMECHANGED, 0, 0);
    fake.Calls.clear();
    DibSection dib(80, 30);
    FillDib(dib, 80, 30, kMarker);
    TdxRibbonPainter::DrawGlowText(dib.DC(), L"Doc", flags, clRed, r, font.Handle());
    ASSERT_EQ(fake.Calls.size(), 1u);
    EXPECT_EQ(fake.Calls[0], (theme_testing::ThemeCall{L"glow text", L"WINDOW", 0, 0, {0, 0, 60, 20}, L"Doc"}))
        << "drawn on a bitmap of the rectangle's size";
    EXPECT_EQ(fake.TextExOptions, DWORD(DTT_TEXTCOLOR | DTT_GLOWSIZE | DTT_COMPOSITED));
    EXPECT_EQ(fake.TextExColor, COLORREF(0x0000FF));
    EXPECT_EQ(fake.TextExGlowSize, 10);
    EXPECT_EQ(dib.Pixel(10, 5), 0xFF0000u);
    EXPECT_EQ(dib.Pixel(69, 24), 0xFF0000u);
    EXPECT_EQ(redOutside(dib), 0) << "the bitmap lands on the rectangle";
    // Without the routine the text is plain, in the colour, inside the rectangle.
    Bound().DrawThemeTextEx.Set(nullptr);
    FillDib(dib, 80, 30, kMarker);
    TdxRibbonPainter::DrawGlowText(dib.DC(), L"Doc", flags, clRed, r, font.Handle());
    EXPECT_EQ(fake.Calls.size(), 1u);
    EXPECT_NE(dib.Pixel(10, 5), 0xFF0000u);
    bool text = false;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) text |= dib.Pixel(x, y) == 0xFF0000u;
    EXPECT_TRUE(text);
    EXPECT_EQ(redOutside(dib), 0);
  }
  SendMessageW(ThemeState().Window(), WM_THEMECHANGED, 0, 0);
}

}  // namespace
