#include "ui/ribbon/gallery/GalleryViewInfo.h"

#include <algorithm>

#include "ui/foundation/Geometry.h"

namespace {

int TextHeightOf(HDC DC) {
  SIZE size{};
  GetTextExtentPoint32W(DC, L"Wg", 2, &size);
  return size.cy;
}

int TextWidthOf(HDC DC, const String& Text) {
  SIZE size{};
  GetTextExtentPoint32W(DC, Text.c_str(), int(Text.size()), &size);
  return size.cx;
}

// A font like the one selected into DC, bold; the caller deletes it.
HFONT CreateBoldVariant(HDC DC) {
  LOGFONTW font{};
  GetObjectW(GetCurrentObject(DC, OBJ_FONT), sizeof(font), &font);
  font.lfWeight = FW_BOLD;
  return CreateFontIndirectW(&font);
}

// Selects a font for a scope (nothing when Font is null) and deletes it afterwards when owned.
class TFontScope {
 public:
  TFontScope(HDC DC, HFONT Font, bool Owned) : dc_(DC), font_(Font), owned_(Owned) {
    if (font_) old_ = SelectObject(dc_, font_);
  }
  ~TFontScope() {
    if (!font_) return;
    SelectObject(dc_, old_);
    if (owned_) DeleteObject(font_);
  }
  TFontScope(const TFontScope&) = delete;
  TFontScope& operator=(const TFontScope&) = delete;

 private:
  HDC dc_;
  HFONT font_;
  bool owned_;
  HGDIOBJ old_ = nullptr;
};

bool RectInside(const TRect& Inner, const TRect& Outer) {
  return Inner.left >= Outer.left && Inner.top >= Outer.top && Inner.right <= Outer.right && Inner.bottom <= Outer.bottom;
}

UINT AlignmentFlags(TAlignment Alignment) {
  switch (Alignment) {
    case taRightJustify: return DT_RIGHT;
    case taCenter: return DT_CENTER;
    default: return DT_LEFT;
  }
}

}  // namespace

int GalleryItemBackgroundState(bool Pressed, bool Hot, bool Selected) {
  if (Pressed) return 4;
  if (Hot) return Selected ? 7 : 3;
  return Selected ? 6 : -1;
}

// ---- item ---------------------------------------------------------------------------------------

TdxRibbonGalleryGroupItemViewInfo::TdxRibbonGalleryGroupItemViewInfo(TdxRibbonGalleryGroupItem* Item, HDC DC,
                                                                     bool InRibbon, int MaxImageHeight)
    : item_(Item) {
  TdxRibbonGalleryGroupOptions* options = Item->Group()->Options();
  const TdxRibbonGalleryGroupItemTextKind kind = options->ItemTextKind();
  const bool hasImage = Item->HasImage();
  content_.ImagePosition = options->ItemImagePosition();
  content_.CaptionShown = !(InRibbon && hasImage) && kind != itkNone && !Item->Caption().empty();
  content_.DescriptionShown =
      !InRibbon && kind == itkCaptionAndDescription && !Item->Caption().empty() && !Item->Description().empty();
  content_.SpaceBetweenCaptionAndDescription = options->SpaceBetweenItemCaptionAndDescription();
  content_.SpaceBetweenImageAndText = options->SpaceBetweenItemImageAndText();
  content_.NaturalImageSize = !options->ItemImageSize()->IsEmpty()
                                  ? TSize{options->ItemImageSize()->Width(), options->ItemImageSize()->Height()}
                                  : hasImage ? Item->NaturalImageSize() : TSize{0, 0};
  content_.MaxImageHeight = MaxImageHeight;
  boldCaption_ = kind == itkCaptionAndDescription && !InRibbon;
  if (content_.CaptionShown) {
    content_.CaptionHeight = TextHeightOf(DC);
    TFontScope bold(DC, boldCaption_ ? CreateBoldVariant(DC) : nullptr, true);
    content_.CaptionWidth = TextWidthOf(DC, Item->Caption());
  }
  if (content_.DescriptionShown) MeasureDescription(DC);
}

