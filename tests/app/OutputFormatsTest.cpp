// The output-format set-ups and index tables: what each record setting makes the editor do.

#include <gtest/gtest.h>

#include "app/OutputFormats.h"
#include "app/core/Globals.h"

namespace {

TGlobalVars DefaultRecord() {
  TGlobalVars vars;
  AssignDefaultValues(vars);
  return vars;
}

TEST(IndexTables, InRangeAndOtherIndexes) {
  struct Case {
    int (*Table)(int);
    int Index;
    int Expected;
  } cases[] = {
      {WaveSampleRateOfIndex, 0, 8000},    {WaveSampleRateOfIndex, 9, 96000},  {WaveSampleRateOfIndex, 10, 44100},
      {WaveSampleRateOfIndex, -1, 44100},  {WaveBitsOfIndex, 3, 32},           {WaveBitsOfIndex, 4, 16},
      {Mp3CbrBitRateOfIndex, 13, 320},     {Mp3CbrBitRateOfIndex, 14, 192},    {Mp3AbrBitRateOfIndex, 0, 32},
      {Mp3VbrMinBitRateOfIndex, 12, 256},  {Mp3VbrMinBitRateOfIndex, 13, 192}, {Mp3VbrMaxBitRateOfIndex, 0, 40},
      {Mp3VbrMaxBitRateOfIndex, 12, 320},  {Mp3VbrMaxBitRateOfIndex, 13, 192}, {OggAbrBitRateOfIndex, 6, 350},
      {OggAbrBitRateOfIndex, 7, 192},      {ChannelsOfModeIndex, 1, 1},        {ChannelsOfModeIndex, 0, 2},
      {ChannelsOfModeIndex, 5, 2},         {Mp3ChannelsOfModeIndex, 3, 1},     {Mp3ChannelsOfModeIndex, 1, 2},
  };
  for (const Case& c : cases) EXPECT_EQ(c.Table(c.Index), c.Expected) << "index " << c.Index;
}

TEST(WaveSetUp, PresetsAndCustom) {
  TGlobalVars vars = DefaultRecord();
  struct Case {
    Byte Preset;
    TWaveFormatCall Expected;
  } presets[] = {{0, {22050, 2, 16}}, {1, {44100, 2, 16}}, {2, {96000, 2, 16}}, {7, {44100, 2, 16}}};
  for (const Case& c : presets) {
    vars.OutputWAVPersets = c.Preset;
    EXPECT_EQ(WaveOutputFormatOf(vars), c.Expected) << int(c.Preset);
  }
  vars.OutputWAVType = 1;
  vars.OutputWAVSampleType = 1;
  vars.OutputWAVMode = 1;
  vars.OutputWAVBitesPerSample = 2;
  EXPECT_EQ(WaveOutputFormatOf(vars), (TWaveFormatCall{11025, 1, 24}));
}

TEST(Mp3SetUp, PresetNumberIsIndexPlusOneAndStopsAfterEleven) {
  TGlobalVars vars = DefaultRecord();
  vars.OutputMP3Type = 0;
  vars.OutputMP3Presets = 8;
  TMp3FormatCall call = Mp3OutputFormatOf(vars);
  EXPECT_FALSE(call.ConstantBitRate);
  EXPECT_EQ(call.Preset, 9);
  EXPECT_FALSE(call.MaxBitRate.has_value());
  vars.OutputMP3Presets = 11;
  EXPECT_FALSE(Mp3OutputFormatOf(vars).Preset.has_value());
}

TEST(Mp3SetUp, ConstantBitRate) {
  TGlobalVars vars = DefaultRecord();
  vars.OutputMP3Type = 1;
  vars.OutputMP3CBR = true;
  vars.OutputMP3CBRBitRate = 8;
  vars.OutputMP3Mode = 3;
  const TMp3FormatCall call = Mp3OutputFormatOf(vars);
  EXPECT_TRUE(call.ConstantBitRate);
  EXPECT_EQ(call.Rate, 44100);
  EXPECT_EQ(call.BitRate, 128);
  EXPECT_EQ(call.Channels, 1);
}

TEST(Mp3SetUp, VariableByQualityAndByAverage) {
  TGlobalVars vars = DefaultRecord();
  vars.OutputMP3Type = 1;
  vars.OutputMP3CBR = false;
  vars.OutputMP3Mode = 2;
  vars.OutputMP3VBRBitRateMin = 0;
  vars.OutputMP3VBRBitRateMax = 12;
  vars.OutputMP3QualityLevel = true;
  vars.OutputMP3QualityLevelValue = 2;
  vars.OutputMP3WriteXING = true;
  vars.OutputMP3Checksum = false;
  TMp3FormatCall call = Mp3OutputFormatOf(vars);
  EXPECT_EQ(call.EncoderChannels, 2);
  EXPECT_EQ(call.StereoMode, 4);
  EXPECT_EQ(call.MinBitRate, 32);
  EXPECT_EQ(call.MaxBitRate, 320);
  EXPECT_EQ(call.VbrMethod, 0);
  EXPECT_EQ(call.VbrQuality, 7);
  EXPECT_FALSE(call.AbrBitRate.has_value());
  EXPECT_EQ(call.WriteXing, -1);
  EXPECT_EQ(call.Crc, 0);

  vars.OutputMP3QualityLevel = false;
  vars.OutputMP3ABRBitRate = 9;
  vars.OutputMP3Mode = 3;
  call = Mp3OutputFormatOf(vars);
  EXPECT_EQ(call.EncoderChannels, 1);
  EXPECT_FALSE(call.StereoMode.has_value());
  EXPECT_EQ(call.VbrMethod, 4);
  EXPECT_EQ(call.AbrBitRate, 160);
  EXPECT_FALSE(call.VbrQuality.has_value());
}

TEST(OggSetUp, PresetsCustomAndOtherTypes) {
  TGlobalVars vars = DefaultRecord();
  vars.OutputOGGType = 0;
  struct Case {
    Byte Preset;
    int Channels;
    int BitRate;
  } presets[] = {{0, 1, 64}, {1, 2, 96}, {4, 2, 192}, {6, 2, 320}};
  for (const Case& c : presets) {
    vars.OutputOGGPresets = c.Preset;
    EXPECT_EQ(OggOutputFormatOf(vars), (TOggFormatCall{44100, c.Channels, c.BitRate, -1})) << int(c.Preset);
  }
  vars.OutputOGGPresets = 7;
  EXPECT_FALSE(OggOutputFormatOf(vars).has_value());

  vars.OutputOGGType = 1;
  vars.OutputOGGMode = 1;
  vars.OutputOGGABR = true;
  vars.OutputOGGABRBitRate = 6;
  EXPECT_EQ(OggOutputFormatOf(vars), (TOggFormatCall{44100, 1, 350, -1}));
  vars.OutputOGGABR = false;
  vars.OutputOGGQualityValue = 60;
  EXPECT_EQ(OggOutputFormatOf(vars), (TOggFormatCall{44100, 1, 0, 600}));
  vars.OutputOGGType = 2;
  EXPECT_FALSE(OggOutputFormatOf(vars).has_value());
}

TEST(WmaSetUp, ProfilesOfThePresets) {
  TGlobalVars vars = DefaultRecord();
  const int profiles[] = {36, 23, 16, 13, 11, 10, 8};
  for (int preset = 0; preset < 7; ++preset) {
    vars.OutputWMAPresets = static_cast<Byte>(preset);
    EXPECT_EQ(WmaOutputProfileOf(vars), profiles[preset]);
  }
  vars.OutputWMAPresets = 7;
  EXPECT_FALSE(WmaOutputProfileOf(vars).has_value());
}

TEST(DocumentExtension, DotMustBeInTheFileName) {
  struct Case {
    const wchar_t* Path;
    const wchar_t* Extension;
  } cases[] = {
      {L"C:\\music\\song.WAV", L".WAV"}, {L"Untitled", L""},           {L"C:\\a.b\\song", L""},
      {L"Track - 01", L""},              {L"Disc 1.5 - intro", L".5 - intro"}, {L"C:.x", L".x"},
      {L"song.", L"."},                  {L"C:x.y:z", L""},
  };
  for (const Case& c : cases) EXPECT_EQ(DocumentExtension(c.Path), c.Extension) << c.Path;
}

TEST(OutputFileType, ByLowerCasedExtension) {
  EXPECT_EQ(OutputFileTypeOfExtension(L".wav"), 1);
  EXPECT_EQ(OutputFileTypeOfExtension(L".mp3"), 2);
  EXPECT_EQ(OutputFileTypeOfExtension(L".ogg"), 6);
  EXPECT_EQ(OutputFileTypeOfExtension(L".wma"), 11);
  EXPECT_EQ(OutputFileTypeOfExtension(L".aiff"), 0);
  EXPECT_EQ(OutputFileTypeOfExtension(L""), 0);
}

}  // namespace
