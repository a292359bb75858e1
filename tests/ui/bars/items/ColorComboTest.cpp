// The colour combo: colours and entries following each other, the automatic entry, the drop-down
// count, the swatch of an entry, and the custom-colour command through the colour dialog.
#include <gtest/gtest.h>

#include "platform/framework/controls/Dialogs.h"
#include "platform/framework/graphics/Bitmap.h"
#include "tests/ui/bars/BarTestWindow.h"
#include "ui/bars/items/BarColorCombo.h"

using namespace bar_testing;

namespace {

class ColorComboTest : public BarWindowFixture {
 protected:
  void SetUp() override {
    BarWindowFixture::SetUp();
    combo = NewItem<TdxBarColorCombo>(L"Colors");
    combo->OnChange = TNotifyEvent([this](TObject*) { ++changes; });
  }
  void TearDown() override {
    SetDialogAnswerer(nullptr);
    BarWindowFixture::TearDown();
  }
  TdxBarColorCombo* combo = nullptr;
  int changes = 0;
};

TEST_F(ColorComboTest, AColourSelectsItsEntry) {
  struct Case {
    bool autoShown;
    TColor autoColor, color;
    int index;
    const wchar_t* text;
  };
  const Case cases[] = {
      {false, clWindowText, clRed, 9, L"Red"},
      {true, clWindowText, clRed, 10, L"Red"},
      // The automatic colour itself wins over the table colour of the same value.
      {true, clNavy, clNavy, 0, L"(automatic)"},
      {true, clNavy, TColor(0x800000), 0, L"(automatic)"},
      // A system colour is compared by its value.
      {false, clWindowText, clWhite, 15, L"White"},
      {false, clWindowText, TColor(0x123456), -1, L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    combo->SetShowAutoColor(c.autoShown);
    combo->SetAutoColor(c.autoColor);
    combo->SetColor(c.color);
    EXPECT_EQ(combo->ItemIndex(), c.index);
    EXPECT_EQ(combo->Text(), c.text);
    EXPECT_EQ(combo->Color(), c.color);
    combo->SetColor(clBlack);
  }
}

TEST_F(ColorComboTest, AnEntryGivesItsColourAndOutsideIndexesTheCurrentOne) {
  EXPECT_EQ(combo->ItemIndex(), 0);
  EXPECT_EQ(combo->Text(), L"Black");
  combo->SetItemIndex(12);
  EXPECT_EQ(combo->Color(), TColor(0xFF0000));
  EXPECT_EQ(combo->ColorOfIndex(16), TColor(0xFF0000));
  EXPECT_EQ(combo->ColorOfIndex(-1), TColor(0xFF0000));
  combo->SetShowAutoColor(true);
  combo->SetAutoColor(clGreen);
  EXPECT_EQ(combo->ColorOfIndex(0), clGreen);
  EXPECT_EQ(combo->ColorOfIndex(16), TColor(0xFFFFFF));
  EXPECT_EQ(combo->ItemIndex(), 13);
  combo->SetItemIndex(0);
  EXPECT_EQ(combo->Color(), clGreen);
}

TEST_F(ColorComboTest, AColourWithoutEntryStillNotifies) {
  combo->SetColor(TColor(0x123456));
  EXPECT_EQ(changes, 1);
  combo->SetColor(TColor(0x654321));
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(combo->Color(), TColor(0x654321));
}

TEST_F(ColorComboTest, TheDropDownCountFollowsTheAutomaticEntryOnlyFromItsDefault) {
  EXPECT_EQ(combo->DropDownCount, 16);
  combo->SetShowAutoColor(true);
  EXPECT_EQ(combo->DropDownCount, 17);
  EXPECT_EQ(combo->Items()->Strings(0), L"(automatic)");
  combo->SetShowAutoColor(false);
  EXPECT_EQ(combo->DropDownCount, 16);
  combo->DropDownCount = 5;
  combo->SetShowAutoColor(true);
  EXPECT_EQ(combo->DropDownCount, 5);
  combo->SetAutoColorText(L"Auto");
  EXPECT_EQ(combo->Items()->Strings(0), L"Auto");
}

TEST_F(ColorComboTest, AnEntryShowsAFramedSwatchOfItsColour) {
  TBitmap bitmap(120, 20);
  TCanvas* canvas = bitmap.Canvas();
  canvas->Brush()->SetColor(clWhite);
  canvas->FillRect(TRect{0, 0, 120, 20});
  TcxCanvas cx(canvas);
  combo->DrawCanvas = &cx;
  canvas->Brush()->SetColor(TColor(0x00FF00));
  combo->DrawListItem(nullptr, 9, TOwnerDrawState{}, TRect{0, 0, 120, 20});
  combo->DrawCanvas = nullptr;
  struct Probe {
    int x, y;
    TColor color;
  };
  const Probe probes[] = {
      {0, 10, TColor(0x00FF00)},            // outer frame in the entry's brush
      {1, 10, ColorToRGB(clBtnShadow)},     // inner frame
      {15, 10, TColor(0x0000FF)},           // the entry's colour (Red)
      {15, 1, ColorToRGB(clBtnShadow)},
      {29, 10, TColor(0x00FF00)},
      {118, 2, TColor(0x00FF00)},           // the text area filled with the brush
  };
  for (const Probe& p : probes) {
    SCOPED_TRACE(p.x * 100 + p.y);
    EXPECT_EQ(TColor(GetPixel(canvas->Handle(), p.x, p.y)), p.color);
  }
}

TEST_F(ColorComboTest, TheCustomColourCommandOpensTheDialogAtTheHighlightedColour) {
  std::vector<TColor> asked;
  SetDialogAnswerer([&](const TDialogRequest& Request) {
    EXPECT_EQ(Request.Kind, TDialogKind::Color);
    asked.push_back(Request.Color);
    TDialogAnswer answer;
    answer.Ok = true;
    answer.Color = TColor(0x102030);
    return answer;
  });
  combo->SetShowCustomColorButton(true);
  combo->SetWidth(200);
  combo->SetItemIndex(4);
  TTestBarControl* window = NewWindow(0);
  window->ItemLinks()->AddItemLink(combo);
  window->ShowAt(200, 200, 400, 40);
  auto* control = dynamic_cast<TdxBarColorComboControl*>(window->ItemLinks()->LinkAt(0)->ItemControl());
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(int(control->PartBounds().size()), 5);
  control->RunCustomColorCommand();
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0], TColor(0x800000));  // Navy, the highlighted entry
  EXPECT_EQ(combo->Color(), TColor(0x102030));
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_FALSE(combo->UsePickedColor);
  EXPECT_FALSE(control->Pressed());
  // A handler of its own, or ReadOnly: no dialog.
  combo->OnClick = TNotifyEvent([](TObject*) {});
  control->RunCustomColorCommand();
  combo->OnClick = TNotifyEvent();
  combo->SetReadOnly(true);
  control->RunCustomColorCommand();
  EXPECT_EQ(asked.size(), 1u);
  // Choosing an entry (what a release in the list does) sets the colour and opens no dialog.
  combo->SetReadOnly(false);
  combo->SetItemIndex(9);
  EXPECT_EQ(combo->Color(), clRed);
  EXPECT_EQ(asked.size(), 1u);
}

}  // namespace
