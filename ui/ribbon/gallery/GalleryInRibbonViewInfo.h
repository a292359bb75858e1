#pragma once
// The gallery inside a ribbon group: the items of every shown group flow row after row without
// headers, a fixed number of rows shows, and the rows scroll one at a time with the slide.

#include "ui/ribbon/gallery/GalleryControlViewInfo.h"

class TdxInRibbonGalleryControlViewInfo : public TdxRibbonGalleryControlViewInfo, public IdxInRibbonGallerySlideHost {
 public:
  explicit TdxInRibbonGalleryControlViewInfo(TdxRibbonGalleryItem* Gallery);

  // The font the items are measured with while the rows slide.
  HFONT Font = nullptr;
  int LeftIndent() const override;
  int TopIndent() const;
  int Columns() const { return columns_; }
  int VisibleRows() const { return visibleRows_; }
  TdxInRibbonGalleryScroller& Scroller() { return scroller_; }

  // Fits the common item size to the content height, then scrolls by Delta rows (-1, 0, +1).
  void Calculate(HDC DC, int Delta) override;

  void LayoutRows(int FirstRow, int RowCount, int Offset) override;
  void ClearLayout() override { groups_.clear(); }
  void RepaintContent() override;
  // Paints the invalidated content at once (the bar window's update).
  std::function<void()> Update;

 private:
  void MeasureItemSize(HDC DC);

  TdxInRibbonGalleryScroller scroller_;
  int columns_ = 1;
  int visibleRows_ = 1;
};
