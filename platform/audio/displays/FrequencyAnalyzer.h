#pragma once
// Short-time spectra for the displays: a radix-2 transform of a power-of-two size with a choice of
// window, levels in dB where a full-scale sine reads 0 dB at its bin whatever the window. Every
// table and scratch buffer is made when the size or window changes, never per call.

#include <complex>
#include <cstdint>
#include <vector>

enum class SpectrumWindow { Rectangular, Hamming, Blackman, Hann };

// Level given to a bin with no energy at all.
constexpr float kSpectrumFloorDb = -200.0f;

class FrequencyAnalyzer {
 public:
  // `size` must be a power of two of at least 2.
  void Configure(int size, SpectrumWindow window);
  int Size() const { return size_; }
  int Bins() const { return size_ / 2 + 1; }
  SpectrumWindow Window() const { return window_; }

  // Adds the power of each bin of `Size()` mono samples to `power` (Bins() values, scaled so a
  // full-scale sine adds 1.0 at its bin).
  void AccumulatePower(const float* samples, float* power);
  // Levels in dB of Size() mono samples into `levels` (Bins() values).
  void Levels(const float* samples, float* levels);

  static bool IsPowerOfTwo(int n) { return n >= 2 && (n & (n - 1)) == 0; }
  static float PowerToDb(float power);

 private:
  void Transform();

  int size_ = 0;
  SpectrumWindow window_ = SpectrumWindow::Hann;
  float scale_ = 1.0f;  // 1 / (window sum / 2): a full-scale sine's bin magnitude becomes 1
  std::vector<float> coefficients_;
  std::vector<std::complex<float>> twiddles_, work_;
  std::vector<std::uint32_t> reversed_;
  std::vector<float> power_;
};

// The mean of `channels` interleaved channels of `frames` frames into `mono`.
void MixToMono(const float* interleaved, std::int64_t frames, int channels, float* mono);

// The share of a bin range that each display column shows: bins [First, Last] (inclusive).
struct BinSpan {
  int First = 0;
  int Last = 0;
};

// `count` columns over bins 0..binCount-1 on a linear frequency axis: column c is centred on bin
// c * (binCount - 1) / (count - 1) and reaches half-way to its neighbours' centres, so the first
// column sits on 0 Hz, the last on half the rate, and no bin falls between two columns.
void LinearBinSpans(int binCount, int count, std::vector<BinSpan>& spans);
// As LinearBinSpans on a logarithmic axis from bin 1 to the last bin.
void LogBinSpans(int binCount, int count, std::vector<BinSpan>& spans);
// The largest value of each span.
void SpanMaxima(const float* values, const std::vector<BinSpan>& spans, float* out);
