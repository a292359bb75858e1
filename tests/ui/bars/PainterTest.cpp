// The painter choice: the resolved style and the effective style of every kind of manager, the one
// painter per manager made anew on each style change from the table of painter classes, the theme
// flag, and the shared Office11 colours a manager holds.

#include <gtest/gtest.h>

#include "platform/framework/windows/ThemeState.h"
#include "tests/support/FakeThemeApi.h"
#include "tests/ui/bars/BarTestPainter.h"
#include "tests/ui/bars/BarTestSupport.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/painters/BarPainters.h"
#include "ui/foundation/Office11Colors.h"

using namespace bar_testing;
using theme_testing::FakeThemeApi;

namespace {

TEST(BarPainterChoice, ResolvedAndEffectiveStyles) {
  struct Case {
    TdxBarManagerStyle style;
    TcxLookAndFeelKind kind;
    bool native, themes, skin;
    int resolved;
    TdxBarManagerStyle effective;
  };
  const Case cases[] = {
      {bmsStandard, lfOffice11, true, true, true, brsStandard, bmsStandard},
      {bmsEnhanced, lfStandard, false, false, false, brsEnhanced, bmsEnhanced},
      {bmsFlat, lfStandard, false, true, false, brsFlat, bmsFlat},
      {bmsXP, lfStandard, false, true, false, brsXP, bmsXP},
      {bmsXP, lfStandard, true, false, false, brsEnhanced, bmsXP},  // no themes: enhanced, still reported XP
      {bmsOffice11, lfFlat, false, false, true, brsOffice11, bmsOffice11},
      {bmsUseLookAndFeel, lfOffice11, true, true, true, brsXP, bmsXP},
      {bmsUseLookAndFeel, lfOffice11, true, false, false, brsOffice11, bmsOffice11},
      {bmsUseLookAndFeel, lfOffice11, false, true, true, brsSkinned, bmsOffice11},
      {bmsUseLookAndFeel, lfFlat, false, false, false, brsEnhanced, bmsEnhanced},
      {bmsUseLookAndFeel, lfStandard, false, false, false, brsStandard, bmsStandard},
      {bmsUseLookAndFeel, lfUltraFlat, false, false, false, brsFlat, bmsFlat},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ResolvePainterStyle(c.style, c.kind, c.native, c.themes, c.skin), c.resolved)
        << c.style << " " << c.kind << c.native << c.themes << c.skin;
    EXPECT_EQ(EffectiveBarStyle(c.style, c.kind, c.native, c.themes), c.effective) << c.style << " " << c.kind;
  }
}

// Painters that count how many of them were made.
int g_made = 0;

class TStandardTestPainter : public TTestBarPainter {
  DECLARE_CLASS(TStandardTestPainter, TTestBarPainter)
 public:
  explicit TStandardTestPainter(TcxCustomLookAndFeelPainterClass Skin) : TTestBarPainter(Skin) { ++g_made; }
};
class TOffice11TestPainter : public TStandardTestPainter {
  DECLARE_CLASS(TOffice11TestPainter, TStandardTestPainter)
 public:
  using TStandardTestPainter::TStandardTestPainter;
};
class TXPTestPainter : public TStandardTestPainter {
  DECLARE_CLASS(TXPTestPainter, TStandardTestPainter)
 public:
  using TStandardTestPainter::TStandardTestPainter;
};
DEFINE_CLASS(TStandardTestPainter)
DEFINE_CLASS(TOffice11TestPainter)
DEFINE_CLASS(TXPTestPainter)

// The table filled with the test painters for standard, Office11 and XP; emptied again afterwards.
class PainterTest : public BarFixture {
 protected:
  void SetUp() override {
    for (int style = brsStandard; style <= brsSkinned; ++style) SetBarPainterClass(style, nullptr);
    SetBarPainterClass(brsStandard, &TStandardTestPainter::ClassInfo());
    SetBarPainterClass(brsOffice11, &TOffice11TestPainter::ClassInfo());
    SetBarPainterClass(brsXP, &TXPTestPainter::ClassInfo());
    BarFixture::SetUp();
  }
  void TearDown() override {
    BarFixture::TearDown();
    RegisterBarPainterClasses();
    fake.Active = false;
    Announce();
  }
  static void Announce() { SendMessageW(ThemeState().Window(), WM_THEMECHANGED, 0, 0); }
  void ThemesOn() {
    for (const wchar_t* cls : {L"ComboBox", L"Edit", L"Progress", L"Rebar", L"ScrollBar", L"Spin", L"Status",
                               L"ToolBar", L"Window"})
      fake.AddClass(cls);
    fake.Active = true;
    Announce();
  }
  TdxBarPainterClass PainterOf() const { return manager->Painter() ? manager->Painter()->PainterClass() : nullptr; }

