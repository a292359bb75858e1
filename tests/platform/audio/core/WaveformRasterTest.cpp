#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>

#include "AudioTestUtil.h"
#include "platform/audio/core/WaveformRaster.h"

namespace {

using namespace audio_test;

// The picture the rasteriser promises, pixel by pixel, from the columns' min/max.
std::uint32_t ExpectedPixel(const std::vector<PeakPair>& columns, int channels, std::int64_t frames,
                            std::int64_t viewStart, std::int64_t viewEnd, int width, int height,
                            const WaveformStyle& style, int x, int y) {
  const std::int64_t a = ColumnStart(viewStart, viewEnd, width, x);
  const std::int64_t b = std::max(a + 1, ColumnStart(viewStart, viewEnd, width, x + 1));
  const bool selected = style.SelectionEnd > style.SelectionStart && b > style.SelectionStart && a < style.SelectionEnd;
  const std::uint32_t back = selected ? style.SelectionBackground : style.Background;
  const std::uint32_t fore = selected ? style.SelectedWave : style.Wave;
  std::vector<int> lanes;
  for (int c = 0; c < channels; ++c)
    if (style.ChannelVisible[c]) lanes.push_back(c);
  if (lanes.empty()) return back;
  const int count = static_cast<int>(lanes.size());
  int lane = 0;
  while (y >= height * (lane + 1) / count) ++lane;
  const int top = height * lane / count, bottom = height * (lane + 1) / count;
  if (lane > 0 && y == top) return style.ChannelDivider;
  const double half = (bottom - top) / 2.0, centre = top + half;
  const double shown = std::max(style.VerticalPercent, 1e-3) / 100.0;
  auto rowOf = [&](float v) { return std::clamp(static_cast<int>(std::floor(centre - (v / shown) * half)), top, bottom - 1); };
  if (a < frames) {
    const PeakPair& p = columns[static_cast<std::size_t>(x * channels + lanes[lane])];
    if (rowOf(p.Max) <= y && y <= rowOf(p.Min)) return fore;
  }
  return y == static_cast<int>(centre) ? style.CentreLine : back;
}

struct PictureCase {
  const char* name;
  int channels;
  std::int64_t viewStart, viewEnd;  // may reach past the audio
  int width, height;
  double verticalPercent;
  bool visible[2];
  std::int64_t selectionStart, selectionEnd;
};

TEST(WaveformRaster, EveryPixelFollowsItsColumnsExtentLaneAndSelection) {
  const std::int64_t frames = 300000;
  // Noise whose loudness swings, so column extents cross each other at every height.
  const auto noisy = [](std::int64_t i, int c) {
    const double level = 0.05 + 0.9 * std::fabs(std::sin(i * 0.00021 + c));
    const std::uint32_t h = static_cast<std::uint32_t>(i * 2654435761u + c * 40503u);
    return static_cast<float>(level * ((h >> 8) / 8388608.0 - 1.0));
  };
  const PictureCase cases[] = {
      {"stereo overview", 2, 0, frames, 640, 201, 100, {true, true}, 1000, 90000},
      {"mono zoomed into samples", 1, 5000, 5700, 300, 99, 100, {true, true}, 5100, 5200},
      {"view past the end", 2, 200000, 500000, 257, 64, 100, {true, true}, 250000, 700000},
      {"left lane hidden, vertical zoom", 2, 0, frames, 400, 150, 40, {false, true}, 0, 0},
      {"both lanes hidden", 2, 0, frames, 100, 30, 100, {false, false}, 10, 20000},
      {"one row per lane", 2, 0, frames, 50, 2, 100, {true, true}, 0, 0},
  };
  BlockStore store;
  for (const PictureCase& t : cases) {
    SCOPED_TRACE(t.name);
    BlockWriter writer(store, t.channels);
    const std::vector<float> samples = Signal(frames, t.channels, noisy);
    writer.Write(samples.data(), frames);
    const BlockList audio(t.channels, writer.Finish());
    WaveformStyle style;
    style.Background = 0xFF000001u;
    style.SelectionBackground = 0xFF000002u;
    style.Wave = 0xFF000003u;
    style.SelectedWave = 0xFF000004u;
    style.CentreLine = 0xFF000005u;
    style.ChannelDivider = 0xFF000006u;
    style.VerticalPercent = t.verticalPercent;
    style.ChannelVisible[0] = t.visible[0];
    style.ChannelVisible[1] = t.visible[1];
    style.SelectionStart = t.selectionStart;
    style.SelectionEnd = t.selectionEnd;
    // A stride wider than the picture: the pixels beside it stay untouched.
    const int stride = t.width + 3;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(stride * t.height), 0xDEADBEEFu);
    WaveformScratch scratch;
    RasterizeWaveform(audio, t.viewStart, t.viewEnd, {pixels.data(), t.width, t.height, stride}, style, scratch);
    WaveformScratch reference;
    ComputeColumns(audio, t.viewStart, t.viewEnd, t.width, reference);
    int wrong = 0;
    for (int y = 0; y < t.height; ++y) {
      for (int x = 0; x < stride; ++x) {
        const std::uint32_t expected =
            x < t.width ? ExpectedPixel(reference.Columns, t.channels, frames, t.viewStart, t.viewEnd, t.width, t.height,
                                        style, x, y)
                        : 0xDEADBEEFu;
        if (pixels[static_cast<std::size_t>(y * stride + x)] != expected && ++wrong <= 5)
          ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex << pixels[y * stride + x] << ", expected "
                        << expected;
      }
    }
    EXPECT_EQ(wrong, 0);
  }
}

}  // namespace
