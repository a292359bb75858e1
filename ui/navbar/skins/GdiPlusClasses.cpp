#include "ui/navbar/skins/GdiPlusClasses.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <new>

#include "platform/framework/classes/Stream.h"
#include "platform/framework/graphics/Bitmap.h"

DEFINE_CLASS(TdxGPBase)
DEFINE_CLASS(TdxGPBrush)
DEFINE_CLASS(TdxGPLinearGradientBrush)
DEFINE_CLASS(TdxGPGraphics)
DEFINE_CLASS(TdxGPImage)
DEFINE_CLASS(TdxGPNullImage)

// ---- TdxGPBase ------------------------------------------------------------------------------------

void* TdxGPBase::operator new(std::size_t size) {
  void* memory = GdiPlusSessionRunning() ? Bound().GdipAlloc.Get()(size) : nullptr;
  if (!memory) throw std::bad_alloc();
  return memory;
}

void TdxGPBase::operator delete(void* memory) {
  // After the exit step the memory goes with the process.
  if (memory && GdiPlusSessionRunning()) Bound().GdipFree.Get()(memory);
}

// ---- brushes --------------------------------------------------------------------------------------

TdxGPBrush::~TdxGPBrush() {
  if (handle_ && GdiPlusSessionRunning()) Bound().GdipDeleteBrush.Get()(handle_);
}

TdxGPBrush* TdxGPBrush::Clone() {
  GpBrush* clone = nullptr;
  if (handle_ && GdiPlusSessionRunning()) Bound().GdipCloneBrush.Get()(handle_, &clone);
  try {
    return new TdxGPBrush(clone, lastStatus_);
  } catch (...) {
    if (clone) Bound().GdipDeleteBrush.Get()(clone);
    throw;
  }
}

TdxGPLinearGradientBrush::TdxGPLinearGradientBrush(const GpRectI& Rect, DWORD Color1, DWORD Color2,
                                                   TdxGPLinearGradientMode Mode) {
  constexpr int kWrapModeTile = 0;
  lastStatus_ = Bound().GdipCreateLineBrushFromRectI.Get()(&Rect, Color1, Color2, Mode, kWrapModeTile, &handle_);
  if (lastStatus_ != GpOk) handle_ = nullptr;
}

// ---- TdxGPGraphics --------------------------------------------------------------------------------

TdxGPGraphics::TdxGPGraphics(HDC DC) {
  Keep(Bound().GdipCreateFromHDC.Get()(DC, &handle_));
  if (lastStatus_ != GpOk) handle_ = nullptr;
}

TdxGPGraphics::~TdxGPGraphics() {
  if (handle_ && GdiPlusSessionRunning()) Bound().GdipDeleteGraphics.Get()(handle_);
}

void TdxGPGraphics::Keep(GpStatus status) {
  if (status != GpOk) lastStatus_ = status;
}

void TdxGPGraphics::FillRectangle(TdxGPBrush* Brush, const GpRectI& Rect) {
  if (!handle_ || !Brush || !Brush->Handle()) return;
  Keep(Bound().GdipFillRectangleI.Get()(handle_, Brush->Handle(), Rect.X, Rect.Y, Rect.Width, Rect.Height));
}

// ---- TdxGPImage -----------------------------------------------------------------------------------

namespace {

constexpr std::size_t kBmpSniffSize = 14;

// A movable global block holding the rest of the stream, wrapped as a COM stream that owns it.
IStream* CopyToGlobalStream(TStream& stream) {
  const Int64 count = stream.Size() - stream.Position();
  if (count <= 0 || count > Int64(INT32_MAX)) return nullptr;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, SIZE_T(count));
  if (!block) return nullptr;
  void* memory = GlobalLock(block);
  Int64 read = memory ? stream.Read(memory, count) : 0;
  GlobalUnlock(block);
  IStream* result = nullptr;
  if (read != count || FAILED(CreateStreamOnHGlobal(block, TRUE, &result))) {
    GlobalFree(block);
    return nullptr;
  }
  return result;
}

}  // namespace

TdxGPImage::~TdxGPImage() {
  if (handle_ && GdiPlusSessionRunning()) Bound().GdipDisposeImage.Get()(handle_);
  if (source_) source_->Release();
}

void TdxGPImage::Dimensions(float& width, float& height) const {
  width = height = 0;
  if (!handle_ || !GdiPlusSessionRunning() ||
      Bound().GdipGetImageDimension.Get()(handle_, &width, &height) != GpOk)
    width = height = 0;
}

int TdxGPImage::Width() const {
  float width, height;
  Dimensions(width, height);
  return int(std::lround(width));
}

int TdxGPImage::Height() const {
  float width, height;
  Dimensions(width, height);
  return int(std::lround(height));
}

