#include "platform/audio/transport/RecentFrames.h"

#include <algorithm>

#include "platform/audio/core/MeterScale.h"

void RecentFrames::Reset(int channels, std::int64_t capacityFrames) {
  channels_ = channels;
  capacity_ = capacityFrames;
  written_ = 0;
  ring_.assign(static_cast<std::size_t>(capacityFrames * channels), 0.0f);
}

void RecentFrames::Append(const float* samples, std::int64_t frames) {
  if (frames > capacity_) {
    samples += (frames - capacity_) * channels_;
    written_ += frames - capacity_;
    frames = capacity_;
  }
  while (frames > 0) {
    const std::int64_t at = written_ % capacity_;
    const std::int64_t n = std::min(frames, capacity_ - at);
    std::copy_n(samples, n * channels_, ring_.begin() + at * channels_);
    samples += n * channels_;
    written_ += n;
    frames -= n;
  }
}

void RecentFrames::Latest(std::int64_t frames, float* out) const {
  const std::int64_t kept = std::min({frames, capacity_, written_});
  const std::int64_t silent = frames - kept;
  std::fill_n(out, silent * channels_, 0.0f);
  out += silent * channels_;
  std::int64_t from = written_ - kept;
  for (std::int64_t left = kept; left > 0;) {
    const std::int64_t at = from % capacity_;
    const std::int64_t n = std::min(left, capacity_ - at);
    std::copy_n(ring_.begin() + at * channels_, n * channels_, out);
    out += n * channels_;
    from += n;
    left -= n;
  }
}

void RecentFrames::Levels(std::int64_t frames, int levels[2]) const {
  levels[0] = levels[1] = 0;
  std::int64_t left = std::min({frames, capacity_, written_});
  std::int64_t from = written_ - left;
  while (left > 0) {
    const std::int64_t at = from % capacity_;
    const std::int64_t n = std::min(left, capacity_ - at);
    int part[2];
    MeterLevels(ring_.data() + at * channels_, n, channels_, part);
    levels[0] = std::max(levels[0], part[0]);
    levels[1] = std::max(levels[1], part[1]);
    from += n;
    left -= n;
  }
}
