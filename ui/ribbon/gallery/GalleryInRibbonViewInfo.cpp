#include "ui/ribbon/gallery/GalleryInRibbonViewInfo.h"

#include <algorithm>

#include "ui/foundation/Geometry.h"

TdxInRibbonGalleryControlViewInfo::TdxInRibbonGalleryControlViewInfo(TdxRibbonGalleryItem* Gallery)
    : TdxRibbonGalleryControlViewInfo(Gallery), scroller_(this) {}

int TdxInRibbonGalleryControlViewInfo::LeftIndent() const {
  return Gallery()->GalleryOptions()->SpaceBetweenItemsAndBorder() + 1;
}

int TdxInRibbonGalleryControlViewInfo::TopIndent() const { return Gallery()->GalleryOptions()->SpaceBetweenItemsAndBorder(); }

void TdxInRibbonGalleryControlViewInfo::MeasureItemSize(HDC DC) {
  const std::vector<TdxRibbonGalleryGroup*> shown = ShownGroups();
  const TdxRibbonGalleryGroupMetrics metrics{{}, LeftIndent(), RightIndent(), true, false};
  TSize largest{0, 0};
  for (TdxRibbonGalleryGroup* group : shown) {
    const TSize size = TdxRibbonGalleryGroupViewInfo(group, DC, metrics).ItemSize();
    largest = {std::max(largest.cx, size.cx), std::max(largest.cy, size.cy)};
  }
  const auto neededWidthAtHeight = [&](int Height) {
    int width = 0;
    for (TdxRibbonGalleryGroup* group : shown)
      for (int i = 0; i < group->Items()->Count(); ++i)
        width = std::max<int>(width, TdxRibbonGalleryGroupItemViewInfo(group->Items()->ItemAt(i), DC, true, Height).NeededSize().cx);
    return width;
  };
  const TdxRibbonGalleryOptions* options = Gallery()->GalleryOptions();
  const TdxInRibbonGalleryItemSize fitted =
      InRibbonGalleryItemSize(largest, RectHeightOf(ContentRect()), 0, options->SpaceBetweenItems(),
                              options->SpaceBetweenItemsAndBorder(), neededWidthAtHeight);
  commonItemSize_ = fitted.Size;
  visibleRows_ = fitted.RowCount;
}

void TdxInRibbonGalleryControlViewInfo::Calculate(HDC DC, int Delta) {
  Margins = {0, 0, ScrollBarWidth > 0 ? -1 : 0, 0};
  MeasureItemSize(DC);
  const std::vector<TdxRibbonGalleryGroup*> shown = ShownGroupsWithItems();
  int itemCount = 0;
  for (TdxRibbonGalleryGroup* group : ShownGroups()) itemCount += group->Items()->Count();
  TdxRibbonGalleryGroupGrid grid;
  grid.ItemSize = commonItemSize_;
  grid.Spacing = Gallery()->GalleryOptions()->SpaceBetweenItems();
  grid.LeftIndent = LeftIndent();
  grid.RightIndent = RightIndent();
  columns_ = shown.empty() ? 1 : std::max(1, grid.GroupColumnCount(RectWidthOf(ContentRect())));
  scroller_.SetGrid(itemCount, columns_, visibleRows_, grid.RowHeight(), TopIndent());
  scroller_.Scroll(Delta);
}

void TdxInRibbonGalleryControlViewInfo::LayoutRows(int FirstRow, int RowCount, int Offset) {
  groups_.clear();
  const TRect content = ContentRect();
  const int spacing = Gallery()->GalleryOptions()->SpaceBetweenItems();
  const int rowHeight = commonItemSize_.cy + spacing;
  const TdxRibbonGalleryGroupMetrics metrics{commonItemSize_, LeftIndent(), RightIndent(), true, false};
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ oldFont = Font ? SelectObject(dc, Font) : nullptr;
  const int first = FirstRow * columns_, end = (FirstRow + RowCount) * columns_;
  int index = 0;
  for (TdxRibbonGalleryGroup* group : ShownGroups()) {
    TdxRibbonGalleryGroupViewInfo* info = nullptr;
    for (int i = 0; i < group->Items()->Count(); ++i, ++index) {
      if (index < first || index >= end) continue;
      if (!info) {
        groups_.push_back(std::make_unique<TdxRibbonGalleryGroupViewInfo>(group, dc, metrics));
        info = groups_.back().get();
        info->BeginPlacement(content);
      }
      const int row = index / columns_ - FirstRow, column = index % columns_;
      const int left = content.left + LeftIndent() + column * (spacing + commonItemSize_.cx);
      const int top = content.top + Offset + row * rowHeight;
      info->PlaceItem(dc, group->Items()->ItemAt(i), {left, top, left + commonItemSize_.cx, top + commonItemSize_.cy});
    }
  }
  if (oldFont) SelectObject(dc, oldFont);
  DeleteDC(dc);
}

void TdxInRibbonGalleryControlViewInfo::RepaintContent() {
  if (Invalidate) Invalidate(ContentRect());
  if (Update) Update();
}
