// The theme-file core on the generated theme archives: archive walk, decryption, extraction
// answers, the value chain, and a damaged-input sweep (every prefix, seeded corruptions) that must
// end in the reader's own failure answers.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "tools/skinpack/SkinPackArt.h"
#include "ui/extras/skinpack/SkinFileCore.h"

using namespace skinpack;

namespace {

const std::string& Member() {
  static const std::string member = skinpack_art::TestSkinData();
  return member;
}
const std::string& Plain() {
  static const std::string archive = skinpack_art::ThemeArchive(Member(), "");
  return archive;
}
const std::string& Locked() {
  static const std::string archive = skinpack_art::ThemeArchive(Member(), skinpack_art::kTestThemePassword);
  return archive;
}

void PutI32(std::string& s, std::size_t at, std::int32_t v) {
  for (int i = 0; i < 4; ++i) s[at + i] = char((std::uint32_t(v) >> (8 * i)) & 0xFF);
}

// A member of Count chained records named "V0", "V1", ... holding integers 100, 101, ...
std::string Chain(int count) {
  std::string m(kSkinHeaderSize + count * kSkinRecordSize + count * 4, '\0');
  PutI32(m, 12, kSkinHeaderSize);
  PutI32(m, 20, kSkinHeaderSize);
  for (int i = 0; i < count; ++i) {
    const std::size_t at = kSkinHeaderSize + i * kSkinRecordSize;
    m[at] = 'V', m[at + 1] = char('0' + i);
    m[at + 64] = svInteger;
    const std::size_t data = kSkinHeaderSize + count * kSkinRecordSize + i * 4;
    PutI32(m, at + 65, std::int32_t(data));
    PutI32(m, at + 69, 4);
    PutI32(m, at + 73, i + 1 < count ? std::int32_t(at + kSkinRecordSize) : 0);
    PutI32(m, data, 100 + i);
  }
  return m;
}

}  // namespace

TEST(SkinFileCore, ExtractionAnswers) {
  struct Case {
    const char* what;
    std::string archive;
    const char* member;
    const char* password;
    int answer;
  };
  std::string pk = Plain();
  pk[0] = 'P';
  const Case cases[] = {
      {"plain archive", Plain(), "SKINDATA.SK2", "", kExtracted},
      {"member name in any case", Plain(), "skindata.sk2", "", kExtracted},
      {"no such member", Plain(), "OTHER.SK2", "", kExtractFailed},
      {"a PK archive is refused", pk, "SKINDATA.SK2", "", kExtractFailed},
      {"encrypted, empty password", Locked(), "SKINDATA.SK2", "", kExtractRefused},
      {"encrypted, wrong password", Locked(), "SKINDATA.SK2", "wrong", kExtractRefused},
      {"encrypted, right password", Locked(), "SKINDATA.SK2", skinpack_art::kTestThemePassword, kExtracted},
      {"shorter than an end record", Plain().substr(0, 21), "SKINDATA.SK2", "", kExtractFailed},
  };
  for (const Case& c : cases) {
    std::string out;
    EXPECT_EQ(ExtractZipMember(c.archive, c.member, c.password, out), c.answer) << c.what;
    if (c.answer == kExtracted) {
      EXPECT_EQ(out, Member()) << c.what;
    } else {
      EXPECT_TRUE(out.empty()) << c.what;
    }
  }
}

TEST(SkinFileCore, SizeOtherThanTheDirectorysIsRefused) {
  for (std::int64_t delta : {-1, 1}) {
    std::string archive = Plain();
    // The uncompressed size sits at offset 24 of the one directory header.
    const std::size_t directory = archive.size() - 22 - 46 - 12;
    const std::uint32_t size = std::uint32_t(Member().size() + delta);
    for (int i = 0; i < 4; ++i) archive[directory + 24 + i] = char((size >> (8 * i)) & 0xFF);
    std::string out;
    EXPECT_EQ(ExtractZipMember(archive, "SKINDATA.SK2", "", out), kExtractRefused) << delta;
    EXPECT_TRUE(out.empty());
  }
}

TEST(SkinFileCore, ChainOfThreeGivesTwoValues) {
  std::vector<TSkinRecord> records;
  ASSERT_TRUE(ParseSkinData(Chain(3), records));
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].Name, "V0");
  EXPECT_EQ(records[1].Name, "V1");
  std::int32_t v = 0;
  std::memcpy(&v, records[1].Data.data(), 4);
  EXPECT_EQ(v, 101);
}

TEST(SkinFileCore, MalformedChainsFail) {
  struct Case {
    const char* what;
    std::size_t at;  // offset of the 32-bit field changed
    std::int32_t value;
  };
  const std::size_t second = kSkinHeaderSize + kSkinRecordSize;
  const Case cases[] = {
      {"next offset back to the first record", second + 73, kSkinHeaderSize},
      {"next offset to itself", second + 73, std::int32_t(second)},
      {"record beyond the member", second + 73, 1 << 20},
      {"negative record offset", 20, -5},
      {"data beyond the member", second + 65, 1 << 20},
      {"data size beyond the member", second + 69, 1 << 20},
      {"integer of the wrong size", second + 69, 3},
      {"header longer than 24", 12, 28},
  };
  for (const Case& c : cases) {
    std::string m = Chain(4);
    PutI32(m, c.at, c.value);
    std::vector<TSkinRecord> records;
    EXPECT_FALSE(ParseSkinData(m, records)) << c.what;
  }
}

TEST(SkinFileCore, GeneratedThemeHoldsEveryKey) {
  std::vector<TSkinRecord> records;
  ASSERT_TRUE(ParseSkinData(Member(), records));
  EXPECT_EQ(records.size(), 84u + 1u);  // the 84 keys and one text
}

// Every prefix and seeded corruptions of both archives: only the reader's answers, no crash, no
// read outside the input (the sanitizers watch), and the parse of whatever comes out never fails
// other than by its answer.
TEST(SkinFileCore, DamagedInputSweep) {
  for (const std::string* archive : {&Plain(), &Locked()}) {
    const char* password = archive == &Locked() ? skinpack_art::kTestThemePassword : "";
    for (std::size_t n = 0; n < archive->size(); n += (n < 64 || archive->size() - n < 128) ? 1 : 37) {
      std::string out;
      const int answer = ExtractZipMember(archive->substr(0, n), "SKINDATA.SK2", password, out);
      EXPECT_NE(answer, kExtracted) << n;
    }
    std::mt19937 random(1234);
    for (int round = 0; round < 200; ++round) {
      std::string damaged = *archive;
      const int flips = 1 + int(random() % 4);
      for (int i = 0; i < flips; ++i) damaged[random() % damaged.size()] ^= char(1 + random() % 255);
      std::string out;
      const int answer = ExtractZipMember(damaged, "SKINDATA.SK2", password, out);
      EXPECT_TRUE(answer == kExtracted || answer == kExtractFailed || answer == kExtractRefused);
      EXPECT_LE(out.size(), Member().size());
      std::vector<TSkinRecord> records;
      if (answer == kExtracted) ParseSkinData(out, records);
    }
  }
  std::mt19937 random(99);
  for (int round = 0; round < 500; ++round) {
    std::string m = Member();
    const int flips = 1 + int(random() % 6);
    for (int i = 0; i < flips; ++i) m[random() % std::min<std::size_t>(m.size(), 24 + 86 * 77)] ^= char(1 + random() % 255);
    std::vector<TSkinRecord> records;
    if (ParseSkinData(m, records)) {
      for (const TSkinRecord& r : records) EXPECT_LE(r.Data.size(), m.size());
    }
  }
}
