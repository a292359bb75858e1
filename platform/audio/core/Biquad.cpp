#include "platform/audio/core/Biquad.h"

#include <cmath>

namespace biquad {
namespace {

struct Angle {
  double cos, sin;
};

Angle At(double hz, int sampleRate) {
  const double w0 = 2.0 * dsp::kPi * hz / sampleRate;
  return {std::cos(w0), std::sin(w0)};
}

// The sections' alpha for a bandwidth in octaves between the -3 dB (or half-gain) points.
double BandwidthAlpha(double hz, double octaves, int sampleRate) {
  const double w0 = 2.0 * dsp::kPi * hz / sampleRate;
  return std::sin(w0) * std::sinh(std::log(2.0) / 2.0 * octaves * w0 / std::sin(w0));
}

BiquadCoefficients Normalised(double b0, double b1, double b2, double a0, double a1, double a2) {
  return {b0 / a0, b1 / a0, b2 / a0, a1 / a0, a2 / a0};
}

}  // namespace

BiquadCoefficients LowPass(double hz, double q, int sampleRate) {
  const Angle w = At(hz, sampleRate);
  const double alpha = w.sin / (2.0 * q);
  return Normalised((1 - w.cos) / 2, 1 - w.cos, (1 - w.cos) / 2, 1 + alpha, -2 * w.cos, 1 - alpha);
}

BiquadCoefficients HighPass(double hz, double q, int sampleRate) {
  const Angle w = At(hz, sampleRate);
  const double alpha = w.sin / (2.0 * q);
  return Normalised((1 + w.cos) / 2, -(1 + w.cos), (1 + w.cos) / 2, 1 + alpha, -2 * w.cos, 1 - alpha);
}

BiquadCoefficients BandPass(double hz, double octaves, int sampleRate) {
  const Angle w = At(hz, sampleRate);
  const double alpha = BandwidthAlpha(hz, octaves, sampleRate);
  return Normalised(alpha, 0, -alpha, 1 + alpha, -2 * w.cos, 1 - alpha);
}

BiquadCoefficients Notch(double hz, double octaves, int sampleRate) {
  const Angle w = At(hz, sampleRate);
  const double alpha = BandwidthAlpha(hz, octaves, sampleRate);
  return Normalised(1, -2 * w.cos, 1, 1 + alpha, -2 * w.cos, 1 - alpha);
}

BiquadCoefficients Peaking(double hz, double gainDb, double octaves, int sampleRate) {
  const Angle w = At(hz, sampleRate);
  const double alpha = BandwidthAlpha(hz, octaves, sampleRate);
  const double a = std::pow(10.0, gainDb / 40.0);
  return Normalised(1 + alpha * a, -2 * w.cos, 1 - alpha * a, 1 + alpha / a, -2 * w.cos, 1 - alpha / a);
}

namespace {

struct ShelfTerms {
  double a, cos, root;  // A, cos w0, 2 sqrt(A) alpha
};

ShelfTerms Shelf(double hz, double gainDb, double slope, int sampleRate) {
  const Angle w = At(hz, sampleRate);
  const double a = std::pow(10.0, gainDb / 40.0);
  const double alpha = w.sin / 2.0 * std::sqrt((a + 1.0 / a) * (1.0 / slope - 1.0) + 2.0);
  return {a, w.cos, 2.0 * std::sqrt(a) * alpha};
}

}  // namespace

BiquadCoefficients LowShelf(double hz, double gainDb, double slope, int sampleRate) {
  const auto [a, c, r] = Shelf(hz, gainDb, slope, sampleRate);
  return Normalised(a * ((a + 1) - (a - 1) * c + r), 2 * a * ((a - 1) - (a + 1) * c), a * ((a + 1) - (a - 1) * c - r),
                    (a + 1) + (a - 1) * c + r, -2 * ((a - 1) + (a + 1) * c), (a + 1) + (a - 1) * c - r);
}

BiquadCoefficients HighShelf(double hz, double gainDb, double slope, int sampleRate) {
  const auto [a, c, r] = Shelf(hz, gainDb, slope, sampleRate);
  return Normalised(a * ((a + 1) + (a - 1) * c + r), -2 * a * ((a - 1) + (a + 1) * c), a * ((a + 1) + (a - 1) * c - r),
                    (a + 1) - (a - 1) * c + r, 2 * ((a - 1) - (a + 1) * c), (a + 1) - (a - 1) * c - r);
}

}  // namespace biquad

