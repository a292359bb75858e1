#include "ui/navbar/NavBarController.h"

#include <algorithm>

#include "platform/framework/windows/Forms.h"
#include "ui/navbar/NavBarAccessibility.h"
#include "ui/navbar/NavBarPainter.h"
#include "ui/navbar/NavBarScrollBar.h"

DEFINE_CLASS(TdxNavBarController)
DEFINE_CLASS(TdxNavBarDragObject)
DEFINE_CLASS(TdxDragObject)

// ---- TdxNavBarController ----------------------------------------------------------------------

TdxNavBarController::~TdxNavBarController() { InvalidateObjectLinks(this); }

TdxNavBarViewInfo* TdxNavBarController::ViewInfo() const { return navBar_->ViewInfo(); }

void TdxNavBarController::SetHotPart(const TdxNavBarPartRef& APart) {
  if (hotTrackPart_ == APart) return;
  hotTrackPart_ = APart;
  HotPartChanged(APart);
}

void TdxNavBarController::SetPressedPart(const TdxNavBarPartRef& APart) {
  if (pushedPart_ == APart) return;
  pushedPart_ = APart;
  PressedPartChanged(APart);
}

bool TdxNavBarController::CanFocusOnClick(const TPoint& P) {
  return !navBar_->IsTopScrollButtonAt(P) && !navBar_->IsBottomScrollButtonAt(P);
}

void TdxNavBarController::MouseDown(TMouseButton, TShiftState Shift, const TPoint& P) {
  TdxCustomNavBar* bar = navBar_;
  if (!Shift.Contains(ssLeft)) {
    if (bar->hotGroup_ || bar->hotLink_) {
      bar->hotGroup_ = nullptr;
      bar->hotLink_ = nullptr;
      bar->InvalidateAll(nbiRepaint);
    }
    return;
  }
  if (bar->IsTopScrollButtonAt(P)) return bar->DoTopScrollButtonDown();
  if (bar->IsBottomScrollButtonAt(P)) return bar->DoBottomScrollButtonDown();
  if (TdxNavBarGroup* group = bar->GroupAtPos(P)) return bar->DoGroupMouseDown(group);
  if (TdxNavBarItemLink* link = bar->IsDesigning() ? bar->LinkAtPos(P) : bar->LinkHitAtPos(P))
    bar->DoLinkMouseDown(link);
}

void TdxNavBarController::MouseUp(TMouseButton, TShiftState, const TPoint& P) {
  TdxCustomNavBar* bar = navBar_;
  TdxNavBarPartRef part;
  PartAt(P, part);
  SetHotPart(part);
  if (part == pushedPart_) {
    SetPressedPart(nbNone);
    DoPartClick(part);
  } else {
    SetPressedPart(nbNone);
  }
  if (!(part == nbNone)) return;
  if (bar->IsTopScrollButtonAt(bar->MouseButtonPos()) || bar->topButtonPressed_) return bar->DoTopScrollButtonUp();
  if (bar->IsBottomScrollButtonAt(bar->MouseButtonPos()) || bar->bottomButtonPressed_)
    return bar->DoBottomScrollButtonUp();
  bar->topButtonPressed_ = bar->bottomButtonPressed_ = false;
  const std::weak_ptr<void> alive = bar->LifeToken();
  if (bar->ClickGroup()) bar->DoGroupMouseUp(bar->ClickGroup());
  if (!alive.expired() && bar->ClickLink()) bar->DoLinkMouseUp(bar->ClickLink());
}

void TdxNavBarController::MouseMove(TShiftState Shift, const TPoint&) {
  TdxCustomNavBar* bar = navBar_;
  if (!(Shift * bar->MouseDownShift()).Empty()) return;
  const TPoint p = bar->MousePos();
  if (TdxNavBarItemLink* link = bar->LinkHitAtPos(p); link != bar->HotLink()) bar->DoLinkHotTrack(link);
  if (TdxNavBarGroup* group = bar->GroupAtPos(p); group != bar->HotGroup()) bar->DoGroupHotTrack(group);
}

void TdxNavBarController::DoLinkClick(TdxCustomNavBar* ANavBar, TdxNavBarItemLink* ALink) {
  ALink->Select(ANavBar->AllowSelectLinks());
  TdxNavBarItem* item = ALink->Item();
  if (!item) return;
  if (item->OnClick)
    item->OnClick(item);
  else if (item->ActionLink() && item->ActionLink()->Action())
    item->ActionLink()->Execute(item);
  else if (ANavBar->OnLinkClick)
    ANavBar->OnLinkClick(ANavBar, ALink);
}

