#pragma once
// Settings stores made of sections that hold named values: the abstract TCustomIniFile, TIniFile
// over the Windows profile API, TMemIniFile held in memory, and TRegistryIniFile over a registry key.
//
// Section and value names compare without regard to case. Integers read as decimal with a sign or
// as "$"/"0x" hexadecimal; anything else yields the default. Booleans are written as "1"/"0" and read
// as integers (non-zero = true). Binary values are two hexadecimal digits per byte, except in the
// registry where they are binary values.

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(CLASSES);

#include <memory>
#include <vector>

#include "platform/framework/classes/Object.h"
#include "platform/framework/base/Types.h"
#include "platform/framework/base/Win32.h"

class TStream;
class TStrings;
class TRegistry;

FRAMEWORK_EXCEPTION(EIniFileException, Exception);

class TCustomIniFile : public TObject {
  DECLARE_CLASS(TCustomIniFile, TObject)
 public:
  explicit TCustomIniFile(const String& fileName) : fileName_(fileName) {}
  ~TCustomIniFile() override = default;

  const String& FileName() const { return fileName_; }

  virtual String ReadString(const String& section, const String& ident, const String& defaultValue) = 0;
  virtual void WriteString(const String& section, const String& ident, const String& value) = 0;
  virtual int ReadInteger(const String& section, const String& ident, int defaultValue);
  virtual void WriteInteger(const String& section, const String& ident, int value);
  virtual bool ReadBool(const String& section, const String& ident, bool defaultValue);
  virtual void WriteBool(const String& section, const String& ident, bool value);
  // Writes the bytes read at the stream's position and returns their number; the stream's position
  // is put back where the bytes start. A missing value reads as 0 bytes.
  virtual int ReadBinaryStream(const String& section, const String& ident, TStream& value);
  // Stores the bytes from the stream's position to its end.
  virtual void WriteBinaryStream(const String& section, const String& ident, TStream& value);

  // Names of the values of one section, of all sections (in file order), or name=value lines.
  virtual void ReadSection(const String& section, TStrings& names) = 0;
  virtual void ReadSections(TStrings& names) = 0;
  virtual void ReadSectionValues(const String& section, TStrings& values);
  virtual bool SectionExists(const String& section);
  virtual bool ValueExists(const String& section, const String& ident);
  virtual void EraseSection(const String& section) = 0;
  virtual void DeleteKey(const String& section, const String& ident) = 0;
  virtual void UpdateFile() = 0;

 private:
  String fileName_;
};

// A profile file read and written through the Windows profile API: every write reaches the file at
// once, so a second instance on the same file sees it. A file created by a write starts with a
// UTF-16LE byte-order mark, which keeps the profile API writing Unicode.
class TIniFile : public TCustomIniFile {
  DECLARE_CLASS(TIniFile, TCustomIniFile)
 public:
  explicit TIniFile(const String& fileName) : TCustomIniFile(fileName) {}

  String ReadString(const String& section, const String& ident, const String& defaultValue) override;
  void WriteString(const String& section, const String& ident, const String& value) override;
  void ReadSection(const String& section, TStrings& names) override;
  void ReadSections(TStrings& names) override;
  void EraseSection(const String& section) override;
  void DeleteKey(const String& section, const String& ident) override;
  // Flushes the profile API's cache of the file.
  void UpdateFile() override;

 private:
  void PrepareForWriting();
  void CheckWritten(BOOL written);
};

// An INI text held in memory. The constructor loads the file when it exists (an empty name is
// allowed: nothing is loaded and UpdateFile writes nothing); UpdateFile writes the text back as
// UTF-16LE with a byte-order mark. Comment lines (";") and blank lines are not kept.
class TMemIniFile : public TCustomIniFile {
  DECLARE_CLASS(TMemIniFile, TCustomIniFile)
 public:
  explicit TMemIniFile(const String& fileName);

  String ReadString(const String& section, const String& ident, const String& defaultValue) override;
  void WriteString(const String& section, const String& ident, const String& value) override;
  void ReadSection(const String& section, TStrings& names) override;
  void ReadSections(TStrings& names) override;
  void ReadSectionValues(const String& section, TStrings& values) override;
  bool SectionExists(const String& section) override;
  void EraseSection(const String& section) override;
  void DeleteKey(const String& section, const String& ident) override;
  void UpdateFile() override;

  void Clear();
  // The whole store as INI lines, and its replacement by such lines.
  void GetStrings(TStrings& lines) const;
  void SetStrings(const TStrings& lines);

 private:
  struct Entry {
    String Name;
    String Value;
  };
  struct Section {
    String Name;
    std::vector<Entry> Entries;
  };

  void LoadText(const String& text);
  Section* FindSection(const String& name);
  Section& AddSection(const String& name);
  void LoadFromFile();

  std::vector<Section> sections_;
};

// Sections are registry keys below HKEY_CURRENT_USER, values are values. The file name is the key
// the store is opened on (created when missing). A section that begins with a backslash is a key
// path from the hive's root; others are relative to that key, and an empty one is that key itself.
// Integers are DWORD values unless a string value of that name already exists; Booleans are the
// strings "1"/"0"; binary data is a binary value; EraseSection deletes the key with its subkeys.
class TRegistryIniFile : public TCustomIniFile {
  DECLARE_CLASS(TRegistryIniFile, TCustomIniFile)
 public:
  explicit TRegistryIniFile(const String& fileName, REGSAM access = KEY_ALL_ACCESS);
  ~TRegistryIniFile() override;

  // The registry object open on the store's key.
  TRegistry& Registry() { return *registry_; }

  String ReadString(const String& section, const String& ident, const String& defaultValue) override;
  void WriteString(const String& section, const String& ident, const String& value) override;
  int ReadInteger(const String& section, const String& ident, int defaultValue) override;
  void WriteInteger(const String& section, const String& ident, int value) override;
  int ReadBinaryStream(const String& section, const String& ident, TStream& value) override;
  void WriteBinaryStream(const String& section, const String& ident, TStream& value) override;
  void ReadSection(const String& section, TStrings& names) override;
  void ReadSections(TStrings& names) override;
  bool SectionExists(const String& section) override;
  bool ValueExists(const String& section, const String& ident) override;
  void EraseSection(const String& section) override;
  void DeleteKey(const String& section, const String& ident) override;
  // Registry writes need no flush.
  void UpdateFile() override {}

 private:
  // The section's key as an absolute path ("\..."), below the root key.
  String SectionPath(const String& section) const;
  // A registry object open on the section's key; false when it does not exist (or, with create,
  // cannot be created).
  bool OpenSection(TRegistry& registry, const String& section, bool create) const;

  std::unique_ptr<TRegistry> registry_;
  REGSAM access_;
};
