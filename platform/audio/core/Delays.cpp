#include "platform/audio/core/Delays.h"

#include <algorithm>
#include <cstring>
#include <numeric>

#include "platform/audio/core/DspMath.h"

namespace {

constexpr std::int64_t kPieceFrames = 1024;
constexpr float kAllPassGain = 0.5f;

}  // namespace

void EchoEffect::Begin(const EffectContext& context) {
  InPlaceEffect::Begin(context);
  const long long delay = std::max(1LL, dsp::MsToFrames(dsp::Clamp(delayMs_, 0.0, 10000.0), context.SampleRate));
  m_ = static_cast<float>(dsp::Fraction(mix_));
  f_ = static_cast<float>(dsp::ClampFeedback(dsp::Fraction(feedback_)));
  line_.assign(static_cast<std::size_t>(delay * context.Channels), 0.0f);
  position_ = 0;
}

void EchoEffect::Apply(float* samples, std::int64_t frames, int channels, std::int64_t) {
  const std::size_t lineValues = line_.size();
  std::size_t values = static_cast<std::size_t>(frames * channels);
  const float m = m_, f = f_;
  // Runs up to the end of the line have no dependency between values and vectorise.
  while (values > 0) {
    const std::size_t run = std::min(values, lineValues - position_);
    float* line = line_.data() + position_;
    for (std::size_t j = 0; j < run; ++j) {
      const float x = samples[j], delayed = line[j];
      samples[j] = x + m * delayed;
      line[j] = x + f * delayed;
    }
    samples += run;
    values -= run;
    position_ = (position_ + run) % lineValues;
  }
}

std::vector<std::size_t> ReverbEffect::CombLengths(std::size_t delayFrames, int taps) {
  std::vector<std::size_t> lengths;
  const std::size_t first = std::max<std::size_t>(1, delayFrames);
  for (int i = 0; i < taps; ++i) {
    std::size_t length = taps == 1 ? first
                                   : static_cast<std::size_t>(std::llround(first * (1.0 + 1.5 * i / (taps - 1))));
    const auto sharesFactor = [&](std::size_t n) {
      return std::any_of(lengths.begin(), lengths.end(), [n](std::size_t l) { return std::gcd(l, n) != 1; });
    };
    while (sharesFactor(length)) ++length;
    lengths.push_back(length);
  }
  return lengths;
}

void ReverbEffect::Begin(const EffectContext& context) {
  InPlaceEffect::Begin(context);
  const int rate = context.SampleRate, channels = context.Channels;
  const double mix = dsp::Fraction(mix_);
  dry_ = static_cast<float>(1.0 - mix);
  const int taps = std::clamp(taps_, 1, 16);
  wetGain_ = static_cast<float>(mix * dsp::Fraction(gain_, 0.0, 1000.0) / taps);
  loopGain_ = static_cast<float>(dsp::ClampFeedback(dsp::Fraction(feedback_)));
  damping_ = static_cast<float>(
      1.0 - std::exp(-2.0 * dsp::kPi * dsp::ClampFrequency(frequency_, rate) / rate));
  const auto delay = static_cast<std::size_t>(dsp::MsToFrames(dsp::Clamp(delayMs_, 0.0, 2000.0), rate));
  const auto makeLine = [channels](std::size_t frames) {
    Line line;
    line.frames = std::max<std::size_t>(1, frames);
    line.buffer.assign(line.frames * channels, 0.0f);
    return line;
  };
  combs_.clear();
  for (std::size_t length : CombLengths(delay, taps)) combs_.push_back(makeLine(length));
  allPasses_[0] = makeLine(static_cast<std::size_t>(dsp::MsToFrames(5.0, rate)));
  allPasses_[1] = makeLine(static_cast<std::size_t>(dsp::MsToFrames(1.7, rate)));
  wet_.assign(static_cast<std::size_t>(kPieceFrames * channels), 0.0f);
}

void ReverbEffect::RunComb(Line& comb, const float* in, float* wet, std::int64_t frames, int channels) {
  const float loopGain = loopGain_, damping = damping_;
  for (std::int64_t i = 0; i < frames; ++i) {
    float* cell = comb.buffer.data() + comb.position * channels;
    for (int c = 0; c < channels; ++c) {
      const float out = cell[c];
      comb.memory[c] += damping * (out - comb.memory[c]);
      cell[c] = in[i * channels + c] + loopGain * comb.memory[c];
      wet[i * channels + c] += out;
    }
    if (++comb.position == comb.frames) comb.position = 0;
  }
}

void ReverbEffect::RunAllPass(Line& allPass, float* wet, std::int64_t frames, int channels) {
  for (std::int64_t i = 0; i < frames; ++i) {
    float* cell = allPass.buffer.data() + allPass.position * channels;
    for (int c = 0; c < channels; ++c) {
      const float x = wet[i * channels + c];
      const float y = cell[c] - kAllPassGain * x;
      cell[c] = x + kAllPassGain * y;
      wet[i * channels + c] = y;
    }
    if (++allPass.position == allPass.frames) allPass.position = 0;
  }
}

void ReverbEffect::Apply(float* samples, std::int64_t frames, int channels, std::int64_t) {
  for (std::int64_t done = 0; done < frames; done += kPieceFrames) {
    const std::int64_t n = std::min(kPieceFrames, frames - done);
    float* piece = samples + done * channels;
    float* wet = wet_.data();
    const std::size_t values = static_cast<std::size_t>(n * channels);
    std::memset(wet, 0, values * sizeof(float));
    for (Line& comb : combs_) RunComb(comb, piece, wet, n, channels);
    for (Line& allPass : allPasses_) RunAllPass(allPass, wet, n, channels);
    const float dry = dry_, wetGain = wetGain_;
    for (std::size_t j = 0; j < values; ++j) piece[j] = dry * piece[j] + wetGain * wet[j];
  }
}
