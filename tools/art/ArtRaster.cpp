#include "ArtRaster.h"

#include <algorithm>
#include <cmath>

namespace art {

namespace {

constexpr int kSamples = 4;  // per axis

double DistanceToSegment(double px, double py, double x1, double y1, double x2, double y2) {
  const double dx = x2 - x1, dy = y2 - y1;
  const double length2 = dx * dx + dy * dy;
  double t = length2 > 0 ? ((px - x1) * dx + (py - y1) * dy) / length2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(px - (x1 + t * dx), py - (y1 + t * dy));
}

}  // namespace

Color Rgb(int r, int g, int b, double a) { return {r / 255.0, g / 255.0, b / 255.0, a}; }

Color Mix(const Color& from, const Color& to, double t) {
  t = std::clamp(t, 0.0, 1.0);
  return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t,
          from.a + (to.a - from.a) * t};
}

Shape Circle(double cx, double cy, double radius) {
  return [=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius; };
}

Shape Ring(double cx, double cy, double inner, double outer) {
  return [=](double x, double y) {
    const double d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
    return d2 <= outer * outer && d2 >= inner * inner;
  };
}

Shape RoundRect(double left, double top, double right, double bottom, double radius) {
  return [=](double x, double y) {
    if (x < left || x > right || y < top || y > bottom) return false;
    const double cx = std::clamp(x, left + radius, right - radius);
    const double cy = std::clamp(y, top + radius, bottom - radius);
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
  };
}

Shape Polygon(std::vector<std::pair<double, double>> points) {
  return [points = std::move(points)](double x, double y) {
    bool inside = false;
    for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
      const auto [xi, yi] = points[i];
      const auto [xj, yj] = points[j];
      if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) inside = !inside;
    }
    return inside;
  };
}

Shape Capsule(double x1, double y1, double x2, double y2, double halfWidth) {
  return [=](double x, double y) { return DistanceToSegment(x, y, x1, y1, x2, y2) <= halfWidth; };
}

Shape Union(Shape a, Shape b) {
  return [a = std::move(a), b = std::move(b)](double x, double y) { return a(x, y) || b(x, y); };
}

Shape Minus(Shape a, Shape b) {
  return [a = std::move(a), b = std::move(b)](double x, double y) { return a(x, y) && !b(x, y); };
}

Paint Solid(const Color& color) {
  return [color](double, double) { return color; };
}

Paint VerticalGradient(double top, double bottom, const Color& from, const Color& to) {
  return [=](double, double y) { return Mix(from, to, (y - top) / (bottom - top)); };
}

Picture::Picture(int width, int height, const Color& background)
    : width_(width), height_(height), pixels_(std::size_t(width) * height, background) {}

void Picture::Fill(const Shape& shape, const Paint& paint, int left, int top, int right, int bottom) {
  left = std::max(left, 0), top = std::max(top, 0);
  right = std::min(right, width_), bottom = std::min(bottom, height_);
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      int covered = 0;
      for (int sy = 0; sy < kSamples; ++sy)
        for (int sx = 0; sx < kSamples; ++sx)
          covered += shape(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples);
      if (!covered) continue;
      Color c = paint(x + 0.5, y + 0.5);
      c.a *= double(covered) / (kSamples * kSamples);
      Blend(x, y, c);
    }
  }
}

void Picture::Blend(int x, int y, Color over) {
  Color& under = pixels_[std::size_t(y) * width_ + x];
  const double a = over.a + under.a * (1 - over.a);
  if (a <= 0) {
    under = {0, 0, 0, 0};
    return;
  }
  auto channel = [&](double o, double u) { return (o * over.a + u * under.a * (1 - over.a)) / a; };
  under = {channel(over.r, under.r), channel(over.g, under.g), channel(over.b, under.b), a};
}

}  // namespace art
