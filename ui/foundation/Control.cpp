#include "ui/foundation/Control.h"

#include <algorithm>
#include <cstdlib>

#include "platform/framework/rtl/Seams.h"
#include "platform/framework/rtl/SysUtils.h"

DEFINE_CLASS(TcxDragAndDropObject)
DEFINE_CLASS(TcxDragControlObject)
DEFINE_CLASS(TcxDragImageList)
DEFINE_CLASS(TcxControlChildComponent)
DEFINE_CLASS(TcxControlScrollBar)
DEFINE_CLASS(TcxSizeGrip)
DEFINE_CLASS(TcxControl)

namespace {

// The framework drag object over a TcxControl, whose image painting hides.
TDragObject* g_dragObject = nullptr;

constexpr int kWheelDelta = 120;
constexpr UINT kAnchorInterval = 20;
constexpr int kMaxAnchorSpeed = 12;
// Passes of CalcScrollBarsParams before it accepts the visibility it has (layouts settle in three).
constexpr int kMaxScrollBarPasses = 8;

TShiftState LeftShift() { return {ssLeft}; }

bool IsEscapeKey(const MSG& msg) {
  return (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) && msg.wParam == VK_ESCAPE;
}

TPoint ScreenPointOf(const MSG& msg) {
  POINT p{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
  ClientToScreen(msg.hwnd, &p);
  return p;
}

// Runs GetMessage once: false when the loop must end (an error, or WM_QUIT, which is posted again).
bool NextMessage(MSG& msg) {
  const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
  if (got == -1) return false;
  if (got == 0) {
    PostQuitMessage(static_cast<int>(msg.wParam));
    return false;
  }
  return true;
}

}  // namespace

// ---- drag-and-drop object ------------------------------------------------------------------------

TcxDragAndDropObject::TcxDragAndDropObject(TcxControl* AControl) : canvas_(AControl->cxCanvas()), control_(AControl) {}

void TcxDragAndDropObject::SetDirty(bool Value) {
  if (dirty_ == Value) return;
  dirty_ = Value;
  DirtyChanged();
}

void TcxDragAndDropObject::DragAndDrop(const TPoint&, bool& Accepted) {
  SetDirty(false);
  if (Screen) Screen->SetCursor(DragCursor(Accepted));
}

void TcxDragAndDropObject::Begin() {
  const TPoint p = control_->ScreenToClient(SafeCursorPos());
  CurMousePos = PrevMousePos = p;
  BeginDragAndDrop();
}

void TcxDragAndDropObject::Move(const TPoint& P) {
  bool accepted = false;
  PrevMousePos = CurMousePos;
  CurMousePos = P;
  DragAndDrop(P, accepted);
}

void TcxDragAndDropObject::Finish(bool Accepted) {
  BeforeEndDragAndDrop(Accepted);
  EndDragAndDrop(Accepted);
}

// ---- framework drag object -----------------------------------------------------------------------

TCursor TcxDragControlObject::GetDragCursor(bool Accepted, int X, int Y) {
  if (auto* control = dynamic_cast<TcxControl*>(Control()); Accepted && control && control->IsCopyDragAndDrop())
    return TCursor(2100);  // CX_DRAGCOPYCURSOR
  return TDragControlObject::GetDragCursor(Accepted, X, Y);
}

void TcxDragControlObject::Finished(TObject* Target, int X, int Y, bool Accepted) {
  TDragControlObject::Finished(Target, X, Y, Accepted);
  Free();
}

// ---- child component -----------------------------------------------------------------------------

TcxControlChildComponent::TcxControlChildComponent(TComponent* AOwner) : TcxComponent(AOwner) { InitChild(); }

TcxControlChildComponent::TcxControlChildComponent(TcxControl* AControl, bool TakeOwner)
    : TcxControlChildComponent(TakeOwner ? AControl->Owner() : nullptr) {
  SetControl(AControl);
}

TcxControlChildComponent::~TcxControlChildComponent() {
  if (control_) control_->RemoveChildComponent(this);
}

TComponent* TcxControlChildComponent::GetParentComponent() const { return control_; }

void TcxControlChildComponent::SetParentComponent(TComponent* Value) {
  TcxComponent::SetParentComponent(Value);
  if (auto* control = dynamic_cast<TcxControl*>(Value)) control->AddChildComponent(this);
}

// ---- control scroll bar and size grip ------------------------------------------------------------

TcxControlScrollBar::TcxControlScrollBar(TComponent* AOwner) : TcxScrollBar(AOwner) {
  SetColor(clBtnFace);
  ControlStyle.Exclude(csFramed);
  ControlStyle.Include(csNoDesignVisible);
  SetTabStop(false);
  SetVisible(false);
}

TcxControlScrollBar::~TcxControlScrollBar() { InvalidateObjectLinks(this); }

void TcxControlScrollBar::WndProc(TMessage& Message) {
  const std::weak_ptr<void> alive = LifeToken();
  if (Message.Msg == WM_LBUTTONDOWN) {
    FocusParentOnClick();
    if (alive.expired()) return;
  }
  TcxScrollBar::WndProc(Message);
}

void TcxControlScrollBar::FocusParentOnClick() {
  TWinControl* parent = Parent();
  if (!parent) return;
  if (auto* control = dynamic_cast<TcxControl*>(parent)) {
    if (control->CanFocusOnScrollBarClick()) control->SetFocus();
  } else if (parent->CanFocus()) {
    parent->SetFocus();
  }
}

void TcxControlScrollBar::ApplyPendingData() {
  if (Data.Visible) {
    ApplyScrollRange(Data.Min, Data.Max, Data.PageSize, Data.Position, true);
    SmallChange = Data.SmallChange;
    LargeChange = Data.LargeChange;
  }
  SetEnabled(Data.Enabled);
  if (Visible() != Data.Visible) SetVisible(Data.Visible);
}

TcxSizeGrip::TcxSizeGrip(TComponent* AOwner) : TCustomControl(AOwner), lookAndFeel_(new TcxLookAndFeel(this)) {
  SetColor(clBtnFace);
  ControlStyle.Include(csNoDesignVisible);
  lookAndFeel_->OnChanged = [this](TcxLookAndFeel*, TcxLookAndFeelValues) { Invalidate(); };
}

TcxSizeGrip::~TcxSizeGrip() { lookAndFeel_->Free(); }

void TcxSizeGrip::Paint() {
  Canvas()->Brush()->SetColor(lookAndFeel_->ActivePainter()->SizeGripAreaColor());
  Canvas()->FillRect(ClientRect());
}

// ---- TcxControl: construction --------------------------------------------------------------------

TcxControl::TcxControl(TComponent* AOwner) : TCustomControl(AOwner) {
  ControlStyle.Include(csCaptureMouse);
  ControlStyle.Include(csClickEvents);
  ControlStyle.Include(csDoubleClicks);
  if (UsesDragImages()) ControlStyle.Include(csDisplayDragImage);
  canvas_ = new TcxCanvas(Canvas());
  defaultCursor_ = Cursor();
  FocusOnClick = true;
  lookAndFeel_ = new TcxLookAndFeel(this);
  lookAndFeel_->OnChanged = TcxLookAndFeelChangedEvent(this, &TcxControl::LookAndFeelChanged);
  scrollBars_ = ssBoth;
  CreateScrollBars();
  SetTabStop(AllowsFocus());
  lastParentBackground_ = true;
  SetParentBackground(true);
}

void TcxControl::BeforeDestruction() {
  TCustomControl::BeforeDestruction();
}

TcxControl::~TcxControl() {
  if (Dragging()) EndDrag(false);
  if (g_dragObject && CurrentDragObject() != g_dragObject) g_dragObject = nullptr;
  DestroyScrollBars();
  fontListeners_.clear();
  if (dragAndDropObject_) dragAndDropObject_->Free();
  if (dragImages_) dragImages_->Free();
  if (screenCanvas_) screenCanvas_->Free();
  canvas_->Free();
  lookAndFeel_->Free();
  InvalidateObjectLinks(this);
}

void TcxControl::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == popupMenu_) popupMenu_ = nullptr;
}

