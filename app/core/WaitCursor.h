#pragma once
// The nested hourglass: the first begin shows it, the matching last end restores the default
// cursor; an end without a begin does nothing.

void BeginWaitCursor();
void EndWaitCursor();
// The current nesting depth.
int WaitCursorDepth();

// Begin on construction, end on destruction (also when the work in between raises).
class TWaitCursor {
 public:
  TWaitCursor() { BeginWaitCursor(); }
  ~TWaitCursor() { EndWaitCursor(); }
  TWaitCursor(const TWaitCursor&) = delete;
  TWaitCursor& operator=(const TWaitCursor&) = delete;
};
