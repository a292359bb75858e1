#include "ui/navbar/NavPaneController.h"

#include <algorithm>

#include "platform/framework/windows/Forms.h"
#include "ui/foundation/Classes.h"
#include "ui/foundation/Controls.h"
#include "ui/navbar/NavBarAccessibility.h"
#include "ui/navbar/NavBarPainter.h"
#include "ui/navbar/NavPanePainter.h"

DEFINE_CLASS(TdxNavBarNavigationPaneController)
DEFINE_CLASS(TdxNavBarPopupInnerControl)
DEFINE_CLASS(TdxNavBarPopupControl)
DEFINE_CLASS(TdxNavBarPopupInnerControlController)

// ---- the pane controller ------------------------------------------------------------------------------

TdxNavBarNavigationPaneController::TdxNavBarNavigationPaneController(TdxCustomNavBar* ANavBar)
    : TdxNavBarNavigationBarController(ANavBar) {
  // Every collapse or expand closes the popup first.
  ANavBar->CollapseStateNotify = [this](TObject*) { ClosePopup(); };
}

TdxNavBarNavigationPaneController::~TdxNavBarNavigationPaneController() {
  NavBar()->CollapseStateNotify = nullptr;
  if (popup_) {
    TdxNavBarPopupControl* popup = popup_;
    popup_ = nullptr;
    popup->Free();
  }
}

TdxNavBarNavigationPaneViewInfo* TdxNavBarNavigationPaneController::PaneViewInfo() const {
  return dynamic_cast<TdxNavBarNavigationPaneViewInfo*>(ViewInfo());
}

void TdxNavBarNavigationPaneController::PartAt(const TPoint& P, TdxNavBarPartRef& APart) {
  TdxNavBarNavigationPaneViewInfo* pane = PaneViewInfo();
  if (!pane) return TdxNavBarNavigationBarController::PartAt(P, APart);
  if (const int item = pane->OverflowPanel()->ItemAt(P); item >= 0) {
    APart = {nppOverflowItem, item};
  } else if (pane->IsOverflowSignAt(P)) {
    APart = {nppOverflowSign, -1};
  } else if (pane->IsHeaderSignAt(P)) {
    APart = {nppHeaderSign, -1};
  } else if (pane->IsSplitterAt(P)) {
    APart = {nppSplitter, -1};
  } else if (NavBar()->IsCollapsed() && RectContainsPoint(pane->ItemPanel()->Bounds, P)) {
    const int strip = pane->ItemPanel()->ItemAt(P);
    APart = strip >= 0 ? TdxNavBarPartRef{nppStripItem, strip} : TdxNavBarPartRef{nppStripCaption, -1};
  } else {
    TdxNavBarNavigationBarController::PartAt(P, APart);
  }
}

bool TdxNavBarNavigationPaneController::CanFocusOnClick(const TPoint& P) {
  TdxNavBarNavigationPaneViewInfo* pane = PaneViewInfo();
  if (pane && pane->IsSplitterAt(P)) return false;
  return TdxNavBarNavigationBarController::CanFocusOnClick(P);
}

TCursor TdxNavBarNavigationPaneController::CustomCursor() {
  for (const TdxNavBarPartRef& part : {PushedPart(), HotTrackPart()}) {
    if (!IsNavPanePart(part)) continue;
    if (part.Major == nppSplitter) return NavBar()->ShowGroupCaptions() ? crSizeNS : crDefault;
    return NavBar()->Cursors()->HotTrackedGroupCursor;
  }
  return TdxNavBarNavigationBarController::CustomCursor();
}

void TdxNavBarNavigationPaneController::MouseDown(TMouseButton Button, TShiftState Shift, const TPoint& P) {
  if (popup_ && popup_->ConsumeClosedByOwnerClick()) {
    PopupMouseDown = true;
    return;
  }
  PopupMouseDown = false;
  if (Button == mbLeft) {
    TdxNavBarPartRef part;
    PartAt(P, part);
    SetPressedPart(part);
    if (IsNavPanePart(part)) return;
  }
  TdxNavBarNavigationBarController::MouseDown(Button, Shift, P);
}

