#include "ui/ribbon/gallery/GalleryModel.h"

#include <algorithm>

#include "platform/framework/classes/Filer.h"
#include "platform/framework/graphics/Bitmap.h"
#include "ui/bars/BarManager.h"
#include "ui/foundation/Graphics.h"
#include "ui/ribbon/gallery/GalleryItem.h"

DEFINE_CLASS(TcxItemSize)
DEFINE_CLASS(TdxRibbonGalleryItemPullHighlighting)
DEFINE_CLASS(TdxRibbonGalleryCustomOptions)
DEFINE_CLASS(TdxRibbonGalleryOptions)
DEFINE_CLASS(TdxRibbonGalleryGroupOptions)
DEFINE_CLASS(TdxRibbonGalleryGroupHeader)
DEFINE_CLASS(TdxRibbonGalleryGroupItem)
DEFINE_CLASS(TdxRibbonGalleryGroupItems)
DEFINE_CLASS(TdxRibbonGalleryGroup)
DEFINE_CLASS(TdxRibbonGalleryGroups)
DEFINE_CLASS(TdxRibbonGalleryFilterCategoryGroups)
DEFINE_CLASS(TdxRibbonGalleryFilterCategory)
DEFINE_CLASS(TdxRibbonGalleryFilterCategories)
DEFINE_CLASS(TdxRibbonGalleryFilter)

// ---- TcxItemSize ----------------------------------------------------------------------------------

int TcxItemSize::DimensionValue(int Index) const {
  if (parent_ && !assigned_) return parent_->DimensionValue(Index);
  return TcxSize::DimensionValue(Index);
}

void TcxItemSize::ChangeSize(int AWidth, int AHeight) {
  const TSize own = StoredSize();
  if (assigned_ && own.cx == std::max(AWidth, 0) && own.cy == std::max(AHeight, 0)) return;
  if (own.cx == std::max(AWidth, 0) && own.cy == std::max(AHeight, 0)) {
    SignalChange();  // the stored value was right, only the flag changes
    return;
  }
  TcxSize::ChangeSize(AWidth, AHeight);
}

void TcxItemSize::SetAssigned(bool Value) {
  if (Value) {
    assigned_ = true;
    return;
  }
  assigned_ = false;
  quiet_ = true;
  TcxSize::ChangeSize(0, 0);
  quiet_ = false;
}

void TcxItemSize::SignalChange() {
  if (quiet_) return;
  assigned_ = true;
  TcxSize::SignalChange();
}

// ---- pull highlighting ----------------------------------------------------------------------------

void TdxRibbonGalleryItemPullHighlighting::SetActive(bool Value) {
  active_ = Value;
  Changed();
}

void TdxRibbonGalleryItemPullHighlighting::SetDirection(TdxRibbonGalleryItemPullHighlightingDirection Value) {
  direction_ = Value;
  Changed();
}

void TdxRibbonGalleryItemPullHighlighting::Changed() {
  assigned_ = true;
  if (OnChange) OnChange(this);
}

void TdxRibbonGalleryItemPullHighlighting::SetAssigned(bool Value) {
  assigned_ = Value;
  if (Value) return;
  active_ = parent_ ? parent_->Active() : false;
  direction_ = parent_ ? parent_->Direction() : gphdStartToFinish;
}

void TdxRibbonGalleryItemPullHighlighting::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TdxRibbonGalleryItemPullHighlighting*>(Source)) {
    SetActive(other->Active());
    SetDirection(other->Direction());
  } else {
    TPersistent::Assign(Source);
  }
}

// ---- options --------------------------------------------------------------------------------------

