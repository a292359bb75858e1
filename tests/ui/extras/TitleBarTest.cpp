// The title bar: button pictures per style, the caption kept clear of the buttons, the error
// boxes, Custom, AutoSize, maximize and restore by double click, and the system menu.
#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"
#include "tests/support/WindowTestSupport.h"
#include "ui/extras/skinpack/SkinPackRoutines.h"
#include "ui/extras/skinpack/TitleBar.h"

using namespace window_testing;

namespace {

class TTestTitleBar : public TsuiTitleBar {
 public:
  using TsuiTitleBar::TsuiTitleBar;
  using TsuiTitleBar::DblClick;
};

bool SamePixels(TBitmap* a, TBitmap* b) {
  if (a->Width() != b->Width() || a->Height() != b->Height()) return false;
  for (int y = 0; y < a->Height(); ++y)
    for (int x = 0; x < a->Width(); ++x)
      if (a->Canvas()->Pixels(x, y) != b->Canvas()->Pixels(x, y)) return false;
  return true;
}

TsuiTitleBarButton* ButtonOf(TsuiTitleBar* bar, TsuiTitleBarBtnType type) {
  for (int i = 0; i < bar->Buttons()->Count(); ++i)
    if (bar->Buttons()->Items(i)->ButtonType() == type) return bar->Buttons()->Items(i);
  return nullptr;
}

}  // namespace

class TitleBar : public FormFixture {
 protected:
  TTestTitleBar* PlaceBar() {
    auto* bar = new TTestTitleBar(form);
    bar->SetParent(form);
    return bar;
  }
};

TEST_F(TitleBar, ButtonSizesFromTheStyleStrip) {
  struct Case { TsuiUIStyle style; int size; };
  for (const Case c : {Case{DeepBlue, 19}, Case{WinXP, 21}, Case{Protein, 19}}) {
    auto* bar = PlaceBar();
    bar->SetUIStyle(c.style);
    for (int i = 0; i < bar->Buttons()->Count(); ++i) {
      EXPECT_EQ(bar->Buttons()->Items(i)->PicNormal()->Width(), c.size) << int(c.style);
      EXPECT_EQ(bar->Buttons()->Items(i)->PicNormal()->Height(), c.size) << int(c.style);
    }
    EXPECT_EQ(ButtonOf(bar, suiClose)->Transparent(), c.style == Protein);
  }
}

TEST_F(TitleBar, LongCaptionStopsBeforeTheButtons) {
  auto* bar = PlaceBar();
  bar->SetUIStyle(DeepBlue);
  bar->SetCaption(L"A caption long enough to run past every one of the title bar's buttons and on");
  bar->Font()->SetColor(MakeRGB(255, 255, 0));
  const int width = bar->Width();
  DibSection dib(width, bar->Height());
  bar->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dib.DC()), 0);
  // Close, maximize and minimize stand right to left from the right edge: the minimize button's
  // left edge is the caption's limit.
  const int limit = width - 1 - 19 - 2 * (19 + 1);
  bool inked = false;
  for (int y = 0; y < bar->Height(); ++y)
    for (int x = 0; x < width; ++x) {
      if (dib.Pixel(x, y) != 0xFFFF00) continue;
      inked = true;
      EXPECT_LT(x, limit) << "caption ink at " << x << "," << y;
    }
  EXPECT_TRUE(inked);
}

TEST_F(TitleBar, OnlyOneControlBoxAndOneClientSection) {
  std::vector<String> boxes;
  const auto previous = SetMessageBoxAnswerer([&](HWND, const String& text, const String&, UINT) {
    boxes.push_back(text);
    return IDOK;
  });
  auto* bar = PlaceBar();
  TsuiTitleBarButton* extra = bar->Buttons()->Add();
  extra->SetButtonType(suiControlBox);
  EXPECT_EQ(extra->ButtonType(), suiCustom);
  TsuiTitleBarSection* section = bar->Sections()->Add();
  section->SetAlign(suiClient);
  EXPECT_EQ(section->Align(), suiLeft);
  SetMessageBoxAnswerer(previous);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0], L"Sorry, only one button's ButtonType property can be \"suiControlBox\"");
  EXPECT_EQ(boxes[1], L"Sorry, only one section's Align property can be \"suiClient\"");
}

