#include "platform/framework/classes/Collection.h"

#include <algorithm>

// ---- TCollectionItem --------------------------------------------------------------------------

DEFINE_CLASS(TCollectionItem)

TCollectionItem::TCollectionItem(TCollection* Collection) {
  // The class check waits for SetCollection: during this constructor the item is not yet of its
  // final class. Add builds items of the item class anyway.
  if (!Collection) return;
  // Inside Add the collection announces the item once it is fully built.
  bool announce = !Collection->buildingItem_;
  Collection->buildingItem_ = false;
  Collection->InsertItem(this, announce);
}

// Reached without Free (delete, or a throwing constructor): leave the collection; what a Notify or
// Update override throws goes to the sink, since a destructor must not throw.
TCollectionItem::~TCollectionItem() {
  if (TCollection* collection = collection_) {
    Guarded([&] { collection->Notify(this, cnExtracting); });
    collection->DetachItem(this);
    Guarded([&] { collection->Changed(); });
  }
}

void TCollectionItem::BeforeDestruction() {
  if (collection_) collection_->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* Value) {
  if (collection_ == Value) return;
  if (Value) Value->CheckAccepts(this);
  if (collection_) collection_->RemoveItem(this);
  if (Value) Value->InsertItem(this, true);
}

int TCollectionItem::Index() const {
  if (!collection_) return -1;
  auto& items = collection_->items_;
  return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int Value) {
  int current = Index();
  if (current < 0 || current == Value) return;
  auto& items = collection_->items_;
  if (Value < 0 || Value >= static_cast<int>(items.size())) RaiseListIndexError(Value);
  items.erase(items.begin() + current);
  items.insert(items.begin() + Value, this);
  Changed(true);
}

void TCollectionItem::SetDisplayName(const String&) { Changed(false); }

String TCollectionItem::GetDisplayName() const { return ClassName(); }

TPersistent* TCollectionItem::GetOwner() { return collection_; }

String TCollectionItem::GetNamePath() {
  if (!collection_) return ClassName();
  return collection_->GetNamePath() + L"[" + std::to_wstring(Index()) + L"]";
}

void TCollectionItem::Changed(bool AllItems) {
  if (collection_ && collection_->updateCount_ == 0) collection_->Update(AllItems ? nullptr : this);
}

// ---- TCollection ------------------------------------------------------------------------------

DEFINE_CLASS(TCollection)
DEFINE_CLASS(TOwnedCollection)

TCollection::TCollection(TCollectionItemClass ItemClass) : itemClass_(ItemClass) {}

TCollection::~TCollection() {
  // No change reports while the items go; the items are detached first so none can stay behind.
  updateCount_ = 1;
  while (!items_.empty()) {
    TCollectionItem* item = items_.back();
    DetachItem(item);
    Guarded([&] { item->Free(); });
  }
}

void TCollection::BeforeDestruction() {
  updateCount_ = 1;
  while (!items_.empty()) items_.back()->Free();
}

TCollectionItem* TCollection::Items(int Index) const {
  if (Index < 0 || Index >= Count()) RaiseListIndexError(Index);
  return items_[Index];
}

void TCollection::SetItems(int Index, TCollectionItem* Value) { Items(Index)->Assign(Value); }

void TCollection::CheckAccepts(TCollectionItem* Item) const {
  if (!itemClass_ || !Item->InheritsFrom(itemClass_)) throw EListError(L"Invalid property value");
}

TCollectionItem* TCollection::AddAt(int Index) {
  if (Index < 0 || Index > Count()) RaiseListIndexError(Index);
  buildingItem_ = true;
  TCollectionItem* item = nullptr;
  try {
    item = itemClass_->Create(this);
  } catch (...) {
    buildingItem_ = false;
    throw;
  }
  buildingItem_ = false;
  if (item->collection_ != this) InsertItem(item, false);  // a constructor that did not join
  if (Index != Count() - 1) {
    items_.pop_back();
    items_.insert(items_.begin() + Index, item);
  }
  AnnounceInsert(item);
  return item;
}

TCollectionItem* TCollection::Add() { return AddAt(Count()); }

TCollectionItem* TCollection::Insert(int Index) { return AddAt(Index); }

void TCollection::Delete(int Index) {
  TCollectionItem* item = Items(Index);
  Notify(item, cnDeleting);
  item->Free();
}

void TCollection::Clear() {
  if (items_.empty()) return;
  BeginUpdate();
  try {
    while (!items_.empty()) items_.back()->Free();
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int ID) const {
  for (TCollectionItem* item : items_) {
    if (item->id_ == ID) return item;
  }
  return nullptr;
}

void TCollection::EndUpdate() {
  if (updateCount_ > 0) --updateCount_;
  Changed();
}

void TCollection::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TCollection*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  if (source == this) return;
  BeginUpdate();
  try {
    Clear();
    for (TCollectionItem* item : source->items_) Add()->Assign(item);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

String TCollection::GetNamePath() {
  TPersistent* owner = GetOwner();
  if (!owner) return ClassName();
  String ownerPath = owner->GetNamePath();
  return ownerPath.empty() ? ClassName() : ownerPath + L"." + ClassName();
}

void TCollection::Update(TCollectionItem*) {}
void TCollection::Notify(TCollectionItem*, TCollectionNotification) {}
void TCollection::SetItemName(TCollectionItem*) {}

void TCollection::Changed() {
  if (updateCount_ == 0) Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* Item, bool announce) {
  items_.push_back(Item);
  Item->collection_ = this;
  Item->id_ = nextID_++;
  if (announce) AnnounceInsert(Item);
}

void TCollection::AnnounceInsert(TCollectionItem* Item) {
  SetItemName(Item);
  Notify(Item, cnAdded);
  Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item) {
  Notify(Item, cnExtracting);
  DetachItem(Item);
  Changed();
}

void TCollection::DetachItem(TCollectionItem* Item) {
  auto it = std::find(items_.begin(), items_.end(), Item);
  if (it != items_.end()) items_.erase(it);
  Item->collection_ = nullptr;
}
