// Item-identifier lists and shell folder objects, with the unit's start and end run by the tests.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "ui/skins/shell/ShellFolders.h"

namespace {

// A list of items with the given total sizes (count included), each filled with its index.
LPITEMIDLIST MakeList(std::initializer_list<int> sizes) {
  int total = 2;
  for (int size : sizes) total += size;
  LPITEMIDLIST list = AllocItemIdList(total);
  auto* bytes = reinterpret_cast<Byte*>(list);
  int at = 0, index = 0;
  for (int size : sizes) {
    const std::uint16_t count = std::uint16_t(size);
    std::memcpy(bytes + at, &count, 2);
    std::memset(bytes + at + 2, 0x40 + index++, size_t(size - 2));
    at += size;
  }
  return list;
}

std::vector<Byte> BytesOf(LPCITEMIDLIST list) {
  auto* bytes = reinterpret_cast<const Byte*>(list);
  return std::vector<Byte>(bytes, bytes + ItemIdListSize(list));
}

class ShellFolders : public testing::Test {
 protected:
  void SetUp() override { StartShellFolders(); }
  void TearDown() override { EndShellFolders(); }
};

TEST_F(ShellFolders, ListsAreMeasuredCopiedAndJoined) {
  LPITEMIDLIST empty = MakeList({});
  LPITEMIDLIST a = MakeList({5, 7});
  LPITEMIDLIST b = MakeList({9});
  EXPECT_EQ(ItemIdListSize(nullptr), 0);
  EXPECT_EQ(ItemIdListSize(empty), 2);
  EXPECT_EQ(ItemIdListSize(a), 14);
  EXPECT_EQ(reinterpret_cast<Byte*>(NextItemId(a)) - reinterpret_cast<Byte*>(a), 5);

  LPITEMIDLIST copy = ConcatItemIdLists(nullptr, b);
  EXPECT_EQ(BytesOf(copy), BytesOf(b));
  LPITEMIDLIST joined = ConcatItemIdLists(a, b);
  EXPECT_EQ(ItemIdListSize(joined), 14 + 11 - 2);
  std::vector<Byte> expected = BytesOf(a);
  expected.resize(expected.size() - 2);
  const std::vector<Byte> tail = BytesOf(b);
  expected.insert(expected.end(), tail.begin(), tail.end());
  EXPECT_EQ(BytesOf(joined), expected);
  LPITEMIDLIST twin = CopyItemIdList(a);
  EXPECT_EQ(BytesOf(twin), BytesOf(a));
  for (LPITEMIDLIST list : {empty, a, b, copy, joined, twin}) FreeItemIdList(list);
}

TEST_F(ShellFolders, TheDesktopAndItsChildrenAreLevelZeroAndAGrandchildLevelOne) {
  TacShellFolder* desktop = DesktopShellFolder();
  ASSERT_NE(desktop, nullptr);
  EXPECT_EQ(desktop->Level(), 0);
  EXPECT_EQ(desktop->Parent(), nullptr);
  EXPECT_EQ(ItemIdListSize(desktop->AbsoluteList()), 2) << "the desktop's own list is empty";

  LPITEMIDLIST one = MakeList({6});
  LPITEMIDLIST two = MakeList({8});
  // Without a parent the desktop becomes it.
  ObjectPtr<TacShellFolder> child(new TacShellFolder(nullptr, desktop->Folder(), one));
  EXPECT_EQ(child->Parent(), desktop);
  EXPECT_EQ(child->Level(), 0);
  ObjectPtr<TacShellFolder> grandchild(new TacShellFolder(child.get(), desktop->Folder(), two));
  EXPECT_EQ(grandchild->Level(), 1);
  EXPECT_EQ(ItemIdListSize(grandchild->RelativeList()), 10);
  EXPECT_EQ(ItemIdListSize(grandchild->AbsoluteList()), 2 + 6 + 8);
  EXPECT_TRUE(grandchild->Strings() && grandchild->Strings()->Count() == 0);
  FreeItemIdList(one);
  FreeItemIdList(two);
}

TEST_F(ShellFolders, TheUnitEndFreesTheDesktopAndCanStartAgain) {
  EndShellFolders();
  EXPECT_EQ(DesktopShellFolder(), nullptr);
  StartShellFolders();
  EXPECT_NE(DesktopShellFolder(), nullptr);
}

}  // namespace
