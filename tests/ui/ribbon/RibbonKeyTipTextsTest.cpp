// The key-tip texts of the ribbon's elements: the quick-access numbering and the default texts.

#include <gtest/gtest.h>

#include <vector>

#include "ui/ribbon/RibbonKeyTipTexts.h"

namespace {

TEST(RibbonKeyTipTexts, QuickAccessNumbersRunOneToNineThenDownFromNineThenLetters) {
  struct Case {
    int position;
    const wchar_t* text;
  } cases[] = {{0, L""},    {1, L"1"},   {9, L"9"},   {10, L"09"}, {11, L"08"}, {18, L"01"},
               {19, L"0A"}, {20, L"0B"}, {44, L"0Z"}, {45, L""},   {100, L""}};
  for (const Case& c : cases) EXPECT_EQ(QuickAccessKeyTip(c.position), c.text) << c.position;
}

TEST(RibbonKeyTipTexts, TwelveItemsWithSevenFittingNumberTheToolbarAndItsPopupAlike) {
  const int shown = 12, fitting = 7;
  std::vector<String> toolbar, popup;
  for (int position = 1; position <= shown; ++position) {
    if (position <= fitting) toolbar.push_back(QuickAccessKeyTip(position));
    else popup.push_back(QuickAccessKeyTip(position));
  }
  EXPECT_EQ(toolbar, (std::vector<String>{L"1", L"2", L"3", L"4", L"5", L"6", L"7"}));
  EXPECT_EQ(popup, (std::vector<String>{L"8", L"9", L"09", L"08", L"07"}));
  EXPECT_EQ(QuickAccessMarkKeyTip(shown > fitting), L"00");
  EXPECT_EQ(QuickAccessMarkKeyTip(false), L"");
}

TEST(RibbonKeyTipTexts, ExplicitAndDefaultTexts) {
  struct Case {
    const wchar_t* keyTip;
    const wchar_t* explicitText;
  } tabs[] = {{L"H", L"H"}, {L"1", L""}, {L"9X", L""}, {L"", L""}, {L"AB", L"AB"}};
  for (const auto& c : tabs) EXPECT_EQ(TabExplicitKeyTip(c.keyTip), c.explicitText) << c.keyTip;
  EXPECT_EQ(TabDefaultKeyTip(), L"Y");
  EXPECT_EQ(ApplicationButtonDefaultKeyTip(), L"F");
  EXPECT_EQ(CollapsedGroupDefaultKeyTip(L"Clipboard"), L"ZC");
  EXPECT_EQ(CollapsedGroupDefaultKeyTip(L""), L"Z");
}

}  // namespace
