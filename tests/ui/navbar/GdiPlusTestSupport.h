#pragma once
// Helpers of the GDI+ layer's tests: PNG and BMP bytes made on the spot, a fixture with the unit
// started, and channel checks with a tolerance.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/framework/base/Types.h"
#include "platform/framework/classes/Stream.h"
#include "platform/framework/graphics/Bitmap.h"
#include "ui/navbar/skins/PngImage.h"

namespace gdiplus_testing {

struct Pixel {
  Byte R, G, B, A;
};
using PixelAt = std::function<Pixel(int x, int y)>;

// PNG file bytes through the codec core: colour type 2 (RGB, alpha ignored) or 6 (RGBA).
AnsiString MakePng(int width, int height, int colorType, const PixelAt& pixel);
// A 32-bit framework bitmap with straight pixels.
TBitmap* MakeBitmap(int width, int height, const PixelAt& pixel, TPixelFormat format = pf32bit);
AnsiString BitmapFile(TBitmap& bitmap);

// A memory stream holding bytes, positioned at position.
class BytesStream : public TMemoryStream {
 public:
  explicit BytesStream(const AnsiString& bytes, Int64 position = 0);
};

// Loads bytes into a new picture.
std::unique_ptr<TdxPNGImage> LoadPicture(const AnsiString& bytes);

// The unit started with GDI+ running; a test that changes the table or the session restores both.
class GdiPlusFixture : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Restarts the session and the unit with the table as it stands.
  static void RestartUnit();
};

// The channel (0xRRGGBB) lies within tolerance of the expected value.
testing::AssertionResult NearColor(DWORD actual, Byte r, Byte g, Byte b, int tolerance);

}  // namespace gdiplus_testing