TcxCanvas* TcxControl::CurrentCanvas() {
  if (HandleAllocated()) {
    if (screenCanvas_) {
      screenCanvas_->Free();
      screenCanvas_ = nullptr;
    }
    return canvas_;
  }
  if (!screenCanvas_) screenCanvas_ = new TcxScreenCanvas();
  return screenCanvas_;
}

void TcxControl::SetPopupMenuComponent(TComponent* Value) {
  if (Value && !dynamic_cast<TPopupMenu*>(Value) && !Supports<IcxPopupMenu>(Value)) Value = nullptr;
  if (popupMenu_ == Value) return;
  if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
  popupMenu_ = Value;
  if (popupMenu_) popupMenu_->FreeNotification(this);
}

void TcxControl::SetMouseCaptureObject(TObject* Value) {
  const bool hadCapture = GetCaptureControl() == this;
  if (Value != mouseCaptureObject_) {
    TObject* previous = std::exchange(mouseCaptureObject_, Value);
    if (auto* holder = dynamic_cast<IcxMouseCaptureObject*>(previous)) holder->DoCancelMode();
  }
  if (Value) SetCaptureControl(this);
  else if (GetCaptureControl() == this) SetCaptureControl(nullptr);
  if (hadCapture && GetCaptureControl() != this && dragAndDropState_ == ddStarting && HandleAllocated())
    SendMessageW(Handle(), WM_CANCELMODE, 0, 0);
}

void TcxControl::RedrawWithChildren() {
  if (HandleAllocated()) RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_NOERASE | RDW_ALLCHILDREN);
}

void InvalidateControlRect(TWinControl* AControl, const TRect& R, bool EraseBackground) {
  if (AControl && AControl->HandleAllocated()) InvalidateRect(AControl->Handle(), &R, EraseBackground);
}

void TcxControl::SetBorderStyle(TcxControlBorderStyle Value) {
  if (borderStyle_ == Value) return;
  borderStyle_ = Value;
  BoundsChanged();
  Invalidate();
}

void TcxControl::AddFontListener(IcxFontListener* Listener) {
  if (Listener && std::find(fontListeners_.begin(), fontListeners_.end(), Listener) == fontListeners_.end())
    fontListeners_.push_back(Listener);
}

void TcxControl::RemoveFontListener(IcxFontListener* Listener) {
  fontListeners_.erase(std::remove(fontListeners_.begin(), fontListeners_.end(), Listener), fontListeners_.end());
}

void TcxControl::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style |= WS_CLIPCHILDREN;
}

void TcxControl::CreateWnd() {
  creatingWindow_ = true;
  try {
    TCustomControl::CreateWnd();
  } catch (...) {
    creatingWindow_ = false;
    throw;
  }
  creatingWindow_ = false;
  UpdateScrollBarsPresence();
  AttachScrollBars();
}

void TcxControl::DestroyWindowHandle() {
  TCustomControl::DestroyWindowHandle();
  ControlState.Exclude(csClicked);
}

void TcxControl::Resize() {
  TCustomControl::Resize();
  BoundsChanged();
}

// ---- window procedure ----------------------------------------------------------------------------

void TcxControl::WndProc(TMessage& Message) {
  const std::weak_ptr<void> alive = LifeToken();
  const UINT msg = Message.Msg;
  bool passed = true;
  if ((msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) && !CurrentDragObject()) {
    const bool designHit = IsDesigning() && IsDesignHitAt(Message.XPos(), Message.YPos(), LeftShift());
    if (designHit || (!IsDesigning() && DragMode() == dmAutomatic)) {
      passed = false;
      // The control starts the framework drag itself (StartMouseAction), not the framework.
      if (!IsControlMouseMsg(Message)) {
        ControlState.Include(csLButtonDown);
        Dispatch(Message);
        if (alive.expired()) return;
        ControlState.Exclude(csLButtonDown);
      }
    }
  }
  if (passed) {
    if (msg == WM_RBUTTONUP) rightButtonReleasing_ = true;
    TCustomControl::WndProc(Message);
  }
  if (alive.expired()) return;
  switch (msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS: FocusChanged(); break;
    case WM_PAINT:
      if (ParentBackground() != lastParentBackground_) {
        lastParentBackground_ = ParentBackground();
        ParentBackgroundChanged();
      }
      break;
    case WM_RBUTTONUP: rightButtonReleasing_ = false; break;
    default: break;
  }
  if (alive.expired()) return;
  if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN) {
    TPoint p(Message.XPos(), Message.YPos());
    // The message's 16-bit coordinates cannot hold points of a control wider or higher than that.
    if (HandleAllocated() && (Width() > 32768 || Height() > 32768)) p = ScreenToClient(SafeCursorPos());
    const TMouseButton button = msg == WM_LBUTTONDOWN ? mbLeft : msg == WM_RBUTTONDOWN ? mbRight : mbMiddle;
    StartMouseAction(button, p.x, p.y);
  }
}

