#pragma once
// SHA-1 message digest (RFC 3174) with integer result codes.

#include <cstddef>

#include "platform/framework/base/Types.h"

constexpr int Sha1Success = 0;
// A null argument, or a message longer than 2^64 - 1 bits.
constexpr int Sha1Null = 1;
// Input given after the result was taken.
constexpr int Sha1StateError = 3;

constexpr int Sha1HashSize = 20;

struct TSha1Context {
  Cardinal IntermediateHash[5];
  Cardinal LengthLow;   // message length in bits, low half
  Cardinal LengthHigh;  // and high half
  int MessageBlockIndex;
  Byte MessageBlock[64];
  bool Computed;
  int Corrupted;
};

int Sha1Reset(TSha1Context* context);
int Sha1Input(TSha1Context* context, const Byte* message, std::size_t length);
// The first call finishes the message; later calls give the same digest until the next reset.
int Sha1Result(TSha1Context* context, Byte digest[Sha1HashSize]);
