#include "platform/framework/classes/Object.h"

#include <gtest/gtest.h>

#include "platform/framework/classes/Collection.h"
#include "platform/framework/classes/Component.h"
#include "tests/support/TestSupport.h"

namespace {

using testing_support::MessageOf;

// A small family: an abstract base, two concrete descendants and an unrelated component class.
class TShape : public TComponent {
  DECLARE_CLASS(TShape, TComponent)
 public:
  using TComponent::TComponent;
  virtual String Kind() const = 0;
};
class TCircle : public TShape {
  DECLARE_CLASS(TCircle, TShape)
 public:
  using TShape::TShape;
  String Kind() const override { return L"circle"; }
};
class TDisc : public TCircle {
  DECLARE_CLASS(TDisc, TCircle)
 public:
  using TCircle::TCircle;
  String Kind() const override { return L"disc"; }
};
class TValve : public TComponent {
  DECLARE_CLASS(TValve, TComponent)
 public:
  using TComponent::TComponent;
};
DEFINE_CLASS(TShape)
DEFINE_CLASS(TCircle)
DEFINE_CLASS(TDisc)
DEFINE_CLASS(TValve)

// A family whose class references carry a virtual class operation.
class TPainter : public TObject {
 public:
  class MetaClass : public TMetaClass {
   public:
    using TMetaClass::TMetaClass;
    virtual int Thickness() const = 0;
    template <class Self>
    class Of;
  };
  DECLARE_CLASS(TPainter, TObject)
 public:
  static int ClassThickness() { return 1; }
};
template <class Self>
class TPainter::MetaClass::Of : public TPainter::MetaClass {
 public:
  using TPainter::MetaClass::MetaClass;
  int Thickness() const override { return Self::ClassThickness(); }
};
class TBoldPainter : public TPainter {
  DECLARE_CLASS(TBoldPainter, TPainter)
 public:
  static int ClassThickness() { return 3; }
};
DEFINE_CLASS(TPainter)
DEFINE_CLASS(TBoldPainter)

TEST(ObjectTest, ClassReferencesKnowNameAndAncestry) {
  TDisc disc(nullptr);
  EXPECT_EQ(disc.ClassName(), L"TDisc");
  EXPECT_EQ(disc.ClassType(), &TDisc::ClassInfo());
  EXPECT_EQ(TDisc::ClassInfo().ClassParent(), &TCircle::ClassInfo());

  struct Case {
    TClass cls, ancestor;
    bool inherits;
  } cases[] = {
      {&TDisc::ClassInfo(), &TDisc::ClassInfo(), true},      {&TDisc::ClassInfo(), &TShape::ClassInfo(), true},
      {&TDisc::ClassInfo(), &TObject::ClassInfo(), true},    {&TCircle::ClassInfo(), &TDisc::ClassInfo(), false},
      {&TValve::ClassInfo(), &TShape::ClassInfo(), false},   {&TObject::ClassInfo(), &TComponent::ClassInfo(), false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.cls->InheritsFrom(c.ancestor), c.inherits) << c.cls->Name() << " / " << c.ancestor->Name();
  }
}

TEST(ObjectTest, VirtualConstructorBuildsTheReferencedClassWithItsOwner) {
  TComponent owner(nullptr);
  TComponentClass cls = &TDisc::ClassInfo();
  TComponent* made = cls->Create(&owner);
  EXPECT_EQ(made->ClassType(), cls);
  EXPECT_EQ(made->Owner(), &owner);
  EXPECT_EQ(static_cast<TShape*>(made)->Kind(), L"disc");

  EXPECT_EQ(MessageOf<EInvalidOperation>([] { TShape::ClassInfo().Create(nullptr); }),
            L"Cannot create an instance of abstract class TShape");
}

TEST(ObjectTest, ClassOperationsDispatchThroughTheClassReference) {
  const TPainter::MetaClass* painters[] = {&TPainter::ClassInfo(), &TBoldPainter::ClassInfo()};
  EXPECT_EQ(painters[0]->Thickness(), 1);
  EXPECT_EQ(painters[1]->Thickness(), 3);
}

TEST(ObjectTest, RegistryFindsByNameWithoutRegardToCase) {
  RegisterClasses({&TCircle::ClassInfo(), &TDisc::ClassInfo(), &TValve::ClassInfo()});
  RegisterClass(&TCircle::ClassInfo());  // again: harmless
  EXPECT_EQ(GetClass(L"tcircle"), &TCircle::ClassInfo());
  EXPECT_EQ(FindClass(L"TDisc"), &TDisc::ClassInfo());

  UnRegisterClass(&TDisc::ClassInfo());
  EXPECT_EQ(GetClass(L"TDisc"), nullptr);
  EXPECT_EQ(MessageOf<EClassNotFound>([] { FindClass(L"TDisc"); }), L"Class TDisc not found");
  UnRegisterClasses({&TCircle::ClassInfo(), &TValve::ClassInfo()});
}

TEST(ObjectTest, ConstrainedLookupTreatsClassesOutsideTheFamilyAsMissing) {
  RegisterClasses({&TCircle::ClassInfo(), &TDisc::ClassInfo(), &TValve::ClassInfo()});
  struct Case {
    TClass base;
    const wchar_t* name;
    TClass expected;
  } cases[] = {
      {&TShape::ClassInfo(), L"TCircle", &TCircle::ClassInfo()},
      {&TShape::ClassInfo(), L"TDisc", &TDisc::ClassInfo()},
      {&TCircle::ClassInfo(), L"TCircle", &TCircle::ClassInfo()},
      {&TDisc::ClassInfo(), L"TCircle", nullptr},  // an ancestor is outside
      {&TShape::ClassInfo(), L"TValve", nullptr},  // registered, but another family
      {&TShape::ClassInfo(), L"TNothing", nullptr},
  };
  for (const Case& c : cases) EXPECT_EQ(GetClassIn(c.base, c.name), c.expected) << c.name;

  EXPECT_EQ(MessageOf<EClassNotFound>([] { FindClassIn(&TShape::ClassInfo(), L"TValve"); }), L"Class TValve not found");
  // The typed form hands back the family's metaclass, ready to construct.
  TComponent* made = FindClassOf<TShape>(L"TCircle")->Create(nullptr);
  EXPECT_EQ(static_cast<TShape*>(made)->Kind(), L"circle");
  made->Free();
  UnRegisterClasses({&TCircle::ClassInfo(), &TDisc::ClassInfo(), &TValve::ClassInfo()});
}

TEST(ObjectTest, AsCastChecksTheClass) {
  TDisc disc(nullptr);
  TComponent* component = &disc;
  EXPECT_EQ(As<TCircle>(component), &disc);
  EXPECT_EQ(As<TCircle>(static_cast<TComponent*>(nullptr)), nullptr);
  EXPECT_EQ(MessageOf<EInvalidCast>([&] { As<TValve>(component); }), L"Invalid class typecast");
  EXPECT_TRUE(Is<TShape>(component));
  EXPECT_FALSE(Is<TValve>(component));
}

TEST(ObjectTest, SetOperations) {
  enum E { a, b, c, d };
  TSet<E> x{a, c};
  TSet<E> y{c, d};
  EXPECT_EQ(x + y, (TSet<E>{a, c, d}));
  EXPECT_EQ(x - y, TSet<E>{a});
  EXPECT_EQ(x * y, TSet<E>{c});
  EXPECT_TRUE(x.Contains(c));
  EXPECT_FALSE(x.Contains(b));
  EXPECT_TRUE((x - x).Empty());
}

// ---- interfaces -------------------------------------------------------------------------------

class IGreeter : public virtual IInterface {
 public:
  virtual String Greet() const = 0;
};
class IUnused : public virtual IInterface {};

class TGreeter : public TInterfacedObject, public IGreeter {
 public:
  explicit TGreeter(bool* freed) : freed_(freed) {}
  ~TGreeter() override { *freed_ = true; }
  String Greet() const override { return L"hello"; }

