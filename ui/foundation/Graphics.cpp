#include "ui/foundation/Graphics.h"

#include <algorithm>
#include <cstring>

#include "platform/framework/classes/Stream.h"
#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/rtl/Seams.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/windows/Controls.h"
#include "ui/foundation/ImageList.h"

DEFINE_CLASS(TcxCustomBitmap)
DEFINE_CLASS(TcxBitmap)

using namespace cxpixels;

namespace {

constexpr char kPackedSignature[4] = {'X', 'D', 'B', 'M'};
constexpr int kPackedHeaderSize = 10;
constexpr DWORD kRopDSna = 0x00220326;
constexpr DWORD kRopShadow = 0x00200F09;

// Glyph painter and blend scratch bitmaps, reused across paints.
constexpr int kScratchSlots = 9;  // 0-2 glyph painter, 3-5 blending, 6 mask, 7-8 shadow
TcxBitmap* scratch[kScratchSlots] = {};
TLanczosScratch lanczos;
std::vector<Pixel> resampleSource, resampleTarget;

TcxBitmap* ScratchBitmap(int slot, int w, int h) {
  TcxBitmap*& bitmap = scratch[slot];
  if (!bitmap) bitmap = new TcxBitmap(w, h);
  bitmap->ClearTransparentColors();
  bitmap->KeyColor = 0;
  if (bitmap->Width() != w || bitmap->Height() != h) bitmap->Resize(w, h);
  return bitmap;
}

HBRUSH checkerBrush = nullptr;
TBitmap* checkerBitmap = nullptr;

void FreeShared() {
  for (TcxBitmap*& bitmap : scratch) FreeAndNil(bitmap);
  if (checkerBrush) DeleteObject(checkerBrush);
  checkerBrush = nullptr;
  FreeAndNil(checkerBitmap);
}

const TUnitRegistration unit(nullptr, FreeShared);

HDC DCOf(TBitmap* bitmap) { return bitmap->Canvas()->Handle(); }

// The screen's depth asks the display server: read it once per bound query, not per glyph.
int DisplayDepth() {
  static int (*query)() = nullptr;
  static int depth = 0;
  if (query != Bound().ScreenColorDepth || !query) {
    query = Bound().ScreenColorDepth;
    depth = ScreenColorDepth();
  }
  return depth;
}

}  // namespace

// ---- TcxCustomBitmap --------------------------------------------------------------------------

TcxCustomBitmap::TcxCustomBitmap() : TcxCustomBitmap(0, 0, pf24bit) {}

TcxCustomBitmap::TcxCustomBitmap(int AWidth, int AHeight, TPixelFormat APixelFormat) {
  InitSized(AWidth, AHeight, APixelFormat);
}

TcxCustomBitmap::~TcxCustomBitmap() { FreeAndNil(cxCanvas_); }

void TcxCustomBitmap::InitSized(int AWidth, int AHeight, TPixelFormat APixelFormat) {
  LockChanges();
  SetPixelFormat(APixelFormat);
  SetSize(AWidth, AHeight);
  UnlockChanges(true);
}

TcxCanvas* TcxCustomBitmap::cxCanvas() {
  if (!cxCanvas_) cxCanvas_ = new TcxCanvas(Canvas());
  return cxCanvas_;
}

void TcxCustomBitmap::UnlockChanges(bool AForce) {
  if (lockCount_ <= 0) return;
  --lockCount_;
  if (AForce || changePending_) Changed(this);
}

void TcxCustomBitmap::Changed(TObject* Sender) {
  if (lockCount_ > 0) {
    changePending_ = true;
    return;
  }
  TBitmap::Changed(Sender);
  ChangeHook();
  changePending_ = false;
}

void TcxCustomBitmap::ClearToBlack() {
  if (Empty()) return;
  Canvas()->Brush()->SetColor(clBlack);
  Canvas()->FillRect(FullRect());
}

void TcxCustomBitmap::Resize(int AWidth, int AHeight) {
  LockChanges();
  SetSize(AWidth, AHeight);
  UnlockChanges(false);
}

void TcxCustomBitmap::CopyBitmapFrom(TBitmap* Bitmap, DWORD RasterOp) {
  BitBlt(DCOf(this), 0, 0, Width(), Height(), DCOf(Bitmap), 0, 0, RasterOp);
  Changed(this);
}

void TcxCustomBitmap::BlitFromBitmap(TBitmap* Bitmap, const TRect& DestRect, const TPoint& SourceTopLeft,
                                     DWORD RasterOp) {
  BlitRect(DCOf(this), DCOf(Bitmap), DestRect, SourceTopLeft, RasterOp);
  Changed(this);
}

void TcxCustomBitmap::RotateAndFlip(int Rotation, bool Mirror) { RotateBitmapPixels(this, Rotation, Mirror); }

