// Our decoder and encoder against the reference decoder, over generated images of every colour
// type, bit depth, size class, filter mix and chunk split.

#include <gtest/gtest.h>

#include <cmath>

#include "LibpngReader.h"
#include "PngTestSupport.h"
#include "ui/extras/png/PngExceptions.h"

using namespace png_test;

namespace {

struct Format {
  int ColorType, BitDepth;
};
const std::vector<Format> Formats = {{0, 1}, {0, 2}, {0, 4}, {0, 8}, {0, 16}, {2, 8}, {2, 16}, {3, 1},
                                     {3, 2}, {3, 4}, {3, 8}, {4, 8}, {4, 16}, {6, 8}, {6, 16}};

Byte ForwardGamma(std::uint32_t gamma, unsigned i) {
  if (gamma == 0) return Byte(i);
  return Byte(std::nearbyint(255.0 * std::pow(i / 255.0, 1.0 / (gamma / 100000.0 * 2.2))));
}

// Compares our frame with the reference samples mapped by the frame rules.
::testing::AssertionResult FrameMatches(const TPngImageCore& image, const Decoded& ref, std::uint32_t gamma) {
  const TChunkIHDR& h = image.HeaderChunk();
  if (h.Width != ref.Width || h.Height != ref.Height) return ::testing::AssertionFailure() << "size";
  const int channels = Channels(ref.ColorType);
  const bool wide = ref.BitDepth == 16;
  auto hi = [&](unsigned s) { return wide ? s >> 8 : s; };
  for (std::uint32_t y = 0; y < ref.Height; ++y)
    for (std::uint32_t x = 0; x < ref.Width; ++x) {
      const std::uint16_t* s = &ref.Samples[(std::size_t(y) * ref.Width + x) * channels];
      auto fail = [&](const char* what) {
        return ::testing::AssertionFailure() << what << " differs at " << x << "," << y;
      };
      switch (ref.ColorType) {
        case 0: {
          const unsigned expected = ref.BitDepth == 2 ? s[0] * 5u : hi(s[0]);
          if (FrameSample(h, x, y) != expected) return fail("grey sample");
          const int depth = h.FrameLayout().BitsPerPixel;
          const unsigned level = depth == 1 ? expected * 255 : depth == 4 ? expected * 17 : expected;
          const Byte v = ForwardGamma(gamma, level);
          if (image.PixelColor(int(x), int(y)) != PngRgb(v, v, v)) return fail("grey level");
          break;
        }
        case 3:
          if (FrameSample(h, x, y) != s[0]) return fail("index");
          break;
        case 2:
        case 6: {
          const auto bgr = FrameBgr(h, x, y);
          if (bgr[0] != ForwardGamma(gamma, hi(s[2])) || bgr[1] != ForwardGamma(gamma, hi(s[1])) ||
              bgr[2] != ForwardGamma(gamma, hi(s[0])))
            return fail("colour");
          if (ref.ColorType == 6 && FrameAlpha(h, x, y) != hi(s[3])) return fail("alpha");
          break;
        }
        case 4:
          if (FrameSample(h, x, y) != hi(s[0]) || FrameAlpha(h, x, y) != hi(s[1])) return fail("grey and alpha");
          break;
      }
    }
  if (ref.ColorType == 3)
    for (std::size_t i = 0; i < ref.Palette.size() / 3; ++i) {
      const TPngRgbQuad e = h.ColorTable()[i];
      if (e.rgbRed != ForwardGamma(gamma, ref.Palette[3 * i]) || e.rgbGreen != ForwardGamma(gamma, ref.Palette[3 * i + 1]) ||
          e.rgbBlue != ForwardGamma(gamma, ref.Palette[3 * i + 2]))
        return ::testing::AssertionFailure() << "palette entry " << i;
    }
  return ::testing::AssertionSuccess();
}

std::string Describe(const ImageShape& s) {
  return "type " + std::to_string(s.ColorType) + " depth " + std::to_string(s.BitDepth) + " " + std::to_string(s.Width) + "x" +
         std::to_string(s.Height) + (s.Interlaced ? " interlaced" : "") + " gamma " + std::to_string(s.Gamma) + " idat pieces " +
         std::to_string(s.IdatSizes.size()) + (s.TrailingEmptyIdat ? " trailing empty" : "");
}

void CheckAgainstReference(const ImageShape& shape) {
  const Image generated = MakeImage(shape);
  const auto ref = DecodeWithLibpng(generated.File);
  ASSERT_TRUE(ref) << Describe(shape);
  ASSERT_EQ(ref->Samples, generated.Samples) << Describe(shape);
  std::unique_ptr<TPngImageCore> image;
  try {
    image = Load(generated.File);
  } catch (const Exception& e) {
    FAIL() << Describe(shape) << ": " << std::string(e.Message().begin(), e.Message().end());
  }
  EXPECT_TRUE(FrameMatches(*image, *ref, shape.Gamma)) << Describe(shape);
}

}  // namespace

