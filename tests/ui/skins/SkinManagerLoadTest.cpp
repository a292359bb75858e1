// Loading skins through the manager: the internal skin, packed files and folders, the order of the
// sources, the all-or-nothing rule for damaged skins and the colour passes.

#include <gtest/gtest.h>

#include "platform/framework/graphics/Jpeg.h"
#include "platform/framework/rtl/FileUtils.h"
#include "tests/ui/skins/SkinTestSupport.h"
#include "tools/skins/SkinDesign.h"

using namespace skin_testing;
using testing_support::ScratchFolder;

namespace {

class SkinManagerLoad : public testing::Test {
 protected:
  ScratchFolder folder;
  TSeenBoxes boxes;
  String Dir() const { return folder.Path().substr(0, folder.Path().size() - 1); }
  // A packed skin "name" in the scratch folder.
  void WritePacked(const String& name, const std::vector<Byte>& archive) { WriteBytes(folder.File(name + L".asz"), archive); }
};

const TsGeneralData& Section(TsSkinManager& m, const wchar_t* name) {
  int index = m.GetSkinIndex(name);
  EXPECT_GE(index, 0) << Narrow(name);
  return m.Sections()[size_t(std::max(index, 0))];
}

TEST_F(SkinManagerLoad, InternalSkinIsActiveWithItsSectionsAndMasks) {
  ManagerPtr m = NewInternalManager(Dir());
  m->SetSkinName(L"Harbour Blue (internal)");
  EXPECT_TRUE(m->SkinData().Active);
  EXPECT_EQ(m->SkinInfo(), L"5.43");
  EXPECT_TRUE(m->PackedSource());
  ASSERT_EQ(m->Sections().size(), 64u);
  EXPECT_TRUE(boxes.Boxes.empty());
  // TABCONTROLBOTTOM holds only its parent: colour, font colour and border mask come from it.
  const TsGeneralData& tab = Section(*m, L"TABCONTROLBOTTOM");
  const TsGeneralData& page = Section(*m, L"PAGECONTROLBOTTOM");
  EXPECT_EQ(tab.Color, page.Color);
  EXPECT_EQ(tab.FontColor[0], page.FontColor[0]);
  int tabMask = m->GetMaskIndex(m->GetSkinIndex(L"TABCONTROLBOTTOM"), L"TABCONTROLBOTTOM", L"BORDERSMASK");
  EXPECT_EQ(tabMask, m->GetMaskIndexExact(L"PAGECONTROLBOTTOM", L"BORDERSMASK"));
  EXPECT_GE(tabMask, 0);
  EXPECT_EQ(Section(*m, L"FORMTITLE").GradientArray.size(), 5u);
  // BUTTON_HUGE's border comes from its own 8-bit image, made 24 bits.
  int huge = m->GetMaskIndexExact(L"BUTTON_HUGE", L"BORDERSMASK");
  ASSERT_GE(huge, 0);
  const TsMaskData& mask = m->Masks()[size_t(huge)];
  ASSERT_NE(mask.Bmp, nullptr);
  EXPECT_EQ(mask.Bmp->PixelFormat(), pf24bit);
  EXPECT_EQ((std::vector<int>{mask.R.right, mask.R.bottom, mask.WL, mask.WB}), (std::vector<int>{288, 192, 47, 47}));
  EXPECT_EQ(m->ConstIndexes().CheckGlyphs[0], m->GetMaskIndexExact(L"GLOBALINFO", L"BOXCHECKED"));
  EXPECT_GE(m->ConstIndexes().BtnLeft.GlyphMask, 0);
  // Every mask cut from the master bitmap lies inside it.
  for (const TsMaskData& each : m->Masks()) {
    if (each.Bmp) continue;
    EXPECT_TRUE(each.R.right <= m->MasterBitmap()->Width() && each.R.bottom <= m->MasterBitmap()->Height());
  }
}

TEST_F(SkinManagerLoad, InactiveManagerOnlyStoresTheName) {
  ManagerPtr m = NewInternalManager(Dir());
  m->SetActive(false);
  m->SetSkinName(L"Harbour Blue (internal)");
  EXPECT_FALSE(m->SkinData().Active);
  EXPECT_EQ(m->SkinInfo(), L"N/A");
  EXPECT_TRUE(m->Sections().empty());
  m->SetActive(true);
  EXPECT_EQ(m->SkinInfo(), L"5.43");
}

TEST_F(SkinManagerLoad, UnknownNameFallsBackToTheFirstInternalSkin) {
  ManagerPtr m = NewInternalManager(Dir());
  m->SetSkinName(L"Nowhere");
  EXPECT_EQ(m->SkinName(), L"Harbour Blue (internal)");
  EXPECT_TRUE(m->SkinData().Active);
}

TEST_F(SkinManagerLoad, NoSourceAndNoInternalSkinTurnsTheManagerOff) {
  ManagerPtr m = NewManager(Dir());
  m->SetSkinName(L"Nowhere");
  EXPECT_FALSE(m->Active());
  EXPECT_EQ(m->SkinInfo(), L"N/A");
  EXPECT_TRUE(boxes.Boxes.empty());
}

TEST_F(SkinManagerLoad, PackedFileComesBeforeTheFolderAndImagesMayPrecedeTheIni) {
  TDesignedSkin slate = DesignHarbourSlate();
  slate.Package.WriteFolder(Narrow(folder.File(L"Harbour Slate")));
  ManagerPtr m = NewInternalManager(Dir());
  m->SetSkinName(L"Harbour Slate");
  EXPECT_FALSE(m->PackedSource());
  EXPECT_EQ(m->SkinData().SkinPath, folder.File(L"Harbour Slate\\"));
  size_t folderMasks = m->Masks().size();
  TColor folderColor = Section(*m, L"BUTTON").Color;
  for (bool imagesFirst : {true, false}) {
    WritePacked(L"Harbour Slate", slate.Package.Archive(imagesFirst));
    m->SetSkinName(L"Harbour Slate");
    EXPECT_TRUE(m->PackedSource());
    EXPECT_EQ(m->SkinName(), L"Harbour Slate");
    EXPECT_EQ(m->Masks().size(), folderMasks);
    EXPECT_EQ(Section(*m, L"BUTTON").Color, folderColor);
  }
  EXPECT_TRUE(boxes.Boxes.empty());
}

TEST_F(SkinManagerLoad, ListingAndDirectoryResolving) {
  SmallSkin().WriteFolder(Narrow(folder.File(L"Folder Skin")));
  CreateDirectoryW(folder.File(L"Empty").c_str(), nullptr);
  WritePacked(L"two.dots", SmallSkin().Archive());
  WritePacked(L"Packed", SmallSkin().Archive());
  WriteBytes(folder.File(L"other.zip"), {1});
  ManagerPtr m = NewInternalManager(Dir());
  TStringList list;
  EXPECT_EQ(m->GetSkinNames(list, slBoth), L"Harbour Blue (internal)");
  EXPECT_EQ(list.Text(), L"Folder Skin\r\nHarbour Blue (internal)\r\nPacked\r\ntwo\r\n");
  m->GetSkinNames(list, slFolders);
  EXPECT_EQ(list.Text(), L"Folder Skin\r\nHarbour Blue (internal)\r\n");
  m->GetSkinNames(list, slPackedFiles);
  EXPECT_EQ(list.Text(), L"Harbour Blue (internal)\r\nPacked\r\ntwo\r\n");

  String app = AppDir();
  String parent = ExtractFilePath(app.substr(0, app.size() - 1));
  struct Case {
    const wchar_t* dir;
    String resolved;
  } cases[] = {{L"..\\Skins", parent + L"Skins"}, {L".\\Skins\\", app + L"Skins"}, {L"./Skins", app + L"Skins"},
               {L"Skins", app + L"Skins"},       {L"c:\\Skins", L"c:\\Skins"},    {L"\\\\server\\Skins", L"\\\\server\\Skins"}};
  for (const Case& c : cases) {
    m->SetSkinDirectory(c.dir);
    EXPECT_EQ(m->ResolvedSkinDir(), c.resolved) << Narrow(c.dir);
  }
}

TEST_F(SkinManagerLoad, DefaultDirectoryAndSkinInfo) {
  ManagerPtr m(new TsSkinManager(nullptr));
  EXPECT_EQ(m->SkinDirectory(), L"c:\\Skins");
  EXPECT_EQ(m->SkinInfo(), L"N/A");
  EXPECT_EQ(m->Version(), L"5.50");
}

// ---- damaged skins ------------------------------------------------------------------------------

struct TDamage {
  const char* name;
  std::function<std::vector<Byte>()> archive;
  const wchar_t* reason;
};

std::vector<Byte> Truncated() {
  std::vector<Byte> a = SmallSkin().Archive();
  a.resize(a.size() - 10);
  return a;
}

std::vector<Byte> LyingSize() {
  std::vector<Byte> a = SmallSkin().Archive();
  a[8 + 4 + 11] += 1;  // the INI entry's size, one above the truth
  return a;
}

std::vector<Byte> ZeroSize() {
  std::vector<Byte> a = SmallSkin().Archive();
  for (int i = 0; i < 4; ++i) a[8 + 4 + 11 + size_t(i)] = 0;
  return a;
}

std::vector<Byte> CorruptDeflate() {
  std::vector<Byte> a = SmallSkin().Archive();
  for (size_t i = 8 + 4 + 11 + 4 + 2; i < 8 + 4 + 11 + 4 + 8; ++i) a[i] = 0xFF;
  return a;
}

TEST_F(SkinManagerLoad, DamagedArchivesLeaveEverythingUnskinnedWithOneClearError) {
  const TDamage damages[] = {
      {"truncated", Truncated, L"damaged skin archive: an entry's compressed data is truncated"},
      {"lying size", LyingSize, L"damaged skin archive: an entry inflates to fewer bytes than its size"},
      {"zero size", ZeroSize, L"damaged skin archive: entry size 0 outside 1 byte to 64 MiB"},
      {"corrupt deflate", CorruptDeflate, L"damaged skin archive: an entry's compressed data is corrupt (data error)"},
      {"non-numeric mask", [] { return SmallSkin("[PANEL]\r\nBORDERSMASK=^00x0^0000^0010^0010^0000^0000^0000^0000^1^0^1^0\r\n").Archive(); },
       L"'00x0' is not a valid integer value"},
  };
  for (const TDamage& damage : damages) {
    SCOPED_TRACE(damage.name);
    ManagerPtr m = NewInternalManager(Dir());
    m->SetSkinName(L"Harbour Blue (internal)");
    ASSERT_TRUE(m->SkinData().Active);
    WritePacked(L"Bad", damage.archive());
    boxes.Boxes.clear();
    m->SetSkinName(L"Bad");
    ASSERT_EQ(boxes.Boxes.size(), 1u);
    EXPECT_EQ(boxes.Boxes[0].Text,
              L"The skin \"Bad\" could not be loaded from " + folder.File(L"Bad.asz") + L": " + damage.reason);
    EXPECT_EQ(boxes.Boxes[0].Caption, L"Error");
    EXPECT_TRUE(m->Active());
    EXPECT_EQ(m->SkinName(), L"Bad");
    EXPECT_EQ(m->SkinInfo(), L"N/A");
    EXPECT_TRUE(m->Masks().empty() && m->Sections().empty() && m->Patterns().empty());
    EXPECT_EQ(m->MasterBitmap(), nullptr);
    EXPECT_FALSE(SkinLoading || SkinApplying || SkinRemoving);
    EXPECT_FALSE(m->HookInstalled());
    m->Loaded();  // the form's loading end applies nothing that failed to load
    EXPECT_EQ(m->SkinInfo(), L"N/A");
    // A later change tries again.
    DeleteFileW(folder.File(L"Bad.asz").c_str());
    m->SetSkinName(L"Harbour Blue (internal)");
    EXPECT_EQ(m->SkinInfo(), L"5.43");
  }
}

TEST_F(SkinManagerLoad, WrongMagicShowsTheWarningOnly) {
  std::vector<Byte> archive = SmallSkin().Archive();
  archive[3] = 'g';
  WritePacked(L"Odd", archive);
  ManagerPtr m = NewManager(Dir());
  m->SetSkinName(L"Odd");
  ASSERT_EQ(boxes.Boxes.size(), 1u);
  EXPECT_EQ(boxes.Boxes[0].Text, L"Loaded data is not packed Varnex file");
  EXPECT_EQ(boxes.Boxes[0].Caption, L"Warning");
  EXPECT_EQ(m->SkinInfo(), L"N/A");
}

TEST_F(SkinManagerLoad, BadGlobalsAndUnreadableImagesFailTheLoad) {
  TSkinPackage shadow;
  shadow.Ini.Section("GLOBALINFO").Key("VERSION", "5.43").Key("SHADOW1OFFSET", "two");
  WritePacked(L"Shadow", shadow.Archive());
  TSkinPackage image;
  image.Ini.Section("GLOBALINFO").Key("MASTERBITMAP", "MASTER.BMP");
  image.Images.push_back({"Master.bmp", {'B', 'M', 1, 2, 3}});
  WritePacked(L"Image", image.Archive());
  ManagerPtr m = NewManager(Dir());
  m->SetSkinName(L"Shadow");
  ASSERT_EQ(boxes.Boxes.size(), 1u);
  EXPECT_EQ(boxes.Boxes[0].Text,
            L"The skin \"Shadow\" could not be loaded from " + folder.File(L"Shadow.asz") + L": 'two' is not a valid integer value");
  m->SetSkinName(L"Image");
  ASSERT_EQ(boxes.Boxes.size(), 2u);
  EXPECT_EQ(boxes.Boxes[1].Text.rfind(L"The skin \"Image\" could not be loaded from " + folder.File(L"Image.asz") + L": ", 0), 0u);
  EXPECT_EQ(m->SkinInfo(), L"N/A");
}

// ---- inheritance and image counts ---------------------------------------------------------------

TEST_F(SkinManagerLoad, ParentCyclesEndAtTheFirstSectionMetTwice) {
  WritePacked(L"Cycles", SmallSkin("[SELF]\r\nPARENTCLASS=SELF\r\nCOLOR=5\r\n"
                                   "[LOOPA]\r\nPARENTCLASS=LOOPB\r\nCOLOR=-1\r\n"
                                   "[LOOPB]\r\nPARENTCLASS=LOOPA\r\n"
                                   "[CHILD]\r\nPARENTCLASS=LOOPA\r\n")
                             .Archive());
  ManagerPtr m = NewManager(Dir());
  m->SetSkinName(L"Cycles");
  ASSERT_EQ(m->SkinInfo(), L"5.43");
  EXPECT_EQ(Section(*m, L"SELF").Color, 5);
  EXPECT_EQ(Section(*m, L"SELF").ShadowBlur, 6);
  EXPECT_EQ(Section(*m, L"LOOPA").Color, 0xFFFFFF);
  EXPECT_EQ(Section(*m, L"CHILD").Color, 0xFFFFFF);
  for (const wchar_t* name : {L"LOOPA", L"LOOPB", L"CHILD", L"SELF"}) {
    EXPECT_EQ(m->GetMaskIndex(m->GetSkinIndex(name), name, L"BORDERSMASK"), -1);
    EXPECT_EQ(m->GetTextureIndex(m->GetSkinIndex(name), name, L"PATTERN"), -1);
    EXPECT_EQ(m->GetPatternIndex(m->GetSkinIndex(name), name, L"PATTERN"), -1);
  }
}

// A long chain of parent classes: the mask at its far end is found, and a long cycle still ends.
TEST_F(SkinManagerLoad, LongParentChainsAreFollowedToTheirEnd) {
  std::string ini;
  for (int i = 0; i < 12; ++i)
    ini += "[S" + std::to_string(i) + "]\r\nPARENTCLASS=S" + std::to_string(i + 1) + "\r\n";
  ini += "[S12]\r\nBORDERSMASK=^0000^0000^0030^0020^0000^0000^0000^0000^0^1^1^0\r\n";
  for (int i = 0; i < 12; ++i)
    ini += "[C" + std::to_string(i) + "]\r\nPARENTCLASS=C" + std::to_string((i + 1) % 12) + "\r\n";
  WritePacked(L"Chain", SmallSkin(ini).Archive());
  ManagerPtr m = NewManager(Dir());
  m->SetSkinName(L"Chain");
  int found = m->GetMaskIndex(m->GetSkinIndex(L"S0"), L"S0", L"BORDERSMASK");
  EXPECT_GE(found, 0);
  EXPECT_EQ(found, m->GetMaskIndex(m->GetSkinIndex(L"S12"), L"S12", L"BORDERSMASK"));
  EXPECT_EQ(m->GetMaskIndex(m->GetSkinIndex(L"C0"), L"C0", L"BORDERSMASK"), -1);
}

TEST_F(SkinManagerLoad, ImageCountZeroReadsAsOneFrame) {
  WritePacked(L"Zero", SmallSkin("[PANEL]\r\nBORDERSMASK=^0000^0000^0030^0020^0000^0000^0000^0000^0^1^1^0\r\n"
                                 "GLYPH=@0000@0000@0030@0010@0@0\r\n")
                           .Archive());
  ManagerPtr m = NewManager(Dir());
  m->SetSkinName(L"Zero");
  int border = m->GetMaskIndexExact(L"PANEL", L"BORDERSMASK");
  ASSERT_GE(border, 0);
  EXPECT_EQ(m->Masks()[size_t(border)].ImageCount, 0);
  EXPECT_EQ(m->MaskStateSize(border).cx, 30);
  EXPECT_EQ(m->MaskStateSize(border).cy, 10);
  EXPECT_EQ(m->MaskLeftWidth(border), 10);
  EXPECT_EQ(m->MaskBottomWidth(border), 3);
}

// ---- patterns and colour passes -----------------------------------------------------------------

std::vector<Byte> JpegBytes(int width, int height) {
  std::unique_ptr<TBitmap, TFreeDeleter> bitmap(new TBitmap(width, height, pf24bit));
  std::unique_ptr<TJPEGImage, TFreeDeleter> jpeg(new TJPEGImage());
  jpeg->Assign(bitmap.get());
  TMemoryStream stream;
  jpeg->SaveToStream(stream);
  auto* data = static_cast<const Byte*>(stream.Memory());
  return std::vector<Byte>(data, data + stream.Size());
}

TEST_F(SkinManagerLoad, LargeJpegsStayPatternsSmallOnesBecomeTextures) {
  TSkinPackage package = SmallSkin("[PANEL]\r\nPATTERN=BIG.JPG\r\nHOTPATTERN=SMALL.JPEG\r\n");
  package.Images.push_back({"Big.jpg", JpegBytes(300, 300)});
  package.Images.push_back({"Small.jpeg", JpegBytes(299, 300)});
  WritePacked(L"Jpegs", package.Archive());
  ManagerPtr m = NewManager(Dir());
  m->SetSkinName(L"Jpegs");
  int panel = m->GetSkinIndex(L"PANEL");
  int pattern = m->GetPatternIndex(panel, L"PANEL", L"PATTERN");
  ASSERT_GE(pattern, 0);
  EXPECT_EQ(m->Patterns()[size_t(pattern)].Img->Width(), 300);
  EXPECT_EQ(m->GetPatternIndex(panel, L"PANEL", L"HOTPATTERN"), -1);
  int texture = m->GetTextureIndex(panel, L"PANEL", L"HOTPATTERN");
  ASSERT_GE(texture, 0);
  EXPECT_EQ(m->Masks()[size_t(texture)].Bmp->Width(), 299);
  EXPECT_EQ(m->Masks()[size_t(texture)].ImgType, TacImgType::itisaTexture);
}

TEST_F(SkinManagerLoad, SaturationMinus100TurnsTheSkinGrey) {
  WritePacked(L"Red", SmallSkin("[PANEL]\r\nCOLOR=255\r\nTCLEFT=-1\r\nTCTOP=255\r\nGRADIENTDATA=255;65280;100;0;0\r\n").Archive());
  ManagerPtr m = NewManager(Dir());
  m->SetSkinName(L"Red");
  m->SetSaturation(-100);
  const TsGeneralData& panel = Section(*m, L"PANEL");
  EXPECT_EQ(panel.Color, 0x555555);
  EXPECT_EQ(panel.FontColor[1], -1);
  EXPECT_EQ(panel.FontColor[2], 0x555555);
  EXPECT_EQ(panel.GradientArray[0].Color1, 0x555555);
  TBitmap* master = m->MasterBitmap();
  auto pixel = [&](int x) {
    auto* row = static_cast<const Byte*>(master->ScanLine(5));
    return TColor(row[3 * x + 2]) | TColor(row[3 * x + 1]) << 8 | TColor(row[3 * x]) << 16;
  };
  EXPECT_EQ(pixel(2), 0x555555);   // red
  EXPECT_EQ(pixel(12), 0xFF00FF);  // the key colour stays
  EXPECT_EQ(pixel(22), 0x5A5A5A);  // grey stays
  EXPECT_EQ(pixel(32), 0x555555);  // blue
}

TEST_F(SkinManagerLoad, CommonSectionsAddWhatTheSkinLacks) {
  WritePacked(L"Common", SmallSkin("[PANEL]\r\nCOLOR=4660\r\nFONTCOLOR=9\r\n").Archive());
  ManagerPtr m = NewManager(Dir());
  m->SetSkinName(L"Common");
  TStringList lines;
  lines.SetText(L"[PANEL]\r\nCOLOR=1\r\n[EXTRA PANEL]\r\nPARENTCLASS = panel\r\nFONTCOLOR=7\r\n"
                L"GLYPH=#M (0,0,30,10) (3,0)\r\n; a comment keeps its blanks\r\n[ORPHAN]\r\nTRANSPARENCY=40\r\n");
  m->SetCommonSections(lines);
  ASSERT_EQ(m->SkinInfo(), L"5.43");
  EXPECT_EQ(Section(*m, L"PANEL").Color, 4660);  // a section the skin has stays as it is
  const TsGeneralData& extra = Section(*m, L"EXTRAPANEL");
  EXPECT_EQ(extra.Color, 4660);     // from the parent it names
  EXPECT_EQ(extra.FontColor[0], 7);  // its own key
  EXPECT_EQ(Section(*m, L"ORPHAN").Color, 0xFFFFFF);
  EXPECT_EQ(Section(*m, L"ORPHAN").Transparency, 40);
  int glyph = m->GetMaskIndexExact(L"EXTRAPANEL", L"GLYPH");
  ASSERT_GE(glyph, 0);
  EXPECT_EQ(m->Masks()[size_t(glyph)].R.right, 30);
  EXPECT_EQ(m->CommonSections()->Strings(6), L"; a comment keeps its blanks");
}

TEST_F(SkinManagerLoad, StoredSkinWithoutArchiveDataUsesItsOwnCollections) {
  ManagerPtr m = NewManager(Dir());
  TsStoredSkin* stored = m->InternalSkins()->Add();
  stored->SetName(L"Own");
  stored->Version = 5.5;
  stored->MasterBitmap()->SetSize(30, 20);
  TsSkinGeneral* panel = stored->GeneralData()->Add();
  panel->Data.SectionName = L"PANEL";
  panel->Data.Color = 0x112233;
  panel->Data.GradientData = L"1;2;50;0;0";
  panel->FontColor = L"7 1 2 3 4";
  panel->HotFontColor = L"7 1 2";
  TsSkinImage* border = stored->Images()->Add();
  border->SectionName = L"panel";
  border->PropertyName = L"bordersmask";
  border->Right = 30;
  border->Bottom = 20;
  border->ImageCount = 0;  // read as three states with a mask layer
  TsSkinImage* own = stored->Images()->Add();
  own->SectionName = L"PANEL";
  own->PropertyName = L"PATTERN";
  own->Name = L"own";
  own->Image->SetSize(12, 6);
  own->StretchMode = 3;
  TsSkinPattern* first = stored->Patterns()->Add();
  first->Name = L"wood";
  first->SectionName = L"panel";
  first->PropertyName = L"hotpattern";
  TsSkinPattern* second = stored->Patterns()->Add();
  second->Name = L"wood";
  std::unique_ptr<TBitmap, TFreeDeleter> picture(new TBitmap(8, 8, pf24bit));
  second->Image->Assign(picture.get());
  m->SetSkinName(L"Own");
  ASSERT_EQ(m->SkinInfo(), L"5.5");
  const TsGeneralData& section = Section(*m, L"PANEL");
  EXPECT_EQ(section.Color, 0x112233);
  EXPECT_EQ((std::vector<int>(section.FontColor, section.FontColor + 5)), (std::vector<int>{7, 1, 2, 3, 4}));
  EXPECT_EQ((std::vector<int>(section.HotFontColor, section.HotFontColor + 5)), (std::vector<int>{0, -1, -1, -1, -1}));
  EXPECT_EQ(section.GradientArray.size(), 1u);
  int b = m->GetMaskIndexExact(L"PANEL", L"BORDERSMASK");
  ASSERT_GE(b, 0);
  EXPECT_EQ((std::vector<int>{m->Masks()[size_t(b)].ImageCount, m->Masks()[size_t(b)].MaskType, m->Masks()[size_t(b)].WL}),
            (std::vector<int>{3, 1, 3}));
  int t = m->GetMaskIndexExact(L"PANEL", L"PATTERN");
  ASSERT_GE(t, 0);
  EXPECT_EQ(m->Masks()[size_t(t)].ImgType, TacImgType::itisaTexture);
  EXPECT_EQ(m->Masks()[size_t(t)].StretchMode, 0);  // the item itself is no texture
  EXPECT_EQ(m->Masks()[size_t(t)].R.right, 12);
  ASSERT_EQ(m->Patterns().size(), 2u);
  EXPECT_EQ(m->Patterns()[0].PropertyName, L"HOTPATTERN");
  EXPECT_EQ(m->Patterns()[0].Img->Width(), 8);  // taken from the item of the same name
  EXPECT_EQ(m->MasterBitmap()->Width(), 30);
}

TEST(SkinManagerRules, DefaultManagerAndThirdPartyLists) {
  ManagerPtr first(new TsSkinManager(nullptr));
  ManagerPtr second(new TsSkinManager(nullptr));
  EXPECT_TRUE(first->IsDefault());
  EXPECT_FALSE(second->IsDefault());
  first.reset();
  EXPECT_EQ(DefaultManager, nullptr);
  EXPECT_FALSE(second->IsDefault());
  second->SetIsDefault(false);
  EXPECT_TRUE(second->IsDefault());  // writing anything while there is none makes it the default

  String lists[ThirdPartyList::kCount];
  lists[0] = L"TButton";
  lists[1] = L"TBitBtn";
  lists[7] = L"TListView";
  lists[5] = L"TMyGrid";
  lists[12] = L"TOldGridEh";
  CorrectThirdPartyLists(lists);
  EXPECT_EQ(lists[1], L"TButton");
  EXPECT_EQ(lists[2], L"TBitBtn");
  EXPECT_EQ(lists[7], L"TMyGrid");
  EXPECT_EQ(lists[6], L"TListView");
  EXPECT_EQ(lists[11], L"TOldGridEh");
  EXPECT_EQ(lists[12], DefaultThirdPartyList(12));
  EXPECT_EQ(lists[0], DefaultThirdPartyList(0));
}

}  // namespace
