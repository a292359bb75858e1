#include "platform/framework/controls/ToolBar.h"

#include <algorithm>

#include "platform/framework/controls/ActnLinks.h"

DEFINE_CLASS(TToolButton)
DEFINE_CLASS(TToolBar)

namespace {

COLORREF Rgb(TColor color) { return static_cast<COLORREF>(ColorToRGB(color)); }

constexpr int kSeparatorWidth = 8;

bool IsSpacer(TToolButtonStyle style) { return style == tbsSeparator || style == tbsDivider; }

}  // namespace

// ---- TToolButton ---------------------------------------------------------------------------------

TToolButton::TToolButton(TComponent* AOwner) : TGraphicControl(AOwner) {
  ControlStyle = {csCaptureMouse, csSetCaption};
  SetBounds(0, 0, 23, 22);
}

TToolBar* TToolButton::ToolBar() const { return dynamic_cast<TToolBar*>(Parent()); }

void TToolButton::SetParent(TWinControl* AParent) {
  TGraphicControl::SetParent(AParent);
  if (TToolBar* bar = ToolBar()) bar->Realign();
}

void TToolButton::SetStyle(TToolButtonStyle Value) {
  if (style_ == Value) return;
  style_ = Value;
  if (IsSpacer(Value)) SetWidth(kSeparatorWidth);
  if (Value != tbsCheck) down_ = false;
  if (TToolBar* bar = ToolBar()) bar->Realign();
  Invalidate();
}

void TToolButton::SetImageIndex(int Value) {
  imageIndex_ = Value;
  Invalidate();
}

TControlActionLink* TToolButton::CreateActionLink() { return new TToolButtonActionLink(this); }

void TToolButton::SetDown(bool Value) {
  if (style_ != tbsCheck) Value = false;
  if (Value == down_) return;
  if (down_ && grouped_ && !allowAllUp_) return;
  down_ = Value;
  Invalidate();
  if (Value) UpdateGroup();
}

// A group is the run of adjacent grouped check buttons around this one.
void TToolButton::UpdateGroup() {
  TWinControl* parent = Parent();
  if (!grouped_ || !parent) return;
  int self = -1;
  for (int i = 0; i < parent->ControlCount(); ++i) {
    if (parent->Controls(i) == this) self = i;
  }
  auto release = [&](int step) {
    for (int i = self + step; i >= 0 && i < parent->ControlCount(); i += step) {
      auto* other = dynamic_cast<TToolButton*>(parent->Controls(i));
      if (!other || !other->grouped_ || other->style_ != tbsCheck) break;
      if (other->down_) {
        other->down_ = false;
        other->Invalidate();
      }
    }
  };
  release(-1);
  release(+1);
}

void TToolButton::Click() {
  TToolBar* bar = ToolBar();
  if (menuItem_ && bar) {
    if (menuItem_->Count() > 0) {
      bar->TrackMenu(this);
      return;
    }
    menuItem_->Click();
  }
  TGraphicControl::Click();
}

void TToolButton::SetMenuItem(TMenuItem* Value) {
  if (menuItem_) menuItem_->RemoveFreeNotification(this);
  menuItem_ = Value;
  if (!Value) return;
  Value->FreeNotification(this);
  SetCaption(Value->Caption());
  SetEnabled(Value->Enabled());
}

void TToolButton::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == menuItem_) menuItem_ = nullptr;
}

void TToolButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !Enabled() || IsSpacer(style_)) return;
  dragging_ = pressed_ = true;
  Invalidate();
}

void TToolButton::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!dragging_) return;
  const bool inside = X >= 0 && X < Width() && Y >= 0 && Y < Height();
  if (inside != pressed_) {
    pressed_ = inside;
    Invalidate();
  }
}

void TToolButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!dragging_ || Button != mbLeft) return;
  dragging_ = pressed_ = false;
  Invalidate();
  const bool inside = X >= 0 && X < Width() && Y >= 0 && Y < Height();
  if (!inside) return;
  if (style_ == tbsCheck) SetDown(!down_);
  Click();
}

void TToolButton::CMMouseEnter(TMessage& Message) {
  Inherited::Dispatch(Message);
  mouseInControl_ = true;
  Invalidate();
}

void TToolButton::CMMouseLeave(TMessage& Message) {
  Inherited::Dispatch(Message);
  mouseInControl_ = false;
  Invalidate();
}

