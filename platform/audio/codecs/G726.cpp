#include "platform/audio/codecs/G726.h"

#include <cstdlib>

namespace {

// Rate-specific tables: log quantiser decision levels, reconstruction levels, scale factor
// multipliers (W) and the transition function F.
constexpr int kDecision32[7] = {-124, 80, 178, 246, 300, 349, 400};
constexpr int kLevels32[16] = {-2048, 4, 135, 213, 273, 323, 373, 425, 425, 373, 323, 273, 213, 135, 4, -2048};
constexpr int kMultipliers32[16] = {-12, 18, 41, 64, 112, 198, 355, 1122, 1122, 355, 198, 112, 64, 41, 18, -12};
constexpr int kTransition32[16] = {0, 0, 0, 0x200, 0x200, 0x200, 0x600, 0xE00,
                                   0xE00, 0x600, 0x200, 0x200, 0x200, 0, 0, 0};

constexpr int kDecision24[3] = {8, 218, 331};
constexpr int kLevels24[8] = {-2048, 135, 273, 373, 373, 273, 135, -2048};
constexpr int kMultipliers24[8] = {-128, 960, 4384, 18624, 18624, 4384, 960, -128};
constexpr int kTransition24[8] = {0, 0x200, 0x400, 0xE00, 0xE00, 0x400, 0x200, 0};

// Number of significant bits of a non-negative value below 2^15.
int BitLength(int value) {
  int bits = 0;
  while (bits < 15 && value >= (1 << bits)) ++bits;
  return bits;
}

// Index of the first table entry above `value`.
int LevelIndex(int value, const int* table, int size) {
  int i = 0;
  while (i < size && value >= table[i]) ++i;
  return i;
}

// Sign-extends a 16-bit pattern.
int Int16(int value) { return static_cast<std::int16_t>(static_cast<std::uint16_t>(value & 0xFFFF)); }

// Multiplies a predictor coefficient by a value in the 11-bit floating format (sign, 4-bit exponent,
// 6-bit mantissa), as the recommendation's FMULT block does.
int FloatMultiply(int coefficient, int floating) {
  const int magnitude = coefficient > 0 ? coefficient : ((-coefficient) & 0x1FFF);
  const int exponent = BitLength(magnitude) - 6;
  const int mantissa = magnitude == 0 ? 32 : exponent >= 0 ? magnitude >> exponent : magnitude << -exponent;
  const int productExponent = exponent + ((floating >> 6) & 0xF) - 13;
  const int productMantissa = (mantissa * (floating & 0x3F) + 0x30) >> 4;
  const int product = productExponent >= 0 ? (productMantissa << productExponent) & 0x7FFF
                                           : productMantissa >> -productExponent;
  return (coefficient ^ floating) < 0 ? -product : product;
}

// A magnitude in the floating format, negative values with the sign set.
int ToFloating(int value) {
  if (value == 0) return 0x20;
  const int magnitude = std::abs(value);
  const int exponent = BitLength(magnitude);
  const int floating = (exponent << 6) + ((magnitude << 6) >> exponent);
  return value > 0 ? floating : Int16(floating - 0x400);
}

}  // namespace

G726Codec::G726Codec(int bitsPerCode) : bits_(bitsPerCode == 3 ? 3 : 4) {
  dq_.fill(0x20);
  sr_.fill(0x20);
}

G726Codec::Prediction G726Codec::Predict() const {
  int zero = 0;
  for (int i = 0; i < 6; ++i) zero += FloatMultiply(b_[i] >> 2, dq_[i]);
  const int all = zero + FloatMultiply(a_[1] >> 2, sr_[1]) + FloatMultiply(a_[0] >> 2, sr_[0]);
  // The sums are 16-bit two's complement and wrap; an encoder and decoder that saturate or widen
  // here lose step with each other once a loud signal overshoots.
  return {Int16(all) >> 1, Int16(zero) >> 1};
}

int G726Codec::StepSize() const {
  if (ap_ >= 256) return yu_;
  int y = static_cast<int>(yl_ >> 6);
  const int difference = yu_ - y;
  const int speed = ap_ >> 2;
  if (difference > 0)
    y += (difference * speed) >> 6;
  else if (difference < 0)
    y += (difference * speed + 0x3F) >> 6;
  return y;
}

int G726Codec::Quantise(int difference, int y) const {
  const int magnitude = std::abs(difference);
  const int exponent = BitLength(magnitude >> 1);
  const int mantissa = ((magnitude << 7) >> exponent) & 0x7F;
  const int logDifference = (exponent << 7) + mantissa - (y >> 2);
  const int* decision = bits_ == 4 ? kDecision32 : kDecision24;
  const int levels = bits_ == 4 ? 7 : 3;
  const int i = LevelIndex(logDifference, decision, levels);
  if (difference < 0) return (levels << 1) + 1 - i;
  return i == 0 ? (levels << 1) + 1 : i;
}

