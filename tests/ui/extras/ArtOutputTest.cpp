// The art the build draws through the codec: the welcome picture and the load-CD button picture,
// read back from the tree's art folder.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PngTestImages.h"
#include "platform/framework/graphics/Graphic.h"
#include "platform/framework/classes/UnitLifecycle.h"
#include "tests/support/TestSupport.h"
#include "ui/extras/png/PngHeaderChunk.h"
#include "ui/extras/png/PngObject.h"

namespace {

// Executables are built into <tree>/bin, the art into <tree>/art.
String ArtFile(const wchar_t* name) { return testing_support::ExecutableFolder() + L"..\\art\\" + name; }

png_test::Bytes ArtBytes(const wchar_t* name) {
  const AnsiString bytes = testing_support::ReadFileBytes(ArtFile(name));
  return png_test::Bytes(bytes.begin(), bytes.end());
}

std::vector<std::string> ChunkTypes(const png_test::Bytes& file) {
  std::vector<std::string> types;
  for (const png_test::Chunk& chunk : png_test::SplitChunks(file)) types.push_back(chunk.Type);
  return types;
}

}  // namespace

TEST(ArtOutput, LoadCdButtonPictureIsRgbaWithOnePhysicalSizeChunk) {
  const png_test::Bytes file = ArtBytes(L"ButtonFreeCDDB.png");
  ASSERT_FALSE(file.empty()) << "the build did not draw the art";
  EXPECT_EQ(ChunkTypes(file), (std::vector<std::string>{"IHDR", "pHYs", "IDAT", "IEND"}));
  for (const png_test::Chunk& chunk : png_test::SplitChunks(file)) {
    if (chunk.Type != "pHYs") continue;
    EXPECT_EQ(chunk.Data, (png_test::Bytes{0, 0, 0x0B, 0x13, 0, 0, 0x0B, 0x13, 1}));
  }

  TPNGObject png;
  png.LoadFromFile(ArtFile(L"ButtonFreeCDDB.png"));
  const TChunkIHDR& header = png.HeaderChunk();
  EXPECT_EQ(header.Width, 24u);
  EXPECT_EQ(header.Height, 24u);
  EXPECT_EQ(header.ColorType, 6);
  EXPECT_EQ(header.BitDepth, 8);
  EXPECT_EQ(png.AlphaRow(0)[0], 0) << "corners are transparent";
  EXPECT_EQ(png.AlphaRow(11)[4], 255) << "the disc is opaque";
}

TEST(ArtOutput, WelcomePictureOpensByNameAtTheWindowsSize) {
  EXPECT_EQ(ChunkTypes(ArtBytes(L"welcome.png")), (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
  InitializeUnits();
  TPicture picture;
  picture.LoadFromFile(ArtFile(L"welcome.png"));
  auto* png = dynamic_cast<TPNGObject*>(picture.Graphic());
  ASSERT_NE(png, nullptr);
  EXPECT_EQ(picture.Width(), 600);
  EXPECT_EQ(picture.Height(), 371);
  EXPECT_EQ(png->HeaderChunk().ColorType, 2);
}
