#pragma once
// An immutable run of frames (at most kBlockFrames) with its peak summary. Its samples live in the
// store's memory, in the store's spill file, or in the audio file it was opened from; which one is
// the store's business and may change at any time, the content never does. Reads are thread-safe.

#include <cstdint>
#include <cstring>
#include <list>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/audio/core/SampleCodec.h"

class ByteSource;
struct StoreCore;

constexpr std::int64_t kBlockFrames = 65536;
constexpr std::int64_t kSummaryFrames = 256;
// A coarse level over kCoarseEntries entries, so wide columns merge few values.
constexpr std::int64_t kCoarseEntries = 16;
constexpr std::int64_t kCoarseFrames = kSummaryFrames * kCoarseEntries;

struct PeakPair {
  float Min = 0.0f;
  float Max = 0.0f;
};

// Collects min/max of peak pairs of one or two channels, four floats at a time (even lanes minima,
// odd lanes maxima negated, so one packed minimum serves both), reducing only when the result is
// asked for. Inline: a waveform column merges a few short runs.
class PeakAccumulator {
 public:
  explicit PeakAccumulator(int channels) : lanes_{kNone, kNone, kNone, kNone}, channels_(channels) {}
  // Merges `entries` pairs per channel, interleaved by channel.
  void Add(const PeakPair* run, std::int64_t entries) {
    if (entries <= 0) return;
    empty_ = false;
    const Float4 sign = {1.0f, -1.0f, 1.0f, -1.0f};
    Float4 acc = lanes_, other = lanes_;  // two chains, so consecutive minima need not wait
    const float* values = &run[0].Min;
    const std::int64_t count = entries * channels_ * 2;
    std::int64_t i = 0;
    for (; i + 8 <= count; i += 8) {
      Float4 v, w;
      std::memcpy(&v, values + i, sizeof v);
      std::memcpy(&w, values + i + 4, sizeof w);
      v *= sign;
      w *= sign;
      acc = v < acc ? v : acc;
      other = w < other ? w : other;
    }
    if (i + 4 <= count) {
      Float4 v;
      std::memcpy(&v, values + i, sizeof v);
      v *= sign;
      acc = v < acc ? v : acc;
      i += 4;
    }
    if (i < count) {  // a mono run's odd last entry
      const Float4 v = {values[i], -values[i + 1], values[i], -values[i + 1]};
      acc = v < acc ? v : acc;
    }
    lanes_ = other < acc ? other : acc;
  }
  bool Empty() const { return empty_; }
  // Min/max of each channel; (0, 0) when nothing was added.
  void Result(PeakPair* out) const;

 private:
  using Float4 = float __attribute__((vector_size(16)));
  static constexpr float kNone = 3.0e38f;
  Float4 lanes_;  // min of lanes 0 and 2 (negated maxima in 1 and 3)
  int channels_;
  bool empty_ = true;
};

// Peaks of interleaved frames: per kSummaryFrames-frame group and channel, and of the whole run.
class PeakSummary {
 public:
  PeakSummary() = default;
  // Summarises `frames` interleaved frames.
  void Build(const float* samples, std::int64_t frames, int channels);
  std::int64_t Entries() const { return entryCount_; }
  const PeakPair& Entry(std::int64_t index, int channel) const { return entries_[index * channels_ + channel]; }
  const PeakPair& Whole(int channel) const { return whole_[channel]; }
  const PeakPair& Coarse(std::int64_t index, int channel) const { return coarse_[index * channels_ + channel]; }
  // Merges the peaks of block frames [a, b) into out, using the coarsest level that fits; exact to
  // within one entry at each end.
  void MergeRange(std::int64_t a, std::int64_t b, PeakAccumulator& into) const;

 private:
  // Summaries come from an arena of their own: thousands of small heap allocations would each
  // fault in fresh pages while a long file opens.
  struct SlotDeleter {
    void operator()(PeakPair* entries) const;
  };

  std::unique_ptr<PeakPair[], SlotDeleter> entries_;
  std::int64_t entryCount_ = 0;
  PeakPair whole_[2];
  static constexpr std::int64_t kCoarseCount = kBlockFrames / kCoarseFrames;
  PeakPair coarse_[kCoarseCount * 2];
  // Coarse entries merged from the block's start up to each one, and from each one to its end: a
  // column that takes in a block's head or tail reads one value instead of a run.
  PeakPair coarseHead_[kCoarseCount * 2];
  PeakPair coarseTail_[kCoarseCount * 2];
  int channels_ = 1;
};

// Min/max of each channel's values in interleaved samples; vectorised.
void ScanPeaks(const float* samples, std::int64_t frames, int channels, PeakPair* out);

class Block {
 public:
  ~Block();
  Block(const Block&) = delete;
  Block& operator=(const Block&) = delete;

  std::int64_t Frames() const { return frames_; }
  int Channels() const { return channels_; }
  const PeakSummary& Summary() const { return summary_; }
  // Copies frames [offset, offset + frames) interleaved into out.
  void Read(std::int64_t offset, std::int64_t frames, float* out) const;
  // True while the samples come from an opened audio file.
  bool IsFileBacked() const;
  bool IsSpilled() const;

 private:
  friend class BlockStore;
  friend struct StoreCore;
  friend class BlockBuilder;
  enum class Where { Memory, Spill, File };

  Block(std::shared_ptr<StoreCore> store, std::int64_t frames, int channels);
  std::size_t Bytes() const { return static_cast<std::size_t>(frames_ * channels_) * sizeof(float); }

  std::shared_ptr<StoreCore> store_;
  const std::int64_t frames_;
  const int channels_;
  PeakSummary summary_;

  mutable std::mutex mutex_;
  Where where_ = Where::Memory;
  float* memory_ = nullptr;
  bool memoryFromArena_ = false;
  std::int64_t spillOffset_ = 0;
  std::shared_ptr<ByteSource> file_;
  std::int64_t fileOffset_ = 0;
  SampleLayout fileLayout_;
  std::list<Block*>::iterator lru_;
};

using BlockRef = std::shared_ptr<const Block>;
