// The reading order of controls and menus: inherited from the parent (or the owning control) until
// set, and right-to-left alignment only on a Middle-East system.

#include <gtest/gtest.h>

#include "platform/framework/controls/Menus.h"
#include "platform/framework/rtl/Seams.h"
#include "tests/support/WindowTestSupport.h"

using namespace window_testing;

class ReadingOrder : public FormFixture {};

TEST_F(ReadingOrder, ChildrenFollowTheirParentUntilSet) {
  auto* panel = Place<TCustomControl>(0, 0, 100, 100);
  auto* inner = new TCustomControl(form);
  inner->SetParent(panel);
  EXPECT_EQ(inner->BiDiMode(), bdLeftToRight);

  form->SetBiDiMode(bdRightToLeft);
  EXPECT_FALSE(form->ParentBiDiMode());
  EXPECT_EQ(panel->BiDiMode(), bdRightToLeft);
  EXPECT_EQ(inner->BiDiMode(), bdRightToLeft) << "the change reaches grandchildren";

  // A control placed later takes its parent's; one set on its own keeps it.
  auto* late = Place<TCustomControl>(0, 0, 10, 10);
  EXPECT_EQ(late->BiDiMode(), bdRightToLeft);
  panel->SetBiDiMode(bdLeftToRight);
  form->SetBiDiMode(bdRightToLeftReadingOnly);
  EXPECT_EQ(panel->BiDiMode(), bdLeftToRight);
  EXPECT_EQ(inner->BiDiMode(), bdLeftToRight);
  panel->SetParentBiDiMode(true);
  EXPECT_EQ(panel->BiDiMode(), bdRightToLeftReadingOnly);
}

TEST_F(ReadingOrder, RightToLeftAlignmentNeedsAMiddleEastSystem) {
  auto* menu = new TPopupMenu(form);
  struct Case {
    TBiDiMode mode;
    int middleEast;
    bool rightToLeft;
  } cases[] = {
      {bdLeftToRight, 0, false}, {bdLeftToRight, 1, false}, {bdRightToLeft, 0, false}, {bdRightToLeft, 1, true}};
  for (const Case& c : cases) {
    MiddleEastLocale locale(c.middleEast);
    form->SetBiDiMode(c.mode);
    EXPECT_EQ(form->UseRightToLeftAlignment(), c.rightToLeft) << c.mode << "/" << c.middleEast;
    EXPECT_EQ(menu->BiDiMode(), c.mode) << "a menu follows its owning control";
    EXPECT_EQ(menu->UseRightToLeftAlignment(), c.rightToLeft);
  }
  menu->SetBiDiMode(bdLeftToRight);
  form->SetBiDiMode(bdRightToLeft);
  EXPECT_FALSE(menu->ParentBiDiMode());
  EXPECT_EQ(menu->BiDiMode(), bdLeftToRight);
  MiddleEastLocale locale(true);
  EXPECT_TRUE(SysLocaleMiddleEast());
  EXPECT_FALSE(menu->UseRightToLeftAlignment());
}
