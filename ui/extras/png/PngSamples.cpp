#include "ui/extras/png/PngSamples.h"

#include <cstring>

Cardinal PngRowLength(const TPngSampleFormat& format, Cardinal width) {
  const UInt64 w = width;
  const UInt64 bd = format.BitDepth;
  switch (format.ColorType) {
    case 0:
    case 3: return Cardinal((w * bd + 7) / 8);
    case 2: return Cardinal(w * bd * 3 / 8);
    case 4: return Cardinal(w * bd * 2 / 8);
    case 6: return Cardinal(w * bd * 4 / 8);
    default: return 0;
  }
}

int PngPixelStep(const TPngSampleFormat& format) {
  switch (format.ColorType) {
    case 0: return format.BitDepth == 16 ? 2 : 1;
    case 3: return 1;
    case 2: return format.BitDepth * 3 / 8;
    case 4: return format.BitDepth / 4;
    case 6: return format.BitDepth / 2;
    default: return 0;
  }
}

int PngFrameBitsPerPixel(const TPngSampleFormat& format) {
  const int bd = format.BitDepth;
  switch (format.ColorType) {
    case 0:
      if (bd == 1 || bd == 4 || bd == 8) return bd;
      if (bd == 2) return 4;
      if (bd == 16) return 8;
      return 0;
    case 3:
      if (bd == 1 || bd == 4 || bd == 8) return bd;
      if (bd == 2) return 4;
      return 0;
    case 2:
    case 6: return (bd == 8 || bd == 16) ? 24 : 0;
    case 4: return (bd == 8 || bd == 16) ? 8 : 0;
    default: return 0;
  }
}

namespace {

// Sample k of a packed row of depth bits, most significant bits first.
inline unsigned PackedSample(const Byte* row, Cardinal k, int depth) {
  const UInt64 bit = UInt64(k) * depth;
  const int shift = 8 - depth - int(bit & 7);
  return (row[bit >> 3] >> shift) & ((1u << depth) - 1);
}

inline void OrPackedSample(Byte* row, Cardinal x, int depth, unsigned value) {
  const UInt64 bit = UInt64(x) * depth;
  row[bit >> 3] |= Byte(value << (8 - depth - int(bit & 7)));
}

void StorePacked(const TPngSampleFormat& f, const Byte* samples, const TPngRowPlacement& p, Byte* frameRow) {
  const int depth = f.BitDepth;
  const int frameDepth = depth == 2 ? 4 : depth;
  if (p.Step == 1 && p.First == 0 && depth == frameDepth) {
    std::memcpy(frameRow, samples, (UInt64(p.Count) * depth + 7) / 8);
    return;
  }
  const bool widenGrey = f.ColorType == 0 && depth == 2;
  for (Cardinal k = 0; k < p.Count; ++k) {
    unsigned s = PackedSample(samples, k, depth);
    if (widenGrey) s = s * 5;
    OrPackedSample(frameRow, p.First + k * p.Step, frameDepth, s);
  }
}

// Colour pixels: channel bytes at offsets 0, hi, 2*hi (+ alpha at 3*hi) per pixel of size bytes.
template <int Channels, int BytesPerSample>
void StoreColor(const Byte* s, const TPngRowPlacement& p, Byte* frameRow, Byte* alphaRow,
                const TPngGammaTable& g, bool identity) {
  constexpr int size = Channels * BytesPerSample;
  Byte* out = frameRow + UInt64(p.First) * 3;
  const UInt64 outStep = UInt64(p.Step) * 3;
  Byte* alpha = alphaRow ? alphaRow + p.First : nullptr;
  if (identity) {
    for (Cardinal k = 0; k < p.Count; ++k, s += size, out += outStep) {
      out[0] = s[2 * BytesPerSample];
      out[1] = s[BytesPerSample];
      out[2] = s[0];
      if constexpr (Channels == 4) alpha[UInt64(k) * p.Step] = s[3 * BytesPerSample];
    }
  } else {
    for (Cardinal k = 0; k < p.Count; ++k, s += size, out += outStep) {
      out[0] = g[s[2 * BytesPerSample]];
      out[1] = g[s[BytesPerSample]];
      out[2] = g[s[0]];
      if constexpr (Channels == 4) alpha[UInt64(k) * p.Step] = s[3 * BytesPerSample];
    }
  }
}

template <int Channels, int BytesPerSample>
void LoadColor(Byte* s, const TPngRowPlacement& p, const Byte* frameRow, const Byte* alphaRow,
               const TPngGammaTable& g, bool identity) {
  const Byte* in = frameRow + UInt64(p.First) * 3;
  const UInt64 inStep = UInt64(p.Step) * 3;
  for (Cardinal k = 0; k < p.Count; ++k, in += inStep) {
    const Byte channels[4] = {identity ? in[2] : g[in[2]], identity ? in[1] : g[in[1]],
                              identity ? in[0] : g[in[0]],
                              Channels == 4 ? alphaRow[p.First + UInt64(k) * p.Step] : Byte(0)};
    for (int c = 0; c < Channels; ++c) {
      *s++ = channels[c];
      if constexpr (BytesPerSample == 2) *s++ = 0;
    }
  }
}

}  // namespace

