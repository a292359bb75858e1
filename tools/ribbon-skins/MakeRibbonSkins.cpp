// Draws the ribbon colour skins' sheets and the status bar's indicators:
//   make_ribbon_skins OUTPUT_FOLDER REVIEW_FOLDER
//     OUTPUT_FOLDER/RIBBONCOMMON.png, RIBBON<SCHEME>.png, FORM<SCHEME>.png   the seven sheets
//     OUTPUT_FOLDER/DXSTATUSBAR_<COLOUR>.bmp                                the seven indicators
//     REVIEW_FOLDER/ribbon-<Scheme>-review.png                              every part, for the eye
// The files depend on nothing but these sources and the part table (ui/ribbon/SkinParts.h).

#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "RibbonSheetArt.h"

namespace {

void WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace ribbon_art;
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_ribbon_skins OUTPUT_FOLDER REVIEW_FOLDER\n");
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "/", review = std::string(argv[2]) + "/";
  try {
    WriteFileBytes(folder + SheetFileName(TSheet::Common, TScheme::Blue),
                   EncodeSheetPng(DrawSheet(TSheet::Common, TScheme::Blue)));
    for (int s = 0; s < ribbon_skin::kSchemeCount; ++s) {
      const auto scheme = TScheme(s);
      for (TSheet sheet : {TSheet::Color, TSheet::Form})
        WriteFileBytes(folder + SheetFileName(sheet, scheme), EncodeSheetPng(DrawSheet(sheet, scheme)));
      WriteFileBytes(review + "ribbon-" + ribbon_skin::kSchemeNames[s] + "-review.png",
                     EncodeReviewPng(DrawReviewSheet(scheme)));
    }
    for (int i = 0; i < ribbon_skin::kIndicatorCount; ++i)
      WriteFileBytes(folder + ribbon_skin::kIndicatorNames[i] + ".bmp", IndicatorBitmap(i));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_ribbon_skins: %s\n", e.what());
    return 1;
  }
  return 0;
}
