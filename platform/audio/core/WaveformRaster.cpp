#include "platform/audio/core/WaveformRaster.h"

#include <algorithm>
#include <climits>

namespace {

// First frame of each column x in [0, columns], exactly floor(span * x / columns) past viewStart,
// stepped without dividing per column.
void FillColumnEdges(std::int64_t viewStart, std::int64_t viewEnd, int columns, std::vector<std::int64_t>& edges) {
  edges.resize(static_cast<std::size_t>(columns) + 1);
  const std::int64_t span = std::max<std::int64_t>(viewEnd - viewStart, 0);
  const std::int64_t whole = span / columns, part = span % columns;
  std::int64_t at = viewStart, carry = 0;
  for (int x = 0; x <= columns; ++x) {
    edges[static_cast<std::size_t>(x)] = at;
    at += whole;
    carry += part;
    if (carry >= columns) {
      carry -= columns;
      ++at;
    }
  }
}

void ColumnsFromSummaries(const BlockList& audio, const std::int64_t* edges, int columns, PeakPair* out) {
  const int channels = audio.Channels();
  const std::int64_t length = audio.Frames();
  const std::vector<Segment>& segments = audio.Segments();
  std::size_t segment = audio.SegmentAt(std::clamp<std::int64_t>(edges[0], 0, length - 1));
  for (int x = 0; x < columns; ++x) {
    const std::int64_t a = std::clamp<std::int64_t>(edges[x], 0, length);
    const std::int64_t b = std::clamp<std::int64_t>(edges[x + 1], 0, length);
    if (a >= b) continue;
    PeakAccumulator peaks(channels);
    while (segment + 1 < segments.size() && audio.SegmentStart(segment + 1) <= a) ++segment;
    for (std::size_t i = segment; i < segments.size() && audio.SegmentStart(i) < b; ++i) {
      const Segment& s = segments[i];
      const std::int64_t start = audio.SegmentStart(i);
      const std::int64_t from = s.Start + std::max<std::int64_t>(0, a - start);
      const std::int64_t to = s.Start + std::min(s.Frames, b - start);
      s.Block->Summary().MergeRange(from, to, peaks);
    }
    peaks.Result(out + static_cast<std::ptrdiff_t>(x) * channels);
  }
}

// Min/max of a few frames: cheaper in place than the packed scan's set-up.
void ScanFewPeaks(const float* samples, std::int64_t frames, int channels, PeakPair* out) {
  for (int c = 0; c < channels; ++c) {
    PeakPair p{samples[c], samples[c]};
    for (std::int64_t i = 1; i < frames; ++i) {
      const float v = samples[i * channels + c];
      p.Min = std::min(p.Min, v);
      p.Max = std::max(p.Max, v);
    }
    out[c] = p;
  }
}

void ColumnsFromSamples(const BlockList& audio, const std::int64_t* edges, int columns, std::vector<float>& samples,
                        PeakPair* out) {
  const int channels = audio.Channels();
  const std::int64_t from = std::clamp<std::int64_t>(edges[0], 0, audio.Frames());
  const std::int64_t to = std::clamp<std::int64_t>(edges[columns], from, audio.Frames());
  samples.resize(static_cast<std::size_t>((to - from) * channels));
  audio.Read(from, to - from, samples.data());
  constexpr std::int64_t kFewFrames = 16;
  for (int x = 0; x < columns; ++x) {
    const std::int64_t a = std::clamp(edges[x], from, to);
    const std::int64_t b = std::clamp(std::max(edges[x] + 1, edges[x + 1]), from, to);
    if (a >= b) continue;
    const float* first = samples.data() + (a - from) * channels;
    PeakPair* column = out + static_cast<std::ptrdiff_t>(x) * channels;
    if (b - a < kFewFrames)
      ScanFewPeaks(first, b - a, channels, column);
    else
      ScanPeaks(first, b - a, channels, column);
  }
}

}  // namespace

