// Speed buttons (grouping, latching, painting of glyph states) and the glyph button.

#include <gtest/gtest.h>

#include "platform/framework/controls/Buttons.h"
#include "tests/support/WindowTestSupport.h"

using namespace window_testing;

namespace {

// Shows the state a descendant sees.
class TStateButton : public TSpeedButton {
 public:
  using TSpeedButton::TSpeedButton;
  TButtonState State() const { return FState; }
};

// A strip of two 8 x 8 glyphs, up in lime and disabled in blue, each with a white (transparent)
// bottom-left pixel.
void MakeGlyphs(TBitmap* glyph) {
  glyph->SetSize(16, 8);
  glyph->Canvas()->Brush()->SetColor(clLime);
  glyph->Canvas()->FillRect(TRect(0, 0, 8, 8));
  glyph->Canvas()->Brush()->SetColor(clBlue);
  glyph->Canvas()->FillRect(TRect(8, 0, 16, 8));
  glyph->Canvas()->SetPixels(0, 7, clWhite);
  glyph->Canvas()->SetPixels(8, 7, clWhite);
}

class SpeedButtons : public FormFixture {
 protected:
  TStateButton* AddButton(int left, int group) {
    auto* button = new TStateButton(form);
    button->SetBounds(left, 10, 30, 30);
    button->SetGroupIndex(group);
    button->SetParent(form);
    return button;
  }
  // A left click on the button through its parent window, as the mouse delivers it.
  void ClickOn(TControl* button, int dx = 5, int dy = 5) {
    const int x = button->Left() + dx, y = button->Top() + dy;
    SendMouse(form->Handle(), WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    SendMouse(form->Handle(), WM_LBUTTONUP, x, y);
  }
};

}  // namespace

TEST_F(SpeedButtons, GroupOfOneParentLatchesExclusively) {
  TStateButton* a = AddButton(10, 1);
  TStateButton* b = AddButton(50, 1);
  TStateButton* other = AddButton(90, 2);
  other->SetDown(true);
  form->HandleNeeded();
  std::vector<TSpeedButton*> clicks;
  for (TSpeedButton* s : {a, b}) s->OnClick = [&](TObject* sender) { clicks.push_back(static_cast<TSpeedButton*>(sender)); };

  ClickOn(a);
  EXPECT_TRUE(a->Down());
  EXPECT_EQ(a->State(), bsExclusive);
  ClickOn(b);
  EXPECT_FALSE(a->Down());
  EXPECT_EQ(a->State(), bsUp);
  EXPECT_TRUE(b->Down());
  EXPECT_TRUE(other->Down());  // another group
  ClickOn(b);                  // without AllowAllUp the down button stays down
  EXPECT_TRUE(b->Down());
  b->SetDown(false);
  EXPECT_TRUE(b->Down());

  a->SetAllowAllUp(true);  // shared by the group
  ClickOn(b);
  EXPECT_FALSE(b->Down());
  EXPECT_EQ(clicks, (std::vector<TSpeedButton*>{a, b, b, b}));
}

TEST_F(SpeedButtons, PlainButtonClicksOnlyWhenReleasedInside) {
  TStateButton* button = AddButton(10, 0);
  form->HandleNeeded();
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  button->SetDown(true);  // only grouped buttons latch
  EXPECT_FALSE(button->Down());

  SendMouse(form->Handle(), WM_LBUTTONDOWN, 15, 15, MK_LBUTTON);
  EXPECT_EQ(button->State(), bsDown);
  SendMouse(form->Handle(), WM_MOUSEMOVE, 200, 200, MK_LBUTTON);
  EXPECT_EQ(button->State(), bsUp);  // dragged off: shown up
  SendMouse(form->Handle(), WM_LBUTTONUP, 200, 200);
  EXPECT_EQ(clicks, 0);
  ClickOn(button);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(button->State(), bsUp);

  button->SetEnabled(false);
  ClickOn(button);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(button->State(), bsDisabled);
}

TEST_F(SpeedButtons, GlyphStatesPaintTheirImage) {
  TStateButton* button = AddButton(10, 0);
  MakeGlyphs(button->Glyph());
  button->SetNumGlyphs(2);
  button->SetTransparent(false);
  button->SetFlat(true);  // no frame: the background shows
  button->SetColor(clYellow);
  struct Case {
    bool enabled;
    DWORD center;
  };
  for (const Case& c : {Case{true, 0x00FF00u}, Case{false, 0x0000FFu}}) {
    button->SetEnabled(c.enabled);
    DibSection dib(60, 60);
    form->PaintTo(dib.DC(), 0, 0);
    // The glyph is centred in the 30 x 30 button at (10, 10).
    EXPECT_EQ(dib.Pixel(25, 25), c.center) << c.enabled;
    EXPECT_EQ(dib.Pixel(21, 28), 0xFFFF00u) << "transparent corner shows the background";
  }
}

TEST(ButtonLayout, GlyphAndCaptionPlacement) {
  const TRect client(0, 0, 100, 40);
  struct Case {
    TButtonLayout layout;
    int margin, spacing;
    TPoint glyph;
    LONG textLeft, textTop;
  };
  const Case cases[] = {
      {blGlyphLeft, -1, 4, {23, 12}, 43, 14},   // 16 + 4 + 34 = 54 centred in 100
      {blGlyphLeft, 5, 4, {5, 12}, 25, 14},     {blGlyphRight, 5, 4, {79, 12}, 41, 14},
      {blGlyphTop, -1, 2, {42, 5}, 33, 23},     {blGlyphBottom, 3, 2, {42, 21}, 33, 7},
  };
  for (const Case& c : cases) {
    const TButtonContentLayout at = LayoutButtonContent(client, {16, 16}, {34, 12}, c.layout, c.margin, c.spacing);
    EXPECT_EQ(at.GlyphPos, c.glyph) << c.layout << " margin " << c.margin;
    EXPECT_EQ(at.TextRect.left, c.textLeft) << c.layout << " margin " << c.margin;
    EXPECT_EQ(at.TextRect.top, c.textTop) << c.layout << " margin " << c.margin;
  }
}

TEST_F(SpeedButtons, GlyphButtonDrawsItsGlyphAndClicks) {
  auto* button = Place<TBitBtn>(10, 10, 80, 30);
  MakeGlyphs(button->Glyph());
  button->SetNumGlyphs(2);
  button->SetCaption(L"");
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  ShowForm();
  SendMessageW(button->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(GetWindowLongPtrW(button->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);

  DibSection dib(80, 30);
  button->PaintTo(dib.DC(), 0, 0);
  EXPECT_EQ(dib.Pixel(40, 15), 0x00FF00u);
}
