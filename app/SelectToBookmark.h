#pragma once
// TSelectToBookmarkForm: the choice of the bookmark a selection is made to.

#include "platform/framework/windows/Forms.h"
#include "platform/framework/controls/StdCtrls.h"

class TSelectToBookmarkForm : public TForm {
  DECLARE_CLASS(TSelectToBookmarkForm, TForm)
 public:
  explicit TSelectToBookmarkForm(TComponent* AOwner);

  TLabel* LabelBookmark = nullptr;
  TComboBox* ComboBoxBookmark = nullptr;
  TButton* ButtonOK = nullptr;
  TButton* ButtonCancel = nullptr;
};
