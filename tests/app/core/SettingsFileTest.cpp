// The settings file: first-run contents and order, number parsing, the 8-bit fields, the
// round trip of every key, and the one report of a failed save.

#include <gtest/gtest.h>

#include <variant>
#include <vector>

#include "app/core/Paths.h"
#include "app/core/SettingsFile.h"
#include "app/core/SystemQueries.h"
#include "app/core/WriteFailures.h"
#include "platform/framework/rtl/FileUtils.h"
#include "platform/framework/classes/IniFiles.h"
#include "platform/framework/rtl/Seams.h"
#include "platform/framework/classes/Strings.h"
#include "platform/framework/rtl/TextEncoding.h"
#include "tests/support/TestSupport.h"

namespace {

using testing_support::ScratchFolder;

struct KeyValue {
  String Key;
  String Value;
  bool operator==(const KeyValue&) const = default;
};

// The "key=value" lines of one section, in file order.
std::vector<KeyValue> SectionLines(const String& fileName, const String& section) {
  const AnsiString bytes = testing_support::ReadFileBytes(fileName);
  const String text = DecodeText(bytes.data(), bytes.size());
  std::vector<KeyValue> lines;
  bool inside = false;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(L'\n', start);
    if (end == String::npos) end = text.size();
    String line = text.substr(start, end - start);
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    start = end + 1;
    if (!line.empty() && line.front() == L'[') {
      inside = _wcsicmp(line.c_str(), (L"[" + section + L"]").c_str()) == 0;
      continue;
    }
    const size_t equals = line.find(L'=');
    if (inside && equals != String::npos) lines.push_back({line.substr(0, equals), line.substr(equals + 1)});
  }
  return lines;
}

TGlobalVars DefaultsWithFolders() {
  TGlobalVars vars;
  AssignDefaultValues(vars);
  vars.LastOpenDir = L"M:\\Music";
  vars.ExportFolder = L"M:\\Export";
  vars.BatchFileSaveFolderpath = L"M:\\Batch";
  vars.OP_WorkingFolder = L"D:\\Data\\";
  return vars;
}

