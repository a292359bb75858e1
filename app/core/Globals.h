#pragma once
// TGlobalVars: the one process-wide record of the user's options, the last parameters of every
// effect and filter dialog, the output-format choices, the batch options, the tool windows'
// bounds and the folders of the running program. Field names are the program's own vocabulary,
// including their historic spellings (TopTranportBar, OutputWAVPersets, ...), because the same
// names are the keys of the settings file and must not change.
//
// The record starts zero-filled; the main window's creation step assigns the defaults
// (AssignDefaultSettings) and then loads "system.dat" over them (SettingsFile.h).

#include "platform/framework/base/Types.h"

struct TGlobalVars {
  // Per brand (Brands.h); not stored.
  String ProductPageAddress;
  String TechnicalSupportAddress;
  String CompanyHomepageAddress;
  // Folders of the running program; not stored.
  String DataFolder;
  String TempFolder;
  String RecordingFilePath;
  TDateTime RecordingStopAfter = 0;

  String LastOpenDir;
  // Kept in the view keys of section "System", which their commands write at once.
  bool ShowCommandBar = false;
  bool CommandBarOnTheLeft = false;
  bool ShowStartDialog = false;
  bool ShowBottomBar = false;
  bool ShowStatusBar = false;
  bool TopTranportBar = false;
  bool TopZoomBar = false;
  int BarQuickShowIndex = 0;

  bool AccuEnabled = false;
  int AccuAttackTime = 0;
  int AccuReleaseTime = 0;
  int AccuAttackLevel = 0;
  int AccuReleaseLevel = 0;

  bool OP_PromptNewFile = false;
  int OP_DefSample = 0;
  int OP_DefChannel = 0;
  bool OP_AddToExplorer = false;
  bool OP_UseDefFolder = false;
  String OP_WorkingFolder;
  bool OP_PlayAfterOpened = false;
  bool OP_PlayAfterEdit = false;
  bool OP_PlayAfterBookmark = false;
  bool OP_PlayAfterRegion = false;

  int RegionFormLeft = 0, RegionFormTop = 0, RegionFormWidth = 0, RegionFormHeight = 0;
  int BookmarkFormLeft = 0, BookmarkFormTop = 0, BookmarkFormWidth = 0, BookmarkFormHeight = 0;
  String ExportFolder;
  int ExportFormat = 0;
  int FreAnalysisFormLeft = 0, FreAnalysisFormTop = 0, FreAnalysisFormWidth = 0, FreAnalysisFormHeight = 0;

  bool BatchFileFormatUseTheSame = false;
  int BatchFileFormatIndex = 0;
  bool BatchFileSaveFolderUseTheSame = false;
  String BatchFileSaveFolderpath;

  int PreviewOperationTypes = 0;
  Byte DefNewFileSampleRate = 0;
  Byte DefNewFileChannels = 0;
  int SelectePartPercent = 0;
  int AudioInBufferPercent = 0;
  bool IncreaseSelection = false;
  int InsertSilenceTime = 0;

  int DefAmplify = 0;
  int DefNormalize = 0;
  int DefCompressorThreshold = 0, DefCompressorRate = 0;
  int DefHighPass = 0;
  int EqualizerBuf1 = 0, EqualizerBuf2 = 0, EqualizerBuf3 = 0, EqualizerBuf4 = 0, EqualizerBuf5 = 0,
      EqualizerBuf6 = 0, EqualizerBuf7 = 0, EqualizerBuf8 = 0, EqualizerBuf9 = 0, EqualizerBuf10 = 0,
      EqualizerBuf11 = 0, EqualizerBuf12 = 0;
  int DefEchoDelayTime = 0, DefEchoMixDepth = 0, DefEchoFeedbackGain = 0;
  int DefReverbDelayTime = 0, DefReverbMixDepth = 0, DefReverbFeedbackGain = 0, DefReverbGain = 0,
      DefReverbFrequency = 0, DefReverbTaps = 0;
  int DefFadeInt = 0, DefFadeFin = 0;
  int DefMixChanLL = 0, DefMixChanLR = 0, DefMixChanRL = 0, DefMixChanRR = 0;
  int DefNoiseReductionThreshold = 0, DefNoiseReductionRate = 0, DefNoiseReductionRMSTime = 0;
  int DefSpeedChange = 0;
  int DefPitchChange = 0;
  int DefPhaserDelayTime = 0, DefPhaserMixDepth = 0, DefPhaserFeedbackGain = 0;
  int DefFlangerDelayRate = 0, DefFlangerMixDepth = 0, DefFlangerFeedbackGain = 0, DefFlangerSweepDepth = 0,
      DefFlangerSweepRate = 0, DefFlangerSweepPhase = 0;
  int DefChorusDelayRate = 0, DefChorusMixDepth = 0, DefChorusFeedbackGain = 0, DefChorusSweepDepth = 0,
      DefChorusSweepRate = 0, DefChorusSweepPhase = 0;

  // Filter dialogs: not stored.
  int DefNotchFrequency = 0, DefNotchSteepness = 0;
  int DefBandPassFrequency = 0, DefBandPassSteepness = 0;
  int DefLowPassFrequency = 0, DefLowPassSteepness = 0;
  int DefLowShelfFrequency = 0, DefLowShelfSteepness = 0, DefLowShelfGain = 0;
  int DefHighShelfFrequency = 0, DefHighShelfSteepness = 0, DefHighShelfGain = 0;
  int DefPeakEQFrequency = 0, DefPeakEQSteepness = 0, DefPeakEQGain = 0;
  int DefVibratoSweepDepth = 0, DefVibratoSweepRate = 0, DefVibratoSweepPhase = 0;

  Byte OutputWAVType = 0;
  Byte OutputWAVPersets = 0;
  Byte OutputWAVSampleType = 0;
  Byte OutputWAVBitesPerSample = 0;
  Byte OutputWAVMode = 0;
  Byte OutputMP3Type = 0;
  Byte OutputMP3Presets = 0;
  Byte OutputMP3Mode = 0;
  bool OutputMP3CBR = false;
  Byte OutputMP3CBRBitRate = 0;
  Byte OutputMP3VBRBitRateMin = 0;
  Byte OutputMP3VBRBitRateMax = 0;
  bool OutputMP3QualityLevel = false;
  int OutputMP3QualityLevelValue = 0;
  Byte OutputMP3ABRBitRate = 0;
  bool OutputMP3WriteXING = false;
  bool OutputMP3Checksum = false;
  Byte OutputOGGType = 0;
  Byte OutputOGGPresets = 0;
  Byte OutputOGGMode = 0;
  bool OutputOGGABR = false;
  Byte OutputOGGABRBitRate = 0;
  int OutputOGGQualityValue = 0;
  Byte OutputWMAPresets = 0;
};

// The process-wide record (GUI thread only).
extern TGlobalVars GlobalVars;

// Assigns every default of the record except the three brand addresses and DataFolder, which the
// brand step and the creation step set before: the view and bar options, the run-time folders
// (TempFolder on the fixed drive with the most free space, "My Music" for the open, export and
// batch folders), RecordingStopAfter = 30 seconds, the effect, format and batch values, and
// OP_WorkingFolder = DataFolder.
void AssignDefaultSettings(TGlobalVars& vars);

// The default values alone, without asking the system for folders: every folder field stays as
// it is. AssignDefaultSettings is this plus the folders.
void AssignDefaultValues(TGlobalVars& vars);
