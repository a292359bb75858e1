#include "platform/audio/core/Resampler.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "platform/audio/core/AudioError.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kStopbandDb = 95.0;
constexpr int kMaxPhases = 4096;
constexpr int kLanes = 8;

double BesselI0(double x) {
  double sum = 1.0, term = 1.0;
  for (int k = 1; k < 60; ++k) {
    term *= (x / (2.0 * k)) * (x / (2.0 * k));
    sum += term;
    if (term < sum * 1e-17) break;
  }
  return sum;
}

}  // namespace

std::int64_t Resampler::OutputFrames(std::int64_t inputFrames, int fromRate, int toRate) {
  return (inputFrames * toRate + fromRate / 2) / fromRate;
}

Resampler::Resampler(int channels, int fromRate, int toRate) : channels_(channels) {
  if (fromRate <= 0 || toRate <= 0) throw EAudioError(L"Invalid sample rates for conversion.");
  const std::int64_t g = std::gcd(fromRate, toRate);
  up_ = toRate / g;
  down_ = fromRate / g;
  // Passband to 0.45, stopband from 0.5 of the lower rate, in cycles per input sample.
  const double lower = std::min(fromRate, toRate) / static_cast<double>(fromRate);
  const double cutoff = 0.475 * lower;
  const double transition = 0.05 * lower;
  const double beta = 0.1102 * (kStopbandDb - 8.7);
  const int taps = static_cast<int>(std::ceil((kStopbandDb - 7.95) / (2.285 * 2.0 * kPi * transition))) + 1;
  halfTaps_ = (taps / 2 + kLanes / 2) / (kLanes / 2) * (kLanes / 2);
  exactPhases_ = up_ <= kMaxPhases;
  phases_ = exactPhases_ ? static_cast<int>(up_) : kMaxPhases;
  const int width = 2 * halfTaps_;
  bank_.assign(static_cast<std::size_t>(phases_ + 1) * width, 0.0f);
  const double i0Beta = BesselI0(beta);
  for (int row = 0; row <= phases_; ++row) {
    const double phase = static_cast<double>(row) / phases_;
    for (int j = 0; j < width; ++j) {
      const double t = j - halfTaps_ + 1 - phase;
      const double x = t / halfTaps_;
      if (std::fabs(x) >= 1.0) continue;
      const double arg = 2.0 * cutoff * t;
      const double sinc = arg == 0.0 ? 1.0 : std::sin(kPi * arg) / (kPi * arg);
      const double window = BesselI0(beta * std::sqrt(1.0 - x * x)) / i0Beta;
      bank_[static_cast<std::size_t>(row) * width + j] = static_cast<float>(2.0 * cutoff * sinc * window);
    }
  }
  // The input is preceded by silence.
  historyStart_ = -halfTaps_;
  for (int c = 0; c < channels_; ++c) history_[c].assign(static_cast<std::size_t>(halfTaps_), 0.0f);
}

void Resampler::Process(const float* in, std::int64_t frames, std::vector<float>& out) {
  for (int c = 0; c < channels_; ++c) {
    std::vector<float>& h = history_[c];
    const std::size_t old = h.size();
    h.resize(old + static_cast<std::size_t>(frames));
    for (std::int64_t i = 0; i < frames; ++i) h[old + static_cast<std::size_t>(i)] = in[i * channels_ + c];
  }
  inputFrames_ += frames;
  Produce(out, -1);
}

void Resampler::Finish(std::vector<float>& out) {
  for (int c = 0; c < channels_; ++c) history_[c].resize(history_[c].size() + 2 * halfTaps_ + 1, 0.0f);
  Produce(out, OutputFrames(inputFrames_, static_cast<int>(down_), static_cast<int>(up_)));
}

void Resampler::Produce(std::vector<float>& out, std::int64_t limit) {
  const int width = 2 * halfTaps_;
  const std::int64_t available = historyStart_ + static_cast<std::int64_t>(history_[0].size());
  while (limit < 0 || produced_ < limit) {
    const std::int64_t position = produced_ * down_;
    const std::int64_t base = position / up_;
    const std::int64_t frac = position % up_;
    const std::int64_t first = base - halfTaps_ + 1;
    if (first + width > available) break;
    const float* row;
    float weight = 0.0f;
    if (exactPhases_) {
      row = &bank_[static_cast<std::size_t>(frac) * width];
    } else {
      const double at = static_cast<double>(frac) * phases_ / static_cast<double>(up_);
      const int r = static_cast<int>(at);
      weight = static_cast<float>(at - r);
      row = &bank_[static_cast<std::size_t>(r) * width];
    }
    for (int c = 0; c < channels_; ++c) {
      const float* x = history_[c].data() + (first - historyStart_);
      float acc[kLanes] = {};
      for (int j = 0; j < width; j += kLanes)
        for (int k = 0; k < kLanes; ++k) acc[k] += row[j + k] * x[j + k];
      if (weight != 0.0f) {
        const float* next = row + width;
        float accNext[kLanes] = {};
        for (int j = 0; j < width; j += kLanes)
          for (int k = 0; k < kLanes; ++k) accNext[k] += next[j + k] * x[j + k];
        for (int k = 0; k < kLanes; ++k) acc[k] += weight * (accNext[k] - acc[k]);
      }
      float sum = 0.0f;
      for (float a : acc) sum += a;
      out.push_back(sum);
    }
    ++produced_;
  }
  // Drop input no future output reaches.
  const std::int64_t nextFirst = produced_ * down_ / up_ - halfTaps_ + 1;
  const std::int64_t drop = std::max<std::int64_t>(0, nextFirst - historyStart_);
  if (drop > 4096) {
    for (int c = 0; c < channels_; ++c) history_[c].erase(history_[c].begin(), history_[c].begin() + drop);
    historyStart_ += drop;
  }
}