// Every key of section "SYSTEM" as a first start writes it.
const std::vector<KeyValue> kFirstRunFile = {
    {L"LastOpenDir", L"M:\\Music"}, {L"ShowStartDialog", L"1"}, {L"ShowBottomBar", L"1"},
    {L"ShowStatusBar", L"0"}, {L"TopTranportBar", L"0"}, {L"TopZoomBar", L"1"}, {L"BarQuickShowIndex", L"1"},
    {L"AccuEnabled", L"0"}, {L"AccuAttackTime", L"100"}, {L"AccuReleaseTime", L"300"},
    {L"AccuAttackLevel", L"-45"}, {L"AccuReleaseLevel", L"-45"}, {L"OP_PromptNewFile", L"1"},
    {L"OP_DefSample", L"44100"}, {L"OP_DefChannel", L"2"}, {L"OP_AddToExplorer", L"1"},
    {L"OP_UseDefFolder", L"1"}, {L"OP_WorkingFolder", L"D:\\Data\\"}, {L"OP_PlayAfterOpened", L"0"},
    {L"OP_PlayAfterEdit", L"0"}, {L"OP_PlayAfterBookmark", L"0"}, {L"OP_PlayAfterRegion", L"0"},
    {L"RegionFormLeft", L"0"}, {L"RegionFormTop", L"0"}, {L"RegionFormWidth", L"550"},
    {L"RegionFormHeight", L"200"}, {L"BookmarkFormLeft", L"0"}, {L"BookmarkFormTop", L"200"},
    {L"BookmarkFormWidth", L"550"}, {L"BookmarkFormHeight", L"200"}, {L"ExportFolder", L"M:\\Export"},
    {L"ExportFormat", L"0"}, {L"FreAnalysisFormLeft", L"0"}, {L"FreAnalysisFormTop", L"0"},
    {L"FreAnalysisFormWidth", L"550"}, {L"FreAnalysisFormHeight", L"300"},
    {L"BatchFileFormatUseTheSame", L"1"}, {L"BatchFileFormatIndex", L"1"},
    {L"BatchFileSaveFolderUseTheSame", L"1"}, {L"BatchFileSaveFolderpath", L"M:\\Batch"},
    {L"PreviewOperationTypes", L"-1"}, {L"DefNewFileSampleRate", L"3"}, {L"DefNewFileChannels", L"0"},
    {L"SelectePartPercent", L"100"}, {L"AudioInBufferPercent", L"100"}, {L"IncreaseSelection", L"1"},
    {L"InsertSilenceTime", L"100"}, {L"DefAmplify", L"25"}, {L"DefNormalize", L"100"},
    {L"DefCompressorThreshold", L"-10"}, {L"DefCompressorRate", L"50"}, {L"DefHighPass", L"200"},
    {L"EqualizerBuf1", L"0"}, {L"EqualizerBuf2", L"0"}, {L"EqualizerBuf3", L"0"}, {L"EqualizerBuf4", L"0"},
    {L"EqualizerBuf5", L"0"}, {L"EqualizerBuf6", L"0"}, {L"EqualizerBuf7", L"0"}, {L"EqualizerBuf8", L"0"},
    {L"EqualizerBuf9", L"0"}, {L"EqualizerBuf10", L"0"}, {L"EqualizerBuf11", L"0"}, {L"EqualizerBuf12", L"0"},
    {L"DefEchoDelayTime", L"200"}, {L"DefEchoMixDepth", L"70"}, {L"DefEchoFeedbackGain", L"40"},
    {L"DefReverbDelayTime", L"30"}, {L"DefReverbMixDepth", L"60"}, {L"DefReverbFeedbackGain", L"60"},
    {L"DefReverbGain", L"30"}, {L"DefReverbFrequency", L"11025"}, {L"DefReverbTaps", L"8"},
    {L"DefFadeInt", L"50"}, {L"DefFadeFin", L"50"}, {L"DefMixChanLL", L"50"}, {L"DefMixChanLR", L"50"},
    {L"DefMixChanRL", L"50"}, {L"DefMixChanRR", L"50"}, {L"DefNoiseReductionThreshold", L"-13"},
    {L"DefNoiseReductionRate", L"99"}, {L"DefNoiseReductionRMSTime", L"55"}, {L"DefSpeedChange", L"100"},
    {L"DefPitchChange", L"100"}, {L"DefPhaserDelayTime", L"300"}, {L"DefPhaserMixDepth", L"30"},
    {L"DefPhaserFeedbackGain", L"45"}, {L"DefFlangerDelayRate", L"14"}, {L"DefFlangerMixDepth", L"50"},
    {L"DefFlangerFeedbackGain", L"30"}, {L"DefFlangerSweepDepth", L"99"}, {L"DefFlangerSweepRate", L"18"},
    {L"DefFlangerSweepPhase", L"40"}, {L"DefChorusDelayRate", L"10"}, {L"DefChorusMixDepth", L"20"},
    {L"DefChorusFeedbackGain", L"60"}, {L"DefChorusSweepDepth", L"0"}, {L"DefChorusSweepRate", L"0"},
    {L"DefChorusSweepPhase", L"90"}, {L"OutputWAVType", L"0"}, {L"OutputWAVPersets", L"1"},
    {L"OutputWAVSampleType", L"7"}, {L"OutputWAVBitesPerSample", L"1"}, {L"OutputWAVMode", L"0"},
    {L"OutputMP3Type", L"0"}, {L"OutputMP3Presets", L"8"}, {L"OutputMP3Mode", L"0"}, {L"OutputMP3CBR", L"1"},
    {L"OutputMP3CBRBitRate", L"10"}, {L"OutputMP3VBRBitRateMin", L"8"}, {L"OutputMP3VBRBitRateMax", L"12"},
    {L"OutputMP3QualityLevel", L"1"}, {L"OutputMP3QualityLevelValue", L"2"}, {L"OutputMP3ABRBitRate", L"10"},
    {L"OutputMP3WriteXING", L"1"}, {L"OutputMP3Checksum", L"0"}, {L"OutputOGGType", L"0"},
    {L"OutputOGGPresets", L"4"}, {L"OutputOGGMode", L"0"}, {L"OutputOGGABR", L"0"},
    {L"OutputOGGABRBitRate", L"4"}, {L"OutputOGGQualityValue", L"60"}, {L"OutputWMAPresets", L"5"},
};

