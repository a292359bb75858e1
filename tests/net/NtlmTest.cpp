#include <gtest/gtest.h>

#include <string>

#include "net/Base64.h"
#include "net/Ntlm.h"

namespace {

std::string Hex(const std::string& bytes) {
  static const char kDigits[] = "0123456789abcdef";
  std::string text;
  for (unsigned char b : bytes) {
    text += kDigits[b >> 4];
    text += kDigits[b & 15];
  }
  return text;
}

const TNtlmChallenge kChallenge = {0x01, 0x23, 0x45, 0x67, 0x89, 0xab, 0xcd, 0xef};
const char kLmOfPassword[] = "98def7b87f88aa5dafe2df779688a172def11c7d5ccdef13";
const char kNtOfPassword[] = "67c43011f30298a2ad35ece64f16331c44bdbed927841f94";

unsigned WordAt(const std::string& m, std::size_t at) { return unsigned(Byte(m[at])) | unsigned(Byte(m[at + 1])) << 8; }
unsigned CardinalAt(const std::string& m, std::size_t at) { return WordAt(m, at) | WordAt(m, at + 2) << 16; }

// Length, maximum length and offset of the security buffer at.
struct SecurityBuffer {
  unsigned length, maxLength, offset;
  bool operator==(const SecurityBuffer&) const = default;
};
SecurityBuffer BufferAt(const std::string& m, std::size_t at) {
  return {WordAt(m, at), WordAt(m, at + 2), CardinalAt(m, at + 4)};
}
std::ostream& operator<<(std::ostream& out, const SecurityBuffer& b) {
  return out << "{" << b.length << "," << b.maxLength << "," << b.offset << "}";
}

TEST(NtlmResponses, ReproduceThePublishedExample) {
  EXPECT_EQ(kLmOfPassword, Hex(LmResponse("Password", kChallenge)));
  EXPECT_EQ(kNtOfPassword, Hex(NtResponse("Password", kChallenge)));
  // LM upper-cases the password; NT does not.
  EXPECT_EQ(kLmOfPassword, Hex(LmResponse("PASSWORD", kChallenge)));
  EXPECT_NE(kNtOfPassword, Hex(NtResponse("PASSWORD", kChallenge)));
}

TEST(NtlmResponses, LmUsesFourteenCharactersAndNtUsesAll) {
  const std::string longPassword = "abcdefghijklmnopq";
  EXPECT_EQ(LmResponse(longPassword.substr(0, 14), kChallenge), LmResponse(longPassword, kChallenge));
  EXPECT_NE(NtResponse(longPassword.substr(0, 14), kChallenge), NtResponse(longPassword, kChallenge));
  EXPECT_EQ(24u, LmResponse("", kChallenge).size());
}

TEST(NtlmMessages, ToWideAndDesWithKey7) {
  EXPECT_EQ(std::string("a\0B\0", 4), ToWide("aB"));
  EXPECT_EQ("", ToWide(""));
  // The 7 key bytes 0x13 34 57 79 9B BC DF spread to 12 34 56 78 9A BC DE F0 (parity bits clear),
  // the same key as 133457799BBCDFF1 without its parity.
  const Byte key7[7] = {0x12, 0x69, 0x5b, 0xc9, 0xb7, 0xb7, 0xf8};
  const Byte data[8] = {0x01, 0x23, 0x45, 0x67, 0x89, 0xab, 0xcd, 0xef};
  const auto encrypted = DesWithKey7(key7, data);
  EXPECT_EQ("85e813540f0ab405", Hex(std::string(encrypted.begin(), encrypted.end())));
}

TEST(NtlmMessages, NegotiateLayout) {
  const std::string empty = Base64DecodeText(GetNtlmMessage1("", ""));
  ASSERT_EQ(32u, empty.size());
  EXPECT_EQ(std::string("NTLMSSP\0", 8), empty.substr(0, 8));
  EXPECT_EQ(1u, CardinalAt(empty, 8));
  EXPECT_EQ(0x8207u, CardinalAt(empty, 12));
  EXPECT_EQ(std::string(16, '\0'), empty.substr(16));

  const std::string named = Base64DecodeText(GetNtlmMessage1("ws1", "Dom"));
  EXPECT_EQ(0x8207u | 0x2000u | 0x1000u, CardinalAt(named, 12));
  EXPECT_EQ((SecurityBuffer{3, 3, 35}), BufferAt(named, 16));
  EXPECT_EQ((SecurityBuffer{3, 3, 32}), BufferAt(named, 24));
  EXPECT_EQ("WS1DOM", named.substr(32));
  EXPECT_EQ(0x8207u | 0x2000u, CardinalAt(Base64DecodeText(GetNtlmMessage1("w", "")), 12));
}

TEST(NtlmMessages, AuthenticateLayout) {
  const std::string m = Base64DecodeText(GetNtlmMessage3("", "", "u", "Password", kChallenge));
  ASSERT_EQ(114u, m.size());
  EXPECT_EQ(std::string("NTLMSSP\0", 8), m.substr(0, 8));
  EXPECT_EQ(3u, CardinalAt(m, 8));
  EXPECT_EQ((SecurityBuffer{24, 24, 66}), BufferAt(m, 12));
  EXPECT_EQ((SecurityBuffer{24, 24, 90}), BufferAt(m, 20));
  EXPECT_EQ((SecurityBuffer{0, 0, 64}), BufferAt(m, 28));
  EXPECT_EQ((SecurityBuffer{2, 2, 64}), BufferAt(m, 36));
  EXPECT_EQ((SecurityBuffer{0, 0, 66}), BufferAt(m, 44));
  EXPECT_EQ(std::string(8, '\0'), m.substr(52, 8));
  EXPECT_EQ(0x8205u, CardinalAt(m, 60));
  EXPECT_EQ(std::string("u\0", 2), m.substr(64, 2));
  EXPECT_EQ(kLmOfPassword, Hex(m.substr(66, 24)));
  EXPECT_EQ(kNtOfPassword, Hex(m.substr(90, 24)));

  // Names keep their case and follow in the order domain, user, workstation.
  const std::string full = Base64DecodeText(GetNtlmMessage3("Dom", "Ws", "Al", "x", kChallenge));
  EXPECT_EQ(std::string("D\0o\0m\0A\0l\0W\0s\0", 14), full.substr(64, 14));
  EXPECT_EQ((SecurityBuffer{6, 6, 64}), BufferAt(full, 28));
  EXPECT_EQ((SecurityBuffer{4, 4, 70}), BufferAt(full, 36));
  EXPECT_EQ((SecurityBuffer{4, 4, 74}), BufferAt(full, 44));
  EXPECT_EQ((SecurityBuffer{24, 24, 78}), BufferAt(full, 12));
  EXPECT_EQ((SecurityBuffer{24, 24, 102}), BufferAt(full, 20));
}

// A challenge message: header, target name "DOM" and target information, optionally cut short.
class ChallengeMessage {
 public:
  ChallengeMessage() : bytes_(48, '\0') {
    bytes_.replace(0, 8, std::string("NTLMSSP\0", 8));
    PutCardinal(8, 2);
    for (int i = 0; i < 8; ++i) bytes_[24 + i] = char(kChallenge[i]);
  }
  void PutWord(std::size_t at, unsigned v) {
    bytes_[at] = char(v & 0xff);
    bytes_[at + 1] = char(v >> 8);
  }
  void PutCardinal(std::size_t at, unsigned v) {
    PutWord(at, v & 0xffff);
    PutWord(at + 2, v >> 16);
  }
  void PutBuffer(std::size_t at, unsigned length, unsigned offset) {
    PutWord(at, length);
    PutWord(at + 2, length);
    PutCardinal(at + 4, offset);
  }
  std::size_t AppendData(const std::string& data) {
    bytes_ += data;
    return bytes_.size() - data.size();
  }
  static std::string Entry(unsigned type, const std::string& value) {
    return std::string{char(type), '\0', char(value.size()), char(value.size() >> 8)} + value;
  }
  std::string& Bytes() { return bytes_; }
  std::string Base64() const { return Base64EncodeText(bytes_); }

