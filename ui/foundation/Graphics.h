#pragma once
// Bitmaps of the custom controls and the routines built on them: TcxCustomBitmap (change lock, own
// canvas, the packed "XDBM" stream), TcxBitmap (the 32-bit working bitmap with pixel operations),
// colour routines, blending with a software path, resampling, glyph shadows and the glyph painter.

#include <vector>

#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/graphics/ImageList.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/PixelCore.h"

class TWinControl;
class TcxImageList;

// ---- the bitmaps ------------------------------------------------------------------------------

class TcxCustomBitmap : public TBitmap {
  DECLARE_CLASS(TcxCustomBitmap, TBitmap)
 public:
  // An empty 24-bit bitmap.
  TcxCustomBitmap();
  TcxCustomBitmap(int AWidth, int AHeight, TPixelFormat APixelFormat = pf24bit);
  ~TcxCustomBitmap() override;
  static TcxCustomBitmap* CreateForRect(const TRect& R) { return new TcxCustomBitmap(RectWidthOf(R), RectHeightOf(R)); }
  static TcxCustomBitmap* CreateForRectWithFormat(const TRect& R, TPixelFormat F) {
    return new TcxCustomBitmap(RectWidthOf(R), RectHeightOf(R), F);
  }

  // Written packed ("XDBM") when set; reading takes both forms.
  bool CompressData = false;
  TcxCanvas* cxCanvas();

  void LockChanges() { ++lockCount_; }
  // Delivers one change when forced or when a change came in while locked.
  void UnlockChanges(bool AForce = true);
  virtual void ClearToBlack();
  // New size inside a change lock whose unlock does not force a change.
  virtual void Resize(int AWidth, int AHeight);
  TRect FullRect() const { return {0, 0, Width(), Height()}; }
  void CopyBitmapFrom(TBitmap* Bitmap, DWORD RasterOp = SRCCOPY);
  void BlitFromBitmap(TBitmap* Bitmap, const TRect& DestRect, const TPoint& SourceTopLeft, DWORD RasterOp = SRCCOPY);
  void RotateAndFlip(int Rotation, bool Mirror);

  void ReadData(TStream& Stream) override;
  void WriteData(TStream& Stream) override;

 protected:
  void InitSized(int AWidth, int AHeight, TPixelFormat APixelFormat);
  void Changed(TObject* Sender) override;
  // Runs after each delivered change.
  virtual void ChangeHook() {}

 private:
  TcxCanvas* cxCanvas_ = nullptr;
  int lockCount_ = 0;
  bool changePending_ = false;
};

// The 32-bit working bitmap. A pixel is transparent when it equals the key colour or when its RGB
// value is in the colour list.
class TcxBitmap : public TcxCustomBitmap {
  DECLARE_CLASS(TcxBitmap, TcxCustomBitmap)
 public:
  TcxBitmap() : TcxBitmap(0, 0) {}
  TcxBitmap(int AWidth, int AHeight);

  cxpixels::Pixel KeyColor = 0;
  // Fills with the key colour when its alpha byte is set, else with black.
  void ClearToBlack() override;
  void Resize(int AWidth, int AHeight) override;

  // The pixels bottom-up (row 0 = bottom), read once; SetPixels writes them back and reports a change.
  std::vector<cxpixels::Pixel>& GetPixels();
  void SetPixels(const std::vector<cxpixels::Pixel>& Pixels);
  void ApplyPixelOperation(cxpixels::TcxPixelOperation Operation);
  void MakeOpaque() { ApplyPixelOperation(cxpixels::poOpaque); }
  bool HasAlpha();
  void MaskWith(TBitmap* Mask);
  void SetChecker(TColor Color1, TColor Color2, int CellSize, Byte Alpha1 = 255, Byte Alpha2 = 255);
  void AddTransparentColor(TColor AColor);
  void ClearTransparentColors() { colorList_.clear(); }

 private:
  std::vector<std::uint32_t> colorList_;
  std::vector<cxpixels::Pixel> pixels_;
  cxpixels::Pixel checker1_ = 0, checker2_ = 0;
  int checkerSize_ = 1;
};

// ---- colours ----------------------------------------------------------------------------------

TColor NearestScreenColor(TColor Color);
using cxpixels::ClampChannel;
// Per channel face × PFace% + highlight × PHighlight% + window × PWindow% (signed percentages,
// clamped); the highlight colour when the button face is black or white.
TColor MixSystemColors(int PFace, int PHighlight, int PWindow);
inline TColor MixedSystemColor(int PFace, int PHighlight, int PWindow) { return MixSystemColors(PFace, PHighlight, PWindow); }
// The selection and hot tints derived from the system colours (one routine for both).
TColor SystemTintColor(int PFace, int PHighlight, int PWindow);
inline TColor SelectionTintColor() { return SystemTintColor(14, 44, 40); }
inline TColor HotTintColor() { return SystemTintColor(-2, 30, 72); }
// Each channel × Percent / 100, truncated.
TColor DarkenColorPercent(TColor Color, int Percent);
bool WebColorByName(const String& Name, TColor& Color);
cxpixels::Pixel ColorToPixel(TColor Color, Byte Alpha = 255);

// ---- bitmaps and device contexts --------------------------------------------------------------

