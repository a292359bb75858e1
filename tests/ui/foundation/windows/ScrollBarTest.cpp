// The painted scroll bar on a plain form: its range rules, the arrow's auto-repeat (the timer's
// interval is asserted and its ticks are called, nothing sleeps), thumb tracking with and without
// its slack, the closing scroll codes and turning the bar.

#include <gtest/gtest.h>

#include "platform/framework/classes/UnitLifecycle.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTestSupport.h"
#include "ui/foundation/ScrollBar.h"

using namespace window_testing;

namespace {

class ScrollBars : public FormFixture {
 protected:
  void SetUp() override {
    InitializeUnits();
    FormFixture::SetUp();
    bar = Place<TcxScrollBar>(20, 20, 200, 17);
    bar->SetPosition(50);
    bar->OnScroll = [this](TObject*, TScrollCode code, int& pos) {
      codes.push_back(code);
      positions.push_back(pos);
    };
    ShowForm();
  }
  // Presses at a client point with the cursor there, as a real press would be.
  void Press(int x, int y) {
    const TPoint screen = bar->ClientToScreen({x, y});
    SetCursorPos(screen.x, screen.y);
    SendMouse(bar->Handle(), WM_LBUTTONDOWN, x, y, MK_LBUTTON);
  }
  void Tick() {
    TcxTimer* timer = bar->RepeatTimer();
    ASSERT_TRUE(timer->Enabled());
    timer->OnTimer()(timer);
  }
  TcxScrollBar* bar = nullptr;
  std::vector<TScrollCode> codes;
  std::vector<int> positions;
};

}  // namespace

TEST_F(ScrollBars, RangeRulesAcceptNegativeMinimaAndRefuseOversizedPages) {
  // A negative Min with a page that fits the range is a valid range.
  EXPECT_NO_THROW(bar->ApplyScrollRange(-50, 10, 30, -20));
  EXPECT_EQ(bar->Min(), -50);
  EXPECT_EQ(bar->PageSize(), 30);
  EXPECT_NO_THROW(bar->ApplyScrollRange(10, 99, 90, 10));  // the page covers the range
  EXPECT_EQ(testing_support::MessageOf<EInvalidOperation>([&] { bar->ApplyScrollRange(10, 5, 0, 10); }),
            L"Scrollbar property out of range");
  EXPECT_THROW(bar->ApplyScrollRange(0, 99, 101, 0), EInvalidOperation);
  EXPECT_EQ(bar->Max(), 99);  // unchanged after the refusal
  int changes = 0;
  bar->OnChange = [&](TObject*) { ++changes; };
  bar->SetPosition(500);
  EXPECT_EQ(bar->Position(), 99);
  EXPECT_EQ(changes, 1);
}

TEST_F(ScrollBars, ArrowRepeatsAfter400MsThenEvery60AndPausesOffTheArrow) {
  Press(5, 8);
  EXPECT_EQ(bar->Position(), 49);
  EXPECT_EQ(bar->PressedPart(), sbpLineUp);
  EXPECT_TRUE(bar->RepeatTimer()->Enabled());
  EXPECT_EQ(bar->RepeatTimer()->Interval(), 400u);
  Tick();
  EXPECT_EQ(bar->Position(), 48);
  EXPECT_EQ(bar->RepeatTimer()->Interval(), 60u);
  Tick();
  EXPECT_EQ(bar->Position(), 47);
  // Off the arrow the repeat pauses; back on it, it resumes.
  SendMouse(bar->Handle(), WM_MOUSEMOVE, 100, 8, MK_LBUTTON);
  EXPECT_FALSE(bar->RepeatTimer()->Enabled());
  SendMouse(bar->Handle(), WM_MOUSEMOVE, 5, 8, MK_LBUTTON);
  EXPECT_TRUE(bar->RepeatTimer()->Enabled());
  SendMouse(bar->Handle(), WM_LBUTTONUP, 5, 8);
  EXPECT_FALSE(bar->RepeatTimer()->Enabled());
  EXPECT_EQ(bar->PressedPart(), sbpNone);
  EXPECT_EQ(codes, (std::vector<TScrollCode>{scLineUp, scLineUp, scLineUp, scEndScroll}));
}

