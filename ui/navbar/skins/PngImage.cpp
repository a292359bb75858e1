#include "ui/navbar/skins/PngImage.h"

#include <algorithm>

#include "platform/framework/classes/Stream.h"
#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/graphics/Bitmap.h"

DEFINE_CLASS(TdxPNGImage)

// ---- unit -----------------------------------------------------------------------------------------

void StartGdiPlusUnit() {
  GPImageClass() = &TdxGPNullImage::ClassInfo();
  if (!GdiPlusAvailable()) return;
  PngEncoderClassID();
  GPImageClass() = &TdxGPImage::ClassInfo();
  RegisterClass(&TdxPNGImage::ClassInfo());
  // The PNG codec's own class keeps "png" whichever unit starts first.
  if (!GraphicClassForExtension(L"png")) RegisterFileFormat(L"PNG", L"PNG graphics from Halvorine", &TdxPNGImage::ClassInfo());
}

void EndGdiPlusUnit() {
  UnregisterGraphicClass(&TdxPNGImage::ClassInfo());
  UnRegisterClass(&TdxPNGImage::ClassInfo());
}

namespace {
const TUnitRegistration gdiPlusUnit(&StartGdiPlusUnit, &EndGdiPlusUnit);
}  // namespace

// ---- TdxPNGImage ----------------------------------------------------------------------------------

TdxPNGImage::TdxPNGImage() {
  TGraphic::SetTransparent(true);
  SetModified(false);
}

TdxPNGImage::~TdxPNGImage() {
  ClearScaledCopies();
  if (image_) image_->Free();
}

bool TdxPNGImage::Empty() const { return Width() < 1 || Height() < 1; }
int TdxPNGImage::Width() const { return image_ ? image_->Width() : 0; }
int TdxPNGImage::Height() const { return image_ ? image_->Height() : 0; }

void TdxPNGImage::AssignImage(TdxGPImage* Image) {
  if (Image == image_) return;
  ClearScaledCopies();
  TdxGPImage* old = image_;
  image_ = Image;
  if (old) old->Free();
}

namespace {

// An image that holds no native image is no image.
TdxGPImage* Kept(TdxGPImage* image) {
  if (image && !image->Handle()) {
    image->Free();
    return nullptr;
  }
  return image;
}

}  // namespace

void TdxPNGImage::LoadFromStream(TStream& Stream) {
  if (Stream.Size() - Stream.Position() <= 0) AssignImage(nullptr);
  else AssignImage(Kept(GPImageClass()->CreateFromStream(Stream)));
  Changed(this);
}

void TdxPNGImage::LoadFromBits(int Width, int Height, const TdxRGBColors& Bits) {
  AssignImage(Kept(GPImageClass()->CreateFromBits(Width, Height, Bits, true)));
  Changed(this);
}

void TdxPNGImage::SaveToStream(TStream& Stream) {
  if (!image_) return;
  TMemoryStream png;
  image_->SaveToStream(png);
  Stream.WriteBuffer(png.Memory(), png.Size());
}

void TdxPNGImage::Assign(TPersistent* Source) {
  if (auto* bitmap = dynamic_cast<TBitmap*>(Source)) return SetBitmap(bitmap);
  if (auto* other = dynamic_cast<TdxPNGImage*>(Source)) {
    if (other == this) return;
    AssignImage(other->image_ ? Kept(other->image_->Clone()) : nullptr);
    return Changed(this);
  }
  TGraphic::Assign(Source);
}

void TdxPNGImage::AssignTo(TPersistent* Dest) {
  if (auto* png = dynamic_cast<TdxPNGImage*>(Dest)) return png->Assign(this);
  if (auto* bitmap = dynamic_cast<TBitmap*>(Dest)) {
    ObjectPtr<TBitmap> pixels(GetAsBitmap());
    return bitmap->Assign(pixels.get());
  }
  TGraphic::AssignTo(Dest);
}

TBitmap* TdxPNGImage::GetAsBitmap() {
  ObjectPtr<TBitmap> bitmap(new TBitmap());
  bitmap->SetPixelFormat(pf32bit);
  TdxRGBColors pixels;
  int width = 0, height = 0;
  if (image_ && image_->ReadPixels(pixels, width, height)) {
    bitmap->SetSize(width, height);
    for (int y = 0; y < height; ++y)
      std::copy_n(&pixels[std::size_t(y) * width], width, static_cast<RGBQUAD*>(bitmap->ScanLine(y)));
  }
  return bitmap.release();
}

void TdxPNGImage::SetBitmap(TBitmap* Bitmap) {
  AssignImage(Kept(GPImageClass()->CreateFromBitmap(Bitmap)));
  Changed(this);
}

