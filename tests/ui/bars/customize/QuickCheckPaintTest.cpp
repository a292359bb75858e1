// The painters' check area and check of a quick-customization entry, probed on a DIB section with a
// real toolbar's button control.
#include <gtest/gtest.h>

#include "tests/support/WindowTestSupport.h"
#include "tests/ui/bars/BarTestSupport.h"
#include "ui/bars/BarControl.h"
#include "ui/bars/BarItemControls.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/Bars.h"

using namespace bar_testing;
using window_testing::DibSection;
using window_testing::ProcessMessages;

namespace {

constexpr COLORREF kPaper = RGB(0x12, 0x34, 0x56);
constexpr DWORD kPaperRgb = 0x123456;

DWORD Rgb(COLORREF c) { return (DWORD(GetRValue(c)) << 16) | (DWORD(GetGValue(c)) << 8) | GetBValue(c); }

void Fill(HDC DC, int W, int H) {
  SelectClipRgn(DC, nullptr);
  HBRUSH brush = CreateSolidBrush(kPaper);
  RECT r{0, 0, W, H};
  FillRect(DC, &r, brush);
  DeleteObject(brush);
}

class QuickCheckPaint : public BarFixture {
 protected:
  void SetUp() override {
    BarFixture::SetUp();
    form->SetBounds(100, 100, 400, 200);
    form->Show();
    manager->SetStyle(bmsFlat);
    TdxBar* bar = manager->Bars()->Add();
    bar->SetCaption(L"Bar");
    link = bar->ItemLinks()->AddItemLink(NewItem(L"Button", L"B"));
    bar->SetDockingStyle(dsTop);
    bar->SetVisible(true);
    ProcessMessages();
  }
  TdxBarItemLink* link = nullptr;
};

}  // namespace

TEST_F(QuickCheckPaint, TheCheckAreaIsTheLeftSquareOfTheEntry) {
  TdxBarItemControl* control = link->ItemControl();
  ASSERT_NE(control, nullptr);
  TdxBarPainter* painter = manager->Painter();
  ASSERT_NE(painter, nullptr);
  DibSection dib(60, 30);
  const TRect entry{0, 0, 50, 22};
  struct Case {
    bool selected;
  } cases[] = {{true}, {false}};
  for (const Case& c : cases) {
    Fill(dib.DC(), 60, 30);
    painter->DrawQuickCustomizeCheckArea(control, dib.DC(), entry, c.selected);
    if (c.selected) {
      LOGBRUSH brush{};
      ASSERT_TRUE(GetObjectW(control->BackgroundBrush(), sizeof(brush), &brush));
      EXPECT_EQ(dib.Pixel(5, 5), Rgb(brush.lbColor));
      EXPECT_EQ(dib.Pixel(21, 21), Rgb(brush.lbColor));
    } else {
      EXPECT_NE(dib.Pixel(5, 5), kPaperRgb);  // the bar's background
    }
    EXPECT_EQ(dib.Pixel(22, 5), kPaperRgb) << c.selected;  // only the square
    EXPECT_EQ(dib.Pixel(5, 22), kPaperRgb) << c.selected;
  }
}

TEST_F(QuickCheckPaint, TheCheckIsAMarkInAFrameOnlyWhenChecked) {
  TdxBarItemControl* control = link->ItemControl();
  TdxBarPainter* painter = manager->Painter();
  DibSection dib(40, 40);
  const TRect square{0, 0, 22, 22};
  Fill(dib.DC(), 40, 40);
  painter->DrawQuickCustomizeCheck(control, dib.DC(), square, false);
  for (int y = 0; y < 22; ++y) {
    for (int x = 0; x < 22; ++x) ASSERT_EQ(dib.Pixel(x, y), kPaperRgb) << x << "," << y;
  }
  painter->DrawQuickCustomizeCheck(control, dib.DC(), square, true);
  const DWORD frame = dib.Pixel(1, 11);
  EXPECT_NE(frame, kPaperRgb);
  EXPECT_EQ(dib.Pixel(20, 11), frame);
  EXPECT_EQ(dib.Pixel(11, 1), frame);
  EXPECT_EQ(dib.Pixel(0, 11), kPaperRgb);  // inset by one
  // The check glyph lies in the middle of the square.
  int marked = 0;
  for (int y = 7; y < 15; ++y) {
    for (int x = 6; x < 16; ++x) marked += dib.Pixel(x, y) != kPaperRgb;
  }
  EXPECT_GT(marked, 5);
}

