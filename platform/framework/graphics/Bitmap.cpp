#include "platform/framework/graphics/Bitmap.h"

#include <bit>
#include <cstring>
#include <limits>

#include "platform/framework/classes/Stream.h"
#include "platform/framework/rtl/SysUtils.h"

DEFINE_CLASS(TBitmapCanvas)
DEFINE_CLASS(TBitmap)

static_assert(sizeof(BITMAPFILEHEADER) == 14);
static_assert(sizeof(BITMAPINFOHEADER) == 40);
static_assert(sizeof(BITMAPV5HEADER) == 124);
static_assert(sizeof(RGBQUAD) == 4);

namespace {

[[noreturn]] void InvalidBitmap() { throw EInvalidGraphic(L"Bitmap image is not valid"); }

// Pictures larger than this many pixels are refused before anything is allocated.
constexpr Int64 kMaxPixels = Int64{1} << 28;

int BitsOf(TPixelFormat format) {
  switch (format) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf24bit: return 24;
    default: return 32;
  }
}

int StrideOf(int width, int bits) { return ((width * bits + 31) / 32) * 4; }

Word ReadU16(const Byte* p) { return Word(p[0] | (p[1] << 8)); }
std::uint32_t ReadU32(const Byte* p) {
  return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}

// A BITMAPINFO with room for a full 8-bit colour table.
struct DibInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colors[256];
};

DibInfo MakeDibInfo(int width, int height, int bits, const std::vector<RGBQUAD>& colors) {
  DibInfo info{};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = width;
  info.header.biHeight = height;
  info.header.biPlanes = 1;
  info.header.biBitCount = Word(bits);
  info.header.biCompression = BI_RGB;
  info.header.biSizeImage = DWORD(StrideOf(width, bits)) * DWORD(height);
  info.header.biClrUsed = DWORD(colors.size());
  std::copy(colors.begin(), colors.end(), info.colors);
  return info;
}

// One channel of a bit-field pixel, scaled to 0..255.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  std::uint32_t max = 0;

  explicit Channel(std::uint32_t m) : mask(m) {
    if (!m) return;
    shift = std::countr_zero(m);
    max = m >> shift;
  }
  Byte From(std::uint32_t pixel, Byte absent) const {
    if (!mask) return absent;
    std::uint32_t value = (pixel & mask) >> shift;
    return Byte((std::uint64_t(value) * 255 + max / 2) / max);
  }
};

}  // namespace

std::vector<RGBQUAD> DefaultColorTable(TPixelFormat Format) {
  static constexpr RGBQUAD vga[16] = {
      {0, 0, 0, 0},       {0, 0, 0x80, 0},    {0, 0x80, 0, 0},    {0, 0x80, 0x80, 0},
      {0x80, 0, 0, 0},    {0x80, 0, 0x80, 0}, {0x80, 0x80, 0, 0}, {0xC0, 0xC0, 0xC0, 0},
      {0x80, 0x80, 0x80, 0}, {0, 0, 0xFF, 0},  {0, 0xFF, 0, 0},    {0, 0xFF, 0xFF, 0},
      {0xFF, 0, 0, 0},    {0xFF, 0, 0xFF, 0}, {0xFF, 0xFF, 0, 0}, {0xFF, 0xFF, 0xFF, 0}};
  std::vector<RGBQUAD> colors;
  switch (Format) {
    case pf1bit:
      colors = {{0, 0, 0, 0}, {0xFF, 0xFF, 0xFF, 0}};
      break;
    case pf4bit:
      colors.assign(std::begin(vga), std::end(vga));
      break;
    case pf8bit:
      colors.assign(std::begin(vga), std::end(vga));
      for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
          for (int b = 0; b < 6; ++b) colors.push_back({Byte(b * 51), Byte(g * 51), Byte(r * 51), 0});
      for (int i = 1; colors.size() < 256; ++i) {
        Byte v = Byte(i * 255 / 25);
        colors.push_back({v, v, v, 0});
      }
      break;
    default:
      break;
  }
  return colors;
}

