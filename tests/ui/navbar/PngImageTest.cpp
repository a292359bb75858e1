// TdxPNGImage: streams, alpha, comparison, drawing, the picture registry and the filer; and the
// brushes and graphics it draws with.

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <vector>

#include "GdiPlusTestSupport.h"
#include "platform/framework/classes/Filer.h"
#include "platform/framework/classes/Strings.h"
#include "platform/framework/graphics/Bitmap.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTestSupport.h"

using namespace gdiplus_testing;
using window_testing::DibSection;

namespace {

const PixelAt kOpaqueRamp = [](int x, int y) { return Pixel{Byte(40 * x), Byte(60 * y), 90, 255}; };
// One transparent pixel at (1, 0).
const PixelAt kOneHole = [](int x, int y) { return Pixel{10, 20, 30, Byte(x == 1 && y == 0 ? 0 : 255)}; };

class PngImage : public GdiPlusFixture {};

// ---- streams --------------------------------------------------------------------------------------

struct StreamCase {
  const char* Name;
  AnsiString Bytes;
  Int64 Position;
  int Width;  // of the picture afterwards; 3 = the image it held before
  bool Raises;
};

TEST_F(PngImage, StreamsLoadFromTheirPositionAndBadDataGivesAnEmptyPicture) {
  const AnsiString png = MakePng(5, 4, 2, kOpaqueRamp);
  ObjectPtr<TBitmap> bitmap(MakeBitmap(6, 1, kOpaqueRamp, pf24bit));
  const AnsiString bmp = BitmapFile(*bitmap);
  const AnsiString damagedBmp = "BM" + AnsiString(20, '\x7f');
  const StreamCase cases[] = {
      {"nothing clears the picture", "", 0, 0, false},
      {"13 bytes are too few", png.substr(0, 13), 0, 0, false},
      {"a BMP file is read by the framework bitmap", bmp, 0, 6, false},
      {"a damaged BMP file raises and keeps the picture", damagedBmp, 0, 3, true},
      {"bytes GDI+ cannot decode", AnsiString(40, 'x'), 0, 0, false},
      {"PNG behind a prefix, read from the position", "prefix!" + png, 7, 5, false},
      {"nothing left after the position clears too", png, Int64(png.size()), 0, false},
  };
  for (const StreamCase& c : cases) {
    SCOPED_TRACE(c.Name);
    auto picture = LoadPicture(MakePng(3, 3, 2, kOpaqueRamp));
    BytesStream stream(c.Bytes, c.Position);
    bool raised = false;
    try {
      picture->LoadFromStream(stream);
    } catch (const EInvalidGraphic&) {
      raised = true;
    }
    EXPECT_EQ(raised, c.Raises);
    EXPECT_EQ(picture->Width(), c.Width);
    EXPECT_EQ(picture->Empty(), c.Width == 0);
  }
}

TEST_F(PngImage, ABmpFileKeepsItsPixels) {
  ObjectPtr<TBitmap> bitmap(MakeBitmap(4, 3, kOpaqueRamp, pf24bit));
  auto picture = LoadPicture(BitmapFile(*bitmap));
  ASSERT_EQ(picture->Height(), 3);
  ObjectPtr<TBitmap> back(picture->GetAsBitmap());
  const RGBQUAD pixel = static_cast<const RGBQUAD*>(back->ScanLine(2))[3];
  EXPECT_EQ(pixel.rgbRed, 120);
  EXPECT_EQ(pixel.rgbGreen, 120);
  EXPECT_EQ(pixel.rgbBlue, 90);
  EXPECT_EQ(pixel.rgbReserved, 255);
}

// ---- alpha ----------------------------------------------------------------------------------------

TEST_F(PngImage, AlphaIsUsedOnlyWhereAPixelIsNotOpaque) {
  struct Case {
    const char* Name;
    std::function<void(TdxPNGImage&)> Load;
    bool AlphaUsed;
  };
  const Case cases[] = {
      {"RGB PNG", [](TdxPNGImage& p) { BytesStream s(MakePng(3, 2, 2, kOneHole)); p.LoadFromStream(s); }, false},
      {"RGBA PNG with one hole", [](TdxPNGImage& p) { BytesStream s(MakePng(3, 2, 6, kOneHole)); p.LoadFromStream(s); },
       true},
      {"24-bit bitmap", [](TdxPNGImage& p) { ObjectPtr<TBitmap> b(MakeBitmap(3, 2, kOneHole, pf24bit)); p.Assign(b.get()); },
       false},
      {"32-bit bitmap with one hole",
       [](TdxPNGImage& p) { ObjectPtr<TBitmap> b(MakeBitmap(3, 2, kOneHole)); p.Assign(b.get()); }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TdxPNGImage picture;
    c.Load(picture);
    ASSERT_EQ(picture.Width(), 3);
    EXPECT_EQ(picture.IsAlphaUsed(), c.AlphaUsed);
    EXPECT_TRUE(picture.Transparent());
  }
}

// Straight pixels in and out: (200, 100, 50) at alpha 128 over white.
TEST_F(PngImage, SemiTransparentBitmapPixelsDrawAndReadBackStraight) {
  ObjectPtr<TBitmap> bitmap(MakeBitmap(2, 2, [](int, int) { return Pixel{200, 100, 50, 128}; }));
  TdxPNGImage picture;
  picture.Assign(bitmap.get());
  DibSection dib(2, 2);
  PatBlt(dib.DC(), 0, 0, 2, 2, WHITENESS);
  picture.DrawToDC(dib.DC(), TRect(0, 0, 2, 2));
  EXPECT_TRUE(NearColor(dib.Pixel(1, 1), 227, 177, 152, 1));

  ObjectPtr<TBitmap> back(new TBitmap());
  back->Assign(&picture);
  ASSERT_EQ(back->Width(), 2);
  const RGBQUAD pixel = static_cast<const RGBQUAD*>(back->ScanLine(1))[1];
  EXPECT_NEAR(pixel.rgbRed, 200, 1);
  EXPECT_NEAR(pixel.rgbGreen, 100, 1);
  EXPECT_NEAR(pixel.rgbBlue, 50, 1);
  EXPECT_EQ(pixel.rgbReserved, 128);
}

// ---- comparison and saving ------------------------------------------------------------------------

TEST_F(PngImage, SavedPicturesReadBackEqualAndAlphaAloneMakesADifference) {
  auto picture = LoadPicture(MakePng(3, 2, 6, kOneHole));
  TMemoryStream saved;
  picture->SaveToStream(saved);
  ASSERT_GT(saved.Size(), 8);
  EXPECT_EQ(AnsiString(static_cast<const char*>(saved.Memory()), 8), "\x89PNG\r\n\x1a\n");
  saved.SetPosition(0);
  TdxPNGImage reloaded;
  reloaded.LoadFromStream(saved);
  EXPECT_TRUE(picture->IsEqual(&reloaded));

  auto opaque = LoadPicture(MakePng(3, 2, 6, [](int, int) { return Pixel{10, 20, 30, 255}; }));
  EXPECT_FALSE(picture->IsEqual(opaque.get())) << "one pixel differs in alpha only";
  TdxPNGImage empty1, empty2;
  EXPECT_FALSE(empty1.IsEqual(&empty2)) << "empty pictures of the same size";
  TMemoryStream nothing;
  empty1.SaveToStream(nothing);
  EXPECT_EQ(nothing.Size(), 0);
}

TEST_F(PngImage, AssignCopiesPicturesAndRefusesUnknownClasses) {
  auto picture = LoadPicture(MakePng(3, 2, 6, kOneHole));
  TdxPNGImage copy;
  copy.Assign(picture.get());
  EXPECT_TRUE(copy.IsEqual(picture.get()));
  TdxPNGImage empty;
  copy.Assign(&empty);
  EXPECT_TRUE(copy.Empty());
  TStringList strings;
  EXPECT_THROW(copy.Assign(&strings), EConvertError);
}

// ---- drawing --------------------------------------------------------------------------------------

struct DrawCall {
  float DestWidth, DestHeight, SourceWidth, SourceHeight;
};
std::vector<DrawCall> drawCalls;

GpStatus WINAPI RecordDraw(GpGraphics*, GpImage*, float, float, float dw, float dh, float, float, float sw, float sh,
                           int unit, const GpImageAttributes*, void*, void*) {
  EXPECT_EQ(unit, 2);
  drawCalls.push_back({dw, dh, sw, sh});
  return 0;
}

TEST_F(PngImage, AnEnlargedSourceGivesUpItsLastPixelAndEmptyRectanglesDrawNothing) {
  struct Case {
    TRect Dest, Source;
    std::optional<DrawCall> Expected;
  };
  const Case cases[] = {
      {{0, 0, 20, 20}, {0, 0, 10, 10}, DrawCall{20, 20, 9, 9}},
      {{0, 0, 20, 5}, {0, 0, 1, 5}, DrawCall{20, 5, 1, 5}},
      {{0, 0, 5, 5}, {0, 0, 10, 10}, DrawCall{5, 5, 10, 10}},
      {{0, 0, 0, 20}, {0, 0, 10, 10}, std::nullopt},
      {{0, 0, 20, 20}, {0, 0, 10, 0}, std::nullopt},
  };
  auto picture = LoadPicture(MakePng(10, 10, 2, kOpaqueRamp));
  Bound().GdipDrawImageRectRect.Set(&RecordDraw);
  DibSection dib(20, 20);
  for (const Case& c : cases) {
    drawCalls.clear();
    picture->DrawRectToDC(dib.DC(), c.Dest, c.Source);
    ASSERT_EQ(drawCalls.size(), c.Expected ? 1u : 0u) << c.Dest.Width() << " from " << c.Source.Width();
    if (!c.Expected) continue;
    EXPECT_EQ(drawCalls[0].DestWidth, c.Expected->DestWidth);
    EXPECT_EQ(drawCalls[0].DestHeight, c.Expected->DestHeight);
    EXPECT_EQ(drawCalls[0].SourceWidth, c.Expected->SourceWidth);
    EXPECT_EQ(drawCalls[0].SourceHeight, c.Expected->SourceHeight);
  }
}

TEST_F(PngImage, DrawsOneToOneAtTheDestination) {
  auto picture = LoadPicture(MakePng(3, 2, 6, kOneHole));
  DibSection dib(8, 8);
  PatBlt(dib.DC(), 0, 0, 8, 8, WHITENESS);
  picture->DrawToDC(dib.DC(), TRect(4, 5, 7, 7));
  EXPECT_EQ(dib.Pixel(4, 5), 0x0A141Eu);
  EXPECT_EQ(dib.Pixel(5, 5), 0xFFFFFFu) << "the hole";
  EXPECT_EQ(dib.Pixel(6, 6), 0x0A141Eu);
  EXPECT_EQ(dib.Pixel(3, 5), 0xFFFFFFu);
  EXPECT_EQ(dib.Pixel(7, 6), 0xFFFFFFu);
}

// The brush spans the filled rectangle grown by 1, as the gradient routines use it: with wrap tile,
// GDI+ may sample the pixels on the brush rectangle's edge from the next tile.
TEST_F(PngImage, VerticalGradientRunsFromTheFirstColourToTheSecond) {
  DibSection dib(32, 32);
  TdxGPGraphics graphics(dib.DC());
  ObjectPtr<TdxGPBrush> brush(new TdxGPLinearGradientBrush({-1, -1, 34, 34}, 0xFFFF0000, 0xFF0000FF, lgmVertical));
  EXPECT_EQ(brush->LastStatus(), 0);
  ObjectPtr<TdxGPBrush> clone(brush->Clone());
  ASSERT_NE(clone->Handle(), nullptr);
  EXPECT_NE(clone->Handle(), brush->Handle());
  graphics.FillRectangle(clone.get(), {0, 0, 32, 32});
  EXPECT_EQ(graphics.LastStatus(), 0);
  for (int x : {0, 16, 31}) {
    EXPECT_TRUE(NearColor(dib.Pixel(x, 0), 255, 0, 0, 16));
    EXPECT_TRUE(NearColor(dib.Pixel(x, 31), 0, 0, 255, 16));
  }
}

// ---- registry and filer ---------------------------------------------------------------------------

TEST_F(PngImage, WithoutThePngCodecThisClassOpensPngFiles) {
  EXPECT_EQ(GraphicClassForExtension(L"png"), &TdxPNGImage::ClassInfo());
  testing_support::ScratchFolder folder;
  testing_support::WriteFileBytes(folder.File(L"sheet.PNG"), MakePng(4, 3, 6, kOneHole));
  TPicture picture;
  picture.LoadFromFile(folder.File(L"sheet.PNG"));
  ASSERT_NE(dynamic_cast<TdxPNGImage*>(picture.Graphic()), nullptr);
  EXPECT_EQ(picture.Width(), 4);
}

TEST_F(PngImage, APictureHoldingOneIsStoredAndReadBackThroughTheFiler) {
  auto source = LoadPicture(MakePng(4, 3, 6, kOneHole));
  TPicture picture;
  picture.SetGraphic(source.get());
  TMemoryStream stream;
  {
    TWriter writer(stream);
    writer.WriteProperties(picture);
    writer.WriteListEnd();
  }
  stream.SetPosition(0);
  TPicture read;
  TReader reader(stream);
  reader.ReadProperties(read);
  auto* png = dynamic_cast<TdxPNGImage*>(read.Graphic());
  ASSERT_NE(png, nullptr);
  EXPECT_TRUE(png->IsEqual(source.get()));
}

}  // namespace

TEST_F(PngImage, AScaledCopyDrawsLikeTheDirectDrawAndIsKeptUntilTheImageChanges) {
  // A ramp with a hole, stretched over a larger destination on a white DIB.
  auto picture = LoadPicture(MakePng(4, 4, 6, [](int x, int y) {
    return Pixel{Byte(60 * x), Byte(50 * y), 90, Byte(x == 2 && y == 1 ? 0 : 255)};
  }));
  const TRect dest{3, 2, 43, 30}, source{0, 0, 4, 4};
  auto draw = [&](bool copy, DibSection& dib) {
    PatBlt(dib.DC(), 0, 0, 48, 32, WHITENESS);
    GpGraphics* graphics = nullptr;
    ASSERT_EQ(Bound().GdipCreateFromHDC.Get()(dib.DC(), &graphics), GpOk);
    int mode = 0;
    Bound().GdipGetInterpolationMode.Get()(graphics, &mode);
    if (copy)
      EXPECT_TRUE(picture->DrawScaledCopy(graphics, dest, source, mode));
    else
      picture->DrawOnGraphics(graphics, dest, source);
    Bound().GdipDeleteGraphics.Get()(graphics);
  };
  DibSection direct(48, 32), copied(48, 32);
  draw(false, direct);
  draw(true, copied);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 48; ++x) {
      const DWORD a = direct.Pixel(x, y), b = copied.Pixel(x, y);
      for (int shift : {0, 8, 16})
        ASSERT_LE(std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)), 2) << x << "," << y;
    }
  // Drawn again at the same size: the kept copy, no second scaling.
  EXPECT_EQ(picture->ScaledCopyCount(), 1);
  Bound().GdipDrawImageRectRect.Set(&RecordDraw);
  drawCalls.clear();
  draw(true, copied);
  EXPECT_TRUE(drawCalls.empty());
  Bound().GdipDrawImageRectRect.Reset();
  EXPECT_EQ(picture->ScaledCopyCount(), 1);
  // A change of the picture drops its copies.
  picture->Assign(LoadPicture(MakePng(2, 2, 6, kOpaqueRamp)).get());
  EXPECT_EQ(picture->ScaledCopyCount(), 0);
}