void TdxNavBarNavigationPaneController::MouseMove(TShiftState Shift, const TPoint& P) {
  TdxNavBarPartRef part;
  PartAt(P, part);
  SetHotPart(part);
  TdxNavBarNavigationPaneViewInfo* pane = PaneViewInfo();
  if (pane && PushedPart().Major == nppSplitter) {
    TdxCustomNavBar* bar = NavBar();
    if (bar->CanShowMoreGroups() && pane->IsAboveShrinkThreshold(P)) {
      bar->ShowMoreGroups();
    } else if (bar->CanShowFewerGroups() && pane->IsBelowGrowThreshold(P)) {
      bar->ShowFewerGroups();
    }
    // The next move measures from where the splitter is now: lay out at once rather than wait for a
    // paint (which a covered window may not get before the next move).
    bar->Painter()->PrepareToPaint();
    return;
  }
  TdxNavBarNavigationBarController::MouseMove(Shift, P);
}

void TdxNavBarNavigationPaneController::MouseLeave() {
  SetHotPart(nbNone);
  TdxNavBarNavigationBarController::MouseLeave();
}

void TdxNavBarNavigationPaneController::DoPartClick(const TdxNavBarPartRef& APart) {
  TdxNavBarNavigationPaneViewInfo* pane = PaneViewInfo();
  TdxCustomNavBar* bar = NavBar();
  if (!pane) return TdxNavBarNavigationBarController::DoPartClick(APart);
  switch (APart.Major) {
    case nppOverflowSign: {
      const TRect sign = pane->OverflowSignBounds();
      const TPoint anchor{sign.right, (sign.top + sign.bottom) / 2};
      ShowCustomizeMenu(bar->HandleAllocated() ? bar->ClientToScreen(anchor) : anchor, true);
      break;
    }
    case nppOverflowItem:
      if (APart.Minor >= 0 && APart.Minor < pane->OverflowItemCount())
        bar->SetActiveGroup(pane->OverflowItem(APart.Minor)->Group);
      break;
    case nppHeaderSign: {
      TdxNavBarNavigationPaneBehaviorOptions* options = bar->OptionsBehavior()->NavigationPane();
      options->SetCollapsed(!options->Collapsed());
      SetHotPart(nbNone);
      break;
    }
    case nppStripItem:
      if (APart.Minor >= 0 && APart.Minor < pane->ItemPanel()->ItemCount())
        DoLinkClick(bar, pane->ItemPanel()->Item(APart.Minor)->ItemLink);
      break;
    case nppStripCaption: OpenPopupFromStrip(); break;
    default: TdxNavBarNavigationBarController::DoPartClick(APart);
  }
}

void TdxNavBarNavigationPaneController::ShowCustomizeMenu(const TPoint& AScreenPoint, bool AMarkDropDown) {
  TdxNavBarNavigationPaneViewInfo* pane = PaneViewInfo();
  if (!pane) return;
  TdxCustomNavBar* bar = NavBar();
  const std::weak_ptr<void> alive = bar->LifeToken();
  if (AMarkDropDown) {
    DropDownPart = {nppOverflowSign, -1};
    bar->InvalidateAll(nbiRepaint);
  }
  pane->BuildCustomizeMenu();
  pane->CustomizeMenu()->Popup(AScreenPoint.x, AScreenPoint.y);
  if (alive.expired() || !AMarkDropDown) return;
  DropDownPart = nbNone;
  TdxNavBarPartRef part;
  PartAt(bar->HandleAllocated() ? bar->ScreenToClient(ReadCursorPos()) : TPoint{-1, -1}, part);
  SetHotPart(part);
  bar->InvalidateAll(nbiRepaint);
}

void TdxNavBarNavigationPaneController::OpenPopupFromStrip() {
  if ((popup_ && IsPopupOpen(popup_)) || PopupMouseDown) return;
  if (!NavBar()->EffectiveActiveGroup()) return;
  TcxObjectLink* link = AcquireObjectLink(this);
  DropDownPart = {nppStripCaption, -1};
  NavBar()->InvalidateAll(nbiRepaint);
  ShowPopup();
  if (link->Ref) {
    DropDownPart = nbNone;
    NavBar()->InvalidateAll(nbiRepaint);
  }
  ReleaseObjectLink(link);
}

void TdxNavBarNavigationPaneController::HotPartChanged(const TdxNavBarPartRef&) { NavBar()->InvalidateAll(nbiRepaint); }
void TdxNavBarNavigationPaneController::PressedPartChanged(const TdxNavBarPartRef&) {
  NavBar()->InvalidateAll(nbiRepaint);
}

void TdxNavBarNavigationPaneController::PrepareHint(THintInfo& AHintInfo) {
  if (!IsNavPanePart(HotTrackPart())) return TdxNavBarNavigationBarController::PrepareHint(AHintInfo);
  if (NavBar()->OptionsBehavior()->NavigationPane()->ShowOverflowPanelHints) PrepareOverflowHint(AHintInfo);
}