// ---- TBitmapCanvas ----------------------------------------------------------------------------

TBitmapCanvas::~TBitmapCanvas() { FreeContext(); }

void TBitmapCanvas::CreateHandle() {
  bitmap_->EnsureHandle();
  if (!bitmap_->handle_) throw EInvalidGraphicOperation(L"Cannot draw on an empty bitmap");
  dc_ = CreateCompatibleDC(nullptr);
  if (!dc_) throw EOutOfResources(L"Out of system resources");
  oldBitmap_ = SelectObject(dc_, bitmap_->handle_);
  SetHandle(dc_);
}

void TBitmapCanvas::FreeContext() {
  if (!dc_) return;
  SetHandle(nullptr);
  SelectObject(dc_, oldBitmap_);
  DeleteDC(dc_);
  dc_ = nullptr;
}

// ---- TBitmap: storage -------------------------------------------------------------------------

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int AWidth, int AHeight, TPixelFormat Format) : format_(Format) {
  colors_ = DefaultColorTable(Format);
  SetSize(AWidth, AHeight);
}

TBitmap::~TBitmap() {
  DestroyHandle();
  delete canvas_;
}

int TBitmap::BitsPerPixel() const { return BitsOf(format_); }
int TBitmap::RowStride() const { return StrideOf(width_, BitsOf(format_)); }

Byte* TBitmap::Row(int y) const { return bits_ + Int64(height_ - 1 - y) * RowStride(); }

void TBitmap::Allocate(int width, int height, TPixelFormat format, const std::vector<RGBQUAD>& colors) {
  DestroyHandle();
  dormant_.clear();
  width_ = width;
  height_ = height;
  format_ = format;
  colors_ = colors;
  if (Empty()) return;
  if (Int64(width) * height > kMaxPixels) throw EOutOfResources(L"Out of system resources");
  DibInfo info = MakeDibInfo(width, height, BitsOf(format), colors_);
  void* bits = nullptr;
  HBITMAP handle = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!handle) throw EOutOfResources(L"Out of system resources");
  handle_ = handle;
  bits_ = static_cast<Byte*>(bits);
}

void TBitmap::FreeMask() {
  if (maskDC_) {
    SelectObject(maskDC_, maskOld_);
    DeleteDC(maskDC_);
    maskDC_ = nullptr;
  }
  if (mask_) DeleteObject(mask_);
  mask_ = nullptr;
}

void TBitmap::DestroyHandle() {
  FreeMask();
  if (canvas_) canvas_->FreeContext();
  if (handle_) DeleteObject(handle_);
  handle_ = nullptr;
  bits_ = nullptr;
  if (palette_) DeleteObject(palette_);
  palette_ = nullptr;
}

void TBitmap::TakeStorage(TBitmap& other) {
  DestroyHandle();
  if (other.canvas_) other.canvas_->FreeContext();
  other.FreeMask();
  width_ = other.width_;
  height_ = other.height_;
  format_ = other.format_;
  colors_ = std::move(other.colors_);
  handle_ = std::exchange(other.handle_, nullptr);
  bits_ = std::exchange(other.bits_, nullptr);
  dormant_.clear();
  other.width_ = other.height_ = 0;
}

void TBitmap::EnsureHandle() {
  if (handle_ || Empty()) return;
  if (!dormant_.empty()) return RestoreFromDormant();
  Allocate(width_, height_, format_, colors_);
}

void TBitmap::RestoreFromDormant() {
  AnsiString image = std::move(dormant_);
  TPixelFormat format = format_;
  LoadBmp(reinterpret_cast<const Byte*>(image.data()), image.size(), true);
  format_ = format;
  // The copy stays until FreeImage, as the picture was handed back unchanged.
  dormant_ = std::move(image);
}

