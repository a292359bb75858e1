// The HTML subset of hint texts, measured and drawn on a bitmap's canvas.

#include <gtest/gtest.h>

#include "platform/framework/rtl/SysUtils.h"
#include "tests/ui/skins/SkinTestSupport.h"
#include "ui/skins/controls/HintHtml.h"
#include "ui/skins/paint/DrawingRoutines.h"

using namespace skin_testing;

namespace {

class HintHtml : public testing::Test {
 protected:
  BitmapPtr bmp = FilledBmp24(400, 120, clWhite);
  void SetUp() override {
    TCanvas* canvas = bmp->Canvas();
    canvas->Font()->SetName(L"Arial");
    canvas->Font()->SetHeight(-16);
    canvas->Font()->SetColor(clBlack);
    canvas->Brush()->SetStyle(bsClear);
  }
  TRect Render(const String& text, TRect origin = TRect(0, 0, 0, 0)) {
    TsHtml html;
    html.StartText(bmp.get(), text, origin);
    TRect r = html.RenderText();
    GdiFlush();
    return r;
  }
  int Width(const String& text, TFontStyles style = {}) {
    BitmapPtr measure = FilledBmp24(1, 1, clWhite);
    measure->Canvas()->Font()->Assign(bmp->Canvas()->Font());
    measure->Canvas()->Font()->SetStyle(style);
    return measure->Canvas()->TextWidth(text);
  }
  int LineHeight() { return bmp->Canvas()->TextHeight(L"X"); }
  int Count(TRect r, TColor color) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += Pixel24(bmp.get(), x, y) == color;
    return n;
  }
};

TEST_F(HintHtml, TextsAreMeasuredRunByRun) {
  const int h = LineHeight();
  const struct {
    const wchar_t* Text;
    int Width;
    int Height;
  } cases[] = {
      // One line however long: no wrapping of its own.
      {L"A hint text without any tags that runs far wider than any hint window", 0, h},
      {L"a<<b", Width(L"a<b"), h},
      {L"x<b>y</B>z", Width(L"x") + Width(L"y", {fsBold}) + Width(L"z"), h},
      {L"</font>x", Width(L"x"), h},                  // a closing tag with nothing to close
      {L"ab<b cd", Width(L"ab"), h},                  // no ">": the rest is not drawn
      {L"<font size=abc>x</font>", Width(L"x"), h},  // a size that is no number is ignored
      {L"Line<br><br>Next", std::max(Width(L"Line"), Width(L"Next")), h + 2 + 2 + h},
      {L"<p>x", Width(L"x"), 2 + h},
  };
  for (const auto& c : cases) {
    SetUp();
    TRect r = Render(c.Text);
    const int width = c.Width ? c.Width : Width(c.Text);
    EXPECT_EQ(r, TRect(0, 0, width, c.Height)) << Narrow(c.Text);
    EXPECT_EQ(bmp->Canvas()->Font()->Style(), TFontStyles{}) << Narrow(c.Text);
  }
}

TEST_F(HintHtml, TheSecondBreakAdvancesByTwoPixels) {
  TsHtml html;
  html.StartText(bmp.get(), L"Line<br><br>X", TRect(5, 7, 0, 0));
  html.RenderText();
  GdiFlush();
  const int h = LineHeight();
  // "X" starts at the origin's left, h + 2 + 2 below the origin's top.
  const int top = 7 + h + 4;
  EXPECT_GT(Count(TRect(5, top, 5 + Width(L"X"), top + h), clBlack), 0);
  EXPECT_EQ(Count(TRect(5, top - 3, 5 + Width(L"X"), top), clBlack), 0);
}

TEST_F(HintHtml, AFontTagColoursItsRunAndItsCloseRestoresTheColourBefore) {
  TRect r = Render(L"<FONT COLOR=#FF0000>WW</font>WW<font color=blue>W</font>");
  const int w = Width(L"WW");
  EXPECT_GT(Count(TRect(0, 0, w, r.bottom), TColor(RGB(255, 0, 0))), 10);
  EXPECT_EQ(Count(TRect(w, 0, 2 * w, r.bottom), TColor(RGB(255, 0, 0))), 0);
  EXPECT_GT(Count(TRect(w, 0, 2 * w, r.bottom), clBlack), 10);
  EXPECT_GT(Count(TRect(2 * w, 0, r.right, r.bottom), TColor(RGB(0, 0, 255))), 5);
  EXPECT_EQ(bmp->Canvas()->Font()->Color(), clBlack);
}

TEST_F(HintHtml, FontAttributesChangeSizeAndFace) {
  const int plain = Width(L"W");
  Render(L"<font size=+6 face=\"Courier New\">");
  EXPECT_EQ(bmp->Canvas()->Font()->Size(), 12 + 6);
  EXPECT_EQ(UpperCase(bmp->Canvas()->Font()->Name()), L"COURIER NEW");
  EXPECT_GT(Width(L"W"), plain);
  const struct {
    const wchar_t* Value;
    TColor Color;
  } colors[] = {{L"#00FF80", TColor(RGB(0, 255, 128))}, {L"TEAL", TColor(RGB(0, 128, 128))},
                {L"0000FFH", TColor(RGB(0, 0, 255))},    {L"12G456", TColor(0)}};
  for (const auto& c : colors) EXPECT_EQ(HtmlColorValue(c.Value), c.Color) << Narrow(c.Value);
}

}  // namespace