void TcxControl::StartMouseAction(TMouseButton Button, int X, int Y) {
  if (Button == mbLeft) {
    if (DragMode() != dmAutomatic || !HandleAllocated() || GetCapture() != Handle()) return;
    if (IsDesigning() && !AllowDragAndDropAt(X, Y, {})) return;
    if (!AllowsAutoDrag()) return;
    const std::weak_ptr<void> alive = LifeToken();
    if (DragDetectLoop(Handle()) != 1 || alive.expired()) return;
    cancelFrameworkDrag_ = false;
    BeginDrag(true);
    if (!alive.expired() && std::exchange(cancelFrameworkDrag_, false)) CancelDrag();
  } else if (Button == mbMiddle) {
    ScrollByMiddleButton();
  }
}

bool TcxControl::AllowDragAndDropAt(int, int, TShiftState) { return true; }

void TcxControl::BeforeMouseDown(TMouseButton, TShiftState, int, int) {}

// ---- mouse ---------------------------------------------------------------------------------------

void TcxControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  mouseDownPos_ = {X, Y};
  const std::weak_ptr<void> alive = LifeToken();
  if (CanFocusOnClickAt(X, Y) && !Shift.Contains(ssDouble)) {
    const TRect before = BoundsRect();
    SetFocus();
    if (alive.expired()) return;
    if (TCustomForm* form = GetParentForm(this); form && form->ActiveControl() == this && !IsFocusedNow())
      ::SetFocus(Handle());
    if (alive.expired()) return;
    if (!IsFocusedNow() && !ProcessesClickWithoutFocus()) {
      // The control would not take the focus: the click is dropped.
      if (GetCaptureControl() == this) SetCaptureControl(nullptr);
      if (HandleAllocated() && GetCapture() == Handle()) ReleaseCapture();
      return;
    }
    X += before.left - Left();
    Y += before.top - Top();
  }
  if (Button == mbLeft && !Shift.Contains(ssDouble) && CanStartDragAndDrop({X, Y})) {
    TcxDragAndDropObject* object = DragAndDropObject();
    if (object->StartsImmediately()) StartDragAndDrop({X, Y});
    else SetDragAndDropState(ddStarting);
  } else {
    FinishDragAndDropOnce(false);
  }
  if (alive.expired()) return;
  BeforeMouseDown(Button, Shift, X, Y);
  if (alive.expired()) return;
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (alive.expired()) return;
  if (GetCaptureControl() == this) mouseButtonPressed_ = true;
}

void TcxControl::MouseMove(TShiftState Shift, int X, int Y) {
  settingCursor_ = true;
  SetCursor(CursorAt(X, Y));
  settingCursor_ = false;
  const std::weak_ptr<void> alive = LifeToken();
  TCustomControl::MouseMove(Shift, X, Y);
  if (alive.expired()) return;
  if (dragAndDropState_ == ddStarting && !IsInDragThreshold(X, Y)) {
    StartDragAndDrop({X, Y});
  } else if (dragAndDropState_ == ddDragging) {
    bool accepted = false;
    MoveDragAndDrop({X, Y}, accepted);
  }
}

void TcxControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  mouseButtonPressed_ = false;
  const std::weak_ptr<void> alive = LifeToken();
  EndMouseOperation();
  if (alive.expired()) return;
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TcxControl::EndMouseOperation() {
  const std::weak_ptr<void> alive = LifeToken();
  FinishDragAndDropOnce(true);
  if (!alive.expired()) SetMouseCaptureObject(nullptr);
}

void TcxControl::CancelMouseCapture() {
  mouseButtonPressed_ = false;
  SetMouseCaptureObject(nullptr);
}

void TcxControl::WMCancelMode(TMessage& Message) {
  const std::weak_ptr<void> alive = LifeToken();
  Inherited::Dispatch(Message);
  if (alive.expired()) return;
  FinishDragAndDropOnce(false);
  if (!alive.expired()) CancelMouseCapture();
}

bool TcxControl::CanFocusOnClick() { return !IsDesigning() && FocusOnClick && AllowsFocus() && CanFocus(); }

bool TcxControl::CanFocusOnClickAt(int, int) { return CanFocusOnClick(); }

bool TcxControl::CanFocusWithForm() {
  if (!CanFocus()) return false;
  TCustomForm* form = GetParentForm(this);
  return !form || (form->CanFocus() && form->Enabled() && form->Visible());
}

bool TcxControl::IsDesignHitAt(int, int, TShiftState) {
  return dragAndDropState_ != ddNone || mouseButtonPressed_;
}

TCursor TcxControl::CursorAt(int, int) { return defaultCursor_; }

void TcxControl::FocusChanged() {
  if (OnFocusChanged) OnFocusChanged(this);
}

void TcxControl::FireMouseEnter(TControl* AControl) {
  if (OnMouseEnter) OnMouseEnter(AControl);
}

void TcxControl::FireMouseLeave(TControl* AControl) {
  if (OnMouseLeave) OnMouseLeave(AControl);
}

void TcxControl::CMMouseEnter(TMessage& Message) {
  // The parent hears of it as with any control; the events fire here, once.
  if (Parent()) Parent()->Perform(CM_MOUSEENTER, 0, Message.LParam);
  auto* control = reinterpret_cast<TControl*>(Message.LParam);
  FireMouseEnter(control ? control : this);
}

void TcxControl::CMMouseLeave(TMessage& Message) {
  if (Parent()) Parent()->Perform(CM_MOUSELEAVE, 0, Message.LParam);
  auto* control = reinterpret_cast<TControl*>(Message.LParam);
  FireMouseLeave(control ? control : this);
}

// ---- keys and menus ------------------------------------------------------------------------------

void TcxControl::KeyDown(Word& Key, TShiftState Shift) {
  const std::weak_ptr<void> alive = LifeToken();
  if (Key == VK_ESCAPE) FinishDragAndDropOnce(false);
  if (!alive.expired()) TCustomControl::KeyDown(Key, Shift);
}

bool TcxControl::IsPopupMenuShortCut(TMessage& Message) {
  for (TControl* c = this; c; c = c->Parent()) {
    auto* control = dynamic_cast<TcxControl*>(c);
    if (!control || !control->popupMenu_) continue;
    if (auto* menu = dynamic_cast<IcxPopupMenu*>(control->popupMenu_)) {
      if (menu->IsShortCutKey(Message)) return true;
    } else if (auto* popup = dynamic_cast<TPopupMenu*>(control->popupMenu_); popup && PopupList.WindowHandle()) {
      if (popup->IsShortCut(Message)) return true;
    }
  }
  return false;
}

void TcxControl::CNKeyDown(TMessage& Message) {
  if (!IsDesigning() && IsPopupMenuShortCut(Message)) {
    Message.Result = 1;
    return;
  }
  if (dragAndDropState_ == ddNone) {
    Inherited::Dispatch(Message);
    return;
  }
  if (Message.WParam == VK_ESCAPE && HandleAllocated())
    SendMessageW(Handle(), WM_KEYDOWN, Message.WParam, Message.LParam);
  Message.Result = 1;
}

