#include <gtest/gtest.h>

#include "EditorTestSupport.h"
#include "platform/framework/rtl/DateUtils.h"

using namespace editor_testing;

namespace {

class EditorMouseTest : public EditorFixture {
 protected:
  void SetUp() override {
    EditorFixture::SetUp();
    // 100 frames per column, so the frame under x is exact.
    Load(Ramp(44100, 2, static_cast<std::int64_t>(wave.Width()) * 100));
    editor->OnChangePosition = [this](TObject*) { ++positionEvents; };
    editor->OnDblClick = [this](TObject*) { ++doubleClicks; };
  }
  std::int64_t Start() { return editor->Position()->GetSelectionStart(); }
  std::int64_t End() { return editor->Position()->GetSelectionEnd(); }

  int positionEvents = 0;
  int doubleClicks = 0;
};

TEST_F(EditorMouseTest, LeftDragSelectsTheFramesUnderTheMouseAndReportsEachChange) {
  const int y = wave.top + 20;
  Mouse(WM_LBUTTONDOWN, wave.left + 50, y, MK_LBUTTON);
  EXPECT_EQ(Start(), 5000);
  EXPECT_EQ(End(), 5000);
  EXPECT_EQ(positionEvents, 1);
  Mouse(WM_MOUSEMOVE, wave.left + 90, y, MK_LBUTTON);
  Mouse(WM_MOUSEMOVE, wave.left + 20, y, MK_LBUTTON);  // back over the anchor
  Mouse(WM_LBUTTONUP, wave.left + 20, y);
  EXPECT_EQ(Start(), 2000);
  EXPECT_EQ(End(), 5000);
  EXPECT_EQ(positionEvents, 3);
  Mouse(WM_MOUSEMOVE, wave.left + 120, y);  // no button: nothing
  EXPECT_EQ(End(), 5000);
}

TEST_F(EditorMouseTest, ADragEndsWhenTheButtonIsFoundUpWithoutARelease) {
  const int y = wave.top + 20;
  Mouse(WM_LBUTTONDOWN, wave.left + 50, y, MK_LBUTTON);
  Mouse(WM_MOUSEMOVE, wave.left + 70, y, MK_LBUTTON);
  Mouse(WM_MOUSEMOVE, wave.left + 90, y);  // the release went elsewhere
  Mouse(WM_MOUSEMOVE, wave.left + 110, y, MK_LBUTTON);
  EXPECT_EQ(Start(), 5000);
  EXPECT_EQ(End(), 7000);
}

TEST_F(EditorMouseTest, ShiftClickExtendsTheSelectionFromItsFartherEnd) {
  editor->Position()->SetSelectionStart(3000);
  editor->Position()->SetSelectionEnd(6000);
  Mouse(WM_LBUTTONDOWN, wave.left + 100, wave.top + 20, MK_LBUTTON | MK_SHIFT);
  Mouse(WM_LBUTTONUP, wave.left + 100, wave.top + 20, MK_SHIFT);
  EXPECT_EQ(Start(), 3000);
  EXPECT_EQ(End(), 10000);
  Mouse(WM_LBUTTONDOWN, wave.left + 10, wave.top + 20, MK_LBUTTON | MK_SHIFT);
  Mouse(WM_LBUTTONUP, wave.left + 10, wave.top + 20, MK_SHIFT);
  EXPECT_EQ(Start(), 1000);
  EXPECT_EQ(End(), 10000);
}

TEST_F(EditorMouseTest, TheRightButtonLeavesTheSelectionAlone) {
  editor->Position()->SetSelectionStart(3000);
  editor->Position()->SetSelectionEnd(6000);
  positionEvents = 0;
  Mouse(WM_RBUTTONDOWN, wave.left + 100, wave.top + 20, MK_RBUTTON);
  Mouse(WM_MOUSEMOVE, wave.left + 140, wave.top + 20, MK_RBUTTON);
  Mouse(WM_RBUTTONUP, wave.left + 140, wave.top + 20);
  EXPECT_EQ(Start(), 3000);
  EXPECT_EQ(End(), 6000);
  EXPECT_EQ(positionEvents, 0);
}

TEST_F(EditorMouseTest, TwoPressesWithinTheSystemsTimeAndDistanceMakeOneDoubleClick) {
  const UINT style = static_cast<UINT>(GetClassLongPtrW(editor->Handle(), GCL_STYLE));
  EXPECT_EQ(style & CS_DBLCLKS, 0u);

  TManualClock clock(0, 100000);
  TClockScope scope(clock);
  const int farAway = GetSystemMetrics(SM_CXDOUBLECLK) + 2;
  const UINT lateBy = GetDoubleClickTime() + 1;
  struct Case {
    const char* name;
    int dx;
    UINT delay;
    int expected;
  } cases[] = {{"same place at once", 0, 0, 1},
               {"one pixel off within the time", 1, GetDoubleClickTime(), 1},
               {"too late", 0, lateBy, 0},
               {"too far", farAway, 0, 0}};
  for (const Case& c : cases) {
    doubleClicks = 0;
    clock.Advance(10000);  // forget earlier presses
    const int x = wave.left + 60, y = wave.top + 30;
    Mouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, x, y);
    clock.Advance(c.delay);
    Mouse(WM_LBUTTONDOWN, x + c.dx, y, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, x + c.dx, y);
    EXPECT_EQ(doubleClicks, c.expected) << c.name;
  }
  // A third quick press starts a new pair instead of making another double click.
  doubleClicks = 0;
  clock.Advance(10000);
  for (int press = 0; press < 3; ++press) {
    Mouse(WM_LBUTTONDOWN, wave.left + 60, wave.top + 30, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, wave.left + 60, wave.top + 30);
  }
  EXPECT_EQ(doubleClicks, 1);
}