TEST(SettingsFile, FirstLoadWritesEveryKeyInRecordOrderWithItsDefault) {
  ScratchFolder folder;
  TGlobalVars vars = DefaultsWithFolders();
  EXPECT_FALSE(LoadSettings(vars, folder.File(L"system.dat")));
  EXPECT_EQ(SectionLines(folder.File(L"system.dat"), L"SYSTEM"), kFirstRunFile);
  // The file now exists: the next load reads it.
  EXPECT_TRUE(LoadSettings(vars, folder.File(L"system.dat")));
}

struct StoredValueCase {
  const wchar_t* Key;
  const wchar_t* Stored;
  int Expected;
};

int FieldAsInt(const TGlobalVars& vars, const wchar_t* key) {
  for (const TSettingKey& entry : SettingKeys()) {
    if (wcscmp(entry.Key, key) != 0) continue;
    return std::visit(
        [&](auto field) -> int {
          if constexpr (std::is_same_v<std::remove_cvref_t<decltype(vars.*field)>, String>) return -999;
          else return static_cast<int>(vars.*field);
        },
        entry.Field);
  }
  ADD_FAILURE() << "no such key";
  return -999;
}

TEST(SettingsFile, StoredNumbersAreWholeDecimalsElseTheCurrentValueStays) {
  const StoredValueCase cases[] = {
      {L"OutputMP3Presets", L"264", 8},      // 8-bit field keeps the low bits
      {L"OutputWAVPersets", L"-1", 255},
      {L"ShowStatusBar", L"x", 0},           // not a number: default false stays
      {L"ShowBottomBar", L"0", 0},
      {L"OutputMP3CBR", L"7", 1},            // non-zero is true
      {L"DefAmplify", L"$10", 25},           // hexadecimal is not a whole decimal
      {L"DefHighPass", L"12.5", 200},
      {L"DefEchoMixDepth", L"", 70},
      {L"DefReverbTaps", L"99999999999", 8},  // beyond 32 bits
      {L"AccuAttackLevel", L"-2147483648", -2147483647 - 1},
      {L"BarQuickShowIndex", L"+3", 3},
  };
  ScratchFolder folder;
  const String file = folder.File(L"system.dat");
  TGlobalVars vars = DefaultsWithFolders();
  ASSERT_TRUE(SaveSettings(vars, file));
  TIniFile ini(file);
  for (const auto& c : cases) ini.WriteString(L"SYSTEM", c.Key, c.Stored);
  ASSERT_TRUE(LoadSettings(vars, file));
  for (const auto& c : cases) EXPECT_EQ(FieldAsInt(vars, c.Key), c.Expected) << c.Key << " = " << c.Stored;
}

TEST(SettingsFile, EveryKeyRoundTripsThroughTheFile) {
  TGlobalVars written;
  int n = 0;
  for (const TSettingKey& entry : SettingKeys()) {
    ++n;
    std::visit(
        [&](auto field) {
          using T = std::remove_cvref_t<decltype(written.*field)>;
          if constexpr (std::is_same_v<T, String>) written.*field = L"C:\\folder " + std::to_wstring(n) + L" \x00e9\x4e2d";
          else if constexpr (std::is_same_v<T, bool>) written.*field = n % 2 == 0;
          else if constexpr (std::is_same_v<T, Byte>) written.*field = static_cast<Byte>(200 + n % 50);
          else written.*field = n * 1000 - 70000;
        },
        entry.Field);
  }
  ScratchFolder folder;
  ASSERT_TRUE(SaveSettings(written, folder.File(L"system.dat")));
  TGlobalVars read;
  ASSERT_TRUE(LoadSettings(read, folder.File(L"system.dat")));
  for (const TSettingKey& entry : SettingKeys())
    std::visit([&](auto field) { EXPECT_TRUE(read.*field == written.*field) << entry.Key; }, entry.Field);
}

TEST(SettingsFile, ViewKeysUnderSystemShareTheRecordsSection) {
  ScratchFolder folder;
  const String file = folder.File(L"system.dat");
  ASSERT_TRUE(SaveSettings(DefaultsWithFolders(), file));
  TIniFile(file).WriteBool(L"System", L"ShowCommandBar", false);
  const auto lines = SectionLines(file, L"SYSTEM");
  EXPECT_EQ(lines.size(), kFirstRunFile.size() + 1);
  EXPECT_EQ(lines.back(), (KeyValue{L"ShowCommandBar", L"0"}));
}

