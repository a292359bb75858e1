#include "ui/ribbon/BarSkins.h"

#include <algorithm>
#include <cstring>

#include "platform/framework/classes/Stream.h"
#include "platform/framework/rtl/Seams.h"
#include "platform/framework/rtl/SysUtils.h"
#include "ui/foundation/Graphics.h"
#include "ui/navbar/skins/GdiPlusClasses.h"

DEFINE_CLASS(TdxSkinnedRect)
DEFINE_CLASS(TdxCustomBarSkin)
DEFINE_CLASS(TdxBarSkinManager)

namespace {

HDC sharedPartDC = nullptr;
TdxBarSkinManager* barSkinManager = nullptr;

void DisposeImage(GpImage*& image) {
  if (image && GdiPlusSessionRunning()) Bound().GdipDisposeImage.Get()(image);
  image = nullptr;
}

// A graphics object on an image that copies source pixels as they are.
GpGraphics* CopyingGraphicsOn(GpImage* Image, int Interpolation) {
  GpGraphics* graphics = nullptr;
  if (!Image || Bound().GdipGetImageGraphicsContext.Get()(Image, &graphics) != GpOk) return nullptr;
  Bound().GdipSetInterpolationMode.Get()(graphics, Interpolation);
  Bound().GdipSetCompositingMode.Get()(graphics, GpCompositingModeSourceCopy);
  return graphics;
}

}  // namespace

// ---- TdxSkinnedRect -------------------------------------------------------------------------------

TdxSkinnedRect::TdxSkinnedRect(bool ASuppressed) : suppressed_(ASuppressed) {}

TdxSkinnedRect::~TdxSkinnedRect() {
  FreeCache();
  DisposeImage(partImage_);
}

void TdxSkinnedRect::FreeCache() {
  if (cacheBitmap_) DeleteObject(cacheBitmap_);
  cacheBitmap_ = nullptr;
  cacheSize_ = {0, 0};
}

void TdxSkinnedRect::LoadFromImage(GpImage* Source, const TRect& SourceRect, const TRect& AMargins) {
  ResetDrawSize();
  FreeCache();
  DisposeImage(partImage_);
  pixels_.clear();
  const int w = RectWidthOf(SourceRect), h = RectHeightOf(SourceRect);
  // The part's own copy of the rectangle, 32 bpp with straight alpha (drawing a premultiplied bitmap
  // into the premultiplied cache multiplies by alpha a second time under Wine's GDI+; the cache
  // alone is premultiplied).
  GpBitmapData data{};
  const GpRectI rect{SourceRect.left, SourceRect.top, w, h};
  if (Source && w > 0 && h > 0 && GdiPlusAvailable() &&
      Bound().GdipBitmapLockBits.Get()(Source, &rect, GpImageLockModeRead, GpPixelFormat32bppARGB, &data) == GpOk) {
    pixels_.resize(std::size_t(w) * std::size_t(h));
    for (int y = 0; y < h; ++y)
      std::memcpy(&pixels_[std::size_t(y) * std::size_t(w)],
                  static_cast<const Byte*>(data.Scan0) + std::ptrdiff_t(y) * data.Stride, std::size_t(w) * 4);
    Bound().GdipBitmapUnlockBits.Get()(Source, &data);
  }
  imageSize_ = {w, h};
  margins_ = AMargins;
  const int columns[4] = {0, int(AMargins.left), w - int(AMargins.right), w};
  const int rows[4] = {0, int(AMargins.top), h - int(AMargins.bottom), h};
  for (int i = 0; i < 9; ++i)
    sourceRects_[std::size_t(i)] = {columns[i % 3], rows[i / 3], columns[i % 3 + 1], rows[i / 3 + 1]};
  ApplyMarginsAsContent();
}

void TdxSkinnedRect::ApplyMarginsAsContent() {
  contentOffsets_ = margins_;
  minimalSize_ = {margins_.left + margins_.right, margins_.top + margins_.bottom};
}

void TdxSkinnedRect::SetDrawSize(int Width, int Height) {
  if (drawSize_ == TSize{Width, Height}) return;
  CalculateNinePartSizes(Width, Height);
  drawSize_ = {Width, Height};
}

