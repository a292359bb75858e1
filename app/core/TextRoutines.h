#pragma once
// Small text helpers shared by the dialogs.

#include <memory>

#include "platform/framework/classes/Strings.h"
#include "platform/framework/base/Types.h"

// 1-based position of the first blank; the text's length when there is none.
int FirstBlankPosition(const String& text);

// The pieces between occurrences of the separator; the text after the last one is the last piece
// (so an empty text gives one empty piece).
std::unique_ptr<TStringList> SplitString(const String& text, wchar_t separator);

// The text with every "&" removed (a caption as the user reads it).
String StripAmpersands(const String& text);
// The text with every "&" doubled, so that a menu shows it as it stands.
String DoubleAmpersands(const String& text);
