#pragma once
// Encoded words for mail header texts ("B" and "Q" forms).

#include "net/AnsiCharSet.h"
#include "platform/framework/base/Types.h"

// The characters that a header text must not carry plainly: ( ) , . : ; < > @ [ \ ] and ".
extern const TAnsiCharSet Rfc822Specials;

// The text as encoded words "=?charset?X?...?=", several joined by CR LF TAB when the text does
// not fit into MaxCol (at least 25 with Fold; without Fold "Q" words are as long as the text and
// "B" words unlimited). Raises Exception for a CharSet shorter than 4 characters or an EncType
// other than "B" and "Q".
AnsiString HdrEncodeInLine(const AnsiString& text, const TAnsiCharSet& Specials, char EncType, int MaxCol,
                           bool Fold, const AnsiString& CharSet);
