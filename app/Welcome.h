#pragma once
// The welcome window: a start page with six choices (new file, new recording, open a file, load
// from CD, text to speech, one of the three most recent files), four tutorial topics and the
// "Show this dialog at startup" option. Closing it without a choice (Close or the close box)
// chooses nothing.

#include "platform/framework/controls/ExtCtrls.h"
#include "platform/framework/controls/StdCtrls.h"
#include "platform/framework/windows/Forms.h"

class TLoadingBracket;

class TWelcomeStartForm : public TForm {
  DECLARE_CLASS(TWelcomeStartForm, TForm)
 public:
  // The choices: 1 new file, 2 new recording, 3 open file, 4 load from CD, 5 text to speech,
  // 6 recent file (then Path).
  static constexpr int ChoiceNone = 0;
  static constexpr int ChoiceRecentFile = 6;

  explicit TWelcomeStartForm(TComponent* AOwner);

  TImage* ImageMain = nullptr;
  TLabel* LabelNew = nullptr;
  TLabel* LabelNewRecording = nullptr;
  TLabel* LabelLoadfromCD = nullptr;
  TLabel* LabelTexttoSpeech = nullptr;
  TLabel* LabelRecentFiles = nullptr;
  TLabel* LabelTutorial = nullptr;
  TLabel* lab1 = nullptr;
  TLabel* lab2 = nullptr;
  TLabel* lab3 = nullptr;
  TLabel* labClear = nullptr;
  TLabel* labMore = nullptr;
  TLabel* LabelHowTo1 = nullptr;
  TLabel* LabelHowTo2 = nullptr;
  TLabel* LabelHowTo3 = nullptr;
  TLabel* LabelHowTo4 = nullptr;
  TCheckBox* CheckBoxShowAtStart = nullptr;
  TLabel* LabelShowAtStart = nullptr;
  TButton* ButtonClose = nullptr;

  int Choice = ChoiceNone;
  String Path;

  void FormCreate(TObject* Sender);
  void LabelNewClick(TObject* Sender);
  void LabelNewRecordingClick(TObject* Sender);
  void labMoreClick(TObject* Sender);
  void LabelLoadfromCDClick(TObject* Sender);
  void LabelTexttoSpeechClick(TObject* Sender);
  void lab1Click(TObject* Sender);
  void labClearClick(TObject* Sender);
  void CheckBoxShowAtStartClick(TObject* Sender);
  void LabelShowAtStartClick(TObject* Sender);
  void LabelHowTo1Click(TObject* Sender);
  void LabelHowTo2Click(TObject* Sender);
  void LabelHowTo3Click(TObject* Sender);
  void LabelHowTo4Click(TObject* Sender);
  void LabelNewMouseEnter(TObject* Sender);
  void LabelNewMouseLeave(TObject* Sender);

  // Fills lab1 to lab3 and labClear from "MRUList.dat".
  void FillRecentLabels();

 private:
  TLabel* AddLink(TLoadingBracket& Loading, const wchar_t* Name, const wchar_t* Caption, int Left, int Top,
                  int Width, int Height, void (TWelcomeStartForm::*Click)(TObject*));
  void Choose(int Value);
};
