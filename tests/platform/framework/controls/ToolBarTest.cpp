// The painted tool bar: layout of its buttons, check groups, images and clicks.

#include <gtest/gtest.h>

#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/controls/ToolBar.h"
#include "tests/support/WindowTestSupport.h"

using namespace window_testing;

namespace {

class ToolBars : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    bar = new TToolBar(form);
    bar->SetParent(form);
  }
  TToolButton* Add(TToolButtonStyle style, bool grouped = false) {
    auto* button = new TToolButton(form);
    button->SetStyle(style);
    button->SetGrouped(grouped);
    button->SetParent(bar);
    return button;
  }
  void ClickOn(TToolButton* button) {
    const int x = button->Left() + 5, y = button->Top() + 5;
    SendMouse(bar->Handle(), WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    SendMouse(bar->Handle(), WM_LBUTTONUP, x, y);
  }
  TToolBar* bar = nullptr;
};

}  // namespace

TEST_F(ToolBars, ButtonsAndSeparatorsFollowEachOther) {
  bar->SetButtonWidth(30);
  TToolButton* first = Add(tbsButton);
  TToolButton* gap = Add(tbsSeparator);
  TToolButton* second = Add(tbsButton);
  EXPECT_EQ((std::vector<int>{first->Left(), gap->Left(), second->Left()}), (std::vector<int>{0, 30, 38}));
  gap->SetVisible(false);
  bar->Realign();
  EXPECT_EQ(second->Left(), 30);
  EXPECT_EQ(bar->ButtonCount(), 3);
  EXPECT_EQ(bar->Buttons(2), second);
  EXPECT_EQ(bar->Align(), alTop);
  EXPECT_EQ(bar->Width(), form->ClientWidth());
}

TEST_F(ToolBars, GroupedCheckButtonsLatchExclusively) {
  TToolButton* a = Add(tbsCheck, true);
  TToolButton* b = Add(tbsCheck, true);
  Add(tbsSeparator);
  TToolButton* lone = Add(tbsCheck);
  TToolButton* plain = Add(tbsButton);
  bar->HandleNeeded();
  std::vector<TToolButton*> clicks;
  for (TToolButton* t : {a, b, lone, plain}) t->OnClick = [&](TObject* s) { clicks.push_back(static_cast<TToolButton*>(s)); };

  ClickOn(a);
  ClickOn(lone);
  ClickOn(b);
  EXPECT_FALSE(a->Down());
  EXPECT_TRUE(b->Down());
  EXPECT_TRUE(lone->Down());  // the separator ends the group
  ClickOn(b);                 // a grouped button without AllowAllUp stays down
  EXPECT_TRUE(b->Down());
  ClickOn(lone);
  EXPECT_FALSE(lone->Down());
  ClickOn(plain);
  EXPECT_FALSE(plain->Down());
  EXPECT_EQ(clicks, (std::vector<TToolButton*>{a, lone, b, b, lone, plain}));
}

TEST_F(ToolBars, ButtonsDrawTheirImageFromTheBarsList) {
  auto* images = new TImageList(form, 16, 16);
  TBitmap picture;
  picture.SetSize(16, 16);
  for (TColor color : {clRed, clBlue}) {
    picture.Canvas()->Brush()->SetColor(color);
    picture.Canvas()->FillRect(TRect(0, 0, 16, 16));
    images->Add(&picture, nullptr);
  }
  bar->SetFlat(true);
  bar->SetImages(images);
  TToolButton* button = Add(tbsButton);
  button->SetImageIndex(1);
  DibSection dib(100, 40);
  bar->PaintTo(dib.DC(), 0, 0);
  const TRect r = button->BoundsRect();
  EXPECT_EQ(dib.Pixel((r.left + r.right) / 2, (r.top + r.bottom) / 2), 0x0000FFu);

  images->Free();  // the bar lets go of a freed list
  EXPECT_EQ(bar->Images(), nullptr);
  bar->PaintTo(dib.DC(), 0, 0);
}
