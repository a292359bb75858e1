#include "ui/skins/paint/Gradients.h"

#include <algorithm>
#include <cmath>

#include "platform/framework/rtl/Seams.h"

namespace {

struct TRunningColor {
  float r, g, b, dr = 0, dg = 0, db = 0;
  TRunningColor(std::int32_t from, std::int32_t to, int steps)
      : r(float(from & 0xFF)), g(float((from >> 8) & 0xFF)), b(float((from >> 16) & 0xFF)) {
    dr = (float(to & 0xFF) - r) / float(steps);
    dg = (float((to >> 8) & 0xFF) - g) / float(steps);
    db = (float((to >> 16) & 0xFF) - b) / float(steps);
  }
  void Put(Byte* p) const {
    p[0] = Byte(std::nearbyint(b));
    p[1] = Byte(std::nearbyint(g));
    p[2] = Byte(std::nearbyint(r));
  }
  void Step() {
    r += dr;
    g += dg;
    b += db;
  }
};

Byte* PixelAt(TBitmap* bmp, int x, int y) { return static_cast<Byte*>(bmp->ScanLine(y)) + 3 * x; }

void PaintVertical(TBitmap* bmp, const TRect& r, const TsGradArray& data, int offset) {
  int lastRow = std::min<int>(r.bottom, bmp->Height()) - 1;
  int right = std::min<int>(r.right, bmp->Width());
  int y = r.top + offset;
  for (size_t i = 0; i < data.size(); ++i) {
    int y0 = y;
    y = y0 + data[i].Percent * (offset + (r.bottom - r.top)) / 100;
    bool last = i + 1 == data.size();
    y = last ? lastRow : std::min(y, lastRow);
    if (y - y0 <= 0) continue;
    int n = y - y0;
    TRunningColor color(data[i].Color1, data[i].Color2, n);
    const int left = std::max<int>(r.left, 0);
    for (int row = y0; row <= y; ++row) {
      if (row >= 0 && left < right) {
        // One colour a row: the row's first pixel, then copies of it.
        Byte* p = PixelAt(bmp, left, row);
        color.Put(p);
        for (int x = left + 1; x < right; ++x) {
          p += 3;
          p[0] = p[-3];
          p[1] = p[-2];
          p[2] = p[-1];
        }
      }
      color.Step();
    }
  }
}

void PaintHorizontal(TBitmap* bmp, const TRect& r, const TsGradArray& data) {
  int lastColumn = std::min<int>(r.right, bmp->Width()) - 1;
  double width = r.right - r.left;
  for (int row = std::max<int>(r.top, 0); row < std::min<int>(r.bottom, bmp->Height()); ++row) {
    Byte* line = PixelAt(bmp, 0, row);
    int x = r.left;
    for (size_t i = 0; i < data.size(); ++i) {
      int x0 = x;
      x = int(std::nearbyint(data[i].Percent * (width / 100) + x0));
      x = i + 1 == data.size() ? lastColumn : std::min(x, lastColumn);
      int n = x - x0;
      if (n <= 0) continue;
      TRunningColor color(data[i].Color1, data[i].Color2, n);
      for (int column = x0; column <= x; ++column) {
        if (column >= 0) color.Put(line + 3 * column);
        color.Step();
      }
    }
  }
}

void PaintTriangles(TBitmap* bmp, const TRect& r, const TsGradArray& data) {
  TRIVERTEX v[5] = {{r.left, r.top, 0, 0, 0, 0},
                    {r.left + (r.right - r.left) / 2, r.top + (r.bottom - r.top) / 2, 0, 0, 0, 0},
                    {r.right, r.top, 0, 0, 0, 0},
                    {r.right, r.bottom, 0, 0, 0, 0},
                    {r.left, r.bottom, 0, 0, 0, 0}};
  std::int32_t color = data[0].Color1;
  for (size_t i = 0; i < 5; ++i) {
    if (i < data.size()) color = data[i].Color1;
    v[i].Red = COLOR16((color & 0xFF) << 8);
    v[i].Green = COLOR16(((color >> 8) & 0xFF) << 8);
    v[i].Blue = COLOR16(((color >> 16) & 0xFF) << 8);
  }
  GRADIENT_TRIANGLE triangles[4] = {{0, 1, 2}, {1, 2, 3}, {0, 1, 4}, {4, 1, 3}};
  if (auto gradientFill = Bound().GradientFill.Get())
    gradientFill(bmp->Canvas()->Handle(), v, 5, triangles, 4, GRADIENT_FILL_TRIANGLE);
}

}  // namespace

void PaintGradient(TBitmap* bmp, TRect r, const TsGradArray& data, int offset) {
  if (!bmp || data.empty()) return;
  r.right = std::min<LONG>(r.right, bmp->Width());
  r.bottom = std::min<LONG>(r.bottom, bmp->Height());
  r.left = std::max<LONG>(r.left, 0);
  r.top = std::max<LONG>(r.top, 0);
  if (r.right <= r.left || r.bottom <= r.top) return;
  switch (data[0].Mode1) {
    case 0: PaintVertical(bmp, r, data, offset); break;
    case 1: PaintHorizontal(bmp, r, data); break;
    case 2: PaintTriangles(bmp, r, data); break;
    default: break;
  }
}
