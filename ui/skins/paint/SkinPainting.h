#pragma once
// Skin item painting: the face of a control (or a part of one) from one section of the active skin,
// built in layers into a 24-bit bitmap: the background (colour, texture, gradient, mixed by their
// percentages), see-through to the parent's face for transparent sections, the nine-part border of
// the section's border mask with its state frames, and the corner images. The corner update later
// fills the key-coloured pixels at the outer corners with what lies behind the control.
//
// Every routine leaves the shared transparent and parent colours at clFuchsia when it returns, also
// when it raises, so one failed paint cannot colour the next.

#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/graphics/Graphics.h"
#include "ui/skins/core/SkinCommon.h"
#include "ui/skins/core/SkinData.h"

class TsCommonData;
class TsSkinManager;

// The full face of a control: background, border and corner images of its section.
void PaintItem(TsCommonData* skinData, TsCacheRef ci, bool filling, int state, TRect r, TPoint p, TBitmap* bmp,
               bool updateCorners);
// The background alone, with the owner's colour when its skin state keeps a custom colour.
void PaintControlBG(TsCommonData* skinData, const TsCacheRef& ci, int state, TBitmap* bmp, TPoint p, TRect r);
// The background of a section; manager nil: the default manager; customColor clFuchsia: none;
// texture indexes -1: looked up by name.
void PaintItemBG(int skinIndex, const String& section, const TsCacheRef& ci, int state, TRect r, TPoint p,
                 TBitmap* bmp, TsSkinManager* manager = nullptr, int textureIndex = -1, int hotTextureIndex = -1,
                 TColor customColor = clFuchsia);
// Background, corner images, then the border of the section's "BORDERSMASK".
void PaintItemByIndex(int skinIndex, const String& section, TsCacheRef ci, int textureIndex, int hotTextureIndex,
                      TsSkinManager* manager, TBitmap* bmp, TPoint p, TRect r, int state, bool filling);
// The same into R of a device context through a bitmap of R's size.
void PaintItemToDC(int skinIndex, const String& section, const TsCacheRef& ci, TsSkinManager* manager, HDC dc,
                   TPoint p, TRect r, int state, bool filling);
// Background and border with the indexes given by the caller.
void PaintItemFast(int skinIndex, int borderIndex, int textureIndex, int hotTextureIndex, TsSkinManager* manager,
                   TBitmap* bmp, TPoint p, TRect r, int state, bool filling, TsCacheRef ci, const String& section);
void PaintItemBGFast(int skinIndex, int textureIndex, int hotTextureIndex, TsSkinManager* manager, TBitmap* bmp,
                     TPoint p, TRect r, int state, const TsCacheRef& ci, const String& section);
// One nine-part border frame into R.
void PaintBorder(TBitmap* bmp, TRect r, bool filling, const TsCacheRef& ci, const TsMaskData& mask, int state,
                 bool updateCorners);
// Corners: 1 top-left, 2 bottom-left, 4 top-right, 8 bottom-right.
void UpdateCorners(TsCommonData* skinData, int state, int corners);
inline void UpdateAllCorners(TsCommonData* skinData, int state) { UpdateCorners(skinData, state, 15); }
// Texture fills; R becomes the area left for the plain colour, (-1, -1, -1, -1) for none.
void FillTexture(TCanvas* canvas, TRect& r, TBitmap* image, int mode, const TsMaskData& mask);
void FillMaskedTexture(TBitmap* bmp, TRect& r, const TsCacheRef& ci, int mode, const TsMaskData& mask);

// Keeps the shared transparent and parent colours for the length of a painting call and resets
// them to clFuchsia when the outermost such call ends, however it ends.
class TSharedColorScope {
 public:
  TSharedColorScope();
  ~TSharedColorScope();
  TSharedColorScope(const TSharedColorScope&) = delete;
  TSharedColorScope& operator=(const TSharedColorScope&) = delete;
};