TEST(SettingsFile, FailedSaveIsReportedOnceNamingTheFile) {
  ScratchFolder folder;
  const String file = folder.File(L"missing folder\\system.dat");
  std::vector<String> boxes;
  auto previous = SetMessageBoxAnswerer([&](HWND, const String& text, const String&, UINT flags) {
    boxes.push_back(text);
    EXPECT_TRUE(flags & MB_ICONERROR);
    return IDOK;
  });
  EXPECT_FALSE(SaveSettings(DefaultsWithFolders(), file));
  SetMessageBoxAnswerer(previous);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find(file), String::npos);
}

// While a collector lives, failed writes wait; then one box names each failed file once, with the
// reason of its first failure.
TEST(SettingsFile, ACollectorShowsItsFailuresInOneBox) {
  ScratchFolder folder;
  const String settings = folder.File(L"missing folder\\system.dat");
  const String list = folder.File(L"missing folder\\MRUList.dat");
  std::vector<String> boxes;
  auto previous = SetMessageBoxAnswerer([&](HWND, const String& text, const String&, UINT) {
    boxes.push_back(text);
    return IDOK;
  });
  {
    TWriteFailureCollector failures;
    EXPECT_FALSE(SaveSettings(DefaultsWithFolders(), settings));
    EXPECT_FALSE(WriteOrReport(list, [&] { TStringList().SaveToFile(list); }));
    EXPECT_FALSE(SaveSettings(DefaultsWithFolders(), settings));
    EXPECT_TRUE(boxes.empty());
    failures.ReportCollected();
    failures.ReportCollected();
  }
  EXPECT_TRUE(WriteOrReport(folder.File(L"written.txt"), [&] { TStringList().SaveToFile(folder.File(L"written.txt")); }));
  SetMessageBoxAnswerer(previous);
  ASSERT_EQ(boxes.size(), 1u);
  const String& text = boxes[0];
  for (const String& file : {settings, list}) {
    const String named = L"could not be saved to \"" + file + L"\"";
    ASSERT_NE(text.find(named), String::npos);
    EXPECT_EQ(text.find(named, text.find(named) + 1), String::npos) << "named twice";
  }
}

TEST(SettingsFile, DefaultsTakeTheRunTimeFoldersAndKeepTheBrandAndDataFolder) {
  TGlobalVars vars;
  vars.ProductPageAddress = L"https://www.zentavo.example/product.html";
  vars.DataFolder = L"D:\\Data\\";
  AssignDefaultSettings(vars);
  EXPECT_EQ(vars.ProductPageAddress, L"https://www.zentavo.example/product.html");
  EXPECT_EQ(vars.DataFolder, L"D:\\Data\\");
  EXPECT_EQ(vars.OP_WorkingFolder, L"D:\\Data\\");
  // The drive itself is chosen by free space, which other programs change between two reads when
  // several drives share one disk; the choice is pinned by the drive tests. Here: a drive's temp folder.
  ASSERT_EQ(vars.TempFolder.size(), 8u);
  EXPECT_TRUE(vars.TempFolder[0] >= L'A' && vars.TempFolder[0] <= L'Z');
  EXPECT_EQ(vars.TempFolder.substr(1), L":\\temp\\");
  EXPECT_EQ(vars.LastOpenDir, ShellFolderPath(L"My Music"));
  EXPECT_EQ(vars.ExportFolder, vars.LastOpenDir);
  EXPECT_EQ(vars.BatchFileSaveFolderpath, vars.LastOpenDir);
  EXPECT_NEAR(vars.RecordingStopAfter * 86400.0, 30.0, 1e-6);
  EXPECT_TRUE(vars.ShowCommandBar);
  EXPECT_TRUE(vars.CommandBarOnTheLeft);
  EXPECT_EQ(vars.DefNotchFrequency, 10000);
  EXPECT_EQ(vars.DefVibratoSweepPhase, 95);
}

TEST(SettingsFile, FilePathFallsBackToTheAppDataFolderWhenTheDataFolderCannotBeMade) {
  ScratchFolder folder;
  EXPECT_EQ(SettingsFilePathFor(folder.Path(), L"Zentavo"), folder.Path() + L"Zentavo\\system.dat");
  EXPECT_TRUE(DirectoryExists(folder.Path() + L"Zentavo"));
  EXPECT_EQ(SettingsFilePathFor(folder.Path(), L"no\\such\\parent"), folder.Path() + L"system.dat");
}

}  // namespace