void TcxControl::CNSysKeyDown(TMessage& Message) {
  if (!IsDesigning() && IsPopupMenuShortCut(Message)) {
    Message.Result = 1;
    return;
  }
  Inherited::Dispatch(Message);
}

void TcxControl::WMGetDlgCode(TMessage& Message) {
  LRESULT code = 0;
  if (wantedKeys_.Contains(wkAllKeys)) code |= DLGC_WANTALLKEYS;
  if (wantedKeys_.Contains(wkArrows)) code |= DLGC_WANTARROWS;
  if (wantedKeys_.Contains(wkChars)) code |= DLGC_WANTCHARS;
  // Ctrl+Tab still moves the focus.
  if (wantedKeys_.Contains(wkTab) && Bound().GetKeyState(VK_CONTROL) >= 0) code |= DLGC_WANTTAB;
  Message.Result = code;
}

void TcxControl::WMContextMenu(TMessage& Message) {
  if (Message.Result != 0) return;
  if (IsDesigning()) {
    Inherited::Dispatch(Message);
    return;
  }
  const TPoint screen(Message.XPos(), Message.YPos());
  const bool fromKeyboard = screen.x == -1 && screen.y == -1;
  TPoint client = fromKeyboard ? screen : ScreenToClient(screen);
  // A request from outside the client area (a scroll bar, the frame) is not the control's.
  if (!fromKeyboard && !ClientRect().Contains(client)) {
    DefaultHandler(Message);
    return;
  }
  bool handled = false;
  const std::weak_ptr<void> alive = LifeToken();
  DoContextPopup(client, handled);
  if (alive.expired()) return;
  Message.Result = handled ? 1 : 0;
  // Not handled here (and the popup menu was offered already): the parent may answer it.
  if (!handled) DefaultHandler(Message);
}

void TcxControl::DoContextPopup(TPoint MousePos, bool& Handled) {
  const std::weak_ptr<void> alive = LifeToken();
  TCustomControl::DoContextPopup(MousePos, Handled);
  if (Handled || alive.expired()) return;
  if (MousePos.x == -1 && MousePos.y == -1) MousePos = {0, 0};
  const TPoint screen = ClientToScreen(MousePos);
  Handled = ShowPopupMenuAt(popupMenu_, screen.x, screen.y);
}

bool TcxControl::ShowPopupMenuAt(TComponent* AMenu, int X, int Y) {
  if (!AMenu) return false;
  if (auto* menu = dynamic_cast<IcxPopupMenu*>(AMenu)) {
    menu->Popup(X, Y);
    return true;
  }
  if (auto* popup = dynamic_cast<TPopupMenu*>(AMenu); popup && popup->AutoPopup) {
    popup->PopupComponent = this;
    popup->Popup(X, Y);
    return true;
  }
  return false;
}

void TcxControl::NotifyDesignerModified() {
  if (!IsDesigning()) return;
  for (TControl* c = this; c; c = c->Parent()) {
    const TComponentState state = c->ComponentState();
    if (state.Contains(csLoading) || state.Contains(csReading) || state.Contains(csDestroying)) return;
  }
  NotifyFormDesignerOf(this);
}

// ---- notifications -------------------------------------------------------------------------------

void TcxControl::NotifyFontListeners() {
  const std::vector<IcxFontListener*> listeners = fontListeners_;
  for (IcxFontListener* listener : listeners) {
    if (std::find(fontListeners_.begin(), fontListeners_.end(), listener) != fontListeners_.end())
      listener->Changed(this, Font());
  }
  Invalidate();
}

void TcxControl::CMFontChanged(TMessage& Message) {
  const std::weak_ptr<void> alive = LifeToken();
  Inherited::Dispatch(Message);
  if (!alive.expired()) NotifyFontListeners();
}

void TcxControl::CMColorChanged(TMessage& Message) {
  ColorChanged();
  Inherited::Dispatch(Message);
}

void TcxControl::CMCursorChanged(TMessage& Message) {
  if (!settingCursor_) SyncDefaultCursor();
  Inherited::Dispatch(Message);
}

void TcxControl::CMTextChanged(TMessage& Message) {
  Inherited::Dispatch(Message);
  TextChanged();
}

void TcxControl::CMVisibleChanged(TMessage& Message) {
  Inherited::Dispatch(Message);
  VisibilityChanged();
}

void TcxControl::CMDesignHitTest(TMessage& Message) {
  Inherited::Dispatch(Message);
  if (Message.Result == 0)
    Message.Result = IsDesignHitAt(Message.XPos(), Message.YPos(), MouseKeysToShiftState(Message.WParam)) ? 1 : 0;
}

void TcxControl::WMSetCursor(TMessage& Message) {
  if (IsDesigning() && dragAndDropState_ == ddNone && HandleAllocated()) {
    const TPoint p = ScreenToClient(SafeCursorPos());
    if (IsDesignHitAt(p.x, p.y, LeftShift())) {
      ::SetCursor(Screen->Cursors(CursorAt(p.x, p.y)));
      Message.Result = 1;
      return;
    }
  }
  Inherited::Dispatch(Message);
}

// ---- painting ------------------------------------------------------------------------------------

void TcxControl::WMEraseBkgnd(TMessage& Message) {
  if (NeedsEraseBackground()) Inherited::Dispatch(Message);
  else Message.Result = 1;
}

void TcxControl::WMPaint(TMessage& Message) {
  TDragImageList* images = g_dragObject ? g_dragObject->GetDragImages() : nullptr;
  if (images) images->HideDragImage();
  const std::weak_ptr<void> alive = LifeToken();
  Inherited::Dispatch(Message);
  if (images && !alive.expired() && g_dragObject) images->ShowDragImage();
}

void TcxControl::LookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues) { LookAndFeelUpdated(); }

void TcxControl::Paint() {
  if (borderStyle_ != cxcbsNone) {
    TRect bounds;
    BoundsForLayout(bounds);
    LookAndFeelPainter()->PaintBorder(canvas_, bounds);
    TRect content;
    ContentBounds(content);
    canvas_->ClipToRect(content);
  }
  TCustomControl::Paint();
  RefreshScrollBars();
}

void TcxControl::WMNCCalcSize(TMessage& Message) {
  Inherited::Dispatch(Message);
  if (HandleAllocated()) PostMessageW(Handle(), CXM_SETTINGSCHANGED, 0, 0);
}

void TcxControl::CXMSettingsChanged(TMessage&) {
  if (!hScrollBar_ || !vScrollBar_) return;
  const int height = Bound().GetSystemMetrics(SM_CYHSCROLL);
  const int width = Bound().GetSystemMetrics(SM_CXVSCROLL);
  if (hScrollBar_->Height() == height && vScrollBar_->Width() == width) return;
  hScrollBar_->SetHeight(height);
  vScrollBar_->SetWidth(width);
  BoundsChanged();
}

