#pragma once
// TRecordingWithoutSilenceForm ("Recording without silence"): the four thresholds of recording
// without silence, loaded from and stored to the settings record.

#include "platform/framework/controls/StdCtrls.h"
#include "platform/framework/windows/Forms.h"

struct TGlobalVars;

class TRecordingWithoutSilenceForm : public TForm {
  DECLARE_CLASS(TRecordingWithoutSilenceForm, TForm)
 public:
  explicit TRecordingWithoutSilenceForm(TComponent* AOwner);

  TGroupBox* GroupBoxAttack = nullptr;
  TEdit* EditAttackTime = nullptr;
  TEdit* EditAttackLevel = nullptr;
  TGroupBox* GroupBoxRelease = nullptr;
  TEdit* EditReleaseTime = nullptr;
  TEdit* EditReleaseLevel = nullptr;
  TButton* ButtonOK = nullptr;
  TButton* ButtonCancel = nullptr;
  TButton* ButtonHelp = nullptr;

  // Settings -> the four edits.
  void LoadValues(const TGlobalVars& Vars);
  // The four edits -> settings. An empty time edit stores 0 ms.
  void StoreValues(TGlobalVars& Vars);

  void FormShow(TObject* Sender);
  void LevelKeyPress(TObject* Sender, wchar_t& Key);
  void ButtonOKClick(TObject* Sender);
  void ButtonHelpClick(TObject* Sender);
};
