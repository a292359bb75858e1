#include "app/TextToSpeech.h"

#include <memory>

#include "app/DocumentDialogSteps.h"
#include "app/FormControls.h"
#include "app/MainForm.h"
#include "app/core/Centring.h"
#include "app/core/FontNames.h"
#include "app/core/Globals.h"
#include "app/core/WaitCursor.h"
#include "platform/audio/editor/AudioEditor.h"
#include "platform/audio/editor/AudioEditorInterfaces.h"
#include "platform/audio/speech/TextToAudio2.h"
#include "platform/framework/rtl/FileUtils.h"

DEFINE_CLASS(TTextToSpeechForm)

namespace {

const int kSpeechRates[] = {6000, 8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000, 88200, 96000};

// Deletes the speech file when the command ends, however it ends.
class TSpeechFile {
 public:
  explicit TSpeechFile(String Path) : path_(std::move(Path)) { DeleteFile(path_); }
  ~TSpeechFile() { DeleteFile(path_); }
  TSpeechFile(const TSpeechFile&) = delete;
  TSpeechFile& operator=(const TSpeechFile&) = delete;
  const String& Path() const { return path_; }

 private:
  String path_;
};

}  // namespace

int SpeechSampleRate(int DocumentRate) {
  for (int rate : kSpeechRates)
    if (rate == DocumentRate) return rate;
  return 44100;
}

int SpeechChannels(int DocumentChannels) { return DocumentChannels == 1 || DocumentChannels == 2 ? DocumentChannels : 2; }

TTextToSpeechForm::TTextToSpeechForm(TComponent* AOwner) : TForm(AOwner, 0) {
  TLoadingBracket loading(*this);
  SetName(L"TextToSpeechForm");
  SetCaption(L"Synthesize Speech");
  SetBorderStyle(bsDialog);
  Font()->SetName(L"Tahoma");
  Font()->SetSize(8);
  SetClientSize(420, 330);

  GroupBoxText = AddControl<TGroupBox>(loading, this, this, L"GroupBoxText", 8, 8, 404, 180);
  GroupBoxText->SetCaption(L"&Text of Speech to Synthesize");
  MemoInputString = AddControl<TMemo>(loading, this, GroupBoxText, L"MemoInputString", 10, 20, 384, 150);
  MemoInputString->SetScrollBars(ssVertical);
  LabelVoice = AddControl<TLabel>(loading, this, this, L"LabelVoice", 8, 198, 200, 14);
  LabelVoice->SetCaption(L"&Voice or Speech Engine:");
  ComboBoxVoice = AddControl<TComboBox>(loading, this, this, L"ComboBoxVoice", 8, 214, 404, 21);
  ComboBoxVoice->SetStyle(csDropDownList);
  ComboBoxVoice->OnChange = {this, &TTextToSpeechForm::ComboBoxVoiceChange};
  LabelVoice->SetFocusControl(ComboBoxVoice);
  LabelProgress = AddControl<TLabel>(loading, this, this, L"LabelProgress", 8, 244, 200, 14);
  LabelProgress->SetCaption(L"&Progress:");
  ProgressBar = AddControl<TProgressBar>(loading, this, this, L"ProgressBar", 8, 260, 404, 16);
  ProgressBar->SetMax(100);
  ButtonSynthesize = AddControl<TButton>(loading, this, this, L"ButtonSynthesize", 214, 294, 117, 25);
  ButtonSynthesize->SetCaption(L"Synthesize Speech");
  ButtonSynthesize->SetDefault(true);
  ButtonSynthesize->OnClick = {this, &TTextToSpeechForm::ButtonSynthesizeClick};
  ButtonCancel = AddControl<TButton>(loading, this, this, L"ButtonCancel", 337, 294, 75, 25);
  ButtonCancel->SetCaption(L"Cancel");
  ButtonCancel->Cancel = true;
  ButtonCancel->OnClick = {this, &TTextToSpeechForm::ButtonCancelClick};

  OnCreate = {this, &TTextToSpeechForm::FormCreate};
  OnShow = {this, &TTextToSpeechForm::FormShow};
  loading.End();
}

