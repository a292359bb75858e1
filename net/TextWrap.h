#pragma once
// Line wrapping for mail headers and texts: pieces cut at break characters outside quotes, and
// header lines folded into continuation lines that begin with TAB.

#include "net/AnsiCharSet.h"
#include "platform/framework/classes/Strings.h"
#include "platform/framework/base/Types.h"

// The next piece of Line from the 1-based position Pos: it ends at the last break character before
// the column passes MaxCol (the break included), or just before an existing BreakStr (matched
// without regard to case, and dropped). Quoted text is never cut; a double-byte character of the
// system code page is never split. A piece without a break character is returned whole. Pos moves
// past the piece, and to the largest integer at the end of Line.
AnsiString NextWrappedPiece(const AnsiString& Line, const AnsiString& BreakStr, const TAnsiCharSet& BreakChars,
                            int MaxCol, const TAnsiCharSet& QuoteChars, int& Pos);

// Appends the header line folded at 76 columns (breaks after TAB, blank, ",", ";", ">", "]"): the
// first piece as it is, the others trimmed with a leading TAB. The bytes are in the system code page.
void FoldHeaderToList(TStrings& List, const AnsiString& HeaderLine);

// The text folded like a header, its trimmed pieces joined by CR LF TAB.
AnsiString FoldText(const AnsiString& Text, const TAnsiCharSet& BreakChars, int MaxCol);
