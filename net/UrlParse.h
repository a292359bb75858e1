#pragma once
// URL splitting with "./" and "../" forms resolved against a base path, and the small text helpers
// of the HTTP client. Positions are 1-based; 0 means "not found".

#include <cstdint>

#include "platform/framework/base/Types.h"

// Splits URL into its parts. Path is in/out: on entry the base path for "./" and "../" forms, on
// return the URL's path with its query and fragment. Every other part is cleared first.
void SplitUrl(const AnsiString& URL, AnsiString& Proto, AnsiString& User, AnsiString& Pass, AnsiString& Host,
              AnsiString& Port, AnsiString& Path);

// The position of the N-th occurrence of Sub in S. N > 0 counts from the start and gives
// Length(S) + 1 when there are fewer occurrences; N < 0 counts from the end (-1 = last) and gives 0
// when there are fewer; N = 0 gives 0.
int FindNth(const AnsiString& Sub, const AnsiString& S, std::int32_t N);

bool IsHexDigit(char c);
// c - "0" for a decimal digit, otherwise (c AND 15) + 9, so "a"/"A" give 10 ... "f"/"F" 15.
int HexDigitValue(char c);