// ---- hints ---------------------------------------------------------------------------------------

void TdxNavBarController::PrepareHint(THintInfo& AHintInfo) {
  TdxNavBarViewInfo* viewInfo = ViewInfo();
  TdxNavBarCommonBehaviorOptions* options = navBar_->OptionsBehavior()->Common();
  TdxNavBarGroupViewInfo* group = viewInfo->GroupAtCaption(AHintInfo.CursorPos);
  if (group && options->ShowGroupsHint) return PrepareGroupHint(AHintInfo, group);
  TdxNavBarLinkViewInfo* link = viewInfo->LinkAtHit(AHintInfo.CursorPos);
  if (link && options->ShowLinksHint) PrepareLinkHint(AHintInfo, link);
}

void TdxNavBarController::PrepareGroupHint(THintInfo& AHintInfo, TdxNavBarGroupViewInfo* AGroupViewInfo) {
  TdxNavBarViewInfo* viewInfo = ViewInfo();
  GroupHintText(AGroupViewInfo->Group(), viewInfo->HintText);
  CalcGroupHintRect(AGroupViewInfo->Group(), viewInfo->HintRect);
  AHintInfo.CursorRect = AGroupViewInfo->CaptionRect;
}

void TdxNavBarController::PrepareLinkHint(THintInfo& AHintInfo, TdxNavBarLinkViewInfo* ALinkViewInfo) {
  TdxNavBarViewInfo* viewInfo = ViewInfo();
  LinkHintText(ALinkViewInfo->Link(), viewInfo->HintText);
  CalcLinkHintRect(ALinkViewInfo->Link(), viewInfo->HintRect);
  AHintInfo.CursorRect = ALinkViewInfo->Rect;
}

void TdxNavBarController::GroupHintText(TdxNavBarGroup* AGroup, String& AText) {
  AText = AGroup->Hint();
  if (navBar_->OnGetGroupHint) navBar_->OnGetGroupHint(navBar_, AGroup, AText);
  AText = GetShortHint(AText);
}

void TdxNavBarController::LinkHintText(TdxNavBarItemLink* ALink, String& AText) {
  AText = ALink->Item() ? ALink->Item()->Hint() : String();
  if (navBar_->OnGetLinkHint) navBar_->OnGetLinkHint(navBar_, ALink, AText);
  AText = GetShortHint(AText);
}

template <class T, class Event>
void TdxNavBarController::CalcHintRect(T* AObject, TRect& R, const Event& AEvent) {
  TdxNavBarViewInfo* viewInfo = ViewInfo();
  R = {0, 0, std::max(viewInfo->ClientWidth(), navBar_->OriginalWidth()), 0};
  TcxScreenCanvas* canvas = ScreenCanvas();
  canvas->UseFont(viewInfo->HintFont());
  canvas->MeasureText(L"");  // selects the font
  RenderTextInRect(canvas->DCHandle(), viewInfo->HintText, R, DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK);
  R.right += 6;
  R.bottom += 6;
  if (AEvent) AEvent(navBar_, AObject, viewInfo, R);
  R = OffsetRectBy(R, 20, 0);
}

void TdxNavBarController::CalcGroupHintRect(TdxNavBarGroup* AGroup, TRect& R) {
  CalcHintRect(AGroup, R, navBar_->OnCalcGroupHintRect);
}

void TdxNavBarController::CalcLinkHintRect(TdxNavBarItemLink* ALink, TRect& R) {
  CalcHintRect(ALink, R, navBar_->OnCalcLinkHintRect);
}

void TdxNavBarController::CalcNavigationPaneHintRect(TdxNavBarGroup* AGroup, TRect& R) {
  CalcHintRect(AGroup, R, navBar_->OnCalcNavigationPaneOverflowPanelHintRect);
}

// ---- the drag object -------------------------------------------------------------------------------

namespace {

TdxNavBarDragObject* dragObject = nullptr;

}  // namespace

TdxNavBarDragObject* dxNavBarDragObject() { return dragObject; }

void SetNavBarDragObject(TdxNavBarDragObject* AObject) {
  if (dragObject == AObject) return;
  TdxNavBarDragObject* old = dragObject;
  dragObject = AObject;
  if (old) old->Free();
}

