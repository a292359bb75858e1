#include "net/Md4.h"

#include <algorithm>
#include <cstring>

namespace {

Cardinal RotateLeft(Cardinal x, int n) { return (x << n) | (x >> (32 - n)); }

void Transform(Cardinal state[4], const Byte block[64]) {
  Cardinal x[16];
  for (int i = 0; i < 16; ++i)
    x[i] = Cardinal(block[4 * i]) | Cardinal(block[4 * i + 1]) << 8 | Cardinal(block[4 * i + 2]) << 16 |
           Cardinal(block[4 * i + 3]) << 24;
  Cardinal a = state[0], b = state[1], c = state[2], d = state[3];
  // Each round runs its step over the words in rotating roles (a, b, c, d) -> (d, a, b, c).
  auto step = [&](auto mix, Cardinal constant, const int order[16], const int shifts[4]) {
    for (int i = 0; i < 16; ++i) {
      const Cardinal value = RotateLeft(a + mix(b, c, d) + x[order[i]] + constant, shifts[i % 4]);
      a = d;
      d = c;
      c = b;
      b = value;
    }
  };
  static const int kOrder1[16] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
  static const int kOrder2[16] = {0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15};
  static const int kOrder3[16] = {0, 8, 4, 12, 2, 10, 6, 14, 1, 9, 5, 13, 3, 11, 7, 15};
  static const int kShift1[4] = {3, 7, 11, 19};
  static const int kShift2[4] = {3, 5, 9, 13};
  static const int kShift3[4] = {3, 9, 11, 15};
  step([](Cardinal b, Cardinal c, Cardinal d) { return (b & c) | (~b & d); }, 0, kOrder1, kShift1);
  step([](Cardinal b, Cardinal c, Cardinal d) { return (b & c) | (b & d) | (c & d); }, 0x5a827999, kOrder2,
       kShift2);
  step([](Cardinal b, Cardinal c, Cardinal d) { return b ^ c ^ d; }, 0x6ed9eba1, kOrder3, kShift3);
  state[0] += a;
  state[1] += b;
  state[2] += c;
  state[3] += d;
}

void RequireInitialized(const TMd4Context& context) {
  if (!context.Initialized) throw MD4Exception(L"MD4 not initialized");
}

}  // namespace

void Md4Init(TMd4Context& context) {
  context = TMd4Context{};
  context.State[0] = 0x67452301;
  context.State[1] = 0xefcdab89;
  context.State[2] = 0x98badcfe;
  context.State[3] = 0x10325476;
  context.Initialized = true;
}

void Md4Update(TMd4Context& context, const void* buffer, std::size_t length) {
  RequireInitialized(context);
  const Byte* input = static_cast<const Byte*>(buffer);
  context.BitCount += UInt64(length) * 8;
  while (length > 0) {
    const std::size_t take = std::min(length, 64 - context.BufferFill);
    std::memcpy(context.Buffer + context.BufferFill, input, take);
    context.BufferFill += take;
    input += take;
    length -= take;
    if (context.BufferFill == 64) {
      Transform(context.State, context.Buffer);
      context.BufferFill = 0;
    }
  }
}

void Md4UpdateText(TMd4Context& context, const AnsiString& text) {
  Md4Update(context, text.data(), text.size());
}

TMd4Digest Md4Final(TMd4Context& context) {
  RequireInitialized(context);
  Byte lengthBytes[8];
  for (int i = 0; i < 8; ++i) lengthBytes[i] = Byte(context.BitCount >> (8 * i));
  const std::size_t padLength = context.BufferFill < 56 ? 56 - context.BufferFill : 120 - context.BufferFill;
  static const Byte kPadding[64] = {0x80};
  Md4Update(context, kPadding, padLength);
  Md4Update(context, lengthBytes, 8);
  TMd4Digest digest;
  for (int i = 0; i < 16; ++i) digest[i] = Byte(context.State[i / 4] >> (8 * (i % 4)));
  context = TMd4Context{};
  return digest;
}

AnsiString Md4OfText(const AnsiString& text) {
  TMd4Context context;
  Md4Init(context);
  Md4UpdateText(context, text);
  const TMd4Digest digest = Md4Final(context);
  return AnsiString(digest.begin(), digest.end());
}
