// Draws the program's PNG art and writes it through the project's own PNG codec:
//   make_art OUTPUT_FOLDER   ->   welcome.png         the welcome window's 600 x 371 picture
//                                 ButtonFreeCDDB.png  the load-CD dialog's 24 x 24 RGBA button
//                                                     picture, with one "pHYs" chunk (72 dpi)
//                                 Record*.png         the recording console's 16 x 16 button
//                                                     pictures (RGBA) and its two opaque option
//                                                     boxes RecordCheck and RecordUnCheck
// The pictures depend on nothing but these sources. README.md beside this file gives the layout
// of the welcome picture that the welcome window's labels sit on.

#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "ArtRaster.h"
#include "ui/extras/png/PngChunk.h"
#include "ui/extras/png/PngImageCore.h"

using namespace art;

namespace {

constexpr double kPi = 3.14159265358979323846;

Shape Intersect(Shape a, Shape b) {
  return [a = std::move(a), b = std::move(b)](double x, double y) { return a(x, y) && b(x, y); };
}

// ---- shared motifs ------------------------------------------------------------------------------

// A silver disc with a rainbow sheen that turns with the angle, a clear hub and a centre hole.
void DrawDisc(Picture& p, double cx, double cy, double radius) {
  const Shape body = Minus(Circle(cx, cy, radius), Circle(cx, cy, radius * 0.19));
  const Paint sheen = [=](double x, double y) {
    const double angle = std::atan2(y - cy, x - cx);
    const double light = 0.5 + 0.5 * std::cos(2 * angle - 0.6);
    Color c = Mix(Rgb(168, 176, 190), Rgb(240, 243, 248), light);
    c.r += 0.07 * std::sin(3 * angle);
    c.g += 0.07 * std::sin(3 * angle + 2.1);
    c.b += 0.07 * std::sin(3 * angle + 4.2);
    return c;
  };
  p.Fill(body, sheen);
  p.Fill(Ring(cx, cy, radius * 0.93, radius), Solid(Rgb(104, 112, 128)));
  p.Fill(Ring(cx, cy, radius * 0.19, radius * 0.40), Solid(Rgb(222, 228, 238, 0.92)));
  p.Fill(Ring(cx, cy, radius * 0.40, radius * 0.45), Solid(Rgb(140, 148, 162)));
  p.Fill(Ring(cx, cy, radius * 0.19, radius * 0.24), Solid(Rgb(112, 120, 136)));
}

// A blue globe with an equator and a meridian, set off by a white rim.
void DrawGlobe(Picture& p, double cx, double cy, double radius) {
  p.Fill(Circle(cx, cy, radius + 1), Solid(Rgb(255, 255, 255)));
  const Shape globe = Circle(cx, cy, radius);
  p.Fill(globe, VerticalGradient(cy - radius, cy + radius, Rgb(88, 166, 240), Rgb(22, 82, 168)));
  const Color line = Rgb(214, 236, 255, 0.95);
  const double w = radius * 0.09;
  p.Fill(Intersect(globe, Capsule(cx - radius, cy, cx + radius, cy, w)), Solid(line));
  const Shape meridian = [=](double x, double y) {
    const double ex = (x - cx) / (radius * 0.45), ey = (y - cy) / radius;
    return std::abs(std::sqrt(ex * ex + ey * ey) - 1) * radius * 0.45 <= w;
  };
  p.Fill(Intersect(globe, meridian), Solid(line));
}

// ---- the load-CD button picture -----------------------------------------------------------------

Picture DrawCddbButton() {
  Picture p(24, 24, Color{0, 0, 0, 0});
  DrawDisc(p, 11, 11, 10.5);
  DrawGlobe(p, 18, 18, 5);
  return p;
}

// ---- the recording console's pictures ----------------------------------------------------------

Picture DrawConsoleRecord() {
  Picture p(16, 16, Color{0, 0, 0, 0});
  p.Fill(Circle(8, 8, 6.5), VerticalGradient(1.5, 14.5, Rgb(250, 96, 96), Rgb(176, 20, 20)));
  return p;
}

Picture DrawConsolePause() {
  Picture p(16, 16, Color{0, 0, 0, 0});
  for (double x : {5.0, 11.0}) p.Fill(RoundRect(x - 2, 2.5, x + 2, 13.5, 1), Solid(Rgb(58, 92, 160)));
  return p;
}

Picture DrawConsoleDelete() {
  Picture p(16, 16, Color{0, 0, 0, 0});
  p.Fill(Capsule(4, 4, 12, 12, 1.6), Solid(Rgb(200, 40, 40)));
  p.Fill(Capsule(12, 4, 4, 12, 1.6), Solid(Rgb(200, 40, 40)));
  return p;
}

Picture DrawConsoleTimer() {
  Picture p(16, 16, Color{0, 0, 0, 0});
  p.Fill(Circle(8, 8, 7), Solid(Rgb(70, 80, 96)));
  p.Fill(Circle(8, 8, 5.6), Solid(Rgb(250, 250, 252)));
  p.Fill(Capsule(8, 8, 8, 4, 0.8), Solid(Rgb(40, 40, 48)));
  p.Fill(Capsule(8, 8, 11, 9.5, 0.8), Solid(Rgb(40, 40, 48)));
  return p;
}

Picture DrawConsoleMixer() {
  Picture p(16, 16, Color{0, 0, 0, 0});
  const double knobs[] = {10, 5, 8};
  for (int i = 0; i < 3; ++i) {
    const double x = 3.5 + 4.5 * i;
    p.Fill(Capsule(x, 2, x, 14, 0.6), Solid(Rgb(90, 96, 110)));
    p.Fill(RoundRect(x - 2, knobs[i] - 1.5, x + 2, knobs[i] + 1.5, 0.8), Solid(Rgb(46, 126, 214)));
  }
  return p;
}

Picture DrawConsoleDevice() {
  Picture p(16, 16, Color{0, 0, 0, 0});
  for (int i = 0; i < 4; ++i) {
    const double h = 3 + 3 * i;
    p.Fill(RoundRect(1.5 + 3.5 * i, 14.5 - h, 4 + 3.5 * i, 14.5, 0.5), Solid(i < 3 ? Rgb(40, 170, 70) : Rgb(220, 160, 30)));
  }
  return p;
}

Picture DrawConsoleVolumeHelp() {
  Picture p(16, 16, Color{0, 0, 0, 0});
  p.Fill(Circle(8, 8, 7), Solid(Rgb(236, 164, 24)));
  p.Fill(Capsule(8, 4, 8, 9, 1.1), Solid(Rgb(255, 255, 255)));
  p.Fill(Circle(8, 12, 1.2), Solid(Rgb(255, 255, 255)));
  return p;
}

// The option boxes: a white box in a dark frame, ticked in green.
Picture DrawConsoleOptionBox(bool ticked) {
  Picture p(16, 16, Rgb(236, 233, 216));
  p.Fill(RoundRect(1.5, 1.5, 14.5, 14.5, 1), Solid(Rgb(28, 60, 116)));
  p.Fill(RoundRect(2.5, 2.5, 13.5, 13.5, 0.5), Solid(Rgb(255, 255, 255)));
  if (ticked) {
    p.Fill(Capsule(4.5, 8, 7, 10.8, 1.2), Solid(Rgb(24, 150, 48)));
    p.Fill(Capsule(7, 10.8, 11.5, 4.8, 1.2), Solid(Rgb(24, 150, 48)));
  }
  return p;
}

// ---- the welcome picture ------------------------------------------------------------------------

// Label boxes of the four start choices (105 x 80 each, captions at their bottom).
constexpr int kTileTop = 88, kTileWidth = 105, kTileHeight = 80;
constexpr int kTileLeft[4] = {20, 135, 250, 365};

void DrawNewFileIcon(Picture& p, double cx, double cy) {
  const double l = cx - 14, t = cy - 20, r = cx + 14, b = cy + 18, fold = 9;
  p.Fill(Polygon({{l, t}, {r - fold, t}, {r, t + fold}, {r, b}, {l, b}}), Solid(Rgb(246, 249, 253)));
  p.Fill(Polygon({{r - fold, t}, {r, t + fold}, {r - fold, t + fold}}), Solid(Rgb(190, 204, 224)));
  for (int i = 0; i < 3; ++i) p.Fill(Capsule(l + 6, t + 16 + 6 * i, r - 7, t + 16 + 6 * i, 0.9), Solid(Rgb(170, 186, 210)));
  p.Fill(Circle(r, b - 2, 8), Solid(Rgb(72, 182, 96)));
  p.Fill(Capsule(r - 4, b - 2, r + 4, b - 2, 1.4), Solid(Rgb(255, 255, 255)));
  p.Fill(Capsule(r, b - 6, r, b + 2, 1.4), Solid(Rgb(255, 255, 255)));
}

void DrawRecordIcon(Picture& p, double cx, double cy) {
  p.Fill(Capsule(cx, cy - 14, cx, cy - 2, 7), VerticalGradient(cy - 21, cy + 5, Rgb(236, 240, 246), Rgb(150, 160, 176)));
  p.Fill(Intersect(Ring(cx, cy - 4, 10, 12.2), [cy](double, double y) { return y >= cy - 4; }),
         Solid(Rgb(214, 222, 234)));
  p.Fill(Capsule(cx, cy + 8, cx, cy + 14, 1.4), Solid(Rgb(214, 222, 234)));
  p.Fill(Capsule(cx - 8, cy + 15, cx + 8, cy + 15, 1.5), Solid(Rgb(214, 222, 234)));
  p.Fill(Circle(cx + 13, cy - 15, 5), Solid(Rgb(232, 58, 58)));
}

void DrawSpeechIcon(Picture& p, double cx, double cy) {
  const Color white = Rgb(246, 249, 253);
  p.Fill(RoundRect(cx - 20, cy - 16, cx + 6, cy + 6, 7), Solid(white));
  p.Fill(Polygon({{cx - 14, cy + 4}, {cx - 6, cy + 4}, {cx - 16, cy + 14}}), Solid(white));
  for (int i = 0; i < 3; ++i) {
    const double inner = 6 + 5 * i;
    const Shape arc = Intersect(Ring(cx + 4, cy - 5, inner, inner + 2), [cx](double x, double) { return x >= cx + 9; });
    p.Fill(arc, Solid(Rgb(120, 200, 255, 1 - 0.22 * i)));
  }
}

// A soft band of bars like an audio waveform, centred on a line.
void DrawWaveBand(Picture& p, double left, double right, double mid, double height, const Color& color) {
  for (double x = left; x < right; x += 4) {
    const double t = (x - left) / (right - left);
    const double envelope = std::sin(kPi * t);
    const double level = 0.35 + 0.65 * std::abs(std::sin(x * 0.071) * std::cos(x * 0.023 + 1.3));
    const double h = height * envelope * level;
    p.Fill(Capsule(x, mid - h, x, mid + h, 1.2), Solid(color), int(x) - 3, int(mid - h) - 3, int(x) + 4,
           int(mid + h) + 4);
  }
}

Picture DrawWelcome() {
  const int width = 600, height = 371;
  Picture p(width, height, Rgb(16, 30, 62));
  p.Fill([](double, double) { return true; }, VerticalGradient(0, height, Rgb(16, 30, 62), Rgb(36, 76, 134)));
  // A soft light from the upper right.
  p.Fill(Circle(540, -40, 300), [](double x, double y) {
    const double d = std::hypot(x - 540, y + 40) / 300;
    return Rgb(140, 190, 255, 0.20 * (1 - d) * (1 - d));
  });
  // Header: a waveform motif and an accent rule.
  DrawWaveBand(p, 20, 580, 40, 22, Rgb(110, 190, 255, 0.22));
  p.Fill(Capsule(20, 73, 580, 73, 0.8), Solid(Rgb(120, 186, 255, 0.85)));

  // The four start choices: a tile behind each label box, its icon above the caption line.
  for (int i = 0; i < 4; ++i) {
    const double l = kTileLeft[i], t = kTileTop;
    p.Fill(RoundRect(l, t, l + kTileWidth, t + kTileHeight, 8), Solid(Rgb(255, 255, 255, 0.07)));
    const double cx = l + kTileWidth / 2.0, cy = t + 29;
    switch (i) {
      case 0: DrawNewFileIcon(p, cx, cy); break;
      case 1: DrawRecordIcon(p, cx, cy); break;
      case 2: DrawDisc(p, cx, cy, 20); break;
      default: DrawSpeechIcon(p, cx, cy); break;
    }
  }
  // Beside the tiles: a large faint disc and wave as decoration.
  DrawWaveBand(p, 482, 584, 128, 30, Rgb(110, 190, 255, 0.30));

  // The "Recent Files" and "Tutorial" panels, each with a rule under its heading.
  for (const auto& [l, r] : {std::pair{20.0, 290.0}, std::pair{305.0, 580.0}}) {
    p.Fill(RoundRect(l, 188, r, 340, 8), Solid(Rgb(255, 255, 255, 0.07)));
    p.Fill(Capsule(l + 10, 214, r - 10, 214, 0.6), Solid(Rgb(120, 186, 255, 0.7)));
  }
  return p;
}

// ---- output -------------------------------------------------------------------------------------

Byte ToByte(double channel) { return Byte(std::lround(std::fmin(std::fmax(channel, 0.0), 1.0) * 255)); }

void AddPhysicalSize(TPngImageCore& image) {
  // 2835 pixels per metre (72 dpi) on both axes; unit 1 = metre.
  auto chunk = std::make_unique<TChunk>(&image);
  chunk->SetTypeCode(PngChunkType("pHYs"));
  chunk->Payload() = {0, 0, 0x0B, 0x13, 0, 0, 0x0B, 0x13, 1};
  int idat = 0;
  while (image.ChunkList().Item(idat)->ChunkTypeName() != "IDAT") ++idat;
  image.ChunkList().Insert(std::move(chunk), idat);
}

bool WritePng(const Picture& picture, bool withAlpha, bool physicalSize, const std::string& path) {
  TPngImageCore image;
  image.RowFilters = 0x1F;  // every filter, chosen per row
  image.DeflateLevel = 9;
  image.BuildEmptyImage(withAlpha ? 6 : 2, 8, Cardinal(picture.Width()), Cardinal(picture.Height()));
  for (int y = 0; y < picture.Height(); ++y) {
    Byte* row = image.PixelRow(Cardinal(y));
    Byte* alpha = withAlpha ? image.AlphaRow(Cardinal(y)) : nullptr;
    for (int x = 0; x < picture.Width(); ++x) {
      const Color& c = picture.At(x, y);
      row[3 * x] = ToByte(c.b);
      row[3 * x + 1] = ToByte(c.g);
      row[3 * x + 2] = ToByte(c.r);
      if (alpha) alpha[x] = ToByte(c.a);
    }
  }
  if (physicalSize) AddPhysicalSize(image);
  TPngMemoryStream stream;
  image.SaveToStream(stream);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(stream.Bytes().data()), std::streamsize(stream.Bytes().size()));
  return bool(file);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_art OUTPUT_FOLDER\n");
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "/";
  try {
    if (!WritePng(DrawWelcome(), false, false, folder + "welcome.png") ||
        !WritePng(DrawCddbButton(), true, true, folder + "ButtonFreeCDDB.png")) {
      std::fprintf(stderr, "make_art: cannot write into %s\n", argv[1]);
      return 1;
    }
    const struct {
      Picture (*Draw)();
      const char* Name;
    } consoleButtons[] = {
        {DrawConsoleRecord, "RecordButtonRecord.png"},   {DrawConsolePause, "RecordButtonPause.png"},
        {DrawConsoleDelete, "RecordButtonDelete.png"},   {DrawConsoleTimer, "RecordButtonTimer.png"},
        {DrawConsoleMixer, "RecordButtonMixer.png"},     {DrawConsoleDevice, "RecordButtonDevice.png"},
        {DrawConsoleVolumeHelp, "RecordButtonVolumeHelp.png"},
    };
    bool written = WritePng(DrawConsoleOptionBox(true), false, false, folder + "RecordCheck.png") &&
                   WritePng(DrawConsoleOptionBox(false), false, false, folder + "RecordUnCheck.png");
    for (const auto& button : consoleButtons) written = written && WritePng(button.Draw(), true, false, folder + button.Name);
    if (!written) {
      std::fprintf(stderr, "make_art: cannot write into %s\n", argv[1]);
      return 1;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_art: %s\n", e.what());
    return 1;
  }
  return 0;
}
