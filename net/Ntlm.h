#pragma once
// NTLM version 1 messages: negotiate (type 1), challenge (type 2, read only) and authenticate
// (type 3), each carried as Base64 text. NTLM v1 with its LM response is weak; it is kept for the
// servers and proxies that still ask for it.

#include <array>

#include "platform/framework/base/Types.h"

using TNtlmChallenge = std::array<Byte, 8>;

// What a challenge message tells.
struct TNTLM_Msg2_Info {
  bool HasMessage = false;
  String TargetName;
  String DomainName;
  String ServerName;
  TNtlmChallenge ChallengeBytes{};
};

// Host and domain are upper-cased 8-bit texts; both clients pass two empty texts.
AnsiString GetNtlmMessage1(const AnsiString& Host, const AnsiString& Domain);
// An empty text gives HasMessage false. A message shorter than its 48-byte header reads the missing
// bytes as zero, a buffer reaching outside the message reads as empty.
TNTLM_Msg2_Info GetNtlmMessage2Info(const AnsiString& Msg2Base64);
AnsiString GetNtlmMessage3(const AnsiString& Domain, const AnsiString& Host, const AnsiString& User,
                           const AnsiString& Password, const TNtlmChallenge& Challenge);

// The 24-byte responses of NTLM v1.
AnsiString LmResponse(const AnsiString& Password, const TNtlmChallenge& Challenge);
AnsiString NtResponse(const AnsiString& Password, const TNtlmChallenge& Challenge);

// Each 8-bit character followed by a zero byte.
AnsiString ToWide(const AnsiString& text);
// DES of 8 bytes with a 56-bit key given as 7 bytes.
std::array<Byte, 8> DesWithKey7(const Byte key[7], const Byte data[8]);
