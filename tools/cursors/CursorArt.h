#pragma once
// Monochrome 32 x 32 cursors as pictures of characters, the arrow every drag cursor starts from, and
// the .cur file writer, shared by the cursor generators.

#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace cursor_art {

constexpr int kSize = 32;

// ' ' transparent, 'B' black, 'W' white.
using Picture = std::vector<std::string>;

inline Picture Blank() { return Picture(kSize, std::string(kSize, ' ')); }

inline void DrawArrow(Picture& p) {
  static const char* const arrow[] = {
      "B",          "BB",          "BWB",         "BWWB",        "BWWWB",      "BWWWWB",
      "BWWWWWB",    "BWWWWWWB",    "BWWWWWWWB",   "BWWWWWWWWB",  "BWWWWWWWWWB", "BWWWWWWBBBBB",
      "BWWWBWWB",   "BWWBBWWB",    "BWB  BWWB",   "BB   BWWB",   "B     BWWB", "      BWWB",
      "       BB",
  };
  for (int y = 0; y < int(sizeof(arrow) / sizeof(arrow[0])); ++y)
    for (int x = 0; arrow[y][x]; ++x)
      if (arrow[y][x] != ' ') p[y][x] = arrow[y][x];
}

// A page with a folded corner, below and right of the arrow.
inline void DrawPage(Picture& p, int left = 11, int top = 19) {
  const int right = left + 11, bottom = top + 11, fold = 3;
  for (int y = top; y <= bottom; ++y)
    for (int x = left; x <= right; ++x) {
      if (x > right - fold + (y - top)) continue;  // cut corner
      bool edge = x == left || y == top || y == bottom || x == right || x == right - fold + (y - top);
      p[y][x] = edge ? 'B' : 'W';
    }
}

// A circle with a bar from top left to bottom right.
inline void DrawNoEntry(Picture& p) {
  const double cx = 20.5, cy = 21.5, outer = 8.5, inner = 6.0;
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      double dx = x - cx, dy = y - cy, d = std::sqrt(dx * dx + dy * dy);
      if (d > outer) continue;
      bool ring = d >= inner;
      bool bar = std::fabs(dx - dy) <= 1.6;
      p[y][x] = ring || bar ? 'B' : 'W';
    }
}

using Shape = std::function<bool(int x, int y)>;

// Black where the shape is, white around it where the picture is still transparent.
inline void Stamp(Picture& p, const Shape& inside) {
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      if (inside(x, y)) {
        p[y][x] = 'B';
        continue;
      }
      bool near = false;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) near |= inside(x + dx, y + dy);
      if (near && p[y][x] == ' ') p[y][x] = 'W';
    }
}

inline Picture DragWith(const std::function<void(Picture&)>& extra) {
  Picture p = Blank();
  DrawArrow(p);
  extra(p);
  return p;
}

inline void Plus(Picture& p) { Stamp(p, [](int x, int y) { return (x >= 25 && x <= 29 && y >= 26 && y <= 26) || (x == 27 && y >= 24 && y <= 28); }); }

inline void Put16(std::vector<std::uint8_t>& out, unsigned v) {
  out.push_back(std::uint8_t(v));
  out.push_back(std::uint8_t(v >> 8));
}
inline void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// A .cur file: directory, one entry, then a 1-bit DIB with the XOR mask above the AND mask.
inline std::vector<std::uint8_t> CursorFile(const Picture& p, int hotX, int hotY) {
  const int stride = kSize / 8;  // 4 bytes: rows are already 32-bit aligned
  std::vector<std::uint8_t> xorMask(stride * kSize), andMask(stride * kSize);
  for (int y = 0; y < kSize; ++y) {
    int row = (kSize - 1 - y) * stride;  // bottom-up
    for (int x = 0; x < kSize; ++x) {
      std::uint8_t bit = std::uint8_t(0x80 >> (x % 8));
      if (p[y][x] == ' ') andMask[row + x / 8] |= bit;
      if (p[y][x] == 'W') xorMask[row + x / 8] |= bit;
    }
  }
  const std::uint32_t imageSize = 40 + 8 + std::uint32_t(xorMask.size() + andMask.size());
  std::vector<std::uint8_t> out;
  Put16(out, 0);  // reserved
  Put16(out, 2);  // cursor
  Put16(out, 1);  // one image
  out.push_back(kSize);
  out.push_back(kSize);
  out.push_back(2);  // colours
  out.push_back(0);
  Put16(out, unsigned(hotX));
  Put16(out, unsigned(hotY));
  Put32(out, imageSize);
  Put32(out, 6 + 16);
  Put32(out, 40);
  Put32(out, kSize);
  Put32(out, kSize * 2);
  Put16(out, 1);
  Put16(out, 1);
  for (int i = 0; i < 6; ++i) Put32(out, 0);
  Put32(out, 0x00000000);  // black
  Put32(out, 0x00FFFFFF);  // white
  out.insert(out.end(), xorMask.begin(), xorMask.end());
  out.insert(out.end(), andMask.begin(), andMask.end());
  return out;
}

inline bool Write(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

// A resource file name: the resource's name in lower case with the extension, in the folder.
inline std::string ResourceFile(const std::string& folder, std::string name, const char* extension) {
  for (char& c : name) c = char(std::tolower(static_cast<unsigned char>(c)));
  return folder + "/" + name + extension;
}

struct NamedCursor {
  const char* Name;
  Picture Image;
  int HotX, HotY;
};

// Writes each cursor as "<name in lower case>.cur" in the folder; false (with the system's error
// printed after the tool's name) at the first that fails.
inline bool WriteCursors(const char* tool, const std::string& folder, const std::vector<NamedCursor>& cursors) {
  for (const NamedCursor& cursor : cursors) {
    if (!Write(ResourceFile(folder, cursor.Name, ".cur"), CursorFile(cursor.Image, cursor.HotX, cursor.HotY))) {
      std::perror(tool);
      return false;
    }
  }
  return true;
}

}  // namespace cursor_art
