#pragma once
// TMatchForm: the small dialog in which the user picks one of the discs the CD database server
// found, or declines them all.

#include "platform/framework/controls/StdCtrls.h"
#include "platform/framework/windows/Forms.h"

class TMatchForm : public TForm {
  DECLARE_CLASS(TMatchForm, TForm)
 public:
  explicit TMatchForm(TComponent* AOwner);

  TLabel* LabelMatches = nullptr;
  TListBox* LstMatches = nullptr;
  TButton* ButtonOK = nullptr;
  TButton* ButtonNone = nullptr;

  void FormShow(TObject* Sender);
  void LstMatchesDblClick(TObject* Sender);
};
