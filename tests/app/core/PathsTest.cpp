// Paths, file names, time texts, the drive choice and the plain text helpers.

#include <gtest/gtest.h>

#include "app/core/Paths.h"
#include "app/core/SystemQueries.h"
#include "app/core/TextRoutines.h"
#include "app/core/TimeText.h"
#include "platform/framework/classes/Registry.h"
#include "tests/support/TestSupport.h"

namespace {

using testing_support::ScratchFolder;
using testing_support::ScratchRegistryKey;

struct TextCase {
  const wchar_t* Input;
  const wchar_t* Expected;
};

TEST(Paths, AddTrailingBackslash) {
  const TextCase cases[] = {{L"", L""}, {L"C:\\music", L"C:\\music\\"}, {L"C:\\music\\", L"C:\\music\\"},
                            {L"C:", L"C:\\"}};
  for (const auto& c : cases) EXPECT_EQ(AddTrailingBackslash(c.Input), c.Expected) << c.Input;
}

TEST(Paths, RemoveExtensionCutsOnlyTheFileNamesExtension) {
  const TextCase cases[] = {{L"C:\\music\\song.mp3", L"C:\\music\\song"},
                            {L"C:\\a.b\\song", L"C:\\a.b\\song"},
                            {L"C:\\a.b\\song.tar.gz", L"C:\\a.b\\song.tar"},
                            {L"song", L"song"}};
  for (const auto& c : cases) EXPECT_EQ(RemoveExtension(c.Input), c.Expected) << c.Input;
}

TEST(Paths, ReplaceInvalidFileNameChars) {
  EXPECT_EQ(ReplaceInvalidFileNameChars(L"a\\b/c:d*e?f\"g<h>i|j k", L"_"), L"a_b_c_d_e_f_g_h_i_j k");
  EXPECT_EQ(ReplaceInvalidFileNameChars(L"AC/DC", L""), L"ACDC");
}

TEST(Paths, MakeUniqueFileNameTakesTheFirstFreeNumber) {
  ScratchFolder folder;
  EXPECT_EQ(MakeUniqueFileName(L"take.wav", folder.Path()), folder.File(L"take.wav"));
  testing_support::WriteFileBytes(folder.File(L"take.wav"), "x");
  testing_support::WriteFileBytes(folder.File(L"take(1).wav"), "x");
  // The folder may come without its backslash.
  String folderWithout = folder.Path();
  folderWithout.pop_back();
  EXPECT_EQ(MakeUniqueFileName(L"take.wav", folderWithout), folder.File(L"take(2).wav"));
}

TEST(Paths, MakeUniqueFileNameRaisesWhenEveryNumberIsTaken) {
  int probes = 0;
  auto everythingExists = [&](const String&) {
    ++probes;
    return true;
  };
  try {
    MakeUniqueFileName(L"take.wav", L"D:\\full", everythingExists);
    FAIL() << "no error";
  } catch (const EUniqueFileNameError& e) {
    EXPECT_NE(e.Message().find(L"D:\\full"), String::npos);
  }
  EXPECT_EQ(probes, 1 + 32768);  // the plain name and every numbered one were tested
}

TEST(Paths, SupportedAudioExtensions) {
  struct Case {
    const wchar_t* Extension;
    bool Supported;
  } cases[] = {{L".WAV", true}, {L".wav", true}, {L".Mpga", true}, {L".g726", true}, {L".aifc", true},
               {L".wave", false}, {L"wav", false}, {L".txt", false}, {L"", false}};
  for (const auto& c : cases) EXPECT_EQ(IsSupportedAudioFile(c.Extension), c.Supported) << c.Extension;
}

TEST(Paths, ShellFolderPathFallsBackToTheSystemThenToDriveC) {
  ScratchRegistryKey key;
  {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(L"\\" + key.Path(), true));
    registry.WriteString(L"My Music", L"E:\\Tunes");
    registry.WriteString(L"Empty", L"");
  }
  EXPECT_EQ(ShellFolderPathUnder(key.Path(), L"My Music"), L"E:\\Tunes");
  const String appData = ShellFolderPathUnder(key.Path(), L"AppData");
  EXPECT_FALSE(appData.empty());
  EXPECT_NE(appData, L"C:\\");  // the system knows the folder even though the value is missing
  EXPECT_EQ(ShellFolderPathUnder(key.Path(), L"Empty"), L"C:\\");
  EXPECT_EQ(ShellFolderPathUnder(key.Path(), L"No Such Folder"), L"C:\\");
}

