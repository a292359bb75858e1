// Scrolling a container's contents: windowed and graphic children move by the delta, keep their
// sizes, and an aligned child is not put back until the container realigns.

#include <gtest/gtest.h>

#include "tests/support/WindowTestSupport.h"

using namespace window_testing;

class ScrollBy : public FormFixture {};

TEST_F(ScrollBy, ChildrenMoveWithoutRealigning) {
  ShowForm();
  auto* top = Place<TTestEdit>(0, 0, 50, 20);
  top->SetAlign(alTop);
  auto* edit = Place<TTestEdit>(30, 60, 80, 20);
  auto* probe = Place<TProbeControl>(10, 100, 40, 15);
  ProcessMessages();

  form->ScrollBy(5, -25);
  ProcessMessages();
  EXPECT_EQ(edit->BoundsRect(), TRect(35, 35, 115, 55));
  RECT onScreen;
  GetWindowRect(edit->Handle(), &onScreen);
  MapWindowPoints(nullptr, form->Handle(), reinterpret_cast<POINT*>(&onScreen), 2);
  EXPECT_EQ(TRect(onScreen), edit->BoundsRect()) << "the window itself moved";
  EXPECT_EQ(probe->BoundsRect(), TRect(15, 75, 55, 90));
  EXPECT_EQ(top->Top(), -25) << "an aligned child scrolls too";

  form->ScrollBy(-5, 25);
  EXPECT_EQ(edit->BoundsRect(), TRect(30, 60, 110, 80));
  EXPECT_EQ(probe->BoundsRect(), TRect(10, 100, 50, 115));
  EXPECT_EQ(top->Top(), 0);
}
