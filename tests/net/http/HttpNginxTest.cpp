// The client against a real server: the private nginx that the test fixture starts. Skipped when
// the fixture's folder is not given.

#include <cstdlib>

#include <gtest/gtest.h>

#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/rtl/TextEncoding.h"
#include "tests/net/http/HttpProbe.h"
#include "tests/support/TestSupport.h"

using namespace http_test;

namespace {

// The fixture's folder (a Windows path) with a trailing backslash; empty when not running under it.
String NginxFolder() {
  const char* dir = std::getenv("HTTP_TEST_NGINX_DIR");
  if (!dir || !*dir) return {};
  String folder = AnsiToString(dir);
  for (wchar_t& c : folder)
    if (c == L'/') c = L'\\';
  return folder + L"\\";
}

String NginxPort(const String& folder) { return Trim(AnsiToString(testing_support::ReadFileBytes(folder + L"port"))); }

}  // namespace

TEST(HttpNginx, AGeneratedFileArrivesByteExact) {
  const String folder = NginxFolder();
  if (folder.empty()) GTEST_SKIP() << "no nginx fixture";
  const AnsiString expected = testing_support::ReadFileBytes(folder + L"www\\data.bin");
  ASSERT_FALSE(expected.empty());
  for (const wchar_t* version : {L"1.0", L"1.1"}) {
    THttpProbe probe;
    probe.Http->SetRequestVer(version);
    probe.Target(NginxPort(folder), L"/data.bin");
    ASSERT_TRUE(probe.Get(20000)) << probe.Text();
    EXPECT_EQ(probe.Http->StatusCode(), 200);
    EXPECT_EQ(probe.DoneError, 0);
    EXPECT_EQ(probe.Http->ContentLength(), static_cast<Int64>(expected.size()));
    ASSERT_EQ(probe.Received.Size(), static_cast<Int64>(expected.size()));
    EXPECT_TRUE(probe.DocData == expected) << "the document differs from the served file";
    EXPECT_EQ(std::memcmp(probe.Received.Memory(), expected.data(), expected.size()), 0);
  }
}

TEST(HttpNginx, AFolderWithoutItsSlashIsFollowedOnce) {
  const String folder = NginxFolder();
  if (folder.empty()) GTEST_SKIP() << "no nginx fixture";
  THttpProbe probe;
  probe.Target(NginxPort(folder), L"/dir");
  ASSERT_TRUE(probe.Get()) << probe.Text();
  EXPECT_EQ(probe.Count("LocationChange"), 1) << probe.Text();
  EXPECT_EQ(probe.Http->StatusCode(), 200);
  EXPECT_EQ(probe.DoneCount, 1);
  // The relocation's own page went through OnDocData but was cut from the stream again.
  const std::string page = "<html><body>dir</body></html>\n";
  EXPECT_EQ(std::string(static_cast<const char*>(probe.Received.Memory()), static_cast<std::size_t>(probe.Received.Size())),
            page);
  EXPECT_EQ(probe.DocData.substr(probe.DocData.size() - page.size()), page);
  EXPECT_EQ(StringToAnsi(probe.Http->Location()), "http://127.0.0.1/dir/");
}
