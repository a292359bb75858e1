#include "net/SmtpMailFormat.h"

#include <cstdio>
#include <cstdlib>

#include "net/Base64.h"
#include "net/HeaderEncoding.h"
#include "net/Hmac.h"
#include "net/QuotedPrintable.h"
#include "net/TextWrap.h"
#include "platform/framework/rtl/DateUtils.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/rtl/TextEncoding.h"
#include "platform/framework/base/Win32.h"

namespace {

constexpr int kHeaderColumns = 76;
constexpr std::size_t kSmtpLineLimit = 998;

String Between(const String& text, std::size_t open) {
  const std::size_t close = text.find(L'>', open + 1);
  return text.substr(open + 1, close == String::npos ? String::npos : close - open - 1);
}

String QuotedName(const String& name) {
  String quoted = L"\"";
  for (wchar_t c : name) {
    if (c == L'"' || c == L'\\') quoted += L'\\';
    quoted += c;
  }
  return quoted + L"\"";
}

bool PlainHeader(const TSmtpHeaderStyle& style) { return style.Allow8bitChars && !style.FoldHeaders; }

// Encoded words for a header text. Without folding a "B" word is as long as the text; when that
// would pass the SMTP line limit the words are folded anyway, so no line is ever longer.
AnsiString EncodedWords(const AnsiString& text, const TSmtpHeaderStyle& style, int maxCol, std::size_t room) {
  AnsiString words = HdrEncodeInLine(text, Rfc822Specials, style.EncodingLetter, maxCol, style.FoldHeaders, style.CharSet);
  std::size_t longest = 0;
  for (std::size_t start = 0; start <= words.size();) {
    const std::size_t end = std::min(words.find("\r\n", start), words.size());
    longest = std::max(longest, end - start);
    start = end + 2;
  }
  if (longest <= room) return words;
  return HdrEncodeInLine(text, Rfc822Specials, style.EncodingLetter, maxCol, true, style.CharSet);
}

AnsiString HexDigest(const Byte* digest, int size) {
  static const char kHex[] = "0123456789abcdef";
  AnsiString text;
  for (int i = 0; i < size; ++i) {
    text += kHex[digest[i] >> 4];
    text += kHex[digest[i] & 15];
  }
  return text;
}

const Byte* Bytes(const AnsiString& s) { return reinterpret_cast<const Byte*>(s.data()); }

}  // namespace

void ParseEmailAddress(const String& Text, String& Name, String& Address) {
  Name.clear();
  Address.clear();
  const std::size_t start = Text.find_first_not_of(L' ');
  if (start == String::npos) return;
  const String text = Text.substr(start);
  if (text[0] == L'"' || text[0] == L'\'') {
    const std::size_t close = text.find(text[0], 1);
    Name = text.substr(1, close == String::npos ? String::npos : close - 1);
    const String rest = close == String::npos ? String() : text.substr(close + 1);
    const std::size_t open = rest.find(L'<');
    Address = open == String::npos ? Trim(rest) : Between(rest, open);
  } else if (const std::size_t open = text.find(L'<'); open != String::npos) {
    Name = Trim(text.substr(0, open));
    Address = Between(text, open);
  } else {
    const std::size_t blank = text.find(L' ');
    Name = text.substr(0, blank);
    Address = blank == String::npos ? String() : Trim(text.substr(blank));
  }
  if (Address.empty() && Name.find(L'@') != String::npos) std::swap(Name, Address);
}

void AddHeaderLine(TStrings& Lines, const String& Line) {
  if (Line.size() > kSmtpLineLimit) FoldHeaderToList(Lines, StringToAnsi(Line));
  else Lines.Add(Line);
}

void AddAddressHeader(TStrings& Lines, const String& HeaderName, const String& Value, const TSmtpHeaderStyle& Style) {
  if (Trim(Value).empty()) return;
  if (PlainHeader(Style)) {
    AddHeaderLine(Lines, HeaderName + L" " + Trim(Value));
    return;
  }
  const AnsiString value = StringToAnsi(Value);
  AnsiString list;
  int pos = 1;
  while (pos <= static_cast<int>(value.size())) {
    AnsiString entry = NextWrappedPiece(value, "", ",;", 1, "\"'", pos);
    entry.erase(0, entry.find_first_not_of("\t "));
    while (!entry.empty() && (entry.back() == ',' || entry.back() == ';')) entry.pop_back();
    if (entry.empty()) continue;
    String name, address;
    ParseEmailAddress(AnsiToString(entry), name, address);
    if (name.empty()) {
      list += StringToAnsi(address);
    } else {
      const AnsiString ansiName = StringToAnsi(name);
      const AnsiString shown =
          Style.Allow8bitChars || !HasNonPrintable(ansiName)
              ? StringToAnsi(QuotedName(name))
              : EncodedWords(ansiName, Style, kHeaderColumns - static_cast<int>(HeaderName.size()),
                             kSmtpLineLimit - HeaderName.size() - 1);
      list += shown + " <" + StringToAnsi(address) + ">";
    }
    list += ",";
  }
  while (!list.empty() && list.back() == ',') list.pop_back();
  const AnsiString line = StringToAnsi(Trim(HeaderName)) + " " + Trim(list);
  if (Style.FoldHeaders && line.size() > kHeaderColumns) FoldHeaderToList(Lines, line);
  else AddHeaderLine(Lines, AnsiToString(line));
}

