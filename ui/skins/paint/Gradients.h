#pragma once
// Fills a rectangle of a 24-bit bitmap from a parsed gradient: vertical, horizontal, or four
// triangles meeting in the centre (through the system's gradient fill). The first segment's kind
// applies to the whole fill.

#include "platform/framework/graphics/Bitmap.h"
#include "ui/skins/core/SkinValues.h"

void PaintGradient(TBitmap* bmp, TRect r, const TsGradArray& data, int offset = 0);
