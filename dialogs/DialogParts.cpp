#include "dialogs/DialogParts.h"

#include "app/core/FontNames.h"
#include "platform/framework/windows/FormBuilding.h"

void BuildDialogForm(TForm& Form, const wchar_t* Name, const wchar_t* Caption, int ClientWidth, int ClientHeight,
                     TFormBorderStyle Border, TBorderIcons Icons) {
  Form.SetName(Name);
  Form.SetCaption(Caption);
  Form.SetBorderStyle(Border);
  Form.SetBorderIcons(Icons);
  Form.Font()->SetName(L"Tahoma");
  Form.Font()->SetSize(8);
  Form.SetClientSize(ClientWidth, ClientHeight);
}

TLabel* AddLabel(TLoadingBracket& Loading, TForm& Form, TWinControl* Parent, const wchar_t* Name,
                 const wchar_t* Caption, const TRect& Bounds) {
  auto* label = PlaceControl(Loading, new TLabel(&Form), Parent, Name, Bounds);
  label->SetCaption(Caption);
  return label;
}

TButton* AddButton(TLoadingBracket& Loading, TForm& Form, TWinControl* Parent, const wchar_t* Name,
                   const wchar_t* Caption, const TRect& Bounds, TModalResult Result, bool Default) {
  auto* button = PlaceControl(Loading, new TButton(&Form), Parent, Name, Bounds);
  button->SetCaption(Caption);
  button->SetDefault(Default);
  button->ModalResult = Result;
  return button;
}

TEdit* AddEdit(TLoadingBracket& Loading, TForm& Form, TWinControl* Parent, const wchar_t* Name, const TRect& Bounds,
               int MaxLength, const wchar_t* Text) {
  auto* edit = PlaceControl(Loading, new TEdit(&Form), Parent, Name, Bounds);
  edit->SetMaxLength(MaxLength);
  edit->SetText(Text);
  return edit;
}

TComboBox* AddDropDownList(TLoadingBracket& Loading, TForm& Form, TWinControl* Parent, const wchar_t* Name,
                           const TRect& Bounds, std::initializer_list<const wchar_t*> Items, int ItemIndex) {
  auto* combo = PlaceControl(Loading, new TComboBox(&Form), Parent, Name, Bounds);
  combo->SetStyle(csDropDownList);
  for (const wchar_t* item : Items) combo->Items()->Add(item);
  combo->SetItemIndex(ItemIndex);
  return combo;
}

namespace {

// A button control with a caption and a checked state.
template <class T>
T* AddCheckable(TLoadingBracket& loading, TForm& form, TWinControl* parent, const wchar_t* name,
                const wchar_t* caption, const TRect& bounds, bool checked) {
  auto* control = PlaceControl(loading, new T(&form), parent, name, bounds);
  control->SetCaption(caption);
  control->SetChecked(checked);
  return control;
}

}  // namespace

TRadioButton* AddRadioButton(TLoadingBracket& Loading, TForm& Form, TWinControl* Parent, const wchar_t* Name,
                             const wchar_t* Caption, const TRect& Bounds, bool Checked) {
  return AddCheckable<TRadioButton>(Loading, Form, Parent, Name, Caption, Bounds, Checked);
}

TCheckBox* AddCheckBox(TLoadingBracket& Loading, TForm& Form, TWinControl* Parent, const wchar_t* Name,
                       const wchar_t* Caption, const TRect& Bounds, bool Checked) {
  return AddCheckable<TCheckBox>(Loading, Form, Parent, Name, Caption, Bounds, Checked);
}

TGroupBox* AddGroupBox(TLoadingBracket& Loading, TForm& Form, TWinControl* Parent, const wchar_t* Name,
                       const wchar_t* Caption, const TRect& Bounds) {
  auto* group = PlaceControl(Loading, new TGroupBox(&Form), Parent, Name, Bounds);
  group->SetCaption(Caption);
  return group;
}

TBevel* AddTopLine(TLoadingBracket& Loading, TForm& Form, const wchar_t* Name, const TRect& Bounds) {
  auto* bevel = PlaceControl(Loading, new TBevel(&Form), &Form, Name, Bounds);
  bevel->SetShape(bsTopLine);
  return bevel;
}

TOneValueControls BuildOneValueDialog(TLoadingBracket& Loading, TForm& Form, const wchar_t* Name,
                                      const wchar_t* Caption, const wchar_t* LabelName, const wchar_t* LabelCaption,
                                      const wchar_t* EditName, int MaxLength, const wchar_t* Text) {
  BuildDialogForm(Form, Name, Caption, 220, 86);
  TOneValueControls c;
  c.Label = AddLabel(Loading, Form, &Form, LabelName, LabelCaption, Bounds(12, 15, 136, 14));
  c.Edit = AddEdit(Loading, Form, &Form, EditName, Bounds(156, 12, 52, 21), MaxLength, Text);
  c.Label->SetFocusControl(c.Edit);
  c.OK = AddButton(Loading, Form, &Form, L"ButtonOK", L"&OK", Bounds(52, 50, 75, 25), mrOk, true);
  c.Cancel = AddButton(Loading, Form, &Form, L"ButtonCancel", L"&Cancel", Bounds(133, 50, 75, 25), mrCancel);
  return c;
}

void ApplyDialogShowSteps(TForm& Form, std::initializer_list<TEdit*> DigitEdits) {
  ReplaceFontName(&Form, L"Tahoma", Screen->HintFont()->Name());
  for (TEdit* edit : DigitEdits) edit->SetNumbersOnly(true);
}
