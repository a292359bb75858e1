// Draws the brand art and writes it into one folder:
//   make_brand_art OUTPUT_FOLDER
// ZentavoIcon.ico, OrvantaIcon.ico, PellistonIcon.ico, DraxbyIcon.ico, KestovaIcon.ico and
// BrontalIcon.ico (16, 32 and 48 pixels), ProgressIcon.ico (48 pixels) and splash.png (RGBA with
// soft edges and a shadow). Every picture is computed from shapes with anti-aliased edges, so the
// output depends on nothing but this file.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "ui/extras/png/PngImageCore.h"
#include "ui/extras/png/PngStream.h"

namespace {

struct Rgba {
  float R = 0, G = 0, B = 0, A = 0;  // straight colour, 0..1
};

Rgba Colour(std::uint32_t rgb, float alpha = 1.0f) {
  return {((rgb >> 16) & 0xFF) / 255.0f, ((rgb >> 8) & 0xFF) / 255.0f, (rgb & 0xFF) / 255.0f, alpha};
}

Rgba Mix(const Rgba& a, const Rgba& b, float t) {
  return {a.R + (b.R - a.R) * t, a.G + (b.G - a.G) * t, a.B + (b.B - a.B) * t, a.A + (b.A - a.A) * t};
}

// A picture of straight-alpha pixels, composited with "source over".
class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height), pixels_(std::size_t(width) * height) {}

  int Width() const { return width_; }
  int Height() const { return height_; }
  const Rgba& At(int x, int y) const { return pixels_[std::size_t(y) * width_ + x]; }

  // Paints every pixel whose centre lies inside the shape; coverage comes from the shape's signed
  // distance (negative inside), smoothed over one pixel, times the colour's own alpha.
  template <class Distance, class Paint>
  void Fill(Distance distance, Paint paint, float softness = 1.0f) {
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) {
        const float px = x + 0.5f, py = y + 0.5f;
        const float coverage = std::clamp(0.5f - distance(px, py) / softness, 0.0f, 1.0f);
        if (coverage <= 0) continue;
        Rgba source = paint(px, py);
        source.A *= coverage;
        Over(pixels_[std::size_t(y) * width_ + x], source);
      }
  }

 private:
  static void Over(Rgba& dest, const Rgba& src) {
    const float alpha = src.A + dest.A * (1 - src.A);
    if (alpha <= 0) {
      dest = {};
      return;
    }
    auto channel = [&](float s, float d) { return (s * src.A + d * dest.A * (1 - src.A)) / alpha; };
    dest = {channel(src.R, dest.R), channel(src.G, dest.G), channel(src.B, dest.B), alpha};
  }

  int width_, height_;
  std::vector<Rgba> pixels_;
};

float CircleDistance(float x, float y, float cx, float cy, float radius) {
  return std::hypot(x - cx, y - cy) - radius;
}

float RoundedRectDistance(float x, float y, float left, float top, float right, float bottom, float radius) {
  const float cx = (left + right) / 2, cy = (top + bottom) / 2;
  const float hx = (right - left) / 2 - radius, hy = (bottom - top) / 2 - radius;
  const float dx = std::fabs(x - cx) - hx, dy = std::fabs(y - cy) - hy;
  const float outside = std::hypot(std::max(dx, 0.0f), std::max(dy, 0.0f));
  return outside + std::min(std::max(dx, dy), 0.0f) - radius;
}

// A vertical bar with round ends, centred on (cx, cy).
float CapsuleDistance(float x, float y, float cx, float cy, float halfLength, float radius) {
  const float dy = std::max(std::fabs(y - cy) - halfLength, 0.0f);
  return std::hypot(x - cx, dy) - radius;
}

// Bar heights of the waveform motif (fractions of the available height).
constexpr float kWaveBars[] = {0.30f, 0.55f, 0.85f, 1.00f, 0.70f, 0.45f, 0.80f, 0.60f, 0.35f};

void DrawWaveform(Canvas& canvas, float left, float right, float cy, float maxHalf, const Rgba& colour, int bars) {
  const float step = (right - left) / bars;
  const float radius = std::max(step * 0.28f, 0.6f);
  for (int i = 0; i < bars; ++i) {
    const float cx = left + step * (i + 0.5f);
    const float half = std::max(maxHalf * kWaveBars[i % 9] - radius, 0.0f);
    canvas.Fill([&](float x, float y) { return CapsuleDistance(x, y, cx, cy, half, radius); },
                [&](float, float) { return colour; });
  }
}

// ---- icons ---------------------------------------------------------------------------------------

struct BrandStyle {
  const char* Name;
  std::uint32_t Light, Dark;  // disc gradient, top to bottom
  std::uint32_t Accent;       // the ring
  int Shape;                  // 0 disc, 1 rounded square
};

