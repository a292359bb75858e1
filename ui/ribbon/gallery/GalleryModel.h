#pragma once
// The gallery's data: item sizes and pull highlighting that inherit from the gallery's settings,
// the gallery-wide and per-group options, groups with a header and picture items, and the filter
// (categories that list groups). The gallery item (GalleryItem.h) owns all of it.

#include <vector>

#include "platform/framework/classes/Collection.h"
#include "platform/framework/controls/StdCtrls.h"
#include "platform/framework/graphics/Graphics.h"
#include "platform/framework/graphics/ImageList.h"
#include "ui/foundation/Geometry.h"

class TdxRibbonGalleryItem;
class TdxRibbonGalleryGroup;
class TdxRibbonGalleryGroups;
class TdxRibbonGalleryFilter;
class TBitmap;

// ---- inheritable values ---------------------------------------------------------------------------

// A size that reads its parent's dimensions until one of its own is set.
class TcxItemSize : public TcxSize {
  DECLARE_CLASS(TcxItemSize, TcxSize)
 public:
  explicit TcxItemSize(TPersistent* AOwner = nullptr, TcxItemSize* AParent = nullptr)
      : TcxSize(AOwner), parent_(AParent) {}
  TcxItemSize* Parent() const { return parent_; }
  int DimensionValue(int Index) const override;
  // Any setting, even of the value already read, makes the size its own and reports a change.
  void ChangeSize(int AWidth, int AHeight) override;
  bool Assigned() const { return assigned_; }
  // Clearing drops the own size (0 x 0) and reads the parent's again; no change is reported.
  void SetAssigned(bool Value);
  bool IsEmpty() const { return Width() == 0 || Height() == 0; }
  bool IsWidthStored() const { return (!parent_ || assigned_) && DimensionValue(1) != 0; }
  bool IsHeightStored() const { return (!parent_ || assigned_) && DimensionValue(0) != 0; }

 protected:
  void SignalChange() override;

 private:
  TcxItemSize* parent_;
  bool assigned_ = false;
  bool quiet_ = false;
};

enum TdxRibbonGalleryItemPullHighlightingDirection { gphdStartToFinish, gphdFinishToStart };

class TdxRibbonGalleryItemPullHighlighting : public TPersistent {
  DECLARE_CLASS(TdxRibbonGalleryItemPullHighlighting, TPersistent)
 public:
  explicit TdxRibbonGalleryItemPullHighlighting(TdxRibbonGalleryItemPullHighlighting* AParent = nullptr)
      : parent_(AParent) {}
  bool Active() const { return ReadsParent() ? parent_->Active() : active_; }
  TdxRibbonGalleryItemPullHighlightingDirection Direction() const {
    return ReadsParent() ? parent_->Direction() : direction_;
  }
  void SetActive(bool Value);
  void SetDirection(TdxRibbonGalleryItemPullHighlightingDirection Value);
  bool Assigned() const { return assigned_; }
  // Clearing takes the parent's values as they are now.
  void SetAssigned(bool Value);
  bool SameAs(const TdxRibbonGalleryItemPullHighlighting& Other) const {
    return Active() == Other.Active() && Direction() == Other.Direction();
  }
  bool IsActiveStored() const { return (!parent_ || assigned_) && Active(); }
  bool IsDirectionStored() const { return (!parent_ || assigned_) && Direction() == gphdFinishToStart; }
  void Assign(TPersistent* Source) override;

  TNotifyEvent OnChange;

 private:
  bool ReadsParent() const { return parent_ && !assigned_; }
  void Changed();
  TdxRibbonGalleryItemPullHighlighting* parent_;
  bool active_ = false;
  TdxRibbonGalleryItemPullHighlightingDirection direction_ = gphdStartToFinish;
  bool assigned_ = false;
};

// ---- options ----------------------------------------------------------------------------------------

enum TdxRibbonGalleryImagePosition { gipLeft, gipRight, gipTop, gipBottom };
enum TdxRibbonGalleryGroupItemTextKind { itkNone, itkCaption, itkCaptionAndDescription };
enum TdxRibbonGalleryItemSelectionMode { gsmNone, gsmSingle, gsmMultiple };
enum TdxRibbonGallerySubMenuResizing { gsrNone, gsrHeight, gsrWidthAndHeight };

