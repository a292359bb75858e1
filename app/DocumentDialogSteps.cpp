#include "app/DocumentDialogSteps.h"

#include "app/MainForm.h"
#include "app/OutputFormats.h"
#include "app/core/Globals.h"
#include "platform/audio/editor/AudioEditor.h"
#include "platform/framework/rtl/SysUtils.h"

namespace {

constexpr int kConversionRateCount = 10;
constexpr int kGenreCount = 148;

}  // namespace

TNewFileChoice NewFileChoiceOf(const TGlobalVars& Vars) {
  return {Vars.DefNewFileSampleRate, Vars.DefNewFileChannels == 1};
}

void AcceptNewFileChoice(const TNewFileChoice& Choice, TGlobalVars& Vars, int& SampleRate, int& Channels) {
  SampleRate = NewFileSampleRateOfIndex(Choice.RateIndex);
  Vars.DefNewFileSampleRate = static_cast<Byte>(Choice.RateIndex);
  Channels = Choice.Mono ? 1 : 2;
  Vars.DefNewFileChannels = Choice.Mono ? 1 : 0;
}

int ConversionRateIndexOf(int SampleRate) {
  for (int index = 0; index < kConversionRateCount; ++index)
    if (ConversionSampleRateOfIndex(index) == SampleRate) return index;
  return ConversionRateIndexOf(44100);
}

void ConvertDocumentFormat(TMainForm& Form, int RateIndex, bool Mono) {
  Form.AudioEditor->ConvertSampleRate(ConversionSampleRateOfIndex(RateIndex), Mono ? 1 : 2);
  Form.SetModified(true);
}

TTagTexts DocumentTagsOf(TAudioEditor2& Editor) {
  IAudioEditor2FileInfo* info = Editor.FileInfo();
  TTagTexts tags;
  tags.Title = info->GetTitle();
  tags.Artist = info->GetArtist();
  tags.Album = info->GetAlbum();
  tags.Genre = static_cast<short>(info->GetGenre() & 0xFFFF);
  tags.Year = IntToStr(info->GetYear());
  tags.Comment = info->GetComment();
  return tags;
}

bool AcceptDocumentTags(TMainForm& Form, const TTagTexts& Tags) {
  int year = 0;
  try {
    year = StrToInt(Tags.Year);
  } catch (const EConvertError& E) {
    Application->ShowException(E);
    return false;
  }
  IAudioEditor2FileInfo* info = Form.AudioEditor->FileInfo();
  info->SetTitle(Tags.Title);
  info->SetArtist(Tags.Artist);
  info->SetAlbum(Tags.Album);
  if (Tags.Genre >= 0 && Tags.Genre < kGenreCount) info->SetGenre(Tags.Genre);
  info->SetYear(year);
  info->SetComment(Tags.Comment);
  Form.SetModified(true);
  return true;
}

void AcceptOptions(TMainForm& Form) {
  Form.ApplyTempDirectory();
  Form.RegisterShellVerbs();
}
