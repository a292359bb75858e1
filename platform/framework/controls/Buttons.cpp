#include "platform/framework/controls/Buttons.h"

#include <algorithm>

#include "platform/framework/controls/ActnLinks.h"
#include "platform/framework/windows/Forms.h"

DEFINE_CLASS(TSpeedButton)
DEFINE_CLASS(TBitBtn)

namespace {

COLORREF Rgb(TColor color) { return static_cast<COLORREF>(ColorToRGB(color)); }

TSize MeasureCaption(HDC dc, HFONT font, const String& caption) {
  if (caption.empty()) return {0, 0};
  const HGDIOBJ old = SelectObject(dc, font);
  RECT r{0, 0, 0, 0};
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r, DT_CALCRECT | DT_SINGLELINE);
  SelectObject(dc, old);
  return {r.right - r.left, r.bottom - r.top};
}

void DrawCaption(HDC dc, HFONT font, const String& caption, const TRect& rect, bool enabled) {
  if (caption.empty()) return;
  const HGDIOBJ old = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  RECT r = rect;
  const UINT flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  if (enabled) {
    SetTextColor(dc, Rgb(clBtnText));
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r, flags);
  } else {
    OffsetRect(&r, 1, 1);
    SetTextColor(dc, Rgb(clBtnHighlight));
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r, flags);
    OffsetRect(&r, -1, -1);
    SetTextColor(dc, Rgb(clBtnShadow));
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r, flags);
  }
  SelectObject(dc, old);
}

}  // namespace

TButtonContentLayout LayoutButtonContent(const TRect& Client, TSize GlyphSize, TSize TextSize,
                                         TButtonLayout Layout, int Margin, int Spacing) {
  const bool horizontal = Layout == blGlyphLeft || Layout == blGlyphRight;
  if (GlyphSize.cx == 0 || TextSize.cx == 0) Spacing = 0;
  const int available = horizontal ? Client.Width() : Client.Height();
  const int glyphExtent = horizontal ? GlyphSize.cx : GlyphSize.cy;
  const int textExtent = horizontal ? TextSize.cx : TextSize.cy;
  if (Margin < 0) {
    const int total = glyphExtent + (Spacing < 0 ? 0 : Spacing) + textExtent;
    Margin = (available - total) / 2;
    if (Spacing < 0) Spacing = (available - glyphExtent - textExtent) / 3, Margin = Spacing;
  } else if (Spacing < 0) {
    Spacing = (available - Margin - glyphExtent - textExtent) / 2;
  }
  // Offsets along the layout axis, from the near edge.
  int glyphAt = Margin;
  int textAt = Margin + glyphExtent + Spacing;
  if (Layout == blGlyphRight || Layout == blGlyphBottom) {
    glyphAt = available - Margin - glyphExtent;
    textAt = glyphAt - Spacing - textExtent;
  }
  TButtonContentLayout result;
  if (horizontal) {
    result.GlyphPos = {Client.left + glyphAt, Client.top + (Client.Height() - GlyphSize.cy) / 2};
    result.TextRect = TRect(Client.left + textAt, Client.top + (Client.Height() - TextSize.cy) / 2,
                            Client.left + textAt + TextSize.cx, Client.top + (Client.Height() + TextSize.cy) / 2);
  } else {
    result.GlyphPos = {Client.left + (Client.Width() - GlyphSize.cx) / 2, Client.top + glyphAt};
    result.TextRect = TRect(Client.left + (Client.Width() - TextSize.cx) / 2, Client.top + textAt,
                            Client.left + (Client.Width() + TextSize.cx) / 2, Client.top + textAt + TextSize.cy);
  }
  return result;
}

// ---- TButtonGlyph --------------------------------------------------------------------------------

TButtonGlyph::TButtonGlyph() : glyph_(std::make_unique<TBitmap>()) {}

bool TButtonGlyph::Empty() { return glyph_->Empty() || glyph_->Width() == 0; }

TSize TButtonGlyph::Size() {
  if (Empty()) return {0, 0};
  return {glyph_->Width() / numGlyphs_, glyph_->Height()};
}

