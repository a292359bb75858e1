// TJPEGImage over libjpeg: round trips within a tolerance, greyscale, and corrupt data.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/graphics/Jpeg.h"
#include "platform/framework/classes/Stream.h"

namespace {

// Four 8 x 8 blocks of plain colour: JPEG keeps flat blocks close to their colour.
void PaintQuadrants(TBitmap& bitmap) {
  const TColor colors[] = {clRed, clLime, clBlue, clYellow};
  for (int i = 0; i < 4; ++i) {
    bitmap.Canvas()->Brush()->SetColor(colors[i]);
    bitmap.Canvas()->FillRect(Bounds((i % 2) * 8, (i / 2) * 8, 8, 8));
  }
}

void ExpectNear(TColor actual, TColor expected, int tolerance, const char* where) {
  for (int shift : {0, 8, 16})
    EXPECT_NEAR((actual >> shift) & 0xFF, (expected >> shift) & 0xFF, tolerance) << where;
}

AnsiString Encode(TBitmap& bitmap, int quality, bool grayscale = false) {
  TJPEGImage jpeg;
  jpeg.SetCompressionQuality(quality);
  jpeg.SetGrayscale(grayscale);
  jpeg.Assign(&bitmap);
  TStringStream stream;
  jpeg.SaveToStream(stream);
  return stream.DataString();
}

TEST(JpegTest, RoundTripKeepsColoursWithinATolerance) {
  TBitmap original(16, 16, pf32bit);
  PaintQuadrants(original);
  AnsiString data = Encode(original, 95);
  ASSERT_GE(data.size(), 4u);
  EXPECT_EQ(Byte(data[0]), 0xFF);
  EXPECT_EQ(Byte(data[1]), 0xD8);

  TJPEGImage jpeg;
  TStringStream stream(data);
  jpeg.LoadFromStream(stream);
  EXPECT_EQ(jpeg.Width(), 16);
  EXPECT_EQ(jpeg.Height(), 16);
  TBitmap decoded;
  decoded.Assign(&jpeg);
  ASSERT_EQ(decoded.Width(), 16);
  ExpectNear(decoded.Canvas()->Pixels(3, 3), clRed, 12, "red");
  ExpectNear(decoded.Canvas()->Pixels(12, 3), clLime, 12, "lime");
  ExpectNear(decoded.Canvas()->Pixels(3, 12), clBlue, 12, "blue");
  ExpectNear(decoded.Canvas()->Pixels(12, 12), clYellow, 12, "yellow");
}

TEST(JpegTest, QualityAndGreyscaleShapeTheEncoding) {
  TBitmap original(16, 16, pf24bit);
  PaintQuadrants(original);
  for (int x = 0; x < 16; ++x) original.Canvas()->SetPixels(x, x, clWhite);
  EXPECT_LT(Encode(original, 10).size(), Encode(original, 100).size());

  TJPEGImage grey;
  TStringStream stream(Encode(original, 90, true));
  grey.LoadFromStream(stream);
  TColor c = grey.Bitmap()->Canvas()->Pixels(3, 12);
  EXPECT_EQ(c & 0xFF, (c >> 8) & 0xFF);
  EXPECT_EQ(c & 0xFF, (c >> 16) & 0xFF);
}

TEST(JpegTest, DataFormIsAByteCountThenTheFile) {
  TBitmap original(8, 8, pf24bit);
  PaintQuadrants(original);
  TJPEGImage jpeg;
  jpeg.Assign(&original);
  TMemoryStream stream;
  jpeg.WriteData(stream);
  std::int32_t count;
  std::memcpy(&count, stream.Memory(), 4);
  EXPECT_EQ(count, stream.Size() - 4);
  stream.SetPosition(0);
  TJPEGImage read;
  read.ReadData(stream);
  EXPECT_EQ(read.Width(), 8);
}

TEST(JpegTest, CorruptDataRaisesAndTheDecoderCarriesOn) {
  TBitmap original(16, 16, pf24bit);
  PaintQuadrants(original);
  const AnsiString valid = Encode(original, 80);
  // The frame header's height and width fields follow the SOF0 marker (FF C0), its length and
  // the sample precision.
  AnsiString zeroWidth = valid;
  size_t sof = zeroWidth.find("\xFF\xC0");
  ASSERT_NE(sof, AnsiString::npos);
  zeroWidth[sof + 7] = zeroWidth[sof + 8] = '\0';
  AnsiString badTables = valid;
  size_t dqt = badTables.find("\xFF\xDB");
  ASSERT_NE(dqt, AnsiString::npos);
  badTables[dqt + 4] = '\x7F';  // table precision and id 15: both out of range
  const AnsiString cases[] = {"GIF89a not a jpeg", valid.substr(0, 2), zeroWidth, badTables};
  for (const AnsiString& data : cases) {
    TJPEGImage jpeg;
    TStringStream stream(data);
    try {
      jpeg.LoadFromStream(stream);
      jpeg.Bitmap();
      ADD_FAILURE() << "no exception for case of " << data.size() << " bytes";
    } catch (const EJPEG& e) {
      EXPECT_FALSE(e.Message().empty());
    }
  }
  TJPEGImage jpeg;
  TStringStream stream(valid);
  jpeg.LoadFromStream(stream);
  EXPECT_EQ(jpeg.Bitmap()->Width(), 16);
}

TEST(JpegTest, SizeBelongsToThePicture) {
  TJPEGImage jpeg;
  EXPECT_THROW(jpeg.SetWidth(3), EInvalidGraphicOperation);
}

}  // namespace
