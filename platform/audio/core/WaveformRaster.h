#pragma once
// Draws waveform lanes into a 32-bit pixel buffer: per column the min/max of the frames it covers,
// from the block summaries when a column spans at least a summary entry (exact within one entry at
// the column's edges), from the samples when zoomed in closer.

#include <cstdint>
#include <vector>

#include "platform/audio/core/BlockList.h"

struct PixelBuffer {
  std::uint32_t* Pixels = nullptr;
  int Width = 0;
  int Height = 0;
  int Stride = 0;  // pixels per row
};

struct WaveformStyle {
  std::uint32_t Background = 0xFF000000u;
  std::uint32_t Wave = 0xFF00FF00u;
  std::uint32_t SelectedWave = 0xFFFFFFFFu;
  std::uint32_t SelectionBackground = 0xFF404040u;
  std::uint32_t CentreLine = 0xFF808080u;
  std::uint32_t ChannelDivider = 0xFF606060u;
  // Shown part of full scale in percent (ZoomVertical).
  double VerticalPercent = 100.0;
  bool ChannelVisible[2] = {true, true};
  std::int64_t SelectionStart = 0;
  std::int64_t SelectionEnd = 0;
};

// First frame of column x (x may be Width, giving the end): viewStart + floor(span * x / columns).
// An empty or reversed view puts every column at its start.
std::int64_t ColumnStart(std::int64_t viewStart, std::int64_t viewEnd, int columns, int x);

// Buffers a redraw needs, kept by the caller so redrawing allocates nothing.
struct WaveformScratch {
  std::vector<std::int64_t> Edges;  // first frame of each column, and the view's end
  std::vector<PeakPair> Columns;
  std::vector<float> Samples;
  std::vector<int> Top, Bottom;  // wave rows per column of the lane being drawn
  std::vector<std::uint32_t> Back, Fore;  // per column
  std::vector<std::uint32_t> Line;  // the lane's current row
  std::vector<int> Changes, ChangeStart, ChangeFill;  // columns whose state flips, sorted by row
};

// Min/max of each column and channel over [viewStart, viewEnd) into scratch.Columns
// [column * channels + channel], and the columns' first frames into scratch.Edges. Columns past the
// end of the audio are left empty (0, 0).
void ComputeColumns(const BlockList& audio, std::int64_t viewStart, std::int64_t viewEnd, int columns,
                    WaveformScratch& scratch);

void RasterizeWaveform(const BlockList& audio, std::int64_t viewStart, std::int64_t viewEnd, const PixelBuffer& target,
                       const WaveformStyle& style, WaveformScratch& scratch);
