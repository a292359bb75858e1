// Alignment and anchors on a container without a window: the rules are plain arithmetic.

#include <gtest/gtest.h>

#include "tests/support/WindowTestSupport.h"

using namespace window_testing;

namespace {

class TContainer : public TCustomControl {
  DECLARE_CLASS(TContainer, TCustomControl)
 public:
  using TCustomControl::TCustomControl;
};
DEFINE_CLASS(TContainer)

struct Layout : testing::Test {
  Layout() { parent.SetBounds(0, 0, 200, 100); }
  TProbeControl* Child(TRect bounds) {
    auto* c = new TProbeControl(&parent);
    c->SetBoundsRect(bounds);
    c->SetParent(&parent);
    return c;
  }
  TContainer parent{nullptr};
};

}  // namespace

TEST_F(Layout, AlignedControlsTakeTheirSideOfTheClientArea) {
  struct Case {
    TAlign Align;
    TRect Expected;
    TRect AfterResize;  // parent at 300 x 150
  } cases[] = {
      {alTop, Rect(0, 0, 200, 20), Rect(0, 0, 300, 20)},
      {alBottom, Rect(0, 80, 200, 100), Rect(0, 130, 300, 150)},
      {alLeft, Rect(0, 0, 30, 100), Rect(0, 0, 30, 150)},
      {alRight, Rect(170, 0, 200, 100), Rect(270, 0, 300, 150)},
      {alClient, Rect(0, 0, 200, 100), Rect(0, 0, 300, 150)},
  };
  for (const Case& c : cases) {
    parent.SetBounds(0, 0, 200, 100);
    TProbeControl* child = Child(Rect(5, 5, 35, 25));
    child->SetAlign(c.Align);
    EXPECT_EQ(child->BoundsRect(), c.Expected) << c.Align;
    parent.SetBounds(0, 0, 300, 150);
    EXPECT_EQ(child->BoundsRect(), c.AfterResize) << c.Align;
    child->Free();
  }
}

TEST_F(Layout, ControlsOfOneSideStackInTheOrderOfTheirPositions) {
  TProbeControl* status = Child(Rect(0, 0, 10, 20));
  TProbeControl* bar = Child(Rect(0, 0, 10, 15));
  status->SetAlign(alBottom);
  bar->SetAlign(alBottom);
  status->SetTop(32000);  // the lowest of the bottom controls
  EXPECT_EQ(status->BoundsRect(), Rect(0, 80, 200, 100));
  EXPECT_EQ(bar->BoundsRect(), Rect(0, 65, 200, 80));

  TProbeControl* top1 = Child(Rect(0, 50, 10, 60));
  TProbeControl* top2 = Child(Rect(0, 10, 10, 20));
  parent.DisableAlign();
  top1->SetAlign(alTop);
  top2->SetAlign(alTop);
  parent.EnableAlign();
  EXPECT_EQ(top2->Top(), 0);
  EXPECT_EQ(top1->Top(), 10);
}

TEST_F(Layout, AnchorsKeepTheirDistancesWhenTheParentResizes) {
  struct Case {
    TAnchors Anchors;
    TRect AfterResize;  // from (10, 10, 60, 30) in 200 x 100 to 300 x 150
  } cases[] = {
      {{akLeft, akTop}, Rect(10, 10, 60, 30)},
      {{akLeft, akTop, akRight}, Rect(10, 10, 160, 30)},
      {{akTop, akRight}, Rect(110, 10, 160, 30)},
      {{akLeft, akTop, akRight, akBottom}, Rect(10, 10, 160, 80)},
      {{akLeft, akBottom}, Rect(10, 60, 60, 80)},
  };
  for (const Case& c : cases) {
    parent.SetBounds(0, 0, 200, 100);
    TProbeControl* child = Child(Rect(10, 10, 60, 30));
    child->SetAnchors(c.Anchors);
    parent.SetBounds(0, 0, 300, 150);
    EXPECT_EQ(child->BoundsRect(), c.AfterResize) << c.Anchors.Bits();
    parent.SetBounds(0, 0, 200, 100);
    EXPECT_EQ(child->BoundsRect(), Rect(10, 10, 60, 30)) << c.Anchors.Bits();
    child->Free();
  }
}

TEST_F(Layout, ConstraintsLimitTheSize) {
  parent.Constraints()->SetMinWidth(858);
  parent.Constraints()->SetMinHeight(450);
  parent.SetBounds(0, 0, 300, 200);
  EXPECT_EQ(parent.Width(), 858);
  EXPECT_EQ(parent.Height(), 450);
}