// Packed form: PackedSize (4 bytes), "XDBM", version (2 bytes), then the run-length code of the
// plain form. Anything shorter than the header, or without the signature, is the plain form.
void TcxCustomBitmap::ReadData(TStream& Stream) {
  const Int64 start = Stream.Position();
  const Int64 available = Stream.Size() - start;
  Byte header[kPackedHeaderSize] = {};
  if (available < kPackedHeaderSize || Stream.Read(header, kPackedHeaderSize) != kPackedHeaderSize ||
      std::memcmp(header + 4, kPackedSignature, 4) != 0) {
    Stream.SetPosition(start);
    return TBitmap::ReadData(Stream);
  }
  std::uint32_t packedSize = 0;
  std::memcpy(&packedSize, header, 4);
  if (Int64(packedSize) > available - kPackedHeaderSize) throw EReadError(L"Packed bitmap data is truncated");
  std::vector<Byte> packed(packedSize);
  Stream.ReadBuffer(packed.data(), packedSize);
  std::vector<Byte> plain;
  if (!UnpackRuns(packed.data(), packed.size(), plain)) throw EReadError(L"Packed bitmap data is damaged");
  TMemoryStream unpacked;
  unpacked.WriteBuffer(plain.data(), Int64(plain.size()));
  unpacked.SetPosition(0);
  TBitmap::ReadData(unpacked);
}

void TcxCustomBitmap::WriteData(TStream& Stream) {
  if (!CompressData) return TBitmap::WriteData(Stream);
  TMemoryStream plain;
  TBitmap::WriteData(plain);
  const std::vector<Byte> packed = PackRuns(static_cast<const Byte*>(plain.Memory()), size_t(plain.Size()));
  const std::uint32_t packedSize = std::uint32_t(packed.size());
  const std::uint16_t version = 1;
  Stream.WriteBuffer(&packedSize, 4);
  Stream.WriteBuffer(kPackedSignature, 4);
  Stream.WriteBuffer(&version, 2);
  Stream.WriteBuffer(packed.data(), Int64(packed.size()));
}

// ---- TcxBitmap --------------------------------------------------------------------------------

TcxBitmap::TcxBitmap(int AWidth, int AHeight) : TcxCustomBitmap(AWidth, AHeight, pf32bit) { ClearToBlack(); }

void TcxBitmap::ClearToBlack() {
  if (Empty()) return;
  GdiFlush();
  for (int y = 0; y < Height(); ++y) {
    auto* row = static_cast<Pixel*>(ScanLine(y));
    std::fill(row, row + Width(), (KeyColor >> 24) != 0 ? KeyColor : Pixel(0));
  }
  Changed(this);
}

void TcxBitmap::Resize(int AWidth, int AHeight) {
  TcxCustomBitmap::Resize(AWidth, AHeight);
  ClearToBlack();
}

std::vector<Pixel>& TcxBitmap::GetPixels() {
  const int w = Width(), h = Height();
  pixels_.resize(size_t(w) * h);
  if (Empty()) return pixels_;
  GdiFlush();
  for (int row = 0; row < h; ++row)
    std::memcpy(&pixels_[size_t(row) * w], ScanLine(h - 1 - row), size_t(w) * 4);
  return pixels_;
}

void TcxBitmap::SetPixels(const std::vector<Pixel>& Pixels) {
  const int w = Width(), h = Height();
  if (Empty() || Pixels.size() < size_t(w) * h) return;
  GdiFlush();
  for (int row = 0; row < h; ++row) std::memcpy(ScanLine(h - 1 - row), &Pixels[size_t(row) * w], size_t(w) * 4);
  Changed(this);
}

void TcxBitmap::ApplyPixelOperation(TcxPixelOperation Operation) {
  TPixelOperationParams params;
  params.Key = KeyColor;
  params.TransparentColors = &colorList_;
  params.ButtonShadow = ColorToPixel(clBtnShadow, 0);
  params.Checker1 = checker1_;
  params.Checker2 = checker2_;
  params.CheckerCellSize = checkerSize_;
  std::vector<Pixel>& pixels = GetPixels();
  cxpixels::ApplyPixelOperation(pixels.data(), Width(), Height(), Operation, params);
  SetPixels(pixels);
}

bool TcxBitmap::HasAlpha() {
  const std::vector<Pixel>& pixels = GetPixels();
  return std::any_of(pixels.begin(), pixels.end(), [](Pixel p) { return (p >> 24) != 0; });
}

void TcxBitmap::MaskWith(TBitmap* Mask) { CopyBitmapFrom(Mask, kRopDSna); }