  FakeThemeApi fake;
};

TEST_F(PainterTest, EachStyleChangeMakesOnePainterOfTheResolvedClass) {
  // bmsEnhanced resolves to entry 1, which is empty: no painter.
  EXPECT_EQ(manager->Painter(), nullptr);
  EXPECT_EQ(manager->DefaultPainterClass(), nullptr);
  const int made = g_made;
  manager->SetStyle(bmsStandard);
  EXPECT_EQ(PainterOf(), &TStandardTestPainter::ClassInfo());
  manager->SetStyle(bmsOffice11);
  EXPECT_EQ(PainterOf(), &TOffice11TestPainter::ClassInfo());
  EXPECT_EQ(g_made, made + 2);

  // The look and feel decides under bmsUseLookAndFeel; its change re-runs the style change.
  manager->SetStyle(bmsUseLookAndFeel);
  manager->LookAndFeel()->SetKind(lfStandard);
  EXPECT_EQ(PainterOf(), &TStandardTestPainter::ClassInfo());
  EXPECT_EQ(manager->EffectiveStyle(), bmsStandard);
  manager->LookAndFeel()->SetKind(lfOffice11);
  EXPECT_EQ(PainterOf(), &TOffice11TestPainter::ClassInfo());
  EXPECT_EQ(manager->DefaultPainterClass(), &TOffice11TestPainter::ClassInfo());

  // So do NotDocking and a bar background.
  const int before = g_made;
  manager->SetNotDocking({dsLeft});
  TBitmap background(4, 4);
  manager->Backgrounds()->SetBar(&background);
  EXPECT_EQ(g_made, before + 2);

  // The skinned painter class holds the standard painter's class until it is set.
  EXPECT_EQ(BarPainterClassFor(brsSkinned), &TStandardTestPainter::ClassInfo());
  SetBarPainterClass(brsSkinned, &TXPTestPainter::ClassInfo());
  EXPECT_EQ(BarPainterClassFor(brsSkinned), &TXPTestPainter::ClassInfo());
  EXPECT_EQ(BarPainterClassFor(9), &TStandardTestPainter::ClassInfo());
}

TEST_F(PainterTest, ThemesMakeXPPaintersAndTheManagerHearsThemeChanges) {
  manager->SetStyle(bmsXP);
  EXPECT_FALSE(manager->ThemeAvailable());
  EXPECT_EQ(manager->ResolvePainterStyle(), brsEnhanced);
  EXPECT_EQ(manager->EffectiveStyle(), bmsXP);

  ThemesOn();
  EXPECT_TRUE(manager->ThemeAvailable());
  EXPECT_EQ(PainterOf(), &TXPTestPainter::ClassInfo());

  // A native look and feel on a themed system is XP too; without one of the nine themes it is not.
  manager->SetStyle(bmsUseLookAndFeel);
  manager->LookAndFeel()->SetKind(lfOffice11);
  manager->LookAndFeel()->SetNativeStyle(true);
  EXPECT_EQ(PainterOf(), &TXPTestPainter::ClassInfo());
  EXPECT_EQ(manager->EffectiveStyle(), bmsXP);
  fake.RemoveClass(L"Spin");
  Announce();
  EXPECT_FALSE(manager->ThemeAvailable());
  EXPECT_EQ(PainterOf(), &TOffice11TestPainter::ClassInfo());
}

TEST_F(PainterTest, TheToolbarBrushAndTheSharedOffice11Colours) {
  const int held = Office11ColorsReferenceCount();
  auto* other = new TForm(nullptr, 0);
  auto* second = new TdxBarManager(other);
  EXPECT_EQ(Office11ColorsReferenceCount(), held + 1);
  EXPECT_EQ(second->ThemeToolbarBrush(), nullptr);
  fake.SetColor(L"ToolBar", 0, 0, 3802, RGB(10, 20, 30));
  ThemesOn();
  EXPECT_EQ(ToolbarThemeColor(), TColor(RGB(10, 20, 30)));
  second->RefreshColors();
  ASSERT_NE(second->ThemeToolbarBrush(), nullptr);
  LOGBRUSH brush{};
  GetObjectW(second->ThemeToolbarBrush(), sizeof(brush), &brush);
  EXPECT_EQ(brush.lbColor, RGB(10, 20, 30));
  other->Free();
  EXPECT_EQ(Office11ColorsReferenceCount(), held);
}

}  // namespace
