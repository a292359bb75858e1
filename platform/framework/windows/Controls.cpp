#include "platform/framework/windows/Controls.h"

#include <algorithm>

#include "platform/framework/windows/Forms.h"
#include "platform/framework/rtl/Seams.h"
#include "platform/framework/rtl/SysUtils.h"

DEFINE_CLASS(TSizeConstraints)
DEFINE_CLASS(TControl)
DEFINE_CLASS(TGraphicControl)
DEFINE_CLASS(TCustomControl)

namespace {

TControl* g_captureControl = nullptr;

TShiftState ButtonShift(TShiftState shift, bool doubleClick) {
  if (doubleClick) shift.Include(ssDouble);
  return shift;
}

}  // namespace

// ---- Free functions ------------------------------------------------------------------------------

TShiftState KeyboardStateToShiftState() {
  TShiftState shift;
  auto down = [](int vk) { return Bound().GetKeyState(vk) < 0; };
  if (down(VK_SHIFT)) shift.Include(ssShift);
  if (down(VK_CONTROL)) shift.Include(ssCtrl);
  if (down(VK_MENU)) shift.Include(ssAlt);
  return shift;
}

TShiftState KeyDataToShiftState(LPARAM KeyData) {
  TShiftState shift;
  if (Bound().GetKeyState(VK_SHIFT) < 0) shift.Include(ssShift);
  if (Bound().GetKeyState(VK_CONTROL) < 0) shift.Include(ssCtrl);
  if (KeyData & 0x20000000) shift.Include(ssAlt);
  return shift;
}

TShiftState MouseKeysToShiftState(WPARAM Keys) {
  TShiftState shift;
  if (Keys & MK_SHIFT) shift.Include(ssShift);
  if (Keys & MK_CONTROL) shift.Include(ssCtrl);
  if (Keys & MK_LBUTTON) shift.Include(ssLeft);
  if (Keys & MK_RBUTTON) shift.Include(ssRight);
  if (Keys & MK_MBUTTON) shift.Include(ssMiddle);
  if (Bound().GetKeyState(VK_MENU) < 0) shift.Include(ssAlt);
  return shift;
}

bool IsAccel(Word VK, const String& Text) {
  for (std::size_t i = 0; i + 1 < Text.size(); ++i) {
    if (Text[i] != L'&') continue;
    if (Text[i + 1] == L'&') {
      ++i;
      continue;
    }
    const wchar_t upper = static_cast<wchar_t>(reinterpret_cast<UINT_PTR>(
        CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(Text[i + 1])))));
    const wchar_t key = static_cast<wchar_t>(reinterpret_cast<UINT_PTR>(
        CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(VK)))));
    return upper == key;
  }
  return false;
}

String GetShortHint(const String& Hint) {
  const auto bar = Hint.find(L'|');
  return bar == String::npos ? Hint : Hint.substr(0, bar);
}

String GetLongHint(const String& Hint) {
  const auto bar = Hint.find(L'|');
  return bar == String::npos ? Hint : Hint.substr(bar + 1);
}

TControl* GetCaptureControl() {
  if (g_captureControl) {
    // The capture may have been taken by a window outside the framework.
    HWND expected = nullptr;
    if (auto* win = dynamic_cast<TWinControl*>(g_captureControl)) {
      expected = win->HandleAllocated() ? win->Handle() : nullptr;
    } else if (g_captureControl->Parent() && g_captureControl->Parent()->HandleAllocated()) {
      expected = g_captureControl->Parent()->Handle();
    }
    if (!expected || GetCapture() != expected) g_captureControl = nullptr;
  }
  return g_captureControl;
}

void SetCaptureControl(TControl* Control) {
  g_captureControl = nullptr;
  if (!Control) {
    ReleaseCapture();
    return;
  }
  if (auto* win = dynamic_cast<TWinControl*>(Control)) {
    SetCapture(win->Handle());
  } else if (Control->Parent()) {
    SetCapture(Control->Parent()->Handle());
  } else {
    return;
  }
  g_captureControl = Control;
}

