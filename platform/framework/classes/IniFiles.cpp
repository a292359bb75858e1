#include "platform/framework/classes/IniFiles.h"

#include <algorithm>

#include "platform/framework/classes/Registry.h"
#include "platform/framework/classes/Stream.h"
#include "platform/framework/classes/Strings.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/rtl/TextEncoding.h"

DEFINE_CLASS(TCustomIniFile)
DEFINE_CLASS(TIniFile)
DEFINE_CLASS(TMemIniFile)
DEFINE_CLASS(TRegistryIniFile)

namespace {

bool SameName(const String& a, const String& b) {
  return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

String BytesToHex(const AnsiString& bytes) {
  static const wchar_t kDigits[] = L"0123456789ABCDEF";
  String text;
  text.reserve(bytes.size() * 2);
  for (unsigned char byte : bytes) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0x0F];
  }
  return text;
}

int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  return -1;
}

// Decodes pairs of hexadecimal digits up to the first pair that is not one.
AnsiString HexToBytes(const String& text) {
  AnsiString bytes;
  for (size_t i = 0; i + 1 < text.size(); i += 2) {
    int high = HexDigit(text[i]), low = HexDigit(text[i + 1]);
    if (high < 0 || low < 0) break;
    bytes += static_cast<char>(high * 16 + low);
  }
  return bytes;
}

AnsiString ReadRemainder(TStream& stream) {
  Int64 count = stream.Size() - stream.Position();
  AnsiString bytes(static_cast<size_t>(std::max<Int64>(count, 0)), '\0');
  stream.ReadBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
  return bytes;
}

int WriteBytesAndRewind(TStream& stream, const AnsiString& bytes) {
  Int64 start = stream.Position();
  stream.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
  stream.SetPosition(start);
  return static_cast<int>(bytes.size());
}

// Splits a double-null-terminated list of names.
void AddNullSeparated(const std::vector<wchar_t>& buffer, DWORD length, TStrings& names) {
  const wchar_t* p = buffer.data();
  const wchar_t* end = p + length;
  while (p < end && *p != L'\0') {
    String name(p);
    names.Add(name);
    p += name.size() + 1;
  }
}

}  // namespace

// ---------------------------------------------------------------------------------------------------
// TCustomIniFile

int TCustomIniFile::ReadInteger(const String& section, const String& ident, int defaultValue) {
  String text = ReadString(section, ident, L"");
  return StrToIntDef(text, defaultValue);
}

void TCustomIniFile::WriteInteger(const String& section, const String& ident, int value) {
  WriteString(section, ident, IntToStr(value));
}

bool TCustomIniFile::ReadBool(const String& section, const String& ident, bool defaultValue) {
  return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const String& section, const String& ident, bool value) {
  WriteString(section, ident, value ? L"1" : L"0");
}

int TCustomIniFile::ReadBinaryStream(const String& section, const String& ident, TStream& value) {
  return WriteBytesAndRewind(value, HexToBytes(ReadString(section, ident, L"")));
}

void TCustomIniFile::WriteBinaryStream(const String& section, const String& ident, TStream& value) {
  WriteString(section, ident, BytesToHex(ReadRemainder(value)));
}

void TCustomIniFile::ReadSectionValues(const String& section, TStrings& values) {
  TStringList names;
  ReadSection(section, names);
  values.BeginUpdate();
  values.Clear();
  for (int i = 0; i < names.Count(); ++i)
    values.Add(names.Strings(i) + L"=" + ReadString(section, names.Strings(i), L""));
  values.EndUpdate();
}

bool TCustomIniFile::SectionExists(const String& section) {
  TStringList names;
  ReadSection(section, names);
  return names.Count() > 0;
}

bool TCustomIniFile::ValueExists(const String& section, const String& ident) {
  TStringList names;
  ReadSection(section, names);
  for (int i = 0; i < names.Count(); ++i)
    if (SameName(names.Strings(i), ident)) return true;
  return false;
}

// ---------------------------------------------------------------------------------------------------
// TIniFile

namespace {

// Calls a profile-API reader with a growing buffer until the result fits. The API signals a full
// buffer by returning size - 1 (one name or value) or size - 2 (a null-separated list).
template <class Call>
DWORD ReadProfile(std::vector<wchar_t>& buffer, Call call) {
  buffer.resize(1024);
  for (;;) {
    DWORD size = static_cast<DWORD>(buffer.size());
    DWORD length = call(buffer.data(), size);
    if (length + 2 < size) return length;
    buffer.resize(buffer.size() * 4);
  }
}

}  // namespace

