#include "ui/extras/png/PngObject.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/classes/Stream.h"
#include "platform/framework/classes/UnitLifecycle.h"
#include "ui/extras/png/PngDibFrame.h"
#include "ui/extras/png/PngDraw.h"
#include "ui/extras/png/PngExceptions.h"
#include "ui/extras/png/PngHeaderChunk.h"
#include "ui/extras/png/PngPaletteChunks.h"
#include "ui/extras/png/PngStreamAdapter.h"

DEFINE_CLASS(TPNGObject)

namespace {

void StartPngUnit() { RegisterFileFormat(L"png", L"Portable Network Graphics", &TPNGObject::ClassInfo()); }
void EndPngUnit() { UnregisterGraphicClass(&TPNGObject::ClassInfo()); }
const TUnitRegistration pngUnit(&StartPngUnit, &EndPngUnit);

TPixelFormat PixelFormatOfDepth(int bitsPerPixel) {
  switch (bitsPerPixel) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 24: return pf24bit;
    default: return pf32bit;
  }
}

// Stores a 1-, 4- or 8-bit sample at x of a frame row, most significant bits first.
void StoreSample(Byte* row, int x, int depth, unsigned sample) {
  const unsigned mask = (1u << depth) - 1;
  const int bit = x * depth;
  const int shift = 8 - depth - (bit & 7);
  Byte& b = row[bit >> 3];
  b = Byte((b & ~(mask << shift)) | ((sample & mask) << shift));
}

}  // namespace

TPNGObject::~TPNGObject() { DeletePaletteHandle(); }

void TPNGObject::SetWidth(int) { RaisePng<EPngError>(EPngCannotResizeText); }
void TPNGObject::SetHeight(int) { RaisePng<EPngError>(EPngCannotResizeText); }

bool TPNGObject::HasFrame() const { return HasHeader() && HeaderChunk().HasFrame(); }

void TPNGObject::DeletePaletteHandle() {
  if (paletteHandle_) DeleteObject(paletteHandle_);
  paletteHandle_ = nullptr;
}

std::unique_ptr<IPngFrame> TPNGObject::CreateFrame(const TPngFrameLayout& layout) {
  return std::make_unique<TPngDibFrame>(layout);
}

void TPNGObject::Changed(TObject* Sender) {
  const bool transparent = HasFrame() && TransparencyKind() != trNone;
  // Setting the flag reports the change itself (and comes back here with the flag in step).
  if (transparent != Transparent()) return TGraphic::SetTransparent(transparent);
  TGraphic::Changed(Sender);
}

// ---- streams ----------------------------------------------------------------------------------

void TPNGObject::LoadFromStream(TStream& Stream) {
  TPngStreamAdapter adapter(Stream);
  try {
    TPngImageCore::LoadFromStream(adapter);
  } catch (...) {
    // What was read before the failure stays, so observers hear of it.
    Changed(this);
    throw;
  }
  Changed(this);
}

void TPNGObject::SaveToStream(TStream& Stream) {
  TPngStreamAdapter adapter(Stream);
  TPngImageCore::SaveToStream(adapter);
}

// ---- assignment -------------------------------------------------------------------------------

void TPNGObject::Assign(TPersistent* Source) {
  if (auto* png = dynamic_cast<TPNGObject*>(Source)) {
    AssignImage(*png);
    return Changed(this);
  }
  if (auto* bitmap = dynamic_cast<TBitmap*>(Source)) {
    const bool transparent = bitmap->Transparent();
    const TColor key = ColorToRGB(bitmap->TransparentColor());
    return AssignFromBitmapHandle(bitmap->Handle(), transparent, key);
  }
  TGraphic::Assign(Source);
}

