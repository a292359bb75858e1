#include "ui/navbar/NavBarScrollBar.h"

#include "ui/navbar/NavBarPainter.h"

DEFINE_CLASS(TdxNavBarHintWindow)

TdxNavBarHintWindow::~TdxNavBarHintWindow() { ReleaseObjectLink(hintBar_); }

TdxCustomNavBar* TdxNavBarHintWindow::HintBar() const {
  return hintBar_ ? static_cast<TdxCustomNavBar*>(hintBar_->Ref) : nullptr;
}

TRect TdxNavBarHintWindow::CalcHintRect(int MaxWidth, const String& AHint, void* AData) {
  auto* info = static_cast<THintInfo*>(AData);
  auto* bar = info ? dynamic_cast<TdxCustomNavBar*>(info->HintControl) : nullptr;
  ReleaseObjectLink(hintBar_);
  hintBar_ = AcquireObjectLink(bar);
  if (!bar) return TcxBaseHintWindow::CalcHintRect(MaxWidth, AHint, AData);
  return bar->ViewInfo()->HintRect;
}

void TdxNavBarHintWindow::Paint() {
  if (TdxCustomNavBar* bar = HintBar()) return bar->Painter()->DrawHintWindow(this);
  TcxBaseHintWindow::Paint();
}
