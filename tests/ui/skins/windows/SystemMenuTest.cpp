// The skinned system menu's rules over border styles, window states and icons, the caption-button
// strip, and the skin chooser.

#include <gtest/gtest.h>

#include "tests/support/WindowTestSupport.h"
#include "tests/ui/skins/SkinTestSupport.h"
#include "ui/skins/windows/SystemMenu.h"

using namespace skin_testing;
using window_testing::FormFixture;

namespace {

TEST(CaptionRulesTable, VisibilityAndEnabledStates) {
  const TBorderIcons all{biSystemMenu, biMinimize, biMaximize};
  const TBorderIcons noMax{biSystemMenu, biMinimize};
  struct TCase {
    TFormBorderStyle Style;
    TWindowState State;
    TBorderIcons Icons;
    bool Iconic, MDIChild, Shown;
    // close, max, min, restore, size visible; max, min, move, restore, size enabled
    const char* Expected;
  } cases[] = {
      {bsSizeable, wsNormal, all, false, false, true, "11111" "11101"},
      {bsSingle, wsNormal, all, false, false, true, "11111" "11100"},
      {bsSizeable, wsMaximized, all, false, false, true, "11111" "01011"},
      {bsSizeable, wsMinimized, all, true, false, true, "11111" "10110"},
      {bsSizeable, wsNormal, noMax, false, false, true, "10111" "01101"},
      {bsDialog, wsNormal, all, false, false, true, "10000" "01101"},
      {bsToolWindow, wsNormal, all, false, false, true, "10000" "01101"},
      {bsSizeToolWin, wsNormal, all, false, false, true, "10001" "01101"},
      {bsDialog, wsNormal, all, false, true, true, "11111" "11101"},   // an MDI child
      {bsSizeable, wsNormal, all, false, false, false, "00001" "11101"},  // no system menu
  };
  for (const TCase& c : cases) {
    TacCaptionFacts f;
    f.BorderStyle = c.Style;
    f.WindowState = c.State;
    f.BorderIcons = c.Icons;
    f.Iconic = c.Iconic;
    f.MDIChild = c.MDIChild;
    f.SystemMenuShown = c.Shown;
    const TacCaptionRules r = CaptionRules(f);
    const bool got[] = {r.CloseVisible,    r.MaximizeVisible, r.MinimizeVisible, r.RestoreVisible, r.SizeVisible,
                        r.MaximizeEnabled, r.MinimizeEnabled, r.MoveEnabled,     r.RestoreEnabled, r.SizeEnabled};
    std::string text;
    for (bool b : got) text += b ? '1' : '0';
    EXPECT_EQ(text, c.Expected) << "style " << c.Style << " state " << c.State << " mdi " << c.MDIChild;
  }
}

TEST(CaptionRulesTable, TheStripLaysTheButtonsOutFromTheRight) {
  TacCaptionFacts f;
  f.BorderIcons = {biSystemMenu, biMinimize, biMaximize, biHelp};
  TacButtonStrip strip;
  strip.CloseWidth = 20;
  strip.MaximizeWidth = strip.MinimizeWidth = 18;
  strip.HelpWidth = 16;
  strip.TitleWidths = {24};
  strip.Height = 14;
  strip.Spacing = 2;
  EXPECT_EQ(ButtonStripWidth(f, strip), 22 + 20 + 20 + 18 + 26);
  const TacStripPlaces p = LayoutButtonStrip(f, strip, 300, 4, 26, 4);
  // Right end at 300 - 4 - 2; top (30 - 14) / 2 + 2 for a button below 16 pixels.
  EXPECT_EQ(p.Close, TRect(274, 10, 294, 24));
  EXPECT_EQ(p.Maximize, TRect(254, 10, 272, 24));
  EXPECT_EQ(p.Minimize, TRect(234, 10, 252, 24));
  EXPECT_EQ(p.Help, TRect(216, 10, 232, 24));
  ASSERT_EQ(p.Title.size(), 1u);
  EXPECT_EQ(p.Title[0], TRect(190, 10, 214, 24));
  f.SystemMenuShown = false;
  EXPECT_EQ(ButtonStripWidth(f, strip), 0);
  EXPECT_TRUE(LayoutButtonStrip(f, strip, 300, 4, 26, 4).Close.IsEmpty());
}

class SystemMenu : public FormFixture {
 protected:
  testing_support::ScratchFolder folder;
};

TEST_F(SystemMenu, ItemsFollowTheFormAndTheChooserListsTheSkinsInColumns) {
  const String dir = folder.Path().substr(0, folder.Path().size() - 1);
  for (int i = 0; i < 45; ++i) {
    wchar_t name[32];
    std::swprintf(name, 32, L"\\Skin %02d.asz", i);
    WriteBytes(dir + name, {1, 2, 3});
  }
  ManagerPtr manager = NewManager(dir);
  auto* menu = new TsSystemMenu(form, form);
  menu->Manager = manager.get();
  menu->MakeSkinMenu = true;
  form->SetBorderStyle(bsDialog);
  menu->UpdateItems();
  EXPECT_FALSE(menu->ItemMaximize->Visible());
  EXPECT_FALSE(menu->ItemSize->Visible());
  EXPECT_TRUE(menu->ItemClose->Visible());
  EXPECT_EQ(menu->ItemClose->Caption(), L"Close");
  EXPECT_EQ(menu->ItemRestore->Caption(), L"Restore");

  int popups = 0;
  window_testing::ScopedModalDriver driver([&](const TModalLoop& loop) {
    ++popups;
    loop.End();
  });
  menu->PopupAt(100, 100);
  menu->PopupAt(100, 100);
  ASSERT_GE(menu->Items()->Count(), 2);
  TMenuItem* chooser = menu->Items()->Items(0);
  EXPECT_EQ(chooser->Name(), L"SkinSelectItem");
  EXPECT_EQ(chooser->Caption(), L"Available skins");
  EXPECT_TRUE(menu->Items()->Items(1)->IsLine());
  EXPECT_EQ(menu->Items()->Items(2), menu->ItemRestore) << "one chooser and one separator before Restore";
  ASSERT_EQ(chooser->Count(), 45);
  int breaks = 0;
  for (int i = 0; i < chooser->Count(); ++i) {
    EXPECT_EQ(chooser->Items(i)->Break() == mbBreak, i == 20 || i == 40) << i;
    breaks += chooser->Items(i)->Break() == mbBreak;
  }
  EXPECT_EQ(breaks, 2) << "three columns";
  EXPECT_EQ(chooser->Items(7)->Name(), L"SkinSelectItem7");
  EXPECT_EQ(chooser->Items(7)->Caption(), L"Skin 07");
}

}  // namespace
