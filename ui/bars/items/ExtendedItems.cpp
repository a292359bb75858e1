#include "ui/bars/items/ExtendedItems.h"

#include "platform/framework/classes/UnitLifecycle.h"
#include "ui/bars/SubItems.h"
#include "ui/bars/items/BarColorCombo.h"
#include "ui/bars/items/BarFontNames.h"
#include "ui/bars/items/DateUtils.h"
#include "ui/bars/items/MRUListItem.h"

namespace {

int g_startCount = 0;
int g_firstDayOfWeek = 0;

const TUnitRegistration extendedItemsUnit(&StartExtendedItems, &EndExtendedItems);

}  // namespace

const std::vector<TdxBarExtendedItemEntry>& ExtendedItemTable() {
  static const std::vector<TdxBarExtendedItemEntry> table = {
      {L"TdxBarStatic", nullptr, nullptr},
      {L"TdxBarLargeButton", nullptr, nullptr},
      {L"TdxBarColorCombo", &TdxBarColorCombo::ClassInfo(), &TdxBarColorComboControl::ClassInfo()},
      {L"TdxBarFontNameCombo", &TdxBarFontNameCombo::ClassInfo(), &TdxBarComboControl::ClassInfo()},
      {L"TdxBarDateCombo", nullptr, nullptr},
      {L"TdxBarTreeViewCombo", nullptr, nullptr},
      {L"TdxBarImageCombo", nullptr, nullptr},
      {L"TdxBarToolbarsListItem", nullptr, nullptr},
      {L"TdxBarSpinEdit", nullptr, nullptr},
      {L"TdxBarControlContainerItem", nullptr, nullptr},
      {L"TdxBarProgressItem", nullptr, nullptr},
      {L"TdxBarMRUListItem", &TdxBarMRUListItem::ClassInfo(), &TdxBarContainerItemControl::ClassInfo()},
      {L"TdxBarInPlaceSubItem", nullptr, nullptr},
  };
  return table;
}

void StartExtendedItems() {
  if (g_startCount++ > 0) return;
  g_firstDayOfWeek = FirstDayOfWeek();
  for (const TdxBarExtendedItemEntry& e : ExtendedItemTable())
    if (e.ItemClass && e.ControlClass) RegisterItemControlClass(e.ItemClass, e.ControlClass, true);
}

void EndExtendedItems() {
  if (g_startCount == 0 || --g_startCount > 0) return;
  const auto& table = ExtendedItemTable();
  for (auto it = table.rbegin(); it != table.rend(); ++it)
    if (it->ItemClass) UnregisterItemControlClass(it->ItemClass);
  FreeBarColorDialog();
  FreeBarFontNameResources();
}

int ExtendedItemsStartCount() { return g_startCount; }
int dxBarFirstDayOfWeek() { return g_firstDayOfWeek; }
