#include "platform/framework/controls/ExtCtrls.h"

#include <algorithm>

DEFINE_CLASS(TCustomPanel)
DEFINE_CLASS(TPanel)
DEFINE_CLASS(TBevel)
DEFINE_CLASS(TImage)
DEFINE_CLASS(TCustomRadioGroup)
DEFINE_CLASS(TRadioGroup)

namespace {

COLORREF Rgb(TColor color) { return static_cast<COLORREF>(ColorToRGB(color)); }

// Fills with a colour through the DC brush: nothing is allocated per paint.
void FillSolid(HDC dc, const RECT& r, TColor color) {
  SetDCBrushColor(dc, Rgb(color));
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void HorizontalLine(HDC dc, int left, int right, int y, TColor color) { FillSolid(dc, {left, y, right, y + 1}, color); }

void VerticalLine(HDC dc, int x, int top, int bottom, TColor color) { FillSolid(dc, {x, top, x + 1, bottom}, color); }

}  // namespace

void Frame3D(HDC DC, TRect& Rect, TColor TopColor, TColor BottomColor, int Width) {
  for (int i = 0; i < Width && Rect.right > Rect.left && Rect.bottom > Rect.top; ++i) {
    HorizontalLine(DC, Rect.left, Rect.right, Rect.top, TopColor);
    VerticalLine(DC, Rect.left, Rect.top, Rect.bottom, TopColor);
    HorizontalLine(DC, Rect.left, Rect.right, Rect.bottom - 1, BottomColor);
    VerticalLine(DC, Rect.right - 1, Rect.top, Rect.bottom, BottomColor);
    InflateRect(&Rect, -1, -1);
  }
}

// ---- TCustomPanel --------------------------------------------------------------------------------

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  ControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csDoubleClicks,
                  csReplicatable};
  SetBounds(0, 0, 185, 41);
  SetColor(clBtnFace);
}

void TCustomPanel::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  if (borderStyle_ == bsSingle) {
    if (Ctl3D()) Params.ExStyle |= WS_EX_CLIENTEDGE;
    else Params.Style |= WS_BORDER;
  }
  // Resizing repaints the whole panel: its bevels and centred caption move.
  Params.WindowClassStyle |= CS_HREDRAW | CS_VREDRAW;
}

void TCustomPanel::LayoutChanged() {
  Realign();
  Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment Value) {
  alignment_ = Value;
  Invalidate();
}

void TCustomPanel::SetBevelInner(TPanelBevel Value) {
  bevelInner_ = Value;
  LayoutChanged();
}

void TCustomPanel::SetBevelOuter(TPanelBevel Value) {
  bevelOuter_ = Value;
  LayoutChanged();
}

void TCustomPanel::SetBevelWidth(int Value) {
  bevelWidth_ = std::max(1, Value);
  LayoutChanged();
}

void TCustomPanel::SetBorderWidth(int Value) {
  borderWidth_ = std::max(0, Value);
  LayoutChanged();
}

void TCustomPanel::SetBorderStyle(TBorderStyle Value) {
  if (borderStyle_ == Value) return;
  borderStyle_ = Value;
  RecreateWnd();
}

void TCustomPanel::AdjustClientRect(TRect& Rect) {
  TCustomControl::AdjustClientRect(Rect);
  int inset = borderWidth_;
  if (bevelOuter_ != bvNone) inset += bevelWidth_;
  if (bevelInner_ != bvNone) inset += bevelWidth_;
  InflateRect(&Rect, -inset, -inset);
}

TRect TCustomPanel::InnerRect() {
  TRect r = ClientRect();
  AdjustClientRect(r);
  return r;
}

void TCustomPanel::Paint() {
  HDC dc = Canvas()->Handle();
  TRect r = ClientRect();
  const TColor background = ParentBackground() && Parent() ? Parent()->Color() : Color();
  auto bevel = [&](TPanelBevel kind) {
    if (kind == bvNone) return;
    const bool lowered = kind == bvLowered;
    const TColor top = kind == bvSpace ? background : lowered ? clBtnShadow : clBtnHighlight;
    const TColor bottom = kind == bvSpace ? background : lowered ? clBtnHighlight : clBtnShadow;
    Frame3D(dc, r, top, bottom, bevelWidth_);
  };
  bevel(bevelOuter_);
  Frame3D(dc, r, background, background, borderWidth_);
  bevel(bevelInner_);
  FillSolid(dc, r, background);

  const String caption = Caption();
  if (caption.empty()) return;
  static constexpr UINT kAlign[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  const HGDIOBJ oldFont = SelectObject(dc, Font()->Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, Rgb(Enabled() ? Font()->Color() : clGrayText));
  RECT text = r;
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
            DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | kAlign[alignment_]);
  SelectObject(dc, oldFont);
}

