#pragma once
// Image routines behind PNG glyphs: the two disabled looks (faded and grey), drawing with them,
// and taking a glyph from an image list.

#include "platform/framework/graphics/Graphics.h"
#include "platform/framework/classes/Object.h"
#include "platform/framework/classes/Reflection.h"

class TPNGObject;
class TCustomImageList;

enum TPngOption { pngBlendOnDisabled, pngGrayscaleOnDisabled };
using TPngOptions = TSet<TPngOption>;
DECLARE_ENUM_INFO(TPngOption);

// Makes the image partly transparent: every alpha a becomes round(a / 256 * (Amount + 1)).
// Grey and palette images become RGBA first, with alpha 0 for their key colour and Amount
// elsewhere (a palette with per-entry alpha scales each entry's alpha as above instead).
void FadeImage(TPNGObject* Image, Byte Amount);

// Blends the colours toward their grey (Amount 255: fully grey). Grey images stay as they are;
// palette images change their palette.
void DesaturateImage(TPNGObject* Image, Byte Amount);

// Makes Look a copy of Image in the disabled look the options name: faded (127), then grey.
void MakeDisabledLook(TPNGObject& Look, TPNGObject* Image, TPngOptions Options);

// Draws the image into Rect; with options, a faded and/or grey copy instead. The image itself
// never changes; an image without a header draws nothing.
void DrawPngWithOptions(TPNGObject* Image, TCanvas* Canvas, const TRect& Rect, TPngOptions Options);

// Replaces the image by entry Index of the list, with an alpha channel made from the entry's
// mask. Nothing changes when the entry's icon cannot be had.
void ImageListEntryToPng(TPNGObject* Image, TCustomImageList* List, int Index);