void TcxBitmap::SetChecker(TColor Color1, TColor Color2, int CellSize, Byte Alpha1, Byte Alpha2) {
  checker1_ = ColorToPixel(Color1, Alpha1);
  checker2_ = ColorToPixel(Color2, Alpha2);
  checkerSize_ = std::max(CellSize, 1);
  ApplyPixelOperation(poChecker);
}

void TcxBitmap::AddTransparentColor(TColor AColor) { colorList_.push_back(ColorToPixel(AColor, 0) & 0xFFFFFF); }

// ---- colours ----------------------------------------------------------------------------------

TColor NearestScreenColor(TColor Color) {
  HDC screen = GetDC(nullptr);
  const COLORREF nearest = GetNearestColor(screen, COLORREF(ColorToRGB(Color)));
  ReleaseDC(nullptr, screen);
  return TColor(nearest);
}

TColor MixSystemColors(int PFace, int PHighlight, int PWindow) {
  const COLORREF face = COLORREF(ColorToRGB(clBtnFace));
  if (face == 0 || face == 0xFFFFFF) return clHighlight;
  const COLORREF highlight = COLORREF(ColorToRGB(clHighlight)), window = COLORREF(ColorToRGB(clWindow));
  auto channel = [&](int shift) {
    auto c = [shift](COLORREF color) { return int((color >> shift) & 0xFF); };
    return ClampChannel(MulDiv(c(face), PFace, 100) + MulDiv(c(highlight), PHighlight, 100) +
                        MulDiv(c(window), PWindow, 100));
  };
  return RGBColor(Byte(channel(0)), Byte(channel(8)), Byte(channel(16)));
}

TColor SystemTintColor(int PFace, int PHighlight, int PWindow) {
  return NearestScreenColor(MixSystemColors(PFace, PHighlight, PWindow));
}

TColor DarkenColorPercent(TColor Color, int Percent) {
  const COLORREF rgb = COLORREF(ColorToRGB(Color));
  auto c = [&](int shift) { return Byte(int((rgb >> shift) & 0xFF) * Percent / 100); };
  return RGBColor(c(0), c(8), c(16));
}

bool WebColorByName(const String& Name, TColor& Color) {
  struct Entry {
    const wchar_t* Name;
    TColor Color;
  };
  static const Entry table[] = {
#include "ui/foundation/WebColors.inc"
  };
  for (const Entry& entry : table)
    if (SameText(Name, entry.Name)) {
      Color = entry.Color;
      return true;
    }
  return false;
}

Pixel ColorToPixel(TColor Color, Byte Alpha) {
  const COLORREF rgb = COLORREF(ColorToRGB(Color));
  return MakePixel(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb), Alpha);
}

// ---- bitmaps and device contexts --------------------------------------------------------------

TBitmap* NewBitmapSized(int W, int H, TPixelFormat PixelFormat) {
  auto* bitmap = new TBitmap;
  SetBitmapGeometry(bitmap, W, H, PixelFormat);
  return bitmap;
}

TBitmap* NewBitmapForRect(const TRect& R, TPixelFormat PixelFormat) {
  return NewBitmapSized(RectWidthOf(R), RectHeightOf(R), PixelFormat);
}

void SetBitmapGeometry(TBitmap* Bitmap, int W, int H, TPixelFormat PixelFormat) {
  Bitmap->SetPixelFormat(PixelFormat);
  Bitmap->SetSize(W, H);
}

void BlitRect(HDC DestDC, HDC SrcDC, const TRect& DestRect, const TPoint& SrcTopLeft, DWORD RasterOp) {
  BitBlt(DestDC, DestRect.left, DestRect.top, RectWidthOf(DestRect), RectHeightOf(DestRect), SrcDC, SrcTopLeft.x,
         SrcTopLeft.y, RasterOp);
}

void StretchBitmapOnto(TBitmap* Dest, TBitmap* Source) {
  StretchBlt(DCOf(Dest), 0, 0, Dest->Width(), Dest->Height(), DCOf(Source), 0, 0, Source->Width(), Source->Height(),
             SRCCOPY);
}

