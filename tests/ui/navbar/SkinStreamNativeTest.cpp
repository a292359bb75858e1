// The "dxSkin" byte layout, natively under the sanitizers: round trips in both layouts, the
// reader's refusals, and a damaged-input sweep over the generated skins (every prefix and seeded
// corruptions) in which only the reader's own errors may come out. Also the generator's output:
// deterministic, and every skin read back to its last byte.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <random>

#include "tools/navbar-art/NavBarArt.h"
#include "ui/navbar/skins/SkinStreamLayout.h"

using namespace dxskin;

namespace {

SkinRecord SmallSkin() {
  SkinRecord skin;
  skin.Name = "Small";
  skin.Colors = {{"ContentColor", 0x123456}};
  PropertyRecord text;
  text.Kind = PropertyKind::String;
  text.Name = "Caption";
  text.Text = "hello";
  PropertyRecord rect;
  rect.Kind = PropertyKind::Rect;
  rect.Name = "Box";
  rect.Values = {1, -2, 3, 4};
  PropertyRecord flag;
  flag.Kind = PropertyKind::Boolean;
  flag.Name = "On";
  flag.Boolean = 1;
  skin.Properties = {text, rect, flag};
  GroupRecord group;
  group.Name = "NavBar";
  ElementRecord element;
  element.Name = "Item";
  element.ImageCount = 2;
  element.Image.Png = {0x89, 'P', 'N', 'G', 1, 2, 3};
  element.Image.GradientBeginColor = 0xFF;
  element.Image.GradientEndColor = 0xFF00;
  element.Image.Gradient = 2;
  element.Image.States = 0x7;
  element.Borders[0].Color = 0x808080;
  PropertyRecord size;
  size.Kind = PropertyKind::Size;
  size.Name = "Grow";
  size.Values = {5, 6, 0, 0};
  element.Properties = {size};
  group.Elements = {element};
  skin.Groups = {group};
  return skin;
}

void Put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::int32_t v) {
  for (int i = 0; i < 4; ++i) bytes[at + std::size_t(i)] = std::uint8_t(std::uint32_t(v) >> (8 * i));
}

StreamErrorKind KindOf(const std::vector<std::uint8_t>& bytes) {
  try {
    ReadSkinStream(bytes.data(), bytes.size());
  } catch (const StreamError& e) {
    return e.Kind;
  }
  ADD_FAILURE() << "the stream was accepted";
  return StreamErrorKind::UnexpectedEnd;
}

// Offset of the colour count: count(4) + magic(6) + version(8) + name count(4) + name.
std::size_t ColorCountAt(const SkinRecord& skin) { return 4 + 6 + 8 + 4 + skin.Name.size(); }

}  // namespace

TEST(SkinStreamLayout, Version102RoundTripKeepsEveryField) {
  const SkinRecord skin = SmallSkin();
  const auto bytes = WriteSkinStream(skin, kVersion102);
  std::size_t consumed = 0;
  SkinRecord back = ReadSkinStream(bytes.data(), bytes.size(), &consumed);
  EXPECT_EQ(consumed, bytes.size());
  EXPECT_DOUBLE_EQ(back.Version, kVersion102);
  back.Version = skin.Version;
  EXPECT_EQ(back, skin);
}

TEST(SkinStreamLayout, Version101HasNoGradientTriple) {
  const SkinRecord skin = SmallSkin();
  const auto v101 = WriteSkinStream(skin, kVersion101), v102 = WriteSkinStream(skin, kVersion102);
  // Two image records of one element, 9 bytes each.
  EXPECT_EQ(v102.size() - v101.size(), 18u);
  const SkinRecord back = ReadSkinStream(v101.data(), v101.size());
  const ImageRecord& image = back.Groups[0].Elements[0].Image;
  EXPECT_EQ(image.GradientBeginColor, 0x1FFFFFFF);
  EXPECT_EQ(image.GradientEndColor, 0x1FFFFFFF);
  EXPECT_EQ(image.Gradient, 0);
  EXPECT_EQ(image.Png, skin.Groups[0].Elements[0].Image.Png);
}

