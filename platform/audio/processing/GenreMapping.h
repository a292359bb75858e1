#pragma once
// Genre texts as tags carry them ("Rock", "17", "(17)", "(17)Rock") mapped onto the standard list.

#include "platform/framework/base/Types.h"

// The list's name for the text; "Other" for a genre the list does not have, empty for empty.
String CanonicalGenre(const String& text);
// The list index of a genre text; the index of "Other" when unknown.
int GenreIndex(const String& text);
