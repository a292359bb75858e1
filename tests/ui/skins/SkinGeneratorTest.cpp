// The project's skins as the generator draws them: both parse with the core, hold the 64 sections in
// order and the structure the loaders rely on, every mask rectangle lies inside its bitmap with
// equal frames, and two runs give the same bytes.

#include <gtest/gtest.h>

#include "tools/skins/SkinDesign.h"
#include "ui/skins/core/SkinArchive.h"
#include "ui/skins/core/SkinIniText.h"
#include "ui/skins/core/SkinValues.h"

namespace {

struct TParsedSkin {
  TSkinIniText Ini;
  std::vector<TSkinArchiveEntry> Images;
};

TParsedSkin Parse(const std::vector<Byte>& archive) {
  TSkinArchiveContents contents = ParseSkinArchive(archive.data(), archive.size());
  TParsedSkin skin;
  for (TSkinArchiveEntry& entry : contents.Entries) {
    if (IsSkinIniEntryName(entry.Name))
      skin.Ini = TSkinIniText::FromBytes(entry.Data);
    else
      skin.Images.push_back(std::move(entry));
  }
  return skin;
}

// Width and height from a BMP file's info header.
std::pair<int, int> BmpSize(const std::vector<Byte>& bmp) {
  auto at = [&](size_t i) { return int(bmp[i] | bmp[i + 1] << 8 | bmp[i + 2] << 16 | bmp[i + 3] << 24); };
  return {at(18), at(22)};
}

int BmpBits(const std::vector<Byte>& bmp) { return bmp[28] | bmp[29] << 8; }

const TSkinArchiveEntry* Image(const TParsedSkin& skin, const std::string& name) {
  for (const TSkinArchiveEntry& entry : skin.Images)
    if (UpperCaseAscii(String(entry.Name.begin(), entry.Name.end())) == String(name.begin(), name.end())) return &entry;
  return nullptr;
}

class SkinGenerator : public ::testing::TestWithParam<bool> {
 protected:
  TDesignedSkin Designed() const { return GetParam() ? DesignHarbourBlue() : DesignHarbourSlate(); }
};

TEST_P(SkinGenerator, SectionsInOrderWithTheStructureTheLoadersUse) {
  TDesignedSkin designed = Designed();
  TParsedSkin skin = Parse(designed.Package.Archive(!GetParam()));
  ASSERT_EQ(skin.Ini.Sections().size(), 64u);
  for (size_t i = 0; i < 64; ++i) {
    const std::string& expected = SkinSectionOrder()[i];
    EXPECT_EQ(skin.Ini.Sections()[i].Name, String(expected.begin(), expected.end()));
  }
  EXPECT_EQ(skin.Ini.ReadString(L"GLOBALINFO", L"VERSION", L""), L"5.43");
  EXPECT_EQ(skin.Ini.ReadString(L"GLOBALINFO", L"MASTERBITMAP", L""), L"MASTER.BMP");
  const TSkinIniSection* tab = skin.Ini.FindSection(L"TABCONTROLBOTTOM");
  ASSERT_EQ(tab->Keys.size(), 1u);
  EXPECT_EQ(tab->Keys[0].Value, L"PAGECONTROLBOTTOM");
  TsGradArray title;
  ParseGradientData(skin.Ini.ReadString(L"FORMTITLE", L"GRADIENTDATA", L""), title);
  EXPECT_EQ(title.size(), 5u);
  EXPECT_FALSE(skin.Ini.ReadString(L"GLOBALINFO", L"SUID", L"").empty());
  EXPECT_FALSE(skin.Ini.ReadString(L"PANEL", L"+GRADIENTDATA", L"").empty());
  for (const wchar_t* key : {L"SLIDERCHANNEL", L"SLIDERMASK", L"SLIDERVMASK", L"TICKHORZ", L"TICKVERT"})
    EXPECT_TRUE(ParseMaskValue(key, skin.Ini.ReadString(L"TRACKBAR", key, L""))) << key;
  for (const wchar_t* key : {L"BOXCHECKED", L"BOXUNCHECKED", L"BOXGRAYED", L"RADIOCHECKED", L"RADIOUNCHECKED",
                             L"RADIOGRAYED", L"SMALLCHECKED", L"SMALLUNCHECKED", L"SMALLGRAYED", L"BICONCLOSE",
                             L"SICONHELP", L"TITLEBUTTON", L"CHECK", L"GRIPIMAGE"})
    EXPECT_TRUE(ParseMaskValue(key, skin.Ini.ReadString(L"GLOBALINFO", key, L""))) << key;
  for (const wchar_t* section : {L"SCROLLBTNLEFT", L"SCROLLBTNRIGHT", L"SCROLLBTNTOP", L"SCROLLBTNBOTTOM"})
    EXPECT_EQ(skin.Ini.ReadString(section, L"GLYPHMASK", L"").substr(0, 1), L"@") << section;
  EXPECT_EQ(skin.Ini.ReadString(L"BUTTON_HUGE", L"BORDERSMASK", L""), L"!BUTTONHUGE.BMP!3!1!0!0047!0047!0047!0047");
  // Every section the program paints has a face or inherits one.
  for (const wchar_t* section : {L"PANEL", L"TOOLBAR", L"BUTTON", L"SPEEDBUTTON", L"DIVIDER", L"GAUGE", L"PROGRESSH",
                                 L"PROGRESSV", L"MAINMENU", L"MENUITEM", L"ICOLINE", L"HINT", L"EDIT", L"GROUPBOX",
                                 L"COMBOBOX", L"COLHEADER", L"DIALOG", L"FORM", L"FORMTITLE", L"MENULINE", L"EXTRALINE"})
    EXPECT_TRUE(ParseMaskValue(L"BORDERSMASK", InheritedString(skin.Ini, section, L"BORDERSMASK", L""))) << section;
}

TEST_P(SkinGenerator, MaskRectanglesLieInsideTheirBitmapsWithEqualFrames) {
  TParsedSkin skin = Parse(Designed().Package.Archive(false));
  const TSkinArchiveEntry* master = Image(skin, "MASTER.BMP");
  const TSkinArchiveEntry* huge = Image(skin, "BUTTONHUGE.BMP");
  ASSERT_TRUE(master && huge);
  EXPECT_EQ(BmpBits(master->Data), 24);
  EXPECT_EQ(BmpBits(huge->Data), 8);
  auto [width, height] = BmpSize(master->Data);
  int masks = 0;
  for (const TSkinIniSection& section : skin.Ini.Sections())
    for (const TSkinIniKey& key : section.Keys) {
      if (key.Name == L"MASTERBITMAP") continue;
      std::optional<TMaskShape> mask = ParseMaskValue(key.Name, key.Value);
      if (!mask) continue;
      ++masks;
      int w = width, h = height;
      if (mask->Source == TMaskImageSource::OwnImage) {
        std::tie(w, h) = BmpSize(huge->Data);
        mask->Right = w;
        mask->Bottom = h;
      }
      SCOPED_TRACE(section.Name + L" " + key.Name);
      EXPECT_TRUE(mask->Left >= 0 && mask->Top >= 0 && mask->Right <= w && mask->Bottom <= h);
      EXPECT_EQ((mask->Right - mask->Left) % std::max<int>(mask->ImageCount, 1), 0);
      EXPECT_EQ((mask->Bottom - mask->Top) % (mask->MaskType + 1), 0);
    }
  EXPECT_GT(masks, 60);
}

TEST_P(SkinGenerator, TwoRunsGiveTheSameBytes) {
  EXPECT_EQ(Designed().Package.Archive(false), Designed().Package.Archive(false));
}

INSTANTIATE_TEST_SUITE_P(BothSkins, SkinGenerator, ::testing::Bool());

}  // namespace

namespace {

TEST(SkinBuilder, EightBitImagesRefuseMoreThan256Colours) {
  TSkinBitmap bitmap(257, 1);
  for (int x = 0; x < 257; ++x) bitmap.At(x, 0) = SkinRgb(x & 0xFF, x >> 8, 0);
  EXPECT_THROW(EncodeBmp8(bitmap), std::runtime_error);
  bitmap.At(256, 0) = SkinRgb(0, 0, 0);
  std::vector<Byte> bmp = EncodeBmp8(bitmap);
  EXPECT_EQ(bmp[28], 8);
}

}  // namespace
