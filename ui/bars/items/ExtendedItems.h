#pragma once
// The extended items' start and end: the font-type bitmaps loaded for the font-name combo, the first
// day of the week read once for the date items, and the item classes registered with their control
// classes in the order of their table (the order the new-item dialog shows them in). Counted: a
// second start only counts, the last end unregisters and frees the bitmaps.

#include <vector>

#include "platform/framework/graphics/Bitmap.h"
#include "ui/bars/BarItemControls.h"

struct TdxBarExtendedItemEntry {
  // The name of the item class (for the rows whose classes are not made yet).
  const wchar_t* Name;
  TClass ItemClass;
  TdxBarItemControlClass ControlClass;
};

// The table in its order; rows whose classes are not made yet have null classes and are skipped.
const std::vector<TdxBarExtendedItemEntry>& ExtendedItemTable();
void StartExtendedItems();
void EndExtendedItems();
int ExtendedItemsStartCount();
// 0 Sunday ... 6 Saturday, as read at the first start.
int dxBarFirstDayOfWeek();
// The marks of outline ("DXBARTRUETYPEFONT") and other fonts ("DXBARNONTRUETYPEFONT"), loaded from
// the program's resources at the first start; null while the items are not started.
TBitmap* dxBarTrueTypeFontBitmap();
TBitmap* dxBarNonTrueTypeFontBitmap();