namespace {

void CaptureInto(TcxBitmap* Target, HDC DC, const TRect& R) {
  BitBlt(DCOf(Target), 0, 0, RectWidthOf(R), RectHeightOf(R), DC, R.left, R.top, SRCCOPY);
}

// Pixels of any bitmap as 32-bit values; 32-bit pictures straight from their rows.
void ReadPixelsInto(TBitmap* Bitmap, bool TopDown, std::vector<Pixel>& Out) {
  const int w = Bitmap->Width(), h = Bitmap->Height();
  Out.resize(size_t(w) * h);
  if (Bitmap->Empty()) return;
  if (Bitmap->PixelFormat() == pf32bit) {
    GdiFlush();
    for (int y = 0; y < h; ++y) std::memcpy(&Out[size_t(y) * w], Bitmap->ScanLine(TopDown ? y : h - 1 - y), size_t(w) * 4);
    return;
  }
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, TopDown ? -h : h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  HBITMAP handle = Bitmap->Handle();
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, handle, 0, UINT(h), Out.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
}

void WritePixelsFrom(TBitmap* Bitmap, const std::vector<Pixel>& Pixels, bool TopDown) {
  const int w = Bitmap->Width(), h = Bitmap->Height();
  if (Bitmap->Empty() || Pixels.size() < size_t(w) * h) return;
  if (Bitmap->PixelFormat() == pf32bit) {
    GdiFlush();
    for (int y = 0; y < h; ++y) std::memcpy(Bitmap->ScanLine(TopDown ? y : h - 1 - y), &Pixels[size_t(y) * w], size_t(w) * 4);
  } else {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, TopDown ? -h : h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HBITMAP handle = Bitmap->Handle();
    HDC screen = GetDC(nullptr);
    SetDIBits(screen, handle, 0, UINT(h), Pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
  }
  Bitmap->SetModified(true);
}

}  // namespace

TcxBitmap* CaptureDCRect(HDC DC, const TRect& R) {
  auto* bitmap = new TcxBitmap(RectWidthOf(R), RectHeightOf(R));
  CaptureInto(bitmap, DC, R);
  return bitmap;
}

std::vector<Pixel> ReadBitmapPixels(TBitmap* Bitmap, bool TopDown) {
  std::vector<Pixel> pixels;
  ReadPixelsInto(Bitmap, TopDown, pixels);
  return pixels;
}

void WriteBitmapPixels(TBitmap* Bitmap, std::vector<Pixel>& Pixels, bool TopDown) {
  WritePixelsFrom(Bitmap, Pixels, TopDown);
  std::vector<Pixel>().swap(Pixels);
}

bool AlphaBlendRects(HDC DestDC, HDC SrcDC, const TRect& DestRect, const TRect& SrcRect, Byte Alpha) {
  auto alphaBlend = Bound().AlphaBlend.Get();
  if (!alphaBlend) return false;
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, Alpha, AC_SRC_ALPHA};
  return alphaBlend(DestDC, DestRect.left, DestRect.top, RectWidthOf(DestRect), RectHeightOf(DestRect), SrcDC,
                    SrcRect.left, SrcRect.top, RectWidthOf(SrcRect), RectHeightOf(SrcRect), blend) != 0;
}

void BlendDCRect(HDC DestDC, HDC SrcDC, const TRect& DestRect, const TRect& SrcRect, bool Stretch, Byte Alpha) {
  if (RectHasNoArea(DestRect) || RectHasNoArea(SrcRect)) return;
  const bool resample = Stretch && !RectsSameSize(DestRect, SrcRect);
  if (!resample && AlphaBlendRects(DestDC, SrcDC, DestRect, SrcRect, Alpha)) return;
  const int w = RectWidthOf(DestRect), h = RectHeightOf(DestRect);
  TcxBitmap* dest = ScratchBitmap(3, w, h);
  TcxBitmap* source = ScratchBitmap(4, RectWidthOf(SrcRect), RectHeightOf(SrcRect));
  TcxBitmap* work = ScratchBitmap(5, w, h);
  CaptureInto(dest, DestDC, DestRect);
  CaptureInto(source, SrcDC, SrcRect);
  if (resample)
    ResampleBitmap(source, work, true);
  else
    StretchBitmapOnto(work, source);
  if (!AlphaBlendRects(DCOf(dest), DCOf(work), dest->FullRect(), work->FullRect(), Alpha)) {
    std::vector<Pixel>& below = dest->GetPixels();
    ReadPixelsInto(work, false, resampleSource);
    BlendPixels(resampleSource.data(), below.data(), below.size(), Alpha);
    dest->SetPixels(below);
  }
  BitBlt(DestDC, DestRect.left, DestRect.top, w, h, DCOf(dest), 0, 0, SRCCOPY);
}

void AlphaBlendBitmapTo(HDC DestDC, TBitmap* Bitmap, const TRect& DestRect, const TRect& SrcRect, bool Stretch,
                        Byte Alpha) {
  BlendDCRect(DestDC, DCOf(Bitmap), DestRect, SrcRect, Stretch, Alpha);
}

void AlphaBlendDCTo(HDC DestDC, HDC SrcDC, const TRect& DestRect, const TRect& SrcRect, bool Stretch, Byte Alpha) {
  BlendDCRect(DestDC, SrcDC, DestRect, SrcRect, Stretch, Alpha);
}

