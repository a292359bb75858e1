// Routines that act on windows: the wait cursor, centring, form placement and font replacement.

#include <gtest/gtest.h>

#include "app/core/Centring.h"
#include "app/core/FontNames.h"
#include "app/core/FormPlacement.h"
#include "app/core/WaitCursor.h"
#include "platform/framework/controls/ExtCtrls.h"
#include "platform/framework/windows/Forms.h"
#include "platform/framework/classes/IniFiles.h"
#include "platform/framework/controls/StdCtrls.h"
#include "tests/support/TestSupport.h"

namespace {

// A form freed at the end of the test.
struct FormHolder {
  TForm* form = new TForm(nullptr, 0);
  ~FormHolder() { form->Free(); }
  TForm* operator->() const { return form; }
};

TEST(WaitCursor, NestsAndIgnoresAnUnmatchedEnd) {
  Screen->SetCursor(crCross);
  EndWaitCursor();
  EXPECT_EQ(WaitCursorDepth(), 0);
  EXPECT_EQ(Screen->Cursor(), crCross);

  BeginWaitCursor();
  {
    TWaitCursor inner;
    EXPECT_EQ(WaitCursorDepth(), 2);
  }
  EXPECT_EQ(Screen->Cursor(), crHourGlass);
  EndWaitCursor();
  EXPECT_EQ(WaitCursorDepth(), 0);
  EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST(Centring, DivisionTruncatesTowardZero) {
  struct Case {
    int OwnerStart, OwnerExtent, Extent, Expected;
  } cases[] = {{0, 100, 50, 25}, {0, 100, 51, 24}, {10, 100, 131, -5}, {-20, 100, 103, -21}, {0, 1280, 1000, 140}};
  for (const auto& c : cases)
    EXPECT_EQ(CentredStart(c.OwnerStart, c.OwnerExtent, c.Extent), c.Expected)
        << c.OwnerStart << " " << c.OwnerExtent << " " << c.Extent;

  FormHolder owner, dialog;
  owner->SetBounds(100, 50, 601, 400);
  dialog->SetBounds(0, 0, 200, 101);
  CentreOver(dialog.form, owner.form);
  EXPECT_EQ(dialog->BoundsRect(), Bounds(300, 199, 200, 101));
}

TEST(FormPlacement, SavedBoundsAreClampedToTheScreen) {
  struct Case {
    const char* Name;
    TRect Stored, Expected;
  } cases[] = {
      {"wider than the screen", Bounds(50, 10, 1500, 300), Bounds(0, 10, 1280, 300)},
      {"past the right and bottom", Bounds(1000, 900, 400, 300), Bounds(880, 724, 400, 300)},
      {"negative", Bounds(-30, -5, 400, 300), Bounds(0, 0, 400, 300)},
      {"taller than the screen", Bounds(10, 10, 400, 2000), Bounds(10, 0, 400, 1024)},
      {"inside", Bounds(10, 20, 400, 300), Bounds(10, 20, 400, 300)},
  };
  for (const auto& c : cases) EXPECT_EQ(ClampToScreen(c.Stored, 1280, 1024), c.Expected) << c.Name;
}

TEST(FormPlacement, MaximizedWindowStoresItsRestoredBounds) {
  testing_support::ScratchFolder folder;
  const String file = folder.File(L"system.dat");
  {
    FormHolder form;
    form->SetBounds(100, 120, 400, 300);
    form->Show();
    form->SetWindowState(wsMaximized);
    testing_support::PumpFor(50);
    ASSERT_TRUE(IsZoomed(form->Handle()));
    SaveFormPlacement(L"FormPos", form.form, file);
  }
  TIniFile ini(file);
  EXPECT_EQ(ini.ReadInteger(L"FormPos", L"x", -1), 100);
  EXPECT_EQ(ini.ReadInteger(L"FormPos", L"y", -1), 120);
  EXPECT_EQ(ini.ReadInteger(L"FormPos", L"width", -1), 400);
  EXPECT_EQ(ini.ReadInteger(L"FormPos", L"height", -1), 300);
  EXPECT_TRUE(ini.ReadBool(L"FormPos", L"maximized", false));

  FormHolder restored;
  restored->SetBounds(0, 0, 200, 100);
  LoadFormPlacement(L"FormPos", restored.form, file);
  restored->Show();
  testing_support::PumpFor(50);
  EXPECT_TRUE(IsZoomed(restored->Handle()));
  EXPECT_EQ(RestoredBounds(restored.form), Bounds(100, 120, 400, 300));
}

TEST(FormPlacement, MissingKeysKeepTheFormsBounds) {
  testing_support::ScratchFolder folder;
  FormHolder form;
  form->SetBounds(30, 40, 500, 350);
  LoadFormPlacement(L"FormPos", form.form, folder.File(L"empty.dat"));
  EXPECT_EQ(form->BoundsRect(), Bounds(30, 40, 500, 350));
  EXPECT_EQ(form->WindowState(), wsNormal);
}

TEST(FontNames, InstalledNameReplacesTheOldOneAtEveryDepth) {
  ASSERT_GT(Screen->Fonts()->Count(), 0);
  String installed = Screen->Fonts()->Strings(0);
  if (installed == L"Tahoma") installed = Screen->Fonts()->Strings(Screen->Fonts()->Count() - 1);
  ASSERT_NE(installed, L"Tahoma");

  FormHolder form;
  form->Font()->SetName(L"Tahoma");
  auto* panel = new TPanel(form.form);
  panel->SetParent(form.form);
  panel->SetParentFont(false);
  panel->Font()->SetName(L"Tahoma");
  auto* nested = new TLabel(form.form);
  nested->SetParent(panel);
  nested->SetParentFont(false);
  nested->Font()->SetName(L"Tahoma");
  auto* other = new TLabel(form.form);
  other->SetParent(form.form);
  other->SetParentFont(false);
  other->Font()->SetName(L"Courier New");

  ReplaceFontName(form.form, L"Tahoma", L"No Such Font Installed");
  EXPECT_EQ(nested->Font()->Name(), L"Tahoma");

  ReplaceFontName(form.form, L"Tahoma", installed);
  EXPECT_EQ(panel->Font()->Name(), installed);
  EXPECT_EQ(nested->Font()->Name(), installed);
  EXPECT_EQ(other->Font()->Name(), L"Courier New");
  EXPECT_EQ(form->Font()->Name(), L"Tahoma");
}

}  // namespace