void TButtonGlyph::Draw(HDC DC, TPoint Pos, TButtonState State) {
  if (Empty()) return;
  const TSize size = Size();
  int image = static_cast<int>(State);
  const bool embossed = State == bsDisabled && numGlyphs_ < 2;
  if (image >= numGlyphs_) image = State == bsExclusive && numGlyphs_ >= 3 ? 2 : 0;
  HDC source = glyph_->Canvas()->Handle();
  const UINT transparent = Rgb(glyph_->Canvas()->Pixels(0, glyph_->Height() - 1));
  if (!embossed) {
    TransparentBlt(DC, Pos.x, Pos.y, size.cx, size.cy, source, image * size.cx, 0, size.cx, size.cy, transparent);
    return;
  }
  // The shape of the glyph: light offset by a pixel, then shadow.
  for (const auto& [offset, color] : {std::pair{1, clBtnHighlight}, std::pair{0, clBtnShadow}}) {
    for (int y = 0; y < size.cy; ++y) {
      for (int x = 0; x < size.cx; ++x) {
        if (GetPixel(source, x, y) != transparent) SetPixel(DC, Pos.x + x + offset, Pos.y + y + offset, Rgb(color));
      }
    }
  }
}

// ---- TSpeedButton --------------------------------------------------------------------------------

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner) {
  ControlStyle = {csCaptureMouse, csDoubleClicks};
  SetBounds(0, 0, 23, 22);
  SetParentColor(true);
  glyph_.Glyph()->OnChange = [this](TObject* sender) { GlyphChanged(sender); };
}

TSpeedButton::~TSpeedButton() { glyph_.Glyph()->OnChange = nullptr; }

void TSpeedButton::GlyphChanged(TObject*) { Invalidate(); }

void TSpeedButton::SetNumGlyphs(TNumGlyphs Value) {
  glyph_.SetNumGlyphs(Value);
  Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout Value) {
  layout_ = Value;
  Invalidate();
}

void TSpeedButton::SetMargin(int Value) {
  margin_ = Value;
  Invalidate();
}

void TSpeedButton::SetSpacing(int Value) {
  spacing_ = Value;
  Invalidate();
}

void TSpeedButton::SetFlat(bool Value) {
  flat_ = Value;
  Invalidate();
}

void TSpeedButton::SetTransparent(bool Value) {
  transparent_ = Value;
  if (Value) ControlStyle.Exclude(csOpaque);
  else ControlStyle.Include(csOpaque);
  Invalidate();
}

void TSpeedButton::SetGroupIndex(int Value) {
  groupIndex_ = Value;
  if (Value == 0) SetDown(false);
  UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool Value) {
  allowAllUp_ = Value;
  // The buttons of a group share the setting.
  if (!Parent() || groupIndex_ == 0) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    if (auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i)); other && other->groupIndex_ == groupIndex_) {
      other->allowAllUp_ = Value;
    }
  }
}

TControlActionLink* TSpeedButton::CreateActionLink() { return new TSpeedButtonActionLink(this); }

void TSpeedButton::SetDown(bool Value) {
  if (groupIndex_ == 0) Value = false;
  if (Value == down_) return;
  if (down_ && !allowAllUp_) return;
  down_ = Value;
  FState = Value ? bsExclusive : (Enabled() ? bsUp : bsDisabled);
  Invalidate();
  if (Value) UpdateExclusive();
}

void TSpeedButton::UpdateExclusive() {
  if (!down_ || groupIndex_ == 0 || !Parent()) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
    if (!other || other == this || other->groupIndex_ != groupIndex_ || !other->down_) continue;
    other->down_ = false;
    other->FState = other->Enabled() ? bsUp : bsDisabled;
    other->Invalidate();
  }
}

void TSpeedButton::Click() { TGraphicControl::Click(); }

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !Enabled()) return;
  if (!down_) {
    FState = bsDown;
    Invalidate();
  }
  dragging_ = true;
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!dragging_) return;
  const bool inside = X >= 0 && X < Width() && Y >= 0 && Y < Height();
  const TButtonState wanted = down_ ? bsExclusive : inside ? bsDown : bsUp;
  if (wanted != FState) {
    FState = wanted;
    Invalidate();
  }
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!dragging_ || Button != mbLeft) return;
  dragging_ = false;
  const bool inside = X >= 0 && X < Width() && Y >= 0 && Y < Height();
  if (groupIndex_ == 0) {
    FState = Enabled() ? bsUp : bsDisabled;
    Invalidate();
  } else if (inside) {
    SetDown(!down_);
    if (down_) FState = bsExclusive;
  } else {
    FState = down_ ? bsExclusive : bsUp;
    Invalidate();
  }
  if (inside) Click();
}

void TSpeedButton::CMMouseEnter(TMessage& Message) {
  Inherited::Dispatch(Message);
  mouseInControl_ = true;
  if (flat_ && Enabled()) Invalidate();
}

