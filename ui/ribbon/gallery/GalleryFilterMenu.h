#pragma once
// The entries of a gallery's filter menu and what a click on one changes: with categories, one
// check entry per category and "Clear filter" (the menu closes on a choice); without, one check
// entry per group that could pass the filter, "Show all groups" and "Hide all groups" (the menu
// stays open while groups are toggled).

#include <vector>

#include "platform/framework/base/Types.h"

class TdxRibbonGalleryItem;

struct TdxRibbonGalleryFilterMenuEntry {
  String Caption;
  bool Checkable = true;
  bool Down = false;
  int Tag = 0;  // the category or group index; -1 clear or show all, -2 hide all
  bool BeginGroup = false;
  bool operator==(const TdxRibbonGalleryFilterMenuEntry&) const = default;
};

std::vector<TdxRibbonGalleryFilterMenuEntry> GalleryFilterMenuEntries(TdxRibbonGalleryItem* Gallery);

// A click on Entries[Clicked] (a check entry's Down already toggled by the click). Updates the
// entries' Down and the gallery; fires the gallery's filter-changed event when the filter changed.
// Answers whether the menu closes.
bool GalleryFilterMenuClick(TdxRibbonGalleryItem* Gallery, std::vector<TdxRibbonGalleryFilterMenuEntry>& Entries,
                            int Clicked);
