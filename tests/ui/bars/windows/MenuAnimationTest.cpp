// The worker that unfolds and slides menu windows open: its steps as numbers, and real menus growing
// from the side that opened them, stopped by a key or by closing. Every run is time-boxed.
#include <gtest/gtest.h>

#include <chrono>

#include "platform/framework/classes/Thread.h"
#include "tests/support/WindowTestSupport.h"
#include "tests/ui/bars/BarTestWindow.h"
#include "ui/bars/BarAnimation.h"
#include "ui/bars/BarItemControls.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/SubMenuControl.h"

using namespace bar_testing;

namespace {

TEST(MenuAnimationRecord, StepsKeepTheSidesDifferenceAndEndAtTheFinalSize) {
  struct Row {
    TdxBarMenuAnimations Kind;
    int W, H;
    int StartOffset, Distance, StepSize;
    TRect Previous;
  };
  const Row rows[] = {
      {maUnfold, 120, 80, -40, 80, 8, TRect{0, 0, 40, 0}},   // wider than tall
      {maUnfold, 80, 120, 40, 80, 8, TRect{0, 0, 0, 40}},    // taller than wide
      {maUnfold, 96, 96, 0, 96, 8, TRect{0, 0, 0, 0}},       // square: both sides from 0
      {maSlide, 120, 170, 0, 170, 17, TRect{0, 0, 120, 0}},  // only the height grows
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(int(row.Kind) * 1000 + row.W);
    const TdxBarAnimationRecord r = MakeAnimationRecord(row.Kind, 10, 20, row.W, row.H, 6, 6, 1, 1, false, false);
    EXPECT_EQ(r.StartOffset, row.StartOffset);
    EXPECT_EQ(r.Distance, row.Distance);
    EXPECT_EQ(r.StepSize, row.StepSize);
    EXPECT_EQ(r.PreviousClientRect, row.Previous);
    // Distances that are whole steps end exactly at the final client size.
    const TSize last = AnimationStepSize(r, AnimationStepCount(r), row.W);
    EXPECT_EQ(last.cx, row.W);
    EXPECT_EQ(last.cy, row.H);
    const TSize first = AnimationStepSize(r, 1, row.W);
    if (row.Kind == maUnfold) {
      EXPECT_EQ(first.cy - first.cx, row.StartOffset);
    }
  }
}

TEST(MenuAnimationRecord, GrowthSideFollowsTheDirectionsAndFlipsAndShortDistancesMakeNoStep) {
  struct Row {
    int Horz, Vert;
    bool FlippedX, FlippedY;
    bool Left, Up;
  };
  const Row rows[] = {{1, 1, false, false, false, false}, {1, 1, true, true, true, true},
                      {0, 0, false, false, true, true}, {0, 1, true, false, false, false}};
  for (const Row& row : rows) {
    const TdxBarAnimationRecord r =
        MakeAnimationRecord(maSlide, 0, 0, 50, 50, 0, 0, row.Horz, row.Vert, row.FlippedX, row.FlippedY);
    EXPECT_EQ(r.GrowsLeftwards, row.Left);
    EXPECT_EQ(r.GrowsUpwards, row.Up);
  }
  EXPECT_EQ(AnimationStepCount(MakeAnimationRecord(maSlide, 0, 0, 100, 16, 0, 0, 1, 1, false, false)), 0);
  EXPECT_EQ(AnimationStepCount(MakeAnimationRecord(maUnfold, 0, 0, 7, 40, 0, 0, 1, 1, false, false)), 0);
  EXPECT_EQ(AnimationStepCount(MakeAnimationRecord(maSlide, 0, 0, 100, 35, 0, 0, 1, 1, false, false)), 2);
}

class TTestMenu : public TdxBarSubMenuControl {
 public:
  using TdxBarSubMenuControl::TdxBarSubMenuControl;
  TRect Work{};
  TRect WorkAreaFor(const TPoint&) override { return Work; }
};

class MenuAnimation : public BarWindowFixture {
 protected:
  void SetUp() override {
    BarWindowFixture::SetUp();
    // Far from every menu: no real mouse move stops a worker.
    SetCursorPos(2, 2);
  }
  void TearDown() override {
    for (TTestMenu* menu : menus) {
      if (IsLiveBarControl(menu)) menu->Free();
    }
    BarWindowFixture::TearDown();
  }

  TTestMenu* NewMenu(int Count) {
    TTestLinksOwner* owner = NewOwner(pkMenu);
    owners.push_back(owner);
    for (int i = 0; i < Count; ++i) owner->Links()->AddItemLink(NewItem(L"a" + IntToStr(int(menus.size())) + L"_" + IntToStr(i)));
    auto* menu = new TTestMenu(manager);
    menu->AssignItemLinks(owner->Links());
    menu->Work = TRect{200, 100, 800, 700};
    menus.push_back(menu);
    return menu;
  }
  // Opens the menu animated with the kind; the anchor (AnchorHeight) is an item above the point.
  void Open(TTestMenu* Menu, TdxBarMenuAnimations Kind, int X, int Y) {
    manager->SetMenuAnimations(Kind);
    Menu->Animate = true;
    Menu->SetBounds(X, Y, 0, 0);
    Menu->ShowSubMenuWindow();
  }
  // Serves messages and synchronised calls until the worker is gone (at most five seconds), calling
  // Sample while it runs.
  template <typename F>
  static bool RunWorker(TTestMenu* Menu, F Sample) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (Menu->AnimationWorker && std::chrono::steady_clock::now() < end) {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
      CheckSynchronize(2);
      if (Menu->AnimationWorker) Sample();
    }
    return Menu->AnimationWorker == nullptr;
  }
  static TRect WindowRect(TTestMenu* Menu) {
    RECT r;
    GetWindowRect(Menu->Handle(), &r);
    return TRect{r.left, r.top, r.right, r.bottom};
  }

