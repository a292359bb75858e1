#include "platform/framework/classes/Lists.h"

#include <algorithm>

#include "platform/framework/base/Exceptions.h"
#include "platform/framework/rtl/SysUtils.h"

DEFINE_CLASS(TList)
DEFINE_CLASS(TObjectList)

namespace {
[[noreturn]] void ListError(const wchar_t* message, int data) { throw EListError(Format(message, {data})); }
}  // namespace

TList::~TList() { Clear(); }

void TList::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) ListError(L"List index out of bounds (%d)", index);
}

void TList::SetCount(int count) {
  if (count < 0) ListError(L"List count out of bounds (%d)", count);
  while (Count() > count) Delete(Count() - 1);
  items_.resize(static_cast<std::size_t>(count), nullptr);
}

void TList::SetCapacity(int capacity) {
  if (capacity < Count()) ListError(L"List capacity out of bounds (%d)", capacity);
  if (capacity > Capacity()) items_.reserve(static_cast<std::size_t>(capacity));
  else items_.shrink_to_fit();
}

void* TList::Items(int index) const {
  CheckIndex(index);
  return items_[static_cast<std::size_t>(index)];
}

void TList::SetItems(int index, void* item) {
  CheckIndex(index);
  void*& slot = items_[static_cast<std::size_t>(index)];
  if (slot == item) return;
  void* old = slot;
  slot = item;
  if (old) Notify(old, lnDeleted);
  if (item) Notify(item, lnAdded);
}

int TList::Add(void* item) {
  items_.push_back(item);
  if (item) Notify(item, lnAdded);
  return Count() - 1;
}

void TList::Insert(int index, void* item) {
  if (index < 0 || index > Count()) ListError(L"List index out of bounds (%d)", index);
  items_.insert(items_.begin() + index, item);
  if (item) Notify(item, lnAdded);
}

void TList::Delete(int index) {
  CheckIndex(index);
  void* item = items_[static_cast<std::size_t>(index)];
  items_.erase(items_.begin() + index);
  if (item) Notify(item, lnDeleted);
}

int TList::Remove(void* item) {
  const int index = IndexOf(item);
  if (index >= 0) Delete(index);
  return index;
}

void* TList::Extract(void* item) {
  const int index = IndexOf(item);
  if (index < 0) return nullptr;
  items_.erase(items_.begin() + index);
  Notify(item, lnExtracted);
  return item;
}

void TList::Clear() {
  // One at a time from the end, so a notification that looks at the list sees a consistent one.
  while (!items_.empty()) {
    void* item = items_.back();
    items_.pop_back();
    if (item) Notify(item, lnDeleted);
  }
  items_.shrink_to_fit();
}

void TList::Exchange(int index1, int index2) {
  CheckIndex(index1);
  CheckIndex(index2);
  std::swap(items_[static_cast<std::size_t>(index1)], items_[static_cast<std::size_t>(index2)]);
}

void TList::Move(int currentIndex, int newIndex) {
  if (currentIndex == newIndex) return;
  CheckIndex(currentIndex);
  CheckIndex(newIndex);
  const auto from = items_.begin() + currentIndex;
  const auto to = items_.begin() + newIndex;
  if (currentIndex < newIndex) std::rotate(from, from + 1, to + 1);
  else std::rotate(to, from, from + 1);
}

int TList::IndexOf(const void* item) const {
  const auto at = std::find(items_.begin(), items_.end(), item);
  return at == items_.end() ? -1 : static_cast<int>(at - items_.begin());
}

void TList::Pack() { items_.erase(std::remove(items_.begin(), items_.end(), nullptr), items_.end()); }

void TList::Sort(TListSortCompare compare) {
  // Stable: items that compare equal keep their order.
  std::stable_sort(items_.begin(), items_.end(), [compare](void* a, void* b) { return compare(a, b) < 0; });
}

void TList::Assign(const TList& source) {
  if (&source == this) return;
  Clear();
  for (void* item : source.items_) Add(item);
}

void TList::Notify(void*, TListNotification) {}

TObjectList::~TObjectList() { Clear(); }

int TObjectList::FindInstanceOf(TClass cls, bool exact, int start) const {
  for (int i = std::max(start, 0); i < Count(); ++i) {
    const TObject* object = Items(i);
    if (!object) continue;
    if (exact ? object->ClassType() == cls : object->InheritsFrom(cls)) return i;
  }
  return -1;
}

void TObjectList::Notify(void* item, TListNotification action) {
  if (ownsObjects_ && action == lnDeleted) static_cast<TObject*>(item)->Free();
  TList::Notify(item, action);
}
