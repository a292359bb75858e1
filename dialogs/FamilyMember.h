#pragma once
// What every member form of the parameter dialog family has besides its own parameters: the
// family object, the published common controls, the operations callers use and the common named
// handlers, all forwarding to TParameterDialog. A member derives from TForm and from this.

#include "dialogs/ParameterDialog.h"

// Copies the controls of parameter Index into a member's published fields.
void TakeControls(const TParameterDialog& Family, int Index, TLabel*& Caption, TImageSlider*& Slider, TEdit*& Edit,
                  TLabel*& Min, TLabel*& Max);
void TakeControls(const TParameterDialog& Family, int Index, TLabel*& Caption, TEdit*& Edit);

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
  // The same arrangement in a client area of fixed size: the buttons at the bottom, the parameter
  // rows sharing the height between the preset list and the bevel. Caption labels take the column
  // up to SliderLeft; the sliders (or an edit alone) start there.
  void BuildFixedLayout(TLoadingBracket& Loading, int ClientWidth, int ClientHeight, int SliderLeft = 128);
  // Parameters First .. First + Count - 1 as rows inside Parent, from Top down to Bottom.
  void BuildRows(TLoadingBracket& Loading, TWinControl* Parent, int First, int Count, int Top, int Bottom,
                 int SliderLeft);
  // The bevel and the button row at the bottom of a client area of fixed size; the buttons close up
  // when the dialog is too narrow for their usual spacing.
  void BuildBottomButtons(TLoadingBracket& Loading);
  // Copies the common controls into the published fields.
  void TakeCommonControls();
  // Binds the common handlers (ButtonOKClick only for members with the OK focus step; those of the
  // preset list, Preview and the timer where the member has them); call after every property is set.
  void BindCommonHandlers(TForm& Form, bool OKHandler);

  TParameterDialog family_;
};
