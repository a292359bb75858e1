#include "platform/framework/classes/Component.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/support/TestSupport.h"

namespace {

using testing_support::MessageOf;

// Records its life in a shared log: "~Name" when freed, and the notifications it receives.
class TProbe : public TComponent {
  DECLARE_CLASS(TProbe, TComponent)
 public:
  TProbe(TComponent* owner, const String& name, std::vector<String>* log) : TComponent(owner), log_(log) {
    SetName(name);
  }
  explicit TProbe(TComponent* owner) : TComponent(owner) {}
  ~TProbe() override {
    if (destroyingSeen) *destroyingSeen = ComponentState().Contains(csDestroying);
    if (log_) log_->push_back(L"~" + Name());
    if (alsoFree) alsoFree->Free();
  }

  TComponent* watched = nullptr;          // cleared when the watched component goes
  TComponent* alsoFree = nullptr;         // freed by this one's destructor (a list freeing its items)
  bool sawWatchedDestroying = false;
  bool* destroyingSeen = nullptr;         // receives the flag as the destructor body saw it
  bool throwOnRemove = false;

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    if (log_) log_->push_back(Name() + (operation == opInsert ? L"+" : L"-") + component->Name());
    if (operation == opRemove && throwOnRemove) throw EComponentError(L"receiver failed");
    if (operation == opRemove && component == watched) {
      sawWatchedDestroying = component->ComponentState().Contains(csDestroying);
      watched = nullptr;
    }
  }

 private:
  std::vector<String>* log_ = nullptr;
};
DEFINE_CLASS(TProbe)

class TFailingProbe : public TProbe {
 public:
  explicit TFailingProbe(TComponent* owner) : TProbe(owner) { throw std::runtime_error("half built"); }
};

TEST(ComponentTest, OwnerFreesOwnedComponentsLastFirst) {
  std::vector<String> log;
  auto* owner = new TProbe(nullptr, L"Owner", &log);
  new TProbe(owner, L"A", &log);
  new TProbe(owner, L"B", &log);
  new TProbe(owner, L"C", &log);
  log.clear();
  owner->Free();
  EXPECT_EQ(log, (std::vector<String>{L"~Owner", L"~C", L"~B", L"~A"}));
}

TEST(ComponentTest, OwnerCopesWithComponentsFreedByOtherComponents) {
  std::vector<String> log;
  auto* owner = new TProbe(nullptr, L"Owner", &log);
  auto* items = new TProbe(owner, L"Item", &log);
  auto* list = new TProbe(owner, L"List", &log);
  new TProbe(owner, L"Last", &log);
  list->alsoFree = items;  // freeing the list frees an earlier sibling
  log.clear();
  owner->Free();
  EXPECT_EQ(log, (std::vector<String>{L"~Owner", L"~Last", L"~List", L"~Item"}));
}

TEST(ComponentTest, FreedComponentLeavesItsOwnerAndSiblingsHear) {
  std::vector<String> log;
  TProbe owner(nullptr, L"Owner", &log);
  auto* a = new TProbe(&owner, L"A", &log);
  auto* b = new TProbe(&owner, L"B", &log);
  log.clear();
  a->Free();
  EXPECT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(owner.Components(0), b);
  EXPECT_EQ(b->ComponentIndex(), 0);
  // The owner and the remaining component both hear of the removal.
  EXPECT_EQ(log, (std::vector<String>{L"~A", L"B-A", L"Owner-A"}));
}

TEST(ComponentTest, DestroyingFlagIsSetBeforeAnyDestructorBody) {
  TProbe holder(nullptr);
  auto* owner = new TProbe(nullptr);
  auto* child = new TProbe(owner);
  bool ownerSaw = false, childSaw = false;
  owner->destroyingSeen = &ownerSaw;
  child->destroyingSeen = &childSaw;
  holder.watched = child;
  holder.FreeNotification(child);
  owner->Free();
  EXPECT_TRUE(ownerSaw);
  EXPECT_TRUE(childSaw);
  EXPECT_EQ(holder.watched, nullptr);
  EXPECT_TRUE(holder.sawWatchedDestroying);
}

