// The foundation's windows: settings messages, mouse-leave tracking, the timer's stale ticks, popup
// placement and sizing, the drag image, the size frame and the hint window.

#include <gtest/gtest.h>

#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/rtl/Seams.h"
#include "platform/framework/windows/Timer.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTestSupport.h"
#include "ui/foundation/Controls.h"
#include "ui/foundation/Graphics.h"

using namespace window_testing;

namespace {

// A control that counts the settings message.
class TCountingControl : public TWinControl {
 public:
  using TWinControl::TWinControl;
  int settings = 0;
  void WndProc(TMessage& Message) override {
    if (Message.Msg == CXM_SETTINGSCHANGED) ++settings;
    TWinControl::WndProc(Message);
  }
};

using FoundationWindows = FormFixture;

TEST_F(FoundationWindows, SettingsChangeReachesEachRegisteredControlOnce) {
  auto* a = Place<TCountingControl>(10, 10, 50, 50);
  auto* b = Place<TCountingControl>(70, 10, 50, 50);
  auto* unregistered = Place<TCountingControl>(130, 10, 50, 50);
  ShowForm();
  TcxSettingsController* controller = SettingsController();
  controller->AddControl(a);
  controller->AddControl(b);
  controller->AddControl(a);
  SendMessageW(controller->Window(), WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
  SendMessageW(controller->Window(), WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
  ProcessMessages();
  EXPECT_EQ(a->settings, 1);
  EXPECT_EQ(b->settings, 1);
  EXPECT_EQ(unregistered->settings, 0);
  controller->RemoveControl(a);
  controller->RemoveControl(b);
  EXPECT_EQ(controller->Window(), nullptr);
}

struct Caller : IcxMouseTrackingCaller {
  int left = 0;
  bool unwatchInside = false;
  void MouseLeave() override {
    ++left;
    if (unwatchInside) UnwatchMouseLeave(this);
  }
};

TEST_F(FoundationWindows, MouseLeaveIsReportedOnce) {
  auto* control = Place<TCountingControl>(10, 10, 100, 100);
  ShowForm();
  for (bool unwatchInside : {false, true}) {
    Caller caller;
    caller.unwatchInside = unwatchInside;
    Mouse->SetCursorPos(control->ClientToScreen({50, 50}));
    WatchMouseLeave(control, {0, 0, 100, 100}, &caller);
    WatchMouseLeave(control, {0, 0, 100, 100}, &caller);  // one timer per caller
    testing_support::PumpFor(50);
    EXPECT_EQ(caller.left, 0);
    EXPECT_TRUE(IsMouseTracking(&caller));
    Mouse->SetCursorPos(control->ClientToScreen({250, 50}));
    EXPECT_TRUE(testing_support::PumpUntil([&] { return caller.left > 0; }, 3000));
    testing_support::PumpFor(50);
    EXPECT_EQ(caller.left, 1) << unwatchInside;
    EXPECT_FALSE(IsMouseTracking(&caller));
  }
}

TEST(FoundationTimer, StaleTickIsDroppedAndTheWindowIsShared) {
  TTimer frameworkTimer(nullptr);
  frameworkTimer.SetOnTimer([](TObject*) {});
  int ticks = 0;
  auto* timer = new TcxTimer(nullptr);
  timer->SetInterval(100000);
  timer->SetOnTimer([&](TObject*) { ++ticks; });
  const UINT_PTR id = timer->TimerId();
  ASSERT_NE(id, 0u);
  PostMessageW(SharedTimerWindow(), WM_TIMER, id, 0);
  testing_support::PumpFor(20);
  EXPECT_EQ(ticks, 1);
  PostMessageW(SharedTimerWindow(), WM_TIMER, id, 0);  // queued, then the timer goes
  timer->Free();
  auto* successor = new TcxTimer(nullptr);
  successor->SetInterval(100000);
  successor->SetOnTimer([&](TObject*) { ticks += 100; });
  testing_support::PumpFor(20);
  EXPECT_EQ(ticks, 1);
  EXPECT_NE(successor->TimerId(), id);
  successor->SetInterval(0);  // ignored
  EXPECT_EQ(successor->Interval(), 100000u);
  successor->Free();
}

TEST(PopupPosition, Table) {
  const TRect work{0, 0, 1000, 800};
  const TSize size{200, 100};
  struct Case {
    const char* Name;
    TRect Owner;
    TcxPopupDirection Direction;
    int Horz, Vert;
    TPoint Expected;
  } cases[] = {
      {"below, left aligned", {100, 100, 300, 120}, pdVertical, 0, 2, {100, 120}},
      {"below, right aligned", {100, 100, 300, 120}, pdVertical, 2, 2, {100, 120}},
      {"above", {100, 300, 300, 320}, pdVertical, 0, 0, {100, 200}},
      {"below near the bottom flips above", {100, 750, 300, 770}, pdVertical, 0, 2, {100, 650}},
      {"above near the top flips below", {100, 10, 300, 30}, pdVertical, 0, 0, {100, 30}},
      {"below near the right edge is pulled in", {900, 100, 990, 120}, pdVertical, 0, 2, {800, 120}},
      {"centred below", {100, 100, 300, 120}, pdVertical, 1, 2, {100, 120}},
      {"right of the owner", {100, 100, 300, 120}, pdHorizontal, 2, 0, {300, 100}},
      {"right near the right edge flips left", {850, 100, 950, 120}, pdHorizontal, 2, 0, {650, 100}},
      {"left near the left edge flips right", {10, 100, 60, 120}, pdHorizontal, 0, 0, {60, 100}},
      {"beside near the bottom is pulled up", {100, 780, 300, 800}, pdHorizontal, 2, 0, {300, 700}},
      {"bottom aligned beside", {100, 100, 300, 300}, pdHorizontal, 2, 2, {300, 200}},
      {"centred beside", {100, 100, 300, 300}, pdHorizontal, 2, 1, {300, 150}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CalculatePopupPosition(c.Owner, c.Direction, c.Horz, c.Vert, size, work), c.Expected) << c.Name;
}

TEST_F(FoundationWindows, BorderedPopupShownThreeTimesKeepsItsContent) {
  TcxPopupWindow popup;
  popup.FrameStyle = 3;
  popup.BorderSpace = 2;
  auto* child = new TCountingControl(&popup);
  child->SetBounds(0, 0, 40, 20);
  child->SetParent(&popup);
  popup.OwnerParent = form;
  popup.OwnerBounds = {10, 10, 60, 30};
  ShowForm();
  for (int i = 0; i < 3; ++i) {
    popup.Popup();
    ProcessMessages();
    EXPECT_EQ(child->Left(), 4) << i;
    EXPECT_EQ(child->Top(), 4) << i;
    EXPECT_EQ(popup.Width(), 48) << i;
    EXPECT_EQ(popup.Height(), 28) << i;
    popup.ClosePopup();
  }
  const TPoint below = form->ClientToScreen({10, 30});
  popup.Popup();
  EXPECT_EQ(popup.Left(), below.x);
  EXPECT_EQ(popup.Top(), below.y);
  popup.ClosePopup();
}

TEST_F(FoundationWindows, ParentBackgroundIsPaintedBehindAControl) {
  form->SetColor(clLime);
  auto* control = Place<TCountingControl>(30, 20, 40, 30);
  ShowForm();
  TBitmap picture(40, 30, pf32bit);
  picture.Canvas()->Brush()->SetColor(clRed);
  picture.Canvas()->FillRect({0, 0, 40, 30});
  TcxCanvas canvas(picture.Canvas());
  DrawControlParentBackground(control, &canvas, {0, 0, 20, 30}, false);
  EXPECT_EQ(picture.Canvas()->Pixels(5, 5) & 0xFFFFFF, clLime);
  EXPECT_EQ(picture.Canvas()->Pixels(30, 5) & 0xFFFFFF, clRed);  // outside the rectangle
}

TEST_F(FoundationWindows, DragImageLetsThePointerThrough) {
  TcxCustomDragImage image;
  image.SetBounds(100, 100, 50, 50);
  image.ShowNoActivate();
  ProcessMessages();
  EXPECT_EQ(SendMessageW(image.Handle(), WM_NCHITTEST, 0, MAKELPARAM(120, 120)), LRESULT(HTTRANSPARENT));
  EXPECT_TRUE(image.AlphaBlend());
  EXPECT_EQ(image.AlphaBlendValue(), 180);
  EXPECT_NE(GetActiveWindow(), image.Handle());
}

TEST_F(FoundationWindows, SizeFrameIsARing) {
  TcxSizeFrame frame(3);
  frame.Handle();
  frame.MoveToRect({100, 100, 140, 130});
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(frame.Handle(), region), ERROR);
  EXPECT_TRUE(PtInRegion(region, 1, 1));
  EXPECT_TRUE(PtInRegion(region, 38, 15));
  EXPECT_TRUE(PtInRegion(region, 20, 28));
  EXPECT_FALSE(PtInRegion(region, 20, 15));  // the inside is cut out
  EXPECT_FALSE(PtInRegion(region, 3, 3));
  DeleteObject(region);
}

TEST_F(FoundationWindows, HintIsClampedToTheWorkArea) {
  const TRect work = WorkAreaAtPoint({10, 10});
  TcxBaseHintWindow hint(nullptr);
  hint.AnimationStyle = 9;
  hint.ActivateHint({work.right - 20, work.bottom - 5, work.right + 80, work.bottom + 25}, L"Hint");
  ProcessMessages();
  EXPECT_EQ(hint.Left(), work.right - 100);
  EXPECT_EQ(hint.Top(), work.bottom - 30);
  EXPECT_TRUE(IsWindowVisible(hint.Handle()));
  ShowWindow(hint.Handle(), SW_HIDE);
}

TEST(HintAnimation, VersionFlagAndStyles) {
  struct Case {
    DWORD Major, Minor;
    bool Flag;
  } versions[] = {{5, 0, false}, {5, 1, true}, {5, 2, true}, {6, 0, false}, {6, 1, true}, {10, 0, false}};
  for (const Case& c : versions) EXPECT_EQ(HintVersionFlag({c.Major, c.Minor}), c.Flag) << c.Major << "." << c.Minor;
  EXPECT_EQ(HintAnimationFlags(7), DWORD(AW_BLEND | AW_SLIDE));
  EXPECT_EQ(HintAnimationFlags(2), DWORD(AW_VER_POSITIVE | AW_SLIDE));
}

BOOL WINAPI AnimationOff(UINT action, UINT, PVOID value, UINT) {
  if (action == SPI_GETTOOLTIPANIMATION || action == SPI_GETTOOLTIPFADE) *static_cast<BOOL*>(value) = FALSE;
  return TRUE;
}
BOOL WINAPI SlideOnly(UINT action, UINT, PVOID value, UINT) {
  *static_cast<BOOL*>(value) = action == SPI_GETTOOLTIPANIMATION;
  return TRUE;
}

TEST(HintAnimation, SystemSettingsDecide) {
  Bound().SystemParametersInfoW = &AnimationOff;
  EXPECT_EQ(EffectiveHintAnimation(3), 9);  // even an explicit style
  Bound().SystemParametersInfoW = &SlideOnly;
  EXPECT_EQ(EffectiveHintAnimation(8), 2);
  EXPECT_EQ(EffectiveHintAnimation(4), 4);
  ResetBoundFunctions();
}

TEST(WindowRoutines, StripAcceleratorPrefix) {
  struct Case {
    String Text;
    bool Flag;
    String Expected;
  } cases[] = {
      {L"&Open", false, L"Open"}, {L"Save && Close", false, L"Save & Close"}, {L"End&", false, L"End"},
      {L"End&", true, L"End_"},   {L"a&&&b", false, L"a&b"},
  };
  for (const Case& c : cases) EXPECT_EQ(StripAcceleratorPrefix(c.Text, c.Flag), c.Expected) << c.Text;
  EXPECT_EQ(MouseKeyFlagsFromShift({ssShift, ssCtrl, ssAlt, ssLeft, ssMiddle, ssDouble}),
            UINT(MK_SHIFT | MK_CONTROL | MK_LBUTTON | MK_MBUTTON));
}

}  // namespace

namespace {

TEST(FoundationCursors, RegisteredAtUnitStart) {
  ASSERT_NE(Screen, nullptr);
  InitializeUnits();  // what the application's Initialize does
  const HCURSOR fallback = Screen->Cursors(0);
  for (int id = 2100; id <= 2114; ++id) {
    EXPECT_NE(Screen->Cursors(TCursor(id)), nullptr) << id;
    EXPECT_NE(Screen->Cursors(TCursor(id)), fallback) << id;
  }
  EXPECT_NE(Screen->Cursors(2100), Screen->Cursors(2113));
  EXPECT_EQ(Screen->Cursors(-2099), LoadCursorW(nullptr, IDC_HAND));
}

}  // namespace

namespace {

// Kept last in the file: it ends the libraries' units.
TEST(UnitEnd, LeftoverWatchersAreUnwatchedAndTheEndGoesOn) {
  Caller caller;
  WatchMouseLeave(nullptr, {0, 0, 10, 10}, &caller);
  ASSERT_TRUE(IsMouseTracking(&caller));
  TcxMessageWindow* shared = SharedMessageWindow();
  ASSERT_NE(shared, nullptr);
  FinalizeUnits();
  EXPECT_FALSE(IsMouseTracking(&caller));
  EXPECT_EQ(caller.left, 0);
  EXPECT_EQ(SharedMessageWindow(), nullptr);  // freed after the tracking list, not made again
  WatchMouseLeave(nullptr, {0, 0, 10, 10}, &caller);
  EXPECT_FALSE(IsMouseTracking(&caller));
}

}  // namespace