// What the gallery and its groups share. The getters are virtual: a group's options read the
// gallery's values for what they have not assigned.
class TdxRibbonGalleryCustomOptions : public TPersistent {
  DECLARE_CLASS(TdxRibbonGalleryCustomOptions, TPersistent)
 public:
  TdxRibbonGalleryCustomOptions(TdxRibbonGalleryItem* AOwner, TdxRibbonGalleryCustomOptions* AParent);
  ~TdxRibbonGalleryCustomOptions() override;
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override;
  TdxRibbonGalleryItem* GalleryItem() const { return owner_; }

  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* Value);
  TcxItemSize* ItemImageSize() const { return itemImageSize_.get(); }
  TcxItemSize* ItemSize() const { return itemSize_.get(); }
  void SetItemImageSize(TcxItemSize* Value) { itemImageSize_->Assign(Value); }
  void SetItemSize(TcxItemSize* Value) { itemSize_->Assign(Value); }
  TdxRibbonGalleryItemPullHighlighting* ItemPullHighlighting() const { return pullHighlighting_.get(); }
  void SetItemPullHighlighting(TdxRibbonGalleryItemPullHighlighting* Value) { pullHighlighting_->Assign(Value); }

  virtual TdxRibbonGalleryImagePosition ItemImagePosition() const { return itemImagePosition_; }
  virtual TdxRibbonGalleryGroupItemTextKind ItemTextKind() const { return itemTextKind_; }
  virtual int SpaceAfterGroupHeader() const { return spaceAfterGroupHeader_; }
  virtual int SpaceBetweenItems() const { return spaceBetweenItems_; }
  virtual int SpaceBetweenItemCaptionAndDescription() const { return spaceBetweenItemCaptionAndDescription_; }
  virtual int SpaceBetweenItemImageAndText() const { return spaceBetweenItemImageAndText_; }
  void SetItemImagePosition(TdxRibbonGalleryImagePosition Value);
  void SetItemTextKind(TdxRibbonGalleryGroupItemTextKind Value);
  void SetSpaceAfterGroupHeader(int Value);
  void SetSpaceBetweenItems(int Value);
  void SetSpaceBetweenItemCaptionAndDescription(int Value);
  void SetSpaceBetweenItemImageAndText(int Value);

  // Stored tests of the streamed values.
  virtual bool IsItemImagePositionStored() const { return itemImagePosition_ != gipLeft; }
  virtual bool IsItemTextKindStored() const { return itemTextKind_ != itkCaption; }
  virtual bool IsSpaceStored(int Value) const { return Value != 0; }

 protected:
  // The value kinds a group can assign; the gallery's options ignore the kind.
  enum ValueKind {
    vkItemImagePosition,
    vkItemImageSize,
    vkItemSize,
    vkItemTextKind,
    vkItemPullHighlighting,
    vkSpaceAfterGroupHeader,
    vkSpaceBetweenItemCaptionAndDescription,
    vkSpaceBetweenItemImageAndText,
    vkSpaceBetweenItems,
  };
  // A value was set (or one of the owned objects changed).
  virtual void ValueChanged(ValueKind Kind);
  virtual void ImagesChanged();
  void GalleryChanged();

 private:
  void SizeChanged(TObject* Sender);
  void PullHighlightingChanged(TObject* Sender);
  void SetSpace(int& Field, int Value, ValueKind Kind);

  TdxRibbonGalleryItem* owner_;
  TCustomImageList* images_ = nullptr;
  ObjectPtr<TChangeLink> imageLink_;
  ObjectPtr<TcxItemSize> itemImageSize_;
  ObjectPtr<TcxItemSize> itemSize_;
  ObjectPtr<TdxRibbonGalleryItemPullHighlighting> pullHighlighting_;
  TdxRibbonGalleryImagePosition itemImagePosition_ = gipLeft;
  TdxRibbonGalleryGroupItemTextKind itemTextKind_ = itkCaption;
  int spaceAfterGroupHeader_ = 0;
  int spaceBetweenItems_ = 0;
  int spaceBetweenItemCaptionAndDescription_ = 0;
  int spaceBetweenItemImageAndText_ = 0;
};

class TdxRibbonGalleryOptions : public TdxRibbonGalleryCustomOptions {
  DECLARE_CLASS(TdxRibbonGalleryOptions, TdxRibbonGalleryCustomOptions)
 public:
  explicit TdxRibbonGalleryOptions(TdxRibbonGalleryItem* AOwner) : TdxRibbonGalleryCustomOptions(AOwner, nullptr) {}
  void Assign(TPersistent* Source) override;

