#include "ui/ribbon/gallery/GalleryLayout.h"

#include <algorithm>
#include <cmath>

#include "ui/foundation/Geometry.h"

int GalleryHeaderHeight(bool Visible, int Width, int TextHeight, int SpaceAfter, bool WithSpace) {
  if (!Visible || Width <= 0) return 0;
  // The text height is already in device pixels: no further scaling by the screen's resolution.
  return MulDiv(TextHeight, 3, 2) + (WithSpace ? SpaceAfter : 0);
}

// ---- group grid ---------------------------------------------------------------------------------

int TdxRibbonGalleryGroupGrid::GroupColumnCount(int Width) const {
  const int step = Spacing + ItemSize.cx;
  if (step <= 0) return 0;
  return std::max(1, (Width + Spacing - LeftIndent - RightIndent) / step);
}

int TdxRibbonGalleryGroupGrid::GroupRowCount(int Width) const {
  const int columns = GroupColumnCount(Width);
  return columns == 0 ? 0 : (ItemCount + columns - 1) / columns;
}

int TdxRibbonGalleryGroupGrid::ItemsInRow(int Row, int Width) const {
  const int columns = GroupColumnCount(Width);
  if (columns == 0) return 0;
  const int left = ItemCount - Row * columns;
  return std::clamp(left, 0, columns);
}

int TdxRibbonGalleryGroupGrid::GroupHeight(int Width) const {
  const int rows = GroupRowCount(Width);
  return HeaderHeight + rows * RowHeight() - (rows > 0 ? Spacing : 0);
}

// ---- item content -------------------------------------------------------------------------------

int TdxRibbonGalleryItemContent::CaptionToDescriptionSpacing() const {
  return DescriptionShown ? SpaceBetweenCaptionAndDescription + 3 : 0;
}

int TdxRibbonGalleryItemContent::ImageToTextSpacing() const {
  const bool image = NaturalImageSize.cx > 0 && NaturalImageSize.cy > 0;
  return CaptionShown && image ? SpaceBetweenImageAndText + 3 : 0;
}

TSize TdxRibbonGalleryItemContent::ScaledImageSize() const {
  TSize size = NaturalImageSize;
  const int limit = MaxImageHeight - 2 * GalleryItemMargin;
  if (MaxImageHeight > 0 && limit < size.cy && size.cy > 0) {
    size.cx = MulDiv(size.cx, std::max(limit, 0), size.cy);
    size.cy = std::max(limit, 0);
  }
  return size;
}

TSize TdxRibbonGalleryItemContent::ScaledImageSizeIn(const TRect& Bounds) const {
  const TSize natural = NaturalImageSize;
  if (natural.cx <= 0 || natural.cy <= 0) return {0, 0};
  const int margins = 2 * GalleryItemMargin;
  int availableWidth, availableHeight;
  if (ImagePosition == gipLeft || ImagePosition == gipRight) {
    availableWidth = RectWidthOf(Bounds) - (std::max(CaptionWidth, DescriptionWidth) + ImageToTextSpacing() + margins);
    availableHeight = RectHeightOf(Bounds) - margins;
  } else {
    availableWidth = RectWidthOf(Bounds) - margins;
    availableHeight = RectHeightOf(Bounds) - (CaptionHeight + DescriptionHeight + CaptionToDescriptionSpacing() +
                                              ImageToTextSpacing() + margins);
  }
  availableWidth = std::max(availableWidth, 0);
  availableHeight = std::max(availableHeight, 0);
  if (natural.cx <= availableWidth && natural.cy <= availableHeight) return natural;
  const double ratio = std::min(double(availableWidth) / natural.cx, double(availableHeight) / natural.cy);
  return {int(std::lround(natural.cx * ratio)), int(std::lround(natural.cy * ratio))};
}

TSize TdxRibbonGalleryItemContent::NeededSize() const {
  const TSize scaled = ScaledImageSize();
  const int imageWidth = scaled.cx, imageHeight = scaled.cy;
  const int margins = 2 * GalleryItemMargin;
  const int textWidth = std::max(CaptionWidth, DescriptionWidth);
  const int textHeight = CaptionHeight + DescriptionHeight + CaptionToDescriptionSpacing();
  if (ImagePosition == gipLeft || ImagePosition == gipRight)
    return {textWidth + ImageToTextSpacing() + margins + imageWidth, std::max(imageHeight, textHeight) + margins};
  return {std::max(textWidth, imageWidth) + margins, textHeight + ImageToTextSpacing() + margins + imageHeight};
}