TdxNavBarDragObject::TdxNavBarDragObject(TdxCustomNavBar* ASourceBar, TdxNavBarGroup* ASourceGroup,
                                         TdxNavBarItemLink* ASourceLink, TdxNavBarItem* ASourceItem)
    : sourceBar_(ASourceBar), sourceGroup_(ASourceGroup), sourceLink_(ASourceLink), sourceItem_(ASourceItem) {}

TdxNavBarDragObject::~TdxNavBarDragObject() {
  if (dragObject == this) dragObject = nullptr;
}

TdxNavBarItem* TdxNavBarDragObject::DragItem() const {
  if (sourceItem_) return sourceItem_;
  return sourceLink_ && Bound().GetKeyState(VK_CONTROL) < 0 ? sourceLink_->Item() : nullptr;
}

void TdxNavBarDragObject::RefreshDropTarget() {
  TargetGroup = nullptr;
  TargetPrevious = TargetNext = nullptr;
  TargetIndex = -1;
  TdxNavBarViewInfo* viewInfo = sourceBar_->ViewInfo();
  const TPoint p = sourceBar_->MousePos();
  if (sourceLink_ || DragItem()) {
    TargetIndex = viewInfo->DropTargetAt(p, TargetGroup, TargetNext, TargetPrevious);
  } else if (sourceGroup_) {
    TdxNavBarGroupViewInfo* group = viewInfo->GroupAtCaption(p);
    if (!group) group = viewInfo->GroupAtItems(p);
    TargetGroup = group ? group->Group() : nullptr;
  }
}

void TdxNavBarDragObject::ForgetLink(TdxNavBarItemLink* ALink) {
  if (sourceLink_ == ALink) sourceLink_ = nullptr;
  if (TargetPrevious == ALink) TargetPrevious = nullptr;
  if (TargetNext == ALink) TargetNext = nullptr;
}

void TdxNavBarDragObject::ForgetGroup(TdxNavBarGroup* AGroup) {
  if (sourceGroup_ == AGroup) sourceGroup_ = nullptr;
  if (TargetGroup == AGroup) TargetGroup = nullptr;
  if (sourceLink_ && sourceLink_->Group() == AGroup) sourceLink_ = nullptr;
  if (TargetPrevious && TargetPrevious->Group() == AGroup) TargetPrevious = nullptr;
  if (TargetNext && TargetNext->Group() == AGroup) TargetNext = nullptr;
}

// ---- the bar's input -----------------------------------------------------------------------------

bool TdxCustomNavBar::IsDragging() { return dxNavBarDragObject() || (internalFlags_ & nbifDragStarted); }

TdxNavBarGroup* TdxCustomNavBar::DragGroup() {
  if (!IsDragging()) return clickGroup_;
  TdxNavBarDragObject* drag = dxNavBarDragObject();
  return drag ? drag->SourceGroup() : nullptr;
}

TdxNavBarItemLink* TdxCustomNavBar::DragLink() {
  if (!IsDragging()) return clickLink_;
  TdxNavBarDragObject* drag = dxNavBarDragObject();
  return drag ? drag->SourceLink() : nullptr;
}

TdxNavBarItem* TdxCustomNavBar::DragItem() {
  TdxNavBarDragObject* drag = dxNavBarDragObject();
  return drag ? drag->DragItem() : nullptr;
}

void TdxCustomNavBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  InterfacePtr<IdxNavBarAccessibilityHelper> pressed;
  if (!IsTopScrollButtonAt({X, Y}) && !IsBottomScrollButtonAt({X, Y}) && HandleAllocated())
    pressed = AccessibilityHelper()->NavBarHelperObject()->HitTest(ClientToScreen({X, Y}));
  const std::weak_ptr<void> alive = LifeToken();
  TdxNavBarControlBase::MouseDown(Button, Shift, X, Y);
  if (alive.expired()) return;
  mouseDownShift_ = Shift;
  mouseButtonPos_ = {X, Y};
  Controller()->MouseDown(Button, Shift, {X, Y});
  if (alive.expired() || !pressed) return;
  TdxNavBarCustomAccessibilityHelper* object = pressed->NavBarHelperObject();
  if (object->IsOwnerObjectLive() && object->CanReceiveFocus(false)) SetFocusedObject(pressed.get());
}

void TdxCustomNavBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (IsDragging() || Dragging()) return;
  const std::weak_ptr<void> alive = LifeToken();
  TdxNavBarControlBase::MouseUp(Button, Shift, X, Y);
  if (alive.expired()) return;
  mouseButtonPos_ = {X, Y};
  Controller()->MouseUp(Button, Shift, {X, Y});
  if (!alive.expired()) mouseDownShift_ = {};
}

void TdxCustomNavBar::MouseMove(TShiftState Shift, int X, int Y) {
  mousePos_ = {X, Y};
  if (!Painter()->IsLayoutValid() || IsDesigning()) return;
  if (TopScrollButtonShown() || BottomScrollButtonShown()) Painter()->InvalidateScrollButtons();
  if (CheckDragStart(mousePos_)) return;
  const std::weak_ptr<void> alive = LifeToken();
  TdxNavBarControlBase::MouseMove(Shift, X, Y);
  if (!alive.expired()) Controller()->MouseMove(Shift, mousePos_);
}

bool TdxCustomNavBar::CanFocusOnClickAt(int X, int Y) {
  return TdxNavBarControlBase::CanFocusOnClickAt(X, Y) && Controller()->CanFocusOnClick({X, Y});
}

void TdxCustomNavBar::FireMouseEnter(TControl* AControl) {
  TdxNavBarControlBase::FireMouseEnter(AControl);
  InvalidateAll(nbiRepaint);
}

void TdxCustomNavBar::FireMouseLeave(TControl* AControl) {
  const std::weak_ptr<void> alive = LifeToken();
  TdxNavBarControlBase::FireMouseLeave(AControl);
  if (alive.expired()) return;
  mousePos_ = {-1, -1};
  pressedGroup_ = hotGroup_ = nullptr;
  pressedLink_ = hotLink_ = nullptr;
  if (TdxNavBarDragObject* drag = dxNavBarDragObject()) drag->RefreshDropTarget();
  Controller()->MouseLeave();
  InvalidateAll(nbiRelayout);
}

bool TdxCustomNavBar::IsDesignHitAt(int X, int Y, TShiftState Shift) {
  const TPoint p{X, Y};
  return TdxNavBarControlBase::IsDesignHitAt(X, Y, Shift) || IsGroupDesignMark(p) || IsLinkDesignMark(p) ||
         IsTopScrollButtonAt(p) || IsBottomScrollButtonAt(p);
}

// ---- keyboard -------------------------------------------------------------------------------------

void TdxCustomNavBar::FocusChanged() {
  const std::weak_ptr<void> alive = LifeToken();
  TdxNavBarControlBase::FocusChanged();
  if (!alive.expired() && focusedObject_) focusedObject_->FocusStateChanged(false);
}

void TdxCustomNavBar::DoEnter() {
  const std::weak_ptr<void> alive = LifeToken();
  TdxNavBarControlBase::DoEnter();
  if (alive.expired() || focusedObject_) return;
  if (IdxNavBarAccessibilityHelper* first = AccessibilityHelper()->NextFocusTarget(0)) SetFocusedObject(first);
}

void TdxCustomNavBar::KeyDown(Word& Key, TShiftState Shift) {
  const std::weak_ptr<void> alive = LifeToken();
  TdxNavBarControlBase::KeyDown(Key, Shift);
  if (alive.expired()) return;
  internalFlags_ |= nbifKeyWentDown;
  int direction = 0;
  switch (Key) {
    case VK_LEFT: direction = 1; break;
    case VK_RIGHT: direction = 2; break;
    case VK_UP: direction = 3; break;
    case VK_DOWN: direction = 4; break;
    default: break;
  }
  if (direction != 0) {
    IdxNavBarAccessibilityHelper* target = focusedObject_ ? focusedObject_->NextFocusTarget(direction)
                                                          : AccessibilityHelper()->NextFocusTarget(4);
    if (!alive.expired() && target) SetFocusedObject(target);
    return;
  }
  if (Key != 0 && focusedObject_) {
    InterfacePtr<IdxNavBarAccessibilityHelper> focused = focusedObject_;
    focused->HandleKeyDown(Key, Shift);
  }
}

void TdxCustomNavBar::KeyPress(wchar_t& Key) {
  const std::weak_ptr<void> alive = LifeToken();
  TdxNavBarControlBase::KeyPress(Key);
  if (alive.expired() || !focusedObject_) return;
  InterfacePtr<IdxNavBarAccessibilityHelper> focused = focusedObject_;
  focused->HandleKeyPress(Key);
}