  bool CanCollapse() const { return canCollapse_; }
  void SetCanCollapse(bool Value);
  bool Collapsed() const { return collapsed_; }
  void SetCollapsed(bool Value);
  int ColumnCount() const { return columnCount_; }
  void SetColumnCount(int Value);
  bool EqualItemSizeInAllGroups() const { return equalItemSizeInAllGroups_; }
  void SetEqualItemSizeInAllGroups(bool Value);
  bool ItemAllowDeselect = false;
  TdxRibbonGalleryItemSelectionMode ItemSelectionMode() const { return itemSelectionMode_; }
  void SetItemSelectionMode(TdxRibbonGalleryItemSelectionMode Value);
  int MinColumnCount() const { return minColumnCount_; }
  void SetMinColumnCount(int Value);
  int RowCount() const { return rowCount_; }
  void SetRowCount(int Value);
  int SpaceBetweenGroups() const { return spaceBetweenGroups_; }
  void SetSpaceBetweenGroups(int Value);
  int SpaceBetweenItemsAndBorder() const { return spaceBetweenItemsAndBorder_; }
  void SetSpaceBetweenItemsAndBorder(int Value);
  TdxRibbonGallerySubMenuResizing SubMenuResizing = gsrWidthAndHeight;

 private:
  void SetFlag(bool& Field, bool Value);
  bool canCollapse_ = true;
  bool collapsed_ = false;
  int columnCount_ = 5;
  bool equalItemSizeInAllGroups_ = true;
  TdxRibbonGalleryItemSelectionMode itemSelectionMode_ = gsmSingle;
  int minColumnCount_ = 2;
  int rowCount_ = 0;
  int spaceBetweenGroups_ = 0;
  int spaceBetweenItemsAndBorder_ = 1;
};

enum TdxRibbonGalleryGroupOptionsAssignedValue {
  avItemImagePosition,
  avItemImageSize,
  avItemSize,
  avItemTextKind,
  avItemPullHighlighting,
  avSpaceAfterGroupHeader,
  avSpaceBetweenItemCaptionAndDescription,
  avSpaceBetweenItemImageAndText,
  avSpaceBetweenItems,
};
using TdxRibbonGalleryGroupOptionsAssignedValues = TSet<TdxRibbonGalleryGroupOptionsAssignedValue>;

// A group's options: each value is the gallery's until the group sets its own.
class TdxRibbonGalleryGroupOptions : public TdxRibbonGalleryCustomOptions {
  DECLARE_CLASS(TdxRibbonGalleryGroupOptions, TdxRibbonGalleryCustomOptions)
 public:
  TdxRibbonGalleryGroupOptions(TdxRibbonGalleryGroup* AGroup, TdxRibbonGalleryOptions* AParent);
  TdxRibbonGalleryGroupOptionsAssignedValues AssignedValues() const { return assignedValues_; }
  void SetAssignedValues(TdxRibbonGalleryGroupOptionsAssignedValues Value);
  TdxRibbonGalleryOptions* ParentOptions() const { return parent_; }

  TdxRibbonGalleryImagePosition ItemImagePosition() const override;
  TdxRibbonGalleryGroupItemTextKind ItemTextKind() const override;
  int SpaceAfterGroupHeader() const override;
  int SpaceBetweenItems() const override;
  int SpaceBetweenItemCaptionAndDescription() const override;
  int SpaceBetweenItemImageAndText() const override;
  bool IsItemImagePositionStored() const override { return assignedValues_.Contains(avItemImagePosition); }
  bool IsItemTextKindStored() const override { return assignedValues_.Contains(avItemTextKind); }
  bool IsAssigned(TdxRibbonGalleryGroupOptionsAssignedValue Value) const { return assignedValues_.Contains(Value); }

 protected:
  void ValueChanged(ValueKind Kind) override;
  void ImagesChanged() override;

 private:
  bool Reads(TdxRibbonGalleryGroupOptionsAssignedValue Value) const { return assignedValues_.Contains(Value); }
  TdxRibbonGalleryGroup* group_;
  TdxRibbonGalleryOptions* parent_;
  TdxRibbonGalleryGroupOptionsAssignedValues assignedValues_;
  bool settingAssigned_ = false;
};

// ---- groups and items -------------------------------------------------------------------------------

class TdxRibbonGalleryGroupHeader : public TPersistent {
  DECLARE_CLASS(TdxRibbonGalleryGroupHeader, TPersistent)
 public:
  explicit TdxRibbonGalleryGroupHeader(TdxRibbonGalleryGroup* AGroup) : group_(AGroup) {}
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override;
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value);
  const String& Caption() const { return caption_; }
  void SetCaption(const String& Value);
  bool Visible() const { return visible_; }
  void SetVisible(bool Value);

 private:
  void Changed();
  TdxRibbonGalleryGroup* group_;
  TAlignment alignment_ = taLeftJustify;
  String caption_;
  bool visible_ = false;
};

