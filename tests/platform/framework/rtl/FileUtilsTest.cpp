#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

#include "platform/framework/rtl/DateUtils.h"
#include "platform/framework/base/Exceptions.h"
#include "platform/framework/rtl/FileUtils.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/rtl/TextEncoding.h"
#include "tests/support/TestSupport.h"

namespace {

using testing_support::ScratchFolder;
using testing_support::WriteFileBytes;

TEST(FileUtils, PathParts) {
  struct Case {
    const wchar_t* name;
    const wchar_t* drive;
    const wchar_t* path;
    const wchar_t* dir;
    const wchar_t* file;
    const wchar_t* ext;
  };
  const Case cases[] = {
      {L"C:\\dir\\file.txt", L"C:", L"C:\\dir\\", L"C:\\dir", L"file.txt", L".txt"},
      {L"C:\\file", L"C:", L"C:\\", L"C:\\", L"file", L""},
      {L"C:name.wav", L"C:", L"C:", L"C:", L"name.wav", L".wav"},
      {L"\\\\server\\share\\a\\b.c.d", L"\\\\server\\share", L"\\\\server\\share\\a\\", L"\\\\server\\share\\a", L"b.c.d", L".d"},
      {L"dir.d\\name", L"", L"dir.d\\", L"dir.d", L"name", L""},
      {L"rel/x.", L"", L"rel/", L"rel", L"x.", L"."},
      {L"plain", L"", L"", L"", L"plain", L""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExtractFileDrive(c.name), c.drive) << c.name;
    EXPECT_EQ(ExtractFilePath(c.name), c.path) << c.name;
    EXPECT_EQ(ExtractFileDir(c.name), c.dir) << c.name;
    EXPECT_EQ(ExtractFileName(c.name), c.file) << c.name;
    EXPECT_EQ(ExtractFileExt(c.name), c.ext) << c.name;
  }
  EXPECT_EQ(ChangeFileExt(L"C:\\a.b\\song.mp3", L".wav"), L"C:\\a.b\\song.wav");
  EXPECT_EQ(ChangeFileExt(L"C:\\a.b\\song", L".wav"), L"C:\\a.b\\song.wav");
  EXPECT_EQ(ChangeFileExt(L"song.tar.gz", L""), L"song.tar");
  EXPECT_EQ(IncludeTrailingPathDelimiter(L"C:\\x"), L"C:\\x\\");
  EXPECT_EQ(IncludeTrailingPathDelimiter(L"C:\\x\\"), L"C:\\x\\");
  EXPECT_EQ(ExcludeTrailingPathDelimiter(L"C:\\x\\"), L"C:\\x");
  EXPECT_TRUE(SameFileName(L"C:\\A.WAV", L"c:\\a.wav"));
}

TEST(FileUtils, FoldersAndFiles) {
  ScratchFolder folder;
  const String deep = folder.File(L"one\\two\\three");
  EXPECT_TRUE(ForceDirectories(deep));
  EXPECT_TRUE(DirectoryExists(deep));
  EXPECT_FALSE(FileExists(deep));

  const String file = deep + L"\\f.txt";
  WriteFileBytes(file, "data");
  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(DirectoryExists(file));
  EXPECT_FALSE(ForceDirectories(file + L"\\below"));  // a file stands in the way

  WriteFileBytes(deep + L"\\g.txt", "other");
  EXPECT_FALSE(RenameFile(file, deep + L"\\g.txt"));
  EXPECT_TRUE(RenameFile(file, deep + L"\\h.txt"));
  EXPECT_FALSE(FileExists(file));
  EXPECT_FALSE(RemoveDir(deep));  // not empty
  EXPECT_TRUE(DeleteFile(deep + L"\\g.txt"));
  EXPECT_TRUE(DeleteFile(deep + L"\\h.txt"));
  EXPECT_FALSE(DeleteFile(deep + L"\\h.txt"));
  EXPECT_TRUE(RemoveDir(deep));
  EXPECT_FALSE(DirectoryExists(deep));
}

TEST(FileUtils, ExpandFileNameIsRelativeToTheCurrentFolder) {
  ScratchFolder folder;
  const String saved = GetCurrentDir();
  ASSERT_TRUE(SetCurrentDir(folder.Path()));
  EXPECT_TRUE(SameFileName(ExpandFileName(L"sub\\..\\x.wav"), folder.File(L"x.wav")));
  EXPECT_TRUE(SameFileName(IncludeTrailingPathDelimiter(GetCurrentDir()), folder.Path()));
  SetCurrentDir(saved);
}

TEST(FileUtils, FindFirstHonoursTheAttributeFilter) {
  ScratchFolder folder;
  WriteFileBytes(folder.File(L"a.txt"), "12345");
  WriteFileBytes(folder.File(L"b.txt"), "");
  WriteFileBytes(folder.File(L"c.dat"), "");
  CreateDir(folder.File(L"sub.txt"));

  const auto names = [&](const String& pattern, int attr) {
    std::set<String> found;
    TSearchRec rec;
    for (int result = FindFirst(folder.File(pattern), attr, rec); result == 0; result = FindNext(rec)) {
      found.insert(rec.Name);
      if (rec.Name == L"a.txt") {
        EXPECT_EQ(rec.Size, 5);
        EXPECT_NEAR(rec.TimeStamp, Now(), 1.0 / 24);
        EXPECT_FALSE(rec.Attr & faDirectory);
      }
    }
    FindClose(rec);
    return found;
  };
  EXPECT_EQ(names(L"*.txt", 0), (std::set<String>{L"a.txt", L"b.txt"}));
  EXPECT_EQ(names(L"*.txt", faDirectory), (std::set<String>{L"a.txt", L"b.txt", L"sub.txt"}));
  EXPECT_EQ(names(L"*", faAnyFile).count(L"c.dat"), 1u);

  TSearchRec rec;
  EXPECT_NE(FindFirst(folder.File(L"*.none"), faAnyFile, rec), 0);
  FindClose(rec);
}

TEST(FileUtils, ParamStrZeroIsTheProgram) {
  EXPECT_TRUE(SameFileName(ExtractFileExt(ParamStr(0)), L".exe"));
  EXPECT_TRUE(FileExists(ParamStr(0)));
  EXPECT_EQ(ParamStr(ParamCount() + 1), L"");
  EXPECT_EQ(ParamStr(-1), L"");
}

std::vector<String> ReadAllLines(const String& path) {
  TTextFileReader reader;
  reader.Open(path);
  std::vector<String> lines;
  while (!reader.Eof()) lines.push_back(reader.ReadLn());
  return lines;
}

TEST(TTextFileReader, ReadsLinesInEveryEncoding) {
  ScratchFolder folder;
  const String path = folder.File(L"entry.txt");
  const std::vector<String> expected = {L"# xmcd", L"DTITLE=Caf\u00e9 / \u65e5", L"", L"end"};
  struct Case {
    const char* what;
    AnsiString bytes;
  };
  const Case cases[] = {
      {"UTF-8 with BOM", "\xEF\xBB\xBF# xmcd\r\nDTITLE=Caf\xC3\xA9 / \xE6\x97\xA5\n\rend"},
      {"UTF-8", "# xmcd\nDTITLE=Caf\xC3\xA9 / \xE6\x97\xA5\r\n\r\nend\r\n"},
      {"UTF-16LE", EncodeText(L"# xmcd\r\nDTITLE=Caf\u00e9 / \u65e5\r\n\r\nend", TTextEncoding::Utf16LE)},
      {"UTF-16BE", EncodeText(L"# xmcd\nDTITLE=Caf\u00e9 / \u65e5\n\nend\n", TTextEncoding::Utf16BE)},
  };
  for (const Case& c : cases) {
    WriteFileBytes(path, c.bytes);
    EXPECT_EQ(ReadAllLines(path), expected) << c.what;
  }
  WriteFileBytes(path, "caf\xE9\r\nok");
  EXPECT_EQ(ReadAllLines(path), (std::vector<String>{AnsiToString("caf\xE9"), L"ok"}));
}

TEST(TTextFileReader, LineBreakAcrossReadChunks) {
  ScratchFolder folder;
  const String path = folder.File(L"long.txt");
  // The reader fills 64 KiB at a time: put CR at the end of the first fill and LF at the start
  // of the second.
  const AnsiString first(65535, 'x');
  WriteFileBytes(path, first + "\r\nsecond");
  const std::vector<String> lines = ReadAllLines(path);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].size(), first.size());
  EXPECT_EQ(lines[1], L"second");
}

TEST(TTextFileReader, MissingFile) {
  ScratchFolder folder;
  TTextFileReader reader;
  EXPECT_FALSE(reader.TryOpen(folder.File(L"none.idx")));
  EXPECT_EQ(reader.LastError(), static_cast<unsigned long>(ERROR_FILE_NOT_FOUND));
  EXPECT_TRUE(reader.Eof());
  try {
    reader.Open(folder.File(L"none.idx"));
    FAIL();
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.ErrorCode, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(e.Message(), SysErrorMessage(ERROR_FILE_NOT_FOUND));
  }
}

}  // namespace
