// Popup menus in real windows: their own loop ended through the modal driver, a second opening,
// the capture of another window, commands and messages around the loop, shortcuts, and a button's
// drop-down menu. Every loop is time-boxed.
#include <gtest/gtest.h>

#include "tests/support/WindowTestSupport.h"
#include "tests/ui/bars/BarTestWindow.h"
#include "ui/bars/BarItemControls.h"
#include "ui/bars/PopupMenus.h"

using namespace bar_testing;
using window_testing::HeldKeys;
using window_testing::ScopedModalDriver;

namespace {

// Records the messages it receives and the cancel-mode notification.
class TRecordingControl : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  std::vector<UINT> Received;
  std::vector<WPARAM> Commands;
  int CancelModes = 0;

 protected:
  void WndProc(TMessage& Message) override {
    switch (Message.Msg) {
      case WM_COMMAND: Commands.push_back(Message.WParam); [[fallthrough]];
      case WM_LBUTTONDOWN:
      case WM_USER + 1: Received.push_back(Message.Msg); break;
      case CM_CANCELMODE: ++CancelModes; break;
      default: break;
    }
    TCustomControl::WndProc(Message);
  }
};

class PopupMenuWindow : public BarWindowFixture {
 protected:
  void SetUp() override {
    BarWindowFixture::SetUp();
    SetModalTimeLimit(5000, [](const TModalLoop&) { ADD_FAILURE() << "the popup loop overran"; });
    popup = new TdxBarPopupMenu(form);
    for (int i = 0; i < 3; ++i) {
      TdxBarButton* item = NewItem(L"p" + IntToStr(i));
      item->OnClick = [this, i](TObject*) { clicks.push_back(i); };
      popup->ItemLinks()->AddItemLink(item);
    }
    popup->OnPopup = [this](TObject*) { ++popups; };
    popup->OnCloseUp = [this](TObject*) { ++closeUps; };
    form->SetBounds(400, 300, 300, 200);
    target = new TRecordingControl(form);
    target->SetParent(form);
    target->SetBounds(10, 10, 100, 100);
    form->Show();
  }
  void TearDown() override {
    popup->OnPopup = nullptr;
    popup->OnCloseUp = nullptr;
    SetModalTimeLimit(0, nullptr);
    BarWindowFixture::TearDown();
  }
  static void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }

  TdxBarPopupMenu* popup = nullptr;
  TRecordingControl* target = nullptr;
  std::vector<int> clicks;
  int popups = 0, closeUps = 0;
};

TEST_F(PopupMenuWindow, PopupAtReturnsOnceEscapeClosedTheMenu) {
  String kind;
  bool openInside = false;
  ScopedModalDriver driver([&](const TModalLoop& loop) {
    kind = loop.Kind;
    openInside = popup->IsOpen() && popup->MenuWindow() && IsWindowVisible(popup->MenuWindow()->Handle());
    PostMessageW(loop.Window, WM_KEYDOWN, VK_ESCAPE, 0);
  });
  popup->PopupAt(120, 140);
  EXPECT_EQ(kind, L"popup menu");
  EXPECT_TRUE(openInside);
  EXPECT_FALSE(popup->IsOpen());
  EXPECT_EQ(popup->MenuWindow(), nullptr);
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(closeUps, 1);
  EXPECT_FALSE(AnyBarPopupMenuOpen());
}

TEST_F(PopupMenuWindow, ASecondPopupAtWhileOpenDoesNothing) {
  popup->RunsOwnLoop = false;
  popup->PopupAt(100, 100);
  TdxBarSubMenuControl* menu = popup->MenuWindow();
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(AnyBarPopupMenuOpen());
  popup->PopupAt(300, 300);
  EXPECT_EQ(popup->MenuWindow(), menu);
  EXPECT_EQ(menu->Left(), 100);
  EXPECT_EQ(popups, 1);
  // Without the own loop the call returned at once; the menu's links are the popup's.
  EXPECT_EQ(menu->ItemLinks(), popup->ItemLinks());
  KeyDown(menu, VK_ESCAPE);
  EXPECT_FALSE(popup->IsOpen());
}

TEST_F(PopupMenuWindow, TheCaptureOfAnotherWindowIsCancelledFirst) {
  popup->RunsOwnLoop = false;
  SetCapture(target->Handle());
  ASSERT_EQ(GetCapture(), target->Handle());
  popup->PopupAt(100, 100);
  EXPECT_EQ(target->CancelModes, 1);
  EXPECT_NE(GetCapture(), target->Handle());
  KeyDown(popup->MenuWindow(), VK_ESCAPE);
}

