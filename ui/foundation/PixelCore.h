#pragma once
// The Windows-free pixel core of the glyph painter: per-pixel operations, the source-over blend,
// rotation and mirroring, and the Lanczos-3 resampler, on plain 32-bit pixel buffers whose bytes
// are B, G, R, A (0xAARRGGBB as a 32-bit value).

#include <cstddef>
#include <cstdint>
#include <vector>

namespace cxpixels {

using Pixel = std::uint32_t;

constexpr int Blue(Pixel p) { return int(p & 0xFF); }
constexpr int Green(Pixel p) { return int((p >> 8) & 0xFF); }
constexpr int Red(Pixel p) { return int((p >> 16) & 0xFF); }
constexpr int Alpha(Pixel p) { return int(p >> 24); }
constexpr Pixel MakePixel(int r, int g, int b, int a) {
  return Pixel(b) | (Pixel(g) << 8) | (Pixel(r) << 16) | (Pixel(a) << 24);
}

int ClampChannel(int V);
// number * numerator / denominator rounded half away from zero; -1 for a zero denominator.
int MulDivRound(int Number, int Numerator, int Denominator);

enum TcxPixelOperation {
  poLighten, poDisable, poGrayAverage, poOpaque, poMask, poGrayStandard, poGrayBright, poFillAlpha, poChecker, poClear
};

// What a pixel operation needs besides the pixels. A pixel is transparent when it equals Key or
// when its low 24 bits are in the colour list.
struct TPixelOperationParams {
  Pixel Key = 0;
  const std::vector<std::uint32_t>* TransparentColors = nullptr;
  Pixel ButtonShadow = 0;  // poDisable's tint, as a pixel (its alpha is ignored)
  Pixel Checker1 = 0, Checker2 = 0;  // with their alphas
  int CheckerCellSize = 1;
  bool IsTransparent(Pixel P) const;
};

// Applies the operation to every pixel of a bottom-up buffer (row 0 = the bottom row).
void ApplyPixelOperation(Pixel* Pixels, int Width, int Height, TcxPixelOperation Operation,
                         const TPixelOperationParams& Params);

// Src over Dst with a constant alpha and Src's own alpha (Src's colours premultiplied).
Pixel BlendPixel(Pixel Src, Pixel Dst, int ConstAlpha);
void BlendPixels(const Pixel* Src, Pixel* Dst, std::size_t Count, int ConstAlpha);

// Every byte becomes nearest(x * To) + nearest((1 - x) * From), x = Alpha / 255.
void FadeBytes(const std::uint8_t* From, const std::uint8_t* To, std::uint8_t* Target, std::size_t Count, int Alpha);

// Rotation 0 flips vertically (only with Mirror; nothing without), 1 turns a quarter counter-
// clockwise, 2 a quarter clockwise, 3 half a turn; Mirror mirrors the result as the painter needs.
// Top-down buffers; 1 and 2 exchange width and height. Returns false when nothing is to be done.
bool RotatePixels(const Pixel* Src, int Width, int Height, int Rotation, bool Mirror, std::vector<Pixel>& Dst,
                  int& NewWidth, int& NewHeight);

// Two-pass Lanczos-3 resampling; the scratch keeps the weights of the last sizes of each pass and
// the intermediate between calls, so repeated paints of one size compute nothing twice.
struct TLanczosScratch {
  struct Contributor {
    int Index;
    int Weight;
  };
  struct Axis {
    int SrcSize = -1, DstSize = -1;
    std::vector<Contributor> Contributors;
    std::vector<int> Starts;  // per target index, the first contributor; one more at the end
  };
  Axis Horizontal, Vertical;
  std::vector<Pixel> Intermediate;
};
void ResampleLanczos3(const Pixel* Src, int SrcWidth, int SrcHeight, Pixel* Dst, int DstWidth, int DstHeight,
                      TLanczosScratch& Scratch);

// The run-length code of packed bitmaps: a control byte C per run; C < 0x80 repeats the next byte
// C times, C >= 0x80 copies the next C & 0x7F bytes. Runs are 1 to 125 bytes long.
std::vector<std::uint8_t> PackRuns(const std::uint8_t* Data, std::size_t Size);
// False when the packed data ends inside a run.
bool UnpackRuns(const std::uint8_t* Packed, std::size_t Size, std::vector<std::uint8_t>& Out);

}  // namespace cxpixels
