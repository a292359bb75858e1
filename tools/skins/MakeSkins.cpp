// Draws the project's own skins and writes them:
//   make_skins OUTPUT_FOLDER REVIEW_FOLDER
//     OUTPUT_FOLDER/InternalSkin.asz       "Harbour Blue (internal)", INI entry first
//     OUTPUT_FOLDER/Harbour Slate.asz      "Harbour Slate", image entries before the INI entry
//     OUTPUT_FOLDER/Harbour Slate/         the same skin unpacked (Options.dat and images)
//     OUTPUT_FOLDER/SF.bmp ... SC.bmp      the library's glyph sheets (24-bit)
//     REVIEW_FOLDER/<skin>-review.png      the master bitmap and the huge button enlarged, for the eye
// The output depends on nothing but these sources.

#include <cstdio>
#include <fstream>
#include <string>

#include "tools/skins/GlyphSheets.h"
#include "tools/skins/SkinDesign.h"
#include "ui/extras/png/PngImageCore.h"

namespace {

// The master bitmap at three times its size above BUTTON_HUGE's image at twice its size.
void WriteReviewSheet(const TDesignedSkin& skin, const std::string& path) {
  const int scale = 3;
  int width = std::max(skin.Master.Width * scale, skin.ButtonHuge.Width * 2);
  int height = skin.Master.Height * scale + 8 + skin.ButtonHuge.Height * 2;
  TSkinBitmap sheet(width, height, SkinRgb(128, 128, 128));
  for (int y = 0; y < skin.Master.Height * scale; ++y)
    for (int x = 0; x < skin.Master.Width * scale; ++x) sheet.At(x, y) = skin.Master.At(x / scale, y / scale);
  int top = skin.Master.Height * scale + 8;
  for (int y = 0; y < skin.ButtonHuge.Height * 2; ++y)
    for (int x = 0; x < skin.ButtonHuge.Width * 2; ++x) sheet.At(x, top + y) = skin.ButtonHuge.At(x / 2, y / 2);
  TPngImageCore image;
  image.DeflateLevel = 9;
  image.BuildEmptyImage(2, 8, Cardinal(width), Cardinal(height));
  for (int y = 0; y < height; ++y) {
    Byte* row = image.PixelRow(Cardinal(y));
    for (int x = 0; x < width; ++x) {
      std::uint32_t c = sheet.At(x, y);
      row[3 * x] = Byte(c >> 16);
      row[3 * x + 1] = Byte(c >> 8);
      row[3 * x + 2] = Byte(c);
    }
  }
  TPngMemoryStream stream;
  image.SaveToStream(stream);
  WriteFileBytes(path, stream.Bytes());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_skins OUTPUT_FOLDER REVIEW_FOLDER\n");
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "/";
  const std::string review = std::string(argv[2]) + "/";
  try {
    TDesignedSkin blue = DesignHarbourBlue();
    TDesignedSkin slate = DesignHarbourSlate();
    WriteFileBytes(folder + "InternalSkin.asz", blue.Package.Archive(false));
    WriteFileBytes(folder + "Harbour Slate.asz", slate.Package.Archive(true));
    slate.Package.WriteFolder(folder + "Harbour Slate");
    for (const TGlyphSheet& sheet : DrawGlyphSheets()) WriteFileBytes(folder + sheet.Name + ".bmp", EncodeBmp24(sheet.Bitmap));
    WriteReviewSheet(blue, review + "Harbour Blue-review.png");
    WriteReviewSheet(slate, review + "Harbour Slate-review.png");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_skins: %s\n", e.what());
    return 1;
  }
  return 0;
}
