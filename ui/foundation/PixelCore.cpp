#include "ui/foundation/PixelCore.h"

#include <algorithm>
#include <cmath>

namespace cxpixels {

namespace {

int Nearest(double v) { return int(std::lround(v)); }

Pixel WithGrey(Pixel p, int grey) {
  grey = ClampChannel(grey);
  return MakePixel(grey, grey, grey, Alpha(p));
}

int StandardGrey(Pixel p) { return Nearest(0.299 * Red(p) + 0.587 * Green(p) + 0.114 * Blue(p)); }

Pixel Lighten(Pixel p) {
  if (Alpha(p) == 255) {
    auto up = [](int c) { return c + MulDivRound(255 - c, 3, 10); };
    return MakePixel(up(Red(p)), up(Green(p)), up(Blue(p)), 255);
  }
  auto down = [](int c) { return MulDivRound(c, 200, 255); };
  return MakePixel(down(Red(p)), down(Green(p)), down(Blue(p)), down(Alpha(p)));
}

Pixel Operate(Pixel p, int column, int row, TcxPixelOperation op, const TPixelOperationParams& params) {
  switch (op) {
    case poOpaque: return p | 0xFF000000u;
    case poClear: return params.Key;
    case poMask: return params.IsTransparent(p) ? 0xFFFFFFFFu : 0u;
    case poChecker: {
      const int size = std::max(params.CheckerCellSize, 1);
      const bool second = ((column / size + row / size) & 1) != 0;
      return BlendPixel(second ? params.Checker2 : params.Checker1, p, 255);
    }
    default: break;
  }
  if (params.IsTransparent(p)) return p;
  switch (op) {
    case poLighten: return Lighten(p);
    case poDisable:
      return BlendPixel((params.ButtonShadow & 0xFFFFFF) | 0xC0000000u, WithGrey(p, StandardGrey(p)), 238);
    case poGrayAverage: return WithGrey(p, (Red(p) + Green(p) + Blue(p)) / 3);
    case poGrayStandard: return WithGrey(p, StandardGrey(p));
    case poGrayBright: return WithGrey(p, Nearest(0.0729 * Red(p) + 0.7146 * Green(p) + 0.2125 * Blue(p)));
    case poFillAlpha: return Alpha(p) == 0 ? p | 0xFF000000u : p;
    default: return p;
  }
}

}  // namespace

int ClampChannel(int V) { return V < 0 ? 0 : V > 255 ? 255 : V; }

int MulDivRound(int Number, int Numerator, int Denominator) {
  if (Denominator == 0) return -1;
  const long long product = (long long)Number * Numerator;
  const bool negative = (product < 0) != (Denominator < 0);
  const long long a = product < 0 ? -product : product;
  const long long d = Denominator < 0 ? -(long long)Denominator : Denominator;
  const long long q = (a + d / 2) / d;
  return int(negative ? -q : q);
}

bool TPixelOperationParams::IsTransparent(Pixel P) const {
  if (P == Key) return true;
  if (!TransparentColors) return false;
  const std::uint32_t rgb = P & 0xFFFFFF;
  return std::find(TransparentColors->begin(), TransparentColors->end(), rgb) != TransparentColors->end();
}

void ApplyPixelOperation(Pixel* Pixels, int Width, int Height, TcxPixelOperation Operation,
                         const TPixelOperationParams& Params) {
  for (int column = 0; column < Width; ++column)
    for (int row = 0; row < Height; ++row) {
      Pixel& p = Pixels[std::size_t(row) * Width + column];
      p = Operate(p, column, row, Operation, Params);
    }
}

Pixel BlendPixel(Pixel Src, Pixel Dst, int ConstAlpha) {
  const double k = ConstAlpha / 255.0;
  const double a = k * Alpha(Src);
  const double f = 1.0 - a / 255.0;
  auto mix = [&](int s, int d) { return ClampChannel(Nearest(k * s + f * d)); };
  return MakePixel(mix(Red(Src), Red(Dst)), mix(Green(Src), Green(Dst)), mix(Blue(Src), Blue(Dst)),
                   ClampChannel(Nearest(a + f * Alpha(Dst))));
}

void BlendPixels(const Pixel* Src, Pixel* Dst, std::size_t Count, int ConstAlpha) {
  for (std::size_t i = 0; i < Count; ++i) Dst[i] = BlendPixel(Src[i], Dst[i], ConstAlpha);
}

void FadeBytes(const std::uint8_t* From, const std::uint8_t* To, std::uint8_t* Target, std::size_t Count, int Alpha) {
  const double x = Alpha / 255.0;
  for (std::size_t i = 0; i < Count; ++i)
    Target[i] = std::uint8_t(ClampChannel(Nearest(x * To[i]) + Nearest((1 - x) * From[i])));
}

bool RotatePixels(const Pixel* Src, int Width, int Height, int Rotation, bool Mirror, std::vector<Pixel>& Dst,
                  int& NewWidth, int& NewHeight) {
  if (Rotation == 0 && !Mirror) return false;
  const bool turns = Rotation == 1 || Rotation == 2;
  NewWidth = turns ? Height : Width;
  NewHeight = turns ? Width : Height;
  Dst.assign(std::size_t(Width) * Height, 0);
  for (int r = 0; r < Height; ++r)
    for (int c = 0; c < Width; ++c) {
      int row, column;
      switch (Rotation) {
        case 1: row = Mirror ? c : Width - 1 - c; column = r; break;
        case 2: row = Mirror ? Width - 1 - c : c; column = Height - 1 - r; break;
        case 3: row = Mirror ? r : Height - 1 - r; column = Width - 1 - c; break;
        default: row = Height - 1 - r; column = c; break;
      }
      Dst[std::size_t(row) * NewWidth + column] = Src[std::size_t(r) * Width + c];
    }
  return true;
}

namespace {

double Sinc(double x) {
  if (x == 0) return 1;
  const double px = 3.14159265358979323846 * x;
  return std::sin(px) / px;
}

double Lanczos3(double x) { return std::fabs(x) < 3 ? Sinc(x) * Sinc(x / 3) : 0; }

// Weights of every target index along one axis.
void BuildContributors(int SrcSize, int DstSize, TLanczosScratch::Axis& Scratch) {
  if (Scratch.SrcSize == SrcSize && Scratch.DstSize == DstSize) return;
  Scratch.SrcSize = SrcSize;
  Scratch.DstSize = DstSize;
  Scratch.Contributors.clear();
  Scratch.Starts.clear();
  const double s = (SrcSize == 1 || DstSize == 1) ? double(DstSize) / SrcSize : double(DstSize - 1) / (SrcSize - 1);
  const bool down = s < 1;
  const double width = down ? 3 / s : 3;
  const double scale = down ? 1 / s : 1;
  for (int i = 0; i < DstSize; ++i) {
    Scratch.Starts.push_back(int(Scratch.Contributors.size()));
    const double centre = i / s;
    for (int j = int(std::floor(centre - width)); j <= int(std::ceil(centre + width)); ++j) {
      const int weight = Nearest(256 * Lanczos3((centre - j) / scale) / scale);
      if (weight == 0) continue;
      int index = j < 0 ? -j : j >= SrcSize ? 2 * SrcSize - 1 - j : j;
      index = std::clamp(index, 0, SrcSize - 1);
      Scratch.Contributors.push_back({index, weight});
    }
  }
  Scratch.Starts.push_back(int(Scratch.Contributors.size()));
}

Pixel Weighted(const Pixel* line, std::ptrdiff_t step, const TLanczosScratch::Axis& Scratch, int target) {
  int sum[4] = {0, 0, 0, 0};
  for (int k = Scratch.Starts[target]; k < Scratch.Starts[target + 1]; ++k) {
    const auto& c = Scratch.Contributors[k];
    const Pixel p = line[c.Index * step];
    for (int ch = 0; ch < 4; ++ch) sum[ch] += int((p >> (8 * ch)) & 0xFF) * c.Weight;
  }
  Pixel result = 0;
  for (int ch = 0; ch < 4; ++ch) result |= Pixel(sum[ch] < 0 ? 0 : std::min(255, sum[ch] / 256)) << (8 * ch);
  return result;
}

}  // namespace

void ResampleLanczos3(const Pixel* Src, int SrcWidth, int SrcHeight, Pixel* Dst, int DstWidth, int DstHeight,
                      TLanczosScratch& Scratch) {
  if (SrcWidth <= 0 || SrcHeight <= 0 || DstWidth <= 0 || DstHeight <= 0) return;
  Scratch.Intermediate.resize(std::size_t(DstWidth) * SrcHeight);
  BuildContributors(SrcWidth, DstWidth, Scratch.Horizontal);
  for (int y = 0; y < SrcHeight; ++y)
    for (int x = 0; x < DstWidth; ++x)
      Scratch.Intermediate[std::size_t(y) * DstWidth + x] =
          Weighted(Src + std::size_t(y) * SrcWidth, 1, Scratch.Horizontal, x);
  BuildContributors(SrcHeight, DstHeight, Scratch.Vertical);
  for (int x = 0; x < DstWidth; ++x)
    for (int y = 0; y < DstHeight; ++y)
      Dst[std::size_t(y) * DstWidth + x] = Weighted(Scratch.Intermediate.data() + x, DstWidth, Scratch.Vertical, y);
}

// A literal run gives back its last byte when the byte after it repeats it, so that byte starts the
// following repeat run.
std::vector<std::uint8_t> PackRuns(const std::uint8_t* Data, std::size_t Size) {
  std::vector<std::uint8_t> out;
  std::size_t i = 0;
  while (i < Size) {
    const bool repeat = i + 1 < Size && Data[i + 1] == Data[i];
    std::size_t length = 1;
    std::uint8_t current = Data[i];
    for (std::size_t j = i + 1; length < 125 && j < Size; ++j) {
      const std::uint8_t next = Data[j];
      if (repeat ? next != current : next == current) {
        if (!repeat) --length;
        break;
      }
      current = next;
      ++length;
    }
    if (repeat) {
      out.push_back(std::uint8_t(length));
      out.push_back(Data[i]);
    } else {
      out.push_back(std::uint8_t(length | 0x80));
      out.insert(out.end(), Data + i, Data + i + length);
    }
    i += length;
  }
  return out;
}

bool UnpackRuns(const std::uint8_t* Packed, std::size_t Size, std::vector<std::uint8_t>& Out) {
  std::size_t i = 0;
  while (i < Size) {
    const std::uint8_t control = Packed[i++];
    const std::size_t length = control & 0x7F;
    if (control & 0x80) {
      if (length > Size - i) return false;
      Out.insert(Out.end(), Packed + i, Packed + i + length);
      i += length;
    } else {
      if (i >= Size) return false;
      Out.insert(Out.end(), length, Packed[i++]);
    }
  }
  return true;
}

}  // namespace cxpixels
