#pragma once
// TPNGObject: the framework's graphic for PNG images. The codec core holds the chunks and decodes
// into a DIB-section frame made here; this class adds drawing, the logical palette, pixel writes,
// conversion to and from bitmaps and the clipboard, and registers itself for "png" files.

#include "platform/framework/graphics/Graphic.h"
#include "ui/extras/png/PngImageCore.h"

class TPNGObject : public TGraphic, public TPngImageCore {
  DECLARE_CLASS(TPNGObject, TGraphic)
 public:
  TPNGObject() = default;
  ~TPNGObject() override;

  bool Empty() const override { return TPngImageCore::Empty(); }
  int Width() const override { return int(TPngImageCore::Width()); }
  int Height() const override { return int(TPngImageCore::Height()); }
  // A PNG image is only resized by assigning another picture: both raise EPngError.
  void SetWidth(int Value) override;
  void SetHeight(int Value) override;

  using TPngImageCore::LoadFromStream;
  using TPngImageCore::SaveToStream;
  void LoadFromStream(TStream& Stream) override;
  void SaveToStream(TStream& Stream) override;

  // Copies another PNG image or converts a bitmap; other sources raise the framework's error.
  void Assign(TPersistent* Source) override;
  // Reads the bitmap's size, depth and pixels: 16 bits per pixel and more become 8-bit RGB, fewer
  // a palette image of that depth. With transparent set, keyColor becomes the transparency key.
  // An empty bitmap empties the image.
  void AssignFromBitmapHandle(HBITMAP Bitmap, bool Transparent, TColor KeyColor);

  // As the core's, and observers hear of the new transparency.
  void AddAlphaChannel();

  // Colour key or alpha in the image (needs a header).
  bool GetTransparent() const { return TransparencyKind() != trNone; }

  // Grey and palette images: a 256-entry logical palette of the colour table, kept until the
  // frame or its colours change; 0 for the other colour types.
  HPALETTE Palette() override;
  // Grey and palette images: the colour table takes the palette's colours.
  void SetPalette(HPALETTE Value) override;

  // Stores a colour at (x, y); nothing outside the image. Grey and palette images store the
  // index of the nearest palette entry, grey with alpha the red byte. No gamma is applied.
  virtual void SetPixelColor(int X, int Y, TColor Value);

  void LoadFromClipboardFormat(UINT Format, HANDLE Data, HPALETTE Palette) override;
  void SaveToClipboardFormat(UINT& Format, HANDLE& Data, HPALETTE& Palette) override;

  std::unique_ptr<IPngFrame> CreateFrame(const TPngFrameLayout& layout) override;
  void FrameRebuilt() override { DeletePaletteHandle(); }

 protected:
  void AssignTo(TPersistent* Dest) override;
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;
  // Keeps the framework's Transparent flag in step with the image.
  void Changed(TObject* Sender) override;

 private:
  void DeletePaletteHandle();
  bool HasFrame() const;

  HPALETTE paletteHandle_ = nullptr;
};
