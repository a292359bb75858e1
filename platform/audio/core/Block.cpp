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

void Widen(PeakPair& p, const PeakPair& with) {
  p.Min = std::min(p.Min, with.Min);
  p.Max = std::max(p.Max, with.Max);
}

constexpr std::size_t kSummarySlotBytes = kBlockFrames / kSummaryFrames * 2 * sizeof(PeakPair);

Arena& SummaryArena() {
  // Lives as long as the process: blocks held by static objects may release slots at exit.
  static Arena* arena = new Arena(kSummarySlotBytes, 4u << 20);
  return *arena;
}

}  // namespace

namespace {

// Peaks of one full summary group: four floats at a time, lanes alternating channels for stereo.
void ScanGroup(const float* values, int channels, PeakPair* out) {
  const std::int64_t count = kSummaryFrames * channels;
  Float4 lo0, hi0, lo1, hi1;
  std::memcpy(&lo0, values, sizeof lo0);
  std::memcpy(&lo1, values + 4, sizeof lo1);
  hi0 = lo0;
  hi1 = lo1;
  for (std::int64_t i = 8; i < count; i += 8) {
    Float4 a, b;
    std::memcpy(&a, values + i, sizeof a);
    std::memcpy(&b, values + i + 4, sizeof b);
    lo0 = a < lo0 ? a : lo0;
    hi0 = a > hi0 ? a : hi0;
    lo1 = b < lo1 ? b : lo1;
    hi1 = b > hi1 ? b : hi1;
  }
  lo0 = lo1 < lo0 ? lo1 : lo0;
  hi0 = hi1 > hi0 ? hi1 : hi0;
  float lo[4], hi[4];
  std::memcpy(lo, &lo0, sizeof lo);
  std::memcpy(hi, &hi0, sizeof hi);
  if (channels == 1) {
    out[0] = {std::min(std::min(lo[0], lo[1]), std::min(lo[2], lo[3])), std::max(std::max(hi[0], hi[1]), std::max(hi[2], hi[3]))};
  } else {
    out[0] = {std::min(lo[0], lo[2]), std::max(hi[0], hi[2])};
    out[1] = {std::min(lo[1], lo[3]), std::max(hi[1], hi[3])};
  }
}

}  // namespace

void PeakSummary::SlotDeleter::operator()(PeakPair* entries) const { SummaryArena().Release(entries); }

void PeakSummary::Build(const float* samples, std::int64_t frames, int channels) {
  if (frames > kBlockFrames || channels < 1 || channels > 2) throw std::length_error("PeakSummary::Build");
  channels_ = channels;
  const std::int64_t entries = (frames + kSummaryFrames - 1) / kSummaryFrames;
  entryCount_ = entries;
  if (!entries_) entries_.reset(static_cast<PeakPair*>(SummaryArena().Allocate()));
  const std::int64_t fullGroups = frames / kSummaryFrames;
  for (std::int64_t e = 0; e < fullGroups; ++e) ScanGroup(samples + e * kSummaryFrames * channels, channels, &entries_[e * channels]);
  for (std::int64_t e = fullGroups; e < entries; ++e) {
    const std::int64_t first = e * kSummaryFrames;
    ScanPeaks(samples + first * channels, frames - first, channels, &entries_[e * channels]);
  }
  const std::int64_t coarse = (entries + kCoarseEntries - 1) / kCoarseEntries;
  for (std::int64_t k = 0; k < coarse; ++k) {
    for (int c = 0; c < channels; ++c) {
      PeakPair p = Entry(k * kCoarseEntries, c);
      for (std::int64_t e = k * kCoarseEntries + 1; e < std::min(entries, (k + 1) * kCoarseEntries); ++e) Widen(p, Entry(e, c));
      coarse_[k * channels + c] = p;
    }
  }
  for (int c = 0; c < channels; ++c) {
    for (std::int64_t k = 0; k < coarse; ++k) {
      coarseHead_[k * channels + c] = coarse_[k * channels + c];
      if (k > 0) Widen(coarseHead_[k * channels + c], coarseHead_[(k - 1) * channels + c]);
    }
    for (std::int64_t k = coarse - 1; k >= 0; --k) {
      coarseTail_[k * channels + c] = coarse_[k * channels + c];
      if (k + 1 < coarse) Widen(coarseTail_[k * channels + c], coarseTail_[(k + 1) * channels + c]);
    }
  }
  for (int c = 0; c < channels; ++c) whole_[c] = coarse ? coarseTail_[c] : PeakPair{};
}

void PeakAccumulator::Result(PeakPair* out) const {
  float l[4];
  std::memcpy(l, &lanes_, sizeof l);
  if (empty_) {
    out[0] = out[1] = PeakPair{};
  } else if (channels_ == 1) {
    out[0] = {std::min(l[0], l[2]), -std::min(l[1], l[3])};
  } else {
    out[0] = {l[0], -l[1]};
    out[1] = {l[2], -l[3]};
  }
}

void PeakSummary::MergeRange(std::int64_t a, std::int64_t b, PeakAccumulator& into) const {
  if (a >= b) return;
  const std::int64_t first = a / kSummaryFrames;
  const std::int64_t end = (b - 1) / kSummaryFrames + 1;  // entries [first, end)
  if (first == 0 && end == entryCount_) {
    into.Add(whole_, 1);
    return;
  }
  // Whole coarse entries [from, to) inside the range, fine entries on either side of them.
  const std::int64_t coarseCount = (entryCount_ + kCoarseEntries - 1) / kCoarseEntries;
  const std::int64_t from = (first + kCoarseEntries - 1) / kCoarseEntries;
  const std::int64_t to = end == entryCount_ ? coarseCount : end / kCoarseEntries;
  if (from >= to) {
    into.Add(&entries_[first * channels_], end - first);
    return;
  }
  into.Add(&entries_[first * channels_], from * kCoarseEntries - first);
  if (from == 0)
    into.Add(&coarseHead_[(to - 1) * channels_], 1);
  else if (to == coarseCount)
    into.Add(&coarseTail_[from * channels_], 1);
  else
    into.Add(&coarse_[from * channels_], to - from);
  if (to < coarseCount) into.Add(&entries_[to * kCoarseEntries * channels_], end - to * kCoarseEntries);
}