TEST(ComponentTest, FreeNotificationLinksBothWays) {
  // The watched component goes first: the holder hears and clears its reference.
  TProbe holder(nullptr);
  auto* watched = new TProbe(nullptr);
  holder.watched = watched;
  holder.FreeNotification(watched);
  watched->Free();
  EXPECT_EQ(holder.watched, nullptr);

  // Removed notifications are not delivered.
  auto* quiet = new TProbe(nullptr);
  holder.watched = quiet;
  holder.FreeNotification(quiet);
  holder.RemoveFreeNotification(quiet);
  quiet->Free();
  EXPECT_EQ(holder.watched, quiet);
}

int sinkCalls = 0;
void CountSink(const std::exception_ptr&) { ++sinkCalls; }

TEST(ComponentTest, ThrowingReceiversCannotStopAFree) {
  ExceptionSink previous = SetExceptionSink(&CountSink);
  sinkCalls = 0;
  {
    TProbe owner(nullptr, L"Owner", nullptr);
    TProbe watcher(nullptr, L"Watcher", nullptr);
    auto* doomed = new TProbe(&owner, L"Doomed", nullptr);
    owner.throwOnRemove = true;
    watcher.throwOnRemove = true;
    watcher.FreeNotification(doomed);
    doomed->Free();
    EXPECT_EQ(owner.ComponentCount(), 0);  // left its owner all the same
    owner.throwOnRemove = false;
  }
  SetExceptionSink(previous);
  EXPECT_EQ(sinkCalls, 2);
}

TEST(ComponentTest, NamesAreIdentifiersUniquePerOwner) {
  TComponent owner(nullptr);
  TProbe first(&owner);
  TProbe second(&owner);
  first.SetName(L"Button1");

  struct Case {
    const wchar_t* name;
    const wchar_t* error;  // null when accepted
  } cases[] = {
      {L"button1", L"A component named button1 already exists"},
      {L"BUTTON1", L"A component named BUTTON1 already exists"},
      {L"1Button", L"\"1Button\" is not a valid component name"},
      {L"My Button", L"\"My Button\" is not a valid component name"},
      {L"Knopf\u00e4", L"\"Knopf\u00e4\" is not a valid component name"},
      {L"_Button2", nullptr},
      {L"", nullptr},
  };
  for (const Case& c : cases) {
    second.SetName(L"Before");
    if (c.error) {
      EXPECT_EQ(MessageOf<EComponentError>([&] { second.SetName(c.name); }), c.error);
      EXPECT_EQ(second.Name(), L"Before");
    } else {
      second.SetName(c.name);
      EXPECT_EQ(second.Name(), c.name);
    }
  }
  first.SetName(L"BUTTON1");  // a change of case only
  EXPECT_EQ(owner.FindComponent(L"button1"), &first);
  EXPECT_EQ(owner.FindComponent(L"Nothing"), nullptr);
  EXPECT_EQ(owner.FindComponent(L""), nullptr);
}

TEST(ComponentTest, InsertingADuplicateNameIsRefused) {
  TComponent owner(nullptr), other(nullptr);
  TProbe a(&owner);
  a.SetName(L"Same");
  TProbe b(&other);
  b.SetName(L"Same");
  EXPECT_THROW(owner.InsertComponent(&b), EComponentError);
  EXPECT_EQ(b.Owner(), &other);
  EXPECT_EQ(owner.ComponentCount(), 1);
}

TEST(ComponentTest, ComponentMovesBetweenOwners) {
  TComponent first(nullptr), second(nullptr);
  TProbe probe(&first);
  second.InsertComponent(&probe);
  EXPECT_EQ(probe.Owner(), &second);
  EXPECT_EQ(first.ComponentCount(), 0);
  EXPECT_EQ(second.ComponentCount(), 1);
}

TEST(ComponentTest, ThrowingConstructorLeavesNoHalfBuiltComponent) {
  std::vector<String> log;
  TProbe owner(nullptr, L"Owner", &log);
  TProbe sibling(&owner, L"Sibling", &log);
  EXPECT_THROW(new TFailingProbe(&owner), std::runtime_error);
  EXPECT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(owner.Components(0), &sibling);
}

