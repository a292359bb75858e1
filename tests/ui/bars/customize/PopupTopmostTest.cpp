// The link context menu and the bar windows of its link going topmost and back.
#include <gtest/gtest.h>

#include "tests/support/WindowTestSupport.h"
#include "tests/ui/bars/BarTestSupport.h"
#include "ui/bars/BarControl.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/Bars.h"
#include "ui/bars/PopupMenus.h"
#include "ui/bars/customize/DesignController.h"

using namespace bar_testing;
using window_testing::ProcessMessages;

namespace {

bool Topmost(HWND Window) { return (GetWindowLongPtrW(Window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
// Lower lies somewhere below Upper in the z-order.
bool Below(HWND Lower, HWND Upper) {
  for (HWND w = GetWindow(Upper, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT)) {
    if (w == Lower) return true;
  }
  return false;
}

class PopupTopmost : public BarFixture {
 protected:
  void SetUp() override {
    BarFixture::SetUp();
    form->SetBounds(100, 100, 400, 300);
    form->Show();
    bar = manager->Bars()->Add();
    bar->SetCaption(L"Floating");
    link = bar->ItemLinks()->AddItemLink(NewItem(L"One"));
    bar->SetDockingStyle(dsNone);
    bar->SetVisible(true);
    ProcessMessages();
  }
  void TearDown() override {
    manager->SetCustomizingMode(false);
    ProcessMessages();
    BarFixture::TearDown();
  }
  TdxBar* bar = nullptr;
  TdxBarItemLink* link = nullptr;
};

}  // namespace

TEST_F(PopupTopmost, TheMenuAndTheLinksWindowGoTopmostAndBack) {
  SetModalTimeLimit(10000, [](const TModalLoop&) { ADD_FAILURE() << "the popup loop overran"; });
  manager->SetCustomizingMode(true);
  TdxBarDesignController* controller = DesignControllerInstance();
  TdxBarControl* window = bar->Control();
  ASSERT_NE(window, nullptr);
  ASSERT_NE(link->ItemControl(), nullptr);
  bool seen = false, menuTop = false, windowUnderMenu = false, windowOverForm = false, menuBack = true, windowBack = true;
  window_testing::ScopedModalDriver driver([&](const TModalLoop& loop) {
    HWND menuWindow = loop.Window;
    if (!seen && menuWindow) {
      seen = true;
      controller->SetPopupTopmost(true);
      menuTop = Topmost(menuWindow);
      windowUnderMenu = Below(window->Handle(), menuWindow);
      windowOverForm = Below(form->Handle(), window->Handle());
      controller->SetPopupTopmost(false);
      menuBack = Topmost(menuWindow);
      windowBack = Topmost(window->Handle());
    }
    PostMessageW(loop.Window, WM_KEYDOWN, VK_ESCAPE, 0);
  });
  // Another test process taking the activation can close the menu before its loop: show it again.
  for (int attempt = 0; attempt < 10 && !seen; ++attempt) controller->ShowLinkContextMenu(window, link);
  SetModalTimeLimit(0, nullptr);
  ASSERT_TRUE(seen);
  EXPECT_TRUE(menuTop);
  // Just under the menu, over every normal window (the form it floats over among them).
  EXPECT_TRUE(windowUnderMenu);
  EXPECT_TRUE(windowOverForm);
  EXPECT_FALSE(menuBack);
  EXPECT_FALSE(windowBack);
}