void BiquadCascade::SetSections(std::vector<BiquadCoefficients> sections) {
  sections_ = std::move(sections);
  Reset();
}

void BiquadCascade::Reset() { state_.assign(sections_.size() * 2 * dsp::kMaxChannels, 0.0); }

void BiquadCascade::Process(float* samples, std::int64_t frames, int channels) {
  const std::size_t count = sections_.size();
  if (count == 0) return;
  const BiquadCoefficients* s = sections_.data();
  for (int c = 0; c < channels; ++c) {
    double* z = state_.data() + static_cast<std::size_t>(c) * count * 2;
    float* x = samples + c;
    for (std::int64_t i = 0; i < frames; ++i) {
      double v = x[i * channels];
      for (std::size_t k = 0; k < count; ++k) {
        const double y = s[k].b0 * v + z[2 * k];
        z[2 * k] = s[k].b1 * v - s[k].a1 * y + z[2 * k + 1];
        z[2 * k + 1] = s[k].b2 * v - s[k].a2 * y;
        v = y;
      }
      x[i * channels] = static_cast<float>(v);
    }
  }
}

int ButterworthOrder(double steepness) {
  const int steps = static_cast<int>(std::floor(dsp::Clamp(steepness, 0.0, 100.0) / 25.0));
  return 2 * (1 + std::min(3, steps));
}

double FilterBandwidthOctaves(double steepness) { return 3.0 - 2.9 * dsp::Fraction(steepness); }

double ShelfSlope(double steepness) { return 0.3 + 0.7 * dsp::Fraction(steepness); }

std::vector<BiquadCoefficients> FilterEffect::Design(FilterType type, double frequency, double steepness,
                                                     double gainDb, int sampleRate) {
  const double f = dsp::ClampFrequency(frequency, sampleRate);
  const double gain = dsp::ClampGainDb(gainDb);
  const double octaves = FilterBandwidthOctaves(steepness);
  switch (type) {
    case FilterType::LowPass:
    case FilterType::HighPass: {
      // Butterworth: the order's pole pairs, each a section with its own Q.
      const int order = ButterworthOrder(steepness);
      std::vector<BiquadCoefficients> sections;
      for (int k = 0; k < order / 2; ++k) {
        const double q = 1.0 / (2.0 * std::sin(dsp::kPi * (2 * k + 1) / (2.0 * order)));
        sections.push_back(type == FilterType::LowPass ? biquad::LowPass(f, q, sampleRate)
                                                       : biquad::HighPass(f, q, sampleRate));
      }
      return sections;
    }
    case FilterType::BandPass: return {biquad::BandPass(f, octaves, sampleRate)};
    case FilterType::Notch: return {biquad::Notch(f, octaves, sampleRate)};
    case FilterType::PeakEQ: return {biquad::Peaking(f, gain, octaves, sampleRate)};
    case FilterType::LowShelf: return {biquad::LowShelf(f, gain, ShelfSlope(steepness), sampleRate)};
    case FilterType::HighShelf: return {biquad::HighShelf(f, gain, ShelfSlope(steepness), sampleRate)};
  }
  return {};
}

void FilterEffect::Begin(const EffectContext& context) {
  InPlaceEffect::Begin(context);
  cascade_.SetSections(Design(type_, frequency_, steepness_, gainDb_, context.SampleRate));
}

void FilterEffect::Apply(float* samples, std::int64_t frames, int channels, std::int64_t) {
  cascade_.Process(samples, frames, channels);
}
