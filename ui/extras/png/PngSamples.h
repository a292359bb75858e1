#pragma once
// Conversion between PNG sample rows and frame rows. A row may be a whole image row or one Adam7
// pass row: its pixels go to (or come from) columns First, First + Step, ... of the frame row.
// Frame rules: grey and palette samples of 1, 4 and 8 bits are kept as they are, 2-bit samples
// become 4-bit (grey widened to g * 5), 16-bit samples keep their high byte, colour samples pass
// through the forward gamma table into blue, green, red, and alpha goes to the alpha plane.

#include <array>

#include "platform/framework/base/Types.h"

using TPngGammaTable = std::array<Byte, 256>;

inline bool IsIdentityGamma(const TPngGammaTable& table) {
  for (int i = 0; i < 256; ++i)
    if (table[i] != i) return false;
  return true;
}

struct TPngSampleFormat {
  int ColorType = 0;
  int BitDepth = 0;
};

// Bytes of one filtered row of width pixels, without the filter-type byte.
Cardinal PngRowLength(const TPngSampleFormat& format, Cardinal width);
// Distance to the "left" byte of the filters: bytes per pixel, 1 below 8 bits.
int PngPixelStep(const TPngSampleFormat& format);
// Bits per frame pixel for a valid colour type and bit depth; 0 for a combination the codec lacks.
int PngFrameBitsPerPixel(const TPngSampleFormat& format);

struct TPngRowPlacement {
  Cardinal Count = 0;  // pixels in the row
  Cardinal First = 0;  // frame column of the first pixel
  Cardinal Step = 1;   // frame columns between pixels
};

// Decoding: OR-s sub-byte samples into a cleared frame row, stores whole bytes.
void StoreSampleRow(const TPngSampleFormat& format, const Byte* samples, const TPngRowPlacement& place,
                    Byte* frameRow, Byte* alphaRow, const TPngGammaTable& gammaForward, bool gammaIdentity);

// Encoding: builds the sample row of format (2-bit formats are written as 4-bit by the caller)
// from the frame row; unused low bits of the last byte are 0.
void LoadSampleRow(const TPngSampleFormat& format, Byte* samples, const TPngRowPlacement& place,
                   const Byte* frameRow, const Byte* alphaRow, const TPngGammaTable& gammaInverse,
                   bool gammaIdentity);
