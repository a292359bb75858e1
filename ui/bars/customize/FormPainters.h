#pragma once
// The painters of the customizing dialog's command list: one entry of an item drawn in the look of
// the bar style in use. Stateless: one object per look, every operation virtual.

#include "platform/framework/graphics/Graphics.h"
#include "ui/bars/BarTypes.h"

class TdxBarItem;

class TdxBarCustomizingFormPainter {
 public:
  virtual ~TdxBarCustomizingFormPainter() = default;
  // The item's caption as wide as its text; R.left becomes the right edge of the drawn area.
  virtual void DrawItemCaption(TCanvas* Canvas, TRect& R, bool Selected, TdxBarItem* Item) const;
  // Frames the edit area and shrinks R.
  virtual void DrawEditFrame(TCanvas* Canvas, TRect& R, bool Selected, TdxBarItem* Item) const;
  virtual void DrawEditContent(TCanvas* Canvas, TRect R, bool WithButton, bool Selected, TdxBarItem* Item) const;
  // Fills and draws the text; R.right becomes the end of the filled area.
  virtual void DrawCaptionText(TCanvas* Canvas, TRect& R, bool Selected, TdxBarItem* Item, const String& Text) const;
  virtual void DrawItemContent(TCanvas* Canvas, const TRect& R, bool Selected, TdxBarItem* Item) const;
  virtual void DrawSubItemArrow(TCanvas* Canvas, int X, bool Selected, int Y) const;
  virtual TColor EntryBackColor(bool Selected, TdxBarItem* Item) const;
  // The whole entry of a button-like item.
  virtual void DrawButtonItem(TCanvas* Canvas, const TRect& R, bool Selected, const String& Text,
                              TdxBarItem* Item) const;
  virtual void DrawDropDownButton(TCanvas* Canvas, TdxBarItem* Item, bool Selected, TRect R) const;
  virtual void DrawEditLikeItem(TCanvas* Canvas, TRect R, bool WithButton, bool Selected, TdxBarItem* Item) const;
  virtual void DrawFocusFrame(TCanvas* Canvas, const TRect& R, TdxBarItem* Item) const;
  virtual TColor EntryTextColor(bool Selected) const;
  virtual TColor ListBackColor() const { return clBtnFace; }
  virtual int DropDownButtonWidth() const { return 12; }

  // The width of the glyph box at the left of a button entry, and where the text area starts.
  static constexpr int GlyphBoxWidth = 23;
  static constexpr int TextAreaLeft = 24;

 protected:
  // The glyph (or image) centred in Box.
  void DrawGlyph(TCanvas* Canvas, TdxBarItem* Item, const TRect& Box) const;
  static bool HasGlyph(TdxBarItem* Item);
  static bool IsDropDownButton(TdxBarItem* Item);
  static bool IsContainer(TdxBarItem* Item);
  static bool IsSubItem(TdxBarItem* Item);
  void FillRect(TCanvas* Canvas, const TRect& R, TColor Color) const;
};

class TdxBarCustomizingFormStandardPainter : public TdxBarCustomizingFormPainter {
 public:
  void DrawFocusFrame(TCanvas* Canvas, const TRect& R, TdxBarItem* Item) const override;
};

class TdxBarCustomizingFormFlatPainter : public TdxBarCustomizingFormPainter {
 public:
  void DrawEditFrame(TCanvas* Canvas, TRect& R, bool Selected, TdxBarItem* Item) const override;
  void DrawCaptionText(TCanvas* Canvas, TRect& R, bool Selected, TdxBarItem* Item, const String& Text) const override;
  TColor EntryBackColor(bool Selected, TdxBarItem* Item) const override;
  void DrawButtonItem(TCanvas* Canvas, const TRect& R, bool Selected, const String& Text,
                      TdxBarItem* Item) const override;
  void DrawDropDownButton(TCanvas* Canvas, TdxBarItem* Item, bool Selected, TRect R) const override;
  void DrawFocusFrame(TCanvas*, const TRect&, TdxBarItem*) const override {}
  TColor EntryTextColor(bool Selected) const override;

 protected:
  // The frame colour of a selected entry and of an unselected edit frame.
  virtual TColor SelectionFrameColor() const;
  virtual TColor FrameColor() const;
  // The glyph band at the left of an unselected entry.
  virtual void FillGlyphBand(TCanvas* Canvas, const TRect& Band, TdxBarItem* Item) const;
  virtual TColor UnselectedTextColor() const { return clBtnText; }
};

class TdxBarCustomizingFormOffice11Painter : public TdxBarCustomizingFormFlatPainter {
 public:
  void DrawCaptionText(TCanvas* Canvas, TRect& R, bool Selected, TdxBarItem* Item, const String& Text) const override;
  TColor EntryBackColor(bool Selected, TdxBarItem* Item) const override;
  TColor ListBackColor() const override;

 protected:
  TColor SelectionFrameColor() const override;
  TColor FrameColor() const override;
  void FillGlyphBand(TCanvas* Canvas, const TRect& Band, TdxBarItem* Item) const override;
  TColor UnselectedTextColor() const override;
};

class TdxBarCustomizingFormXPPainter : public TdxBarCustomizingFormPainter {
 public:
  void DrawEditFrame(TCanvas* Canvas, TRect& R, bool Selected, TdxBarItem* Item) const override;
  void DrawItemContent(TCanvas* Canvas, const TRect& R, bool Selected, TdxBarItem* Item) const override;
  void DrawDropDownButton(TCanvas* Canvas, TdxBarItem* Item, bool Selected, TRect R) const override;
  void DrawFocusFrame(TCanvas* Canvas, const TRect& R, TdxBarItem* Item) const override;
  int DropDownButtonWidth() const override { return 13; }
};

// The painter of a bar painter class's exact class (the standard one for any other).
const TdxBarCustomizingFormPainter& CustomizingFormPainterFor(TClass BarPainterClass);

// An item's entry in the active dialog's look: Kind 0 an edit entry, 1 an edit entry with a drop-down
// button, any other a button entry with the caption without accelerators.
void DrawCustomizingEntry(TCanvas* Canvas, const TRect& R, int Kind, bool Selected, TdxBarItem* Item);
