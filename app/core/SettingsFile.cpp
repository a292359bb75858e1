#include "app/core/SettingsFile.h"

#include <array>
#include <cwctype>
#include <limits>

#include "app/core/Paths.h"
#include "app/core/WriteFailures.h"
#include "platform/framework/rtl/FileUtils.h"
#include "platform/framework/windows/Forms.h"
#include "platform/framework/classes/IniFiles.h"
#include "platform/framework/rtl/SysUtils.h"

const wchar_t* const SettingsSection = L"SYSTEM";

namespace {

using G = TGlobalVars;

// Record order; every stored key once.
const std::array<TSettingKey, 123> kSettingKeys{{
    {L"LastOpenDir", &G::LastOpenDir},
    {L"ShowStartDialog", &G::ShowStartDialog},
    {L"ShowBottomBar", &G::ShowBottomBar},
    {L"ShowStatusBar", &G::ShowStatusBar},
    {L"TopTranportBar", &G::TopTranportBar},
    {L"TopZoomBar", &G::TopZoomBar},
    {L"BarQuickShowIndex", &G::BarQuickShowIndex},
    {L"AccuEnabled", &G::AccuEnabled},
    {L"AccuAttackTime", &G::AccuAttackTime},
    {L"AccuReleaseTime", &G::AccuReleaseTime},
    {L"AccuAttackLevel", &G::AccuAttackLevel},
    {L"AccuReleaseLevel", &G::AccuReleaseLevel},
    {L"OP_PromptNewFile", &G::OP_PromptNewFile},
    {L"OP_DefSample", &G::OP_DefSample},
    {L"OP_DefChannel", &G::OP_DefChannel},
    {L"OP_AddToExplorer", &G::OP_AddToExplorer},
    {L"OP_UseDefFolder", &G::OP_UseDefFolder},
    {L"OP_WorkingFolder", &G::OP_WorkingFolder},
    {L"OP_PlayAfterOpened", &G::OP_PlayAfterOpened},
    {L"OP_PlayAfterEdit", &G::OP_PlayAfterEdit},
    {L"OP_PlayAfterBookmark", &G::OP_PlayAfterBookmark},
    {L"OP_PlayAfterRegion", &G::OP_PlayAfterRegion},
    {L"RegionFormLeft", &G::RegionFormLeft},
    {L"RegionFormTop", &G::RegionFormTop},
    {L"RegionFormWidth", &G::RegionFormWidth},
    {L"RegionFormHeight", &G::RegionFormHeight},
    {L"BookmarkFormLeft", &G::BookmarkFormLeft},
    {L"BookmarkFormTop", &G::BookmarkFormTop},
    {L"BookmarkFormWidth", &G::BookmarkFormWidth},
    {L"BookmarkFormHeight", &G::BookmarkFormHeight},
    {L"ExportFolder", &G::ExportFolder},
    {L"ExportFormat", &G::ExportFormat},
    {L"FreAnalysisFormLeft", &G::FreAnalysisFormLeft},
    {L"FreAnalysisFormTop", &G::FreAnalysisFormTop},
    {L"FreAnalysisFormWidth", &G::FreAnalysisFormWidth},
    {L"FreAnalysisFormHeight", &G::FreAnalysisFormHeight},
    {L"BatchFileFormatUseTheSame", &G::BatchFileFormatUseTheSame},
    {L"BatchFileFormatIndex", &G::BatchFileFormatIndex},
    {L"BatchFileSaveFolderUseTheSame", &G::BatchFileSaveFolderUseTheSame},
    {L"BatchFileSaveFolderpath", &G::BatchFileSaveFolderpath},
    {L"PreviewOperationTypes", &G::PreviewOperationTypes},
    {L"DefNewFileSampleRate", &G::DefNewFileSampleRate},
    {L"DefNewFileChannels", &G::DefNewFileChannels},
    {L"SelectePartPercent", &G::SelectePartPercent},
    {L"AudioInBufferPercent", &G::AudioInBufferPercent},
    {L"IncreaseSelection", &G::IncreaseSelection},
    {L"InsertSilenceTime", &G::InsertSilenceTime},
    {L"DefAmplify", &G::DefAmplify},
    {L"DefNormalize", &G::DefNormalize},
    {L"DefCompressorThreshold", &G::DefCompressorThreshold},
    {L"DefCompressorRate", &G::DefCompressorRate},
    {L"DefHighPass", &G::DefHighPass},
    {L"EqualizerBuf1", &G::EqualizerBuf1},
    {L"EqualizerBuf2", &G::EqualizerBuf2},
    {L"EqualizerBuf3", &G::EqualizerBuf3},
    {L"EqualizerBuf4", &G::EqualizerBuf4},
    {L"EqualizerBuf5", &G::EqualizerBuf5},
    {L"EqualizerBuf6", &G::EqualizerBuf6},
    {L"EqualizerBuf7", &G::EqualizerBuf7},
    {L"EqualizerBuf8", &G::EqualizerBuf8},
    {L"EqualizerBuf9", &G::EqualizerBuf9},
    {L"EqualizerBuf10", &G::EqualizerBuf10},
    {L"EqualizerBuf11", &G::EqualizerBuf11},
    {L"EqualizerBuf12", &G::EqualizerBuf12},
    {L"DefEchoDelayTime", &G::DefEchoDelayTime},
    {L"DefEchoMixDepth", &G::DefEchoMixDepth},
    {L"DefEchoFeedbackGain", &G::DefEchoFeedbackGain},
    {L"DefReverbDelayTime", &G::DefReverbDelayTime},
    {L"DefReverbMixDepth", &G::DefReverbMixDepth},
    {L"DefReverbFeedbackGain", &G::DefReverbFeedbackGain},
    {L"DefReverbGain", &G::DefReverbGain},
    {L"DefReverbFrequency", &G::DefReverbFrequency},
    {L"DefReverbTaps", &G::DefReverbTaps},
    {L"DefFadeInt", &G::DefFadeInt},
    {L"DefFadeFin", &G::DefFadeFin},
    {L"DefMixChanLL", &G::DefMixChanLL},
    {L"DefMixChanLR", &G::DefMixChanLR},
    {L"DefMixChanRL", &G::DefMixChanRL},
    {L"DefMixChanRR", &G::DefMixChanRR},
    {L"DefNoiseReductionThreshold", &G::DefNoiseReductionThreshold},
    {L"DefNoiseReductionRate", &G::DefNoiseReductionRate},
    {L"DefNoiseReductionRMSTime", &G::DefNoiseReductionRMSTime},
    {L"DefSpeedChange", &G::DefSpeedChange},
    {L"DefPitchChange", &G::DefPitchChange},
    {L"DefPhaserDelayTime", &G::DefPhaserDelayTime},
    {L"DefPhaserMixDepth", &G::DefPhaserMixDepth},
    {L"DefPhaserFeedbackGain", &G::DefPhaserFeedbackGain},
    {L"DefFlangerDelayRate", &G::DefFlangerDelayRate},
    {L"DefFlangerMixDepth", &G::DefFlangerMixDepth},
    {L"DefFlangerFeedbackGain", &G::DefFlangerFeedbackGain},
    {L"DefFlangerSweepDepth", &G::DefFlangerSweepDepth},
    {L"DefFlangerSweepRate", &G::DefFlangerSweepRate},
    {L"DefFlangerSweepPhase", &G::DefFlangerSweepPhase},
    {L"DefChorusDelayRate", &G::DefChorusDelayRate},
    {L"DefChorusMixDepth", &G::DefChorusMixDepth},
    {L"DefChorusFeedbackGain", &G::DefChorusFeedbackGain},
    {L"DefChorusSweepDepth", &G::DefChorusSweepDepth},
    {L"DefChorusSweepRate", &G::DefChorusSweepRate},
    {L"DefChorusSweepPhase", &G::DefChorusSweepPhase},
    {L"OutputWAVType", &G::OutputWAVType},
    {L"OutputWAVPersets", &G::OutputWAVPersets},
    {L"OutputWAVSampleType", &G::OutputWAVSampleType},
    {L"OutputWAVBitesPerSample", &G::OutputWAVBitesPerSample},
    {L"OutputWAVMode", &G::OutputWAVMode},
    {L"OutputMP3Type", &G::OutputMP3Type},
    {L"OutputMP3Presets", &G::OutputMP3Presets},
    {L"OutputMP3Mode", &G::OutputMP3Mode},
    {L"OutputMP3CBR", &G::OutputMP3CBR},
    {L"OutputMP3CBRBitRate", &G::OutputMP3CBRBitRate},
    {L"OutputMP3VBRBitRateMin", &G::OutputMP3VBRBitRateMin},
    {L"OutputMP3VBRBitRateMax", &G::OutputMP3VBRBitRateMax},
    {L"OutputMP3QualityLevel", &G::OutputMP3QualityLevel},
    {L"OutputMP3QualityLevelValue", &G::OutputMP3QualityLevelValue},
    {L"OutputMP3ABRBitRate", &G::OutputMP3ABRBitRate},
    {L"OutputMP3WriteXING", &G::OutputMP3WriteXING},
    {L"OutputMP3Checksum", &G::OutputMP3Checksum},
    {L"OutputOGGType", &G::OutputOGGType},
    {L"OutputOGGPresets", &G::OutputOGGPresets},
    {L"OutputOGGMode", &G::OutputOGGMode},
    {L"OutputOGGABR", &G::OutputOGGABR},
    {L"OutputOGGABRBitRate", &G::OutputOGGABRBitRate},
    {L"OutputOGGQualityValue", &G::OutputOGGQualityValue},
    {L"OutputWMAPresets", &G::OutputWMAPresets},
}};

void ReadKey(TIniFile& ini, const TSettingKey& key, TGlobalVars& vars) {
  auto readNumber = [&](int current) {
    int value = current;
    TryParseSettingInteger(ini.ReadString(SettingsSection, key.Key, L""), value);
    return value;
  };
  std::visit(
      [&](auto field) {
        using T = std::remove_reference_t<decltype(vars.*field)>;
        if constexpr (std::is_same_v<T, String>)
          vars.*field = ini.ReadString(SettingsSection, key.Key, vars.*field);
        else if constexpr (std::is_same_v<T, bool>)
          vars.*field = readNumber(vars.*field ? 1 : 0) != 0;
        else if constexpr (std::is_same_v<T, Byte>)
          vars.*field = static_cast<Byte>(readNumber(vars.*field) & 0xFF);
        else
          vars.*field = readNumber(vars.*field);
      },
      key.Field);
}

void WriteKey(TIniFile& ini, const TSettingKey& key, const TGlobalVars& vars) {
  std::visit(
      [&](auto field) {
        using T = std::remove_cvref_t<decltype(vars.*field)>;
        if constexpr (std::is_same_v<T, String>)
          ini.WriteString(SettingsSection, key.Key, vars.*field);
        else if constexpr (std::is_same_v<T, bool>)
          ini.WriteBool(SettingsSection, key.Key, vars.*field);
        else
          ini.WriteInteger(SettingsSection, key.Key, static_cast<int>(vars.*field));
      },
      key.Field);
}

}  // namespace

