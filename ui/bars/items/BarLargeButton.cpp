#include "ui/bars/items/BarLargeButton.h"

#include "platform/framework/classes/Filer.h"
#include "ui/bars/BarControl.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarPainter.h"

DEFINE_CLASS(TdxBarLargeButton)
DEFINE_CLASS(TdxBarLargeButtonControl)

// ---- the item -----------------------------------------------------------------------------------

TdxBarLargeButton::TdxBarLargeButton(TComponent* AOwner) : TdxBarButton(AOwner) {
  hotGlyph_.reset(new TBitmap);
  hotGlyph_->OnChange = [this](TObject*) { HotGlyphChanged(); };
  SetShowCaption(true);
}

TdxBarLargeButton::~TdxBarLargeButton() {
  if (hotGlyph_) hotGlyph_->OnChange = nullptr;
}

void TdxBarLargeButton::DefineProperties(TFiler& Filer) {
  TdxBarButton::DefineProperties(Filer);
  Filer.DefineProperty(
      L"ImageIndex", [this](TReader& Reader) { SetImageIndex(Reader.ReadInteger()); },
      [this](TWriter& Writer) { Writer.WriteInteger(ImageIndex()); }, !syncImageIndex_);
}

void TdxBarLargeButton::Loaded() {
  TdxBarButton::Loaded();
  imageIndexRead_ = largeImageIndexRead_ = syncImageIndexRead_ = false;
}

template <class Step>
void TdxBarLargeButton::Synchronizing(Step&& step) {
  synchronizing_ = true;
  try {
    step();
  } catch (...) {
    synchronizing_ = false;
    throw;
  }
  synchronizing_ = false;
}

void TdxBarLargeButton::SetImageIndex(int Value) {
  if (IsLoading() && !synchronizing_) imageIndexRead_ = true;
  TdxBarButton::SetImageIndex(Value);
  if (synchronizing_) return;
  if (IsLoading() && LargeImageIndex() == -1 && (syncImageIndex_ || !syncImageIndexRead_))
    Synchronizing([&] { SetLargeImageIndex(ImageIndex()); });
  else if (!syncImageIndexRead_)
    SetSyncImageIndex(false);
}

void TdxBarLargeButton::SetLargeImageIndex(int Value) {
  if (IsLoading() && !synchronizing_) largeImageIndexRead_ = true;
  TdxBarButton::SetLargeImageIndex(Value);
}

void TdxBarLargeButton::SetSyncImageIndex(bool Value) {
  if (IsLoading() && !synchronizing_) syncImageIndexRead_ = true;
  if (syncImageIndex_ == Value) return;
  syncImageIndex_ = Value;
  if (Value) SynchronizeImages();
}

void TdxBarLargeButton::SynchronizeImages() {
  if (synchronizing_ || !syncImageIndex_) return;
  if (IsLoading() && imageIndexRead_)
    SetSyncImageIndex(LargeImageIndex() == ImageIndex());
  else
    Synchronizing([&] { SetImageIndex(LargeImageIndex()); });
}

void TdxBarLargeButton::LargeGlyphChanged() {
  SynchronizeImages();
  TdxBarButton::LargeGlyphChanged();
}

void TdxBarLargeButton::SetAutoGrayScale(bool Value) {
  if (autoGrayScale_ == Value) return;
  autoGrayScale_ = Value;
  for (int i = 0; i < LinkCount(); ++i)
    if (TdxBarItemControl* control = LinkAt(i)->ItemControl()) control->CachedImage()->Invalidate();
  RepaintControls();
}

void TdxBarLargeButton::SetHeight(int Value) {
  if (Value < 0 || Value == height_) return;
  height_ = Value;
  ResizeControls();
}

void TdxBarLargeButton::SetHotImageIndex(int Value) {
  if (hotImageIndex_ == Value) return;
  hotImageIndex_ = Value;
  HotGlyphChanged();
}

bool TdxBarLargeButton::AcceptsAccelerator(TdxBarItemLink* Link) const {
  TdxBarItemLinks* links = Link ? Link->OwnerLinks() : nullptr;
  const bool inherited = TdxBarButton::AcceptsAccelerator(Link);
  if (links && links->OwnerIsToolbar()) return inherited && ShowCaption();
  return inherited;
}

// ---- the control --------------------------------------------------------------------------------

