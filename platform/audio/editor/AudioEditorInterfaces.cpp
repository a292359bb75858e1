#include "platform/audio/editor/AudioEditorInterfaces.h"

#include <cwchar>

#include "platform/audio/codecs/WmaFile.h"
#include "platform/audio/core/AudioError.h"
#include "platform/audio/core/GenreNames.h"
#include "platform/audio/devices/AudioCallLog.h"
#include "platform/audio/editor/AudioEditor.h"

namespace {

constexpr const wchar_t* kPositionLog = L"TAudioEditor2.Position";
constexpr const wchar_t* kFileInfoLog = L"TAudioEditor2.FileInfo";
constexpr const wchar_t* kFileFormatLog = L"TAudioEditor2.FileFormat";
constexpr const wchar_t* kMarkersLog = L"TAudioEditor2.Markers";
constexpr const wchar_t* kChannelLog = L"TAudioEditor2.Channel";
constexpr const wchar_t* kColorsLog = L"TAudioEditor2.Colors";
constexpr int kOtherGenre = 12;

}  // namespace

// ---- position ------------------------------------------------------------------------------------

std::int64_t IAudioEditor2Position::MillisecondsToSamples(double milliseconds) {
  return editor_.engine_.MillisecondsToSamples(milliseconds);
}

double IAudioEditor2Position::SamplesToMilliseconds(std::int64_t samples) {
  return editor_.engine_.SamplesToMilliseconds(samples);
}

std::int64_t IAudioEditor2Position::GetSelectionStart() { return editor_.engine_.SelectionStart(); }

void IAudioEditor2Position::SetSelectionStart(std::int64_t position) {
  AudioCallLog::Add(kPositionLog, L"SetSelectionStart", position);
  editor_.engine_.SetSelectionStart(position);
}

std::int64_t IAudioEditor2Position::GetSelectionEnd() { return editor_.engine_.SelectionEnd(); }

void IAudioEditor2Position::SetSelectionEnd(std::int64_t position) {
  AudioCallLog::Add(kPositionLog, L"SetSelectionEnd", position);
  editor_.engine_.SetSelectionEnd(position);
}

std::int64_t IAudioEditor2Position::GetViewStart() { return editor_.view_.Start(); }

void IAudioEditor2Position::SetViewStart(std::int64_t position) {
  AudioCallLog::Add(kPositionLog, L"SetViewStart", position);
  editor_.view_.SetStart(position, editor_.engine_.Length());
  editor_.ViewChanged();
}

std::int64_t IAudioEditor2Position::GetViewEnd() { return editor_.view_.End(); }

void IAudioEditor2Position::SetViewEnd(std::int64_t position) {
  AudioCallLog::Add(kPositionLog, L"SetViewEnd", position);
  editor_.view_.SetEnd(position, editor_.engine_.Length());
  editor_.ViewChanged();
}

void IAudioEditor2Position::SetSelectionChannel(int channel) {
  AudioCallLog::Add(kPositionLog, L"SetSelectionChannel", channel);
  editor_.engine_.SetSelectionChannel(channel);
}

std::int64_t IAudioEditor2Position::GetLength() { return editor_.engine_.Length(); }

std::int64_t IAudioEditor2Position::GetCursorPosition() { return editor_.ShownCursor(); }

void IAudioEditor2Position::SetCursorPosition(std::int64_t position) {
  AudioCallLog::Add(kPositionLog, L"SetCursorPosition", position);
  editor_.engine_.SetCursorPosition(position);
}

// ---- file information ----------------------------------------------------------------------------

String IAudioEditor2FileInfo::GetGenreName(int index) { return GenreName(index); }
int IAudioEditor2FileInfo::GetSampleRate() { return editor_.engine_.SampleRate(); }
int IAudioEditor2FileInfo::GetChannels() { return editor_.engine_.Channels(); }
String IAudioEditor2FileInfo::GetTitle() { return editor_.engine_.Tags().Title; }
String IAudioEditor2FileInfo::GetArtist() { return editor_.engine_.Tags().Artist; }
String IAudioEditor2FileInfo::GetAlbum() { return editor_.engine_.Tags().Album; }
String IAudioEditor2FileInfo::GetComment() { return editor_.engine_.Tags().Comment; }
String IAudioEditor2FileInfo::GetFormatText() { return editor_.engine_.FormatText(); }

