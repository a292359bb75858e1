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
      {"two lanes in one row", 2, 0, frames, 50, 1, 100, {true, true}, 0, 0},
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

// Min/max of frames [a, b) of a list, each part widened to the summary entries of its block it touches.
void WidenedPeaks(const BlockList& audio, std::int64_t a, std::int64_t b, PeakPair* out) {
  const int channels = audio.Channels();
  bool first = true;
  std::vector<float> samples;
  for (const Segment& s : audio.Slice(a, b)) {
    const std::int64_t from = s.Start / kSummaryFrames * kSummaryFrames;
    const std::int64_t to = std::min(s.Block->Frames(), (s.Start + s.Frames + kSummaryFrames - 1) / kSummaryFrames * kSummaryFrames);
    samples.resize(static_cast<std::size_t>((to - from) * channels));
    s.Block->Read(from, to - from, samples.data());
    PeakPair part[2];
    ScanPeaks(samples.data(), to - from, channels, part);
    for (int c = 0; c < channels; ++c) {
      out[c].Min = first ? part[c].Min : std::min(out[c].Min, part[c].Min);
      out[c].Max = first ? part[c].Max : std::max(out[c].Max, part[c].Max);
    }
    first = false;
  }
}

TEST(WaveformRaster, WideColumnsStayWithinTheSummaryEntriesTheyTouch) {
  const std::int64_t frames = kBlockFrames * 9 + 1000;
  // Left channel: within each block the maxima rise and the minima fall towards the start, so
  // merging an entry too many or too few at either end of a run shows. Right channel: quiet noise
  // with a spike of its own height every 1777 frames, for the runs' middles.
  const auto signal = [](std::int64_t i, int c) {
    const double along = static_cast<double>(i % kBlockFrames) / kBlockFrames;
    if (c == 0) return static_cast<float>(i % 2 ? -0.9 + 0.8 * along : 0.1 + 0.8 * along);
    if (i % 1777 == 100) return static_cast<float>((i % 2 ? -0.2 : 0.2) - (i % 1000) * 0.0007 * (i % 2 ? 1 : -1));
    const std::uint32_t h = static_cast<std::uint32_t>(i * 2654435761u);
    return static_cast<float>(0.1 * ((h >> 8) / 8388608.0 - 1.0));
  };
  BlockStore store;
  for (int channels : {1, 2}) {
    BlockWriter writer(store, channels);
    const std::vector<float> samples = Signal(frames, channels, signal);
    writer.Write(samples.data(), frames);
    const BlockList written(channels, writer.Finish());
    // Cuts and an insertion at odd frames, so parts of blocks start and end inside summary entries.
    const BlockListRef edited = written.Replace(70001, 200333, {})->Replace(300007, 300007, written.Slice(5, 90000));
    const BlockList& audio = *edited;
    std::vector<float> all(static_cast<std::size_t>(audio.Frames() * channels));
    audio.Read(0, audio.Frames(), all.data());
    // From columns of several blocks down to columns of about one summary entry.
    for (int width : {3, 16, 97, 400, 2300}) {
      SCOPED_TRACE(testing::Message() << channels << " channels, " << width << " columns");
      WaveformScratch scratch;
      ComputeColumns(audio, 0, audio.Frames(), width, scratch);
      for (int x = 0; x < width; ++x) {
        const std::int64_t a = ColumnStart(0, audio.Frames(), width, x), b = ColumnStart(0, audio.Frames(), width, x + 1);
        PeakPair exact[2], wide[2];
        ScanPeaks(all.data() + a * channels, b - a, channels, exact);
        WidenedPeaks(audio, a, b, wide);
        for (int c = 0; c < channels; ++c) {
          const PeakPair& column = scratch.Columns[static_cast<std::size_t>(x * channels + c)];
          ASSERT_LE(column.Min, exact[c].Min) << x;
          ASSERT_GE(column.Max, exact[c].Max) << x;
          ASSERT_GE(column.Min, wide[c].Min) << x;
          ASSERT_LE(column.Max, wide[c].Max) << x;
        }
      }
    }
  }
}

TEST(WaveformRaster, ColumnEdgesAreTheExactFloorOfTheirShare) {
  struct {
    std::int64_t span;
    int columns, x;
    std::int64_t start;
  } cases[] = {
      {10, 3, 1, 3},
      {10, 3, 2, 6},
      {10, 3, 3, 10},
      {0, 5, 4, 0},
      {-50, 4, 2, 0},  // a reversed view puts every column at its start
      // Past what a double holds exactly: floor(2^62 / 3).
      {std::int64_t{1} << 61, 3, 2, 1537228672809129301},
  };
  for (const auto& t : cases) EXPECT_EQ(ColumnStart(1000, 1000 + t.span, t.columns, t.x), 1000 + t.start) << t.span;
  // The stepped edges of a redraw agree with the formula.
  WaveformScratch scratch;
  const BlockList empty(2);
  for (std::int64_t span : {std::int64_t{0}, std::int64_t{1279}, std::int64_t{158760000}, (std::int64_t{1} << 53) + 7}) {
    ComputeColumns(empty, 5, 5 + span, 1280, scratch);
    for (int x = 0; x <= 1280; ++x)
      ASSERT_EQ(scratch.Edges[static_cast<std::size_t>(x)], ColumnStart(5, 5 + span, 1280, x)) << span << " " << x;
  }
}

}  // namespace
