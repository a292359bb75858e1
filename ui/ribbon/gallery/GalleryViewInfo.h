#pragma once
// The laid-out gallery: one view info per shown group and per laid-out item, measured with the
// control's font, placed by the window-free grid and item rules, and painted through the bar skin
// (item backgrounds, group header strips and the header text colour).

#include <functional>
#include <memory>
#include <vector>

#include "ui/bars/painters/SkinInterfaces.h"
#include "ui/ribbon/gallery/GalleryItem.h"
#include "ui/ribbon/gallery/GalleryLayout.h"

// Skin parts and colours the gallery paints with.
constexpr int GalleryItemSkinPart = 3;
constexpr int GalleryHeaderSkinPart = 63;
constexpr int GalleryHeaderTextSkinColor = 64;
// Pixels between a header's edges and its caption.
constexpr int GalleryHeaderTextIndent = 11;

// The skin state of an item's background, or -1 when the control's own background shows.
int GalleryItemBackgroundState(bool Pressed, bool Hot, bool Selected);

// What painting needs from the control that owns the view infos.
struct TdxRibbonGalleryPaintContext {
  IdxSkin* Skin = nullptr;
  HFONT Font = nullptr;
  bool InRibbon = false;
  bool ShowHeaders = true;
  TColor TextColor = clWindowText;          // items not selected
  TColor SelectedTextColor = clWindowText;  // selected items
  const TdxRibbonGalleryGroupItem* HotItem = nullptr;
  const TdxRibbonGalleryGroupItem* PressedItem = nullptr;
  // The control's background under an item that draws no skin part of its own.
  std::function<void(HDC, const TRect&)> PaintBackground;
};

class TdxRibbonGalleryGroupItemViewInfo {
 public:
  // Measures the item's texts with the font selected into DC.
  TdxRibbonGalleryGroupItemViewInfo(TdxRibbonGalleryGroupItem* Item, HDC DC, bool InRibbon, int MaxImageHeight = 0);

  TdxRibbonGalleryGroupItem* Item() const { return item_; }
  const TdxRibbonGalleryItemContent& Content() const { return content_; }
  bool BoldCaption() const { return boldCaption_; }
  TSize NeededSize() const { return content_.NeededSize(); }

  void ComputeLayout(const TRect& Bounds);
  const TRect& Bounds() const { return bounds_; }
  const TdxRibbonGalleryItemRects& Rects() const { return rects_; }

  void Paint(HDC DC, const TdxRibbonGalleryPaintContext& Context) const;

 private:
  void MeasureDescription(HDC DC);
  void PaintTexts(HDC DC, const TdxRibbonGalleryPaintContext& Context) const;

  TdxRibbonGalleryGroupItem* item_;
  TdxRibbonGalleryItemContent content_;
  bool boldCaption_ = false;
  TRect bounds_{};
  TdxRibbonGalleryItemRects rects_{};
};

// The geometry a group takes from its control.
struct TdxRibbonGalleryGroupMetrics {
  TSize ItemSize{};  // empty: the largest needed size of the group's items
  int LeftIndent = 0;
  int RightIndent = 0;
  bool InRibbon = false;
  bool ShowHeader = true;
};

class TdxRibbonGalleryGroupViewInfo {
 public:
  // Measures the header and, when no item size is given, every item of the group.
  TdxRibbonGalleryGroupViewInfo(TdxRibbonGalleryGroup* Group, HDC DC, const TdxRibbonGalleryGroupMetrics& Metrics);

  TdxRibbonGalleryGroup* Group() const { return group_; }
  TSize ItemSize() const { return grid_.ItemSize; }
  // The grid at a width, with the header counted (and the space after it).
  const TdxRibbonGalleryGroupGrid& Grid(int Width);
  int HeaderHeight(int Width, bool WithSpace) const;
  int GroupHeight(int Width) { return Grid(Width).GroupHeight(Width); }

  // Lays the group out between Top and Bottom across Visible: the header strip and the items of
  // the rows that meet Visible vertically.
  void CalculateBand(HDC DC, int Top, int Bottom, const TRect& Visible);
  // Row-by-row placement across groups: the group takes Bounds and its items are added one by one.
  void BeginPlacement(const TRect& Bounds);
  void PlaceItem(HDC DC, TdxRibbonGalleryGroupItem* Item, const TRect& ItemBounds);
  const TRect& Bounds() const { return bounds_; }
  const TRect& HeaderBounds() const { return headerBounds_; }
  const std::vector<std::unique_ptr<TdxRibbonGalleryGroupItemViewInfo>>& Items() const { return items_; }
  TdxRibbonGalleryGroupItemViewInfo* ItemAtPoint(TPoint P) const;
  TdxRibbonGalleryGroupItemViewInfo* ViewInfoOf(const TdxRibbonGalleryGroupItem* Item) const;

  void Paint(HDC DC, const TdxRibbonGalleryPaintContext& Context) const;

 private:
  void PaintHeader(HDC DC, const TdxRibbonGalleryPaintContext& Context) const;

  TdxRibbonGalleryGroup* group_;
  TdxRibbonGalleryGroupMetrics metrics_;
  int headerTextHeight_ = 0;
  TdxRibbonGalleryGroupGrid grid_;
  TRect bounds_{};
  TRect headerBounds_{};
  std::vector<std::unique_ptr<TdxRibbonGalleryGroupItemViewInfo>> items_;
};

// The first laid-out item under P across the groups, or nullptr.
TdxRibbonGalleryGroupItemViewInfo* GalleryItemAtPoint(
    const std::vector<std::unique_ptr<TdxRibbonGalleryGroupViewInfo>>& Groups, TPoint P);

// What a gallery shows under a bar painter without the ribbon skin: a white rectangle with a red
// frame and diagonals, and the caption centred.
void DrawGalleryPlaceholder(HDC DC, const TRect& R, const String& Caption);
