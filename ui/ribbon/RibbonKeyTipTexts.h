#pragma once
// The key-tip texts of the ribbon's elements that follow from data alone: the quick-access numbering
// and the explicit and default texts of tabs and collapsed groups. The accessibility objects that
// hand key tips to the bar manager's navigation use these.

#include "platform/framework/base/Types.h"

// The text of the quick-access entry at a 1-based position of the numbering list: 1-9, then 09 down
// to 01, then 0A to 0Z, then empty. A toolbar item keeps its position in the overflow popup, so it
// has the same number in both.
String QuickAccessKeyTip(int Position);

// A tab's own key tip, ignored when it starts with a digit (digits belong to the quick-access bar).
String TabExplicitKeyTip(const String& KeyTip);
// The key tip of a tab with none of its own.
inline String TabDefaultKeyTip() { return L"Y"; }
// The key tip of the application button with none of its own.
inline String ApplicationButtonDefaultKeyTip() { return L"F"; }
// A collapsed group's key tip without one of its toolbar: "Z" and the caption's first character.
String CollapsedGroupDefaultKeyTip(const String& Caption);
// The mark's key tip: "00" when some item of the toolbar is hidden, else none.
inline String QuickAccessMarkKeyTip(bool SomeItemHidden) { return SomeItemHidden ? L"00" : L""; }
