#pragma once
// The skin INI ("Options.dat") held in memory, Windows-free: sections in file order, keys compared
// without regard to case, and the reads that follow a section's PARENTCLASS chain.

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/framework/base/Types.h"

// Where the inheriting reads find values: a section's key, or nothing.
class TSkinSectionLookup {
 public:
  virtual ~TSkinSectionLookup() = default;
  virtual std::optional<String> Value(const String& section, const String& key) const = 0;
};

struct TSkinIniKey {
  String Name;
  String Value;
};

struct TSkinIniSection {
  String Name;
  std::vector<TSkinIniKey> Keys;
  // Upper-cased key name to the first key of that name.
  std::unordered_map<String, size_t> KeyIndex;
};

class TSkinIniText : public TSkinSectionLookup {
 public:
  TSkinIniText() = default;
  // Single-byte text (each byte one character), CR LF or LF line ends.
  static TSkinIniText FromBytes(const std::vector<Byte>& bytes);
  static TSkinIniText FromText(const String& text);

  const std::vector<TSkinIniSection>& Sections() const { return sections_; }
  const TSkinIniSection* FindSection(const String& name) const;
  // The first key of that name wins; names and sections compare without regard to case.
  std::optional<String> Value(const String& section, const String& key) const override;
  String ReadString(const String& section, const String& key, const String& defaultValue) const;

 private:
  std::vector<TSkinIniSection> sections_;
  std::unordered_map<String, size_t> sectionIndex_;  // upper-cased name to the first such section
};

// Integer key of a section, else of its parent and on along the chain; a value of -1 or a value that
// is not a number counts as missing. The chain stops at a section met twice.
std::int32_t InheritedInteger(const TSkinSectionLookup& ini, const String& section, const String& key,
                              std::int32_t defaultValue);
// The same for text, with "?" as the missing marker.
String InheritedString(const TSkinSectionLookup& ini, const String& section, const String& key,
                       const String& defaultValue);

// Case-insensitive comparison of ASCII names.
bool SameTextAscii(const String& a, const String& b);
String TrimBlanks(const String& text);
