// Draws the bar library's cursors, the glyphs of an MDI child's system-menu entries and the
// font-name combo's font-type marks, written as files named after their resources
// ("DXBARDRAGCURSOR" -> dxbardragcursor.cur):
//   make_bar_cursors OUTPUT_FOLDER
// Cursors, 32 x 32 monochrome: a link dragged (the arrow with a page), copied (with a plus), refused
// (with a no-entry sign), and the sizing of an edit item's width (a horizontal double arrow through
// a bar, hot spot in its middle). Glyphs, 10 x 10, 16 colours, black on white: close (a cross),
// restore (two overlapping windows), maximize (a window with a thick title) and minimize (a bar at
// the bottom). Font-type marks, 12 x 12, 16 colours on white: DXBARTRUETYPEFONT two overlapping
// letters T, a dark blue one over a grey one (an outline font); DXBARNONTRUETYPEFONT a black letter
// A built of square dots (a raster or device font). White is the background the image lists take as
// transparent. The Customize dialog's six group and item buttons in one 96 x 16 strip, 16 colours.
// Deterministic.

#include <cstdio>
#include <cstdlib>

#include "CursorArt.h"
#include "FoundationBitmaps.h"

using namespace cursor_art;

namespace {

// Left-right arrows from x 4 to 27 on row 15 with their heads, and a vertical bar across them.
Picture EditSizing() {
  Picture p = Blank();
  Stamp(p, [](int x, int y) {
    const int dy = std::abs(y - 15);
    const bool shaft = dy == 0 && x >= 4 && x <= 27;
    const bool heads = (x >= 4 && x <= 8 && dy <= x - 4) || (x >= 23 && x <= 27 && dy <= 27 - x);
    const bool bar = (x == 15 || x == 16) && y >= 8 && y <= 23;
    return shaft || heads || bar;
  });
  return p;
}

using foundation_bitmaps::Image;
using foundation_bitmaps::Rgb;

// The bar of the T is 7 pixels wide and 2 high, its stem 3 wide and 8 high below the bar's middle.
void PutLetterT(Image& im, int left, int top, Rgb colour) {
  for (int y = top; y < top + 2; ++y)
    for (int x = left; x < left + 7; ++x) im.At(x, y) = colour;
  for (int y = top + 2; y < top + 10; ++y)
    for (int x = left + 2; x < left + 5; ++x) im.At(x, y) = colour;
}

Image TrueTypeFontMark() {
  Image im = foundation_bitmaps::Blank(12, 12, foundation_bitmaps::kWhite);
  PutLetterT(im, 0, 0, Rgb{128, 128, 128});
  PutLetterT(im, 4, 2, Rgb{0, 0, 128});
  return im;
}

Image NonTrueTypeFontMark() {
  return foundation_bitmaps::Glyph({
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

std::vector<foundation_bitmaps::NamedBitmap> Bitmaps() {
  using foundation_bitmaps::Glyph;
  return {
      {"DXBARCLOSE",
       Glyph({"..........", ".##....##.", "..##..##..", "...####...", "....##....", "...####...", "..##..##..",
              ".##....##.", "..........", ".........."}),
       true},
      {"DXBARRESTORE",
       Glyph({"...######.", "...######.", "...#....#.", ".######.#.", ".######.#.", ".#....###.", ".#....#...",
              ".#....#...", ".######...", ".........."}),
       true},
      {"DXBARMAXIMIZE",
       Glyph({".########.", ".########.", ".#......#.", ".#......#.", ".#......#.", ".#......#.", ".#......#.",
              ".#......#.", ".########.", ".........."}),
       true},
      {"DXBARMINIMIZE",
       Glyph({"..........", "..........", "..........", "..........", "..........", "..........", "..........",
              ".######...", ".######...", ".........."}),
       true},
      {"DXBARTRUETYPEFONT", TrueTypeFontMark(), true},
      {"DXBARNONTRUETYPEFONT", NonTrueTypeFontMark(), true},
  };
}

// The Customize dialog's group and item buttons, one 16 x 16 picture each on a magenta
// background (the mask): 0 add group, 1 delete group, 2 move up, 3 move down, 4 add item, 5 delete
// item. A group is a yellow folder, an item a white page; add is a green plus, delete a red cross,
// the moves are blue arrows.
foundation_bitmaps::Image CustomizeGroupImages() {
  using foundation_bitmaps::Rgb;
  const Rgb magenta{255, 0, 255}, black{0, 0, 0}, yellow{255, 255, 0}, white{255, 255, 255}, green{0, 128, 0},
      red{255, 0, 0}, blue{0, 0, 128}, olive{128, 128, 0};
  foundation_bitmaps::Image im = foundation_bitmaps::Blank(96, 16, magenta);
  auto put = [&](int Cell, int x, int y, Rgb c) { im.At(Cell * 16 + x, y) = c; };
  auto folder = [&](int Cell) {
    for (int y = 4; y <= 13; ++y)
      for (int x = 1; x <= 12; ++x) put(Cell, x, y, y == 4 || y == 13 || x == 1 || x == 12 ? olive : yellow);
    for (int x = 2; x <= 5; ++x) put(Cell, x, 3, olive);
  };
  auto page = [&](int Cell) {
    for (int y = 1; y <= 14; ++y)
      for (int x = 2; x <= 11; ++x) put(Cell, x, y, y == 1 || y == 14 || x == 2 || x == 11 ? black : white);
  };
  auto plus = [&](int Cell) {
    for (int i = 7; i <= 15; ++i) {
      put(Cell, i, 11, green), put(Cell, i, 12, green);
      put(Cell, 11, i, green), put(Cell, 12, i, green);
    }
  };
  auto cross = [&](int Cell) {
    for (int i = 0; i <= 7; ++i) {
      put(Cell, 8 + i, 8 + i, red), put(Cell, 7 + i, 8 + i, red);
      put(Cell, 15 - i, 8 + i, red), put(Cell, 14 - i, 8 + i, red);
    }
  };
  auto arrow = [&](int Cell, bool Up) {
    for (int r = 0; r < 6; ++r) {
      const int y = Up ? 3 + r : 12 - r;
      for (int x = 8 - r; x <= 7 + r; ++x) put(Cell, x, y, blue);
    }
    for (int r = 0; r < 4; ++r) {
      const int y = Up ? 9 + r : 3 + r;
      for (int x = 6; x <= 9; ++x) put(Cell, x, y, blue);
    }
  };
  folder(0), plus(0);
  folder(1), cross(1);
  arrow(2, true);
  arrow(3, false);
  page(4), plus(4);
  page(5), cross(5);
  return im;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_bar_cursors OUTPUT_FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  const bool written = WriteCursors("make_bar_cursors", folder, {
      {"DXBARDRAGCURSOR", DragWith([](Picture& p) { DrawPage(p); }), 0, 0},
      {"DXBARDRAGCOPYCURSOR", DragWith([](Picture& p) { DrawPage(p); Plus(p); }), 0, 0},
      {"DXBARDRAGNODROPCURSOR", DragWith(DrawNoEntry), 0, 0},
      {"DXBAREDITSIZINGCURSOR", EditSizing(), 15, 15},
  });
  if (!written) return 1;
  std::vector<foundation_bitmaps::NamedBitmap> bitmaps = Bitmaps();
  bitmaps.push_back({"DXBARCUSTOMIZEGROUPS", CustomizeGroupImages(), true});
  for (const foundation_bitmaps::NamedBitmap& bitmap : bitmaps) {
    if (!Write(ResourceFile(folder, bitmap.Name, ".bmp"), foundation_bitmaps::BitmapFile(bitmap.Picture, bitmap.Palette16))) {
      std::perror("make_bar_cursors");
      return 1;
    }
  }
  return 0;
}