HBITMAP TBitmap::Handle() {
  // A bitmap selected into a DC cannot be selected into another: callers hand the handle to GDI
  // or the image list, so the canvas lets it go (and takes it again on its next drawing).
  if (canvas_) canvas_->FreeContext();
  EnsureHandle();
  return handle_;
}

void TBitmap::SetHandle(HBITMAP Value) {
  if (!Value) {
    Allocate(0, 0, format_, colors_);
    return Changed(this);
  }
  BITMAP bm{};
  if (!GetObjectW(Value, sizeof(bm), &bm)) InvalidBitmap();
  // Masks stay monochrome and 32-bit pictures keep their alpha bytes; other depths become 24 or 32 bits.
  const TPixelFormat format = bm.bmBitsPixel == 1 ? pf1bit : bm.bmBitsPixel == 24 ? pf24bit : pf32bit;
  TBitmap copy(bm.bmWidth, bm.bmHeight, format);
  DibInfo info = MakeDibInfo(bm.bmWidth, bm.bmHeight, BitsOf(format), copy.colors_);
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, Value, 0, UINT(bm.bmHeight), copy.bits_, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  DeleteObject(Value);
  TakeStorage(copy);
  Changed(this);
}

HBITMAP TBitmap::ReleaseHandle() {
  EnsureHandle();
  FreeMask();
  if (canvas_) canvas_->FreeContext();
  HBITMAP handle = std::exchange(handle_, nullptr);
  bits_ = nullptr;
  width_ = height_ = 0;
  dormant_.clear();
  return handle;
}

TCanvas* TBitmap::Canvas() {
  if (!canvas_) {
    canvas_ = new TBitmapCanvas(this);
    canvas_->OnChange = {this, &TBitmap::CanvasChanged};
  }
  return canvas_;
}

void TBitmap::CanvasChanged(TObject*) { Changed(this); }

void TBitmap::Changed(TObject* Sender) {
  FreeMask();
  TGraphic::Changed(Sender);
}

void* TBitmap::ScanLine(int Row) {
  EnsureHandle();
  if (Row < 0 || Row >= height_ || !bits_) throw EInvalidGraphicOperation(L"Scan line index out of range");
  GdiFlush();
  // The caller may change pixels: a mask made from the old ones is stale.
  FreeMask();
  dormant_.clear();
  return this->Row(Row);
}

void TBitmap::SetSize(int AWidth, int AHeight) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  if (AWidth == width_ && AHeight == height_) return;
  if (colors_.empty()) colors_ = DefaultColorTable(format_);
  TBitmap resized;
  resized.Allocate(AWidth, AHeight, format_, colors_);
  EnsureHandle();
  if (bits_ && resized.bits_) {
    GdiFlush();
    int rows = std::min(height_, AHeight);
    size_t bytes = size_t(std::min(RowStride(), resized.RowStride()));
    for (int y = 0; y < rows; ++y) std::memcpy(resized.Row(y), Row(y), bytes);
  }
  if (resized.Empty()) {
    DestroyHandle();
    dormant_.clear();
    width_ = AWidth;
    height_ = AHeight;
  } else {
    TakeStorage(resized);
  }
  Changed(this);
}

void TBitmap::SetPixelFormat(TPixelFormat Value) {
  if (Value == format_) return;
  EnsureHandle();
  if (BitsOf(Value) == BitsOf(format_)) {
    // pfDevice and pf32bit share their storage.
    format_ = Value;
    return Changed(this);
  }
  std::vector<RGBQUAD> colors = DefaultColorTable(Value);
  if (Empty()) {
    format_ = Value;
    colors_ = colors;
    return Changed(this);
  }
  TBitmap converted;
  converted.Allocate(width_, height_, Value, colors);
  BitBlt(converted.Canvas()->Handle(), 0, 0, width_, height_, Canvas()->Handle(), 0, 0, SRCCOPY);
  TakeStorage(converted);
  Changed(this);
}

void TBitmap::SetMonochrome(bool Value) {
  if (Value == Monochrome()) return;
  SetPixelFormat(Value ? pf1bit : pfDevice);
}

