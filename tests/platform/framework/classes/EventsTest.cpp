#include "platform/framework/classes/Events.h"

#include <gtest/gtest.h>

#include "platform/framework/classes/Object.h"

namespace {

class TForm : public TObject {
 public:
  void ButtonClick(TObject* sender) { clicks.push_back(sender); }
  void OtherClick(TObject*) {}
  void CountClick(TObject*) const { ++constClicks; }
  void Validate(TObject*, String& text, bool& accept) {
    text += L"!";
    accept = false;
  }
  std::vector<TObject*> clicks;
  mutable int constClicks = 0;
};

TEST(EventsTest, EqualityOfBindings) {
  TForm a, b;
  auto lambda = [](TObject*) {};
  TNotifyEvent callable = lambda;
  TNotifyEvent callableCopy = callable;
  TNotifyEvent sameLambdaAgain = lambda;

  struct Case {
    const char* what;
    TNotifyEvent left, right;
    bool equal, sameCode;
  } cases[] = {
      {"same object and method", {&a, &TForm::ButtonClick}, {&a, &TForm::ButtonClick}, true, true},
      {"other object", {&a, &TForm::ButtonClick}, {&b, &TForm::ButtonClick}, false, true},
      {"other method", {&a, &TForm::ButtonClick}, {&a, &TForm::OtherClick}, false, false},
      {"const method", {&a, &TForm::CountClick}, {&a, &TForm::CountClick}, true, true},
      {"unassigned", nullptr, nullptr, true, true},
      {"unassigned and assigned", nullptr, {&a, &TForm::ButtonClick}, false, false},
      {"callable and its copy", callable, callableCopy, true, false},
      {"the same lambda bound twice", callable, sameLambdaAgain, false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.left == c.right, c.equal) << c.what;
    EXPECT_EQ(MethodsEqual(c.left, c.right), c.equal) << c.what;
    EXPECT_EQ(c.left.SameCode(c.right), c.sameCode) << c.what;
  }
}

TEST(EventsTest, CallsReachTheBoundTarget) {
  TForm form, sender;
  TNotifyEvent onClick;
  EXPECT_FALSE(onClick);
  onClick(&sender);  // unassigned: nothing happens

  onClick = {&form, &TForm::ButtonClick};
  ASSERT_TRUE(onClick);
  onClick(&sender);
  EXPECT_EQ(form.clicks, std::vector<TObject*>{&sender});
  EXPECT_EQ(onClick.Data(), &form);

  TNotifyEvent onCount{&form, &TForm::CountClick};
  onCount(nullptr);
  EXPECT_EQ(form.constClicks, 1);

  int calls = 0;
  onClick = [&calls](TObject*) { ++calls; };
  onClick(nullptr);
  EXPECT_EQ(calls, 1);
}

TEST(EventsTest, SavedEventCanBeRestored) {
  TForm form;
  TNotifyEvent onClick{&form, &TForm::ButtonClick};
  TNotifyEvent saved = onClick;
  onClick = [](TObject*) {};
  onClick = saved;
  EXPECT_EQ(onClick, (TNotifyEvent{&form, &TForm::ButtonClick}));
  onClick(nullptr);
  EXPECT_EQ(form.clicks.size(), 1u);
}

TEST(EventsTest, VarParametersAndResults) {
  TForm form;
  TEvent<void(TObject*, String&, bool&)> onValidate{&form, &TForm::Validate};
  String text = L"x";
  bool accept = true;
  onValidate(nullptr, text, accept);
  EXPECT_EQ(text, L"x!");
  EXPECT_FALSE(accept);

  TEvent<int(int)> twice = [](int v) { return 2 * v; };
  EXPECT_EQ(twice(21), 42);
  TEvent<int(int)> unassigned;
  EXPECT_EQ(unassigned(21), 0);
}

}  // namespace