String TdxNavBarNavigationPaneController::PaneHintText(const TdxNavBarPartRef& APart) {
  TdxNavBarNavigationPaneViewInfo* pane = PaneViewInfo();
  TdxCustomNavBar* bar = NavBar();
  String text;
  switch (APart.Major) {
    case nppOverflowSign: text = dxNavBarResourceString(sdxNavPaneConfigureButtons); break;
    case nppOverflowItem:
      if (pane && APart.Minor >= 0 && APart.Minor < pane->OverflowItemCount())
        text = pane->OverflowItem(APart.Minor)->Group->Caption();
      break;
    case nppHeaderSign:
      text = dxNavBarResourceString(bar->IsCollapsed() ? sdxNavPaneExpand : sdxNavPaneMinimize);
      break;
    case nppStripItem:
      if (pane && APart.Minor >= 0 && APart.Minor < pane->ItemPanel()->ItemCount())
        LinkHintText(pane->ItemPanel()->Item(APart.Minor)->ItemLink, text);
      break;
    case nppStripCaption: text = dxNavBarResourceString(sdxNavPaneClickToExpand); break;
    default: break;
  }
  return StripAcceleratorPrefix(text);
}

void TdxNavBarNavigationPaneController::PrepareOverflowHint(THintInfo& AHintInfo) {
  TdxNavBarNavigationPaneViewInfo* pane = PaneViewInfo();
  if (!pane) return;
  const TdxNavBarPartRef part = HotTrackPart();
  pane->HintText = PaneHintText(part);
  TRect anchor;
  TdxNavBarGroup* group = nullptr;
  switch (part.Major) {
    case nppOverflowSign: anchor = pane->OverflowSignBounds(); break;
    case nppOverflowItem:
      group = pane->OverflowItem(part.Minor)->Group;
      anchor = pane->OverflowItem(part.Minor)->Bounds;
      break;
    case nppHeaderSign: anchor = pane->HeaderSignBounds; break;
    case nppStripItem: anchor = pane->ItemPanel()->Item(part.Minor)->Bounds; break;
    case nppStripCaption: anchor = pane->ItemPanel()->CollapseBarBounds; break;
    default: break;
  }
  if (part.Major == nppStripItem)
    CalcLinkHintRect(pane->ItemPanel()->Item(part.Minor)->ItemLink, pane->HintRect);
  else
    CalcNavigationPaneHintRect(group, pane->HintRect);
  AHintInfo.CursorRect = anchor;
}

void TdxNavBarNavigationPaneController::CheckBounds(int& ALeft, int& ATop, int& AWidth, int& AHeight) {
  TdxNavBarNavigationBarController::CheckBounds(ALeft, ATop, AWidth, AHeight);
  TdxCustomNavBar* bar = NavBar();
  TdxNavBarNavigationPaneViewInfo* pane = PaneViewInfo();
  if (!pane || AWidth == bar->Width() || bar->IsLoading()) return;
  TdxNavBarNavigationPaneBehaviorOptions* options = bar->OptionsBehavior()->NavigationPane();
  if (!options->Collapsible()) return;
  const int minimum = pane->MinExpandedWidth();
  if (bar->IsCollapsed()) {
    if (AWidth < minimum) {
      AWidth = pane->CollapsedWidth();
    } else {
      bar->SetOriginalWidth(AWidth);
      options->SetCollapsed(false);
    }
  } else if (AWidth < minimum) {
    options->SetCollapsed(true);
    AWidth = pane->CollapsedWidth();
  }
}

void TdxNavBarNavigationPaneController::ClosePopup() {
  if (popup_ && IsPopupOpen(popup_)) popup_->ClosePopup();
}

void TdxNavBarNavigationPaneController::ShowPopup() {
  TdxCustomNavBar* bar = NavBar();
  if (!bar->EffectiveActiveGroup()) return;
  if (!popup_) popup_ = new TdxNavBarPopupControl(bar);
  popup_->OwnerBounds = bar->BoundsRect();
  popup_->OwnerParent = bar->Parent();
  popup_->ShowPopup(nullptr);
}

