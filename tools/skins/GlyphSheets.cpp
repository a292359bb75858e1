#include "tools/skins/GlyphSheets.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "tools/art/ArtRaster.h"

namespace {

using Draw = std::function<void(art::Picture&, double w, double h, int frame)>;

// Ink of a frame: normal, hot (warmer, lighter) and pressed (darker).
art::Color Ink(int frame, art::Color base) {
  if (frame == 1) return art::Mix(base, art::Rgb(255, 190, 90), 0.35);
  if (frame == 2) return art::Mix(base, art::Rgb(0, 0, 0), 0.3);
  return base;
}

std::uint32_t FromArt(const art::Color& c) {
  auto byte = [](double v) { return int(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
  return SkinRgb(byte(c.r), byte(c.g), byte(c.b));
}

TSkinBitmap DrawSheet(int frameWidth, int frameHeight, const Draw& draw) {
  TSkinBitmap sheet(frameWidth * 3, frameHeight * 2);
  for (int frame = 0; frame < 3; ++frame) {
    art::Picture picture(frameWidth, frameHeight, art::Rgb(0, 0, 0, 0));
    draw(picture, frameWidth, frameHeight, frame);
    for (int y = 0; y < frameHeight; ++y)
      for (int x = 0; x < frameWidth; ++x) {
        const art::Color& c = picture.At(x, y);
        int grey = int(std::lround((1 - std::clamp(c.a, 0.0, 1.0)) * 255));
        sheet.At(frame * frameWidth + x, y) = c.a <= 0 ? kSkinKeyColor : FromArt(c);
        sheet.At(frame * frameWidth + x, frameHeight + y) = SkinRgb(grey, grey, grey);
      }
  }
  return sheet;
}

void Folder(art::Picture& p, double w, double h, int frame) {
  art::Color body = Ink(frame, art::Rgb(226, 178, 64));
  art::Color edge = Ink(frame, art::Rgb(150, 104, 24));
  double top = h * 0.22, bottom = h - 1.5, left = 1.5, right = w - 1.5;
  p.Fill(art::RoundRect(left, top - 2.5, left + w * 0.42, top + 2, 1.2), art::Solid(edge));
  p.Fill(art::RoundRect(left, top, right, bottom, 1.5), art::Solid(edge));
  p.Fill(art::RoundRect(left + 1, top + 1, right - 1, bottom - 1, 1), art::VerticalGradient(top, bottom, art::Mix(body, art::Rgb(255, 255, 255), 0.35), body));
}

void FolderArrow(art::Picture& p, double w, double h, int frame) {
  Folder(p, w, h, frame);
  art::Color arrow = Ink(frame, art::Rgb(40, 110, 200));
  double cy = h * 0.6;
  p.Fill(art::Capsule(w * 0.3, cy, w * 0.62, cy, 1.3), art::Solid(arrow));
  p.Fill(art::Polygon({{w * 0.58, cy - 3.5}, {w * 0.8, cy}, {w * 0.58, cy + 3.5}}), art::Solid(arrow));
}

void Calendar(art::Picture& p, double w, double h, int frame) {
  art::Color frameInk = Ink(frame, art::Rgb(70, 90, 120));
  art::Color header = Ink(frame, art::Rgb(200, 60, 50));
  p.Fill(art::RoundRect(1, 2, w - 1, h - 1, 1.5), art::Solid(frameInk));
  p.Fill(art::RoundRect(2, 3, w - 2, h - 2, 1), art::Solid(art::Rgb(250, 250, 250)));
  p.Fill(art::RoundRect(2, 3, w - 2, h * 0.38, 0), art::Solid(header));
  for (int ring = 0; ring < 2; ++ring) p.Fill(art::Capsule(w * (0.3 + 0.4 * ring), 1, w * (0.3 + 0.4 * ring), 4, 0.9), art::Solid(frameInk));
  for (int row = 0; row < 2; ++row)
    for (int col = 0; col < 3; ++col)
      p.Fill(art::RoundRect(3.5 + col * (w - 7) / 3, h * 0.48 + row * h * 0.22, 3.5 + col * (w - 7) / 3 + 2, h * 0.48 + row * h * 0.22 + 2, 0),
             art::Solid(frameInk));
}

void Ellipsis(art::Picture& p, double w, double h, int frame) {
  art::Color face = Ink(frame, art::Rgb(214, 222, 232));
  art::Color edge = Ink(frame, art::Rgb(90, 110, 140));
  p.Fill(art::RoundRect(1, 2, w - 1, h - 2, 2.5), art::Solid(edge));
  p.Fill(art::RoundRect(2, 3, w - 2, h - 3, 2), art::Solid(face));
  for (int dot = 0; dot < 3; ++dot) p.Fill(art::Circle(w * (0.3 + 0.2 * dot), h * 0.62, 1.3), art::Solid(Ink(frame, art::Rgb(30, 40, 60))));
}

void Calculator(art::Picture& p, double w, double h, int frame) {
  art::Color body = Ink(frame, art::Rgb(80, 88, 100));
  p.Fill(art::RoundRect(2, 0.5, w - 2, h - 0.5, 2), art::Solid(body));
  p.Fill(art::RoundRect(4, 2.5, w - 4, h * 0.34, 0.5), art::Solid(art::Rgb(190, 220, 190)));
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 3; ++col) {
      double x = 4 + col * (w - 8) / 3, y = h * 0.42 + row * h * 0.18;
      p.Fill(art::RoundRect(x + 0.5, y, x + (w - 8) / 3 - 0.5, y + h * 0.14, 0.5),
             art::Solid(col == 2 && row == 2 ? Ink(frame, art::Rgb(230, 140, 50)) : art::Rgb(235, 235, 235)));
    }
}

}  // namespace

std::vector<TGlyphSheet> DrawGlyphSheets() {
  return {
      {"SF", DrawSheet(20, 17, FolderArrow)}, {"SR", DrawSheet(20, 17, Folder)},     {"SD", DrawSheet(16, 17, Calendar)},
      {"SE", DrawSheet(18, 17, Ellipsis)},    {"SC", DrawSheet(19, 17, Calculator)},
  };
}
