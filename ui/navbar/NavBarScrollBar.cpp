#include "ui/navbar/NavBarScrollBar.h"

#include <algorithm>

#include "ui/navbar/NavBarPainter.h"

DEFINE_CLASS(TdxNavBarScrollBar)
DEFINE_CLASS(TdxNavBarHintWindow)

// ---- TdxNavBarScrollBar ---------------------------------------------------------------------------

TdxNavBarScrollBar::TdxNavBarScrollBar(TdxCustomNavBar* AOwnerBar, TScrollBarKind AKind)
    : ownerBar_(AOwnerBar), scrollKind_(AKind) {
  Reset();
}

TdxNavBarScrollBar::~TdxNavBarScrollBar() { FreeAndNil(scrollControl_); }

void TdxNavBarScrollBar::RecreateControl() {
  FreeAndNil(scrollControl_);
  scrollControl_ = ownerBar_->Painter()->CreateScrollBar();
  scrollControl_->SetVisible(false);
  scrollControl_->SetParent(ownerBar_);
  scrollControl_->SetKind(scrollKind_);
  scrollControl_->OnScroll = TScrollEvent(this, &TdxNavBarScrollBar::Scroll);
  Reset();
}

void TdxNavBarScrollBar::Reset() {
  scrollParams_ = {};
  scrollParams_.cbSize = sizeof(SCROLLINFO);
  scrollParams_.fMask = dxNavBarScrollInfoMask;
  scrollParams_.nMax = 100;
  if (scrollControl_) scrollControl_->SetVisible(false);
  shown_ = false;
}

void TdxNavBarScrollBar::SetVisible(bool Value) {
  if (shown_ == Value) return;
  shown_ = Value;
  if (scrollControl_) scrollControl_->SetVisible(Value);
}

int TdxNavBarScrollBar::Width() const { return GetSystemMetrics(SM_CXVSCROLL); }

int TdxNavBarScrollBar::Height() const { return ownerBar_->ClientHeight(); }

void TdxNavBarScrollBar::PlaceControl() {
  if (!scrollControl_) return;
  const TRect client = ownerBar_->ClientRect();
  if (scrollKind_ == sbVertical)
    scrollControl_->SetBounds(client.right, 0, Width(), Height());
  else
    scrollControl_->SetBounds(0, client.bottom, client.Width(), GetSystemMetrics(SM_CYHSCROLL));
}

void TdxNavBarScrollBar::SetScrollParams(int AMin, int AMax, bool ARedraw, int APage, int APosition) {
  if (AMax < AMin || AMax < APage)
    throw EInvalidOperation(dxNavBarResourceString(sdxNavBarScrollBarOutOfRange));
  const int position = std::max(AMin, std::min(APosition, AMax - APage));
  PlaceControl();
  if (AMin == scrollParams_.nMin && AMax == scrollParams_.nMax && APage == int(scrollParams_.nPage) &&
      position == scrollParams_.nPos)
    return;
  scrollParams_.nMin = AMin;
  scrollParams_.nMax = AMax;
  scrollParams_.nPage = UINT(APage);
  scrollParams_.nPos = position;
  if (scrollControl_) scrollControl_->ApplyScrollRange(AMin, AMax, APage, position, ARedraw);
  pageStep_ = APage;
}

void TdxNavBarScrollBar::SetPosition(int APosition) {
  SetScrollParams(Min(), Max(), true, Page(), APosition);
}

void TdxNavBarScrollBar::Scroll(TObject*, TScrollCode ACode, int& APosition) {
  int position;
  switch (ACode) {
    case scLineUp: position = Position() - lineStep_; break;
    case scLineDown: position = Position() + lineStep_; break;
    case scPageUp: position = Position() - pageStep_; break;
    case scPageDown: position = Position() + pageStep_; break;
    case scTop: position = Min(); break;
    case scBottom: position = Max(); break;
    default: position = APosition; break;
  }
  SetPosition(position);
  APosition = Position();
  if (OnScroll) OnScroll(this, ACode, APosition);
}

// ---- TdxNavBarHintWindow --------------------------------------------------------------------------

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
