// Draws the navigation bar's cursors and writes them as .cur files named after their resources
// ("dxNavBarDragCursor" -> dxnavbardragcursor.cur):
//   make_navbar_cursors OUTPUT_FOLDER
// 32 x 32 monochrome: the drag arrow with a page, the same with a plus, and a pointing hand whose
// hot spot is the tip of its index finger. Deterministic.

#include <cctype>

#include "CursorArt.h"

using namespace cursor_art;

namespace {

// A hand pointing up: the index finger from (9, 1) down to the palm, three folded fingers to its
// right, the thumb on the left, and a cuff at the bottom.
Picture Hand() {
  Picture p = Blank();
  auto box = [](int l, int t, int r, int b) -> Shape {
    return [=](int x, int y) { return x >= l && x <= r && y >= t && y <= b; };
  };
  // Outline first (black), then fill the inside white, so the picture reads on any background.
  const Shape outline[] = {box(8, 1, 12, 14), box(12, 9, 15, 16), box(15, 10, 18, 16), box(18, 11, 21, 17),
                           box(3, 13, 8, 17),  box(5, 14, 21, 24),  box(7, 24, 19, 28)};
  for (const Shape& s : outline) Stamp(p, s);
  const Shape inside[] = {box(9, 2, 11, 14), box(13, 10, 14, 16), box(16, 11, 17, 16), box(19, 12, 20, 17),
                          box(4, 14, 8, 16),  box(6, 15, 20, 23),  box(8, 25, 18, 27)};
  for (const Shape& s : inside)
    for (int y = 0; y < kSize; ++y)
      for (int x = 0; x < kSize; ++x)
        if (s(x, y)) p[y][x] = 'W';
  return p;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_navbar_cursors OUTPUT_FOLDER\n");
    return 2;
  }
  const bool written = WriteCursors("make_navbar_cursors", argv[1], {
      {"dxNavBarDragCursor", DragWith([](Picture& p) { DrawPage(p); }), 0, 0},
      {"dxNavBarDragCopyCursor", DragWith([](Picture& p) { DrawPage(p); Plus(p); }), 0, 0},
      {"dxNavBarLinksCursor", Hand(), 10, 1},
  });
  return written ? 0 : 1;
}
