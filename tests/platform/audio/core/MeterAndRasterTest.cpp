#include <gtest/gtest.h>

#include <cmath>

#include "AudioTestUtil.h"
#include "platform/audio/core/MeterScale.h"
#include "platform/audio/core/WaveformRaster.h"

namespace {

using namespace audio_test;

TEST(MeterScale, FullScaleReads92AndMinus25DecibelsReads67) {
  const std::int64_t frames = 4410;
  for (auto [amplitude, level] : {std::pair<double, int>{1.0, 92}, {std::pow(10.0, -25.0 / 20), 67}, {1e-6, 0}, {0.0, 0}}) {
    const std::vector<float> sine = Signal(frames, 2, [amplitude](std::int64_t i, int c) {
      return static_cast<float>(amplitude * std::sin(2 * kPi * 441.0 * i / 44100 + c));
    });
    int levels[2];
    MeterLevels(sine.data(), frames, 2, levels);
    EXPECT_EQ(levels[0], level) << amplitude;
    EXPECT_EQ(levels[1], level) << amplitude;
  }
  EXPECT_EQ(MeterLevel(2.0f), 92);
}

TEST(WaveformRaster, ColumnsFromSummariesMatchTheSamplesWithinOneEntry) {
  BlockStore store;
  const std::int64_t frames = kBlockFrames * 3;
  std::vector<float> samples = Signal(frames, 1, [](std::int64_t i, int) { return 0.01f * ((i * 37) % 11); });
  samples[100000] = 0.9f;   // a spike a column covers
  samples[150000] = -0.7f;
  BlockWriter writer(store, 1);
  writer.Write(samples.data(), frames);
  const BlockList audio(1, writer.Finish());
  WaveformScratch columns;
  const int width = 300;
  ComputeColumns(audio, 0, frames, width, columns);
  const std::vector<PeakPair>& wideColumns = columns.Columns;
  for (int x = 0; x < width; ++x) {
    const std::int64_t a = ColumnStart(0, frames, width, x), b = ColumnStart(0, frames, width, x + 1);
    PeakPair exact[1], wide[1];
    ScanPeaks(samples.data() + a, b - a, 1, exact);
    const std::int64_t wa = std::max<std::int64_t>(0, a / kSummaryFrames * kSummaryFrames);
    const std::int64_t wb = std::min(frames, (b + kSummaryFrames - 1) / kSummaryFrames * kSummaryFrames);
    ScanPeaks(samples.data() + wa, wb - wa, 1, wide);
    // Never less than the exact extent, never more than the entries touched.
    EXPECT_LE(wideColumns[x].Min, exact[0].Min) << x;
    EXPECT_GE(wideColumns[x].Max, exact[0].Max) << x;
    EXPECT_GE(wideColumns[x].Min, wide[0].Min) << x;
    EXPECT_LE(wideColumns[x].Max, wide[0].Max) << x;
  }
  // Zoomed in closer than a summary entry per column, the columns are exact.
  const std::int64_t from = 99900, to = 100500;
  ComputeColumns(audio, from, to, width, columns);
  for (int x = 0; x < width; ++x) {
    const std::int64_t a = ColumnStart(from, to, width, x), b = std::max(a + 1, ColumnStart(from, to, width, x + 1));
    PeakPair exact[1];
    ScanPeaks(samples.data() + a, b - a, 1, exact);
    EXPECT_EQ(columns.Columns[x].Min, exact[0].Min) << x;
    EXPECT_EQ(columns.Columns[x].Max, exact[0].Max) << x;
  }
}

TEST(WaveformRaster, PixelsShowLanesSelectionAndWaveExtent) {
  BlockStore store;
  const std::int64_t frames = 1000;
  // A full-scale square wave on the left, silence on the right.
  const std::vector<float> samples = Signal(frames, 2, [](std::int64_t i, int c) {
    return c ? 0.0f : ((i / 5) % 2 ? -1.0f : 1.0f);
  });
  BlockWriter writer(store, 2);
  writer.Write(samples.data(), frames);
  const BlockList audio(2, writer.Finish());
  const int width = 100, height = 200;
  std::vector<std::uint32_t> pixels(width * height);
  WaveformStyle style;
  style.SelectionStart = 200;
  style.SelectionEnd = 400;
  WaveformScratch columns;
  RasterizeWaveform(audio, 0, frames, {pixels.data(), width, height, width}, style, columns);
  auto at = [&](int x, int y) { return pixels[y * width + x]; };
  // Left lane (rows 0..99): the square wave fills it top to bottom.
  EXPECT_EQ(at(5, 0), style.Wave);
  EXPECT_EQ(at(5, 99), style.Wave);
  EXPECT_EQ(at(30, 1), style.SelectedWave);
  // Right lane (rows 100..199): silence is a one-pixel line at its centre.
  EXPECT_EQ(at(5, 100), style.ChannelDivider);
  EXPECT_EQ(at(5, 150), style.Wave);
  EXPECT_EQ(at(5, 120), style.Background);
  EXPECT_EQ(at(25, 120), style.SelectionBackground);
  EXPECT_EQ(at(19, 120), style.Background);
  EXPECT_EQ(at(20, 120), style.SelectionBackground);
  EXPECT_EQ(at(39, 120), style.SelectionBackground);
  EXPECT_EQ(at(40, 120), style.Background);

  // At 200 % vertical zoom a half-scale wave fills the lane too.
  style.VerticalPercent = 50;
  const std::vector<float> half = Signal(frames, 2, [](std::int64_t i, int) { return (i / 5) % 2 ? -0.5f : 0.5f; });
  BlockWriter halfWriter(store, 2);
  halfWriter.Write(half.data(), frames);
  RasterizeWaveform(BlockList(2, halfWriter.Finish()), 0, frames, {pixels.data(), width, height, width}, style, columns);
  EXPECT_EQ(at(5, 0), style.Wave);
  EXPECT_EQ(at(5, 199), style.Wave);
}

}  // namespace

