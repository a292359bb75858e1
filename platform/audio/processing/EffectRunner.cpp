#include "platform/audio/processing/EffectRunner.h"

#include <algorithm>
#include <cstring>

namespace {

// Frames per piece: small enough for a lively progress bar, large enough to cost nothing.
constexpr std::int64_t kPieceFrames = 65536;

class AppendingOutput : public EffectOutput {
 public:
  AppendingOutput(std::vector<float>& out, int channels) : out_(out), channels_(channels) {}
  void Write(const float* samples, std::int64_t frames) override {
    out_.insert(out_.end(), samples, samples + frames * channels_);
  }

 private:
  std::vector<float>& out_;
  int channels_;
};

}  // namespace

void EffectRunner::Begin(const SampleBuffer& buffer) {
  channels_ = buffer.Channels();
  sampleRate_ = buffer.SampleRate();
  position_ = 0;
  effect_->Begin({buffer.Frames(), channels_, sampleRate_});
  begun_ = true;
}

void EffectRunner::RunAlone(SampleBuffer& buffer, const PieceProgress& progress) {
  Begin(buffer);
  Run(buffer, true, progress);
}

void EffectRunner::Continue(SampleBuffer& buffer, const PieceProgress& progress) {
  if (!begun_ || buffer.Channels() != channels_ || buffer.SampleRate() != sampleRate_) Begin(buffer);
  Run(buffer, false, progress);
}

void EffectRunner::Run(SampleBuffer& buffer, bool finish, const PieceProgress& progress) {
  const std::int64_t frames = buffer.Frames();
  const std::int64_t piece = wholeBuffer_ ? std::max<std::int64_t>(frames, 1) : kPieceFrames;
  auto* inPlace = dynamic_cast<InPlaceEffect*>(effect_.get());
  output_.clear();
  AppendingOutput out(output_, channels_);
  if (progress) progress(0, frames);
  for (std::int64_t done = 0; done < frames;) {
    const std::int64_t count = std::min(piece, frames - done);
    float* samples = buffer.Frame(done);
    if (inPlace) inPlace->Apply(samples, count, channels_, position_);
    else effect_->Process(samples, count, out);
    done += count;
    position_ += count;
    if (progress) progress(done, frames);
  }
  if (inPlace) return;
  if (finish) effect_->Finish(out);
  SampleBuffer result(channels_, sampleRate_, static_cast<std::int64_t>(output_.size()) / channels_);
  if (!output_.empty()) std::memcpy(result.Data(), output_.data(), output_.size() * sizeof(float));
  buffer = std::move(result);
}

EffectRunner& ChunkStreams::Next(int operation, const std::vector<float>& parameters, const Factory& make) {
  if (next_ == slots_.size()) slots_.emplace_back();
  Slot& slot = slots_[next_++];
  if (!slot.Runner || slot.Operation != operation || slot.Parameters != parameters) {
    slot.Operation = operation;
    slot.Parameters = parameters;
    slot.Runner = make();
  }
  return *slot.Runner;
}