TdxRibbonGalleryCustomOptions::TdxRibbonGalleryCustomOptions(TdxRibbonGalleryItem* AOwner,
                                                             TdxRibbonGalleryCustomOptions* AParent)
    : owner_(AOwner),
      imageLink_(new TChangeLink),
      itemImageSize_(new TcxItemSize(this, AParent ? AParent->ItemImageSize() : nullptr)),
      itemSize_(new TcxItemSize(this, AParent ? AParent->ItemSize() : nullptr)),
      pullHighlighting_(new TdxRibbonGalleryItemPullHighlighting(AParent ? AParent->ItemPullHighlighting() : nullptr)) {
  imageLink_->OnChange = [this](TObject*) { ImagesChanged(); };
  itemImageSize_->OnChange = [this](TObject* Sender) { SizeChanged(Sender); };
  itemSize_->OnChange = [this](TObject* Sender) { SizeChanged(Sender); };
  pullHighlighting_->OnChange = [this](TObject* Sender) { PullHighlightingChanged(Sender); };
}

TdxRibbonGalleryCustomOptions::~TdxRibbonGalleryCustomOptions() {
  if (images_) images_->UnRegisterChanges(imageLink_.get());
}

TPersistent* TdxRibbonGalleryCustomOptions::GetOwner() { return owner_; }

void TdxRibbonGalleryCustomOptions::SetImages(TCustomImageList* Value) {
  SwapImageListLink(Value, images_, imageLink_.get(), owner_);
}

void TdxRibbonGalleryCustomOptions::SetItemImagePosition(TdxRibbonGalleryImagePosition Value) {
  itemImagePosition_ = Value;
  ValueChanged(vkItemImagePosition);
}

void TdxRibbonGalleryCustomOptions::SetItemTextKind(TdxRibbonGalleryGroupItemTextKind Value) {
  itemTextKind_ = Value;
  ValueChanged(vkItemTextKind);
}

void TdxRibbonGalleryCustomOptions::SetSpace(int& Field, int Value, ValueKind Kind) {
  Field = std::max(Value, 0);
  ValueChanged(Kind);
}

void TdxRibbonGalleryCustomOptions::SetSpaceAfterGroupHeader(int Value) {
  SetSpace(spaceAfterGroupHeader_, Value, vkSpaceAfterGroupHeader);
}
void TdxRibbonGalleryCustomOptions::SetSpaceBetweenItems(int Value) {
  SetSpace(spaceBetweenItems_, Value, vkSpaceBetweenItems);
}
void TdxRibbonGalleryCustomOptions::SetSpaceBetweenItemCaptionAndDescription(int Value) {
  SetSpace(spaceBetweenItemCaptionAndDescription_, Value, vkSpaceBetweenItemCaptionAndDescription);
}
void TdxRibbonGalleryCustomOptions::SetSpaceBetweenItemImageAndText(int Value) {
  SetSpace(spaceBetweenItemImageAndText_, Value, vkSpaceBetweenItemImageAndText);
}

void TdxRibbonGalleryCustomOptions::SizeChanged(TObject* Sender) {
  ValueChanged(Sender == itemSize_.get() ? vkItemSize : vkItemImageSize);
}

void TdxRibbonGalleryCustomOptions::PullHighlightingChanged(TObject*) { ValueChanged(vkItemPullHighlighting); }

void TdxRibbonGalleryCustomOptions::ValueChanged(ValueKind) { GalleryChanged(); }

void TdxRibbonGalleryCustomOptions::ImagesChanged() { GalleryChanged(); }

void TdxRibbonGalleryCustomOptions::GalleryChanged() {
  if (owner_) owner_->GalleryChanged();
}

void TdxRibbonGalleryCustomOptions::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TdxRibbonGalleryCustomOptions*>(Source);
  if (!other) return TPersistent::Assign(Source);
  SetImages(other->Images());
  SetItemImagePosition(other->ItemImagePosition());
  itemImageSize_->Assign(other->ItemImageSize());
  SetItemTextKind(other->ItemTextKind());
  itemSize_->Assign(other->ItemSize());
  pullHighlighting_->Assign(other->ItemPullHighlighting());
  SetSpaceAfterGroupHeader(other->SpaceAfterGroupHeader());
  SetSpaceBetweenItems(other->SpaceBetweenItems());
  SetSpaceBetweenItemCaptionAndDescription(other->SpaceBetweenItemCaptionAndDescription());
  SetSpaceBetweenItemImageAndText(other->SpaceBetweenItemImageAndText());
}

