#include "ui/bars/BarStrings.h"

#include "ui/foundation/Classes.h"

String dxBarString(int Id) { return ResourceStringWithOverride(Id); }