void TdxSkinnedRect::CalculateNinePartSizes(int Width, int Height) {
  // Edges keep their margins while they fit; otherwise the extent is split between the two edges.
  auto split = [](int extent, int before, int after, int (&out)[3]) {
    if (before + after < extent) {
      out[0] = before, out[1] = extent - before - after, out[2] = after;
    } else {
      out[0] = extent / 2, out[1] = 0, out[2] = extent - extent / 2;
    }
  };
  int columns[3], rows[3];
  split(Width, margins_.left, margins_.right, columns);
  split(Height, margins_.top, margins_.bottom, rows);
  for (int i = 0; i < 9; ++i) partSizes_[std::size_t(i)] = {columns[i % 3], rows[i / 3]};
}

void TdxSkinnedRect::DrawPart(HDC DC, const TRect& R, Byte AAlpha) {
  Alpha = AAlpha;
  if (RectWidthOf(R) <= 0 || RectHeightOf(R) <= 0) return;
  SetDrawSize(RectWidthOf(R), RectHeightOf(R));
  if (!RectVisible(DC, &R)) return;
  DrawCache(DC, R);
}

void TdxSkinnedRect::FillFace(HDC DC, const TRect& R) {
  FillRect(DC, &R, GetSysColorBrush(COLOR_BTNFACE));
}

TRect TdxSkinnedRect::ContentRect(const TRect& R) const { return DeflateRectByMargins(R, contentOffsets_); }

void TdxSkinnedRect::UpdateCache() {
  if (cacheBitmap_ && cacheSize_ == drawSize_) return;
  FreeCache();
  if (pixels_.empty() || !GdiPlusSessionRunning()) return;
  // The part's GDI+ bitmap over its pixels, made when it is first drawn: most parts of a skin never are.
  if (!partImage_ &&
      Bound().GdipCreateBitmapFromScan0.Get()(imageSize_.cx, imageSize_.cy, imageSize_.cx * 4, GpPixelFormat32bppARGB,
                                              reinterpret_cast<BYTE*>(pixels_.data()), &partImage_) != GpOk) {
    partImage_ = nullptr;
    return;
  }
  const int w = drawSize_.cx, h = drawSize_.cy;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;  // top-down, like the GDI+ bitmaps over it
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  cacheBitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!cacheBitmap_) return;
  cacheSize_ = drawSize_;
  // Row by row, each from x = 0; a part is drawn only when it has an area. An enlarged extent takes
  // its source one pixel short, so the filter does not reach into the neighbouring part. Each part is
  // drawn at the origin of a bitmap over its own cells of the DIB: GDI+ scaling away from the origin
  // (Wine's) can leave the first column of the destination empty.
  int y = 0;
  for (int row = 0; row < 3; ++row) {
    int x = 0;
    const int height = partSizes_[std::size_t(row * 3)].cy;
    for (int column = 0; column < 3; ++column) {
      const std::size_t i = std::size_t(row * 3 + column);
      const TSize size = partSizes_[i];
      const TRect& source = sourceRects_[i];
      int sw = RectWidthOf(source), sh = RectHeightOf(source);
      if (size.cx > 0 && size.cy > 0 && sw > 0 && sh > 0) {
        if (sw > 1 && sw < size.cx) --sw;
        if (sh > 1 && sh < size.cy) --sh;
        void* cells = static_cast<Byte*>(bits) + (std::size_t(y) * std::size_t(w) + std::size_t(x)) * 4;
        GpImage* view = nullptr;
        if (Bound().GdipCreateBitmapFromScan0.Get()(size.cx, size.cy, w * 4, GpPixelFormat32bppPARGB,
                                                    static_cast<BYTE*>(cells), &view) == GpOk) {
          if (GpGraphics* graphics = CopyingGraphicsOn(view, Interpolation)) {
            Bound().GdipDrawImageRectRectI.Get()(graphics, partImage_, 0, 0, size.cx, size.cy, source.left,
                                                 source.top, sw, sh, GpUnitPixel, nullptr, nullptr, nullptr);
            Bound().GdipDeleteGraphics.Get()(graphics);
          }
          DisposeImage(view);
        }
      }
      x += size.cx;
    }
    y += height;
  }
}

void TdxSkinnedRect::DrawCache(HDC DC, const TRect& R) {
  UpdateCache();
  if (!cacheBitmap_ || suppressed_) return;
  HDC source = SharedPartDC();
  HGDIOBJ previous = SelectObject(source, cacheBitmap_);
  BlendDCRect(DC, source, R, TRect(0, 0, drawSize_.cx, drawSize_.cy), false, Alpha);
  SelectObject(source, previous);
}