void ResampleBitmap(TBitmap* Source, TBitmap* Dest, bool Force) {
  if (Source->Empty() || Dest->Empty()) return;
  if (!Force) {
    HDC dc = DCOf(Dest);
    const int previous = SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, 0, 0, Dest->Width(), Dest->Height(), DCOf(Source), 0, 0, Source->Width(), Source->Height(), SRCCOPY);
    SetStretchBltMode(dc, previous);
    return;
  }
  ReadPixelsInto(Source, true, resampleSource);
  resampleTarget.resize(size_t(Dest->Width()) * Dest->Height());
  ResampleLanczos3(resampleSource.data(), Source->Width(), Source->Height(), resampleTarget.data(), Dest->Width(),
                   Dest->Height(), lanczos);
  WritePixelsFrom(Dest, resampleTarget, true);
}

void ProcessDCRectThroughBitmap(HDC DC, const TRect& R, TColor Color1, TColor Color2, int CellSize, Byte Alpha1,
                                Byte Alpha2) {
  TcxBitmap bitmap(RectWidthOf(R), RectHeightOf(R));
  CaptureInto(&bitmap, DC, R);
  bitmap.SetChecker(Color1, Color2, CellSize, Alpha1, Alpha2);
  BitBlt(DC, R.left, R.top, RectWidthOf(R), RectHeightOf(R), DCOf(&bitmap), 0, 0, SRCCOPY);
}

void MakeAlphaGlyph(TBitmap* Source, TBitmap* Dest) {
  const int w = Source->Width(), h = Source->Height();
  TcxBitmap a(w, h), b(w, h);
  BitBlt(DCOf(&a), 0, 0, w, h, DCOf(Source), 0, 0, SRCCOPY);
  a.MakeOpaque();
  BitBlt(DCOf(&b), 0, 0, w, h, DCOf(Source), 0, 0, SRCCOPY);
  b.AddTransparentColor(Source->TransparentColor());
  b.ApplyPixelOperation(poMask);
  a.MaskWith(&b);
  Dest->Assign(&a);
}

void BlendFadeFrame(TBitmap* Target, TBitmap* From, TBitmap* To, Byte Alpha) {
  const TRect full{0, 0, Target->Width(), Target->Height()};
  if (Bound().AlphaBlend.Get()) {
    BitBlt(DCOf(Target), 0, 0, full.right, full.bottom, DCOf(From), 0, 0, SRCCOPY);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, Alpha, 0};
    Bound().AlphaBlend.Get()(DCOf(Target), 0, 0, full.right, full.bottom, DCOf(To), 0, 0, To->Width(), To->Height(),
                             blend);
    return;
  }
  const int depth = ScreenColorDepth();
  if (depth < 16) {
    BitBlt(DCOf(Target), 0, 0, full.right, full.bottom, DCOf(To), 0, 0, SRCCOPY);
    return;
  }
  std::vector<Pixel> from, to, target;
  ReadPixelsInto(From, true, from);
  ReadPixelsInto(To, true, to);
  target.resize(from.size());
  if (to.size() != from.size()) return;
  FadeBytes(reinterpret_cast<const std::uint8_t*>(from.data()), reinterpret_cast<const std::uint8_t*>(to.data()),
            reinterpret_cast<std::uint8_t*>(target.data()), target.size() * 4, Alpha);
  WritePixelsFrom(Target, target, true);
}

void RotateBitmapPixels(TBitmap* Bitmap, int Rotation, bool Mirror) {
  std::vector<Pixel> source, rotated;
  ReadPixelsInto(Bitmap, true, source);
  int w = 0, h = 0;
  if (!RotatePixels(source.data(), Bitmap->Width(), Bitmap->Height(), Rotation, Mirror, rotated, w, h)) return;
  if (w != Bitmap->Width()) Bitmap->SetSize(w, h);
  WritePixelsFrom(Bitmap, rotated, true);
}

void ShadowGlyph(TBitmap* Bitmap, TBitmap* Source, int Offset, TColor Color, bool Grow) {
  const int w = Source->Width(), h = Source->Height();
  TcxBitmap& t = *ScratchBitmap(7, w + 2 * Offset, h + 2 * Offset);
  t.KeyColor = 0xFFFFFFFF;
  t.ClearToBlack();
  BitBlt(DCOf(&t), Offset, Offset, w, h, DCOf(Source), 0, 0, SRCCOPY);
  t.Canvas()->Brush()->SetColor(Color);
  t.Canvas()->FillRect({0, 0, 0, 0});  // selects the brush
  BitBlt(DCOf(&t), Offset, Offset, t.Width(), t.Height(), DCOf(&t), 0, 0, kRopShadow);
  t.KeyColor = 0;
  t.ApplyPixelOperation(poFillAlpha);
  TcxBitmap& u = *ScratchBitmap(8, Bitmap->Width() + Offset, Bitmap->Height() + Offset);
  u.ClearToBlack();
  BitBlt(DCOf(&u), 0, 0, Bitmap->Width(), Bitmap->Height(), DCOf(Bitmap), 0, 0, SRCCOPY);
  BitBlt(DCOf(&u), 0, 0, u.Width(), u.Height(), DCOf(&t), Offset, Offset, SRCPAINT);
  if (Grow) Bitmap->SetSize(u.Width(), u.Height());
  BitBlt(DCOf(Bitmap), 0, 0, Bitmap->Width(), Bitmap->Height(), DCOf(&u), 0, 0, SRCCOPY);
  Bitmap->SetModified(true);
}

