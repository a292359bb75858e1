#include "ui/skins/paint/FastPixels.h"

#include <memory>


namespace {

template <typename Fast>
bool AttachTo(Fast& fast, TBitmap* bitmap, Byte*& start, std::ptrdiff_t& stride) {
  fast.Bitmap = bitmap;
  if (!bitmap || bitmap->Width() < 2 || bitmap->Height() < 2) {
    fast.Width = 0;
    return false;
  }
  fast.Width = bitmap->Width();
  fast.Height = bitmap->Height();
  start = static_cast<Byte*>(bitmap->ScanLine(0));
  stride = static_cast<Byte*>(bitmap->ScanLine(1)) - start;
  return true;
}

struct TFastInstances {
  TacFast24 Src, Dst;
  TacFastSum24 Sum;
  TacFast32 Fast32;
};
std::unique_ptr<TFastInstances> instances;

TFastInstances& Instances() {
  if (!instances) instances = std::make_unique<TFastInstances>();
  return *instances;
}

}  // namespace

bool TacFast24::Attach(TBitmap* bitmap) { return AttachTo(*this, bitmap, start_, stride_); }
bool TacFast32::Attach(TBitmap* bitmap) { return AttachTo(*this, bitmap, start_, stride_); }

bool TacFastSum24::Attach(TBitmap* source, TBitmap* destination) {
  if (!src_.Attach(source) || !dst_.Attach(destination)) return false;
  Width = std::min(src_.Width, dst_.Width);
  Height = std::min(src_.Height, dst_.Height);
  return true;
}

void TacFastSum24::BlendRect() {
  const int a = Alpha, b = 255 - Alpha;
  for (int y = DstRect.bottom - 1; y >= DstRect.top; --y) {
    Byte* d = dst_.Address(DstRect.left, y);
    const Byte* s = src_.Address(SrcRect.left, SrcRect.bottom - (DstRect.bottom - y));
    for (int i = 3 * (DstRect.right - DstRect.left) - 1; i >= 0; --i) d[i] = Byte((d[i] * a + s[i] * b + 127) >> 8);
  }
}

TacFast24& Fast24Src() { return Instances().Src; }
TacFast24& Fast24Dst() { return Instances().Dst; }
TacFastSum24& FastSum24() { return Instances().Sum; }
TacFast32& Fast32() { return Instances().Fast32; }
void ReleaseFastPixels() { instances.reset(); }
