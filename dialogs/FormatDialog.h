#pragma once
// The output format dialogs: a preset chosen on a slider, or specified settings edited in a second
// dialog and summarised in one line (the WAV, MP3 and OGG dialogs); or presets only (WMA). Every
// member is a TOutputFormatForm described by a table (TOutputFormatSpec); the behaviour is here
// once. The dialogs only edit fields of the settings record; callers turn them into the editor's
// output format.

#include <span>

#include "app/core/Globals.h"
#include "dialogs/ImageSlider.h"
#include "platform/framework/controls/StdCtrls.h"
#include "platform/framework/windows/Forms.h"

// A dialog filled from the settings record and emptied into it on OK.
class TSettingsForm : public TForm {
  DECLARE_CLASS(TSettingsForm, TForm)
 public:
  explicit TSettingsForm(TComponent* AOwner) : TForm(AOwner, 0) {}
  virtual void LoadFromSettings() = 0;
  virtual void StoreToSettings() = 0;
};

// Centres the dialog over the control, loads it, shows it modally and stores it on OK. True on OK.
bool ExecuteSettingsForm(TSettingsForm& Dialog, TControl* Over);

// The two labels of a preset: its name and its description.
struct TPresetLabel {
  const wchar_t* Quality;
  const wchar_t* Description;
};

// The text of a list entry; Unknown for an index outside the list.
template <std::size_t N>
const wchar_t* ListText(const wchar_t* const (&Texts)[N], int Index, const wchar_t* Unknown) {
  return Index >= 0 && Index < static_cast<int>(N) ? Texts[Index] : Unknown;
}

// The list's item index into a record field; a list with no item selected leaves the field.
void StoreItemIndex(TComboBox* List, Byte& Field);

// The labels of preset Value, or null for a value outside the table (the labels then keep their text).
const TPresetLabel* PresetLabelOf(std::span<const TPresetLabel> Labels, int Value);

// The specify dialog factory of a member's table.
template <class T>
TSettingsForm* NewSettingsForm(TComponent* Owner) {
  return new T(Owner);
}

struct TOutputFormatSpec {
  const wchar_t* Name;
  const wchar_t* Caption;
  int PresetMax;
  // The slider's value in the form description.
  int PresetValue;
  const wchar_t* HelpTopic;
  std::span<const TPresetLabel> PresetLabels;
  // The preset field; the type field (0 preset, 1 specify) is null for a dialog of presets only.
  Byte TGlobalVars::*PresetField;
  Byte TGlobalVars::*TypeField;
  // The summary of the specify fields, and the specify dialog (two-way dialogs only).
  String (*Summary)(const TGlobalVars& Vars);
  TSettingsForm* (*NewSpecifyForm)(TComponent* Owner);
};

class TOutputFormatForm : public TSettingsForm {
  DECLARE_CLASS(TOutputFormatForm, TSettingsForm)
 public:
  // Controls a dialog of presets only lacks are null: the two radio buttons, the summary and
  // "&Configure...".
  TRadioButton* RadioButtonPresetQuality = nullptr;
  TLabel* LabelLowQuality = nullptr;
  TImageSlider* ImageSliderPreset = nullptr;
  TLabel* LabelHighQuality = nullptr;
  TLabel* LabelPresetQuality1 = nullptr;
  TLabel* LabelPresetQuality2 = nullptr;
  TRadioButton* RadioButtonSpecifySettings = nullptr;
  TLabel* LabelSpecifySettings = nullptr;
  TButton* ButtonConfigure = nullptr;
  TButton* ButtonOK = nullptr;
  TButton* ButtonCancel = nullptr;
  TButton* ButtonHelp = nullptr;

  const TOutputFormatSpec& Spec() const { return spec_; }

  // Type 0 checks the preset radio button, 1 the specify one, another value neither; the slider
  // takes the preset. The store step writes the type only when a radio button is checked.
  void LoadFromSettings() override;
  void StoreToSettings() override;
  // The preset controls follow the preset radio button, the summary and "&Configure..." the
  // specify one.
  void UpdatePresetEnabling();
  // The preset labels of the slider's value.
  void UpdatePresetLabels();

  void FormShow(TObject* Sender);
  void RadioButtonPresetQualityClick(TObject* Sender);
  void RadioButtonSpecifySettingsClick(TObject* Sender);
  void ImageSliderPresetChange(TObject* Sender);
  // The specify dialog over this one; on its OK the record's specify fields change at once.
  void ButtonConfigureClick(TObject* Sender);
  void ButtonHelpClick(TObject* Sender);

 protected:
  TOutputFormatForm(TComponent* AOwner, const TOutputFormatSpec& Spec);

 private:
  bool TwoWay() const { return spec_.TypeField != nullptr; }
  const TOutputFormatSpec& spec_;
};

// The output format dialog of a lower-cased extension (".wav", ".mp3", ".ogg", ".wma"), owned by
// Owner; null for any other extension.
TOutputFormatForm* NewOutputFormatForm(const String& LowerExtension, TComponent* Owner);
// That dialog over Owner through ExecuteSettingsForm, freed afterwards. True on OK; false on
// Cancel and for an extension without a dialog.
bool ExecuteOutputFormatDialog(const String& LowerExtension, TWinControl* Owner);
