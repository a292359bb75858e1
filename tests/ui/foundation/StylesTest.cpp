// Styles: one notification per change, removal reaching every holder, sheets refused when they
// would not fit, captions, and font heights scaled to the screen when read.

#include <gtest/gtest.h>

#include "platform/framework/classes/Stream.h"
#include "ui/foundation/Styles.h"

namespace {

struct Holder : TcxCustomStyles {
  using TcxCustomStyles::TcxCustomStyles;
  std::vector<int> changed;
  void ValueChanged(int Index) override { changed.push_back(Index); }
};

// A watcher that never takes itself off the list.
struct Stubborn : IcxStyleWatcher {
  int removed = 0;
  void StyleChanged(TcxCustomStyle*) override {}
  void StyleRemoved(TcxCustomStyle*) override { ++removed; }
};

TEST(Styles, OneNotificationPerChange) {
  TcxStyle style(nullptr);
  Holder holder(nullptr);
  holder.SetValue(3, &style);
  holder.changed.clear();
  style.SetColor(clRed);
  style.SetColor(clRed);
  EXPECT_EQ(holder.changed, std::vector<int>{3});
  EXPECT_TRUE(style.AssignedValues().Contains(svColor));
  style.SetColor(clDefault);
  EXPECT_FALSE(style.AssignedValues().Contains(svColor));
  TBitmap picture(2, 2);
  style.SetBitmap(&picture);
  EXPECT_TRUE(style.AssignedValues().Contains(svBitmap));
  TBitmap empty;
  style.SetBitmap(&empty);
  EXPECT_FALSE(style.AssignedValues().Contains(svBitmap));
  holder.changed.clear();
  style.Font()->SetSize(12);
  EXPECT_EQ(holder.changed.size(), 1u);
  EXPECT_TRUE(style.AssignedValues().Contains(svFont));
  style.RestoreDefaults();
  EXPECT_TRUE(style.AssignedValues().Empty());
}

TEST(Styles, DestroyedStyleLeavesEveryHolderAndNeverHangs) {
  auto* style = new TcxStyle(nullptr);
  Holder first(nullptr), second(nullptr);
  Stubborn stubborn;
  first.SetValue(0, style);
  first.SetValue(1, style);
  second.SetValue(5, style);
  style->AddListener(&stubborn);
  style->Free();
  EXPECT_EQ(first.Count(), 0);
  EXPECT_EQ(second.Count(), 0);
  EXPECT_EQ(stubborn.removed, 1);
}

class TOtherStyles : public TcxCustomStyles {
  DECLARE_CLASS(TOtherStyles, TcxCustomStyles)
 public:
  using TcxCustomStyles::TcxCustomStyles;
};
DEFINE_CLASS(TOtherStyles)

class TOtherSheet : public TcxCustomStyleSheet {
  DECLARE_CLASS(TOtherSheet, TcxCustomStyleSheet)
 public:
  using TcxCustomStyleSheet::TcxCustomStyleSheet;
  TClass StylesClass() const override { return &TOtherStyles::ClassInfo(); }

 protected:
  TcxCustomStyles* CreateStyles() override { return new TOtherStyles(this); }
};
DEFINE_CLASS(TOtherSheet)

TEST(StyleSheets, RefusedWhenOfAnotherKindOrCyclic) {
  TComponent form(nullptr);
  auto* repository = new TcxStyleRepository(&form);
  auto* a = repository->CreateStyleSheet(&TcxCustomStyleSheet::ClassInfo());
  auto* b = repository->CreateStyleSheet(&TcxCustomStyleSheet::ClassInfo());
  auto* other = repository->CreateStyleSheet(&TOtherSheet::ClassInfo());
  EXPECT_EQ(repository->StyleSheetCount(), 3);
  b->Styles()->SetStyleSheet(a);
  EXPECT_EQ(b->Styles()->StyleSheet(), a);
  a->Styles()->SetStyleSheet(b);  // b follows a already: a cycle
  EXPECT_EQ(a->Styles()->StyleSheet(), nullptr);
  a->Styles()->SetStyleSheet(a);
  EXPECT_EQ(a->Styles()->StyleSheet(), nullptr);
  Holder holder(nullptr);
  holder.SetStyleSheet(other);
  EXPECT_EQ(holder.StyleSheet(), nullptr);

  // A control's styles follow b, which follows a: a value of a reaches the control.
  TcxStyle style(nullptr);
  a->Styles()->SetValue(7, &style);
  holder.SetStyleSheet(b);
  EXPECT_EQ(holder.changed, std::vector<int>{7});
  holder.changed.clear();
  style.SetColor(clBlue);
  EXPECT_EQ(holder.changed, std::vector<int>{7});
  a->Free();  // followers are detached
  EXPECT_EQ(b->Styles()->StyleSheet(), nullptr);
  EXPECT_EQ(repository->StyleSheetCount(), 2);
  holder.SetStyleSheet(nullptr);
}

TEST(StyleSheets, CaptionEqualToTheNameIsNotStored) {
  TcxCustomStyleSheet sheet(nullptr);
  sheet.SetName(L"Sheet1");
  sheet.SetCaption(L"SHEET1");
  EXPECT_FALSE(sheet.CaptionStored());
  EXPECT_EQ(sheet.Caption(), L"Sheet1");
  sheet.SetCaption(L"Blue");
  EXPECT_EQ(sheet.Caption(), L"Blue");
}

TEST(StyleRepository, FontHeightsScaleToTheScreenWhenRead) {
  TcxStyle source(nullptr);
  source.Font()->SetHeight(-11);
  source.SetAssignedValues({svFont});
  TMemoryStream stream;
  TWriter writer(stream);
  writer.WriteComponentData(source);

  SetStyleScreenPixelsPerInch(120);
  TcxStyleRepository repository(nullptr);
  repository.Scalable = true;
  repository.PixelsPerInch = 96;
  TcxStyle copy(nullptr);
  copy.SetStyleRepository(&repository);
  stream.SetPosition(0);
  TReader reader(stream);
  reader.ReadComponentData(copy);
  SetStyleScreenPixelsPerInch(0);
  EXPECT_EQ(copy.Font()->Height(), -14);
  EXPECT_TRUE(copy.AssignedValues().Contains(svFont));
  repository.Scalable = false;
  EXPECT_EQ(repository.ScaleToScreen(-11), -11);
  copy.SetStyleRepository(nullptr);
}

}  // namespace
