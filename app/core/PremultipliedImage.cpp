#include "app/core/PremultipliedImage.h"

#include <cstring>

#include "platform/framework/rtl/Seams.h"
#include "platform/framework/base/Win32.h"

namespace {

// The few flat-API declarations used here, bound at run time like the rest of GDI+.
using GpStatus = int;
struct GpBitmap;
struct GpRect {
  INT X, Y, Width, Height;
};
struct GpBitmapData {
  UINT Width;
  UINT Height;
  INT Stride;
  INT PixelFormat;
  void* Scan0;
  UINT_PTR Reserved;
};
static_assert(sizeof(GpBitmapData) == (sizeof(void*) == 8 ? 32 : 24));
struct GpStartupInput {
  UINT32 GdiplusVersion = 1;
  void* DebugEventCallback = nullptr;
  BOOL SuppressBackgroundThread = FALSE;
  BOOL SuppressExternalCodecs = FALSE;
};

constexpr INT kPixelFormat32bppPARGB = 0x000E200B;
constexpr UINT kImageLockModeRead = 1;

TBoundFunction<GpStatus(WINAPI*)(const wchar_t*, GpBitmap**)> GdipCreateBitmapFromFile{
    L"gdiplus.dll", "GdipCreateBitmapFromFile"};
TBoundFunction<GpStatus(WINAPI*)(GpBitmap*, UINT*)> GdipGetImageWidth{L"gdiplus.dll", "GdipGetImageWidth"};
TBoundFunction<GpStatus(WINAPI*)(GpBitmap*, UINT*)> GdipGetImageHeight{L"gdiplus.dll", "GdipGetImageHeight"};
TBoundFunction<GpStatus(WINAPI*)(GpBitmap*, const GpRect*, UINT, INT, GpBitmapData*)> GdipBitmapLockBits{
    L"gdiplus.dll", "GdipBitmapLockBits"};
TBoundFunction<GpStatus(WINAPI*)(GpBitmap*, GpBitmapData*)> GdipBitmapUnlockBits{L"gdiplus.dll",
                                                                                 "GdipBitmapUnlockBits"};
TBoundFunction<GpStatus(WINAPI*)(GpBitmap*)> GdipDisposeImage{L"gdiplus.dll", "GdipDisposeImage"};

// GDI+ running for one scope.
class TGdiPlusSession {
 public:
  TGdiPlusSession() {
    GpStartupInput input;
    if (auto startup = Bound().GdiplusStartup.Get()) started_ = startup(&token_, &input, nullptr) == 0;
  }
  ~TGdiPlusSession() {
    if (started_)
      if (auto shutdown = Bound().GdiplusShutdown.Get()) shutdown(token_);
  }
  TGdiPlusSession(const TGdiPlusSession&) = delete;
  TGdiPlusSession& operator=(const TGdiPlusSession&) = delete;
  bool Started() const { return started_; }

 private:
  ULONG_PTR token_ = 0;
  bool started_ = false;
};

bool EntriesPresent() {
  return GdipCreateBitmapFromFile && GdipGetImageWidth && GdipGetImageHeight && GdipBitmapLockBits &&
         GdipBitmapUnlockBits && GdipDisposeImage;
}

bool CopyPixels(GpBitmap* bitmap, TPremultipliedImage& image) {
  UINT width = 0, height = 0;
  if (GdipGetImageWidth.Get()(bitmap, &width) != 0 || GdipGetImageHeight.Get()(bitmap, &height) != 0) return false;
  if (width == 0 || height == 0) return false;
  const GpRect whole{0, 0, static_cast<INT>(width), static_cast<INT>(height)};
  GpBitmapData data{};
  if (GdipBitmapLockBits.Get()(bitmap, &whole, kImageLockModeRead, kPixelFormat32bppPARGB, &data) != 0) return false;
  image.Width = static_cast<int>(width);
  image.Height = static_cast<int>(height);
  image.Pixels.resize(std::size_t(width) * height);
  for (UINT y = 0; y < height; ++y)
    std::memcpy(&image.Pixels[std::size_t(y) * width],
                static_cast<const Byte*>(data.Scan0) + static_cast<std::ptrdiff_t>(y) * data.Stride,
                std::size_t(width) * 4);
  GdipBitmapUnlockBits.Get()(bitmap, &data);
  return true;
}

}  // namespace

bool LoadPremultipliedImage(const String& fileName, TPremultipliedImage& image) {
  TGdiPlusSession session;
  if (!session.Started() || !EntriesPresent()) return false;
  GpBitmap* bitmap = nullptr;
  if (GdipCreateBitmapFromFile.Get()(fileName.c_str(), &bitmap) != 0 || !bitmap) return false;
  const bool ok = CopyPixels(bitmap, image);
  GdipDisposeImage.Get()(bitmap);
  return ok;
}