TSize TdxBarLargeButtonControl::GlyphSize(Byte ViewSize) const {
  if (!IsInToolbarWindow()) return TdxBarButtonControl::GlyphSize(ViewSize);
  int index = -1;
  TCustomImageList* images = nullptr;
  TBitmap* glyph = nullptr;
  // An image keeps its own size; without one the painter's glyph cell for the manager stands in.
  if (GetImageInfo(ViewSize, {cpIcon}, index, images, glyph)) return TdxBarButtonControl::GlyphSize(ViewSize);
  TdxBarPainter* painter = Painter();
  if (!painter) return TdxBarButtonControl::GlyphSize(ViewSize);
  const int size = painter->ButtonGlyphSizeForManager(LinkedBarManager());
  return TSize{size, size};
}

TdxBarContentParts TdxBarLargeButtonControl::ContentPartsForViewLevel() const {
  TdxBarContentParts parts = TdxBarButtonControl::ContentPartsForViewLevel();
  parts.Include(cpIcon);
  return parts;
}

TdxBarContentParts TdxBarLargeButtonControl::ContentPartsByPaintStyle() const {
  if (PaintType() == 1) return TdxBarButtonControl::ContentPartsByPaintStyle();
  TdxBarLargeButton* item = LargeButton();
  if (item && item->ShowCaption()) return {cpIcon, cpText};
  return {cpIcon};
}

Byte TdxBarLargeButtonControl::GlyphKindForViewLevel() const {
  if (PaintType() == 1) return TdxBarButtonControl::GlyphKindForViewLevel();
  return bvsLarge;
}

bool TdxBarLargeButtonControl::HotImage(int& Index, TCustomImageList*& Images, TBitmap*& Glyph) const {
  TdxBarLargeButton* item = LargeButton();
  if (!item) return false;
  if (GlyphHasImage(item->HotGlyph())) {
    Glyph = item->HotGlyph();
    return true;
  }
  if (TdxBarItem::IsValidImage(HotImages(), item->HotImageIndex())) {
    Images = HotImages();
    Index = item->HotImageIndex();
    return true;
  }
  return false;
}

bool TdxBarLargeButtonControl::LargeImage(int& Index, TCustomImageList*& Images, TBitmap*& Glyph) const {
  if (GlyphHasImage(LargeGlyph())) {
    Glyph = LargeGlyph();
    return true;
  }
  if (TdxBarItem::IsValidImage(LargeImages(), LargeImageIndex())) {
    Images = LargeImages();
    Index = LargeImageIndex();
    return true;
  }
  return false;
}

bool TdxBarLargeButtonControl::GetImageInfo(Byte ViewSize, TdxBarContentParts Flags, int& AImageIndex,
                                            TCustomImageList*& Images, TBitmap*& AGlyph) const {
  if (ViewSize != bvsLarge) return TdxBarButtonControl::GetImageInfo(ViewSize, Flags, AImageIndex, Images, AGlyph);
  AImageIndex = -1;
  Images = nullptr;
  AGlyph = nullptr;
  const bool found = IsDrawnSelected() ? HotImage(AImageIndex, Images, AGlyph) || LargeImage(AImageIndex, Images, AGlyph)
                                       : LargeImage(AImageIndex, Images, AGlyph) || HotImage(AImageIndex, Images, AGlyph);
  if (!found) Images = LargeImages() ? LargeImages() : SmallImages();
  return found;
}

bool TdxBarLargeButtonControl::DrawsGlyphInGrayScale() const {
  TdxBarLargeButton* item = LargeButton();
  return item && item->AutoGrayScale() && IsEnabledConst() && !IsDrawnSelected();
}

void TdxBarLargeButtonControl::LargeGlyphChanged() {
  if (DrawParams()->ViewSize != bvsLarge) return;
  TdxBarLargeButton* item = LargeButton();
  const bool fixed = item && item->Width() != 0 && item->Height() != 0;
  if (fixed || PaintType() == 1)
    Repaint();
  else
    RebuildBar();
}

int TdxBarLargeButtonControl::Height() {
  TdxBarLargeButton* item = LargeButton();
  return item && item->Height() != 0 ? item->Height() : TdxBarButtonControl::Height();
}

int TdxBarLargeButtonControl::Width() {
  TdxBarLargeButton* item = LargeButton();
  return item && item->Width() != 0 ? item->Width() : TdxBarButtonControl::Width();
}