TEST_F(EditorMouseTest, TheWheelScrollsAndCtrlWheelZoomsAroundTheMouse) {
  editor->ZoomToRange(10000, 20000);
  editor->SetFocus();
  ASSERT_EQ(GetFocus(), editor->Handle());
  POINT screen{wave.left + wave.Width() / 4, wave.top + 20};
  ClientToScreen(editor->Handle(), &screen);
  const LPARAM at = MAKELPARAM(screen.x, screen.y);

  SendMessageW(editor->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), at);
  EXPECT_EQ(editor->Position()->GetViewStart(), 11250);
  EXPECT_EQ(editor->Position()->GetViewEnd(), 21250);
  SendMessageW(editor->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), at);
  EXPECT_EQ(editor->Position()->GetViewStart(), 10000);

  // The frame under the mouse (a quarter into the view) stays under it; the span halves.
  SendMessageW(editor->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, WHEEL_DELTA), at);
  EXPECT_EQ(editor->Position()->GetViewEnd() - editor->Position()->GetViewStart(), 5000);
  EXPECT_EQ(editor->Position()->GetViewStart(), 11250);
  SendMessageW(editor->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-WHEEL_DELTA)), at);
  EXPECT_EQ(editor->Position()->GetViewEnd() - editor->Position()->GetViewStart(), 10000);
}

TEST_F(EditorMouseTest, TheScrollBarPagesThroughTheDocument) {
  editor->ZoomToRange(10000, 20000);
  SendMessageW(editor->Handle(), WM_HSCROLL, SB_PAGERIGHT, 0);
  EXPECT_EQ(editor->Position()->GetViewStart(), 20000);
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(editor->Handle(), SB_HORZ, &info));
  const std::int64_t length = editor->Position()->GetLength();
  EXPECT_EQ(info.nPos, static_cast<int>(20000 * 10000 / length));
  SendMessageW(editor->Handle(), WM_HSCROLL, SB_LEFT, 0);
  EXPECT_EQ(editor->Position()->GetViewStart(), 0);
  EXPECT_EQ(editor->Position()->GetViewEnd(), 10000);
}

}  // namespace