void TToolButton::CMTextChanged(TMessage& Message) {
  Invalidate();
  Inherited::Dispatch(Message);
}

void TToolButton::Paint() {
  HDC dc = Canvas()->Handle();
  RECT r = ClientRect();
  TToolBar* bar = ToolBar();
  if (bar && bar->OnCustomDrawButton) {
    TOwnerDrawState state;
    if (pressed_ || down_ || bar->MenuButton() == this) state.Include(odSelected);
    if (mouseInControl_) state.Include(odHotLight);
    if (!Enabled()) state.Include(odDisabled);
    bool defaultDraw = true;
    // The handler draws in the bar's coordinates on this button's DC.
    const int saved = SaveDC(dc);
    OffsetViewportOrgEx(dc, -Left(), -Top(), nullptr);
    TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.SetFont(bar->Font());
    bar->OnCustomDrawButton(bar, this, &canvas, state, defaultDraw);
    canvas.SetHandle(nullptr);
    RestoreDC(dc, saved);
    Canvas()->Refresh();
    if (!defaultDraw) return;
  }
  if (style_ == tbsDivider) {
    RECT line{r.right / 2 - 1, r.top + 2, r.right / 2 + 1, r.bottom - 2};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_LEFT);
    return;
  }
  if (style_ == tbsSeparator) return;
  const bool sunken = pressed_ || down_;
  const bool flat = bar && bar->Flat();
  if (!flat) {
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (sunken ? DFCS_PUSHED : 0));
  } else if (sunken || (mouseInControl_ && Enabled())) {
    DrawEdge(dc, &r, sunken ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  }
  const int shift = sunken ? 1 : 0;
  const bool captions = bar && bar->ShowCaptions();
  TCustomImageList* images = bar ? bar->Images() : nullptr;
  int imageBottom = 0;
  if (images && imageIndex_ >= 0 && imageIndex_ < images->Count()) {
    const int x = (Width() - images->Width()) / 2 + shift;
    const int y = captions ? 3 + shift : (Height() - images->Height()) / 2 + shift;
    images->Draw(Canvas(), x, y, imageIndex_, Enabled());
    imageBottom = y + images->Height();
  }
  if (!captions) return;
  const String caption = Caption();
  const HGDIOBJ old = SelectObject(dc, Font()->Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, Rgb(Enabled() ? clBtnText : clGrayText));
  RECT text{r.left + shift, std::max<LONG>(imageBottom, r.top) + shift, r.right + shift, r.bottom + shift};
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, old);
}

// ---- TToolBar ------------------------------------------------------------------------------------

TToolBar::TToolBar(TComponent* AOwner) : TCustomControl(AOwner), imageLink_(std::make_unique<TChangeLink>()) {
  ControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks, csParentBackground};
  SetBounds(0, 0, 150, 29);
  SetAlign(alTop);
  SetColor(clBtnFace);
  imageLink_->OnChange = [this](TObject*) { ButtonsChanged(); };
}

TToolBar::~TToolBar() {
  if (images_) images_->UnRegisterChanges(imageLink_.get());
}

void TToolBar::SetFlat(bool Value) {
  flat_ = Value;
  ButtonsChanged();
}

void TToolBar::SetImages(TCustomImageList* Value) {
  if (images_ == Value) return;
  if (images_) {
    images_->UnRegisterChanges(imageLink_.get());
    images_->RemoveFreeNotification(this);
  }
  images_ = Value;
  if (Value) {
    Value->RegisterChanges(imageLink_.get());
    Value->FreeNotification(this);
  }
  ButtonsChanged();
}

void TToolBar::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == images_) {
    images_ = nullptr;
    ButtonsChanged();
  }
}

void TToolBar::SetButtonWidth(int Value) {
  buttonWidth_ = std::max(1, Value);
  Realign();
}

void TToolBar::SetButtonHeight(int Value) {
  buttonHeight_ = std::max(1, Value);
  Realign();
}

void TToolBar::SetShowCaptions(bool Value) {
  showCaptions_ = Value;
  ButtonsChanged();
}

int TToolBar::ButtonCount() const {
  int count = 0;
  for (int i = 0; i < ControlCount(); ++i) count += dynamic_cast<TToolButton*>(Controls(i)) != nullptr;
  return count;
}