int TdxNavBarNavigationPaneController::PartState(const TdxNavBarPartRef& APart) {
  TdxNavBarNavigationPaneViewInfo* pane = PaneViewInfo();
  const bool hot = HotTrackPart() == APart, pressed = PushedPart() == APart;
  const bool nothingPressed = PushedPart() == nbNone;
  if (pane && APart.Major == nppOverflowItem && APart.Minor >= 0 && APart.Minor < pane->OverflowItemCount() &&
      pane->OverflowItem(APart.Minor)->Group == NavBar()->EffectiveActiveGroup())
    return hot && (nothingPressed || pressed) ? 4 : 3;
  if (DropDownPart == APart) return 5;
  if (pressed && hot) return 2;
  if (hot && nothingPressed) return 1;
  return 0;
}

// ---- the popup's inner bar ----------------------------------------------------------------------------

TdxNavBarPopupInnerControl::TdxNavBarPopupInnerControl(TdxNavBarPopupControl* APopup)
    : TdxCustomNavBar(APopup), masterBar_(APopup->MasterBar()) {
  OptionsView()->NavigationPane()->SetShowHeader(false);
  OptionsView()->NavigationPane()->SetShowOverflowPanel(false);
}

void CopyNavPaneGroupSettings(TdxCustomNavBar* ASource, TdxCustomNavBar* ATarget, bool AFromMaster) {
  TdxNavBarGroup* source = ASource->EffectiveActiveGroup();
  TdxNavBarGroup* target = ATarget->EffectiveActiveGroup();
  if (!source || !target) return;
  if (AFromMaster) {
    target->SetCustomStyles(source->CustomStyles());
    target->SetLinksUseSmallImages(source->LinksUseSmallImages());
    target->SetShowAsIconView(source->ShowAsIconView());
  }
  if (source->UseControl() && source->Control()) {
    TdxNavBarGroupControl* control = source->Control();
    const bool show = source->ShowControl();
    source->DetachControl();
    if (AFromMaster) source->OptionsGroupControl()->SetUseControl(false);
    target->DetachControl();
    control->SetParent(ATarget);
    target->AttachControl(control);
    target->OptionsGroupControl()->SetUseControl(true);
    target->OptionsGroupControl()->SetShowControl(show);
  }
  target->SetSelectedLinkIndex(source->SelectedLinkIndex());
  target->OnSelectedLinkChanged = source->OnSelectedLinkChanged;
  target->OnTopVisibleLinkChanged = source->OnTopVisibleLinkChanged;
  source->OnSelectedLinkChanged = nullptr;
  source->OnTopVisibleLinkChanged = nullptr;
}

