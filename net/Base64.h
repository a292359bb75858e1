#pragma once
// Base64 over byte texts: alphabet A-Z, a-z, 0-9, "+", "/", with "=" padding.

#include "platform/framework/base/Types.h"

// The whole text, without line breaks.
AnsiString Base64EncodeText(const AnsiString& text);
// Appends 4-character groups encoding s from the 1-based position Pos (3 bytes per group) while Pos
// lies within s and result is shorter than MaxCol before the group.
void Base64EncodeUpTo(const AnsiString& s, int MaxCol, int& Pos, AnsiString& result);
// Characters outside the alphabet (line breaks among them) are skipped; each complete group of four
// gives 3 bytes, 2 when its fourth is "=", 1 when its third is "=". An incomplete last group is
// ignored.
AnsiString Base64DecodeText(const AnsiString& text);