void TdxRibbonGalleryOptions::SetFlag(bool& Field, bool Value) {
  Field = Value;
  GalleryChanged();
}

void TdxRibbonGalleryOptions::SetCanCollapse(bool Value) { SetFlag(canCollapse_, Value); }
void TdxRibbonGalleryOptions::SetCollapsed(bool Value) { SetFlag(collapsed_, Value); }
void TdxRibbonGalleryOptions::SetEqualItemSizeInAllGroups(bool Value) { SetFlag(equalItemSizeInAllGroups_, Value); }

void TdxRibbonGalleryOptions::SetColumnCount(int Value) {
  columnCount_ = std::max(Value, 1);
  minColumnCount_ = std::min(minColumnCount_, columnCount_);
  GalleryChanged();
}

void TdxRibbonGalleryOptions::SetMinColumnCount(int Value) {
  minColumnCount_ = std::max(Value, 1);
  columnCount_ = std::max(minColumnCount_, columnCount_);
  GalleryChanged();
}

void TdxRibbonGalleryOptions::SetRowCount(int Value) {
  rowCount_ = std::max(Value, 0);
  GalleryChanged();
}

void TdxRibbonGalleryOptions::SetSpaceBetweenGroups(int Value) {
  spaceBetweenGroups_ = Value;
  GalleryChanged();
}

void TdxRibbonGalleryOptions::SetSpaceBetweenItemsAndBorder(int Value) {
  spaceBetweenItemsAndBorder_ = std::max(Value, 0);
  GalleryChanged();
}

void TdxRibbonGalleryOptions::SetItemSelectionMode(TdxRibbonGalleryItemSelectionMode Value) {
  TdxRibbonGalleryItem* item = GalleryItem();
  if (!item || item->IsLoading()) {
    itemSelectionMode_ = Value;
    return;
  }
  if (Value == itemSelectionMode_) return;
  {
    TdxRibbonGalleryEventLock lock(item);
    if (itemSelectionMode_ == gsmSingle) item->SetSelectedItem(nullptr);
    if (Value == gsmSingle) {
      TdxRibbonGalleryGroups* groups = item->GalleryGroups();
      for (int g = 0; g < groups->Count(); ++g) {
        TdxRibbonGalleryGroupItems* items = groups->GroupAt(g)->Items();
        for (int i = 0; i < items->Count(); ++i) items->ItemAt(i)->SetSelected(false);
      }
    }
  }
  itemSelectionMode_ = Value;
}

void TdxRibbonGalleryOptions::Assign(TPersistent* Source) {
  TdxRibbonGalleryCustomOptions::Assign(Source);
  auto* other = dynamic_cast<TdxRibbonGalleryOptions*>(Source);
  if (!other) return;
  SetCanCollapse(other->CanCollapse());
  SetCollapsed(other->Collapsed());
  SetColumnCount(other->ColumnCount());
  SetEqualItemSizeInAllGroups(other->EqualItemSizeInAllGroups());
  ItemAllowDeselect = other->ItemAllowDeselect;
  SetItemSelectionMode(other->ItemSelectionMode());
  SetMinColumnCount(other->MinColumnCount());
  SetRowCount(other->RowCount());
  SetSpaceBetweenGroups(other->SpaceBetweenGroups());
  SetSpaceBetweenItemsAndBorder(other->SpaceBetweenItemsAndBorder());
  SubMenuResizing = other->SubMenuResizing;
}

TdxRibbonGalleryGroupOptions::TdxRibbonGalleryGroupOptions(TdxRibbonGalleryGroup* AGroup, TdxRibbonGalleryOptions* AParent)
    : TdxRibbonGalleryCustomOptions(AGroup->GalleryItem(), AParent), group_(AGroup), parent_(AParent) {}

