#pragma once
// The off-screen picture of a display control: a top-down 32-bit DIB section with a memory DC, kept
// between paints and remade only when the control grows past it. A paint writes its pixels, draws
// any text through the DC, and copies the result to the window in one BitBlt.

#include <cstdint>

#include "platform/framework/graphics/Graphics.h"
#include "platform/framework/base/Win32.h"

class DisplaySurface {
 public:
  DisplaySurface() = default;
  ~DisplaySurface();
  DisplaySurface(const DisplaySurface&) = delete;
  DisplaySurface& operator=(const DisplaySurface&) = delete;

  // Makes the surface at least width x height; false when the system cannot.
  bool Prepare(int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }
  HDC DC() const { return dc_; }
  // Row y of the pixels (0x00RRGGBB); rows are Stride() pixels apart.
  std::uint32_t* Row(int y) const { return bits_ + static_cast<std::ptrdiff_t>(y) * stride_; }
  int Stride() const { return stride_; }

  void Fill(std::uint32_t colour);
  void FillRect(int left, int top, int right, int bottom, std::uint32_t colour);
  // A one-pixel frame just inside the rectangle.
  void Frame(int left, int top, int right, int bottom, std::uint32_t colour);
  void HorizontalLine(int left, int right, int y, std::uint32_t colour);
  void VerticalLine(int x, int top, int bottom, std::uint32_t colour);
  // Draws the text with the font and colour, transparently, with its top-left at (x, y).
  void Text(int x, int y, const wchar_t* text, HFONT font, std::uint32_t colour);
  // Width and height of the text in the font.
  SIZE TextSize(const wchar_t* text, HFONT font) const;
  // Copies width x height pixels from the top left to the DC.
  void CopyTo(HDC target, int width, int height) const;

  // 0x00RRGGBB pixel of a framework colour (0x00BBGGRR or a system colour).
  static std::uint32_t PixelOf(TColor colour);

 private:
  void Release();

  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
  std::uint32_t* bits_ = nullptr;
  int capacityWidth_ = 0, capacityHeight_ = 0;
  int width_ = 0, height_ = 0, stride_ = 0;
};
