// The bar library's start: the item classes offered in the new-item list, in their order, and the
// operating-system flags.

#include <gtest/gtest.h>

#include "ui/bars/BarEditControls.h"
#include "ui/bars/BarItemControls.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/BarUnit.h"
#include "platform/framework/windows/Forms.h"
#include "ui/bars/BarTypes.h"
#include "ui/bars/SubItems.h"

namespace {

TEST(BarUnitTest, TheNewItemListOffersTheStartedItemClassesInOrder) {
  TdxBarItemList* registry = ItemClassRegistry();
  ASSERT_NE(registry, nullptr);
  const TClass expected[] = {&TdxBarButton::ClassInfo(),        &TdxBarEdit::ClassInfo(),
                             &TCustomdxBarCombo::ClassInfo(),   &TdxBarCombo::ClassInfo(),
                             &TdxBarSubItem::ClassInfo(),       &TdxBarListItem::ClassInfo(),
                             &TdxBarContainerItem::ClassInfo(), &TdxBarSeparator::ClassInfo()};
  ASSERT_EQ(registry->CountShownInDialog(), 8);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(registry->ShownItemClassAt(i), expected[i]) << i;
  EXPECT_EQ(registry->ShownItemClassAt(8), nullptr);
  EXPECT_EQ(registry->ShownItemClassAt(-1), nullptr);
  EXPECT_EQ(registry->ControlClassOf(&TdxBarLabel::ClassInfo()), &TdxBarCustomStaticControl::ClassInfo());
  EXPECT_EQ(registry->ControlClassOf(&TdxBarCombo::ClassInfo()), &TdxBarComboControl::ClassInfo());
  EXPECT_EQ(registry->ControlClassOf(&TSystemMenuSubItem::ClassInfo()), &TSystemMenuSubItemControl::ClassInfo());
}

TEST(BarUnitTest, TheLibrarysCursorsAreInTheScreensTableWithTheirHotSpots) {
  ASSERT_NE(Screen, nullptr);
  struct Case {
    TCursor id;
    DWORD hotX, hotY;
  } cases[] = {{crdxBarDrag, 0, 0}, {crdxBarDragCopy, 0, 0}, {crdxBarDragNoDrop, 0, 0}, {crdxBarEditSizing, 15, 15}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    HCURSOR cursor = Screen->Cursors(c.id);
    ASSERT_NE(cursor, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_EQ(info.xHotspot, c.hotX);
    EXPECT_EQ(info.yHotspot, c.hotY);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
  }
}

TEST(BarUnitTest, TheNewMenuStructureHoldsOnEveryNtReleaseFromFiveOn) {
  struct Case {
    DWORD platform, major, minor;
    bool nineX, ninetyFive, newMenus;
  } cases[] = {
      {VER_PLATFORM_WIN32_WINDOWS, 4, 0, true, true, false},   // 95
      {VER_PLATFORM_WIN32_WINDOWS, 4, 10, true, false, true},  // 98
      {VER_PLATFORM_WIN32_NT, 4, 0, false, false, false},
      {VER_PLATFORM_WIN32_NT, 5, 0, false, false, true},
      {VER_PLATFORM_WIN32_NT, 5, 1, false, false, true},
      {VER_PLATFORM_WIN32_NT, 6, 1, false, false, true},
      {VER_PLATFORM_WIN32_NT, 10, 0, false, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.platform << " " << c.major << "." << c.minor);
    const TdxBarOSFlags flags = BarOSFlagsFor(c.platform, c.major, c.minor);
    EXPECT_EQ(flags.Windows9x, c.nineX);
    EXPECT_EQ(flags.Windows95, c.ninetyFive);
    EXPECT_EQ(flags.NewMenuStructure, c.newMenus);
  }
  // This system (Wine reports an NT release of 6 or later) reads menus with the whole structure.
  EXPECT_TRUE(BarOSFlags().NewMenuStructure);
  EXPECT_EQ(BarMenuItemInfoSize(), UINT(sizeof(MENUITEMINFOW)));
}

}  // namespace
