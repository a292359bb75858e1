#pragma once
// TAddCommandForm ("Add Command"): the list of the batch converter's seventeen commands, one of which
// the user picks to append to the command list.

#include "capture/BatchCommands.h"
#include "platform/framework/controls/StdCtrls.h"
#include "platform/framework/windows/Forms.h"

class TAddCommandForm : public TForm {
  DECLARE_CLASS(TAddCommandForm, TForm)
 public:
  explicit TAddCommandForm(TComponent* AOwner);

  TLabel* LabelSelect = nullptr;
  TListBox* ListBoxCommand = nullptr;
  TButton* ButtonAdd = nullptr;
  TButton* ButtonCancel = nullptr;
  TButton* ButtonHelp = nullptr;

  // The chosen command's kind; false when no name is selected.
  bool SelectedKind(TBatchCommandKind& Kind);

  void FormShow(TObject* Sender);
  void ListBoxCommandClick(TObject* Sender);
  void ListBoxCommandDblClick(TObject* Sender);
  void ButtonHelpClick(TObject* Sender);

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
};
