// The message the client writes, generated in stream mode (no connection): header lines, body
// encodings and the multipart structure of attachments.

#include <gtest/gtest.h>

#include "net/Base64.h"
#include "net/SmtpCli.h"
#include "net/SocketAddress.h"
#include "platform/framework/rtl/DateUtils.h"
#include "platform/framework/classes/Stream.h"
#include "platform/framework/rtl/TextEncoding.h"
#include "tests/support/TestSupport.h"

using testing_support::PumpUntil;

namespace {

// A client writing its message to a memory stream at a fixed time, zone and random sequence.
struct TStreamedMail {
  TManualClock Clock{EncodeDateTime(2004, 3, 1, 10, 5, 9, 0)};
  TClockScope ClockScope{Clock};
  ObjectPtr<TSmtpCli> Client{NewObject<TSmtpCli>(nullptr)};
  TMemoryStream Output;
  std::vector<std::pair<TSmtpRequest, Word>> Done;

  TStreamedMail() {
    Client->SendMode = smtpToStream;
    Client->OutputStream = &Output;
    Client->ZoneBias = [] { return std::optional<int>(-60); };
    Client->RandomNumber = [](int) { return 1; };
    Client->HdrFrom = L"a@example.com";
    Client->HdrTo = L"b@example.com";
    Client->HdrSubject = L"Hi";
    Client->OnRequestDone = [this](TObject*, TSmtpRequest request, Word error) { Done.push_back({request, error}); };
  }

  void SetText(std::initializer_list<const wchar_t*> lines) {
    TStringList text;
    for (const wchar_t* line : lines) text.Add(line);
    Client->SetMailMessage(text);
  }

  // Every line written, the final "." included.
  std::vector<std::string> Send() {
    Client->Data();
    EXPECT_TRUE(PumpUntil([&] { return !Done.empty(); }));
    const std::string bytes(static_cast<const char*>(Output.Memory()), static_cast<std::size_t>(Output.Size()));
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
      lines.push_back(bytes.substr(start, end - start));
    return lines;
  }

  // The lines after the empty line that ends the header, without the final ".".
  std::vector<std::string> Body() {
    std::vector<std::string> lines = Send();
    auto blank = std::find(lines.begin(), lines.end(), std::string());
    EXPECT_EQ(lines.back(), ".");
    return {blank + 1, lines.end() - 1};
  }
};

}  // namespace

TEST(SmtpMessage, GeneratesTheHeader) {
  TStreamedMail mail;
  mail.SetText({L"Body"});
  const std::vector<std::string> expected = {
      "From: a@example.com",
      "To: b@example.com",
      "Subject: Hi",
      "Sender: a@example.com",
      "Mime-Version: 1.0",
      "Content-Type: text/plain; charset=\"iso-8859-1\"",
      "Date: Mon, 1 Mar 2004 10:05:09 +0100",
      "Message-ID: <20040301090509000.0001000100010001@" + StringToAnsi(MachineHostName()) + ">",
      "X-Mailer: Zorvic SMTP Component V6.4",
      "",
      "Body",
      "."};
  EXPECT_EQ(mail.Send(), expected);
  ASSERT_EQ(mail.Done.size(), 1u);
  EXPECT_EQ(mail.Done[0], std::make_pair(smtpData, Word{0}));
}

