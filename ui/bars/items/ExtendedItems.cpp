#include "ui/bars/items/ExtendedItems.h"

#include "platform/framework/classes/UnitLifecycle.h"
#include "ui/bars/SubItems.h"
#include "ui/bars/items/BarColorCombo.h"
#include "ui/bars/items/BarFontNames.h"
#include "ui/bars/items/BarLargeButton.h"
#include "ui/bars/items/BarStatic.h"
#include "ui/bars/items/DateUtils.h"
#include "ui/bars/items/InPlaceSubItem.h"
#include "ui/bars/items/MRUListItem.h"

namespace {

int g_startCount = 0;
int g_firstDayOfWeek = 0;
TBitmap* g_trueTypeFont = nullptr;
TBitmap* g_nonTrueTypeFont = nullptr;

TBitmap* LoadResourceBitmap(const wchar_t* Name) {
  auto* bitmap = new TBitmap;
  try {
    bitmap->LoadFromResourceName(GetModuleHandleW(nullptr), Name);
  } catch (...) {
    delete bitmap;
    throw;
  }
  return bitmap;
}

const TUnitRegistration extendedItemsUnit(&StartExtendedItems, &EndExtendedItems);

}  // namespace

const std::vector<TdxBarExtendedItemEntry>& ExtendedItemTable() {
  static const std::vector<TdxBarExtendedItemEntry> table = {
      {L"TdxBarStatic", &TdxBarStatic::ClassInfo(), &TdxBarStaticControl::ClassInfo()},
      {L"TdxBarLargeButton", &TdxBarLargeButton::ClassInfo(), &TdxBarLargeButtonControl::ClassInfo()},
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
      {L"TdxBarInPlaceSubItem", &TdxBarInPlaceSubItem::ClassInfo(), &TdxBarInPlaceSubItemControl::ClassInfo()},
  };
  return table;
}

void StartExtendedItems() {
  if (g_startCount > 0) {
    ++g_startCount;
    return;
  }
  g_trueTypeFont = LoadResourceBitmap(L"DXBARTRUETYPEFONT");
  g_nonTrueTypeFont = LoadResourceBitmap(L"DXBARNONTRUETYPEFONT");
  g_firstDayOfWeek = FirstDayOfWeek();
  for (const TdxBarExtendedItemEntry& e : ExtendedItemTable())
    if (e.ItemClass && e.ControlClass) RegisterItemControlClass(e.ItemClass, e.ControlClass, true);
  g_startCount = 1;
}

void EndExtendedItems() {
  if (g_startCount == 0 || --g_startCount > 0) return;
  const auto& table = ExtendedItemTable();
  for (auto it = table.rbegin(); it != table.rend(); ++it)
    if (it->ItemClass) UnregisterItemControlClass(it->ItemClass);
  delete g_trueTypeFont;
  delete g_nonTrueTypeFont;
  g_trueTypeFont = g_nonTrueTypeFont = nullptr;
  FreeBarColorDialog();
  FreeBarFontDialog();
}

int ExtendedItemsStartCount() { return g_startCount; }
int dxBarFirstDayOfWeek() { return g_firstDayOfWeek; }
TBitmap* dxBarTrueTypeFontBitmap() { return g_trueTypeFont; }
TBitmap* dxBarNonTrueTypeFontBitmap() { return g_nonTrueTypeFont; }
