#pragma once
// Keyboard shortcuts: a virtual key with modifier bits, and their texts ("Shift+Ctrl+A").

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(WINDOWS);

#include "platform/framework/windows/Controls.h"

using TShortCut = Word;
constexpr TShortCut scNone = 0;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

TShortCut ShortCut(Word Key, TShiftState Shift);
void ShortCutToKey(TShortCut ShortCut, Word& Key, TShiftState& Shift);
// "Shift+", "Ctrl+", "Alt+" in that order, then the key's name; "" for no shortcut.
String ShortCutToText(TShortCut ShortCut);
// Modifier prefixes in any order and case ("^" is Ctrl), then a key name compared without regard to
// case; scNone when the text names no key.
TShortCut TextToShortCut(const String& Text);
// The shortcut of a key message (WM_KEYDOWN/WM_SYSKEYDOWN and their CN_ forms).
TShortCut ShortCutFromMessage(const TMessage& Message);
