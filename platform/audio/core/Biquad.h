#pragma once
// Second-order filter sections and the filter effects built from them: Butterworth low- and
// high-pass cascades, band-pass, notch, peaking and shelving sections. Sections are the bilinear
// transforms of the analogue prototypes, pre-warped at the given frequency, so the response at that
// frequency is exact.

#include <cstdint>
#include <vector>

#include "platform/audio/core/DspMath.h"
#include "platform/audio/core/Effects.h"

// Normalised so that a0 = 1: y = b0 x + b1 x[-1] + b2 x[-2] - a1 y[-1] - a2 y[-2].
struct BiquadCoefficients {
  double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
};

namespace biquad {
BiquadCoefficients LowPass(double hz, double q, int sampleRate);
BiquadCoefficients HighPass(double hz, double q, int sampleRate);
// Unity gain at `hz`, the -3 dB points `octaves` apart.
BiquadCoefficients BandPass(double hz, double octaves, int sampleRate);
// Zero gain at `hz`, the -3 dB points `octaves` apart.
BiquadCoefficients Notch(double hz, double octaves, int sampleRate);
// `gainDb` at `hz`, half of it (in dB) `octaves` apart.
BiquadCoefficients Peaking(double hz, double gainDb, double octaves, int sampleRate);
// `gainDb` on the shelf, half of it at `hz`; `slope` in (0, 1], 1 the steepest without overshoot.
BiquadCoefficients LowShelf(double hz, double gainDb, double slope, int sampleRate);
BiquadCoefficients HighShelf(double hz, double gainDb, double slope, int sampleRate);
}  // namespace biquad

// Sections in series, run per channel in transposed direct form II with double-precision state, so
// the state carries over exactly from one call to the next.
class BiquadCascade {
 public:
  void SetSections(std::vector<BiquadCoefficients> sections);
  void Reset();
  bool Empty() const { return sections_.empty(); }
  void Process(float* samples, std::int64_t frames, int channels);

 private:
  std::vector<BiquadCoefficients> sections_;
  std::vector<double> state_;  // per channel, two values per section
};

enum class FilterType { LowPass, HighPass, BandPass, Notch, PeakEQ, LowShelf, HighShelf };

// Parameter mappings of the filter effects, steepness in percent (clamped to 0..100).
int ButterworthOrder(double steepness);      // 2, 4, 6 or 8
double FilterBandwidthOctaves(double steepness);  // 3 octaves down to 0.1
double ShelfSlope(double steepness);          // 0.3 .. 1

// One filter effect; frequency in Hz (clamped to [10 Hz, 0.45 x rate]), gain in dB (clamped to
// +-90 dB, used by PeakEQ and the shelves only). The sections are designed for the rate in Begin.
class FilterEffect : public InPlaceEffect {
 public:
  FilterEffect(FilterType type, float frequency, float steepness, float gainDb = 0.0f)
      : type_(type), frequency_(frequency), steepness_(steepness), gainDb_(gainDb) {}
  void Begin(const EffectContext& context) override;
  void Apply(float* samples, std::int64_t frames, int channels, std::int64_t position) override;

  static std::vector<BiquadCoefficients> Design(FilterType type, double frequency, double steepness, double gainDb,
                                                int sampleRate);

 private:
  FilterType type_;
  float frequency_, steepness_, gainDb_;
  BiquadCascade cascade_;
};
