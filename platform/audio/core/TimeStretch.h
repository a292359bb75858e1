#pragma once
// Time stretching that keeps the pitch: windowed segments of the input are overlap-added at a fixed
// output hop, each taken near its nominal input position where it best continues the previous one
// (waveform-similarity overlap-add). Streams like the resampler: feed pieces, then Finish.

#include <cstdint>
#include <vector>

class TimeStretcher {
 public:
  // Output length = input length x factor (factor > 0).
  TimeStretcher(int channels, int sampleRate, double factor);

  // Appends the output frames that `frames` more input frames make available.
  void Process(const float* interleaved, std::int64_t frames, std::vector<float>& out);
  // Appends the rest: in all round(input x factor) frames.
  void Finish(std::vector<float>& out);

 private:
  bool CanProduce() const;
  void ProduceSegment(std::vector<float>& out);
  std::int64_t BestStart(std::int64_t nominal) const;
  double Similarity(std::int64_t candidate, std::int64_t target, int step) const;
  void Emit(const float* frames, std::int64_t count, std::vector<float>& out);
  void DropOldInput();

  int channels_;
  double factor_;
  int window_, hop_, search_;     // frames
  double analysisHop_;            // input frames between nominal segment starts
  std::vector<float> shape_;      // periodic Hann of window_ frames: 50 % overlaps sum to one
  std::vector<float> input_;      // interleaved, starting at frame inputStart_
  std::vector<float> mono_;       // channel mean of input_, for the similarity search
  std::int64_t inputStart_ = 0, inputFrames_ = 0;
  std::vector<float> overlap_;    // window_ frames of output being summed
  std::int64_t segment_ = 0, previousStart_ = 0;
  std::int64_t emitted_ = 0, limit_ = -1;
};
