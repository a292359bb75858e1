#include <gtest/gtest.h>

#include "platform/framework/windows/ShortCuts.h"
#include "platform/framework/base/Utf8.h"

namespace {

struct NamedKeyCase {
  Word Key;
  const wchar_t* Name;
};

const NamedKeyCase kKeys[] = {
    {'A', L"A"},        {'Z', L"Z"},       {'0', L"0"},       {'9', L"9"},         {VK_F1, L"F1"},
    {VK_F10, L"F10"},   {VK_F12, L"F12"},  {VK_BACK, L"BkSp"}, {VK_TAB, L"Tab"},   {VK_ESCAPE, L"Esc"},
    {VK_RETURN, L"Enter"}, {VK_SPACE, L"Space"}, {VK_PRIOR, L"PgUp"}, {VK_NEXT, L"PgDn"}, {VK_END, L"End"},
    {VK_HOME, L"Home"}, {VK_LEFT, L"Left"}, {VK_UP, L"Up"},   {VK_RIGHT, L"Right"}, {VK_DOWN, L"Down"},
    {VK_INSERT, L"Ins"}, {VK_DELETE, L"Del"},
};

struct ModifierCase {
  TShortCut Bits;
  const wchar_t* Prefix;
};

const ModifierCase kModifiers[] = {
    {0, L""},
    {scShift, L"Shift+"},
    {scCtrl, L"Ctrl+"},
    {scAlt, L"Alt+"},
    {scShift | scCtrl, L"Shift+Ctrl+"},
    {scShift | scAlt, L"Shift+Alt+"},
    {scCtrl | scAlt, L"Ctrl+Alt+"},
    {scShift | scCtrl | scAlt, L"Shift+Ctrl+Alt+"},
};

TEST(ShortCutTextTest, EveryNamedKeyWithEveryModifierCombinationWritesAndReadsBack) {
  for (const ModifierCase& modifier : kModifiers) {
    for (const NamedKeyCase& key : kKeys) {
      const TShortCut shortCut = static_cast<TShortCut>(key.Key | modifier.Bits);
      const String expected = String(modifier.Prefix) + key.Name;
      EXPECT_EQ(ShortCutToText(shortCut), expected) << Utf8Encode(expected);
      EXPECT_EQ(TextToShortCut(expected), shortCut) << Utf8Encode(expected);
    }
  }
}

TEST(ShortCutTextTest, AcceptedSpellingsReadAsTheCanonicalKey) {
  const struct {
    const wchar_t* Text;
    const wchar_t* Canonical;
  } cases[] = {
      {L"Ctrl+Shift+A", L"Shift+Ctrl+A"}, {L"Ctrl+Shift+B", L"Shift+Ctrl+B"}, {L"Ctrl+Shift+R", L"Shift+Ctrl+R"},
      {L"ctrl+shift+a", L"Shift+Ctrl+A"}, {L"^S", L"Ctrl+S"},                 {L"^s", L"Ctrl+S"},
      {L"ALT+f4", L"Alt+F4"},             {L"sHiFt+del", L"Shift+Del"},       {L"Alt+Ctrl+pgdn", L"Ctrl+Alt+PgDn"},
      {L"^Shift+bksp", L"Shift+Ctrl+BkSp"},
  };
  for (const auto& c : cases) {
    const TShortCut shortCut = TextToShortCut(c.Text);
    EXPECT_NE(shortCut, scNone) << Utf8Encode(c.Text);
    EXPECT_EQ(ShortCutToText(shortCut), c.Canonical) << Utf8Encode(c.Text);
  }
}

TEST(ShortCutTextTest, TextsNamingNoKeyGiveNoShortCut) {
  for (const wchar_t* text : {L"", L"Ctrl+", L"Shift+Ctrl+", L"Ctrl+NoSuchKey", L"F13x", L"Ctrl-A", L"AB"}) {
    EXPECT_EQ(TextToShortCut(text), scNone) << Utf8Encode(text);
  }
  EXPECT_EQ(ShortCutToText(scNone), L"");
}

TEST(ShortCutTextTest, KeyAndShiftStateConvertBothWays) {
  const TShortCut shortCut = ShortCut('S', TShiftState{ssCtrl, ssShift});
  EXPECT_EQ(shortCut, 'S' | scCtrl | scShift);
  Word key = 0;
  TShiftState shift;
  ShortCutToKey(shortCut, key, shift);
  EXPECT_EQ(key, 'S');
  EXPECT_TRUE(shift.Contains(ssCtrl) && shift.Contains(ssShift) && !shift.Contains(ssAlt));
  // A key code that does not fit the low byte is no shortcut.
  EXPECT_EQ(ShortCut(0x1FF, TShiftState{}), scNone);
}

}  // namespace