class TdxRibbonGalleryGroupItem : public TCollectionItem {
  DECLARE_CLASS(TdxRibbonGalleryGroupItem, TCollectionItem)
 public:
  explicit TdxRibbonGalleryGroupItem(TCollection* Collection);
  ~TdxRibbonGalleryGroupItem() override;
  void BeforeDestruction() override;
  void Assign(TPersistent* Source) override;

  TdxRibbonGalleryGroup* Group() const;
  TdxRibbonGalleryItem* GalleryItem() const;

  const String& Caption() const { return caption_; }
  void SetCaption(const String& Value);
  const String& Description() const { return description_; }
  void SetDescription(const String& Value);
  TBitmap* Glyph() const { return glyph_.get(); }
  void SetGlyph(TBitmap* Value);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int Value);
  bool Selected() const;
  void SetSelected(bool Value);
  int Tag = 0;
  TNotifyEvent OnClick;

  // The group's images, else the gallery's, else the bar manager's.
  TCustomImageList* Images() const;
  bool HasImage() const;
  TSize NaturalImageSize() const;
  // The glyph when it has one, else the listed image; nothing without either.
  void DrawImage(HDC DC, const TRect& R) const;
  // OnClick, unless the gallery holds its events.
  virtual void Click();

 private:
  friend class TdxRibbonGalleryItem;
  void GlyphChanged(TObject* Sender);
  String caption_;
  String description_;
  ObjectPtr<TBitmap> glyph_;
  int imageIndex_ = -1;
  bool selected_ = false;
};

class TdxRibbonGalleryGroupItems : public TCollection {
  DECLARE_CLASS(TdxRibbonGalleryGroupItems, TCollection)
 public:
  explicit TdxRibbonGalleryGroupItems(TdxRibbonGalleryGroup* AGroup);
  TPersistent* GetOwner() override;
  TdxRibbonGalleryGroup* Group() const { return group_; }
  TdxRibbonGalleryGroupItem* Add() { return static_cast<TdxRibbonGalleryGroupItem*>(TCollection::Add()); }
  TdxRibbonGalleryGroupItem* ItemAt(int Index) const { return static_cast<TdxRibbonGalleryGroupItem*>(Items(Index)); }

 protected:
  void Update(TCollectionItem* Item) override;

 private:
  TdxRibbonGalleryGroup* group_;
};

class TdxRibbonGalleryGroup : public TCollectionItem {
  DECLARE_CLASS(TdxRibbonGalleryGroup, TCollectionItem)
 public:
  explicit TdxRibbonGalleryGroup(TCollection* Collection);
  ~TdxRibbonGalleryGroup() override;
  // The items go first, while the group still knows its gallery, so the gallery forgets them.
  void BeforeDestruction() override;
  void Assign(TPersistent* Source) override;

  TdxRibbonGalleryGroups* Groups() const;
  TdxRibbonGalleryItem* GalleryItem() const;
  TdxRibbonGalleryGroupHeader* Header() const { return header_.get(); }
  void SetHeader(TdxRibbonGalleryGroupHeader* Value) { header_->Assign(Value); }
  TdxRibbonGalleryGroupItems* Items() const { return items_.get(); }
  void SetItems(TdxRibbonGalleryGroupItems* Value) { items_->Assign(Value); }
  TdxRibbonGalleryGroupOptions* Options() const { return options_.get(); }
  void SetOptions(TdxRibbonGalleryGroupOptions* Value) { options_->Assign(Value); }
  bool Visible() const { return visible_; }
  void SetVisible(bool Value);
  // The group's own image list is freed.
  void ImagesFreed(TComponent* AComponent);
  // Reports a change of the group to its collection.
  void MarkChanged(bool AllItems) { Changed(AllItems); }

 private:
  ObjectPtr<TdxRibbonGalleryGroupHeader> header_;
  ObjectPtr<TdxRibbonGalleryGroupItems> items_;
  ObjectPtr<TdxRibbonGalleryGroupOptions> options_;
  bool visible_ = true;
};

class TdxRibbonGalleryGroups : public TCollection {
  DECLARE_CLASS(TdxRibbonGalleryGroups, TCollection)
 public:
  explicit TdxRibbonGalleryGroups(TdxRibbonGalleryItem* AGalleryItem);
  TPersistent* GetOwner() override;
  TdxRibbonGalleryItem* GalleryItem() const { return galleryItem_; }
  TdxRibbonGalleryGroup* Add() { return static_cast<TdxRibbonGalleryGroup*>(TCollection::Add()); }
  TdxRibbonGalleryGroup* GroupAt(int Index) const { return static_cast<TdxRibbonGalleryGroup*>(Items(Index)); }
  int IndexOf(const TdxRibbonGalleryGroup* Group) const;

