#include "net/Ntlm.h"

#include <algorithm>

#include "net/Base64.h"
#include "net/Des.h"
#include "net/Md4.h"

namespace {

const char kSignature[8] = {'N', 'T', 'L', 'M', 'S', 'S', 'P', '\0'};
constexpr Cardinal kNegotiateFlags = 0x8207;
constexpr Cardinal kNegotiateWorkstationSupplied = 0x2000;
constexpr Cardinal kNegotiateDomainSupplied = 0x1000;
constexpr Cardinal kAuthenticateFlags = 0x8205;
constexpr std::size_t kNegotiateHeaderSize = 32;
constexpr std::size_t kAuthenticateHeaderSize = 64;
constexpr std::size_t kChallengeHeaderSize = 48;
constexpr std::size_t kChallengeOffset = 24;
constexpr std::size_t kTargetNameBufferOffset = 12;
constexpr std::size_t kTargetInfoBufferOffset = 40;
constexpr Word kServerNameEntry = 1;
constexpr Word kDomainNameEntry = 2;
constexpr std::size_t kLmPasswordLength = 14;

AnsiString UpperAscii(AnsiString text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  return text;
}

void PutWord(AnsiString& message, std::size_t at, Word value) {
  message[at] = char(value & 0xFF);
  message[at + 1] = char(value >> 8);
}

void PutCardinal(AnsiString& message, std::size_t at, Cardinal value) {
  PutWord(message, at, Word(value & 0xFFFF));
  PutWord(message, at + 2, Word(value >> 16));
}

// A security buffer: length, maximum length (the same) and offset.
void PutSecurityBuffer(AnsiString& message, std::size_t at, std::size_t length, std::size_t offset) {
  PutWord(message, at, Word(length));
  PutWord(message, at + 2, Word(length));
  PutCardinal(message, at + 4, Cardinal(offset));
}

AnsiString NewMessage(std::size_t headerSize, Cardinal type) {
  AnsiString message(headerSize, '\0');
  message.replace(0, sizeof kSignature, kSignature, sizeof kSignature);
  PutCardinal(message, 8, type);
  return message;
}

// Reads little-endian numbers of a received message; bytes past its end read as zero.
class MessageReader {
 public:
  explicit MessageReader(const AnsiString& message) : message_(message) {}

  Byte ByteAt(std::size_t at) const { return at < message_.size() ? Byte(message_[at]) : 0; }
  Word WordAt(std::size_t at) const { return Word(ByteAt(at) | ByteAt(at + 1) << 8); }
  Cardinal CardinalAt(std::size_t at) const { return Cardinal(WordAt(at)) | Cardinal(WordAt(at + 2)) << 16; }

  // The bytes a security buffer names; empty when they do not lie within the message.
  AnsiString Buffer(std::size_t at) const {
    const std::size_t length = WordAt(at);
    const std::size_t offset = CardinalAt(at + 4);
    if (offset > message_.size() || length > message_.size() - offset) return {};
    return message_.substr(offset, length);
  }
  std::size_t Size() const { return message_.size(); }
  AnsiString Bytes(std::size_t at, std::size_t length) const { return message_.substr(at, length); }

 private:
  const AnsiString& message_;
};

String FromUtf16Le(const AnsiString& bytes) {
  String text;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
    text += wchar_t(Byte(bytes[i]) | Byte(bytes[i + 1]) << 8);
  return text;
}

// Three DES encryptions of the challenge with the 21 key bytes cut into 7-byte keys.
AnsiString ThreeKeyResponse(const Byte keys[21], const TNtlmChallenge& challenge) {
  AnsiString response;
  for (int i = 0; i < 3; ++i) {
    const std::array<Byte, 8> part = DesWithKey7(keys + 7 * i, challenge.data());
    response.append(part.begin(), part.end());
  }
  return response;
}

void WalkTargetInformation(const MessageReader& reader, TNTLM_Msg2_Info& info) {
  const std::size_t start = reader.CardinalAt(kTargetInfoBufferOffset + 4);
  const std::size_t end = reader.Size();
  // An offset into the fixed header (a short message reads it as zero) names no information.
  if (start < kChallengeHeaderSize) return;
  for (std::size_t at = start; at + 4 <= end;) {
    const Word type = reader.WordAt(at);
    const std::size_t length = reader.WordAt(at + 2);
    if (type == 0 && length == 0) break;
    if (length > end - (at + 4)) break;
    const String value = FromUtf16Le(reader.Bytes(at + 4, length));
    if (type == kServerNameEntry)
      info.ServerName = value;
    else if (type == kDomainNameEntry)
      info.DomainName = value;
    at += 4 + length;
  }
}

}  // namespace

