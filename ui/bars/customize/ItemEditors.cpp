#include "ui/bars/customize/ItemEditors.h"

#include <memory>

#include "platform/framework/windows/FormBuilding.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/customize/CustomizingForm.h"

DEFINE_CLASS(TdxBarItemAddEditor)
DEFINE_CLASS(TfrmAddGroupItems)

namespace {

TComponentClass ShownItemClass(int Index) {
  TdxBarItemList* registry = ItemClassRegistry();
  return registry && Index >= 0 && Index < registry->CountShownInDialog()
             ? dynamic_cast<TComponentClass>(registry->ShownItemClassAt(Index))
             : nullptr;
}

void TakeFont(TForm* Form, TFont* Font) {
  Form->Font()->SetName(Font->Name());
  Form->Font()->SetCharset(Font->Charset());
}

}  // namespace

// ==== the new-item dialog =========================================================================

TdxBarItemAddEditor::TdxBarItemAddEditor(TdxBarManager* AManager, int CategoryIndex)
    : TForm(nullptr, 0), Manager(AManager) {
  TLoadingBracket loading(*this);
  SetName(L"dxBarItemAddEditor");
  SetBorderStyle(bsDialog);
  SetFormStyle(fsStayOnTop);
  SetPosition(poScreenCenter);
  SetClientSize(263, 150);
  auto label = [&](TLabel*& Slot, const wchar_t* Name, int Top, int Text) {
    Slot = PlaceControl(loading, new TLabel(this), this, Name, Bounds(8, Top + 3, 60, 13));
    Slot->SetCaption(dxBarString(Text));
  };
  label(Label1, L"Label1", 8, dxbsItemType);
  label(Label2, L"Label2", 36, dxbsItemCategory);
  label(Label3, L"Label3", 64, dxbsItemName);
  label(Label4, L"Label4", 92, dxbsItemCaption);
  ComboBox1 = PlaceControl(loading, new TComboBox(this), this, L"ComboBox1", Bounds(72, 8, 183, 21));
  ComboBox1->SetStyle(csDropDownList);
  ComboBox1->SetDropDownCount(100);
  ComboBox2 = PlaceControl(loading, new TComboBox(this), this, L"ComboBox2", Bounds(72, 36, 183, 21));
  ComboBox2->SetStyle(csDropDownList);
  Edit1 = PlaceControl(loading, new TEdit(this), this, L"Edit1", Bounds(72, 64, 183, 21));
  Edit2 = PlaceControl(loading, new TEdit(this), this, L"Edit2", Bounds(72, 92, 183, 21));
  Edit2->SetText(dxBarString(dxbsNewItem));
  BOk = PlaceControl(loading, new TButton(this), this, L"BOk", Bounds(99, 120, 75, 23));
  BOk->SetCaption(dxBarString(dxbsOK));
  BOk->SetDefault(true);
  BOk->ModalResult = mrOk;
  BCancel = PlaceControl(loading, new TButton(this), this, L"BCancel", Bounds(180, 120, 75, 23));
  BCancel->SetCaption(dxBarString(dxbsCancel));
  BCancel->Cancel = true;
  BCancel->ModalResult = mrCancel;
  ComboBox1->OnChange = {this, &TdxBarItemAddEditor::ComboBox1Click};
  BOk->OnClick = {this, &TdxBarItemAddEditor::BOkClick};
  OnShow = {this, &TdxBarItemAddEditor::FormShow};
  loading.End();

  SetCaption(dxBarString(dxbsAddNewItemCaption));
  if (TdxBarCustomizingForm* form = ActiveCustomizingForm()) TakeFont(this, form->Font());
  TdxBarManagerCategories* categories = Manager->Categories();
  for (int i = 0; i < categories->Count(); ++i) ComboBox2->Items()->Add(categories->Strings(i));
  ComboBox2->SetItemIndex(CategoryIndex >= 0 && CategoryIndex < categories->Count() ? CategoryIndex : 0);
  TdxBarItemList* registry = ItemClassRegistry();
  for (int i = 0; registry && i < registry->CountShownInDialog(); ++i)
    ComboBox1->Items()->Add(registry->ShownItemClassAt(i)->ClassName());
  ComboBox1->SetItemIndex(ComboBox1->Items()->Count() > 0 ? 0 : -1);
  ComboBox1Click(nullptr);
}

