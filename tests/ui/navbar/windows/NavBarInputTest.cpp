// The bar's wheel and its drag and drop in a window: the wheel steps the shown scroll bar once per
// notch (pages with Ctrl) after offering itself to a scrolling control under the cursor; a link drag
// starts beyond 3 pixels, refuses its own place, moves a link, and copies it while Ctrl is held.

#include <gtest/gtest.h>

#include "NavBarWindowFixture.h"
#include "ui/navbar/NavBarScrollBar.h"

using namespace navbar_testing;
using namespace window_testing;

namespace {

// A control with a system vertical scroll bar that records the wheel offered to it.
class TWheelProbe : public TCustomControl {
  DECLARE_CLASS(TWheelProbe, TCustomControl)
 public:
  using TCustomControl::TCustomControl;
  bool DoMouseWheel(TShiftState, int WheelDelta, TPoint) override {
    Deltas.push_back(WheelDelta);
    return Handles;
  }
  std::vector<int> Deltas;
  bool Handles = true;

 protected:
  void CreateParams(TCreateParams& Params) override {
    TCustomControl::CreateParams(Params);
    Params.Style |= WS_VSCROLL;
  }
};

DEFINE_CLASS(TWheelProbe)

class NavBarInput : public NavBarWindow {
 protected:
  LRESULT Wheel(int delta, WPARAM keys, const TPoint& screen) {
    return bar->Perform(CM_MOUSEWHEEL, MAKEWPARAM(keys, delta), MAKELPARAM(screen.x, screen.y));
  }
  // A move or release sent to the drag manager's capture window at a client point of the bar.
  void DragMessage(UINT msg, const TPoint& p) {
    HWND capture = GetCapture();
    ASSERT_NE(capture, nullptr);
    POINT pt = bar->ClientToScreen(p);
    ScreenToClient(capture, &pt);
    SendMessageW(capture, msg, msg == WM_MOUSEMOVE ? MK_LBUTTON : 0, MAKELPARAM(pt.x, pt.y));
  }
  // Presses link 0, lets the bar repaint (it ignores moves until its layout is valid again) and
  // moves the mouse right by dx.
  void PressAndMove(int dx) {
    const TPoint p = LinkPoint(0);
    SendMouse(bar->Handle(), WM_LBUTTONDOWN, p.x, p.y, MK_LBUTTON);
    bar->Update();
    SendMouse(bar->Handle(), WM_MOUSEMOVE, p.x + dx, p.y, MK_LBUTTON);
  }
  TPoint LowerHalfOf(int index) {
    TdxNavBarLinkViewInfo* link = bar->ViewInfo()->LinkViewInfoOf(group->LinkAt(index));
    return {link->CaptionRect.left + 2, link->Rect.bottom - 2};
  }
  std::vector<String> Captions() {
    std::vector<String> result;
    for (int i = 0; i < group->LinkCount(); ++i) result.push_back(group->LinkAt(i)->Item()->Caption());
    return result;
  }
};

TEST_F(NavBarInput, WheelStepsOncePerNotchAndPagesWithCtrl) {
  TdxNavBarScrollBar* wrapper = bar->ScrollBar();
  wrapper->SetLineStep(5);
  wrapper->SetScrollParams(0, 100, true, 20, 40);
  const TPoint inside = bar->ClientToScreen({20, 20});
  Wheel(-120, 0, inside);  // the scroll bar is hidden
  EXPECT_EQ(wrapper->Position(), 40);
  wrapper->SetVisible(true);
  struct Case {
    int Delta;
    WPARAM Keys;
    int Position;
  };
  for (const Case& c : {Case{-120, 0, 45}, Case{-40, 0, 45}, Case{-40, 0, 45}, Case{-40, 0, 50}, Case{120, 0, 45},
                        Case{-120, MK_CONTROL, 65}, Case{120, MK_CONTROL, 45}}) {
    EXPECT_EQ(Wheel(c.Delta, c.Keys, inside), 1);
    EXPECT_EQ(wrapper->Position(), c.Position) << c.Delta << " " << c.Keys;
  }
  RECT window;
  GetWindowRect(bar->Handle(), &window);
  Wheel(-120, 0, {window.right + 5, window.top + 5});  // outside the bar
  EXPECT_EQ(wrapper->Position(), 45);
}

TEST_F(NavBarInput, WheelIsOfferedFirstToAScrollingControlUnderTheCursor) {
  TdxNavBarScrollBar* wrapper = bar->ScrollBar();
  wrapper->SetLineStep(5);
  wrapper->SetScrollParams(0, 100, true, 20, 40);
  wrapper->SetVisible(true);
  TWheelProbe* probe = Place<TWheelProbe>(10, 10, 80, 80);
  probe->BringToFront();
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE, 0, 100, 10, 0, 0};
  SetScrollInfo(probe->Handle(), SB_VERT, &info, FALSE);
  ProcessMessages();
  const TPoint over = probe->ClientToScreen({20, 20});
  Wheel(-120, 0, over);
  EXPECT_EQ(probe->Deltas, std::vector<int>{-120});
  EXPECT_EQ(wrapper->Position(), 40);
  probe->Handles = false;  // not taken: the bar scrolls
  Wheel(-120, 0, over);
  EXPECT_EQ(wrapper->Position(), 45);
  info.nPage = 0;  // no usable scroll bar: not offered
  SetScrollInfo(probe->Handle(), SB_VERT, &info, FALSE);
  Wheel(-120, 0, over);
  EXPECT_EQ(probe->Deltas.size(), 2u);
  EXPECT_EQ(wrapper->Position(), 50);
}

