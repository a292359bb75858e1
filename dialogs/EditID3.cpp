#include "dialogs/EditID3.h"

#include "dialogs/DialogParts.h"
#include "platform/framework/windows/FormBuilding.h"

DEFINE_CLASS(TEditID3Form)

TEditID3Form::TEditID3Form(TComponent* AOwner) : TForm(AOwner, 0) {
  TLoadingBracket loading(*this);
  BuildDialogForm(*this, L"EditID3Form", L"Edit Audio Tags", 340, 278);
  LabelTitle = AddLabel(loading, *this, this, L"LabelTitle", L"Title:", Bounds(12, 15, 60, 14));
  EditTitle = AddEdit(loading, *this, this, L"EditTitle", Bounds(80, 12, 248, 21));
  LabelArtist = AddLabel(loading, *this, this, L"LabelArtist", L"Artist:", Bounds(12, 42, 60, 14));
  EditArtist = AddEdit(loading, *this, this, L"EditArtist", Bounds(80, 39, 248, 21));
  LabelAlbum = AddLabel(loading, *this, this, L"LabelAlbum", L"Album:", Bounds(12, 69, 60, 14));
  EditAlbum = AddEdit(loading, *this, this, L"EditAlbum", Bounds(80, 66, 248, 21));
  LabelGenre = AddLabel(loading, *this, this, L"LabelGenre", L"Genre:", Bounds(12, 96, 60, 14));
  ComboBoxGenre = AddDropDownList(loading, *this, this, L"ComboBoxGenre", Bounds(80, 93, 160, 21), {}, -1);
  ComboBoxGenre->SetDropDownCount(16);
  LabelYear = AddLabel(loading, *this, this, L"LabelYear", L"Year:", Bounds(12, 123, 60, 14));
  EditYear = AddEdit(loading, *this, this, L"EditYear", Bounds(80, 120, 60, 21), 6);
  LabelComment = AddLabel(loading, *this, this, L"LabelComment", L"Comment:", Bounds(12, 150, 60, 14));
  MemoComment = PlaceControl(loading, new TMemo(this), this, L"MemoComment", Bounds(80, 147, 248, 72));
  MemoComment->SetScrollBars(ssVertical);
  Bevel = AddTopLine(loading, *this, L"Bevel", Bounds(12, 230, 316, 2));
  ButtonOK = AddButton(loading, *this, this, L"ButtonOK", L"&OK", Bounds(172, 242, 75, 25), mrOk, true);
  ButtonCancel = AddButton(loading, *this, this, L"ButtonCancel", L"&Cancel", Bounds(253, 242, 75, 25), mrCancel);
  OnShow = {this, &TEditID3Form::FormShow};
  loading.End();
}

void TEditID3Form::FormShow(TObject*) { ApplyDialogShowSteps(*this, {EditYear}); }
