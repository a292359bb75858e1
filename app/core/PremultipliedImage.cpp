#include "app/core/PremultipliedImage.h"

#include <cstring>

#include "platform/framework/base/Win32.h"
#include "ui/navbar/skins/GdiPlus.h"

namespace {

bool CopyPixels(GpImage* bitmap, TPremultipliedImage& image) {
  TBoundFunctions& gdip = Bound();
  UINT width = 0, height = 0;
  if (gdip.GdipGetImageWidth.Get()(bitmap, &width) != GpOk || gdip.GdipGetImageHeight.Get()(bitmap, &height) != GpOk)
    return false;
  if (width == 0 || height == 0) return false;
  const GpRectI whole{0, 0, static_cast<INT>(width), static_cast<INT>(height)};
  GpBitmapData data{};
  if (gdip.GdipBitmapLockBits.Get()(bitmap, &whole, GpImageLockModeRead, GpPixelFormat32bppPARGB, &data) != GpOk)
    return false;
  image.Width = static_cast<int>(width);
  image.Height = static_cast<int>(height);
  image.Pixels.resize(std::size_t(width) * height);
  for (UINT y = 0; y < height; ++y)
    std::memcpy(&image.Pixels[std::size_t(y) * width],
                static_cast<const Byte*>(data.Scan0) + static_cast<std::ptrdiff_t>(y) * data.Stride,
                std::size_t(width) * 4);
  gdip.GdipBitmapUnlockBits.Get()(bitmap, &data);
  return true;
}

}  // namespace

bool LoadPremultipliedImage(const String& fileName, TPremultipliedImage& image) {
  if (!GdiPlusAvailable()) return false;
  GpImage* bitmap = nullptr;
  if (Bound().GdipCreateBitmapFromFile.Get()(fileName.c_str(), &bitmap) != GpOk || !bitmap) return false;
  const bool ok = CopyPixels(bitmap, image);
  Bound().GdipDisposeImage.Get()(bitmap);
  return ok;
}
