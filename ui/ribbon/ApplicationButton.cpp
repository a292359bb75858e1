#include "ui/ribbon/ApplicationButton.h"

#include "ui/foundation/Graphics.h"
#include "ui/ribbon/Ribbon.h"

DEFINE_CLASS(TdxRibbonApplicationButton)

TdxRibbonApplicationButton::TdxRibbonApplicationButton(TdxCustomRibbon* ARibbon)
    : ribbon_(ARibbon), glyph_(std::make_unique<TBitmap>()) {
  glyph_->OnChange = TNotifyEvent(this, &TdxRibbonApplicationButton::GlyphChanged);
}

TdxRibbonApplicationButton::~TdxRibbonApplicationButton() { glyph_->OnChange = nullptr; }

void TdxRibbonApplicationButton::SetGlyph(TBitmap* Value) {
  if (Value && !Value->Empty() && Value->PixelFormat() != pf32bit) {
    TBitmap converted;
    MakeAlphaGlyph(Value, &converted);
    glyph_->Assign(&converted);
  } else {
    glyph_->Assign(Value);
  }
}

void TdxRibbonApplicationButton::SetStretchGlyph(bool Value) {
  if (stretchGlyph_ == Value) return;
  stretchGlyph_ = Value;
  ribbon_->Changed();
}

void TdxRibbonApplicationButton::SetVisible(bool Value) {
  if (visible_ == Value) return;
  visible_ = Value;
  ribbon_->Changed();
}

void TdxRibbonApplicationButton::GlyphChanged(TObject*) { ribbon_->Changed(); }

void TdxRibbonApplicationButton::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxRibbonApplicationButton*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  ribbon_->BeginUpdate();
  try {
    SetGlyph(source->Glyph());
    SetKeyTip(source->KeyTip());
    SetVisible(source->Visible());
    SetStretchGlyph(source->StretchGlyph());
  } catch (...) {
    ribbon_->EndUpdate();
    throw;
  }
  ribbon_->EndUpdate();
}
