// Panel, bevel, image and radio group, checked through what they paint and how they lay out.

#include <gtest/gtest.h>

#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/controls/ExtCtrls.h"
#include "tests/support/WindowTestSupport.h"

using namespace window_testing;

namespace {

DWORD Rgb(TColor color) {
  const COLORREF c = static_cast<COLORREF>(ColorToRGB(color));
  return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

class ExtControls : public FormFixture {};

}  // namespace

TEST_F(ExtControls, PanelPaintsBevelsAroundItsColourAndPlacesChildrenInside) {
  auto* panel = Place<TPanel>(0, 0, 100, 60);
  panel->SetColor(clRed);
  panel->SetBevelOuter(bvRaised);
  panel->SetBevelInner(bvLowered);
  panel->SetBevelWidth(2);
  panel->SetBorderWidth(3);
  auto* child = new TPanel(form);
  child->SetParent(panel);
  child->SetAlign(alClient);
  EXPECT_EQ(child->BoundsRect(), TRect(7, 7, 93, 53));

  child->SetVisible(false);
  DibSection dib(100, 60);
  panel->PaintTo(dib.DC(), 0, 0);
  EXPECT_EQ(dib.Pixel(0, 0), Rgb(clBtnHighlight));     // raised outer bevel: light top-left
  EXPECT_EQ(dib.Pixel(99, 59), Rgb(clBtnShadow));      // ... dark bottom-right
  EXPECT_EQ(dib.Pixel(3, 30), Rgb(clRed));             // the border in the panel's colour
  EXPECT_EQ(dib.Pixel(5, 30), Rgb(clBtnShadow));       // lowered inner bevel: dark left
  EXPECT_EQ(dib.Pixel(50, 30), Rgb(clRed));
}

TEST_F(ExtControls, PanelCaptionIsDrawnInTheFontColour) {
  auto* panel = Place<TPanel>(0, 0, 120, 40);
  panel->SetColor(clWhite);
  panel->Font()->SetColor(clBlue);
  panel->Font()->SetSize(14);
  panel->SetCaption(L"WWW");
  DibSection dib(120, 40);
  panel->PaintTo(dib.DC(), 0, 0);
  int blue = 0;
  for (int x = 0; x < 120; ++x) blue += dib.Pixel(x, 20) == 0x0000FF;
  EXPECT_GT(blue, 0);
}

TEST_F(ExtControls, BevelLinesTakeTheirEdge) {
  struct Case {
    TBevelShape shape;
    TBevelStyle style;
    int x, y;
    TColor expected;
  };
  const Case cases[] = {
      {bsTopLine, bsLowered, 10, 0, clBtnShadow},     {bsTopLine, bsLowered, 10, 1, clBtnHighlight},
      {bsTopLine, bsRaised, 10, 0, clBtnHighlight},   {bsBottomLine, bsLowered, 10, 19, clBtnHighlight},
      {bsLeftLine, bsLowered, 0, 10, clBtnShadow},    {bsRightLine, bsRaised, 39, 10, clBtnShadow},
      {bsBox, bsLowered, 39, 19, clBtnHighlight},     {bsTopLine, bsLowered, 10, 10, clYellow},
  };
  form->SetColor(clYellow);
  auto* bevel = Place<TBevel>(0, 0, 40, 20);
  for (const Case& c : cases) {
    bevel->SetShape(c.shape);
    bevel->SetStyle(c.style);
    DibSection dib(40, 20);
    form->PaintTo(dib.DC(), 0, 0);
    EXPECT_EQ(dib.Pixel(c.x, c.y), Rgb(c.expected)) << c.shape << " " << c.style << " at " << c.x << "," << c.y;
  }
}

TEST_F(ExtControls, ImagePlacesItsPicture) {
  auto* image = Place<TImage>(0, 0, 100, 50);
  TBitmap bitmap;
  bitmap.SetSize(20, 10);
  bitmap.Canvas()->Brush()->SetColor(clLime);
  bitmap.Canvas()->FillRect(TRect(0, 0, 20, 10));
  image->Picture()->SetBitmap(&bitmap);

  struct Case {
    bool stretch, center, proportional;
    TRect expected;
  };
  const Case cases[] = {
      {false, false, false, TRect(0, 0, 20, 10)},  {false, true, false, TRect(40, 20, 60, 30)},
      {true, false, false, TRect(0, 0, 100, 50)},  {true, false, true, TRect(0, 0, 100, 50)},
  };
  for (const Case& c : cases) {
    image->SetStretch(c.stretch);
    image->SetCenter(c.center);
    image->SetProportional(c.proportional);
    EXPECT_EQ(image->DestRect(), c.expected) << c.stretch << c.center << c.proportional;
  }
  image->SetBounds(0, 0, 100, 100);
  EXPECT_EQ(image->DestRect(), TRect(0, 0, 100, 50));  // proportional keeps the 2:1 shape

  image->SetStretch(false);
  image->SetCenter(true);
  form->SetColor(clBlack);
  DibSection dib(100, 100);
  form->PaintTo(dib.DC(), 0, 0);
  EXPECT_EQ(dib.Pixel(50, 50), 0x00FF00u);
  EXPECT_EQ(dib.Pixel(5, 5), 0u);

  image->SetAutoSize(true);
  bitmap.SetSize(30, 40);
  image->Picture()->SetBitmap(&bitmap);
  EXPECT_EQ(image->Width(), 30);
  EXPECT_EQ(image->Height(), 40);
}

TEST_F(ExtControls, RadioGroupChoosesOneItem) {
  auto* group = Place<TRadioGroup>(10, 10, 200, 120);
  group->SetColumns(2);
  for (const wchar_t* s : {L"8 bit", L"16 bit", L"24 bit", L"32 bit"}) group->Items()->Add(s);
  std::vector<int> clicks;
  group->OnClick = [&](TObject*) { clicks.push_back(group->ItemIndex()); };
  ASSERT_EQ(group->Buttons(3)->Caption(), L"32 bit");
  EXPECT_GT(group->Buttons(2)->Left(), group->Buttons(0)->Left());  // second column

  group->SetItemIndex(1);
  SendMessageW(group->Buttons(3)->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(group->ItemIndex(), 3);
  EXPECT_FALSE(group->Buttons(1)->Checked());
  group->SetItemIndex(9);
  EXPECT_EQ(group->ItemIndex(), -1);
  EXPECT_FALSE(group->Buttons(3)->Checked());
  EXPECT_EQ(clicks, (std::vector<int>{1, 3}));

  group->SetItemIndex(2);
  group->Items()->Delete(3);
  EXPECT_EQ(group->ItemIndex(), 2);
  EXPECT_TRUE(group->Buttons(2)->Checked());
}
