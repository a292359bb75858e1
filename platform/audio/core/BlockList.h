#pragma once
// A document's audio: an immutable sequence of slices of blocks. Edits build new lists that share
// the untouched blocks, so keeping the old list (an undo step) copies no samples.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/audio/core/Block.h"
#include "platform/audio/core/BlockStore.h"

struct Segment {
  BlockRef Block;
  std::int64_t Start = 0;   // first frame used in the block
  std::int64_t Frames = 0;  // frames used
};

class BlockList;
using BlockListRef = std::shared_ptr<const BlockList>;

class BlockList {
 public:
  BlockList() = default;
  explicit BlockList(int channels) : channels_(channels) {}
  BlockList(int channels, std::vector<Segment> segments);

  int Channels() const { return channels_; }
  std::int64_t Frames() const { return ends_.empty() ? 0 : ends_.back(); }
  const std::vector<Segment>& Segments() const { return segments_; }
  // Document position of segment i's first frame.
  std::int64_t SegmentStart(std::size_t i) const { return i == 0 ? 0 : ends_[i - 1]; }
  // Index of the segment holding frame `position` (< Frames()).
  std::size_t SegmentAt(std::int64_t position) const;

  // Copies frames [position, position + frames) interleaved into out; the range must lie inside.
  void Read(std::int64_t position, std::int64_t frames, float* out) const;
  // Segments covering [from, to).
  std::vector<Segment> Slice(std::int64_t from, std::int64_t to) const;
  BlockListRef SliceList(std::int64_t from, std::int64_t to) const;
  // This list with [from, to) replaced by `inserted` (which may be empty).
  BlockListRef Replace(std::int64_t from, std::int64_t to, const std::vector<Segment>& inserted) const;
  // Peak of each channel over [from, to): exact, from the summaries where whole entries are covered.
  void Peaks(std::int64_t from, std::int64_t to, PeakPair* out) const;

 private:
  int channels_ = 2;
  std::vector<Segment> segments_;
  std::vector<std::int64_t> ends_;
};

// Cuts a stream of interleaved frames into new blocks.
class BlockWriter {
 public:
  BlockWriter(BlockStore& store, int channels);
  int Channels() const { return channels_; }
  void Write(const float* samples, std::int64_t frames);
  void WriteSilence(std::int64_t frames);
  // Room for up to `frames` frames written in place; Commit(n) after filling the first n.
  float* Reserve(std::int64_t& frames);
  void Commit(std::int64_t frames);
  std::int64_t Frames() const { return total_; }
  // The segments written so far; the writer is empty afterwards.
  std::vector<Segment> Finish();

 private:
  void Flush();

  BlockStore& store_;
  int channels_;
  std::vector<Segment> segments_;
  std::unique_ptr<BlockBuilder> current_;
  std::int64_t filled_ = 0;
  std::int64_t total_ = 0;
};
