#pragma once
// TBitmap: a DIB section with a canvas, direct row access, transparency by colour key, and the
// BMP file format.
//
// 32-bit pixels are stored B, G, R, A with straight (not premultiplied) alpha; code that hands
// them to AlphaBlend, UpdateLayeredWindow or GDI+ premultiplies them itself.

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(GRAPHICS);

#include <vector>

#include "platform/framework/graphics/Graphic.h"

// pfDevice is a 32-bit DIB section that reports its format as pfDevice.
enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf24bit, pf32bit };
// tmAuto: the transparent colour is the bottom-left pixel; tmFixed: TransparentColor as set.
enum TTransparentMode { tmAuto, tmFixed };

class TBitmap;

// The canvas of a bitmap: a memory DC with the bitmap selected, made on demand.
class TBitmapCanvas : public TCanvas {
  DECLARE_CLASS(TBitmapCanvas, TCanvas)
 public:
  explicit TBitmapCanvas(TBitmap* bitmap) : bitmap_(bitmap) {}
  ~TBitmapCanvas() override;
  // Takes the bitmap out of the DC and frees the DC.
  void FreeContext();

 protected:
  void CreateHandle() override;

 private:
  TBitmap* bitmap_;
  HDC dc_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
};

class TBitmap : public TGraphic {
  DECLARE_CLASS(TBitmap, TGraphic)
 public:
  TBitmap();
  TBitmap(int AWidth, int AHeight, TPixelFormat Format = pf32bit);
  ~TBitmap() override;

  bool Empty() const override { return width_ <= 0 || height_ <= 0; }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  // Resizing keeps the top-left part of the picture.
  void SetWidth(int Value) override { SetSize(Value, height_); }
  void SetHeight(int Value) override { SetSize(width_, Value); }
  void SetSize(int AWidth, int AHeight) override;

  TPixelFormat PixelFormat() const { return format_; }
  // Converts the picture to the new format (GDI maps colours to the new palette).
  void SetPixelFormat(TPixelFormat Value);
  bool Monochrome() const { return format_ == pf1bit; }
  void SetMonochrome(bool Value);
  // Bits per pixel of the storage.
  int BitsPerPixel() const;

  // The DIB section; made when the bitmap has a size and no handle (after Dormant). The canvas
  // releases it, so it can be selected elsewhere.
  HBITMAP Handle();
  // Adopts a bitmap handle (and deletes it): a monochrome bitmap becomes a 1-bit picture, a 24-bit
  // one 24-bit, anything else 32-bit with its alpha bytes kept.
  void SetHandle(HBITMAP Value);
  // Gives the handle to the caller; the bitmap is empty afterwards.
  HBITMAP ReleaseHandle();
  bool HandleAllocated() const { return handle_ != nullptr; }

  TCanvas* Canvas();
  // Row y (0 = top) of the pixel data. Writing through it is seen by the next draw.
  void* ScanLine(int Row);
  // Bytes from one row to the next in the storage.
  int RowStride() const;

  // Colour table of the 1-, 4- and 8-bit formats (an HPALETTE made from it on demand).
  HPALETTE Palette() override;
  void SetPalette(HPALETTE Value) override;
  std::vector<RGBQUAD> ColorTable() const { return colors_; }
  void SetColorTable(const std::vector<RGBQUAD>& Colors);

  // Pixels of this colour are not drawn while Transparent is set. tmAuto takes the bottom-left
  // pixel; setting a colour switches to tmFixed (clDefault switches back to tmAuto).
  TColor TransparentColor();
  void SetTransparentColor(TColor Value);
  TTransparentMode TransparentMode() const { return transparentMode_; }
  void SetTransparentMode(TTransparentMode Value);

  // Keeps the picture in memory but releases the GDI bitmap and DC until the next use.
  void Dormant();
  // Drops the in-memory copy that Dormant keeps once the bitmap has a handle again.
  void FreeImage();

  void Assign(TPersistent* Source) override;

  // BMP files: 1-, 4-, 8-, 16-, 24- and 32-bit, core/info/V4/V5 headers, uncompressed or bit
  // fields, bottom-up or top-down. Anything else raises EInvalidGraphic "Bitmap image is not valid".
  void LoadFromStream(TStream& Stream) override;
  // A BMP file with an info header; 32-bit pictures keep their alpha bytes.
  void SaveToStream(TStream& Stream) override;
  void LoadFromResourceName(HINSTANCE Instance, const String& ResName);
  void LoadFromResourceID(HINSTANCE Instance, int ResID);
  void LoadFromClipboardFormat(UINT Format, HANDLE Data, HPALETTE Palette) override;
  void SaveToClipboardFormat(UINT& Format, HANDLE& Data, HPALETTE& Palette) override;

  // A 32-bit byte count, then the BMP file.
  void ReadData(TStream& Stream) override;
  void WriteData(TStream& Stream) override;

  // Loads a packed DIB (info header, colour table, pixels), as resources and the clipboard hold it.
  void LoadFromDIB(const void* Data, size_t Size);

 protected:
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;
  void Changed(TObject* Sender) override;

 private:
  friend class TBitmapCanvas;
  // Makes a new, zero-filled DIB section of the size and format and replaces the current one.
  void Allocate(int width, int height, TPixelFormat format, const std::vector<RGBQUAD>& colors);
  void DestroyHandle();
  void EnsureHandle();
  void RestoreFromDormant();
  void CanvasChanged(TObject* Sender);
  // The monochrome mask of transparent drawing (1 = transparent), selected into its own DC; made
  // once per picture and key colour.
  HDC TransparencyMask();
  void FreeMask();
  Byte* Row(int y) const;
  TColor PixelAt(int x, int y) const;
  // Takes over other's storage; other is left empty.
  void TakeStorage(TBitmap& other);
  // Parses a BMP file (or a packed DIB) into this bitmap; returns the offset just past the pixels.
  size_t LoadBmp(const Byte* data, size_t size, bool hasFileHeader);

  int width_ = 0;
  int height_ = 0;
  TPixelFormat format_ = pfDevice;
  std::vector<RGBQUAD> colors_;
  HBITMAP handle_ = nullptr;
  Byte* bits_ = nullptr;
  HPALETTE palette_ = nullptr;
  TBitmapCanvas* canvas_ = nullptr;
  TColor transparentColor_ = clDefault;
  TTransparentMode transparentMode_ = tmAuto;
  AnsiString dormant_;
  // The cached mask of transparent drawing and the colour it was made for.
  HBITMAP mask_ = nullptr;
  HDC maskDC_ = nullptr;
  HGDIOBJ maskOld_ = nullptr;
  COLORREF maskColor_ = 0;
};

// The default colour table of a 1-, 4- or 8-bit format (black/white, the 16 VGA colours, and
// 16 VGA colours + a 6x6x6 cube + 24 greys); empty for the others.
std::vector<RGBQUAD> DefaultColorTable(TPixelFormat Format);
