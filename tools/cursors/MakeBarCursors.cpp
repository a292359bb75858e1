// Draws the bar library's cursors and the glyphs of an MDI child's system-menu entries, written as
// files named after their resources ("DXBARDRAGCURSOR" -> dxbardragcursor.cur):
//   make_bar_cursors OUTPUT_FOLDER
// Cursors, 32 x 32 monochrome: a link dragged (the arrow with a page), copied (with a plus), refused
// (with a no-entry sign), and the sizing of an edit item's width (a horizontal double arrow through
// a bar, hot spot in its middle). Glyphs, 10 x 10, 16 colours, black on white: close (a cross),
// restore (two overlapping windows), maximize (a window with a thick title) and minimize (a bar at
// the bottom). Deterministic.

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

std::vector<foundation_bitmaps::NamedBitmap> SystemMenuGlyphs() {
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
  };
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
  for (const foundation_bitmaps::NamedBitmap& bitmap : SystemMenuGlyphs()) {
    if (!Write(ResourceFile(folder, bitmap.Name, ".bmp"), foundation_bitmaps::BitmapFile(bitmap.Picture, bitmap.Palette16))) {
      std::perror("make_bar_cursors");
      return 1;
    }
  }
  return 0;
}