void TCustomPanel::CMTextChanged(TMessage& Message) {
  Invalidate();
  Inherited::Dispatch(Message);
}

// ---- TBevel --------------------------------------------------------------------------------------

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) {
  ControlStyle.Include(csReplicatable);
  SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape Value) {
  shape_ = Value;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle Value) {
  style_ = Value;
  Invalidate();
}

void TBevel::Paint() {
  HDC dc = Canvas()->Handle();
  const TColor first = style_ == bsLowered ? clBtnShadow : clBtnHighlight;
  const TColor second = style_ == bsLowered ? clBtnHighlight : clBtnShadow;
  const int w = Width(), h = Height();
  TRect r = ClientRect();
  switch (shape_) {
    case bsBox: Frame3D(dc, r, first, second, 1); break;
    case bsFrame: {
      TRect outer(0, 0, w - 1, h - 1);
      Frame3D(dc, outer, first, first, 1);
      TRect inner(1, 1, w, h);
      Frame3D(dc, inner, second, second, 1);
      break;
    }
    case bsTopLine:
      HorizontalLine(dc, 0, w, 0, first);
      HorizontalLine(dc, 0, w, 1, second);
      break;
    case bsBottomLine:
      HorizontalLine(dc, 0, w, h - 2, first);
      HorizontalLine(dc, 0, w, h - 1, second);
      break;
    case bsLeftLine:
      VerticalLine(dc, 0, 0, h, first);
      VerticalLine(dc, 1, 0, h, second);
      break;
    case bsRightLine:
      VerticalLine(dc, w - 2, 0, h, first);
      VerticalLine(dc, w - 1, 0, h, second);
      break;
    case bsSpacer: break;
  }
}

// ---- TImage --------------------------------------------------------------------------------------

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), picture_(std::make_unique<TPicture>()) {
  ControlStyle.Include(csReplicatable);
  picture_->OnChange = [this](TObject* sender) { PictureChanged(sender); };
  SetBounds(0, 0, 105, 105);
}

TImage::~TImage() { picture_->OnChange = nullptr; }

void TImage::SetStretch(bool Value) {
  stretch_ = Value;
  Invalidate();
}

void TImage::SetCenter(bool Value) {
  center_ = Value;
  Invalidate();
}

void TImage::SetProportional(bool Value) {
  proportional_ = Value;
  Invalidate();
}

void TImage::SetTransparent(bool Value) {
  transparent_ = Value;
  if (picture_->Graphic()) picture_->Graphic()->SetTransparent(Value);
  Invalidate();
}

TRect TImage::DestRect() {
  const int pw = picture_->Width(), ph = picture_->Height();
  const int cw = ClientWidth(), ch = ClientHeight();
  int w = pw, h = ph;
  if (stretch_ || (proportional_ && (pw > cw || ph > ch))) {
    if (proportional_ && pw > 0 && ph > 0) {
      // The larger scale that still fits.
      if (static_cast<Int64>(cw) * ph <= static_cast<Int64>(ch) * pw) {
        w = cw;
        h = static_cast<int>(static_cast<Int64>(ph) * cw / pw);
      } else {
        h = ch;
        w = static_cast<int>(static_cast<Int64>(pw) * ch / ph);
      }
    } else {
      w = cw;
      h = ch;
    }
  }
  TRect r(0, 0, w, h);
  if (center_) OffsetRect(&r, (cw - w) / 2, (ch - h) / 2);
  return r;
}

void TImage::Paint() {
  TGraphic* graphic = picture_->Graphic();
  if (!graphic || graphic->Empty()) return;
  if (graphic->Transparent() != transparent_) graphic->SetTransparent(transparent_);
  Canvas()->StretchDraw(DestRect(), graphic);
}

