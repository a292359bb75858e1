#pragma once
// TFrame: a windowed container with children of its own, built like a small form but placed as a
// control. It can be parented to any windowed control (a form, a panel, a hint window) or to a
// foreign window through ParentWindow, and moved from one parent to another with its children.

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(WINDOWS);

#include "platform/framework/windows/Controls.h"

class TCustomFrame : public TWinControl {
  DECLARE_CLASS(TCustomFrame, TWinControl)
 public:
  explicit TCustomFrame(TComponent* AOwner);
};

class TFrame : public TCustomFrame {
  DECLARE_CLASS(TFrame, TCustomFrame)
 public:
  using TCustomFrame::TCustomFrame;
};
