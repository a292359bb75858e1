#include "platform/framework/windows/ShortCuts.h"

#include <cwctype>
#include <iterator>

namespace {

struct NamedKey {
  Word Key;
  const wchar_t* Name;
};

constexpr NamedKey kNamedKeys[] = {
    {VK_BACK, L"BkSp"}, {VK_TAB, L"Tab"},   {VK_ESCAPE, L"Esc"}, {VK_RETURN, L"Enter"}, {VK_SPACE, L"Space"},
    {VK_PRIOR, L"PgUp"}, {VK_NEXT, L"PgDn"}, {VK_END, L"End"},    {VK_HOME, L"Home"},    {VK_LEFT, L"Left"},
    {VK_UP, L"Up"},     {VK_RIGHT, L"Right"}, {VK_DOWN, L"Down"}, {VK_INSERT, L"Ins"},   {VK_DELETE, L"Del"},
};

struct Modifier {
  TShortCut Bit;
  const wchar_t* Prefix;
};

constexpr Modifier kModifiers[] = {{scShift, L"Shift+"}, {scCtrl, L"Ctrl+"}, {scAlt, L"Alt+"}};

bool IsLetterOrDigit(Word key) { return (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'); }

// The name the keyboard layout gives a key outside the fixed set; "" when it has none.
String LayoutKeyName(Word key) {
  UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
  if (scan == 0) return String();
  switch (key) {
    case VK_DIVIDE: case VK_NUMLOCK: case VK_RCONTROL: case VK_RMENU: case VK_LWIN: case VK_RWIN: case VK_APPS:
      scan |= 0x100;  // extended keys
      break;
    default: break;
  }
  wchar_t name[64] = {};
  const int length = GetKeyNameTextW(static_cast<LONG>(scan << 16), name, static_cast<int>(std::size(name)));
  return String(name, length > 0 ? length : 0);
}

String KeyName(Word key) {
  if (IsLetterOrDigit(key)) return String(1, static_cast<wchar_t>(key));
  if (key >= VK_F1 && key <= VK_F12) return L"F" + std::to_wstring(key - VK_F1 + 1);
  for (const NamedKey& named : kNamedKeys) {
    if (named.Key == key) return named.Name;
  }
  return LayoutKeyName(key);
}

bool StartsWithNoCase(const String& text, std::size_t at, const wchar_t* prefix) {
  for (std::size_t i = 0; prefix[i]; ++i) {
    if (at + i >= text.size() || std::towlower(text[at + i]) != std::towlower(prefix[i])) return false;
  }
  return true;
}

bool EqualNoCase(const wchar_t* a, std::size_t aLength, const String& b) {
  if (aLength != b.size()) return false;
  for (std::size_t i = 0; i < aLength; ++i) {
    if (std::towlower(a[i]) != std::towlower(b[i])) return false;
  }
  return true;
}

}  // namespace

TShortCut ShortCut(Word Key, TShiftState Shift) {
  if (Key & 0xFF00) return scNone;
  TShortCut result = Key;
  if (Shift.Contains(ssShift)) result |= scShift;
  if (Shift.Contains(ssCtrl)) result |= scCtrl;
  if (Shift.Contains(ssAlt)) result |= scAlt;
  return result;
}

void ShortCutToKey(TShortCut ShortCut, Word& Key, TShiftState& Shift) {
  Key = ShortCut & 0xFF;
  Shift = {};
  if (ShortCut & scShift) Shift.Include(ssShift);
  if (ShortCut & scCtrl) Shift.Include(ssCtrl);
  if (ShortCut & scAlt) Shift.Include(ssAlt);
}

String ShortCutToText(TShortCut ShortCut) {
  const String name = KeyName(ShortCut & 0xFF);
  if (name.empty()) return String();
  String text;
  for (const Modifier& modifier : kModifiers) {
    if (ShortCut & modifier.Bit) text += modifier.Prefix;
  }
  return text + name;
}

TShortCut TextToShortCut(const String& Text) {
  TShortCut modifiers = 0;
  std::size_t at = 0;
  for (bool found = true; found;) {
    found = false;
    if (at < Text.size() && Text[at] == L'^') {
      modifiers |= scCtrl;
      ++at;
      found = true;
      continue;
    }
    for (const Modifier& modifier : kModifiers) {
      if (StartsWithNoCase(Text, at, modifier.Prefix)) {
        modifiers |= modifier.Bit;
        at += std::char_traits<wchar_t>::length(modifier.Prefix);
        found = true;
        break;
      }
    }
  }
  const wchar_t* rest = Text.c_str() + at;
  const std::size_t restLength = Text.size() - at;
  if (restLength == 0) return scNone;
  for (Word key = 1; key <= 0xFF; ++key) {
    if (EqualNoCase(rest, restLength, KeyName(key))) return static_cast<TShortCut>(modifiers | key);
  }
  return scNone;
}

TShortCut ShortCutFromMessage(const TMessage& Message) {
  return ShortCut(static_cast<Word>(Message.WParam & 0xFF), KeyDataToShiftState(Message.LParam));
}
