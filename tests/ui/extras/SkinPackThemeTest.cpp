// The skin pack's shared routines, the theme-file reader over the generated theme files, and the
// built-in styles and theme component.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/framework/classes/Reflection.h"
#include "platform/framework/rtl/FileUtils.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTestSupport.h"
#include "tools/skinpack/SkinPackArt.h"
#include "ui/extras/skinpack/SkinFileCore.h"
#include "ui/extras/skinpack/SkinFileReader.h"
#include "ui/extras/skinpack/SkinPackRoutines.h"
#include "ui/extras/skinpack/ThemeFiles.h"

namespace {

String ArtFile(const wchar_t* name) { return testing_support::ExecutableFolder() + L"..\\skinpack\\" + name; }

// A scratch file in the temporary folder, deleted afterwards.
class ScratchFile {
 public:
  ScratchFile(const wchar_t* name, const AnsiString& bytes) {
    wchar_t folder[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, folder);
    path_ = IncludeTrailingPathDelimiter(folder) + name;
    testing_support::WriteFileBytes(path_, bytes);
  }
  ~ScratchFile() { DeleteFile(path_); }
  const String& Path() const { return path_; }

 private:
  String path_;
};

// Files of the temporary folder whose names look like a braced GUID.
int GuidNamedTemporaryFiles() {
  wchar_t folder[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH, folder);
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((String(folder) + L"{*}").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return 0;
  int count = 0;
  do ++count;
  while (FindNextFileW(find, &data));
  FindClose(find);
  return count;
}

TColor Grey(int level) { return MakeRGB(Byte(level), Byte(level), Byte(level)); }

}  // namespace

// ---- shared routines -----------------------------------------------------------------------------

TEST(SkinPackRoutines, CutBitmapPartTakesTheLastPartFromTheRightEdge) {
  TBitmap strip(10, 1, pf24bit);
  for (int x = 0; x < 10; ++x) strip.Canvas()->SetPixels(x, 0, Grey(x * 10));
  const int firstColumn[] = {0, 3, 7};
  for (int part = 1; part <= 3; ++part) {
    TBitmap cut;
    CutBitmapPart(&strip, &cut, 3, part);
    ASSERT_EQ(cut.Width(), 3);
    for (int x = 0; x < 3; ++x) EXPECT_EQ(cut.Canvas()->Pixels(x, 0), Grey((firstColumn[part - 1] + x) * 10)) << part;
  }
}

TEST(SkinPackRoutines, GradientLevels) {
  TBitmap bitmap(10, 10, pf24bit);
  DrawVerticalGradient(bitmap.Canvas(), TRect(0, 0, 10, 10), clBlack, clWhite);
  const int rows[] = {0, 0, 25, 51, 76, 102, 127, 153, 178, 255};
  for (int y = 0; y < 10; ++y) EXPECT_EQ(bitmap.Canvas()->Pixels(5, y), Grey(rows[y])) << "row " << y;
  DrawHorizontalGradient(bitmap.Canvas(), TRect(0, 0, 10, 10), clBlack, clWhite);
  const int columns[] = {0, 25, 51, 76, 102, 127, 153, 178, 204, 255};
  for (int x = 0; x < 10; ++x) EXPECT_EQ(bitmap.Canvas()->Pixels(x, 5), Grey(columns[x])) << "column " << x;
}

TEST(SkinPackRoutines, FitTextWithEllipsisFits) {
  TBitmap bitmap(10, 10);
  TCanvas* canvas = bitmap.Canvas();
  const String text = L"A caption far too long for the bar";
  EXPECT_EQ(FitTextWithEllipsis(canvas, text, canvas->TextWidth(text)), text);
  const int max = canvas->TextWidth(text) / 2;
  const String fitted = FitTextWithEllipsis(canvas, text, max);
  ASSERT_GT(fitted.size(), 3u);
  EXPECT_EQ(fitted.substr(fitted.size() - 3), L"...");
  EXPECT_LE(canvas->TextWidth(fitted), max);
  // The longest such prefix: one more character no longer fits.
  const String longer = text.substr(0, fitted.size() - 3 + 1) + L"...";
  EXPECT_GT(canvas->TextWidth(longer), max);
  EXPECT_EQ(FitTextWithEllipsis(canvas, text, 1), L"A...");
}

TEST(SkinPackRoutines, InRectCountsTheFarEdgesInside) {
  const TRect r(10, 20, 30, 40);
  struct Case { int x, y; bool inside; };
  const Case cases[] = {{10, 20, true}, {30, 40, true}, {31, 40, false}, {30, 41, false}, {9, 25, false}};
  for (const Case& c : cases) EXPECT_EQ(InRect(c.x, c.y, r), c.inside) << c.x << "," << c.y;
}

namespace {
// A control that publishes both properties that ApplyThemeToChildren writes.
class TThemedProbe : public TCustomControl {
  DECLARE_CLASS(TThemedProbe, TCustomControl)
 public:
  explicit TThemedProbe(TComponent* AOwner) : TCustomControl(AOwner) {
    static const bool registered = (RegisterProperties(&ClassInfo(), {
        ObjectProperty(L"FileTheme", &TThemedProbe::FileTheme, &TThemedProbe::SetFileTheme),
        OrdinalProperty(L"UIStyle", &TThemedProbe::UIStyle, &TThemedProbe::SetUIStyle)}), true);
    (void)registered;
  }
  TsuiFileTheme* FileTheme() const { return theme_; }
  void SetFileTheme(TsuiFileTheme* Value) { theme_ = Value, ++themeSets; }
  TsuiUIStyle UIStyle() const { return style_; }
  void SetUIStyle(TsuiUIStyle Value) { style_ = Value; }
  int themeSets = 0;

