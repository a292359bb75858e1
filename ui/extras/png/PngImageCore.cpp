#include "ui/extras/png/PngImageCore.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "ui/extras/png/PngChunkRegistry.h"
#include "ui/extras/png/PngCrc.h"
#include "ui/extras/png/PngExceptions.h"
#include "ui/extras/png/PngHeaderChunk.h"
#include "ui/extras/png/PngImageData.h"
#include "ui/extras/png/PngInfoChunks.h"
#include "ui/extras/png/PngPaletteChunks.h"

namespace {

constexpr TPngChunkType IhdrType = PngChunkType("IHDR");
constexpr TPngChunkType IdatType = PngChunkType("IDAT");
constexpr TPngChunkType IendType = PngChunkType("IEND");
constexpr TPngChunkType ChrmType = PngChunkType("cHRM");

// Sample x of a frame row of depth bits per pixel, most significant bits first.
unsigned FrameSample(const Byte* row, int x, int depth) {
  if (depth == 8) return row[x];
  const int bit = x * depth;
  return (row[bit >> 3] >> (8 - depth - (bit & 7))) & ((1u << depth) - 1);
}

}  // namespace

TPngImageCore::TPngImageCore() : chunks_(this) { ResetGamma(); }

TPngImageCore::~TPngImageCore() = default;

void TPngImageCore::SetIdatChunkLimit(Cardinal limit) {
  idatChunkLimit_ = std::max(limit, PngDefaultIdatChunkLimit);
}

void TPngImageCore::ResetGamma() {
  for (int i = 0; i < 256; ++i) GammaForward[i] = GammaInverse[i] = Byte(i);
}

void TPngImageCore::ApplyGamma(Cardinal gamma) {
  if (gamma == 0) return;
  const double exponent = 1.0 / (double(gamma) / 100000.0 * 2.2);
  for (int i = 0; i < 256; ++i) {
    const double value = std::nearbyint(255.0 * std::pow(i / 255.0, exponent));
    const Byte g = Byte(std::clamp(value, 0.0, 255.0));
    GammaForward[i] = g;
    GammaInverse[g] = Byte(i);
  }
}

void TPngImageCore::DropAllChunks() {
  ResetGamma();
  chunks_.Clear();
}

bool TPngImageCore::HasHeader() const { return dynamic_cast<TChunkIHDR*>(chunks_.Item(0)) != nullptr; }

TChunkIHDR& TPngImageCore::HeaderChunk() const {
  auto* header = dynamic_cast<TChunkIHDR*>(chunks_.Item(0));
  if (!header) RaisePng<EPNGHeaderNotPresent>(EPNGHeaderNotPresentText);
  return *header;
}

Cardinal TPngImageCore::Width() const { return HasHeader() ? HeaderChunk().Width : 0; }
Cardinal TPngImageCore::Height() const { return HasHeader() ? HeaderChunk().Height : 0; }

void TPngImageCore::LoadFromStream(IPngByteStream& stream) {
  DropAllChunks();
  Byte signature[8];
  if (stream.Read(signature, 8) != 8 || !std::equal(signature, signature + 8, PngSignature.begin()))
    RaisePng<EPNGInvalidFileHeader>(EPNGInvalidFileHeaderText);
  bool dataRead = false;
  for (;;) {
    Byte head[8];
    if (stream.Read(head, 8) != 8) RaisePng<EPngUnexpectedEnd>(EPngUnexpectedEndText);
    const Cardinal length = ReadBigEndian32(head);
    TPngChunkType type;
    std::copy(head + 4, head + 8, type.begin());
    if (length > PngMaxChunkLength) RaisePng<EPngInvalidCRC>(EPngInvalidCRCText);
    if (chunks_.Count() == 0 && type != IhdrType) RaisePng<EPNGIHDRNotFirst>(EPNGIHDRNotFirstText);
    if (type == ChrmType || (type == IdatType && dataRead)) {
      stream.Skip(UInt64(length) + 4);
    } else {
      std::unique_ptr<TChunk> created = CreateRegisteredChunk(type, this);
      const bool generic = !created;
      if (generic) {
        created = std::make_unique<TChunk>(this);
        created->SetTypeCode(type);
      }
      TChunk* chunk = chunks_.Add(std::move(created));
      if (generic && !(type[0] & 0x20)) RaisePng<EPNGUnknownCriticalChunk>(EPNGUnknownCriticalChunkText);
      const bool goOn = chunk->ReadChunk(stream, type, length);
      if (type == IdatType) dataRead = true;
      if (!goOn) break;
    }
    if (type == IendType) break;
  }
  if (!dataRead) RaisePng<EPNGNoImageData>(EPNGNoImageDataText);
}

void TPngImageCore::CheckSavable() const {
  if (!HasHeader() || !HeaderChunk().HasFrame()) RaisePng<EPNGHeaderNotPresent>(EPNGHeaderNotPresentText);
  if (!chunks_.FindByClass<TChunkIDAT>()) RaisePng<EPNGNoImageData>(EPNGNoImageDataText);
  if (!chunks_.FindByClass<TChunkIEND>()) RaisePng<EPngUnexpectedEnd>(EPngUnexpectedEndText);
}

void TPngImageCore::SaveToStream(IPngByteStream& stream) {
  CheckSavable();
  stream.Write(PngSignature.data(), PngSignature.size());
  for (int i = 0; i < chunks_.Count(); ++i) chunks_.Item(i)->WriteChunk(stream);
}

