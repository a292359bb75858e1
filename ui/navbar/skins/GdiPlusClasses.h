#pragma once
// Thin objects over the GDI+ flat API: a graphics object on a DC, brushes, and the native image
// that TdxPNGImage holds. Status codes are kept, never raised: a failed call leaves its handle 0,
// and calls on a 0 handle draw nothing and report size 0.
//
// Pixels handed in and read back are straight (not premultiplied) 32-bit B, G, R, A, the
// framework bitmap's own convention.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/framework/classes/Object.h"
#include "platform/framework/graphics/Graphics.h"
#include "ui/navbar/skins/GdiPlus.h"

class TBitmap;
class TStream;

// Objects of the layer live in GDI+'s own memory (GdipAlloc, GdipFree). Once the session has
// ended (the exit step), freeing one calls nothing of GDI+.
class TdxGPBase : public TObject {
  DECLARE_CLASS(TdxGPBase, TObject)
 public:
  static void* operator new(std::size_t size);
  static void operator delete(void* memory);
};

class TdxGPBrush : public TdxGPBase {
  DECLARE_CLASS(TdxGPBrush, TdxGPBase)
 public:
  // Takes over a native brush (may be 0).
  TdxGPBrush(GpBrush* handle, GpStatus status) : handle_(handle), lastStatus_(status) {}
  ~TdxGPBrush() override;

  // A new brush over GdipCloneBrush of this one, with this brush's last status.
  virtual TdxGPBrush* Clone();
  GpBrush* Handle() const { return handle_; }
  GpStatus LastStatus() const { return lastStatus_; }

 protected:
  TdxGPBrush() = default;
  GpBrush* handle_ = nullptr;
  GpStatus lastStatus_ = GpOk;
};

// GDI+ linear-gradient modes.
enum TdxGPLinearGradientMode { lgmHorizontal, lgmVertical, lgmForwardDiagonal, lgmBackwardDiagonal };

// Colours are 32-bit ARGB (alpha in the high byte); Color1 is at the start, the wrap mode is tile.
class TdxGPLinearGradientBrush : public TdxGPBrush {
  DECLARE_CLASS(TdxGPLinearGradientBrush, TdxGPBrush)
 public:
  TdxGPLinearGradientBrush(const GpRectI& Rect, DWORD Color1, DWORD Color2, TdxGPLinearGradientMode Mode);
};

class TdxGPGraphics : public TdxGPBase {
  DECLARE_CLASS(TdxGPGraphics, TdxGPBase)
 public:
  explicit TdxGPGraphics(HDC DC);
  ~TdxGPGraphics() override;

  // Rect is (left, top, width, height).
  void FillRectangle(TdxGPBrush* Brush, const GpRectI& Rect);
  GpGraphics* Handle() const { return handle_; }
  GpStatus LastStatus() const { return lastStatus_; }

 private:
  void Keep(GpStatus status);

  GpGraphics* handle_ = nullptr;
  GpStatus lastStatus_ = GpOk;
};

using TdxRGBColors = std::vector<RGBQUAD>;

class TdxGPImage;

// The image family's virtual constructors: GPImageClass() makes every native image object, so
// without GDI+ the null class makes images that hold nothing.
class TdxGPImageMetaClass : public TMetaClass {
 public:
  using TMetaClass::TMetaClass;
  // An image without a native image.
  virtual TdxGPImage* Create() const = 0;
  // Pixels of a framework bitmap; only a 32-bit bitmap keeps its alpha bytes.
  virtual TdxGPImage* CreateFromBitmap(TBitmap* Bitmap) const = 0;
  // Straight pixels, top-down rows; without alpha every pixel becomes opaque.
  virtual TdxGPImage* CreateFromBits(int Width, int Height, const TdxRGBColors& Bits, bool HasAlpha) const = 0;
  // A BMP file (read by the framework bitmap) or anything GDI+ decodes, from the stream's position.
  virtual TdxGPImage* CreateFromStream(TStream& Stream) const = 0;

  template <class Self>
  class Of;
};
using TdxGPImageClass = const TdxGPImageMetaClass*;

