#pragma once
// The editor's mouse rules, apart from the window: the editor's window class has no CS_DBLCLKS, so
// it makes double clicks itself from two presses within the system's double-click time and
// rectangle; a left drag selects from the frame pressed on; Shift+click extends the selection.

#include <cstdint>

#include "platform/framework/base/Types.h"
#include "platform/framework/base/Win32.h"

class EditorMouse {
 public:
  // Records a left press at client point `p` at `tick` ms; true when it completes a double click
  // (a third press then starts counting afresh).
  bool PressMakesDoubleClick(POINT p, UInt64 tick);

  bool Dragging() const { return dragging_; }
  std::int64_t Anchor() const { return anchor_; }
  void BeginDrag(std::int64_t anchor) { dragging_ = true, anchor_ = anchor; }
  void EndDrag() { dragging_ = false; }

  // The end a Shift+click at `frame` extends the selection from: the one farther from the click.
  static std::int64_t ExtendAnchor(std::int64_t selectionStart, std::int64_t selectionEnd, std::int64_t frame);

 private:
  bool havePress_ = false;
  POINT lastPress_{0, 0};
  UInt64 lastTick_ = 0;
  bool dragging_ = false;
  std::int64_t anchor_ = 0;
};