TCustomForm* GetParentForm(TControl* Control, bool TopForm) {
  TCustomForm* found = nullptr;
  for (TControl* c = Control; c; c = c->Parent()) {
    if (auto* form = dynamic_cast<TCustomForm*>(c)) {
      found = form;
      if (!TopForm) break;
    }
  }
  return found;
}

TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled) {
  HWND window = WindowFromPoint(Pos);
  TWinControl* control = nullptr;
  while (window && !(control = FindControl(window))) window = GetParent(window);
  if (!control) return nullptr;
  if (TControl* child = control->ControlAtPos(control->ScreenToClient(Pos), AllowDisabled)) return child;
  return control;
}

// ---- TSizeConstraints ----------------------------------------------------------------------------

void TSizeConstraints::Set(int& field, int value) {
  if (field == value) return;
  field = value;
  if (control_) control_->SetBounds(control_->Left(), control_->Top(), control_->Width(), control_->Height());
}

void TSizeConstraints::Apply(int& width, int& height) const {
  if (maxWidth_ > 0 && width > maxWidth_) width = maxWidth_;
  if (minWidth_ > 0 && width < minWidth_) width = minWidth_;
  if (maxHeight_ > 0 && height > maxHeight_) height = maxHeight_;
  if (minHeight_ > 0 && height < minHeight_) height = minHeight_;
}

void TSizeConstraints::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TSizeConstraints*>(Source)) {
    minWidth_ = other->minWidth_;
    minHeight_ = other->minHeight_;
    maxWidth_ = other->maxWidth_;
    maxHeight_ = other->maxHeight_;
    return;
  }
  TPersistent::Assign(Source);
}

// ---- Window procedure chain ----------------------------------------------------------------------

void TWindowProcChain::operator()(TMessage& Message) {
  auto& hooks = control_->hooks_;
  if (remaining_ > hooks.size()) remaining_ = hooks.size();
  if (remaining_ == 0) {
    if (control_->WindowProc) control_->WindowProc(Message);
    return;
  }
  --remaining_;
  hooks[remaining_](Message, *this);
}

// ---- TControl ------------------------------------------------------------------------------------

TControl::TControl(TComponent* AOwner) : TComponent(AOwner), font_(std::make_unique<TFont>()) {
  WindowProc = TWndMethod(this, &TControl::WndProc);
  ControlStyle = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  font_->OnChange = [this](TObject*) { FontChanged(); };
}

TControl::~TControl() {
  *life_ = 1;
  if (g_captureControl == this) SetCaptureControl(nullptr);
  if (CurrentDragControl() == this) CancelDrag();
  if (Application) Application->ControlDestroyed(this);
  if (parent_) parent_->RemoveControl(this);
}

void TControl::BeforeDestruction() {
  TComponent::BeforeDestruction();
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
  TMessage message{Msg, WParam, LParam, 0};
  DispatchWindowProc(message);
  return message.Result;
}

void TControl::DispatchWindowProc(TMessage& Message) {
  if (hooks_.empty()) {
    if (WindowProc) WindowProc(Message);
    return;
  }
  TWindowProcChain chain(this, hooks_.size());
  chain(Message);
}

void TControl::InstallWindowProcHook(const TWindowProcHook& Hook) { hooks_.push_back(Hook); }

void TControl::RemoveWindowProcHook(const TWindowProcHook& Hook) {
  auto it = std::find(hooks_.rbegin(), hooks_.rend(), Hook);
  if (it != hooks_.rend()) hooks_.erase(std::next(it).base());
}

void TControl::WndProc(TMessage& Message) { Dispatch(Message); }

void TControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDOWN: WMLButtonDown(Message); return;
    case WM_RBUTTONDOWN: WMRButtonDown(Message); return;
    case WM_MBUTTONDOWN: WMMButtonDown(Message); return;
    case WM_LBUTTONDBLCLK: WMLButtonDblClk(Message); return;
    case WM_RBUTTONDBLCLK: WMRButtonDblClk(Message); return;
    case WM_LBUTTONUP: WMLButtonUp(Message); return;
    case WM_RBUTTONUP: WMRButtonUp(Message); return;
    case WM_MBUTTONUP: WMMButtonUp(Message); return;
    case WM_MOUSEMOVE: WMMouseMove(Message); return;
    case WM_MOUSEWHEEL: WMMouseWheel(Message); return;
    case WM_CANCELMODE: WMCancelMode(Message); return;
    case WM_CONTEXTMENU: WMContextMenu(Message); return;
    case CM_MOUSEENTER: CMMouseEnter(Message); return;
    case CM_MOUSELEAVE: CMMouseLeave(Message); return;
    case CM_MOUSEWHEEL: CMMouseWheel(Message); return;
    case CM_HITTEST: CMHitTest(Message); return;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(Message); return;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(Message); return;
    case CM_PARENTSHOWHINTCHANGED: CMParentShowHintChanged(Message); return;
    case CM_PARENTBIDIMODECHANGED: CMParentBiDiModeChanged(Message); return;
    case CM_SYSCOLORCHANGE: CMSysColorChange(Message); return;
    case CM_THEMECHANGED: CMThemeChanged(Message); return;
    default: DefaultHandler(Message);
  }
}

void TControl::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETTEXT:
      if (Message.WParam > 0) {
        const std::size_t n = std::min<std::size_t>(text_.size(), Message.WParam - 1);
        std::copy_n(text_.data(), n, reinterpret_cast<wchar_t*>(Message.LParam));
        reinterpret_cast<wchar_t*>(Message.LParam)[n] = 0;
        Message.Result = static_cast<LRESULT>(n);
      }
      break;
    case WM_GETTEXTLENGTH:
      Message.Result = static_cast<LRESULT>(text_.size());
      break;
    case WM_SETTEXT:
      text_ = reinterpret_cast<const wchar_t*>(Message.LParam);
      Message.Result = TRUE;
      break;
    default:
      break;
  }
}

void TControl::SetParent(TWinControl* AParent) {
  if (parent_ == AParent) return;
  if (AParent == this) throw EInvalidOperation(L"A control cannot have itself as its parent");
  if (parent_) parent_->RemoveControl(this);
  if (AParent) AParent->InsertControl(this);
}

TComponent* TControl::GetParentComponent() const { return parent_; }

void TControl::SetParentComponent(TComponent* Value) {
  if (auto* win = dynamic_cast<TWinControl*>(Value)) SetParent(win);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (!CanResize(AWidth, AHeight)) {
    AWidth = width_;
    AHeight = height_;
  }
  if (ALeft == left_ && ATop == top_ && AWidth == width_ && AHeight == height_) return;
  const bool resized = AWidth != width_ || AHeight != height_;
  if (parent_ && visible_) parent_->Invalidate();
  left_ = ALeft;
  top_ = ATop;
  width_ = AWidth;
  height_ = AHeight;
  if (parent_ && visible_) parent_->Invalidate();
  RecordAnchors();
  RequestAlign();
  if (resized) Resize();
}

void TControl::UpdateBoundsRect(const TRect& R) {
  left_ = R.left;
  top_ = R.top;
  width_ = R.Width();
  height_ = R.Height();
}

bool TControl::CanResize(int& NewWidth, int& NewHeight) {
  bool resize = true;
  if (OnCanResize) OnCanResize(this, NewWidth, NewHeight, resize);
  if (resize) constraints_.Apply(NewWidth, NewHeight);
  return resize;
}

bool TControl::CanAutoSize(int&, int&) { return false; }

void TControl::SetAutoSize(bool Value) {
  if (autoSize_ == Value) return;
  autoSize_ = Value;
  if (Value) AdjustSize();
}

