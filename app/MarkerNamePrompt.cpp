#include "app/MarkerNamePrompt.h"

#include <memory>

#include "app/core/Centring.h"
#include "platform/framework/classes/Filer.h"
#include "platform/framework/rtl/SysUtils.h"

DEFINE_CLASS(TAddRegionOrBookmarkForm)

TAddRegionOrBookmarkForm::TAddRegionOrBookmarkForm(TComponent* AOwner) : TForm(AOwner, 0) {
  TLoadingBracket loading(*this);
  SetName(L"AddRegionOrBookmarkForm");
  SetBorderStyle(bsDialog);
  Font()->SetName(L"Tahoma");
  Font()->SetSize(8);
  SetClientSize(330, 96);

  LabelEnterName = loading.Add(new TLabel(this));
  LabelEnterName->SetName(L"LabelEnterName");
  LabelEnterName->SetParent(this);
  LabelEnterName->SetBounds(12, 12, 300, 14);

  EditName = loading.Add(new TEdit(this));
  EditName->SetName(L"EditName");
  EditName->SetParent(this);
  EditName->SetBounds(12, 30, 306, 21);

  ButtonOK = loading.Add(new TButton(this));
  ButtonOK->SetName(L"ButtonOK");
  ButtonOK->SetParent(this);
  ButtonOK->SetCaption(L"&OK");
  ButtonOK->SetDefault(true);
  ButtonOK->SetBounds(162, 62, 75, 25);
  ButtonOK->OnClick = {this, &TAddRegionOrBookmarkForm::ButtonOKClick};

  ButtonCancel = loading.Add(new TButton(this));
  ButtonCancel->SetName(L"ButtonCancel");
  ButtonCancel->SetParent(this);
  ButtonCancel->SetCaption(L"&Cancel");
  ButtonCancel->Cancel = true;
  ButtonCancel->ModalResult = mrCancel;
  ButtonCancel->SetBounds(243, 62, 75, 25);

  SetPrompt(L"Enter Region or Bookmark Name");
  loading.End();
}

void TAddRegionOrBookmarkForm::SetPrompt(const String& Text) {
  SetCaption(Text);
  LabelEnterName->SetCaption(Text);
}

void TAddRegionOrBookmarkForm::ButtonOKClick(TObject*) {
  if (!Trim(EditName->Text()).empty()) {
    ModalResult = mrOk;
    return;
  }
  EditName->SetText(L"");
  if (EditName->CanFocus()) EditName->SetFocus();
  Application->MessageBox(L"You must enter a name. Please try again.", Application->Title(), MB_OK | MB_ICONERROR);
}

bool AskMarkerName(TComponent* Owner, TControl* Over, const String& Prompt, String& Name) {
  std::unique_ptr<TAddRegionOrBookmarkForm> prompt(new TAddRegionOrBookmarkForm(Owner));
  prompt->SetPrompt(Prompt);
  prompt->EditName->SetText(Name);
  if (Over) CentreOver(prompt.get(), Over);
  if (prompt->ShowModal() != mrOk) return false;
  Name = prompt->EditName->Text();
  return true;
}