void TPngImageCore::AssignImage(const TPngImageCore& source) {
  if (&source == this) return;
  Interlacing = source.Interlacing;
  SetIdatChunkLimit(source.IdatChunkLimit());
  DeflateLevel = source.DeflateLevel;
  RowFilters = source.RowFilters;
  DropAllChunks();
  // The frame holds colours through the source's gamma; saving must undo that same gamma.
  GammaForward = source.GammaForward;
  GammaInverse = source.GammaInverse;
  for (int i = 0; i < source.chunks_.Count(); ++i) {
    const TChunk* from = source.chunks_.Item(i);
    chunks_.Add(from->CreateSameClass(this))->AssignChunk(*from);
  }
}

void TPngImageCore::BuildEmptyImage(Byte colorType, Byte bitDepth, Cardinal width, Cardinal height) {
  DropAllChunks();
  auto* header = static_cast<TChunkIHDR*>(chunks_.Add(std::make_unique<TChunkIHDR>(this)));
  TChunkPLTE* palette = nullptr;
  if (colorType == 3) palette = static_cast<TChunkPLTE*>(chunks_.Add(std::make_unique<TChunkPLTE>(this)));
  chunks_.Add(std::make_unique<TChunkIDAT>(this));
  chunks_.Add(std::make_unique<TChunkIEND>(this));
  header->Width = width;
  header->Height = height;
  header->BitDepth = bitDepth;
  header->ColorType = colorType;
  header->InterlaceMethod = Byte(Interlacing);
  header->PrepareFrame();
  if (palette) palette->EntryCount = 1 << std::min<int>(bitDepth, 8);
  if (colorType == 0 || colorType == 4) header->MakeGreyColorTable();
}

TPngTransparency TPngImageCore::TransparencyKind() const {
  const TChunkIHDR& header = HeaderChunk();
  const auto* trns = chunks_.FindByClass<TChunktRNS>();
  switch (header.ColorType) {
    case 0:
    case 2: return trns && trns->HoldsKeySample() ? trColorKey : trNone;
    case 3:
      if (!trns) return trNone;
      return trns->SingleTransparent ? trColorKey : trAlpha;
    case 4:
    case 6: return trAlpha;
    default: return trNone;
  }
}

TPngColor TPngImageCore::KeyColor() const {
  const auto* trns = chunks_.FindByClass<TChunktRNS>();
  return trns && HasHeader() ? trns->TransparentColor() : 0;
}

TPngColor TPngImageCore::PaletteEntryColor(int index) const {
  const auto* palette = chunks_.FindByClass<TChunkPLTE>();
  if (!palette) RaisePng<EPngError>(EPngNoPaletteEntryText);
  const Cardinal bgr = palette->Item(index);
  return PngRgb(Byte(bgr >> 16), Byte(bgr >> 8), Byte(bgr));
}

TPngColor TPngImageCore::ColorOfFrameSample(const TChunkIHDR& header, unsigned s) const {
  const int depth = header.FrameLayout().BitsPerPixel;
  if (header.ColorType == 3) return PaletteEntryColor(int(s));
  const unsigned level = depth == 1 ? s * 255 : depth == 4 ? s * 17 : s;
  const Byte v = GammaForward[level & 0xFF];
  return PngRgb(v, v, v);
}

TPngColor TPngImageCore::StoredGreyColor(unsigned sample) const {
  const TChunkIHDR& header = HeaderChunk();
  unsigned s;
  switch (header.BitDepth) {
    case 1: s = sample & 1; break;
    case 2: s = (sample & 3) * 5; break;
    case 4: s = sample & 15; break;
    case 16: s = (sample >> 8) & 0xFF; break;
    default: s = sample & 0xFF; break;
  }
  return ColorOfFrameSample(header, s);
}

TPngColor TPngImageCore::PixelColor(int x, int y) const {
  if (!HasHeader()) return 0;
  const TChunkIHDR& header = HeaderChunk();
  if (!header.HasFrame() || x < 0 || y < 0 || Cardinal(x) >= header.Width || Cardinal(y) >= header.Height) return 0;
  const Byte* row = header.PixelRow(Cardinal(y));
  switch (header.ColorType) {
    case 0:
    case 3: return ColorOfFrameSample(header, FrameSample(row, x, header.FrameLayout().BitsPerPixel));
    case 4: return PngRgb(row[x], row[x], row[x]);
    case 2:
    case 6: return PngRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
    default: return 0;
  }
}

Byte* TPngImageCore::PixelRow(Cardinal y) const {
  const TChunkIHDR& header = HeaderChunk();
  return header.HasFrame() && y < header.Height ? header.PixelRow(y) : nullptr;
}

Byte* TPngImageCore::AlphaRow(Cardinal y) const {
  const TChunkIHDR& header = HeaderChunk();
  return y < header.Height ? header.AlphaRow(y) : nullptr;
}

void TPngImageCore::AddAlphaChannel() {
  TChunkIHDR& header = HeaderChunk();
  switch (header.ColorType) {
    case 0:
    case 2: return header.AddAlphaPlane();
    case 3: {
      auto* trns = chunks_.FindByClass<TChunktRNS>();
      if (!trns) trns = chunks_.AddChunkOfClass<TChunktRNS>();
      if (!trns) return;
      trns->AlphaTable.fill(255);
      trns->ResizePayload(Cardinal(1) << std::min<int>(header.BitDepth, 8));
      trns->SingleTransparent = false;
      return;
    }
    default: return;
  }
}

std::unique_ptr<IPngFrame> TPngImageCore::CreateFrame(const TPngFrameLayout& layout) {
  return std::make_unique<TPngMemoryFrame>(layout);
}