  std::vector<TTestMenu*> menus;
};

TEST_F(MenuAnimation, UnfoldAndSlideReachTheirFinalBoundsGrowingFromTheFixedEdges) {
  struct Row {
    TdxBarMenuAnimations Kind;
    int X, Y;
    bool Left, Up;
  };
  // At (300, 150) the menu opens right and down; at (790, 690) it flips left and up.
  const Row rows[] = {{maUnfold, 300, 150, false, false}, {maSlide, 300, 150, false, false},
                      {maUnfold, 790, 690, true, true}, {maSlide, 790, 690, true, true}};
  for (const Row& row : rows) {
    SCOPED_TRACE(int(row.Kind) * 10000 + row.X);
    TTestMenu* menu = NewMenu(12);
    Open(menu, row.Kind, row.X, row.Y);
    ASSERT_NE(menu->AnimationWorker, nullptr);
    const TdxBarAnimationRecord record = menu->AnimationWorker->Record();
    EXPECT_EQ(record.GrowsLeftwards, row.Left);
    EXPECT_EQ(record.GrowsUpwards, row.Up);
    const TRect final{record.FinalLeft, record.FinalTop, record.FinalLeft + record.FrameWidth + record.FinalClientWidth,
                      record.FinalTop + record.FrameHeight + record.FinalClientHeight};
    int samples = 0, partial = 0;
    bool edgesKept = true;
    ASSERT_TRUE(RunWorker(menu, [&] {
      if (!IsWindowVisible(menu->Handle())) return;
      const TRect r = WindowRect(menu);
      ++samples;
      if (r != final) ++partial;
      // The fixed edges stay where the final window has them.
      if ((row.Left ? r.right : r.left) != (row.Left ? final.right : final.left)) edgesKept = false;
      if ((row.Up ? r.bottom : r.top) != (row.Up ? final.bottom : final.top)) edgesKept = false;
    }));
    EXPECT_TRUE(edgesKept);
    EXPECT_GT(partial, 0) << samples;
    EXPECT_TRUE(IsWindowVisible(menu->Handle()));
    EXPECT_EQ(WindowRect(menu), final);
    EXPECT_FALSE(menu->Animate);
    menu->CloseAndFree();
  }
}

TEST_F(MenuAnimation, AKeyOrAClickStopsTheWorkerAtTheFinalBoundsAndClosingSkipsTheFinish) {
  for (int way = 0; way < 3; ++way) {
    SCOPED_TRACE(way);
    TTestMenu* menu = NewMenu(30);
    Open(menu, maSlide, 300, 110);
    // The test serves no messages, so the worker is still at its first steps.
    ASSERT_NE(menu->AnimationWorker, nullptr);
    const TdxBarAnimationRecord record = menu->AnimationWorker->Record();
    const TRect final{record.FinalLeft, record.FinalTop, record.FinalLeft + record.FrameWidth + record.FinalClientWidth,
                      record.FinalTop + record.FrameHeight + record.FinalClientHeight};
    if (way == 2) {
      menu->CloseAndFree();
      EXPECT_FALSE(IsLiveBarControl(menu));
      continue;
    }
    if (way == 0) {
      KeyDown(menu, VK_SHIFT);
    } else {
      menu->Perform(WM_LBUTTONDOWN, 0, MAKELPARAM(2, 2));
    }
    ASSERT_TRUE(IsLiveBarControl(menu));
    EXPECT_EQ(menu->AnimationWorker, nullptr);
    EXPECT_FALSE(menu->Animate);
    EXPECT_TRUE(IsWindowVisible(menu->Handle()));
    EXPECT_EQ(WindowRect(menu), final);
    menu->CloseAndFree();
  }
}

TEST_F(MenuAnimation, AShortMenuIsShownByTheFinishingStepAlone) {
  const int saved = TTestBarPainter::TextHeight;
  TTestBarPainter::TextHeight = 12;
  TTestMenu* menu = NewMenu(1);
  Open(menu, maSlide, 300, 150);
  ASSERT_NE(menu->AnimationWorker, nullptr);
  EXPECT_EQ(AnimationStepCount(menu->AnimationWorker->Record()), 0);
  const TRect natural = WindowRect(menu);
  EXPECT_TRUE(RunWorker(menu, [] {}));
  EXPECT_TRUE(IsWindowVisible(menu->Handle()));
  EXPECT_EQ(WindowRect(menu), natural);
  TTestBarPainter::TextHeight = saved;
}

}  // namespace
