// Component collections and their change protocol, multicast events, class registries,
// proportional widths, weak links, free notification and unique item names.

#include <gtest/gtest.h>

#include "ui/foundation/Classes.h"
#include "platform/framework/rtl/SysUtils.h"

namespace {

// ---- a collection with its parent and item classes ---------------------------------------------

struct Log {
  std::vector<String> Lines;
  void Add(const String& line) { Lines.push_back(line); }
};

class TTestCollection;

class TTestParent : public TComponent {
  DECLARE_CLASS(TTestParent, TComponent)
 public:
  explicit TTestParent(TComponent* AOwner);
  ~TTestParent() override;
  TTestCollection* Items;
};

class TTestItem : public TcxComponentCollectionItem {
  DECLARE_CLASS(TTestItem, TcxComponentCollectionItem)
 public:
  using TcxComponentCollectionItem::TcxComponentCollectionItem;
  int Value = 0;
  void Assign(TPersistent* Source) override { Value = static_cast<TTestItem*>(Source)->Value; }

 protected:
  TcxComponentCollection* CollectionOfParent(TComponent* AParent) override;
};

class TOtherItem : public TcxComponentCollectionItem {
  DECLARE_CLASS(TOtherItem, TcxComponentCollectionItem)
 public:
  using TcxComponentCollectionItem::TcxComponentCollectionItem;

 protected:
  TcxComponentCollection* CollectionOfParent(TComponent* AParent) override;
};

const wchar_t* KindName(TcxCollectionChangeKind kind) {
  static const wchar_t* names[] = {L"added", L"changed", L"removing", L"removed"};
  return names[kind];
}

String ItemName(TcxComponentCollectionItem* item) { return item ? (item->Name().empty() ? L"?" : item->Name()) : L"nil"; }

class TTestCollection : public TcxComponentCollection {
 public:
  TTestCollection(TComponent* parent, Log* log) : TcxComponentCollection(parent, &TTestItem::ClassInfo()), log_(log) {
    OnChange = [this](TObject*, TcxComponentCollectionItem* item, TcxCollectionChangeKind kind) {
      if (log_) log_->Add(L"change " + ItemName(item) + L" " + KindName(kind));
    };
  }
  Log* log_;

 protected:
  void ItemNotification(TcxComponentCollectionItem* item, TcxCollectionChangeKind kind) override {
    if (log_) log_->Add(L"notify " + ItemName(item) + L" " + KindName(kind));
  }
  void AssignItemName(TcxComponentCollectionItem* item) override {
    const String base = L"Item";
    item->SetName(MakeUniqueItemName(item->Owner(), ParentComponent(), item, L"TTest", &base));
  }
};

TTestParent::TTestParent(TComponent* AOwner) : TComponent(AOwner), Items(new TTestCollection(this, nullptr)) {}
TTestParent::~TTestParent() { Items->Free(); }
TcxComponentCollection* TTestItem::CollectionOfParent(TComponent* AParent) {
  return static_cast<TTestParent*>(AParent)->Items;
}
TcxComponentCollection* TOtherItem::CollectionOfParent(TComponent* AParent) {
  return static_cast<TTestParent*>(AParent)->Items;
}
DEFINE_CLASS(TTestParent)
DEFINE_CLASS(TTestItem)
DEFINE_CLASS(TOtherItem)

struct CollectionFixture : testing::Test {
  CollectionFixture() {
    parent->SetName(L"P");
    parent->Items->log_ = &log;
  }
  ~CollectionFixture() override { form->Free(); }
  TComponent* form = new TComponent(nullptr);
  TTestParent* parent = new TTestParent(form);
  Log log;
  std::vector<String> Take() { return std::exchange(log.Lines, {}); }
};

TEST_F(CollectionFixture, NotificationOrder) {
  using V = std::vector<String>;
  // Created: inserted and reported before it has its name.
  TcxComponentCollectionItem* a = parent->Items->CreateItem();
  EXPECT_EQ(Take(), (V{L"notify ? added", L"change ? added"}));
  EXPECT_EQ(a->Name(), L"PItem");
  EXPECT_EQ(a->Owner(), form);
  EXPECT_EQ(a->GetParentComponent(), parent);
  TcxComponentCollectionItem* b = parent->Items->CreateItem();
  EXPECT_EQ(b->Name(), L"PItem1");
  Take();

  b->MoveToIndex(1);  // where it is
  EXPECT_EQ(Take(), V{});
  b->MoveToIndex(0);
  EXPECT_EQ(Take(), V{L"change nil changed"});
  EXPECT_EQ(parent->Items->ItemAt(0), b);

  a->ReportItemChange(false);
  EXPECT_EQ(Take(), V{L"change PItem changed"});

  parent->Items->LockUpdates();
  a->Free();
  EXPECT_EQ(Take(), (V{L"notify PItem removing", L"notify PItem removed"}));
  parent->Items->UnlockUpdates(true);
  EXPECT_EQ(Take(), V{L"change nil changed"});

  parent->Items->CreateItem();
  parent->Items->CreateItem();
  Take();
  parent->Items->FreeAllItems();
  EXPECT_EQ(Take(), (V{L"notify PItem2 removing", L"notify PItem2 removed", L"notify PItem removing",
                       L"notify PItem removed", L"notify PItem1 removing", L"notify PItem1 removed",
                       L"change nil changed"}));
  parent->Items->FreeAllItems();
  EXPECT_EQ(Take(), V{});
  EXPECT_EQ(parent->Items->UpdateCount(), 0);
}

TEST_F(CollectionFixture, ForeignItemsStayDetached) {
  auto* other = new TOtherItem(form);
  other->SetParentComponent(parent);
  EXPECT_EQ(other->Collection(), nullptr);
  EXPECT_EQ(parent->Items->ItemCount(), 0);
  EXPECT_TRUE(log.Lines.empty());
  EXPECT_THROW(parent->Items->ItemAt(0), EListError);
}

TEST_F(CollectionFixture, AssignCopiesItemsAsOneChange) {
  TTestParent* source = new TTestParent(form);
  source->SetName(L"S");
  for (int v : {7, 8}) static_cast<TTestItem*>(source->Items->CreateItem())->Value = v;
  parent->Items->CreateItem();
  Take();
  parent->Items->Assign(source->Items);
  const std::vector<String> lines = Take();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const String& l) { return l.rfind(L"change", 0) == 0; }), 1);
  EXPECT_EQ(lines.back(), L"change nil changed");
  ASSERT_EQ(parent->Items->ItemCount(), 2);
  EXPECT_EQ(static_cast<TTestItem*>(parent->Items->ItemAt(1))->Value, 8);
}

