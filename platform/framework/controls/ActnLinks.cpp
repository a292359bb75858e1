#include "platform/framework/controls/ActnLinks.h"

#include "platform/framework/controls/Buttons.h"
#include "platform/framework/controls/StdCtrls.h"
#include "platform/framework/controls/ToolBar.h"

DEFINE_CLASS(TButtonActionLink)
DEFINE_CLASS(TSpeedButtonActionLink)
DEFINE_CLASS(TToolButtonActionLink)

namespace {

TCustomAction* Custom(TBasicActionLink* link) { return dynamic_cast<TCustomAction*>(link->Action()); }

}  // namespace

// ---- Check boxes and radio buttons ---------------------------------------------------------------

TButtonActionLink::TButtonActionLink(TButtonControl* AClient) : TControlActionLink(AClient), button_(AClient) {}

bool TButtonActionLink::ClientChecked() const {
  if (auto* box = dynamic_cast<TCustomCheckBox*>(button_)) return box->Checked();
  if (auto* radio = dynamic_cast<TRadioButton*>(button_)) return radio->Checked();
  return false;
}

bool TButtonActionLink::IsCheckedLinked() {
  const bool checkable = dynamic_cast<TCustomCheckBox*>(button_) || dynamic_cast<TRadioButton*>(button_);
  return checkable && TControlActionLink::IsCheckedLinked() && ClientChecked() == Custom(this)->Checked();
}

// The copied state fires no click: a click would run the action that just changed.
void TButtonActionLink::SetChecked(bool Value) {
  struct ClicksOff {
    TButtonControl* button;
    bool was;
    ~ClicksOff() { button->SetClicksDisabled(was); }
  } off{button_, button_->ClicksDisabled()};
  button_->SetClicksDisabled(true);
  if (auto* box = dynamic_cast<TCustomCheckBox*>(button_)) box->SetChecked(Value);
  else if (auto* radio = dynamic_cast<TRadioButton*>(button_)) radio->SetChecked(Value);
}

void TButtonActionLink::ActionChanged(TCustomAction* Action, bool CheckDefaults) {
  if (!CheckDefaults || !ClientChecked()) SetChecked(Action->Checked());
}

// ---- Speed buttons -------------------------------------------------------------------------------

TSpeedButtonActionLink::TSpeedButtonActionLink(TSpeedButton* AClient)
    : TControlActionLink(AClient), button_(AClient) {}

bool TSpeedButtonActionLink::IsCheckedLinked() {
  return TControlActionLink::IsCheckedLinked() && button_->GroupIndex() != 0 && button_->AllowAllUp() &&
         button_->Down() == Custom(this)->Checked();
}

bool TSpeedButtonActionLink::IsGroupIndexLinked() {
  return TControlActionLink::IsGroupIndexLinked() && button_->GroupIndex() == Custom(this)->GroupIndex();
}

void TSpeedButtonActionLink::SetChecked(bool Value) { button_->SetDown(Value); }

void TSpeedButtonActionLink::SetGroupIndex(int Value) { button_->SetGroupIndex(Value); }

void TSpeedButtonActionLink::ActionChanged(TCustomAction* Action, bool CheckDefaults) {
  if (!CheckDefaults || button_->GroupIndex() == 0) button_->SetGroupIndex(Action->GroupIndex());
  if (button_->GroupIndex() != 0 && (!CheckDefaults || !button_->Down())) button_->SetDown(Action->Checked());
}

// ---- Tool buttons --------------------------------------------------------------------------------

TToolButtonActionLink::TToolButtonActionLink(TToolButton* AClient) : TControlActionLink(AClient), button_(AClient) {}

bool TToolButtonActionLink::IsCheckedLinked() {
  return TControlActionLink::IsCheckedLinked() && button_->Down() == Custom(this)->Checked();
}

bool TToolButtonActionLink::IsImageIndexLinked() {
  return TControlActionLink::IsImageIndexLinked() && button_->ImageIndex() == Custom(this)->ImageIndex();
}

void TToolButtonActionLink::SetChecked(bool Value) { button_->SetDown(Value); }

void TToolButtonActionLink::SetImageIndex(int Value) { button_->SetImageIndex(Value); }

void TToolButtonActionLink::ActionChanged(TCustomAction* Action, bool CheckDefaults) {
  if (!CheckDefaults || !button_->Down()) button_->SetDown(Action->Checked());
  if (!CheckDefaults || button_->ImageIndex() == -1) button_->SetImageIndex(Action->ImageIndex());
}
