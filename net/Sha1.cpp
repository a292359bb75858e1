#include "net/Sha1.h"

#include <cstring>

namespace {

Cardinal RotateLeft(Cardinal x, int n) { return (x << n) | (x >> (32 - n)); }

void ProcessMessageBlock(TSha1Context& context) {
  static const Cardinal kRoundConstants[4] = {0x5A827999, 0x6ED9EBA1, 0x8F1BBCDC, 0xCA62C1D6};
  Cardinal w[80];
  for (int t = 0; t < 16; ++t)
    w[t] = Cardinal(context.MessageBlock[4 * t]) << 24 | Cardinal(context.MessageBlock[4 * t + 1]) << 16 |
           Cardinal(context.MessageBlock[4 * t + 2]) << 8 | Cardinal(context.MessageBlock[4 * t + 3]);
  for (int t = 16; t < 80; ++t) w[t] = RotateLeft(w[t - 3] ^ w[t - 8] ^ w[t - 14] ^ w[t - 16], 1);

  Cardinal a = context.IntermediateHash[0], b = context.IntermediateHash[1], c = context.IntermediateHash[2],
           d = context.IntermediateHash[3], e = context.IntermediateHash[4];
  for (int t = 0; t < 80; ++t) {
    Cardinal f;
    if (t < 20)
      f = (b & c) | (~b & d);
    else if (t < 40 || t >= 60)
      f = b ^ c ^ d;
    else
      f = (b & c) | (b & d) | (c & d);
    const Cardinal temp = RotateLeft(a, 5) + f + e + w[t] + kRoundConstants[t / 20];
    e = d;
    d = c;
    c = RotateLeft(b, 30);
    b = a;
    a = temp;
  }
  context.IntermediateHash[0] += a;
  context.IntermediateHash[1] += b;
  context.IntermediateHash[2] += c;
  context.IntermediateHash[3] += d;
  context.IntermediateHash[4] += e;
  context.MessageBlockIndex = 0;
}

void PadMessage(TSha1Context& context) {
  context.MessageBlock[context.MessageBlockIndex++] = 0x80;
  if (context.MessageBlockIndex > 56) {
    while (context.MessageBlockIndex < 64) context.MessageBlock[context.MessageBlockIndex++] = 0;
    ProcessMessageBlock(context);
  }
  while (context.MessageBlockIndex < 56) context.MessageBlock[context.MessageBlockIndex++] = 0;
  for (int i = 0; i < 4; ++i) {
    context.MessageBlock[56 + i] = Byte(context.LengthHigh >> (24 - 8 * i));
    context.MessageBlock[60 + i] = Byte(context.LengthLow >> (24 - 8 * i));
  }
  ProcessMessageBlock(context);
}

}  // namespace

int Sha1Reset(TSha1Context* context) {
  if (context == nullptr) return Sha1Null;
  std::memset(context, 0, sizeof *context);
  context->IntermediateHash[0] = 0x67452301;
  context->IntermediateHash[1] = 0xEFCDAB89;
  context->IntermediateHash[2] = 0x98BADCFE;
  context->IntermediateHash[3] = 0x10325476;
  context->IntermediateHash[4] = 0xC3D2E1F0;
  return Sha1Success;
}

int Sha1Input(TSha1Context* context, const Byte* message, std::size_t length) {
  if (length == 0) return Sha1Success;
  if (context == nullptr || message == nullptr) return Sha1Null;
  if (context->Computed) context->Corrupted = Sha1StateError;
  if (context->Corrupted != 0) return context->Corrupted;
  for (std::size_t i = 0; i < length && context->Corrupted == 0; ++i) {
    context->MessageBlock[context->MessageBlockIndex++] = message[i];
    context->LengthLow += 8;
    if (context->LengthLow == 0 && ++context->LengthHigh == 0) context->Corrupted = Sha1Null;
    if (context->MessageBlockIndex == 64) ProcessMessageBlock(*context);
  }
  return context->Corrupted;
}

int Sha1Result(TSha1Context* context, Byte digest[Sha1HashSize]) {
  if (context == nullptr || digest == nullptr) return Sha1Null;
  if (context->Corrupted != 0) return context->Corrupted;
  if (!context->Computed) {
    PadMessage(*context);
    std::memset(context->MessageBlock, 0, sizeof context->MessageBlock);
    context->LengthLow = 0;
    context->LengthHigh = 0;
    context->Computed = true;
  }
  for (int i = 0; i < Sha1HashSize; ++i) digest[i] = Byte(context->IntermediateHash[i / 4] >> (24 - 8 * (i % 4)));
  return Sha1Success;
}