HPALETTE TBitmap::Palette() {
  if (BitsOf(format_) > 8) return nullptr;
  if (!palette_) {
    if (colors_.empty()) colors_ = DefaultColorTable(format_);
    struct {
      WORD version, count;
      PALETTEENTRY entries[256];
    } log{0x300, WORD(colors_.size()), {}};
    for (size_t i = 0; i < colors_.size(); ++i)
      log.entries[i] = {colors_[i].rgbRed, colors_[i].rgbGreen, colors_[i].rgbBlue, 0};
    palette_ = CreatePalette(reinterpret_cast<LOGPALETTE*>(&log));
  }
  return palette_;
}

void TBitmap::SetPalette(HPALETTE Value) {
  if (!Value || BitsOf(format_) > 8) return;
  PALETTEENTRY entries[256];
  UINT count = GetPaletteEntries(Value, 0, UINT(1) << BitsOf(format_), entries);
  std::vector<RGBQUAD> colors;
  for (UINT i = 0; i < count; ++i) colors.push_back({entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0});
  SetColorTable(colors);
}

void TBitmap::SetColorTable(const std::vector<RGBQUAD>& Colors) {
  if (BitsOf(format_) > 8) return;
  colors_ = Colors;
  colors_.resize(size_t(1) << BitsOf(format_), RGBQUAD{0, 0, 0, 0});
  if (palette_) DeleteObject(palette_);
  palette_ = nullptr;
  if (handle_) SetDIBColorTable(Canvas()->Handle(), 0, UINT(colors_.size()), colors_.data());
  Changed(this);
}

// ---- transparency and drawing -----------------------------------------------------------------

