#include <gtest/gtest.h>

#include "platform/framework/base/Utf8.h"

TEST(Utf8, RoundTripsEveryPlane) {
  const String text = L"a\u00e9\u20ac\U0001F3B5z";
  EXPECT_EQ(Utf8Encode(text), "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x8E\xB5z");
  EXPECT_EQ(Utf8Decode(Utf8Encode(text)), text);
}

TEST(Utf8, MalformedInputIsRejectedAndReplaced) {
  struct Case { const char* bytes; bool valid; };
  const Case cases[] = {
      {"plain", true},
      {"\xC3\xA9", true},
      {"\xC3", false},          // truncated
      {"\xC0\xAF", false},      // overlong
      {"\xED\xA0\x80", false},  // surrogate
      {"\xFF", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << c.bytes;
  EXPECT_EQ(Utf8Decode("a\xFF" "b"), L"a\uFFFDb");
}
