// The skinned non-client scroll bars on real windows: the reserved room, hit codes, what the
// non-client paint shows, a left bar, the thumb geometry shared by painting, hit-testing and
// dragging, held arrows on the repeat timers (fired by the tests), drags and the size grip.

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/WindowTestSupport.h"
#include "tests/ui/skins/SkinTestSupport.h"
#include "ui/skins/core/SkinCommands.h"
#include "ui/skins/windows/ScrollWnd.h"

using namespace skin_testing;
using namespace controls_skin;
using testing_support::ScratchFolder;

namespace {

struct TScrollSeen {
  UINT Msg;
  int Code;
  int Position;
  int PosNow;  // the window's scroll position when the message arrived
};
std::vector<TScrollSeen> scrolls;

// A window with scroll bars that records the scroll requests and leaves its position alone.
LRESULT CALLBACK ScrollRecordingProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_HSCROLL || msg == WM_VSCROLL) {
    scrolls.push_back({msg, LOWORD(wParam), static_cast<short>(HIWORD(wParam)),
                       GetScrollPos(window, msg == WM_HSCROLL ? SB_HORZ : SB_VERT)});
    return 0;
  }
  return DefWindowProcW(window, msg, wParam, lParam);
}

const wchar_t* RegisterOnce(const wchar_t* name, WNDPROC proc) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = name;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  RegisterClassW(&wc);
  return name;
}

const wchar_t* HostClass() {
  static const wchar_t* name = RegisterOnce(L"ScrollWndHost", &DefWindowProcW);
  return name;
}
const wchar_t* RecorderClass() {
  static const wchar_t* name = RegisterOnce(L"ScrollWndRecorder", &ScrollRecordingProc);
  return name;
}

using ScrollPtr = std::unique_ptr<TacScrollWnd, TFreeDeleter>;

TColor ScreenPixel(HWND window, TPoint screen) {
  RECT wr{};
  GetWindowRect(window, &wr);
  HDC dc = GetWindowDC(window);
  const COLORREF c = GetPixel(dc, screen.x - wr.left, screen.y - wr.top);
  ReleaseDC(window, dc);
  return static_cast<TColor>(c);
}

