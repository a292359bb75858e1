#include "platform/audio/transport/SilenceGate.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int kWindowMs = 10;

int Windows(int milliseconds) { return std::max(1, (milliseconds + kWindowMs - 1) / kWindowMs); }
float PeakOf(double decibels) { return static_cast<float>(std::pow(10.0, decibels / 20.0)); }
}  // namespace

void SilenceGate::Reset(const Settings& settings, int sampleRate, int channels) {
  channels_ = channels;
  windowFrames_ = std::max<std::int64_t>(1, static_cast<std::int64_t>(sampleRate) * kWindowMs / 1000);
  attackPeak_ = PeakOf(settings.AttackLevel);
  releasePeak_ = PeakOf(settings.ReleaseLevel);
  attackWindows_ = Windows(settings.AttackTime);
  releaseWindows_ = Windows(settings.ReleaseTime);
  open_ = true;
  run_ = 0;
  window_.clear();
  window_.reserve(static_cast<std::size_t>(windowFrames_ * channels));
  windowPeak_ = 0;
  held_.clear();
}

void SilenceGate::Process(const float* samples, std::int64_t frames, std::vector<float>& passed) {
  const std::size_t windowValues = static_cast<std::size_t>(windowFrames_ * channels_);
  const float* end = samples + frames * channels_;
  while (samples < end) {
    const std::size_t n = std::min(windowValues - window_.size(), static_cast<std::size_t>(end - samples));
    for (std::size_t i = 0; i < n; ++i) windowPeak_ = std::max(windowPeak_, std::fabs(samples[i]));
    window_.insert(window_.end(), samples, samples + n);
    samples += n;
    if (window_.size() == windowValues) Decide(passed);
  }
}

void SilenceGate::Decide(std::vector<float>& passed) {
  if (open_) {
    passed.insert(passed.end(), window_.begin(), window_.end());
    run_ = windowPeak_ < releasePeak_ ? run_ + 1 : 0;
    if (run_ >= releaseWindows_) {
      open_ = false;
      run_ = 0;
    }
  } else if (windowPeak_ > attackPeak_) {
    held_.insert(held_.end(), window_.begin(), window_.end());
    if (++run_ >= attackWindows_) {
      passed.insert(passed.end(), held_.begin(), held_.end());
      held_.clear();
      open_ = true;
      run_ = 0;
    }
  } else {
    held_.clear();
    run_ = 0;
  }
  window_.clear();
  windowPeak_ = 0;
}
