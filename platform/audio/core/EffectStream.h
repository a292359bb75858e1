#pragma once
// Effects over plain interleaved buffers, run in pieces with progress between them. A buffer processed
// alone starts the effect afresh and keeps its length (the effect's tail is cut for in-place effects
// and flushed for the others; SpeedChange alone changes the length). In chunk mode each buffer
// continues the state the previous buffer left: filter memories, delay lines, oscillator phases,
// resampler positions, so a file processed in chunks sounds as if processed whole.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/audio/core/Effects.h"
#include "platform/audio/core/SampleBuffer.h"

class EffectStream {
 public:
  // `wholeBuffer`: the effect must see each buffer in one piece (its gain depends on the buffer's peak).
  explicit EffectStream(std::unique_ptr<AudioEffect> effect, bool wholeBuffer = false)
      : effect_(std::move(effect)), wholeBuffer_(wholeBuffer) {}

  // The buffer alone: begin, process, finish.
  void ProcessWhole(SampleBuffer& buffer, const ProgressCallback& progress = {});
  // The next chunk of a stream; the first chunk (or one with another format) begins the effect.
  void ProcessChunk(SampleBuffer& buffer, const ProgressCallback& progress = {});

 private:
  void Begin(const SampleBuffer& buffer);
  void Run(SampleBuffer& buffer, bool finish, const ProgressCallback& progress);

  std::unique_ptr<AudioEffect> effect_;
  bool wholeBuffer_;
  bool begun_ = false;
  int channels_ = 0, sampleRate_ = 0;
  std::int64_t position_ = 0;
  std::vector<float> output_;
};

// The streams a buffer-effects component keeps in chunk mode: the k-th call of a chunk continues the
// stream of the k-th call of the previous chunk when it is the same operation with the same
// parameters, and starts a new one otherwise.
class ChunkEffectStates {
 public:
  using Factory = std::function<std::unique_ptr<EffectStream>()>;

  // Starts counting calls for a new chunk.
  void BeginChunk() { next_ = 0; }
  // The stream for the next call of the chunk; `make` builds it when none can be continued.
  EffectStream& Next(int operation, const std::vector<float>& parameters, const Factory& make);
  // Forgets every stream (a new file or rate).
  void Clear() { slots_.clear(), next_ = 0; }

 private:
  struct Slot {
    int Operation = 0;
    std::vector<float> Parameters;
    std::unique_ptr<EffectStream> Stream;
  };
  std::vector<Slot> slots_;
  std::size_t next_ = 0;
};
