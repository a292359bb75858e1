#include "platform/audio/editor/EditorMouse.h"

#include <cstdlib>

bool EditorMouse::PressMakesDoubleClick(POINT p, UInt64 tick) {
  const bool close = std::abs(p.x - lastPress_.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                     std::abs(p.y - lastPress_.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
  const bool soon = tick - lastTick_ <= GetDoubleClickTime();
  const bool isDouble = havePress_ && close && soon;
  havePress_ = !isDouble;
  lastPress_ = p;
  lastTick_ = tick;
  return isDouble;
}

std::int64_t EditorMouse::ExtendAnchor(std::int64_t selectionStart, std::int64_t selectionEnd, std::int64_t frame) {
  return frame - selectionStart < selectionEnd - frame ? selectionEnd : selectionStart;
}
