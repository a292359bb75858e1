#include "platform/audio/core/WaveformRaster.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

void ColumnsFromSummaries(const BlockList& audio, std::int64_t viewStart, std::int64_t viewEnd, int columns,
                          PeakPair* out) {
  const int channels = audio.Channels();
  const std::int64_t length = audio.Frames();
  std::size_t segment = audio.SegmentAt(std::clamp<std::int64_t>(viewStart, 0, length - 1));
  for (int x = 0; x < columns; ++x) {
    const std::int64_t a = std::clamp<std::int64_t>(ColumnStart(viewStart, viewEnd, columns, x), 0, length);
    const std::int64_t b = std::clamp<std::int64_t>(ColumnStart(viewStart, viewEnd, columns, x + 1), 0, length);
    if (a >= b) continue;
    PeakAccumulator peaks(channels);
    while (segment + 1 < audio.Segments().size() && audio.SegmentStart(segment + 1) <= a) ++segment;
    for (std::size_t i = segment; i < audio.Segments().size() && audio.SegmentStart(i) < b; ++i) {
      const Segment& s = audio.Segments()[i];
      const std::int64_t start = audio.SegmentStart(i);
      const std::int64_t from = s.Start + std::max<std::int64_t>(0, a - start);
      const std::int64_t to = s.Start + std::min(s.Frames, b - start);
      s.Block->Summary().MergeRange(from, to, peaks);
    }
    PeakPair result[2];
    peaks.Result(result);
    for (int c = 0; c < channels; ++c) out[static_cast<std::ptrdiff_t>(x) * channels + c] = result[c];
  }
}

void ColumnsFromSamples(const BlockList& audio, std::int64_t viewStart, std::int64_t viewEnd, int columns,
                        std::vector<float>& samples, PeakPair* out) {
  const int channels = audio.Channels();
  const std::int64_t from = std::clamp<std::int64_t>(viewStart, 0, audio.Frames());
  const std::int64_t to = std::clamp<std::int64_t>(viewEnd, from, audio.Frames());
  samples.resize(static_cast<std::size_t>((to - from) * channels));
  audio.Read(from, to - from, samples.data());
  for (int x = 0; x < columns; ++x) {
    std::int64_t a = ColumnStart(viewStart, viewEnd, columns, x);
    std::int64_t b = std::max(a + 1, ColumnStart(viewStart, viewEnd, columns, x + 1));
    a = std::clamp(a, from, to);
    b = std::clamp(b, from, to);
    if (a < b) ScanPeaks(samples.data() + (a - from) * channels, b - a, channels, out + static_cast<std::ptrdiff_t>(x) * channels);
  }
}

}  // namespace

std::int64_t ColumnStart(std::int64_t viewStart, std::int64_t viewEnd, int columns, int x) {
  const double span = static_cast<double>(viewEnd - viewStart);
  return viewStart + static_cast<std::int64_t>(std::floor(span * x / columns));
}

void ComputeColumns(const BlockList& audio, std::int64_t viewStart, std::int64_t viewEnd, int columns,
                    WaveformScratch& scratch) {
  const int channels = audio.Channels();
  scratch.Columns.assign(static_cast<std::size_t>(std::max(columns, 0) * channels), PeakPair{});
  if (audio.Frames() == 0 || viewEnd <= viewStart || columns <= 0) return;
  if ((viewEnd - viewStart) / columns >= kSummaryFrames)
    ColumnsFromSummaries(audio, viewStart, viewEnd, columns, scratch.Columns.data());
  else
    ColumnsFromSamples(audio, viewStart, viewEnd, columns, scratch.Samples, scratch.Columns.data());
}

