// The record command: the recording console over the open document, or over a new one.

#include "app/DocumentDialogSteps.h"
#include "app/MainForm.h"
#include "app/RecordingSetup.h"
#include "app/core/Centring.h"
#include "app/core/Globals.h"
#include "capture/RecordControl.h"
#include "platform/audio/editor/AudioEditor.h"

namespace {

// Shows the console for the format once the recording file is prepared; true when the user kept
// the take (the file at RecordingFilePath is then finished and closed).
bool RunRecordingConsole(TMainForm& Form, const TRecordingFormat& Format) {
  if (!PrepareRecordingFile(GlobalVars)) return false;
  ObjectPtr<TRecordControlForm> console(new TRecordControlForm(&Form));
  CentreOver(console.get(), &Form);
  console->RecordSampleRate = Format.SampleRate;
  console->RecordChannels = Format.Channels;
  return console->ShowModal() == mrOk;
}

}  // namespace

void TMainForm::ActionRecordExecute(TObject*) {
  StopTransport();
  if (DocumentOpen) {
    IAudioEditor2FileInfo* info = AudioEditor->FileInfo();
    const bool keep =
        RunRecordingConsole(*this, RecordingFormatOfDocument(info->GetSampleRate(), info->GetChannels()));
    FinishRecording(*this, keep);
    return;
  }
  int rate = GlobalVars.OP_DefSample, channels = GlobalVars.OP_DefChannel;
  if (GlobalVars.OP_PromptNewFile && !PromptNewFileFormat(this, rate, channels)) return;
  const TRecordingFormat format = RecordingFormatOfNewDocument(rate, channels);
  if (!RunRecordingConsole(*this, format)) {
    FinishRecording(*this, false);
    return;
  }
  // A document that cannot be made (a cancelled save prompt) leaves the take in TempFolder.
  if (NewAudioDocument(L"Untitled", format.SampleRate, format.Channels)) FinishRecording(*this, true);
}

void TMainForm::ButtonRecordClick(TObject* Sender) { ActionRecordExecute(Sender); }
