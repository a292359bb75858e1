// Themed buttons in real windows: pictures per state, sizes, keys, modal result, the caption's
// looks, the repeat timer, and a button freed while held.
#include <gtest/gtest.h>

#include "tests/support/WindowTestSupport.h"
#include "ui/extras/skinpack/SkinPackRoutines.h"
#include "ui/extras/skinpack/ThemedButtons.h"

using namespace window_testing;

namespace {

constexpr DWORD kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kNavy = 0x000080;

// A picture holding a plain bitmap of one colour (given as 0x00RRGGBB).
void FillPicture(TPicture* picture, int width, int height, DWORD rgb) {
  TBitmap bitmap(width, height, pf24bit);
  bitmap.Canvas()->Brush()->SetColor(MakeRGB(Byte(rgb >> 16), Byte(rgb >> 8), Byte(rgb)));
  bitmap.Canvas()->FillRect(TRect(0, 0, width, height));
  picture->Assign(&bitmap);
}

// The button's face as its next paint draws it.
class Face {
 public:
  explicit Face(TWinControl* control) : dib_(control->Width(), control->Height()) {
    control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dib_.DC()), 0);
  }
  DWORD Pixel(int x, int y) const { return dib_.Pixel(x, y); }
  bool Has(DWORD rgb, int width, int height) const {
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        if (dib_.Pixel(x, y) == rgb) return true;
    return false;
  }
  // The box of pixels that are not Background.
  TRect InkBox(DWORD background, int width, int height) const {
    TRect box(width, height, -1, -1);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        if (dib_.Pixel(x, y) != background) {
          box.left = std::min<LONG>(box.left, x), box.top = std::min<LONG>(box.top, y);
          box.right = std::max<LONG>(box.right, x + 1), box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
    return box;
  }

 private:
  DibSection dib_;
};

}  // namespace

class ThemedButton : public FormFixture {
 protected:
  TsuiImageButton* ImageButton(int width = 40, int height = 30) {
    auto* button = Place<TsuiImageButton>(10, 10, width, height);
    button->SetColor(MakeRGB(0, 0, 128));
    return button;
  }
};

TEST_F(ThemedButton, PicturePerStateFallsBackToPicNormal) {
  auto* button = ImageButton();
  FillPicture(button->PicNormal(), 40, 30, kRed);
  FillPicture(button->PicMouseOn(), 40, 30, kGreen);
  EXPECT_EQ(Face(button).Pixel(20, 15), kRed);
  button->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(button));
  EXPECT_EQ(Face(button).Pixel(20, 15), kGreen);
  SendMouse(button->Handle(), WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
  EXPECT_EQ(Face(button).Pixel(20, 15), kRed) << "no PicMouseDown: PicNormal";
  FillPicture(button->PicMouseDown(), 40, 30, kBlue);
  EXPECT_EQ(Face(button).Pixel(20, 15), kBlue);
  SendMouse(button->Handle(), WM_LBUTTONUP, 5, 5);
  button->SetEnabled(false);
  EXPECT_EQ(Face(button).Pixel(20, 15), kRed) << "no PicDisabled: PicNormal";
}

TEST_F(ThemedButton, NoPictureShowsOnlyTheBackground) {
  auto* button = ImageButton();
  EXPECT_EQ(Face(button).Pixel(20, 15), kNavy);
}

TEST_F(ThemedButton, AutoSizeTakesPicNormalsSize) {
  auto* button = ImageButton();
  button->SetAutoSize(true);
  FillPicture(button->PicNormal(), 87, 30, kRed);
  button->SetPicNormal(button->PicNormal());
  EXPECT_EQ(button->Width(), 87);
  EXPECT_EQ(button->Height(), 30);
}