void TSpeedButton::CMMouseLeave(TMessage& Message) {
  Inherited::Dispatch(Message);
  mouseInControl_ = false;
  if (flat_ && Enabled()) Invalidate();
}

void TSpeedButton::CMEnabledChanged(TMessage& Message) {
  FState = !Enabled() ? bsDisabled : down_ ? bsExclusive : bsUp;
  Invalidate();
  Inherited::Dispatch(Message);
}

void TSpeedButton::CMTextChanged(TMessage& Message) {
  Invalidate();
  Inherited::Dispatch(Message);
}

void TSpeedButton::Paint() {
  HDC dc = Canvas()->Handle();
  TRect client = ClientRect();
  if (!Enabled()) FState = bsDisabled;
  const bool pressed = FState == bsDown || FState == bsExclusive;
  if (!transparent_) {
    SetDCBrushColor(dc, Rgb(Color()));
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  }
  if (flat_) {
    if (pressed || (mouseInControl_ && Enabled())) {
      RECT r = client;
      DrawEdge(dc, &r, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    }
  } else {
    RECT r = client;
    UINT state = DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0);
    if (transparent_) state |= DFCS_ADJUSTRECT;
    DrawFrameControl(dc, &r, DFC_BUTTON, state);
  }
  InflateRect(&client, -1, -1);
  if (pressed) OffsetRect(&client, 1, 1);
  PaintContent(dc, client, FState, pressed);
}

void TSpeedButton::PaintContent(HDC DC, const TRect& Client, TButtonState State, bool) {
  HFONT font = Font()->Handle();
  const String caption = Caption();
  const TButtonContentLayout at =
      LayoutButtonContent(Client, glyph_.Size(), MeasureCaption(DC, font, caption), layout_, margin_, spacing_);
  glyph_.Draw(DC, at.GlyphPos, State);
  DrawCaption(DC, font, caption, at.TextRect, State != bsDisabled);
}

// ---- TBitBtn -------------------------------------------------------------------------------------

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner) {
  glyph_.Glyph()->OnChange = [this](TObject*) { Invalidate(); };
}

void TBitBtn::CreateParams(TCreateParams& Params) {
  TButton::CreateParams(Params);
  Params.Style = (Params.Style & ~DWORD{BS_TYPEMASK}) | BS_OWNERDRAW;
}

void TBitBtn::SetButtonStyle(bool ADefault) {
  if (isDefault_ == ADefault) return;
  isDefault_ = ADefault;
  Invalidate();
}

void TBitBtn::SetNumGlyphs(TNumGlyphs Value) {
  glyph_.SetNumGlyphs(Value);
  Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout Value) {
  layout_ = Value;
  Invalidate();
}

void TBitBtn::SetMargin(int Value) {
  margin_ = Value;
  Invalidate();
}

void TBitBtn::SetSpacing(int Value) {
  spacing_ = Value;
  Invalidate();
}

void TBitBtn::WndProc(TMessage& Message) {
  // Owner-drawn buttons report a quick second press as a double click; it is a press like any other.
  if (Message.Msg == WM_LBUTTONDBLCLK) Message.Msg = WM_LBUTTONDOWN;
  TButton::WndProc(Message);
}

void TBitBtn::CNDrawItem(TMessage& Message) {
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam);
  HDC dc = item->hDC;
  const bool pressed = (item->itemState & ODS_SELECTED) != 0;
  const bool disabled = (item->itemState & ODS_DISABLED) != 0;
  const bool focused = (item->itemState & ODS_FOCUS) != 0;
  RECT r = item->rcItem;
  if (isDefault_ || focused) {
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&r, -1, -1);
  }
  DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pressed ? DFCS_PUSHED : 0));
  TRect content = r;
  if (pressed) OffsetRect(&content, 1, 1);
  const TButtonState state = disabled ? bsDisabled : pressed ? bsDown : bsUp;
  HFONT font = Font()->Handle();
  const String caption = Caption();
  const TButtonContentLayout at =
      LayoutButtonContent(content, glyph_.Size(), MeasureCaption(dc, font, caption), layout_, margin_, spacing_);
  glyph_.Draw(dc, at.GlyphPos, state);
  DrawCaption(dc, font, caption, at.TextRect, !disabled);
  if (focused) {
    RECT focus = r;
    InflateRect(&focus, -2, -2);
    DrawFocusRect(dc, &focus);
  }
  Message.Result = 1;
}
