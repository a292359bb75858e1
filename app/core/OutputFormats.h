#pragma once
// The output format from the settings record: the index tables that decode the record's index
// fields and the set-up of each format as a pure function from the record to the call it makes. The
// editor's save routine and the batch converter's writer share them.

#include <optional>

#include "platform/framework/base/Types.h"

struct TGlobalVars;

// ---- Index tables (an index outside a table gives its "other" value) ------------------------------

int ChannelsOfModeIndex(int Index);
int WaveSampleRateOfIndex(int Index);
int WaveBitsOfIndex(int Index);
int Mp3CbrBitRateOfIndex(int Index);
int Mp3AbrBitRateOfIndex(int Index);
int Mp3VbrMinBitRateOfIndex(int Index);
int Mp3VbrMaxBitRateOfIndex(int Index);
int Mp3ChannelsOfModeIndex(int Index);
int OggAbrBitRateOfIndex(int Index);

// ---- Calls ---------------------------------------------------------------------------------------

struct TWaveFormatCall {
  int Rate = 44100;
  int Channels = 2;
  int Bits = 16;
  bool operator==(const TWaveFormatCall&) const = default;
};

// The MP3 set-up: either a constant bit rate call, or encoder settings followed by handing the
// encoder over. Settings left empty are not set.
struct TMp3FormatCall {
  bool ConstantBitRate = false;
  // SetMp3Cbr (Rate, BitRate, Channels)
  int Rate = 44100;
  int BitRate = 0;
  int Channels = 2;
  // Encoder settings, then SetMp3Encoder.
  std::optional<int> Preset;
  std::optional<int> EncoderChannels;
  std::optional<int> StereoMode;
  std::optional<int> MaxBitRate;
  std::optional<int> MinBitRate;
  std::optional<int> VbrMethod;
  std::optional<int> VbrQuality;
  std::optional<int> AbrBitRate;
  std::optional<int> WriteXing;
  std::optional<int> Crc;
  bool operator==(const TMp3FormatCall&) const = default;
};

// SetOggFormat (Rate, Channels, BitRate, 0, 0, Quality).
struct TOggFormatCall {
  int Rate = 44100;
  int Channels = 2;
  int BitRate = 0;
  int Quality = -1;
  bool operator==(const TOggFormatCall&) const = default;
};

TWaveFormatCall WaveOutputFormatOf(const TGlobalVars& Vars);
TMp3FormatCall Mp3OutputFormatOf(const TGlobalVars& Vars);
// The encoder settings of a set-up that hands an encoder over (ConstantBitRate false), in the order
// the set-up names them; settings left empty are not set. Any encoder object with these setters.
template <class TEncoder>
void ApplyMp3EncoderCall(TEncoder& Encoder, const TMp3FormatCall& Call) {
  if (Call.Preset) Encoder.SetPreset(*Call.Preset);
  if (Call.EncoderChannels) Encoder.SetChannels(*Call.EncoderChannels);
  if (Call.StereoMode) Encoder.SetStereoMode(*Call.StereoMode);
  if (Call.MaxBitRate) Encoder.SetMaxBitRate(*Call.MaxBitRate);
  if (Call.MinBitRate) Encoder.SetMinBitRate(*Call.MinBitRate);
  if (Call.VbrMethod) Encoder.SetVbrMethod(*Call.VbrMethod);
  if (Call.VbrQuality) Encoder.SetVbrQuality(*Call.VbrQuality);
  if (Call.AbrBitRate) Encoder.SetAbrBitRate(*Call.AbrBitRate);
  if (Call.WriteXing) Encoder.SetWriteXing(*Call.WriteXing);
  if (Call.Crc) Encoder.SetCrc(*Call.Crc);
}

// Empty when the record's OGG type sets nothing.
std::optional<TOggFormatCall> OggOutputFormatOf(const TGlobalVars& Vars);
// The WMA profile; empty for a preset index outside the table.
std::optional<int> WmaOutputProfileOf(const TGlobalVars& Vars);

// ---- Output file types ---------------------------------------------------------------------------

// The editor's file-type codes.
constexpr int FileTypeWav = 1;
constexpr int FileTypeMp3 = 2;
constexpr int FileTypeOgg = 6;
constexpr int FileTypeWma = 11;

// The file-type code of a lower-cased extension (".wav", ".mp3", ".ogg", ".wma"); 0 for others.
int OutputFileTypeOfExtension(const String& LowerExtension);

// A path's extension: from the last dot to the end, dot included, when no backslash or colon follows
// that dot; otherwise empty.
String DocumentExtension(const String& Path);
