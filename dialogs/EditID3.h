#pragma once
// TEditID3Form ("Edit Audio Tags"): the document's title, artist, album, genre, year and comment.
// The caller fills the genre list and every control, and reads them back after OK.

#include "platform/framework/controls/ExtCtrls.h"
#include "platform/framework/controls/StdCtrls.h"
#include "platform/framework/windows/Forms.h"

class TEditID3Form : public TForm {
  DECLARE_CLASS(TEditID3Form, TForm)
 public:
  explicit TEditID3Form(TComponent* AOwner);

  TLabel* LabelTitle = nullptr;
  TEdit* EditTitle = nullptr;
  TLabel* LabelArtist = nullptr;
  TEdit* EditArtist = nullptr;
  TLabel* LabelAlbum = nullptr;
  TEdit* EditAlbum = nullptr;
  TLabel* LabelGenre = nullptr;
  TComboBox* ComboBoxGenre = nullptr;
  TLabel* LabelYear = nullptr;
  // Digits only once shown, at most 6; it may be left empty.
  TEdit* EditYear = nullptr;
  TLabel* LabelComment = nullptr;
  TMemo* MemoComment = nullptr;
  TBevel* Bevel = nullptr;
  TButton* ButtonOK = nullptr;
  TButton* ButtonCancel = nullptr;

  void FormShow(TObject* Sender);
};
