#include "ui/bars/customize/NameDialog.h"

#include <memory>

#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/windows/FormBuilding.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/Bars.h"

DEFINE_CLASS(TdxBarNameEd)

namespace {

const int kCaptions[2][3] = {{dxbsAddToolbarCaption, dxbsRenameToolbarCaption, dxbsRenameToolbarCaption},
                             {dxbsAddCategoryCaption, dxbsInsertCategoryCaption, dxbsRenameCategoryCaption}};

// The dialog is owned by the window that is active when it opens.
class TNameForm : public TdxBarNameEd {
 public:
  using TdxBarNameEd::TdxBarNameEd;

 protected:
  void CreateParams(TCreateParams& Params) override {
    TdxBarNameEd::CreateParams(Params);
    if (HWND active = GetActiveWindow()) Params.WndParent = active;
  }
};

}  // namespace

TdxBarNameEd::TdxBarNameEd(TdxBarManager* AManager, int Kind, int Mode, TdxBar* Bar)
    : TForm(nullptr, 0), NameKind(Kind), Manager(AManager), EditedBar(Bar) {
  TLoadingBracket loading(*this);
  SetName(L"dxBarNameEd");
  SetBorderStyle(bsDialog);
  SetBorderIcons(TBorderIcons{});
  SetFormStyle(fsStayOnTop);
  SetPosition(poScreenCenter);
  SetClientSize(266, 87);
  LName = PlaceControl(loading, new TLabel(this), this, L"LName", Bounds(8, 8, 250, 13));
  EName = PlaceControl(loading, new TEdit(this), this, L"EName", Bounds(8, 24, 251, 21));
  BOK = PlaceControl(loading, new TButton(this), this, L"BOK", Bounds(103, 56, 75, 23));
  BOK->SetDefault(true);
  BOK->ModalResult = mrOk;
  BCancel = PlaceControl(loading, new TButton(this), this, L"BCancel", Bounds(184, 56, 75, 23));
  BCancel->Cancel = true;
  BCancel->ModalResult = mrCancel;
  LName->SetFocusControl(EName);
  EName->OnChange = {this, &TdxBarNameEd::ENameChange};
  OnCloseQuery = {this, &TdxBarNameEd::FormCloseQuery};
  loading.End();

  if (Manager) {
    Font()->SetName(Manager->Font()->Name());
    Font()->SetCharset(Manager->Font()->Charset());
  }
  const int kind = Kind == 1 ? 1 : 0;
  SetCaption(dxBarString(kCaptions[kind][std::clamp(Mode, 0, 2)]));
  LName->SetCaption(dxBarString(kind == 0 ? dxbsToolbarName : dxbsCategoryName));
  BOK->SetCaption(dxBarString(dxbsOK));
  BCancel->SetCaption(dxBarString(dxbsCancel));
  OnShow = [this](TObject*) {
    if (EName->CanFocus()) EName->SetFocus();
  };
}

void TdxBarNameEd::ENameChange(TObject*) { BOK->SetEnabled(!EName->Text().empty()); }

void TdxBarNameEd::FormCloseQuery(TObject*, bool& CanClose) {
  if (ModalResult != mrOk || NameKind != 0 || !Manager || !Manager->Bars()) return;
  const String name = EName->Text();
  for (int i = 0; i < Manager->Bars()->Count(); ++i) {
    TdxBar* bar = Manager->Bars()->BarAt(i);
    if (bar == EditedBar || bar->Caption() != name) continue;
    Application->MessageBox(Format(dxBarString(dxbsToolbarExists), {name}), Application->Title(),
                            MB_OK | MB_ICONERROR);
    CanClose = false;
    return;
  }
}

bool ExecuteBarNameDialog(String& Name, int Kind, int Mode, TdxBar* Bar, TdxBarManager* Manager) {
  std::unique_ptr<TdxBarNameEd, TFreeDeleter> dialog(new TNameForm(Manager, Kind, Mode, Bar));
  dialog->EName->SetText(Name);
  dialog->ENameChange(nullptr);
  if (dialog->ShowModal() != mrOk) return false;
  Name = dialog->EName->Text();
  return true;
}