TEST(SkinStreamLayout, TheMagicCountIsNeverRead) {
  for (std::int32_t count : {0, -1, 6, 0x7FFFFFFF}) {
    auto bytes = WriteSkinStream(SmallSkin());
    Put32(bytes, 0, count);
    EXPECT_EQ(ReadSkinStream(bytes.data(), bytes.size()).Name, "Small") << count;
  }
}

TEST(SkinStreamLayout, RefusesDamagedHeadersAndCounts) {
  const SkinRecord skin = SmallSkin();
  const auto good = WriteSkinStream(skin);
  const std::size_t colors = ColorCountAt(skin);
  struct Case {
    const char* what;
    std::function<void(std::vector<std::uint8_t>&)> damage;
    StreamErrorKind kind;
  } cases[] = {
      {"bad magic", [](auto& b) { b[4] = 'X'; }, StreamErrorKind::InvalidFormat},
      {"short header", [](auto& b) { b.resize(12); }, StreamErrorKind::InvalidFormat},
      {"negative colour count", [&](auto& b) { Put32(b, colors, -1); }, StreamErrorKind::InvalidFormat},
      {"huge colour count", [&](auto& b) { Put32(b, colors, 0x7FFFFFFF); }, StreamErrorKind::InvalidFormat},
      {"count beyond the stream", [&](auto& b) { Put32(b, colors, 1000); }, StreamErrorKind::InvalidFormat},
      {"negative name length", [](auto& b) { Put32(b, 18, -5); }, StreamErrorKind::InvalidFormat},
      {"version 2.0",
       [](auto& b) {
         const double v = 2.0;
         std::memcpy(&b[10], &v, 8);
       },
       StreamErrorKind::InvalidFormat},
      {"version 0.9",
       [](auto& b) {
         const double v = 0.9;
         std::memcpy(&b[10], &v, 8);
       },
       StreamErrorKind::VersionTooOld},
      {"unknown property class",
       [&](auto& b) {
         // The first property's class name follows the colour list and the property count.
         const std::size_t at = colors + 4 + (4 + 12) + (4 + 12) + 4 + 4 + 4;
         ASSERT_EQ(std::string(b.begin() + std::ptrdiff_t(at), b.begin() + std::ptrdiff_t(at + 7)), "TdxSkin");
         b[at] = 'X';
       },
       StreamErrorKind::UnknownClass},
      {"cut inside a value", [](auto& b) { b.resize(b.size() - 2); }, StreamErrorKind::UnexpectedEnd},
  };
  for (const Case& c : cases) {
    auto bytes = good;
    c.damage(bytes);
    EXPECT_EQ(KindOf(bytes), c.kind) << c.what;
  }
}

TEST(SkinStreamLayout, APngCountBeyondTheStreamIsRefused) {
  SkinRecord skin = SmallSkin();
  auto bytes = WriteSkinStream(skin);
  // The image's PNG count sits right before its 7 bytes.
  const std::vector<std::uint8_t> png = skin.Groups[0].Elements[0].Image.Png;
  auto at = std::search(bytes.begin(), bytes.end(), png.begin(), png.end()) - bytes.begin() - 4;
  Put32(bytes, std::size_t(at), 1 << 20);
  EXPECT_EQ(KindOf(bytes), StreamErrorKind::InvalidFormat);
  Put32(bytes, std::size_t(at), -1);
  EXPECT_EQ(KindOf(bytes), StreamErrorKind::InvalidFormat);
}