TBitmap* NewBitmapSized(int W, int H, TPixelFormat PixelFormat = pf24bit);
TBitmap* NewBitmapForRect(const TRect& R, TPixelFormat PixelFormat = pf24bit);
void SetBitmapGeometry(TBitmap* Bitmap, int W, int H, TPixelFormat PixelFormat);
void BlitRect(HDC DestDC, HDC SrcDC, const TRect& DestRect, const TPoint& SrcTopLeft, DWORD RasterOp = SRCCOPY);
void StretchBitmapOnto(TBitmap* Dest, TBitmap* Source);
// A new 32-bit bitmap holding R of the DC.
TcxBitmap* CaptureDCRect(HDC DC, const TRect& R);
std::vector<cxpixels::Pixel> ReadBitmapPixels(TBitmap* Bitmap, bool TopDown);
void WriteBitmapPixels(TBitmap* Bitmap, std::vector<cxpixels::Pixel>& Pixels, bool TopDown);

// AlphaBlend with the constant alpha and per-pixel alpha; false when it is not bound or fails.
bool AlphaBlendRects(HDC DestDC, HDC SrcDC, const TRect& DestRect, const TRect& SrcRect, Byte Alpha = 255);
// Blends SrcRect onto DestRect, through AlphaBlend or, when it is missing or a stretch is asked
// between rectangles of different sizes, in software.
void BlendDCRect(HDC DestDC, HDC SrcDC, const TRect& DestRect, const TRect& SrcRect, bool Stretch = false,
                 Byte Alpha = 255);
void AlphaBlendBitmapTo(HDC DestDC, TBitmap* Bitmap, const TRect& DestRect, const TRect& SrcRect, bool Stretch = false,
                        Byte Alpha = 255);
void AlphaBlendDCTo(HDC DestDC, HDC SrcDC, const TRect& DestRect, const TRect& SrcRect, bool Stretch = false,
                    Byte Alpha = 255);
// Scales Source onto Dest: halftone stretching, or the Lanczos-3 filter when forced.
void ResampleBitmap(TBitmap* Source, TBitmap* Dest, bool Force = false);
void ProcessDCRectThroughBitmap(HDC DC, const TRect& R, TColor Color1, TColor Color2, int CellSize, Byte Alpha1,
                                Byte Alpha2);
// Dest becomes a 32-bit glyph whose transparent pixels (Source's transparent colour) are zero.
void MakeAlphaGlyph(TBitmap* Source, TBitmap* Dest);
void BlendFadeFrame(TBitmap* Target, TBitmap* From, TBitmap* To, Byte Alpha);
void RotateBitmapPixels(TBitmap* Bitmap, int Rotation, bool Mirror);
void ShadowGlyph(TBitmap* Bitmap, TBitmap* Source, int Offset, TColor Color, bool Grow);

enum TcxGlyphPaintMode { gpmNormal, gpmDisabled, gpmFaded, gpmGray, gpmLight, gpmShadowed };

// Asked before the glyph painter draws; true when it has drawn the image itself.
using TcxGlyphPaintHook = bool (*)(TcxCanvas* Canvas, TCustomImageList* Images, int ImageIndex,
                                   TcxGlyphPaintMode Mode, const TRect& GlyphRect, TBitmap* Glyph);
extern TcxGlyphPaintHook GlyphPaintHook;

// Draws Glyph, or else image ImageIndex of Images, into GlyphRect (DC coordinates) in the mode,
// through a scratch bitmap of DestRect copied to the DC. BackBrush fills the scratch first, else
// the DC's content under DestRect is taken.
void PaintImageOrGlyph(HDC DC, const TRect& GlyphRect, const TRect& DestRect, TBitmap* Glyph,
                       TCustomImageList* Images, int ImageIndex, TcxGlyphPaintMode Mode, bool Stretch = false,
                       HBRUSH BackBrush = nullptr, TColor BackColor = clNone, bool Transparent = true);

// The design-time selection mark: hatched light green (kind 0) or light red (kind 1), framed, and
// taken out of the clip with a one-pixel shadow.
void DrawHatchedMarker(TcxCanvas* Canvas, const TRect& R, int Kind);
// Paints what lies behind a control (its parent, and with PaintChildren the siblings before it).
void DrawControlParentBackground(TWinControl* Control, TcxCanvas* Canvas, const TRect& R, bool PaintChildren);
// Moves Field to NewList, moving Owner's free notification and ChangeLink along; the link fires once.
void SwapImageListLink(TCustomImageList* NewList, TCustomImageList*& Field, TChangeLink* ChangeLink, TComponent* Owner);
inline bool GlyphHasImage(TBitmap* Bitmap) { return Bitmap && !Bitmap->Empty(); }
bool ImageIndexValid(TCustomImageList* List, int Index);
inline void DeflateRectInPlace(TRect& R, const TRect& Margins) { R = DeflateRectByMargins(R, Margins); }
int SizeGripBandHeight();
// 0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right.
int SizeGripCornerFor(const TRect& OwnerRect, const TRect& DropDownRect);
int HitTestCodeForCorner(int Corner);
void PaintCornerSizeGrip(HDC DC, TRect& R, int Corner);

// The brushes of system colours 0 to 30 and the one-pixel checker pattern brush.
HBRUSH SystemColorBrush(int Index);
HBRUSH CheckerPatternBrush();
// The 8 x 8 one-pixel checker of black and white, as a bitmap.
TBitmap* CheckerPatternBitmap();
