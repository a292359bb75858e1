// The connection-free pieces of the SMTP client: addresses, header lines, dates, AUTH payloads.

#include <gtest/gtest.h>

#include "net/Base64.h"
#include "net/SmtpMailFormat.h"
#include "platform/framework/rtl/DateUtils.h"
#include "platform/framework/classes/Strings.h"

TEST(SmtpMailFormat, ParsesAddresses) {
  struct Case {
    const wchar_t* Text;
    const wchar_t* Name;
    const wchar_t* Address;
  } cases[] = {
      {L"\"Doe, John\" <john@example.com>", L"Doe, John", L"john@example.com"},
      {L"'Single' <s@example.com>", L"Single", L"s@example.com"},
      {L"  John Doe <john@example.com>", L"John Doe", L"john@example.com"},
      {L"john@example.com", L"", L"john@example.com"},
      {L"john john@example.com", L"john", L"john@example.com"},
      {L"\"Quoted only\" rest", L"Quoted only", L"rest"},
      {L"   ", L"", L""},
  };
  for (const Case& c : cases) {
    String name, address;
    ParseEmailAddress(c.Text, name, address);
    EXPECT_EQ(name, c.Name) << c.Text;
    EXPECT_EQ(address, c.Address) << c.Text;
  }
}

TEST(SmtpMailFormat, WritesAddressHeaders) {
  struct Case {
    const char* Name;
    bool Allow8bit;
    bool Fold;
    const wchar_t* Value;
    std::vector<String> Lines;
  } cases[] = {
      {"plain", true, false, L"  a@example.com, b@example.com ", {L"To: a@example.com, b@example.com"}},
      {"quoted name with a comma", false, false, L"\"Doe, John\" <j@x.org>; k@x.org,",
       {L"To: \"Doe, John\" <j@x.org>,k@x.org"}},
      {"backslash escaped", false, false, L"Back\\slash <b@x.org>", {L"To: \"Back\\\\slash\" <b@x.org>"}},
      {"8-bit name encoded", false, false, L"J\u00f6rg <j@x.org>",
       {L"To: =?iso-8859-1?Q?J?=\r\n\t=?iso-8859-1?Q?=F6?=\r\n\t=?iso-8859-1?Q?rg?= <j@x.org>"}},
      {"empty value", false, false, L"  ", {}},
  };
  for (const Case& c : cases) {
    TStringList lines;
    TSmtpHeaderStyle style;
    style.Allow8bitChars = c.Allow8bit;
    style.FoldHeaders = c.Fold;
    AddAddressHeader(lines, L"To:", c.Value, style);
    std::vector<String> got;
    for (int i = 0; i < lines.Count(); ++i) got.push_back(lines.Strings(i));
    EXPECT_EQ(got, c.Lines) << c.Name;
  }
}

TEST(SmtpMailFormat, LongHeaderLinesAreFoldedNotCut) {
  String value;
  for (int i = 0; i < 100; ++i) value += L"person" + IntToStr(i) + L"@example.com, ";
  ASSERT_GT(value.size(), 1900u);
  TStringList lines;
  AddAddressHeader(lines, L"To:", value, TSmtpHeaderStyle{});
  ASSERT_GT(lines.Count(), 1);
  String joined;
  for (int i = 0; i < lines.Count(); ++i) {
    EXPECT_LE(lines.Strings(i).size(), 998u);
    joined += lines.Strings(i);
  }
  EXPECT_NE(joined.find(L"person99@example.com"), String::npos);
  EXPECT_NE(joined.find(L"person0@example.com"), String::npos);
}

TEST(SmtpMailFormat, EncodesAnEightBitSubject) {
  TStringList lines;
  TSmtpHeaderStyle style;
  style.Allow8bitChars = false;
  AddSubjectHeader(lines, L"\u00dcber alles", style);
  ASSERT_EQ(lines.Count(), 1);
  EXPECT_EQ(lines.Strings(0).rfind(L"Subject: =?iso-8859-1?Q?", 0), 0u) << lines.Strings(0);
}

TEST(SmtpMailFormat, DatesCarryTheZone) {
  const TDateTime when = EncodeDateTime(2004, 3, 1, 10, 5, 9, 0);
  struct Case {
    std::optional<int> Bias;
    const char* Expected;
  } cases[] = {
      {-60, "Mon, 1 Mar 2004 10:05:09 +0100"},
      {300, "Mon, 1 Mar 2004 10:05:09 -0500"},
      {-330, "Mon, 1 Mar 2004 10:05:09 +0530"},
      {std::nullopt, "Mon, 1 Mar 2004 10:05:09 -0000"},
  };
  for (const Case& c : cases) EXPECT_EQ(MailDate(when, c.Bias), c.Expected);
}

TEST(SmtpMailFormat, MessageIdsFromUniversalTimeAndRandomNumbers) {
  const int random[4] = {1, 0x7FFE, 0xABC, 0};
  EXPECT_EQ(MailMessageId(EncodeDateTime(2004, 3, 1, 9, 5, 9, 7), random, L"host"),
            "20040301090509007.00017FFE0ABC0000@host");
}

TEST(SmtpMailFormat, AuthPayloads) {
  // The challenge and answer of RFC 2195.
  EXPECT_EQ(SmtpCramMd5Answer("tim", "tanstaaftanstaaf", "<1896.697170952@postoffice.reston.mci.net>"),
            "dGltIGI5MTNhNjAyYzdlZGE3YTQ5NWI0ZTZlNzMzNGQzODkw");
  // The authorization identity is the user, whatever the sender.
  EXPECT_EQ(Base64DecodeText(SmtpPlainPayload("user", "secret")), AnsiString("user\0user\0secret", 16));
  // A password longer than a block is hashed first: it must not give the answer of its first 64 bytes.
  const AnsiString longKey(80, 'k');
  EXPECT_NE(SmtpCramMd5Answer("u", longKey, "c"), SmtpCramMd5Answer("u", longKey.substr(0, 64), "c"));
}

TEST(SmtpMailFormat, CollectsAuthMechanisms) {
  TStringList mechanisms;
  for (const char* line : {"250-test.example", "250-AUTH LOGIN CRAM-MD5", "250-AUTH=LOGIN PLAIN", "250 SIZE 100"})
    CollectAuthMechanisms(line, mechanisms);
  EXPECT_EQ(mechanisms.CommaText(), L"LOGIN,CRAM-MD5,PLAIN");
}

TEST(SmtpMailFormat, EncodedWordsStayWithinTheLineLimitWithoutFolding) {
  const String longText(900, L'\u00e9');
  TSmtpHeaderStyle style;
  style.Allow8bitChars = false;
  style.EncodingLetter = 'B';
  TStringList lines;
  AddSubjectHeader(lines, longText, style);
  AddAddressHeader(lines, L"To:", longText + L" <x@example.com>", style);
  ASSERT_GE(lines.Count(), 2);
  for (int i = 0; i < lines.Count(); ++i) {
    const String line = lines.Strings(i);
    for (std::size_t start = 0, end; start <= line.size(); start = end + 2) {
      end = std::min(line.find(L"\r\n", start), line.size());
      EXPECT_LE(end - start, 998u) << i;
    }
  }
}
