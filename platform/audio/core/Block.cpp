#include "platform/audio/core/Block.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "platform/audio/core/Arena.h"

namespace {

// Min/max over values in lanes of eight, a shape the compiler turns into packed min/max; each lane
// holds one channel's values since eight is a multiple of the channel count.
constexpr int kLanes = 8;

using Float4 = float __attribute__((vector_size(16)));

void ScanLanes(const float* values, std::int64_t count, float* mins, float* maxs) {
  // Two four-float accumulators per bound, held in registers; plain C++ where the target has no SIMD.
  Float4 lo0, lo1, hi0, hi1;
  std::memcpy(&lo0, mins, sizeof lo0);
  std::memcpy(&lo1, mins + 4, sizeof lo1);
  std::memcpy(&hi0, maxs, sizeof hi0);
  std::memcpy(&hi1, maxs + 4, sizeof hi1);
  for (std::int64_t i = 0; i + kLanes <= count; i += kLanes) {
    Float4 a, b;
    std::memcpy(&a, values + i, sizeof a);
    std::memcpy(&b, values + i + 4, sizeof b);
    lo0 = a < lo0 ? a : lo0;
    lo1 = b < lo1 ? b : lo1;
    hi0 = a > hi0 ? a : hi0;
    hi1 = b > hi1 ? b : hi1;
  }
  std::memcpy(mins, &lo0, sizeof lo0);
  std::memcpy(mins + 4, &lo1, sizeof lo1);
  std::memcpy(maxs, &hi0, sizeof hi0);
  std::memcpy(maxs + 4, &hi1, sizeof hi1);
}

}  // namespace

void ScanPeaks(const float* samples, std::int64_t frames, int channels, PeakPair* out) {
  const std::int64_t values = frames * channels;
  const std::int64_t laned = values / kLanes * kLanes;
  float mins[kLanes], maxs[kLanes];
  for (int j = 0; j < kLanes; ++j) mins[j] = maxs[j] = j < laned ? samples[j] : 0.0f;
  ScanLanes(samples, laned, mins, maxs);
  for (int c = 0; c < channels; ++c) {
    const std::int64_t first = std::min<std::int64_t>(c, values - 1);
    out[c] = {values ? samples[first] : 0.0f, values ? samples[first] : 0.0f};
  }
  if (laned > 0) {
    for (int j = 0; j < kLanes; ++j) {
      PeakPair& p = out[j % channels];
      p.Min = std::min(p.Min, mins[j]);
      p.Max = std::max(p.Max, maxs[j]);
    }
  }
  for (std::int64_t i = laned; i < values; ++i) {
    PeakPair& p = out[i % channels];
    p.Min = std::min(p.Min, samples[i]);
    p.Max = std::max(p.Max, samples[i]);
  }
}

namespace {

constexpr std::size_t kSummarySlotBytes = kBlockFrames / kSummaryFrames * 2 * sizeof(PeakPair);

Arena& SummaryArena() {
  // Lives as long as the process: blocks held by static objects may release slots at exit.
  static Arena* arena = new Arena(kSummarySlotBytes, 4u << 20);
  return *arena;
}

}  // namespace

void PeakSummary::SlotDeleter::operator()(PeakPair* entries) const { SummaryArena().Release(entries); }