TColor TBitmap::PixelAt(int x, int y) const {
  GdiFlush();
  const Byte* row = Row(y);
  auto fromTable = [&](unsigned index) {
    if (index >= colors_.size()) return clBlack;
    const RGBQUAD& q = colors_[index];
    return RGBColor(q.rgbRed, q.rgbGreen, q.rgbBlue);
  };
  switch (BitsOf(format_)) {
    case 1: return fromTable((row[x / 8] >> (7 - x % 8)) & 1);
    case 4: return fromTable((row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF);
    case 8: return fromTable(row[x]);
    case 24: return RGBColor(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
    default: return RGBColor(row[x * 4 + 2], row[x * 4 + 1], row[x * 4]);
  }
}

TColor TBitmap::TransparentColor() {
  if (transparentMode_ == tmFixed) return transparentColor_;
  EnsureHandle();
  if (!bits_) return clDefault;
  return PixelAt(0, height_ - 1);
}

void TBitmap::SetTransparentColor(TColor Value) {
  transparentColor_ = Value;
  transparentMode_ = Value == clDefault ? tmAuto : tmFixed;
  Changed(this);
}

void TBitmap::SetTransparentMode(TTransparentMode Value) {
  if (Value == transparentMode_) return;
  if (Value == tmAuto) SetTransparentColor(clDefault);
  else SetTransparentColor(TransparentColor());
}

HDC TBitmap::TransparencyMask() {
  COLORREF key = COLORREF(ColorToRGB(TransparentColor()));
  if (maskDC_ && maskColor_ == key) return maskDC_;
  FreeMask();
  HDC source = Canvas()->Handle();
  mask_ = CreateBitmap(width_, height_, 1, 1, nullptr);
  maskDC_ = CreateCompatibleDC(nullptr);
  if (!mask_ || !maskDC_) {
    FreeMask();
    throw EOutOfResources(L"Out of system resources");
  }
  maskOld_ = SelectObject(maskDC_, mask_);
  // Colour to monochrome: pixels of the background colour become 1.
  COLORREF oldBack = SetBkColor(source, key);
  BitBlt(maskDC_, 0, 0, width_, height_, source, 0, 0, SRCCOPY);
  SetBkColor(source, oldBack);
  maskColor_ = key;
  return maskDC_;
}

void TBitmap::Draw(TCanvas* ACanvas, const TRect& Rect) {
  EnsureHandle();
  if (Empty()) return;
  HDC target = ACanvas->Handle();
  HDC source = Canvas()->Handle();
  const int w = Rect.Width(), h = Rect.Height();
  if (!Transparent()) {
    StretchBlt(target, Rect.left, Rect.top, w, h, source, 0, 0, width_, height_, ACanvas->CopyMode);
    return;
  }
  HDC mask = TransparencyMask();
  // target ^ source, cleared where opaque, ^ source again: opaque pixels become the source's,
  // transparent ones keep the target's.
  COLORREF oldText = SetTextColor(target, RGB(0, 0, 0));
  COLORREF oldBack = SetBkColor(target, RGB(255, 255, 255));
  int oldMode = SetStretchBltMode(target, COLORONCOLOR);
  StretchBlt(target, Rect.left, Rect.top, w, h, source, 0, 0, width_, height_, SRCINVERT);
  StretchBlt(target, Rect.left, Rect.top, w, h, mask, 0, 0, width_, height_, SRCAND);
  StretchBlt(target, Rect.left, Rect.top, w, h, source, 0, 0, width_, height_, SRCINVERT);
  SetStretchBltMode(target, oldMode);
  SetTextColor(target, oldText);
  SetBkColor(target, oldBack);
}

void TBitmap::Dormant() {
  if (!handle_) return;
  TStringStream image;
  SaveToStream(image);
  TPixelFormat format = format_;
  DestroyHandle();
  dormant_ = image.DataString();
  format_ = format;
}

void TBitmap::FreeImage() {
  if (handle_) dormant_.clear();
}

void TBitmap::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TBitmap*>(Source);
  if (!source) return TGraphic::Assign(Source);
  if (source == this) return;
  source->EnsureHandle();
  TBitmap copy;
  copy.Allocate(source->width_, source->height_, source->format_, source->colors_);
  if (source->bits_ && copy.bits_) {
    GdiFlush();
    std::memcpy(copy.bits_, source->bits_, size_t(source->RowStride()) * size_t(source->height_));
  }
  TakeStorage(copy);
  width_ = source->width_;
  height_ = source->height_;
  transparentColor_ = source->transparentColor_;
  transparentMode_ = source->transparentMode_;
  TGraphic::SetTransparent(source->Transparent());
  Changed(this);
}

// ---- BMP format -------------------------------------------------------------------------------

size_t TBitmap::LoadBmp(const Byte* data, size_t size, bool hasFileHeader) {
  size_t pos = 0;
  Int64 pixelOffset = -1;
  if (hasFileHeader) {
    if (size < 14 || data[0] != 'B' || data[1] != 'M') InvalidBitmap();
    pixelOffset = ReadU32(data + 10);
    pos = 14;
  }
  if (size - pos < 12) InvalidBitmap();
  const Byte* header = data + pos;
  const std::uint32_t headerSize = ReadU32(header);
  int width, height, bits;
  std::uint32_t compression = BI_RGB, colorsUsed = 0;
  std::uint32_t masks[4] = {};
  bool core = headerSize == 12;
  if (core) {
    width = ReadU16(header + 4);
    height = static_cast<short>(ReadU16(header + 6));
    bits = ReadU16(header + 10);
  } else {
    if (headerSize < 40 || headerSize > size - pos) InvalidBitmap();
    width = int(ReadU32(header + 4));
    height = int(ReadU32(header + 8));
    bits = ReadU16(header + 14);
    compression = ReadU32(header + 16);
    colorsUsed = ReadU32(header + 32);
    // V2 and later headers carry the bit fields inside.
    for (int i = 0; i < 4 && 40 + 4 * (i + 1) <= int(headerSize); ++i) masks[i] = ReadU32(header + 40 + 4 * i);
  }
  pos += headerSize;
  if (compression == BI_BITFIELDS || compression == 6 /* BI_ALPHABITFIELDS */) {
    if (headerSize == 40) {
      int count = compression == BI_BITFIELDS ? 3 : 4;
      if (size - pos < size_t(4 * count)) InvalidBitmap();
      for (int i = 0; i < count; ++i) masks[i] = ReadU32(data + pos + 4 * i);
      pos += size_t(4 * count);
    }
    if (bits != 16 && bits != 32) InvalidBitmap();
  } else if (compression != BI_RGB) {
    InvalidBitmap();
  } else if (bits == 16) {
    masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F, masks[3] = 0;
  }
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) InvalidBitmap();
  if (width <= 0 || height == 0 || height == std::numeric_limits<int>::min()) InvalidBitmap();
  const bool topDown = height < 0;
  height = std::abs(height);
  if (Int64(width) * height > kMaxPixels) InvalidBitmap();

  std::vector<RGBQUAD> colors;
  if (bits <= 8) {
    size_t entries = colorsUsed ? colorsUsed : size_t(1) << bits;
    size_t entrySize = core ? 3 : 4;
    if (entries > 256 || (size - pos) / entrySize < entries) InvalidBitmap();
    for (size_t i = 0; i < entries; ++i) {
      const Byte* e = data + pos + i * entrySize;
      colors.push_back({e[0], e[1], e[2], 0});
    }
    pos += entries * entrySize;
    colors.resize(size_t(1) << bits, RGBQUAD{0, 0, 0, 0});
  } else if (colorsUsed && pixelOffset < 0) {
    // An optional table for palette devices: a packed DIB's pixels start after it.
    if ((size - pos) / 4 < colorsUsed) InvalidBitmap();
    pos += size_t(colorsUsed) * 4;
  }
  if (pixelOffset < 0) pixelOffset = Int64(pos);
  const Int64 sourceStride = StrideOf(width, bits);
  if (pixelOffset > Int64(size) || Int64(size) - pixelOffset < sourceStride * height) InvalidBitmap();

  TPixelFormat format = bits == 1 ? pf1bit : bits == 4 ? pf4bit : bits == 8 ? pf8bit : bits == 32 ? pf32bit : pf24bit;
  TBitmap loaded;
  loaded.Allocate(width, height, format, colors);
  const Byte* pixels = data + pixelOffset;
  const bool plainCopy = bits != 16 && (bits != 32 || compression == BI_RGB ||
                                        (masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF &&
                                         (masks[3] == 0xFF000000 || masks[3] == 0)));
  const Channel red(masks[0]), green(masks[1]), blue(masks[2]), alpha(masks[3]);
  for (int y = 0; y < height; ++y) {
    const Byte* in = pixels + sourceStride * (topDown ? y : height - 1 - y);
    Byte* out = loaded.Row(y);
    if (plainCopy) {
      std::memcpy(out, in, size_t(sourceStride));
      if (bits == 32 && compression != BI_RGB && masks[3] == 0)
        for (int x = 0; x < width; ++x) out[x * 4 + 3] = 0xFF;
      continue;
    }
    for (int x = 0; x < width; ++x) {
      std::uint32_t pixel = bits == 16 ? ReadU16(in + x * 2) : ReadU32(in + x * 4);
      Byte* px = out + x * (bits == 16 ? 3 : 4);
      px[0] = blue.From(pixel, 0);
      px[1] = green.From(pixel, 0);
      px[2] = red.From(pixel, 0);
      if (bits == 32) px[3] = alpha.From(pixel, 0xFF);
    }
  }
  TakeStorage(loaded);
  return size_t(pixelOffset + sourceStride * height);
}

