#include <gtest/gtest.h>

#include <vector>

#include "platform/framework/base/Exceptions.h"
#include "platform/framework/classes/Lists.h"

namespace {

// Records its own destruction.
class Tracked : public TObject {
 public:
  Tracked(std::vector<int>& freed, int id) : freed_(freed), id_(id) {}
  ~Tracked() override { freed_.push_back(id_); }

 private:
  std::vector<int>& freed_;
  int id_;
};

int ByValue(void* a, void* b) { return *static_cast<int*>(a) - *static_cast<int*>(b); }

TEST(TList, IndexOutsideTheListRaisesWithTheIndex) {
  TList list;
  int a = 1;
  list.Add(&a);
  struct Case {
    const char* what;
    void (*action)(TList&);
    const wchar_t* message;
  };
  const Case cases[] = {
      {"read past end", [](TList& l) { l.Items(1); }, L"List index out of bounds (1)"},
      {"read negative", [](TList& l) { l.Items(-1); }, L"List index out of bounds (-1)"},
      {"delete past end", [](TList& l) { l.Delete(1); }, L"List index out of bounds (1)"},
      {"insert past end", [](TList& l) { l.Insert(2, nullptr); }, L"List index out of bounds (2)"},
      {"move to past end", [](TList& l) { l.Move(0, 1); }, L"List index out of bounds (1)"},
      {"last of empty", [](TList& l) { l.Clear(); l.Last(); }, L"List index out of bounds (-1)"},
  };
  for (const Case& c : cases) {
    try {
      c.action(list);
      ADD_FAILURE() << c.what;
    } catch (const EListError& e) {
      EXPECT_EQ(e.Message(), c.message) << c.what;
    }
  }
}

TEST(TList, OrderOperations) {
  int v[] = {0, 1, 2, 3};
  TList list;
  for (int& x : v) list.Add(&x);
  list.Move(0, 3);  // 1 2 3 0
  list.Exchange(0, 1);  // 2 1 3 0
  list.Insert(1, nullptr);  // 2 _ 1 3 0
  EXPECT_EQ(list.Remove(&v[3]), 3);  // 2 _ 1 0
  list.Pack();  // 2 1 0
  std::vector<void*> expected = {&v[2], &v[1], &v[0]};
  EXPECT_EQ(list.List(), expected);
  list.Sort(&ByValue);
  expected = {&v[0], &v[1], &v[2]};
  EXPECT_EQ(list.List(), expected);
  list.Move(2, 0);
  expected = {&v[2], &v[0], &v[1]};
  EXPECT_EQ(list.List(), expected);
  EXPECT_EQ(list.IndexOf(&v[3]), -1);
}

TEST(TObjectList, OwningListFreesWhatLeavesItButNotWhatIsExtracted) {
  std::vector<int> freed;
  auto* kept = new Tracked(freed, 4);
  {
    TObjectList list;
    for (int id = 1; id <= 3; ++id) list.Add(new Tracked(freed, id));
    list.Add(kept);
    list.Delete(0);
    EXPECT_EQ(freed, std::vector<int>{1});
    list.Remove(list[0]);
    EXPECT_EQ(freed, (std::vector<int>{1, 2}));
    EXPECT_EQ(list.Extract(kept), kept);
    list.SetItems(0, new Tracked(freed, 5));  // replaces 3
    EXPECT_EQ(freed, (std::vector<int>{1, 2, 3}));
  }
  EXPECT_EQ(freed, (std::vector<int>{1, 2, 3, 5}));
  delete kept;
}

TEST(TObjectList, NonOwningListFreesNothing) {
  std::vector<int> freed;
  Tracked a(freed, 1), b(freed, 2);
  {
    TObjectList list(false);
    list.Add(&a);
    list.Add(&b);
    list.Delete(0);
    list.Clear();
  }
  EXPECT_TRUE(freed.empty());
}

TEST(TObjectList, FindInstanceOfHonoursExactness) {
  TObjectList list;
  list.Add(new TObject);
  list.Add(new TList);
  EXPECT_EQ(list.FindInstanceOf(&TObject::ClassInfo()), 0);
  EXPECT_EQ(list.FindInstanceOf(&TObject::ClassInfo(), true, 1), -1);
  EXPECT_EQ(list.FindInstanceOf(&TObject::ClassInfo(), false, 1), 1);
  EXPECT_EQ(list.FindInstanceOf(&TList::ClassInfo(), false), 1);
  EXPECT_EQ(list.FindInstanceOf(&TObjectList::ClassInfo(), false), -1);
}

}  // namespace