TEST_F(ThemedButton, BaseAutoSizeFromTheStyleStrip) {
  struct Case { TsuiUIStyle style; int width, height; };
  const Case cases[] = {{DeepBlue, 74, 21}, {WinXP, 18, 21}, {FromThemeFile, 24, 21}};
  for (const Case& c : cases) {
    auto* button = Place<TsuiCustomButton>(0, 0, 10, 10);
    button->SetUIStyle(c.style);
    button->SetAutoSize(true);
    EXPECT_EQ(button->Width(), c.width) << int(c.style);
    EXPECT_EQ(button->Height(), c.height) << int(c.style);
  }
}

TEST_F(ThemedButton, BaseButtonPaintsItsStylesStrip) {
  auto* button = Place<TsuiCustomButton>(0, 0, 74, 21);
  TBitmap normal, hot;
  GetStyleBitmapPart(DeepBlue, 1, &normal, 3, 1);
  GetStyleBitmapPart(DeepBlue, 1, &hot, 3, 2);
  const auto rgb = [](TColor c) { return DWORD((c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF)); };
  EXPECT_EQ(Face(button).Pixel(30, 10), rgb(normal.Canvas()->Pixels(30, 10)));
  button->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(button));
  EXPECT_EQ(Face(button).Pixel(30, 10), rgb(hot.Canvas()->Pixels(30, 10)));
}

TEST_F(ThemedButton, TransparentButtonShowsItsParent) {
  form->SetColor(MakeRGB(0, 255, 0));
  auto* bare = Place<TsuiImageButton>(120, 20, 30, 30);
  bare->SetTransparent(true);
  EXPECT_EQ(Face(bare).Pixel(15, 15), kGreen) << "no picture: only the parent";
  auto* button = Place<TsuiCustomButton>(20, 20, 74, 21);
  button->SetTransparent(true);
  // The strip's corners hold the key colour, so the form shows there.
  EXPECT_EQ(Face(button).Pixel(0, 0), kGreen);
  button->SetTransparent(false);
  EXPECT_NE(Face(button).Pixel(0, 0), kGreen);
}

TEST_F(ThemedButton, EscapeEnterAndAcceleratorClickWithoutShiftKeys) {
  auto* edit = Place<TTestEdit>(200, 10, 80, 21);
  auto* cancel = ImageButton();
  auto* ok = Place<TsuiImageButton>(60, 60, 40, 30);
  cancel->SetCancel(true);
  ok->SetDefault(true);
  ok->SetCaption(L"&Go");
  int cancels = 0, oks = 0;
  cancel->OnClick = [&](TObject*) { ++cancels; };
  ok->OnClick = [&](TObject*) { ++oks; };
  ShowForm();
  edit->SetFocus();
  PressKey(VK_ESCAPE);
  PressKey(VK_RETURN);
  EXPECT_EQ(cancels, 1);
  EXPECT_EQ(oks, 1);
  form->Perform(CM_DIALOGCHAR, L'g', 0);
  EXPECT_EQ(oks, 2);
  for (int key : {VK_SHIFT, VK_CONTROL}) {
    HeldKeys held{key};
    PressKey(VK_ESCAPE);
    PressKey(VK_RETURN);
  }
  // Alt arrives in the key data.
  form->Perform(CM_DIALOGKEY, VK_ESCAPE, 0x20000000);
  EXPECT_EQ(cancels, 1);
  EXPECT_EQ(oks, 2);
}

TEST_F(ThemedButton, ModalResultClosesAModalForm) {
  auto* button = ImageButton();
  button->SetModalResult(mrOk);
  const auto previous = SetModalDriver([&](const TModalLoop& loop) {
    if (loop.Kind == L"form") button->Click();
  });
  EXPECT_EQ(form->ShowModal(), mrOk);
  SetModalDriver(previous);
}

TEST_F(ThemedButton, DisabledCaptionShadowUnlessTag1000) {
  auto* button = ImageButton(80, 30);
  button->SetCaption(L"Record");
  button->Font()->SetColor(MakeRGB(255, 0, 0));
  button->SetEnabled(false);
  {
    Face face(button);
    EXPECT_TRUE(face.Has(0xFFFFFF, 80, 30)) << "white copy";
    EXPECT_TRUE(face.Has(0x808080, 80, 30)) << "grey caption";
    EXPECT_FALSE(face.Has(kRed, 80, 30));
  }
  button->Tag = 1000;
  Face face(button);
  EXPECT_FALSE(face.Has(0xFFFFFF, 80, 30));
  EXPECT_TRUE(face.Has(kRed, 80, 30)) << "the font's colour";
}

