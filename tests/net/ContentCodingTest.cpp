#include <gtest/gtest.h>

#include <string>

#include "net/ContentCoding.h"
#include "platform/framework/rtl/SysUtils.h"

namespace {

// Test codings with transformations whose order shows: one reverses the whole body when the
// document completes, one drops the first byte as the bytes stream through.
class TReverseCoding : public THttpContentCoding {
  DECLARE_CLASS(TReverseCoding, THttpContentCoding)

 public:
  using THttpContentCoding::THttpContentCoding;
  static String GetCoding(TClass) { return L"x-rev"; }
  void WriteBuffer(const void* Buffer, Int64 Count) override {
    held_.append(static_cast<const char*>(Buffer), std::size_t(Count));
  }
  void Complete() override {
    const std::string reversed(held_.rbegin(), held_.rend());
    outputWriter_(reversed.data(), Int64(reversed.size()));
  }

 private:
  std::string held_;
};
DEFINE_CLASS(TReverseCoding)

class THttpContentCodingXSkip : public THttpContentCoding {
  DECLARE_CLASS(THttpContentCodingXSkip, THttpContentCoding)

 public:
  using THttpContentCoding::THttpContentCoding;
  void WriteBuffer(const void* Buffer, Int64 Count) override {
    const char* bytes = static_cast<const char*>(Buffer);
    if (!skipped_ && Count > 0) {
      skipped_ = true;
      ++bytes;
      --Count;
    }
    outputWriter_(bytes, Count);
  }

 private:
  bool skipped_ = false;
};
DEFINE_CLASS(THttpContentCodingXSkip)

class TUnnamedCoding : public THttpContentCoding {
  DECLARE_CLASS(TUnnamedCoding, THttpContentCoding)

 public:
  using THttpContentCoding::THttpContentCoding;
  void WriteBuffer(const void*, Int64) override {}
};
DEFINE_CLASS(TUnnamedCoding)

// A handler over a memory stream and a collecting output writer.
struct HandlerFixture {
  TMemoryStream stream;
  TStream* streamVariable = &stream;
  std::string delivered;
  THttpContCodHandler handler{&streamVariable, [this](const void* buffer, Int64 count) {
                                delivered.append(static_cast<const char*>(buffer), std::size_t(count));
                              }};