void TdxBarItemAddEditor::ComboBox1Click(TObject*) {
  if (TComponentClass cls = ShownItemClass(ComboBox1->ItemIndex())) Edit1->SetText(Manager->UniqueItemName(cls));
}

void TdxBarItemAddEditor::FormShow(TObject*) {
  if (Edit1->CanFocus()) Edit1->SetFocus();
}

void TdxBarItemAddEditor::BOkClick(TObject*) {
  TComponentClass cls = ShownItemClass(ComboBox1->ItemIndex());
  if (!cls) {
    ModalResult = mrNone;
    return;
  }
  TdxBarItem* item = nullptr;
  try {
    item = As<TdxBarItem>(cls->Create(Manager->OwnerComponent()));
    item->SetName(Edit1->Text());
    item->SetCategory(ComboBox2->ItemIndex());
    item->SetCaption(Edit2->Text());
    CreatedItem = item;
  } catch (...) {
    // A bad or duplicate name: the dialog stays open with a fresh default name.
    if (item) item->Free();
    ComboBox1Click(nullptr);
    ModalResult = mrNone;
  }
}

TdxBarItem* ExecuteNewItemDialog(TdxBarManager* Manager, int CategoryIndex) {
  std::unique_ptr<TdxBarItemAddEditor, TFreeDeleter> dialog(new TdxBarItemAddEditor(Manager, CategoryIndex));
  return dialog->ShowModal() == mrOk ? dialog->CreatedItem : nullptr;
}

// ==== the add-group-items dialog ==================================================================

TfrmAddGroupItems::TfrmAddGroupItems(TdxBarGroup* AGroup, TList* AChosenList)
    : TForm(nullptr, 0), Group(AGroup), ChosenList(AChosenList) {
  TLoadingBracket loading(*this);
  SetName(L"frmAddGroupItems");
  SetBorderStyle(bsSizeable);
  SetPosition(poScreenCenter);
  SetClientSize(364, 400);
  BottomPanel = PlaceControl(loading, new TPanel(this), this, L"BottomPanel");
  BottomPanel->SetAlign(alBottom);
  BottomPanel->SetHeight(36);
  BottomPanel->SetBevelOuter(bvNone);
  btnOk = PlaceControl(loading, new TButton(this), BottomPanel, L"btnOk", Bounds(200, 6, 75, 23));
  btnOk->SetCaption(dxBarString(dxbsOK));
  btnOk->SetDefault(true);
  btnOk->ModalResult = mrOk;
  btnOk->SetAnchors(TAnchors{akTop, akRight});
  btnCancel = PlaceControl(loading, new TButton(this), BottomPanel, L"btnCancel", Bounds(282, 6, 75, 23));
  btnCancel->SetCaption(dxBarString(dxbsCancel));
  btnCancel->Cancel = true;
  btnCancel->ModalResult = mrCancel;
  btnCancel->SetAnchors(TAnchors{akTop, akRight});
  lbGroupItems = PlaceControl(loading, new TListBox(this), this, L"lbGroupItems", Bounds(5, 5, 354, 354));
  lbGroupItems->SetAlign(alClient);
  lbGroupItems->SetStyle(lbOwnerDrawVariable);
  lbGroupItems->SetMultiSelect(true);
  lbGroupItems->OnDrawItem = {this, &TfrmAddGroupItems::lbGroupItemsDrawItem};
  lbGroupItems->OnMeasureItem = {this, &TfrmAddGroupItems::lbGroupItemsMeasureItem};
  OnCloseQuery = {this, &TfrmAddGroupItems::FormCloseQuery};
  loading.End();
  SetCaption(dxBarString(dxbsAddGroupItemsCaption));
  if (Group->BarManager()) TakeFont(this, Group->BarManager()->Font());
  lbGroupItems->InstallWindowProcHook([](TMessage& Message, TWindowProcChain& Next) {
    if (Message.Msg == WM_ERASEBKGND) {
      Message.Result = 1;
      return;
    }
    Next(Message);
  });
  Fill();
}

