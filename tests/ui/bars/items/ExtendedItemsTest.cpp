// The extended items' start: the table's order, the classes made so far registered in it, a second
// start that only counts, and the end that unregisters.
#include <gtest/gtest.h>

#include "platform/framework/classes/UnitLifecycle.h"
#include "ui/bars/SubItems.h"
#include "ui/bars/items/DateUtils.h"
#include "ui/bars/items/ExtendedItems.h"
#include "ui/bars/items/MRUListItem.h"

namespace {

TEST(ExtendedItems, TheTableKeepsTheDialogOrder) {
  const wchar_t* order[] = {L"TdxBarStatic",         L"TdxBarLargeButton",     L"TdxBarColorCombo",
                            L"TdxBarFontNameCombo",  L"TdxBarDateCombo",       L"TdxBarTreeViewCombo",
                            L"TdxBarImageCombo",     L"TdxBarToolbarsListItem", L"TdxBarSpinEdit",
                            L"TdxBarControlContainerItem", L"TdxBarProgressItem", L"TdxBarMRUListItem",
                            L"TdxBarInPlaceSubItem"};
  const auto& table = ExtendedItemTable();
  ASSERT_EQ(table.size(), std::size(order));
  for (size_t i = 0; i < table.size(); ++i) {
    EXPECT_STREQ(table[i].Name, order[i]);
    if (table[i].ItemClass) {
      EXPECT_EQ(table[i].ItemClass->ClassName(), String(order[i]));
    }
  }
}

TEST(ExtendedItems, StartsAreCountedAndTheLastEndUnregisters) {
  // The program's start ran once.
  InitializeUnits();
  ASSERT_EQ(ExtendedItemsStartCount(), 1);
  TClass mru = &TdxBarMRUListItem::ClassInfo();
  EXPECT_EQ(ItemClassRegistry()->ControlClassOf(mru), &TdxBarContainerItemControl::ClassInfo());
  StartExtendedItems();
  EXPECT_EQ(ExtendedItemsStartCount(), 2);
  EndExtendedItems();
  EXPECT_EQ(ItemClassRegistry()->ControlClassOf(mru), &TdxBarContainerItemControl::ClassInfo());
  EndExtendedItems();
  EXPECT_EQ(ExtendedItemsStartCount(), 0);
  EXPECT_EQ(ItemClassRegistry()->ControlClassOf(mru), nullptr);
  StartExtendedItems();
  EXPECT_EQ(ItemClassRegistry()->ControlClassOf(mru), &TdxBarContainerItemControl::ClassInfo());
  EXPECT_EQ(dxBarFirstDayOfWeek(), FirstDayOfWeek());
}

}  // namespace
