#include <gtest/gtest.h>

#include <string>

#include "net/Des.h"
#include "net/Hmac.h"
#include "net/Md4.h"
#include "net/Md5.h"
#include "net/Sha1.h"

namespace {

std::string Hex(const Byte* bytes, std::size_t length) {
  static const char kDigits[] = "0123456789abcdef";
  std::string text;
  for (std::size_t i = 0; i < length; ++i) {
    text += kDigits[bytes[i] >> 4];
    text += kDigits[bytes[i] & 15];
  }
  return text;
}

template <class Container>
std::string Hex(const Container& bytes) {
  return Hex(reinterpret_cast<const Byte*>(bytes.data()), bytes.size());
}

std::string Unhex(const std::string& hex) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) bytes += char(std::stoi(hex.substr(i, 2), nullptr, 16));
  return bytes;
}

const Byte* Bytes(const std::string& text) { return reinterpret_cast<const Byte*>(text.data()); }

std::string Md5Hex(const std::string& text) {
  TMd5Context context;
  Md5Init(context);
  Md5Update(context, text.data(), text.size());
  return Hex(Md5Final(context));
}

std::string Sha1Hex(const std::string& text, int repeat = 1) {
  TSha1Context context;
  Sha1Reset(&context);
  for (int i = 0; i < repeat; ++i) EXPECT_EQ(Sha1Success, Sha1Input(&context, Bytes(text), text.size()));
  Byte digest[20];
  EXPECT_EQ(Sha1Success, Sha1Result(&context, digest));
  return Hex(digest, 20);
}

const std::string kDigits80 = "12345678901234567890123456789012345678901234567890123456789012345678901234567890";
const std::string kAlnum = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

struct DigestCase {
  std::string input;
  std::string expected;
};

