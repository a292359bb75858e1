#include "ui/ribbon/gallery/GalleryFilterMenu.h"

#include "ui/ribbon/gallery/GalleryItem.h"

std::vector<TdxRibbonGalleryFilterMenuEntry> GalleryFilterMenuEntries(TdxRibbonGalleryItem* Gallery) {
  std::vector<TdxRibbonGalleryFilterMenuEntry> entries;
  TdxRibbonGalleryFilter* filter = Gallery->GalleryFilter();
  TdxRibbonGalleryFilterCategories* categories = filter->Categories();
  if (categories->Count() > 0) {
    for (int i = 0; i < categories->Count(); ++i)
      entries.push_back({categories->CategoryAt(i)->Caption, true, i == filter->ActiveCategoryIndex(), i, false});
    entries.push_back({L"Clear filter", false, false, -1, true});
    return entries;
  }
  TdxRibbonGalleryGroups* groups = Gallery->GalleryGroups();
  for (int g = 0; g < groups->Count(); ++g) {
    if (!Gallery->GroupPassesFilter(g, true)) continue;
    TdxRibbonGalleryGroup* group = groups->GroupAt(g);
    entries.push_back({group->Header()->Caption(), true, group->Visible(), g, false});
  }
  entries.push_back({L"Show all groups", false, false, -1, true});
  entries.push_back({L"Hide all groups", false, false, -2, false});
  return entries;
}

namespace {

bool ChooseCategory(TdxRibbonGalleryItem* Gallery, std::vector<TdxRibbonGalleryFilterMenuEntry>& Entries, int Tag) {
  for (TdxRibbonGalleryFilterMenuEntry& entry : Entries)
    if (entry.Checkable) entry.Down = entry.Tag == Tag;
  TdxRibbonGalleryFilter* filter = Gallery->GalleryFilter();
  if (Tag == filter->ActiveCategoryIndex()) return false;
  filter->SetActiveCategoryIndex(Tag);
  return true;
}

bool ToggleGroups(TdxRibbonGalleryItem* Gallery, std::vector<TdxRibbonGalleryFilterMenuEntry>& Entries, int Clicked) {
  TdxRibbonGalleryGroups* groups = Gallery->GalleryGroups();
  const TdxRibbonGalleryFilterMenuEntry& clicked = Entries[size_t(Clicked)];
  bool changed = false;
  if (clicked.Tag < 0) {
    const bool show = clicked.Tag == -1;
    TdxRibbonGalleryRefreshLock lock(Gallery);
    for (TdxRibbonGalleryFilterMenuEntry& entry : Entries) {
      if (!entry.Checkable || entry.Tag >= groups->Count()) continue;
      entry.Down = show;
      TdxRibbonGalleryGroup* group = groups->GroupAt(entry.Tag);
      if (group->Visible() == show) continue;
      group->SetVisible(show);
      changed = true;
    }
    return changed;
  }
  if (clicked.Tag >= groups->Count()) return false;
  TdxRibbonGalleryGroup* group = groups->GroupAt(clicked.Tag);
  if (group->Visible() == clicked.Down) return false;
  group->SetVisible(clicked.Down);
  return true;
}

}  // namespace

bool GalleryFilterMenuClick(TdxRibbonGalleryItem* Gallery, std::vector<TdxRibbonGalleryFilterMenuEntry>& Entries,
                            int Clicked) {
  if (Clicked < 0 || Clicked >= int(Entries.size())) return false;
  const bool byCategory = Gallery->GalleryFilter()->Categories()->Count() > 0;
  const bool changed = byCategory ? ChooseCategory(Gallery, Entries, Entries[size_t(Clicked)].Tag)
                                  : ToggleGroups(Gallery, Entries, Clicked);
  if (changed) {
    Gallery->DoFilterChanged();
    Gallery->RepaintControls();
  }
  return byCategory;
}