void StoreSampleRow(const TPngSampleFormat& f, const Byte* s, const TPngRowPlacement& p, Byte* frameRow,
                    Byte* alphaRow, const TPngGammaTable& g, bool identity) {
  const bool wide = f.BitDepth == 16;
  switch (f.ColorType) {
    case 0:
    case 3:
      if (f.BitDepth < 8) return StorePacked(f, s, p, frameRow);
      for (Cardinal k = 0; k < p.Count; ++k) frameRow[p.First + UInt64(k) * p.Step] = s[wide ? 2 * UInt64(k) : k];
      return;
    case 4:
      for (Cardinal k = 0; k < p.Count; ++k) {
        const UInt64 x = p.First + UInt64(k) * p.Step;
        const Byte* px = s + UInt64(k) * (wide ? 4 : 2);
        frameRow[x] = px[0];
        alphaRow[x] = px[wide ? 2 : 1];
      }
      return;
    case 2:
      return wide ? StoreColor<3, 2>(s, p, frameRow, nullptr, g, identity)
                  : StoreColor<3, 1>(s, p, frameRow, nullptr, g, identity);
    case 6:
      return wide ? StoreColor<4, 2>(s, p, frameRow, alphaRow, g, identity)
                  : StoreColor<4, 1>(s, p, frameRow, alphaRow, g, identity);
    default: return;
  }
}

void LoadSampleRow(const TPngSampleFormat& f, Byte* s, const TPngRowPlacement& p, const Byte* frameRow,
                   const Byte* alphaRow, const TPngGammaTable& g, bool identity) {
  const bool wide = f.BitDepth == 16;
  switch (f.ColorType) {
    case 0:
    case 3:
      if (f.BitDepth < 8) {
        const Cardinal bytes = PngRowLength(f, p.Count);
        if (p.Step == 1 && p.First == 0) {
          std::memcpy(s, frameRow, bytes);
          const int spare = int(UInt64(bytes) * 8 - UInt64(p.Count) * f.BitDepth);
          if (bytes > 0) s[bytes - 1] &= Byte(0xFF << spare);
          return;
        }
        std::memset(s, 0, bytes);
        for (Cardinal k = 0; k < p.Count; ++k)
          OrPackedSample(s, k, f.BitDepth, PackedSample(frameRow, p.First + k * p.Step, f.BitDepth));
        return;
      }
      for (Cardinal k = 0; k < p.Count; ++k) {
        const Byte v = frameRow[p.First + UInt64(k) * p.Step];
        if (wide) {
          s[2 * UInt64(k)] = v;
          s[2 * UInt64(k) + 1] = 0;
        } else {
          s[k] = v;
        }
      }
      return;
    case 4:
      for (Cardinal k = 0; k < p.Count; ++k) {
        const UInt64 x = p.First + UInt64(k) * p.Step;
        Byte* px = s + UInt64(k) * (wide ? 4 : 2);
        if (wide) {
          px[0] = frameRow[x], px[1] = 0, px[2] = alphaRow[x], px[3] = 0;
        } else {
          px[0] = frameRow[x], px[1] = alphaRow[x];
        }
      }
      return;
    case 2:
      return wide ? LoadColor<3, 2>(s, p, frameRow, nullptr, g, identity)
                  : LoadColor<3, 1>(s, p, frameRow, nullptr, g, identity);
    case 6:
      return wide ? LoadColor<4, 2>(s, p, frameRow, alphaRow, g, identity)
                  : LoadColor<4, 1>(s, p, frameRow, alphaRow, g, identity);
    default: return;
  }
}