TEST(PngDifferential, EveryFormatSizeAndInterlaceMatchesTheReference) {
  std::uint32_t seed = 1;
  for (const Format& f : Formats)
    for (bool interlaced : {false, true})
      for (std::uint32_t width = 1; width <= 17; ++width)
        for (std::uint32_t height : {1u, 2u, 5u, 9u}) {
          ImageShape shape;
          shape.ColorType = f.ColorType;
          shape.BitDepth = f.BitDepth;
          shape.Width = width;
          shape.Height = height;
          shape.Interlaced = interlaced;
          shape.Seed = ++seed;
          shape.Filters = {int(seed % 5), 0, 1, 2, 3, 4, -1};
          switch (seed % 4) {
            case 1: shape.IdatSizes = {1, 2, 3}; break;
            case 2: shape.TrailingEmptyIdat = true; break;
            case 3: shape.IdatSizes = {5}, shape.TrailingEmptyIdat = true; break;
            default: break;
          }
          CheckAgainstReference(shape);
        }
}

TEST(PngDifferential, GammaGoesThroughTheForwardTable) {
  for (const Format& f : Formats)
    for (std::uint32_t gamma : {45455u, 100000u, 220000u}) {
      ImageShape shape;
      shape.ColorType = f.ColorType;
      shape.BitDepth = f.BitDepth;
      shape.Width = 13;
      shape.Height = 6;
      shape.Gamma = gamma;
      shape.Interlaced = gamma == 100000;
      shape.Filters = {-1};
      CheckAgainstReference(shape);
    }
}

TEST(PngDifferential, LargeImagesAndTrailersPastAnInputBlock) {
  ImageShape stored;
  stored.ColorType = 0;
  stored.Width = 16381;
  stored.Height = 4;
  stored.StoredBlocks = true;
  CheckAgainstReference(stored);
  stored.IdatSizes = {70000, 1};
  stored.Height = 9;
  CheckAgainstReference(stored);
  ImageShape big;
  big.ColorType = 6;
  big.Width = 301;
  big.Height = 257;
  big.Filters = {-1};
  big.IdatSizes = {65536, 65535, 100000};
  CheckAgainstReference(big);
  big.Interlaced = true;
  CheckAgainstReference(big);
}

TEST(PngDifferential, EncodedImagesDecodeToTheSamePixels) {
  const std::vector<TPngRowFilters> filterSets = {0, PngFilterBit(rfNone), PngFilterBit(rfSub), PngFilterBit(rfUp),
                                                  PngFilterBit(rfAverage), PngFilterBit(rfPaeth), 0x1F};
  int round = 0;
  for (const Format& f : Formats)
    for (TPngRowFilters filters : filterSets)
      for (TPngInterlacing interlacing : {ilNone, ilAdam7}) {
        ImageShape shape;
        shape.ColorType = f.ColorType;
        shape.BitDepth = f.BitDepth;
        shape.Width = 11 + round % 7;
        shape.Height = 7 + round % 5;
        shape.Seed = Cardinal(++round);
        const Image source = MakeImage(shape);
        auto image = Load(source.File);
        image->RowFilters = filters;
        image->Interlacing = interlacing;
        const Bytes saved = Save(*image);
        const std::string what = Describe(shape) + " filters " + std::to_string(filters) + " adam7 " + std::to_string(interlacing);

        // The reference decoder sees the frame's samples: 2-bit data as 4-bit, 16-bit with low bytes 0.
        const auto ref = DecodeWithLibpng(saved);
        ASSERT_TRUE(ref) << what;
        EXPECT_EQ(ref->BitDepth, f.BitDepth == 2 ? 4 : f.BitDepth) << what;
        std::vector<std::uint16_t> expected = source.Samples;
        for (auto& s : expected) {
          if (f.BitDepth == 2 && f.ColorType == 0) s = std::uint16_t(s * 5);
          if (f.BitDepth == 16) s = std::uint16_t(s & 0xFF00);
        }
        EXPECT_EQ(ref->Samples, expected) << what;
        EXPECT_EQ(ref->Palette, source.Palette) << what;

        auto reloaded = Load(saved);
        EXPECT_TRUE(FrameMatches(*reloaded, *ref, 0)) << what;
        for (std::uint32_t y = 0; y < shape.Height; ++y)
          for (std::uint32_t x = 0; x < shape.Width; ++x)
            ASSERT_EQ(reloaded->PixelColor(int(x), int(y)), image->PixelColor(int(x), int(y))) << what;
      }
}
