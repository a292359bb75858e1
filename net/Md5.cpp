#include "net/Md5.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t kLargePiece = 16384;

constexpr Cardinal kSine[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};

constexpr int kShift[4][4] = {{7, 12, 17, 22}, {5, 9, 14, 20}, {4, 11, 16, 23}, {6, 10, 15, 21}};

Cardinal RotateLeft(Cardinal x, int n) { return (x << n) | (x >> (32 - n)); }

void Transform(Cardinal state[4], const Byte block[64]) {
  Cardinal x[16];
  for (int i = 0; i < 16; ++i)
    x[i] = Cardinal(block[4 * i]) | Cardinal(block[4 * i + 1]) << 8 | Cardinal(block[4 * i + 2]) << 16 |
           Cardinal(block[4 * i + 3]) << 24;
  Cardinal a = state[0], b = state[1], c = state[2], d = state[3];
  for (int i = 0; i < 64; ++i) {
    const int round = i / 16;
    Cardinal f;
    int k;
    switch (round) {
      case 0: f = (b & c) | (~b & d); k = i; break;
      case 1: f = (b & d) | (c & ~d); k = (5 * i + 1) % 16; break;
      case 2: f = b ^ c ^ d; k = (3 * i + 5) % 16; break;
      default: f = c ^ (b | ~d); k = (7 * i) % 16; break;
    }
    const Cardinal rotated = RotateLeft(a + f + kSine[i] + x[k], kShift[round][i % 4]);
    a = d;
    d = c;
    c = b;
    b = b + rotated;
  }
  state[0] += a;
  state[1] += b;
  state[2] += c;
  state[3] += d;
}

}  // namespace

void Md5Init(TMd5Context& context) {
  std::memset(&context, 0, sizeof context);
  context.State[0] = 0x67452301;
  context.State[1] = 0xefcdab89;
  context.State[2] = 0x98badcfe;
  context.State[3] = 0x10325476;
}

void Md5Update(TMd5Context& context, const void* buffer, std::size_t length) {
  const Byte* input = static_cast<const Byte*>(buffer);
  std::size_t filled = std::size_t(context.BitCount / 8 % 64);
  context.BitCount += UInt64(length) * 8;
  while (length > 0) {
    const std::size_t take = std::min(length, 64 - filled);
    std::memcpy(context.Buffer + filled, input, take);
    filled += take;
    input += take;
    length -= take;
    if (filled == 64) {
      Transform(context.State, context.Buffer);
      filled = 0;
    }
  }
}

TMd5Digest Md5Final(TMd5Context& context) {
  Byte lengthBytes[8];
  for (int i = 0; i < 8; ++i) lengthBytes[i] = Byte(context.BitCount >> (8 * i));
  const std::size_t filled = std::size_t(context.BitCount / 8 % 64);
  const std::size_t padLength = filled < 56 ? 56 - filled : 120 - filled;
  static const Byte kPadding[64] = {0x80};
  Md5Update(context, kPadding, padLength);
  Md5Update(context, lengthBytes, 8);
  TMd5Digest digest;
  for (int i = 0; i < 16; ++i) digest[i] = Byte(context.State[i / 4] >> (8 * (i % 4)));
  std::memset(&context, 0, sizeof context);
  return digest;
}

void Md5UpdateLarge(TMd5Context& context, const void* buffer, std::size_t length) {
  const Byte* input = static_cast<const Byte*>(buffer);
  while (length > 0) {
    const std::size_t piece = std::min(length, kLargePiece);
    Md5Update(context, input, piece);
    input += piece;
    length -= piece;
  }
}
