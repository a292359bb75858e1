#include "ui/bars/customize/CustomizeLists.h"

#include <windows.h>

#include <algorithm>

std::vector<int> MoveTargets(const std::vector<int>& Selected, int Count, int Direction) {
  std::vector<int> targets;
  if (Selected.empty() || Count <= 0) return targets;
  const int k = static_cast<int>(Selected.size());
  targets.resize(Selected.size());
  if (Direction < 0) {
    const int p = std::max(Selected.front() - 1, 0);
    for (int i = 0; i < k; ++i) targets[i] = p + i;
  } else {
    const int q = std::min(Selected.back() + 1, Count - 1);
    for (int i = 0; i < k; ++i) targets[i] = q - (k - 1) + i;
  }
  return targets;
}

void MoveSelectedEntries(const std::vector<int>& Selected, int Count, int Direction,
                         const std::function<void(int From, int To)>& Move) {
  const std::vector<int> targets = MoveTargets(Selected, Count, Direction);
  const int k = static_cast<int>(targets.size());
  // Up: each entry lies at or below its target and the ones before it are placed already; down the
  // same from the end.
  if (Direction < 0) {
    for (int i = 0; i < k; ++i) {
      if (Selected[i] != targets[i]) Move(Selected[i], targets[i]);
    }
  } else {
    for (int i = k - 1; i >= 0; --i) {
      if (Selected[i] != targets[i]) Move(Selected[i], targets[i]);
    }
  }
}

bool CanMoveSelectionUp(const std::vector<bool>& Selected) {
  const auto k = std::count(Selected.begin(), Selected.end(), true);
  return !std::all_of(Selected.begin(), Selected.begin() + k, [](bool b) { return b; });
}

bool CanMoveSelectionDown(const std::vector<bool>& Selected) {
  const auto k = std::count(Selected.begin(), Selected.end(), true);
  return !std::all_of(Selected.end() - k, Selected.end(), [](bool b) { return b; });
}

int EntryAfterDelete(const std::vector<bool>& Selected, int ItemIndex) {
  const int count = static_cast<int>(Selected.size());
  for (int i = std::max(ItemIndex + 1, 0); i < count; ++i) {
    if (!Selected[i]) return i;
  }
  for (int i = std::min(ItemIndex, count) - 1; i >= 0; --i) {
    if (!Selected[i]) return i;
  }
  return -1;
}

int IndexAfterDelete(const std::vector<bool>& Selected, int Entry) {
  if (Entry < 0) return -1;
  return Entry - static_cast<int>(std::count(Selected.begin(), Selected.begin() + Entry, true));
}

TdxWheelScroll WheelScrollFor(int Delta, unsigned ScrollLines, int EntryCount) {
  const bool up = Delta > 0;
  if (ScrollLines == WHEEL_PAGESCROLL) return {up ? SB_PAGEUP : SB_PAGEDOWN, 1};
  const int times = static_cast<int>(std::min<unsigned>(ScrollLines, static_cast<unsigned>(std::max(EntryCount, 0))));
  return {up ? SB_LINEUP : SB_LINEDOWN, times};
}
