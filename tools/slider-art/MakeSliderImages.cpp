// Draws the image slider's four default pictures and writes them as 24-bit BMP files:
//   make_slider_images OUTPUT_FOLDER  ->  hthumb.bmp (40 x 13), hruler.bmp (10 x 8),
//                                         vthumb.bmp (26 x 20), vruler.bmp (8 x 10)
// Magenta (#FF00FF) is the transparent colour: every picture has it in its bottom-left pixel. A
// ruler is a dark groove; a thumb image holds two pictures side by side, the second darker (the
// pressed and disabled look). The output depends on nothing but this file.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Rgb = std::uint32_t;  // 0xRRGGBB
constexpr Rgb kMagenta = 0xFF00FF;
constexpr Rgb kOutline = 0x202020, kFill = 0x404040, kShade = 0x808080;

struct Picture {
  int width, height;
  std::vector<Rgb> pixels;
  Picture(int w, int h) : width(w), height(h), pixels(std::size_t(w) * h, kMagenta) {}
  Rgb& at(int x, int y) { return pixels[std::size_t(y) * width + x]; }
};

// The groove along x (horizontal ruler); the vertical one is its transpose.
Picture Groove(int length, int thickness) {
  Picture p(length, thickness);
  for (int y = 0; y < thickness; ++y)
    for (int x = 0; x < length; ++x) {
      const bool edge = x == 0 || y == 0 || x == length - 1 || y == thickness - 1;
      p.at(x, y) = edge ? kOutline : y == 1 ? kShade : kFill;
    }
  for (int x : {0, length - 1})
    for (int y : {0, thickness - 1}) p.at(x, y) = kMagenta;
  return p;
}

Picture Transpose(Picture& source) {
  Picture p(source.height, source.width);
  for (int y = 0; y < source.height; ++y)
    for (int x = 0; x < source.width; ++x) p.at(y, x) = source.at(x, y);
  return p;
}

// One thumb picture at column offset left: an outlined grey block with a light top-left and a dark
// bottom-right inner edge; the corner pixels are transparent.
void DrawThumb(Picture& p, int left, int width, Rgb fill, Rgb light, Rgb dark) {
  const int h = p.height;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < width; ++x) {
      Rgb c = fill;
      if (x == 0 || y == 0 || x == width - 1 || y == h - 1) c = kOutline;
      else if (x == 1 || y == 1) c = light;
      else if (x == width - 2 || y == h - 2) c = dark;
      p.at(left + x, y) = c;
    }
  for (int x : {0, width - 1})
    for (int y : {0, h - 1}) p.at(left + x, y) = kMagenta;
}

Picture Thumb(int width, int height) {
  Picture p(2 * width, height);
  DrawThumb(p, 0, width, 0xC0C0C0, 0xF0F0F0, 0x707070);
  DrawThumb(p, width, width, 0x909090, 0xB0B0B0, 0x505050);
  return p;
}

void Put(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(std::uint8_t(v >> (8 * i)));
}

bool WriteBmp(const std::string& path, Picture& p) {
  const int stride = (p.width * 3 + 3) & ~3;
  const std::uint32_t imageSize = std::uint32_t(stride) * p.height;
  std::vector<std::uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  Put(out, 14 + 40 + imageSize, 4);
  Put(out, 0, 4);
  Put(out, 14 + 40, 4);
  Put(out, 40, 4);
  Put(out, std::uint32_t(p.width), 4);
  Put(out, std::uint32_t(p.height), 4);
  Put(out, 1, 2);
  Put(out, 24, 2);
  Put(out, 0, 4);
  Put(out, imageSize, 4);
  Put(out, 2835, 4);
  Put(out, 2835, 4);
  Put(out, 0, 4);
  Put(out, 0, 4);
  for (int y = p.height - 1; y >= 0; --y) {
    for (int x = 0; x < p.width; ++x) {
      const Rgb c = p.at(x, y);
      out.push_back(std::uint8_t(c));
      out.push_back(std::uint8_t(c >> 8));
      out.push_back(std::uint8_t(c >> 16));
    }
    for (int pad = p.width * 3; pad < stride; ++pad) out.push_back(0);
  }
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool ok = std::fwrite(out.data(), 1, out.size(), file) == out.size();
  return std::fclose(file) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_slider_images OUTPUT_FOLDER\n");
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "/";
  Picture hruler = Groove(10, 8);
  Picture vruler = Transpose(hruler);
  Picture hthumb = Thumb(20, 13);
  Picture vthumb = Thumb(13, 20);
  const bool ok = WriteBmp(folder + "hruler.bmp", hruler) && WriteBmp(folder + "vruler.bmp", vruler) &&
                  WriteBmp(folder + "hthumb.bmp", hthumb) && WriteBmp(folder + "vthumb.bmp", vthumb);
  if (!ok) std::fprintf(stderr, "make_slider_images: cannot write to %s\n", folder.c_str());
  return ok ? 0 : 1;
}
