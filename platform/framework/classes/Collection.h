#pragma once
// Collections: an ordered list of items of one class (or its descendants) that the collection owns.
// Items join a collection in their constructor and leave it in their destructor; they can move to
// another collection and to another position. Changes reach Update (unless updates are held by
// BeginUpdate) and Notify.

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(CLASSES);

#include <vector>

#include "platform/framework/classes/Component.h"

class TCollection;
class TCollectionItem;

// The item family's metaclass: its virtual constructor takes the collection.
class TCollectionItemMetaClass : public TMetaClass {
 public:
  using TMetaClass::TMetaClass;
  virtual TCollectionItem* Create(TCollection* Collection) const = 0;

  template <class Self>
  class Of;
};
using TCollectionItemClass = const TCollectionItemMetaClass*;

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

class TCollectionItem : public TPersistent {
 public:
  using MetaClass = TCollectionItemMetaClass;
  DECLARE_CLASS(TCollectionItem, TPersistent)

 public:
  // Joins Collection (when given) at its end.
  explicit TCollectionItem(TCollection* Collection);
  ~TCollectionItem() override;
  // Free leaves the collection here, so the collection's Notify still sees the whole item.
  void BeforeDestruction() override;

  TCollection* Collection() const { return collection_; }
  // Moves the item to another collection (its end), or out of any with null. A collection whose
  // item class the item is not of refuses it with EListError and the item stays where it was.
  virtual void SetCollection(TCollection* Value);
  // Unique within its collection, in order of joining; never reused.
  int ID() const { return id_; }
  int Index() const;
  // Moves the item within its collection; an index outside it raises EListError.
  virtual void SetIndex(int Value);
  String DisplayName() const { return GetDisplayName(); }
  virtual void SetDisplayName(const String& Value);

  TPersistent* GetOwner() override;
  String GetNamePath() override;

 protected:
  // Reports a change of this item (or, with AllItems, of all) to the collection.
  void Changed(bool AllItems);
  // The class name unless a descendant names its items.
  virtual String GetDisplayName() const;

 private:
  friend class TCollection;
  TCollection* collection_ = nullptr;
  int id_ = 0;
};

template <class Self>
class TCollectionItemMetaClass::Of : public TCollectionItemMetaClass {
 public:
  using TCollectionItemMetaClass::TCollectionItemMetaClass;
  TCollectionItem* Create(TCollection* Collection) const override {
    if constexpr (!std::is_abstract_v<Self> && std::is_constructible_v<Self, TCollection*>) {
      return new Self(Collection);
    } else {
      RaiseAbstractCreate(this);
    }
  }
};

class TCollection : public TPersistent {
  DECLARE_CLASS(TCollection, TPersistent)
 public:
  explicit TCollection(TCollectionItemClass ItemClass);
  ~TCollection() override;
  // Free empties the collection here, while Notify overrides are in place; no Update is reported.
  void BeforeDestruction() override;

  TCollectionItemClass ItemClass() const { return itemClass_; }
  int Count() const { return static_cast<int>(items_.size()); }
  // An index outside the collection raises EListError "List index out of bounds (%d)".
  TCollectionItem* Items(int Index) const;
  // Items[Index].Assign(Value).
  void SetItems(int Index, TCollectionItem* Value);

  // A new item of ItemClass at the end (or at Index). Update and Notify see the item fully built.
  TCollectionItem* Add();
  TCollectionItem* Insert(int Index);
  void Delete(int Index);
  void Clear();
  TCollectionItem* FindItemID(int ID) const;

  virtual void BeginUpdate() { ++updateCount_; }
  virtual void EndUpdate();
  int UpdateCount() const { return updateCount_; }

  // From another collection: clear, then add a copy of each of its items, as one change.
  void Assign(TPersistent* Source) override;
  TPersistent* Owner() { return GetOwner(); }
  String GetNamePath() override;

 protected:
  // The item that changed, or null when everything did. Called only while not updating.
  virtual void Update(TCollectionItem* Item);
  virtual void Notify(TCollectionItem* Item, TCollectionNotification Action);
  // Gives a new item its name; nothing here.
  virtual void SetItemName(TCollectionItem* Item);
  // Update(null) unless updating.
  void Changed();

 private:
  friend class TCollectionItem;
  void CheckAccepts(TCollectionItem* Item) const;
  void InsertItem(TCollectionItem* Item, bool announce);
  void AnnounceInsert(TCollectionItem* Item);
  void RemoveItem(TCollectionItem* Item);
  void DetachItem(TCollectionItem* Item);
  TCollectionItem* AddAt(int Index);

  TCollectionItemClass itemClass_;
  std::vector<TCollectionItem*> items_;
  int updateCount_ = 0;
  int nextID_ = 0;
  bool buildingItem_ = false;
};

// A collection that is a property of another object: GetOwner answers that object.
class TOwnedCollection : public TCollection {
  DECLARE_CLASS(TOwnedCollection, TCollection)
 public:
  TOwnedCollection(TPersistent* AOwner, TCollectionItemClass ItemClass)
      : TCollection(ItemClass), owner_(AOwner) {}
  TPersistent* GetOwner() override { return owner_; }

 private:
  TPersistent* owner_;
};
