// Draws the framework's drag cursors and writes them as .cur files:
//   make_cursors OUTPUT_FOLDER   ->   drag.cur (crDrag), nodrop.cur (crNoDrop)
// Both are 32 x 32 monochrome cursors: the arrow with its tip at the hot spot (0, 0), plus a
// small page (drag) or a barred circle (no drop). The output depends on nothing but this file and
// CursorArt.h.

#include "CursorArt.h"

using namespace cursor_art;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_cursors OUTPUT_FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  Picture drag = Blank();
  DrawArrow(drag);
  DrawPage(drag);
  Picture noDrop = Blank();
  DrawArrow(noDrop);
  DrawNoEntry(noDrop);
  if (!Write(folder + "/drag.cur", CursorFile(drag, 0, 0)) || !Write(folder + "/nodrop.cur", CursorFile(noDrop, 0, 0))) {
    std::perror("make_cursors");
    return 1;
  }
  return 0;
}
