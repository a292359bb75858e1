#pragma once
// What every member form of the parameter dialog family has besides its own parameters: the
// family object, the published common controls, the operations callers use and the common named
// handlers, all forwarding to TParameterDialog. A member derives from TForm and from this.

#include "dialogs/ParameterDialog.h"

class TFamilyMember {
 public:
  TParameterDialog& Family() { return family_; }

  TLabel* LabelPreset = nullptr;
  TComboBox* ComboBoxPreset = nullptr;
  TButton* ButtonPreview = nullptr;
  TButton* ButtonOK = nullptr;
  TButton* ButtonCancel = nullptr;
  TButton* ButtonHelp = nullptr;
  TBevel* Bevel = nullptr;
  TTimer* TimerMonitor = nullptr;

  void LoadFromSettings() { family_.LoadFromSettings(); }
  void StoreToSettings() { family_.StoreToSettings(); }
  void SetControlsEnabled(bool Enabled) { family_.SetControlsEnabled(Enabled); }

  void FormShow(TObject* Sender);
  void ComboBoxPresetChange(TObject* Sender);
  void ButtonPreviewClick(TObject* Sender);
  void TimerMonitorTimer(TObject* Sender);
  void ButtonOKClick(TObject* Sender);
  void ButtonHelpClick(TObject* Sender);

 protected:
  TFamilyMember(TForm& Form, const TParameterDialogSpec& Spec) : family_(Form, Spec) {}
  ~TFamilyMember() = default;

  // The filter-style layout at the given client width: the preset list on top, one row per
  // parameter in parameter order (an edit alone takes a short row), the bevel and the buttons;
  // the client height follows the rows.
  void BuildRowLayout(TLoadingBracket& Loading, int ClientWidth);
  // Copies the common controls into the published fields.
  void TakeCommonControls();
  // Binds the common handlers (ButtonOKClick only for members with the OK focus step); call after
  // every property is set.
  void BindCommonHandlers(TForm& Form, bool OKHandler);

  TParameterDialog family_;
};
