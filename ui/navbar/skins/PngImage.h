#pragma once

#include <vector>
// TdxPNGImage: a picture class holding one GDI+ image; loads BMP and whatever GDI+ decodes, saves
// PNG, and draws with alpha. Registered for "png" only where no other class holds the extension.

#include "platform/framework/graphics/Graphic.h"
#include "ui/navbar/skins/GdiPlusClasses.h"

class TdxPNGImage : public TGraphic {
  DECLARE_CLASS(TdxPNGImage, TGraphic)
 public:
  TdxPNGImage();
  ~TdxPNGImage() override;

  bool Empty() const override;
  int Width() const override;
  int Height() const override;
  // The size comes from the image: resizing does nothing.
  void SetWidth(int) override {}
  void SetHeight(int) override {}
  // Always transparent.
  void SetTransparent(bool) override {}

  // The rest of the stream from its position: nothing clears the picture; a BMP file (14 bytes or
  // more starting "BM") is read by the framework bitmap, which raises for a damaged one and keeps
  // this picture as it was; anything else GDI+ cannot decode leaves the picture empty.
  void LoadFromStream(TStream& Stream) override;
  // The image as PNG; nothing when empty.
  void SaveToStream(TStream& Stream) override;
  void LoadFromClipboardFormat(UINT, HANDLE, HPALETTE) override {}
  void SaveToClipboardFormat(UINT&, HANDLE&, HPALETTE&) override {}

  // Straight top-down pixels (alpha kept) as the picture; empty bits empty it.
  void LoadFromBits(int Width, int Height, const TdxRGBColors& Bits);
  // A framework bitmap or another TdxPNGImage (an empty one empties this one).
  void Assign(TPersistent* Source) override;

  // Same size, neither empty, all four bytes of every pixel equal.
  bool IsEqual(TdxPNGImage* Image);
  // A new 32-bit framework bitmap with the image's straight pixels; the caller owns it.
  TBitmap* GetAsBitmap();
  void SetBitmap(TBitmap* Bitmap);
  // True when a pixel's alpha is not 255 (cached until the next change).
  bool IsAlphaUsed();

  void DrawToDC(HDC DC, const TRect& Dest);
  // Source and destination are (left, top, right, bottom).
  void DrawRectToDC(HDC DC, const TRect& Dest, const TRect& Source);
  void DrawOnGraphics(GpGraphics* Graphics, const TRect& Dest, const TRect& Source);
  static void DrawOnGraphicsIfLoaded(TdxPNGImage* Image, GpGraphics* Graphics, const TRect& Dest,
                                     const TRect& Source);
  // Draws the part as DrawOnGraphics does, from a copy scaled once to the destination's size with
  // the interpolation mode and kept for the next draw of that part at that size (GDI+ scales slowly
  // under Wine; a kept copy is blended by GDI). False when no copy could be made: draw directly then.
  bool DrawScaledCopy(GpGraphics* Graphics, const TRect& Dest, const TRect& Source, int Interpolation);
  // Draws the part repeated from the destination's top-left corner (cut at its right and bottom
  // edges) from a copy made once per destination size and kept like the scaled ones: one blend
  // instead of a GDI+ draw per tile. False when no copy could be made.
  bool DrawTiledCopy(GpGraphics* Graphics, const TRect& Dest, const TRect& Source);
  int ScaledCopyCount() const { return int(scaledCopies_.size()); }

  // The held image (null when empty); replacing it frees the previous one.
  TdxGPImage* Image() const { return image_; }
  void AssignImage(TdxGPImage* Image);

 protected:
  void AssignTo(TPersistent* Dest) override;
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;
  void Changed(TObject* Sender) override;

 private:
  struct ScaledCopy {
    TRect Source;
    int Width, Height, Interpolation;  // Interpolation: kTiledCopy for a tiled one
    HBITMAP Bitmap;
  };
  void ClearScaledCopies();
  HBITMAP MakeScaledCopy(const TRect& Source, int Width, int Height, int Interpolation);
  HBITMAP MakeTiledCopy(const TRect& Source, int Width, int Height);
  // The kept copy of that kind (made by Make when missing) blended into Dest.
  template <class Make>
  bool DrawKeptCopy(GpGraphics* Graphics, const TRect& Dest, const TRect& Source, int Kind, Make&& make);
  TdxGPImage* image_ = nullptr;
  std::vector<ScaledCopy> scaledCopies_;  // most recently used last
  bool alphaUsed_ = false;
  bool alphaComputed_ = false;
};

// The layer's unit start and end: GPImageClass() and the registrations follow GDI+'s availability.
// The start registers the class by name, and for "png" only when no class holds it yet; the end
// removes only what the start added. Tests call them to restart the unit.
void StartGdiPlusUnit();
void EndGdiPlusUnit();
