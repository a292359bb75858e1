#pragma once
// The parameter dialog family: the behaviour every effect and filter dialog shares, once. Each
// member form owns one TParameterDialog, built from the member's table (its parameters, presets,
// preview number and help topic); the member's named handlers forward to it.
//
// A parameter is one of three kinds: a slider paired with an edit and two bound labels, a slider
// alone (the equalizer's bands), or an edit alone (the filters' frequency, the single-value
// members). Slider values are stored in the settings record as they are; an edit alone is stored by
// converting its text, which raises EConvertError for text that is not an integer.

#include <span>
#include <vector>

#include "app/core/Globals.h"
#include "dialogs/ImageSlider.h"
#include "platform/framework/classes/Filer.h"
#include "platform/framework/controls/ExtCtrls.h"
#include "platform/framework/controls/StdCtrls.h"
#include "platform/framework/windows/Forms.h"
#include "platform/framework/windows/Timer.h"

class IPreviewHost;

enum TParameterKind { pkSliderEdit, pkSlider, pkEdit };

// One row of a member's parameter table. Controls are named after Name: "Label" + Name (caption),
// "ImageSlider" + Name (a slider alone: Name itself), "Edit" + Name, "Label" + Name + "Min" and
// "Max" (bounds).
struct TParameterSpec {
  TParameterKind Kind;
  const wchar_t* Name;
  const wchar_t* Caption;
  int MinValue, MaxValue;
  int MaxLength;
  const wchar_t* MinCaption;
  const wchar_t* MaxCaption;
  int TGlobalVars::*Field;
  // A signed edit filters its keys (a minus sign only in front) instead of taking digits only.
  bool Signed = false;
  // The caption label's name where it is not "Label" + Name.
  const wchar_t* CaptionName = nullptr;
};

// A preset: its name and one value per parameter, in parameter order (an edit alone gets the value
// as decimal text).
struct TPresetSpec {
  const wchar_t* Name;
  std::vector<int> Values;
};

struct TParameterDialogSpec {
  const wchar_t* Caption;
  // The number the main window's preview chooses the effect by; -1 for a member without preview.
  int PreviewNumber;
  const wchar_t* HelpTopic;
  std::span<const TParameterSpec> Parameters;
  std::span<const TPresetSpec> Presets;
  // The order a preset sets the parameters in, where it is not the parameter order.
  std::span<const int> PresetOrder = {};
};

// The controls of one parameter; those its kind lacks are null.
struct TParameterControls {
  TLabel* Caption = nullptr;
  TImageSlider* Slider = nullptr;
  TEdit* Edit = nullptr;
  TLabel* MinLabel = nullptr;
  TLabel* MaxLabel = nullptr;
};

// The family's texts.
extern const wchar_t kPreviewCaption[];  // "&Preview"
extern const wchar_t kStopCaption[];     // "&Stop"

class TParameterDialog {
 public:
  TParameterDialog(TForm& Form, const TParameterDialogSpec& Spec);
  TParameterDialog(const TParameterDialog&) = delete;
  TParameterDialog& operator=(const TParameterDialog&) = delete;

  const TParameterDialogSpec& Spec() const { return spec_; }
  TForm& Form() const { return form_; }