void TdxPNGImage::Changed(TObject* Sender) {
  alphaComputed_ = false;
  ClearScaledCopies();
  TGraphic::Changed(Sender);
}

bool TdxPNGImage::IsAlphaUsed() {
  if (!alphaComputed_) {
    TdxRGBColors pixels;
    int width = 0, height = 0;
    alphaUsed_ = false;
    if (image_ && image_->ReadPixels(pixels, width, height))
      for (const RGBQUAD& pixel : pixels)
        if (pixel.rgbReserved != 255) {
          alphaUsed_ = true;
          break;
        }
    alphaComputed_ = true;
  }
  return alphaUsed_;
}

bool TdxPNGImage::IsEqual(TdxPNGImage* Image) {
  if (!Image || Width() != Image->Width() || Height() != Image->Height() || Empty() || Image->Empty()) return false;
  TdxRGBColors mine, theirs;
  int width = 0, height = 0;
  if (!image_->ReadPixels(mine, width, height) || !Image->image_->ReadPixels(theirs, width, height)) return false;
  return std::equal(mine.begin(), mine.end(), theirs.begin(), theirs.end(), [](const RGBQUAD& a, const RGBQUAD& b) {
    return a.rgbBlue == b.rgbBlue && a.rgbGreen == b.rgbGreen && a.rgbRed == b.rgbRed &&
           a.rgbReserved == b.rgbReserved;
  });
}

// ---- drawing --------------------------------------------------------------------------------------

void TdxPNGImage::Draw(TCanvas* ACanvas, const TRect& Rect) {
  DrawRectToDC(ACanvas->Handle(), Rect, TRect(0, 0, Width(), Height()));
}

void TdxPNGImage::DrawToDC(HDC DC, const TRect& Dest) { DrawRectToDC(DC, Dest, TRect(0, 0, Width(), Height())); }

void TdxPNGImage::DrawRectToDC(HDC DC, const TRect& Dest, const TRect& Source) {
  if (!image_ || !GdiPlusSessionRunning()) return;
  ObjectPtr<TdxGPGraphics> graphics(new TdxGPGraphics(DC));
  DrawOnGraphics(graphics->Handle(), Dest, Source);
}

void TdxPNGImage::DrawOnGraphics(GpGraphics* Graphics, const TRect& Dest, const TRect& Source) {
  if (!image_ || !image_->Handle() || !Graphics || !GdiPlusSessionRunning()) return;
  float sourceWidth = float(Source.Width()), sourceHeight = float(Source.Height());
  const float destWidth = float(Dest.Width()), destHeight = float(Dest.Height());
  if (sourceWidth < 1 || sourceHeight < 1 || destWidth < 1 || destHeight < 1) return;
  // An enlarged source gives up its last column or row, which GDI+ would blend with what lies beyond.
  if (destWidth > sourceWidth && sourceWidth > 1) sourceWidth -= 1;
  if (destHeight > sourceHeight && sourceHeight > 1) sourceHeight -= 1;
  Bound().GdipDrawImageRectRect.Get()(Graphics, image_->Handle(), float(Dest.left), float(Dest.top), destWidth,
                                      destHeight, float(Source.left), float(Source.top), sourceWidth, sourceHeight,
                                      GpUnitPixel, nullptr, nullptr, nullptr);
}

namespace {
// At most this many scaled copies per image and this many pixels in them (an element drawn at the
// sizes of a few bars' groups and states; the oldest used goes first).
constexpr size_t kMaxScaledCopies = 32;
constexpr Int64 kMaxScaledPixels = 4 << 20;
// The kind of a kept copy that repeats its part instead of scaling it (no GDI+ interpolation mode).
constexpr int kTiledCopy = -1;
}  // namespace

void TdxPNGImage::ClearScaledCopies() {
  for (const ScaledCopy& copy : scaledCopies_) DeleteObject(copy.Bitmap);
  scaledCopies_.clear();
}

HBITMAP TdxPNGImage::MakeScaledCopy(const TRect& Source, int Width, int Height, int Interpolation) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = Width;
  info.bmiHeader.biHeight = -Height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) return nullptr;
  GpImage* target = nullptr;
  GpGraphics* graphics = nullptr;
  bool drawn = false;
  if (Bound().GdipCreateBitmapFromScan0.Get()(Width, Height, Width * 4, GpPixelFormat32bppPARGB,
                                               static_cast<BYTE*>(bits), &target) == GpOk &&
      target && Bound().GdipGetImageGraphicsContext.Get()(target, &graphics) == GpOk && graphics) {
    Bound().GdipSetInterpolationMode.Get()(graphics, Interpolation);
    DrawOnGraphics(graphics, {0, 0, Width, Height}, Source);
    drawn = true;
  }
  if (graphics) Bound().GdipDeleteGraphics.Get()(graphics);
  if (target) Bound().GdipDisposeImage.Get()(target);
  if (!drawn) {
    DeleteObject(bitmap);
    return nullptr;
  }
  GdiFlush();
  return bitmap;
}

