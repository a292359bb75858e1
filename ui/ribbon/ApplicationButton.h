#pragma once
// The settings of the ribbon's application button: its glyph (kept as a 32-bit bitmap with
// alpha), whether the glyph is stretched into the button, its key tip and whether it shows.

#include <memory>

#include "platform/framework/classes/Component.h"
#include "platform/framework/graphics/Bitmap.h"

class TdxCustomRibbon;

class TdxRibbonApplicationButton : public TPersistent {
  DECLARE_CLASS(TdxRibbonApplicationButton, TPersistent)
 public:
  explicit TdxRibbonApplicationButton(TdxCustomRibbon* ARibbon);
  ~TdxRibbonApplicationButton() override;

  TdxCustomRibbon* Ribbon() const { return ribbon_; }
  TBitmap* Glyph() const { return glyph_.get(); }
  // A glyph of another depth is stored as 32 bits, its transparent colour's pixels fully transparent.
  void SetGlyph(TBitmap* Value);
  const String& KeyTip() const { return keyTip_; }
  void SetKeyTip(const String& Value) { keyTip_ = Value; }
  bool StretchGlyph() const { return stretchGlyph_; }
  void SetStretchGlyph(bool Value);
  bool Visible() const { return visible_; }
  void SetVisible(bool Value);
  void Assign(TPersistent* Source) override;

 private:
  void GlyphChanged(TObject* Sender);
  TdxCustomRibbon* ribbon_;
  std::unique_ptr<TBitmap> glyph_;
  String keyTip_;
  bool stretchGlyph_ = true;
  bool visible_ = true;
};
