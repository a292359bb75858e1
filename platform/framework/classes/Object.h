#pragma once
// The root of the object model: TObject, class references (TClass), the class registry, checked
// casts, sets of enumeration values, and reference-counted interfaces.
//
// Every class that wants its own class reference says DECLARE_CLASS(Self, Base) in its body and
// DEFINE_CLASS(Self) in its .cpp. The class reference is one immutable metaclass object per class.
// A family with a virtual constructor or other class operations has its own metaclass type
// (TObject::MetaClass is TMetaClass; TComponent::MetaClass has Create(Owner), ...); the family's
// metaclass provides a nested template Of<Self> that DEFINE_CLASS instantiates for each class, so
// a call through a class reference is a virtual call that reaches the class itself.

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(CLASSES);

#include <atomic>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/framework/base/Exceptions.h"
#include "platform/framework/base/Types.h"

class TObject;
class TMetaClass;
using TClass = const TMetaClass*;

class TMetaClass {
 public:
  TMetaClass(const wchar_t* name, TClass parent) : name_(name), parent_(parent) {}
  TMetaClass(const TMetaClass&) = delete;
  TMetaClass& operator=(const TMetaClass&) = delete;
  virtual ~TMetaClass() = default;

  String ClassName() const { return name_; }
  const wchar_t* Name() const { return name_; }
  TClass ClassParent() const { return parent_; }
  // True for this class itself and every descendant of ancestor.
  bool InheritsFrom(TClass ancestor) const;

  // Plain objects have no virtual constructor: Of<Self> only names the class.
  template <class Self>
  class Of;

 private:
  const wchar_t* name_;
  TClass parent_;
};

template <class Self>
class TMetaClass::Of : public TMetaClass {
 public:
  using TMetaClass::TMetaClass;
};

// Declares the class reference of Self, whose direct base is Base. Use at the start of the class
// body; it leaves the access at private.
#define DECLARE_CLASS(Self, Base)                                 \
 public:                                                          \
  using Inherited = Base;                                         \
  static const MetaClass& ClassInfo();                            \
  TClass ClassType() const override { return &Self::ClassInfo(); } \
                                                                  \
 private:

