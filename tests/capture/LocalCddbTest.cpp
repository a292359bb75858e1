#include <gtest/gtest.h>

#include <initializer_list>

#include "capture/LocalCddb.h"
#include "platform/framework/rtl/FileUtils.h"
#include "platform/framework/rtl/Seams.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/rtl/TextEncoding.h"
#include "tests/support/TestSupport.h"

namespace {

TEntryArray Lines(std::initializer_list<const wchar_t*> lines) {
  TEntryArray entry;
  std::size_t i = 0;
  for (const wchar_t* line : lines) entry[i++] = line;
  return entry;
}

// A complete entry of three tracks.
std::vector<String> CompleteEntry() {
  return {L"# xmcd",
          L"#",
          L"# Track frame offsets:",
          L"#       150",
          L"#       18352",
          L"#  36005",
          L"#",
          L"# Disc length: 2745 seconds",
          L"#",
          L"# Revision: 3",
          L"# Submitted via: something 1.0",
          L"#",
          L"DISCID=270ab603",
          L"DTITLE=Some Artist / Some Title",
          L"DYEAR=1999",
          L"DGENRE=Rock",
          L"TTITLE0=First",
          L"TTITLE1=Second",
          L"TTITLE2=Third",
          L"EXTD=",
          L"EXTT0=",
          L"EXTT1=",
          L"EXTT2=",
          L"PLAYORDER="};
}

TEntryArray ToEntry(const std::vector<String>& lines) {
  TEntryArray entry;
  for (std::size_t i = 0; i < lines.size(); ++i) entry[i] = lines[i];
  return entry;
}

TEST(LocalCddbTest, ParsesACompleteEntry) {
  TLocalCDDB local;
  TCDInfo info;
  info.Category = L"rock";
  info.Artist = L"stale";
  ASSERT_EQ(local.ParseEntry(info, ToEntry(CompleteEntry())), 0);
  EXPECT_EQ(info.Category, L"rock");
  EXPECT_EQ(info.DiscId, L"270ab603");
  EXPECT_EQ(info.Artist, L"Some Artist");
  EXPECT_EQ(info.Title, L"Some Title");
  EXPECT_EQ(info.Year, L"1999");
  EXPECT_EQ(info.Genre, L"Rock");
  EXPECT_EQ(info.Revision, 3);
  EXPECT_EQ(info.TrackTitles[0], L"First");
  EXPECT_EQ(info.TrackTitles[2], L"Third");
  ASSERT_EQ(info.Toc.TrackCount, 3);
  // 18352 frames: 4 minutes, 4 seconds, 52 frames.
  EXPECT_EQ(info.Toc.Tracks[1].Minute, 4);
  EXPECT_EQ(info.Toc.Tracks[1].Second, 4);
  EXPECT_EQ(info.Toc.Tracks[1].Frame, 52);
  EXPECT_EQ(info.Toc.Tracks[1].IsAudio, -1);
  EXPECT_EQ(info.Toc.Tracks[2].Minute, 8);
  // 2745 seconds followed by a word.
  EXPECT_EQ(info.Toc.LeadOut.Minute, 45);
  EXPECT_EQ(info.Toc.LeadOut.Second, 45);
  EXPECT_EQ(info.Toc.LeadOut.Frame, 0);
}

TEST(LocalCddbTest, EachRequiredMarkMissingMakesTheEntryCorrupt) {
  const struct {
    const wchar_t* Prefix;
    bool Required;
  } marks[] = {{L"# xmcd", true},        {L"# Track frame offsets:", true}, {L"# Disc length:", true},
               {L"# Revision:", true},   {L"DISCID=", true},                {L"DTITLE=", true},
               {L"TTITLE", true},        {L"EXTD=", true},                  {L"EXTT", true},
               {L"PLAYORDER=", true},    {L"DYEAR=", false},                {L"DGENRE=", false}};
  for (const auto& mark : marks) {
    std::vector<String> lines;
    for (const String& line : CompleteEntry())
      if (line.compare(0, wcslen(mark.Prefix), mark.Prefix) != 0) lines.push_back(line);
    TLocalCDDB local;
    TCDInfo info;
    EXPECT_EQ(local.ParseEntry(info, ToEntry(lines)), mark.Required ? -4 : 0) << String(mark.Prefix).c_str();
  }
}

TEST(LocalCddbTest, ANumberThatDoesNotConvertMakesTheEntryCorrupt) {
  for (const wchar_t* bad : {L"#       15x0", L"# Revision: three"}) {
    std::vector<String> lines = CompleteEntry();
    lines.insert(lines.begin() + 4, bad);
    if (String(bad).find(L"Revision") != String::npos) lines.erase(lines.begin() + 10);
    TLocalCDDB local;
    TCDInfo info;
    EXPECT_EQ(local.ParseEntry(info, ToEntry(lines)), -4);
  }
}

TEST(LocalCddbTest, TrackTitleIndexes) {
  TLocalCDDB local;
  TCDInfo info;
  local.ParseEntry(info, Lines({L"TTITLE12=Twelve", L"TTITLE7=Seven", L"TTITLE123=Too many", L"TTITLE0=A",
                                L"TTITLE0=B", L"EXTT3=x\\ty", L"EXTT12=z"}));
  EXPECT_EQ(info.TrackTitles[12], L"Twelve");
  EXPECT_EQ(info.TrackTitles[7], L"Seven");
  EXPECT_EQ(info.TrackTitles[0], L"AB");  // the three-digit line stores nothing
  EXPECT_EQ(info.TrackTitles[1], L"");
  EXPECT_EQ(info.TrackExtendedData[3], L"x\ty");
  EXPECT_EQ(info.TrackExtendedData[12], L"z");
}

TEST(LocalCddbTest, ATitleOverTwoLinesIsJoined) {
  TLocalCDDB local;
  TCDInfo info;
  local.ParseEntry(info, Lines({L"DTITLE=The Artist / The Beginning of a ", L"DTITLE=Long Title"}));
  EXPECT_EQ(info.Artist, L"The Artist");
  EXPECT_EQ(info.Title, L"The Beginning of a Long Title");
  local.ParseEntry(info, Lines({L"DTITLE=An Artist With A Long Na", L"DTITLE=me / Title"}));
  EXPECT_EQ(info.Artist, L"An Artist With A Long Name");
  EXPECT_EQ(info.Title, L"Title");
}

TEST(LocalCddbTest, Unescaping) {
  const struct {
    const wchar_t* In;
    const wchar_t* Out;
  } cases[] = {{L"a\\nb", L"a\r\nb"}, {L"a\\tb", L"a\tb"}, {L"a\\\\nb", L"a\\nb"}, {L"a\\xb", L"a\\xb"}, {L"end\\", L"end\\"}};
  for (const auto& c : cases) EXPECT_EQ(XmcdUnescape(c.In), c.Out) << c.In;
}

TEST(LocalCddbTest, AnEntryWithMoreThan100OffsetsKeepsTheFirst100) {
  std::vector<String> lines = {L"# Track frame offsets:"};
  for (int i = 0; i < 120; ++i) lines.push_back(L"# " + IntToStr(150 + i * 100));
  TLocalCDDB local;
  TCDInfo info;
  local.ParseEntry(info, ToEntry(lines));
  EXPECT_EQ(info.Toc.TrackCount, 100);
  EXPECT_EQ(info.Toc.Tracks[99].Frame, (150 + 99 * 100) % 75);
}

TEST(LocalCddbTest, CategoriesFromCatIdx) {
  testing_support::ScratchFolder folder;
  AnsiString text;
  for (int i = 0; i < 30; ++i) text += "category" + std::to_string(i) + (i == 2 ? std::string(50, 'x') : "") + "\r\n";
  testing_support::WriteFileBytes(folder.File(L"Cat.idx"), text);
  TLocalCDDB local;
  local.SetPath(ExcludeTrailingPathDelimiter(folder.Path()));
  EXPECT_EQ(local.Path(), folder.Path());
  EXPECT_TRUE(local.CategoriesRead());
  EXPECT_EQ(local.Category(0), L"category0");
  EXPECT_EQ(local.Category(2).size(), 40u);
  EXPECT_EQ(local.Category(25), L"category25");
  EXPECT_FALSE(FileExists(folder.File(L"index.log")));
}

TEST(LocalCddbTest, AMissingCatIdxIsLoggedUnlessTheFolderIsCurrent) {
  testing_support::ScratchFolder folder;
  TLocalCDDB local;
  local.SetPath(folder.Path());
  local.SetPath(folder.Path());
  EXPECT_FALSE(local.CategoriesRead());
  const String line = L"Error => Cannot find the file " + folder.Path() + L"Cat.idx";
  EXPECT_EQ(testing_support::ReadFileBytes(folder.File(L"index.log")), StringToAnsi(line + line));

  const String current = GetCurrentDir();
  ASSERT_TRUE(SetCurrentDir(folder.Path()));
  DeleteFile(folder.File(L"index.log"));
  TLocalCDDB inCurrent;
  inCurrent.SetPath(folder.Path());
  SetCurrentDir(current);
  EXPECT_FALSE(FileExists(folder.File(L"index.log")));
}

TEST(LocalCddbTest, ALogThatCannotBeCreatedIsReportedInABox) {
  testing_support::ScratchFolder folder;
  std::vector<std::pair<String, String>> boxes;
  TMessageBoxAnswerer previous = SetMessageBoxAnswerer([&](HWND, const String& text, const String& caption, UINT) {
    boxes.emplace_back(text, caption);
    return IDOK;
  });
  TLocalCDDB local;
  local.SetPath(folder.File(L"missing\\folder"));
  SetMessageBoxAnswerer(previous);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].first, L"Couldn't create log file!\nError message was: '" + SysErrorMessage(ERROR_PATH_NOT_FOUND) + L"'");
  EXPECT_EQ(boxes[0].second, L"Error");
}

}  // namespace