TEST_F(ScrollBars, ThumbStraying200PixelsSnapsBackUnlessTrackingIsUnlimited) {
  for (bool unlimited : {false, true}) {
    bar->UnlimitedTracking = unlimited;
    bar->SetPosition(0);
    codes.clear();
    const TRect thumb = bar->ViewInfo()->Layout.Thumb;
    const int y = 8, x = thumb.left + 2;
    Press(x, y);
    ASSERT_EQ(bar->PressedPart(), sbpThumbnail);
    SendMouse(bar->Handle(), WM_MOUSEMOVE, x + 60, y, MK_LBUTTON);
    const int moved = bar->Position();
    EXPECT_GT(moved, 0);
    // 200 pixels below the bar: outside the 136-pixel slack across it.
    SendMouse(bar->Handle(), WM_MOUSEMOVE, x + 60, y + 200, MK_LBUTTON);
    EXPECT_EQ(bar->Position(), unlimited ? moved : 0) << unlimited;
    SendMouse(bar->Handle(), WM_LBUTTONUP, x + 60, y + 200);
    ASSERT_GE(codes.size(), 2u);
    EXPECT_EQ(codes[codes.size() - 2], scPosition);
    EXPECT_EQ(codes.back(), scEndScroll);
  }
}

TEST_F(ScrollBars, TurningTheBarExchangesItsSides) {
  auto* turned = Place<TcxScrollBar>(20, 60, 121, 17);
  turned->SetKind(sbVertical);
  EXPECT_EQ(turned->Width(), 17);
  EXPECT_EQ(turned->Height(), 121);
  EXPECT_EQ(turned->ViewInfo()->Layout.FirstArrow, TRect(0, 0, 17, 17));
}

TEST_F(ScrollBars, PagePressAndCaptureLoss) {
  bar->LargeChange = 10;
  const TRect after = bar->ViewInfo()->Layout.PageAfter;
  Press(after.left + 5, 8);
  EXPECT_EQ(bar->Position(), 60);
  SendMessageW(bar->Handle(), WM_CANCELMODE, 0, 0);
  EXPECT_EQ(bar->PressedPart(), sbpNone);
  EXPECT_FALSE(bar->RepeatTimer()->Enabled());
  EXPECT_EQ(codes.back(), scEndScroll);
}

namespace {
int g_reported = 0;
void CountReport(const std::exception_ptr&) { ++g_reported; }
}  // namespace

TEST_F(ScrollBars, HandlersThatRaiseInTheWindowProcedureOrTheRepeatTimerAreReported) {
  g_reported = 0;
  const ExceptionSink saved = SetExceptionSink(&CountReport);
  int steps = 0;
  bar->OnScroll = [&](TObject*, TScrollCode code, int&) {
    if (code == scLineUp && ++steps >= 2) throw Exception(L"scroll handler failed");
  };
  // The press scrolls once and arms the repeat; its first real tick, 400 ms later, raises.
  Press(5, 8);
  EXPECT_EQ(g_reported, 0);
  EXPECT_TRUE(bar->RepeatTimer()->Enabled());
  testing_support::PumpUntil([] { return g_reported >= 1; }, 2000);
  EXPECT_EQ(steps, 2);
  EXPECT_GE(g_reported, 1);
  // In a window procedure: the next press on the arrow raises inside WM_LBUTTONDOWN.
  SendMouse(bar->Handle(), WM_LBUTTONUP, 5, 8);
  const int before = g_reported;
  Press(5, 8);
  EXPECT_EQ(g_reported, before + 1);
  SendMouse(bar->Handle(), WM_LBUTTONUP, 5, 8);
  SetExceptionSink(saved);
  bar->OnScroll = nullptr;
  bar->SetPosition(10);
  EXPECT_EQ(bar->Position(), 10);
}