std::int64_t ColumnStart(std::int64_t viewStart, std::int64_t viewEnd, int columns, int x) {
  // floor(span * x / columns) without overflowing or rounding: span = whole * columns + part.
  const std::int64_t span = std::max<std::int64_t>(viewEnd - viewStart, 0);
  return viewStart + span / columns * x + span % columns * x / columns;
}

void ComputeColumns(const BlockList& audio, std::int64_t viewStart, std::int64_t viewEnd, int columns,
                    WaveformScratch& scratch) {
  const int channels = audio.Channels();
  scratch.Columns.assign(static_cast<std::size_t>(std::max(columns, 0) * channels), PeakPair{});
  if (columns <= 0) return;
  FillColumnEdges(viewStart, viewEnd, columns, scratch.Edges);
  if (audio.Frames() == 0 || viewEnd <= viewStart) return;
  if ((viewEnd - viewStart) / columns >= kSummaryFrames)
    ColumnsFromSummaries(audio, scratch.Edges.data(), columns, scratch.Columns.data());
  else
    ColumnsFromSamples(audio, scratch.Edges.data(), columns, scratch.Samples, scratch.Columns.data());
}

namespace {

// Per column: the colours of its background and wave (selected or not); returns how many columns
// from the left hold audio.
int ColumnColours(const BlockList& audio, int width, const WaveformStyle& style, WaveformScratch& scratch) {
  scratch.Back.resize(static_cast<std::size_t>(width));
  scratch.Fore.resize(static_cast<std::size_t>(width));
  const bool anySelection = style.SelectionEnd > style.SelectionStart;
  const std::int64_t* edges = scratch.Edges.data();
  int audioColumns = 0;
  for (int x = 0; x < width; ++x) {
    const std::int64_t a = edges[x];
    const std::int64_t b = std::max(a + 1, edges[x + 1]);
    const bool selected = anySelection && b > style.SelectionStart && a < style.SelectionEnd;
    scratch.Back[x] = selected ? style.SelectionBackground : style.Background;
    scratch.Fore[x] = selected ? style.SelectedWave : style.Wave;
    if (a < audio.Frames()) audioColumns = x + 1;
  }
  return audioColumns;
}

struct LaneRows {
  int Top, Bottom, Centre;
};

LaneRows LaneAt(int height, int lane, int laneCount) {
  const int top = height * lane / laneCount, bottom = height * (lane + 1) / laneCount;
  return {top, bottom, top + (bottom - top) / 2};
}

// Rows [Top[x], Bottom[x]] of each column's wave in one lane; columns without audio get an empty
// range.
void WaveRows(const PeakPair* columns, int channels, int channel, int audioColumns, int width, LaneRows rows,
              double shown, int* top, int* bottom) {
  const double half = (rows.Bottom - rows.Top) / 2.0, centre = rows.Top + half;
  const double first = rows.Top, last = rows.Bottom - 1;
  // Clamped before truncating, so truncation is the floor; NaN lands on the top row.
  const auto rowOf = [&](float v) {
    double row = centre - (v / shown) * half;
    row = row >= first ? row : first;
    row = row <= last ? row : last;
    return static_cast<int>(row);
  };
  for (int x = 0; x < audioColumns; ++x) {
    const PeakPair& p = columns[static_cast<std::ptrdiff_t>(x) * channels + channel];
    top[x] = rowOf(p.Max);
    bottom[x] = rowOf(p.Min);
  }
  std::fill(top + audioColumns, top + width, INT_MAX);
  std::fill(bottom + audioColumns, bottom + width, INT_MIN);
}

// Sorts the columns by the row where their wave starts (code 2x + 1) and the row below its end
// (code 2x), so a lane is drawn row by row changing only the pixels whose state flips.
void SortRowChanges(const int* top, const int* bottom, int width, LaneRows rows, WaveformScratch& scratch) {
  const int rowCount = rows.Bottom - rows.Top;
  scratch.ChangeStart.assign(static_cast<std::size_t>(rowCount + 1), 0);
  int* start = scratch.ChangeStart.data();
  const auto forEachChange = [&](auto&& take) {
    for (int x = 0; x < width; ++x) {
      if (top[x] > bottom[x]) continue;
      if (top[x] > rows.Top) take(top[x] - rows.Top, 2 * x + 1);
      if (bottom[x] + 1 < rows.Bottom) take(bottom[x] + 1 - rows.Top, 2 * x);
    }
  };
  forEachChange([&](int row, int) { ++start[row + 1]; });
  for (int r = 0; r < rowCount; ++r) start[r + 1] += start[r];
  scratch.Changes.resize(static_cast<std::size_t>(start[rowCount]));
  scratch.ChangeFill.assign(start, start + rowCount);
  int* fill = scratch.ChangeFill.data();
  int* changes = scratch.Changes.data();
  forEachChange([&](int row, int code) { changes[fill[row]++] = code; });
}

void DrawLane(const PixelBuffer& target, LaneRows rows, bool divider, const int* top, const int* bottom,
              const WaveformStyle& style, WaveformScratch& scratch) {
  const int width = target.Width;
  const std::uint32_t* back = scratch.Back.data();
  const std::uint32_t* fore = scratch.Fore.data();
  const auto inWave = [&](int x, int y) { return top[x] <= y && y <= bottom[x]; };
  SortRowChanges(top, bottom, width, rows, scratch);
  // The lane's current row without its centre line, changed where a wave starts or ends.
  scratch.Line.resize(static_cast<std::size_t>(width));
  std::uint32_t* line = scratch.Line.data();
  for (int x = 0; x < width; ++x) line[x] = inWave(x, rows.Top) ? fore[x] : back[x];
  const std::uint32_t* colours[2] = {back, fore};
  const int* changes = scratch.Changes.data();
  const int* start = scratch.ChangeStart.data();
  for (int y = rows.Top; y < rows.Bottom; ++y) {
    const int r = y - rows.Top;
    for (int i = start[r]; i < start[r + 1]; ++i) {
      const int x = changes[i] >> 1;
      line[x] = colours[changes[i] & 1][x];
    }
    std::uint32_t* row = target.Pixels + static_cast<std::ptrdiff_t>(y) * target.Stride;
    if (divider && y == rows.Top) {
      std::fill(row, row + width, style.ChannelDivider);
    } else if (y == rows.Centre) {
      for (int x = 0; x < width; ++x) row[x] = inWave(x, y) ? fore[x] : style.CentreLine;
    } else {
      std::copy(line, line + width, row);
    }
  }
}

}  // namespace

