#include "net/Hmac.h"

#include <algorithm>
#include <cstring>

#include "net/Md5.h"
#include "net/Sha1.h"

namespace {

constexpr std::size_t kBlockSize = 64;

// Pads of the key (already at most one block) XORed with 0x36 and 0x5C.
struct KeyPads {
  Byte Inner[kBlockSize];
  Byte Outer[kBlockSize];

  KeyPads(const Byte* key, std::size_t keyLength) {
    std::memset(Inner, 0x36, kBlockSize);
    std::memset(Outer, 0x5C, kBlockSize);
    for (std::size_t i = 0; i < keyLength; ++i) {
      Inner[i] ^= key[i];
      Outer[i] ^= key[i];
    }
  }
};

void Sha1Of(const Byte* first, std::size_t firstLength, const Byte* second, std::size_t secondLength,
            Byte digest[20]) {
  TSha1Context context;
  Sha1Reset(&context);
  Sha1Input(&context, first, firstLength);
  Sha1Input(&context, second, secondLength);
  Sha1Result(&context, digest);
}

TMd5Digest Md5Of(const Byte* first, std::size_t firstLength, const Byte* second, std::size_t secondLength) {
  TMd5Context context;
  Md5Init(context);
  Md5Update(context, first, firstLength);
  Md5Update(context, second, secondLength);
  return Md5Final(context);
}

}  // namespace

void HmacSha1(const Byte* text, std::size_t textLength, const Byte* key, std::size_t keyLength, Byte digest[20]) {
  Byte keyDigest[20];
  if (keyLength > kBlockSize) {
    Sha1Of(key, keyLength, nullptr, 0, keyDigest);
    key = keyDigest;
    keyLength = sizeof keyDigest;
  }
  const KeyPads pads(key, keyLength);
  Byte inner[20];
  Sha1Of(pads.Inner, kBlockSize, text, textLength, inner);
  Sha1Of(pads.Outer, kBlockSize, inner, sizeof inner, digest);
}

void HmacMd5(const Byte* text, std::size_t textLength, const Byte* key, std::size_t keyLength, Byte digest[16]) {
  TMd5Digest keyDigest;
  if (keyLength > kBlockSize) {
    keyDigest = Md5Of(key, keyLength, nullptr, 0);
    key = keyDigest.data();
    keyLength = keyDigest.size();
  }
  const KeyPads pads(key, keyLength);
  const TMd5Digest inner = Md5Of(pads.Inner, kBlockSize, text, textLength);
  const TMd5Digest outer = Md5Of(pads.Outer, kBlockSize, inner.data(), inner.size());
  std::copy(outer.begin(), outer.end(), digest);
}
