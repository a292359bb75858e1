#pragma once
// Keyed-hash message authentication (RFC 2104) over SHA-1 and MD5, 64-byte blocks. A key longer
// than a block is first replaced by its digest.

#include <cstddef>

#include "platform/framework/base/Types.h"

void HmacSha1(const Byte* text, std::size_t textLength, const Byte* key, std::size_t keyLength, Byte digest[20]);
void HmacMd5(const Byte* text, std::size_t textLength, const Byte* key, std::size_t keyLength, Byte digest[16]);
