// Item hints in a real bar window: the show and hide pauses of plain hints and screen tips, the quick
// re-show, the hint window's style switch, and the last manager going while a hint shows.

#include <gtest/gtest.h>

#include "tests/support/WindowTestSupport.h"
#include "tests/ui/bars/BarTestWindow.h"
#include "ui/bars/BarHints.h"
#include "ui/bars/BarItemControls.h"
#include "ui/bars/BarItems.h"

using namespace bar_testing;

namespace {

class BarHintTest : public BarWindowFixture {
 protected:
  void SetUp() override {
    BarWindowFixture::SetUp();
    window = NewWindow();
    for (const wchar_t* caption : {L"Open", L"Save"}) {
      TdxBarButton* item = NewItem(caption);
      item->SetHint(String(caption) + L" file|" + caption + L"s the file");
      window->ItemLinks()->AddItemLink(item);
    }
    window->ShowAt(200, 200, 200, 30);
  }
  TdxBarItemControl* ControlAt(int Index) { return window->ItemLinks()->LinkAt(Index)->ItemControl(); }
  void Hover(int Index) {
    const TPoint p = CentreOf(ControlAt(Index));
    MoveTo(window, p.x, p.y);
  }
  TcxTimer* Timer(TdxBarManager::THintTimer Kind) { return manager->HintTimer(Kind); }
  void Fire(TdxBarManager::THintTimer Kind) {
    TcxTimer* timer = Timer(Kind);
    ASSERT_TRUE(timer->Enabled());
    timer->OnTimer()(timer);
  }
  static bool HintShown() { return BarHintWindow() && BarHintWindow()->HintShown(); }