int IAudioEditor2FileInfo::GetYear() {
  const String& year = editor_.engine_.Tags().Year;
  wchar_t* end = nullptr;
  const long value = std::wcstol(year.c_str(), &end, 10);
  return end == year.c_str() ? 0 : static_cast<int>(value);
}

int IAudioEditor2FileInfo::GetGenre() {
  const String& genre = editor_.engine_.Tags().Genre;
  for (int i = 0; i < kGenreCount; ++i)
    if (GenreName(i) == genre) return i;
  return kOtherGenre;
}

template <class Change>
void IAudioEditor2FileInfo::ChangeTags(const wchar_t* method, const String& logged, Change change) {
  AudioCallLog::Add(kFileInfoLog, method, logged);
  AudioTags tags = editor_.engine_.Tags();
  change(tags);
  editor_.engine_.SetTags(tags);
}

void IAudioEditor2FileInfo::SetTitle(const String& value) {
  ChangeTags(L"SetTitle", value, [&](AudioTags& t) { t.Title = value; });
}
void IAudioEditor2FileInfo::SetArtist(const String& value) {
  ChangeTags(L"SetArtist", value, [&](AudioTags& t) { t.Artist = value; });
}
void IAudioEditor2FileInfo::SetAlbum(const String& value) {
  ChangeTags(L"SetAlbum", value, [&](AudioTags& t) { t.Album = value; });
}
void IAudioEditor2FileInfo::SetComment(const String& value) {
  ChangeTags(L"SetComment", value, [&](AudioTags& t) { t.Comment = value; });
}
void IAudioEditor2FileInfo::SetYear(int year) {
  const String text = std::to_wstring(year);
  ChangeTags(L"SetYear", text, [&](AudioTags& t) { t.Year = year == 0 ? String() : text; });
}
void IAudioEditor2FileInfo::SetGenre(int index) {
  const String name = GenreName(index);  // raises for an index outside the list
  ChangeTags(L"SetGenre", std::to_wstring(index), [&](AudioTags& t) { t.Genre = name; });
}

// ---- output formats ------------------------------------------------------------------------------

void IAudioEditor2FileFormat::SetWaveFormat(int sampleRate, int channels, int bitsPerSample) {
  AudioCallLog::Add(kFileFormatLog, L"SetWaveFormat", sampleRate, channels, bitsPerSample);
  if (bitsPerSample != 8 && bitsPerSample != 16 && bitsPerSample != 24 && bitsPerSample != 32)
    throw EAudioError(L"WAV files cannot hold " + std::to_wstring(bitsPerSample) + L"-bit samples.");
  editor_.engine_.SetFileFormat(kFileTypeWav, {sampleRate, channels, bitsPerSample});
}

void IAudioEditor2FileFormat::SetMp3Cbr(int sampleRate, int kbps, int channels) {
  AudioCallLog::Add(kFileFormatLog, L"SetMp3Cbr", sampleRate, kbps, channels);
  CheckSampleRate(sampleRate);
  CheckChannelCount(channels);
  editor_.mp3Config_ = Mp3ConstantBitRate(sampleRate, kbps, channels);
}

void IAudioEditor2FileFormat::SetMp3Encoder(const TAudioFile2LameEnc& encoder) {
  AudioCallLog::Add(kFileFormatLog, L"SetMp3Encoder");
  editor_.mp3Config_ = encoder.Config();
}

void IAudioEditor2FileFormat::SetOggFormat(int sampleRate, int channels, int kbps, int reserved1, int reserved2,
                                           int quality) {
  AudioCallLog::Add(kFileFormatLog, L"SetOggFormat", sampleRate, channels, kbps, reserved1, reserved2, quality);
  CheckSampleRate(sampleRate);
  CheckChannelCount(channels);
  OggEncoderConfig config;
  config.SampleRate = sampleRate;
  config.Channels = channels;
  config.BitRate = kbps;
  config.Quality = quality;
  editor_.oggConfig_ = config;
}

void IAudioEditor2FileFormat::SetWmaProfile(int profile) {
  AudioCallLog::Add(kFileFormatLog, L"SetWmaProfile", profile);
  if (!FindWmaProfile(profile)) throw EAudioError(L"Unknown WMA profile " + std::to_wstring(profile) + L".");
  editor_.wmaProfile_ = profile;
}

// ---- markers -------------------------------------------------------------------------------------