void PeakSummary::Build(const float* samples, std::int64_t frames, int channels) {
  if (frames > kBlockFrames || channels < 1 || channels > 2) throw std::length_error("PeakSummary::Build");
  channels_ = channels;
  const std::int64_t entries = (frames + kSummaryFrames - 1) / kSummaryFrames;
  entryCount_ = entries;
  if (!entries_) entries_.reset(static_cast<PeakPair*>(SummaryArena().Allocate()));
  for (std::int64_t e = 0; e < entries; ++e) {
    const std::int64_t first = e * kSummaryFrames;
    const std::int64_t count = std::min(kSummaryFrames, frames - first);
    ScanPeaks(samples + first * channels, count, channels, &entries_[static_cast<std::size_t>(e * channels)]);
  }
  const std::int64_t coarse = (entries + kCoarseEntries - 1) / kCoarseEntries;
  for (std::int64_t k = 0; k < coarse; ++k) {
    for (int c = 0; c < channels; ++c) {
      PeakPair p = Entry(k * kCoarseEntries, c);
      for (std::int64_t e = k * kCoarseEntries + 1; e < std::min(entries, (k + 1) * kCoarseEntries); ++e) {
        p.Min = std::min(p.Min, Entry(e, c).Min);
        p.Max = std::max(p.Max, Entry(e, c).Max);
      }
      coarse_[k * channels + c] = p;
    }
  }
  for (int c = 0; c < channels; ++c) {
    PeakPair whole = entries ? entries_[static_cast<std::size_t>(c)] : PeakPair{};
    for (std::int64_t e = 1; e < entries; ++e) {
      const PeakPair& p = Entry(e, c);
      whole.Min = std::min(whole.Min, p.Min);
      whole.Max = std::max(whole.Max, p.Max);
    }
    whole_[c] = whole;
  }
}

namespace {

// Min and max over a contiguous run of peak pairs (interleaved by channel), four floats at a time:
// even lanes hold minima, odd lanes maxima.
void MergeRun(const PeakPair* run, std::int64_t entries, int channels, PeakPair* out, bool* empty) {
  if (entries <= 0) return;
  const float* values = &run[0].Min;
  const std::int64_t count = entries * channels * 2;
  const float first[4] = {values[0], values[1], values[channels == 2 ? 2 : 0], values[channels == 2 ? 3 : 1]};
  Float4 lo, hi;
  std::memcpy(&lo, first, sizeof lo);
  hi = lo;
  std::int64_t i = 0;
  for (; i + 4 <= count; i += 4) {
    Float4 v;
    std::memcpy(&v, values + i, sizeof v);
    lo = v < lo ? v : lo;
    hi = v > hi ? v : hi;
  }
  float mins[4], maxs[4];
  std::memcpy(mins, &lo, sizeof mins);
  std::memcpy(maxs, &hi, sizeof maxs);
  PeakPair result[2] = {{mins[0], maxs[1]}, {mins[2], maxs[3]}};
  if (channels == 1) result[0] = {std::min(mins[0], mins[2]), std::max(maxs[1], maxs[3])};
  for (; i < count; i += 2) {  // a mono run's odd last entry
    result[0].Min = std::min(result[0].Min, values[i]);
    result[0].Max = std::max(result[0].Max, values[i + 1]);
  }
  for (int c = 0; c < channels; ++c) {
    if (empty[c]) {
      out[c] = result[c];
      empty[c] = false;
    } else {
      out[c].Min = std::min(out[c].Min, result[c].Min);
      out[c].Max = std::max(out[c].Max, result[c].Max);
    }
  }
}

}  // namespace

void PeakSummary::MergeRange(std::int64_t a, std::int64_t b, PeakPair* out, bool* empty) const {
  if (a >= b) return;
  std::int64_t first = a / kSummaryFrames;
  const std::int64_t end = (b - 1) / kSummaryFrames + 1;  // entries [first, end)
  if (first == 0 && end == entryCount_) {
    MergeRun(whole_, 1, channels_, out, empty);
    return;
  }
  // Fine entries up to a coarse boundary, coarse entries while whole ones fit (or up to the
  // block's end), then fine entries again.
  const std::int64_t coarseFrom = std::min(end, (first + kCoarseEntries - 1) / kCoarseEntries * kCoarseEntries);
  MergeRun(&entries_[first * channels_], coarseFrom - first, channels_, out, empty);
  std::int64_t coarseTo = end == entryCount_ ? end : end / kCoarseEntries * kCoarseEntries;
  if (coarseTo < coarseFrom) coarseTo = coarseFrom;
  const std::int64_t coarseCount = (coarseTo - coarseFrom + kCoarseEntries - 1) / kCoarseEntries;
  MergeRun(&coarse_[coarseFrom / kCoarseEntries * channels_], coarseCount, channels_, out, empty);
  MergeRun(&entries_[coarseTo * channels_], end - coarseTo, channels_, out, empty);
}
