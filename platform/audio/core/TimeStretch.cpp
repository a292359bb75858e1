#include "platform/audio/core/TimeStretch.h"

#include <algorithm>
#include <cmath>

#include "platform/audio/core/DspMath.h"

namespace {

constexpr int kCoarseStep = 4;

}  // namespace

TimeStretcher::TimeStretcher(int channels, int sampleRate, double factor) : channels_(channels), factor_(factor) {
  // 40 ms segments; the search reaches +-12 ms, a period of 83 Hz.
  window_ = std::max(16, static_cast<int>(0.040 * sampleRate) / 2 * 2);
  hop_ = window_ / 2;
  search_ = std::max(kCoarseStep, static_cast<int>(0.012 * sampleRate));
  analysisHop_ = hop_ / factor_;
  shape_.resize(static_cast<std::size_t>(window_));
  for (int j = 0; j < window_; ++j) shape_[j] = static_cast<float>(0.5 - 0.5 * std::cos(2.0 * dsp::kPi * j / window_));
  overlap_.assign(static_cast<std::size_t>(window_ * channels_), 0.0f);
}

void TimeStretcher::Process(const float* in, std::int64_t frames, std::vector<float>& out) {
  input_.insert(input_.end(), in, in + frames * channels_);
  mono_.resize(mono_.size() + static_cast<std::size_t>(frames));
  float* mono = mono_.data() + (inputFrames_ - inputStart_);
  const float scale = 1.0f / channels_;
  for (std::int64_t i = 0; i < frames; ++i) {
    float sum = 0.0f;
    for (int c = 0; c < channels_; ++c) sum += in[i * channels_ + c];
    mono[i] = sum * scale;
  }
  inputFrames_ += frames;
  while (CanProduce()) ProduceSegment(out);
  DropOldInput();
}

void TimeStretcher::Finish(std::vector<float>& out) {
  limit_ = std::llround(static_cast<double>(inputFrames_) * factor_);
  // Silence after the end lets the last segments form; the output stops at the limit.
  const std::vector<float> silence(static_cast<std::size_t>(hop_ * channels_), 0.0f);
  while (emitted_ < limit_) {
    if (CanProduce()) {
      ProduceSegment(out);
      continue;
    }
    Process(silence.data(), hop_, out);
  }
}

bool TimeStretcher::CanProduce() const {
  const auto nominal = static_cast<std::int64_t>(segment_ * analysisHop_);
  return nominal + search_ + window_ <= inputFrames_;
}

double TimeStretcher::Similarity(std::int64_t candidate, std::int64_t target, int step) const {
  const float* a = mono_.data() + (candidate - inputStart_);
  const float* b = mono_.data() + (target - inputStart_);
  // Independent lanes keep the sum from waiting on itself (and vectorise for step 1).
  constexpr int kLanes = 8;
  float lanes[kLanes] = {};
  const int stride = kLanes * step;
  int j = 0;
  for (; j + stride <= hop_; j += stride)
    for (int k = 0; k < kLanes; ++k) lanes[k] += a[j + k * step] * b[j + k * step];
  float sum = 0.0f;
  for (; j < hop_; j += step) sum += a[j] * b[j];
  for (float lane : lanes) sum += lane;
  return sum;
}

std::int64_t TimeStretcher::BestStart(std::int64_t nominal) const {
  if (segment_ == 0) return 0;
  // The best candidate continues the previous segment as its own input would have.
  const std::int64_t target = previousStart_ + hop_;
  const std::int64_t lo = std::max(inputStart_, nominal - search_), hi = nominal + search_;
  std::int64_t best = nominal;
  double bestScore = -1e300;
  for (std::int64_t c = lo; c <= hi; c += kCoarseStep) {
    const double score = Similarity(c, target, kCoarseStep);
    if (score > bestScore) bestScore = score, best = c;
  }
  const std::int64_t coarse = best;
  bestScore = -1e300;
  for (std::int64_t c = std::max(lo, coarse - kCoarseStep + 1); c <= std::min(hi, coarse + kCoarseStep - 1); ++c) {
    const double score = Similarity(c, target, 1);
    if (score > bestScore) bestScore = score, best = c;
  }
  return best;
}

void TimeStretcher::ProduceSegment(std::vector<float>& out) {
  const auto nominal = static_cast<std::int64_t>(segment_ * analysisHop_);
  const std::int64_t start = BestStart(nominal);
  const float* source = input_.data() + (start - inputStart_) * channels_;
  for (int j = 0; j < window_; ++j) {
    // The first segment starts at full weight: nothing overlaps its first half.
    const float w = segment_ == 0 && j < hop_ ? 1.0f : shape_[j];
    for (int c = 0; c < channels_; ++c) overlap_[j * channels_ + c] += w * source[j * channels_ + c];
  }
  previousStart_ = start;
  ++segment_;
  Emit(overlap_.data(), hop_, out);
  std::copy(overlap_.begin() + hop_ * channels_, overlap_.end(), overlap_.begin());
  std::fill(overlap_.begin() + hop_ * channels_, overlap_.end(), 0.0f);
}

void TimeStretcher::Emit(const float* frames, std::int64_t count, std::vector<float>& out) {
  if (limit_ >= 0) count = std::min(count, limit_ - emitted_);
  if (count <= 0) return;
  out.insert(out.end(), frames, frames + count * channels_);
  emitted_ += count;
}

void TimeStretcher::DropOldInput() {
  const auto nominal = static_cast<std::int64_t>(segment_ * analysisHop_);
  const std::int64_t needed = std::min(nominal - search_, previousStart_ + hop_);
  const std::int64_t drop = needed - inputStart_;
  if (drop < 8192) return;
  input_.erase(input_.begin(), input_.begin() + drop * channels_);
  mono_.erase(mono_.begin(), mono_.begin() + drop);
  inputStart_ += drop;
}