String TIniFile::ReadString(const String& section, const String& ident, const String& defaultValue) {
  std::vector<wchar_t> buffer;
  DWORD length = ReadProfile(buffer, [&](wchar_t* data, DWORD size) {
    return GetPrivateProfileStringW(section.c_str(), ident.c_str(), defaultValue.c_str(), data, size,
                                    FileName().c_str());
  });
  return String(buffer.data(), length);
}

void TIniFile::PrepareForWriting() {
  if (GetFileAttributesW(FileName().c_str()) != INVALID_FILE_ATTRIBUTES) return;
  HANDLE file =
      CreateFileW(FileName().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;  // the write that follows reports the failure
  static const Byte kUtf16Bom[] = {0xFF, 0xFE};
  DWORD written = 0;
  WriteFile(file, kUtf16Bom, sizeof kUtf16Bom, &written, nullptr);
  CloseHandle(file);
}

void TIniFile::CheckWritten(BOOL written) {
  if (written) return;
  const DWORD code = GetLastError();
  String text = L"Unable to write to " + FileName() + L".";
  if (code != ERROR_SUCCESS) text += L" " + SysErrorMessage(code);
  throw EIniFileException(text);
}

void TIniFile::WriteString(const String& section, const String& ident, const String& value) {
  PrepareForWriting();
  CheckWritten(WritePrivateProfileStringW(section.c_str(), ident.c_str(), value.c_str(), FileName().c_str()));
}

void TIniFile::ReadSection(const String& section, TStrings& names) {
  std::vector<wchar_t> buffer;
  DWORD length = ReadProfile(buffer, [&](wchar_t* data, DWORD size) {
    return GetPrivateProfileStringW(section.c_str(), nullptr, nullptr, data, size, FileName().c_str());
  });
  names.BeginUpdate();
  names.Clear();
  AddNullSeparated(buffer, length, names);
  names.EndUpdate();
}

void TIniFile::ReadSections(TStrings& names) {
  std::vector<wchar_t> buffer;
  DWORD length = ReadProfile(buffer, [&](wchar_t* data, DWORD size) {
    return GetPrivateProfileSectionNamesW(data, size, FileName().c_str());
  });
  names.BeginUpdate();
  names.Clear();
  AddNullSeparated(buffer, length, names);
  names.EndUpdate();
}

void TIniFile::EraseSection(const String& section) {
  if (GetFileAttributesW(FileName().c_str()) == INVALID_FILE_ATTRIBUTES) return;
  CheckWritten(WritePrivateProfileStringW(section.c_str(), nullptr, nullptr, FileName().c_str()));
}

void TIniFile::DeleteKey(const String& section, const String& ident) {
  if (GetFileAttributesW(FileName().c_str()) == INVALID_FILE_ATTRIBUTES) return;
  WritePrivateProfileStringW(section.c_str(), ident.c_str(), nullptr, FileName().c_str());
}

void TIniFile::UpdateFile() { WritePrivateProfileStringW(nullptr, nullptr, nullptr, FileName().c_str()); }

// ---------------------------------------------------------------------------------------------------
// TMemIniFile

TMemIniFile::TMemIniFile(const String& fileName) : TCustomIniFile(fileName) { LoadFromFile(); }

void TMemIniFile::LoadFromFile() {
  sections_.clear();
  if (FileName().empty() || GetFileAttributesW(FileName().c_str()) == INVALID_FILE_ATTRIBUTES) return;
  TMemoryStream bytes;
  bytes.LoadFromFile(FileName());
  LoadText(DecodeText(bytes.Memory(), static_cast<size_t>(bytes.Size())));
}

void TMemIniFile::LoadText(const String& text) {
  TStringList lines;
  lines.SetText(text);
  SetStrings(lines);
}

void TMemIniFile::SetStrings(const TStrings& lines) {
  sections_.clear();
  Section* current = nullptr;
  for (int i = 0; i < lines.Count(); ++i) {
    String line = Trim(lines.Strings(i));
    if (line.empty() || line[0] == L';') continue;
    if (line.front() == L'[' && line.back() == L']') {
      String name = Trim(line.substr(1, line.size() - 2));
      current = FindSection(name);
      if (current == nullptr) current = &AddSection(name);
      continue;
    }
    if (current == nullptr) continue;  // a value before any section belongs nowhere
    size_t equals = line.find(L'=');
    Entry entry;
    entry.Name = equals == String::npos ? line : TrimRight(line.substr(0, equals));
    entry.Value = equals == String::npos ? String() : TrimLeft(line.substr(equals + 1));
    current->Entries.push_back(std::move(entry));
  }
}

void TMemIniFile::GetStrings(TStrings& lines) const {
  lines.BeginUpdate();
  lines.Clear();
  for (size_t i = 0; i < sections_.size(); ++i) {
    if (i > 0) lines.Add(L"");
    lines.Add(L"[" + sections_[i].Name + L"]");
    for (const Entry& entry : sections_[i].Entries) lines.Add(entry.Name + L"=" + entry.Value);
  }
  lines.EndUpdate();
}

TMemIniFile::Section* TMemIniFile::FindSection(const String& name) {
  for (Section& section : sections_)
    if (SameName(section.Name, name)) return &section;
  return nullptr;
}

TMemIniFile::Section& TMemIniFile::AddSection(const String& name) {
  sections_.push_back(Section{name, {}});
  return sections_.back();
}

String TMemIniFile::ReadString(const String& section, const String& ident, const String& defaultValue) {
  if (Section* found = FindSection(section))
    for (const Entry& entry : found->Entries)
      if (SameName(entry.Name, ident)) return entry.Value;
  return defaultValue;
}

void TMemIniFile::WriteString(const String& section, const String& ident, const String& value) {
  Section* target = FindSection(section);
  if (target == nullptr) target = &AddSection(section);
  for (Entry& entry : target->Entries)
    if (SameName(entry.Name, ident)) {
      entry.Value = value;
      return;
    }
  target->Entries.push_back(Entry{ident, value});
}

void TMemIniFile::ReadSection(const String& section, TStrings& names) {
  names.BeginUpdate();
  names.Clear();
  if (Section* found = FindSection(section))
    for (const Entry& entry : found->Entries) names.Add(entry.Name);
  names.EndUpdate();
}

void TMemIniFile::ReadSections(TStrings& names) {
  names.BeginUpdate();
  names.Clear();
  for (const Section& section : sections_) names.Add(section.Name);
  names.EndUpdate();
}

void TMemIniFile::ReadSectionValues(const String& section, TStrings& values) {
  values.BeginUpdate();
  values.Clear();
  if (Section* found = FindSection(section))
    for (const Entry& entry : found->Entries) values.Add(entry.Name + L"=" + entry.Value);
  values.EndUpdate();
}

bool TMemIniFile::SectionExists(const String& section) { return FindSection(section) != nullptr; }

void TMemIniFile::EraseSection(const String& section) {
  std::erase_if(sections_, [&](const Section& s) { return SameName(s.Name, section); });
}

void TMemIniFile::DeleteKey(const String& section, const String& ident) {
  if (Section* found = FindSection(section))
    std::erase_if(found->Entries, [&](const Entry& e) { return SameName(e.Name, ident); });
}

void TMemIniFile::UpdateFile() {
  if (FileName().empty()) return;
  TStringList lines;
  GetStrings(lines);
  lines.SaveToFile(FileName(), TTextEncoding::Utf16LE);
}

void TMemIniFile::Clear() { sections_.clear(); }

// ---------------------------------------------------------------------------------------------------
// TRegistryIniFile

TRegistryIniFile::TRegistryIniFile(const String& fileName, REGSAM access)
    : TCustomIniFile(fileName), registry_(std::make_unique<TRegistry>(access)), access_(access) {
  registry_->SetRootKey(HKEY_CURRENT_USER);
  bool opened = access == KEY_READ ? registry_->OpenKeyReadOnly(L"\\" + SectionPath(L""))
                                   : registry_->OpenKey(L"\\" + SectionPath(L""), true);
  if (!opened) throw ERegistryException(L"Failed to open key " + fileName);
}

TRegistryIniFile::~TRegistryIniFile() = default;

String TRegistryIniFile::SectionPath(const String& section) const {
  auto trimmed = [](const String& path) {
    size_t first = path.find_first_not_of(L'\\');
    size_t last = path.find_last_not_of(L'\\');
    return first == String::npos ? String() : path.substr(first, last - first + 1);
  };
  if (!section.empty() && section.front() == L'\\') return trimmed(section);
  String base = trimmed(FileName());
  String relative = trimmed(section);
  if (relative.empty()) return base;
  return base.empty() ? relative : base + L"\\" + relative;
}

bool TRegistryIniFile::OpenSection(TRegistry& registry, const String& section, bool create) const {
  registry.SetRootKey(HKEY_CURRENT_USER);
  String path = L"\\" + SectionPath(section);
  return create ? registry.OpenKey(path, true) : registry.OpenKeyReadOnly(path);
}

String TRegistryIniFile::ReadString(const String& section, const String& ident, const String& defaultValue) {
  TRegistry registry(access_);
  if (!OpenSection(registry, section, false)) return defaultValue;
  switch (registry.GetDataType(ident)) {
    case rdString:
    case rdExpandString: return registry.ReadString(ident);
    case rdInteger: return IntToStr(registry.ReadInteger(ident));
    default: return defaultValue;
  }
}

void TRegistryIniFile::WriteString(const String& section, const String& ident, const String& value) {
  TRegistry registry(access_);
  if (!OpenSection(registry, section, true)) throw ERegistryException(L"Failed to create key " + section);
  registry.WriteString(ident, value);
}

int TRegistryIniFile::ReadInteger(const String& section, const String& ident, int defaultValue) {
  TRegistry registry(access_);
  if (!OpenSection(registry, section, false)) return defaultValue;
  switch (registry.GetDataType(ident)) {
    case rdInteger: return registry.ReadInteger(ident);
    case rdString:
    case rdExpandString: return StrToIntDef(registry.ReadString(ident), defaultValue);
    default: return defaultValue;
  }
}

void TRegistryIniFile::WriteInteger(const String& section, const String& ident, int value) {
  TRegistry registry(access_);
  if (!OpenSection(registry, section, true)) throw ERegistryException(L"Failed to create key " + section);
  TRegDataType existing = registry.GetDataType(ident);
  if (existing == rdString || existing == rdExpandString)
    registry.WriteString(ident, IntToStr(value));
  else
    registry.WriteInteger(ident, value);
}

int TRegistryIniFile::ReadBinaryStream(const String& section, const String& ident, TStream& value) {
  TRegistry registry(access_);
  if (!OpenSection(registry, section, false) || registry.GetDataType(ident) != rdBinary) return 0;
  AnsiString bytes(static_cast<size_t>(std::max(registry.GetDataSize(ident), 0)), '\0');
  int read = registry.ReadBinaryData(ident, bytes.data(), static_cast<int>(bytes.size()));
  bytes.resize(static_cast<size_t>(read));
  return WriteBytesAndRewind(value, bytes);
}

void TRegistryIniFile::WriteBinaryStream(const String& section, const String& ident, TStream& value) {
  TRegistry registry(access_);
  if (!OpenSection(registry, section, true)) throw ERegistryException(L"Failed to create key " + section);
  AnsiString bytes = ReadRemainder(value);
  registry.WriteBinaryData(ident, bytes.data(), static_cast<int>(bytes.size()));
}

void TRegistryIniFile::ReadSection(const String& section, TStrings& names) {
  TRegistry registry(access_);
  if (!OpenSection(registry, section, false)) {
    names.Clear();
    return;
  }
  registry.GetValueNames(names);
}

void TRegistryIniFile::ReadSections(TStrings& names) {
  TRegistry registry(access_);
  if (!OpenSection(registry, L"", false)) {
    names.Clear();
    return;
  }
  registry.GetKeyNames(names);
}

bool TRegistryIniFile::SectionExists(const String& section) {
  TRegistry registry(access_);
  return OpenSection(registry, section, false);
}

bool TRegistryIniFile::ValueExists(const String& section, const String& ident) {
  TRegistry registry(access_);
  return OpenSection(registry, section, false) && registry.ValueExists(ident);
}

void TRegistryIniFile::EraseSection(const String& section) {
  TRegistry registry(access_);
  registry.SetRootKey(HKEY_CURRENT_USER);
  registry.DeleteKey(L"\\" + SectionPath(section));
}

void TRegistryIniFile::DeleteKey(const String& section, const String& ident) {
  TRegistry registry(access_);
  registry.SetRootKey(HKEY_CURRENT_USER);
  if (registry.OpenKey(L"\\" + SectionPath(section), false)) registry.DeleteValue(ident);
}