// ---- the glyph painter ------------------------------------------------------------------------

TcxGlyphPaintHook GlyphPaintHook = nullptr;

namespace {

// The image and mask of one cell of a system image list.
void CopyImageListCell(TCustomImageList* Images, int Index, TcxBitmap* Image, TcxBitmap* Mask) {
  if (auto* list = dynamic_cast<TcxImageList*>(Images)) return list->GetImage(Index, Image, Mask);
  IMAGEINFO info{};
  if (!ImageList_GetImageInfo(Images->Handle(), Index, &info)) return;
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(memory, info.hbmImage);
  if (Image)
    BitBlt(DCOf(Image), 0, 0, Image->Width(), Image->Height(), memory, info.rcImage.left, info.rcImage.top, SRCCOPY);
  if (Mask && info.hbmMask) {
    SelectObject(memory, info.hbmMask);
    BitBlt(DCOf(Mask), 0, 0, Mask->Width(), Mask->Height(), memory, info.rcImage.left, info.rcImage.top, SRCCOPY);
  }
  SelectObject(memory, old);
  DeleteDC(memory);
}

int ImageListBits(TCustomImageList* Images) {
  IMAGEINFO info{};
  BITMAP bm{};
  if (!ImageList_GetImageInfo(Images->Handle(), 0, &info) || !GetObjectW(info.hbmImage, sizeof(bm), &bm)) return 0;
  return bm.bmBitsPixel;
}

}  // namespace

bool ImageIndexValid(TCustomImageList* List, int Index) { return List && Index >= 0 && Index < List->Count(); }

void PaintImageOrGlyph(HDC DC, const TRect& GlyphRect, const TRect& DestRect, TBitmap* Glyph,
                       TCustomImageList* Images, int ImageIndex, TcxGlyphPaintMode Mode, bool Stretch,
                       HBRUSH BackBrush, TColor BackColor, bool Transparent) {
  const bool useGlyph = GlyphHasImage(Glyph);
  if ((!useGlyph && !ImageIndexValid(Images, ImageIndex)) || RectHasNoArea(DestRect)) return;
  TcxBitmap* back = ScratchBitmap(0, RectWidthOf(DestRect), RectHeightOf(DestRect));
  if (BackBrush) {
    const TRect full = back->FullRect();
    FillRect(DCOf(back), &full, BackBrush);
  } else {
    BitBlt(DCOf(back), 0, 0, back->Width(), back->Height(), DC, DestRect.left, DestRect.top, SRCCOPY);
  }
  TRect glyphRect = OffsetRectBy(GlyphRect, -DestRect.left, -DestRect.top);
  if (GlyphPaintHook && GlyphPaintHook(back->cxCanvas(), Images, ImageIndex, Mode, glyphRect, Glyph)) {
    BitBlt(DC, DestRect.left, DestRect.top, back->Width(), back->Height(), DCOf(back), 0, 0, SRCCOPY);
    return;
  }
  const int w = useGlyph ? Glyph->Width() : Images->Width();
  const int h = useGlyph ? Glyph->Height() : Images->Height();
  TcxBitmap* a = ScratchBitmap(1, w, h);
  if (useGlyph)
    BitBlt(DCOf(a), 0, 0, w, h, DCOf(Glyph), 0, 0, SRCCOPY);
  else
    CopyImageListCell(Images, ImageIndex, a, nullptr);
  const bool alphaFormat = useGlyph ? (Glyph->PixelFormat() == pf32bit ||
                                       (Glyph->PixelFormat() == pfDevice && DisplayDepth() == 32))
                                    : ImageListBits(Images) == 32;
  const bool hasAlpha = alphaFormat && a->HasAlpha();
  if (!hasAlpha) a->MakeOpaque();

  TcxBitmap* b = ScratchBitmap(2, w, h);
  BitBlt(DCOf(b), 0, 0, w, h, DCOf(a), 0, 0, SRCCOPY);
  if (!hasAlpha) {
    if (!useGlyph) {
      TcxBitmap* mask = ScratchBitmap(6, w, h);
      CopyImageListCell(Images, ImageIndex, nullptr, mask);
      mask->ApplyPixelOperation(poFillAlpha);
      b->MaskWith(mask);
    }
    if (BackColor != clNone) b->AddTransparentColor(BackColor);
    if (Transparent && useGlyph) b->AddTransparentColor(Glyph->TransparentColor());
  }
  b->ApplyPixelOperation(poMask);
  a->MaskWith(b);

  Byte alpha = 255;
  switch (Mode) {
    case gpmDisabled:
      if (hasAlpha) {
        a->ApplyPixelOperation(poGrayBright);
        alpha = 151;
      } else {
        a->ApplyPixelOperation(poDisable);
        ShadowGlyph(a, b, 1, clBtnHighlight, false);
      }
      break;
    case gpmFaded:
      a->ApplyPixelOperation(poGrayStandard);
      alpha = 64;
      break;
    case gpmGray: a->ApplyPixelOperation(poGrayAverage); break;
    case gpmLight: a->ApplyPixelOperation(poLighten); break;
    case gpmShadowed:
      ShadowGlyph(a, b, 2, clBtnShadow, true);
      glyphRect = OffsetRectBy(InflateRectSides(glyphRect, 0, 0, 2, 2), -1, -1);
      break;
    case gpmNormal: break;
  }
  AlphaBlendBitmapTo(DCOf(back), a, glyphRect, a->FullRect(), Stretch, alpha);
  const bool palette = DisplayDepth() <= 8;
  HPALETTE oldPalette = nullptr;
  if (palette && back->Palette()) {
    oldPalette = SelectPalette(DC, back->Palette(), TRUE);
    RealizePalette(DC);
  }
  BitBlt(DC, DestRect.left, DestRect.top, back->Width(), back->Height(), DCOf(back), 0, 0, SRCCOPY);
  if (oldPalette) SelectPalette(DC, oldPalette, TRUE);
}

