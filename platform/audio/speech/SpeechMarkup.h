#pragma once
// The text a speech voice reads, as markup: special characters escaped and a pitch element around
// it, with a map from each markup position back to the characters of the text before it, so a
// voice's reading position becomes the share of the text spoken.

#include <vector>

#include "platform/framework/base/Types.h"

struct SpeechMarkup {
  String Markup;
  // TextBefore[i]: characters of the text that come before markup position i (Markup.size() + 1
  // entries; positions inside an escape or the element count as the character they belong to).
  std::vector<int> TextBefore;

  // Characters of the text read once the voice has reached markup position `position`.
  int TextReached(long long position) const;
};

// `text` with &, < and > escaped, inside <pitch absmiddle="pitch">...</pitch>.
SpeechMarkup BuildSpeechMarkup(const String& text, int pitch);
