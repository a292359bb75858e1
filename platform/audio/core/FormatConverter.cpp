#include "platform/audio/core/FormatConverter.h"

#include <cstring>

void MapChannels(const float* in, int fromChannels, float* out, int toChannels, std::int64_t frames) {
  if (fromChannels == toChannels) {
    std::memcpy(out, in, static_cast<std::size_t>(frames * fromChannels) * sizeof(float));
  } else if (fromChannels == 1) {
    for (std::int64_t i = 0; i < frames; ++i) out[2 * i] = out[2 * i + 1] = in[i];
  } else {
    for (std::int64_t i = 0; i < frames; ++i) out[i] = 0.5f * (in[2 * i] + in[2 * i + 1]);
  }
}

FormatConverter::FormatConverter(int fromChannels, int fromRate, int toChannels, int toRate)
    : fromChannels_(fromChannels), toChannels_(toChannels) {
  if (fromRate != toRate) resampler_ = std::make_unique<Resampler>(toChannels, fromRate, toRate);
}

void FormatConverter::Push(const float* samples, std::int64_t frames, const FrameConsumer& consume) {
  if (Identity()) {
    consume(samples, frames);
    return;
  }
  const float* mapped = samples;
  if (fromChannels_ != toChannels_) {
    mapped_.resize(static_cast<std::size_t>(frames * toChannels_));
    MapChannels(samples, fromChannels_, mapped_.data(), toChannels_, frames);
    mapped = mapped_.data();
  }
  if (!resampler_) {
    consume(mapped, frames);
    return;
  }
  resampled_.clear();
  resampler_->Process(mapped, frames, resampled_);
  if (!resampled_.empty()) consume(resampled_.data(), static_cast<std::int64_t>(resampled_.size()) / toChannels_);
}

void FormatConverter::Finish(const FrameConsumer& consume) {
  if (!resampler_) return;
  resampled_.clear();
  resampler_->Finish(resampled_);
  if (!resampled_.empty()) consume(resampled_.data(), static_cast<std::int64_t>(resampled_.size()) / toChannels_);
}
