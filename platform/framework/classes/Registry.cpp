#include "platform/framework/classes/Registry.h"

#include <vector>

#include "platform/framework/base/Exceptions.h"
#include "platform/framework/classes/Strings.h"

namespace {

String TrimBackslashes(String path) {
  while (!path.empty() && path.back() == L'\\') path.pop_back();
  size_t first = path.find_first_not_of(L'\\');
  return first == String::npos ? String() : path.substr(first);
}

[[noreturn]] void RaiseInvalidType(const String& name) {
  throw ERegistryException(L"Invalid data type for '" + name + L"'");
}

[[noreturn]] void RaiseReadFailure(const String& name) {
  throw ERegistryException(L"Failed to get data for '" + name + L"'");
}

}  // namespace

DEFINE_CLASS(TRegistry)

TRegistry::TRegistry() = default;

TRegistry::TRegistry(REGSAM access) : access_(access) {}

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::SetRootKey(HKEY rootKey) {
  CloseKey();
  rootKey_ = rootKey;
}

void TRegistry::CloseKey() {
  if (currentKey_ != nullptr) RegCloseKey(currentKey_);
  currentKey_ = nullptr;
  currentPath_.clear();
}

void TRegistry::ChangeKey(HKEY key, const String& path) {
  CloseKey();
  currentKey_ = key;
  currentPath_ = path;
}

HKEY TRegistry::BaseKeyFor(const String& key) const {
  bool absolute = !key.empty() && key.front() == L'\\';
  return absolute || currentKey_ == nullptr ? rootKey_ : currentKey_;
}

String TRegistry::RelativePart(const String& key) { return TrimBackslashes(key); }

String TRegistry::AbsolutePath(const String& key) const {
  String relative = RelativePart(key);
  bool absolute = !key.empty() && key.front() == L'\\';
  if (absolute || currentPath_.empty()) return relative;
  return relative.empty() ? currentPath_ : currentPath_ + L"\\" + relative;
}

bool TRegistry::OpenKey(const String& key, bool canCreate) {
  String relative = RelativePart(key);
  HKEY opened = nullptr;
  LSTATUS status;
  if (canCreate)
    status = RegCreateKeyExW(BaseKeyFor(key), relative.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access_, nullptr,
                             &opened, nullptr);
  else
    status = RegOpenKeyExW(BaseKeyFor(key), relative.c_str(), 0, access_, &opened);
  if (status != ERROR_SUCCESS) return false;
  ChangeKey(opened, AbsolutePath(key));
  return true;
}

