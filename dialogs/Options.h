#pragma once
// TOptionsForm ("Options"): the program-wide options of the settings record (how a new document
// gets its format, the shell verb, the audio working folder, the automatic playback switches), and
// the deletion of the recent-files list.

#include "platform/framework/controls/ComCtrls.h"
#include "platform/framework/controls/StdCtrls.h"
#include "platform/framework/windows/Forms.h"

class TOptionsForm : public TForm {
  DECLARE_CLASS(TOptionsForm, TForm)
 public:
  explicit TOptionsForm(TComponent* AOwner);

  TPageControl* PageControl = nullptr;
  TTabSheet* TabSheetGeneral = nullptr;
  TGroupBox* GroupBoxNewFile = nullptr;
  TRadioButton* RadioButtonPrompt = nullptr;
  TRadioButton* RadioButtonUseDefault = nullptr;
  TButton* ButtonSetDefault = nullptr;
  TGroupBox* GroupBoxOptions = nullptr;
  TCheckBox* CheckBoxAddToExplore = nullptr;
  TButton* ButtonDeleteRecent = nullptr;
  TTabSheet* TabSheetAudio = nullptr;
  TGroupBox* GroupBoxFolder = nullptr;
  TRadioButton* RadioButtonUseDefaultFolder = nullptr;
  TRadioButton* RadioButtonUseSpecifiedFolder = nullptr;
  TEdit* EditFolder = nullptr;
  TButton* ButtonFolder = nullptr;
  TGroupBox* GroupBoxPlay = nullptr;
  TCheckBox* CheckBoxPlayAfterOpen = nullptr;
  TCheckBox* CheckBoxPlayAfterEdit = nullptr;
  TCheckBox* CheckBoxPlayAfterBookbark = nullptr;
  TCheckBox* CheckBoxPlayAfterRegion = nullptr;
  TButton* ButtonOK = nullptr;
  TButton* ButtonCancel = nullptr;
  TButton* ButtonHelp = nullptr;

  // The record's options into the controls and back; the default format and the working folder
  // chosen with their buttons are stored at once, not here.
  void LoadFromSettings();
  void StoreToSettings();
  // "&Set Default Sample Rate and Channels" follows "&Use Default ..."; the folder edit and its
  // button follow "Use this Specified Folder".
  void UpdateNewFileEnabling();
  void UpdateFolderEnabling();

  void FormShow(TObject* Sender);
  void RadioButtonPromptClick(TObject* Sender);
  void RadioButtonUseDefaultClick(TObject* Sender);
  void RadioButtonUseDefaultFolderClick(TObject* Sender);
  void RadioButtonUseSpecifiedFolderClick(TObject* Sender);
  void ButtonSetDefaultClick(TObject* Sender);
  void ButtonFolderClick(TObject* Sender);
  void ButtonDeleteRecentClick(TObject* Sender);
  void ButtonHelpClick(TObject* Sender);
};