void TdxCustomNavBar::KeyUp(Word& Key, TShiftState Shift) {
  const std::weak_ptr<void> alive = LifeToken();
  TdxNavBarControlBase::KeyUp(Key, Shift);
  if (alive.expired() || !(internalFlags_ & nbifKeyWentDown)) return;
  internalFlags_ &= Byte(~nbifKeyWentDown);
  if (!focusedObject_) return;
  InterfacePtr<IdxNavBarAccessibilityHelper> focused = focusedObject_;
  focused->HandleKeyUp(Key, Shift);
  if (alive.expired()) Key = 0;
}

// ---- scrolling -----------------------------------------------------------------------------------

void TdxCustomNavBar::WMVScroll(TMessage& Message) {
  const std::weak_ptr<void> alive = LifeToken();
  Inherited::Dispatch(Message);
  if (alive.expired()) return;
  int position = static_cast<short>(HIWORD(Message.WParam));
  scrollBar_->Scroll(this, TScrollCode(LOWORD(Message.WParam)), position);
}

namespace {

// A control of the application at the screen point (not the bar) whose vertical scroll bar can move.
TWinControl* VerticallyScrollingControlAt(TWinControl* ABar, const TPoint& P) {
  TWinControl* control = FindControl(WindowFromPoint(P));
  if (!control || control == ABar || !control->HandleAllocated()) return nullptr;
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
  if (!GetScrollInfo(control->Handle(), SB_VERT, &info)) return nullptr;
  return info.nPage != 0 && info.nMax >= int(info.nPage) ? control : nullptr;
}

}  // namespace

bool TdxCustomNavBar::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  const std::weak_ptr<void> alive = LifeToken();
  // The wheel events first; the control base's own content scrolling is not used.
  if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos) || alive.expired()) return true;
  if (!HandleAllocated() || !scrollBar_->Visible()) return false;
  RECT window;
  GetWindowRect(Handle(), &window);
  if (!PtInRect(&window, POINT{MousePos.x, MousePos.y})) return false;
  if (TWinControl* other = VerticallyScrollingControlAt(this, MousePos))
    if (other->DoMouseWheel(Shift, WheelDelta, MousePos) || alive.expired()) return true;
  const int notches = WheelNotches(WheelDelta);
  const bool page = Shift.Contains(ssCtrl);
  for (int i = 0; i < std::abs(notches) && !alive.expired(); ++i) {
    int position = scrollBar_->Position();
    scrollBar_->Scroll(this, notches > 0 ? (page ? scPageUp : scLineUp) : (page ? scPageDown : scLineDown), position);
  }
  return true;
}

void TdxCustomNavBar::DoGroupHotTrack(TdxNavBarGroup* AGroup) {
  if (hotGroup_) InvalidateAll(nbiRelayout);
  hotGroup_ = AGroup;
  if (hotGroup_) InvalidateAll(nbiRelayout);
  if (OnGroupHotTrack) OnGroupHotTrack(this, AGroup);
}

void TdxCustomNavBar::DoLinkHotTrack(TdxNavBarItemLink* ALink) {
  if (hotLink_) InvalidateAll(nbiRelayout);
  hotLink_ = ALink;
  if (hotLink_) InvalidateAll(nbiRelayout);
  if (OnLinkHotTrack) OnLinkHotTrack(this, ALink);
}

void TdxCustomNavBar::DoGroupMouseDown(TdxNavBarGroup* AGroup) {
  // At design time the designer would select the group; there is none.
  if (IsDesigning()) return;
  clickGroup_ = pressedGroup_ = AGroup;
  if (OnGroupPress) OnGroupPress(this, AGroup);
  InvalidateAll(nbiRelayout);
}

void TdxCustomNavBar::DoGroupMouseUp(TdxNavBarGroup* AGroup) {
  if (IsDesigning()) return;
  clickGroup_ = nullptr;
  const std::weak_ptr<void> alive = LifeToken();
  if (AGroup->OnClick)
    AGroup->OnClick(AGroup);
  else if (OnGroupClick)
    OnGroupClick(this, AGroup);
  if (alive.expired()) return;
  ViewInfo()->ToggleGroup(AGroup);
  pressedGroup_ = nullptr;
  InvalidateAll(nbiRelayout);
}

