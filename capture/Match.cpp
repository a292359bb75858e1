#include "capture/Match.h"

#include "app/core/FontNames.h"
#include "platform/framework/classes/Filer.h"

DEFINE_CLASS(TMatchForm)

TMatchForm::TMatchForm(TComponent* AOwner) : TForm(AOwner, 0) {
  TLoadingBracket loading(*this);
  SetName(L"MatchForm");
  SetCaption(L"Multiple matches found");
  SetBorderStyle(bsDialog);
  Font()->SetName(L"Tahoma");
  Font()->SetSize(8);
  SetClientSize(400, 236);

  LabelMatches = loading.Add(new TLabel(this));
  LabelMatches->SetName(L"LabelMatches");
  LabelMatches->SetParent(this);
  LabelMatches->SetCaption(L"Multiple matches found:");
  LabelMatches->SetBounds(8, 8, 384, 14);

  LstMatches = loading.Add(new TListBox(this));
  LstMatches->SetName(L"LstMatches");
  LstMatches->SetParent(this);
  LstMatches->SetBounds(8, 26, 384, 170);
  LstMatches->SetItemHeight(24);
  LstMatches->OnDblClick = {this, &TMatchForm::LstMatchesDblClick};

  ButtonOK = loading.Add(new TButton(this));
  ButtonOK->SetName(L"ButtonOK");
  ButtonOK->SetParent(this);
  ButtonOK->SetCaption(L"&OK");
  ButtonOK->SetDefault(true);
  ButtonOK->ModalResult = mrOk;
  ButtonOK->SetBounds(130, 204, 75, 25);

  ButtonNone = loading.Add(new TButton(this));
  ButtonNone->SetName(L"ButtonNone");
  ButtonNone->SetParent(this);
  ButtonNone->SetCaption(L"&I don't like any of them");
  ButtonNone->ModalResult = mrCancel;
  ButtonNone->SetBounds(212, 204, 180, 25);

  OnShow = {this, &TMatchForm::FormShow};
  loading.End();
}

void TMatchForm::FormShow(TObject*) {
  ReplaceFontName(this, L"Tahoma", Screen->HintFont()->Name());
  if (LstMatches->Items()->Count() > 0) LstMatches->SetItemIndex(0);
}

void TMatchForm::LstMatchesDblClick(TObject*) { ModalResult = mrOk; }