TRect ClientOnScreen(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

class ScrollWindows : public testing::Test {
 protected:
  ScratchFolder folder;
  ManagerPtr manager;
  HWND host = nullptr;
  int system = 0;

  void SetUp() override {
    manager = NewControlsManager(folder.Path().substr(0, folder.Path().size() - 1));
    ASSERT_TRUE(manager->SkinData().Active);
    host = CreateWindowExW(0, HostClass(), L"host", WS_POPUP | WS_VISIBLE, 40, 40, 420, 460, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
    system = GetSystemMetrics(SM_CXVSCROLL);
    scrolls.clear();
    ScrollMouse = TacScrollMouseState{};
  }
  void TearDown() override {
    ReleaseCapture();
    if (IsWindow(host)) DestroyWindow(host);
    manager.reset();
  }
  HWND MakeChild(const wchar_t* cls, DWORD style, int x, int y, int w, int h, DWORD exStyle = 0) {
    return CreateWindowExW(exStyle, cls, L"", WS_CHILD | WS_VISIBLE | style, x, y, w, h, host, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  }
  HWND MakeListBox(DWORD style = WS_VSCROLL, int x = 10, int y = 10, int w = 300, int h = 400) {
    HWND list = MakeChild(L"LISTBOX", WS_BORDER | LBS_NOINTEGRALHEIGHT | style, x, y, w, h);
    for (int i = 0; i < 100; ++i) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"line"));
    return list;
  }
  // A recording window with a vertical bar of range 0..Max, page Page, position Pos.
  HWND MakeRecorder(int max, UINT page, int pos, int h = 300) {
    HWND window = MakeChild(RecorderClass(), WS_VSCROLL | WS_BORDER, 20, 20, 200, h);
    SCROLLINFO info{sizeof(info), SIF_ALL | SIF_DISABLENOSCROLL, 0, max, page, pos, 0};
    SetScrollInfo(window, SB_VERT, &info, TRUE);
    return window;
  }
  ScrollPtr Skin(HWND window) {
    return MakeSubclass<TacScrollWnd>(true, window, nullptr, manager.get(), String(L"MAINMENU"));
  }
  void Paint(HWND window) { SendMessageW(window, WM_NCPAINT, 1, 0); }
};

TEST_F(ScrollWindows, TheClientShrinksByTheBarThicknessAndWindowsWithoutBarsStayAsTheyWere) {
  HWND list = MakeListBox();
  HWND plain = MakeChild(RecorderClass(), WS_BORDER, 10, 10, 100, 100);
  RECT plainBefore{};
  GetClientRect(plain, &plainBefore);
  ScrollPtr object = Skin(list);
  ScrollPtr plainObject = Skin(plain);
  object->VertBar->Thickness = 23;
  RefreshFrame(list, true);
  RECT wr{}, client{};
  GetWindowRect(list, &wr);
  GetClientRect(list, &client);
  const int border = GetSystemMetrics(SM_CXBORDER);
  EXPECT_EQ(object->EdgeLeft, border);
  EXPECT_EQ(object->EdgeRight, border);
  EXPECT_TRUE(object->VertBar->Visible);
  EXPECT_FALSE(object->HorzBar->Visible);
  EXPECT_EQ(client.right, (wr.right - wr.left) - 2 * border - 23);
  EXPECT_EQ(client.bottom, (wr.bottom - wr.top) - 2 * border);
  const TRect bar = object->VertBarRect();
  EXPECT_EQ(bar.right, wr.right - border);
  EXPECT_EQ(bar.Width(), 23);

  RECT plainAfter{};
  GetClientRect(plain, &plainAfter);
  EXPECT_EQ(plainAfter.right, plainBefore.right);
  EXPECT_EQ(plainAfter.bottom, plainBefore.bottom);
  EXPECT_FALSE(plainObject->VertBar->Visible);
  EXPECT_FALSE(plainObject->HorzBar->Visible);
}

TEST_F(ScrollWindows, HitCodesAndPartsFollowTheBar) {
  HWND window = MakeRecorder(99, 10, 0);
  ScrollPtr object = Skin(window);
  const TRect bar = object->VertBarRect();
  const TRect client = ClientOnScreen(window);
  const int x = bar.left + bar.Width() / 2;
  const TacThumb thumb = object->ThumbGeometry(object->VertBar.get(), bar);
  struct TCase {
    int Y;
    int Part;
  } cases[] = {
      {bar.top + 1, kScrollPartFirstArrow},
      {bar.bottom - 2, kScrollPartSecondArrow},
      {thumb.Start + thumb.Length / 2, kScrollPartThumb},
      {thumb.Start + thumb.Length + 5, kScrollPartSecondTrack},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, c.Y)), HTVSCROLL) << c.Y;
    EXPECT_EQ(object->HitTestBar(object->VertBar.get(), bar, c.Y, x), c.Part) << c.Y;
  }
  EXPECT_EQ(object->HitTestBar(object->VertBar.get(), bar, cases[0].Y, bar.left - 1), kScrollPartNone);
  EXPECT_EQ(SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(client.left + 5, client.top + 5)), HTCLIENT);

  // Further down, the track before the thumb.
  SetScrollPos(window, SB_VERT, 90, FALSE);
  object->RefreshScrollInfo(false);
  const TacThumb low = object->ThumbGeometry(object->VertBar.get(), bar);
  EXPECT_EQ(object->HitTestBar(object->VertBar.get(), bar, low.Start - 3, x), kScrollPartFirstTrack);
}

