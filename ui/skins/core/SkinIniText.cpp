#include "ui/skins/core/SkinIniText.h"

#include <set>

#include "ui/skins/core/SkinValues.h"

namespace {

const String kParentKey = L"PARENTCLASS";

// The parent named by a section, or nothing at the chain's end.
std::optional<String> ParentOf(const TSkinSectionLookup& ini, const String& section) {
  std::optional<String> parent = ini.Value(section, kParentKey);
  if (!parent || parent->empty() || *parent == L"?" || *parent == section) return std::nullopt;
  return parent;
}

// Calls read for the section and each ancestor until it answers; stops at a section met twice.
template <typename Read>
auto FollowChain(const TSkinSectionLookup& ini, const String& section, Read read) -> decltype(read(section)) {
  std::set<String> visited;
  String current = section;
  while (visited.insert(current).second) {
    if (auto found = read(current)) return found;
    std::optional<String> parent = ParentOf(ini, current);
    if (!parent) break;
    current = *parent;
  }
  return std::nullopt;
}

}  // namespace

bool SameTextAscii(const String& a, const String& b) { return UpperCaseAscii(a) == UpperCaseAscii(b); }

String TrimBlanks(const String& text) {
  size_t start = text.find_first_not_of(L" \t\r");
  if (start == String::npos) return String();
  size_t end = text.find_last_not_of(L" \t\r");
  return text.substr(start, end - start + 1);
}

TSkinIniText TSkinIniText::FromBytes(const std::vector<Byte>& bytes) {
  String text(bytes.begin(), bytes.end());
  return FromText(text);
}

TSkinIniText TSkinIniText::FromText(const String& text) {
  TSkinIniText ini;
  size_t from = 0;
  while (from <= text.size()) {
    size_t end = text.find(L'\n', from);
    if (end == String::npos) end = text.size();
    String line = TrimBlanks(text.substr(from, end - from));
    from = end + 1;
    if (line.empty() || line[0] == L';') continue;
    if (line.front() == L'[' && line.back() == L']') {
      ini.sections_.push_back({line.substr(1, line.size() - 2), {}, {}});
      ini.sectionIndex_.emplace(UpperCaseAscii(ini.sections_.back().Name), ini.sections_.size() - 1);
      continue;
    }
    size_t equals = line.find(L'=');
    if (ini.sections_.empty() || equals == String::npos) continue;
    TSkinIniSection& section = ini.sections_.back();
    section.Keys.push_back({TrimBlanks(line.substr(0, equals)), TrimBlanks(line.substr(equals + 1))});
    section.KeyIndex.emplace(UpperCaseAscii(section.Keys.back().Name), section.Keys.size() - 1);
  }
  return ini;
}

const TSkinIniSection* TSkinIniText::FindSection(const String& name) const {
  auto found = sectionIndex_.find(UpperCaseAscii(name));
  return found == sectionIndex_.end() ? nullptr : &sections_[found->second];
}

std::optional<String> TSkinIniText::Value(const String& section, const String& key) const {
  const TSkinIniSection* found = FindSection(section);
  if (!found) return std::nullopt;
  auto entry = found->KeyIndex.find(UpperCaseAscii(key));
  if (entry == found->KeyIndex.end()) return std::nullopt;
  return found->Keys[entry->second].Value;
}

String TSkinIniText::ReadString(const String& section, const String& key, const String& defaultValue) const {
  std::optional<String> value = Value(section, key);
  return value ? *value : defaultValue;
}

std::int32_t InheritedInteger(const TSkinSectionLookup& ini, const String& section, const String& key,
                              std::int32_t defaultValue) {
  std::optional<std::int32_t> found = FollowChain(ini, section, [&](const String& current) {
    std::optional<std::int32_t> result;
    std::int32_t value = -1;
    if (std::optional<String> text = ini.Value(current, key); text && TryParseSkinInteger(*text, value) && value != -1)
      result = value;
    return result;
  });
  return found ? *found : defaultValue;
}

String InheritedString(const TSkinSectionLookup& ini, const String& section, const String& key,
                       const String& defaultValue) {
  std::optional<String> found = FollowChain(ini, section, [&](const String& current) {
    std::optional<String> value = ini.Value(current, key);
    if (value && *value == L"?") value.reset();
    return value;
  });
  return found ? *found : defaultValue;
}