// ---- drawing routines -------------------------------------------------------------------------

void DrawHatchedMarker(TcxCanvas* Canvas, const TRect& R, int Kind) {
  if (RectHasNoArea(R)) return;
  const TColor color = Kind == 0 ? TColor(0x00A0FFA0) : TColor(0x009090FF);
  Canvas->PushState();
  Canvas->ClipToRect(R);
  Canvas->FillAreaWithColor(R, color);
  Canvas->CurrentPen()->SetColor(DarkenColorPercent(color, 75));
  // Lines every 3 pixels from the top edge down to the right edge, enough to cover the rectangle
  // wherever it lies.
  const int lines = (RectWidthOf(R) + RectHeightOf(R)) / 3 + 1;
  for (int i = 1; i <= lines; ++i) {
    Canvas->MovePenTo(R.right - 3 * i, R.top);
    Canvas->LineToPoint(R.right, R.top + 3 * i);
  }
  Canvas->DrawFrameBorders(R, DarkenColorPercent(color, 50), 1);
  Canvas->PopState();
  Canvas->SubtractFromClip(R);
  const TRect shadow = OffsetRectBy(R, 1, 1);
  Canvas->FillAreaWithColor(shadow, clBtnShadow);
  Canvas->SubtractFromClip(shadow);
}

void DrawControlParentBackground(TWinControl* Control, TcxCanvas* Canvas, const TRect& R, bool PaintChildren) {
  TWinControl* parent = Control->Parent();
  if (!parent || !parent->HandleAllocated()) return;
  HDC dc = Canvas->DCHandle();
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, R.left, R.top, R.right, R.bottom);
  RECT clip;
  if (GetClipBox(dc, &clip) != NULLREGION) {
    POINT origin;
    GetWindowOrgEx(dc, &origin);
    SetWindowOrgEx(dc, origin.x + Control->Left(), origin.y + Control->Top(), nullptr);
    HWND window = parent->Handle();
    const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    RECT client;
    GetClientRect(window, &client);
    if (exStyle & WS_EX_CLIENTEDGE) {
      DrawEdge(dc, &client, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
      IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
    } else if (style & WS_BORDER) {
      DrawEdge(dc, &client, BDR_RAISEDOUTER | BDR_SUNKENOUTER, BF_RECT | BF_ADJUST | BF_MONO);
      IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
    }
    Canvas->Canvas()->Lock();
    SendMessageW(window, WM_ERASEBKGND, WPARAM(dc), 0);
    SendMessageW(window, WM_PAINT, WPARAM(dc), 0);
    if (PaintChildren) {
      for (int i = 0; i < parent->ControlCount(); ++i) {
        auto* child = dynamic_cast<TWinControl*>(parent->Controls(i));
        if (child == Control) break;
        if (!child || !child->Visible() || !child->HandleAllocated()) continue;
        const int childSaved = SaveDC(dc);
        POINT childOrigin;
        GetWindowOrgEx(dc, &childOrigin);
        SetWindowOrgEx(dc, childOrigin.x - child->Left(), childOrigin.y - child->Top(), nullptr);
        IntersectClipRect(dc, 0, 0, child->Width(), child->Height());
        SendMessageW(child->Handle(), WM_ERASEBKGND, WPARAM(dc), 0);
        SendMessageW(child->Handle(), WM_PAINT, WPARAM(dc), 0);
        RestoreDC(dc, childSaved);
      }
    }
    Canvas->Canvas()->Unlock();
  }
  RestoreDC(dc, saved);
}

