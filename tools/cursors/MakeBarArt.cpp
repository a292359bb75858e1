// Draws the bar library's bitmaps, written as .bmp files named after their resources:
//   make_bar_art OUTPUT_FOLDER
// - DXBARTRUETYPEFONT, 12 x 12, 16 colours: two overlapping letters T, a dark blue one over a grey
//   one, on white (the mark beside an outline font's name);
// - DXBARNONTRUETYPEFONT, 12 x 12, 16 colours: a black letter A built of square dots, on white (the
//   mark beside a raster or device font's name).
// White is the background the image list takes as transparent. Deterministic.

#include <cstdio>

#include "CursorArt.h"
#include "FoundationBitmaps.h"

using namespace foundation_bitmaps;

namespace {

constexpr Rgb kNavy{0, 0, 128}, kGrey{128, 128, 128};

void PutLetterT(Image& im, int left, int top, Rgb colour) {
  // The bar of the T is 7 pixels wide and 2 high, its stem 3 wide and 8 high below the bar's middle.
  for (int y = top; y < top + 2; ++y)
    for (int x = left; x < left + 7; ++x) im.At(x, y) = colour;
  for (int y = top + 2; y < top + 10; ++y)
    for (int x = left + 2; x < left + 5; ++x) im.At(x, y) = colour;
}

Image TrueTypeFont() {
  Image im = Blank(12, 12, kWhite);
  PutLetterT(im, 0, 0, kGrey);
  PutLetterT(im, 4, 2, kNavy);
  return im;
}

Image NonTrueTypeFont() {
  return Glyph({
      "............",
      ".....##.....",
      ".....##.....",
      "....#..#....",
      "....#..#....",
      "...##..##...",
      "...######...",
      "..##....##..",
      "..##....##..",
      ".##......##.",
      ".##......##.",
      "............",
  });
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_bar_art OUTPUT_FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  const struct {
    const char* Name;
    Image Picture;
  } bitmaps[] = {{"DXBARTRUETYPEFONT", TrueTypeFont()}, {"DXBARNONTRUETYPEFONT", NonTrueTypeFont()}};
  for (const auto& bitmap : bitmaps) {
    if (!cursor_art::Write(cursor_art::ResourceFile(folder, bitmap.Name, ".bmp"), BitmapFile(bitmap.Picture, true))) {
      std::perror("make_bar_art");
      return 1;
    }
  }
  return 0;
}
