#pragma once
// The colour combo: sixteen named colours (optionally an automatic colour first) with a swatch each,
// and a custom colour chosen in the system colour dialog through its own button (part 4) or
// Ctrl+Enter. Color and the selected entry follow each other; a colour without an entry leaves no
// entry selected and shows CustomColorText.

#include "ui/bars/BarEditControls.h"

class TColorDialog;

class TdxBarColorCombo : public TdxBarCustomCombo {
  DECLARE_CLASS(TdxBarColorCombo, TdxBarCustomCombo)
 public:
  static constexpr int ColorCount = 16;
  static constexpr int SwatchWidth = 30;
  explicit TdxBarColorCombo(TComponent* AOwner);

  TColor Color() const { return color_; }
  void SetColor(TColor Value);
  TColor AutoColor() const { return autoColor_; }
  void SetAutoColor(TColor Value);
  const String& AutoColorText() const { return autoColorText_; }
  void SetAutoColorText(const String& Value);
  const String& CustomColorText() const { return customColorText_; }
  void SetCustomColorText(const String& Value);
  bool ShowAutoColor() const { return showAutoColor_; }
  void SetShowAutoColor(bool Value);
  bool ShowCustomColorButton() const { return showCustomColorButton_; }
  void SetShowCustomColorButton(bool Value);
  int DefaultDropDownCount() const { return ColorCount + (showAutoColor_ ? 1 : 0); }

  // The list index of the colour: 0 for the automatic colour itself, else the first table colour of
  // the same RGB value; -1 when none.
  int IndexOfColor(TColor Value) const;
  // The colour of a list index; any index outside the list gives the current Color.
  TColor ColorOfIndex(int Index) const;

  // Raised while the item sets the entry for a colour: the entry change keeps Color as it is.
  int ColorUpdateLock = 0;
  // The colour the next opening of the colour dialog starts from (once).
  bool UsePickedColor = false;
  TColor PickedColor = clBlack;

  void Change() override;
  // After the ordinary click run as a command (not by a control opening its editor), without an
  // OnClick handler and unless ReadOnly: the colour dialog.
  void Click() override;
  void DrawListItem(TdxBarPainter* Painter, int Index, TOwnerDrawState State, const TRect& R) override;
  void MeasureListItem(int Index, int& Height) override;
  void ListItemWidth(int Index, int& Width) override;

 private:
  void SelectEntryOfColor();
  TColor color_ = clBlack;
  TColor autoColor_ = clWindowText;
  String autoColorText_, customColorText_;
  bool showAutoColor_ = false;
  bool showCustomColorButton_ = false;
};

class TdxBarColorComboControlDrawParams : public TdxBarEditLikeControlDrawParams {
  DECLARE_CLASS(TdxBarColorComboControlDrawParams, TdxBarEditLikeControlDrawParams)
 public:
  using TdxBarEditLikeControlDrawParams::TdxBarEditLikeControlDrawParams;
  bool ButtonPressed = false;
  bool ButtonShown = false;
};

class TdxBarColorComboControl : public TdxBarComboControl {
  DECLARE_CLASS(TdxBarColorComboControl, TdxBarComboControl)
 public:
  static constexpr int CustomColorButtonPart = 4;
  using TdxBarComboControl::TdxBarComboControl;
  TdxBarColorCombo* ColorCombo() const;
  bool Pressed() const { return pressed_; }

  int PartCount() const override { return TdxBarComboControl::PartCount() + 1; }
  TdxBarItemControlDrawParams* CreateDrawParams() override { return new TdxBarColorComboControlDrawParams(this); }
  void CalcDrawParams(bool Full) override;
  void CalcPainterParts(const TdxBarEditLayoutInput& In, std::vector<TRect>& Parts) override;
  void DrawInterior() override;
  bool IsDrawnSelected() const override;
  void EditWindowProc(TMessage& Message) override;
  // The press on part 4 or Ctrl+Enter: the dialog starts from the highlighted entry's colour; the
  // button shows pressed on a toolbar while the item's click runs, a menu closes first.
  void RunCustomColorCommand();

 private:
  bool pressed_ = false;
};

// The colour dialog the colour combos share; made on first use.
TColorDialog* dxBarColorDialog();
void FreeBarColorDialog();
