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

// ---- custom drawing, menu buttons, wrapping and sizing -------------------------------------------

namespace {

TColor Tc(DWORD rgb) { return static_cast<TColor>((rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16 & 0xFF)); }

class RestoreModalDriver {
 public:
  explicit RestoreModalDriver(TModalScript script) : saved_(SetModalDriver(std::move(script))) {}
  ~RestoreModalDriver() { SetModalDriver(saved_); }

 private:
  TModalScript saved_;
};

}  // namespace

TEST_F(ToolBars, CustomDrawingCanReplaceTheBarAndTheButtons) {
  bar->SetButtonWidth(30);
  TToolButton* button = Add(tbsButton);
  bar->SetColor(Tc(0x0000FF));
  bool drawBar = true, drawButton = true;
  TOwnerDrawState seen;
  bar->OnCustomDraw = [&](TToolBar*, TCanvas* canvas, const TRect& r, bool& defaultDraw) {
    canvas->Brush()->SetColor(Tc(0xFF0000));
    canvas->FillRect(TRect(r.left, r.top, r.left + 200, r.bottom));
    defaultDraw = drawBar;
  };
  bar->OnCustomDrawButton = [&](TToolBar*, TToolButton* b, TCanvas* canvas, TOwnerDrawState state, bool& defaultDraw) {
    seen = state;
    canvas->Brush()->SetColor(Tc(0x00FF00));
    canvas->FillRect(b->BoundsRect());
    defaultDraw = drawButton;
  };
  auto paint = [&] {
    auto dib = std::make_unique<DibSection>(bar->Width(), bar->Height());
    bar->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dib->DC()), 0);
    return dib;
  };
  drawBar = drawButton = false;
  auto custom = paint();
  EXPECT_EQ(custom->Pixel(100, 10), 0xFF0000u) << "the handler's bar";
  EXPECT_EQ(custom->Pixel(button->Left() + 15, button->Top() + 10), 0x00FF00u) << "the handler's button";
  drawBar = true;
  EXPECT_EQ(paint()->Pixel(100, 10), 0x0000FFu) << "the default drawing after the handler";
  button->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(button));
  paint();
  EXPECT_TRUE(seen.Contains(odHotLight));
}

TEST_F(ToolBars, MenuItemOpensItsDropDownOwnedByTheBar) {
  auto* menu = new TMainMenu(form);
  auto* file = new TMenuItem(form);
  file->SetCaption(L"&File");
  menu->Items()->Add(file);
  for (const wchar_t* caption : {L"&Open", L"&Save"}) {
    auto* sub = new TMenuItem(form);
    sub->SetCaption(caption);
    file->Add(sub);
  }
  TToolButton* button = Add(tbsButton);
  button->SetMenuItem(file);
  EXPECT_EQ(button->Caption(), L"&File");
  ShowForm();
  int popupItems = -1;
  TComponent* popupOwner = nullptr;
  {
    RestoreModalDriver driver([&](const TModalLoop& loop) {
      for (int i = 0; i < bar->ComponentCount(); ++i)
        if (auto* popup = dynamic_cast<TPopupMenu*>(bar->Components(i))) {
          popupItems = popup->Items()->Count();
          popupOwner = popup->Owner();
        }
      EXPECT_EQ(bar->MenuButton(), button);
      loop.End();
    });
    button->Click();
  }
  EXPECT_EQ(popupItems, 2);
  EXPECT_EQ(popupOwner, bar);
  EXPECT_EQ(file->Count(), 2) << "the items are back in their menu";
  EXPECT_EQ(bar->MenuButton(), nullptr);
  int clicks = 0;
  auto* plain = new TMenuItem(form);
  plain->OnClick = [&](TObject*) { ++clicks; };
  button->SetMenuItem(plain);
  button->Click();
  EXPECT_EQ(clicks, 1) << "an item without a drop-down is clicked";
}

TEST_F(ToolBars, AltAndTheAcceleratorClickTheButton) {
  TToolButton* button = Add(tbsButton);
  button->SetCaption(L"&View");
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  form->Perform(CM_DIALOGCHAR, L'v', 0);
  EXPECT_EQ(clicks, 0);
  form->Perform(CM_DIALOGCHAR, L'v', 0x20000000);
  EXPECT_EQ(clicks, 1);
}

TEST_F(ToolBars, WrapableRowsAndAutoSize) {
  bar->SetAlign(alNone);
  bar->SetBounds(0, 0, 100, 29);
  bar->SetButtonWidth(40);
  bar->SetButtonHeight(22);
  TToolButton* buttons[3] = {Add(tbsButton), Add(tbsButton), Add(tbsButton)};
  EXPECT_EQ(buttons[2]->Left(), 80) << "one row while not wrapable";
  bar->SetWrapable(true);
  EXPECT_EQ(buttons[2]->Left(), 0);
  EXPECT_EQ(buttons[2]->Top(), buttons[0]->Top() + 22);
  bar->SetAutoSize(true);
  EXPECT_EQ(bar->Height(), buttons[2]->Top() + 22 + 2);
}

TEST_F(ToolBars, AutoSizedButtonsFitTheirCaptions) {
  bar->SetShowCaptions(true);
  TToolButton* narrow = Add(tbsButton);
  TToolButton* wide = Add(tbsButton);
  narrow->SetCaption(L"&A");
  wide->SetCaption(L"A much wider caption");
  narrow->SetAutoSize(true);
  wide->SetAutoSize(true);
  bar->Realign();
  EXPECT_LT(narrow->Width(), wide->Width());
  EXPECT_EQ(wide->Left(), narrow->Width());
}