  TTestBarControl* window = nullptr;
};

static bool DropShadowClass(HWND Window) { return (GetClassLongPtrW(Window, GCL_STYLE) & CS_DROPSHADOW) != 0; }

TEST_F(BarHintTest, ATextHintIsPlainWaitsASecondAndHidesAfterTenSeconds) {
  ASSERT_NE(BarHintWindow(), nullptr);
  manager->ShowItemHint(true, L"Ready");
  EXPECT_FALSE(HintShown());
  ASSERT_TRUE(Timer(TdxBarManager::htShow)->Enabled());
  EXPECT_EQ(Timer(TdxBarManager::htShow)->Interval(), 1000u);
  Fire(TdxBarManager::htShow);
  ASSERT_TRUE(HintShown());
  EXPECT_FALSE(BarHintWindow()->IsScreenTipStyle());
  EXPECT_FALSE(DropShadowClass(BarHintWindow()->Handle()));
  ASSERT_TRUE(Timer(TdxBarManager::htHide)->Enabled());
  EXPECT_EQ(Timer(TdxBarManager::htHide)->Interval(), 10000u);
  Fire(TdxBarManager::htHide);
  EXPECT_FALSE(HintShown());
}

TEST_F(BarHintTest, AControlsHintIsDrawnAsAScreenTipAndFollowsWithin400MillisecondsAtOnce) {
  Hover(0);
  EXPECT_EQ(manager->HintObject(), ControlAt(0));
  EXPECT_FALSE(HintShown());
  EXPECT_EQ(Timer(TdxBarManager::htShow)->Interval(), 1000u);
  Fire(TdxBarManager::htShow);
  ASSERT_TRUE(HintShown());
  // A control's hint is drawn on a screen tip's background: the window switched its style.
  EXPECT_TRUE(BarHintWindow()->IsScreenTipStyle());
  EXPECT_TRUE(Is<TdxBarLikeHintScreenTipViewInfo>(BarHintWindow()->ViewInfo()));
  EXPECT_TRUE(DropShadowClass(BarHintWindow()->Handle()));
  EXPECT_EQ(Timer(TdxBarManager::htHide)->Interval(), 200000u);

  // The next control's hint replaces the shown one without a pause.
  Hover(1);
  EXPECT_TRUE(HintShown());
  EXPECT_EQ(manager->HintObject(), ControlAt(1));
  EXPECT_FALSE(Timer(TdxBarManager::htShow)->Enabled());
  ASSERT_TRUE(Timer(TdxBarManager::htQuick)->Enabled());
  EXPECT_EQ(Timer(TdxBarManager::htQuick)->Interval(), 400u);
  EXPECT_TRUE(manager->QuickHint());
  // Hidden, then asked again inside the quick pause: at once.
  manager->HideItemHint();
  EXPECT_FALSE(HintShown());
  Hover(0);
  EXPECT_TRUE(HintShown());
  // After the quick pause the pause is back, the screen tip's.
  manager->HideItemHint();
  Fire(TdxBarManager::htQuick);
  EXPECT_FALSE(manager->QuickHint());
  Hover(1);
  EXPECT_FALSE(HintShown());
  ASSERT_TRUE(Timer(TdxBarManager::htShow)->Enabled());
  EXPECT_EQ(Timer(TdxBarManager::htShow)->Interval(), 900u);
}

TEST_F(BarHintTest, AScreenTipWithADescriptionAndBackToAPlainHint) {
  auto* repository = new TdxBarScreenTipRepository(form);
  TdxBarScreenTip* tip = repository->Items()->Add();
  tip->Header()->SetText(L"Save");
  tip->Description()->SetText(L"Saves the file under its name.");
  window->ItemLinks()->LinkAt(1)->Item()->SetScreenTip(tip);

  Hover(1);
  Fire(TdxBarManager::htShow);
  ASSERT_TRUE(HintShown());
  TdxBarHintWindow* hintWindow = BarHintWindow();
  EXPECT_TRUE(Is<TdxBarScreenTipViewInfo>(hintWindow->ViewInfo()));
  EXPECT_TRUE(DropShadowClass(hintWindow->Handle()));
  // Without descriptions the tip is a hint-like line with its header.
  manager->HideItemHint();
  repository->ShowDescription = false;
  Hover(0);
  Hover(1);
  Fire(TdxBarManager::htShow);
  ASSERT_TRUE(HintShown());
  EXPECT_TRUE(Is<TdxBarLikeHintScreenTipViewInfo>(hintWindow->ViewInfo()));

  // A text hint flips the window back: made anew, without the shadow in its class.
  manager->HideItemHint();
  const HWND before = hintWindow->Handle();
  manager->ShowItemHint(true, L"Ready");
  Fire(TdxBarManager::htShow);
  ASSERT_TRUE(HintShown());
  EXPECT_FALSE(hintWindow->IsScreenTipStyle());
  EXPECT_FALSE(DropShadowClass(hintWindow->Handle()));
  EXPECT_NE(hintWindow->Handle(), before);
}

TEST_F(BarHintTest, TheLongHintOfTheHotControlIsTheWindowsHintText) {
  Hover(1);
  EXPECT_EQ(window->HintText(), L"Saves the file");
  window->ItemLinks()->LinkAt(0)->Item()->SetEnabled(false);
  manager->ShowHintForDisabledItems = false;
  Hover(0);
  EXPECT_EQ(window->HintText(), L"");
}

TEST_F(BarHintTest, AMenuThatPassesHintsGivesTheLongHintToTheApplication) {
  TTestBarControl* menu = NewWindow(2);
  TdxBarButton* item = NewItem(L"Exit");
  item->SetHint(L"Exit|Closes the program");
  menu->ItemLinks()->AddItemLink(item);
  menu->ShowAt(200, 260, 160, 60);
  Application->SetHint(L"");
  const TPoint p = CentreOf(menu->ItemLinks()->LinkAt(0)->ItemControl());
  MoveTo(menu, p.x, p.y);
  EXPECT_EQ(Application->Hint(), L"");
  MoveTo(menu, 2, menu->ClientHeight() - 2);
  menu->PassHints = true;
  MoveTo(menu, p.x, p.y);
  EXPECT_EQ(Application->Hint(), L"Closes the program");
  Application->SetHint(L"");
}

TEST_F(BarHintTest, TheLastManagerGoingWhileAHintShowsLeavesNoTimerAndNoWindow) {
  Hover(0);
  Fire(TdxBarManager::htShow);
  ASSERT_TRUE(HintShown());
  TcxTimer* hide = Timer(TdxBarManager::htHide);
  ASSERT_TRUE(hide->Enabled());
  // A short hide pause, so a timer left running would fire within the wait below.
  hide->SetEnabled(false);
  hide->SetInterval(10);
  hide->SetEnabled(true);
  const UINT_PTR id = hide->TimerId();
  ASSERT_NE(id, 0u);

  windows.clear();
  form->Free();
  form = nullptr;
  manager = nullptr;
  EXPECT_EQ(BarHintWindow(), nullptr);
  Sleep(50);
  MSG msg;
  int timers = 0;
  while (PeekMessageW(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) {
    if (msg.wParam == id) ++timers;
    DispatchMessageW(&msg);
  }
  EXPECT_EQ(timers, 0);
  window_testing::ProcessMessages();
}

}  // namespace