void TPNGObject::AssignFromBitmapHandle(HBITMAP Bitmap, bool Transparent, TColor KeyColor) {
  BITMAP bm{};
  if (!Bitmap || !GetObjectW(Bitmap, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight == 0) {
    DropAllChunks();
    return Changed(this);
  }
  const Cardinal width = Cardinal(bm.bmWidth);
  const Cardinal height = Cardinal(std::abs(bm.bmHeight));
  const bool indexed = bm.bmBitsPixel < 16;
  try {
    BuildEmptyImage(indexed ? 3 : 2, indexed ? Byte(bm.bmBitsPixel) : 8, width, height);
    TChunkIHDR& header = HeaderChunk();
    TPngFrameInfo info = MakeFrameInfo(header.FrameLayout());
    HDC dc = CreateCompatibleDC(nullptr);
    GetDIBits(dc, Bitmap, 0, UINT(height), header.FrameBits(), info.Get(), DIB_RGB_COLORS);
    DeleteDC(dc);
    if (indexed) std::copy_n(info.bmiColors, PngColorTableSize, header.ColorTable());
    if (Transparent) ChunkList().AddChunkOfClass<TChunktRNS>()->SetTransparentColor(TPngColor(ColorToRGB(KeyColor)));
  } catch (...) {
    // No half-built image stays behind.
    DropAllChunks();
    Changed(this);
    throw;
  }
  Changed(this);
}

void TPNGObject::AssignTo(TPersistent* Dest) {
  if (auto* png = dynamic_cast<TPNGObject*>(Dest)) return png->Assign(this);
  auto* bitmap = dynamic_cast<TBitmap*>(Dest);
  if (!bitmap || !HasFrame()) return TGraphic::AssignTo(Dest);
  const TChunkIHDR& header = HeaderChunk();
  const TPngFrameLayout& layout = header.FrameLayout();
  // The bitmap takes the frame's own format and colour table, so no colour is mapped.
  bitmap->SetSize(0, 0);
  bitmap->SetPixelFormat(PixelFormatOfDepth(layout.BitsPerPixel));
  if (layout.HasColorTable) {
    std::vector<RGBQUAD> colors(std::size_t(1) << layout.BitsPerPixel);
    const TPngRgbQuad* table = header.ColorTable();
    for (std::size_t i = 0; i < colors.size(); ++i)
      colors[i] = {table[i].rgbBlue, table[i].rgbGreen, table[i].rgbRed, 0};
    bitmap->SetColorTable(colors);
  }
  bitmap->SetSize(int(header.Width), int(header.Height));
  const std::size_t bytes = std::min<std::size_t>(header.RowStride(), std::size_t(bitmap->RowStride()));
  for (Cardinal y = 0; y < header.Height; ++y) std::memcpy(bitmap->ScanLine(int(y)), header.PixelRow(y), bytes);
  if (TransparencyKind() == trColorKey) {
    bitmap->SetTransparentColor(TColor(KeyColor()));
    bitmap->SetTransparent(true);
  }
}

void TPNGObject::AddAlphaChannel() {
  TPngImageCore::AddAlphaChannel();
  Changed(this);
}

// ---- drawing and pixels -----------------------------------------------------------------------

void TPNGObject::Draw(TCanvas* ACanvas, const TRect& Rect) {
  if (!HasFrame()) return;
  HDC dc = ACanvas->Handle();
  const TChunkIHDR& header = HeaderChunk();
  switch (TransparencyKind()) {
    case trColorKey: return DrawPngColorKeyed(dc, header, COLORREF(ColorToRGB(TColor(KeyColor()))), Rect);
    case trAlpha: return DrawPngAlphaBlended(dc, *this, Rect);
    default: return DrawPngStretched(dc, header, Rect);
  }
}

void TPNGObject::SetPixelColor(int X, int Y, TColor Value) {
  if (!HasFrame() || X < 0 || Y < 0 || X >= Width() || Y >= Height()) return;
  TChunkIHDR& header = HeaderChunk();
  Byte* row = header.PixelRow(Cardinal(Y));
  const COLORREF rgb = COLORREF(ColorToRGB(Value));
  switch (header.ColorType) {
    case 0:
    case 3: {
      const UINT index = GetNearestPaletteIndex(Palette(), rgb);
      if (index == CLR_INVALID) return;
      StoreSample(row, X, header.FrameLayout().BitsPerPixel, index);
      break;
    }
    case 4: row[X] = GetRValue(rgb); break;
    default:
      row[3 * X] = GetBValue(rgb);
      row[3 * X + 1] = GetGValue(rgb);
      row[3 * X + 2] = GetRValue(rgb);
      break;
  }
  Changed(this);
}

HPALETTE TPNGObject::Palette() {
  const TChunkIHDR& header = HeaderChunk();
  if ((header.ColorType != 0 && header.ColorType != 3) || !header.ColorTable()) return nullptr;
  if (!paletteHandle_) {
    struct {
      WORD palVersion;
      WORD palNumEntries;
      PALETTEENTRY palPalEntry[PngColorTableSize];
    } logical{0x300, PngColorTableSize, {}};
    static_assert(offsetof(decltype(logical), palPalEntry) == offsetof(LOGPALETTE, palPalEntry));
    const TPngRgbQuad* table = header.ColorTable();
    for (int i = 0; i < PngColorTableSize; ++i)
      logical.palPalEntry[i] = {table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
    paletteHandle_ = CreatePalette(reinterpret_cast<const LOGPALETTE*>(&logical));
  }
  return paletteHandle_;
}

void TPNGObject::SetPalette(HPALETTE Value) {
  const TChunkIHDR& header = HeaderChunk();
  TPngRgbQuad* table = header.ColorTable();
  if ((header.ColorType != 0 && header.ColorType != 3) || !table) return;
  PALETTEENTRY entries[PngColorTableSize];
  const UINT count = Value ? GetPaletteEntries(Value, 0, PngColorTableSize, entries) : 0;
  for (UINT i = 0; i < count; ++i) table[i] = {entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
  DeletePaletteHandle();
  Changed(this);
}

// ---- clipboard --------------------------------------------------------------------------------

void TPNGObject::LoadFromClipboardFormat(UINT Format, HANDLE Data, HPALETTE Palette) {
  TBitmap bitmap;
  bitmap.LoadFromClipboardFormat(Format, Data, Palette);
  AssignFromBitmapHandle(bitmap.Handle(), false, 0);
}

void TPNGObject::SaveToClipboardFormat(UINT& Format, HANDLE& Data, HPALETTE& Palette) {
  TBitmap bitmap;
  bitmap.SetSize(Width(), Height());
  bitmap.Canvas()->StretchDraw(Rect(0, 0, Width(), Height()), this);
  bitmap.SaveToClipboardFormat(Format, Data, Palette);
}
