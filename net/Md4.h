#pragma once
// MD4 message digest (RFC 1320), used for the NT password hash.

#include <array>
#include <cstddef>

#include "platform/framework/base/Exceptions.h"
#include "platform/framework/base/Types.h"

FRAMEWORK_EXCEPTION(MD4Exception, Exception);

using TMd4Digest = std::array<Byte, 16>;

struct TMd4Context {
  Cardinal State[4] = {};
  UInt64 BitCount = 0;
  Byte Buffer[64] = {};
  std::size_t BufferFill = 0;
  bool Initialized = false;
};

void Md4Init(TMd4Context& context);
// Update and final raise MD4Exception "MD4 not initialized" unless Md4Init came first; after
// Md4Final the context needs Md4Init again.
void Md4Update(TMd4Context& context, const void* buffer, std::size_t length);
void Md4UpdateText(TMd4Context& context, const AnsiString& text);
TMd4Digest Md4Final(TMd4Context& context);
// The digest of the text's bytes, as a 16-byte string.
AnsiString Md4OfText(const AnsiString& text);