void TControl::AdjustSize() {
  if (!autoSize_) return;
  int w = width_, h = height_;
  if (CanAutoSize(w, h)) SetBounds(left_, top_, w, h);
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

TRect TControl::GetClientRect() { return {0, 0, width_, height_}; }

void TControl::SetClientSize(int AWidth, int AHeight) {
  const TRect client = GetClientRect();
  SetBounds(left_, top_, width_ - client.Width() + AWidth, height_ - client.Height() + AHeight);
}

TPoint TControl::ClientOrigin() {
  if (!parent_) throw EInvalidOperation(Format(L"Control '%s' has no parent window", {Name()}));
  TPoint origin = parent_->ClientOrigin();
  return {origin.x + left_, origin.y + top_};
}

TPoint TControl::ClientToScreen(const TPoint& Point) {
  const TPoint origin = ClientOrigin();
  return {Point.x + origin.x, Point.y + origin.y};
}

TPoint TControl::ScreenToClient(const TPoint& Point) {
  const TPoint origin = ClientOrigin();
  return {Point.x - origin.x, Point.y - origin.y};
}

TPoint TControl::ClientToParent(const TPoint& Point, TWinControl* AParent) {
  if (!AParent) AParent = parent_;
  if (!AParent) throw EInvalidOperation(Format(L"Control '%s' has no parent window", {Name()}));
  TPoint result = Point;
  for (TControl* c = this; c != AParent; c = c->parent_) {
    if (!c->parent_) throw EInvalidOperation(Format(L"Parent given is not a parent of '%s'", {Name()}));
    result.x += c->left_;
    result.y += c->top_;
  }
  return result;
}

TPoint TControl::ParentToClient(const TPoint& Point, TWinControl* AParent) {
  const TPoint zero = ClientToParent(TPoint(0, 0), AParent);
  return {Point.x - zero.x, Point.y - zero.y};
}

void TControl::SetAlign(TAlign Value) {
  if (align_ == Value) return;
  align_ = Value;
  anchors_ = Value == alNone || Value == alCustom ? TAnchors{akLeft, akTop} : anchors_;
  RequestAlign();
}

void TControl::SetAnchors(TAnchors Value) {
  anchors_ = Value;
  RecordAnchors();
}

void TControl::RecordAnchors() {
  if (!parent_ || parent_->ControlState.Contains(csAligning)) return;
  const TRect client = parent_->ClientRect();
  anchorRight_ = client.Width() - (left_ + width_);
  anchorBottom_ = client.Height() - (top_ + height_);
  anchorsSet_ = true;
}

void TControl::RequestAlign() {
  if (parent_) parent_->AlignControl(this);
}

void TControl::SetVisible(bool Value) {
  if (visible_ == Value) return;
  VisibleChanging();
  visible_ = Value;
  Perform(CM_VISIBLECHANGED, Value);
  if (parent_) parent_->Invalidate();
  RequestAlign();
}

bool TControl::Showing() const { return visible_ && parent_ && parent_->Showing(); }

void TControl::SetEnabled(bool Value) {
  if (enabled_ == Value) return;
  enabled_ = Value;
  Perform(CM_ENABLEDCHANGED);
  Invalidate();
}

void TControl::SetColor(TColor Value) {
  if (color_ == Value && !parentColor_) return;
  color_ = Value;
  parentColor_ = false;
  Perform(CM_COLORCHANGED);
  Invalidate();
}

void TControl::SetParentColor(bool Value) {
  parentColor_ = Value;
  if (Value && parent_) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetParentFont(bool Value) {
  parentFont_ = Value;
  if (Value && parent_) Perform(CM_PARENTFONTCHANGED);
}

void TControl::FontChanged() {
  parentFont_ = false;
  Perform(CM_FONTCHANGED);
  Invalidate();
}

String TControl::GetText() {
  const int length = static_cast<int>(Perform(WM_GETTEXTLENGTH));
  String text(length + 1, L'\0');
  const int got = static_cast<int>(Perform(WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data())));
  text.resize(std::max(0, std::min(got, length)));
  return text;
}

void TControl::SetText(const String& Value) {
  if (GetText() == Value) return;
  Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Value.c_str()));
  Perform(CM_TEXTCHANGED);
  Invalidate();
}

void TControl::SetShowHint(bool Value) {
  showHint_ = Value;
  parentShowHint_ = false;
  Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool Value) {
  parentShowHint_ = Value;
  if (Value && parent_) Perform(CM_PARENTSHOWHINTCHANGED);
}

