#pragma once
// Runs one effect over whole sample buffers in pieces, reporting progress between pieces. A run either
// stands alone (begin, all pieces, finish: the effect's tail is cut for in-place effects and flushed
// for resampling ones) or continues a stream, where each buffer picks up the state the previous one
// left (filter memories, delay lines, oscillator phases, resampler positions).

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/audio/core/Effects.h"
#include "platform/audio/core/SampleBuffer.h"

using PieceProgress = std::function<void(std::int64_t done, std::int64_t total)>;

class EffectRunner {
 public:
  // `wholeBuffer`: the effect must see a buffer in one piece (its gain depends on the buffer's peak).
  EffectRunner(std::unique_ptr<AudioEffect> effect, bool wholeBuffer)
      : effect_(std::move(effect)), wholeBuffer_(wholeBuffer) {}

  // The buffer alone: begin, process, finish.
  void RunAlone(SampleBuffer& buffer, const PieceProgress& progress);
  // The next buffer of a stream; the first one (or one in another format) begins the effect.
  void Continue(SampleBuffer& buffer, const PieceProgress& progress);

 private:
  void Begin(const SampleBuffer& buffer);
  void Run(SampleBuffer& buffer, bool finish, const PieceProgress& progress);

  std::unique_ptr<AudioEffect> effect_;
  bool wholeBuffer_;
  bool begun_ = false;
  int channels_ = 0, sampleRate_ = 0;
  std::int64_t position_ = 0;
  std::vector<float> output_;
};

// The streams kept between the chunks of chunk mode: the k-th call of a chunk continues the stream of
// the k-th call of the previous chunk when it is the same operation with the same parameters, and
// starts a new one otherwise.
class ChunkStreams {
 public:
  using Factory = std::function<std::unique_ptr<EffectRunner>()>;

  void BeginChunk() { next_ = 0; }
  EffectRunner& Next(int operation, const std::vector<float>& parameters, const Factory& make);
  void Clear() { slots_.clear(), next_ = 0; }

 private:
  struct Slot {
    int Operation = 0;
    std::vector<float> Parameters;
    std::unique_ptr<EffectRunner> Runner;
  };
  std::vector<Slot> slots_;
  std::size_t next_ = 0;
};
