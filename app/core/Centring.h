#pragma once
// The one centring rule of the program: start = owner start + (owner extent - extent) / 2, with
// the division truncating toward zero (so a window larger than its owner sits one pixel further
// right or down than a rounding-down rule would put it).

class TControl;

int CentredStart(int ownerStart, int ownerExtent, int extent);

// Moves the window over the owner's bounds by that rule; its size stays.
void CentreOver(TControl* window, const TControl* owner);
// The same over the primary screen (origin 0, 0).
void CentreOnScreen(TControl* window);