TdxRibbonGalleryItemRects GalleryItemLayout(const TdxRibbonGalleryItemContent& Content, const TRect& B) {
  const int m = GalleryItemMargin;
  const TSize image = Content.ScaledImageSizeIn(B);
  const bool hasImage = image.cx > 0 && image.cy > 0;
  const int toText = Content.ImageToTextSpacing();
  int textLeft = B.left + m, textRight = B.right - m, textTop = B.top + m;
  if (hasImage) {
    if (Content.ImagePosition == gipLeft) textLeft += image.cx + toText + m;
    if (Content.ImagePosition == gipRight) textRight -= image.cx + toText + m;
    if (Content.ImagePosition == gipTop) textTop += image.cy + toText + m;
  }
  TdxRibbonGalleryItemRects rects;
  const int captionHeight = Content.CaptionShown ? Content.CaptionHeight : 0;
  if (Content.CaptionShown) {
    if (!hasImage && !Content.DescriptionShown)
      rects.Caption = CenterWHInRect(B, textRight - textLeft, captionHeight);
    else
      rects.Caption = {textLeft, textTop, textRight, textTop + captionHeight};
  }
  if (Content.DescriptionShown) {
    const int top = textTop + captionHeight + Content.CaptionToDescriptionSpacing();
    rects.Description = {textLeft, top, textRight, top + Content.DescriptionHeight};
  }
  if (!RectEncloses(B, rects.Caption)) rects.Caption = TRect();
  if (!RectEncloses(B, rects.Description)) rects.Description = TRect();
  if (hasImage) {
    TRect slot = B;
    if (Content.CaptionShown) {
      switch (Content.ImagePosition) {
        case gipLeft: slot = {B.left + m, B.top + m, B.left + m + image.cx, B.bottom - m}; break;
        case gipRight: slot = {B.right - m - image.cx, B.top + m, B.right - m, B.bottom - m}; break;
        case gipTop: slot = {B.left + m, B.top + m, B.right - m, B.top + m + image.cy}; break;
        case gipBottom: slot = {B.left + m, B.bottom - m - image.cy, B.right - m, B.bottom - m}; break;
      }
    }
    rects.Image = CenterSizeInRect(slot, image);
  }
  return rects;
}

// ---- in-ribbon item size, rows in a menu, scrolling into view -------------------------------------------

TdxInRibbonGalleryItemSize InRibbonGalleryItemSize(TSize LargestItem, int ContentHeight, int BaseHeight, int Spacing,
                                                   int SpaceBetweenItemsAndBorder,
                                                   const std::function<int(int)>& NeededWidthAtHeight) {
  TdxInRibbonGalleryItemSize result{LargestItem, 1};
  const int height = ContentHeight > 0 ? ContentHeight : BaseHeight;
  const int extra = 2 * SpaceBetweenItemsAndBorder + 2;
  const int itemHeight = LargestItem.cy;
  if (height > 0 && Spacing + itemHeight != 0) {
    result.RowCount = std::max(1, (height - extra) / (Spacing + itemHeight));
    result.Size.cy = (height - Spacing * (result.RowCount - 1) - extra) / result.RowCount;
    if (NeededWidthAtHeight) result.Size.cx = NeededWidthAtHeight(result.Size.cy);
  }
  return result;
}

int GalleryRowsHeight(const std::vector<TdxRibbonGalleryGroupGrid>& Groups, int Width, int RowCount,
                      int SpaceBetweenGroups) {
  int height = 0, counted = 0;
  bool first = true;
  for (const TdxRibbonGalleryGroupGrid& group : Groups) {
    if (counted >= RowCount) break;
    if (!first) height += SpaceBetweenGroups;
    first = false;
    const int rows = std::min(group.GroupRowCount(Width), RowCount - counted);
    height += group.HeaderHeight + std::max(rows * group.RowHeight() - group.Spacing, 0);
    counted += rows;
  }
  return height;
}

int GalleryOffsetShowingItem(const TdxRibbonGalleryVisibleItem& Item, int Offset, int ContentHeight,
                             bool KeepHeaderHidden) {
  int target = Offset;
  if (Item.ItemTop < Offset)
    target = Item.ItemTop;
  else if (Item.ItemBottom > Offset + ContentHeight)
    target = Item.ItemBottom - ContentHeight;
  // The header rule: bring the group's top into view when the whole run down to the item fits.
  const bool headerAbove = Item.GroupTop < target;
  if (!KeepHeaderHidden && headerAbove && Item.ItemBottom - Item.GroupTop <= ContentHeight) target = Item.GroupTop;
  return std::max(target, 0);
}