// ---- layout --------------------------------------------------------------------------------------

int TcxControl::BorderThickness() {
  return borderStyle_ == cxcbsNone ? 0 : LookAndFeelPainter()->BorderThickness();
}

void TcxControl::BoundsForLayout(TRect& R) {
  if (!LayoutBounds.IsEmpty()) R = LayoutBounds;
  else if (HandleAllocated()) R = ClientRect();
  else R = {0, 0, Width(), Height()};
}

void TcxControl::ContentBounds(TRect& R) {
  BoundsForLayout(R);
  const int border = BorderThickness();
  R = {R.left + border, R.top + border, R.right - border, R.bottom - border};
  if (IsHScrollBarVisible()) R.bottom -= hScrollBar_->Height();
  if (IsVScrollBarVisible()) R.right -= vScrollBar_->Width();
}

// ---- scroll bars ---------------------------------------------------------------------------------

void TcxControl::SetScrollBars(TScrollStyle Value) {
  if (scrollBars_ == Value) return;
  scrollBars_ = Value;
  BoundsChanged();
}

void TcxControl::CreateScrollBars() {
  if (!HasScrollBars() || sizeGrip_) return;
  hScrollBar_ = new TcxControlScrollBar(nullptr);
  hScrollBar_->SetKind(sbHorizontal);
  hScrollBar_->OnScroll = TScrollEvent(this, &TcxControl::HandleScrollBarScroll);
  vScrollBar_ = new TcxControlScrollBar(nullptr);
  vScrollBar_->SetKind(sbVertical);
  vScrollBar_->OnScroll = TScrollEvent(this, &TcxControl::HandleScrollBarScroll);
  sizeGrip_ = new TcxSizeGrip(nullptr);
  sizeGrip_->SetVisible(false);
  sizeGrip_->LookAndFeel()->SetMasterLookAndFeel(lookAndFeel_);
  hScrollBar_->LookAndFeel()->SetMasterLookAndFeel(lookAndFeel_);
  vScrollBar_->LookAndFeel()->SetMasterLookAndFeel(lookAndFeel_);
  for (TControl* part : {static_cast<TControl*>(hScrollBar_), static_cast<TControl*>(vScrollBar_),
                         static_cast<TControl*>(sizeGrip_)})
    part->ControlStyle.Include(csReplicatable);
  SettingsController()->AddControl(this);
}

void TcxControl::DestroyScrollBars() {
  if (!sizeGrip_) return;
  SettingsController()->RemoveControl(this);
  sizeGrip_->Free();
  sizeGrip_ = nullptr;
  vScrollBar_->Free();
  vScrollBar_ = nullptr;
  hScrollBar_->Free();
  hScrollBar_ = nullptr;
}

void TcxControl::UpdateScrollBarsPresence() {
  if (HasScrollBars()) {
    CreateScrollBars();
    if (HandleAllocated()) AttachScrollBars();
  } else {
    DestroyScrollBars();
  }
}

void TcxControl::AttachScrollBarsToSelf() {
  if (!HasScrollBars() || !sizeGrip_) return;
  hScrollBar_->SetParent(this);
  vScrollBar_->SetParent(this);
  sizeGrip_->SetParent(this);
}

bool TcxControl::IsOwnScrollPart(TControl* AControl) {
  return AControl && (AControl == hScrollBar_ || AControl == vScrollBar_ || AControl == sizeGrip_);
}

void TcxControl::HandleScrollBarScroll(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos) {
  auto* bar = dynamic_cast<TcxScrollBar*>(Sender);
  ScrollContent(bar ? bar->Kind() : sbHorizontal, ScrollCode, ScrollPos);
}

void TcxControl::ScrollContent(TScrollBarKind, TScrollCode, int&) {}

bool TcxControl::CanScrollWithoutScrollBars(TcxDirection) { return false; }

bool TcxControl::CanHideScrollBar(TScrollBarKind) { return false; }

void TcxControl::SetScrollBarInfo(TScrollBarKind Kind, int AMin, int AMax, int AStep, int APage, int APos,
                                  bool AAllowShow, bool AAllowHide) {
  TcxControlScrollBar* bar = Kind == sbHorizontal ? hScrollBar_ : vScrollBar_;
  if (!bar) return;
  TcxScrollBarData& data = bar->Data;
  const bool styleAllows = scrollBars_ == ssBoth || (Kind == sbHorizontal ? scrollBars_ == ssHorizontal
                                                                           : scrollBars_ == ssVertical);
  data.AllowShow = AAllowShow && styleAllows;
  data.AllowHide = AAllowHide;
  if (!data.AllowShow) {
    data.Visible = false;
  } else if (AMin > AMax || static_cast<long long>(APage) >= static_cast<long long>(AMax) - AMin + 1 || APos < AMin) {
    if (data.AllowHide) {
      data.Visible = false;
    } else {
      data.Enabled = false;
      data.Visible = true;
    }
  } else {
    data.Min = AMin;
    data.Max = AMax;
    data.PageSize = APage;
    data.SmallChange = static_cast<Word>(AStep);
    data.LargeChange = static_cast<Word>(APage);
    data.Position = APos;
    data.Enabled = true;
    data.Visible = true;
  }
}

bool TcxControl::IsHScrollBarVisible() {
  if (!hScrollBar_) return false;
  return calculatingScrollBarsParams_ ? hScrollBar_->Data.Visible : hScrollBar_->Visible();
}

bool TcxControl::IsVScrollBarVisible() {
  if (!vScrollBar_) return false;
  return calculatingScrollBarsParams_ ? vScrollBar_->Data.Visible : vScrollBar_->Visible();
}

void TcxControl::CalcScrollBarsParams() {
  if (calculatingScrollBarsParams_) return;
  calculatingScrollBarsParams_ = true;
  struct Clear {
    bool& flag;
    ~Clear() { flag = false; }
  } clear{calculatingScrollBarsParams_};
  hScrollBar_->Data.Visible = false;
  vScrollBar_->Data.Visible = false;
  for (int pass = 0; pass < kMaxScrollBarPasses; ++pass) {
    const bool h = IsHScrollBarVisible(), v = IsVScrollBarVisible();
    InitScrollBarsParameters();
    if (h == IsHScrollBarVisible() && v == IsVScrollBarVisible()) break;
  }
  HideMutuallyDependentBars();
}