void AddSubjectHeader(TStrings& Lines, const String& Subject, const TSmtpHeaderStyle& Style) {
  if (PlainHeader(Style)) {
    AddHeaderLine(Lines, L"Subject: " + Trim(Subject));
    return;
  }
  const AnsiString subject = StringToAnsi(Subject);
  if (!Style.Allow8bitChars && HasNonPrintable(subject)) {
    Lines.Add(AnsiToString("Subject: " + EncodedWords(subject, Style, 66, kSmtpLineLimit - 9)));
  } else {
    FoldHeaderToList(Lines, "Subject: " + subject);
  }
}

std::optional<int> SystemZoneBias() {
  TIME_ZONE_INFORMATION info{};
  switch (GetTimeZoneInformation(&info)) {
    case TIME_ZONE_ID_DAYLIGHT: return static_cast<int>(info.Bias + info.DaylightBias);
    case TIME_ZONE_ID_STANDARD:
    case TIME_ZONE_ID_UNKNOWN: return static_cast<int>(info.Bias + info.StandardBias);
    default: return std::nullopt;
  }
}

AnsiString MailZone(std::optional<int> Bias) {
  if (!Bias) return "-0000";
  const int minutes = std::abs(*Bias);
  char text[16];
  std::snprintf(text, sizeof text, "%c%.2d%.2d", *Bias < 0 ? '+' : '-', minutes / 60, minutes % 60);
  return text;
}

AnsiString MailDate(TDateTime LocalTime, std::optional<int> Bias) {
  static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  Word year, month, day, hour, minute, second, ms;
  DecodeDate(LocalTime, year, month, day);
  DecodeTime(LocalTime, hour, minute, second, ms);
  char text[64];
  std::snprintf(text, sizeof text, "%s, %u %s %u %02u:%02u:%02u ", kDays[DayOfWeek(LocalTime) - 1], day,
                kMonths[month - 1], year, hour, minute, second);
  return text + MailZone(Bias);
}

AnsiString MailMessageId(TDateTime UniversalTime, const int Random[4], const String& Host) {
  AnsiString id = StringToAnsi(FormatDateTime(L"yyyymmddhhnnsszzz", UniversalTime)) + ".";
  char hex[8];
  for (int i = 0; i < 4; ++i) {
    std::snprintf(hex, sizeof hex, "%04X", static_cast<unsigned>(Random[i]) & 0xFFFFu);
    id += hex;
  }
  return id + "@" + StringToAnsi(Host);
}

AnsiString SmtpPlainPayload(const AnsiString& User, const AnsiString& Password) {
  // The authorization identity is the user itself: a mail sender ("Name <addr>") is no login name.
  return Base64EncodeText(User + '\0' + User + '\0' + Password);
}

AnsiString SmtpCramMd5Answer(const AnsiString& User, const AnsiString& Password, const AnsiString& Challenge) {
  Byte digest[16];
  HmacMd5(Bytes(Challenge), Challenge.size(), Bytes(Password), Password.size(), digest);
  return Base64EncodeText(User + " " + HexDigest(digest, 16));
}

AnsiString SmtpCramSha1Answer(const AnsiString& User, const AnsiString& Password, const AnsiString& Challenge) {
  Byte digest[20];
  HmacSha1(Bytes(Challenge), Challenge.size(), Bytes(Password), Password.size(), digest);
  return Base64EncodeText(User + " " + HexDigest(digest, 20));
}

void CollectAuthMechanisms(const AnsiString& ReplyLine, TStrings& Mechanisms) {
  AnsiString line = UpperCase(Trim(ReplyLine));
  if (line.size() <= 9) return;
  line.erase(0, 4);
  if (line.compare(0, 5, "AUTH ") != 0 && line.compare(0, 5, "AUTH=") != 0) return;
  line.erase(0, 5);
  for (char& c : line)
    if (c == '=') c = ' ';
  std::size_t pos = 0;
  while (pos < line.size()) {
    const std::size_t end = std::min(line.find(' ', pos), line.size());
    const String name = AnsiToString(Trim(line.substr(pos, end - pos)));
    if (!name.empty() && Mechanisms.IndexOf(name) < 0) Mechanisms.Add(name);
    pos = end + 1;
  }
}
