#pragma once
// Buttons with glyphs: the painted speed button (grouped, latching, flat) and the owner-drawn
// push button with a glyph.

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(CONTROLS);

#include <memory>

#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/controls/StdCtrls.h"

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
using TNumGlyphs = int;  // 1..4

// Where a glyph and a caption go inside a button: Margin from the edge (-1 = centred together),
// Spacing between them (-1 = caption centred in the rest).
struct TButtonContentLayout {
  TPoint GlyphPos;
  TRect TextRect;
};
TButtonContentLayout LayoutButtonContent(const TRect& Client, TSize GlyphSize, TSize TextSize,
                                         TButtonLayout Layout, int Margin, int Spacing);

// A glyph strip of up to four images (up, disabled, down, exclusive) drawn with the bottom-left
// colour transparent.
class TButtonGlyph {
 public:
  TButtonGlyph();
  TBitmap* Glyph() { return glyph_.get(); }
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int Value) { numGlyphs_ = Value < 1 ? 1 : Value > 4 ? 4 : Value; }
  TSize Size();
  bool Empty();
  // Draws the image of State at Pos; a missing disabled image is drawn embossed.
  void Draw(HDC DC, TPoint Pos, TButtonState State);

 private:
  std::unique_ptr<TBitmap> glyph_;
  int numGlyphs_ = 1;
};

// ---- TSpeedButton --------------------------------------------------------------------------------

class TSpeedButton : public TGraphicControl {
  DECLARE_CLASS(TSpeedButton, TGraphicControl)
 public:
  explicit TSpeedButton(TComponent* AOwner);
  ~TSpeedButton() override;

  // The glyph bitmap; its OnChange is the button's repaint, which a descendant may chain.
  TBitmap* Glyph() { return glyph_.Glyph(); }
  void SetGlyph(TBitmap* Value) { glyph_.Glyph()->Assign(Value); }
  TNumGlyphs NumGlyphs() const { return glyph_.NumGlyphs(); }
  void SetNumGlyphs(TNumGlyphs Value);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout Value);
  int Margin() const { return margin_; }
  void SetMargin(int Value);
  int Spacing() const { return spacing_; }
  void SetSpacing(int Value);
  bool Flat() const { return flat_; }
  void SetFlat(bool Value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool Value);
  // Latched down; only buttons of a group (GroupIndex != 0) latch. Of one group in one parent at
  // most one is down; without AllowAllUp the down one stays down until another goes down.
  bool Down() const { return down_; }
  void SetDown(bool Value);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int Value);
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool Value);
  bool MouseInControl() const { return mouseInControl_; }
  void Click() override;

 protected:
  void Paint() override;
  TControlActionLink* CreateActionLink() override;
  // Draws glyph and caption into the client area for the given state (descendants draw their own).
  virtual void PaintContent(HDC DC, const TRect& Client, TButtonState State, bool Pressed);
  virtual void GlyphChanged(TObject* Sender);
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void UpdateExclusive();
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMTextChanged(TMessage& Message);

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter)
  MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave)
  MESSAGE_HANDLER(CM_ENABLEDCHANGED, CMEnabledChanged)
  MESSAGE_HANDLER(CM_TEXTCHANGED, CMTextChanged)
  MESSAGE_MAP_END

 protected:
  // What the button shows: up, disabled, pressed or latched down.
  TButtonState FState = bsUp;
  bool mouseInControl_ = false;

 private:
  TButtonGlyph glyph_;
  TButtonLayout layout_ = blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
  bool flat_ = false;
  bool transparent_ = true;
  bool down_ = false;
  int groupIndex_ = 0;
  bool allowAllUp_ = false;
  bool dragging_ = false;
};

// ---- TBitBtn -------------------------------------------------------------------------------------

class TBitBtn : public TButton {
  DECLARE_CLASS(TBitBtn, TButton)
 public:
  explicit TBitBtn(TComponent* AOwner);
  TBitmap* Glyph() { return glyph_.Glyph(); }
  void SetGlyph(TBitmap* Value) { glyph_.Glyph()->Assign(Value); }
  TNumGlyphs NumGlyphs() const { return glyph_.NumGlyphs(); }
  void SetNumGlyphs(TNumGlyphs Value);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout Value);
  int Margin() const { return margin_; }
  void SetMargin(int Value);
  int Spacing() const { return spacing_; }
  void SetSpacing(int Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void SetButtonStyle(bool ADefault) override;
  void WndProc(TMessage& Message) override;
  void CNDrawItem(TMessage& Message);

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(CN_DRAWITEM, CNDrawItem)
  MESSAGE_MAP_END

 private:
  TButtonGlyph glyph_;
  TButtonLayout layout_ = blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
  bool isDefault_ = false;
};
