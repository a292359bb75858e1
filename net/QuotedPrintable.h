#pragma once
// Quoted-printable pieces for mail bodies and "Q" encoded words.

#include "net/AnsiCharSet.h"
#include "platform/framework/base/Types.h"

// True when s holds a character other than TAB, LF, CR and " " to "~".
bool HasNonPrintable(const AnsiString& s);

// Encodes s from the 1-based position Pos into one piece of at most MaxCol characters, a soft break
// "=" included, and advances Pos past what it encoded. Characters of Specials, "=" and those outside
// " " to "~" are written "=XX"; with ShortSpace a blank is written "_". Without Fold the limit is
// the length of s. A piece always takes at least one character, even past the limit, so a caller
// looping until the end of s always gets there.
AnsiString QuotedPrintablePiece(const AnsiString& s, int MaxCol, const TAnsiCharSet& Specials, int& Pos,
                                bool ShortSpace, bool Fold);
