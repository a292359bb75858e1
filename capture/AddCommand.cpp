#include "capture/AddCommand.h"

#include "app/core/Help.h"
#include "dialogs/DialogParts.h"
#include "platform/framework/windows/FormBuilding.h"

DEFINE_CLASS(TAddCommandForm)

TAddCommandForm::TAddCommandForm(TComponent* AOwner) : TForm(AOwner, 0) {
  TLoadingBracket loading(*this);
  BuildDialogForm(*this, L"AddCommandForm", L"Add Command", 276, 300);
  LabelSelect = AddLabel(loading, *this, this, L"LabelSelect", L"Select command(s) to add to the Command list.",
                         Bounds(8, 8, 260, 13));
  ListBoxCommand = PlaceControl(loading, new TListBox(this), this, L"ListBoxCommand", Bounds(8, 26, 260, 230));
  for (int i = 0; i < kBatchCommandCount; ++i)
    ListBoxCommand->Items()->Add(L"  " + BatchCommandName(static_cast<TBatchCommandKind>(i)));
  ButtonAdd = AddButton(loading, *this, this, L"ButtonAdd", L"Add", Bounds(30, 266, 75, 25), mrNone, true);
  ButtonCancel = AddButton(loading, *this, this, L"ButtonCancel", L"Cancel", Bounds(111, 266, 75, 25), mrCancel);
  ButtonHelp = AddButton(loading, *this, this, L"ButtonHelp", L"Help", Bounds(192, 266, 75, 25));
  SetKeyPreview(true);
  ListBoxCommand->OnClick = {this, &TAddCommandForm::ListBoxCommandClick};
  ListBoxCommand->OnDblClick = {this, &TAddCommandForm::ListBoxCommandDblClick};
  ButtonAdd->OnClick = {this, &TAddCommandForm::ListBoxCommandDblClick};
  ButtonHelp->OnClick = {this, &TAddCommandForm::ButtonHelpClick};
  OnShow = {this, &TAddCommandForm::FormShow};
  loading.End();
  ButtonAdd->SetEnabled(false);
}

bool TAddCommandForm::SelectedKind(TBatchCommandKind& Kind) {
  const int index = ListBoxCommand->ItemIndex();
  if (index < 0 || index >= kBatchCommandCount) return false;
  Kind = static_cast<TBatchCommandKind>(index);
  return true;
}

void TAddCommandForm::FormShow(TObject*) { ApplyDialogShowSteps(*this); }

void TAddCommandForm::ListBoxCommandClick(TObject*) { ButtonAdd->SetEnabled(ListBoxCommand->ItemIndex() >= 0); }

void TAddCommandForm::ListBoxCommandDblClick(TObject*) {
  if (ListBoxCommand->ItemIndex() >= 0) ModalResult = mrOk;
}

void TAddCommandForm::ButtonHelpClick(TObject*) { ShowHelpTopic(Handle(), L"Effects"); }

void TAddCommandForm::KeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_F1 && Shift.Empty()) {
    Key = 0;
    ButtonHelpClick(this);
    return;
  }
  TForm::KeyDown(Key, Shift);
}
