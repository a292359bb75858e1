#pragma once
// Light reflection: the value names of enumerations, and per class a table of the properties that
// are reached by name (ordinal, set, string and object properties).
//
//   DEFINE_ENUM_INFO(TAlign, L"alNone", L"alTop", ...)  // once per enumeration, in a .cpp, at
//                                                      // global scope (it specialises EnumInfo)
//   RegisterProperties(&TMyControl::ClassInfo(), {
//       OrdinalProperty(L"Width", &TMyControl::Width, &TMyControl::SetWidth),
//       SetProperty(L"Anchors", &TMyControl::Anchors, &TMyControl::SetAnchors),
//   });
//
// A class's table includes its ancestors' properties; names are compared without regard to case.

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(CLASSES);

#include <functional>
#include <initializer_list>
#include <type_traits>
#include <vector>

#include "platform/framework/classes/Object.h"

FRAMEWORK_EXCEPTION(EPropertyError, Exception);
FRAMEWORK_EXCEPTION(EPropertyConvertError, Exception);

// The names of an enumeration's values 0..n-1.
class TEnumInfo {
 public:
  TEnumInfo(const wchar_t* typeName, std::initializer_list<const wchar_t*> names);
  const String& TypeName() const { return typeName_; }
  int Count() const { return static_cast<int>(names_.size()); }
  // The value's name; empty outside the range.
  String Name(int value) const;
  // The value of that name (without regard to case), or -1.
  int Value(const String& name) const;

 private:
  String typeName_;
  std::vector<String> names_;
};

// Specialised for each enumeration by DEFINE_ENUM_INFO (declare with DECLARE_ENUM_INFO in the
// header that declares the enumeration when other files need it).
template <class E>
const TEnumInfo& EnumInfo();

#define DECLARE_ENUM_INFO(E) \
  template <>                \
  const TEnumInfo& EnumInfo<E>()
#define DEFINE_ENUM_INFO(E, ...)                            \
  template <>                                               \
  const TEnumInfo& EnumInfo<E>() {                          \
    static const TEnumInfo info(L## #E, {__VA_ARGS__});     \
    return info;                                            \
  }

template <class E>
String GetEnumName(E value) {
  return EnumInfo<E>().Name(static_cast<int>(value));
}
// The value of that name, or -1.
template <class E>
int GetEnumValue(const String& name) {
  return EnumInfo<E>().Value(name);
}

// The text form of a set: element names joined by "," (in brackets when asked).
String SetToString(const TEnumInfo& elements, std::uint64_t bits, bool brackets = false);
// The set a text form names; brackets and blanks around names are allowed. An unknown name raises
// EPropertyConvertError "Invalid property element: <name>".
std::uint64_t StringToSet(const TEnumInfo& elements, const String& text);

enum TPropKind { pkOrdinal, pkSet, pkString, pkObject };

struct TPropInfo {
  String Name;
  TPropKind Kind = pkOrdinal;
  // The value names of an enumeration-typed ordinal or of a set's elements; null otherwise.
  const TEnumInfo* Elements = nullptr;
  // Ordinal and set values travel as Int64 (sets as their bits); objects as TObject*.
  std::function<Int64(TObject*)> GetOrdinal;
  std::function<void(TObject*, Int64)> SetOrdinal;
  std::function<String(TObject*)> GetString;
  std::function<void(TObject*, const String&)> SetString;
  std::function<TObject*(TObject*)> GetObject;
  std::function<void(TObject*, TObject*)> SetObject;
};

void RegisterProperties(TClass cls, std::initializer_list<TPropInfo> properties);
// The property of that name of the class or its ancestors, or null.
const TPropInfo* GetPropInfo(TClass cls, const String& name);
bool IsPublishedProp(const TObject* object, const String& name);

// Accessors by name. A missing property (or one of another kind) raises EPropertyError
// "Unknown property: <name>"; a read-only one raises it on writing.
Int64 GetOrdProp(TObject* object, const String& name);
void SetOrdProp(TObject* object, const String& name, Int64 value);
String GetEnumProp(TObject* object, const String& name);
void SetEnumProp(TObject* object, const String& name, const String& value);
String GetSetProp(TObject* object, const String& name, bool brackets = false);
void SetSetProp(TObject* object, const String& name, const String& value);
String GetStrProp(TObject* object, const String& name);
void SetStrProp(TObject* object, const String& name, const String& value);
TObject* GetObjectProp(TObject* object, const String& name);
void SetObjectProp(TObject* object, const String& name, TObject* value);

// ---- building property entries from member functions ------------------------------------------
// The setter may be nullptr for a read-only property.

namespace reflection_detail {
template <class M>
struct MemberOf;
template <class R, class C>
struct MemberOf<R C::*> {
  using type = C;
};
}  // namespace reflection_detail

template <class Get, class Set>
TPropInfo OrdinalProperty(const wchar_t* name, Get get, Set set) {
  using C = typename reflection_detail::MemberOf<Get>::type;
  TPropInfo info;
  info.Name = name;
  info.Kind = pkOrdinal;
  using Value = std::decay_t<std::invoke_result_t<Get, C*>>;
  if constexpr (std::is_enum_v<Value>) info.Elements = &EnumInfo<Value>();
  info.GetOrdinal = [get](TObject* object) { return static_cast<Int64>((static_cast<C*>(object)->*get)()); };
  if constexpr (!std::is_null_pointer_v<Set>) {
    info.SetOrdinal = [set](TObject* object, Int64 value) { (static_cast<C*>(object)->*set)(static_cast<Value>(value)); };
  }
  return info;
}

template <class C, class E, class Set>
TPropInfo SetProperty(const wchar_t* name, TSet<E> (C::*get)() const, Set set) {
  TPropInfo info;
  info.Name = name;
  info.Kind = pkSet;
  info.Elements = &EnumInfo<E>();
  info.GetOrdinal = [get](TObject* object) { return static_cast<Int64>((static_cast<C*>(object)->*get)().Bits()); };
  if constexpr (!std::is_null_pointer_v<Set>) {
    info.SetOrdinal = [set](TObject* object, Int64 value) {
      (static_cast<C*>(object)->*set)(TSet<E>::FromBits(static_cast<std::uint64_t>(value)));
    };
  }
  return info;
}

template <class Get, class Set>
TPropInfo StringProperty(const wchar_t* name, Get get, Set set) {
  using C = typename reflection_detail::MemberOf<Get>::type;
  TPropInfo info;
  info.Name = name;
  info.Kind = pkString;
  info.GetString = [get](TObject* object) { return String((static_cast<C*>(object)->*get)()); };
  if constexpr (!std::is_null_pointer_v<Set>) {
    info.SetString = [set](TObject* object, const String& value) { (static_cast<C*>(object)->*set)(value); };
  }
  return info;
}

template <class Get, class Set>
TPropInfo ObjectProperty(const wchar_t* name, Get get, Set set) {
  using C = typename reflection_detail::MemberOf<Get>::type;
  TPropInfo info;
  info.Name = name;
  info.Kind = pkObject;
  info.GetObject = [get](TObject* object) -> TObject* { return (static_cast<C*>(object)->*get)(); };
  if constexpr (!std::is_null_pointer_v<Set>) {
    using Arg = std::decay_t<std::invoke_result_t<Get, C*>>;
    info.SetObject = [set](TObject* object, TObject* value) {
      (static_cast<C*>(object)->*set)(value ? As<std::remove_pointer_t<Arg>>(value) : nullptr);
    };
  }
  return info;
}