void TTextToSpeechForm::FormCreate(TObject*) {
  Speech = new TTextToAudio2(this);
  Speech->OnConvertBlock = {this, &TTextToSpeechForm::SpeechConvertBlock};
  Speech->OnEndConvert = {this, &TTextToSpeechForm::SpeechEndConvert};
  const int voices = Speech->GetVoiceCount();
  if (voices <= 0) {
    Application->MessageBox(L"No Speech Engine detected.", Application->Title(), MB_OK | MB_ICONERROR);
    // Ends the dialog before it is shown.
    ModalResult = mrCancel;
    return;
  }
  for (int i = 0; i < voices; ++i) {
    Speech->SelectVoice(i);
    ComboBoxVoice->Items()->Add(Speech->GetVoiceName());
  }
  Speech->SelectVoice(0);
  ComboBoxVoice->SetItemIndex(0);
}

void TTextToSpeechForm::FormShow(TObject*) { ReplaceFontName(this, L"Tahoma", Screen->HintFont()->Name()); }

void TTextToSpeechForm::ComboBoxVoiceChange(TObject*) {
  Speech->SetVoiceName(ComboBoxVoice->Items()->Strings(ComboBoxVoice->ItemIndex()));
}

void TTextToSpeechForm::EnableInputs(bool Enabled) {
  for (TControl* control : std::initializer_list<TControl*>{MemoInputString, LabelVoice, ComboBoxVoice, ButtonSynthesize})
    control->SetEnabled(Enabled);
}

void TTextToSpeechForm::ButtonSynthesizeClick(TObject*) {
  if (MemoInputString->Lines()->Count() == 0) {
    Application->MessageBox(L"No Text of Speech to Synthesize.", Application->Title(), MB_OK | MB_ICONERROR);
    return;
  }
  Speech->SetOutputFormat(SampleRate, Channels);
  Speech->SetRate(0);
  Speech->SetVolume(100);
  Speech->SetVoicePitch(-1);
  TWaitCursor wait;
  EnableInputs(false);
  String text;
  for (wchar_t ch : MemoInputString->Text())
    if (ch != L'<') text += ch;
  Speech->ConvertToFile(text, OutputPath, 16);
}

void TTextToSpeechForm::SpeechConvertBlock(TObject*, int Percent) { ProgressBar->SetPosition(Percent); }

void TTextToSpeechForm::SpeechEndConvert(TObject*) {
  EnableInputs(true);
  ModalResult = mrOk;
}

void TTextToSpeechForm::ButtonCancelClick(TObject*) {
  Speech->CancelConversion();
  ModalResult = mrCancel;
}

// ---- The main window's part ----------------------------------------------------------------------

void TMainForm::ActionTextToSpeechExecute(TObject*) {
  StopTransport();
  const bool intoDocument = DocumentOpen;
  int rate = GlobalVars.OP_DefSample, channels = GlobalVars.OP_DefChannel;
  if (intoDocument) {
    rate = SpeechSampleRate(AudioEditor->FileInfo()->GetSampleRate());
    channels = SpeechChannels(AudioEditor->FileInfo()->GetChannels());
  }
  // Without a document the format is the new document's: asked for when the options say so.
  if (!intoDocument && GlobalVars.OP_PromptNewFile && !PromptNewFileFormat(this, rate, channels)) return;
  const TSpeechFile file(GlobalVars.DataFolder + L"SynthesizeSpeech.wav");
  std::unique_ptr<TTextToSpeechForm> dialog(new TTextToSpeechForm(this));
  CentreOver(dialog.get(), this);
  dialog->SampleRate = rate;
  dialog->Channels = channels;
  dialog->OutputPath = file.Path();
  if (dialog->ShowModal() != mrOk) return;
  if (!intoDocument && !NewAudioDocument(L"Untitled", rate, channels)) return;
  AudioEditor->InsertFile(file.Path());
  SetModified(true);
}
