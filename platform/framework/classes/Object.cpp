#include "platform/framework/classes/Object.h"
#include "platform/framework/rtl/SysUtils.h"

#include <algorithm>
#include <cwctype>
#include <map>

bool TMetaClass::InheritsFrom(TClass ancestor) const {
  for (TClass cls = this; cls; cls = cls->parent_) {
    if (cls == ancestor) return true;
  }
  return false;
}

const TObject::MetaClass& TObject::ClassInfo() {
  static const TMetaClass meta(L"TObject", nullptr);
  return meta;
}

void TObject::Free() {
  BeforeDestruction();
  delete this;
}

void RaiseInvalidCast() { throw EInvalidCast(L"Invalid class typecast"); }

void RaiseListIndexError(int index) {
  throw EListError(Format(L"List index out of bounds (%d)", {index}));
}

// ---- class registry ---------------------------------------------------------------------------

namespace {

struct NoCaseLess {
  bool operator()(const String& a, const String& b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](wchar_t x, wchar_t y) {
      return std::towupper(x) < std::towupper(y);
    });
  }
};

struct ClassRegistry {
  std::mutex mutex;
  std::map<String, TClass, NoCaseLess> classes;
};

ClassRegistry& Registry() {
  static ClassRegistry registry;
  return registry;
}

}  // namespace

void RegisterClass(TClass cls) {
  ClassRegistry& registry = Registry();
  std::lock_guard lock(registry.mutex);
  auto [it, inserted] = registry.classes.emplace(cls->ClassName(), cls);
  if (!inserted && it->second != cls) {
    throw EFilerError(Format(L"A class named %s already exists", {cls->ClassName()}));
  }
}

void RegisterClasses(std::initializer_list<TClass> classes) {
  for (TClass cls : classes) RegisterClass(cls);
}

void UnRegisterClass(TClass cls) {
  ClassRegistry& registry = Registry();
  std::lock_guard lock(registry.mutex);
  auto it = registry.classes.find(cls->ClassName());
  if (it != registry.classes.end() && it->second == cls) registry.classes.erase(it);
}

void UnRegisterClasses(std::initializer_list<TClass> classes) {
  for (TClass cls : classes) UnRegisterClass(cls);
}

TClass GetClass(const String& name) {
  ClassRegistry& registry = Registry();
  std::lock_guard lock(registry.mutex);
  auto it = registry.classes.find(name);
  return it == registry.classes.end() ? nullptr : it->second;
}

TClass FindClass(const String& name) {
  if (TClass cls = GetClass(name)) return cls;
  throw EClassNotFound(Format(L"Class %s not found", {name}));
}

TClass GetClassIn(TClass base, const String& name) {
  TClass cls = GetClass(name);
  return cls && cls->InheritsFrom(base) ? cls : nullptr;
}

TClass FindClassIn(TClass base, const String& name) {
  if (TClass cls = GetClassIn(base, name)) return cls;
  throw EClassNotFound(Format(L"Class %s not found", {name}));
}

// ---- interfaces -------------------------------------------------------------------------------

DEFINE_CLASS(TInterfacedObject)

int TInterfacedObject::_AddRef() { return ++refCount_; }

int TInterfacedObject::_Release() {
  int count = --refCount_;
  if (count == 0) Free();
  return count;
}

DEFINE_CLASS(TInterfaceList)

void TInterfaceList::CheckIndex(int index, int limit) const {
  if (index < 0 || index >= limit) RaiseListIndexError(index);
}

int TInterfaceList::Add(const InterfacePtr<IInterface>& item) {
  std::lock_guard lock(mutex_);
  items_.push_back(item);
  return static_cast<int>(items_.size()) - 1;
}

void TInterfaceList::Insert(int index, const InterfacePtr<IInterface>& item) {
  std::lock_guard lock(mutex_);
  CheckIndex(index, static_cast<int>(items_.size()) + 1);
  items_.insert(items_.begin() + index, item);
}

void TInterfaceList::Delete(int index) {
  InterfacePtr<IInterface> released;  // released after the lock, in case its destructor re-enters
  std::lock_guard lock(mutex_);
  CheckIndex(index, static_cast<int>(items_.size()));
  released = std::move(items_[index]);
  items_.erase(items_.begin() + index);
}

int TInterfaceList::Remove(IInterface* item) {
  std::lock_guard lock(mutex_);
  int index = IndexOf(item);
  if (index >= 0) Delete(index);
  return index;
}

int TInterfaceList::IndexOf(IInterface* item) const {
  std::lock_guard lock(mutex_);
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].get() == item) return static_cast<int>(i);
  }
  return -1;
}

void TInterfaceList::Exchange(int index1, int index2) {
  std::lock_guard lock(mutex_);
  CheckIndex(index1, static_cast<int>(items_.size()));
  CheckIndex(index2, static_cast<int>(items_.size()));
  items_[index1].swap(items_[index2]);
}

void TInterfaceList::Clear() {
  std::vector<InterfacePtr<IInterface>> released;
  std::lock_guard lock(mutex_);
  released.swap(items_);
}

int TInterfaceList::Count() const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(items_.size());
}

InterfacePtr<IInterface> TInterfaceList::Items(int index) const {
  std::lock_guard lock(mutex_);
  CheckIndex(index, static_cast<int>(items_.size()));
  return items_[index];
}

void TInterfaceList::SetItems(int index, const InterfacePtr<IInterface>& item) {
  InterfacePtr<IInterface> released;
  std::lock_guard lock(mutex_);
  CheckIndex(index, static_cast<int>(items_.size()));
  released = std::exchange(items_[index], item);
}