void TControl::SetBiDiMode(TBiDiMode Value) {
  parentBiDiMode_ = false;
  if (biDiMode_ == Value) return;
  biDiMode_ = Value;
  Perform(CM_BIDIMODECHANGED);
  Invalidate();
}

void TControl::SetParentBiDiMode(bool Value) {
  parentBiDiMode_ = Value;
  if (Value && parent_) Perform(CM_PARENTBIDIMODECHANGED);
}

bool TControl::UseRightToLeftAlignment() const { return biDiMode_ != bdLeftToRight && SysLocaleMiddleEast(); }

void TControl::SetCursor(TCursor Value) {
  if (cursor_ == Value) return;
  cursor_ = Value;
  Perform(CM_CURSORCHANGED);
}

void TControl::SetPopupMenu(TPopupMenu* Value) { popupMenu_ = Value; }

void TControl::SetCtl3D(bool Value) {
  ctl3D_ = Value;
  parentCtl3D_ = false;
  Perform(CM_CTL3DCHANGED);
}

void TControl::Invalidate() {
  if (!parent_ || !parent_->HandleAllocated() || !visible_) return;
  RECT r = BoundsRect();
  InvalidateRect(parent_->Handle(), &r, !ControlStyle.Contains(csOpaque));
}

void TControl::Update() {
  if (parent_) parent_->Update();
}

void TControl::Repaint() {
  if (!parent_ || !parent_->HandleAllocated() || !visible_) return;
  Invalidate();
  parent_->Update();
}

void TControl::SetZOrder(bool TopMost) {
  if (!parent_) return;
  SetZOrderPosition(TopMost ? parent_->ControlCount() - 1 : 0);
}

void TControl::SetZOrderPosition(int Position) {
  if (!parent_) return;
  auto& list = parent_->controls_;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end()) return;
  list.erase(it);
  Position = std::clamp(Position, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + Position, this);
  Invalidate();
}

void TControl::BringToFront() { SetZOrder(true); }
void TControl::SendToBack() { SetZOrder(false); }

void TControl::SendCancelMode(TControl* Sender) {
  if (TCustomForm* form = GetParentForm(this)) form->SendCancelMode(Sender);
}

// -- Mouse --