// Two lines when the description is wider than the caption; the narrowest width at which the
// wrapped text still fits that many lines.
void TdxRibbonGalleryGroupItemViewInfo::MeasureDescription(HDC DC) {
  const String& text = item_->Description();
  const int fullWidth = TextWidthOf(DC, text);
  const int lineHeight = TextHeightOf(DC);
  content_.DescriptionLines = content_.CaptionWidth < fullWidth ? 2 : 1;
  if (content_.DescriptionLines == 1) {
    content_.DescriptionWidth = fullWidth;
    content_.DescriptionHeight = lineHeight;
    return;
  }
  const auto heightAt = [&](int Width) {
    RECT r{0, 0, Width, 0};
    DrawTextW(DC, text.c_str(), int(text.size()), &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    return std::pair<int, int>(r.right - r.left, r.bottom - r.top);
  };
  int low = (fullWidth + 1) / 2, high = fullWidth;
  while (low < high) {
    const int mid = (low + high) / 2;
    if (heightAt(mid).second <= 2 * lineHeight) high = mid;
    else low = mid + 1;
  }
  const auto [width, height] = heightAt(high);
  content_.DescriptionWidth = width;
  content_.DescriptionHeight = std::min(height, 2 * lineHeight);
}

void TdxRibbonGalleryGroupItemViewInfo::ComputeLayout(const TRect& Bounds) {
  bounds_ = Bounds;
  rects_ = GalleryItemLayout(content_, Bounds);
  if (!RectInside(rects_.Caption, Bounds)) rects_.Caption = {};
  if (!RectInside(rects_.Description, Bounds)) rects_.Description = {};
}

void TdxRibbonGalleryGroupItemViewInfo::Paint(HDC DC, const TdxRibbonGalleryPaintContext& Context) const {
  const TdxRibbonGalleryItem* gallery = item_->GalleryItem();
  const bool selected = gallery && gallery->SelectedItem() == item_;
  const bool hot = gallery && gallery->IsItemHot(item_, Context.HotItem, Context.InRibbon);
  const int state = GalleryItemBackgroundState(Context.PressedItem == item_, hot, selected);
  if (state >= 0 && Context.Skin) Context.Skin->DrawBackground(DC, bounds_, GalleryItemSkinPart, state);
  else if (Context.PaintBackground) Context.PaintBackground(DC, bounds_);

  const int saved = SaveDC(DC);
  item_->DrawImage(DC, rects_.Image);
  PaintTexts(DC, Context);
  RestoreDC(DC, saved);
}

void TdxRibbonGalleryGroupItemViewInfo::PaintTexts(HDC DC, const TdxRibbonGalleryPaintContext& Context) const {
  const TdxRibbonGalleryItem* gallery = item_->GalleryItem();
  const bool selected = gallery && gallery->SelectedItem() == item_;
  TFontScope font(DC, Context.Font, false);
  SetTextColor(DC, ColorToRGB(selected ? Context.SelectedTextColor : Context.TextColor));
  SetBkMode(DC, TRANSPARENT);
  const bool vertical = content_.ImagePosition == gipTop || content_.ImagePosition == gipBottom;
  UINT flags = (vertical ? DT_CENTER : DT_LEFT) | DT_NOPREFIX;
  if (content_.DescriptionLines == 1) flags |= DT_VCENTER | DT_SINGLELINE;
  if (content_.CaptionShown && !IsRectEmpty(&rects_.Caption)) {
    TFontScope bold(DC, boldCaption_ ? CreateBoldVariant(DC) : nullptr, true);
    RECT r = rects_.Caption;
    DrawTextW(DC, item_->Caption().c_str(), int(item_->Caption().size()), &r, flags);
  }
  if (content_.DescriptionShown && !IsRectEmpty(&rects_.Description)) {
    RECT r = rects_.Description;
    const UINT multiLine = content_.DescriptionLines > 1 ? (flags & ~(DT_VCENTER | DT_SINGLELINE)) | DT_WORDBREAK
                                                         : flags;
    DrawTextW(DC, item_->Description().c_str(), int(item_->Description().size()), &r, multiLine | DT_END_ELLIPSIS);
  }
}

// ---- group --------------------------------------------------------------------------------------

TdxRibbonGalleryGroupViewInfo::TdxRibbonGalleryGroupViewInfo(TdxRibbonGalleryGroup* Group, HDC DC,
                                                             const TdxRibbonGalleryGroupMetrics& Metrics)
    : group_(Group), metrics_(Metrics) {
  headerTextHeight_ = TextHeightOf(DC);
  TdxRibbonGalleryGroupItems* items = Group->Items();
  grid_.ItemCount = items->Count();
  grid_.Spacing = Group->Options()->SpaceBetweenItems();
  grid_.LeftIndent = Metrics.LeftIndent;
  grid_.RightIndent = Metrics.RightIndent;
  grid_.ItemSize = Metrics.ItemSize;
  if (grid_.ItemSize.cx == 0 || grid_.ItemSize.cy == 0) {
    TcxItemSize* optionSize = Group->Options()->ItemSize();
    grid_.ItemSize = {optionSize->Width(), optionSize->Height()};
  }
  if (grid_.ItemSize.cx != 0 && grid_.ItemSize.cy != 0) return;
  grid_.ItemSize = {0, 0};
  for (int i = 0; i < items->Count(); ++i) {
    const TSize needed = TdxRibbonGalleryGroupItemViewInfo(items->ItemAt(i), DC, Metrics.InRibbon).NeededSize();
    grid_.ItemSize.cx = std::max(grid_.ItemSize.cx, needed.cx);
    grid_.ItemSize.cy = std::max(grid_.ItemSize.cy, needed.cy);
  }
}

int TdxRibbonGalleryGroupViewInfo::HeaderHeight(int Width, bool WithSpace) const {
  return GalleryHeaderHeight(metrics_.ShowHeader && group_->Header()->Visible(), Width, headerTextHeight_,
                             group_->Options()->SpaceAfterGroupHeader(), WithSpace);
}

const TdxRibbonGalleryGroupGrid& TdxRibbonGalleryGroupViewInfo::Grid(int Width) {
  grid_.HeaderHeight = HeaderHeight(Width, true);
  return grid_;
}

void TdxRibbonGalleryGroupViewInfo::CalculateBand(HDC DC, int Top, int Bottom, const TRect& Visible) {
  const int width = RectWidthOf(Visible);
  bounds_ = {Visible.left, Top, Visible.right, Bottom};
  headerBounds_ = {Visible.left, Top, Visible.right, Top + HeaderHeight(width, false)};
  items_.clear();
  const TdxRibbonGalleryGroupGrid& grid = Grid(width);
  const int columns = std::max(1, grid.GroupColumnCount(width));
  const int rows = grid.GroupRowCount(width);
  for (int row = 0; row < rows; ++row) {
    const int rowTop = grid.RowTop(row, Top);
    if (rowTop + grid.RowHeight() <= Visible.top || rowTop >= Visible.bottom) continue;
    for (int column = 0; column < grid.ItemsInRow(row, width); ++column) {
      const int left = grid.ItemLeft(column, Visible.left);
      PlaceItem(DC, group_->Items()->ItemAt(row * columns + column),
                {left, rowTop, left + grid.ItemSize.cx, rowTop + grid.ItemSize.cy});
    }
  }
}

void TdxRibbonGalleryGroupViewInfo::BeginPlacement(const TRect& Bounds) {
  bounds_ = Bounds;
  headerBounds_ = {Bounds.left, Bounds.top, Bounds.right, Bounds.top};
  items_.clear();
}

void TdxRibbonGalleryGroupViewInfo::PlaceItem(HDC DC, TdxRibbonGalleryGroupItem* Item, const TRect& ItemBounds) {
  auto item = std::make_unique<TdxRibbonGalleryGroupItemViewInfo>(Item, DC, metrics_.InRibbon);
  item->ComputeLayout(ItemBounds);
  items_.push_back(std::move(item));
}

TdxRibbonGalleryGroupItemViewInfo* TdxRibbonGalleryGroupViewInfo::ItemAtPoint(TPoint P) const {
  if (!RectContainsPoint(bounds_, P)) return nullptr;
  for (const auto& item : items_)
    if (RectContainsPoint(item->Bounds(), P)) return item.get();
  return nullptr;
}

TdxRibbonGalleryGroupItemViewInfo* TdxRibbonGalleryGroupViewInfo::ViewInfoOf(const TdxRibbonGalleryGroupItem* Item) const {
  for (const auto& item : items_)
    if (item->Item() == Item) return item.get();
  return nullptr;
}

void TdxRibbonGalleryGroupViewInfo::Paint(HDC DC, const TdxRibbonGalleryPaintContext& Context) const {
  PaintHeader(DC, Context);
  for (const auto& item : items_) item->Paint(DC, Context);
}

void TdxRibbonGalleryGroupViewInfo::PaintHeader(HDC DC, const TdxRibbonGalleryPaintContext& Context) const {
  TdxRibbonGalleryGroupHeader* header = group_->Header();
  if (!header->Visible() || !Context.ShowHeaders || IsRectEmpty(&headerBounds_)) return;
  if (Context.Skin) Context.Skin->DrawBackground(DC, headerBounds_, GalleryHeaderSkinPart, 0);
  TFontScope font(DC, Context.Font, false);
  TFontScope bold(DC, CreateBoldVariant(DC), true);
  SetTextColor(DC, ColorToRGB(Context.Skin ? Context.Skin->PartColorOf(GalleryHeaderTextSkinColor, 0) : clWindowText));
  SetBkMode(DC, TRANSPARENT);
  RECT r{headerBounds_.left + GalleryHeaderTextIndent, headerBounds_.top,
         headerBounds_.right - GalleryHeaderTextIndent, headerBounds_.bottom};
  DrawTextW(DC, header->Caption().c_str(), int(header->Caption().size()), &r,
            AlignmentFlags(header->Alignment()) | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

TdxRibbonGalleryGroupItemViewInfo* GalleryItemAtPoint(
    const std::vector<std::unique_ptr<TdxRibbonGalleryGroupViewInfo>>& Groups, TPoint P) {
  for (const auto& group : Groups)
    if (RectContainsPoint(group->Bounds(), P)) return group->ItemAtPoint(P);
  return nullptr;
}

void DrawGalleryPlaceholder(HDC DC, const TRect& R, const String& Caption) {
  const int saved = SaveDC(DC);
  HPEN pen = CreatePen(PS_SOLID, 1, ColorToRGB(clRed));
  SelectObject(DC, pen);
  SelectObject(DC, GetStockObject(WHITE_BRUSH));
  Rectangle(DC, R.left, R.top, R.right, R.bottom);
  MoveToEx(DC, R.left, R.top, nullptr);
  LineTo(DC, R.right - 1, R.bottom - 1);
  MoveToEx(DC, R.right - 1, R.top, nullptr);
  LineTo(DC, R.left, R.bottom - 1);
  SetBkMode(DC, TRANSPARENT);
  RECT text = R;
  DrawTextW(DC, Caption.c_str(), int(Caption.size()), &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  RestoreDC(DC, saved);
  DeleteObject(pen);
}
