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

namespace {

// The screen rectangle of the popup menu window open now (the modal driver runs inside its loop).
TRect OpenMenuWindow() {
  HWND menu = FindWindowW(L"#32768", nullptr);
  RECT r{};
  if (menu) GetWindowRect(menu, &r);
  return r;
}

class RecordingPopupMenu : public TPopupMenu {
 public:
  using TPopupMenu::TPopupMenu;
  void Popup(int X, int Y) override { At = TPoint(X, Y); }
  TPoint At{-1, -1};
};

}  // namespace

// Right to left on a Middle-East system: the caption ends 10 pixels before the buttons and both
// menus open 176 pixels further right. Either condition alone changes nothing.
TEST_F(TitleBar, RightToLeftCaptionAndMenus) {
  form->SetBounds(100, 100, 500, 200);
  ShowForm();
  struct Case {
    TBiDiMode mode;
    bool middleEast;
    bool mirrored;
  } cases[] = {{bdRightToLeft, true, true}, {bdRightToLeft, false, false}, {bdLeftToRight, true, false}};
  for (const Case& c : cases) {
    MiddleEastLocale locale(c.middleEast);
    form->SetBiDiMode(c.mode);
    auto* bar = PlaceBar();
    EXPECT_EQ(bar->BiDiMode(), c.mode) << "the bar follows its form";
    bar->SetUIStyle(DeepBlue);
    bar->SetCaption(L"Short");
    bar->Font()->SetColor(MakeRGB(255, 255, 0));
    const int width = bar->Width();
    DibSection dib(width, bar->Height());
    bar->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dib.DC()), 0);
    int first = width, last = -1;
    for (int y = 0; y < bar->Height(); ++y)
      for (int x = 0; x < width; ++x)
        if (dib.Pixel(x, y) == 0xFFFF00) first = std::min(first, x), last = std::max(last, x);
    ASSERT_GE(last, 0);
    // The minimize button's left edge, less the 10 pixels of the right-to-left caption.
    const int limit = width - 1 - 19 - 2 * (19 + 1);
    if (c.mirrored) {
      EXPECT_GT(first, width / 2) << "caption at the buttons' end";
      EXPECT_LT(last, limit - 10 + 1);
      EXPECT_GT(last, limit - 10 - 4);
    } else {
      EXPECT_LT(last, width / 2) << "caption after the icon";
    }

    TRect menuAt;
    {
      ScopedModalDriver driver([&](const TModalLoop& loop) {
        menuAt = OpenMenuWindow();
        loop.End();
      });
      bar->SystemMenu()->Popup(200, 300);
    }
    EXPECT_EQ(menuAt.left, c.mirrored ? 376 : 200) << c.mode << c.middleEast;

    RecordingPopupMenu boxMenu(form);
    ButtonOf(bar, suiControlBox)->SetControlBoxMenu(&boxMenu);
    bar->ProcessButtonAction(ButtonOf(bar, suiControlBox));
    const TPoint corner = bar->ClientToScreen(TPoint(0, bar->Height()));
    EXPECT_EQ(boxMenu.At, TPoint(corner.x + (c.mirrored ? 176 : 0), corner.y));
    ButtonOf(bar, suiControlBox)->SetControlBoxMenu(nullptr);
    bar->Free();
  }
}