 private:
  TsuiFileTheme* theme_ = nullptr;
  TsuiUIStyle style_ = DeepBlue;
};
DEFINE_CLASS(TThemedProbe)

// Named like a skin-pack component, so a theme reloads it.
class TsuiReloadProbe : public TThemedProbe {
  DECLARE_CLASS(TsuiReloadProbe, TThemedProbe)
 public:
  using TThemedProbe::TThemedProbe;
};
DEFINE_CLASS(TsuiReloadProbe)

class TOnlyStyleProbe : public TCustomControl {
  DECLARE_CLASS(TOnlyStyleProbe, TCustomControl)
 public:
  explicit TOnlyStyleProbe(TComponent* AOwner) : TCustomControl(AOwner) {
    static const bool registered = (RegisterProperties(&ClassInfo(), {
        OrdinalProperty(L"UIStyle", &TOnlyStyleProbe::UIStyle, &TOnlyStyleProbe::SetUIStyle)}), true);
    (void)registered;
  }
  TsuiUIStyle UIStyle() const { return style_; }
  void SetUIStyle(TsuiUIStyle Value) { style_ = Value; }

 private:
  TsuiUIStyle style_ = DeepBlue;
};
DEFINE_CLASS(TOnlyStyleProbe)
}  // namespace

class SkinPackForm : public window_testing::FormFixture {};

TEST_F(SkinPackForm, ApplyThemeToChildrenByPropertyName) {
  auto* both = Place<TThemedProbe>(0, 0, 10, 10);
  auto* styleOnly = Place<TOnlyStyleProbe>(0, 20, 10, 10);
  auto* theme = new TsuiFileTheme(form);
  ApplyThemeToChildren(form, WinXP, theme);
  EXPECT_EQ(both->UIStyle(), WinXP);
  EXPECT_EQ(both->FileTheme(), theme);
  EXPECT_EQ(styleOnly->UIStyle(), DeepBlue);
}

// ---- skin file reader ----------------------------------------------------------------------------

TEST(SkinFileReader, ReadsTheGeneratedTheme) {
  Tsk2SkinFileReader reader(ArtFile(L"TestTheme.sk"), L"");
  ASSERT_TRUE(reader.Loaded());
  EXPECT_EQ(reader.GetInteger(L"SKIN2_TITLEBARCAPTIONTOP"), 7);
  EXPECT_EQ(reader.GetInteger(L"skin2_titlebarcaptiontop"), 7);
  EXPECT_EQ(reader.GetInteger(L"SKIN2_NOSUCHKEY"), -1);
  EXPECT_TRUE(reader.GetBool(L"SKIN2_BUTTONTRANS"));  // stored as 2
  EXPECT_FALSE(reader.GetBool(L"SKIN2_TITLEFIVESECT"));
  EXPECT_FALSE(reader.GetBool(L"SKIN2_NOSUCHKEY"));
  TBitmap* buttons = reader.GetBitmap(L"SKIN2_TITLEBUTTONS");
  ASSERT_NE(buttons, nullptr);
  EXPECT_EQ(buttons->Width(), 18 * 16);
  EXPECT_EQ(reader.GetBitmap(L"SKIN2_NOSUCHKEY"), nullptr);
}

TEST(SkinFileReader, PasswordsAndRefusals) {
  struct Case { const wchar_t* file; const wchar_t* password; bool loaded; };
  const Case cases[] = {
      {L"TestThemeLocked.sk", L"", false},
      {L"TestThemeLocked.sk", L"wrong", false},
      {L"TestThemeLocked.sk", L"generated-theme", true},
  };
  for (const Case& c : cases) {
    Tsk2SkinFileReader reader(ArtFile(c.file), c.password);
    EXPECT_EQ(reader.Loaded(), c.loaded) << c.password;
  }
}

TEST(SkinFileReader, FailuresRaiseAndLeaveNoTemporaryFile) {
  // A chain that loops back on itself, a record outside the member, and a missing archive.
  AnsiString looped = skinpack_art::TestSkinData();
  const std::size_t second = skinpack::kSkinHeaderSize + skinpack::kSkinRecordSize;
  const std::int32_t back = skinpack::kSkinHeaderSize;
  std::memcpy(looped.data() + second + 73, &back, 4);
  AnsiString outside = skinpack_art::TestSkinData();
  const std::int32_t farAway = 1 << 24;
  std::memcpy(outside.data() + second + 65, &farAway, 4);
  ScratchFile loopedFile(L"looped.sk", skinpack_art::ThemeArchive(looped, ""));
  ScratchFile outsideFile(L"outside.sk", skinpack_art::ThemeArchive(outside, ""));
  const int before = GuidNamedTemporaryFiles();
  for (const String& file : {loopedFile.Path(), outsideFile.Path(), String(L"C:\\no\\such\\theme.sk")}) {
    try {
      Tsk2SkinFileReader reader(file, L"");
      ADD_FAILURE() << "no exception for " << file;
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), L"Failed to read skin file!");
    }
  }
  EXPECT_EQ(GuidNamedTemporaryFiles(), before);
}

