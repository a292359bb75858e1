#include "app/DocumentDialogSteps.h"

#include "app/MainForm.h"
#include "app/core/Globals.h"
#include "app/core/SampleRates.h"
#include "dialogs/DialogProtocol.h"
#include "dialogs/NewFile.h"
#include "platform/audio/editor/AudioEditor.h"
#include "platform/framework/rtl/SysUtils.h"

TNewFileChoice NewFileChoiceOf(const TGlobalVars& Vars) {
  const int index = Vars.DefNewFileSampleRate < NewFileRateCount ? Vars.DefNewFileSampleRate : NewFileDefaultRateIndex;
  return {index, Vars.DefNewFileChannels == 1};
}

void AcceptNewFileChoice(const TNewFileChoice& Choice, TGlobalVars& Vars, int& SampleRate, int& Channels) {
  // A choice outside the list (none selected) is the rate it creates: 44100.
  const bool listed = Choice.RateIndex >= 0 && Choice.RateIndex < NewFileRateCount;
  const int index = listed ? Choice.RateIndex : NewFileDefaultRateIndex;
  SampleRate = NewFileSampleRateOfIndex(index);
  Vars.DefNewFileSampleRate = static_cast<Byte>(index);
  Channels = Choice.Mono ? 1 : 2;
  Vars.DefNewFileChannels = Choice.Mono ? 1 : 0;
}

bool PromptNewFileFormat(TWinControl* Owner, int& SampleRate, int& Channels) {
  return ExecuteDialog<TNewFileForm>(
      Owner,
      [](TNewFileForm& dialog) {
        const TNewFileChoice start = NewFileChoiceOf(GlobalVars);
        dialog.cbSampleRate->SetItemIndex(start.RateIndex);
        (start.Mono ? dialog.rbMono : dialog.rbStereo)->SetChecked(true);
      },
      [&](TNewFileForm& dialog) {
        AcceptNewFileChoice({dialog.cbSampleRate->ItemIndex(), dialog.rbMono->Checked()}, GlobalVars, SampleRate,
                            Channels);
      });
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
  if (Tags.Genre >= 0 && Tags.Genre < GenreCount) info->SetGenre(Tags.Genre);
  info->SetYear(year);
  info->SetComment(Tags.Comment);
  Form.SetModified(true);
  return true;
}

void AcceptOptions(TMainForm& Form) {
  Form.ApplyTempDirectory();
  Form.RegisterShellVerbs();
}
