#pragma once
// The project's own skins, drawn from a few theme colours: the internal "Harbour Blue (internal)"
// and the darker "Harbour Slate". Deterministic: the same sources give the same bytes.

#include <string>
#include <vector>

#include "tools/skins/SkinBuilder.h"

// The 64 sections of a skin, in file order.
const std::vector<std::string>& SkinSectionOrder();

struct TDesignedSkin {
  std::string Name;
  TSkinPackage Package;
  TSkinBitmap Master;      // the master bitmap as drawn (before encoding)
  TSkinBitmap ButtonHuge;  // BUTTON_HUGE's own image
};

TDesignedSkin DesignHarbourBlue();
TDesignedSkin DesignHarbourSlate();