TdxRibbonGalleryImagePosition TdxRibbonGalleryGroupOptions::ItemImagePosition() const {
  return Reads(avItemImagePosition) || !parent_ ? TdxRibbonGalleryCustomOptions::ItemImagePosition()
                                                : parent_->ItemImagePosition();
}
TdxRibbonGalleryGroupItemTextKind TdxRibbonGalleryGroupOptions::ItemTextKind() const {
  return Reads(avItemTextKind) || !parent_ ? TdxRibbonGalleryCustomOptions::ItemTextKind() : parent_->ItemTextKind();
}
int TdxRibbonGalleryGroupOptions::SpaceAfterGroupHeader() const {
  return Reads(avSpaceAfterGroupHeader) || !parent_ ? TdxRibbonGalleryCustomOptions::SpaceAfterGroupHeader()
                                                    : parent_->SpaceAfterGroupHeader();
}
int TdxRibbonGalleryGroupOptions::SpaceBetweenItems() const {
  return Reads(avSpaceBetweenItems) || !parent_ ? TdxRibbonGalleryCustomOptions::SpaceBetweenItems()
                                                : parent_->SpaceBetweenItems();
}
int TdxRibbonGalleryGroupOptions::SpaceBetweenItemCaptionAndDescription() const {
  return Reads(avSpaceBetweenItemCaptionAndDescription) || !parent_
             ? TdxRibbonGalleryCustomOptions::SpaceBetweenItemCaptionAndDescription()
             : parent_->SpaceBetweenItemCaptionAndDescription();
}
int TdxRibbonGalleryGroupOptions::SpaceBetweenItemImageAndText() const {
  return Reads(avSpaceBetweenItemImageAndText) || !parent_ ? TdxRibbonGalleryCustomOptions::SpaceBetweenItemImageAndText()
                                                           : parent_->SpaceBetweenItemImageAndText();
}

void TdxRibbonGalleryGroupOptions::ValueChanged(ValueKind Kind) {
  if (settingAssigned_) return;
  static constexpr TdxRibbonGalleryGroupOptionsAssignedValue flagOf[] = {
      avItemImagePosition,    avItemImageSize,         avItemSize,
      avItemTextKind,         avItemPullHighlighting,  avSpaceAfterGroupHeader,
      avSpaceBetweenItemCaptionAndDescription, avSpaceBetweenItemImageAndText, avSpaceBetweenItems};
  assignedValues_.Include(flagOf[Kind]);
  GalleryChanged();
}

void TdxRibbonGalleryGroupOptions::ImagesChanged() {
  if (group_) group_->MarkChanged(true);
}

void TdxRibbonGalleryGroupOptions::SetAssignedValues(TdxRibbonGalleryGroupOptionsAssignedValues Value) {
  assignedValues_ = Value;
  settingAssigned_ = true;
  ItemSize()->SetAssigned(Value.Contains(avItemSize));
  ItemImageSize()->SetAssigned(Value.Contains(avItemImageSize));
  ItemPullHighlighting()->SetAssigned(Value.Contains(avItemPullHighlighting));
  settingAssigned_ = false;
  GalleryChanged();
}

// ---- header -------------------------------------------------------------------------------------

TPersistent* TdxRibbonGalleryGroupHeader::GetOwner() { return group_; }

void TdxRibbonGalleryGroupHeader::Changed() {
  if (group_) group_->MarkChanged(true);
}

void TdxRibbonGalleryGroupHeader::SetAlignment(TAlignment Value) {
  if (alignment_ == Value) return;
  alignment_ = Value;
  Changed();
}

void TdxRibbonGalleryGroupHeader::SetCaption(const String& Value) {
  if (caption_ == Value) return;
  caption_ = Value;
  Changed();
}

void TdxRibbonGalleryGroupHeader::SetVisible(bool Value) {
  if (visible_ == Value) return;
  visible_ = Value;
  Changed();
}

void TdxRibbonGalleryGroupHeader::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TdxRibbonGalleryGroupHeader*>(Source);
  if (!other) return TPersistent::Assign(Source);
  SetAlignment(other->Alignment());
  SetCaption(other->Caption());
  SetVisible(other->Visible());
}

// ---- group items ----------------------------------------------------------------------------------

