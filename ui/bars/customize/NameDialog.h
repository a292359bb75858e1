#pragma once
// The modal dialog that asks for a toolbar or category name.

#include "platform/framework/controls/StdCtrls.h"
#include "platform/framework/windows/Forms.h"

class TdxBar;
class TdxBarManager;

// Kind: 0 a toolbar name, 1 a category name. Mode: 0 add, 1 rename (toolbar) or insert (category),
// 2 rename (category).
class TdxBarNameEd : public TForm {
  DECLARE_CLASS(TdxBarNameEd, TForm)
 public:
  TdxBarNameEd(TdxBarManager* AManager, int Kind, int Mode, TdxBar* Bar);

  TLabel* LName = nullptr;
  TEdit* EName = nullptr;
  TButton* BOK = nullptr;
  TButton* BCancel = nullptr;

  void ENameChange(TObject* Sender);
  // A confirmed toolbar name that another toolbar of the manager has (case-sensitive) keeps the
  // dialog open with an error box.
  void FormCloseQuery(TObject* Sender, bool& CanClose);

  int NameKind = 0;
  TdxBarManager* Manager = nullptr;
  TdxBar* EditedBar = nullptr;
};

// True with the entered name on OK.
bool ExecuteBarNameDialog(String& Name, int Kind, int Mode, TdxBar* Bar, TdxBarManager* Manager);
