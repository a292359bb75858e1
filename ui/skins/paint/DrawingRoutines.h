#pragma once
// The pixel toolbox of the skinning library: copies that honour a key colour or a mask layer and can
// let the parent's face show through, blends and colour mixes, glyph-mask drawing, text in a skin
// section's colours with a one-pixel contour, regions from key-coloured pixels, a soft rounded
// shadow and small GDI routines. Bitmaps are 24-bit DIB sections unless a routine says otherwise;
// every routine clips to both bitmaps and draws nothing for bitmaps below 2 x 2 pixels.

#include <vector>

#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/graphics/Graphics.h"
#include "platform/framework/graphics/ImageList.h"
#include "platform/framework/windows/Controls.h"
#include "ui/skins/core/SkinCommon.h"
#include "ui/skins/core/SkinData.h"

class TsSkinManager;

void BlendColor(TBitmap* bmp, TRect r, int percent, TColor color);
void DisabledLook(TBitmap* bmp, TsDisabledKind kind, TControl* parentControl, const TsCacheRef& ci, TPoint p);
void CopyMasked(TRect dstRect, TRect srcRect, TBitmap* dstBmp, TBitmap* srcBmp, const TsCacheRef& ci,
                bool updateTrans, const TsMaskData& mask);
void CopyMaskedTile(TRect dstRect, TRect srcRect, TBitmap* dstBmp, const TsMaskData& mask, const TsCacheRef& ci);
void CopyTransparent(TBitmap* dst, TBitmap* src, int x, int y, TRect srcRect, TColor key, const TsCacheRef& ci,
                     bool updateTrans);
void CopyTransparentPlain(TBitmap* dst, TBitmap* src, int x, int y, TRect srcRect, TColor key);
void CopyByKey(TBitmap* dst, TBitmap* src, int x, int y, TColor key);
void BlendTransBitmap(TBitmap* dst, int x, int y, TColor key, double blend, TRect srcRect, TBitmap* src);
void BlendTransRectangle(TBitmap* dst, TBitmap* src, int weight, TPoint p, TRect srcRect);
void SumBitmaps(TBitmap* dst, TBitmap* src, int weight);
void BlendByMask(TBitmap* dst, TBitmap* maskBmp, TColor color);
void BlendByAlphaBitmap(TBitmap* dst, TBitmap* other, TBitmap* alpha, TRect r);
void MixToLayer(TBitmap* layer, TBitmap* a, TBitmap* b, int weight, TBitmap* alphaBmp);
void Grayscale(TBitmap* bmp);
void GrayscaleExceptKey(TBitmap* bmp, TColor key);
TColor MixColors(TColor color1, TColor color2, double weight);
TColor SwapRedBlue(TColor value);
void DrawSkinGlyph(TBitmap* bmp, TPoint p, int state, const TsMaskData& mask, int mode);
void DrawMaskedGlyph(TRect dstRect, TRect srcRect, TBitmap* dstBmp, const TsMaskData& mask, int mode, TColor key,
                     TBitmap* srcBmp);
HRGN GetRgnFromBmp(TBitmap* bmp, TColor key);
void AddCornerRects(std::vector<TRect>& rects, int width, const TsMaskData& mask, bool bottom, int y);
void PaintShadow(TBitmap* bmp, TRect r, int transparency, TColor color, int blur, int radius);

// What text drawing needs of a control's skin state.
struct TacTextSkin {
  TControl* OwnerControl = nullptr;
  TsSkinManager* Manager = nullptr;
  int SkinIndex = -1;
  String SkinSection;
  bool CustomFont = false;
};
void WriteTextEx(TCanvas* canvas, const wchar_t* text, bool enabled, bool hot, const TacTextSkin& skin, UINT flags,
                 TRect r);
void WriteTextBySection(TCanvas* canvas, const wchar_t* text, bool enabled, TsSkinManager* manager, bool hot,
                        int skinIndex, UINT flags, TRect r);
String CutText(TCanvas* canvas, const String& text, int maxWidth);
void DrawTextStr(HDC dc, const String& text, TRect& r, UINT flags);
void FillDC(HDC dc, const TRect& r, TColor color);
void BitBltBorder(HDC dstDC, int x, int y, int width, int height, HDC srcDC, int srcX, int srcY, int borderWidth);
void Frame3DToDC(HDC dc, TRect& r, TColor topLeftColor, int& width, TColor bottomRightColor);
void DottedFrame(TCanvas* canvas, TRect r);
void ImageToBitmap(TBitmap* bmp, TCustomImageList* imageList, int index);
TBitmap* CreateBmp24(int width, int height);
TBitmap* CreateBmp32(int width, int height);
TBitmap* CreateBmpLike(TBitmap* bmp);
