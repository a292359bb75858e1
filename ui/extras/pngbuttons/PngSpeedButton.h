#pragma once
// TPngSpeedButton: the framework's speed button with a PNG picture as its glyph, drawn
// alpha-blended beside the caption, faded and/or grey while the button is disabled.

#include "platform/framework/controls/Buttons.h"
#include "ui/extras/png/PngObject.h"
#include "ui/extras/pngbuttons/PngFunctions.h"

class TPngSpeedButton : public TSpeedButton {
  DECLARE_CLASS(TPngSpeedButton, TSpeedButton)
 public:
  explicit TPngSpeedButton(TComponent* AOwner);
  ~TPngSpeedButton() override;

  // The owned picture. Setting copies Value (null or an empty picture empties it); RGB and palette
  // pictures then lose their gamma chunk, since the copy already shows gamma-corrected colours.
  TPNGObject* PngImage() const { return pngImage_.get(); }
  void SetPngImage(TPNGObject* Value);
  // The disabled look; the default is [pngBlendOnDisabled].
  TPngOptions PngOptions() const { return pngOptions_; }
  void SetPngOptions(TPngOptions Value);
  // The picture was copied from the action's image list (and is not stored with the form).
  bool ImageFromAction() const { return imageFromAction_; }
  void SetImageFromAction(bool Value) { imageFromAction_ = Value; }

  void Loaded() override;

 protected:
  void Paint() override;
  void ActionChange(TObject* Sender, bool CheckDefaults) override;
  // "PngImage.Data": the picture's PNG file, unless it came from the action.
  void DefineProperties(TFiler& Filer) override;

 private:
  // The inherited glyph becomes a button-face bitmap of the picture's size, so the inherited
  // painting keeps room for the picture around the caption without showing anything there.
  void PrepareBlankGlyph();
  void PictureChanged();
  TPNGObject* DisabledLook();
  void ReadPngData(TStream& Stream);
  void WritePngData(TStream& Stream);

  ObjectPtr<TPNGObject> pngImage_;
  TPngOptions pngOptions_{pngBlendOnDisabled};
  bool imageFromAction_ = false;
  // The disabled look of the picture, made on the first disabled paint after a change.
  ObjectPtr<TPNGObject> disabledLook_;
};
