// The drop-down list of combo items: a top-most tool window framed by the painter, whose selection
// follows the mouse, which takes a press-drag-release begun on the combo's button, and whose first key
// selects the top visible entry.

#include <gtest/gtest.h>

#include "tests/support/WindowTestSupport.h"
#include "tests/ui/bars/BarTestWindow.h"
#include "ui/bars/BarControl.h"

using namespace bar_testing;

namespace {

// Records the combo's part of a release and of a click.
class TTestDropDownList : public TdxBarDropDownListBox {
  DECLARE_CLASS(TTestDropDownList, TdxBarDropDownListBox)
 public:
  using TdxBarDropDownListBox::TdxBarDropDownListBox;
  std::vector<int> Chosen;
  std::vector<int> Clicked;

 protected:
  void ReleaseChoosesEntry(int Index) override { Chosen.push_back(Index); }
  void EntryClicked(int Index) override { Clicked.push_back(Index); }
};
DEFINE_CLASS(TTestDropDownList)

constexpr int kEntryHeight = 16;

class DropDownListTest : public BarWindowFixture {
 protected:
  void SetUp() override {
    BarWindowFixture::SetUp();
    window = NewWindow();
    window->ShowAt(200, 200, 200, 30);
    list = new TTestDropDownList(form);
    list->SetParentBarControl(window);
    list->OnMeasureItem = [](TWinControl*, int, int& Height) { Height = kEntryHeight; };
    list->OnDrawItem = [](TWinControl*, int, const TRect&, TOwnerDrawState) {};
    for (int i = 0; i < 10; ++i) list->Items()->Add(L"Entry " + std::to_wstring(i));
    // Four entries show, below the window, as a combo places it.
    list->SetBounds(200, 230, 120, 4 * kEntryHeight + 4);
    list->SetParent(form);
    list->HandleNeeded();
    SetWindowPos(list->Handle(), HWND_TOPMOST, 200, 230, 120, 4 * kEntryHeight + 4, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  }
  void TearDown() override {
    if (GetCapture()) ReleaseCapture();
    BarWindowFixture::TearDown();
  }
  void Send(UINT Msg, int X, int Y, WPARAM Keys = 0) {
    const TPoint screen = list->ClientToScreen(TPoint{X, Y});
    SetCursorPos(screen.x, screen.y);
    SendMessageW(list->Handle(), Msg, Keys, MAKELPARAM(X, Y));
  }
  // The combo takes the capture for the list while the button is still down.
  void OpenWithTheButtonDown() {
    SetCapture(list->Handle());
    list->CapturedOnDropDown = true;
  }
  static int EntryY(int Index) { return Index * kEntryHeight + kEntryHeight / 2; }

  TTestBarControl* window = nullptr;
  TTestDropDownList* list = nullptr;
};

TEST_F(DropDownListTest, ATopMostToolWindowFramedByThePainter) {
  EXPECT_EQ(GetWindowLongPtrW(list->Handle(), GWL_EXSTYLE), 0x88);
  EXPECT_NE(GetClassLongPtrW(list->Handle(), GCL_STYLE) & CS_SAVEBITS, 0u);
  EXPECT_EQ(GetAncestor(list->Handle(), GA_PARENT), GetDesktopWindow());
  // The test painter's border: 2 pixels on each side.
  RECT client{}, outer{};
  GetClientRect(list->Handle(), &client);
  GetWindowRect(list->Handle(), &outer);
  POINT origin{0, 0};
  ClientToScreen(list->Handle(), &origin);
  EXPECT_EQ(origin.x - outer.left, 2);
  EXPECT_EQ(origin.y - outer.top, 2);
  EXPECT_EQ(client.bottom, (outer.bottom - outer.top) - 4);
}

TEST_F(DropDownListTest, DraggingIntoTheListAndReleasingChoosesTheEntryUnderThePointer) {
  OpenWithTheButtonDown();
  Send(WM_MOUSEMOVE, 20, EntryY(1), MK_LBUTTON);
  EXPECT_FALSE(list->CapturedOnDropDown);
  Send(WM_MOUSEMOVE, 20, EntryY(2), MK_LBUTTON);
  Send(WM_LBUTTONUP, 20, EntryY(2));
  EXPECT_EQ(list->Chosen, std::vector<int>{2});
  EXPECT_EQ(list->ItemIndex(), 2);
}

TEST_F(DropDownListTest, AReleaseBeforeThePointerReachesTheListKeepsItOpenAndFreesTheCapture) {
  OpenWithTheButtonDown();
  Send(WM_MOUSEMOVE, 20, -10, MK_LBUTTON);
  EXPECT_TRUE(list->CapturedOnDropDown);
  Send(WM_LBUTTONUP, 20, -10);
  EXPECT_TRUE(list->Chosen.empty());
  EXPECT_NE(GetCapture(), list->Handle());
  EXPECT_FALSE(list->CapturedOnDropDown);
  EXPECT_TRUE(IsWindowVisible(list->Handle()));
  EXPECT_EQ(list->ItemIndex(), -1);
}

TEST_F(DropDownListTest, TheSelectionFollowsTheMouseWithoutAButton) {
  Send(WM_MOUSEMOVE, 20, EntryY(3));
  EXPECT_EQ(list->ItemIndex(), 3);
  Send(WM_MOUSEMOVE, 20, EntryY(0));
  EXPECT_EQ(list->ItemIndex(), 0);
  // Below the last entry of a short list: the selection stays.
  list->Items()->Clear();
  list->Items()->Add(L"Only");
  Send(WM_MOUSEMOVE, 20, EntryY(0));
  Send(WM_MOUSEMOVE, 20, EntryY(3));
  EXPECT_EQ(list->ItemIndex(), 0);
  EXPECT_TRUE(list->Chosen.empty());
}

TEST_F(DropDownListTest, AKeyWithNothingSelectedSelectsTheTopVisibleEntry) {
  list->SetTopIndex(3);
  ASSERT_EQ(list->ItemIndex(), -1);
  SendMessageW(list->Handle(), WM_KEYDOWN, VK_F2, 1);
  EXPECT_EQ(list->ItemIndex(), list->TopIndex());
  EXPECT_EQ(list->ItemIndex(), 3);
}

}  // namespace