 private:
  bool* freed_;
};

class TOwnedGreeter : public TInterfacedPersistent, public IGreeter {
 public:
  String Greet() const override { return L"owned"; }
};

TEST(ObjectTest, CountedObjectLivesWhileReferenced) {
  bool freed = false;
  InterfacePtr<IGreeter> first(new TGreeter(&freed));
  {
    InterfacePtr<IGreeter> second = first;
    TInterfaceList list;
    list.Add(second);
    first.reset();
    second.reset();
    EXPECT_FALSE(freed);  // the list still holds it
    EXPECT_EQ(Supports<IGreeter>(list.Items(0).get())->Greet(), L"hello");
    list.Delete(0);
    EXPECT_TRUE(freed);
  }
}

TEST(ObjectTest, SupportsQueriesByInterface) {
  bool freed = false;
  InterfacePtr<IGreeter> greeter(new TGreeter(&freed));
  TObject* object = dynamic_cast<TObject*>(greeter.get());
  IGreeter* found = nullptr;
  EXPECT_TRUE(Supports(object, found));
  EXPECT_EQ(found, greeter.get());
  EXPECT_EQ(Supports<IUnused>(object), nullptr);
  EXPECT_EQ(Supports<IGreeter>(static_cast<TObject*>(nullptr)), nullptr);
}

TEST(ObjectTest, OwnerControlledObjectIgnoresReferenceCounts) {
  TOwnedGreeter owned;
  {
    InterfacePtr<IGreeter> reference(&owned);
    TInterfaceList list;
    list.Add(reference);
  }
  EXPECT_EQ(owned.Greet(), L"owned");  // still alive: the owner frees it, not the references
}

TEST(ObjectTest, InterfaceListIndexError) {
  TInterfaceList list;
  EXPECT_EQ(MessageOf<EListError>([&] { list.Items(0); }), L"List index out of bounds (0)");
  EXPECT_EQ(MessageOf<EListError>([&] { list.Delete(-1); }), L"List index out of bounds (-1)");
}

}  // namespace
