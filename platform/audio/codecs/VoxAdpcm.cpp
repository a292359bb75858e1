#include "platform/audio/codecs/VoxAdpcm.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<int, 49> kStepSizes = {16,  17,  19,  21,  23,  25,  28,  31,  34,  37,  41,  45,   50,
                                            55,  60,  66,  73,  80,  88,  97,  107, 118, 130, 143, 157,  173,
                                            190, 209, 230, 253, 279, 307, 337, 371, 408, 449, 494, 544,  598,
                                            658, 724, 796, 876, 963, 1060, 1166, 1282, 1411, 1552};
constexpr std::array<int, 8> kIndexSteps = {-1, -1, -1, -1, 2, 4, 6, 8};

}  // namespace

int VoxAdpcmDecoder::Decode(int code) {
  // The difference is (2·magnitude + 1)·step / 8 truncated once; summing step, step/2, step/4 and
  // step/8 each truncated comes out up to 2 lower for some steps, and the error accumulates.
  const int step = kStepSizes[static_cast<std::size_t>(stepIndex_)];
  int difference = ((code & 7) * 2 + 1) * step >> 3;
  if (code & 8) difference = -difference;
  sample_ = std::clamp(sample_ + difference, -2048, 2047);
  stepIndex_ = std::clamp(stepIndex_ + kIndexSteps[static_cast<std::size_t>(code & 7)], 0, 48);
  return sample_;
}
