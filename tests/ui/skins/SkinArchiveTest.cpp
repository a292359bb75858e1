// The packed skin archive: reading the generated skins, the bounds on every field, and a seeded
// sweep of mutations that must end in a skin or the archive error.

#include <gtest/gtest.h>

#include <random>

#include "tools/skins/SkinDesign.h"
#include "ui/skins/core/SkinArchive.h"

namespace {

std::vector<Byte> Int32Bytes(std::int32_t v) {
  auto u = static_cast<std::uint32_t>(v);
  std::vector<Byte> bytes;
  for (int shift = 0; shift < 32; shift += 8) bytes.push_back(Byte(u >> shift));
  return bytes;
}

// An archive assembled field by field, so a test can lie in any of them.
struct TRawArchive {
  std::vector<Byte> Bytes = Magic();
  static std::vector<Byte> Magic() {
    std::vector<Byte> magic;
    for (char c : std::string("ASzf")) magic.push_back(Byte(c));
    return magic;
  }
  TRawArchive& Int(std::int32_t v) {
    auto b = Int32Bytes(v);
    Bytes.insert(Bytes.end(), b.begin(), b.end());
    return *this;
  }
  TRawArchive& Raw(const std::vector<Byte>& b) {
    Bytes.insert(Bytes.end(), b.begin(), b.end());
    return *this;
  }
  TRawArchive& Text(const std::string& s) { return Raw(std::vector<Byte>(s.begin(), s.end())); }
};

std::vector<Byte> Packed(const std::string& text) {
  // One entry's zlib stream, taken from an archive of that entry.
  std::vector<Byte> archive = WriteSkinArchive({{"x", std::vector<Byte>(text.begin(), text.end())}});
  return std::vector<Byte>(archive.begin() + 4 + 4 + 4 + 1 + 4, archive.end());
}

String ErrorOf(const std::vector<Byte>& bytes) {
  try {
    ParseSkinArchive(bytes.data(), bytes.size());
  } catch (const ESkinArchiveError& e) {
    return e.Message();
  }
  return L"(no error)";
}

TEST(SkinArchive, InternalSkinHasThreeEntriesAndEndsAtItsLastByte) {
  std::vector<Byte> archive = DesignHarbourBlue().Package.Archive(false);
  TSkinArchiveContents contents = ParseSkinArchive(archive.data(), archive.size());
  ASSERT_TRUE(contents.MagicOk);
  ASSERT_EQ(contents.Entries.size(), 3u);
  EXPECT_EQ(contents.Entries[0].Name, "Options.dat");
  EXPECT_EQ(contents.Entries[1].Name, "Master.bmp");
  EXPECT_EQ(contents.Entries[2].Name, "ButtonHuge.bmp");
  EXPECT_EQ(contents.EndOffset, archive.size());
}

TEST(SkinArchive, TrailingBytesAreIgnored) {
  TRawArchive raw;
  raw.Int(1).Int(1).Text("a").Int(5).Raw(Packed("hello")).Text("trailing");
  TSkinArchiveContents contents = ParseSkinArchive(raw.Bytes.data(), raw.Bytes.size());
  ASSERT_EQ(contents.Entries.size(), 1u);
  EXPECT_EQ(std::string(contents.Entries[0].Data.begin(), contents.Entries[0].Data.end()), "hello");
  EXPECT_EQ(contents.EndOffset, raw.Bytes.size() - 8);
}

TEST(SkinArchive, WrongMagicIsNoArchiveAtAll) {
  std::vector<Byte> bytes{'A', 'S', 'z', 'g', 1, 0, 0, 0};
  EXPECT_FALSE(ParseSkinArchive(bytes.data(), bytes.size()).MagicOk);
  EXPECT_FALSE(ParseSkinArchive(bytes.data(), 2).MagicOk);
}

TEST(SkinArchive, FieldsOutsideTheirBoundsAreTheArchiveError) {
  std::vector<Byte> hello = Packed("hello");
  struct Case {
    const char* name;
    TRawArchive archive;
    const wchar_t* error;
  } cases[] = {
      {"count 0", TRawArchive().Int(0), L"damaged skin archive: entry count 0 outside 1 to 4096"},
      {"count 4097", TRawArchive().Int(4097), L"damaged skin archive: entry count 4097 outside 1 to 4096"},
      {"negative count", TRawArchive().Int(-1), L"damaged skin archive: entry count -1 outside 1 to 4096"},
      {"name length 0", TRawArchive().Int(1).Int(0), L"damaged skin archive: name length 0 outside 1 to 260"},
      {"name length 261", TRawArchive().Int(1).Int(261), L"damaged skin archive: name length 261 outside 1 to 260"},
      {"negative name length", TRawArchive().Int(1).Int(-5), L"damaged skin archive: name length -5 outside 1 to 260"},
      {"size 0", TRawArchive().Int(1).Int(1).Text("a").Int(0).Raw(hello),
       L"damaged skin archive: entry size 0 outside 1 byte to 64 MiB"},
      {"size over 64 MiB", TRawArchive().Int(1).Int(1).Text("a").Int((64 << 20) + 1).Raw(hello),
       L"damaged skin archive: entry size 67108865 outside 1 byte to 64 MiB"},
      {"size lies low", TRawArchive().Int(1).Int(1).Text("a").Int(4).Raw(hello),
       L"damaged skin archive: an entry inflates to more bytes than its size"},
      {"size lies high", TRawArchive().Int(1).Int(1).Text("a").Int(6).Raw(hello),
       L"damaged skin archive: an entry inflates to fewer bytes than its size"},
      {"truncated name", TRawArchive().Int(1).Int(10).Text("abc"),
       L"damaged skin archive: the archive ends inside an entry's name"},
      {"truncated data", TRawArchive().Int(1).Int(1).Text("a").Int(5).Raw(std::vector<Byte>(hello.begin(), hello.end() - 3)),
       L"damaged skin archive: an entry's compressed data is truncated"},
      {"missing second entry", TRawArchive().Int(2).Int(1).Text("a").Int(5).Raw(hello),
       L"damaged skin archive: the archive ends inside an entry's name length"},
      {"corrupt deflate", TRawArchive().Int(1).Int(1).Text("a").Int(5).Raw({0x78, 0x9C, 0xFF, 0xFF, 0xFF, 0xFF}),
       L"damaged skin archive: an entry's compressed data is corrupt (data error)"},
  };
  for (const Case& c : cases) EXPECT_EQ(ErrorOf(c.archive.Bytes), c.error) << c.name;
}

TEST(SkinArchive, EntriesAreReadBackInOrderWhateverComesFirst) {
  TSkinPackage package = DesignHarbourSlate().Package;
  for (bool imagesFirst : {false, true}) {
    std::vector<Byte> archive = package.Archive(imagesFirst);
    TSkinArchiveContents contents = ParseSkinArchive(archive.data(), archive.size());
    ASSERT_EQ(contents.Entries.size(), 3u);
    EXPECT_TRUE(IsSkinIniEntryName(contents.Entries[imagesFirst ? 2 : 0].Name));
    EXPECT_EQ(contents.Entries[imagesFirst ? 2 : 0].Data, package.Ini.Bytes());
  }
}

// Two thousand seeded mutations of the internal archive: each parse ends in contents or the
// archive error; the sanitizers watch the rest.
TEST(SkinArchive, MutationsEndInASkinOrTheArchiveError) {
  const std::vector<Byte> original = DesignHarbourBlue().Package.Archive(false);
  std::mt19937 random(20261210);
  int parsed = 0, damaged = 0;
  for (int round = 0; round < 2000; ++round) {
    std::vector<Byte> bytes = original;
    int edits = 1 + int(random() % 4);
    for (int e = 0; e < edits; ++e) {
      size_t at = random() % bytes.size();
      switch (random() % 4) {
        case 0: bytes[at] = Byte(random()); break;
        case 1: bytes.resize(at); break;
        case 2: bytes[at] ^= Byte(1u << (random() % 8)); break;
        default: bytes.insert(bytes.begin() + std::ptrdiff_t(at), Byte(random())); break;
      }
      if (bytes.empty()) bytes.push_back(0);
    }
    // Most damage lands in the compressed data; aim some at the header fields too.
    if (round % 3 == 0 && bytes.size() > 30) bytes[8 + random() % 20] = Byte(random());
    try {
      TSkinArchiveContents contents = ParseSkinArchive(bytes.data(), bytes.size());
      ++parsed;
      EXPECT_LE(contents.EndOffset, bytes.size());
    } catch (const ESkinArchiveError&) {
      ++damaged;
    }
  }
  EXPECT_GT(damaged, 0);
}

}  // namespace