void RasterizeWaveform(const BlockList& audio, std::int64_t viewStart, std::int64_t viewEnd, const PixelBuffer& target,
                       const WaveformStyle& style, WaveformScratch& scratch) {
  const int width = target.Width, height = target.Height;
  if (width <= 0 || height <= 0) return;
  const int channels = audio.Channels();
  ComputeColumns(audio, viewStart, viewEnd, width, scratch);

  // Per column: background and wave colour (selection or not), and whether there is audio.
  scratch.Back.resize(static_cast<std::size_t>(width));
  scratch.Fore.resize(static_cast<std::size_t>(width));
  int audioColumns = 0;
  for (int x = 0; x < width; ++x) {
    const std::int64_t a = ColumnStart(viewStart, viewEnd, width, x);
    const std::int64_t b = std::max(a + 1, ColumnStart(viewStart, viewEnd, width, x + 1));
    const bool selected = style.SelectionEnd > style.SelectionStart && b > style.SelectionStart && a < style.SelectionEnd;
    scratch.Back[x] = selected ? style.SelectionBackground : style.Background;
    scratch.Fore[x] = selected ? style.SelectedWave : style.Wave;
    if (a < audio.Frames()) audioColumns = x + 1;
  }

  int lanes[2], laneCount = 0;
  for (int c = 0; c < channels; ++c)
    if (style.ChannelVisible[c]) lanes[laneCount++] = c;
  const double shown = std::max(style.VerticalPercent, 1e-3) / 100.0;
  scratch.Top.assign(static_cast<std::size_t>(2 * width), INT_MAX);
  scratch.Bottom.assign(static_cast<std::size_t>(2 * width), INT_MIN);
  for (int lane = 0; lane < laneCount; ++lane) {
    const int top = height * lane / laneCount, bottom = height * (lane + 1) / laneCount;
    const double half = (bottom - top) / 2.0, centre = top + half;
    auto rowOf = [&](float v) {
      return std::clamp(static_cast<int>(std::floor(centre - (v / shown) * half)), top, bottom - 1);
    };
    for (int x = 0; x < audioColumns; ++x) {
      const PeakPair& p = scratch.Columns[static_cast<std::size_t>(x * channels + lanes[lane])];
      scratch.Top[lane * width + x] = rowOf(p.Max);
      scratch.Bottom[lane * width + x] = rowOf(p.Min);
    }
  }

  // One pass over the rows, each pixel written once.
  const std::uint32_t* back = scratch.Back.data();
  const std::uint32_t* fore = scratch.Fore.data();
  for (int lane = 0; lane < std::max(laneCount, 1); ++lane) {
    const int top = laneCount ? height * lane / laneCount : 0;
    const int bottom = laneCount ? height * (lane + 1) / laneCount : height;
    const int centreRow = std::clamp(static_cast<int>(top + (bottom - top) / 2.0), top, bottom - 1);
    const int* y0 = scratch.Top.data() + lane * width;
    const int* y1 = scratch.Bottom.data() + lane * width;
    // Rows no column's wave reaches are plain background: quiet audio leaves most of them so.
    const int waveTop = laneCount ? *std::min_element(y0, y0 + width) : INT_MAX;
    const int waveBottom = laneCount ? *std::max_element(y1, y1 + width) : INT_MIN;
    for (int y = top; y < bottom; ++y) {
      std::uint32_t* row = target.Pixels + static_cast<std::ptrdiff_t>(y) * target.Stride;
      if (laneCount && y == top && lane > 0) {
        std::fill(row, row + width, style.ChannelDivider);
        continue;
      }
      const bool centre = laneCount && y == centreRow;
      if ((y < waveTop || y > waveBottom) && !centre) {
        std::copy(back, back + width, row);
        continue;
      }
      // Masks instead of branches, so the row loop vectorises.
      const std::uint32_t centreMask = centre ? ~0u : 0u, centreLine = style.CentreLine & centreMask;
      for (int x = 0; x < width; ++x) {
        const std::uint32_t wave = 0u - static_cast<std::uint32_t>((y0[x] <= y) & (y <= y1[x]));
        const std::uint32_t rest = (back[x] & ~centreMask) | centreLine;
        row[x] = (fore[x] & wave) | (rest & ~wave);
      }
    }
  }
}
