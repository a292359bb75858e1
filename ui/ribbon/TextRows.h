#pragma once
// Multi-line text of the ribbon: DrawTextRows breaks a text into rows, aligns them in a rectangle,
// ends the last row with an ellipsis, justifies rows and draws one highlighted run in its own
// colours, on a DC with the font already selected; or only measures. Text is UTF-16: a surrogate
// pair is one character.

#include <vector>

#include "platform/framework/graphics/Graphics.h"

// Flags of DrawTextRows.
constexpr int dtrLeft = 0x0;
constexpr int dtrCenter = 0x1;
constexpr int dtrRight = 0x2;
constexpr int dtrJustify = 0x3;      // every row but the last of a paragraph
constexpr int dtrDistribute = 0x4;   // every row
constexpr int dtrHorizontalMask = 0x7;
constexpr int dtrTop = 0x00;
constexpr int dtrVCenter = 0x10;
constexpr int dtrBottom = 0x20;
constexpr int dtrVDistribute = 0x30;  // the rows spread over the height
constexpr int dtrVerticalMask = 0x30;
constexpr int dtrNoLeftOverhang = 0x40;  // a row never starts left of the rectangle
constexpr int dtrNoTopOverhang = 0x80;   // the first row never starts above it
constexpr int dtrWordBreak = 0x100;
constexpr int dtrSingleLine = 0x200;
constexpr int dtrExpandTabs = 0x400;
constexpr int dtrEndEllipsis = 0x800;
constexpr int dtrExternalLeading = 0x2000;  // the font's external leading joins the row height
constexpr int dtrWholeRows = 0x4000;        // a row that would not fit completely is the last
constexpr int dtrNoClip = 0x8000;
constexpr int dtrAccepted = 0x10000;      // accepted, no effect
constexpr int dtrCharBreak = 0x20000;     // a word longer than the row may break between characters
constexpr int dtrCalcRect = 0x100000;     // measure only
constexpr int dtrRowCountResult = 0x200000;

struct TcxTextRow {
  const wchar_t* Text = nullptr;  // its first character
  int Length = 0;                 // UTF-16 units
  int Width = 0, Height = 0;
  int BreakCount = 0;  // spaces and tabs in it
  int X = 0, Y = 0;
  int TextOffset = 0;  // index of its first character in the whole text
};
using TcxTextRows = std::vector<TcxTextRow>;

// Draws (or, with dtrCalcRect, measures) Text in R shrunk by the indents. Answers the text height
// (the last row's top + the line height - R's top), or the row count with dtrRowCountResult or when
// the height is 0; 0 for an empty text. Measuring replaces R by the measured rectangle (grown back
// by the indents). MaxRows <= 0: no limit. HighlightStart is the 0-based index of the highlighted
// run's first character; outside the text there is no highlight, and a run past the end is
// shortened. HighlightBackColor clNone: the run gets no background.
int DrawTextRows(HDC DC, const wchar_t* Text, TRect& R, int RightIndent, int LeftIndent, int MaxRows,
                 TColor HighlightTextColor, TColor HighlightBackColor, int HighlightLength, int HighlightStart,
                 int Flags);

// The extent of Length characters; with ExpandTabs through the tabbed extent (up to 4096 characters)
// or DrawText's measuring.
TSize TextExtent(HDC DC, const wchar_t* Text, int Length, bool ExpandTabs);

// The ANSI code page whose far-east character sets (932, 936, 949, 950) make every word breakable
// between characters; the system's, replaceable for tests (nullptr restores it).
using TAnsiCodePageQuery = UINT (*)();
TAnsiCodePageQuery SetAnsiCodePageQuery(TAnsiCodePageQuery Query);

// Saves the DC's clip region (none when it has none) and intersects R; the restore selects the saved
// region again and deletes it.
struct TSavedClip {
  HRGN Region = nullptr;
  bool HadRegion = false;
};
TSavedClip SaveClipAndIntersect(HDC DC, const TRect& R);
void RestoreClip(HDC DC, TSavedClip& Saved);
