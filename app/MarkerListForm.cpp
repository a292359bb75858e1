#include "app/MarkerListForm.h"

#include "app/MainForm.h"
#include "app/core/Help.h"
#include "platform/audio/editor/AudioEditor.h"
#include "platform/framework/windows/ShortCuts.h"
#include "platform/framework/rtl/SysUtils.h"

DEFINE_CLASS(TMarkerListForm)

int CompareMarkerTexts(const String& First, const String& Second) {
  const int result = CompareText(First, Second);
  if (result > 0 && Second.empty()) return -1;
  if (result < 0 && First.empty()) return 1;
  return result;
}

namespace {

String ColumnText(TListItem* Item, int Column) {
  if (Column == 0) return Item->Caption();
  TStrings* subItems = Item->SubItems();
  return Column - 1 < subItems->Count() ? subItems->Strings(Column - 1) : String();
}

// CustomSort's data: the column plus one, negated for a descending sort.
int CompareForSort(TListItem* Item1, TListItem* Item2, LPARAM Data) {
  const int column = static_cast<int>(Data < 0 ? -Data : Data) - 1;
  const int result = CompareMarkerRows(Item1, Item2, column);
  return Data < 0 ? -result : result;
}

}  // namespace

int CompareMarkerRows(TListItem* Item1, TListItem* Item2, int Column) {
  return CompareMarkerTexts(ColumnText(Item1, Column), ColumnText(Item2, Column));
}

TMarkerListForm::TMarkerListForm(TComponent* AOwner, const wchar_t* Name, const wchar_t* Caption,
                                 const wchar_t* ListName)
    : TForm(AOwner, 0) {
  SetName(Name);
  SetCaption(Caption);
  SetBorderStyle(bsSizeToolWin);
  Font()->SetName(L"Tahoma");
  Font()->SetSize(8);
  SetClientSize(360, 220);

  actions_ = new TActionList(this);
  actions_->SetName(L"ActionList");
  menu_ = new TPopupMenu(this);
  menu_->SetName(L"PopupMenu");

  list_ = new TListView(this);
  list_->SetName(ListName);
  list_->SetParent(this);
  list_->SetAlign(alClient);
  list_->SetViewStyle(vsReport);
  list_->SetRowSelect(true);
  list_->SetMultiSelect(true);
  list_->SetReadOnly(true);
  list_->SetHideSelection(false);
  list_->SetPopupMenu(menu_);
  list_->OnDblClick = {this, &TMarkerListForm::ListDblClick};
}

TMarkerListForm::~TMarkerListForm() { ClearRows(); }

void TMarkerListForm::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  if (!MainForm || MainForm == static_cast<TCustomForm*>(this)) return;
  Params.WndParent = MainForm->Handle();
  Params.ExStyle &= ~WS_EX_APPWINDOW;
}

TAction* TMarkerListForm::AddRowAction(const wchar_t* Name, const wchar_t* Caption, const wchar_t* ShortCut,
                                       TNotifyEvent Execute) {
  auto* action = new TAction(this);
  action->SetName(Name);
  action->SetCaption(Caption);
  action->SetShortCut(TextToShortCut(ShortCut));
  action->OnExecute = Execute;
  action->SetActionList(actions_);
  return action;
}

void TMarkerListForm::AddMenuItem(TAction* Action) {
  auto* item = new TMenuItem(this);
  item->SetAction(Action);
  menu_->Items()->Add(item);
}

void TMarkerListForm::AddMenuSeparator() {
  auto* item = new TMenuItem(this);
  item->SetCaption(L"-");
  menu_->Items()->Add(item);
}

TListItem* TMarkerListForm::AppendRow(const String& Caption, std::initializer_list<String> SubItems,
                                      TObject* Record) {
  TListItem* item = list_->Items()->Add();
  item->SetCaption(Caption);
  for (const String& text : SubItems) item->SubItems()->Add(text);
  item->Data = Record;
  return item;
}

void TMarkerListForm::ClearRows() {
  if (!list_) return;
  TListItems* items = list_->Items();
  for (int i = 0; i < items->Count(); ++i) {
    delete static_cast<TObject*>(items->Item(i)->Data);
    items->Item(i)->Data = nullptr;
  }
  items->Clear();
}

void TMarkerListForm::RenumberAfter(int Deleted) {
  TListItems* items = list_->Items();
  for (int i = 0; i < items->Count(); ++i) {
    TListItem* item = items->Item(i);
    const int id = RowMarkerId(item);
    if (id > Deleted) ReplaceRowMarkerId(item, id - 1);
  }
}

void TMarkerListForm::ColumnClick(int Column) {
  if (Column == SortColumn) {
    list_->CustomSort(CompareForSort, -static_cast<LPARAM>(Column + 1));
    SortColumn = -1;
  } else {
    list_->CustomSort(CompareForSort, static_cast<LPARAM>(Column + 1));
    SortColumn = Column;
  }
}

void TMarkerListForm::ShowAt(int Left, int Top, int Width, int Height) {
  SetBounds(Left, Top, Width, Height);
  Show();
}

void TMarkerListForm::StoreBounds(int& Left, int& Top, int& Width, int& Height) {
  Left = this->Left();
  Top = this->Top();
  Width = this->Width();
  Height = this->Height();
}

void TMarkerListForm::SelectAllRows() {
  TListItems* items = list_->Items();
  items->BeginUpdate();
  try {
    for (int i = items->Count() - 1; i >= 0; --i) items->Item(i)->SetSelected(true);
  } catch (...) {
    items->EndUpdate();
    throw;
  }
  items->EndUpdate();
}

void TMarkerListForm::DeleteSelectedRows(const String& Question, const std::function<void(TListItem*)>& DeleteRow) {
  if (Application->MessageBox(Question, Application->Title(), MB_YESNOCANCEL | MB_ICONQUESTION) != IDYES) return;
  if (list_->SelCount() == 0) return;
  TListItems* items = list_->Items();
  items->BeginUpdate();
  try {
    for (int i = items->Count() - 1; i >= 0; --i) {
      if (i < items->Count() && items->Item(i)->Selected()) DeleteRow(items->Item(i));
    }
  } catch (...) {
    items->EndUpdate();
    throw;
  }
  items->EndUpdate();
}

void TMarkerListForm::DeleteMarkerRow(TListItem* Item, TAudioEditor2& Editor,
                                      std::initializer_list<TMarkerListForm*> Lists) {
  const int deleted = RowMarkerId(Item);
  IAudioEditor2Markers* markers = Editor.Markers();
  markers->SelectMarker(deleted);
  markers->DeleteMarker();
  delete static_cast<TObject*>(Item->Data);
  Item->Data = nullptr;
  Item->Delete();
  for (TMarkerListForm* list : Lists)
    if (list) list->RenumberAfter(deleted);
}

void TMarkerListForm::ShowHelp() { ShowHelpTopic(Handle(), L"BookmarksandRegions"); }

void TMarkerListForm::UpdateRowActions() {
  const bool selected = list_->SelCount() > 0;
  for (TAction* action : rowActions_) action->SetEnabled(selected);
  if (SelectAllAction) SelectAllAction->SetEnabled(list_->Items()->Count() > 0);
  if (HelpAction) HelpAction->SetEnabled(true);
}

void TMarkerListForm::ListDblClick(TObject*) {
  if (DefaultAction && list_->Selected()) DefaultAction->Execute();
}