TEST(ComponentTest, ComponentIndexMovesWithinTheOwner) {
  TComponent owner(nullptr);
  TProbe a(&owner), b(&owner), c(&owner);
  c.SetComponentIndex(0);
  EXPECT_EQ(owner.Components(0), &c);
  EXPECT_EQ(owner.Components(1), &a);
  a.SetComponentIndex(99);  // clamped to the end
  EXPECT_EQ(owner.Components(2), &a);
  EXPECT_EQ(MessageOf<EListError>([&] { owner.Components(3); }), L"List index out of bounds (3)");
}

TEST(ComponentTest, AssignWithoutSupportNamesBothClasses) {
  TComponent a(nullptr);
  TProbe b(nullptr);
  EXPECT_EQ(MessageOf<EConvertError>([&] { a.Assign(&b); }), L"Cannot assign a TProbe to a TComponent");
  EXPECT_EQ(MessageOf<EConvertError>([&] { a.Assign(nullptr); }), L"Cannot assign a nil to a TComponent");
}

TEST(ComponentTest, LoadedClearsLoadingAndUpdatingBrackets) {
  TComponent c(nullptr);
  c.SetComponentState({csLoading, csReading});
  c.ClearComponentState({csReading});
  c.Loaded();
  EXPECT_TRUE(c.ComponentState().Empty());
  c.Updating();
  EXPECT_TRUE(c.ComponentState().Contains(csUpdating));
  c.Updated();
  EXPECT_TRUE(c.ComponentState().Empty());
}

TEST(ComponentTest, GlobalLookupFollowsDottedPaths) {
  TComponent form(nullptr);
  form.SetName(L"MainForm");
  TComponent frame(&form);
  frame.SetName(L"Frame1");
  TComponent button(&frame);
  button.SetName(L"Button1");
  TComponent dock(&form);
  dock.SetName(L"Dock1");
  RegisterRootComponent(&form);

  struct Case {
    const wchar_t* path;
    TComponent* expected;
  } cases[] = {
      {L"MainForm", &form},
      {L"mainform.DOCK1", &dock},
      {L"MainForm.Frame1.Button1", &button},
      {L"MainForm.Button1", nullptr},  // not owned by the form itself
      {L"OtherForm.Dock1", nullptr},
      {L"MainForm.", nullptr},
      {L"", nullptr},
  };
  for (const Case& c : cases) EXPECT_EQ(FindGlobalComponentPath(c.path), c.expected) << c.path;
  EXPECT_EQ(FindNestedComponent(&form, L"Frame1.Button1"), &button);

  UnregisterRootComponent(&form);
  EXPECT_EQ(FindGlobalComponent(L"MainForm"), nullptr);
}

// ---- TComponentList ---------------------------------------------------------------------------

TEST(ComponentListTest, DropsComponentsFreedElsewhere) {
  std::vector<String> log;
  {
    TComponentList list;  // owning: a component freed elsewhere must not be freed again
    auto* owner = new TComponent(nullptr);
    auto* b = new TProbe(nullptr, L"B", &log);
    list.Add(new TProbe(owner, L"A", &log));
    list.Add(b);
    owner->Free();
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items(0), b);
  }
  EXPECT_EQ(log, (std::vector<String>{L"~A", L"~B"}));
}

TEST(ComponentListTest, OwningListFreesWhatItDeletesAndHolds) {
  std::vector<String> log;
  {
    TComponentList list;
    list.Add(new TProbe(nullptr, L"A", &log));
    list.Add(new TProbe(nullptr, L"B", &log));
    list.Delete(0);
    EXPECT_EQ(log, std::vector<String>{L"~A"});
  }
  EXPECT_EQ(log, (std::vector<String>{L"~A", L"~B"}));
}

TEST(ComponentListTest, ComponentOutlivingANonOwningListIsUnaffected) {
  TProbe holder(nullptr);
  auto* component = new TProbe(nullptr);
  holder.watched = component;
  holder.FreeNotification(component);
  {
    TComponentList list(false);
    list.Add(component);
    list.Extract(component);
    list.Add(component);
  }
  component->Free();  // the list's watch went with the list; the holder's watch stays
  EXPECT_EQ(holder.watched, nullptr);
}

}  // namespace
