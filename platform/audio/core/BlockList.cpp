#include "platform/audio/core/BlockList.h"

#include <algorithm>
#include <cstring>

#include "platform/audio/core/AudioError.h"

namespace {

void Merge(PeakPair& into, const PeakPair& p, bool& first) {
  if (first) {
    into = p;
    first = false;
  } else {
    into.Min = std::min(into.Min, p.Min);
    into.Max = std::max(into.Max, p.Max);
  }
}

}  // namespace

BlockList::BlockList(int channels, std::vector<Segment> segments) : channels_(channels) {
  segments_.reserve(segments.size());
  ends_.reserve(segments.size());
  std::int64_t end = 0;
  for (Segment& s : segments) {
    if (s.Frames <= 0) continue;
    end += s.Frames;
    segments_.push_back(std::move(s));
    ends_.push_back(end);
  }
}

std::size_t BlockList::SegmentAt(std::int64_t position) const {
  return static_cast<std::size_t>(std::upper_bound(ends_.begin(), ends_.end(), position) - ends_.begin());
}

void BlockList::Read(std::int64_t position, std::int64_t frames, float* out) const {
  if (position < 0 || frames < 0 || position + frames > Frames()) throw EAudioError(L"Read past the end of the audio.");
  std::size_t i = SegmentAt(position);
  while (frames > 0) {
    const Segment& s = segments_[i];
    const std::int64_t within = position - SegmentStart(i);
    const std::int64_t n = std::min(frames, s.Frames - within);
    s.Block->Read(s.Start + within, n, out);
    out += n * channels_;
    position += n;
    frames -= n;
    ++i;
  }
}

std::vector<Segment> BlockList::Slice(std::int64_t from, std::int64_t to) const {
  std::vector<Segment> result;
  from = std::clamp<std::int64_t>(from, 0, Frames());
  to = std::clamp<std::int64_t>(to, from, Frames());
  if (from == to) return result;
  for (std::size_t i = SegmentAt(from); i < segments_.size() && SegmentStart(i) < to; ++i) {
    const Segment& s = segments_[i];
    const std::int64_t start = SegmentStart(i);
    const std::int64_t cutFront = std::max<std::int64_t>(0, from - start);
    const std::int64_t cutBack = std::max<std::int64_t>(0, ends_[i] - to);
    result.push_back({s.Block, s.Start + cutFront, s.Frames - cutFront - cutBack});
  }
  return result;
}

BlockListRef BlockList::SliceList(std::int64_t from, std::int64_t to) const {
  return std::make_shared<const BlockList>(channels_, Slice(from, to));
}

BlockListRef BlockList::Replace(std::int64_t from, std::int64_t to, const std::vector<Segment>& inserted) const {
  std::vector<Segment> result = Slice(0, from);
  result.insert(result.end(), inserted.begin(), inserted.end());
  const std::vector<Segment> tail = Slice(to, Frames());
  result.insert(result.end(), tail.begin(), tail.end());
  return std::make_shared<const BlockList>(channels_, std::move(result));
}

void BlockList::Peaks(std::int64_t from, std::int64_t to, PeakPair* out) const {
  bool first[2] = {true, true};
  for (int c = 0; c < channels_; ++c) out[c] = PeakPair{};
  float edge[kSummaryFrames * 2];
  PeakPair scanned[2];
  auto scanSamples = [&](const Block& block, std::int64_t a, std::int64_t b) {
    if (a >= b) return;
    block.Read(a, b - a, edge);
    ScanPeaks(edge, b - a, channels_, scanned);
    for (int c = 0; c < channels_; ++c) Merge(out[c], scanned[c], first[c]);
  };
  for (const Segment& s : Slice(from, to)) {
    const Block& block = *s.Block;
    const PeakSummary& summary = block.Summary();
    const std::int64_t a = s.Start, b = s.Start + s.Frames;
    if (a == 0 && b == block.Frames()) {
      for (int c = 0; c < channels_; ++c) Merge(out[c], summary.Whole(c), first[c]);
      continue;
    }
    const std::int64_t firstEntry = (a + kSummaryFrames - 1) / kSummaryFrames;
    const std::int64_t lastEntry = b == block.Frames() ? summary.Entries() : b / kSummaryFrames;
    if (firstEntry >= lastEntry) {
      for (std::int64_t x = a; x < b; x += kSummaryFrames) scanSamples(block, x, std::min(b, x + kSummaryFrames));
      continue;
    }
    scanSamples(block, a, firstEntry * kSummaryFrames);
    for (std::int64_t e = firstEntry; e < lastEntry; ++e)
      for (int c = 0; c < channels_; ++c) Merge(out[c], summary.Entry(e, c), first[c]);
    if (lastEntry < summary.Entries()) scanSamples(block, lastEntry * kSummaryFrames, b);
  }
}

BlockWriter::BlockWriter(BlockStore& store, int channels) : store_(store), channels_(channels) {}

float* BlockWriter::Reserve(std::int64_t& frames) {
  if (!current_) {
    current_ = std::make_unique<BlockBuilder>(store_.Build(channels_, kBlockFrames));
    filled_ = 0;
  }
  frames = std::min(frames, kBlockFrames - filled_);
  return current_->Data() + filled_ * channels_;
}

void BlockWriter::Commit(std::int64_t frames) {
  filled_ += frames;
  total_ += frames;
  if (filled_ == kBlockFrames) Flush();
}

void BlockWriter::Write(const float* samples, std::int64_t frames) {
  while (frames > 0) {
    std::int64_t n = frames;
    float* to = Reserve(n);
    std::memcpy(to, samples, static_cast<std::size_t>(n * channels_) * sizeof(float));
    Commit(n);
    samples += n * channels_;
    frames -= n;
  }
}

void BlockWriter::WriteSilence(std::int64_t frames) {
  while (frames > 0) {
    std::int64_t n = frames;
    float* to = Reserve(n);
    std::memset(to, 0, static_cast<std::size_t>(n * channels_) * sizeof(float));
    Commit(n);
    frames -= n;
  }
}

void BlockWriter::Flush() {
  if (!current_) return;
  std::unique_ptr<BlockBuilder> builder = std::move(current_);
  if (filled_ == 0) return;
  // A short last block moves to storage of its own size instead of holding a whole slot.
  BlockRef block = filled_ < kBlockFrames / 4 ? store_.Create(builder->Data(), filled_, channels_)
                                              : builder->Seal(filled_);
  segments_.push_back({std::move(block), 0, filled_});
  filled_ = 0;
}

std::vector<Segment> BlockWriter::Finish() {
  Flush();
  total_ = 0;
  std::vector<Segment> written;
  written.swap(segments_);
  return written;
}
