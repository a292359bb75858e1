// The extended items' start: the table's order, the classes made so far registered in it, the
// font-type marks loaded, a second start that only counts, and the end that unregisters and frees.
#include <gtest/gtest.h>

#include "platform/framework/classes/UnitLifecycle.h"
#include "ui/bars/SubItems.h"
#include "ui/bars/items/BarLargeButton.h"
#include "ui/bars/items/BarStatic.h"
#include "ui/bars/items/DateUtils.h"
#include "ui/bars/items/InPlaceSubItem.h"
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

// The classes made so far, with their control classes, registered in the table's order.
TEST(ExtendedItems, TheMadeClassesAreRegisteredInTheTablesOrder) {
  InitializeUnits();
  const std::vector<std::pair<TClass, TdxBarItemControlClass>> made = {
      {&TdxBarStatic::ClassInfo(), &TdxBarStaticControl::ClassInfo()},
      {&TdxBarLargeButton::ClassInfo(), &TdxBarLargeButtonControl::ClassInfo()},
      {&TdxBarMRUListItem::ClassInfo(), &TdxBarContainerItemControl::ClassInfo()},
      {&TdxBarInPlaceSubItem::ClassInfo(), &TdxBarInPlaceSubItemControl::ClassInfo()},
  };
  TdxBarItemList* registry = ItemClassRegistry();
  int previous = -1;
  for (const auto& [item, control] : made) {
    EXPECT_EQ(registry->ControlClassOf(item), control) << item->ClassName();
    int at = -1;
    for (int i = 0; i < registry->CountShownInDialog(); ++i)
      if (registry->ShownItemClassAt(i) == item) at = i;
    EXPECT_GT(at, previous) << item->ClassName();
    previous = at;
  }
}

TEST(ExtendedItems, StartsAreCountedAndTheLastEndUnregisters) {
  // The program's start ran once: the font-type marks are loaded.
  InitializeUnits();
  ASSERT_EQ(ExtendedItemsStartCount(), 1);
  for (TBitmap* mark : {dxBarTrueTypeFontBitmap(), dxBarNonTrueTypeFontBitmap()}) {
    ASSERT_NE(mark, nullptr);
    EXPECT_EQ(mark->Width(), 12);
    EXPECT_EQ(mark->Height(), 12);
  }
  TClass mru = &TdxBarMRUListItem::ClassInfo();
  EXPECT_EQ(ItemClassRegistry()->ControlClassOf(mru), &TdxBarContainerItemControl::ClassInfo());
  StartExtendedItems();
  EXPECT_EQ(ExtendedItemsStartCount(), 2);
  EndExtendedItems();
  EXPECT_EQ(ItemClassRegistry()->ControlClassOf(mru), &TdxBarContainerItemControl::ClassInfo());
  EndExtendedItems();
  EXPECT_EQ(ExtendedItemsStartCount(), 0);
  EXPECT_EQ(ItemClassRegistry()->ControlClassOf(mru), nullptr);
  EXPECT_EQ(dxBarTrueTypeFontBitmap(), nullptr);
  EXPECT_EQ(dxBarNonTrueTypeFontBitmap(), nullptr);
  StartExtendedItems();
  EXPECT_EQ(ItemClassRegistry()->ControlClassOf(mru), &TdxBarContainerItemControl::ClassInfo());
  EXPECT_EQ(dxBarFirstDayOfWeek(), FirstDayOfWeek());
}

}  // namespace
