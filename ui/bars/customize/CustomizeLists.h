#pragma once
// The list rules of the customizing form: which entries move where, which entry is selected after a
// delete, which moves are offered, and how far the wheel scrolls a list.

#include <functional>
#include <vector>

// Where the selected entries (ascending indices into a list of Count entries) go when moved by
// Direction (-1 up, +1 down): up, the first goes one place up (not above 0) and the others close up
// behind it; down, the last goes one place down (not below the end) and the others close up before it.
std::vector<int> MoveTargets(const std::vector<int>& Selected, int Count, int Direction);
// Moves the entries through Move(from, to) (a collection's item index change), in an order in which
// each move leaves the positions of the entries still to move as MoveTargets expects.
void MoveSelectedEntries(const std::vector<int>& Selected, int Count, int Direction,
                         const std::function<void(int From, int To)>& Move);

// Moving up is offered unless the selection is exactly the first k entries (so never with nothing
// selected); moving down unless it is exactly the last k.
bool CanMoveSelectionUp(const std::vector<bool>& Selected);
bool CanMoveSelectionDown(const std::vector<bool>& Selected);

// The entry to select once the selected ones are gone: the first unselected entry after ItemIndex,
// else the nearest unselected one before it; -1 when none. The index is the one before the delete.
int EntryAfterDelete(const std::vector<bool>& Selected, int ItemIndex);
// That entry's index once the selected ones before it are gone.
int IndexAfterDelete(const std::vector<bool>& Selected, int Entry);

// The scroll messages one wheel notch sends a list: the code (SB_LINEUP, SB_LINEDOWN, SB_PAGEUP or
// SB_PAGEDOWN) and how many times. A page setting (WHEEL_PAGESCROLL) scrolls one page; a line count
// is capped at the list's entry count.
struct TdxWheelScroll {
  int Code = 0;
  int Times = 0;
};
TdxWheelScroll WheelScrollFor(int Delta, unsigned ScrollLines, int EntryCount);