void TBitmap::LoadFromStream(TStream& Stream) {
  Int64 start = Stream.Position();
  Int64 available = Stream.Size() - start;
  if (available <= 0) {
    Allocate(0, 0, format_, colors_);
    return Changed(this);
  }
  AnsiString bytes(size_t(available), '\0');
  Stream.ReadBuffer(bytes.data(), available);
  const Byte* data = reinterpret_cast<const Byte*>(bytes.data());
  // The stream continues after the pixels.
  Stream.SetPosition(start + Int64(LoadBmp(data, bytes.size(), true)));
  Changed(this);
}

void TBitmap::SaveToStream(TStream& Stream) {
  EnsureHandle();
  if (Empty()) return;
  const int bits = BitsOf(format_);
  const DWORD tableBytes = bits <= 8 ? DWORD(sizeof(RGBQUAD) << bits) : 0;
  const DWORD pixelBytes = DWORD(RowStride()) * DWORD(height_);
  std::vector<RGBQUAD> colors = colors_;
  if (bits <= 8) colors.resize(size_t(1) << bits, RGBQUAD{0, 0, 0, 0});
  DibInfo info = MakeDibInfo(width_, height_, bits, colors);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = DWORD(sizeof(file) + sizeof(BITMAPINFOHEADER) + tableBytes);
  file.bfSize = file.bfOffBits + pixelBytes;
  GdiFlush();
  Stream.WriteBuffer(&file, sizeof(file));
  Stream.WriteBuffer(&info.header, sizeof(info.header));
  if (tableBytes) Stream.WriteBuffer(info.colors, tableBytes);
  Stream.WriteBuffer(bits_, pixelBytes);
}