TToolButton* TToolBar::Buttons(int Index) const {
  int left = Index;
  for (int i = 0; i < ControlCount(); ++i) {
    if (auto* button = dynamic_cast<TToolButton*>(Controls(i)); button && left-- == 0) return button;
  }
  RaiseListIndexError(Index);
}

void TToolBar::ButtonsChanged() {
  for (int i = 0; i < ControlCount(); ++i) Controls(i)->Invalidate();
  Invalidate();
}

void TToolBar::SetWrapable(bool Value) {
  wrapable_ = Value;
  Realign();
}

void TToolBar::SetAutoSize(bool Value) {
  TCustomControl::SetAutoSize(Value);
  Realign();
}

// The width of an auto-sized button with a caption: the caption in the bar's font and a margin.
static int CaptionButtonWidth(TToolBar* bar, TToolButton* button) {
  HDC dc = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, bar->Font()->Handle());
  const String caption = StripHotkey(button->Caption());
  SIZE size{};
  GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size.cx + 14;
}

void TToolBar::AlignControls(TControl* AControl, TRect& Rect) {
  TCustomControl::AlignControls(AControl, Rect);
  // Buttons in a row in their order of insertion; hidden ones take no room. A wrapable bar starts
  // a new row where the next button would pass its right edge.
  const int top = 2;
  int x = 0, y = top, bottom = top;
  for (int i = 0; i < ControlCount(); ++i) {
    auto* button = dynamic_cast<TToolButton*>(Controls(i));
    if (!button || !button->Visible()) continue;
    int width = IsSpacer(button->Style()) ? button->Width() : buttonWidth_;
    if (!IsSpacer(button->Style()) && button->AutoSize() && showCaptions_) width = CaptionButtonWidth(this, button);
    if (wrapable_ && x > 0 && x + width > ClientWidth()) {
      x = 0;
      y += buttonHeight_;
    }
    button->SetBounds(x, y, width, buttonHeight_);
    x += width;
    bottom = y + buttonHeight_;
  }
  if (AutoSize() && Height() != bottom + top) SetHeight(bottom + top);
}

void TToolBar::Paint() {
  const TRect client = ClientRect();
  if (OnCustomDraw) {
    bool defaultDraw = true;
    OnCustomDraw(this, Canvas(), client, defaultDraw);
    if (!defaultDraw) return;
  }
  HDC dc = Canvas()->Handle();
  SetDCBrushColor(dc, Rgb(Color()));
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void TToolBar::TrackMenu(TToolButton* Button) {
  TMenuItem* item = Button->MenuItem();
  if (!item || menuButton_) return;
  // The item's sub-items move into a popup menu of the bar for as long as it is open.
  ObjectPtr<TPopupMenu> popup(new TPopupMenu(this));
  if (TMenu* menu = item->GetParentMenu()) {
    popup->SetOwnerDraw(menu->OwnerDraw());
    popup->SetImages(menu->Images());
  }
  std::vector<TMenuItem*> moved;
  while (item->Count() > 0) {
    TMenuItem* sub = item->Items(0);
    item->Remove(sub);
    popup->Items()->Add(sub);
    moved.push_back(sub);
  }
  menuButton_ = Button;
  Button->Invalidate();
  const TPoint at = ClientToScreen(TPoint(Button->Left(), Button->Top() + Button->Height()));
  struct TRestore {
    TToolBar* bar;
    TToolButton* button;
    TMenuItem* item;
    TPopupMenu* popup;
    std::vector<TMenuItem*>& moved;
    ~TRestore() {
      for (TMenuItem* sub : moved) {
        popup->Items()->Remove(sub);
        item->Add(sub);
      }
      bar->menuButton_ = nullptr;
      button->Invalidate();
    }
  } restore{this, Button, item, popup.get(), moved};
  popup->Popup(at.x, at.y);
}

bool TToolBar::DoAccelerator(Word Key) {
  for (int i = 0; i < ControlCount(); ++i) {
    auto* button = dynamic_cast<TToolButton*>(Controls(i));
    if (!button || !button->Visible() || !button->Enabled() || IsSpacer(button->Style())) continue;
    if (!IsAccel(Key, button->Caption())) continue;
    button->Click();
    return true;
  }
  return false;
}

void TToolBar::CMDialogChar(TMessage& Message) {
  if (KeyDataToShiftState(Message.LParam).Contains(ssAlt) && DoAccelerator(static_cast<Word>(Message.WParam))) {
    Message.Result = 1;
    return;
  }
  Inherited::Dispatch(Message);
}
