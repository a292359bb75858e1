#include "platform/audio/core/FrequencyRaster.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kBins = kSpectrumWindow / 2 + 1;

void Prepare(SpectrumScratch& s) {
  if (static_cast<int>(s.Window.size()) == kSpectrumWindow) return;
  s.Window.resize(kSpectrumWindow);
  for (int i = 0; i < kSpectrumWindow; ++i)
    s.Window[i] = static_cast<float>(0.5 - 0.5 * std::cos(2 * kPi * i / kSpectrumWindow));
  s.Twiddles.resize(kSpectrumWindow / 2);
  for (int i = 0; i < kSpectrumWindow / 2; ++i)
    s.Twiddles[i] = std::polar(1.0f, static_cast<float>(-2 * kPi * i / kSpectrumWindow));
  s.Bins.resize(kSpectrumWindow);
  s.Levels.resize(kBins);
}

// In-place iterative radix-2 transform of kSpectrumWindow points.
void Transform(std::vector<std::complex<float>>& a, const std::vector<std::complex<float>>& twiddles) {
  const int n = kSpectrumWindow;
  for (int i = 1, j = 0; i < n; ++i) {
    int bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(a[i], a[j]);
  }
  for (int len = 2; len <= n; len <<= 1) {
    const int step = n / len;
    for (int i = 0; i < n; i += len) {
      for (int k = 0; k < len / 2; ++k) {
        const std::complex<float> u = a[i + k], v = a[i + k + len / 2] * twiddles[k * step];
        a[i + k] = u + v;
        a[i + k + len / 2] = u - v;
      }
    }
  }
}

std::uint32_t Blend(std::uint32_t a, std::uint32_t b, double t) {
  std::uint32_t out = 0xFF000000u;
  for (int shift = 0; shift < 24; shift += 8) {
    const double x = ((a >> shift) & 0xFF) * (1 - t) + ((b >> shift) & 0xFF) * t;
    out |= static_cast<std::uint32_t>(std::lround(x)) << shift;
  }
  return out;
}

}  // namespace

void SpectrumLevels(const float* interleaved, int channels, int channel, SpectrumScratch& s) {
  Prepare(s);
  for (int i = 0; i < kSpectrumWindow; ++i) s.Bins[i] = {interleaved[i * channels + channel] * s.Window[i], 0.0f};
  Transform(s.Bins, s.Twiddles);
  // A full-scale sine gives |X| = N/4 with a Hann window: that is 0 dB.
  const float reference = kSpectrumWindow / 4.0f;
  for (int k = 0; k < kBins; ++k) {
    const float magnitude = std::abs(s.Bins[k]) / reference;
    s.Levels[k] = magnitude > 1e-10f ? 20.0f * std::log10(magnitude) : -200.0f;
  }
}

void RasterizeSpectrum(const BlockList& audio, std::int64_t viewStart, std::int64_t viewEnd, const PixelBuffer& target,
                       const SpectrumStyle& style, SpectrumScratch& scratch) {
  const int width = target.Width, height = target.Height, channels = audio.Channels();
  for (int y = 0; y < height; ++y)
    std::fill(target.Pixels + static_cast<std::ptrdiff_t>(y) * target.Stride,
              target.Pixels + static_cast<std::ptrdiff_t>(y) * target.Stride + width, style.Low);
  int lanes[2], laneCount = 0;
  for (int c = 0; c < channels; ++c)
    if (style.ChannelVisible[c]) lanes[laneCount++] = c;
  if (laneCount == 0 || width <= 0 || viewEnd <= viewStart) return;
  Prepare(scratch);
  scratch.Samples.resize(static_cast<std::size_t>(kSpectrumWindow * channels));
  const std::int64_t length = audio.Frames();
  for (int x = 0; x < width; ++x) {
    const std::int64_t a = ColumnStart(viewStart, viewEnd, width, x);
    const std::int64_t b = std::max(a + 1, ColumnStart(viewStart, viewEnd, width, x + 1));
    if (a >= length) break;
    // The window centred on the column, zero where it reaches outside the audio.
    const std::int64_t first = (a + b) / 2 - kSpectrumWindow / 2;
    const std::int64_t from = std::clamp<std::int64_t>(first, 0, length);
    const std::int64_t to = std::clamp<std::int64_t>(first + kSpectrumWindow, 0, length);
    std::fill(scratch.Samples.begin(), scratch.Samples.end(), 0.0f);
    if (to > from) audio.Read(from, to - from, scratch.Samples.data() + (from - first) * channels);
    for (int lane = 0; lane < laneCount; ++lane) {
      SpectrumLevels(scratch.Samples.data(), channels, lanes[lane], scratch);
      const int top = height * lane / laneCount, bottom = height * (lane + 1) / laneCount;
      const int rows = bottom - top;
      for (int y = top; y < bottom; ++y) {
        const int fromBottom = bottom - 1 - y;
        const int bin = rows > 1 ? static_cast<int>(std::lround(static_cast<double>(fromBottom) * (kBins - 1) / (rows - 1))) : 0;
        const double t = std::clamp((scratch.Levels[bin] + 100.0) / 100.0, 0.0, 1.0);
        target.Pixels[static_cast<std::ptrdiff_t>(y) * target.Stride + x] =
            t < 0.5 ? Blend(style.Low, style.Mid, t * 2) : Blend(style.Mid, style.High, t * 2 - 1);
      }
    }
  }
}
