#include "platform/audio/core/EffectStream.h"

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

void EffectStream::Begin(const SampleBuffer& buffer) {
  channels_ = buffer.Channels();
  sampleRate_ = buffer.SampleRate();
  position_ = 0;
  effect_->Begin({buffer.Frames(), channels_, sampleRate_});
  begun_ = true;
}

void EffectStream::ProcessWhole(SampleBuffer& buffer, const ProgressCallback& progress) {
  Begin(buffer);
  Run(buffer, true, progress);
}

void EffectStream::ProcessChunk(SampleBuffer& buffer, const ProgressCallback& progress) {
  if (!begun_ || buffer.Channels() != channels_ || buffer.SampleRate() != sampleRate_) Begin(buffer);
  Run(buffer, false, progress);
}

void EffectStream::Run(SampleBuffer& buffer, bool finish, const ProgressCallback& progress) {
  const std::int64_t frames = buffer.Frames();
  // A backward effect (Reverse) needs the whole buffer at once, as does one flagged so.
  const bool onePiece = wholeBuffer_ || effect_->ReadsBackward();
  const std::int64_t piece = onePiece ? std::max<std::int64_t>(frames, 1) : kPieceFrames;
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

EffectStream& ChunkEffectStates::Next(int operation, const std::vector<float>& parameters, const Factory& make) {
  if (next_ == slots_.size()) slots_.emplace_back();
  Slot& slot = slots_[next_++];
  if (!slot.Stream || slot.Operation != operation || slot.Parameters != parameters) {
    slot.Operation = operation;
    slot.Parameters = parameters;
    slot.Stream = make();
  }
  return *slot.Stream;
}
