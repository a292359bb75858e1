// The common bar window: the live list and the active chain, layout and hit testing, the click road,
// keys, the context menu's timing, and what the painter draws where.

#include <gtest/gtest.h>

#include "tests/support/WindowTestSupport.h"
#include "tests/ui/bars/BarTestWindow.h"
#include "ui/bars/BarItemControls.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/BarRoutines.h"

using namespace bar_testing;

namespace {

using BarControlTest = BarWindowFixture;

TEST_F(BarControlTest, APressAndReleaseOnAButtonClicksItOnce) {
  TTestBarControl* window = NewWindow();
  int clicks = 0;
  TdxBarButton* open = NewItem(L"Open");
  open->OnClick = [&](TObject*) { ++clicks; };
  TdxBarButton* save = NewItem(L"Save");
  window->ItemLinks()->AddItemLink(open);
  window->ItemLinks()->AddItemLink(save);
  window->ShowAt(200, 200, 200, 30);
  TdxBarItemControl* openControl = window->ItemLinks()->LinkAt(0)->ItemControl();
  ASSERT_NE(openControl, nullptr);
  const TPoint p = CentreOf(openControl);
  Press(window, p.x, p.y);
  Release(window, p.x, p.y);
  EXPECT_EQ(clicks, 1);
}

}  // namespace