TEST_F(CollectionFixture, DestroyingTheCollectionFiresNoChange) {
  parent->Items->CreateItem();
  parent->Items->CreateItem();
  Take();
  Log kept;
  parent->Items->log_ = &kept;
  parent->Free();
  EXPECT_EQ(std::count_if(kept.Lines.begin(), kept.Lines.end(), [](const String& l) { return l.rfind(L"change", 0) == 0; }), 0);
  EXPECT_EQ(kept.Lines.size(), 4u);
  EXPECT_EQ(kept.Lines[0], L"notify PItem1 removing");
  EXPECT_EQ(form->ComponentCount(), 0);
}

// ---- multicast events ----------------------------------------------------------------------------

struct Listener {
  std::vector<int>* calls;
  int id;
  TcxEventHandlerCollection* events = nullptr;
  Listener* removes = nullptr;
  void Handle(TObject*, const void*) {
    calls->push_back(id);
    if (removes) events->RemoveHandler({removes, &Listener::Handle});
  }
};

TEST(EventHandlerCollection, OnceEachInOrderOfAddition) {
  std::vector<int> calls;
  TcxEventHandlerCollection events;
  Listener a{&calls, 1}, b{&calls, 2}, absent{&calls, 3};
  events.AddHandler({&b, &Listener::Handle});
  events.AddHandler({&a, &Listener::Handle});
  events.AddHandler({&b, &Listener::Handle});
  events.RemoveHandler({&absent, &Listener::Handle});
  EXPECT_EQ(events.Count(), 2);
  events.CallAll(nullptr, nullptr);
  EXPECT_EQ(calls, (std::vector<int>{2, 1}));
}

// A handler that removes the handlers after it: the removed ones are skipped, nothing is read past
// the end of the shortened list.
TEST(EventHandlerCollection, HandlerRemovedDuringTheCallIsSkipped) {
  std::vector<int> calls;
  TcxEventHandlerCollection events;
  Listener a{&calls, 1, &events}, b{&calls, 2, &events}, c{&calls, 3, &events};
  a.removes = &b;
  b.removes = &c;
  for (Listener* l : {&a, &b, &c}) events.AddHandler({l, &Listener::Handle});
  events.CallAll(nullptr, nullptr);
  EXPECT_EQ(calls, (std::vector<int>{1, 3}));
  EXPECT_EQ(events.Count(), 2);
}

// ---- class registries ----------------------------------------------------------------------------

class TRegA : public TObject {
  DECLARE_CLASS(TRegA, TObject)
};
class TRegB : public TRegA {
  DECLARE_CLASS(TRegB, TRegA)
};
class TRegC : public TRegB {
  DECLARE_CLASS(TRegC, TRegB)
};
class TRegX : public TObject {
  DECLARE_CLASS(TRegX, TObject)
};
class TViewA : public TObject {
  DECLARE_CLASS(TViewA, TObject)
};
class TViewB : public TObject {
  DECLARE_CLASS(TViewB, TObject)
};
DEFINE_CLASS(TRegA)
DEFINE_CLASS(TRegB)
DEFINE_CLASS(TRegC)
DEFINE_CLASS(TRegX)
DEFINE_CLASS(TViewA)
DEFINE_CLASS(TViewB)

