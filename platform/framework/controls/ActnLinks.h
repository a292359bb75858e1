#pragma once
// Action links of the buttons: check boxes and radio buttons follow Checked, speed buttons follow
// Checked with Down (in a group that allows all up) and GroupIndex, tool buttons follow Checked
// with Down and ImageIndex. A control uses one by returning it from CreateActionLink.

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(CONTROLS);

#include "platform/framework/windows/ActnList.h"

class TButtonControl;
class TSpeedButton;
class TToolButton;

class TButtonActionLink : public TControlActionLink {
  DECLARE_CLASS(TButtonActionLink, TControlActionLink)
 public:
  explicit TButtonActionLink(TButtonControl* AClient);
  bool IsCheckedLinked() override;
  void SetChecked(bool Value) override;
  void ActionChanged(TCustomAction* Action, bool CheckDefaults) override;

 private:
  bool ClientChecked() const;
  TButtonControl* button_;
};

class TSpeedButtonActionLink : public TControlActionLink {
  DECLARE_CLASS(TSpeedButtonActionLink, TControlActionLink)
 public:
  explicit TSpeedButtonActionLink(TSpeedButton* AClient);
  bool IsCheckedLinked() override;
  bool IsGroupIndexLinked() override;
  void SetChecked(bool Value) override;
  void SetGroupIndex(int Value) override;
  void ActionChanged(TCustomAction* Action, bool CheckDefaults) override;

 private:
  TSpeedButton* button_;
};

class TToolButtonActionLink : public TControlActionLink {
  DECLARE_CLASS(TToolButtonActionLink, TControlActionLink)
 public:
  explicit TToolButtonActionLink(TToolButton* AClient);
  bool IsCheckedLinked() override;
  bool IsImageIndexLinked() override;
  void SetChecked(bool Value) override;
  void SetImageIndex(int Value) override;
  void ActionChanged(TCustomAction* Action, bool CheckDefaults) override;

 private:
  TToolButton* button_;
};
