// The view registry: order by ID, duplicate IDs refused, the index guards, nothing after shutdown,
// and a bar that cannot be made without a view.

#include <gtest/gtest.h>

#include "NavBarTestSupport.h"
#include "tests/support/TestSupport.h"

using namespace navbar_testing;

namespace {

TEST(NavBarViews, KeptInIdOrderWithGuardedIndexes) {
  TdxNavBarViewsFactory factory;
  factory.RegisterView(19, L"Nineteen", &TTestPainter::ClassInfo());
  factory.RegisterView(0, L"Zero", nullptr);
  factory.RegisterView(8, L"Eight", &TOtherTestPainter::ClassInfo());
  ASSERT_EQ(factory.Count(), 3);
  EXPECT_EQ(factory.IDAt(0), 0);
  EXPECT_EQ(factory.IDAt(1), 8);
  EXPECT_EQ(factory.IDAt(2), 19);
  EXPECT_EQ(factory.NameAt(1), L"Eight");
  EXPECT_EQ(factory.PainterClassAt(2), &TTestPainter::ClassInfo());
  EXPECT_EQ(factory.IndexOfID(8), 1);
  EXPECT_EQ(factory.IndexOfID(14), -1);
  EXPECT_FALSE(factory.IsRegistered(14));
  for (int index : {-1, factory.Count()}) {
    EXPECT_EQ(factory.IDAt(index), -1) << index;
    EXPECT_EQ(factory.PainterClassAt(index), nullptr) << index;
  }
  factory.UnregisterView(8);
  factory.UnregisterView(8);  // absent: nothing
  EXPECT_EQ(factory.Count(), 2);
  EXPECT_EQ(factory.IDAt(1), 19);
}

TEST(NavBarViews, DuplicateIdRaisesWithTheIdAndKeepsOneEntry) {
  TdxNavBarViewsFactory factory;
  factory.RegisterView(7, L"Seven", nullptr);
  const String message = testing_support::MessageOf<Exception>([&] { factory.RegisterView(7, L"Again", nullptr); });
  EXPECT_EQ(message, L"ID of view = 7 is already exists.");
  EXPECT_EQ(factory.Count(), 1);
  EXPECT_EQ(factory.NameAt(0), L"Seven");
}

TEST(NavBarViews, RegistrationAfterShutdownDoesNothing) {
  TdxNavBarViewsRegistry registry;
  registry.RegisterView(3, L"Three", nullptr);
  ASSERT_NE(registry.Existing(), nullptr);
  registry.Shutdown();
  EXPECT_EQ(registry.Existing(), nullptr);
  registry.RegisterView(4, L"Four", nullptr);
  registry.UnregisterView(3);
  EXPECT_EQ(registry.Factory(), nullptr);  // never made again
}

TEST(NavBarViews, BarNeedsARegisteredView) {
  UnregisterView(kTestView);
  UnregisterView(kOtherTestView);
  String message;
  try {
    TdxNavBar bar(nullptr);
  } catch (const EInvalidOperation& error) {
    message = error.Message();
  }
  RegisterView(kTestView, L"TestView", &TTestPainter::ClassInfo());
  RegisterView(kOtherTestView, L"OtherTestView", &TOtherTestPainter::ClassInfo());
  EXPECT_EQ(message, L"A navigation bar needs a registered view, and no view is registered");
}

}  // namespace
