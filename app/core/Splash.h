#pragma once
// TSplashForm: the picture "splash.png" from the executable's folder as a borderless, top-most
// window with per-pixel alpha. Shown modeless while the program starts (clicks do nothing) and
// modally as the version box (AboutMode: a click closes it with OK).

#include "platform/framework/windows/Forms.h"

class TSplashForm : public TForm {
  DECLARE_CLASS(TSplashForm, TForm)
 public:
  explicit TSplashForm(TComponent* AOwner);

  bool AboutMode = false;
  // Source-over, per-pixel alpha; the constant alpha is set by DrawLayeredImage.
  BLENDFUNCTION Blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};

  void FormCreate(TObject* Sender);
  void FormClick(TObject* Sender);
  void FormDblClick(TObject* Sender);
  void FormMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

  // Shows the picture as the window's layered content at the picture's size, keeping the
  // window's position, with opacity in percent (outside 0..100: 100). A picture that cannot be
  // read leaves the window as it is.
  void DrawLayeredImage(const String& ImagePath, int OpacityPercent);
};

// Percent to the layered window's constant alpha: outside 0..100 counts as 100, then x 2.55
// rounded.
Byte SplashConstantAlpha(int opacityPercent);
