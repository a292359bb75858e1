#pragma once
// The static item: a label on bars and in menus with an optional glyph, text alignment, indents, a
// fixed size and a border; it fires OnClick only when AllowClick is set.

#include "platform/framework/controls/StdCtrls.h"
#include "ui/bars/BarItems.h"

class TdxBarStatic : public TdxBarItem {
  DECLARE_CLASS(TdxBarStatic, TdxBarItem)
 public:
  explicit TdxBarStatic(TComponent* AOwner);

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value);
  bool AllowClick = false;
  TdxBarStaticBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TdxBarStaticBorderStyle Value);
  // 0: measured. Negative values are stored as 0.
  int Height() const { return sizes_[3]; }
  void SetHeight(int Value) { SetSize(4, Value); }
  int LeftIndent() const { return sizes_[0]; }
  void SetLeftIndent(int Value) { SetSize(1, Value); }
  int RightIndent() const { return sizes_[1]; }
  void SetRightIndent(int Value) { SetSize(2, Value); }
  int GetWidth() const override { return sizes_[2]; }
  void SetWidth(int Value) override { SetSize(3, Value); }

  bool CanClick() const override { return AllowClick; }

 private:
  // Index 1 LeftIndent, 2 RightIndent, 3 Width, 4 Height.
  void SetSize(int Index, int Value);

  TAlignment alignment_ = taCenter;
  TdxBarStaticBorderStyle borderStyle_ = sbsNone;
  int sizes_[4] = {};
};

class TdxBarStaticControl : public TdxBarCustomStaticControl {
  DECLARE_CLASS(TdxBarStaticControl, TdxBarCustomStaticControl)
 public:
  using TdxBarCustomStaticControl::TdxBarCustomStaticControl;
  TdxBarStatic* StaticItem() const { return dynamic_cast<TdxBarStatic*>(LinkedItem()); }
  // The border's widths on each side (none without a painter).
  TRect BorderMargins() const;

  bool ActsAsButton() const override;
  bool FiresItemClick() const override;
  bool CanSelect() const override;
  bool CanSelectForKeyboard() const override;
  void SizeAffectingChange() override;
  void CalcDrawParams(bool Full) override;
  void DrawContent(const TRect& R, int PaintType) override;
  int Height() override;
  int Width() override;

 protected:
  // The sizes along a horizontal bar (a vertical bar swaps them).
  int StaticHeight();
  int StaticWidth();
  // The glyph cell along and across the bar for the view size.
  int GlyphCellHeight();
  int GlyphCellWidth();
};