void TdxGPImage::LoadFromStream(TStream& Stream) {
  IStream* source = CopyToGlobalStream(Stream);
  if (!source) return;
  GpImage* image = nullptr;
  if (Bound().GdipCreateBitmapFromStream.Get()(source, &image) != GpOk || !image) {
    source->Release();
    return;
  }
  handle_ = image;
  source_ = source;
}

void TdxGPImage::InitFromBits(int Width, int Height, const TdxRGBColors& Bits, bool HasAlpha) {
  if (Width <= 0 || Height <= 0 || Bits.size() < std::size_t(Width) * std::size_t(Height)) return;
  bits_.assign(Bits.begin(), Bits.begin() + std::ptrdiff_t(Width) * Height);
  if (!HasAlpha)
    for (RGBQUAD& pixel : bits_) pixel.rgbReserved = 255;
  GpImage* image = nullptr;
  if (Bound().GdipCreateBitmapFromScan0.Get()(Width, Height, Width * 4, GpPixelFormat32bppARGB,
                                              reinterpret_cast<BYTE*>(bits_.data()), &image) == GpOk)
    handle_ = image;
}

void TdxGPImage::InitFromBitmap(TBitmap* Bitmap) {
  PngEncoderClassID();
  if (!Bitmap || Bitmap->Empty()) return;
  const int width = Bitmap->Width(), height = Bitmap->Height();
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  TdxRGBColors pixels(std::size_t(width) * height);
  HDC screen = GetDC(nullptr);
  const int rows = GetDIBits(screen, Bitmap->Handle(), 0, UINT(height), pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (rows != height) return;
  InitFromBits(width, height, pixels, Bitmap->PixelFormat() == pf32bit);
}

void TdxGPImage::InitFromStream(TStream& Stream) {
  if (Stream.Size() - Stream.Position() < Int64(kBmpSniffSize)) return;
  char head[kBmpSniffSize];
  Stream.ReadBuffer(head, kBmpSniffSize);
  Stream.Seek(-Int64(kBmpSniffSize), soCurrent);
  if (head[0] != 'B' || head[1] != 'M') return LoadFromStream(Stream);
  ObjectPtr<TBitmap> bitmap(new TBitmap());
  bitmap->LoadFromStream(Stream);
  InitFromBitmap(bitmap.get());
}

void TdxGPImage::InitAsCloneOf(const TdxGPImage& Source) {
  GpImage* image = nullptr;
  if (Source.handle_ && Bound().GdipCloneImage.Get()(Source.handle_, &image) == GpOk) handle_ = image;
}

TdxGPImage* TdxGPImage::Clone() const {
  if (!bits_.empty()) return GPImageClass()->CreateFromBits(Width(), Height(), bits_, true);
  ObjectPtr<TdxGPImage> clone(GPImageClass()->Create());
  clone->InitAsCloneOf(*this);
  return clone.release();
}

void TdxGPImage::SaveToStream(TStream& Stream) const {
  if (!handle_ || !GdiPlusSessionRunning()) return;
  IStream* target = CreateStreamAdapter(Stream);
  Bound().GdipSaveImageToStream.Get()(handle_, target, &PngEncoderClassID(), nullptr);
  target->Release();
}

bool TdxGPImage::ReadPixels(TdxRGBColors& Pixels, int& Width, int& Height) const {
  Width = this->Width();
  Height = this->Height();
  if (Width <= 0 || Height <= 0) return false;
  const GpRectI whole{0, 0, Width, Height};
  GpBitmapData data{};
  if (Bound().GdipBitmapLockBits.Get()(handle_, &whole, GpImageLockModeRead, GpPixelFormat32bppARGB, &data) != GpOk)
    return false;
  Pixels.resize(std::size_t(Width) * Height);
  for (int y = 0; y < Height; ++y)
    std::memcpy(&Pixels[std::size_t(y) * Width],
                static_cast<const Byte*>(data.Scan0) + std::ptrdiff_t(y) * data.Stride, std::size_t(Width) * 4);
  Bound().GdipBitmapUnlockBits.Get()(handle_, &data);
  return true;
}

// ---- class selection ------------------------------------------------------------------------------

TdxGPImageClass& GPImageClass() {
  static TdxGPImageClass imageClass = &TdxGPNullImage::ClassInfo();
  return imageClass;
}

TGdiPlusUnavailableScope::TGdiPlusUnavailableScope() : savedClass_(GPImageClass()) {
  ForceGdiPlusUnavailable(true);
  GPImageClass() = &TdxGPNullImage::ClassInfo();
}

TGdiPlusUnavailableScope::~TGdiPlusUnavailableScope() {
  ForceGdiPlusUnavailable(false);
  GPImageClass() = savedClass_;
}