void SwapImageListLink(TCustomImageList* NewList, TCustomImageList*& Field, TChangeLink* ChangeLink, TComponent* Owner) {
  if (NewList == Field) return;
  if (Field) {
    if (Owner) Field->RemoveFreeNotification(Owner);
    if (ChangeLink) Field->UnRegisterChanges(ChangeLink);
  }
  Field = NewList;
  if (NewList) {
    if (Owner) NewList->FreeNotification(Owner);
    if (ChangeLink) NewList->RegisterChanges(ChangeLink);
  }
  if (ChangeLink) ChangeLink->Change();
}

int SizeGripBandHeight() {
  const int scroll = Bound().GetSystemMetrics(SM_CYHSCROLL);
  const int size = Bound().GetSystemMetrics(SM_CYSIZE);
  return scroll + 2 < size ? size + 1 : scroll + 3;
}

int SizeGripCornerFor(const TRect& OwnerRect, const TRect& DropDownRect) {
  static const int corners[] = {0, 2, 1, 3};
  return corners[(OwnerRect.bottom < DropDownRect.bottom ? 1 : 0) + 2 * (OwnerRect.left < DropDownRect.right ? 1 : 0)];
}

int HitTestCodeForCorner(int Corner) {
  static const int codes[] = {HTTOPLEFT, HTTOPRIGHT, HTBOTTOMLEFT, HTBOTTOMRIGHT};
  return codes[Corner & 3];
}

void PaintCornerSizeGrip(HDC DC, TRect& R, int Corner) {
  const int w = Bound().GetSystemMetrics(SM_CXVSCROLL), h = Bound().GetSystemMetrics(SM_CYHSCROLL);
  const bool right = Corner == 1 || Corner == 3, bottom = Corner == 2 || Corner == 3;
  R = right ? RectWithRightAt(R, R.right, w) : RectWithWidth(R, w);
  R = bottom ? RectWithBottomAt(R, R.bottom, h) : RectWithHeight(R, h);
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  TRect strip = right ? RectWithRightAt(R, R.right, 2) : RectWithWidth(R, 2);
  FillRect(DC, &strip, face);
  R = right ? InflateRectSides(R, 0, 0, -2, 0) : InflateRectSides(R, -2, 0, 0, 0);
  strip = bottom ? RectWithBottomAt(R, R.bottom, 2) : RectWithHeight(R, 2);
  FillRect(DC, &strip, face);
  R = bottom ? InflateRectSides(R, 0, 0, 0, -2) : InflateRectSides(R, 0, -2, 0, 0);
  const int gw = RectWidthOf(R), gh = RectHeightOf(R);
  if (gw <= 0 || gh <= 0) return;
  HDC memory = CreateCompatibleDC(DC);
  HBITMAP bitmap = CreateCompatibleBitmap(DC, gw, gh);
  HGDIOBJ old = SelectObject(memory, bitmap);
  RECT grip{0, 0, gw, gh};
  DrawFrameControl(memory, &grip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
  // The grip's lines point into the bottom-right corner: mirror them into the asked one.
  StretchBlt(DC, right ? R.left : R.right - 1, bottom ? R.top : R.bottom - 1, right ? gw : -gw, bottom ? gh : -gh, memory,
             0, 0, gw, gh, SRCCOPY);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
}

HBRUSH SystemColorBrush(int Index) { return Index >= 0 && Index <= 30 ? GetSysColorBrush(Index) : nullptr; }

TBitmap* CheckerPatternBitmap() {
  if (!checkerBitmap) {
    const WORD rows[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
    checkerBitmap = new TBitmap;
    checkerBitmap->SetHandle(CreateBitmap(8, 8, 1, 1, rows));
  }
  return checkerBitmap;
}

HBRUSH CheckerPatternBrush() {
  if (!checkerBrush) {
    const WORD rows[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
    HBITMAP pattern = CreateBitmap(8, 8, 1, 1, rows);
    checkerBrush = CreatePatternBrush(pattern);
    DeleteObject(pattern);
  }
  return checkerBrush;
}
