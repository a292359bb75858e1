#pragma once
// The design-time editors the customizing dialog opens: the new-item dialog and the dialog that
// chooses items and groups for a group.

#include "platform/framework/classes/Lists.h"
#include "platform/framework/controls/ExtCtrls.h"
#include "platform/framework/controls/StdCtrls.h"
#include "platform/framework/windows/Forms.h"

class TdxBarGroup;
class TdxBarItem;
class TdxBarManager;

// Creates an item of a registered class in a category.
class TdxBarItemAddEditor : public TForm {
  DECLARE_CLASS(TdxBarItemAddEditor, TForm)
 public:
  TdxBarItemAddEditor(TdxBarManager* AManager, int CategoryIndex);

  TLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr;
  TComboBox* ComboBox1 = nullptr;  // item classes
  TComboBox* ComboBox2 = nullptr;  // categories
  TEdit* Edit1 = nullptr;          // name
  TEdit* Edit2 = nullptr;          // caption
  TButton* BOk = nullptr;
  TButton* BCancel = nullptr;

  void ComboBox1Click(TObject* Sender);
  // Creates the item; when a step raises the item goes, a fresh name is offered and the dialog
  // stays open.
  void BOkClick(TObject* Sender);
  void FormShow(TObject* Sender);

  TdxBarManager* Manager = nullptr;
  TdxBarItem* CreatedItem = nullptr;
};

// The created item, or null.
TdxBarItem* ExecuteNewItemDialog(TdxBarManager* Manager, int CategoryIndex);

// Lists the manager's other groups and its customizable items by category; header entries ("~" +
// text) carry no object.
class TfrmAddGroupItems : public TForm {
  DECLARE_CLASS(TfrmAddGroupItems, TForm)
 public:
  TfrmAddGroupItems(TdxBarGroup* AGroup, TList* AChosenList);

  TListBox* lbGroupItems = nullptr;
  TPanel* BottomPanel = nullptr;
  TButton* btnOk = nullptr;
  TButton* btnCancel = nullptr;

  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void lbGroupItemsDrawItem(TWinControl* Control, int Index, const TRect& Rect, TOwnerDrawState State);
  void lbGroupItemsMeasureItem(TWinControl* Control, int Index, int& Height);
  void Fill();

  TdxBarGroup* Group = nullptr;
  TList* ChosenList = nullptr;
};

// True on OK; ChosenList then holds the objects of the selected entries (null for headers).
bool ExecuteAddGroupItemsDialog(TdxBarGroup* Group, TList& ChosenList);