void TfrmAddGroupItems::Fill() {
  TdxBarManager* manager = Group->BarManager();
  TStrings* items = lbGroupItems->Items();
  lbGroupItems->Font()->Assign(manager->Font());
  items->BeginUpdate();
  items->Clear();
  if (manager->GroupCount() > 1) {
    items->Add(dxBarString(dxbsGroupsHeader));
    for (int i = 0; i < manager->GroupCount(); ++i)
      if (manager->GroupAt(i) != Group) items->AddObject(manager->GroupAt(i)->Name(), manager->GroupAt(i));
  }
  for (int c = 0; c < manager->Categories()->Count(); ++c) {
    TList list;
    if (manager->ItemsOfCategory(c, list) == 0) continue;
    items->Add(L"~" + manager->Categories()->Strings(c));
    for (int i = 0; i < list.Count(); ++i) {
      auto* item = static_cast<TdxBarItem*>(list.Items(i));
      items->AddObject(item->Caption(), item);
    }
  }
  items->EndUpdate();
}

void TfrmAddGroupItems::lbGroupItemsMeasureItem(TWinControl*, int, int& Height) {
  Height = lbGroupItems->Canvas()->TextHeight(L"Qq") + 2;
}

void TfrmAddGroupItems::lbGroupItemsDrawItem(TWinControl*, int Index, const TRect& Rect, TOwnerDrawState State) {
  TCanvas* canvas = lbGroupItems->Canvas();
  HDC dc = canvas->Handle();
  const String text = lbGroupItems->Items()->Strings(Index);
  TObject* object = lbGroupItems->Items()->Objects(Index);
  if (!object) {
    canvas->Brush()->SetColor(clBtnFace);
    canvas->Font()->SetColor(clBtnText);
    canvas->TextRect(Rect, Rect.left + 2, Rect.top + 1, text.substr(1));
    return;
  }
  const bool member = Group->IndexOfMember(static_cast<TComponent*>(object)) >= 0;
  const bool selected = State.Contains(odSelected);
  if (member) {
    canvas->Brush()->SetColor(clWindow);
    canvas->Font()->SetColor(clBtnFace);
  }
  canvas->FillRect(Rect);
  SetBkMode(dc, TRANSPARENT);
  auto draw = [&](TRect R, const String& Text) {
    DrawTextW(dc, Text.c_str(), static_cast<int>(Text.size()), &R, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  };
  auto* item = dynamic_cast<TdxBarItem*>(object);
  if (!item) {
    draw(Rect, L"   " + text);
    return;
  }
  TRect left = Rect;
  left.right = (Rect.left + Rect.right) / 2 - 1;
  draw(left, L"   " + text);
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(selected && !member ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  HGDIOBJ old = SelectObject(dc, pen);
  MoveToEx(dc, left.right, Rect.top, nullptr);
  LineTo(dc, left.right, Rect.bottom);
  SelectObject(dc, old);
  DeleteObject(pen);
  TRect right = Rect;
  right.left = left.right + 1 + 2;
  draw(right, item->Name());
}

void TfrmAddGroupItems::FormCloseQuery(TObject*, bool&) {
  if (ModalResult != mrOk || !ChosenList) return;
  for (int i = 0; i < lbGroupItems->Items()->Count(); ++i)
    if (lbGroupItems->Selected(i)) ChosenList->Add(lbGroupItems->Items()->Objects(i));
}

bool ExecuteAddGroupItemsDialog(TdxBarGroup* Group, TList& ChosenList) {
  std::unique_ptr<TfrmAddGroupItems, TFreeDeleter> dialog(new TfrmAddGroupItems(Group, &ChosenList));
  return dialog->ShowModal() == mrOk;
}
