// The slider in a real window, driven by messages.

#include <memory>
#include <vector>

#include "dialogs/ImageSlider.h"
#include "platform/framework/classes/Filer.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTestSupport.h"

namespace {

using window_testing::ProcessMessages;
using window_testing::SendMouse;

class SliderWindow : public window_testing::FormFixture {
 protected:
  TImageSlider* MakeSlider(int width = 217, int height = 40) {
    TImageSlider* slider = Place<TImageSlider>(10, 10, width, height);
    slider->OnChange = [this](TObject*) { ++changes; };
    slider->OnChanged = [this](TObject*) { ++changed; };
    return slider;
  }
  int changes = 0, changed = 0;
};

TEST_F(SliderWindow, OnChangeOnlyWhenTheStoredValueChangesAlsoFromCode) {
  TImageSlider* slider = MakeSlider();
  slider->SetValue(50);
  slider->SetValue(50);
  EXPECT_EQ(changes, 1);
  slider->SetValue(500);
  EXPECT_EQ(slider->Value(), 100);
  slider->SetValue(100);
  EXPECT_EQ(changes, 2);
  slider->SetMinValue(60);  // never below the new minimum; unchanged range pairs are ignored
  slider->SetMinValue(60);
  EXPECT_EQ(slider->Value(), 100);
  slider->SetMaxValue(80);
  EXPECT_EQ(slider->Value(), 80);
  EXPECT_EQ(changes, 3);
  slider->SetMinValue(90);  // min >= max outside loading: ignored
  EXPECT_EQ(slider->MinValue(), 60);
}

TEST_F(SliderWindow, IncrementOutsideOneToTheRangeIsRefusedAndARangeShrinksIt) {
  TImageSlider* slider = MakeSlider();
  for (int bad : {0, -1, 101}) {
    EXPECT_EQ(testing_support::MessageOf<Exception>([&] { slider->SetIncrement(bad); }),
              L"Value must be between 1 and 100");
    EXPECT_EQ(slider->Increment(), 10);
  }
  slider->SetMaxValue(slider->MinValue() + 3);
  EXPECT_EQ(slider->Increment(), 3);
}

TEST_F(SliderWindow, KeysStepOnlyUnmodifiedAndAlongTheAxis) {
  ShowForm();
  TImageSlider* slider = MakeSlider();
  TImageSlider* vertical = Place<TImageSlider>(250, 10, 40, 200);
  vertical->SetOrientation(soVertical);
  struct Case {
    const char* what;
    bool vertical;
    Word key;
    int held;  // a shift key held, or 0
    int from, to;
  } cases[] = {
      {"right", false, VK_RIGHT, 0, 20, 30},
      {"left", false, VK_LEFT, 0, 20, 10},
      {"end", false, VK_END, 0, 20, 100},
      {"home", false, VK_HOME, 0, 20, 0},
      {"up on a horizontal slider", false, VK_UP, 0, 20, 20},
      {"down on a horizontal slider", false, VK_DOWN, 0, 20, 20},
      {"shift", false, VK_RIGHT, VK_SHIFT, 20, 20},
      {"ctrl", false, VK_RIGHT, VK_CONTROL, 20, 20},
      {"alt", false, VK_RIGHT, VK_MENU, 20, 20},
      {"up on a vertical slider", true, VK_UP, 0, 20, 30},
      {"down on a vertical slider", true, VK_DOWN, 0, 20, 10},
      {"left on a vertical slider", true, VK_LEFT, 0, 20, 20},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TImageSlider* target = c.vertical ? vertical : slider;
    target->SetValue(c.from);
    target->SetFocus();
    ProcessMessages();
    if (c.held == VK_MENU) {
      // Alt comes with the key itself, as a system key with the context bit.
      PostMessageW(GetFocus(), WM_SYSKEYDOWN, c.key, 1 | (1 << 29));
      PostMessageW(GetFocus(), WM_SYSKEYUP, c.key, 1 | (1 << 29) | (3u << 30));
      ProcessMessages();
    } else {
      auto keys = c.held ? std::make_unique<window_testing::HeldKeys>(std::initializer_list<int>{c.held})
                         : std::make_unique<window_testing::HeldKeys>(std::initializer_list<int>{});
      window_testing::PressKey(c.key);
    }
    EXPECT_EQ(target->Value(), c.to);
  }
}

TEST_F(SliderWindow, RulerPressStepsAtOnceThenPerTickUntilTheThumbPassesThePointer) {
  ShowForm();
  TImageSlider* slider = MakeSlider();  // 0 .. 100, Increment 10, travel 185
  const HWND h = slider->Handle();
  const int x = 150, y = 12;  // beside the thumb, on the ruler
  SendMouse(h, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
  EXPECT_TRUE(slider->Tracking());
  EXPECT_EQ(slider->Value(), 10);
  EXPECT_EQ(GetFocus(), h);
  std::vector<int> values;
  for (int tick = 0; tick < 12; ++tick) {
    SendMessageW(h, WM_TIMER, TImageCustomSlider::RepeatTimerId, 0);
    values.push_back(slider->Value());
  }
  // Thumb left = 6 + Round(185 * v / 100): at 70 it spans 136 .. 156, past the pointer, so the
  // steps end there while the timer goes on.
  EXPECT_EQ(values, (std::vector<int>{20, 30, 40, 50, 60, 70, 70, 70, 70, 70, 70, 70}));
  EXPECT_EQ(changed, 0);
  SendMouse(h, WM_LBUTTONUP, x, y);
  EXPECT_FALSE(slider->Tracking());
  EXPECT_EQ(changed, 1);
}

TEST_F(SliderWindow, DraggingTheThumbMovesTheValueAndEndsWithOneChanged) {
  ShowForm();
  TImageSlider* slider = MakeSlider();
  const HWND h = slider->Handle();
  const TRect thumb = slider->ThumbRect();
  SendMouse(h, WM_LBUTTONDOWN, thumb.left + 5, thumb.top + 5, MK_LBUTTON);
  EXPECT_TRUE(slider->Dragging());
  SendMouse(h, WM_MOUSEMOVE, thumb.left + 5 + 185 / 2, thumb.top + 5, MK_LBUTTON);
  EXPECT_EQ(slider->Value(), 50);
  EXPECT_EQ(slider->ThumbRect().left, 6 + 92);
  SendMouse(h, WM_LBUTTONUP, thumb.left + 5 + 185 / 2, thumb.top + 5);
  EXPECT_FALSE(slider->Dragging());
  EXPECT_EQ(changed, 1);
}

TEST_F(SliderWindow, DoubleAndRightClicksNeitherFocusNorMove) {
  ShowForm();
  auto* other = Place<window_testing::TTestEdit>(10, 200, 80, 21);
  TImageSlider* slider = MakeSlider();
  for (UINT msg : {WM_LBUTTONDBLCLK, WM_RBUTTONDOWN}) {
    other->SetFocus();
    ProcessMessages();
    SendMouse(slider->Handle(), msg, 150, 12, msg == WM_RBUTTONDOWN ? MK_RBUTTON : MK_LBUTTON);
    SendMouse(slider->Handle(), msg == WM_RBUTTONDOWN ? WM_RBUTTONUP : WM_LBUTTONUP, 150, 12);
    EXPECT_EQ(slider->Value(), 0);
    EXPECT_NE(GetFocus(), slider->Handle());
  }
}

TEST_F(SliderWindow, OrientationSwapsTheSizeAtRunTimeOnly) {
  TImageSlider* slider = MakeSlider(150, 40);
  slider->SetOrientation(soVertical);
  EXPECT_EQ(slider->Width(), 40);
  EXPECT_EQ(slider->Height(), 150);
  ObjectPtr<TForm> loaded(new TForm(nullptr, 0));
  TLoadingBracket loading(*loaded);
  auto* streamed = loading.Add(new TImageSlider(loaded.get()));
  streamed->SetBounds(0, 0, 25, 145);
  streamed->SetOrientation(soVertical);
  loading.End();
  EXPECT_EQ(streamed->Width(), 25);
  EXPECT_EQ(streamed->Height(), 145);
  EXPECT_EQ(streamed->Geometry().Ruler, TSize(8, 133));
}

TEST_F(SliderWindow, TheHandCursorOverTheThumb) {
  ShowForm();
  TImageSlider* slider = MakeSlider();
  const HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
  const TRect thumb = slider->ThumbRect();
  const TPoint over = slider->ClientToScreen(TPoint(thumb.left + 3, thumb.top + 3));
  SetCursorPos(over.x, over.y);
  SendMessageW(slider->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(slider->Handle()), HTCLIENT);
  EXPECT_EQ(GetCursor(), hand);
  const TPoint away = slider->ClientToScreen(TPoint(thumb.right + 40, thumb.top + 3));
  SetCursorPos(away.x, away.y);
  SendMessageW(slider->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(slider->Handle()), HTCLIENT);
  EXPECT_NE(GetCursor(), hand);
}

}  // namespace

namespace {

TEST_F(SliderWindow, AThumbMoveInvalidatesOnlyTheOldAndNewThumbWithoutErasing) {
  ShowForm();
  TImageSlider* slider = MakeSlider();
  slider->Update();
  const TRect before = slider->ThumbRect();
  slider->SetValue(60);
  const TRect after = slider->ThumbRect();
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetUpdateRgn(slider->Handle(), region, FALSE), ERROR);
  HRGN expected = CreateRectRgn(0, 0, 0, 0);
  HRGN a = CreateRectRgnIndirect(&before), b = CreateRectRgnIndirect(&after);
  CombineRgn(expected, a, b, RGN_OR);
  EXPECT_TRUE(EqualRgn(region, expected));
  for (HRGN r : {region, expected, a, b}) DeleteObject(r);
}

}  // namespace
