// The main window's edit commands: undo and redo, the clipboard, the selection commands, trimming,
// silence, inserting a file, saving the selection, and the work done after the OK of the dialogs
// that ask for a time range, a silence length, a repeat count or the mix levels.

#include "app/EditRoutines.h"
#include "app/MainForm.h"
#include "app/SampleTimes.h"
#include "app/core/Globals.h"
#include "app/core/Paths.h"
#include "dialogs/DialogProtocol.h"
#include "dialogs/InsertSilence.h"
#include "dialogs/PasteMix.h"
#include "dialogs/RepeatLoop.h"
#include "dialogs/SelectTime.h"
#include "platform/audio/editor/AudioEditor.h"
#include "platform/audio/processing/AudioInformation2.h"
#include "platform/framework/rtl/FileUtils.h"
#include "platform/framework/rtl/SysUtils.h"

void TMainForm::FinishEdit() {
  SetModified(true);
  if (GlobalVars.OP_PlayAfterEdit) ActionPlayExecute(this);
}

void TMainForm::ActionUndoExecute(TObject*) {
  StopTransport();
  AudioEditor->Undo();
}

void TMainForm::ActionRedoExecute(TObject*) {
  StopTransport();
  AudioEditor->Redo();
}

void TMainForm::RememberClipboard() {
  IAudioEditor2Position* position = AudioEditor->Position();
  const std::int64_t length = position->GetSelectionEnd() - position->GetSelectionStart();
  if (length <= 0) return;  // an empty selection leaves the clipboard as it was
  ClipboardFilled = true;
  ClipboardLength = length;
  ClipboardRate = AudioEditor->FileInfo()->GetSampleRate();
}

void TMainForm::ActionCutExecute(TObject*) {
  StopTransport();
  RememberClipboard();
  AudioEditor->CutSelection();
  FinishEdit();
}

void TMainForm::ActionCopyExecute(TObject*) {
  StopTransport();
  RememberClipboard();
  AudioEditor->CopyToClipboard();
}

void TMainForm::ActionPasteExecute(TObject*) {
  StopTransport();
  AudioEditor->PasteClipboard();
  FinishEdit();
}

void TMainForm::ActionDeleteExecute(TObject*) {
  StopTransport();
  AudioEditor->DeleteSelected();
  FinishEdit();
}

void TMainForm::ActionSelectAllExecute(TObject*) {
  StopTransport();
  SelectWholeDocument(*AudioEditor);
}

void TMainForm::ActionSelectToStartExecute(TObject*) {
  StopTransport();
  SelectToStartOfDocument(*AudioEditor);
}

void TMainForm::ActionSelectToEndExecute(TObject*) {
  StopTransport();
  SelectToEndOfDocument(*AudioEditor);
}

void TMainForm::ActionTrimExecute(TObject*) {
  StopTransport();
  IAudioEditor2Position* position = AudioEditor->Position();
  if (position->GetSelectionEnd() == position->GetSelectionStart()) {
    Application->MessageBox(L"You must select an audio part before this operstion.", Application->Title(),
                            MB_OK | MB_ICONERROR);
    return;
  }
  TrimToSelection(*AudioEditor);
  SetModified(true);
}

void TMainForm::ActionTrimStartExecute(TObject*) {
  StopTransport();
  SelectToStartOfDocument(*AudioEditor);
  AudioEditor->DeleteSelected();
  SetModified(true);
}

void TMainForm::ActionTrimEndExecute(TObject*) {
  StopTransport();
  SelectToEndOfDocument(*AudioEditor);
  AudioEditor->DeleteSelected();
  SetModified(true);
}

// Silence changes the content like every other edit, so it marks the document modified (else
// closing would discard it without asking) and plays afterwards when the option asks for it.
void TMainForm::ActionSilenceSelectExecute(TObject*) {
  StopTransport();
  AudioEditor->Transform()->SilenceSelection();
  FinishEdit();
}