TdxRibbonGalleryGroupItem::TdxRibbonGalleryGroupItem(TCollection* Collection)
    : TCollectionItem(Collection), glyph_(new TBitmap) {
  glyph_->OnChange = [this](TObject* Sender) { GlyphChanged(Sender); };
}

TdxRibbonGalleryGroupItem::~TdxRibbonGalleryGroupItem() = default;

void TdxRibbonGalleryGroupItem::BeforeDestruction() {
  if (TdxRibbonGalleryItem* gallery = GalleryItem()) gallery->ForgetGroupItem(this);
  TCollectionItem::BeforeDestruction();
}

TdxRibbonGalleryGroup* TdxRibbonGalleryGroupItem::Group() const {
  auto* items = dynamic_cast<TdxRibbonGalleryGroupItems*>(Collection());
  return items ? items->Group() : nullptr;
}

TdxRibbonGalleryItem* TdxRibbonGalleryGroupItem::GalleryItem() const {
  TdxRibbonGalleryGroup* group = Group();
  return group ? group->GalleryItem() : nullptr;
}

void TdxRibbonGalleryGroupItem::GlyphChanged(TObject*) { Changed(true); }

void TdxRibbonGalleryGroupItem::SetCaption(const String& Value) {
  if (caption_ == Value) return;
  caption_ = Value;
  Changed(true);
}

void TdxRibbonGalleryGroupItem::SetDescription(const String& Value) {
  if (description_ == Value) return;
  description_ = Value;
  Changed(true);
}

void TdxRibbonGalleryGroupItem::SetGlyph(TBitmap* Value) { glyph_->Assign(Value); }

void TdxRibbonGalleryGroupItem::SetImageIndex(int Value) {
  if (imageIndex_ == Value) return;
  imageIndex_ = Value;
  Changed(true);
}

bool TdxRibbonGalleryGroupItem::Selected() const {
  TdxRibbonGalleryItem* gallery = GalleryItem();
  if (gallery && gallery->GalleryOptions()->ItemSelectionMode() == gsmSingle) return gallery->SelectedItem() == this;
  return selected_;
}

void TdxRibbonGalleryGroupItem::SetSelected(bool Value) {
  TdxRibbonGalleryItem* gallery = GalleryItem();
  if (!gallery || gallery->IsLoading()) {
    selected_ = Value;
    return;
  }
  const TdxRibbonGalleryItemSelectionMode mode = gallery->GalleryOptions()->ItemSelectionMode();
  if (mode == gsmSingle) {
    if (Value)
      gallery->SetSelectedItem(this);
    else if (gallery->SelectedItem() == this)
      gallery->SetSelectedItem(nullptr);
    return;
  }
  if (selected_ == Value) return;
  selected_ = Value;
  if (mode == gsmMultiple) {
    Click();
    gallery->DoGroupItemClick(this);
  }
  gallery->RepaintControls();
}

TCustomImageList* TdxRibbonGalleryGroupItem::Images() const {
  TdxRibbonGalleryGroup* group = Group();
  if (group && group->Options()->Images()) return group->Options()->Images();
  TdxRibbonGalleryItem* gallery = GalleryItem();
  if (!gallery) return nullptr;
  if (gallery->GalleryOptions()->Images()) return gallery->GalleryOptions()->Images();
  TdxBarManager* manager = gallery->BarManager();
  return manager ? manager->ImageOptions()->Images() : nullptr;
}

bool TdxRibbonGalleryGroupItem::HasImage() const {
  return GlyphHasImage(glyph_.get()) || ImageIndexValid(Images(), imageIndex_);
}

TSize TdxRibbonGalleryGroupItem::NaturalImageSize() const {
  if (GlyphHasImage(glyph_.get())) return {glyph_->Width(), glyph_->Height()};
  if (TCustomImageList* images = Images()) return {images->Width(), images->Height()};
  return {0, 0};
}

void TdxRibbonGalleryGroupItem::DrawImage(HDC DC, const TRect& R) const {
  if (!HasImage()) return;
  TBitmap* glyph = GlyphHasImage(glyph_.get()) ? glyph_.get() : nullptr;
  PaintImageOrGlyph(DC, R, R, glyph, glyph ? nullptr : Images(), imageIndex_, gpmNormal, true);
}

