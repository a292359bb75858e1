#include "platform/framework/classes/Reflection.h"

#include <gtest/gtest.h>

#include "platform/framework/classes/Component.h"
#include "tests/support/TestSupport.h"

namespace {

using testing_support::MessageOf;

enum TSide { sdLeft, sdTop, sdRight, sdBottom };
using TSides = TSet<TSide>;

}  // namespace

DEFINE_ENUM_INFO(TSide, L"sdLeft", L"sdTop", L"sdRight", L"sdBottom")

namespace {

class TPanelLike : public TComponent {
  DECLARE_CLASS(TPanelLike, TComponent)
 public:
  using TComponent::TComponent;
  int Width() const { return width_; }
  void SetWidth(int value) { width_ = value; }
  TSide Align() const { return align_; }
  void SetAlign(TSide value) { align_ = value; }
  TSides Borders() const { return borders_; }
  void SetBorders(TSides value) { borders_ = value; }
  const String& Caption() const { return caption_; }
  void SetCaption(const String& value) { caption_ = value; }
  TComponent* Buddy() const { return buddy_; }
  void SetBuddy(TComponent* value) { buddy_ = value; }

 private:
  int width_ = 0;
  TSide align_ = sdLeft;
  TSides borders_;
  String caption_;
  TComponent* buddy_ = nullptr;
};

class TFancyPanel : public TPanelLike {
  DECLARE_CLASS(TFancyPanel, TPanelLike)
 public:
  using TPanelLike::TPanelLike;
  int Depth() const { return 7; }
};
DEFINE_CLASS(TPanelLike)
DEFINE_CLASS(TFancyPanel)

const bool registered = [] {
  RegisterProperties(&TPanelLike::ClassInfo(),
                     {
                         OrdinalProperty(L"Width", &TPanelLike::Width, &TPanelLike::SetWidth),
                         OrdinalProperty(L"Align", &TPanelLike::Align, &TPanelLike::SetAlign),
                         SetProperty(L"Borders", &TPanelLike::Borders, &TPanelLike::SetBorders),
                         StringProperty(L"Caption", &TPanelLike::Caption, &TPanelLike::SetCaption),
                         ObjectProperty(L"Buddy", &TPanelLike::Buddy, &TPanelLike::SetBuddy),
                     });
  RegisterProperties(&TFancyPanel::ClassInfo(), {OrdinalProperty(L"Depth", &TFancyPanel::Depth, nullptr)});
  return true;
}();

TEST(ReflectionTest, EnumerationNames) {
  EXPECT_EQ(GetEnumName(sdRight), L"sdRight");
  EXPECT_EQ(GetEnumValue<TSide>(L"SDTOP"), sdTop);
  EXPECT_EQ(GetEnumValue<TSide>(L"sdMiddle"), -1);
  EXPECT_EQ(EnumInfo<TSide>().Name(9), L"");
}

TEST(ReflectionTest, SetTextRoundTrip) {
  const TEnumInfo& sides = EnumInfo<TSide>();
  struct Case {
    const wchar_t* text;
    TSides set;
    const wchar_t* canonical;
  } cases[] = {
      {L"", {}, L""},
      {L"sdTop", {sdTop}, L"sdTop"},
      {L"sdBottom,sdLeft", {sdLeft, sdBottom}, L"sdLeft,sdBottom"},
      {L"[sdRight, sdTop]", {sdTop, sdRight}, L"sdTop,sdRight"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StringToSet(sides, c.text), c.set.Bits()) << c.text;
    EXPECT_EQ(SetToString(sides, c.set.Bits()), c.canonical) << c.text;
  }
  EXPECT_EQ(SetToString(sides, TSides{sdTop}.Bits(), true), L"[sdTop]");
  EXPECT_EQ(MessageOf<EPropertyConvertError>([&] { StringToSet(sides, L"sdTop,sdMiddle"); }),
            L"Invalid property element: sdMiddle");
}

TEST(ReflectionTest, PropertiesByNameIncludingInherited) {
  TFancyPanel panel(nullptr);
  TComponent buddy(nullptr);
  SetOrdProp(&panel, L"width", 120);
  SetEnumProp(&panel, L"Align", L"sdBottom");
  SetSetProp(&panel, L"Borders", L"sdLeft,sdRight");
  SetStrProp(&panel, L"Caption", L"H\u00e9llo");
  SetObjectProp(&panel, L"Buddy", &buddy);

  EXPECT_EQ(panel.Width(), 120);
  EXPECT_EQ(GetOrdProp(&panel, L"Width"), 120);
  EXPECT_EQ(panel.Align(), sdBottom);
  EXPECT_EQ(GetEnumProp(&panel, L"Align"), L"sdBottom");
  EXPECT_EQ(panel.Borders(), (TSides{sdLeft, sdRight}));
  EXPECT_EQ(GetSetProp(&panel, L"Borders"), L"sdLeft,sdRight");
  EXPECT_EQ(GetStrProp(&panel, L"Caption"), L"H\u00e9llo");
  EXPECT_EQ(GetObjectProp(&panel, L"Buddy"), &buddy);
  EXPECT_EQ(GetOrdProp(&panel, L"Depth"), 7);

  EXPECT_TRUE(IsPublishedProp(&panel, L"Depth"));
  TPanelLike plain(nullptr);
  EXPECT_FALSE(IsPublishedProp(&plain, L"Depth"));  // the descendant's property only
  EXPECT_FALSE(IsPublishedProp(nullptr, L"Width"));
}

TEST(ReflectionTest, MissingReadOnlyAndMistypedPropertiesAreRefused) {
  TFancyPanel panel(nullptr);
  TComponent other(nullptr);
  EXPECT_EQ(MessageOf<EPropertyError>([&] { GetOrdProp(&panel, L"Height"); }), L"Unknown property: Height");
  EXPECT_EQ(MessageOf<EPropertyError>([&] { SetOrdProp(&panel, L"Depth", 1); }), L"Unknown property: Depth");
  EXPECT_EQ(MessageOf<EPropertyError>([&] { GetStrProp(&panel, L"Width"); }), L"Unknown property: Width");
  EXPECT_THROW(SetObjectProp(&panel, L"Buddy", new TInterfaceList), EInvalidCast);
  EXPECT_THROW(SetEnumProp(&panel, L"Align", L"sdMiddle"), EPropertyConvertError);
  EXPECT_EQ(panel.Align(), sdLeft);
}

}  // namespace
