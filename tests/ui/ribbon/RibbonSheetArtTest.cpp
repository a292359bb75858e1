// The ribbon skins' sheet generator, natively: the sheets' sizes and coverage, the uniform stretched
// bands, the pictures of overlapping sets, the PNG and BMP files and their reproducibility.

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "tools/ribbon-skins/RibbonSheetArt.h"
#include "ui/extras/png/PngChunk.h"
#include "ui/extras/png/PngHeaderChunk.h"
#include "ui/extras/png/PngImageCore.h"
#include "ui/ribbon/SkinColors.h"

namespace {

using namespace ribbon_art;
using ribbon_skin::kPartSets;
using ribbon_skin::TStretch;

constexpr TSheet kSheets[] = {TSheet::Common, TSheet::Color, TSheet::Form};
constexpr TScheme kSchemes[] = {TScheme::Blue, TScheme::Black, TScheme::Silver};

// The sheets, drawn once for the whole test program.
const TImage& Sheet(TSheet sheet, TScheme scheme) {
  static std::map<std::pair<int, int>, TImage> sheets;
  const auto key = std::make_pair(int(sheet), sheet == TSheet::Common ? 0 : int(scheme));
  auto it = sheets.find(key);
  if (it == sheets.end()) it = sheets.emplace(key, DrawSheet(sheet, scheme)).first;
  return it->second;
}

std::string Name(const TPartSet& set, int image) {
  return "set " + std::to_string(set.FirstID) + " image " + std::to_string(image);
}

TEST(RibbonSheetArt, SheetsHaveTheirSizesAndDecodeAsPlainRgbaPng) {
  struct Case {
    TSheet sheet;
    int width, height;
  } cases[] = {{TSheet::Common, 121, 379}, {TSheet::Color, 93, 438}, {TSheet::Form, 50, 292}};
  for (const Case& c : cases)
    for (TScheme scheme : kSchemes) {
      const TImage& image = Sheet(c.sheet, scheme);
      ASSERT_EQ(image.Width, c.width);
      ASSERT_EQ(image.Height, c.height);
      TPngMemoryStream stream(EncodeSheetPng(image));
      TPngImageCore png;
      png.LoadFromStream(stream);
      EXPECT_EQ(png.Width(), Cardinal(c.width));
      EXPECT_EQ(png.Height(), Cardinal(c.height));
      EXPECT_EQ(png.HeaderChunk().ColorType, 6);
      EXPECT_EQ(png.HeaderChunk().BitDepth, 8);
      EXPECT_EQ(png.HeaderChunk().InterlaceMethod, 0);
      std::set<std::string> chunks;
      for (int i = 0; i < png.ChunkList().Count(); ++i) chunks.insert(png.ChunkList().Item(i)->ChunkTypeName());
      EXPECT_EQ(chunks, (std::set<std::string>{"IHDR", "IDAT", "IEND"}));
      // Straight alpha survives the round trip.
      for (int y = 0; y < c.height; y += 7)
        for (int x = 0; x < c.width; x += 5) {
          const TRgba& pixel = image.At(x, y);
          ASSERT_EQ(png.AlphaRow(Cardinal(y))[x], pixel.A);
          if (pixel.A) {
            ASSERT_EQ(png.PixelRow(Cardinal(y))[3 * x + 2], pixel.R) << x << ", " << y;
          }
        }
    }
}

TEST(RibbonSheetArt, EveryPictureButTheEmptyTabIsDrawnAndNothingLiesOutsideTheParts) {
  for (TScheme scheme : kSchemes) {
    for (TSheet sheetKind : kSheets) {
      const TImage& sheet = Sheet(sheetKind, scheme);
      std::vector<bool> covered(sheet.Pixels.size());
      for (const TPartSet& set : kPartSets) {
        if (set.Sheet != sheetKind) continue;
        for (int image = 0; image < set.ImageCount(); ++image) {
          bool drawn = false;
          for (int y = 0; y < set.Height; ++y)
            for (int x = 0; x < set.Width; ++x) {
              const int px = set.ImageX(image) + x, py = set.ImageY(image) + y;
              covered[std::size_t(py) * sheet.Width + px] = true;
              drawn = drawn || sheet.At(px, py).A > 0;
            }
          const bool emptyTab = set.FirstID == 10043 && image == 0;
          EXPECT_EQ(drawn, !emptyTab) << Name(set, image);
        }
      }
      for (std::size_t i = 0; i < covered.size(); ++i) {
        if (!covered[i]) {
          ASSERT_EQ(sheet.Pixels[i].A, 0) << "pixel " << i % sheet.Width << ", " << i / sheet.Width;
        }
      }
    }
  }
}

TEST(RibbonSheetArt, StretchedBandsAreUniformAlongTheirStretch) {
  for (TScheme scheme : kSchemes)
    for (const TPartSet& set : kPartSets) {
      const TImage& sheet = Sheet(set.Sheet, scheme);
      const bool x = set.Stretch == TStretch::Horizontal || set.Stretch == TStretch::Both;
      const bool y = set.Stretch == TStretch::Vertical || set.Stretch == TStretch::Both;
      const int left = set.Margins.Left, right = set.Width - set.Margins.Right;
      const int top = set.Margins.Top, bottom = set.Height - set.Margins.Bottom;
      for (int image = 0; image < set.ImageCount(); ++image) {
        const int ox = set.ImageX(image), oy = set.ImageY(image);
        if (x && left < right) {
          for (int row = 0; row < set.Height; ++row)
            for (int col = left + 1; col < right; ++col)
              ASSERT_EQ(sheet.At(ox + col, oy + row), sheet.At(ox + left, oy + row))
                  << Name(set, image) << " column " << col << " row " << row;
        }
        if (y && top < bottom) {
          for (int col = 0; col < set.Width; ++col)
            for (int row = top + 1; row < bottom; ++row)
              ASSERT_EQ(sheet.At(ox + col, oy + row), sheet.At(ox + col, oy + top))
                  << Name(set, image) << " column " << col << " row " << row;
        }
      }
    }
}

TEST(RibbonSheetArt, OverlappingSetsAreOnePicture) {
  auto overlap = [](const TPartSet& a, const TPartSet& b) {
    for (int i = 0; i < a.ImageCount(); ++i)
      for (int j = 0; j < b.ImageCount(); ++j)
        if (a.ImageX(i) < b.ImageX(j) + b.Width && b.ImageX(j) < a.ImageX(i) + a.Width &&
            a.ImageY(i) < b.ImageY(j) + b.Height && b.ImageY(j) < a.ImageY(i) + a.Height)
          return true;
    return false;
  };
  std::set<std::pair<int, int>> shared;
  for (const TPartSet& a : kPartSets)
    for (const TPartSet& b : kPartSets)
      if (&a < &b && a.Sheet == b.Sheet && overlap(a, b)) {
        EXPECT_EQ(PictureOwner(a), PictureOwner(b)) << a.FirstID << " and " << b.FirstID;
        shared.insert({std::min(a.FirstID, b.FirstID), std::max(a.FirstID, b.FirstID)});
      }
  // The caption holds the maximised caption, the upper borders and the caption strip.
  for (int member : {10002, 10004, 10006, 10054}) EXPECT_TRUE(shared.count({10000, member})) << member;
  for (auto pair : {std::pair{10059, 10063}, {10084, 10085}, {10094, 10095}}) EXPECT_TRUE(shared.count(pair));
}

TEST(RibbonSheetArt, ScrollButtonsAreRoundedOnTheSideTheOperationsDrawThemFor) {
  // Right-hand buttons are 10434 and 10452, left-hand 10425 and 10443: the outer corners are round
  // (transparent), the inner ones square.
  for (const TPartSet& set : kPartSets) {
    const bool right = set.FirstID == 10434 || set.FirstID == 10452;
    const bool left = set.FirstID == 10425 || set.FirstID == 10443;
    if (!right && !left) continue;
    const TImage& sheet = Sheet(set.Sheet, TScheme::Blue);
    const int x = set.ImageX(0), y = set.ImageY(0), last = set.Width - 1;
    EXPECT_EQ(sheet.At(x + (right ? last : 0), y).A, 0) << set.FirstID;
    EXPECT_EQ(sheet.At(x + (right ? 0 : last), y).A, 255) << set.FirstID;
  }
}

TEST(RibbonSheetArt, BodyAndStatusBarTakeThePaletteColours) {
  for (TScheme scheme : kSchemes) {
    auto rgba = [](ribbon_skin::TSkinColor c) {
      return TRgba{std::uint8_t(c), std::uint8_t(c >> 8), std::uint8_t(c >> 16), 255};
    };
    const TRgba body = rgba(ribbon_skin::SchemeColor(scheme, 10065, 0));
    const TImage& colour = Sheet(TSheet::Color, scheme);
    EXPECT_EQ(colour.At(13 + 5, 116 + 50), body) << "groups area";
    EXPECT_EQ(colour.At(0 + 12, 2 * 23 + 12), body) << "active tab";
    EXPECT_EQ(colour.At(42, 138 + 10), rgba(ribbon_skin::SchemeColor(scheme, 455, 0))) << "status bar";
  }
}

TEST(RibbonSheetArt, FilesAreTheSameBytesEachTime) {
  for (TScheme scheme : kSchemes)
    for (TSheet sheet : kSheets) EXPECT_EQ(EncodeSheetPng(DrawSheet(sheet, scheme)), EncodeSheetPng(Sheet(sheet, scheme)));
  for (int i = 0; i < ribbon_skin::kIndicatorCount; ++i) EXPECT_EQ(IndicatorBitmap(i), IndicatorBitmap(i));
}

TEST(RibbonSheetArt, IndicatorsAreFourBitLampsOnButtonFace) {
  // Lamp colours (palette indices) of grey, yellow, blue, green, red, teal, purple.
  constexpr int kLamp[] = {8, 11, 12, 10, 9, 6, 5};
  for (int i = 0; i < ribbon_skin::kIndicatorCount; ++i) {
    const std::vector<std::uint8_t> bmp = IndicatorBitmap(i);
    auto u32 = [&](std::size_t at) { return bmp[at] | bmp[at + 1] << 8 | bmp[at + 2] << 16 | bmp[at + 3] << 24; };
    ASSERT_EQ(bmp[0], 'B');
    EXPECT_EQ(u32(2), bmp.size());
    EXPECT_EQ(u32(18), 17u);
    EXPECT_EQ(u32(22), 8u);
    EXPECT_EQ(bmp[28], 4);  // bits per pixel
    const std::size_t bits = u32(10);
    // Silver at palette index 7, white at 15.
    EXPECT_EQ(u32(54 + 7 * 4), 0xC0C0C0u);
    EXPECT_EQ(u32(54 + 15 * 4), 0xFFFFFFu);
    auto pixel = [&](int x, int y) {  // top-down coordinates; rows are 12 bytes, bottom-up
      const std::uint8_t byte = bmp[bits + std::size_t(7 - y) * 12 + std::size_t(x / 2)];
      return x % 2 ? byte & 0x0F : byte >> 4;
    };
    EXPECT_EQ(pixel(0, 0), 7);
    EXPECT_EQ(pixel(1, 1), 7) << "rounded corner";
    EXPECT_EQ(pixel(8, 4), kLamp[i]);
    EXPECT_NE(pixel(8, 1), 7) << "outline";
  }
}

TEST(RibbonSheetArt, ReviewSheetsAreMade) {
  for (TScheme scheme : kSchemes) {
    const TImage review = DrawReviewSheet(scheme);
    EXPECT_GT(review.Width, 0);
    EXPECT_GT(review.Height, 100);
    EXPECT_FALSE(EncodeReviewPng(review).empty());
  }
}

}  // namespace