TEST(RegisteredClassList, NearestRegisteredAncestorWinsInEitherOrder) {
  for (bool ancestorFirst : {true, false}) {
    TcxRegisteredClassList list;
    if (ancestorFirst) list.AddPair(&TRegA::ClassInfo(), &TViewA::ClassInfo());
    list.AddPair(&TRegB::ClassInfo(), &TViewB::ClassInfo());
    if (!ancestorFirst) list.AddPair(&TRegA::ClassInfo(), &TViewA::ClassInfo());
    EXPECT_EQ(list.LookupRegisteredClass(&TRegB::ClassInfo()), &TViewB::ClassInfo()) << ancestorFirst;
    EXPECT_EQ(list.LookupRegisteredClass(&TRegC::ClassInfo()), &TViewB::ClassInfo()) << ancestorFirst;
    EXPECT_EQ(list.LookupRegisteredClass(&TRegA::ClassInfo()), &TViewA::ClassInfo()) << ancestorFirst;
    EXPECT_EQ(list.LookupRegisteredClass(&TRegX::ClassInfo()), nullptr) << ancestorFirst;
    list.RemovePair(&TRegB::ClassInfo(), &TViewB::ClassInfo());
    EXPECT_EQ(list.LookupRegisteredClass(&TRegC::ClassInfo()), &TViewA::ClassInfo());
  }
}

TEST(RegisteredClasses, DescriptionsSortAndLookup) {
  TcxRegisteredClasses classes;
  classes.RegisterEntry(&TRegB::ClassInfo(), L"beta|extra");
  classes.RegisterEntry(&TRegA::ClassInfo(), L"Alpha");
  classes.RegisterEntry(&TRegA::ClassInfo(), L"again");
  EXPECT_EQ(classes.Count(), 2);
  classes.SetSorted(true);
  EXPECT_EQ(classes.Descriptions(0), L"Alpha");
  EXPECT_EQ(classes.Descriptions(1), L"beta");
  EXPECT_EQ(classes.ClassByName(L"TRegB"), &TRegB::ClassInfo());
  EXPECT_EQ(classes.ClassByName(L"tregb"), nullptr);
  classes.UnregisterEntry(&TRegA::ClassInfo());
  EXPECT_EQ(classes.IndexOfClass(&TRegB::ClassInfo()), 0);
}

// ---- proportional widths -------------------------------------------------------------------------

TEST(AutoWidth, DistributeWidths) {
  struct ItemShape {
    int Width, MinWidth;
    bool Fixed;
  };
  struct Case {
    const char* Name;
    int Avail;
    std::vector<ItemShape> Items;
    std::vector<int> Expected;
  } cases[] = {
      {"cumulative shares", 100, {{1, 0, false}, {1, 0, false}, {1, 0, false}}, {33, 34, 33}},
      {"pinned at its share", 100, {{1, 50, false}, {1, 0, false}}, {50, 50}},
      {"pinned above its share, rest shared", 100, {{1, 60, false}, {1, 0, false}, {1, 0, false}}, {60, 20, 20}},
      {"fixed first", 100, {{30, 0, true}, {1, 0, false}, {1, 0, false}}, {30, 35, 35}},
      {"all zero widths", 100, {{0, 5, false}, {0, 7, false}}, {5, 7}},
  };
  for (const Case& c : cases) {
    TcxAutoWidthObject object(int(c.Items.size()));
    object.AvailableWidth = c.Avail;
    for (const ItemShape& shape : c.Items) {
      TcxAutoWidthItem* item = object.NewItem();
      EXPECT_EQ(item->AutoWidth, -1);
      item->Width = shape.Width;
      item->MinWidth = shape.MinWidth;
      item->Fixed = shape.Fixed;
    }
    object.DistributeWidths();
    for (int i = 0; i < object.ItemCount(); ++i) EXPECT_EQ(object.ItemAt(i)->AutoWidth, c.Expected[i]) << c.Name << i;
  }
}

// ---- weak links ----------------------------------------------------------------------------------

