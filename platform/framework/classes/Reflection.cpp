#include "platform/framework/classes/Reflection.h"
#include "platform/framework/rtl/SysUtils.h"

#include <algorithm>
#include <map>

namespace {

String TrimBlanks(const String& text) {
  size_t first = text.find_first_not_of(L" \t");
  if (first == String::npos) return L"";
  size_t last = text.find_last_not_of(L" \t");
  return text.substr(first, last - first + 1);
}

std::map<TClass, std::vector<TPropInfo>>& PropertyTables() {
  static std::map<TClass, std::vector<TPropInfo>> tables;
  return tables;
}

[[noreturn]] void RaiseUnknownProperty(const String& name) {
  throw EPropertyError(Format(L"Unknown property: %s", {name}));
}

const TPropInfo& Find(TObject* object, const String& name, TPropKind kind) {
  const TPropInfo* info = object ? GetPropInfo(object->ClassType(), name) : nullptr;
  if (!info || info->Kind != kind) RaiseUnknownProperty(name);
  return *info;
}

template <class F>
const F& Writer(const F& setter, const String& name) {
  if (!setter) RaiseUnknownProperty(name);
  return setter;
}

}  // namespace

// ---- enumerations and sets --------------------------------------------------------------------

TEnumInfo::TEnumInfo(const wchar_t* typeName, std::initializer_list<const wchar_t*> names)
    : typeName_(typeName), names_(names.begin(), names.end()) {}

String TEnumInfo::Name(int value) const {
  return value >= 0 && value < Count() ? names_[value] : String();
}

int TEnumInfo::Value(const String& name) const {
  for (int i = 0; i < Count(); ++i) {
    if (SameText(names_[i], name)) return i;
  }
  return -1;
}

String SetToString(const TEnumInfo& elements, std::uint64_t bits, bool brackets) {
  String result;
  for (int i = 0; i < elements.Count() && i < 64; ++i) {
    if (bits & (std::uint64_t{1} << i)) {
      if (!result.empty()) result += L",";
      result += elements.Name(i);
    }
  }
  return brackets ? L"[" + result + L"]" : result;
}

std::uint64_t StringToSet(const TEnumInfo& elements, const String& text) {
  String body = TrimBlanks(text);
  if (!body.empty() && body.front() == L'[') body.erase(0, 1);
  if (!body.empty() && body.back() == L']') body.pop_back();
  std::uint64_t bits = 0;
  size_t start = 0;
  while (start <= body.size()) {
    size_t comma = body.find(L',', start);
    String name = TrimBlanks(body.substr(start, comma == String::npos ? String::npos : comma - start));
    if (!name.empty()) {
      int value = elements.Value(name);
      if (value < 0 || value >= 64) throw EPropertyConvertError(Format(L"Invalid property element: %s", {name}));
      bits |= std::uint64_t{1} << value;
    }
    if (comma == String::npos) break;
    start = comma + 1;
  }
  return bits;
}

// ---- property tables --------------------------------------------------------------------------

void RegisterProperties(TClass cls, std::initializer_list<TPropInfo> properties) {
  auto& table = PropertyTables()[cls];
  table.insert(table.end(), properties.begin(), properties.end());
}

const TPropInfo* GetPropInfo(TClass cls, const String& name) {
  auto& tables = PropertyTables();
  for (; cls; cls = cls->ClassParent()) {
    auto it = tables.find(cls);
    if (it == tables.end()) continue;
    for (const TPropInfo& info : it->second) {
      if (SameText(info.Name, name)) return &info;
    }
  }
  return nullptr;
}

bool IsPublishedProp(const TObject* object, const String& name) {
  return object && GetPropInfo(object->ClassType(), name) != nullptr;
}

Int64 GetOrdProp(TObject* object, const String& name) {
  const TPropInfo* info = object ? GetPropInfo(object->ClassType(), name) : nullptr;
  if (!info || (info->Kind != pkOrdinal && info->Kind != pkSet)) RaiseUnknownProperty(name);
  return info->GetOrdinal(object);
}

void SetOrdProp(TObject* object, const String& name, Int64 value) {
  const TPropInfo* info = object ? GetPropInfo(object->ClassType(), name) : nullptr;
  if (!info || (info->Kind != pkOrdinal && info->Kind != pkSet)) RaiseUnknownProperty(name);
  Writer(info->SetOrdinal, name)(object, value);
}

String GetEnumProp(TObject* object, const String& name) {
  const TPropInfo& info = Find(object, name, pkOrdinal);
  Int64 value = info.GetOrdinal(object);
  return info.Elements ? info.Elements->Name(static_cast<int>(value)) : std::to_wstring(value);
}

void SetEnumProp(TObject* object, const String& name, const String& value) {
  const TPropInfo& info = Find(object, name, pkOrdinal);
  int ordinal = info.Elements ? info.Elements->Value(value) : -1;
  if (ordinal < 0) throw EPropertyConvertError(Format(L"Invalid property element: %s", {value}));
  Writer(info.SetOrdinal, name)(object, ordinal);
}

String GetSetProp(TObject* object, const String& name, bool brackets) {
  const TPropInfo& info = Find(object, name, pkSet);
  return SetToString(*info.Elements, static_cast<std::uint64_t>(info.GetOrdinal(object)), brackets);
}

void SetSetProp(TObject* object, const String& name, const String& value) {
  const TPropInfo& info = Find(object, name, pkSet);
  Writer(info.SetOrdinal, name)(object, static_cast<Int64>(StringToSet(*info.Elements, value)));
}

String GetStrProp(TObject* object, const String& name) { return Find(object, name, pkString).GetString(object); }

void SetStrProp(TObject* object, const String& name, const String& value) {
  Writer(Find(object, name, pkString).SetString, name)(object, value);
}

TObject* GetObjectProp(TObject* object, const String& name) { return Find(object, name, pkObject).GetObject(object); }

void SetObjectProp(TObject* object, const String& name, TObject* value) {
  Writer(Find(object, name, pkObject).SetObject, name)(object, value);
}
