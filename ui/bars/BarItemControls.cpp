#include "ui/bars/BarItemControls.h"

#include <algorithm>

#include "platform/framework/windows/ActnList.h"
#include "platform/framework/windows/ShortCuts.h"
#include "ui/bars/BarAccessibility.h"
#include "ui/bars/BarControl.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/PopupMenus.h"
#include "ui/bars/painters/Fader.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/Controls.h"
#include "ui/foundation/Geometry.h"
#include "ui/foundation/Themes.h"

DEFINE_CLASS(TdxBarItemControlDrawParams)
DEFINE_CLASS(TdxBarStaticLikeControlDrawParams)
DEFINE_CLASS(TdxBarSeparatorControlDrawParams)
DEFINE_CLASS(TdxBarButtonLikeControlDrawParams)
DEFINE_CLASS(TdxBarEditLikeControlDrawParams)
DEFINE_CLASS(TdxBarSpinEditDrawParams)
DEFINE_CLASS(TdxBarApplicationMenuButtonControlDrawParams)
DEFINE_CLASS(TdxBarItemControlViewInfo)
DEFINE_CLASS(TdxCachedImageOptions)
DEFINE_CLASS(TdxBarItemControl)
DEFINE_CLASS(TdxBarCustomStaticControl)
DEFINE_CLASS(TdxBarSeparatorControl)
DEFINE_CLASS(TdxBarButtonLikeControl)
DEFINE_CLASS(TdxBarButtonControl)
DEFINE_CLASS(TdxBarApplicationMenuButtonControl)
DEFINE_CLASS(TRegItemRecord)
DEFINE_CLASS(TdxBarItemList)

// ---- draw parameters ----------------------------------------------------------------------------

void TdxBarItemControlDrawParams::ChangeViewSize(Byte Value) {
  if (ViewSize == Value) return;
  ViewSize = Value;
  if (owner_ && owner_->CachedImage()) owner_->CachedImage()->Invalidate();
}

// ---- view info ----------------------------------------------------------------------------------

int MostReducedViewLevel(TdxBarItemViewLevels Levels) { return LastViewLevelIn(Levels); }

TdxBarItemControlViewInfo::TdxBarItemControlViewInfo(TdxBarItemControl* AControl)
    : TcxInterfacedPersistent(nullptr), control_(AControl) {
  allowedViewLevels_ = AControl->AllowedViewLevels();
  minPossibleViewLevel_ = TdxBarItemViewLevel(MostReducedViewLevel(AControl->PossibleViewLevels()));
  const int reduced = MostReducedViewLevel(allowedViewLevels_);
  viewLevelForButtonGroup_ = reduced == ivlLargeIconWithText ? minPossibleViewLevel_ : TdxBarItemViewLevel(reduced);
  ResetWidthCache();
}

TdxBarItemControlViewInfo::~TdxBarItemControlViewInfo() {
  TCustomdxBarControl* window = control_ ? control_->BarControl() : nullptr;
  if (window && IsLiveBarControl(window) && !window->IsDestroying()) window->ViewInfo()->RemoveItemInfo(this);
}

void TdxBarItemControlViewInfo::ResetWidthCache() {
  for (bool& valid : widthValid_) valid = false;
}

TdxBarButtonGroupPosition TdxBarItemControlViewInfo::PositionInButtonGroup() {
  return control_->ActsAsButton() && control_->Link() ? control_->Link()->ButtonGroup() : bgpNone;
}

TdxBarItemPosition TdxBarItemControlViewInfo::GetPosition() {
  return control_->Link() ? control_->Link()->Position() : ipBeginsNewRow;
}

bool TdxBarItemControlViewInfo::GetBeginGroup() { return control_->Link() && control_->Link()->BeginGroup(); }

bool TdxBarItemControlViewInfo::IsMultiColumn(bool CheckCollapsed, IdxRibbonMultiColumnItem*& Item) {
  Item = Supports<IdxRibbonMultiColumnItem>(static_cast<TObject*>(this));
  if (Item && CheckCollapsed && Item->Collapsed()) return false;
  return Item != nullptr;
}

TdxBarItemAlign TdxBarItemControlViewInfo::GetAlign() {
  TdxBarItem* item = control_->LinkedItem();
  return item ? item->Align() : iaLeft;
}

int TdxBarItemControlViewInfo::WidthForViewLevel(TdxBarItemViewLevel Level) {
  if (Level < ivlLargeIconWithText || Level > ivlControlOnly || !allowedViewLevels_.Contains(Level))
    throw EdxBarException(L"Testing! The level is not allowed");
  if (widthValid_[Level]) return widths_[Level];
  const TdxBarItemViewLevel previous = viewLevel_;
  viewLevel_ = Level;
  int width = 0;
  try {
    width = control_->MeasureWidth();
  } catch (...) {
    viewLevel_ = previous;
    throw;
  }
  viewLevel_ = previous;
  widths_[Level] = width;
  widthValid_[Level] = true;
  return width;
}

// ---- the glyph cache ----------------------------------------------------------------------------

TdxCachedImageOptions::TdxCachedImageOptions() : glyph_(new TcxBitmap(0, 0)) {}

bool TdxCachedImageOptions::Holds(Byte AViewSize, TBitmap* ASourceGlyph, TCustomImageList* AImages, int AImageIndex,
                                  TcxGlyphPaintMode AMode, const TSize& Size) const {
  if (!Valid || ViewSize != AViewSize || Mode != AMode) return false;
  if (glyph_->Width() != Size.cx || glyph_->Height() != Size.cy) return false;
  if (ASourceGlyph) return SourceGlyph == ASourceGlyph;
  return !SourceGlyph && Images == AImages && ImageIndex == AImageIndex;
}

// ---- the item control: life -----------------------------------------------------------------------

TdxBarItemControl::TdxBarItemControl(TdxBarItemLink* ALink)
    : link_(ALink), barControl_(ALink ? ALink->OwnerBarControl() : nullptr) {}

TdxBarItemControl::~TdxBarItemControl() {
  DetachAccessibilityHelper(accessibilityHelper_);
  // No fade outlives its control: a running one is dropped without drawing.
  if (TdxFader* fader = Fader()) fader->StopObjectFading(this, true);
  if (!detached_) DetachFromOwners();
  if (ownBrush_) DeleteObject(ownBrush_);
  InvalidateObjectLinks(this);
  viewInfo_.reset();
  cachedImage_.reset();
  drawParams_.reset();
}

TdxFader* TdxBarItemControl::Fader() const { return barControl_ ? barControl_->Fader() : nullptr; }