TEST(ObjectLinks, LinksDieWithTheirObjectAndTheControllerWithTheLastLink) {
  InvalidateObjectLinks(nullptr);  // no controller: nothing happens
  EXPECT_EQ(ObjectLinkCount(), 0);
  EXPECT_EQ(AcquireObjectLink(nullptr), nullptr);
  auto* component = new TcxComponent(nullptr);
  TObject other;
  TcxObjectLink* first = AcquireObjectLink(component);
  TcxObjectLink* second = AcquireObjectLink(component);
  TcxObjectLink* kept = AcquireObjectLink(&other);
  EXPECT_EQ(ObjectLinkCount(), 3);
  component->Free();
  EXPECT_EQ(first->Ref, nullptr);
  EXPECT_EQ(second->Ref, nullptr);
  EXPECT_EQ(kept->Ref, &other);
  ReleaseObjectLink(first);
  ReleaseObjectLink(kept);
  ReleaseObjectLink(second);
  ReleaseObjectLink(nullptr);
  EXPECT_EQ(ObjectLinkCount(), 0);
}

TEST(FreeNotificator, ReportsWatchedComponents) {
  TcxFreeNotificator notificator(nullptr);
  std::vector<TObject*> freed;
  notificator.OnFreeNotification = [&](TObject* sender) { freed.push_back(sender); };
  auto* watched = new TComponent(nullptr);
  auto* unwatched = new TComponent(nullptr);
  notificator.WatchComponent(watched);
  notificator.WatchComponent(unwatched);
  notificator.UnwatchComponent(unwatched);
  notificator.WatchComponent(nullptr);
  TObject* address = watched;
  watched->Free();
  unwatched->Free();
  EXPECT_EQ(freed, std::vector<TObject*>{address});
}

// ---- unique names --------------------------------------------------------------------------------

class TdxBarScreenTip : public TComponent {
  DECLARE_CLASS(TdxBarScreenTip, TComponent)
 public:
  using TComponent::TComponent;
};
DEFINE_CLASS(TdxBarScreenTip)

TEST(UniqueItemName, Table) {
  TComponent owner(nullptr);
  TComponent* tips = new TComponent(&owner);
  tips->SetName(L"Tips");
  TComponent* taken = new TComponent(&owner);
  taken->SetName(L"TipsScreenTip1");
  TComponent* item = new TdxBarScreenTip(&owner);
  const String empty, digits = L"3D", text = L"Open file…", taken2 = L"Tips";
  struct Case {
    TComponent* Parent;
    String Prefix;
    const String* Base;
    String Expected;
  } cases[] = {
      {tips, L"TdxBar", nullptr, L"TipsScreenTip2"},
      {tips, L"tdxbar", &empty, L"TipsScreenTip"},
      {tips, L"TdxBar", &digits, L"TipsScreenTip3D"},
      {nullptr, L"Other", &digits, L"dxBarScreenTip3D"},
      {tips, L"TdxBar", &text, L"TipsOpenfile"},
      {nullptr, L"TdxBar", &taken2, L"Tips1"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MakeUniqueItemName(&owner, c.Parent, item, c.Prefix, c.Base), c.Expected) << c.Expected;
  item->SetName(L"TipsScreenTip2");  // its own name does not count as taken
  EXPECT_EQ(MakeUniqueItemName(&owner, tips, item, L"TdxBar", nullptr), L"TipsScreenTip2");
}

// ---- small routines ------------------------------------------------------------------------------

TEST(SharedRoutines, RangeCenterAndCharacterSteps) {
  EXPECT_EQ(RangeCenter(1, 2), 1);
  EXPECT_EQ(RangeCenter(-1, -2), -2);
  EXPECT_EQ(RangeCenter(-3, 2), -1);
  const String s = L"a\xD83D\xDE00" L"b";
  EXPECT_EQ(CharByteLengthAt(s, 1), 1);
  EXPECT_EQ(CharByteLengthAt(s, 2), 2);
  EXPECT_EQ(NextCharPos(s, 2), 4);
  EXPECT_EQ(PrevCharPos(s, 4), 2);
  Byte buffer[4] = {1, 2, 3, 4};
  CopyBytesAt("xy", buffer, -5, 2, 2);
  EXPECT_EQ(ReadByteAt(buffer, 3), 'y');
  EXPECT_EQ(LocaleInfoStrOrDefault(0x7FFFFFFF, LOCALE_SENGLANGUAGE, L"none"), L"none");
}

TEST(SharedRoutines, ResourceStringOverrides) {
  // No string 64999 in the test program: the text is empty, and replacements apply by mode.
  EXPECT_EQ(ResourceStringWithOverride(64999), L"");
  AddResourceStringOverride(64999, L"by id");
  AddResourceStringOverride(String(), L"by text");
  EXPECT_EQ(ResourceStringWithOverride(64999), L"by text");
  SetResourceStringOverrideMode(rsoByStringId);
  EXPECT_EQ(ResourceStringWithOverride(64999), L"by id");
  SetResourceStringOverrideMode(rsoNone);
  EXPECT_EQ(ResourceStringWithOverride(64999), L"");
  SetResourceStringOverrideMode(rsoByDefaultText);
  ClearResourceStringOverrides();
}

}  // namespace