  // ---- building, inside the form's loading bracket -------------------------------------------
  // The form conventions: caption, single border, system menu only, "Tahoma" 8, client size.
  void BuildForm(int ClientWidth, int ClientHeight);
  // The controls of parameter Index at the given row: caption label at Left, the slider (or the
  // alone edit) from SliderLeft, the paired edit at EditLeft, the bound labels under the slider.
  // Properties are set in published order; events are bound by the member afterwards.
  TParameterControls& BuildParameter(TLoadingBracket& Loading, int Index, TWinControl* Parent,
                                     const TRect& SliderBounds, int CaptionLeft, int EditLeft);
  // "&Presets:" and the preset list (first item "Select Preset", then the table's names).
  void BuildPresets(TLoadingBracket& Loading, TWinControl* Parent, const TRect& LabelBounds, const TRect& ComboBounds);
  // The button row (Preview at PreviewLeft, OK, Cancel and Help from OKLeft, Step px apart), the
  // monitor timer and, when BevelTop >= 0, the top-line bevel above the buttons. A member without a
  // preview (preview number -1) gets neither the Preview button nor the timer.
  void BuildButtons(TLoadingBracket& Loading, int Top, int PreviewLeft, int OKLeft, int BevelTop, int Step = 81);
  // Further controls SetControlsEnabled enables and disables (the equalizer's labels).
  void AddEnabledControl(TControl* Control) { extraEnabled_.push_back(Control); }

  const TParameterControls& Controls(int Index) const { return controls_.at(Index); }
  int ParameterCount() const { return int(spec_.Parameters.size()); }
  TLabel* LabelPreset() const { return labelPreset_; }
  TComboBox* ComboBoxPreset() const { return comboBoxPreset_; }
  TButton* ButtonPreview() const { return buttonPreview_; }
  TButton* ButtonOK() const { return buttonOK_; }
  TButton* ButtonCancel() const { return buttonCancel_; }
  TButton* ButtonHelp() const { return buttonHelp_; }
  TBevel* Bevel() const { return bevel_; }
  TTimer* TimerMonitor() const { return timerMonitor_; }

  // ---- behaviour ------------------------------------------------------------------------------
  void LoadFromSettings();
  void StoreToSettings();
  // Enabled for labels, sliders, the preset list and the buttons; edits become read-only instead.
  void SetControlsEnabled(bool Enabled);
  // The show steps: font replacement, digits-only edits, edits filled from their sliders (through
  // the members' slider change handlers), Previewing cleared and the monitor off; without a preview
  // host Preview is hidden.
  void FormShow();
  // Slider to edit: the edit reads the slider's value.
  void SliderChange(TObject* Sender);
  // Edit to slider while typing: red unless an integer in range, which moves the slider.
  void EditChange(TObject* Sender);
  // Leaving an edit: not an integer gives the minimum, out of range the nearer bound.
  void EditExit(TObject* Sender);
  // The signed key filter: digits, backspace, Enter and "." pass; "-" only at the start of a text
  // without one or over the whole text; anything else beeps and is dropped.
  void SignedKeyPress(TObject* Sender, wchar_t& Key);
  void PresetChange();
  void ApplyPreset(int Index);
  // Sets every slider to the value, in parameter order.
  void SetAllSliders(int Value);
  void PreviewClick();
  void MonitorTick();
  // OK of the slider members: the focus moves to OK, so a parameter edit's exit step runs first.
  void OKClick();
  void HelpClick();
  IPreviewHost* Host() const;

  // True for "-"? digits with no other character, in int range.
  static bool ParseInteger(const String& Text, int& Value);

 private:
  int IndexOfSlider(TObject* Sender) const;
  int IndexOfEdit(TObject* Sender) const;
  TLabel* MakeLabel(TLoadingBracket& Loading, TWinControl* Parent, const String& Name, const wchar_t* Caption,
                    const TRect& Bounds);
  TButton* MakeButton(TLoadingBracket& Loading, const wchar_t* Name, const wchar_t* Caption, int Left, int Top);
  void EndFailedStart();

  TForm& form_;
  const TParameterDialogSpec& spec_;
  std::vector<TParameterControls> controls_;
  std::vector<TControl*> extraEnabled_;
  TLabel* labelPreset_ = nullptr;
  TComboBox* comboBoxPreset_ = nullptr;
  TButton* buttonPreview_ = nullptr;
  TButton* buttonOK_ = nullptr;
  TButton* buttonCancel_ = nullptr;
  TButton* buttonHelp_ = nullptr;
  TBevel* bevel_ = nullptr;
  TTimer* timerMonitor_ = nullptr;
};