int IAudioEditor2Markers::AddMarker(std::int64_t position, std::int64_t length, const String& name, const String& kind,
                                    int reserved1, int reserved2, int reserved3, int reserved4, int reserved5) {
  AudioCallLog::Add(kMarkersLog, L"AddMarker", position, length, name, kind, reserved1, reserved2, reserved3, reserved4,
                    reserved5);
  const int id = editor_.engine_.AddMarker(position, length, name, kind);
  editor_.Invalidate();
  return id;
}

void IAudioEditor2Markers::DeleteMarker() {
  AudioCallLog::Add(kMarkersLog, L"DeleteMarker");
  editor_.engine_.DeleteMarker();
  editor_.Invalidate();
}

int IAudioEditor2Markers::GetMarkerCount() { return editor_.engine_.MarkerCount(); }
int IAudioEditor2Markers::GetMarkerId() { return editor_.engine_.MarkerId(); }

void IAudioEditor2Markers::SelectMarker(int id) {
  AudioCallLog::Add(kMarkersLog, L"SelectMarker", id);
  editor_.engine_.SelectMarker(id);
}

std::int64_t IAudioEditor2Markers::GetMarkerLength() { return editor_.engine_.SelectedMarker().Length; }
std::int64_t IAudioEditor2Markers::GetMarkerPosition() { return editor_.engine_.SelectedMarker().Position; }
String IAudioEditor2Markers::GetMarkerName() { return editor_.engine_.SelectedMarker().Name; }

// ---- channels ------------------------------------------------------------------------------------

void IAudioEditor2Channel::SelectChannel(int channel) {
  AudioCallLog::Add(kChannelLog, L"SelectChannel", channel);
  if (channel != 1 && channel != 2) throw EAudioError(L"Unknown channel " + std::to_wstring(channel) + L".");
  selected_ = channel;
}

void IAudioEditor2Channel::SetChannelEnabled(int enabled) {
  AudioCallLog::Add(kChannelLog, L"SetChannelEnabled", enabled);
  editor_.look_.ChannelVisible[selected_ - 1] = enabled != 0;
  editor_.Invalidate();
}

// ---- scales --------------------------------------------------------------------------------------

EditorScaleSettings& IAudioEditor2Scale::Settings() {
  return horizontal_ ? editor_.look_.ScaleX : editor_.look_.ScaleY;
}

const wchar_t* IAudioEditor2Scale::LogName() const {
  return horizontal_ ? L"TAudioEditor2.ScaleX" : L"TAudioEditor2.ScaleY";
}

void IAudioEditor2Scale::SetScaleFont(const String& name, int size, TColor color) {
  AudioCallLog::Add(LogName(), L"SetScaleFont", name, size, color);
  EditorScaleSettings& s = Settings();
  s.FontName = name;
  s.FontSize = size;
  s.FontColor = color;
  editor_.painter_.FontsChanged();
  editor_.Invalidate();
}

void IAudioEditor2Scale::SetFormat(int format) {
  AudioCallLog::Add(LogName(), L"SetFormat", format);
  const int last = horizontal_ ? sfTime : sfDecibels;
  if (format < 1 || format > last) throw EAudioError(L"Unknown scale format " + std::to_wstring(format) + L".");
  Settings().Format = format;
  editor_.Invalidate();
}

int IAudioEditor2Scale::GetVisible() { return Settings().Visible ? -1 : 0; }

void IAudioEditor2Scale::SetVisible(int visible) {
  AudioCallLog::Add(LogName(), L"SetVisible", visible);
  Settings().Visible = visible != 0;
  editor_.Invalidate();
}

void IAudioEditor2Scale::SetGridLines(int shown) {
  AudioCallLog::Add(LogName(), L"SetGridLines", shown);
  Settings().GridLines = shown != 0;
  editor_.Invalidate();
}

// ---- colours -------------------------------------------------------------------------------------

void IAudioEditor2Colors::SetColor(int slot, TColor color) {
  AudioCallLog::Add(kColorsLog, L"SetColor", slot, color);
  if (!IsColorSlot(slot)) throw EAudioError(L"Unknown colour slot " + std::to_wstring(slot) + L".");
  editor_.look_.Colors[slot] = color;
  editor_.Invalidate();
}

TColor IAudioEditor2Colors::GetColor(int slot) {
  if (!IsColorSlot(slot)) throw EAudioError(L"Unknown colour slot " + std::to_wstring(slot) + L".");
  return editor_.look_.Colors[slot];
}
