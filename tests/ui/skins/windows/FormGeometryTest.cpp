// A skinned form's frame geometry as tables over pinned system metrics, the screen snap and the
// rubber band (its frame calls recorded; the desktop's inverted frame is not read back).

#include <gtest/gtest.h>

#include "platform/framework/rtl/Seams.h"
#include "ui/skins/windows/FormGeometry.h"

namespace {

// Pinned metrics: captions 26 (small 18), menus 20, dialog frames 3, sizing frames 4.
int WINAPI PinnedMetrics(int index) {
  switch (index) {
    case SM_CYCAPTION:
      return 26;
    case SM_CYSMCAPTION:
      return 18;
    case SM_CYMENU:
      return 20;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
      return 3;
    case SM_CXFRAME:
    case SM_CYFRAME:
      return 4;
    default:
      return GetSystemMetrics(index);
  }
}

class FormGeometry : public testing::Test {
 protected:
  void SetUp() override { Bound().GetSystemMetrics = &PinnedMetrics; }
  void TearDown() override { ResetBoundFunctions(); }
  static TacFormFacts Facts(TFormBorderStyle style) {
    TacFormFacts f;
    f.BorderStyle = style;
    f.WindowWidth = f.FormWidth = 300;
    f.WindowHeight = 200;
    f.ClientWidth = 292;
    f.ClientHeight = 200 - 26 - 8;
    return f;
  }
};

TEST_F(FormGeometry, TitleBarFramesAndIconsByBorderStyle) {
  struct TCase {
    TFormBorderStyle Style;
    bool MDIChild;
    DWORD WindowStyle;
    bool Iconic;
    int Title, Side, Icon;
  } cases[] = {
      {bsSizeable, false, WS_OVERLAPPEDWINDOW, false, 26, 4, 16},
      {bsSingle, false, WS_OVERLAPPEDWINDOW, false, 26, 3, 16},
      {bsDialog, false, WS_POPUP | WS_CAPTION, false, 26, 3, 0},
      {bsToolWindow, false, WS_POPUP | WS_CAPTION, false, 18, 3, 0},
      {bsSizeToolWin, false, WS_POPUP | WS_CAPTION, false, 18, 4, 0},
      {bsNone, false, WS_POPUP, false, 0, 0, 0},
      {bsNone, true, WS_CHILD | WS_CAPTION, false, 26, 4, 0},        // an MDI child always has a frame
      {bsSizeable, false, WS_POPUP | WS_THICKFRAME, true, 26, 4, 16},  // iconic: a title bar without WS_CAPTION
      {bsSizeable, false, WS_POPUP | WS_THICKFRAME, false, 0, 4, 0},
  };
  for (const TCase& c : cases) {
    TacFormFacts f = Facts(c.Style);
    f.MDIChild = c.MDIChild;
    f.Style = c.WindowStyle;
    f.Iconic = c.Iconic;
    EXPECT_EQ(TitleBarHeight(f), c.Title) << c.Style << " " << c.MDIChild;
    EXPECT_EQ(SideFrameWidth(f), c.Side) << c.Style;
    EXPECT_EQ(FrameHeight(f), c.Side) << c.Style;
    EXPECT_EQ(TitleIconSize(f).cx, c.Icon) << c.Style;
  }
}

TEST_F(FormGeometry, IconSizesFollowTheTitleHeight) {
  const int table[][2] = {{8, 0}, {9, 8}, {16, 8}, {17, 16}, {26, 16}, {27, 16}, {28, 32}, {40, 32}};
  for (const auto& row : table) EXPECT_EQ(IconSizeForHeight(row[0]), row[1]) << row[0];
  TacFormFacts f = Facts(bsSizeable);
  f.TitleIconWidth = 20;
  EXPECT_EQ(TitleIconSize(f), TSize(20, 16));
  EXPECT_EQ(TitleIconRect(f), TRect(4, 7, 24, 23));
  f.ShowAppIcon = false;
  EXPECT_EQ(TitleIconSize(f), TSize(0, 0));
}

TEST_F(FormGeometry, ClientShiftAndTopBand) {
  TacFormFacts f = Facts(bsSizeable);
  f.BorderWidth = 2;
  f.ClientWidth = 300 - 12;
  f.ClientHeight = 200 - 26 - 12;
  EXPECT_EQ(ClientShift(f), TPoint(6, 200 - f.ClientHeight - 6));
  EXPECT_EQ(TopBandHeight(f), 200 - f.ClientHeight - 4 - 2);
  f.VertBarWidth = 16;
  f.HorzBarHeight = 16;
  EXPECT_EQ(ClientShift(f), TPoint(-2, 200 - f.ClientHeight - 6 - 16));
  EXPECT_EQ(FullFrame(f), 6);
  TacFormFacts none = Facts(bsNone);
  none.Style = WS_POPUP;
  none.ClientWidth = 300;
  none.ClientHeight = 200;
  EXPECT_EQ(ClientShift(none), TPoint(0, 0));
  EXPECT_EQ(TopBandHeight(none), 0);
}

TEST_F(FormGeometry, MenuRowsWrapWhenTheItemsPassTheRoom) {
  TacFormFacts f = Facts(bsSizeable);
  EXPECT_EQ(MenuRows(f, {100, 100, 100}), 1) << "without a main menu";
  f.HasMainMenu = true;
  EXPECT_EQ(MenuBarHeight(f), 19);
  // Room: 300 - 2 x 4 = 292; x starts at 4.
  EXPECT_EQ(MenuRows(f, {100, 100, 88}), 1);
  EXPECT_EQ(MenuRows(f, {100, 100, 89}), 2);
  EXPECT_EQ(MenuRows(f, {200, 200, 200}), 3);
  f.BorderWidth = 10;
  EXPECT_EQ(MenuRows(f, {100, 100, 88}), 2);
}

TEST(ScreenSnap, TheBufferDecides) {
  const TRect work(0, 0, 1000, 700);
  struct TCase {
    int X, Y;
    bool Maximized;
    int ExpectedX, ExpectedY;
  } cases[] = {
      {1000 - 300 + 7, 100, false, 700, 100},   // + 7 snaps to the right edge
      {1000 - 300 + 10, 100, false, 710, 100},  // + 10 does not
      {100, 700 - 200 - 9, false, 100, 500},    // bottom edge
      {6, 50, false, 0, 50},                    // left edge
      {50, -5, false, 50, 0},                   // top edge
      {0, 0, false, 0, 0},                      // (0, 0) untouched
      {703, 100, true, 703, 100},               // maximized: not snapped
  };
  for (const TCase& c : cases) {
    int x = c.X, y = c.Y;
    SnapWindowPos(x, y, 300, 200, work, TPoint(0, 0), 10, c.Maximized);
    EXPECT_EQ(x, c.ExpectedX) << c.X << "," << c.Y;
    EXPECT_EQ(y, c.ExpectedY) << c.X << "," << c.Y;
  }
}

TEST(RubberBand, SizingEdgesKeepTheMinimum) {
  const TRect start(100, 100, 400, 300);
  const TSize minimum(120, 80);
  const TPoint last(100, 200);
  struct TCase {
    int Edge;
    TPoint Cursor;
    TRect Expected;
  } cases[] = {
      {HTLEFT, TPoint(90, 200), TRect(90, 100, 400, 300)},
      {HTLEFT, TPoint(390, 200), TRect(280, 100, 400, 300)},  // below the minimum width: right - MinWidth
      {HTTOP, TPoint(100, 260), TRect(100, 160, 400, 300)},
      {HTTOP, TPoint(100, 400), TRect(100, 220, 400, 300)},
      {HTRIGHT, TPoint(110, 200), TRect(100, 100, 410, 300)},
      {HTBOTTOM, TPoint(100, 100), TRect(100, 100, 400, 200)},
      {HTBOTTOM, TPoint(100, 0), TRect(100, 100, 400, 180)},
      {HTBOTTOMRIGHT, TPoint(110, 210), TRect(100, 100, 410, 310)},
      {HTTOPLEFT, TPoint(95, 195), TRect(95, 95, 400, 300)},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(SizeBandRect(c.Edge, c.Cursor, last, start, minimum, start), c.Expected) << c.Edge;
}

class RubberBandCalls : public testing::Test {
 protected:
  void SetUp() override {
    SetRubberBandPainter([this](HDC, const TRect& r) { Frames.push_back(r); });
  }
  void TearDown() override { SetRubberBandPainter(nullptr); }
  std::vector<TRect> Frames;
};

TEST_F(RubberBandCalls, MovingDrawsAndErasesThroughOneRoutine) {
  TacRubberBand band;
  band.Begin(nullptr, TRect(100, 100, 400, 300), true, HTCAPTION, TPoint(150, 110), TSize());
  band.Move(TPoint(160, 130));
  const TRect end = band.End();
  EXPECT_EQ(end, TRect(110, 120, 410, 320));
  // Drawn, erased, drawn at the new place, erased at the end: the inverted frame leaves nothing.
  EXPECT_EQ(Frames, (std::vector<TRect>{TRect(100, 100, 400, 300), TRect(100, 100, 400, 300),
                                        TRect(110, 120, 410, 320), TRect(110, 120, 410, 320)}));
  EXPECT_FALSE(band.Active());
}

TEST_F(RubberBandCalls, ASizingReleaseWithoutAMoveLeavesTheWindow) {
  TacRubberBand band;
  const TRect start(100, 100, 400, 300);
  band.Begin(nullptr, start, false, HTBOTTOMRIGHT, TPoint(400, 300), TSize(50, 50));
  EXPECT_EQ(band.End(), start);
  EXPECT_EQ(Frames.size() % 2, 0u) << "every drawn frame is erased";
  TacRubberBand sized;
  sized.Begin(nullptr, start, false, HTLEFT, TPoint(100, 200), TSize(120, 80));
  sized.Move(TPoint(100, 200));
  sized.Move(TPoint(390, 200));
  EXPECT_EQ(sized.End(), TRect(280, 100, 400, 300));
}

}  // namespace