void TControl::Click() {
  if (ClickAction()) return;
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::DoMouseDownMessage(TMessage& Message, TMouseButton Button, TShiftState Shift) {
  if (ControlStyle.Contains(csNoStdEvents)) return;
  MouseDown(Button, Shift + MouseKeysToShiftState(Message.WParam), Message.XPos(), Message.YPos());
}

void TControl::WMLButtonDown(TMessage& Message) {
  if (ControlStyle.Contains(csCaptureMouse)) SetCaptureControl(this);
  if (ControlStyle.Contains(csClickEvents)) ControlState.Include(csClicked);
  const std::weak_ptr<void> alive = life_;
  DefaultHandler(Message);
  if (alive.expired()) return;
  // A control that dispatches the press itself with csLButtonDown set starts its drag itself.
  if (dragMode_ == dmAutomatic && !ControlState.Contains(csLButtonDown)) {
    BeginDrag(false);
    if (alive.expired()) return;
  }
  DoMouseDownMessage(Message, mbLeft, {});
}

void TControl::WMRButtonDown(TMessage& Message) {
  DefaultHandler(Message);
  DoMouseDownMessage(Message, mbRight, {});
}

void TControl::WMMButtonDown(TMessage& Message) {
  DefaultHandler(Message);
  DoMouseDownMessage(Message, mbMiddle, {});
}

void TControl::WMLButtonDblClk(TMessage& Message) {
  if (ControlStyle.Contains(csCaptureMouse)) SetCaptureControl(this);
  const std::weak_ptr<void> alive = life_;
  DefaultHandler(Message);
  if (alive.expired()) return;
  if (ControlStyle.Contains(csClickEvents)) DblClick();
  if (alive.expired()) return;
  DoMouseDownMessage(Message, mbLeft, ButtonShift({}, true));
}

void TControl::WMRButtonDblClk(TMessage& Message) {
  DefaultHandler(Message);
  DoMouseDownMessage(Message, mbRight, ButtonShift({}, true));
}

void TControl::WMLButtonUp(TMessage& Message) {
  const std::weak_ptr<void> alive = life_;
  DefaultHandler(Message);
  if (alive.expired()) return;
  if (ControlStyle.Contains(csCaptureMouse) && GetCaptureControl() == this) SetCaptureControl(nullptr);
  if (ControlState.Contains(csClicked)) {
    ControlState.Exclude(csClicked);
    if (GetClientRect().Contains(TPoint(Message.XPos(), Message.YPos()))) Click();
    if (alive.expired()) return;
  }
  if (!ControlStyle.Contains(csNoStdEvents))
    MouseUp(mbLeft, MouseKeysToShiftState(Message.WParam), Message.XPos(), Message.YPos());
}

void TControl::WMRButtonUp(TMessage& Message) {
  DefaultHandler(Message);
  if (!ControlStyle.Contains(csNoStdEvents))
    MouseUp(mbRight, MouseKeysToShiftState(Message.WParam), Message.XPos(), Message.YPos());
}

void TControl::WMMButtonUp(TMessage& Message) {
  DefaultHandler(Message);
  if (!ControlStyle.Contains(csNoStdEvents))
    MouseUp(mbMiddle, MouseKeysToShiftState(Message.WParam), Message.XPos(), Message.YPos());
}

void TControl::WMMouseMove(TMessage& Message) {
  DefaultHandler(Message);
  if (!ControlStyle.Contains(csNoStdEvents))
    MouseMove(MouseKeysToShiftState(Message.WParam), Message.XPos(), Message.YPos());
}

void TControl::WMMouseWheel(TMessage& Message) {
  // The wheel goes to the focused control first, then up its parents (CM_MOUSEWHEEL).
  TMessage wheel{CM_MOUSEWHEEL, Message.WParam, Message.LParam, 0};
  TControl* target = this;
  if (HWND focus = GetFocus()) {
    if (TWinControl* focused = FindControl(focus)) target = focused;
  }
  target->DispatchWindowProc(wheel);
  if (wheel.Result == 0) DefaultHandler(Message);
  else Message.Result = 0;
}

void TControl::CMMouseWheel(TMessage& Message) {
  const TShiftState shift = MouseKeysToShiftState(LOWORD(Message.WParam));
  const int delta = static_cast<short>(HIWORD(Message.WParam));
  const TPoint pos(Message.XPos(), Message.YPos());
  const std::weak_ptr<void> alive = life_;
  if (DoMouseWheel(shift, delta, pos)) {
    Message.Result = 1;
    return;
  }
  if (alive.expired() || !parent_) return;
  Message.Result = parent_->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
  if (handled) return true;
  if (WheelDelta < 0) return DoMouseWheelDown(Shift, MousePos);
  if (WheelDelta > 0) return DoMouseWheelUp(Shift, MousePos);
  return false;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, handled);
  return handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, handled);
  return handled;
}

void TControl::WMCancelMode(TMessage& Message) {
  if (GetCaptureControl() == this) SetCaptureControl(nullptr);
  DefaultHandler(Message);
}

void TControl::DoContextPopup(TPoint MousePos, bool& Handled) {
  if (OnContextPopup) OnContextPopup(this, MousePos, Handled);
}

void TControl::WMContextMenu(TMessage& Message) {
  // (-1, -1) comes from the keyboard; it is passed on as such.
  TPoint pos(Message.XPos(), Message.YPos());
  const bool fromKeyboard = pos.x == -1 && pos.y == -1;
  TPoint clientPos = fromKeyboard ? pos : ScreenToClient(pos);
  bool handled = false;
  const std::weak_ptr<void> alive = life_;
  DoContextPopup(clientPos, handled);
  if (alive.expired()) return;
  if (handled) {
    Message.Result = 1;
    return;
  }
  if (TPopupMenu* menu = GetPopupMenu()) {
    if (fromKeyboard) pos = ClientToScreen(TPoint(0, 0));
    if (Application && Application->PopupHandler) Application->PopupHandler(this, menu, pos);
    Message.Result = 1;
    return;
  }
  DefaultHandler(Message);
}

