#pragma once
// Lists of pointers: TList (untyped, with the index check) and TObjectList (objects, owned or not).

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(CLASSES);

#include <vector>

#include "platform/framework/classes/Object.h"
#include "platform/framework/base/Types.h"

enum TListNotification { lnAdded, lnExtracted, lnDeleted };

// Orders two items: negative, zero or positive.
using TListSortCompare = int (*)(void* item1, void* item2);

class TList : public TObject {
  DECLARE_CLASS(TList, TObject)

 public:
  TList() = default;
  ~TList() override;

  int Count() const { return static_cast<int>(items_.size()); }
  // Growing adds null items; shrinking deletes items from the end.
  void SetCount(int count);
  int Capacity() const { return static_cast<int>(items_.capacity()); }
  void SetCapacity(int capacity);

  // An index outside [0, Count) raises EListError "List index out of bounds (%d)".
  void* Items(int index) const;
  void SetItems(int index, void* item);
  void* operator[](int index) const { return Items(index); }
  void* First() const { return Items(0); }
  void* Last() const { return Items(Count() - 1); }

  int Add(void* item);
  void Insert(int index, void* item);
  void Delete(int index);
  // Removes the first occurrence; returns its former index or -1.
  int Remove(void* item);
  // Removes the first occurrence without a deletion notice and returns it, or null.
  void* Extract(void* item);
  void Clear();
  void Exchange(int index1, int index2);
  void Move(int currentIndex, int newIndex);
  int IndexOf(const void* item) const;
  // Removes the null items.
  void Pack();
  void Sort(TListSortCompare compare);
  void Assign(const TList& source);

  const std::vector<void*>& List() const { return items_; }

 protected:
  // Every addition and removal passes here; descendants react (TObjectList frees deleted objects).
  virtual void Notify(void* item, TListNotification action);
  void CheckIndex(int index) const;

 private:
  std::vector<void*> items_;
};

// A list of objects. An owning list frees the objects it deletes, removes, clears or replaces, and
// everything left when it is destroyed; Extract hands an object back without freeing it.
class TObjectList : public TList {
  DECLARE_CLASS(TObjectList, TList)

 public:
  explicit TObjectList(bool ownsObjects = true) : ownsObjects_(ownsObjects) {}
  ~TObjectList() override;

  bool OwnsObjects() const { return ownsObjects_; }
  void SetOwnsObjects(bool owns) { ownsObjects_ = owns; }

  TObject* Items(int index) const { return static_cast<TObject*>(TList::Items(index)); }
  void SetItems(int index, TObject* object) { TList::SetItems(index, object); }
  TObject* operator[](int index) const { return Items(index); }
  int Add(TObject* object) { return TList::Add(object); }
  void Insert(int index, TObject* object) { TList::Insert(index, object); }
  int Remove(TObject* object) { return TList::Remove(object); }
  TObject* Extract(TObject* object) { return static_cast<TObject*>(TList::Extract(object)); }
  int IndexOf(const TObject* object) const { return TList::IndexOf(object); }
  // The first index from start whose object is of the class (exactly, or a descendant unless exact).
  int FindInstanceOf(TClass cls, bool exact = true, int start = 0) const;

 protected:
  void Notify(void* item, TListNotification action) override;

 private:
  bool ownsObjects_;
};
