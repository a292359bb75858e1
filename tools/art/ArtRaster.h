#pragma once
// A small anti-aliased software rasterizer for the generated art: straight-alpha RGBA pixels,
// shapes given as inside-tests sampled 4 x 4 per pixel, and paints given per pixel. Everything is
// plain arithmetic, so the same source always draws the same picture.

#include <cstdint>
#include <functional>
#include <vector>

namespace art {

struct Color {
  double r = 0, g = 0, b = 0, a = 1;  // 0..1, straight alpha
};

Color Rgb(int r, int g, int b, double a = 1);
Color Mix(const Color& from, const Color& to, double t);

// Whether a point (in pixel units, pixel centres at +0.5) lies inside a shape.
using Shape = std::function<bool(double x, double y)>;
// The colour a shape is painted with at a point.
using Paint = std::function<Color(double x, double y)>;

Shape Circle(double cx, double cy, double radius);
Shape Ring(double cx, double cy, double inner, double outer);
Shape RoundRect(double left, double top, double right, double bottom, double radius);
Shape Polygon(std::vector<std::pair<double, double>> points);
// A thick line with round ends.
Shape Capsule(double x1, double y1, double x2, double y2, double halfWidth);
Shape Union(Shape a, Shape b);
Shape Minus(Shape a, Shape b);

Paint Solid(const Color& color);
Paint VerticalGradient(double top, double bottom, const Color& from, const Color& to);

class Picture {
 public:
  Picture(int width, int height, const Color& background);
  int Width() const { return width_; }
  int Height() const { return height_; }
  const Color& At(int x, int y) const { return pixels_[std::size_t(y) * width_ + x]; }

  // Paints the shape over the picture within the box [left, right) x [top, bottom), each pixel
  // weighted by how much of it the shape covers.
  void Fill(const Shape& shape, const Paint& paint, int left, int top, int right, int bottom);
  void Fill(const Shape& shape, const Paint& paint) { Fill(shape, paint, 0, 0, width_, height_); }

 private:
  void Blend(int x, int y, Color over);

  int width_, height_;
  std::vector<Color> pixels_;
};

}  // namespace art
