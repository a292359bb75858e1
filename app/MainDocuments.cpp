// The document commands of the main window: open, new (with its prompt), save (with the format
// dialog) and close, the save prompt, the shared services every command uses, the default tags of a
// new document, and the sample-rate conversion, tag and options commands with their dialogs.

#include <ctime>
#include <memory>

#include "app/DocumentDialogSteps.h"
#include "app/MainForm.h"
#include "app/OutputFormats.h"
#include "app/core/Centring.h"
#include "app/core/WaitCursor.h"
#include "capture/BatchConverter.h"
#include "capture/LoadCD.h"
#include "app/core/Globals.h"
#include "app/core/Paths.h"
#include "app/core/SampleRates.h"
#include "dialogs/ConvertSampleRate.h"
#include "dialogs/DialogProtocol.h"
#include "dialogs/EditID3.h"
#include "dialogs/FormatDialog.h"
#include "dialogs/Options.h"
#include "platform/audio/editor/AudioEditor.h"
#include "platform/framework/rtl/FileUtils.h"
#include "platform/framework/rtl/SysUtils.h"

namespace {

String DocumentNameOf(const String& Path, TAudioEditor2& Editor) {
  return Format(L"%s - [ %s ]", {Path, Editor.FileInfo()->GetFormatText()});
}

int CurrentYear() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_s(&local, &now);
  return local.tm_year + 1900;
}

}  // namespace

// ---- Services ------------------------------------------------------------------------------------

void TMainForm::StopTransport() {
  const int state = AudioEditor->TransportState();
  if (state == 1 || state == 2 || state == 5) AudioEditor->StopTransport();
}

void TMainForm::SelectAllIfEmpty() {
  IAudioEditor2Position* position = AudioEditor->Position();
  if (position->GetSelectionStart() != position->GetSelectionEnd()) return;
  position->SetSelectionChannel(-1);
  position->SetSelectionStart(0);
  position->SetSelectionEnd(position->GetLength());
}

void TMainForm::SetModified(bool Modified) {
  AudioEditor->Tag = Modified ? DocumentTagModified : DocumentTagClean;
}

bool TMainForm::IsModified() const { return AudioEditor->Tag == DocumentTagModified; }

// ---- Save prompt, open and new -------------------------------------------------------------------

bool TMainForm::AskToSaveChanges() {
  if (!IsModified()) return true;
  const int answer =
      Application->MessageBox(Format(L"Do you want to save the changes you made to \"%s\"?", {DocumentPath}),
                              Application->Title(), MB_YESNOCANCEL | MB_ICONQUESTION);
  if (answer == IDCANCEL) return false;
  if (answer == IDYES) return SaveAudioFile(false, false);
  return true;
}

bool TMainForm::OpenAudioFile(const String& Path) {
  if (!AskToSaveChanges()) return false;
  // The editor builds the new document completely before it replaces the old one, so a failure
  // leaves everything as it was.
  try {
    AudioEditor->OpenFile(Path, 0);
  } catch (const Exception& E) {
    Application->ShowException(E);
    return false;
  }
  DocumentPath = Path;
  DocumentOpen = true;
  GlobalVars.LastOpenDir = ExtractFileDir(Path);
  SetDocumentName(DocumentNameOf(Path, *AudioEditor));
  SetModified(false);
  RecentFiles.FileUsed(Path);
  RecentFilesChanged();
  ApplyTempDirectory();
  ClearMarkerLists();
  if (GlobalVars.OP_PlayAfterOpened) ActionPlayExecute(this);
  return true;
}

bool TMainForm::NewAudioDocument(const String& Name, int SampleRate, int Channels) {
  if (!AskToSaveChanges()) return false;
  try {
    AudioEditor->NewDocument(SampleRate, Channels);
  } catch (const Exception& E) {
    Application->ShowException(E);
    return false;
  }
  DocumentPath = Name;
  SetDefaultTags();
  DocumentOpen = true;
  SetDocumentName(DocumentNameOf(Name, *AudioEditor));
  SetModified(false);
  ApplyTempDirectory();
  ClearMarkerLists();
  return true;
}

