// Draws the control foundation's art: its cursors, written as .cur files named after their
// resources ("CX_DRAGCOPYCURSOR" -> cx_dragcopycursor.cur), and its bitmaps (FoundationBitmaps.h):
//   make_foundation_cursors OUTPUT_FOLDER
// Cursors are 32 x 32 monochrome: black shapes with a white outline; scroll and size cursors have
// their hot spot in the middle, the drag cursors at the arrow's tip. Deterministic.

#include <cctype>

#include "CursorArt.h"
#include "FoundationBitmaps.h"

using namespace cursor_art;

namespace {

// A filled triangle pointing in a direction (0 up, 1 right, 2 down, 3 left) with its tip at (tx, ty).
Shape Triangle(int tx, int ty, int direction, int size = 5) {
  return [=](int x, int y) {
    int along, across;
    switch (direction) {
      case 0: along = y - ty; across = x - tx; break;
      case 1: along = tx - x; across = y - ty; break;
      case 2: along = ty - y; across = x - tx; break;
      default: along = x - tx; across = y - ty; break;
    }
    return along >= 0 && along < size && std::abs(across) <= along;
  };
}

Shape Box(int left, int top, int right, int bottom) {
  return [=](int x, int y) { return x >= left && x <= right && y >= top && y <= bottom; };
}

Shape Disc(double cx, double cy, double r) {
  return [=](int x, int y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; };
}

// Scroll cursors: a dot in the middle and arrows in the given directions.
Picture Scroll(std::initializer_list<int> directions) {
  Picture p = Blank();
  Stamp(p, Disc(15.5, 15.5, 2.5));
  const int tips[4][2] = {{15, 4}, {27, 15}, {15, 27}, {4, 15}};
  for (int d : directions) Stamp(p, Triangle(tips[d][0], tips[d][1], d, 7));
  return p;
}

// Size cursors: a double arrow across a split bar.
Picture Split(bool vertical) {
  Picture p = Blank();
  auto flip = [vertical](Shape s) -> Shape {
    return vertical ? s : Shape([s](int x, int y) { return s(y, x); });
  };
  Stamp(p, flip(Box(6, 14, 25, 14)));
  Stamp(p, flip(Box(6, 17, 25, 17)));
  Stamp(p, flip(Box(15, 6, 16, 25)));
  Stamp(p, flip(Triangle(15, 3, 0, 5)));
  Stamp(p, flip(Triangle(15, 28, 2, 5)));
  return p;
}

void Cross(Picture& p) {
  Stamp(p, [](int x, int y) { return y >= 20 && y <= 30 && (std::abs((x - 20) - (y - 20)) <= 1 || std::abs((x - 20) + (y - 30)) <= 1) && x >= 20 && x <= 30; });
}

// A pipette from the bottom left (its tip, the hot spot) up to the right.
Picture Pipette() {
  Picture p = Blank();
  Stamp(p, [](int x, int y) { return x + y >= 29 && x + y <= 31 && x >= 1 && x <= 22; });
  Stamp(p, Disc(25, 6, 4));
  return p;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_foundation_cursors OUTPUT_FOLDER\n");
    return 2;
  }
  const std::vector<NamedCursor> cursors = {
      {"CX_DRAGCOPYCURSOR", DragWith([](Picture& p) { DrawPage(p); Plus(p); }), 0, 0},
      {"CX_FULLSCROLLCURSOR", Scroll({0, 1, 2, 3}), 15, 15},
      {"CX_HORSCROLLCURSOR", Scroll({1, 3}), 15, 15},
      {"CX_VERSCROLLCURSOR", Scroll({0, 2}), 15, 15},
      {"CX_UPSCROLLCURSOR", Scroll({0}), 15, 15},
      {"CX_RIGHTSCROLLCURSOR", Scroll({1}), 15, 15},
      {"CX_DOWNSCROLLCURSOR", Scroll({2}), 15, 15},
      {"CX_LEFTSCROLLCURSOR", Scroll({3}), 15, 15},
      {"CX_REMOVECURSOR", DragWith(Cross), 0, 0},
      {"CX_VERTSIZECURSOR", Split(true), 15, 15},
      {"CX_HORZSIZECURSOR", Split(false), 15, 15},
      {"CX_MULTIDRAGCURSOR", DragWith([](Picture& p) { DrawPage(p, 15, 15); DrawPage(p); }), 0, 0},
      {"CX_NODROPCURSOR", DragWith(DrawNoEntry), 0, 0},
      {"CX_DRAGCURSOR", DragWith([](Picture& p) { DrawPage(p); }), 0, 0},
      {"CX_COLORPICKERCURSOR", Pipette(), 1, 30},
  };
  const std::string folder = argv[1];
  if (!WriteCursors("make_foundation_cursors", folder, cursors)) return 1;
  for (const foundation_bitmaps::NamedBitmap& bitmap : foundation_bitmaps::AllBitmaps()) {
    if (!Write(ResourceFile(folder, bitmap.Name, ".bmp"), foundation_bitmaps::BitmapFile(bitmap.Picture, bitmap.Palette16))) {
      std::perror("make_foundation_cursors");
      return 1;
    }
  }
  return 0;
}
