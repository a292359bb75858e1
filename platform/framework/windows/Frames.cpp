#include "platform/framework/windows/Frames.h"

DEFINE_CLASS(TCustomFrame)
DEFINE_CLASS(TFrame)

TCustomFrame::TCustomFrame(TComponent* AOwner) : TWinControl(AOwner) {
  ControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  SetBounds(0, 0, 320, 240);
  SetParentColor(true);
}
