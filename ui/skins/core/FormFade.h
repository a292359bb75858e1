#pragma once
// Control imaging and the form fade: drawing a control tree into a bitmap, painting the graphic
// children of a skinned parent over its cached background, and fading a form from its old look to
// its new one through an overlay window.

#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/windows/Controls.h"
#include "platform/framework/windows/Forms.h"

// The overlay that shows the fade: a popup owned by the application window when it has no parent.
class TOutputWindow : public TCustomControl {
  DECLARE_CLASS(TOutputWindow, TCustomControl)
 public:
  explicit TOutputWindow(TComponent* owner);

 protected:
  void CreateParams(TCreateParams& params) override;
  void WMEraseBkgnd(TMessage& message) { message.Result = 1; }

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd)
  MESSAGE_MAP_END
};

// The overlay of a running form fade, or none.
TOutputWindow* FadeOverlay();

// The device context of the offscreen image while a fade renders the new look; none otherwise.
extern HDC PaintTargetDC;

// The wait between two blended frames of a fade (milliseconds); replaceable so tests count frames.
using TFadeWait = void (*)(DWORD milliseconds);
TFadeWait SetFadeWait(TFadeWait wait);
// One wait between two blended frames, through the replaceable wait (the hints' fade-in too).
void FadeStepWait(DWORD milliseconds);

void PaintControlTo(TBitmap* bmp, TControl* control, int x, int y);
// Paints the parent's graphic children over its cache into DC. A target with an empty clip box marks
// the parent out of view, so its next paint rebuilds its face; a parent with windowed children only
// has nothing here to paint, and its windowed children covering it are not taken for its being out
// of view.
void PaintGraphicChildren(HDC dc, TWinControl* parent, TPoint offset);
// Frees the offscreen image PaintGraphicChildren keeps between paints (unit end).
void ReleasePaintScratch();
bool GraphicChildVisible(TControl* control, HDC dc);
void PrepareAnimation(TCustomForm* form);
void AnimateForm(TCustomForm* form, int time);