void TdxNavBarPopupInnerControl::CopyFromMaster() {
  TdxCustomNavBar* master = masterBar_;
  SetView(master->View());
  ViewStyle()->Assign(master->ViewStyle());
  OptionsBehavior()->SideBar()->SetAllowSelectLinks(master->AllowSelectLinks());
  OptionsStyle()->Assign(master->OptionsStyle());
  OptionsImage()->Assign(master->OptionsImage());
  BeginUpdate();
  try {
    Items()->Assign(master->Items());
    TdxNavBarGroup* own = EffectiveActiveGroup();
    TdxNavBarGroup* source = master->EffectiveActiveGroup();
    if (own && source) {
      own->ClearLinks();
      for (int i = 0; i < source->LinkCount(); ++i) {
        TdxNavBarItemLink* masterLink = source->LinkAt(i);
        const int index = masterLink->Item() ? masterLink->Item()->IndexInCollection() : -1;
        if (index < 0 || index >= Items()->Count()) continue;
        own->AddLinkForItem(Items()->ItemAt(index))->Data = masterLink;
      }
      CopyNavPaneGroupSettings(master, this, true);
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  TdxNavBarGroup* own = EffectiveActiveGroup();
  SetTabStop(own && own->UseControl() && own->ShowControl() ? false : master->TabStop());
}

void TdxNavBarPopupInnerControl::CopyBackToMaster() {
  TdxCustomNavBar* master = masterBar_;
  TdxNavBarGroup* own = EffectiveActiveGroup();
  TdxNavBarGroup* target = master->EffectiveActiveGroup();
  if (!own || !target) return;
  master->BeginUpdate();
  try {
    for (int i = 0; i < own->LinkCount(); ++i) {
      TdxNavBarItemLink* link = own->LinkAt(i);
      if (link->Data) continue;
      const int index = link->Item() ? link->Item()->IndexInCollection() : -1;
      if (index >= 0 && index < master->Items()->Count()) link->Data = target->AddLinkForItem(master->Items()->ItemAt(index));
    }
    for (int i = 0; i < own->LinkCount(); ++i)
      if (auto* masterLink = static_cast<TdxNavBarItemLink*>(own->LinkAt(i)->Data)) masterLink->SetIndex(i);
    while (target->LinkCount() > own->LinkCount()) target->RemoveLinkAt(target->LinkCount() - 1);
    CopyNavPaneGroupSettings(this, master, false);
  } catch (...) {
    master->EndUpdate();
    throw;
  }
  master->EndUpdate();
}

// ---- the popup window ----------------------------------------------------------------------------------

TdxNavBarPopupControl::TdxNavBarPopupControl(TdxCustomNavBar* AMasterBar)
    : TcxCustomPopupWindow(AMasterBar), masterBar_(AMasterBar) {
  ChangeFocusCapturing(true);
  PopupWidth = AMasterBar->OriginalWidth();
}

TdxNavBarPopupControl::~TdxNavBarPopupControl() {
  FreeAndNil(sizeFrame_);
  FreeAndNil(viewInfo_);
}

void TdxNavBarPopupControl::TakeOwnerFont() {
  if (!innerBar_) {
    innerBar_ = new TdxNavBarPopupInnerControl(this);
    innerBar_->SetParent(this);
    innerBar_->Groups()->Add();
    innerBar_->OptionsView()->Common()->SetShowGroupCaptions(false);
  }
  if (viewInfo_) innerBar_->SetBounds(viewInfo_->Margins().left, viewInfo_->Margins().top, innerBar_->Width(),
                                      innerBar_->Height());
  innerBar_->CopyFromMaster();
  if (masterBar_->OptionsBehavior()->NavigationPane()->AdjustWidthByPopup) PopupWidth = masterBar_->OriginalWidth();
}

void TdxNavBarPopupControl::ShowPopup(TWinControl* AFocusedControl) {
  auto* painter = dynamic_cast<TdxNavBarNavigationPanePainter*>(masterBar_->Painter());
  if (!painter) return;
  FreeAndNil(viewInfo_);
  viewInfo_ = painter->CreatePopupViewInfo();
  TcxCustomPopupWindow::ShowPopup(AFocusedControl);
}

void TdxNavBarPopupControl::AdjustSize() {
  if (!viewInfo_) return;
  viewInfo_->ComputeLayout(PopupWidth);
  const TRect bounds = viewInfo_->Bounds;
  const TRect margins = viewInfo_->Margins();
  SetBounds(Left(), Top(), bounds.Width(), bounds.Height());
  if (innerBar_)
    innerBar_->SetBounds(margins.left, margins.top, bounds.Width() - margins.left - margins.right,
                         bounds.Height() - margins.top - margins.bottom);
}

void TdxNavBarPopupControl::CalculatePosition(TPoint& P) {
  if (viewInfo_) P = viewInfo_->Origin();
  else TcxCustomPopupWindow::CalculatePosition(P);
}

void TdxNavBarPopupControl::Paint() {
  if (auto* painter = dynamic_cast<TdxNavBarNavigationPanePainter*>(masterBar_->Painter()); painter && viewInfo_)
    painter->DrawPopupFrame(Canvas(), viewInfo_);
}

void TdxNavBarPopupControl::FireShowed() {
  TcxCustomPopupWindow::FireShowed();
  TdxNavBarGroup* group = innerBar_ ? innerBar_->EffectiveActiveGroup() : nullptr;
  if (group && group->UseControl() && group->ShowControl()) {
    innerBar_->ViewInfo()->AdjustGroupControls();
    if (TWinControl* first = FindNextControl(nullptr, true, true, false)) SetActiveControl(first);
  }
}

void TdxNavBarPopupControl::ClosePopup() {
  if (!IsPopupOpen(this)) return;
  if (innerBar_) innerBar_->CopyBackToMaster();
  if (sizing_) EndSizing(true);
  FreeAndNil(viewInfo_);
  SetActiveControl(nullptr);
  TcxCustomPopupWindow::ClosePopup();
}

bool TdxNavBarPopupControl::HandlesHookedMessage(HWND, UINT, const TPoint&, TShiftState) { return true; }

void TdxNavBarPopupControl::KeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_ESCAPE) {
    if (sizing_) EndSizing(true);
    else ClosePopup();
    Key = 0;
    return;
  }
  TcxCustomPopupWindow::KeyDown(Key, Shift);
}

void TdxNavBarPopupControl::BeginSizing(const TPoint& P) {
  if (sizing_ || !viewInfo_) return;
  SetCaptureControl(this);
  sizingOffset_ = Width() - P.x;
  sizing_ = true;
  sizeFrame_ = new TcxSizeFrame(2);
  sizeFrame_->MoveToRect(BoundsRect());
  sizeFrame_->ShowNoActivate();
}