const BrandStyle kBrandIcons[] = {
    {"ZentavoIcon", 0x5AA9F0, 0x1B4F9C, 0xFFFFFF, 0},
    {"OrvantaIcon", 0x9ED36A, 0x3D7A1E, 0xF4F9EE, 1},
    {"PellistonIcon", 0xF2A65A, 0xB0531A, 0xFFF6EC, 0},
    {"DraxbyIcon", 0xC78BE8, 0x5E2A8C, 0xF8F0FF, 1},
    {"KestovaIcon", 0x6FD6C9, 0x1E7F76, 0xEFFFFD, 0},
    {"BrontalIcon", 0x7A7F88, 0x24272C, 0xF0C64A, 1},
};

Canvas DrawBrandIcon(const BrandStyle& style, int size) {
  Canvas canvas(size, size);
  const float s = float(size);
  const float inset = std::max(s / 32.0f, 0.5f);
  auto body = [&](float x, float y) {
    return style.Shape == 0 ? CircleDistance(x, y, s / 2, s / 2, s / 2 - inset)
                            : RoundedRectDistance(x, y, inset, inset, s - inset, s - inset, s * 0.22f);
  };
  const Rgba light = Colour(style.Light), dark = Colour(style.Dark);
  canvas.Fill(body, [&](float, float y) { return Mix(light, dark, y / s); });
  // A thin ring inside the edge.
  const float ring = std::max(s / 24.0f, 0.75f);
  canvas.Fill([&](float x, float y) { return std::fabs(body(x, y) + ring * 1.5f) - ring / 2; },
              [&](float, float) { return Colour(style.Accent, 0.55f); });
  DrawWaveform(canvas, s * 0.24f, s * 0.76f, s / 2, s * 0.26f, Colour(style.Accent), size <= 16 ? 5 : 7);
  return canvas;
}

Canvas DrawProgressIcon(int size) {
  Canvas canvas(size, size);
  const float s = float(size);
  // A clock face with the waveform behind its hand: work in progress on audio.
  canvas.Fill([&](float x, float y) { return CircleDistance(x, y, s / 2, s / 2, s / 2 - 1.5f); },
              [&](float, float y) { return Mix(Colour(0xFFFFFF), Colour(0xD8E2EE), y / s); });
  canvas.Fill([&](float x, float y) { return std::fabs(CircleDistance(x, y, s / 2, s / 2, s / 2 - 3)) - 1.5f; },
              [&](float, float) { return Colour(0x2D5F9A); });
  DrawWaveform(canvas, s * 0.22f, s * 0.78f, s / 2, s * 0.2f, Colour(0x5AA9F0, 0.8f), 9);
  // Hour and minute hands.
  canvas.Fill([&](float x, float y) { return CapsuleDistance(x, y, s / 2, s * 0.36f, s * 0.14f, 1.6f); },
              [&](float, float) { return Colour(0x1B2A3A); });
  canvas.Fill([&](float x, float y) { return RoundedRectDistance(x, y, s / 2, s / 2 - 1.5f, s * 0.72f, s / 2 + 1.5f, 1.5f); },
              [&](float, float) { return Colour(0x1B2A3A); });
  canvas.Fill([&](float x, float y) { return CircleDistance(x, y, s / 2, s / 2, 2.5f); },
              [&](float, float) { return Colour(0xC0392B); });
  return canvas;
}

// ---- files ---------------------------------------------------------------------------------------

Byte ToByte(float v) { return Byte(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); }

void Put16(std::string& out, unsigned v) {
  out += char(v & 0xFF);
  out += char((v >> 8) & 0xFF);
}
void Put32(std::string& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// One icon image: BITMAPINFOHEADER, 32-bit straight BGRA rows bottom-up, then the AND mask.
std::string IconImage(const Canvas& c) {
  const int w = c.Width(), h = c.Height();
  const int maskStride = ((w + 31) / 32) * 4;
  std::string out;
  Put32(out, 40);
  Put32(out, std::uint32_t(w));
  Put32(out, std::uint32_t(h * 2));
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, 0);
  Put32(out, std::uint32_t(w * h * 4 + maskStride * h));
  for (int i = 0; i < 4; ++i) Put32(out, 0);
  for (int y = h - 1; y >= 0; --y)
    for (int x = 0; x < w; ++x) {
      const Rgba& p = c.At(x, y);
      out += char(ToByte(p.B));
      out += char(ToByte(p.G));
      out += char(ToByte(p.R));
      out += char(ToByte(p.A));
    }
  for (int y = h - 1; y >= 0; --y) {
    std::string row(std::size_t(maskStride), '\0');
    for (int x = 0; x < w; ++x)
      if (ToByte(c.At(x, y).A) == 0) row[std::size_t(x / 8)] = char(row[std::size_t(x / 8)] | (0x80 >> (x % 8)));
    out += row;
  }
  return out;
}