#include "platform/audio/core/FrequencyRaster.h"

namespace {

TEST(FrequencyRaster, ASineShowsItsPeakAtItsFrequencysRow) {
  BlockStore store;
  const int rate = 44100;
  const std::int64_t frames = 44100;
  const std::vector<float> sine = audio_test::Signal(frames, 1, [rate](std::int64_t i, int) {
    return static_cast<float>(std::sin(2 * audio_test::kPi * 1000.0 * i / rate));
  });
  BlockWriter writer(store, 1);
  writer.Write(sine.data(), frames);
  const BlockList audio(1, writer.Finish());
  const int width = 50, height = 257;  // one row per bin
  std::vector<std::uint32_t> pixels(width * height);
  SpectrumScratch scratch;
  SpectrumStyle style;
  RasterizeSpectrum(audio, 0, frames, {pixels.data(), width, height, width}, style, scratch);
  const int expectedRow = height - 1 - static_cast<int>(std::lround(1000.0 * kSpectrumWindow / rate));
  for (int x : {10, 25, 40}) {
    int brightest = -1;
    std::uint32_t best = 0;
    for (int y = 0; y < height; ++y) {
      const std::uint32_t p = pixels[y * width + x];
      const std::uint32_t level = (p & 0xFF) + ((p >> 8) & 0xFF) + ((p >> 16) & 0xFF);
      if (level > best) best = level, brightest = y;
    }
    EXPECT_EQ(brightest, expectedRow) << x;
    // A full-scale sine reads within 3 dB of 0 dB there (the bin is not centred on 1 kHz): the ramp is
    // nearly at High, whose green part only the top half of the ramp adds.
    EXPECT_GE((pixels[expectedRow * width + x] >> 8) & 0xFF, 0xF0u) << x;
    EXPECT_EQ(pixels[10 * width + x], style.Low) << x;           // 20 kHz: nothing there
  }
}

}  // namespace