 protected:
  void Update(TCollectionItem* Item) override;
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override;

 private:
  TdxRibbonGalleryItem* galleryItem_;
};

// ---- the filter ---------------------------------------------------------------------------------------

class TdxRibbonGalleryFilterCategory;

// The groups a category lists (not owned).
class TdxRibbonGalleryFilterCategoryGroups : public TPersistent {
  DECLARE_CLASS(TdxRibbonGalleryFilterCategoryGroups, TPersistent)
 public:
  explicit TdxRibbonGalleryFilterCategoryGroups(TdxRibbonGalleryFilterCategory* ACategory) : category_(ACategory) {}
  int Count() const { return int(groups_.size()); }
  TdxRibbonGalleryGroup* At(int Index) const { return groups_.at(size_t(Index)); }
  bool Contains(const TdxRibbonGalleryGroup* Group) const { return IndexOf(Group) >= 0; }
  int IndexOf(const TdxRibbonGalleryGroup* Group) const;
  // Only a group of the same gallery that is not listed yet; false otherwise.
  bool Add(TdxRibbonGalleryGroup* Group);
  void Remove(TdxRibbonGalleryGroup* Group);
  void Clear();
  // The groups at the same indexes as the source's, in this gallery. Galleries of different group
  // counts raise.
  void Assign(TPersistent* Source) override;

 private:
  TdxRibbonGalleryGroups* GalleryGroups() const;
  void Changed();
  TdxRibbonGalleryFilterCategory* category_;
  std::vector<TdxRibbonGalleryGroup*> groups_;
};

class TdxRibbonGalleryFilterCategory : public TCollectionItem {
  DECLARE_CLASS(TdxRibbonGalleryFilterCategory, TCollectionItem)
 public:
  explicit TdxRibbonGalleryFilterCategory(TCollection* Collection);
  void Assign(TPersistent* Source) override;
  void DefineProperties(TFiler& Filer) override;
  TdxRibbonGalleryItem* GalleryItem() const;
  String Caption;
  TdxRibbonGalleryFilterCategoryGroups* Groups() const { return groups_.get(); }
  void MarkChanged() { Changed(false); }

 private:
  void ReadCategoryGroups(TReader& Reader);
  void WriteCategoryGroups(TWriter& Writer);
  ObjectPtr<TdxRibbonGalleryFilterCategoryGroups> groups_;
};

class TdxRibbonGalleryFilterCategories : public TCollection {
  DECLARE_CLASS(TdxRibbonGalleryFilterCategories, TCollection)
 public:
  explicit TdxRibbonGalleryFilterCategories(TdxRibbonGalleryFilter* AFilter);
  TPersistent* GetOwner() override;
  TdxRibbonGalleryFilter* Filter() const { return filter_; }
  TdxRibbonGalleryFilterCategory* Add() { return static_cast<TdxRibbonGalleryFilterCategory*>(TCollection::Add()); }
  TdxRibbonGalleryFilterCategory* CategoryAt(int Index) const {
    return static_cast<TdxRibbonGalleryFilterCategory*>(Items(Index));
  }

 protected:
  void Update(TCollectionItem* Item) override;

 private:
  TdxRibbonGalleryFilter* filter_;
};

class TdxRibbonGalleryFilter : public TPersistent {
  DECLARE_CLASS(TdxRibbonGalleryFilter, TPersistent)
 public:
  explicit TdxRibbonGalleryFilter(TdxRibbonGalleryItem* AGalleryItem);
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override;
  TdxRibbonGalleryItem* GalleryItem() const { return galleryItem_; }

  int ActiveCategoryIndex() const { return activeCategoryIndex_; }
  void SetActiveCategoryIndex(int Value);
  const String& Caption() const { return caption_; }
  void SetCaption(const String& Value);
  TdxRibbonGalleryFilterCategories* Categories() const { return categories_.get(); }
  void SetCategories(TdxRibbonGalleryFilterCategories* Value) { categories_->Assign(Value); }
  bool Visible = false;
  TdxRibbonGalleryFilterCategory* ActiveCategory() const;

  // The value remembered while loading becomes the active index.
  void ApplyLoadedActiveCategoryIndex();
  // After a change of the categories.
  void CategoriesChanged();
  // Called from the gallery item when a group leaves: no category lists it any more.
  void RemoveGroup(TdxRibbonGalleryGroup* Group);

 private:
  TdxRibbonGalleryItem* galleryItem_;
  int activeCategoryIndex_ = -1;
  int loadedActiveCategoryIndex_ = -1;
  String caption_;
  ObjectPtr<TdxRibbonGalleryFilterCategories> categories_;
};
