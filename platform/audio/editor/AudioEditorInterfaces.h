#pragma once
// The editor control's sub-interfaces other than the transform: positions, file information, output
// formats, markers, channels, the two scales and the colours. Each is a thin object over its
// TAudioEditor2, reached through the control's getters (Position(), FileInfo(), ScaleX(), ...); every
// call that changes something is written to the audio call log.

#include <cstdint>

#include "platform/audio/codecs/Mp3EncoderSettings.h"
#include "platform/framework/graphics/Graphics.h"

class TAudioEditor2;
struct EditorScaleSettings;

class IAudioEditor2Position {
 public:
  explicit IAudioEditor2Position(TAudioEditor2& editor) : editor_(editor) {}
  // Rounded to the nearest frame.
  std::int64_t MillisecondsToSamples(double milliseconds);
  double SamplesToMilliseconds(std::int64_t samples);
  std::int64_t GetSelectionStart();
  void SetSelectionStart(std::int64_t position);
  std::int64_t GetSelectionEnd();
  void SetSelectionEnd(std::int64_t position);
  std::int64_t GetViewStart();
  void SetViewStart(std::int64_t position);
  std::int64_t GetViewEnd();
  void SetViewEnd(std::int64_t position);
  // -1 and 0 both mean all channels; other values raise.
  void SetSelectionChannel(int channel);
  std::int64_t GetLength();
  // While the transport runs: the position being heard.
  std::int64_t GetCursorPosition();
  // Empties the selection at `position`.
  void SetCursorPosition(std::int64_t position);

 private:
  TAudioEditor2& editor_;
};

class IAudioEditor2FileInfo {
 public:
  explicit IAudioEditor2FileInfo(TAudioEditor2& editor) : editor_(editor) {}
  // 0..147.
  String GetGenreName(int index);
  int GetSampleRate();
  int GetChannels();
  String GetTitle();
  void SetTitle(const String& value);
  String GetArtist();
  void SetArtist(const String& value);
  String GetAlbum();
  void SetAlbum(const String& value);
  String GetComment();
  void SetComment(const String& value);
  // The year tag as a number; 0 when it holds none.
  int GetYear();
  void SetYear(int year);
  // The genre as an index into the genre names; "Other" when the tag names none of them.
  int GetGenre();
  void SetGenre(int index);
  // "WAV PCM 16-bit, 44100 Hz, Stereo".
  String GetFormatText();

 private:
  template <class Change>
  void ChangeTags(const wchar_t* method, const String& logged, Change change);
  TAudioEditor2& editor_;
};

class IAudioEditor2FileFormat {
 public:
  explicit IAudioEditor2FileFormat(TAudioEditor2& editor) : editor_(editor) {}
  // WAV (type 1): bits 8, 16, 24 integer PCM, 32 float.
  void SetWaveFormat(int sampleRate, int channels, int bitsPerSample);
  // MP3 (type 2) at a constant bit rate in kbit/s.
  void SetMp3Cbr(int sampleRate, int kbps, int channels);
  // MP3 with the settings of an encoder settings object (copied).
  void SetMp3Encoder(const TAudioFile2LameEnc& encoder);
  // OGG (type 6): quality -1 asks for the managed bit rate `kbps`, else tenths of a percent.
  void SetOggFormat(int sampleRate, int channels, int kbps, int reserved1, int reserved2, int quality);
  // WMA (type 11): profiles 36, 23, 16, 13, 11, 10, 8.
  void SetWmaProfile(int profile);

 private:
  TAudioEditor2& editor_;
};

class IAudioEditor2Markers {
 public:
  explicit IAudioEditor2Markers(TAudioEditor2& editor) : editor_(editor) {}
  // A bookmark has length 0. The five trailing values are reserved. Returns the new marker's id
  // (the marker count).
  int AddMarker(std::int64_t position, std::int64_t length, const String& name, const String& kind, int reserved1,
                int reserved2, int reserved3, int reserved4, int reserved5);
  // Deletes the selected marker; later ones move down by one.
  void DeleteMarker();
  int GetMarkerCount();
  int GetMarkerId();
  // Raises for an id outside 1..count.
  void SelectMarker(int id);
  std::int64_t GetMarkerLength();
  std::int64_t GetMarkerPosition();
  String GetMarkerName();

 private:
  TAudioEditor2& editor_;
};

class IAudioEditor2Channel {
 public:
  explicit IAudioEditor2Channel(TAudioEditor2& editor) : editor_(editor) {}
  // 1 left, 2 right: the lane SetChannelEnabled acts on.
  void SelectChannel(int channel);
  // Shows (non-zero) or hides the selected channel's lane. Edits still act on every channel.
  void SetChannelEnabled(int enabled);

 private:
  TAudioEditor2& editor_;
  int selected_ = 1;
};

class IAudioEditor2Scale {
 public:
  IAudioEditor2Scale(TAudioEditor2& editor, bool horizontal) : editor_(editor), horizontal_(horizontal) {}
  void SetScaleFont(const String& name, int size, TColor color);
  // Horizontal: 1 samples, 2 m:ss.dddd. Vertical: 1 sample values, 2 normalized, 3 decibels.
  void SetFormat(int format);
  // -1 when shown, 0 when hidden.
  int GetVisible();
  void SetVisible(int visible);
  // Grid lines across the wave at this scale's ticks (non-zero: shown).
  void SetGridLines(int shown);

 private:
  EditorScaleSettings& Settings();
  const wchar_t* LogName() const;
  TAudioEditor2& editor_;
  bool horizontal_;
};

class IAudioEditor2Colors {
 public:
  explicit IAudioEditor2Colors(TAudioEditor2& editor) : editor_(editor) {}
  // Any of the even slots 8..40 (EditorColorSlot); raises for another slot.
  void SetColor(int slot, TColor color);
  void SetBackground(TColor color) { SetColor(8, color); }
  void SetWaveform(TColor color) { SetColor(10, color); }
  void SetCentreLine(TColor color) { SetColor(12, color); }
  void SetGrid(TColor color) { SetColor(14, color); }
  void SetSelectedWaveform(TColor color) { SetColor(16, color); }
  void SetCursor(TColor color) { SetColor(18, color); }
  void SetPlayPosition(TColor color) { SetColor(20, color); }
  void SetScaleBackground(TColor color) { SetColor(22, color); }
  void SetSelectionBackground(TColor color) { SetColor(24, color); }
  void SetBorder(TColor color) { SetColor(26, color); }
  void SetChannelDivider(TColor color) { SetColor(28, color); }
  void SetRegionOutline(TColor color) { SetColor(30, color); }
  void SetMarkers(TColor color) { SetColor(32, color); }
  void SetRegionFill(TColor color) { SetColor(34, color); }
  void SetSpectrumLow(TColor color) { SetColor(36, color); }
  void SetSpectrumMid(TColor color) { SetColor(38, color); }
  void SetSpectrumHigh(TColor color) { SetColor(40, color); }
  TColor GetColor(int slot);

 private:
  TAudioEditor2& editor_;
};