void TcxControl::HideMutuallyDependentBars() {
  TcxScrollBarData& h = hScrollBar_->Data;
  TcxScrollBarData& v = vScrollBar_->Data;
  auto shownAndHideable = [](const TcxScrollBarData& d) { return d.Visible && d.Enabled && d.AllowHide; };
  if (!shownAndHideable(h) || !shownAndHideable(v)) return;
  const int hThickness = hScrollBar_->Height(), vThickness = vScrollBar_->Width();
  const bool hHideable = CanHideScrollBar(sbHorizontal) && vThickness + h.PageSize >= h.Max - h.Min + 1;
  const bool vHideable = CanHideScrollBar(sbVertical) && hThickness + v.PageSize >= v.Max - v.Min + 1;
  if (!hHideable || !vHideable) return;
  const TcxScrollBarData hs = h, vs = v;
  SetScrollBarInfo(sbHorizontal, hs.Min, hs.Max, hs.SmallChange, hs.PageSize + vThickness, hs.Position, hs.AllowShow,
                   hs.AllowHide);
  SetScrollBarInfo(sbVertical, vs.Min, vs.Max, vs.SmallChange, vs.PageSize + hThickness, vs.Position, vs.AllowShow,
                   vs.AllowHide);
}

void TcxControl::RecalcScrollBars() {
  if (!HasScrollBars() || !hScrollBar_ || !vScrollBar_) return;
  if (ScrollBarsLockCount > 0) {
    ScrollBarsUpdateNeeded = true;
    return;
  }
  const bool outermost = !updatingScrollBars_;
  if (outermost) {
    initialHScrollBarVisible_ = hScrollBar_->Visible();
    initialVScrollBarVisible_ = vScrollBar_->Visible();
  }
  const bool wasUpdating = updatingScrollBars_;
  updatingScrollBars_ = true;
  struct Restore {
    TcxControl* self;
    bool outermost, wasUpdating;
    std::weak_ptr<void> alive;
    ~Restore() {
      if (alive.expired()) return;
      if (outermost) self->initialScrollBarsParamsApplied_ = false;
      self->updatingScrollBars_ = wasUpdating;
    }
  } restore{this, outermost, wasUpdating, LifeToken()};
  const bool hWas = hScrollBar_->Visible(), vWas = vScrollBar_->Visible();
  if (!initialScrollBarsParamsApplied_) {
    CalcScrollBarsParams();
    if (wasUpdating && hScrollBar_->Data.Visible == initialHScrollBarVisible_ &&
        vScrollBar_->Data.Visible == initialVScrollBarVisible_) {
      // The layout flips a bar on and off: the bar that differs stays, disabled.
      initialScrollBarsParamsApplied_ = true;
      if (hScrollBar_->Visible() != initialHScrollBarVisible_) {
        hScrollBar_->SetEnabled(false);
        hScrollBar_->SetVisible(true);
      }
      if (vScrollBar_->Visible() != initialVScrollBarVisible_) {
        vScrollBar_->SetEnabled(false);
        vScrollBar_->SetVisible(true);
      }
    } else {
      hScrollBar_->ApplyPendingData();
      vScrollBar_->ApplyPendingData();
    }
  }
  if (hScrollBar_->Visible() != hWas || vScrollBar_->Visible() != vWas) {
    BoundsChanged();
  } else {
    sizeGrip_->SetVisible(hScrollBar_->Visible() && vScrollBar_->Visible());
    PlaceScrollBars();
    if (KeepsScrollBarsOnTop()) BringScrollBarsToFront();
  }
}

void TcxControl::HScrollBarBounds(TRect& R) {
  ContentBounds(R);
  R.top = R.bottom;
  R.bottom = R.top + hScrollBar_->Height();
}

void TcxControl::VScrollBarBounds(TRect& R) {
  ContentBounds(R);
  R.left = R.right;
  R.right = R.left + vScrollBar_->Width();
}

void TcxControl::SizeGripBounds(TRect& R) {
  R = {vScrollBar_->Left(), hScrollBar_->Top(), vScrollBar_->Left() + vScrollBar_->Width(),
       hScrollBar_->Top() + hScrollBar_->Height()};
}

void TcxControl::PlaceScrollBars() {
  TRect r;
  if (hScrollBar_->Visible()) {
    HScrollBarBounds(r);
    hScrollBar_->SetBoundsRect(r);
  }
  if (vScrollBar_->Visible()) {
    VScrollBarBounds(r);
    vScrollBar_->SetBoundsRect(r);
  }
  if (sizeGrip_->Visible()) {
    SizeGripBounds(r);
    sizeGrip_->SetBoundsRect(r);
  }
}

void TcxControl::BringScrollBarsToFront() {
  if (!sizeGrip_) return;
  // Already the last three children, in this order: nothing to move (a move costs a window reorder).
  const int count = ControlCount();
  if (count >= 3 && Controls(count - 3) == hScrollBar_ && Controls(count - 2) == vScrollBar_ &&
      Controls(count - 1) == sizeGrip_)
    return;
  hScrollBar_->BringToFront();
  vScrollBar_->BringToFront();
  sizeGrip_->BringToFront();
}

void TcxControl::RefreshScrollBars() {
  if (!HasScrollBars() || !sizeGrip_) return;
  for (TWinControl* part : {static_cast<TWinControl*>(hScrollBar_), static_cast<TWinControl*>(vScrollBar_),
                            static_cast<TWinControl*>(sizeGrip_)}) {
    if (part->Visible() && part->HandleAllocated() && !IsWindowVisible(part->Handle()) && IsWindowVisible(Handle()))
      ShowWindow(part->Handle(), SW_SHOWNA);
  }
}

// ---- content scrolling ---------------------------------------------------------------------------

Byte TcxControl::MouseWheelScrollKind() { return IsVScrollBarVisible() ? 2 : 0; }

void TcxControl::ScrollContentBy(TcxDirection Direction) {
  if (Direction == dirNone) return;
  const bool bars = HasScrollBars() && hScrollBar_;
  if (!bars && !CanScrollWithoutScrollBars(Direction)) return;
  const bool horizontal = Direction == dirLeft || Direction == dirRight;
  const TScrollBarKind kind = horizontal ? sbHorizontal : sbVertical;
  const TScrollCode code = Direction == dirLeft || Direction == dirUp ? scLineUp : scLineDown;
  int position = bars ? (horizontal ? hScrollBar_->Position() : vScrollBar_->Position()) : 0;
  const std::weak_ptr<void> alive = LifeToken();
  ScrollContent(kind, code, position);
  if (!alive.expired()) Update();
}

int TcxControl::WheelNotches(int WheelDelta) {
  if ((wheelRemainder_ < 0) != (WheelDelta < 0)) wheelRemainder_ = 0;
  wheelRemainder_ += WheelDelta;
  const int notches = wheelRemainder_ / kWheelDelta;
  wheelRemainder_ -= notches * kWheelDelta;
  return notches;
}

