#pragma once
// The installed font faces the font-name combo lists, and its prefix completion of typed text.
#include <vector>

#include "platform/framework/base/Types.h"
#include "platform/framework/base/Win32.h"

struct TdxBarFontFace {
  String Name;
  bool TrueType = false;
};

// Every face the device context reports, once per name (the first report gives the TrueType flag),
// in the order of enumeration.
std::vector<TdxBarFontFace> EnumerateFontFaces(HDC DC);
// The faces of the default printer when one is installed and answers, else those of the screen.
std::vector<TdxBarFontFace> InstalledFontFaces();
// The entry that shares the longest case-insensitive prefix with Value (the first such, a full match
// ends the search), in its own spelling; Value itself when no entry shares even its first character.
String CompleteFromEntries(const std::vector<String>& Entries, const String& Value);