 private:
  std::string bytes_;
};

TEST(NtlmChallenge, ReadsTargetNameChallengeAndTargetInformation) {
  ChallengeMessage message;
  message.PutBuffer(12, 6, unsigned(message.AppendData(ToWide("DOM"))));
  const std::string info = ChallengeMessage::Entry(2, ToWide("DOMAIN")) + ChallengeMessage::Entry(7, "12345678") +
                           ChallengeMessage::Entry(1, ToWide("SERVER")) + ChallengeMessage::Entry(0, "") +
                           ChallengeMessage::Entry(1, ToWide("AFTER-END"));
  message.PutBuffer(40, unsigned(info.size()), unsigned(message.AppendData(info)));

  const TNTLM_Msg2_Info result = GetNtlmMessage2Info(message.Base64());
  EXPECT_TRUE(result.HasMessage);
  EXPECT_EQ(L"DOM", result.TargetName);
  EXPECT_EQ(L"DOMAIN", result.DomainName);
  EXPECT_EQ(L"SERVER", result.ServerName);
  EXPECT_EQ(kChallenge, result.ChallengeBytes);

  EXPECT_FALSE(GetNtlmMessage2Info("").HasMessage);
}

TEST(NtlmChallenge, MalformedMessagesReadSafely) {
  {  // cut inside the challenge: the missing bytes read as zero
    ChallengeMessage message;
    message.Bytes().resize(28);
    const TNTLM_Msg2_Info result = GetNtlmMessage2Info(message.Base64());
    EXPECT_TRUE(result.HasMessage);
    EXPECT_EQ((TNtlmChallenge{0x01, 0x23, 0x45, 0x67, 0, 0, 0, 0}), result.ChallengeBytes);
    EXPECT_EQ(L"", result.TargetName);
    EXPECT_EQ(L"", result.ServerName);
  }
  {  // buffers pointing outside the message, and an entry longer than what is left
    ChallengeMessage message;
    message.PutBuffer(12, 200, 48);
    const std::size_t infoAt = message.AppendData(ChallengeMessage::Entry(1, ToWide("SRV")) + "\x02\0\xff\x00ab");
    message.PutBuffer(40, 400, unsigned(infoAt));
    const TNTLM_Msg2_Info result = GetNtlmMessage2Info(message.Base64());
    EXPECT_EQ(L"", result.TargetName);
    EXPECT_EQ(L"SRV", result.ServerName);
    EXPECT_EQ(L"", result.DomainName);
    EXPECT_EQ(kChallenge, result.ChallengeBytes);
  }
  {  // offsets far beyond the end
    ChallengeMessage message;
    message.PutBuffer(12, 4, 0xfffffff0u);
    message.PutBuffer(40, 4, 0xfffffff0u);
    const TNTLM_Msg2_Info result = GetNtlmMessage2Info(message.Base64());
    EXPECT_EQ(L"", result.TargetName);
    EXPECT_EQ(L"", result.ServerName);
  }
  // Not Base64 at all.
  EXPECT_TRUE(GetNtlmMessage2Info("!!!").HasMessage);
}

TEST(NtlmExchange, AnswerToAReadChallengeCarriesThePublishedResponses) {
  ChallengeMessage message;
  const TNTLM_Msg2_Info challenge = GetNtlmMessage2Info(message.Base64());
  const std::string answer =
      Base64DecodeText(GetNtlmMessage3("", "HOST", "user", "Password", challenge.ChallengeBytes));
  const SecurityBuffer nt = BufferAt(answer, 20);
  EXPECT_EQ(kNtOfPassword, Hex(answer.substr(nt.offset, nt.length)));
}

}  // namespace