void TdxCustomNavBar::DoLinkMouseDown(TdxNavBarItemLink* ALink) {
  if (IsDesigning()) return;
  clickLink_ = ALink;
  if (ALink->Group() && ALink->Group()->SelectedLinkIndex() != -1) InvalidateAll(nbiRelayout);
  if (!ALink->CanSelect()) return;
  pressedLink_ = ALink;
  if (OnLinkPress) OnLinkPress(this, ALink);
  InvalidateAll(nbiRelayout);
}

void TdxCustomNavBar::DoLinkMouseUp(TdxNavBarItemLink* ALink) {
  clickLink_ = nullptr;
  if (!ALink->CanSelect()) return;
  const std::weak_ptr<void> alive = LifeToken();
  Controller()->DoLinkClick(this, ALink);
  if (alive.expired()) return;
  pressedLink_ = nullptr;
  InvalidateAll(nbiRelayout);
}

void TdxCustomNavBar::DoTopScrollButtonDown() {
  if (ViewInfo()->TopScrollButtonState() & dxNavBarScrollButtonDisabled) return;
  bottomButtonPressed_ = false;
  topButtonPressed_ = true;
  scrollTimer_->SetEnabled(true);
  if (TdxNavBarGroup* group = EffectiveActiveGroup()) group->SetTopVisibleLinkIndex(group->TopVisibleLinkIndex() - 1);
  NotifyFormDesignerOf(this);
  Painter()->InvalidateScrollButtons();
}

void TdxCustomNavBar::DoBottomScrollButtonDown() {
  if (ViewInfo()->BottomScrollButtonState() & dxNavBarScrollButtonDisabled) return;
  topButtonPressed_ = false;
  bottomButtonPressed_ = true;
  scrollTimer_->SetEnabled(true);
  if (TdxNavBarGroup* group = EffectiveActiveGroup()) group->SetTopVisibleLinkIndex(group->TopVisibleLinkIndex() + 1);
  NotifyFormDesignerOf(this);
  Painter()->InvalidateScrollButtons();
}

void TdxCustomNavBar::DoTopScrollButtonUp() {
  topButtonPressed_ = false;
  scrollTimer_->SetEnabled(false);
  Painter()->InvalidateScrollButtons();
}

void TdxCustomNavBar::DoBottomScrollButtonUp() {
  bottomButtonPressed_ = false;
  scrollTimer_->SetEnabled(false);
  Painter()->InvalidateScrollButtons();
}

void TdxCustomNavBar::ScrollTimerTick(TObject*) {
  topButtonPressed_ = IsTopScrollButtonAt(mousePos_);
  bottomButtonPressed_ = IsBottomScrollButtonAt(mousePos_);
  if (!topButtonPressed_ && !bottomButtonPressed_) {
    scrollTimer_->SetEnabled(false);
    return;
  }
  TdxNavBarGroup* group = EffectiveActiveGroup();
  if (!group) return;
  if (topButtonPressed_ && !(ViewInfo()->TopScrollButtonState() & dxNavBarScrollButtonDisabled))
    group->SetTopVisibleLinkIndex(group->TopVisibleLinkIndex() - 1);
  if (bottomButtonPressed_ && !(ViewInfo()->BottomScrollButtonState() & dxNavBarScrollButtonDisabled))
    group->SetTopVisibleLinkIndex(group->TopVisibleLinkIndex() + 1);
}

void TdxCustomNavBar::GroupActivateTimerTick(TObject*) {
  if (dragTargetGroup_ && GroupAtPos(mousePos_) == dragTargetGroup_) ViewInfo()->OpenGroup(dragTargetGroup_);
  groupActivateTimer_->SetEnabled(false);
}

void TdxCustomNavBar::CMDialogChar(TMessage& Message) {
  if (CanFocus()) {
    const Word key = Word(Message.WParam);
    if (TdxNavBarGroup* group = ViewInfo()->GroupOfAccel(key)) {
      DoGroupMouseUp(group);
      Message.Result = 1;
      return;
    }
    if (TdxNavBarItemLink* link = ViewInfo()->LinkOfAccel(key); link && link->CanSelect()) {
      DoLinkMouseUp(link);
      Message.Result = 1;
      return;
    }
  }
  Inherited::Dispatch(Message);
}