void TImage::PictureChanged(TObject*) {
  if (TGraphic* graphic = picture_->Graphic(); graphic && graphic->Transparent() != transparent_) {
    graphic->SetTransparent(transparent_);
  }
  if (AutoSize() && picture_->Width() > 0 && picture_->Height() > 0) {
    SetBounds(Left(), Top(), picture_->Width(), picture_->Height());
  }
  Invalidate();
}

bool TImage::CanAutoSize(int& NewWidth, int& NewHeight) {
  if (picture_->Width() <= 0 || picture_->Height() <= 0) return false;
  NewWidth = picture_->Width();
  NewHeight = picture_->Height();
  return true;
}

// ---- TCustomRadioGroup ---------------------------------------------------------------------------

TCustomRadioGroup::TCustomRadioGroup(TComponent* AOwner)
    : TCustomGroupBox(AOwner), items_(std::make_unique<TStringList>()) {
  ControlStyle = {csSetCaption, csDoubleClicks, csParentBackground};
  items_->OnChange = [this](TObject* sender) { ItemsChanged(sender); };
}

TCustomRadioGroup::~TCustomRadioGroup() { items_->OnChange = nullptr; }

void TCustomRadioGroup::SetItemIndex(int Value) {
  if (Value < -1 || Value >= items_->Count()) Value = -1;
  if (Value == itemIndex_) return;
  if (Value >= 0) {
    // The button's click reports the change (ButtonClicked).
    buttons_[Value]->SetChecked(true);
  } else {
    itemIndex_ = -1;
    for (TRadioButton* b : buttons_) b->SetChecked(false);
  }
}

void TCustomRadioGroup::SetColumns(int Value) {
  columns_ = std::clamp(Value, 1, 16);
  ArrangeButtons();
  Invalidate();
}

void TCustomRadioGroup::ItemsChanged(TObject*) {
  UpdateButtons();
  if (itemIndex_ >= items_->Count()) itemIndex_ = -1;
  if (itemIndex_ >= 0) {
    updating_ = true;
    buttons_[itemIndex_]->SetChecked(true);
    updating_ = false;
  }
}

void TCustomRadioGroup::UpdateButtons() {
  const int count = items_->Count();
  while (static_cast<int>(buttons_.size()) > count) {
    buttons_.back()->Free();
    buttons_.pop_back();
  }
  while (static_cast<int>(buttons_.size()) < count) {
    auto* button = new TRadioButton(this);
    button->OnClick = [this](TObject* sender) { ButtonClicked(sender); };
    button->SetParent(this);
    buttons_.push_back(button);
  }
  for (int i = 0; i < count; ++i) {
    buttons_[i]->SetCaption(items_->Strings(i));
    buttons_[i]->SetEnabled(Enabled());
  }
  ArrangeButtons();
}

void TCustomRadioGroup::ArrangeButtons() {
  if (buttons_.empty()) return;
  TRect area = ClientRect();
  AdjustClientRect(area);
  const int rows = (static_cast<int>(buttons_.size()) + columns_ - 1) / columns_;
  const int columnWidth = std::max(1, static_cast<int>(area.Width()) / columns_);
  const int rowHeight = std::max(1, static_cast<int>(area.Height()) / rows);
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    const int column = static_cast<int>(i) / rows;
    const int row = static_cast<int>(i) % rows;
    const int height = std::min(rowHeight, 20);
    buttons_[i]->SetBounds(area.left + 6 + column * columnWidth, area.top + row * rowHeight + (rowHeight - height) / 2,
                           columnWidth - 8, height);
  }
}

void TCustomRadioGroup::ButtonClicked(TObject* Sender) {
  if (updating_) return;
  auto* button = static_cast<TRadioButton*>(Sender);
  if (!button->Checked()) return;
  const auto it = std::find(buttons_.begin(), buttons_.end(), button);
  if (it == buttons_.end()) return;
  itemIndex_ = static_cast<int>(it - buttons_.begin());
  Click();
}

void TCustomRadioGroup::Resize() {
  ArrangeButtons();
  TCustomGroupBox::Resize();
}

void TCustomRadioGroup::CMEnabledChanged(TMessage& Message) {
  Inherited::Dispatch(Message);
  for (TRadioButton* b : buttons_) b->SetEnabled(Enabled());
}

void TCustomRadioGroup::CMFontChanged(TMessage& Message) {
  Inherited::Dispatch(Message);
  ArrangeButtons();
}
