#pragma once
// Subclass objects for the standard windows without scroll bars: static texts, icons and links,
// push buttons, check boxes and radio buttons, and group boxes. Each builds the window's whole face
// in the skin data's cache bitmap, copies the cache to the screen, swallows the background erase
// and hands everything else to the window's previous handler through TacMainWnd.

#include "ui/skins/windows/SubclassWnd.h"

// The style of the check box being painted (its glyph names follow the button type).
extern DWORD CheckBoxPaintStyle;

// Static texts. A static with a tab stop or a static edge is left alone.
class TacStaticWnd : public TacMainWnd {
  DECLARE_CLASS(TacStaticWnd, TacMainWnd)
 public:
  using TacMainWnd::TacMainWnd;
  void ProcessMessage(TMessage& message) override;
  // Draws the content over the section's face in the cache.
  virtual void PaintContent();
  // False for the statics that stay unskinned.
  bool Skinnable() const;

 protected:
  void Paint(HDC dc);
};

// Icon statics: the STM_GETICON icon at the top left.
class TacIconWnd : public TacStaticWnd {
  DECLARE_CLASS(TacIconWnd, TacStaticWnd)
 public:
  using TacStaticWnd::TacStaticWnd;
  void PaintContent() override;
};

// Link windows: the caption without its anchor tags.
class TacLinkWnd : public TacStaticWnd {
  DECLARE_CLASS(TacLinkWnd, TacStaticWnd)
 public:
  using TacStaticWnd::TacStaticWnd;
  void PaintContent() override;
};

// Push buttons.
class TacBtnWnd : public TacMainWnd {
  DECLARE_CLASS(TacBtnWnd, TacMainWnd)
 public:
  using TacMainWnd::TacMainWnd;
  void ProcessMessage(TMessage& message) override;

  // 2 pushed, 0 disabled, 1 focused, active or default, else 0.
  int ButtonState() const;
  virtual void DrawCaption();
  virtual void PaintGlyph() {}
  virtual void GetGlyphSize(TSize& size) { size = TSize{0, 0}; }
  virtual void DrawCaptionText(TRect r, UINT flags);
  virtual void CalcCaptionRect(TRect& r);
  virtual int GetMaxCaptionWidth();
  virtual void GetCaptionSize(TSize& size);
  virtual void PrepareCache();

 protected:
  void Repaint();
  // WM_SETREDRAW off, the base handling, WM_SETREDRAW on, then a repaint.
  void RedrawLocked(TMessage& message);
  void Paint(HDC given);
  void HotTracking();
};

// Bitmap buttons: the owner control's glyph (a framework bitmap button) or the BM_GETIMAGE bitmap's
// recorded size beside the caption.
class TacBitBtnWnd : public TacBtnWnd {
  DECLARE_CLASS(TacBitBtnWnd, TacBtnWnd)
 public:
  using TacBtnWnd::TacBtnWnd;
  void PaintGlyph() override;
  void GetGlyphSize(TSize& size) override;
  void CalcCaptionRect(TRect& r) override;
  int GetMaxCaptionWidth() override;
  // Where the glyph goes; empty without one.
  TRect GlyphRect();
};

// Check boxes and radio buttons.
class TacCheckBoxWnd : public TacMainWnd {
  DECLARE_CLASS(TacCheckBoxWnd, TacMainWnd)
 public:
  using TacMainWnd::TacMainWnd;
  void ProcessMessage(TMessage& message) override;
  // 2 indeterminate, 1 checked, 0 clear.
  int CheckState() const;
  // The GLOBALINFO glyph entry for the style and check state: radio names for the radio button
  // types, box names for every other type.
  static const wchar_t* GlyphName(DWORD style, int checkState);
  // The glyph's size from its entry (the skin is never changed).
  static TSize GlyphSize(const TsMaskData& mask);
  void PrepareCache(bool parentReady);

 private:
  void Paint(HDC given);
};

// Group boxes: the caption band over the parent's image, the section below its middle.
class TacGroupBoxWnd : public TacMainWnd {
  DECLARE_CLASS(TacGroupBoxWnd, TacMainWnd)
 public:
  using TacMainWnd::TacMainWnd;
  void ProcessMessage(TMessage& message) override;
  // (6, 0, text width + 14, Max (4, text height) + 2), no wider than the window less 1.
  TRect CaptionRect();
  void PrepareCache();

 private:
  void Paint(HDC given, LPARAM lParam);
  HFONT WindowFont() const;
};
