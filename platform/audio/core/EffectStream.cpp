#include "platform/audio/core/EffectStream.h"

#include <algorithm>

namespace {

class VectorOutput : public EffectOutput {
 public:
  VectorOutput(std::vector<float>& out, int channels) : out_(out), channels_(channels) {}
  void Write(const float* samples, std::int64_t frames) override {
    out_.insert(out_.end(), samples, samples + frames * channels_);
  }

 private:
  std::vector<float>& out_;
  int channels_;
};

}  // namespace

void EffectStream::Begin(const SampleBuffer& buffer) {
  channels_ = buffer.Channels();
  sampleRate_ = buffer.SampleRate();
  position_ = 0;
  effect_->Begin({buffer.Frames(), channels_, sampleRate_});
  begun_ = true;
}

void EffectStream::ProcessWhole(SampleBuffer& buffer) {
  Begin(buffer);
  Run(buffer, true);
}

void EffectStream::ProcessChunk(SampleBuffer& buffer) {
  if (!begun_ || buffer.Channels() != channels_ || buffer.SampleRate() != sampleRate_) Begin(buffer);
  Run(buffer, false);
}

void EffectStream::Run(SampleBuffer& buffer, bool finish) {
  const std::int64_t frames = buffer.Frames();
  if (auto* inPlace = dynamic_cast<InPlaceEffect*>(effect_.get())) {
    inPlace->Apply(buffer.Data(), frames, channels_, position_);
    position_ += frames;
    return;
  }
  output_.clear();
  VectorOutput out(output_, channels_);
  // One piece: a backward effect (Reverse) sees the whole buffer at once, as it needs to.
  effect_->Process(buffer.Data(), frames, out);
  if (finish) effect_->Finish(out);
  position_ += frames;
  SampleBuffer result(channels_, sampleRate_, static_cast<std::int64_t>(output_.size()) / channels_);
  std::copy(output_.begin(), output_.end(), result.Data());
  buffer = std::move(result);
}

EffectStream& ChunkEffectStates::Next(int operation, const Factory& make) {
  if (next_ == slots_.size()) slots_.emplace_back();
  Slot& slot = slots_[next_++];
  if (!slot.Stream || slot.Operation != operation) {
    slot.Operation = operation;
    slot.Stream = std::make_unique<EffectStream>(make());
  }
  return *slot.Stream;
}
