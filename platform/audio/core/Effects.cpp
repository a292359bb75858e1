#include "platform/audio/core/Effects.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

class WriterOutput : public EffectOutput {
 public:
  explicit WriterOutput(BlockWriter& writer) : writer_(writer) {}
  void Write(const float* samples, std::int64_t frames) override { writer_.Write(samples, frames); }

 private:
  BlockWriter& writer_;
};

void RunInPlace(const BlockList& audio, std::int64_t from, std::int64_t to, InPlaceEffect& effect, BlockWriter& writer,
                const ProgressCallback& progress) {
  for (std::int64_t position = from; position < to;) {
    std::int64_t frames = to - position;
    float* samples = writer.Reserve(frames);
    audio.Read(position, frames, samples);
    effect.Apply(samples, frames, audio.Channels(), position - from);
    writer.Commit(frames);
    position += frames;
    if (progress) progress(position - from, to - from);
  }
}

void RunStreaming(const BlockList& audio, std::int64_t from, std::int64_t to, AudioEffect& effect, BlockWriter& writer,
                  const ProgressCallback& progress) {
  WriterOutput out(writer);
  std::vector<float> piece(static_cast<std::size_t>(kBlockFrames * audio.Channels()));
  const bool backward = effect.ReadsBackward();
  for (std::int64_t done = 0; done < to - from;) {
    const std::int64_t frames = std::min(kBlockFrames, to - from - done);
    const std::int64_t position = backward ? to - done - frames : from + done;
    audio.Read(position, frames, piece.data());
    effect.Process(piece.data(), frames, out);
    done += frames;
    if (progress) progress(done, to - from);
  }
  effect.Finish(out);
}

}  // namespace

void InPlaceEffect::Process(const float* samples, std::int64_t frames, EffectOutput& out) {
  scratch_.assign(samples, samples + frames * channels_);
  Apply(scratch_.data(), frames, channels_, position_);
  position_ += frames;
  out.Write(scratch_.data(), frames);
}

BlockListRef RunEffect(const BlockList& audio, std::int64_t from, std::int64_t to, int sampleRate, AudioEffect& effect,
                       BlockStore& store, const ProgressCallback& progress, std::int64_t& outputFrames) {
  from = std::clamp<std::int64_t>(from, 0, audio.Frames());
  to = std::clamp<std::int64_t>(to, from, audio.Frames());
  effect.Begin({to - from, audio.Channels(), sampleRate});
  if (progress) progress(0, to - from);
  BlockWriter writer(store, audio.Channels());
  if (auto* inPlace = dynamic_cast<InPlaceEffect*>(&effect))
    RunInPlace(audio, from, to, *inPlace, writer, progress);
  else
    RunStreaming(audio, from, to, effect, writer, progress);
  outputFrames = writer.Frames();
  return audio.Replace(from, to, writer.Finish());
}

void AmplifyEffect::Apply(float* samples, std::int64_t frames, int channels, std::int64_t) {
  const std::int64_t values = frames * channels;
  const float gain = gain_;
  for (std::int64_t i = 0; i < values; ++i) samples[i] *= gain;
}

void ChannelGainEffect::Apply(float* samples, std::int64_t frames, int channels, std::int64_t) {
  if (channels == 1) {
    const float g = gains_[0];
    for (std::int64_t i = 0; i < frames; ++i) samples[i] *= g;
    return;
  }
  const float l = gains_[0], r = gains_[1];
  for (std::int64_t i = 0; i < frames; ++i) {
    samples[2 * i] *= l;
    samples[2 * i + 1] *= r;
  }
}

void EnvelopeEffect::Begin(const EffectContext& context) {
  InPlaceEffect::Begin(context);
  frames_ = context.Frames;
  if (gains_.empty()) gains_.push_back(1.0f);
}

void EnvelopeEffect::Apply(float* samples, std::int64_t frames, int channels, std::int64_t position) {
  const std::size_t points = gains_.size();
  // Point k sits at frame k * (frames_ - 1) / (points - 1).
  const double span = points > 1 && frames_ > 1 ? static_cast<double>(points - 1) / static_cast<double>(frames_ - 1) : 0.0;
  for (std::int64_t i = 0; i < frames; ++i) {
    const double at = static_cast<double>(position + i) * span;
    const std::size_t k = std::min(static_cast<std::size_t>(at), points - 1);
    const double t = at - static_cast<double>(k);
    const float gain = k + 1 < points ? static_cast<float>(gains_[k] + (gains_[k + 1] - gains_[k]) * t) : gains_[k];
    for (int c = 0; c < channels; ++c) samples[i * channels + c] *= gain;
  }
}

void MixStereoEffect::Apply(float* samples, std::int64_t frames, int channels, std::int64_t) {
  if (channels != 2) return;
  const float ll = ll_ / 100.0f, lr = lr_ / 100.0f, rl = rl_ / 100.0f, rr = rr_ / 100.0f;
  for (std::int64_t i = 0; i < frames; ++i) {
    const float left = samples[2 * i], right = samples[2 * i + 1];
    samples[2 * i] = ll * left + lr * right;
    samples[2 * i + 1] = rl * left + rr * right;
  }
}

void SilenceEffect::Apply(float* samples, std::int64_t frames, int channels, std::int64_t) {
  std::memset(samples, 0, static_cast<std::size_t>(frames * channels) * sizeof(float));
}

void ReverseEffect::Process(const float* samples, std::int64_t frames, EffectOutput& out) {
  reversed_.resize(static_cast<std::size_t>(frames * channels_));
  for (std::int64_t i = 0; i < frames; ++i)
    for (int c = 0; c < channels_; ++c) reversed_[(frames - 1 - i) * channels_ + c] = samples[i * channels_ + c];
  out.Write(reversed_.data(), frames);
}

void NormalizeGains(const BlockList& audio, std::int64_t from, std::int64_t to, float percent, bool perChannel,
                    float gains[2]) {
  PeakPair peaks[2];
  audio.Peaks(from, to, peaks);
  float level[2] = {1.0f, 1.0f};
  for (int c = 0; c < audio.Channels(); ++c) level[c] = std::max(std::fabs(peaks[c].Min), std::fabs(peaks[c].Max));
  if (audio.Channels() == 1) level[1] = level[0];
  if (!perChannel) level[0] = level[1] = std::max(level[0], level[1]);
  for (int c = 0; c < 2; ++c) gains[c] = level[c] > 0.0f ? (percent / 100.0f) / level[c] : 1.0f;
}