TEST(Md5, ReproducesTheStandardVectors) {
  const DigestCase cases[] = {
      {"", "d41d8cd98f00b204e9800998ecf8427e"},
      {"a", "0cc175b9c0f1b6a831c399e269772661"},
      {"abc", "900150983cd24fb0d6963f7d28e17f72"},
      {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
      {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
      {kAlnum, "d174ab98d277d9f5a5611c2c9f419d9f"},
      {kDigits80, "57edf4a22be3c955ac49da2e2107b67a"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.expected, Md5Hex(c.input)) << c.input;
}

TEST(Md5, LargeUpdateMatchesOneUpdateAndFinalClearsTheContext) {
  std::string data(40000, '\0');
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = char(i * 7 + i / 251);
  TMd5Context large;
  Md5Init(large);
  Md5UpdateLarge(large, data.data(), data.size());
  EXPECT_EQ(Md5Hex(data), Hex(Md5Final(large)));
  const Byte* raw = reinterpret_cast<const Byte*>(&large);
  EXPECT_EQ(std::string(sizeof large, '\0'), std::string(raw, raw + sizeof large));
}

TEST(Md5, PiecewiseUpdatesAcrossBlockBoundaries) {
  // 55, 56 and 64 bytes are the padding edges; feed them in uneven pieces.
  for (std::size_t length : {55u, 56u, 63u, 64u, 65u, 130u}) {
    const std::string data(length, 'x');
    TMd5Context context;
    Md5Init(context);
    for (std::size_t at = 0; at < length; at += 7) Md5Update(context, data.data() + at, std::min<std::size_t>(7, length - at));
    EXPECT_EQ(Md5Hex(data), Hex(Md5Final(context))) << length;
  }
}

TEST(Sha1, ReproducesTheStandardVectors) {
  EXPECT_EQ("a9993e364706816aba3e25717850c26c9cd0d89d", Sha1Hex("abc"));
  EXPECT_EQ("84983e441c3bd26ebaae4aa1f95129e5e54670f1",
            Sha1Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"));
  EXPECT_EQ("34aa973cd4c4daa4f61eeb2bdbad27316534016f", Sha1Hex("a", 1000000));
  EXPECT_EQ("dea356a2cddd90c7a7ecedc5ebb563934f460452",
            Sha1Hex("0123456701234567012345670123456701234567012345670123456701234567", 10));
  EXPECT_EQ("da39a3ee5e6b4b0d3255bfef95601890afd80709", Sha1Hex(""));
}

TEST(Sha1, ResultCodes) {
  EXPECT_EQ(Sha1Null, Sha1Reset(nullptr));
  TSha1Context context;
  Sha1Reset(&context);
  EXPECT_EQ(Sha1Success, Sha1Input(&context, nullptr, 0));
  EXPECT_EQ(Sha1Null, Sha1Input(&context, nullptr, 3));
  EXPECT_EQ(Sha1Success, Sha1Input(&context, Bytes("abc"), 3));
  Byte first[20], second[20];
  EXPECT_EQ(Sha1Success, Sha1Result(&context, first));
  EXPECT_EQ(Sha1Success, Sha1Result(&context, second));
  EXPECT_EQ(Hex(first, 20), Hex(second, 20));
  EXPECT_EQ("a9993e364706816aba3e25717850c26c9cd0d89d", Hex(second, 20));
  // Input after the result corrupts the context: every later call answers 3.
  EXPECT_EQ(Sha1StateError, Sha1Input(&context, Bytes("d"), 1));
  EXPECT_EQ(Sha1StateError, Sha1Result(&context, second));
  EXPECT_EQ(Sha1StateError, Sha1Input(&context, Bytes("d"), 1));
  EXPECT_EQ(Sha1Success, Sha1Reset(&context));
  EXPECT_EQ(Sha1Success, Sha1Input(&context, Bytes("abc"), 3));
  EXPECT_EQ(Sha1Success, Sha1Result(&context, second));
  EXPECT_EQ(Hex(first, 20), Hex(second, 20));
}

TEST(Md4, ReproducesTheStandardVectors) {
  const DigestCase cases[] = {
      {"", "31d6cfe0d16ae931b73c59d7e0c089c0"},
      {"a", "bde52cb31de33e46245e05fbdbd6fb24"},
      {"abc", "a448017aaf21d8525fc10ae87aa6729d"},
      {"message digest", "d9130a8164549fe818874806e1c7014b"},
      {"abcdefghijklmnopqrstuvwxyz", "d79e1c308aa5bbcdeea8ed63df412da9"},
      {kAlnum, "043f8582f241db351ce627e153e7f0e4"},
      {kDigits80, "e33b4ddc9c38f2199c3e7b164fcc0536"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.expected, Hex(Md4OfText(c.input))) << c.input;
}

TEST(Md4, RaisesWhenNotInitialized) {
  TMd4Context context;
  EXPECT_THROW(Md4Update(context, "a", 1), MD4Exception);
  Md4Init(context);
  Md4UpdateText(context, "ab");
  Md4UpdateText(context, "c");
  EXPECT_EQ("a448017aaf21d8525fc10ae87aa6729d", Hex(Md4Final(context)));
  try {
    Md4Update(context, "a", 1);
    ADD_FAILURE() << "update after final did not raise";
  } catch (const MD4Exception& error) {
    EXPECT_EQ(L"MD4 not initialized", error.Message());
  }
  EXPECT_THROW(Md4Final(context), MD4Exception);
}

struct HmacCase {
  std::string key;
  std::string data;
  std::string sha1;
  std::string md5;
};

TEST(Hmac, ReproducesTheStandardVectors) {
  const std::string test7 = "Test Using Larger Than Block-Size Key and Larger Than One Block-Size Data";
  const HmacCase cases[] = {
      {std::string(16, '\x0b'), "Hi There", "", "9294727a3638bb1c13f48ef8158bfc9d"},
      {std::string(20, '\x0b'), "Hi There", "b617318655057264e28bc0b6fb378c8ef146be00", ""},
      {"Jefe", "what do ya want for nothing?", "effcdf6ae5eb2fa2d27416d5f184df9c259a7c79",
       "750c783e6ab0b503eaa86e310a5db738"},
      {std::string(16, '\xaa'), std::string(50, '\xdd'), "", "56be34521d144c88dbb8c733f0e8b3f6"},
      {std::string(20, '\xaa'), std::string(50, '\xdd'), "125d7342b9ac11cd91a39af48aa17b4f63f175d3", ""},
      {Unhex("0102030405060708090a0b0c0d0e0f10111213141516171819"), std::string(50, '\xcd'),
       "4c9007f4026250c6bc8414f9bf50c86c2d7235da", "697eaf0aca3a3aea3a75164746ffaa79"},
      {std::string(16, '\x0c'), "Test With Truncation", "", "56461ef2342edc00f9bab995690efd4c"},
      {std::string(20, '\x0c'), "Test With Truncation", "4c1a03424b55e07fe7f27be1d58bb9324a9a5a04", ""},
      {std::string(80, '\xaa'), "Test Using Larger Than Block-Size Key - Hash Key First",
       "aa4ae5e15272d00e95705637ce8a3b55ed402112", "6b1ab7fe4bd7bf8f0b62e6ce61b9d0cd"},
      {std::string(80, '\xaa'), test7, "e8e99d0f45237d786d6bbaa7965c7808bbff1a91",
       "6f630fad67cda0ee1fb1f562db3aa53e"},
      // The keyed challenge answer of a CRAM-MD5 exchange.
      {"tanstaaftanstaaf", "<1896.697170952@postoffice.reston.mci.net>", "", "b913a602c7eda7a495b4e6e7334d3890"},
  };
  for (const auto& c : cases) {
    if (!c.sha1.empty()) {
      Byte digest[20];
      HmacSha1(Bytes(c.data), c.data.size(), Bytes(c.key), c.key.size(), digest);
      EXPECT_EQ(c.sha1, Hex(digest, 20)) << c.data;
    }
    if (!c.md5.empty()) {
      Byte digest[16];
      HmacMd5(Bytes(c.data), c.data.size(), Bytes(c.key), c.key.size(), digest);
      EXPECT_EQ(c.md5, Hex(digest, 16)) << c.data;
    }
  }
}

TEST(Hmac, LongKeyEqualsItsDigestAsKey) {
  std::string key(100, '\0');
  for (std::size_t i = 0; i < key.size(); ++i) key[i] = char(i);
  Byte keyDigest[20];
  TSha1Context context;
  Sha1Reset(&context);
  Sha1Input(&context, Bytes(key), key.size());
  Sha1Result(&context, keyDigest);
  const std::string text = "message";
  Byte withLongKey[20], withDigestKey[20];
  HmacSha1(Bytes(text), text.size(), Bytes(key), key.size(), withLongKey);
  HmacSha1(Bytes(text), text.size(), keyDigest, 20, withDigestKey);
  EXPECT_EQ(Hex(withDigestKey, 20), Hex(withLongKey, 20));
}

struct DesCase {
  std::string key;
  std::string plain;
  std::string cipher;
};

TEST(Des, EncryptsAndDecryptsPublishedBlocks) {
  const DesCase cases[] = {
      {"133457799bbcdff1", "0123456789abcdef", "85e813540f0ab405"},
      {"0e329232ea6d0d73", "8787878787878787", "0000000000000000"},
      {"0000000000000000", "0000000000000000", "8ca64de9c1b123a7"},
      {"ffffffffffffffff", "ffffffffffffffff", "7359b2163e4edc58"},
      {"0123456789abcdef", "4e6f772069732074", "3fa40e8a984d4815"},
      // Parity bits are ignored: the low bit of every key byte flipped.
      {"123556789abcdef0", "0123456789abcdef", "85e813540f0ab405"},
  };
  for (const auto& c : cases) {
    const std::string key = Unhex(c.key), plain = Unhex(c.plain);
    Byte encrypted[8], decrypted[8];
    DesBlock(Bytes(plain), encrypted, Bytes(key), true);
    EXPECT_EQ(c.cipher, Hex(encrypted, 8)) << c.key;
    DesBlock(encrypted, decrypted, Bytes(key), false);
    EXPECT_EQ(c.plain, Hex(decrypted, 8)) << c.key;
  }
}

}  // namespace