TEST(SkinFileReader, SizeMismatchIsRefusedQuietly) {
  AnsiString archive = testing_support::ReadFileBytes(ArtFile(L"TestTheme.sk"));
  ASSERT_FALSE(archive.empty());
  const std::size_t directory = archive.size() - 22 - 46 - 12;
  archive[directory + 24] = char(archive[directory + 24] + 1);
  ScratchFile file(L"mismatch.sk", archive);
  const int before = GuidNamedTemporaryFiles();
  Tsk2SkinFileReader reader(file.Path(), L"");
  EXPECT_FALSE(reader.Loaded());
  EXPECT_EQ(GuidNamedTemporaryFiles(), before);
}

// ---- styles and theme files ----------------------------------------------------------------------

TEST(ThemeFiles, UsesFileTheme) {
  TsuiFileTheme ready(nullptr), notReady(nullptr);
  ready.SetThemeFile(ArtFile(L"TestTheme.sk"));
  ASSERT_TRUE(ready.Ready());
  struct Case { TsuiFileTheme* theme; TsuiUIStyle style; bool uses; TsuiUIStyle effective; };
  const Case cases[] = {
      {&ready, FromThemeFile, true, FromThemeFile}, {&notReady, FromThemeFile, false, DeepBlue},
      {nullptr, FromThemeFile, false, DeepBlue},    {&ready, WinXP, false, WinXP},
      {nullptr, MacOS, false, MacOS},
  };
  for (const Case& c : cases) {
    TsuiUIStyle style = c.style;
    EXPECT_EQ(UsesFileTheme(c.theme, style), c.uses);
    EXPECT_EQ(style, c.effective);
  }
}

TEST(ThemeFiles, StyleEntries) {
  EXPECT_EQ(GetStyleInt(FromThemeFile, 7), -1);
  EXPECT_EQ(GetStyleInt(FromThemeFile, 15), -1);
  EXPECT_EQ(GetStyleColor(FromThemeFile, 15), 0);
  EXPECT_EQ(GetStyleColor(WinXP, 15), 0xDEEBEF);
  EXPECT_EQ(GetStyleInt(WinXP, 15), -1);
  EXPECT_EQ(GetStyleInt(BlueGlass, 8), -3);
  EXPECT_EQ(GetStyleInt(BlueGlass, 14), 11);
  EXPECT_TRUE(GetStyleBool(Protein, 6));
  EXPECT_FALSE(GetStyleBool(DeepBlue, 6));
  EXPECT_FALSE(GetStyleBool(Protein, 7));
}

