#pragma once
// Painted container and decoration controls: the panel, the bevel, the image and the radio group.

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(CONTROLS);

#include <memory>
#include <vector>

#include "platform/framework/windows/Forms.h"
#include "platform/framework/graphics/Graphic.h"
#include "platform/framework/controls/StdCtrls.h"

enum TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };
using TBorderStyle = TFormBorderStyle;  // bsNone or bsSingle

// Draws Width nested frames inside Rect, top and left edges in TopColor, bottom and right edges in
// BottomColor, and shrinks Rect past them.
void Frame3D(HDC DC, TRect& Rect, TColor TopColor, TColor BottomColor, int Width);

// ---- TCustomPanel --------------------------------------------------------------------------------

class TCustomPanel : public TCustomControl {
  DECLARE_CLASS(TCustomPanel, TCustomControl)
 public:
  explicit TCustomPanel(TComponent* AOwner);

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value);
  TPanelBevel BevelInner() const { return bevelInner_; }
  void SetBevelInner(TPanelBevel Value);
  TPanelBevel BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TPanelBevel Value);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int Value);
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int Value);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle Value);
  void AdjustClientRect(TRect& Rect) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  // The area inside the bevels and the border.
  TRect InnerRect();
  void CMTextChanged(TMessage& Message);

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(CM_TEXTCHANGED, CMTextChanged)
  MESSAGE_MAP_END

 private:
  void LayoutChanged();
  TAlignment alignment_ = taCenter;
  TPanelBevel bevelInner_ = bvNone;
  TPanelBevel bevelOuter_ = bvRaised;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
  TBorderStyle borderStyle_ = bsNone;
};

class TPanel : public TCustomPanel {
  DECLARE_CLASS(TPanel, TCustomPanel)
 public:
  using TCustomPanel::TCustomPanel;
};

// ---- TBevel --------------------------------------------------------------------------------------

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
  DECLARE_CLASS(TBevel, TGraphicControl)
 public:
  explicit TBevel(TComponent* AOwner);
  TBevelShape Shape() const { return shape_; }
  void SetShape(TBevelShape Value);
  TBevelStyle Style() const { return style_; }
  void SetStyle(TBevelStyle Value);

 protected:
  void Paint() override;

 private:
  TBevelShape shape_ = bsBox;
  TBevelStyle style_ = bsLowered;
};

// ---- TImage --------------------------------------------------------------------------------------

class TImage : public TGraphicControl {
  DECLARE_CLASS(TImage, TGraphicControl)
 public:
  explicit TImage(TComponent* AOwner);
  ~TImage() override;
  TPicture* Picture() { return picture_.get(); }
  void SetPicture(TPicture* Value) { picture_->Assign(Value); }
  bool Stretch() const { return stretch_; }
  void SetStretch(bool Value);
  bool Center() const { return center_; }
  void SetCenter(bool Value);
  bool Proportional() const { return proportional_; }
  void SetProportional(bool Value);
  // Draws the graphic's transparent parts as the background below it.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool Value);
  bool CanAutoSize(int& NewWidth, int& NewHeight) override;
  // Where the picture is drawn, in client coordinates.
  TRect DestRect();

 protected:
  void Paint() override;
  virtual void PictureChanged(TObject* Sender);

 private:
  std::unique_ptr<TPicture> picture_;
  bool stretch_ = false;
  bool center_ = false;
  bool proportional_ = false;
  bool transparent_ = false;
};

// ---- TRadioGroup ---------------------------------------------------------------------------------

// A group box holding one radio button per item, laid out in Columns; OnClick when the chosen item
// changes.
class TCustomRadioGroup : public TCustomGroupBox {
  DECLARE_CLASS(TCustomRadioGroup, TCustomGroupBox)
 public:
  explicit TCustomRadioGroup(TComponent* AOwner);
  ~TCustomRadioGroup() override;
  TStrings* Items() { return items_.get(); }
  void SetItems(TStrings* Value) { items_->Assign(Value); }
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int Value);
  int Columns() const { return columns_; }
  void SetColumns(int Value);
  // The radio button of an item.
  TRadioButton* Buttons(int Index) const { return buttons_.at(Index); }

 protected:
  void Resize() override;
  void ItemsChanged(TObject* Sender);
  void ButtonClicked(TObject* Sender);
  void UpdateButtons();
  void ArrangeButtons();
  void CMEnabledChanged(TMessage& Message);
  void CMFontChanged(TMessage& Message);

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(CM_ENABLEDCHANGED, CMEnabledChanged)
  MESSAGE_HANDLER(CM_FONTCHANGED, CMFontChanged)
  MESSAGE_MAP_END

 private:
  std::unique_ptr<TStringList> items_;
  std::vector<TRadioButton*> buttons_;
  int itemIndex_ = -1;
  int columns_ = 1;
  bool updating_ = false;
};

class TRadioGroup : public TCustomRadioGroup {
  DECLARE_CLASS(TRadioGroup, TCustomRadioGroup)
 public:
  using TCustomRadioGroup::TCustomRadioGroup;
};
