#pragma once
// The 4-bit ADPCM of telephony voice files (12-bit samples, 49 step sizes). Each byte holds two codes,
// the high nibble first.

#include <cstdint>

class VoxAdpcmDecoder {
 public:
  // The 12-bit sample of one 4-bit code, -2048..2047.
  int Decode(int code);

 private:
  int sample_ = 0;
  int stepIndex_ = 0;
};