TEST(ThemeFiles, StyleBitmapsHaveTheTablesSizes) {
  struct Case { TsuiUIStyle style; int entry; int width, height; };
  const Case cases[] = {
      {MacOS, 1, 252, 23},    {WinXP, 1, 54, 21},     {DeepBlue, 1, 222, 21},  {Protein, 1, 222, 21},
      {BlueGlass, 1, 231, 27}, {MacOS, 5, 306, 17},   {WinXP, 5, 378, 21},     {DeepBlue, 5, 342, 19},
      {Protein, 5, 342, 19},  {BlueGlass, 5, 342, 19}, {MacOS, 10, 48, 23},    {WinXP, 10, 35, 29},
      {DeepBlue, 10, 97, 32}, {Protein, 10, 441, 23}, {BlueGlass, 10, 162, 33}, {MacOS, 11, 49, 23},
      {WinXP, 11, 37, 29},    {DeepBlue, 11, 98, 32}, {Protein, 11, 1, 23},    {BlueGlass, 11, 179, 33},
      {MacOS, 12, 48, 23},    {WinXP, 12, 35, 29},    {DeepBlue, 12, 97, 32},  {Protein, 12, 1, 23},
      {BlueGlass, 12, 101, 33},
  };
  for (const Case& c : cases) {
    TBitmap bitmap;
    LoadStyleBitmap(c.style, c.entry, &bitmap);
    EXPECT_EQ(bitmap.Width(), c.width) << int(c.style) << "/" << c.entry;
    EXPECT_EQ(bitmap.Height(), c.height) << int(c.style) << "/" << c.entry;
  }
  TBitmap keep(3, 3);
  LoadStyleBitmap(FromThemeFile, 1, &keep);
  LoadStyleBitmap(DeepBlue, 7, &keep);
  EXPECT_EQ(keep.Width(), 3);
  TBitmap part;
  GetStyleBitmapPart(DeepBlue, 5, &part, 18, 18);
  EXPECT_EQ(part.Width(), 19);
  EXPECT_EQ(part.Height(), 19);
}

TEST(ThemeFiles, ThemeFileSearchOrder) {
  // A bare name that exists only in the program's folder.
  const String name = L"SearchOrderTheme.sk";
  const String inProgramFolder = testing_support::ExecutableFolder() + name;
  testing_support::WriteFileBytes(inProgramFolder, testing_support::ReadFileBytes(ArtFile(L"TestTheme.sk")));
  // The current folder is elsewhere, so the name as given is not found.
  const String current = GetCurrentDir();
  wchar_t temporary[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH, temporary);
  SetCurrentDir(temporary);
  TsuiFileTheme theme(nullptr);
  theme.SetThemeFile(name);
  SetCurrentDir(current);
  EXPECT_TRUE(theme.Ready());
  EXPECT_TRUE(SameFileName(theme.ThemeFile(), inProgramFolder));
  EXPECT_EQ(theme.GetInt(SKIN2_TITLEBARCAPTIONTOP), 7);
  DeleteFile(inProgramFolder);
  theme.SetThemeFile(L"NowhereToBeFound.sk");
  EXPECT_TRUE(theme.Ready());
  EXPECT_TRUE(SameFileName(theme.ThemeFile(), inProgramFolder));
}

TEST(ThemeFiles, PasswordRules) {
  TsuiFileTheme theme(nullptr);
  theme.SetThemeFile(ArtFile(L"TestThemeLocked.sk"));
  EXPECT_FALSE(theme.Ready());
  EXPECT_EQ(theme.GetColor(SKIN2_FORMCOLOR), 0);
  theme.SetPassword(L"");
  EXPECT_FALSE(theme.Ready());
  theme.SetPassword(L"generated-theme");
  EXPECT_TRUE(theme.Ready());
  EXPECT_NE(theme.GetColor(SKIN2_FORMCOLOR), 0);
  EXPECT_EQ(theme.GetColor(SKIN2_TRANSCOLOR), 0xFF00FF);
}

TEST_F(SkinPackForm, ThemeReloadsTheFormsSkinPackComponents) {
  auto* theme = new TsuiFileTheme(form);
  auto* reloaded = Place<TsuiReloadProbe>(0, 0, 10, 10);
  auto* other = Place<TThemedProbe>(0, 20, 10, 10);
  reloaded->SetFileTheme(theme);
  other->SetFileTheme(theme);
  const int reloadedBefore = reloaded->themeSets, otherBefore = other->themeSets;
  theme->SetThemeFile(ArtFile(L"TestTheme.sk"));
  EXPECT_EQ(reloaded->themeSets, reloadedBefore + 2);  // none, then the theme again
  EXPECT_EQ(reloaded->FileTheme(), theme);
  EXPECT_EQ(other->themeSets, otherBefore);
}