AnsiString ToWide(const AnsiString& text) {
  AnsiString wide;
  wide.reserve(2 * text.size());
  for (char c : text) {
    wide += c;
    wide += '\0';
  }
  return wide;
}

std::array<Byte, 8> DesWithKey7(const Byte key[7], const Byte data[8]) {
  // 7 key bits in the high bits of each byte; the low (parity) bit stays 0.
  Byte spread[8];
  UInt64 bits = 0;
  for (int i = 0; i < 7; ++i) bits = bits << 8 | key[i];
  for (int i = 0; i < 8; ++i) spread[i] = Byte(((bits >> (49 - 7 * i)) & 0x7F) << 1);
  std::array<Byte, 8> result;
  DesBlock(data, result.data(), spread, true);
  return result;
}

AnsiString LmResponse(const AnsiString& Password, const TNtlmChallenge& Challenge) {
  static const Byte kMagic[8] = {'K', 'G', 'S', '!', '@', '#', '$', '%'};
  AnsiString password = UpperAscii(Password.substr(0, kLmPasswordLength));
  password.resize(kLmPasswordLength, '\0');
  Byte keys[21] = {};
  for (int half = 0; half < 2; ++half) {
    const std::array<Byte, 8> hash =
        DesWithKey7(reinterpret_cast<const Byte*>(password.data()) + 7 * half, kMagic);
    std::copy(hash.begin(), hash.end(), keys + 8 * half);
  }
  return ThreeKeyResponse(keys, Challenge);
}

AnsiString NtResponse(const AnsiString& Password, const TNtlmChallenge& Challenge) {
  const AnsiString hash = Md4OfText(ToWide(Password));
  Byte keys[21] = {};
  std::copy(hash.begin(), hash.end(), keys);
  return ThreeKeyResponse(keys, Challenge);
}

AnsiString GetNtlmMessage1(const AnsiString& Host, const AnsiString& Domain) {
  const AnsiString workstation = UpperAscii(Host);
  const AnsiString domain = UpperAscii(Domain);
  AnsiString message = NewMessage(kNegotiateHeaderSize, 1);
  Cardinal flags = kNegotiateFlags;
  if (!workstation.empty()) flags |= kNegotiateWorkstationSupplied;
  if (!domain.empty()) flags |= kNegotiateDomainSupplied;
  PutCardinal(message, 12, flags);
  const std::size_t domainOffset = kNegotiateHeaderSize + workstation.size();
  PutSecurityBuffer(message, 16, domain.size(), domain.empty() ? 0 : domainOffset);
  PutSecurityBuffer(message, 24, workstation.size(), workstation.empty() ? 0 : kNegotiateHeaderSize);
  return Base64EncodeText(message + workstation + domain);
}

TNTLM_Msg2_Info GetNtlmMessage2Info(const AnsiString& Msg2Base64) {
  TNTLM_Msg2_Info info;
  if (Msg2Base64.empty()) return info;
  const AnsiString message = Base64DecodeText(Msg2Base64);
  const MessageReader reader(message);
  info.HasMessage = true;
  info.TargetName = FromUtf16Le(reader.Buffer(kTargetNameBufferOffset));
  for (std::size_t i = 0; i < info.ChallengeBytes.size(); ++i)
    info.ChallengeBytes[i] = reader.ByteAt(kChallengeOffset + i);
  static_assert(kChallengeOffset + 8 <= kChallengeHeaderSize && kTargetInfoBufferOffset + 8 == kChallengeHeaderSize);
  WalkTargetInformation(reader, info);
  return info;
}

AnsiString GetNtlmMessage3(const AnsiString& Domain, const AnsiString& Host, const AnsiString& User,
                           const AnsiString& Password, const TNtlmChallenge& Challenge) {
  const AnsiString domain = ToWide(Domain), user = ToWide(User), workstation = ToWide(Host);
  const AnsiString lm = LmResponse(Password, Challenge), nt = NtResponse(Password, Challenge);
  AnsiString message = NewMessage(kAuthenticateHeaderSize, 3);
  std::size_t offset = kAuthenticateHeaderSize;
  auto place = [&](std::size_t bufferAt, const AnsiString& data) {
    PutSecurityBuffer(message, bufferAt, data.size(), offset);
    offset += data.size();
  };
  place(28, domain);
  place(36, user);
  place(44, workstation);
  place(12, lm);
  place(20, nt);
  PutCardinal(message, 60, kAuthenticateFlags);
  return Base64EncodeText(message + domain + user + workstation + lm + nt);
}
