#pragma once
// Single-block DES (FIPS 46). Bits are numbered from the most significant bit of the first byte;
// the key's parity bits are ignored.

#include "platform/framework/base/Types.h"

void DesBlock(const Byte input[8], Byte output[8], const Byte key[8], bool encrypt);