void TdxBarItemControl::DrawFadeImage(TBitmap* Image) {
  if (!Image || !barControl_) return;
  TcxCanvas* canvas = barControl_->CurrentCanvas();
  HDC dc = canvas ? canvas->DCHandle() : nullptr;
  if (!dc) return;
  const TRect r = viewInfo_ ? viewInfo_->BoundsRect() : TRect{};
  BitBlt(dc, r.left, r.top, Image->Width(), Image->Height(), Image->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TdxBarItemControl::AfterConstruction() {
  drawParams_.reset(CreateDrawParams());
  cachedImage_.reset(new TdxCachedImageOptions);
  viewInfo_.reset(CreateViewInfo());
  PrepareWithItemFont();
  hotPart_ = -1;
  CalcDrawParams(true);
  if (barControl_) viewInfo_->SetViewLevel(barControl_->ViewLevelFor(this));
}

void TdxBarItemControl::BeforeDestruction() { DetachFromOwners(); }

void TdxBarItemControl::DetachFromOwners() {
  if (detached_) return;
  detached_ = true;
  TdxBarManager* manager = LinkedBarManager();
  if (manager) {
    if (manager->SelectedItemControl() == this) manager->SetSelectedItemControl(nullptr);
    manager->ForgetHintObject(this);
  }
  TCustomdxBarControl* window = barControl_ && IsLiveBarControl(barControl_) ? barControl_ : nullptr;
  if (window) {
    const bool selected = link_ && window->SelectedLink() == link_ && link_->itemControl_ == this;
    if (selected && manager && !manager->BeingDestroyed() && !manager->IsCustomizing()) {
      if (!link_ || !link_->Visible())
        window->ForgetLink(link_);
      else
        window->SetSelected(nullptr);
    }
    if (window->TrackedLink() == link_) window->ForgetLink(link_);
    window->ForgetControl(this);
  }
  if (link_ && link_->itemControl_ == this) link_->itemControl_ = nullptr;
}

// ---- queries ------------------------------------------------------------------------------------

TdxBarManager* TdxBarItemControl::LinkedBarManager() const { return link_ ? link_->BarManager() : nullptr; }
TdxBarItem* TdxBarItemControl::LinkedItem() const { return link_ ? link_->Item() : nullptr; }

TCustomdxBarControl* TdxBarItemControl::ParentSubMenu() const {
  if (!barControl_ || barControl_->BarKind() != 2) throw EInvalidCast(L"Invalid class typecast");
  return barControl_;
}

void TdxBarItemControl::BoundsInBar(TRect& R) const { R = link_ ? link_->ItemRect() : TRect{}; }

TRect TdxBarItemControl::BoundsInBar() const {
  TRect r;
  BoundsInBar(r);
  return r;
}

TcxCanvas* TdxBarItemControl::PaintCanvas() const {
  if (CanvasOverride) return CanvasOverride;
  return barControl_ ? barControl_->CurrentCanvas() : ScreenCanvas();
}

HBRUSH TdxBarItemControl::BackgroundBrush() const {
  if (ownBrush_) return ownBrush_;
  return barControl_ ? barControl_->BackgroundBrush() : nullptr;
}

bool TdxBarItemControl::IsSelected() const {
  if (!barControl_ || barControl_->SelectedItemControl() != this) return false;
  return IsEnabledConst() || !SelectedByMouse;
}

bool TdxBarItemControl::IsEnabledConst() const {
  TdxBarItem* item = LinkedItem();
  return item && item->Enabled();
}

bool TdxBarItemControl::IsEnabled() { return IsEnabledConst(); }

bool TdxBarItemControl::IsPressedUnderMouse() const {
  if (!IsEnabledConst() || !barControl_ || !barControl_->HandleAllocated()) return false;
  const TPoint cursor = barControl_->ScreenToClient(SafeCursorPos());
  return BoundsInBar().Contains(cursor) && IsLeftMouseButtonDown();
}

int TdxBarItemControl::TextSize() const {
  TdxBarItem* item = LinkedItem();
  TcxStyle* style = item ? item->Style() : nullptr;
  if (style && style->AssignedValues().Contains(svFont)) return ownTextSize_;
  return barControl_ ? barControl_->TextSize() : 0;
}

int TdxBarItemControl::SizeAlongBar(const TSize& Pair) const { return IsOnVerticalBar() ? Pair.cy : Pair.cx; }
int TdxBarItemControl::SizeAcrossBar(const TSize& Pair) const { return IsOnVerticalBar() ? Pair.cx : Pair.cy; }

int TdxBarItemControl::TextWidth(const String& Text) const { return PaintCanvas()->TextPixelWidth(Text); }
int TdxBarItemControl::TextHeight() const { return PaintCanvas()->TextPixelHeight(L"Qq"); }

void TdxBarItemControl::DrawGraphicAtTopLeft(TGraphic* Graphic) {
  const TRect r = BoundsInBar();
  PaintCanvas()->DrawGraphicAt(r.left, r.top, Graphic);
}

void TdxBarItemControl::BeginNonRecentPaint() {
  if (barControl_ && barControl_->BarKind() == 2) barControl_->PaintingNonRecent = NonRecent;
}

void TdxBarItemControl::EndNonRecentPaint() {
  if (barControl_ && barControl_->BarKind() == 2) barControl_->PaintingNonRecent = false;
}

TdxBarItemAlign TdxBarItemControl::EffectiveAlign() const {
  TdxBarItem* item = LinkedItem();
  if (!item || !barControl_ || !barControl_->AllowsItemAlign(const_cast<TdxBarItemControl*>(this))) return iaLeft;
  return item->Align();
}

TdxBarItemViewLevels TdxBarItemControl::PossibleViewLevels() const {
  const TdxBarItemViewLevels levels = GetPossibleViewLevels();
  if (levels.Empty()) throw EdxBarException(ClassName() + L".GetPossibleViewLevels = []");
  return levels;
}

TdxBarItemViewLevels TdxBarItemControl::AllowedViewLevels() const {
  const TdxBarItemViewLevels possible = PossibleViewLevels();
  const TdxBarItemViewLevels both = link_ ? possible * link_->ViewLevels() : TdxBarItemViewLevels{};
  return both.Empty() ? possible : both;
}

int TdxBarItemControl::HitTestPart(const TPoint& P) const {
  if (!BoundsInBar().Contains(P)) return -1;
  for (int i = 0; i < int(partBounds_.size()); ++i) {
    if (partBounds_[i].Contains(P)) return i;
  }
  return 100;
}

bool TdxBarItemControl::ShowsShortCuts() const {
  TdxBarItemLinks* links = link_ ? link_->OwnerLinks() : nullptr;
  return links && links->ShowShortCuts();
}

bool TdxBarItemControl::ShowsDescriptions() const {
  TdxBarItemLinks* links = link_ ? link_->OwnerLinks() : nullptr;
  return links && links->ItemSizeOption() == misLarge && links->ShowDescriptions();
}

bool TdxBarItemControl::UnclickAfterDoing() const {
  auto* button = dynamic_cast<TdxBarButton*>(LinkedItem());
  return !button || button->UnclickAfterDoing;
}

bool TdxBarItemControl::UsesLargeIcons() const {
  TdxBarManager* manager = LinkedBarManager();
  TdxBarPainter* painter = Painter();
  return manager && painter && manager->LargeIcons() && painter->AllowsLargeIcons();
}

bool TdxBarItemControl::UsesLargeImagesFor(Byte ViewSize) const {
  if (ViewSize == bvsLarge) return true;
  TdxBarManager* manager = LinkedBarManager();
  return PaintType() != 1 && UsesLargeIcons() && manager && manager->UsesLargeImagesForLargeIcons();
}

bool TdxBarItemControl::HasGlyphFor(Byte ViewSize) const {
  int index = -1;
  TCustomImageList* images = nullptr;
  TBitmap* glyph = nullptr;
  return GetImageInfo(ViewSize, {cpIcon}, index, images, glyph);
}

bool TdxBarItemControl::NeedsGlyphDrawing(Byte ViewSize, TdxBarContentParts Parts) const {
  return Parts.Contains(cpIcon) && HasGlyphFor(ViewSize);
}

Byte TdxBarItemControl::GlyphKindForViewLevel() const {
  switch (viewInfo_ ? viewInfo_->ViewLevel() : ivlDefault) {
    case ivlLargeIconWithText: return bvsLarge;
    case ivlSmallIconWithText:
    case ivlSmallIcon: return bvsSmall;
    default: return DefaultViewSize();
  }
}

bool TdxBarItemControl::IsInToolbarWindow() const { return barControl_ && barControl_->BarKind() != 2; }

bool TdxBarItemControl::IsForeignItemWhileCustomizing() const {
  TdxBarManager* manager = LinkedBarManager();
  return manager && manager->IsCustomizing() && !IsOwnManagerItem();
}

bool TdxBarItemControl::IsOwnManagerItem() const {
  TdxBarItem* item = LinkedItem();
  TdxBarManager* manager = LinkedBarManager();
  return item && manager && (item->BarManager() == manager || manager->ComponentState().Contains(csAncestor));
}

bool TdxBarItemControl::CanSelect() const { return !IsForeignItemWhileCustomizing(); }

bool TdxBarItemControl::IsOnVerticalBar() const { return barControl_ && barControl_->IsVertical(); }

bool TdxBarItemControl::OwnsWindow(HWND Window) const {
  if (!barControl_ || !barControl_->HandleAllocated() || !Window) return false;
  return Window == barControl_->Handle() || IsChild(barControl_->Handle(), Window);
}

bool TdxBarItemControl::HasHintText() const { return !HintText().empty() && IsInToolbarWindow(); }

bool TdxBarItemControl::AcceptsDoubleClick() const {
  TdxBarItem* item = LinkedItem();
  return (item && item->IsDesigning()) || DoubleClickExpandsMenu();
}

void TdxBarItemControl::SetPressed(bool Value) {
  if (pressed_ == Value) return;
  pressed_ = Value;
  Repaint();
}

TSize TdxBarItemControl::GlyphAreaSize() {
  const int size = LinkedBarManager() ? LinkedBarManager()->GlyphSize() : 16;
  return TSize{size, size};
}

// ---- the item's values --------------------------------------------------------------------------

String TdxBarItemControl::Caption() const { return link_ ? link_->DisplayCaption() : String(); }
TBitmap* TdxBarItemControl::Glyph() const { return link_ ? link_->DisplayGlyph() : nullptr; }
int TdxBarItemControl::ImageIndex() const { return LinkedItem() ? LinkedItem()->ImageIndex() : -1; }
String TdxBarItemControl::HintText() const { return LinkedItem() ? LinkedItem()->Hint() : String(); }
TBitmap* TdxBarItemControl::LargeGlyph() const { return LinkedItem() ? LinkedItem()->LargeGlyph() : nullptr; }
int TdxBarItemControl::LargeImageIndex() const { return LinkedItem() ? LinkedItem()->LargeImageIndex() : -1; }
TShortCut TdxBarItemControl::ShortCut() const { return LinkedItem() ? LinkedItem()->ShortCut() : TShortCut(0); }

TCustomImageList* TdxBarItemControl::SmallImages() const {
  TdxBarManager* manager = LinkedBarManager();
  if (!manager) return nullptr;
  if (!IsEnabledConst() && manager->DisabledImages()) return manager->DisabledImages();
  return manager->Images();
}

TCustomImageList* TdxBarItemControl::HotImages() const {
  return LinkedBarManager() ? LinkedBarManager()->HotImages() : nullptr;
}

TCustomImageList* TdxBarItemControl::LargeImages() const {
  TdxBarManager* manager = LinkedBarManager();
  if (!manager) return nullptr;
  if (!IsEnabledConst() && manager->DisabledLargeImages()) return manager->DisabledLargeImages();
  return manager->LargeImages();
}

TCustomImageList* TdxBarItemControl::ImagesFor(Byte ViewSize) const {
  return UsesLargeImagesFor(ViewSize) ? LargeImages() : SmallImages();
}

int TdxBarItemControl::ImageIndexFor(Byte ViewSize) const {
  if (UsesLargeImagesFor(ViewSize) && LargeImages() && LargeImageIndex() != -1) return LargeImageIndex();
  return ImageIndex();
}

TdxBarMenuItemSize TdxBarItemControl::MenuItemSize() const {
  TdxBarItemLinks* links = link_ ? link_->OwnerLinks() : nullptr;
  return links ? links->ItemSizeOption() : misNormal;
}

TdxBarPainter* TdxBarItemControl::Painter() const { return barControl_ ? barControl_->Painter() : nullptr; }

int TdxBarItemControl::PainterControlQuery() const {
  return Painter() ? Painter()->SubMenuItemExtra(const_cast<TdxBarItemControl*>(this)) : 0;
}

int TdxBarItemControl::PaintType() const { return barControl_ ? barControl_->ItemPaintKind() : 0; }

bool TdxBarItemControl::DrawsGlyphAsIs() const {
  if (IsEnabledConst()) return true;
  TdxBarManager* manager = LinkedBarManager();
  if (!manager || GlyphHasImage(Glyph())) return false;
  return UsesLargeImagesFor(DrawParams() ? DrawParams()->ViewSize : Byte(bvsSmall)) ? manager->DisabledLargeImages() != nullptr
                                                                               : manager->DisabledImages() != nullptr;
}

bool TdxBarItemControl::GetImageInfo(Byte ViewSize, TdxBarContentParts, int& AImageIndex, TCustomImageList*& Images,
                                     TBitmap*& AGlyph) const {
  Images = ImagesFor(ViewSize);
  AImageIndex = ImageIndexFor(ViewSize);
  AGlyph = nullptr;
  const bool large = UsesLargeImagesFor(ViewSize);
  if (large && GlyphHasImage(LargeGlyph()))
    AGlyph = LargeGlyph();
  else if (!(large && LargeImages() && ImageIndexValid(LargeImages(), LargeImageIndex())))
    AGlyph = Glyph();
  if (AGlyph && AGlyph->Empty()) AGlyph = nullptr;
  if (AGlyph || ImageIndexValid(Images, AImageIndex)) return true;
  AGlyph = barControl_ ? barControl_->AlternateBitmap() : nullptr;
  return GlyphHasImage(AGlyph);
}

TSize TdxBarItemControl::GlyphSize(Byte ViewSize) const {
  int index = -1;
  TCustomImageList* images = nullptr;
  TBitmap* glyph = nullptr;
  if (GetImageInfo(ViewSize, {cpIcon}, index, images, glyph)) {
    if (glyph) return TSize{glyph->Width(), glyph->Height()};
    if (images) return TSize{images->Width(), images->Height()};
  }
  if (ViewSize == bvsLarge) return TSize{20, 20};
  const int size = LinkedBarManager() ? LinkedBarManager()->GlyphSize() : 16;
  return TSize{size, size};
}

TdxBarItemViewLevels TdxBarItemControl::GetPossibleViewLevels() const {
  if (HasGlyphFor(bvsSmall)) return {ivlSmallIconWithText, ivlSmallIcon};
  return {ivlSmallIconWithText};
}

TdxBarContentParts TdxBarItemControl::ContentPartsForViewLevel() const {
  switch (viewInfo_ ? viewInfo_->ViewLevel() : ivlDefault) {
    case ivlLargeIconWithText:
      return HasGlyphFor(bvsLarge) ? TdxBarContentParts{cpText, cpIcon} : TdxBarContentParts{cpText};
    case ivlSmallIconWithText:
      return HasGlyphFor(bvsSmall) ? TdxBarContentParts{cpText, cpIcon} : TdxBarContentParts{cpText};
    case ivlSmallIcon: return HasGlyphFor(bvsSmall) ? TdxBarContentParts{cpIcon} : TdxBarContentParts{};
    case ivlDefault: return ContentPartsByPaintStyle();
    default: return {};
  }
}

Byte TdxBarItemControl::DefaultViewSize() const {
  if (MenuItemSize() == misLarge) return bvsLarge;
  return UsesLargeIcons() ? bvsLargeIcons : bvsSmall;
}

// ---- fonts and colours --------------------------------------------------------------------------

bool TdxBarItemControl::SelectItemFont(TFont* Font, TcxStyle* Style, TFont*& Saved) {
  Saved = nullptr;
  const bool styleFont = Style && Style->AssignedValues().Contains(svFont);
  if (!Font && !styleFont) return false;
  TFont* current = PaintCanvas()->CurrentFont();
  Saved = new TFont;
  Saved->Assign(current);
  TFont font;
  font.Assign(Font ? Font : Saved);
  if (styleFont) {
    const LOGFONTW start = font.LogFont();
    LOGFONTW logFont = Style->Font()->LogFont();
    logFont.lfEscapement = start.lfEscapement;
    logFont.lfOrientation = start.lfOrientation;
    logFont.lfOutPrecision = start.lfOutPrecision;
    font.SetHandle(CreateFontIndirectW(&logFont));
  }
  current->Assign(&font);
  return true;
}

void TdxBarItemControl::RestoreItemFont(TFont* Saved) {
  if (!Saved) return;
  PaintCanvas()->CurrentFont()->Assign(Saved);
  delete Saved;
}

void TdxBarItemControl::PrepareWithItemFont() {
  TFont* saved = nullptr;
  TdxBarItem* item = LinkedItem();
  SelectItemFont(nullptr, item ? item->Style() : nullptr, saved);
  try {
    PrepareColors();
  } catch (...) {
    RestoreItemFont(saved);
    throw;
  }
  RestoreItemFont(saved);
}

void TdxBarItemControl::PrepareColors() {
  DeleteAndClearGDIObject(ownBrush_);
  TdxBarItem* item = LinkedItem();
  if (item && item->UsesStyleBackground()) {
    const TColor color = item->ViewParams().Color;
    if (color != clDefault) ownBrush_ = CreateSolidBrush(ColorToRGB(color));
  }
  TdxBarPainter* painter = Painter();
  ownTextSize_ = painter ? painter->CaptionHeightFor(PaintCanvas()) : 0;
}

// ---- draw parameters and parts ------------------------------------------------------------------

void TdxBarItemControl::CalcDrawParams(bool Full) {
  TdxBarItemControlDrawParams* p = drawParams_.get();
  if (!p) return;
  if (Full) {
    p->Caption = Caption();
    p->Description = LinkedItem() ? LinkedItem()->Description() : String();
    p->ShortCutText.clear();
    p->PaintType = Byte(PaintType());
    p->Enabled = IsEnabledConst();
    p->CanSelect = CanSelect();
    p->Selected = IsDrawnSelected();
    p->HasDropDown = HasDropDown();
    p->HotPart = hotPart_;
    p->Customizing = barControl_ && barControl_->IsCustomizing();
    p->KeyboardSelected = p->Selected && !SelectedByMouse;
  }
  p->Canvas = PaintCanvas();
  p->ChangeViewSize(GlyphKindForViewLevel());
  p->ContentParts = ContentPartsForViewLevel();
  TdxBarPainter* painter = Painter();
  TdxBarManager* manager = LinkedBarManager();
  if (painter && manager) p->GlyphCellSize = painter->PaddedButtonSize(manager->GlyphSize(), TextSize());
}

void TdxBarItemControl::CalcPartBounds() {
  const TRect r = BoundsInBar();
  partBounds_.assign(size_t(std::max(PartCount(), 0)), r);
}

void TdxBarItemControl::BoundsChanged() { CalcPartBounds(); }

void TdxBarItemControl::TextOffsets(int Kind, TRect& R) {
  R = TRect{};
  if (TdxBarPainter* painter = Painter()) painter->MenuTextOffsets(drawParams_.get(), Kind, R);
}

// ---- sizes --------------------------------------------------------------------------------------

namespace {

// Selects the item font for the length of a measurement.
class ItemFontScope {
 public:
  explicit ItemFontScope(TdxBarItemControl* Control) : control_(Control) {
    TdxBarItem* item = Control->LinkedItem();
    Control->SelectItemFont(nullptr, item ? item->Style() : nullptr, saved_);
  }
  ~ItemFontScope() { control_->RestoreItemFont(saved_); }
  ItemFontScope(const ItemFontScope&) = delete;
  ItemFontScope& operator=(const ItemFontScope&) = delete;

 private:
  TdxBarItemControl* control_;
  TFont* saved_ = nullptr;
};

}  // namespace

int TdxBarItemControl::MeasureHeight() {
  ItemFontScope font(this);
  CalcDrawParams(false);
  return Height();
}

int TdxBarItemControl::MeasureWidth() {
  ItemFontScope font(this);
  CalcDrawParams(false);
  return std::max(Width(), MinWidth());
}

int TdxBarItemControl::Height() {
  if (barControl_ && barControl_->BarKind() == 2) return MenuHeight();
  if (IsOnVerticalBar()) return WidthForViewSize();
  return HeightForViewSize();
}

int TdxBarItemControl::Width() {
  if (PaintType() == 1) return MenuWidth();
  if (IsOnVerticalBar()) return HeightForViewSize();
  return WidthForViewSize();
}

int TdxBarItemControl::HeightForViewSize() { return drawParams_->ViewSize == bvsLarge ? LargeHeight() : SmallHeight(); }

int TdxBarItemControl::WidthForViewSize() { return drawParams_->ViewSize == bvsLarge ? LargeWidth() : MenuContentWidth(); }

int TdxBarItemControl::SmallHeight() {
  const TdxBarContentParts parts = drawParams_->ContentParts;
  int height = 0;
  if (parts.Contains(cpText)) height = TextSize();
  if (parts.Contains(cpIcon)) height = std::max(height, SizeAcrossBar(drawParams_->GlyphCellSize));
  return height;
}

int TdxBarItemControl::LargeHeight() {
  const int g = SizeAcrossBar(GlyphSize(bvsLarge));
  if (!drawParams_->ContentParts.Contains(cpText)) return g + 6;
  TdxBarItem* item = LinkedItem();
  const TdxBarGlyphLayout layout = item ? item->GlyphLayout() : glTop;
  if (layout == glLeft || layout == glRight) return std::max(g, TextSize()) + 6;
  return g + TextSize() + 7;
}

int TdxBarItemControl::LargeWidth() {
  const int g = SizeAlongBar(GlyphSize(bvsLarge));
  if (!drawParams_->ContentParts.Contains(cpText)) return g + 10;
  TdxBarItem* item = LinkedItem();
  const TdxBarGlyphLayout layout = item ? item->GlyphLayout() : glTop;
  if (layout == glTop || layout == glBottom) return std::max(g, CaptionWidth() + 6) + 10;
  return g + CaptionWidth() + 16;
}

int TdxBarItemControl::MenuContentWidth() { return IconAreaWidth() + TextAreaWidth() + ExtraWidth(); }

int TdxBarItemControl::CaptionWidth() {
  TdxBarPainter* painter = Painter();
  if (!painter) return 0;
  ItemFontScope font(this);
  TRect r;
  painter->TextBoundsOf(drawParams_.get(), r);
  return r.Width();
}

int TdxBarItemControl::TextAreaWidth() {
  if (!drawParams_->ContentParts.Contains(cpText)) return 0;
  TdxBarPainter* painter = Painter();
  if (PaintType() == 1) {
    int width = CaptionWidth();
    if (ShowsShortCuts() && ShortCut() != 0)
      width += TextWidth(ShortCutToText(ShortCut())) + (barControl_ ? barControl_->TextSize() : 0) - 6;
    TdxBarItem* item = LinkedItem();
    if (ShowsDescriptions() && item && !item->Description().empty())
      width = std::max(width, TextWidth(item->Description()));
    TRect offsets;
    TextOffsets(0, offsets);
    width += offsets.left + offsets.right;
    if (painter) width += painter->SubMenuItemExtra(this);
    return width;
  }
  int width = CaptionWidth();
  if (!drawParams_->ContentParts.Contains(cpIcon)) {
    width += 2 * HalfFontSize();
  } else if (painter) {
    TRect gap;
    painter->GlyphTextGap(gap);
    width += gap.left;
  }
  return width;
}

int TdxBarItemControl::IconAreaWidth() {
  if (PaintType() == 1) return barControl_ ? barControl_->IconAreaSizeValue() : 0;
  if (drawParams_->ContentParts.Contains(cpIcon)) return SizeAlongBar(drawParams_->GlyphCellSize);
  return 0;
}

int TdxBarItemControl::HalfFontSize() const {
  return barControl_ ? const_cast<TCustomdxBarControl*>(barControl_)->Font()->Size() / 2 : 0;
}

int TdxBarItemControl::MenuHeight() {
  int height = barControl_ ? barControl_->TextSizeFor(this) : TextSize();
  if (TdxBarPainter* painter = Painter()) painter->AdjustMenuMetric(height);
  return height;
}

int TdxBarItemControl::MenuWidth() {
  int width = MenuContentWidth();
  if (TdxBarPainter* painter = Painter()) painter->AdjustMenuMetric2(width);
  return width;
}

// ---- changes ------------------------------------------------------------------------------------

void TdxBarItemControl::RebuildBar() {
  if (barControl_ && IsLiveBarControl(barControl_)) barControl_->SettingsChanged();
}

void TdxBarItemControl::SizeAffectingChange() { RebuildBar(); }

void TdxBarItemControl::EnabledChanged() {
  if (!IsEnabledConst() && barControl_ && barControl_->SelectedItemControl() == this) barControl_->HotTrack(nullptr);
  Repaint();
}

void TdxBarItemControl::GlyphChanged() {
  const TdxBarItemViewLevels before = viewInfo_->AllowedViewLevels();
  const bool iconBefore = drawParams_->ContentParts.Contains(cpIcon);
  const bool levelsChanged = AllowedViewLevels() != before;
  const bool iconChanged = ContentPartsForViewLevel().Contains(cpIcon) != iconBefore;
  if (levelsChanged || iconChanged)
    RebuildBar();
  else
    Repaint();
}

void TdxBarItemControl::LargeGlyphChanged() {
  if (drawParams_->ViewSize == bvsSmall) return;
  if (barControl_ && barControl_->BarKind() == 2)
    Repaint();
  else
    RebuildBar();
}

void TdxBarItemControl::Recalculate() {
  CalcDrawParams(false);
  CalcPartBounds();
  Repaint();
}

void TdxBarItemControl::SetClicking(bool Value) {
  if (clicking_ == Value) return;
  clicking_ = Value;
  ClickingChanged();
}

void TdxBarItemControl::ClickingChanged() {
  if (!clicking_) Repaint();
}

void TdxBarItemControl::WidthChanged() {
  if (barControl_ && barControl_->BarKind() != 2) RebuildBar();
}

void TdxBarItemControl::UpdateHotPart(const TPoint& P) {
  if (!IsEnabledConst()) {
    hotPart_ = -1;
    return;
  }
  const int part = HitTestPart(P);
  if (part == hotPart_) return;
  hotPart_ = part;
  Repaint();
}

void TdxBarItemControl::Repaint() {
  if (barControl_ && IsLiveBarControl(barControl_)) barControl_->InvalidateControl(this);
}

// ---- painting -----------------------------------------------------------------------------------

void TdxBarItemControl::Paint(TcxCanvas* Canvas, const TRect& R, int APaintType) {
  if (R.IsEmpty()) return;
  Canvas->PushState();
  TFont* saved = nullptr;
  try {
    TcxCanvas* paintCanvas = PaintCanvas();
    if (Canvas != paintCanvas) Canvas->CurrentFont()->Assign(paintCanvas->CurrentFont());
    CanvasOverride = Canvas;
    TdxBarItem* item = LinkedItem();
    SelectItemFont(nullptr, item ? item->Style() : nullptr, saved);
    CalcDrawParams(true);
    DrawContent(R, APaintType);
    RestoreItemFont(saved);
    saved = nullptr;
    CanvasOverride = nullptr;
    CalcDrawParams(false);
  } catch (...) {
    RestoreItemFont(saved);
    CanvasOverride = nullptr;
    Canvas->PopState();
    throw;
  }
  Canvas->PopState();
}

// ---- hints --------------------------------------------------------------------------------------

bool TdxBarItemControl::GetHintTexts(bool& Handled, String& Hint, String& ShortCutText) {
  Handled = false;
  Hint.clear();
  ShortCutText.clear();
  if (!barControl_ || !IsLiveBarControl(barControl_) || !barControl_->ItemHintsAllowed() ||
      barControl_->SelectedItemControl() != this)
    return false;
  Hint = GetShortHint(HintText());
  ShortCutText = ShortCutToText(ShortCut());
  TdxBarItem* item = LinkedItem();
  if (auto* action = dynamic_cast<TCustomAction*>(item ? item->Action() : nullptr)) {
    if (!action->DoHint(Hint)) {
      Handled = true;
      return false;
    }
  }
  return true;
}

TdxBarCustomHintViewInfo* TdxBarItemControl::CreateHintViewInfo(const String& HintText, const String& ShortCutText) {
  TdxBarItem* item = LinkedItem();
  return barControl_->MakeHintViewInfo(HintText, ShortCutText, item ? item->ScreenTip() : nullptr);
}

void TdxBarItemControl::CalcHintPosition(int HintHeight, const TPoint& Cursor, TPoint& Position) {
  Position = Cursor;
  if (barControl_) barControl_->HintPositionFor(barControl_->ItemControlScreenRect(this), Cursor, HintHeight, Position);
}

// ---- clicks -------------------------------------------------------------------------------------

void TdxBarItemControl::Activate(bool) { active_ = true; }
void TdxBarItemControl::Deactivate(bool) { active_ = false; }

void TdxBarItemControl::SelectByKeyboard(bool) {
  if (!barControl_) return;
  barControl_->ItemActivation = false;
  barControl_->SetSelected(this);
}

void TdxBarItemControl::KeyDown(Word) {}

void TdxBarItemControl::ControlClick(bool ByMouse, Word Key) {
  if (!IsEnabledConst()) return;
  TCustomdxBarControl* window = barControl_;
  TcxObjectLink* self = AcquireObjectLink(this);
  BeforeClick(ByMouse, Key);
  const bool alive = self->Ref != nullptr;
  ReleaseObjectLink(self);
  if (alive && window && IsLiveBarControl(window) && window->HasLinkControl(this)) DoItemClick(ByMouse);
}

void TdxBarItemControl::DoItemClick(bool ByMouse) {
  (void)ByMouse;
  if (Is<TdxBarButtonControl>(this) && barControl_ && barControl_->BarKind() == 2) PlayMenuSound(1);
  TdxBarItemLink* originLink = link_ ? link_->OriginLink() : nullptr;
  TdxBarItem* item = LinkedItem();
  const bool fires = FiresItemClick();
  const bool closes = ClosesMenusOnClick();
  if (closes) {
    try {
      if (originLink) originLink->MarkRecentlyUsed(true);
      if (link_ && link_ != originLink) link_->MarkRecentlyUsed(true);
    } catch (const Exception&) {
      // The use of the links is not counted; the click goes on.
    }
  }
  TcxObjectLink* self = AcquireObjectLink(this);
  const bool pressed = UnclickAfterDoing() && (!closes || !(barControl_ && barControl_->IsTransient()));
  if (pressed) SetClicking(true);
  if (closes) {
    CloseActiveBarMenus();
  } else if (!originLink) {
    originLink = link_;
  }
  if (fires && item) {
    TcxObjectLink* itemLink = AcquireObjectLink(item);
    item->ClickedLink = originLink;
    item->DirectClick();
    if (itemLink->Ref) item->ClickedLink = nullptr;
    ReleaseObjectLink(itemLink);
  }
  if (pressed && self->Ref) SetClicking(false);
  ReleaseObjectLink(self);
}

// ---- static and separator controls --------------------------------------------------------------

bool TdxBarCustomStaticControl::CanSelect() const {
  TdxBarManager* manager = LinkedBarManager();
  return TdxBarItemControl::CanSelect() && manager && manager->InDesignOrCustomizing();
}

TdxBarContentParts TdxBarCustomStaticControl::ContentPartsByPaintStyle() const {
  TdxBarContentParts parts;
  TdxBarItem* item = LinkedItem();
  if (item && item->ShowCaption()) parts.Include(cpText);
  if (HasGlyphFor(GlyphKindForViewLevel())) parts.Include(cpIcon);
  return parts;
}

void TdxBarCustomStaticControl::DrawContent(const TRect& R, int) {
  if (TdxBarPainter* painter = Painter()) painter->DrawStaticControl(DrawParams(), R);
}

void TdxBarSeparatorControl::CalcDrawParams(bool Full) {
  TdxBarCustomStaticControl::CalcDrawParams(Full);
  auto* params = static_cast<TdxBarSeparatorControlDrawParams*>(DrawParams());
  TdxBarItemLinks* links = Link() ? Link()->OwnerLinks() : nullptr;
  params->IsFirstShown = links && links->ShownLinkCount() > 0 && links->ShownLinkAt(0) == Link();
}

void TdxBarSeparatorControl::DrawContent(const TRect& R, int) {
  if (TdxBarPainter* painter = Painter()) painter->DrawSeparatorControl(DrawParams(), R);
}

bool TdxBarSeparatorControl::SelectItemFont(TFont* Font, TcxStyle* Style, TFont*& Saved) {
  TFont* current = PaintCanvas()->CurrentFont();
  if (!TdxBarCustomStaticControl::SelectItemFont(Font, Style, Saved)) {
    Saved = new TFont;
    Saved->Assign(current);
  }
  current->SetStyle(current->Style() + TFontStyles{fsBold});
  return true;
}

TdxBarContentParts TdxBarSeparatorControl::ContentPartsByPaintStyle() const {
  TdxBarItem* item = LinkedItem();
  if (PaintType() == 1 && item && item->ShowCaption()) return {cpText};
  return {};
}

void TdxBarSeparatorControl::TextOffsets(int Kind, TRect& R) {
  R = TRect{};
  if (TdxBarPainter* painter = Painter()) painter->SeparatorMargins(DrawParams(), Kind, R);
}

int TdxBarSeparatorControl::MenuHeight() {
  if (!DrawParams()->ContentParts.Contains(cpText)) return BarControl() ? BarControl()->SeparatorSize() : 0;
  auto* params = static_cast<TdxBarSeparatorControlDrawParams*>(DrawParams());
  TdxBarPainter* painter = Painter();
  const int unit = painter ? painter->SeparatorLineHeight() : 0;
  return unit * (params->IsFirstShown ? 1 : 2) + TdxBarCustomStaticControl::MenuHeight();
}

int TdxBarSeparatorControl::MinWidth() {
  TdxBarPainter* painter = Painter();
  return (painter ? painter->SubMenuItemExtra(this) : 0) + (BarControl() ? BarControl()->IconAreaSizeValue() : 0);
}

int TdxBarSeparatorControl::WidthForViewSize() { return BarControl() ? BarControl()->SeparatorSize() : 0; }

// ---- the drop-down timers -----------------------------------------------------------------------

namespace {

struct DropDownTimer {
  TcxTimer* Timer = nullptr;
  TdxBarButtonLikeControl* Control = nullptr;
};
DropDownTimer g_openTimer, g_closeTimer;

TcxTimer* EnsureTimer(DropDownTimer& T, void (*Fire)()) {
  if (!T.Timer && !BarUnitFinalizing()) {
    T.Timer = new TcxTimer(nullptr);
    T.Timer->SetEnabled(false);
    T.Timer->SetInterval(TdxBarDropDownTimers::Interval);
    T.Timer->SetOnTimer([Fire](TObject*) { Fire(); });
  }
  return T.Timer;
}

void Stop(DropDownTimer& T) {
  if (T.Timer) T.Timer->SetEnabled(false);
  T.Control = nullptr;
}

}  // namespace

void FreeDropDownTimers() {
  FreeAndNil(g_openTimer.Timer);
  FreeAndNil(g_closeTimer.Timer);
  g_openTimer.Control = g_closeTimer.Control = nullptr;
}

void TdxBarDropDownTimers::StartOpen(TdxBarButtonLikeControl* Control) {
  if (g_closeTimer.Control == Control) Stop(g_closeTimer);
  Stop(g_openTimer);
  if (!EnsureTimer(g_openTimer, &FireOpen)) return;
  g_openTimer.Control = Control;
  g_openTimer.Timer->SetEnabled(true);
}

void TdxBarDropDownTimers::StartClose(TdxBarButtonLikeControl* Control) {
  Stop(g_closeTimer);
  if (!EnsureTimer(g_closeTimer, &FireClose)) return;
  g_closeTimer.Control = Control;
  g_closeTimer.Timer->SetEnabled(true);
}

void TdxBarDropDownTimers::StopFor(TdxBarButtonLikeControl* Control) {
  if (g_openTimer.Control == Control) Stop(g_openTimer);
  if (g_closeTimer.Control == Control) Stop(g_closeTimer);
}

TdxBarButtonLikeControl* TdxBarDropDownTimers::OpenTimerControl() { return g_openTimer.Control; }
TdxBarButtonLikeControl* TdxBarDropDownTimers::CloseTimerControl() { return g_closeTimer.Control; }

void TdxBarDropDownTimers::FireOpen() {
  TdxBarButtonLikeControl* control = g_openTimer.Control;
  Stop(g_openTimer);
  if (control) control->Activate(true);
}

void TdxBarDropDownTimers::FireClose() {
  TdxBarButtonLikeControl* control = g_closeTimer.Control;
  Stop(g_closeTimer);
  if (control) control->Deactivate(true);
}

// ---- button-like controls -----------------------------------------------------------------------

void TdxBarButtonLikeControl::BeforeDestruction() {
  TdxBarDropDownTimers::StopFor(this);
  if (TCustomdxBarControl* dropDown = DropDownWindow()) {
    if (IsLiveBarControl(dropDown)) dropDown->GuardedClose();
  }
  TdxBarItemControl::BeforeDestruction();
}

int TdxBarButtonLikeControl::ArrowWidth() {
  TCustomdxBarControl* window = BarControl();
  if (!window) return 0;
  if (window->BarKind() == 2) return window->MenuArrowWidth();
  return Painter()->DropDownArrowWidth(LinkedBarManager());
}

bool TdxBarButtonLikeControl::CanDropDown() {
  TdxBarItem* item = LinkedItem();
  return IsEnabledConst() || (item && item->IsDesigning());
}

void TdxBarButtonLikeControl::DropDownByKey(bool) {
  if (BarControl()) BarControl()->ItemActivation = true;
}

bool TdxBarButtonLikeControl::SplitEdgeVisible() { return Painter() && Painter()->SplitEdgeVisibleDefault(); }
bool TdxBarButtonLikeControl::SplitEdgeHot() { return Painter() && Painter()->SplitEdgeHotForControl(this); }

void TdxBarButtonLikeControl::Activate(bool Immediately) {
  if (IsDroppedDown()) {
    TdxBarDropDownTimers::StopFor(this);
    return;
  }
  TdxBarItemControl::Activate(Immediately);
  if (!HasDropDown() || !CanDropDown()) return;
  TCustomdxBarControl* window = BarControl();
  const bool customizing = window && window->IsCustomizing();
  if (window && window->BarKind() != 2) {
    if (!customizing && !window->ItemActivation) return;
    Immediately = true;
  }
  if (Immediately || customizing) {
    if (TdxBarDropDownTimers::CloseTimerControl()) TdxBarDropDownTimers::FireClose();
    OpenDropDown(true);
  } else {
    TdxBarDropDownTimers::StartOpen(this);
  }
}

void TdxBarButtonLikeControl::Deactivate(bool Immediately) {
  TCustomdxBarControl* window = BarControl();
  const bool open = DropDownWindow() != nullptr;
  if (!window || window->BarKind() != 2 || Immediately || window->IsDestroying() || window->IsCustomizing() || !open) {
    TdxBarItemControl::Deactivate(Immediately);
    CloseUp(open);
  } else {
    TdxBarDropDownTimers::StartClose(this);
  }
}

void TdxBarButtonLikeControl::CloseUp(bool WasOpen) {
  TdxBarDropDownTimers::StopFor(this);
  if (WasOpen) {
    if (TCustomdxBarControl* dropDown = DropDownWindow()) {
      // Only the drop-down closes: the window of this control stays open.
      dropDown->ClosedByEscape = true;
      if (IsLiveBarControl(dropDown)) dropDown->GuardedClose();
    }
  }
  Repaint();
}

void TdxBarButtonLikeControl::SelectByKeyboard(bool Flag) {
  TCustomdxBarControl* window = BarControl();
  if (Flag && window && window->ItemActivation && IsDroppedDown()) {
    window->CloseChildMenus();
    return;
  }
  TdxBarItemControl::SelectByKeyboard(Flag);
}

bool TdxBarButtonLikeControl::ProcessKey(Word Key) {
  if (TdxBarItemControl::ProcessKey(Key)) return true;
  if (!HasDropDown()) return false;
  if (BarControl() && BarControl()->BarKind() == 2) return Key == VK_RIGHT;
  return Key == VK_UP || Key == VK_DOWN;
}

void TdxBarButtonLikeControl::KeyDown(Word Key) {
  TdxBarItemControl::KeyDown(Key);
  if (ProcessKey(Key)) DropDownByKey(true);
}

void TdxBarButtonLikeControl::CalcDrawParams(bool Full) {
  TdxBarItemControl::CalcDrawParams(Full);
  TdxBarButtonLikeControlDrawParams* p = ButtonLikeDrawParams();
  if (!p) return;
  if (Full) {
    p->PositionInButtonGroup = ViewInfo() ? ViewInfo()->PositionInButtonGroup() : bgpNone;
    p->SplitEdgeHot = SplitEdgeHot();
    p->SplitEdgeVisible = SplitEdgeVisible();
  }
  p->ArrowSize = TSize{ArrowWidth(), BarControl() ? BarControl()->MenuArrowHeight() : 0};
}

void TdxBarButtonLikeControl::DrawContent(const TRect& R, int) {
  if (TdxBarPainter* painter = Painter()) painter->DrawButtonControl(DrawParams(), R);
}

TSize TdxBarButtonLikeControl::GlyphAreaSize() {
  TdxBarPainter* painter = Painter();
  if (!painter || (BarControl() && BarControl()->BarKind() == 2)) return TdxBarItemControl::GlyphAreaSize();
  const int size = painter->ButtonGlyphSizeForManager(LinkedBarManager());
  return TSize{size, size};
}

// ---- button controls ----------------------------------------------------------------------------

TdxBarButton* TdxBarButtonControl::ButtonItem() const { return dynamic_cast<TdxBarButton*>(LinkedItem()); }
bool TdxBarButtonControl::ButtonDown() const { return ButtonItem() && ButtonItem()->Down(); }
bool TdxBarButtonControl::ButtonDropDownEnabled() const { return ButtonItem() && ButtonItem()->DropDownEnabled(); }
bool TdxBarButtonControl::ButtonLowered() const { return ButtonItem() && ButtonItem()->Lowered(); }

bool TdxBarButtonControl::HasDropDown() const {
  TdxBarButton* button = ButtonItem();
  return button && (button->ButtonStyle() == bsDropDown || button->ButtonStyle() == bsCheckedDropDown);
}

bool TdxBarButtonControl::IsDroppedDown() const { return DroppedDown && DropDownWindow() != nullptr; }

TCustomdxBarControl* TdxBarButtonControl::DropDownWindow() const {
  TdxBarButton* button = ButtonItem();
  if (!button || !button->DropDownMenu()) return nullptr;
  TdxBarSubMenuControl* window = button->DropDownMenu()->MenuWindow();
  return window && window->DropDownOpener == this ? window : nullptr;
}

bool TdxBarButtonControl::IsQuickCustomizationButton() const {
  return !DroppedDown && BarControl() && BarControl()->BarKind() == 1;
}

bool TdxBarButtonControl::IsDrawnSelected() const {
  TCustomdxBarControl* window = BarControl();
  return (IsSelected() && !(window && window->IsCustomizing())) || Clicking();
}

bool TdxBarButtonControl::IsPressedNow() const {
  TCustomdxBarControl* window = BarControl();
  TdxBarButton* button = ButtonItem();
  const bool checkable = button && button->IsCheckable();
  return (IsDrawnSelected() && window && window->Downed && IsPressedUnderMouse() && HotPart() == 0) ||
         (Clicking() && !checkable);
}

bool TdxBarButtonControl::ClosesMenusOnClick() const {
  TCustomdxBarControl* window = BarControl();
  if (!window || window->BarKind() != 2) return true;
  TdxBarButton* button = ButtonItem();
  return !button || button->CloseSubMenuOnClick;
}

TdxBarPaintStyle TdxBarButtonControl::EffectivePaintStyle() const {
  TdxBarPaintStyle style = Link() ? Link()->PaintStyle() : psStandard;
  if (IsInToolbarWindow() && style == psStandard) PaintStyleIfNoGlyph(style);
  return style;
}

void TdxBarButtonControl::PaintStyleIfNoGlyph(TdxBarPaintStyle& Style) const {
  if (!HasGlyphFor(GlyphKindForViewLevel())) Style = psCaption;
}

TdxBarContentParts TdxBarButtonControl::ContentPartsForViewLevel() const {
  if (ViewInfo() && ViewInfo()->ViewLevel() == ivlSmallIcon) return {cpIcon};
  return TdxBarButtonLikeControl::ContentPartsForViewLevel();
}

TdxBarContentParts TdxBarButtonControl::ContentPartsByPaintStyle() const {
  const bool menu = PaintType() == 1;
  switch (EffectivePaintStyle()) {
    case psStandard:
      if (menu) return {cpIcon, cpText};
      return HasGlyphFor(GlyphKindForViewLevel()) ? TdxBarContentParts{cpIcon} : TdxBarContentParts{cpText};
    case psCaption: return {cpText};
    case psCaptionInMenu: return menu ? TdxBarContentParts{cpText} : TdxBarContentParts{cpIcon};
    case psCaptionGlyph: return {cpIcon, cpText};
  }
  return {};
}

void TdxBarButtonControl::CalcDrawParams(bool Full) {
  TdxBarButtonLikeControl::CalcDrawParams(Full);
  TdxBarButtonLikeControlDrawParams* p = ButtonLikeDrawParams();
  if (!p || !Full) return;
  p->ShortCutText = ShortCutToText(ShortCut());
  p->Pressed = IsPressedNow();
  p->Down = ButtonDown();
  p->PressedState = p->Pressed;
  p->DroppedDown = DroppedDown;
  p->ArrowPressed = Painter() && Painter()->DrawsPressedArrow() && IsDroppedDown();
  p->IsButton = true;
  p->DropDownEnabled = ButtonDropDownEnabled();
  p->ExtraFlag = ExtraFlagQuery();
  p->Lowered = ButtonLowered();
}

void TdxBarButtonControl::CalcPartBounds() {
  TdxBarButtonLikeControl::CalcPartBounds();
  if (TdxBarPainter* painter = Painter())
    painter->AdjustButtonPartBounds(DrawParams(), PartBoundsRef(), BoundsInBar(), PartCount() - 1);
}

int TdxBarButtonControl::Height() {
  int height = TdxBarButtonLikeControl::Height();
  if (ButtonLowered() && Painter()) height += 2 * Painter()->LoweredBorderWidth(this);
  return height;
}

int TdxBarButtonControl::Width() {
  int width = TdxBarButtonLikeControl::Width();
  if (TdxBarPainter* painter = Painter()) {
    painter->TextOffset(DrawParams(), width);
    if (ButtonLowered()) width += 2 * painter->LoweredBorderWidth(this);
  }
  return width;
}

int TdxBarButtonControl::SmallHeight() {
  int height = TdxBarButtonLikeControl::SmallHeight();
  if (DrawParams()->ContentParts.Contains(cpText)) height = std::max(height, SizeAcrossBar(DrawParams()->GlyphCellSize));
  return height;
}

void TdxBarButtonControl::BeforeClick(bool ByMouse, Word Key) {
  TdxBarButtonLikeControl::BeforeClick(ByMouse, Key);
  TCustomdxBarControl* window = BarControl();
  const bool toolbar = window && window->BarKind() != 2;
  if (toolbar && !window->ItemActivation) return;
  if (ByMouse && HasDropDown() && HotPart() == 1)
    Activate(true);
  else if (toolbar || HasDropDown())
    Repaint();
}

void TdxBarButtonControl::DoItemClick(bool ByMouse) {
  if (ByMouse && HotPart() != 0) return;
  TdxBarButton* button = ButtonItem();
  if (button && button->IsCheckable()) button->SetDown(!button->Down());
  Deactivate(true);
  TdxBarButtonLikeControl::DoItemClick(ByMouse);
}

void TdxBarButtonControl::SelectByKeyboard(bool Flag) {
  TCustomdxBarControl* window = BarControl();
  if (Flag && window && window->ItemActivation && IsDroppedDown() && (HotPart() == -1 || HotPart() == 100)) {
    window->CloseChildMenus();
    window->SelectAndActivate(this);
    return;
  }
  TdxBarButtonLikeControl::SelectByKeyboard(Flag);
}

void TdxBarButtonControl::DropDownByKey(bool Value) {
  TdxBarButtonLikeControl::DropDownByKey(Value);
  DropDown(Value);
}

bool TdxBarButtonControl::SplitEdgeVisible() { return !SplitEdgeHot() || TdxBarButtonLikeControl::SplitEdgeVisible(); }

bool TdxBarButtonControl::SplitEdgeHot() {
  TdxBarPainter* painter = Painter();
  if (!painter || !painter->SplitButtonsSupported()) return false;
  const bool pressed = IsPressedNow(), down = ButtonDown(), selected = IsDrawnSelected();
  if ((pressed || (down && selected)) && painter->SplitEdgeHotWhenPressed()) return true;
  if ((pressed || down || selected) && ((ThemesActive() && !IsDroppedDown()) || painter->SplitEdgeHotForControl(this)))
    return true;
  return false;
}

void TdxBarButtonControl::DropDown(bool ByMouse) {
  TdxBarButton* button = ButtonItem();
  if (IsDroppedDown() || !IsEnabledConst() || !button || !button->DropDownEnabled() || !button->DropDownMenu()) return;
  DroppedDown = true;
  Repaint();
  TCustomdxBarControl* window = BarControl();
  const TRect r = BoundsInBar();
  TPoint p = (window && (window->BarKind() == 2 || window->IsVertical())) ? TPoint{r.right, r.top}
                                                                           : TPoint{r.left, r.bottom};
  if (window && window->BarKind() == 2) p.y -= window->PainterFrameQuery();
  if (window && window->HandleAllocated()) p = window->ClientToScreen(p);
  button->DropDown(this, p.x, p.y, ByMouse);
}

void TdxBarButtonControl::CloseUp(bool WasOpen) {
  DroppedDown = false;
  TdxBarButtonLikeControl::CloseUp(WasOpen);
}

// ---- the application-menu button control --------------------------------------------------------

void TdxBarApplicationMenuButtonControl::SizeAffectingChange() {
  if (BarControl()) BarControl()->Invalidate();
}
void TdxBarApplicationMenuButtonControl::GlyphChanged() { SizeAffectingChange(); }
void TdxBarApplicationMenuButtonControl::ItemVisibleChanged() { SizeAffectingChange(); }
void TdxBarApplicationMenuButtonControl::WidthChanged() { SizeAffectingChange(); }

TdxBarContentParts TdxBarApplicationMenuButtonControl::ContentPartsByPaintStyle() const {
  return HasGlyphFor(GlyphKindForViewLevel()) ? TdxBarContentParts{cpIcon, cpText} : TdxBarContentParts{cpText};
}

void TdxBarApplicationMenuButtonControl::CalcDrawParams(bool Full) {
  TdxBarButtonLikeControl::CalcDrawParams(Full);
  if (Full)
    static_cast<TdxBarApplicationMenuButtonControlDrawParams*>(DrawParams())->ButtonWidth =
        TdxBarButtonLikeControl::WidthForViewSize();
}

void TdxBarApplicationMenuButtonControl::DrawContent(const TRect& R, int) {
  if (TdxBarPainter* painter = Painter()) painter->DrawApplicationMenuButton(DrawParams(), R);
}

int TdxBarApplicationMenuButtonControl::WidthForViewSize() {
  TdxBarItem* item = LinkedItem();
  if (item && item->Width() != 0) return item->Width();
  return TdxBarButtonLikeControl::WidthForViewSize();
}

// ---- the item class registry --------------------------------------------------------------------

namespace {
TdxBarItemList* g_registry = nullptr;
}  // namespace

TdxBarItemList::~TdxBarItemList() {
  for (TRegItemRecord* record : records_) record->Free();
}

int TdxBarItemList::CountShownInDialog() const {
  return int(std::count_if(records_.begin(), records_.end(), [](TRegItemRecord* r) { return r->ShownInDialog; }));
}

TClass TdxBarItemList::ShownItemClassAt(int Index) const {
  int n = 0;
  for (TRegItemRecord* record : records_) {
    if (!record->ShownInDialog) continue;
    if (n++ == Index) return record->ItemClass;
  }
  return nullptr;
}

TdxBarItemControlClass TdxBarItemList::ControlClassOf(TClass ItemClass) const {
  for (TRegItemRecord* record : records_) {
    if (record->ItemClass == ItemClass) return record->ItemControlClass;
  }
  return nullptr;
}

void TdxBarItemList::Add(TClass ItemClass, TdxBarItemControlClass ControlClass, bool ShownInDialog) {
  auto* record = new TRegItemRecord;
  record->ItemClass = ItemClass;
  record->ItemControlClass = ControlClass;
  record->ShownInDialog = ShownInDialog;
  records_.push_back(record);
}

void TdxBarItemList::Remove(TClass ItemClass) {
  auto it = std::find_if(records_.begin(), records_.end(), [ItemClass](TRegItemRecord* r) { return r->ItemClass == ItemClass; });
  if (it == records_.end()) return;
  (*it)->Free();
  records_.erase(it);
}

TdxBarItemList* ItemClassRegistry() {
  if (!g_registry && !BarUnitFinalizing()) g_registry = new TdxBarItemList;
  return g_registry;
}

void FreeItemClassRegistry() { FreeAndNil(g_registry); }

void RegisterItemControlClass(TClass ItemClass, TdxBarItemControlClass ControlClass, bool ShownInDialog) {
  TdxBarItemList* registry = ItemClassRegistry();
  if (!registry) return;
  registry->Add(ItemClass, ControlClass, ShownInDialog);
  RegisterClass(ItemClass);
}

void UnregisterItemControlClass(TClass ItemClass) {
  if (TdxBarItemList* registry = ItemClassRegistry()) registry->Remove(ItemClass);
  UnRegisterClass(ItemClass);
}

// ---- null-safe accessors and helpers -------------------------------------------------------------

TdxBarItemControl* LinkControlOrNil(TdxBarItemLink* Link) { return Link ? Link->ItemControl() : nullptr; }
TdxBarItemLink* ControlLinkOrNil(TdxBarItemControl* Control) { return Control ? Control->Link() : nullptr; }
TdxBarItem* ControlItemOrNil(TdxBarItemControl* Control) { return Control ? Control->LinkedItem() : nullptr; }
TdxBarItem* LinkItemOrNil(TdxBarItemLink* Link) { return Link ? Link->Item() : nullptr; }

void RepaintItemControl(TdxBarItemControl* Control) {
  if (Control) Control->Repaint();
}

TRect ItemControlScreenBounds(TdxBarItemControl* Control) {
  if (!Control || !Control->BarControl() || !Control->BarControl()->HandleAllocated()) return TRect{};
  const TRect r = Control->ViewInfo()->BoundsRect();
  const TPoint topLeft = Control->BarControl()->ClientToScreen(TPoint{r.left, r.top});
  return OffsetRectBy(r, topLeft.x - r.left, topLeft.y - r.top);
}

int EnabledThemeState(TdxBarItemControl* Control) { return Control && Control->IsEnabled() ? 1 : 4; }

// ---- glyph drawing with the cache ---------------------------------------------------------------

void DrawGlyphWithCache(TdxBarItemControl* Control, HDC DC, HBRUSH BackBrush, const TRect& DestRect,
                        const TRect& GlyphRect, TBitmap* Glyph, TCustomImageList* Images, int ImageIndex,
                        TColor BackColor, bool F1, bool F2, bool F3, bool F4, bool F5, bool F6, bool F7, bool F8,
                        bool Stretch, bool Transparent) {
  if (GlyphHasImage(Glyph)) BackColor = clNone;
  const TcxGlyphPaintMode mode = GlyphDrawMode(F1, F2, F3, F4, F5, F6, F7, F8);
  TdxBarManager* manager = Control ? Control->LinkedBarManager() : nullptr;
  if (!manager || !manager->ImageOptions()->CacheGlyphs || mode == gpmShadowed) {
    PaintImageOrGlyph(DC, GlyphRect, DestRect, GlyphHasImage(Glyph) ? Glyph : nullptr, Images, ImageIndex, mode,
                      Stretch, BackBrush, BackColor, Transparent);
    return;
  }
  TdxCachedImageOptions* cache = Control->CachedImage();
  const TSize size{GlyphRect.Width(), GlyphRect.Height()};
  TBitmap* source = GlyphHasImage(Glyph) ? Glyph : nullptr;
  const Byte viewSize = Control->DrawParams() ? Control->DrawParams()->ViewSize : 0;
  if (!cache->Holds(viewSize, source, Images, ImageIndex, mode, size)) {
    TcxBitmap* glyph = cache->Glyph();
    glyph->SetSize(size.cx, size.cy);
    HDC glyphDC = glyph->Canvas()->Handle();
    // The rendering keeps the glyph's transparency through a key colour no glyph uses.
    constexpr TColor key = TColor(RGB(255, 0, 254));
    RECT all{0, 0, size.cx, size.cy};
    HBRUSH keyBrush = CreateSolidBrush(key);
    FillRect(glyphDC, &all, keyBrush);
    DeleteObject(keyBrush);
    const TRect local{0, 0, size.cx, size.cy};
    PaintImageOrGlyph(glyphDC, local, local, source, Images, ImageIndex, mode, Stretch, nullptr, clNone, true);
    glyph->SetTransparentMode(tmFixed);
    glyph->SetTransparentColor(key);
    glyph->SetTransparent(true);
    cache->ViewSize = viewSize;
    cache->SourceGlyph = source;
    cache->Images = source ? nullptr : Images;
    cache->ImageIndex = ImageIndex;
    cache->Mode = mode;
    cache->Valid = true;
  }
  const TcxGlyphPaintHook hook = GlyphPaintHook;
  GlyphPaintHook = nullptr;
  try {
    PaintImageOrGlyph(DC, GlyphRect, DestRect, cache->Glyph(), nullptr, -1, gpmNormal, false, BackBrush, BackColor,
                      Transparent);
  } catch (...) {
    GlyphPaintHook = hook;
    throw;
  }
  GlyphPaintHook = hook;
}
