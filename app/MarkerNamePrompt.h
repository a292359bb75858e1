#pragma once
// TAddRegionOrBookmarkForm: the small prompt for the name of a new or renamed bookmark or region.
// OK closes it only when the name holds more than blanks.

#include "platform/framework/windows/Forms.h"
#include "platform/framework/controls/StdCtrls.h"

class TAddRegionOrBookmarkForm : public TForm {
  DECLARE_CLASS(TAddRegionOrBookmarkForm, TForm)
 public:
  explicit TAddRegionOrBookmarkForm(TComponent* AOwner);

  TLabel* LabelEnterName = nullptr;
  TEdit* EditName = nullptr;
  TButton* ButtonOK = nullptr;
  TButton* ButtonCancel = nullptr;

  // The caption and the label.
  void SetPrompt(const String& Text);
  void ButtonOKClick(TObject* Sender);
};

// Shows the prompt owned by Owner and centred over Over, with the text and the proposed name; true
// with the entered (untrimmed) name on OK. The prompt is freed on every path.
bool AskMarkerName(TComponent* Owner, TControl* Over, const String& Prompt, String& Name);