TEST(NavBarArt, GeneratedSkinsAreDeterministicAndReadToTheirLastByte) {
  const auto first = navbar_art::MakeSkins(), second = navbar_art::MakeSkins();
  ASSERT_EQ(first.size(), 4u);
  for (std::size_t i = 0; i < first.size(); ++i) {
    EXPECT_EQ(first[i].Bytes, second[i].Bytes) << first[i].Name;
    std::size_t consumed = 0;
    const SkinRecord skin = ReadSkinStream(first[i].Bytes.data(), first[i].Bytes.size(), &consumed);
    EXPECT_EQ(consumed, first[i].Bytes.size()) << first[i].Name;
    EXPECT_DOUBLE_EQ(skin.Version, kVersion101);
    EXPECT_EQ(skin.Name, first[i].Name);
    EXPECT_EQ(skin.Colors.size(), 11u);
  }
  const auto bitmapsA = navbar_art::MakeBitmaps(), bitmapsB = navbar_art::MakeBitmaps();
  ASSERT_EQ(bitmapsA.size(), 10u);
  for (std::size_t i = 0; i < bitmapsA.size(); ++i) EXPECT_EQ(bitmapsA[i].Bytes, bitmapsB[i].Bytes);
}

TEST(NavBarArt, BitmapsHaveTheirSizesAndAKeyedCorner) {
  struct Want {
    const char* name;
    int w, h;
  } wants[] = {{"DXNAVBARADVEXPLORERBARGROUPCAPTIONEXPANDSIGN", 22, 22},
               {"DXNAVBARADVEXPLORERBARGROUPCAPTIONCOLLAPSESIGN", 22, 22},
               {"DXNAVBAROFFICE11EXPANDSIGN", 16, 16},
               {"DXNAVBAROFFICE11COLLAPSESIGN", 16, 16},
               {"DXNAVBAROFFICE11NAVPANEOVERFLOW", 13, 17},
               {"DXNAVBAROFFICE11NAVPANESPLITTER", 37, 5},
               {"DXNAVBAROFFICE11NAVPANEARROWUP", 16, 16},
               {"DXNAVBAROFFICE11NAVPANEARROWDOWN", 16, 16},
               {"DXNAVBAROFFICE11NAVPANEDEFAULTLARGE", 32, 32},
               {"DXNAVBAROFFICE11NAVPANEDEFAULTSMALL", 16, 16}};
  const auto bitmaps = navbar_art::MakeBitmaps();
  for (const Want& want : wants) {
    auto it = std::find_if(bitmaps.begin(), bitmaps.end(), [&](const auto& f) { return f.Name == want.name; });
    ASSERT_NE(it, bitmaps.end()) << want.name;
    const auto& b = it->Bytes;
    auto at32 = [&](std::size_t at) { return std::int32_t(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | b[at + 3] << 24); };
    EXPECT_EQ(at32(18), want.w) << want.name;
    EXPECT_EQ(at32(22), want.h) << want.name;
    EXPECT_EQ(b[28], 24) << want.name;
    // The first stored row is the bottom one: its first pixel is the key, magenta.
    const std::size_t offset = std::size_t(at32(10));
    EXPECT_EQ(b[offset], 255);
    EXPECT_EQ(b[offset + 1], 0);
    EXPECT_EQ(b[offset + 2], 255);
  }
}

// Every prefix and seeded corruptions of each generated skin: the reader either reads a skin or
// raises its own error; the sanitizers catch anything else.
TEST(SkinStreamLayout, DamagedInputSweep) {
  std::mt19937 random(41);
  for (const auto& file : navbar_art::MakeSkins()) {
    const auto& good = file.Bytes;
    for (std::size_t n = 0; n < good.size(); ++n) {
      try {
        ReadSkinStream(good.data(), n);
        ADD_FAILURE() << file.Name << ": a prefix of " << n << " bytes was read";
      } catch (const StreamError&) {
      }
    }
    for (int round = 0; round < 2000; ++round) {
      auto bytes = good;
      const int changes = 1 + int(random() % 4);
      for (int c = 0; c < changes; ++c) {
        const std::size_t at = random() % bytes.size();
        switch (random() % 3) {
          case 0: bytes[at] = std::uint8_t(random()); break;
          case 1: bytes[at] ^= std::uint8_t(1u << (random() % 8)); break;
          default:
            if (at + 4 <= bytes.size()) Put32(bytes, at, std::int32_t(random()));
            break;
        }
      }
      try {
        ReadSkinStream(bytes.data(), bytes.size());
      } catch (const StreamError&) {
      }
    }
  }
}
