#pragma once
// Free routines that the skin pack's components share: the parent's face behind a see-through
// control, cutting and spreading bitmap strips, one-pixel-line gradients, colour packing, fitting a
// caption with an ellipsis, whether a form counts as active, styling child controls through their
// published properties, and rectangle routines.

#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/windows/Forms.h"

enum TsuiUIStyle : Byte;
class TsuiFileTheme;

// Paints the part of Control's parent that lies under Control onto Canvas (WM_ERASEBKGND, then
// WM_PAINT with the canvas's DC); nothing without a parent.
void PaintParentBackground(TCanvas* Canvas, TControl* Control);
// Part Part (1-based) of Count equal horizontal parts of Source into Dest; the last part is taken
// from the right edge.
void CutBitmapPart(TBitmap* Source, TBitmap* Dest, int Count, int Part);
// Spreads a three-part strip over Rect: the ends at their size, the middle stretched between.
void DrawThreePartBitmap(TBitmap* Bitmap, TCanvas* Canvas, const TRect& Rect, bool Transparent, TColor MaskColor);
// Gradients by one-pixel lines: rows top to bottom, columns left to right.
void DrawVerticalGradient(TCanvas* Canvas, const TRect& Rect, TColor FromColor, TColor ToColor);
void DrawHorizontalGradient(TCanvas* Canvas, const TRect& Rect, TColor FromColor, TColor ToColor);
TColor MakeRGB(Byte Red, Byte Green, Byte Blue);
// The colour's channels, system colours resolved.
void SplitRGB(TColor Color, Byte& Red, Byte& Green, Byte& Blue);
// Text when it fits MaxWidth; else the longest prefix followed by "..." that fits, or the
// shortest such candidate when none does.
String FitTextWithEllipsis(TCanvas* Canvas, const String& Text, int MaxWidth);
// Whether a title bar draws Form's caption as active.
bool FormIsActive(TCustomForm* Form);
// Gives every direct child of Parent that publishes "FileTheme" and "UIStyle" the theme and style.
void ApplyThemeToChildren(TWinControl* Parent, TsuiUIStyle Style, TsuiFileTheme* Theme);
bool HasPublishedProperty(TObject* Component, const String& Name);
// The work area of the main form's monitor, else the system work area.
TRect GetWorkAreaRect();
void SetControlBounds(TControl* Control, const TRect& Rect);
// The right and bottom edges count as inside.
bool InRect(const TPoint& Point, const TRect& Rect);
bool InRect(int X, int Y, const TRect& Rect);
String PCharToStr(const wchar_t* Text);