void TMainForm::ActionSaveSelectExecute(TObject*) {
  StopTransport();
  SaveAudioFile(true, true);
}

void TMainForm::ActionCopyToNewExecute(TObject* Sender) { ActionSaveSelectExecute(Sender); }

void TMainForm::InsertFileAt(int Place) {
  StopTransport();
  OpenDialog->FileName.clear();
  OpenDialog->InitialDir = GlobalVars.LastOpenDir;
  if (!OpenDialog->Execute()) return;
  const String path = OpenDialog->FileName;
  PlaceCursorForInsert(*AudioEditor, static_cast<TInsertPlace>(Place));
  AudioEditor->InsertFile(path);
  GlobalVars.LastOpenDir = AddTrailingBackslash(ExtractFileDir(path));
  FinishEdit();
}

void TMainForm::ActionInsertFileBeginExecute(TObject*) { InsertFileAt(ipBegin); }
void TMainForm::ActionInsertFileCurrentExecute(TObject*) { InsertFileAt(ipCursor); }
void TMainForm::ActionInsertFileEndExecute(TObject*) { InsertFileAt(ipEnd); }

// ---- Commands with a dialog --------------------------------------------------------------------------

void TMainForm::ActionSelectSpecifiedTimeExecute(TObject*) {
  StopTransport();
  IAudioEditor2Position* position = AudioEditor->Position();
  ExecuteDialog<TSelectSpecifiedTimeForm>(
      this,
      [this, position](TSelectSpecifiedTimeForm& dialog) {
        // In milliseconds as the time panels show them; the given range is the requested one until OK.
        dialog.InitialStart = SampleMilliseconds(*AudioEditor, position->GetSelectionStart());
        dialog.InitialEnd = SampleMilliseconds(*AudioEditor, position->GetSelectionEnd());
        dialog.DocumentLength = SampleMilliseconds(*AudioEditor, position->GetLength());
        dialog.CursorPosition = SampleMilliseconds(*AudioEditor, position->GetCursorPosition());
        SelectedTimeStart = dialog.InitialStart;
        SelectedTimeEnd = dialog.InitialEnd;
      },
      [this](TSelectSpecifiedTimeForm& dialog) {
        SelectedTimeStart = dialog.RangeStart;
        SelectedTimeEnd = dialog.RangeEnd;
        SelectSpecifiedTimeAccepted();
      });
}

void TMainForm::PanelSelectionDblClick(TObject* Sender) {
  if (AudioEditor->Position()->GetLength() > 0) ActionSelectSpecifiedTimeExecute(Sender);
}

void TMainForm::InsertSilenceAt(int Place) {
  StopTransport();
  ExecuteDialog<TInsertSilenceForm>(
      this, [](TInsertSilenceForm& dialog) { dialog.EditSilenceTime->SetText(IntToStr(GlobalVars.InsertSilenceTime)); },
      [this, Place](TInsertSilenceForm& dialog) {
        InsertSilenceAccepted(Place, StrToInt(dialog.EditSilenceTime->Text()));
      });
}

void TMainForm::ActionInsertSilenceBeginExecute(TObject*) { InsertSilenceAt(ipBegin); }
void TMainForm::ActionInsertSilenceCurrentExecute(TObject*) { InsertSilenceAt(ipCursor); }
void TMainForm::ActionInsertSilenceEndExecute(TObject*) { InsertSilenceAt(ipEnd); }

void TMainForm::ActionRepeatLoopExecute(TObject*) {
  StopTransport();
  ExecuteDialog<TRepeatLoopForm>(this, nullptr, [this](TRepeatLoopForm& dialog) {
    RepeatLoopAccepted(StrToInt(dialog.EditRepeatTimes->Text()), RepeatChunkFrames);
  });
}

