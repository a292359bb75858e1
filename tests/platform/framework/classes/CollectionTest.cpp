#include "platform/framework/classes/Collection.h"

#include <gtest/gtest.h>

namespace {

class TColumn : public TCollectionItem {
  DECLARE_CLASS(TColumn, TCollectionItem)
 public:
  explicit TColumn(TCollection* collection) : TCollectionItem(collection), Caption(L"built") {}
  ~TColumn() override { ++destroyed; }
  void Assign(TPersistent* source) override {
    if (auto* column = dynamic_cast<TColumn*>(source)) {
      Caption = column->Caption;
      return;
    }
    TCollectionItem::Assign(source);
  }
  void SetCaption(const String& value) {
    Caption = value;
    Changed(false);
  }
  String Caption;
  static inline int destroyed = 0;

 protected:
  String GetDisplayName() const override { return Caption; }
};

class TWideColumn : public TColumn {
  DECLARE_CLASS(TWideColumn, TColumn)
 public:
  using TColumn::TColumn;
};

class TRow : public TCollectionItem {
  DECLARE_CLASS(TRow, TCollectionItem)
 public:
  using TCollectionItem::TCollectionItem;
};
DEFINE_CLASS(TColumn)
DEFINE_CLASS(TWideColumn)
DEFINE_CLASS(TRow)

// Logs Update and Notify; Notify records the item's display name, which only a fully built item has.
class TLoggedColumns : public TOwnedCollection {
 public:
  TLoggedColumns(TPersistent* owner, TCollectionItemClass itemClass = &TColumn::ClassInfo())
      : TOwnedCollection(owner, itemClass) {}
  std::vector<String>* log = nullptr;

 protected:
  void Update(TCollectionItem* item) override {
    if (log) log->push_back(L"update " + (item ? item->DisplayName() : String(L"all")));
  }
  void Notify(TCollectionItem* item, TCollectionNotification action) override {
    static const wchar_t* names[] = {L"added ", L"extracting ", L"deleting "};
    if (log) log->push_back(names[action] + item->DisplayName());
  }
};

std::vector<String> Captions(const TCollection& collection) {
  std::vector<String> result;
  for (int i = 0; i < collection.Count(); ++i) result.push_back(static_cast<TColumn*>(collection.Items(i))->Caption);
  return result;
}

TEST(CollectionTest, ChangesReachNotifyAndUpdateInOrder) {
  std::vector<String> log;
  TLoggedColumns columns(nullptr);
  columns.log = &log;
  auto* first = static_cast<TColumn*>(columns.Add());
  first->SetCaption(L"A");
  columns.Insert(0);
  columns.Delete(1);
  EXPECT_EQ(log, (std::vector<String>{L"added built", L"update all", L"update A", L"added built", L"update all",
                                      L"deleting A", L"extracting A", L"update all"}));
}

TEST(CollectionTest, HeldUpdatesReportOnceAtTheEnd) {
  std::vector<String> log;
  TLoggedColumns columns(nullptr);
  columns.log = &log;
  columns.BeginUpdate();
  columns.BeginUpdate();
  static_cast<TColumn*>(columns.Add())->SetCaption(L"A");
  columns.Add();
  columns.EndUpdate();
  EXPECT_EQ(columns.UpdateCount(), 1);
  log.clear();
  columns.EndUpdate();
  EXPECT_EQ(log, std::vector<String>{L"update all"});
  log.clear();
  columns.Clear();
  EXPECT_EQ(log, (std::vector<String>{L"extracting built", L"extracting A", L"update all"}));
}

TEST(CollectionTest, IndexMovesAndIdsStayUnique) {
  TCollection columns(&TColumn::ClassInfo());
  for (const wchar_t* caption : {L"A", L"B", L"C"}) static_cast<TColumn*>(columns.Add())->Caption = caption;
  auto* c = columns.Items(2);
  c->SetIndex(0);
  EXPECT_EQ(Captions(columns), (std::vector<String>{L"C", L"A", L"B"}));
  EXPECT_EQ(c->Index(), 0);
  EXPECT_THROW(c->SetIndex(3), EListError);

  columns.Delete(1);
  auto* d = columns.Add();
  EXPECT_EQ(d->ID(), 3);  // IDs are never reused
  EXPECT_EQ(columns.FindItemID(2), c);
  EXPECT_EQ(columns.FindItemID(0), nullptr);
  EXPECT_THROW(columns.Items(3), EListError);
}

TEST(CollectionTest, ItemsMoveBetweenCollectionsOfTheirClass) {
  TCollection left(&TColumn::ClassInfo());
  TCollection right(&TColumn::ClassInfo());
  TCollection rows(&TRow::ClassInfo());
  auto* wide = new TWideColumn(&left);  // a descendant of the item class is accepted
  wide->SetCollection(&right);
  EXPECT_EQ(left.Count(), 0);
  EXPECT_EQ(right.Items(0), wide);

  EXPECT_THROW(wide->SetCollection(&rows), EListError);
  EXPECT_EQ(wide->Collection(), &right);  // refused: stays where it was
  EXPECT_EQ(rows.Count(), 0);

  wide->SetCollection(nullptr);
  EXPECT_EQ(right.Count(), 0);
  delete wide;

  delete right.Add();  // deleted without Free: still leaves its collection
  EXPECT_EQ(right.Count(), 0);
}

TEST(CollectionTest, AssignClearsAndCopies) {
  TCollection source(&TColumn::ClassInfo());
  TCollection target(&TColumn::ClassInfo());
  for (const wchar_t* caption : {L"A", L"B"}) static_cast<TColumn*>(source.Add())->Caption = caption;
  static_cast<TColumn*>(target.Add())->Caption = L"old";
  target.Assign(&source);
  EXPECT_EQ(Captions(target), (std::vector<String>{L"A", L"B"}));
  EXPECT_NE(target.Items(0), source.Items(0));

  TCollection rows(&TRow::ClassInfo());
  rows.Add();
  EXPECT_THROW(rows.Items(0)->Assign(source.Items(0)), EConvertError);
}

TEST(CollectionTest, OwnerAndDestruction) {
  TComponent owner(nullptr);
  std::vector<String> log;
  int destroyedBefore = TColumn::destroyed;
  auto* columns = new TLoggedColumns(&owner);
  columns->Add();
  static_cast<TColumn*>(columns->Add())->Caption = L"B";
  EXPECT_EQ(columns->Owner(), &owner);
  EXPECT_EQ(columns->Items(1)->GetOwner(), columns);
  EXPECT_EQ(columns->Items(0)->DisplayName(), L"built");
  EXPECT_EQ(columns->ItemClass(), &TColumn::ClassInfo());
  columns->log = &log;
  columns->Free();
  EXPECT_EQ(TColumn::destroyed - destroyedBefore, 2);
  // Items leave last first; no Update is reported while the collection goes.
  EXPECT_EQ(log, (std::vector<String>{L"extracting B", L"extracting built"}));
}

}  // namespace