TEST_F(ScrollWindows, TheNonClientPaintShowsTheSkinnedBarNotTheSystemOne) {
  HWND list = MakeListBox();
  ScrollPtr object = Skin(list);
  RedrawWindow(list, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  Paint(list);
  const TRect bar = object->VertBarRect();
  const TacThumb thumb = object->ThumbGeometry(object->VertBar.get(), bar);
  const int x = bar.left + bar.Width() / 2;
  // The top arrow's face beside its glyph, the thumb's face and the track after the thumb.
  EXPECT_EQ(ScreenPixel(list, TPoint(bar.left + 3, bar.top + 3)), kBtn);
  EXPECT_EQ(ScreenPixel(list, TPoint(bar.left + 3, thumb.Start + thumb.Length / 2)), kThumb);
  EXPECT_EQ(ScreenPixel(list, TPoint(x, thumb.Start + thumb.Length + 20)), kTrack2);
}

TEST_F(ScrollWindows, ALeftScrollBarAndALaterStyleChangeMoveTheBarAndCorner) {
  HWND list = MakeListBox(WS_VSCROLL | WS_HSCROLL);
  SendMessageW(list, LB_SETHORIZONTALEXTENT, 2000, 0);
  ScrollPtr object = Skin(list);
  RECT wr{};
  GetWindowRect(list, &wr);
  EXPECT_EQ(object->VertBarRect().right, wr.right - object->EdgeRight);
  SetWindowLongW(list, GWL_EXSTYLE, GetWindowLongW(list, GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
  EXPECT_TRUE(object->LeftScrollBar);
  RefreshFrame(list, true);
  const TRect bar = object->VertBarRect();
  EXPECT_EQ(bar.left, wr.left + object->EdgeLeft);
  EXPECT_EQ(ClientOnScreen(list).left, bar.right);
  EXPECT_EQ(object->CornerRect().left, bar.left);
  EXPECT_EQ(object->HorzBarRect().left, bar.right);
  Paint(list);
  EXPECT_EQ(ScreenPixel(list, TPoint(bar.left + 3, bar.top + 3)), kBtn);
}

// Thumb geometry on a 20-pixel-wide, 200-pixel-long vertical bar with 16-pixel arrows (track 168).
TEST_F(ScrollWindows, TheThumbGeometryOfPaintAndHitTestIsOne) {
  HWND window = MakeRecorder(99, 10, 0);
  ScrollPtr object = Skin(window);
  TacScrollBar* bar = object->VertBar.get();
  bar->ArrowLength = 16;
  const TRect r(0, 0, 20, 200);
  struct TCase {
    int Min, Max;
    UINT Page;
    int Pos;
    int Length, Start;
  } cases[] = {
      {0, 99, 0, 0, 16, 16},     // no page: an arrow-long thumb
      {0, 99, 50, 0, 84, 16},    // half the span
      {0, 99, 50, 50, 84, 100},  // at the end
      {0, 99, 1, 0, 10, 16},     // raised to the smallest thumb
      {0, 0, 1, 0, 168, 16},     // one position: the thumb fills the track
  };
  for (const TCase& c : cases) {
    bar->Info.nMin = c.Min;
    bar->Info.nMax = c.Max;
    bar->Info.nPage = c.Page;
    bar->Info.nPos = c.Pos;
    const TacThumb thumb = object->ThumbGeometry(bar, r);
    EXPECT_EQ(thumb.Length, c.Length) << c.Max << " " << c.Page;
    EXPECT_EQ(thumb.Start, c.Start) << c.Max << " " << c.Page;
  }
  // The filled track offers no thumb or track parts.
  EXPECT_EQ(object->HitTestBar(bar, r, 100, 10), kScrollPartNone);
  // A bar shorter than two arrows: half arrows each, nothing between.
  const TRect shortBar(0, 0, 20, 20);
  bar->Info.nMax = 99;
  bar->Info.nPage = 10;
  EXPECT_EQ(object->HitTestBar(bar, shortBar, 9, 10), kScrollPartFirstArrow);
  EXPECT_EQ(object->HitTestBar(bar, shortBar, 10, 10), kScrollPartSecondArrow);
}

TEST_F(ScrollWindows, TheThumbIsPaintedWhereItIsHit) {
  // Range 0..99 with a page of 50: the clickable thumb spans half the track; a thumb sized by the
  // range less one would paint two pixels beyond it.
  HWND window = MakeRecorder(99, 50, 0, 400);
  ScrollPtr object = Skin(window);
  Paint(window);
  const TRect bar = object->VertBarRect();
  const TacThumb thumb = object->ThumbGeometry(object->VertBar.get(), bar);
  const int x = bar.left + bar.Width() / 2;
  const int end = thumb.Start + thumb.Length;
  EXPECT_EQ(object->HitTestBar(object->VertBar.get(), bar, end - 1, x), kScrollPartThumb);
  EXPECT_EQ(object->HitTestBar(object->VertBar.get(), bar, end, x), kScrollPartSecondTrack);
  EXPECT_EQ(ScreenPixel(window, TPoint(x, end - 1)), kThumbFrames[0]);
  EXPECT_EQ(ScreenPixel(window, TPoint(x, end)), kTrack2);
  EXPECT_EQ(ScreenPixel(window, TPoint(x, end + 1)), kTrack2);

  // A single position: no thumb at all.
  SCROLLINFO info{sizeof(info), SIF_ALL | SIF_DISABLENOSCROLL, 5, 5, 1, 5, 0};
  SetScrollInfo(window, SB_VERT, &info, FALSE);
  EnableScrollBar(window, SB_VERT, ESB_ENABLE_BOTH);
  Paint(window);
  const TRect middle = object->VertBarRect();
  const TColor centre = ScreenPixel(window, TPoint(x, (middle.top + middle.bottom) / 2));
  EXPECT_NE(centre, kThumb);
  EXPECT_NE(centre, kThumbFrames[0]);
}

TEST_F(ScrollWindows, AHeldArrowRepeatsOnTheTimersOnlyWhileThePointerStaysOnIt) {
  HWND window = MakeRecorder(99, 10, 50);
  ScrollPtr object = Skin(window);
  const TRect bar = object->VertBarRect();
  const TPoint onArrow(bar.left + bar.Width() / 2, bar.bottom - 3);
  const TPoint offArrow(bar.left + bar.Width() / 2, bar.top + bar.Height() / 2);
  SetCursorPos(onArrow.x, onArrow.y);
  SendMessageW(window, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(onArrow.x, onArrow.y));
  ASSERT_EQ(scrolls.size(), 1u);
  EXPECT_EQ(scrolls[0].Code, SB_LINEDOWN);
  EXPECT_EQ(GetCapture(), window);
  SendMessageW(window, WM_TIMER, kScrollFirstRepeatTimer, 0);
  EXPECT_EQ(scrolls.size(), 1u);
  SendMessageW(window, WM_TIMER, kScrollRepeatTimer, 0);
  SendMessageW(window, WM_TIMER, kScrollRepeatTimer, 0);
  ASSERT_EQ(scrolls.size(), 3u);
  EXPECT_EQ(scrolls[2].Code, SB_LINEDOWN);
  SetCursorPos(offArrow.x, offArrow.y);
  SendMessageW(window, WM_TIMER, kScrollRepeatTimer, 0);
  EXPECT_EQ(scrolls.size(), 3u);
  EXPECT_EQ(ScrollMouse.DownPart, kScrollPartNone);
  SetCursorPos(onArrow.x, onArrow.y);
  SendMessageW(window, WM_TIMER, kScrollRepeatTimer, 0);
  EXPECT_EQ(scrolls.size(), 4u);
  SendMessageW(window, WM_LBUTTONUP, 0, 0);
  ASSERT_EQ(scrolls.size(), 5u);
  EXPECT_EQ(scrolls[4].Code, SB_ENDSCROLL);
  EXPECT_NE(GetCapture(), window);
  EXPECT_EQ(ScrollMouse.ClickedPart, kScrollPartNone);
}

TEST_F(ScrollWindows, DraggingTheThumbSendsPositions) {
  HWND window = MakeRecorder(109, 10, 0);
  ScrollPtr object = Skin(window);
  const TRect bar = object->VertBarRect();
  const int arrow = object->BarMetric(object->VertBar.get(), 0, false);
  const TacThumb thumb = object->ThumbGeometry(object->VertBar.get(), bar);
  const int x = bar.left + bar.Width() / 2;
  const int grab = thumb.Start + 2;
  const int room = bar.Height() - 2 * arrow - thumb.Length;
  SendMessageW(window, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(x, grab));
  ASSERT_TRUE(object->DraggingThumb);
  // A quarter of the way: a position pre-set in the window's information.
  SetCursorPos(x, grab + room / 4);
  SendMessageW(window, WM_TIMER, kScrollRepeatTimer, 0);
  ASSERT_EQ(scrolls.size(), 1u);
  EXPECT_EQ(scrolls[0].Code, SB_THUMBTRACK);
  EXPECT_EQ(scrolls[0].Position, MulDiv(room / 4, 100, room));
  EXPECT_EQ(scrolls[0].PosNow, scrolls[0].Position);
  // The far end: nMax - nPage + 1 is sent but not pre-set.
  SetCursorPos(x, bar.bottom + 50);
  SendMessageW(window, WM_TIMER, kScrollRepeatTimer, 0);
  ASSERT_EQ(scrolls.size(), 2u);
  EXPECT_EQ(scrolls[1].Position, 100);
  EXPECT_EQ(scrolls[1].PosNow, scrolls[0].Position);
  // Back to the start: nMin is not pre-set either.
  SetCursorPos(x, bar.top - 50);
  SendMessageW(window, WM_TIMER, kScrollRepeatTimer, 0);
  ASSERT_EQ(scrolls.size(), 3u);
  EXPECT_EQ(scrolls[2].Position, 0);
  EXPECT_EQ(scrolls[2].PosNow, scrolls[0].Position);
  SendMessageW(window, WM_LBUTTONUP, 0, 0);
  ASSERT_EQ(scrolls.size(), 5u);
  EXPECT_EQ(scrolls[3].Code, SB_THUMBPOSITION);
  EXPECT_EQ(scrolls[3].Position, 0);
  EXPECT_EQ(scrolls[4].Code, SB_ENDSCROLL);
  EXPECT_FALSE(object->DraggingThumb);
}

TEST_F(ScrollWindows, DragsWithoutARangeSendPixelsAndAFilledTrackSendsNothing) {
  // The range goes (nMax - nMin < 1) while the thumb is held: the position is its offset in pixels.
  HWND window = MakeRecorder(99, 10, 0);
  ScrollPtr object = Skin(window);
  const TRect bar = object->VertBarRect();
  const TacThumb thumb = object->ThumbGeometry(object->VertBar.get(), bar);
  const int x = bar.left + bar.Width() / 2;
  SendMessageW(window, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(x, thumb.Start + 1));
  ASSERT_TRUE(object->DraggingThumb);
  SCROLLINFO none{sizeof(none), SIF_ALL | SIF_DISABLENOSCROLL, 0, 0, 0, 0, 0};
  SetScrollInfo(window, SB_VERT, &none, FALSE);
  object->RefreshScrollInfo(false);
  SetCursorPos(x, thumb.Start + 1 + 7);
  SendMessageW(window, WM_TIMER, kScrollRepeatTimer, 0);
  ASSERT_EQ(scrolls.size(), 1u);
  EXPECT_EQ(scrolls[0].Code, SB_THUMBTRACK);
  EXPECT_EQ(scrolls[0].Position, 7);
  SendMessageW(window, WM_LBUTTONUP, 0, 0);

  // A thumb that has come to fill the track while held: no position is computed from it.
  scrolls.clear();
  HWND other = MakeRecorder(99, 10, 0);
  ScrollPtr second = Skin(other);
  const TRect r = second->VertBarRect();
  const TacThumb t = second->ThumbGeometry(second->VertBar.get(), r);
  SendMessageW(other, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(r.left + 2, t.Start + 1));
  ASSERT_TRUE(second->DraggingThumb);
  ScrollMouse.DragThumbLength = r.Height() - 2 * second->BarMetric(second->VertBar.get(), 0, false);
  SetCursorPos(r.left + 2, t.Start + 40);
  SendMessageW(other, WM_TIMER, kScrollRepeatTimer, 0);
  EXPECT_TRUE(scrolls.empty());
  SendMessageW(other, WM_LBUTTONUP, 0, 0);
  ASSERT_EQ(scrolls.size(), 2u);
  EXPECT_EQ(scrolls[0].Code, SB_THUMBPOSITION);
  EXPECT_EQ(scrolls[0].Position, 0);
}

TEST_F(ScrollWindows, TheSizeGripOnlyInTheBottomRightCornerOfATopLevelParent) {
  RECT hostClient{};
  GetClientRect(host, &hostClient);
  HWND corner = MakeListBox(WS_VSCROLL | WS_HSCROLL | LBS_DISABLENOSCROLL, hostClient.right - 200,
                            hostClient.bottom - 150, 200, 150);
  HWND inside = MakeListBox(WS_VSCROLL | WS_HSCROLL | LBS_DISABLENOSCROLL, 10, 10, 200, 150);
  SendMessageW(corner, LB_SETHORIZONTALEXTENT, 2000, 0);
  SendMessageW(inside, LB_SETHORIZONTALEXTENT, 2000, 0);
  ScrollPtr a = Skin(corner);
  ScrollPtr b = Skin(inside);
  for (TacScrollWnd* object : {a.get(), b.get()}) {
    ASSERT_TRUE(object->HorzBar->Visible);
    ASSERT_TRUE(object->VertBar->Visible);
  }
  const TRect ca = a->CornerRect(), cb = b->CornerRect();
  EXPECT_TRUE(a->SizeGripShown());
  EXPECT_FALSE(b->SizeGripShown());
  EXPECT_EQ(SendMessageW(corner, WM_NCHITTEST, 0, MAKELPARAM(ca.left + 2, ca.top + 2)), HTBOTTOMRIGHT);
  EXPECT_NE(SendMessageW(inside, WM_NCHITTEST, 0, MAKELPARAM(cb.left + 2, cb.top + 2)), HTBOTTOMRIGHT);
}

TEST_F(ScrollWindows, DestroyReleasesTheWindowAndTheMouseState) {
  HWND window = MakeRecorder(99, 10, 50);
  ScrollPtr object = Skin(window);
  const TRect bar = object->VertBarRect();
  SendMessageW(window, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(bar.left + 2, bar.top + 2));
  EXPECT_EQ(ScrollMouse.TrackWindow, window);
  DestroyWindow(window);
  EXPECT_TRUE(object->Released);
  EXPECT_EQ(ScrollMouse.TrackWindow, nullptr);
  EXPECT_EQ(FindScrollBar(window, SB_VERT), nullptr);
}

}  // namespace
