// The recent-files list and pane, and their file.

#include <gtest/gtest.h>

#include "app/RecentFiles.h"
#include "tests/support/TestSupport.h"

using testing_support::ReadFileBytes;
using testing_support::ScratchFolder;
using testing_support::WriteFileBytes;

namespace {

class RecentFilesTest : public testing::Test {
 protected:
  String Audio(const wchar_t* name) {
    const String path = folder.File(name);
    WriteFileBytes(path, "RIFF");
    return path;
  }
  String ListFile() const { return folder.File(L"MRUList.dat"); }

  ScratchFolder folder;
};

using Paths = std::vector<String>;

TEST_F(RecentFilesTest, AFileUsedTwiceIsListedOnceAtTheTopOfBoth) {
  const String a = Audio(L"a.wav"), b = Audio(L"b.wav");
  TRecentFiles recent(ListFile());
  recent.FileUsed(a);
  recent.FileUsed(b);
  recent.FileUsed(a);
  EXPECT_EQ(recent.Items(), (Paths{a, b}));
  EXPECT_EQ(recent.PaneItems(), (Paths{a, b}));
}

TEST_F(RecentFilesTest, SixFilesLeaveFiveInTheListAndSixInThePane) {
  TRecentFiles recent(ListFile());
  Paths used;
  for (const wchar_t* name : {L"1.wav", L"2.wav", L"3.wav", L"4.wav", L"5.wav", L"6.wav"}) {
    used.insert(used.begin(), Audio(name));
    recent.FileUsed(used.front());
  }
  EXPECT_EQ(recent.Items(), Paths(used.begin(), used.begin() + 5));
  EXPECT_EQ(recent.PaneItems(), used);
}

TEST_F(RecentFilesTest, CaseVariantsAreOneListEntryButTwoPaneItems) {
  const String lower = Audio(L"song.wav");
  String upper = lower;
  upper.replace(upper.size() - 8, 8, L"SONG.WAV");
  TRecentFiles recent(ListFile());
  recent.FileUsed(lower);
  recent.FileUsed(upper);
  EXPECT_EQ(recent.Items(), (Paths{upper}));
  EXPECT_EQ(recent.PaneItems(), (Paths{upper, lower}));
}

TEST_F(RecentFilesTest, EveryChangeIsWrittenAsUtf8WithBomAndCrLf) {
  const String a = Audio(L"\u00e9t\u00e9.wav");
  TRecentFiles recent(ListFile());
  recent.FileUsed(a);
  const AnsiString bytes = ReadFileBytes(ListFile());
  ASSERT_GE(bytes.size(), 3u);
  EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_NE(bytes.find("\xC3\xA9t\xC3\xA9.wav\r\n"), AnsiString::npos);

  recent.RemoveItem(a);
  EXPECT_EQ(ReadFileBytes(ListFile()), "\xEF\xBB\xBF");
}

TEST_F(RecentFilesTest, LoadingKeepsEveryLineAndThePaneOnlyExistingFiles) {
  const String a = Audio(L"a.wav"), c = Audio(L"c.wav");
  const String gone = folder.File(L"gone.wav");
  AnsiString text;
  Paths lines;
  for (const String& path : {a, gone, c, a, gone, c, a}) lines.push_back(path);
  for (const String& line : lines) text += AnsiString(line.begin(), line.end()) + "\r\n";
  WriteFileBytes(ListFile(), text);  // no byte-order mark: an older file

  TRecentFiles recent(ListFile());
  recent.Load();
  EXPECT_EQ(recent.Items(), lines);
  EXPECT_EQ(recent.PaneItems(), (Paths{a, c}));
}

TEST_F(RecentFilesTest, AMissingFileLeavesBothListsEmpty) {
  TRecentFiles recent(ListFile());
  recent.Load();
  EXPECT_TRUE(recent.Items().empty());
  EXPECT_TRUE(recent.PaneItems().empty());
}

TEST_F(RecentFilesTest, AFileThatNoLongerExistsGoesToTheListOnly) {
  TRecentFiles recent(ListFile());
  recent.FileUsed(folder.File(L"never.wav"));
  EXPECT_EQ(recent.Items().size(), 1u);
  EXPECT_TRUE(recent.PaneItems().empty());
}

TEST_F(RecentFilesTest, ClearEmptiesBothAndWritesTheEmptyList) {
  TRecentFiles recent(ListFile());
  recent.FileUsed(Audio(L"a.wav"));
  recent.Clear();
  EXPECT_TRUE(recent.Items().empty());
  EXPECT_TRUE(recent.PaneItems().empty());
  EXPECT_EQ(ReadFileBytes(ListFile()), "\xEF\xBB\xBF");
}

}  // namespace
