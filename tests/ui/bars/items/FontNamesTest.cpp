#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <stdexcept>

#include "platform/framework/rtl/Printers.h"
#include "platform/framework/rtl/Seams.h"
#include "ui/bars/items/BarFontNames.h"

namespace {

int rawReports = 0;

int CALLBACK CountReport(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM) {
  ++rawReports;
  return 1;
}

struct FirstFlag {
  bool found = false;
  bool trueType = false;
};

int CALLBACK TakeFirstFlag(const LOGFONTW*, const TEXTMETRICW*, DWORD type, LPARAM data) {
  auto* f = reinterpret_cast<FirstFlag*>(data);
  f->found = true;
  f->trueType = (type & TRUETYPE_FONTTYPE) != 0;
  return 0;
}

class FontNames : public ::testing::Test {
 protected:
  void SetUp() override { screen = GetDC(nullptr); }
  void TearDown() override {
    ReleaseDC(nullptr, screen);
    ResetBoundFunctions();
  }
  HDC screen = nullptr;
};

TEST_F(FontNames, EachFaceIsListedOnceWithTheFlagOfItsFirstReport) {
  const auto start = std::chrono::steady_clock::now();
  const std::vector<TdxBarFontFace> faces = EnumerateFontFaces(screen);
  const auto elapsed = std::chrono::steady_clock::now() - start;
  RecordProperty("EnumerateMicroseconds",
                 int(std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count()));
  ASSERT_FALSE(faces.empty());
  std::set<String> names;
  for (const TdxBarFontFace& f : faces) EXPECT_TRUE(names.insert(f.Name).second) << "repeated face";

  // The system reports faces once per character set: more reports than names.
  LOGFONTW all{};
  all.lfCharSet = DEFAULT_CHARSET;
  rawReports = 0;
  EnumFontFamiliesExW(screen, &all, &CountReport, 0, 0);
  EXPECT_GE(rawReports, int(faces.size()));
  RecordProperty("Reports", rawReports);
  RecordProperty("Faces", int(faces.size()));

  for (const TdxBarFontFace& f : faces) {
    LOGFONTW one{};
    one.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(one.lfFaceName, f.Name.c_str(), LF_FACESIZE - 1);
    FirstFlag first;
    EnumFontFamiliesExW(screen, &one, &TakeFirstFlag, reinterpret_cast<LPARAM>(&first), 0);
    if (first.found) {
      EXPECT_EQ(first.trueType, f.TrueType) << "flag of a face";
    }
  }
}

TEST_F(FontNames, NoPrinterOrAFailingPrinterFallsBackToTheScreen) {
  const std::vector<TdxBarFontFace> screenFaces = EnumerateFontFaces(screen);
  static int created = 0;
  created = 0;
  struct Case {
    int (*count)();
    HDC (*create)();
  } cases[] = {
      {[] { return 0; }, []() -> HDC { return ++created, nullptr; }},
      {[] { return 1; }, []() -> HDC { throw std::runtime_error("no spooler"); }},
      {[] { return 1; }, []() -> HDC { return nullptr; }},
  };
  for (const Case& c : cases) {
    BoundPrinters().InstalledPrinterCount = c.count;
    BoundPrinters().CreateDefaultPrinterDC = c.create;
    const std::vector<TdxBarFontFace> faces = InstalledFontFaces();
    ASSERT_EQ(faces.size(), screenFaces.size());
    for (size_t i = 0; i < faces.size(); ++i) EXPECT_EQ(faces[i].Name, screenFaces[i].Name);
  }
  EXPECT_EQ(created, 0);
  // A printer that answers is asked.
  BoundPrinters().InstalledPrinterCount = [] { return 1; };
  BoundPrinters().CreateDefaultPrinterDC = []() -> HDC { return ++created, CreateCompatibleDC(nullptr); };
  EXPECT_FALSE(InstalledFontFaces().empty());
  EXPECT_EQ(created, 1);
}

TEST(FontNameCompletion, TypedTextCompletesToTheFirstEntryWithTheLongestPrefix) {
  const std::vector<String> entries = {L"Arial", L"Arial Black", L"Courier New", L"Tahoma", L"Times New Roman"};
  struct Case {
    const wchar_t* typed;
    const wchar_t* expected;
  } cases[] = {
      {L"ar", L"Arial"},
      {L"ARIAL B", L"Arial Black"},
      {L"arial", L"Arial"},
      {L"ti", L"Times New Roman"},
      {L"tx", L"Tahoma"},  // the first entry sharing the longest prefix
      {L"zzz", L"zzz"},    // nothing starts with it: the text stays
      {L"", L""},
  };
  for (const Case& c : cases) EXPECT_EQ(CompleteFromEntries(entries, c.typed), String(c.expected)) << c.expected;
}

}  // namespace