// ---- TdxCustomBarSkin -----------------------------------------------------------------------------

TdxCustomBarSkin::TdxCustomBarSkin(const String& ASkinName) : skinName_(ASkinName) {}

TdxCustomBarSkin::~TdxCustomBarSkin() { Clear(); }

void TdxCustomBarSkin::Clear() {
  for (int i = 0; i < Count(); ++i) Parts(i)->Free();
  TList::Clear();
}

int TdxCustomBarSkin::AddSkinPart(TdxSkinnedRect* Part) {
  if (!Part) return -1;
  for (int i = 0; i < Count(); ++i) {
    const TdxSkinnedRect* other = Parts(i);
    if (Part->PartID != -1 && Part->PartID == other->PartID)
      throw Exception(Format(L"ERROR: Duplicate part's ID = %d", {Part->PartID}));
    if (!Part->PartName.empty() && SameText(Part->PartName, other->PartName))
      throw Exception(Format(L"ERROR: Duplicate part's name = \"%s\"", {Part->PartName}));
  }
  return Add(Part);
}

int TdxCustomBarSkin::AddImagePart(GpImage* Image, const TRect& SourceRect, int AInterpolation,
                                   const String& APartName, int APartID) {
  return AddImagePartWithMargins(Image, SourceRect, AInterpolation, APartName, APartID, TRect());
}

int TdxCustomBarSkin::AddImagePartWithTopBottom(GpImage* Image, const TRect& SourceRect, int AInterpolation,
                                                const String& APartName, int APartID, int Top, int Bottom) {
  return AddImagePartWithMargins(Image, SourceRect, AInterpolation, APartName, APartID, TRect(0, Top, 0, Bottom));
}

int TdxCustomBarSkin::AddImagePartWithMargins(GpImage* Image, const TRect& SourceRect, int AInterpolation,
                                              const String& APartName, int APartID, const TRect& AMargins) {
  ObjectPtr<TdxSkinnedRect> part(new TdxSkinnedRect(false));
  part->LoadFromImage(Image, SourceRect, AMargins);
  part->PartID = APartID;
  part->PartName = APartName;
  part->Interpolation = AInterpolation;
  const int index = AddSkinPart(part.get());
  part.release();
  return index;
}

// ---- TdxBarSkinManager ----------------------------------------------------------------------------

TdxBarSkinManager::~TdxBarSkinManager() {
  while (!skins_.empty()) {
    TdxCustomBarSkin* skin = skins_.back();
    skins_.pop_back();
    skin->Free();
  }
}

int TdxBarSkinManager::AddSkin(TdxCustomBarSkin* Skin) {
  if (!GdiPlusAvailable() || !Skin || Skin->SkinName().empty() || SkinByName(Skin->SkinName())) return -1;
  skins_.push_back(Skin);
  Changed();
  return int(skins_.size()) - 1;
}

bool TdxBarSkinManager::RemoveSkin(TdxCustomBarSkin* Skin) {
  const auto it = std::find(skins_.begin(), skins_.end(), Skin);
  if (!Skin || it == skins_.end() || Skin->IsPersistent()) return false;
  skins_.erase(it);
  Skin->Free();
  Changed();
  return true;
}

TdxCustomBarSkin* TdxBarSkinManager::SkinByName(const String& Name) const {
  for (TdxCustomBarSkin* skin : skins_)
    if (SameText(skin->SkinName(), Name)) return skin;
  return nullptr;
}

TdxBarSkinManager* BarSkinManager() {
  if (!barSkinManager) barSkinManager = new TdxBarSkinManager();
  return barSkinManager;
}

void FreeBarSkinManager() {
  TdxBarSkinManager* manager = barSkinManager;
  barSkinManager = nullptr;
  if (manager) manager->Free();
}

// ---- images and the shared DC ---------------------------------------------------------------------

TdxGPImage* LoadGdipImageFromStream(TStream& Stream) {
  if (!GdiPlusAvailable()) return nullptr;
  ObjectPtr<TdxGPImage> image(TdxGPImage::ClassInfo().CreateFromStream(Stream));
  return image && image->Handle() ? image.release() : nullptr;
}

HDC SharedPartDC() {
  if (!sharedPartDC) sharedPartDC = CreateCompatibleDC(nullptr);
  return sharedPartDC;
}

void FreeSharedPartDC() {
  if (sharedPartDC) DeleteDC(sharedPartDC);
  sharedPartDC = nullptr;
}
