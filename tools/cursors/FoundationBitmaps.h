#pragma once
// The control foundation's bitmaps, written as .bmp files named after their resources
// ("DXSUBMENUEXPAND" -> dxsubmenuexpand.bmp):
// - DXSUBMENUEXPAND, 16 x 16, 24 bits: a round button on a magenta background (the pixel at 0, 0),
//   filled with a top-to-bottom grey ramp that the Office11 palette recolours by its red values, and
//   a black double chevron pointing down;
// - DXEXPANDBUTTON_PLUS and DXEXPANDBUTTON_MINUS, 11 x 11, 24 bits: a framed box with a light ramp
//   and a dark plus or minus (the four corner pixels are blended into the background when drawn);
// - the six row indicators CX_ARROWBITMAP .. CX_FILTERBITMAP, 8 x 9, 16 colours: black glyphs on
//   white, which the image list takes as transparent.
// Deterministic: the output depends on nothing but this file.

#include <cstdint>
#include <string>
#include <vector>

#include "CursorArt.h"

namespace foundation_bitmaps {

using cursor_art::Put16;
using cursor_art::Put32;

struct Rgb {
  std::uint8_t R, G, B;
  bool operator==(const Rgb& o) const { return R == o.R && G == o.G && B == o.B; }
};

struct Image {
  int Width, Height;
  std::vector<Rgb> Pixels;  // top-down
  Rgb& At(int x, int y) { return Pixels[std::size_t(y) * std::size_t(Width) + std::size_t(x)]; }
  const Rgb& At(int x, int y) const { return Pixels[std::size_t(y) * std::size_t(Width) + std::size_t(x)]; }
};

inline Image Blank(int w, int h, Rgb fill) { return {w, h, std::vector<Rgb>(std::size_t(w) * std::size_t(h), fill)}; }

// The 16 colours of a 4-bit bitmap: the classic VGA palette.
constexpr Rgb kPalette16[16] = {{0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                {0, 0, 128},   {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                                {128, 128, 128}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
                                {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};

// A .bmp file, 24 bits or (with Palette16) 4 bits per pixel, rows bottom-up.
inline std::vector<std::uint8_t> BitmapFile(const Image& im, bool Palette16) {
  const int bits = Palette16 ? 4 : 24;
  const std::uint32_t stride = std::uint32_t((im.Width * bits + 31) / 32 * 4);
  const std::uint32_t paletteSize = Palette16 ? 16 * 4 : 0;
  const std::uint32_t offset = 14 + 40 + paletteSize, imageSize = stride * std::uint32_t(im.Height);
  std::vector<std::uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  Put32(out, offset + imageSize);
  Put32(out, 0);
  Put32(out, offset);
  Put32(out, 40);
  Put32(out, std::uint32_t(im.Width));
  Put32(out, std::uint32_t(im.Height));
  Put16(out, 1);
  Put16(out, unsigned(bits));
  Put32(out, 0);  // BI_RGB
  Put32(out, imageSize);
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, Palette16 ? 16 : 0);
  Put32(out, 0);
  if (Palette16)
    for (const Rgb& c : kPalette16) out.insert(out.end(), {c.B, c.G, c.R, 0});
  for (int y = im.Height - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(stride, 0);
    for (int x = 0; x < im.Width; ++x) {
      const Rgb& c = im.At(x, y);
      if (Palette16) {
        int index = 0;
        while (index < 15 && !(kPalette16[index] == c)) ++index;
        row[std::size_t(x / 2)] |= std::uint8_t(x % 2 == 0 ? index << 4 : index);
      } else {
        row[std::size_t(3 * x)] = c.B, row[std::size_t(3 * x + 1)] = c.G, row[std::size_t(3 * x + 2)] = c.R;
      }
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

constexpr Rgb kBlack{0, 0, 0}, kWhite{255, 255, 255};

// A picture of characters: '#' black, '.' white.
inline Image Glyph(const std::vector<std::string>& rows) {
  Image im = Blank(int(rows[0].size()), int(rows.size()), kWhite);
  for (int y = 0; y < im.Height; ++y)
    for (int x = 0; x < im.Width; ++x)
      if (rows[std::size_t(y)][std::size_t(x)] == '#') im.At(x, y) = kBlack;
  return im;
}

inline Image SubMenuExpand() {
  Image im = Blank(16, 16, {255, 0, 255});
  for (int y = 1; y < 15; ++y)
    for (int x = 1; x < 15; ++x) {
      const int dx = 2 * x - 15, dy = 2 * y - 15;  // twice the offset from the centre
      if (dx * dx + dy * dy > 14 * 14) continue;
      const std::uint8_t v = std::uint8_t(250 - (y - 1) * 6);  // 250 at the top .. 172 at the bottom
      im.At(x, y) = {v, v, v};
    }
  // Two chevrons pointing down, two pixels thick.
  for (int chevron = 0; chevron < 2; ++chevron)
    for (int i = 0; i < 3; ++i) {
      const int y = 4 + 4 * chevron + i;
      for (int x : {4 + i, 5 + i, 10 - i, 11 - i}) im.At(x, y) = kBlack;
    }
  return im;
}

inline Image ExpandButton(bool Minus) {
  Image im = Blank(11, 11, {123, 138, 156});
  for (int y = 1; y < 10; ++y)
    for (int x = 1; x < 10; ++x) {
      const std::uint8_t v = std::uint8_t(255 - (x + y) * 3);
      im.At(x, y) = {v, v, std::uint8_t(v < 250 ? v + 5 : 255)};
    }
  for (int x = 3; x <= 7; ++x) im.At(x, 5) = kBlack;
  if (!Minus)
    for (int y = 3; y <= 7; ++y) im.At(5, y) = kBlack;
  return im;
}

// The middle-button scrolling anchor, 29 x 29: a pale disc with a centre dot and a small triangle
// towards each direction the content can scroll.
inline Image ScrollAnchor(bool Horizontal, bool Vertical) {
  Image im = Blank(29, 29, {236, 236, 236});
  const Rgb mark{64, 64, 64};
  for (int y = 13; y <= 15; ++y)
    for (int x = 13; x <= 15; ++x) im.At(x, y) = mark;
  // Each triangle: 4 rows, its tip 3 pixels from the edge, widening towards the centre.
  for (int i = 0; i < 4; ++i)
    for (int j = -i; j <= i; ++j) {
      if (Vertical) {
        im.At(14 + j, 3 + i) = mark;
        im.At(14 + j, 25 - i) = mark;
      }
      if (Horizontal) {
        im.At(3 + i, 14 + j) = mark;
        im.At(25 - i, 14 + j) = mark;
      }
    }
  return im;
}

struct NamedBitmap {
  std::string Name;
  Image Picture;
  bool Palette16;
};

inline std::vector<NamedBitmap> AllBitmaps() {
  return {
      {"DXSUBMENUEXPAND", SubMenuExpand(), false},
      {"CX_VERSCROLLBITMAP", ScrollAnchor(false, true), false},
      {"CX_HORSCROLLBITMAP", ScrollAnchor(true, false), false},
      {"CX_FULLSCROLLBITMAP", ScrollAnchor(true, true), false},
      {"DXEXPANDBUTTON_MINUS", ExpandButton(true), false},
      {"DXEXPANDBUTTON_PLUS", ExpandButton(false), false},
      {"CX_ARROWBITMAP",
       Glyph({"........", "..#.....", "..##....", "..###...", "..####..", "..###...", "..##....", "..#.....",
              "........"}),
       true},
      {"CX_EDITBITMAP",
       Glyph({"........", ".##.##..", "...#....", "...#....", "...#....", "...#....", "...#....", ".##.##..",
              "........"}),
       true},
      {"CX_INSERTBITMAP",
       Glyph({"........", "...#....", ".#.#.#..", "..###...", ".#####..", "..###...", ".#.#.#..", "...#....",
              "........"}),
       true},
      {"CX_MULTIDOTBITMAP",
       Glyph({"........", "........", "........", "..###...", "..###...", "..###...", "........", "........",
              "........"}),
       true},
      {"CX_MULTIARROWBITMAP",
       Glyph({"........", "#.......", "##......", "###.##..", "#####...", "###.##..", "##......", "#.......",
              "........"}),
       true},
      {"CX_FILTERBITMAP",
       Glyph({"........", "#######.", ".#####..", "..###...", "...#....", "...#....", "...#....", "...##...",
              "........"}),
       true},
  };
}

}  // namespace foundation_bitmaps
