#include "ui/ribbon/gallery/GalleryControlViewInfo.h"

#include <algorithm>

#include "ui/foundation/Geometry.h"

namespace {

bool RectWithin(const TRect& Inner, const TRect& Outer) {
  return Inner.left >= Outer.left && Inner.top >= Outer.top && Inner.right <= Outer.right && Inner.bottom <= Outer.bottom;
}

}  // namespace

TRect TdxRibbonGalleryControlViewInfo::ContentRect() const {
  TRect r{Bounds.left + Margins.left, Bounds.top + Margins.top, Bounds.right - Margins.right,
          Bounds.bottom - Margins.bottom};
  r.right -= ScrollBarWidth;
  return r;
}

TRect TdxRibbonGalleryControlViewInfo::ScrollBarRect() const {
  const TRect content = ContentRect();
  return {Bounds.right - ScrollBarWidth, content.top, Bounds.right, content.bottom};
}

int TdxRibbonGalleryControlViewInfo::LeftIndent() const {
  return std::max(1, gallery_->GalleryOptions()->SpaceBetweenItemsAndBorder()) - 1;
}

int TdxRibbonGalleryControlViewInfo::RightIndent() const {
  return gallery_->GalleryOptions()->SpaceBetweenItemsAndBorder();
}

void TdxRibbonGalleryControlViewInfo::Calculate(HDC DC, int Offset) {
  const TRect content = ContentRect();
  const int width = RectWidthOf(content);
  TdxRibbonGalleryGroupMetrics metrics{{}, LeftIndent(), RightIndent(), false, true};
  groups_.clear();
  const std::vector<TdxRibbonGalleryGroup*> shown = ShownGroups();

  commonItemSize_ = {0, 0};
  if (gallery_->GalleryOptions()->EqualItemSizeInAllGroups()) {
    for (TdxRibbonGalleryGroup* group : shown) {
      const TSize size = TdxRibbonGalleryGroupViewInfo(group, DC, metrics).ItemSize();
      commonItemSize_ = {std::max(commonItemSize_.cx, size.cx), std::max(commonItemSize_.cy, size.cy)};
    }
    metrics.ItemSize = commonItemSize_;
  }

  offset_ = Offset;
  const int spacing = gallery_->GalleryOptions()->SpaceBetweenGroups();
  int top = content.top - Offset;
  totalHeight_ = 0;
  for (TdxRibbonGalleryGroup* group : shown) {
    auto info = std::make_unique<TdxRibbonGalleryGroupViewInfo>(group, DC, metrics);
    const int height = info->GroupHeight(width);
    if (top + height > content.top && top < content.bottom) {
      info->CalculateBand(DC, top, top + height, {content.left, std::max<int>(top, content.top), content.right,
                                                  std::min<int>(top + height, content.bottom)});
      groups_.push_back(std::move(info));
    }
    const int step = height + (width > 0 ? spacing : 0);
    top += step;
    totalHeight_ += step;
  }
}

std::vector<TdxRibbonGalleryGroup*> TdxRibbonGalleryControlViewInfo::ShownGroups() const {
  std::vector<TdxRibbonGalleryGroup*> result;
  TdxRibbonGalleryGroups* all = gallery_->GalleryGroups();
  for (int i = 0; i < all->Count(); ++i)
    if (gallery_->GroupPassesFilter(i)) result.push_back(all->GroupAt(i));
  return result;
}

std::vector<TdxRibbonGalleryGroup*> TdxRibbonGalleryControlViewInfo::ShownGroupsWithItems() const {
  std::vector<TdxRibbonGalleryGroup*> result = ShownGroups();
  std::erase_if(result, [](TdxRibbonGalleryGroup* Group) { return Group->Items()->Count() == 0; });
  return result;
}

bool TdxRibbonGalleryControlViewInfo::CanScrollUp() const {
  const std::vector<TdxRibbonGalleryGroup*> shown = ShownGroupsWithItems();
  const auto first = std::find_if(groups_.begin(), groups_.end(), [](const auto& g) { return !g->Items().empty(); });
  if (first == groups_.end() || shown.empty()) return false;
  const TdxRibbonGalleryGroupItemViewInfo& item = *(*first)->Items().front();
  return (*first)->Group() != shown.front() || item.Item()->Index() != 0 || !RectWithin(item.Bounds(), ContentRect());
}

bool TdxRibbonGalleryControlViewInfo::CanScrollDown() const {
  const std::vector<TdxRibbonGalleryGroup*> shown = ShownGroupsWithItems();
  const auto last = std::find_if(groups_.rbegin(), groups_.rend(), [](const auto& g) { return !g->Items().empty(); });
  if (last == groups_.rend() || shown.empty()) return false;
  const TdxRibbonGalleryGroupItemViewInfo& item = *(*last)->Items().back();
  return (*last)->Group() != shown.back() || item.Item()->Index() != shown.back()->Items()->Count() - 1 ||
         !RectWithin(item.Bounds(), ContentRect());
}

void TdxRibbonGalleryControlViewInfo::InvalidateItem(const TdxRibbonGalleryGroupItem* Item) {
  if (!Item || !Invalidate) return;
  // A pull-highlighted zone changes beyond the item itself: the whole content paints again.
  if (Item->Group()->Options()->ItemPullHighlighting()->Active()) {
    Invalidate(ContentRect());
    return;
  }
  for (const auto& group : groups_)
    if (TdxRibbonGalleryGroupItemViewInfo* info = group->ViewInfoOf(Item)) Invalidate(info->Bounds());
}

void TdxRibbonGalleryControlViewInfo::SetHotItem(TdxRibbonGalleryGroupItem* Item) {
  if (hot_ == Item) return;
  TdxRibbonGalleryGroupItem* previous = hot_;
  hot_ = Item;
  InvalidateItem(previous);
  InvalidateItem(hot_);
  gallery_->DoHotTrackedItemChanged(previous, hot_);
}

void TdxRibbonGalleryControlViewInfo::SetPressedItem(TdxRibbonGalleryGroupItem* Item) {
  if (pressed_ == Item) return;
  TdxRibbonGalleryGroupItem* previous = pressed_;
  pressed_ = Item;
  InvalidateItem(Item ? Item : previous);
  if (Item && hot_ != Item) SetHotItem(Item);
}

void TdxRibbonGalleryControlViewInfo::ForgetItem(const TdxRibbonGalleryGroupItem* Item) {
  if (hot_ == Item) hot_ = nullptr;
  if (pressed_ == Item) pressed_ = nullptr;
}

void TdxRibbonGalleryControlViewInfo::Paint(HDC DC, TdxRibbonGalleryPaintContext Context) const {
  if (Context.PaintBackground) Context.PaintBackground(DC, Bounds);
  Context.HotItem = hot_;
  Context.PressedItem = pressed_;
  const TRect content = ContentRect();
  const int saved = SaveDC(DC);
  IntersectClipRect(DC, content.left, content.top, content.right, content.bottom);
  for (const auto& group : groups_) group->Paint(DC, Context);
  RestoreDC(DC, saved);
}
