#pragma once
// ITU-T G.726 adaptive differential PCM at 32 kbit/s (4-bit codes) and 24 kbit/s (3-bit codes), the
// fixed-point algorithm of the recommendation: adaptive quantiser with a locked and an unlocked scale
// factor, a two-pole six-zero adaptive predictor, adaptation speed control and tone/transition detection.
// Encoding exists so the decoder can be checked against its own encoder's reconstruction.

#include <array>
#include <cstdint>

class G726Codec {
 public:
  // 4 (32 kbit/s) or 3 (24 kbit/s) bits per code.
  explicit G726Codec(int bitsPerCode);

  // The reconstructed sample of one code: 14-bit (-8192..8191) for a sound signal; a stream that
  // overshoots reaches the 16-bit range.
  int Decode(int code);
  // The code of one 14-bit sample; the state follows what the decoder will reconstruct.
  int Encode(int sample14);

 private:
  struct Prediction {
    int SignalEstimate;  // se
    int ZeroPart;        // sez
  };
  Prediction Predict() const;
  int StepSize() const;
  int Quantise(int difference, int y) const;
  int Reconstruct(int code, int y) const;
  // The signal of an estimate plus a difference, 16-bit two's complement like every sum here.
  static int Reconstructed(const Prediction& p, int dq);
  void Update(int y, int code, int dq, int sr, int dqsez);

  int bits_;
  long yl_ = 34816;  // locked scale factor
  int yu_ = 544;     // unlocked scale factor
  int dms_ = 0, dml_ = 0;  // short and long term averages of F(I)
  int ap_ = 0;             // speed control
  std::array<int, 2> a_{};  // pole coefficients
  std::array<int, 6> b_{};  // zero coefficients
  std::array<int, 2> pk_{};  // signs of the partial signal estimates
  std::array<int, 6> dq_;  // quantised differences, floating format
  std::array<int, 2> sr_;  // reconstructed signal, floating format
  int td_ = 0;             // tone detected
};
