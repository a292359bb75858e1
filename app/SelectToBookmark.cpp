#include "app/SelectToBookmark.h"

#include "platform/framework/classes/Filer.h"

DEFINE_CLASS(TSelectToBookmarkForm)

TSelectToBookmarkForm::TSelectToBookmarkForm(TComponent* AOwner) : TForm(AOwner, 0) {
  TLoadingBracket loading(*this);
  SetName(L"SelectToBookmarkForm");
  SetCaption(L"Select to Boolmark");
  SetBorderStyle(bsDialog);
  Font()->SetName(L"Tahoma");
  Font()->SetSize(8);
  SetClientSize(300, 92);

  LabelBookmark = loading.Add(new TLabel(this));
  LabelBookmark->SetName(L"LabelBookmark");
  LabelBookmark->SetParent(this);
  LabelBookmark->SetCaption(L"Bookmark");
  LabelBookmark->SetBounds(12, 12, 120, 14);

  ComboBoxBookmark = loading.Add(new TComboBox(this));
  ComboBoxBookmark->SetName(L"ComboBoxBookmark");
  ComboBoxBookmark->SetParent(this);
  ComboBoxBookmark->SetStyle(csDropDownList);
  ComboBoxBookmark->SetBounds(12, 30, 276, 21);

  ButtonOK = loading.Add(new TButton(this));
  ButtonOK->SetName(L"ButtonOK");
  ButtonOK->SetParent(this);
  ButtonOK->SetCaption(L"&OK");
  ButtonOK->SetDefault(true);
  ButtonOK->ModalResult = mrOk;
  ButtonOK->SetBounds(132, 60, 75, 25);

  ButtonCancel = loading.Add(new TButton(this));
  ButtonCancel->SetName(L"ButtonCancel");
  ButtonCancel->SetParent(this);
  ButtonCancel->SetCaption(L"&Cancel");
  ButtonCancel->Cancel = true;
  ButtonCancel->ModalResult = mrCancel;
  ButtonCancel->SetBounds(213, 60, 75, 25);
  loading.End();
}
