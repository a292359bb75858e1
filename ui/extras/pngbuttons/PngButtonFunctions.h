#pragma once
// Where a button puts its PNG glyph and its caption.

#include "platform/framework/controls/Buttons.h"
#include "platform/framework/graphics/Graphics.h"

class TPNGObject;

// The text flag that marks right-to-left reading: glyph-left and glyph-right layouts swap.
inline constexpr UINT PngButtonRightToLeftFlag = DT_RIGHT;
static_assert(PngButtonRightToLeftFlag == 2);

// Lays glyph and caption out in Client. Margin -1 centres them together (and Spacing -1 then
// splits the free room in three); Spacing -1 with a margin centres the caption in what is left.
// Without a caption or a glyph there is no spacing. Down or Pressed moves both by one pixel right
// and down. The caption is measured in the canvas's font with TextFlags.
void ComputePngButtonLayout(TCanvas* Canvas, TPNGObject* Image, const TRect& Client, UINT TextFlags,
                            TPoint& TextPos, TPoint& GlyphPos, int Spacing, int Margin, TButtonLayout Layout,
                            const String& Caption, bool Down, bool Pressed);