TEST(SmtpMessage, EncodesTheBody) {
  const std::string words = [] {
    std::string text;
    for (int i = 0; i < 600; ++i) text += "word ";
    return text;
  }();
  struct Case {
    const char* Name;
    std::string Text;
    bool Allow8bit;
    std::vector<std::string> Body;
  } cases[] = {
      {"dots stuffed", ".x\r\n.\r\na", true, {"..x", "..", "a"}},
      {"indentation kept", "  two\r\n\ttab  ", true, {"  two", "\ttab"}},
      {"eight-bit text becomes quoted-printable", "caf\xe9\r\nnext", false, {"caf=E9=0D=0Anext"}},
      {"a line without breaks is cut at the line limit", std::string(2000, 'x'), true,
       {std::string(998, 'x'), std::string(998, 'x'), std::string(4, 'x')}},
  };
  for (const Case& c : cases) {
    TStreamedMail mail;
    mail.Client->Allow8bitChars = c.Allow8bit;
    TStringList text;
    text.SetText(AnsiToString(c.Text));
    mail.Client->SetMailMessage(text);
    EXPECT_EQ(mail.Body(), c.Body) << c.Name;
  }

  TStreamedMail wrapped;
  TStringList text;
  text.Add(AnsiToString(words));
  wrapped.Client->SetMailMessage(text);
  std::string joined;
  for (const std::string& line : wrapped.Body()) {
    EXPECT_LE(line.size(), 998u);
    joined += line + " ";
  }
  EXPECT_EQ(std::count(joined.begin(), joined.end(), 'w'), 600) << "a long line is wrapped, never cut";
}

TEST(SmtpMessage, NamesTheQuotedPrintablePart) {
  TStreamedMail mail;
  mail.Client->Allow8bitChars = false;
  mail.SetText({L"caf\u00e9"});
  const std::vector<std::string> lines = mail.Send();
  auto type = std::find(lines.begin(), lines.end(), "Content-Type: text/plain; charset=\"iso-8859-1\"");
  ASSERT_NE(type, lines.end());
  EXPECT_EQ(*(type + 1), "Content-Transfer-Encoding: quoted-printable");
}

TEST(SmtpMessage, AttachesFilesAsMultipart) {
  testing_support::ScratchFolder folder;
  AnsiString content;
  for (int i = 0; i < 100; ++i) content += static_cast<char>('a' + i % 26);
  testing_support::WriteFileBytes(folder.File(L"report.txt"), content);

  TStreamedMail mail;
  mail.SetText({L"Hello"});
  TStringList files;
  files.Add(L"  " + folder.File(L"report.txt") + L" ");
  files.Add(L"");
  mail.Client->SetEmailFiles(files);
  const std::vector<std::string> lines = mail.Send();

  const std::string boundary = "= Multipart Boundary 0301041005";
  const std::vector<std::string> expected = {
      "Content-Type: multipart/mixed;",
      "\tboundary=\"" + boundary + "\"",
      "Date: Mon, 1 Mar 2004 10:05:09 +0100",
  };
  auto type = std::find(lines.begin(), lines.end(), expected[0]);
  ASSERT_NE(type, lines.end());
  EXPECT_EQ(std::vector<std::string>(type, type + 3), expected);

  const std::vector<std::string> body = {
      "This is a multipart MIME message.",
      "",
      "--" + boundary,
      "Content-Type: text/plain; charset=\"iso-8859-1\"",
      "Content-Transfer-Encoding: 7bit",
      "",
      "Hello",
      "--" + boundary,
      "Content-Type: text/plain;",
      "\tname=\"report.txt\"",
      "Content-Transfer-Encoding: base64",
      "Content-Disposition: attachment;",
      "\tfilename=\"report.txt\"",
      "",
      Base64EncodeText(content.substr(0, 54)),
      Base64EncodeText(content.substr(54)),
      "",
      "--" + boundary + "--",
      "."};
  auto start = std::find(lines.begin(), lines.end(), body[0]);
  ASSERT_NE(start, lines.end());
  EXPECT_EQ(std::vector<std::string>(start, lines.end()), body);
  EXPECT_EQ(body[14].size(), 72u);
}

TEST(SmtpMessage, RefusesAMissingAttachment) {
  ObjectPtr<TSmtpCli> client{NewObject<TSmtpCli>(nullptr)};
  TStringList files;
  files.Add(L"C:\\no\\such\\file.txt");
  try {
    client->SetEmailFiles(files);
    FAIL() << "no exception";
  } catch (const SmtpException& e) {
    EXPECT_EQ(e.Message(), L"File not found 'C:\\no\\such\\file.txt'");
  }
}