void TMainForm::SetDefaultTags() {
  IAudioEditor2FileInfo* info = AudioEditor->FileInfo();
  info->SetTitle(L"Untitled");
  info->SetArtist(L"Unknown Artist");
  info->SetAlbum(L"Unknown Album");
  info->SetGenre(0);
  info->SetYear(CurrentYear());
  info->SetComment(Format(L"Created by %s (%s)", {Application->Title(), GlobalVars.ProductPageAddress}));
}

// ---- Save ----------------------------------------------------------------------------------------

int TMainForm::OutputFileTypeOrError(const String& Path) {
  const int fileType = OutputFileTypeOfExtension(LowerCase(DocumentExtension(Path)));
  if (fileType == 0)
    Application->MessageBox(
        Format(L"\"%s\" cannot be written: choose a file name ending in .wav, .mp3, .ogg or .wma.", {Path}),
        Application->Title(), MB_OK | MB_ICONERROR);
  return fileType;
}

bool TMainForm::SaveAudioFile(bool SaveAs, bool SelectionOnly) {
  String path = DocumentPath;
  // A name that is not an output format is asked for again, like a name without extension.
  if (SaveAs || OutputFileTypeOfExtension(LowerCase(DocumentExtension(path))) == 0) {
    SaveDialog->FileName = RemoveExtension(DocumentPath);
    if (!SaveDialog->Execute()) return false;
    path = SaveDialog->FileName;
    if (OutputFileTypeOrError(path) == 0) return false;
  }
  // The format dialog of the extension: its load step, the modal show and, on OK, its store step.
  if (!ExecuteOutputFormatDialog(LowerCase(DocumentExtension(path)), this)) return false;
  try {
    WriteDocumentFile(path, SelectionOnly);
  } catch (const Exception& E) {
    Application->ShowException(E);
    return false;
  }
  return true;
}

void TMainForm::WriteDocumentFile(const String& Path, bool SelectionOnly) {
  const int fileType = OutputFileTypeOfExtension(LowerCase(DocumentExtension(Path)));
  ApplyOutputFormat(fileType);
  AudioEditor->SaveRangeAs(Path, SelectionOnly ? -1 : 0, fileType);
  // A selection written to its own file leaves the document's name and unsaved changes alone.
  if (!SelectionOnly) {
    DocumentPath = Path;
    SetModified(false);
    SetDocumentName(Path);
  }
  RecentFiles.FileUsed(Path);
  RecentFilesChanged();
}

void TMainForm::ApplyOutputFormat(int FileType) {
  switch (FileType) {
    case FileTypeWav:
      ApplyWaveOutputFormat(*AudioEditor, GlobalVars);
      break;
    case FileTypeMp3:
      ApplyMp3OutputFormat(*AudioEditor, LameEnc, GlobalVars);
      break;
    case FileTypeOgg:
      ApplyOggOutputFormat(*AudioEditor, GlobalVars);
      break;
    case FileTypeWma:
      ApplyWmaOutputFormat(*AudioEditor, GlobalVars);
      break;
    default:
      break;
  }
}

// ---- Commands ------------------------------------------------------------------------------------

void TMainForm::ActionNewFileExecute(TObject*) {
  StopTransport();
  int rate = GlobalVars.OP_DefSample, channels = GlobalVars.OP_DefChannel;
  if (GlobalVars.OP_PromptNewFile && !PromptNewFileFormat(this, rate, channels)) return;
  NewAudioDocument(L"Untitled", rate, channels);
}

void TMainForm::ActionOpenFileExecute(TObject*) {
  StopTransport();
  OpenDialog->FileName.clear();
  OpenDialog->InitialDir = GlobalVars.LastOpenDir;
  if (OpenDialog->Execute()) OpenAudioFile(OpenDialog->FileName);
}