  std::string Streamed() {
    return std::string(static_cast<const char*>(stream.Memory()), std::size_t(stream.Size()));
  }
  void Deliver(const std::string& body) {
    // In two writes, as a body arrives in pieces.
    handler.WriteBuffer(body.data(), Int64(body.size() / 2));
    handler.WriteBuffer(body.data() + body.size() / 2, Int64(body.size() - body.size() / 2));
    handler.Complete();
  }
};

TEST(ContentCoding, RegisteredCodingsAndNames) {
  EXPECT_EQ(L"identity", THttpCCodIdentity::ClassInfo().GetCoding());
  EXPECT_EQ(L"*", THttpCCodStar::ClassInfo().GetCoding());
  EXPECT_EQ(L"XSkip", THttpContentCodingXSkip::ClassInfo().GetCoding());
  try {
    TUnnamedCoding::ClassInfo().GetCoding();
    ADD_FAILURE() << "no exception";
  } catch (const EHttpContentCodingException& error) {
    EXPECT_EQ(L"GetCoding must be overriden in TUnnamedCoding", error.Message());
  }
  EXPECT_EQ(&THttpCCodIdentity::ClassInfo(), ContCodings().FindByName(L"IDENTITY"));
  EXPECT_EQ(&THttpCCodStar::ClassInfo(), ContCodings().FindByName(L"*"));
  EXPECT_EQ(nullptr, ContCodings().FindByName(L"gzip"));
}

TEST(ContentCoding, RegisteredCodingsAnnounceNothing) {
  HandlerFixture f;
  EXPECT_EQ(L"", f.handler.HeaderText());
  f.handler.SetEnabled(true);
  EXPECT_EQ(L"", f.handler.HeaderText());
  // Quality 0 declares a coding unacceptable; "identity;q=0, *;q=0" would refuse every response.
  f.handler.SetUseQuality(true);
  EXPECT_EQ(L"", f.handler.HeaderText());
}

TEST(ContentCoding, DisabledHandlerPassesEverythingThrough) {
  HandlerFixture f;
  EXPECT_TRUE(f.handler.Prepare(L"gzip"));
  f.Deliver("body bytes");
  EXPECT_EQ("body bytes", f.delivered);
  EXPECT_EQ("body bytes", f.Streamed());
}

class RegisteredTestCodings : public testing::Test {
 protected:
  void SetUp() override {
    ContCodings().Add(&TReverseCoding::ClassInfo(), 1.0f);
    ContCodings().Add(&THttpContentCodingXSkip::ClassInfo(), 0.5f);
  }
  void TearDown() override {
    ContCodings().Remove(&TReverseCoding::ClassInfo());
    ContCodings().Remove(&THttpContentCodingXSkip::ClassInfo());
  }
};

TEST_F(RegisteredTestCodings, HeaderTextListsCodingsAboveQualityZero) {
  HandlerFixture f;
  f.handler.SetEnabled(true);
  EXPECT_EQ(L"x-rev, XSkip", f.handler.HeaderText());
  const wchar_t separator = FormatSettings.DecimalSeparator;
  FormatSettings.DecimalSeparator = L',';
  f.handler.SetUseQuality(true);
  const String withQuality = f.handler.HeaderText();
  FormatSettings.DecimalSeparator = separator;
  EXPECT_EQ(L"x-rev;q=1, XSkip;q=0.5", withQuality);
  f.handler.SetEnabled(false);
  EXPECT_EQ(L"", f.handler.HeaderText());
}

struct PrepareCase {
  String encodings;
  bool prepared;
  std::string delivered;
};

TEST_F(RegisteredTestCodings, PrepareChainsDecodersLastCodingFirst) {
  const std::string body = "abcd";
  const PrepareCase cases[] = {
      {L"", true, "abcd"},
      {L"gzip", false, "abcd"},
      {L"identity", true, "abcd"},
      {L"*", true, "abcd"},
      {L"X-REV", true, "dcba"},
      {L"xskip", true, "bcd"},
      {L"x-rev, xskip", true, "dcb"},  // skip decoded first, then reversed
      {L"xskip x-rev", true, "cba"},   // reversed first, then skipped
      {L"x-rev,x-rev", true, "abcd"},  // completes the inner decoder before the outer
      {L"\"x-rev\", identity", true, "dcba"},
      {L"x-rev, gzip", false, "abcd"},
  };
  for (const auto& c : cases) {
    HandlerFixture f;
    f.handler.SetEnabled(true);
    EXPECT_EQ(c.prepared, f.handler.Prepare(c.encodings)) << f.delivered;
    f.Deliver(body);
    EXPECT_EQ(c.delivered, f.delivered) << std::string(c.encodings.begin(), c.encodings.end());
    EXPECT_EQ(c.delivered, f.Streamed());
  }
}

TEST_F(RegisteredTestCodings, APreparedChainIsReplacedByTheNextResponse) {
  HandlerFixture f;
  f.handler.SetEnabled(true);
  f.handler.Prepare(L"x-rev");
  f.handler.Prepare(L"");
  f.Deliver("abc");
  EXPECT_EQ("abc", f.delivered);
}

TEST(ContentCoding, WithoutReceiveStreamOnlyTheOutputWriterGetsTheBytes) {
  TStream* noStream = nullptr;
  std::string delivered;
  THttpContCodHandler handler(&noStream, [&](const void* buffer, Int64 count) {
    delivered.append(static_cast<const char*>(buffer), std::size_t(count));
  });
  handler.WriteBuffer("xyz", 3);
  EXPECT_EQ("xyz", delivered);
}

}  // namespace