TEST_F(PopupMenuWindow, CommandsPostedWhileOpenArriveAfterTheMenuInTheirOrder) {
  ScopedModalDriver driver([&](const TModalLoop& loop) {
    PostMessageW(target->Handle(), WM_COMMAND, 7, 0);
    PostMessageW(target->Handle(), WM_COMMAND, 8, 0);
    PostMessageW(loop.Window, WM_KEYDOWN, VK_ESCAPE, 0);
  });
  popup->PopupAt(120, 140);
  EXPECT_FALSE(popup->IsOpen());
  EXPECT_TRUE(target->Commands.empty());
  Pump();
  EXPECT_EQ(target->Commands, (std::vector<WPARAM>{7, 8}));
}

// Closes the open popup's menu when the click for the target is fetched, as a mouse hook closes
// menus on a press outside them.
HHOOK g_hook = nullptr;
TdxBarPopupMenu* g_popup = nullptr;
HWND g_target = nullptr;
LRESULT CALLBACK CloseOnClick(int Code, WPARAM WParam, LPARAM LParam) {
  const MSG* msg = reinterpret_cast<const MSG*>(LParam);
  if (Code == HC_ACTION && msg->message == WM_LBUTTONDOWN && msg->hwnd == g_target && g_popup->MenuWindow()) {
    TdxBarSubMenuControl* menu = g_popup->MenuWindow();
    menu->ClosedByEscape = true;
    menu->GuardedClose();
  }
  return CallNextHookEx(g_hook, Code, WParam, LParam);
}

TEST_F(PopupMenuWindow, TheClickThatClosesTheMenuStaysInItsPlace) {
  g_popup = popup;
  g_target = target->Handle();
  g_hook = SetWindowsHookExW(WH_GETMESSAGE, &CloseOnClick, nullptr, GetCurrentThreadId());
  ASSERT_NE(g_hook, nullptr);
  ScopedModalDriver driver([&](const TModalLoop&) {
    PostMessageW(target->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(target->Handle(), WM_USER + 1, 0, 0);
  });
  popup->PopupAt(120, 140);
  UnhookWindowsHookEx(g_hook);
  g_hook = nullptr;
  EXPECT_FALSE(popup->IsOpen());
  // The click was left where it was: it comes first, before the message posted after it.
  EXPECT_TRUE(target->Received.empty());
  Pump();
  EXPECT_EQ(target->Received, (std::vector<UINT>{WM_LBUTTONDOWN, WM_USER + 1}));
}

TEST_F(PopupMenuWindow, ShortCutsReachTheItems) {
  popup->ItemLinks()->LinkAt(2)->Item()->SetShortCut(ShortCut('K', TShiftState{ssCtrl}));
  EXPECT_FALSE(popup->ShortCutPressed('K', 0));
  {
    HeldKeys ctrl({VK_CONTROL});
    EXPECT_TRUE(popup->ShortCutPressed('K', 0));
  }
  EXPECT_EQ(clicks, std::vector<int>{2});
}

TEST_F(PopupMenuWindow, AButtonDropsItsMenuDownUnderItselfAndSelectsTheFirstByKey) {
  TTestBarControl* toolbar = NewWindow(0, pkToolbar);
  TdxBarButton* button = NewItem(L"Opener");
  button->SetButtonStyle(bsDropDown);
  button->SetDropDownMenu(popup);
  toolbar->ItemLinks()->AddItemLink(button);
  toolbar->ShowAt(50, 60, 300, 30);
  auto* control = dynamic_cast<TdxBarButtonControl*>(toolbar->ItemLinks()->LinkAt(0)->ItemControl());
  ASSERT_NE(control, nullptr);
  control->DropDown(false);
  TdxBarSubMenuControl* menu = popup->MenuWindow();
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(popup->IsOpen());
  EXPECT_EQ(menu->ParentBar(), toolbar);
  EXPECT_EQ(toolbar->ChildBar(), menu);
  EXPECT_EQ(menu->DropDownOpener, control);
  EXPECT_EQ(control->DropDownWindow(), menu);
  const TRect item = toolbar->ItemControlScreenRect(control);
  EXPECT_EQ(menu->AnchorHeight, item.Height());
  EXPECT_EQ(menu->Top(), item.bottom);
  EXPECT_EQ(menu->Left(), item.left);
  EXPECT_EQ(menu->SelectedLink(), popup->ItemLinks()->LinkAt(0));
  // The opening defaults are back after the call.
  EXPECT_EQ(popup->AnchorHeight, 0);
  EXPECT_TRUE(popup->RunsOwnLoop);
  EXPECT_EQ(popup->AnchorBounds, nullptr);

  KeyDown(menu, VK_ESCAPE);
  EXPECT_FALSE(popup->IsOpen());
  EXPECT_FALSE(control->DroppedDown);
  EXPECT_EQ(control->DropDownWindow(), nullptr);
  EXPECT_TRUE(IsLiveBarControl(toolbar));
}

}  // namespace