void TBitmap::LoadFromDIB(const void* Data, size_t Size) {
  LoadBmp(static_cast<const Byte*>(Data), Size, false);
  Changed(this);
}

void TBitmap::LoadFromResourceName(HINSTANCE Instance, const String& ResName) {
  TResourceStream stream(Instance, ResName, RT_BITMAP);
  LoadFromDIB(stream.Memory(), size_t(stream.Size()));
}

void TBitmap::LoadFromResourceID(HINSTANCE Instance, int ResID) {
  TResourceStream stream(Instance, ResID, RT_BITMAP);
  LoadFromDIB(stream.Memory(), size_t(stream.Size()));
}

void TBitmap::LoadFromClipboardFormat(UINT Format, HANDLE Data, HPALETTE) {
  if (Format == CF_BITMAP) {
    return SetHandle(static_cast<HBITMAP>(CopyImage(Data, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  }
  if (Format != CF_DIB || !Data) return TGraphic::LoadFromClipboardFormat(Format, Data, nullptr);
  const void* dib = GlobalLock(Data);
  if (!dib) InvalidBitmap();
  try {
    LoadFromDIB(dib, GlobalSize(Data));
  } catch (...) {
    GlobalUnlock(Data);
    throw;
  }
  GlobalUnlock(Data);
}

void TBitmap::SaveToClipboardFormat(UINT& Format, HANDLE& Data, HPALETTE& Palette) {
  TStringStream image;
  SaveToStream(image);
  AnsiString bytes = image.DataString();
  if (bytes.size() < sizeof(BITMAPFILEHEADER)) InvalidBitmap();
  size_t dibSize = bytes.size() - sizeof(BITMAPFILEHEADER);
  HGLOBAL global = GlobalAlloc(GMEM_MOVEABLE, dibSize);
  if (!global) throw EOutOfResources(L"Out of system resources");
  std::memcpy(GlobalLock(global), bytes.data() + sizeof(BITMAPFILEHEADER), dibSize);
  GlobalUnlock(global);
  Format = CF_DIB;
  Data = global;
  Palette = nullptr;
}

void TBitmap::ReadData(TStream& Stream) {
  std::int32_t count = 0;
  Stream.ReadBuffer(&count, sizeof(count));
  if (count < 0) InvalidBitmap();
  TMemoryStream image;
  if (count) image.CopyFrom(Stream, count);
  image.SetPosition(0);
  LoadFromStream(image);
}

void TBitmap::WriteData(TStream& Stream) {
  TMemoryStream image;
  SaveToStream(image);
  std::int32_t count = std::int32_t(image.Size());
  Stream.WriteBuffer(&count, sizeof(count));
  if (count) Stream.WriteBuffer(image.Memory(), count);
}
