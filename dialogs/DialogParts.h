#pragma once
// The parts the format and edit dialogs are built from, in the form's constructor inside its
// loading bracket (PlaceControl, FormBuilding.h): the form conventions, labelled controls and
// buttons with their properties in published order; and the show step every one of them takes.

#include <initializer_list>

#include "platform/framework/classes/Filer.h"
#include "platform/framework/controls/ExtCtrls.h"
#include "platform/framework/controls/StdCtrls.h"
#include "platform/framework/windows/Forms.h"

// Name, caption, border (single with the system menu unless given), "Tahoma" 8 and client size.
void BuildDialogForm(TForm& Form, const wchar_t* Name, const wchar_t* Caption, int ClientWidth, int ClientHeight,
                     TFormBorderStyle Border = bsSingle, TBorderIcons Icons = {biSystemMenu});

TLabel* AddLabel(TLoadingBracket& Loading, TForm& Form, TWinControl* Parent, const wchar_t* Name,
                 const wchar_t* Caption, const TRect& Bounds);
// A push button; Cancel buttons are not Escape's button (a dialog closes by its own buttons).
TButton* AddButton(TLoadingBracket& Loading, TForm& Form, TWinControl* Parent, const wchar_t* Name,
                   const wchar_t* Caption, const TRect& Bounds, TModalResult Result = mrNone, bool Default = false);
TEdit* AddEdit(TLoadingBracket& Loading, TForm& Form, TWinControl* Parent, const wchar_t* Name, const TRect& Bounds,
               int MaxLength = 0, const wchar_t* Text = L"");
// A drop-down list of the items with the item at ItemIndex selected (-1: none).
TComboBox* AddDropDownList(TLoadingBracket& Loading, TForm& Form, TWinControl* Parent, const wchar_t* Name,
                           const TRect& Bounds, std::initializer_list<const wchar_t*> Items, int ItemIndex);
TRadioButton* AddRadioButton(TLoadingBracket& Loading, TForm& Form, TWinControl* Parent, const wchar_t* Name,
                             const wchar_t* Caption, const TRect& Bounds, bool Checked = false);
TCheckBox* AddCheckBox(TLoadingBracket& Loading, TForm& Form, TWinControl* Parent, const wchar_t* Name,
                       const wchar_t* Caption, const TRect& Bounds, bool Checked = false);
TGroupBox* AddGroupBox(TLoadingBracket& Loading, TForm& Form, TWinControl* Parent, const wchar_t* Name,
                       const wchar_t* Caption, const TRect& Bounds);
// A top-line bevel, the separator above a dialog's buttons.
TBevel* AddTopLine(TLoadingBracket& Loading, TForm& Form, const wchar_t* Name, const TRect& Bounds);

// The dialogs that ask for one number: the form, a label with its digits edit on one row, OK
// (default, modal result OK) and Cancel below.
struct TOneValueControls {
  TLabel* Label;
  TEdit* Edit;
  TButton* OK;
  TButton* Cancel;
};
TOneValueControls BuildOneValueDialog(TLoadingBracket& Loading, TForm& Form, const wchar_t* Name,
                                      const wchar_t* Caption, const wchar_t* LabelName, const wchar_t* LabelCaption,
                                      const wchar_t* EditName, int MaxLength, const wchar_t* Text);

// The show step of every format and edit dialog: "Tahoma" replaced by the screen's hint font in
// all its controls, and the numeric edits given the digits-only style.
void ApplyDialogShowSteps(TForm& Form, std::initializer_list<TEdit*> DigitEdits = {});