HBITMAP TdxPNGImage::MakeTiledCopy(const TRect& Source, int Width, int Height) {
  const int tw = Source.Width(), th = Source.Height();
  if (tw < 1 || th < 1) return nullptr;
  HBITMAP tile = MakeScaledCopy(Source, tw, th, GpInterpolationModeNearestNeighbor);
  if (!tile) return nullptr;
  HBITMAP bitmap = nullptr;
  DIBSECTION tileInfo{};
  void* bits = nullptr;
  if (::GetObjectW(tile, sizeof(tileInfo), &tileInfo) == sizeof(tileInfo) && tileInfo.dsBm.bmBits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = Width;
    info.bmiHeader.biHeight = -Height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  }
  if (bitmap && bits) {
    const auto* from = static_cast<const DWORD*>(tileInfo.dsBm.bmBits);
    auto* to = static_cast<DWORD*>(bits);
    for (int y = 0; y < Height; ++y) {
      const DWORD* row = from + size_t(y % th) * size_t(tw);
      DWORD* out = to + size_t(y) * size_t(Width);
      for (int x = 0; x < Width; x += tw) std::copy_n(row, std::min(tw, Width - x), out + x);
    }
    GdiFlush();
  }
  DeleteObject(tile);
  return bitmap;
}

template <class Make>
bool TdxPNGImage::DrawKeptCopy(GpGraphics* Graphics, const TRect& Dest, const TRect& Source, int Kind, Make&& make) {
  const int width = Dest.Width(), height = Dest.Height();
  if (!image_ || !image_->Handle() || !Graphics || !GdiPlusSessionRunning() || width < 1 || height < 1) return false;
  auto found = std::find_if(scaledCopies_.begin(), scaledCopies_.end(), [&](const ScaledCopy& copy) {
    return copy.Source == Source && copy.Width == width && copy.Height == height && copy.Interpolation == Kind;
  });
  ScaledCopy copy;
  if (found != scaledCopies_.end()) {
    copy = *found;
    scaledCopies_.erase(found);
  } else {
    copy = {Source, width, height, Kind, make(width, height)};
    if (!copy.Bitmap) return false;
    Int64 pixels = Int64(width) * height;
    for (const ScaledCopy& kept : scaledCopies_) pixels += Int64(kept.Width) * kept.Height;
    while (!scaledCopies_.empty() && (scaledCopies_.size() >= kMaxScaledCopies || pixels > kMaxScaledPixels)) {
      pixels -= Int64(scaledCopies_.front().Width) * scaledCopies_.front().Height;
      DeleteObject(scaledCopies_.front().Bitmap);
      scaledCopies_.erase(scaledCopies_.begin());
    }
  }
  scaledCopies_.push_back(copy);
  HDC dc = nullptr;
  if (Bound().GdipGetDC.Get()(Graphics, &dc) != GpOk || !dc) return false;
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(source, copy.Bitmap);
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  const bool blended = AlphaBlend(dc, Dest.left, Dest.top, width, height, source, 0, 0, width, height, blend);
  SelectObject(source, old);
  DeleteDC(source);
  Bound().GdipReleaseDC.Get()(Graphics, dc);
  return blended;
}

bool TdxPNGImage::DrawScaledCopy(GpGraphics* Graphics, const TRect& Dest, const TRect& Source, int Interpolation) {
  return DrawKeptCopy(Graphics, Dest, Source, Interpolation,
                      [&](int width, int height) { return MakeScaledCopy(Source, width, height, Interpolation); });
}

bool TdxPNGImage::DrawTiledCopy(GpGraphics* Graphics, const TRect& Dest, const TRect& Source) {
  return DrawKeptCopy(Graphics, Dest, Source, kTiledCopy,
                      [&](int width, int height) { return MakeTiledCopy(Source, width, height); });
}

void TdxPNGImage::DrawOnGraphicsIfLoaded(TdxPNGImage* Image, GpGraphics* Graphics, const TRect& Dest,
                                         const TRect& Source) {
  if (Image && Image->image_) Image->DrawOnGraphics(Graphics, Dest, Source);
}