// Defines the class reference declared by DECLARE_CLASS, in the class's .cpp file.
#define DEFINE_CLASS(Self)                                                                     \
  const Self::MetaClass& Self::ClassInfo() {                                                   \
    static_assert(std::is_base_of_v<Self::Inherited::MetaClass, Self::MetaClass>,              \
                  "a family's metaclass must derive from its base class's metaclass");        \
    static const Self::MetaClass::template Of<Self> meta(L## #Self, &Self::Inherited::ClassInfo()); \
    return meta;                                                                               \
  }

// As DEFINE_CLASS, with a metaclass of the class's own (a class that overrides class operations).
#define DEFINE_CLASS_WITH(Self, MetaImpl)                                 \
  const Self::MetaClass& Self::ClassInfo() {                              \
    static const MetaImpl meta(L## #Self, &Self::Inherited::ClassInfo()); \
    return meta;                                                          \
  }

class TObject {
 public:
  using MetaClass = TMetaClass;

  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  static const MetaClass& ClassInfo();
  virtual TClass ClassType() const { return &ClassInfo(); }
  String ClassName() const { return ClassType()->ClassName(); }
  bool InheritsFrom(TClass ancestor) const { return ClassType()->InheritsFrom(ancestor); }

  // Called by NewObject once the most-derived constructor has finished.
  virtual void AfterConstruction() {}
  // Called by Free before the destructor runs, while every override is still in place.
  virtual void BeforeDestruction() {}
  // BeforeDestruction, then delete. Free objects with it (or FreeAndNil, or an
  // ObjectPtr) wherever the class relies on BeforeDestruction, as components do.
  void Free();
};

// new T(args...), then AfterConstruction: for classes that must act once fully built (a thread
// created running starts only then, when its Execute is in place).
template <class T, class... Args>
T* NewObject(Args&&... args) {
  T* object = new T(std::forward<Args>(args)...);
  object->AfterConstruction();
  return object;
}

template <class T>
void FreeAndNil(T*& object) {
  T* doomed = object;
  object = nullptr;
  if (doomed) doomed->Free();
}

// unique_ptr deleter that frees through Free.
struct TFreeDeleter {
  void operator()(TObject* object) const {
    if (object) object->Free();
  }
};
template <class T>
using ObjectPtr = std::unique_ptr<T, TFreeDeleter>;

// ---- checked casts ----------------------------------------------------------------------------

// The "as" cast: null stays null; an object of another class raises EInvalidCast.
[[noreturn]] void RaiseInvalidCast();

template <class T, class U>
T* As(U* object) {
  if (!object) return nullptr;
  if (T* result = dynamic_cast<T*>(object)) return result;
  RaiseInvalidCast();
}

// The "is" test: false for null.
template <class T, class U>
bool Is(const U* object) {
  return dynamic_cast<const T*>(object) != nullptr;
}

// ---- class registry ---------------------------------------------------------------------------

// Registers a class under its name for lookup by name (case-insensitive). Registering a class
// again is harmless; another class of the same name raises EFilerError.
void RegisterClass(TClass cls);
void RegisterClasses(std::initializer_list<TClass> classes);
void UnRegisterClass(TClass cls);
void UnRegisterClasses(std::initializer_list<TClass> classes);
// The registered class of that name, or null.
TClass GetClass(const String& name);
// The registered class of that name; EClassNotFound "Class %s not found" when there is none.
TClass FindClass(const String& name);
// Lookups constrained to a family: a registered class of that name that is base or descends from
// it. A class outside the family counts as not found, so data can only create what it may.
TClass GetClassIn(TClass base, const String& name);
TClass FindClassIn(TClass base, const String& name);

template <class Base>
const typename Base::MetaClass* GetClassOf(const String& name) {
  return static_cast<const typename Base::MetaClass*>(GetClassIn(&Base::ClassInfo(), name));
}
template <class Base>
const typename Base::MetaClass* FindClassOf(const String& name) {
  return static_cast<const typename Base::MetaClass*>(FindClassIn(&Base::ClassInfo(), name));
}

// ---- sets of enumeration values ---------------------------------------------------------------

// A set over an enumeration whose values are 0..63.
template <class E>
class TSet {
 public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> values) {
    for (E value : values) bits_ |= Bit(value);
  }
  static constexpr TSet FromBits(std::uint64_t bits) {
    TSet set;
    set.bits_ = bits;
    return set;
  }

  constexpr bool Contains(E value) const { return (bits_ & Bit(value)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr std::uint64_t Bits() const { return bits_; }
  constexpr TSet& Include(E value) {
    bits_ |= Bit(value);
    return *this;
  }
  constexpr TSet& Exclude(E value) {
    bits_ &= ~Bit(value);
    return *this;
  }

  constexpr TSet operator+(TSet other) const { return FromBits(bits_ | other.bits_); }
  constexpr TSet operator-(TSet other) const { return FromBits(bits_ & ~other.bits_); }
  constexpr TSet operator*(TSet other) const { return FromBits(bits_ & other.bits_); }
  constexpr TSet& operator+=(TSet other) { bits_ |= other.bits_; return *this; }
  constexpr TSet& operator-=(TSet other) { bits_ &= ~other.bits_; return *this; }
  constexpr bool operator==(const TSet&) const = default;

 private:
  static constexpr std::uint64_t Bit(E value) { return std::uint64_t{1} << static_cast<unsigned>(value); }
  std::uint64_t bits_ = 0;
};

// ---- interfaces -------------------------------------------------------------------------------

// The root of every interface. Interfaces are abstract classes that derive virtually from it and
// are queried with Supports (dynamic_cast). _AddRef/_Release return the new count, or -1 for an
// object whose lifetime is not counted.
class IInterface {
 public:
  virtual int _AddRef() = 0;
  virtual int _Release() = 0;

 protected:
  virtual ~IInterface() = default;
};

// Supports<I>(object): the object's I, or null.
template <class I, class U>
I* Supports(U* object) {
  return object ? dynamic_cast<I*>(object) : nullptr;
}
template <class I, class U>
bool Supports(U* object, I*& result) {
  result = Supports<I>(object);
  return result != nullptr;
}

// Counted lifetime: the object frees itself when its last reference goes.
class TInterfacedObject : public TObject, public virtual IInterface {
  DECLARE_CLASS(TInterfacedObject, TObject)
 public:
  int _AddRef() override;
  int _Release() override;
  int RefCount() const { return refCount_.load(); }

 private:
  std::atomic<int> refCount_{0};
};

// A counted reference to an interface (or to a class that implements IInterface).
template <class I>
class InterfacePtr {
 public:
  InterfacePtr() = default;
  InterfacePtr(std::nullptr_t) {}
  InterfacePtr(I* pointer) : p_(pointer) { AddRef(); }
  InterfacePtr(const InterfacePtr& other) : p_(other.p_) { AddRef(); }
  InterfacePtr(InterfacePtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  template <class J, class = std::enable_if_t<std::is_convertible_v<J*, I*>>>
  InterfacePtr(const InterfacePtr<J>& other) : p_(other.get()) { AddRef(); }
  ~InterfacePtr() { Release(); }

  InterfacePtr& operator=(InterfacePtr other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }

  I* get() const { return p_; }
  I* operator->() const { return p_; }
  I& operator*() const { return *p_; }
  explicit operator bool() const { return p_ != nullptr; }
  void reset() { InterfacePtr().swap(*this); }
  void swap(InterfacePtr& other) noexcept { std::swap(p_, other.p_); }
  friend bool operator==(const InterfacePtr& a, const InterfacePtr& b) { return a.p_ == b.p_; }

 private:
  void AddRef() {
    if (p_) static_cast<IInterface*>(p_)->_AddRef();
  }
  void Release() {
    if (p_) static_cast<IInterface*>(std::exchange(p_, nullptr))->_Release();
  }
  I* p_ = nullptr;
};

// A thread-safe list of interface references. Counted objects stay alive while listed; uncounted
// ones (their _AddRef returns -1) are merely referenced.
class TInterfaceList : public TObject {
  DECLARE_CLASS(TInterfaceList, TObject)
 public:
  int Add(const InterfacePtr<IInterface>& item);
  void Insert(int index, const InterfacePtr<IInterface>& item);
  void Delete(int index);
  // Removes the first occurrence; its former index, or -1.
  int Remove(IInterface* item);
  int IndexOf(IInterface* item) const;
  void Exchange(int index1, int index2);
  void Clear();
  int Count() const;
  InterfacePtr<IInterface> Items(int index) const;
  void SetItems(int index, const InterfacePtr<IInterface>& item);
  InterfacePtr<IInterface> First() const { return Items(0); }
  InterfacePtr<IInterface> Last() const { return Items(Count() - 1); }
  void Lock() const { mutex_.lock(); }
  void Unlock() const { mutex_.unlock(); }

 private:
  void CheckIndex(int index, int limit) const;
  std::vector<InterfacePtr<IInterface>> items_;
  mutable std::recursive_mutex mutex_;
};

// The list-index error every framework list raises: EListError "List index out of bounds (%d)".
[[noreturn]] void RaiseListIndexError(int index);