bool TRegistry::OpenKeyReadOnly(const String& key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(BaseKeyFor(key), RelativePart(key).c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  ChangeKey(opened, AbsolutePath(key));
  access_ = KEY_READ;
  return true;
}

bool TRegistry::CreateKey(const String& key) {
  HKEY created = nullptr;
  if (RegCreateKeyExW(BaseKeyFor(key), RelativePart(key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                      nullptr, &created, nullptr) != ERROR_SUCCESS)
    throw ERegistryException(L"Failed to create key " + key);
  RegCloseKey(created);
  return true;
}

bool TRegistry::DeleteKey(const String& key) {
  String relative = RelativePart(key);
  if (relative.empty()) return false;  // never the root or the open key itself
  HKEY base = BaseKeyFor(key);
  HKEY target = nullptr;
  if (RegOpenKeyExW(base, relative.c_str(), 0, KEY_ALL_ACCESS, &target) != ERROR_SUCCESS) return false;
  RegDeleteTreeW(target, nullptr);
  RegCloseKey(target);
  return RegDeleteKeyW(base, relative.c_str()) == ERROR_SUCCESS;
}

bool TRegistry::KeyExists(const String& key) {
  HKEY probe = nullptr;
  if (RegOpenKeyExW(BaseKeyFor(key), RelativePart(key).c_str(), 0, KEY_READ, &probe) != ERROR_SUCCESS) return false;
  RegCloseKey(probe);
  return true;
}

bool TRegistry::HasSubKeys() {
  DWORD subKeys = 0;
  if (currentKey_ == nullptr) return false;
  RegQueryInfoKeyW(currentKey_, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, nullptr, nullptr, nullptr,
                   nullptr, nullptr);
  return subKeys > 0;
}

namespace {

// Adds every name `enumerate` yields for indexes 0, 1, ..., growing the buffer when a name is longer
// than the key's information said.
template <typename Enumerate>
void AddEnumeratedNames(TStrings& names, DWORD longest, Enumerate enumerate) {
  std::vector<wchar_t> buffer(longest + 2);
  for (DWORD i = 0;; ++i) {
    DWORD length = static_cast<DWORD>(buffer.size());
    const LSTATUS status = enumerate(i, buffer.data(), &length);
    if (status == ERROR_MORE_DATA) {
      buffer.resize(buffer.size() * 2);
      --i;
      continue;
    }
    if (status != ERROR_SUCCESS) break;
    names.Add(String(buffer.data(), length));
  }
}

}  // namespace

void TRegistry::GetKeyNames(TStrings& names) {
  names.Clear();
  if (currentKey_ == nullptr) return;
  DWORD count = 0, longest = 0;
  RegQueryInfoKeyW(currentKey_, nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr, nullptr, nullptr,
                   nullptr, nullptr);
  AddEnumeratedNames(names, longest, [this](DWORD index, wchar_t* name, DWORD* length) {
    return RegEnumKeyExW(currentKey_, index, name, length, nullptr, nullptr, nullptr, nullptr);
  });
}

void TRegistry::GetValueNames(TStrings& names) {
  names.Clear();
  if (currentKey_ == nullptr) return;
  DWORD count = 0, longest = 0;
  RegQueryInfoKeyW(currentKey_, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &longest, nullptr,
                   nullptr, nullptr);
  AddEnumeratedNames(names, longest, [this](DWORD index, wchar_t* name, DWORD* length) {
    return RegEnumValueW(currentKey_, index, name, length, nullptr, nullptr, nullptr, nullptr);
  });
}

bool TRegistry::ValueExists(const String& name) {
  return currentKey_ != nullptr &&
         RegQueryValueExW(currentKey_, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool TRegistry::DeleteValue(const String& name) {
  return currentKey_ != nullptr && RegDeleteValueW(currentKey_, name.c_str()) == ERROR_SUCCESS;
}

TRegDataType TRegistry::GetDataType(const String& name) {
  DWORD type = REG_NONE;
  if (currentKey_ == nullptr ||
      RegQueryValueExW(currentKey_, name.c_str(), nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS)
    return rdUnknown;
  switch (type) {
    case REG_SZ: return rdString;
    case REG_EXPAND_SZ: return rdExpandString;
    case REG_DWORD: return rdInteger;
    case REG_BINARY: return rdBinary;
    default: return rdUnknown;
  }
}

int TRegistry::GetDataSize(const String& name) {
  DWORD size = 0;
  if (currentKey_ == nullptr ||
      RegQueryValueExW(currentKey_, name.c_str(), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
    return -1;
  return static_cast<int>(size);
}

String TRegistry::ReadString(const String& name) {
  if (currentKey_ == nullptr) return String();
  DWORD type = REG_NONE, size = 0;
  if (RegQueryValueExW(currentKey_, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return String();
  if (type != REG_SZ && type != REG_EXPAND_SZ) RaiseInvalidType(name);
  // The value may change between the two calls; retry with the larger size it reports.
  std::vector<Byte> data;
  LSTATUS status;
  do {
    data.resize(size + sizeof(wchar_t));
    size = static_cast<DWORD>(data.size());
    status = RegQueryValueExW(currentKey_, name.c_str(), nullptr, &type, data.data(), &size);
  } while (status == ERROR_MORE_DATA);
  if (status != ERROR_SUCCESS) RaiseReadFailure(name);
  String text(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
  // Stored strings need not be terminated, and may carry one or more terminators.
  size_t end = text.find(L'\0');
  if (end != String::npos) text.resize(end);
  return text;
}

void TRegistry::WriteValue(const String& name, DWORD type, const void* data, DWORD size) {
  if (currentKey_ == nullptr ||
      RegSetValueExW(currentKey_, name.c_str(), 0, type, static_cast<const BYTE*>(data), size) != ERROR_SUCCESS)
    throw ERegistryException(L"Failed to set data for '" + name + L"'");
}

void TRegistry::WriteString(const String& name, const String& value) {
  WriteValue(name, REG_SZ, value.c_str(), static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void TRegistry::WriteExpandString(const String& name, const String& value) {
  WriteValue(name, REG_EXPAND_SZ, value.c_str(), static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

int TRegistry::ReadInteger(const String& name) {
  DWORD type = REG_NONE, value = 0, size = sizeof value;
  if (currentKey_ == nullptr) RaiseReadFailure(name);
  LSTATUS status = RegQueryValueExW(currentKey_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  if (status == ERROR_FILE_NOT_FOUND) RaiseReadFailure(name);
  if ((status != ERROR_SUCCESS && status != ERROR_MORE_DATA) || type != REG_DWORD || size != sizeof value)
    RaiseInvalidType(name);
  return static_cast<int>(value);
}

void TRegistry::WriteInteger(const String& name, int value) {
  DWORD data = static_cast<DWORD>(value);
  WriteValue(name, REG_DWORD, &data, sizeof data);
}

int TRegistry::ReadBinaryData(const String& name, void* buffer, int bufferSize) {
  DWORD type = REG_NONE, size = 0;
  if (currentKey_ == nullptr ||
      RegQueryValueExW(currentKey_, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    RaiseReadFailure(name);
  if (type != REG_BINARY) RaiseInvalidType(name);
  if (bufferSize < 0 || size > static_cast<DWORD>(bufferSize)) RaiseReadFailure(name);
  if (RegQueryValueExW(currentKey_, name.c_str(), nullptr, &type, static_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
    RaiseReadFailure(name);
  return static_cast<int>(size);
}

void TRegistry::WriteBinaryData(const String& name, const void* buffer, int bufferSize) {
  WriteValue(name, REG_BINARY, buffer, static_cast<DWORD>(bufferSize < 0 ? 0 : bufferSize));
}