TEST_F(NavBarInput, LinkDragStartsBeyondThreePixels) {
  PressAndMove(3);
  EXPECT_EQ(dxNavBarDragObject(), nullptr);
  EXPECT_EQ(CurrentDragObject(), nullptr);
  const TPoint p = LinkPoint(0);
  SendMouse(bar->Handle(), WM_MOUSEMOVE, p.x + 4, p.y, MK_LBUTTON);
  ASSERT_NE(dxNavBarDragObject(), nullptr);
  EXPECT_EQ(dxNavBarDragObject()->SourceLink(), group->LinkAt(0));
  EXPECT_NE(dynamic_cast<TdxDragObject*>(CurrentDragObject()), nullptr);
  CancelDrag();
  EXPECT_EQ(dxNavBarDragObject(), nullptr);
  EXPECT_FALSE(bar->IsDragging());
  EXPECT_EQ(bar->ClickLink(), nullptr);
}

TEST_F(NavBarInput, LinkDropRefusesItsOwnPlaceAndMovesOrCopies) {
  std::vector<bool> accepted;
  bar->OnDragOver = [&](TObject*, TObject*, int, int, TDragState, bool& accept) { accepted.push_back(accept); };
  PressAndMove(6);
  ASSERT_NE(dxNavBarDragObject(), nullptr);
  accepted.clear();
  DragMessage(WM_MOUSEMOVE, LowerHalfOf(0));  // just after itself
  DragMessage(WM_MOUSEMOVE, LowerHalfOf(2));
  EXPECT_EQ(accepted, (std::vector<bool>{false, true}));
  DragMessage(WM_LBUTTONUP, LowerHalfOf(2));
  EXPECT_EQ(Captions(), (std::vector<String>{L"Open", L"Close", L"&Save"}));
  EXPECT_EQ(dxNavBarDragObject(), nullptr);

  // With Ctrl held the drop adds a second link to the same item.
  bar->Update();
  PressAndMove(6);
  ASSERT_NE(dxNavBarDragObject(), nullptr);
  {
    HeldKeys ctrl({VK_CONTROL});
    DragMessage(WM_MOUSEMOVE, LowerHalfOf(2));
    DragMessage(WM_LBUTTONUP, LowerHalfOf(2));
  }
  EXPECT_EQ(Captions(), (std::vector<String>{L"Open", L"Close", L"&Save", L"Open"}));
}

}  // namespace
