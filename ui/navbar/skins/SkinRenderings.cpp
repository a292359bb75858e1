#include "ui/navbar/skins/SkinRenderings.h"

#include <algorithm>

namespace {

// A top-down 32-bit DIB section of the size, its bits returned.
HBITMAP MakeDib(int Width, int Height, DWORD*& Bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = Width;
  info.bmiHeader.biHeight = -Height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  Bits = static_cast<DWORD*>(bits);
  return bitmap;
}

// The element drawn on a plain background of the colour, into a DIB of R's size.
HBITMAP RenderOn(const TRect& R, DWORD Background, const TdxSkinElementRenderings::TRender& Render, DWORD*& Bits) {
  const int w = R.Width(), h = R.Height();
  HBITMAP bitmap = MakeDib(w, h, Bits);
  if (!bitmap) return nullptr;
  std::fill(Bits, Bits + size_t(w) * h, Background);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  Render(dc, TRect(0, 0, w, h));
  GdiFlush();
  SelectObject(dc, old);
  DeleteDC(dc);
  return bitmap;
}

}  // namespace

TdxSkinElementRenderings::Entry TdxSkinElementRenderings::Make(const TRect& R, int ImageIndex,
                                                               TdxSkinElementState State, const TRender& Render) {
  Entry entry{R.Width(), R.Height(), ImageIndex, State, nullptr, true};
  DWORD *black = nullptr, *white = nullptr;
  HBITMAP onBlack = RenderOn(R, 0x000000, Render, black);
  HBITMAP onWhite = onBlack ? RenderOn(R, 0xFFFFFF, Render, white) : nullptr;
  if (!onWhite) {
    if (onBlack) DeleteObject(onBlack);
    return entry;
  }
  const size_t count = size_t(entry.Width) * entry.Height;
  for (size_t i = 0; i < count; ++i) {
    const DWORD b = black[i], w = white[i];
    // What the background showed through: the largest channel difference; the black picture is
    // the element's colour already multiplied by its coverage.
    int through = 0;
    for (int shift = 0; shift < 24; shift += 8)
      through = std::max(through, int((w >> shift) & 0xFF) - int((b >> shift) & 0xFF));
    const DWORD alpha = DWORD(255 - std::clamp(through, 0, 255));
    DWORD pixel = alpha << 24;
    for (int shift = 0; shift < 24; shift += 8) pixel |= std::min<DWORD>((b >> shift) & 0xFF, alpha) << shift;
    black[i] = pixel;
    if (alpha != 255) entry.Opaque = false;
  }
  DeleteObject(onWhite);
  entry.Bitmap = onBlack;
  return entry;
}

void TdxSkinElementRenderings::Draw(HDC DC, const TRect& R, int ImageIndex, TdxSkinElementState State,
                                    const TRender& Render) {
  const int w = R.Width(), h = R.Height();
  auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) {
    return e.Width == w && e.Height == h && e.ImageIndex == ImageIndex && e.State == State;
  });
  if (it == entries_.end()) {
    Entry made = Make(R, ImageIndex, State, Render);
    if (!made.Bitmap) {
      Render(DC, R);
      return;
    }
    entries_.push_back(made);
    pixels_ += long(w) * h;
    Evict();
    it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.Bitmap == made.Bitmap; });
    if (it == entries_.end()) {
      // Larger than the whole budget: drawn directly.
      Render(DC, R);
      return;
    }
  }
  HDC memory = CreateCompatibleDC(DC);
  HGDIOBJ old = SelectObject(memory, it->Bitmap);
  if (it->Opaque) {
    BitBlt(DC, R.left, R.top, w, h, memory, 0, 0, SRCCOPY);
  } else {
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    GdiAlphaBlend(DC, R.left, R.top, w, h, memory, 0, 0, w, h, blend);
  }
  SelectObject(memory, old);
  DeleteDC(memory);
}

void TdxSkinElementRenderings::Evict() {
  while (!entries_.empty() && (int(entries_.size()) > kMaxEntries || pixels_ > kMaxPixels)) {
    pixels_ -= long(entries_.front().Width) * entries_.front().Height;
    DeleteObject(entries_.front().Bitmap);
    entries_.erase(entries_.begin());
  }
}

void TdxSkinElementRenderings::Clear() {
  for (const Entry& e : entries_) DeleteObject(e.Bitmap);
  entries_.clear();
  pixels_ = 0;
}