void TdxRibbonGalleryGroupItem::Click() {
  TdxRibbonGalleryItem* gallery = GalleryItem();
  if (gallery && gallery->EventsLocked()) return;
  if (OnClick) OnClick(this);
}

void TdxRibbonGalleryGroupItem::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TdxRibbonGalleryGroupItem*>(Source);
  if (!other) return TCollectionItem::Assign(Source);
  SetCaption(other->Caption());
  SetDescription(other->Description());
  SetGlyph(other->Glyph());
  SetImageIndex(other->ImageIndex());
  SetSelected(other->Selected());
  Tag = other->Tag;
}

TdxRibbonGalleryGroupItems::TdxRibbonGalleryGroupItems(TdxRibbonGalleryGroup* AGroup)
    : TCollection(&TdxRibbonGalleryGroupItem::ClassInfo()), group_(AGroup) {}

TPersistent* TdxRibbonGalleryGroupItems::GetOwner() { return group_; }

void TdxRibbonGalleryGroupItems::Update(TCollectionItem*) {
  if (group_) group_->MarkChanged(true);
}

// ---- groups -------------------------------------------------------------------------------------

namespace {
// The group is built between BeginUpdate and EndUpdate of its collection.
TCollection* BeginUpdateOf(TCollection* Collection) {
  if (Collection) Collection->BeginUpdate();
  return Collection;
}
}  // namespace

TdxRibbonGalleryGroup::TdxRibbonGalleryGroup(TCollection* Collection) : TCollectionItem(BeginUpdateOf(Collection)) {
  struct EndUpdate {
    TCollection* Collection;
    ~EndUpdate() {
      if (Collection) Collection->EndUpdate();
    }
  } endUpdate{Collection};
  header_.reset(new TdxRibbonGalleryGroupHeader(this));
  items_.reset(new TdxRibbonGalleryGroupItems(this));
  TdxRibbonGalleryItem* gallery = GalleryItem();
  options_.reset(new TdxRibbonGalleryGroupOptions(this, gallery ? gallery->GalleryOptions() : nullptr));
}

TdxRibbonGalleryGroup::~TdxRibbonGalleryGroup() = default;

void TdxRibbonGalleryGroup::BeforeDestruction() {
  items_->Clear();
  TCollectionItem::BeforeDestruction();
}

TdxRibbonGalleryGroups* TdxRibbonGalleryGroup::Groups() const {
  return dynamic_cast<TdxRibbonGalleryGroups*>(Collection());
}

TdxRibbonGalleryItem* TdxRibbonGalleryGroup::GalleryItem() const {
  TdxRibbonGalleryGroups* groups = Groups();
  return groups ? groups->GalleryItem() : nullptr;
}

void TdxRibbonGalleryGroup::SetVisible(bool Value) {
  if (visible_ == Value) return;
  visible_ = Value;
  TdxRibbonGalleryGroups* groups = Groups();
  if (groups && groups->UpdateCount() == 0 && groups->GalleryItem()) groups->GalleryItem()->RefreshControls();
}

void TdxRibbonGalleryGroup::ImagesFreed(TComponent* AComponent) {
  if (options_ && options_->Images() == AComponent) options_->SetImages(nullptr);
}

void TdxRibbonGalleryGroup::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TdxRibbonGalleryGroup*>(Source);
  if (!other) return TCollectionItem::Assign(Source);
  SetHeader(other->Header());
  SetItems(other->Items());
  SetOptions(other->Options());
  options_->SetAssignedValues(other->Options()->AssignedValues());
  SetVisible(other->Visible());
}

TdxRibbonGalleryGroups::TdxRibbonGalleryGroups(TdxRibbonGalleryItem* AGalleryItem)
    : TCollection(&TdxRibbonGalleryGroup::ClassInfo()), galleryItem_(AGalleryItem) {}

TPersistent* TdxRibbonGalleryGroups::GetOwner() { return galleryItem_; }

