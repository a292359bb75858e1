#include "app/core/WaitCursor.h"

#include "platform/framework/windows/Forms.h"

namespace {
int waitCursorDepth = 0;
}

void BeginWaitCursor() {
  ++waitCursorDepth;
  Screen->SetCursor(crHourGlass);
}

void EndWaitCursor() {
  if (waitCursorDepth <= 0) return;
  if (--waitCursorDepth == 0) Screen->SetCursor(crDefault);
}

int WaitCursorDepth() { return waitCursorDepth; }