bool TcxControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  const std::weak_ptr<void> alive = LifeToken();
  if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos) || alive.expired()) return true;
  const Byte kind = MouseWheelScrollKind();
  if (kind == 0) return false;
  // Fine-grained wheels send parts of a notch: they add up, and each whole notch scrolls the lines.
  const int notches = WheelNotches(WheelDelta);
  if (notches == 0) return true;
  static constexpr TcxDirection kDirections[] = {dirLeft, dirRight, dirUp, dirDown};
  const TcxDirection direction = kDirections[(kind == 2 ? 2 : 0) + (notches < 0 ? 1 : 0)];
  const int lines = Mouse->WheelScrollLines() * std::abs(notches);
  for (int i = 0; i < lines && !alive.expired(); ++i) ScrollContentBy(direction);
  return true;
}

void TcxControl::ScrollByMiddleButton() {
  const bool horizontal = IsHScrollBarVisible(), vertical = IsVScrollBarVisible();
  if ((!horizontal && !vertical) || !HandleAllocated()) return;
  const std::weak_ptr<void> alive = LifeToken();
  HWND window = Handle();
  scrollingContent_ = true;
  bool leftZone = false;
  const TPoint anchor = SafeCursorPos();

  const wchar_t* name = !horizontal ? L"CX_VERSCROLLBITMAP" : !vertical ? L"CX_HORSCROLLBITMAP" : L"CX_FULLSCROLLBITMAP";
  HBITMAP picture = LoadBitmapW(GetModuleHandleW(nullptr), name);
  SIZE size{29, 29};
  if (BITMAP info{}; picture && GetObjectW(picture, sizeof info, &info)) size = {info.bmWidth, info.bmHeight};
  const int anchorSize = size.cx;
  HWND anchorWindow =
      CreateWindowExW(WS_EX_TOPMOST, L"STATIC", nullptr, WS_POPUP, anchor.x - size.cx / 2, anchor.y - size.cy / 2,
                      size.cx, size.cy, window, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (anchorWindow) {
    SetWindowRgn(anchorWindow, CreateEllipticRgn(0, 0, size.cx + 1, size.cy + 1), FALSE);
    SetWindowPos(anchorWindow, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    HDC dc = GetWindowDC(anchorWindow);
    if (picture) {
      HDC source = CreateCompatibleDC(dc);
      HGDIOBJ old = SelectObject(source, picture);
      BitBlt(dc, 0, 0, size.cx, size.cy, source, 0, 0, SRCCOPY);
      SelectObject(source, old);
      DeleteDC(source);
    }
    HRGN ring = CreateEllipticRgn(0, 0, size.cx + 1, size.cy + 1);
    FrameRgn(dc, ring, GetSysColorBrush(COLOR_WINDOWTEXT), 1, 1);
    DeleteObject(ring);
    ReleaseDC(anchorWindow, dc);
  }

  TcxDirection direction = dirNone;
  int speed = 1;
  auto cursorFor = [&](TcxDirection d) -> TCursor {
    switch (d) {
      case dirLeft: return 2107;
      case dirRight: return 2105;
      case dirUp: return 2104;
      case dirDown: return 2106;
      default: return horizontal && vertical ? 2101 : horizontal ? 2102 : 2103;
    }
  };
  ::SetCursor(Screen->Cursors(cursorFor(direction)));
  const UINT_PTR timer = SetTimer(nullptr, 0, kAnchorInterval, nullptr);
  SetCapture(window);
  TModalLoop loop{L"scroll anchor", window, [window] {
                    if (GetCapture() == window) ReleaseCapture();
                  }};
  ModalLoopStarted(loop);
  const DWORD started = GetTickCount();
  int ticks = 0;
  TPoint last = anchor;
  const int half = anchorSize / 2;

  auto body = [&] {
    while (GetCapture() == window && !alive.expired() && !(Application && Application->Terminated())) {
      MSG msg;
      if (!NextMessage(msg)) break;
      if (msg.message == WM_PAINT && msg.hwnd == anchorWindow) {
        ValidateRect(anchorWindow, nullptr);
        continue;
      }
      // A click ends the mode and does nothing else.
      if (msg.message >= WM_LBUTTONDOWN && msg.message <= WM_MOUSEWHEEL && msg.message != WM_MBUTTONUP) break;
      bool end = false;
      if (IsEscapeKey(msg)) {
        end = true;
      } else if (msg.message == WM_TIMER && msg.hwnd == nullptr && msg.wParam == timer) {
        ++ticks;
        if (ticks % (13 - speed) == 0) ScrollContentBy(direction);
        if (alive.expired()) break;
      } else if (msg.message == WM_MOUSEMOVE) {
        const TPoint p = ScreenPointOf(msg);
        if (p != last) {
          TRect zone(anchor.x - half, anchor.y - half, anchor.x - half + anchorSize, anchor.y - half + anchorSize);
          if (!horizontal) zone = {0, zone.top, GetSystemMetrics(SM_CXSCREEN), zone.bottom};
          if (!vertical) zone = {zone.left, 0, zone.right, GetSystemMetrics(SM_CYSCREEN)};
          if (zone.Contains(p)) {
            direction = dirNone;
            speed = 0;
          } else {
            leftZone = true;
            const int dx = p.x - anchor.x, dy = p.y - anchor.y;
            const bool alongH = horizontal && (!vertical || std::abs(dx) > std::abs(dy));
            direction = alongH ? (dx < 0 ? dirLeft : dirRight) : (dy < 0 ? dirUp : dirDown);
            const int distance = alongH ? std::abs(dx) : std::abs(dy);
            speed = std::min((distance - half) / 5 + 1, kMaxAnchorSpeed);
          }
          ::SetCursor(Screen->Cursors(cursorFor(direction)));
          last = p;
        }
      } else if (msg.message == WM_MBUTTONUP) {
        // Pressed and released in place: the mode stays until the next click.
        end = leftZone;
      }
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
      if (end || alive.expired() || ModalLoopOverran(loop, started)) break;
    }
  };
  // However the loop ends (an exception included), the mode's pieces go.
  struct Cleanup {
    HWND window, anchorWindow;
    UINT_PTR timer;
    HBITMAP picture;
    std::weak_ptr<void> alive;
    bool& scrolling;
    ~Cleanup() {
      if (GetCapture() == window) ReleaseCapture();
      KillTimer(nullptr, timer);
      if (IsWindow(anchorWindow)) DestroyWindow(anchorWindow);
      if (picture) DeleteObject(picture);
      if (!alive.expired()) scrolling = false;
    }
  } cleanup{window, anchorWindow, timer, picture, alive, scrollingContent_};
  body();
}

// ---- drag and drop -------------------------------------------------------------------------------

TcxDragAndDropObjectClass TcxControl::DragAndDropObjectClass() {
  return DragAndDropObjectClassValue ? DragAndDropObjectClassValue : &cxDragAndDropObjectOf<TcxDragAndDropObject>;
}

TcxDragAndDropObject* TcxControl::DragAndDropObject() {
  if (!dragAndDropObject_) dragAndDropObject_ = DragAndDropObjectClass()(this);
  return dragAndDropObject_;
}

void TcxControl::SetDragAndDropState(TcxDragAndDropState Value) {
  if (dragAndDropState_ == Value) return;
  dragAndDropState_ = Value;
  if (Value == ddNone && !finishingDragAndDrop_) CancelMouseCapture();
}

void TcxControl::StartDragAndDrop(const TPoint&) {
  const std::weak_ptr<void> alive = LifeToken();
  DragAndDropObject()->Begin();
  if (alive.expired()) return;
  SetCaptureControl(this);
  dragAndDropPrevCursor_ = Screen ? Screen->Cursor() : crDefault;
  SetDragAndDropState(ddDragging);
}

void TcxControl::MoveDragAndDrop(const TPoint& P, bool& Accepted) {
  (void)Accepted;
  DragAndDropObject()->Move(P);
}

void TcxControl::FinishDragAndDrop(bool Accepted) {
  const std::weak_ptr<void> alive = LifeToken();
  SetDragAndDropState(ddNone);
  if (Screen) Screen->SetCursor(dragAndDropPrevCursor_);
  if (GetCaptureControl() == this) SetCaptureControl(nullptr);
  mouseCaptureObject_ = nullptr;
  if (dragAndDropObject_) dragAndDropObject_->Finish(Accepted);
}

void TcxControl::FinishDragAndDropOnce(bool Accepted) {
  if (finishingDragAndDrop_) return;
  const std::weak_ptr<void> alive = LifeToken();
  finishingDragAndDrop_ = true;
  auto finish = [&] {
    if (dragAndDropState_ == ddDragging) FinishDragAndDrop(Accepted);
    else SetDragAndDropState(ddNone);
    if (alive.expired()) return;
    if (dragAndDropObject_) {
      dragAndDropObject_->Free();
      dragAndDropObject_ = nullptr;
    }
  };
  try {
    finish();
  } catch (...) {
    if (!alive.expired()) finishingDragAndDrop_ = false;
    throw;
  }
  if (!alive.expired()) finishingDragAndDrop_ = false;
}

bool TcxControl::IsInDragThreshold(int X, int Y) {
  const int threshold = Mouse ? Mouse->DragThreshold : 5;
  return std::abs(X - mouseDownPos_.x) < threshold && std::abs(Y - mouseDownPos_.y) < threshold;
}

bool TcxControl::IsWithinDragThreshold(int X, int Y) { return DragMode() == dmManual || IsInDragThreshold(X, Y); }

bool TcxControl::IsCopyDragAndDrop() { return Bound().GetAsyncKeyState(VK_CONTROL) < 0; }

int TcxControl::DragDetectLoop(HWND Window) {
  int result = 2;
  const int threshold = Mouse ? Mouse->DragThreshold : 5;
  const TPoint p = SafeCursorPos();
  const TRect rect(p.x - threshold, p.y - threshold, p.x + threshold, p.y + threshold);
  SetCapture(Window);
  TModalLoop loop{L"drag detect", Window, [Window] {
                    if (GetCapture() == Window) ReleaseCapture();
                  }};
  ModalLoopStarted(loop);
  const DWORD started = GetTickCount();
  while (GetCapture() == Window && !(Application && Application->Terminated())) {
    MSG msg;
    if (!NextMessage(msg)) break;
    bool end = false;
    if (IsEscapeKey(msg)) {
      result = 2;
      end = true;
    } else if (msg.message == WM_MOUSEMOVE && msg.hwnd == Window) {
      if (!rect.Contains(ScreenPointOf(msg))) {
        result = 1;
        end = true;
      }
    } else if (msg.message == WM_LBUTTONUP || msg.message == WM_RBUTTONUP || msg.message == WM_MBUTTONUP) {
      result = 0;
      end = true;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    if (end || ModalLoopOverran(loop, started)) break;
  }
  if (IsWindow(Window) && GetCapture() == Window) ReleaseCapture();
  return result;
}

TcxDragControlObjectClass TcxControl::DragControlObjectClass() {
  return [](TControl* control) -> TDragControlObject* { return new TcxDragControlObject(control); };
}

void TcxControl::DoStartDrag(TDragObject*& DragObject) {
  Update();
  TCustomControl::DoStartDrag(DragObject);
  if (!DragObject) {
    if (TcxDragControlObjectClass make = DragControlObjectClass()) DragObject = make(this);
  }
  if (DragObject && !AcceptsFrameworkDrag(DragObject)) {
    DragObject->Free();
    DragObject = nullptr;
    cancelFrameworkDrag_ = true;
  }
}

void TcxControl::DoEndDrag(TObject* Target, int X, int Y) {
  TCustomControl::DoEndDrag(Target, X, Y);
  g_dragObject = nullptr;
  if (dragImages_) {
    dragImages_->Free();
    dragImages_ = nullptr;
  }
}

void TcxControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
  TDragObject* object = dynamic_cast<TDragObject*>(Source);
  if (!object) object = CurrentDragObject();
  g_dragObject = State == dsDragLeave ? nullptr : object;
  TCustomControl::DragOver(Source, X, Y, State, Accept);
}

TCustomImageList* TcxControl::NewDragImageList() { return new TcxDragImageList(nullptr); }

TDragImageList* TcxControl::GetDragImages() {
  if (!UsesDragImages()) return nullptr;
  if (!dragImages_) {
    dragImages_ = dynamic_cast<TDragImageList*>(NewDragImageList());
    if (!dragImages_) return nullptr;
    InitDragImages(dragImages_);
  }
  return dragImages_->Count() > 0 ? dragImages_ : nullptr;
}

void TcxControl::InitDragImages(TDragImageList* AImages) {
  const TSize size = DragImageSize();
  AImages->SetSize(size.cx, size.cy);
  if (size.cx == 0 || size.cy == 0) return;
  TBitmap bitmap(size.cx, size.cy);
  TcxCanvas canvas(bitmap.Canvas());
  DrawDragImage(&canvas, {0, 0, size.cx, size.cy});
  AImages->AddMasked(&bitmap, bitmap.TransparentColor());
}

void TcxControl::AddChildComponent(TcxControlChildComponent* AComponent) { AComponent->SetControl(this); }

void TcxControl::RemoveChildComponent(TcxControlChildComponent* AComponent) { AComponent->SetControl(nullptr); }