std::span<const TSettingKey> SettingKeys() { return kSettingKeys; }

bool TryParseSettingInteger(const String& text, int& value) {
  size_t i = 0, end = text.size();
  while (i < end && std::iswspace(text[i])) ++i;
  while (end > i && std::iswspace(text[end - 1])) --end;
  bool negative = false;
  if (i < end && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
  if (i == end) return false;
  long long magnitude = 0;
  for (; i < end; ++i) {
    if (text[i] < L'0' || text[i] > L'9') return false;
    magnitude = magnitude * 10 + (text[i] - L'0');
    if (magnitude > 2147483648LL) return false;
  }
  const long long signedValue = negative ? -magnitude : magnitude;
  if (signedValue > std::numeric_limits<int>::max()) return false;
  value = static_cast<int>(signedValue);
  return true;
}

String SettingsFilePathFor(const String& appDataFolder, const String& title) {
  const String appData = AddTrailingBackslash(appDataFolder);
  const String folder = appData + title + L"\\";
  if (!DirectoryExists(folder) && !CreateDir(folder)) return appData + L"system.dat";
  return folder + L"system.dat";
}

String SettingsFilePath() {
  return SettingsFilePathFor(ShellFolderPath(L"AppData"), Application ? Application->Title() : String());
}

bool LoadSettings(TGlobalVars& vars, const String& fileName) {
  if (!FileExists(fileName)) {
    SaveSettings(vars, fileName);
    return false;
  }
  TIniFile ini(fileName);
  for (const TSettingKey& key : kSettingKeys) ReadKey(ini, key, vars);
  return true;
}

bool SaveSettings(const TGlobalVars& vars, const String& fileName) {
  return WriteOrReport(fileName, [&] {
    TIniFile ini(fileName);
    for (const TSettingKey& key : kSettingKeys) WriteKey(ini, key, vars);
  });
}

bool LoadSettings() { return LoadSettings(GlobalVars, SettingsFilePath()); }
bool SaveSettings() { return SaveSettings(GlobalVars, SettingsFilePath()); }

void WriteSettingInteger(const String& section, const String& key, int value) {
  const String file = SettingsFilePath();
  WriteOrReport(file, [&] { TIniFile(file).WriteInteger(section, key, value); });
}

void WriteSettingString(const String& section, const String& key, const String& value) {
  const String file = SettingsFilePath();
  WriteOrReport(file, [&] { TIniFile(file).WriteString(section, key, value); });
}

void WriteSettingBool(const String& section, const String& key, bool value) {
  const String file = SettingsFilePath();
  WriteOrReport(file, [&] { TIniFile(file).WriteBool(section, key, value); });
}