void TMainForm::MixWithDialog(bool FromFile) {
  StopTransport();
  TMixRequest request;
  request.FromFile = FromFile;
  if (FromFile) {
    OpenDialog->FileName.clear();
    OpenDialog->InitialDir = GlobalVars.LastOpenDir;
    if (!OpenDialog->Execute()) return;
    request.Path = OpenDialog->FileName;
  }
  const bool empty = AudioEditor->Position()->GetLength() == 0;
  ExecuteDialog<TPasteMixForm>(
      this,
      [empty](TPasteMixForm& dialog) {
        // An empty document has no selection to widen: only padding is offered.
        if (empty) {
          GlobalVars.IncreaseSelection = false;
          dialog.RadioButtonIncreaseSelection->SetEnabled(false);
        }
        dialog.EditSelectPart->SetText(IntToStr(GlobalVars.SelectePartPercent));
        dialog.EditAudioInBuffer->SetText(IntToStr(GlobalVars.AudioInBufferPercent));
        (GlobalVars.IncreaseSelection ? dialog.RadioButtonIncreaseSelection : dialog.RadioButtonInsertSilence)
            ->SetChecked(true);
      },
      [this, &request](TPasteMixForm& dialog) {
        request.SelectPartPercent = StrToInt(dialog.EditSelectPart->Text());
        request.AudioInBufferPercent = StrToInt(dialog.EditAudioInBuffer->Text());
        request.IncreaseSelection = dialog.RadioButtonIncreaseSelection->Checked();
        MixAccepted(request);
      });
}

void TMainForm::ActionMixFileExecute(TObject*) { MixWithDialog(true); }
void TMainForm::ActionPasteMixExecute(TObject*) { MixWithDialog(false); }

// ---- Work after a dialog's OK ----------------------------------------------------------------------

void TMainForm::SelectSpecifiedTimeAccepted() {
  SelectMilliseconds(*AudioEditor, SelectedTimeStart, SelectedTimeEnd);
}

void TMainForm::InsertSilenceAccepted(int Place, int Milliseconds) {
  GlobalVars.InsertSilenceTime = Milliseconds;
  if (InsertSilenceAtPlace(*AudioEditor, static_cast<TInsertPlace>(Place), Milliseconds)) FinishEdit();
}

void TMainForm::RepeatLoopAccepted(int Times, std::int64_t ChunkFrames) {
  SelectAllIfEmpty();
  if (Times == 0) return;
  RepeatSelection(*AudioEditor, Times, ChunkFrames);
  FinishEdit();
}

void TMainForm::MixAccepted(const TMixRequest& Request) {
  if (Request.FromFile) GlobalVars.LastOpenDir = AddTrailingBackslash(ExtractFileDir(Request.Path));
  // An empty document has nothing to widen: the dialog offers only padding then.
  const bool increase = Request.IncreaseSelection && AudioEditor->Position()->GetLength() != 0;
  GlobalVars.SelectePartPercent = Request.SelectPartPercent;
  GlobalVars.AudioInBufferPercent = Request.AudioInBufferPercent;
  GlobalVars.IncreaseSelection = increase;

  // The source's length in the document's samples.
  const int documentRate = AudioEditor->FileInfo()->GetSampleRate();
  std::int64_t sourceFrames = 0;
  if (Request.FromFile) {
    AudioInfo->ReadTagsFrom(Request.Path);
    sourceFrames = FramesAtRate(AudioInfo->GetLength(), AudioInfo->GetSampleRate(), documentRate);
  } else {
    sourceFrames = FramesAtRate(ClipboardLength, ClipboardRate, documentRate);
  }
  if (!increase) PadSelectionForMix(*AudioEditor, sourceFrames);

  const auto selectPart = static_cast<float>(Request.SelectPartPercent);
  const auto audioInBuffer = static_cast<float>(Request.AudioInBufferPercent);
  if (Request.FromFile)
    AudioEditor->MixFile(selectPart, Request.Path, audioInBuffer);
  else
    AudioEditor->PasteMix(selectPart, audioInBuffer);
  FinishEdit();
}
