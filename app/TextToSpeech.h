#pragma once
// Text to speech: the dialog "Synthesize Speech" speaks the typed text with a chosen voice into a
// WAV file, which the main window's command inserts at the cursor of the open document or into a
// new "Untitled" document. The file lives in the data folder for one command only.

#include "platform/framework/controls/ComCtrls.h"
#include "platform/framework/controls/StdCtrls.h"
#include "platform/framework/windows/Forms.h"

class TTextToAudio2;

class TTextToSpeechForm : public TForm {
  DECLARE_CLASS(TTextToSpeechForm, TForm)
 public:
  explicit TTextToSpeechForm(TComponent* AOwner);

  TGroupBox* GroupBoxText = nullptr;
  TMemo* MemoInputString = nullptr;
  TLabel* LabelVoice = nullptr;
  TComboBox* ComboBoxVoice = nullptr;
  TLabel* LabelProgress = nullptr;
  TProgressBar* ProgressBar = nullptr;
  TButton* ButtonSynthesize = nullptr;
  TButton* ButtonCancel = nullptr;

  int SampleRate = 44100;
  int Channels = 2;
  String OutputPath;
  TTextToAudio2* Speech = nullptr;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void ComboBoxVoiceChange(TObject* Sender);
  void ButtonSynthesizeClick(TObject* Sender);
  void ButtonCancelClick(TObject* Sender);
  void SpeechConvertBlock(TObject* Sender, int Percent);
  void SpeechEndConvert(TObject* Sender);

 private:
  void EnableInputs(bool Enabled);
};

// The speech output's rate for a document of that rate: the rate itself when it is one of the
// twelve the speech may take over, else 44100; and the channels (1 or 2, else 2).
int SpeechSampleRate(int DocumentRate);
int SpeechChannels(int DocumentChannels);
