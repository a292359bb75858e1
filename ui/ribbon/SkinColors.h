#pragma once
// The colour table of the ribbon colour skins: the colours the skins answer per element ID and
// state (text and line colours of the painters), and the palette the sheet generator draws the
// scheme's sheets from. One table for both, so the drawn images and the answered colours agree.
// Windows-free and constexpr; colours are framework colour values (0xBBGGRR).

#include <cstdint>
#include <initializer_list>

#include "ui/ribbon/SkinParts.h"

namespace ribbon_skin {

using TSkinColor = std::int32_t;
inline constexpr TSkinColor kColorDefault = 0x20000000;  // no colour of its own (clDefault)
// In a scheme's table: the base class's answer for these states.
inline constexpr TSkinColor kBaseAnswer = 0x7FFFFFFF;

// States as a bit set, bit s for element state s.
constexpr std::uint16_t States(std::initializer_list<int> List) {
  std::uint16_t bits = 0;
  for (int s : List) bits = std::uint16_t(bits | (1u << s));
  return bits;
}
inline constexpr std::uint16_t kAllStates = 0x1FF;

// The first entry whose ID matches and whose states hold the state answers.
struct TColorEntry {
  int ID;
  std::uint16_t StateSet;
  TSkinColor Color;
  // Base table only: the answer is the colour of RefID in RefState (0 = none).
  int RefID = 0;
  int RefState = 0;
};

namespace colors {
constexpr TColorEntry E(int ID, TSkinColor Color) { return {ID, kAllStates, Color}; }
constexpr TColorEntry E(int ID, std::initializer_list<int> S, TSkinColor Color) { return {ID, States(S), Color}; }
constexpr TColorEntry Ref(int ID, std::initializer_list<int> S, int RefID, int RefState) {
  return {ID, S.size() ? States(S) : kAllStates, 0, RefID, RefState};
}

// The base class (normal colour); IDs and states not listed answer kColorDefault.
inline constexpr TColorEntry kBase[] = {
    E(56, 0xFAFAFA),
    Ref(64, {}, 362, 0),
    E(67, {2}, 0x3694F2), E(67, {6}, 0x1048EF), E(67, {7}, 0x3695F2),
    E(68, {2, 6}, 0x94E2FF), E(68, {7}, 0x95E3FF),
    E(335, {1, 8}, 0x8D8D8D), Ref(335, {}, 10133, 0),
    E(362, {1, 8}, 0xA7A7A7),
    E(375, 0xF7F7F7), E(395, 0xEEEAE9), E(420, 0xBDB6A5), E(451, 0xF5F5F5),
};

inline constexpr TColorEntry kBlue[] = {
    E(9, {0}, 0xFBF2EA), E(9, {1}, 0xEFEFEF), E(9, {2, 3, 4, 5, 8}, 0xFFFFFF),
    E(10, {0}, 0xDEC1AB), E(10, {1}, 0xC6BBB1), E(10, {2, 3, 4, 5, 8}, 0xE1C7B3),
    E(12, {0}, 0xDEC1AB), E(12, {1, 8}, 0xC6BBB1), E(12, {2}, 0x99CEDB), E(12, {3}, 0xDEC7AD),
    E(12, {4}, 0x45667B), E(12, {5}, 0x6B99A5),
    E(19, 0xDAD5D2), E(20, 0xEFE7DE), E(41, 0xDDBB9E),
    E(51, {2, 3}, 0xFBF3EC), E(51, 0xF8E6D4),
    E(52, 0xEDD0B9),
    E(66, {0}, 0x6E1500), E(66, {2}, 0xFF6600),
    E(362, {1, 8}, kBaseAnswer), E(362, 0x6E1500),
    E(425, {3}, 0x85B6CA), E(425, {8}, 0xCDCDCD),
    E(455, 0xEDD3BE), E(456, 0xFFFFFF), E(457, 0xCAAF9B),
    E(10018, 0xEBC3A4), E(10065, 0xFFDBBF), E(10066, 0xF3E2D5), E(10098, 0x805D45), E(10099, 0xE8C9B1),
    E(10130, {0}, 0xAA6A3E), E(10130, 0xA0A0A0),
    E(10131, {0}, 0x797069), E(10131, 0xA0A0A0),
    E(10132, 0x8B4215), E(10133, 0x8B4215), E(10134, 0xAA6A3E),
    E(10138, {0, 2}, 0x8B4215), E(10138, 0x8D8D8D),
};

inline constexpr TColorEntry kBlack[] = {
    E(9, {0}, 0xE8E8E8), E(9, {1}, 0xEFEFEF), E(9, {2, 3, 4, 5, 8}, 0xFFFFFF),
    E(10, {0}, 0x898989), E(10, {1}, 0xCCCCCC), E(10, {2, 3, 4, 5, 8}, 0x898989),
    E(12, {0}, 0x898989), E(12, {1, 8}, 0xCCCCCC), E(12, {2}, 0x99CEDB), E(12, {3}, 0xB7B7B7),
    E(12, {4}, 0x45667B), E(12, {5}, 0x6B99A5),
    E(19, 0xDAD5D2), E(20, 0xEFEBEF), E(41, 0xA49991),
    E(51, {2, 3}, 0xF7F7F7), E(51, 0xE2E2DA),
    E(52, 0xACACAC),
    E(66, {0}, 0xFFFFFF), E(66, {2}, 0x32D2FF),
    E(362, {1, 8}, kBaseAnswer), E(362, 0x464646),
    E(425, {3}, 0x85B6CA), E(425, {8}, 0xCDCDCD),
    E(455, 0x504F4F), E(456, 0x716C6B), E(457, 0x414243),
    E(10018, 0x696969), E(10065, 0x535353), E(10066, 0x626262), E(10098, 0x252525), E(10099, 0xCCCCCC),
    E(10130, {0}, 0xFFD1AE), E(10130, 0xE1E1E1),
    E(10131, {0}, 0xFFFFFF), E(10131, 0xE1E1E1),
    E(10132, {3}, 0x000000), E(10132, 0xFFFFFF),
    E(10133, 0x464646), E(10134, 0xFFFFFF),
    E(10138, {0}, 0xFFFFFF), E(10138, {2}, 0x000000), E(10138, 0xC2C2C2),
};

// Silver takes every Black colour it does not list. Its dark size-grip dots (10098) are a dark
// grey of the scheme.
inline constexpr TColorEntry kSilver[] = {
    E(51, {2, 3}, 0xF2F1F0), E(51, 0xECEAE8),
    E(52, {2, 3}, 0xA4A4A4), E(52, 0xB8B1A9),
    E(362, {1, 8}, kBaseAnswer), E(362, 0x5C534C),
    E(455, 0xD8D2CD), E(456, 0xFAFAFA), E(457, 0xB4AEA9),
    E(10018, 0xB5AEAA), E(10065, 0xDDD4D0), E(10066, 0x808080), E(10098, 0x7E7670), E(10099, 0xD9D0CD),
    E(10130, {0}, 0xAA6E35), E(10130, 0x8A8A8A),
    E(10131, {0}, 0x6A625C), E(10131, 0x8A8A8A),
    E(10132, 0x595453), E(10133, 0x5C534C), E(10134, 0x5C534C),
    E(10138, {0, 2}, 0x595453), E(10138, 0x8D8D8D),
};

template <std::size_t N>
constexpr const TColorEntry* Find(const TColorEntry (&Table)[N], int ID, int State) {
  if (State < 0 || State > 8) return nullptr;
  for (const TColorEntry& entry : Table)
    if (entry.ID == ID && (entry.StateSet >> State & 1)) return &entry;
  return nullptr;
}
}  // namespace colors

// The base class's normal colour; Resolve(ID, State) answers the colours it refers to (the skin's
// own answer for them).
template <class Resolve>
constexpr TSkinColor BaseSkinColor(int ID, int State, Resolve&& resolve) {
  const TColorEntry* entry = colors::Find(colors::kBase, ID, State);
  if (!entry) return kColorDefault;
  return entry->RefID ? resolve(entry->RefID, entry->RefState) : entry->Color;
}

// A scheme's normal colour: its own table (Silver's then Black's), else the base class's answer.
// Any state outside a listed one, colour 66 included, answers the base class's, kColorDefault.
constexpr TSkinColor SchemeColor(TScheme Scheme, int ID, int State) {
  const TColorEntry* entry = nullptr;
  switch (Scheme) {
    case TScheme::Blue: entry = colors::Find(colors::kBlue, ID, State); break;
    case TScheme::Silver:
      entry = colors::Find(colors::kSilver, ID, State);
      if (!entry) entry = colors::Find(colors::kBlack, ID, State);
      break;
    case TScheme::Black: entry = colors::Find(colors::kBlack, ID, State); break;
  }
  if (entry && entry->Color != kBaseAnswer) return entry->Color;
  return BaseSkinColor(ID, State, [Scheme](int RefID, int RefState) { return SchemeColor(Scheme, RefID, RefState); });
}

// The two lines under the tab row (DrawTabAreaBottomLines): the first fills the area without its
// last row, the second the area moved down one pixel.
struct TLinePair {
  TSkinColor First, Second;
};
inline constexpr TLinePair kTabAreaBottomLines[kSchemeCount] = {
    {0xEBC3A4, 0xF3E2D5}, {0x4F4F4F, 0x626262}, {0x808080, 0xDCE1EB}};

// Element IDs of the palette the sheets are drawn from.
inline constexpr int kRibbonBackgroundID = 10065;
inline constexpr int kFrameID = 10018;
inline constexpr int kSideFillID = 455, kOuterFrameID = 456, kInnerFrameID = 457;
inline constexpr int kCaptionTextID = 10130, kTabTextID = 10132, kGroupCaptionTextID = 10134;
inline constexpr int kGripDarkID = 10098, kGripLightID = 10099;

}  // namespace ribbon_skin