void TControl::CMMouseEnter(TMessage& Message) {
  if (parent_) parent_->Perform(CM_MOUSEENTER, 0, Message.LParam);
  if (Message.LParam == reinterpret_cast<LPARAM>(this) && OnMouseEnter) OnMouseEnter(this);
}

void TControl::CMMouseLeave(TMessage& Message) {
  if (parent_) parent_->Perform(CM_MOUSELEAVE, 0, Message.LParam);
  if (Message.LParam == reinterpret_cast<LPARAM>(this) && OnMouseLeave) OnMouseLeave(this);
}

void TControl::CMParentColorChanged(TMessage&) {
  if (!parentColor_ || !parent_) return;
  color_ = parent_->Color();
  Perform(CM_COLORCHANGED);
  Invalidate();
}

void TControl::CMParentFontChanged(TMessage&) {
  if (!parentFont_ || !parent_) return;
  font_->OnChange = nullptr;
  font_->Assign(parent_->Font());
  font_->OnChange = [this](TObject*) { FontChanged(); };
  Perform(CM_FONTCHANGED);
  Invalidate();
}

void TControl::CMParentShowHintChanged(TMessage&) {
  if (parentShowHint_ && parent_) showHint_ = parent_->ShowHint();
}

void TControl::CMParentBiDiModeChanged(TMessage&) {
  if (!parentBiDiMode_ || !parent_ || biDiMode_ == parent_->BiDiMode()) return;
  biDiMode_ = parent_->BiDiMode();
  Perform(CM_BIDIMODECHANGED);
  Invalidate();
}

void TControl::CMSysColorChange(TMessage&) { Invalidate(); }

// ---- TControlCanvas ------------------------------------------------------------------------------

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::FreeHandle() {
  if (!ownDC_) return;
  SetHandle(nullptr);
  ReleaseDC(dcWindow_, ownDC_);
  ownDC_ = nullptr;
  dcWindow_ = nullptr;
}

void TControlCanvas::SetPaintHandle(HDC DC) {
  FreeHandle();
  SetHandle(DC);
}

void TControlCanvas::CreateHandle() {
  TWinControl* window = dynamic_cast<TWinControl*>(control_);
  TPoint offset;
  if (!window) {
    window = control_->Parent();
    offset = {control_->Left(), control_->Top()};
  }
  if (!window) throw EInvalidOperation(Format(L"Control '%s' has no parent window", {control_->Name()}));
  dcWindow_ = window->Handle();
  ownDC_ = GetDCEx(dcWindow_, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
  SetViewportOrgEx(ownDC_, offset.x, offset.y, nullptr);
  IntersectClipRect(ownDC_, 0, 0, control_->Width(), control_->Height());
  SetHandle(ownDC_);
}

// ---- TGraphicControl -----------------------------------------------------------------------------

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner), canvas_(std::make_unique<TControlCanvas>(this)) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::WMPaint(TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  if (!dc) return;
  TCanvasPaintScope scope(*canvas_, dc, Font());
  Paint();
}

TCanvasPaintScope::TCanvasPaintScope(TControlCanvas& canvas, HDC DC, TFont* font) : canvas_(canvas) {
  canvas_.Lock();
  canvas_.SetPaintHandle(DC);
  try {
    canvas_.Font()->Assign(font);
  } catch (...) {
    Release();
    throw;
  }
}

TCanvasPaintScope::~TCanvasPaintScope() { Release(); }

void TCanvasPaintScope::Release() {
  canvas_.SetHandle(nullptr);
  canvas_.Unlock();
}

// ---- TCustomControl ------------------------------------------------------------------------------

TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner), canvas_(std::make_unique<TControlCanvas>(this)) {
  ControlState.Include(csCustomPaint);
}

TCustomControl::~TCustomControl() = default;

void TCustomControl::Paint() {
  if (OnPaint) OnPaint(this);
}

void TCustomControl::PaintWindow(HDC DC) {
  TCanvasPaintScope scope(*canvas_, DC, Font());
  Paint();
}