int TdxRibbonGalleryGroups::IndexOf(const TdxRibbonGalleryGroup* Group) const {
  for (int i = 0; i < Count(); ++i)
    if (GroupAt(i) == Group) return i;
  return -1;
}

void TdxRibbonGalleryGroups::Update(TCollectionItem*) {
  if (galleryItem_) galleryItem_->GalleryChanged();
}

void TdxRibbonGalleryGroups::Notify(TCollectionItem* Item, TCollectionNotification Action) {
  if (Action != cnAdded && galleryItem_ && !galleryItem_->IsDestroying())
    galleryItem_->GalleryFilter()->RemoveGroup(static_cast<TdxRibbonGalleryGroup*>(Item));
  TCollection::Notify(Item, Action);
}

// ---- filter -------------------------------------------------------------------------------------

TdxRibbonGalleryGroups* TdxRibbonGalleryFilterCategoryGroups::GalleryGroups() const {
  TdxRibbonGalleryItem* gallery = category_ ? category_->GalleryItem() : nullptr;
  return gallery ? gallery->GalleryGroups() : nullptr;
}

int TdxRibbonGalleryFilterCategoryGroups::IndexOf(const TdxRibbonGalleryGroup* Group) const {
  const auto it = std::find(groups_.begin(), groups_.end(), Group);
  return it == groups_.end() ? -1 : int(it - groups_.begin());
}

void TdxRibbonGalleryFilterCategoryGroups::Changed() {
  if (category_) category_->MarkChanged();
}

bool TdxRibbonGalleryFilterCategoryGroups::Add(TdxRibbonGalleryGroup* Group) {
  if (!Group || Contains(Group) || !GalleryGroups() || Group->Groups() != GalleryGroups()) return false;
  groups_.push_back(Group);
  Changed();
  return true;
}

void TdxRibbonGalleryFilterCategoryGroups::Remove(TdxRibbonGalleryGroup* Group) {
  const int index = IndexOf(Group);
  if (index < 0) return;
  groups_.erase(groups_.begin() + index);
  Changed();
}

void TdxRibbonGalleryFilterCategoryGroups::Clear() {
  if (groups_.empty()) return;
  groups_.clear();
  Changed();
}

void TdxRibbonGalleryFilterCategoryGroups::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TdxRibbonGalleryFilterCategoryGroups*>(Source);
  if (!other) return TPersistent::Assign(Source);
  TdxRibbonGalleryGroups* mine = GalleryGroups();
  TdxRibbonGalleryGroups* theirs = other->GalleryGroups();
  const int myCount = mine ? mine->Count() : 0;
  const int theirCount = theirs ? theirs->Count() : 0;
  if (myCount != theirCount)
    throw Exception(L"Filter categories can only be copied between galleries with the same number of groups");
  Clear();
  for (TdxRibbonGalleryGroup* group : other->groups_) {
    const int index = theirs->IndexOf(group);
    if (index >= 0) Add(mine->GroupAt(index));
  }
}

TdxRibbonGalleryFilterCategory::TdxRibbonGalleryFilterCategory(TCollection* Collection)
    : TCollectionItem(Collection), groups_(new TdxRibbonGalleryFilterCategoryGroups(this)) {}

TdxRibbonGalleryItem* TdxRibbonGalleryFilterCategory::GalleryItem() const {
  auto* categories = dynamic_cast<TdxRibbonGalleryFilterCategories*>(Collection());
  return categories && categories->Filter() ? categories->Filter()->GalleryItem() : nullptr;
}

void TdxRibbonGalleryFilterCategory::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TdxRibbonGalleryFilterCategory*>(Source);
  if (!other) return TCollectionItem::Assign(Source);
  Caption = other->Caption;
  groups_->Assign(other->Groups());
}

void TdxRibbonGalleryFilterCategory::DefineProperties(TFiler& Filer) {
  TCollectionItem::DefineProperties(Filer);
  Filer.DefineProperty(L"CategoryGroups", [this](TReader& R) { ReadCategoryGroups(R); },
                       [this](TWriter& W) { WriteCategoryGroups(W); }, groups_->Count() > 0);
}

