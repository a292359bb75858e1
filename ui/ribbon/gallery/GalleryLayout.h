#pragma once
// The gallery's geometry, free of windows: the header height, the grid of a group, the content of
// one item (texts, image, the size it needs), the in-ribbon item size, the rows shown in a menu,
// and the in-ribbon row scrolling with its slide and request queue. The control view infos place
// and paint through these.

#include <functional>
#include <vector>

#include "platform/framework/graphics/Graphics.h"
#include "ui/ribbon/gallery/GalleryModel.h"

// Pixels between an item's bounds and its content, on every side.
constexpr int GalleryItemMargin = 3;

// A header's height: half as much again as its text height (device pixels), plus the space after
// it when asked; 0 for a hidden header or a zero width.
int GalleryHeaderHeight(bool Visible, int Width, int TextHeight, int SpaceAfter, bool WithSpace);

// The grid of one group at a content width.
struct TdxRibbonGalleryGroupGrid {
  int ItemCount = 0;
  TSize ItemSize{};
  int Spacing = 0;
  int LeftIndent = 0;
  int RightIndent = 0;
  int HeaderHeight = 0;  // with the space after the header

  // Never below 1 for the arithmetic that divides by it; 0 only when an item has no room at all
  // (spacing + item width of 0).
  int GroupColumnCount(int Width) const;
  int GroupRowCount(int Width) const;
  int ItemsInRow(int Row, int Width) const;
  int ItemLeft(int Column, int Left) const { return Left + LeftIndent + Column * (Spacing + ItemSize.cx); }
  int RowHeight() const { return ItemSize.cy + Spacing; }
  int RowTop(int Row, int Top) const { return Top + HeaderHeight + Row * RowHeight(); }
  int GroupHeight(int Width) const;
};

// What an item shows and how it is measured; the caller fills the text sizes from its font.
struct TdxRibbonGalleryItemContent {
  TdxRibbonGalleryImagePosition ImagePosition = gipLeft;
  bool CaptionShown = false;
  bool DescriptionShown = false;
  int CaptionWidth = 0;
  int CaptionHeight = 0;
  int DescriptionWidth = 0;
  int DescriptionHeight = 0;
  int DescriptionLines = 1;
  int SpaceBetweenCaptionAndDescription = 0;  // the option's value
  int SpaceBetweenImageAndText = 0;           // the option's value
  TSize NaturalImageSize{};
  int MaxImageHeight = 0;  // 0: none

  int CaptionToDescriptionSpacing() const;
  int ImageToTextSpacing() const;
  // Without bounds: the natural size, lowered to the maximal height less the margins.
  TSize ScaledImageSize() const;
  // Within bounds: shrunk proportionally to the room left by the texts.
  TSize ScaledImageSizeIn(const TRect& Bounds) const;
  TSize NeededSize() const;
};

struct TdxRibbonGalleryItemRects {
  TRect Caption{};
  TRect Description{};
  TRect Image{};
};

TdxRibbonGalleryItemRects GalleryItemLayout(const TdxRibbonGalleryItemContent& Content, const TRect& Bounds);

// The in-ribbon item size: the largest item fitted into the rows that the content height holds.
struct TdxInRibbonGalleryItemSize {
  TSize Size{};
  int RowCount = 1;
};
// LargestItem: the largest item size of the shown groups; NeededWidthAtHeight gives the largest
// needed width with every image limited to a height.
TdxInRibbonGalleryItemSize InRibbonGalleryItemSize(TSize LargestItem, int ContentHeight, int BaseHeight, int Spacing,
                                                   int SpaceBetweenItemsAndBorder,
                                                   const std::function<int(int)>& NeededWidthAtHeight);

// The height of the first RowCount rows of a menu's groups: each group's header and its rows, with
// the space between groups, until the rows are counted.
int GalleryRowsHeight(const std::vector<TdxRibbonGalleryGroupGrid>& Groups, int Width, int RowCount,
                      int SpaceBetweenGroups);

// Where an in-menu gallery scrolls to show an item (the layout offset), or the offset unchanged.
struct TdxRibbonGalleryVisibleItem {
  int ItemTop = 0;     // in content coordinates (0 = the top of the first group)
  int ItemBottom = 0;
  int GroupTop = 0;
};
int GalleryOffsetShowingItem(const TdxRibbonGalleryVisibleItem& Item, int Offset, int ContentHeight,
                             bool KeepHeaderHidden);

// The filter band on top of an in-menu gallery: its strip, content, the text (cut with an ellipsis
// before the arrow) and the 7 x 4 downward arrow after it. Offsets: the skin part's content offsets.
struct TdxRibbonGalleryFilterBandLayout {
  TRect Band{};
  TRect Content{};
  TRect Text{};
  TRect Arrow{};
};
TdxRibbonGalleryFilterBandLayout GalleryFilterBandLayout(const TRect& Bounds, int TextHeight, const TRect& Offsets,
                                                         int SpaceWidth);

// ---- in-ribbon row scrolling --------------------------------------------------------------------

// What the scroller asks of the in-ribbon view info.
class IdxInRibbonGallerySlideHost {
 public:
  // Lays out the items of RowCount rows from FirstRow at the vertical offset from the content top.
  virtual void LayoutRows(int FirstRow, int RowCount, int Offset) = 0;
  // Drops every laid-out item.
  virtual void ClearLayout() = 0;
  // Invalidates the content (no erase) and paints the bar window at once.
  virtual void RepaintContent() = 0;

 protected:
  virtual ~IdxInRibbonGallerySlideHost() = default;
};

class TdxInRibbonGalleryScroller {
 public:
  explicit TdxInRibbonGalleryScroller(IdxInRibbonGallerySlideHost* Host) : host_(Host) {}

  // The grid: items of the shown groups, columns of the first shown group with items (at least
  // 1 is used), visible rows, row height with spacing and the top indent.
  void SetGrid(int ItemCount, int Columns, int VisibleRows, int RowHeight, int TopIndent);
  int FirstRow() const { return firstRow_; }
  int LastRow() const;
  bool CanScrollUp() const { return itemCount_ > 0 && firstRow_ > 0; }
  bool CanScrollDown() const { return itemCount_ > 0 && firstRow_ + visibleRows_ - 1 < LastRow(); }
  // Shows the item's row as the last visible row (the first rows stay when it lies among them).
  void MakeItemVisible(int ItemIndex);
  // A request from the scroll bar (-1 up, 0 none, +1 down). While a scroll runs, it is queued: a
  // request of the same sign adds to the queue, another replaces it and stops the running scroll
  // after its current step. The queue runs when the scroll ends.
  void Scroll(int Delta);
  bool Scrolling() const { return running_; }

  // Waits one frame of the slide (10 ms). The default waits on the message queue and lets the
  // scroll bar's mouse and timer messages through, so a held arrow's repeats reach Scroll.
  std::function<void()> WaitFrame;
  // The scroll bar window whose messages the default wait dispatches.
  HWND ScrollBarWindow = nullptr;
  static constexpr int FrameMilliseconds = 10;

 private:
  void ScrollRows(int Delta);
  void Slide(int From, int Target);
  void DefaultWait();

  IdxInRibbonGallerySlideHost* host_;
  int itemCount_ = 0;
  int columns_ = 1;
  int visibleRows_ = 1;
  int rowHeight_ = 0;
  int topIndent_ = 0;
  int firstRow_ = 0;
  bool running_ = false;
  bool interrupted_ = false;
  int queued_ = 0;
};