void TdxCustomNavBar::CMHintShow(TMessage& Message) {
  auto& info = *reinterpret_cast<THintInfo*>(Message.LParam);
  if (IsDragging() || Dragging()) {
    Message.Result = 1;
    return;
  }
  if (!info.HintWindowClass || info.HintWindowClass == &THintWindow::ClassInfo())
    info.HintWindowClass = &TdxNavBarHintWindow::ClassInfo();
  info.HintData = &info;
  TdxNavBarViewInfo* viewInfo = ViewInfo();
  viewInfo->HintText.clear();
  Controller()->PrepareHint(info);
  info.HintStr = viewInfo->HintText;
  Message.Result = info.HintStr.empty() ? 1 : 0;
}

void TdxCustomNavBar::WMSetCursor(TMessage& Message) {
  TCursor cursor = Controller()->CustomCursor();
  if (cursor == crDefault) {
    if (hotGroup_)
      cursor = cursors_->HotTrackedGroupCursor;
    else if (hotLink_)
      cursor = cursors_->HotTrackedLinkCursor;
  }
  if (cursor != crDefault && Screen && reinterpret_cast<HWND>(Message.WParam) == Handle() &&
      LOWORD(Message.LParam) == HTCLIENT) {
    ::SetCursor(Screen->Cursors(cursor));
    Message.Result = TRUE;
    return;
  }
  Inherited::Dispatch(Message);
}

// ---- drag and drop ------------------------------------------------------------------------------------

TCursor TdxDragObject::GetDragCursor(bool Accepted, int X, int Y) {
  if (Accepted)
    if (auto* bar = dynamic_cast<TdxCustomNavBar*>(FindControl(WindowFromPoint(POINT{X, Y}))))
      return bar->DragItem() ? bar->Cursors()->DragCopyCursor : bar->Cursors()->DragCursor();
  return TcxDragControlObject::GetDragCursor(Accepted, X, Y);
}

TcxDragControlObjectClass TdxCustomNavBar::DragControlObjectClass() {
  return [](TControl* control) -> TDragControlObject* { return new TdxDragObject(control); };
}

void TdxCustomNavBar::DoStartDrag(TDragObject*& DragObject) {
  if (!dxNavBarDragObject()) SetNavBarDragObject(new TdxNavBarDragObject(this, clickGroup_, clickLink_, nullptr));
  hotLink_ = nullptr;
  hotGroup_ = nullptr;
  TdxNavBarControlBase::DoStartDrag(DragObject);
}

void TdxCustomNavBar::DoEndDrag(TObject* Target, int X, int Y) {
  const std::weak_ptr<void> alive = LifeToken();
  TdxNavBarControlBase::DoEndDrag(Target, X, Y);
  if (!alive.expired()) EndDragging();
}

bool TdxCustomNavBar::CheckDragStart(const TPoint& P) {
  const bool canDrag = (CanDragGroup() && clickGroup_) ||
                       (CanDragLink() && clickLink_ && clickLink_->Item() && clickLink_->Item()->Enabled());
  if (!canDrag || (std::abs(P.x - mouseButtonPos_.x) <= 3 && std::abs(P.y - mouseButtonPos_.y) <= 3)) return false;
  mouseDownShift_ = {};
  internalFlags_ |= nbifDragStarted;
  SetDragMode(dmAutomatic);
  BeginDrag(true);
  return true;
}

void TdxCustomNavBar::ClearPressed() {
  if (!pressedGroup_ && !pressedLink_) return;
  pressedGroup_ = nullptr;
  pressedLink_ = nullptr;
  InvalidateAll(nbiRepaint);
}

void TdxCustomNavBar::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
  Accept = false;
  mousePos_ = {X, Y};
  topButtonPressed_ = bottomButtonPressed_ = false;
  ClearPressed();
  if (TopScrollButtonShown() || BottomScrollButtonShown()) Painter()->InvalidateScrollButtons();
  if (TdxNavBarDragObject* drag = dxNavBarDragObject()) {
    drag->RefreshDropTarget();
    if (TdxNavBarItem* item = DragItem(); item && CanDropLink())
      DoItemDragOver(item, Accept);
    else if (TdxNavBarItemLink* link = DragLink(); link && CanDropLink())
      DoLinkDragOver(link, Accept);
    else if (TdxNavBarGroup* group = DragGroup(); group && CanDropGroup())
      DoGroupDragOver(group, Accept);
  }
  if (OnDragOver) OnDragOver(this, Source, X, Y, State, Accept);
}

