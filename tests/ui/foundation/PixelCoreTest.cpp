// The pixel core: each operation on known pixels, the blend rule, rotation and the resampler.

#include <gtest/gtest.h>

#include "ui/foundation/PixelCore.h"

using namespace cxpixels;

namespace {

TEST(PixelCore, OperationsOnKnownPixels) {
  const std::vector<std::uint32_t> listed = {0x123456};
  TPixelOperationParams params;
  params.Key = 0xFF00FF00;
  params.TransparentColors = &listed;
  params.ButtonShadow = MakePixel(128, 128, 128, 0);
  params.Checker1 = MakePixel(255, 0, 0, 255);
  params.Checker2 = MakePixel(0, 0, 255, 255);
  params.CheckerCellSize = 1;
  struct Case {
    TcxPixelOperation Op;
    Pixel In, Out;
  } cases[] = {
      {poLighten, MakePixel(0, 255, 100, 255), MakePixel(77, 255, 147, 255)},
      {poLighten, MakePixel(255, 0, 51, 128), MakePixel(200, 0, 40, 100)},
      {poLighten, 0xFF00FF00, 0xFF00FF00},  // the key colour is left alone
      {poGrayAverage, MakePixel(30, 60, 91, 7), MakePixel(60, 60, 60, 7)},
      {poGrayAverage, 0x80123456, 0x80123456},  // listed colour, any alpha
      {poOpaque, MakePixel(1, 2, 3, 0), MakePixel(1, 2, 3, 255)},
      {poMask, 0xFF00FF00, 0xFFFFFFFF},
      {poMask, 0x00123456, 0xFFFFFFFF},
      {poMask, MakePixel(1, 2, 3, 4), 0},
      {poGrayStandard, MakePixel(255, 0, 0, 9), MakePixel(76, 76, 76, 9)},
      {poGrayBright, MakePixel(0, 255, 0, 9), MakePixel(182, 182, 182, 9)},
      {poFillAlpha, MakePixel(1, 2, 3, 0), MakePixel(1, 2, 3, 255)},
      {poFillAlpha, MakePixel(1, 2, 3, 5), MakePixel(1, 2, 3, 5)},
      {poChecker, MakePixel(9, 9, 9, 0), MakePixel(255, 0, 0, 255)},  // cell (0, 0) takes colour 1
      {poClear, MakePixel(1, 2, 3, 4), 0xFF00FF00},
  };
  for (const Case& c : cases) {
    Pixel p = c.In;
    ApplyPixelOperation(&p, 1, 1, c.Op, params);
    EXPECT_EQ(p, c.Out) << "operation " << c.Op << std::hex << " on " << c.In;
  }
}

TEST(PixelCore, DisableGreysAndTintsWithTheShadow) {
  TPixelOperationParams params;
  params.ButtonShadow = MakePixel(128, 128, 128, 0);
  Pixel p = MakePixel(255, 255, 255, 255);
  ApplyPixelOperation(&p, 1, 1, poDisable, params);
  // k = 238/255, a = k * 192, f = 1 - a / 255: 0.933 * 128 + 0.297 * 255 = 195.3
  EXPECT_EQ(p, MakePixel(195, 195, 195, 255));
}

TEST(PixelCore, CheckerCellsCountFromTheBottomRow) {
  TPixelOperationParams params;
  params.Checker1 = MakePixel(0, 0, 0, 255);
  params.Checker2 = MakePixel(255, 255, 255, 255);
  params.CheckerCellSize = 2;
  std::vector<Pixel> pixels(4 * 4, 0);
  ApplyPixelOperation(pixels.data(), 4, 4, poChecker, params);
  EXPECT_EQ(pixels[0], params.Checker1);           // bottom-left cell
  EXPECT_EQ(pixels[2], params.Checker2);           // next cell to the right
  EXPECT_EQ(pixels[2 * 4 + 0], params.Checker2);   // next cell up
  EXPECT_EQ(pixels[3 * 4 + 3], params.Checker1);
}

TEST(PixelCore, BlendFollowsTheSourceOverRule) {
  struct Case {
    Pixel Src, Dst;
    int Alpha;
    Pixel Out;
  } cases[] = {
      {MakePixel(255, 0, 0, 255), MakePixel(0, 0, 255, 255), 255, MakePixel(255, 0, 0, 255)},
      {MakePixel(0, 0, 0, 0), MakePixel(10, 20, 30, 40), 255, MakePixel(10, 20, 30, 40)},
      {MakePixel(128, 0, 0, 128), MakePixel(0, 0, 200, 0), 255, MakePixel(128, 0, 100, 128)},
      {MakePixel(200, 200, 200, 255), MakePixel(0, 0, 0, 255), 128, MakePixel(100, 100, 100, 255)},
  };
  for (const Case& c : cases) EXPECT_EQ(BlendPixel(c.Src, c.Dst, c.Alpha), c.Out) << std::hex << c.Src;
}

TEST(PixelCore, RotationsAndMirrors) {
  // 3 x 2, top-down:  1 2 3 / 4 5 6
  const Pixel src[] = {1, 2, 3, 4, 5, 6};
  struct Case {
    int Rotation;
    bool Mirror;
    int W, H;
    std::vector<Pixel> Out;
  } cases[] = {
      {0, true, 3, 2, {4, 5, 6, 1, 2, 3}},
      {1, false, 2, 3, {3, 6, 2, 5, 1, 4}},
      {1, true, 2, 3, {1, 4, 2, 5, 3, 6}},
      {2, false, 2, 3, {4, 1, 5, 2, 6, 3}},
      {2, true, 2, 3, {6, 3, 5, 2, 4, 1}},
      {3, false, 3, 2, {6, 5, 4, 3, 2, 1}},
      {3, true, 3, 2, {3, 2, 1, 6, 5, 4}},
  };
  for (const Case& c : cases) {
    std::vector<Pixel> out;
    int w = 0, h = 0;
    ASSERT_TRUE(RotatePixels(src, 3, 2, c.Rotation, c.Mirror, out, w, h));
    EXPECT_EQ(w, c.W);
    EXPECT_EQ(h, c.H);
    EXPECT_EQ(out, c.Out) << c.Rotation << c.Mirror;
  }
  std::vector<Pixel> out;
  int w = 0, h = 0;
  EXPECT_FALSE(RotatePixels(src, 3, 2, 0, false, out, w, h));
}

TEST(PixelCore, LanczosKeepsFlatAreasAndEdgesInRange) {
  TLanczosScratch scratch;
  std::vector<Pixel> flat(16 * 16, MakePixel(40, 80, 120, 255));
  std::vector<Pixel> big(32 * 32);
  ResampleLanczos3(flat.data(), 16, 16, big.data(), 32, 32, scratch);
  // The filter's weights are not normalised: their sums stray a few percent from 256 between taps.
  for (Pixel p : big) ASSERT_NEAR(Red(p), 40, 3);
  // A hard black/white edge overshoots; the channels are clamped, never wrapped.
  std::vector<Pixel> edge(8 * 1);
  for (int x = 0; x < 8; ++x) edge[x] = x < 4 ? MakePixel(0, 0, 0, 255) : MakePixel(255, 255, 255, 255);
  std::vector<Pixel> wide(20 * 1);
  ResampleLanczos3(edge.data(), 8, 1, wide.data(), 20, 1, scratch);
  EXPECT_LE(Red(wide[0]), 2);
  EXPECT_GE(Red(wide[19]), 253);
  // Downsizing a one-pixel source and tiny sizes stay inside the buffers (the sanitizers watch).
  Pixel one = MakePixel(9, 9, 9, 255), out[3];
  ResampleLanczos3(&one, 1, 1, out, 3, 1, scratch);
  std::vector<Pixel> down(2);
  ResampleLanczos3(big.data(), 32, 32, down.data(), 2, 1, scratch);
}

TEST(PixelCore, FadeMixesBytes) {
  const std::uint8_t from[] = {0, 200}, to[] = {255, 0};
  std::uint8_t target[2];
  FadeBytes(from, to, target, 2, 51);  // x = 0.2
  EXPECT_EQ(target[0], 51);
  EXPECT_EQ(target[1], 160);
}

}  // namespace

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(PackedRuns, ByteTables) {
  struct Case {
    const char* Name;
    Bytes Plain, Packed;
  } cases[] = {
      {"three repeat runs", Bytes(300, 0xAB), {0x7D, 0xAB, 0x7D, 0xAB, 0x32, 0xAB}},
      {"literal then repeat", {1, 2, 3, 3, 3}, {0x82, 1, 2, 3, 3}},
      {"one byte", {9}, {0x81, 9}},
      {"nothing", {}, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PackRuns(c.Plain.data(), c.Plain.size()), c.Packed) << c.Name;
    Bytes back;
    ASSERT_TRUE(UnpackRuns(c.Packed.data(), c.Packed.size(), back)) << c.Name;
    EXPECT_EQ(back, c.Plain) << c.Name;
  }
}

TEST(PackedRuns, LongLiteralsAndTruncation) {
  Bytes plain;
  for (int i = 0; i < 400; ++i) plain.push_back(std::uint8_t(i * 7 + (i % 3 == 0)));
  plain.insert(plain.end(), 3, 0x55);
  const Bytes packed = PackRuns(plain.data(), plain.size());
  for (std::size_t i = 0; i < packed.size();) {
    const int length = packed[i] & 0x7F;
    ASSERT_GE(length, 1);
    ASSERT_LE(length, 125);
    i += (packed[i] & 0x80) ? 1 + length : 2;
  }
  Bytes back;
  ASSERT_TRUE(UnpackRuns(packed.data(), packed.size(), back));
  EXPECT_EQ(back, plain);
  const Bytes cut[] = {{0x85, 1, 2}, {0x04}};
  for (const Bytes& c : cut) {
    Bytes out;
    EXPECT_FALSE(UnpackRuns(c.data(), c.size(), out));
  }
}

}  // namespace
