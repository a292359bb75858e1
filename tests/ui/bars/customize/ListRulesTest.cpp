// The customizing form's list rules: moves, the entry selected after a delete, which moves are
// offered, and the wheel's scroll messages.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "ui/bars/customize/CustomizeLists.h"

namespace {

std::vector<bool> Flags(int Count, std::vector<int> Selected) {
  std::vector<bool> flags(Count, false);
  for (int i : Selected) flags[i] = true;
  return flags;
}

// Applies the moves to a list of letters, as a collection's index change would.
std::vector<char> Moved(int Count, const std::vector<int>& Selected, int Direction) {
  std::vector<char> list;
  for (int i = 0; i < Count; ++i) list.push_back(char('a' + i));
  MoveSelectedEntries(Selected, Count, Direction, [&](int From, int To) {
    const char c = list[From];
    list.erase(list.begin() + From);
    list.insert(list.begin() + To, c);
  });
  return list;
}

}  // namespace

TEST(CustomizeLists, MovesCloseUpTheSelection) {
  struct Case {
    std::vector<int> selected;
    int direction;
    std::vector<char> expected;
  } cases[] = {
      {{0, 2}, -1, {'a', 'c', 'b', 'd', 'e'}},  // the first stays at 0, the second closes up behind it
      {{1, 3}, -1, {'b', 'd', 'a', 'c', 'e'}},
      {{2, 4}, +1, {'a', 'b', 'd', 'c', 'e'}},  // the last stays at the end
      {{1, 2}, +1, {'a', 'd', 'b', 'c', 'e'}},
      {{0, 4}, +1, {'b', 'c', 'd', 'a', 'e'}},
  };
  for (const Case& c : cases) EXPECT_EQ(Moved(5, c.selected, c.direction), c.expected) << c.selected[0];
  EXPECT_EQ(MoveTargets({0, 2}, 5, -1), (std::vector<int>{0, 1}));
}

TEST(CustomizeLists, MovesAreOfferedUnlessTheSelectionIsAtTheEnd) {
  struct Case {
    std::vector<int> selected;
    bool up, down;
  } cases[] = {
      {{}, false, false}, {{0}, false, true}, {{0, 1}, false, true}, {{0, 2}, true, true},
      {{4}, true, false}, {{3, 4}, true, false}, {{1, 3}, true, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CanMoveSelectionUp(Flags(5, c.selected)), c.up) << c.selected.size();
    EXPECT_EQ(CanMoveSelectionDown(Flags(5, c.selected)), c.down) << c.selected.size();
  }
}

TEST(CustomizeLists, TheEntryAfterADeleteIsTheNextUnselectedOne) {
  struct Case {
    std::vector<int> selected;
    int itemIndex, entry, indexAfter;
  } cases[] = {
      {{1}, 1, 2, 1},          // the next one, which moves up into the gap
      {{3, 4}, 4, 2, 2},       // the last ones: the nearest before them
      {{0, 1, 2, 3, 4}, 2, -1, -1},
      {{1, 3}, 1, 2, 1},
  };
  for (const Case& c : cases) {
    const std::vector<bool> flags = Flags(5, c.selected);
    const int entry = EntryAfterDelete(flags, c.itemIndex);
    EXPECT_EQ(entry, c.entry) << c.itemIndex;
    EXPECT_EQ(IndexAfterDelete(flags, entry), c.indexAfter) << c.itemIndex;
  }
}

TEST(CustomizeLists, TheWheelScrollsAPageForThePageSettingAndAtMostTheEntries) {
  struct Case {
    int delta;
    unsigned lines;
    int entries, code, times;
  } cases[] = {
      {120, 3, 20, SB_LINEUP, 3},
      {-120, 3, 20, SB_LINEDOWN, 3},
      {120, WHEEL_PAGESCROLL, 20, SB_PAGEUP, 1},   // not four thousand million line steps
      {-120, WHEEL_PAGESCROLL, 20, SB_PAGEDOWN, 1},
      {-120, 100000, 7, SB_LINEDOWN, 7},
      {120, 0, 7, SB_LINEUP, 0},
  };
  for (const Case& c : cases) {
    const TdxWheelScroll s = WheelScrollFor(c.delta, c.lines, c.entries);
    EXPECT_EQ(s.Code, c.code) << c.lines;
    EXPECT_EQ(s.Times, c.times) << c.lines;
  }
}
