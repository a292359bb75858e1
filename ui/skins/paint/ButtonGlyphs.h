#pragma once
// Button glyphs: a glyph bitmap of up to four frames or an image-list image drawn into a button's
// cache in the look of its state (normal, hot or pressed frame, grayed, blended, disabled), the
// layout of glyph and caption inside a face, the two-frame glyph an unskinned button needs, and the
// library's built-in glyph sheets.

#include "platform/framework/controls/Buttons.h"
#include "platform/framework/controls/StdCtrls.h"
#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/graphics/ImageList.h"
#include "ui/skins/core/SkinCommon.h"

class TsCommonData;
class TsSpeedButton;

void DrawSpeedButtonGlyph(TsSpeedButton* button);
// The frame a sheet of numGlyphs frames shows: 1 when disabled; hot 4 with five frames or more;
// pressed 3 when Down with four or more, else 2 with three or more.
int GlyphFrameIndex(int numGlyphs, bool enabled, int state, bool down);
void DrawBtnGlyph(TBitmap* glyph, TBitmap* dst, TRect r, int numGlyphs, bool enabled, bool grayed,
                  TsDisabledGlyphKind disabledGlyphKind, int state, int blend, bool down);
void MakeGlyphFromImages(TControl* button, TsCommonData* skinData, int imageIndex, int& numGlyphs,
                         TsDisabledGlyphKind disabledGlyphKind, TBitmap* glyph, TCustomImageList* images);
int ListImageCount(TCustomImageList* imageList);
// Glyph and caption inside Client. Layout 0 glyph left, 1 right, 2 top, 3 bottom; alignment 0 left,
// 1 right, 2 centre; divisions truncate toward zero.
void CalcButtonLayout(const TRect& client, TPoint glyphSize, TPoint textSize, UINT biDiFlags, TRect& textBounds,
                      TPoint& glyphPos, int margin, int spacing, TAlignment alignment, TButtonLayout layout);
// The speed button's action-change hook: nothing to do.
void ButtonActionChanged(TsSpeedButton* button, TObject* action);

// The built-in glyph sheets: three frames (normal, hot, pressed) side by side in the upper half,
// their grey masks below.
enum TacGlyphSheet { gsFolderArrow, gsFolder, gsCalendar, gsEllipsis, gsCalculator };
constexpr int kGlyphSheetCount = 5;
// The resource name of a sheet: "SF", "SR", "SD", "SE", "SC".
const wchar_t* GlyphSheetName(TacGlyphSheet sheet);
// A loaded sheet, or none.
TBitmap* GlyphSheetBitmap(TacGlyphSheet sheet);
// Loads the sheets from a module in their order; a failing one leaves it and the rest unloaded.
// Returns how many loaded.
int LoadGlyphSheets(HINSTANCE instance);
void FreeGlyphSheets();