void TdxRibbonGalleryFilterCategory::ReadCategoryGroups(TReader& Reader) {
  groups_->Clear();
  TdxRibbonGalleryItem* gallery = GalleryItem();
  TdxRibbonGalleryGroups* groups = gallery ? gallery->GalleryGroups() : nullptr;
  Reader.ReadListBegin();
  while (!Reader.EndOfList()) {
    const int index = Reader.ReadInteger();
    if (groups && index >= 0 && index < groups->Count()) groups_->Add(groups->GroupAt(index));
  }
  Reader.ReadListEnd();
}

void TdxRibbonGalleryFilterCategory::WriteCategoryGroups(TWriter& Writer) {
  TdxRibbonGalleryItem* gallery = GalleryItem();
  TdxRibbonGalleryGroups* groups = gallery ? gallery->GalleryGroups() : nullptr;
  Writer.WriteListBegin();
  for (int i = 0; i < groups_->Count(); ++i) {
    const int index = groups ? groups->IndexOf(groups_->At(i)) : -1;
    if (index >= 0) Writer.WriteInteger(index);
  }
  Writer.WriteListEnd();
}

TdxRibbonGalleryFilterCategories::TdxRibbonGalleryFilterCategories(TdxRibbonGalleryFilter* AFilter)
    : TCollection(&TdxRibbonGalleryFilterCategory::ClassInfo()), filter_(AFilter) {}

TPersistent* TdxRibbonGalleryFilterCategories::GetOwner() { return filter_; }

void TdxRibbonGalleryFilterCategories::Update(TCollectionItem*) {
  if (filter_) filter_->CategoriesChanged();
}

TdxRibbonGalleryFilter::TdxRibbonGalleryFilter(TdxRibbonGalleryItem* AGalleryItem)
    : galleryItem_(AGalleryItem), categories_(new TdxRibbonGalleryFilterCategories(this)) {}

TPersistent* TdxRibbonGalleryFilter::GetOwner() { return galleryItem_; }

TdxRibbonGalleryFilterCategory* TdxRibbonGalleryFilter::ActiveCategory() const {
  if (activeCategoryIndex_ < 0 || activeCategoryIndex_ >= categories_->Count()) return nullptr;
  return categories_->CategoryAt(activeCategoryIndex_);
}

void TdxRibbonGalleryFilter::SetActiveCategoryIndex(int Value) {
  if (galleryItem_ && galleryItem_->IsLoading()) {
    loadedActiveCategoryIndex_ = Value;
    return;
  }
  if (Value < 0) Value = -1;
  if (Value >= categories_->Count()) return;
  if (Value == activeCategoryIndex_) return;
  activeCategoryIndex_ = Value;
  if (galleryItem_) galleryItem_->RefreshControls();
}

void TdxRibbonGalleryFilter::ApplyLoadedActiveCategoryIndex() { SetActiveCategoryIndex(loadedActiveCategoryIndex_); }

void TdxRibbonGalleryFilter::CategoriesChanged() {
  if (activeCategoryIndex_ >= categories_->Count())
    activeCategoryIndex_ = -1;
  else if (activeCategoryIndex_ >= 0 && galleryItem_)
    galleryItem_->RefreshControls();
}

void TdxRibbonGalleryFilter::RemoveGroup(TdxRibbonGalleryGroup* Group) {
  for (int i = 0; i < categories_->Count(); ++i) categories_->CategoryAt(i)->Groups()->Remove(Group);
}

void TdxRibbonGalleryFilter::SetCaption(const String& Value) {
  if (caption_ == Value) return;
  caption_ = Value;
  if (Visible && galleryItem_) galleryItem_->RepaintControls();
}

void TdxRibbonGalleryFilter::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TdxRibbonGalleryFilter*>(Source);
  if (!other) return TPersistent::Assign(Source);
  SetCaption(other->Caption());
  SetCategories(other->Categories());
  SetActiveCategoryIndex(other->ActiveCategoryIndex());
  Visible = other->Visible;
}
