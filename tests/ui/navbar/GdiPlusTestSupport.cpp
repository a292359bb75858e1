#include "GdiPlusTestSupport.h"

#include <cstdlib>

#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/graphics/Bitmap.h"
#include "ui/extras/png/PngImageCore.h"

namespace gdiplus_testing {

AnsiString MakePng(int width, int height, int colorType, const PixelAt& pixel) {
  TPngImageCore image;
  image.BuildEmptyImage(Byte(colorType), 8, Cardinal(width), Cardinal(height));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const Pixel p = pixel(x, y);
      Byte* bgr = image.PixelRow(Cardinal(y)) + 3 * x;
      bgr[0] = p.B, bgr[1] = p.G, bgr[2] = p.R;
      if (colorType == 6) image.AlphaRow(Cardinal(y))[x] = p.A;
    }
  TPngMemoryStream stream;
  image.SaveToStream(stream);
  return AnsiString(stream.Bytes().begin(), stream.Bytes().end());
}

TBitmap* MakeBitmap(int width, int height, const PixelAt& pixel, TPixelFormat format) {
  auto* bitmap = new TBitmap(width, height, format);
  const int bytes = format == pf32bit ? 4 : 3;
  for (int y = 0; y < height; ++y) {
    auto* row = static_cast<Byte*>(bitmap->ScanLine(y));
    for (int x = 0; x < width; ++x) {
      const Pixel p = pixel(x, y);
      row[x * bytes] = p.B, row[x * bytes + 1] = p.G, row[x * bytes + 2] = p.R;
      if (bytes == 4) row[x * bytes + 3] = p.A;
    }
  }
  return bitmap;
}

AnsiString BitmapFile(TBitmap& bitmap) {
  TMemoryStream stream;
  bitmap.SaveToStream(stream);
  return AnsiString(static_cast<const char*>(stream.Memory()), std::size_t(stream.Size()));
}

BytesStream::BytesStream(const AnsiString& bytes, Int64 position) {
  WriteBuffer(bytes.data(), Int64(bytes.size()));
  SetPosition(position);
}

std::unique_ptr<TdxPNGImage> LoadPicture(const AnsiString& bytes) {
  auto picture = std::make_unique<TdxPNGImage>();
  BytesStream stream(bytes);
  picture->LoadFromStream(stream);
  return picture;
}

void GdiPlusFixture::SetUp() {
  InitializeUnits();
  ASSERT_TRUE(GdiPlusAvailable()) << "Wine's GDI+ did not start";
}

void GdiPlusFixture::TearDown() {
  ResetBoundFunctions();
  if (!GdiPlusAvailable() || GPImageClass() != &TdxGPImage::ClassInfo()) RestartUnit();
}

void GdiPlusFixture::RestartUnit() {
  ResetGdiPlus();
  EndGdiPlusUnit();
  StartGdiPlusUnit();
}

testing::AssertionResult NearColor(DWORD actual, Byte r, Byte g, Byte b, int tolerance) {
  const int channels[3][2] = {{int(actual >> 16 & 0xFF), r}, {int(actual >> 8 & 0xFF), g}, {int(actual & 0xFF), b}};
  for (const auto& c : channels)
    if (std::abs(c[0] - c[1]) > tolerance)
      return testing::AssertionFailure() << std::hex << "0x" << actual << " is not within " << std::dec << tolerance
                                         << " of (" << int(r) << ", " << int(g) << ", " << int(b) << ")";
  return testing::AssertionSuccess();
}

}  // namespace gdiplus_testing
