#include "platform/framework/classes/IniFiles.h"

#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include "platform/framework/classes/Registry.h"
#include "platform/framework/classes/Stream.h"
#include "platform/framework/classes/Strings.h"
#include "tests/support/TestSupport.h"

using testing_support::ReadFileBytes;
using testing_support::ScratchFolder;
using testing_support::ScratchRegistryKey;

namespace {

struct Scratch {
  ScratchFolder folder;
  ScratchRegistryKey key;
};

struct StoreKind {
  const char* name;
  std::function<std::unique_ptr<TCustomIniFile>(Scratch&)> open;
};

std::ostream& operator<<(std::ostream& out, const StoreKind& kind) { return out << kind.name; }

const StoreKind kStores[] = {
    {"TIniFile", [](Scratch& s) { return std::make_unique<TIniFile>(s.folder.File(L"settings.ini")); }},
    {"TMemIniFile", [](Scratch& s) { return std::make_unique<TMemIniFile>(s.folder.File(L"settings.ini")); }},
    {"TRegistryIniFile", [](Scratch& s) { return std::make_unique<TRegistryIniFile>(L"\\" + s.key.Path()); }},
};

std::vector<String> Lines(const TStrings& list) {
  std::vector<String> lines;
  for (int i = 0; i < list.Count(); ++i) lines.push_back(list.Strings(i));
  return lines;
}

class EveryStore : public testing::TestWithParam<StoreKind> {
 protected:
  Scratch scratch;
  std::unique_ptr<TCustomIniFile> ini = GetParam().open(scratch);
};

TEST_P(EveryStore, NamesIgnoreCaseAndMissingValuesGiveTheDefault) {
  ini->WriteString(L"System", L"Path", L"C:\\Music");
  EXPECT_EQ(ini->ReadString(L"SYSTEM", L"path", L"-"), L"C:\\Music");
  ini->WriteString(L"system", L"PATH", L"D:\\");
  EXPECT_EQ(ini->ReadString(L"System", L"Path", L"-"), L"D:\\");
  EXPECT_EQ(ini->ReadString(L"System", L"Other", L"fallback"), L"fallback");
  EXPECT_EQ(ini->ReadString(L"Nowhere", L"Path", L"fallback"), L"fallback");
  EXPECT_TRUE(ini->ValueExists(L"SYSTEM", L"path"));
  EXPECT_FALSE(ini->ValueExists(L"System", L"Other"));
  EXPECT_TRUE(ini->SectionExists(L"sYsTeM"));
  EXPECT_FALSE(ini->SectionExists(L"Nowhere"));
}

TEST_P(EveryStore, IntegersReadAsDecimalOrHexElseTheDefault) {
  struct Case {
    const wchar_t* text;
    int expected;
  };
  const Case cases[] = {
      {L"42", 42}, {L"-7", -7}, {L"+5", 5},       {L"$1F", 31}, {L"0x1f", 31},
      {L"abc", -1}, {L"", -1}, {L"12abc", -1}, {L"99999999999", -1},
  };
  for (const Case& c : cases) {
    ini->WriteString(L"Numbers", L"Value", c.text);
    EXPECT_EQ(ini->ReadInteger(L"Numbers", L"Value", -1), c.expected) << "text \"" << testing::PrintToString(c.text);
  }
  EXPECT_EQ(ini->ReadInteger(L"Numbers", L"Missing", 17), 17);
  ini->WriteInteger(L"Numbers", L"Written", -123456);
  EXPECT_EQ(ini->ReadInteger(L"Numbers", L"Written", 0), -123456);
  EXPECT_EQ(ini->ReadString(L"Numbers", L"Written", L""), L"-123456");
}

TEST_P(EveryStore, BooleansAreOneAndZeroReadAsIntegers) {
  ini->WriteBool(L"Flags", L"On", true);
  ini->WriteBool(L"Flags", L"Off", false);
  EXPECT_EQ(ini->ReadString(L"Flags", L"On", L""), L"1");
  EXPECT_EQ(ini->ReadString(L"Flags", L"Off", L""), L"0");

  struct Case {
    const wchar_t* text;
    bool defaultValue;
    bool expected;
  };
  const Case cases[] = {
      {L"1", false, true}, {L"0", true, false},   {L"2", false, true},
      {L"-1", false, true}, {L"yes", true, true}, {L"yes", false, false},
  };
  for (const Case& c : cases) {
    ini->WriteString(L"Flags", L"Value", c.text);
    EXPECT_EQ(ini->ReadBool(L"Flags", L"Value", c.defaultValue), c.expected) << testing::PrintToString(c.text);
  }
  EXPECT_TRUE(ini->ReadBool(L"Flags", L"Missing", true));
}

TEST_P(EveryStore, BinaryStreamsRoundTripAndRewindToTheirData) {
  const AnsiString bytes("\x00\xFF\x10" "A", 4);
  TMemoryStream source;
  source.WriteBuffer("skip", 4);
  source.WriteBuffer(bytes.data(), 4);
  source.SetPosition(4);  // only the bytes from the position on are stored
  ini->WriteBinaryStream(L"Data", L"Blob", source);

  TMemoryStream target;
  target.WriteBuffer("head", 4);
  EXPECT_EQ(ini->ReadBinaryStream(L"Data", L"Blob", target), 4);
  EXPECT_EQ(target.Position(), 4);
  EXPECT_EQ(AnsiString(static_cast<const char*>(target.Memory()) + 4, 4), bytes);
  EXPECT_EQ(ini->ReadBinaryStream(L"Data", L"Missing", target), 0);
}

TEST_P(EveryStore, EraseSectionAndDeleteKeyRemoveOnlyTheirTarget) {
  ini->WriteString(L"Keep", L"A", L"1");
  ini->WriteString(L"Gone", L"A", L"1");
  ini->WriteString(L"Keep", L"B", L"2");
  ini->EraseSection(L"GONE");
  ini->DeleteKey(L"keep", L"a");
  EXPECT_FALSE(ini->SectionExists(L"Gone"));
  EXPECT_EQ(ini->ReadString(L"Keep", L"A", L"-"), L"-");
  EXPECT_EQ(ini->ReadString(L"Keep", L"B", L"-"), L"2");

  TStringList values;
  ini->ReadSectionValues(L"Keep", values);
  EXPECT_EQ(Lines(values), std::vector<String>{L"B=2"});
}

TEST_P(EveryStore, NonAsciiTextRoundTrips) {
  const String text = L"Gr\u00FC\u00DFe \u65E5\u672C \u0416";
  ini->WriteString(L"Text", L"Caption", text);
  ini->UpdateFile();
  EXPECT_EQ(ini->ReadString(L"Text", L"Caption", L""), text);
  std::unique_ptr<TCustomIniFile> again = GetParam().open(scratch);
  EXPECT_EQ(again->ReadString(L"Text", L"Caption", L""), text);
}

INSTANTIATE_TEST_SUITE_P(IniFiles, EveryStore, testing::ValuesIn(kStores),
                         [](const testing::TestParamInfo<StoreKind>& info) { return std::string(info.param.name); });

class FileStore : public testing::TestWithParam<StoreKind> {
 protected:
  Scratch scratch;
  std::unique_ptr<TCustomIniFile> ini = GetParam().open(scratch);
};

TEST_P(FileStore, SectionsAndKeysKeepFileOrder) {
  ini->WriteString(L"Zeta", L"z", L"1");
  ini->WriteString(L"alpha", L"b", L"2");
  ini->WriteString(L"alpha", L"a", L"3");
  ini->WriteString(L"Mid", L"m", L"4");
  TStringList names;
  ini->ReadSections(names);
  EXPECT_EQ(Lines(names), (std::vector<String>{L"Zeta", L"alpha", L"Mid"}));
  ini->ReadSection(L"ALPHA", names);
  EXPECT_EQ(Lines(names), (std::vector<String>{L"b", L"a"}));
}

INSTANTIATE_TEST_SUITE_P(IniFiles, FileStore, testing::ValuesIn(kStores, kStores + 2),
                         [](const testing::TestParamInfo<StoreKind>& info) { return std::string(info.param.name); });

TEST(IniFile, WritesAreImmediatelyVisibleToASecondInstance) {
  ScratchFolder folder;
  TIniFile writer(folder.File(L"shared.ini"));
  TIniFile reader(folder.File(L"shared.ini"));
  writer.WriteInteger(L"State", L"Count", 3);
  EXPECT_EQ(reader.ReadInteger(L"State", L"Count", 0), 3);
  writer.WriteInteger(L"State", L"Count", 4);
  EXPECT_EQ(reader.ReadInteger(L"State", L"Count", 0), 4);
}

TEST(IniFile, CreatesItsFileAsUtf16WithByteOrderMark) {
  ScratchFolder folder;
  String path = folder.File(L"new.ini");
  TIniFile ini(path);
  ini.WriteString(L"S", L"Name", L"\u00E9t\u00E9");
  ini.UpdateFile();
  AnsiString bytes = ReadFileBytes(path);
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
  // The text after the mark is UTF-16LE: "[S]" starts as '[', 0, 'S', 0.
  EXPECT_NE(bytes.find(AnsiString("\xE9\0t\0\xE9\0", 6)), AnsiString::npos);
}

// A write that fails names the file and the system's reason.
TEST(IniFile, AFailedWriteNamesTheFileAndTheReason) {
  ScratchFolder folder;
  const String path = folder.File(L"a folder.ini");
  ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
  try {
    TIniFile(path).WriteString(L"S", L"K", L"v");
    ADD_FAILURE() << "no error";
  } catch (const EIniFileException& e) {
    const String prefix = L"Unable to write to " + path + L".";
    ASSERT_EQ(e.Message().substr(0, prefix.size()), prefix);
    EXPECT_GT(e.Message().size(), prefix.size() + 1) << "no reason given";
  }
}

TEST(IniFile, ReadsWithoutCreatingTheFile) {
  ScratchFolder folder;
  String path = folder.File(L"absent.ini");
  TIniFile ini(path);
  EXPECT_EQ(ini.ReadString(L"S", L"K", L"d"), L"d");
  ini.EraseSection(L"S");
  EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(MemIniFile, EmptyFileNameHoldsTextInMemoryOnly) {
  TMemIniFile ini(L"");
  TStringList text;
  text.SetText(L"; comment\r\n[First]\r\nA = 1\r\nB=two=2\r\n\r\n[Second]\r\nC=\r\n");
  ini.SetStrings(text);
  EXPECT_EQ(ini.ReadString(L"first", L"a", L""), L"1");
  EXPECT_EQ(ini.ReadString(L"First", L"B", L""), L"two=2");
  EXPECT_TRUE(ini.ValueExists(L"Second", L"C"));
  EXPECT_TRUE(ini.SectionExists(L"Second"));
  ini.UpdateFile();  // nothing to write to

  TStringList out;
  ini.GetStrings(out);
  EXPECT_EQ(Lines(out), (std::vector<String>{L"[First]", L"A=1", L"B=two=2", L"", L"[Second]", L"C="}));
}

TEST(MemIniFile, UpdateFileWritesWhatAFreshStoreAndTheProfileApiRead) {
  ScratchFolder folder;
  String path = folder.File(L"mem.ini");
  {
    TMemIniFile ini(path);
    ini.WriteString(L"Bar0", L"Caption", L"\u00C4rger");
    EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES) << "written before UpdateFile";
    ini.UpdateFile();
  }
  TMemIniFile fresh(path);
  EXPECT_EQ(fresh.ReadString(L"bar0", L"caption", L""), L"\u00C4rger");
  TIniFile profile(path);
  EXPECT_EQ(profile.ReadString(L"Bar0", L"Caption", L""), L"\u00C4rger");
}

TEST(MemIniFile, LoadsUtf8FilesWithOrWithoutByteOrderMark) {
  ScratchFolder folder;
  struct Case {
    AnsiString bytes;
    String expected;
  };
  const Case cases[] = {
      {"[S]\r\nK=caf\xC3\xA9\r\n", L"caf\u00E9"},
      {"\xEF\xBB\xBF[S]\nK=caf\xC3\xA9\n", L"caf\u00E9"},
      {"[S]\r\nK=plain\r\n", L"plain"},
  };
  for (const Case& c : cases) {
    testing_support::WriteFileBytes(folder.File(L"in.ini"), c.bytes);
    TMemIniFile ini(folder.File(L"in.ini"));
    EXPECT_EQ(ini.ReadString(L"S", L"K", L""), c.expected);
  }
}

class RegistryStore : public testing::Test {
 protected:
  ScratchRegistryKey key;
  TRegistryIniFile ini{L"\\" + key.Path() + L"\\"};