TEST_F(ThemedButton, PressedCaptionMovesOnePixel) {
  auto* button = ImageButton(80, 30);
  button->SetCaption(L"Pause");
  button->Font()->SetColor(MakeRGB(255, 255, 0));
  const TRect up = Face(button).InkBox(kNavy, 80, 30);
  SendMouse(button->Handle(), WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
  const TRect down = Face(button).InkBox(kNavy, 80, 30);
  SendMouse(button->Handle(), WM_LBUTTONUP, 5, 5);
  ASSERT_LT(up.left, up.right);
  EXPECT_EQ(down.left, up.left + 1);
  EXPECT_EQ(down.top, up.top + 1);
}

TEST_F(ThemedButton, BlankCaptionIsNotDrawn) {
  auto* button = ImageButton(80, 30);
  button->SetCaption(L"   ");
  button->Font()->SetColor(MakeRGB(255, 255, 0));
  const TRect box = Face(button).InkBox(kNavy, 80, 30);
  EXPECT_GT(box.left, box.right) << "no ink";
}

// A caption that wraps is drawn on as many lines as it was measured with.
TEST_F(ThemedButton, WrappedCaptionIsDrawnWrapped) {
  auto* button = ImageButton(50, 60);
  button->Font()->SetColor(MakeRGB(255, 255, 0));
  button->SetCaption(L"Wide Wide Wide");
  const TRect box = Face(button).InkBox(kNavy, 50, 60);
  const int lineHeight = button->Canvas()->TextHeight(L"W");
  EXPECT_GT(box.Height(), lineHeight + lineHeight / 2);
  EXPECT_GE(box.left, 0);
  EXPECT_LE(box.right, 50);
}

TEST_F(ThemedButton, RepeatTimerTicksAtTheInterval) {
  struct Case { int interval; Cardinal armed; };
  for (const Case c : {Case{100, 100}, Case{-5, 0}}) {
    auto* button = ImageButton();
    button->SetMouseContinuouslyDownInterval(c.interval);
    int ticks = 0;
    button->OnMouseContinuouslyDown = [&](TObject*) { ++ticks; };
    SendMouse(button->Handle(), WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    TTimer* timer = nullptr;
    for (int i = 0; i < button->ComponentCount(); ++i)
      if (auto* t = dynamic_cast<TTimer*>(button->Components(i))) timer = t;
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->Interval(), c.armed);
    if (c.armed) {
      SendMessageW(TTimer::TimerWindow(), WM_TIMER, timer->TimerId(), 0);
      EXPECT_EQ(ticks, 1);
    }
    button->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(button));
    for (int i = 0; i < button->ComponentCount(); ++i) EXPECT_EQ(dynamic_cast<TTimer*>(button->Components(i)), nullptr);
  }
}

// A button freed while held takes its repeat timer with it: a later tick reaches nobody.
TEST_F(ThemedButton, ButtonFreedWhileHeldStopsItsTimer) {
  auto* button = ImageButton();
  int ticks = 0;
  button->OnMouseContinuouslyDown = [&](TObject*) { ++ticks; };
  SendMouse(button->Handle(), WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
  TTimer* timer = nullptr;
  for (int i = 0; i < button->ComponentCount(); ++i)
    if (auto* t = dynamic_cast<TTimer*>(button->Components(i))) timer = t;
  ASSERT_NE(timer, nullptr);
  const UINT_PTR id = timer->TimerId();
  button->Free();
  SendMessageW(TTimer::TimerWindow(), WM_TIMER, id, 0);
  ProcessMessages();
  EXPECT_EQ(ticks, 0);
}