TEST(TimeText, FormatsHoursMinutesSecondsAndMilliseconds) {
  struct Case {
    int Milliseconds;
    const wchar_t* Text;
  } cases[] = {{TimeToMilliseconds(1, 2, 3, 4), L"1:02:03.004"},
               {0, L"0:00:00.000"},
               {TimeToMilliseconds(10, 0, 0, 0), L"10:00:00.000"},
               {59999, L"0:00:59.999"},
               {TimeToMilliseconds(0, 59, 59, 999), L"0:59:59.999"},
               {TimeToMilliseconds(123, 45, 6, 7), L"123:45:06.007"}};
  for (const auto& c : cases) EXPECT_EQ(FormatTimeText(c.Milliseconds), c.Text) << c.Milliseconds;
}

TEST(TimeText, MillisecondsSplitByTruncation) {
  const TTimeParts parts = MillisecondsToTime(TimeToMilliseconds(2, 59, 58, 999));
  EXPECT_EQ(parts.Hours, 2);
  EXPECT_EQ(parts.Minutes, 59);
  EXPECT_EQ(parts.Seconds, 58);
  EXPECT_EQ(parts.Milliseconds, 999);
  EXPECT_EQ(TimeToMilliseconds(596, 31, 23, 647), 2147483647);
}

// The sum for typed times: parts of any size, never wrapping.
TEST(TimeText, SaturatedSumStopsAtTheLargestTime) {
  EXPECT_EQ(SaturatedTimeToMilliseconds(1, 2, 3, 4), 3723004);
  EXPECT_EQ(SaturatedTimeToMilliseconds(596, 31, 23, 647), 2147483647);
  EXPECT_EQ(SaturatedTimeToMilliseconds(596, 31, 23, 648), 2147483647);
  EXPECT_EQ(SaturatedTimeToMilliseconds(0, 0, INT64_MAX, INT64_MAX), 2147483647);
  EXPECT_EQ(SaturatedTimeToMilliseconds(-1, 0, 75, 0), 75000);
}

TEST(Drives, FixedDriveWithMostFreeSpaceFirstLetterWinsTies) {
  struct Case {
    const char* Name;
    std::vector<TDriveSpace> Drives;
    wchar_t Expected;
  } cases[] = {
      {"tie", {{L'C', DRIVE_FIXED, 20}, {L'D', DRIVE_FIXED, 20}}, L'C'},
      {"largest", {{L'C', DRIVE_FIXED, 5}, {L'D', DRIVE_FIXED, 50}, {L'E', DRIVE_FIXED, 7}}, L'D'},
      {"non-fixed ignored", {{L'C', DRIVE_FIXED, 5}, {L'E', DRIVE_CDROM, 900}, {L'F', DRIVE_REMOTE, 800}}, L'C'},
      {"unknown space loses", {{L'C', DRIVE_FIXED, -1}, {L'D', DRIVE_FIXED, 0}}, L'D'},
      {"no fixed drive", {{L'E', DRIVE_CDROM, 1}}, L'W'},
      {"no drive", {}, L'W'},
  };
  for (const auto& c : cases) EXPECT_EQ(ChooseDriveWithMostFreeSpace(c.Drives, L'W'), c.Expected) << c.Name;
  const wchar_t chosen = DriveWithMostFreeSpace();
  EXPECT_TRUE(chosen >= L'A' && chosen <= L'Z');
}

TEST(TextRoutines, SplitStringAndFirstBlank) {
  struct Case {
    const wchar_t* Text;
    std::vector<String> Pieces;
  } cases[] = {{L"a,b,,c", {L"a", L"b", L"", L"c"}}, {L"", {L""}}, {L"a,", {L"a", L""}}, {L"abc", {L"abc"}}};
  for (const auto& c : cases) {
    auto pieces = SplitString(c.Text, L',');
    std::vector<String> actual;
    for (int i = 0; i < pieces->Count(); ++i) actual.push_back(pieces->Strings(i));
    EXPECT_EQ(actual, c.Pieces) << c.Text;
  }
  EXPECT_EQ(FirstBlankPosition(L"Ctrl+A Amplify"), 7);
  EXPECT_EQ(FirstBlankPosition(L"abc"), 3);
  EXPECT_EQ(FirstBlankPosition(L""), 0);
}

}  // namespace
