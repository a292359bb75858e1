#pragma once
// The pieces of a mail message that need no connection: address parsing, address-list and subject
// header lines, the mail date with its zone, Message-IDs, and the SMTP AUTH payloads.

#include <functional>
#include <optional>

#include "net/AnsiCharSet.h"
#include "platform/framework/classes/Strings.h"
#include "platform/framework/base/Types.h"

// Splits "Name <addr>", "\"Name, Inc\" <addr>", "addr" or "name addr" into its name and address.
void ParseEmailAddress(const String& Text, String& Name, String& Address);

// How header texts are written: plainly (8-bit allowed, no folding) or as encoded words.
struct TSmtpHeaderStyle {
  bool Allow8bitChars = true;
  bool FoldHeaders = false;
  char EncodingLetter = 'Q';  // "B" for Base64 encoded words
  AnsiString CharSet = "iso-8859-1";
};

// Appends the header line (folded into several when FoldHeaders) for an address list such as
// "To:", by the address-list rule; nothing when the value is empty.
void AddAddressHeader(TStrings& Lines, const String& HeaderName, const String& Value, const TSmtpHeaderStyle& Style);
// Appends the "Subject:" line(s).
void AddSubjectHeader(TStrings& Lines, const String& Subject, const TSmtpHeaderStyle& Style);
// Appends one generated line, folded as headers fold when longer than the SMTP line limit.
void AddHeaderLine(TStrings& Lines, const String& Line);

// Minutes to add to local time to get universal time, as the system's time-zone information gives
// it (daylight bias included while daylight time applies); nothing when the system has none.
using TSmtpZoneBias = std::function<std::optional<int>()>;
std::optional<int> SystemZoneBias();
// "+0100" east of universal time (bias -60), "-0500" west (bias 300), "-0000" unknown.
AnsiString MailZone(std::optional<int> Bias);
// "Mon, 1 Mar 2004 10:05:09 +0100": English names whatever the locale.
AnsiString MailDate(TDateTime LocalTime, std::optional<int> Bias);
// "yyyymmddhhnnsszzz.XXXXXXXXXXXXXXXX@host" from universal time and four numbers below 32767.
AnsiString MailMessageId(TDateTime UniversalTime, const int Random[4], const String& Host);

// AUTH payloads. HMAC answers are "user" + " " + lower-case hexadecimal digest, Base64 encoded.
AnsiString SmtpPlainPayload(const AnsiString& User, const AnsiString& Password);
AnsiString SmtpCramMd5Answer(const AnsiString& User, const AnsiString& Password, const AnsiString& Challenge);
AnsiString SmtpCramSha1Answer(const AnsiString& User, const AnsiString& Password, const AnsiString& Challenge);
// Adds the mechanisms of one EHLO reply line ("250-AUTH LOGIN PLAIN", "250 AUTH=LOGIN") once each.
void CollectAuthMechanisms(const AnsiString& ReplyLine, TStrings& Mechanisms);
