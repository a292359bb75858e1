#pragma once
// Sample positions of the editor's document shown as times, and the selection scroll bars' mapping
// between positions and their 0 ... 65535 range.

#include <cstdint>

#include "platform/framework/base/Types.h"

class TAudioEditor2;

// Whole milliseconds of a position (truncated), as the time texts show them.
int SampleMilliseconds(TAudioEditor2& Editor, std::int64_t Samples);
// "h:mm:ss.zzz" of a position.
String SampleTimeText(TAudioEditor2& Editor, std::int64_t Samples);

constexpr int SelectionScrollMax = 65535;
// Position / Length x 65535 and Length x Bar / 65535, each to the nearest integer with halves to
// even (the default rounding mode). Length must not be 0 for the first.
int ScrollBarPositionOf(std::int64_t Position, std::int64_t Length);
std::int64_t SamplePositionOfBar(int Bar, std::int64_t Length);
