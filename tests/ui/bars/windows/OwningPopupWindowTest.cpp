// The popup window a bar window sits in, directly or through the bar windows that opened it.

#include <gtest/gtest.h>

#include "tests/support/WindowTestSupport.h"
#include "tests/ui/bars/BarTestWindow.h"
#include "ui/bars/BarItemControls.h"
#include "ui/bars/BarRoutines.h"
#include "ui/foundation/PopupWindow.h"

using namespace bar_testing;

namespace {

using OwningPopupWindowTest = BarWindowFixture;

TEST_F(OwningPopupWindowTest, FoundUpTheChildWindowsAndThroughTheOpeningBars) {
  auto* popup = new TcxCustomPopupWindow(form);
  popup->SetBounds(100, 100, 300, 200);
  popup->HandleNeeded();

  // A toolbar inside the popup, with a button that opened a menu.
  TTestBarControl* toolbar = NewWindow();
  toolbar->ChildOf = popup->Handle();
  toolbar->ItemLinks()->AddItemLink(NewItem(L"Open"));
  toolbar->ShowAt(0, 0, 200, 30);
  ASSERT_EQ(GetParent(toolbar->Handle()), popup->Handle());
  TTestBarControl* menu = NewWindow(2);
  menu->ItemLinks()->AddItemLink(NewItem(L"Cut"));
  menu->ShowAt(120, 150, 120, 60);
  menu->SetOwnerControl(toolbar->ItemLinks()->LinkAt(0)->ItemControl());

  EXPECT_EQ(OwningPopupWindow(toolbar, false), popup);
  EXPECT_EQ(OwningPopupWindow(menu, true), popup);
  // Not through the opening bars unless asked, and never the control itself.
  EXPECT_EQ(OwningPopupWindow(menu, false), nullptr);
  EXPECT_EQ(OwningPopupWindow(popup, true), nullptr);
  // A chain that ends in a window that is not a popup window.
  TTestBarControl* floating = NewWindow();
  floating->ItemLinks()->AddItemLink(NewItem(L"Save"));
  floating->ShowAt(400, 100, 100, 30);
  menu->SetOwnerControl(floating->ItemLinks()->LinkAt(0)->ItemControl());
  EXPECT_EQ(OwningPopupWindow(menu, true), nullptr);
  menu->SetOwnerControl(nullptr);
  // Without a window: none.
  TTestBarControl* hidden = NewWindow();
  EXPECT_EQ(OwningPopupWindow(hidden, true), nullptr);
  EXPECT_EQ(OwningPopupWindow(nullptr, true), nullptr);
}

}  // namespace
