#include "platform/audio/displays/DisplaySurface.h"

#include <algorithm>
#include <cwchar>

DisplaySurface::~DisplaySurface() { Release(); }

void DisplaySurface::Release() {
  if (dc_) {
    SelectObject(dc_, oldBitmap_);
    DeleteDC(dc_);
  }
  if (bitmap_) DeleteObject(bitmap_);
  dc_ = nullptr;
  bitmap_ = nullptr;
  oldBitmap_ = nullptr;
  bits_ = nullptr;
  capacityWidth_ = capacityHeight_ = 0;
}

bool DisplaySurface::Prepare(int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (width > capacityWidth_ || height > capacityHeight_) {
    const int newWidth = std::max(width, capacityWidth_), newHeight = std::max(height, capacityHeight_);
    Release();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = newWidth;
    info.bmiHeader.biHeight = -newHeight;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap_) return false;
    dc_ = CreateCompatibleDC(nullptr);
    if (!dc_) {
      DeleteObject(bitmap_);
      bitmap_ = nullptr;
      return false;
    }
    oldBitmap_ = SelectObject(dc_, bitmap_);
    SetBkMode(dc_, TRANSPARENT);
    bits_ = static_cast<std::uint32_t*>(bits);
    capacityWidth_ = newWidth;
    capacityHeight_ = newHeight;
    stride_ = newWidth;
  }
  width_ = width;
  height_ = height;
  GdiFlush();
  return true;
}

void DisplaySurface::Fill(std::uint32_t colour) { FillRect(0, 0, width_, height_, colour); }

void DisplaySurface::FillRect(int left, int top, int right, int bottom, std::uint32_t colour) {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, width_);
  bottom = std::min(bottom, height_);
  if (left >= right) return;
  for (int y = top; y < bottom; ++y) std::fill(Row(y) + left, Row(y) + right, colour);
}

void DisplaySurface::Frame(int left, int top, int right, int bottom, std::uint32_t colour) {
  HorizontalLine(left, right, top, colour);
  HorizontalLine(left, right, bottom - 1, colour);
  VerticalLine(left, top, bottom, colour);
  VerticalLine(right - 1, top, bottom, colour);
}

void DisplaySurface::HorizontalLine(int left, int right, int y, std::uint32_t colour) {
  if (y >= 0 && y < height_) FillRect(left, y, right, y + 1, colour);
}

void DisplaySurface::VerticalLine(int x, int top, int bottom, std::uint32_t colour) {
  if (x >= 0 && x < width_) FillRect(x, top, x + 1, bottom, colour);
}

void DisplaySurface::Text(int x, int y, const wchar_t* text, HFONT font, std::uint32_t colour) {
  GdiFlush();
  HGDIOBJ old = SelectObject(dc_, font);
  SetTextColor(dc_, RGB((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF));
  TextOutW(dc_, x, y, text, static_cast<int>(std::wcslen(text)));
  SelectObject(dc_, old);
  GdiFlush();
}

SIZE DisplaySurface::TextSize(const wchar_t* text, HFONT font) const {
  SIZE size{0, 0};
  HGDIOBJ old = SelectObject(dc_, font);
  GetTextExtentPoint32W(dc_, text, static_cast<int>(std::wcslen(text)), &size);
  SelectObject(dc_, old);
  return size;
}

void DisplaySurface::CopyTo(HDC target, int width, int height) const {
  GdiFlush();
  BitBlt(target, 0, 0, std::min(width, width_), std::min(height, height_), dc_, 0, 0, SRCCOPY);
}

std::uint32_t DisplaySurface::PixelOf(TColor colour) {
  const TColor rgb = ColorToRGB(colour);
  return (static_cast<std::uint32_t>(GetRValue(rgb)) << 16) | (static_cast<std::uint32_t>(GetGValue(rgb)) << 8) |
         GetBValue(rgb);
}