class TdxGPImage : public TdxGPBase {
 public:
  using MetaClass = TdxGPImageMetaClass;
  DECLARE_CLASS(TdxGPImage, TdxGPBase)
 public:
  ~TdxGPImage() override;

  GpImage* Handle() const { return handle_; }
  // The pixels the image was made from; empty for decoded images.
  const TdxRGBColors& Bits() const { return bits_; }
  // GdipGetImageDimension rounded; 0 without a native image.
  int Width() const;
  int Height() const;
  // A new image of GPImageClass() with the same pixels.
  TdxGPImage* Clone() const;
  // Writes the image as PNG.
  void SaveToStream(TStream& Stream) const;
  // The straight 32-bit pixels, top-down; false without a native image.
  bool ReadPixels(TdxRGBColors& Pixels, int& Width, int& Height) const;

 protected:
  template <class Self>
  friend class TdxGPImageMetaClass::Of;
  TdxGPImage() = default;
  // The construction steps behind the metaclass's constructors (the null image does nothing).
  virtual void LoadFromStream(TStream& Stream);
  virtual void InitFromBitmap(TBitmap* Bitmap);
  virtual void InitFromBits(int Width, int Height, const TdxRGBColors& Bits, bool HasAlpha);
  virtual void InitFromStream(TStream& Stream);
  // The clone's native image: a copy of source's.
  virtual void InitAsCloneOf(const TdxGPImage& Source);

 private:
  void Dimensions(float& width, float& height) const;

  TdxRGBColors bits_;
  GpImage* handle_ = nullptr;
  // The stream GDI+ reads a decoded image from, lazily; released after the image.
  IStream* source_ = nullptr;
};

template <class Self>
class TdxGPImageMetaClass::Of : public TdxGPImageMetaClass {
 public:
  using TdxGPImageMetaClass::TdxGPImageMetaClass;
  TdxGPImage* Create() const override { return new Self(); }
  TdxGPImage* CreateFromBitmap(TBitmap* Bitmap) const override {
    return Made([&](Self& image) { image.InitFromBitmap(Bitmap); });
  }
  TdxGPImage* CreateFromBits(int Width, int Height, const TdxRGBColors& Bits, bool HasAlpha) const override {
    return Made([&](Self& image) { image.InitFromBits(Width, Height, Bits, HasAlpha); });
  }
  TdxGPImage* CreateFromStream(TStream& Stream) const override {
    return Made([&](Self& image) { image.InitFromStream(Stream); });
  }

 private:
  template <class Init>
  static TdxGPImage* Made(Init&& init) {
    ObjectPtr<Self> image(new Self());
    init(*image);
    return image.release();
  }
};

// Made when GDI+ is unavailable: on the ordinary heap, holding nothing, calling nothing of GDI+.
class TdxGPNullImage : public TdxGPImage {
  DECLARE_CLASS(TdxGPNullImage, TdxGPImage)
 public:
  static void* operator new(std::size_t size) { return ::operator new(size); }
  static void operator delete(void* memory) { ::operator delete(memory); }

 protected:
  template <class Self>
  friend class TdxGPImageMetaClass::Of;
  TdxGPNullImage() = default;
  void LoadFromStream(TStream&) override {}
  void InitFromBitmap(TBitmap*) override {}
  void InitFromBits(int, int, const TdxRGBColors&, bool) override {}
  void InitFromStream(TStream&) override {}
  void InitAsCloneOf(const TdxGPImage&) override {}
};

// The class that makes every native image object: TdxGPNullImage until the unit start finds GDI+.
TdxGPImageClass& GPImageClass();

// For tests (of this layer and of its users): GDI+ answers unavailable and GPImageClass() is
// TdxGPNullImage for the scope's life; both are restored at its end.
class TGdiPlusUnavailableScope {
 public:
  TGdiPlusUnavailableScope();
  ~TGdiPlusUnavailableScope();
  TGdiPlusUnavailableScope(const TGdiPlusUnavailableScope&) = delete;
  TGdiPlusUnavailableScope& operator=(const TGdiPlusUnavailableScope&) = delete;

 private:
  TdxGPImageClass savedClass_;
};