  TRegDataType TypeOf(const String& subKey, const String& name) {
    TRegistry registry;
    if (!registry.OpenKeyReadOnly(L"\\" + key.Path() + (subKey.empty() ? L"" : L"\\" + subKey))) return rdUnknown;
    return registry.GetDataType(name);
  }
};

TEST_F(RegistryStore, ValueTypes) {
  ini.WriteInteger(L"Bar0", L"Row", 3);
  ini.WriteBool(L"Bar0", L"Visible", true);
  ini.WriteString(L"Bar0", L"Caption", L"Main");
  TMemoryStream bytes;
  bytes.WriteBuffer("\x05", 1);
  bytes.SetPosition(0);
  ini.WriteBinaryStream(L"Bar0", L"UserDefine", bytes);

  EXPECT_EQ(TypeOf(L"Bar0", L"Row"), rdInteger);
  EXPECT_EQ(TypeOf(L"Bar0", L"Visible"), rdString);
  EXPECT_EQ(TypeOf(L"Bar0", L"Caption"), rdString);
  EXPECT_EQ(TypeOf(L"Bar0", L"UserDefine"), rdBinary);
  EXPECT_TRUE(ini.ReadBool(L"Bar0", L"Visible", false));
  EXPECT_EQ(ini.ReadString(L"Bar0", L"Row", L""), L"3");
  EXPECT_EQ(ini.ReadString(L"Bar0", L"UserDefine", L"none"), L"none");
}

TEST_F(RegistryStore, IntegerStaysAStringWhereAStringValueExists) {
  ini.WriteString(L"", L"Version", L"7");
  ini.WriteInteger(L"", L"Version", 35);
  EXPECT_EQ(TypeOf(L"", L"Version"), rdString);
  EXPECT_EQ(ini.ReadInteger(L"", L"Version", 0), 35);
}

TEST_F(RegistryStore, BackslashSectionsStartAtTheHiveRoot) {
  ScratchRegistryKey other;
  String absolute = L"\\" + other.Path() + L"\\Bar0\\ItemLink0";
  ini.WriteString(absolute, L"ItemName", L"Open");
  ini.WriteString(L"Bar0\\ItemLink0", L"ItemName", L"Save");

  TRegistry registry;
  ASSERT_TRUE(registry.OpenKeyReadOnly(absolute));
  EXPECT_EQ(registry.ReadString(L"ItemName"), L"Open");
  EXPECT_EQ(ini.ReadString(absolute, L"ItemName", L""), L"Open");
  EXPECT_EQ(ini.ReadString(L"Bar0\\ItemLink0", L"ItemName", L""), L"Save");
  EXPECT_EQ(ini.ReadString(L"\\" + key.Path() + L"\\Bar0\\ItemLink0", L"ItemName", L""), L"Save");
}

TEST_F(RegistryStore, EraseSectionDeletesTheKeyTree) {
  ini.WriteString(L"Bar0", L"Caption", L"x");
  ini.WriteString(L"Bar0\\ItemLink0", L"ItemName", L"y");
  ini.WriteString(L"Bar0\\ItemLink0\\Deeper", L"Z", L"z");
  ini.WriteString(L"Bar1", L"Caption", L"kept");
  TStringList sections;
  ini.ReadSections(sections);
  EXPECT_EQ(Lines(sections), (std::vector<String>{L"Bar0", L"Bar1"}));

  ini.EraseSection(L"Bar0");
  EXPECT_FALSE(ini.SectionExists(L"Bar0"));
  EXPECT_FALSE(ini.SectionExists(L"Bar0\\ItemLink0"));
  EXPECT_EQ(ini.ReadString(L"Bar1", L"Caption", L""), L"kept");
}

}  // namespace