TEST_F(TitleBar, CustomKeepsTheUsersSections) {
  auto* bar = PlaceBar();
  bar->SetCustom(true);
  bar->Sections()->Clear();
  bar->Sections()->Add()->SetWidth(33);
  bar->SetUIStyle(WinXP);
  ASSERT_EQ(bar->Sections()->Count(), 1);
  EXPECT_EQ(bar->Sections()->Items(0)->Width(), 33);
}

TEST_F(TitleBar, HeightFollowsTheFirstPictureWhateverAutoSize) {
  auto* bar = PlaceBar();
  bar->SetUIStyle(DeepBlue);
  bar->SetHeight(50);
  bar->SetAutoSize(false);
  EXPECT_EQ(bar->Height(), 32);
  bar->SetUIStyle(WinXP);
  EXPECT_EQ(bar->Height(), 29);
}

TEST_F(TitleBar, DoubleClickMaximizesAndRestores) {
  auto* bar = PlaceBar();
  bar->SetUIStyle(DeepBlue);
  ShowForm();
  SetCursorPos(0, 0);
  TBitmap maximize, restore;
  GetStyleBitmapPart(DeepBlue, 5, &maximize, 18, 7);
  GetStyleBitmapPart(DeepBlue, 5, &restore, 18, 10);
  bar->DblClick();
  EXPECT_EQ(form->WindowState(), wsMaximized);
  EXPECT_TRUE(SamePixels(ButtonOf(bar, suiMax)->PicNormal()->Bitmap(), &restore));
  bar->DblClick();
  EXPECT_EQ(form->WindowState(), wsNormal);
  EXPECT_TRUE(SamePixels(ButtonOf(bar, suiMax)->PicNormal()->Bitmap(), &maximize));
}

TEST_F(TitleBar, SystemMenuFollowsTheVisibleButtons) {
  auto* bar = PlaceBar();
  TsuiTitleBarPopupMenu* menu = bar->SystemMenu();
  ASSERT_EQ(menu->Items()->Count(), 4);
  EXPECT_EQ(menu->Items()->Items(0)->Caption(), L"Mi&nimize");
  EXPECT_EQ(menu->Items()->Items(1)->Caption(), L"Ma&ximize/Restore");
  EXPECT_TRUE(menu->Items()->Items(2)->IsLine());
  EXPECT_EQ(menu->Items()->Items(3)->Caption(), L"&Close");
  ButtonOf(bar, suiMin)->SetVisible(false);
  menu->UpdateItems();
  EXPECT_FALSE(menu->Items()->Items(0)->Enabled());
  EXPECT_TRUE(menu->Items()->Items(1)->Enabled());
  EXPECT_TRUE(menu->Items()->Items(3)->Enabled());
}


TEST_F(TitleBar, ThemeFileGivesSectionsButtonsAndCaptionColour) {
  auto* theme = new TsuiFileTheme(form);
  theme->SetThemeFile(testing_support::ExecutableFolder() + L"..\\skinpack\\TestTheme.sk");
  ASSERT_TRUE(theme->Ready());
  auto* bar = PlaceBar();
  bar->SetUIStyle(FromThemeFile);
  bar->SetFileTheme(theme);
  ASSERT_EQ(bar->Sections()->Count(), 3);
  EXPECT_EQ(bar->Sections()->Items(0)->Width(), 40);
  EXPECT_EQ(bar->Sections()->Items(1)->Align(), suiClient);
  EXPECT_EQ(bar->Sections()->Items(2)->Align(), suiRight);
  EXPECT_EQ(bar->Height(), 26);
  EXPECT_EQ(ButtonOf(bar, suiClose)->PicNormal()->Width(), 16);
  EXPECT_TRUE(ButtonOf(bar, suiClose)->Transparent());
  bar->SetUIStyle(FromThemeFile);
  EXPECT_EQ(bar->Font()->Color(), theme->GetColor(SKIN2_TITLEFONTCOLOR));
  theme->Free();
  EXPECT_EQ(bar->UIStyle(), DeepBlue);
  EXPECT_EQ(bar->Height(), 32);
}