void RasterizeWaveform(const BlockList& audio, std::int64_t viewStart, std::int64_t viewEnd, const PixelBuffer& target,
                       const WaveformStyle& style, WaveformScratch& scratch) {
  const int width = target.Width, height = target.Height;
  if (width <= 0 || height <= 0) return;
  const int channels = audio.Channels();
  ComputeColumns(audio, viewStart, viewEnd, width, scratch);
  const int audioColumns = ColumnColours(audio, width, style, scratch);

  int lanes[2], laneCount = 0;
  for (int c = 0; c < channels; ++c)
    if (style.ChannelVisible[c]) lanes[laneCount++] = c;
  if (laneCount == 0) {
    for (int y = 0; y < height; ++y)
      std::copy(scratch.Back.begin(), scratch.Back.end(), target.Pixels + static_cast<std::ptrdiff_t>(y) * target.Stride);
    return;
  }
  const double shown = std::max(style.VerticalPercent, 1e-3) / 100.0;
  scratch.Top.resize(static_cast<std::size_t>(width));
  scratch.Bottom.resize(static_cast<std::size_t>(width));
  for (int lane = 0; lane < laneCount; ++lane) {
    const LaneRows rows = LaneAt(height, lane, laneCount);
    if (rows.Top == rows.Bottom) continue;
    WaveRows(scratch.Columns.data(), channels, lanes[lane], audioColumns, width, rows, shown, scratch.Top.data(),
             scratch.Bottom.data());
    DrawLane(target, rows, lane > 0, scratch.Top.data(), scratch.Bottom.data(), style, scratch);
  }
}
