#include "ui/extras/png/PngPaletteChunks.h"

#include <algorithm>

#include "ui/extras/png/PngExceptions.h"
#include "ui/extras/png/PngHeaderChunk.h"
#include "ui/extras/png/PngImageCore.h"

namespace {

void RequireSameClass(const TChunk& target, const TChunk& source) {
  if (typeid(target) != typeid(source)) RaisePng<EPngError>(EPngIncompatibleChunkText);
}

unsigned Sample16(const std::vector<Byte>& payload, std::size_t offset) {
  return unsigned(payload[offset]) << 8 | payload[offset + 1];
}

}  // namespace

void TChunkPLTE::AssignChunk(const TChunk& source) {
  RequireSameClass(*this, source);
  EntryCount = static_cast<const TChunkPLTE&>(source).EntryCount;
}

bool TChunkPLTE::ReadChunk(IPngByteStream& stream, const TPngChunkType& type, Cardinal size) {
  TChunk::ReadChunk(stream, type, size);
  if (size % 3 != 0 || size / 3 > 256) RaisePng<EPNGInvalidPalette>(EPNGInvalidPaletteText);
  EntryCount = int(size / 3);
  const auto& gamma = OwnerImage()->GammaForward;
  TPngRgbQuad* table = HeaderOf().ColorTable();
  if (!table) return true;
  for (int i = 0; i < EntryCount; ++i) {
    const Byte* rgb = Payload().data() + 3 * i;
    table[i] = {gamma[rgb[2]], gamma[rgb[1]], gamma[rgb[0]], 0};
  }
  return true;
}

bool TChunkPLTE::WriteChunk(IPngByteStream& stream) {
  const auto& inverse = OwnerImage()->GammaInverse;
  const TPngRgbQuad* table = HeaderOf().ColorTable();
  ResizePayload(Cardinal(EntryCount * 3));
  for (int i = 0; i < EntryCount; ++i) {
    const TPngRgbQuad entry = table ? table[i] : TPngRgbQuad{};
    Byte* rgb = Payload().data() + 3 * i;
    rgb[0] = inverse[entry.rgbRed], rgb[1] = inverse[entry.rgbGreen], rgb[2] = inverse[entry.rgbBlue];
  }
  return TChunk::WriteChunk(stream);
}

Cardinal TChunkPLTE::Item(int index) const {
  const TPngRgbQuad* table = HeaderOf().ColorTable();
  if (index < 0 || index > EntryCount - 1 || !table) RaisePng<EPngError>(EPngNoPaletteEntryText);
  const TPngRgbQuad& e = table[index];
  return Cardinal(e.rgbBlue) | Cardinal(e.rgbGreen) << 8 | Cardinal(e.rgbRed) << 16;
}

void TChunktRNS::AssignChunk(const TChunk& source) {
  TChunk::AssignChunk(source);
  if (auto* other = dynamic_cast<const TChunktRNS*>(&source)) {
    AlphaTable = other->AlphaTable;
    SingleTransparent = other->SingleTransparent;
  }
}

bool TChunktRNS::ReadChunk(IPngByteStream& stream, const TPngChunkType& type, Cardinal size) {
  TChunk::ReadChunk(stream, type, size);
  if (size > 256) RaisePng<EPNGInvalidPalette>(EPNGInvalidPaletteText);
  AlphaTable.fill(255);
  std::copy(Payload().begin(), Payload().end(), AlphaTable.begin());
  switch (HeaderOf().ColorType) {
    case 0:
    case 2: SingleTransparent = true; break;
    case 3: {
      // Colour-key drawing needs the one translucent entry to be fully transparent; a single
      // partly transparent entry is drawn blended.
      const auto translucent = std::count_if(Payload().begin(), Payload().end(), [](Byte a) { return a != 255; });
      const bool zero = std::find(Payload().begin(), Payload().end(), Byte(0)) != Payload().end();
      SingleTransparent = translucent == 1 && zero;
      break;
    }
    default: SingleTransparent = false;
  }
  return true;
}

bool TChunktRNS::WriteChunk(IPngByteStream& stream) {
  // Only a palette image keeps its alphas in the table; grey and RGB payloads are the key sample.
  if (PayloadSize() <= 256 && HeaderOf().ColorType == 3) std::copy_n(AlphaTable.begin(), PayloadSize(), Payload().begin());
  return TChunk::WriteChunk(stream);
}

bool TChunktRNS::HoldsKeySample() const {
  switch (HeaderOf().ColorType) {
    case 0: return PayloadSize() >= 2;
    case 2: return PayloadSize() >= 6;
    default: return true;
  }
}

TPngColor TChunktRNS::TransparentColor() const {
  const TChunkIHDR& header = HeaderOf();
  const TPngImageCore& image = *OwnerImage();
  if (!HoldsKeySample()) return 0;
  switch (header.ColorType) {
    case 0: return image.StoredGreyColor(Sample16(Payload(), 0));
    case 2: {
      const bool wide = header.BitDepth == 16;
      Byte rgb[3];
      for (int c = 0; c < 3; ++c) {
        const unsigned s = Sample16(Payload(), 2 * c);
        rgb[c] = image.GammaForward[wide ? s >> 8 : s & 0xFF];
      }
      return PngRgb(rgb[0], rgb[1], rgb[2]);
    }
    case 3:
      for (int i = 0; i < 256; ++i)
        if (AlphaTable[i] == 0) return image.PaletteEntryColor(i);
      return 0;
    default: return 0;
  }
}

void TChunktRNS::SetTransparentColor(TPngColor color) {
  AlphaTable.fill(0);
  SingleTransparent = true;
  const Byte red = Byte(color), green = Byte(color >> 8), blue = Byte(color >> 16);
  const TChunkIHDR& header = HeaderOf();
  switch (header.ColorType) {
    case 0:
      ResizePayload(2);
      Payload()[0] = 0, Payload()[1] = red;
      break;
    case 2: {
      ResizePayload(6);
      const Byte rgb[3] = {red, green, blue};
      for (int c = 0; c < 3; ++c) Payload()[2 * c] = 0, Payload()[2 * c + 1] = rgb[c];
      break;
    }
    case 3: {
      const TPngRgbQuad* table = header.ColorTable();
      int i = 0;
      while (table && i < 256 && !(table[i].rgbRed == red && table[i].rgbGreen == green && table[i].rgbBlue == blue)) ++i;
      if (!table || i == 256) i = 0;
      std::fill_n(AlphaTable.begin(), i, Byte(255));
      ResizePayload(Cardinal(i + 1));
      break;
    }
    default: break;
  }
}
