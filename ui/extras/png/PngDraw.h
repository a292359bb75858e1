#pragma once
// The three ways a PNG frame reaches a device context: stretched as it is, stretched with one
// colour left transparent, and blended through its alpha at its own size.

#include "platform/framework/graphics/Graphics.h"
#include "ui/extras/png/PngDibFrame.h"

class TChunkIHDR;
class TPngImageCore;

// The frame's bitmap information with its colour table.
TPngFrameInfo FrameInfoOf(const TChunkIHDR& header);

// Stretches the whole frame into rect.
void DrawPngStretched(HDC target, const TChunkIHDR& header, const TRect& rect);

// Stretches the frame into rect; pixels of the key colour leave the target as it was.
void DrawPngColorKeyed(HDC target, const TChunkIHDR& header, COLORREF key, const TRect& rect);

// Blends the image over the target at rect's top-left at the image's own size: alpha from the
// alpha plane (grey and RGB with alpha) or from the transparency chunk (palette images). Raises
// EPNGOutMemory when its scratch bitmap cannot be made and EPngError for a pixel whose index lies
// beyond the palette; nothing is drawn then.
void DrawPngAlphaBlended(HDC target, const TPngImageCore& image, const TRect& rect);