void TMainForm::ActionLoadCDExecute(TObject*) {
  StopTransport();
  String trackPath, caption;
  {
    TWaitCursor wait;
    // The CD-ROM drives as the load-CD dialog will see them.
    TCDDrives drives;
    if (ListCDDriveLetters(drives) == 0) {
      Application->MessageBox(L"No CD-ROM drivres have been detected. If you do have a CD-ROM drive installed but see "
                              L"this message please read the Help topic relating to Loading CD Tracks.",
                              Application->Title(), MB_OK | MB_ICONERROR);
      return;
    }
    std::unique_ptr<TLoadCDForm> dialog(new TLoadCDForm(this));
    CentreOver(dialog.get(), this);
    if (dialog->ShowModal() == mrOk && dialog->SelectedItem()) {
      trackPath = dialog->SelectedItem()->TrackPath;
      caption = dialog->SelectedItem()->Caption;
    }
  }
  if (trackPath.empty() || !FileExists(trackPath) || !OpenAudioFile(trackPath)) return;
  DocumentPath = caption;
  SetDocumentName(caption);
}

void TMainForm::ActionBatchExecute(TObject*) {
  StopTransport();
  ObjectPtr<TBatchConverterForm> dialog(new TBatchConverterForm(this));
  CentreOver(dialog.get(), this);
  dialog->ShowModal();
}

void TMainForm::ActionSaveFileExecute(TObject*) {
  StopTransport();
  SaveAudioFile(false, false);
}

void TMainForm::ActionSaveAsExecute(TObject*) {
  StopTransport();
  SaveAudioFile(true, false);
}

void TMainForm::ActionCloseFileExecute(TObject*) {
  StopTransport();
  if (!AskToSaveChanges()) return;
  AudioEditor->CloseFile();
  ClearMarkerLists();
  DocumentOpen = false;
  DocumentPath.clear();
  SetDocumentName(L"");
  SetModified(false);
}

void TMainForm::ActionConvertSampleRateExecute(TObject*) {
  StopTransport();
  IAudioEditor2FileInfo* info = AudioEditor->FileInfo();
  ExecuteDialog<TConvertSampleRateForm>(
      this,
      [info](TConvertSampleRateForm& dialog) {
        dialog.ComboBoxRate->SetItemIndex(ConversionRateIndexOf(info->GetSampleRate()));
        dialog.GroupBoxSChannels->SetItemIndex(info->GetChannels() == 1 ? 0 : 1);
      },
      [this](TConvertSampleRateForm& dialog) {
        ConvertDocumentFormat(*this, dialog.ComboBoxRate->ItemIndex(), dialog.GroupBoxSChannels->ItemIndex() == 0);
      });
}

void TMainForm::ActionEditID3Execute(TObject*) {
  StopTransport();
  ExecuteDialog<TEditID3Form>(
      this,
      [this](TEditID3Form& dialog) {
        IAudioEditor2FileInfo* info = AudioEditor->FileInfo();
        for (int genre = 0; genre < GenreCount; ++genre) dialog.ComboBoxGenre->Items()->Add(info->GetGenreName(genre));
        const TTagTexts tags = DocumentTagsOf(*AudioEditor);
        dialog.EditTitle->SetText(tags.Title);
        dialog.EditArtist->SetText(tags.Artist);
        dialog.EditAlbum->SetText(tags.Album);
        dialog.ComboBoxGenre->SetItemIndex(tags.Genre);
        dialog.EditYear->SetText(tags.Year);
        dialog.MemoComment->SetText(tags.Comment);
      },
      [this](TEditID3Form& dialog) {
        AcceptDocumentTags(*this, {dialog.EditTitle->Text(), dialog.EditArtist->Text(), dialog.EditAlbum->Text(),
                                   dialog.ComboBoxGenre->ItemIndex(), dialog.EditYear->Text(),
                                   dialog.MemoComment->Text()});
      });
}

void TMainForm::ActionOptionsExecute(TObject*) {
  ExecuteDialog<TOptionsForm>(
      this, [](TOptionsForm& dialog) { dialog.LoadFromSettings(); },
      [this](TOptionsForm& dialog) {
        dialog.StoreToSettings();
        AcceptOptions(*this);
      });
}
