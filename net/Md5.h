#pragma once
// MD5 message digest (RFC 1321).

#include <array>
#include <cstddef>

#include "platform/framework/base/Types.h"

using TMd5Digest = std::array<Byte, 16>;

struct TMd5Context {
  Cardinal State[4];
  UInt64 BitCount;
  Byte Buffer[64];
};

void Md5Init(TMd5Context& context);
void Md5Update(TMd5Context& context, const void* buffer, std::size_t length);
// Pads, returns the digest and clears the whole context.
TMd5Digest Md5Final(TMd5Context& context);
// Md5Update in pieces of at most 16 KB, for large buffers.
void Md5UpdateLarge(TMd5Context& context, const void* buffer, std::size_t length);
