#pragma once
// The bar's hint window: it takes its size from the bar's layout and lets the bar's painter draw it.

#include "ui/foundation/Controls.h"

class TdxCustomNavBar;

class TdxNavBarHintWindow : public TcxBaseHintWindow {
  DECLARE_CLASS(TdxNavBarHintWindow, TcxBaseHintWindow)
 public:
  explicit TdxNavBarHintWindow(TComponent* AOwner) : TcxBaseHintWindow(AOwner) {}
  ~TdxNavBarHintWindow() override;
  // AData is the bar's hint info: the window remembers the bar and answers its layout's hint
  // rectangle, whatever the width and text.
  TRect CalcHintRect(int MaxWidth, const String& AHint, void* AData) override;
  // The bar whose hint shows, or null.
  TdxCustomNavBar* HintBar() const;

 protected:
  void Paint() override;

 private:
  TcxObjectLink* hintBar_ = nullptr;
};