TdxRibbonGalleryFilterBandLayout GalleryFilterBandLayout(const TRect& Bounds, int TextHeight, const TRect& Offsets,
                                                         int SpaceWidth) {
  constexpr int textInset = 11, arrowWidth = 7, arrowHeight = 4;
  TdxRibbonGalleryFilterBandLayout layout;
  layout.Band = RectWithHeight(Bounds, TextHeight + Offsets.top + Offsets.bottom);
  layout.Content = DeflateRectByMargins(layout.Band, Offsets);
  layout.Text = InflateRectSides(layout.Content, -textInset, 0, -textInset, 0);
  layout.Text.right -= arrowWidth + SpaceWidth + 1;
  const int arrowLeft = layout.Text.right + SpaceWidth + 1;
  const int arrowTop = layout.Content.top + (RectHeightOf(layout.Content) - arrowHeight) / 2;
  layout.Arrow = RectFromBounds(arrowLeft, arrowTop, arrowWidth, arrowHeight);
  return layout;
}

// ---- in-ribbon row scrolling --------------------------------------------------------------------

void TdxInRibbonGalleryScroller::SetGrid(int ItemCount, int Columns, int VisibleRows, int RowHeight, int TopIndent) {
  itemCount_ = std::max(ItemCount, 0);
  columns_ = std::max(Columns, 1);
  visibleRows_ = std::max(VisibleRows, 1);
  rowHeight_ = std::max(RowHeight, 0);
  topIndent_ = TopIndent;
}

int TdxInRibbonGalleryScroller::LastRow() const { return itemCount_ == 0 ? 0 : (itemCount_ - 1) / columns_; }

void TdxInRibbonGalleryScroller::MakeItemVisible(int ItemIndex) {
  firstRow_ = std::max(0, ItemIndex / columns_ - visibleRows_ + 1);
  if (itemCount_ == 0) return host_->ClearLayout();
  host_->LayoutRows(firstRow_, visibleRows_, topIndent_ + 1);
  host_->RepaintContent();
}

void TdxInRibbonGalleryScroller::Scroll(int Delta) {
  if (running_) {
    if (Delta == 0) return;
    if (queued_ != 0 && (queued_ > 0) == (Delta > 0)) {
      queued_ += Delta;
    } else {
      queued_ = Delta;
      interrupted_ = true;
    }
    return;
  }
  ScrollRows(Delta);
  while (queued_ != 0) {
    const int next = queued_;
    queued_ = 0;
    ScrollRows(next);
  }
}

void TdxInRibbonGalleryScroller::ScrollRows(int Delta) {
  if (itemCount_ == 0) return host_->ClearLayout();
  if (LastRow() < firstRow_ + visibleRows_ - 1) firstRow_ = std::max(0, LastRow() - visibleRows_ + 1);
  running_ = true;
  interrupted_ = false;
  struct Running {
    bool& flag;
    ~Running() { flag = false; }
  } running{running_};
  const int rowsTotal = (itemCount_ + columns_ - 1) / columns_;
  const int step = Delta > 0 ? 1 : Delta < 0 ? -1 : 0;
  do {
    if ((step < 0 && !CanScrollUp()) || (step > 0 && !CanScrollDown())) break;
    const int target = step < 0 ? std::max(firstRow_ - 1, 0) : step > 0 ? std::min(firstRow_ + 1, rowsTotal) : firstRow_;
    if (step != 0) Slide(firstRow_, target);
    host_->LayoutRows(target, visibleRows_, topIndent_ + 1);
    firstRow_ = target;
    Delta -= step;
  } while (Delta != 0 && !interrupted_);
  host_->RepaintContent();
}

void TdxInRibbonGalleryScroller::Slide(int From, int Target) {
  const int k = rowHeight_ / 3;
  const int top = std::min(From, Target);
  for (int frame = 0; frame <= k; ++frame) {
    const int o = Target < From ? -3 * (k - frame) : -3 * frame;
    host_->LayoutRows(top, visibleRows_ + 1, topIndent_ + o);
    host_->RepaintContent();
    if (WaitFrame)
      WaitFrame();
    else
      DefaultWait();
  }
}

void TdxInRibbonGalleryScroller::DefaultWait() {
  const DWORD start = GetTickCount();
  for (;;) {
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= DWORD(FrameMilliseconds)) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, FrameMilliseconds - elapsed, QS_MOUSE | QS_TIMER | QS_POSTMESSAGE);
    if (!ScrollBarWindow) continue;
    MSG msg;
    // Only what drives the scroll bar: its mouse messages and its arrow-repeat timer.
    while (PeekMessageW(&msg, ScrollBarWindow, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE) ||
           PeekMessageW(&msg, ScrollBarWindow, WM_TIMER, WM_TIMER, PM_REMOVE))
      DispatchMessageW(&msg);
  }
}
