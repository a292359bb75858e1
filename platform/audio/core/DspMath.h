#pragma once
// Small helpers shared by the effects: parameter clamping that also catches NaN, unit conversions.

#include <algorithm>
#include <cmath>

namespace dsp {

constexpr double kPi = 3.14159265358979323846;
constexpr int kMaxChannels = 2;

// `value` limited to [lo, hi]; NaN becomes `lo`.
inline double Clamp(double value, double lo, double hi) {
  if (!(value >= lo)) return lo;
  return value > hi ? hi : value;
}

// Filter frequencies stay between 10 Hz and 0.45 of the rate, where every design is stable.
inline double ClampFrequency(double hz, int sampleRate) { return Clamp(hz, 10.0, 0.45 * sampleRate); }

inline double ClampGainDb(double db) { return std::isnan(db) ? 0.0 : Clamp(db, -90.0, 90.0); }

// A percentage of the callers as a fraction, limited to [lo, hi] percent.
inline double Fraction(double percent, double lo = 0.0, double hi = 100.0) { return Clamp(percent, lo, hi) / 100.0; }

// Feedback loops stay below unity so every tail decays.
inline double ClampFeedback(double fraction) { return Clamp(fraction, 0.0, 0.98); }

inline double DbToGain(double db) { return std::pow(10.0, db / 20.0); }

// Frames in `ms` milliseconds, rounded.
inline long long MsToFrames(double ms, int sampleRate) { return std::llround(std::max(0.0, ms) * sampleRate / 1000.0); }

// One-pole smoothing coefficient reaching 1 - 1/e of a step in `ms`.
inline float SmoothingCoefficient(double ms, int sampleRate) {
  return static_cast<float>(std::exp(-1000.0 / (std::max(ms, 0.001) * sampleRate)));
}

}  // namespace dsp