void TdxCustomNavBar::DoGroupDragOver(TdxNavBarGroup* AGroup, bool& AAccept) {
  TdxNavBarDragObject* drag = dxNavBarDragObject();
  AAccept = drag && drag->TargetGroup && drag->TargetGroup != AGroup;
  InvalidateAll(nbiRepaint);
}

bool TdxCustomNavBar::DragOverScrollButtonOrGroup() {
  if (IsTopScrollButtonAt(mousePos_) || IsBottomScrollButtonAt(mousePos_)) {
    scrollTimer_->SetEnabled(true);
    return true;
  }
  if (TdxNavBarGroup* group = GroupAtPos(mousePos_)) {
    dragTargetGroup_ = group;
    groupActivateTimer_->SetEnabled(false);
    groupActivateTimer_->SetEnabled(true);
  }
  return false;
}

void TdxCustomNavBar::DoLinkDragOver(TdxNavBarItemLink* ALink, bool& AAccept) {
  TdxNavBarDragObject* drag = dxNavBarDragObject();
  AAccept = DragOverScrollButtonOrGroup() ||
            (drag && drag->TargetGroup && ALink != drag->TargetPrevious && ALink != drag->TargetNext);
  InvalidateAll(nbiRepaint);
}

void TdxCustomNavBar::DoItemDragOver(TdxNavBarItem*, bool& AAccept) {
  TdxNavBarDragObject* drag = dxNavBarDragObject();
  AAccept = DragOverScrollButtonOrGroup() || (drag && drag->TargetGroup);
  InvalidateAll(nbiRepaint);
}

void TdxCustomNavBar::DragDrop(TObject* Source, int X, int Y) {
  ClearPressed();
  mousePos_ = {X, Y};
  hotLink_ = LinkHitAtPos(mousePos_);
  hotGroup_ = GroupAtPos(mousePos_);
  if (TdxNavBarDragObject* drag = dxNavBarDragObject()) {
    drag->RefreshDropTarget();
    if (TdxNavBarItem* item = DragItem(); item && CanDropLink())
      DoItemDragDrop(item);
    else if (TdxNavBarItemLink* link = DragLink(); link && CanDropLink())
      DoLinkDragDrop(link);
    else if (TdxNavBarGroup* group = DragGroup(); group && CanDropGroup())
      DoGroupDragDrop(group);
  }
  if (OnDragDrop) OnDragDrop(this, Source, X, Y);
  EndDragging();
}

namespace {

void MoveLinkTo(TdxNavBarItemLink* ALink, int AIndex) {
  const int last = ALink->Collection()->Count() - 1;
  ALink->SetIndex(std::clamp(AIndex, 0, last));
}

}  // namespace

void TdxCustomNavBar::DoGroupDragDrop(TdxNavBarGroup* AGroup) {
  TdxNavBarDragObject* drag = dxNavBarDragObject();
  if (drag && drag->TargetGroup) AGroup->MoveToIndex(drag->TargetGroup->IndexInCollection());
}

void TdxCustomNavBar::DoLinkDragDrop(TdxNavBarItemLink* ALink) {
  TdxNavBarDragObject* drag = dxNavBarDragObject();
  if (!drag || drag->TargetIndex < 0 || !drag->TargetGroup) return;
  int index = drag->TargetIndex;
  TdxNavBarGroup* target = drag->TargetGroup;
  TdxNavBarGroup* source = ALink->Group();
  TdxNavBarItemLink* result = ALink;
  if (source == target) {
    if (ALink->Index() < index) --index;
  } else {
    if (source) source->SetSelectedLinkIndex(-1);
    result = target->AddLinkForItem(ALink->Item());
    MoveLinkTo(result, index);
    ALink->Free();
  }
  MoveLinkTo(result, index);
  InvalidateAll(nbiRepaint);
}

void TdxCustomNavBar::DoItemDragDrop(TdxNavBarItem* AItem) {
  TdxNavBarDragObject* drag = dxNavBarDragObject();
  if (!drag || !drag->TargetGroup) return;
  MoveLinkTo(drag->TargetGroup->AddLinkForItem(AItem), drag->TargetIndex);
}

void TdxCustomNavBar::EndDragging() {
  if (TdxNavBarDragObject* drag = dxNavBarDragObject(); drag && drag->SourceBar() == this) SetNavBarDragObject(nullptr);
  internalFlags_ &= Byte(~nbifDragStarted);
  SetDragMode(dmManual);
  clickGroup_ = nullptr;
  clickLink_ = nullptr;
}
