#include "app/core/Globals.h"

#include "app/core/SystemQueries.h"
#include "app/core/Paths.h"
#include "platform/framework/rtl/DateUtils.h"
#include "platform/framework/rtl/SysUtils.h"

TGlobalVars GlobalVars;

void AssignDefaultValues(TGlobalVars& v) {
  v.RecordingFilePath.clear();
  v.RecordingStopAfter = EncodeTime(0, 0, 30, 0);

  v.ShowCommandBar = true;
  v.CommandBarOnTheLeft = true;
  v.ShowStartDialog = true;
  v.ShowBottomBar = true;
  v.ShowStatusBar = false;
  v.TopTranportBar = false;
  v.TopZoomBar = true;
  v.BarQuickShowIndex = 1;

  v.AccuEnabled = false;
  v.AccuAttackTime = 100;
  v.AccuReleaseTime = 300;
  v.AccuAttackLevel = -45;
  v.AccuReleaseLevel = -45;

  v.OP_PromptNewFile = true;
  v.OP_DefSample = 44100;
  v.OP_DefChannel = 2;
  v.OP_AddToExplorer = true;
  v.OP_UseDefFolder = true;
  v.OP_PlayAfterOpened = false;
  v.OP_PlayAfterEdit = false;
  v.OP_PlayAfterBookmark = false;
  v.OP_PlayAfterRegion = false;

  v.RegionFormLeft = 0, v.RegionFormTop = 0, v.RegionFormWidth = 550, v.RegionFormHeight = 200;
  v.BookmarkFormLeft = 0, v.BookmarkFormTop = 200, v.BookmarkFormWidth = 550, v.BookmarkFormHeight = 200;
  v.ExportFormat = 0;
  v.FreAnalysisFormLeft = 0, v.FreAnalysisFormTop = 0, v.FreAnalysisFormWidth = 550, v.FreAnalysisFormHeight = 300;

  v.BatchFileFormatUseTheSame = true;
  v.BatchFileFormatIndex = 1;
  v.BatchFileSaveFolderUseTheSame = true;

  v.PreviewOperationTypes = -1;
  v.DefNewFileSampleRate = 3;
  v.DefNewFileChannels = 0;
  v.SelectePartPercent = 100;
  v.AudioInBufferPercent = 100;
  v.IncreaseSelection = true;
  v.InsertSilenceTime = 100;

  v.DefAmplify = 25;
  v.DefNormalize = 100;
  v.DefCompressorThreshold = -10, v.DefCompressorRate = 50;
  v.DefHighPass = 200;
  for (int* band : {&v.EqualizerBuf1, &v.EqualizerBuf2, &v.EqualizerBuf3, &v.EqualizerBuf4, &v.EqualizerBuf5,
                    &v.EqualizerBuf6, &v.EqualizerBuf7, &v.EqualizerBuf8, &v.EqualizerBuf9, &v.EqualizerBuf10,
                    &v.EqualizerBuf11, &v.EqualizerBuf12})
    *band = 0;
  v.DefEchoDelayTime = 200, v.DefEchoMixDepth = 70, v.DefEchoFeedbackGain = 40;
  v.DefReverbDelayTime = 30, v.DefReverbMixDepth = 60, v.DefReverbFeedbackGain = 60, v.DefReverbGain = 30;
  v.DefReverbFrequency = 11025, v.DefReverbTaps = 8;
  v.DefFadeInt = 50, v.DefFadeFin = 50;
  v.DefMixChanLL = 50, v.DefMixChanLR = 50, v.DefMixChanRL = 50, v.DefMixChanRR = 50;
  v.DefNoiseReductionThreshold = -13, v.DefNoiseReductionRate = 99, v.DefNoiseReductionRMSTime = 55;
  v.DefSpeedChange = 100;
  v.DefPitchChange = 100;
  v.DefPhaserDelayTime = 300, v.DefPhaserMixDepth = 30, v.DefPhaserFeedbackGain = 45;
  v.DefFlangerDelayRate = 14, v.DefFlangerMixDepth = 50, v.DefFlangerFeedbackGain = 30;
  v.DefFlangerSweepDepth = 99, v.DefFlangerSweepRate = 18, v.DefFlangerSweepPhase = 40;
  v.DefChorusDelayRate = 10, v.DefChorusMixDepth = 20, v.DefChorusFeedbackGain = 60;
  v.DefChorusSweepDepth = 0, v.DefChorusSweepRate = 0, v.DefChorusSweepPhase = 90;

  v.DefNotchFrequency = 10000, v.DefNotchSteepness = 50;
  v.DefBandPassFrequency = 10000, v.DefBandPassSteepness = 50;
  v.DefLowPassFrequency = 10000, v.DefLowPassSteepness = 50;
  v.DefLowShelfFrequency = 10000, v.DefLowShelfSteepness = 50, v.DefLowShelfGain = -10;
  v.DefHighShelfFrequency = 10000, v.DefHighShelfSteepness = 50, v.DefHighShelfGain = -10;
  v.DefPeakEQFrequency = 10000, v.DefPeakEQSteepness = 50, v.DefPeakEQGain = -10;
  v.DefVibratoSweepDepth = 40, v.DefVibratoSweepRate = 15, v.DefVibratoSweepPhase = 95;

  v.OutputWAVType = 0;
  v.OutputWAVPersets = 1;
  v.OutputWAVSampleType = 7;
  v.OutputWAVBitesPerSample = 1;
  v.OutputWAVMode = 0;
  v.OutputMP3Type = 0;
  v.OutputMP3Presets = 8;
  v.OutputMP3Mode = 0;
  v.OutputMP3CBR = true;
  v.OutputMP3CBRBitRate = 10;
  v.OutputMP3VBRBitRateMin = 8;
  v.OutputMP3VBRBitRateMax = 12;
  v.OutputMP3QualityLevel = true;
  v.OutputMP3QualityLevelValue = 2;
  v.OutputMP3ABRBitRate = 10;
  v.OutputMP3WriteXING = true;
  v.OutputMP3Checksum = false;
  v.OutputOGGType = 0;
  v.OutputOGGPresets = 4;
  v.OutputOGGMode = 0;
  v.OutputOGGABR = false;
  v.OutputOGGABRBitRate = 4;
  v.OutputOGGQualityValue = 60;
  v.OutputWMAPresets = 5;
}

void AssignDefaultSettings(TGlobalVars& v) {
  AssignDefaultValues(v);
  v.TempFolder = Format(L"%s:\\temp\\", {DriveWithMostFreeSpace()});
  String music = ShellFolderPath(L"My Music");
  v.LastOpenDir = music;
  v.ExportFolder = music;
  v.BatchFileSaveFolderpath = music;
  v.OP_WorkingFolder = v.DataFolder;
}