void TdxNavBarPopupControl::MoveSizing(const TPoint& P) {
  if (!sizing_ || !viewInfo_ || !sizeFrame_) return;
  const int width = P.x + sizingOffset_;
  if (viewInfo_->MinimumWidth() < width) sizeFrame_->MoveToRect(Bounds(Left(), Top(), width, Height()));
}

void TdxNavBarPopupControl::EndSizing(bool ACancel) {
  if (!sizing_) return;
  if (GetCaptureControl() == this) SetCaptureControl(nullptr);
  sizing_ = false;
  if (!ACancel && sizeFrame_) {
    PopupWidth += sizeFrame_->Width() - Width();
    if (masterBar_->OptionsBehavior()->NavigationPane()->AdjustWidthByPopup) masterBar_->SetOriginalWidth(PopupWidth);
    AdjustSize();
    Invalidate();
  }
  FreeAndNil(sizeFrame_);
}

void TdxNavBarPopupControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (viewInfo_ && viewInfo_->IsOnSizingEdge({X, Y})) return BeginSizing({X, Y});
  TcxCustomPopupWindow::MouseDown(Button, Shift, X, Y);
}

void TdxNavBarPopupControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (sizing_) return MoveSizing({X, Y});
  MouseOverSizingEdge = viewInfo_ && viewInfo_->IsOnSizingEdge({X, Y});
  SetCursor(MouseOverSizingEdge ? crSizeWE : crDefault);
  TcxCustomPopupWindow::MouseMove(Shift, X, Y);
}

void TdxNavBarPopupControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (sizing_) return EndSizing(false);
  TcxCustomPopupWindow::MouseUp(Button, Shift, X, Y);
}

// ---- the inner bar's controller ----------------------------------------------------------------------

TdxNavBarPopupControl* TdxNavBarPopupInnerControlController::OwnerPopup() const {
  return dynamic_cast<TdxNavBarPopupControl*>(NavBar()->Parent());
}

void TdxNavBarPopupInnerControlController::DoLinkClick(TdxCustomNavBar* ANavBar, TdxNavBarItemLink* ALink) {
  if (ANavBar->AllowSelectLinks()) ALink->Select(true);
  TdxNavBarPopupControl* popup = OwnerPopup();
  auto* masterLink = static_cast<TdxNavBarItemLink*>(ALink->Data);
  if (!popup) return;
  TdxCustomNavBar* master = popup->MasterBar();
  if (auto* controller = dynamic_cast<TdxNavBarNavigationPaneController*>(master->Controller()))
    controller->ClosePopup();
  // Closing copied the links back: the master link is still the one of the same position.
  if (masterLink) master->Controller()->TdxNavBarController::DoLinkClick(master, masterLink);
}

TCursor TdxNavBarPopupInnerControlController::CustomCursor() {
  if (MouseOverSizingEdge) return crSizeWE;
  return TdxNavBarNavigationPaneController::CustomCursor();
}

void TdxNavBarPopupInnerControlController::MouseDown(TMouseButton Button, TShiftState Shift, const TPoint& P) {
  TdxNavBarPopupControl* popup = OwnerPopup();
  if (popup && MouseOverSizingEdge && Button == mbLeft) {
    TdxCustomNavBar* bar = NavBar();
    return popup->BeginSizing({P.x + bar->Left(), P.y + bar->Top()});
  }
  TdxNavBarNavigationPaneController::MouseDown(Button, Shift, P);
}

void TdxNavBarPopupInnerControlController::MouseMove(TShiftState Shift, const TPoint& P) {
  TdxNavBarPopupControl* popup = OwnerPopup();
  TdxCustomNavBar* bar = NavBar();
  MouseOverSizingEdge = false;
  if (popup && popup->PopupViewInfo() && !bar->IsTopScrollButtonAt(P) && !bar->IsBottomScrollButtonAt(P) &&
      RectContainsPoint(bar->ClientRect(), P))
    MouseOverSizingEdge = popup->PopupViewInfo()->IsOnSizingEdge({P.x + bar->Left(), P.y + bar->Top()});
  if (popup && popup->Sizing()) return popup->MoveSizing({P.x + bar->Left(), P.y + bar->Top()});
  if (!MouseOverSizingEdge) TdxNavBarNavigationPaneController::MouseMove(Shift, P);
}