int G726Codec::Reconstruct(int code, int y) const {
  const bool negative = (code & (1 << (bits_ - 1))) != 0;
  const int logMagnitude = (bits_ == 4 ? kLevels32 : kLevels24)[code] + (y >> 2);
  if (logMagnitude < 0) return negative ? -0x8000 : 0;
  const int exponent = (logMagnitude >> 7) & 15;
  const int mantissa = 128 + (logMagnitude & 127);
  const int magnitude = (mantissa << 7) >> (14 - exponent);
  return negative ? magnitude - 0x8000 : magnitude;
}

int G726Codec::Reconstructed(const Prediction& p, int dq) {
  return Int16(dq < 0 ? p.SignalEstimate - (dq & 0x3FFF) : p.SignalEstimate + dq);
}

int G726Codec::Decode(int code) {
  code &= (1 << bits_) - 1;
  const Prediction p = Predict();
  const int y = StepSize();
  const int dq = Reconstruct(code, y);
  const int sr = Reconstructed(p, dq);
  Update(y, code, dq, sr, Int16(sr - p.SignalEstimate + p.ZeroPart));
  return sr;
}

int G726Codec::Encode(int sample14) {
  const Prediction p = Predict();
  const int y = StepSize();
  const int code = Quantise(sample14 - p.SignalEstimate, y);
  const int dq = Reconstruct(code, y);
  const int sr = Reconstructed(p, dq);
  Update(y, code, dq, sr, Int16(sr - p.SignalEstimate + p.ZeroPart));
  return code;
}

void G726Codec::Update(int y, int code, int dq, int sr, int dqsez) {
  const int wi = bits_ == 4 ? kMultipliers32[code] << 5 : kMultipliers24[code];
  const int fi = bits_ == 4 ? kTransition32[code] : kTransition24[code];
  const int pk0 = dqsez < 0 ? 1 : 0;
  const int magnitude = dq & 0x7FFF;

  // Transition detector: a large difference while a tone was detected.
  const int ylInteger = static_cast<int>(yl_ >> 15);
  const int ylFraction = static_cast<int>((yl_ >> 10) & 0x1F);
  const int threshold1 = (32 + ylFraction) << ylInteger;
  const int threshold2 = ylInteger > 9 ? 31 << 10 : threshold1;
  const int dqThreshold = (threshold2 + (threshold2 >> 1)) >> 1;
  const bool transition = td_ != 0 && magnitude > dqThreshold;

  // Scale factor adaptation.
  yu_ = y + ((wi - y) >> 5);
  if (yu_ < 544) yu_ = 544;
  if (yu_ > 5120) yu_ = 5120;
  yl_ += yu_ + ((-yl_) >> 6);

  int a2 = 0;
  if (transition) {
    a_.fill(0);
    b_.fill(0);
  } else {
    const int pks1 = pk0 ^ pk_[0];
    a2 = a_[1] - (a_[1] >> 7);
    if (dqsez != 0) {
      const int fa1 = pks1 ? a_[0] : -a_[0];
      if (fa1 < -8191)
        a2 -= 0x100;
      else if (fa1 > 8191)
        a2 += 0xFF;
      else
        a2 += fa1 >> 5;
      if (pk0 ^ pk_[1]) {
        if (a2 <= -12160)
          a2 = -12288;
        else if (a2 >= 12416)
          a2 = 12288;
        else
          a2 -= 0x80;
      } else if (a2 <= -12416) {
        a2 = -12288;
      } else if (a2 >= 12160) {
        a2 = 12288;
      } else {
        a2 += 0x80;
      }
    }
    a_[1] = a2;

    a_[0] -= a_[0] >> 8;
    if (dqsez != 0) a_[0] += pks1 == 0 ? 192 : -192;
    const int a1Limit = 15360 - a2;
    if (a_[0] < -a1Limit) a_[0] = -a1Limit;
    if (a_[0] > a1Limit) a_[0] = a1Limit;

    for (int i = 0; i < 6; ++i) {
      b_[i] -= b_[i] >> 8;
      if (magnitude != 0) b_[i] += (dq ^ dq_[i]) >= 0 ? 128 : -128;
    }
  }

  for (int i = 5; i > 0; --i) dq_[i] = dq_[i - 1];
  dq_[0] = magnitude == 0 ? (dq >= 0 ? 0x20 : Int16(0xFC20)) : ToFloating(dq >= 0 ? magnitude : -magnitude);
  sr_[1] = sr_[0];
  sr_[0] = sr <= -32768 ? Int16(0xFC20) : ToFloating(sr);
  pk_[1] = pk_[0];
  pk_[0] = pk0;

  // Tone detector: a strongly resonant second pole.
  td_ = !transition && a2 < -11776 ? 1 : 0;

  // Adaptation speed control.
  dms_ += (fi - dms_) >> 5;
  dml_ += ((fi << 2) - dml_) >> 7;
  if (transition)
    ap_ = 256;
  else if (y < 1536 || td_ == 1 || std::abs((dms_ << 2) - dml_) >= (dml_ >> 3))
    ap_ += (0x200 - ap_) >> 4;
  else
    ap_ += (-ap_) >> 4;
}
