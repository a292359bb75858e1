#include "platform/audio/displays/FrequencyAnalyzer.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

double WindowCoefficient(SpectrumWindow window, int i, int n) {
  const double phase = 2 * kPi * i / n;
  switch (window) {
    case SpectrumWindow::Rectangular: return 1.0;
    case SpectrumWindow::Hamming: return 0.54 - 0.46 * std::cos(phase);
    case SpectrumWindow::Blackman: return 0.42 - 0.5 * std::cos(phase) + 0.08 * std::cos(2 * phase);
    case SpectrumWindow::Hann: break;
  }
  return 0.5 - 0.5 * std::cos(phase);
}

}  // namespace

void FrequencyAnalyzer::Configure(int size, SpectrumWindow window) {
  if (size == size_ && window == window_) return;
  size_ = size;
  window_ = window;
  coefficients_.resize(size);
  double sum = 0;
  for (int i = 0; i < size; ++i) {
    coefficients_[i] = static_cast<float>(WindowCoefficient(window, i, size));
    sum += coefficients_[i];
  }
  scale_ = static_cast<float>(2.0 / sum);
  twiddles_.resize(size / 2);
  for (int i = 0; i < size / 2; ++i) twiddles_[i] = std::polar(1.0f, static_cast<float>(-2 * kPi * i / size));
  reversed_.resize(size);
  int bits = 0;
  while ((1 << bits) < size) ++bits;
  for (int i = 0; i < size; ++i) {
    std::uint32_t r = 0;
    for (int b = 0; b < bits; ++b) r |= ((i >> b) & 1u) << (bits - 1 - b);
    reversed_[i] = r;
  }
  work_.resize(size);
  power_.resize(Bins());
}

void FrequencyAnalyzer::Transform() {
  const int n = size_;
  for (int i = 0; i < n; ++i)
    if (static_cast<std::uint32_t>(i) < reversed_[i]) std::swap(work_[i], work_[reversed_[i]]);
  for (int len = 2; len <= n; len <<= 1) {
    const int half = len / 2, step = n / len;
    for (int i = 0; i < n; i += len) {
      for (int k = 0; k < half; ++k) {
        const std::complex<float> u = work_[i + k], v = work_[i + k + half] * twiddles_[k * step];
        work_[i + k] = u + v;
        work_[i + k + half] = u - v;
      }
    }
  }
}

void FrequencyAnalyzer::AccumulatePower(const float* samples, float* power) {
  for (int i = 0; i < size_; ++i) work_[i] = {samples[i] * coefficients_[i], 0.0f};
  Transform();
  const float scale2 = scale_ * scale_;
  for (int k = 0; k < Bins(); ++k) power[k] += std::norm(work_[k]) * scale2;
}

void FrequencyAnalyzer::Levels(const float* samples, float* levels) {
  std::fill(power_.begin(), power_.end(), 0.0f);
  AccumulatePower(samples, power_.data());
  for (int k = 0; k < Bins(); ++k) levels[k] = PowerToDb(power_[k]);
}

float FrequencyAnalyzer::PowerToDb(float power) {
  return power > 1e-20f ? 10.0f * std::log10(power) : kSpectrumFloorDb;
}

void MixToMono(const float* interleaved, std::int64_t frames, int channels, float* mono) {
  if (channels == 1) {
    std::copy(interleaved, interleaved + frames, mono);
    return;
  }
  const float share = 1.0f / static_cast<float>(channels);
  for (std::int64_t f = 0; f < frames; ++f) {
    float sum = 0;
    for (int c = 0; c < channels; ++c) sum += interleaved[f * channels + c];
    mono[f] = sum * share;
  }
}

namespace {

// Spans whose centres are `centre(c)` (fractional bins), each reaching half-way to its neighbours.
template <class Centre>
void SpansAround(int binCount, int count, std::vector<BinSpan>& spans, Centre centre) {
  spans.resize(std::max(count, 0));
  for (int c = 0; c < count; ++c) {
    const double from = c == 0 ? 0.0 : (centre(c - 1) + centre(c)) / 2;
    const double to = c == count - 1 ? binCount - 1.0 : (centre(c) + centre(c + 1)) / 2;
    int first = static_cast<int>(std::ceil(from - 1e-9)), last = static_cast<int>(std::floor(to - 1e-9));
    if (c == count - 1) last = binCount - 1;
    // A column narrower than a bin shows the bin nearest its centre.
    if (last < first) first = last = static_cast<int>(std::lround(centre(c)));
    spans[c] = {std::clamp(first, 0, binCount - 1), std::clamp(last, 0, binCount - 1)};
  }
}

}  // namespace

void LinearBinSpans(int binCount, int count, std::vector<BinSpan>& spans) {
  const double step = count > 1 ? (binCount - 1.0) / (count - 1) : 0.0;
  SpansAround(binCount, count, spans, [step](int c) { return c * step; });
}

void LogBinSpans(int binCount, int count, std::vector<BinSpan>& spans) {
  const double top = std::log(std::max(binCount - 1.0, 1.0));
  const double step = count > 1 ? top / (count - 1) : 0.0;
  SpansAround(binCount, count, spans, [step](int c) { return std::exp(c * step); });
}

void SpanMaxima(const float* values, const std::vector<BinSpan>& spans, float* out) {
  for (std::size_t c = 0; c < spans.size(); ++c)
    out[c] = *std::max_element(values + spans[c].First, values + spans[c].Last + 1);
}