std::string IconFile(const std::vector<Canvas>& images) {
  std::string header, data;
  Put16(header, 0);
  Put16(header, 1);
  Put16(header, unsigned(images.size()));
  std::uint32_t offset = 6 + 16 * std::uint32_t(images.size());
  for (const Canvas& c : images) {
    const std::string image = IconImage(c);
    header += char(c.Width() & 0xFF);
    header += char(c.Height() & 0xFF);
    header += char(0);
    header += char(0);
    Put16(header, 1);
    Put16(header, 32);
    Put32(header, std::uint32_t(image.size()));
    Put32(header, offset);
    offset += std::uint32_t(image.size());
    data += image;
  }
  return header + data;
}

std::string PngFile(const Canvas& c) {
  struct Image : TPngImageCore {
  } png;
  png.BuildEmptyImage(6, 8, Cardinal(c.Width()), Cardinal(c.Height()));
  for (int y = 0; y < c.Height(); ++y) {
    Byte* colour = png.PixelRow(Cardinal(y));
    Byte* alpha = png.AlphaRow(Cardinal(y));
    for (int x = 0; x < c.Width(); ++x) {
      const Rgba& p = c.At(x, y);
      colour[x * 3 + 0] = ToByte(p.B);
      colour[x * 3 + 1] = ToByte(p.G);
      colour[x * 3 + 2] = ToByte(p.R);
      alpha[x] = ToByte(p.A);
    }
  }
  TPngMemoryStream stream;
  png.SaveToStream(stream);
  return std::string(stream.Bytes().begin(), stream.Bytes().end());
}

bool WriteFile(const std::string& path, const std::string& bytes) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

// ---- splash --------------------------------------------------------------------------------------

Canvas DrawSplash() {
  constexpr int kWidth = 480, kHeight = 300;
  constexpr float kMargin = 14, kRadius = 26;
  Canvas canvas(kWidth, kHeight);
  const float right = kWidth - kMargin, bottom = kHeight - kMargin;
  // A soft shadow below and right of the card.
  canvas.Fill([&](float x, float y) { return RoundedRectDistance(x, y, kMargin + 4, kMargin + 6, right + 4, bottom + 6, kRadius); },
              [&](float, float) { return Colour(0x000000, 0.35f); }, 14.0f);
  // The card: a vertical gradient from deep blue to near black.
  canvas.Fill([&](float x, float y) { return RoundedRectDistance(x, y, kMargin, kMargin, right, bottom, kRadius); },
              [&](float, float y) { return Mix(Colour(0x2C6FB8), Colour(0x0E1A2B), y / kHeight); });
  // A translucent glow behind the motif.
  canvas.Fill([&](float x, float y) { return CircleDistance(x, y, kWidth * 0.5f, kHeight * 0.46f, 110); },
              [&](float x, float y) {
                const float d = std::hypot(x - kWidth * 0.5f, y - kHeight * 0.46f) / 110.0f;
                return Colour(0x7FC4FF, 0.28f * (1 - d));
              });
  DrawWaveform(canvas, 90, kWidth - 90, kHeight * 0.46f, 70, Colour(0xE8F4FF, 0.92f), 27);
  // A progress track along the bottom of the card.
  canvas.Fill([&](float x, float y) { return RoundedRectDistance(x, y, 60, bottom - 42, kWidth - 60, bottom - 34, 4); },
              [&](float, float) { return Colour(0xFFFFFF, 0.25f); });
  canvas.Fill([&](float x, float y) { return RoundedRectDistance(x, y, 60, bottom - 42, kWidth * 0.62f, bottom - 34, 4); },
              [&](float x, float) { return Mix(Colour(0x7FC4FF), Colour(0xF0C64A), (x - 60) / (kWidth * 0.62f - 60)); });
  return canvas;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "/";
  bool ok = true;
  for (const BrandStyle& style : kBrandIcons) {
    std::vector<Canvas> sizes;
    for (int size : {16, 32, 48}) sizes.push_back(DrawBrandIcon(style, size));
    ok = WriteFile(folder + style.Name + ".ico", IconFile(sizes)) && ok;
  }
  ok = WriteFile(folder + "ProgressIcon.ico", IconFile({DrawProgressIcon(48)})) && ok;
  ok = WriteFile(folder + "splash.png", PngFile(DrawSplash())) && ok;
  if (!ok) std::fprintf(stderr, "make_brand_art: cannot write into %s\n", argv[1]);
  return ok ? 0 : 1;
}
