#pragma once
// The whole gallery as a control shows it in a menu: the shown groups stacked with their headers,
// scrolled by a pixel offset, laid out only where they meet the content, with the hot and pressed
// items and the scroll limits.

#include <functional>
#include <memory>
#include <vector>

#include "ui/ribbon/gallery/GalleryViewInfo.h"

class TdxRibbonGalleryControlViewInfo {
 public:
  explicit TdxRibbonGalleryControlViewInfo(TdxRibbonGalleryItem* Gallery) : gallery_(Gallery) {}
  virtual ~TdxRibbonGalleryControlViewInfo() = default;

  TdxRibbonGalleryItem* Gallery() const { return gallery_; }
  TRect Bounds{};
  TRect Margins{};
  int ScrollBarWidth = 0;  // 0 while the scroll bar is hidden
  // Bounds less the margins and the scroll bar on the right.
  TRect ContentRect() const;
  TRect ScrollBarRect() const;
  virtual int LeftIndent() const;
  int RightIndent() const;

  // Measures the shown groups and lays out those that meet the content, Offset pixels scrolled.
  virtual void Calculate(HDC DC, int Offset);
  int LayoutOffset() const { return offset_; }
  // The height of every shown group with the space between them, at the content width.
  int TotalContentHeight() const { return totalHeight_; }
  const std::vector<std::unique_ptr<TdxRibbonGalleryGroupViewInfo>>& Groups() const { return groups_; }
  TSize CommonItemSize() const { return commonItemSize_; }
  TdxRibbonGalleryGroupItemViewInfo* ItemAtPoint(TPoint P) const { return GalleryItemAtPoint(groups_, P); }
  bool CanScrollUp() const;
  bool CanScrollDown() const;

  TdxRibbonGalleryGroupItem* HotItem() const { return hot_; }
  TdxRibbonGalleryGroupItem* PressedItem() const { return pressed_; }
  void SetHotItem(TdxRibbonGalleryGroupItem* Item);
  void SetPressedItem(TdxRibbonGalleryGroupItem* Item);
  // Drops the references to an item that goes.
  void ForgetItem(const TdxRibbonGalleryGroupItem* Item);
  // Called with each rectangle that must be painted again.
  std::function<void(const TRect&)> Invalidate;

  // The background over the bounds, then the groups clipped to the content.
  void Paint(HDC DC, TdxRibbonGalleryPaintContext Context) const;

 protected:
  std::vector<TdxRibbonGalleryGroup*> ShownGroups() const;
  std::vector<TdxRibbonGalleryGroup*> ShownGroupsWithItems() const;

  std::vector<std::unique_ptr<TdxRibbonGalleryGroupViewInfo>> groups_;
  TSize commonItemSize_{};

 private:
  void InvalidateItem(const TdxRibbonGalleryGroupItem* Item);

  TdxRibbonGalleryItem* gallery_;
  int offset_ = 0;
  int totalHeight_ = 0;
  TdxRibbonGalleryGroupItem* hot_ = nullptr;
  TdxRibbonGalleryGroupItem* pressed_ = nullptr;
};
