#include "platform/audio/core/WaveformRaster.h"

#include <algorithm>
#include <cmath>

namespace {

void Merge(PeakPair& into, const PeakPair& p, bool& empty) {
  if (empty) {
    into = p;
    empty = false;
  } else {
    into.Min = std::min(into.Min, p.Min);
    into.Max = std::max(into.Max, p.Max);
  }
}

// Merges the summary of block frames [a, b) (a whole entry at each edge) into out.
void MergeSummary(const Block& block, std::int64_t a, std::int64_t b, int channels, PeakPair* out, bool* empty) {
  const PeakSummary& summary = block.Summary();
  if (a == 0 && b == block.Frames()) {
    for (int c = 0; c < channels; ++c) Merge(out[c], summary.Whole(c), empty[c]);
    return;
  }
  const std::int64_t last = (b - 1) / kSummaryFrames;
  for (std::int64_t e = a / kSummaryFrames; e <= last; ++e)
    for (int c = 0; c < channels; ++c) Merge(out[c], summary.Entry(e, c), empty[c]);
}

void FillRow(std::uint32_t* row, int from, int to, std::uint32_t colour) { std::fill(row + from, row + to, colour); }

}  // namespace

std::int64_t ColumnStart(std::int64_t viewStart, std::int64_t viewEnd, int columns, int x) {
  const double span = static_cast<double>(viewEnd - viewStart);
  return viewStart + static_cast<std::int64_t>(std::floor(span * x / columns));
}

void ComputeColumns(const BlockList& audio, std::int64_t viewStart, std::int64_t viewEnd, int columns,
                    std::vector<PeakPair>& out) {
  const int channels = audio.Channels();
  out.assign(static_cast<std::size_t>(columns * channels), PeakPair{});
  const std::int64_t length = audio.Frames();
  if (length == 0 || viewEnd <= viewStart || columns <= 0) return;
  const bool fromSummary = (viewEnd - viewStart) / columns >= kSummaryFrames;
  float samples[kSummaryFrames * 2];
  for (int x = 0; x < columns; ++x) {
    std::int64_t a = ColumnStart(viewStart, viewEnd, columns, x);
    std::int64_t b = std::max(a + 1, ColumnStart(viewStart, viewEnd, columns, x + 1));
    a = std::clamp<std::int64_t>(a, 0, length);
    b = std::clamp<std::int64_t>(b, 0, length);
    if (a >= b) continue;
    PeakPair* column = &out[static_cast<std::size_t>(x * channels)];
    bool empty[2] = {true, true};
    if (fromSummary) {
      for (std::size_t i = audio.SegmentAt(a); i < audio.Segments().size() && audio.SegmentStart(i) < b; ++i) {
        const Segment& s = audio.Segments()[i];
        const std::int64_t start = audio.SegmentStart(i);
        const std::int64_t from = s.Start + std::max<std::int64_t>(0, a - start);
        const std::int64_t to = s.Start + std::min(s.Frames, b - start);
        MergeSummary(*s.Block, from, to, channels, column, empty);
      }
    } else {
      for (std::int64_t p = a; p < b; p += kSummaryFrames) {
        const std::int64_t n = std::min(kSummaryFrames, b - p);
        audio.Read(p, n, samples);
        PeakPair peaks[2];
        ScanPeaks(samples, n, channels, peaks);
        for (int c = 0; c < channels; ++c) Merge(column[c], peaks[c], empty[c]);
      }
    }
  }
}

void RasterizeWaveform(const BlockList& audio, std::int64_t viewStart, std::int64_t viewEnd, const PixelBuffer& target,
                       const WaveformStyle& style, std::vector<PeakPair>& columns) {
  const int width = target.Width, height = target.Height;
  if (width <= 0 || height <= 0) return;
  const int channels = audio.Channels();
  ComputeColumns(audio, viewStart, viewEnd, width, columns);

  // Selection columns: those whose frames overlap the selection.
  int selectFrom = width, selectTo = width;
  if (style.SelectionEnd > style.SelectionStart) {
    for (int x = 0; x < width; ++x) {
      const std::int64_t a = ColumnStart(viewStart, viewEnd, width, x);
      const std::int64_t b = std::max(a + 1, ColumnStart(viewStart, viewEnd, width, x + 1));
      if (b > style.SelectionStart && a < style.SelectionEnd) {
        if (selectFrom == width) selectFrom = x;
        selectTo = x + 1;
      }
    }
  }
  for (int y = 0; y < height; ++y) {
    std::uint32_t* row = target.Pixels + static_cast<std::ptrdiff_t>(y) * target.Stride;
    FillRow(row, 0, width, style.Background);
    FillRow(row, selectFrom, selectTo, style.SelectionBackground);
  }

  int lanes[2], laneCount = 0;
  for (int c = 0; c < channels; ++c)
    if (style.ChannelVisible[c]) lanes[laneCount++] = c;
  if (laneCount == 0) return;
  const double shown = std::max(style.VerticalPercent, 1e-3) / 100.0;
  for (int lane = 0; lane < laneCount; ++lane) {
    const int c = lanes[lane];
    const int top = height * lane / laneCount;
    const int bottom = height * (lane + 1) / laneCount;  // exclusive
    const double half = (bottom - top) / 2.0;
    const double centre = top + half;
    if (lane > 0) FillRow(target.Pixels + static_cast<std::ptrdiff_t>(top) * target.Stride, 0, width, style.ChannelDivider);
    const int centreRow = std::clamp(static_cast<int>(centre), top, bottom - 1);
    FillRow(target.Pixels + static_cast<std::ptrdiff_t>(centreRow) * target.Stride, 0, width, style.CentreLine);
    auto rowOf = [&](float v) {
      const double y = centre - (v / shown) * half;
      return std::clamp(static_cast<int>(std::floor(y)), top, bottom - 1);
    };
    for (int x = 0; x < width; ++x) {
      const std::int64_t a = ColumnStart(viewStart, viewEnd, width, x);
      if (a >= audio.Frames()) break;
      const PeakPair& p = columns[static_cast<std::size_t>(x * channels + c)];
      const int y0 = rowOf(p.Max), y1 = rowOf(p.Min);
      const std::uint32_t colour = x >= selectFrom && x < selectTo ? style.SelectedWave : style.Wave;
      std::uint32_t* pixel = target.Pixels + static_cast<std::ptrdiff_t>(y0) * target.Stride + x;
      for (int y = y0; y <= y1; ++y, pixel += target.Stride) *pixel = colour;
    }
  }
}
